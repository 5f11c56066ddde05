#include "BaseDePrueba.h"

#include "Conexion.h"

#include <QThread>

using namespace vexa;

namespace {

class ConexionBD : public prueba::BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        con().EjecutarSQL(QStringLiteral("CREATE TABLE PRUEBA (ID ENTERO_X, CODIGO TEXTO, NOMBRE TEXTO, IMPORTE MONEDA_X, FECHA DATE, [NUMERO ASIENTO] INTEGER)")
                              .replace("ENTERO_X", "INTEGER")
                              .replace("TEXTO", con().motor() == Motor::SQLite ? "TEXT COLLATE VEXA_CI" : "BPCHAR COLLATE vexa_ci")
                              .replace("MONEDA_X", con().motor() == Motor::SQLite ? "MONEDA" : "NUMERIC(19,4)"));
        con().EjecutarSQL("CREATE INDEX IX_PRUEBA_CODIGO ON PRUEBA (CODIGO)");
    }
};

TEST_P(ConexionBD, TextoConApostrofeEnieYBlancosIdaYVuelta)
{
    const QString valor = QStringLiteral("O'Ñandú  ");
    con().Insertar("PRUEBA", {{"ID", 1}, {"CODIGO", valor}, {"NOMBRE", "x"}});
    EXPECT_EQ(con().BuscaValor("PRUEBA", 1, "CODIGO", "ID").toString(), valor);
    // Found without regard to case and trailing blanks.
    EXPECT_TRUE(con().ExisteRegistro("PRUEBA", QStringLiteral("o'ñANDÚ"), "CODIGO"));
    EXPECT_TRUE(con().ExisteRegistro("PRUEBA", QStringLiteral("O'Ñandú"), "CODIGO"));
    EXPECT_TRUE(con().ExisteRegistro("PRUEBA", QStringLiteral("o'ñandú     "), "CODIGO"));
    EXPECT_FALSE(con().ExisteRegistro("PRUEBA", QStringLiteral(" O'Ñandú"), "CODIGO")); // leading blanks count
    EXPECT_FALSE(con().ExisteRegistro("PRUEBA", QStringLiteral("O'Nandu"), "CODIGO"));
    EXPECT_TRUE(con().ExisteRegistro("PRUEBA", QStringLiteral("o'ñandú"), "CODIGO", "ID = ?", {1}));
    EXPECT_FALSE(con().ExisteRegistro("PRUEBA", QStringLiteral("o'ñandú"), "CODIGO", "ID = ?", {2}));
    // LIKE on a key column works on both backends.
    auto n = con().Escalar("SELECT COUNT(*) FROM PRUEBA WHERE " + con().comoTexto("CODIGO") + " " + con().likeOperador() + " ?", {"o'%"});
    EXPECT_EQ(n.toInt(), 1);
}

TEST_P(ConexionBD, ClaveEnOtraCajaEncuentraSuFila)
{
    con().Insertar("TA_CONFIGURACION", {{"CLAVE", "NOMBRE"}, {"VALOR", "Empresa"}});
    EXPECT_EQ(con().BuscaValor("TA_CONFIGURACION", "Nombre", "VALOR", "CLAVE").toString(), "Empresa");
    EXPECT_EQ(con().BuscaValor("TA_CONFIGURACION", "nombre  ", "VALOR", "CLAVE").toString(), "Empresa");
    EXPECT_TRUE(con().BuscaValor("TA_CONFIGURACION", "OTRA", "VALOR", "CLAVE").isNull());
    // The key is unique without regard to case: a second spelling is the same row.
    EXPECT_THROW(con().Insertar("TA_CONFIGURACION", {{"CLAVE", "nombre "}, {"VALOR", "x"}}), ErrorBD);
    auto f = con().PrimeraFila("SELECT clave, Valor FROM TA_CONFIGURACION WHERE CLAVE = ?", {"NOMBRE"});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->texto("VALOR"), "Empresa"); // fields by name in any case
    EXPECT_EQ(f->texto("valor"), "Empresa");
    EXPECT_THROW(f->valor("NO_EXISTE"), ErrorBD);
}

TEST_P(ConexionBD, TransaccionQueFallaNoDejaNada)
{
    try {
        Transaccion t(con());
        con().Insertar("PRUEBA", {{"ID", 1}, {"CODIGO", "A"}});
        con().EjecutarSQL("INSERT INTO NO_EXISTE VALUES (1)");
        t.confirmar();
        FAIL() << "debió fallar";
    } catch (const ErrorBD& e) {
        EXPECT_NE(e.numero(), 0);
        EXPECT_FALSE(e.descripcion().isEmpty());
    }
    EXPECT_FALSE(con().enTransaccion());
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 0);
    {
        Transaccion t(con());
        con().Insertar("PRUEBA", {{"ID", 2}, {"CODIGO", "B"}});
        t.confirmar();
    }
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 1);
}

