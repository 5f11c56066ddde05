#pragma once
// The main window's menu tree as one table: every item with its level, object
// name, design caption (task code after "**"), design state and the command
// it runs. The menu bar is built from it and DespachoMenu runs its commands.
#include <QString>

#include <span>

namespace vexa {

enum class Accion {
    Ninguna,        // no handler, or an empty one
    Ventana,        // a window of this program, modeless
    VentanaModal,   // a window of this program, modal
    Reporte,        // the report runner, argumento = report name
    Formulario,     // the forms runner, argumento = form name
    Programa,       // a maintenance program, argumento = "shell:" target, extra = extra parameter
    Herramienta,    // a tool or command of the main window, argumento = Herramienta name below
};

// Checks a command runs before its action (bit flags).
enum Chequeo : unsigned {
    SinChequeo = 0,
    ChequeoPeriodo = 1,         // the active fiscal year may take entries
    ChequeoPeriodoCierre = 2,   // same check, keeping its closed-year flag (interface reception)
    ChequeoFechasOperativas = 4,// "FECHAOPERDESDE" configured
    ChequeoCierre = 8,          // the closing checks (archive report, closing program)
    AvisoConfiguracion = 16,    // status message around the configuration program
};

// Design state flags.
enum EstadoDiseno : unsigned { Visible = 0, Oculto = 1, Deshabilitado = 2, Marcado = 4 };

// Member set on a window before it is shown (OpcionesVentana).
enum class Miembro { Ninguno, EsCargaInicial, Menu, EscomprasSi, EscomprasNo };

struct ItemMenu {
    int nivel;               // 0 for the menu bar
    const char* nombre;      // object name; "" for a separator
    const char* caption;     // design caption (UTF-8); "-" for a separator
    Accion accion = Accion::Ninguna;
    const char* argumento = "";
    const char* extra = "";
    unsigned chequeos = SinChequeo;
    Miembro miembro = Miembro::Ninguno;
    unsigned estado = Visible;

    bool esSeparador() const { return nombre[0] == '\0'; }
};

// Tool names used in the Herramienta rows.
namespace herramienta {
inline constexpr const char* Calendario = "Calendario";
inline constexpr const char* Calculadora = "Calculadora";
inline constexpr const char* JerarquiaCuentas = "JerarquiaCuentas";
inline constexpr const char* DepurarDatos = "DepurarDatos";
inline constexpr const char* AcercaDe = "AcercaDe";
inline constexpr const char* Ayuda = "Ayuda";
inline constexpr const char* PlanillaRegistraciones = "PlanillaRegistraciones";
inline constexpr const char* OpcionDeshabilitada = "OpcionDeshabilitada";
inline constexpr const char* Cascada = "Cascada";
inline constexpr const char* MosaicoHorizontal = "MosaicoHorizontal";
inline constexpr const char* MosaicoVertical = "MosaicoVertical";
inline constexpr const char* OrganizarIconos = "OrganizarIconos";
inline constexpr const char* VerBarraHerramientas = "VerBarraHerramientas";
inline constexpr const char* VerBarraStatus = "VerBarraStatus";
inline constexpr const char* VerBarraLicencia = "VerBarraLicencia";
inline constexpr const char* Salir = "Salir";
} // namespace herramienta

// The whole tree in display order.
std::span<const ItemMenu> arbolMenu();
// The row of an object name (nullptr when none).
const ItemMenu* itemMenu(const QString& nombre);

} // namespace vexa
