#pragma once
// "Es necesaria una contraseña": asks for the database password. "&Aceptar"
// keeps the typed text (empty is a password) and hides the dialog so that the
// caller reads Password; "&Cancelar" leaves no password (std::nullopt), closes
// the dialog and shows "END".
#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa {

class LBF_DBPWD : public QDialog {
    Q_OBJECT
public:
    explicit LBF_DBPWD(QWidget* parent = nullptr);

    QLineEdit* txtPassword = nullptr;
    QLabel* lblLabels0 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    std::optional<QString> Password;

    void cmdOK_Click();
    void cmdCancel_Click();
};

// Registers the windows of the program's core by name (the program and tests call it once).
void registrarVentanasNucleo();

} // namespace vexa
