#include "FrmCotiz.h"

#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Cotizaciones.h"
#include "Dialogos.h"
#include "Lectores.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

FrmCotiz::FrmCotiz(ContextoEmpresa& ctx, const QDate& fechaAsiento, QWidget* parent)
    : QDialog(parent), FechaAsiento(fechaAsiento), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmCotiz"));
    setWindowTitle(QStringLiteral("Ingrese Moneda y Cotización"));
    setModal(true);

    CmbMoneda = new QComboBox(this);
    CmbMoneda->setObjectName(QStringLiteral("CmbMoneda"));
    CmbMoneda->installEventFilter(this);
    TxtCotiz = new QLineEdit(this);
    TxtCotiz->setObjectName(QStringLiteral("TxtCotiz"));
    TxtCotiz->installEventFilter(this);
    cmdOK = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    // Enter moves between the fields; only a click (or Space) presses a button.
    cmdOK->setAutoDefault(false);
    CmdCancelar->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmbMoneda, &QComboBox::activated, this, [this] { CmbMoneda_Click(); });

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Moneda:"), CmbMoneda);
    campos->addRow(QStringLiteral("Cotización:"), TxtCotiz);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(cmdOK);
    botones->addWidget(CmdCancelar);
    auto* v = new QVBoxLayout(this);
    v->addLayout(campos);
    v->addLayout(botones);
    setTabOrder(CmbMoneda, TxtCotiz);
    setTabOrder(TxtCotiz, cmdOK);
    setTabOrder(cmdOK, CmdCancelar);
    resize(360, 120);

    // Form_Load
    ventanas::PreparaFormulario(this, 0);
    CargarMonedas();
    Cancelar = false;
}

void FrmCotiz::CargarMonedas()
{
    // An error leaves the list as far as it got, without a message.
    CmbMoneda->clear();
    try {
        for (const auto& m : cotizacion::MonedasConCotizacion(ctx_.con())) CmbMoneda->addItem(m.descripcion, m.codigo);
    } catch (const std::exception&) {
        return;
    }
    if (CmbMoneda->count() == 0) return;
    CmbMoneda->setCurrentIndex(0);
    CmbMoneda_Click();
}

void FrmCotiz::CmbMoneda_Click()
{
    if (CmbMoneda->currentIndex() < 0) return;
    CargarCotizacionMoneda(qint16(lectura::entero(CmbMoneda->currentData().toString()).o(0)));
}

void FrmCotiz::CargarCotizacionMoneda(qint16 Indice)
{
    std::optional<vexa::Moneda> tasa;
    EjecutarPasos(QStringLiteral("CargarCotizacionMoneda"),
                  {[&] { tasa = cotizacion::TasaDelDia(ctx_.con(), FechaAsiento, Indice); }}, {}, &ctx_.con());
    // A day without a rate (or a failed read) shows an empty box, never another
    // currency's or day's rate.
    TxtCotiz->setText(cotizacion::TextoTasa(tasa));
}

void FrmCotiz::cmdOK_Click()
{
    vexa::Moneda valor;
    const QString mensaje = cotizacion::ValidarCotizacion(TxtCotiz->text(), &valor);
    if (!mensaje.isEmpty()) {
        dialogos().MsgBox(mensaje, vbCritical, cotizacion::mensajes::titulo());
        return;
    }
    Moneda = CmbMoneda->currentIndex() >= 0 ? CmbMoneda->currentData().toString() : QString();
    Cotizacion = valor;
    Cancelar = false;
    QDialog::accept();
}

void FrmCotiz::CmdCancelar_Click()
{
    Cancelar = true;
    QDialog::reject();
}

void FrmCotiz::reject() { CmdCancelar_Click(); }

bool FrmCotiz::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && (o == CmbMoneda || o == TxtCotiz)) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (ControlesFormulario::EsTeclaEnter(k->key())) {
            ControlesFormulario::SiguienteControl(static_cast<QWidget*>(o), k->key());
            return true;
        }
        // The currency is chosen with the mouse: no other key reaches the list
        // (Escape still cancels the window).
        if (o == CmbMoneda && k->key() != Qt::Key_Escape) return true;
    }
    return QDialog::eventFilter(o, e);
}

} // namespace vexa
