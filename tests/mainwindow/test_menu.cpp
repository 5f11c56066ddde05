// The menu tree, its commands and the checks before them.
#include "ContextoEmpresa.h"
#include "FrmInterface.h"
#include "FrmRenumTitCopiadores.h"
#include "Frm_LibrosIva.h"
#include "LBF_DBPWD.h"
#include "VentanasAsientos.h"
#include "VentanasReferencia.h"
#include "VentanasCotizacion.h"
#include "frmperscampos.h"
#include "ArbolMenu.h"
#include "BaseDePrueba.h"
#include "Dialogos.h"
#include "DespachoMenu.h"
#include "EstadoGlobal.h"
#include "Entorno.h"
#include "MenuPrincipal.h"
#include "frmMDI.h"
#include "RegistroVentanas.h"
#include "CorridaRecepcion.h"
#include "Progreso.h"
#include "VentanasEjercicios.h"
#include "VisorConsulta.h"
#include "lbm_Seguridad.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

// Records what each command would start instead of starting it.
class ServiciosGrabados : public ServiciosMenu {
public:
    QStringList hechos;
    bool reglasReales = false;
    bool periodoAbierto = true, cierre = false, noCreado = false, anteriorCerrado = true;
    QString mensajePeriodo = QStringLiteral("Periodo cerrado"), hallazgos;
    bool lanzadorReal = false;

    // The company the commands see: the test's database.
    ContextoEmpresa empresaDePrueba{Conexion::instancia()};

    ServiciosGrabados()
    {
        comandoVentanaPrincipal = [this](const QString& h) { hechos << "principal:" + h; };
        contexto = &empresaDePrueba;
    }

    bool mostrarVentana(const QString& n, bool modal, const OpcionesVentana& o, const QString& caption) override
    {
        hechos << QStringLiteral("ventana:%1 modal=%2 carga=%3 menu=%4 compras=%5")
                      .arg(n).arg(modal).arg(o.EsCargaInicial).arg(o.Menu).arg(o.Escompras);
        return true;
    }
    void ejecutarReporte(const QString& r) override
    {
        if (lanzadorReal) return ServiciosMenu::ejecutarReporte(r);
        hechos << "reporte:" + r;
    }
    void ejecutarFormulario(const QString& f) override
    {
        if (lanzadorReal) return ServiciosMenu::ejecutarFormulario(f);
        hechos << "formulario:" + f;
    }
    void ejecutarPrograma(const QString& p, const QString& e) override
    {
        if (lanzadorReal) return ServiciosMenu::ejecutarPrograma(p, e);
        hechos << "programa:" + p + "|" + e;
    }
    void mensajeEstado(const QString& t, bool a) override { hechos << QStringLiteral("estado:%1|%2").arg(t).arg(a); }
    std::optional<QString> calendario(const QString& f) override
    {
        hechos << "calendario:" + f;
        return QStringLiteral("15/03/2026");
    }
    void calculadora() override { hechos << "calculadora"; }
    void jerarquiaCuentas() override { hechos << "jerarquia"; }
    void depurarDatos() override { hechos << "depurar"; }
    void acercaDe() override { hechos << "acercaDe"; }
    int respuestaDocumento = 42;
    int abrirDocumento(const QString& a) override { hechos << "documento:" + a; return respuestaDocumento; }
    QString sql;
    Params params;
    void mostrarConsulta(const QString& s, const Params& p, const QString& t) override
    {
        sql = s;
        params = p;
        hechos << "consulta:" + t;
    }
    bool validaEstadoPeriodoActual(QString& m, bool* lCierre, bool* lNoCreado) override
    {
        if (reglasReales) return ServiciosMenu::validaEstadoPeriodoActual(m, lCierre, lNoCreado);
        hechos << QStringLiteral("periodo(cierre=%1,noCreado=%2)").arg(lCierre != nullptr).arg(lNoCreado != nullptr);
        if (lCierre) *lCierre = cierre;
        if (lNoCreado) *lNoCreado = noCreado;
        if (!periodoAbierto) m = mensajePeriodo;
        return periodoAbierto;
    }
    bool ejercicioAnteriorCerrado() override
    {
        if (reglasReales) return ServiciosMenu::ejercicioAnteriorCerrado();
        hechos << "anterior";
        return anteriorCerrado;
    }
    QString validacionesCierre(const QString& p) override
    {
        if (reglasReales) return ServiciosMenu::validacionesCierre(p);
        hechos << "validaciones";
        return hallazgos;
    }
};

QString ejecutar(DespachoMenu& d, ServiciosGrabados& s, GuionDialogos& dlg, const QString& item)
{
    s.hechos.clear();
    dlg.mostrados.clear();
    d.ejecutar(item);
    QStringList r = s.hechos;
    for (const auto& m : dlg.mostrados) r << QStringLiteral("msg:%1|%2|%3").arg(m.texto).arg(m.estilo).arg(m.titulo);
    return r.join(QStringLiteral("; "));
}

const QString kSinFechas = QStringLiteral("msg:FALTA COMPLETAR LA CONFIGURACION FECHAS OPERATIVAS|48|Atención");

} // namespace

// ---------------------------------------------------------------- the tree

TEST(ArbolMenu, EstructuraYCodigos)
{
    const auto arbol = arbolMenu();
    QSet<QString> nombres;
    QStringList raices;
    std::vector<QString> codigoDeNivel(8);
    int previo = 0;
    for (const ItemMenu& it : arbol) {
        EXPECT_LE(it.nivel, previo + 1) << it.nombre;
        previo = it.nivel;
        if (it.esSeparador()) {
            EXPECT_GT(it.nivel, 0);
            continue;
        }
        EXPECT_FALSE(nombres.contains(it.nombre)) << "repeated " << it.nombre;
        nombres.insert(it.nombre);
        if (it.nivel == 0) raices << it.nombre;
        QString caption, codigo;
        codigoDeNivel.resize(it.nivel + 1);
        if (SeparaTarea(QString::fromUtf8(it.caption), caption, codigo)) {
            // Two digits per level below the nearest coded ancestor.
            QString padre;
            for (int n = it.nivel - 1; n >= 0 && padre.isEmpty(); --n) padre = codigoDeNivel[n];
            EXPECT_EQ(codigo.size() % 2, 0) << it.nombre;
            EXPECT_EQ(codigo.left(padre.size()), padre) << it.nombre;
            EXPECT_EQ(codigo.size(), padre.size() + 2) << it.nombre;
        }
        codigoDeNivel[it.nivel] = codigo;
    }
    EXPECT_EQ(raices, (QStringList{"MnuArchivos", "MnuAsientos", "MNU_INT", "MnuCash", "MnuInformes", "Mnu_Ajustes", "MnuBienes",
                                   "MNU_Utilitarios", "mnuView", "mnuWindow", "mnuHelp", "MNU_Seguridad"}));
    EXPECT_EQ(nombres.size(), 105);
    EXPECT_EQ(int(arbol.size()) - nombres.size(), 25); // separators
}

