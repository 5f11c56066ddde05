#include "CamposAjuste.h"

#include "AsientoAjuste.h"
#include "Lectores.h"
#include "Utilidades.h"

namespace vexa::ajuste {

namespace {

using texto::recortar;

QString en(const EstadoCabecera& estado, const char* campo) { return recortar(estado.value(QString::fromLatin1(campo))); }

ResultadoCampo error(const QString& mensaje, ResultadoCampo::Caja caja = ResultadoCampo::Caja::Campo)
{
    ResultadoCampo r;
    r.mensaje = mensaje;
    r.caja = caja;
    return r;
}

ResultadoCampo cuentaRei(const ValorCampo& v, const EstadoCabecera&, ConsultasCabecera& c)
{
    const QString& t = v.texto;
    if (t.isEmpty()) return error(kMensajeSinCuentaRei);
    if (!c.existeCuenta(t)) return error(kMensajeCodigoInexistente);
    ResultadoCampo r;
    r.descripcionCuenta = c.descripcionCuenta(t);
    r.cuentaIngresada = true;
    return r;
}

// The type's letters decide the letter; branch and number become the type's
// own (a received type keeps the branch and number typed).
ResultadoCampo tipoComprobante(const ValorCampo& v, const EstadoCabecera&, ConsultasCabecera& c)
{
    const QString& t = v.texto;
    c.recordarComprobante(t);
    const QString letras = recortar(c.letras(t, true));
    if (letras.isEmpty()) return error(kMensajeTCSinLetras);
    ResultadoCampo r;
    QString letra = letras.left(1);
    r.comprobanteBloqueado = true;
    if (!c.comprobanteEntrada(t)) {
        QString sucursal, numero;
        c.datosComprobante(t, sucursal, numero, letra);
        r.textos.insert(QStringLiteral("SUCURSAL"), sucursal);
        r.textos.insert(QStringLiteral("NUMERO"), numero);
    }
    r.textos.insert(QStringLiteral("LETRA"), letra);
    r.descripcionComprobante = c.descripcionComprobante(t);
    return r;
}

// Blank is the first branch.
ResultadoCampo sucursal(const ValorCampo& v, const EstadoCabecera&, ConsultasCabecera&)
{
    const QString& t = v.texto;
    if (!v.vacio() && !v.valido()) return error(kMensajeSucursalNumerica);
    ResultadoCampo r;
    r.textos.insert(QStringLiteral("SUCURSAL"),
                    t.isEmpty() ? QStringLiteral("0001")
                                : Utilidades::CompletaCeros(QString::number(lectura::redondeaAEntero(v.numero)), 4));
    return r;
}

// A number past the type's last one is told, not refused.
ResultadoCampo numero(const ValorCampo& v, const EstadoCabecera& estado, ConsultasCabecera& c)
{
    const QString tc = en(estado, "TC");
    const QString letras = recortar(c.letras(tc, false));
    if (letras.isEmpty()) return error(kMensajeSinLetras);
    QString letra = en(estado, "LETRA");
    if (letra.isEmpty()) letra = letras.left(1);
    QString suc, ultimo;
    c.datosComprobante(tc, suc, ultimo, letra);
    if (!v.valido()) return error(kMensajeNumerico);
    ResultadoCampo r;
    const qint64 n = lectura::redondeaAEntero(v.numero);
    r.textos.insert(QStringLiteral("NUMERO"), Utilidades::CompletaCeros(QString::number(n), 8));
    if (lectura::enteroRedondeado(ultimo).o(0) < n && !c.comprobanteEntrada(tc)) r.aviso = kAvisoNoCorrelativo;
    return r;
}

// An accepted letter completes the header.
ResultadoCampo letra(const ValorCampo& v, const EstadoCabecera& estado, ConsultasCabecera& c)
{
    const QString& t = v.texto;
    const QString tc = en(estado, "TC");
    if (!QStringLiteral("ABCXE ").contains(t, Qt::CaseInsensitive)) return error(kMensajeLetras);
    if (!recortar(c.letras(tc, false)).contains(t, Qt::CaseSensitive)) return error(kMensajeLetraAjena);
    ResultadoCampo r;
    if (!c.comprobanteEntrada(tc)) {
        QString l = t, suc, num, mensaje;
        c.datosComprobante(tc, suc, num, l);
        r.textos.insert(QStringLiteral("SUCURSAL"), suc);
        const bool valido = c.validaComprobante(tc, suc, num, t, mensaje);
        r.textos.insert(QStringLiteral("NUMERO"), num);
        if (!valido) {
            r.mensaje = mensaje.isEmpty() ? QStringLiteral(" ") : mensaje;
            return r;
        }
    }
    r.cabeceraCompleta = true;
    return r;
}

ResultadoCampo detalle(const ValorCampo& v, const EstadoCabecera&, ConsultasCabecera&)
{
    const QString& t = v.texto;
    return t.isEmpty() ? error(kMensajeSinConcepto) : ResultadoCampo{};
}

// An accepted date proposes the entry number of its month.
ResultadoCampo fecha(const ValorCampo& v, const EstadoCabecera&, ConsultasCabecera& c)
{
    const QString& t = v.texto;
    QString mensaje;
    if (!c.fechaValida(t, mensaje)) return error(mensaje.isEmpty() ? QStringLiteral(" ") : mensaje);
    ResultadoCampo r;
    QString nro;
    r.textos.insert(QStringLiteral("[NUMERO ASIENTO]"), c.numeroAsiento(v.fecha, nro));
    r.nroAsiento = nro;
    return r;
}

// Either period: a month "MM/AAAA", the first not after the last, both inside
// the active fiscal year (those two refusals are shown at once, without a title).
ResultadoCampo periodo(const ValorCampo& v, const EstadoCabecera& estado, ConsultasCabecera& c)
{
    const QString& t = v.texto;
    if (t.isEmpty()) return error(kMensajeSinPeriodo);
    if (Utilidades::QuitaCaracteres(t, QStringLiteral("/"), QStringLiteral("-")).size() < 6)
        return error(kMensajeFormatoPeriodo);
    const int mes = int(lectura::enteroInicial(t.left(2)).o(0));
    if (!Utilidades::TextoAFecha(QStringLiteral("01/") + t).isValid() || mes < 1 || mes > 12)
        return error(kMensajePeriodoInvalido);
    ResultadoCampo r;
    r.fechaDesde = QStringLiteral("01/") + en(estado, "PERIODO_DESDE");
    r.fechaHasta = QStringLiteral("01/") + en(estado, "PERIODO_HASTA");
    const QDate desde = Utilidades::TextoAFecha(*r.fechaDesde), hasta = Utilidades::TextoAFecha(*r.fechaHasta);
    if (!desde.isValid() || !hasta.isValid() || hasta < desde) r.mensaje = kMensajeDesdeMayor;
    if (r.error()) return r;
    const QDate ejDesde = c.ejercicioDesde(), ejHasta = c.ejercicioHasta();
    const auto fuera = [&](const QDate& d) { return !ejDesde.isValid() || !ejHasta.isValid() || d < ejDesde || d > ejHasta; };
    if (fuera(desde)) r.mensaje = kMensajeDesdeFuera;
    else if (fuera(hasta)) r.mensaje = kMensajeHastaFuera;
    r.caja = ResultadoCampo::Caja::Inmediata;
    return r;
}

} // namespace

ValorCampo LeerCampo(Lectura l, const QString& texto)
{
    ValorCampo v;
    v.texto = recortar(texto);
    if (l == Lectura::Numero) {
        const auto n = lectura::importe(v.texto);
        v.estado = n.estado;
        v.numero = n.valor;
    } else if (l == Lectura::Fecha) {
        const auto f = lectura::fecha(v.texto);
        v.estado = f.estado;
        v.fecha = f.valor;
    } else {
        v.estado = v.texto.isEmpty() ? lectura::Estado::Vacio : lectura::Estado::Valido;
    }
    return v;
}

const std::vector<ReglaCampo>& ReglasCabecera()
{
    static const std::vector<ReglaCampo> reglas = {
        {QStringLiteral("CTA_REI"), Lectura::Codigo, cuentaRei, {QStringLiteral("LblDescCuenta")}},
        {QStringLiteral("TC"), Lectura::Codigo, tipoComprobante,
         {QStringLiteral("SUCURSAL"), QStringLiteral("NUMERO"), QStringLiteral("LETRA"), QStringLiteral("lbldesctc")}},
        {QStringLiteral("SUCURSAL"), Lectura::Numero, sucursal, {QStringLiteral("SUCURSAL")}},
        {QStringLiteral("NUMERO"), Lectura::Numero, numero, {QStringLiteral("NUMERO")}},
        {QStringLiteral("LETRA"), Lectura::Codigo, letra, {QStringLiteral("SUCURSAL"), QStringLiteral("NUMERO")}},
        {QStringLiteral("DETALLE"), Lectura::Texto, detalle, {}},
        {QStringLiteral("FECHA"), Lectura::Fecha, fecha, {QStringLiteral("[NUMERO ASIENTO]")}},
        {QStringLiteral("PERIODO_DESDE"), Lectura::Periodo, periodo, {}},
        {QStringLiteral("PERIODO_HASTA"), Lectura::Periodo, periodo, {}},
    };
    return reglas;
}

const ReglaCampo* ReglaDe(const QString& campo)
{
    for (const ReglaCampo& r : ReglasCabecera())
        if (texto::igual(r.campo, recortar(campo))) return &r;
    return nullptr;
}

ResultadoCampo ValidarCampo(const QString& campo, const QString& texto, const EstadoCabecera& estado,
                            ConsultasCabecera& consultas)
{
    const ReglaCampo* regla = ReglaDe(campo);
    if (!regla) return {};
    return regla->comprobar(LeerCampo(regla->lectura, texto), estado, consultas);
}

} // namespace vexa::ajuste
