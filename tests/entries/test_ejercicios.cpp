// Fiscal years and their rate days without windows; the year-end pre-checks.
#include "AsientosDePrueba.h"
#include "ContextoEmpresa.h"
#include "Ejercicios.h"
#include "Progreso.h"
#include "Utilidades.h"
#include "ValidacionesCierre.h"

#include <QStringList>

#include <atomic>
#include <thread>

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::ejercicios;

namespace {

// Records what a run reports.
class ProgresoGrabado : public Progreso {
public:
    QStringList hechos;
    int actualizaciones = 0;
    void Iniciar(const QString& t, qint64) override { hechos << "iniciar:" + t; }
    bool Actualizar(qint64, const QString& t) override
    {
        ++actualizaciones;
        ultimo = t;
        return true;
    }
    void Cerrar() override { hechos << "cerrar"; }
    void MostrarVentana(bool v) override { hechos << QStringLiteral("mostrar:%1").arg(v); }
    QString ultimo;

protected:
    bool ActualizarTextos(qint64 h, const QString& a, const QString& b, const QString& c) override
    {
        if (hechos.isEmpty() || hechos.last() != b) hechos << b;
        return Actualizar(h, a + "|" + b + "|" + c);
    }
};

void ejercicio(Conexion& c, int periodo, const QDate& desde, const QDate& hasta)
{
    c.Insertar("MV_EJERCICIOS", {{"PERIODO", periodo}, {"DESCRIPCION", QStringLiteral("E%1").arg(periodo)},
                                 {"[FECHA DESDE]", desde}, {"[FECHA HASTA]", hasta}});
}

void dia(Conexion& c, const QDateTime& fh, int tasa)
{
    Valores v{{"FECHA_HORA", fh}};
    for (int i = 1; i <= 5; ++i) v.push_back({QStringLiteral("Moneda%1").arg(i), QVariant::fromValue(Moneda::entero(tasa + i - 1))});
    c.Insertar("TA_COTIZACION", v);
}

qint64 cuenta(Conexion& c, const QString& sql, const Params& p = {}) { return c.Escalar(sql, p).toLongLong(); }

// Day -> Moneda1 of every row, in day order.
QStringList dias(Conexion& c)
{
    QStringList r;
    auto rs = c.ObtenerRecordset("SELECT FECHA_HORA, Moneda1, Moneda5 FROM TA_COTIZACION ORDER BY FECHA_HORA");
    for (; !rs.eof(); rs.siguiente())
        r << rs.fila().fechaHora("FECHA_HORA").toString("dd/MM HH:mm") + "=" + rs.moneda("Moneda1").texto(0) + "/" +
                 rs.moneda("Moneda5").texto(0);
    return r;
}

class Ejercicios : public BaseAsientos {};

} // namespace

TEST(FechaCorta, Formato)
{
    EXPECT_EQ(FechaCorta(), "dd/mm/yy");
    EXPECT_EQ(TextoFechaCorta(QDate(2027, 3, 5)), "05/03/27");
}

// ---------------------------------------------------------------- rate days

TEST_P(Ejercicios, DiasDeUnAnioCompleto)
{
    ejercicio(con(), 7, QDate(2028, 1, 1), QDate(2028, 12, 31));
    ProgresoGrabado p;
    EXPECT_EQ(CrearDiasCotizacion(con(), 7, p), 366);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), 366);
    const QStringList d = dias(con());
    EXPECT_EQ(d.first(), "01/01 00:00=1/1");
    EXPECT_EQ(d.last(), "31/12 00:00=1/1");
    EXPECT_EQ(p.hechos.first(), "iniciar:Actualizando Datos");
    EXPECT_EQ(p.hechos.last(), "cerrar");
    EXPECT_EQ(p.ultimo, "|Actualizando Cotizaciones |Fecha 31/12/28");
    // Run again: nothing more.
    EXPECT_EQ(CrearDiasCotizacion(con(), 7, p), 0);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), 366);
}

