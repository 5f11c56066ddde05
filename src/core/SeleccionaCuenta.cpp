// The account picker shows the lookup list, so it is built with the windows
// (vexa_core_ventanas); the rules never call it.
#include "Configuracion.h"

#include "ListaConsulta.h"
#include "Utilidades.h"

namespace vexa {

QString Configuracion::TituloSeleccionaCuenta() { return QStringLiteral("Plan de Cuentas"); }

std::optional<QString> Configuracion::SeleccionaCuenta()
{
    const QString elegida = plataforma::listaConsulta().Elegir(
        con(), TituloSeleccionaCuenta(), QStringLiteral("CODIGO"),
        QStringLiteral("SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS ORDER BY CODIGO"));
    if (elegida.isEmpty()) return std::nullopt;
    return texto::recortar(elegida);
}

} // namespace vexa
