// Qt's own texts in Spanish after start-up, the failure to load them, and the
// folder a file chooser opens in.
#include "Dialogos.h"
#include "DialogosQt.h"
#include "TraduccionQt.h"
#include "Utilidades.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QLocale>
#include <QTableView>
#include <QToolButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

QString textoBoton(QMessageBox& box, QMessageBox::StandardButton b)
{
    QAbstractButton* x = box.button(b);
    return x ? x->text() : QStringLiteral("<sin botón>");
}

// The test program starts as the program does (usarPlataformaQt).
TEST(TraduccionQt, TrasElInicioLosBotonesYDialogosDeQtHablanEspanol)
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    EXPECT_EQ(textoBoton(box, QMessageBox::Yes).toStdString(), "&Sí");
    EXPECT_EQ(textoBoton(box, QMessageBox::No).toStdString(), "&No");
    EXPECT_EQ(textoBoton(box, QMessageBox::Cancel).toStdString(), "Cancelar");
    EXPECT_EQ(textoBoton(box, QMessageBox::Ok).toStdString(), "Aceptar");
    struct Caso { const char* contexto; const char* ingles; const char* espanol; };
    const Caso casos[] = {
        {"QFileDialog", "Look in:", "Ver en:"},
        {"QFileDialog", "File &name:", "&Nombre de fichero:"},
        {"QFileDialog", "Files of type:", "Ficheros de tipo:"},
        {"QFileDialog", "&Open", "&Abrir"},
        {"QPrintDialog", "Print", "Imprimir"},
        {"QPrintPreviewDialog", "Print Preview", "Previsualizar impresión"},
        {"QLineEdit", "&Copy", "&Copiar"},
        {"QLineEdit", "&Paste", "&Pegar"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(QCoreApplication::translate(c.contexto, c.ingles).toStdString(), c.espanol) << c.contexto << " " << c.ingles;
}

// The boxes of the dialog seam keep their own button texts with Qt's translation installed.
TEST(TraduccionQt, LosCuadrosDelProgramaConservanSusBotones)
{
    struct Caso { int estilo; QStringList botones; };
    const Caso casos[] = {
        {vbOKOnly, {"Aceptar"}},
        {vbOKCancel, {"Aceptar", "Cancelar"}},
        {vbAbortRetryIgnore, {"&Anular", "&Reintentar", "&Omitir"}},
        {vbYesNoCancel, {"&Sí", "&No", "Cancelar"}},
        {vbYesNo, {"&Sí", "&No"}},
        {vbRetryCancel, {"&Reintentar", "Cancelar"}},
    };
    Dialogos* previo = dialogosInstalados();
    instalarDialogos(nullptr); // the Qt boxes
    for (const Caso& c : casos) {
        QStringList vistos;
        QTimer t;
        t.setInterval(5);
        QObject::connect(&t, &QTimer::timeout, [&] {
            for (QWidget* x : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(x);
                if (!box || !box->isVisible()) continue;
                t.stop();
                for (QAbstractButton* b : box->buttons()) vistos << b->text();
                box->buttons().value(0)->click();
                return;
            }
        });
        t.start();
        dialogos().MsgBox(QStringLiteral("¿Continuar?"), c.estilo, QStringLiteral("Prueba"));
        vistos.sort();
        QStringList esperados = c.botones;
        esperados.sort();
        EXPECT_EQ(vistos.join(" | ").toStdString(), esperados.join(" | ").toStdString()) << c.estilo;
    }
    instalarDialogos(previo);
}

// On a machine whose locale is English (the tests run under C.UTF-8) the date
// picker speaks Spanish after start-up: month and day names.
TEST(TraduccionQt, ElCalendarioHablaCastellanoConLaMaquinaEnIngles)
{
    EXPECT_NE(QLocale::system().language(), QLocale::Spanish) << "run under LANG=C.UTF-8";
    EXPECT_EQ(QLocale().language(), QLocale::Spanish);
    EXPECT_EQ(QLocale().territory(), QLocale::Argentina);
    Dialogos* previo = dialogosInstalados();
    instalarDialogos(nullptr); // the Qt dialogs
    QString mes;
    QStringList dias;
    // Runs inside the picker's own event loop, once it is shown.
    QTimer::singleShot(0, [&] {
        QCalendarWidget* cal = nullptr;
        for (QWidget* x : QApplication::topLevelWidgets())
            if (x->isVisible() && qobject_cast<QDialog*>(x)) cal = x->findChild<QCalendarWidget*>();
        if (!cal) return;
        if (auto* b = cal->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"))) mes = b->text();
        if (auto* v = cal->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview")))
            for (int c = 0; c < v->model()->columnCount(); ++c) dias << v->model()->index(0, c).data().toString();
        cal->window()->close();
    });
    dialogos().PedirFecha(QStringLiteral("Calendario"), QDate(2026, 12, 11));
    instalarDialogos(previo);
    EXPECT_EQ(mes, "diciembre");
    EXPECT_TRUE(dias.contains("lun")) << dias.join(' ').toStdString();
    EXPECT_TRUE(dias.contains("vie")) << dias.join(' ').toStdString();
    EXPECT_FALSE(dias.contains("Mon")) << dias.join(' ').toStdString();
}

TEST(TraduccionQt, SiNoSePuedeCargarSigueElProgramaYDejaUnaLineaEnElRegistro)
{
    QTemporaryDir dir;
    const QString previo = Utilidades::ArchivoLog;
    Utilidades::ArchivoLog = dir.filePath(QStringLiteral("TbErr.Log"));
    const bool cargada = instalarTraduccionQt(dir.filePath(QStringLiteral("no-existe")));
    Utilidades::ArchivoLog = previo;
    EXPECT_FALSE(cargada);
    QFile f(dir.filePath(QStringLiteral("TbErr.Log")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lineas = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 1);
    EXPECT_TRUE(lineas[0].contains("instalarTraduccionQt")) << lineas[0].toStdString();
    EXPECT_TRUE(lineas[0].contains("qtbase_es")) << lineas[0].toStdString();
    // What was installed before stays.
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:").toStdString(), "Ver en:");
    // Loading it again replaces the one installed; the texts stay Spanish.
    EXPECT_TRUE(instalarTraduccionQt());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Cancelar");
}

TEST(CarpetaInicialArchivo, CampoLuegoUltimaElegidaLuegoDatosLuegoInicio)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a"));
    const QString b = dir.filePath(QStringLiteral("b"));
    const QString d = dir.filePath(QStringLiteral("datos"));
    for (const QString& c : {a, b, d}) ASSERT_TRUE(QDir().mkpath(c));
    const QString enA = a + QStringLiteral("/compras.txt");
    QFile f(enA);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString borrada = dir.filePath(QStringLiteral("borrada"));
    const QString inicio = QDir::homePath();

    struct Caso { QString campo, ultima, datos, esperada; };
    const Caso casos[] = {
        {enA, b, d, a},                                    // a file in the field: its folder
        {a + QStringLiteral("/nuevo.txt"), b, d, a},       // a file not there yet, in a folder that is
        {a, b, d, a},                                      // the field names a folder
        {QStringLiteral("  ") + enA + QStringLiteral("  "), b, d, a},
        {a + QStringLiteral("/../a/compras.txt"), b, d, a},
        {borrada + QStringLiteral("/compras.txt"), b, d, b}, // its folder is gone: the last chosen
        {QStringLiteral("compras.txt"), b, d, b},           // relative: never the working directory
        {QStringLiteral("a/compras.txt"), QString(), d, d},
        {QString(), b, d, b},
        {QString(), QString(), d, d},
        {QString(), borrada, d, d},                         // last chosen folder gone: the data folder
        {QString(), QStringLiteral("b"), d, d},             // relative last folder does not count
        {QString(), QString(), QString(), inicio},          // no data folder (server company)
        {QString(), QString(), borrada, inicio},
        {QString(), QString(), QStringLiteral("datos"), inicio},
        {QStringLiteral("compras.txt"), QString(), QString(), inicio},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(carpetaInicialArchivo(c.campo, c.ultima, c.datos), c.esperada)
            << "campo=" << c.campo.toStdString() << " ultima=" << c.ultima.toStdString() << " datos=" << c.datos.toStdString();
}

TEST(CarpetaDatosEmpresa, CarpetaDelArchivoSQLiteONingunaEnServidor)
{
    struct Caso { DatosConexion datos; QString esperada; };
    const Caso casos[] = {
        {{QString(), QStringLiteral("/srv/vexa/empresa.db"), {}, {}}, QStringLiteral("/srv/vexa")},
        {{QStringLiteral("  "), QStringLiteral("/srv/vexa/empresa.db"), {}, {}}, QStringLiteral("/srv/vexa")},
        {{QString(), QStringLiteral("empresa.db"), {}, {}}, QDir::currentPath()}, // where the file really is
        {{QString(), QString(), {}, {}}, QString()},
        {{QString(), QStringLiteral(":memory:"), {}, {}}, QString()},
        {{QStringLiteral("localhost:5432"), QStringLiteral("empresa"), QStringLiteral("u"), QStringLiteral("p")}, QString()},
        {{QStringLiteral("db.example"), QStringLiteral("/srv/vexa/empresa.db"), {}, {}}, QString()},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(carpetaDatosEmpresa(c.datos), c.esperada) << c.datos.server.toStdString() << " " << c.datos.dbName.toStdString();
}

} // namespace
