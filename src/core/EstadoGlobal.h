#pragma once
// Process-wide state of the program, set at start-up and at connection and read
// by every window (no window owns it).
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

// Fiscal year in use (configuration "PERIODO", as read; PeriodoActivo.toInt() for queries).
inline QString PeriodoActivo;
// Letters typed in entry fields are turned to upper case ("ESCRIBE_SOLO_MAYUSCULAS" = "SI").
inline bool SoloMayusculas = false;

// Account-code structure: digits per level, total, end positions and full length.
inline qint16 DigitosCapitulo = 0, DigitosSubCapitulo = 0, DigitosRubro = 0, DigitosSubRubro = 0,
              DigitosCuenta = 0, DigitosSubCuenta = 0, DigitosTotal = 0;
inline qint16 FinCapitulo = 0, FinSubCapitulo = 0, FinRubro = 0, FinSubRubro = 0, FinCuenta = 0,
              FinSubCuenta = 0, LargoCodigo = 0;

// Program version "major.minor.revision".
QString VersionPrograma();
// Names the running application (name "Rz731p" and version). No display name is
// set: the desktop would append it to the caption of every window and box.
void IdentificarAplicacion();

} // namespace vexa
