// Saving an accepted asset, improvement or retirement: the rows written, the
// opening rows over the fiscal years as the table numbers them, numbers taken
// under the lock, and nothing half-saved.
#include "BaseDePrueba.h"
#include "GrabacionBienes.h"

#include <atomic>
#include <set>
#include <thread>

using namespace vexa;
using namespace vexa::bienes;

namespace {

qint64 cuenta(Conexion& c, const QString& sql, const Params& p = {}) { return c.Escalar(sql, p).toLongLong(); }

std::vector<qint64> enteros(Conexion& c, const QString& sql, const Params& p = {})
{
    std::vector<qint64> r;
    for (Recordset rs = c.ObtenerRecordset(sql, p); !rs.eof(); rs.siguiente()) r.push_back(rs.fila().valor(0).toLongLong());
    return r;
}

// An asset bought in fiscal year 'periodo' with a six-month sheet at 20 % a year.
GrabacionBien altaDePrueba(qint64 periodo, qint64 activo)
{
    GrabacionBien g;
    g.modo = ModoGrabacion::Alta;
    g.periodoActivo = activo;
    g.codigo = 1; // shown on screen; the save takes its own
    g.serie = QStringLiteral("  AB-1 ");
    g.cuentaContable = QStringLiteral(" 1201010010001  ");
    g.cuentaEjercicio = QStringLiteral("5201010010001 ");
    g.cuentaAcumulada = QStringLiteral(" 1201010010002");
    g.fechaCompra = QDate(2020, 3, 1);
    g.costo = *Moneda::parsear("1200");
    g.vidaUtil = 5;
    g.porcentaje = 20;
    g.descripcion = QStringLiteral("Rodado");
    g.periodo = periodo;
    g.valorRecupero = *Moneda::parsear("100");
    g.planilla = {QDate(2024, 12, 31), 6, *Moneda::parsear("1200"), 1.5, *Moneda::parsear("90"), *Moneda::parsear("300")};
    return g;
}

} // namespace

TEST(GrabacionBienes, PorcentajeConDosEnterosYDosDecimales)
{
    struct Caso { double v; const char* texto; };
    for (const Caso& c : {Caso{8.5, "08.50"}, {20, "20.00"}, {100, "100.00"}, {0, "00.00"}, {100.0 / 3, "33.33"}, {0.125, "00.13"}})
        EXPECT_EQ(PorcentajeTexto(c.v), QString::fromLatin1(c.texto)) << c.v;
}

class GrabacionBienesBD : public vexa::prueba::BaseDePrueba {
protected:
    void ejercicios(std::initializer_list<qint64> anios)
    {
        con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
        for (qint64 a : anios)
            con().Insertar("MV_EJERCICIOS", {{"PERIODO", a}, {"DESCRIPCION", QStringLiteral("E%1").arg(a)}});
    }
    qint64 filas(const char* tabla) { return cuenta(con(), QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(tabla)); }
};

