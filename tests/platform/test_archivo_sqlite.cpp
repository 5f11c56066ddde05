// What a company database holds and refuses from other programs, and what the
// connection does with a damaged or locked SQLite file: amounts stored as
// integers only (schema step 012), the VAT-concept table's identity, the
// file's check.
#include "Esquema.h"
#include "BaseDePrueba.h"

#include "Conexion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

using namespace vexa;

namespace {

const QString kPrimeraLineaDaniado = QStringLiteral("El archivo de la empresa %1 está dañado y no se puede seguir trabajando");

// The standard sqlite3 shell, as another program would use the file.
struct Sqlite3 {
    int codigo = -1;
    QString salida, errores;
};
Sqlite3 sqlite3(const QString& archivo, const QString& guion)
{
    Sqlite3 r;
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (programa.isEmpty()) return r;
    QProcess p;
    p.start(programa, {QStringLiteral("-bail"), archivo});
    if (!p.waitForStarted()) return r;
    p.write(guion.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(60000);
    r.codigo = p.exitCode();
    r.salida = QString::fromUtf8(p.readAllStandardOutput());
    r.errores = QString::fromUtf8(p.readAllStandardError());
    return r;
}
bool haySqlite3() { return !QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty(); }

// Bytes of a file no connection of this process has open.
QByteArray bytesDe(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The tables of the open SQLite company that have amount columns, with them.
std::map<QString, QStringList> columnasImporte(Conexion& c)
{
    std::map<QString, QStringList> r;
    for (const Fila& f : c.ObtenerRecordset("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'").todas()) {
        const TablaCatalogo t = c.Catalogo(f.texto(0));
        for (const ColumnaCatalogo& col : t.columnas)
            if (col.tipo == ColumnaCatalogo::Tipo::Moneda) r[t.nombre] << col.nombre;
    }
    return r;
}

// Each table's definition and column shapes, and the indexes' definitions.
std::map<QString, QString> definiciones(Conexion& c)
{
    std::map<QString, QString> r;
    for (const Fila& f : c.ObtenerRecordset("SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite%' "
                                            "AND name <> 'TA_VERSION_ESQUEMA'").todas()) {
        QString d = f.texto(2);
        if (f.texto(0) == "table")
            for (const Fila& x : c.ObtenerRecordset("SELECT cid, name, type, \"notnull\", quote(dflt_value), pk, hidden "
                                                    "FROM pragma_table_xinfo(?)", {f.texto(1)}).todas())
                d += QStringLiteral("\n%1|%2|%3|%4|%5|%6|%7").arg(x.texto(0), x.texto(1), x.texto(2), x.texto(3), x.texto(4),
                                                                  x.texto(5), x.texto(6));
        r[f.texto(0) + " " + f.texto(1)] = d;
    }
    return r;
}

class ImportesEnteros : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};

// Every amount column of a new company refuses a text or a real number written
// by another program, and takes integers (whole ten-thousandths) and NULL.
TEST_P(ImportesEnteros, CadaColumnaDeImporteRechazaTextoYReal)
{
    const auto importes = columnasImporte(con());
    int columnas = 0, probadas = 0;
    for (const auto& [tabla, cols] : importes) {
        const QString sql = con().Escalar("SELECT sql FROM sqlite_master WHERE name = ?", {tabla}).toString();
        for (const QString& col : cols) {
            ++columnas;
            EXPECT_TRUE(sql.contains(QStringLiteral("CONSTRAINT \"importe entero %1\" CHECK (typeof(\"%1\") IN ('integer', 'null'))").arg(col)))
                << tabla.toStdString() << "." << col.toStdString();
            if (con().Escalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(tabla)).toLongLong() == 0) continue;
            ++probadas;
            for (const char* malo : {"12.5", "'12.50'", "'12,50'", "'abc'", "''", "1e19"}) {
                try {
                    Transaccion t(con());
                    con().EjecutarSQL(QStringLiteral("UPDATE \"%1\" SET \"%2\" = %3").arg(tabla, col, malo));
                    ADD_FAILURE() << tabla.toStdString() << "." << col.toStdString() << " aceptó " << malo;
                } catch (const ErrorBD& e) {
                    EXPECT_TRUE(e.descripcion().contains("importe entero " + col)) << e.descripcion().toStdString();
                }
            }
            Transaccion t(con());
            for (const char* bueno : {"125000", "'125000'", "125000.0", "NULL", "-1"})
                EXPECT_NO_THROW(con().EjecutarSQL(QStringLiteral("UPDATE \"%1\" SET \"%2\" = %3").arg(tabla, col, bueno)))
                    << tabla.toStdString() << "." << col.toStdString() << " " << bueno;
        }
    }
    EXPECT_GE(columnas, 25);
    EXPECT_GE(probadas, 3);
    EXPECT_TRUE(importes.count("MV_ASIENTOS"));

    // The standard shell, as the README invites other programs to use the file.
    if (!haySqlite3()) GTEST_SKIP() << "falta el programa sqlite3";
    con().Cerrar();
    const Sqlite3 fila = sqlite3(datos().dbName, "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, IMPORTE) "
                                                 "VALUES (2, 1, 1, 1, 125000);\n");
    ASSERT_EQ(fila.codigo, 0) << fila.errores.toStdString();
    for (const char* guion : {"UPDATE MV_ASIENTOS SET IMPORTE = '12.50';", "UPDATE MV_ASIENTOS SET IMPORTE = 12.5;",
                              "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, IMPORTE) "
                              "VALUES (2, 1, 2, 1, '12.50');"}) {
        const Sqlite3 r = sqlite3(datos().dbName, QString::fromUtf8(guion));
        EXPECT_NE(r.codigo, 0) << guion;
        EXPECT_TRUE(r.errores.contains("CHECK constraint failed: importe entero IMPORTE")) << r.errores.toStdString();
    }
    const Sqlite3 r = sqlite3(datos().dbName, "UPDATE MV_ASIENTOS SET IMPORTE = CAST(ROUND(12.5 * 10000) AS INTEGER);\n"
                                              "SELECT COUNT(*) FROM MV_ASIENTOS WHERE IMPORTE <> 125000;\n");
    EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
    EXPECT_EQ(r.salida.trimmed(), "0");
}

// A company of the previous version is brought to the checks with every table,
// column, default, key and index exactly as it was; only the checks are added.
TEST_P(ImportesEnteros, LaActualizacionSoloAgregaLosChequeos)
{
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 11, true, &d, &error)) << error.toStdString();
    vieja.EjecutarSQL("INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, IMPORTE) VALUES (2, 5, 77, 1, ?)",
                      {QVariant::fromValue(Moneda::parsear("1234.5678").value())});
    auto antes = definiciones(vieja);
    const auto importes = columnasImporte(vieja);
    EXPECT_EQ(EsquemaEmpresa(vieja).verificarEsquema(), QString());
    EXPECT_EQ(EsquemaEmpresa(vieja).versionEsquema(), EsquemaEmpresa::versionEsquemaPrograma());
    auto despues = definiciones(vieja);
    // The next step drops one of the journal's indexes (checked by its own test).
    ASSERT_EQ(antes.erase("index IX_MV_ASIENTOS_SUMAS"), 1u);
    static const QRegularExpression chequeo(
        QStringLiteral(" CONSTRAINT \"importe entero ([A-Za-z0-9_]+)\" CHECK \\(typeof\\(\"\\1\"\\) IN \\('integer', 'null'\\)\\)"));
    int agregados = 0;
    for (auto& [nombre, def] : despues) agregados += int(def.count(chequeo)), def.remove(chequeo);
    EXPECT_EQ(despues, antes);
    int esperados = 0;
    for (const auto& [t, cols] : importes) esperados += int(cols.size());
    EXPECT_EQ(agregados, esperados);
    EXPECT_EQ(vieja.Escalar("PRAGMA integrity_check").toString(), "ok");
    EXPECT_EQ(vieja.PrimeraFila("SELECT IMPORTE FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = ?", {77})->moneda("IMPORTE").texto(),
              "1234.5678");
    EXPECT_THROW(vieja.EjecutarSQL("UPDATE MV_ASIENTOS SET IMPORTE = 12.5 WHERE [NUMERO ASIENTO] = 77"), ErrorBD);
    // Another connection (opened before or after) sees the checks too.
    auto otra = std::make_unique<Conexion>();
    ASSERT_TRUE(otra->Abrir(d));
    EXPECT_THROW(otra->EjecutarSQL("UPDATE MV_ASIENTOS SET IMPORTE = '1,5' WHERE [NUMERO ASIENTO] = 77"), ErrorBD);
    otra.reset();
    vieja.Cerrar();
    QFile::remove(d.dbName + ".v11.bak");
    eliminarEmpresa(d, &error);
}

