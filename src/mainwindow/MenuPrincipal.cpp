#include "MenuPrincipal.h"

#include "frmMDI.h"

namespace vexa {

void construirMenuPrincipal(frmMDI&) {}
void InicializaBordes(frmMDI&) {}
void InicializaTareasMenu(frmMDI&) {}
void ocultarItemMenu(frmMDI&, const char*) {}

} // namespace vexa
