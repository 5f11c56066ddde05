#include "RecepcionInterface.h"

#include "BloqueosOrdenados.h"
#include "Lectores.h"

#include "Configuracion.h"
#include "FechaInterfaz.h"
#include "Utilidades.h"

#include <algorithm>

namespace vexa::recepcion {

namespace {

const QString kSinCampo = QStringLiteral("El campo (%1) no existe en la definición de la interface");

} // namespace

// ---------------------------------------------------------------- RecepcionInterface

RecepcionInterface::RecepcionInterface(Conexion* conexion, Configuracion* configuracion)
    : con_(conexion ? *conexion : throw ErrorVexa(91, QStringLiteral("Sin conexión con la base de datos"))),
      cfg_(&con_),
      asiento_(&con_),
      def_(std::in_place)
{
}

bool RecepcionInterface::ObtieneDatosInterface(const QString& nombre)
{
    tipos_.clear();
    registra_.clear();
    cuentas_.clear();
    fechasOperativas_.clear();
    periodo_.clear();
    auto d = DefinicionInterfaz::Obtiene(con_, nombre);
    if (!d) return false;
    def_.emplace(std::move(*d));
    linea_.LimpiaValores();
    cortadas_.clear();
    proximaCortada_ = 0;
    return true;
}

QString RecepcionInterface::periodoActivo()
{
    if (periodo_.isEmpty()) periodo_ = texto::recortar(asiento_.PeriodoActivo());
    return periodo_;
}

const RecepcionInterface::DatosTipo& RecepcionInterface::tipo(const QString& tc)
{
    const QString k = tc.toUpper();
    auto it = tipos_.find(k);
    if (it != tipos_.end()) return *it;
    DatosTipo d;
    if (auto f = con_.PrimeraFila(QStringLiteral("SELECT LETRAS, SISTEMA FROM TA_COMPROBANTES WHERE CODIGO = ?"), {tc})) {
        d.existe = true;
        if (texto::igual(texto::recortar(f->texto(QStringLiteral("SISTEMA"))), QStringLiteral("CONTABLE")))
            d.letras = texto::recortar(f->texto(QStringLiteral("LETRAS")));
        d.entrada = ReglasAsientos(con_, periodoActivo()).ComprobanteEntrada(tc);
    }
    return *tipos_.insert(k, d);
}

bool RecepcionInterface::subdiarioRegistra(const QString& tc)
{
    const QString k = tc.toUpper();
    auto it = registra_.find(k);
    if (it != registra_.end()) return *it;
    return *registra_.insert(k, ReglasAsientos(con_, periodoActivo()).ValidaSubdiarioTC(def_->cabecera.Subdiario, tc));
}

const RecepcionInterface::DatosCuenta& RecepcionInterface::cuenta(const QString& codigo)
{
    const QString k = codigo.toUpper();
    auto it = cuentas_.find(k);
    if (it != cuentas_.end()) return *it;
    DatosCuenta d;
    d.existe = cfg_.ExisteCuenta(codigo);
    if (d.existe) {
        QString mensaje;
        d.valida = cfg_.ValidaCuenta(def_->cabecera.Subdiario, codigo, mensaje);
        const QString cod = QStringLiteral("CODIGO");
        d.cuit = Utilidades::NuloATexto(con_.BuscaValor(QStringLiteral("MA_CUENTASADIC"), codigo, QStringLiteral("NUMERO_DOCUMENTO"), cod));
        d.iva = Utilidades::NuloATexto(con_.BuscaValor(QStringLiteral("MA_CUENTASADIC"), codigo, QStringLiteral("IVA"), cod));
        d.nombre = Utilidades::NuloATexto(con_.BuscaValor(QStringLiteral("MA_CUENTAS"), codigo, QStringLiteral("DESCRIPCION"), cod));
    }
    return *cuentas_.insert(k, d);
}

bool RecepcionInterface::esFechaOperativa(const QDate& fecha)
{
    auto it = fechasOperativas_.constFind(fecha);
    if (it != fechasOperativas_.constEnd()) return *it;
    return *fechasOperativas_.insert(fecha, cfg_.EsFechaOperativa(fecha));
}

int RecepcionInterface::posicionObligatoria(const QString& nombre) const
{
    const int p = def_->PosicionCampo(nombre);
    if (p == 0) throw ErrorVexa(9, kSinCampo.arg(nombre));
    return p;
}

std::vector<LineaAsiento> RecepcionInterface::AsignaCuentas(const ValoresLinea& valores, QString& Mensaje,
                                                             QString& MensajeImporte) const
{
    const DefinicionInterfaz& def = *def_;
    std::vector<LineaAsiento> lineas;
    if (def.reglas.empty()) {
        Mensaje = QStringLiteral("No se han Asignado Cuentas en este Registro");
        return lineas;
    }
    for (const ReglaCuenta& r : def.reglas) {
        const int origen = def.PosicionCampo(r.CampoOrigen);
        const int importe = def.PosicionCampo(r.ValorCampo);
        for (auto [pos, nombre] : {std::pair{origen, r.CampoOrigen}, std::pair{importe, r.ValorCampo}})
            if (pos == 0)
                throw ErrorVexa(9, QStringLiteral("El campo (") + nombre + QStringLiteral(") de la condición")
                                       + texto::str(qint64(r.Secuencia)) + QStringLiteral(" no existe en la definición de la interface"));
        const QString valor = texto::recortar(valores.valor(origen));
        const bool igual = texto::igual(texto::recortar(r.ValorCampoOrigen), valor);
        const bool aplica = texto::recortar(r.Operador) == QLatin1String("=") ? igual : !igual;
        if (!aplica) continue;
        LineaAsiento l;
        l.Cuenta = texto::recortar(r.AsignadoACuenta);
        if (l.Cuenta.size() > LineaAsiento::kLargoCuenta)
            throw ErrorVexa(9, QStringLiteral("La cuenta (") + l.Cuenta + QStringLiteral(") de la condición")
                                   + texto::str(qint64(r.Secuencia)) + QStringLiteral(" tiene más de 15 caracteres"));
        // A line without an account is neither summed nor posted: its amount is not read.
        Moneda monto;
        if (!l.enBlanco()) {
            const QString t = texto::recortar(valores.valor(importe));
            // A blank amount is nought; only blanks (U+0020) make it blank.
            const auto leido = t.isEmpty() ? lectura::Leido<Moneda>{lectura::Estado::Valido, Moneda()} : lectura::importe(t);
            monto = leido.o(Moneda());
            if (MensajeImporte.isEmpty()) {
                const auto nombre = [&] { return QStringLiteral("El importe (") + t + QStringLiteral(") de la cuenta (") + l.Cuenta + u')'; };
                if (leido.estado == lectura::Estado::FueraDeRango) MensajeImporte = nombre() + Moneda::superaMaximo();
                else if (!leido.valido()) MensajeImporte = nombre() + QStringLiteral(" no es numérico");
                else if (monto.esNegativo()) MensajeImporte = nombre() + QStringLiteral(" no puede ser negativo");
            }
        }
        if (texto::igual(texto::recortar(r.AlDebeOHaber), QStringLiteral("D"))) l.Debe = monto;
        else l.Haber = monto;
        lineas.push_back(std::move(l));
    }
    if (lineas.empty()) Mensaje = QStringLiteral("Ninguna de las  cuentas Asignadas cumplio con las condiciones");
    return lineas;
}

std::optional<ReemplazoPlaneado> RecepcionInterface::ReemplazaComprobante(const QString& Tc, const QString& Sucursal,
                                                                          const QString& Numero, const QString& Letra,
                                                                          const QString& Proveedor, bool& bloqueado)
{
    return BuscaComprobanteRecibido(con_, periodoActivo(), Tc, Sucursal, Numero, Letra, Proveedor, bloqueado, postergado_);
}

ResultadoRegistro RecepcionInterface::Procesa_Registro(const QString& linea)
{
    ResultadoRegistro r;
    try {
        std::optional<ComprobanteValidado> leido;
        linea_ = cortar(linea, leido);
        const bool hayLeido = leido.has_value();
        if (hayLeido) r.comprobante = std::move(*leido);
        r.mensaje = validar(linea_, r.comprobante, hayLeido);
    } catch (const ErrorBD&) {
        // A failed statement is not an answer about the line: the caller undoes
        // what its transaction holds and decides.
        throw;
    } catch (const BloqueoOcupado&) {
        throw; // the caller ends its batch before this line
    } catch (const ComprobanteEnLote&) {
        throw;
    } catch (const std::exception& e) {
        r.mensaje = descripcionDeError(e);
        if (texto::recortar(r.mensaje).isEmpty()) r.mensaje = QStringLiteral("Error inesperado al validar la línea");
        Utilidades::escribirLog(numeroDeError(e), r.mensaje, QStringLiteral("Procesa_Registro"));
    }
    if (!r.valido()) r.comprobante = ComprobanteValidado();
    return r;
}

void RecepcionInterface::AnticipaComprobantes(const std::vector<const QString*>& lineas)
{
    if (!con_.enTransaccion()) return;
    std::vector<ClaveComprobante> claves;
    claves.reserve(lineas.size());
    cortadas_.clear();
    proximaCortada_ = 0;
    for (const QString* l : lineas) {
        Cortada& cortada = cortadas_.emplace_back(Cortada{*l, def_->DivideLinea(*l), std::nullopt});
        // The readers change the values they read (equivalences): a line they
        // reject keeps its values as cut, for validar to read them again.
        ValoresLinea v = cortada.valores;
        ComprobanteValidado c;
        if (!leeClave(v, c)) continue;
        claves.push_back({c.Tc, c.Sucursal, c.Numero, c.Letra, c.comprobanteEntrada ? c.CuentaPrincipal : QString()});
        cortada.valores = std::move(v);
        cortada.leido = std::move(c);
    }
    AnticipaComprobantesRecibidos(con_, claves);
}

ValoresLinea RecepcionInterface::cortar(const QString& linea, std::optional<ComprobanteValidado>& leido)
{
    if (proximaCortada_ < cortadas_.size() && cortadas_[proximaCortada_].texto == linea) {
        Cortada& c = cortadas_[proximaCortada_++];
        leido = std::move(c.leido);
        return std::move(c.valores);
    }
    leido.reset();
    return def_->DivideLinea(linea);
}

// The line's readers in the order it is validated: those of its voucher's
// identity (kLectoresClave), then the rest.
std::span<const RecepcionInterface::Lector> RecepcionInterface::lectores()
{
    static constexpr Lector kLectores[] = {
        &RecepcionInterface::leeTipo,
        &RecepcionInterface::leeCuentaPrincipal,
        &RecepcionInterface::leeTotal,
        &RecepcionInterface::leeSucursalNumeroLetra,
        &RecepcionInterface::leeRecepcionAnterior,
        &RecepcionInterface::leeFechaEmision,
        &RecepcionInterface::leeVencimiento,
        &RecepcionInterface::leeImportesIva,
        &RecepcionInterface::leeLineas,
    };
    return kLectores;
}

bool RecepcionInterface::leeClave(ValoresLinea& v, ComprobanteValidado& c)
{
    c = ComprobanteValidado();
    c.Subdiario = texto::recortar(def_->cabecera.Subdiario);
    try {
        for (Lector lector : lectores().first(kLectoresClave))
            if (!(this->*lector)(v, c).isEmpty()) return false;
    } catch (const ErrorBD&) {
        throw;
    } catch (const std::exception&) {
        return false; // the line's own validation tells why
    }
    return true;
}

QString RecepcionInterface::validar(ValoresLinea& v, ComprobanteValidado& c, bool leido)
{
    if (!leido) {
        c = ComprobanteValidado();
        c.Subdiario = texto::recortar(def_->cabecera.Subdiario);
    }
    c.LivaTipo = def_->cabecera.LivaTipo;
    for (Lector lector : lectores().subspan(leido ? kLectoresClave : 0)) {
        const QString mensaje = (this->*lector)(v, c);
        if (!mensaje.isEmpty()) return mensaje;
        if (c.retiro) return QString(); // only the planned deletion is left to do
    }
    c.numeroAsientoReutilizar = numeroAReutilizar(c);
    return QString();
}

QString RecepcionInterface::leeTipo(ValoresLinea& v, ComprobanteValidado& c)
{
    const int pos = posicionObligatoria(def_->cabecera.TcBasicos);
    v.fijar(pos, BuscaEquivalenciaTc(texto::recortar(v.valor(pos))));
    c.Tc = texto::recortar(v.valor(pos));
    const DatosTipo& tc = tipo(c.Tc);
    if (!tc.existe)
        return QStringLiteral("El tipo de comprobante (") + c.Tc + QStringLiteral(") no existe, o las equivalencias no son correctas ");
    if (!subdiarioRegistra(c.Tc))
        return QStringLiteral("El tipo de comprobante (") + c.Tc + QStringLiteral(") no es valido para el tipo de Subdiario : ") + c.Subdiario;
    c.comprobanteEntrada = tc.entrada;
    return QString();
}

QString RecepcionInterface::leeCuentaPrincipal(ValoresLinea& v, ComprobanteValidado& c)
{
    const int pos = posicionObligatoria(def_->cabecera.CuentaPrincipalBasicos);
    v.fijar(pos, BuscaEquivalenciaCta(texto::recortar(v.valor(pos))));
    c.CuentaPrincipal = texto::recortar(v.valor(pos));
    const DatosCuenta& cta = cuenta(c.CuentaPrincipal);
    if (!cta.existe)
        return QStringLiteral("La cuenta principal (") + c.CuentaPrincipal + QStringLiteral(") no existe, o las equivalencias no son correctas ");
    if (!cta.valida)
        return QStringLiteral("La Cuenta (") + c.CuentaPrincipal + QStringLiteral(") no es valido para el tipo de Subdiario : ") + c.Subdiario;
    c.Cuit = cta.cuit;
    c.CondicionIva = cta.iva;
    c.NombreCuenta = cta.nombre;
    if (texto::recortar(c.Cuit).isEmpty()) return QStringLiteral("Falta (CUIT) de la Cuenta (") + c.CuentaPrincipal + u')';
    if (texto::recortar(c.CondicionIva).isEmpty())
        return QStringLiteral("Falta (Condicion de IVA) de la Cuenta (") + c.CuentaPrincipal + u')';
    return QString();
}

QString RecepcionInterface::leeTotal(ValoresLinea& v, ComprobanteValidado& c)
{
    c.TotalTexto = texto::recortar(def_->ValorCampo(v, def_->cabecera.ImporteTotalBasicos));
    const auto total = lectura::importe(c.TotalTexto);
    if (total.estado == lectura::Estado::FueraDeRango) return QStringLiteral("El Campo Importe Total") + Moneda::superaMaximo();
    if (!total.valido()) return QStringLiteral("El Campo Importe Total debe ser numérico ");
    c.Total = total.valor;
    if (c.Total.esNegativo()) return QStringLiteral("El Campo Importe Total debe ser mayor a cero");
    return QString();
}

QString RecepcionInterface::leeSucursalNumeroLetra(ValoresLinea& v, ComprobanteValidado& c)
{
    const CabeceraInterfaz& cab = def_->cabecera;
    QString sucursal, numero, letra;
    if (!texto::recortar(cab.SucNumLetBasicos).isEmpty()) {
        const QString valor = texto::recortar(Utilidades::QuitaCaracteres(texto::recortar(def_->ValorCampo(v, cab.SucNumLetBasicos)),
                                                                          QStringLiteral("-"), QStringLiteral("/"), QString(QChar(0))));
        const QString formato = texto::recortar(Utilidades::QuitaCaracteres(cab.FormatoSucNumLet, QStringLiteral("-"))).toUpper();
        struct Corte { const char* formato; int suc, num, let; };
        static constexpr Corte kCortes[] = {
            {"SSSSNNNNNNNNL", 1, 5, 13}, {"SSSSLNNNNNNNN", 1, 6, 5}, {"NNNNNNNNSSSSL", 9, 1, 13},
            {"NNNNNNNNLSSSS", 10, 1, 9}, {"LSSSSNNNNNNNN", 2, 6, 1}, {"LNNNNNNNNSSSS", 10, 2, 1},
        };
        if (valor.size() == 13) {
            for (const Corte& k : kCortes) {
                if (formato == QLatin1String(k.formato)) {
                    sucursal = valor.mid(k.suc - 1, 4);
                    numero = valor.mid(k.num - 1, 8);
                    letra = valor.mid(k.let - 1, 1);
                    break;
                }
            }
        }
    } else {
        sucursal = texto::recortar(def_->ValorCampo(v, cab.SucBasicos));
        numero = texto::recortar(def_->ValorCampo(v, cab.NumBasicos));
        letra = texto::recortar(def_->ValorCampo(v, cab.LetBasicos));
    }
    letra = texto::recortar(letra);
    if (letra.size() != 1 || !QStringLiteral("ABCXE").contains(letra, Qt::CaseInsensitive))
        return QStringLiteral("La letra informada(") + letra + QStringLiteral(")debe ser A,B,C,E, o X ");
    if (!tipo(c.Tc).letras.contains(letra, Qt::CaseInsensitive))
        return QStringLiteral("La letra informada(") + letra + QStringLiteral(") no ha sido habilitada para el comprobante ")
               + c.Tc + QStringLiteral(" en config");
    if (!NumeroCompleto(numero, 8, c.Numero)) return QStringLiteral("El numero de Comprobante debe ser numérico!!!");
    if (!NumeroCompleto(sucursal, 4, c.Sucursal)) return QStringLiteral("La sucursal debe ser numérica!!!");
    c.Letra = letra;
    return QString();
}

// The replacement plan reads the voucher's rows (matched as the entry rules
// service matches them: by value, and by supplier for a received document), so
// one query answers whether it exists and how it would be replaced. A failed
// query throws instead of reading as "not received yet" and posting the voucher
// a second time.
QString RecepcionInterface::leeRecepcionAnterior(ValoresLinea&, ComprobanteValidado& c)
{
    const QString proveedor = c.comprobanteEntrada ? c.CuentaPrincipal : QString();
    bool bloqueado = false;
    const auto plan = ReemplazaComprobante(c.Tc, c.Sucursal, c.Numero, c.Letra, proveedor, bloqueado);
    if (plan) {
        if (bloqueado || plan->importeAnterior == c.Total) {
            const QString comprobante = c.Sucursal + u'-' + c.Numero + u'-' + c.Letra;
            if (c.comprobanteEntrada)
                return QStringLiteral("El comprobante ") + comprobante + QStringLiteral(" con el proveedor (") + c.CuentaPrincipal
                       + QStringLiteral(") ya existe!!! ");
            return QStringLiteral("El comprobante ") + comprobante + QStringLiteral(" ya existe!!! ");
        }
        c.reemplazo = *plan;
        if (c.Total.esCero()) c.retiro = true;
    } else if (c.Total.esCero()) {
        return QStringLiteral("El importe debe ser mayor a cero");
    }
    return QString();
}

QString RecepcionInterface::leeFechaEmision(ValoresLinea& v, ComprobanteValidado& c)
{
    const int pos = posicionObligatoria(def_->cabecera.FechaBasicos);
    const FechaLeida f = LeeFecha(v.valor(pos), def_->campos[size_t(pos - 1)].Formato);
    if (f.estado == FechaLeida::Estado::LargoIncorrecto) return QStringLiteral("La Fecha Ingresada es incorrecta");
    if (!f.valida()) return QStringLiteral("El campo fecha no contiene datos validos");
    if (!esFechaOperativa(f.fecha)) return QStringLiteral("El campo fecha no contiene una fecha operativa");
    c.FechaEmisionTexto = f.texto;
    c.FechaEmision = f.fecha;
    c.MesOperativo = f.fecha.month();
    return QString();
}

QString RecepcionInterface::leeVencimiento(ValoresLinea& v, ComprobanteValidado& c)
{
    const QString& nombre = def_->cabecera.VencimientoBasicos;
    if (texto::recortar(nombre).isEmpty()) return QString();
    const int pos = posicionObligatoria(nombre);
    const FechaLeida f = LeeFecha(v.valor(pos), def_->campos[size_t(pos - 1)].Formato);
    if (f.estado == FechaLeida::Estado::LargoIncorrecto) return QStringLiteral("La Fecha Ingresada es incorrecta");
    if (!f.valida()) return QStringLiteral("El campo ") + nombre + QStringLiteral(" no contiene datos validos");
    if (!esFechaOperativa(f.fecha)) return QStringLiteral("El campo ") + nombre + QStringLiteral(" no contiene una fecha operativa");
    if (f.fecha < c.FechaEmision) return QStringLiteral("La Fecha de vencimiento no puede ser mayor a la de emision del Subdiario");
    c.VencimientoTexto = f.texto;
    c.Vencimiento = f.fecha;
    return QString();
}

// A VAT-book amount the definition does not name, or names without a field, is zero.
QString RecepcionInterface::leeImportesIva(ValoresLinea& v, ComprobanteValidado& c)
{
    const CabeceraInterfaz& cab = def_->cabecera;
    if (texto::recortar(cab.LivaTipo).isEmpty()) return QString();
    // A text that is not a number reads as zero; an amount beyond the maximum
    // is refused, never read as zero.
    QString excede;
    auto importe = [&](const QString& nombre) {
        const int pos = texto::recortar(nombre).isEmpty() ? 0 : def_->PosicionCampo(nombre);
        if (!pos) return Moneda();
        const QString t = texto::recortar(v.valor(pos));
        const auto leido = lectura::importe(t);
        if (excede.isEmpty() && leido.estado == lectura::Estado::FueraDeRango)
            excede = QStringLiteral("El importe (") + t + QStringLiteral(") del campo ") + texto::recortar(nombre) + Moneda::superaMaximo();
        return leido.o(Moneda());
    };
    ImportesLibroIva& i = c.iva;
    i.Cfri = importe(cab.LivaCfri);
    i.Dfri = importe(cab.LivaDfri);
    i.Dfrni = importe(cab.LivaDfrni);
    i.RetGanancias = importe(cab.LivaRetGanancias);
    i.ImpIvaRec = importe(cab.LivaImpIvaRec);
    i.RetIbtos = importe(cab.LivaRetIbtos);
    i.RetPerc = importe(cab.LivaRetPerc);
    i.Rm = importe(cab.LivaRm);
    i.Neto = importe(cab.LivaNeto);
    i.NetoN = importe(cab.LivaNetoN);
    i.Exento = importe(cab.LivaExento);
    return excede;
}

// Entry lines by the definition's rules (the balance is checked by the posting).
QString RecepcionInterface::leeLineas(ValoresLinea& v, ComprobanteValidado& c)
{
    QString sinLineas, importe;
    c.Lineas = AsignaCuentas(v, sinLineas, importe);
    return importe;
}

// The replaced voucher's entry number, when the new one belongs to the same entry numbering.
qint32 RecepcionInterface::numeroAReutilizar(const ComprobanteValidado& c)
{
    const ReemplazoPlaneado& p = c.reemplazo;
    if (p.planeado && p.numeroAsiento > 0 && p.mesOperativo == c.MesOperativo && p.Periodo == periodoActivo()
        && p.familia == Lbc_Asiento::FamiliaNumeracion(c.Subdiario))
        return p.numeroAsiento;
    return 0;
}

} // namespace vexa::recepcion
