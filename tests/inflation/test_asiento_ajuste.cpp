// The inflation-adjustment entry without its window: the restatement of the
// adjustable accounts to the closing month (December 2026, the demo company's
// active fiscal year), the netting of each account's line, the stops that keep
// no line, the save of the entry (its columns, number and voucher numbering,
// the refusals and the rollback) and the listing of saved adjustments.
#include "Esquema.h"
#include "AsientoAjuste.h"
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "Entorno.h"
#include "Progreso.h"

#include <QFile>

#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <set>
#include <thread>

using namespace vexa;
using namespace vexa::ajuste;
using namespace vexa::prueba;

namespace {

Moneda M(const char* s) { return *Moneda::parsear(QString::fromLatin1(s)); }
QVariant V(const char* s) { return QVariant::fromValue(M(s)); }

const QString kCuenta = QStringLiteral("1101010010001");
const QString kOtra = QStringLiteral("1102010010001");
const QString kRei = QStringLiteral("5101010010002");

// Progress that records what it hears and answers a cancel on chosen calls.
class ProgresoGuion : public Progreso {
public:
    void Iniciar(const QString& titulo, qint64) override { inicios << titulo; }
    bool Actualizar(qint64, const QString& texto) override
    {
        textos << texto;
        return !cancelarEn.contains(int(textos.size()));
    }
    void Cerrar() override { ++cierres; }
    QStringList inicios, textos;
    QList<int> cancelarEn; // 1-based calls that answer "cancel"
    int cierres = 0;
};

class AsientoAjuste : public BaseDePrueba {
public:
    using BaseDePrueba::con;

protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        plataforma::fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        con().EjecutarSQL(QStringLiteral("DELETE FROM MA_INDAJUSTE"));
        con().EjecutarSQL(QStringLiteral("DELETE FROM MV_ASIENTOS"));
        con().EjecutarSQL(QStringLiteral("UPDATE MA_CUENTAS SET AJUSTE = 0, BIENES = 0, INDICE = 0, CODIGO_DEPREC_ACUMULADA = NULL"));
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        ajustable(kCuenta);
    }
    void TearDown() override
    {
        ctx.reset();
        plataforma::fijarAhora(QDateTime());
        BaseDePrueba::TearDown();
    }
public:
    void ajustable(const QString& cuenta, int serie = 1)
    {
        con().EjecutarSQL(QStringLiteral("UPDATE MA_CUENTAS SET AJUSTE = 1, INDICE = ? WHERE CODIGO = ?"), {serie, cuenta});
    }
    // The series' value (series 1 unless told) in a month; a new month's other series get 1.
    void indice(int anio, int mes, double valor, int serie = 1)
    {
        const QString columna = QStringLiteral("Importe%1").arg(serie);
        if (contar(QStringLiteral("SELECT COUNT(*) FROM MA_INDAJUSTE WHERE Anio = ? AND MES = ?"), {anio, mes}) == 0)
            con().EjecutarSQL(QStringLiteral("INSERT INTO MA_INDAJUSTE (Anio, MES, Importe1, Importe2, Importe3, Importe4) "
                                             "VALUES (?, ?, 1, 1, 1, 1)"),
                              {anio, mes});
        con().EjecutarSQL(QStringLiteral("UPDATE MA_INDAJUSTE SET %1 = ? WHERE Anio = ? AND MES = ?").arg(columna), {valor, anio, mes});
    }
    // Every month of 2026 at 'valor' and December 2025 at 'origen'.
    void indicesPlanos(double origen, double valor, int serie = 1)
    {
        indice(2025, 12, origen, serie);
        for (int m = 1; m <= 12; ++m) indice(2026, m, valor, serie);
    }
    void fila(const QString& cuenta, QDate fecha, const char* lado, const char* importe, int apertura = 0, int resumen = 0,
              int esAjuste = 0, int periodo = 2)
    {
        static int n = 0;
        con().Insertar("MV_ASIENTOS", {{"PERIODO", periodo}, {"MES_OPERATIVO", fecha.month()}, {"[NUMERO ASIENTO]", 900 + ++n},
                                       {"SECUENCIA", 1}, {"TIPO_REG", ""}, {"FECHA", fecha}, {"CUENTA", cuenta},
                                       {"[DEBE-HABER]", QString::fromLatin1(lado)}, {"IMPORTE", V(importe)},
                                       {"ES_SALDO_APERTURA", apertura}, {"ESRESUMEN", resumen}, {"ESAJUSTE", esAjuste}});
    }
    void apertura(const QString& cuenta, const char* lado, const char* importe)
    {
        fila(cuenta, QDate(2026, 1, 1), lado, importe, 1);
    }
    ResultadoAjuste generar(MesAnio desde = {1, 2026}, MesAnio hasta = {12, 2026}, const ConfirmaCancelar& confirma = {})
    {
        return GenerarAjuste(*ctx, PedidoAjuste{desde, hasta, kRei}, progreso, confirma);
    }
    // account -> (debit, credit) of the lines.
    static std::map<QString, std::pair<Moneda, Moneda>> porCuenta(const std::vector<LineaAjuste>& lineas)
    {
        std::map<QString, std::pair<Moneda, Moneda>> r;
        for (const LineaAjuste& l : lineas) r[l.cuenta] = {l.debe, l.haber};
        return r;
    }
    qint64 contar(const QString& sql, const Params& p = {}) { return con().Escalar(sql, p).toLongLong(); }
    qint64 ultimoNro(const QString& tc, const char* letra = "A")
    {
        return con().Escalar(QStringLiteral("SELECT %1_ULTIMO_NRO FROM TA_COMPROBANTES WHERE CODIGO = ?").arg(QLatin1String(letra)), {tc}).toLongLong();
    }
    CabeceraAjuste cabecera(const QString& tc = QStringLiteral("00RC"), const QString& numero = QStringLiteral("00000311"),
                            const QString& letra = QStringLiteral("R"))
    {
        CabeceraAjuste c;
        c.fecha = QStringLiteral("31/12/2026");
        c.tc = tc;
        c.sucursal = QStringLiteral("0001");
        c.numero = numero;
        c.letra = letra;
        c.detalle = QStringLiteral("Ajuste por inflación 2026 ");
        c.periodoHasta = QStringLiteral("12/2026");
        return c;
    }
    std::unique_ptr<ContextoEmpresa> ctx;
    ProgresoGuion progreso;
};

