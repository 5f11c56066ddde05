#include "FrmDatosVexa.h"

#include "AjustesPrograma.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CorridaVexa.h"
#include "Dialogos.h"
#include "LBM_Common.h"
#include "Lbc_Asiento.h"
#include "Lectores.h"
#include "ProgresoVentana.h"
#include "ReglasAsientos.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "lbm_Seguridad.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vexa::recepcion {

using plataforma::dialogos;

namespace {
const char* const kDataField = "DataField";
const char* const kTag = "Tag";

// The run's progress box, with the main window's status text line by line;
// the status text is given back however the run ends.
class ProgresoDatos : public ProgresoVentana {
public:
    explicit ProgresoDatos(frmDatosVexa& w) : ProgresoVentana(&w, true, true), w_(w) {}
    ~ProgresoDatos() override
    {
        MensajeEstado(QStringLiteral("..."), false);
        TextoEstado(QString());
    }
    bool Actualizar(qint64 hecho, const QString& texto) override
    {
        w_.finEspera();
        if (texto.startsWith(QLatin1String("Leyendo"))) {
            ++n_;
            MensajeEstado(QStringLiteral("Procesando registros ") + QString::number(n_), true);
            TextoEstado(QStringLiteral("Leyendo...") + QString::number(n_));
            emit w_.lineaLeida(n_);
        }
        return ProgresoVentana::Actualizar(hecho, texto);
    }

private:
    frmDatosVexa& w_;
    int n_ = 0;
};
} // namespace

