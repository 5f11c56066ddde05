#pragma once
// Lines of the demo company's two interface definitions and checks of the
// journal that every reception test makes.
#include "Conexion.h"

#include <QString>
#include <QStringList>

namespace vexa::prueba {

// "VENTAS" (delimited): issue date, type, branch-number-letter, customer, net, VAT, total, due date, detail.
inline QString lineaVenta(int numero, const QString& neto = "100", const QString& iva = "21",
                          const QString& total = "121", const QString& cliente = "CLI001",
                          const QString& tipo = "FC", const QString& fecha = "15/03/2026")
{
    return QStringList{fecha, tipo, QStringLiteral("0001-%1-A").arg(numero, 8, 10, QLatin1Char('0')), cliente, neto,
                       iva, total, QStringLiteral("15/04/2026"), QStringLiteral("Venta")}
        .join(u';');
}

// "COMPRAS" (fixed widths 8, 2, 4, 8, 1, 6, 12, 12, 12, 8).
inline QString lineaCompra(int numero, const QString& neto = "100", const QString& iva = "21",
                           const QString& total = "121", const QString& proveedor = "P00001")
{
    auto der = [](const QString& s, int n) { return s.rightJustified(n, u' '); };
    return QStringLiteral("20260310FP0001") + QStringLiteral("%1").arg(numero, 8, 10, QLatin1Char('0'))
           + QStringLiteral("A") + proveedor.leftJustified(6, u' ') + der(neto, 12) + der(iva, 12) + der(total, 12)
           + QStringLiteral("20260410");
}

// Entries (period, month, family, number) whose debits and credits differ, or
// whose sequences are not 1..n.
inline int asientosRotos(Conexion& c)
{
    return int(c.Escalar(QStringLiteral(
                             "SELECT COUNT(*) FROM (SELECT PERIODO, MES_OPERATIVO, FAMILIA, [NUMERO ASIENTO] FROM MV_ASIENTOS "
                             "GROUP BY PERIODO, MES_OPERATIVO, FAMILIA, [NUMERO ASIENTO] "
                             "HAVING SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE ELSE 0 END) <> "
                             "SUM(CASE WHEN [DEBE-HABER] = 'H' THEN IMPORTE ELSE 0 END) "
                             "OR COUNT(*) <> MAX(SECUENCIA) OR MIN(SECUENCIA) <> 1) X"))
                   .toLongLong());
}

inline int contar(Conexion& c, const QString& sql, const Params& p = {}) { return int(c.Escalar(sql, p).toLongLong()); }

} // namespace vexa::prueba