// The opening rows follow the fiscal years of the table: zero rows from the
// purchase year up to the one before the last closed, the sheet row for the
// last closed year (the row before the active one).
TEST_P(GrabacionBienesBD, FilasDeAperturaPorEjercicioDeLaTabla)
{
    struct Caso {
        std::initializer_list<qint64> anios;
        qint64 activo, compra;
        bool sinPlanilla;
        std::vector<qint64> ceros;
        qint64 planilla; // 0: no sheet row
    };
    const Caso casos[] = {
        {{1, 2, 3, 4, 5}, 5, 1, false, {1, 2, 3}, 4},
        {{1, 2, 5, 6, 8}, 8, 1, false, {1, 2, 5}, 6},
        {{1, 2, 5, 6, 8}, 8, 5, false, {5}, 6},
        {{1, 2, 3, 4, 5}, 5, 4, false, {}, 4},   // bought in the last closed year
        {{1, 2, 3, 4, 5}, 5, 5, false, {}, 0},   // bought in the active year
        {{1, 2, 3, 4, 5}, 5, 1, true, {}, 0},    // life 0: no sheet
        {{1, 2, 3, 4, 5}, 7, 1, false, {}, 0},   // the active year is not in the table
    };
    for (const Caso& c : casos) {
        con().EjecutarSQL("DELETE FROM MV_CALCULO_BIENES");
        con().EjecutarSQL("DELETE FROM MA_BIENES");
        ejercicios(c.anios);
        GrabacionBien g = altaDePrueba(c.compra, c.activo);
        g.sinPlanilla = c.sinPlanilla;
        const ResultadoGrabacion r = GrabarBien(con(), g);
        SCOPED_TRACE(testing::Message() << "activo " << c.activo << " compra " << c.compra);
        EXPECT_EQ(r.codigo, 1);
        EXPECT_EQ(r.id, 0);
        EXPECT_EQ(filas("MA_BIENES"), 1);
        EXPECT_EQ(enteros(con(), "SELECT PERIODO FROM MV_CALCULO_BIENES WHERE CODIGO = 1 AND ID = 0 AND COEFICIENTE = 0 "
                                 "ORDER BY PERIODO"),
                  c.ceros);
        const auto hoja = enteros(con(), "SELECT PERIODO FROM MV_CALCULO_BIENES WHERE COEFICIENTE <> 0");
        EXPECT_EQ(hoja, c.planilla ? std::vector<qint64>{c.planilla} : std::vector<qint64>{});
        EXPECT_EQ(filas("MV_CALCULO_BIENES"), qint64(c.ceros.size()) + (c.planilla ? 1 : 0));
        EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM MV_CALCULO_BIENES WHERE CUENTA <> '1201010010001'"), 0);
    }
    EXPECT_FALSE(con().enTransaccion());
}

