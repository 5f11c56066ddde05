#pragma once
// Journal-entry rules service for the windows: the questions every
// entry-producing window asks before it writes to the journal tables (MV_ASIENTOS, MV_EJERCICIOS,
// TA_COMPROBANTES, MA_SUBDIARIOSCOMPROBANTES, MV_CONTROL_AS_RES).
//
// The class holds no data between calls: each caller keeps its own instance.
// Every operation reads the tables at the moment of the call through the given
// connection, the configuration values through
// Configuracion and the active fiscal year from vexa::PeriodoActivo (see
// PeriodoActivo below). No operation changes a row. Text comparisons ignore letter case.
//
// The voucher and fiscal-year questions are answered by ReglasAsientos, which
// throws on any error; the operations here run it under the central error
// handler (EjecutarPasos) and answer their documented default after an error.
// Rules code below the windows (the reception, the posting) calls
// ReglasAsientos directly.
//
// Arguments marked "in/out" are written back to the caller's variable; an
// optional "any" argument is a QVariant, left out when it is invalid (QVariant()).
//
// Entry numbers under concurrency
// -------------------------------
// An entry is numbered per fiscal year, operating month and numbering family:
// ordinary entries (empty TIPO_REG) and summary entries (TIPO_REG = U+00FF "RS")
// share one family, each sub-journal code is a family of its own (see
// FamiliaNumeracion; MV_ASIENTOS.FAMILIA holds it, computed by the database).
// The number an entry is posted with must be taken INSIDE the transaction that
// writes the entry, so that two stations never post the same number:
//
//     Transaccion t(con);                       // write transaction (SQLite: immediate)
//     Lbc_Asiento a(&con);
//     qint32 nro = a.TomarNumeroAsiento(mes, tipoReg);   // locks the family, reads max + 1
//     ... insert every line of the entry with [NUMERO ASIENTO] = nro ...
//     t.confirmar();
//
// TomarNumeroAsiento refuses to run outside a transaction. The unique key of
// MV_ASIENTOS (PERIODO, MES_OPERATIVO, FAMILIA, [NUMERO ASIENTO], SECUENCIA) is the
// safety net: a duplicate still fails with ErrorBD::esClaveDuplicada().
// UltimoNumeroAsiento alone answers the same number without locking (for display).
// Neither ever answers 0 after an error: the error reaches the caller.
#include "Conexion.h"
#include "ReglasAsientos.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace vexa {

class ContextoEmpresa;

class Lbc_Asiento {
public:
    // Over the given connection (required), reading the active year from the configuration.
    explicit Lbc_Asiento(Conexion* conexion);
    // Over the company's connection, with its loaded active fiscal year.
    explicit Lbc_Asiento(ContextoEmpresa& ctx);

    // ---- entries, dates and fiscal years ----

