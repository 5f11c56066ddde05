#include "LineaComandos.h"

#include "Utilidades.h"

namespace vexa {

QString textoLineaComandos(const QStringList& argumentos) { return argumentos.mid(1).join(u' '); }

QString valorClave(const QString& linea, const QString& clave)
{
    const int p = linea.indexOf(clave, 0, Qt::CaseInsensitive);
    if (p < 0) return QString();
    const int e = linea.indexOf(u';', p);
    if (e < 0) return QString();
    QString v = linea.mid(p + clave.size(), e - p - clave.size());
    v = Utilidades::QuitaCaracteres(v, QStringLiteral("="));
    return texto::recortar(v);
}

ClavesConexion cortarClaves(const QString& l)
{
    ClavesConexion c;
    c.parametroAdicional = valorClave(l, QStringLiteral("@ParametroAdicional"));
    c.menu = valorClave(l, QStringLiteral("@Menu"));
    c.server = valorClave(l, QStringLiteral("@Server"));
    c.dbName = valorClave(l, QStringLiteral("@DbName"));
    c.usuario = valorClave(l, QStringLiteral("@Usuario"));
    c.password = valorClave(l, QStringLiteral("@Password"));
    c.caja = valorClave(l, QStringLiteral("@Caja"));
    return c;
}

} // namespace vexa
