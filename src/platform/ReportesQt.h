#pragma once
// The reports behind the seam (Reportes.h), drawn with QPainter page by page on
// A4: a preview window (QPrintPreviewDialog), the default printer (a PDF in the
// documents folder when there is none, and the operator is told where) or a
// PDF file.
#include "Reportes.h"

class QPagedPaintDevice;
class QPrinter;

namespace vexa::plataforma {

// Makes the Qt reports the answer of reportes() when no other was installed.
void usarReportesQt();

// Draws the report on the printer (already set up: page size, output); the
// pages and rows drawn go into the result. A row source's exception passes
// through after the painter was ended.
ResultadoReporte dibujarReporte(const Reporte& r, QPrinter& impresora);

} // namespace vexa::plataforma
