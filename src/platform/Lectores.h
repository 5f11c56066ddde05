#pragma once
// The readers of text, one per kind of value: an amount, a decimal number, a
// whole number, a date, a month of a year, and the number at the start of a
// stored text. Windows and rules read a field's, a file's or a stored text
// through these and nothing else, so the same text means the same value
// everywhere.
//
// Every reader trims blanks around the text and tells what it found:
//
//   const auto costo = lectura::importe(caja->text());
//   if (costo.vacio()) ...                    // blank
//   if (!costo.valido()) ...                  // not an amount (or beyond the limit)
//   Moneda m = costo.o(Moneda());             // the value, or this one when not read
//
// Typed numbers share one grammar (the amounts'): a sign before the number or a
// minus after it; '.' or ',' as the decimal mark; with both marks the last
// one is the decimal mark; several marks of one kind group thousands, which
// then group three digits ("1.234.567"). Exponents are no number.
#include "Moneda.h"

#include <QDate>
#include <QString>

#include <compare>
#include <optional>

namespace vexa {

// A month of a year, written "MM/AAAA".
struct MesAnio {
    int mes = 0;
    int anio = 0;
    // "07/2026".
    QString texto() const;
    bool valido() const { return mes >= 1 && mes <= 12 && anio > 0; }
    // The month after this one.
    MesAnio siguiente() const { return mes >= 12 ? MesAnio{1, anio + 1} : MesAnio{mes + 1, anio}; }
    friend auto operator<=>(const MesAnio& a, const MesAnio& b)
    {
        return a.anio != b.anio ? a.anio <=> b.anio : a.mes <=> b.mes;
    }
    friend bool operator==(const MesAnio&, const MesAnio&) = default;
};

namespace lectura {

enum class Estado {
    Vacio,        // blank
    Valido,       // read
    NoValido,     // not a value of that kind
    FueraDeRango, // a value of that kind beyond what it may hold
};

template <class T>
struct Leido {
    Estado estado = Estado::Vacio;
    T valor{};
    bool valido() const { return estado == Estado::Valido; }
    bool vacio() const { return estado == Estado::Vacio; }
    // The value read; 'otro' when the text was blank or refused.
    T o(T otro) const { return valido() ? valor : otro; }
};

// A number of the common grammar taken apart: its sign and its digits before
// and after the decimal mark (either may be empty, not both).
struct NumeroEscrito {
    bool negativo = false;
    QString entero;
    QString fraccion;
};
// Nullopt when the text is no number of the common grammar.
std::optional<NumeroEscrito> desarmar(const QString& texto);

// An amount within +/- Moneda::maximo(); more than four decimals round half
// away from zero. FueraDeRango: a number beyond the maximum, or one written
// with an exponent that would be.
Leido<Moneda> importe(const QString& texto);
// A decimal number with every decimal written (a percentage, a coefficient,
// a useful life). FueraDeRango: beyond a double.
Leido<double> decimal(const QString& texto);
// A whole number (a code, a year, a count): decimals only when they are all
// zeros ("12.00"). FueraDeRango: beyond 64 bits.
Leido<qint64> entero(const QString& texto);
// A whole number where decimals were always taken and rounded half away from
// zero ("12.5" -> 13, "-2.5" -> -3): a count or a code typed in a field that
// never refused them. The amounts' grammar without their maximum: FueraDeRango
// beyond +/- 922337203685477.5807 (what 64 bits hold in ten-thousandths).
Leido<qint64> enteroRedondeado(const QString& texto);
// An amount rounded half away from zero to whole units.
qint64 redondeaAEntero(Moneda m);
// A date: "dd/MM/yyyy", also "d/M/yy" (years 30..99 are 19xx, 00..29 20xx),
// '-' or '.' as separators, and ISO "yyyy-MM-dd". NoValido: no such day.
Leido<QDate> fecha(const QString& texto);
// A month of a year: "07/2026" or "7/2026".
Leido<MesAnio> mesAnio(const QString& texto);

// The number at the start of a stored text (a key, a stored code, a setting
// written by this or another program), with its own grammar, as lenient as
// those texts were always read with: blanks and tabs before it are skipped, a sign may lead, blanks
// inside are skipped, '.' is the only decimal mark, and the reading stops at
// the first other character ("25B" -> 25, "0001" -> 1, "12.5.6" -> 12.5,
// "1,5" -> 1, "1e5" -> 1). Vacio: the text has no leading number ("B25", "",
// "-"). A number beyond a double reads as an infinity of its sign.
Leido<double> numeroInicial(const QString& texto);
// The whole part of that number ("25B" -> 25, "-3.9" -> -3). FueraDeRango:
// beyond 64 bits.
Leido<qint64> enteroInicial(const QString& texto);

} // namespace lectura
} // namespace vexa
