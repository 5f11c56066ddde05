#pragma once
// The company database: one connection object per process (Conexion::instancia),
// on SQLite (embedded, one file) or PostgreSQL (server), chosen by its details
// (DatosConexion): an empty server opens the SQLite file named by dbName; "host"
// or "host:port" opens the PostgreSQL database dbName as usuario/password.
// What differs between the backends lives in MotorBD.h; rows and recordsets in
// Filas.cpp; the schema, its version and its steps in EsquemaEmpresa (Esquema.h).
//
// Rules every caller relies on:
//  * SQL is written once, portable: '?' placeholders, LIMIT, COALESCE, CAST,
//    "DELETE FROM". Bracketed names ([NUMERO ASIENTO]) are translated here.
//  * Every value reaches the database as a bound parameter (Params).
//  * Text key columns (type TEXTO in db/schema) compare without regard to letter
//    case and trailing blanks on both backends, and keep their indexes:
//    write "CLAVE = ?" (never UPPER/RTRIM around the column). For pattern
//    searches use Conexion::comoTexto(col) + " LIKE ?".
//    On SQLite they are declared VARCHAR(n) COLLATE NOCASE (a collation every
//    SQLite tool has) and hold no trailing blanks: a text bound for such a column
//    (placeholders found as for amounts, below) loses its trailing blanks, so
//    "CLAVE = ?" matches "nombre  " as before. NOCASE folds ASCII letters only:
//    "ñ" and "Ñ" differ there (PostgreSQL folds them); fold explicitly
//    (UPPER on both sides) where a search must ignore the case of other letters.
//  * TEXTO(n) columns refuse a longer text (CHECK "largo COLUMNA n"): ErrorBD
//    "El texto es demasiado largo para la columna COLUMNA: ...".
//  * Amounts are Moneda: bind Moneda values, read them with Fila::moneda().
//    On SQLite a MONEDA column holds whole 1/10000 units, so never write an
//    amount literal into SQL text: bind it.
//    A value bound for an amount column is converted to the stored form whatever
//    its type, or refused (ErrorBD naming the column): a Moneda as it is, an
//    integer as whole currency units (12 -> 12.0000), a text read with
//    Moneda::parsear, a double rounded to four decimals; anything else, a text
//    that is not a number or a value outside the 64-bit range is refused.
//    Which placeholder goes to an amount column is learnt from the statement:
//      - Insertar/Actualizar name their columns;
//      - INSERT INTO t (a, b) VALUES (?, ?): the column of the same position;
//      - "col = ?", "col <> ?", "col < ?" (any comparison, either side),
//        "SET col = ?" and "col BETWEEN ? AND ?", col plain, [bracketed] or t.col;
//    and a column is an amount when the database catalogue declares it one
//    (MONEDA on SQLite, NUMERIC(19,4) on PostgreSQL) in every table that has a
//    column of that name. Any other placeholder (inside an expression, a function
//    call, an IN list) is bound as given: bind a Moneda there.
//    Results: a MONEDA column, and SUM/TOTAL/MAX/MIN/ABS of one (also inside
//    COALESCE/IFNULL with 0), read back as amounts on both backends.
//  * Dates are bound as QDate/QDateTime and read with Fila::fecha()/fechaHora().
//  * A failing statement throws ErrorBD (number + the database's description;
//    for a lock time-out, a full disk, a lost connection, a deadlock or a
//    serialisation failure a Spanish first line with the cause comes first).
//  * A statement that fails inside a transaction marks its level (transaction or
//    savepoint): confirming that level then rolls it back and throws. Rolling the
//    savepoint back clears the mark and leaves the enclosing level usable.
//  * A text holding a NUL character is refused before it reaches the database.
#include "DatosConexion.h"
#include "Errores.h"
#include "EstadoTransaccion.h"
#include "Moneda.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <QElapsedTimer>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

class QSqlQuery;
struct sqlite3;
struct sqlite3_stmt;

