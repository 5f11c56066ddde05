#pragma once
// The deletes of journal-entry rows (MV_ASIENTOS), beside their writer
// (RegistroAsientos.h): they run inside the caller's write transaction and,
// like the writer, leave the table to this service alone.
//
// A deleted entry may have held the highest number of its family: each delete
// forgets the entry numbers handed out in the transaction, so the next number
// is read from the table again (RegistroAsientos::olvidarNumeros).
#include "Conexion.h"

namespace vexa {

// A voucher's rows in the journal: by type and letter, branch and number as
// numbers ("1" and "0001" are the same branch, through the columns that keep
// their numeric values) and, when 'cuenta' is given, by the main account.
struct ComprobanteEnDiario {
    QString tc, sucursal, numero, letra, cuenta;
    // The condition on MV_ASIENTOS columns and its parameters.
    QString condicion() const;
    Params parametros() const;
};

class BajaAsientos {
public:
    explicit BajaAsientos(Conexion& con) : con_(con) {}

    // A reception run's rows that can go: those of its entries (NRO_TRANSMISION)
    // with no line included in a summary entry. Whole entries only.
    // How many of them lie in a closed fiscal year or one whose results were cancelled.
    qint64 contarDeRecepcionEnEjercicioCerrado(qint32 idRecepcion);
    // Deletes them; returns how many rows went.
    int borrarDeRecepcion(qint32 idRecepcion);

    // Deletes the voucher's rows of the fiscal year 'periodo' that are not
    // summarised; returns how many went.
    int borrarComprobante(const ComprobanteEnDiario& c, const QString& periodo);

private:
    Conexion& con_;
};

} // namespace vexa
