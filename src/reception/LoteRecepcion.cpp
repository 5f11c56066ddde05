#include "LoteRecepcion.h"

#include "BloqueosOrdenados.h"
#include "ComprobanteValidado.h"
#include "Contabilizador.h"
#include "RecepcionInterface.h"
#include "TestigoRecepcion.h"
#include "Utilidades.h"

#include <algorithm>
#include <utility>

namespace vexa::recepcion {

namespace {
// Fresh batches one line may need before it is rejected after all (a lock
// conflict that keeps coming back means something else is wrong).
constexpr int kReintentosLinea = 50;
// Lines validated together (their vouchers locked and read at once).
constexpr size_t kLineasPorGrupo = 512;

// An interface line: validated by the definition, posted by the Contabilizador.
class RegistroInterfaz : public RegistroLote {
public:
    RegistroInterfaz(RecepcionInterface& recepcion, Contabilizador& contabilizador, TestigoRecepcion& testigo)
        : recepcion_(recepcion), contabilizador_(contabilizador), testigo_(testigo)
    {
        contabilizador_.setEnLote(true);
    }
    Respuesta registrar(const LineaLeida& linea) override
    {
        struct Limpiar {
            RecepcionInterface& r;
            ~Limpiar() { r.LimpiaValores(); }
        } limpiar{recepcion_};
        Respuesta res;
        ResultadoRegistro r = recepcion_.Procesa_Registro(linea.texto);
        res.mensaje = r.mensaje;
        if (r.valido()) {
            res.mensaje = contabilizador_.Contabiliza(r.comprobante, testigo_);
            res.escribio = !res.mensaje.isEmpty() && contabilizador_.escribio();
        }
        return res;
    }
    void anticipar(const std::vector<LineaLeida>& lineas, size_t desde) override
    {
        std::vector<const QString*> textos;
        textos.reserve(lineas.size() - desde);
        for (size_t i = desde; i < lineas.size(); ++i)
            if (lineas[i].problema.isEmpty()) textos.push_back(&lineas[i].texto);
        recepcion_.AnticipaComprobantes(textos);
    }
    void antesDeConfirmar() override { contabilizador_.antesDeConfirmar(); }
    void olvidarNumeros() override { contabilizador_.olvidarNumeros(); }
    void setDiferido(bool diferido) override
    {
        contabilizador_.setDiferido(diferido);
        recepcion_.setPostergado(diferido);
    }
    void escribirPendientes() override { contabilizador_.escribirPendientes(); }
    void descartarPendientes() override { contabilizador_.descartarPendientes(); }

private:
    RecepcionInterface& recepcion_;
    Contabilizador& contabilizador_;
    TestigoRecepcion& testigo_;
};
} // namespace

LoteRecepcion::LoteRecepcion(Conexion& con, RecepcionInterface& recepcion, Contabilizador& contabilizador,
                             TestigoRecepcion& testigo)
    : con_(con), propio_(std::make_unique<RegistroInterfaz>(recepcion, contabilizador, testigo)), registro_(*propio_),
      testigo_(testigo), limiteLote_(lineasPorLote(con.motor()))
{
}

LoteRecepcion::LoteRecepcion(Conexion& con, RegistroLote& registro, TestigoRecepcion& testigo)
    : con_(con), registro_(registro), testigo_(testigo), limiteLote_(lineasPorLote(con.motor()))
{
}

LoteRecepcion::~LoteRecepcion() = default;

size_t LoteRecepcion::lineasPorLote(Motor motor)
{
    // On a server each voucher's identity stays locked until its batch
    // commits, and the server's table of locks is shared by every station (a
    // few stations holding thousands each fill it: "out of shared memory").
    // SQLite keeps no such table, and there every commit writes again the
    // pages the batch changed: its batches take about a quarter of a second
    // of work (validation and writes) at 20,000 lines a second.
    return motor == Motor::PostgreSQL ? 2 * kLineasPorGrupo : 8 * kLineasPorGrupo;
}

void LoteRecepcion::abrir()
{
    tx_.emplace(con_);
    ++lotes_;
    reloj_.start();
    modoSeguro(false);
    // The locks a line could not wait for inside the previous batch, now
    // waited for in order before anything else.
    if (!previas_.empty()) tomarBloqueosEnOrden(con_, previas_);
}

void LoteRecepcion::modoSeguro(bool seguro)
{
    seguro_ = seguro;
    // The fast way keeps the postings for the end of the batch; a line at a
    // time in its savepoint posts at once, so that a failure undoes only its line.
    registro_.setDiferido(!seguro);
}

void LoteRecepcion::cerrar()
{
    for (int intento = 0; tx_; ++intento) {
        if (!seguro_) {
            try {
                // The postings kept by the batch's lines: the numbering families
                // are locked here, in order, until the commit just below.
                registro_.escribirPendientes();
            } catch (const std::exception& e) {
                if (ErrorBD::impideSeguir(e)) throw;
                // Whichever voucher failed (or met a lock it may not wait for),
                // the batch is done again a line at a time, each in its savepoint.
                repetirSeguro();
                continue;
            }
        }
        int grabados = 0, ignorados = 0;
        for (const Resultado& r : resultados_) (r.mensaje.isEmpty() && !r.retirado ? grabados : ignorados)++;
        try {
            registro_.antesDeConfirmar();
            testigo_.EscribeConteos(grabados, ignorados);
            tx_->confirmar();
        } catch (const RecepcionAnulada&) {
            // The run was cancelled meanwhile: nothing of the batch stays.
            tx_.reset();
            registro_.descartarPendientes();
            resultados_.clear();
            lineas_.clear();
            modoSeguro(false);
            throw;
        } catch (const std::exception& e) {
            if (ErrorBD::impideSeguir(e)) throw; // the batch is dropped by the caller (procesar, confirmar)
            if (esConflictoTransitorio(e) && intento < kReintentosLinea) {
                // Another station met this batch at its last writes: do the batch again.
                repetirSeguro();
                continue;
            }
            // Nothing of the batch reached the database.
            const QString mensaje = Utilidades::LineaDeLista(e, QStringLiteral("Recepción"));
            for (Resultado& r : resultados_)
                if (r.mensaje.isEmpty()) r.mensaje = mensaje;
        }
        break;
    }
    tx_.reset();
    registro_.descartarPendientes();
    for (Resultado& r : resultados_) {
        if (r.mensaje.isEmpty() && !r.retirado) testigo_.Grabado();
        else testigo_.Rechazado();
        listos_.push_back(std::move(r));
    }
    resultados_.clear();
    lineas_.clear();
    modoSeguro(false);
}

namespace {
LoteRecepcion::Resultado resultado(const LineaLeida& l, const QString& mensaje, bool retirado = false)
{
    return {int(l.numero), l.posicion, l.largo, mensaje, retirado};
}
} // namespace

void LoteRecepcion::procesar(const LineaLeida& linea)
{
    try {
        if (!tx_) abrir();
        grupo_.push_back(linea);
        if (grupo_.size() >= kLineasPorGrupo) vaciarGrupo();
    } catch (const std::exception& e) {
        if (ErrorBD::impideSeguir(e)) abandonar();
        throw;
    }
}

void LoteRecepcion::vaciarGrupo()
{
    const std::vector<LineaLeida> grupo = std::exchange(grupo_, {});
    int anticipado = 0; // the batch the group's remaining lines were anticipated in
    for (size_t i = 0; i < grupo.size(); ++i) {
        if (tx_ && lineas_.size() >= limiteLote_) cerrar();
        if (!tx_) abrir();
        if (!seguro_ && anticipado != lotes_) {
            anticipado = lotes_;
            try {
                registro_.anticipar(grupo, i);
            } catch (const std::exception& e) {
                if (ErrorBD::impideSeguir(e)) throw;
                // The statement may have spoilt the transaction: the batch goes
                // on a line at a time, each line meeting the failure (or not) in
                // its own savepoint.
                repetirSeguro();
            }
        }
        procesarLinea(grupo[i]);
    }
}

void LoteRecepcion::abandonar()
{
    grupo_.clear();
    tx_.reset();
    registro_.descartarPendientes();
    registro_.olvidarNumeros();
    resultados_.clear();
    lineas_.clear();
    previas_.clear();
    modoSeguro(false);
}

std::vector<LoteRecepcion::Resultado> LoteRecepcion::detener()
{
    abandonar();
    return std::exchange(listos_, {});
}

void LoteRecepcion::procesarLinea(const LineaLeida& linea)
{
    if (!tx_) abrir();
    if (seguro_) {
        seguir({linea});
        return;
    }
    lineas_.push_back(linea);
    if (!linea.problema.isEmpty()) {
        resultados_.push_back(resultado(linea, linea.problema));
        return;
    }
    QString mensaje;
    bool deshacer = false, retirado = false;
    try {
        const RegistroLote::Respuesta r = registro_.registrar(linea);
        mensaje = r.mensaje;
        retirado = r.retirado;
        deshacer = r.escribio;
    } catch (const ComprobanteEnLote&) {
        // An earlier line of this batch holds the same voucher, not written yet:
        // the batch is committed first and the line begins the next one.
        lineas_.pop_back();
        cerrar();
        procesarLinea(linea);
        return;
    } catch (const std::exception& e) {
        // A failed statement always arrives here as an exception (nothing below
        // swallows one): it may have spoilt the transaction, which PostgreSQL
        // then refuses to go on with. A busy lock arrives here too. A database
        // that can't go on stops the run: no line is rejected for it.
        if (ErrorBD::impideSeguir(e)) throw;
        mensaje = descripcionDeError(e);
        deshacer = true;
    }
    if (deshacer) {
        repetirSeguro();
        return;
    }
    resultados_.push_back(resultado(linea, mensaje, retirado));
}

std::optional<LoteRecepcion::Resultado> LoteRecepcion::procesarSeguro(const LineaLeida& linea, bool& inesperado, int& numero,
                                                                      QString& detalle)
{
    inesperado = false;
    numero = 0;
    detalle.clear();
    if (!linea.problema.isEmpty()) return resultado(linea, linea.problema);
    QString mensaje;
    bool otraVez = false, retirado = false;
    try {
        Transaccion punto(con_); // a savepoint inside the batch
        const RegistroLote::Respuesta r = registro_.registrar(linea);
        mensaje = r.mensaje;
        retirado = r.retirado;
        if (mensaje.isEmpty()) punto.confirmar();
    } catch (const BloqueoOcupado& b) {
        const bool nueva = std::none_of(previas_.begin(), previas_.end(), [&b](const ClaveBloqueo& k) {
            return k.nivel == b.bloqueo().nivel && texto::igual(k.clave, b.clave());
        });
        if (nueva) previas_.push_back(b.bloqueo());
        otraVez = true;
    } catch (const std::exception& e) {
        if (ErrorBD::impideSeguir(e)) throw;
        if (esConflictoTransitorio(e)) {
            otraVez = true;
        } else {
            // One line in the list; the whole text of the engine goes to the error log.
            mensaje = Utilidades::LineaDeLista(e, QStringLiteral("Recepción"));
            detalle = descripcionDeError(e);
            inesperado = true;
            numero = numeroDeError(e);
        }
    }
    // The line's savepoint was rolled back: the number its entry took is free again,
    // so the batch's entries stay numbered without a gap.
    if (!mensaje.isEmpty() || otraVez) registro_.olvidarNumeros();
    if (otraVez) return std::nullopt;
    return resultado(linea, mensaje, retirado);
}

void LoteRecepcion::seguir(std::vector<LineaLeida> cola)
{
    int intentos = 0;
    for (size_t i = 0; i < cola.size();) {
        const LineaLeida& linea = cola[i];
        bool inesperado = false;
        int numero = 0;
        QString detalle;
        std::optional<Resultado> r = procesarSeguro(linea, inesperado, numero, detalle);
        if (r && inesperado && alFallar_) {
            // The units before it are committed, so no transaction waits on the operator.
            cerrar();
            const bool otraVez = alFallar_(numero, detalle);
            abrir();
            modoSeguro(true);
            if (otraVez) continue;
        }
        if (!r && ++intentos > kReintentosLinea)
            r = resultado(linea, QStringLiteral("El comprobante no pudo grabarse: otra estación lo retuvo demasiado tiempo"));
        if (!r) {
            // The line's savepoint is undone: commit the earlier lines and post
            // the line again in a fresh batch, which waits for its locks.
            cerrar();
            abrir();
            modoSeguro(true);
            continue;
        }
        lineas_.push_back(linea);
        resultados_.push_back(std::move(*r));
        previas_.clear();
        intentos = 0;
        ++i;
    }
}

void LoteRecepcion::repetirSeguro()
{
    // Undo the whole batch and post its lines again, each in its own savepoint.
    std::vector<LineaLeida> cola = std::exchange(lineas_, {});
    tx_.reset();
    registro_.descartarPendientes();
    resultados_.clear();
    abrir();
    modoSeguro(true);
    seguir(std::move(cola));
}

std::vector<LoteRecepcion::Resultado> LoteRecepcion::confirmar()
{
    try {
        vaciarGrupo();
        cerrar();
    } catch (const std::exception& e) {
        if (ErrorBD::impideSeguir(e)) abandonar();
        throw;
    }
    return std::exchange(listos_, {});
}

} // namespace vexa::recepcion
