#include "ControlesFormulario.h"

#include "Errores.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
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
    if (!campo || t.isEmpty() || t[0].isNull()) return false;
    return FiltraTecla(campo, int(t[0].unicode())) == 0;
}

int ControlesFormulario::FiltraTecla(const QLineEdit* campo, int codigo)
{
    const QChar c(codigo);
    if (!campo || codigo <= 0 || c.category() == QChar::Other_Control) return codigo;
    const QString filtro = campo->property(propiedadFiltro()).toString();
    if (filtro == QLatin1String("NUMERO"))
        return c.isDigit() || c == u'.' || c == u',' || c == u'-' || c == u'+' ? codigo : 0;
    if (filtro == QLatin1String("FECHA")) return c.isDigit() || c == u'/' || c == u'-' || c == u'.' ? codigo : 0;
    return codigo;
}

void ControlesFormulario::SeleccionaTexto(QLineEdit* campo, bool todo)
{
    if (!campo || !todo) return;
    campo->selectAll();
    // A click that gave the focus places the cursor after the focus event:
    // select again once it is done.
    QTimer::singleShot(0, campo, [c = QPointer<QLineEdit>(campo)] {
        if (c && c->hasFocus()) c->selectAll();
    });
}

ArregloCajas::ArregloCajas(const QString& nombre, QObject* padre) : QObject(padre), nombre_(nombre) {}

ArregloCajas::~ArregloCajas()
{
    // The boxes may outlive the array (they belong to their window): stop filtering.
    for (QLineEdit* c : cajas_)
        if (c) c->removeEventFilter(this);
}

QLineEdit* ArregloCajas::agregar(QWidget* padre, const Definicion& d)
{
    auto* c = new QLineEdit(padre);
    c->setObjectName(QStringLiteral("%1_%2").arg(nombre_).arg(cajas_.size()));
    c->setProperty(ControlesFormulario::propiedadCampo(), d.campo);
    c->setProperty(ControlesFormulario::propiedadTag(), d.tag);
    if (d.largoMaximo > 0) c->setMaxLength(d.largoMaximo);
    if (d.derecha) c->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c->installEventFilter(this);
    // A box destroyed with its window leaves an empty place, never a dangling one.
    connect(c, &QObject::destroyed, this, [this, c] {
        for (QLineEdit*& x : cajas_)
            if (x == c) x = nullptr;
    });
    cajas_.push_back(c);
    return c;
}

QLineEdit* ArregloCajas::campo(const QString& nombreCampo) const
{
    const int i = IndiceCampo(nombreCampo);
    if (i < 0)
        throw ErrorVexa(3265, QStringLiteral("No existe el campo %1 en %2").arg(nombreCampo, nombre_));
    return cajas_[size_t(i)];
}

int ArregloCajas::indiceDe(const QObject* o) const
{
    for (size_t i = 0; i < cajas_.size(); ++i)
        if (o && cajas_[i] == o) return int(i);
    return -1;
}

QString ArregloCajas::dataField(const QLineEdit* caja)
{
    return caja ? caja->property(ControlesFormulario::propiedadCampo()).toString() : QString();
}

QString ArregloCajas::tag(const QLineEdit* caja)
{
    return caja ? caja->property(ControlesFormulario::propiedadTag()).toString() : QString();
}

void ArregloCajas::LimpiaCampos()
{
    for (QLineEdit* c : cajas_)
        if (c) c->clear();
}

bool ArregloCajas::eventFilter(QObject* o, QEvent* e)
{
    if (reenviando_) return false;
    const int i = indiceDe(o);
    if (i < 0) return false;
    auto* caja = cajas_[size_t(i)];
    switch (e->type()) {
    case QEvent::FocusIn:
        if (AlEntrar) AlEntrar(i);
        return false;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        QPointer<QLineEdit> viva(caja);
        if (TeclaAbajo) {
            int tecla = k->key();
            TeclaAbajo(i, tecla, k->modifiers());
            // A key without a code (a character sent alone) is swallowed only
            // when the handler said so by a code of its own.
            if ((tecla == 0 && k->key() != 0) || !viva) return true;
        }
        const QString t = k->text();
        if (!TeclaPresionada || t.size() != 1) return false;
        int codigo = int(t[0].unicode());
        const int original = codigo;
        TeclaPresionada(i, codigo);
        if (codigo == 0 || !viva) return true;
        if (codigo == original) return false;
        // Another character: the box receives it in place of the typed one.
        QKeyEvent otro(QEvent::KeyPress, k->key(), k->modifiers(), QString(QChar(codigo)), k->isAutoRepeat(), 1);
        reenviando_ = true;
        QCoreApplication::sendEvent(caja, &otro);
        reenviando_ = false;
        return true;
    }
    case QEvent::MouseButtonPress:
        if (BotonDerecho && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
            BotonDerecho(i);
            return true;
        }
        return false;
    case QEvent::ContextMenu:
        return bool(BotonDerecho);
    default:
        return false;
    }
}

} // namespace vexa
