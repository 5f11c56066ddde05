#pragma once
// A voucher received before: looking for its rows in MV_ASIENTOS and the plan
// of their replacement. Shared by the receptions of interface files and of the
// commercial system's transfer file.
#include "BajaAsientos.h"
#include "Conexion.h"
#include "Moneda.h"

#include <QString>

#include <optional>
#include <vector>

namespace vexa::recepcion {

// The rows of a voucher received before, to be deleted inside the transaction
// that posts its replacement (or in a transaction of their own for a withdrawal).
// Nothing is deleted while validating.
struct ReemplazoPlaneado {
    bool planeado = false;
    // Voucher key as the rows were searched; Proveedor is empty unless the main
    // account is part of the key (received documents).
    QString Tc, Sucursal, Numero, Letra, Proveedor;
    QString Periodo;          // the rows all belong to this (the active) period
    int filas = 0;            // rows found when validating
    Moneda importeAnterior;   // their voucher total
    qint32 numeroAsiento = 0; // entry number of the rows when they form one entry, else 0
    int mesOperativo = 0;
    QString familia;          // numbering family of the rows (Lbc_Asiento::FamiliaNumeracion)

    // The voucher's rows, for BajaAsientos::borrarComprobante with 'Periodo'
    // (rows of the period not yet summarised). The posting should check that it
    // removes exactly 'filas' rows: any other count means the voucher changed
    // since it was validated.
    ComprobanteEnDiario comprobante() const { return {Tc, Sucursal, Numero, Letra, Proveedor}; }
};

// Looks for the rows of a voucher already posted (branch and number by value,
// the supplier too when given). Nothing when there are none; otherwise the plan
// (not carried out). 'bloqueado' is set when the rows cannot be replaced: a
// summarised line, or one outside the active period 'periodo'. Inside a write
// transaction the voucher's identity is locked first, until the transaction
// ends. A failed query throws: it never reads as "not received yet".
// 'postergado': the batch writes its postings only at its end, so a voucher
// whose identity was already met in the transaction throws ComprobanteEnLote.
std::optional<ReemplazoPlaneado> BuscaComprobanteRecibido(Conexion& con, const QString& periodo, const QString& Tc,
                                                          const QString& Sucursal, const QString& Numero,
                                                          const QString& Letra, const QString& Proveedor, bool& bloqueado,
                                                          bool postergado = false);

// A voucher's identity as BuscaComprobanteRecibido takes it.
struct ClaveComprobante {
    QString Tc, Sucursal, Numero, Letra, Proveedor;
};

// Inside a write transaction: locks the identities of many vouchers together
// (PostgreSQL, in the lock order, see BloqueosOrdenados.h) and reads all their
// rows in a few statements, so BuscaComprobanteRecibido answers those vouchers
// for the rest of the transaction without a statement of its own. An identity
// that is busy is left for BuscaComprobanteRecibido to lock (and look up) by
// itself; so is one already met in the transaction.
void AnticipaComprobantesRecibidos(Conexion& con, const std::vector<ClaveComprobante>& claves);

// A whole non-negative number of at most 'digitos' significant digits,
// zero-filled to that width into 'resultado'; false for anything else.
bool NumeroCompleto(const QString& valor, int digitos, QString& resultado);

} // namespace vexa::recepcion
