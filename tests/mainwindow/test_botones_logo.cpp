// Picture buttons (commands, grants, hover) and the company-name bar.
#include "Dialogos.h"
#include "MenuImagenes.h"
#include "cLogo.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMap>
#include <QMouseEvent>
#include <QPalette>
#include <QSet>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

struct Botones {
    MenuImagenes m;
    QSet<QString> habilitados;
    QStringList hechos;
    Botones()
    {
        m.itemHabilitado = [this](const QString& i) { return habilitados.contains(i); };
        m.ejecutarItem = [this](const QString& i) { hechos << "item:" + i; };
        m.desplegarMenu = [this](const QString& i) { hechos << "menu:" + i; };
        m.reproducir = [this](const QString& f) { hechos << "sonido:" + f.section('/', -1); };
        m.carpetaSonidos = "/carpeta/inexistente";
    }
    int indiceDe(const QString& tooltip) const
    {
        for (const auto& b : botonesImagen())
            if (QString::fromUtf8(b.tooltip) == tooltip) return b.indice;
        return -1;
    }
};

const QString kNoAutorizado = QStringLiteral("No esta Autorizado a Realizar esta Tarea!!");

} // namespace

TEST(BotonesImagen, OrdenEIndices)
{
    QStringList orden;
    QList<int> indices;
    for (const auto& b : botonesImagen()) {
        orden << QString::fromUtf8(b.tooltip);
        indices << b.indice;
    }
    EXPECT_EQ(indices, (QList<int>{0, 1, 10, 7, 2, 4, 5, 6, 8, 3, 9}));
    EXPECT_EQ(orden.first(), "Plan General de Cuentas");
    EXPECT_EQ(orden.last(), "Salir");
    for (int o = 0; o < 11; ++o) EXPECT_EQ(PctMain::rectBack(o), QRect(56 * o, 0, 57, 49)) << o;
}

TEST(BotonesImagen, ClickSegunPermisos)
{
    struct Caso { const char* tooltip; QStringList habilitados; const char* hecho; bool rechazo; };
    const Caso casos[] = {
        {"Reportes", {}, "menu:MnuInformes", false},
        {"Salir", {}, "item:MnuArchivosSalir", false},
        {"Tablas de Referencia", {"MnuArchivosTablas"}, "item:MnuArchivosTablas", false},
        {"Tablas de Referencia", {}, nullptr, true},
        {"Plan General de Cuentas", {"MnuArchivosPlanDeCuentas"}, "item:MnuArchivosPlanDeCuentas", false},
        {"Registraciones Directas al Diario General", {"MnuAsientosDiario"}, "item:MnuAsientosDiario", false},
        {"Registraciones Directas al Diario General", {"MnuArchivosTablas"}, nullptr, true},
        {"Cierre y Apertura de Libros Contables", {"MnuCierre"}, "item:MnuCierre", false},
        {"Interfaces", {"MNU_Interfaces"}, "item:MNU_Interfaces", false},
        {"Interfaces", {}, nullptr, true},
        {"Depuración de Datos", {"MnuArchivosDepuraciones"}, "item:MnuArchivosDepuraciones", false},
        {"Ajuste por Inflación", {"Mnu_Ajustes"}, "menu:Mnu_Ajustes", false},
        {"Ajuste por Inflación", {}, nullptr, true},
        // Need a flag nothing sets: always refused.
        {"Estados Contables: Publicación", {"MnuArchivosPublicaciones"}, nullptr, true},
        {"Cash-Flow Proyectado", {"MnuCashArmadoPrevio"}, nullptr, true},
    };
    for (const Caso& c : casos) {
        Botones b;
        GuionDialogos dlg;
        for (const QString& h : c.habilitados) b.habilitados.insert(h);
        b.m.Click(b.indiceDe(QString::fromUtf8(c.tooltip)));
        QStringList esperado{"sonido:msclick.WAV"};
        if (c.hecho) esperado << c.hecho;
        EXPECT_EQ(b.hechos, esperado) << c.tooltip;
        if (c.rechazo) {
            ASSERT_EQ(dlg.mostrados.size(), 1) << c.tooltip;
            EXPECT_EQ(dlg.ultimo(), kNoAutorizado);
            EXPECT_EQ(dlg.mostrados.last().estilo, vbInformation);
            EXPECT_EQ(dlg.mostrados.last().titulo, "Aviso al operador");
        } else {
            EXPECT_TRUE(dlg.mostrados.isEmpty()) << c.tooltip;
        }
    }
}

