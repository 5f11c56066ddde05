// Reception throughput through the reception window's own run (offscreen), on
// SQLite and (with VEXA_PG=host:port) PostgreSQL, for interface files of the
// demo definition "VENTAS". In the same database it then times a baseline: the
// same entry rows inserted with one prepared statement in one transaction.
// One line per backend and size:
//   reception <backend> <lines> lines/s=<N> ratio=<R> rss_mb=<M>
// ratio = reception time / baseline time; rss_mb = the process's peak so far.
// Then several runs at once into one database, each in a process of its own
// with its own connection (distinct vouchers, every file over the 12 months in
// another order), timed from the start of the first to the end of the last:
//   concurrent <backend> <runs>x<lines> lines/s=<N> rejected=<R>
// lines/s = all lines / that time; rejected = lines rejected by all the runs.
// The run's results are kept as the window keeps them (ResultadosRecepcion).
// Then the commercial system's transfer file (bench_recepcion_vexa.cpp):
//   commercial <backend> <vouchers> vouchers/s=<N> ratio=<R> rss_mb=<M>
//   cancel <backend> <rows> rows/s=<N>
// Usage: bench_recepcion [sizes...]   (default 10000 100000; VEXA_BENCH_MILLON=1 adds
// 1000000, the memory measurement); VEXA_BENCH_MOTOR=sqlite|postgresql
// measures one backend only; VEXA_BENCH_REPETICIONES=N runs each size N times and
// reports the run of median time; VEXA_BENCH_CONCURRENTE=<runs>x<lines> (default
// 4x25000, 0 = none) sizes the concurrent measurement.
#include "BaseBench.h"
#include "BenchVexa.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CorridaRecepcion.h"
#include "Empresa.h"
#include "Progreso.h"
#include "ResultadosRecepcion.h"

#include <QApplication>
#include <QProcess>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace vexa;

namespace {

struct Linea {
    int mes, numero, cliente;
    qint64 neto, iva;
};

// 'estacion' > 0: the file of one of several concurrent runs (vouchers of its
// own, the months visited in another order; VEXA_BENCH_CONCURRENTE_ORDEN=fecha:
// in date order instead, each run's file beginning three months after the
// previous run's).
std::vector<Linea> generar(int n, int estacion = 0)
{
    static const bool porFecha = qEnvironmentVariable("VEXA_BENCH_CONCURRENTE_ORDEN") == QLatin1String("fecha");
    std::vector<Linea> v;
    v.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const qint64 neto = 100 + (i * 37) % 9000;
        const int mes = estacion == 0 ? 1 + i % 12
                        : porFecha  ? 1 + (int(qint64(i) * 12 / n) + estacion * 3) % 12
                                    : 1 + (i * 5 + estacion * 7) % 12;
        v.push_back({mes, 1000 + estacion * 1000000 + i, i % 3, neto,
                     neto * 21 / 100});
    }
    return v;
}

void escribirArchivo(const QString& ruta, const std::vector<Linea>& v)
{
    static const char* clientes[] = {"CLI001", "CLI002", "CF"};
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    QByteArray buf;
    for (const Linea& l : v) {
        buf += QStringLiteral("%1/%2/2026;FC;0001-%3-A;%4;%5;%6;%7;28/12/2026;Venta %3\r\n")
                   .arg(10 + l.numero % 18)
                   .arg(l.mes, 2, 10, QLatin1Char('0'))
                   .arg(l.numero, 8, 10, QLatin1Char('0'))
                   .arg(QString::fromLatin1(clientes[l.cliente]))
                   .arg(l.neto)
                   .arg(l.iva)
                   .arg(l.neto + l.iva)
                   .toUtf8();
        if (buf.size() > (1 << 20)) {
            f.write(buf);
            buf.clear();
        }
    }
    f.write(buf);
}

