#include "lbm_Seguridad.h"

#include "Conexion.h"
#include "Entorno.h"
#include "Utilidades.h"
#include "Windows1252.h"

#include <QAction>
#include <QSet>
#include <QWidget>

#include <algorithm>

namespace vexa {

QString NombreSistema() { return QString::fromLatin1(NOMBRE_SISTEMA); }

namespace {
Conexion& conexion(Conexion* c) { return c ? *c : Conexion::instancia(); }

bool esSeparador(const QAction* a) { return a->isSeparator() || a->text().trimmed() == QLatin1String("-"); }

} // namespace

QString tagDe(const QObject* item) { return item ? item->property(PROPIEDAD_TAG).toString() : QString(); }
void fijarTag(QObject* item, const QString& tag) { item->setProperty(PROPIEDAD_TAG, tag); }

QList<QAction*> itemsMenu(const QWidget& formulario)
{
    QList<QAction*> r;
    for (QAction* a : formulario.findChildren<QAction*>())
        if (a->property(PROPIEDAD_ORDEN_MENU).isValid()) r.append(a);
    std::stable_sort(r.begin(), r.end(), [](QAction* x, QAction* y) {
        return x->property(PROPIEDAD_ORDEN_MENU).toInt() < y->property(PROPIEDAD_ORDEN_MENU).toInt();
    });
    return r;
}

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

void InicializaTareasMenu(const QList<QAction*>& items)
{
    for (QAction* a : items) {
        if (esSeparador(a)) continue;
        QString caption, tarea;
        if (!SeparaTarea(a->text(), caption, tarea)) continue;
        fijarTag(a, tarea);
        a->setText(caption);
    }
}
void InicializaTareasMenu(const QWidget& f) { InicializaTareasMenu(itemsMenu(f)); }

// ---- grants ----

bool AsignaTodasLasTareas(const QString& usuario, const QList<QAction*>& items, Conexion* c)
{
    Conexion& con = conexion(c);
    const QString nombre = texto::recortar(usuario);
    try {
        Transaccion t(con);
        con.EjecutarSQL(QStringLiteral("DELETE FROM TA_TAREAS WHERE USUARIO = ? AND SISTEMA = ?"),
                        {nombre, NombreSistema()});
        QSet<QString> puestas;
        for (QAction* a : items) {
            const QString tarea = texto::recortar(tagDe(a));
            if (tarea.isEmpty() || puestas.contains(tarea.toUpper())) continue;
            puestas.insert(tarea.toUpper());
            con.Insertar(QStringLiteral("TA_TAREAS"), {{QStringLiteral("USUARIO"), nombre},
                                                      {QStringLiteral("TAREA"), tarea},
                                                      {QStringLiteral("SISTEMA"), NombreSistema()}});
        }
        t.confirmar();
        return true;
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("AsignaTodasLasTareas"));
        return false;
    }
}
bool AsignaTodasLasTareas(const QString& u, const QWidget& f, Conexion* c) { return AsignaTodasLasTareas(u, itemsMenu(f), c); }

void AplicaPermisos(const QString& usuario, const QList<QAction*>& items, Conexion* c)
{
    Conexion& con = conexion(c);
    QString lista = QStringLiteral("|");
    Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT TAREA FROM TA_TAREAS WHERE USUARIO = ? AND SISTEMA = ?"),
                                        {texto::recortar(usuario), NombreSistema()});
    for (; !rs.eof(); rs.siguiente()) lista += texto::recortar(rs.texto(QStringLiteral("TAREA"))) + QLatin1Char('|');

    for (QAction* a : items) {
        const QString tarea = texto::recortar(tagDe(a));
        if (tarea.size() <= 2) continue;
        const QString caption = texto::recortar(Utilidades::QuitaCaracteres(a->text(), QStringLiteral("&")));
        if (caption.compare(QLatin1String("SALIR"), Qt::CaseInsensitive) == 0
            || caption.contains(QStringLiteral("CERRAR SESIÓN"), Qt::CaseInsensitive))
            continue;
        a->setEnabled(lista.contains(QLatin1Char('|') + tarea + QLatin1Char('|'), Qt::CaseInsensitive));
    }
}
void AplicaPermisos(const QString& u, const QWidget& f, Conexion* c) { AplicaPermisos(u, itemsMenu(f), c); }

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
        const int codigo = grupo.toInt() - k;
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

void RegistraEgreso(const QString& formulario, const QString& caption, Conexion* c)
{
    try {
        Conexion& con = conexion(c);
        const QString maquina = texto::recortar(plataforma::InfoSistema::NombreEquipo()).toUpper();
        auto fila = con.PrimeraFila(
            QStringLiteral("SELECT ID FROM CONTROL_ACCESO WHERE USUARIO = ? AND MAQUINA = ? AND FORMULARIO = ? "
                           "AND TAREA = ? AND EGRESO IS NULL ORDER BY INGRESO DESC, ID DESC LIMIT 1"),
            {texto::recortar(UsuarioActual), maquina, texto::recortar(formulario), texto::recortar(caption)});
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

void RegistraEgreso(const QWidget& ventana, Conexion* c) { RegistraEgreso(ventana.objectName(), ventana.windowTitle(), c); }

} // namespace vexa
