// Receiving new accounts from an interface file, without the window: new codes,
// the messages of each line, rows written, failures, cancelling.
#include "Esquema.h"
#include "BaseDePrueba.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "ImportacionCuentas.h"
#include "Progreso.h"

#include <QFile>
#include <QThread>
#include <QTemporaryDir>

#include <functional>

#include <thread>

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;

namespace {

class RecepcionCuentas : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        con().EjecutarSQL("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('19', 'PRUEBAS', 1)");
    }
    // A delimited definition "PRUEBA": CODIGO;DESC;CUIT;IVA under the parent.
    void definir(const QString& madre, const QString& tipo = "D", const QString& campoCuit = "CUIT",
                 const QString& campoIva = "IVA")
    {
        con().EjecutarSQL("DELETE FROM TA_IMPORTACUENTAS WHERE NOMBRE = 'PRUEBA'");
        con().EjecutarSQL("DELETE FROM TA_IMPORTACUENTASDETALLE WHERE NOMBRE = 'PRUEBA'");
        con().EjecutarSQL("INSERT INTO TA_IMPORTACUENTAS (NOMBRE, CUENTA, TIPO_ARCHIVO, SEPARADOR, CALIFICADOR, CAMPO_CODIGO, "
                          "CAMPO_DESCRIPCION, CAMPO_CUIT, CAMPO_CONDIVA) VALUES ('PRUEBA', ?, ?, ';', '\"', 'CODIGO', 'DESC', ?, ?)",
                          {madre, tipo, campoCuit, campoIva});
        int i = 0;
        for (const char* n : {"CODIGO", "DESC", "CUIT", "IVA"})
            con().EjecutarSQL("INSERT INTO TA_IMPORTACUENTASDETALLE (NOMBRE, SECUENCIA, NOMBRE_CAMPO, LONGITUD) VALUES ('PRUEBA', ?, ?, 0)",
                              {++i, QString::fromLatin1(n)});
    }
    QString archivo(const QByteArray& bytes)
    {
        const QString ruta = dir.filePath(QStringLiteral("f%1.txt").arg(++archivos));
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return ruta;
    }
    // Runs the file; the committed lines as listed ("" for a recorded line).
    QStringList correr(const QByteArray& bytes, const QString& definicion = "PRUEBA", Progreso* p = nullptr)
    {
        QStringList listados;
        op.alConfirmar = [&](const std::vector<LoteRecepcion::Resultado>& rs) {
            for (const auto& x : rs) listados << x.mensaje;
        };
        ProgresoNulo nulo;
        r = RecibirCuentas(*ctx, definicion, archivo(bytes), p ? *p : nulo, op);
        return listados;
    }
    QString creada(const QString& origen, const QString& madre = "19")
    {
        return con().Escalar("SELECT CODIGO_SISTEMA FROM TESTIGO_EXPORTACION WHERE CODIGO_ORIGEN = ? AND CUENTA = ?",
                             {origen, madre}).toString().trimmed();
    }
    qint64 contar(const QString& sql, const Params& p = {}) { return con().Escalar(sql, p).toLongLong(); }

    std::unique_ptr<ContextoEmpresa> ctx;
    QTemporaryDir dir;
    int archivos = 0;
    OpcionesCuentas op;
    ResultadoCorrida r;
};

TEST(ImportacionCuentas, DigitoVerificadorYCondiciones)
{
    // Weights 2, 3, 4, 5, 6, 7, 2, ... from the right; 11 gives 0 and 10 gives 1.
    struct Caso { const char* cuenta; int dv; };
    for (const Caso& c : {Caso{"1102010010004", 8}, Caso{"0", 0}, Caso{"1", 9}, Caso{"6", 1}, Caso{"19", 1}, Caso{"11-02", 9}})
        EXPECT_EQ(Configuracion::DigitoVerificador(c.cuenta), c.dv) << c.cuenta;
    EXPECT_EQ(CondicionIvaNormalizada(" 1 "), "0001");
    EXPECT_EQ(CondicionIvaNormalizada("00005"), "0005");
    EXPECT_EQ(CondicionIvaNormalizada(" ZZ "), "00ZZ"); // an unknown condition is zero-filled too
    EXPECT_EQ(CondicionIvaNormalizada(""), "0000");
    EXPECT_EQ(CondicionIvaNormalizada("RESP1"), "RESP1");
    EXPECT_TRUE(CodigoOrigenValido(QString::fromUtf8("AÑO.1ñ")));
    EXPECT_FALSE(CodigoOrigenValido("A B"));
    EXPECT_FALSE(CodigoOrigenValido("A-B"));
}

