#pragma once
// "Recepción de Cuentas desde Interfaz": the operator names an account-import
// definition and a file, may look at the file's lines, and receives it with the
// toolbar's GRABAR key: each line becomes a sub-account under the definition's
// parent account (RecibirCuentas, ImportacionCuentas.h) or is listed with the
// reason. The lists of recorded and rejected lines can be printed.
//
// While the run goes on the window's commands, fields, tabs and close button
// are disabled and it keeps painting (CorridaVentana); the progress box offers
// cancelling, confirmed with a question. Boxes are shown only while no write
// transaction is open.
#include "PiezasRecepcion.h"
#include "UtilTeb.h"

#include <QString>
#include <QWidget>

#include <array>

class QLineEdit;
class QListView;
class QPushButton;
class QTabWidget;

namespace vexa {
class ContextoEmpresa;
}

namespace vexa::recepcion {

class FrmImportacion : public QWidget {
    Q_OBJECT
public:
    explicit FrmImportacion(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~FrmImportacion() override;

    QTabWidget* SSTab1 = nullptr;
    std::array<QLineEdit*, 2> TxtFields{}; // 0: "Interface", 1: "Archivo"
    QPushButton* CmdBuscar = nullptr;
    QListView* LstGrabados = nullptr;
    QListView* LstErrores = nullptr;
    QPushButton* CmdPrintGrabados = nullptr;
    QPushButton* CmdPrintErrores = nullptr;
    VistaPreviaArchivo* LstV = nullptr;
    UtilTeb* UtilTeb1 = nullptr;
    ListasRecepcion* Frame1 = nullptr;

    bool EnProceso = false;
    bool HayError = false;
    int IndiceActual = 0;
    QString ArchivoOrigen;
    QString CarpetaElegida; // folder of the last file chosen with CmdBuscar

    bool corriendo() const { return corrida_->corriendo(); }
    const ResultadosRecepcion& resultados() const { return Frame1->resultados(); }

    void Inicializa();
    void LimpiaResultados();
    void Campo_Valida(int indice);
    bool Datos_Validos();
    void ListaInterfaces();
    void CmdBuscar_Click();
    void VistaPrevia(const QString& archivo);
    void UtilTeb1_ButtonClick(const QString& clave);
    void Procesa_ArchivoCuentas(const QString& archivo);

signals:
    // After each line of a run was handed to the progress (n from 1).
    void lineaProcesada(int n);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    template <class F> bool protegido(const QString& procedimiento, F&& orden);
    ContextoEmpresa& ctx_;
    CorridaVentana* corrida_ = nullptr;
};

} // namespace vexa::recepcion