// The same rows the posting writes (three per line, every column it sets),
// numbered in a family of their own so that they do not meet the received ones.
double lineaBase(Conexion& c, const std::vector<Linea>& v)
{
    static const char* cuentas[] = {"1102010010001", "1102010010002", "1102010010003"};
    QElapsedTimer t;
    t.start();
    Transaccion tr(c);
    // One insert statement, prepared once and kept by the database layer (the same
    // access path the posting uses), executed once per row.
    const QString sql(QStringLiteral(
        "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, DETALLE, TC, "
        "SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, CABIMPORTE, CABCUENTA, CABNOMBRE, CABCUIT, CABCONDIVA, VENCIMIENTO, "
        "NRO_TRANSMISION, LIVA_TIPO, LIVA_IMPIVAREC, LIVA_IMPIVA, LIVA_EXENTO, LIVA_IMPNETOGRAV, LIVA_IMPNETONGRAV, "
        "LIVA_RET_GANANCIAS, LIVA_RET_IBTOS, LIVA_RET_PERC, LIVA_TOTAL, LIVA_ALICIVA, LIVA_ALICIVAREC) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    auto m = [&c](qint64 unidades) { return c.valorParaMotor(QVariant::fromValue(Moneda::entero(unidades))); };
    const QVariant nulo = c.valorParaMotor(QVariant());
    int nro = 0;
    for (const Linea& l : v) {
        ++nro;
        const QString cuenta[] = {QStringLiteral("4101010010001"), QStringLiteral("2102010010001"), QString::fromLatin1(cuentas[l.cliente])};
        const qint64 importe[] = {l.neto, l.iva, l.neto + l.iva};
        for (int s = 0; s < 3; ++s) {
            QVariantList p{cuenta[s], s + 1, l.mes, nro, 2, QStringLiteral("BASE"),
                                 QDate(2026, l.mes, 10).toString(Qt::ISODate), QStringLiteral("Subdiario desde Interface Recepción Nº 1"),
                                 QStringLiteral("00FA"), QStringLiteral("0001"),
                                 QStringLiteral("%1").arg(l.numero, 8, 10, QLatin1Char('0')), QStringLiteral("A"),
                                 s == 2 ? QStringLiteral("D") : QStringLiteral("H"), m(importe[s]), m(l.neto + l.iva),
                                 QString::fromLatin1(cuentas[l.cliente]), QStringLiteral("Cliente"), QStringLiteral("30-71234567-9"),
                                 QStringLiteral("0001"), QStringLiteral("2026-12-28"), 1};
            for (int k = 0; k < 12; ++k) p << (s == 0 ? (k == 0 ? QVariant(QStringLiteral("VENTAS")) : m(importe[0])) : nulo);
            try {
                c.EjecutarSQL(sql, p);
            } catch (const ErrorBD& e) {
                std::fprintf(stderr, "línea base: %s\n", qPrintable(e.descripcion()));
                return 0;
            }
        }
    }
    tr.confirmar();
    return t.nsecsElapsed() / 1e9;
}

bool correr(Motor motor, int lineas, double* segundos, double* base)
{
    DatosConexion d;
    QString e;
    QTemporaryDir dir;
    // Named by the process: others may run this benchmark on the shared server at the same time.
    if (!bench::crearBaseBench(motor, QStringLiteral("vexa_bench_recepcion_%1").arg(QCoreApplication::applicationPid()), true,
                               dir.path(), &d))
        return false;
    const std::vector<Linea> v = generar(lineas);
    const QString ruta = dir.filePath(QStringLiteral("ventas.txt"));
    escribirArchivo(ruta, v);

    Conexion& c = Conexion::instancia();
    c.setDatos({d.server, d.dbName, d.usuario, d.password});
    if (!c.Abrir()) {
        std::fprintf(stderr, "no se pudo abrir: %s\n", qPrintable(c.ultimoError()));
        return false;
    }
    double tRecepcion = 0, tBase = 0;
    int grabadas = 0, errores = 0;
    {
        ContextoEmpresa ctx(c);
        CargarValoresContables(ctx);
        ctx.seccionEquipo = QStringLiteral("BENCH|BENCH");
        ProgresoNulo progreso;
        QString primerError;
        QElapsedTimer t;
        t.start();
        // The lines are kept as the window keeps them (ResultadosRecepcion).
        recepcion::ResultadosRecepcion lista;
        std::vector<recepcion::ResultadosRecepcion::Fila> filas;
        const recepcion::ResultadoCorrida r = recepcion::RecibirInterface(
            ctx, QStringLiteral("VENTAS"), ruta, progreso,
            [&](const auto& lote) {
                filas.clear();
                for (const auto& l : lote) {
                    if (primerError.isEmpty() && !l.mensaje.isEmpty()) primerError = l.mensaje;
                    filas.push_back({l.numero, l.posicion, l.largo, l.mensaje});
                }
                lista.agregar(filas);
            },
            [&](std::shared_ptr<const recepcion::LectorInterfaz> lector) {
                lista.fijarTextoLinea([lector](qint64 p, qint64 n) { return lector->lineaEn(p, n); });
            });
        tRecepcion = t.nsecsElapsed() / 1e9;
        grabadas = r.grabados;
        errores = r.rechazados;
        if (!r.completa()) std::fprintf(stderr, "%s\n", qPrintable(r.error));
        if (errores > 0) std::fprintf(stderr, "%s\n", qPrintable(primerError));
    }
    tBase = lineaBase(c, v);
    c.Cerrar();
    eliminarEmpresa(d, &e);
    if (errores > 0) std::printf("  (%d recorded, %d rejected)\n", grabadas, errores);
    *segundos = tRecepcion;
    *base = tBase;
    return true;
}

// A run of the concurrent measurement, in this process:
//   bench_recepcion --corrida <server> <database> <user> <password> <file>
// prints "<recorded> <rejected>".
int corridaHija(char** argv)
{
    Conexion& c = Conexion::instancia();
    c.setDatos({QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5])});
    if (!c.Abrir()) {
        std::fprintf(stderr, "no se pudo abrir: %s\n", qPrintable(c.ultimoError()));
        return 3;
    }
    ContextoEmpresa ctx(c);
    CargarValoresContables(ctx);
    ctx.seccionEquipo = QStringLiteral("BENCH|%1").arg(QCoreApplication::applicationPid());
    ProgresoNulo progreso;
    QString primerError;
    const recepcion::ResultadoCorrida r =
        recepcion::RecibirInterface(ctx, QStringLiteral("VENTAS"), QString::fromLocal8Bit(argv[6]), progreso, [&](const auto& lote) {
            for (const auto& l : lote)
                if (primerError.isEmpty() && !l.mensaje.isEmpty()) primerError = l.mensaje;
        });
    if (!primerError.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(primerError));
    if (!r.completa()) std::fprintf(stderr, "%s\n", qPrintable(r.error));
    std::printf("%d %d\n", r.grabados, r.rechazados);
    c.Cerrar();
    return r.completa() ? 0 : 1;
}

