#pragma once
// The fiscal-year windows in the window registry: "WizEjercicio" and
// "FrmOrdenCompra". No menu command opens them; a caller creates one by name
// (crearVentana), sets its public members, shows it modally and reads them back.
namespace vexa {
void registrarVentanasEjercicios();
} // namespace vexa
