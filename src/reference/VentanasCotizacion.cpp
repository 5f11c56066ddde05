#include "VentanasCotizacion.h"

#include "FrmTaCotizacion.h"
#include "RegistroVentanas.h"

namespace vexa {

void registrarVentanasCotizacion()
{
    registrarVentana(QStringLiteral("FrmTaCotizacion"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* {
        return new FrmTaCotizacion(ctx);
    });
}

} // namespace vexa
