#pragma once
// "Asistente para crear nuevo Ejercicio": a three-step wizard that creates one
// fiscal year. The caller sets the public members, shows the window modally
// and reads the members back when it has hidden itself.
//
//   WizEjercicio w(ctx);
//   w.pPedirNroEjercicioInicial = true;   // no year yet: ask for its number
//   w.exec();
//   if (w.pNuevo_Ejercicio) ...            // the year created
//
// Steps: "0" the year's number (only when asked), "1" its name, "2" its first
// and last day. "&Terminar" checks the name and the dates again and saves the
// year, with its daily rate rows when the company works with several
// currencies, in one transaction (ejercicios::CrearEjercicio). A refused or
// failed save leaves the window open and the out-members as they were.
// Escape and the close box act as "&Cerrar", and are refused while it is
// disabled (pNoHabilitarCancelar) or while the year is being saved.
#include <QDialog>
#include <QString>

#include <array>

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace vexa {

class ContextoEmpresa;

class WizEjercicio : public QDialog {
    Q_OBJECT
public:
    explicit WizEjercicio(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~WizEjercicio() override;

    // ---- members set before showing / read after ----
    qint16 pNuevo_Ejercicio = 0;        // out: the year created
    QString pFecha_Desde, pFecha_Hasta; // in and out: the date texts as saved
    QString pDescripcion;               // out: the name as saved
    bool pNoHabilitarFdesde = false;
    bool pNoHabilitarCancelar = false;
    bool pPedirNroEjercicioInicial = false;

    // ---- controls ----
    QTabWidget* SSTab1 = nullptr;
    std::array<QLineEdit*, 4> TxtFields{}; // NRO_PERIODO, NOMBRE, FECHA_DESDE, FECHA_HASTA
    QPushButton* CmdAnterior = nullptr;
    QPushButton* CmdSiguiente = nullptr;
    QPushButton* CmdCancelar = nullptr;

    // The field of a data field (NRO_PERIODO, NOMBRE, FECHA_DESDE, FECHA_HASTA).
    QLineEdit* campo(const QString& dataField) const;

    // Error flag of the current check.
    bool HayError = false;
    // Checks one step (0, 1 or 2); true when it is valid.
    bool ValidaTab(int QueTab);
    // Saves the year; true when it was saved (the members are then filled).
    bool Actualizar_Datos();

    void Form_Load();
    void SSTab1_Click();
    void CmdSiguiente_Click();
    void CmdAnterior_Click();
    void CmdCancelar_Click();
    bool guardando() const { return guardando_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void aviso(const QString& mensaje);
    ContextoEmpresa& ctx_;
    bool cargado_ = false;
    bool guardando_ = false;
};

} // namespace vexa
