#pragma once
// "Recepción de Subdiario desde Interface": the operator picks an interface
// definition and a file, may look at the file's lines, and records the file
// with the toolbar's GRABAR key. Every line is validated (RecepcionInterface),
// posted (Contabilizador) and listed as recorded or rejected; the run leaves
// one row in the reception log (TestigoRecepcion).
//
// The run itself is RecibirInterface (CorridaRecepcion.h); the window lists
// each committed batch and shows the end or the error. The lists keep line
// numbers and messages only (ResultadosRecepcion); a line's text is read from
// the file when its row is shown, so a large file costs little memory. The
// window while a run goes on, the fields and the toolbar are the reception
// window's (VentanaRecepcion.h); the title says "Esperando a otra estación…"
// while SQLite waits for another station's lock. A database error in any
// command is shown through the central error handler and leaves the window usable.
#include "VentanaRecepcion.h"

class QAction;

namespace vexa::recepcion {

class FrmInterface : public VentanaRecepcion {
    Q_OBJECT
public:
    explicit FrmInterface(ContextoEmpresa& ctx, QWidget* parent = nullptr);

    QString& ArchivoInterfaz = ArchivoElegido;
    QString LineaActual;
    qint32 IdRecepcion = 0;

    void MostrarListaInterfaces() { MostrarLista(); }
    void Procesa_Archivo(const QString& archivo);
    void CmdPrintGrabados_Click();
    void CmdPrintErrores_Click();
    QAction* boton(const QString& clave) const;

protected:
    bool existeDefinicion(Conexion& con, const QString& nombre) override;
    // The definition's file name goes to the file field.
    void definicionValida(Conexion& con, const QString& nombre) override;
    void alLeerLinea(const QString& texto) override { LineaActual = texto; }
    void procesar(const QString& archivo) override { Procesa_Archivo(archivo); }
};

// Registers the reception windows by name (the program and tests call it once).
void registrarVentanasRecepcion();

} // namespace vexa::recepcion
