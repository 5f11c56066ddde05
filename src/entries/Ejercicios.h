#pragma once
// Fiscal years and their daily exchange-rate rows, without windows.
//
// Creating a year (CrearEjercicio) writes its MV_EJERCICIOS row and, when the
// company works with several currencies ("UsaMultilesMonedas" = "SI"), one
// TA_COTIZACION row per calendar day of the year, all in one transaction:
// either the year and all its days are saved, or nothing is.
//
// The rate days of TA_COTIZACION are filled by one routine,
// CompletarDiasCotizacion: a row counts for its calendar day whatever its
// time part (the table's unique index is on the day), days that exist are
// left as they are, new days are written at midnight. Two entry points use it:
//   * CrearDiasCotizacion / LlenarHuecos: the days of a new year, every rate 1;
//   * LlenarHuecosDesdeUltimoDia / LlenarHuecosHastaHoy: the rate table
//     brought up to a day from its newest row, each new day carrying the rates
//     of the day before it.
//
// Every function throws on a database error (ErrorBD) and rolls back what it
// wrote in its own transaction; inside the caller's transaction it leaves the
// rollback to the caller.
#include "Conexion.h"
#include "Errores.h"

#include <QDate>
#include <QString>

namespace vexa {

class ContextoEmpresa;
class Progreso;

namespace ejercicios {

// The daily-rate table's short date format, "dd/mm/yy" (Qt writes it "dd/MM/yy").
QString FechaCorta();
// A date written in that format ("05/03/27").
QString TextoFechaCorta(const QDate& d);

// Adds a row for every calendar day from 'primero' to 'ultimo' (both included)
// that has none; nothing when 'ultimo' is earlier than 'primero'. New days get
// every rate 1, or, with 'arrastrarTasas', the rates of the nearest earlier day
// of the range (an existing day passes its stored rates on). Takes the rate
// table's lock first and runs in the caller's transaction or in its own.
// Returns the number of days added.
int CompletarDiasCotizacion(Conexion& con, const QDate& primero, const QDate& ultimo, bool arrastrarTasas,
                            Progreso& progreso);

// The days after 'desde' up to and including 'hasta', every rate 1.
int LlenarHuecos(Conexion& con, const QDate& desde, const QDate& hasta, Progreso& progreso);
// Every day of fiscal year 'periodo' (its first to its last day), every rate 1;
// nothing when the year does not exist.
int CrearDiasCotizacion(Conexion& con, qint64 periodo, Progreso& progreso);
// The calendar day of TA_COTIZACION.FECHA_HORA as the day index is built on
// it: a condition on it ("... BETWEEN ? AND ?", bound QDates) uses the index.
QString ExpresionDiaCotizacion(const Conexion& con);

// The rate table's fill from its newest day, in one transaction under the rate
// table's lock: from the newest day on or before 'hoy' (nothing, and no
// progress, when that day is 'hoy' itself, whatever its time) or, when there is
// none, from the day after 'desde', up to 'hasta' (both included); each new day
// carries the rates of the day before it (a rate left empty carries the one
// before it). Rows after 'hoy' are neither a starting point nor changed when
// 'hasta' is 'hoy'. Returns the number of days added.
int LlenarHuecosDesdeUltimoDia(Conexion& con, const QDate& desde, const QDate& hasta, const QDate& hoy,
                               Progreso& progreso);
// The first day of the year in use ("Periodo"); an invalid date when the value
// is not a number or the year does not exist.
QDate PrimerDiaDelPeriodo(ContextoEmpresa& ctx);
// The rate table up to 'hoy' for the year in use ("Periodo"): from the newest
// day on or before 'hoy' (nothing when that is 'hoy' itself) or, when there is
// none, from the year's first day; each new day carries the rates of the day
// before it. Nothing when the year does not exist.
int LlenarHuecosHastaHoy(ContextoEmpresa& ctx, const QDate& hoy, Progreso& progreso);

// Operator messages of the year's steps.
namespace mensajes {
inline QString numerico() { return QStringLiteral("El campo debe ser numérico!!!"); }
inline QString fueraDeRango() { return QStringLiteral("El número de Ejercicio debe estar entre 1 y 32767"); }
QString yaExiste(qint64 numero); // "El Ejercicio " + number + " ya existe"
inline QString sinNombre() { return QStringLiteral("Es necesario que ingrese un nombre de ejercicio"); }
inline QString desdeInvalida() { return QStringLiteral("La Fecha Desde no es válida"); }
inline QString hastaInvalida() { return QStringLiteral("La Fecha Hasta no es válida"); }
inline QString desdeMayor() { return QStringLiteral("La Fecha Desde debe ser menor o igual a la Fecha Hasta"); }
inline QString interfiere() { return QStringLiteral("El rango de fechas ingresado interfiere con los de otro Ejercicio"); }
inline QString creado() { return QStringLiteral("El ejercicio se creó con éxito"); }
} // namespace mensajes

// A step of the new year refused (the message says why; paso: 0 number, 1 name, 2 dates).
class ErrorEjercicio : public ErrorVexa {
public:
    ErrorEjercicio(int paso, const QString& mensaje) : ErrorVexa(0, mensaje), paso_(paso) {}
    int paso() const { return paso_; }

private:
    int paso_;
};

// The year number typed at step 0: a number that rounds to 1 .. 32767 and that
// no year has. Returns "" and the number, or the message.
QString ValidarNumeroEjercicio(Conexion& con, const QString& texto, qint16* numero = nullptr);
// The dates of step 2 without the overlap check: "" or the first message.
QString ValidarFechasEjercicio(const QString& desde, const QString& hasta);
// True when [desde, hasta] shares a day with a fiscal year.
bool InterfiereConOtroEjercicio(Conexion& con, const QDate& desde, const QDate& hasta);

struct NuevoEjercicio {
    bool pedirNumero = false; // the number is 'numero'; else the highest + 1 (1 for the first year)
    QString numero;
    QString nombre;           // saved as typed
    QString desde, hasta;     // typed date texts
};

// Saves the year (and its rate days when "UsaMultilesMonedas" is "SI") in one
// transaction, under the fiscal-year lock, checking the number and the range
// again inside it. Throws ErrorEjercicio when a step's check fails (also when
// another station took the number or the range meanwhile), ErrorBD on a
// database error; nothing is saved then. Returns the year's number.
qint16 CrearEjercicio(ContextoEmpresa& ctx, const NuevoEjercicio& datos, Progreso& progreso);

} // namespace ejercicios
} // namespace vexa
