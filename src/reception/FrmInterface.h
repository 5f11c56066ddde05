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
// the file when its row is shown, so a large file costs little memory. While a run is in
// progress the window's commands and its close button are disabled; the window
// keeps repainting, also while SQLite waits for another station's lock (the
// title then says "Esperando a otra estación…"). A database error in any command is shown through the
// central error handler and leaves the window usable.
#include "PiezasRecepcion.h"
#include "UtilTeb.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QLineEdit;
class QListView;
class QPushButton;
class QTabWidget;
class QAction;

namespace vexa {
class ContextoEmpresa;
}

namespace vexa::recepcion {

class FrmInterface : public QWidget {
    Q_OBJECT
public:
    explicit FrmInterface(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~FrmInterface() override;

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
    QString ArchivoInterfaz;
    QString CarpetaElegida; // folder of the last file chosen with CmdBuscar
    bool EnProceso = false;
    bool ErrorCampo = false;
    int CampoActual = 0;
    QString LineaActual;
    qint32 IdRecepcion = 0;
    bool corriendo() const { return corrida_->corriendo(); }
    const ResultadosRecepcion& resultados() const { return Frame1->resultados(); }

    // Handlers and procedures.
    void Inicializa();
    void LimpiaResultados();
    void Campo_Valida(int indice);
    bool Datos_Validos();
    void MostrarListaInterfaces();
    void CmdBuscar_Click();
    void VistaPrevia(const QString& archivo);
    void UtilTeb1_ButtonClick(const QString& clave); // the toolbar's key text
    void Procesa_Archivo(const QString& archivo);
    void CmdPrintGrabados_Click();
    void CmdPrintErrores_Click();
    QAction* boton(const QString& clave) const;

    // The wait for another station's lock is over (the title shows it no more).
    void finEspera();

signals:
    // After each line of a run has been listed (n from 1).
    void lineaProcesada(int n);
    // During a run, while SQLite waits for another connection's lock (ms waited so far).
    void esperandoBloqueo(int ms);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void estadoBotones();
    // Runs a command; an error is shown through the central error handler.
    // False when it failed.
    template <class F> bool protegido(const QString& procedimiento, F&& orden);
    ContextoEmpresa& ctx_;
    CorridaVentana* corrida_ = nullptr;
};

// Registers the reception windows by name (the program and tests call it once).
void registrarVentanasRecepcion();

} // namespace vexa::recepcion
