#include "Conexion.h"

#include "MotorBD.h"

#include <QRegularExpression>

#include <sqlite3.h>

// The database error: its causes, told from the engine's codes and text.

namespace vexa {

ErrorBD::ErrorBD(int numero, QString descripcion, QString estado, QString sql, Causa causa)
    : ErrorVexa(numero, std::move(descripcion)), estado_(std::move(estado)), sql_(std::move(sql)), causa_(causa)
{
}

ErrorBD ErrorBD::delMotor(Motor m, const QString& estado, const QString& textoMotor, const QString& sql, bool conexionCerrada)
{
    Causa causa = Causa::Otra;
    bool esNumero = false;
    int numero = estado.toInt(&esNumero);
    if (m == Motor::SQLite) {
        switch (numero & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED: causa = Causa::EsperaAgotada; break;
        case SQLITE_FULL: causa = Causa::DiscoLleno; break;
        default: break;
        }
        if (numero == SQLITE_CONSTRAINT_UNIQUE || numero == SQLITE_CONSTRAINT_PRIMARYKEY) causa = Causa::ClaveDuplicada;
    } else {
        if (estado == QLatin1String("55P03") || estado == QLatin1String("57014")) causa = Causa::EsperaAgotada;
        else if (estado == QLatin1String("53100")) causa = Causa::DiscoLleno;
        else if (estado == QLatin1String("40P01")) causa = Causa::BloqueoMutuo;
        else if (estado == QLatin1String("40001")) causa = Causa::Serializacion;
        else if (estado == QLatin1String("23505")) causa = Causa::ClaveDuplicada;
        else if (estado.startsWith(QLatin1String("08")) || estado == QLatin1String("57P01") ||
                 estado == QLatin1String("57P02") || estado == QLatin1String("57P03"))
            causa = Causa::ConexionPerdida;
    }
    if (conexionCerrada) causa = Causa::ConexionPerdida;
    if (!esNumero) numero = -2147217900;
    QString primera;
    switch (causa) {
    case Causa::EsperaAgotada:
        primera = QStringLiteral("Otro usuario tiene ocupados los datos y se agotó el tiempo de espera: intente nuevamente en unos momentos.");
        break;
    case Causa::DiscoLleno:
        primera = QStringLiteral("El disco de la base de datos está lleno: libere espacio y repita la operación.");
        break;
    case Causa::ConexionPerdida:
        primera = QStringLiteral("Se perdió la conexión con la base de datos: la operación no se completó.");
        break;
    case Causa::BloqueoMutuo:
        primera = QStringLiteral("La operación se cruzó con la de otro usuario (bloqueo mutuo) y se deshizo: repítala.");
        break;
    case Causa::Serializacion:
        primera = QStringLiteral("Otro usuario cambió los mismos datos al mismo tiempo y la operación se deshizo: repítala.");
        break;
    case Causa::ClaveDuplicada:
        primera = QStringLiteral("Ya existe un registro con la misma clave (otro usuario pudo grabarlo al mismo tiempo): no se grabó.");
        break;
    default: break;
    }
    const QString texto = textoMotor.trimmed();
    if (primera.isEmpty()) {
        // A declared width (CHECK "largo COLUMNA n" in db/schema/003).
        static const QRegularExpression largo(QStringLiteral("largo ([^ \"]+) ([0-9]+)"));
        const auto mt = largo.match(texto);
        if (mt.hasMatch())
            primera = QStringLiteral("El texto es demasiado largo para la columna %1: admite hasta %2 caracteres.")
                          .arg(mt.captured(1), mt.captured(2));
    }
    return ErrorBD(numero, primera.isEmpty() ? texto : primera + u'\n' + texto, estado, sql, causa);
}

} // namespace vexa
