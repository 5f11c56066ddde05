#pragma once
// What the program learns at start-up, before a company is open: its command
// line, folder, settings and who runs it where (EstadoInicio, one value passed
// from main). Company values (the active fiscal year, the upper-case rule, the
// account-code structure) live in the company context (ContextoEmpresa.h).
#include <QString>

namespace vexa {

// Product name: the main window's caption and the exit question.
inline const QString NombreProducto = QStringLiteral("Vexa Gestión Contable");
// Settings file of the program (named without a folder; ArchivoIni places it).
inline const QString ArchivoIniPrograma = QStringLiteral("RZ731p.INI");

// What the program learns at start-up, as one value: main builds it from the
// arguments and the settings and hands it to the main window, which passes
// the parts each routine needs.
struct EstadoInicio {
    // The program's command line as one text (from the arguments).
    QString lineaComandos;
    // Install folder of the program, ending in '/'.
    QString carpetaPrograma;
    // Help file (settings "Inicio"/"HelpFile").
    QString archivoAyuda;
    // Per-machine section of the settings file: COMPUTER|LOGIN, upper case.
    QString seccionEquipo;
    // Same value, kept by the connection routine.
    QString seccionConexion;
    // Current user code (text after the first ";" of the command line, keys removed).
    QString usuarioActual;
    // Toolbars drawn flat (settings "FlatToolbars" is not 0).
    bool barrasPlanas = true;
    // "DSN=db; UID=user; PWD=password" for the report and query viewers.
    QString cadenaDSN;
    // Values of the command-line keys nothing in the program reads.
    QString parametroAdicional, menuInicial, caja;
    // Error-log file and the "EditarConsulta" flag of the settings file.
    QString archivoErrores;
    bool editarConsulta = true;
};

// Program version "major.minor.revision".
QString VersionPrograma();
// Names the running application (name "Rz731p" and version). No display name is
// set: the desktop would append it to the caption of every window and box.
void IdentificarAplicacion();

} // namespace vexa
