#include "ValidacionesCierre.h"

#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "Progreso.h"
#include "Utilidades.h"

namespace vexa::cierre {

namespace {
const QString kComprobando = QStringLiteral("Comprobando Condicines para realizar Cancelación, Cierre y Apertura");
} // namespace

QString EncabezadoSubdiarios()
{
    return QStringLiteral("Atencion:Se ha detectado que los siguientes Subdiarios tienen movimientos sin incluir en un "
                          "Asiento Resumen: \r");
}
QString LineaSubdiario(const QString& codigo) { return QString(37, u' ') + codigo + u'\r'; }
QString CierreSubdiarios() { return QStringLiteral("\r\r Realice el Asiento Resumen de los mismos y Vuelva a Intentarlo.-"); }
QString MensajeDepreciaciones() { return QStringLiteral("No se han realizado los Cálculos de Depreciaciones de este Ejercicio"); }
QString TituloProgreso() { return QStringLiteral("Cancelación, Cierre y Apertura"); }
QString TituloAviso() { return QStringLiteral("Aviso al operador!!!"); }

QString ValidacionesCierre(ContextoEmpresa& ctx, qint64 periodo, Progreso& progreso)
{
    Conexion& con = ctx.con();
    QString mensaje;

    std::vector<QString> subdiarios;
    {
        auto rs = con.ObtenerRecordset(QStringLiteral("SELECT DISTINCT CODIGO FROM MA_SUBDIARIOS ORDER BY CODIGO"));
        for (; !rs.eof(); rs.siguiente()) subdiarios.push_back(rs.texto(QStringLiteral("CODIGO")));
    }
    if (!subdiarios.empty()) {
        progreso.Iniciar(TituloProgreso(), qint64(subdiarios.size()));
        qint64 hecho = 0;
        for (const QString& codigo : subdiarios) {
            const QString recortado = texto::recortar(codigo);
            progreso.Actualizar(hecho++, kComprobando, QStringLiteral("Comprobando Subdiarios"),
                                QStringLiteral("Subdiario: ") + recortado);
            // Served by the partial index IX_MV_ASIENTOS_PENDIENTES (same expressions).
            const bool pendiente =
                con.PrimeraFila(QStringLiteral("SELECT 1 FROM MV_ASIENTOS WHERE UPPER(TRIM(TIPO_REG)) = UPPER(?) "
                                               "AND (CONTABILIZADO IS NULL OR CONTABILIZADO = 0) AND PERIODO = ? LIMIT 1"),
                                {recortado, periodo})
                    .has_value();
            if (!pendiente) continue;
            if (texto::recortar(mensaje).isEmpty()) mensaje = EncabezadoSubdiarios();
            mensaje += LineaSubdiario(codigo);
        }
    }
    if (!texto::recortar(mensaje).isEmpty()) {
        mensaje += CierreSubdiarios();
        progreso.Cerrar();
        return mensaje;
    }

    if (texto::igual(texto::recortar(ctx.configuracion().ObtieneValor(QStringLiteral("USA BIENES DE USO"))),
                     QStringLiteral("SI"))) {
        progreso.MostrarVentana(false);
        const QString enUso = QStringLiteral("b.FECHA_BAJA IS NULL AND b.Periodo <= ?");
        if (con.PrimeraFila(QStringLiteral("SELECT 1 FROM MA_BIENES b WHERE %1 LIMIT 1").arg(enUso), {periodo})) {
            progreso.Iniciar(TituloProgreso(), 0);
            progreso.Actualizar(0, kComprobando, QStringLiteral("Comprobando Depreciaciones del Ejercicio"),
                                QString());
            // One set query each for the assets and for their improvements.
            auto bien = con.PrimeraFila(
                QStringLiteral("SELECT b.CODIGO FROM MA_BIENES b WHERE %1 AND b.Vida_Util > 0 AND NOT EXISTS "
                               "(SELECT 1 FROM MV_CALCULO_BIENES c WHERE c.CODIGO = b.CODIGO AND c.ID = 0) "
                               "ORDER BY b.CODIGO LIMIT 1")
                    .arg(enUso),
                {periodo});
            if (!bien) {
                bien = con.PrimeraFila(
                    QStringLiteral("SELECT n.CODIGO, n.ID FROM MA_BIENES_NOVEDADES n JOIN MA_BIENES b ON b.CODIGO = n.CODIGO "
                                   "WHERE %1 AND n.Periodo <= ? AND n.Vida_Util > 0 AND NOT EXISTS "
                                   "(SELECT 1 FROM MV_CALCULO_BIENES c WHERE c.CODIGO = n.CODIGO AND c.ID = n.ID) "
                                   "ORDER BY n.CODIGO, n.ID LIMIT 1")
                        .arg(enUso),
                    {periodo, periodo});
            }
            if (bien) {
                const QString id = bien->tiene(QStringLiteral("ID")) ? texto::recortar(bien->texto(QStringLiteral("ID")))
                                                                     : QStringLiteral("0");
                progreso.Actualizar(1, kComprobando, QStringLiteral("Comprobando Depreciaciones del Ejercicio"),
                                    QStringLiteral("Bien: ") + texto::recortar(bien->texto(QStringLiteral("CODIGO"))) +
                                        QStringLiteral(" - ") + id);
                progreso.Cerrar();
                return MensajeDepreciaciones();
            }
        }
    }
    progreso.Cerrar();
    return QString();
}

} // namespace vexa::cierre
