// Fixed-asset register on companies of 10,000 and 100,000 assets, on SQLite and
// (with VEXA_PG=host:port) PostgreSQL. Half the assets belong to one account
// (all in use), the rest to another (a fifth of them retired). Prints the
// median of the runs:
//   assets <backend> <n> <op> ms=<T>
// op: "listar" fills the list of the larger account in the register window
// (offscreen); "codigo", "identificacion", "cuentas", "ejercicio" are the
// database checks of those fields.
// Bars: 5,000 listed within 150 ms on SQLite, 300 ms on PostgreSQL, 50,000
// within 11 times that; each check within 1 ms on SQLite, 3 ms on PostgreSQL,
// flat across sizes.
// Then, over eleven fiscal years, 200 new assets accepted through the
// initial-load window (fields filled, "&Aceptar": check, save, clear), each
// bought ten years before the active one (nine zero rows and a sheet row):
//   assetsave <backend> <n> ms=<T> rss_mb=<M>
// Bars: 3 ms on SQLite, 12 ms on PostgreSQL on loopback; 100,000 assets within
// 1.5 times 10,000; under 200 MB.
#include "BaseBench.h"
#include "CNStuffContable.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Entorno.h"
#include "FrmMA_BienesUso.h"
#include "RegBienUso.h"
#include "ReglasBienes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vexa;

