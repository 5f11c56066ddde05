#include "MotorReportes.h"

#include "Errores.h"
#include "Reportes.h"

// The report engine's printing: through the report seam, so it builds with it.

namespace vexa {

plataforma::ResultadoReporte MotorReportes::EmiteReporte(const plataforma::Reporte& reporte) const
{
    const plataforma::DestinoReporte destino = Destino == DestinoImpresora ? plataforma::DestinoReporte::Impresora
                                               : Destino == DestinoArchivo ? plataforma::DestinoReporte::Archivo
                                                                           : plataforma::DestinoReporte::Pantalla;
    const plataforma::ResultadoReporte r = plataforma::reportes().emitir(reporte, destino, ArchivoDestino);
    if (!r.ok) throw ErrorVexa(482, r.error.isEmpty() ? QStringLiteral("Error de impresora") : r.error);
    return r;
}

plataforma::ResultadoReporte MotorReportes::GeneraReporte(Conexion& con, const QString& nombre, const QStringList& parametros,
                                                           const FormulaReporte& seleccion, const QHash<QString, QString>& formulas)
{
    return EmiteReporte(ArmaReporte(con, nombre, parametros, seleccion, formulas));
}

} // namespace vexa