TEST(ArbolMenu, MenuConstruidoConTagsYEstadoDeDiseno)
{
    QMainWindow w;
    auto* c = new ControladorMenu(w, std::make_unique<ServiciosGrabados>());
    c->construirMenu();
    InicializaTareasMenu(itemsMenu(w));

    struct Caso { const char* nombre; const char* caption; const char* tag; bool visible, habilitado, marcado; };
    const Caso casos[] = {
        {"MnuArchivosSalir", "&Salir", "0112", true, true, false},
        // A hidden action also reads as not enabled.
        {"MNU_Sesion", "Cerrar Sesión ...", "0111", false, false, false},
        {"MNU_CambioDeEmpresa", "Cambiar Empresa", "0110", true, false, false},
        {"MNU_Seguridad", "Seguridad", "99", false, false, false},
        {"Mnu_Ajustes", "&Ajustes por Inflación", "07", true, true, false},
        {"MNU_CopiaCD", "&Archivo Legal de Información", "0803", true, true, false},
        {"MnuBienesDeUsoAnexoA", "Anexo \"A\" Bienes de Uso", "0605", true, true, false},
        {"MNU_DatosAdicionales", "&Datos Adicionales", "", true, true, false},
        {"mnuView", "&Ver ", "", true, true, false},
        {"mnuViewToolbar", "&Barra de Herramientas ", "", true, true, true},
        {"mnuViewLicencia", "Barra de Licencia ", "", true, true, true},
        {"mnuHelp", "? ", "", true, true, false},
        {"MnuArchivosLibrosCompras", "&Compras", "01020602", true, true, false},
    };
    for (const Caso& k : casos) {
        QAction* a = c->item(k.nombre);
        ASSERT_TRUE(a) << k.nombre;
        EXPECT_EQ(a->text(), QString::fromUtf8(k.caption)) << k.nombre;
        EXPECT_EQ(tagDe(a), QString::fromUtf8(k.tag)) << k.nombre;
        EXPECT_EQ(a->isVisible(), k.visible) << k.nombre;
        EXPECT_EQ(a->isEnabled(), k.habilitado) << k.nombre;
        EXPECT_EQ(a->isChecked(), k.marcado) << k.nombre;
    }
    // Menu bar and nesting: Archivos > Tablas > Libros de I.V.A. > Compras.
    EXPECT_EQ(w.menuBar()->actions().size(), 12);
    QMenu* tablas = c->item("MNU_Tablas")->menu();
    ASSERT_TRUE(tablas);
    EXPECT_TRUE(c->item("MnuArchivos")->menu()->actions().contains(c->item("MNU_Tablas")));
    EXPECT_TRUE(c->item("MnuArchivosLibros")->menu()->actions().contains(c->item("MnuArchivosLibrosCompras")));
    QStringList enTablas;
    for (QAction* a : tablas->actions()) enTablas << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    EXPECT_EQ(enTablas, (QStringList{"MnuArchivosTablas", "MNU_TA_COTIZACIONES", "-", "MNU_TipoComprobante", "MNU_Subdiarioss",
                                     "MNU_Control_Registro_Comprobantes", "-", "MnuArchivosTITULOS", "MNU_RenumeracionCopiadores",
                                     "MnuArchivosLibros", "MNU_IndiceDeAjustes"}));
}

class PermisosDelMenu : public prueba::BaseDePrueba {};

// The full tree under the grant rows of the database, applied by AplicaPermisos.
TEST_P(PermisosDelMenu, SinPermisosQuedanLosMenusPrincipalesYSalir)
{
    QMainWindow w;
    auto* c = new ControladorMenu(w, std::make_unique<ServiciosGrabados>());
    c->construirMenu();
    InicializaTareasMenu(itemsMenu(w));

    // A user without rows: only what the rules leave alone stays enabled.
    AplicaPermisos(QStringLiteral("NADIE"), w, con());
    EXPECT_TRUE(c->item("MnuArchivosSalir")->isEnabled());
    EXPECT_TRUE(c->item("MnuArchivos")->isEnabled());   // a main menu (two-character task)
    EXPECT_FALSE(c->item("MNU_Usuarios")->isEnabled());
    EXPECT_FALSE(c->item("MNU_CopiaCD")->isEnabled());

    // One granted task (another system's row with the same task does not count).
    const QString usuarios = tagDe(c->item("MNU_Usuarios"));
    ASSERT_GT(usuarios.size(), 2);
    con().Insertar("TA_TAREAS", {{"USUARIO", "ANA"}, {"TAREA", usuarios}, {"SISTEMA", NombreSistema()}});
    con().Insertar("TA_TAREAS", {{"USUARIO", "ANA"}, {"TAREA", tagDe(c->item("MNU_CopiaCD"))}, {"SISTEMA", "OTRO"}});
    AplicaPermisos(QStringLiteral(" ana "), w, con());
    EXPECT_TRUE(c->item("MNU_Usuarios")->isEnabled());
    EXPECT_FALSE(c->item("MNU_CopiaCD")->isEnabled());
    EXPECT_TRUE(c->item("MnuArchivosSalir")->isEnabled());
}

VEXA_AMBOS_MOTORES(PermisosDelMenu);

// ---------------------------------------------------------------- dispatch

class Despacho : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};