// ---------------------------------------------------------------- the calculation

TEST_P(AsientoAjuste, CasoResueltoConAperturaYDosMeses)
{
    indice(2025, 12, 100);
    indice(2026, 1, 105);
    indice(2026, 2, 110);
    for (int m = 3; m <= 11; ++m) indice(2026, m, 111 + m);
    indice(2026, 12, 120);
    apertura(kCuenta, "D", "1000");
    fila(kCuenta, QDate(2026, 1, 10), "D", "500");
    fila(kCuenta, QDate(2026, 1, 20), "H", "200");
    fila(kCuenta, QDate(2026, 2, 5), "H", "100");

    const ResultadoAjuste r = generar();
    ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa) << r.mensaje.toStdString();
    // 1000 x 1.2 - 1000 = 200; 300 x 120/105 - 300 = 42.8571; -100 x 120/110 + 100 = -9.0909.
    ASSERT_EQ(r.lineas.size(), 2u);
    EXPECT_EQ(r.lineas[0].cuenta, kCuenta);
    EXPECT_EQ(r.lineas[0].descripcion, "Caja Moneda Nacional");
    EXPECT_EQ(r.lineas[0].debe, M("233.7662"));
    EXPECT_EQ(r.lineas[0].haber, Moneda());
    EXPECT_EQ(r.lineas[1].cuenta, kRei);
    EXPECT_EQ(r.lineas[1].debe, Moneda());
    EXPECT_EQ(r.lineas[1].haber, M("233.7662"));
    EXPECT_EQ(r.totales.debe, M("233.7662"));
    EXPECT_TRUE(r.totales.iguales());
    EXPECT_EQ(progreso.inicios, QStringList{kTituloProgreso});
    EXPECT_EQ(progreso.textos, QStringList{"Procesando " + kCuenta});
    EXPECT_EQ(progreso.cierres, 1);

    const qint32 nro = GrabarAjuste(*ctx, cabecera(), r.lineas);
    EXPECT_EQ(nro, 1);
    auto f = con().PrimeraFila("SELECT CABIMPORTE FROM MV_ASIENTOS WHERE ESAJUSTE = 1 AND SECUENCIA = 1");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->moneda("CABIMPORTE"), M("233.7662"));
    EXPECT_EQ(f->moneda("CABIMPORTE").texto(2), "233.77");
}

TEST_P(AsientoAjuste, UnaCuentaPorCaso)
{
    // One account (kCuenta, series 1) per case: what it holds, the values of
    // December 2025 / each month of 2026 / December 2026, and its line.
    struct Caso {
        const char* nombre;
        std::function<void(AsientoAjuste&)> preparar;
        double origen, mes, cierre;
        const char* debe; // expected line of kCuenta (nullptr: no line)
        const char* haber;
    };
    const Caso casos[] = {
        {"saldo deudor, razon mayor a 1", [](AsientoAjuste& t) { t.fila(kCuenta, QDate(2026, 3, 1), "D", "100"); }, 100, 100, 120, "20", "0"},
        {"saldo acreedor, razon mayor a 1", [](AsientoAjuste& t) { t.fila(kCuenta, QDate(2026, 3, 1), "H", "100"); }, 100, 100, 120, "0", "20"},
        {"saldo deudor, razon menor a 1", [](AsientoAjuste& t) { t.fila(kCuenta, QDate(2026, 3, 1), "D", "100"); }, 100, 150, 120, "0", "20"},
        {"saldo acreedor, razon menor a 1", [](AsientoAjuste& t) { t.fila(kCuenta, QDate(2026, 3, 1), "H", "100"); }, 100, 150, 120, "20", "0"},
        {"apertura deudora, razon mayor a 1", [](AsientoAjuste& t) { t.apertura(kCuenta, "D", "100"); }, 100, 120, 120, "20", "0"},
        {"apertura acreedora, razon mayor a 1", [](AsientoAjuste& t) { t.apertura(kCuenta, "H", "100"); }, 100, 120, 120, "0", "20"},
        // The restated opening minus the opening, like a month: a ratio below 1 credits a debit balance.
        {"apertura deudora, razon menor a 1", [](AsientoAjuste& t) { t.apertura(kCuenta, "D", "100"); }, 150, 120, 120, "0", "20"},
        {"apertura acreedora, razon menor a 1", [](AsientoAjuste& t) { t.apertura(kCuenta, "H", "100"); }, 150, 120, 120, "20", "0"},
        {"dos aperturas netas", [](AsientoAjuste& t) { t.apertura(kCuenta, "D", "1000"); t.apertura(kCuenta, "H", "400"); }, 100, 120, 120, "120", "0"},
        {"lados en minuscula", [](AsientoAjuste& t) { t.fila(kCuenta, QDate(2026, 3, 1), "d", "300"); t.fila(kCuenta, QDate(2026, 3, 2), "h", "100"); }, 100, 100, 120, "40", "0"},
        {"resumen, ajuste y apertura fuera de las sumas",
         [](AsientoAjuste& t) {
             t.fila(kCuenta, QDate(2026, 3, 1), "D", "100", 0, 1);
             t.fila(kCuenta, QDate(2026, 3, 1), "D", "100", 0, 0, 1);
             t.fila(kCuenta, QDate(2026, 3, 1), "D", "100", 1, 0, 0, 1); // an opening of another year
         },
         100, 100, 120, "0", "0"},
        {"sin ajuste", [](AsientoAjuste& t) { t.fila(kCuenta, QDate(2026, 3, 1), "D", "100"); t.con().EjecutarSQL("UPDATE MA_CUENTAS SET AJUSTE = 0 WHERE CODIGO = ?", {kCuenta}); }, 100, 100, 120, nullptr, nullptr},
        {"cuenta de bienes", [](AsientoAjuste& t) { t.fila(kCuenta, QDate(2026, 3, 1), "D", "100"); t.con().EjecutarSQL("UPDATE MA_CUENTAS SET BIENES = 1 WHERE CODIGO = ?", {kCuenta}); }, 100, 100, 120, nullptr, nullptr},
        {"amortizacion acumulada",
         [](AsientoAjuste& t) {
             t.fila(kCuenta, QDate(2026, 3, 1), "D", "100");
             t.con().EjecutarSQL("UPDATE MA_CUENTAS SET CODIGO_DEPREC_ACUMULADA = ? WHERE CODIGO = '1201010010001'", {kCuenta});
         },
         100, 100, 120, nullptr, nullptr},
        {"sin filas", [](AsientoAjuste&) {}, 100, 100, 120, nullptr, nullptr},
        {"filas fuera de los meses", [](AsientoAjuste& t) { t.fila(kCuenta, QDate(2027, 1, 1), "D", "100"); }, 100, 100, 120, nullptr, nullptr},
    };
    // A second account always moves, so that the entry is never empty.
    const QString otra = kOtra;
    ajustable(otra, 2);
    indicesPlanos(1, 1, 2);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
        con().EjecutarSQL("UPDATE MA_CUENTAS SET AJUSTE = 0, BIENES = 0, CODIGO_DEPREC_ACUMULADA = NULL WHERE CODIGO <> ?", {otra});
        ajustable(kCuenta);
        indice(2025, 12, c.origen);
        for (int m = 1; m <= 11; ++m) indice(2026, m, c.mes);
        indice(2026, 12, c.cierre);
        indice(2026, 12, 2, 2); // the other account: x2
        fila(otra, QDate(2026, 6, 1), "D", "10");
        c.preparar(*this);
        const ResultadoAjuste r = generar();
        ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa) << r.mensaje.toStdString();
        const auto lineas = porCuenta(r.lineas);
        if (!c.debe) {
            EXPECT_EQ(lineas.count(kCuenta), 0u);
        } else {
            ASSERT_EQ(lineas.count(kCuenta), 1u);
            EXPECT_EQ(lineas.at(kCuenta).first, M(c.debe));
            EXPECT_EQ(lineas.at(kCuenta).second, M(c.haber));
        }
        EXPECT_EQ(lineas.at(otra), std::make_pair(M("10"), Moneda()));
        EXPECT_TRUE(r.totales.iguales());
        EXPECT_EQ(r.lineas.back().cuenta, kRei);
    }
}