// New codes: the first number above the run's counter whose code is in neither
// MA_CUENTAS nor MA_CUENTASADIC, gaps included.
TEST_P(RecepcionCuentas, CodigosNuevos)
{
    struct Caso {
        const char* nombre;
        QStringList cuentas, adicionales;
        QStringList esperadas;
    };
    QStringList todas;
    for (int i = 1; i <= 99; ++i) todas << QStringLiteral("19%1").arg(i, 2, 10, QLatin1Char('0'));
    const QString lleno = "Ya no puede asignar codigos a la cuenta 19";
    const Caso casos[] = {
        {"ocupadas 01 y 02", {"1901", "1902"}, {}, {"1903", "1904"}},
        {"hueco", {"1901", "1903"}, {}, {"1902", "1904"}},
        {"solo en datos adicionales", {}, {"1901"}, {"1902", "1903"}},
        {"99 usadas", todas, {}, {lleno, lleno}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("DELETE FROM MA_CUENTAS WHERE SUBSTR(CODIGO, 1, 2) = '19' AND LENGTH(CODIGO) > 2");
        con().EjecutarSQL("DELETE FROM MA_CUENTASADIC WHERE SUBSTR(CODIGO, 1, 2) = '19'");
        con().EjecutarSQL("DELETE FROM TESTIGO_EXPORTACION");
        for (const QString& k : c.cuentas) con().EjecutarSQL("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (?, 'x')", {k});
        for (const QString& k : c.adicionales) con().EjecutarSQL("INSERT INTO MA_CUENTASADIC (CODIGO, IVA) VALUES (?, '0001')", {k});
        definir("19");
        const QStringList l = correr("A1;Uno;20-1;1\r\nA2;Dos;20-2;1\r\n");
        ASSERT_EQ(l.size(), 2);
        if (c.esperadas[0].startsWith("Ya")) {
            EXPECT_EQ(l, c.esperadas);
        } else {
            EXPECT_EQ(l, (QStringList{"", ""}));
            EXPECT_EQ(creada("A1"), c.esperadas[0]);
            EXPECT_EQ(creada("A2"), c.esperadas[1]);
        }
    }
    // A parent whose code is a full-length account (one of the demo's) has no level below it.
    definir("1102010010001");
    EXPECT_EQ(correr("B1;Uno\r\n"), QStringList{"Ya no puede asignar codigos a la cuenta 1102010010001"});
}

// Doubled line ends leave empty lines between the accounts: they are passed
// by, as every reception passes them, not refused as an empty origin code.
TEST_P(RecepcionCuentas, LineasVaciasEntreFinesDoblesSeSaltan)
{
    definir("19");
    EXPECT_EQ(correr("A1;Uno;20-1;1\r\r\nA2;Dos;20-2;1\n\rA3;Tres;20-3;1\r\n"), (QStringList{"", "", ""}));
    EXPECT_EQ(r.grabados, 3);
    EXPECT_EQ(r.rechazados, 0);
    EXPECT_EQ(creada("A3"), "1903");
}

TEST_P(RecepcionCuentas, UnaMadreQueNoEstaEnElPlanRechazaLaCorrida)
{
    definir("1999");
    const QStringList l = correr("A1;Uno\r\n");
    EXPECT_TRUE(l.isEmpty());
    EXPECT_EQ(r.fin, ResultadoCorrida::Fin::Rechazada);
    EXPECT_EQ(r.error, "La cuenta madre (1999) de la interfaz no existe");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM TESTIGO_EXPORTACION"), 0);
}

// Each message of a line, in file order, and what an accepted line writes.
TEST_P(RecepcionCuentas, MensajesDeCadaLineaYFilasGrabadas)
{
    con().EjecutarSQL("INSERT INTO EQ_CONDIVA_IMPORTACION (NOMBRE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'RI', '0001')");
    con().EjecutarSQL("INSERT INTO EQ_CONDIVA_IMPORTACION (NOMBRE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'ri', '0004')");
    definir("19");
    QByteArray f;
    f += "A B;Uno;1;RI\r\n";                 // 1 blank inside the code
    f += "A-B;Uno;1;RI\r\n";                 // 2 hyphen
    f += "A\xD1O;A\xF1o Nuevo;30-1;\" rI \"\r\n"; // 3 Windows-1252, condition through the first "RI"
    f += "\"\";Sin codigo;1;RI\r\n";         // 4 qualified empty code
    f += "D1;   ;1;RI\r\n";                  // 5 blank description: uses no number
    f += "D2;Dos\r\n";                       // 6 short line: nothing of line 3 (CUIT "0", no condition: warned)
    f += "D3;Tres;;ZZ\r\n";                  // 7 unknown condition: created with a warning
    f += "A\xD1O;Otra vez;1;RI\r\n";         // 8 origin code received before
    f += "D4;Cuatro;;5\r\n";                 // 9 a whole condition compared as a number
    const QStringList l = correr(f);
    const QStringList esperados = {
        "El Código de de origen contiene caracteres no válidos",
        "El Código de de origen contiene caracteres no válidos",
        "",
        "El Código de de origen no contiene un valor",
        "La Descripcion no puede ser un valor vacío",
        "<AVISO>La condicion de IVA de D2  Dos no es valida o las equivalencias no son correctas",
        "<AVISO>La condicion de IVA de D3  Tres no es valida o las equivalencias no son correctas",
        QString::fromUtf8("El código AÑO ya fue Asignado a la Cuenta (1901)"),
        "",
    };
    EXPECT_EQ(l, esperados);
    EXPECT_EQ(r.fin, ResultadoCorrida::Fin::Completa);
    EXPECT_EQ(r.grabados, 2);
    EXPECT_EQ(r.rechazados, 7);
    struct Esperada { const char* origen; const char* cuenta; const char* cuit; const char* iva; const char* desc; };
    for (const Esperada& x : {Esperada{"AÑO", "1901", "30-1", "0001", "Año Nuevo"}, Esperada{"D2", "1902", "0", "0000", "Dos"},
                              Esperada{"D3", "1903", "0", "00ZZ", "Tres"}, Esperada{"D4", "1904", "0", "0005", "Cuatro"}}) {
        const QString origen = QString::fromUtf8(x.origen);
        SCOPED_TRACE(x.origen);
        EXPECT_EQ(creada(origen), x.cuenta);
        const auto c = con().PrimeraFila("SELECT C.DESCRIPCION, C.DV, C.TITULO, A.NUMERO_DOCUMENTO, A.IVA FROM MA_CUENTAS C "
                                         "JOIN MA_CUENTASADIC A ON A.CODIGO = C.CODIGO WHERE C.CODIGO = ?",
                                         {QString::fromLatin1(x.cuenta)});
        ASSERT_TRUE(c);
        EXPECT_EQ(c->texto(0).trimmed(), QString::fromUtf8(x.desc));
        EXPECT_EQ(c->valor(1).toLongLong(), Configuracion::DigitoVerificador(QString::fromLatin1(x.cuenta)));
        EXPECT_EQ(c->valor(2).toLongLong(), 0);
        EXPECT_EQ(c->texto(3).trimmed(), x.cuit);
        EXPECT_EQ(c->texto(4).trimmed(), x.iva);
    }
}

TEST_P(RecepcionCuentas, DefinicionSinCuitNiCondicionYTipoDesconocido)
{
    definir("19", "D", "", "");
    EXPECT_EQ(correr("E1;Uno;99-9;ZZ\r\n"), QStringList{""});
    const auto a = con().PrimeraFila("SELECT NUMERO_DOCUMENTO, IVA FROM MA_CUENTASADIC WHERE CODIGO = '1901'");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->texto(0).trimmed(), "0");
    EXPECT_EQ(a->texto(1).trimmed(), "0001");
    definir("19", "X");
    EXPECT_EQ(correr("E2;Dos\r\nE3;Tres\r\n"),
              (QStringList{"El Código de de origen no contiene un valor", "El Código de de origen no contiene un valor"}));
}

