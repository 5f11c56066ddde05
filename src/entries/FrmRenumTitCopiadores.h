#pragma once
// "Renumeración de Títulos copiadores": a range of copy-book titles in a
// checked list; "Aceptar" shifts every checked code by the increment, the
// list's right-button menu gives one title a new code (titulos::...).
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace vexa {

class ContextoEmpresa;

class FrmRenumTitCopiadores : public QWidget {
    Q_OBJECT
public:
    explicit FrmRenumTitCopiadores(ContextoEmpresa& ctx, QWidget* parent = nullptr);

    std::array<QLineEdit*, 3> TxtFields{}; // "TitDesde", "TitHasta", "Incremento"
    QTreeWidget* ListView1 = nullptr;
    QPushButton* CmdCargar = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCerrar = nullptr;
    QMenu* MNU_Invisible = nullptr;
    QAction* MNU_Cambiar = nullptr;
    QAction* MNU_Separador = nullptr;
    QAction* MNU_Cancelar = nullptr;
    bool HayError = false;

    // Shows the pop-up menu and answers the item chosen (nullptr: none). Tests
    // replace it.
    std::function<QAction*(QMenu*)> mostrarMenu;

    void CmdCargar_Click();
    void CmdAceptar_Click();
    void ListView1_MouseDown(Qt::MouseButton boton);
    void CampoValida(QLineEdit* campo);
    QLineEdit* campo(const QString& dataField) const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void recodificarSeleccionado();
    ContextoEmpresa& ctx_;
};

} // namespace vexa