TEST_P(Despacho, CadaItemHaceLoSuyo)
{
    const QString ventana = QStringLiteral("ventana:%1 modal=%2 carga=%3 menu=%4 compras=%5");
    auto v = [&](const char* n, bool modal = false, bool carga = false, bool menu = false, bool compras = false) {
        return ventana.arg(n).arg(modal).arg(carga).arg(menu).arg(compras);
    };
    const QString periodo = QStringLiteral("periodo(cierre=0,noCreado=0); ");
    const QString periodoCierre = QStringLiteral("periodo(cierre=1,noCreado=0); ");
    const QString cierre = QStringLiteral("periodo(cierre=1,noCreado=1); anterior; validaciones; ");
    const QMap<QString, QString> esperado = {
        // windows of this program
        {"Mnu_ArchivosRpAcceso", v("RP_Acceso")},
        {"MNU_Usuarios", v("frmTA_Usuarios")},
        {"MNU_Tareas", v("FrmTareas")},
        {"MNU_RenumeracionCopiadores", v("FrmRenumTitCopiadores")},
        {"MnuArchivosLibrosCompras", v("Frm_LibrosIva", true, false, false, true)},
        {"MnuArchivosLibrosVentas", v("Frm_LibrosIva", true, false, false, false)},
        {"MnuAsientosInterfaz", periodoCierre + v("FrmInterface")},
        {"MNU_Impota", v("FrmImportacion")},
        {"mnu_RecpVexa", v("frmDatosVexa")},
        {"MNU_FrmAnulRecep", v("FrmAnulRecep")},
        {"Mnu_Ajuste_Generar", v("FrmAjusteInflacion")},
        {"MNU_IndiceDeAjustes", v("frmMA_INDAJUSTE")},
        {"MNU_CargaDatos", v("FrmMA_BienesUso", false, true)},
        {"MNU_ConsultaModificacionKardex", v("FrmMa_BienesUsoModif")},
        {"MnuArchivosTablas", v("frmTablas")},
        {"MNU_TA_COTIZACIONES", v("FrmTaCotizacion")},
        {"MnuArchivosCentrosCostos", v("Frmta_asigccosto", false, false, true)},
        {"MNU_VistasDatosAdicionales", v("FrmDefVistas")},
        {"MNU_CamposPersonalizados", v("frmperscampos")},
        // reports
        {"MnuInformesCuentas", "reporte:Rp_PlanCtas"},
        {"MnuInformesDiario", "reporte:RP_ASIENTOS"},
        {"MNU_BalancesSS", "reporte:Rp_BalanceSS"},
        {"MnuInformesBalance", "reporte:Rp_Balances"},
        {"MNU_Mayores", "reporte:Rp_Mayor"},
        {"MNU_RPSubdiarios", "reporte:RP_SUBDIARIOS"},
        {"MnuReportesLibrosCompras", "reporte:Rp_LibrosIvaC"},
        {"MnuReportesLibrosVentas", "reporte:Rp_LibrosIvaV"},
        {"Mnu_Ajustes_Saldos", "reporte:Rp_SaldosMensuales"},
        {"Mnu_Ajustes_SaldosAjustados", "reporte:Rp_SaldosMensualesA"},
        {"MNU_Consulta_Kardex", "reporte:Rp_BienesKardex"},
        {"MnuBienesDeUsoAnexoA", "reporte:Rp_AnexoA"},
        {"MnuArchivosTablasBienesDeUsoReportes", "reporte:RP_Bienes"},
        {"MnuArchivosTablasBienesDeUsoStock", "reporte:Rp_BienesStock"},
        {"MnuCashReportePrevio", "reporte:Rp_CASHFLOW"},
        {"mnuHelpAbout2", "reporte:FrmInfo"},
        {"MNU_CopiaCD", cierre + "reporte:FrmArchivoLegalInf"},
        // forms
        {"MNU_DatosAdic", "formulario:frmTA_RANGOS_DATOS_ADIC"},
        {"MnuArchivosTITULOS", "formulario:frmTA_TITCOPIADORES"},
        {"MnuArchivosPublicaciones", "formulario:frmPublicaciones"},
        {"MNU_Interfaces", periodo + "formulario:FrmTA_Interface"},
        {"MNU_Importacion", "formulario:FrmTA_Importacion"},
        {"MNU_Transmisiones", "formulario:FrmTransmisiones"},
        {"MnuCashArmadoPrevio", "formulario:frm_cashflow"},
        {"MnuCashProyectado", "formulario:frm_cashflowp"},
        {"MNU_InformeEspecial", "formulario:Informe"},
        {"MNU_CopiaEstructura", "formulario:Copia"},
        {"MnuArchivosTablasBienesDeUso", "formulario:FrmTa_Bienes"},
        {"MnuBienesDeUsoCalculo", periodo + "formulario:FrmCalculo_Bienes"},
        {"MNU_AnulPlanilla", periodo + "formulario:frmAnulPlanilla"},
        {"MNU_Bibliografia", "formulario:FrmBiblioGrafia"},
        // maintenance programs
        {"MNUArchivosDatosPrincipales", "programa:shell:MA_ESTCUENTAS|"},
        {"MnuArchivosPlanDeCuentas", "programa:shell:ma_cuentas|"},
        {"MNU_ActualizacionDatosAdicionales", "programa:shell:MA_CUENTAS|MA_CUENTASADIC"},
        {"MNU_ManualCtas", "programa:shell:MA_CUENTAS|Ma_ManualCuentas"},
        {"MNU_TipoComprobante", "programa:shell:TA_COMPROBANTES|"},
        {"MNU_Subdiarioss", "programa:shell:MA_subdiarios|"},
        {"MnuArchivosLibrosParametros", "programa:shell:ta_cuentas_iva|"},
        {"MNU_Configuracion", "estado:Cargando tabla de configuración |1; programa:Shell:RZ_CONFIG|; estado:...|0"},
        {"MnuAsientosDiario", periodo + "programa:Shell:MV_ASientos|"},
        {"MNU_Sub", periodo + "programa:Shell:MV_ASientos|subdiario"},
        {"MNUAsientosResumen", periodo + "programa:shell:Mv_AstResumen|"},
        {"MNU_AMRD", "programa:shell:MA_astmodelo|"},
        {"MNU_AMSD", "programa:shell:MA_astmodelosd|"},
        {"MnuCierre", cierre + "programa:SHELL:MV_Cancelacion|"},
        // tools and other commands
        {"MNU_TEmP", "calendario:"},
        {"MNU_Calculadora", "calculadora"},
        {"MNU_Jerarquia", "jerarquia"},
        {"MnuArchivosDepuraciones", "depurar"},
        {"mnuHelpAbout", "acercaDe"},
        {"mnuHelpAyuda", "documento:Manual.chm"},
        {"mnu_planillaReg", "consulta:Registraciones; msg:Recuerde hacer clic sobre la columna por la cual desea ordenar la consulta, "
                            "luego seleccione el tipo de ordenamiento.|64|Aviso al operador"},
        {"MNU_Control_Registro_Comprobantes", "msg:Opcion deshabilitada!|0|" + tituloAplicacion()},
        {"mnuWindowCascade", "principal:Cascada"},
        {"mnuWindowTileHorizontal", "principal:MosaicoHorizontal"},
        {"mnuWindowTileVertical", "principal:MosaicoVertical"},
        {"mnuWindowArrangeIcons", "principal:OrganizarIconos"},
        {"mnuViewToolbar", "principal:VerBarraHerramientas"},
        {"mnuViewStatusBar", "principal:VerBarraStatus"},
        {"mnuViewLicencia", "principal:VerBarraLicencia"},
        {"MnuArchivosSalir", "principal:Salir"},
    };
    ServiciosGrabados s;
    DespachoMenu d(s);
    GuionDialogos dlg;
    QSet<QString> vistos;
    for (const ItemMenu& it : arbolMenu()) {
        if (it.esSeparador()) continue;
        const QString n = QString::fromLatin1(it.nombre);
        vistos.insert(n);
        // Menus, the empty handlers and the items without one do nothing.
        EXPECT_EQ(ejecutar(d, s, dlg, n), esperado.value(n)) << it.nombre;
    }
    for (const QString& n : esperado.keys()) EXPECT_TRUE(vistos.contains(n)) << n.toStdString();
    // The picked date stays: the calendar opens on it again.
    EXPECT_EQ(ejecutar(d, s, dlg, QStringLiteral("MNU_TEmP")), QStringLiteral("calendario:15/03/2026"));
}

