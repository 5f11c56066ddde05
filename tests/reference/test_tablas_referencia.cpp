// The reference tables' rules: the nine tables and their keys, the stored form
// of a typed key, the stamps, values the columns cannot hold, and a cost
// centre deleted with its account shares in one transaction.
#include "AyudaReferencias.h"
#include "BaseDePrueba.h"

#include "Entorno.h"
#include "TablasReferencia.h"

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::referencias;

namespace {

class TablasRef : public BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        filasDeReferencia(con());
    }
    void TearDown() override
    {
        plataforma::fijarAhora(QDateTime());
        BaseDePrueba::TearDown();
    }
};

TEST_P(TablasRef, LasNueveTablasConSuClave)
{
    struct Caso { const char* titulo; const char* clave; bool entera; bool dias; int filas; };
    const Caso casos[] = {
        {"Condición de IVA (No Modificable)", "CODIGO", false, false, 2},
        {"Centros de Costo", "CODIGO", false, false, 2},
        {"Monedas (Modifique la Descripción)", "CODIGO", false, false, 2},
        {"Provincias", "CODIGO", false, false, 3},
        {"Tipos de Documento", "CODIGO", false, false, 1},
        {"Paises", "CODIGO", false, false, 1},
        {"Condiciones de Compra/Venta", "IDCOND_CPRA_VTA", true, true, 2},
        {"Categorias", "IDCategoria", true, false, 1},
        {"Bancos", "IDBanco", true, false, 1},
    };
    ASSERT_EQ(CatalogoTablas().size(), std::size(casos));
    for (size_t i = 0; i < std::size(casos); ++i) {
        const Caso& c = casos[i];
        const EntradaCatalogo& e = CatalogoTablas()[i];
        SCOPED_TRACE(e.Tabla.toStdString());
        EXPECT_EQ(e.Titulo, QString::fromUtf8(c.titulo));
        EXPECT_EQ(ColumnaClave(e.Tabla), QString::fromLatin1(c.clave));
        EXPECT_EQ(MuestraCantidadDias(e.Tabla), c.dias);
        TablaReferencia t(con(), e.Tabla);
        EXPECT_EQ(t.claveEntera(), c.entera);
        EXPECT_EQ(int(t.Filas().size()), c.filas);
        EXPECT_EQ(int(con().ObtenerRecordset(t.ConsultaPlanilla()).todas().size()), c.filas);
    }
    EXPECT_TRUE(EsSoloLectura(QStringLiteral("ta_condiva")));
    EXPECT_FALSE(AdmiteAltas(QStringLiteral("TA_MONEDAS")));
}

TEST_P(TablasRef, FormaDeLaClaveTecleada)
{
    struct Caso { const char* tabla; const char* tecleada; const char* forma; bool existe; };
    const Caso casos[] = {
        {"Ta_Estados", "3", "0003", true},       // zero-filled to the column's width
        {"Ta_Estados", " 0003 ", "0003", true},
        {"Ta_Ccosto", "2", "0002", true},
        {"Ta_Paises", "12", "0012", false},
        {"Ta_Monedas", "1", "1", true},          // currencies keep "1" to "5"
        {"Ta_Monedas", "01", "01", false},
        {"V_TA_Bancos", "1", "1", true},         // whole-number keys
        {"V_TA_Bancos", " 01", "01", true},
        {"V_TA_Cpra_Vta", "7", "7", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.tabla) + " " + c.tecleada);
        TablaReferencia t(con(), QString::fromLatin1(c.tabla));
        EXPECT_EQ(t.formaClave(QString::fromLatin1(c.tecleada)), QString::fromLatin1(c.forma));
        EXPECT_EQ(t.Buscar(QString::fromLatin1(c.tecleada)).has_value(), c.existe);
    }
    // A NULL reads as an empty text.
    const auto r = TablaReferencia(con(), QStringLiteral("V_TA_Cpra_Vta")).Buscar(QStringLiteral("2"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->cantidadDias, QString());
    EXPECT_EQ(r->descripcion, QStringLiteral("A convenir"));
}

TEST_P(TablasRef, AltaYCambioConSusMarcasDeTiempo)
{
    const QDateTime alta(QDate(2026, 3, 2), QTime(9, 30, 0));
    const QDateTime cambio(QDate(2026, 4, 5), QTime(17, 45, 10));
    TablaReferencia t(con(), QStringLiteral("Ta_Estados"));
    plataforma::fijarAhora(alta);
    t.Agregar({QStringLiteral("7"), QStringLiteral("Neuquén"), QString()});
    auto f = con().PrimeraFila(QStringLiteral("SELECT * FROM TA_ESTADOS WHERE CODIGO = '0007'"));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fechaHora("FECHAHORA_GRABACION"), alta);
    EXPECT_TRUE(f->esNulo("FECHAHORA_MODIFICACION"));
    plataforma::fijarAhora(cambio);
    t.Modificar({QStringLiteral("7"), QStringLiteral("Neuquén Capital"), QString()});
    f = con().PrimeraFila(QStringLiteral("SELECT * FROM TA_ESTADOS WHERE CODIGO = '0007'"));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->texto("DESCRIPCION").trimmed(), QStringLiteral("Neuquén Capital"));
    EXPECT_EQ(f->fechaHora("FECHAHORA_GRABACION"), alta);
    EXPECT_EQ(f->fechaHora("FECHAHORA_MODIFICACION"), cambio);
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_ESTADOS")), 4);

    // Days of a purchase/sale condition: a number, or NULL when left empty.
    TablaReferencia v(con(), QStringLiteral("V_TA_CPRA_VTA"));
    v.Agregar({QStringLiteral("5"), QStringLiteral("Cheque a 45"), QStringLiteral("45")});
    v.Modificar({QStringLiteral("1"), QStringLiteral("Contado"), QString()});
    EXPECT_EQ(con().Escalar(QStringLiteral("SELECT CantidadDias FROM V_TA_CPRA_VTA WHERE IDCOND_CPRA_VTA = 5")).toInt(), 45);
    EXPECT_TRUE(con().Escalar(QStringLiteral("SELECT CantidadDias FROM V_TA_CPRA_VTA WHERE IDCOND_CPRA_VTA = 1")).isNull());
}

