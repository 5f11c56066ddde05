#include "EstadoTransaccion.h"

namespace vexa {

namespace {

// The value of the innermost level that has one.
template <class Niveles, class F>
auto buscar(const Niveles& niveles, F&& campo) -> decltype(campo(niveles.back()))
{
    for (auto it = niveles.rbegin(); it != niveles.rend(); ++it)
        if (auto v = campo(*it)) return v;
    return {};
}

} // namespace

void EstadoTransaccion::abrirNivel() { niveles_.emplace_back(); }

void EstadoTransaccion::confirmarNivel()
{
    if (niveles_.size() < 2) return;
    Nivel hijo = std::move(niveles_.back());
    niveles_.pop_back();
    Nivel& padre = niveles_.back();
    for (auto it = hijo.numeraciones.cbegin(); it != hijo.numeraciones.cend(); ++it) padre.numeraciones.insert(it.key(), it.value());
    if (hijo.clavesNumeracion) padre.clavesNumeracion = std::move(hijo.clavesNumeracion);
    padre.familias.unite(hijo.familias);
    padre.bloqueos.unite(hijo.bloqueos);
    if (hijo.mayorBloqueo) padre.mayorBloqueo = hijo.mayorBloqueo;
    padre.vistos.unite(hijo.vistos);
    if (hijo.extension) {
        if (padre.extension)
            hijo.extension->fundirEn(*padre.extension);
        else
            padre.extension = std::move(hijo.extension);
    }
}

void EstadoTransaccion::deshacerNivel()
{
    if (!niveles_.empty()) niveles_.pop_back();
    if (niveles_.empty()) terminar();
}

void EstadoTransaccion::terminar()
{
    niveles_.clear();
    numeros_.clear();
}

std::optional<qint32> EstadoTransaccion::numeroTomado(const QString& familia) const
{
    const auto it = numeros_.constFind(familia);
    if (it == numeros_.cend()) return std::nullopt;
    return *it;
}

void EstadoTransaccion::fijarNumeroTomado(const QString& familia, qint32 numero)
{
    if (activo()) numeros_.insert(familia, numero);
}

void EstadoTransaccion::olvidarNumeros() { numeros_.clear(); }

std::optional<NumeracionPendiente> EstadoTransaccion::numeracionPendiente(const QString& clave) const
{
    for (auto it = niveles_.rbegin(); it != niveles_.rend(); ++it) {
        const auto f = it->numeraciones.constFind(clave);
        if (f != it->numeraciones.cend()) return *f;
    }
    return std::nullopt;
}

void EstadoTransaccion::fijarNumeracionPendiente(const QString& clave, const NumeracionPendiente& n)
{
    if (activo()) niveles_.back().numeraciones.insert(clave, n);
}

void EstadoTransaccion::olvidarNumeracion(const QString& clave)
{
    if (activo()) niveles_.back().numeraciones.insert(clave, std::nullopt);
}

QStringList EstadoTransaccion::clavesNumeracion() const
{
    const auto claves = buscar(niveles_, [](const Nivel& n) { return n.clavesNumeracion; });
    return claves ? *claves : QStringList();
}

void EstadoTransaccion::fijarClavesNumeracion(const QStringList& claves)
{
    if (activo()) niveles_.back().clavesNumeracion = claves;
}

bool EstadoTransaccion::familiaBloqueada(const QString& clave) const { return enAlguno(&Nivel::familias, clave); }

void EstadoTransaccion::marcarFamiliaBloqueada(const QString& clave)
{
    if (activo()) niveles_.back().familias.insert(clave);
}

bool EstadoTransaccion::bloqueoTomado(qint64 hash) const { return enAlguno(&Nivel::bloqueos, hash); }

void EstadoTransaccion::marcarBloqueoTomado(qint64 hash)
{
    if (activo()) niveles_.back().bloqueos.insert(hash);
}

std::optional<OrdenBloqueo> EstadoTransaccion::mayorBloqueo() const
{
    return buscar(niveles_, [](const Nivel& n) { return n.mayorBloqueo; });
}

void EstadoTransaccion::fijarMayorBloqueo(OrdenBloqueo orden)
{
    if (activo()) niveles_.back().mayorBloqueo = orden;
}

bool EstadoTransaccion::comprobanteVisto(const QString& clave) const { return enAlguno(&Nivel::vistos, clave); }

void EstadoTransaccion::marcarComprobanteVisto(const QString& clave)
{
    if (activo()) niveles_.back().vistos.insert(clave);
}

} // namespace vexa
