#include "LimiteMotor.h"

#include "BaseBench.h"
#include "Conexion.h"

#include <QElapsedTimer>
#include <QSqlDriver>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdio>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif
#include <ctime>

namespace vexa::bench {

namespace {

template <typename T>
T* manejador(Conexion& c, const char* tipo, const char* otroTipo = nullptr)
{
    const QVariant h = c.bd().driver()->handle();
    if (!h.isValid() || (qstrcmp(h.typeName(), tipo) != 0 && (!otroTipo || qstrcmp(h.typeName(), otroTipo) != 0))) return nullptr;
    return *static_cast<T* const*>(h.constData());
}

bool sqliteBien(sqlite3* bd, int rc, const char* que)
{
    if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) return true;
    std::fprintf(stderr, "límite del motor (%s): %s\n", que, sqlite3_errmsg(bd));
    return false;
}

double sqlite(Conexion& c, const QString& tabla, const QStringList& columnas, qint64 filas,
              const std::function<void(qint64, FilaMotor&)>& fila)
{
    sqlite3* bd = manejador<sqlite3>(c, "sqlite3*");
    if (!bd) return 0;
    QString sql = QStringLiteral("INSERT INTO %1 (").arg(tabla);
    for (int i = 0; i < columnas.size(); ++i) sql += (i ? QStringLiteral(", \"") : QStringLiteral("\"")) + columnas[i] + u'"';
    sql += QStringLiteral(") VALUES (");
    for (int i = 0; i < columnas.size(); ++i) sql += i ? QStringLiteral(", ?") : QStringLiteral("?");
    sql += u')';
    sqlite3_stmt* st = nullptr;
    if (!sqliteBien(bd, sqlite3_prepare_v2(bd, sql.toUtf8().constData(), -1, &st, nullptr), "prepare")) return 0;
    FilaMotor valores(size_t(columnas.size()));
    QElapsedTimer t;
    t.start();
    bool bien = sqliteBien(bd, sqlite3_exec(bd, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), "begin");
    for (qint64 i = 0; bien && i < filas; ++i) {
        fila(i, valores);
        for (int k = 0; k < int(valores.size()); ++k) {
            const ValorMotor& v = valores[size_t(k)];
            switch (v.tipo) {
            case ValorMotor::Tipo::Nulo: sqlite3_bind_null(st, k + 1); break;
            case ValorMotor::Tipo::Entero:
            case ValorMotor::Tipo::Importe: sqlite3_bind_int64(st, k + 1, v.entero); break;
            case ValorMotor::Tipo::Texto: sqlite3_bind_text(st, k + 1, v.texto.constData(), int(v.texto.size()), SQLITE_STATIC); break;
            }
        }
        bien = sqliteBien(bd, sqlite3_step(st), "insert");
        sqlite3_reset(st);
    }
    if (bien) bien = sqliteBien(bd, sqlite3_exec(bd, "COMMIT", nullptr, nullptr, nullptr), "commit");
    const double s = t.nsecsElapsed() / 1e9;
    if (!bien) sqlite3_exec(bd, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_finalize(st);
    return bien ? s : 0;
}

bool pgOrden(PGconn* pg, const char* sql, ExecStatusType esperado)
{
    PGresult* r = PQexec(pg, sql);
    const bool bien = PQresultStatus(r) == esperado;
    if (!bien) std::fprintf(stderr, "límite del motor (%s): %s\n", sql, PQerrorMessage(pg));
    PQclear(r);
    return bien;
}

// One value in COPY's text format.
void copiar(QByteArray& buf, const ValorMotor& v)
{
    char n[32];
    switch (v.tipo) {
    case ValorMotor::Tipo::Nulo: buf += "\\N"; break;
    case ValorMotor::Tipo::Entero: buf += QByteArray::number(v.entero); break;
    case ValorMotor::Tipo::Importe: {
        const quint64 a = v.entero < 0 ? quint64(-(v.entero + 1)) + 1 : quint64(v.entero);
        std::snprintf(n, sizeof n, "%s%llu.%04llu", v.entero < 0 ? "-" : "", (unsigned long long)(a / 10000),
                      (unsigned long long)(a % 10000));
        buf += n;
        break;
    }
    case ValorMotor::Tipo::Texto:
        for (char ch : v.texto) {
            switch (ch) {
            case '\\': buf += "\\\\"; break;
            case '\t': buf += "\\t"; break;
            case '\n': buf += "\\n"; break;
            case '\r': buf += "\\r"; break;
            default: buf += ch;
            }
        }
        break;
    }
}

double postgresql(Conexion& c, const QString& tabla, const QStringList& columnas, qint64 filas,
                  const std::function<void(qint64, FilaMotor&)>& fila)
{
    PGconn* pg = manejador<PGconn>(c, "PGconn*", "pg_conn*");
    if (!pg) return 0;
    // Unquoted names are folded to lower case by the server; these are quoted.
    QString sql = QStringLiteral("COPY %1 (").arg(tabla.toLower());
    for (int i = 0; i < columnas.size(); ++i) sql += (i ? QStringLiteral(", \"") : QStringLiteral("\"")) + columnas[i].toLower() + u'"';
    sql += QStringLiteral(") FROM STDIN");
    FilaMotor valores(size_t(columnas.size()));
    QByteArray buf;
    buf.reserve(1 << 20);
    QElapsedTimer t;
    t.start();
    // The connection's statement time-out is for an operator's statements; a
    // copy of millions of rows may take longer.
    bool bien = pgOrden(pg, "BEGIN", PGRES_COMMAND_OK) && pgOrden(pg, "SET LOCAL statement_timeout = 0", PGRES_COMMAND_OK)
                && pgOrden(pg, sql.toUtf8().constData(), PGRES_COPY_IN);
    for (qint64 i = 0; bien && i < filas; ++i) {
        fila(i, valores);
        for (size_t k = 0; k < valores.size(); ++k) {
            if (k) buf += '\t';
            copiar(buf, valores[k]);
        }
        buf += '\n';
        if (buf.size() >= (1 << 20) || i + 1 == filas) {
            bien = PQputCopyData(pg, buf.constData(), int(buf.size())) == 1;
            buf.clear();
        }
    }
    if (PQputCopyEnd(pg, bien ? nullptr : "cancelado") != 1) bien = false;
    while (PGresult* r = PQgetResult(pg)) {
        if (PQresultStatus(r) != PGRES_COMMAND_OK) {
            if (bien) std::fprintf(stderr, "límite del motor (COPY): %s\n", PQerrorMessage(pg));
            bien = false;
        }
        PQclear(r);
    }
    if (bien) bien = pgOrden(pg, "COMMIT", PGRES_COMMAND_OK);
    const double s = t.nsecsElapsed() / 1e9;
    if (!bien) pgOrden(pg, "ROLLBACK", PGRES_COMMAND_OK);
    return bien ? s : 0;
}

} // namespace

double limiteMotor(Motor motor, const QString& tabla, const QStringList& columnas, qint64 filas,
                   const std::function<void(qint64, FilaMotor&)>& fila, const std::function<void(Conexion&)>& antes, double* cpu)
{
    BaseBench empresa;
    if (!empresa.crear(motor, QStringLiteral("vexa_bench_motor"), true)) return 0;
    double s = 0;
    {
        Conexion c;
        if (!c.Abrir(empresa.datos())) {
            std::fprintf(stderr, "no se pudo abrir: %s\n", qPrintable(c.ultimoError()));
            return 0;
        }
        try {
            if (antes) antes(c);
        } catch (const ErrorBD& e) {
            std::fprintf(stderr, "límite del motor: %s\n", qPrintable(e.descripcion()));
            return 0;
        }
        timespec a{}, b{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
        // Under valgrind --tool=callgrind --collect-atstart=no, only this part is counted.
        CALLGRIND_TOGGLE_COLLECT;
        s = motor == Motor::SQLite ? sqlite(c, tabla, columnas, filas, fila) : postgresql(c, tabla, columnas, filas, fila);
        CALLGRIND_TOGGLE_COLLECT;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
        if (cpu) *cpu = double(b.tv_sec - a.tv_sec) + double(b.tv_nsec - a.tv_nsec) / 1e9;
        c.Cerrar();
    }
    return s;
}

} // namespace vexa::bench
