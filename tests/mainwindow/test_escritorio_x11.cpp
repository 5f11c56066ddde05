// The program on a real X11 display: window captions as the desktop sees them and
// the closing of the companion programs' windows (frmMDI::CerrarExes).
//
// The test starts its own Xvfb (installed by scripts/instalar.sh) and runs Qt on
// the xcb platform over it. There is no window manager: the test plays its part
// by publishing the client list (_NET_CLIENT_LIST) on the root window, and plays
// the companion program by owning raw xcb windows on a connection of its own,
// answering a close request (WM_DELETE_WINDOW) the way a program does.
#include "Dialogos.h"
#include "TraduccionQt.h"
#include "EstadoGlobal.h"
#include "VentanasEscritorio.h"
#include "frmMDI.h"

#include <QElapsedTimer>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Readable QString values in assertion messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace vexa;

namespace {

// ---------------------------------------------------------------- raw X11 helpers

xcb_atom_t atomo(xcb_connection_t* c, const char* nombre)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(nombre)), nombre), nullptr);
    if (!r) return XCB_ATOM_NONE;
    const xcb_atom_t a = r->atom;
    std::free(r);
    return a;
}

QByteArray propiedad(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop)
{
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, XCB_GET_PROPERTY_TYPE_ANY, 0, 1u << 16), nullptr);
    if (!r) return {};
    QByteArray b(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    std::free(r);
    return b;
}

bool existe(xcb_connection_t* c, xcb_window_t w)
{
    xcb_generic_error_t* e = nullptr;
    xcb_get_window_attributes_reply_t* r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), &e);
    std::free(e);
    if (!r) return false;
    std::free(r);
    return true;
}

// The caption the desktop shows for a window: _NET_WM_NAME (UTF-8), else WM_NAME.
QString tituloEnElEscritorio(xcb_connection_t* c, xcb_window_t w)
{
    const QByteArray t = propiedad(c, w, atomo(c, "_NET_WM_NAME"));
    return t.isEmpty() ? QString::fromLatin1(propiedad(c, w, XCB_ATOM_WM_NAME)) : QString::fromUtf8(t);
}

// A connection of its own to the test's display: another program on the desktop.
class OtroPrograma {
public:
    OtroPrograma() : c_(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(c_)) return;
        raiz_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        protocolos_ = atomo(c_, "WM_PROTOCOLS");
        borrar_ = atomo(c_, "WM_DELETE_WINDOW");
    }
    ~OtroPrograma() { xcb_disconnect(c_); }
    bool conectado() const { return !xcb_connection_has_error(c_); }
    xcb_connection_t* conexion() const { return c_; }

    // A top-level window with the caption that takes the close request.
    xcb_window_t ventana(const QString& titulo)
    {
        const xcb_screen_t* pantalla = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
        const xcb_window_t w = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, raiz_, 10, 10, 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          pantalla->root_visual, 0, nullptr);
        const QByteArray utf8 = titulo.toUtf8(), latin1 = titulo.toLatin1();
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, atomo(c_, "_NET_WM_NAME"), atomo(c_, "UTF8_STRING"), 8,
                            uint32_t(utf8.size()), utf8.constData());
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, uint32_t(latin1.size()),
                            latin1.constData());
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, protocolos_, XCB_ATOM_ATOM, 32, 1, &borrar_);
        xcb_map_window(c_, w);
        xcb_flush(c_);
        return w;
    }
    // The window manager's part: the list of client windows on the root window.
    void publicarLista(const std::vector<xcb_window_t>& ventanas)
    {
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, raiz_, atomo(c_, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 32,
                            uint32_t(ventanas.size()), ventanas.data());
        xcb_flush(c_);
    }
    // Reads the events for a while; each close request is answered by destroying
    // the window, as the program would. Returns the windows asked to close.
    std::vector<xcb_window_t> atenderPedidosDeCierre(int milisegundos)
    {
        std::vector<xcb_window_t> pedidas;
        QDeadlineTimer plazo(milisegundos);
        while (!plazo.hasExpired()) {
            QCoreApplication::processEvents();
            while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
                if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                    auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
                    if (m->type == protocolos_ && m->data.data32[0] == borrar_) {
                        pedidas.push_back(m->window);
                        xcb_destroy_window(c_, m->window);
                        xcb_flush(c_);
                    }
                }
                std::free(e);
            }
            QThread::msleep(10);
        }
        return pedidas;
    }

private:
    xcb_connection_t* c_;
    xcb_window_t raiz_ = 0;
    xcb_atom_t protocolos_ = XCB_ATOM_NONE, borrar_ = XCB_ATOM_NONE;
};

// Shows the widget and waits until the desktop has its window.
bool mostrarYEsperar(QWidget& w)
{
    w.show();
    QDeadlineTimer plazo(5000);
    while (!plazo.hasExpired()) {
        QCoreApplication::processEvents();
        if (w.windowHandle() && w.windowHandle()->isExposed()) return true;
        QThread::msleep(10);
    }
    return false;
}

// ---------------------------------------------------------------- captions

