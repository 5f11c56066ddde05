#pragma once
// The splash window shown while the program starts, with the version on it.
#include <QString>

namespace vexa {

void MostrarPresentacion(const QString& version);
void RefrescarPresentacion();
void CerrarPresentacion();

} // namespace vexa
