#include "AnalisisSQL.h"

namespace vexa::sql {

namespace {

enum class Tipo { Nombre, Marca, Operador, Abre, Cierra, Coma, Punto, Literal, Numero };
struct Pieza {
    Tipo tipo;
    QString t; // names upper-cased without brackets or quotes
};

// "t.col" -> "col": the column name is what the catalogue knows.
std::vector<Pieza> sinPrefijos(const std::vector<Pieza>& r)
{
    std::vector<Pieza> sinPrefijo;
    sinPrefijo.reserve(r.size());
    for (size_t k = 0; k < r.size(); ++k) {
        if (r[k].tipo == Tipo::Punto && !sinPrefijo.empty() && sinPrefijo.back().tipo == Tipo::Nombre && k + 1 < r.size() &&
            r[k + 1].tipo == Tipo::Nombre) {
            sinPrefijo.back() = r[k + 1];
            ++k;
            continue;
        }
        sinPrefijo.push_back(r[k]);
    }
    return sinPrefijo;
}

std::vector<Pieza> piezas(const QString& s)
{
    std::vector<Pieza> r;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) { ++i; continue; }
        if (c == u'-' && i + 1 < n && s[i + 1] == u'-') { // comment to the end of the line
            while (i < n && s[i] != u'\n') ++i;
            continue;
        }
        if (c == u'\'') {
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == u'\'') {
                    if (j + 1 < n && s[j + 1] == u'\'') { j += 2; continue; }
                    break;
                }
                ++j;
            }
            r.push_back({Tipo::Literal, s.mid(i, j - i + 1)});
            i = j + 1;
            continue;
        }
        if (c == u'[' || c == u'"') {
            const QChar cierre = c == u'[' ? u']' : u'"';
            qsizetype j = s.indexOf(cierre, i + 1);
            if (j < 0) j = n;
            r.push_back({Tipo::Nombre, s.mid(i + 1, j - i - 1).toUpper()});
            i = j + 1;
            continue;
        }
        if (c.isLetter() || c == u'_') {
            qsizetype j = i;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == u'_' || s[j] == u'$')) ++j;
            r.push_back({Tipo::Nombre, s.mid(i, j - i).toUpper()});
            i = j;
            continue;
        }
        if (c.isDigit() || (c == u'.' && i + 1 < n && s[i + 1].isDigit())) {
            qsizetype j = i;
            while (j < n && (s[j].isDigit() || s[j] == u'.')) ++j;
            r.push_back({Tipo::Numero, s.mid(i, j - i)});
            i = j;
            continue;
        }
        switch (c.unicode()) {
        case u'?': r.push_back({Tipo::Marca, QStringLiteral("?")}); ++i; continue;
        case u'(': r.push_back({Tipo::Abre, QStringLiteral("(")}); ++i; continue;
        case u')': r.push_back({Tipo::Cierra, QStringLiteral(")")}); ++i; continue;
        case u',': r.push_back({Tipo::Coma, QStringLiteral(",")}); ++i; continue;
        case u'.': r.push_back({Tipo::Punto, QStringLiteral(".")}); ++i; continue;
        default: break;
        }
        // Operators: the two-character ones first.
        if (i + 1 < n) {
            const QString dos = s.mid(i, 2);
            if (dos == u"<=" || dos == u">=" || dos == u"<>" || dos == u"!=" || dos == u"||" || dos == u"==") {
                r.push_back({Tipo::Operador, dos});
                i += 2;
                continue;
            }
        }
        r.push_back({Tipo::Operador, QString(c)});
        ++i;
    }
    return sinPrefijos(r);
}

bool esComparacion(const Pieza& p)
{
    if (p.tipo != Tipo::Operador) return false;
    static const QSet<QString> ops{QStringLiteral("="), QStringLiteral("=="), QStringLiteral("<>"), QStringLiteral("!="),
                                   QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};
    return ops.contains(p.t);
}

