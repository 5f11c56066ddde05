#include "GrabacionBienes.h"

#include "ReglasBienes.h"
#include "Utilidades.h"

#include <vector>

namespace vexa::bienes {

namespace {

const QString kBloqueoBienes = QStringLiteral("MA_BIENES");

QVariant monto(const Moneda& m) { return QVariant::fromValue(m); }
QVariant fecha(const QDate& d) { return d.isValid() ? QVariant(d) : QVariant(); }

// The opening rows of one item (the asset, ID 0, or an improvement).
void GrabarFilasApertura(Conexion& con, const GrabacionBien& g, qint64 codigo, qint64 id, double porcentajeAnual)
{
    if (g.sinPlanilla || g.periodo == g.periodoActivo) return;
    // The fiscal years as created, in order: the last closed one is the row
    // before the active year.
    std::vector<qint64> anios;
    for (Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT PERIODO FROM MV_EJERCICIOS WHERE PERIODO >= ? AND PERIODO < ? "
                                                            "ORDER BY PERIODO"),
                                             {g.periodo, g.periodoActivo});
         !rs.eof(); rs.siguiente())
        anios.push_back(rs.entero(QStringLiteral("PERIODO")));
    if (anios.empty()) return;
    const qint64 cerrado = anios.back();
    if (!con.ExisteRegistro(QStringLiteral("MV_EJERCICIOS"), g.periodoActivo, QStringLiteral("PERIODO"))) return;
    const QString cuenta = texto::recortar(g.cuentaContable);
    const Moneda cero;
    anios.pop_back();
    for (qint64 anio : anios)
        con.Insertar(QStringLiteral("MV_CALCULO_BIENES"), {{QStringLiteral("CODIGO"), codigo},
                                                           {QStringLiteral("ID"), id},
                                                           {QStringLiteral("PERIODO"), anio},
                                                           {QStringLiteral("CUENTA"), cuenta},
                                                           {QStringLiteral("PERIODO_DE_CALCULO"), 0},
                                                           {QStringLiteral("CA_VC"), 0.0},
                                                           {QStringLiteral("COSTO"), monto(cero)},
                                                           {QStringLiteral("COEFICIENTE"), 0.0},
                                                           {QStringLiteral("PORCENTAJE_DEP"), 0.0},
                                                           {QStringLiteral("DEP_EJERCICIO"), monto(cero)},
                                                           {QStringLiteral("DEP_ACUMULADA"), monto(cero)}});
    const PlanillaApertura& p = g.planilla;
    const double costoInicio = p.costoInicio.aDoble();
    Valores fila = {{QStringLiteral("CODIGO"), codigo},
                    {QStringLiteral("ID"), id},
                    {QStringLiteral("PERIODO"), cerrado},
                    {QStringLiteral("CUENTA"), cuenta},
                    {QStringLiteral("FECHA_CIERRE"), fecha(p.fechaCierre)},
                    {QStringLiteral("PERIODO_DE_CALCULO"), p.meses},
                    {QStringLiteral("CA_VC"), costoInicio * p.coeficiente},
                    {QStringLiteral("COSTO"), monto(p.costoInicio)},
                    {QStringLiteral("COEFICIENTE"), p.coeficiente},
                    {QStringLiteral("PORCENTAJE_DEP"), porcentajeAnual / 12.0 * double(p.meses)},
                    {QStringLiteral("DEP_EJERCICIO"), monto(p.depEjercicio)},
                    {QStringLiteral("DEP_ACUMULADA"), monto(p.depAcumulada)}};
    if (id == 0) fila.push_back({QStringLiteral("VALOR_RECUPERO"), monto(g.valorRecupero)});
    con.Insertar(QStringLiteral("MV_CALCULO_BIENES"), fila);
}

} // namespace

BienInexistente::BienInexistente() : ErrorVexa(0, QStringLiteral("Código Inexistente")) {}

QString PorcentajeTexto(double porcentaje)
{
    QString t = QString::number(porcentaje, 'f', 2);
    const bool negativo = t.startsWith(u'-');
    if (negativo) t.remove(0, 1);
    while (t.indexOf(u'.') < 2) t.prepend(u'0');
    return negativo ? QStringLiteral("-") + t : t;
}

