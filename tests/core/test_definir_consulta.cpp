// The lookup-list rules by table name, and the list itself: the query it asks
// for, the chosen code, no choice, and names the database lacks.
#include "BaseDePrueba.h"

#include "DefinirConsulta.h"
#include "Dialogos.h"
#include "ListaConsulta.h"
#include "ReglasConsulta.h"

using namespace vexa;
using namespace vexa::plataforma;

namespace {

TEST(ReglasConsulta, ColumnasPorNombreDeTabla)
{
    struct Caso { const char* tabla; const char* descripcion; const char* codigo; const char* extra; };
    const Caso casos[] = {
        {"V_TA_Cpte", "Descripcion", "V_TA_Cpte", ""},
        {"v_ta_cpte", "Descripcion", "v_ta_cpte", ""},
        {"V_TA_RETENCIONES", "DESCRIPCION", "IDRETENCION", ""},
        {"V_TA_Bancos", "DESCRIPCION", "IDBanco", ""},
        {"V_TA_Categoria", "DESCRIPCION", "IDCategoria", ""},
        {"V_TA_CPRA_VTA", "DESCRIPCION", "IDCOND_CPRA_VTA", ""},
        {"v_ta_cpra_vta", "DESCRIPCION", "IDCOND_CPRA_VTA", ""},
        {"V_TA_Deposito", "DESCRIPCION", "IDDeposito", ""},
        {"V_TA_Tecnicos", "NOMBRE", "IDTecnico", ""},
        {"V_TA_TipoArticulo", "DESCRIPCION", "IDTIPO", ""},
        {"V_TA_Cajas", "DESCRIPCION", "IDCajas", ""},
        {"P_TA_CONOCIMIENTOS", "Descripcion", "IDCONOCIMIENTO", ""},
        {"P_TA_TITULOs", "Descripcion", "IDTITULO", ""},
        {"P_TA_Areas", "Descripcion", "IDAreas", ""},
        {"P_MA_Empresas", "NombreEmpresa", "IDEmpresa", ""},
        {"P_SINDICATOS", "Descripcion", "IdSindicato", ""},
        {"P_TA_Funciones", "DESCRIPCION", "IDFunciones", ""},
        {"TA_Rubros", "DESCRIPCION", "IDRubro", ""},
        {"TA_TipoArticulo", "DESCRIPCION", "IDTIPO", ""},
        {"P_MA_Clientes", "RAZON_SOCIAL", "IDCLIENTE", ""},
        {"TA_Cpte", "DESCRIPCION", "CODIGO", "DESCRIPCION"},
        {"V_MA_ARTICULOS", "DESCRIPCION", "IDARTICULO", "DESCRIPCION"},
        {"MA_ARTICULOS", "DESCRIPCION", "IDARTICULO", "DESCRIPCION"},
        {"MA_CHOFERES", "APELLIDO", "CODIGO", "NOMBRES"},
        {"MA_VEHICULOS", "PATENTE", "PATENTE", "MODELO"},
        {"MV_EJERCICIOS", "DESCRIPCION", "PERIODO", "DESCRIPCION"},
        {"TA_USUARIOS", "NOMBRE", "NOMBRE", ""},
        {"ta_monedas", "DESCRIPCION", "CODIGO", "DESCRIPCION"},
        {"TA_CCOSTO", "DESCRIPCION", "CODIGO", "DESCRIPCION"},
        {"ma_proveedores", "Razon_Social", "Codigo", "Razon_Social"},
        {"MA_CLIENTES", "Razon_Social", "Codigo", "Codigo_sucursal"},
        {"ma_cuentas", "Descripcion", "Codigo", "Descripcion"},
        {"[MA_CAMIONES]", "nombre", "Codigo", "nombre"},
        {"MV_PROYECTOS", "ASUNTO", "ID", "ASUNTO"},
        // No rule: the defaults.
        {"MV_ASIENTOS", "Descripcion", "codigo", ""},
        {"OTRA", "Descripcion", "codigo", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tabla);
        const ColumnasConsulta r = ReglasConsulta(QString::fromLatin1(c.tabla));
        EXPECT_EQ(r.descripcion, QString::fromLatin1(c.descripcion));
        EXPECT_EQ(r.codigo, QString::fromLatin1(c.codigo));
        EXPECT_EQ(r.extra, QString::fromLatin1(c.extra));
    }
}

TEST(ReglasConsulta, SinReglaConservaLasColumnasDelLlamador)
{
    const ColumnasConsulta r = ReglasConsulta(QStringLiteral("MV_ASIENTOS"), {"DETALLE", "NRO_ASIENTO", "FECHA"});
    EXPECT_EQ(r.descripcion, QStringLiteral("DETALLE"));
    EXPECT_EQ(r.codigo, QStringLiteral("NRO_ASIENTO"));
    EXPECT_EQ(r.extra, QStringLiteral("FECHA"));
    // A rule replaces them.
    EXPECT_EQ(ReglasConsulta(QStringLiteral("TA_USUARIOS"), {"X", "Y", "Z"}).extra, QString());
}

class DefinirConsultaBD : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        instalarListaConsulta(&lista);
        con().EjecutarSQL(QStringLiteral("DELETE FROM TA_CCOSTO"));
        con().EjecutarSQL(QStringLiteral("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('0001', 'Administración')"));
        con().EjecutarSQL(QStringLiteral("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('0002', 'O''Higgins')"));
    }
    void TearDown() override
    {
        instalarListaConsulta(nullptr);
        BaseDePrueba::TearDown();
    }
    ListaConsultaGuion lista;
    GuionDialogos dialogos;
};