TEST_P(AsientoAjuste, CuatroMesesCruzandoElAnio)
{
    // 11/2026 to 02/2027: each month restated with its own value (x1.2, x1, x0.8, x0.5).
    indice(2026, 11, 100);
    indice(2026, 12, 120);
    indice(2027, 1, 150);
    indice(2027, 2, 240);
    for (QDate d : {QDate(2026, 11, 30), QDate(2026, 12, 1), QDate(2027, 1, 31), QDate(2027, 2, 28)}) fila(kCuenta, d, "D", "100");
    fila(kCuenta, QDate(2027, 3, 1), "D", "100"); // past the last month
    fila(kCuenta, QDate(2026, 10, 31), "D", "100"); // before the first
    const ResultadoAjuste r = generar({11, 2026}, {2, 2027});
    ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa) << r.mensaje.toStdString();
    // +20, 0, -20, -50
    EXPECT_EQ(porCuenta(r.lineas).at(kCuenta), std::make_pair(Moneda(), M("50")));
    EXPECT_EQ(porCuenta(r.lineas).at(kRei), std::make_pair(M("50"), Moneda()));
}

TEST_P(AsientoAjuste, OrigenDeLaApertura)
{
    // The opening is restated from the closing month of the previous year in
    // PERIODO order, not of the number minus one; in a first year, from the
    // month before the year's first day.
    indice(2024, 12, 60);
    indice(2025, 12, 100);
    for (int m = 1; m <= 12; ++m) indice(2026, m, 120);
    struct Caso {
        const char* nombre;
        std::vector<int> anteriores; // periods before 3 (each a year ending 31/12 of 2023 + number)
        const char* debe;
    };
    const Caso casos[] = {
        {"anios 1 y 3", {1}, "100"},     // from 12/2024: 100 x 120/60 - 100
        {"anios 1, 2 y 3", {1, 2}, "20"}, // from 12/2025
        {"primer anio", {}, "20"},        // from 12/2025, the month before 01/01/2026
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
        for (int p : c.anteriores)
            con().Insertar("MV_EJERCICIOS", {{"PERIODO", p}, {"[FECHA DESDE]", QDate(2023 + p, 1, 1)}, {"[FECHA HASTA]", QDate(2023 + p, 12, 31)}, {"CERRADO", 1}});
        con().Insertar("MV_EJERCICIOS", {{"PERIODO", 3}, {"[FECHA DESDE]", QDate(2026, 1, 1)}, {"[FECHA HASTA]", QDate(2026, 12, 31)}, {"CERRADO", 0}});
        ctx->setPeriodoActivo("3");
        fila(kCuenta, QDate(2026, 1, 1), "D", "100", 1, 0, 0, 3);
        const ResultadoAjuste r = generar();
        ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa) << r.mensaje.toStdString();
        EXPECT_EQ(porCuenta(r.lineas).at(kCuenta), std::make_pair(M(c.debe), Moneda()));
    }
}

