#include "Configuracion.h"

#include "Utilidades.h"

namespace vexa {

bool Configuracion::ExisteCuenta(const QString& cuenta)
{
    const QString c = texto::recortar(cuenta);
    if (c.isEmpty()) return false;
    return con().ExisteRegistro(QStringLiteral("MA_CUENTAS"), c, QStringLiteral("CODIGO"));
}

bool Configuracion::ExisteCuenta(const QString& cuenta, bool& esBienDeUso)
{
    esBienDeUso = false;
    const QString c = texto::recortar(cuenta);
    if (c.isEmpty()) return false;
    auto f = con().PrimeraFila(QStringLiteral("SELECT BIENES FROM MA_CUENTAS WHERE CODIGO = ?"), {c});
    if (!f) return false;
    esBienDeUso = f->entero(QStringLiteral("BIENES")) == 1;
    return true;
}

QString Configuracion::NuevoCodigoBien()
{
    return QString::number(con().Escalar(QStringLiteral("SELECT COALESCE(MAX(CODIGO), 0) + 1 FROM MA_BIENES")).toLongLong());
}

QString Configuracion::IdMejoraBien(const QString& codigoBien)
{
    bool ok = false;
    const qint64 codigo = texto::recortar(codigoBien).toLongLong(&ok);
    if (!ok) return QStringLiteral("1");
    return QString::number(
        con().Escalar(QStringLiteral("SELECT COALESCE(MAX(ID), 0) + 1 FROM MA_BIENES_NOVEDADES WHERE CODIGO = ?"), {codigo})
            .toLongLong());
}

// The sub-journal does not restrict accounts: any detail account of the chart
// may be posted in any sub-journal.
bool Configuracion::ValidaCuenta(const QString&, const QString& cuenta, QString& mensaje)
{
    const QString c = texto::recortar(cuenta);
    auto f = c.isEmpty() ? std::nullopt
                         : con().PrimeraFila(QStringLiteral("SELECT TITULO FROM MA_CUENTAS WHERE CODIGO = ?"), {c});
    if (!f) {
        mensaje = QStringLiteral("La cuenta (") + c + QStringLiteral(") no existe");
        return false;
    }
    if (f->entero(QStringLiteral("TITULO")) != 0) {
        mensaje = QStringLiteral("La cuenta (") + c + QStringLiteral(") es un título y no admite imputaciones");
        return false;
    }
    return true;
}

// Both bounds must be configured; a company without operating dates has none.
bool Configuracion::EsFechaOperativa(const QDate& fecha)
{
    if (!fecha.isValid()) return false;
    const QDate desde = Utilidades::TextoAFecha(ObtieneValor(QStringLiteral("FECHAOPERDESDE")));
    const QDate hasta = Utilidades::TextoAFecha(ObtieneValor(QStringLiteral("FECHAOPERHASTA")));
    if (!desde.isValid() || !hasta.isValid()) return false;
    return desde <= fecha && fecha <= hasta;
}


qint16 Configuracion::DigitoVerificador(const QString& cuenta)
{
    int suma = 0, peso = 2;
    for (qsizetype i = cuenta.size() - 1; i >= 0; --i) {
        const QChar c = cuenta[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) continue;
        suma += (c.unicode() - '0') * peso;
        peso = peso == 7 ? 2 : peso + 1;
    }
    const int d = 11 - suma % 11;
    return qint16(d == 11 ? 0 : d == 10 ? 1 : d);
}

} // namespace vexa
