// Files the program opens near an open SQLite company must never be the
// company's own: closing any descriptor of them drops the locks SQLite holds,
// and another program then takes the database for unused.
#include "BaseDePrueba.h"

#include "ArchivoIni.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "FrmInterface.h"
#include "LectorInterfaz.h"
#include "MenuPrincipal.h"
#include "Reportes.h"
#include "ReportesQt.h"
#include "frmMDI.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

using namespace vexa;

namespace {

// POSIX locks this process holds on a file, as the kernel lists them.
int bloqueosPropios(const QString& ruta)
{
    struct stat st;
    if (::stat(QFile::encodeName(ruta).constData(), &st) != 0) return 0;
    QFile f(QStringLiteral("/proc/locks"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return -1;
    int n = 0;
    for (const QString& l : QString::fromLatin1(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        // "1: POSIX  ADVISORY  READ 1234 fd:01:5678 128 128" (lines of waiters start "->")
        const QStringList c = l.simplified().split(u' ');
        if (c.size() < 6 || c[1] != QLatin1String("POSIX")) continue;
        if (c[4].toLongLong() != ::getpid()) continue;
        if (c[5].section(u':', 2).toULongLong() == quint64(st.st_ino)) ++n;
    }
    return n;
}

class SelectorArchivos : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        plataforma::instalarLanzador(&lanzador);
        recepcion::registrarVentanasRecepcion();
        con().Cerrar();
        inicio.lineaComandos =
            QStringLiteral("/NoMostrarSlash;@Server=;@DbName=%1;@Usuario=;@Password=;ADMIN").arg(datos().dbName);
        carpeta = QFileInfo(datos().dbName).absolutePath();
    }
    void TearDown() override
    {
        plataforma::instalarLanzador(nullptr);
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        BaseDePrueba::TearDown();
    }
    // Buscar, with Qt's own chooser: once it has listed the company's folder
    // (every file with its icon and type), notes the locks held while it is
    // shown, then chooses 'elegir' or cancels.
    void buscar(recepcion::FrmInterface& w, const QString& elegir, int* bloqueosDurante)
    {
        plataforma::Dialogos* previo = plataforma::dialogosInstalados();
        plataforma::instalarDialogos(nullptr);
        const int esperadas = QDir(carpeta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size();
        const QDeadlineTimer limite(120000); // only a fault leaves the chooser up this long
        bool listado = false, aceptado = false;
        QTimer t;
        t.setInterval(5);
        QObject::connect(&t, &QTimer::timeout, [&] {
            for (QWidget* x : QApplication::topLevelWidgets()) {
                auto* d = qobject_cast<QFileDialog*>(x);
                if (!d || !d->isVisible()) continue;
                auto* modelo = d->findChild<QFileSystemModel*>();
                if (!modelo && !limite.hasExpired()) return;
                const QModelIndex raiz = modelo ? modelo->index(carpeta) : QModelIndex();
                if (!limite.hasExpired() && (d->directory().absolutePath() != carpeta || modelo->rowCount(raiz) < esperadas ||
                                             (!elegir.isEmpty() && !modelo->index(elegir).isValid())))
                    return;
                t.stop();
                listado = !limite.hasExpired();
                for (int i = 0; modelo && i < modelo->rowCount(raiz); ++i) {
                    modelo->data(modelo->index(i, 0, raiz), Qt::DecorationRole);
                    modelo->type(modelo->index(i, 0, raiz));
                }
                *bloqueosDurante = bloqueosPropios(datos().dbName) + bloqueosPropios(datos().dbName + "-shm");
                if (!elegir.isEmpty()) {
                    d->selectFile(elegir);
                    if (auto* nombre = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                        nombre->setText(QFileInfo(elegir).fileName());
                    static_cast<QDialog*>(d)->accept(); // QFileDialog::accept, which checks the choice
                    aceptado = !d->isVisible();
                }
                if (d->isVisible()) d->reject();
                return;
            }
        });
        t.start();
        w.CmdBuscar->click();
        plataforma::instalarDialogos(previo);
        EXPECT_TRUE(listado) << "el selector no listó la carpeta de la empresa";
        EXPECT_EQ(aceptado, !elegir.isEmpty()) << "el selector no aceptó " << elegir.toStdString();
    }
    plataforma::LanzadorGuion lanzador;
    QString carpeta;
    EstadoInicio inicio; // what main hands the main window
};

// With a read transaction held, the reception's chooser shown on the company's
// folder (a file chosen there, then shown again and cancelled) leaves every
// lock in place: another program reading the file then leaves its -wal and
// -shm alone. The company's files are refused as interface files unread.
TEST_P(SelectorArchivos, ElSelectorEnLaCarpetaDeLaEmpresaNoSueltaSusBloqueos)
{
    const QString texto = carpeta + "/ventas-de-marzo.txt";
    {
        QFile f(texto);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("15/03/2026;FC;0001-00000001-A;CLI001;100;21;121;15/04/2026;Venta\r\n");
    }
    plataforma::GuionDialogos g;
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    auto* menu = ControladorMenu::de(w);
    ASSERT_TRUE(menu);
    menu->item("MnuAsientosInterfaz")->trigger();
    auto* rec = qobject_cast<recepcion::FrmInterface*>(menu->servicios().ventanaAbierta("FrmInterface"));
    ASSERT_TRUE(rec) << g.textosMostrados().join("\n").toStdString();
    rec->TxtFields[1]->setText(texto);

    con().iniciarTransaccion(false);
    con().Escalar("SELECT COUNT(*) FROM MV_ASIENTOS");
    const int db = bloqueosPropios(datos().dbName), shm = bloqueosPropios(datos().dbName + "-shm");
    ASSERT_GE(db + shm, 1);

    int durante = -1;
    buscar(*rec, texto, &durante); // chosen in the company's folder: the next chooser starts there
    EXPECT_EQ(rec->TxtFields[1]->text(), texto);
    EXPECT_EQ(durante, db + shm);
    buscar(*rec, QString(), &durante);
    EXPECT_EQ(durante, db + shm);
    EXPECT_EQ(bloqueosPropios(datos().dbName), db);
    EXPECT_EQ(bloqueosPropios(datos().dbName + "-shm"), shm);

    // Another program reads the database: it sees this one and leaves its files.
    const QString sqlite3 = QStandardPaths::findExecutable("sqlite3");
    if (!sqlite3.isEmpty()) {
        QProcess p;
        p.start(sqlite3, {datos().dbName, "SELECT COUNT(*) FROM TA_CONFIGURACION;"});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_TRUE(QFileInfo::exists(datos().dbName + "-wal"));
        EXPECT_TRUE(QFileInfo::exists(datos().dbName + "-shm"));
    }

    // The company's files are not interface files: refused before they are opened.
    const QString enlace = carpeta + "/enlace-a-la-empresa.txt";
    QFile::remove(enlace);
    ASSERT_TRUE(QFile::link(datos().dbName, enlace));
    for (const QString& r : {datos().dbName, datos().dbName + "-wal", datos().dbName + "-shm", datos().dbName + "-journal",
                             carpeta + "/./" + QFileInfo(datos().dbName).fileName(), enlace}) {
        recepcion::LectorInterfaz l(r);
        EXPECT_FALSE(l.abrir()) << r.toStdString();
        EXPECT_TRUE(l.error().contains("es la base de datos de la empresa abierta")) << l.error().toStdString();
    }
    recepcion::LectorInterfaz l(texto);
    EXPECT_TRUE(l.abrir()) << l.error().toStdString();
    // Nor is a listing written over them.
    plataforma::usarReportesQt();
    plataforma::Reporte listado;
    listado.titulo = QStringLiteral("Listado");
    const plataforma::ResultadoReporte impreso =
        plataforma::reportes().emitir(listado, plataforma::DestinoReporte::Archivo, enlace);
    EXPECT_FALSE(impreso.ok);
    EXPECT_TRUE(impreso.error.contains("es la base de datos de la empresa abierta")) << impreso.error.toStdString();
    rec->TxtFields[0]->setText("VENTAS");
    rec->Campo_Valida(0);
    rec->TxtFields[1]->setText(datos().dbName);
    g.mostrados.clear();
    con().deshacerTransaccion();
    rec->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_TRUE(g.textosMostrados().join("\n").contains("es la base de datos de la empresa abierta"))
        << g.textosMostrados().join("\n---\n").toStdString();
    con().iniciarTransaccion(false);
    con().Escalar("SELECT COUNT(*) FROM MV_ASIENTOS");
    EXPECT_EQ(bloqueosPropios(datos().dbName), db);
    EXPECT_EQ(bloqueosPropios(datos().dbName + "-shm"), shm);

    con().deshacerTransaccion();
    QFile::remove(enlace);
    QFile::remove(texto);
}

INSTANTIATE_TEST_SUITE_P(Motores, SelectorArchivos, ::testing::Values(Motor::SQLite), prueba::nombreMotor);

} // namespace