TEST_P(Despacho, ChequeosPeriodoYFechasOperativas)
{
    ServiciosGrabados s;
    DespachoMenu d(s);
    GuionDialogos dlg;
    s.periodoAbierto = false;
    s.mensajePeriodo = QStringLiteral("El Periodo tiene realizado el Cierre de libros contables ");
    const QString rechazo = QStringLiteral("msg:El Periodo tiene realizado el Cierre de libros contables |16|") + tituloAplicacion();
    for (const char* item : {"MnuAsientosDiario", "MNU_Sub", "MNUAsientosResumen", "MNU_Interfaces", "MnuBienesDeUsoCalculo", "MNU_AnulPlanilla"})
        EXPECT_EQ(ejecutar(d, s, dlg, item), "periodo(cierre=0,noCreado=0); " + rechazo) << item;
    EXPECT_EQ(ejecutar(d, s, dlg, "MnuAsientosInterfaz"), "periodo(cierre=1,noCreado=0); " + rechazo);

    // "FECHAOPERDESDE" blank or missing: nothing starts.
    s.periodoAbierto = true;
    for (const QVariant& valor : {QVariant(QStringLiteral("   ")), QVariant()}) {
        con().EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE = ?", {"FECHAOPERDESDE"});
        if (valor.isValid()) con().Insertar("TA_CONFIGURACION", {{"CLAVE", "FECHAOPERDESDE"}, {"VALOR", valor}});
        EXPECT_EQ(ejecutar(d, s, dlg, "MnuAsientosDiario"), "periodo(cierre=0,noCreado=0); " + kSinFechas);
        EXPECT_EQ(ejecutar(d, s, dlg, "MnuBienesDeUsoCalculo"), "periodo(cierre=0,noCreado=0); " + kSinFechas);
        // Only those two look at the operating dates.
        EXPECT_EQ(ejecutar(d, s, dlg, "MNU_Sub"), "periodo(cierre=0,noCreado=0); programa:Shell:MV_ASientos|subdiario");
    }
}

TEST(DespachoCierre, MatrizDelCierre)
{
    struct Caso {
        bool abierto, cierre, noCreado, anterior;
        const char* hallazgos;
        bool corre;
        const char* mensaje;
    };
    const char* kAnterior = "No ha realizado el cierre del ejercicio anterior\rRealice esta operación y vuelva a intentarlo";
    const Caso casos[] = {
        {true, false, false, true, "", true, nullptr},
        {false, true, false, true, "", false, "rechazo"},      // year closed
        {false, false, true, true, "", false, "rechazo"},      // no year
        {false, false, false, true, "", true, nullptr},        // cancelled year, open previous...: goes on here
        {true, false, false, false, "", false, kAnterior},     // previous year open
        {true, false, false, true, "hay bienes sin calcular", false, nullptr}, // pre-checks found something
        {true, false, false, true, "   ", true, nullptr},      // blank findings count as none
    };
    ServiciosGrabados s;
    DespachoMenu d(s);
    GuionDialogos dlg;
    s.mensajePeriodo = "rechazo";
    for (const char* item : {"MNU_CopiaCD", "MnuCierre"})
        for (const Caso& c : casos) {
            s.periodoAbierto = c.abierto;
            s.cierre = c.cierre;
            s.noCreado = c.noCreado;
            s.anteriorCerrado = c.anterior;
            s.hallazgos = c.hallazgos;
            s.hechos.clear();
            dlg.mostrados.clear();
            d.ejecutar(item);
            const bool corrio = s.hechos.last().startsWith("reporte:") || s.hechos.last().startsWith("programa:");
            EXPECT_EQ(corrio, c.corre) << item << " " << c.abierto << c.cierre << c.noCreado << c.anterior << c.hallazgos;
            if (c.mensaje) {
                ASSERT_EQ(dlg.mostrados.size(), 1);
                EXPECT_EQ(dlg.ultimo(), QString::fromUtf8(c.mensaje));
                EXPECT_EQ(dlg.mostrados.last().estilo, vbCritical);
            } else {
                EXPECT_TRUE(dlg.mostrados.isEmpty());
            }
        }
}

class ChequeosReales : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};

