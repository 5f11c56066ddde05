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
// One printed line: its text starts at a character column (1 = the left margin)
// in the font size and emphasis given. An empty text is an empty line of that size.
struct LineaImpresa {
    QString texto;
    int columna = 1;
    int puntos = 10;
    bool negrita = false;
    bool subrayado = false;
    bool operator==(const LineaImpresa&) const = default;
};
class Impresora {
public:
    virtual ~Impresora() = default;
    // Prints the lines, in order, as one document on the default printer (a new
    // page when one is full); with no printer, writes a PDF into the user's
    // documents folder, named after the document.
    virtual ResultadoImpresion imprimir(const QString& documento, const QList<LineaImpresa>& lineas) = 0;
};
Impresora& impresora();
void instalarImpresora(Impresora* i); // nullptr restores the default one
// The default (the window level sets the Qt printer: ImpresoraQt.h).
void fijarImpresoraPorDefecto(Impresora* i);

class ImpresoraGuion : public Impresora {
public:
    // titulo: the document; lineas: each line's text as printed (blanks up to its
    // column); formato: the lines as given.
    struct Trabajo { QString titulo; QStringList lineas; QList<LineaImpresa> formato; };
    QList<Trabajo> trabajos;
    ResultadoImpresion imprimir(const QString& documento, const QList<LineaImpresa>& lineas) override;
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
