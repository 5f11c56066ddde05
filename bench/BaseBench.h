#pragma once
// A company database for a benchmark run: a SQLite file in the given folder, or
// (Motor::PostgreSQL) a database on the server named by VEXA_PG (user and
// password VEXA_PG_USUARIO / VEXA_PG_PASSWORD, default vexa/vexa). Any earlier
// database of the same name is replaced.
#include "Conexion.h"
#include "Empresa.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

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

// The process's peak resident memory (VmHWM) in MB; 0 when it can't be read.
inline double picoRssMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// The middle value of some timings (the upper one of an even count; 0 for none).
inline double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace vexa::bench
