#include "ReglasAsientos.h"

#include "Configuracion.h"
#include "Lbc_Asiento.h"
#include "Lectores.h"
#include "Utilidades.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace vexa {

namespace {

const QString kLetras = QStringLiteral("ABCXER");

QString conCeros(double valor, int ancho)
{
    const qint64 n = std::llround(valor);
    QString d = QString::number(n < 0 ? -n : n).rightJustified(ancho, u'0');
    return n < 0 ? u'-' + d : d;
}

QString ceros(const QString& s, int ancho)
{
    const QString t = texto::recortar(s);
    return texto::soloDigitos(t) ? Utilidades::CompletaCeros(t, ancho) : s;
}

bool esFalso(const QString& valor)
{
    const QString v = texto::recortar(valor).toUpper();
    return v == QLatin1String("FALSO") || v == QLatin1String("FALSE") || v == QLatin1String("0");
}

QDate aFecha(const QString& s)
{
    const QDate d = Utilidades::TextoAFecha(s);
    if (!d.isValid()) throw ErrorVexa(13, QStringLiteral("No coinciden los tipos: \"%1\"").arg(s));
    return d;
}

} // namespace

ReglasAsientos::ReglasAsientos(Conexion& con, QString periodoActivo) : con_(con), periodo_(texto::recortar(periodoActivo)) {}

QString ReglasAsientos::periodoActivo()
{
    if (periodo_.isEmpty()) periodo_ = texto::recortar(Configuracion(&con_).ObtieneValor(QStringLiteral("PERIODO")));
    return periodo_;
}

std::optional<ReglasAsientos::Ajuste> ReglasAsientos::UltimoAjuste()
{
    auto rs = con_.ObtenerRecordset(
        QStringLiteral("SELECT [FECHA], Ajuste_Hasta, [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE PERIODO = ? AND ESAJUSTE = 1"),
        {lectura::enteroInicial(periodoActivo()).o(0)});
    std::optional<Ajuste> ultimo;
    std::tuple<qint64, qint64, qint64> mejor{};
    for (; !rs.eof(); rs.siguiente()) {
        const QString hasta = rs.texto(QStringLiteral("Ajuste_Hasta"));
        const int barra = hasta.indexOf(u'/');
        const qint64 mes = lectura::enteroInicial(barra >= 0 ? hasta.left(barra) : hasta).o(0);
        const qint64 anio = barra >= 0 ? lectura::enteroInicial(hasta.mid(barra + 1)).o(0) : 0;
        std::tuple<qint64, qint64, qint64> clave{anio, mes, rs.entero(QStringLiteral("NUMERO ASIENTO"))};
        if (ultimo && clave <= mejor) continue;
        mejor = clave;
        ultimo = Ajuste{rs.fecha(QStringLiteral("FECHA")), hasta, qint32(std::get<2>(clave))};
    }
    return ultimo;
}

bool ReglasAsientos::ComprobanteEntrada(const QString& TC)
{
    auto f = con_.PrimeraFila(QStringLiteral("SELECT * FROM TA_COMPROBANTES WHERE CODIGO = ?"),
                              {Utilidades::CompletaCeros(texto::recortar(TC), 4)});
    if (!f) return true;
    const QString letras = texto::recortar(f->texto(QStringLiteral("LETRAS"))).toUpper();
    for (const QChar c : letras) {
        if (!kLetras.contains(c)) continue; // no columns: no numbering of its own
        // A number column without a value reads as 0.
        for (const char* sufijo : {"_ULTIMO_NRO", "_NRO_DESDE", "_NRO_HASTA"})
            if (lectura::numeroInicial(f->texto(c + QString::fromLatin1(sufijo))).o(0) > 0) return false;
    }
    return true;
}

bool ReglasAsientos::ExisteEnMVAsientos(const QString& TC, const QString& Suc, const QString& Nro, const QString& L,
                                        const QVariant& Proveedor)
{
    const double suc = lectura::numeroInicial(Suc).o(0), nro = lectura::numeroInicial(Nro).o(0);
    // Branch and number compare as whole numbers: no stored text equals a fraction.
    // Nor a number beyond 64 bits: no stored value is that large.
    if (suc != std::floor(suc) || nro != std::floor(nro) || suc < 0 || nro < 0 || !texto::enRangoEntero64(suc) ||
        !texto::enRangoEntero64(nro))
        return false;
    // The database keeps the numeric value of branch and number (NULL for a text
    // that is not a whole number), so the lookup is plain equality on an index.
    QString sql = QStringLiteral("SELECT TC FROM MV_ASIENTOS WHERE TC = ? AND NUMERO_VALOR = ? AND LETRA = ? AND SUCURSAL_VALOR = ?");
    Params p{texto::recortar(TC), qint64(nro), texto::recortar(L), qint64(suc)};
    if (Proveedor.isValid()) {
        sql += QStringLiteral(" AND CABCUENTA = ?");
        p << texto::recortar(Proveedor.toString());
    }
    return con_.PrimeraFila(sql + QStringLiteral(" LIMIT 1"), p).has_value();
}

