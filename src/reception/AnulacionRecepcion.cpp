#include "AnulacionRecepcion.h"

#include "BajaAsientos.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CorridaVexa.h"

#include <optional>

namespace vexa::recepcion {

QString MensajeSinRegistrosAnulacion()
{
    return QStringLiteral("No se ha podido actualizar ningún registro asociado a esta Recepción De Información, Posiblemente "
                          "los Registros ya fueron incluidos en un asiento resumen.");
}
QString MensajeYaAnulada() { return QStringLiteral("El control de la planilla seleccionado ya fue anulado "); }
QString MensajeEjercicioCerradoAnulacion()
{
    return QStringLiteral("No se puede anular: la recepción tiene registros de un ejercicio cerrado");
}

ResultadoAnulacion AnularRecepcion(ContextoEmpresa& ctx, qint32 id)
{
    ResultadoAnulacion r;
    std::optional<ContextoEmpresa::Corrida> corrida;
    try {
        corrida.emplace(ctx);
    } catch (const std::exception&) {
        r.fin = ResultadoAnulacion::Fin::Rechazada;
        r.mensaje = MensajeOtraRecepcion();
        return r;
    }
    Conexion& con = ctx.con();
    Transaccion t(con);
    // The row first: a run posting under this number waits for this transaction.
    if (con.EjecutarSQL(QStringLiteral("UPDATE TESTIGO_RECEPCION SET ANULADA = ANULADA WHERE ID = ?"), {id}) == 0) {
        r.fin = ResultadoAnulacion::Fin::NoExiste;
        return r;
    }
    if (con.Escalar(QStringLiteral("SELECT COUNT(*) FROM TESTIGO_RECEPCION WHERE ID = ? AND ANULADA <> 0"), {id}).toLongLong()
        > 0) {
        r.fin = ResultadoAnulacion::Fin::YaAnulada;
        r.mensaje = MensajeYaAnulada();
        return r;
    }
    BajaAsientos baja(con);
    if (baja.contarDeRecepcionEnEjercicioCerrado(id) > 0) {
        r.fin = ResultadoAnulacion::Fin::EjercicioCerrado;
        r.mensaje = MensajeEjercicioCerradoAnulacion();
        return r;
    }
    r.filasBorradas = baja.borrarDeRecepcion(id);
    if (r.filasBorradas == 0) {
        r.fin = ResultadoAnulacion::Fin::SinRegistros;
        r.mensaje = MensajeSinRegistrosAnulacion();
        return r;
    }
    con.EjecutarSQL(QStringLiteral("UPDATE TESTIGO_RECEPCION SET ANULADA = 1 WHERE ID = ?"), {id});
    t.confirmar();
    r.fin = ResultadoAnulacion::Fin::Anulada;
    return r;
}

} // namespace vexa::recepcion
