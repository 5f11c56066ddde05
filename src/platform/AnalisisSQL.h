#pragma once
// Reading the shape of a portable SQL statement, enough to know which columns
// its '?' placeholders are bound for and which result columns are amounts.
// Used by Conexion; the rules are described in Conexion.h.
#include <QSet>
#include <QString>

#include <vector>

namespace vexa::sql {

// For each '?' placeholder, in order, the column it is compared with or assigned
// to (upper-cased, brackets and table prefix taken off), or "" when not known.
std::vector<QString> columnasDeMarcas(const QString& sql);

// For each item of the outermost select list, whether it is an amount: a column
// in importes, or SUM/TOTAL/MAX/MIN/ABS of one, possibly inside COALESCE/IFNULL
// with 0. Empty when the statement is not a SELECT.
std::vector<bool> resultadosImporte(const QString& sql, const QSet<QString>& importes);

// True for statements that change the schema (CREATE, ALTER, DROP).
bool cambiaEsquema(const QString& sql);

} // namespace vexa::sql
