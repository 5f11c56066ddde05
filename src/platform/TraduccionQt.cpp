#include "TraduccionQt.h"

#include "Utilidades.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace vexa::plataforma {

namespace {
const QString kCatalogo = QStringLiteral("qtbase_es");
QPointer<QTranslator> g_instalada;
} // namespace

bool instalarTraduccionQt(const QString& carpeta)
{
    auto* app = QCoreApplication::instance();
    auto* nueva = new QTranslator(app);
    if (!app || !nueva->load(kCatalogo, carpeta) || !QCoreApplication::installTranslator(nueva)) {
        delete nueva;
        Utilidades::escribirLog(0,
                                QStringLiteral("No se pudo cargar la traducción %1 de %2: los diálogos de Qt quedan en inglés")
                                    .arg(kCatalogo, QDir::toNativeSeparators(carpeta)),
                                QStringLiteral("instalarTraduccionQt"));
        return false;
    }
    if (g_instalada) {
        QCoreApplication::removeTranslator(g_instalada);
        delete g_instalada;
    }
    g_instalada = nueva;
    return true;
}

void fijarIdiomaPrograma() { QLocale::setDefault(Utilidades::Idioma()); }

} // namespace vexa::plataforma
