#pragma once
namespace vexa {
// Registers the journal windows by name (Frm_LibrosIva, FrmRenumTitCopiadores);
// the program and tests call it once.
void registrarVentanasAsientos();
} // namespace vexa
