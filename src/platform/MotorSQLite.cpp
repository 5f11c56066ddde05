// The SQLite backend: one company file, opened with the program's session
// settings; waits for other connections' locks through a busy handler; runs
// action statements straight on its handle.
#include "MotorBD.h"

#include <QFileInfo>
#include <QSqlDriver>

#include <sqlite3.h>

namespace vexa {

namespace {

// Case- and trailing-blank-insensitive collation for SQLite text keys.
int colacionCI(void*, int n1, const void* p1, int n2, const void* p2)
{
    const auto* a = static_cast<const unsigned char*>(p1);
    const auto* b = static_cast<const unsigned char*>(p2);
    while (n1 > 0 && a[n1 - 1] == ' ') --n1;
    while (n2 > 0 && b[n2 - 1] == ' ') --n2;
    bool ascii = true;
    for (int i = 0; i < n1 && ascii; ++i) ascii = a[i] < 0x80;
    for (int i = 0; i < n2 && ascii; ++i) ascii = b[i] < 0x80;
    if (ascii) {
        int n = std::min(n1, n2);
        for (int i = 0; i < n; ++i) {
            int x = a[i], y = b[i];
            if (x >= 'A' && x <= 'Z') x += 32;
            if (y >= 'A' && y <= 'Z') y += 32;
            if (x != y) return x < y ? -1 : 1;
        }
        return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    }
    const QString s1 = QString::fromUtf8(reinterpret_cast<const char*>(a), n1);
    const QString s2 = QString::fromUtf8(reinterpret_cast<const char*>(b), n2);
    int r = QString::compare(s1, s2, Qt::CaseInsensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}


class MotorSQLite final : public MotorBD {
public:
    QString driver() const override { return QStringLiteral("QSQLITE"); }
    bool configurar(QSqlDatabase& db, const DatosConexion& d, QString* error) const override
    {
        const QString archivo = d.dbName.trimmed();
        if (archivo.isEmpty() || !QFileInfo::exists(archivo)) {
            *error = QStringLiteral("No existe la base de datos ") + archivo;
            return false;
        }
        db.setDatabaseName(archivo);
        return true;
    }
    QStringList sentenciasDeSesion() const override
    {
        return {QStringLiteral("PRAGMA foreign_keys = ON"), QStringLiteral("PRAGMA synchronous = NORMAL"),
                // A journal of millions of lines touches many index pages per posted line:
                // a 128 MB page cache keeps them, and checkpoints come every 16 MB of log.
                QStringLiteral("PRAGMA cache_size = -131072"), QStringLiteral("PRAGMA wal_autocheckpoint = 4000"),
                QStringLiteral("PRAGMA temp_store = MEMORY")};
    }
    QString sentenciaDiario() const override { return QStringLiteral("PRAGMA journal_mode = WAL"); }
    // The busy handler reads the time-out (a busy_timeout would replace it).
    QString sentenciaTiempoEspera(int) const override { return QString(); }
    QString sentenciaInicio(bool escritura) const override
    {
        return escritura ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
    }
    QString traducir(const QString& sql) const override { return sql; }
    QString comoTexto(const QString& columna) const override { return columna; }
    QString textoExacto(const QString& columna) const override { return columna; }
    QString likeOperador() const override { return QStringLiteral("LIKE"); }
    QVariant valorMoneda(const Moneda& m) const override { return QVariant(qlonglong(m.unidades())); }
    QString sentenciaBloqueo() const override { return QString(); } // BEGIN IMMEDIATE holds the write lock
    bool leeEnFlujo() const override { return true; }
    QString consultaCatalogo() const override
    {
        return QStringLiteral("SELECT p.name, p.type FROM sqlite_master m JOIN pragma_table_xinfo(m.name) p "
                              "WHERE m.type = 'table'");
    }
    bool conexionCerrada(const QSqlDatabase&) const override { return false; }
    QString sentenciaSonda() const override { return QString(); }
    bool transaccionAbortada(const QSqlDatabase&) const override { return false; }
    bool commitDeshecho(const QSqlQuery&) const override { return false; }
};

} // namespace

const MotorBD& motorSQLite()
{
    static const MotorSQLite m;
    return m;
}

namespace motor_sqlite {

sqlite3* manejador(const QSqlDatabase& db)
{
    if (!db.isValid() || !db.isOpen()) return nullptr;
    QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

void preparar(sqlite3* s, int (*espera)(void*, int), void* dato)
{
    if (!s) throw ErrorBD(-1, QStringLiteral("Sin acceso a SQLite"));
    // Waits for another connection's lock in short steps (Conexion::setAlEsperar).
    sqlite3_busy_handler(s, espera, dato);
    if (!registrarColacion(s)) throw ErrorBD(-1, QStringLiteral("No se pudo registrar la colación VEXA_CI"));
}

bool registrarColacion(sqlite3* s)
{
    // Companies before schema step 3 declared their text columns with this collation.
    return sqlite3_create_collation(s, "VEXA_CI", SQLITE_UTF8, nullptr, colacionCI) == SQLITE_OK;
}

void finalizar(std::map<QString, sqlite3_stmt*>& cache)
{
    for (auto& [sql, st] : cache) sqlite3_finalize(st);
    cache.clear();
}

int ejecutarAccion(sqlite3* bd, std::map<QString, sqlite3_stmt*>& cache, const QString& sql,
                   const std::vector<QVariant>& valores)
{
    sqlite3_stmt*& st = cache[sql];
    if (!st) {
        const QByteArray texto = sql.toUtf8();
        if (sqlite3_prepare_v3(bd, texto.constData(), int(texto.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
            const int codigo = sqlite3_extended_errcode(bd);
            const QString desc = QString::fromUtf8(sqlite3_errmsg(bd));
            cache.erase(sql);
            throw ErrorBD::delMotor(Motor::SQLite, QString::number(codigo), desc, sql);
        }
    }
    if (sqlite3_bind_parameter_count(st) != int(valores.size()))
        throw ErrorBD(-2147217900, QStringLiteral("Cantidad de parámetros incorrecta"), QString(), sql);
    for (size_t i = 0; i < valores.size(); ++i) {
        const QVariant& v = valores[i];
        const int k = int(i) + 1;
        int r = SQLITE_OK;
        if (v.isNull()) {
            r = sqlite3_bind_null(st, k);
        } else {
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Char:
            case QMetaType::SChar:
            case QMetaType::UChar:
            case QMetaType::Long:
            case QMetaType::ULong:
                r = sqlite3_bind_int64(st, k, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                r = sqlite3_bind_double(st, k, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                r = sqlite3_bind_blob64(st, k, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                r = sqlite3_bind_text64(st, k, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            }
        }
        if (r != SQLITE_OK) {
            const QString desc = QString::fromUtf8(sqlite3_errmsg(bd));
            sqlite3_clear_bindings(st);
            throw ErrorBD::delMotor(Motor::SQLite, QString::number(r), desc, sql);
        }
    }
    int r;
    while ((r = sqlite3_step(st)) == SQLITE_ROW) {
    }
    const int cambios = sqlite3_changes(bd);
    if (r != SQLITE_DONE) {
        const int codigo = sqlite3_extended_errcode(bd);
        const QString desc = QString::fromUtf8(sqlite3_errmsg(bd));
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        throw ErrorBD::delMotor(Motor::SQLite, QString::number(codigo), desc, sql);
    }
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (cache.size() > 200) finalizar(cache);
    return cambios;
}

} // namespace motor_sqlite

} // namespace vexa