TEST_P(GrabacionBienesBD, ColumnasDelBienDeLaMejoraYDeLaPlanilla)
{
    ejercicios({1, 2, 3});
    con().Insertar("MA_BIENES", {{"CODIGO", 7}});
    GrabacionBien g = altaDePrueba(1, 3);
    g.porcentaje = 8.5;
    const ResultadoGrabacion r = GrabarBien(con(), g);
    EXPECT_EQ(r.codigo, 8); // the highest + 1, not the one shown
    auto b = con().PrimeraFila("SELECT * FROM MA_BIENES WHERE CODIGO = 8");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->texto("PORCENTAJE"), "08.50");
    EXPECT_EQ(b->texto("SERIE"), "AB-1");
    EXPECT_EQ(b->texto("CUENTA_CONTABLE"), "1201010010001");
    EXPECT_EQ(b->texto("CUENTA_EJERCICIO"), "5201010010001");
    EXPECT_EQ(b->texto("CUENTA_ACUMULADA"), "1201010010002");
    EXPECT_EQ(b->fecha("FECHA_COMPRA"), QDate(2020, 3, 1));
    EXPECT_EQ(b->moneda("COSTO").texto(2), "1200.00");
    EXPECT_EQ(b->moneda("VALOR_RECUPERO").texto(2), "100.00");
    EXPECT_EQ(b->entero("PERIODO"), 1);
    EXPECT_TRUE(b->esNulo("FECHA_BAJA"));

    auto hoja = con().PrimeraFila("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = 8 AND PERIODO = 2");
    ASSERT_TRUE(hoja);
    EXPECT_DOUBLE_EQ(hoja->doble("PORCENTAJE_DEP"), 8.5 / 12 * 6); // unrounded
    EXPECT_DOUBLE_EQ(hoja->doble("CA_VC"), 1800);
    EXPECT_DOUBLE_EQ(hoja->doble("COEFICIENTE"), 1.5);
    EXPECT_EQ(hoja->entero("PERIODO_DE_CALCULO"), 6);
    EXPECT_EQ(hoja->fecha("FECHA_CIERRE"), QDate(2024, 12, 31));
    EXPECT_EQ(hoja->moneda("DEP_EJERCICIO").texto(2), "90.00");
    EXPECT_EQ(hoja->moneda("DEP_ACUMULADA").texto(2), "300.00");
    EXPECT_EQ(hoja->moneda("VALOR_RECUPERO").texto(2), "100.00");
    auto cero = con().PrimeraFila("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = 8 AND PERIODO = 1");
    ASSERT_TRUE(cero);
    EXPECT_TRUE(cero->esNulo("FECHA_CIERRE"));
    EXPECT_TRUE(cero->esNulo("VALOR_RECUPERO"));
    EXPECT_EQ(cero->moneda("DEP_ACUMULADA").texto(2), "0.00");

    // Two improvements of asset 8: numbered 1 and 2 whatever was shown, the
    // improvement's own percentage, no recovery value on its sheet row.
    GrabacionBien m = altaDePrueba(1, 3);
    m.modo = ModoGrabacion::Mejora;
    m.codigo = 8;
    m.idMejora = 5;
    m.fechaMejora = QDate(2021, 6, 1);
    m.costoMejora = *Moneda::parsear("250.5");
    m.detalleMejora = QStringLiteral(" Motor nuevo ");
    m.vidaUtilMejora = 4;
    m.porcentajeMejora = 20;
    EXPECT_EQ(GrabarBien(con(), m).id, 1);
    EXPECT_EQ(GrabarBien(con(), m).id, 2);
    auto n = con().PrimeraFila("SELECT * FROM MA_BIENES_NOVEDADES WHERE CODIGO = 8 AND ID = 1");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->texto("DESCRIPCION"), "Motor nuevo");
    EXPECT_EQ(n->moneda("COSTO").texto(2), "250.50");
    EXPECT_DOUBLE_EQ(n->doble("PORCENTAJE"), 20);
    EXPECT_EQ(n->fecha("FECHA"), QDate(2021, 6, 1));
    auto hm = con().PrimeraFila("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = 8 AND ID = 1 AND PERIODO = 2");
    ASSERT_TRUE(hm);
    EXPECT_DOUBLE_EQ(hm->doble("PORCENTAJE_DEP"), 10); // 6 months at 20 %
    EXPECT_TRUE(hm->esNulo("VALOR_RECUPERO"));
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM MV_CALCULO_BIENES WHERE CODIGO = 8 AND ID = 2"), 2);

    // An improvement of an asset that is not stored writes nothing.
    m.codigo = 99;
    EXPECT_THROW(GrabarBien(con(), m), BienInexistente);
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM MA_BIENES_NOVEDADES WHERE CODIGO = 99"), 0);
}

TEST_P(GrabacionBienesBD, BajaDeUnBienGrabadoYDeUnoQueNoExiste)
{
    ejercicios({1, 2});
    con().Insertar("MA_BIENES", {{"CODIGO", 3}});
    GrabacionBien g;
    g.modo = ModoGrabacion::Baja;
    g.periodoActivo = 2;
    g.codigo = 3;
    g.fechaBaja = QDate(2025, 11, 30);
    g.motivo = QStringLiteral("  Vendi") + QChar(u'\0') + QStringLiteral("da \0");
    EXPECT_EQ(GrabarBien(con(), g).codigo, 3);
    auto b = con().PrimeraFila("SELECT FECHA_BAJA, MOTIVO FROM MA_BIENES WHERE CODIGO = 3");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->fecha("FECHA_BAJA"), QDate(2025, 11, 30));
    EXPECT_EQ(b->texto("MOTIVO"), "Vendida");

    g.codigo = 4;
    try {
        GrabarBien(con(), g);
        ADD_FAILURE() << "a missing asset was retired";
    } catch (const BienInexistente& e) {
        EXPECT_EQ(e.descripcion(), QStringLiteral("Código Inexistente"));
    }
    EXPECT_EQ(filas("MA_BIENES"), 1);
    EXPECT_FALSE(con().enTransaccion());
    // Nothing to do: nothing written, no error.
    GrabacionBien nada;
    EXPECT_EQ(GrabarBien(con(), nada).codigo, 0);
}

