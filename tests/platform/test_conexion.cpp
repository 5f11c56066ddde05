#include "Esquema.h"
#include "BaseDePrueba.h"

#include "Conexion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <functional>

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
}

// A key another row holds is told by its kind, on every way a statement takes
// (bound on the SQLite handle, through the driver with and without parameters,
// a primary key and a unique index), with the program's own first line.
TEST_P(ConexionBD, ClaveDuplicadaSeReconocePorSuTipo)
{
    con().Insertar("TA_CONFIGURACION", {{"CLAVE", "K"}, {"VALOR", "1"}});
    con().Insertar("TA_USUARIOS", {{"NOMBRE", "ANA"}, {"SISTEMA", "RZ731P"}});
    con().EjecutarSQL("CREATE UNIQUE INDEX UX_PRUEBA_ID ON PRUEBA (ID)");
    con().Insertar("PRUEBA", {{"ID", 7}});
    const std::pair<const char*, std::function<void()>> casos[] = {
        {"índice único, con parámetros", [&] { con().Insertar("TA_CONFIGURACION", {{"CLAVE", "k "}, {"VALOR", "2"}}); }},
        {"índice único, sin parámetros", [&] { con().EjecutarSQL("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('K', '3')"); }},
        {"clave primaria", [&] { con().Insertar("TA_USUARIOS", {{"NOMBRE", "ana"}, {"SISTEMA", "RZ731P"}}); }},
        {"por el controlador, con parámetros", [&] { con().Escalar("INSERT INTO PRUEBA (ID) VALUES (?) RETURNING ID", {7}); }},
    };
    for (const auto& [nombre, insertar] : casos) {
        SCOPED_TRACE(nombre);
        try {
            insertar();
            ADD_FAILURE() << "debió rechazar la clave";
        } catch (const ErrorBD& e) {
            EXPECT_TRUE(e.esClaveDuplicada()) << e.estado().toStdString() << " " << e.descripcion().toStdString();
            EXPECT_TRUE(e.descripcion().startsWith("Ya existe un registro con la misma clave")) << e.descripcion().toStdString();
            EXPECT_FALSE(e.descripcion().section('\n', 1).trimmed().isEmpty()); // the engine's own text
        }
    }
    // Another constraint is not a duplicate key.
    try {
        con().Insertar("TA_USUARIOS", {{"NOMBRE", QString(60, 'x')}, {"SISTEMA", "RZ731P"}});
        ADD_FAILURE();
    } catch (const ErrorBD& e) {
        EXPECT_FALSE(e.esClaveDuplicada()) << e.descripcion().toStdString();
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
// The numbers taken stay past a rolled-back savepoint until they are forgotten.
TEST_P(ConexionBD, DatosDeLaTransaccionSiguenASusNiveles)
{
    EstadoTransaccion& estado = con().estadoTransaccion();
    const auto valor = [&] {
        const std::optional<NumeracionPendiente> n = estado.numeracionPendiente("k");
        return n ? std::optional<qint64>(n->valor) : std::nullopt;
    };
    const auto fijar = [&](qint64 v) { estado.fijarNumeracionPendiente("k", {"FC", "1", QString::number(v), "A", v}); };
    fijar(1); // outside a transaction: nothing kept
    estado.fijarNumeroTomado("F", 1);
    EXPECT_FALSE(valor());
    EXPECT_FALSE(estado.numeroTomado("F"));
    {
        Transaccion t(con());
        fijar(1);
        {
            Transaccion punto(con());
            fijar(2);
            estado.fijarNumeroTomado("F", 7);
            EXPECT_EQ(valor(), 2);
        } // rolled back
        EXPECT_EQ(valor(), 1);
        EXPECT_EQ(estado.numeroTomado("F"), 7);
        {
            Transaccion punto(con());
            fijar(3);
            con().Insertar("PRUEBA", {{"ID", 1}});
            punto.confirmar();
        }
        EXPECT_EQ(valor(), 3);
        estado.olvidarNumeros();
        EXPECT_FALSE(estado.numeroTomado("F"));
        con().bloquearFamilia("FAMILIA A");
        con().bloquearFamilia("familia a "); // same family: taken once
        t.confirmar();
    }
    EXPECT_FALSE(valor());
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

// A statement that fails inside a transaction forbids its confirmation: the
// transaction is rolled back and the confirmation throws, on both backends.
TEST_P(ConexionBD, ConfirmarTrasSentenciaFallidaDeshaceYFalla)
{
    Transaccion t(con());
    con().Insertar("PRUEBA", {{"ID", 1}});
    EXPECT_FALSE(con().transaccionFallida());
    EXPECT_THROW(con().EjecutarSQL("INSERT INTO NO_EXISTE VALUES (?)", {1}), ErrorBD);
    EXPECT_TRUE(con().transaccionFallida());
    try {
        t.confirmar();
        FAIL() << "debió fallar";
    } catch (const ErrorBD& e) {
        EXPECT_EQ(e.causa(), ErrorBD::Causa::TransaccionFallida);
        EXPECT_TRUE(e.descripcion().startsWith("No se confirmaron los cambios")) << e.descripcion().toStdString();
    }
    EXPECT_FALSE(con().enTransaccion());
    EXPECT_FALSE(con().transaccionFallida());
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 0);
    // The connection goes on working.
    Transaccion otra(con());
    con().Insertar("PRUEBA", {{"ID", 2}});
    otra.confirmar();
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 1);
}

// The mark belongs to the level where the statement failed: rolling that savepoint
// back clears it; confirming the savepoint instead rolls it back and throws, and
// the enclosing transaction stays usable either way.
TEST_P(ConexionBD, FalloEnPuntoDeGuardadoQuedaEnSuNivel)
{
    Transaccion t(con());
    con().Insertar("PRUEBA", {{"ID", 1}});
    {
        Transaccion punto(con());
        con().Insertar("PRUEBA", {{"ID", 2}});
        EXPECT_THROW(con().EjecutarSQL("UPDATE NO_EXISTE SET X = ?", {1}), ErrorBD);
        EXPECT_TRUE(con().transaccionFallida());
        punto.deshacer();
    }
    EXPECT_FALSE(con().transaccionFallida());
    {
        Transaccion punto(con());
        con().Insertar("PRUEBA", {{"ID", 3}});
        EXPECT_THROW(con().Escalar("SELECT NADA FROM NO_EXISTE"), ErrorBD);
        EXPECT_THROW(punto.confirmar(), ErrorBD);
    }
    EXPECT_TRUE(con().enTransaccion());
    EXPECT_FALSE(con().transaccionFallida());
    con().Insertar("PRUEBA", {{"ID", 4}});
    t.confirmar();
    std::vector<int> ids;
    for (Recordset rs = con().ObtenerRecordset("SELECT ID FROM PRUEBA ORDER BY ID"); !rs.eof(); rs.siguiente())
        ids.push_back(int(rs.entero("ID")));
    EXPECT_EQ(ids, (std::vector<int>{1, 4}));
}

// A statement that failed around this layer (straight on the driver) leaves a
// PostgreSQL transaction aborted: its COMMIT would answer with a rollback.
TEST_P(ConexionBD, CommitRespondidoConRollbackEsError)
{
    Transaccion t(con());
    con().Insertar("PRUEBA", {{"ID", 1}});
    {
        QSqlQuery q(con().bd());
        EXPECT_FALSE(q.exec("SELECT NADA FROM NO_EXISTE"));
    }
    if (motor() == Motor::PostgreSQL) {
        EXPECT_THROW(t.confirmar(), ErrorBD);
        EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 0);
    } else {
        t.confirmar(); // SQLite goes on after a failed statement
        EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 1);
    }
    EXPECT_FALSE(con().enTransaccion());
}

