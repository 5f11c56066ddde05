#include "AsientoAjuste.h"

#include "ContextoEmpresa.h"
#include "Entorno.h"
#include "IndicesAjuste.h"
#include "Lectores.h"
#include "Progreso.h"
#include "RegistroAsientos.h"
#include "ReglasAsientos.h"
#include "Utilidades.h"

#include <QDateTime>
#include <QHash>

#include <cfenv>
#include <cmath>
#include <optional>
#include <variant>

namespace vexa::ajuste {

// ---------------------------------------------------------------- months and lines

Totales SumarTotales(const std::vector<LineaAjuste>& lineas)
{
    Totales t;
    for (const LineaAjuste& l : lineas) {
        t.debe += l.debe;
        t.haber += l.haber;
    }
    return t;
}

void AgregarLinea(std::vector<LineaAjuste>& lineas, const QString& cuenta, const Moneda& importe, bool alDebe,
                  const QString& descripcion)
{
    const QString codigo = texto::recortar(cuenta);
    // From the end: the calculation adds each account's months one after another.
    auto it = std::find_if(lineas.rbegin(), lineas.rend(), [&](const LineaAjuste& l) {
        return !l.cuenta.isEmpty() && texto::igual(l.cuenta, codigo);
    });
    if (it == lineas.rend()) {
        LineaAjuste l;
        l.cuenta = codigo;
        l.descripcion = descripcion.left(50);
        (alDebe ? l.debe : l.haber) = importe;
        lineas.push_back(std::move(l));
        return;
    }
    LineaAjuste& l = *it;
    (alDebe ? l.debe : l.haber) += importe;
    // Netted: the larger side keeps the difference; equal amounts stay on both sides.
    if (l.debe <= Moneda() || l.haber <= Moneda()) return;
    if (l.debe > l.haber) {
        l.debe -= l.haber;
        l.haber = Moneda();
    } else if (l.haber > l.debe) {
        l.haber -= l.debe;
        l.debe = Moneda();
    }
}

Moneda Reexpresar(const Moneda& importe, double razon)
{
    // Whole ten-thousandths: the product rounded to the nearest, halves to even.
    const double unidades = double(importe.unidades()) * razon;
    const int modo = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(unidades);
    std::fesetround(modo);
    if (!std::isfinite(r) || !texto::enRangoEntero64(r)) Moneda::desbordamiento();
    return Moneda::desdeUnidades(int64_t(r));
}

QString MensajeSinIndice(const QString& cuenta, const MesAnio& mes)
{
    return QStringLiteral("No Existe el Indice para la Cuenta ") + cuenta + QStringLiteral(" Periodo: ")
           + QString::number(mes.mes) + u'/' + QString::number(mes.anio);
}

// ---------------------------------------------------------------- the fiscal year

namespace {

struct Ejercicio {
    QDate desde, hasta;
};

std::optional<Ejercicio> leerEjercicio(Conexion& con, qint64 periodo)
{
    auto f = con.PrimeraFila(QStringLiteral("SELECT [FECHA DESDE], [FECHA HASTA] FROM MV_EJERCICIOS WHERE PERIODO = ?"),
                             {periodo});
    if (!f) return std::nullopt;
    return Ejercicio{f->fecha(QStringLiteral("FECHA DESDE")), f->fecha(QStringLiteral("FECHA HASTA"))};
}

MesAnio mesDe(const QDate& d) { return MesAnio{d.month(), d.year()}; }

QDate primerDia(const MesAnio& m) { return QDate(m.anio, m.mes, 1); }
QDate ultimoDia(const MesAnio& m) { return primerDia(m).addMonths(1).addDays(-1); }

} // namespace

QString EstadoEjercicio(ContextoEmpresa& ctx)
{
    ReglasAsientos reglas(ctx.con(), ctx.periodoActivo());
    QString mensaje;
    if (!reglas.EstadoPeriodoActual(mensaje)) return mensaje;
    // The check above lets an active year without a row pass: the adjustment needs its dates.
    if (!leerEjercicio(ctx.con(), lectura::enteroInicial(reglas.periodoActivo()).o(0))) return kMensajeSinEjercicio;
    return {};
}

// ---------------------------------------------------------------- the calculation

namespace {

struct CuentaAjustable {
    QString codigo, descripcion;
    int serie = 0;
    bool conApertura = false;
    Moneda aperturaDebe, aperturaHaber;
    bool conFilas = false;               // some row in the months (of any kind)
    std::vector<Moneda> debe, haber;     // per month of the request
};

QString clave(const QString& codigo) { return texto::recortar(codigo).toUpper(); }

// The index values of the series, per month: (year * 12 + month - 1) -> values.
class Indices {
public:
    Indices(Conexion& con, int desde, int hasta)
    {
        Recordset rs = con.ObtenerRecordset(
            QStringLiteral("SELECT Anio, MES, Importe1, Importe2, Importe3, Importe4 FROM MA_INDAJUSTE "
                           "WHERE Anio >= ? AND Anio <= ?"),
            {desde, hasta});
        for (; !rs.eof(); rs.siguiente()) {
            const qint64 mes = rs.entero(QStringLiteral("MES"));
            if (mes < 1 || mes > 12) continue;
            Serie s{};
            for (int k = 0; k < kSeries; ++k) s[size_t(k)] = rs.fila().doble(QStringLiteral("Importe%1").arg(k + 1));
            valores_.insert(rs.entero(QStringLiteral("Anio")) * 12 + mes - 1, s);
        }
    }
    // The value of the series in the month; 0 when there is none (no row, no series 1..4).
    double valor(int serie, const MesAnio& m) const
    {
        if (serie < 1 || serie > kSeries) return 0;
        auto it = valores_.constFind(qint64(m.anio) * 12 + m.mes - 1);
        if (it == valores_.cend()) return 0;
        const double v = (*it)[size_t(serie - 1)];
        return v > 0 ? v : 0;
    }

private:
    QHash<qint64, Serie> valores_;
};

// The month's and the closing month's coefficients of the account's series,
// from the stored values against the closing month's; nullopt with the month
// that lacks its index (the closing month first).
struct Razon {
    double valor = 0;
    std::optional<MesAnio> falta;
};
Razon razon(const Indices& indices, int serie, const MesAnio& mes, const MesAnio& cierre, bool cierrePrimero)
{
    const double vCierre = indices.valor(serie, cierre), vMes = indices.valor(serie, mes);
    if (cierrePrimero && vCierre <= 0) return {0, cierre};
    if (vMes <= 0) return {0, mes};
    if (vCierre <= 0) return {0, cierre};
    return {Coeficiente(vCierre, vMes) / Coeficiente(vCierre, vCierre), std::nullopt};
}

void agregarDiferencia(std::vector<LineaAjuste>& lineas, const CuentaAjustable& c, const Moneda& saldo, double r)
{
    const Moneda diferencia = Reexpresar(saldo, r) - saldo;
    AgregarLinea(lineas, c.codigo, diferencia.abs(), !diferencia.esNegativo(), c.descripcion);
}

ResultadoAjuste terminar(ResultadoAjuste::Fin fin, const QString& mensaje = QString())
{
    ResultadoAjuste r;
    r.fin = fin;
    r.mensaje = mensaje;
    return r;
}

// The months the run restates and where their restatement starts and ends.
struct Tramo {
    qint64 periodo = 0;
    MesAnio desde;             // the first month restated
    MesAnio cierre;            // the year's closing month: every restatement goes there
    MesAnio origen;            // the month the opening balances are restated from
    bool reexpresaAperturas = false;
    std::vector<MesAnio> meses; // from desde to the request's last month
};

// The request against the year and its saved adjustments: the months to
// restate, or the refusal. The coefficients restate to the year's closing
// month, so an adjustment already brought the opening balances and its months
// there: the opening balances are restated by the year's first adjustment
// only, and a later one restates the months after the last saved adjustment.
std::variant<Tramo, ResultadoAjuste> leerTramo(ContextoEmpresa& ctx, const PedidoAjuste& pedido)
{
    using Fin = ResultadoAjuste::Fin;
    const QString estado = EstadoEjercicio(ctx);
    if (!estado.isEmpty()) return terminar(Fin::Rechazada, estado);
    if (!pedido.desde.valido() || !pedido.hasta.valido())
        return terminar(Fin::Rechazada, QStringLiteral("Los datos ingresados no representan un periodo válido"));
    if (pedido.desde > pedido.hasta) return terminar(Fin::Rechazada, kMensajeDesdeMayor);

    Conexion& con = ctx.con();
    ReglasAsientos reglas(con, ctx.periodoActivo());
    Tramo t;
    t.periodo = lectura::enteroInicial(reglas.periodoActivo()).o(0);
    t.desde = pedido.desde;
    const auto anterior = reglas.UltimoAjuste();
    t.reexpresaAperturas = !anterior;
    if (anterior) {
        if (const MesAnio ultimo = lectura::mesAnio(anterior->hasta).o(MesAnio{}); ultimo.valido() && ultimo >= t.desde) t.desde = ultimo.siguiente();
        if (t.desde > pedido.hasta) return terminar(Fin::Rechazada, kMensajeDesdeMayor);
    }
    const std::optional<Ejercicio> activo = leerEjercicio(con, t.periodo);
    if (!activo || !activo->desde.isValid() || !activo->hasta.isValid()) return terminar(Fin::Rechazada, kMensajeSinEjercicio);
    t.cierre = mesDe(activo->hasta);
    // The opening balance is restated from the previous year's closing month
    // (the year before in PERIODO order); in a first year, from the month
    // before the year's first day.
    t.origen = mesDe(activo->desde.addDays(-1));
    if (auto f = con.PrimeraFila(QStringLiteral("SELECT [FECHA HASTA] FROM MV_EJERCICIOS WHERE PERIODO < ? "
                                                "ORDER BY PERIODO DESC LIMIT 1"),
                                 {t.periodo});
        f && f->fecha(QStringLiteral("FECHA HASTA")).isValid())
        t.origen = mesDe(f->fecha(QStringLiteral("FECHA HASTA")));
    for (MesAnio m = t.desde; m <= pedido.hasta; m = m.siguiente()) t.meses.push_back(m);
    return t;
}

// The accounts to restate: adjustable, not fixed-asset accounts, nobody's
// accumulated depreciation; each with room for the months' sums.
struct Cuentas {
    std::vector<CuentaAjustable> lista;
    QHash<QString, size_t> porCodigo;
    CuentaAjustable* de(const QString& codigo)
    {
        auto it = porCodigo.constFind(clave(codigo));
        return it == porCodigo.cend() ? nullptr : &lista[*it];
    }
};
Cuentas leerCuentas(Conexion& con, size_t meses)
{
    Cuentas c;
    Recordset rs = con.ObtenerRecordset(QStringLiteral(
        "SELECT c.CODIGO, c.INDICE, c.DESCRIPCION FROM MA_CUENTAS c WHERE c.AJUSTE = 1 AND c.BIENES = 0 "
        "AND NOT EXISTS (SELECT 1 FROM MA_CUENTAS d WHERE d.CODIGO_DEPREC_ACUMULADA = c.CODIGO) ORDER BY c.CODIGO"));
    for (; !rs.eof(); rs.siguiente()) {
        CuentaAjustable a;
        a.codigo = texto::recortar(rs.texto(QStringLiteral("CODIGO")));
        a.descripcion = rs.texto(QStringLiteral("DESCRIPCION")).left(50);
        a.serie = int(rs.entero(QStringLiteral("INDICE")));
        a.debe.assign(meses, Moneda());
        a.haber.assign(meses, Moneda());
        c.porCodigo.insert(clave(a.codigo), c.lista.size());
        c.lista.push_back(std::move(a));
    }
    return c;
}

// Opening rows of the active year, netted per account.
void sumarAperturas(Conexion& con, qint64 periodo, Cuentas& cuentas)
{
    Recordset rs = con.ObtenerRecordset(
        QStringLiteral("SELECT CUENTA, [DEBE-HABER] AS LADO, SUM(IMPORTE) AS IMPORTE FROM MV_ASIENTOS "
                       "WHERE PERIODO = ? AND ES_SALDO_APERTURA = 1 GROUP BY CUENTA, [DEBE-HABER]"),
        {periodo});
    for (; !rs.eof(); rs.siguiente()) {
        CuentaAjustable* c = cuentas.de(rs.texto(QStringLiteral("CUENTA")));
        if (!c) continue;
        c->conApertura = true;
        const bool debe = texto::igual(texto::recortar(rs.texto(QStringLiteral("LADO"))), QStringLiteral("D"));
        (debe ? c->aperturaDebe : c->aperturaHaber) += rs.moneda(QStringLiteral("IMPORTE"));
    }
}

// Each month's debits and credits, summary, adjustment and opening rows apart
// (they only tell that the account has rows in the months).
void sumarMeses(Conexion& con, const std::vector<MesAnio>& meses, Cuentas& cuentas)
{
    const int n = int(meses.size());
    // The month's position in the request (a request of one month: 0; a CASE
    // needs at least one WHEN).
    QString porMes = n > 1 ? QStringLiteral("CASE") : QStringLiteral("0");
    Params p;
    for (int i = 1; i < n; ++i) {
        porMes += QStringLiteral(" WHEN FECHA < ? THEN %1").arg(i - 1);
        p << primerDia(meses[size_t(i)]);
    }
    if (n > 1) porMes += QStringLiteral(" ELSE %1 END").arg(n - 1);
    // The sums read the table in one pass on both backends; left to its
    // statistics SQLite may pick a skip-scan of the date index and visit the
    // table for every line instead.
    const QString desdeIndice = con.motor() == Motor::SQLite ? QStringLiteral(" NOT INDEXED") : QString();
    p << primerDia(meses.front()) << ultimoDia(meses.back());
    Recordset rs = con.ObtenerRecordset(
        QStringLiteral("SELECT CUENTA, ") + porMes + QStringLiteral(" AS MES, [DEBE-HABER] AS LADO, "
        "CASE WHEN ESRESUMEN = 0 AND ESAJUSTE = 0 AND ES_SALDO_APERTURA = 0 THEN 1 ELSE 0 END AS SUMA, "
        "SUM(IMPORTE) AS IMPORTE FROM MV_ASIENTOS") + desdeIndice + QStringLiteral(" WHERE FECHA >= ? AND FECHA <= ? "
        "AND CUENTA IN (SELECT c.CODIGO FROM MA_CUENTAS c WHERE c.AJUSTE = 1 AND c.BIENES = 0) GROUP BY 1, 2, 3, 4"),
        p);
    for (; !rs.eof(); rs.siguiente()) {
        CuentaAjustable* c = cuentas.de(rs.texto(QStringLiteral("CUENTA")));
        if (!c) continue;
        c->conFilas = true;
        if (rs.entero(QStringLiteral("SUMA")) != 1) continue;
        const qint64 mes = rs.entero(QStringLiteral("MES"));
        if (mes < 0 || mes >= n) continue;
        const QString lado = texto::recortar(rs.texto(QStringLiteral("LADO"))).toUpper();
        if (lado == QLatin1String("D")) c->debe[size_t(mes)] += rs.moneda(QStringLiteral("IMPORTE"));
        else if (lado == QLatin1String("H")) c->haber[size_t(mes)] += rs.moneda(QStringLiteral("IMPORTE"));
    }
}

ResultadoAjuste faltaIndice(const CuentaAjustable& c, const MesAnio& m)
{
    ResultadoAjuste r = terminar(ResultadoAjuste::Fin::FaltaIndice, MensajeSinIndice(c.codigo, m));
    r.cuentaSinIndice = c.codigo;
    r.mesSinIndice = m;
    return r;
}

// One account's differences: its opening balance, then each month's net
// movement. The stop when an index is missing.
std::optional<ResultadoAjuste> reexpresarCuenta(std::vector<LineaAjuste>& lineas, const CuentaAjustable& c,
                                                const Indices& indices, const Tramo& t)
{
    if (c.conApertura) {
        const Razon r = razon(indices, c.serie, t.origen, t.cierre, false);
        if (r.falta) return faltaIndice(c, *r.falta);
        agregarDiferencia(lineas, c, c.aperturaDebe - c.aperturaHaber, r.valor);
    }
    for (size_t i = 0; i < t.meses.size(); ++i) {
        const Razon r = razon(indices, c.serie, t.meses[i], t.cierre, true);
        if (r.falta) return faltaIndice(c, *r.falta);
        agregarDiferencia(lineas, c, c.debe[i] - c.haber[i], r.valor);
    }
    return std::nullopt;
}

// Every account under the progress ("Procesando <cuenta>"); a cancel the
// operator confirms, or a missing index, ends the run without lines.
std::optional<ResultadoAjuste> reexpresar(std::vector<LineaAjuste>& lineas, const Cuentas& cuentas, const Indices& indices,
                                          const Tramo& t, Progreso& progreso, const ConfirmaCancelar& confirmaCancelar)
{
    const qint64 total = qint64(cuentas.lista.size());
    qint64 hecho = 0;
    for (const CuentaAjustable& c : cuentas.lista) {
        ++hecho;
        if (!progreso.Actualizar(hecho, QStringLiteral("Procesando ") + c.codigo)) {
            progreso.MostrarVentana(false);
            if (!confirmaCancelar || confirmaCancelar()) return terminar(ResultadoAjuste::Fin::Cancelada);
            // Not confirmed: the run goes on under a new progress.
            progreso.Cerrar();
            progreso.Iniciar(kTituloProgreso, total);
            progreso.Actualizar(hecho, QStringLiteral("Procesando") + c.codigo);
        }
        if (!c.conApertura && !c.conFilas) continue;
        if (auto fin = reexpresarCuenta(lineas, c, indices, t)) return fin;
    }
    return std::nullopt;
}

// The result account balances the exact totals; the entry is complete unless
// its debit total is zero.
ResultadoAjuste balancear(Conexion& con, std::vector<LineaAjuste> lineas, Cuentas& cuentas, const QString& cuentaRei)
{
    Totales t = SumarTotales(lineas);
    const Moneda diferencia = t.debe - t.haber;
    if (!diferencia.esCero()) {
        const QString rei = texto::recortar(cuentaRei);
        QString descripcion;
        if (const CuentaAjustable* c = cuentas.de(rei)) descripcion = c->descripcion;
        else descripcion = con.Escalar(QStringLiteral("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = ?"), {rei}).toString().left(50);
        AgregarLinea(lineas, rei, diferencia.abs(), diferencia.esNegativo(), descripcion);
        t = SumarTotales(lineas);
    }
    if (t.debe.esCero()) return terminar(ResultadoAjuste::Fin::SinMovimientos, kMensajeSinMovimientos);
    ResultadoAjuste r = terminar(ResultadoAjuste::Fin::Completa);
    r.lineas = std::move(lineas);
    r.totales = t;
    return r;
}

ResultadoAjuste calcular(ContextoEmpresa& ctx, const PedidoAjuste& pedido, Progreso& progreso,
                         const ConfirmaCancelar& confirmaCancelar, bool& iniciado)
{
    auto tramo = leerTramo(ctx, pedido);
    if (auto* r = std::get_if<ResultadoAjuste>(&tramo)) return std::move(*r);
    const Tramo& t = std::get<Tramo>(tramo);
    Conexion& con = ctx.con();
    Cuentas cuentas = leerCuentas(con, t.meses.size());
    if (cuentas.lista.empty()) return terminar(ResultadoAjuste::Fin::SinMovimientos, kMensajeSinMovimientos);

    progreso.Iniciar(kTituloProgreso, qint64(cuentas.lista.size()));
    iniciado = true;
    if (t.reexpresaAperturas) sumarAperturas(con, t.periodo, cuentas);
    sumarMeses(con, t.meses, cuentas);
    const Indices indices(con, std::min({t.origen.anio, t.desde.anio, t.cierre.anio}),
                          std::max({pedido.hasta.anio, t.cierre.anio, t.origen.anio}));
    std::vector<LineaAjuste> lineas;
    if (auto fin = reexpresar(lineas, cuentas, indices, t, progreso, confirmaCancelar)) return std::move(*fin);
    progreso.Cerrar();
    iniciado = false;
    return balancear(con, std::move(lineas), cuentas, pedido.cuentaRei);
}

} // namespace

ResultadoAjuste GenerarAjuste(ContextoEmpresa& ctx, const PedidoAjuste& pedido, Progreso& progreso,
                              const ConfirmaCancelar& confirmaCancelar)
{
    bool iniciado = false;
    try {
        ContextoEmpresa::Corrida corrida(ctx);
        ResultadoAjuste r = calcular(ctx, pedido, progreso, confirmaCancelar, iniciado);
        if (iniciado) progreso.Cerrar();
        return r;
    } catch (const std::exception& e) {
        if (iniciado) progreso.Cerrar();
        ResultadoAjuste r = terminar(ResultadoAjuste::Fin::Error, descripcionDeError(e));
        r.errorNumero = numeroDeError(e);
        return r;
    }
}

// ---------------------------------------------------------------- the save

ErrorConversionAjuste::ErrorConversionAjuste(QString campo)
    : ErrorVexa(3421, QStringLiteral("Error en conversion de datos: ") + campo), campo_(std::move(campo))
{
}

qint32 GrabarAjuste(ContextoEmpresa& ctx, const CabeceraAjuste& cabecera, const std::vector<LineaAjuste>& lineas)
{
    std::vector<const LineaAjuste*> conCuenta;
    for (const LineaAjuste& l : lineas)
        if (!texto::recortar(l.cuenta).isEmpty()) conCuenta.push_back(&l);
    if (conCuenta.empty()) throw ErrorVexa(0, kMensajeSinMovimientos);
    const Totales totales = SumarTotales(lineas);
    if (!totales.iguales()) throw ErrorVexa(0, kMensajeTotales);

    const QDate fecha = Utilidades::TextoAFecha(cabecera.fecha);
    if (!fecha.isValid()) throw ErrorConversionAjuste(QStringLiteral("FECHA"));
    const MesAnio hasta = lectura::mesAnio(cabecera.periodoHasta).o(MesAnio{});
    if (!hasta.valido()) throw ErrorConversionAjuste(QStringLiteral("PERIODO_HASTA"));

    Conexion& con = ctx.con();
    Transaccion t(con);
    // Checked inside the transaction: the year's state is what the entry is written under.
    const QString estado = EstadoEjercicio(ctx);
    if (!estado.isEmpty()) throw ErrorVexa(0, estado);
    ReglasAsientos reglas(con, ctx.periodoActivo());

    AsientoNuevo a;
    a.periodo = reglas.periodoActivo();
    a.mes = fecha.month();
    a.tipoReg = QStringLiteral(""); // the ordinary register kind: an empty text, not NULL
    a.fecha = fecha;
    a.detalle = texto::recortar(cabecera.detalle);
    a.tc = texto::recortar(cabecera.tc);
    a.sucursal = cabecera.sucursal;
    a.numero = cabecera.numero;
    a.letra = cabecera.letra;
    a.cabImporte = totales.debe;
    a.moneda = kMonedaAjuste;
    a.numeraComprobante = !reglas.ComprobanteEntrada(a.tc);
    // Each non-zero side of a line is a row; a line with neither, one credit of 0.
    for (const LineaAjuste* l : conCuenta) {
        LineaNueva n;
        n.cuenta = texto::recortar(l->cuenta);
        n.vencimiento = l->vencimiento;
        if (!l->debe.esCero()) {
            n.alDebe = true;
            n.importe = l->debe;
            a.lineas.push_back(n);
        }
        if (!l->haber.esCero() || l->debe.esCero()) {
            n.alDebe = false;
            n.importe = l->haber;
            a.lineas.push_back(n);
        }
    }
    RegistroAsientos registro(con, &ctx.configuracion());
    const qint32 nro = registro.registrarAjuste(a, AjusteNuevo{hasta.texto(), plataforma::ahora()});
    registro.aplicarNumeraciones();
    t.confirmar();
    return nro;
}

// ---------------------------------------------------------------- the listing

ConsultaPlanilla PlanillaAjustes()
{
    // Zero-filled numbers: the number added to a power of ten, written, and its first digit dropped.
    // Every heading is quoted: PostgreSQL would fold the others to lower case.
    return {QStringLiteral(
                "SELECT CUENTA AS \"CUENTA\", SUBSTR(CAST(100 + MES_OPERATIVO AS VARCHAR(20)), 2, 2) || '-' || "
                "SUBSTR(CAST(100000000 + [NUMERO ASIENTO] AS VARCHAR(20)), 2, 8) AS \"Nº Asiento\", FECHA AS \"FECHA\", TC AS \"TC\", "
                "CASE WHEN SUCURSAL_VALOR BETWEEN 0 AND 9999 THEN SUBSTR(CAST(10000 + SUCURSAL_VALOR AS VARCHAR(20)), 2, 4) "
                "ELSE COALESCE(SUCURSAL, '') END || '-' || "
                "CASE WHEN NUMERO_VALOR BETWEEN 0 AND 99999999 THEN SUBSTR(CAST(100000000 + NUMERO_VALOR AS VARCHAR(20)), 2, 8) "
                "ELSE COALESCE(NUMERO, '') END || '-' || COALESCE(LETRA, '') AS \"Nº de Comprobante\", "
                "[DEBE-HABER] AS \"DEBE-HABER\", IMPORTE AS \"IMPORTE\", SECUENCIA AS \"LINEA\", PERIODO AS \"EJERCICIO\", "
                "DETALLE AS \"CONCEPTO\" "
                "FROM MV_ASIENTOS WHERE COALESCE(TIPO_REG, '') = '' AND ESAJUSTE = 1 ORDER BY [NUMERO ASIENTO], SECUENCIA"),
            {}};
}

} // namespace vexa::ajuste
