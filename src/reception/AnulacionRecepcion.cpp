#include "AnulacionRecepcion.h"

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

namespace {
// The run's lines that go: those of entries without a summarised line.
const QString kBorrables = QStringLiteral(
    "NRO_TRANSMISION = ? AND NOT EXISTS (SELECT 1 FROM MV_ASIENTOS R WHERE R.PERIODO = MV_ASIENTOS.PERIODO "
    "AND R.MES_OPERATIVO = MV_ASIENTOS.MES_OPERATIVO AND R.FAMILIA = MV_ASIENTOS.FAMILIA "
    "AND R.[NUMERO ASIENTO] = MV_ASIENTOS.[NUMERO ASIENTO] AND R.CONTABILIZADO <> 0)");
} // namespace

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
    const qint64 cerrados = con.Escalar(
        QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE ") + kBorrables
            + QStringLiteral(" AND PERIODO IN (SELECT PERIODO FROM MV_EJERCICIOS WHERE CERRADO <> 0 OR CANCELACION <> 0)"),
        {id}).toLongLong();
    if (cerrados > 0) {
        r.fin = ResultadoAnulacion::Fin::EjercicioCerrado;
        r.mensaje = MensajeEjercicioCerradoAnulacion();
        return r;
    }
    r.filasBorradas = con.EjecutarSQL(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE ") + kBorrables, {id});
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
