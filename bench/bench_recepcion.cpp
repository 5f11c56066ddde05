// Reception throughput through the reception window's own run (offscreen), on
// SQLite and (with VEXA_PG=host:port) PostgreSQL, for interface files of the
// demo definition "VENTAS". In the same database it then times a baseline: the
// same entry rows inserted with one prepared statement in one transaction; and
// then, in a company of their own, the same rows by the engine's own bulk path
// (LimiteMotor.h: SQLite's prepared insert on its own handle, PostgreSQL's COPY).
// One line per backend and size:
//   reception <backend> <lines> lines/s=<N> ratio=<R> ratio_motor=<E> motor_lines/s=<M> rss_mb=<P>
// ratio = reception time / baseline time; ratio_motor = reception time / the
// engine's time; rss_mb = the process's peak during the reception (counted afresh from its start).
// Then one run alone and several runs at once, each in a process of its own
// with its own connection (distinct vouchers, every file over the 12 months in
// another order), timed from the start of the first to the end of the last:
//   concurrent <backend> 1x<lines> lines/s=<N> rejected=<R>
//   concurrent <backend> <runs>x<lines> lines/s=<N> rejected=<R> x_one=<X>
// lines/s = all lines / that time; rejected = lines no run recorded; x_one =
// the aggregate / the one run's.
// The run's results are kept as the window keeps them (ResultadosRecepcion).
// Then the commercial system's transfer file (bench_recepcion_vexa.cpp):
//   commercial <backend> <vouchers> vouchers/s=<N> ratio=<R> ratio_motor=<E> rss_mb=<M>
//   cancel <backend> <rows> rows/s=<N>
// Last, every bar of the run against its limit ("bar <what>=<value> <= <limit>
// ok|BROKEN"); the exit status is 2 when one is broken, 1 when the run failed.
// Every company is created under a name of the run's own and removed after it.
// Usage: bench_recepcion [sizes...]   (default 10000 100000; VEXA_BENCH_MILLON=1 adds
// 1000000, the memory measurement); VEXA_BENCH_MOTOR=sqlite|postgresql
// measures one backend only; VEXA_BENCH_REPETICIONES=N runs each size N times and
// reports the run of median time, its ratio_motor over the engine's median time; VEXA_BENCH_CONCURRENTE=<runs>x<lines> (default
// 4x25000, 0 = none) sizes the concurrent measurement; VEXA_BENCH_CAPA=0 leaves the
// database layer's baseline out (ratio=0.00).
#include "BaseBench.h"
#include "BenchVexa.h"
#include "LimiteMotor.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CorridaRecepcion.h"
#include "Empresa.h"
#include "Progreso.h"
#include "ResultadosRecepcion.h"

#include <QCoreApplication>
#include <QProcess>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <limits>
#include <functional>
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

