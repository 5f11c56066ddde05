#pragma once
// Start and exit settings of the settings file and the dressing every window
// takes in its load event (icon and toolbar style).
#include <QIcon>
#include <QString>

class QWidget;

namespace vexa {

struct EstadoInicio;

// Error-log file and "EditarConsulta" into the start-up value (each step goes
// on when another failed).
void LeerIniInicio(EstadoInicio& inicio);
// Writes back "EditarConsulta" and "ArchivoErrores" at exit.
void GrabarIniSalida(const EstadoInicio& inicio);
// Icon from "Iconos"/"IconoDelSistema"; other windows than the main one also get
// their toolbars UtilTeb1, TBarRep1 and Util0011 drawn flat or raised (barrasPlanas()).
void AplicarEstiloFormulario(QWidget* frm);
// The windows' toolbar style travels on the main window (the start-up value's
// barrasPlanas, set there once connected); flat when there is no main window
// or it was not set.
inline constexpr const char* kPropiedadBarrasPlanas = "BarrasPlanas";
void fijarBarrasPlanas(QWidget* principal, bool planas);
bool barrasPlanas();

// The program's own icon resource of that name (null icon when there is none).
QIcon iconoDelSistema(const QString& nombre);

} // namespace vexa
