#include "UtilTeb.h"

#include <QAction>

namespace vexa {

namespace {
const QList<BarraBotones::Boton>& botonesUtilTeb()
{
    static const QList<BarraBotones::Boton> b{
        {"NUEVO", "Nuevo", Qt::Key_F2},         {"GRABAR", "Grabar", Qt::Key_F3},   {"BORRAR", "Borrar", Qt::Key_F4},
        {"CONSULTAR", "Consultar", Qt::Key_F6}, {"PLANILLA", "Planilla", Qt::Key_F7}, {"REPORTE", "Reporte", Qt::Key_F8},
        {"CANCELAR", "Cancelar", Qt::Key_F9},   {"CERRAR", "Cerrar", Qt::Key_F10},
    };
    return b;
}
} // namespace

BarraBotones::BarraBotones(const QList<Boton>& botones, const QString& nombre, QWidget* parent)
    : QToolBar(parent), botones_(botones)
{
    setObjectName(nombre);
    for (const Boton& b : botones_) {
        QAction* a = addAction(QString::fromUtf8(b.texto));
        a->setObjectName(QString::fromLatin1(b.clave));
        a->setData(QString::fromLatin1(b.clave));
        connect(a, &QAction::triggered, this, [this, a] { emit ButtonClick(a->data().toString()); });
    }
}

QStringList BarraBotones::clavesDe(const QList<Boton>& botones)
{
    QStringList l;
    for (const Boton& b : botones) l << QString::fromLatin1(b.clave);
    return l;
}

QAction* BarraBotones::boton(const QString& clave) const { return findChild<QAction*>(clave.toUpper()); }

void BarraBotones::setHabilitado(const QString& clave, bool si)
{
    if (QAction* a = boton(clave)) a->setEnabled(si);
}

bool BarraBotones::habilitado(const QString& clave) const
{
    const QAction* a = boton(clave);
    return a && a->isEnabled();
}

bool BarraBotones::Tecla(int tecla, Qt::KeyboardModifiers modificadores)
{
    if (modificadores & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) return false;
    for (const Boton& b : botones_) {
        if (b.tecla != tecla) continue;
        QAction* a = boton(QString::fromLatin1(b.clave));
        if (!isEnabled() || !a || !a->isEnabled()) return false;
        a->trigger();
        return true;
    }
    return false;
}

UtilTeb::UtilTeb(QWidget* parent) : BarraBotones(botonesUtilTeb(), QStringLiteral("UtilTeb1"), parent) {}

const QStringList& UtilTeb::claves()
{
    static const QStringList c = clavesDe(botonesUtilTeb());
    return c;
}

} // namespace vexa
