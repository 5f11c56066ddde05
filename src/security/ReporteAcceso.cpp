#include "ReporteAcceso.h"

#include "CNStuffContable.h"
#include "ContextoEmpresa.h"
#include "Usuarios.h"
#include "Utilidades.h"

namespace vexa {

namespace {
// "yyyy-MM-dd HH:mm:ss" (how both backends' timestamps read as text) shown as
// "dd/MM/yyyy HH:mm", by slicing: parsing a date per cell would cost more than
// the query itself.
QString fechaHora(const Recordset& rs, const QString& campo)
{
    const QVariant v = rs.valor(campo);
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime d = v.toDateTime();
        int a = 0, m = 0, dia = 0;
        d.date().getDate(&a, &m, &dia);
        const QTime h = d.time();
        auto dos = [](int n) { return QString::number(n).rightJustified(2, u'0'); };
        return dos(dia) + u'/' + dos(m) + u'/' + QString::number(a) + u' ' + dos(h.hour()) + u':' + dos(h.minute());
    }
    const QString t = rs.texto(campo);
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
    r.columnas = {{QStringLiteral("Usuario"), 20},    {QStringLiteral("Máquina"), 14}, {QStringLiteral("Formulario"), 18},
                  {QStringLiteral("Tarea"), 30},      {QStringLiteral("Ingreso"), 16}, {QStringLiteral("Egreso"), 16}};
    Conexion* con = p.con;
    const FormulaReporte sel = p.seleccion;
    r.filas = [con, sel](const plataforma::SumideroFilas& sumidero) {
        QString sql = QStringLiteral("SELECT NombreUsuario, MAQUINA, FORMULARIO, TAREA, INGRESO, EGRESO FROM CONTROL_ACCESO");
        if (!sel.vacia()) sql += QStringLiteral(" WHERE ") + sel.condicion;
        sql += QStringLiteral(" ORDER BY NombreUsuario, INGRESO, ID");
        Recordset rs = con->ObtenerRecordset(sql, sel.parametros);
        const QString u = QStringLiteral("NombreUsuario"), m = QStringLiteral("MAQUINA"), f = QStringLiteral("FORMULARIO"),
                      t = QStringLiteral("TAREA"), i = QStringLiteral("INGRESO"), e = QStringLiteral("EGRESO");
        for (; !rs.eof(); rs.siguiente())
            if (!sumidero({rs.texto(u), rs.texto(m), rs.texto(f), rs.texto(t), fechaHora(rs, i), fechaHora(rs, e)})) return;
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

QString EmitirReporteAcceso(ContextoEmpresa& ctx, MotorReportes& motor, const PedidoAcceso& p, plataforma::ResultadoReporte* resultado)
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
        {QStringLiteral("EMPRESA"), texto::recortar(Cfg(ctx, QStringLiteral("NOMBRE")))},
        {QStringLiteral("RANGO_USUARIOS"), rango(QStringLiteral("Usuarios"), criterios[0].desde, criterios[0].hasta)},
        {QStringLiteral("RANGO_FECHAS"), rango(QStringLiteral("Fechas de ingreso"), criterios[1].desde, criterios[1].hasta)},
    };
    const plataforma::ResultadoReporte r = motor.GeneraReporte(ctx.con(), QString::fromLatin1(REPORTE_ACCESO), {}, formula, formulas);
    if (resultado) *resultado = r;
    return QString();
}

} // namespace vexa