// Whatever type an amount is bound as, the column stores the amount it means, on
// both backends and through every way of writing; what is no amount is refused.
TEST_P(ConexionBD, ImporteLigadoDeCualquierTipoSeGuardaExacto)
{
    struct Caso { QVariant valor; const char* esperado; };
    const Caso casos[] = {
        {QStringLiteral("12.50"), "12.5000"},   {12.5, "12.5000"},          {12, "12.0000"},
        {qlonglong(-3), "-3.0000"},             {QStringLiteral("1.234,56"), "1234.5600"},
        {QVariant::fromValue(Moneda::desdeUnidades(1)), "0.0001"}, {0.1, "0.1000"},
    };
    int id = 0;
    for (const Caso& c : casos) {
        ++id;
        con().Insertar("PRUEBA", {{"ID", id}, {"IMPORTE", c.valor}});
        EXPECT_EQ(con().BuscaValor("PRUEBA", id, "IMPORTE", "ID").toString(), c.esperado) << c.valor.toString().toStdString();
        EXPECT_EQ(con().PrimeraFila("SELECT IMPORTE FROM PRUEBA WHERE ID = ?", {id})->moneda("IMPORTE").texto(), c.esperado);
    }
    // Free SQL: insert by position, update by assignment, compare and BETWEEN.
    con().EjecutarSQL("INSERT INTO PRUEBA (ID, CODIGO, IMPORTE) VALUES (?, 'X', ?)", {100, "7.25"});
    EXPECT_EQ(con().BuscaValor("PRUEBA", 100, "IMPORTE", "ID").toString(), "7.2500");
    con().EjecutarSQL("UPDATE PRUEBA SET IMPORTE = ? WHERE ID = ?", {"8", 100});
    con().Actualizar("PRUEBA", {{"IMPORTE", 9}}, "ID = ?", {1});
    EXPECT_EQ(con().BuscaValor("PRUEBA", 100, "IMPORTE", "ID").toString(), "8.0000");
    EXPECT_EQ(con().BuscaValor("PRUEBA", 1, "IMPORTE", "ID").toString(), "9.0000");
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA WHERE IMPORTE = ?", {"8.00"}).toInt(), 1);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA p WHERE ? < p.IMPORTE", {8}).toInt(), 4);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA WHERE IMPORTE BETWEEN ? AND ?", {8, 12.5}).toInt(), 4);
    // Refused, naming the column; nothing written.
    for (const QVariant& malo : {QVariant(QStringLiteral("abc")), QVariant(QStringLiteral("1.2.3")),
                                 QVariant(QStringLiteral("922337203685477.5808")), QVariant(true)}) {
        try {
            con().Insertar("PRUEBA", {{"ID", 200}, {"IMPORTE", malo}});
            ADD_FAILURE() << "debió rechazar " << malo.toString().toStdString();
        } catch (const ErrorBD& e) {
            EXPECT_TRUE(e.descripcion().contains("IMPORTE")) << e.descripcion().toStdString();
        }
    }
    EXPECT_THROW(con().EjecutarSQL("UPDATE PRUEBA SET IMPORTE = ? WHERE ID = ?", {"doce", 1}), ErrorBD);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA WHERE ID = ?", {200}).toInt(), 0);
}

