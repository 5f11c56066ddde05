#pragma once
// Saving what the asset register accepted in its initial load: a new asset
// with its opening depreciation rows, an improvement of a stored asset with
// its own opening rows, or the retirement of a stored asset. One transaction
// under the asset numbering lock; the asset code and the improvement number
// are taken inside it (the ones shown on screen are only proposals).
#include "Conexion.h"
#include "Errores.h"
#include "Moneda.h"

#include <QDate>
#include <QString>

namespace vexa::bienes {

enum class ModoGrabacion { Nada, Alta, Mejora, Baja };

// The opening sheet of the year before the active one.
struct PlanillaApertura {
    QDate fechaCierre;
    qint64 meses = 0;      // months calculated
    Moneda costoInicio;
    double coeficiente = 0;
    Moneda depEjercicio;
    Moneda depAcumulada;
};

struct GrabacionBien {
    ModoGrabacion modo = ModoGrabacion::Nada;
    qint64 periodoActivo = 0; // PERIODO of the active fiscal year
    bool sinPlanilla = false; // no opening rows (the sheet was not shown)

    // The asset (Alta); codigo is also the asset of an improvement or retirement.
    qint64 codigo = 0;
    QString serie, cuentaContable, cuentaEjercicio, cuentaAcumulada;
    QDate fechaCompra;
    Moneda costo;
    double vidaUtil = 0;
    double porcentaje = 0; // annual percentage
    QString ubicacion, afecta, descripcion;
    qint64 periodo = 0; // purchase fiscal year
    Moneda valorRecupero;

    // The improvement (Mejora).
    qint64 idMejora = 0;
    QDate fechaMejora;
    Moneda costoMejora;
    QString detalleMejora;
    double vidaUtilMejora = 0;
    double porcentajeMejora = 0;

    // The retirement (Baja).
    QDate fechaBaja;
    QString motivo;

    PlanillaApertura planilla;
};

// What was stored: the asset code and the improvement number (0 for an asset).
struct ResultadoGrabacion {
    qint64 codigo = 0;
    qint64 id = 0;
};

// A retirement of an asset that is not stored.
class BienInexistente : public ErrorVexa {
public:
    BienInexistente();
};

// "00.00": at least two integer digits and exactly two decimals.
QString PorcentajeTexto(double porcentaje);

// Saves in one transaction (the enclosing one when the connection is inside
// one). A new asset takes the highest code + 1, an improvement the highest
// number of its asset + 1. Opening rows: a zero row for each fiscal year of
// the table from the purchase year up to the one before the last closed year
// (the year before the active one), and the sheet row for the last closed
// year; none when the purchase year is the active one, when the active year
// has no previous year or when sinPlanilla. Throws BienInexistente for a
// retirement of a missing asset and ErrorBD when a statement fails; nothing
// is left written then.
ResultadoGrabacion GrabarBien(Conexion& con, const GrabacionBien& g);

} // namespace vexa::bienes
