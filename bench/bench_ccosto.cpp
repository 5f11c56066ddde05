// Cost-centre distribution window on a company of 10,000 distributed accounts
// (five shares each), with 100,000 and then 1,000,000 cost-centre movements,
// on SQLite and (with VEXA_PG=host:port) PostgreSQL. Prints the median over
// 100 accounts of:
//   ccosto <backend> <movs> <op> ms=<T>
// op: "cargar" (Enter in the account box: check and load, offscreen window),
// "grabar" (the toolbar's GRABAR: checks and the replacing transaction),
// "tienemov" (BORRAR's movement test).
// Bars: each within 5 ms on SQLite and 20 ms on PostgreSQL; 1,000,000
// movements within 1.5 times 100,000 (below 2 ms both count as flat).
#include "BaseBench.h"
#include "CNStuffContable.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "Frmta_asigccosto.h"
#include "ReglasCCosto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vexa;

namespace {

constexpr int kCuentas = 10000;

QString numeros(Conexion& c, int n)
{
    return c.motor() == Motor::PostgreSQL ? QStringLiteral("(SELECT generate_series(1, %1) AS i) n").arg(n)
                                          : QStringLiteral("(WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s "
                                                           "WHERE i < %1) SELECT i FROM s) n")
                                                .arg(n);
}

QString cuenta(int i) { return QString::number(900000000 + i); }

void llenarCuentas(Conexion& c)
{
    Transaccion t(c);
    c.EjecutarSQL("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) SELECT '0005', 'Quinto' "
                  "WHERE NOT EXISTS (SELECT 1 FROM TA_CCOSTO WHERE CODIGO = '0005')");
    c.EjecutarSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DV, DESCRIPCION, TITULO) "
                                 "SELECT CAST(900000000 + i AS VARCHAR(15)), 0, 'Cuenta ' || i, 0 FROM %1")
                      .arg(numeros(c, kCuentas)));
    for (int k = 1; k <= 5; ++k)
        c.EjecutarSQL(QStringLiteral("INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) "
                                     "SELECT CAST(900000000 + i AS VARCHAR(15)), '000%2', 20 FROM %1")
                          .arg(numeros(c, kCuentas))
                          .arg(k));
    t.confirmar();
}

// Movements spread over the accounts; one in ten without an amount.
void llenarMovimientos(Conexion& c, int total)
{
    Transaccion t(c);
    c.EjecutarSQL("DELETE FROM MV_ASIENTOSCCOSTO");
    c.EjecutarSQL(QStringLiteral("INSERT INTO MV_ASIENTOSCCOSTO (CUENTA, IMPORTE) "
                                 "SELECT CAST(900000000 + 1 + i %% %2 AS VARCHAR(15)), "
                                 "CASE WHEN i %% 10 = 0 THEN NULL ELSE i END FROM %1")
                      .arg(numeros(c, total))
                      .arg(kCuentas)
                      .replace(QLatin1String("%%"), QLatin1String("%")));
    t.confirmar();
    c.EjecutarSQL("ANALYZE");
}

void enter(QWidget* w)
{
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(w, &e);
}

void correr(Motor m)
{
    bench::BaseBench empresa;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_ccosto"), true)) return;
    const DatosConexion& d = empresa.datos();
    {
        Conexion& c = Conexion::instancia();
        c.setDatos(d);
        if (!c.Abrir()) {
            std::fprintf(stderr, "no se pudo abrir la base: %s\n", qPrintable(c.ultimoError()));
            return;
        }
        llenarCuentas(c);
        ContextoEmpresa ctx(c);
        CargarValoresContables(ctx);
        plataforma::DialogosGuion dlg; // a message would stop the run: counted instead
        plataforma::instalarDialogos(&dlg);
        const char* nm = m == Motor::SQLite ? "sqlite" : "postgresql";
        for (int movs : {100000, 1000000}) {
            llenarMovimientos(c, movs);
            Frmta_asigccosto w(ctx, true);
            w.show();
            QLineEdit* caja = (*w.txtCuenta)[0];
            std::vector<double> cargar, grabar, tiene;
            for (int k = 0; k <= 100; ++k) {
                const QString cta = cuenta(1 + (k * 97) % kCuentas);
                QElapsedTimer t;
                caja->setText(cta);
                t.start();
                enter(caja);
                const double ms1 = t.nsecsElapsed() / 1e6;
                if (w.Filas.size() != 6) std::fprintf(stderr, "filas inesperadas: %d\n", int(w.Filas.size()));
                t.restart();
                w.UtilTeb1_ButtonClick(QStringLiteral("GRABAR"));
                const double ms2 = t.nsecsElapsed() / 1e6;
                t.restart();
                ccosto::TieneMov(c, cta);
                const double ms3 = t.nsecsElapsed() / 1e6;
                if (k) { // the first run warms the caches
                    cargar.push_back(ms1);
                    grabar.push_back(ms2);
                    tiene.push_back(ms3);
                }
            }
            if (!dlg.mostrados.isEmpty()) std::fprintf(stderr, "mensajes: %s\n", qPrintable(dlg.ultimo()));
            std::printf("ccosto %s %d cargar ms=%.3f\n", nm, movs, bench::mediana(cargar));
            std::printf("ccosto %s %d grabar ms=%.3f\n", nm, movs, bench::mediana(grabar));
            std::printf("ccosto %s %d tienemov ms=%.3f\n", nm, movs, bench::mediana(tiene));
            std::fflush(stdout);
        }
        plataforma::instalarDialogos(nullptr);
        c.Cerrar();
    }
    QString e;
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