// Sums and extremes of an amount column read back as amounts, as text too.
TEST_P(ConexionBD, AgregadosDeImportesSonImportes)
{
    con().Insertar("PRUEBA", {{"ID", 1}, {"IMPORTE", QVariant::fromValue(*Moneda::parsear("12.5"))}});
    con().Insertar("PRUEBA", {{"ID", 2}, {"IMPORTE", QVariant::fromValue(*Moneda::parsear("0.25"))}});
    auto f = con().PrimeraFila("SELECT SUM(IMPORTE) AS T, MAX(IMPORTE), MIN(p.IMPORTE) m, COALESCE(SUM(IMPORTE), 0) AS C, "
                               "COUNT(*) AS N FROM PRUEBA p WHERE ID > ?", {0});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->texto("T"), "12.7500");
    EXPECT_EQ(f->texto(1), "12.5000");
    EXPECT_EQ(f->texto("M"), "0.2500");
    EXPECT_EQ(f->texto("C"), "12.7500");
    EXPECT_EQ(f->moneda("C"), *Moneda::parsear("12.75"));
    EXPECT_EQ(f->entero("N"), 2);
    EXPECT_EQ(con().ObtieneMaximo("PRUEBA", "IMPORTE").toString(), "12.5000");
}

// A total beyond the 64-bit range of units is an error on both backends, never 0.
TEST_P(ConexionBD, TotalFueraDeRangoEsErrorNoCero)
{
    const Moneda grande = Moneda::desdeUnidades(INT64_MAX / 2 + 1);
    con().Insertar("PRUEBA", {{"ID", 1}, {"IMPORTE", QVariant::fromValue(grande)}});
    con().Insertar("PRUEBA", {{"ID", 2}, {"IMPORTE", QVariant::fromValue(grande)}});
    EXPECT_THROW(
        {
            auto f = con().PrimeraFila("SELECT SUM(IMPORTE) AS T FROM PRUEBA");
            ASSERT_TRUE(f);
            (void)f->moneda("T");
        },
        ErrorBD);
}