// The same rows again, by the engine's own bulk path (LimiteMotor.h) into a
// company of their own whose journal is empty, as the reception's was.
double limite(Motor motor, const std::vector<Linea>& v, const std::function<void(Conexion&)>& antes = {}, double* cpu = nullptr)
{
    static const char* cuentas[] = {"1102010010001", "1102010010002", "1102010010003"};
    static const char* fechas[] = {"2026-01-10", "2026-02-10", "2026-03-10", "2026-04-10", "2026-05-10", "2026-06-10",
                                   "2026-07-10", "2026-08-10", "2026-09-10", "2026-10-10", "2026-11-10", "2026-12-10"};
    const QStringList columnas{
        "CUENTA", "SECUENCIA", "MES_OPERATIVO", "NUMERO ASIENTO", "PERIODO", "TIPO_REG", "FECHA", "DETALLE", "TC", "SUCURSAL",
        "NUMERO", "LETRA", "DEBE-HABER", "IMPORTE", "CABIMPORTE", "CABCUENTA", "CABNOMBRE", "CABCUIT", "CABCONDIVA",
        "VENCIMIENTO", "NRO_TRANSMISION", "LIVA_TIPO", "LIVA_IMPIVAREC", "LIVA_IMPIVA", "LIVA_EXENTO", "LIVA_IMPNETOGRAV",
        "LIVA_IMPNETONGRAV", "LIVA_RET_GANANCIAS", "LIVA_RET_IBTOS", "LIVA_RET_PERC", "LIVA_TOTAL", "LIVA_ALICIVA",
        "LIVA_ALICIVAREC"};
    const QByteArray detalle = QStringLiteral("Subdiario desde Interface Recepción Nº 1").toUtf8();
    return bench::limiteMotor(motor, QStringLiteral("MV_ASIENTOS"), columnas, qint64(v.size()) * 3,
                              [&](qint64 i, bench::FilaMotor& f) {
        const Linea& l = v[size_t(i / 3)];
        const int s = int(i % 3);
        const qint64 importe[] = {l.neto, l.iva, l.neto + l.iva};
        char numero[16];
        std::snprintf(numero, sizeof numero, "%08d", l.numero);
        f[0].fijarTexto(s == 0 ? "4101010010001" : s == 1 ? "2102010010001" : cuentas[l.cliente]);
        f[1].numero(s + 1);
        f[2].numero(l.mes);
        f[3].numero(i / 3 + 1);
        f[4].numero(2);
        f[5].fijarTexto("MOTOR");
        f[6].fijarTexto(fechas[l.mes - 1]);
        f[7].fijarTexto(detalle);
        f[8].fijarTexto("00FA");
        f[9].fijarTexto("0001");
        f[10].fijarTexto(numero);
        f[11].fijarTexto("A");
        f[12].fijarTexto(s == 2 ? "D" : "H");
        f[13].importe(importe[s] * 10000);
        f[14].importe((l.neto + l.iva) * 10000);
        f[15].fijarTexto(cuentas[l.cliente]);
        f[16].fijarTexto("Cliente");
        f[17].fijarTexto("30-71234567-9");
        f[18].fijarTexto("0001");
        f[19].fijarTexto("2026-12-28");
        f[20].numero(1);
        for (int k = 0; k < 12; ++k) {
            if (s != 0) f[size_t(21 + k)].nulo();
            else if (k == 0) f[21].fijarTexto("VENTAS");
            else f[size_t(21 + k)].importe(importe[0] * 10000);
        }
    }, antes, cpu);
}