namespace vexa {

namespace archivo_sqlite {
class RevisionIntegridad;
}

enum class Motor { SQLite, PostgreSQL };

using Params = QVariantList;

class ErrorBD : public ErrorVexa {
public:
    // What an operator can act on; Otra for everything else.
    enum class Causa {
        Otra,
        EsperaAgotada,     // another user holds the lock and the time-out passed
        DiscoLleno,
        ConexionPerdida,
        BloqueoMutuo,      // deadlock: the statement was chosen to fail
        Serializacion,     // concurrent change: the transaction must be repeated
        TransaccionFallida, // confirm after a failed statement: rolled back
        NoEnCatalogo,       // a table, view or column the database does not have
        ClaveDuplicada      // a unique key another row already holds (SQLite 2067/1555, SQLSTATE 23505)
    };
    ErrorBD(int numero, QString descripcion, QString estado = QString(), QString sql = QString(), Causa causa = Causa::Otra);
    // An error the engine reported: classified by its native code, with a Spanish
    // first line naming the cause (when known) and the engine's text as the second.
    // conexionCerrada: the driver reports the connection gone.
    static ErrorBD delMotor(Motor m, const QString& estado, const QString& textoMotor, const QString& sql,
                            bool conexionCerrada = false);
    const QString& estado() const { return estado_; } // native code (SQLite code / PostgreSQL SQLSTATE)
    const QString& sql() const { return sql_; }
    Causa causa() const { return causa_; }
    bool esClaveDuplicada() const { return causa_ == Causa::ClaveDuplicada; }
    bool esEsperaAgotada() const { return causa_ == Causa::EsperaAgotada; }
    bool esDiscoLleno() const { return causa_ == Causa::DiscoLleno; }
    bool esConexionPerdida() const { return causa_ == Causa::ConexionPerdida; }
    bool esBloqueoMutuo() const { return causa_ == Causa::BloqueoMutuo; }
    // Deadlock or serialisation failure: repeating the whole transaction may succeed.
    bool esReintentable() const { return causa_ == Causa::BloqueoMutuo || causa_ == Causa::Serializacion; }
    bool esNoEnCatalogo() const { return causa_ == Causa::NoEnCatalogo; }
    // The database as a whole can't take more work now (another user's lock held
    // past the time-out, a full disk, a lost connection): a long run stops on it
    // instead of rejecting line after line with the same cause.
    bool impideSeguir() const
    {
        return causa_ == Causa::EsperaAgotada || causa_ == Causa::DiscoLleno || causa_ == Causa::ConexionPerdida;
    }
    // Same, for any exception.
    static bool impideSeguir(const std::exception& e)
    {
        const auto* bd = dynamic_cast<const ErrorBD*>(&e);
        return bd && bd->impideSeguir();
    }

private:
    QString estado_, sql_;
    Causa causa_ = Causa::Otra;
};

// Column names of a result, looked up without regard to case.
struct Columnas {
    std::vector<QString> nombres;
    QHash<QString, int> porNombre; // upper-cased name -> index
    std::vector<bool> esMoneda;    // SQLite: declared MONEDA (stored as units)
    std::vector<char> fecha;       // SQLite: 'D' declared DATE, 'T' DATETIME (kept as text), else 0
    int indice(const QString& nombre) const;
};

// One row of a result.
class Fila {
public:
    Fila() = default;
    Fila(std::shared_ptr<const Columnas> c, std::vector<QVariant> v, Motor m)
        : cols_(std::move(c)), vals_(std::move(v)), motor_(m) {}

    int cantidad() const { return (int)vals_.size(); }
    QString nombre(int i) const { return cols_->nombres[i]; }
    bool tiene(const QString& nombre) const { return cols_ && cols_->indice(nombre) >= 0; }

