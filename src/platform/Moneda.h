#pragma once
// Exact fixed-point amount with four decimals (1 unit = 1/10000).
// Amounts never travel as doubles: text in, text out, or whole units.
// Arithmetic never wraps: a result outside the 64-bit range of units throws
// ErrorVexa 6 ("Desbordamiento").
#include "Errores.h"

#include <QMetaType>
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace vexa {

class Moneda {
public:
    static constexpr int64_t kEscala = 10000;
    // Largest amount an operator or a received file may enter: 999,999,999.9999.
    // A journal column is summed by the database: PostgreSQL sums NUMERIC exactly
    // at any size; SQLite sums the stored whole units in 64 bits and stops with an
    // "integer overflow" error rather than give a wrong total. With this limit
    // SQLite sums at least 922,337 lines of the maximum amount (and any number of
    // lines whose amounts average below 1/922,337 of the range), far beyond the
    // amounts of one company's year; above that the total is an error, never wrong.
    static constexpr int64_t kMaximoUnidades = 9'999'999'999'999; // 10^13 - 1
    static constexpr Moneda maximo() { Moneda m; m.u_ = kMaximoUnidades; return m; }

    constexpr Moneda() = default;
    static constexpr Moneda desdeUnidades(int64_t u) { Moneda m; m.u_ = u; return m; }
    static constexpr Moneda entero(int64_t v)
    {
        int64_t r = 0;
        if (__builtin_mul_overflow(v, kEscala, &r)) desbordamiento();
        return desdeUnidades(r);
    }

    // Parses "1234.5", "-1.234,56", "1,5", " 12 ", "+3". Blanks around are ignored.
    // With both '.' and ',' the last one is the decimal mark; with several of one
    // kind they are thousands marks. More than four decimals round half away from 0.
    // Thousands marks must group three digits ("1.234.567"); "1.2.3" is not a number.
    // A value outside the 64-bit range of units is refused, never wrapped.
    static std::optional<Moneda> parsear(const QString& texto);
    // Same; 'desborda' is set when the text is a number outside that range.
    static std::optional<Moneda> parsear(const QString& texto, bool* desborda);
    // What an operator or a file may enter: parsear() within +/- maximo().
    static std::optional<Moneda> desdeTextoEstricto(const QString& texto);
    // The same reading, telling why a text is refused: not a number, or a number
    // beyond maximo() (also one too large for 64 bits, or written with an
    // exponent, "1.8e15", which is otherwise no amount).
    enum class Lectura { Valido, NoNumerico, ExcedeMaximo };
    static Lectura leer(const QString& texto, Moneda* valor = nullptr);
    // The maximum as messages name it: "999.999.999,9999".
    static QString textoMaximo();
    // " supera el importe máximo de 999.999.999,9999": the end of the message
    // that refuses such an amount, after the words that name the field.
    static QString superaMaximo();
    bool dentroDelMaximo() const { return u_ >= -kMaximoUnidades && u_ <= kMaximoUnidades; }

    constexpr int64_t unidades() const { return u_; }
    bool esCero() const { return u_ == 0; }
    // The amount as a double, for the columns stored in floating point (an
    // amount times a rate); exact up to 2^53 units.
    double aDoble() const { return double(u_) / double(kEscala); }
    bool esNegativo() const { return u_ < 0; }
    Moneda abs() const { return desdeUnidades(u_ < 0 ? -u_ : u_); }

    // "121.0000" style with the given decimals (0..4), '.' as the decimal mark.
    QString texto(int decimales = 4) const;
    // Same with thousands grouping "1.234,56" for screen and printed lists.
    QString textoLocal(int decimales = 2) const;

    constexpr Moneda operator+(Moneda o) const
    {
        int64_t r = 0;
        if (__builtin_add_overflow(u_, o.u_, &r)) desbordamiento();
        return desdeUnidades(r);
    }
    constexpr Moneda operator-(Moneda o) const
    {
        int64_t r = 0;
        if (__builtin_sub_overflow(u_, o.u_, &r)) desbordamiento();
        return desdeUnidades(r);
    }
    constexpr Moneda operator-() const { return Moneda() - *this; }
    Moneda& operator+=(Moneda o) { return *this = *this + o; }
    Moneda& operator-=(Moneda o) { return *this = *this - o; }
    // Multiplies by an exact ratio given as text (e.g. an index coefficient), rounding half away from zero.
    Moneda porFactor(const QString& factor) const;
    constexpr auto operator<=>(const Moneda&) const = default;

    [[noreturn]] static void desbordamiento() { throw ErrorVexa(6, QStringLiteral("Desbordamiento: el importe excede el rango admitido")); }

private:
    int64_t u_ = 0;
};

} // namespace vexa

Q_DECLARE_METATYPE(vexa::Moneda)
