#pragma once
// The utility component's window tools: the wait cursor, the form set-up and
// the calculator.
class QWidget;

namespace vexa::ventanas {

// Hourglass cursor on (nested) or off (every level at once).
void CursorEspera(bool activo);
// Form set-up hook of the utility component (nothing to do on this platform).
void PreparaFormulario(QWidget* w, int opcion = 0);
// The calculator tool (a modeless window over the main window).
void Calculadora();

} // namespace vexa::ventanas
