#pragma once
// Dates of interface files: written without separators in one of twelve
// layouts of DD, MM and AA or AAAA. Pure: no database.
#include <QDate>
#include <QString>

namespace vexa::recepcion {

// Cuts a date (its "/" and "-" already removed) into day, month and year by the
// layout (trimmed, any case). An unknown layout empties the three parts and
// answers false, so the date is rejected rather than taken from elsewhere.
bool DesarmaFecha(const QString& fecha, const QString& formato, QString& dia, QString& mes, QString& anio);

// A year of digits below 80 becomes "20" and the year in two digits ("05" ->
// "2005", "5" -> "2005"); any other year stays as cut ("95", "2003").
QString AplicaSiglo(const QString& anio);

// The date of the three parts, read day first; a two-digit year is of the 1900s
// (the century rule has already moved the ones below 80). Invalid unless every
// part is made of digits and names a real day.
QDate FechaDePartes(const QString& dia, const QString& mes, const QString& anio);

// One date field of a line: its value and its layout as the definition holds them.
struct FechaLeida {
    enum class Estado { Valida, LargoIncorrecto, NoEsFecha };
    Estado estado = Estado::NoEsFecha;
    QString texto; // day "/" month "/" year, as cut
    QDate fecha;
    bool valida() const { return estado == Estado::Valida; }
};
// Removes "/" and "-" from the value (then trims blanks) and "/", "-" and NUL
// from the layout; a value of other than 6 or 8 characters is LargoIncorrecto.
FechaLeida LeeFecha(const QString& valor, const QString& formato);

} // namespace vexa::recepcion
