#pragma once
// The inflation-adjustment entry, without any window: the calculation that
// restates every adjustable account to the closing month of the active fiscal
// year, the totals of its lines, the save of the entry through the posting
// service and the listing of the saved adjustment entries.
//
//   ajuste::PedidoAjuste p{{1, 2026}, {12, 2026}, "5101001"};
//   ajuste::ResultadoAjuste r = ajuste::GenerarAjuste(ctx, p, progreso, confirmaCancelar);
//   if (r.fin == ajuste::ResultadoAjuste::Fin::Completa) { ... show r.lineas, r.totales ... }
//   ...
//   ajuste::CabeceraAjuste c; c.fecha = "31/12/2026"; c.tc = "AJUS"; ...
//   qint32 nro = ajuste::GrabarAjuste(ctx, c, r.lineas);   // throws when it writes nothing
//
// Calculation. An account is restated when AJUSTE = 1, BIENES = 0 and it is
// nobody's accumulated-depreciation account. Its opening balance (all its
// opening rows of the active year, netted) is restated from the closing month
// of the previous fiscal year (the previous MV_EJERCICIOS row in PERIODO order;
// in a first year, the month before the year's first day); each month's net
// movement from the first to the last month of the request is restated from
// that month. Every restatement is to the year's closing month, so a year may
// be adjusted in parts: the opening balances are restated by the year's first
// adjustment only, and once an adjustment of the year is saved a request
// restates only the months after its closing month (Ajuste_Hasta of the
// latest, ReglasAsientos::UltimoAjuste); the parts add up to the adjustment of
// the whole year. Restating an amount from month m to the closing month c is
// amount x coefficient(m) / coefficient(c) in double precision, rounded to the
// nearest 0.0001 with halves to even; the difference (restated - amount) goes
// to the debit side when positive, to the credit side when negative. Summary,
// adjustment and opening rows do not count in the monthly sums; sides are read
// without regard to case. Coefficients are computed from the stored index
// values of the series (MA_CUENTAS.INDICE, 1..4) against the closing month's.
// Sums and values are read set-wise: a few statements whatever the number of
// accounts and months.
//
// Each account's amounts are netted on its line as they are added (a debit and
// a credit leave the larger side with the difference; equal amounts stay on both
// sides). A last line on the result account balances the exact totals.
#include "Conexion.h"
#include "Lectores.h"
#include "Moneda.h"
#include "ReglasAsientos.h"

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace vexa {
class ContextoEmpresa;
class Progreso;
} // namespace vexa

