#include "DefinirConsulta.h"

#include "Dialogos.h"
#include "ListaConsulta.h"

namespace vexa {

QString TituloAvisoConsulta() { return QStringLiteral("Aviso al operador"); }

QString DefinirConsulta(Conexion& con, const QString& tablaPedida, ColumnasConsulta& columnas, bool mostrar,
                        const QString& condicion, const Params& parametros)
{
    const QString tabla = tablaPedida.trimmed();
    columnas = ReglasConsulta(tabla, columnas);
    if (!mostrar) return QString();

    QString sql, clave;
    try {
        const TablaCatalogo t = con.Catalogo(tabla);
        const ColumnaCatalogo descripcion = con.CatalogoColumna(tabla, columnas.descripcion);
        const ColumnaCatalogo codigo = con.CatalogoColumna(tabla, columnas.codigo);
        sql = QStringLiteral("SELECT %1, %2 FROM %3").arg(descripcion.citado(), codigo.citado(), t.citado());
        if (!condicion.trimmed().isEmpty()) sql += u' ' + condicion.trimmed();
        clave = codigo.nombre;
    } catch (const ErrorBD& e) {
        if (!e.esNoEnCatalogo()) throw;
        plataforma::dialogos().MsgBox(e.descripcion(), plataforma::vbExclamation, TituloAvisoConsulta());
        return QString();
    }
    return plataforma::listaConsulta().Elegir(con, tabla, clave, sql, parametros);
}

} // namespace vexa
