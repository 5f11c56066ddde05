#include "Conexion.h"

#include <QRegularExpression>
#include <QSet>

// Statements built from a table's name and a row's values: the names are
// checked, every value is bound.

namespace vexa {

bool esIdentificadorValido(const QString& nombre)
{
    // Bracketed names may hold blanks and hyphens ([NUMERO ASIENTO], [DEBE-HABER]).
    static const QRegularExpression re(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*|\\[[A-Za-z0-9_ \\-]+\\])$"));
    return re.match(nombre.trimmed()).hasMatch();
}

namespace {
void exigirIdentificador(const QString& n)
{
    // Names come from code and repeat on every row: remember the ones already checked.
    thread_local QSet<QString> validos;
    if (validos.contains(n)) return;
    if (!esIdentificadorValido(n)) throw ErrorBD(-2147217900, QStringLiteral("Nombre de tabla o campo no válido: ") + n);
    if (validos.size() < 4096) validos.insert(n);
}
} // namespace

qint64 Conexion::Insertar(const QString& tabla, const Valores& valores, const QString& columnaId)
{
    exigirIdentificador(tabla);
    QString cols, marcas;
    Params p;
    p.reserve((int)valores.size());
    for (const auto& [c, v] : valores) {
        exigirIdentificador(c);
        if (!cols.isEmpty()) { cols += QStringLiteral(", "); marcas += QStringLiteral(", "); }
        cols += c;
        marcas += u'?';
        p << v;
    }
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(tabla, cols, marcas);
    if (columnaId.isEmpty()) {
        EjecutarSQL(sql, p);
        return 0;
    }
    exigirIdentificador(columnaId);
    return Escalar(sql + QStringLiteral(" RETURNING ") + columnaId, p).toLongLong();
}

int Conexion::Actualizar(const QString& tabla, const Valores& valores, const QString& donde, const Params& p)
{
    exigirIdentificador(tabla);
    QString sets;
    Params todos;
    for (const auto& [c, v] : valores) {
        exigirIdentificador(c);
        if (!sets.isEmpty()) sets += QStringLiteral(", ");
        sets += c + QStringLiteral(" = ?");
        todos << v;
    }
    todos += p;
    QString sql = QStringLiteral("UPDATE %1 SET %2").arg(tabla, sets);
    if (!donde.trimmed().isEmpty()) sql += QStringLiteral(" WHERE ") + donde;
    return EjecutarSQL(sql, todos);
}

int Conexion::Eliminar(const QString& tabla, const QString& donde, const Params& p)
{
    exigirIdentificador(tabla);
    QString sql = QStringLiteral("DELETE FROM ") + tabla;
    if (!donde.trimmed().isEmpty()) sql += QStringLiteral(" WHERE ") + donde;
    return EjecutarSQL(sql, p);
}

bool Conexion::ExisteRegistro(const QString& tabla, const QVariant& valor, const QString& campo,
                              const QString& condicionExtra, const Params& extra)
{
    exigirIdentificador(tabla);
    exigirIdentificador(campo);
    QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(tabla, campo);
    if (!condicionExtra.trimmed().isEmpty()) sql += QStringLiteral(" AND (") + condicionExtra + u')';
    sql += QStringLiteral(" LIMIT 1");
    Params p{valor};
    p += extra;
    return PrimeraFila(sql, p).has_value();
}

QVariant Conexion::BuscaValor(const QString& tabla, const QVariant& clave, const QString& campoResultado,
                              const QString& campoClave, const QString& condicion, const Params& extra)
{
    exigirIdentificador(tabla);
    exigirIdentificador(campoResultado);
    exigirIdentificador(campoClave);
    QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(campoResultado, tabla, campoClave);
    if (!condicion.trimmed().isEmpty()) sql += QStringLiteral(" AND (") + condicion + u')';
    sql += QStringLiteral(" LIMIT 1");
    Params p{clave};
    p += extra;
    return Escalar(sql, p);
}

QVariant Conexion::ObtieneMaximo(const QString& tabla, const QString& campo, const QString& condicion, const Params& extra)
{
    exigirIdentificador(tabla);
    exigirIdentificador(campo);
    QString sql = QStringLiteral("SELECT MAX(%1) FROM %2").arg(campo, tabla);
    if (!condicion.trimmed().isEmpty()) sql += QStringLiteral(" WHERE ") + condicion;
    return Escalar(sql, extra);
}

} // namespace vexa