TEST_P(TablasRef, ValoresQueNoSePuedenGuardar)
{
    enum Op { Alta, Cambio, Baja };
    struct Caso { const char* tabla; Op op; RegistroTabla r; const char* mensaje; };
    const Caso casos[] = {
        {"V_TA_Cpra_Vta", Alta, {"9", "Plazo", "3.5"}, "Cantidad de Dias"},
        {"V_TA_Cpra_Vta", Alta, {"9", "Plazo", "99999999999"}, "Cantidad de Dias"},
        {"V_TA_Bancos", Alta, {"2x", "Banco", ""}, "Código"},
        {"Ta_Paises", Alta, {"12345", "País", ""}, "hasta 4"},
        {"Ta_Paises", Alta, {"9", "", ""}, "Detalle"},
        {"Ta_Paises", Alta, {"9", QString(51, u'x'), ""}, "hasta 50"},
        {"Ta_Monedas", Alta, {"3", "Euros", ""}, "sólo puede modificar"},
        {"Ta_Condiva", Alta, {"9", "Monotributo", ""}, "sólo se puede consultar"},
        {"Ta_Condiva", Cambio, {"1", "Otro", ""}, "sólo se puede consultar"},
        {"Ta_Condiva", Baja, {"1", "", ""}, "sólo se puede consultar"},
        {"Ta_Paises", Cambio, {"8", "Gone", ""}, "ya no existe"},
    };
    const auto foto = [&] {
        QStringList l;
        for (const char* t : {"TA_CONDIVA", "TA_MONEDAS", "TA_PAISES", "V_TA_BANCOS", "V_TA_CPRA_VTA"})
            for (const Fila& f : con().ObtenerRecordset(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(t))).todas())
                l << f.texto(0) + u'|' + f.texto(1);
        return l;
    };
    const QStringList antes = foto();
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.tabla) + " " + c.mensaje);
        TablaReferencia t(con(), QString::fromLatin1(c.tabla));
        try {
            if (c.op == Alta) t.Agregar(c.r);
            else if (c.op == Cambio) t.Modificar(c.r);
            else t.Eliminar(c.r.clave);
            ADD_FAILURE() << "aceptado";
        } catch (const ErrorVexa& e) {
            EXPECT_TRUE(e.descripcion().contains(QString::fromUtf8(c.mensaje))) << e.descripcion().toStdString();
        }
    }
    EXPECT_EQ(foto(), antes);
}

TEST_P(TablasRef, CentroDeCostoSeVaConSusCuentas)
{
    const QString cuentas = QStringLiteral("SELECT COUNT(*) FROM MA_CUENTASCCOSTO WHERE CCOSTO = ?");
    TablaReferencia t(con(), QStringLiteral("Ta_Ccosto"));
    // A failure half-way keeps both the centre and its shares.
    fallaEn(con(), QStringLiteral("TA_CCOSTO"));
    EXPECT_THROW(t.Eliminar(QStringLiteral("1")), ErrorBD);
    EXPECT_FALSE(con().enTransaccion());
    EXPECT_EQ(contar(con(), cuentas, {"0001"}), 2);
    EXPECT_TRUE(t.Buscar(QStringLiteral("1")).has_value());
    con().EjecutarSQL(QStringLiteral("DROP TRIGGER falla_inyectada") +
                      (motor() == Motor::PostgreSQL ? QStringLiteral(" ON TA_CCOSTO") : QString()));

    EXPECT_EQ(t.Eliminar(QStringLiteral("1")), 1);
    EXPECT_FALSE(t.Buscar(QStringLiteral("1")).has_value());
    EXPECT_EQ(contar(con(), cuentas, {"0001"}), 0);
    EXPECT_EQ(contar(con(), cuentas, {"0002"}), 1);
    // Another table's delete touches nothing else.
    EXPECT_EQ(TablaReferencia(con(), QStringLiteral("Ta_Estados")).Eliminar(QStringLiteral("2")), 1);
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM MA_CUENTASCCOSTO")), 1);
}

TEST_P(TablasRef, TablaOColumnaQueLaBaseNoTiene)
{
    con().EjecutarSQL(QStringLiteral("DROP TABLE V_TA_BANCOS"));
    try {
        TablaReferencia t(con(), QStringLiteral("V_TA_Bancos"));
        ADD_FAILURE() << "abierta";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.esNoEnCatalogo());
        EXPECT_TRUE(e.descripcion().contains(QStringLiteral("V_TA_Bancos")));
    }
    // A view of the commercial system with the key's name but not the description.
    con().EjecutarSQL(QStringLiteral("CREATE VIEW V_TA_BANCOS AS SELECT IDCategoria AS IDBanco FROM V_TA_CATEGORIA"));
    try {
        TablaReferencia t(con(), QStringLiteral("V_TA_Bancos"));
        ADD_FAILURE() << "abierta";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.descripcion().contains(QStringLiteral("DESCRIPCION"))) << e.descripcion().toStdString();
    }
}

VEXA_AMBOS_MOTORES(TablasRef);

} // namespace
