#pragma once
namespace vexa {
// Registers the cost-centre distribution window (Frmta_asigccosto) by name;
// the program and tests call it once.
void registrarVentanasCCosto();
} // namespace vexa
