#include "ReemplazoPlaneado.h"

#include "BloqueosOrdenados.h"
#include "ComprobanteValidado.h"
#include "Lbc_Asiento.h"
#include "Utilidades.h"

namespace vexa::recepcion {

namespace {

// The voucher key of MV_ASIENTOS rows. Branch and number match as numbers,
// through the columns the database keeps with their numeric values.
QString condicionComprobante(bool conProveedor)
{
    QString w = QStringLiteral("TC = ? AND LETRA = ? AND NUMERO_VALOR = ? AND SUCURSAL_VALOR = ?");
    if (conProveedor) w += QStringLiteral(" AND CABCUENTA = ?");
    return w;
}
Params parametrosComprobante(const QString& tc, const QString& suc, const QString& num, const QString& letra,
                             const QString& proveedor)
{
    Params p{tc, letra, texto::valEntero(num), texto::valEntero(suc)};
    if (!proveedor.isEmpty()) p.append(proveedor);
    return p;
}

} // namespace

bool NumeroCompleto(const QString& valor, int digitos, QString& resultado)
{
    const QString v = texto::recortar(valor);
    if (!texto::soloDigitos(v)) return false;
    qsizetype i = 0;
    while (i < v.size() - 1 && v[i] == u'0') ++i;
    const QString significativo = v.mid(i);
    if (significativo.size() > digitos) return false;
    resultado = significativo.rightJustified(digitos, u'0');
    return true;
}

QString ReemplazoPlaneado::sqlEliminar() const
{
    return QStringLiteral("DELETE FROM MV_ASIENTOS WHERE ") + condicionComprobante(!Proveedor.isEmpty())
           + QStringLiteral(" AND PERIODO = ? AND (CONTABILIZADO = 0 OR CONTABILIZADO IS NULL)");
}

Params ReemplazoPlaneado::parametros() const
{
    Params p = parametrosComprobante(Tc, Sucursal, Numero, Letra, Proveedor);
    p.append(Periodo.toInt());
    return p;
}

std::optional<ReemplazoPlaneado> BuscaComprobanteRecibido(Conexion& con_, const QString& periodo, const QString& Tc,
                                                          const QString& Sucursal, const QString& Numero,
                                                          const QString& Letra, const QString& Proveedor, bool& bloqueado,
                                                          bool postergado)
{
    bloqueado = false;
    ReemplazoPlaneado p;
    p.Tc = texto::recortar(Tc);
    p.Sucursal = texto::recortar(Sucursal);
    p.Numero = texto::recortar(Numero);
    p.Letra = texto::recortar(Letra);
    p.Proveedor = texto::recortar(Proveedor);
    p.Periodo = texto::recortar(periodo);
    // Inside the writing transaction the voucher's identity is locked before it
    // is looked for, until the transaction ends: another station receiving the
    // same voucher waits, then finds this one's rows.
    if (con_.enTransaccion()) {
        const QString clave = QStringLiteral("COMPROBANTE|%1|%2|%3|%4|%5")
                                  .arg(p.Tc, QString::number(texto::valEntero(p.Sucursal)),
                                       QString::number(texto::valEntero(p.Numero)), p.Letra, p.Proveedor)
                                  .toUpper();
        // With the postings written only at the batch's end, a voucher met again
        // in the same transaction would not find its earlier rows yet.
        if (postergado) {
            const QString marca = QStringLiteral("RecepcionInterface|visto|") + clave;
            if (con_.datoTransaccion(marca).isValid()) throw ComprobanteEnLote();
            con_.fijarDatoTransaccion(marca, true);
        }
        tomarBloqueo(con_, clave);
    }

    auto rs = con_.ObtenerRecordset(
        QStringLiteral("SELECT PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, CABIMPORTE, CONTABILIZADO FROM MV_ASIENTOS WHERE ")
            + condicionComprobante(!p.Proveedor.isEmpty())
            + QStringLiteral(" ORDER BY PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA"),
        parametrosComprobante(p.Tc, p.Sucursal, p.Numero, p.Letra, p.Proveedor));
    if (rs.eof()) return std::nullopt;

    const qint64 periodoNumero = p.Periodo.toLongLong();
    bool unaEntrada = true;
    for (; !rs.eof(); rs.siguiente()) {
        const QString familia = Lbc_Asiento::FamiliaNumeracion(rs.texto(QStringLiteral("TIPO_REG")));
        const qint32 numero = qint32(rs.entero(QStringLiteral("NUMERO ASIENTO")));
        const int mes = int(rs.entero(QStringLiteral("MES_OPERATIVO")));
        if (p.filas == 0) {
            p.importeAnterior = rs.moneda(QStringLiteral("CABIMPORTE"));
            p.numeroAsiento = numero;
            p.mesOperativo = mes;
            p.familia = familia;
        } else if (numero != p.numeroAsiento || mes != p.mesOperativo || familia != p.familia) {
            unaEntrada = false;
        }
        if (rs.entero(QStringLiteral("CONTABILIZADO")) != 0 || rs.entero(QStringLiteral("PERIODO")) != periodoNumero)
            bloqueado = true;
        ++p.filas;
    }
    if (!unaEntrada) p.numeroAsiento = 0;
    p.planeado = true;
    return p;
}

} // namespace vexa::recepcion
