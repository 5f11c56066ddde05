#include "CorridaVexa.h"

#include "ArchivoVexa.h"
#include "ContextoEmpresa.h"
#include "LectorInterfaz.h"
#include "LoteRecepcion.h"
#include "Progreso.h"
#include "RecepcionVexa.h"
#include "TestigoRecepcion.h"
#include "Utilidades.h"

#include <QFileInfo>

#include <deque>
#include <functional>

namespace vexa::recepcion {

namespace {
constexpr qint64 kMsLote = 250;

using Entrega = std::function<void(const std::vector<LoteRecepcion::Resultado>&)>;

// Reads the file's vouchers and hands each to the batch (its key to 'claves',
// for the list of errors). True when the operator cancelled the run.
bool recibirComprobantes(LectorInterfaz& lector, LoteRecepcion& lote, RegistroVexa& registro, Progreso& progreso,
                         std::deque<qint64>& claves, const Entrega& entregar, const ConfirmaCancelar& confirmaCancelar)
{
    auto contabilizar = [&](ComprobanteVexa& c) {
        claves.push_back(c.valorClave);
        const LineaLeida unidad = UnidadDeComprobante(c);
        registro.leido(std::move(c));
        lote.procesar(unidad);
    };
    AgrupadorVexa agrupador;
    LineaLeida linea;
    while (lector.siguiente(linea)) {
        if (lote.msAbierto() >= kMsLote) entregar(lote.confirmar());
        else if (lote.hayConfirmados()) entregar(lote.confirmados());
        const qint64 hecho = linea.posicion + linea.largo;
        const QString clave = ClaveVexa(linea.texto);
        if (!progreso.Actualizar(hecho, QStringLiteral("Leyendo Asiento Nº ") + clave)) {
            // Nothing waits on the operator's answer with a transaction open.
            entregar(lote.confirmar());
            if (!confirmaCancelar || confirmaCancelar()) return true;
            progreso.Actualizar(hecho, QStringLiteral("Actualizando Asiento Nº ") + clave);
        }
        // The file's layout takes NUL characters out of the fields where the
        // commercial system leaves them (main account, VAT book, net kind):
        // a NUL alone does not make the line unusable.
        const bool soloNul = linea.problema.startsWith(QStringLiteral("La línea contiene un carácter nulo"));
        if (auto c = agrupador.ProcesaLinea(linea.texto, linea.numero, linea.posicion, linea.largo,
                                            soloNul ? QString() : linea.problema))
            contabilizar(*c);
    }
    if (lector.error().isEmpty())
        if (auto c = agrupador.Fin()) contabilizar(*c);
    return false;
}
} // namespace

QString UsuarioRecepcion(ContextoEmpresa& ctx)
{
    const QString usa = texto::recortar(ctx.configuracion().ObtieneValor(QStringLiteral("USA_CONTRASEÑA")));
    return texto::igual(usa, QStringLiteral("SI")) ? ctx.seccionEquipo : ctx.usuario;
}

ResultadoCorridaVexa RecibirVexa(ContextoEmpresa& ctx, const QString& archivo, Progreso& progreso,
                                 const ListarErrores& listar, const AlFallarComprobante& alFallar,
                                 const ConfirmaCancelar& confirmaCancelar)
{
    ResultadoCorridaVexa r;
    auto fallo = [&r](const std::exception& e, ResultadoCorridaVexa::Fin fin) {
        r.fin = fin;
        r.errorNumero = numeroDeError(e);
        r.error = descripcionDeError(e);
    };
    std::optional<ContextoEmpresa::Corrida> corrida;
    try {
        corrida.emplace(ctx);
    } catch (const std::exception&) {
        r.fin = ResultadoCorridaVexa::Fin::Rechazada;
        r.error = MensajeOtraRecepcion();
        return r;
    }
    Conexion& con = ctx.con();
    TestigoRecepcion testigo(&con);
    // Keys of the vouchers handed to the batch, in order, until their results come back.
    std::deque<qint64> claves;
    auto entregar = [&](const std::vector<LoteRecepcion::Resultado>& resultados) {
        QStringList errores;
        for (const LoteRecepcion::Resultado& res : resultados) {
            const qint64 clave = claves.empty() ? 0 : claves.front();
            if (!claves.empty()) claves.pop_front();
            if (!res.mensaje.isEmpty())
                errores << QStringLiteral("Asiento: ") + QString::number(clave) + u' ' + res.mensaje;
        }
        if (listar && !errores.isEmpty()) listar(errores);
    };
    bool iniciado = false;
    try {
        LectorInterfaz lector(archivo);
        lector.setOmitirVacias(true);
        if (!lector.abrir()) throw ErrorVexa(53, lector.error());
        r.idRecepcion = testigo.Reservar(archivo, UsuarioRecepcion(ctx));
        progreso.Iniciar(QStringLiteral("Recepción de Datos"), QFileInfo(archivo).size());
        iniciado = true;
        bool cancelada = false;
        try {
            RecepcionVexa recepcion(con, ctx.periodoActivo());
            RegistroVexa registro(recepcion, r.idRecepcion);
            LoteRecepcion lote(con, registro, testigo);
            if (alFallar) lote.setAlFallar(alFallar);
            try {
                cancelada = recibirComprobantes(lector, lote, registro, progreso, claves, entregar, confirmaCancelar);
                entregar(lote.confirmar());
            } catch (...) {
                // The vouchers committed before the stop are listed, as the log row counts them.
                entregar(lote.detener());
                throw;
            }
        } catch (const RecepcionAnulada& e) {
            if (listar) listar({e.descripcion()});
            fallo(e, ResultadoCorridaVexa::Fin::Anulada);
        }
        if (r.fin != ResultadoCorridaVexa::Fin::Anulada) {
            if (!lector.error().isEmpty()) throw ErrorVexa(53, lector.error());
            testigo.Graba_Datos(archivo, testigo.leidos(), testigo.ignorados());
            r.fin = cancelada ? ResultadoCorridaVexa::Fin::Cancelada : ResultadoCorridaVexa::Fin::Completa;
        }
    } catch (const std::exception& e) {
        // The log row keeps the counts of every committed batch, without a total.
        fallo(e, ResultadoCorridaVexa::Fin::Error);
    }
    if (iniciado) progreso.Cerrar();
    r.grabados = testigo.leidos();
    r.leidos = testigo.total();
    if (r.fin == ResultadoCorridaVexa::Fin::Error && r.idRecepcion != 0)
        r.error += u'\n' + MensajeCorridaDetenida(r.grabados, r.leidos - r.grabados);
    return r;
}

} // namespace vexa::recepcion
