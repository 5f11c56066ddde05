#include "TBarRep.h"

namespace vexa {

namespace {
const QList<BarraBotones::Boton>& botonesTBarRep()
{
    static const QList<BarraBotones::Boton> b{
        {"PANTALLA", "Pantalla", Qt::Key_F7},
        {"IMPRESORA", "Impresora", Qt::Key_F8},
        {"CERRAR", "Cerrar", Qt::Key_F10},
        {"CONSULTAR", "Consultar", Qt::Key_F6},
    };
    return b;
}
} // namespace

TBarRep::TBarRep(QWidget* parent) : BarraBotones(botonesTBarRep(), QStringLiteral("TBarRep1"), parent) {}

const QStringList& TBarRep::claves()
{
    static const QStringList c = clavesDe(botonesTBarRep());
    return c;
}

void TBarRep::setEstado1(bool consultar) { setHabilitado(QStringLiteral("CONSULTAR"), consultar); }
bool TBarRep::estado1() const { return habilitado(QStringLiteral("CONSULTAR")); }

} // namespace vexa