// The coefficients restate to the closing month, so the year may be adjusted
// in parts: the first adjustment restates the openings and its months, each
// later one the months after the last saved adjustment only. Account by
// account the saved parts add up to the one adjustment of the whole year
// (each month is restated and rounded on its own either way).
TEST_P(AsientoAjuste, AjustesParcialesSumanElDelAnio)
{
    const QString soloApertura = QStringLiteral("1103010010001");
    ajustable(kOtra, 2);
    ajustable(soloApertura);
    indice(2025, 12, 97.3);
    indice(2025, 12, 88.1, 2);
    for (int m = 1; m <= 12; ++m) {
        indice(2026, m, 100 + 3.7 * m + m % 3);
        indice(2026, m, 90 + 5.3 * m, 2);
    }
    apertura(kCuenta, "D", "1000");
    apertura(kOtra, "H", "777.77");
    apertura(soloApertura, "D", "250.5");
    for (int m = 1; m <= 12; ++m) {
        fila(kCuenta, QDate(2026, m, 5), m % 2 ? "D" : "H", m % 2 ? "123.45" : "67.891");
        fila(kOtra, QDate(2026, m, 28), m % 3 ? "H" : "D", "41.0003");
    }
    // Another year's adjustment does not make this year's first one a later one.
    fila(kCuenta, QDate(2025, 12, 31), "D", "5", 0, 0, 1, 1);
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET AJUSTE_HASTA = '06/2025' WHERE ESAJUSTE = 1");

    // account -> debit minus credit, zero left out.
    using Netos = std::map<QString, Moneda>;
    auto sinCeros = [](Netos n) {
        std::erase_if(n, [](const auto& e) { return e.second.esCero(); });
        return n;
    };
    const ResultadoAjuste anio = generar();
    ASSERT_EQ(anio.fin, ResultadoAjuste::Fin::Completa) << anio.mensaje.toStdString();
    Netos esperado;
    for (const LineaAjuste& l : anio.lineas) esperado[l.cuenta] += l.debe - l.haber;
    esperado = sinCeros(esperado);
    ASSERT_EQ(esperado.size(), 4u); // the three accounts and the result account

    struct Caso {
        const char* nombre;
        std::vector<std::pair<MesAnio, MesAnio>> partes;
    };
    const Caso casos[] = {
        {"marzo y el resto", {{{1, 2026}, {3, 2026}}, {{4, 2026}, {12, 2026}}}},
        {"tres partes", {{{1, 2026}, {1, 2026}}, {{2, 2026}, {6, 2026}}, {{7, 2026}, {12, 2026}}}},
        {"diez meses y el resto", {{{1, 2026}, {10, 2026}}, {{11, 2026}, {12, 2026}}}},
        // A later request from the year's first month restates from April only.
        {"la segunda pide desde enero", {{{1, 2026}, {3, 2026}}, {{1, 2026}, {12, 2026}}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS WHERE ESAJUSTE = 1 AND PERIODO = 2");
        int numero = 311;
        for (const auto& [desde, hasta] : c.partes) {
            SCOPED_TRACE(desde.texto().toStdString());
            const ResultadoAjuste r = generar(desde, hasta);
            ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa) << r.mensaje.toStdString();
            CabeceraAjuste cab = cabecera(QStringLiteral("00RC"), QStringLiteral("%1").arg(numero++, 8, 10, QLatin1Char('0')));
            cab.periodoHasta = hasta.texto();
            GrabarAjuste(*ctx, cab, r.lineas);
        }
        Netos grabado;
        Recordset rs = con().ObtenerRecordset("SELECT CUENTA, [DEBE-HABER] AS LADO, SUM(IMPORTE) AS IMPORTE FROM MV_ASIENTOS "
                                              "WHERE ESAJUSTE = 1 AND PERIODO = 2 GROUP BY CUENTA, [DEBE-HABER]");
        for (; !rs.eof(); rs.siguiente()) {
            const Moneda importe = rs.moneda("IMPORTE");
            grabado[rs.texto("CUENTA")] += rs.texto("LADO") == "D" ? importe : Moneda() - importe;
        }
        EXPECT_EQ(sinCeros(grabado), esperado);
        // Adjusted to the closing month: nothing is restated again.
        const ResultadoAjuste otra = generar();
        EXPECT_EQ(otra.fin, ResultadoAjuste::Fin::Rechazada);
        EXPECT_EQ(otra.mensaje, kMensajeDesdeMayor);
    }
}

TEST_P(AsientoAjuste, IndiceQueFaltaNoDejaLineas)
{
    struct Caso {
        const char* nombre;
        std::function<void(AsientoAjuste&)> preparar;
        const char* mensaje;
    };
    const Caso casos[] = {
        {"sin fila en el tercer mes", [](AsientoAjuste& t) { t.con().EjecutarSQL("DELETE FROM MA_INDAJUSTE WHERE Anio = 2026 AND MES = 3"); },
         "No Existe el Indice para la Cuenta 1101010010001 Periodo: 3/2026"},
        {"valor cero en el tercer mes", [](AsientoAjuste& t) { t.indice(2026, 3, 0); },
         "No Existe el Indice para la Cuenta 1101010010001 Periodo: 3/2026"},
        {"sin cierre", [](AsientoAjuste& t) { t.con().EjecutarSQL("DELETE FROM MA_INDAJUSTE WHERE Anio = 2026 AND MES = 12"); },
         "No Existe el Indice para la Cuenta 1101010010001 Periodo: 12/2026"},
        {"sin origen de la apertura", [](AsientoAjuste& t) { t.apertura(kCuenta, "D", "5"); t.con().EjecutarSQL("DELETE FROM MA_INDAJUSTE WHERE Anio = 2025"); },
         "No Existe el Indice para la Cuenta 1101010010001 Periodo: 12/2025"},
        {"serie fuera de 1 a 4", [](AsientoAjuste& t) { t.ajustable(kCuenta, 5); },
         "No Existe el Indice para la Cuenta 1101010010001 Periodo: 12/2026"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
        ajustable(kCuenta);
        indicesPlanos(100, 110);
        fila(kCuenta, QDate(2026, 1, 5), "D", "100");
        c.preparar(*this);
        progreso = ProgresoGuion();
        const ResultadoAjuste r = generar();
        EXPECT_EQ(r.fin, ResultadoAjuste::Fin::FaltaIndice);
        EXPECT_EQ(r.mensaje, QString::fromUtf8(c.mensaje));
        EXPECT_TRUE(r.lineas.empty());
        EXPECT_EQ(progreso.cierres, 1);
    }
}

TEST_P(AsientoAjuste, CancelarConfirmadoNoDejaNada)
{
    indicesPlanos(100, 120);
    indice(2026, 1, 100);
    ajustable(kOtra);
    fila(kCuenta, QDate(2026, 1, 5), "D", "100");
    fila(kOtra, QDate(2026, 1, 5), "D", "100");
    int preguntas = 0;
    progreso.cancelarEn = {2};
    ResultadoAjuste r = generar({1, 2026}, {12, 2026}, [&] { ++preguntas; return true; });
    EXPECT_EQ(r.fin, ResultadoAjuste::Fin::Cancelada);
    EXPECT_TRUE(r.lineas.empty());
    EXPECT_EQ(preguntas, 1);
    EXPECT_EQ(progreso.cierres, 1);

    // Not confirmed: the progress starts again and the run goes on.
    progreso = ProgresoGuion();
    progreso.cancelarEn = {1};
    r = generar({1, 2026}, {12, 2026}, [&] { ++preguntas; return false; });
    ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa);
    EXPECT_EQ(preguntas, 2);
    EXPECT_EQ(progreso.inicios.size(), 2);
    EXPECT_EQ(progreso.textos, (QStringList{"Procesando " + kCuenta, "Procesando" + kCuenta, "Procesando " + kOtra}));
    EXPECT_EQ(porCuenta(r.lineas).at(kRei), std::make_pair(Moneda(), M("40")));
}

TEST_P(AsientoAjuste, ElLadoDelResultadoYSusNetos)
{
    // Netting on one account's line.
    std::vector<LineaAjuste> l;
    AgregarLinea(l, "A", M("100"), true, "Cuenta A");
    AgregarLinea(l, " a ", M("30"), false);
    AgregarLinea(l, "B", M("50"), true);
    AgregarLinea(l, "B", M("50"), false);
    AgregarLinea(l, "C", M("0"), true);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].descripcion, "Cuenta A");
    EXPECT_EQ(std::make_pair(l[0].debe, l[0].haber), std::make_pair(M("70"), Moneda()));
    EXPECT_EQ(std::make_pair(l[1].debe, l[1].haber), std::make_pair(M("50"), M("50")));
    EXPECT_EQ(std::make_pair(l[2].debe, l[2].haber), std::make_pair(Moneda(), Moneda()));
    // Both sides of B count in the totals.
    EXPECT_EQ(SumarTotales(l).debe, M("120"));
    EXPECT_EQ(SumarTotales(l).haber, M("50"));

    // An adjustable result account nets its restatement with the balance.
    indicesPlanos(100, 100);
    indice(2026, 12, 120);
    ajustable(kRei);
    fila(kCuenta, QDate(2026, 1, 5), "D", "100"); // +20
    fila(kRei, QDate(2026, 1, 5), "D", "50");     // +10
    const ResultadoAjuste r = generar();
    ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa);
    ASSERT_EQ(r.lineas.size(), 2u);
    // Debit 30 balanced by a credit of 30 on the result account, netted with its own 10.
    EXPECT_EQ(porCuenta(r.lineas).at(kRei), std::make_pair(Moneda(), M("20")));
}

