#pragma once
// Database connection from the command line and the configuration values kept
// in module state (PeriodoActivo, SoloMayusculas, the account-code structure).
#include <QString>

namespace vexa {

// Opens the company database from the command-line keys (LineaComandosPrograma)
// and refreshes what derives from the connection (CadenaDSN, BarrasPlanas,
// the configuration component's copy, IniContable). A second call finds the
// connection open and only refreshes. When the connection does not open, the
// reason is shown in a message box and written to standard error, and the
// result is false: the caller must end the process.
bool ConectarBaseDatos();

// Upper-case flag and active period from the configuration.
void IniContable();

// Value of a configuration key: " " when there is no row, "" for a null value
// or after an error that the operator chose not to retry or skip.
QString Cfg(const QString& clave);

// Digit counts of the six account-code levels and their total (16-bit; an
// overflow is ErrorVexa 6). Hands them to Configuracion::DigitosNivel.
void LeerDigitosCuentas();
// End positions of the six levels and the full code length; hands them to
// Configuracion::PosicionNivel.
void CalcularPosicionesCuentas();

// "DSN=db; UID=user; PWD=password".
QString cadenaDSN(const QString& dbName, const QString& usuario, const QString& password);

// Per-machine section name: COMPUTER|LOGIN, upper case.
QString seccionDeEquipo();

} // namespace vexa
