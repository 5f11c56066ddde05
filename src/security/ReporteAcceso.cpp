#include "ReporteAcceso.h"

#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Usuarios.h"
#include "Utilidades.h"

namespace vexa {

namespace {
// "yyyy-MM-dd HH:mm:ss" (a timestamp cast to text on both backends) shown as
// "dd/MM/yyyy HH:mm", by slicing: parsing a date per cell would cost more than
// the query itself.
QString fechaHora(const QString& t)
{
    if (t.size() < 16 || t[4] != u'-' || t[7] != u'-') return t;
    QString r;
    r.reserve(16);
    r += QStringView(t).mid(8, 2);
    r += u'/';
    r += QStringView(t).mid(5, 2);
    r += u'/';
    r += QStringView(t).left(4);
    r += u' ';
    r += QStringView(t).mid(11, 5);
    return r;
}

QString rango(const QString& titulo, const QString& desde, const QString& hasta)
{
    return titulo + QStringLiteral(" desde: ") + (desde.isEmpty() ? QStringLiteral("(primero)") : desde) +
           QStringLiteral("  hasta: ") + (hasta.isEmpty() ? QStringLiteral("(último)") : hasta);
}

plataforma::Reporte armarAcceso(const PedidoReporte& p)
{
    plataforma::Reporte r;
    r.titulo = QStringLiteral("Reporte Control de Acceso Usuarios");
    r.encabezado = {p.formulas.value(QStringLiteral("EMPRESA")), p.formulas.value(QStringLiteral("RANGO_USUARIOS")),
                    p.formulas.value(QStringLiteral("RANGO_FECHAS"))};
    r.puntosCuerpo = 7;
    // Landscape: the task names and the window names of the log fit whole on
    // the line (a longer text goes on over the next lines of its column).
    r.apaisado = true;
    r.columnas = {{QStringLiteral("Usuario"), 25},    {QStringLiteral("Máquina"), 20}, {QStringLiteral("Formulario"), 24},
                  {QStringLiteral("Tarea"), 60},      {QStringLiteral("Ingreso"), 16}, {QStringLiteral("Egreso"), 16}};
    Conexion* con = p.con;
    const FormulaReporte sel = p.seleccion;
    r.filas = [con, sel](const plataforma::SumideroFilas& sumidero) {
        // The times come as text: the drivers' own conversion to a date and time
        // costs more than the query.
        QString sql = QStringLiteral("SELECT NombreUsuario, MAQUINA, FORMULARIO, TAREA, CAST(INGRESO AS TEXT) AS INGRESO, "
                                     "CAST(EGRESO AS TEXT) AS EGRESO FROM CONTROL_ACCESO");
        if (!sel.vacia()) sql += QStringLiteral(" WHERE ") + sel.condicion;
        sql += QStringLiteral(" ORDER BY CONTROL_ACCESO.NombreUsuario, CONTROL_ACCESO.INGRESO, CONTROL_ACCESO.ID");
        Recordset rs = con->ObtenerRecordset(sql, sel.parametros);
        // Columns by position, in the order selected.
        for (; !rs.eof(); rs.siguiente()) {
            const Fila& f = rs.fila();
            if (!sumidero({f.texto(0), f.texto(1), f.texto(2), f.texto(3), fechaHora(f.texto(4)), fechaHora(f.texto(5))})) return;
        }
    };
    return r;
}
} // namespace

void registrarReportesSeguridad()
{
    if (existeReporte(QString::fromLatin1(REPORTE_ACCESO))) return;
    registrarReporte(QString::fromLatin1(REPORTE_ACCESO),
                     {{QStringLiteral("CONTROL_ACCESO.NOMBREUSUARIO"), QStringLiteral("CONTROL_ACCESO.INGRESO")}, armarAcceso});
}

QList<CriterioReporte> CriteriosAcceso(const PedidoAcceso& p)
{
    auto fecha = [](const QString& s) {
        const QString t = texto::recortar(s);
        return Utilidades::TextoAFecha(t).isValid() ? t : QString();
    };
    return {{texto::recortar(p.usuarioDesde).toUpper(), texto::recortar(p.usuarioHasta).toUpper(),
             QString::fromLatin1(CAMPO_ACCESO_USUARIO), CRITERIO_TEXTO},
            {fecha(p.fechaDesde), fecha(p.fechaHasta), QString::fromLatin1(CAMPO_ACCESO_INGRESO), CRITERIO_FECHA}};
}

QString ArmarReporteAcceso(ContextoEmpresa& ctx, const MotorReportes& motor, const PedidoAcceso& p, plataforma::Reporte& reporte)
{
    registrarReportesSeguridad();
    const QList<CriterioReporte> criterios = CriteriosAcceso(p);
    FormulaReporte formula;
    QString error;
    if (!motor.ArmaFormula(criterios, formula, error) || !texto::recortar(error).isEmpty()) return error;
    // The supervisor's visits never appear, whatever the selection.
    formula.agregar(QStringLiteral("COALESCE(UPPER(TRIM(CONTROL_ACCESO.NombreUsuario)), '') <> ?"), {UsuarioSupervisor()},
                    {QStringLiteral("CONTROL_ACCESO.NOMBREUSUARIO")});
    const QHash<QString, QString> formulas{
        {QStringLiteral("EMPRESA"), texto::recortar(ctx.configuracion().ObtieneValor(QStringLiteral("NOMBRE")))},
        {QStringLiteral("RANGO_USUARIOS"), rango(QStringLiteral("Usuarios"), criterios[0].desde, criterios[0].hasta)},
        {QStringLiteral("RANGO_FECHAS"), rango(QStringLiteral("Fechas de ingreso"), criterios[1].desde, criterios[1].hasta)},
    };
    reporte = motor.ArmaReporte(ctx.con(), QString::fromLatin1(REPORTE_ACCESO), {}, formula, formulas);
    return QString();
}

} // namespace vexa
