#include "ProgresoVentana.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QStringList>

namespace vexa {

namespace {
constexpr qint64 kMsPintado = 40;
// QProgressDialog counts in int.
int escala(qint64 hecho, qint64 total) { return total > 0 ? int(hecho * 1000 / total) : 0; }
} // namespace

ProgresoVentana::ProgresoVentana(QWidget* padre, bool conCuadro, bool cancelable)
    : padre_(padre), conCuadro_(conCuadro), cancelable_(cancelable)
{
}

ProgresoVentana::~ProgresoVentana() { Cerrar(); }

void ProgresoVentana::Iniciar(const QString& titulo, qint64 total)
{
    total_ = total;
    cancelado_ = false;
    pintado_.start();
    if (!conCuadro_) return;
    delete cuadro_;
    cuadro_ = new QProgressDialog(titulo, cancelable_ ? QStringLiteral("Cancelar") : QString(), 0, total > 0 ? 1000 : 0, padre_);
    cuadro_->setWindowTitle(titulo);
    cuadro_->setWindowModality(Qt::ApplicationModal);
    cuadro_->setMinimumDuration(500);
    if (!cancelable_) cuadro_->setCancelButton(nullptr);
    cuadro_->setValue(0);
}

bool ProgresoVentana::Actualizar(qint64 hecho, const QString& texto)
{
    if (!pintado_.isValid()) pintado_.start();
    if (pintado_.elapsed() >= kMsPintado) {
        if (cuadro_) {
            cuadro_->setLabelText(texto);
            cuadro_->setValue(escala(hecho, total_));
        }
        // The operator's clicks and keys wait until the run ends (they are not
        // lost): a command of another window started now would run, and could
        // wait for an answer, while the run holds its transaction open. Only
        // the progress box's own button is heard.
        QCoreApplication::processEvents(cuadro_ && cancelable_ ? QEventLoop::AllEvents
                                                               : QEventLoop::ExcludeUserInputEvents);
        pintado_.restart();
        if (cuadro_ && cancelable_ && cuadro_->wasCanceled()) cancelado_ = true;
    }
    return !cancelado_;
}

bool ProgresoVentana::ActualizarTextos(qint64 hecho, const QString& que, const QString& parte, const QString& item)
{
    // Formatting the texts is left to the moments the box is painted.
    if (pintado_.isValid() && pintado_.elapsed() < kMsPintado) return !cancelado_;
    QStringList lineas;
    for (const QString& t : {que, parte, item})
        if (!t.isEmpty()) lineas << t;
    return Actualizar(hecho, lineas.join(QLatin1Char('\n')));
}

void ProgresoVentana::MostrarVentana(bool visible)
{
    if (cuadro_) cuadro_->setVisible(visible);
}

void ProgresoVentana::Reanudar()
{
    cancelado_ = false;
    if (cuadro_ && cuadro_->wasCanceled()) {
        const int valor = cuadro_->value();
        cuadro_->reset();
        cuadro_->setValue(valor < 0 ? 0 : valor);
        cuadro_->show();
    }
}

void ProgresoVentana::Cerrar()
{
    if (cuadro_) {
        cuadro_->close();
        delete cuadro_;
    }
}

} // namespace vexa