// A company of the previous version that holds amounts of another kind is not
// updated: the message names each table, row and value, the file stays as it
// was (no copy left either), and the program refuses to read those amounts.
TEST_P(ImportesEnteros, EmpresaConImportesQueNoSonEnterosNoSeActualiza)
{
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 11, true, &d, &error)) << error.toStdString();
    const char* fila = "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, IMPORTE) "
                       "VALUES (2, 5, %1, 1, '', %2)";
    vieja.EjecutarSQL(QString::fromUtf8(fila).arg(901).arg("12.5"));
    vieja.EjecutarSQL(QString::fromUtf8(fila).arg(902).arg("'12,50'"));
    vieja.EjecutarSQL(QString::fromUtf8(fila).arg(903).arg("125000"));

    // Read by the program: refused with the message it gives for any unreadable amount.
    for (const char* sql : {"SELECT IMPORTE FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = 901",
                            "SELECT IMPORTE FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = 902",
                            "SELECT SUM(IMPORTE) AS IMPORTE FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] IN (901, 903)"}) {
        const auto f = vieja.PrimeraFila(sql);
        ASSERT_TRUE(f);
        try {
            f->moneda("IMPORTE");
            ADD_FAILURE() << sql;
        } catch (const ErrorBD& e) {
            EXPECT_TRUE(e.descripcion().startsWith("El importe ")) << e.descripcion().toStdString();
            EXPECT_TRUE(e.descripcion().contains(" no se puede leer")) << e.descripcion().toStdString();
        }
        EXPECT_THROW(f->valor("IMPORTE"), ErrorBD) << sql;
    }
    EXPECT_EQ(vieja.PrimeraFila("SELECT IMPORTE FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = 903")->moneda("IMPORTE").texto(), "12.5000");

    const QString m = EsquemaEmpresa(vieja).verificarEsquema();
    EXPECT_TRUE(m.contains("quedó como estaba")) << m.toStdString();
    EXPECT_TRUE(m.contains("MV_ASIENTOS, fila PERIODO = 2, MES_OPERATIVO = 5, FAMILIA = '', NUMERO ASIENTO = 901, SECUENCIA = 1: "
                           "IMPORTE = 12.5"))
        << m.toStdString();
    EXPECT_TRUE(m.contains("NUMERO ASIENTO = 902, SECUENCIA = 1: IMPORTE = '12,50'")) << m.toStdString();
    EXPECT_FALSE(m.contains("NUMERO ASIENTO = 903")) << m.toStdString();
    EXPECT_TRUE(m.contains("125000")) << m.toStdString(); // how to write it
    EXPECT_EQ(EsquemaEmpresa(vieja).versionEsquema(), 11);
    EXPECT_EQ(vieja.Escalar("SELECT typeof(IMPORTE) FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = 901").toString(), "real");
    EXPECT_FALSE(QFileInfo::exists(d.dbName + ".v11.bak"));

    // Once corrected, the update goes through.
    vieja.EjecutarSQL("UPDATE MV_ASIENTOS SET IMPORTE = 125000 WHERE [NUMERO ASIENTO] IN (901, 902)");
    EXPECT_EQ(EsquemaEmpresa(vieja).verificarEsquema(), QString());
    EXPECT_EQ(EsquemaEmpresa(vieja).versionEsquema(), EsquemaEmpresa::versionEsquemaPrograma());
    vieja.Cerrar();
    QFile::remove(d.dbName + ".v11.bak");
    eliminarEmpresa(d, &error);
}

