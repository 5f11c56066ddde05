#include "RP_Acceso.h"

#include "AjustesPrograma.h"
#include "CamposFormulario.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "MotorReportes.h"
#include "ReporteAcceso.h"
#include "TBarRep.h"
#include "Usuarios.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

RP_Acceso::RP_Acceso(ContextoEmpresa& ctx, QWidget* parent)
    : QWidget(parent), UsuarioSupervisor(vexa::UsuarioSupervisor()), ctx_(ctx),
      campos_(new CamposFormulario(this, ctx.soloMayusculas))
{
    setObjectName(QStringLiteral("RP_Acceso"));
    setWindowTitle(QStringLiteral("Reporte Control de Acceso Usuarios"));
    TBarRep1 = new TBarRep(this);
    connect(TBarRep1, &TBarRep::ButtonClick, this, &RP_Acceso::TBarRep1_Event9);

    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Usuario desde:"), this), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("Usuario hasta:"), this), 1, 0);
    for (int i = 0; i < 2; ++i) {
        Cmb_U[i] = new QComboBox(this);
        Cmb_U[i]->setObjectName(QStringLiteral("Cmb_U_%1").arg(i));
        Cmb_U[i]->setEditable(true);
        Cmb_U[i]->setInsertPolicy(QComboBox::NoInsert);
        Cmb_U[i]->installEventFilter(this);
        g->addWidget(Cmb_U[i], i, 1);
    }
    const char* campos[] = {"FECHA_DESDE", "FECHA_HASTA"};
    const char* etiquetas[] = {"Fecha de ingreso desde:", "Fecha de ingreso hasta:"};
    cajas_ = new ArregloCajas(QStringLiteral("TxtFields"), this);
    for (int i = 0; i < 2; ++i) {
        QLineEdit* e = cajas_->agregar(this, {QString::fromLatin1(campos[i]), QStringLiteral("FECHA"), 10});
        e->setProperty(ControlesFormulario::propiedadFiltro(), QStringLiteral("FECHA"));
        e->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
        TxtFields.push_back(e);
        g->addWidget(new QLabel(QString::fromUtf8(etiquetas[i]), this), 2 + i, 0);
        g->addWidget(e, 2 + i, 1);
    }
    // Enter checks the date, the focus selects it; the lookup is F6 (the
    // toolbar's) and the right button, on the box pressed.
    campos_->atender(*cajas_, [this](int i) { return CampoValida(TxtFields[size_t(i)]); }, nullptr,
                     [this](int i) { campoConFoco(i); });
    cajas_->TeclaAbajo = [this, campo = cajas_->TeclaAbajo](int i, int& tecla, Qt::KeyboardModifiers mod) {
        campo(i, tecla, mod);
        if (tecla && TBarRep1->Tecla(tecla, mod)) tecla = 0;
    };
    cajas_->BotonDerecho = [this](int i) {
        campoConFoco(i);
        ConsultaCampo();
    };
    g->setColumnStretch(1, 1);
    auto* v = new QVBoxLayout(this);
    v->addWidget(TBarRep1);
    v->addLayout(g);
    v->addStretch(1);
    resize(460, 220);

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    TBarRep1->setEstado1(false);
    LlenarUsuarios(Cmb_U[0]);
    LlenarUsuarios(Cmb_U[1]);
}

void RP_Acceso::LlenarUsuarios(QComboBox* c)
{
    if (!c) return;
    try {
        const QStringList usuarios = UsuariosDeTodosLosSistemas(ctx_.con());
        c->clear();
        c->addItems(usuarios);
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("LlenarUsuarios"));
    }
}

void RP_Acceso::TBarRep1_Event9(const QString& clave)
{
    if (ocupado_) return;
    const QString k = clave.toUpper();
    if (k == QLatin1String("PANTALLA")) EmitirReporte(MotorReportes::DestinoPantalla);
    else if (k == QLatin1String("IMPRESORA")) EmitirReporte(MotorReportes::DestinoImpresora);
    else if (k == QLatin1String("CERRAR")) close();
    else if (k == QLatin1String("CONSULTAR")) ConsultaCampo();
}

