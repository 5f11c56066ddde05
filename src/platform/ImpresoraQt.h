#pragma once
// The printer behind the printing seam: the default printer, or a PDF in the
// user's documents folder when there is none.
#include "Entorno.h"

namespace vexa::plataforma {

// Makes the Qt printer the answer of impresora() when no other was installed.
void usarImpresoraQt();

} // namespace vexa::plataforma