TEST_P(Ejercicios, DiasExistentesSeRespetan)
{
    // A day stored with a time part counts for its day: no twin, its rates kept.
    dia(con(), QDateTime(QDate(2027, 2, 2), QTime(14, 30)), 7);
    dia(con(), QDateTime(QDate(2027, 2, 4), QTime(0, 0)), 9);
    ProgresoGrabado p;
    EXPECT_EQ(LlenarHuecos(con(), QDate(2027, 1, 31), QDate(2027, 2, 5), p), 3);
    EXPECT_EQ(dias(con()), QStringList({"01/02 00:00=1/1", "02/02 14:30=7/11", "03/02 00:00=1/1", "04/02 00:00=9/13",
                                        "05/02 00:00=1/1"}));
    // The day index refuses a second row of a day whatever its time.
    EXPECT_THROW(dia(con(), QDateTime(QDate(2027, 2, 2), QTime(8, 0)), 1), ErrorBD);
}

TEST_P(Ejercicios, RangosVaciosYEjercicioInexistente)
{
    struct Caso { QDate desde, hasta; };
    const Caso casos[] = {
        {QDate(2027, 1, 10), QDate(2027, 1, 10)}, // Hasta = Desde: no day after Desde
        {QDate(2027, 1, 10), QDate(2027, 1, 5)},  // Hasta earlier
    };
    for (const auto& c : casos) {
        ProgresoGrabado p;
        EXPECT_EQ(LlenarHuecos(con(), c.desde, c.hasta, p), 0);
        EXPECT_EQ(p.hechos, QStringList({"iniciar:Actualizando Datos", "cerrar"}));
    }
    ProgresoGrabado p;
    EXPECT_EQ(CrearDiasCotizacion(con(), 99, p), 0);
    EXPECT_TRUE(p.hechos.isEmpty());
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), 0);
}

TEST_P(Ejercicios, HastaHoyArrastraLasTasas)
{
    fijarValor(con(), "Periodo", "3");
    ejercicio(con(), 3, QDate(2027, 3, 1), QDate(2028, 2, 29));
    ContextoEmpresa ctx(con());
    ProgresoGrabado p;
    // Empty table: from the year's first day to today, every rate 1.
    EXPECT_EQ(LlenarHuecosHastaHoy(ctx, QDate(2027, 3, 5), p), 5);
    EXPECT_EQ(dias(con()).first(), "01/03 00:00=1/1");
    // Newest day is today: nothing, no progress.
    ProgresoGrabado q;
    EXPECT_EQ(LlenarHuecosHastaHoy(ctx, QDate(2027, 3, 5), q), 0);
    EXPECT_TRUE(q.hechos.isEmpty());
    // The newest day (with a time part) passes its rates on; a later existing
    // day passes its own; days after today are left alone.
    con().EjecutarSQL("DELETE FROM TA_COTIZACION");
    dia(con(), QDateTime(QDate(2027, 3, 2), QTime(10, 0)), 2);
    dia(con(), QDateTime(QDate(2027, 3, 4), QTime(0, 0)), 20);
    dia(con(), QDateTime(QDate(2027, 3, 9), QTime(0, 0)), 50);
    // The run starts at the newest day on or before today (the 4th): the 3rd stays a gap.
    EXPECT_EQ(LlenarHuecosHastaHoy(ctx, QDate(2027, 3, 6), p), 2);
    EXPECT_EQ(dias(con()), QStringList({"02/03 10:00=2/6", "04/03 00:00=20/24", "05/03 00:00=20/24",
                                        "06/03 00:00=20/24", "09/03 00:00=50/54"}));
    // A year that does not exist: nothing.
    fijarValor(con(), "Periodo", "8");
    ContextoEmpresa otro(con());
    EXPECT_EQ(LlenarHuecosHastaHoy(otro, QDate(2027, 3, 20), p), 0);
}

// Every row as "dd/MM HH:mm=r1/r2/r3/r4/r5", an empty rate as "-".
QStringList filas(Conexion& c)
{
    QStringList r;
    auto rs = c.ObtenerRecordset("SELECT * FROM TA_COTIZACION ORDER BY FECHA_HORA");
    for (; !rs.eof(); rs.siguiente()) {
        QStringList t;
        for (int i = 1; i <= 5; ++i) {
            const QString col = QStringLiteral("Moneda%1").arg(i);
            t << (rs.esNulo(col) ? QStringLiteral("-") : rs.moneda(col).texto(0));
        }
        r << rs.fila().fechaHora("FECHA_HORA").toString("dd/MM HH:mm") + "=" + t.join('/');
    }
    return r;
}