TEST(BotonesImagen, SonidoSeBuscaSinDistinguirMayusculas)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("MSCLICK.wav"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    Botones b;
    b.m.carpetaSonidos = dir.path();
    QStringList rutas;
    b.m.reproducir = [&](const QString& r) { rutas << r; };
    b.m.Click(b.indiceDe("Reportes"));
    ASSERT_EQ(rutas.size(), 1);
    EXPECT_EQ(rutas.first(), dir.filePath("MSCLICK.wav"));
}

TEST(BotonesImagen, ResaltadoAlPasarElMouse)
{
    Botones b;
    auto enmarcados = [&] {
        QList<int> r;
        for (int i = 0; i < MenuImagenes::Cantidad; ++i)
            if (b.m.bordeBack[i]) r << i;
        return r;
    };
    b.m.InicializaBordes();
    EXPECT_EQ(b.m.IndiceResaltado, -1);
    b.m.MouseMove(3);
    b.m.MouseMove(3); // within the same button: nothing more
    EXPECT_EQ(enmarcados(), QList<int>{3});
    b.m.MouseMove(5);
    EXPECT_EQ(enmarcados(), QList<int>{5});
    EXPECT_EQ(b.m.IndiceResaltado, 5);
    EXPECT_EQ(b.hechos, (QStringList{"sonido:mouse.wav", "sonido:mouse.wav"}));
    b.m.InicializaBordes(); // the window's background
    EXPECT_TRUE(enmarcados().isEmpty());
    EXPECT_EQ(b.m.IndiceResaltado, -1);
    b.m.MouseMove(5);
    EXPECT_EQ(enmarcados(), QList<int>{5});
    EXPECT_EQ(b.hechos.size(), 3);
    // Pressing frames the picture itself until released.
    b.m.MouseDown(5);
    EXPECT_TRUE(b.m.bordeImagen[5]);
    b.m.MouseUp(5);
    EXPECT_FALSE(b.m.bordeImagen[5]);
}

TEST(BotonesImagen, WidgetRefleja)
{
    Botones b;
    PctMain p(b.m);
    for (const auto& bi : botonesImagen()) EXPECT_EQ(p.ImgMenu(bi.indice)->toolTip(), QString::fromUtf8(bi.tooltip));
    b.m.MouseMove(2);
    p.refrescarBordes();
    EXPECT_NE(p.ImgBack(2)->frameStyle(), int(QFrame::NoFrame));
    EXPECT_EQ(p.ImgBack(3)->frameStyle(), int(QFrame::NoFrame));
}

// ---------------------------------------------------------------- company-name bar

TEST(BarraEmpresa, BandasParaDosAlturas)
{
    const QColor inicio(0, 0, 0), fin(200, 100, 50);
    struct Caso { int alto, bandas, paso; };
    for (const Caso& c : {Caso{200, 201, 1}, Caso{600, 301, 2}}) {
        const auto b = bandasLogo(c.alto, inicio, fin);
        ASSERT_EQ(int(b.size()), c.bandas) << c.alto;
        EXPECT_EQ(b.front().bottom, c.alto);
        EXPECT_EQ(b.front().top, c.alto - c.paso);
        for (size_t i = 1; i < b.size(); ++i) {
            EXPECT_EQ(b[i].bottom, b[i - 1].top);
            EXPECT_EQ(b[i].bottom - b[i].top, c.paso);
        }
        // The two lowest bands keep the start colour.
        EXPECT_EQ(b[0].color, inicio);
        EXPECT_EQ(b[1].color, inicio);
    }
    // H = 200: the top band is start + 199 * delta / 200, halves to even.
    const auto b = bandasLogo(200, inicio, fin);
    EXPECT_EQ(b.back().color, QColor(199, 100, 50)); // 199*200/200, 199*100/200 = 99.5 -> 100, 199*50/200 = 49.75 -> 50
    const auto h = bandasLogo(200, QColor(0, 0, 0), QColor(1, 3, 5));
    // Y = 100 gives 100 * d / 200: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
    EXPECT_EQ(h[101].color, QColor(0, 2, 2));
    // Never more than 510 fills, whatever the height.
    for (int alto : {1, 254, 255, 509, 510, 4000}) EXPECT_LE(bandasLogo(alto, inicio, fin).size(), 510u) << alto;
}

