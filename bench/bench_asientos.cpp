// Lookups of the entry rules service on a large journal, on SQLite and (with
// VEXA_PG=host:port) PostgreSQL. Fills MV_ASIENTOS with N lines (default 200000),
// then prints one line per operation and backend:
//   asientos <backend> lines=<N> <operation>_us=<microseconds per call>
// Each lookup must stay in the tens or hundreds of microseconds whatever N is
// (an index search), never grow with the journal.
#include "BaseBench.h"
#include "Conexion.h"
#include "Empresa.h"
#include "Lbc_Asiento.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

using namespace vexa;

namespace {

void llenar(Conexion& c, int lineas)
{
    const QString rs = Lbc_Asiento::TipoRegResumen();
    const QString familias[] = {QString(""), QStringLiteral("VTAS"), QStringLiteral("COMP"), rs};
    Transaccion t(c);
    int numero[13][4] = {};
    int comprobante = 0;
    for (int i = 0; i < lineas; i += 2) {
        const int mes = 1 + (i / 2) % 12;
        const int f = (i / 24) % 4;
        const int fam = f == 3 ? 0 : f; // summary entries share the ordinary numbers
        const int nro = ++numero[mes][fam];
        ++comprobante;
        for (int sec = 1; sec <= 2; ++sec)
            c.Insertar("MV_ASIENTOS", {{"PERIODO", 2}, {"MES_OPERATIVO", mes}, {"[NUMERO ASIENTO]", nro}, {"SECUENCIA", sec},
                                       {"TIPO_REG", familias[f]}, {"[FECHA]", QDate(2026, mes, 1 + comprobante % 28)},
                                       {"CUENTA", sec == 1 ? "1110010001" : "4110010001"}, {"[DEBE-HABER]", sec == 1 ? "D" : "H"},
                                       {"IMPORTE", QVariant::fromValue(Moneda::entero(100))},
                                       {"TC", f == 2 ? "00FP" : "00FA"}, {"SUCURSAL", "0001"},
                                       {"NUMERO", QString::number(comprobante).rightJustified(8, u'0')}, {"LETRA", "A"},
                                       {"CABCUENTA", "2110010001"}, {"NRO_Transmision", comprobante / 100}});
    }
    t.confirmar();
}

void medir(const char* motor, int lineas, const char* nombre, int veces, const std::function<void()>& f)
{
    f(); // warm up
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < veces; ++i) f();
    std::printf("asientos %s lines=%d %s_us=%.1f\n", motor, lineas, nombre, t.nsecsElapsed() / 1000.0 / veces);
    std::fflush(stdout);
}

void correr(Motor m, int lineas)
{
    bench::BaseBench empresa;
    QString e;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_asientos"), true)) return;
    const DatosConexion& d = empresa.datos();
    {
        Conexion& c = Conexion::instancia();
        c.setDatos({d.server, d.dbName, d.usuario, d.password});
        if (!c.Abrir()) {
            std::fprintf(stderr, "no se pudo abrir la base: %s\n", qPrintable(c.ultimoError()));
            return;
        }
        llenar(c, lineas);
        if (m == Motor::PostgreSQL) c.EjecutarSQL("ANALYZE MV_ASIENTOS");
        else c.EjecutarSQL("ANALYZE");
        const char* nm = m == Motor::SQLite ? "sqlite" : "postgresql";
        Lbc_Asiento a(&c);
        const int veces = 200;
        medir(nm, lineas, "UltimoNumeroAsiento", veces, [&] { a.UltimoNumeroAsiento(6); });
        medir(nm, lineas, "UltimoNumeroAsiento_subdiario", veces, [&] { a.UltimoNumeroAsiento(6, "VTAS"); });
        medir(nm, lineas, "TomarNumeroAsiento", veces, [&] {
            Transaccion t(c);
            a.TomarNumeroAsiento(6, "COMP");
        });
        QString numero, mensaje, mes, asiento;
        medir(nm, lineas, "ValidaComprobante_libre", veces, [&] {
            numero = "99999999";
            a.ValidaComprobante("FA", "0001", numero, "A", mensaje, mes, asiento);
        });
        medir(nm, lineas, "ExisteEnMVAsientos", veces, [&] { a.ExisteEnMVAsientos("00FA", "1", "1234", "A"); });
        medir(nm, lineas, "ExisteEnMVAsientos_no", veces, [&] { a.ExisteEnMVAsientos("00FA", "1", "99999999", "A", "2110010001"); });
        medir(nm, lineas, "ExistenMovFueraPeriodo_no", 20, [&] { a.ExistenMovFueraPeriodo("2", "31/12/2025", "01/01/2027"); });
        QString f, p;
        QVariant n;
        medir(nm, lineas, "UltimoAjuste", veces, [&] { a.UltimoAjuste(f, p, n); });
        medir(nm, lineas, "lineas_de_una_recepcion", veces, [&] {
            c.Escalar("SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_Transmision = ?", {lineas / 400});
        });
        c.Cerrar();
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int lineas = argc > 1 ? atoi(argv[1]) : 200000;
    correr(Motor::SQLite, lineas);
    if (!qEnvironmentVariable("VEXA_PG").isEmpty()) correr(Motor::PostgreSQL, lineas);
}