bool ReglasAsientos::ValidaSubdiarioTC(const QString& Subdiario, const QString& TC)
{
    auto rs = con_.ObtenerRecordset(QStringLiteral("SELECT TC FROM MA_SUBDIARIOSCOMPROBANTES WHERE SUBDIARIO = ?"),
                                    {texto::recortar(Subdiario)});
    for (; !rs.eof(); rs.siguiente())
        if (texto::igual(texto::recortar(rs.texto(QStringLiteral("TC"))), texto::recortar(TC))) return true;
    return false;
}

bool ReglasAsientos::ValidaTCRegistraciones(const QString& TC)
{
    return con_.PrimeraFila(QStringLiteral("SELECT TC FROM MA_SUBDIARIOSCOMPROBANTES WHERE TC = ? LIMIT 1"), {texto::recortar(TC)})
        .has_value();
}

qint16 ReglasAsientos::SignoComprobante(const QString& TC)
{
    auto f = con_.PrimeraFila(QStringLiteral("SELECT SIGNO FROM TA_COMPROBANTES WHERE CODIGO = ?"),
                              {Utilidades::CompletaCeros(texto::recortar(TC), 4)});
    if (!f) return 0;
    if (f->esNulo(QStringLiteral("SIGNO"))) return 1;
    const QString s = texto::recortar(f->texto(QStringLiteral("SIGNO")));
    return s == QLatin1String("+") ? 1 : s == QLatin1String("-") ? -1 : 0;
}

QDate ReglasAsientos::FechaHastaUltimoPeriodo()
{
    auto f = con_.PrimeraFila(QStringLiteral("SELECT [FECHA HASTA] FROM MV_EJERCICIOS ORDER BY PERIODO DESC LIMIT 1"));
    return f ? f->fecha(QStringLiteral("FECHA HASTA")) : QDate();
}

bool ReglasAsientos::ExistenMovFueraPeriodo(const QString& Periodo, const QString& NFecha_Desde, const QString& NFecha_Hasta)
{
    const QDate desde = aFecha(NFecha_Desde), hasta = aFecha(NFecha_Hasta);
    const qint64 periodo = lectura::enteroInicial(Periodo).o(0);
    // First and last date through the (PERIODO, FECHA) index, a plan that needs no statistics.
    const QVariant primera = con_.Escalar(QStringLiteral("SELECT [FECHA] FROM MV_ASIENTOS WHERE PERIODO = ? AND [FECHA] IS NOT NULL "
                                                         "ORDER BY [FECHA] LIMIT 1"), {periodo});
    if (primera.isNull()) return false;
    const QVariant ultima = con_.Escalar(QStringLiteral("SELECT [FECHA] FROM MV_ASIENTOS WHERE PERIODO = ? AND [FECHA] IS NOT NULL "
                                                        "ORDER BY [FECHA] DESC LIMIT 1"), {periodo});
    return primera.toDate() <= desde || ultima.toDate() >= hasta;
}

bool ReglasAsientos::DatosComprobante(const QString& TC, const QString& letra, QString& Suc, QString& Nro)
{
    auto f = con_.PrimeraFila(QStringLiteral("SELECT * FROM TA_COMPROBANTES WHERE CODIGO = ?"),
                              {Utilidades::CompletaCeros(texto::recortar(TC), 4)});
    if (!f) return false;
    Suc = conCeros(lectura::numeroInicial(f->texto(letra + QStringLiteral("_SUC_DEFAULT"))).o(0), 4);
    Nro = conCeros(lectura::numeroInicial(f->texto(letra + QStringLiteral("_ULTIMO_NRO"))).o(0), 8);
    return true;
}

bool ReglasAsientos::AsientoResumenAnulado(const QString& Subdiario, const QString& NroAsiento_ConFomato)
{
    const int p = NroAsiento_ConFomato.indexOf(u'-');
    if (p < 0) throw ErrorVexa(5, QStringLiteral("Número de asiento resumen sin mes: \"%1\"").arg(NroAsiento_ConFomato));
    const qint64 mes = lectura::enteroInicial(NroAsiento_ConFomato.left(p)).o(0);
    const qint64 id = lectura::enteroInicial(NroAsiento_ConFomato.mid(p + 1)).o(0);
    auto rs = con_.ObtenerRecordset(
        QStringLiteral("SELECT FECHA_DESDE, ANULADO FROM MV_CONTROL_AS_RES WHERE SUBDIARIO = ? AND ID = ? AND PERIODO = ?"),
        {texto::recortar(Subdiario), id, lectura::enteroInicial(periodoActivo()).o(0)});
    for (; !rs.eof(); rs.siguiente()) {
        if (rs.fecha(QStringLiteral("FECHA_DESDE")).month() != mes) continue;
        return rs.entero(QStringLiteral("ANULADO")) != 0;
    }
    return false;
}