// An origin code is received once per parent; under another parent it is new.
TEST_P(RecepcionCuentas, CodigoDeOrigenPorCuentaMadre)
{
    con().EjecutarSQL("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('18', 'OTRA', 1)");
    definir("18");
    EXPECT_EQ(correr("C1;Uno;;1\r\n"), QStringList{""});
    definir("19");
    EXPECT_EQ(correr("C1;Uno;;1\r\nC1;Otra;;1\r\n"), (QStringList{"", "El código C1 ya fue Asignado a la Cuenta (1901)"}));
    EXPECT_EQ(creada("C1", "18"), "1801");
}

// A failure after the line's first insert (the tax number is too long for its
// column) leaves nothing of the line, and its number goes to the next line.
// Retry runs the line again; the other answers list it with the error.
TEST_P(RecepcionCuentas, UnaFallaDentroDeLaLineaNoDejaNada)
{
    definir("19");
    QList<int> preguntas;
    op.alFallar = [&](int, const QString& d) {
        EXPECT_FALSE(con().enTransaccion());
        preguntas << 1;
        return preguntas.size() == 1 ? plataforma::vbRetry : plataforma::vbIgnore;
    };
    const QStringList l = correr("F0;Cero;;1\r\nF1;Uno;123456789012345678901234567890;1\r\nF2;Dos;;1\r\n");
    ASSERT_EQ(l.size(), 3);
    EXPECT_EQ(preguntas.size(), 2);
    EXPECT_EQ(l[0], "");
    EXPECT_TRUE(l[1].contains("NUMERO_DOCUMENTO", Qt::CaseInsensitive)) << l[1].toStdString();
    EXPECT_EQ(l[2], "");
    EXPECT_EQ(creada("F0"), "1901");
    EXPECT_EQ(creada("F2"), "1902");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MA_CUENTAS WHERE SUBSTR(CODIGO, 1, 2) = '19'"), 3); // 19, 1901, 1902
    EXPECT_EQ(contar("SELECT COUNT(*) FROM TESTIGO_EXPORTACION WHERE CODIGO_ORIGEN = 'F1'"), 0);
}

