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

// A later step declares "NAME MONEDA": on SQLite the column refuses what is not
// an integer of ten-thousandths, like those step 012 checked; PostgreSQL's type
// needs nothing. "CAST(x AS MONEDA)" declares no column.
TEST_P(TextosDePasosNuevos, ImportesDePasosNuevosSoloEnteros)
{
    const QString cast = QStringLiteral("SELECT CAST(1 AS MONEDA)");
    EXPECT_EQ(sustituirImportesEnteros(cast, motor()), cast);
    const QString sql = sustituirImportesEnteros(
        QStringLiteral("CREATE TABLE TA_PRUEBA_IMPORTES (ID ENTERO NOT NULL PRIMARY KEY, COSTO MONEDA DEFAULT 0, [VALOR NETO] MONEDA)"),
        motor());
    if (motor() == Motor::SQLite) {
        EXPECT_TRUE(sql.contains("CONSTRAINT \"importe entero VALOR NETO\"")) << sql.toStdString();
        con().EjecutarSQL(QString(sql).replace("ENTERO", "INTEGER"));
    } else {
        EXPECT_FALSE(sql.contains("CONSTRAINT")) << sql.toStdString();
        con().EjecutarSQL(QString(sql).replace("ENTERO", "INTEGER").replace("MONEDA", "NUMERIC(19,4)"));
    }
    con().EjecutarSQL("INSERT INTO TA_PRUEBA_IMPORTES (ID, COSTO, [VALOR NETO]) VALUES (?, ?, ?)",
                      {1, QVariant::fromValue(Moneda::entero(12)), QVariant::fromValue(Moneda::entero(3))});
    EXPECT_EQ(con().PrimeraFila("SELECT COSTO FROM TA_PRUEBA_IMPORTES WHERE ID = 1")->moneda("COSTO"), Moneda::entero(12));
    for (const char* columna : {"COSTO", "[VALOR NETO]"}) {
        const QString malo = QStringLiteral("UPDATE TA_PRUEBA_IMPORTES SET %1 = 12.5").arg(columna);
        if (motor() == Motor::SQLite) EXPECT_THROW(con().EjecutarSQL(malo), ErrorBD) << columna;
        else EXPECT_NO_THROW(con().EjecutarSQL(malo)) << columna; // 12.5000, exact
    }
}

VEXA_AMBOS_MOTORES(TextosDePasosNuevos);

} // namespace
