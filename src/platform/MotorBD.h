#pragma once
// What differs between the two backends, behind one interface (used by Conexion
// only): driver and connection set-up, session settings, the statement time-out,
// the BEGIN form, dialect (bracketed names, LIKE on keys), the bound form of
// amounts, the advisory lock of a numbering family, the catalogue query, and what
// the driver knows about a lost connection or a COMMIT answered with a rollback.
// SQLite's own statement path (action statements bound on the handle) is in
// MotorSQLite.cpp too.
#include "Conexion.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct pg_conn;

namespace vexa {

class MotorBD {
public:
    virtual ~MotorBD() = default;
    // The stateless backend of each kind.
    static const MotorBD& de(Motor m);

    virtual QString driver() const = 0;
    // Sets the database up before open(); false (with the reason) when it can't be opened.
    virtual bool configurar(QSqlDatabase& db, const DatosConexion& d, QString* error) const = 0;
    // Statements that set each new session up.
    virtual QStringList sentenciasDeSesion() const = 0;
    // Statement that sets the file's journal (it writes the file's header: not
    // run on an empty file, which a refused open must leave as it was); empty
    // when there is none.
    virtual QString sentenciaDiario() const = 0;
    // Statement that sets the statement time-out; empty when it is kept elsewhere.
    virtual QString sentenciaTiempoEspera(int segundos) const = 0;
    virtual QString sentenciaInicio(bool escritura) const = 0;
    virtual QString traducir(const QString& sql) const = 0;
    virtual QString comoTexto(const QString& columna) const = 0;
    // The column as text for equality with plain texts, compared byte for byte
    // where the engine can (a deterministic collation's equality is that
    // anyway; the byte collation hashes and compares it cheaper).
    virtual QString textoExacto(const QString& columna) const = 0;
    virtual QString likeOperador() const = 0;
    virtual QVariant valorMoneda(const Moneda& m) const = 0;
    // Statement with one BIGINT parameter that serialises writers until the
    // transaction ends; empty when the backend's write lock does it already.
    virtual QString sentenciaBloqueo() const = 0;
    // Results can be stepped while other statements run on the connection.
    virtual bool leeEnFlujo() const = 0;
    // Rows (column name, declared type) of every table column; amounts as "MONEDA".
    virtual QString consultaCatalogo() const = 0;
    virtual bool conexionCerrada(const QSqlDatabase& db) const = 0;
    // A statement that only asks whether the server is still there; empty when
    // the database can't be lost (an embedded file).
    virtual QString sentenciaSonda() const = 0;
    virtual bool transaccionAbortada(const QSqlDatabase& db) const = 0;
    // The COMMIT just run was answered with a rollback.
    virtual bool commitDeshecho(const QSqlQuery& q) const = 0;
};

namespace motor_sqlite {
// The open connection's handle (nullptr when it is not SQLite).
sqlite3* manejador(const QSqlDatabase& db);
// Registers the collation of companies before schema step 3 and the busy handler.
void preparar(sqlite3* bd, int (*espera)(void*, int), void* dato);
// Registers that collation alone (false when it could not).
bool registrarColacion(sqlite3* bd);
// Runs an action statement prepared once on the handle (kept in cache) with the
// values already in stored form; returns the rows changed. Throws ErrorBD.
int ejecutarAccion(sqlite3* bd, std::map<QString, sqlite3_stmt*>& cache, const QString& sql,
                   const std::vector<QVariant>& valores);
void finalizar(std::map<QString, sqlite3_stmt*>& cache);
} // namespace motor_sqlite

namespace motor_postgresql {
// The open connection's libpq handle (nullptr when it is not PostgreSQL).
pg_conn* manejador(const QSqlDatabase& db);
} // namespace motor_postgresql

} // namespace vexa