// Progress: the texts of each line; a cancel confirmed stops before the line,
// what was recorded stays.
class ProgresoGuion : public Progreso {
public:
    void Iniciar(const QString& t, qint64) override { titulo = t; }
    bool Actualizar(qint64, const QString& t) override
    {
        textos << t;
        return true;
    }
    void Cerrar() override { cerrado = true; }
    QString titulo;
    QStringList textos;
    bool cerrado = false;
};

TEST_P(RecepcionCuentas, ProgresoYCancelacion)
{
    definir("19");
    // The operator presses "Cancelar" at line 2 and answers No, then Yes at line 3.
    int llamada = 0;
    op.confirmarCancelar = [&] {
        EXPECT_FALSE(con().enTransaccion());
        return ++llamada == 2;
    };
    struct P2 : ProgresoGuion {
        bool Actualizar(qint64 h, const QString& t) override
        {
            ProgresoGuion::Actualizar(h, t);
            return textos.size() < 2; // cancel asked from line 2 on
        }
    } p2;
    const QStringList l = correr("G1;Uno;;1\r\nG2;Dos;;1\r\nG3;Tres;;1\r\nG4;Cuatro;;1\r\n", "PRUEBA", &p2);
    EXPECT_EQ(p2.titulo, "ACTUALIZANDO DATOS");
    EXPECT_EQ(p2.textos.value(0), "Registro:  1G1;Uno;;1");
    EXPECT_EQ(l, (QStringList{"", ""}));
    EXPECT_EQ(r.fin, ResultadoCorrida::Fin::Cancelada);
    EXPECT_TRUE(p2.cerrado);
    EXPECT_EQ(creada("G2"), "1902");
    EXPECT_EQ(creada("G3"), "");
    // An empty file: nothing listed, a whole run.
    EXPECT_TRUE(correr("").isEmpty());
    EXPECT_EQ(r.fin, ResultadoCorrida::Fin::Completa);
}