// A refused last row undoes the asset and its zero rows; once the refusal is
// gone the same save stores everything once.
TEST_P(GrabacionBienesBD, UnaFilaRechazadaNoDejaNadaGrabado)
{
    ejercicios({1, 2, 3, 4, 5});
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER TR_VETO BEFORE INSERT ON MV_CALCULO_BIENES WHEN NEW.PERIODO = 4 "
                          "BEGIN SELECT RAISE(ABORT, 'fila vetada'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION f_veto() RETURNS trigger AS $$ BEGIN IF NEW.periodo = 4 THEN "
                          "RAISE EXCEPTION 'fila vetada'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_veto BEFORE INSERT ON mv_calculo_bienes FOR EACH ROW EXECUTE FUNCTION f_veto()");
    }
    const GrabacionBien g = altaDePrueba(1, 5);
    EXPECT_THROW(GrabarBien(con(), g), ErrorBD);
    EXPECT_FALSE(con().enTransaccion());
    EXPECT_EQ(filas("MA_BIENES"), 0);
    EXPECT_EQ(filas("MV_CALCULO_BIENES"), 0);

    con().EjecutarSQL(motor() == Motor::SQLite ? "DROP TRIGGER TR_VETO" : "DROP TRIGGER tr_veto ON mv_calculo_bienes");
    EXPECT_EQ(GrabarBien(con(), g).codigo, 1);
    EXPECT_EQ(filas("MA_BIENES"), 1);
    EXPECT_EQ(filas("MV_CALCULO_BIENES"), 4);
}

// Two stations saving new assets and improvements of one asset at once get
// distinct numbers, none lost.
TEST_P(GrabacionBienesBD, DosEstacionesNumeranSinRepetir)
{
    ejercicios({1, 2, 3});
    con().Insertar("MA_BIENES", {{"CODIGO", 1}});
    constexpr int kPorEstacion = 10;
    std::atomic<int> fallas{0};
    std::vector<qint64> codigos[2], ids[2];
    auto estacion = [&](int i) {
        auto c = otraConexion();
        c->setTiempoEspera(30);
        for (int k = 0; k < kPorEstacion; ++k) {
            try {
                codigos[i].push_back(GrabarBien(*c, altaDePrueba(1, 3)).codigo);
                GrabacionBien m = altaDePrueba(2, 3);
                m.modo = ModoGrabacion::Mejora;
                m.codigo = 1;
                m.porcentajeMejora = 10;
                ids[i].push_back(GrabarBien(*c, m).id);
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
                ++fallas;
            }
        }
    };
    std::thread a(estacion, 0), b(estacion, 1);
    a.join();
    b.join();
    EXPECT_EQ(fallas.load(), 0);
    std::set<qint64> todosCodigos(codigos[0].begin(), codigos[0].end()), todosIds(ids[0].begin(), ids[0].end());
    todosCodigos.insert(codigos[1].begin(), codigos[1].end());
    todosIds.insert(ids[1].begin(), ids[1].end());
    EXPECT_EQ(todosCodigos.size(), size_t(2 * kPorEstacion));
    EXPECT_EQ(todosIds.size(), size_t(2 * kPorEstacion));
    EXPECT_EQ(filas("MA_BIENES"), 2 * kPorEstacion + 1);
    EXPECT_EQ(*todosCodigos.rbegin(), 2 * kPorEstacion + 1);
    EXPECT_EQ(*todosIds.rbegin(), 2 * kPorEstacion);
    // Each saved asset has its zero row and its sheet row, each improvement its sheet row.
    EXPECT_EQ(filas("MV_CALCULO_BIENES"), 2 * kPorEstacion * 2 + 2 * kPorEstacion);
}

VEXA_AMBOS_MOTORES(GrabacionBienesBD);
