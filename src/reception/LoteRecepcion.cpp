#include "LoteRecepcion.h"

#include "Contabilizador.h"
#include "Lbc_Asiento.h"
#include "RecepcionInterface.h"
#include "TestigoRecepcion.h"
#include "Utilidades.h"

#include <utility>

namespace vexa::recepcion {

LoteRecepcion::LoteRecepcion(Conexion& con, RecepcionInterface& recepcion, Contabilizador& contabilizador,
                             TestigoRecepcion& testigo)
    : con_(con), recepcion_(recepcion), contabilizador_(contabilizador), testigo_(testigo)
{
    contabilizador_.setEnLote(true);
}

void LoteRecepcion::procesar(int numero, const QString& linea)
{
    if (!tx_) {
        tx_.emplace(con_);
        reloj_.start();
        seguro_ = false;
    }
    lineas_.emplace_back(numero, linea);
    if (seguro_) {
        resultados_.push_back(procesarSeguro(numero, linea));
        return;
    }
    QString mensaje;
    bool deshacer = false;
    try {
        ResultadoRegistro r = recepcion_.Procesa_Registro(linea);
        mensaje = r.mensaje;
        if (r.valido()) {
            mensaje = contabilizador_.Contabiliza(r.comprobante, testigo_);
            deshacer = !mensaje.isEmpty() && contabilizador_.escribio();
        }
    } catch (const std::exception& e) {
        mensaje = descripcionDeError(e);
        deshacer = true;
    }
    // A failed statement always arrives here as an exception (nothing below
    // swallows one): it may have spoilt the transaction, which PostgreSQL then
    // refuses to go on with, so the batch is undone and replayed.
    recepcion_.LimpiaValores();
    if (deshacer) {
        repetirSeguro();
        return;
    }
    resultados_.push_back({numero, linea, mensaje});
}

LoteRecepcion::Resultado LoteRecepcion::procesarSeguro(int numero, const QString& linea)
{
    QString mensaje;
    try {
        Transaccion punto(con_); // a savepoint inside the batch
        ResultadoRegistro r = recepcion_.Procesa_Registro(linea);
        mensaje = r.mensaje;
        if (r.valido()) mensaje = contabilizador_.Contabiliza(r.comprobante, testigo_);
        if (mensaje.isEmpty()) punto.confirmar();
    } catch (const std::exception& e) {
        mensaje = descripcionDeError(e);
    }
    // The line's savepoint was rolled back: the number its entry took is free again,
    // so the batch's entries stay numbered without a gap.
    if (!mensaje.isEmpty()) Lbc_Asiento(&con_).OlvidarNumerosTomados();
    recepcion_.LimpiaValores();
    return {numero, linea, mensaje};
}

void LoteRecepcion::repetirSeguro()
{
    // Undo the whole batch and post its lines again, each in its own savepoint.
    tx_.reset();
    resultados_.clear();
    tx_.emplace(con_);
    seguro_ = true;
    for (const auto& [numero, linea] : lineas_) resultados_.push_back(procesarSeguro(numero, linea));
}

std::vector<LoteRecepcion::Resultado> LoteRecepcion::confirmar()
{
    if (!tx_) return {};
    int grabados = 0, ignorados = 0;
    for (const Resultado& r : resultados_) (r.mensaje.isEmpty() ? grabados : ignorados)++;
    try {
        testigo_.EscribeConteos(grabados, ignorados);
        tx_->confirmar();
    } catch (const std::exception& e) {
        // Nothing of the batch reached the database.
        for (Resultado& r : resultados_)
            if (r.mensaje.isEmpty()) r.mensaje = descripcionDeError(e);
    }
    tx_.reset();
    for (const Resultado& r : resultados_) {
        if (r.mensaje.isEmpty()) testigo_.Grabado();
        else testigo_.Rechazado();
    }
    lineas_.clear();
    seguro_ = false;
    return std::exchange(resultados_, {});
}

} // namespace vexa::recepcion