TEST(BarraEmpresa, ColoresYRedibujo)
{
    EXPECT_EQ(traducirColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(traducirColor(ColorCaraBoton), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(traducirColor(0x800000FFu), QColor(0, 0, 0)); // unknown system colour
    EXPECT_EQ(altoFuenteLogo(8.25, 96), 11);                  // 8 * 96 / 72 = 10.67

    cLogo logo;
    EXPECT_EQ(logo.StartColor(), 0u);
    EXPECT_EQ(logo.EndColor(), ColorCaraBoton);
    logo.setStartColor(0x0000FF); // no surface: stored only
    EXPECT_EQ(logo.dibujos(), 0);
    QWidget barra;
    barra.resize(40, 300);
    logo.setDrawingObject(&barra);
    logo.setCaption("Distribuidora del Sur S.A.");
    EXPECT_EQ(logo.dibujos(), 0); // neither the surface nor the caption draws
    logo.setStartColor(0x0000FF);
    EXPECT_EQ(logo.dibujos(), 0); // same value
    logo.setStartColor(0x000000);
    EXPECT_EQ(logo.dibujos(), 1);
    logo.setEndColor(0xFFFFFF);
    EXPECT_EQ(logo.dibujos(), 2);
    // Black at the bottom, towards white at the top.
    const QImage img = logo.imagen().toImage();
    EXPECT_EQ(img.pixelColor(39, 299), QColor(0, 0, 0));
    EXPECT_GT(img.pixelColor(39, 0).red(), 240);
}

TEST(BotonesImagen, EventosDelMouseSobreLasImagenes)
{
    Botones b;
    b.habilitados.insert("MnuArchivosTablas");
    PctMain p(b.m);
    p.resize(700, 60);
    auto enviar = [](QWidget* w, QEvent::Type t, QPoint pos = {5, 5}) {
        QMouseEvent e(t, QPointF(pos), QPointF(w->mapToGlobal(pos)), t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      t == QEvent::MouseButtonRelease || t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    };
    QLabel* tablas = p.ImgMenu(8);
    enviar(tablas, QEvent::MouseMove);
    EXPECT_EQ(b.m.IndiceResaltado, 8);
    EXPECT_NE(p.ImgBack(8)->frameStyle(), int(QFrame::NoFrame));
    enviar(tablas, QEvent::MouseButtonPress);
    EXPECT_NE(tablas->frameStyle(), int(QFrame::NoFrame));
    enviar(tablas, QEvent::MouseButtonRelease);
    EXPECT_EQ(tablas->frameStyle(), int(QFrame::NoFrame));
    EXPECT_EQ(b.hechos, (QStringList{"sonido:mouse.wav", "sonido:msclick.WAV", "item:MnuArchivosTablas"}));
    // Released outside the picture: no command.
    enviar(tablas, QEvent::MouseButtonPress);
    enviar(tablas, QEvent::MouseButtonRelease, {500, 500});
    EXPECT_EQ(b.hechos.size(), 3);
    // Over the area outside the pictures: the frame goes.
    enviar(&p, QEvent::MouseMove, {690, 50});
    EXPECT_EQ(b.m.IndiceResaltado, -1);
    EXPECT_EQ(p.ImgBack(8)->frameStyle(), int(QFrame::NoFrame));
}
