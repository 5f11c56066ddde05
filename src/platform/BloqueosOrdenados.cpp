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

using Orden = OrdenBloqueo; // level, hash

} // namespace

void tomarBloqueo(Conexion& con, const QString& clave, NivelBloqueo nivel)
{
    if (con.motor() != Motor::PostgreSQL) return;
    if (!con.enTransaccion())
        throw ErrorVexa(3246, QStringLiteral("El bloqueo se toma dentro de la transacción que graba"));
    const qint64 h = hashClave(clave);
    EstadoTransaccion& estado = con.estadoTransaccion();
    if (estado.bloqueoTomado(h)) return;
    const std::optional<Orden> mayor = estado.mayorBloqueo();
    const Orden orden{int(nivel), h};
    if (!mayor || orden > *mayor) {
        con.Escalar(QStringLiteral("SELECT pg_advisory_xact_lock(CAST(? AS BIGINT))"), {qlonglong(h)});
        estado.fijarMayorBloqueo(orden);
    } else if (!con.Escalar(QStringLiteral("SELECT pg_try_advisory_xact_lock(CAST(? AS BIGINT))"), {qlonglong(h)}).toBool()) {
        throw BloqueoOcupado(clave.trimmed(), nivel);
    }
    estado.marcarBloqueoTomado(h);
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

std::vector<bool> tomarBloqueosJuntos(Conexion& con, const QStringList& claves, NivelBloqueo nivel)
{
    std::vector<bool> tomado(size_t(claves.size()), true);
    if (con.motor() != Motor::PostgreSQL || claves.isEmpty()) return tomado;
    if (!con.enTransaccion())
        throw ErrorVexa(3246, QStringLiteral("El bloqueo se toma dentro de la transacción que graba"));
    EstadoTransaccion& estado = con.estadoTransaccion();
    const Orden tope = estado.mayorBloqueo().value_or(Orden{-1, 0});
    std::vector<qint64> hashes;
    std::vector<qint64> esperar, probar;
    for (qsizetype i = 0; i < claves.size(); ++i) {
        const qint64 h = hashClave(claves[i]);
        hashes.push_back(h);
        if (estado.bloqueoTomado(h)) continue;
        (Orden{int(nivel), h} > tope ? esperar : probar).push_back(h);
    }
    auto lista = [](std::vector<qint64>& v) {
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        QString t = QStringLiteral("{");
        for (qint64 h : v) t += QString::number(h) + u',';
        t.back() = u'}';
        return t;
    };
    std::vector<qint64> ocupados;
    if (!probar.empty()) {
        // A key below one held is never waited for: only tried.
        auto rs = con.ObtenerRecordset(QStringLiteral("SELECT k FROM unnest(CAST(? AS BIGINT ARRAY)) AS t(k) "
                                                      "WHERE NOT pg_try_advisory_xact_lock(k)"),
                                       {lista(probar)});
        for (; !rs.eof(); rs.siguiente()) ocupados.push_back(rs.fila().entero(QStringLiteral("k")));
        std::sort(ocupados.begin(), ocupados.end());
    }
    if (!esperar.empty()) {
        // Waited for one after the other, lowest first (the sorted subquery is
        // not merged into the outer one, so the locks follow its order).
        con.EjecutarSQL(QStringLiteral("SELECT pg_advisory_xact_lock(k) FROM (SELECT k FROM unnest(CAST(? AS BIGINT ARRAY)) "
                                       "AS t(k) ORDER BY k OFFSET 0) AS s"),
                        {lista(esperar)});
        estado.fijarMayorBloqueo(Orden{int(nivel), esperar.back()});
    }
    for (size_t i = 0; i < hashes.size(); ++i) {
        if (std::binary_search(ocupados.begin(), ocupados.end(), hashes[i])) {
            tomado[i] = false;
            continue;
        }
        estado.marcarBloqueoTomado(hashes[i]);
    }
    return tomado;
}

bool esConflictoTransitorio(const std::exception& e)
{
    const auto* bd = dynamic_cast<const ErrorBD*>(&e);
    return bd && (bd->estado() == QLatin1String("40P01") || bd->estado() == QLatin1String("40001"));
}

} // namespace vexa
