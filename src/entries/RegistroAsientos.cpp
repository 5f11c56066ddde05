#include "RegistroAsientos.h"

#include "BloqueosOrdenados.h"
#include "Configuracion.h"
#include "InsercionMasiva.h"
#include "Lbc_Asiento.h"
#include "Lectores.h"
#include "Utilidades.h"

#include <QHash>

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

namespace vexa {

namespace {

// Columns of every row, in the order of the insert.
const QStringList& columnas()
{
    static const QStringList c{
        QStringLiteral("CUENTA"), QStringLiteral("SECUENCIA"), QStringLiteral("MES_OPERATIVO"),
        QStringLiteral("[NUMERO ASIENTO]"), QStringLiteral("PERIODO"), QStringLiteral("TIPO_REG"),
        QStringLiteral("FECHA"), QStringLiteral("DETALLE"), QStringLiteral("TC"), QStringLiteral("SUCURSAL"),
        QStringLiteral("NUMERO"), QStringLiteral("LETRA"), QStringLiteral("[DEBE-HABER]"), QStringLiteral("IMPORTE"),
        QStringLiteral("CABIMPORTE"), QStringLiteral("CABCUENTA"), QStringLiteral("CABNOMBRE"), QStringLiteral("CABCUIT"),
        QStringLiteral("CABCONDIVA"), QStringLiteral("VENCIMIENTO"), QStringLiteral("NRO_TRANSMISION"), QStringLiteral("[MONEDA]"),
        // VAT book: first row only.
        QStringLiteral("LIVA_TIPO"), QStringLiteral("LIVA_IMPIVAREC"), QStringLiteral("LIVA_IMPIVA"),
        QStringLiteral("LIVA_EXENTO"), QStringLiteral("LIVA_IMPNETOGRAV"), QStringLiteral("LIVA_IMPNETONGRAV"),
        QStringLiteral("LIVA_RET_GANANCIAS"), QStringLiteral("LIVA_RET_IBTOS"), QStringLiteral("LIVA_RET_PERC"),
        QStringLiteral("LIVA_TOTAL"), QStringLiteral("LIVA_ALICIVA"), QStringLiteral("LIVA_ALICIVAREC")};
    return c;
}
constexpr int kColumnasLibroIva = 12;

QVariant monto(const Moneda& m) { return QVariant::fromValue(m); }
QVariant fechaONulo(const QDate& d) { return d.isValid() ? QVariant(d) : QVariant(); }

// The text without its leading and trailing blanks, not copied.
QStringView sinBlancos(QStringView s)
{
    qsizetype i = 0, n = s.size();
    while (i < n && s[i] == u' ') ++i;
    while (n > i && s[n - 1] == u' ') --n;
    return s.mid(i, n - i);
}

void montoONulo(InsercionMasiva& ins, const std::optional<Moneda>& m)
{
    if (m) ins.moneda(*m);
    else ins.nulo();
}

QString numeroSiguiente(const QString& numero)
{
    return QString::number(lectura::enteroInicial(texto::recortar(numero)).o(0) + 1);
}

} // namespace

QString MonedaSimple(const Moneda& m)
{
    QString s = m.texto(4);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0'))) s.chop(1);
        if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    }
    return s;
}

RegistroAsientos::RegistroAsientos(Conexion& con, Configuracion* cfg) : con_(con), cfg_(cfg) {}

qint32 RegistroAsientos::tomarNumero(const QString& periodo, int mes, const QString& tipoReg)
{
    return tomarNumeros(periodo, mes, tipoReg, 1);
}