TEST(TitulosEnX11, CadaVentanaYCuadroConservaSuTitulo)
{
    IdentificarAplicacion();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    OtroPrograma escritorio;
    ASSERT_TRUE(escritorio.conectado());

    QMessageBox cuadro;
    cuadro.setText(QStringLiteral("¿Realmente desea salir del sistema?"));
    cuadro.setWindowTitle(QStringLiteral("Aviso al operador"));
    ASSERT_TRUE(mostrarYEsperar(cuadro));
    EXPECT_EQ(tituloEnElEscritorio(escritorio.conexion(), xcb_window_t(cuadro.winId())), "Aviso al operador");

    QDialog ventana;
    ventana.setWindowTitle(QStringLiteral("Recepción de Subdiarios"));
    ASSERT_TRUE(mostrarYEsperar(ventana));
    EXPECT_EQ(tituloEnElEscritorio(escritorio.conexion(), xcb_window_t(ventana.winId())), "Recepción de Subdiarios");

    frmMDI principal;
    principal.setWindowTitle(NombreProducto);
    ASSERT_TRUE(mostrarYEsperar(principal));
    EXPECT_EQ(tituloEnElEscritorio(escritorio.conexion(), xcb_window_t(principal.winId())), NombreProducto);
}

// ---------------------------------------------------------------- companion windows

TEST(CerrarExesEnX11, CierraLosReportesYDejaElDiseno)
{
    OtroPrograma otro;
    ASSERT_TRUE(otro.conectado());
    const xcb_window_t reportes = otro.ventana(QStringLiteral("Reportes - Balance de Sumas y Saldos"));
    const xcb_window_t cashFlow = otro.ventana(QStringLiteral("Cash-Flow proyectado"));
    const xcb_window_t diseno = otro.ventana(QStringLiteral("Diseño de Reportes"));
    const xcb_window_t otraCosa = otro.ventana(QStringLiteral("Planilla de cálculo"));
    otro.publicarLista({reportes, cashFlow, diseno, otraCosa});

    // The program's own main window with a matching caption is never closed.
    frmMDI w;
    w.setWindowTitle(QStringLiteral("Reportes"));
    ASSERT_TRUE(mostrarYEsperar(w));
    otro.publicarLista({reportes, cashFlow, diseno, otraCosa, xcb_window_t(w.winId())});

    // The real list, read from the display once the other program's change reached it.
    auto lista = ventanasEscritorio();
    QElapsedTimer espera;
    espera.start();
    while (lista && lista->size() != 5u && espera.elapsed() < 3000) {
        QThread::msleep(20);
        lista = ventanasEscritorio();
    }
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->size(), 5u);

    w.CerrarExes();
    std::vector<xcb_window_t> pedidas = otro.atenderPedidosDeCierre(1500);
    std::sort(pedidas.begin(), pedidas.end());
    std::vector<xcb_window_t> esperadas{reportes, cashFlow};
    std::sort(esperadas.begin(), esperadas.end());
    EXPECT_EQ(pedidas, esperadas);
    EXPECT_FALSE(existe(otro.conexion(), reportes));
    EXPECT_FALSE(existe(otro.conexion(), cashFlow));
    EXPECT_TRUE(existe(otro.conexion(), diseno));
    EXPECT_TRUE(existe(otro.conexion(), otraCosa));
    EXPECT_TRUE(w.isVisible());
}

// ---------------------------------------------------------------- the display

// Starts Xvfb on a free display (it writes the number it took on a pipe).
pid_t iniciarXvfb(QString* pantalla, QString* error)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        *error = QStringLiteral("Xvfb no está instalado (scripts/instalar.sh lo instala)");
        return -1;
    }
    int tubo[2];
    if (pipe(tubo) != 0) {
        *error = QStringLiteral("pipe");
        return -1;
    }
    const std::string programa = xvfb.toStdString(), fd = std::to_string(tubo[1]);
    const pid_t pid = fork();
    if (pid == 0) {
        close(tubo[0]);
        execl(programa.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "1024x768x24",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tubo[1]);
    QByteArray numero;
    pollfd p{tubo[0], POLLIN, 0};
    while (!numero.endsWith('\n') && poll(&p, 1, 20000) > 0) {
        char c;
        if (read(tubo[0], &c, 1) != 1) break;
        numero += c;
    }
    close(tubo[0]);
    if (!numero.endsWith('\n')) {
        if (pid > 0) kill(pid, SIGTERM);
        *error = QStringLiteral("Xvfb no arrancó");
        return -1;
    }
    *pantalla = QStringLiteral(":") + QString::fromLatin1(numero.trimmed());
    return pid;
}

} // namespace

int main(int argc, char** argv)
{
    QString pantalla, error;
    const pid_t xvfb = iniciarXvfb(&pantalla, &error);
    if (xvfb < 0) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    qputenv("DISPLAY", pantalla.toUtf8());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir config;
    if (qEnvironmentVariableIsEmpty("VEXA_CONFIG_DIR")) qputenv("VEXA_CONFIG_DIR", config.path().toUtf8());
    int r = 1;
    {
        QApplication app(argc, argv);
        plataforma::instalarTraduccionQt();
        plataforma::DialogosGuion porDefecto;
        plataforma::instalarDialogos(&porDefecto);
        ::testing::InitGoogleTest(&argc, argv);
        r = RUN_ALL_TESTS();
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    return r;
}
