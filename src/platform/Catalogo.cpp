// The catalogue lookup of Conexion (see Conexion.h): tables, views and their
// columns as each backend's own catalogue declares them.
#include "Conexion.h"

#include <QRegularExpression>

namespace vexa {

namespace {

constexpr int kNoEnCatalogo = -2147217865; // the number the data layer gives an unknown object

QString citar(const QString& nombre)
{
    QString n = nombre;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

ColumnaCatalogo::Tipo tipoSQLite(const QString& declarado)
{
    using T = ColumnaCatalogo::Tipo;
    const QString t = declarado.trimmed().toUpper();
    if (t.startsWith(QLatin1String("MONEDA"))) return T::Moneda;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) || t.contains(QLatin1String("CLOB"))) return T::Texto;
    if (t.startsWith(QLatin1String("DATETIME")) || t.startsWith(QLatin1String("TIMESTAMP"))) return T::FechaHora;
    if (t.startsWith(QLatin1String("DATE"))) return T::Fecha;
    if (t.contains(QLatin1String("INT"))) return T::Entero;
    if (t.startsWith(QLatin1String("REAL")) || t.startsWith(QLatin1String("DOUBLE")) || t.startsWith(QLatin1String("FLOAT")))
        return T::Doble;
    if (t.startsWith(QLatin1String("NUMERIC")) || t.startsWith(QLatin1String("DECIMAL"))) return T::Decimal;
    return T::Otro;
}

ColumnaCatalogo::Tipo tipoPostgreSQL(const QString& tipo, int precision, int escala)
{
    using T = ColumnaCatalogo::Tipo;
    const QString t = tipo.trimmed().toLower();
    if (t == QLatin1String("character") || t == QLatin1String("character varying") || t == QLatin1String("text") ||
        t == QLatin1String("bpchar"))
        return T::Texto;
    if (t == QLatin1String("integer") || t == QLatin1String("bigint") || t == QLatin1String("smallint")) return T::Entero;
    if (t == QLatin1String("double precision") || t == QLatin1String("real")) return T::Doble;
    if (t == QLatin1String("numeric")) return precision == 19 && escala == 4 ? T::Moneda : T::Decimal;
    if (t == QLatin1String("date")) return T::Fecha;
    if (t.startsWith(QLatin1String("timestamp"))) return T::FechaHora;
    return T::Otro;
}

// Widths declared by the schema's checks named "largo COLUMNA n".
QHash<QString, int> anchosDeChequeos(const QStringList& textos)
{
    static const QRegularExpression re(QStringLiteral("largo ([A-Za-z0-9_ ]+?) ([0-9]+)\"?"));
    QHash<QString, int> r;
    for (const QString& t : textos)
        for (auto it = re.globalMatch(t); it.hasNext();) {
            const auto m = it.next();
            r.insert(m.captured(1).toUpper(), m.captured(2).toInt());
        }
    return r;
}

} // namespace

QString ColumnaCatalogo::citado() const { return citar(nombre); }
QString TablaCatalogo::citado() const { return citar(nombre); }