// A full disk stops the run: the batch in hand counts nowhere, no line is
// rejected for it, and the lists hold what was committed, as the tables do.
TEST_P(RecepcionCuentas, UnDiscoLlenoDetieneLaCorrida)
{
    definir("19");
    struct P : ProgresoNulo {
        std::function<void()> enDecima;
        int n = 0;
        bool Actualizar(qint64, const QString&) override
        {
            if (++n == 10 && enDecima) enDecima();
            return true;
        }
    } p;
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("VACUUM"); // no free page left in the file, and from the tenth line no room for another
        p.enDecima = [&] {
            con().EjecutarSQL(QStringLiteral("PRAGMA max_page_count = %1").arg(con().Escalar("PRAGMA page_count").toLongLong()));
        };
    } else {
        con().EjecutarSQL("CREATE SEQUENCE sq_lleno");
        con().EjecutarSQL("CREATE FUNCTION f_lleno() RETURNS trigger AS $$ BEGIN IF NEW.codigo = '1910' THEN "
                          "IF nextval('sq_lleno') = 1 THEN RAISE EXCEPTION 'could not extend file' USING ERRCODE = 'disk_full'; "
                          "END IF; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_lleno AFTER INSERT ON ma_cuentas FOR EACH ROW EXECUTE FUNCTION f_lleno()");
    }
    QByteArray archivo;
    for (int i = 1; i <= 80; ++i) archivo += QStringLiteral("H%1;Cuenta %1;20-%1;1\r\n").arg(i).toUtf8();
    const QStringList l = correr(archivo, "PRUEBA", &p);
    if (motor() == Motor::SQLite) con().EjecutarSQL("PRAGMA max_page_count = 1073741823");
    EXPECT_EQ(r.fin, ResultadoCorrida::Fin::Error);
    EXPECT_TRUE(r.error.startsWith("El disco de la base de datos está lleno")) << r.error.toStdString();
    EXPECT_EQ(l.size(), r.grabados + r.rechazados);
    EXPECT_EQ(l.count(QString()), r.grabados);
    EXPECT_EQ(r.rechazados, 0);
    EXPECT_LT(r.grabados, 80);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MA_CUENTAS WHERE SUBSTR(CODIGO, 1, 2) = '19' AND LENGTH(CODIGO) > 2"), r.grabados);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM TESTIGO_EXPORTACION"), r.grabados);
}

// A code another station took after the run read the parent's numbers: its
// insert clashes and the next number is used.
TEST_P(RecepcionCuentas, UnCodigoTomadoDuranteLaCorridaSeSalta)
{
    definir("19");
    struct P : Progreso {
        Conexion* con = nullptr;
        int n = 0;
        void Iniciar(const QString&, qint64) override {}
        bool Actualizar(qint64, const QString&) override
        {
            if (++n == 2) con->EjecutarSQL("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1902', 'otra estacion')");
            return true;
        }
        void Cerrar() override {}
    } p;
    p.con = &con();
    EXPECT_EQ(correr("H1;Uno;;1\r\nH2;Dos;;1\r\n", "PRUEBA", &p), (QStringList{"", ""}));
    EXPECT_EQ(creada("H2"), "1903");
}

// Two stations receive into one parent at once: distinct codes, one account per origin code.
TEST_P(RecepcionCuentas, DosEstacionesALaVez)
{
    if (motor() != Motor::PostgreSQL) GTEST_SKIP() << "one writer at a time on SQLite";
    definir("19");
    QByteArray f;
    for (int i = 1; i <= 20; ++i) f += QByteArray("K") + QByteArray::number(i) + ";Cuenta;;1\r\n";
    const QString ruta = archivo(f);
    // The other station runs its whole file while this one is inside its first batch.
    struct P : Progreso {
        std::function<void()> alPrimero;
        int n = 0;
        void Iniciar(const QString&, qint64) override {}
        bool Actualizar(qint64, const QString&) override
        {
            if (++n == 3 && alPrimero) alPrimero();
            return true;
        }
        void Cerrar() override {}
    } p;
    ResultadoCorrida r2;
    std::thread hilo;
    p.alPrimero = [&] {
        hilo = std::thread([&] {
            // Its own connection, made and used in its own thread.
            auto otra = otraConexion();
            ContextoEmpresa ctx2(*otra);
            CargarValoresContables(ctx2);
            ProgresoNulo nulo;
            r2 = RecibirCuentas(ctx2, "PRUEBA", ruta, nulo, {});
        });
        QThread::msleep(300);
    };
    r = RecibirCuentas(*ctx, "PRUEBA", ruta, p, {});
    hilo.join();
    EXPECT_EQ(r.grabados + r2.grabados, 20);
    EXPECT_EQ(r.rechazados + r2.rechazados, 20);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM TESTIGO_EXPORTACION"), 20);
    EXPECT_EQ(contar("SELECT COUNT(DISTINCT CODIGO_SISTEMA) FROM TESTIGO_EXPORTACION"), 20);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MA_CUENTAS WHERE SUBSTR(CODIGO, 1, 2) = '19' AND LENGTH(CODIGO) = 4"), 20);
}

