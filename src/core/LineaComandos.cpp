#include "LineaComandos.h"

#include "Utilidades.h"

namespace vexa {

namespace {
const QString kSinPresentacion = QStringLiteral("/NoMostrarSlash");
}

QString textoLineaComandos(const QStringList& argumentos) { return argumentos.mid(1).join(u' '); }

const QStringList& clavesLineaComandos()
{
    static const QStringList c{QStringLiteral("@ParametroAdicional"), QStringLiteral("@Menu"), QStringLiteral("@Server"),
                               QStringLiteral("@DbName"), QStringLiteral("@Usuario"), QStringLiteral("@Password"),
                               QStringLiteral("@Caja")};
    return c;
}

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
    const QStringList& k = clavesLineaComandos();
    ClavesConexion c;
    c.parametroAdicional = valorClave(l, k[0]);
    c.menu = valorClave(l, k[1]);
    c.server = valorClave(l, k[2]);
    c.dbName = valorClave(l, k[3]);
    c.usuario = valorClave(l, k[4]);
    c.password = valorClave(l, k[5]);
    c.caja = valorClave(l, k[6]);
    return c;
}

bool sinPresentacion(const QString& l) { return l.contains(kSinPresentacion, Qt::CaseInsensitive); }

QString usuarioDeLinea(const QString& linea)
{
    const int puntoYComa = linea.indexOf(u';');
    if (puntoYComa < 0) return QString();
    const QString resto = linea.mid(puntoYComa + 1);

    // One pass from left to right, so a key written inside an earlier value
    // (a password holding "@Menu") goes away with the item that holds it.
    QString usuario;
    int i = 0;
    while (i < resto.size()) {
        if (resto.mid(i, kSinPresentacion.size()).compare(kSinPresentacion, Qt::CaseInsensitive) == 0) {
            i += kSinPresentacion.size();
            continue;
        }
        bool esClave = false;
        for (const QString& k : clavesLineaComandos()) {
            if (resto.mid(i, k.size()).compare(k, Qt::CaseInsensitive) == 0) {
                const int fin = resto.indexOf(u';', i + k.size());
                i = fin < 0 ? resto.size() : fin + 1;
                esClave = true;
                break;
            }
        }
        if (!esClave) usuario += resto[i++];
    }
    return texto::recortar(usuario);
}

} // namespace vexa
