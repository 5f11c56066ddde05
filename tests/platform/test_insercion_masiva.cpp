#include "BaseDePrueba.h"

#include "Conexion.h"
#include "InsercionMasiva.h"

using namespace vexa;

namespace {

class InsercionMasivaBD : public prueba::BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const bool lite = con().motor() == Motor::SQLite;
        con().EjecutarSQL(QStringLiteral("CREATE TABLE MASIVA (ID INTEGER NOT NULL PRIMARY KEY, CODIGO CLAVE_X, NOMBRE TEXTO_X, "
                                         "IMPORTE MONEDA_X, FECHA DATE, [NUMERO ASIENTO] INTEGER)")
                              .replace("CLAVE_X", lite ? "VARCHAR(10) COLLATE VEXA_CI" : "BPCHAR COLLATE vexa_ci")
                              .replace("TEXTO_X", lite ? "TEXT" : "TEXT")
                              .replace("MONEDA_X", lite ? "MONEDA" : "NUMERIC(19,4)"));
    }
    static QStringList columnas()
    {
        return {QStringLiteral("ID"), QStringLiteral("CODIGO"), QStringLiteral("NOMBRE"), QStringLiteral("IMPORTE"),
                QStringLiteral("FECHA"), QStringLiteral("[NUMERO ASIENTO]")};
    }
};

// Every value comes back as the database layer's own insert would have stored it.
TEST_P(InsercionMasivaBD, ValoresVuelvenComoLosGuardaLaCapa)
{
    struct Caso {
        QString codigo, nombre;
        Moneda importe;
        QDate fecha;
        QString codigoLeido; // keys lose their trailing blanks on SQLite, PostgreSQL ignores them
    };
    const std::vector<Caso> casos = {
        {"O'Ñandú  ", "tab\there, line\nbreak, cr\rback\\slash", Moneda::parsear("-12.34").value(), QDate(2024, 2, 29), "O'Ñandú"},
        {"A", QString::fromUtf8("emoji \xF0\x9F\x98\x80 y acentos áéí"), Moneda::parsear("0.0001").value(), QDate(1, 1, 1), "A"},
        {"", "", Moneda(), QDate(), ""},
        {"\\N", "\\N", Moneda::parsear("922337203685.4775").value(), QDate(9999, 12, 31), "\\N"},
    };
    {
        Transaccion t(con());
        InsercionMasiva ins(con(), QStringLiteral("MASIVA"), columnas());
        for (size_t i = 0; i < casos.size(); ++i) {
            const Caso& c = casos[i];
            ins.entero(qint64(i) + 1).texto(c.codigo).texto(c.nombre).moneda(c.importe).fecha(c.fecha);
            if (i == 2) ins.nulo();
            else ins.entero(qint64(i) * 700000000LL - 1);
            ins.finFila();
        }
        EXPECT_EQ(ins.escribir(), qint64(casos.size()));
        t.confirmar();
    }
    for (size_t i = 0; i < casos.size(); ++i) {
        SCOPED_TRACE(i);
        const auto f = con().PrimeraFila("SELECT CODIGO, NOMBRE, IMPORTE, FECHA, [NUMERO ASIENTO] FROM MASIVA WHERE ID = ?", {qint64(i) + 1});
        ASSERT_TRUE(f);
        EXPECT_EQ(f->texto("CODIGO").trimmed(), casos[i].codigoLeido.trimmed());
        EXPECT_EQ(f->texto("NOMBRE"), casos[i].nombre);
        EXPECT_EQ(f->moneda("IMPORTE"), casos[i].importe);
        EXPECT_EQ(f->fecha("FECHA"), casos[i].fecha);
        EXPECT_EQ(f->esNulo("FECHA"), !casos[i].fecha.isValid());
        EXPECT_EQ(f->esNulo("NUMERO ASIENTO"), i == 2);
        if (i != 2) EXPECT_EQ(f->entero("NUMERO ASIENTO"), qint64(i) * 700000000LL - 1);
    }
    // SQLite: the key was stored without its blanks, so it is found as the layer finds keys.
    EXPECT_TRUE(con().ExisteRegistro("MASIVA", QStringLiteral("o'ñandú"), "CODIGO"));
}

