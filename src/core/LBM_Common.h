#pragma once
// Small routines the windows of every subsystem share.
#include "Reporte.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace vexa {

// Character code to use in place of the typed one: with the company's
// upper-case rule on (ContextoEmpresa::soloMayusculas), the letters a..z and
// "ñ" become upper case; anything else passes unchanged.
qint16 MayusculaKeyAscii(qint16 keyAscii, bool soloMayusculas);

// The printed form of a result list: an empty line, the date and the time at
// column 60, two empty lines and the title ("Listado Testigo" when none is
// given; a given title in upper case) at the left margin, all in size 10
// underlined and bold; then two empty lines and the items, one per line, in size
// 8 without emphasis. An empty list has none. The windows print it with
// ImprimirLista (ListadoTestigo.h).
std::optional<plataforma::Reporte> ReporteLista(const QStringList& items, const std::optional<QString>& titulo = std::nullopt);

// Status-message hook (nothing behind it).
void MensajeEstado(const QString& texto, bool activo);

// The main window's status-bar text (its first panel as well), shown at once.
// The main window gives the hook (fijarTextoEstado); without it nothing is shown.
void TextoEstado(const QString& texto);
void fijarTextoEstado(std::function<void(const QString&)> f);

} // namespace vexa
