#pragma once
// Rules of the fixed-asset register without a window: the derived figures of
// an asset (depreciation percentage, the year's depreciation, the sheet's
// period name), the purchase-year check against the fiscal years, and the
// queries the register window and its list make. Codes are whole numbers,
// accounts text keys; every value is bound.
#include "Conexion.h"
#include "Moneda.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace vexa::bienes {

// Depreciation percentage of a useful life in years: 100 / life written with
// 15 significant digits and a point ("25", "33.3333333333333"); "0.00" for a
// life of 0 or less (the asset is not depreciable).
QString PorcentajeDeVida(double vidaUtil);

// The year's depreciation of the sheet: the base times the coefficient, as an
// amount, times the annual percentage / 12 * months / 100.
Moneda CalculaDepEjercicio(Moneda base, double coeficiente, double porcentajeAnual, qint64 meses);

// Whole years between two dates as calendar year minus calendar year.
int AniosCalendario(const QDate& desde, const QDate& hasta);

// Name of the sheet's period: "Trimestral" for 3 months, "Anual" for 12,
// "Mensual" for any other number.
QString DescripcionPeriodo(qint64 meses);

// The purchase date against the typed purchase year: the fiscal year holding
// the date must be that year (not asked of an improvement); a date outside
// every year needs the typed year to exist. Returns the refusal's message, ""
// when it passes.
QString ValidaEjercicioCompra(Conexion& con, const QDate& fechaCompra, qint64 periodo, bool esNovedad);

// ---- queries ----
bool ExisteBien(Conexion& con, qint64 codigo);
// Another asset already carries this identification.
bool ExisteSerie(Conexion& con, const QString& serie);
// The asset's row (every column); none when the code is not stored.
std::optional<Fila> LeerBien(Conexion& con, qint64 codigo);
// The two depreciation accounts of an asset account ("" where it has none).
struct CuentasDepreciacion {
    QString ejercicio, acumulada;
};
CuentasDepreciacion CuentasDeDepreciacion(Conexion& con, const QString& cuenta);
// The highest fiscal year created (0 when none).
qint64 UltimoEjercicio(Conexion& con);

// One row of the list of an account's assets in use.
struct BienListado {
    qint64 codigo = 0;
    QString cuenta, descripcionCuenta;
    QDate fechaCompra;
};
// The assets in use (not retired) of the account, by code; the account's
// description read once for all of them.
std::vector<BienListado> BienesDeCuenta(Conexion& con, const QString& cuenta);

// A code typed or chosen as text, as a whole number; nullopt when it is not one.
std::optional<qint64> CodigoBien(const QString& texto);

} // namespace vexa::bienes