// VEXA_BENCH_INDICES=1: what each index of the journal costs the engine's bulk
// path for the rows of 'lineas' lines: the time with every index, then with
// each one dropped (alone), then with only the numbering key left, then (when
// VEXA_BENCH_INDICES_CAMBIO holds statements separated by ';') with those
// statements run first; the median of 'veces' runs of each.
//   index <backend> <lines> <name> motor_s=<T> cpu_s=<C> cost=<P>%
// cost = the share of the time with every index that the index takes (of the
// processor time on SQLite, which does all its work in this process; of the
// elapsed time on PostgreSQL).
bool costoIndices(Motor motor, int lineas, int veces)
{
    const std::vector<Linea> v = generar(lineas);
    const char* nm = motor == Motor::SQLite ? "sqlite" : "postgresql";
    QStringList indices;
    auto medir = [&](const QString& que, const std::function<void(Conexion&)>& antes) {
        std::vector<double> t, cpu;
        for (int i = 0; i < veces; ++i) {
            double c = 0;
            t.push_back(limite(motor, v, antes, &c));
            cpu.push_back(c);
        }
        return std::pair{bench::mediana(t), bench::mediana(cpu)};
    };
    const QString catalogo = motor == Motor::SQLite
                                 ? QStringLiteral("SELECT name AS N FROM sqlite_master WHERE type = 'index' AND tbl_name = 'MV_ASIENTOS' "
                                                  "AND sql IS NOT NULL ORDER BY name")
                                 : QStringLiteral("SELECT UPPER(indexname) AS N FROM pg_indexes WHERE tablename = 'mv_asientos' "
                                                  "ORDER BY indexname");
    // VEXA_BENCH_INDICES_SOLO=<what> measures only that case ("all", an index's
    // name, "only", "changed"): one case per process, e.g. under callgrind.
    const QString solo = qEnvironmentVariable("VEXA_BENCH_INDICES_SOLO");
    const auto [todos, todosCpu] = !solo.isEmpty() && solo != QLatin1String("all") ? std::pair{1.0, 1.0} : medir(QString(), [&](Conexion& c) {
        if (!indices.isEmpty()) return;
        for (Recordset rs = c.ObtenerRecordset(catalogo); !rs.eof(); rs.siguiente()) indices << rs.texto(QStringLiteral("N"));
    });
    if (todos <= 0) return false;
    if (indices.isEmpty())
        indices = QStringList{"IX_MV_ASIENTOS_AJUSTE", "IX_MV_ASIENTOS_APERTURA", "IX_MV_ASIENTOS_COMPROBANTE", "IX_MV_ASIENTOS_FECHA",
                              "IX_MV_ASIENTOS_PENDIENTES", "IX_MV_ASIENTOS_SUMAS", "IX_MV_ASIENTOS_TRANSMISION", "UX_MV_ASIENTOS_NUMERO"};
    if (motor == Motor::PostgreSQL) indices.removeAll(QStringLiteral("IX_MV_ASIENTOS_SUMAS"));
    if (solo.isEmpty() || solo == QLatin1String("all"))
        std::printf("index %s %d (all: %s) motor_s=%.3f cpu_s=%.3f\n", nm, lineas, qPrintable(indices.join(u' ')), todos, todosCpu);
    std::fflush(stdout);
    auto informar = [&](const QString& que, const std::function<void(Conexion&)>& antes) {
        if (!solo.isEmpty() && !que.contains(solo)) return;
        const auto [t, cpu] = medir(que, antes);
        const double costo = motor == Motor::SQLite ? (todosCpu - cpu) / todosCpu : (todos - t) / todos;
        std::printf("index %s %d %s motor_s=%.3f cpu_s=%.3f cost=%.1f%%\n", nm, lineas, qPrintable(que), t, cpu, 100 * costo);
        std::fflush(stdout);
    };
    // Names read from the catalogue above.
    for (const QString& ix : indices) informar(ix, [&](Conexion& c) { c.EjecutarSQL(QStringLiteral("DROP INDEX ") + ix); });
    informar(QStringLiteral("(only UX_MV_ASIENTOS_NUMERO)"), [&](Conexion& c) {
        for (const QString& ix : indices)
            if (ix != QLatin1String("UX_MV_ASIENTOS_NUMERO")) c.EjecutarSQL(QStringLiteral("DROP INDEX ") + ix);
    });
    const QString cambio = qEnvironmentVariable("VEXA_BENCH_INDICES_CAMBIO");
    if (!cambio.isEmpty())
        informar(QStringLiteral("(changed)"), [&](Conexion& c) {
            for (const QString& sql : cambio.split(u';', Qt::SkipEmptyParts)) c.EjecutarSQL(sql);
        });
    return true;
}

// The reception's own peak of memory, measured from its start to its end
// (the baselines after it open companies and page caches of their own).
double rssRecepcion = 0;

bool correr(Motor motor, int lineas, double* segundos, double* base, double* motorSeg)
{
    bench::BaseBench empresa;
    QTemporaryDir dir;
    if (!empresa.crear(motor, QStringLiteral("vexa_bench_recepcion"), true)) return false;
    const DatosConexion& d = empresa.datos();
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
        bench::reiniciarPicoRss();
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
        rssRecepcion = bench::picoRssMb();
        grabadas = r.grabados;
        errores = r.rechazados;
        if (!r.completa()) std::fprintf(stderr, "%s\n", qPrintable(r.error));
        if (errores > 0) std::fprintf(stderr, "%s\n", qPrintable(primerError));
    }
    // VEXA_BENCH_CAPA=0 leaves the database layer's baseline out (ratio=0.00):
    // on PostgreSQL it takes ten times the reception, minutes at a million lines.
    tBase = qEnvironmentVariable("VEXA_BENCH_CAPA") == QLatin1String("0") ? std::nan("") : lineaBase(c, v);
    c.Cerrar();
    empresa.eliminar();
    // The engine's own bulk path for the same rows, once the run's company is gone
    // (its page cache freed, so the peak memory stays the run's).
    *motorSeg = limite(motor, v);
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

