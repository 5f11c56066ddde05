#pragma once
// Access-control rules: task codes written in menu captions, the tasks granted
// to a user, the encoding of stored passwords and the exit stamp of the access
// log. No widget here: the main window applies the granted codes to its own
// menu items (lbm_Seguridad.h).
#include "Conexion.h"
#include "Progreso.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace vexa {

// SISTEMA value of this program's rows in TA_USUARIOS and TA_TAREAS. A constant,
// whatever the executable file happens to be called.
inline constexpr const char* NOMBRE_SISTEMA = "Rz731p";
QString NombreSistema();

// Splits a design caption "Usuarios ** 0107" into caption "Usuarios" and task
// "0107". False (nothing changed) for a separator or a caption without "**".
bool SeparaTarea(const QString& captionDiseno, QString& caption, QString& tarea);

// The task codes granted to the user in this program's rows (trimmed, upper case).
QSet<QString> TareasConcedidas(Conexion& con, const QString& usuario);
// Whether a menu item of that task is enabled for those grants; nothing when the
// grants do not decide it (no code, or a main menu's two-digit code).
std::optional<bool> TareaHabilitada(const QSet<QString>& concedidas, const QString& tarea);
// Replaces the user's rows of this program by one per task (repeated and empty
// codes once / not at all), in one transaction. Throws; nothing changes then.
// With a progress: "Actualizando Datos", one step per row written.
void GrabaTareas(Conexion& con, const QString& usuario, const QStringList& tareas, Progreso* progreso = nullptr);

// Stored password <-> typed password: three decimal digits per character over
// the character's Windows-1252 code plus the length, last character first.
QString CodificaClave(const QString& clave);
// The password back; nullopt when the stored text is corrupt (a group that is
// not three digits or whose code falls outside 0..255).
std::optional<QString> DecodificaClave(const QString& codificada);
// The typed password matches the stored one (a corrupt stored text never matches).
bool ClaveCoincide(const QString& codificada, const QString& tecleada);

// Stamps the exit time on the user's latest visit, from this computer, to the
// window (by object name and caption) whose exit is still empty. Never
// overwrites a recorded exit; without such a visit does nothing. A failure goes
// to the error log (TbErr.Log) and nothing else: the window's closing goes on.
void RegistraEgreso(Conexion& con, const QString& usuario, const QString& formulario, const QString& caption);

} // namespace vexa
