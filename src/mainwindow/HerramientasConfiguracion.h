#pragma once
// Tools of the configuration component called from the main menu: the
// account-hierarchy viewer, the data-purge tool and the about box.
#include <QString>

class QWidget;

namespace vexa {

class Conexion;
class Configuracion;

// The chart of accounts as a tree: each account under the nearest account
// whose code is a prefix of its own. Modeless; returns the window.
QWidget* mostrarJerarquiaCuentas(Conexion& con);
void mostrarDepuracionDatos();
// The about box; the company's name on it when one is open (nullptr: none).
void mostrarAcercaDe(Configuracion* empresa);
// The text of the about box.
QString textoAcercaDe(Configuracion* empresa);

} // namespace vexa
