#include "VentanasSeguridad.h"

#include "DialogosQt.h"
#include "FrmTareas.h"
#include "RP_Acceso.h"
#include "RegistroVentanas.h"
#include "ReporteAcceso.h"
#include "frmTA_Usuarios.h"

namespace vexa {

void registrarVentanasSeguridad()
{
    registrarReportesSeguridad();
    registrarVentana(QStringLiteral("frmTA_Usuarios"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* {
        return new frmTA_Usuarios(ctx, plataforma::ventanaPrincipal());
    });
    registrarVentana(QStringLiteral("FrmTareas"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* {
        return new FrmTareas(ctx, plataforma::ventanaPrincipal());
    });
    registrarVentana(QStringLiteral("RP_Acceso"),
                     [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new RP_Acceso(ctx); });
}

} // namespace vexa
