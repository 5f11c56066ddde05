#pragma once
// "Ingrese Moneda y Cotización": a small modal prompt for a currency and its
// exchange rate on one entry date. The caller sets FechaAsiento (the rate
// proposed when the window loads uses the date it holds then; choosing a
// currency proposes its rate on the date held at that moment), shows it
// modally and, when Cancelar is false, reads Moneda and Cotizacion. The window
// hides itself on both buttons and is not destroyed by its own code.
#include "Moneda.h"

#include <QDate>
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vexa {

class ContextoEmpresa;

class FrmCotiz : public QDialog {
    Q_OBJECT
public:
    explicit FrmCotiz(ContextoEmpresa& ctx, const QDate& fechaAsiento = QDate(), QWidget* parent = nullptr);

    // The chosen currency's code, "1" to "5".
    QString Moneda;
    // The accepted rate.
    vexa::Moneda Cotizacion;
    // True when the operator cancelled; false after loading and after an accept.
    bool Cancelar = false;
    // The entry date whose rates are proposed.
    QDate FechaAsiento;

    QComboBox* CmbMoneda = nullptr;
    QLineEdit* TxtCotiz = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* CmdCancelar = nullptr;

    // Fills the currency list and proposes the first currency's rate.
    void CargarMonedas();
    // Shows the rate of currency 'Indice' (1 to 5) on FechaAsiento; empty when
    // that day has no row or no rate for it.
    void CargarCotizacionMoneda(qint16 Indice);
    void CmbMoneda_Click();
    void cmdOK_Click();
    void CmdCancelar_Click();

    // Escape and the window's close button cancel, as "&Cancelar" does.
    void reject() override;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    ContextoEmpresa& ctx_;
};

} // namespace vexa
