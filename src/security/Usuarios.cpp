#include "Usuarios.h"

#include "Seguridad.h"
#include "Utilidades.h"
#include "Windows1252.h"

#include <QSet>

namespace vexa {

namespace {
// The row of this program's user, found by its trimmed name in any case (the
// stored name may carry the blanks it was typed with).
// Both sides folded by the database itself, so that they fold alike.
const char* kPorNombre = "UPPER(TRIM(NOMBRE)) = UPPER(?) AND SISTEMA = ?";
Params porNombre(const QString& nombre) { return {texto::recortar(nombre), NombreSistema()}; }
} // namespace

QString UsuarioSupervisor() { return QString::fromLatin1(USUARIO_SUPERVISOR); }

QStringList UsuariosDelSistema(Conexion& con)
{
    QStringList r;
    Recordset rs = con.ObtenerRecordset(
        QStringLiteral("SELECT NOMBRE FROM TA_USUARIOS WHERE UPPER(TRIM(NOMBRE)) <> ? AND SISTEMA = ? ORDER BY UPPER(TRIM(NOMBRE))"),
        {UsuarioSupervisor(), NombreSistema()});
    for (; !rs.eof(); rs.siguiente()) r << rs.texto(QStringLiteral("NOMBRE"));
    return r;
}

QStringList UsuariosDeTodosLosSistemas(Conexion& con)
{
    QStringList r;
    QSet<QString> vistos;
    Recordset rs = con.ObtenerRecordset(
        QStringLiteral("SELECT NOMBRE FROM TA_USUARIOS WHERE UPPER(TRIM(NOMBRE)) <> ? ORDER BY UPPER(TRIM(NOMBRE))"),
        {UsuarioSupervisor()});
    for (; !rs.eof(); rs.siguiente()) {
        const QString n = texto::recortar(rs.texto(QStringLiteral("NOMBRE")));
        if (n.isEmpty() || vistos.contains(n.toUpper())) continue;
        vistos.insert(n.toUpper());
        r << n;
    }
    return r;
}

bool ExisteUsuario(Conexion& con, const QString& nombre)
{
    return con.PrimeraFila(QStringLiteral("SELECT 1 FROM TA_USUARIOS WHERE ") + QLatin1String(kPorNombre), porNombre(nombre))
        .has_value();
}

bool ClaveRepresentable(const QString& clave)
{
    for (const QChar c : clave)
        if (windows1252::caracter(windows1252::codigo(c)) != c) return false;
    return true;
}

bool ClaveAnteriorCorrecta(const QString& codificada, const QString& tecleada)
{
    const auto clave = DecodificaClave(texto::recortar(codificada));
    return clave && texto::igual(texto::recortar(*clave), texto::recortar(tecleada));
}

void CreaUsuario(Conexion& con, const QString& nombre, const QString& clave, const QStringList& tareas)
{
    Transaccion t(con);
    con.Insertar(QStringLiteral("TA_USUARIOS"), {{QStringLiteral("NOMBRE"), nombre},
                                                {QStringLiteral("PASSWORD"), CodificaClave(clave)},
                                                {QStringLiteral("SISTEMA"), NombreSistema()}});
    GrabaTareas(con, nombre, tareas);
    t.confirmar();
}

std::optional<QString> ClaveGuardada(Conexion& con, const QString& nombre)
{
    const auto f = con.PrimeraFila(QStringLiteral("SELECT PASSWORD FROM TA_USUARIOS WHERE ") + QLatin1String(kPorNombre),
                                   porNombre(nombre));
    if (!f) return std::nullopt;
    return Utilidades::NuloATexto(f->valor(QStringLiteral("PASSWORD")));
}

bool CambiaClave(Conexion& con, const QString& nombre, const QString& clave)
{
    Transaccion t(con);
    const int n = con.Actualizar(QStringLiteral("TA_USUARIOS"),
                                 {{QStringLiteral("PASSWORD"), CodificaClave(texto::recortar(clave))}},
                                 QLatin1String(kPorNombre), porNombre(nombre));
    t.confirmar();
    return n > 0;
}

bool EliminaUsuario(Conexion& con, const QString& nombre)
{
    Transaccion t(con);
    const int n = con.Eliminar(QStringLiteral("TA_USUARIOS"), QLatin1String(kPorNombre), porNombre(nombre));
    t.confirmar();
    return n > 0;
}

} // namespace vexa
