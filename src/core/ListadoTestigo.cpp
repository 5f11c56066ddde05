#include "ListadoTestigo.h"

#include "Errores.h"
#include "LBM_Common.h"
#include "Reportes.h"

namespace vexa {

void ImprimirLista(const QStringList& items, const std::optional<QString>& titulo)
{
    const std::optional<plataforma::Reporte> rep = ReporteLista(items, titulo);
    if (!rep) return;
    const plataforma::ResultadoReporte r = plataforma::reportes().emitir(*rep, plataforma::DestinoReporte::Impresora);
    if (!r.ok) throw ErrorVexa(482, r.error.isEmpty() ? QStringLiteral("Error de impresora") : r.error);
}

} // namespace vexa
