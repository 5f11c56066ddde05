#include "Conexion.h"

#include "MotorBD.h"

#include <QSqlQuery>

#include <cmath>

// What the connection knows of the columns (amounts and text keys, read once
// from the catalogue) and the value each one is bound with.

namespace vexa {

const QSet<QString>& Conexion::columnasImporte()
{
    leerCatalogo();
    return *importes_;
}

const QSet<QString>& Conexion::columnasClave()
{
    leerCatalogo();
    return claves_;
}

void Conexion::leerCatalogo()
{
    if (importes_) return;
    importes_.emplace();
    claves_.clear();
    if (!Conectado()) {
        importes_.reset();
        static QSet<QString> vacio;
        importes_ = vacio;
        return;
    }
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    const bool ok = q.exec(MotorBD::de(motor()).consultaCatalogo());
    if (!ok) return;
    QSet<QString> noImportes, noClaves;
    while (q.next()) {
        const QString nombre = q.value(0).toString().toUpper();
        const QString tipo = q.value(1).toString();
        if (tipo.compare(QLatin1String("MONEDA"), Qt::CaseInsensitive) == 0) importes_->insert(nombre);
        else noImportes.insert(nombre);
        // SQLite text keys (TEXTO(n): VARCHAR(n) COLLATE NOCASE) are kept without trailing blanks.
        // A whole-number column of the same name (the asset codes) does not
        // stop it: a text bound for it loses nothing by losing its blanks.
        if (motor() == Motor::SQLite && tipo.startsWith(QLatin1String("VARCHAR"), Qt::CaseInsensitive)) claves_.insert(nombre);
        else if (tipo.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) != 0) noClaves.insert(nombre);
    }
    // A name that is an amount (or a key) in one table and something else in
    // another is not converted by name (bind a Moneda for an amount there).
    for (const QString& n : noImportes) importes_->remove(n);
    for (const QString& n : noClaves) claves_.remove(n);
}

QVariant Conexion::valorParaColumna(const QVariant& v, const QString& columna)
{
    const auto nombre = [&] { return columna.isEmpty() ? QString() : QStringLiteral(" (columna %1)").arg(columna); };
    if (v.isValid() && !v.isNull() && v.typeId() == QMetaType::QString && v.toString().contains(QChar(0)))
        throw ErrorBD(-2147217900, QStringLiteral("El texto contiene un carácter nulo (NUL) y no se puede guardar%1.").arg(nombre()));
    if (columna.isEmpty() || v.isNull() || !v.isValid()) return valorParaMotor(v);
    if (v.typeId() == QMetaType::QString && columnasClave().contains(columna)) {
        // Text keys are stored, and looked up, without trailing blanks (SQLite's
        // NOCASE counts them; PostgreSQL's key type ignores them already).
        QString t = v.toString();
        qsizetype n = t.size();
        while (n > 0 && t[n - 1] == u' ') --n;
        t.truncate(n);
        return QVariant(t);
    }
    if (v.metaType() == QMetaType::fromType<Moneda>() || !columnasImporte().contains(columna)) return valorParaMotor(v);
    std::optional<Moneda> m;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong: {
        const qlonglong n = v.toLongLong();
        if (n <= INT64_MAX / Moneda::kEscala && n >= INT64_MIN / Moneda::kEscala) m = Moneda::entero(n);
        break;
    }
    case QMetaType::ULongLong: {
        const qulonglong n = v.toULongLong();
        if (n <= qulonglong(INT64_MAX / Moneda::kEscala)) m = Moneda::entero(qint64(n));
        break;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (std::isfinite(d) && std::fabs(d) < 9.2e14) m = Moneda::parsear(QString::number(d, 'f', 4));
        break;
    }
    case QMetaType::QString:
    case QMetaType::QByteArray: m = Moneda::parsear(v.toString()); break;
    default: break;
    }
    if (!m)
        throw ErrorBD(-2147217913, QStringLiteral("El valor «%1» no es un importe válido%2.").arg(v.toString(), nombre()));
    return valorParaMotor(QVariant::fromValue(*m));
}

QVariant Conexion::valorParaMotor(const QVariant& v) const
{
    if (v.isNull() || !v.isValid()) return v.isValid() ? QVariant(v.metaType()) : QVariant(QMetaType::fromType<QString>());
    if (v.metaType() == QMetaType::fromType<Moneda>()) {
        return MotorBD::de(motor()).valorMoneda(v.value<Moneda>());
    }
    switch (v.typeId()) {
    case QMetaType::Bool: return QVariant(v.toBool() ? 1 : 0);
    case QMetaType::QDate: return QVariant(v.toDate().toString(Qt::ISODate));
    case QMetaType::QDateTime: return QVariant(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    default: return v;
    }
}

} // namespace vexa
