#pragma once
// "Orden de Compra": asks for one voucher number. The caller sets
// pOrdenCompra, shows the window modally and reads pOrdenCompra back: the
// typed number trimmed after "&Aceptar", "" after "&Cancelar", Escape or the
// close box. Every way out only hides the window; the caller deletes it.
// Enter in the field moves the focus on and never presses a button.
#include <QDialog>
#include <QString>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa {

class FrmOrdenCompra : public QDialog {
    Q_OBJECT
public:
    explicit FrmOrdenCompra(QWidget* parent = nullptr);

    QString pOrdenCompra; // in and out

    QLabel* Label1 = nullptr;
    std::array<QLineEdit*, 1> TxtFields{}; // "CpteBancario"
    QGroupBox* Frame1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;

    void Form_Load();
    void CmdAceptar_Click();
    void CmdCancelar_Click();

public slots:
    void reject() override; // Escape and the close box: as "&Cancelar"

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool cargado_ = false;
};

} // namespace vexa
