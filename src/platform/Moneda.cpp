#include "Moneda.h"

#include "Lectores.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace vexa {

namespace {
// Parses an unsigned decimal made of digits and at most one 'marca', into units with rounding.
// 'desborda' tells a number too large for 64 bits of units from a text that is no number.
std::optional<int64_t> unidadesDe(QStringView s, QChar marca, bool* desborda)
{
    if (desborda) *desborda = false;
    if (s.isEmpty()) return std::nullopt;
    __int128 ent = 0;
    int dec = 0;
    int64_t frac = 0;
    bool punto = false, digitos = false, redondeaArriba = false, grande = false;
    for (QChar c : s) {
        if (c == marca) {
            if (punto) return std::nullopt;
            punto = true;
            continue;
        }
        if (c < u'0' || c > u'9') return std::nullopt;
        digitos = true;
        int d = c.unicode() - u'0';
        if (!punto) {
            if (!grande) ent = ent * 10 + d;
            if (ent > (__int128)INT64_MAX / Moneda::kEscala) grande = true; // read on: is the rest a number?
        } else if (dec < 4) {
            frac = frac * 10 + d;
            ++dec;
        } else if (dec == 4) {
            redondeaArriba = d >= 5;
            ++dec;
        }
    }
    if (!digitos) return std::nullopt;
    while (dec < 4) { frac *= 10; ++dec; }
    const __int128 u = grande ? (__int128)INT64_MAX + 1 : ent * Moneda::kEscala + frac + (redondeaArriba ? 1 : 0);
    if (u > (__int128)INT64_MAX) {
        if (desborda) *desborda = true;
        return std::nullopt;
    }
    return (int64_t)u;
}
} // namespace

std::optional<Moneda> Moneda::desdeTextoEstricto(const QString& texto)
{
    auto m = parsear(texto);
    if (!m || !m->dentroDelMaximo()) return std::nullopt;
    return m;
}

Moneda::Lectura Moneda::leer(const QString& texto, Moneda* valor)
{
    bool desborda = false;
    const auto m = parsear(texto, &desborda);
    if (m && m->dentroDelMaximo()) {
        if (valor) *valor = *m;
        return Lectura::Valido;
    }
    if (m || desborda) return Lectura::ExcedeMaximo;
    // A number in exponent notation ("1.8e15") is no amount, but one beyond the
    // maximum is told as such.
    static const QRegularExpression exponente(QStringLiteral("^[+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)[eE][+-]?[0-9]+$"));
    const QString t = texto.trimmed();
    if (exponente.match(t).hasMatch()) {
        bool ok = false;
        const double d = QLocale::c().toDouble(QString(t).replace(u',', u'.'), &ok);
        if ((ok || std::isinf(d)) && std::fabs(d) > double(kMaximoUnidades) / double(kEscala)) return Lectura::ExcedeMaximo;
    }
    return Lectura::NoNumerico;
}

QString Moneda::textoMaximo() { return maximo().textoLocal(4); }

QString Moneda::superaMaximo() { return QStringLiteral(" supera el importe máximo de ") + textoMaximo(); }

std::optional<Moneda> Moneda::parsear(const QString& texto) { return parsear(texto, nullptr); }

std::optional<Moneda> Moneda::parsear(const QString& texto, bool* desborda)
{
    if (desborda) *desborda = false;
    // The plain form files mostly hold ("  -1234.50", "1234,5 "): blanks, a
    // leading sign, digits with one decimal mark at most. Read in place, as
    // the general reading below reads it; any other form goes that way.
    const QStringView v(texto);
    qsizetype i = 0, fin = v.size();
    while (i < fin && v[i] == u' ') ++i;
    while (fin > i && v[fin - 1] == u' ') --fin;
    const bool negativo = i < fin && v[i] == u'-';
    if (i < fin && (v[i] == u'-' || v[i] == u'+')) ++i;
    QChar marca = u'.';
    int marcas = 0;
    bool simple = i < fin;
    for (qsizetype k = i; simple && k < fin; ++k) {
        const QChar c = v[k];
        if (c == u'.' || c == u',') {
            marca = c;
            simple = ++marcas == 1;
        } else {
            simple = c >= u'0' && c <= u'9';
        }
    }
    if (simple) {
        const auto u = unidadesDe(v.sliced(i, fin - i), marca, desborda);
        if (!u) return std::nullopt;
        return desdeUnidades(negativo ? -*u : *u);
    }
    const auto n = lectura::desarmar(texto);
    if (!n) return std::nullopt;
    const QString s = n->entero + (n->fraccion.isEmpty() ? QString() : u'.' + n->fraccion);
    auto u = unidadesDe(s, u'.', desborda);
    if (!u) return std::nullopt;
    return desdeUnidades(n->negativo ? -*u : *u); // |INT64_MIN| is out of range: refused above
}

QString Moneda::texto(int decimales) const
{
    decimales = std::clamp(decimales, 0, 4);
    int64_t u = u_;
    bool neg = u < 0;
    uint64_t a = neg ? (uint64_t)(-(u + 1)) + 1 : (uint64_t)u;
    static const uint64_t div[] = {10000, 1000, 100, 10, 1};
    // Round half away from zero to the requested decimals.
    uint64_t paso = div[decimales];
    if (paso > 1) a = (a + paso / 2) / paso * paso;
    uint64_t ent = a / kEscala, frac = a % kEscala;
    QString r = QString::number(ent);
    if (decimales > 0)
        r += u'.' + QString::number(frac / paso).rightJustified(decimales, u'0');
    if (neg && a != 0) r.prepend(u'-');
    return r;
}

QString Moneda::textoLocal(int decimales) const
{
    QString t = texto(decimales);
    bool neg = t.startsWith(u'-');
    if (neg) t.remove(0, 1);
    QString ent = t.section(u'.', 0, 0), frac = t.section(u'.', 1);
    QString agrupado;
    for (int i = 0; i < ent.size(); ++i) {
        if (i && (ent.size() - i) % 3 == 0) agrupado += u'.';
        agrupado += ent[i];
    }
    return (neg ? QStringLiteral("-") : QString()) + agrupado + (frac.isEmpty() ? QString() : u',' + frac);
}

Moneda Moneda::porFactor(const QString& factor) const
{
    // factor as exact decimal with up to 8 decimals
    QString f = factor.trimmed();
    bool neg = f.startsWith(u'-');
    if (neg || f.startsWith(u'+')) f.remove(0, 1);
    f.replace(u',', u'.');
    QString ent = f.section(u'.', 0, 0), frac = f.section(u'.', 1).left(8);
    while (frac.size() < 8) frac += u'0';
    bool ok1 = true, ok2 = true;
    __int128 num = (__int128)(ent.isEmpty() ? 0 : ent.toLongLong(&ok1)) * 100000000 + frac.toLongLong(&ok2);
    if (!ok1 || !ok2) return Moneda();
    __int128 p = (__int128)u_ * num;
    __int128 q = 100000000;
    __int128 r = (p >= 0 ? p + q / 2 : p - q / 2) / q;
    if (neg) r = -r;
    if (r > (__int128)INT64_MAX || r < (__int128)INT64_MIN) desbordamiento();
    return desdeUnidades((int64_t)r);
}

} // namespace vexa
