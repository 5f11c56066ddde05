#include "Conexion.h"

#include "ArchivoSQLite.h"

#include <sqlite3.h>

// The SQLite file's check: run in the background at opening, waited for
// before the first statement that writes; a damaged file takes reads only.

namespace vexa {

namespace {
// Statements that only read: everything else is refused on a damaged file.
bool soloLee(const QString& sql)
{
    const QString t = sql.trimmed().left(8).toUpper();
    return t.startsWith(QLatin1String("SELECT")) || t.startsWith(QLatin1String("PRAGMA")) ||
           t.startsWith(QLatin1String("EXPLAIN")) || t.startsWith(QLatin1String("VALUES"));
}
} // namespace

void Conexion::esperarVerificacion()
{
    if (!revision_) return;
    const QString m = revision_->resultado();
    revision_.reset();
    if (!m.isEmpty()) {
        daniado_ = true;
        mensajeDaniado_ = m;
    }
}

void Conexion::exigirArchivoSano(const QString& sql)
{
    if ((!daniado_ && !revision_) || soloLee(sql)) return; // the usual case costs two tests
    esperarVerificacion();
    if (!daniado_) return;
    const QString m = mensajeDaniado_.isEmpty() ? archivo_sqlite::mensajeDaniado(datos_.dbName.trimmed()) : mensajeDaniado_;
    throw ErrorBD(SQLITE_CORRUPT, m, QString::number(SQLITE_CORRUPT), sql);
}

void Conexion::iniciarVerificacionArchivo()
{
    if (motor() != Motor::SQLite || !Conectado() || revision_ || daniado_) return;
    revision_ = std::make_unique<archivo_sqlite::RevisionIntegridad>(datos_.dbName.trimmed());
}

QString Conexion::verificarArchivo()
{
    iniciarVerificacionArchivo();
    esperarVerificacion();
    if (!daniado_) return QString();
    return mensajeDaniado_.isEmpty() ? archivo_sqlite::mensajeDaniado(datos_.dbName.trimmed()) : mensajeDaniado_;
}

} // namespace vexa
