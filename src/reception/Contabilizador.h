#pragma once
// Posting of a validated interface voucher as one journal entry.
//
//   Contabilizador post(&con);
//   QString r = post.Contabiliza(comprobante, testigo);   // "" = posted
//
// The entry lines are the rule lines of the voucher plus the main account's
// line, put on the side that balances them against the voucher total. Zero
// lines are left out; a rule line whose amount is negative rejects the voucher
// (an amount that is not a number is refused by the validation, which reads
// it). Everything of one voucher happens in ONE transaction: the planned
// deletion of a voucher it replaces, the entry itself (posted by
// RegistroAsientos: number, rows, numbering of an own-numbered voucher type)
// and the counts of the reception log. Any failure rolls all of it back and
// comes back as the line's message; "" is returned only after the commit.
#include "ComprobanteValidado.h"
#include "Configuracion.h"
#include "Lbc_Asiento.h"
#include "RegistroAsientos.h"

#include <QString>

#include <optional>
#include <vector>

namespace vexa {
class Configuracion;
}

namespace vexa::recepcion {

class TestigoRecepcion;

class Contabilizador {
public:
    explicit Contabilizador(Conexion* conexion, Configuracion* configuracion = nullptr);

    // Posts (or, for a withdrawal, deletes) the voucher under the reception
    // identifier of the log. The log's counts are written in the same
    // transaction, with this voucher counted as recorded; the caller counts it
    // in memory (TestigoRecepcion::Grabado) when the result is "".
    QString Contabiliza(const ComprobanteValidado& c, TestigoRecepcion& testigo);

    // Inside a batch the caller holds an outer transaction around many vouchers
    // and a savepoint around each line (validation and posting): Contabiliza then
    // opens no transaction of its own, and the caller rolls the line's savepoint
    // back when the result is a message. The log's counts are written by the
    // caller once per batch before it commits, and a voucher counts as recorded
    // only after that commit. A database error is then thrown to the caller
    // instead of coming back as the line's message.
    void setEnLote(bool enLote) { enLote_ = enLote; }
    // In a batch, the entries may be kept (setDiferido) and written together by
    // escribirPendientes just before the batch commits (RegistroAsientos::guardar):
    // a voucher's replaced rows are still deleted at once. An error of those
    // writes is thrown by escribirPendientes; the caller then rolls the batch back.
    void setDiferido(bool diferido) { diferido_ = diferido; }
    bool diferido() const { return diferido_; }
    void escribirPendientes() { registro_.escribirPendientes(); }
    void descartarPendientes() { registro_.descartarPendientes(); }
    // Whether the last Contabiliza reached the database (a message it returned
    // after that leaves writes for the caller's savepoint or batch to undo).
    bool escribio() const { return escribio_; }
    // In a batch: the last writes before the batch commits (the voucher types' numbering).
    void antesDeConfirmar() { registro_.aplicarNumeraciones(); }
    // The caller rolled a voucher back: the entry number it took is free again.
    void olvidarNumeros() { registro_.olvidarNumeros(); }

    // The entry lines with the main account's line added, or the balance message.
    // Public for the tests.
    static QString ArmaAsiento(const ComprobanteValidado& c, std::vector<LineaAsiento>& lineas);

    // Detail text of every row of a run.
    static QString Detalle(qint32 idRecepcion);

private:
    QString periodo();
    // The entry of the voucher for the posting service.
    AsientoNuevo asientoDe(const ComprobanteValidado& c, const std::vector<LineaAsiento>& lineas, qint32 idRecepcion);
    Moneda tasa(const QString& clave, std::optional<Moneda>& cache);

    Conexion& con_;
    Configuracion cfg_; // over con_
    Lbc_Asiento asiento_;
    RegistroAsientos registro_;
    QString periodo_;
    std::optional<Moneda> piva_, pivarec_;
    bool enLote_ = false;
    bool diferido_ = false;
    bool escribio_ = false;
};

} // namespace vexa::recepcion
