#include "EstadoGlobal.h"

namespace vexa {

QString VersionPrograma() { return QStringLiteral(VEXA_VERSION); }

} // namespace vexa