TEST_P(Ejercicios, LlenadoDesdeElUltimoDia)
{
    // The rate table's fill as the rate window runs it: year 3 starts 1 March 2027.
    struct Fila { QDateTime fh; QList<QVariant> tasas; };
    const QDate hoy(2027, 3, 10);
    auto en = [](int d, int h = 0, int m = 0) { return QDateTime(QDate(2027, 3, d), QTime(h, m)); };
    struct Caso {
        const char* nombre;
        QVariant periodo;
        std::vector<Fila> antes;
        int creados;
        QStringList despues; // only the rows from 8 March on (or all when fewer)
        bool progreso;
    };
    const QList<QVariant> t2{2, 3, 4, 5, 6};
    const Caso casos[] = {
        {"hoy a las 14:30 cuenta como hoy", "3", {{en(10, 14, 30), t2}}, 0, {"10/03 14:30=2/3/4/5/6"}, false},
        {"ayer a las 14:00: hoy a medianoche", "3", {{en(9, 14), t2}}, 1,
         {"09/03 14:00=2/3/4/5/6", "10/03 00:00=2/3/4/5/6"}, true},
        // The run starts at the newest day with every carried rate 1.
        {"una tasa vacía deja la arrastrada", "3",
         {{en(7), t2}, {en(8), {QVariant(), 9, QVariant(), 9, 9}}}, 2,
         {"08/03 00:00=-/9/-/9/9", "09/03 00:00=1/9/1/9/9", "10/03 00:00=1/9/1/9/9"}, true},
        {"los días después de hoy no cuentan ni cambian", "3", {{en(8), t2}, {en(12), {7, 7, 7, 7, 7}}}, 2,
         {"08/03 00:00=2/3/4/5/6", "09/03 00:00=2/3/4/5/6", "10/03 00:00=2/3/4/5/6", "12/03 00:00=7/7/7/7/7"}, true},
        {"sin filas: desde el primer día del año", " 3 ", {}, 10, {"08/03 00:00=1/1/1/1/1", "09/03 00:00=1/1/1/1/1",
                                                                  "10/03 00:00=1/1/1/1/1"}, true},
        {"filas de años anteriores: desde la última", "3", {{QDateTime(QDate(2027, 2, 27), QTime(0, 0)), t2}}, 11,
         {"08/03 00:00=2/3/4/5/6", "09/03 00:00=2/3/4/5/6", "10/03 00:00=2/3/4/5/6"}, true},
        {"ejercicio inexistente", "8", {}, 0, {}, false},
        {"periodo en blanco", " ", {}, 0, {}, false},
        {"periodo no numérico", "tres", {}, 0, {}, false},
    };
    ejercicio(con(), 3, QDate(2027, 3, 1), QDate(2028, 2, 29));
    for (const auto& c : casos) {
        con().EjecutarSQL("DELETE FROM TA_COTIZACION");
        fijarValor(con(), "Periodo", c.periodo);
        for (const auto& f : c.antes) {
            Valores v{{"FECHA_HORA", f.fh}};
            for (int i = 0; i < 5; ++i)
                v.push_back({QStringLiteral("Moneda%1").arg(i + 1),
                             f.tasas[i].isNull() ? QVariant() : QVariant::fromValue(Moneda::entero(f.tasas[i].toInt()))});
            con().Insertar("TA_COTIZACION", v);
        }
        ContextoEmpresa ctx(con());
        ProgresoGrabado p;
        EXPECT_EQ(LlenarHuecosHastaHoy(ctx, hoy, p), c.creados) << c.nombre;
        QStringList d = filas(con());
        while (d.size() > c.despues.size()) d.removeFirst();
        EXPECT_EQ(d, c.despues) << c.nombre;
        EXPECT_EQ(!p.hechos.isEmpty(), c.progreso) << c.nombre;
        EXPECT_FALSE(con().enTransaccion()) << c.nombre;
    }
}

