#pragma once
// Copy-book titles (TA_TITCOPIADORES: CODIGO, four digits zero-filled, and
// DESCRIPCION) and the change of their codes.
//
// Each code changes in a small write transaction of its own: the check that
// the new code is free and the UPDATE by the old code (the key). A run that
// stops half way keeps the codes changed so far. A new code taken meanwhile by
// another station (duplicate key) counts as a collision.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace vexa {

class Conexion;

namespace titulos {

struct TituloCopiador {
    QString codigo;      // trimmed CODIGO
    QString descripcion; // DESCRIPCION ("" for NULL)
};

// The titles whose code is a number from 'desde' to 'hasta', in code order. A
// stored code that is not a number is left out.
std::vector<TituloCopiador> CargarTitulos(Conexion& con, qint64 desde, qint64 hasta);

// Changes one code. Returns false (nothing written) when the new code is taken.
// Throws ErrorBD on a database error, and ErrorVexa when the old code is gone.
bool CambiarCodigo(Conexion& con, const QString& viejo, const QString& nuevo);

// Bulk change by a signed increment over the codes in list order (walked from
// the last when the increment is positive, from the first when negative).
// alFallar is asked on an error, after that code's transaction was rolled back:
// 4 repeats the code, 5 notes the error in the report and goes on, anything
// else stops the run. Returns the collision report (each entry after a "\r").
using AlFallar = std::function<int(const std::exception&)>;
QString RenumerarTitulos(Conexion& con, const QStringList& codigos, qint64 incremento, const AlFallar& alFallar);

// The single recode's answer, checked in this order.
enum class Recodificacion { Hecho, Vacio, Largo, NoNumerico, Existe };
// The answer is trimmed of blanks; an empty optional is the prompt's Cancel.
Recodificacion Recodificar(Conexion& con, const QString& viejo, const std::optional<QString>& respuesta);
QString MensajeRecodificacion(Recodificacion r);

} // namespace titulos
} // namespace vexa
