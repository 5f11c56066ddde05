#pragma once
// Database connection from the command line. The windows read configuration
// values under the error handler through CfgVentanas.h.
#include "CodigosDialogo.h"

#include <QString>

namespace vexa {

class ContextoEmpresa;
struct EstadoInicio;

// Opens the company database from the command-line keys (inicio.lineaComandos)
// and refreshes what derives from the connection (inicio.cadenaDSN,
// barrasPlanas, seccionConexion, carpetaPrograma and the unused keys).
// The caller then builds the company context over it. A second call finds the
// connection open and only refreshes. When the connection does not open, the
// reason is written to standard error, 'aviso' holds the message box the
// caller shows, and the result is false: the caller must end the process.
bool ConectarBaseDatos(EstadoInicio& inicio, plataforma::AvisoOperador& aviso);

// "DSN=db; UID=user; PWD=password".
QString cadenaDSN(const QString& dbName, const QString& usuario, const QString& password);

// Per-machine section name: COMPUTER|LOGIN, upper case.
QString seccionDeEquipo();

} // namespace vexa
