#pragma once
// "Asignación de Cuentas al Libro de I.V.A. Compras" / "... Ventas": every
// detail account in a list, those of the book selected; "&Aceptar" saves the
// selection as the book (libros::GrabarLibroIva), the toolbar's PLANILLA shows
// what is stored and CERRAR closes. Shown modal from the main menu.
#include <QDialog>
#include <QPointer>

class QListWidget;
class QPushButton;

namespace vexa {

class ContextoEmpresa;
class UtilTeb;

class Frm_LibrosIva : public QDialog {
    Q_OBJECT
public:
    Frm_LibrosIva(ContextoEmpresa& ctx, bool escompras, QWidget* parent = nullptr);

    QListWidget* lstCuentas = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdseleccionarTodo = nullptr;
    QPushButton* CmdDeSeleccionar = nullptr;
    UtilTeb* UtilTeb1 = nullptr;
    // The grid viewer PLANILLA opened last (while it is open).
    QPointer<QWidget> Planilla;

    const bool Escompras;
    // False when the last load did not finish: the save is then refused.
    bool cargaCompleta() const { return cargaCompleta_; }

    void Cargar_LibroIVA();
    void HabilitarBotones(bool estado);
    void CmdAceptar_Click();
    void CmdseleccionarTodo_Click();
    void CmdDeSeleccionar_Click();
    void UtilTeb1_ButtonClick(const QString& clave);
    // The codes of the selected items, in list order.
    QStringList codigosSeleccionados() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    ContextoEmpresa& ctx_;
    bool cargaCompleta_ = false;
};

} // namespace vexa
