#include "ConsultasAjuste.h"

#include "ArchivoIni.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "Utilidades.h"

namespace vexa {

namespace {
const QString kClaveTC = QStringLiteral("Ajuste(TC)");
}

ConsultasAjusteEmpresa::ConsultasAjusteEmpresa(ContextoEmpresa& ctx) : ctx_(ctx), asiento_(ctx) {}

bool ConsultasAjusteEmpresa::existeCuenta(const QString& codigo) { return ctx_.configuracion().ExisteCuenta(codigo); }

QString ConsultasAjusteEmpresa::descripcionCuenta(const QString& codigo)
{
    return Utilidades::NuloATexto(
        ctx_.con().BuscaValor(QStringLiteral("MA_CUENTAS"), codigo, QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO")));
}

QString ConsultasAjusteEmpresa::letras(const QString& tc, bool soloContable)
{
    return Utilidades::NuloATexto(ctx_.con().BuscaValor(QStringLiteral("TA_COMPROBANTES"), tc, QStringLiteral("LETRAS"),
                                                        QStringLiteral("CODIGO"),
                                                        soloContable ? QStringLiteral("SISTEMA = 'CONTABLE'") : QString()));
}

QString ConsultasAjusteEmpresa::descripcionComprobante(const QString& tc)
{
    return Utilidades::NuloATexto(
        ctx_.con().BuscaValor(QStringLiteral("TA_COMPROBANTES"), tc, QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO")));
}

bool ConsultasAjusteEmpresa::comprobanteEntrada(const QString& tc) { return asiento_.ComprobanteEntrada(tc); }

void ConsultasAjusteEmpresa::datosComprobante(const QString& tc, QString& sucursal, QString& numero, QString& letra)
{
    asiento_.DatosComprobante(tc, sucursal, numero, letra);
}

bool ConsultasAjusteEmpresa::validaComprobante(const QString& tc, const QString& sucursal, QString& numero,
                                               const QString& letra, QString& mensaje)
{
    QString mesOp, nro;
    return asiento_.ValidaComprobante(tc, sucursal, numero, letra, mensaje, mesOp, nro);
}

bool ConsultasAjusteEmpresa::fechaValida(const QString& fecha, QString& mensaje)
{
    bool error = false;
    asiento_.FechaValidada(fecha, mensaje, error);
    return !error;
}

QString ConsultasAjusteEmpresa::numeroAsiento(const QDate& fecha, QString& numero)
{
    numero = QString::number(asiento_.UltimoNumeroAsiento(fecha.month()));
    return asiento_.FormatDisplayNroAsiento(numero, fecha);
}

QDate ConsultasAjusteEmpresa::fechaConfiguracion(const QString& clave)
{
    const QString valor = texto::recortar(ctx_.configuracion().ObtieneValor(clave));
    if (!valor.isEmpty()) return Utilidades::TextoAFecha(valor);
    QDate desde, hasta;
    if (!ctx_.configuracion().FechasEjercicio(int(ctx_.periodo()), desde, hasta)) return {};
    return clave.contains(QLatin1String("DESDE"), Qt::CaseInsensitive) ? desde : hasta;
}

QDate ConsultasAjusteEmpresa::ejercicioDesde() { return fechaConfiguracion(QStringLiteral("[FECHA DESDE]")); }

QDate ConsultasAjusteEmpresa::ejercicioHasta() { return fechaConfiguracion(QStringLiteral("[FECHA HASTA]")); }

void ConsultasAjusteEmpresa::recordarComprobante(const QString& tc)
{
    ArchivoIni::GrabarIni(ctx_.archivoIni, ctx_.seccionEquipo, kClaveTC, tc);
}

QString ConsultasAjusteEmpresa::comprobanteRecordado()
{
    return ArchivoIni::LeerIni(ctx_.archivoIni, ctx_.seccionEquipo, kClaveTC, QString());
}

} // namespace vexa