TEST_P(ConexionBD, ImportesExactosConSumas)
{
    const char* importes[] = {"0.1", "0.2", "1234567.8901", "-0.0001", "99999999999.9999"};
    Moneda total;
    int id = 0;
    for (const char* i : importes) {
        Moneda m = *Moneda::parsear(i);
        total += m;
        con().Insertar("PRUEBA", {{"ID", ++id}, {"IMPORTE", QVariant::fromValue(m)}});
    }
    Recordset rs = con().ObtenerRecordset("SELECT IMPORTE FROM PRUEBA ORDER BY ID");
    for (const char* i : importes) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.moneda("IMPORTE"), *Moneda::parsear(i)) << i;
        EXPECT_EQ(Moneda::parsear(rs.texto("IMPORTE")), Moneda::parsear(i)) << i;
        rs.siguiente();
    }
    EXPECT_TRUE(rs.eof());
    auto f = con().PrimeraFila("SELECT SUM(IMPORTE) AS T FROM PRUEBA");
    EXPECT_EQ(f->moneda("T"), total);
    EXPECT_EQ(f->moneda("T").texto(), "100001234568.1899");
    // Amounts compare through bound parameters.
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA WHERE IMPORTE > ?", {QVariant::fromValue(Moneda::entero(1))}).toInt(), 2);
}

TEST_P(ConexionBD, FechasNombresConBlancoYMaximo)
{
    con().Insertar("PRUEBA", {{"ID", 1}, {"FECHA", QDate(2026, 2, 28)}, {"[NUMERO ASIENTO]", 41}});
    con().Insertar("PRUEBA", {{"ID", 2}, {"FECHA", QDate(2026, 3, 1)}, {"[NUMERO ASIENTO]", 7}});
    EXPECT_EQ(con().ObtieneMaximo("PRUEBA", "[NUMERO ASIENTO]").toInt(), 41);
    EXPECT_EQ(con().ObtieneMaximo("PRUEBA", "[NUMERO ASIENTO]", "FECHA >= ?", {QDate(2026, 3, 1)}).toInt(), 7);
    EXPECT_TRUE(con().ObtieneMaximo("PRUEBA", "[NUMERO ASIENTO]", "ID > ?", {5}).isNull());
    auto f = con().PrimeraFila("SELECT FECHA, [NUMERO ASIENTO] FROM PRUEBA WHERE FECHA BETWEEN ? AND ?",
                               {QDate(2026, 2, 1), QDate(2026, 2, 28)});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fecha("FECHA"), QDate(2026, 2, 28));
    EXPECT_EQ(f->entero("NUMERO ASIENTO"), 41);
    EXPECT_EQ(con().Actualizar("PRUEBA", {{"CODIGO", "Z"}}, "ID = ?", {2}), 1);
    EXPECT_EQ(con().Eliminar("PRUEBA", "CODIGO = ?", {"z"}), 1);
    Recordset vacio = con().ObtenerRecordset("SELECT * FROM PRUEBA WHERE ID = ?", {99});
    EXPECT_TRUE(vacio.eof());
    EXPECT_TRUE(vacio.vacio());
    EXPECT_THROW(con().Insertar("PRUEBA; DROP TABLE PRUEBA", {{"ID", 1}}), ErrorBD);
}

TEST_P(ConexionBD, ErrorLlevaNumeroYDescripcion)
{
    try {
        con().ObtenerRecordset("SELECT NADA FROM NO_EXISTE");
        FAIL();
    } catch (const ErrorBD& e) {
        EXPECT_NE(e.numero(), 0);
        EXPECT_TRUE(e.descripcion().contains("NO_EXISTE", Qt::CaseInsensitive)) << e.descripcion().toStdString();
    }
    con().Insertar("TA_CONFIGURACION", {{"CLAVE", "K"}, {"VALOR", "1"}});
    try {
        con().Insertar("TA_CONFIGURACION", {{"CLAVE", "K"}, {"VALOR", "2"}});
        FAIL();
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.esClaveDuplicada()) << e.descripcion().toStdString();
    }
}