// Engine errors an operator can act on carry a Spanish first line and a predicate.
TEST(ErrorBD, CausasDelMotor)
{
    struct Caso { Motor motor; const char* estado; ErrorBD::Causa causa; bool reintentable; };
    const Caso casos[] = {
        {Motor::SQLite, "5", ErrorBD::Causa::EsperaAgotada, false},
        {Motor::SQLite, "517", ErrorBD::Causa::EsperaAgotada, false},
        {Motor::SQLite, "13", ErrorBD::Causa::DiscoLleno, false},
        {Motor::SQLite, "2067", ErrorBD::Causa::ClaveDuplicada, false},
        {Motor::SQLite, "1555", ErrorBD::Causa::ClaveDuplicada, false},
        {Motor::SQLite, "19", ErrorBD::Causa::Otra, false}, // another constraint (a CHECK, NOT NULL)
        {Motor::PostgreSQL, "55P03", ErrorBD::Causa::EsperaAgotada, false},
        {Motor::PostgreSQL, "57014", ErrorBD::Causa::EsperaAgotada, false},
        {Motor::PostgreSQL, "53100", ErrorBD::Causa::DiscoLleno, false},
        {Motor::PostgreSQL, "08006", ErrorBD::Causa::ConexionPerdida, false},
        {Motor::PostgreSQL, "57P01", ErrorBD::Causa::ConexionPerdida, false},
        {Motor::PostgreSQL, "40P01", ErrorBD::Causa::BloqueoMutuo, true},
        {Motor::PostgreSQL, "40001", ErrorBD::Causa::Serializacion, true},
        {Motor::PostgreSQL, "23505", ErrorBD::Causa::ClaveDuplicada, false},
        {Motor::PostgreSQL, "23514", ErrorBD::Causa::Otra, false},
    };
    for (const Caso& c : casos) {
        const ErrorBD e = ErrorBD::delMotor(c.motor, c.estado, "texto del motor", "SELECT 1");
        EXPECT_EQ(e.causa(), c.causa) << c.estado;
        EXPECT_EQ(e.esReintentable(), c.reintentable) << c.estado;
        EXPECT_EQ(e.esBloqueoMutuo(), c.causa == ErrorBD::Causa::BloqueoMutuo) << c.estado;
        EXPECT_EQ(e.esConexionPerdida(), c.causa == ErrorBD::Causa::ConexionPerdida) << c.estado;
        const QStringList lineas = e.descripcion().split('\n');
        if (c.causa == ErrorBD::Causa::Otra) {
            EXPECT_EQ(e.descripcion(), "texto del motor");
        } else {
            ASSERT_EQ(lineas.size(), 2) << c.estado;
            EXPECT_NE(lineas[0], "texto del motor");
            EXPECT_EQ(lineas[1], "texto del motor");
        }
    }
    EXPECT_TRUE(ErrorBD::delMotor(Motor::PostgreSQL, "", "server closed the connection", "", true).esConexionPerdida());
}

// While another connection holds the write lock, the waiting connection calls its
// hook in short steps and ends with the lock time-out error.
TEST_P(ConexionBD, EsperaPorBloqueoLlamaAlGanchoYTerminaEnError)
{
    con().Insertar("PRUEBA", {{"ID", 1}});
    auto otra = otraConexion();
    Transaccion retiene(*otra);
    otra->EjecutarSQL("UPDATE PRUEBA SET NOMBRE = ? WHERE ID = ?", {"otra", 1});
    std::vector<int> esperas;
    con().setTiempoEspera(1);
    con().setAlEsperar([&](int ms) { esperas.push_back(ms); });
    try {
        con().EjecutarSQL("UPDATE PRUEBA SET NOMBRE = ? WHERE ID = ?", {"esta", 1});
        FAIL() << "debió agotar la espera";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.esEsperaAgotada()) << e.descripcion().toStdString();
        EXPECT_TRUE(e.descripcion().startsWith("Otro usuario tiene ocupados los datos")) << e.descripcion().toStdString();
        EXPECT_FALSE(e.descripcion().section('\n', 1).trimmed().isEmpty()); // the engine's own text
    }
    if (motor() == Motor::SQLite) {
        ASSERT_GE(esperas.size(), 10u); // steps of at most a few tens of ms over one second
        EXPECT_TRUE(std::is_sorted(esperas.begin(), esperas.end()));
        EXPECT_GE(esperas.back(), 900);
    }
    con().setAlEsperar({});
    retiene.deshacer();
    EXPECT_EQ(con().EjecutarSQL("UPDATE PRUEBA SET NOMBRE = ? WHERE ID = ?", {"esta", 1}), 1);
}

