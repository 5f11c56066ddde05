#include "BaseDePrueba.h"
#include "Esquema.h"

using namespace vexa;

namespace {

// A later schema step declares "NAME TEXTO(n)": the column compares without
// regard to case and refuses a longer value, on both backends.
class TextosDePasosNuevos : public prueba::BaseDePrueba {};

TEST_P(TextosDePasosNuevos, AnchoYComparacionComoLosDemas)
{
    const QString sql = sustituirTextosConAncho(
        QStringLiteral("CREATE TABLE TA_PRUEBA_ANCHO (CODIGO TEXTO(4) NOT NULL PRIMARY KEY, [FECHA TEXTO] TEXTO(10))"), motor());
    EXPECT_TRUE(sql.contains("CONSTRAINT \"largo FECHA TEXTO 10\"")) << sql.toStdString();
    con().EjecutarSQL(sql);
    con().EjecutarSQL("INSERT INTO TA_PRUEBA_ANCHO (CODIGO, [FECHA TEXTO]) VALUES (?, ?)", {"ab01", "01/02/2026"});
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM TA_PRUEBA_ANCHO WHERE CODIGO = ?", {"AB01"}).toInt(), 1);
    try {
        con().EjecutarSQL("INSERT INTO TA_PRUEBA_ANCHO (CODIGO) VALUES (?)", {"ABCDE"});
        FAIL() << "un código de cinco caracteres no cabe en TEXTO(4)";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.descripcion().contains("CODIGO")) << e.descripcion().toStdString();
    }
}

VEXA_AMBOS_MOTORES(TextosDePasosNuevos);

} // namespace
