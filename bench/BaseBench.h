#pragma once
// A company database for a benchmark run: a SQLite file in the given folder, or
// (Motor::PostgreSQL) a database on the server named by VEXA_PG (user and
// password VEXA_PG_USUARIO / VEXA_PG_PASSWORD, default vexa/vexa). Any earlier
// database of the same name is replaced.
#include "Conexion.h"
#include "Empresa.h"

#include <QDir>

#include <cstdio>

namespace vexa::bench {

inline bool crearBaseBench(Motor m, const QString& nombre, bool demo, const QString& carpeta, DatosConexion* d)
{
    *d = DatosConexion();
    if (m == Motor::PostgreSQL) {
        d->server = qEnvironmentVariable("VEXA_PG");
        d->usuario = qEnvironmentVariable("VEXA_PG_USUARIO", QStringLiteral("vexa"));
        d->password = qEnvironmentVariable("VEXA_PG_PASSWORD", QStringLiteral("vexa"));
        d->dbName = nombre;
    } else {
        d->dbName = QDir(carpeta).filePath(nombre + QStringLiteral(".db"));
    }
    QString e;
    if (!crearEmpresa(*d, demo, true, &e)) {
        std::fprintf(stderr, "no se pudo crear la base: %s\n", qPrintable(e));
        return false;
    }
    return true;
}

} // namespace vexa::bench