// A full disk (SQLite: the file may not grow) is told as such.
TEST_P(ConexionBD, DiscoLlenoSeInformaComoTal)
{
    if (motor() != Motor::SQLite) GTEST_SKIP() << "el servidor no deja limitar su espacio desde una prueba";
    const qlonglong paginas = con().Escalar("PRAGMA page_count").toLongLong();
    con().EjecutarSQL(QStringLiteral("PRAGMA max_page_count = %1").arg(paginas + 2));
    try {
        Transaccion t(con());
        for (int i = 0; i < 2000; ++i) con().Insertar("PRUEBA", {{"ID", i}, {"NOMBRE", QString(200, 'x')}});
        t.confirmar();
        FAIL() << "debió llenarse";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.esDiscoLleno()) << e.descripcion().toStdString();
        EXPECT_TRUE(e.descripcion().startsWith("El disco de la base de datos está lleno")) << e.descripcion().toStdString();
    }
}

// A connection the server dropped is found lost however the program meets it
// (a statement that fails, or nothing run since), every statement fails as a
// lost connection until it is opened again, and a reopening that fails leaves
// it lost for the next try.
TEST_P(ConexionBD, ConexionPerdidaSeReabre)
{
    if (motor() == Motor::SQLite) {
        EXPECT_FALSE(con().conexionPerdida());
        ASSERT_TRUE(con().reabrir()) << con().ultimoError().toStdString();
        EXPECT_FALSE(con().conexionPerdida());
        con().Insertar("PRUEBA", {{"ID", 1}});
        EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 1);
        return;
    }
    auto otra = otraConexion();
    // Ends this connection's server process and waits until it is gone.
    auto cortar = [&] {
        const qlonglong pid = con().Escalar("SELECT pg_backend_pid()").toLongLong();
        ASSERT_TRUE(otra->Escalar("SELECT pg_terminate_backend(CAST(? AS INTEGER), 10000)", {pid}).toBool());
    };
    auto fallaPorPerdida = [&](const char* sql) {
        try {
            con().Escalar(QString::fromLatin1(sql));
            ADD_FAILURE() << "debió perder la conexión: " << sql;
        } catch (const ErrorBD& e) {
            EXPECT_TRUE(e.esConexionPerdida()) << e.descripcion().toStdString();
            EXPECT_TRUE(e.descripcion().startsWith("Se perdió la conexión")) << e.descripcion().toStdString();
        }
    };
    struct Caso {
        const char* nombre;
        bool sentenciaAntes; // a statement meets the loss first; otherwise the check alone finds it
    };
    for (const Caso& c : {Caso{"una sentencia la encuentra", true}, Caso{"nada corrió desde el corte", false}}) {
        SCOPED_TRACE(c.nombre);
        cortar();
        if (c.sentenciaAntes) {
            fallaPorPerdida("SELECT COUNT(*) FROM PRUEBA");
            fallaPorPerdida("SELECT 1"); // and every one after it, until it is opened again
            EXPECT_THROW(Transaccion t(con()), ErrorBD);
        }
        EXPECT_TRUE(con().conexionPerdida());
        ASSERT_TRUE(con().reabrir()) << con().ultimoError().toStdString();
        EXPECT_FALSE(con().conexionPerdida());
        con().Insertar("PRUEBA", {{"ID", 1}});
        EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 1);
        con().EjecutarSQL("DELETE FROM PRUEBA");
    }

    // The server can't be reached again: still lost, and tried again next time.
    cortar();
    const DatosConexion buenos = con().datos();
    DatosConexion malos = buenos;
    malos.dbName = QStringLiteral("vexa_no_existe_%1").arg(QCoreApplication::applicationPid());
    con().setDatos(malos);
    EXPECT_FALSE(con().reabrir());
    EXPECT_TRUE(con().conexionPerdida());
    fallaPorPerdida("SELECT 1");
    con().setDatos(buenos);
    ASSERT_TRUE(con().reabrir()) << con().ultimoError().toStdString();
    EXPECT_FALSE(con().conexionPerdida());
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 0);
}

