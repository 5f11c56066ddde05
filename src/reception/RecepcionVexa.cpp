#include "RecepcionVexa.h"

#include "Configuracion.h"
#include "Lbc_Asiento.h"
#include "Lectores.h"
#include "ReglasAsientos.h"
#include "Utilidades.h"

#include <algorithm>

namespace vexa::recepcion {

namespace {

const QString kNul = QString(QChar(0));
const QString kFF = QString(QChar(0xFF));

// The text without its NUL and U+00FF characters (the commercial system's
// padding), then without blanks at either end. Most fields hold neither and
// have been trimmed when cut: those are handed back as they are.
QString limpio(const QString& s)
{
    const auto relleno = [](QChar c) { return c.unicode() == 0 || c.unicode() == 0xFF; };
    if (std::none_of(s.cbegin(), s.cend(), relleno)) return texto::recortar(s);
    return texto::recortar(Utilidades::QuitaCaracteres(s, kNul, kFF));
}

Moneda conSigno(const Moneda& m, qint16 signo) { return signo < 0 ? -m : signo == 0 ? Moneda() : m; }

// The VAT concepts of TA_CUENTASIVA, in the table's order.
const QStringList& conceptos()
{
    static const QStringList c{QStringLiteral("CFI_IVARI"),   QStringLiteral("DFI_IVARI"),   QStringLiteral("DFI_IVARNI"),
                               QStringLiteral("DFI_IVARM"),   QStringLiteral("DFI_IVACF"),   QStringLiteral("CFI_RETPERC"),
                               QStringLiteral("DFI_RETPERC"), QStringLiteral("CFI_RETIGAN"), QStringLiteral("CFI_RETIBTOS"),
                               QStringLiteral("DFI_RETIBTOS"), QStringLiteral("DFI_IVAREC")};
    return c;
}

// The VAT-book amount a concept collects in.
Moneda* columnaDe(LibroIvaNuevo& l, const QString& concepto)
{
    const QString c = concepto.toUpper();
    if (c == u"CFI_IVARI" || c == u"DFI_IVARI" || c == u"DFI_IVARNI" || c == u"DFI_IVARM" || c == u"DFI_IVACF")
        return &*l.impIva;
    if (c == u"CFI_RETPERC" || c == u"DFI_RETPERC") return &l.retPercepciones;
    if (c == u"CFI_RETIGAN") return &l.retGanancias;
    if (c == u"CFI_RETIBTOS" || c == u"DFI_RETIBTOS") return &l.retIbtos;
    if (c == u"DFI_IVAREC") return &l.impIvaRec;
    return nullptr;
}

// A due date YYYYMMDD; invalid for anything else.
QDate fechaVencimiento(const QString& t)
{
    if (t.size() != 8 || !texto::soloDigitos(t)) return QDate();
    const QStringView v(t);
    return QDate(texto::valorCifras(v.first(4)), texto::valorCifras(v.sliced(4, 2)), texto::valorCifras(v.sliced(6, 2)));
}

} // namespace

RecepcionVexa::RecepcionVexa(Conexion& con, const QString& periodo)
    : con_(con), cfg_(std::make_unique<Configuracion>(&con)), periodo_(texto::recortar(periodo)), registro_(con, cfg_.get())
{
    if (periodo_.isEmpty()) periodo_ = texto::recortar(cfg_->ObtieneValor(QStringLiteral("PERIODO")));
}

RecepcionVexa::~RecepcionVexa() = default;

const RecepcionVexa::DatosTipo& RecepcionVexa::tipo(const QString& tc)
{
    const QString k = tc.toUpper();
    auto it = tipos_.constFind(k);
    if (it != tipos_.constEnd()) return *it;
    DatosTipo d;
    if (auto f = con_.PrimeraFila(QStringLiteral("SELECT LETRAS FROM TA_COMPROBANTES WHERE CODIGO = ?"), {tc})) {
        d.existe = true;
        d.letras = texto::recortar(f->texto(QStringLiteral("LETRAS")));
    }
    ReglasAsientos reglas(con_, periodo_);
    d.entrada = reglas.ComprobanteEntrada(tc);
    d.signo = reglas.SignoComprobante(tc);
    return *tipos_.insert(k, d);
}

const RecepcionVexa::DatosCuenta& RecepcionVexa::cuenta(const QString& codigo)
{
    const QString k = codigo.toUpper();
    auto it = cuentas_.constFind(k);
    if (it != cuentas_.constEnd()) return *it;
    DatosCuenta d;
    d.existe = cfg_->ExisteCuenta(codigo);
    if (auto f = con_.PrimeraFila(QStringLiteral("SELECT LIBRO_IVA_COMPRAS, LIBRO_IVA_VENTAS FROM MA_CUENTAS WHERE CODIGO = ?"),
                                  {codigo})) {
        d.libroCompras = f->logico(QStringLiteral("LIBRO_IVA_COMPRAS"));
        d.libroVentas = f->logico(QStringLiteral("LIBRO_IVA_VENTAS"));
    } else {
        // No row: nothing to say about its books.
        d.libroCompras = true;
    }
    return *cuentas_.insert(k, d);
}

bool RecepcionVexa::validaCuenta(const QString& subdiario, const QString& codigo)
{
    const std::pair k{subdiario.toUpper(), codigo.toUpper()};
    auto it = validas_.constFind(k);
    if (it != validas_.constEnd()) return *it;
    QString mensaje = QStringLiteral(" ");
    return *validas_.insert(k, cfg_->ValidaCuenta(subdiario, codigo, mensaje));
}

bool RecepcionVexa::subdiarioTc(const QString& subdiario, const QString& tc)
{
    const std::pair k{subdiario.toUpper(), tc.toUpper()};
    auto it = subdiarios_.constFind(k);
    if (it != subdiarios_.constEnd()) return *it;
    return *subdiarios_.insert(k, ReglasAsientos(con_, periodo_).ValidaSubdiarioTC(subdiario, tc));
}

bool RecepcionVexa::fechaOperativa(const QDate& d)
{
    auto it = fechas_.constFind(d);
    if (it != fechas_.constEnd()) return *it;
    return *fechas_.insert(d, cfg_->EsFechaOperativa(d));
}

Moneda RecepcionVexa::tasa(const QString& clave)
{
    auto it = tasas_.constFind(clave);
    if (it != tasas_.constEnd()) return *it;
    return *tasas_.insert(clave, Utilidades::TextoAMoneda(texto::recortar(cfg_->ObtieneValor(clave))));
}

void RecepcionVexa::cargarCuentasIva()
{
    if (ivaLeido_) return;
    cuentasIva_.clear();
    auto f = con_.PrimeraFila(QStringLiteral("SELECT ") + conceptos().join(QStringLiteral(", "))
                              + QStringLiteral(" FROM TA_CUENTASIVA ORDER BY ID LIMIT 1"));
    if (f)
        for (const QString& c : conceptos()) {
            const QString cuenta = texto::recortar(f->texto(c));
            if (!cuenta.isEmpty()) cuentasIva_.emplace_back(c, cuenta);
        }
    ivaLeido_ = true;
}

QString RecepcionVexa::ConceptoIva(const QString& cuenta)
{
    cargarCuentasIva();
    const QString c = texto::recortar(cuenta);
    for (const auto& [concepto, valor] : cuentasIva_)
        if (texto::igual(valor, c)) return concepto;
    return QString();
}

bool RecepcionVexa::VerificaBalanceo(std::vector<LineaRecepcionVexa>& lineas)
{
    auto sumas = [&lineas](Moneda& d, Moneda& h) {
        d = h = Moneda();
        for (const LineaRecepcionVexa& l : lineas) {
            if (Utilidades::EsVacio(l.Cuenta)) continue;
            const Moneda m = Utilidades::TextoAMoneda(texto::recortar(l.Importe));
            if (texto::igual(texto::recortar(l.DebeHaber), QStringLiteral("D"))) d += m;
            else h += m;
        }
    };
    Moneda d, h;
    sumas(d, h);
    if (d == h) return true;
    const Moneda diferencia = d - h;
    if (diferencia.abs() >= Moneda::desdeUnidades(Moneda::kEscala / 2)) return false;
    for (LineaRecepcionVexa& l : lineas) {
        if (Utilidades::EsVacio(l.Cuenta)) continue;
        // The first line with an account takes the difference on its own side.
        const bool alDebe = texto::igual(texto::recortar(l.DebeHaber), QStringLiteral("D"));
        const Moneda m = Utilidades::TextoAMoneda(texto::recortar(l.Importe));
        const Moneda corregido = alDebe ? m - diferencia : m + diferencia;
        if (corregido.esNegativo()) return false;
        l.Importe = MonedaSimple(corregido);
        break;
    }
    sumas(d, h);
    return d == h;
}

QString RecepcionVexa::Valida(const ComprobanteVexa& c, qint32 idRecepcion, Plan& plan)
{
    plan = Plan();
    if (!c.problema.isEmpty()) return c.problema;
    if (c.lineas.empty()) return QStringLiteral("El asiento no contiene lineas con importe");
    std::vector<LineaRecepcionVexa> lineas = c.lineas;
    Leido v;
    QString mensaje = validaCuentas(lineas, v);
    if (mensaje.isEmpty()) mensaje = validaTotalYNumero(lineas.front(), v);
    if (mensaje.isEmpty()) mensaje = validaAnterior(v, plan);
    if (mensaje.isEmpty()) mensaje = validaFechasEImportes(lineas, v);
    if (mensaje.isEmpty()) mensaje = armaAsiento(lineas, v, idRecepcion, plan);
    return mensaje;
}

// Steps 1 to 6: the sub-journal, the voucher type, the main account, the lines'
// accounts and the main account's VAT book.
QString RecepcionVexa::validaCuentas(const std::vector<LineaRecepcionVexa>& lineas, Leido& v)
{
    const LineaRecepcionVexa& p = lineas.front();
    // 1. Sub-journal and voucher type.
    v.subdiario = texto::recortar(p.Subdiario);
    v.conSubdiario = !v.subdiario.isEmpty();
    v.tc = texto::recortar(p.TC);
    const QString& subdiario = v.subdiario;
    const QString& tc = v.tc;
    const bool conSubdiario = v.conSubdiario;
    auto noValida = [&subdiario](const QString& inicio) {
        return inicio + QStringLiteral(") no es valido para el tipo de Subdiario : ") + subdiario;
    };
    // 2.
    if (conSubdiario) {
        if (!tipo(tc).existe) return QStringLiteral("El tipo de comprobante (") + tc + QStringLiteral(") no existe");
        if (!subdiarioTc(subdiario, tc)) return noValida(QStringLiteral("El tipo de comprobante (") + tc);
    }
    // 3. Main account.
    v.principal = texto::recortar(Utilidades::QuitaCaracteres(p.CabCuenta, kNul));
    const QString& principal = v.principal;
    if (!principal.isEmpty()) {
        if (!cuenta(principal).existe) return QStringLiteral("La cuenta principal (") + principal + QStringLiteral(") no existe");
    } else if (conSubdiario) {
        return QStringLiteral("No ha informado la cuenta principal");
    }
    // 4.
    if (conSubdiario && !validaCuenta(subdiario, principal)) return noValida(QStringLiteral("La Cuenta (") + principal);
    // 5. The lines' accounts.
    for (const LineaRecepcionVexa& l : lineas) {
        if (Utilidades::EsVacio(l.Cuenta)) continue;
        const QString cta = texto::recortar(l.Cuenta);
        if (!cuenta(cta).existe) return QStringLiteral("La Cuenta (") + cta + QStringLiteral(") no existe");
        if (conSubdiario && !validaCuenta(subdiario, cta)) return noValida(QStringLiteral("La Cuenta (") + cta);
    }
    // 6. The main account's VAT book.
    v.libro = limpio(p.LibroIva);
    if (conSubdiario && !v.libro.isEmpty()) {
        const DatosCuenta& d = cuenta(principal);
        if (!d.libroCompras && !d.libroVentas) return QStringLiteral("La cuenta principal no afecta ningún libro de IVA");
    }
    return QString();
}

// Steps 7 and 8: the total and the voucher number (branch, number, letter).
QString RecepcionVexa::validaTotalYNumero(const LineaRecepcionVexa& p, Leido& v)
{
    // 7. Total.
    QString totalTexto = texto::recortar(p.CabImporte);
    if (Utilidades::EsVacio(totalTexto)) totalTexto = QStringLiteral("0");
    const auto total = lectura::importe(totalTexto);
    if (total.estado == lectura::Estado::FueraDeRango) return QStringLiteral("El Campo Importe Total") + Moneda::superaMaximo();
    if (!total.valido()) return QStringLiteral("El Campo Importe Total debe ser numérico ");
    v.total = total.valor;
    if (v.total.esNegativo()) return QStringLiteral("El Campo Importe Total debe ser mayor a cero");
    // 8. Voucher number: branch, number, letter.
    const QString sucursalTexto = p.NroComprobante.mid(0, 4), numeroTexto = p.NroComprobante.mid(4, 8);
    v.letra = texto::recortar(p.NroComprobante.mid(12, 1));
    if (!v.letra.isEmpty() && !QStringLiteral("ABCRXE").contains(v.letra, Qt::CaseInsensitive))
        return QStringLiteral("La letra informada(") + v.letra + QStringLiteral(")debe ser A,B,C,E, o X ");
    if (!tipo(v.tc).letras.contains(v.letra, Qt::CaseInsensitive))
        return QStringLiteral("La letra informada(") + v.letra + QStringLiteral(") no ha sido habilitada para el comprobante ")
               + v.tc + QStringLiteral(" en config");
    if (!NumeroCompleto(numeroTexto, 8, v.numero)) return QStringLiteral("El numero de Comprobante debe ser numérico!!!");
    if (!NumeroCompleto(sucursalTexto, 4, v.sucursal)) return QStringLiteral("La sucursal debe ser numérica!!!");
    return QString();
}

// Step 9: a voucher received before.
QString RecepcionVexa::validaAnterior(Leido& v, Plan& plan)
{
    v.entrada = tipo(v.tc).entrada;
    bool bloqueado = false;
    plan.reemplazo = BuscaComprobanteRecibido(con_, periodo_, v.tc, v.sucursal, v.numero, v.letra,
                                              v.entrada ? v.principal : QString(), bloqueado, diferido_);
    if (plan.reemplazo) {
        if (bloqueado || plan.reemplazo->importeAnterior == v.total) {
            const QString comprobante = QStringLiteral("El comprobante ") + v.sucursal + u'-' + v.numero + u'-' + v.letra;
            if (v.entrada) return comprobante + QStringLiteral(" con el proveedor (") + v.principal + QStringLiteral(") ya existe!!! ");
            return comprobante + QStringLiteral(" ya existe!!! ");
        }
        plan.retiro = v.total.esCero();
    } else if (v.total.esCero()) {
        return QStringLiteral("El importe debe ser mayor a cero");
    }
    return QString();
}

// Steps 10 and 11: the date and due dates, the lines' amounts and the balance.
QString RecepcionVexa::validaFechasEImportes(std::vector<LineaRecepcionVexa>& lineas, Leido& v)
{
    // 10. Date and due dates.
    const LineaRecepcionVexa& p = lineas.front();
    if (Utilidades::EsVacio(p.Fecha)) return QStringLiteral("NO HA INFORMADO LA FECHA DEL ASIENTO");
    v.fecha = ConvierteFecha(p.Fecha);
    if (!v.fecha.isValid() || !fechaOperativa(v.fecha)) return QStringLiteral("El campo fecha no contiene una fecha operativa");
    for (const LineaRecepcionVexa& l : lineas)
        if (!texto::recortar(l.FechaVto).isEmpty() && !fechaVencimiento(l.FechaVto).isValid())
            return QStringLiteral("La fecha de vencimiento no contiene una fecha valida");
    // The amounts of the lines that name an account.
    for (const LineaRecepcionVexa& l : lineas) {
        if (Utilidades::EsVacio(l.Cuenta)) continue;
        const QString importe = texto::recortar(l.Importe);
        if (importe.isEmpty()) continue;
        const auto m = lectura::importe(importe);
        const auto nombre = [&] {
            return QStringLiteral("El importe (") + importe + QStringLiteral(") de la cuenta (") + texto::recortar(l.Cuenta) + u')';
        };
        if (m.estado == lectura::Estado::FueraDeRango) return nombre() + Moneda::superaMaximo();
        if (!m.valido()) return nombre() + QStringLiteral(" no es numérico");
        if (m.valor.esNegativo()) return nombre() + QStringLiteral(" no puede ser negativo");
    }
    // 11. Balance.
    if (!VerificaBalanceo(lineas)) return QStringLiteral("El asiento  no Balancea!!!");
    return QString();
}

// The entry of a voucher that passed the checks.
QString RecepcionVexa::armaAsiento(const std::vector<LineaRecepcionVexa>& lineas, const Leido& v, qint32 idRecepcion, Plan& plan)
{
    AsientoNuevo& a = plan.asiento;
    a.periodo = periodo_;
    a.mes = v.fecha.month();
    a.tipoReg = v.subdiario;
    a.fecha = v.fecha;
    a.tc = v.tc;
    a.sucursal = v.sucursal;
    a.numero = v.numero;
    a.letra = v.letra;
    a.cabImporte = v.total;
    a.cabCuenta = v.principal;
    a.moneda = QStringLiteral("1");
    a.idRecepcion = idRecepcion;
    const QString id = QString::number(idRecepcion);
    const QString sinDetalle = QStringLiteral("Recepcion de Informacion Nº ") + id;
    const QString prefijo = QStringLiteral("(Recep: ") + id + QStringLiteral(") ");
    for (const LineaRecepcionVexa& l : lineas) {
        if (Utilidades::EsVacio(l.Cuenta) || Utilidades::EsVacio(l.Importe)) continue;
        const Moneda m = Utilidades::TextoAMoneda(texto::recortar(l.Importe));
        if (m.esCero()) continue;
        LineaNueva n;
        n.cuenta = texto::recortar(l.Cuenta);
        n.alDebe = texto::igual(texto::recortar(l.DebeHaber), QStringLiteral("D"));
        n.importe = m;
        // NUL and 0xFF characters of the commercial system's padding are not stored.
        const QString detalle = limpio(l.Detalle);
        n.detalle = detalle.isEmpty() ? sinDetalle : prefijo + detalle;
        n.vencimiento = fechaVencimiento(l.FechaVto);
        n.cabeceraPropia = true;
        n.cabCuenta = limpio(l.CabCuenta);
        n.cabNombre = limpio(l.CabNombre);
        n.cabCuit = limpio(l.CabCUIT);
        n.cabCondIva = limpio(l.CabCondIVA);
        a.lineas.push_back(std::move(n));
    }
    if (a.lineas.empty() && !plan.retiro) return QStringLiteral("El asiento no contiene lineas con importe");
    // The replaced voucher's entry number, when the new one falls in the same numbering.
    if (plan.reemplazo && plan.reemplazo->numeroAsiento > 0 && plan.reemplazo->mesOperativo == a.mes
        && plan.reemplazo->Periodo == periodo_ && plan.reemplazo->familia == Lbc_Asiento::FamiliaNumeracion(v.subdiario))
        a.numeroReutilizar = plan.reemplazo->numeroAsiento;
    // The VAT book, on the first stored row, when the first line names one.
    if (!v.libro.isEmpty()) a.libroIva = libroIva(lineas, v);
    return QString();
}

LibroIvaNuevo RecepcionVexa::libroIva(const std::vector<LineaRecepcionVexa>& lineas, const Leido& v)
{
    cargarCuentasIva();
    const qint16 signo = tipo(v.tc).signo;
    LibroIvaNuevo iva;
    iva.impIva = Moneda();
    iva.exento = Moneda();
    iva.alicuotaIva = tasa(QStringLiteral("PIVA"));
    iva.alicuotaIvaRec = tasa(QStringLiteral("PIVAREC"));
    iva.total = conSigno(v.total, signo);
    for (const LineaRecepcionVexa& l : lineas) {
        const Moneda m = conSigno(Utilidades::TextoAMoneda(texto::recortar(l.Importe)), signo);
        const QString cta = limpio(l.Cuenta);
        if (!cta.isEmpty())
            if (Moneda* col = columnaDe(iva, ConceptoIva(cta))) *col += m;
        const QString neto = limpio(l.TipoNeto);
        if (neto == u"1") iva.netoGravado += m;
        else if (neto == u"2") iva.netoNoGravado += m;
    }
    iva.tipo = texto::igual(v.libro, QStringLiteral("C"))   ? QStringLiteral("Compras")
               : texto::igual(v.libro, QStringLiteral("V")) ? QStringLiteral("Ventas")
                                                             : QString();
    return iva;
}

RegistroLote::Respuesta RecepcionVexa::Contabiliza(const ComprobanteVexa& c, qint32 idRecepcion)
{
    RegistroLote::Respuesta r;
    Plan plan;
    r.mensaje = Valida(c, idRecepcion, plan);
    if (!r.mensaje.isEmpty()) return r;
    if (plan.reemplazo) {
        const int borradas = BajaAsientos(con_).borrarComprobante(plan.reemplazo->comprobante(), plan.reemplazo->Periodo);
        if (borradas != plan.reemplazo->filas) {
            // A message after a write: the batch undoes the voucher's delete.
            r.escribio = true;
            r.mensaje = QStringLiteral("El comprobante ") + plan.reemplazo->Sucursal + u'-' + plan.reemplazo->Numero + u'-'
                        + plan.reemplazo->Letra
                        + QStringLiteral(" fue modificado por otro proceso mientras se recibía; vuelva a recibirlo");
            return r;
        }
    }
    if (plan.retiro) {
        r.retirado = true;
        return r;
    }
    if (diferido_) registro_.guardar(std::move(plan.asiento));
    else registro_.registrar(plan.asiento);
    return r;
}

ComprobanteVexa* RegistroVexa::delGrupo(qint64 primeraLinea)
{
    const auto it = std::lower_bound(grupo_.begin(), grupo_.end(), primeraLinea,
                                     [](const ComprobanteVexa& c, qint64 n) { return c.primeraLinea < n; });
    return it != grupo_.end() && it->primeraLinea == primeraLinea ? &*it : nullptr;
}

RegistroLote::Respuesta RegistroVexa::registrar(const LineaLeida& unidad)
{
    if (const ComprobanteVexa* c = delGrupo(unidad.numero)) return recepcion_.Contabiliza(*c, id_);
    return recepcion_.Contabiliza(ComprobanteDeUnidad(unidad), id_);
}

ComprobanteVexa RegistroVexa::tomar(const LineaLeida& unidad)
{
    if (ComprobanteVexa* c = delGrupo(unidad.numero)) return std::move(*c);
    // Units reach the groups in the order the run read them; those passed
    // over (posted one by one after a failure) are not needed any more.
    while (!leidos_.empty() && leidos_.front().primeraLinea < unidad.numero) leidos_.pop_front();
    if (!leidos_.empty() && leidos_.front().primeraLinea == unidad.numero) {
        ComprobanteVexa c = std::move(leidos_.front());
        leidos_.pop_front();
        return c;
    }
    return ComprobanteDeUnidad(unidad);
}

void RegistroVexa::anticipar(const std::vector<LineaLeida>& unidades, size_t desde)
{
    std::vector<ComprobanteVexa> grupo;
    grupo.reserve(unidades.size() - desde);
    for (size_t i = desde; i < unidades.size(); ++i) grupo.push_back(tomar(unidades[i]));
    grupo_ = std::move(grupo);
    recepcion_.Anticipa(grupo_);
}

std::optional<ClaveComprobante> RecepcionVexa::Clave(const ComprobanteVexa& c)
{
    if (!c.problema.isEmpty() || c.lineas.empty()) return std::nullopt;
    const LineaRecepcionVexa& p = c.lineas.front();
    ClaveComprobante k;
    k.Tc = texto::recortar(p.TC);
    k.Letra = texto::recortar(p.NroComprobante.mid(12, 1));
    if (!NumeroCompleto(p.NroComprobante.mid(4, 8), 8, k.Numero) || !NumeroCompleto(p.NroComprobante.mid(0, 4), 4, k.Sucursal))
        return std::nullopt;
    if (tipo(k.Tc).entrada) k.Proveedor = texto::recortar(Utilidades::QuitaCaracteres(p.CabCuenta, kNul));
    return k;
}

void RecepcionVexa::Anticipa(const std::vector<ComprobanteVexa>& comprobantes)
{
    if (!con_.enTransaccion()) return;
    std::vector<ClaveComprobante> claves;
    claves.reserve(comprobantes.size());
    for (const ComprobanteVexa& c : comprobantes)
        if (std::optional<ClaveComprobante> k = Clave(c)) claves.push_back(std::move(*k));
    AnticipaComprobantesRecibidos(con_, claves);
}

LineaLeida UnidadDeComprobante(const ComprobanteVexa& c)
{
    LineaLeida u;
    u.numero = c.primeraLinea;
    u.posicion = c.posicion;
    u.largo = c.largo;
    u.texto = c.textos.join(u'\n');
    u.problema = c.problema;
    return u;
}

ComprobanteVexa ComprobanteDeUnidad(const LineaLeida& unidad)
{
    AgrupadorVexa g;
    for (const QString& l : unidad.texto.split(u'\n')) g.ProcesaLinea(l);
    ComprobanteVexa c = g.Fin().value_or(ComprobanteVexa());
    // Its lines are one voucher whatever their keys read now.
    c.primeraLinea = unidad.numero;
    c.posicion = unidad.posicion;
    c.largo = unidad.largo;
    c.problema = unidad.problema;
    return c;
}

} // namespace vexa::recepcion
