#include "VentanasEjercicios.h"

#include "FrmOrdenCompra.h"
#include "RegistroVentanas.h"
#include "WizEjercicio.h"

namespace vexa {

void registrarVentanasEjercicios()
{
    registrarVentana(QStringLiteral("WizEjercicio"),
                     [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new WizEjercicio(ctx); });
    registrarVentana(QStringLiteral("FrmOrdenCompra"),
                     [](ContextoEmpresa&, const OpcionesVentana&) -> QWidget* { return new FrmOrdenCompra; });
}

} // namespace vexa
