#pragma once
// The window of a reception from an interface file recorded with the toolbar
// (vouchers: FrmInterface; new accounts: FrmImportacion). The operator names a
// definition and a file on "&Selección de Interface", may look at the file's
// lines on "&Vista Previa", and records the file with the toolbar's GRABAR key;
// the lists show the recorded and the rejected lines and can be printed.
//
// The fields: Enter checks the field and moves on, F5 and the right button
// open the list of definitions from the definition's field, Escape starts
// over; the upper-case rule applies to the definition's name only (the file
// field holds a path, whose letter case matters on this system). While a run
// goes on the window's commands, fields, tabs and close button are disabled
// (VentanaCorrida) and it keeps painting. Each window gives what is its own:
// where its definitions are, what a chosen definition fills in, and the run.
#include "LoteRecepcion.h"
#include "PiezasRecepcion.h"
#include "ProgresoVentana.h"
#include "UtilTeb.h"
#include "VentanaCorrida.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace vexa {
class ArregloCajas;
class CamposFormulario;
class ContextoEmpresa;
}

namespace vexa::recepcion {

class LectorInterfaz;

class VentanaRecepcion : public VentanaCorrida {
    Q_OBJECT
public:
    // What tells one reception window from the other.
    struct Definicion {
        QString objeto, titulo;         // the window's object name and caption
        ListasRecepcion::Textos textos; // the lists' captions and print titles
        QString consultaDefiniciones;   // the lookup list's SQL of the definitions' names
        QString procedimientoLista;     // the lookup's name for the error handler
        bool tabValida = false;         // Tab leaves the definition's name as Enter does
        bool conCuadro = false;         // the run shows a progress box (with "Cancelar")
    };

    ~VentanaRecepcion() override;

    // Controls (by the names the window gives them).
    QTabWidget* SSTab1 = nullptr;
    std::array<QLineEdit*, 2> TxtFields{}; // 0: "Interface", 1: "Archivo"
    QPushButton* CmdBuscar = nullptr;
    QListView* LstGrabados = nullptr; // Frame1's lists, over resultados()' models
    QListView* LstErrores = nullptr;
    QPushButton* CmdPrintGrabados = nullptr;
    QPushButton* CmdPrintErrores = nullptr;
    VistaPreviaArchivo* LstV = nullptr;
    UtilTeb* UtilTeb1 = nullptr;
    ListasRecepcion* Frame1 = nullptr;

    // Form state.
    QString ArchivoElegido; // the file the run will read
    QString CarpetaElegida; // folder of the last file chosen with CmdBuscar
    bool EnProceso = false;
    bool ErrorCampo = false;
    int CampoActual = 0;
    const ResultadosRecepcion& resultados() const { return Frame1->resultados(); }

    void Inicializa();
    void LimpiaResultados();
    // Checks one field; the outcome is ErrorCampo (after the message).
    void Campo_Valida(int indice);
    bool Datos_Validos();
    // The list of definitions, from the definition's field.
    void MostrarLista();
    void CmdBuscar_Click();
    void VistaPrevia(const QString& archivo);
    void UtilTeb1_ButtonClick(const QString& clave); // the toolbar's key text

signals:
    // After each line of a run was handed to the progress (n from 1).
    void lineaProcesada(int n);

protected:
    VentanaRecepcion(ContextoEmpresa& ctx, const Definicion& definicion, QWidget* parent);

    // Whether the definition exists.
    virtual bool existeDefinicion(Conexion& con, const QString& nombre) = 0;
    // A checked definition, outside a run: what it fills in (the file field is enabled).
    virtual void definicionValida(Conexion& con, const QString& nombre) { Q_UNUSED(con) Q_UNUSED(nombre) }
    // Each line of a run, before the progress is told.
    virtual void alLeerLinea(const QString& texto) { Q_UNUSED(texto) }
    // The run over the checked file.
    virtual void procesar(const QString& archivo) = 0;

    // The run's progress: the lists show it (with the box when the window has one).
    class ProgresoRecepcion : public ProgresoVentana {
    public:
        explicit ProgresoRecepcion(VentanaRecepcion& w);
        bool Actualizar(qint64 hecho, const QString& texto) override;

    private:
        VentanaRecepcion& w_;
        int lineas_ = 0;
    };
    // The run's handlers: a batch's lines are listed once it has committed, and
    // the lists read a line's text through the run's reader.
    void listarLote(const std::vector<LoteRecepcion::Resultado>& resultados);
    void leerCon(std::shared_ptr<const LectorInterfaz> lector);

    // Runs a command; an error is shown through the central error handler.
    // False when it failed.
    template <class F> bool protegido(const QString& procedimiento, F&& orden);

    ContextoEmpresa& ctx_;

private:
    // Enter, the lookup keys and the upper-case rule of TxtFields.
    void atenderCampos();
    Definicion definicion_;
    CamposFormulario* campos_;
    ArregloCajas* cajas_ = nullptr;
};

} // namespace vexa::recepcion
