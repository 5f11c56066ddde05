#pragma once
// Start and exit settings of the settings file and the dressing every window
// takes in its load event (icon and toolbar style).
#include <QIcon>
#include <QString>

class QWidget;

namespace vexa {

// Error-log file and "EditarConsulta" (each step goes on when another failed).
void LeerIniInicio();
// Writes back "EditarConsulta" and "ArchivoErrores" at exit.
void GrabarIniSalida();
// Icon from "Iconos"/"IconoDelSistema"; other windows than the main one also get
// their toolbars UtilTeb1, TBarRep1 and Util0011 drawn flat or raised (BarrasPlanas).
void AplicarEstiloFormulario(QWidget* frm);

// The program's own icon resource of that name (null icon when there is none).
QIcon iconoDelSistema(const QString& nombre);

} // namespace vexa
