// Account reception throughput through the window-free run (RecibirCuentas),
// on SQLite and (with VEXA_PG=host:port) PostgreSQL, with the demo definition
// "CLIENTES" and a 6-digit level below its parent 110201001. Sizes: 10,000 and
// 100,000 lines under an empty parent, and 10,000 under a parent that already
// holds 100,000 accounts. In the same database it then times a baseline: the
// same three rows per line (MA_CUENTAS, MA_CUENTASADIC, TESTIGO_EXPORTACION)
// inserted by prepared statements in one transaction.
//   accounts <backend> <lines> <parent> lines/s=<N> ratio=<R> rss_mb=<M>
// <parent>: empty or full; ratio = run time / baseline time; rss_mb = peak so far.
// Usage: bench_cuentas; VEXA_BENCH_MOTOR=sqlite|postgresql measures one backend only.
#include "BaseBench.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "Empresa.h"
#include "ImportacionCuentas.h"
#include "Progreso.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace vexa;

namespace {

const QString kMadre = QStringLiteral("110201001");

// Fills the parent with n accounts (110201001000001 ...) in one transaction.
void llenar(Conexion& con, int n)
{
    Transaccion tx(con);
    QSqlQuery q(con.bd());
    q.prepare(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DV, DESCRIPCION, TITULO) VALUES (?, 0, 'Existente', 0)"));
    for (int i = 1; i <= n; ++i) {
        q.addBindValue(kMadre + QString::number(i).rightJustified(6, QLatin1Char('0')));
        q.exec();
    }
    tx.confirmar();
}

// The baseline: three rows per line, prepared statements, one transaction.
double base(Conexion& con, int n)
{
    QElapsedTimer t;
    t.start();
    Transaccion tx(con);
    QSqlQuery a(con.bd()), b(con.bd()), c(con.bd());
    a.prepare(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DV, DESCRIPCION, TITULO, FECHAHORA_GRABACION) VALUES (?, ?, ?, 0, ?)"));
    b.prepare(QStringLiteral("INSERT INTO MA_CUENTASADIC (CODIGO, NUMERO_DOCUMENTO, IVA) VALUES (?, ?, ?)"));
    c.prepare(QStringLiteral("INSERT INTO TESTIGO_EXPORTACION (CODIGO_ORIGEN, CUENTA, CODIGO_SISTEMA, FH_GRABACION) VALUES (?, ?, ?, ?)"));
    const QDateTime ahora = QDateTime::currentDateTime();
    for (int i = 1; i <= n; ++i) {
        const QString k = kMadre + QString::number(900000 - i).rightJustified(6, QLatin1Char('0'));
        a.addBindValue(k), a.addBindValue(3), a.addBindValue(QStringLiteral("Cliente")), a.addBindValue(ahora), a.exec();
        b.addBindValue(k), b.addBindValue(QStringLiteral("30-1")), b.addBindValue(QStringLiteral("0001")), b.exec();
        c.addBindValue(QStringLiteral("B%1").arg(i)), c.addBindValue(kMadre), c.addBindValue(k), c.addBindValue(ahora), c.exec();
    }
    tx.confirmar();
    return t.nsecsElapsed() / 1e9;
}

bool correr(Motor m, int lineas, int previas, const QString& carpeta, double* segundos, double* base_)
{
    bench::BaseBench empresa;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_cuentas"), true)) return false;
    const DatosConexion& d = empresa.datos();
    bool bien = true;
    {
        Conexion con;
        if (!con.Abrir(d)) return false;
        con.EjecutarSQL(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = '6' WHERE CLAVE = 'Digitos_SubCuenta'"));
        if (previas > 0) llenar(con, previas);
        QByteArray texto;
        texto.reserve(lineas * 40);
        for (int i = 1; i <= lineas; ++i)
            texto += "C" + QByteArray::number(i) + ";\"Cliente " + QByteArray::number(i) + "\";30-" + QByteArray::number(i) +
                     ";RI\r\n";
        const QString ruta = QDir(carpeta).filePath(QStringLiteral("cuentas.txt"));
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(texto);
        f.close();
        ContextoEmpresa ctx(con);
        CargarValoresContables(ctx);
        ProgresoNulo progreso;
        recepcion::OpcionesCuentas op;
        QElapsedTimer t;
        t.start();
        const auto r = recepcion::RecibirCuentas(ctx, QStringLiteral("CLIENTES"), ruta, progreso, op);
        *segundos = t.nsecsElapsed() / 1e9;
        if (r.grabados != lineas) {
            std::fprintf(stderr, "grabadas %d de %d: %s\n", r.grabados, lineas, qPrintable(r.error));
            bien = false;
        }
        *base_ = base(con, lineas);
        con.Cerrar();
    }
    QString e;
    return bien;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString solo = qEnvironmentVariable("VEXA_BENCH_MOTOR");
    std::vector<Motor> motores;
    if (solo.isEmpty() || solo == QLatin1String("sqlite")) motores.push_back(Motor::SQLite);
    if (!qEnvironmentVariable("VEXA_PG").isEmpty() && (solo.isEmpty() || solo == QLatin1String("postgresql")))
        motores.push_back(Motor::PostgreSQL);
    QTemporaryDir dir;
    struct Caso { int lineas, previas; };
    for (Motor m : motores) {
        for (const Caso c : {Caso{10000, 0}, Caso{100000, 0}, Caso{10000, 100000}}) {
            double s = 0, b = 0;
            if (!correr(m, c.lineas, c.previas, dir.path(), &s, &b)) return 1;
            std::printf("accounts %s %d %s lines/s=%.0f ratio=%.2f rss_mb=%.0f\n", m == Motor::SQLite ? "sqlite" : "postgresql",
                        c.lineas, c.previas > 0 ? "full" : "empty", c.lineas / s, b > 0 ? s / b : 0.0, bench::picoRssMb());
            std::fflush(stdout);
        }
    }
    return 0;
}
