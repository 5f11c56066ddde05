#include "CfgVentanas.h"

#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Utilidades.h"

namespace vexa {

void IniContable(ContextoEmpresa& ctx)
{
    EjecutarPasos(QStringLiteral("IniContable"), {[&ctx] { CargarValoresContables(ctx); }}, {}, &ctx.con());
}

QString Cfg(ContextoEmpresa& ctx, const QString& clave)
{
    // Going on after a failed read finds no row (" "); leaving gives "".
    QString valor = QStringLiteral(" ");
    if (!EjecutarPasos(QStringLiteral("Cfg"), {[&] { valor = ctx.configuracion().ObtieneValor(clave); }}, {}, &ctx.con()))
        return QString();
    return valor;
}

} // namespace vexa
