// The asset tables as step 010 types them: a company of the previous version
// keeps its assets, with codes, closing dates and CA_VC converted; the demo
// company's register passes the year-end pre-checks.
#include "Esquema.h"
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "Progreso.h"
#include "ValidacionesCierre.h"

#include <QFile>

using namespace vexa;

namespace {
class EsquemaBienes : public vexa::prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};
} // namespace

TEST_P(EsquemaBienes, EmpresaVersion6ConservaSusBienes)
{
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 6, false, &d, &error)) << error.toStdString();
    ASSERT_EQ(EsquemaEmpresa(vieja).versionEsquema(), 6);
    // Rows as step 004 kept them: text codes (with blanks), a closing date as text.
    vieja.Insertar("MA_BIENES", {{"CODIGO", " 7"}, {"Serie", "AB1"}, {"Cuenta_Contable", "1201010010001"}, {"Fecha_Compra", QDate(2024, 5, 2)},
                                 {"COSTO", QVariant::fromValue(Moneda::entero(1200))}, {"Vida_Util", 5}, {"Porcentaje", "20.00"}, {"Periodo", 1},
                                 {"Valor_Recupero", QVariant::fromValue(*Moneda::parsear("10.5"))}, {"MOTIVO", "sin baja"}});
    vieja.Insertar("MA_BIENES_NOVEDADES", {{"CODIGO", "7"}, {"ID", 1}, {"Fecha", QDate(2024, 8, 1)}, {"COSTO", QVariant::fromValue(Moneda::entero(300))},
                                           {"Porcentaje", 12.5}, {"Periodo", 1}});
    vieja.Insertar("MV_CALCULO_BIENES", {{"CODIGO", "7"}, {"ID", 0}, {"Periodo", 1}, {"FECHA_CIERRE", "31/12/2024"},
                                         {"CA_VC", QVariant::fromValue(*Moneda::parsear("1234.5"))}, {"COSTO", QVariant::fromValue(Moneda::entero(1200))},
                                         {"DEP_EJERCICIO", QVariant::fromValue(Moneda::entero(160))}});
    vieja.Insertar("MV_CALCULO_BIENES", {{"CODIGO", "7"}, {"ID", 1}, {"Periodo", 1}, {"FECHA_CIERRE", "sin fecha"}});

    const QString copia = EsquemaEmpresa(vieja).actualizarEsquema();
    EXPECT_EQ(EsquemaEmpresa(vieja).comprobarEsquema(), EstadoEsquema::Actual);
    auto b = vieja.PrimeraFila("SELECT * FROM MA_BIENES WHERE CODIGO = ?", {7});
    ASSERT_TRUE(b);
    EXPECT_EQ(b->entero("CODIGO"), 7);
    EXPECT_EQ(b->valor("CODIGO").typeId() == QMetaType::QString, false);
    EXPECT_EQ(b->texto("SERIE").trimmed(), "AB1");
    EXPECT_EQ(b->fecha("FECHA_COMPRA"), QDate(2024, 5, 2));
    EXPECT_EQ(b->moneda("COSTO"), Moneda::entero(1200));
    EXPECT_EQ(b->moneda("VALOR_RECUPERO"), *Moneda::parsear("10.5"));
    EXPECT_EQ(b->doble("VIDA_UTIL"), 5.0);
    EXPECT_EQ(b->texto("PORCENTAJE").trimmed(), "20.00");
    EXPECT_EQ(b->texto("MOTIVO"), "sin baja");
    auto n = vieja.PrimeraFila("SELECT * FROM MA_BIENES_NOVEDADES WHERE CODIGO = ? AND ID = ?", {7, 1});
    ASSERT_TRUE(n);
    EXPECT_EQ(n->fecha("FECHA"), QDate(2024, 8, 1));
    EXPECT_EQ(n->moneda("COSTO"), Moneda::entero(300));
    EXPECT_EQ(n->doble("PORCENTAJE"), 12.5);
    auto c = vieja.PrimeraFila("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = ? AND ID = 0 AND PERIODO = 1", {7});
    ASSERT_TRUE(c);
    EXPECT_EQ(c->fecha("FECHA_CIERRE"), QDate(2024, 12, 31)); // read day first
    EXPECT_DOUBLE_EQ(c->doble("CA_VC"), 1234.5);
    EXPECT_EQ(c->moneda("DEP_EJERCICIO"), Moneda::entero(160));
    EXPECT_TRUE(vieja.PrimeraFila("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = ? AND ID = 1", {7})->esNulo("FECHA_CIERRE"));

    // Typed from now on: whole-number keys, a repeated identification allowed,
    // the text widths checked.
    EXPECT_THROW(vieja.Insertar("MA_BIENES", {{"CODIGO", 7}}), ErrorBD);
    EXPECT_NO_THROW(vieja.Insertar("MA_BIENES", {{"CODIGO", 8}, {"SERIE", "AB1"}}));
    EXPECT_THROW(vieja.Insertar("MA_BIENES", {{"CODIGO", 9}, {"CUENTA_CONTABLE", "1234567890123456"}}), ErrorBD);
    EXPECT_NO_THROW(vieja.Insertar("MA_BIENES", {{"CODIGO", 10}, {"PORCENTAJE", "1000000000000.00"}}));
    EXPECT_EQ(vieja.Escalar("SELECT COUNT(*) FROM MA_BIENES WHERE CUENTA_CONTABLE = ? AND FECHA_BAJA IS NULL", {"1201010010001 "}).toInt(), 1);
    // Other CODIGO columns are still text keys without trailing blanks.
    vieja.Insertar("MA_CUENTAS", {{"CODIGO", "1201 "}, {"DESCRIPCION", "con blanco"}});
    EXPECT_EQ(vieja.BuscaValor("MA_CUENTAS", "1201", "DESCRIPCION", "CODIGO").toString(), "con blanco");
    EXPECT_THROW(vieja.Insertar("MA_CUENTAS", {{"CODIGO", "1201"}}), ErrorBD);
    vieja.Cerrar();
    if (!copia.isEmpty()) QFile::remove(copia);
    eliminarEmpresa(d, &error);
}

