#include "LBM_Common.h"

#include "Entorno.h"
#include "Errores.h"
#include "EstadoGlobal.h"

#include <QLocale>

namespace vexa {

qint16 MayusculaKeyAscii(qint16 keyAscii) { return MayusculaKeyAscii(keyAscii, SoloMayusculas); }

qint16 MayusculaKeyAscii(qint16 keyAscii, bool soloMayusculas)
{
    static const QString permitidos =
        QStringLiteral("0123456789.ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.abcdefghijklmnñopqrstuvwxyz");
    if (!soloMayusculas || keyAscii <= 0) return keyAscii;
    // Key codes are Latin-1 character codes.
    const QChar c = QChar::fromLatin1(char(quint8(keyAscii)));
    if (keyAscii > 255 || !permitidos.contains(c, Qt::CaseInsensitive)) return keyAscii;
    return qint16(c.toUpper().unicode());
}

void ImprimirLista(const QStringList& items, const std::optional<QString>& titulo)
{
    if (items.isEmpty()) return;
    const QDateTime ahora = plataforma::ahora();
    const QLocale local = QLocale::system();
    const QString sangria(59, u' '); // column 60
    QStringList lineas;
    lineas << QString()
           << sangria + QStringLiteral("Fecha: ") + local.toString(ahora.date(), QLocale::LongFormat)
           << sangria + QStringLiteral("Hora: ") + local.toString(ahora.time(), QLocale::ShortFormat)
           << QString() << QString();
    lineas << items;
    const QString encabezado = titulo ? titulo->toUpper() : QStringLiteral("Listado Testigo");
    const plataforma::ResultadoImpresion r = plataforma::impresora().imprimirLineas(encabezado, lineas);
    if (!r.ok) throw ErrorVexa(482, r.error.isEmpty() ? QStringLiteral("Error de impresora") : r.error);
}

void MensajeEstado(const QString&, bool) {}

} // namespace vexa
