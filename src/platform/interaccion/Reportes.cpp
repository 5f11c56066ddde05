#include "Reportes.h"

#include <algorithm>

namespace vexa::plataforma {

namespace {
Reportes* g_reportes = nullptr;
Reportes* g_reportesPorDefecto = nullptr;

// Without a window system there is nothing to print with.
class ReportesAusentes : public Reportes {
public:
    ResultadoReporte emitir(const Reporte&, DestinoReporte, const QString&) override
    {
        ResultadoReporte r;
        r.error = QStringLiteral("No hay un sistema de impresión disponible.");
        return r;
    }
};
} // namespace

Reportes& reportes()
{
    static ReportesAusentes ausentes;
    if (g_reportes) return *g_reportes;
    return g_reportesPorDefecto ? *g_reportesPorDefecto : ausentes;
}
void instalarReportes(Reportes* r) { g_reportes = r; }
void fijarReportesPorDefecto(Reportes* r) { g_reportesPorDefecto = r; }

ResultadoReporte ReportesGuion::emitir(const Reporte& r, DestinoReporte destino, const QString& archivo)
{
    ResultadoReporte res;
    if (!error.isEmpty()) {
        res.error = error;
        return res;
    }
    Emitido e;
    e.titulo = r.titulo;
    e.encabezado = r.encabezado;
    for (const ColumnaReporte& c : r.columnas) e.cabeceras << c.titulo;
    for (const LineaImpresa& l : r.lineas)
        e.lineas << (l.texto.isEmpty() ? QString() : QString(std::max(l.columna, 1) - 1, u' ') + l.texto);
    e.formato = r.lineas;
    if (r.filas)
        r.filas([&](const QStringList& celdas) {
            e.filas << celdas;
            return true;
        });
    e.destino = destino;
    e.archivo = archivo;
    res.filas = e.filas.size();
    res.paginas = 1;
    emitidos << e;
    res.ok = true;
    res.destino = destino == DestinoReporte::Archivo ? archivo : QStringLiteral("guion");
    res.esPdf = destino == DestinoReporte::Archivo;
    return res;
}

} // namespace vexa::plataforma
