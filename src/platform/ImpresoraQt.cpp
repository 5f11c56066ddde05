#include "ImpresoraQt.h"

#include "Dialogos.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace vexa::plataforma {

namespace {

class ImpresoraReal : public Impresora {
public:
    ResultadoImpresion imprimir(const QString& titulo, const QList<LineaImpresa>& lineas) override
    {
        ResultadoImpresion r;
        QPrinterInfo def = QPrinterInfo::defaultPrinter();
        QPrinter printer(QPrinter::HighResolution);
        if (!def.isNull()) {
            printer.setPrinterName(def.printerName());
            r.destino = def.printerName();
        } else {
            QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (carpeta.isEmpty()) carpeta = QDir::homePath();
            QDir().mkpath(carpeta);
            QString base = titulo.isEmpty() ? QStringLiteral("Listado") : titulo;
            base.replace(QRegularExpression(QStringLiteral("[^\\w\\-]+")), QStringLiteral("_"));
            r.destino = QDir(carpeta).filePath(base + ahora().toString(QStringLiteral("_yyyyMMdd_HHmmss")) + ".pdf");
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(r.destino);
            r.esPdf = true;
        }
        printer.setDocName(titulo);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPainter p;
        if (!p.begin(&printer)) {
            r.error = QStringLiteral("No se pudo abrir la impresora ") + r.destino;
            return r;
        }
        const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
        int y = 0;
        for (const LineaImpresa& l : lineas) {
            QFont f(QStringLiteral("Monospace"), l.puntos);
            f.setStyleHint(QFont::TypeWriter);
            f.setBold(l.negrita);
            f.setUnderline(l.subrayado);
            p.setFont(f);
            const QFontMetrics m = p.fontMetrics();
            if (y > 0 && y + m.lineSpacing() > area.height()) {
                printer.newPage();
                y = 0;
            }
            y += m.lineSpacing();
            // Columns are character cells of the line's (fixed-pitch) font.
            if (!l.texto.isEmpty()) p.drawText(m.horizontalAdvance(u' ') * (std::max(l.columna, 1) - 1), y - m.descent(), l.texto);
        }
        p.end();
        r.ok = true;
        if (r.esPdf)
            dialogos().MsgBox(QStringLiteral("No hay una impresora instalada. El listado se guardó en el archivo ") + r.destino,
                              vbInformation, QStringLiteral("Aviso al operador"));
        return r;
    }
};

} // namespace

void usarImpresoraQt()
{
    static ImpresoraReal real;
    fijarImpresoraPorDefecto(&real);
}

} // namespace vexa::plataforma