TEST_P(ChequeosReales, ConLasReglasDelEjercicio)
{
    ServiciosGrabados s;
    s.reglasReales = true;
    DespachoMenu d(s);
    GuionDialogos dlg;
    // Demo: year 2 open, year 1 closed. Everything goes through.
    EXPECT_EQ(ejecutar(d, s, dlg, "MnuAsientosInterfaz"), "ventana:FrmInterface modal=0 carga=0 menu=0 compras=0");
    EXPECT_EQ(ejecutar(d, s, dlg, "MnuCierre"), "programa:SHELL:MV_Cancelacion|");

    // The previous year still open: the period check refuses the entry work, the closing its own message.
    con().EjecutarSQL("UPDATE MV_EJERCICIOS SET CERRADO = 0, CIERRE = 0 WHERE PERIODO = 1");
    EXPECT_TRUE(ejecutar(d, s, dlg, "MnuAsientosDiario").startsWith("msg:El Periodo anterior"));
    EXPECT_EQ(ejecutar(d, s, dlg, "MnuCierre"),
              "msg:No ha realizado el cierre del ejercicio anterior\rRealice esta operación y vuelva a intentarlo|16|" + tituloAplicacion());

    // The active year closed: the closing stops at the period check.
    con().EjecutarSQL("UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = 2");
    EXPECT_EQ(ejecutar(d, s, dlg, "MNU_CopiaCD"), "msg:El Periodo tiene realizado el Cierre de libros contables |16|" + tituloAplicacion());

    // No fiscal year at all.
    con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    const QString r = ejecutar(d, s, dlg, "MnuAsientosInterfaz");
    EXPECT_TRUE(r.startsWith("msg:No se han creado Ejercicios!!!")) << r.toStdString();
    EXPECT_FALSE(r.contains("ventana:"));
    EXPECT_TRUE(ejecutar(d, s, dlg, "MnuCierre").startsWith("msg:No se han creado Ejercicios!!!"));
}

// The year-end pre-checks before the closing commands, on the demo company.
TEST_P(ChequeosReales, ValidacionesDeCierre)
{
    ServiciosGrabados s;
    s.reglasReales = true;
    CargarValoresContables(s.empresaDePrueba); // the active year, 2
    DespachoMenu d(s);
    GuionDialogos dlg;
    const QString pendiente = QStringLiteral("Atencion:Se ha detectado que los siguientes Subdiarios tienen movimientos sin "
                                             "incluir en un Asiento Resumen: \r") +
                              QString(37, u' ') + "VTAS\r\r\r Realice el Asiento Resumen de los mismos y Vuelva a Intentarlo.-";
    auto lineaVentas = [&](const QVariant& contabilizado) {
        con().Insertar("MV_ASIENTOS", {{"PERIODO", 2}, {"MES_OPERATIVO", 3}, {"[NUMERO ASIENTO]", 900}, {"SECUENCIA", 1},
                                       {"TIPO_REG", " VTAS "}, {"CONTABILIZADO", contabilizado}});
    };
    struct Caso { const char* nombre; std::function<void()> preparar; QString resultado; };
    const Caso casos[] = {
        {"todo en orden", [] {}, "programa:SHELL:MV_Cancelacion|"},
        {"subdiario pendiente", [&] { lineaVentas(0); }, "msg:" + pendiente + "|48|Aviso al operador!!!"},
        {"ya resumido", [&] { lineaVentas(1); }, "programa:SHELL:MV_Cancelacion|"},
        {"bien sin cálculo", [&] { con().EjecutarSQL("DELETE FROM MV_CALCULO_BIENES WHERE CODIGO = '2'"); },
         "msg:No se han realizado los Cálculos de Depreciaciones de este Ejercicio|48|Aviso al operador!!!"},
        {"sin registro de bienes", [&] {
             con().EjecutarSQL("DELETE FROM MV_CALCULO_BIENES");
             con().EjecutarSQL("UPDATE TA_CONFIGURACION SET VALOR = 'NO' WHERE CLAVE = 'USA BIENES DE USO'");
         }, "programa:SHELL:MV_Cancelacion|"},
    };
    for (const auto& c : casos) {
        c.preparar();
        EXPECT_EQ(ejecutar(d, s, dlg, "MnuCierre"), c.resultado) << c.nombre;
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = 900");
    }
    // The legal-archive report stops the same way.
    lineaVentas(0);
    EXPECT_EQ(ejecutar(d, s, dlg, "MNU_CopiaCD"), "msg:" + pendiente + "|48|Aviso al operador!!!");

    // A database error: the central handler shows it (Cancelar) and the command starts nothing.
    con().EjecutarSQL("DROP TABLE MA_SUBDIARIOS");
    dlg.respuestas.enqueue(vbAbort);
    const QString r = ejecutar(d, s, dlg, "MnuCierre");
    EXPECT_FALSE(r.contains("programa:")) << r.toStdString();
    EXPECT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.mostrados.value(0).estilo & 7, vbAbortRetryIgnore);
    // Ignoring it does not let the closing go on either.
    dlg.respuestas.enqueue(vbIgnore);
    EXPECT_FALSE(ejecutar(d, s, dlg, "MnuCierre").contains("programa:"));
    EXPECT_FALSE(s.validacionesCierre("2").isEmpty());
}

// As an operator would: the example sales file received, then the closing command.
TEST_P(ChequeosReales, TrasLaRecepcionDeEjemploElCierreSeDetiene)
{
    ServiciosGrabados s;
    s.reglasReales = true;
    CargarValoresContables(s.empresaDePrueba);
    ProgresoNulo p;
    const auto r = recepcion::RecibirInterface(s.empresaDePrueba, "VENTAS",
                                               QStringLiteral(VEXA_CARPETA_EJEMPLOS "/recepcion/ventas.txt"), p);
    ASSERT_EQ(r.fin, recepcion::ResultadoCorrida::Fin::Completa);
    DespachoMenu d(s);
    GuionDialogos dlg;
    const QString hecho = ejecutar(d, s, dlg, "MnuCierre");
    EXPECT_TRUE(hecho.startsWith("msg:Atencion:Se ha detectado")) << hecho.toStdString();
    EXPECT_TRUE(hecho.contains(QString(37, u' ') + "VTAS\r")) << hecho.toStdString();
    EXPECT_FALSE(hecho.contains("programa:")) << hecho.toStdString();
}

