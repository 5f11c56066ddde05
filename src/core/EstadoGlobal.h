#pragma once
// What the program learns at start-up, before a company is open: its command
// line, folder, settings and who runs it where. Company values (the active
// fiscal year, the upper-case rule, the account-code structure) live in the
// company context (ContextoEmpresa.h), not here.
#include <QString>

namespace vexa {

// Product name: the main window's caption and the exit question.
inline const QString NombreProducto = QStringLiteral("Vexa Gestión Contable");
// Settings file of the program (named without a folder; ArchivoIni places it).
inline const QString ArchivoIniPrograma = QStringLiteral("RZ731p.INI");

// The program's command line as one text (set by Main from the arguments).
inline QString LineaComandosPrograma;
// Install folder of the program, ending in '/'.
inline QString CarpetaPrograma;
// Help file (settings "Inicio"/"HelpFile").
inline QString ArchivoAyuda;

// Per-machine section of the settings file: COMPUTER|LOGIN, upper case.
inline QString SeccionEquipo;
// Same value, kept by the connection routine.
inline QString SeccionConexion;
// Current user code (text after the first ";" of the command line, keys removed).
inline QString UsuarioActual;

// Toolbars drawn flat (settings "FlatToolbars" is not 0).
inline bool BarrasPlanas = true;
// "DSN=db; UID=user; PWD=password" for the report and query viewers.
inline QString CadenaDSN;
// Values of the command-line keys nothing in the program reads.
inline QString ParametroAdicional, MenuInicial, Caja;

// Error-log file and the "EditarConsulta" flag of the settings file.
inline QString ArchivoErrores;
inline bool EditarConsulta = true;

// Program version "major.minor.revision".
QString VersionPrograma();
// Names the running application (name "Rz731p" and version). No display name is
// set: the desktop would append it to the caption of every window and box.
void IdentificarAplicacion();

} // namespace vexa