TEST_P(AsientoAjuste, RedondeoAlDiezmilesimoPar)
{
    struct Caso { const char* importe; double razon; const char* esperado; };
    const Caso casos[] = {
        {"300", 120.0 / 105.0, "342.8571"},
        {"-100", 120.0 / 110.0, "-109.0909"},
        {"0.0001", 0.5, "0"},      // half: to even
        {"0.0003", 0.5, "0.0002"}, // half: to even
        {"0.0005", 0.5, "0.0002"},
        {"1", 1.0, "1"},
    };
    for (const Caso& c : casos) EXPECT_EQ(Reexpresar(M(c.importe), c.razon), M(c.esperado)) << c.importe;
}

TEST_P(AsientoAjuste, ElEjercicioRechazaLaCorrida)
{
    indicesPlanos(100, 120);
    fila(kCuenta, QDate(2026, 1, 5), "D", "100");
    struct Caso {
        const char* nombre;
        const char* sql;
        MesAnio desde, hasta;
        QString mensaje;
    };
    const Caso casos[] = {
        {"desde mayor que hasta", nullptr, {1, 2027}, {12, 2026}, kMensajeDesdeMayor},
        {"ejercicio cerrado", "UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = 2", {1, 2026}, {12, 2026},
         "El Periodo tiene realizado el Cierre de libros contables "},
        {"anterior abierto", "UPDATE MV_EJERCICIOS SET CERRADO = 0 WHERE PERIODO = 1", {1, 2026}, {12, 2026},
         "El Periodo anterior (1) no tiene realizado el cierre"},
        {"sin fila del ejercicio activo", "DELETE FROM MV_EJERCICIOS WHERE PERIODO = 2", {1, 2026}, {12, 2026}, kMensajeSinEjercicio},
        {"sin ejercicios", "DELETE FROM MV_EJERCICIOS", {1, 2026}, {12, 2026}, kMensajeSinEjercicio},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Transaccion t(con());
        if (c.sql) con().EjecutarSQL(QString::fromLatin1(c.sql));
        progreso = ProgresoGuion();
        const ResultadoAjuste r = generar(c.desde, c.hasta);
        EXPECT_EQ(r.fin, ResultadoAjuste::Fin::Rechazada);
        EXPECT_EQ(r.mensaje, c.mensaje);
        EXPECT_TRUE(r.lineas.empty());
        EXPECT_TRUE(progreso.inicios.isEmpty());
        // The save refuses as well.
        std::vector<LineaAjuste> l{{kCuenta, "", M("1"), Moneda(), {}}, {kRei, "", Moneda(), M("1"), {}}};
        if (c.sql) {
            try {
                GrabarAjuste(*ctx, cabecera(), l);
                ADD_FAILURE() << "saved";
            } catch (const ErrorVexa& e) {
                EXPECT_EQ(e.descripcion(), c.mensaje);
            }
        }
        t.deshacer();
    }
}

TEST_P(AsientoAjuste, SinCuentasAjustablesNoHayMovimientos)
{
    con().EjecutarSQL("UPDATE MA_CUENTAS SET AJUSTE = 0");
    const ResultadoAjuste r = generar();
    EXPECT_EQ(r.fin, ResultadoAjuste::Fin::SinMovimientos);
    EXPECT_EQ(r.mensaje, kMensajeSinMovimientos);
    EXPECT_TRUE(progreso.inicios.isEmpty()); // no progress at all

    // Movements that restate to nothing: no line either.
    ajustable(kCuenta);
    indicesPlanos(100, 100);
    fila(kCuenta, QDate(2026, 1, 5), "D", "100");
    EXPECT_EQ(generar().fin, ResultadoAjuste::Fin::SinMovimientos);
}

// ---------------------------------------------------------------- the save

