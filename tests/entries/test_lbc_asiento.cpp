// Entry numbers, display forms, dates and fiscal-year state.
#include "AsientosDePrueba.h"
#include "ContextoEmpresa.h"

#include "Dialogos.h"

#include <QThread>

#include <set>

using namespace vexa;
using namespace vexa::prueba;

namespace {

const QString RS = Lbc_Asiento::TipoRegResumen();

class Asientos : public BaseAsientos {};
class AsientosDemo : public BaseAsientos {
protected:
    bool conDemo() const override { return true; }
};

// ---------------------------------------------------------------- numbering

TEST_P(AsientosDemo, NumeracionPorEjercicioMesYFamilia)
{
    Lbc_Asiento a(&con());
    lineaAsiento(con(), 2, 3, 41, 1);
    lineaAsiento(con(), 2, 3, 41, 2);
    lineaAsiento(con(), 2, 3, 45, 1, RS);     // summary entries share the ordinary numbers
    lineaAsiento(con(), 2, 3, 7, 1, "VTAS");  // a sub-journal numbers apart
    lineaAsiento(con(), 2, 4, 2, 1, "VTAS");
    lineaAsiento(con(), 1, 3, 90, 1);         // another fiscal year
    lineaAsiento(con(), 2, 6, 41, 1);

    struct Caso { int mes; QVariant tipoReg; QVariant periodo; qint32 esperado; };
    const Caso casos[] = {
        {5, {}, {}, 1},              // a month without entries
        {6, {}, {}, 42},             // 41 -> 42
        {3, {}, {}, 46},             // ordinary and summary entries together
        {3, "", {}, 46},
        {3, RS, {}, 46},             // asked for the summary kind: still the shared family
        {3, "VTAS", {}, 8},
        {3, " vtas ", {}, 8},
        {3, "COMP", {}, 1},
        {4, {}, {}, 1},              // other families use the month: still 1
        {4, "VTAS", {}, 3},
        {3, {}, 1, 91},              // the period given
        {3, {}, "1", 91},
    };
    for (const auto& c : casos)
        EXPECT_EQ(a.UltimoNumeroAsiento(c.mes, c.tipoReg, c.periodo), c.esperado)
            << "mes " << c.mes << " tipo " << c.tipoReg.toString().toStdString() << " periodo " << c.periodo.toString().toStdString();

    // Deleting the highest entry frees its number.
    con().EjecutarSQL("DELETE FROM MV_ASIENTOS WHERE TIPO_REG = ?", {RS});
    EXPECT_EQ(a.UltimoNumeroAsiento(3), 42);
}

TEST_P(Asientos, ClaveUnicaPorFamiliaEsLaRedDeSeguridad)
{
    lineaAsiento(con(), 2, 3, 1, 1);
    lineaAsiento(con(), 2, 3, 1, 1, "VTAS"); // another family may repeat the number
    try {
        lineaAsiento(con(), 2, 3, 1, 1, RS);
        FAIL() << "a summary entry took an ordinary entry's number";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.esClaveDuplicada()) << e.descripcion().toStdString();
    }
    EXPECT_THROW(lineaAsiento(con(), 2, 3, 1, 1, "vtas "), ErrorBD);
}

TEST_P(AsientosDemo, NumeroNuncaEsCeroTrasUnError)
{
    Lbc_Asiento a(&con());
    // Outside a transaction the number can't be taken safely.
    EXPECT_THROW(a.TomarNumeroAsiento(3), ErrorVexa);
    {
        Transaccion t(con());
        EXPECT_EQ(a.TomarNumeroAsiento(3, "VTAS"), 1);
    }
    con().EjecutarSQL("DROP TABLE MV_ASIENTOS");
    EXPECT_THROW(a.UltimoNumeroAsiento(3), ErrorBD);
}

