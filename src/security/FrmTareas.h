#pragma once
// "Autorización de Tareas ": the coded items of a window's menu (the main
// window's) as an indented checklist; a user of this program is chosen, its
// grants are loaded into the list, changed and saved (GrabaTareas, one
// transaction). Saved for the signed-in user, the grants can be applied to the
// menu at once.
#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vexa {

class ContextoEmpresa;
class UtilTeb;

class FrmTareas : public QWidget {
    Q_OBJECT
public:
    // formularioMenu: the window whose menu items are the tasks (the main window).
    FrmTareas(ContextoEmpresa& ctx, QWidget* formularioMenu, QWidget* parent = nullptr);

    QLineEdit* TxtFields = nullptr;
    QGroupBox* FrmDetalle = nullptr;
    QListWidget* LstTareas = nullptr;
    QPushButton* CmdMarcarTodos = nullptr;
    QPushButton* CmdDesmarcarTodo = nullptr;
    UtilTeb* UtilTeb1 = nullptr;
    QStringList CodigosTareas; // the task code of each list item
    bool HayError = false;

    // The user whose grants the list shows (empty: none loaded).
    const QString& usuarioCargado() const { return usuario_; }

    void Inicializa();
    void DetalleOn(bool estado);
    void Campo_Valida();
    void Asignar_Datos(const QString& usuario);
    void Marcar_Menu(const QString& codigo);
    void InicializaLST();
    void CmdMarcarTodos_Click();
    void CmdDesmarcarTodo_Click();
    void UtilTeb1_ButtonClick(const QString& clave);
    void Actualizar_Datos();
    void ConsultaUsuario();
    // The checked items' codes, in list order.
    QStringList tareasMarcadas() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool siempreMarcado(const QListWidgetItem* it) const;
    void LstTareas_ItemCheck(QListWidgetItem* it);
    ContextoEmpresa& ctx_;
    QWidget* menu_;
    QString usuario_;
    bool ocupado_ = false;
    bool marcando_ = false;
};

} // namespace vexa
