// Rows and forward-only recordsets of query results.
#include "Conexion.h"

#include "AnalisisSQL.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

#include <sqlite3.h>

#include <cmath>

namespace vexa {

// ---------------------------------------------------------------- rows

int Columnas::indice(const QString& nombre) const
{
    auto it = porNombre.constFind(nombre.toUpper());
    return it == porNombre.constEnd() ? -1 : *it;
}

QVariant Fila::valor(int i) const
{
    if (i < 0 || i >= (int)vals_.size()) throw ErrorBD(3265, QStringLiteral("No se encontró el elemento en la colección"));
    const QVariant& v = vals_[i];
    if (motor_ == Motor::SQLite && cols_->esMoneda[i] && !v.isNull()) return QVariant(monedaDe(v, true).texto(4));
    return v;
}

QVariant Fila::valorTipado(int i) const
{
    const QVariant v = valor(i);
    if (v.isNull() || motor_ != Motor::SQLite || i >= (int)cols_->fecha.size() || !cols_->fecha[i]) return v;
    const QString t = v.toString().trimmed();
    if (cols_->fecha[i] == 'D') {
        const QDate d = QDate::fromString(t.left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : v;
    }
    QString s = t;
    s.replace(u'T', u' ');
    QDateTime h = QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!h.isValid()) h = QDate::fromString(s.left(10), Qt::ISODate).startOfDay();
    return h.isValid() ? QVariant(h) : v;
}

QVariant Fila::valor(const QString& nombre) const
{
    int i = cols_ ? cols_->indice(nombre) : -1;
    if (i < 0)
        throw ErrorBD(3265, QStringLiteral("No se encontró el elemento en la colección: ") + nombre);
    return valor(i);
}

QString Fila::texto(int i) const
{
    QVariant v = valor(i);
    if (v.isNull()) return QString();
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default: return v.toString();
    }
}
QString Fila::texto(const QString& nombre) const
{
    int i = cols_ ? cols_->indice(nombre) : -1;
    if (i < 0) return valor(nombre).toString(); // throws
    return texto(i);
}

qint64 Fila::entero(const QString& nombre) const
{
    QVariant v = valor(nombre);
    if (v.isNull()) return 0;
    bool ok = false;
    qint64 r = v.toLongLong(&ok);
    if (ok) return r;
    double d = v.toString().trimmed().toDouble(&ok);
    return ok && d >= -9223372036854775808.0 && d < 9223372036854775808.0 ? qint64(d) : 0;
}

double Fila::doble(const QString& nombre) const
{
    QVariant v = valor(nombre);
    if (v.isNull()) return 0;
    bool ok = false;
    double d = v.toString().trimmed().toDouble(&ok);
    return ok ? d : 0;
}

Moneda Fila::monedaDe(const QVariant& v, bool columnaImporte) const
{
    if (v.isNull()) return Moneda();
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        // SQLite keeps amounts (and their sums) as whole 1/10000 units.
        return motor_ == Motor::SQLite ? Moneda::desdeUnidades(v.toLongLong()) : Moneda::entero(v.toLongLong());
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (motor_ == Motor::SQLite) {
            // Whole ten-thousandths (TOTAL gives them as a real): a fraction of a
            // unit is a real number some other program stored as an amount.
            if (!(std::fabs(d) < 9.2e18) || d != std::trunc(d)) break;
            return Moneda::desdeUnidades(qint64(d));
        }
        if (auto m = Moneda::parsear(QString::number(d, 'f', 4))) return *m;
        break;
    }
    default: {
        if (v.metaType() == QMetaType::fromType<Moneda>()) return v.value<Moneda>();
        // A SQLite amount column holds integers: a text there is no amount.
        if (motor_ == Motor::SQLite && columnaImporte) break;
        const QString t = v.toString();
        if (auto m = Moneda::parsear(t)) return *m;
        if (t.trimmed().isEmpty()) return Moneda();
        break;
    }
    }
    // Never a silent 0: a value that is no amount or lies beyond the 64-bit range.
    throw ErrorBD(6, QStringLiteral("El importe %1 no se puede leer: no es un número o excede el rango admitido")
                         .arg(v.toString()));
}

Moneda Fila::moneda(int i) const
{
    if (i < 0 || i >= (int)vals_.size()) throw ErrorBD(3265, QStringLiteral("No se encontró el elemento en la colección"));
    return monedaDe(vals_[i], cols_->esMoneda[i]);
}
Moneda Fila::moneda(const QString& nombre) const
{
    int i = cols_ ? cols_->indice(nombre) : -1;
    if (i < 0) valor(nombre); // throws
    return moneda(i);
}

