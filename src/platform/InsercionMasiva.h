#pragma once
// Many rows into one table, with the values already typed: no QVariant per
// value, no statement per row.
//
//   InsercionMasiva ins(con, "MV_ASIENTOS", {"CUENTA", "SECUENCIA", "[NUMERO ASIENTO]", ...});
//   for each row: ins.texto(cuenta).entero(secuencia).entero(nro)...; ins.finFila();
//   ins.escribir();            // inside the caller's transaction
//
// SQLite: the rows go through one prepared statement of many rows (and one of
// a row for the rest), each value bound on the handle as it is. PostgreSQL:
// the rows are sent with COPY ... FROM STDIN through libpq on the connection's
// own session, so they belong to its open transaction.
//
// Values are stored as the database layer stores them (Conexion::valorParaColumna):
// amounts as Moneda's units on SQLite and as exact decimal text on PostgreSQL,
// dates as ISO text, SQLite text keys without trailing blanks; a text with a
// NUL is refused. Rows are held until escribir() (or until many are held, when
// a call of finFila sends them); a failure throws ErrorBD as any statement of
// the connection does. An object serves one batch of writes: it keeps no
// statement past its life.
#include "Conexion.h"
#include "Moneda.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace vexa {

class InsercionMasiva {
public:
    // 'columnas' as they are written in SQL text ([NAMES] bracketed).
    InsercionMasiva(Conexion& con, const QString& tabla, const QStringList& columnas);
    ~InsercionMasiva();
    InsercionMasiva(const InsercionMasiva&) = delete;
    InsercionMasiva& operator=(const InsercionMasiva&) = delete;

    // The values of the current row, in column order.
    InsercionMasiva& entero(qint64 v);
    InsercionMasiva& texto(QStringView v);
    InsercionMasiva& moneda(const Moneda& m);
    InsercionMasiva& fecha(const QDate& d); // an invalid date is NULL
    InsercionMasiva& nulo();
    // Ends the row; throws unless it had a value for every column.
    void finFila();
    // Sends the rows held. Returns how many rows were written since construction.
    qint64 escribir();
    int filasPendientes() const { return filas_; }

private:
    struct Valor {
        enum class Tipo : std::uint8_t { Nulo, Entero, Texto } tipo = Tipo::Nulo;
        qint64 n = 0;          // Entero; Texto: offset in textos_
    };
    void columnaSiguiente();
    void textoUtf8(QStringView v, bool clave);
    void escribirSQLite();
    void escribirPostgreSQL();
    sqlite3_stmt* sentencia(int filas);
    [[noreturn]] void fallar(const QString& estado, const QString& texto, const QString& sql, bool conexionCerrada = false);

    Conexion& con_;
    QString tabla_;
    QStringList columnas_;
    std::vector<QString> nombres_; // upper-cased, no brackets (for messages and the key test)
    std::vector<bool> clave_;      // SQLite text key: trailing blanks dropped
    QString claveSentencias_;      // SQLite: the table and columns, as the connection keeps their statements
    bool sqlite_;
    int columna_ = 0;              // of the current row
    int filas_ = 0;                // held
    qint64 escritas_ = 0;
    // SQLite: the values held, texts' UTF-8 bytes in one buffer, each
    // followed by a NUL.
    std::vector<Valor> valores_;
    std::string textos_;
    // PostgreSQL: the rows held, in COPY's text form.
    std::string copia_;
};

} // namespace vexa
