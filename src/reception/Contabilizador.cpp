#include "Contabilizador.h"

#include "BloqueosOrdenados.h"
#include "Configuracion.h"
#include "Lectores.h"
#include "TestigoRecepcion.h"
#include "Utilidades.h"

#include <optional>

namespace vexa::recepcion {

Contabilizador::Contabilizador(Conexion* conexion, Configuracion* configuracion)
    : con_(conexion ? *conexion : throw ErrorVexa(91, QStringLiteral("Sin conexión con la base de datos"))),
      cfg_(&con_),
      asiento_(&con_),
      registro_(con_, &cfg_)
{
}

QString Contabilizador::Detalle(qint32 idRecepcion)
{
    return QStringLiteral("Subdiario desde Interface Recepción Nº ") + QString::number(idRecepcion);
}

QString Contabilizador::periodo()
{
    if (periodo_.isEmpty()) periodo_ = asiento_.PeriodoActivo();
    return periodo_;
}

Moneda Contabilizador::tasa(const QString& clave, std::optional<Moneda>& cache)
{
    if (!cache) cache = Utilidades::TextoAMoneda(texto::recortar(cfg_.ObtieneValor(clave)));
    return *cache;
}

QString Contabilizador::ArmaAsiento(const ComprobanteValidado& c, std::vector<LineaAsiento>& lineas)
{
    lineas = c.Lineas;
    // A negative amount would be counted in the balance but never stored,
    // leaving an unbalanced entry.
    for (const LineaAsiento& l : lineas) {
        if (l.enBlanco()) continue;
        for (const Moneda& m : {l.Debe, l.Haber})
            if (m.esNegativo())
                return QStringLiteral("El importe (") + MonedaSimple(m) + QStringLiteral(") de la cuenta (")
                       + texto::recortar(l.Cuenta) + QStringLiteral(") no puede ser negativo");
    }
    auto sumas = [&lineas](Moneda& d, Moneda& h) {
        d = h = Moneda();
        for (const LineaAsiento& l : lineas) {
            if (l.enBlanco()) continue;
            d += l.Debe;
            h += l.Haber;
        }
    };
    Moneda d, h;
    sumas(d, h);
    LineaAsiento principal;
    principal.Cuenta = texto::recortar(c.CuentaPrincipal).left(LineaAsiento::kLargoCuenta);
    if (d == c.Total)
        principal.Haber = c.Total;
    else if (h == c.Total)
        principal.Debe = c.Total;
    else
        return QStringLiteral("El Subdiario no balancea");
    lineas.push_back(principal);
    sumas(d, h);
    if (d != h)
        return QStringLiteral("El Subdiario no balancea Debe :") + MonedaSimple(d) + QStringLiteral(" Haber : ")
               + MonedaSimple(h) + QStringLiteral(" Importe Total : ") + c.TotalTexto;
    return {};
}

AsientoNuevo Contabilizador::asientoDe(const ComprobanteValidado& c, const std::vector<LineaAsiento>& lineas,
                                       qint32 idRecepcion)
{
    AsientoNuevo a;
    a.periodo = periodo();
    a.mes = c.MesOperativo;
    a.tipoReg = c.Subdiario;
    a.fecha = c.FechaEmision;
    a.detalle = Detalle(idRecepcion);
    a.vencimiento = c.Vencimiento;
    a.tc = c.Tc;
    a.sucursal = c.Sucursal;
    a.numero = c.Numero;
    a.letra = c.Letra;
    a.cabImporte = c.Total;
    a.cabCuenta = c.CuentaPrincipal;
    a.cabNombre = c.NombreCuenta;
    a.cabCuit = c.Cuit;
    a.cabCondIva = c.CondicionIva;
    a.idRecepcion = idRecepcion;
    a.numeroReutilizar = c.numeroAsientoReutilizar;
    a.numeraComprobante = !c.comprobanteEntrada;
    for (const LineaAsiento& l : lineas) {
        if (l.enBlanco()) continue;
        if (l.Debe <= Moneda() && l.Haber <= Moneda()) continue;
        const bool alDebe = l.Debe > Moneda();
        LineaNueva n;
        n.cuenta = l.Cuenta;
        n.alDebe = alDebe;
        n.importe = alDebe ? l.Debe : l.Haber;
        a.lineas.push_back(std::move(n));
    }
    const bool exento = lectura::numeroInicial(c.CondicionIva).o(0) == 4;
    const bool compras = texto::igual(texto::recortar(c.LivaTipo), QStringLiteral("COMPRAS"));
    const ImportesLibroIva& iva = c.iva;
    LibroIvaNuevo libro;
    libro.tipo = c.LivaTipo;
    libro.impIvaRec = iva.ImpIvaRec;
    if (exento) libro.exento = iva.Exento;
    else libro.impIva = compras ? iva.Cfri + iva.Rm : iva.Dfri + iva.Dfrni + iva.Rm;
    libro.netoGravado = iva.Neto;
    libro.netoNoGravado = iva.NetoN;
    libro.retGanancias = iva.RetGanancias;
    libro.retIbtos = iva.RetIbtos;
    libro.retPercepciones = iva.RetPerc;
    libro.total = c.Total;
    libro.alicuotaIva = tasa(QStringLiteral("PIVA"), piva_);
    libro.alicuotaIvaRec = tasa(QStringLiteral("PIVAREC"), pivarec_);
    a.libroIva = libro;
    return a;
}

QString Contabilizador::Contabiliza(const ComprobanteValidado& c, TestigoRecepcion& testigo)
{
    std::vector<LineaAsiento> lineas;
    escribio_ = false;
    if (!c.retiro) {
        const QString m = ArmaAsiento(c, lineas);
        if (!m.isEmpty()) return m;
    }
    escribio_ = true;
    try {
        // In a batch the caller's savepoint around the line holds this voucher's writes.
        std::optional<Transaccion> t;
        if (!enLote_) t.emplace(con_);
        if (c.reemplazo.planeado) {
            const int borradas = BajaAsientos(con_).borrarComprobante(c.reemplazo.comprobante(), c.reemplazo.Periodo);
            if (borradas != c.reemplazo.filas)
                return QStringLiteral("El comprobante ") + c.Sucursal + QStringLiteral("-") + c.Numero
                       + QStringLiteral("-") + c.Letra
                       + QStringLiteral(" fue modificado por otro proceso mientras se recibía; vuelva a recibirlo");
        }
        if (!c.retiro) {
            if (enLote_ && diferido_) registro_.guardar(asientoDe(c, lineas, testigo.IdRecepcion()));
            else registro_.registrar(asientoDe(c, lineas, testigo.IdRecepcion()));
        }
        if (!enLote_) {
            registro_.aplicarNumeraciones();
            testigo.EscribeConteos(1);
            t->confirmar();
        }
    } catch (const BloqueoOcupado&) {
        throw; // the caller ends its batch before this voucher
    } catch (const ErrorBD& e) {
        // In a batch the caller undoes the line (or the batch) and replays;
        // alone, the voucher's own transaction has rolled everything back.
        if (enLote_) throw;
        return e.descripcion().isEmpty() ? QStringLiteral("Error ") + QString::number(e.numero()) : e.descripcion();
    } catch (const ErrorVexa& e) {
        return e.descripcion().isEmpty() ? QStringLiteral("Error ") + QString::number(e.numero()) : e.descripcion();
    } catch (const std::exception& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

} // namespace vexa::recepcion