TEST_P(Ejercicios, LlenadoDesdeElUltimoDiaSinFilasEmpiezaTrasDesde)
{
    // With no row on or before today the fill starts the day after Desde and
    // runs to Hasta; one rejected day leaves nothing of the run.
    ProgresoGrabado p;
    EXPECT_EQ(LlenarHuecosDesdeUltimoDia(con(), QDate(2027, 3, 3), QDate(2027, 3, 6), QDate(2027, 3, 5), p), 3);
    EXPECT_EQ(filas(con()), QStringList({"04/03 00:00=1/1/1/1/1", "05/03 00:00=1/1/1/1/1", "06/03 00:00=1/1/1/1/1"}));
    con().EjecutarSQL("DELETE FROM TA_COTIZACION");
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER NO_DIA BEFORE INSERT ON TA_COTIZACION WHEN date(NEW.FECHA_HORA) = '2027-03-05' "
                          "BEGIN SELECT RAISE(ABORT, 'dia rechazado'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION no_dia() RETURNS trigger AS $$ BEGIN IF CAST(NEW.FECHA_HORA AS DATE) = DATE '2027-03-05' "
                          "THEN RAISE EXCEPTION 'dia rechazado'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER NO_DIA BEFORE INSERT ON TA_COTIZACION FOR EACH ROW EXECUTE FUNCTION no_dia()");
    }
    EXPECT_THROW(LlenarHuecosDesdeUltimoDia(con(), QDate(2027, 3, 3), QDate(2027, 3, 6), QDate(2027, 3, 6), p), ErrorBD);
    EXPECT_FALSE(con().enTransaccion());
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), 0);
}

TEST_P(Ejercicios, DosEstacionesLlenanALaVez)
{
    // Two stations open the rate window at once: one row per day, the second
    // finds nothing to do.
    fijarValor(con(), "Periodo", "3");
    ejercicio(con(), 3, QDate(2027, 1, 1), QDate(2027, 12, 31));
    dia(con(), QDateTime(QDate(2027, 1, 1), QTime(0, 0)), 4);
    const QDate hoy(2027, 12, 31);
    std::atomic<int> total{0}, vacias{0};
    std::atomic<bool> salida{false};
    auto estacion = [&] {
        auto c = otraConexion();
        ContextoEmpresa ctx(*c);
        ProgresoNulo p;
        while (!salida.load()) std::this_thread::yield();
        const int n = LlenarHuecosHastaHoy(ctx, hoy, p);
        total += n;
        if (n == 0) ++vacias;
    };
    std::thread a(estacion), b(estacion);
    salida = true;
    a.join();
    b.join();
    EXPECT_EQ(total.load(), 364);
    EXPECT_EQ(vacias.load(), 1);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), 365);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION WHERE Moneda2 = ?", {QVariant::fromValue(Moneda::entero(5))}), 365);
}

// ---------------------------------------------------------------- the year

TEST_P(Ejercicios, NumeroDelPrimerPaso)
{
    ejercicio(con(), 3, QDate(2026, 1, 1), QDate(2026, 12, 31));
    struct Caso { QString texto; QString mensaje; qint16 numero; };
    const Caso casos[] = {
        {"", mensajes::numerico(), 0},
        {"abc", mensajes::numerico(), 0},
        {"0", mensajes::fueraDeRango(), 0},
        {"40000", mensajes::fueraDeRango(), 0},
        {"-2", mensajes::fueraDeRango(), 0},
        {"3", "El Ejercicio  3 ya existe", 0},
        {"2.6", "El Ejercicio  3 ya existe", 0}, // rounds to 3
        {" 2.4 ", "", 2},
        {"2,5", "El Ejercicio  3 ya existe", 0}, // half away from zero
        {"1.49999", "", 1},                       // every decimal typed counts in the rounding
        {"32767", "", 32767},
    };
    for (const auto& c : casos) {
        qint16 n = 0;
        EXPECT_EQ(ValidarNumeroEjercicio(con(), c.texto, &n), c.mensaje) << c.texto.toStdString();
        EXPECT_EQ(n, c.numero) << c.texto.toStdString();
    }
}