// A text with a NUL character is refused before it reaches the database.
TEST_P(ConexionBD, TextoConNulSeRechazaNombrandoLaColumna)
{
    const QString conNul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    try {
        con().Insertar("PRUEBA", {{"ID", 1}, {"NOMBRE", conNul}});
        FAIL();
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.descripcion().startsWith(QStringLiteral("El texto contiene un carácter nulo (NUL)"))) << e.descripcion().toStdString();
        EXPECT_TRUE(e.descripcion().contains("NOMBRE")) << e.descripcion().toStdString();
    }
    EXPECT_THROW(con().Escalar("SELECT COUNT(*) FROM PRUEBA WHERE UPPER(NOMBRE) = ?", {conNul}), ErrorBD);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM PRUEBA").toInt(), 0);
}

VEXA_AMBOS_MOTORES(ConexionBD);

TEST(Conexion, ArchivoInexistenteNoSeCrea)
{
    Conexion c;
    c.setDatos({QString(), "/tmp/no-existe-vexa-xyz.db", {}, {}});
    EXPECT_FALSE(c.Abrir());
    EXPECT_FALSE(c.Conectado());
    EXPECT_FALSE(c.ultimoError().isEmpty());
    EXPECT_EQ(c.Driver(), "QSQLITE");
    c.setDatos({"127.0.0.1:1", c.datos().dbName, {}, {}});
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


namespace {

class EsquemaBD : public vexa::prueba::BaseDePrueba {};

// A new company carries the version this program knows.
TEST_P(EsquemaBD, EmpresaNuevaTieneLaVersionDelPrograma)
{
    EXPECT_GE(EsquemaEmpresa::versionEsquemaPrograma(), 2);
    EXPECT_EQ(EsquemaEmpresa(con()).versionEsquema(), EsquemaEmpresa::versionEsquemaPrograma());
    EXPECT_EQ(EsquemaEmpresa(con()).comprobarEsquema(), EstadoEsquema::Actual);
    EXPECT_EQ(EsquemaEmpresa(con()).verificarEsquema(), QString());
}

// A company of the first version (no version table, text columns in the
// program's own collation, no widths) is brought up to date in place; on SQLite
// the file as it was is kept beside it.
TEST_P(EsquemaBD, EmpresaAntiguaSeActualizaGuardandoCopia)
{
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 1, true, &d, &error)) << error.toStdString();
    vieja.Insertar("TA_CONFIGURACION", {{"CLAVE", "DATO"}, {"VALOR", "previo"}});
    vieja.EjecutarSQL("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (?, ?)", {"9999  ", "con blancos"});
    EXPECT_EQ(EsquemaEmpresa(vieja).versionEsquema(), 1);
    EXPECT_EQ(EsquemaEmpresa(vieja).comprobarEsquema(), EstadoEsquema::Antiguo);

    const QString copia = EsquemaEmpresa(vieja).actualizarEsquema();
    EXPECT_EQ(EsquemaEmpresa(vieja).comprobarEsquema(), EstadoEsquema::Actual);
    EXPECT_EQ(vieja.BuscaValor("TA_CONFIGURACION", "dato ", "VALOR", "CLAVE").toString(), "previo");
    EXPECT_EQ(vieja.BuscaValor("MA_CUENTAS", "9999", "DESCRIPCION", "CODIGO").toString(), "con blancos");
    EXPECT_EQ(vieja.BuscaValor("TA_CONFIGURACION", "nombre", "VALOR", "CLAVE").toString(), "Distribuidora del Sur S.A.");
    EXPECT_THROW(vieja.Insertar("TA_CONFIGURACION", {{"CLAVE", "Dato  "}, {"VALOR", "x"}}), ErrorBD);
    EXPECT_THROW(vieja.Insertar("MA_CUENTASADIC", {{"CODIGO", "1"}, {"IVA", "12345"}}), ErrorBD); // TEXTO(4)
    // Copy-book titles (step 5): four-character codes, compared without regard to case.
    EXPECT_NO_THROW(vieja.Insertar("TA_TITCOPIADORES", {{"CODIGO", "0001"}, {"DESCRIPCION", "Diario"}}));
    EXPECT_THROW(vieja.Insertar("TA_TITCOPIADORES", {{"CODIGO", "12345"}, {"DESCRIPCION", "x"}}), ErrorBD);
    EXPECT_THROW(vieja.Insertar("TA_TITCOPIADORES", {{"CODIGO", "0001"}, {"DESCRIPCION", "otra"}}), ErrorBD);
    if (motor() == Motor::SQLite) {
        EXPECT_EQ(vieja.Escalar("SELECT COUNT(*) FROM sqlite_master WHERE sql LIKE ?", {"%VEXA_CI%"}).toInt(), 0);
        EXPECT_EQ(vieja.Escalar("PRAGMA integrity_check").toString(), "ok");
        EXPECT_EQ(copia, d.dbName + ".v1.bak");
        Conexion antes;
        antes.setDatos({QString(), copia, {}, {}});
        ASSERT_TRUE(antes.Abrir()) << antes.ultimoError().toStdString();
        EXPECT_EQ(EsquemaEmpresa(antes).versionEsquema(), 1);
        EXPECT_EQ(antes.BuscaValor("TA_CONFIGURACION", "DATO", "VALOR", "CLAVE").toString(), "previo");
        antes.Cerrar();
        QFile::remove(copia);
    } else {
        EXPECT_TRUE(copia.isEmpty());
    }
    vieja.Cerrar();
    eliminarEmpresa(d, &error);
}

