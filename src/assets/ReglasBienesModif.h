#pragma once
// Rules of the asset change window without a window: which yearly row of an
// asset or improvement is shown, whether the load is read-only, and the save
// of the three rows in one transaction, refused when another station changed
// a row after it was read. Codes and improvement numbers are whole numbers,
// every value is bound.
#include "Conexion.h"

#include <optional>
#include <vector>

namespace vexa::bienes {

// What the change window reads for one asset (id 0) or improvement (id n).
struct CargaModificacion {
    qint64 codigo = 0;
    qint64 id = 0;
    std::optional<Fila> bien;     // MA_BIENES
    std::optional<Fila> novedad;  // MA_BIENES_NOVEDADES (id > 0)
    std::vector<Fila> calculos;   // MV_CALCULO_BIENES of the id, by PERIODO
    int elegida = -1;             // the row shown in the sheet; -1: none
    bool retirado = false;        // the asset has a retirement date
    bool controlada = false;      // the chosen row carries a control number
    bool delEjercicio = false;    // a row of the active year exists

    bool soloLectura() const { return retirado || controlada || delEjercicio; }
    const Fila* calculo() const { return elegida >= 0 ? &calculos[size_t(elegida)] : nullptr; }
};

// The first row of the active year, else the last; -1 when there is none.
int FilaDelEjercicio(const std::vector<Fila>& filas, qint64 periodoActivo);

CargaModificacion CargarModificacion(Conexion& con, qint64 codigo, qint64 id, qint64 periodoActivo);

// The values to write, column = value; an empty list leaves that row alone.
struct GrabacionModificacion {
    Valores bien;
    Valores novedad;  // only when an improvement is loaded
    Valores calculo;  // empty: the sheet is not saved
};

// Writes the rows read by 'carga' in one transaction: each one only when it
// still holds what was read (else ErrorVexa, nothing written), checked under
// the row's lock, so of two stations saving the same row at once the second
// waits for the first and is then refused. A row the load did not find is
// skipped.
void GrabarModificacion(Conexion& con, const CargaModificacion& carga, const GrabacionModificacion& g);

} // namespace vexa::bienes
