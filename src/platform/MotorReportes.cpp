#include "MotorReportes.h"

#include "Errores.h"
#include "Utilidades.h"

#include <QMap>
#include <QRegularExpression>

namespace vexa {

namespace {
QMap<QString, DefinicionReporte>& definiciones()
{
    static QMap<QString, DefinicionReporte> d;
    return d;
}

bool esTexto(qint16 t) { return t == 129 || t == 200 || t == 202 || t == 130 || t == 8; }
bool esFecha(qint16 t) { return t == 7 || t == 133 || t == 135; }
} // namespace

void FormulaReporte::agregar(const QString& cond, const Params& p, const QStringList& camposUsados)
{
    if (cond.trimmed().isEmpty()) return;
    condicion = vacia() ? cond : QStringLiteral("(") + condicion + QStringLiteral(") AND ") + cond;
    parametros += p;
    for (const QString& c : camposUsados)
        if (!campos.contains(c.toUpper())) campos << c.toUpper();
}

void registrarReporte(const QString& nombre, DefinicionReporte definicion)
{
    definiciones().insert(nombre.trimmed().toUpper(), std::move(definicion));
}

bool existeReporte(const QString& nombre) { return definiciones().contains(nombre.trimmed().toUpper()); }

QString CampoDeReporte(const QString& campo)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*\\(?\\s*\\{\\s*([A-Za-z_][A-Za-z0-9_]*)\\.([A-Za-z_][A-Za-z0-9_]*)\\s*\\}\\s*\\)?\\s*$"));
    const QRegularExpressionMatch m = re.match(campo);
    if (!m.hasMatch()) return QString();
    return (m.captured(1) + u'.' + m.captured(2)).toUpper();
}

bool MotorReportes::ArmaFormula(const QList<CriterioReporte>& criterios, FormulaReporte& formula, QString& error) const
{
    formula = FormulaReporte();
    error.clear();
    FormulaReporte f;
    for (const CriterioReporte& c : criterios) {
        const QString desde = texto::recortar(c.desde), hasta = texto::recortar(c.hasta);
        const QString campo = CampoDeReporte(c.campo);
        if (campo.isEmpty()) {
            error = QStringLiteral("El campo del reporte no es válido: ") + c.campo;
            return false;
        }
        if (esTexto(c.tipo)) {
            if (!desde.isEmpty()) f.agregar(campo + QStringLiteral(" >= ?"), {desde}, {campo});
            if (!hasta.isEmpty()) f.agregar(campo + QStringLiteral(" <= ?"), {hasta}, {campo});
        } else if (esFecha(c.tipo)) {
            const QDate d = Utilidades::TextoAFecha(desde), h = Utilidades::TextoAFecha(hasta);
            if ((!desde.isEmpty() && !d.isValid()) || (!hasta.isEmpty() && !h.isValid())) {
                error = QStringLiteral("La fecha ingresada no es correcta: ") + (!desde.isEmpty() && !d.isValid() ? desde : hasta);
                return false;
            }
            if (d.isValid() && h.isValid() && d > h) {
                error = QStringLiteral("La fecha desde es mayor que la fecha Hasta");
                return false;
            }
            // Whole days: from the first day's start to the start of the day after the last.
            if (d.isValid()) f.agregar(campo + QStringLiteral(" >= ?"), {QDateTime(d, QTime(0, 0))}, {campo});
            if (h.isValid()) f.agregar(campo + QStringLiteral(" < ?"), {QDateTime(h.addDays(1), QTime(0, 0))}, {campo});
        } else {
            error = QStringLiteral("Tipo de criterio no admitido: ") + QString::number(c.tipo);
            return false;
        }
    }
    formula = f;
    return true;
}

plataforma::Reporte MotorReportes::ArmaReporte(Conexion& con, const QString& nombre, const QStringList& parametros,
                                              const FormulaReporte& seleccion, const QHash<QString, QString>& formulas) const
{
    const auto it = definiciones().constFind(nombre.trimmed().toUpper());
    if (it == definiciones().constEnd()) throw ErrorVexa(1001, QStringLiteral("No existe el reporte ") + nombre);
    const DefinicionReporte& def = *it;
    for (const QString& c : seleccion.campos) {
        bool conocido = false;
        for (const QString& k : def.campos) conocido = conocido || texto::igual(k, c);
        if (!conocido) throw ErrorVexa(1002, QStringLiteral("El reporte ") + nombre + QStringLiteral(" no tiene el campo ") + c);
    }
    PedidoReporte pedido;
    pedido.con = &con;
    pedido.nombre = nombre;
    pedido.parametros = parametros;
    pedido.seleccion = seleccion;
    for (auto f = formulas.begin(); f != formulas.end(); ++f) pedido.formulas.insert(f.key().toUpper(), f.value());
    return def.armar(pedido);
}

} // namespace vexa
