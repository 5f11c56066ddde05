#include "Lectores.h"

#include "Utilidades.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace vexa {

QString MesAnio::texto() const
{
    return QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio, 4, 10, QLatin1Char('0'));
}

namespace lectura {

namespace {

// "1.234.567": a first group of 1 to 3 digits, then groups of exactly three.
bool agrupaMiles(const QString& entero, QChar miles)
{
    const QStringList grupos = entero.split(miles);
    if (grupos.size() < 2) return true;
    for (int i = 0; i < grupos.size(); ++i) {
        const qsizetype n = grupos[i].size();
        if (i == 0 ? (n < 1 || n > 3) : n != 3) return false;
    }
    return true;
}

// The marks of a number without its sign, left with '.' as the only (decimal)
// mark; false when they break the grammar.
bool normalizaMarcas(QString& s)
{
    const qsizetype puntos = s.count(u'.');
    const qsizetype comas = s.count(u',');
    if (puntos && comas) {
        const QChar decimal = s.lastIndexOf(u'.') > s.lastIndexOf(u',') ? u'.' : u',';
        const QChar miles = decimal == u'.' ? u',' : u'.';
        if (s.count(decimal) != 1) return false;
        if (!agrupaMiles(s.left(s.indexOf(decimal)), miles)) return false;
        s.remove(miles);
        s.replace(decimal, u'.');
    } else if (comas) {
        if (comas == 1) s.replace(u',', u'.');
        else if (!agrupaMiles(s, u',')) return false;
        else s.remove(u',');
    } else if (puntos > 1) {
        if (!agrupaMiles(s, u'.')) return false;
        s.remove(u'.');
    }
    return true;
}

bool soloCifras(const QString& s)
{
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

template <class T>
Leido<T> leido(Estado e, T v = T{})
{
    return Leido<T>{e, v};
}

} // namespace

std::optional<NumeroEscrito> desarmar(const QString& texto)
{
    QString s = texto.trimmed();
    if (s.isEmpty()) return std::nullopt;
    NumeroEscrito n;
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        n.negativo = s.startsWith(u'-');
        s = s.mid(1).trimmed();
    } else if (s.endsWith(u'-')) {
        n.negativo = true;
        s.chop(1);
        s = s.trimmed();
    }
    if (!normalizaMarcas(s)) return std::nullopt;
    const qsizetype punto = s.indexOf(u'.');
    n.entero = punto < 0 ? s : s.left(punto);
    n.fraccion = punto < 0 ? QString() : s.mid(punto + 1);
    if (n.entero.isEmpty() && n.fraccion.isEmpty()) return std::nullopt;
    if (!soloCifras(n.entero) || !soloCifras(n.fraccion)) return std::nullopt;
    return n;
}

Leido<Moneda> importe(const QString& texto)
{
    if (texto.trimmed().isEmpty()) return {};
    Moneda m;
    switch (Moneda::leer(texto, &m)) {
    case Moneda::Lectura::Valido: return leido(Estado::Valido, m);
    case Moneda::Lectura::ExcedeMaximo: return leido<Moneda>(Estado::FueraDeRango);
    case Moneda::Lectura::NoNumerico: break;
    }
    return leido<Moneda>(Estado::NoValido);
}

Leido<double> decimal(const QString& texto)
{
    if (texto.trimmed().isEmpty()) return {};
    const auto n = desarmar(texto);
    if (!n) return leido<double>(Estado::NoValido);
    const QString plano = (n->entero.isEmpty() ? QStringLiteral("0") : n->entero) +
                          (n->fraccion.isEmpty() ? QString() : u'.' + n->fraccion);
    bool ok = false;
    const double d = QLocale::c().toDouble(plano, &ok);
    if (!ok || !std::isfinite(d)) return leido<double>(Estado::FueraDeRango);
    return leido(Estado::Valido, n->negativo ? -d : d);
}

Leido<qint64> entero(const QString& texto)
{
    if (texto.trimmed().isEmpty()) return {};
    const auto n = desarmar(texto);
    if (!n) return leido<qint64>(Estado::NoValido);
    for (QChar c : n->fraccion)
        if (c != u'0') return leido<qint64>(Estado::NoValido);
    // Digits are checked one by one against the limit: nothing wraps.
    const quint64 limite = n->negativo ? quint64(std::numeric_limits<qint64>::max()) + 1 : quint64(std::numeric_limits<qint64>::max());
    quint64 v = 0;
    for (QChar c : n->entero) {
        const quint64 d = quint64(c.unicode() - u'0');
        if (v > (limite - d) / 10) return leido<qint64>(Estado::FueraDeRango);
        v = v * 10 + d;
    }
    if (n->negativo) return leido(Estado::Valido, v == limite ? std::numeric_limits<qint64>::min() : -qint64(v));
    return leido(Estado::Valido, qint64(v));
}

Leido<qint64> enteroRedondeado(const QString& texto)
{
    if (texto.trimmed().isEmpty()) return {};
    bool desborda = false;
    const auto m = Moneda::parsear(texto, &desborda);
    if (!m) return leido<qint64>(desborda ? Estado::FueraDeRango : Estado::NoValido);
    return leido(Estado::Valido, redondeaAEntero(*m));
}

qint64 redondeaAEntero(Moneda m)
{
    const __int128 u = m.unidades(); // wide: rounding the largest amounts must not overflow
    return qint64((u >= 0 ? u + Moneda::kEscala / 2 : u - Moneda::kEscala / 2) / Moneda::kEscala);
}

Leido<QDate> fecha(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.isEmpty()) return {};
    const QDate iso = QDate::fromString(t.left(10), Qt::ISODate);
    if (iso.isValid() && t.size() >= 10 && t[4] == u'-') return leido(Estado::Valido, iso);
    static const QRegularExpression separador(QStringLiteral("[/\\-.]"));
    const QStringList p = t.split(separador);
    if (p.size() != 3) return leido<QDate>(Estado::NoValido);
    bool a = false, b = false, c = false;
    const int dia = p[0].trimmed().toInt(&a), mes = p[1].trimmed().toInt(&b);
    int anio = p[2].trimmed().toInt(&c);
    if (!a || !b || !c) return leido<QDate>(Estado::NoValido);
    if (p[2].trimmed().size() <= 2) anio += anio < 30 ? 2000 : 1900;
    const QDate d(anio, mes, dia);
    return d.isValid() ? leido(Estado::Valido, d) : leido<QDate>(Estado::NoValido);
}

