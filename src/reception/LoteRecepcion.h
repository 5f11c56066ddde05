#pragma once
// Posting the lines of a reception run in batches.
//
// One transaction holds the vouchers of a batch (the caller ends a batch with
// confirmar(), about every quarter of a second), so the database commits a few
// times a second instead of once per voucher. A line's result is final only
// when its batch has committed: confirmar() hands back every line of the batch,
// the recorded ones and the rejected ones, and only then counts them in the
// reception log, whose counts are written inside the same transaction.
//
// Lines handed to procesar are held in groups of a few hundred: before a group
// is validated, its vouchers' identities are locked and their rows read
// together (RegistroLote::anticipar), so on a server a line costs no round trip
// of its own. A group's lines belong to the batch in hand: they are posted when
// the group is full or when the batch commits (confirmar). On a server a
// batch holds two groups at most (it is committed before a third begins), so
// the identity locks a station holds at once stay few.
//
// Lines are first validated without a savepoint of their own, and their
// entries are kept (not written) until the batch is about to commit: then every
// entry number is taken at once, the numbering families locked in one order,
// and the rows written in a few statements, so a family another station also
// numbers in stays locked only for the batch's last writes. The existence
// check of each voucher locks its identity when the line is validated, so the
// voucher cannot be posted by another station in between; a voucher met twice
// in one batch ends the batch before its second line (ComprobanteEnLote).
//
// When a line fails after it reached the database (an error, or a message of
// the posting after it wrote), or the writes at the end fail, the batch is
// rolled back and its lines are posted again one by one, each posted at once
// in a savepoint, so that the failure undoes only its own line (and gives its
// entry number back).
//
// Another station being busy never rejects a line. A lock the line may not
// wait for (BloqueoOcupado, see BloqueosOrdenados.h), a deadlock or a
// serialisation failure undoes the line; the batch's earlier lines are
// committed and the line is posted again in a fresh batch that first takes,
// waiting and in order, the locks it could not have.
//
// What is posted is a unit of the file: an interface line, or the lines of one
// voucher of the commercial system's file (a RegistroLote says how, and whether
// its postings may be kept for the batch's end). A run cancelled meanwhile
// (RecepcionAnulada from the log's counts) rolls the batch back and is thrown
// to the caller.
//
// A database that can't go on (ErrorBD::impideSeguir: a lock time-out, a full
// disk, a lost connection) rejects no line: the batch in hand is rolled back,
// its lines count nowhere, and the error is thrown to the caller, which stops
// the run and lists what detener() hands back (the batches committed before).
#include "BloqueosOrdenados.h"
#include "Conexion.h"
#include "LectorInterfaz.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vexa::recepcion {

class Contabilizador;
class RecepcionInterface;
class TestigoRecepcion;

// Validates and posts one unit of the file inside the batch's open transaction.
class RegistroLote {
public:
    virtual ~RegistroLote() = default;
    struct Respuesta {
        QString mensaje;       // empty: posted; else why the unit was rejected
        bool escribio = false; // a message came after writes: the batch undoes the unit
        bool retirado = false; // no message, yet nothing posted (counted as not recorded)
    };
    // A database error (or a lock that may not be waited for) is thrown.
    virtual Respuesta registrar(const LineaLeida& unidad) = 0;
    // The units about to be registered one by one in the batch's transaction
    // (deferred posting): what each will look up may be locked and read for
    // all of them at once. Optional: registrar gives the same answers without it.
    virtual void anticipar(const std::vector<LineaLeida>& unidades, size_t desde) { (void)unidades, (void)desde; }
    // The last writes before the batch commits.
    virtual void antesDeConfirmar() {}
    // A unit was rolled back: the entry numbers it took are free again.
    virtual void olvidarNumeros() {}
    // Deferred posting: while on, registrar keeps its entries and the batch
    // writes them all with escribirPendientes just before it commits; a unit
    // whose voucher is already kept in the batch throws ComprobanteEnLote.
    // Units that cannot defer leave these as they are and post at once.
    virtual void setDiferido(bool) {}
    virtual void escribirPendientes() {}
    virtual void descartarPendientes() {}
};

