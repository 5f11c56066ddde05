#pragma once
// What names a company database: an empty server opens the SQLite file named by
// dbName; "host" or "host:port" opens the PostgreSQL database dbName as
// usuario/password.
#include <QString>

namespace vexa {

struct DatosConexion {
    QString server;
    QString dbName;
    QString usuario;
    QString password;

    bool esSQLite() const { return server.trimmed().isEmpty(); }
    bool operator==(const DatosConexion&) const = default;
};

} // namespace vexa
