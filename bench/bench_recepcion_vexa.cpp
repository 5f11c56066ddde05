// Commercial-system reception throughput: a file of three-line vouchers (a sale
// with its VAT, over the twelve months of the demo's open year) through the
// window-free run RecibirVexa, against a baseline of the same rows inserted by
// one prepared statement in one transaction; then the cancel of the run
// (AnularRecepcion, FrmAnulRecep's service). One line per backend and size:
//   commercial <backend> <vouchers> vouchers/s=<N> ratio=<R> rss_mb=<M>
//   cancel <backend> <rows> rows/s=<N>
#include "BaseBench.h"
#include "BenchVexa.h"
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

#include <cstdio>

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

} // namespace

bool benchComercial(Motor motor, const std::vector<int>& tamanos)
{
    const char* nombre = motor == Motor::SQLite ? "sqlite" : "postgresql";
    for (int n : tamanos) {
        DatosConexion d;
        QString e;
        QTemporaryDir dir;
        if (!crearBaseBench(motor, QStringLiteral("vexa_bench_vexa_%1").arg(QCoreApplication::applicationPid()), true, dir.path(), &d))
            return false;
        const QString ruta = dir.filePath(QStringLiteral("vexa.txt"));
        escribir(ruta, n);
        Conexion& c = Conexion::instancia();
        c.setDatos(d);
        if (!c.Abrir()) {
            std::fprintf(stderr, "no se pudo abrir: %s\n", qPrintable(c.ultimoError()));
            return false;
        }
        double tRun = 0, tBase = 0, tAnular = 0;
        int grabados = 0, filas = 0;
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
            tRun = t.nsecsElapsed() / 1e9;
            grabados = r.grabados;
            if (r.fin != recepcion::ResultadoCorridaVexa::Fin::Completa) std::fprintf(stderr, "%s\n", qPrintable(r.error));
            if (!errores.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(errores.join(u'\n')));
            filas = int(c.Escalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?"), {r.idRecepcion}).toLongLong());
            t.restart();
            const recepcion::ResultadoAnulacion a = recepcion::AnularRecepcion(ctx, r.idRecepcion);
            tAnular = t.nsecsElapsed() / 1e9;
            if (a.filasBorradas != filas) std::fprintf(stderr, "anulación: %d de %d filas\n", a.filasBorradas, filas);
        }
        tBase = base(c, n);
        c.Cerrar();
        eliminarEmpresa(d, &e);
        if (grabados != n) std::printf("  (%d of %d vouchers posted)\n", grabados, n);
        std::printf("commercial %s %d vouchers/s=%.0f ratio=%.2f rss_mb=%.0f\n", nombre, n, n / tRun, tBase > 0 ? tRun / tBase : 0.0,
                    bench::picoRssMb());
        std::printf("cancel %s %d rows/s=%.0f\n", nombre, filas, tAnular > 0 ? filas / tAnular : 0.0);
        std::fflush(stdout);
    }
    return true;
}

} // namespace vexa::bench
