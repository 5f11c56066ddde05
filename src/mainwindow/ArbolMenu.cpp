#include "ArbolMenu.h"

#include <array>

namespace vexa {

namespace {

using A = Accion;
using M = Miembro;
namespace H = herramienta;

constexpr ItemMenu sep(int nivel) { return {nivel, "", "-"}; }

// Captions are the design captions; the task code after "**" moves into the
// item's tag at start-up. Order, levels and separators are those of the menu bar.
const ItemMenu arbol[] = {
    {0, "MnuArchivos", "&Archivos ** 01"},
    {1, "MnuArchivosPDC", "&Plan General de Cuentas ** 0101"},
    {2, "MNUArchivosDatosPrincipales", "&Plan General de Cuentas - Estructura de codificación ** 010101", A::Programa, "shell:MA_ESTCUENTAS"},
    {2, "MNU_DatosAdicionales", "&Datos Adicionales"},
    {3, "MNU_DatosAdic", "Rangos de Datos Adicionales** 010102", A::Formulario, "frmTA_RANGOS_DATOS_ADIC"},
    {3, "MNU_ActualizacionDatosAdicionales", "Actualización - Consulta de Datos Adicionales**010105", A::Programa, "shell:MA_CUENTAS", "MA_CUENTASADIC"},
    {3, "MNU_VistasDatosAdicionales", "Definición de Atributos Operativos para Datos Adicionales**010109", A::Ventana, "FrmDefVistas"},
    {3, "MNU_CamposPersonalizados", "Campos Personalizados - Datos Adicionales**010108", A::Ventana, "frmperscampos"},
    sep(2),
    {2, "MnuArchivosPlanDeCuentas", "&Actualizacion Plan General de Cuentas** 010103", A::Programa, "shell:ma_cuentas"},
    {2, "MnuArchivosCentrosCostos", "Actualización de Centros de Costos ** 010104", A::Ventana, "Frmta_asigccosto", "", SinChequeo, M::Menu},
    sep(2),
    {2, "MNU_ManualCtas", "Manual de Cuentas** 010106", A::Programa, "shell:MA_CUENTAS", "Ma_ManualCuentas"},
    {2, "MNU_Jerarquia", "Consulta de Jerarquía de Cuentas** 010107", A::Herramienta, H::JerarquiaCuentas},
    {1, "MNU_Tablas", "&Tablas Operativas del Sistema ** 0102"},
    {2, "MnuArchivosTablas", "&Referencias ** 010201", A::Ventana, "frmTablas"},
    {2, "MNU_TA_COTIZACIONES", "Tabla de Cotizaciones Diarias**010208", A::Ventana, "FrmTaCotizacion"},
    sep(2),
    {2, "MNU_TipoComprobante", "&Comprobantes ** 010202", A::Programa, "shell:TA_COMPROBANTES"},
    {2, "MNU_Subdiarioss", "&Subdiarios ** 010203", A::Programa, "shell:MA_subdiarios"},
    {2, "MNU_Control_Registro_Comprobantes", "Control &Registro de Comprobantes ** 010204", A::Herramienta, H::OpcionDeshabilitada},
    sep(2),
    {2, "MnuArchivosTITULOS", "&Tabla de Titulos de Copiadores ** 010205", A::Formulario, "frmTA_TITCOPIADORES"},
    {2, "MNU_RenumeracionCopiadores", "&Renumeración de Títulos Copiadores", A::Ventana, "FrmRenumTitCopiadores"},
    {2, "MnuArchivosLibros", "&Libros de I.V.A. ** 010206"},
    {3, "MnuArchivosLibrosParametros", "&Parámetros ** 01020601", A::Programa, "shell:ta_cuentas_iva"},
    sep(3),
    {3, "MnuArchivosLibrosCompras", "&Compras ** 01020602", A::VentanaModal, "Frm_LibrosIva", "", SinChequeo, M::EscomprasSi},
    {3, "MnuArchivosLibrosVentas", "&Ventas ** 01020603", A::VentanaModal, "Frm_LibrosIva", "", SinChequeo, M::EscomprasNo},
    {2, "MNU_IndiceDeAjustes", "&Indices de Ajustes y Coeficientes** 010207", A::Ventana, "frmMA_INDAJUSTE"},
    sep(1),
    {1, "MnuArchivosPublicaciones", "Estados Contables: Publicación ** 0103", A::Formulario, "frmPublicaciones"},
    {1, "MnuCierre", "Cierre y Apertura de Libros Contables ** 0104", A::Programa, "SHELL:MV_Cancelacion", "", ChequeoCierre},
    {1, "MnuArchivosDepuraciones", "&Depuraciones ** 0105", A::Herramienta, H::DepurarDatos},
    sep(1),
    {1, "MNU_Configuracion", "&Configuración del Sistema ** 0106", A::Programa, "Shell:RZ_CONFIG", "", AvisoConfiguracion},
    {1, "MNU_Usuarios", "Usuarios ** 0107", A::Ventana, "frmTA_Usuarios"},
    {1, "MNU_Tareas", "Autorización de Tareas ** 0108", A::Ventana, "FrmTareas"},
    {1, "Mnu_ArchivosRpAcceso", "Reporte Control de Acceso **0109", A::Ventana, "RP_Acceso"},
    sep(1),
    {1, "MNU_CambioDeEmpresa", "Cambiar Empresa ** 0110", A::Ninguna, "", "", SinChequeo, M::Ninguno, Deshabilitado},
    {1, "MNU_Sesion", "Cerrar Sesión ... **0111", A::Ninguna, "", "", SinChequeo, M::Ninguno, Oculto},
    sep(1),
    {1, "MnuArchivosSalir", "&Salir ** 0112", A::Herramienta, H::Salir},

    {0, "MnuAsientos", "&Registraciones ** 02"},
    {1, "MnuAsientosDiario", "&Registraciones Directas al Diario General ** 0201", A::Programa, "Shell:MV_ASientos", "", ChequeoPeriodo | ChequeoFechasOperativas},
    {1, "MNU_Sub", "Subdiarios ** 0202", A::Programa, "Shell:MV_ASientos", "subdiario", ChequeoPeriodo},
    {1, "MNUAsientosResumen", "&Asiento Resumen de Subdiarios ** 0203", A::Programa, "shell:Mv_AstResumen", "", ChequeoPeriodo},
    sep(1),
    {1, "MNU_AMRD", "Asientos Modelo (Registraciones Directas) **0204", A::Programa, "shell:MA_astmodelo"},
    {1, "MNU_AMSD", "Asientos Modelo (Subdiarios)**0205", A::Programa, "shell:MA_astmodelosd"},
    sep(1),
    {1, "mnu_planillaReg", "Planilla de Datos - Registraciones ** 0206", A::Herramienta, H::PlanillaRegistraciones},

    {0, "MNU_INT", "&Interfaces ** 03"},
    {1, "MNU_Interfaces", "&Tablas de Subdiarios ** 0301", A::Formulario, "FrmTA_Interface", "", ChequeoPeriodo},
    {1, "MNU_Importacion", "&Tablas de Cuentas ** 0302", A::Formulario, "FrmTA_Importacion"},
    sep(1),
    {1, "MnuAsientosInterfaz", "Recepción de Subdiarios ** 0303", A::Ventana, "FrmInterface", "", ChequeoPeriodoCierre},
    {1, "MNU_Impota", "Recepción de &Cuentas ** 0304", A::Ventana, "FrmImportacion"},
    sep(1),
    {1, "mnu_RecpVexa", "Recepción del Vexa Gestión Comercial ** 0305", A::Ventana, "frmDatosVexa"},
    {1, "MNU_FrmAnulRecep", "Anulación de Recepción del Vexa Gestión Comercial**0307", A::Ventana, "FrmAnulRecep"},
    sep(1),
    {1, "MNU_Transmisiones", "&Recepciones**0306", A::Formulario, "FrmTransmisiones"},

    {0, "MnuCash", "&Cash Flow ** 04"},
    {1, "MnuCashArmadoPrevio", "Cash Flow-Histórico ** 0401", A::Formulario, "frm_cashflow"},
    {1, "MnuCashReportePrevio", "Reportes ** 0402", A::Reporte, "Rp_CASHFLOW"},
    {1, "MNU_CopiaEstructura", "Copia de Estructura ** 0405", A::Formulario, "Copia"},
    sep(1),
    {1, "MnuCashProyectado", "Cash Flow Proyectado** 0403", A::Formulario, "frm_cashflowp"},
    {1, "MNU_InformeEspecial", "Informe Especial ** 0404", A::Formulario, "Informe"},

    {0, "MnuInformes", "&Reportes ** 05"},
    {1, "MnuInformesCuentas", "&Plan General de Cuentas ** 0501", A::Reporte, "Rp_PlanCtas"},
    sep(1),
    {1, "MnuInformesDiario", "&Diario General: Registraciones ** 0502", A::Reporte, "RP_ASIENTOS"},
    {1, "MNU_BalancesSS", "Balance de Sumas y Saldos ** 0503", A::Reporte, "Rp_BalanceSS"},
    {1, "MnuInformesBalance", "&Balance General de Saldos ** 0504", A::Reporte, "Rp_Balances"},
    {1, "MNU_Mayores", "Cuentas ** 0505", A::Reporte, "Rp_Mayor"},
    {1, "MNU_RPSubdiarios", "Subdiarios ** 0506", A::Reporte, "RP_SUBDIARIOS"},
    sep(1),
    {1, "MnuReportesLibros", "&Libros de I.V.A. ** 0507"},
    {2, "MnuReportesLibrosCompras", "&Compras ** 050701", A::Reporte, "Rp_LibrosIvaC"},
    {2, "MnuReportesLibrosVentas", "&Ventas ** 050702", A::Reporte, "Rp_LibrosIvaV"},

    {0, "Mnu_Ajustes", "&Ajustes por Inflación ** 07 "},
    {1, "Mnu_Ajustes_Saldos", "&Reporte de Saldos Mensuales **0701", A::Reporte, "Rp_SaldosMensuales"},
    {1, "Mnu_Ajustes_SaldosAjustados", "Reporte de &Saldos Mensuales Ajustados **0702", A::Reporte, "Rp_SaldosMensualesA"},
    sep(1),
    {1, "Mnu_Ajuste_Generar", "&Generar Asiento de Ajuste **0703", A::Ventana, "FrmAjusteInflacion"},

    {0, "MnuBienes", "&Bienes de Uso ** 06"},
    {1, "MnuArchivosTablasBienesDeUso", "Asociacion de Cuentas a Bienes de Uso ** 0601", A::Formulario, "FrmTa_Bienes"},
    sep(1),
    {1, "MNU_CargaDatos", "Carga Inicial de Datos**0602", A::Ventana, "FrmMA_BienesUso", "", SinChequeo, M::EsCargaInicial},
    {1, "MNU_ConsultaModificacionKardex", "Consulta/Modificación **0608", A::Ventana, "FrmMa_BienesUsoModif"},
    sep(1),
    {1, "MnuBienesDeUsoCalculo", "Planilla Cálculos: Ajustes y Depreciaciones** 0604", A::Formulario, "FrmCalculo_Bienes", "", ChequeoPeriodo | ChequeoFechasOperativas},
    {1, "MNU_AnulPlanilla", "&Consulta - Anulación de Cálculos de Planillas **0610", A::Formulario, "frmAnulPlanilla", "", ChequeoPeriodo},
    {1, "MnuBienesDeUsoAnexoA", "Anexo \"A\" Bienes de Uso ** 0605", A::Reporte, "Rp_AnexoA"},
    sep(1),
    {1, "MNU_Consulta_Kardex", "Reporte Kardex ** 0603", A::Reporte, "Rp_BienesKardex"},
    {1, "MnuArchivosTablasBienesDeUsoReportes", "Reporte de Bienes de Uso ** 0606", A::Reporte, "RP_Bienes"},
    {1, "MnuArchivosTablasBienesDeUsoStock", "Control de Stock de Bienes de Uso ** 0607", A::Reporte, "Rp_BienesStock"},
    sep(1),
    {1, "MnuBienesDeUsoInterfaces", "Informe desde Interfaces **0609"},

    {0, "MNU_Utilitarios", "Utilitarios **08"},
    {1, "MNU_TEmP", "Calendario ** 0801", A::Herramienta, H::Calendario},
    {1, "MNU_Calculadora", "Calculadora ** 0802", A::Herramienta, H::Calculadora},
    sep(1),
    {1, "MNU_CopiaCD", "&Archivo Legal de Información  **0803", A::Reporte, "FrmArchivoLegalInf", "", ChequeoCierre},

    {0, "mnuView", "&Ver "},
    {1, "mnuViewToolbar", "&Barra de Herramientas ", A::Herramienta, H::VerBarraHerramientas, "", SinChequeo, M::Ninguno, Marcado},
    {1, "mnuViewStatusBar", "B&arra de Status ", A::Herramienta, H::VerBarraStatus, "", SinChequeo, M::Ninguno, Marcado},
    {1, "mnuViewLicencia", "Barra de Licencia ", A::Herramienta, H::VerBarraLicencia, "", SinChequeo, M::Ninguno, Marcado},

    {0, "mnuWindow", "Ventana "},
    {1, "mnuWindowCascade", "&Cascada", A::Herramienta, H::Cascada},
    {1, "mnuWindowTileHorizontal", "Titulo &Horizontal", A::Herramienta, H::MosaicoHorizontal},
    {1, "mnuWindowTileVertical", "Titulo &Vertical", A::Herramienta, H::MosaicoVertical},
    {1, "mnuWindowArrangeIcons", "&Organizar Iconos", A::Herramienta, H::OrganizarIconos},

    {0, "mnuHelp", "? "},
    {1, "mnuHelpAyuda", "&Temas de Ayuda", A::Herramienta, H::Ayuda},
    sep(1),
    {1, "mnuHelpAbout", "&Acerca De...", A::Herramienta, H::AcercaDe},
    {1, "mnuHelpAbout2", "&Vexa Gestión Contable 2000", A::Reporte, "FrmInfo"},
    sep(1),
    {1, "MNU_Bibliografia", "Bibliografía", A::Formulario, "FrmBiblioGrafia"},

    {0, "MNU_Seguridad", "Seguridad **99", A::Ninguna, "", "", SinChequeo, M::Ninguno, Oculto},
    {1, "MNU_CrearEmpresa", "Crear Nueva Empresa**9901"},
    {1, "MNU_CopyEmpresas", "Copiar Datos entre Empresas**9902"},
    {1, "MNU_BajaEmpresa", "Dar de baja una empresa**9903"},
    {1, "MNU_ComparctarBase", "Compactar base de datos**9904"},
    {1, "MNU_Backup", "Back-Up**9905"},
};

} // namespace

std::span<const ItemMenu> arbolMenu() { return arbol; }

const ItemMenu* itemMenu(const QString& nombre)
{
    for (const ItemMenu& i : arbol)
        if (!i.esSeparador() && nombre == QLatin1String(i.nombre)) return &i;
    return nullptr;
}

} // namespace vexa