QString EmitirReporteAcceso(ContextoEmpresa& ctx, MotorReportes& motor, const PedidoAcceso& p,
                            plataforma::ResultadoReporte* resultado)
{
    plataforma::Reporte reporte;
    const QString error = ArmarReporteAcceso(ctx, motor, p, reporte);
    if (!error.isEmpty()) return error;
    const plataforma::ResultadoReporte r = motor.EmiteReporte(reporte);
    if (resultado) *resultado = r;
    return QString();
}

bool RP_Acceso::EmitirReporte(int destino)
{
    // The dates are checked again: one left invalid without Enter refuses the run.
    for (QLineEdit* f : TxtFields)
        if (!CampoValida(f)) return false;
    MotorReportes motor;
    motor.Destino = destino;
    PedidoAcceso p{Cmb_U[0]->currentText(), Cmb_U[1]->currentText(), TxtFields[0]->text(), TxtFields[1]->text()};
    ocupado_ = true;
    TBarRep1->setEnabled(false);
    QString error;
    try {
        error = EmitirReporteAcceso(ctx_, motor, p);
    } catch (const std::exception& e) {
        error = descripcionDeError(e);
    }
    TBarRep1->setEnabled(true);
    ocupado_ = false;
    if (!texto::recortar(error).isEmpty()) {
        dialogos().MsgBox(error, vbCritical, QStringLiteral("Aviso al operador"));
        return false;
    }
    return true;
}

void RP_Acceso::campoConFoco(int indice)
{
    actual_ = indice;
    TBarRep1->setEstado1(indice >= 0 && !texto::recortar(TxtFields[indice]->property("Tag").toString()).isEmpty());
}

void RP_Acceso::ConsultaCampo()
{
    if (actual_ < 0) return;
    QLineEdit* f = TxtFields[actual_];
    if (!texto::contiene(f->property(ControlesFormulario::propiedadCampo()).toString(), QStringLiteral("FECHA"))) return;
    if (const auto fecha = Utilidades::Calendario(f->text())) f->setText(*fecha);
}

bool RP_Acceso::CampoValida(QLineEdit* campo)
{
    HayError = false;
    const QString t = texto::recortar(campo->text());
    if (t.isEmpty()) return true;
    const QString nombre = campo->property(ControlesFormulario::propiedadCampo()).toString();
    QString mensaje;
    const QDate d = Utilidades::TextoAFecha(t);
    if (!d.isValid()) {
        mensaje = QStringLiteral("La fecha ingresada no es correcta!!");
    } else if (texto::igual(nombre, QStringLiteral("FECHA_HASTA"))) {
        const QDate desde = Utilidades::TextoAFecha(texto::recortar(TxtFields[0]->text()));
        if (desde.isValid() && desde > d) mensaje = QStringLiteral("La fecha desde es mayor que la fecha Hasta");
    }
    if (mensaje.isEmpty()) return true;
    HayError = true;
    dialogos().MsgBox(mensaje, vbInformation, QStringLiteral("Aviso al operador..."));
    campo->setFocus();
    return false;
}

bool RP_Acceso::eventFilter(QObject* o, QEvent* e)
{
    for (QComboBox* c : Cmb_U) {
        if (o != c) continue;
        if (e->type() == QEvent::FocusIn) campoConFoco(-1);
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (ControlesFormulario::EsTeclaEnter(k->key())) {
                ControlesFormulario::SiguienteControl(c, k->key());
                return true;
            }
            if (TBarRep1->Tecla(k->key(), k->modifiers())) return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

void RP_Acceso::closeEvent(QCloseEvent* e)
{
    // Closing the report ends only this window.
    if (ocupado_) e->ignore();
    else QWidget::closeEvent(e);
}

} // namespace vexa