TEST_P(DefinirConsultaBD, ListaDeLaTablaYCodigoElegido)
{
    lista.respuestas.enqueue(QStringLiteral("0002"));
    ColumnasConsulta c;
    EXPECT_EQ(DefinirConsulta(con(), QStringLiteral("TA_CCOSTO"), c, true), QStringLiteral("0002"));
    EXPECT_EQ(c.descripcion, QStringLiteral("DESCRIPCION"));
    EXPECT_EQ(c.codigo, QStringLiteral("CODIGO"));
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_EQ(lista.pedidos[0].columnaClave.toUpper(), QStringLiteral("CODIGO"));
    // The query the list runs is valid on this backend and shows description and code.
    auto filas = con().ObtenerRecordset(lista.pedidos[0].sql).todas();
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0].cantidad(), 2);
    EXPECT_TRUE(dialogos.mostrados.isEmpty());

    // Closing the list without a choice gives "", not the previous code.
    EXPECT_EQ(DefinirConsulta(con(), QStringLiteral("ta_ccosto"), c, true), QString());
    // Without Mostrar only the columns are set.
    ColumnasConsulta u;
    EXPECT_EQ(DefinirConsulta(con(), QStringLiteral("TA_USUARIOS"), u, false), QString());
    EXPECT_EQ(u.codigo, QStringLiteral("NOMBRE"));
    EXPECT_EQ(lista.pedidos.size(), 2);
}

TEST_P(DefinirConsultaBD, CondicionConSusParametros)
{
    lista.respuestas.enqueue(QStringLiteral("ADMIN"));
    ColumnasConsulta c;
    EXPECT_EQ(DefinirConsulta(con(), QStringLiteral("TA_USUARIOS"), c, true, QStringLiteral("WHERE SISTEMA = ?"), {"Rz731p"}),
              QStringLiteral("ADMIN"));
    ASSERT_EQ(lista.pedidos.size(), 1);
    // The demo's three users of this program and its built-in supervisor.
    EXPECT_EQ(con().ObtenerRecordset(lista.pedidos[0].sql, {"Rz731p"}).todas().size(), 4u);
}

TEST_P(DefinirConsultaBD, NombreQueLaBaseNoTieneNoConsultaNada)
{
    struct Caso { const char* tabla; const char* nombrado; };
    const Caso casos[] = {
        {"TA_NOEXISTE", "TA_NOEXISTE"},
        {"TA_CONFIGURACION", "DESCRIPCION"}, // the rule's columns are not there
        {"V_TA_Deposito", "V_TA_Deposito"},  // a view of the commercial system this schema lacks
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.tabla);
        dialogos.mostrados.clear();
        lista.respuestas.enqueue(QStringLiteral("X"));
        ColumnasConsulta c;
        EXPECT_EQ(DefinirConsulta(con(), QString::fromLatin1(k.tabla), c, true), QString());
        EXPECT_TRUE(lista.pedidos.isEmpty());
        ASSERT_EQ(dialogos.mostrados.size(), 1);
        EXPECT_TRUE(dialogos.ultimo().contains(QString::fromLatin1(k.nombrado))) << dialogos.ultimo().toStdString();
        lista.respuestas.clear();
    }
}

VEXA_AMBOS_MOTORES(DefinirConsultaBD);

} // namespace
