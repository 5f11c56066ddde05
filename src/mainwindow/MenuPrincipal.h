#pragma once
// The main window's menu tree, picture-button menu and task tags.
// frmMDI's load sequence calls these in its stated order.
namespace vexa {

class frmMDI;

// Builds the whole menu tree (and the picture-button menu) into the main window.
void construirMenuPrincipal(frmMDI& w);
// Resets the borders of the picture-button menu.
void InicializaBordes(frmMDI& w);
// Moves each coded menu caption's task code into the item's tag.
void InicializaTareasMenu(frmMDI& w);
// Hides one menu item by object name (e.g. "MNU_Sesion"); no-op when it does not exist.
void ocultarItemMenu(frmMDI& w, const char* objectName);

} // namespace vexa
