#include "ListaConsulta.h"

namespace vexa::plataforma {

namespace {

// Without a window level nothing can be chosen: every list closes empty.
class ListaSinVentanas final : public ListaConsulta {
public:
    QString Elegir(Conexion&, const QString&, const QString&, const QString&, const Params&) override { return {}; }
};

ListaConsulta* g_instalada = nullptr;
ListaConsulta* g_porDefecto = nullptr;

} // namespace

ListaConsulta& listaConsulta()
{
    static ListaSinVentanas sinVentanas;
    if (g_instalada) return *g_instalada;
    return g_porDefecto ? *g_porDefecto : sinVentanas;
}

void instalarListaConsulta(ListaConsulta* l) { g_instalada = l; }
void fijarListaConsultaPorDefecto(ListaConsulta* l) { g_porDefecto = l; }

} // namespace vexa::plataforma