frmDatosVexa::frmDatosVexa(ContextoEmpresa& ctx, QWidget* parent) : VentanaCorrida(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmDatosVexa"));
    setWindowTitle(QStringLiteral("Obtención de Datos desde Vexa Gestión Comercial"));
    alCerrar([this] { RegistraEgreso(ctx_, *this); });

    QWidget *tab0 = nullptr, *tab1 = nullptr;
    SSTab1 = PonerPestanas(this, tab0, tab1);

    Frame1 = new QGroupBox(tab0);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* fila = new QHBoxLayout(Frame1);
    Label1 = new QLabel(QStringLiteral("Archivo de Origen:"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* t = new QLineEdit(Frame1);
    t->setObjectName(QStringLiteral("TxtFields_0"));
    t->setProperty(kDataField, QStringLiteral("Archivo"));
    t->setProperty(kTag, QStringLiteral("MA_INTERFACES"));
    t->installEventFilter(this);
    TxtFields[0] = t;
    CmdBuscar = new QPushButton(QStringLiteral("&Buscar"), Frame1);
    CmdBuscar->setObjectName(QStringLiteral("CmdBuscar"));
    connect(CmdBuscar, &QPushButton::clicked, this, [this] { CmdBuscar_Click(); });
    fila->addWidget(Label1);
    fila->addWidget(t, 1);
    fila->addWidget(CmdBuscar);

    ListasRecepcion::Textos textos;
    textos.conGrabados = false;
    FrameErrores = new ListasRecepcion(textos, tab0);
    FrameErrores->setObjectName(QStringLiteral("FrameErrores"));
    LstErrores = FrameErrores->LstErrores;
    Label2 = FrameErrores->EtiquetaErrores;
    Label2->setObjectName(QStringLiteral("Label2"));
    CmdPrintErrores = FrameErrores->CmdPrintErrores;
    auto* v0 = new QVBoxLayout(tab0);
    v0->addWidget(Frame1);
    v0->addWidget(FrameErrores, 1);

    LstV = PonerVistaPrevia(SSTab1, tab1, 1, [this] { CargarVistaPrevia(ArchivoSeleccionado); });

    CmdGenerar = new QPushButton(QStringLiteral("&Aceptar"), this);
    CmdGenerar->setObjectName(QStringLiteral("CmdGenerar"));
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    connect(CmdGenerar, &QPushButton::clicked, this, [this] { CmdGenerar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { close(); });
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(CmdGenerar);
    botones->addWidget(CmdCancelar);

    auto* v = new QVBoxLayout(this);
    v->addWidget(SSTab1, 1);
    v->addLayout(botones);
    resize(720, 480);

    bloquearEnCorrida({CmdGenerar, CmdCancelar, CmdBuscar}, {TxtFields[0]}, SSTab1, FrameErrores);

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    Inicializa();
}

void frmDatosVexa::Inicializa()
{
    TxtFields[0]->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    LstV->preparar();
    LimpiarPantalla();
}

void frmDatosVexa::LimpiarPantalla()
{
    TxtFields[0]->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    FrameErrores->limpiar();
}

void frmDatosVexa::CampoValida(int indice)
{
    QLineEdit* t = TxtFields[size_t(indice)];
    ErrorCampo = texto::igual(t->property(kDataField).toString(), QStringLiteral("ARCHIVO")) &&
                 !ValidarArchivo(t, SSTab1, 1, ArchivoSeleccionado);
}

// The window has one field.
bool frmDatosVexa::DatosValidos()
{
    CampoValida(0);
    return !ErrorCampo;
}

// The active year must accept entries, as for the interface reception.
bool frmDatosVexa::periodoValido()
{
    QString mensaje;
    bool ok = false;
    try {
        ok = Lbc_Asiento(ctx_).ValidaEstadoPeriodoActual(mensaje);
        // The active year itself must have been created.
        if (ok && ctx_.con().Escalar(QStringLiteral("SELECT COUNT(*) FROM MV_EJERCICIOS WHERE PERIODO = ?"),
                                     {lectura::enteroInicial(Lbc_Asiento(ctx_).PeriodoActivo()).o(0)}).toLongLong() == 0) {
            ok = false;
            mensaje = kMensajeSinEjercicios;
        }
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("CmdGenerar_Click"));
        return false;
    }
    if (!ok) dialogos().MsgBox(mensaje, plataforma::vbCritical, QCoreApplication::applicationName());
    return ok;
}

void frmDatosVexa::CmdGenerar_Click()
{
    if (corriendo()) return;
    FrameErrores->limpiar();
    // A reception already running at this station is refused by the run itself.
    if (ventanas::RevisarConexion(ctx_.con()) && periodoValido() && DatosValidos()) ProcesaArchivo(ArchivoSeleccionado);
    FrameErrores->habilitar();
}

void frmDatosVexa::ProcesaArchivo(const QString& archivo)
{
    ResultadoCorridaVexa r;
    const auto orden = [&] {
        ProgresoDatos progreso(*this);
        auto listar = [this](const QStringList& errores) { FrameErrores->agregar(errores); };
        auto alFallar = [](int numero, const QString& error) {
            ventanas::SinCursorEspera cursor;
            return dialogos().MsgBox(QStringLiteral("Error: ") + QString::number(numero) + u' ' + error,
                                     plataforma::vbAbortRetryIgnore | plataforma::vbCritical,
                                     QStringLiteral("Error de datos!")) == plataforma::vbRetry;
        };
        auto confirmar = [&progreso] {
            return ventanas::ConfirmarCancelar(progreso, QStringLiteral("¿Realmente desea cancelar este proceso?"),
                                               plataforma::vbYesNo | plataforma::vbQuestion,
                                               QStringLiteral("Aviso al operador"));
        };
        r = RecibirVexa(ctx_, archivo, progreso, listar, alFallar, confirmar);
    };
    correr(orden, &ctx_.con());
    if (r.idRecepcion != 0) IdRecepcion = r.idRecepcion;
    // The run has ended its transactions and the window is usable again.
    switch (r.fin) {
    case ResultadoCorridaVexa::Fin::Error:
        Utilidades::ManejaError(r.errorNumero, r.error, QStringLiteral("ProcesaArchivo"));
        break;
    case ResultadoCorridaVexa::Fin::Rechazada:
    case ResultadoCorridaVexa::Fin::Anulada:
        dialogos().MsgBox(r.error, plataforma::vbInformation, QStringLiteral("Aviso al operador"));
        break;
    default:
        dialogos().MsgBox(QStringLiteral("Proceso Finalizado"), plataforma::vbInformation, QStringLiteral("Aviso al operador"));
    }
}

void frmDatosVexa::CmdBuscar_Click()
{
    ArchivoSeleccionado =
        ElegirArchivo(TxtFields[0], QStringLiteral("Selección del Archivo de la interface de : "), carpeta_, ctx_.con());
}

void frmDatosVexa::CargarVistaPrevia(const QString& archivo) { LstV->cargar(archivo); }

void frmDatosVexa::CmdPrintErrores_Click() { FrameErrores->imprimir(ResultadosRecepcion::Lista::Rechazados); }

bool frmDatosVexa::eventFilter(QObject* o, QEvent* e)
{
    if (o != TxtFields[0]) return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::FocusIn:
        CampoActual = 0;
        break;
    case QEvent::MouseButtonPress:
        CampoActual = 0;
        if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) return true; // the file field has no lookup
        break;
    case QEvent::KeyPress: {
        if (corriendo()) return true;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            CampoValida(0);
            if (!ErrorCampo) focusNextChild();
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            Inicializa();
            return true;
        }
        // The file field holds a path, whose letter case matters on this system:
        // the upper-case rule is not applied to it.
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(o, e);
}

} // namespace vexa::recepcion
