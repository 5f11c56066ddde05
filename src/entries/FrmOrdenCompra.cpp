#include "FrmOrdenCompra.h"

#include "AjustesPrograma.h"
#include "ControlesFormulario.h"
#include "Utilidades.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vexa {

FrmOrdenCompra::FrmOrdenCompra(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmOrdenCompra"));
    setWindowTitle(QStringLiteral("Orden de Compra"));
    setModal(true);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("Nº de Comprobante"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* t = new QLineEdit(Frame1);
    t->setObjectName(QStringLiteral("TxtFields_0"));
    t->setProperty(ControlesFormulario::propiedadCampo(), QStringLiteral("CpteBancario"));
    t->setMaxLength(50);
    t->installEventFilter(this);
    TxtFields[0] = t;
    auto* g = new QGridLayout(Frame1);
    g->addWidget(Label1, 0, 0);
    g->addWidget(t, 0, 1);

    CmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    for (QPushButton* b : {CmdAceptar, CmdCancelar}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdAceptar);
    botones->addWidget(CmdCancelar);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Frame1);
    v->addLayout(botones);
}

void FrmOrdenCompra::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!cargado_) {
        cargado_ = true;
        Form_Load();
    }
}

void FrmOrdenCompra::Form_Load()
{
    AplicarEstiloFormulario(this);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect r = s->geometry();
        move(r.x() + r.width() / 2 - width() / 2, r.y() + r.height() / 2 - height() / 2);
    }
    TxtFields[0]->setText(texto::recortar(pOrdenCompra));
}

void FrmOrdenCompra::CmdAceptar_Click()
{
    pOrdenCompra = texto::recortar(TxtFields[0]->text());
    hide();
}

void FrmOrdenCompra::CmdCancelar_Click()
{
    pOrdenCompra.clear();
    hide();
}

void FrmOrdenCompra::reject()
{
    pOrdenCompra.clear();
    QDialog::reject();
}

bool FrmOrdenCompra::eventFilter(QObject* o, QEvent* e)
{
    if (o == TxtFields[0] && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (ControlesFormulario::EsTeclaEnter(k->key())) {
            ControlesFormulario::SiguienteControl(TxtFields[0], k->key());
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

} // namespace vexa