ResultadoGrabacion GrabarBien(Conexion& con, const GrabacionBien& g)
{
    ResultadoGrabacion r;
    if (g.modo == ModoGrabacion::Nada) return r;
    Transaccion t(con, true);
    con.bloquearFamilia(kBloqueoBienes);
    switch (g.modo) {
    case ModoGrabacion::Alta: {
        r.codigo = con.Escalar(QStringLiteral("SELECT COALESCE(MAX(CODIGO), 0) + 1 FROM MA_BIENES")).toLongLong();
        con.Insertar(QStringLiteral("MA_BIENES"), {{QStringLiteral("CODIGO"), r.codigo},
                                                   {QStringLiteral("SERIE"), texto::recortar(g.serie)},
                                                   {QStringLiteral("CUENTA_CONTABLE"), texto::recortar(g.cuentaContable)},
                                                   {QStringLiteral("CUENTA_EJERCICIO"), texto::recortar(g.cuentaEjercicio)},
                                                   {QStringLiteral("CUENTA_ACUMULADA"), texto::recortar(g.cuentaAcumulada)},
                                                   {QStringLiteral("FECHA_COMPRA"), fecha(g.fechaCompra)},
                                                   {QStringLiteral("COSTO"), monto(g.costo)},
                                                   {QStringLiteral("VIDA_UTIL"), g.vidaUtil},
                                                   {QStringLiteral("PORCENTAJE"), PorcentajeTexto(g.porcentaje)},
                                                   {QStringLiteral("UBICACION"), g.ubicacion},
                                                   {QStringLiteral("AFECTA"), g.afecta},
                                                   {QStringLiteral("DESCRIPCION"), g.descripcion},
                                                   {QStringLiteral("PERIODO"), g.periodo},
                                                   {QStringLiteral("VALOR_RECUPERO"), monto(g.valorRecupero)},
                                                   {QStringLiteral("PERIODO_TIEMPO"), 0}});
        GrabarFilasApertura(con, g, r.codigo, 0, g.porcentaje);
        break;
    }
    case ModoGrabacion::Mejora: {
        r.codigo = g.codigo;
        if (!ExisteBien(con, g.codigo)) throw BienInexistente();
        r.id = con.Escalar(QStringLiteral("SELECT COALESCE(MAX(ID), 0) + 1 FROM MA_BIENES_NOVEDADES WHERE CODIGO = ?"), {g.codigo})
                   .toLongLong();
        con.Insertar(QStringLiteral("MA_BIENES_NOVEDADES"), {{QStringLiteral("CODIGO"), g.codigo},
                                                             {QStringLiteral("ID"), r.id},
                                                             {QStringLiteral("FECHA"), fecha(g.fechaMejora)},
                                                             {QStringLiteral("COSTO"), monto(g.costoMejora)},
                                                             {QStringLiteral("VALOR_RECUPERO"), monto(Moneda())},
                                                             {QStringLiteral("DESCRIPCION"), texto::recortar(g.detalleMejora)},
                                                             {QStringLiteral("VIDA_UTIL"), g.vidaUtilMejora},
                                                             {QStringLiteral("PORCENTAJE"), g.porcentajeMejora},
                                                             {QStringLiteral("PERIODO"), g.periodo},
                                                             {QStringLiteral("MES_OPERATIVO"), 0},
                                                             {QStringLiteral("TIPO_REG"), QString()},
                                                             {QStringLiteral("NRO_ASIENTO"), 0}});
        GrabarFilasApertura(con, g, g.codigo, r.id, g.porcentajeMejora);
        break;
    }
    case ModoGrabacion::Baja: {
        r.codigo = g.codigo;
        QString motivo = g.motivo;
        motivo.remove(QChar(u'\0'));
        const int n = con.Actualizar(QStringLiteral("MA_BIENES"),
                                     {{QStringLiteral("FECHA_BAJA"), fecha(g.fechaBaja)},
                                      {QStringLiteral("MOTIVO"), texto::recortar(motivo)}},
                                     QStringLiteral("CODIGO = ?"), {g.codigo});
        if (n == 0) throw BienInexistente();
        break;
    }
    case ModoGrabacion::Nada:
        break;
    }
    t.confirmar();
    return r;
}

} // namespace vexa::bienes
