#pragma once
// Year-end pre-checks: what must be finished in a fiscal year before its
// legal-archive report or its closing may start.
//
//  * Sub-journals (MA_SUBDIARIOS) with lines of the year not yet included in a
//    summary entry (CONTABILIZADO null or 0); TIPO_REG matches the code
//    trimmed and without regard to case. Every such journal is listed, in
//    code order.
//  * Only when none is pending and "USA BIENES DE USO" is "SI": assets in use
//    (no FECHA_BAJA) bought in or before the year, and their improvements of
//    the year or before, with a useful life and no depreciation calculation
//    row (of any year). The first one found ends the check.
//
// The finding is returned as the operator's text ("" when the checks pass);
// showing it is the caller's. A database error throws (ErrorBD).
#include <QString>

namespace vexa {

class ContextoEmpresa;
class Progreso;

namespace cierre {

// Texts of the finding and of the progress box.
QString EncabezadoSubdiarios(); // "Atencion:Se ha detectado ... Resumen: " + CR
QString LineaSubdiario(const QString& codigo); // 37 blanks, the code as stored, CR
QString CierreSubdiarios();     // CR CR " Realice el Asiento Resumen ..."
QString MensajeDepreciaciones();
QString TituloProgreso();       // "Cancelación, Cierre y Apertura"
QString TituloAviso();          // "Aviso al operador!!!"

QString ValidacionesCierre(ContextoEmpresa& ctx, qint64 periodo, Progreso& progreso);

} // namespace cierre
} // namespace vexa
