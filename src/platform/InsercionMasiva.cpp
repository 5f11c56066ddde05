#include "InsercionMasiva.h"

#include "MotorBD.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <charconv>

namespace vexa {

namespace {

// Rows held before finFila sends them (the memory of a batch stays bounded).
constexpr int kFilasRetenidas = 8192;
// Rows of SQLite's many-row statement, at most.
constexpr int kFilasPorSentencia = 64;

const QString kNul = QStringLiteral("El texto contiene un carácter nulo (NUL) y no se puede guardar (columna %1).");

void agregarNumero(std::string& s, qint64 v)
{
    char b[24];
    const auto r = std::to_chars(b, b + sizeof b, v);
    s.append(b, r.ptr);
}

// UTF-16 to UTF-8 (a lone surrogate becomes U+FFFD, as Qt converts it); with
// 'copia' the characters COPY's text form gives a meaning are escaped.
// False when the text holds a NUL.
bool aUtf8(std::string& s, QStringView v, bool copia)
{
    const qsizetype n = v.size();
    // The leading run of plain ASCII (most texts are nothing else) is copied
    // straight; the rest character by character.
    const size_t base = s.size();
    s.resize(base + size_t(n));
    char* destino = s.data() + base;
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = v[i].unicode();
        if (c >= 0x80 || c == 0 || (copia && (c == u'\\' || c == u'\t' || c == u'\n' || c == u'\r'))) break;
        destino[i] = char(c);
    }
    s.resize(base + size_t(i));
    for (; i < n; ++i) {
        char32_t c = v[i].unicode();
        if (c < 0x80) {
            if (c == 0) return false;
            if (copia && (c == u'\\' || c == u'\t' || c == u'\n' || c == u'\r')) {
                s.push_back('\\');
                s.push_back(c == u'\\' ? '\\' : c == u'\t' ? 't' : c == u'\n' ? 'n' : 'r');
            } else {
                s.push_back(char(c));
            }
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && v[i + 1].unicode() >= 0xDC00 && v[i + 1].unicode() <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (v[i + 1].unicode() - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x800) {
            s.push_back(char(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            s.push_back(char(0xE0 | (c >> 12)));
            s.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        } else {
            s.push_back(char(0xF0 | (c >> 18)));
            s.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            s.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        }
        s.push_back(char(0x80 | (c & 0x3F)));
    }
    return true;
}

// Moneda's exact decimal text with four decimals ("-12.3400"), as PostgreSQL receives amounts.
void agregarMoneda(std::string& s, const Moneda& m)
{
    const qint64 u = m.unidades();
    const quint64 a = u < 0 ? quint64(0) - quint64(u) : quint64(u);
    if (u < 0) s.push_back('-');
    char b[24];
    auto r = std::to_chars(b, b + sizeof b, a / quint64(Moneda::kEscala));
    s.append(b, r.ptr);
    s.push_back('.');
    const quint64 f = a % quint64(Moneda::kEscala);
    r = std::to_chars(b, b + sizeof b, f + quint64(Moneda::kEscala)); // leading 1 keeps the zeros
    s.append(b + 1, r.ptr);
}

void agregarFecha(std::string& s, const QDate& d)
{
    char b[16];
    int y = d.year(), m = d.month(), dd = d.day();
    b[0] = char('0' + y / 1000 % 10);
    b[1] = char('0' + y / 100 % 10);
    b[2] = char('0' + y / 10 % 10);
    b[3] = char('0' + y % 10);
    b[4] = '-';
    b[5] = char('0' + m / 10);
    b[6] = char('0' + m % 10);
    b[7] = '-';
    b[8] = char('0' + dd / 10);
    b[9] = char('0' + dd % 10);
    s.append(b, 10);
}

} // namespace

InsercionMasiva::InsercionMasiva(Conexion& con, const QString& tabla, const QStringList& columnas)
    : con_(con), tabla_(tabla), columnas_(columnas), sqlite_(con.motor() == Motor::SQLite)
{
    const QSet<QString>& claves = sqlite_ ? con_.columnasClave() : QSet<QString>();
    for (const QString& c : columnas_) {
        QString n = c.trimmed();
        if (n.startsWith(u'[') && n.endsWith(u']')) n = n.mid(1, n.size() - 2);
        n = n.toUpper();
        clave_.push_back(sqlite_ && claves.contains(n));
        nombres_.push_back(std::move(n));
    }
    if (sqlite_) claveSentencias_ = tabla_ + u'|' + columnas_.join(u',') + u'|';
}

InsercionMasiva::~InsercionMasiva() = default;

void InsercionMasiva::columnaSiguiente()
{
    if (columna_ >= int(columnas_.size()))
        throw ErrorVexa(0, QStringLiteral("Demasiados valores para la fila de ") + tabla_);
    ++columna_;
}

InsercionMasiva& InsercionMasiva::entero(qint64 v)
{
    columnaSiguiente();
    if (sqlite_) {
        valores_.push_back({Valor::Tipo::Entero, v});
    } else {
        if (columna_ > 1) copia_.push_back('\t');
        agregarNumero(copia_, v);
    }
    return *this;
}

void InsercionMasiva::textoUtf8(QStringView v, bool clave)
{
    if (clave) {
        qsizetype n = v.size();
        while (n > 0 && v[n - 1] == u' ') --n;
        v = v.left(n);
    }
    std::string& destino = sqlite_ ? textos_ : copia_;
    if (!aUtf8(destino, v, !sqlite_))
        throw ErrorBD(-2147217900, kNul.arg(nombres_[size_t(columna_ - 1)]));
}

InsercionMasiva& InsercionMasiva::texto(QStringView v)
{
    columnaSiguiente();
    if (sqlite_) {
        const size_t desde = textos_.size();
        textoUtf8(v, clave_[size_t(columna_ - 1)]);
        valores_.push_back({Valor::Tipo::Texto, qint64(desde)});
        textos_.push_back('\0');
    } else {
        if (columna_ > 1) copia_.push_back('\t');
        textoUtf8(v, false);
    }
    return *this;
}

InsercionMasiva& InsercionMasiva::moneda(const Moneda& m)
{
    if (sqlite_) return entero(m.unidades());
    columnaSiguiente();
    if (columna_ > 1) copia_.push_back('\t');
    agregarMoneda(copia_, m);
    return *this;
}

InsercionMasiva& InsercionMasiva::fecha(const QDate& d)
{
    if (!d.isValid() || d.year() < 1 || d.year() > 9999) return nulo();
    columnaSiguiente();
    if (sqlite_) {
        const size_t desde = textos_.size();
        agregarFecha(textos_, d);
        valores_.push_back({Valor::Tipo::Texto, qint64(desde)});
        textos_.push_back('\0');
    } else {
        if (columna_ > 1) copia_.push_back('\t');
        agregarFecha(copia_, d);
    }
    return *this;
}

InsercionMasiva& InsercionMasiva::nulo()
{
    columnaSiguiente();
    if (sqlite_) {
        valores_.push_back({});
    } else {
        if (columna_ > 1) copia_.push_back('\t');
        copia_.append("\\N", 2);
    }
    return *this;
}

void InsercionMasiva::finFila()
{
    if (columna_ != int(columnas_.size()))
        throw ErrorVexa(0, QStringLiteral("Faltan valores para la fila de ") + tabla_);
    columna_ = 0;
    if (!sqlite_) copia_.push_back('\n');
    if (++filas_ >= kFilasRetenidas) escribir();
}

qint64 InsercionMasiva::escribir()
{
    if (columna_ != 0) throw ErrorVexa(0, QStringLiteral("Faltan valores para la fila de ") + tabla_);
    if (filas_ > 0) {
        if (sqlite_) escribirSQLite();
        else escribirPostgreSQL();
        escritas_ += filas_;
    }
    filas_ = 0;
    valores_.clear();
    textos_.clear();
    copia_.clear();
    return escritas_;
}

void InsercionMasiva::fallar(const QString& estado, const QString& texto, const QString& sql, bool conexionCerrada)
{
    con_.fallar(ErrorBD::delMotor(con_.motor(), estado, texto, sql, conexionCerrada));
}

// ---------------------------------------------------------------- SQLite

sqlite3_stmt* InsercionMasiva::sentencia(int filas)
{
    // Kept by the connection (and looked up there each time, as the connection
    // drops its statements when it is opened again): a reception's every
    // batch inserts into the same columns, and preparing a statement of many
    // rows costs about what inserting them does.
    sqlite3_stmt*& st = con_.sentenciaMasiva(claveSentencias_ + QString::number(filas));
    if (st) return st;
    const QString fila = QStringLiteral("(") + QStringLiteral("?, ").repeated(columnas_.size() - 1) + QStringLiteral("?)");
    QStringList filasSql;
    for (int i = 0; i < filas; ++i) filasSql << fila;
    const QString sql = con_.traducir(QStringLiteral("INSERT INTO ") + tabla_ + QStringLiteral(" (")
                                      + columnas_.join(QStringLiteral(", ")) + QStringLiteral(") VALUES ")
                                      + filasSql.join(QStringLiteral(", ")));
    const QByteArray texto = sql.toUtf8();
    if (sqlite3_prepare_v3(con_.sqlite_, texto.constData(), int(texto.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
        st = nullptr;
        fallar(QString::number(sqlite3_extended_errcode(con_.sqlite_)), QString::fromUtf8(sqlite3_errmsg(con_.sqlite_)), sql);
    }
    return st;
}

void InsercionMasiva::escribirSQLite()
{
    const QString sql = QStringLiteral("INSERT INTO ") + tabla_;
    con_.exigirAbierta(sql);
    con_.exigirArchivoSano(sql);
    sqlite3* bd = con_.sqlite_;
    const int ncol = int(columnas_.size());
    const int porSentencia =
        std::max(1, std::min(kFilasPorSentencia, sqlite3_limit(bd, SQLITE_LIMIT_VARIABLE_NUMBER, -1) / std::max(ncol, 1)));
    const char* base = textos_.data();
    for (int desde = 0; desde < filas_;) {
        const int k = filas_ - desde >= porSentencia ? porSentencia : 1;
        sqlite3_stmt* st = sentencia(k);
        const Valor* v = valores_.data() + size_t(desde) * size_t(ncol);
        for (int i = 0; i < k * ncol; ++i) {
            int r = SQLITE_OK;
            switch (v[i].tipo) {
            case Valor::Tipo::Nulo: r = sqlite3_bind_null(st, i + 1); break;
            case Valor::Tipo::Entero: r = sqlite3_bind_int64(st, i + 1, v[i].n); break;
            // Each text is held with its terminator (it holds no NUL of its
            // own): bound as such, the engine reads it in place where the
            // table's checks look at it, instead of copying it to end it.
            case Valor::Tipo::Texto: r = sqlite3_bind_text(st, i + 1, base + v[i].n, -1, SQLITE_STATIC); break;
            }
            if (r != SQLITE_OK) fallar(QString::number(r), QString::fromUtf8(sqlite3_errmsg(bd)), sql);
        }
        const int r = sqlite3_step(st);
        sqlite3_reset(st);
        if (r != SQLITE_DONE) {
            const int codigo = sqlite3_extended_errcode(bd);
            fallar(QString::number(codigo), QString::fromUtf8(sqlite3_errmsg(bd)), sql);
        }
        desde += k;
    }
}

// ---------------------------------------------------------------- PostgreSQL

void InsercionMasiva::escribirPostgreSQL()
{
    const QString sql = con_.traducir(QStringLiteral("COPY ") + tabla_ + QStringLiteral(" (") + columnas_.join(QStringLiteral(", "))
                                      + QStringLiteral(") FROM STDIN"));
    con_.exigirAbierta(sql);
    PGconn* pg = motor_postgresql::manejador(con_.bd());
    if (!pg) fallar(QString(), QStringLiteral("La conexión con el servidor se cerró."), sql, true);
    auto error = [&](PGresult* r) {
        const QString estado = r ? QString::fromUtf8(PQresultErrorField(r, PG_DIAG_SQLSTATE)) : QString();
        QString texto = QString::fromUtf8(r ? PQresultErrorMessage(r) : PQerrorMessage(pg)).trimmed();
        if (texto.isEmpty()) texto = QString::fromUtf8(PQerrorMessage(pg)).trimmed();
        if (r) PQclear(r);
        // Whatever the server still sends for the statement is read and dropped.
        while (PGresult* resto = PQgetResult(pg)) PQclear(resto);
        fallar(estado, texto, sql, PQstatus(pg) != CONNECTION_OK);
    };
    PGresult* r = PQexec(pg, sql.toUtf8().constData());
    if (!r || PQresultStatus(r) != PGRES_COPY_IN) error(r);
    PQclear(r);
    const bool enviado = PQputCopyData(pg, copia_.data(), int(copia_.size())) == 1;
    if (PQputCopyEnd(pg, enviado ? nullptr : "envio interrumpido") != 1) error(nullptr);
    r = PQgetResult(pg);
    if (!r || PQresultStatus(r) != PGRES_COMMAND_OK) error(r);
    PQclear(r);
    while (PGresult* resto = PQgetResult(pg)) PQclear(resto);
    if (!enviado) error(nullptr);
}

} // namespace vexa