// A connection the server dropped is opened again before the next command, which
// then runs, and the operator is told; when it cannot be opened again the command
// does not run and the message names the server.
TEST_P(ChequeosReales, ConexionPerdidaSeReabreAntesDeLaOrden)
{
    ServiciosGrabados s;
    s.reglasReales = true;
    DespachoMenu d(s);
    GuionDialogos dlg;
    const QString aviso = QStringLiteral("msg:Se perdió la conexión con la base de datos; se volvió a conectar.|64|Aviso al operador");
    const QString ventana = QStringLiteral("ventana:FrmInterface modal=0 carga=0 menu=0 compras=0");
    auto cortar = [&] {
        const QVariant pid = con().Escalar(QStringLiteral("SELECT pg_backend_pid()"));
        // Ends the session and waits until the server process is gone.
        ASSERT_TRUE(otraConexion()->Escalar(QStringLiteral("SELECT pg_terminate_backend(CAST(? AS INTEGER), 10000)"), {pid}).toBool());
        EXPECT_THROW(con().Escalar(QStringLiteral("SELECT 1")), ErrorBD);
        EXPECT_TRUE(con().conexionPerdida());
    };
    if (motor() == Motor::SQLite) {
        EXPECT_EQ(ejecutar(d, s, dlg, "MnuAsientosInterfaz"), ventana);
        return;
    }
    cortar();
    EXPECT_EQ(ejecutar(d, s, dlg, "MnuAsientosInterfaz"), ventana + "; " + aviso);
    EXPECT_FALSE(con().conexionPerdida());

    cortar();
    const QString base = con().datos().dbName;
    DatosConexion otraBase = con().datos();
    otraBase.dbName = QStringLiteral("vexa_no_existe_%1").arg(QCoreApplication::applicationPid());
    con().setDatos(otraBase);
    const QString r = ejecutar(d, s, dlg, "MnuAsientosInterfaz");
    EXPECT_FALSE(r.contains("ventana:")) << r.toStdString();
    EXPECT_TRUE(r.startsWith("msg:Se perdió la conexión con la base de datos y no se pudo volver a conectar con el servidor " + con().datos().server))
        << r.toStdString();
    otraBase.dbName = base;
    con().setDatos(otraBase);
    EXPECT_EQ(ejecutar(d, s, dlg, "MnuAsientosInterfaz"), ventana + "; " + aviso);
}

TEST_P(ChequeosReales, PlanillaDeRegistracionesSoloDiarioYResumen)
{
    auto linea = [&](int periodo, int numero, const QVariant& tipoReg) {
        con().Insertar("MV_ASIENTOS", {{"PERIODO", periodo}, {"MES_OPERATIVO", 3}, {"[NUMERO ASIENTO]", numero}, {"SECUENCIA", 1},
                                       {"TIPO_REG", tipoReg}, {"CUENTA", "1110001"}, {"[DEBE-HABER]", "D"}});
    };
    con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
    linea(2, 101, QString());                          // ordinary
    linea(2, 102, QString(QChar(0xFF)) + "RS");        // summary
    linea(2, 103, "RS");                               // not the summary marker
    linea(2, 104, "VTA");                              // a sub-journal
    linea(1, 105, QString());                          // another year
    con().EjecutarSQL("UPDATE TA_CONFIGURACION SET VALOR = ? WHERE CLAVE = ?", {" 2 ", "PERIODO"});

    ServiciosGrabados s;
    DespachoMenu d(s);
    GuionDialogos dlg;
    d.ejecutar("mnu_planillaReg");
    EXPECT_EQ(s.empresaDePrueba.periodoActivo(), "2");
    QList<int> numeros;
    for (Recordset rs = con().ObtenerRecordset(s.sql, s.params); !rs.eof(); rs.siguiente()) {
        numeros << int(rs.entero("NUMERO ASIENTO"));
        EXPECT_EQ(rs.entero("EJERCICIO"), 2);
        EXPECT_TRUE(rs.fila().tiene("LINEA") && rs.fila().tiene("CONCEPTO"));
    }
    std::sort(numeros.begin(), numeros.end());
    EXPECT_EQ(numeros, (QList<int>{101, 102}));

    // The grid viewer over the same query; a failing query is reported, no window.
    std::unique_ptr<QWidget> visor(VisorConsulta::Mostrar(con(), s.sql, s.params, "Registraciones"));
    ASSERT_TRUE(visor);
    EXPECT_EQ(visor->windowTitle(), "Registraciones");
    auto* grilla = visor->findChild<QTableWidget*>();
    ASSERT_TRUE(grilla);
    EXPECT_EQ(grilla->rowCount(), 2);
    EXPECT_EQ(grilla->horizontalHeaderItem(12)->text().toUpper(), "CONCEPTO");
    const int columnas = grilla->columnCount();

    // The same query without rows: the headings are still there.
    con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
    std::unique_ptr<QWidget> visorVacio(VisorConsulta::Mostrar(con(), s.sql, s.params, "Registraciones"));
    ASSERT_TRUE(visorVacio);
    auto* grillaVacia = visorVacio->findChild<QTableWidget*>();
    ASSERT_TRUE(grillaVacia);
    EXPECT_EQ(grillaVacia->rowCount(), 0);
    ASSERT_EQ(grillaVacia->columnCount(), columnas);
    for (int c = 0; c < columnas; ++c)
        EXPECT_EQ(grillaVacia->horizontalHeaderItem(c)->text(), grilla->horizontalHeaderItem(c)->text()) << c;
    dlg.mostrados.clear();
    EXPECT_EQ(VisorConsulta::Mostrar(con(), "SELECT NADA FROM TABLA_QUE_NO_EXISTE", {}, "x"), nullptr);
    EXPECT_EQ(dlg.mostrados.size(), 1);
}