namespace {

QString numeros(Conexion& c, int n)
{
    return c.motor() == Motor::PostgreSQL ? QStringLiteral("(SELECT generate_series(1, %1) AS i) n").arg(n)
                                          : QStringLiteral("(WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s "
                                                           "WHERE i < %1) SELECT i FROM s) n")
                                                .arg(n);
}

void llenar(Conexion& c, int n)
{
    Transaccion t(c);
    c.EjecutarSQL("DELETE FROM MV_CALCULO_BIENES");
    c.EjecutarSQL("DELETE FROM MA_BIENES_NOVEDADES");
    c.EjecutarSQL("DELETE FROM MA_BIENES");
    // Asset i: odd on Rodados, even on Muebles y Útiles; every tenth retired.
    // A date bound inside a SELECT list: typed on PostgreSQL, ISO text on SQLite.
    const QString fecha = c.motor() == Motor::PostgreSQL ? QStringLiteral("CAST(? AS DATE)") : QStringLiteral("?");
    c.EjecutarSQL(QStringLiteral("INSERT INTO MA_BIENES (CODIGO, SERIE, CUENTA_CONTABLE, CUENTA_EJERCICIO, CUENTA_ACUMULADA, "
                                 "FECHA_COMPRA, VIDA_UTIL, PORCENTAJE, DESCRIPCION, PERIODO, FECHA_BAJA) "
                                 "SELECT i, 'S' || i, CASE WHEN i %% 2 = 1 THEN '1201010010001' ELSE '1201020010001' END, "
                                 "'5201010010001', '1201010010002', %2, 5, '20.00', 'Bien ' || i, 1, "
                                 "CASE WHEN i %% 10 = 0 THEN %2 END FROM %1")
                      .arg(numeros(c, n), fecha)
                      .replace(QLatin1String("%%"), QLatin1String("%")),
                  {QDate(2025, 3, 1), QDate(2025, 11, 30)});
    t.confirmar();
    c.EjecutarSQL("ANALYZE");
}

// The process's peak resident memory in MB.
double rssMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

double mediana(int veces, const std::function<void()>& f)
{
    std::vector<double> v;
    for (int i = 0; i <= veces; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        if (i) v.push_back(t.nsecsElapsed() / 1e6); // the first run warms the caches
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void correr(Motor m, int n)
{
    DatosConexion d;
    if (!bench::crearBaseBench(m, QStringLiteral("vexa_bench_bienes"), true, QDir::tempPath(), &d)) return;
    {
        Conexion& c = Conexion::instancia();
        c.setDatos(d);
        if (!c.Abrir()) {
            std::fprintf(stderr, "no se pudo abrir la base: %s\n", qPrintable(c.ultimoError()));
            return;
        }
        llenar(c, n);
        ContextoEmpresa ctx(c);
        CargarValoresContables(ctx);
        const char* nm = m == Motor::SQLite ? "sqlite" : "postgresql";
        auto informar = [&](const char* op, double ms) {
            std::printf("assets %s %d %s ms=%.3f\n", nm, n, op, ms);
            std::fflush(stdout);
        };
        BienUso.CuentaContable = QStringLiteral("1201010010001");
        {
            FrmMA_BienesUso w(ctx, false);
            int filas = 0;
            informar("listar", mediana(5, [&] {
                         w.FG_Bienes->setRowCount(0);
                         w.CargaFlexGrid();
                         filas = w.FG_Bienes->rowCount();
                     }));
            if (filas != n / 2) std::fprintf(stderr, "filas inesperadas: %d\n", filas);
        }
        int k = 0;
        informar("codigo", mediana(200, [&] { bienes::ExisteBien(c, 1 + (k++ * 7919) % n); }));
        informar("identificacion", mediana(200, [&] { bienes::ExisteSerie(c, QStringLiteral("S%1").arg(1 + (k++ * 7919) % n)); }));
        informar("cuentas", mediana(200, [&] {
                     bool bien = false;
                     bienes::CuentasDeDepreciacion(c, QStringLiteral("1201010010001"));
                     ctx.configuracion().ExisteCuenta(QStringLiteral("5201010010001"), bien);
                 }));
        informar("ejercicio", mediana(200, [&] {
                     bienes::UltimoEjercicio(c);
                     bienes::ValidaEjercicioCompra(c, QDate(2025, 3, 1), 1, false);
                 }));
        {
            // Eleven fiscal years, 2016 to 2026; the last is the active one.
            c.EjecutarSQL("DELETE FROM MV_EJERCICIOS");
            for (int a = 1; a <= 11; ++a)
                c.Insertar("MV_EJERCICIOS", {{"PERIODO", a}, {"DESCRIPCION", QStringLiteral("Ejercicio %1").arg(2015 + a)},
                                             {"[FECHA DESDE]", QDate(2015 + a, 1, 1)}, {"[FECHA HASTA]", QDate(2015 + a, 12, 31)},
                                             {"CERRADO", a < 11 ? 1 : 0}});
            ctx.setPeriodoActivo(QStringLiteral("11"));
            plataforma::fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
            FrmMA_BienesUso w(ctx, true);
            int serie = 0;
            bool fallo = false;
            const double ms = mediana(200, [&] {
                auto poner = [&](const char* campo, const QString& v) { w.buso(QString::fromLatin1(campo))->setText(v); };
                auto hoja = [&](const char* campo, const QString& v) { w.calculo(QString::fromLatin1(campo))->setText(v); };
                poner("CUENTA_CONTABLE", QStringLiteral("1201010010001"));
                poner("CUENTA_EJERCICIO", QStringLiteral("5201010010001"));
                poner("CUENTA_ACUMULADA", QStringLiteral("1201010010002"));
                poner("FECHA_COMPRA", QStringLiteral("10/03/2016"));
                poner("PERIODO", QStringLiteral("1"));
                poner("VIDA_UTIL", QStringLiteral("20"));
                poner("PORCENTAJE", QStringLiteral("5"));
                poner("SERIE", QStringLiteral("N%1").arg(++serie));
                poner("COSTO", QStringLiteral("1200"));
                poner("UBICACION", QStringLiteral("Planta"));
                poner("AFECTA", QStringLiteral("Produccion"));
                poner("DESCRIPCION", QStringLiteral("Bien nuevo"));
                hoja("PERIODO_CALCULO", QStringLiteral("12"));
                hoja("COEFICIENTE", QStringLiteral("1"));
                hoja("COSTO_INICIO", QStringLiteral("1200"));
                hoja("DEP_ACUMULADA", QStringLiteral("600"));
                hoja("FECHA_CIERRE", QStringLiteral("31/12/2025"));
                w.CmdBusoAceptar->click();
                fallo = fallo || w.HayError;
            });
            if (fallo) std::fprintf(stderr, "una grabacion fue rechazada\n");
            const qint64 filas = c.Escalar("SELECT COUNT(*) FROM MV_CALCULO_BIENES").toLongLong();
            if (filas != 201 * 10) std::fprintf(stderr, "filas de calculo inesperadas: %lld\n", filas);
            std::printf("assetsave %s %d ms=%.3f rss_mb=%.1f\n", nm, n, ms, rssMb());
            std::fflush(stdout);
            plataforma::fijarAhora(QDateTime());
        }
        c.Cerrar();
    }
    QString e;
    eliminarEmpresa(d, &e);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<int> tamanos;
    for (int i = 1; i < argc; ++i) tamanos.push_back(atoi(argv[i]));
    if (tamanos.empty()) tamanos = {10000, 100000};
    const QString motor = qEnvironmentVariable("VEXA_BENCH_MOTOR").toLower();
    for (int n : tamanos) {
        if (motor.isEmpty() || motor == QLatin1String("sqlite")) correr(Motor::SQLite, n);
        if ((motor.isEmpty() || motor == QLatin1String("postgresql")) && !qEnvironmentVariable("VEXA_PG").isEmpty())
            correr(Motor::PostgreSQL, n);
    }
}
