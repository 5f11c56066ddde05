#pragma once
// Seam for everything that asks the operator: message boxes with the classic
// button/icon style codes and answer codes (CodigosDialogo.h), file choosers and
// simple prompts. The window level provides the Qt implementation (DialogosQt.h);
// tests install DialogosGuion, which records what was shown and answers from a queue.
// Only the window libraries (and the journal-entry facade) link this: the rules
// never show, they return what their caller shows.
#include "CodigosDialogo.h"
#include "DatosConexion.h"

#include <QDate>
#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

namespace vexa::plataforma {

class Dialogos {
public:
    virtual ~Dialogos() = default;
    // Shows a message box; returns one of Respuesta.
    virtual int MsgBox(const QString& texto, int estilo = vbOKOnly, const QString& titulo = QString()) = 0;
    // File chooser for opening; empty when cancelled.
    virtual QString ArchivoAbrir(const QString& titulo, const QString& carpeta, const QString& filtro) = 0;
    // File chooser for saving; empty when cancelled.
    virtual QString ArchivoGuardar(const QString& titulo, const QString& carpeta, const QString& filtro) = 0;
    // Free-text prompt; std::nullopt-like: ok=false when cancelled.
    virtual QString PedirTexto(const QString& titulo, const QString& etiqueta, const QString& inicial, bool* ok) = 0;
    // Date picker; returns the chosen date or an invalid one when cancelled.
    virtual QDate PedirFecha(const QString& titulo, const QDate& inicial) = 0;
};

// Folder a file chooser opens in: the folder of the path the field holds (or
// that path when it is a folder); else the last folder the operator chose in
// that window; else the company's data folder; else the user's home. Only
// absolute paths of folders that exist count, so a relative path never opens
// the program's working directory.
QString carpetaInicialArchivo(const QString& rutaCampo, const QString& ultimaCarpeta, const QString& carpetaDatos);
// The company's data folder: the folder of a SQLite company file; empty for a
// PostgreSQL company (its data lives on the server).
QString carpetaDatosEmpresa(const DatosConexion& datos);

// Shows the notice (nothing when it is empty); returns the answer (vbOK for none).
int mostrarAviso(const AvisoOperador& aviso);

// The process-wide instance (the Qt one unless a test installed another).
Dialogos& dialogos();
void instalarDialogos(Dialogos* d); // not owned; nullptr restores the Qt one
Dialogos* dialogosInstalados();      // what instalarDialogos set (nullptr: the Qt one)

// What dialogos() answers when nothing was installed: the Qt dialogs once the
// window level set them (usarDialogosQt), else a stand-in that writes the text
// to the standard error and answers the first button.
void fijarDialogosPorDefecto(Dialogos* d);

// Test double: records every box and answers from queues.
class DialogosGuion : public Dialogos {
public:
    struct Mostrado { QString texto; int estilo; QString titulo; };
    QList<Mostrado> mostrados;
    QQueue<int> respuestas;          // answers for MsgBox, in order
    int respuestaPorDefecto = vbOK;  // when the queue is empty (vbOK/vbYes/... as fits)
    QQueue<QString> archivos;        // answers for ArchivoAbrir/ArchivoGuardar
    QQueue<QString> textos;          // answers for PedirTexto (empty queue = cancelled)
    QQueue<QDate> fechas;

    int MsgBox(const QString& texto, int estilo, const QString& titulo) override;
    QString ArchivoAbrir(const QString&, const QString&, const QString&) override;
    QString ArchivoGuardar(const QString&, const QString&, const QString&) override;
    QString PedirTexto(const QString&, const QString&, const QString&, bool* ok) override;
    QDate PedirFecha(const QString&, const QDate&) override;

    QStringList textosMostrados() const;
    QString ultimo() const { return mostrados.isEmpty() ? QString() : mostrados.last().texto; }
};

// Installs a DialogosGuion for the lifetime of the object.
class GuionDialogos : public DialogosGuion {
public:
    GuionDialogos() : previo_(dialogosInstalados()) { instalarDialogos(this); }
    ~GuionDialogos() override { instalarDialogos(previo_); }

private:
    Dialogos* previo_;
};

} // namespace vexa::plataforma