INSTANTIATE_TEST_SUITE_P(Motores, ImportesEnteros, ::testing::Values(Motor::SQLite), prueba::nombreMotor);

class CuentasIva : public prueba::BaseDePrueba {};

// Another program inserts the concept columns alone: the row numbers itself,
// after the highest ID stored, on a new company and on an updated one.
TEST_P(CuentasIva, ElIdSeNumeraSolo)
{
    const QString insertar = "INSERT INTO TA_CUENTASIVA (CFI_IVARI, DFI_IVARI, DFI_IVARNI, DFI_IVARM, DFI_IVACF, CFI_RETPERC, "
                             "DFI_RETPERC, CFI_RETIGAN, CFI_RETIBTOS, DFI_RETIBTOS, DFI_IVAREC) "
                             "VALUES ('1105', '2105', '2106', '2107', '2108', '1106', '2109', '1107', '1108', '2110', '2111')";
    con().EjecutarSQL(insertar);
    con().EjecutarSQL(insertar);
    const auto ids = con().ObtenerRecordset("SELECT ID FROM TA_CUENTASIVA ORDER BY ID").todas();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_LT(ids[0].entero("ID"), ids[1].entero("ID"));

    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 11, false, &d, &error)) << error.toStdString();
    vieja.EjecutarSQL("INSERT INTO TA_CUENTASIVA (ID, CFI_IVARI) VALUES (7, '1105')");
    if (motor() == Motor::PostgreSQL) {
        EXPECT_THROW(vieja.EjecutarSQL(insertar), ErrorBD); // no identity before step 12
    }
    EXPECT_EQ(EsquemaEmpresa(vieja).verificarEsquema(), QString());
    vieja.EjecutarSQL(insertar);
    EXPECT_EQ(vieja.Escalar("SELECT MAX(ID) FROM TA_CUENTASIVA").toLongLong(), 8);
    EXPECT_EQ(vieja.Escalar("SELECT COUNT(*) FROM TA_CUENTASIVA").toLongLong(), 2);
    vieja.Cerrar();
    QFile::remove(d.dbName + ".v11.bak");
    eliminarEmpresa(d, &error);
}

