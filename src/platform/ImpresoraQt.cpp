#include "ImpresoraQt.h"

#include "Dialogos.h"

#include <QDir>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vexa::plataforma {

namespace {

class ImpresoraReal : public Impresora {
public:
    ResultadoImpresion imprimirLineas(const QString& titulo, const QStringList& lineas) override
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
        QFont f(QStringLiteral("Monospace"), 9);
        f.setStyleHint(QFont::TypeWriter);
        p.setFont(f);
        const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
        const int alto = p.fontMetrics().lineSpacing();
        int y = alto;
        auto cabecera = [&] {
            QFont fb = f; fb.setBold(true); p.setFont(fb);
            p.drawText(0, y, titulo);
            p.setFont(f);
            y += alto * 2;
        };
        cabecera();
        for (const QString& l : lineas) {
            if (y > area.height() - alto) { printer.newPage(); y = alto; cabecera(); }
            p.drawText(0, y, l);
            y += alto;
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