qint32 RegistroAsientos::tomarNumeros(const QString& periodo, int mes, const QString& tipoReg, int cantidad)
{
    if (!con_.enTransaccion())
        throw ErrorVexa(3246, QStringLiteral("El número de asiento se toma dentro de la transacción que graba el asiento"));
    const QString clave = Lbc_Asiento::ClaveFamilia(periodo, mes, tipoReg);
    tomarBloqueo(con_, clave, NivelBloqueo::Numeracion); // may throw BloqueoOcupado (see BloqueosOrdenados.h)
    // While the family stays locked by this transaction nobody else numbers in it:
    // the number handed out last is the highest, and the next one follows it.
    EstadoTransaccion& estado = con_.estadoTransaccion();
    const std::optional<qint32> ultimo = estado.numeroTomado(clave);
    qint32 n = 0;
    if (ultimo) {
        n = *ultimo + 1;
    } else {
        const QVariant max = con_.Escalar(
            QStringLiteral("SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE PERIODO = ? AND MES_OPERATIVO = ? AND FAMILIA = ? "
                           "ORDER BY [NUMERO ASIENTO] DESC LIMIT 1"),
            {lectura::enteroInicial(periodo).o(0), mes, Lbc_Asiento::FamiliaNumeracion(tipoReg)});
        n = max.isNull() || max.toString().isEmpty() ? 1 : qint32(max.toLongLong() + 1);
    }
    // Kept past a rolled-back savepoint: a number handed out is never handed out again
    // in this transaction, written or not (a gap rather than a repeated number).
    estado.fijarNumeroTomado(clave, n + std::max(cantidad, 1) - 1);
    return n;
}

void RegistroAsientos::olvidarNumeros() { con_.estadoTransaccion().olvidarNumeros(); }

void RegistroAsientos::comprobarBalance(const AsientoNuevo& a)
{
    Moneda d, h;
    for (const LineaNueva& l : a.lineas) (l.alDebe ? d : h) += l.importe;
    if (d != h)
        throw ErrorVexa(0, QStringLiteral("El Subdiario no balancea Debe :") + MonedaSimple(d) + QStringLiteral(" Haber : ")
                               + MonedaSimple(h) + QStringLiteral(" Importe Total : ") + MonedaSimple(a.cabImporte));
}

int RegistroAsientos::agregarFilas(const AsientoNuevo& a, qint32 nro, InsercionMasiva& ins)
{
    const int periodoNumero = int(lectura::enteroInicial(a.periodo).o(0));
    int secuencia = 0;
    for (const LineaNueva& l : a.lineas) {
        if (l.importe <= Moneda()) continue;
        ++secuencia;
        ins.texto(sinBlancos(l.cuenta)).entero(secuencia).entero(a.mes).entero(nro).entero(periodoNumero).texto(a.tipoReg);
        ins.fecha(a.fecha).texto(l.detalle.isEmpty() ? a.detalle : l.detalle).texto(sinBlancos(a.tc));
        ins.texto(sinBlancos(a.sucursal)).texto(sinBlancos(a.numero)).texto(sinBlancos(a.letra));
        ins.texto(l.alDebe ? u"D" : u"H").moneda(l.importe).moneda(a.cabImporte);
        const bool propia = l.cabeceraPropia;
        ins.texto(sinBlancos(propia ? l.cabCuenta : a.cabCuenta)).texto(sinBlancos(propia ? l.cabNombre : a.cabNombre));
        ins.texto(sinBlancos(propia ? l.cabCuit : a.cabCuit)).texto(sinBlancos(propia ? l.cabCondIva : a.cabCondIva));
        ins.fecha(l.vencimiento.isValid() ? l.vencimiento : a.vencimiento);
        if (a.idRecepcion != 0) ins.entero(a.idRecepcion);
        else ins.nulo();
        if (a.moneda.isEmpty()) ins.nulo();
        else ins.texto(a.moneda);
        if (secuencia == 1 && a.libroIva) {
            const LibroIvaNuevo& iva = *a.libroIva;
            ins.texto(sinBlancos(iva.tipo)).moneda(iva.impIvaRec);
            montoONulo(ins, iva.impIva);
            montoONulo(ins, iva.exento);
            for (const Moneda* m : {&iva.netoGravado, &iva.netoNoGravado, &iva.retGanancias, &iva.retIbtos,
                                    &iva.retPercepciones, &iva.total, &iva.alicuotaIva, &iva.alicuotaIvaRec})
                ins.moneda(*m);
        } else {
            // The VAT-book columns: the entry's first row only.
            for (int i = 0; i < kColumnasLibroIva; ++i) ins.nulo();
        }
        ins.finFila();
    }
    return secuencia;
}

