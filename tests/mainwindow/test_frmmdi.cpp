#include "BaseDePrueba.h"

#include "ArchivoIni.h"
#include "ContextoEmpresa.h"
#include "CNStuffContable.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "Utilidades.h"
#include "VentanasEscritorio.h"
#include "FrmInterface.h"
#include "FrmMA_BienesUso.h"
#include "MenuPrincipal.h"
#include "VentanasBienes.h"
#include "ResultadosRecepcion.h"
#include "frmMDI.h"
#include "FrmTareas.h"
#include "UtilTeb.h"
#include "lbm_Seguridad.h"

#include <QAction>
#include <QCloseEvent>
#include <QListWidget>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>
#include <QStatusBar>

using namespace vexa;
using plataforma::GuionDialogos;

namespace {

class Arranque : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        plataforma::instalarLanzador(&lanzador);
        // The program opens the database itself, from its command line.
        con().Cerrar();
        inicio.lineaComandos = QStringLiteral("/NoMostrarSlash;@Server=%1;@DbName=%2;@Usuario=%3;@Password=%4;ADMIN")
                                    .arg(datos().server, datos().dbName, datos().usuario, datos().password);
    }
    void TearDown() override
    {
        plataforma::instalarLanzador(nullptr);
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        BaseDePrueba::TearDown();
    }
    QString ini(const QString& seccion, const QString& clave) const
    {
        return ArchivoIni::LeerIni(ArchivoIniPrograma, seccion, clave, QStringLiteral("<nada>"));
    }
    plataforma::LanzadorGuion lanzador;
    EstadoInicio inicio; // what main hands the main window
};

TEST_P(Arranque, DeLaLineaDeComandosALaVentanaPrincipal)
{
    GuionDialogos g;
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(con().Conectado());
    EXPECT_EQ(w.inicio().usuarioActual, "ADMIN"); // the connection keys are not part of it
    EXPECT_EQ(w.inicio().seccionEquipo, seccionDeEquipo());
    EXPECT_EQ(w.windowTitle(), NombreProducto);
    EXPECT_EQ(w.contexto()->periodoActivo(), "2");
    EXPECT_EQ(w.panel(6)->text(), "Periodo Activo : 2    ");
    EXPECT_EQ(w.panel(6)->toolTip(), "01/01/2026 - 31/12/2026"); // the active fiscal year's dates
    EXPECT_EQ(w.logo().Caption(), "Distribuidora del Sur S.A.");
    EXPECT_EQ(w.logo().drawingObject(), w.pctlicencia());
    EXPECT_TRUE(w.contexto()->soloMayusculas);
    // All bars shown with no settings file; the connection used is written back.
    EXPECT_TRUE(w.marcado("mnuViewStatusBar") && w.marcado("mnuViewLicencia") && w.marcado("mnuViewToolbar"));
    EXPECT_FALSE(w.sbStatusBar()->isHidden());
    const QString s = w.inicio().seccionEquipo + "BaseDeDatos";
    EXPECT_EQ(ini(s, "Driver"), con().Driver());
    EXPECT_EQ(ini(s, "Servidor"), datos().server);
    EXPECT_EQ(ini(s, "DbName"), datos().dbName);
    EXPECT_EQ(Utilidades::Descifrar(ini(s, "UserPassWord")), datos().password);
    EXPECT_TRUE(lanzador.iniciados.isEmpty()); // the company has a name: no configuration program
    EXPECT_TRUE(g.mostrados.isEmpty()) << g.ultimo().toStdString();
}

// The main window's own command opens the asset register as a dialog over
// the asset list, modeless, not as the initial load.
TEST_P(Arranque, MostrarBienesUsoAbreElRegistroSinCargaInicial)
{
    registrarVentanasBienes();
    GuionDialogos g;
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    w.MostrarBienesUso();
    auto* menu = ControladorMenu::de(w);
    ASSERT_TRUE(menu);
    auto* b = qobject_cast<FrmMA_BienesUso*>(menu->servicios().ventanaAbierta(QStringLiteral("FrmMA_BienesUso")));
    ASSERT_TRUE(b) << g.ultimo().toStdString();
    EXPECT_FALSE(b->EsCargaInicial);
    EXPECT_TRUE(b->windowTitle().endsWith(QStringLiteral(" - Kardex -")));
    EXPECT_TRUE(qobject_cast<QMdiSubWindow*>(b->parentWidget()));
}

