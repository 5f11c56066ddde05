#pragma once
// The reception log (TESTIGO_RECEPCION): one row per reception run.
//
// A run reserves its identifier before it reads its first line by writing its
// row (Reservar); the table's key makes sure two runs, on one station or two,
// never share a number. Every voucher the run posts carries that identifier in
// MV_ASIENTOS.NRO_Transmision, and the posting transaction of each voucher also
// writes the run's counts (EscribeConteos), so the row always matches what the
// run has committed, even when the run is stopped half-way. TOTAL_LINEAS stays
// NULL until Graba_Datos completes the row at the end of the run, so the row of
// a run that was killed shows it did not finish. For every finished row the
// lines recorded plus the lines rejected equal the lines read.
// A run cancelled while it posts (FrmAnulRecep's service marks its row) stops
// at its next batch: the counts are written only while the row is live, and
// EscribeConteos throws RecepcionAnulada otherwise, so the batch is rolled
// back instead of posting lines under a cancelled number.
#include "Errores.h"

#include <QString>

namespace vexa {
class Conexion;
}

namespace vexa::recepcion {

class RecepcionAnulada : public ErrorVexa {
public:
    RecepcionAnulada() : ErrorVexa(0, Mensaje()) {}
    static QString Mensaje() { return QStringLiteral("La recepción fue anulada mientras se procesaba"); }
};

class TestigoRecepcion {
public:
    explicit TestigoRecepcion(Conexion* con);

    // Writes the run's row (counts 0, TOTAL_LINEAS NULL, FECHA_HORA now) and returns its ID, the
    // highest ID plus one at that moment. Must be called outside a transaction.
    qint32 Reservar(const QString& archivo, const QString& usuario);
    qint32 IdRecepcion() const { return id_; }

    // Counts kept in memory until written.
    void Grabado() { ++leidos_; }
    void Rechazado() { ++ignorados_; }
    int leidos() const { return leidos_; }
    int ignorados() const { return ignorados_; }
    int total() const { return leidos_ + ignorados_; }

    // Writes the current counts (not the total) into the row, with 'masGrabados' more lines
    // recorded and 'masIgnorados' more rejected (a posting transaction counts its
    // own lines before it commits). Throws RecepcionAnulada when the row was
    // cancelled (or is gone): the caller rolls its transaction back.
    void EscribeConteos(int masGrabados = 0, int masIgnorados = 0);

    // Completes the row at the end of the run: the moment, the file as the
    // operator entered it, and the counts (total = leidos + ignorados).
    void Graba_Datos(const QString& archivo, int leidos, int ignorados);

private:
    Conexion& con();
    Conexion* con_;
    qint32 id_ = 0;
    int leidos_ = 0, ignorados_ = 0;
};

} // namespace vexa::recepcion
