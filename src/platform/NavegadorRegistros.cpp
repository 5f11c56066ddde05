#include "NavegadorRegistros.h"

#include <QAction>

namespace vexa {

namespace {
struct Boton {
    const char* clave;
    const char* texto;
    const char* ayuda;
};
const Boton kBotones[] = {
    {"PRIMERO", "|<", "Primero"}, {"ANTERIOR", "<", "Anterior"}, {"SIGUIENTE", ">", "Siguiente"},
    {"ULTIMO", ">|", "Último"},   {"FILTRAR", "Filtrar", "Filtrar"},
};
} // namespace

NavegadorRegistros::NavegadorRegistros(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("Util0011"));
    for (const Boton& b : kBotones) {
        QAction* a = addAction(QString::fromUtf8(b.texto));
        a->setObjectName(QString::fromLatin1(b.clave));
        a->setData(QString::fromLatin1(b.clave));
        a->setToolTip(QString::fromUtf8(b.ayuda));
        connect(a, &QAction::triggered, this, [this, a] { emit ButtonClick(a->data().toString()); });
    }
}

const QStringList& NavegadorRegistros::claves()
{
    static const QStringList c = [] {
        QStringList l;
        for (const Boton& b : kBotones) l << QString::fromLatin1(b.clave);
        return l;
    }();
    return c;
}

QAction* NavegadorRegistros::boton(const QString& clave) const { return findChild<QAction*>(clave.toUpper()); }

} // namespace vexa
