#pragma once
// Posting the lines of a reception run in batches.
//
// One transaction holds the vouchers of a batch (the caller ends a batch with
// confirmar(), about every quarter of a second), so the database commits a few
// times a second instead of once per voucher. A line's result is final only
// when its batch has committed: confirmar() hands back every line of the batch,
// the recorded ones and the rejected ones, and only then counts them in the
// reception log, whose counts are written inside the same transaction.
//
// Lines are first posted without a savepoint of their own. When a line fails
// after it reached the database (an error, or a message of the posting after
// it wrote), the batch is rolled back and its lines are posted again one by
// one, each in a savepoint, so that the failure undoes only its own line.
#include "Conexion.h"

#include <QElapsedTimer>
#include <QString>

#include <optional>
#include <vector>

namespace vexa::recepcion {

class Contabilizador;
class RecepcionInterface;
class TestigoRecepcion;

class LoteRecepcion {
public:
    struct Resultado {
        int numero;      // line number in the file, from 1
        QString linea;   // the line as read
        QString mensaje; // empty: recorded; else why it was rejected
    };

    LoteRecepcion(Conexion& con, RecepcionInterface& recepcion, Contabilizador& contabilizador, TestigoRecepcion& testigo);

    // Validates and posts one line inside the current batch (opened on demand).
    void procesar(int numero, const QString& linea);
    // Commits the batch and returns the final result of each of its lines, in order.
    // When the commit fails, every line of the batch comes back rejected with the error.
    std::vector<Resultado> confirmar();

    bool abierto() const { return tx_.has_value(); }
    qint64 msAbierto() const { return tx_ ? reloj_.elapsed() : 0; }

private:
    Resultado procesarSeguro(int numero, const QString& linea);
    void repetirSeguro();

    Conexion& con_;
    RecepcionInterface& recepcion_;
    Contabilizador& contabilizador_;
    TestigoRecepcion& testigo_;
    std::optional<Transaccion> tx_;
    QElapsedTimer reloj_;
    bool seguro_ = false;
    std::vector<std::pair<int, QString>> lineas_;
    std::vector<Resultado> resultados_;
};

} // namespace vexa::recepcion
