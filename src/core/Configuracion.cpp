#include "Configuracion.h"

#include "Utilidades.h"


namespace vexa {

void Configuracion::copiarConexion(const Conexion& c)
{
    Server = c.datos().server;
    DbName = c.datos().dbName;
    CadenaConexion = c.CadenaConexion();
    Usuario = c.datos().usuario;
    Password = c.datos().password;
    Conectar();
}

QString Configuracion::ObtieneValor(const QString& clave)
{
    auto f = con().PrimeraFila(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = ?"), {texto::recortar(clave)});
    if (!f) return QStringLiteral(" ");
    return f->texto(QStringLiteral("VALOR"));
}

bool Configuracion::FechasEjercicio(int periodo, QDate& desde, QDate& hasta)
{
    auto f = con().PrimeraFila(QStringLiteral("SELECT [FECHA DESDE], [FECHA HASTA] FROM MV_EJERCICIOS WHERE PERIODO = ?"), {periodo});
    if (!f) {
        desde = hasta = QDate();
        return false;
    }
    desde = f->fecha(QStringLiteral("FECHA DESDE"));
    hasta = f->fecha(QStringLiteral("FECHA HASTA"));
    return true;
}

} // namespace vexa
