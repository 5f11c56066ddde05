#pragma once
// The program's command-line text: the switch "/NoMostrarSlash", the user code
// after the first ";" and the keys "@Server", "@DbName", ... each running to the next ";".
#include "DatosConexion.h"

#include <QString>
#include <QStringList>

namespace vexa {

// The program's arguments (without the program itself) joined into one text.
QString textoLineaComandos(const QStringList& argumentos);

// Value of a key: from the first occurrence of the key (any case) to the next ";",
// every "=" removed, blanks trimmed; empty when the key is missing or no ";" follows it.
QString valorClave(const QString& lineaComandos, const QString& clave);

// The seven keys, in the order they are cut.
const QStringList& clavesLineaComandos();

// The connection details (server, dbName, usuario, password) and the other keys.
struct ClavesConexion : DatosConexion {
    QString parametroAdicional, menu, caja;
};
ClavesConexion cortarClaves(const QString& lineaComandos);

// The splash is suppressed ("/NoMostrarSlash" anywhere, any case).
bool sinPresentacion(const QString& lineaComandos);

// User code: the text after the first ";" (empty when there is none) with every
// key item ("@Password=...;" and the others, up to and including their ";", or
// to the end when none follows) and the "/NoMostrarSlash" switch removed, then
// trimmed. The connection keys never become part of the user code.
QString usuarioDeLinea(const QString& lineaComandos);

} // namespace vexa
