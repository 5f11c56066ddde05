#pragma once
// The utility component's window tools: the wait cursor, the form set-up, the
// calculator and the sizing of a list's columns.
class QTableView;
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

// A list's columns as wide as their headings and values (Qt measures the
// first thousand rows), one line a cell. When together they would pass
// 'anchoMaximo' pixels, the widest text columns give up the excess, each down
// to a quarter of its width but never below its heading, their long texts
// elided at the end; a column of codes (no value with a blank, or
// 'conservar') is never narrowed. Returns the width the list needs to show
// every column (frame, row headings and vertical scroll bar included).
int ColumnasAlContenido(QTableView* tabla, int anchoMaximo, int conservar = -1);
// The width a list window may take on the screen of the main window.
int AnchoDisponible();

} // namespace vexa::ventanas
