#include "lbm_Seguridad.h"

#include "ContextoEmpresa.h"
#include "Utilidades.h"

#include <QAction>
#include <QWidget>

#include <algorithm>

namespace vexa {

namespace {
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

bool AsignaTodasLasTareas(const QString& usuario, const QList<QAction*>& items, Conexion& con)
{
    QStringList tareas;
    for (QAction* a : items) tareas << tagDe(a);
    try {
        GrabaTareas(con, usuario, tareas);
        return true;
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("AsignaTodasLasTareas"));
        return false;
    }
}

bool AsignaTodasLasTareas(const QString& u, const QWidget& f, Conexion& con) { return AsignaTodasLasTareas(u, itemsMenu(f), con); }

void AplicaPermisos(const QString& usuario, const QList<QAction*>& items, Conexion& con)
{
    const QSet<QString> concedidas = TareasConcedidas(con, usuario);
    for (QAction* a : items) {
        if (a->property(PROPIEDAD_SIEMPRE_HABILITADO).toBool()) continue;
        if (const auto habilitada = TareaHabilitada(concedidas, tagDe(a))) a->setEnabled(*habilitada);
    }
}

void AplicaPermisos(const QString& u, const QWidget& f, Conexion& con) { AplicaPermisos(u, itemsMenu(f), con); }

void RegistraEgreso(ContextoEmpresa& ctx, const QWidget& ventana)
{
    RegistraEgreso(ctx.con(), ctx.usuario, ventana.objectName(), ventana.windowTitle());
}

} // namespace vexa
