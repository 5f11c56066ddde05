#pragma once
// The one writer of journal-entry rows (MV_ASIENTOS): a whole entry is posted
// inside the caller's write transaction.
//
//   Transaccion t(con);
//   RegistroAsientos registro(con, &cfg);
//   AsientoNuevo a; a.periodo = "2"; a.mes = 3; a.tipoReg = "VTAS"; ... a.lineas = {...};
//   qint32 nro = registro.registrar(a);     // throws on an unbalanced entry or a database error
//   registro.aplicarNumeraciones();
//   t.confirmar();
//
// registrar checks that the debits equal the credits, takes the entry number
// inside the transaction (the numbering family locked until it ends, see
// Lbc_Asiento.h), inserts every row (sequence 1..n, the VAT-book columns on the
// first row only) and, for a voucher type that numbers its own vouchers, notes
// that the type's numbering is to move past the voucher's number. The caller
// calls aplicarNumeraciones just before it commits: the type's row is then
// written once, with the highest number, and held locked only for the commit.
//
// A caller that posts many entries in one transaction (a reception batch) may
// keep them instead (guardar) and write them together just before it commits
// (escribirPendientes): the numbering families are then locked all at once, in
// the lock order, for the transaction's last writes only, and the rows go in a
// few inserts of many entries each (PostgreSQL: one COPY), so another station
// waits for a family only while those writes and the commit run. (Staging the
// rows in a temporary table before the families were locked, and copying them
// in under the locks, was measured slower both for one station and for four at
// once: the server's copy costs what the COPY does.) Keeping an entry reads nothing and locks nothing; an
// error of the writes (or a lock it may not wait for) is thrown by
// escribirPendientes, after which the caller rolls the transaction back.
//
// Entry numbers handed out are remembered for the rest of the transaction, per
// family, so a batch of entries reads the table once per family. The memory
// follows the transaction: numbers taken inside a savepoint that is rolled back
// are forgotten with it. A caller that deletes entry rows inside the
// transaction calls olvidarNumeros, so a freed highest number is found again.
#include "Conexion.h"
#include "Moneda.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace vexa {

class Configuracion;
class InsercionMasiva;

struct LineaNueva {
    QString cuenta;
    bool alDebe = true; // D or H
    Moneda importe;     // a line of zero is not posted
    QString detalle;    // empty: the entry's detail
    QDate vencimiento;  // invalid: the entry's due date
    // The voucher's customer or supplier as this row gives it (files that
    // carry them per line); false: the entry's.
    bool cabeceraPropia = false;
    QString cabCuenta, cabNombre, cabCuit, cabCondIva;
};

// VAT-book columns (LIVA_*), written on the entry's first row.
struct LibroIvaNuevo {
    QString tipo;
    Moneda impIvaRec;
    std::optional<Moneda> impIva, exento; // nullopt: NULL
    Moneda netoGravado, netoNoGravado, retGanancias, retIbtos, retPercepciones, total, alicuotaIva, alicuotaIvaRec;
};

struct AsientoNuevo {
    QString periodo;   // fiscal year
    int mes = 0;       // operating month
    QString tipoReg;   // TIPO_REG: "" for ordinary entries, the sub-journal code (numbering family)
    QDate fecha;
    QString detalle;
    QDate vencimiento; // invalid: none
    std::vector<LineaNueva> lineas;
    // Voucher the entry carries (repeated on every row).
    QString tc, sucursal, numero, letra;
    Moneda cabImporte;
    QString cabCuenta, cabNombre, cabCuit, cabCondIva;
    QString moneda;    // MONEDA of every row; empty: NULL
    std::optional<LibroIvaNuevo> libroIva;
    qint32 idRecepcion = 0;          // NRO_TRANSMISION; 0: none
    qint32 numeroReutilizar = 0;     // post under this entry number; 0: take the next one
    bool numeraComprobante = false;  // the type numbers its own vouchers: its numbering moves past 'numero'
};

// The columns of an inflation-adjustment entry (RegistroAsientos::registrarAjuste).
struct AjusteNuevo {
    QString ajusteHasta;   // AJUSTE_HASTA: the closing month it covers, "MM/AAAA"
    QDateTime grabacion;   // FECHAHORA_GRABACION
};

class RegistroAsientos {
public:
    // 'cfg' is needed only for vouchers that number their own (numeraComprobante);
    // without it one is made on the connection.
    explicit RegistroAsientos(Conexion& con, Configuracion* cfg = nullptr);

    // Posts the entry; returns its number. Throws ErrorVexa with the balance
    // message when debits and credits differ, ErrorVexa when the connection is
    // not inside a transaction, ErrorBD on a database error.
    qint32 registrar(const AsientoNuevo& a);
    // Checks the balance (throws as registrar) and keeps the entry for
    // escribirPendientes; the number is taken then.
    void guardar(AsientoNuevo a);
    // Writes the entries kept, in one go: those that keep the number of an
    // entry they replace first, then the others numbered family by family
    // (the families locked in order). Clears the entries kept, also when it throws.
    void escribirPendientes();
    void descartarPendientes() { pendientes_.clear(); }
    bool hayPendientes() const { return !pendientes_.empty(); }
    // Writes the voucher numbering noted by registrar in this transaction
    // (savepoints rolled back take their notes with them). Call it last, before the commit.
    void aplicarNumeraciones();

    // The next entry number of the family, taken inside the caller's write
    // transaction (the family stays locked until it ends). The family's lock is
    // taken in order with the transaction's other locks (BloqueosOrdenados.h):
    // BloqueoOcupado when it may not be waited for.
    qint32 tomarNumero(const QString& periodo, int mes, const QString& tipoReg);
    void olvidarNumeros();

    // Posts an inflation-adjustment entry as registrar does, with ESAJUSTE 1,
    // ESRESUMEN 0 and the columns of 'ajuste': every line is a row, a line of
    // zero too, SECUENCIA 1, 2, 3... in line order.
    qint32 registrarAjuste(const AsientoNuevo& a, const AjusteNuevo& ajuste);

private:
    static void comprobarBalance(const AsientoNuevo& a);
    // Adds the entry's rows (under number 'nro') to an insert; returns how many.
    static int agregarFilas(const AsientoNuevo& a, qint32 nro, InsercionMasiva& ins);
    void anotarNumeracion(const AsientoNuevo& a);
    // Inserts the entries (numbers in 'nros') in one bulk insert.
    void insertar(const std::vector<const AsientoNuevo*>& asientos, const std::vector<qint32>& nros);
    // 'cantidad' consecutive numbers of the family; returns the first.
    qint32 tomarNumeros(const QString& periodo, int mes, const QString& tipoReg, int cantidad);

    Conexion& con_;
    Configuracion* cfg_;
    std::vector<AsientoNuevo> pendientes_;
};

// An amount as a plain number: "121", "121.5", "-3.25" (no trailing zeros).
QString MonedaSimple(const Moneda& m);

} // namespace vexa
