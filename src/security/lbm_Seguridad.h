#pragma once
// The access-control rules (Seguridad.h) applied to a window's menu items.
//
// Menu items are the QActions of a form that the menu builder marks with the
// property PROPIEDAD_ORDEN_MENU (their place in the tree); itemsMenu() lists
// them in that order. A separator is an item whose caption is "-". An item's
// task code lives in its "Tag" property. Items the builder marks with
// PROPIEDAD_SIEMPRE_HABILITADO (leaving the program, closing the session) are
// never disabled by the grants.
#include "Seguridad.h"

#include <QList>
#include <QString>

class QAction;
class QObject;
class QWidget;

namespace vexa {

class ContextoEmpresa;

inline constexpr const char* PROPIEDAD_ORDEN_MENU = "ordenMenu";
inline constexpr const char* PROPIEDAD_TAG = "Tag";
inline constexpr const char* PROPIEDAD_SIEMPRE_HABILITADO = "siempreHabilitado";

QString tagDe(const QObject* item);
void fijarTag(QObject* item, const QString& tag);
// Menu items of a form (actions carrying PROPIEDAD_ORDEN_MENU), in tree order.
QList<QAction*> itemsMenu(const QWidget& formulario);

// Moves every coded caption's task code into the item's tag and cuts it from
// the caption. Runs once, at start-up, before anything reads the tags.
void InicializaTareasMenu(const QList<QAction*>& items);
void InicializaTareasMenu(const QWidget& formulario);

// Grants the user every task of the menu (GrabaTareas). A failure rolls
// everything back, is reported to the operator and gives false.
bool AsignaTodasLasTareas(const QString& usuario, const QList<QAction*>& items, Conexion& con);
bool AsignaTodasLasTareas(const QString& usuario, const QWidget& formulario, Conexion& con);

// Enables the items whose task the user holds in this program's rows and
// disables the others; items the grants do not decide (TareaHabilitada) and
// items marked PROPIEDAD_SIEMPRE_HABILITADO are left as they are.
void AplicaPermisos(const QString& usuario, const QList<QAction*>& items, Conexion& con);
void AplicaPermisos(const QString& usuario, const QWidget& formulario, Conexion& con);

// The exit stamp of the window for the company's current user.
void RegistraEgreso(ContextoEmpresa& ctx, const QWidget& ventana);

} // namespace vexa
