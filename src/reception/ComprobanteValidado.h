#pragma once
// What the validation of one interface line hands to the posting: the voucher's
// values, the entry lines chosen by the definition's rules and, when the voucher
// was received before with another total, the planned replacement of its rows.
#include "Conexion.h"
#include "LineaAsiento.h"
#include "Moneda.h"
#include "ReemplazoPlaneado.h"

#include <QDate>
#include <QString>

#include <vector>

namespace vexa::recepcion {

// VAT-book amounts of the voucher (zero when the definition does not name the field).
struct ImportesLibroIva {
    Moneda Cfri, Dfri, Dfrni, RetGanancias, ImpIvaRec, RetIbtos, RetPerc, Rm, Neto, NetoN, Exento;
};

struct ComprobanteValidado {
    // Run values of the definition.
    QString Subdiario; // register kind and numbering family of the entry
    QString LivaTipo;  // "COMPRAS" for a purchases book, any other text for sales

    QString Tc;              // voucher type (a TA_COMPROBANTES code)
    bool comprobanteEntrada = false; // received document: the type does not number its own vouchers
    QString Sucursal;        // "0000"
    QString Numero;          // "00000000"
    QString Letra;           // one character, as typed
    QString CuentaPrincipal; // customer or supplier account
    QString NombreCuenta, Cuit, CondicionIva; // of the main account, as read
    QString TotalTexto;      // the total as the file gives it (trimmed)
    Moneda Total;
    QString FechaEmisionTexto; // day/month/year as cut from the file
    QDate FechaEmision;
    int MesOperativo = 0;      // month of the issue date
    QString VencimientoTexto;  // blank when the voucher has no due date
    QDate Vencimiento;         // invalid when blank
    ImportesLibroIva iva;

    // One line per rule that applied, in rule order; the main account's line is
    // added by the posting, which also checks the balance.
    std::vector<LineaAsiento> Lineas;

    // Withdrawal: the voucher came again with a zero total; only the planned
    // deletion is to be carried out, nothing is posted.
    bool retiro = false;
    ReemplazoPlaneado reemplazo;
    // Entry number to post under: the replaced voucher's when it falls in the same
    // period, operating month and numbering family; 0 to take a new number.
    qint32 numeroAsientoReutilizar = 0;
};

// A voucher met a second time in the transaction while the postings are kept
// to be written at the end of the batch (RecepcionInterface::setPostergado):
// its first posting may not be written yet, so the search for it would miss
// it. The caller writes (commits) what the batch holds and validates the line again.
class ComprobanteEnLote : public ErrorVexa {
public:
    ComprobanteEnLote() : ErrorVexa(0, QStringLiteral("El comprobante ya figura en el lote en curso")) {}
};

// Result of one line: the first failure's text, or the validated voucher.
struct ResultadoRegistro {
    QString mensaje; // empty when valid
    ComprobanteValidado comprobante;
    bool valido() const { return mensaje.isEmpty(); }
};

} // namespace vexa::recepcion
