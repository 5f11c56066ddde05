#pragma once
// The inflation-adjustment index table MA_INDAJUSTE: per calendar year twelve
// monthly rows, each with the values of four index series (Importe1..4) and
// each value's coefficient (Indice1..4) to the closing month of the active
// fiscal year: closing value / month's value, in double precision. The
// adjustment entry reads the stored values and coefficients.
//
// Rules only: reading a year, the closing month, the coefficients, the checks
// of the typed year and values, and saving or deleting a year (one transaction
// under the year's writer lock). Nothing here shows a window.
#include "Progreso.h"

#include <QString>

#include <array>
#include <optional>

namespace vexa {
class Conexion;
class ContextoEmpresa;
} // namespace vexa

namespace vexa::ajuste {

inline constexpr int kSeries = 4;
using Serie = std::array<double, kSeries>;

struct MesIndices {
    Serie importe{}; // index values of the four series
    Serie indice{};  // their coefficients (0: not computed)
};
// Month m (1..12) at [m - 1].
using AnioIndices = std::array<MesIndices, 12>;

// ---- the typed year ----
inline const QString kMensajeFormatoAnio = QStringLiteral("El formato del Año es incorrecto, debe ser de 4 digitos");
inline const QString kMensajeRangoAnio = QStringLiteral("Verifique el Año ingresado");
inline constexpr int kAnioMinimo = 1991;
inline constexpr int kAnioMaximo = 2089;
// The year of the typed text, read as a number ("abcd" reads 0): four digits
// and 1991..2089. Otherwise the message for the operator.
struct AnioValidado {
    int anio = 0;
    QString mensaje; // empty when the year is accepted
};
AnioValidado ValidarAnio(const QString& texto);

// ---- values and coefficients ----
// A value cell takes digits and one decimal mark ('.' or ','): whether the
// character may follow 'previo'.
bool CaracterDeValor(QChar c, const QString& previo);
// The number of a value text: blank is 0; digits with at most one mark (at
// least one digit); nullopt for anything else or a figure too large.
std::optional<double> LeerValor(const QString& texto);
// A value as the grid shows it: blank for 0, else the shortest plain decimals
// that read back to the same double ("105.3").
QString TextoValor(double valor);
// closing / value when the value is above 0; else 0.
double Coeficiente(double cierre, double valor);
// A coefficient as the grid shows it: blank for 0; else a blank and the
// number with up to three decimals, the decimal mark always written
// (1 -> " 1.", 1.2 -> " 1.2", 1/3 -> " 0.333").
QString TextoCoeficiente(double coeficiente);
// Every month's coefficients from the closing values.
void CalcularCoeficientes(AnioIndices& anio, const Serie& cierre);

// ---- the table ----
// The closing month of the active fiscal year (its last day's month and year);
// nullopt when the year does not exist (sinEjercicio then true: the caller
// tells the operator).
struct MesCierre {
    int anio = 0;
    int mes = 0;
};
std::optional<MesCierre> LeerMesCierre(ContextoEmpresa& ctx, bool* sinEjercicio = nullptr);

bool ExisteAnio(Conexion& con, int anio);
// A year's stored rows, each in its month's place; 'presentes' (optional) marks
// the months that have a row.
AnioIndices CargarAnio(Conexion& con, int anio, std::array<bool, 12>* presentes = nullptr);
// The values of one month; nullopt when it has no row.
std::optional<Serie> ValoresMes(Conexion& con, int anio, int mes);

// Writes the year as twelve rows (month m from anio[m - 1]) in place of what
// it held: the delete and the inserts are one transaction under the year's
// writer lock, so a failure leaves the stored year as it was and two stations
// saving one year leave one set of rows. Throws ErrorBD.
void GrabarAnio(Conexion& con, int anio, const AnioIndices& datos, Progreso& progreso);
// Deletes the year's rows (one transaction, same lock). Throws ErrorBD.
void BorrarAnio(Conexion& con, int anio);

} // namespace vexa::ajuste