    // Raw value (null QVariant for NULL). Throws ErrorBD 3265 for an unknown field.
    QVariant valor(const QString& nombre) const;
    QVariant valor(int i) const;
    // As valor, with a date or date-and-time column as a QDate / QDateTime on
    // both backends (SQLite keeps them as text).
    QVariant valorTipado(int i) const;
    bool esNulo(const QString& nombre) const { return valor(nombre).isNull(); }
    // NULL -> "" ; amounts as "121.0000"; dates as ISO.
    QString texto(const QString& nombre) const;
    QString texto(int i) const;
    // NULL or non-numeric -> 0.
    qint64 entero(const QString& nombre) const;
    double doble(const QString& nombre) const;
    Moneda moneda(const QString& nombre) const;
    Moneda moneda(int i) const;
    QDate fecha(const QString& nombre) const;
    QDateTime fechaHora(const QString& nombre) const;
    bool logico(const QString& nombre) const { return entero(nombre) != 0; }

private:
    // columnaImporte: the result column is an amount (SQLite: a MONEDA column or
    // an aggregate of one), whose stored form is an integer of ten-thousandths.
    Moneda monedaDe(const QVariant& v, bool columnaImporte) const;
    std::shared_ptr<const Columnas> cols_;
    std::vector<QVariant> vals_;
    Motor motor_ = Motor::SQLite;
};

class Conexion;
class InsercionMasiva;

// Forward-only read of a query's rows (the read-only recordset).
// Positioned on the first row after opening; eof() when there are no more.
class Recordset {
public:
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    bool eof() const { return eof_; }
    bool vacio() const { return vacio_; } // BOF and EOF: no rows at all
    void siguiente();
    const Fila& fila() const { return fila_; }
    // Shortcuts on the current row.
    QVariant valor(const QString& n) const { return fila_.valor(n); }
    QString texto(const QString& n) const { return fila_.texto(n); }
    qint64 entero(const QString& n) const { return fila_.entero(n); }
    Moneda moneda(const QString& n) const { return fila_.moneda(n); }
    QDate fecha(const QString& n) const { return fila_.fecha(n); }
    bool esNulo(const QString& n) const { return fila_.esNulo(n); }
    // Reads the remaining rows.
    std::vector<Fila> todas();
    // The result's column names, in order (also when there are no rows).
    std::vector<QString> nombresColumnas() const { return cols_ ? cols_->nombres : std::vector<QString>(); }
    void cerrar();

private:
    friend class Conexion;
    Recordset(Conexion* c, std::unique_ptr<QSqlQuery> q, QString sql);
    void leerFila();
    void fallaAlLeer();
    Conexion* con_ = nullptr;
    std::unique_ptr<QSqlQuery> q_;
    QString sql_;
    std::shared_ptr<Columnas> cols_;
    Fila fila_;
    bool eof_ = true, vacio_ = true;
};

// A column of a table or view as the database's own catalogue declares it.
struct ColumnaCatalogo {
    enum class Tipo { Texto, Entero, Doble, Moneda, Decimal, Fecha, FechaHora, Otro };
    QString nombre;       // spelled as the catalogue keeps it
    Tipo tipo = Tipo::Otro;
    int ancho = 0;        // the most characters a text column takes (0: no declared limit)
    QString citado() const; // the name as a quoted identifier, ready for SQL text
};

// A table or view found in the catalogue, with its columns in their order.
struct TablaCatalogo {
    QString nombre; // spelled as the catalogue keeps it
    bool esVista = false;
    std::vector<ColumnaCatalogo> columnas;
    // The column of that name, compared without regard to case; nullptr when none.
    const ColumnaCatalogo* columna(const QString& nombre) const;
    QString citado() const;
};

// Column = value pairs for Insertar/Actualizar, in order.
using Valores = std::vector<std::pair<QString, QVariant>>;

class Conexion {
public:
    Conexion();
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    // The process-wide connection, created on first use.
    static Conexion& instancia();

    // What the connection opens (set before Abrir).
    const DatosConexion& datos() const { return datos_; }
    void setDatos(const DatosConexion& d);
    // "QSQLITE" or "QPSQL" (what the fields select).
    QString Driver() const;
    Motor motor() const;

    // Opens the connection; returns Conectado(). Why it failed: ultimoError().
    // A SQLite file that does not exist is not created (see crearBaseSQLite);
    // one that cannot be used (read-only file or folder, damaged, not a
    // database, locked) is refused with a Spanish first line naming the file and
    // the cause, the engine's text on the second; an empty file is left empty.
    bool Abrir();
    bool Abrir(const DatosConexion& d) { setDatos(d); return Abrir(); }
    bool Conectado() const;
    void Cerrar();
    QString ultimoError() const { return ultimoError_; }
    // Text that names the connection for viewers and companion programs.
    QString CadenaConexion() const;
    // Statement time-out in seconds (SQLite: busy time-out; PostgreSQL: statement_timeout).
    void setTiempoEspera(int segundos);
    int tiempoEspera() const { return tiempoEspera_; }
    // Called every few tens of milliseconds while SQLite waits for another
    // connection's lock, with the milliseconds waited so far, so that a window can
    // process its events and show that it waits. It must not run statements on
    // this connection. Throwing from it stops the wait (the statement then fails
    // with the lock time-out). PostgreSQL waits inside the server: not called.
    void setAlEsperar(std::function<void(int msEsperados)> f) { alEsperar_ = std::move(f); }

    // True when the connection the program opened is gone without the program
    // closing it: a statement failed because it was lost, the driver reports it
    // closed, or (PostgreSQL, outside a transaction) the server does not answer
    // a trivial statement any more. reabrir() opens it again with the same
    // details; while it cannot, the connection stays lost (every statement
    // fails as a lost connection) and the next reabrir() tries again.
    bool conexionPerdida();
    bool reabrir();

