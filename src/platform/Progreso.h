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
};

// Reports to nobody and never cancels.
class ProgresoNulo : public Progreso {
public:
    void Iniciar(const QString&, qint64) override {}
    bool Actualizar(qint64, const QString&) override { return true; }
    void Cerrar() override {}
};

} // namespace vexa
