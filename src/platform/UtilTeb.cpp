#include "UtilTeb.h"

#include <QAction>

namespace vexa {

namespace {
struct Boton {
    const char* clave;
    const char* texto;
    int tecla;
};
const Boton kBotones[] = {
    {"NUEVO", "Nuevo", Qt::Key_F2},         {"GRABAR", "Grabar", Qt::Key_F3},   {"BORRAR", "Borrar", Qt::Key_F4},
    {"CONSULTAR", "Consultar", Qt::Key_F6}, {"PLANILLA", "Planilla", Qt::Key_F7}, {"REPORTE", "Reporte", Qt::Key_F8},
    {"CANCELAR", "Cancelar", Qt::Key_F9},   {"CERRAR", "Cerrar", Qt::Key_F10},
};
} // namespace

UtilTeb::UtilTeb(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("UtilTeb1"));
    for (const Boton& b : kBotones) {
        QAction* a = addAction(QString::fromUtf8(b.texto));
        a->setObjectName(QString::fromLatin1(b.clave));
        a->setData(QString::fromLatin1(b.clave));
        connect(a, &QAction::triggered, this, [this, a] { emit ButtonClick(a->data().toString()); });
    }
}

const QStringList& UtilTeb::claves()
{
    static const QStringList c = [] {
        QStringList l;
        for (const Boton& b : kBotones) l << QString::fromLatin1(b.clave);
        return l;
    }();
    return c;
}

QAction* UtilTeb::boton(const QString& clave) const { return findChild<QAction*>(clave.toUpper()); }

void UtilTeb::setHabilitado(const QString& clave, bool si)
{
    if (QAction* a = boton(clave)) a->setEnabled(si);
}

bool UtilTeb::habilitado(const QString& clave) const
{
    const QAction* a = boton(clave);
    return a && a->isEnabled();
}

bool UtilTeb::Tecla(int tecla, Qt::KeyboardModifiers modificadores)
{
    if (modificadores & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) return false;
    for (const Boton& b : kBotones) {
        if (b.tecla != tecla) continue;
        QAction* a = boton(QString::fromLatin1(b.clave));
        if (!isEnabled() || !a || !a->isEnabled()) return false;
        a->trigger();
        return true;
    }
    return false;
}

} // namespace vexa