VEXA_AMBOS_MOTORES(CuentasIva);

// A SQLite company file damaged after it was made: a page of the journal's
// table overwritten while no connection of this process had it open.
class ArchivoDaniado : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const qint64 pagina = con().Escalar("SELECT rootpage FROM sqlite_master WHERE name = 'MV_ASIENTOS'").toLongLong();
        const qint64 tamanio = con().Escalar("PRAGMA page_size").toLongLong();
        con().Cerrar();
        QFile f(datos().dbName);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek((pagina - 1) * tamanio));
        f.write(QByteArray(16, '\xff'));
        f.close();
        daniado = bytesDe(datos().dbName);
        primera = kPrimeraLineaDaniado.arg(QDir::toNativeSeparators(QFileInfo(datos().dbName).absoluteFilePath()));
    }
    // Nothing was written: the file is as it was damaged, with no journal left.
    void sinCambios()
    {
        con().Cerrar();
        EXPECT_TRUE(bytesDe(datos().dbName) == daniado);
        EXPECT_EQ(QFileInfo(datos().dbName + "-wal").size(), 0);
    }
    QByteArray daniado;
    QString primera;
};

// The check of the file finds the damage; the first statement that writes
// waits for it and is refused, and so is every later one; reads go on.
TEST_P(ArchivoDaniado, LaVerificacionLoEncuentraYNoSeEscribeNada)
{
    ASSERT_TRUE(con().Abrir()) << con().ultimoError().toStdString(); // its first page is sound
    EXPECT_EQ(EsquemaEmpresa(con()).verificarEsquema(), QString());                 // the check runs meanwhile
    for (int i = 0; i < 2; ++i) {
        try {
            con().Insertar("TA_CONFIGURACION", {{"CLAVE", "NUEVA"}, {"VALOR", "x"}});
            ADD_FAILURE() << "se grabó en un archivo dañado";
        } catch (const ErrorBD& e) {
            EXPECT_TRUE(e.descripcion().startsWith(primera)) << e.descripcion().toStdString();
            EXPECT_TRUE(e.descripcion().contains("restaure la última copia de seguridad")) << e.descripcion().toStdString();
            EXPECT_GE(e.descripcion().count('\n'), 1) << "lo que halló el motor, en otra línea";
        }
    }
    EXPECT_THROW(Transaccion t(con()), ErrorBD);
    EXPECT_TRUE(con().archivoDaniado());
    EXPECT_EQ(con().BuscaValor("TA_CONFIGURACION", "Nombre", "VALOR", "CLAVE").toString(), "Distribuidora del Sur S.A.");
    EXPECT_TRUE(con().verificarArchivo().startsWith(primera));
    sinCambios();
}