// The demo's definitions against the files under examples/cuentas.
TEST_P(RecepcionCuentas, ArchivosDeEjemplo)
{
    auto ejemplo = [&](const char* nombre, const char* definicion) {
        QStringList l;
        op.alConfirmar = [&](const std::vector<LoteRecepcion::Resultado>& rs) {
            for (const auto& x : rs) l << x.mensaje;
        };
        ProgresoNulo nulo;
        r = RecibirCuentas(*ctx, definicion, QStringLiteral(VEXA_CARPETA_EJEMPLOS "/cuentas/") + nombre, nulo, op);
        return l;
    };
    EXPECT_EQ(ejemplo("clientes.txt", "CLIENTES"), (QStringList{"", "", "", ""}));
    EXPECT_EQ(creada(QString::fromUtf8("MUÑOZ01"), "110201001"), "1102010010006");
    EXPECT_EQ(con().Escalar("SELECT IVA FROM MA_CUENTASADIC WHERE CODIGO = '1102010010006'").toString().trimmed(), "0004");
    EXPECT_EQ(con().Escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1102010010004'").toString().trimmed(),
              QString::fromUtf8("Librería Ñandú S.R.L."));
    const QStringList e = ejemplo("clientes_con_errores.txt", "CLIENTES");
    ASSERT_EQ(e.size(), 8);
    EXPECT_EQ(e.mid(0, 7), (QStringList{"", "El Código de de origen contiene caracteres no válidos",
                                        "El Código de de origen contiene caracteres no válidos",
                                        "El Código de de origen no contiene un valor", "La Descripcion no puede ser un valor vacío",
                                        "<AVISO>La condicion de IVA de CLI024  Condición desconocida S.A. no es valida o las "
                                        "equivalencias no son correctas",
                                        "El código CLI020 ya fue Asignado a la Cuenta (1102010010008)"}));
    EXPECT_TRUE(e[7].contains("NUMERO_DOCUMENTO", Qt::CaseInsensitive));
    EXPECT_EQ(ejemplo("proveedores.txt", "PROVEEDORES"), (QStringList{"", ""}));
    EXPECT_EQ(creada("PRV101", "210101001"), "2101010010004");
}

// A company of the previous version gets the tables; an origin code once per parent.
TEST_P(RecepcionCuentas, EmpresaAnteriorRecibeLasTablas)
{
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 6, true, &d, &error)) << error.toStdString();
    vieja.EjecutarSQL("INSERT INTO TA_CONDIVA (CODIGO, DESCRIPCION) VALUES ('0009', 'propia')");
    const QString copia = EsquemaEmpresa(vieja).actualizarEsquema();
    EXPECT_EQ(EsquemaEmpresa(vieja).comprobarEsquema(), EstadoEsquema::Actual);
    EXPECT_EQ(vieja.Escalar("SELECT COUNT(*) FROM TA_IMPORTACUENTAS").toInt(), 0);
    EXPECT_EQ(vieja.Escalar("SELECT DESCRIPCION FROM TA_CONDIVA WHERE CODIGO = '0009'").toString().trimmed(), "propia");
    vieja.Insertar("TESTIGO_EXPORTACION", {{"CODIGO_ORIGEN", "A1"}, {"CUENTA", "19"}, {"CODIGO_SISTEMA", "1901"}});
    vieja.Insertar("TESTIGO_EXPORTACION", {{"CODIGO_ORIGEN", "A1"}, {"CUENTA", "18"}, {"CODIGO_SISTEMA", "1801"}});
    EXPECT_THROW(vieja.Insertar("TESTIGO_EXPORTACION", {{"CODIGO_ORIGEN", "a1 "}, {"CUENTA", "19"}}), ErrorBD);
    vieja.Cerrar();
    if (!copia.isEmpty()) QFile::remove(copia);
    eliminarEmpresa(d, &error);
}

VEXA_AMBOS_MOTORES(RecepcionCuentas);

} // namespace
