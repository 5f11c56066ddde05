#pragma once
// The daily exchange-rate table (TA_COTIZACION) as the rate windows read and
// write it, without windows: the rows shown, the headings, a row's rates
// written back by its ID, and the rate of one currency on one day.
//
// A row is one calendar day (whatever its time part); Moneda1 to Moneda5 hold
// the rates of the TA_MONEDAS rows coded "1" to "5". A rate may be empty
// (NULL). Every function throws ErrorBD on a database error.
#include "Conexion.h"
#include "Moneda.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace vexa {

class ContextoEmpresa;

namespace cotizacion {

constexpr int kMonedas = 5;
using Tasas = std::array<std::optional<Moneda>, kMonedas>;

struct FilaCotizacion {
    qint64 id = 0;
    QDateTime fechaHora;
    Tasas tasas;
};

namespace mensajes {
inline QString noNumerica() { return QStringLiteral("El campo cotización debe ser numérico"); }
inline QString cero() { return QStringLiteral("La cotización no puede ser un Cero (0)"); }
inline QString titulo() { return QStringLiteral("Aviso al operador"); }
} // namespace mensajes

// "UsaMultilesMonedas" is "SI" (trimmed, any case).
bool UsaMultiplesMonedas(const QString& valorConfiguracion);

// The descriptions of currencies "1" to "5", trimmed and upper-cased; "" for
// a code without a row.
QStringList DescripcionesMonedas(Conexion& con);

// The first day the rate table shows: "[FECHA DESDE]" read day first; when
// it has no row (or is blank) the first day of the active year; an invalid
// date (no lower bound) when neither gives a date.
QDate PrimerDiaMostrado(ContextoEmpresa& ctx);

// The rows from 'desde' (invalid: no lower bound) to 'hoy', by calendar day
// with both ends included, newest first.
std::vector<FilaCotizacion> LeerCotizaciones(Conexion& con, const QDate& desde, const QDate& hoy);

// Writes the five rates of the row 'id' (an empty rate stays NULL); its day
// is not touched. Returns the rows changed (0 when the row is gone).
int GrabarTasas(Conexion& con, qint64 id, const Tasas& tasas);

// The rate of currency 'moneda' (1 to 5) on the calendar day 'dia'; empty when
// the day has no row or the rate is empty.
std::optional<Moneda> TasaDelDia(Conexion& con, const QDate& dia, int moneda);

struct MonedaDisponible {
    QString codigo;      // "1" to "5"
    QString descripcion; // trimmed
};
// The currencies a rate can be given for: codes "1" to "5", in code order.
std::vector<MonedaDisponible> MonedasConCotizacion(Conexion& con);

// A rate typed by the operator, ',' or '.' as the decimal mark; empty when the
// text is not a number (or is blank).
std::optional<Moneda> LeerTasa(const QString& texto);
// The rate prompt's acceptance: "" and the value, or the operator's message
// (not a number; zero). A negative rate is accepted.
QString ValidarCotizacion(const QString& texto, Moneda* valor);

// How the grid shows a rate: plain, '.' as the decimal mark, no trailing
// zeros ("1.5", "1050", "0.0001"); "" for an empty rate.
QString TextoTasa(const std::optional<Moneda>& tasa);
// How the grid shows a day: "dd/MM/yyyy", with "HH:mm" (":ss" when not 0) when
// its time is not midnight.
QString TextoDia(const QDateTime& fechaHora);

} // namespace cotizacion
} // namespace vexa
