#pragma once
// The lookup list's window: a modal list of the query's rows.
#include "ListaConsulta.h"

namespace vexa::plataforma {

// Makes the list window the default lookup list (usarPlataformaQt calls it).
void usarListaConsultaQt();

} // namespace vexa::plataforma