// The signed-in user's grants saved in the task window and applied at once to
// the program's own menu; the list offers only reachable tasks.
TEST_P(Arranque, TareasDelUsuarioActualAlMenu)
{
    GuionDialogos g;
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    FrmTareas t(*w.contexto(), &w);
    QStringList codigos = t.CodigosTareas;
    EXPECT_TRUE(codigos.contains("0107"));
    EXPECT_TRUE(codigos.contains("0112"));
    EXPECT_FALSE(codigos.contains("9901")); // under the hidden "Seguridad"
    EXPECT_FALSE(codigos.contains("0111")); // "Cerrar Sesión ..." is hidden
    auto item = [&](const char* nombre) {
        for (QAction* a : itemsMenu(w))
            if (a->objectName() == QLatin1String(nombre)) return a;
        return static_cast<QAction*>(nullptr);
    };
    ASSERT_TRUE(item("MNU_Usuarios") && item("MNU_Tareas"));
    for (const bool conUsuarios : {false, true}) {
        t.TxtFields->setText("admin");
        t.Campo_Valida();
        ASSERT_EQ(t.usuarioCargado(), "admin");
        t.CmdDesmarcarTodo_Click();
        t.LstTareas->item(codigos.indexOf("0108"))->setCheckState(Qt::Checked);
        if (conUsuarios) t.LstTareas->item(codigos.indexOf("0107"))->setCheckState(Qt::Checked);
        g.respuestas.enqueue(plataforma::vbYes);
        t.UtilTeb1_ButtonClick("GRABAR");
        EXPECT_EQ(item("MNU_Usuarios")->isEnabled(), conUsuarios);
        EXPECT_TRUE(item("MNU_Tareas")->isEnabled());
        EXPECT_TRUE(item("MnuArchivosSalir")->isEnabled());
    }
}

TEST_P(Arranque, EmpresaSinNombreYFechasDelEjercicio)
{
    auto otra = otraConexion();
    otra->EjecutarSQL("UPDATE TA_CONFIGURACION SET VALOR = ? WHERE CLAVE = ?", {"   ", "NOMBRE"});
    otra->EjecutarSQL("UPDATE TA_CONFIGURACION SET VALOR = ? WHERE CLAVE = ?", {"01/01/2003", "[FECHA DESDE]"});
    otra->EjecutarSQL("UPDATE TA_CONFIGURACION SET VALOR = ? WHERE CLAVE = ?", {"31/12/2003", "[FECHA HASTA]"});
    otra.reset();
    GuionDialogos g;
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    EXPECT_EQ(w.logo().Caption(), "Debe informar los datos de la empresa en la configuracion");
    EXPECT_EQ(w.panel(6)->toolTip(), "01/01/2003 - 31/12/2003");
    // The configuration program is not installed here: the operator is told and start-up goes on.
    ASSERT_EQ(g.mostrados.size(), 1);
    EXPECT_TRUE(g.mostrados[0].texto.startsWith("Opcion no Implementada!"));
    EXPECT_EQ(w.windowTitle(), NombreProducto);
}

TEST_P(Arranque, SinBaseDeDatosNoArranca)
{
    inicio.lineaComandos = QStringLiteral("/NoMostrarSlash;@Server=;@DbName=/no/existe/empresa.db;@Usuario=;@Password=;ADMIN");
    GuionDialogos g;
    frmMDI w(inicio);
    EXPECT_FALSE(w.MDIForm_Load());
    EXPECT_FALSE(con().Conectado());
    ASSERT_EQ(g.mostrados.size(), 1);
    EXPECT_EQ(g.mostrados[0].titulo, "Aviso al operador");
}

