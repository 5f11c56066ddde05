#pragma once
// Cancelling a reception run, without any window: deletes the entries the run
// posted that are not part of a summary entry and marks its log row cancelled,
// all in one transaction that is rolled back on any error.
//
//   ResultadoAnulacion r = AnularRecepcion(ctx, id);
//
// The run's log row is locked first, so a run still posting finds it cancelled
// at its next batch and rolls that batch back (TestigoRecepcion), or the cancel
// waits for the batch and deletes its rows too. Whole entries only: an entry
// with a line included in a summary entry keeps all its lines. The run is
// marked cancelled when at least one entry was deleted. Nothing changes when a
// line to delete belongs to a closed fiscal year or one whose results were
// cancelled. One run or cancel per station (ContextoEmpresa::Corrida).
#include <QString>

namespace vexa {
class ContextoEmpresa;
}

namespace vexa::recepcion {

struct ResultadoAnulacion {
    enum class Fin {
        Anulada,         // entries deleted, the run marked
        SinRegistros,    // nothing left to delete (all summarised, or none)
        YaAnulada,       // the run was cancelled before
        NoExiste,        // no log row of that number
        EjercicioCerrado,
        Rechazada,       // another run or cancel at this station
    };
    Fin fin = Fin::SinRegistros;
    int filasBorradas = 0;
    QString mensaje; // what to tell the operator; empty after a cancel
};

ResultadoAnulacion AnularRecepcion(ContextoEmpresa& ctx, qint32 idRecepcion);

QString MensajeSinRegistrosAnulacion();
QString MensajeYaAnulada();
QString MensajeEjercicioCerradoAnulacion();

} // namespace vexa::recepcion
