#pragma once
// Access-control rules shared by the main window and the security windows:
// task codes taken from the menu captions, per-user task grants, the encoding
// of stored passwords and the exit stamp of the access log.
//
// Menu items are the QActions of a form that the menu builder marks with the
// property PROPIEDAD_ORDEN_MENU (their place in the tree); itemsMenu() lists
// them in that order. A separator is an item whose caption is "-". An item's
// task code lives in its "Tag" property.
#include "EstadoGlobal.h" // UsuarioActual: the key of the task rows and of the access log

#include <QList>
#include <QString>

#include <optional>

class QAction;
class QObject;
class QWidget;

namespace vexa {

class Conexion;

// SISTEMA value of this program's rows in TA_USUARIOS and TA_TAREAS. A constant,
// whatever the executable file happens to be called.
inline constexpr const char* NOMBRE_SISTEMA = "Rz731p";
QString NombreSistema();

inline constexpr const char* PROPIEDAD_ORDEN_MENU = "ordenMenu";
inline constexpr const char* PROPIEDAD_TAG = "Tag";

QString tagDe(const QObject* item);
void fijarTag(QObject* item, const QString& tag);
// Menu items of a form (actions carrying PROPIEDAD_ORDEN_MENU), in tree order.
QList<QAction*> itemsMenu(const QWidget& formulario);

// Splits a design caption "Usuarios ** 0107" into caption "Usuarios" and task
// "0107". False (nothing changed) for a separator or a caption without "**".
bool SeparaTarea(const QString& captionDiseno, QString& caption, QString& tarea);

// Moves every coded caption's task code into the item's tag and cuts it from
// the caption. Runs once, at start-up, before anything reads the tags.
void InicializaTareasMenu(const QList<QAction*>& items);
void InicializaTareasMenu(const QWidget& formulario);

// Grants the user every task of the menu: deletes the user's rows of this
// program and inserts one per coded item, all in one transaction. A failure
// rolls everything back, is reported to the operator and gives false.
bool AsignaTodasLasTareas(const QString& usuario, const QList<QAction*>& items, Conexion* con = nullptr);
bool AsignaTodasLasTareas(const QString& usuario, const QWidget& formulario, Conexion* con = nullptr);

// Enables the items below top level whose task the user holds in this
// program's rows and disables the others; "Salir" and "Cerrar Sesión" items,
// top-level menus and items without a task are left as they are.
void AplicaPermisos(const QString& usuario, const QList<QAction*>& items, Conexion* con = nullptr);
void AplicaPermisos(const QString& usuario, const QWidget& formulario, Conexion* con = nullptr);

// Stored password <-> typed password: three decimal digits per character over
// the character's Windows-1252 code plus the length, last character first.
QString CodificaClave(const QString& clave);
// The password back; nullopt when the stored text is corrupt (a group that is
// not three digits or whose code falls outside 0..255).
std::optional<QString> DecodificaClave(const QString& codificada);
// The typed password matches the stored one (a corrupt stored text never matches).
bool ClaveCoincide(const QString& codificada, const QString& tecleada);

// Stamps the exit time on the latest visit of UsuarioActual, on this computer,
// to the window (by object name and caption) whose exit is still empty. Never
// overwrites a recorded exit; without such a visit does nothing. Shows nothing on
// a failure (the window's closing goes on): the error goes to the error log
// (Utilidades::escribirLog, procedure "RegistraEgreso").
void RegistraEgreso(const QWidget& ventana, Conexion* con = nullptr);
void RegistraEgreso(const QString& formulario, const QString& caption, Conexion* con = nullptr);

} // namespace vexa
