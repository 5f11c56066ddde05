#pragma once
// A whole reception run, without any window: loads the definition, reads the
// file as a stream (LectorInterfaz: one line at a time, never the whole file),
// reserves the run's row in the reception log, validates and posts every
// line in batches of about a quarter of a second (LoteRecepcion) and completes
// the log row at the end.
//
//   ProgresoNulo progreso;
//   ResultadoCorrida r = RecibirInterface(ctx, "VENTAS", "/ruta/ventas.txt", progreso,
//                                         [](const auto& lote) { ... list each line ... });
//
// alConfirmar receives the final result of every line of a batch once the batch
// has committed (in file order). A line the reader cannot use (a NUL, an
// invalid byte, longer than the definition holds) is listed as rejected with
// the reader's message and not posted. The progress counts the file's bytes. The progress hears of every line; when it
// answers that the operator cancelled, the batch in hand is committed and the
// run ends there (Fin::Cancelada).
//
// One run at a time per station (ContextoEmpresa::Corrida): a second one is
// refused with MensajeCorridaEnCurso(). A failure that stops the run rolls back
// the batch in hand before this returns, so the caller may show the error while
// nothing holds the database's write lock. A database that can't go on (a lock
// time-out, a full disk, a lost connection) stops the run: the lines of the
// batch in hand are neither listed nor counted, and the error (Fin::Error)
// ends with MensajeCorridaDetenida, so the lists, the log row and the message
// tell the same counts.
#include "LoteRecepcion.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace vexa {
class ContextoEmpresa;
class Progreso;
} // namespace vexa

namespace vexa::recepcion {

struct ResultadoCorrida {
    // Rechazada: another run was going on at this station; nothing was done.
    enum class Fin { Completa, Cancelada, Rechazada, Error };
    Fin fin = Fin::Error;
    qint32 idRecepcion = 0; // 0 when the run stopped before reserving its log row
    int grabados = 0;       // lines posted (committed)
    int rechazados = 0;     // lines rejected
    int errorNumero = 0;    // Fin::Error (and Rechazada): the error's number and text
    QString error;

    bool completa() const { return fin == Fin::Completa; }
};

using AlConfirmarLote = std::function<void(const std::vector<LoteRecepcion::Resultado>&)>;
// Hears of the run's reader once the file is open; whoever keeps it may read
// any line's text from it (LectorInterfaz::lineaEn), during the run and after.
using AlLeer = std::function<void(std::shared_ptr<const LectorInterfaz>)>;

ResultadoCorrida RecibirInterface(ContextoEmpresa& ctx, const QString& definicion, const QString& archivo,
                                  Progreso& progreso, const AlConfirmarLote& alConfirmar = {}, const AlLeer& alLeer = {});

// Refusal of a reception or a cancel while another runs at this station.
QString MensajeOtraRecepcion();
// The closing line of the message of a run stopped by an error after its log
// row was written: what it had committed (as its lists and its log row say).
QString MensajeCorridaDetenida(int grabados, int rechazados);

} // namespace vexa::recepcion