struct Corridas {
    double segundos = 0;
    int grabadas = 0, rechazadas = 0;
    bool bien = true;
};

// Starts one run per file at once into the company 'd' and waits for them all;
// the time runs from the start of the first to the end of the last.
Corridas lanzar(const DatosConexion& d, const QStringList& rutas)
{
    Corridas r;
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
    for (auto& p : hijos) {
        if (!p->waitForFinished(-1) || p->exitCode() != 0) r.bien = false;
        const QList<QByteArray> n = p->readAllStandardOutput().trimmed().split(' ');
        if (n.size() == 2) {
            r.grabadas += n[0].toInt();
            r.rechazadas += n[1].toInt();
        }
    }
    r.segundos = t.nsecsElapsed() / 1e9;
    return r;
}

// 'corridas' runs at once into one new company, and before them the first
// run's file alone, the same way, into a company of its own: the aggregate's
// ratio to that one run is the bar, which holds on a loaded machine.
bool concurrente(Motor motor, int corridas, int lineas, double* veces, int* rechazadas)
{
    QTemporaryDir dir;
    QStringList rutas;
    for (int k = 1; k <= corridas; ++k) {
        rutas << dir.filePath(QStringLiteral("ventas_%1.txt").arg(k));
        escribirArchivo(rutas.last(), generar(lineas, k));
    }
    Corridas una, todas;
    {
        bench::BaseBench empresa;
        if (!empresa.crear(motor, QStringLiteral("vexa_bench_recepcion_una"), true)) return false;
        una = lanzar(empresa.datos(), {rutas.first()});
    }
    {
        bench::BaseBench empresa;
        if (!empresa.crear(motor, QStringLiteral("vexa_bench_recepcion_conc"), true)) return false;
        todas = lanzar(empresa.datos(), rutas);
    }
    // Lines that no run accounted for count as rejected.
    *rechazadas = corridas * lineas - todas.grabadas;
    *veces = (corridas * lineas / todas.segundos) / (lineas / una.segundos);
    const char* nm = motor == Motor::SQLite ? "sqlite" : "postgresql";
    std::printf("concurrent %s 1x%d lines/s=%.0f rejected=%d\n", nm, lineas, lineas / una.segundos, lineas - una.grabadas);
    std::printf("concurrent %s %dx%d lines/s=%.0f rejected=%d x_one=%.2f\n", nm, corridas, lineas, corridas * lineas / todas.segundos,
                *rechazadas, *veces);
    std::fflush(stdout);
    return una.bien && todas.bien;
}

// A bar of the benchmark: a ratio or growth measured in this run against its limit.
struct Barra {
    QString que;
    double valor, limite;
    bool maximo; // the value must not exceed the limit (else: must reach it)
    bool rota() const { return maximo ? valor > limite : valor < limite; }
};

std::vector<Barra>& barras()
{
    static std::vector<Barra> b;
    return b;
}