TEST_P(Ejercicios, CrearEjercicio)
{
    ejercicio(con(), 1, QDate(2025, 1, 1), QDate(2025, 12, 31));
    struct Caso {
        const char* nombre;
        NuevoEjercicio datos;
        int paso;           // -1: created
        QString mensaje;
        qint16 numero;
    };
    const Caso casos[] = {
        {"siguiente", {false, "", "Año 2026", "01/01/2026", "31/12/2026"}, -1, "", 2},
        {"fechas iguales", {false, "", " Corto ", "01/01/2027", "01/01/2027"}, -1, "", 3},
        {"solapa el final", {false, "", "X", "01/12/2025", "30/06/2026"}, 2, mensajes::interfiere(), 0},
        {"encierra un año", {false, "", "X", "01/01/2020", "31/12/2030"}, 2, mensajes::interfiere(), 0},
        {"sin nombre", {false, "", "  ", "01/01/2028", "31/12/2028"}, 1, mensajes::sinNombre(), 0},
        {"desde mala", {false, "", "X", "31/02/2028", "31/12/2028"}, 2, mensajes::desdeInvalida(), 0},
        {"hasta mala", {false, "", "X", "01/01/2028", "x"}, 2, mensajes::hastaInvalida(), 0},
        {"al revés", {false, "", "X", "31/12/2028", "01/01/2028"}, 2, mensajes::desdeMayor(), 0},
        {"número usado", {true, "2", "X", "01/01/2028", "31/12/2028"}, 0, "El Ejercicio  2 ya existe", 0},
        {"número pedido", {true, "9.6", "X", "01/01/2028", "31/12/2028"}, -1, "", 10},
    };
    ContextoEmpresa ctx(con());
    for (const auto& c : casos) {
        ProgresoNulo p;
        const qint64 antes = cuenta(con(), "SELECT COUNT(*) FROM MV_EJERCICIOS");
        try {
            const qint16 n = CrearEjercicio(ctx, c.datos, p);
            EXPECT_EQ(c.paso, -1) << c.nombre;
            EXPECT_EQ(n, c.numero) << c.nombre;
            auto f = con().PrimeraFila("SELECT * FROM MV_EJERCICIOS WHERE PERIODO = ?", {n});
            ASSERT_TRUE(f) << c.nombre;
            EXPECT_EQ(f->texto("DESCRIPCION").trimmed(), c.datos.nombre.trimmed()) << c.nombre;
            EXPECT_EQ(f->fecha("FECHA DESDE"), Utilidades::TextoAFecha(c.datos.desde)) << c.nombre;
            EXPECT_FALSE(f->logico("CERRADO"));
        } catch (const ErrorEjercicio& e) {
            EXPECT_EQ(e.paso(), c.paso) << c.nombre;
            EXPECT_EQ(e.descripcion(), c.mensaje) << c.nombre;
            EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM MV_EJERCICIOS"), antes) << c.nombre;
        }
    }
    // No year yet, number not asked: year 1.
    con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    ProgresoNulo p;
    EXPECT_EQ(CrearEjercicio(ctx, {false, "", "Primero", "01/01/2030", "31/12/2030"}, p), 1);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), 0); // "UsaMultilesMonedas" not set
}

TEST_P(Ejercicios, DiasConElEjercicioSegunVariasMonedas)
{
    struct Caso { QVariant valor; qint64 dias; };
    const Caso casos[] = {{"si", 366}, {" SI ", 366}, {"NO", 0}, {QVariant(), 0}};
    int anio = 2028;
    for (const auto& c : casos) {
        fijarValor(con(), "UsaMultilesMonedas", c.valor);
        con().EjecutarSQL("DELETE FROM TA_COTIZACION");
        ContextoEmpresa ctx(con());
        ProgresoNulo p;
        const qint16 n = CrearEjercicio(ctx, {false, "", "A", QStringLiteral("01/01/%1").arg(anio), QStringLiteral("31/12/%1").arg(anio)}, p);
        EXPECT_GT(n, 0);
        EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), c.dias) << c.valor.toString().toStdString();
        if (c.dias) {
            EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION WHERE Moneda3 = ?", {QVariant::fromValue(Moneda::entero(1))}), c.dias);
        }
        anio += 4;
    }
}

TEST_P(Ejercicios, UnDiaRechazadoNoDejaNada)
{
    fijarValor(con(), "UsaMultilesMonedas", "SI");
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER NO_DIA BEFORE INSERT ON TA_COTIZACION WHEN date(NEW.FECHA_HORA) = '2029-07-09' "
                          "BEGIN SELECT RAISE(ABORT, 'dia rechazado'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION no_dia() RETURNS trigger AS $$ BEGIN IF CAST(NEW.FECHA_HORA AS DATE) = DATE '2029-07-09' "
                          "THEN RAISE EXCEPTION 'dia rechazado'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER NO_DIA BEFORE INSERT ON TA_COTIZACION FOR EACH ROW EXECUTE FUNCTION no_dia()");
    }
    ContextoEmpresa ctx(con());
    ProgresoNulo p;
    EXPECT_THROW(CrearEjercicio(ctx, {false, "", "A", "01/01/2029", "31/12/2029"}, p), ErrorBD);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM MV_EJERCICIOS"), 0);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), 0);
    EXPECT_FALSE(con().enTransaccion());
}

