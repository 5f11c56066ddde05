#pragma once
// This program's users (TA_USUARIOS rows whose SISTEMA is this program's) as the
// user and task windows keep them: names compared trimmed and without regard to
// case, the built-in supervisor never listed nor touched, passwords stored
// encoded (CodificaClave). Every change is one transaction; a failure throws
// and leaves the tables as they were.
#include "Conexion.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vexa {

inline constexpr const char* USUARIO_SUPERVISOR = "SUPERVISOR TEBRINO KD";
QString UsuarioSupervisor();

// This program's users but the supervisor, by name, each as stored.
QStringList UsuariosDelSistema(Conexion& con);
// Every program's users but the supervisor, each name once (trimmed), by name.
QStringList UsuariosDeTodosLosSistemas(Conexion& con);
// Whether this program has a user of that name (trimmed, any case).
bool ExisteUsuario(Conexion& con, const QString& nombre);

// False when the text holds a character the stored form cannot encode
// (outside Windows-1252).
bool ClaveRepresentable(const QString& clave);
// The old password typed in the change step against the stored one: both
// trimmed, any case; a stored text that does not decode never matches.
bool ClaveAnteriorCorrecta(const QString& codificada, const QString& tecleada);

// Adds the user (name and password as typed) and grants it the tasks, in one
// transaction.
void CreaUsuario(Conexion& con, const QString& nombre, const QString& clave, const QStringList& tareas);
// The stored (encoded) password of this program's user; nullopt when there is
// no such user.
std::optional<QString> ClaveGuardada(Conexion& con, const QString& nombre);
// Sets the user's password (trimmed, then encoded). False when the user does
// not exist (any more).
bool CambiaClave(Conexion& con, const QString& nombre, const QString& clave);
// Deletes the user's row; its task rows stay. False when it did not exist.
bool EliminaUsuario(Conexion& con, const QString& nombre);

} // namespace vexa
