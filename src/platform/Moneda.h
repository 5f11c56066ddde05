#pragma once
// Exact fixed-point amount with four decimals (1 unit = 1/10000).
// Amounts never travel as doubles: text in, text out, or whole units.
#include <QMetaType>
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace vexa {

class Moneda {
public:
    static constexpr int64_t kEscala = 10000;

    constexpr Moneda() = default;
    static constexpr Moneda desdeUnidades(int64_t u) { Moneda m; m.u_ = u; return m; }
    static constexpr Moneda entero(int64_t v) { return desdeUnidades(v * kEscala); }

    // Parses "1234.5", "-1.234,56", "1,5", " 12 ", "+3". Blanks around are ignored.
    // With both '.' and ',' the last one is the decimal mark; with several of one
    // kind they are thousands marks. More than four decimals round half away from 0.
    static std::optional<Moneda> parsear(const QString& texto);

    constexpr int64_t unidades() const { return u_; }
    bool esCero() const { return u_ == 0; }
    bool esNegativo() const { return u_ < 0; }
    Moneda abs() const { return desdeUnidades(u_ < 0 ? -u_ : u_); }

    // "121.0000" style with the given decimals (0..4), '.' as the decimal mark.
    QString texto(int decimales = 4) const;
    // Same with thousands grouping "1.234,56" for screen and printed lists.
    QString textoLocal(int decimales = 2) const;

    constexpr Moneda operator+(Moneda o) const { return desdeUnidades(u_ + o.u_); }
    constexpr Moneda operator-(Moneda o) const { return desdeUnidades(u_ - o.u_); }
    constexpr Moneda operator-() const { return desdeUnidades(-u_); }
    Moneda& operator+=(Moneda o) { u_ += o.u_; return *this; }
    Moneda& operator-=(Moneda o) { u_ -= o.u_; return *this; }
    // Multiplies by an exact ratio given as text (e.g. an index coefficient), rounding half away from zero.
    Moneda porFactor(const QString& factor) const;
    constexpr auto operator<=>(const Moneda&) const = default;

private:
    int64_t u_ = 0;
};

} // namespace vexa

Q_DECLARE_METATYPE(vexa::Moneda)
