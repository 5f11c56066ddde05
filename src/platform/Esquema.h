#pragma once
// Pieces of the schema loader (Esquema.cpp) that tests reach directly.
#include "Conexion.h"

namespace vexa {

// "NAME TEXTO(n)" in a schema step from 004 on: the backend's case-insensitive
// text type and a CHECK named "largo NAME n" that refuses a longer value.
QString sustituirTextosConAncho(const QString& sql, Motor m);

// "NAME MONEDA" in a schema step after 012, on SQLite: the column also gets the
// CHECK named "importe entero NAME" that refuses anything but an integer (whole
// ten-thousandths) or NULL. PostgreSQL's NUMERIC needs none: unchanged.
QString sustituirImportesEnteros(const QString& sql, Motor m);

} // namespace vexa
