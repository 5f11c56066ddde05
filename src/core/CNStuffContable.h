#pragma once
// Database connection from the command line, and the configuration values the
// company context carries (ContextoEmpresa.h).
#include <QString>

namespace vexa {

class ContextoEmpresa;

// Opens the company database from the command-line keys (LineaComandosPrograma)
// and refreshes what derives from the connection (CadenaDSN, BarrasPlanas).
// The caller then builds the company context over it. A second call finds the
// connection open and only refreshes. When the connection does not open, the
// reason is shown in a message box and written to standard error, and the
// result is false: the caller must end the process.
bool ConectarBaseDatos();

// The company's accounting values into the context (CargarValoresContables)
// under the step runner: an error is shown and the values stay as they were.
void IniContable(ContextoEmpresa& ctx);

// Value of a configuration key: " " when there is no row, "" for a null value
// or after an error that the operator chose not to retry or skip.
QString Cfg(ContextoEmpresa& ctx, const QString& clave);

// "DSN=db; UID=user; PWD=password".
QString cadenaDSN(const QString& dbName, const QString& usuario, const QString& password);

// Per-machine section name: COMPUTER|LOGIN, upper case.
QString seccionDeEquipo();

} // namespace vexa
