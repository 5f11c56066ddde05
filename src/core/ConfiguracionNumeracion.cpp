#include "Configuracion.h"

#include "Lectores.h"
#include "Utilidades.h"

namespace vexa {

// Records the number a voucher type with its own numbering has just used.
// The reception hands over the number that follows the voucher's own ("00000025"
// gives "26"), so the type's last number for the letter becomes numero - 1. The
// stored value only ever grows: an older voucher received late leaves it as it
// is. A letter the type has no counter for, or a number that is not a whole
// number, changes nothing. Runs on the caller's connection, inside the caller's
// transaction when there is one, so the counter moves with the voucher's rows.
void Configuracion::ActualizaNumeracion(const QString& tipo, const QString& sistema, const QString& sucursal,
                                        const QString& numero, const QString& letra)
{
    Q_UNUSED(sucursal);
    const QString l = texto::recortar(letra).toUpper();
    static const QString letras = QStringLiteral("ABCXER");
    if (l.size() != 1 || !letras.contains(l)) return;
    const QString n = texto::recortar(numero);
    if (!texto::soloDigitos(n) || n.size() > 9) return;
    const qint64 ultimo = lectura::entero(n).o(0) - 1;
    if (ultimo < 0) return;
    const QString columna = l + QStringLiteral("_ULTIMO_NRO");
    con().EjecutarSQL(QStringLiteral("UPDATE TA_COMPROBANTES SET %1 = ? WHERE CODIGO = ? "
                                     "AND (SISTEMA = ? OR SISTEMA IS NULL OR SISTEMA = '') "
                                     "AND (%1 IS NULL OR %1 < ?)")
                          .arg(columna),
                      {qlonglong(ultimo), texto::recortar(tipo), texto::recortar(sistema), qlonglong(ultimo)});
}

} // namespace vexa
