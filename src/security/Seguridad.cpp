#include "Seguridad.h"

#include "Entorno.h"
#include "Lectores.h"
#include "Utilidades.h"
#include "Windows1252.h"

namespace vexa {

QString NombreSistema() { return QString::fromLatin1(NOMBRE_SISTEMA); }

// ---- task codes ----

bool SeparaTarea(const QString& captionDiseno, QString& caption, QString& tarea)
{
    if (captionDiseno.trimmed() == QLatin1String("-")) return false;
    const int p = captionDiseno.indexOf(QLatin1String("**"));
    if (p < 0) return false;
    tarea = texto::recortar(captionDiseno.mid(p + 2));
    caption = texto::recortar(captionDiseno.left(p));
    return true;
}

// ---- grants ----

QSet<QString> TareasConcedidas(Conexion& con, const QString& usuario)
{
    QSet<QString> r;
    Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT TAREA FROM TA_TAREAS WHERE USUARIO = ? AND SISTEMA = ?"),
                                        {texto::recortar(usuario), NombreSistema()});
    for (; !rs.eof(); rs.siguiente()) r.insert(texto::recortar(rs.texto(QStringLiteral("TAREA"))).toUpper());
    return r;
}

std::optional<bool> TareaHabilitada(const QSet<QString>& concedidas, const QString& tarea)
{
    const QString t = texto::recortar(tarea);
    if (t.size() <= 2) return std::nullopt;
    return concedidas.contains(t.toUpper());
}

void GrabaTareas(Conexion& con, const QString& usuario, const QStringList& tareas, Progreso* progreso)
{
    const QString nombre = texto::recortar(usuario);
    Transaccion t(con);
    con.EjecutarSQL(QStringLiteral("DELETE FROM TA_TAREAS WHERE USUARIO = ? AND SISTEMA = ?"), {nombre, NombreSistema()});
    if (progreso) progreso->Iniciar(QStringLiteral("Actualizando Datos"), tareas.size());
    struct Cierre {
        Progreso* p;
        ~Cierre() { if (p) p->Cerrar(); } // closed also when a row fails
    } cierre{progreso};
    QSet<QString> puestas;
    qint64 hechas = 0;
    for (const QString& bruta : tareas) {
        const QString tarea = texto::recortar(bruta);
        if (tarea.isEmpty() || puestas.contains(tarea.toUpper())) continue;
        puestas.insert(tarea.toUpper());
        con.Insertar(QStringLiteral("TA_TAREAS"), {{QStringLiteral("USUARIO"), nombre},
                                                  {QStringLiteral("TAREA"), tarea},
                                                  {QStringLiteral("SISTEMA"), NombreSistema()}});
        if (progreso) progreso->Actualizar(++hechas, QStringLiteral("Actualizando datos"), tarea, QString());
    }
    t.confirmar();
}

// ---- passwords ----

QString CodificaClave(const QString& clave)
{
    const int n = clave.size();
    QString r;
    for (int i = n - 1; i >= 0; --i)
        r += QString::number(windows1252::codigo(clave.at(i)) + n).rightJustified(3, QLatin1Char('0'));
    return r;
}

std::optional<QString> DecodificaClave(const QString& codificada)
{
    const int L = codificada.size();
    const int k = L / 3;
    QString r;
    for (int pos = L; pos >= 3; pos -= 3) {
        const QString grupo = codificada.mid(pos - 3, 3);
        if (!texto::soloDigitos(grupo)) return std::nullopt;
        const int codigo = int(lectura::entero(grupo).o(0)) - k;
        if (codigo < 0 || codigo > 255) return std::nullopt;
        r += windows1252::caracter(codigo);
    }
    return r;
}

bool ClaveCoincide(const QString& codificada, const QString& tecleada)
{
    const auto clave = DecodificaClave(codificada);
    return clave && *clave == tecleada;
}

// ---- access log ----

void RegistraEgreso(Conexion& con, const QString& usuario, const QString& formulario, const QString& caption)
{
    try {
        const QString maquina = texto::recortar(plataforma::InfoSistema::NombreEquipo()).toUpper();
        auto fila = con.PrimeraFila(
            QStringLiteral("SELECT ID FROM CONTROL_ACCESO WHERE USUARIO = ? AND MAQUINA = ? AND FORMULARIO = ? "
                           "AND TAREA = ? AND EGRESO IS NULL ORDER BY INGRESO DESC, ID DESC LIMIT 1"),
            {texto::recortar(usuario), maquina, texto::recortar(formulario), texto::recortar(caption)});
        if (!fila) return;
        con.EjecutarSQL(QStringLiteral("UPDATE CONTROL_ACCESO SET EGRESO = ? WHERE ID = ? AND EGRESO IS NULL"),
                        {plataforma::ahora(), fila->valor(QStringLiteral("ID"))});
    } catch (const std::exception& e) {
        // The window is closing: a failed stamp must not stop it, but it goes to the error log.
        Utilidades::escribirLog(numeroDeError(e), descripcionDeError(e), QStringLiteral("RegistraEgreso"));
    } catch (...) {
        Utilidades::escribirLog(0, QStringLiteral("Error desconocido"), QStringLiteral("RegistraEgreso"));
    }
}

} // namespace vexa