bool concurrente(Motor motor, int corridas, int lineas)
{
    DatosConexion d;
    QTemporaryDir dir;
    if (!bench::crearBaseBench(motor, QStringLiteral("vexa_bench_recepcion_conc"), true, dir.path(), &d)) return false;
    QStringList rutas;
    for (int k = 1; k <= corridas; ++k) {
        rutas << dir.filePath(QStringLiteral("ventas_%1.txt").arg(k));
        escribirArchivo(rutas.last(), generar(lineas, k));
    }
    std::vector<std::unique_ptr<QProcess>> hijos;
    QElapsedTimer t;
    t.start();
    for (const QString& ruta : rutas) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--corrida"), d.server, d.dbName, d.usuario, d.password, ruta});
        hijos.push_back(std::move(p));
    }
    int grabadas = 0, rechazadas = 0;
    bool bien = true;
    for (auto& p : hijos) {
        if (!p->waitForFinished(-1) || p->exitCode() != 0) bien = false;
        const QList<QByteArray> n = p->readAllStandardOutput().trimmed().split(' ');
        if (n.size() == 2) {
            grabadas += n[0].toInt();
            rechazadas += n[1].toInt();
        }
    }
    const double segundos = t.nsecsElapsed() / 1e9;
    QString e;
    eliminarEmpresa(d, &e);
    // Lines that no run accounted for count as rejected.
    rechazadas += corridas * lineas - grabadas - rechazadas;
    std::printf("concurrent %s %dx%d lines/s=%.0f rejected=%d\n", motor == Motor::SQLite ? "sqlite" : "postgresql", corridas,
                lineas, corridas * lineas / segundos, rechazadas);
    std::fflush(stdout);
    return bien;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 7 && qstrcmp(argv[1], "--corrida") == 0) {
        QCoreApplication app(argc, argv);
        return corridaHija(argv);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<int> tamanos;
    for (int i = 1; i < argc; ++i) tamanos.push_back(std::atoi(argv[i]));
    if (tamanos.empty()) tamanos = {10000, 100000};
    // The memory bar is measured at a million lines: long, so only when asked.
    if (qEnvironmentVariableIntValue("VEXA_BENCH_MILLON") > 0 && std::find(tamanos.begin(), tamanos.end(), 1000000) == tamanos.end())
        tamanos.push_back(1000000);
    // VEXA_BENCH_MOTOR=sqlite or postgresql measures one backend only.
    const QString solo = qEnvironmentVariable("VEXA_BENCH_MOTOR");
    std::vector<Motor> motores;
    if (solo.isEmpty() || solo == QLatin1String("sqlite")) motores.push_back(Motor::SQLite);
    if (!qEnvironmentVariable("VEXA_PG").isEmpty() && (solo.isEmpty() || solo == QLatin1String("postgresql")))
        motores.push_back(Motor::PostgreSQL);
    const int repeticiones = std::max(1, qEnvironmentVariableIntValue("VEXA_BENCH_REPETICIONES"));
    for (Motor m : motores) {
        std::vector<double> tiempos;
        for (int n : tamanos) {
            // The run of median time out of the repetitions (a shared machine is noisy).
            std::vector<std::pair<double, double>> corridas;
            for (int r = 0; r < repeticiones; ++r) {
                double s = 0, b = 0;
                if (!correr(m, n, &s, &b)) return 1;
                corridas.emplace_back(s, b);
            }
            std::sort(corridas.begin(), corridas.end());
            const auto [s, b] = corridas[corridas.size() / 2];
            std::printf("reception %s %d lines/s=%.0f ratio=%.2f rss_mb=%.0f\n", m == Motor::SQLite ? "sqlite" : "postgresql", n,
                        n / s, b > 0 ? s / b : 0.0, bench::picoRssMb());
            std::fflush(stdout);
            tiempos.push_back(s);
        }
        // The growth from each size to the next.
        for (size_t i = 1; i < tiempos.size(); ++i)
            std::printf("reception %s growth %d->%d lines: time x%.2f\n", m == Motor::SQLite ? "sqlite" : "postgresql",
                        tamanos[i - 1], tamanos[i], tiempos[i] / tiempos[i - 1]);
        // The commercial system's file (VEXA_BENCH_COMERCIAL=0: not measured).
        if (qEnvironmentVariable("VEXA_BENCH_COMERCIAL") != QLatin1String("0") && !bench::benchComercial(m, {10000, 100000}))
            return 1;
        const QString conc = qEnvironmentVariable("VEXA_BENCH_CONCURRENTE", QStringLiteral("4x25000"));
        const QStringList partes = conc.split(u'x');
        if (partes.size() == 2 && partes[0].toInt() > 0 && partes[1].toInt() > 0)
            if (!concurrente(m, partes[0].toInt(), partes[1].toInt())) return 1;
    }
    return 0;
}
