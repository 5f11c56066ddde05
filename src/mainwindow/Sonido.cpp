#include "Sonido.h"

#include <QFileInfo>
#include <QUrl>

#ifdef VEXA_CON_MULTIMEDIA
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#endif

namespace vexa {

namespace {
std::function<void(const QString&)>& observador()
{
    static std::function<void(const QString&)> f;
    return f;
}
} // namespace

void Sonido::instalarObservador(std::function<void(const QString&)> f) { observador() = std::move(f); }

Sonido& sonido()
{
    static Sonido s;
    return s;
}

void Sonido::Reproducir(const QString& ruta)
{
    if (observador()) {
        observador()(ruta);
        return;
    }
#ifdef VEXA_CON_MULTIMEDIA
    if (ruta.isEmpty() || !QFileInfo::exists(ruta) || QMediaDevices::audioOutputs().isEmpty()) return;
    static QSoundEffect* efecto = nullptr;
    if (!efecto) efecto = new QSoundEffect;
    efecto->setSource(QUrl::fromLocalFile(ruta));
    efecto->play();
#else
    (void)ruta;
#endif
}

} // namespace vexa
