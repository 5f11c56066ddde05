#pragma once
// The program's command-line text: keys "@Server", "@DbName", ... each running to the next ";".
#include <QString>
#include <QStringList>

namespace vexa {

// The program's arguments joined into one command-line text.
QString textoLineaComandos(const QStringList& argumentos);

// Value of a key: from the first occurrence of the key (any case) to the next ";",
// every "=" removed, blanks trimmed; empty when the key is missing or no ";" follows it.
QString valorClave(const QString& lineaComandos, const QString& clave);

struct ClavesConexion {
    QString parametroAdicional, menu, server, dbName, usuario, password, caja;
};
ClavesConexion cortarClaves(const QString& lineaComandos);

} // namespace vexa
