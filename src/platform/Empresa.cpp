#include "Esquema.h"
#include "Empresa.h"

#include "Conexion.h"

#include <QFile>
#include <QRegularExpression>

namespace vexa {

namespace {

bool nombreBaseValido(const QString& n)
{
    const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    return re.match(n).hasMatch();
}

// Runs an administrative statement on the server's "postgres" database.
bool adminPg(const DatosConexion& d, const QString& sql, QString* error)
{
    Conexion admin;
    DatosConexion servidor = d;
    servidor.dbName = QStringLiteral("postgres");
    if (!admin.Abrir(servidor)) {
        if (error) *error = admin.ultimoError();
        return false;
    }
    try {
        admin.EjecutarSQL(sql);
    } catch (const ErrorBD& e) {
        if (error) *error = e.descripcion();
        return false;
    }
    return true;
}

} // namespace

bool eliminarEmpresa(const DatosConexion& d, QString* error)
{
    if (d.server.trimmed().isEmpty()) {
        QFile::remove(d.dbName + QStringLiteral("-wal"));
        QFile::remove(d.dbName + QStringLiteral("-shm"));
        return !QFile::exists(d.dbName) || QFile::remove(d.dbName);
    }
    if (!nombreBaseValido(d.dbName)) {
        if (error) *error = QStringLiteral("Nombre de base de datos no válido: ") + d.dbName;
        return false;
    }
    // Identifier checked above; database names cannot be bound as parameters.
    return adminPg(d, QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(d.dbName), error);
}

bool crearEmpresa(const DatosConexion& d, bool conDemo, bool reemplazar, QString* error, bool conAsientosDemo)
{
    Conexion c;
    c.setDatos(d);
    if (reemplazar && !eliminarEmpresa(d, error)) return false;
    if (d.server.trimmed().isEmpty()) {
        if (!c.crearBaseSQLite(d.dbName)) {
            if (error) *error = c.ultimoError();
            return false;
        }
    } else {
        if (!nombreBaseValido(d.dbName)) {
            if (error) *error = QStringLiteral("Nombre de base de datos no válido: ") + d.dbName;
            return false;
        }
        if (!adminPg(d, QStringLiteral("CREATE DATABASE \"%1\" ENCODING 'UTF8' TEMPLATE template0").arg(d.dbName), error))
            return false;
        if (!c.Abrir()) {
            if (error) *error = c.ultimoError();
            return false;
        }
    }
    try {
        EsquemaEmpresa esquema(c);
        esquema.aplicarEsquema(conDemo);
        if (conDemo && conAsientosDemo) esquema.cargarAsientosDemo();
    } catch (const ErrorBD& e) {
        if (error) *error = e.descripcion();
        return false;
    }
    return true;
}

} // namespace vexa
