// The inflation-adjustment entry on a demo company whose active year (2026)
// holds 1,000,000 journal lines over 2,000 accounts, 1,000 of them adjustable
// (series 1 to 4), each account with an opening row, and the demo's index
// values for 2025 and 2026. On SQLite and (with VEXA_PG=host:port) PostgreSQL
// it times, through the rules the window calls, the generation of the twelve
// months (GenerarAjuste: sums, openings and values read set-wise) and the save
// of the entry (GrabarAjuste: 1,001 lines in one transaction), checks that the
// generated and the saved entry balance, deletes it (a year adjusted to its
// closing month has nothing more to generate) and prints the median of three
// runs:
//   adjustment <backend> accounts=1000 lines=1000000 generate_ms=<G> save_ms=<S> rss_mb=<M>
// Bars: generation within 2 s, save within 300 ms, under 300 MB, both backends.
// VEXA_BENCH_MOTOR=sqlite|postgresql measures one backend; an argument sets the
// number of lines.
#include "AsientoAjuste.h"
#include "BaseBench.h"
#include "ContextoEmpresa.h"
#include "Progreso.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vexa;

namespace {

constexpr int kCuentas = 2000;
const QString kRei = QStringLiteral("5301010010001");

QString numeros(Conexion& c, int n)
{
    return c.motor() == Motor::PostgreSQL ? QStringLiteral("(SELECT generate_series(1, %1) AS i) n").arg(n)
                                          : QStringLiteral("(WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s "
                                                           "WHERE i < %1) SELECT i FROM s) n")
                                                .arg(n);
}

QString codigo(int i) { return QStringLiteral("9%1").arg(i, 12, 10, QLatin1Char('0')); }

void llenar(Conexion& c, int lineas)
{
    Transaccion t(c);
    c.EjecutarSQL("DELETE FROM MV_ASIENTOS");
    c.EjecutarSQL("UPDATE MA_CUENTAS SET AJUSTE = 0");
    // Accounts 0..1999: the odd ones adjustable, series 1 + i % 4.
    for (int i = 0; i < kCuentas; ++i)
        c.Insertar("MA_CUENTAS", {{"CODIGO", codigo(i)}, {"DESCRIPCION", QStringLiteral("Cuenta %1").arg(i)}, {"TITULO", 0},
                                  {"AJUSTE", i % 2}, {"BIENES", 0}, {"INDICE", 1 + i % 4}});
    if (!c.PrimeraFila("SELECT 1 FROM MA_CUENTAS WHERE CODIGO = ?", {kRei}))
        c.Insertar("MA_CUENTAS", {{"CODIGO", kRei}, {"DESCRIPCION", "R.E.I."}, {"TITULO", 0}});
    const bool pg = c.motor() == Motor::PostgreSQL;
    // Amounts: whole units plus i % 100 ten-thousandths (stored as units on SQLite).
    const QString importe = pg ? QStringLiteral("CAST((i %% 997 + 1) + (i %% 100) / 10000.0 AS NUMERIC(19,4))")
                               : QStringLiteral("((i %% 997 + 1) * 10000 + i %% 100)");
    const QString cuenta = pg ? QStringLiteral("'9' || LPAD(CAST(%1 AS TEXT), 12, '0')") : QStringLiteral("'9' || SUBSTR('000000000000' || (%1), -12)");
    const QString fecha = pg ? QStringLiteral("DATE '2026-01-01' + (i %% 365)") : QStringLiteral("DATE('2026-01-01', '+' || (i %% 365) || ' days')");
    const QString mes = pg ? QStringLiteral("CAST(EXTRACT(MONTH FROM DATE '2026-01-01' + (i %% 365)) AS INTEGER)")
                           : QStringLiteral("CAST(STRFTIME('%%m', DATE('2026-01-01', '+' || (i %% 365) || ' days')) AS INTEGER)");
    // Opening rows: one per account (debit on even, credit on odd ones of each hundred).
    c.EjecutarSQL(QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, CUENTA, "
                                 "[DEBE-HABER], IMPORTE, ES_SALDO_APERTURA, ESRESUMEN, ESAJUSTE) "
                                 "SELECT 2, 1, 1, i, '', %1, %2, CASE WHEN (i / 2) %% 2 = 0 THEN 'D' ELSE 'H' END, %3, 1, 0, 0 FROM %4")
                      .arg(pg ? QStringLiteral("DATE '2026-01-01'") : QStringLiteral("'2026-01-01'"), cuenta.arg(QStringLiteral("i - 1")),
                           importe, numeros(c, kCuentas))
                      .replace(QLatin1String("%%"), QLatin1String("%")));
    // The year's lines: line i on account i % 2000, day i % 365, sides in turn.
    c.EjecutarSQL(QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, CUENTA, "
                                 "[DEBE-HABER], IMPORTE, ES_SALDO_APERTURA, ESRESUMEN, ESAJUSTE) "
                                 "SELECT 2, %1, 2 + i / 2, 1 + i %% 2, '', %2, %3, CASE WHEN (i / 2000) %% 2 = 0 THEN 'D' ELSE 'H' END, %4, 0, 0, 0 FROM %5")
                      .arg(mes, fecha, cuenta.arg(QStringLiteral("i %% 2000")), importe, numeros(c, lineas))
                      .replace(QLatin1String("%%"), QLatin1String("%")));
    t.confirmar();
    c.EjecutarSQL("ANALYZE");
}