    // Reading (forward-only, read-only).
    Recordset ObtenerRecordset(const QString& sql, const Params& p = {});
    // First row, if any.
    std::optional<Fila> PrimeraFila(const QString& sql, const Params& p = {});
    // First column of the first row; null QVariant when there is no row.
    QVariant Escalar(const QString& sql, const Params& p = {});
    // Action statement; returns the rows affected.
    int EjecutarSQL(const QString& sql, const Params& p = {});

    // Row changes in place of updatable recordsets. Names are checked identifiers.
    // Insertar returns the new identity value when the table has one (else 0).
    qint64 Insertar(const QString& tabla, const Valores& valores, const QString& columnaId = QString());
    int Actualizar(const QString& tabla, const Valores& valores, const QString& donde, const Params& p = {});
    int Eliminar(const QString& tabla, const QString& donde, const Params& p = {});

    // True when a row of the table has campo = valor and meets the extra condition
    // (SQL text with its own '?' parameters).
    bool ExisteRegistro(const QString& tabla, const QVariant& valor, const QString& campo,
                        const QString& condicionExtra = QString(), const Params& extra = {});
    // The result field of the first row found by key; null QVariant when none.
    QVariant BuscaValor(const QString& tabla, const QVariant& clave, const QString& campoResultado,
                        const QString& campoClave, const QString& condicion = QString(), const Params& extra = {});
    // Highest value of the field (null QVariant when no row).
    QVariant ObtieneMaximo(const QString& tabla, const QString& campo, const QString& condicion = QString(),
                           const Params& extra = {});

    // The catalogue lookup: names that come from tables, settings, rules or
    // stored definitions reach SQL text only through it. A table or view (and
    // its columns) is found without regard to case in the database's own
    // catalogue, kept until the schema changes or the connection is opened
    // again, and handed back in the catalogue's spelling; citado() quotes it
    // (PostgreSQL's quoted names are case-sensitive, so the spelling matters).
    // A name the database lacks throws ErrorBD (Causa::NoEnCatalogo) with a
    // message that names it; nothing else runs.
    TablaCatalogo Catalogo(const QString& tabla);
    ColumnaCatalogo CatalogoColumna(const QString& tabla, const QString& columna);
    // Quoted names, ready for SQL text (same errors as above).
    QString NombreTabla(const QString& tabla);
    QString NombreColumna(const QString& tabla, const QString& columna);
    // Whether the table (and the column, when one is given) exists; never throws
    // for a missing name.
    bool ExisteEnCatalogo(const QString& tabla, const QString& columna = QString());
    // The messages of a missing name.
    static QString MensajeTablaInexistente(const QString& tabla);
    static QString MensajeColumnaInexistente(const QString& tabla, const QString& columna);

    // Transactions (see Transaccion for the guard everyone should use).
    // escritura=true takes the write lock at once (SQLite BEGIN IMMEDIATE).
    void iniciarTransaccion(bool escritura = true);
    void confirmarTransaccion();
    void deshacerTransaccion();
    bool enTransaccion() const { return nivelTransaccion_ > 0; }
    // A statement failed at the current level (transaction or savepoint) since it
    // began: confirming it would throw. Cleared by rolling that level back.
    bool transaccionFallida() const { return nivelTransaccion_ > 0 && !fallaNivel_.empty() && fallaNivel_.back(); }
    // Serialises writers of one numbering family until the transaction ends
    // (PostgreSQL advisory lock; SQLite already holds the database write lock).
    // Taken once per transaction: a second call for the same key costs nothing.
    void bloquearFamilia(const QString& clave);

    // What this connection remembers while its transaction is open (see
    // EstadoTransaccion.h: most of it follows the savepoints).
    EstadoTransaccion& estadoTransaccion() { return estadoTransaccion_; }
    const EstadoTransaccion& estadoTransaccion() const { return estadoTransaccion_; }

    // Dialect helpers.
    QString traducir(const QString& sql) const;   // [names], done for every statement
    QString comoTexto(const QString& columna) const; // for LIKE on a TEXTO column
    // A TEXTO column for equality with texts as given (on a server, byte for
    // byte; on SQLite as the column compares).
    QString textoExacto(const QString& columna) const;
    QString likeOperador() const;

    // SQLite: the check of the whole file (PRAGMA quick_check, see
    // ArchivoSQLite.h). iniciarVerificacionArchivo starts it on a connection and
    // thread of its own and returns at once; the first statement that writes
    // waits for its end. verificarArchivo waits for it (starting it when it was
    // not started): "" when the file is sound, else the message that names the
    // file and says what to do, with the engine's findings. A damaged file, and
    // any later engine error that says the file is damaged, leave the connection
    // refusing every statement that writes (with that message) until it is
    // opened again: nothing more is written to it. PostgreSQL: nothing to check.
    void iniciarVerificacionArchivo();
    QString verificarArchivo();
    // A damaged SQLite file was met (see verificarArchivo).
    bool archivoDaniado() const { return daniado_; }
    // Creates a new empty SQLite file (fails if it exists) and opens it.
    bool crearBaseSQLite(const QString& archivo);

