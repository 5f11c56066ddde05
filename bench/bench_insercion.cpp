// Row-insert throughput of the database layer against a raw prepared statement,
// on SQLite and (with VEXA_PG=host:port) PostgreSQL. Prints one line per backend:
//   insercion <backend> rows=<N> capa_filas_s=<N> crudo_filas_s=<N> ratio=<R>
#include "BaseBench.h"
#include "Conexion.h"
#include "Empresa.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>

#include <cstdio>

using namespace vexa;

namespace {

double correr(Motor m, int filas, bool crudo)
{
    bench::BaseBench empresa;
    QString e;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_insercion"), false)) return 0;
    const DatosConexion& d = empresa.datos();
    double r = 0;
    {
        Conexion c;
        c.setDatos({d.server, d.dbName, d.usuario, d.password});
        c.Abrir();
        c.EjecutarSQL(QStringLiteral("CREATE TABLE T (A INTEGER, B INTEGER, C TEXT, D TEXT, E %1, F DATE, G TEXT, H TEXT, I INTEGER, J TEXT)")
                          .arg(m == Motor::SQLite ? "MONEDA" : "NUMERIC(19,4)"));
        QElapsedTimer t;
        t.start();
        Transaccion tr(c);
        if (crudo) {
            QSqlQuery q(c.bd());
            q.prepare(QStringLiteral("INSERT INTO T (A, B, C, D, E, F, G, H, I, J) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            for (int i = 0; i < filas; ++i) {
                const QVariantList v{i, 1, "1100001", "D", m == Motor::SQLite ? QVariant(qlonglong(i) * 10000) : QVariant(QString::number(i) + ".0000"),
                                     "2026-01-01", "detalle", "0001", 5, "A"};
                for (int k = 0; k < v.size(); ++k) q.bindValue(k, v[k]);
                q.exec();
            }
        } else {
            for (int i = 0; i < filas; ++i)
                c.Insertar("T", {{"A", i}, {"B", 1}, {"C", "1100001"}, {"D", "D"}, {"E", QVariant::fromValue(Moneda::entero(i))},
                                 {"F", QDate(2026, 1, 1)}, {"G", "detalle"}, {"H", "0001"}, {"I", 5}, {"J", "A"}});
        }
        tr.confirmar();
        r = filas * 1000.0 / std::max<qint64>(1, t.elapsed());
        c.Cerrar();
    }
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int filas = argc > 1 ? atoi(argv[1]) : 20000;
    std::vector<Motor> motores{Motor::SQLite};
    if (!qEnvironmentVariable("VEXA_PG").isEmpty()) motores.push_back(Motor::PostgreSQL);
    for (Motor m : motores) {
        const double capa = correr(m, filas, false);
        const double crudo = correr(m, filas, true);
        std::printf("insercion %s rows=%d capa_filas_s=%.0f crudo_filas_s=%.0f ratio=%.2f\n",
                    m == Motor::SQLite ? "sqlite" : "postgresql", filas, capa, crudo, crudo / std::max(1.0, capa));
    }
}
