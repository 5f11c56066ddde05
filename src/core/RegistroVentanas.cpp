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

bool registrarVentana(const QString& nombre, FabricaVentana fabrica)
{
    registro().insert(nombre.toUpper(), std::move(fabrica));
    return true;
}

bool existeVentana(const QString& nombre) { return registro().contains(nombre.toUpper()); }

QWidget* crearVentana(const QString& nombre, const OpcionesVentana& o)
{
    auto it = registro().constFind(nombre.toUpper());
    return it == registro().constEnd() ? nullptr : (*it)(o);
}

} // namespace vexa
