#pragma once
// "Reporte Control de Acceso Usuarios": a range of users and one of entry
// dates, and the access-log report "rp_rz069" (ReporteAcceso.h) to the screen
// or the printer. The supervisor is in neither user box nor in the report.
#include "ReporteAcceso.h"
#include "Reporte.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLineEdit;

namespace vexa {

class ArregloCajas;
class CamposFormulario;
class ContextoEmpresa;
class TBarRep;

// Builds the access-log report (ArmarReporteAcceso) and prints it with the engine
// given (its destination set). Returns the engine's error text when the criteria
// cannot be used (nothing runs then); throws ErrorVexa/ErrorBD when the report
// itself fails.
QString EmitirReporteAcceso(ContextoEmpresa& ctx, MotorReportes& motor, const PedidoAcceso& p,
                            plataforma::ResultadoReporte* resultado = nullptr);

class RP_Acceso : public QWidget {
    Q_OBJECT
public:
    explicit RP_Acceso(ContextoEmpresa& ctx, QWidget* parent = nullptr);

    QComboBox* Cmb_U[2] = {nullptr, nullptr};
    std::vector<QLineEdit*> TxtFields; // "FECHA_DESDE", "FECHA_HASTA"
    TBarRep* TBarRep1 = nullptr;
    bool HayError = false;
    const QString UsuarioSupervisor;

    void LlenarUsuarios(QComboBox* c);
    void TBarRep1_Event9(const QString& clave);
    // Runs the report to the destination the toolbar set; false when refused.
    bool EmitirReporte(int destino);
    void ConsultaCampo();
    // The date box's check; true when it passes.
    bool CampoValida(QLineEdit* campo);
    // The field that had the focus last (-1: none of the date boxes).
    int campoActual() const { return actual_; }
    void campoConFoco(int indice);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    ContextoEmpresa& ctx_;
    // Enter, selection and keys of the date boxes.
    CamposFormulario* campos_;
    ArregloCajas* cajas_ = nullptr;
    int actual_ = -1;
    bool ocupado_ = false;
};

} // namespace vexa