TEST_P(ChequeosReales, LanzaLosProgramasCompanerosConLaConexion)
{
    prueba::CarpetaProgramas carpeta({"RZ731R.EXE", "RZ731CF.EXE", "MA_CUENTAS"});
    ASSERT_TRUE(carpeta.creada());
    LanzadorGuion lanzador;
    instalarLanzador(&lanzador);
    ServiciosGrabados s;
    s.lanzadorReal = true;
    DespachoMenu d(s);
    GuionDialogos dlg;
    d.ejecutar("MNU_Mayores");
    d.ejecutar("MNU_Transmisiones");
    d.ejecutar("MNU_ManualCtas");
    instalarLanzador(nullptr);
    ASSERT_EQ(lanzador.iniciados.size(), 3) << dlg.textosMostrados().join(" / ").toStdString();
    EXPECT_TRUE(lanzador.iniciados[0].programa.endsWith("RZ731R.EXE"));
    EXPECT_TRUE(lanzador.iniciados[0].argumentos.join(" ").startsWith("@Menu=Rp_Mayor;@Server="));
    EXPECT_TRUE(lanzador.iniciados[1].programa.endsWith("RZ731CF.EXE"));
    EXPECT_TRUE(lanzador.iniciados[1].argumentos.join(" ").startsWith("@Menu=FrmTransmisiones;"));
    EXPECT_TRUE(lanzador.iniciados[2].programa.endsWith("MA_CUENTAS"));
    EXPECT_TRUE(lanzador.iniciados[2].argumentos.join(" ").contains("; @ParametroAdicional=Ma_ManualCuentas; qorn@ ;"));
}

VEXA_AMBOS_MOTORES(Despacho);
VEXA_AMBOS_MOTORES(ChequeosReales);

// ---------------------------------------------------------------- windows

namespace {
class VentanaDePrueba : public QWidget {
public:
    static inline int creadas = 0;
    explicit VentanaDePrueba(const OpcionesVentana& o) : cargaAlCrear(o.EsCargaInicial) { ++creadas; }
    bool cargaAlCrear;
};
const bool registrada = [] {
    registrarVentana("VentanaDePruebaMenu", [](ContextoEmpresa&, const OpcionesVentana& o) { return new VentanaDePrueba(o); });
    return true;
}();
} // namespace

TEST(VentanasDelMenu, UnaInstanciaCompartidaYAvisoSiNoExiste)
{
    ASSERT_TRUE(registrada);
    QMdiArea mdi;
    Conexion sinAbrir;
    ContextoEmpresa ctx(sinAbrir);
    ServiciosMenu s;
    s.contexto = &ctx;
    s.areaMdi = &mdi;
    GuionDialogos dlg;
    OpcionesVentana o;
    o.EsCargaInicial = true;
    VentanaDePrueba::creadas = 0;
    ASSERT_TRUE(s.mostrarVentana("VentanaDePruebaMenu", false, o, "Prueba"));
    QWidget* w = s.ventanaAbierta("VentanaDePruebaMenu");
    ASSERT_TRUE(w);
    EXPECT_TRUE(static_cast<VentanaDePrueba*>(w)->cargaAlCrear);
    EXPECT_EQ(w->objectName(), "VentanaDePruebaMenu");
    EXPECT_EQ(mdi.subWindowList().size(), 1);
    // Again: the same instance, the member set true again.
    w->setProperty("EsCargaInicial", false);
    ASSERT_TRUE(s.mostrarVentana("VentanaDePruebaMenu", false, o, "Prueba"));
    EXPECT_EQ(s.ventanaAbierta("VentanaDePruebaMenu"), w);
    EXPECT_EQ(VentanaDePrueba::creadas, 1);
    EXPECT_TRUE(w->property("EsCargaInicial").toBool());
    EXPECT_EQ(mdi.subWindowList().size(), 1);
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    // Closed: the next command creates it anew.
    delete mdi.subWindowList().first();
    EXPECT_EQ(s.ventanaAbierta("VentanaDePruebaMenu"), nullptr);

    EXPECT_FALSE(s.mostrarVentana("FrmQueNoExiste", false, {}, "Recepción de Cuentas"));
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.ultimo(), DespachoMenu::textoVentanaNoDisponible("Recepción de Cuentas"));
    EXPECT_TRUE(dlg.ultimo().contains("Recepción de Cuentas"));
    EXPECT_EQ(dlg.mostrados.last().titulo, "Aviso al operador");
}

TEST(VentanasDelMenu, ErrorEnUnComandoSeMuestraYSigue)
{
    class Falla : public ServiciosGrabados {
    public:
        void ejecutarReporte(const QString&) override { throw ErrorVexa(91, "Variable de objeto no establecida"); }
    };
    QMainWindow w;
    auto* c = new ControladorMenu(w, std::make_unique<Falla>());
    c->construirMenu();
    GuionDialogos dlg;
    c->item("MNU_Mayores")->trigger();
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.ultimo(), "Ha ocurrido un error : Variable de objeto no establecida");
    // A disabled item runs nothing, even when asked directly.
    c->item("MNU_Mayores")->setEnabled(false);
    c->ejecutarItem("MNU_Mayores");
    EXPECT_EQ(dlg.mostrados.size(), 1);
}

TEST(VentanasDelMenu, LaVentanaQueSeCierraSolaNoDejaMarcoVacio)
{
    QMdiArea mdi;
    Conexion sinAbrir;
    ContextoEmpresa ctx(sinAbrir);
    ServiciosMenu s;
    s.contexto = &ctx;
    s.areaMdi = &mdi;
    ASSERT_TRUE(s.mostrarVentana("VentanaDePruebaMenu", false, {}, "Prueba"));
    QWidget* w = s.ventanaAbierta("VentanaDePruebaMenu");
    ASSERT_TRUE(w);
    QPointer<QMdiSubWindow> marco = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    ASSERT_TRUE(marco);
    w->close(); // the window's own "Cerrar"
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(s.ventanaAbierta("VentanaDePruebaMenu"), nullptr);
    EXPECT_TRUE(marco.isNull() || !marco->isVisible());
    EXPECT_TRUE(mdi.subWindowList().isEmpty());
}

