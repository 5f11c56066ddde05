#pragma once
// The lookup list of a table's codes, the one every data window calls (F5, the
// right button, "CONSULTAR"): the columns come from ReglasConsulta, the names
// reach SQL only through the catalogue lookup, and the list is shown through
// the ListaConsulta seam.
#include "Conexion.h"
#include "ReglasConsulta.h"

namespace vexa {

// Sets 'columnas' by the rules for 'tabla'. When 'mostrar' is true, shows the
// list of the description and code columns of the table's rows (those meeting
// 'condicion', SQL text written by code with its own '?' parameters) and returns
// the chosen row's code; "" when the list was closed without a choice. A table
// or column the database lacks is reported to the operator by name and nothing
// is queried: "" again. A database error reaches the caller.
QString DefinirConsulta(Conexion& con, const QString& tabla, ColumnasConsulta& columnas, bool mostrar,
                        const QString& condicion = QString(), const Params& parametros = {});

// Title of the box that reports a missing table or column.
QString TituloAvisoConsulta();

} // namespace vexa