void barra(const QString& que, double valor, double limite, bool maximo) { barras().push_back({que, valor, limite, maximo}); }

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 7 && qstrcmp(argv[1], "--corrida") == 0) {
        QCoreApplication app(argc, argv);
        return corridaHija(argv);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
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
    if (qEnvironmentVariableIntValue("VEXA_BENCH_INDICES") > 0) {
        for (Motor m : motores)
            for (int n : tamanos)
                if (!costoIndices(m, n, repeticiones)) return 1;
        return 0;
    }
    for (Motor m : motores) {
        const char* nm = m == Motor::SQLite ? "sqlite" : "postgresql";
        std::vector<double> tiempos;
        for (int n : tamanos) {
            // The run of median time out of the repetitions (a shared machine is noisy).
            struct Medida {
                double s, b, motor, rss;
                bool operator<(const Medida& o) const { return s < o.s; }
            };
            std::vector<Medida> corridas;
            for (int r = 0; r < repeticiones; ++r) {
                Medida x{};
                if (!correr(m, n, &x.s, &x.b, &x.motor)) return 1;
                x.rss = rssRecepcion;
                corridas.push_back(x);
            }
            // The engine's run of median time, apart: the two medians of the same
            // interleaved runs move less than one pair's ratio.
            std::vector<double> motores;
            for (const Medida& c : corridas) motores.push_back(c.motor);
            std::sort(corridas.begin(), corridas.end());
            Medida x = corridas[corridas.size() / 2];
            // One failed baseline (no time) fails them all.
            x.motor = *std::min_element(motores.begin(), motores.end()) > 0 ? bench::mediana(motores) : 0.0;
            const double rss = x.rss;
            const double ratioMotor = x.motor > 0 ? x.s / x.motor : 0.0;
            std::printf("reception %s %d lines/s=%.0f ratio=%.2f ratio_motor=%.2f motor_lines/s=%.0f rss_mb=%.0f\n", nm, n, n / x.s,
                        x.b > 0 ? x.s / x.b : 0.0, ratioMotor, x.motor > 0 ? n / x.motor : 0.0, rss);
            std::fflush(stdout);
            // A baseline that failed breaks its bar rather than passing it.
            barra(QStringLiteral("reception %1 %2 ratio_motor").arg(QLatin1String(nm)).arg(n),
                  x.motor > 0 ? ratioMotor : std::numeric_limits<double>::infinity(),
                  m == Motor::SQLite ? 1.3 : 2.0, true);
            if (n >= 1000000) barra(QStringLiteral("reception %1 %2 rss_mb").arg(QLatin1String(nm)).arg(n), rss, 300, true);
            tiempos.push_back(x.s);
        }
        // The growth from each size to the next; ten times the lines in at most 11 times the time.
        for (size_t i = 1; i < tiempos.size(); ++i) {
            const double g = tiempos[i] / tiempos[i - 1];
            std::printf("reception %s growth %d->%d lines: time x%.2f\n", nm, tamanos[i - 1], tamanos[i], g);
            if (tamanos[i] == 10 * tamanos[i - 1])
                barra(QStringLiteral("reception %1 growth %2->%3").arg(QLatin1String(nm)).arg(tamanos[i - 1]).arg(tamanos[i]), g, 11, true);
        }
        std::fflush(stdout);
        // The commercial system's file (VEXA_BENCH_COMERCIAL=0: not measured;
        // =n,m: those numbers of vouchers).
        std::vector<int> comerciales{10000, 100000};
        if (const QString t = qEnvironmentVariable("VEXA_BENCH_COMERCIAL"); !t.isEmpty()) {
            comerciales.clear();
            for (const QString& n : t.split(u','))
                if (n.toInt() > 0) comerciales.push_back(n.toInt());
        }
        if (!comerciales.empty() && !bench::benchComercial(m, comerciales, repeticiones, [&](int n, double r) {
                barra(QStringLiteral("commercial %1 %2 ratio_motor").arg(QLatin1String(nm)).arg(n), r, m == Motor::SQLite ? 1.3 : 2.0, true);
            }))
            return 1;
        const QString conc = qEnvironmentVariable("VEXA_BENCH_CONCURRENTE", QStringLiteral("4x25000"));
        const QStringList partes = conc.split(u'x');
        if (partes.size() == 2 && partes[0].toInt() > 0 && partes[1].toInt() > 0) {
            double veces = 0;
            int rechazadas = 0;
            if (!concurrente(m, partes[0].toInt(), partes[1].toInt(), &veces, &rechazadas)) return 1;
            // PostgreSQL's runs overlap their work; SQLite's take turns (one writer) and
            // must not lose time to each other.
            barra(QStringLiteral("concurrent %1 %2 x_one").arg(QLatin1String(nm), conc), veces, m == Motor::SQLite ? 0.8 : 2.5, false);
            barra(QStringLiteral("concurrent %1 %2 rejected").arg(QLatin1String(nm), conc), rechazadas, 0, true);
        }
    }
    // The bars, together at the end; the exit status is 2 when one is broken.
    bool rotas = false;
    for (const Barra& b : barras()) {
        std::printf("bar %s=%.2f %s %.2f %s\n", qPrintable(b.que), b.valor, b.maximo ? "<=" : ">=", b.limite,
                    b.rota() ? "BROKEN" : "ok");
        rotas = rotas || b.rota();
    }
    if (rotas) return 2;
    return 0;
}
