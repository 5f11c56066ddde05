#include "VentanasAsientos.h"

#include "FrmRenumTitCopiadores.h"
#include "Frm_LibrosIva.h"
#include "RegistroVentanas.h"

namespace vexa {

void registrarVentanasAsientos()
{
    registrarVentana(QStringLiteral("Frm_LibrosIva"), [](ContextoEmpresa& ctx, const OpcionesVentana& o) -> QWidget* {
        return new Frm_LibrosIva(ctx, o.Escompras);
    });
    registrarVentana(QStringLiteral("FrmRenumTitCopiadores"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* {
        return new FrmRenumTitCopiadores(ctx);
    });
}

} // namespace vexa