TEST_P(ConexionBD, DosConexionesVenLoConfirmado)
{
    auto otra = otraConexion();
    {
        Transaccion t(con());
        con().Insertar("PRUEBA", {{"ID", 1}});
        t.confirmar();
    }
    EXPECT_EQ(otra->Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 1);
}

// Values kept per transaction level: a released savepoint hands them to its
// parent, a rolled-back one drops its own, the end of the transaction clears all.
TEST_P(ConexionBD, DatosDeLaTransaccionSiguenASusNiveles)
{
    con().fijarDatoTransaccion("k", 1); // outside a transaction: nothing kept
    EXPECT_FALSE(con().datoTransaccion("k").isValid());
    {
        Transaccion t(con());
        con().fijarDatoTransaccion("k", 1);
        {
            Transaccion punto(con());
            con().fijarDatoTransaccion("k", 2);
            EXPECT_EQ(con().datoTransaccion("k").toInt(), 2);
        } // rolled back
        EXPECT_EQ(con().datoTransaccion("k").toInt(), 1);
        {
            Transaccion punto(con());
            con().fijarDatoTransaccion("k", 3);
            con().Insertar("PRUEBA", {{"ID", 1}});
            punto.confirmar();
        }
        EXPECT_EQ(con().datoTransaccion("k").toInt(), 3);
        con().fijarDatoTransaccion("otro|x", 9);
        con().olvidarDatosTransaccion("otro|");
        EXPECT_FALSE(con().datoTransaccion("otro|x").isValid());
        con().bloquearFamilia("FAMILIA A");
        con().bloquearFamilia("familia a "); // same family: taken once
        t.confirmar();
    }
    EXPECT_FALSE(con().datoTransaccion("k").isValid());
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 1);
}

// A recordset being read keeps all its rows while other statements run on the
// same connection (a loop that looks things up for each row).
TEST_P(ConexionBD, RecordsetAbiertoSobreviveAOtrasSentencias)
{
    {
        Transaccion t(con());
        for (int i = 1; i <= 50; ++i) con().Insertar("PRUEBA", {{"ID", i}, {"CODIGO", QString::number(i)}});
        t.confirmar();
    }
    int leidas = 0;
    for (Recordset rs = con().ObtenerRecordset("SELECT ID FROM PRUEBA WHERE ID > ? ORDER BY ID", {0}); !rs.eof(); rs.siguiente()) {
        ++leidas;
        EXPECT_EQ(rs.entero("ID"), leidas);
        EXPECT_TRUE(con().ExisteRegistro("PRUEBA", QString::number(leidas), "CODIGO"));
        con().EjecutarSQL("UPDATE PRUEBA SET NOMBRE = ? WHERE ID = ?", {"visto", leidas});
    }
    EXPECT_EQ(leidas, 50);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA WHERE NOMBRE = ?", {"VISTO"}).toInt(), 50);
}

VEXA_AMBOS_MOTORES(ConexionBD);

TEST(Conexion, ArchivoInexistenteNoSeCrea)
{
    Conexion c;
    c.DbName = "/tmp/no-existe-vexa-xyz.db";
    EXPECT_FALSE(c.Abrir());
    EXPECT_FALSE(c.Conectado());
    EXPECT_FALSE(c.ultimoError().isEmpty());
    EXPECT_EQ(c.Driver(), "QSQLITE");
    c.Server = "127.0.0.1:1";
    EXPECT_EQ(c.Driver(), "QPSQL");
    EXPECT_FALSE(c.Abrir());
}

} // namespace

namespace {

class EmpresaDemo : public vexa::prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};

// The one schema and the demo data apply to both backends with names that hold
// blanks and type words ("[FECHA DESDE]") intact.
TEST_P(EmpresaDemo, EsquemaYDatosDeDemostracion)
{
    auto f = con().PrimeraFila("SELECT DESCRIPCION, [FECHA DESDE], [FECHA HASTA], CERRADO FROM MV_EJERCICIOS WHERE PERIODO = ?", {2});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fecha("FECHA DESDE"), QDate(2026, 1, 1));
    EXPECT_EQ(f->fecha("fecha hasta"), QDate(2026, 12, 31));
    EXPECT_FALSE(f->logico("CERRADO"));
    EXPECT_EQ(con().BuscaValor("TA_CONFIGURACION", "Nombre", "VALOR", "CLAVE").toString(), "Distribuidora del Sur S.A.");
    EXPECT_EQ(con().BuscaValor("TA_CONFIGURACION", "periodo", "VALOR", "CLAVE").toString(), "2");
}

VEXA_AMBOS_MOTORES(EmpresaDemo);

} // namespace