// A number handed out inside a transaction is not handed out again there, even when
// the savepoint that took it was rolled back and no row holds it; deleting entry
// lines (OlvidarNumerosTomados) frees the highest number.
TEST_P(AsientosDemo, NumeroTomadoNoSeRepiteEnLaTransaccion)
{
    Lbc_Asiento a(&con());
    lineaAsiento(con(), 2, 3, 41, 1);
    Transaccion t(con());
    {
        Transaccion punto(con()); // savepoint, rolled back: the entry is never written
        EXPECT_EQ(a.TomarNumeroAsiento(3, QVariant(), 2), 42);
    }
    EXPECT_EQ(a.TomarNumeroAsiento(3, QVariant(), 2), 43);
    {
        Transaccion punto(con());
        EXPECT_EQ(a.TomarNumeroAsiento(3, QVariant(), 2), 44);
        lineaAsiento(con(), 2, 3, 44, 1);
        punto.confirmar();
    }
    EXPECT_EQ(a.TomarNumeroAsiento(3, QVariant(), 2), 45); // not written at all
    EXPECT_EQ(a.TomarNumeroAsiento(3, "VTAS", 2), 1);      // each family apart
    EXPECT_EQ(a.TomarNumeroAsiento(3, "VTAS", 2), 2);

    // The highest entry deleted inside the transaction: its number is free again.
    con().EjecutarSQL("DELETE FROM MV_ASIENTOS WHERE PERIODO = ? AND [NUMERO ASIENTO] = ?", {2, 44});
    a.OlvidarNumerosTomados();
    EXPECT_EQ(a.TomarNumeroAsiento(3, QVariant(), 2), 42);
    t.confirmar();

    // A new transaction starts from the table.
    Transaccion otra(con());
    EXPECT_EQ(a.TomarNumeroAsiento(3, QVariant(), 2), 42);
}

// Two stations post entries into one family at the same time; each takes its number
// inside its own writing transaction.
TEST_P(AsientosDemo, DosConexionesNoRepitenNumero)
{
    constexpr int porEstacion = 15;
    std::atomic<int> fallas{0};
    auto estacion = [&](int cual) {
        Conexion c;
        c.setDatos({datos().server, datos().dbName, datos().usuario, datos().password});
        if (!c.Abrir()) {
            ++fallas;
            return;
        }
        Lbc_Asiento a(&c);
        for (int i = 0; i < porEstacion; ++i) {
            try {
                Transaccion t(c);
                const qint32 nro = a.TomarNumeroAsiento(3, (i + cual) % 3 == 0 ? RS : QString(), 2);
                for (int sec = 1; sec <= 2; ++sec) {
                    lineaAsiento(c, 2, 3, nro, sec, (i + cual) % 3 == 0 ? RS : QString());
                    QThread::msleep(2);
                }
                t.confirmar();
            } catch (const std::exception& e) {
                ADD_FAILURE() << "estacion " << cual << ": " << e.what();
                ++fallas;
            }
        }
        c.Cerrar();
    };
    std::unique_ptr<QThread> h1(QThread::create(estacion, 1)), h2(QThread::create(estacion, 2));
    h1->start();
    h2->start();
    h1->wait();
    h2->wait();
    EXPECT_EQ(fallas.load(), 0);
    auto rs = con().ObtenerRecordset("SELECT [NUMERO ASIENTO] AS N, COUNT(*) AS LINEAS FROM MV_ASIENTOS WHERE PERIODO = ? AND MES_OPERATIVO = ? GROUP BY [NUMERO ASIENTO]", {2, 3});
    std::set<qint64> numeros;
    for (; !rs.eof(); rs.siguiente()) {
        EXPECT_EQ(rs.entero("LINEAS"), 2) << "asiento " << rs.entero("N");
        numeros.insert(rs.entero("N"));
    }
    EXPECT_EQ(numeros.size(), size_t(2 * porEstacion));
    EXPECT_EQ(*numeros.rbegin(), 2 * porEstacion);
}

// ---------------------------------------------------------------- display forms