bool ReglasAsientos::ValidaComprobante(const QString& TC, const QString& Sucursal, QString& Numero, const QString& Letra,
                                       QString& Mensaje, QString& MesOp, QString& NroAsiento,
                                       const std::function<bool(const QString&)>& aceptaSiguiente)
{
    const QString numeroInicial = Numero;
    const QString tc = Utilidades::CompletaCeros(texto::recortar(TC), 4);
    const QString sucursal = ceros(Sucursal, 4);
    const QString letra = texto::recortar(Letra);
    // Branch and number are looked for in their stored, zero-filled form.
    QString numero = ceros(Numero, 8);
    bool primera = true;
    for (;;) {
        // Whole numbers also go through their numeric columns, which the voucher index holds.
        const bool numericos = texto::soloDigitos(sucursal) && texto::soloDigitos(numero) && sucursal.size() <= 18
                               && numero.size() <= 18;
        auto f = numericos
                     ? con_.PrimeraFila(QStringLiteral("SELECT MES_OPERATIVO, [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE TC = ? "
                                                        "AND NUMERO_VALOR = ? AND LETRA = ? AND SUCURSAL_VALOR = ? "
                                                        "AND SUCURSAL = ? AND NUMERO = ? LIMIT 1"),
                                         {tc, lectura::entero(numero).o(0), letra, lectura::entero(sucursal).o(0), sucursal, numero})
                     : con_.PrimeraFila(QStringLiteral("SELECT MES_OPERATIVO, [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE TC = ? "
                                                        "AND SUCURSAL = ? AND NUMERO = ? AND LETRA = ? LIMIT 1"),
                                         {tc, sucursal, numero, letra});
        if (!f) {
            Numero = numero;
            return true;
        }
        const QString modifica =
            Utilidades::NuloATexto(con_.BuscaValor(QStringLiteral("TA_COMPROBANTES"), tc, QStringLiteral("ModificaNumeracion"),
                                                    QStringLiteral("CODIGO")));
        if (!esFalso(modifica)) {
            // Numbers typed by the operator: name the entry that holds the voucher.
            const QString mes = f->texto(QStringLiteral("MES_OPERATIVO"));
            const QString asiento = f->texto(QStringLiteral("NUMERO ASIENTO"));
            Mensaje = QStringLiteral("Comprobante registrado en el Asiento ") + mes + u'-' + asiento;
            if (primera) {
                MesOp = mes;
                NroAsiento = asiento;
            }
            return false;
        }
        // Automatic numbering: offer the next number.
        numero = conCeros(lectura::numeroInicial(numero).o(0) + 1, 8);
        const bool acepta = aceptaSiguiente(Lbc_Asiento::FormatoNumeroComprobante(sucursal, numero, Letra));
        if (!acepta) {
            Numero = numeroInicial;
            Mensaje = QStringLiteral("Comprobante duplicado");
            return false;
        }
        Numero = numero;
        primera = false;
    }
}

bool ReglasAsientos::EstadoPeriodoActual(QString& Mensaje, QVariant* lCierre, QVariant* lCancelacion, QVariant* lNoCreado)
{
    const auto filas = con_.ObtenerRecordset(
        QStringLiteral("SELECT PERIODO, CERRADO, CANCELACION FROM MV_EJERCICIOS ORDER BY PERIODO")).todas();
    if (filas.empty()) {
        Mensaje = kMensajeSinEjercicios;
        if (lNoCreado) *lNoCreado = true;
        return false;
    }
    const double activo = lectura::numeroInicial(periodoActivo()).o(0);
    auto it = std::find_if(filas.begin(), filas.end(),
                           [&](const Fila& f) { return double(f.entero(QStringLiteral("PERIODO"))) == activo; });
    if (it == filas.end()) {
        return true;
    }
    const bool cerrado = it->logico(QStringLiteral("CERRADO"));
    const bool cancelacion = it->logico(QStringLiteral("CANCELACION"));
    if (lCierre) *lCierre = cerrado;
    if (lCancelacion) *lCancelacion = cancelacion;
    if (cerrado && cancelacion) {
        Mensaje = QStringLiteral("El Periodo tiene realizado el Cierre y la Cancelacion de saldos de cuentas de resultados");
        return false;
    }
    if (cerrado) {
        Mensaje = QStringLiteral("El Periodo tiene realizado el Cierre de libros contables ");
        return false;
    }
    if (cancelacion) {
        Mensaje = QStringLiteral("El Periodo tiene realizada la Cancelacion de saldos de cuentas de resultados");
        return false;
    }
    if (it == filas.begin()) {
        return true;
    }
    const Fila& anterior = *(it - 1);
    if (anterior.esNulo(QStringLiteral("CERRADO")) || anterior.logico(QStringLiteral("CERRADO"))) {
        return true;
    }
    Mensaje = QStringLiteral("El Periodo anterior (") + anterior.texto(QStringLiteral("PERIODO")) +
              QStringLiteral(") no tiene realizado el cierre");
    return false;
}

} // namespace vexa