namespace vexa::ajuste {

// A month of the adjustment, written "MM/AAAA" (read with lectura::mesAnio).
using MesAnio = vexa::MesAnio;

// One line of the entry being built.
struct LineaAjuste {
    QString cuenta;      // account code, trimmed
    QString descripcion; // the account's DESCRIPCION, up to 50 characters
    Moneda debe, haber;  // a line may keep both sides (equal amounts)
    QDate vencimiento;   // invalid: none (the calculation sets none)
};

struct Totales {
    Moneda debe, haber;
    bool iguales() const { return debe == haber; }
};
// Exact sums of both sides of every line.
Totales SumarTotales(const std::vector<LineaAjuste>& lineas);

// Adds an amount on one side of the account's line (a new line at the end when
// the account has none; a zero amount still makes the line) and nets the line.
// 'descripcion' is used for a new line only.
void AgregarLinea(std::vector<LineaAjuste>& lineas, const QString& cuenta, const Moneda& importe, bool alDebe,
                  const QString& descripcion = QString());

// Amount x ratio in double precision, back to an amount rounded to the nearest
// 0.0001, halves to even.
Moneda Reexpresar(const Moneda& importe, double razon);

// ---- calculation ----

struct PedidoAjuste {
    MesAnio desde, hasta; // first and last month, both included
    QString cuentaRei;    // the result account ("Cuenta R.E.I.")
};

struct ResultadoAjuste {
    enum class Fin {
        Completa,       // lines ready to save (the last balances the entry)
        SinMovimientos, // the debit total is zero: nothing to save (mensaje)
        Cancelada,      // the operator confirmed the cancel: no line
        FaltaIndice,    // a coefficient is missing: no line (mensaje names account and month)
        Rechazada,      // the year or the months refuse the run: no line (mensaje)
        Error           // a database or run-time error: no line (mensaje, errorNumero)
    };
    Fin fin = Fin::Error;
    std::vector<LineaAjuste> lineas; // only when Completa
    Totales totales;                 // of lineas
    QString mensaje;                 // the operator's message (empty for Completa and Cancelada)
    int errorNumero = 0;
    // FaltaIndice: which account and month.
    QString cuentaSinIndice;
    MesAnio mesSinIndice;
};

// The operator's messages.
inline const QString kTituloProgreso = QStringLiteral("Generando Asiento de Ajuste...");
inline const QString kPreguntaCancelar = QStringLiteral("¿Realmente desea Cancelar el Proceso?");
inline const QString kMensajeSinMovimientos =
    QStringLiteral("No hay movimientos para generar el Asiento de Ajuste , con los datos proporcionados");
inline const QString kMensajeDesdeMayor = QStringLiteral("Periodo Desde Mayor que Hasta!");
inline const QString kMensajeTotales = QStringLiteral("Totales Incorrectos!!");
inline const QString& kMensajeSinEjercicio = kMensajeSinEjercicios;
// "No Existe el Indice para la Cuenta 1101 Periodo: 6/2026" (month without a leading zero).
QString MensajeSinIndice(const QString& cuenta, const MesAnio& mes);

// Asked when the progress answers that the operator wants to stop: true ends
// the run (no line is kept), false goes on. Without it the run stops at once.
using ConfirmaCancelar = std::function<bool()>;

// Whether the active fiscal year may take the adjustment: empty when it may,
// else the operator's message (no fiscal year or no row for the active one,
// the active year closed or cancelled, the previous year still open).
// A database error throws ErrorBD.
QString EstadoEjercicio(ContextoEmpresa& ctx);

// Runs the calculation. Reports "Procesando <cuenta>" to the progress
// (titled kTituloProgreso) and closes it whatever the end. Never throws: a
// database error ends the run as Fin::Error.
ResultadoAjuste GenerarAjuste(ContextoEmpresa& ctx, const PedidoAjuste& pedido, Progreso& progreso,
                              const ConfirmaCancelar& confirmaCancelar = {});

// ---- save ----

// The header as the window holds it (texts as typed). CABIMPORTE is not taken
// from the window: every row stores the exact debit total of the lines.
struct CabeceraAjuste {
    QString fecha;       // FECHA, "dd/mm/yyyy" (read day first)
    QString tc;          // voucher type
    QString sucursal;    // branch
    QString numero;      // voucher number
    QString letra;       // voucher letter
    QString detalle;     // concept
    QString periodoHasta; // PERIODO_HASTA, "MM/AAAA": stored as Ajuste_Hasta
};

// A header text that does not convert: 'campo' is the data field of the window
// (FECHA or PERIODO_HASTA). Number 3421.
class ErrorConversionAjuste : public ErrorVexa {
public:
    explicit ErrorConversionAjuste(QString campo);
    const QString& campo() const { return campo_; }

private:
    QString campo_;
};

// Writes the entry in one transaction: the refusals first (nothing written):
// no line -> kMensajeSinMovimientos, unequal totals -> kMensajeTotales, the
// year's state (EstadoEjercicio) -> its message, all as ErrorVexa; a header
// text that does not convert -> ErrorConversionAjuste. Then the entry number
// of FECHA's month is taken inside the transaction, every non-zero side of a
// line becomes a row (a line with neither, one "H" row of 0), SECUENCIA 1, 2,
// 3... over the rows written, EsAjuste 1, Esresumen 0, MONEDA "   1",
// Ajuste_Hasta, fechahora_grabacion; a voucher type that numbers its own
// vouchers keeps the voucher number as its last one (a received type is left
// alone). Returns the entry number. A database error rolls everything back
// and throws ErrorBD.
qint32 GrabarAjuste(ContextoEmpresa& ctx, const CabeceraAjuste& cabecera, const std::vector<LineaAjuste>& lineas);

// The MONEDA code of the adjustment rows: three blanks and "1".
inline const QString kMonedaAjuste = QStringLiteral("   1");

// ---- listing ----

// The adjustment entries of every fiscal year (ordinary register kind): CUENTA,
// "Nº Asiento" (MM-00000000), FECHA, TC, "Nº de Comprobante" (0000-00000000-L),
// DEBE-HABER, IMPORTE, LINEA, EJERCICIO, CONCEPTO; by entry number and line.
struct ConsultaPlanilla {
    QString sql;
    Params params;
};
ConsultaPlanilla PlanillaAjustes();
inline const QString kTituloPlanilla = QStringLiteral("Asientos de Ajuste");

} // namespace vexa::ajuste