class LoteRecepcion {
public:
    // A line's result keeps its place in the file, not its text (a list shows
    // the text on demand, LectorInterfaz::lineaEn).
    struct Resultado {
        int numero = 0;      // line number in the file, from 1
        qint64 posicion = 0; // byte offset and length of the line in the file
        qint64 largo = 0;
        QString mensaje;     // empty: recorded (unless retirado); else why it was rejected
        bool retirado = false;
    };

    LoteRecepcion(Conexion& con, RecepcionInterface& recepcion, Contabilizador& contabilizador, TestigoRecepcion& testigo);
    LoteRecepcion(Conexion& con, RegistroLote& registro, TestigoRecepcion& testigo);
    ~LoteRecepcion();

    // Heard when a unit fails with an unexpected error (not a lock or a
    // conflict), after the batch's earlier units were committed and while no
    // transaction is open: true posts the unit again, false rejects it with the
    // error's text. Without it the unit is rejected at once.
    void setAlFallar(std::function<bool(int numero, const QString& error)> f) { alFallar_ = std::move(f); }

    // Validates and posts one line inside the current batch (opened on demand).
    // A line the reader found unusable (its problema) is rejected with that
    // message and not posted.
    void procesar(const LineaLeida& linea);
    // Commits the batch and returns the final result of each line committed since
    // the last call (a batch may have been committed early, see above), in order.
    // When a commit fails, every line of its batch comes back rejected with the error.
    std::vector<Resultado> confirmar();
    // The lines of the batches committed since the last hand-out, in order,
    // without committing the open one: a batch that reaches its size commits
    // inside procesar, so the caller hands these out as they come, not only
    // when it ends a batch itself.
    std::vector<Resultado> confirmados() { return std::exchange(listos_, {}); }
    bool hayConfirmados() const { return !listos_.empty(); }
    // After a failure thrown to the caller: rolls the batch in hand back (its
    // lines count nowhere) and returns the committed lines not handed out yet.
    std::vector<Resultado> detener();

    bool abierto() const { return tx_.has_value(); }
    // Lines of one batch at most; the batch commits inside procesar when it
    // reaches them (the caller ends one earlier with confirmar()).
    static size_t lineasPorLote(Motor motor);
    qint64 msAbierto() const { return tx_ ? reloj_.elapsed() : 0; }

private:
    void abrir();
    void cerrar();
    void procesarLinea(const LineaLeida& linea);
    // Validates the lines held (each group anticipated in the batch it goes into).
    void vaciarGrupo();
    void abandonar(); // drops the batch in hand
    void modoSeguro(bool seguro);
    // The line in a savepoint; nullopt when it must go to a fresh batch.
    // An unexpected error gives its number and its whole text in 'detalle'.
    std::optional<Resultado> procesarSeguro(const LineaLeida& linea, bool& inesperado, int& numero, QString& detalle);
    // Posts the lines one by one, each in a savepoint, in the open batch.
    void seguir(std::vector<LineaLeida> cola);
    void repetirSeguro();

    Conexion& con_;
    std::unique_ptr<RegistroLote> propio_; // the interface lines' (first constructor)
    RegistroLote& registro_;
    TestigoRecepcion& testigo_;
    const size_t limiteLote_; // lineasPorLote of the connection's engine
    std::function<bool(int, const QString&)> alFallar_;
    std::optional<Transaccion> tx_;
    QElapsedTimer reloj_;
    bool seguro_ = false;
    std::vector<LineaLeida> grupo_;  // handed in, not validated yet
    int lotes_ = 0;                  // batches opened, to tell a fresh one
    std::vector<LineaLeida> lineas_; // of the open batch, to post them again
    std::vector<Resultado> resultados_; // of the open batch
    std::vector<Resultado> listos_;     // committed, not handed out yet
    std::vector<ClaveBloqueo> previas_; // locks a fresh batch takes first
};

} // namespace vexa::recepcion
