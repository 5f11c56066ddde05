#include "VentanasBienes.h"

#include "FrmMA_BienesUso.h"
#include "RegistroVentanas.h"

namespace vexa {

void registrarVentanasBienes()
{
    registrarVentana(QStringLiteral("FrmMA_BienesUso"), [](ContextoEmpresa& ctx, const OpcionesVentana& o) -> QWidget* {
        return new FrmMA_BienesUso(ctx, o.EsCargaInicial);
    });
}

} // namespace vexa