const ColumnaCatalogo* TablaCatalogo::columna(const QString& n) const
{
    const QString buscado = n.trimmed();
    for (const ColumnaCatalogo& c : columnas)
        if (QString::compare(c.nombre, buscado, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

QString Conexion::MensajeTablaInexistente(const QString& tabla)
{
    return QStringLiteral("La tabla o vista «%1» no existe en la base de datos.").arg(tabla.trimmed());
}

QString Conexion::MensajeColumnaInexistente(const QString& tabla, const QString& columna)
{
    return QStringLiteral("La columna «%1» no existe en la tabla o vista «%2».").arg(columna.trimmed(), tabla.trimmed());
}

void Conexion::olvidarCatalogo()
{
    importes_.reset();
    tablasCatalogo_.clear();
}

std::optional<TablaCatalogo> Conexion::buscarEnCatalogo(const QString& tablaPedida)
{
    const QString tabla = tablaPedida.trimmed();
    if (tabla.isEmpty()) return std::nullopt;
    const QString clave = tabla.toUpper();
    if (auto it = tablasCatalogo_.constFind(clave); it != tablasCatalogo_.cend()) return *it;

    TablaCatalogo t;
    if (motor() == Motor::SQLite) {
        Recordset rs = ObtenerRecordset(QStringLiteral("SELECT name, type, sql FROM sqlite_master "
                                                       "WHERE type IN ('table', 'view') AND upper(name) = upper(?)"),
                                        {tabla});
        if (rs.eof()) return std::nullopt;
        t.nombre = rs.texto(QStringLiteral("name"));
        t.esVista = rs.texto(QStringLiteral("type")) == QLatin1String("view");
        const QHash<QString, int> anchos = anchosDeChequeos({rs.texto(QStringLiteral("sql"))});
        rs.cerrar();
        static const QRegularExpression largo(QStringLiteral("CHAR\\s*\\(\\s*([0-9]+)\\s*\\)"),
                                              QRegularExpression::CaseInsensitiveOption);
        for (const Fila& f : ObtenerRecordset(QStringLiteral("SELECT name, type FROM pragma_table_xinfo(?)"), {t.nombre}).todas()) {
            ColumnaCatalogo c;
            c.nombre = f.texto(QStringLiteral("name"));
            const QString tipo = f.texto(QStringLiteral("type"));
            c.tipo = tipoSQLite(tipo);
            c.ancho = anchos.value(c.nombre.toUpper(), 0);
            if (c.ancho == 0)
                if (const auto m = largo.match(tipo); m.hasMatch()) c.ancho = m.captured(1).toInt();
            t.columnas.push_back(std::move(c));
        }
    } else {
        // Unquoted names are kept in lower case; a name created quoted keeps its
        // own spelling: the exact spelling first, then the lower-case one.
        const std::vector<Fila> halladas =
            ObtenerRecordset(QStringLiteral("SELECT table_name, table_type FROM information_schema.tables "
                                            "WHERE table_schema = current_schema() AND upper(table_name) = upper(?) "
                                            "ORDER BY table_name"),
                             {tabla})
                .todas();
        if (halladas.empty()) return std::nullopt;
        const Fila* elegida = &halladas.front();
        for (const Fila& f : halladas)
            if (f.texto(0) == tabla) elegida = &f;
        if (elegida->texto(0) != tabla)
            for (const Fila& f : halladas)
                if (f.texto(0) == tabla.toLower()) elegida = &f;
        t.nombre = elegida->texto(0);
        t.esVista = elegida->texto(1).contains(QLatin1String("VIEW"), Qt::CaseInsensitive);
        QStringList chequeos;
        for (const Fila& f : ObtenerRecordset(QStringLiteral("SELECT c.conname FROM pg_constraint c "
                                                             "JOIN pg_class t ON t.oid = c.conrelid "
                                                             "JOIN pg_namespace n ON n.oid = t.relnamespace "
                                                             "WHERE n.nspname = current_schema() AND t.relname = ? "
                                                             "AND c.contype = 'c'"),
                                              {t.nombre})
                                 .todas())
            chequeos << f.texto(0);
        const QHash<QString, int> anchos = anchosDeChequeos(chequeos);
        for (const Fila& f : ObtenerRecordset(QStringLiteral("SELECT column_name, data_type, character_maximum_length, "
                                                             "numeric_precision, numeric_scale FROM information_schema.columns "
                                                             "WHERE table_schema = current_schema() AND table_name = ? "
                                                             "ORDER BY ordinal_position"),
                                              {t.nombre})
                                 .todas()) {
            ColumnaCatalogo c;
            c.nombre = f.texto(0);
            c.tipo = tipoPostgreSQL(f.texto(1), int(f.entero(QStringLiteral("numeric_precision"))),
                                    int(f.entero(QStringLiteral("numeric_scale"))));
            c.ancho = anchos.value(c.nombre.toUpper(), int(f.entero(QStringLiteral("character_maximum_length"))));
            t.columnas.push_back(std::move(c));
        }
    }
    tablasCatalogo_.insert(clave, t);
    return t;
}

TablaCatalogo Conexion::Catalogo(const QString& tabla)
{
    auto t = buscarEnCatalogo(tabla);
    if (!t) throw ErrorBD(kNoEnCatalogo, MensajeTablaInexistente(tabla), QString(), QString(), ErrorBD::Causa::NoEnCatalogo);
    return *t;
}

ColumnaCatalogo Conexion::CatalogoColumna(const QString& tabla, const QString& columna)
{
    const TablaCatalogo t = Catalogo(tabla);
    const ColumnaCatalogo* c = t.columna(columna);
    if (!c || columna.trimmed().isEmpty())
        throw ErrorBD(kNoEnCatalogo, MensajeColumnaInexistente(tabla, columna), QString(), QString(),
                      ErrorBD::Causa::NoEnCatalogo);
    return *c;
}

QString Conexion::NombreTabla(const QString& tabla) { return Catalogo(tabla).citado(); }

QString Conexion::NombreColumna(const QString& tabla, const QString& columna)
{
    return CatalogoColumna(tabla, columna).citado();
}

bool Conexion::ExisteEnCatalogo(const QString& tabla, const QString& columna)
{
    const auto t = buscarEnCatalogo(tabla);
    if (!t) return false;
    return columna.trimmed().isEmpty() || t->columna(columna) != nullptr;
}

} // namespace vexa