void RegistroAsientos::anotarNumeracion(const AsientoNuevo& a)
{
    if (!a.numeraComprobante) return;
    // The type's numbering row is written once, just before the commit
    // (aplicarNumeraciones): writing it now would lock that row, which every
    // station numbering the same type needs, for the rest of the transaction.
    const QString clave = QStringList{texto::recortar(a.tc), texto::recortar(a.sucursal), texto::recortar(a.letra).toUpper()}.join(u'|');
    const qint64 numero = lectura::enteroInicial(texto::recortar(a.numero)).o(0);
    EstadoTransaccion& estado = con_.estadoTransaccion();
    const std::optional<NumeracionPendiente> antes = estado.numeracionPendiente(clave);
    if (!antes || numero > antes->valor) {
        if (!antes) {
            QStringList claves = estado.clavesNumeracion();
            claves << clave;
            estado.fijarClavesNumeracion(claves);
        }
        estado.fijarNumeracionPendiente(clave, {a.tc, a.sucursal, a.numero, a.letra, numero});
    }
}

qint32 RegistroAsientos::registrar(const AsientoNuevo& a)
{
    comprobarBalance(a);
    const qint32 nro = a.numeroReutilizar != 0 ? a.numeroReutilizar : tomarNumero(a.periodo, a.mes, a.tipoReg);
    InsercionMasiva ins(con_, QStringLiteral("MV_ASIENTOS"), columnas());
    agregarFilas(a, nro, ins);
    ins.escribir();
    anotarNumeracion(a);
    return nro;
}

void RegistroAsientos::guardar(AsientoNuevo a)
{
    if (!con_.enTransaccion())
        throw ErrorVexa(3246, QStringLiteral("El número de asiento se toma dentro de la transacción que graba el asiento"));
    comprobarBalance(a);
    pendientes_.push_back(std::move(a));
}

void RegistroAsientos::insertar(const std::vector<const AsientoNuevo*>& asientos, const std::vector<qint32>& nros)
{
    if (asientos.empty()) return;
    InsercionMasiva ins(con_, QStringLiteral("MV_ASIENTOS"), columnas());
    for (size_t i = 0; i < asientos.size(); ++i) agregarFilas(*asientos[i], nros[i], ins);
    ins.escribir();
}

void RegistroAsientos::escribirPendientes()
{
    if (pendientes_.empty()) return;
    const std::vector<AsientoNuevo> asientos = std::exchange(pendientes_, {});
    // Entries that keep the number of the entry they replace go in first, so
    // that the highest number of their family counts them.
    std::vector<const AsientoNuevo*> conNumero, nuevos;
    std::vector<qint32> nrosConNumero;
    // The families the new entries number in, in order of first use; each
    // entry's family and its place (from 1) among the family's entries.
    std::vector<ClaveBloqueo> familias;
    std::vector<const AsientoNuevo*> primero;
    std::vector<int> cantidad, deFamilia;
    std::vector<qint32> lugar;
    QHash<QString, int> indice;
    for (const AsientoNuevo& a : asientos) {
        if (a.numeroReutilizar != 0) {
            conNumero.push_back(&a);
            nrosConNumero.push_back(a.numeroReutilizar);
            continue;
        }
        nuevos.push_back(&a);
        const QString clave = Lbc_Asiento::ClaveFamilia(a.periodo, a.mes, a.tipoReg);
        auto it = indice.constFind(clave);
        if (it == indice.cend()) {
            it = indice.insert(clave, int(familias.size()));
            familias.push_back({clave, NivelBloqueo::Numeracion});
            primero.push_back(&a);
            cantidad.push_back(0);
        }
        deFamilia.push_back(*it);
        lugar.push_back(++cantidad[size_t(*it)]);
    }
    insertar(conNumero, nrosConNumero);

    // Every family this transaction numbers in, locked in order (waiting), then numbered.
    tomarBloqueosEnOrden(con_, familias);
    std::vector<qint32> desde(familias.size());
    for (size_t f = 0; f < familias.size(); ++f)
        desde[f] = tomarNumeros(primero[f]->periodo, primero[f]->mes, primero[f]->tipoReg, cantidad[f]);
    std::vector<qint32> nros(nuevos.size());
    for (size_t i = 0; i < nuevos.size(); ++i) nros[i] = desde[size_t(deFamilia[i])] + lugar[i] - 1;
    insertar(nuevos, nros);
    for (const AsientoNuevo& a : asientos) anotarNumeracion(a);
}

