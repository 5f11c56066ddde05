// The pieces the reception windows share: the preview, the result lists with
// their print buttons, and the window locked during a run.
#include "BaseDePrueba.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "Reportes.h"
#include "PiezasRecepcion.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;

namespace {

class PiezasRecepcion : public BaseDePrueba {};

QString escribir(const QTemporaryDir& dir, const QString& nombre, const QByteArray& bytes)
{
    const QString ruta = dir.filePath(nombre);
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return ruta;
}

TEST(VistaPreviaArchivo, MuestraCadaLineaYNadaDeUnArchivoQueNoSePuedeLeer)
{
    QTemporaryDir dir;
    VistaPreviaArchivo v;
    ASSERT_TRUE(v.cargar(escribir(dir, "a.txt", "uno\r\ndos\nA\xD1O\n")));
    ASSERT_EQ(v.topLevelItemCount(), 3);
    EXPECT_EQ(v.topLevelItem(0)->text(0), " 1");
    EXPECT_EQ(v.topLevelItem(2)->text(1), QString::fromUtf8("AÑO")); // Windows-1252
    // Missing, a folder, unreadable: the previous rows go, nothing is shown.
    const QString ilegible = escribir(dir, "b.txt", "x\n");
    QFile::setPermissions(ilegible, QFileDevice::Permissions{});
    for (const QString& ruta : {dir.filePath("no.txt"), dir.path(), QString(), ilegible}) {
        v.cargar(dir.filePath("a.txt"));
        if (ruta == ilegible && QFile(ruta).open(QIODevice::ReadOnly)) continue; // run as root
        EXPECT_FALSE(v.cargar(ruta)) << ruta.toStdString();
        EXPECT_EQ(v.topLevelItemCount(), 0) << ruta.toStdString();
    }
}

TEST(ListasRecepcion, BotonesDeImpresionSegunSusListas)
{
    ListasRecepcion::Textos t;
    ListasRecepcion l(t);
    l.resultados().fijarTextoLinea([](qint64 p, qint64) { return QStringLiteral("texto %1").arg(p); });
    EXPECT_FALSE(l.CmdPrintGrabados->isEnabled());
    l.agregar({{1, 10, 5, {}}, {2, 20, 5, QStringLiteral("mal")}, {3, 30, 5, {}}});
    l.habilitar();
    EXPECT_TRUE(l.CmdPrintGrabados->isEnabled());
    EXPECT_TRUE(l.CmdPrintErrores->isEnabled());
    EXPECT_EQ(l.LstGrabados->model()->rowCount(), 2);
    EXPECT_EQ(l.LstErrores->model()->index(0, 0).data().toString(), "Linea:  2  mal");
    plataforma::ReportesGuion impresora;
    plataforma::instalarReportes(&impresora);
    l.CmdPrintErrores->click();
    plataforma::instalarReportes(nullptr);
    ASSERT_EQ(impresora.emitidos.size(), 1);
    EXPECT_TRUE(impresora.emitidos[0].lineas.contains("Linea:  2  mal"));
    l.limpiar();
    EXPECT_FALSE(l.CmdPrintGrabados->isEnabled());
    EXPECT_FALSE(l.CmdPrintErrores->isEnabled());
    EXPECT_EQ(l.LstErrores->model()->rowCount(), 0);

    // A window with the error list only.
    t.conGrabados = false;
    t.botonErrores = QStringLiteral("Imprimir &Errores Detectados");
    ListasRecepcion solo(t);
    EXPECT_EQ(solo.LstGrabados, nullptr);
    EXPECT_EQ(solo.CmdPrintGrabados, nullptr);
    EXPECT_EQ(solo.CmdPrintErrores->text(), "Imprimir &Errores Detectados");
    solo.agregar({{1, 0, 1, QStringLiteral("x")}, {2, 0, 1, {}}});
    solo.habilitar();
    EXPECT_TRUE(solo.CmdPrintErrores->isEnabled());
    EXPECT_EQ(solo.EtiquetaErrores->text(), "Errores detectados");

    // Rejections that name their voucher themselves are listed as given (an
    // empty one is none), after the rows listed by line.
    solo.agregar(QStringList{QStringLiteral("Asiento: 9999999999 El asiento  no Balancea!!!"), QString(),
                             QStringLiteral("Asiento: 7 x")});
    const QStringList esperados{"Linea:  1  x", "Asiento: 9999999999 El asiento  no Balancea!!!", "Asiento: 7 x"};
    EXPECT_EQ(solo.resultados().textos(ResultadosRecepcion::Lista::Rechazados), esperados);
    ASSERT_EQ(solo.LstErrores->model()->rowCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(solo.LstErrores->model()->index(i, 0).data().toString(), esperados[i]);
    solo.limpiar();
    solo.agregar(QStringList{QString()});
    solo.habilitar();
    EXPECT_FALSE(solo.CmdPrintErrores->isEnabled());
}

// The file field's check and its chooser, as the reception windows use them.
TEST_P(PiezasRecepcion, CampoArchivoValidaYElige)
{
    QTemporaryDir dir, otra;
    const QString a = escribir(dir, "a.txt", "x\n");
    const struct {
        QString valor;
        QString error;
    } casos[] = {
        {QString(), "Debe Informar un archivo"},
        {dir.filePath("no.txt"), "No se ha encontrado el archivo en la ubicación especificada"},
        {dir.path(), "No se ha encontrado el archivo en la ubicación especificada"}, // a folder
        {a, QString()},
    };
    for (const auto& c : casos) EXPECT_EQ(ErrorArchivo(c.valor), c.error) << c.valor.toStdString();

    class Elector : public plataforma::GuionDialogos {
    public:
        QString ArchivoAbrir(const QString& titulo, const QString& carpeta, const QString& filtro) override
        {
            abiertos << titulo + "|" + carpeta;
            return GuionDialogos::ArchivoAbrir(titulo, carpeta, filtro);
        }
        QStringList abiertos;
    } d;
    QLineEdit campo;
    QString carpeta;
    // Opens in the folder of the field's file; the chosen name goes to the field trimmed.
    campo.setText(a);
    const QString b = otra.filePath("b.txt");
    d.archivos.enqueue(b + "  ");
    EXPECT_EQ(ElegirArchivo(&campo, "Elegir: ", carpeta, con()), b + "  ");
    EXPECT_EQ(campo.text(), b);
    EXPECT_EQ(carpeta, otra.path());
    // An empty field: the folder last chosen. Cancelled: the field is emptied.
    campo.clear();
    EXPECT_EQ(ElegirArchivo(&campo, "Elegir: ", carpeta, con()), QString());
    EXPECT_EQ(campo.text(), QString());
    EXPECT_EQ(carpeta, otra.path());
    EXPECT_EQ(d.abiertos, (QStringList{"Elegir: |" + dir.path(), "Elegir: |" + otra.path()}));
}

// During the run nothing can be used and the window does not close; all comes
// back afterwards, also when the run throws.
TEST_P(PiezasRecepcion, LaVentanaQuedaBloqueadaDuranteLaCorrida)
{
    QWidget w;
    auto* boton = new QPushButton(&w);
    auto* campo = new QLineEdit(&w);
    auto* tabs = new QTabWidget(&w);
    tabs->addTab(new QWidget, "a");
    auto* listas = new ListasRecepcion(ListasRecepcion::Textos{}, &w);
    listas->agregar({{1, 0, 1, {}}});
    listas->habilitar();
    CorridaVentana corrida(w);
    corrida.deshabilitar({boton}, {campo}, tabs, listas);
    w.show();
    for (bool lanza : {false, true}) {
        bool visto = false;
        auto orden = [&] {
            visto = true;
            EXPECT_TRUE(corrida.corriendo());
            EXPECT_FALSE(boton->isEnabled());
            EXPECT_TRUE(campo->isReadOnly());
            EXPECT_FALSE(tabs->tabBar()->isEnabled());
            EXPECT_FALSE(listas->CmdPrintGrabados->isEnabled());
            EXPECT_FALSE(w.close());
            if (lanza) throw std::runtime_error("falla");
        };
        if (lanza)
            EXPECT_THROW(corrida.correr(con(), orden), std::runtime_error);
        else
            corrida.correr(con(), orden);
        EXPECT_TRUE(visto);
        EXPECT_FALSE(corrida.corriendo());
        EXPECT_TRUE(boton->isEnabled());
        EXPECT_FALSE(campo->isReadOnly());
        EXPECT_TRUE(tabs->tabBar()->isEnabled());
        EXPECT_TRUE(listas->CmdPrintGrabados->isEnabled());
    }
    EXPECT_TRUE(w.close());
}

VEXA_AMBOS_MOTORES(PiezasRecepcion);

} // namespace
