#pragma once
// Advisory locks of one write transaction, taken in an order that can't
// deadlock (PostgreSQL; SQLite already serialises writers, nothing is taken).
//
// Keys sort by their level first, then by a hash of their text. Record keys
// (a voucher's identity) come before numbering keys (an entry-number family):
// a transaction that writes its numbered rows last may lock every record it
// needs first and then wait for the families it numbers in, in order.
//
// A transaction never waits for a lock while it holds one whose key sorts
// after it: a key that sorts above every key held is waited for; any other is
// only tried (pg_try_advisory_xact_lock). When that one is busy, tomarBloqueo
// throws BloqueoOcupado: the caller undoes what it did since it began to need
// the key, ends its transaction, and starts a fresh one by taking the keys it
// needs in order (tomarBloqueosEnOrden), where it waits for them.
//
// Locks last until the transaction ends. The keys held are remembered in the
// connection's transaction state, so a savepoint rolled back forgets the keys
// it took.
#include "Conexion.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vexa {

enum class NivelBloqueo { Registro = 0, Numeracion = 1 };

struct ClaveBloqueo {
    QString clave;
    NivelBloqueo nivel = NivelBloqueo::Registro;
};

// A lock another transaction holds, that this one may not wait for.
class BloqueoOcupado : public ErrorVexa {
public:
    explicit BloqueoOcupado(QString clave, NivelBloqueo nivel = NivelBloqueo::Registro)
        : ErrorVexa(0, QStringLiteral("Bloqueo ocupado por otra estación: ") + clave), clave_{std::move(clave), nivel} {}
    const QString& clave() const { return clave_.clave; }
    const ClaveBloqueo& bloqueo() const { return clave_; }

private:
    ClaveBloqueo clave_;
};

// Takes the lock of the key until the transaction ends (see above). Keys are
// compared without regard to letter case and outer blanks.
void tomarBloqueo(Conexion& con, const QString& clave, NivelBloqueo nivel = NivelBloqueo::Registro);
// Takes the keys, lowest first, waiting for each that sorts above every key
// held (all of them at the start of a transaction).
void tomarBloqueosEnOrden(Conexion& con, const std::vector<ClaveBloqueo>& claves);
void tomarBloqueosEnOrden(Conexion& con, const QStringList& claves, NivelBloqueo nivel = NivelBloqueo::Registro);
// Many keys of one level in at most two statements, by the same rule: the keys
// that sort above every key held are waited for, lowest first; the others are
// only tried. Answers, per key, whether the transaction now holds it (false: busy,
// for tomarBloqueo to meet again when the key is needed).
std::vector<bool> tomarBloqueosJuntos(Conexion& con, const QStringList& claves, NivelBloqueo nivel = NivelBloqueo::Registro);

// A deadlock or a serialisation failure: the transaction is to be done again,
// the data are not at fault.
bool esConflictoTransitorio(const std::exception& e);

} // namespace vexa
