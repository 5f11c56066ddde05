// The account picker shows the lookup list, so it lives at the window level.
#include "Configuracion.h"

#include "ListaConsulta.h"
#include "Utilidades.h"

namespace vexa {

bool Configuracion::SeleccionaCuenta(QString& cuenta)
{
    const QString elegida = plataforma::listaConsulta().Elegir(
        con(), TituloSeleccionaCuenta(), QStringLiteral("CODIGO"),
        QStringLiteral("SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS ORDER BY CODIGO"));
    if (elegida.isEmpty()) return false;
    cuenta = texto::recortar(elegida);
    return true;
}

} // namespace vexa