void correr(Motor m, int lineas)
{
    bench::BaseBench empresa;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_ajuste"), true)) return;
    const DatosConexion& d = empresa.datos();
    Conexion& c = Conexion::instancia();
    c.setDatos(d);
    if (!c.Abrir()) {
        std::fprintf(stderr, "no se pudo abrir la base: %s\n", qPrintable(c.ultimoError()));
        return;
    }
    llenar(c, lineas);
    ContextoEmpresa ctx(c);
    CargarValoresContables(ctx);
    ProgresoNulo progreso;
    std::vector<double> generar, grabar;
    size_t nLineas = 0;
    for (int vez = 0; vez < 3; ++vez) {
        QElapsedTimer t;
        t.start();
        const ajuste::ResultadoAjuste r = ajuste::GenerarAjuste(ctx, {{1, 2026}, {12, 2026}, kRei}, progreso);
        generar.push_back(t.nsecsElapsed() / 1e6);
        if (r.fin != ajuste::ResultadoAjuste::Fin::Completa || !r.totales.iguales()) {
            std::fprintf(stderr, "generacion incompleta: %s\n", qPrintable(r.mensaje));
            return;
        }
        nLineas = r.lineas.size();
        ajuste::CabeceraAjuste cab;
        cab.fecha = QStringLiteral("31/12/2026");
        cab.tc = QStringLiteral("00RC");
        cab.sucursal = QStringLiteral("0001");
        cab.numero = QStringLiteral("%1").arg(1000 + vez, 8, 10, QLatin1Char('0'));
        cab.letra = QStringLiteral("R");
        cab.detalle = QStringLiteral("Ajuste por inflación");
        cab.periodoHasta = QStringLiteral("12/2026");
        t.restart();
        const qint32 nro = ajuste::GrabarAjuste(ctx, cab, r.lineas);
        grabar.push_back(t.nsecsElapsed() / 1e6);
        const Params p{nro};
        const Moneda debe = c.PrimeraFila("SELECT SUM(IMPORTE) AS T FROM MV_ASIENTOS WHERE ESAJUSTE = 1 AND MES_OPERATIVO = 12 "
                                          "AND [NUMERO ASIENTO] = ? AND [DEBE-HABER] = 'D'", p)->moneda("T");
        const Moneda haber = c.PrimeraFila("SELECT SUM(IMPORTE) AS T FROM MV_ASIENTOS WHERE ESAJUSTE = 1 AND MES_OPERATIVO = 12 "
                                           "AND [NUMERO ASIENTO] = ? AND [DEBE-HABER] = 'H'", p)->moneda("T");
        if (debe != haber || debe != r.totales.debe) {
            std::fprintf(stderr, "el asiento grabado no balancea: %s / %s\n", qPrintable(debe.texto()), qPrintable(haber.texto()));
            return;
        }
        // The year is adjusted now: without its entry the next run is the same first adjustment.
        c.EjecutarSQL("DELETE FROM MV_ASIENTOS WHERE ESAJUSTE = 1");
    }
    std::printf("adjustment %s accounts=%d lines=%d generate_ms=%.0f save_ms=%.0f rss_mb=%.0f\n",
                m == Motor::SQLite ? "sqlite" : "postgresql", kCuentas / 2, lineas, bench::mediana(generar), bench::mediana(grabar), bench::picoRssMb());
    std::fprintf(stderr, "entry lines: %zu\n", nLineas);
    std::fflush(stdout);
    c.Cerrar();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int lineas = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 1000000;
    const QString motor = qEnvironmentVariable("VEXA_BENCH_MOTOR");
    if (motor.isEmpty() || motor == QLatin1String("sqlite")) correr(Motor::SQLite, lineas);
    if ((motor.isEmpty() || motor == QLatin1String("postgresql")) && !qEnvironmentVariable("VEXA_PG").isEmpty())
        correr(Motor::PostgreSQL, lineas);
    return 0;
}