QDate Fila::fecha(const QString& nombre) const
{
    QVariant v = valor(nombre);
    if (v.isNull()) return QDate();
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QDateTime Fila::fechaHora(const QString& nombre) const
{
    QVariant v = valor(nombre);
    if (v.isNull()) return QDateTime();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    if (v.typeId() == QMetaType::QDate) return v.toDate().startOfDay();
    QString s = v.toString().trimmed();
    s.replace(u'T', u' ');
    QDateTime t = QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!t.isValid()) t = QDate::fromString(s.left(10), Qt::ISODate).startOfDay();
    return t;
}

// ---------------------------------------------------------------- recordset

Recordset::Recordset(Conexion* c, std::unique_ptr<QSqlQuery> q, QString sql)
    : con_(c), q_(std::move(q)), sql_(std::move(sql))
{
    auto cols = std::make_shared<Columnas>();
    const QSqlRecord rec = q_->record();
    cols->nombres.reserve(rec.count());
    cols->esMoneda.assign(rec.count(), false);
    cols->fecha.assign(rec.count(), 0);
    sqlite3_stmt* st = nullptr;
    if (con_->motor() == Motor::SQLite) {
        QVariant h = q_->result()->handle();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3_stmt*") == 0) st = *static_cast<sqlite3_stmt* const*>(h.constData());
    }
    std::vector<bool> calculados; // amounts among computed results (SUM(IMPORTE), ...)
    bool analizado = false;
    for (int i = 0; i < rec.count(); ++i) {
        cols->nombres.push_back(rec.fieldName(i));
        cols->porNombre.insert(rec.fieldName(i).toUpper(), i);
        if (st) {
            const char* dt = sqlite3_column_decltype(st, i);
            if (dt) {
                cols->esMoneda[i] = qstricmp(dt, "MONEDA") == 0;
                if (qstricmp(dt, "DATE") == 0) cols->fecha[i] = 'D';
                else if (qstricmp(dt, "DATETIME") == 0) cols->fecha[i] = 'T';
            } else {
                if (!analizado) {
                    calculados = sql::resultadosImporte(sql_, con_->columnasImporte());
                    analizado = true;
                }
                cols->esMoneda[i] = i < (int)calculados.size() && calculados[i];
            }
        }
    }
    cols_ = cols;
    if (q_->next()) {
        vacio_ = eof_ = false;
        leerFila();
    } else {
        fallaAlLeer();
        cerrar();
    }
}

void Recordset::fallaAlLeer()
{
    // A step that fails (an integer overflow in SUM, a lock) is an error, not the end of the rows.
    if (!q_ || !q_->lastError().isValid() || q_->lastError().type() == QSqlError::NoError) return;
    auto q = std::move(q_);
    eof_ = true;
    con_->lanzar(*q, sql_);
}

Recordset::Recordset(Recordset&& o) noexcept
    : con_(o.con_), q_(std::move(o.q_)), sql_(std::move(o.sql_)), cols_(std::move(o.cols_)), fila_(std::move(o.fila_)),
      eof_(o.eof_), vacio_(o.vacio_)
{
    o.eof_ = true;
}

Recordset& Recordset::operator=(Recordset&& o) noexcept
{
    if (this != &o) {
        cerrar();
        con_ = o.con_; q_ = std::move(o.q_); sql_ = std::move(o.sql_); cols_ = std::move(o.cols_);
        fila_ = std::move(o.fila_); eof_ = o.eof_; vacio_ = o.vacio_;
        o.eof_ = true;
    }
    return *this;
}

Recordset::~Recordset() { cerrar(); }

void Recordset::leerFila()
{
    const int n = (int)cols_->nombres.size();
    std::vector<QVariant> v;
    v.reserve(n);
    for (int i = 0; i < n; ++i) v.push_back(q_->value(i));
    fila_ = Fila(cols_, std::move(v), con_->motor());
}

void Recordset::siguiente()
{
    if (eof_ || !q_) return;
    if (q_->next()) leerFila();
    else {
        eof_ = true;
        fallaAlLeer();
        cerrar();
    }
}

std::vector<Fila> Recordset::todas()
{
    std::vector<Fila> r;
    while (!eof_) {
        r.push_back(fila_);
        siguiente();
    }
    return r;
}

void Recordset::cerrar()
{
    eof_ = true;
    if (q_ && con_) con_->devolver(std::move(q_), sql_);
    q_.reset();
}

} // namespace vexa