TEST_P(Arranque, LaVistaElegidaSobreviveAlReinicio)
{
    {
        frmMDI w(inicio);
        ASSERT_TRUE(w.MDIForm_Load());
        w.mnuViewStatusBar_Click();
        EXPECT_TRUE(w.sbStatusBar()->isHidden());
        EXPECT_FALSE(w.marcado("mnuViewStatusBar"));
        EXPECT_EQ(ini(w.inicio().seccionEquipo, "VER BARRA DE STATUS"), "False");
        w.mnuViewToolbar_Click();
        w.mnuViewToolbar_Click(); // twice: back to shown
        EXPECT_EQ(ini(w.inicio().seccionEquipo, "VER BARRA DE HERRAMIENTAS"), "True");
    }
    ArchivoIni::GrabarIni(ArchivoIniPrograma, "OTRA|MAQUINA", "VER BARRA DE LICENCIA", "False");
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    EXPECT_FALSE(w.marcado("mnuViewStatusBar"));
    EXPECT_TRUE(w.sbStatusBar()->isHidden());
    EXPECT_TRUE(w.marcado("mnuViewLicencia")); // another machine's choice is its own
    EXPECT_FALSE(w.pctlicencia()->isHidden());
    EXPECT_TRUE(w.marcado("mnuViewToolbar"));
}

TEST_P(Arranque, SalirRespondiendoNoNoCambiaNada)
{
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    int terminado = -1;
    w.terminarProceso = [&](int c) { terminado = c; };
    GuionDialogos g;
    g.respuestas << plataforma::vbNo;
    w.MnuArchivosSalir_Click();
    ASSERT_EQ(g.mostrados.size(), 1);
    EXPECT_EQ(g.mostrados[0].texto, "¿Realmente desea salir del sistema " + NombreProducto + "?");
    EXPECT_EQ(g.mostrados[0].estilo, plataforma::vbYesNo + plataforma::vbQuestion);
    EXPECT_EQ(terminado, -1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(con().Conectado());
    EXPECT_EQ(ini("Inicio", "EditarConsulta"), "<nada>");
}

TEST_P(Arranque, SalirRespondiendoSiCierraTodo)
{
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    int terminado = -1;
    w.terminarProceso = [&](int c) { terminado = c; };
    GuionDialogos g;
    g.respuestas << plataforma::vbYes;
    w.MnuArchivosSalir_Click();
    EXPECT_EQ(terminado, 0);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(con().Conectado());
    EXPECT_EQ(ini("INICIO", "EditarConsulta"), "True");
    EXPECT_EQ(ini("Inicio", "ArchivoErrores"), w.inicio().archivoErrores);
    EXPECT_EQ(g.mostrados.size(), 1);
}

namespace {
// A child window that refuses to close while it is busy.
class VentanaOcupada : public QWidget {
public:
    bool ocupada = true;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        if (ocupada) e->ignore();
        else e->accept();
    }
};
} // namespace

