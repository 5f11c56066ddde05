// The PostgreSQL backend: a server database; bracketed names become quoted
// lower-case identifiers; amounts travel as exact decimal text; libpq tells what
// the Qt driver does not (a lost connection, a COMMIT answered with a rollback).
#include "MotorBD.h"

#include <QSqlDriver>
#include <QSqlResult>

#include <libpq-fe.h>

namespace vexa {

PGconn* motor_postgresql::manejador(const QSqlDatabase& db)
{
    if (!db.isValid() || !db.isOpen()) return nullptr;
    QVariant h = db.driver()->handle();
    if (!h.isValid() || (qstrcmp(h.typeName(), "PGconn*") != 0 && qstrcmp(h.typeName(), "pg_conn*") != 0)) return nullptr;
    return *static_cast<PGconn* const*>(h.constData());
}

namespace {

PGconn* conexionPg(const QSqlDatabase& db) { return motor_postgresql::manejador(db); }

class MotorPostgreSQL final : public MotorBD {
public:
    QString driver() const override { return QStringLiteral("QPSQL"); }
    bool configurar(QSqlDatabase& db, const DatosConexion& d, QString*) const override
    {
        QString host = d.server.trimmed();
        int puerto = 5432;
        int dp = host.lastIndexOf(u':');
        if (dp > 0) {
            puerto = host.mid(dp + 1).toInt();
            host = host.left(dp);
        }
        db.setHostName(host);
        db.setPort(puerto);
        db.setDatabaseName(d.dbName.trimmed());
        db.setUserName(d.usuario);
        db.setPassword(d.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        return true;
    }
    QStringList sentenciasDeSesion() const override
    {
        return {QStringLiteral("SET client_encoding = 'UTF8'"), QStringLiteral("SET DateStyle = 'ISO, YMD'")};
    }
    QString sentenciaDiario() const override { return QString(); }
    QString sentenciaTiempoEspera(int segundos) const override
    {
        return QStringLiteral("SET statement_timeout = %1").arg(qint64(segundos) * 1000);
    }
    QString sentenciaInicio(bool) const override { return QStringLiteral("BEGIN"); }
    QString traducir(const QString& sql) const override
    {
        if (!sql.contains(u'[')) return sql;
        QString r;
        r.reserve(sql.size());
        const int n = sql.size();
        for (int i = 0; i < n; ++i) {
            QChar c = sql[i];
            if (c == u'\'' || c == u'"') {
                int j = i + 1;
                while (j < n) {
                    if (sql[j] == c) {
                        if (j + 1 < n && sql[j + 1] == c) { j += 2; continue; }
                        break;
                    }
                    ++j;
                }
                r += QStringView(sql).mid(i, std::min(j, n - 1) - i + 1);
                i = j;
                continue;
            }
            if (c == u'[') {
                int j = sql.indexOf(u']', i + 1);
                if (j > 0) {
                    r += u'"' + sql.mid(i + 1, j - i - 1).toLower() + u'"';
                    i = j;
                    continue;
                }
            }
            r += c;
        }
        return r;
    }
    QString comoTexto(const QString& columna) const override
    {
        return QStringLiteral("CAST(%1 AS TEXT) COLLATE \"default\"").arg(columna);
    }
    QString textoExacto(const QString& columna) const override { return QStringLiteral("CAST(%1 AS TEXT) COLLATE \"C\"").arg(columna); }
    QString likeOperador() const override { return QStringLiteral("ILIKE"); }
    QVariant valorMoneda(const Moneda& m) const override { return QVariant(m.texto(4)); }
    QString sentenciaBloqueo() const override { return QStringLiteral("SELECT pg_advisory_xact_lock(CAST(? AS BIGINT))"); }
    // The driver streams a forward-only result row by row and drops what is left
    // of it as soon as another statement runs on the connection, so a loop that
    // looks something up for each row would lose rows: results are read whole.
    bool leeEnFlujo() const override { return false; }
    QString consultaCatalogo() const override
    {
        return QStringLiteral("SELECT column_name, CASE WHEN data_type = 'numeric' AND numeric_precision = 19 AND "
                              "numeric_scale = 4 THEN 'MONEDA' ELSE data_type END FROM information_schema.columns "
                              "WHERE table_schema = current_schema()");
    }
    bool conexionCerrada(const QSqlDatabase& db) const override
    {
        PGconn* pg = conexionPg(db);
        return pg && PQstatus(pg) != CONNECTION_OK;
    }
    QString sentenciaSonda() const override { return QStringLiteral("SELECT 1"); }
    bool transaccionAbortada(const QSqlDatabase& db) const override
    {
        PGconn* pg = conexionPg(db);
        return pg && PQtransactionStatus(pg) == PQTRANS_INERROR;
    }
    bool commitDeshecho(const QSqlQuery& q) const override
    {
        // The server ends an aborted transaction with a rollback and says so in the answer.
        const QVariant h = q.result()->handle();
        if (!h.isValid() || (qstrcmp(h.typeName(), "PGresult*") != 0 && qstrcmp(h.typeName(), "pg_result*") != 0)) return false;
        PGresult* r = *static_cast<PGresult* const*>(h.constData());
        return r && qstrcmp(PQcmdStatus(r), "ROLLBACK") == 0;
    }
};

} // namespace

const MotorBD& motorSQLite();

const MotorBD& MotorBD::de(Motor m)
{
    static const MotorPostgreSQL pg;
    return m == Motor::PostgreSQL ? static_cast<const MotorBD&>(pg) : motorSQLite();
}

} // namespace vexa
