#pragma once
// Advisory locks of one write transaction, taken in an order that can't
// deadlock (PostgreSQL; SQLite already serialises writers, nothing is taken).
//
// A transaction never waits for a lock while it holds one whose key sorts
// after it: a key that sorts above every key held is waited for; any other is
// only tried (pg_try_advisory_xact_lock). When that one is busy, tomarBloqueo
// throws BloqueoOcupado: the caller undoes what it did since it began to need
// the key, ends its transaction, and starts a fresh one by taking the keys it
// needs in order (tomarBloqueosEnOrden), where it waits for them.
//
// Locks last until the transaction ends. The keys held are remembered as
// transaction data of the connection, so a savepoint rolled back forgets the
// keys it took.
#include "Conexion.h"

#include <QString>
#include <QStringList>

namespace vexa {

// A lock another transaction holds, that this one may not wait for.
class BloqueoOcupado : public ErrorVexa {
public:
    explicit BloqueoOcupado(QString clave)
        : ErrorVexa(0, QStringLiteral("Bloqueo ocupado por otra estación: ") + clave), clave_(std::move(clave)) {}
    const QString& clave() const { return clave_; }

private:
    QString clave_;
};

// Takes the lock of the key until the transaction ends (see above). Keys are
// compared without regard to letter case and outer blanks.
void tomarBloqueo(Conexion& con, const QString& clave);
// Takes the keys, waiting for each, lowest first (at the start of a transaction).
void tomarBloqueosEnOrden(Conexion& con, const QStringList& claves);

// A deadlock or a serialisation failure: the transaction is to be done again,
// the data are not at fault.
bool esConflictoTransitorio(const std::exception& e);

} // namespace vexa
