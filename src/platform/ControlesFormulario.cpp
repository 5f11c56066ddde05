#include "ControlesFormulario.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace vexa {

int ControlesFormulario::IndiceCampo(const std::vector<QLineEdit*>& campos, const QString& campo)
{
    for (size_t i = 0; i < campos.size(); ++i)
        if (campos[i] && QString::compare(campos[i]->property(propiedadCampo()).toString(), campo, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

bool ControlesFormulario::EsTeclaEnter(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Enter; }

void ControlesFormulario::SiguienteControl(QWidget* actual, int tecla)
{
    if (!actual || !EsTeclaEnter(tecla)) return;
    QWidget* w = actual->nextInFocusChain();
    // The next control that can take the focus, in the window's tab order.
    while (w && w != actual) {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && w->window() == actual->window()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
        w = w->nextInFocusChain();
    }
}

bool ControlesFormulario::FiltraTecla(const QLineEdit* campo, const QKeyEvent& e)
{
    const QString t = e.text();
    if (!campo || t.isEmpty() || t[0].isNull() || t[0].category() == QChar::Other_Control) return false;
    const QString filtro = campo->property(propiedadFiltro()).toString();
    const QChar c = t[0];
    if (filtro == QLatin1String("NUMERO")) return !(c.isDigit() || c == u'.' || c == u',' || c == u'-' || c == u'+');
    if (filtro == QLatin1String("FECHA")) return !(c.isDigit() || c == u'/' || c == u'-' || c == u'.');
    return false;
}

} // namespace vexa
