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
#include "BaseBench.h"
#include "CNStuffContable.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "FrmMA_BienesUso.h"
#include "RegBienUso.h"
#include "ReglasBienes.h"

#include <QApplication>
#include <QElapsedTimer>
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
