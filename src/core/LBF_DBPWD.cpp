#include "LBF_DBPWD.h"

#include "Dialogos.h"
#include "RegistroVentanas.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vexa {

namespace {
// Entering the box selects its text, so that typing replaces it.
class CajaClave : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QLineEdit::focusInEvent(e);
        selectAll();
    }
};
} // namespace

LBF_DBPWD::LBF_DBPWD(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LBF_DBPWD"));
    lblLabels0 = new QLabel(this);
    lblLabels0->setObjectName(QStringLiteral("lblLabels_0"));
    txtPassword = new CajaClave(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    lblLabels0->setBuddy(txtPassword);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(cmdOK);
    botones->addWidget(cmdCancel);
    auto* v = new QVBoxLayout(this);
    v->addWidget(lblLabels0);
    v->addWidget(txtPassword);
    v->addLayout(botones);
    resize(360, 130);

    // Form_Load
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->geometry();
        move(r.x() + r.width() / 2 - width() / 2, r.y() + r.height() / 2 - height() / 2);
    }
    setWindowTitle(QStringLiteral("Es necesaria una contraseña"));
    cmdOK->setText(QStringLiteral("&Aceptar"));
    cmdCancel->setText(QStringLiteral("&Cancelar"));
    lblLabels0->setText(QStringLiteral("&Introduzca la contraseña de la base de datos:"));
}

void LBF_DBPWD::cmdOK_Click()
{
    Password = txtPassword->text();
    hide(); // stays alive: the caller reads the password
}

void LBF_DBPWD::cmdCancel_Click()
{
    Password.reset();
    done(QDialog::Rejected);
    plataforma::dialogos().MsgBox(QStringLiteral("END"), plataforma::vbOKOnly, QString());
}

void registrarVentanasNucleo()
{
    registrarVentana(QStringLiteral("LBF_DBPWD"), [](ContextoEmpresa&, const OpcionesVentana&) -> QWidget* { return new LBF_DBPWD; });
}

} // namespace vexa
