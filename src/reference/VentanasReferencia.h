#pragma once
// The reference windows known by name: "frmTablas" and "FrmDefVistas".
namespace vexa {
void registrarVentanasReferencia();
}