TEST_P(Ejercicios, DosEstacionesALaVez)
{
    // Both stations ask for the next number and overlapping ranges.
    std::atomic<int> creados{0}, rechazados{0};
    auto estacion = [&](int i) {
        auto c = otraConexion();
        ContextoEmpresa ctx(*c);
        ProgresoNulo p;
        for (int k = 0; k < 5; ++k) {
            try {
                CrearEjercicio(ctx, {false, "", QStringLiteral("E%1-%2").arg(i).arg(k), QStringLiteral("01/01/%1").arg(2030 + k),
                                     QStringLiteral("31/12/%1").arg(2030 + k)},
                               p);
                ++creados;
            } catch (const ErrorEjercicio& e) {
                EXPECT_EQ(e.descripcion(), mensajes::interfiere());
                ++rechazados;
            }
        }
    };
    std::thread a(estacion, 1), b(estacion, 2);
    a.join();
    b.join();
    EXPECT_EQ(creados.load(), 5);
    EXPECT_EQ(rechazados.load(), 5);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(DISTINCT PERIODO) FROM MV_EJERCICIOS"), 5);
    EXPECT_EQ(cuenta(con(), "SELECT MAX(PERIODO) FROM MV_EJERCICIOS"), 5);
}

// ---------------------------------------------------------------- pre-checks

namespace {
class Cierre : public BaseAsientos {
protected:
    void SetUp() override
    {
        BaseAsientos::SetUp();
        for (const char* s : {"COMP", "VTAS", "PAGO"}) con().Insertar("MA_SUBDIARIOS", {{"CODIGO", QString::fromLatin1(s)}});
    }
    void bien(int codigo, int vida, int periodo, const QVariant& baja = QVariant())
    {
        con().Insertar("MA_BIENES", {{"CODIGO", codigo}, {"Vida_Util", vida}, {"Periodo", periodo}, {"FECHA_BAJA", baja.isValid() ? baja : QVariant(QMetaType::fromType<QDate>())}});
    }
    void mejora(int codigo, int id, int vida, int periodo)
    {
        con().Insertar("MA_BIENES_NOVEDADES", {{"CODIGO", codigo}, {"ID", id}, {"Vida_Util", vida}, {"Periodo", periodo}});
    }
    void calculo(int codigo, int id, int periodo = 1)
    {
        con().Insertar("MV_CALCULO_BIENES", {{"CODIGO", codigo}, {"ID", id}, {"Periodo", periodo}});
    }
    QString validar(qint64 periodo = 2)
    {
        ContextoEmpresa ctx(con());
        return cierre::ValidacionesCierre(ctx, periodo, progreso);
    }
    ProgresoGrabado progreso;
};

QString hallazgoSubdiarios(const QStringList& codigos)
{
    QString m = cierre::EncabezadoSubdiarios();
    for (const QString& c : codigos) m += QString(37, u' ') + c + "\r";
    return m + "\r\r Realice el Asiento Resumen de los mismos y Vuelva a Intentarlo.-";
}
} // namespace