// A company of version 3 gets the rate, sub-journal and asset tables when opened.
TEST_P(EsquemaBD, EmpresaVersion3RecibeCotizacionesYBienes)
{
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 3, true, &d, &error)) << error.toStdString(); // demo data of later steps is left out
    EXPECT_EQ(EsquemaEmpresa(vieja).versionEsquema(), 3);
    const QString copia = EsquemaEmpresa(vieja).actualizarEsquema();
    EXPECT_EQ(EsquemaEmpresa(vieja).comprobarEsquema(), EstadoEsquema::Actual);
    vieja.Insertar("MA_SUBDIARIOS", {{"CODIGO", "VTAS"}});
    EXPECT_THROW(vieja.Insertar("MA_SUBDIARIOS", {{"CODIGO", "vtas "}}), ErrorBD);       // key without case and blanks
    EXPECT_THROW(vieja.Insertar("MA_SUBDIARIOS", {{"CODIGO", "12345678901"}}), ErrorBD); // TEXTO(10)
    vieja.Insertar("TA_COTIZACION", {{"FECHA_HORA", QDateTime(QDate(2027, 1, 2), QTime(14, 30))}, {"Moneda1", 3}});
    EXPECT_THROW(vieja.Insertar("TA_COTIZACION", {{"FECHA_HORA", QDateTime(QDate(2027, 1, 2), QTime(0, 0))}}), ErrorBD);
    EXPECT_EQ(vieja.PrimeraFila("SELECT Moneda1 FROM TA_COTIZACION")->moneda("Moneda1"), Moneda::entero(3));
    for (const char* t : {"MA_BIENES", "MA_BIENES_NOVEDADES", "MV_CALCULO_BIENES"})
        EXPECT_EQ(vieja.Escalar(QStringLiteral("SELECT COUNT(*) FROM ") + t).toInt(), 0) << t;
    vieja.Cerrar();
    if (!copia.isEmpty()) QFile::remove(copia);
    eliminarEmpresa(d, &error);
}

// A company written by a newer program is refused with a message.
TEST_P(EsquemaBD, EmpresaMasNuevaSeRechaza)
{
    con().EjecutarSQL("UPDATE TA_VERSION_ESQUEMA SET VERSION = ?", {99});
    EXPECT_EQ(EsquemaEmpresa(con()).comprobarEsquema(), EstadoEsquema::Nuevo);
    const QString m = EsquemaEmpresa(con()).verificarEsquema();
    EXPECT_TRUE(m.contains("versión 99")) << m.toStdString();
    EXPECT_EQ(EsquemaEmpresa(con()).versionEsquema(), 99); // left as it was
}

// A database without the company tables is not a company.
TEST_P(EsquemaBD, BaseSinTablasNoEsEmpresa)
{
    Conexion otra;
    const QString vacio = QDir::tempPath() + QStringLiteral("/vexa-vacia-%1.db").arg(QCoreApplication::applicationPid());
    if (motor() == Motor::SQLite) {
        QFile f(vacio);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        otra.setDatos({QString(), vacio, {}, {}});
    } else {
        otra.setDatos({datos().server, "postgres", datos().usuario, datos().password});
    }
    ASSERT_TRUE(otra.Abrir()) << otra.ultimoError().toStdString();
    EXPECT_EQ(EsquemaEmpresa(otra).comprobarEsquema(), EstadoEsquema::SinEmpresa);
    EXPECT_TRUE(EsquemaEmpresa(otra).verificarEsquema().contains("no contiene una empresa"));
    otra.Cerrar();
    QFile::remove(vacio);
}

