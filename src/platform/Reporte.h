#pragma once
// What a printed report holds: a title, header lines, column heads and rows, or
// plain lines. The rules build one; the report seam (Reportes.h, window level)
// prints it.
//
// Rows are streamed: the report's 'filas' is called with a sink and hands it one
// row at a time (the sink answers false to stop). It is called once for each
// rendering (a preview renders again when the operator changes its view), so it
// must be able to start over, e.g. by running its query again. Nothing keeps
// every row in memory: each page is drawn and left behind.
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vexa::plataforma {

// One formatted plain line: its text starts at a character column (1 = the
// left margin) in the font size and emphasis given. An empty text is an empty
// line of that size.
struct LineaImpresa {
    QString texto;
    int columna = 1;
    int puntos = 10;
    bool negrita = false;
    bool subrayado = false;
    bool operator==(const LineaImpresa&) const = default;
};

// A column of the table: its head and width in characters of the body font.
struct ColumnaReporte {
    QString titulo;
    int ancho = 10;
    bool derecha = false; // right-aligned (amounts, numbers)
};

using SumideroFilas = std::function<bool(const QStringList& celdas)>;

struct Reporte {
    QString titulo;               // document name, and the page title when cabeceraEnPaginas
    QStringList encabezado;       // lines under the title (company, ranges)
    QList<ColumnaReporte> columnas; // empty: the rows are plain lines (their first cell)
    // Formatted lines printed before the rows (a heading block, a plain list).
    QList<LineaImpresa> lineas;
    // The rows; may be empty (a report of plain lines only).
    std::function<void(const SumideroFilas&)> filas;
    // Title, header lines and column heads at the top of every page, and the page
    // number at the foot. Off: the page is only the lines and rows, one after the
    // other, continuing on the next page.
    bool cabeceraEnPaginas = true;
    int puntosCuerpo = 8; // rows' font size
    bool apaisado = false; // A4 landscape, for rows wider than a portrait line
};

enum class DestinoReporte {
    Pantalla,  // a preview the operator can print from
    Impresora, // the default printer; a PDF in the documents folder when there is none
    Archivo    // the PDF file named by the caller
};

struct ResultadoReporte {
    bool ok = false;
    QString destino; // printer name or PDF path
    bool esPdf = false;
    QString error;
    int paginas = 0;
    qint64 filas = 0;
};

} // namespace vexa::plataforma
