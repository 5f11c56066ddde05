#include "RegistroVentanas.h"

#include <QHash>

namespace vexa {

namespace {
QHash<QString, FabricaVentana>& registro()
{
    static QHash<QString, FabricaVentana> r;
    return r;
}
} // namespace

void registrarVentana(const QString& nombre, FabricaVentana fabrica) { registro().insert(nombre.toUpper(), std::move(fabrica)); }

bool existeVentana(const QString& nombre) { return registro().contains(nombre.toUpper()); }

QWidget* crearVentana(const QString& nombre, ContextoEmpresa& ctx, const OpcionesVentana& o)
{
    auto it = registro().constFind(nombre.toUpper());
    return it == registro().constEnd() ? nullptr : (*it)(ctx, o);
}

} // namespace vexa
