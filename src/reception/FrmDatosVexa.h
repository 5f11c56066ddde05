#pragma once
// "Obtención de Datos desde Vexa Gestión Comercial": the operator names the
// commercial system's transfer file, may look at its lines on the preview tab,
// and receives it with "&Aceptar". The run is RecibirVexa (CorridaVexa.h); the
// window lists the rejected vouchers as each batch commits, shows the progress
// with its cancel button (a cancel is confirmed first) and the main window's
// status text, and shows "Proceso Finalizado" at the end.
//
// The preview, the error list with its print button and the window locked
// during a run are the reception windows' shared pieces (PiezasRecepcion.h).
// "&Aceptar" runs only when the active fiscal year accepts entries (a closed
// or cancelled year, an open previous year or no years at all refuse it); a
// reception already running at this station refuses it too. While a run is in
// progress the window's commands, its field, its tabs and its close button are
// disabled; they come back however the run ends. A voucher that fails with an
// unexpected error shows the "Error de datos!" box (Retry posts it again;
// Abort and Ignore list it and the run goes on).
#include "PiezasRecepcion.h"
#include "VentanaCorrida.h"

#include <array>

class QGroupBox;
class QLabel;

namespace vexa {
class ContextoEmpresa;
}

namespace vexa::recepcion {

class frmDatosVexa : public VentanaCorrida {
    Q_OBJECT
public:
    explicit frmDatosVexa(ContextoEmpresa& ctx, QWidget* parent = nullptr);

    QTabWidget* SSTab1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLineEdit*, 1> TxtFields{}; // 0: "Archivo"
    QPushButton* CmdBuscar = nullptr;
    ListasRecepcion* FrameErrores = nullptr; // LstErrores, Label2 and CmdPrintErrores
    QListView* LstErrores = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* CmdPrintErrores = nullptr;
    VistaPreviaArchivo* LstV = nullptr;
    QPushButton* CmdGenerar = nullptr;
    QPushButton* CmdCancelar = nullptr;

    const ResultadosRecepcion& resultados() const { return FrameErrores->resultados(); }
    QString ArchivoSeleccionado;
    qint32 IdRecepcion = 0;
    int CampoActual = 0;
    bool ErrorCampo = false;

    void Inicializa();
    void LimpiarPantalla();
    void CampoValida(int indice);
    bool DatosValidos();
    void CmdGenerar_Click();
    void ProcesaArchivo(const QString& archivo);
    void CmdBuscar_Click();
    void CargarVistaPrevia(const QString& archivo);
    void CmdPrintErrores_Click();

signals:
    // After each line of a run has been read (n from 1).
    void lineaLeida(int n);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool periodoValido();
    ContextoEmpresa& ctx_;
    QString carpeta_; // of the last file chosen with CmdBuscar
};

} // namespace vexa::recepcion