TEST_P(EsquemaBienes, DemoConRegistroCompletoPasaElCierre)
{
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MA_BIENES").toInt(), 7);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MA_BIENES WHERE FECHA_BAJA IS NOT NULL").toInt(), 1);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MA_BIENES_NOVEDADES").toInt(), 1);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MA_CUENTAS WHERE BIENES = 1 AND CODIGO_DEPREC_EJERCICIO IS NOT NULL "
                            "AND CODIGO_DEPREC_ACUMULADA IS NOT NULL").toInt(), 2);
    // Every depreciable asset and improvement has its row of year 1 with its
    // closing date; one asset also has its row of the active year.
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MV_CALCULO_BIENES WHERE PERIODO = 1 AND FECHA_CIERRE = ?", {QDate(2025, 12, 31)}).toInt(), 8);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MV_CALCULO_BIENES WHERE PERIODO <> 1").toInt(), 1);
    // One posted asset, one row under a control number.
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MA_BIENES WHERE NRO_ASIENTO > 0").toInt(), 1);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MV_CALCULO_BIENES WHERE IDCONTROL > 0").toInt(), 1);
    EXPECT_DOUBLE_EQ(con().PrimeraFila("SELECT CA_VC FROM MV_CALCULO_BIENES WHERE CODIGO = 1 AND ID = 0")->doble("CA_VC"), 1200000.0);
    ContextoEmpresa ctx(con());
    ProgresoNulo progreso;
    EXPECT_EQ(cierre::ValidacionesCierre(ctx, 2, progreso), QString());
}

VEXA_AMBOS_MOTORES(EsquemaBienes);
