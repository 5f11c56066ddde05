#pragma once
// A whole reception of the commercial system's transfer file, without any
// window: reads the file as a stream (LectorInterfaz), gathers the lines of
// each voucher (AgrupadorVexa), checks and posts every voucher (RecepcionVexa)
// in batches of about a quarter of a second (LoteRecepcion), and keeps the
// run's row of the reception log (TestigoRecepcion) up to date.
//
//   ProgresoNulo progreso;
//   ResultadoCorridaVexa r = RecibirVexa(ctx, "/ruta/vexa.txt", progreso, listar, alFallar);
//
// The run's row is written before the first line (its ID is the run's
// reception number, carried by every posted row) with the user: the station
// (SeccionEquipo) when "USA_CONTRASEÑA" is "SI" in any case, else the user
// code. Each batch writes the counts it commits (vouchers: recorded, and read
// but not recorded); the end of the file completes the last voucher and the
// row (date, total). The progress hears of every line, with "Leyendo Asiento
// Nº " and its key; when it answers that the operator cancelled, the line is
// not stored, the voucher being read is not posted, what was committed stays
// and the row is completed with the counts so far. A run stopped by an error
// keeps its counts without a total; a database that can't go on (a lock
// time-out, a full disk, a lost connection) stops the run without asking
// alFallar, the vouchers of the batch in hand are neither listed nor counted,
// and the error ends with MensajeCorridaDetenida.
//
// listar receives, per committed batch and in file order, the rejected
// vouchers as "Asiento: " + the voucher's key as a plain number + " " + why.
// alFallar hears of a voucher that failed with an unexpected error (nothing of
// it stays, and no transaction is open): true posts it again; false lists it
// with the error's text. Without it such a voucher is listed at once.
//
// One reception per station (ContextoEmpresa::Corrida): a second one is
// refused (Fin::Rechazada, MensajeOtraRecepcion()). A run cancelled from
// FrmAnulRecep meanwhile rolls back its batch in hand and stops (Fin::Anulada):
// its message is listed too.
#include "CorridaRecepcion.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace vexa {
class ContextoEmpresa;
class Progreso;
} // namespace vexa

namespace vexa::recepcion {

struct ResultadoCorridaVexa {
    enum class Fin { Completa, Cancelada, Rechazada, Anulada, Error };
    Fin fin = Fin::Error;
    qint32 idRecepcion = 0; // 0 when the run stopped before reserving its log row
    int leidos = 0;         // vouchers completed (committed or rejected)
    int grabados = 0;       // vouchers posted
    int errorNumero = 0;    // Fin::Error, Rechazada, Anulada: the error's number and text
    QString error;
};

using ListarErrores = std::function<void(const QStringList&)>;
using AlFallarComprobante = std::function<bool(int numero, const QString& error)>;

// Asked, with the batch in hand committed, when the progress answers that the
// operator wants to stop: true stops the run; false goes on (the progress then
// hears "Actualizando Asiento Nº " and the key). Without it the run stops at once.
using ConfirmaCancelar = std::function<bool()>;

ResultadoCorridaVexa RecibirVexa(ContextoEmpresa& ctx, const QString& archivo, Progreso& progreso,
                                 const ListarErrores& listar = {}, const AlFallarComprobante& alFallar = {},
                                 const ConfirmaCancelar& confirmaCancelar = {});

// The log row's user for a run of this station.
QString UsuarioRecepcion(ContextoEmpresa& ctx);

} // namespace vexa::recepcion
