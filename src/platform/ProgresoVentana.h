#pragma once
// Progress of a long run shown by the windows. It keeps the application
// painting (pending events are processed about every 40 ms; the operator's
// input waits for the end of the run) and, only when the
// caller allows it, shows a progress box with a "Cancelar" button; without it
// the calling window shows the progress its own way (lists that fill, ...).
//
// The box appears once the run has lasted half a second, and only from the
// run's own steps: it never pops up by itself. While it is up, every question
// the run asks through the dialog seam (an error, the cancel confirmation)
// finds the box showing the step reached and opens in front of it, with the
// keyboard: the same in every run.
#include "Progreso.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace vexa {

class ProgresoVentana : public Progreso {
public:
    // 'conCuadro': show a progress box over 'padre'; 'cancelable': the box offers cancelling.
    explicit ProgresoVentana(QWidget* padre = nullptr, bool conCuadro = false, bool cancelable = false);
    ~ProgresoVentana() override;

    void Iniciar(const QString& titulo, qint64 total) override;
    bool Actualizar(qint64 hecho, const QString& texto) override;
    void Cerrar() override;
    void MostrarVentana(bool visible) override;
    // The operator's cancel was not confirmed: the run goes on and may be cancelled again.
    void Reanudar();

    // The box of the run (nullptr without one, or before Iniciar).
    QProgressDialog* cuadro() const;

protected:
    // The box shows the three texts on three lines.
    bool ActualizarTextos(qint64 hecho, const QString& que, const QString& parte, const QString& item) override;

private:
    class Preguntas;
    // The box shows the last step reported.
    void pintar();
    // Shows the box when it is due (or at once with 'ya'), unless hidden or cancelled.
    void mostrar(bool ya);
    // A question is about to be asked: the box shows where the run stands.
    void antesDePreguntar();

    QWidget* padre_;
    bool conCuadro_, cancelable_;
    QPointer<QProgressDialog> cuadro_;
    QElapsedTimer pintado_, inicio_;
    qint64 total_ = 0;
    qint64 hecho_ = 0;
    QString texto_;
    bool cancelado_ = false;
    bool oculto_ = false;
};

} // namespace vexa
