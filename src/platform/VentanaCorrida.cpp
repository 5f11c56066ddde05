#include "VentanaCorrida.h"

#include "Conexion.h"
#include "Dialogos.h"
#include "Errores.h"
#include "ProgresoVentana.h"
#include "UtilidadesVentanas.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QTabWidget>

namespace vexa {

// ---------------------------------------------------------------- the run guard

CorridaVentana::CorridaVentana(QWidget& ventana) : QObject(&ventana), ventana_(ventana)
{
    ventana_.installEventFilter(this);
}

CorridaVentana::~CorridaVentana() = default;

void CorridaVentana::deshabilitar(QList<QWidget*> comandos, QList<QLineEdit*> campos, QTabWidget* pestanas,
                                  ParteBloqueable* parte)
{
    comandos_.clear();
    for (QWidget* w : comandos) comandos_ << w;
    campos_.clear();
    for (QLineEdit* t : campos) campos_ << t;
    pestanas_ = pestanas;
    parte_ = parte;
}

bool CorridaVentana::eventFilter(QObject* o, QEvent* e)
{
    if (corriendo_ && e->type() == QEvent::Close) {
        e->ignore();
        return true;
    }
    return QObject::eventFilter(o, e);
}

void CorridaVentana::habilitar(bool si)
{
    for (const auto& w : comandos_)
        if (w) w->setEnabled(si);
    for (const auto& t : campos_)
        if (t) t->setReadOnly(!si);
    if (pestanas_) pestanas_->tabBar()->setEnabled(si);
    if (parte_) parte_->bloquear(!si);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(ventana_.parentWidget())) {
        const bool visible = sub->isVisible();
        Qt::WindowFlags f = sub->windowFlags();
        f.setFlag(Qt::WindowCloseButtonHint, si);
        sub->setWindowFlags(f);
        // New flags may hide a window: it stays as it was.
        if (visible) sub->show();
    }
}

void CorridaVentana::finEspera()
{
    if (!esperando_) return;
    esperando_ = false;
    ventana_.setWindowTitle(titulo_);
}

void CorridaVentana::correr(Conexion& con, const std::function<void()>& orden)
{
    con.setAlEsperar([this](int ms) {
        if (!esperando_) {
            esperando_ = true;
            ventana_.setWindowTitle(titulo_ + QStringLiteral(" - Esperando a otra estación…"));
        }
        emit esperandoBloqueo(ms);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    struct Fin {
        CorridaVentana& c;
        Conexion& con;
        ~Fin()
        {
            con.setAlEsperar({});
            c.finEspera();
        }
    } fin{*this, con};
    correr(orden);
}

void CorridaVentana::correr(const std::function<void()>& orden)
{
    if (!esperando_) titulo_ = ventana_.windowTitle();
    corriendo_ = true;
    habilitar(false);
    struct Fin {
        CorridaVentana& c;
        ~Fin()
        {
            c.corriendo_ = false;
            c.habilitar(true);
        }
    } fin{*this};
    ventanas::ConCursorEspera cursor;
    orden();
}

// ---------------------------------------------------------------- the window

VentanaCorrida::VentanaCorrida(QWidget* parent) : QWidget(parent), corrida_(new CorridaVentana(*this))
{
    connect(corrida_, &CorridaVentana::esperandoBloqueo, this, &VentanaCorrida::esperandoBloqueo);
}

VentanaCorrida::~VentanaCorrida() = default;

void VentanaCorrida::bloquearEnCorrida(QList<QWidget*> comandos, QList<QLineEdit*> campos, QTabWidget* pestanas,
                                       ParteBloqueable* parte)
{
    corrida_->deshabilitar(std::move(comandos), std::move(campos), pestanas, parte);
}

void VentanaCorrida::correr(const std::function<void()>& orden, Conexion* con)
{
    if (con) corrida_->correr(*con, orden);
    else corrida_->correr(orden);
}

void VentanaCorrida::closeEvent(QCloseEvent* e)
{
    if (corriendo()) {
        e->ignore();
        return;
    }
    try {
        if (registrarEgreso_) registrarEgreso_();
    } catch (const std::exception& ex) {
        plataforma::dialogos().MsgBox(descripcionDeError(ex), plataforma::vbOKOnly, windowTitle());
    }
    cerrando();
    e->accept();
}

// ---------------------------------------------------------------- the wait cursor and the cancel

namespace ventanas {

ConCursorEspera::ConCursorEspera() { CursorEspera(true); }
ConCursorEspera::~ConCursorEspera() { CursorEspera(false); }

SinCursorEspera::SinCursorEspera() { CursorEspera(false); }
SinCursorEspera::~SinCursorEspera() { CursorEspera(true); }

bool ConfirmarCancelar(ProgresoVentana& progreso, const QString& pregunta, int botones, const QString& titulo,
                       bool apartarCuadro)
{
    SinCursorEspera cursor;
    if (apartarCuadro) progreso.MostrarVentana(false);
    const bool si = plataforma::dialogos().MsgBox(pregunta, botones, titulo) == plataforma::vbYes;
    if (!si) {
        progreso.Reanudar();
        if (apartarCuadro) progreso.MostrarVentana(true);
    }
    return si;
}

} // namespace ventanas

} // namespace vexa
