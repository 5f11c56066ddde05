#pragma once
// Creating a company database (schema, optionally the demo data) on either backend.
#include "DatosConexion.h"

#include <QString>

namespace vexa {

// Creates the database (SQLite file or PostgreSQL database) and applies the schema.
// Fails when it already exists unless reemplazar is true (then it is dropped first).
// conAsientosDemo (with conDemo) adds the demo journal: what a user tries the
// program on; tests build their own journal on the demo's reference data.
bool crearEmpresa(const DatosConexion& d, bool conDemo, bool reemplazar, QString* error, bool conAsientosDemo = false);

// Drops a PostgreSQL database (tests) or deletes a SQLite file.
bool eliminarEmpresa(const DatosConexion& d, QString* error);

} // namespace vexa