TEST_P(AsientoAjuste, GrabaCadaColumna)
{
    con().EjecutarSQL("UPDATE TA_COMPROBANTES SET R_ULTIMO_NRO = 310 WHERE CODIGO = '00RC'");
    // An entry of December already numbered 4: the adjustment takes 5 (FECHA's month, not today's).
    fila(kOtra, QDate(2026, 12, 3), "D", "1");
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET [NUMERO ASIENTO] = 4, MES_OPERATIVO = 12");
    fila(kOtra, QDate(2026, 6, 3), "D", "1");
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET [NUMERO ASIENTO] = 9 WHERE MES_OPERATIVO = 6");
    const std::vector<LineaAjuste> lineas{
        {kCuenta, "Caja", M("150.1234"), Moneda(), {}},
        {kOtra, "", M("50"), M("50"), QDate(2027, 1, 10)}, // both sides: two rows
        {"1103010010001", "", Moneda(), Moneda(), {}},      // neither: one credit of 0
        {"  ", "", Moneda(), Moneda(), {}},                  // no account: no row
        {kRei, "", Moneda(), M("150.1234"), {}},
    };
    const qint32 nro = GrabarAjuste(*ctx, cabecera(), lineas);
    EXPECT_EQ(nro, 5);
    const auto filas = con().ObtenerRecordset("SELECT * FROM MV_ASIENTOS WHERE ESAJUSTE = 1 ORDER BY SECUENCIA").todas();
    ASSERT_EQ(filas.size(), 5u);
    struct Esperada { QString cuenta; const char* lado; const char* importe; };
    const Esperada esperadas[] = {{kCuenta, "D", "150.1234"}, {kOtra, "D", "50"}, {kOtra, "H", "50"}, {"1103010010001", "H", "0"}, {kRei, "H", "150.1234"}};
    for (size_t i = 0; i < filas.size(); ++i) {
        SCOPED_TRACE(i);
        const Fila& f = filas[i];
        EXPECT_EQ(f.entero("SECUENCIA"), qint64(i + 1));
        EXPECT_EQ(f.texto("CUENTA"), esperadas[i].cuenta);
        EXPECT_EQ(f.texto("DEBE-HABER"), QString::fromLatin1(esperadas[i].lado));
        EXPECT_EQ(f.moneda("IMPORTE"), M(esperadas[i].importe));
        EXPECT_EQ(f.fecha("FECHA"), QDate(2026, 12, 31));
        EXPECT_EQ(f.texto("TC"), "00RC");
        EXPECT_EQ(f.texto("SUCURSAL"), "0001");
        EXPECT_EQ(f.texto("NUMERO"), "00000311");
        EXPECT_EQ(f.texto("LETRA"), "R");
        EXPECT_EQ(f.moneda("CABIMPORTE"), M("200.1234"));
        EXPECT_EQ(f.texto("AJUSTE_HASTA"), "12/2026");
        EXPECT_EQ(f.entero("NUMERO ASIENTO"), 5);
        EXPECT_EQ(f.entero("MES_OPERATIVO"), 12);
        EXPECT_EQ(f.entero("PERIODO"), 2);
        EXPECT_EQ(f.texto("MONEDA"), "   1");
        EXPECT_EQ(f.fecha("VENCIMIENTO"), i == 1 || i == 2 ? QDate(2027, 1, 10) : QDate());
        EXPECT_EQ(f.texto("TIPO_REG"), "");
        EXPECT_FALSE(f.esNulo("TIPO_REG"));
        EXPECT_EQ(f.texto("DETALLE"), "Ajuste por inflación 2026");
        EXPECT_EQ(f.entero("ESRESUMEN"), 0);
        EXPECT_EQ(f.entero("ESAJUSTE"), 1);
        EXPECT_EQ(f.fechaHora("FECHAHORA_GRABACION"), QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
    }
    // The own-numbered type keeps the number used.
    EXPECT_EQ(ultimoNro("00RC", "R"), 311);
    EXPECT_FALSE(con().enTransaccion());
}

TEST_P(AsientoAjuste, NumeracionDelComprobante)
{
    const std::vector<LineaAjuste> lineas{{kCuenta, "", M("1"), Moneda(), {}}, {kRei, "", Moneda(), M("1"), {}}};
    struct Caso { const char* nombre; QString tc, numero, letra; const char* columna; qint64 antes, despues; };
    const Caso casos[] = {
        {"propio avanza", "00FA", "00000126", "A", "A", 125, 126},
        {"propio nunca retrocede", "00FA", "00000100", "A", "A", 125, 125},
        {"recibido intacto", "00FP", "00004567", "A", "A", 0, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("UPDATE TA_COMPROBANTES SET A_ULTIMO_NRO = 125 WHERE CODIGO = '00FA'");
        EXPECT_EQ(ultimoNro(c.tc, c.columna), c.antes);
        GrabarAjuste(*ctx, cabecera(c.tc, c.numero, c.letra), lineas);
        EXPECT_EQ(ultimoNro(c.tc, c.columna), c.despues);
    }
}

TEST_P(AsientoAjuste, RechazosNoEscribenNada)
{
    const std::vector<LineaAjuste> buenas{{kCuenta, "", M("1"), Moneda(), {}}, {kRei, "", Moneda(), M("1"), {}}};
    struct Caso { const char* nombre; std::vector<LineaAjuste> lineas; CabeceraAjuste cab; QString mensaje; int numero; };
    CabeceraAjuste sinFecha = cabecera();
    sinFecha.fecha = "31/13/2026";
    CabeceraAjuste sinHasta = cabecera();
    sinHasta.periodoHasta = "2026";
    const Caso casos[] = {
        {"sin lineas", {}, cabecera(), kMensajeSinMovimientos, 0},
        {"lineas sin cuenta", {{" ", "", M("1"), M("1"), {}}}, cabecera(), kMensajeSinMovimientos, 0},
        {"totales distintos", {{kCuenta, "", M("1"), Moneda(), {}}, {kRei, "", Moneda(), M("0.9999"), {}}}, cabecera(), kMensajeTotales, 0},
        {"fecha", buenas, sinFecha, "Error en conversion de datos: FECHA", 3421},
        {"periodo hasta", buenas, sinHasta, "Error en conversion de datos: PERIODO_HASTA", 3421},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        try {
            GrabarAjuste(*ctx, c.cab, c.lineas);
            ADD_FAILURE() << "saved";
        } catch (const ErrorVexa& e) {
            EXPECT_EQ(e.descripcion(), c.mensaje);
            EXPECT_EQ(e.numero(), c.numero);
        }
        EXPECT_EQ(contar("SELECT COUNT(*) FROM MV_ASIENTOS"), 0);
        EXPECT_EQ(ultimoNro("00RC", "R"), 310);
        EXPECT_FALSE(con().enTransaccion());
    }
}

TEST_P(AsientoAjuste, UnaFilaRechazadaDeshaceTodo)
{
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER NO_DOS BEFORE INSERT ON MV_ASIENTOS WHEN NEW.SECUENCIA = 2 "
                          "BEGIN SELECT RAISE(ABORT, 'fila 2 vetada'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION no_dos() RETURNS trigger AS $$ BEGIN IF NEW.secuencia = 2 THEN "
                          "RAISE EXCEPTION 'fila 2 vetada'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER no_dos BEFORE INSERT ON mv_asientos FOR EACH ROW EXECUTE FUNCTION no_dos()");
    }
    const std::vector<LineaAjuste> lineas{{kCuenta, "", M("1"), Moneda(), {}}, {kRei, "", Moneda(), M("1"), {}}};
    try {
        GrabarAjuste(*ctx, cabecera(), lineas);
        ADD_FAILURE() << "saved";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.descripcion().contains("fila 2 vetada")) << e.descripcion().toStdString();
    }
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MV_ASIENTOS"), 0);
    EXPECT_EQ(ultimoNro("00RC", "R"), 310);
    EXPECT_FALSE(con().enTransaccion());
}

