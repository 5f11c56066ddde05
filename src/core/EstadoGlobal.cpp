#include "EstadoGlobal.h"

#include <QCoreApplication>

namespace vexa {

QString VersionPrograma() { return QStringLiteral(VEXA_VERSION); }

void IdentificarAplicacion()
{
    QCoreApplication::setApplicationName(QStringLiteral("Rz731p"));
    QCoreApplication::setApplicationVersion(VersionPrograma());
}

} // namespace vexa
