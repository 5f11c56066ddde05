#pragma once
// Configuration values as the windows read them: under the step runner, so a
// failed read is shown to the operator, who may retry or go on. The rules read
// the same values through ContextoEmpresa::configuracion() and let an error
// reach their caller.
#include <QString>

namespace vexa {

class ContextoEmpresa;

// The company's accounting values into the context (CargarValoresContables)
// under the step runner: an error is shown and the values stay as they were.
void IniContable(ContextoEmpresa& ctx);

// Value of a configuration key: " " when there is no row, "" for a null value
// or after an error that the operator chose not to retry or skip.
QString Cfg(ContextoEmpresa& ctx, const QString& clave);

} // namespace vexa