// Declared text widths hold: a longer text fails naming the column; trailing
// blanks do not count and are not kept in a key.
TEST_P(EsquemaBD, AnchoDeclaradoDeLosTextos)
{
    struct Caso { const char* columna; const char* valor; bool cabe; };
    const Caso casos[] = {
        {"TC", "FA", true},           {"TC", "FACTU", false},     {"TC", "FAC   ", true},
        {"LETRA", "A", true},         {"LETRA", "AB", false},     {"[DEBE-HABER]", "D", true},
        {"[DEBE-HABER]", "DH", false}, {"CUENTA", "123456789012345", true}, {"CUENTA", "1234567890123456", false},
        {"DETALLE", "ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú ñandú", true},
    };
    int secuencia = 0;
    for (const Caso& c : casos) {
        ++secuencia;
        Valores v{{"PERIODO", 2}, {"MES_OPERATIVO", 1}, {"[NUMERO ASIENTO]", 1}, {"SECUENCIA", secuencia},
                  {c.columna, QString::fromUtf8(c.valor)}};
        if (c.cabe) {
            EXPECT_NO_THROW(con().Insertar("MV_ASIENTOS", v)) << c.columna << " " << c.valor;
        } else {
            try {
                con().Insertar("MV_ASIENTOS", v);
                ADD_FAILURE() << c.columna << " " << c.valor;
            } catch (const ErrorBD& e) {
                const QString col = QString::fromUtf8(c.columna).remove('[').remove(']');
                EXPECT_TRUE(e.descripcion().startsWith("El texto es demasiado largo para la columna " + col)) << e.descripcion().toStdString();
            }
        }
    }
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = ?", {"fac"}).toInt(), 1);
}

VEXA_AMBOS_MOTORES(EsquemaBD);

// The SQLite company file is usable by the standard sqlite3 shell: no collation
// or function of this program is needed to check, read and write it.
TEST(ArchivoEmpresa, UtilizableConLaHerramientaSqlite3)
{
    const QString sqlite3 = QStandardPaths::findExecutable("sqlite3");
    if (sqlite3.isEmpty()) {
        if (!qEnvironmentVariable("CI").isEmpty()) FAIL() << "falta el programa sqlite3";
        GTEST_SKIP() << "falta el programa sqlite3";
    }
    QTemporaryDir dir;
    DatosConexion d;
    d.dbName = dir.path() + "/demo.db";
    QString error;
    ASSERT_TRUE(crearEmpresa(d, true, false, &error)) << error.toStdString();
    const char* guion = R"(PRAGMA integrity_check;
SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'nombre';
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, CUENTA, [DEBE-HABER], IMPORTE, TC)
  VALUES (2, 12, 9999, 1, '1101', 'D', 125000, 'FA');
UPDATE MV_ASIENTOS SET DETALLE = 'desde sqlite3', TC = 'fc' WHERE PERIODO = 2 AND [NUMERO ASIENTO] = 9999;
SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = 'FC' AND DETALLE = 'desde sqlite3';
)";
    QProcess p;
    p.start(sqlite3, {"-bail", d.dbName});
    ASSERT_TRUE(p.waitForStarted());
    p.write(guion);
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString salida = QString::fromUtf8(p.readAllStandardOutput());
    const QString errores = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 0) << errores.toStdString();
    EXPECT_EQ(salida.split('\n', Qt::SkipEmptyParts), QStringList({"ok", "Distribuidora del Sur S.A.", "1"})) << salida.toStdString() << errores.toStdString();
    // Over-long texts are refused there too.
    QProcess q;
    q.start(sqlite3, {d.dbName, "UPDATE MV_ASIENTOS SET LETRA = 'AB' WHERE [NUMERO ASIENTO] = 9999;"});
    ASSERT_TRUE(q.waitForFinished(30000));
    EXPECT_NE(q.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(q.readAllStandardError()).contains("largo LETRA 1"));
    Conexion c;
    c.setDatos({QString(), d.dbName, {}, {}});
    ASSERT_TRUE(c.Abrir());
    EXPECT_EQ(c.PrimeraFila("SELECT IMPORTE FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = ?", {9999})->moneda("IMPORTE").texto(), "12.5000");
}

} // namespace
