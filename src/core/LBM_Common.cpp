#include "LBM_Common.h"

#include "Entorno.h"
#include "Reporte.h"
#include "Errores.h"
#include "EstadoGlobal.h"
#include "Utilidades.h"

#include <QLocale>

namespace vexa {

qint16 MayusculaKeyAscii(qint16 keyAscii, bool soloMayusculas) { return qint16(texto::mayusculaTecla(keyAscii, soloMayusculas)); }

std::optional<plataforma::Reporte> ReporteLista(const QStringList& items, const std::optional<QString>& titulo)
{
    if (items.isEmpty()) return std::nullopt;
    using plataforma::LineaImpresa;
    const QDateTime ahora = plataforma::ahora();
    const QLocale local = Utilidades::Idioma();
    const QString encabezado = titulo ? titulo->toUpper() : QStringLiteral("Listado Testigo");
    // Heading block: size 10, underlined and bold; the date and time at column 60.
    auto cabecera = [](const QString& texto, int columna = 1) { return LineaImpresa{texto, columna, 10, true, true}; };
    QList<LineaImpresa> lineas{
        cabecera(QString()),
        cabecera(QStringLiteral("Fecha: ") + local.toString(ahora.date(), QLocale::LongFormat), 60),
        cabecera(QStringLiteral("Hora: ") + local.toString(ahora.time(), QLocale::ShortFormat), 60),
        cabecera(QString()),
        cabecera(QString()),
        cabecera(encabezado),
    };
    // The list itself: size 8, no emphasis, after two empty lines.
    lineas << LineaImpresa{QString(), 1, 8} << LineaImpresa{QString(), 1, 8};
    for (const QString& item : items) lineas << LineaImpresa{item, 1, 8};
    plataforma::Reporte rep;
    rep.titulo = encabezado;
    rep.lineas = lineas;
    rep.cabeceraEnPaginas = false; // one header block; the printer breaks the pages
    return rep;
}

void MensajeEstado(const QString&, bool) {}

namespace {
std::function<void(const QString&)>& ganchoTextoEstado()
{
    static std::function<void(const QString&)> g;
    return g;
}
} // namespace

void TextoEstado(const QString& texto)
{
    if (ganchoTextoEstado()) ganchoTextoEstado()(texto);
}

void fijarTextoEstado(std::function<void(const QString&)> f) { ganchoTextoEstado() = std::move(f); }

} // namespace vexa
