#pragma once
// The fixed-asset windows in the window registry: "FrmMA_BienesUso", opened in
// initial-load mode by "Carga Inicial de Datos" (OpcionesVentana::EsCargaInicial).
namespace vexa {
void registrarVentanasBienes();
} // namespace vexa
