#pragma once
// Rules of the reception of sub-journal vouchers from interface files, without
// any window: load a definition, then validate one line at a time.
//
//   RecepcionInterface r(&con);
//   if (!r.ObtieneDatosInterface("VENTAS")) ... // unknown definition
//   for each line:
//       ResultadoRegistro res = r.Procesa_Registro(linea);
//       res.valido() ? post res.comprobante : list res.mensaje
//       r.LimpiaValores();
//
// The definition does not change while lines are read: each line's values are
// cut into a record of their own (ValoresLinea), kept until LimpiaValores.
// Every datum is read from them once, amounts into Moneda.
//
// Procesa_Registro changes nothing in the database. A voucher received before
// with another total comes back with its replacement planned (which rows to
// delete, which entry number to reuse); the posting carries it out inside the
// transaction that writes the new rows.
//
// Per-run caches (voucher types, sub-journal registrations, accounts, operating
// dates) live until the next ObtieneDatosInterface.
#include "ComprobanteValidado.h"
#include "DefinicionInterfaz.h"
#include "Configuracion.h"
#include "Lbc_Asiento.h"

#include <QHash>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace vexa {
class Configuracion;
}

namespace vexa::recepcion {

class RecepcionInterface {
public:
    explicit RecepcionInterface(Conexion* conexion, Configuracion* configuracion = nullptr);

    // Loads the definition afresh (and empties the per-run caches). False when
    // there is no definition of that name; a database error throws (ErrorBD).
    bool ObtieneDatosInterface(const QString& nombre);
    const DefinicionInterfaz& definicion() const { return *def_; }

    // Validates one line (see ComprobanteValidado.h). An error of the line's
    // data or of the definition rejects the line with the error's text; a
    // database error (ErrorBD) is thrown, never read as an answer.
    ResultadoRegistro Procesa_Registro(const QString& linea);
    // Inside a batch whose postings are written only at its end: a voucher
    // whose identity was already met in the transaction throws ComprobanteEnLote.
    void setPostergado(bool postergado) { postergado_ = postergado; }
    // Inside a write transaction, before the lines are validated one by one:
    // the identities of their vouchers locked and their rows read together
    // (AnticipaComprobantesRecibidos); a line whose voucher can't be told yet
    // is left to its own validation.
    void AnticipaComprobantes(const std::vector<const QString*>& lineas);
    // Drops the values of the last line.
    void LimpiaValores() { linea_.LimpiaValores(); }

    // ---- steps, public for the tests and the posting ----
    // Value of a field in the last line (codes as translated by the equivalences).
    QString ValorCampo(const QString& nombre) const { return def_->ValorCampo(linea_, nombre); }
    int PosicionCampo(const QString& nombre) const { return def_->PosicionCampo(nombre); }
    QString BuscaEquivalenciaTc(const QString& codigo) const { return def_->equivalenciasTc.buscar(codigo); }
    QString BuscaEquivalenciaCta(const QString& codigo) const { return def_->equivalenciasCta.buscar(codigo); }
    // Entry lines of a line's values by the definition's rules, each amount read
    // once. Mensaje is set only when no line was assigned. A rule that names no
    // field of the definition, or an account longer than 15 characters, throws
    // ErrorVexa with a message naming it. The amount of a line with an account
    // must be a number that is not negative (blank is zero): MensajeImporte gets
    // the first one that is not, in rule order, and the lines are then not to be posted.
    std::vector<LineaAsiento> AsignaCuentas(const ValoresLinea& valores, QString& Mensaje, QString& MensajeImporte) const;
    // Looks for the rows of a voucher already posted. Returns nothing when none
    // is found; otherwise the plan (not carried out). 'bloqueado' is set when
    // the rows cannot be replaced (a summarised line, or one outside the active
    // period).
    std::optional<ReemplazoPlaneado> ReemplazaComprobante(const QString& Tc, const QString& Sucursal,
                                                          const QString& Numero, const QString& Letra,
                                                          const QString& Proveedor, bool& bloqueado);

private:
    struct DatosTipo {
        bool existe = false;
        QString letras;
        bool entrada = true;
    };
    struct DatosCuenta {
        bool existe = false, valida = false;
        QString cuit, iva, nombre;
    };
    const DatosTipo& tipo(const QString& tc);
    bool subdiarioRegistra(const QString& tc);
    const DatosCuenta& cuenta(const QString& codigo);
    bool esFechaOperativa(const QDate& fecha);
    // Position of a field the line cannot do without; throws when the definition lacks it.
    int posicionObligatoria(const QString& nombre) const;
    // 'c' already holds what leeClave read of 'v' when 'leido'.
    QString validar(ValoresLinea& v, ComprobanteValidado& c, bool leido = false);
    // The readers that come before the line's voucher is looked for, as
    // validar runs them: true when none rejects the line ('v' then holds the
    // values as they leave them, 'c' what they read).
    bool leeClave(ValoresLinea& v, ComprobanteValidado& c);
    // The line's values: those AnticipaComprobantes cut when it is the next of
    // its lines, with what leeClave read of them when it passed ('leido').
    ValoresLinea cortar(const QString& linea, std::optional<ComprobanteValidado>& leido);
    QString periodoActivo();

    // Readers of one datum each, in the order a line is validated: each fills its
    // part of the voucher and answers the line's message ("" to go on).
    using Lector = QString (RecepcionInterface::*)(ValoresLinea&, ComprobanteValidado&);
    static std::span<const Lector> lectores();
    static constexpr size_t kLectoresClave = 4;
    QString leeTipo(ValoresLinea& v, ComprobanteValidado& c);
    QString leeCuentaPrincipal(ValoresLinea& v, ComprobanteValidado& c);
    QString leeTotal(ValoresLinea& v, ComprobanteValidado& c);
    QString leeSucursalNumeroLetra(ValoresLinea& v, ComprobanteValidado& c);
    QString leeRecepcionAnterior(ValoresLinea& v, ComprobanteValidado& c);
    QString leeFechaEmision(ValoresLinea& v, ComprobanteValidado& c);
    QString leeVencimiento(ValoresLinea& v, ComprobanteValidado& c);
    QString leeImportesIva(ValoresLinea& v, ComprobanteValidado& c);
    QString leeLineas(ValoresLinea& v, ComprobanteValidado& c);
    qint32 numeroAReutilizar(const ComprobanteValidado& c);

    Conexion& con_;
    Configuracion cfg_; // over con_
    Lbc_Asiento asiento_;
    std::optional<DefinicionInterfaz> def_; // always holds one (empty until loaded)
    ValoresLinea linea_;                    // values of the last line
    // The lines AnticipaComprobantes cut, in order: Procesa_Registro takes
    // them instead of cutting and reading the line again.
    struct Cortada {
        QString texto;
        ValoresLinea valores; // as cut, or as leeClave left them when it passed
        std::optional<ComprobanteValidado> leido; // what leeClave read, when it passed
    };
    std::vector<Cortada> cortadas_;
    size_t proximaCortada_ = 0;
    QHash<QString, DatosTipo> tipos_;
    QHash<QString, bool> registra_;
    QHash<QString, DatosCuenta> cuentas_;
    QHash<QDate, bool> fechasOperativas_;
    QString periodo_;
    bool postergado_ = false;
};

} // namespace vexa::recepcion
