#pragma once
// The access-log report "rp_rz069": the visits of CONTROL_ACCESO (user,
// machine, window, task, entry and exit) by user and entry, under the company
// name, the title and the ranges asked for. Building it is window-free; the
// report window and the benchmark print it with EmitirReporteAcceso (RP_Acceso.h).
#include "MotorReportes.h"

#include <QString>

namespace vexa {

class ContextoEmpresa;

inline constexpr const char* REPORTE_ACCESO = "rp_rz069";
inline constexpr const char* CAMPO_ACCESO_USUARIO = "{Control_Acceso.NombreUsuario}";
inline constexpr const char* CAMPO_ACCESO_INGRESO = "({control_acceso.ingreso})";

// Registers "rp_rz069" with the report engine (once; later calls do nothing).
void registrarReportesSeguridad();

// What the operator asked for: a range of user names and one of entry dates
// (texts as typed; an empty end is open).
struct PedidoAcceso {
    QString usuarioDesde, usuarioHasta;
    QString fechaDesde, fechaHasta;
};

// The criteria of a request: the user names trimmed and upper-cased, the dates
// trimmed (a text that is not a date sent empty).
QList<CriterioReporte> CriteriosAcceso(const PedidoAcceso& p);

// Builds the report with the engine given into 'reporte'. Returns the engine's
// error text when the criteria cannot be used (nothing runs then); throws
// ErrorVexa/ErrorBD when the report itself fails. The supervisor's visits are
// always left out. The window prints it (EmitirReporteAcceso, RP_Acceso.h).
QString ArmarReporteAcceso(ContextoEmpresa& ctx, const MotorReportes& motor, const PedidoAcceso& p,
                           plataforma::Reporte& reporte);

} // namespace vexa
