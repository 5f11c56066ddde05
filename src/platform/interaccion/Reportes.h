#pragma once
// The seam that lays a report (Reporte.h) out on A4 pages and sends it to the
// screen, the printer or a PDF file. The rules build a Reporte; the window level
// renders it (ReportesQt.h); tests install ReportesGuion, which records what
// would have been printed. Only the window level and what it runs link this.
#include "Reporte.h"

namespace vexa::plataforma {

class Reportes {
public:
    virtual ~Reportes() = default;
    virtual ResultadoReporte emitir(const Reporte& r, DestinoReporte destino, const QString& archivo = QString()) = 0;
};
Reportes& reportes();
void instalarReportes(Reportes* r); // nullptr restores the default one
// The default (the window level sets the Qt one: ReportesQt.h). Without one,
// reports fail with "No hay un sistema de impresión disponible.".
void fijarReportesPorDefecto(Reportes* r);

// Records each report as it would be printed.
class ReportesGuion : public Reportes {
public:
    struct Emitido {
        QString titulo;
        QStringList encabezado;
        QStringList cabeceras;      // column heads
        QList<QStringList> filas;   // every row's cells
        QStringList lineas;         // the plain lines' texts as printed (blanks up to their column)
        QList<LineaImpresa> formato; // the plain lines as given
        DestinoReporte destino = DestinoReporte::Pantalla;
        QString archivo;
    };
    QList<Emitido> emitidos;
    QString error; // not empty: every report fails with it
    ResultadoReporte emitir(const Reporte& r, DestinoReporte destino, const QString& archivo) override;
};

} // namespace vexa::plataforma
