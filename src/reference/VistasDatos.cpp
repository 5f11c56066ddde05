#include "VistasDatos.h"

#include "Utilidades.h"

namespace vexa::vistas {

const std::vector<TipoVista>& TiposVista()
{
    static const std::vector<TipoVista> t{
        {QStringLiteral("Cliente"), QStringLiteral("CL")},
        {QStringLiteral("Proveedor"), QStringLiteral("PR")},
        {QStringLiteral("Banco"), QStringLiteral("BN")},
        {QStringLiteral("Ninguno"), QStringLiteral("NN")},
    };
    return t;
}

const QStringList& CamposOfrecidos()
{
    static const QStringList c{QStringLiteral("Condición de Compra Venta"), QStringLiteral("Limite de Crédito"),
                               QStringLiteral("Categoría")};
    return c;
}

bool EsVistaPredefinida(const QString& nombre)
{
    const QString n = texto::recortar(nombre);
    return texto::igual(n, QStringLiteral("Proveedores")) || texto::igual(n, QStringLiteral("Clientes")) ||
           texto::igual(n, QStringLiteral("Bancos"));
}

QString MensajeVistaPredefinida()
{
    return QStringLiteral("No se puede modificar la vista seleccionada, puesto que es una vista predefinida");
}

QString MensajeVistaNueva() { return QStringLiteral("La definicion ingresada no existe, Desea Agregarla?"); }

int AnchoNombre() { return 50; }

QStringList NombresVistas(Conexion& con)
{
    QStringList r;
    Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT DISTINCT NOMBRE FROM TA_VISTAS ORDER BY NOMBRE"));
    for (; !rs.eof(); rs.siguiente()) r << texto::recortar(rs.texto(QStringLiteral("NOMBRE")));
    return r;
}

DefinicionVista LeerVista(Conexion& con, const QString& nombre)
{
    DefinicionVista d;
    Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT CAMPO, TIPOVISTA FROM TA_VISTAS WHERE NOMBRE = ? ORDER BY ID"),
                                        {texto::recortar(nombre)});
    for (; !rs.eof(); rs.siguiente()) {
        const QString campo = texto::recortar(rs.texto(QStringLiteral("CAMPO")));
        if (!campo.isEmpty()) d.campos << rs.texto(QStringLiteral("CAMPO"));
        // The last row's type is the one that stays chosen.
        d.tipo = texto::recortar(rs.texto(QStringLiteral("TIPOVISTA")));
    }
    return d;
}

QStringList CamposDisponibles(const QStringList& seleccionados)
{
    const QString unidos = seleccionados.join(u'|');
    QStringList r;
    for (const QString& c : CamposOfrecidos())
        if (!texto::contiene(unidos, c)) r << c;
    return r;
}

void GuardarVista(Conexion& con, const QString& nombre, const QStringList& campos, const QString& tipo)
{
    const QString n = texto::recortar(nombre);
    if (n.isEmpty()) return;
    if (EsVistaPredefinida(n)) throw ErrorVexa(-2147217911, MensajeVistaPredefinida());
    if (n.size() > AnchoNombre())
        throw ErrorVexa(13, QStringLiteral("El nombre de la vista admite hasta %1 caracteres.").arg(AnchoNombre()));
    QStringList filas;
    for (const QString& c : campos)
        if (!texto::recortar(c).isEmpty()) filas << texto::recortar(c);
    if (filas.isEmpty()) filas << QStringLiteral(""); // an empty text, not NULL
    Transaccion t(con);
    con.EjecutarSQL(QStringLiteral("DELETE FROM TA_VISTAS WHERE NOMBRE = ?"), {n});
    for (const QString& c : filas)
        con.EjecutarSQL(QStringLiteral("INSERT INTO TA_VISTAS (NOMBRE, CAMPO, TIPOVISTA) VALUES (?, ?, ?)"), {n, c, tipo});
    t.confirmar();
}

} // namespace vexa::vistas
