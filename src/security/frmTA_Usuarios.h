#pragma once
// "Asistente para crear nuevos Usuarios": this program's users (Usuarios.h) in
// a wizard of four steps on SSTab1: 0 the new user's name, 1 its password
// ("Finalizar" saves the user and grants it every task of the main menu),
// 2 the list of users with password change, delete and create, 3 the password
// change of the selected user. The list is read again after each change.
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace vexa {

class ContextoEmpresa;

class frmTA_Usuarios : public QWidget {
    Q_OBJECT
public:
    // formularioMenu: the window whose menu defines the tasks a new user gets
    // (the main window).
    frmTA_Usuarios(ContextoEmpresa& ctx, const QWidget* formularioMenu, QWidget* parent = nullptr);

    QTabWidget* SSTab1 = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdAnterior = nullptr;
    QPushButton* CmdSiguiente = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* lblPass = nullptr;
    QLabel* lblEstablecer = nullptr;
    QListWidget* LstUsuarios = nullptr;
    QPushButton* CmdEstablecer = nullptr;
    QPushButton* CmdEliminar = nullptr;
    QPushButton* CmdCrearNuevo = nullptr;
    // 0 "Usuario", 1 "PASSWORD", 2 "confirmacion", 3 "confirmacion1",
    // 4 "PASSWORD1", 5 "PASSWORDant".
    std::vector<QLineEdit*> TxtFields;
    bool HayError = false;

    QLineEdit* campo(const QString& nombre) const;
    int paso() const;
    void seleccionarPaso(int paso);

    void MuestraPasoInicial(bool forzarCreacion);
    void SSTab1_Click();
    void CmdSiguiente_Click();
    void CmdAnterior_Click();
    void CmdCrearNuevo_Click();
    void CmdEstablecer_Click();
    void CmdEliminar_Click();
    bool ValidaTab(int paso);
    // Reads the users again; false (after telling the operator) when it failed.
    bool ListaUsuarios();
    bool GrabaUsuario();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // The constructor's parts, in the order the controls are created.
    QWidget* paginaNombre();
    QWidget* paginaContrasena();
    QWidget* paginaUsuarios();
    QWidget* paginaEstablecer();
    void armarMarco();
    void conectar();

    void aviso(const QString& texto);
    void ocupado(bool si);
    void errorDeDatos(const std::exception& e, const QString& procedimiento);
    ContextoEmpresa& ctx_;
    const QWidget* menu_;
    QString elegido_; // the user whose password step 3 changes
    bool ocupado_ = false;
};

} // namespace vexa
