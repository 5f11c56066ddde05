#pragma once
// Registry of the program's windows by object name. Each subsystem registers
// its windows with one function (registrarVentanasRecepcion, ...) that the
// program, and any test or tool that opens windows by name, calls at start;
// the main menu then opens windows by name, handing them the company context.
#include <QString>

#include <functional>

class QWidget;

namespace vexa {

class ContextoEmpresa;

// Members some windows take before they are shown.
struct OpcionesVentana {
    bool EsCargaInicial = false;
    bool Menu = false;
    bool Escompras = false;
};

using FabricaVentana = std::function<QWidget*(ContextoEmpresa&, const OpcionesVentana&)>;

void registrarVentana(const QString& nombre, FabricaVentana fabrica);
bool existeVentana(const QString& nombre);
// Creates the window (nullptr when no window of that name was registered).
QWidget* crearVentana(const QString& nombre, ContextoEmpresa& ctx, const OpcionesVentana& o = {});

} // namespace vexa