bool esPalabra(const QString& t)
{
    static const QSet<QString> palabras{
        QStringLiteral("SELECT"), QStringLiteral("FROM"),  QStringLiteral("WHERE"), QStringLiteral("AND"),
        QStringLiteral("OR"),     QStringLiteral("NOT"),   QStringLiteral("SET"),   QStringLiteral("ON"),
        QStringLiteral("AS"),     QStringLiteral("CASE"),  QStringLiteral("WHEN"),  QStringLiteral("THEN"),
        QStringLiteral("ELSE"),   QStringLiteral("END"),   QStringLiteral("NULL"),  QStringLiteral("BETWEEN"),
        QStringLiteral("IN"),     QStringLiteral("IS"),    QStringLiteral("LIKE"),  QStringLiteral("ILIKE"),
        QStringLiteral("VALUES"), QStringLiteral("HAVING"), QStringLiteral("BY"),   QStringLiteral("DISTINCT")};
    return palabras.contains(t);
}

bool esColumna(const std::vector<Pieza>& p, qsizetype k)
{
    return k >= 0 && k < (qsizetype)p.size() && p[k].tipo == Tipo::Nombre && !esPalabra(p[k].t) &&
           !(k + 1 < (qsizetype)p.size() && p[k + 1].tipo == Tipo::Abre); // not a function call
}

// Index of the ')' closing the '(' at k, or -1.
qsizetype cierreDe(const std::vector<Pieza>& p, qsizetype k)
{
    int nivel = 0;
    for (qsizetype i = k; i < (qsizetype)p.size(); ++i) {
        if (p[i].tipo == Tipo::Abre) ++nivel;
        else if (p[i].tipo == Tipo::Cierra && --nivel == 0) return i;
    }
    return -1;
}

// Splits [a, b) at top-level commas.
std::vector<std::pair<qsizetype, qsizetype>> partes(const std::vector<Pieza>& p, qsizetype a, qsizetype b)
{
    std::vector<std::pair<qsizetype, qsizetype>> r;
    int nivel = 0;
    qsizetype inicio = a;
    for (qsizetype i = a; i < b; ++i) {
        if (p[i].tipo == Tipo::Abre) ++nivel;
        else if (p[i].tipo == Tipo::Cierra) --nivel;
        else if (p[i].tipo == Tipo::Coma && nivel == 0) {
            r.emplace_back(inicio, i);
            inicio = i + 1;
        }
    }
    r.emplace_back(inicio, b);
    return r;
}

bool esCero(const std::vector<Pieza>& p, qsizetype a, qsizetype b)
{
    return b - a == 1 && p[a].tipo == Tipo::Numero && p[a].t.toDouble() == 0;
}

bool esImporte(const std::vector<Pieza>& p, qsizetype a, qsizetype b, const QSet<QString>& importes)
{
    while (b - a >= 2 && p[a].tipo == Tipo::Abre && cierreDe(p, a) == b - 1) { ++a; --b; } // (expr)
    if (b - a == 1) return p[a].tipo == Tipo::Nombre && importes.contains(p[a].t);
    if (b - a >= 2 && p[a].tipo == Tipo::Operador && (p[a].t == u"-" || p[a].t == u"+")) return esImporte(p, a + 1, b, importes);
    if (b - a >= 3 && p[a].tipo == Tipo::Nombre && p[a + 1].tipo == Tipo::Abre && cierreDe(p, a + 1) == b - 1) {
        const QString& f = p[a].t;
        qsizetype i = a + 2, j = b - 1;
        if (f == u"SUM" || f == u"TOTAL" || f == u"MAX" || f == u"MIN" || f == u"ABS") {
            if (i < j && p[i].tipo == Tipo::Nombre && (p[i].t == u"DISTINCT" || p[i].t == u"ALL")) ++i;
            return esImporte(p, i, j, importes);
        }
        if (f == u"COALESCE" || f == u"IFNULL") {
            bool alguno = false;
            for (auto [x, y] : partes(p, i, j)) {
                if (esImporte(p, x, y, importes)) alguno = true;
                else if (!esCero(p, x, y)) return false;
            }
            return alguno;
        }
    }
    return false;
}

} // namespace

