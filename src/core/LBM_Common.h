#pragma once
// Small routines the windows of every subsystem share.
#include <QString>
#include <QStringList>

#include <optional>

namespace vexa {

// Character code to use in place of the typed one: with SoloMayusculas on,
// the letters a..z and "ñ" become upper case; anything else passes unchanged.
qint16 MayusculaKeyAscii(qint16 keyAscii);
// The same with the upper-case rule given (ContextoEmpresa::soloMayusculas).
qint16 MayusculaKeyAscii(qint16 keyAscii, bool soloMayusculas);

// Prints the items of a result list on the default printer, under the title
// ("Listado Testigo" when none is given; a given title in upper case), with
// the date and time at column 60. An empty list prints nothing.
void ImprimirLista(const QStringList& items, const std::optional<QString>& titulo = std::nullopt);

// Status-message hook (nothing behind it).
void MensajeEstado(const QString& texto, bool activo);

} // namespace vexa