TEST_P(Arranque, SalirConUnaVentanaQueNoSeCierraNoTerminaNiCierraLaConexion)
{
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    auto* hija = new VentanaOcupada;
    w.mdiArea()->addSubWindow(hija)->show();
    int terminado = -1;
    w.terminarProceso = [&](int c) { terminado = c; };
    GuionDialogos g;
    g.respuestas << plataforma::vbYes << plataforma::vbYes << plataforma::vbYes;
    w.MnuArchivosSalir_Click();
    EXPECT_EQ(terminado, -1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(con().Conectado());
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(ini("Inicio", "EditarConsulta"), "<nada>"); // exit settings not written

    // A run going on keeps the program open too, even without a child window.
    hija->ocupada = false;
    {
        ContextoEmpresa::Corrida corrida(*w.contexto());
        EXPECT_THROW(ContextoEmpresa::Corrida otra(*w.contexto()), ErrorVexa);
        w.MnuArchivosSalir_Click();
        EXPECT_EQ(terminado, -1);
        EXPECT_TRUE(con().Conectado());
    }
    // Once it is over, Salir ends as usual.
    w.MnuArchivosSalir_Click();
    EXPECT_EQ(terminado, 0);
    EXPECT_FALSE(con().Conectado());
}

// Salir chosen while a reception runs: the run finishes whole, the program and
// its connection stay open, and Salir works once the run is over.
TEST_P(Arranque, SalirDuranteUnaRecepcionLaDejaTerminar)
{
    frmMDI w(inicio);
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    int terminado = -1;
    w.terminarProceso = [&](int c) { terminado = c; };
    GuionDialogos g;
    g.respuestaPorDefecto = plataforma::vbYes; // "¿Realmente desea salir…?" and the end-of-run notice
    auto* rec = new recepcion::FrmInterface(*w.contexto());
    w.mdiArea()->addSubWindow(rec)->show();
    rec->TxtFields[0]->setText(QStringLiteral("VENTAS"));
    rec->Campo_Valida(0);
    rec->TxtFields[1]->setText(QStringLiteral(VEXA_CARPETA_EJEMPLOS "/recepcion/ventas.txt"));
    bool pedido = false;
    QObject::connect(rec, &recepcion::FrmInterface::lineaProcesada, rec, [&](int n) {
        if (n != 2 || pedido) return;
        pedido = true;
        w.MnuArchivosSalir_Click(); // the operator's Salir arrives in the middle of the run
        EXPECT_EQ(terminado, -1);
        EXPECT_TRUE(con().Conectado());
    });
    rec->UtilTeb1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_TRUE(pedido);
    EXPECT_EQ(terminado, -1);
    EXPECT_TRUE(w.isVisible());
    ASSERT_TRUE(con().Conectado());
    // Every line of the file was received and the log row is complete.
    EXPECT_EQ(rec->resultados().cantidad(recepcion::ResultadosRecepcion::Lista::Grabados), 5);
    const auto fila = con().PrimeraFila("SELECT TOTAL_LINEAS FROM TESTIGO_RECEPCION ORDER BY ID DESC LIMIT 1");
    ASSERT_TRUE(fila.has_value());
    EXPECT_EQ(fila->entero("TOTAL_LINEAS"), 5);
    EXPECT_FALSE(w.contexto()->corridaEnCurso());

    // The run is over: Salir closes the reception window and ends the program.
    w.MnuArchivosSalir_Click();
    EXPECT_EQ(terminado, 0);
    EXPECT_FALSE(con().Conectado());
}

VEXA_AMBOS_MOTORES(Arranque);

TEST(CerrarExes, ReglaDelTitulo)
{
    const std::pair<const char*, bool> casos[] = {
        {"Reportes", true},
        {"Vexa - REPORTES contables", true},
        {"cash-flow proyectado", true},
        {"Cash-Flow", true},
        {"Diseño de Reportes", false},
        {"DISEÑO - Cash-Flow", false},
        {"Cashflow", false},
        {"Reporte", false},
        {"", false},
        {"Otra ventana", false},
    };
    for (const auto& [titulo, cerrar] : casos)
        EXPECT_EQ(frmMDI::esVentanaACerrar(QString::fromUtf8(titulo)), cerrar) << titulo;
}

TEST(CerrarExes, SaltaLasVentanasPropias)
{
    const std::vector<VentanaEscritorio> v = {
        {1, "Reportes", 500, 0},     // another program's report window
        {2, "Reportes", 42, 0},      // this process
        {3, "Reportes", 0, 10},      // owned by the main window
        {10, "Reportes", 0, 0},      // the main window itself
        {4, "Cash-Flow", 0, 0},      // unknown process
        {5, "Diseño Reportes", 500, 0},
    };
    EXPECT_EQ(frmMDI::ventanasACerrar(v, {10}, 42), (std::vector<quint64>{1, 4}));
}

TEST(CerrarExes, SinListaDeVentanasNoHaceNada)
{
    // The tests run offscreen: there is no desktop window list.
    EXPECT_FALSE(ventanasEscritorio().has_value());
    frmMDI w;
    w.CerrarExes();
}

} // namespace
