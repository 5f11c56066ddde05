#pragma once
// Seams for the clock, starting processes and printing. The program uses the
// real implementations; tests install doubles that fix the time and record
// what would have been started or printed.
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

// ---- Printing ----
struct ResultadoImpresion {
    bool ok = false;
    QString destino; // printer name, or the PDF path when no printer exists
    bool esPdf = false;
    QString error;
};
class Impresora {
public:
    virtual ~Impresora() = default;
    // Prints a plain list of lines under a title, on the default printer; with
    // no printer, writes a PDF into the user's documents folder.
    virtual ResultadoImpresion imprimirLineas(const QString& titulo, const QStringList& lineas) = 0;
};
Impresora& impresora();
void instalarImpresora(Impresora* i); // nullptr restores the default one
// The default (the window level sets the Qt printer: ImpresoraQt.h).
void fijarImpresoraPorDefecto(Impresora* i);

class ImpresoraGuion : public Impresora {
public:
    struct Trabajo { QString titulo; QStringList lineas; };
    QList<Trabajo> trabajos;
    ResultadoImpresion imprimirLineas(const QString& titulo, const QStringList& lineas) override;
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