// Stations of one company lock a numbering family by this text (hashed):
// it must not change from one build to the next.
TEST(FormasDeNumero, ClaveDeFamiliaFija)
{
    EXPECT_EQ(Lbc_Asiento::ClaveFamilia(QStringLiteral("2026"), 3, QStringLiteral(" ve ")), "MV_ASIENTOS|2026|3|VE");
    EXPECT_EQ(Lbc_Asiento::ClaveFamilia(QStringLiteral("2026"), 12, QString()), "MV_ASIENTOS|2026|12|");
    EXPECT_EQ(Lbc_Asiento::ClaveFamilia(QStringLiteral("x"), 1, QStringLiteral("A")), "MV_ASIENTOS|0|1|A");
}

TEST(FormasDeNumero, IdaYVuelta)
{
    Lbc_Asiento a(nullptr);
    EXPECT_EQ(a.FormatDisplayNroAsiento(125, QDate(2026, 3, 15)), "03-0000125");
    EXPECT_EQ(a.FormatDisplayNroAsiento("7", QDate(2026, 11, 1)), "11-0000007");
    EXPECT_THROW(a.FormatDisplayNroAsiento("x", QDate(2026, 3, 1)), ErrorVexa);
    EXPECT_EQ(a.FormatNroAsiento("03-0000125"), "125");
    EXPECT_EQ(a.FormatNroAsiento("0000125"), "125");
    EXPECT_EQ(a.FormatNroAsiento("03-"), "0");
    EXPECT_EQ(a.FMTNroAsiento("03-125"), "03-0000125");
    EXPECT_EQ(a.FMTNroAsiento("03125"), "03-0000125");
    EXPECT_EQ(a.FMTNroAsiento("3-"), "3-");   // fewer than three characters: unchanged
    EXPECT_EQ(a.FMTNroAsiento("12"), "12");

    EXPECT_EQ(a.EliminaCarNroAsiento("03-0000125").toString(), "3125");
    EXPECT_EQ(a.EliminaCarNroAsiento("03/0000125", {}, "/").toString(), "3125");
    EXPECT_EQ(a.EliminaCarNroAsiento("0300125").toString(), "0300125"); // no separator: unchanged
    EXPECT_EQ(a.EliminaCarNroAsiento("03-0000125", 3), QVariant(qint32(3125)));
    EXPECT_EQ(a.EliminaCarNroAsiento("03-0000125", 3).metaType(), QMetaType::fromType<qint32>());
    EXPECT_EQ(a.EliminaCarNroAsiento("03-0000125", 2).metaType(), QMetaType::fromType<qint16>());
    EXPECT_EQ(a.EliminaCarNroAsiento("", 8).toString(), "");
    EXPECT_EQ(a.EliminaCarNroAsiento("").toString(), "");
    EXPECT_THROW(a.EliminaCarNroAsiento("", 3), ErrorVexa);
    EXPECT_THROW(a.EliminaCarNroAsiento("", 2), ErrorVexa);
    EXPECT_THROW(a.EliminaCarNroAsiento("12-0099999", 2), ErrorVexa); // beyond 16 bits
    EXPECT_THROW(a.EliminaCarNroAsiento("1-99999999999999999999", 3), ErrorVexa); // beyond 64 bits
    EXPECT_THROW(a.FormatDisplayNroAsiento("99999999999999999999", QDate(2026, 3, 1)), ErrorVexa);
}

// ---------------------------------------------------------------- fiscal years

struct Ejercicio { int periodo; QVariant cerrado; QVariant cancelacion; QVariant cierre = 0; };

void cargarEjercicios(Conexion& c, const std::vector<Ejercicio>& ejercicios)
{
    for (const auto& e : ejercicios)
        c.Insertar("MV_EJERCICIOS", {{"PERIODO", e.periodo}, {"DESCRIPCION", QString("Ejercicio %1").arg(e.periodo)},
                                     {"[FECHA DESDE]", QDate(2020 + e.periodo, 1, 1)}, {"[FECHA HASTA]", QDate(2020 + e.periodo, 12, 31)},
                                     {"CERRADO", e.cerrado}, {"CANCELACION", e.cancelacion}, {"CIERRE", e.cierre}});
}