void RegistroAsientos::aplicarNumeraciones()
{
    EstadoTransaccion& estado = con_.estadoTransaccion();
    QStringList claves = estado.clavesNumeracion();
    if (claves.isEmpty()) return;
    claves.sort(); // every station locks the types' rows in one order
    std::optional<Configuracion> propia;
    Configuracion& cfg = cfg_ ? *cfg_ : propia.emplace(&con_);
    for (const QString& clave : claves) {
        const std::optional<NumeracionPendiente> v = estado.numeracionPendiente(clave);
        if (!v) continue;
        cfg.ActualizaNumeracion(v->tc, QStringLiteral("CONTABLE"), v->sucursal, numeroSiguiente(v->numero), v->letra);
        estado.olvidarNumeracion(clave);
    }
    estado.fijarClavesNumeracion(QStringList());
}

// ---------------------------------------------------------------- inflation-adjustment entries

namespace {

const QStringList& columnasAjuste()
{
    static const QStringList c{
        QStringLiteral("CUENTA"), QStringLiteral("SECUENCIA"), QStringLiteral("MES_OPERATIVO"),
        QStringLiteral("[NUMERO ASIENTO]"), QStringLiteral("PERIODO"), QStringLiteral("TIPO_REG"),
        QStringLiteral("FECHA"), QStringLiteral("DETALLE"), QStringLiteral("TC"), QStringLiteral("SUCURSAL"),
        QStringLiteral("NUMERO"), QStringLiteral("LETRA"), QStringLiteral("[DEBE-HABER]"), QStringLiteral("IMPORTE"),
        QStringLiteral("CABIMPORTE"), QStringLiteral("VENCIMIENTO"), QStringLiteral("[MONEDA]"),
        QStringLiteral("ESRESUMEN"), QStringLiteral("ESAJUSTE"), QStringLiteral("AJUSTE_HASTA"),
        QStringLiteral("FECHAHORA_GRABACION")};
    return c;
}

// The insert of 'filas' adjustment rows (one text per row count, kept for the run).
const QString& sqlInsercionAjuste(int filas)
{
    static std::map<int, QString> textos;
    QString& sql = textos[filas];
    if (sql.isEmpty()) {
        const QString fila = QStringLiteral("(") + QStringLiteral("?, ").repeated(columnasAjuste().size() - 1) + QStringLiteral("?)");
        QStringList filasSql;
        for (int i = 0; i < filas; ++i) filasSql << fila;
        sql = QStringLiteral("INSERT INTO MV_ASIENTOS (") + columnasAjuste().join(QStringLiteral(", "))
              + QStringLiteral(") VALUES ") + filasSql.join(QStringLiteral(", "));
    }
    return sql;
}

// Rows written by one statement at most (a power of two: the remainder goes
// in halving pieces, so few statement texts are ever made).
constexpr int kFilasAjustePorSentencia = 64;

} // namespace

qint32 RegistroAsientos::registrarAjuste(const AsientoNuevo& a, const AjusteNuevo& ajuste)
{
    comprobarBalance(a);
    const qint32 nro = tomarNumero(a.periodo, a.mes, a.tipoReg);
    const QString detalle = a.detalle, tc = texto::recortar(a.tc), sucursal = texto::recortar(a.sucursal),
                  numero = texto::recortar(a.numero), letra = texto::recortar(a.letra);
    const QVariant moneda = a.moneda.isEmpty() ? QVariant() : QVariant(a.moneda);
    const int periodoNumero = int(lectura::enteroInicial(a.periodo).o(0));
    const int total = int(a.lineas.size());
    Params p;
    for (int desde = 0; desde < total;) {
        int k = kFilasAjustePorSentencia;
        while (k > total - desde) k /= 2;
        p.clear();
        p.reserve(qsizetype(k) * columnasAjuste().size());
        for (int i = desde; i < desde + k; ++i) {
            const LineaNueva& l = a.lineas[size_t(i)];
            p << texto::recortar(l.cuenta) << i + 1 << a.mes << nro << periodoNumero << a.tipoReg << a.fecha
              << (l.detalle.isEmpty() ? detalle : l.detalle) << tc << sucursal << numero << letra
              << (l.alDebe ? QStringLiteral("D") : QStringLiteral("H")) << monto(l.importe) << monto(a.cabImporte)
              << fechaONulo(l.vencimiento.isValid() ? l.vencimiento : a.vencimiento) << moneda << 0 << 1
              << ajuste.ajusteHasta << ajuste.grabacion;
        }
        con_.EjecutarSQL(sqlInsercionAjuste(k), p);
        desde += k;
    }
    anotarNumeracion(a);
    return nro;
}

} // namespace vexa
