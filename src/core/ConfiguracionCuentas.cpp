#include "Configuracion.h"

#include "Utilidades.h"

namespace vexa {

// Account lookups and numbering updates are filled by the reception work.
bool Configuracion::ExisteCuenta(const QString&) { return false; }
bool Configuracion::ValidaCuenta(const QString&, const QString&, QString& mensaje)
{
    mensaje = QStringLiteral("La cuenta no existe");
    return false;
}
bool Configuracion::EsFechaOperativa(const QDate&) { return false; }

} // namespace vexa