// Many rows: the full statements, the rest one by one, and rows sent while more are added.
TEST_P(InsercionMasivaBD, MuchasFilasEnTandas)
{
    for (const int filas : {1, 63, 64, 65, 130, 8192 + 70}) {
        SCOPED_TRACE(filas);
        con().EjecutarSQL("DELETE FROM MASIVA");
        Transaccion t(con());
        InsercionMasiva ins(con(), QStringLiteral("MASIVA"), columnas());
        for (int i = 1; i <= filas; ++i) {
            ins.entero(i).texto(QString::number(i % 97)).texto(QStringLiteral("fila")).moneda(Moneda::entero(i)).fecha(QDate(2024, 1, 1 + i % 28)).entero(i);
            ins.finFila();
        }
        EXPECT_EQ(ins.escribir(), filas);
        t.confirmar();
        EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MASIVA").toInt(), filas);
        EXPECT_EQ(con().Escalar("SELECT SUM([NUMERO ASIENTO]) FROM MASIVA").toLongLong(), qint64(filas) * (filas + 1) / 2);
        EXPECT_EQ(con().Escalar("SELECT MAX(ID) FROM MASIVA").toInt(), filas);
    }
}

// The connection keeps the inserts' statements: a second insert into the same
// columns uses them, and a connection opened again prepares them afresh.
TEST_P(InsercionMasivaBD, SentenciasGuardadasYConexionReabierta)
{
    auto insertar = [this](int desde, int filas) {
        Transaccion t(con());
        InsercionMasiva ins(con(), QStringLiteral("MASIVA"), columnas());
        for (int i = desde; i < desde + filas; ++i) {
            ins.entero(i).texto(QString()).texto(QStringLiteral("fila %1").arg(i)).moneda(Moneda::entero(i)).nulo().entero(i);
            ins.finFila();
        }
        ins.escribir();
        t.confirmar();
    };
    insertar(1, 65);
    insertar(101, 65);
    con().Cerrar();
    ASSERT_TRUE(con().Abrir(datos())) << con().ultimoError().toStdString();
    insertar(201, 65);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MASIVA").toInt(), 195);
    EXPECT_EQ(con().Escalar("SELECT NOMBRE FROM MASIVA WHERE ID = 265").toString(), "fila 265");
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MASIVA WHERE CODIGO = ''").toInt(), 195);
}

// A failed insert fails as any statement: the error is the database's, the
// transaction is marked failed and nothing of it stays.
TEST_P(InsercionMasivaBD, FalloComoCualquierSentencia)
{
    con().EjecutarSQL("INSERT INTO MASIVA (ID, CODIGO) VALUES (?, ?)", {5, "X"});
    try {
        Transaccion t(con());
        InsercionMasiva ins(con(), QStringLiteral("MASIVA"), columnas());
        for (int i = 1; i <= 100; ++i) {
            ins.entero(i).texto(QStringLiteral("C")).texto(QStringLiteral("n")).moneda(Moneda()).nulo().nulo();
            ins.finFila();
        }
        ins.escribir();
        FAIL() << "debió fallar por la clave repetida";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.esClaveDuplicada()) << e.descripcion().toStdString();
    }
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MASIVA").toInt(), 1);

    // A text with a NUL is refused before anything is sent; a row must be whole.
    Transaccion t(con());
    InsercionMasiva ins(con(), QStringLiteral("MASIVA"), columnas());
    ins.entero(10);
    EXPECT_THROW(ins.texto(QStringLiteral("a") + QChar(0)), ErrorBD);
    InsercionMasiva corta(con(), QStringLiteral("MASIVA"), columnas());
    corta.entero(11).texto(QStringLiteral("b"));
    EXPECT_THROW(corta.finFila(), ErrorVexa);
}

VEXA_AMBOS_MOTORES(InsercionMasivaBD);

} // namespace
