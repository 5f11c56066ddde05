#include "ProgresoVentana.h"

#include "Dialogos.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <vector>

namespace vexa {

namespace {
constexpr qint64 kMsPintado = 40;
// A run shorter than this shows no box.
constexpr qint64 kMsDemora = 500;
// QProgressDialog counts in int.
int escala(qint64 hecho, qint64 total) { return total > 0 ? int(hecho * 1000 / total) : 0; }
} // namespace

// The dialog seam while a run's box is up: each question first brings every
// open box up to date, then is asked by the dialogs that were in place. One
// for the process, in place from the first open box to the last.
class ProgresoVentana::Preguntas final : public plataforma::Dialogos {
public:
    static void abrir(ProgresoVentana* p)
    {
        Preguntas& q = instancia();
        if (std::find(q.abiertos_.begin(), q.abiertos_.end(), p) != q.abiertos_.end()) return;
        if (q.abiertos_.empty()) {
            q.previos_ = plataforma::dialogosInstalados();
            q.base_ = &plataforma::dialogos();
            plataforma::instalarDialogos(&q);
        }
        q.abiertos_.push_back(p);
    }
    static void cerrar(ProgresoVentana* p)
    {
        Preguntas& q = instancia();
        const auto it = std::find(q.abiertos_.begin(), q.abiertos_.end(), p);
        if (it == q.abiertos_.end()) return;
        q.abiertos_.erase(it);
        if (q.abiertos_.empty() && plataforma::dialogosInstalados() == &q) plataforma::instalarDialogos(q.previos_);
    }

    int MsgBox(const QString& texto, int estilo, const QString& titulo) override
    {
        antes();
        return base_->MsgBox(texto, estilo, titulo);
    }
    QString ArchivoAbrir(const QString& titulo, const QString& carpeta, const QString& filtro) override
    {
        antes();
        return base_->ArchivoAbrir(titulo, carpeta, filtro);
    }
    QString ArchivoGuardar(const QString& titulo, const QString& carpeta, const QString& filtro) override
    {
        antes();
        return base_->ArchivoGuardar(titulo, carpeta, filtro);
    }
    QString PedirTexto(const QString& titulo, const QString& etiqueta, const QString& inicial, bool* ok) override
    {
        antes();
        return base_->PedirTexto(titulo, etiqueta, inicial, ok);
    }
    QDate PedirFecha(const QString& titulo, const QDate& inicial) override
    {
        antes();
        return base_->PedirFecha(titulo, inicial);
    }

private:
    static Preguntas& instancia()
    {
        static Preguntas q;
        return q;
    }
    void antes()
    {
        for (ProgresoVentana* p : abiertos_) p->antesDePreguntar();
    }
    std::vector<ProgresoVentana*> abiertos_;
    plataforma::Dialogos* previos_ = nullptr;
    plataforma::Dialogos* base_ = nullptr;
};

ProgresoVentana::ProgresoVentana(QWidget* padre, bool conCuadro, bool cancelable)
    : padre_(padre), conCuadro_(conCuadro), cancelable_(cancelable)
{
}

ProgresoVentana::~ProgresoVentana() { Cerrar(); }

QProgressDialog* ProgresoVentana::cuadro() const { return cuadro_; }

void ProgresoVentana::Iniciar(const QString& titulo, qint64 total)
{
    total_ = total;
    hecho_ = 0;
    texto_.clear();
    cancelado_ = false;
    oculto_ = false;
    pintado_.start();
    inicio_.start();
    if (!conCuadro_) return;
    delete cuadro_;
    cuadro_ = new QProgressDialog(titulo, cancelable_ ? QStringLiteral("Cancelar") : QString(), 0, total > 0 ? 1000 : 0, padre_);
    cuadro_->setWindowTitle(titulo);
    cuadro_->setWindowModality(Qt::ApplicationModal);
    // The box is shown by the run's steps (mostrar), never by a timer of its
    // own: one that popped up during a question would cover it and take the keyboard.
    cuadro_->setMinimumDuration(std::numeric_limits<int>::max());
    if (!cancelable_) cuadro_->setCancelButton(nullptr);
    cuadro_->setValue(0);
    Preguntas::abrir(this);
}

bool ProgresoVentana::Actualizar(qint64 hecho, const QString& texto)
{
    hecho_ = hecho;
    texto_ = texto;
    if (!pintado_.isValid()) pintado_.start();
    if (pintado_.elapsed() >= kMsPintado) {
        pintar();
        mostrar(false);
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
    if (pintado_.isValid() && pintado_.elapsed() < kMsPintado) {
        hecho_ = hecho;
        return !cancelado_;
    }
    QStringList lineas;
    for (const QString& t : {que, parte, item})
        if (!t.isEmpty()) lineas << t;
    return Actualizar(hecho, lineas.join(QLatin1Char('\n')));
}

void ProgresoVentana::pintar()
{
    if (!cuadro_) return;
    if (!texto_.isEmpty()) cuadro_->setLabelText(texto_);
    cuadro_->setValue(escala(hecho_, total_));
}

void ProgresoVentana::mostrar(bool ya)
{
    if (!cuadro_ || oculto_ || cuadro_->isVisible() || cuadro_->wasCanceled()) return;
    if (!ya && inicio_.isValid() && inicio_.elapsed() < kMsDemora) return;
    cuadro_->show();
}

void ProgresoVentana::antesDePreguntar()
{
    // The box, behind the question, tells how far the run went; the question
    // opens after it, so it is the one in front and with the keyboard.
    pintar();
    mostrar(true);
}

void ProgresoVentana::MostrarVentana(bool visible)
{
    oculto_ = !visible;
    if (!cuadro_) return;
    if (visible) mostrar(true);
    else cuadro_->hide();
}

void ProgresoVentana::Reanudar()
{
    cancelado_ = false;
    if (cuadro_ && cuadro_->wasCanceled()) {
        const int valor = cuadro_->value();
        cuadro_->reset();
        cuadro_->setValue(valor < 0 ? 0 : valor);
        pintar();
        if (!oculto_) cuadro_->show();
    }
}

void ProgresoVentana::Cerrar()
{
    Preguntas::cerrar(this);
    if (cuadro_) {
        cuadro_->close();
        delete cuadro_;
    }
}

} // namespace vexa