std::vector<QString> columnasDeMarcas(const QString& sql)
{
    const std::vector<Pieza> p = piezas(sql);
    const qsizetype n = (qsizetype)p.size();
    std::vector<QString> r;
    std::vector<qsizetype> marcas;
    for (qsizetype k = 0; k < n; ++k)
        if (p[k].tipo == Tipo::Marca) marcas.push_back(k);
    r.assign(marcas.size(), QString());
    QHash<qsizetype, QString> porPosicion;

    // INSERT INTO t (c1, c2) VALUES (?, ?)
    if (n > 3 && p[0].tipo == Tipo::Nombre && p[0].t == u"INSERT") {
        qsizetype abre = -1;
        for (qsizetype k = 1; k < n; ++k)
            if (p[k].tipo == Tipo::Abre) { abre = k; break; }
        const qsizetype cierra = abre >= 0 ? cierreDe(p, abre) : -1;
        if (cierra > 0 && cierra + 2 < n && p[cierra + 1].tipo == Tipo::Nombre && p[cierra + 1].t == u"VALUES" &&
            p[cierra + 2].tipo == Tipo::Abre) {
            const auto cols = partes(p, abre + 1, cierra);
            const qsizetype fin = cierreDe(p, cierra + 2);
            if (fin > 0) {
                const auto vals = partes(p, cierra + 3, fin);
                for (size_t i = 0; i < vals.size() && i < cols.size(); ++i) {
                    const auto [a, b] = vals[i];
                    const auto [x, y] = cols[i];
                    if (b - a == 1 && p[a].tipo == Tipo::Marca && y - x == 1 && p[x].tipo == Tipo::Nombre)
                        porPosicion.insert(a, p[x].t);
                }
            }
        }
    }
    for (qsizetype k : marcas) {
        if (porPosicion.contains(k)) continue;
        QString col;
        if (k >= 2 && esComparacion(p[k - 1]) && esColumna(p, k - 2)) col = p[k - 2].t;
        else if (k + 2 < n && esComparacion(p[k + 1]) && esColumna(p, k + 2)) col = p[k + 2].t;
        else if (k >= 2 && p[k - 1].tipo == Tipo::Nombre && p[k - 1].t == u"BETWEEN" && esColumna(p, k - 2)) col = p[k - 2].t;
        else if (k >= 4 && p[k - 1].tipo == Tipo::Nombre && p[k - 1].t == u"AND" && p[k - 2].tipo == Tipo::Marca &&
                 p[k - 3].tipo == Tipo::Nombre && p[k - 3].t == u"BETWEEN" && esColumna(p, k - 4))
            col = p[k - 4].t;
        if (!col.isEmpty()) porPosicion.insert(k, col);
    }
    for (size_t i = 0; i < marcas.size(); ++i) r[i] = porPosicion.value(marcas[i]);
    return r;
}

std::vector<bool> resultadosImporte(const QString& sql, const QSet<QString>& importes)
{
    const std::vector<Pieza> p = piezas(sql);
    const qsizetype n = (qsizetype)p.size();
    if (n == 0 || p[0].tipo != Tipo::Nombre || p[0].t != u"SELECT") return {};
    qsizetype a = 1, b = n;
    if (a < n && p[a].tipo == Tipo::Nombre && (p[a].t == u"DISTINCT" || p[a].t == u"ALL")) ++a;
    int nivel = 0;
    for (qsizetype i = a; i < n; ++i) {
        if (p[i].tipo == Tipo::Abre) ++nivel;
        else if (p[i].tipo == Tipo::Cierra) --nivel;
        else if (nivel == 0 && p[i].tipo == Tipo::Nombre && p[i].t == u"FROM") { b = i; break; }
    }
    std::vector<bool> r;
    for (auto [x, y] : partes(p, a, b)) {
        // Alias: "expr AS name" or "expr name".
        if (y - x >= 3 && p[y - 2].tipo == Tipo::Nombre && p[y - 2].t == u"AS") y -= 2;
        else if (y - x >= 2 && p[y - 1].tipo == Tipo::Nombre && !esPalabra(p[y - 1].t) &&
                 (p[y - 2].tipo == Tipo::Cierra || p[y - 2].tipo == Tipo::Nombre))
            y -= 1;
        r.push_back(esImporte(p, x, y, importes));
    }
    return r;
}

bool cambiaEsquema(const QString& sql)
{
    const QString t = sql.trimmed().left(6).toUpper();
    return t.startsWith(QLatin1String("CREATE")) || t.startsWith(QLatin1String("ALTER")) || t.startsWith(QLatin1String("DROP"));
}

} // namespace vexa::sql
