#include "VentanasCCosto.h"

#include "Frmta_asigccosto.h"
#include "RegistroVentanas.h"

namespace vexa {

void registrarVentanasCCosto()
{
    registrarVentana(QStringLiteral("Frmta_asigccosto"), [](ContextoEmpresa& ctx, const OpcionesVentana& o) -> QWidget* {
        return new Frmta_asigccosto(ctx, o.Menu);
    });
}

} // namespace vexa
