#include "VentanasBienes.h"

#include "FrmMA_BienesUso.h"
#include "FrmMa_BienesUsoModif.h"
#include "RegistroVentanas.h"

namespace vexa {

void registrarVentanasBienes()
{
    registrarVentana(QStringLiteral("FrmMA_BienesUso"), [](ContextoEmpresa& ctx, const OpcionesVentana& o) -> QWidget* {
        return new FrmMA_BienesUso(ctx, o.EsCargaInicial);
    });
    registrarVentana(QStringLiteral("FrmMa_BienesUsoModif"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* {
        return new FrmMa_BienesUsoModif(ctx);
    });
}

} // namespace vexa