// Without the check, the engine meets the damage in the middle of a command:
// the command stops with the same message, its transaction writes nothing, and
// later writes are refused even where the file is sound.
TEST_P(ArchivoDaniado, ElDanioHalladoDespuesDetieneElComando)
{
    ASSERT_TRUE(con().Abrir()) << con().ultimoError().toStdString();
    {
        Transaccion t(con());
        con().Insertar("TA_CONFIGURACION", {{"CLAVE", "EN_LA_MISMA"}, {"VALOR", "x"}});
        try {
            con().Insertar("MV_ASIENTOS", {{"PERIODO", 2}, {"MES_OPERATIVO", 1}, {"[NUMERO ASIENTO]", 5000}, {"SECUENCIA", 1}});
            ADD_FAILURE() << "se grabó en un archivo dañado";
        } catch (const ErrorBD& e) {
            EXPECT_TRUE(e.descripcion().startsWith(primera)) << e.descripcion().toStdString();
            EXPECT_TRUE(e.descripcion().contains("malformed")) << e.descripcion().toStdString();
        }
        EXPECT_THROW(t.confirmar(), ErrorBD);
    }
    try {
        con().EjecutarSQL("UPDATE TA_CONFIGURACION SET VALOR = ? WHERE CLAVE = ?", {"otro", "Nombre"});
        ADD_FAILURE() << "se grabó en un archivo dañado";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.descripcion().startsWith(primera)) << e.descripcion().toStdString();
    }
    EXPECT_FALSE(con().ExisteRegistro("TA_CONFIGURACION", "EN_LA_MISMA", "CLAVE"));
    sinCambios();
}

INSTANTIATE_TEST_SUITE_P(Motores, ArchivoDaniado, ::testing::Values(Motor::SQLite), prueba::nombreMotor);

// Another program holds the file locked past the wait: the open is refused
// naming the file and the cause, the engine's text on the next line.
TEST(ArchivoBloqueado, OtroProgramaLoTieneBloqueado)
{
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (programa.isEmpty()) GTEST_SKIP() << "falta el programa sqlite3";
    QTemporaryDir dir;
    DatosConexion d;
    d.dbName = dir.filePath("empresa.db");
    QString error;
    ASSERT_TRUE(crearEmpresa(d, false, false, &error)) << error.toStdString();
    QProcess otro;
    otro.start(programa, {d.dbName});
    ASSERT_TRUE(otro.waitForStarted());
    otro.write("PRAGMA locking_mode = EXCLUSIVE;\nUPDATE TA_CONFIGURACION SET VALOR = VALOR;\nSELECT 'bloqueado';\n");
    QByteArray salida;
    while (!salida.contains("bloqueado") && otro.waitForReadyRead(60000)) salida += otro.readAllStandardOutput();
    ASSERT_TRUE(salida.contains("bloqueado")) << otro.readAllStandardError().toStdString();

    Conexion c;
    c.setTiempoEspera(1);
    c.setDatos(d);
    EXPECT_FALSE(c.Abrir());
    const QStringList lineas = c.ultimoError().split('\n');
    ASSERT_EQ(lineas.size(), 2) << c.ultimoError().toStdString();
    EXPECT_TRUE(lineas[0].startsWith("Otro programa tiene bloqueado el archivo de la empresa " +
                                     QDir::toNativeSeparators(d.dbName)))
        << lineas[0].toStdString();
    EXPECT_EQ(lineas[1], "database is locked");
    otro.closeWriteChannel();
    ASSERT_TRUE(otro.waitForFinished(60000));
    EXPECT_TRUE(c.Abrir()) << c.ultimoError().toStdString(); // released: it opens
}

} // namespace