TEST_P(AsientoAjuste, DosEstacionesGrabanALaVez)
{
    if (motor() != Motor::PostgreSQL) GTEST_SKIP() << "one writer at a time on SQLite";
    const std::vector<LineaAjuste> lineas{{kCuenta, "", M("1"), Moneda(), {}}, {kRei, "", Moneda(), M("1"), {}}};
    std::atomic<bool> salida{false};
    std::array<qint32, 2> nros{};
    std::array<QString, 2> errores;
    auto estacion = [&](int k) {
        try {
            auto c = otraConexion();
            ContextoEmpresa otro(*c);
            CargarValoresContables(otro);
            while (!salida.load()) std::this_thread::yield();
            nros[size_t(k)] = GrabarAjuste(otro, cabecera(), lineas);
        } catch (const std::exception& e) {
            errores[size_t(k)] = descripcionDeError(e);
        }
    };
    std::thread a(estacion, 0), b(estacion, 1);
    salida = true;
    a.join();
    b.join();
    EXPECT_TRUE(errores[0].isEmpty()) << errores[0].toStdString();
    EXPECT_TRUE(errores[1].isEmpty()) << errores[1].toStdString();
    EXPECT_EQ(std::set<qint32>(nros.begin(), nros.end()), (std::set<qint32>{1, 2}));
    EXPECT_EQ(contar("SELECT COUNT(DISTINCT [NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE ESAJUSTE = 1"), 2);
}

// ---------------------------------------------------------------- the schema step

TEST_P(AsientoAjuste, EmpresaVersion10GanaElIndiceDeAperturas)
{
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 10, false, &d, &error)) << error.toStdString();
    ASSERT_EQ(EsquemaEmpresa(vieja).versionEsquema(), 10);
    const QString indice = motor() == Motor::SQLite
                               ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = ?")
                               : QStringLiteral("SELECT COUNT(*) FROM pg_indexes WHERE indexname = LOWER(?)");
    EXPECT_EQ(vieja.Escalar(indice, {"IX_MV_ASIENTOS_APERTURA"}).toInt(), 0);
    const QString copia = EsquemaEmpresa(vieja).actualizarEsquema();
    EXPECT_EQ(EsquemaEmpresa(vieja).comprobarEsquema(), EstadoEsquema::Actual);
    EXPECT_EQ(vieja.Escalar(indice, {"IX_MV_ASIENTOS_APERTURA"}).toInt(), 1);
    vieja.Cerrar();
    if (!copia.isEmpty()) QFile::remove(copia);
    eliminarEmpresa(d, &error);
}

// The journal's indexes, by name, with their definitions.
static std::map<QString, QString> indicesDelDiario(Conexion& c)
{
    const QString sql = c.motor() == Motor::SQLite
                            ? QStringLiteral("SELECT name AS N, sql AS D FROM sqlite_master WHERE type = 'index' "
                                             "AND tbl_name = 'MV_ASIENTOS' AND sql IS NOT NULL")
                            : QStringLiteral("SELECT UPPER(indexname) AS N, indexdef AS D FROM pg_indexes WHERE tablename = 'mv_asientos'");
    std::map<QString, QString> r;
    for (Recordset rs = c.ObtenerRecordset(sql); !rs.eof(); rs.siguiente()) r[rs.texto(QStringLiteral("N"))] = rs.texto(QStringLiteral("D"));
    return r;
}

TEST_P(AsientoAjuste, EmpresaVersion12QuedaConLosIndicesDeUnaNueva)
{
    const std::map<QString, QString> nueva = indicesDelDiario(con());
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 12, false, &d, &error)) << error.toStdString();
    ASSERT_EQ(EsquemaEmpresa(vieja).versionEsquema(), 12);
    const std::map<QString, QString> antes = indicesDelDiario(vieja);
    const QString copia = EsquemaEmpresa(vieja).actualizarEsquema();
    EXPECT_EQ(EsquemaEmpresa(vieja).comprobarEsquema(), EstadoEsquema::Actual);
    EXPECT_EQ(indicesDelDiario(vieja), nueva);
    EXPECT_EQ(nueva.count("IX_MV_ASIENTOS_FECHA"), 1u);
    if (motor() == Motor::SQLite) {
        // One index fewer for every posted row; the date index stays as it was.
        EXPECT_EQ(antes.count("IX_MV_ASIENTOS_SUMAS"), 1u);
        EXPECT_EQ(nueva.count("IX_MV_ASIENTOS_SUMAS"), 0u);
        EXPECT_EQ(nueva.size() + 1, antes.size());
        EXPECT_EQ(nueva.at("IX_MV_ASIENTOS_FECHA"), antes.at("IX_MV_ASIENTOS_FECHA"));
    } else {
        // PostgreSQL keeps its indexes as they were.
        EXPECT_EQ(antes, nueva);
    }
    vieja.Cerrar();
    if (!copia.isEmpty()) QFile::remove(copia);
    eliminarEmpresa(d, &error);
}

// ---------------------------------------------------------------- the listing