TEST_P(Asientos, EstadoDelPeriodoActual)
{
    const QVariant nulo = QVariant(QMetaType::fromType<int>());
    const QString sinEjercicios = "No se han creado Ejercicios!!!\rPara crear un Ejercicio debe hacerlo desde la configuración del sistema";
    struct Caso {
        const char* nombre;
        std::vector<Ejercicio> ejercicios;
        QString activo;
        bool esperado;
        QString mensaje; // "previo" when it must stay as the caller left it
        bool noCreado = false;
    };
    const Caso casos[] = {
        {"sin ejercicios", {}, "1", false, sinEjercicios, true},
        {"primer ejercicio abierto", {{1, 0, 0}, {2, 0, 0}}, "1", true, "previo"},
        {"cerrado", {{1, 1, 0}, {2, 1, 0}}, "2", false, "El Periodo tiene realizado el Cierre de libros contables "},
        {"cancelado", {{1, 1, 0}, {2, 0, 1}}, "2", false, "El Periodo tiene realizada la Cancelacion de saldos de cuentas de resultados"},
        {"ambos", {{1, 1, 0}, {2, 1, 1}}, "2", false, "El Periodo tiene realizado el Cierre y la Cancelacion de saldos de cuentas de resultados"},
        {"anterior abierto", {{1, 0, 0}, {3, 0, 0}}, "3", false, "El Periodo anterior (1) no tiene realizado el cierre"},
        {"anterior sin valor", {{1, nulo, 0}, {2, 0, 0}}, "2", true, "previo"},
        {"anterior cerrado", {{1, 1, 1}, {2, 0, 0}}, " 2 ", true, "previo"},
        {"activo sin valores", {{1, 1, 1}, {2, nulo, nulo}}, "2", true, "previo"},
        {"activo inexistente", {{1, 0, 0}, {2, 1, 1}}, "7", true, "previo"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
        cargarEjercicios(con(), c.ejercicios);
        fijarPeriodoActivo(con(), c.activo);
        QString mensaje = "previo";
        QVariant cierre, cancelacion, noCreado;
        EXPECT_EQ(Lbc_Asiento(&con()).ValidaEstadoPeriodoActual(mensaje, &cierre, &cancelacion, &noCreado), c.esperado);
        EXPECT_EQ(mensaje, c.mensaje);
        EXPECT_EQ(noCreado.toBool(), c.noCreado);
    }
    // The flags come back to the caller; optional outputs may be left out.
    con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    cargarEjercicios(con(), {{1, 1, 1}, {2, 1, 0}});
    fijarPeriodoActivo(con(), "2");
    QString m;
    QVariant cierre, cancelacion;
    EXPECT_FALSE(Lbc_Asiento(&con()).ValidaEstadoPeriodoActual(m, &cierre, &cancelacion));
    EXPECT_TRUE(cierre.toBool());
    EXPECT_FALSE(cancelacion.toBool());
    EXPECT_FALSE(Lbc_Asiento(&con()).ValidaEstadoPeriodoActual(m));
}

TEST_P(Asientos, EjercicioAnteriorCerrado)
{
    const QVariant nulo = QVariant(QMetaType::fromType<int>());
    cargarEjercicios(con(), {{1, 0, 0, 1}, {2, 0, 0, 0}, {4, nulo, 0, nulo}, {6, 1, 1, 1}});
    fijarPeriodoActivo(con(), "2");
    Lbc_Asiento a(&con());
    QString q = "-1";
    EXPECT_TRUE(a.EjercicioAnteriorCerrado(q)); // year 1 has only its closing flag
    EXPECT_EQ(q, "2");
    q = "4";
    EXPECT_FALSE(a.EjercicioAnteriorCerrado(q)); // year 2 open
    q = "6";
    EXPECT_FALSE(a.EjercicioAnteriorCerrado(q)); // year 4 without values: not closed
    q = "7";
    EXPECT_TRUE(a.EjercicioAnteriorCerrado(q));  // the row before, not the number minus one
    q = "1";
    EXPECT_TRUE(a.EjercicioAnteriorCerrado(q));  // the first year has nothing to close
    // A stored year beyond 64 bits is an overflow, never an undefined conversion.
    for (const char* t : {"99999999999999999999", "-99999999999999999999"}) {
        q = QString::fromLatin1(t);
        EXPECT_THROW(a.EjercicioAnteriorCerrado(q), ErrorVexa) << t;
    }
}

TEST_P(AsientosDemo, RangosYFechasDeEjercicios)
{
    Lbc_Asiento a(&con());
    struct Caso { QString desde, hasta; QVariant periodo; bool esperado; };
    const Caso casos[] = {
        {"01/01/2027", "31/12/2027", {}, true},
        {"31/12/2026", "30/12/2027", {}, false},  // starts on the last day of 2026
        {"01/07/2027", "01/01/2028", {}, true},
        {"01/06/2024", "31/12/2027", {}, false},  // encloses whole years
        {"01/06/2024", "31/12/2024", {}, true},
        {"01/06/2024", "01/01/2025", {}, false},  // ends on the first day of 2025
        {"01/01/2026", "31/12/2026", 2, true},    // the year being edited never counts
        {"01/01/2026", "31/12/2026", "2", true},
        {"01/01/2025", "31/12/2026", 2, false},   // ... the others still do
    };
    for (const auto& c : casos)
        EXPECT_EQ(a.ValidaRangoFechaEjercicio(c.desde, c.hasta, c.periodo), c.esperado)
            << c.desde.toStdString() << " - " << c.hasta.toStdString();
    EXPECT_THROW(a.ValidaRangoFechaEjercicio("no", "31/12/2027"), ErrorVexa);

    EXPECT_EQ(a.FechaHastaUltimoPeriodo(), QDate(2026, 12, 31));

    plataforma::GuionDialogos guion;
    QString desde = "x", hasta = "y";
    a.EjercicioRango(desde, hasta);
    EXPECT_EQ(desde, "01/01/2026");
    EXPECT_EQ(hasta, "31/12/2026");
    a.EjercicioRango(desde, hasta, "1");
    EXPECT_EQ(desde, "01/01/2025");
    {
        ContextoEmpresa ctx(con());
        ctx.setPeriodoActivo(" 1 "); // the value loaded at connection wins over the table
        Lbc_Asiento conContexto(ctx);
        conContexto.EjercicioRango(desde, hasta);
        EXPECT_EQ(hasta, "31/12/2025");
    }
    EXPECT_TRUE(guion.mostrados.isEmpty());
    a.EjercicioRango(desde, hasta, 9);
    EXPECT_EQ(desde, "");
    EXPECT_EQ(hasta, "");
    ASSERT_EQ(guion.mostrados.size(), 1);
    EXPECT_TRUE(guion.ultimo().startsWith("No se han creado Ejercicios!!!\r"));

    con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    EXPECT_FALSE(a.FechaHastaUltimoPeriodo().isValid());
    EXPECT_TRUE(a.ValidaRangoFechaEjercicio("no es fecha", "")); // nothing to collide with
}

TEST_P(AsientosDemo, FechaValidadaPrecedenciaDeMensajes)
{
    fijarValor(con(), "FECHAOPERDESDE", "01/03/2026");
    fijarValor(con(), "FECHAOPERHASTA", "30/06/2026");
    struct Caso { QString campo; bool errorPrevio; bool error; QString mensaje; };
    const Caso casos[] = {
        {"", false, true, "Debe ingresar una fecha"},
        {"   ", false, true, "Debe ingresar una fecha"},
        {"31/02/2026", false, true, "La fecha ingresada no es correcta!!"},
        {"15/04/2026", false, false, "previo"},
        {"01/03/2026", false, false, "previo"},   // both bounds count as inside
        {"30/06/2026", false, false, "previo"},
        {"15/08/2026", false, true, "La fecha ingresada No es una Fecha Operativa posible!"},
        {"15/08/2027", false, true, "La fecha ingresada no pertenece al rango del Ejercicio"}, // both fail: the year's message
        {"15/08/2027", true, true, "previo"},     // an error already set skips the range checks
    };
    Lbc_Asiento a(&con());
    for (const auto& c : casos) {
        QString mensaje = "previo";
        bool error = c.errorPrevio;
        EXPECT_FALSE(a.FechaValidada(c.campo, mensaje, error).isValid());
        EXPECT_EQ(error, c.error) << c.campo.toStdString();
        EXPECT_EQ(mensaje, c.mensaje) << c.campo.toStdString();
    }
    // The year's own dates, when configured, are the ones checked.
    fijarValor(con(), "[FECHA DESDE]", "01/01/2027");
    fijarValor(con(), "[FECHA HASTA]", "31/12/2027");
    fijarValor(con(), "FECHAOPERHASTA", "31/12/2027");
    QString mensaje;
    bool error = false;
    a.FechaValidada("15/08/2027", mensaje, error);
    EXPECT_FALSE(error) << mensaje.toStdString();
    // A configuration value that is not a date reaches the caller.
    fijarValor(con(), "FECHAOPERDESDE", "nunca");
    EXPECT_THROW(a.FechaValidada("15/08/2027", mensaje, error), ErrorVexa);
}

TEST_P(AsientosDemo, UltimoAjusteYMovimientosFueraDelEjercicio)
{
    Lbc_Asiento a(&con());
    QString fecha = "x", periodo = "y";
    QVariant nro = 9;
    a.UltimoAjuste(fecha, periodo, nro);
    EXPECT_EQ(fecha, "");
    EXPECT_EQ(periodo, "");
    EXPECT_EQ(nro.toInt(), 0);

    auto ajuste = [&](int per, int nroAs, const QString& hasta, QDate f) {
        lineaAsiento(con(), per, f.month(), nroAs, 1, {}, {{"ESAJUSTE", 1}, {"Ajuste_Hasta", hasta}, {"[FECHA]", f}, {"[DEBE-HABER]", "D"}});
    };
    ajuste(2, 5, "03/2026", QDate(2026, 3, 31));
    ajuste(2, 2, "11/2026", QDate(2026, 11, 30));
    ajuste(2, 9, "02/2026", QDate(2026, 2, 28));
    ajuste(2, 3, "11/2026", QDate(2026, 11, 30));
    ajuste(1, 4, "12/2025", QDate(2025, 12, 31)); // another year
    lineaAsiento(con(), 2, 12, 1, 1, {}, {{"[FECHA]", QDate(2026, 12, 31)}});
    a.UltimoAjuste(fecha, periodo, nro);
    EXPECT_EQ(periodo, "11/2026");
    EXPECT_EQ(nro.toInt(), 3);
    EXPECT_EQ(fecha, "30/11/2026");

    // Lines dated on a bound count as outside.
    EXPECT_TRUE(a.ExistenMovFueraPeriodo("2", "01/01/2026", "31/12/2026"));
    EXPECT_FALSE(a.ExistenMovFueraPeriodo("2", "01/01/2026", "01/01/2027"));
    EXPECT_TRUE(a.ExistenMovFueraPeriodo("2", "28/02/2026", "01/01/2027"));
    EXPECT_FALSE(a.ExistenMovFueraPeriodo("3", "01/01/2026", "31/12/2026"));
    plataforma::GuionDialogos guion;
    guion.respuestaPorDefecto = plataforma::vbAbort;
    EXPECT_FALSE(a.ExistenMovFueraPeriodo("2", "no", "31/12/2026")); // reported, not thrown
    EXPECT_EQ(guion.mostrados.size(), 1);
}

} // namespace

VEXA_AMBOS_MOTORES(Asientos);
VEXA_AMBOS_MOTORES(AsientosDemo);
