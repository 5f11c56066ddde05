#pragma once

namespace vexa {

// Registers the daily rate table window (FrmTaCotizacion).
void registrarVentanasCotizacion();

} // namespace vexa