TEST_P(AsientoAjuste, PlanillaDeAjustes)
{
    const std::vector<LineaAjuste> lineas{{kCuenta, "", M("12.5"), Moneda(), {}}, {kRei, "", Moneda(), M("12.5"), {}}};
    GrabarAjuste(*ctx, cabecera(), lineas);
    fila(kCuenta, QDate(2026, 3, 1), "D", "1"); // not an adjustment
    const ConsultaPlanilla q = PlanillaAjustes();
    Recordset rs = con().ObtenerRecordset(q.sql, q.params);
    std::vector<QString> nombres;
    for (const QString& n : rs.nombresColumnas()) nombres.push_back(n.toUpper());
    EXPECT_EQ(nombres, (std::vector<QString>{"CUENTA", "Nº ASIENTO", "FECHA", "TC", "Nº DE COMPROBANTE", "DEBE-HABER",
                                                          "IMPORTE", "LINEA", "EJERCICIO", "CONCEPTO"}));
    const auto filas = rs.todas();
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0].texto("CUENTA"), kCuenta);
    EXPECT_EQ(filas[0].texto("Nº Asiento"), "12-00000001");
    EXPECT_EQ(filas[0].texto("Nº de Comprobante"), "0001-00000311-R");
    EXPECT_EQ(filas[0].moneda("IMPORTE"), M("12.5"));
    EXPECT_EQ(filas[1].entero("LINEA"), 2);
    EXPECT_EQ(filas[1].entero("EJERCICIO"), 2);
    EXPECT_EQ(filas[1].texto("CONCEPTO"), "Ajuste por inflación 2026");
}

// ---------------------------------------------------------------- the demo company

class AjusteDemo : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};

TEST_P(AjusteDemo, CuentasAjustablesYComprobante)
{
    ContextoEmpresa ctx(con());
    CargarValoresContables(ctx);
    // A line on every adjustable account in March: the asset account and its
    // accumulated depreciation are skipped, the others restated with their series.
    Recordset rs = con().ObtenerRecordset("SELECT CODIGO FROM MA_CUENTAS WHERE AJUSTE = 1 ORDER BY CODIGO");
    QStringList ajustables;
    for (; !rs.eof(); rs.siguiente()) ajustables << rs.texto("CODIGO");
    EXPECT_EQ(ajustables, (QStringList{"1101010010001", "1101020010001", "1201010010001", "1201010010002", "3101010010001", "5101010010001"}));
    int n = 0;
    for (const QString& c : ajustables)
        con().Insertar("MV_ASIENTOS", {{"PERIODO", 2}, {"MES_OPERATIVO", 3}, {"[NUMERO ASIENTO]", 1}, {"SECUENCIA", ++n}, {"TIPO_REG", ""},
                                       {"FECHA", QDate(2026, 3, 10)}, {"CUENTA", c}, {"[DEBE-HABER]", "D"}, {"IMPORTE", V("1000")}});
    ProgresoNulo p;
    const ResultadoAjuste r = GenerarAjuste(ctx, PedidoAjuste{{1, 2026}, {12, 2026}, "5301010010001"}, p);
    ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa) << r.mensaje.toStdString();
    QStringList cuentas;
    for (const LineaAjuste& l : r.lineas) cuentas << l.cuenta;
    EXPECT_EQ(cuentas, (QStringList{"1101010010001", "1101020010001", "3101010010001", "5101010010001", "5301010010001"}));
    // Series 2 (Consumidor) from March 2026 (128.4) to December (150.7).
    EXPECT_EQ(r.lineas[0].debe, Reexpresar(M("1000"), 150.7 / 128.4) - M("1000"));
    EXPECT_EQ(r.lineas.back().descripcion, "R.E.I.");
    EXPECT_TRUE(r.totales.iguales());
    // The adjustment's voucher type numbers its own vouchers.
    const qint32 nro = GrabarAjuste(ctx, {"31/12/2026", "00AJ", "0001", "00000001", "X", "Ajuste 2026", "12/2026"}, r.lineas);
    EXPECT_EQ(nro, 1);
    EXPECT_EQ(con().Escalar("SELECT X_ULTIMO_NRO FROM TA_COMPROBANTES WHERE CODIGO = '00AJ'").toInt(), 1);
}

TEST_P(AjusteDemo, ElDiarioDeLaDemoSeAjustaYGraba)
{
    // The journal vexa-empresa --demo adds: every entry balances, and the
    // year's adjustment restates its balances and saves.
    EsquemaEmpresa(con()).cargarAsientosDemo();
    Recordset rs = con().ObtenerRecordset(
        "SELECT MES_OPERATIVO, [NUMERO ASIENTO], SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE ELSE 0 END) AS D, "
        "SUM(CASE WHEN [DEBE-HABER] = 'H' THEN IMPORTE ELSE 0 END) AS H FROM MV_ASIENTOS WHERE PERIODO = 2 "
        "GROUP BY MES_OPERATIVO, [NUMERO ASIENTO]");
    int asientos = 0;
    for (; !rs.eof(); rs.siguiente(), ++asientos)
        EXPECT_EQ(rs.moneda("D"), rs.moneda("H")) << rs.entero("MES_OPERATIVO") << "-" << rs.entero("NUMERO ASIENTO");
    EXPECT_GE(asientos, 5);

    ContextoEmpresa ctx(con());
    CargarValoresContables(ctx);
    ProgresoNulo p;
    const ResultadoAjuste r = GenerarAjuste(ctx, PedidoAjuste{{1, 2026}, {12, 2026}, "5301010010001"}, p);
    ASSERT_EQ(r.fin, ResultadoAjuste::Fin::Completa) << r.mensaje.toStdString();
    QStringList cuentas;
    for (const LineaAjuste& l : r.lineas) cuentas << l.cuenta;
    // The asset account and its accumulated depreciation are skipped.
    EXPECT_EQ(cuentas, (QStringList{"1101010010001", "1101020010001", "3101010010001", "5101010010001", "5301010010001"}));
    EXPECT_TRUE(r.totales.iguales());
    EXPECT_GT(r.totales.debe, M("0"));
    const qint32 nro = GrabarAjuste(ctx, {"31/12/2026", "00AJ", "0001", "00000001", "X", "Ajuste 2026", "12/2026"}, r.lineas);
    EXPECT_EQ(nro, 1);
}

} // namespace

VEXA_AMBOS_MOTORES(AsientoAjuste);
VEXA_AMBOS_MOTORES(AjusteDemo);
