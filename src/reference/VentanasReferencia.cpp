#include "VentanasReferencia.h"

#include "FrmDefVistas.h"
#include "RegistroVentanas.h"
#include "frmTablas.h"

namespace vexa {

void registrarVentanasReferencia()
{
    registrarVentana(QStringLiteral("frmTablas"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* {
        return new frmTablas(ctx);
    });
    registrarVentana(QStringLiteral("FrmDefVistas"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* {
        return new FrmDefVistas(ctx);
    });
}

} // namespace vexa
