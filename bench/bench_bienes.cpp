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
// Last, in a company of its own, every asset has ten yearly rows of the years
// before the active one (one in ten also an improvement with its own ten
// rows), and 200 of them are loaded (code and improvement number keyed,
// Enter) and accepted (check, save, clear) through the change window:
//   assetchange <backend> <n> <op> ms=<T>
// op: "cargar" (the load), "aceptar" (Accept). Bars: load within 1 ms on
// SQLite and 4 ms on PostgreSQL, Accept within 2 ms and 8 ms; 100,000 assets
// within 1.5 times 10,000.
#include "BaseBench.h"
#include "CNStuffContable.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Entorno.h"
#include "FrmMA_BienesUso.h"
#include "FrmMa_BienesUsoModif.h"
#include "RegBienUso.h"
#include "ReglasBienes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vexa;

namespace {

// The numbers 1 to n as a derived table of one column i.
QString numeros(Conexion& c, int n, const QString& alias = QStringLiteral("n"))
{
    return c.motor() == Motor::PostgreSQL ? QStringLiteral("(SELECT generate_series(1, %1) AS i) %2").arg(n).arg(alias)
                                          : QStringLiteral("(WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s "
                                                           "WHERE i < %1) SELECT i FROM s) %2")
                                                .arg(n)
                                                .arg(alias);
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

// Every asset complete and in use, bought in the first of eleven years; ten
// yearly rows each (years 1 to 10, the active one being 11), accumulated 100
// a year on a cost of 1200; every tenth asset has improvement 1 with its own
// ten rows.
void llenarConCalculos(Conexion& c, int n)
{
    const bool pg = c.motor() == Motor::PostgreSQL;
    // Amounts: NUMERIC on PostgreSQL, whole ten-thousandths in a SQLite file.
    auto monto = [pg](const QString& expr) {
        return pg ? QStringLiteral("CAST((%1) AS NUMERIC(19,4))").arg(expr) : QStringLiteral("((%1) * 10000)").arg(expr);
    };
    const QString cierre = pg ? QStringLiteral("make_date(2015 + p.i, 12, 31)") : QStringLiteral("(2015 + p.i) || '-12-31'");
    const QString fecha = pg ? QStringLiteral("CAST(? AS DATE)") : QStringLiteral("?");
    Transaccion t(c);
    c.EjecutarSQL("DELETE FROM MV_CALCULO_BIENES");
    c.EjecutarSQL("DELETE FROM MA_BIENES_NOVEDADES");
    c.EjecutarSQL("DELETE FROM MA_BIENES");
    c.EjecutarSQL(QStringLiteral("INSERT INTO MA_BIENES (CODIGO, SERIE, CUENTA_CONTABLE, CUENTA_EJERCICIO, CUENTA_ACUMULADA, "
                                 "FECHA_COMPRA, COSTO, VIDA_UTIL, PORCENTAJE, UBICACION, AFECTA, DESCRIPCION, PERIODO, "
                                 "VALOR_RECUPERO, PERIODO_TIEMPO, NRO_ASIENTO) "
                                 "SELECT i, 'S' || i, '1201010010001', '5201010010001', '1201010010002', %2, %3, 10, '10.00', "
                                 "'Planta', 'Produccion', 'Bien ' || i, 1, %4, 0, 0 FROM %1")
                      .arg(numeros(c, n), fecha, monto(QStringLiteral("1200")), monto(QStringLiteral("0"))),
                  {QDate(2016, 3, 10)});
    c.EjecutarSQL(QStringLiteral("INSERT INTO MA_BIENES_NOVEDADES (CODIGO, ID, Fecha, COSTO, VALOR_RECUPERO, DESCRIPCION, "
                                 "VIDA_UTIL, PORCENTAJE, PERIODO, MES_OPERATIVO, TIPO_REG, NRO_ASIENTO) "
                                 "SELECT i, 1, %2, %3, %4, 'Mejora ' || i, 10, 10, 2, 0, '', 0 FROM %1 WHERE i %% 10 = 0")
                      .arg(numeros(c, n), fecha, monto(QStringLiteral("300")), monto(QStringLiteral("0")))
                      .replace(QLatin1String("%%"), QLatin1String("%")),
                  {QDate(2017, 5, 1)});
    c.EjecutarSQL(QStringLiteral("INSERT INTO MV_CALCULO_BIENES (CODIGO, ID, PERIODO, CUENTA, FECHA_CIERRE, PERIODO_DE_CALCULO, "
                                 "CA_VC, COSTO, COEFICIENTE, PORCENTAJE_DEP, DEP_EJERCICIO, DEP_ACUMULADA, VALOR_RECUPERO, "
                                 "IDCONTROL, AST_NRO_ASIENTO) "
                                 "SELECT n.i, m.i - 1, p.i, '1201010010001', %3, 12, 1200, %4, 1, 10, %5, %6, %7, 0, 0 "
                                 "FROM %1 CROSS JOIN %2 CROSS JOIN %8 WHERE m.i = 1 OR n.i %% 10 = 0")
                      .arg(numeros(c, n), numeros(c, 10, QStringLiteral("p")), cierre, monto(QStringLiteral("1200")),
                           monto(QStringLiteral("100")), monto(QStringLiteral("100 * p.i")), monto(QStringLiteral("0")),
                           numeros(c, 2, QStringLiteral("m")))
                      .replace(QLatin1String("%%"), QLatin1String("%")));
    t.confirmar();
    c.EjecutarSQL("ANALYZE");
}

// Eleven fiscal years, 2016 to 2026, the first ten closed; the last is the active one.
void onceEjercicios(Conexion& c, ContextoEmpresa& ctx)
{
    c.EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    for (int a = 1; a <= 11; ++a)
        c.Insertar("MV_EJERCICIOS", {{"PERIODO", a}, {"DESCRIPCION", QStringLiteral("Ejercicio %1").arg(2015 + a)},
                                     {"[FECHA DESDE]", QDate(2015 + a, 1, 1)}, {"[FECHA HASTA]", QDate(2015 + a, 12, 31)},
                                     {"CERRADO", a < 11 ? 1 : 0}});
    ctx.setPeriodoActivo(QStringLiteral("11"));
}

// Keys the text into the box and presses Enter on it.
void enter(QLineEdit* caja, const QString& texto)
{
    caja->setText(texto);
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(caja, &e);
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
    bench::BaseBench empresa;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_bienes"), true)) return;
    const DatosConexion& d = empresa.datos();
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
        RegBienUso registro;
        registro.CuentaContable = QStringLiteral("1201010010001");
        {
            FrmMA_BienesUso w(ctx, false, nullptr, registro);
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
            onceEjercicios(c, ctx);
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
            std::printf("assetsave %s %d ms=%.3f rss_mb=%.1f\n", nm, n, ms, bench::picoRssMb());
            std::fflush(stdout);
            plataforma::fijarAhora(QDateTime());
        }
        c.Cerrar();
    }
    QString e;
}

// The change window on a company of its own (its rows written once, as a
// company that grew to that size holds them).
void cambios(Motor m, int n)
{
    bench::BaseBench empresa;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_bienes_modif"), true)) return;
    const DatosConexion& d = empresa.datos();
    {
        Conexion& c = Conexion::instancia();
        c.setDatos(d);
        if (!c.Abrir()) {
            std::fprintf(stderr, "no se pudo abrir la base: %s\n", qPrintable(c.ultimoError()));
            return;
        }
        ContextoEmpresa ctx(c);
        CargarValoresContables(ctx);
        onceEjercicios(c, ctx);
        llenarConCalculos(c, n);
        plataforma::fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        const char* nm = m == Motor::SQLite ? "sqlite" : "postgresql";
        {
            // Each of 200 assets (every tenth one's improvement 1) keyed and
            // loaded, its description changed, accepted.
            FrmMa_BienesUsoModif w(ctx);
            w.show();
            std::vector<double> cargas, aceptos;
            int k = 0, rechazos = 0;
            for (int vez = 0; vez <= 200; ++vez) {
                const int codigo = 1 + (k++ * 7919) % n;
                QElapsedTimer t;
                t.start();
                enter(w.buso(QStringLiteral("CODIGO")), QString::number(codigo));
                enter(w.buso(QStringLiteral("Novedad_iD")), codigo % 10 == 0 ? QStringLiteral("1") : QString());
                const double carga = t.nsecsElapsed() / 1e6;
                if (!w.Cargado) {
                    ++rechazos;
                    w.Inicializa();
                    continue;
                }
                w.buso(QStringLiteral("descripcion"))->setText(QStringLiteral("Bien %1 revisado").arg(codigo));
                t.restart();
                w.CmdAceptar->click();
                const double acepto = t.nsecsElapsed() / 1e6;
                if (w.Cargado) {
                    ++rechazos;
                    w.Inicializa();
                }
                if (vez) { // the first run warms the caches
                    cargas.push_back(carga);
                    aceptos.push_back(acepto);
                }
            }
            if (rechazos) std::fprintf(stderr, "cargas o grabaciones rechazadas: %d\n", rechazos);
            const qint64 revisados =
                c.Escalar("SELECT COUNT(*) FROM MA_BIENES WHERE DESCRIPCION <> 'Bien ' || CODIGO").toLongLong();
            if (revisados != qMin<qint64>(201, n)) std::fprintf(stderr, "bienes grabados inesperados: %lld\n", revisados);
            auto med = [](std::vector<double> v) {
                std::sort(v.begin(), v.end());
                return v.empty() ? 0.0 : v[v.size() / 2];
            };
            std::printf("assetchange %s %d cargar ms=%.3f\n", nm, n, med(cargas));
            std::printf("assetchange %s %d aceptar ms=%.3f\n", nm, n, med(aceptos));
            std::fflush(stdout);
            plataforma::fijarAhora(QDateTime());
        }
        c.Cerrar();
    }
    QString e;
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
    // VEXA_BENCH_SOLO=assetchange measures the change window alone.
    const bool soloCambios = qEnvironmentVariable("VEXA_BENCH_SOLO") == QLatin1String("assetchange");
    for (int n : tamanos) {
        const bool sqlite = motor.isEmpty() || motor == QLatin1String("sqlite");
        const bool pg = (motor.isEmpty() || motor == QLatin1String("postgresql")) && !qEnvironmentVariable("VEXA_PG").isEmpty();
        if (!soloCambios) {
            if (sqlite) correr(Motor::SQLite, n);
            if (pg) correr(Motor::PostgreSQL, n);
        }
        if (sqlite) cambios(Motor::SQLite, n);
        if (pg) cambios(Motor::PostgreSQL, n);
    }
}