    // The last failed statement's error (to learn whether anything failed inside
    // the current transaction or savepoint ask transaccionFallida()).
    QString ultimoErrorSQL() const { return ultimoErrorSQL_; }

    QSqlDatabase& bd() { return db_; }
    const QString& nombreConexion() const { return nombre_; }

    // Binds a value the way the backend stores it (Moneda units on SQLite, ...).
    QVariant valorParaMotor(const QVariant& v) const;
    // Same for a value bound for the named column (empty: not known): amounts are
    // converted or refused and texts with NUL refused (see the rules above).
    QVariant valorParaColumna(const QVariant& v, const QString& columna);
    // The amount columns of the open database (upper-cased names, see above).
    const QSet<QString>& columnasImporte();
    // SQLite text key columns (TEXTO(n)): bound texts lose their trailing blanks.
    const QSet<QString>& columnasClave();

private:
    friend class Recordset;
    friend class InsercionMasiva; // binds on the handle, copies through libpq
    friend class EsquemaEmpresa;  // drops prepared statements and the catalogue after its steps
    std::unique_ptr<QSqlQuery> preparar(const QString& sql, const Params& p);
    void devolver(std::unique_ptr<QSqlQuery> q, const QString& sql);
    [[noreturn]] void lanzar(const QSqlQuery& q, const QString& sql);
    // Throws unless the connection is open: a lost one as a lost connection.
    void exigirAbierta(const QString& sql);
    // Opened by the program, not closed by it, yet the driver says it is closed.
    bool cerradaSinCerrar() const;
    [[noreturn]] void fallar(const ErrorBD& e);
    void ejecutarDirecto(const QString& sql);
    int ejecutarAccionSQLite(const QString& sql, const Params& p);
    bool leeEnFlujo() const;
    void liberarConsultas();
    // SQLite: the bulk insert's statement kept under its key (its table, columns
    // and rows) for the connection's life; null until prepared.
    sqlite3_stmt*& sentenciaMasiva(const QString& clave);
    bool transaccionAbortadaEnServidor() const;
    const std::vector<QString>& columnasDeMarcas(const QString& sql);
    static int esperaOcupada(void* conexion, int veces);

    QSqlDatabase db_;
    DatosConexion datos_;
    QString nombre_;
    QString ultimoError_;
    int tiempoEspera_ = 30;
    int nivelTransaccion_ = 0;
    QString ultimoErrorSQL_;
    EstadoTransaccion estadoTransaccion_; // one level per open transaction or savepoint
    std::vector<bool> fallaNivel_;                     // one per open level
    bool perdida_ = false;
    bool daniado_ = false;
    QString mensajeDaniado_; // what the check found (empty: the plain message)
    std::unique_ptr<archivo_sqlite::RevisionIntegridad> revision_;
    // Waits for the file's check, if one runs; afterwards daniado_ holds its answer.
    void esperarVerificacion();
    quint64 archivoAbierto_ = 0; // this connection's entry among the open SQLite files (ArchivoSQLite.h)
    // Refuses a statement that writes once the file was found damaged.
    void exigirArchivoSano(const QString& sql);
    bool abierta_ = false; // opened by Abrir and not closed by Cerrar since
    std::function<void(int)> alEsperar_;
    QElapsedTimer inicioEspera_;
    std::optional<QSet<QString>> importes_; // catalogue, read on first use
    QSet<QString> claves_;
    void leerCatalogo();
    // Forgets what was read from the catalogue (the schema changed, a new connection).
    void olvidarCatalogo();
    std::optional<TablaCatalogo> buscarEnCatalogo(const QString& tabla);
    QHash<QString, TablaCatalogo> tablasCatalogo_; // upper-cased name asked for -> what was found
    sqlite3* sqlite_ = nullptr; // the open SQLite handle (action statements bind on it directly)
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

// Transaction guard: rolls back unless confirmar() was called.
class Transaccion {
public:
    explicit Transaccion(Conexion& c, bool escritura = true);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;
    void confirmar();
    void deshacer();
    bool activa() const { return activa_; }

private:
    Conexion& c_;
    bool activa_ = false;
};

// Checks a table or column name written by code (letters, digits, '_'; blanks and '-' in brackets).
bool esIdentificadorValido(const QString& nombre);

} // namespace vexa