    // 1. The last inflation-adjustment entry of the active year (latest closing
    //    month, then highest entry number): Fecha "dd/mm/yyyy", Periodo = its
    //    Ajuste_Hasta text ("MM/AAAA"), NroAsiento = its entry number. "", "", 0
    //    when there is none.
    void UltimoAjuste(QString& Fecha, QString& Periodo, QVariant& NroAsiento);
    // 2. First and last day of a fiscal year (default: the active one) as
    //    "dd/mm/yyyy"; both "" and a message box when the year does not exist.
    void EjercicioRango(QString& FhDesde, QString& FhHasta, const QVariant& Periodo = QVariant());
    //    The same without the box, for the rules: false when the year does not exist.
    bool RangoEjercicio(QString& FhDesde, QString& FhHasta, const QVariant& Periodo = QVariant());
    // 3. "03-0000125" -> "3125". Tipo 8: text, 3: 32-bit, 2: 16-bit integer
    //    (a text that is not a number throws ErrorVexa 13). CHar: separator, "-".
    QVariant EliminaCarNroAsiento(const QString& QueAsiento, const QVariant& Tipo = QVariant(),
                                  const QVariant& CHar = QVariant());
    // 13. Checks a typed date; sets lHayError/Mensaje on failure only. Always empty.
    QVariant FechaValidada(const QString& Campo, QString& Mensaje, bool& lHayError);
    // 14. Next entry number of the family (highest + 1, 1 for the first).
    //     MES: operating month; Tipo_Reg: "" / left out = ordinary and summary
    //     entries, else the sub-journal code; Periodo: default the active year.
    qint32 UltimoNumeroAsiento(const QVariant& MES, const QVariant& Tipo_Reg = QVariant(),
                               const QVariant& Periodo = QVariant());
    // Same as UltimoNumeroAsiento, inside the caller's write transaction after
    // locking the family (tomarBloqueo, BloqueosOrdenados.h). Throws ErrorVexa when the
    // connection is not inside a transaction.
    qint32 TomarNumeroAsiento(const QVariant& MES, const QVariant& Tipo_Reg = QVariant(),
                              const QVariant& Periodo = QVariant());
    // Numbers handed out are remembered for the rest of the transaction by the
    // posting service (RegistroAsientos::tomarNumero, which this calls). A caller
    // that deletes entry lines inside the transaction calls OlvidarNumerosTomados,
    // so a freed highest number is found again.
    void OlvidarNumerosTomados();
    // Numbering family of a TIPO_REG value: "" for ordinary and summary entries,
    // the trimmed sub-journal code otherwise (the value of MV_ASIENTOS.FAMILIA).
    static QString FamiliaNumeracion(const QString& tipoReg);
    // Lock key of a family (tomarBloqueo).
    static QString ClaveFamilia(const QString& periodo, int mes, const QString& familia);
    // The TIPO_REG of summary entries: U+00FF followed by "RS".
    static QString TipoRegResumen();
    // 15. Number 125 and a date in March -> "03-0000125".
    QString FormatDisplayNroAsiento(const QVariant& NroAsiento, const QDate& Fecha);
    // 16. "03-0000125" -> "125".
    QString FormatNroAsiento(const QString& Nro_Con_Formato);
    // 17. "03-125" / "03125" -> "03-0000125"; fewer than 3 characters: unchanged.
    QString FMTNroAsiento(const QString& NroAsiento);
    // 18. Whether the active year may take entries. Optional outputs (nullptr =
    //     left out): lCierre/lCancelacion get the year's flags, lNoCreado true
    //     when no year exists. Mensaje is written only when refusing.
    bool ValidaEstadoPeriodoActual(QString& Mensaje, QVariant* lCierre = nullptr, QVariant* lCancelacion = nullptr,
                                   QVariant* lNoCreado = nullptr);
    // 19. Last day of the latest fiscal year; invalid date when there is none.
    QDate FechaHastaUltimoPeriodo();
    // 20. False when the new range overlaps an existing year (lPeriodo: the year
    //     being edited, which never counts).
    bool ValidaRangoFechaEjercicio(const QString& Fecha_Desde, const QString& Fecha_Hasta,
                                   const QVariant& lPeriodo = QVariant());
    // 21. Whether the year before QueEjercicio is closed ("-1": the active year,
    //     written back into QueEjercicio). True when there is no previous year.
    bool EjercicioAnteriorCerrado(QString& QueEjercicio);
    // 22. Whether the year has lines dated on or before NFecha_Desde or on or
    //     after NFecha_Hasta ("dd/mm/yyyy" texts).
    bool ExistenMovFueraPeriodo(const QString& Periodo, const QString& NFecha_Desde, const QString& NFecha_Hasta);

    // ---- vouchers ----

    // 4. The date is not closed by a summary entry of the sub-journal.
    bool ValidaFechaSubdiario(const QString& Fecha, const QString& Subdiario);
    // 5. The sub-journal registers the voucher type.
    bool ValidaSubdiarioTC(const QString& Subdiario, const QString& TC);
    // 6. Default branch ("0000") and last number ("00000000") of letter L of the
    //    type; all "" when the type does not exist; unchanged when L is not one
    //    letter of "ABCXER" (an empty L changes nothing either).
    void DatosComprobante(const QString& TC, QString& Suc, QString& Nro, QString& L);
    // 7. Letter of an invoice to a customer of the given VAT condition.
    QString DeterminaLetra(const QString& COND_IVA_CLIEN);
    // 8. Whether the voucher may be registered. Numero comes back zero-filled to
    //    eight digits; under automatic numbering a duplicate asks the operator to
    //    move on to the next free number.
    bool ValidaComprobante(const QString& TC, const QString& Sucursal, QString& Numero, const QString& Letra,
                           QString& Mensaje, QString& MesOp, QString& NroAsiento);
    // 9. True when the type does not number its own vouchers.
    bool ComprobanteEntrada(const QString& TC);
    // 10. Whether the summary entry "MM-ID" of the sub-journal has been reversed.
    bool AsientoResumenAnulado(const QString& Subdiario, const QString& NroAsiento_ConFomato);
    // 11. Some sub-journal registers the type.
    bool ValidaTCRegistraciones(const QString& TC);
    // 12. An entry line carries the voucher (branch and number compared as
    //     numbers; Proveedor: also the main account).
    bool ExisteEnMVAsientos(const QString& TC, const QString& Suc, const QString& Nro, const QString& L,
                            const QVariant& Proveedor = QVariant());

    // ---- voucher-number formats ----

    // Branch "0000", "-", number "00000000", letter fitted to one character.
    static QString FormatoNumeroComprobante(const QString& Sucursal, const QString& Numero, const QString& Letra);
    // 1 when the type adds, -1 when it subtracts, 0 when unknown.
    qint16 SignoComprobante(const QString& TC);

    // The active fiscal year: the context's (ContextoEmpresa::periodoActivo), or
    // the configuration value "PERIODO" without a context or while it is empty.
    QString PeriodoActivo();

private:
    Conexion& con();
    ReglasAsientos reglas();
    Conexion* con_;
    ContextoEmpresa* ctx_ = nullptr;
};

// Module-level forms of the voucher-number routines.
QString FormatoNumeroComprobante(const QString& Sucursal, const QString& Numero, const QString& Letra);
qint16 SignoComprobante(const QString& TC, Conexion& conexion);

} // namespace vexa
