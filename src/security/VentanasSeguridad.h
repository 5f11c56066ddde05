#pragma once
// The security windows in the window registry: "frmTA_Usuarios", "FrmTareas"
// and "RP_Acceso" (menu items 0107, 0108 and 0109), and the access-log report
// in the report engine. The user and task windows take their tasks from the
// main window's menu.
namespace vexa {
void registrarVentanasSeguridad();
} // namespace vexa
