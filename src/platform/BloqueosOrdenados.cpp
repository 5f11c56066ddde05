#include "BloqueosOrdenados.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vexa {

namespace {

// FNV-1a over the key's UTF-8 bytes: the same key gives the same lock on every
// station (and the same as Conexion::bloquearFamilia for the same key).
qint64 hashClave(const QString& clave)
{
    quint64 h = 1469598103934665603ULL;
    for (char c : clave.trimmed().toUpper().toUtf8()) {
        h ^= (unsigned char)c;
        h *= 1099511628211ULL;
    }
    return qint64(h);
}

const QString kTomado = QStringLiteral("BloqueosOrdenados|clave|");
const QString kMayorNivel = QStringLiteral("BloqueosOrdenados|mayor|nivel");
const QString kMayor = QStringLiteral("BloqueosOrdenados|mayor");

using Orden = std::pair<int, qint64>; // level, hash

} // namespace

void tomarBloqueo(Conexion& con, const QString& clave, NivelBloqueo nivel)
{
    if (con.motor() != Motor::PostgreSQL) return;
    if (!con.enTransaccion())
        throw ErrorVexa(3246, QStringLiteral("El bloqueo se toma dentro de la transacción que graba"));
    const qint64 h = hashClave(clave);
    const QString marca = kTomado + QString::number(h);
    if (con.datoTransaccion(marca).isValid()) return;
    const QVariant mayor = con.datoTransaccion(kMayor);
    const Orden orden{int(nivel), h};
    if (!mayor.isValid() || orden > Orden{con.datoTransaccion(kMayorNivel).toInt(), mayor.toLongLong()}) {
        con.Escalar(QStringLiteral("SELECT pg_advisory_xact_lock(CAST(? AS BIGINT))"), {qlonglong(h)});
        con.fijarDatoTransaccion(kMayor, qlonglong(h));
        con.fijarDatoTransaccion(kMayorNivel, int(nivel));
    } else if (!con.Escalar(QStringLiteral("SELECT pg_try_advisory_xact_lock(CAST(? AS BIGINT))"), {qlonglong(h)}).toBool()) {
        throw BloqueoOcupado(clave.trimmed(), nivel);
    }
    con.fijarDatoTransaccion(marca, true);
}

void tomarBloqueosEnOrden(Conexion& con, const std::vector<ClaveBloqueo>& claves)
{
    std::vector<std::pair<Orden, const ClaveBloqueo*>> orden;
    for (const ClaveBloqueo& c : claves) orden.emplace_back(Orden{int(c.nivel), hashClave(c.clave)}, &c);
    std::sort(orden.begin(), orden.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [o, c] : orden) tomarBloqueo(con, c->clave, c->nivel);
}

void tomarBloqueosEnOrden(Conexion& con, const QStringList& claves, NivelBloqueo nivel)
{
    std::vector<ClaveBloqueo> v;
    for (const QString& c : claves) v.push_back({c, nivel});
    tomarBloqueosEnOrden(con, v);
}

bool esConflictoTransitorio(const std::exception& e)
{
    const auto* bd = dynamic_cast<const ErrorBD*>(&e);
    return bd && (bd->estado() == QLatin1String("40P01") || bd->estado() == QLatin1String("40001"));
}

} // namespace vexa
