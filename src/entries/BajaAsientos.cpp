#include "BajaAsientos.h"

#include "RegistroAsientos.h"

namespace vexa {

namespace {
// A reception run's rows whose entry has no summarised line.
const QString kDeRecepcionBorrables = QStringLiteral(
    "NRO_TRANSMISION = ? AND NOT EXISTS (SELECT 1 FROM MV_ASIENTOS R WHERE R.PERIODO = MV_ASIENTOS.PERIODO "
    "AND R.MES_OPERATIVO = MV_ASIENTOS.MES_OPERATIVO AND R.FAMILIA = MV_ASIENTOS.FAMILIA "
    "AND R.[NUMERO ASIENTO] = MV_ASIENTOS.[NUMERO ASIENTO] AND R.CONTABILIZADO <> 0)");
} // namespace

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

} // namespace vexa
