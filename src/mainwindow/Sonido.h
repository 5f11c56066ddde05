#pragma once
// Wave-file player for the picture-button sounds. Silent when the program was
// built without Qt Multimedia, when the machine has no audio output or when
// the file does not exist.
#include <QString>

#include <functional>

namespace vexa {

class Sonido {
public:
    // Plays the file (full path); does not wait. The result is of no interest.
    void Reproducir(const QString& ruta);

    // Tests observe what would be played instead.
    static void instalarObservador(std::function<void(const QString&)> f);
};

// The main window's player, created on first use.
Sonido& sonido();

} // namespace vexa
