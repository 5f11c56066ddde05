// Commercial-system reception throughput: a file of three-line vouchers (a sale
// with its VAT, over the twelve months of the demo's open year) through the
// window-free run RecibirVexa, against a baseline of the same rows inserted by
// one prepared statement in one transaction; then the cancel of the run
// (AnularRecepcion, FrmAnulRecep's service). One line per backend and size:
//   commercial <backend> <vouchers> vouchers/s=<N> ratio=<R> ratio_motor=<E> rss_mb=<M>
// ratio_motor: the run's time / the engine's own bulk path for the same rows (LimiteMotor.h).
//   cancel <backend> <rows> rows/s=<N>
#include "BaseBench.h"
#include "BenchVexa.h"
#include "LimiteMotor.h"
#include "AnulacionRecepcion.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CorridaVexa.h"
#include "Empresa.h"
#include "Progreso.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace vexa::bench {

namespace {

QString campo(const QString& s, int n) { return s.leftJustified(n, u' ', true); }

void escribir(const QString& ruta, int n)
{
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    QByteArray buf;
    for (int i = 1; i <= n; ++i) {
        const int mes = 1 + i % 12;
        const qint64 neto = 100 + i % 900, iva = neto * 21 / 100, total = neto + iva;
        const QString fecha = QStringLiteral("10%1").arg(mes, 2, 10, QLatin1Char('0')) + QStringLiteral("2026");
        const QString nro = QStringLiteral("0001%1A").arg(i, 8, 10, QLatin1Char('0'));
        auto linea = [&](const QString& cuenta, qint64 importe, const char* lado, const char* neto, const char* libro) {
            return campo(QString::number(i), 10) + QStringLiteral("VTAS") + fecha + campo(cuenta, 15)
                   + campo(QString::number(importe), 15) + QLatin1String(lado) + campo(QStringLiteral("1102010010001"), 15)
                   + campo(QString::number(total), 15) + QStringLiteral("00FA") + nro + QLatin1String(neto) + QLatin1String(libro)
                   + campo(QStringLiteral("Factura ") + QString::number(i), 40) + QStringLiteral("20261228")
                   + QStringLiteral("  ") + campo(QStringLiteral("30-71234567-9"), 15) + QStringLiteral("0001") + QStringLiteral("\r\n");
        };
        buf += (linea(QStringLiteral("1102010010001"), total, "D", " ", "V") + linea(QStringLiteral("4101010010001"), neto, "H", "1", " ")
                + linea(QStringLiteral("2102010010001"), iva, "H", " ", " "))
                   .toLatin1();
        if (buf.size() > (1 << 20)) {
            f.write(buf);
            buf.clear();
        }
    }
    f.write(buf);
}

// The same rows by one prepared statement in one transaction, in a family of their own.
double base(Conexion& c, int n)
{
    QElapsedTimer t;
    t.start();
    Transaccion tr(c);
    const QString sql(QStringLiteral(
        "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, DETALLE, TC, "
        "SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, CABIMPORTE, CABCUENTA, CABNOMBRE, CABCUIT, CABCONDIVA, VENCIMIENTO, "
        "NRO_TRANSMISION, [MONEDA], LIVA_TIPO, LIVA_IMPIVAREC, LIVA_IMPIVA, LIVA_EXENTO, LIVA_IMPNETOGRAV, LIVA_IMPNETONGRAV, "
        "LIVA_RET_GANANCIAS, LIVA_RET_IBTOS, LIVA_RET_PERC, LIVA_TOTAL, LIVA_ALICIVA, LIVA_ALICIVAREC) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    auto m = [&c](qint64 u) { return c.valorParaMotor(QVariant::fromValue(Moneda::entero(u))); };
    const QVariant nulo = c.valorParaMotor(QVariant());
    for (int i = 1; i <= n; ++i) {
        const int mes = 1 + i % 12;
        const qint64 neto = 100 + i % 900, iva = neto * 21 / 100, total = neto + iva;
        const QString cuentas[] = {QStringLiteral("1102010010001"), QStringLiteral("4101010010001"), QStringLiteral("2102010010001")};
        const qint64 importes[] = {total, neto, iva};
        for (int s = 0; s < 3; ++s) {
            QVariantList p{cuentas[s], s + 1, mes, i, 2, QStringLiteral("BASE"), QDate(2026, mes, 10).toString(Qt::ISODate),
                           QStringLiteral("(Recep: 1) Factura ") + QString::number(i), QStringLiteral("00FA"), QStringLiteral("0001"),
                           QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')), QStringLiteral("A"),
                           s == 0 ? QStringLiteral("D") : QStringLiteral("H"), m(importes[s]), m(total),
                           QStringLiteral("1102010010001"), QStringLiteral("Factura"), QStringLiteral("30-71234567-9"),
                           QStringLiteral("0001"), QStringLiteral("2026-12-28"), 1, QStringLiteral("1")};
            for (int k = 0; k < 12; ++k) p << (s == 0 ? (k == 0 ? QVariant(QStringLiteral("Ventas")) : m(importes[0])) : nulo);
            c.EjecutarSQL(sql, p);
        }
    }
    tr.confirmar();
    return t.nsecsElapsed() / 1e9;
}

// The same rows by the engine's own bulk path (LimiteMotor.h), into a company of
// their own whose journal is empty, as the run's was.
double limite(Motor motor, int n)
{
    static const char* fechas[] = {"2026-01-10", "2026-02-10", "2026-03-10", "2026-04-10", "2026-05-10", "2026-06-10",
                                   "2026-07-10", "2026-08-10", "2026-09-10", "2026-10-10", "2026-11-10", "2026-12-10"};
    static const char* cuentas[] = {"1102010010001", "4101010010001", "2102010010001"};
    const QStringList columnas{
        "CUENTA", "SECUENCIA", "MES_OPERATIVO", "NUMERO ASIENTO", "PERIODO", "TIPO_REG", "FECHA", "DETALLE", "TC", "SUCURSAL",
        "NUMERO", "LETRA", "DEBE-HABER", "IMPORTE", "CABIMPORTE", "CABCUENTA", "CABNOMBRE", "CABCUIT", "CABCONDIVA",
        "VENCIMIENTO", "NRO_TRANSMISION", "MONEDA", "LIVA_TIPO", "LIVA_IMPIVAREC", "LIVA_IMPIVA", "LIVA_EXENTO",
        "LIVA_IMPNETOGRAV", "LIVA_IMPNETONGRAV", "LIVA_RET_GANANCIAS", "LIVA_RET_IBTOS", "LIVA_RET_PERC", "LIVA_TOTAL",
        "LIVA_ALICIVA", "LIVA_ALICIVAREC"};
    return limiteMotor(motor, QStringLiteral("MV_ASIENTOS"), columnas, qint64(n) * 3, [&](qint64 fila, FilaMotor& f) {
        const int i = int(fila / 3) + 1, s = int(fila % 3);
        const int mes = 1 + i % 12;
        const qint64 neto = 100 + i % 900, iva = neto * 21 / 100, total = neto + iva;
        const qint64 importes[] = {total, neto, iva};
        char detalle[48], numero[16];
        std::snprintf(detalle, sizeof detalle, "(Recep: 1) Factura %d", i);
        std::snprintf(numero, sizeof numero, "%08d", i);
        f[0].fijarTexto(cuentas[s]);
        f[1].numero(s + 1);
        f[2].numero(mes);
        f[3].numero(i);
        f[4].numero(2);
        f[5].fijarTexto("MOTOR");
        f[6].fijarTexto(fechas[mes - 1]);
        f[7].fijarTexto(detalle);
        f[8].fijarTexto("00FA");
        f[9].fijarTexto("0001");
        f[10].fijarTexto(numero);
        f[11].fijarTexto("A");
        f[12].fijarTexto(s == 0 ? "D" : "H");
        f[13].importe(importes[s] * 10000);
        f[14].importe(total * 10000);
        f[15].fijarTexto("1102010010001");
        f[16].fijarTexto("Factura");
        f[17].fijarTexto("30-71234567-9");
        f[18].fijarTexto("0001");
        f[19].fijarTexto("2026-12-28");
        f[20].numero(1);
        f[21].fijarTexto("1");
        for (int k = 0; k < 12; ++k) {
            if (s != 0) f[size_t(22 + k)].nulo();
            else if (k == 0) f[22].fijarTexto("Ventas");
            else f[size_t(22 + k)].importe(importes[0] * 10000);
        }
    });
}

// One run of 'n' vouchers: the reception's, the baseline's, the engine's and
// the cancel's times, the rows the run wrote; false when it could not run.
struct Corrida {
    double run = 0, base = 0, motor = 0, anular = 0;
    int grabados = 0, filas = 0;
};

bool corridaComercial(Motor motor, int n, Corrida& x)
{
    BaseBench empresa;
    QTemporaryDir dir;
    if (!empresa.crear(motor, QStringLiteral("vexa_bench_vexa"), true)) return false;
    const DatosConexion& d = empresa.datos();
    const QString ruta = dir.filePath(QStringLiteral("vexa.txt"));
    escribir(ruta, n);
    Conexion& c = Conexion::instancia();
    c.setDatos(d);
    if (!c.Abrir()) {
        std::fprintf(stderr, "no se pudo abrir: %s\n", qPrintable(c.ultimoError()));
        return false;
    }
    {
        ContextoEmpresa ctx(c);
        CargarValoresContables(ctx);
        ctx.seccionEquipo = QStringLiteral("BENCH|BENCH");
        ProgresoNulo progreso;
        QStringList errores;
        QElapsedTimer t;
        t.start();
        const recepcion::ResultadoCorridaVexa r = recepcion::RecibirVexa(
            ctx, ruta, progreso, [&](const QStringList& l) { if (errores.size() < 3) errores << l; });
        x.run = t.nsecsElapsed() / 1e9;
        x.grabados = r.grabados;
        if (r.fin != recepcion::ResultadoCorridaVexa::Fin::Completa) std::fprintf(stderr, "%s\n", qPrintable(r.error));
        if (!errores.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(errores.join(u'\n')));
        x.filas = int(c.Escalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?"), {r.idRecepcion}).toLongLong());
        t.restart();
        const recepcion::ResultadoAnulacion a = recepcion::AnularRecepcion(ctx, r.idRecepcion);
        x.anular = t.nsecsElapsed() / 1e9;
        if (a.filasBorradas != x.filas) std::fprintf(stderr, "anulación: %d de %d filas\n", a.filasBorradas, x.filas);
    }
    x.base = base(c, n);
    c.Cerrar();
    empresa.eliminar();
    x.motor = limite(motor, n);
    return true;
}

} // namespace

bool benchComercial(Motor motor, const std::vector<int>& tamanos, int repeticiones, const std::function<void(int, double)>& ratioMotor)
{
    const char* nombre = motor == Motor::SQLite ? "sqlite" : "postgresql";
    for (int n : tamanos) {
        std::vector<Corrida> corridas;
        for (int r = 0; r < std::max(1, repeticiones); ++r) {
            Corrida x;
            if (!corridaComercial(motor, n, x)) return false;
            corridas.push_back(x);
        }
        // Each time's median apart; one failed engine run (no time) fails them all.
        auto mediana = [&](double Corrida::*campo) {
            std::vector<double> v;
            for (const Corrida& c : corridas) v.push_back(c.*campo);
            return *std::min_element(v.begin(), v.end()) > 0 ? bench::mediana(v) : 0.0;
        };
        const double tRun = mediana(&Corrida::run), tBase = mediana(&Corrida::base), tMotor = mediana(&Corrida::motor);
        const double tAnular = mediana(&Corrida::anular);
        const int grabados = std::min_element(corridas.begin(), corridas.end(), [](const Corrida& a, const Corrida& b) {
                                 return a.grabados < b.grabados;
                             })->grabados;
        const int filas = corridas.front().filas;
        if (grabados != n) std::printf("  (%d of %d vouchers posted)\n", grabados, n);
        std::printf("commercial %s %d vouchers/s=%.0f ratio=%.2f ratio_motor=%.2f rss_mb=%.0f\n", nombre, n, tRun > 0 ? n / tRun : 0.0,
                    tBase > 0 ? tRun / tBase : 0.0, tMotor > 0 ? tRun / tMotor : 0.0, bench::picoRssMb());
        std::printf("cancel %s %d rows/s=%.0f\n", nombre, filas, tAnular > 0 ? filas / tAnular : 0.0);
        std::fflush(stdout);
        // A baseline that failed breaks the bar rather than passing it.
        ratioMotor(n, tMotor > 0 ? tRun / tMotor : std::numeric_limits<double>::infinity());
    }
    return true;
}

} // namespace vexa::bench