TEST_P(Cierre, Subdiarios)
{
    struct Linea { int periodo; QString tipo; QVariant contabilizado; };
    struct Caso { const char* nombre; std::vector<Linea> lineas; QStringList hallados; };
    const Caso casos[] = {
        {"nada pendiente", {}, {}},
        {"contabilizado", {{2, "VTAS", 1}}, {}},
        {"otro ejercicio", {{1, "VTAS", 0}}, {}},
        {"asiento común", {{2, "", 0}}, {}},
        {"uno", {{2, "VTAS", 0}}, {"VTAS"}},
        {"nulo cuenta", {{2, "PAGO", QVariant()}}, {"PAGO"}},
        {"con blancos y minúsculas", {{2, " vtas ", 0}}, {"VTAS"}},
        {"dos, en orden de código", {{2, "VTAS", 0}, {2, "COMP", 0}, {2, "COMP", 0}}, {"COMP", "VTAS"}},
        {"no es subdiario", {{2, "OTRO", 0}}, {}},
    };
    for (const auto& c : casos) {
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
        int n = 0;
        for (const auto& l : c.lineas)
            lineaAsiento(con(), l.periodo, 1, ++n, 1, l.tipo, {{"CONTABILIZADO", l.contabilizado.isValid() ? l.contabilizado : QVariant(QMetaType::fromType<int>())}});
        progreso.hechos.clear();
        const QString m = validar();
        EXPECT_EQ(m, c.hallados.isEmpty() ? QString() : hallazgoSubdiarios(c.hallados)) << c.nombre;
        EXPECT_EQ(progreso.hechos.first(), "iniciar:Cancelación, Cierre y Apertura") << c.nombre;
        EXPECT_EQ(progreso.hechos.last(), "cerrar") << c.nombre;
    }
    EXPECT_EQ(progreso.ultimo, "Comprobando Condicines para realizar Cancelación, Cierre y Apertura|Comprobando Subdiarios|Subdiario: VTAS");
}

TEST_P(Cierre, SinSubdiariosNiBienes)
{
    con().EjecutarSQL("DELETE FROM MA_SUBDIARIOS");
    bien(1, 5, 1); // the register is not in use: not looked at
    EXPECT_EQ(validar(), "");
    EXPECT_EQ(progreso.hechos, QStringList({"cerrar"}));
}

TEST_P(Cierre, Bienes)
{
    fijarValor(con(), "USA BIENES DE USO", "si");
    struct Caso { const char* nombre; std::function<void()> preparar; bool hallado; };
    const Caso casos[] = {
        {"sin bienes", [] {}, false},
        {"calculado", [&] { bien(1, 5, 1); calculo(1, 0); }, false},
        {"calculado en otro año", [&] { bien(1, 5, 1); calculo(1, 0, 7); }, false},
        {"sin cálculo", [&] { bien(1, 5, 1); }, true},
        {"vida útil 0", [&] { bien(1, 0, 1); }, false},
        {"vida 0, mejora sin cálculo", [&] { bien(1, 0, 1); mejora(1, 1, 3, 2); }, true},
        {"mejora calculada", [&] { bien(1, 0, 1); mejora(1, 1, 3, 2); calculo(1, 1); }, false},
        {"mejora de un año posterior", [&] { bien(1, 0, 1); mejora(1, 1, 3, 3); }, false},
        {"dado de baja", [&] { bien(1, 5, 1, QDate(2026, 5, 1)); mejora(1, 1, 3, 2); }, false},
        {"comprado después", [&] { bien(1, 5, 3); }, false},
        {"el último sin cálculo", [&] { for (int i = 1; i <= 5; ++i) { bien(i, 5, 1); if (i < 5) calculo(i, 0); } }, true},
    };
    for (const auto& c : casos) {
        for (const char* t : {"MA_BIENES", "MA_BIENES_NOVEDADES", "MV_CALCULO_BIENES"}) con().EjecutarSQL(QStringLiteral("DELETE FROM ") + t);
        c.preparar();
        progreso.hechos.clear();
        EXPECT_EQ(validar(), c.hallado ? cierre::MensajeDepreciaciones() : QString()) << c.nombre;
        EXPECT_TRUE(progreso.hechos.contains("mostrar:0")) << c.nombre;
        EXPECT_EQ(progreso.hechos.last(), "cerrar") << c.nombre;
    }
    // A journal pending: the assets are not looked at.
    con().EjecutarSQL("DELETE FROM MV_CALCULO_BIENES");
    lineaAsiento(con(), 2, 1, 1, 1, "PAGO");
    EXPECT_EQ(validar(), hallazgoSubdiarios({"PAGO"}));
}

TEST_P(Cierre, ErrorDeBaseSeLanza)
{
    con().EjecutarSQL("DROP TABLE MA_SUBDIARIOS");
    EXPECT_THROW(validar(), ErrorBD);
}

VEXA_AMBOS_MOTORES(Ejercicios);
VEXA_AMBOS_MOTORES(Cierre);