Leido<MesAnio> mesAnio(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.isEmpty()) return {};
    const qsizetype barra = t.indexOf(u'/');
    if (barra <= 0 || barra > 2 || t.size() - barra - 1 != 4) return leido<MesAnio>(Estado::NoValido);
    const QString mes = t.left(barra), anio = t.mid(barra + 1);
    if (!soloCifras(mes) || !soloCifras(anio)) return leido<MesAnio>(Estado::NoValido);
    const MesAnio m{mes.toInt(), anio.toInt()};
    return m.valido() ? leido(Estado::Valido, m) : leido<MesAnio>(Estado::NoValido);
}

Leido<double> numeroInicial(const QString& texto)
{
    qsizetype i = 0;
    const qsizetype n = texto.size();
    while (i < n && (texto[i] == u' ' || texto[i] == u'\t')) ++i;
    // Most texts read here are short whole numbers (keys, codes, branch and
    // voucher numbers): those are read directly. Up to 15 digits a double
    // holds them exactly, as the general reading below gives them.
    {
        qsizetype j = i;
        const bool negativo = j < n && texto[j] == u'-';
        if (j < n && (texto[j] == u'-' || texto[j] == u'+')) ++j;
        const qsizetype desde = j;
        qint64 v = 0;
        while (j < n && j - desde < 15 && texto[j] >= u'0' && texto[j] <= u'9') v = v * 10 + (texto[j++].unicode() - u'0');
        const bool sigue = j < n && ((texto[j] >= u'0' && texto[j] <= u'9') || texto[j] == u'.' || texto[j] == u' ');
        if (j > desde && !sigue) return leido(Estado::Valido, negativo ? -double(v) : double(v));
    }
    QString numero;
    if (i < n && (texto[i] == u'-' || texto[i] == u'+')) numero += texto[i++];
    bool punto = false, cifras = false;
    for (; i < n; ++i) {
        const QChar c = texto[i];
        if (c >= u'0' && c <= u'9') {
            numero += c;
            cifras = true;
        } else if (c == u'.' && !punto) {
            numero += c;
            punto = true;
        } else if (c != u' ') { // blanks inside the number are skipped
            break;
        }
    }
    if (!cifras) return {};
    return leido(Estado::Valido, numero.toDouble());
}

Leido<qint64> enteroInicial(const QString& texto)
{
    const auto n = numeroInicial(texto);
    if (!n.valido()) return {};
    const double d = std::trunc(n.valor);
    // Beyond the 64-bit range there is no whole number to give.
    if (!texto::enRangoEntero64(d)) return leido<qint64>(Estado::FueraDeRango);
    return leido(Estado::Valido, qint64(d));
}

} // namespace lectura
} // namespace vexa
