#include "CorridaRecepcion.h"

#include "Contabilizador.h"
#include "ContextoEmpresa.h"
#include "Progreso.h"
#include "RecepcionInterface.h"
#include "TestigoRecepcion.h"
#include "Utilidades.h"

#include <QFileInfo>

#include <memory>

namespace vexa::recepcion {

namespace {
constexpr qint64 kMsLote = 250;
} // namespace

ResultadoCorrida RecibirInterface(ContextoEmpresa& ctx, const QString& definicion, const QString& archivo,
                                  Progreso& progreso, const AlConfirmarLote& alConfirmar, const AlLeer& alLeer)
{
    ResultadoCorrida r;
    auto fallo = [&r](const std::exception& e) {
        r.fin = ResultadoCorrida::Fin::Error;
        r.errorNumero = numeroDeError(e);
        r.error = descripcionDeError(e);
    };
    std::optional<ContextoEmpresa::Corrida> corrida;
    try {
        corrida.emplace(ctx);
    } catch (const std::exception& e) {
        fallo(e);
        r.fin = ResultadoCorrida::Fin::Rechazada;
        return r;
    }
    Conexion& con = ctx.con();
    TestigoRecepcion testigo(&con);
    auto entregar = [&](const std::vector<LoteRecepcion::Resultado>& resultados) {
        if (alConfirmar && !resultados.empty()) alConfirmar(resultados);
    };
    try {
        RecepcionInterface recepcion(&con, &ctx.configuracion());
        if (!recepcion.ObtieneDatosInterface(texto::recortar(definicion)))
            throw ErrorVexa(3021, QStringLiteral("El nombre informado no es correcto"));
        auto lector = std::make_shared<LectorInterfaz>(archivo, recepcion.definicion());
        lector->setOmitirVacias(true);
        if (!lector->abrir()) throw ErrorVexa(53, lector->error());
        if (alLeer) alLeer(lector);
        r.idRecepcion = testigo.Reservar(archivo, ctx.seccionEquipo);
        // The progress counts bytes: the number of lines is known only at the end.
        progreso.Iniciar(QStringLiteral("Recepción de Subdiario desde Interface"), QFileInfo(archivo).size());
        bool cancelada = false;
        {
            // The batch in hand is rolled back when anything below throws, before
            // the log row is completed and before the caller hears of the error.
            Contabilizador contabilizador(&con, &ctx.configuracion());
            LoteRecepcion lote(con, recepcion, contabilizador, testigo);
            try {
                LineaLeida linea, proxima;
                bool hay = lector->siguiente(linea);
                while (hay) {
                    if (lote.msAbierto() >= kMsLote) entregar(lote.confirmar());
                    else if (lote.hayConfirmados()) entregar(lote.confirmados());
                    lote.procesar(linea);
                    const bool hayProxima = lector->siguiente(proxima);
                    if (!progreso.Actualizar(linea.posicion + linea.largo, linea.texto)) {
                        cancelada = hayProxima;
                        break;
                    }
                    std::swap(linea, proxima);
                    hay = hayProxima;
                }
                // What was read before a read error is committed and listed; then the error.
                entregar(lote.confirmar());
            } catch (...) {
                // The lines committed before the stop are listed, as the log row counts them.
                entregar(lote.detener());
                throw;
            }
        }
        if (!lector->error().isEmpty()) throw ErrorVexa(53, lector->error());
        testigo.Graba_Datos(archivo, testigo.leidos(), testigo.ignorados());
        r.fin = cancelada ? ResultadoCorrida::Fin::Cancelada : ResultadoCorrida::Fin::Completa;
    } catch (const std::exception& e) {
        // The log row already holds the counts of every committed batch; it is
        // left without a total, so a stopped run is never read as a complete
        // run of a shorter file.
        fallo(e);
    }
    progreso.Cerrar();
    r.grabados = testigo.leidos();
    r.rechazados = testigo.ignorados();
    if (r.fin == ResultadoCorrida::Fin::Error && r.idRecepcion != 0) r.error += u'\n' + MensajeCorridaDetenida(r.grabados, r.rechazados);
    return r;
}

QString MensajeOtraRecepcion() { return QStringLiteral("Hay otra recepción en proceso; espere a que finalice"); }

QString MensajeCorridaDetenida(int grabados, int rechazados)
{
    return QStringLiteral("La recepción se detuvo. Grabados: %1; rechazados: %2 (lo que muestran las listas y el "
                          "registro de la recepción); el resto del archivo no se procesó.")
        .arg(grabados)
        .arg(rechazados);
}

} // namespace vexa::recepcion
