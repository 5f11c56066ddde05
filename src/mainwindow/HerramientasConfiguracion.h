#pragma once
// Tools of the configuration component called from the main menu: the
// account-hierarchy viewer, the data-purge tool and the about box.
#include <QString>

class QWidget;

namespace vexa {

class Conexion;

// The chart of accounts as a tree: each account under the nearest account
// whose code is a prefix of its own. Modeless; returns the window.
QWidget* mostrarJerarquiaCuentas(Conexion* con = nullptr);
void mostrarDepuracionDatos();
void mostrarAcercaDe();
// The text of the about box.
QString textoAcercaDe();

} // namespace vexa
