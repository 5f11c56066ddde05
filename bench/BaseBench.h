#pragma once
// A company database for a benchmark run: a SQLite file in a folder of the
// run's own, or (Motor::PostgreSQL) a database on the server named by VEXA_PG
// (user and password VEXA_PG_USUARIO / VEXA_PG_PASSWORD, default vexa/vexa).
// Its name is the given prefix followed by the process id, the time the process
// started and a count, so that runs at once (several developers on the shared
// server, or one benchmark twice) never meet; it is removed when the object
// goes out of scope, on every way out of the run.
#include "Conexion.h"
#include "Empresa.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vexa::bench {

// A name no other run shares: prefix_<pid>_<process start in ms, base 36>_<count>.
inline QString nombreDeCorrida(const QString& prefijo)
{
    static const qint64 inicio = QDateTime::currentMSecsSinceEpoch();
    static int cuenta = 0;
    return QStringLiteral("%1_%2_%3_%4")
        .arg(prefijo)
        .arg(QCoreApplication::applicationPid())
        .arg(QString::number(inicio, 36))
        .arg(++cuenta);
}

class BaseBench {
public:
    BaseBench() = default;
    BaseBench(const BaseBench&) = delete;
    BaseBench& operator=(const BaseBench&) = delete;
    ~BaseBench() { eliminar(); }

    // Creates the company (with the demo data when 'demo'); false, with the
    // reason on stderr, when it could not.
    bool crear(Motor m, const QString& prefijo, bool demo)
    {
        eliminar();
        d_ = DatosConexion();
        const QString nombre = nombreDeCorrida(prefijo);
        if (m == Motor::PostgreSQL) {
            d_.server = qEnvironmentVariable("VEXA_PG");
            d_.usuario = qEnvironmentVariable("VEXA_PG_USUARIO", QStringLiteral("vexa"));
            d_.password = qEnvironmentVariable("VEXA_PG_PASSWORD", QStringLiteral("vexa"));
            d_.dbName = nombre;
        } else {
            d_.dbName = QDir(dir_.path()).filePath(nombre + QStringLiteral(".db"));
        }
        creada_ = true;
        QString e;
        if (!crearEmpresa(d_, demo, false, &e)) {
            std::fprintf(stderr, "no se pudo crear la base: %s\n", qPrintable(e));
            return false;
        }
        return true;
    }

    const DatosConexion& datos() const { return d_; }
    // The run's own folder, for the files it writes (removed with it).
    QString carpeta() const { return dir_.path(); }

    // Drops the database (a PostgreSQL one even while connections remain open).
    void eliminar()
    {
        if (!creada_) return;
        creada_ = false;
        QString e;
        if (!eliminarEmpresa(d_, &e)) std::fprintf(stderr, "no se pudo eliminar la base %s: %s\n", qPrintable(d_.dbName), qPrintable(e));
    }

private:
    QTemporaryDir dir_{QDir(QDir::tempPath()).filePath(QStringLiteral("vexa_bench_XXXXXX"))};
    DatosConexion d_;
    bool creada_ = false;
};

// The process's peak resident memory (VmHWM) in MB; 0 when it can't be read.
inline double picoRssMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Starts the peak above (VmHWM) afresh from the memory held now, so that a
// later reading is the peak of what ran in between (Linux: clear_refs 5).
inline void reiniciarPicoRss()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly)) f.write("5");
}

// The middle value of some timings (the upper one of an even count; 0 for none).
inline double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace vexa::bench
