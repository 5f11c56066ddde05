// Creating a fiscal year with its daily rate rows through the wizard's
// window-free save (ejercicios::CrearEjercicio: year row and 365/366 days in one
// transaction), on SQLite and (with VEXA_PG=host:port) PostgreSQL, with the
// rate table empty, holding ten earlier years, or holding every seventh day of
// the new year. Prints the median of five runs:
//   yeardays <backend> <case> ms=<T>
// Bar: at most 10 ms on SQLite, 50 ms on PostgreSQL.
//
// The rate window's fill of ten years up to today (the window-free steps the
// window runs: the year's first day, then the fill from the newest row), from
// one old row (3,652 days created) and from the last of ten earlier full years
// of rows (3,652 created above 3,652 kept):
//   ratefill <backend> <case> days=<N> ms=<T>
// Bar: at least 50,000 days/s on SQLite, 10,000 on PostgreSQL.
//
// Opening the rate window (offscreen) on a year of rows up to today:
//   ratewindow <backend> rows=<N> ms=<T>
// Bar: within 300 ms.
#include "BaseBench.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "Ejercicios.h"
#include "Empresa.h"
#include "FrmTaCotizacion.h"
#include "GrillaEditable.h"
#include "Progreso.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vexa;

namespace {

void rellenoDeDiezAnios(Conexion& c, const char* nm)
{
    const QDate hoy = QDate::currentDate();
    const QDate viejo = hoy.addDays(-3652);
    c.EjecutarSQL("DELETE FROM TA_COTIZACION");
    c.EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    c.EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE = ?", {"Periodo"});
    c.Insertar("TA_CONFIGURACION", {{"CLAVE", "Periodo"}, {"VALOR", "1"}});
    c.Insertar("MV_EJERCICIOS", {{"PERIODO", 1}, {"DESCRIPCION", "Diez años"}, {"[FECHA DESDE]", viejo},
                                 {"[FECHA HASTA]", hoy.addDays(365)}});
    ContextoEmpresa ctx(c);
    struct Caso { const char* nombre; std::function<void()> preparar; };
    const Caso casos[] = {
        {"una_fila_vieja", [&] {
             c.Insertar("TA_COTIZACION", {{"FECHA_HORA", QDateTime(viejo, QTime(0, 0))}, {"Moneda2", 1000}});
         }},
        {"diez_anios_de_filas", [&] {
             ProgresoNulo p;
             ejercicios::CompletarDiasCotizacion(c, viejo.addDays(-3651), viejo, false, p);
         }},
    };
    for (const auto& caso : casos) {
        c.EjecutarSQL("DELETE FROM TA_COTIZACION");
        caso.preparar();
        std::vector<double> v;
        int dias = 0;
        for (int i = 0; i < 6; ++i) {
            c.EjecutarSQL(QStringLiteral("DELETE FROM TA_COTIZACION WHERE %1 > ?").arg(ejercicios::ExpresionDiaCotizacion(c)),
                          {viejo});
            ProgresoNulo p;
            QElapsedTimer t;
            t.start();
            const QDate primero = ejercicios::PrimerDiaDelPeriodo(ctx);
            dias = ejercicios::LlenarHuecosDesdeUltimoDia(c, primero.addDays(-1), hoy, hoy, p);
            if (i) v.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(v.begin(), v.end());
        std::printf("ratefill %s %s days=%d ms=%.2f\n", nm, caso.nombre, dias, v[v.size() / 2]);
        std::fflush(stdout);
    }
}

void ventanaDeUnAnio(Conexion& c, const char* nm)
{
    const QDate hoy = QDate::currentDate();
    c.EjecutarSQL("DELETE FROM TA_COTIZACION");
    c.EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    c.EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE IN (?, ?)", {"Periodo", "[FECHA DESDE]"});
    c.Insertar("TA_CONFIGURACION", {{"CLAVE", "Periodo"}, {"VALOR", "1"}});
    c.Insertar("TA_CONFIGURACION", {{"CLAVE", "[FECHA DESDE]"}, {"VALOR", hoy.addDays(-364).toString("dd/MM/yyyy")}});
    c.Insertar("MV_EJERCICIOS", {{"PERIODO", 1}, {"DESCRIPCION", "Un año"}, {"[FECHA DESDE]", hoy.addDays(-364)},
                                 {"[FECHA HASTA]", hoy.addDays(1)}});
    for (int n = 1; n <= 5; ++n)
        if (!c.ExisteRegistro("TA_MONEDAS", QString::number(n), "CODIGO"))
            c.Insertar("TA_MONEDAS", {{"CODIGO", QString::number(n)}, {"DESCRIPCION", QStringLiteral("Moneda %1").arg(n)}});
    {
        ProgresoNulo p;
        ejercicios::CompletarDiasCotizacion(c, hoy.addDays(-364), hoy, false, p);
    }
    ContextoEmpresa ctx(c);
    std::vector<double> v;
    int filas = 0;
    for (int i = 0; i < 6; ++i) {
        QElapsedTimer t;
        t.start();
        FrmTaCotizacion w(ctx);
        filas = w.MSFlexGrid1->rowCount();
        if (i) v.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(v.begin(), v.end());
    std::printf("ratewindow %s rows=%d ms=%.2f\n", nm, filas - 1, v[v.size() / 2]);
    std::fflush(stdout);
}

void correr(Motor m)
{
    bench::BaseBench empresa;
    QString e;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_cotizaciones"), false)) return;
    const DatosConexion& d = empresa.datos();
    {
        Conexion& c = Conexion::instancia();
        c.setDatos(d);
        if (!c.Abrir()) {
            std::fprintf(stderr, "no se pudo abrir la base: %s\n", qPrintable(c.ultimoError()));
            return;
        }
        c.Insertar("TA_CONFIGURACION", {{"CLAVE", "UsaMultilesMonedas"}, {"VALOR", "SI"}});
        ContextoEmpresa ctx(c);
        const char* nm = m == Motor::SQLite ? "sqlite" : "postgresql";
        struct Caso { const char* nombre; std::function<void()> preparar; };
        const Caso casos[] = {
            {"vacia", [] {}},
            {"diez_anios_previos", [&] {
                 ProgresoNulo p;
                 ejercicios::CompletarDiasCotizacion(c, QDate(2020, 1, 1), QDate(2029, 12, 31), false, p);
             }},
            {"cada_siete_dias", [&] {
                 Transaccion t(c);
                 for (QDate dia(2030, 1, 1); dia.year() == 2030; dia = dia.addDays(7))
                     c.Insertar("TA_COTIZACION", {{"FECHA_HORA", QDateTime(dia, QTime(0, 0))}, {"Moneda1", 2}});
                 t.confirmar();
             }},
        };
        for (const auto& caso : casos) {
            std::vector<double> v;
            for (int i = 0; i < 6; ++i) {
                c.EjecutarSQL("DELETE FROM TA_COTIZACION");
                c.EjecutarSQL("DELETE FROM MV_EJERCICIOS");
                caso.preparar();
                ProgresoNulo p;
                QElapsedTimer t;
                t.start();
                ejercicios::CrearEjercicio(ctx, {false, "", "Ejercicio 2030", "01/01/2030", "31/12/2030"}, p);
                if (i) v.push_back(t.nsecsElapsed() / 1e6); // the first run warms the caches
            }
            std::sort(v.begin(), v.end());
            std::printf("yeardays %s %s ms=%.2f\n", nm, caso.nombre, v[v.size() / 2]);
            std::fflush(stdout);
        }
        rellenoDeDiezAnios(c, nm);
        ventanaDeUnAnio(c, nm);
        c.Cerrar();
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString motor = qEnvironmentVariable("VEXA_BENCH_MOTOR").toLower();
    if (motor.isEmpty() || motor == QLatin1String("sqlite")) correr(Motor::SQLite);
    if ((motor.isEmpty() || motor == QLatin1String("postgresql")) && !qEnvironmentVariable("VEXA_PG").isEmpty())
        correr(Motor::PostgreSQL);
}
