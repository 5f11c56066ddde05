#pragma once
// Registry of the program's windows by object name. Each window's own code joins
// it (REGISTRAR_VENTANA in its .cpp); the main menu opens windows by name.
#include <QString>

#include <functional>

class QWidget;

namespace vexa {

// Members some windows take before they are shown.
struct OpcionesVentana {
    bool EsCargaInicial = false;
    bool Menu = false;
    bool Escompras = false;
};

using FabricaVentana = std::function<QWidget*(const OpcionesVentana&)>;

bool registrarVentana(const QString& nombre, FabricaVentana fabrica);
bool existeVentana(const QString& nombre);
// Creates the window (nullptr when no window of that name joined the registry).
QWidget* crearVentana(const QString& nombre, const OpcionesVentana& o = {});

} // namespace vexa

#define VEXA_CONCAT2(a, b) a##b
#define VEXA_CONCAT(a, b) VEXA_CONCAT2(a, b)
#define REGISTRAR_VENTANA(nombre, fabrica) \
    static const bool VEXA_CONCAT(vexa_registro_, __LINE__) = ::vexa::registrarVentana(QStringLiteral(nombre), fabrica)