TEST(VentanaPrincipal, ElMenuYLosBotonesEstanEnLaVentana)
{
    frmMDI w;
    ControladorMenu* c = ControladorMenu::de(w);
    ASSERT_TRUE(c);
    EXPECT_EQ(itemsMenu(w).size(), 130);
    EXPECT_EQ(w.menuBar()->actions().size(), 12);
    ASSERT_TRUE(c->pctMain());
    QWidget* area = w.findChild<QWidget*>("PctMain");
    ASSERT_TRUE(area);
    EXPECT_TRUE(area->isAncestorOf(c->pctMain()));
    EXPECT_EQ(c->servicios().areaMdi, w.mdiArea());

    InicializaTareasMenu(w);
    EXPECT_EQ(c->item("MnuArchivosSalir")->text(), "&Salir");
    c->item("MNU_Sesion")->setVisible(true);
    ocultarItemMenu(w, "MNU_Sesion");
    EXPECT_FALSE(c->item("MNU_Sesion")->isVisible());
    ocultarItemMenu(w, "NoExiste");

    c->imagenes().MouseMove(4);
    InicializaBordes(w);
    EXPECT_EQ(c->imagenes().IndiceResaltado, -1);

    // Window arrangement reaches the MDI area.
    GuionDialogos dlg;
    auto* a = w.mdiArea()->addSubWindow(new QWidget);
    auto* b = w.mdiArea()->addSubWindow(new QWidget);
    w.resize(1000, 700);
    w.show();
    a->show();
    b->show();
    c->ejecutarItem("mnuWindowTileVertical");
    EXPECT_EQ(a->geometry().top(), 0);
    EXPECT_EQ(b->geometry().top(), 0);
    EXPECT_LT(a->geometry().left(), b->geometry().left());
    c->ejecutarItem("mnuWindowTileHorizontal");
    EXPECT_EQ(a->geometry().left(), 0);
    EXPECT_LT(a->geometry().top(), b->geometry().top());
    EXPECT_TRUE(dlg.mostrados.isEmpty());
}

// Each subsystem's registration function makes its windows known by name.
TEST(VentanasDelMenu, LasVentanasDeLosSubsistemasEstanRegistradas)
{
    recepcion::registrarVentanasRecepcion();
    registrarVentanasVentanaPrincipal();
    registrarVentanasEjercicios();
    registrarVentanasAsientos();
    registrarVentanasNucleo();
    registrarVentanasReferencia();
    EXPECT_TRUE(existeVentana("frmTablas"));
    EXPECT_TRUE(existeVentana("FrmDefVistas"));
    registrarVentanasCotizacion();
    EXPECT_TRUE(existeVentana("FrmInterface"));
    EXPECT_TRUE(existeVentana("frmperscampos"));
    EXPECT_TRUE(existeVentana("WizEjercicio"));
    EXPECT_TRUE(existeVentana("FrmOrdenCompra"));
    EXPECT_TRUE(existeVentana("Frm_LibrosIva"));
    EXPECT_TRUE(existeVentana("FrmRenumTitCopiadores"));
    EXPECT_TRUE(existeVentana("LBF_DBPWD"));
    EXPECT_TRUE(existeVentana("FrmTaCotizacion"));
}

// The journal windows open from their menu items on the company's data.
class VentanasAsientosDelMenu : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};

TEST_P(VentanasAsientosDelMenu, LibrosDeIvaYRenumeracion)
{
    registrarVentanasAsientos();
    QMdiArea mdi;
    ContextoEmpresa ctx(con());
    ServiciosMenu s;
    s.contexto = &ctx;
    s.areaMdi = &mdi;
    DespachoMenu d(s);
    GuionDialogos dlg;
    for (const char* item : {"MnuArchivosLibrosCompras", "MnuArchivosLibrosVentas"}) {
        SCOPED_TRACE(item);
        const bool compras = QString(item).endsWith("Compras");
        QString titulo;
        int cuentas = 0;
        // Modal: looked at while it waits, then closed with CERRAR.
        QTimer espera;
        QObject::connect(&espera, &QTimer::timeout, [&] {
            for (QWidget* t : QApplication::topLevelWidgets()) {
                auto* w = qobject_cast<Frm_LibrosIva*>(t);
                if (!w || !w->isVisible() || !w->isModal()) continue;
                espera.stop();
                titulo = w->windowTitle();
                cuentas = int(w->codigosSeleccionados().size());
                w->UtilTeb1_ButtonClick("CERRAR");
            }
        });
        espera.start(10);
        EXPECT_TRUE(d.ejecutar(QString::fromLatin1(item)));
        EXPECT_FALSE(espera.isActive());
        EXPECT_EQ(titulo, compras ? "Asignación de Cuentas al Libro de I.V.A. Compras" : "Asignación de Cuentas al Libro de I.V.A. Ventas");
        EXPECT_EQ(cuentas, con().Escalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE TITULO = 0 AND %1 <> 0")
                                             .arg(compras ? "LIBRO_IVA_COMPRAS" : "LIBRO_IVA_VENTAS"))
                               .toInt());
        EXPECT_GT(cuentas, 0);
    }
    EXPECT_TRUE(d.ejecutar("MNU_RenumeracionCopiadores"));
    auto* r = qobject_cast<FrmRenumTitCopiadores*>(s.ventanaAbierta("FrmRenumTitCopiadores"));
    ASSERT_TRUE(r);
    EXPECT_EQ(mdi.subWindowList().size(), 1);
    r->campo("TitDesde")->setText("1");
    r->campo("TitHasta")->setText("9");
    r->CmdCargar_Click();
    EXPECT_EQ(r->ListView1->topLevelItemCount(), 5); // the demo titles, 0004 free
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    delete mdi.subWindowList().first(); // closed before the area goes
}

VEXA_AMBOS_MOTORES(VentanasAsientosDelMenu);

// The reference windows open from their menu items, modeless, on the demo company.
TEST_P(VentanasAsientosDelMenu, TablasDeReferenciaYVistas)
{
    registrarVentanasReferencia();
    QMdiArea mdi;
    ContextoEmpresa ctx(con());
    ServiciosMenu s;
    s.contexto = &ctx;
    s.areaMdi = &mdi;
    DespachoMenu d(s);
    GuionDialogos dlg;
    EXPECT_TRUE(d.ejecutar("MnuArchivosTablas"));
    EXPECT_TRUE(d.ejecutar("MNU_VistasDatosAdicionales"));
    ASSERT_TRUE(s.ventanaAbierta("frmTablas"));
    ASSERT_TRUE(s.ventanaAbierta("FrmDefVistas"));
    EXPECT_EQ(s.ventanaAbierta("frmTablas")->windowTitle(), "Tablas de Referencias");
    EXPECT_EQ(mdi.subWindowList().size(), 2);
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();
    while (!mdi.subWindowList().isEmpty()) delete mdi.subWindowList().first();
}
