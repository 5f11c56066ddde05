#include "FechaInterfaz.h"

#include "Utilidades.h"

#include <iterator>

namespace vexa::recepcion {

namespace {
// A part of the date: 'desde' counts from 1; desde 0 means the last 'largo' characters.
struct Tramo {
    int desde, largo;
    QStringView de(QStringView s) const { return desde == 0 ? s.right(largo) : s.mid(desde - 1, largo); }
};
struct Disposicion {
    const char* formato;
    Tramo dia, mes, anio;
};
constexpr Disposicion kDisposiciones[] = {
    {"DDMMAA", {1, 2}, {3, 2}, {0, 2}},   {"DDMMAAAA", {1, 2}, {3, 2}, {0, 4}},
    {"DDAAMM", {1, 2}, {0, 2}, {3, 2}},   {"DDAAAAMM", {1, 2}, {0, 2}, {3, 4}},
    {"MMDDAA", {3, 2}, {1, 2}, {0, 2}},   {"MMDDAAAA", {3, 2}, {1, 2}, {0, 4}},
    {"MMAADD", {0, 2}, {1, 2}, {3, 2}},   {"MMAAAADD", {0, 2}, {1, 2}, {3, 4}},
    {"AAMMDD", {0, 2}, {3, 2}, {1, 2}},   {"AAAAMMDD", {0, 2}, {5, 2}, {1, 4}},
    {"AADDMM", {3, 2}, {0, 2}, {1, 2}},   {"AAAADDMM", {5, 2}, {0, 2}, {1, 4}},
};

// The layout a format names, read in place (every date of a line comes
// through here): blanks trimmed, any case; with 'limpiar' the "/", "-" and
// NUL a definition's format may hold are passed over too. nullptr when it
// names none.
const Disposicion* disposicionDe(const QString& formato, bool limpiar)
{
    char f[8];
    qsizetype n = 0, blancosFinales = 0;
    for (QChar ch : formato) {
        const char16_t u = ch.unicode();
        if (limpiar && (u == u'/' || u == u'-' || u == 0)) continue;
        if (u == u' ') {
            if (n > 0) ++blancosFinales; // leading blanks are trimmed
            continue;
        }
        if (blancosFinales > 0 || n == qsizetype(sizeof f) || u > 0x7F) return nullptr; // inner blank, too long, not a layout letter
        f[n++] = char(u >= u'a' && u <= u'z' ? u - (u'a' - u'A') : u);
    }
    for (const Disposicion& d : kDisposiciones)
        if (qstrlen(d.formato) == size_t(n) && std::equal(f, f + n, d.formato)) return &d;
    return nullptr;
}
} // namespace

bool DesarmaFecha(const QString& fecha, const QString& formato, QString& dia, QString& mes, QString& anio)
{
    const Disposicion* d = disposicionDe(formato, false);
    dia = d ? d->dia.de(fecha).toString() : QString();
    mes = d ? d->mes.de(fecha).toString() : QString();
    anio = d ? d->anio.de(fecha).toString() : QString();
    return d != nullptr;
}

namespace {
using texto::soloDigitos;
// AplicaSiglo without a text of its own: the century written into 'siglo'.
QStringView conSiglo(QStringView anio, char16_t (&siglo)[4])
{
    if (!soloDigitos(anio) || anio.size() > 9) return anio;
    const int n = texto::valorCifras(anio);
    if (n >= 80) return anio;
    siglo[0] = u'2';
    siglo[1] = u'0';
    siglo[2] = char16_t(u'0' + n / 10);
    siglo[3] = char16_t(u'0' + n % 10);
    return QStringView(siglo, 4);
}
QDate deLasPartes(QStringView dia, QStringView mes, QStringView anio)
{
    if (!soloDigitos(dia) || !soloDigitos(mes) || !soloDigitos(anio)) return {};
    if (dia.size() > 2 || mes.size() > 2 || anio.size() > 4) return {};
    int a = texto::valorCifras(anio);
    if (anio.size() <= 2) a += 1900;
    if (a < 100) return {};
    return QDate(a, texto::valorCifras(mes), texto::valorCifras(dia));
}
} // namespace

QString AplicaSiglo(const QString& anio)
{
    char16_t siglo[4];
    const QStringView r = conSiglo(anio, siglo);
    return r.utf16() == siglo ? r.toString() : anio;
}

QDate FechaDePartes(const QString& dia, const QString& mes, const QString& anio) { return deLasPartes(dia, mes, anio); }

FechaLeida LeeFecha(const QString& valor, const QString& formato)
{
    // The value without "/" and "-", its blanks at either end dropped, read in
    // place (two dates a line): only a value of 6 or 8 characters is a date,
    // so only the first 8 after the leading blanks are kept.
    char16_t limpia[8];
    qsizetype n = 0, largo = 0; // characters after the leading blanks; up to the last non-blank
    for (QChar ch : valor) {
        const char16_t u = ch.unicode();
        if (u == u'/' || u == u'-' || (n == 0 && u == u' ')) continue;
        if (n < qsizetype(std::size(limpia))) limpia[n] = u;
        ++n;
        if (u != u' ') largo = n;
    }
    FechaLeida r;
    if (largo != 6 && largo != 8) {
        r.estado = FechaLeida::Estado::LargoIncorrecto;
        return r;
    }
    const QStringView fecha(limpia, largo);
    QStringView dia, mes, anio;
    char16_t siglo[4];
    if (const Disposicion* d = disposicionDe(formato, true)) {
        dia = d->dia.de(fecha);
        mes = d->mes.de(fecha);
        anio = conSiglo(d->anio.de(fecha), siglo);
    }
    r.texto.reserve(dia.size() + mes.size() + anio.size() + 2);
    r.texto.append(dia).append(u'/').append(mes).append(u'/').append(anio);
    r.fecha = deLasPartes(dia, mes, anio);
    r.estado = r.fecha.isValid() ? FechaLeida::Estado::Valida : FechaLeida::Estado::NoEsFecha;
    return r;
}

} // namespace vexa::recepcion
