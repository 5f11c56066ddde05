#include "VentanasCotizacion.h"

#include "RegistroVentanas.h"

namespace vexa {

void registrarVentanasCotizacion()
{
    // FrmTaCotizacion: registered once its grid can be edited.
}

} // namespace vexa
