#pragma once
// Printing a result list on the default printer.
#include <QString>
#include <QStringList>

#include <optional>

namespace vexa {

// Prints the list as ReporteLista (LBM_Common.h) lays it out; an empty list
// prints nothing. Throws ErrorVexa 482 when the printer fails.
void ImprimirLista(const QStringList& items, const std::optional<QString>& titulo = std::nullopt);

} // namespace vexa
