#pragma once
// Progress of a long run shown by the windows. It keeps the application
// painting (pending events are processed about every 40 ms; the operator's
// input waits for the end of the run) and, only when the
// caller allows it, shows a progress box with a "Cancelar" button; without it
// the calling window shows the progress its own way (lists that fill, ...).
#include "Progreso.h"

#include <QElapsedTimer>
#include <QPointer>

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
    // The operator chose to go on after asking to cancel: the request is forgotten.
    void Reanudar();

protected:
    // The box shows the three texts on three lines.
    bool ActualizarTextos(qint64 hecho, const QString& que, const QString& parte, const QString& item) override;

private:
    QWidget* padre_;
    bool conCuadro_, cancelable_;
    QPointer<QProgressDialog> cuadro_;
    QElapsedTimer pintado_;
    qint64 total_ = 0;
    bool cancelado_ = false;
};

} // namespace vexa
