#pragma once
// The utility component's window tools: the wait cursor, the form set-up and
// the calculator.
class QWidget;

namespace vexa {
class Conexion;
}

namespace vexa::ventanas {

// Before a command: when the connection was found lost (the server dropped it),
// opens it once more with the same details and tells the operator so. False
// (after a message that names the server) when it could not be opened again:
// the command should not run. True when the connection is usable.
bool RevisarConexion(Conexion& con);

// A length of the original forms' layouts, in twips (15 to a pixel at 96 dpi), in pixels.
constexpr int px(int twips) { return twips / 15; }

// Hourglass cursor on (nested) or off (every level at once).
void CursorEspera(bool activo);
// Form set-up hook of the utility component (nothing to do on this platform).
void PreparaFormulario(QWidget* w, int opcion = 0);
// The calculator tool (a modeless window over the main window).
void Calculadora();

} // namespace vexa::ventanas
