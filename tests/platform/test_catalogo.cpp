// The catalogue lookup: names found without regard to case, with their type and
// width, quoted in the catalogue's spelling; a missing name is refused by name.
#include "BaseDePrueba.h"

#include "Conexion.h"

using namespace vexa;

namespace {

class Catalogo : public prueba::BaseDePrueba {};
using T = ColumnaCatalogo::Tipo;

TEST_P(Catalogo, ColumnasDeLasTablasConSuTipoYAncho)
{
    struct Caso { const char* tabla; const char* columna; T tipo; int ancho; };
    const Caso casos[] = {
        {"ta_ccosto", "codigo", T::Texto, 4},
        {"Ta_Ccosto", "Descripcion", T::Texto, 50},
        {"TA_MONEDAS", "FECHAHORA_GRABACION", T::FechaHora, 0},
        {"MA_CUENTASCCOSTO", "CODIGO", T::Texto, 15},
        {"ma_cuentasccosto", "porcentaje", T::Doble, 0},
        {"MV_ASIENTOSCCOSTO", "IMPORTE", T::Moneda, 0},
        {"MA_INDAJUSTE", "Anio", T::Entero, 0},
        {"TA_CONFIGURACION", "CLAVE", T::Texto, 100},
        {"MV_EJERCICIOS", "PERIODO", T::Entero, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.tabla) + "." + c.columna);
        const ColumnaCatalogo col = con().CatalogoColumna(QString::fromLatin1(c.tabla), QString::fromLatin1(c.columna));
        EXPECT_EQ(col.tipo, c.tipo);
        EXPECT_EQ(col.ancho, c.ancho);
        // The catalogue's spelling: PostgreSQL keeps unquoted names in lower case.
        const QString esperado = motor() == Motor::PostgreSQL ? QString::fromLatin1(c.columna).toLower()
                                                              : QString::fromLatin1(c.columna).toUpper();
        EXPECT_EQ(col.nombre.toUpper(), esperado.toUpper());
        if (motor() == Motor::PostgreSQL) {
            EXPECT_EQ(col.nombre, esperado);
        }
    }
    const TablaCatalogo t = con().Catalogo(QStringLiteral("ta_paises"));
    EXPECT_FALSE(t.esVista);
    ASSERT_EQ(t.columnas.size(), 4u);
    EXPECT_EQ(t.columnas[0].nombre.toUpper(), QStringLiteral("CODIGO"));
    EXPECT_EQ(t.columnas[3].nombre.toUpper(), QStringLiteral("FECHAHORA_MODIFICACION"));
    EXPECT_EQ(t.citado(), motor() == Motor::PostgreSQL ? QStringLiteral("\"ta_paises\"") : QStringLiteral("\"TA_PAISES\""));
}

TEST_P(Catalogo, NombresCitadosSirvenEnUnaSentencia)
{
    con().EjecutarSQL(QStringLiteral("INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES (?, ?)"), {"0001", "Córdoba"});
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                            .arg(con().NombreColumna("ta_estados", "descripcion"), con().NombreTabla("Ta_Estados"),
                                 con().NombreColumna("TA_ESTADOS", "Codigo"));
    EXPECT_EQ(con().Escalar(sql, {"0001"}).toString().trimmed(), QStringLiteral("Córdoba"));
}

TEST_P(Catalogo, VistasYNombresCreadosCitados)
{
    con().EjecutarSQL(QStringLiteral("CREATE VIEW V_PRUEBA AS SELECT CODIGO, DESCRIPCION FROM TA_PAISES"));
    // A name created quoted keeps its spelling in the catalogue.
    con().EjecutarSQL(QStringLiteral("CREATE TABLE \"MixTo\" (\"Clave\" INTEGER, otra INTEGER)"));
    const TablaCatalogo v = con().Catalogo(QStringLiteral("v_prueba"));
    EXPECT_TRUE(v.esVista);
    EXPECT_NE(v.columna(QStringLiteral("descripcion")), nullptr);
    const TablaCatalogo m = con().Catalogo(QStringLiteral("MIXTO"));
    EXPECT_EQ(m.nombre, QStringLiteral("MixTo"));
    EXPECT_EQ(con().NombreColumna("mixto", "CLAVE"), QStringLiteral("\"Clave\""));
    con().EjecutarSQL(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(m.citado(), con().NombreColumna("mixto", "clave")), {7});
    EXPECT_EQ(con().Escalar(QStringLiteral("SELECT COUNT(*) FROM \"MixTo\"")).toInt(), 1);
}

TEST_P(Catalogo, NombreInexistenteSeInformaPorSuNombre)
{
    try {
        con().NombreTabla(QStringLiteral("TA_NO_EXISTE"));
        ADD_FAILURE() << "sin error";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.esNoEnCatalogo());
        EXPECT_TRUE(e.descripcion().contains(QStringLiteral("TA_NO_EXISTE"))) << e.descripcion().toStdString();
    }
    try {
        con().NombreColumna(QStringLiteral("TA_PAISES"), QStringLiteral("CantidadDias"));
        ADD_FAILURE() << "sin error";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.esNoEnCatalogo());
        EXPECT_EQ(e.descripcion(), Conexion::MensajeColumnaInexistente("TA_PAISES", "CantidadDias"));
    }
    EXPECT_FALSE(con().ExisteEnCatalogo(QStringLiteral("TA_NO_EXISTE")));
    EXPECT_FALSE(con().ExisteEnCatalogo(QStringLiteral("TA_PAISES"), QStringLiteral("NADA")));
    EXPECT_TRUE(con().ExisteEnCatalogo(QStringLiteral("ta_paises"), QStringLiteral("descripcion")));
    // Names that are not identifiers are only names that do not exist.
    EXPECT_FALSE(con().ExisteEnCatalogo(QStringLiteral("TA_PAISES; DROP TABLE TA_PAISES")));
    EXPECT_TRUE(con().ExisteEnCatalogo(QStringLiteral("TA_PAISES")));
}

TEST_P(Catalogo, UnCambioDeEsquemaSeVeEnLaSiguienteConsulta)
{
    EXPECT_FALSE(con().ExisteEnCatalogo(QStringLiteral("TA_NUEVA")));
    con().EjecutarSQL(QStringLiteral("CREATE TABLE TA_NUEVA (CODIGO INTEGER)"));
    EXPECT_TRUE(con().ExisteEnCatalogo(QStringLiteral("ta_nueva"), QStringLiteral("codigo")));
    EXPECT_FALSE(con().ExisteEnCatalogo(QStringLiteral("ta_nueva"), QStringLiteral("descripcion")));
    con().EjecutarSQL(QStringLiteral("ALTER TABLE TA_NUEVA ADD DESCRIPCION INTEGER"));
    EXPECT_TRUE(con().ExisteEnCatalogo(QStringLiteral("ta_nueva"), QStringLiteral("descripcion")));
    con().EjecutarSQL(QStringLiteral("DROP TABLE TA_NUEVA"));
    EXPECT_FALSE(con().ExisteEnCatalogo(QStringLiteral("ta_nueva")));
}

VEXA_AMBOS_MOTORES(Catalogo);

} // namespace
