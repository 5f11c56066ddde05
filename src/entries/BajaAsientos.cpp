#include "BajaAsientos.h"

#include "Lectores.h"
#include "RegistroAsientos.h"
#include "Utilidades.h"

namespace vexa {

namespace {
// A reception run's rows whose entry has no summarised line.
const QString kDeRecepcionBorrables = QStringLiteral(
    "NRO_TRANSMISION = ? AND NOT EXISTS (SELECT 1 FROM MV_ASIENTOS R WHERE R.PERIODO = MV_ASIENTOS.PERIODO "
    "AND R.MES_OPERATIVO = MV_ASIENTOS.MES_OPERATIVO AND R.FAMILIA = MV_ASIENTOS.FAMILIA "
    "AND R.[NUMERO ASIENTO] = MV_ASIENTOS.[NUMERO ASIENTO] AND R.CONTABILIZADO <> 0)");
} // namespace

QString ComprobanteEnDiario::condicion() const
{
    QString w = QStringLiteral("TC = ? AND LETRA = ? AND NUMERO_VALOR = ? AND SUCURSAL_VALOR = ?");
    if (!cuenta.isEmpty()) w += QStringLiteral(" AND CABCUENTA = ?");
    return w;
}

Params ComprobanteEnDiario::parametros() const
{
    Params p{tc, letra, lectura::enteroInicial(numero).o(0), lectura::enteroInicial(sucursal).o(0)};
    if (!cuenta.isEmpty()) p.append(cuenta);
    return p;
}

qint64 BajaAsientos::contarDeRecepcionEnEjercicioCerrado(qint32 idRecepcion)
{
    return con_
        .Escalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE ") + kDeRecepcionBorrables
                     + QStringLiteral(" AND PERIODO IN (SELECT PERIODO FROM MV_EJERCICIOS WHERE CERRADO <> 0 OR CANCELACION <> 0)"),
                 {idRecepcion})
        .toLongLong();
}

int BajaAsientos::borrarDeRecepcion(qint32 idRecepcion)
{
    const int n = con_.EjecutarSQL(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE ") + kDeRecepcionBorrables, {idRecepcion});
    RegistroAsientos(con_).olvidarNumeros();
    return n;
}

int BajaAsientos::borrarComprobante(const ComprobanteEnDiario& c, const QString& periodo)
{
    Params p = c.parametros();
    p.append(periodo.toInt());
    const int n = con_.EjecutarSQL(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE ") + c.condicion()
                                       + QStringLiteral(" AND PERIODO = ? AND (CONTABILIZADO = 0 OR CONTABILIZADO IS NULL)"),
                                   p);
    RegistroAsientos(con_).olvidarNumeros();
    return n;
}

} // namespace vexa
