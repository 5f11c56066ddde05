#pragma once
// Checking and posting one voucher of the commercial system's transfer file
// (ArchivoVexa.h) as one balanced journal entry, without any window.
//
//   RecepcionVexa r(con, periodo);
//   RegistroLote::Respuesta res = r.Contabiliza(comprobante, idRecepcion);  // inside a write transaction
//
// Every check runs before anything is written, in this order: voucher type and
// sub-journal, main account, sub-journal of the main account, the lines'
// accounts, the main account's VAT book, total, voucher number, a voucher
// received before, date (and due dates), the lines' amounts, balance. The
// first that fails is the voucher's message and nothing is written. A voucher
// that passes deletes the rows of the voucher it replaces and posts its own
// rows (RegistroAsientos) inside the caller's transaction, so both happen or
// neither. A voucher received before with a total of 0 withdraws it: its rows
// are deleted, nothing is posted and no message is given.
//
// Reference data (voucher types, accounts, operating dates, VAT accounts and
// rates) is read once per object: make one per run.
#include "ArchivoVexa.h"
#include "LoteRecepcion.h"
#include "RegistroAsientos.h"
#include "ReemplazoPlaneado.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <utility>

namespace vexa {
class Configuracion;
}

namespace vexa::recepcion {

class RecepcionVexa {
public:
    RecepcionVexa(Conexion& con, const QString& periodo);
    ~RecepcionVexa();

    // What the checks decided for a voucher that passed them.
    struct Plan {
        AsientoNuevo asiento;                  // the rows to post (none for a withdrawal)
        std::optional<ReemplazoPlaneado> reemplazo; // rows to delete first
        bool retiro = false;
    };
    // Runs the checks; "" with the plan when the voucher passes, else the
    // first failed check's message. Reads only (inside a write transaction the
    // voucher's identity is locked, see BuscaComprobanteRecibido). A database
    // error throws.
    QString Valida(const ComprobanteVexa& c, qint32 idRecepcion, Plan& plan);
    // Valida, then the replaced rows' delete and the posting (or, deferred, the
    // entry kept for the batch's end), in the caller's transaction.
    RegistroLote::Respuesta Contabiliza(const ComprobanteVexa& c, qint32 idRecepcion);

    // Balance of the lines with an account: a difference (debit minus credit)
    // below 0.50 is taken off the first such line, on its side. True when the
    // totals are then equal.
    static bool VerificaBalanceo(std::vector<LineaRecepcionVexa>& lineas);
    // The VAT concept (column of TA_CUENTASIVA's first row) the account is named in; "" when none.
    QString ConceptoIva(const QString& cuenta);

    // The voucher's identity as Valida looks it up; nothing when a check before
    // that search would reject it.
    std::optional<ClaveComprobante> Clave(const ComprobanteVexa& c);
    // Inside a write transaction: the vouchers' identities locked and their rows
    // read together (AnticipaComprobantesRecibidos).
    void Anticipa(const std::vector<ComprobanteVexa>& comprobantes);

    void antesDeConfirmar() { registro_.aplicarNumeraciones(); }
    void olvidarNumeros() { registro_.olvidarNumeros(); }
    // In a batch that writes its postings at its end (RegistroLote::setDiferido):
    // Contabiliza keeps the entry (RegistroAsientos::guardar) and a voucher
    // already met in the transaction throws ComprobanteEnLote; the replaced
    // rows are still deleted at once.
    void setDiferido(bool diferido) { diferido_ = diferido; }
    void escribirPendientes() { registro_.escribirPendientes(); }
    void descartarPendientes() { registro_.descartarPendientes(); }

private:
    struct DatosTipo {
        bool existe = false, entrada = true;
        QString letras;
        qint16 signo = 0;
    };
    struct DatosCuenta {
        bool existe = false, libroCompras = false, libroVentas = false;
    };
    // What Valida's steps read of a voucher, for the steps after them.
    struct Leido {
        QString subdiario, tc, principal, libro, sucursal, numero, letra;
        bool conSubdiario = false, entrada = true;
        Moneda total;
        QDate fecha;
    };
    QString validaCuentas(const std::vector<LineaRecepcionVexa>& lineas, Leido& v);
    QString validaTotalYNumero(const LineaRecepcionVexa& p, Leido& v);
    QString validaAnterior(Leido& v, Plan& plan);
    QString validaFechasEImportes(std::vector<LineaRecepcionVexa>& lineas, Leido& v);
    QString armaAsiento(const std::vector<LineaRecepcionVexa>& lineas, const Leido& v, qint32 idRecepcion, Plan& plan);
    LibroIvaNuevo libroIva(const std::vector<LineaRecepcionVexa>& lineas, const Leido& v);
    const DatosTipo& tipo(const QString& tc);
    const DatosCuenta& cuenta(const QString& codigo);
    bool validaCuenta(const QString& subdiario, const QString& cuenta);
    bool subdiarioTc(const QString& subdiario, const QString& tc);
    bool fechaOperativa(const QDate& d);
    void cargarCuentasIva();
    Moneda tasa(const QString& clave);

    Conexion& con_;
    std::unique_ptr<Configuracion> cfg_;
    QString periodo_;
    RegistroAsientos registro_;
    QHash<QString, DatosTipo> tipos_;
    QHash<QString, DatosCuenta> cuentas_;
    // By the two codes upper-cased (no copy when they already are).
    QHash<std::pair<QString, QString>, bool> validas_, subdiarios_;
    QHash<QDate, bool> fechas_;
    bool ivaLeido_ = false;
    std::vector<std::pair<QString, QString>> cuentasIva_; // concept column, account (trimmed), in table order
    QHash<QString, Moneda> tasas_;
    bool diferido_ = false;
};

// The batch's unit for a voucher of the file: the voucher's lines as the
// unit's text, one per text line (see UnidadDeComprobante).
class RegistroVexa : public RegistroLote {
public:
    RegistroVexa(RecepcionVexa& recepcion, qint32 idRecepcion) : recepcion_(recepcion), id_(idRecepcion) {}
    // The voucher as the run read it, just before its unit is handed to the
    // batch: the unit's voucher is then not read again from its text.
    void leido(ComprobanteVexa comprobante) { leidos_.push_back(std::move(comprobante)); }
    Respuesta registrar(const LineaLeida& unidad) override;
    // The group's vouchers (as the run read them, or read from their units)
    // kept for registrar and looked up together.
    void anticipar(const std::vector<LineaLeida>& unidades, size_t desde) override;
    void antesDeConfirmar() override { recepcion_.antesDeConfirmar(); }
    void olvidarNumeros() override { recepcion_.olvidarNumeros(); }
    void setDiferido(bool diferido) override { recepcion_.setDiferido(diferido); }
    void escribirPendientes() override { recepcion_.escribirPendientes(); }
    void descartarPendientes() override { recepcion_.descartarPendientes(); }

private:
    // The unit's voucher: from the last group anticipated, else as the run
    // read it, else read from the unit's text.
    ComprobanteVexa tomar(const LineaLeida& unidad);
    ComprobanteVexa* delGrupo(qint64 primeraLinea);

    RecepcionVexa& recepcion_;
    qint32 id_;
    std::vector<ComprobanteVexa> grupo_;  // of the last group anticipated, in file order
    std::deque<ComprobanteVexa> leidos_; // handed by the run, not anticipated yet, in file order
};

// A voucher as a unit of the batch, and back.
LineaLeida UnidadDeComprobante(const ComprobanteVexa& c);
ComprobanteVexa ComprobanteDeUnidad(const LineaLeida& unidad);

} // namespace vexa::recepcion
