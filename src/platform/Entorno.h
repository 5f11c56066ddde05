#pragma once
// Seams for the clock and starting processes. The program uses the real
// implementations; tests install doubles that fix the time and record what
// would have been started. Printing: Reportes.h.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace vexa::plataforma {

// ---- Clock ----
QDateTime ahora();
QDate hoy();
void fijarAhora(const QDateTime& t); // invalid restores the real clock

// ---- Processes ----
class Lanzador {
public:
    virtual ~Lanzador() = default;
    // Starts a program directly (no shell). Returns false and fills error when refused.
    virtual bool iniciar(const QString& programa, const QStringList& argumentos, const QString& carpeta, QString* error) = 0;
};
Lanzador& lanzador();
void instalarLanzador(Lanzador* l); // nullptr restores the real one

class LanzadorGuion : public Lanzador {
public:
    struct Inicio { QString programa; QStringList argumentos; QString carpeta; };
    QList<Inicio> iniciados;
    bool aceptar = true;
    bool iniciar(const QString& programa, const QStringList& argumentos, const QString& carpeta, QString* error) override;
};

// ---- System information ----
namespace InfoSistema {
QString NombreEquipo();     // host name
QString IdentidadSesion();  // login name
}

// Folder of the installed program (where companion programs, sounds and help live),
// overridable with VEXA_CARPETA_PROGRAMA. Always ends with '/'.
QString carpetaPrograma();
// Folder for per-user data (settings, error log, PDFs): VEXA_CONFIG_DIR or the user's config folder.
QString carpetaUsuario();

} // namespace vexa::plataforma
