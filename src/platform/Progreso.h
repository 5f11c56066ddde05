#pragma once
// Progress of a long run (a reception, a generation), as the rules see it.
// The rules report what they have done and learn whether the operator asked
// to stop; the window decides how that looks (ProgresoVentana.h), a test or a
// tool passes ProgresoNulo.
//
//   progreso.Iniciar("Recepción", lineas.size());
//   for (...) { if (!progreso.Actualizar(hecho, texto)) break; ... }
//   progreso.Cerrar();
#include <QString>

namespace vexa {

class Progreso {
public:
    virtual ~Progreso() = default;
    // A run of 'total' steps begins (0 when the total is not known).
    virtual void Iniciar(const QString& titulo, qint64 total) = 0;
    // 'hecho' steps are done. False when the operator asked to cancel: the run
    // stops at the next point where it can stop cleanly.
    virtual bool Actualizar(qint64 hecho, const QString& texto) = 0;
    // The run ended (whole or not).
    virtual void Cerrar() = 0;

    // The same step told in three texts: what the run does, which part of it,
    // and the item at hand ("Fecha 01/02/27"). Windows that show one line show
    // the part and the item.
    bool Actualizar(qint64 hecho, const QString& que, const QString& parte, const QString& item)
    {
        return ActualizarTextos(hecho, que, parte, item);
    }
    // Shows or hides the progress box of a run that goes on (a run between two
    // checks hides it, the next Iniciar shows it again).
    virtual void MostrarVentana(bool visible) {}

protected:
    virtual bool ActualizarTextos(qint64 hecho, const QString& que, const QString& parte, const QString& item)
    {
        return Actualizar(hecho, item.isEmpty() ? parte : parte + QLatin1Char(' ') + item);
    }
};

// Reports to nobody and never cancels.
class ProgresoNulo : public Progreso {
public:
    void Iniciar(const QString&, qint64) override {}
    bool Actualizar(qint64, const QString&) override { return true; }
    void Cerrar() override {}
};

} // namespace vexa
