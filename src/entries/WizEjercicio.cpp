#include "WizEjercicio.h"

#include "AjustesPrograma.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "Ejercicios.h"
#include "Lbc_Asiento.h"
#include "ProgresoVentana.h"
#include "Utilidades.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vexa {

using plataforma::dialogos;

namespace {
const QString kTitulo = QStringLiteral("Aviso al operador");
const char* const kCampos[] = {"NRO_PERIODO", "NOMBRE", "FECHA_DESDE", "FECHA_HASTA"};

QString textoCampo(const QLineEdit* t) { return t ? t->text() : QString(); }

void centrar(QWidget* w)
{
    const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect r = s->geometry();
    w->move(r.x() + r.width() / 2 - w->width() / 2, r.y() + r.height() / 2 - w->height() / 2);
}
} // namespace

WizEjercicio::WizEjercicio(ContextoEmpresa& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WizEjercicio"));
    setWindowTitle(QStringLiteral("Asistente para crear nuevo Ejercicio"));
    setModal(true);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    // The steps change only through the buttons (each step is checked first).
    SSTab1->tabBar()->setAttribute(Qt::WA_TransparentForMouseEvents);
    SSTab1->tabBar()->setFocusPolicy(Qt::NoFocus);
    std::array<QWidget*, 3> tabs{};
    std::array<QGridLayout*, 3> grids{};
    for (int i = 0; i < 3; ++i) {
        tabs[size_t(i)] = new QWidget;
        grids[size_t(i)] = new QGridLayout(tabs[size_t(i)]);
        SSTab1->addTab(tabs[size_t(i)], QString::number(i));
    }
    for (int i = 0; i < 4; ++i) {
        auto* t = new QLineEdit;
        t->setObjectName(QStringLiteral("TxtFields_%1").arg(i));
        t->setProperty(ControlesFormulario::propiedadCampo(), QString::fromLatin1(kCampos[i]));
        t->installEventFilter(this);
        TxtFields[size_t(i)] = t;
    }
    TxtFields[0]->setProperty(ControlesFormulario::propiedadFiltro(), QStringLiteral("NUMERO"));
    TxtFields[1]->setMaxLength(50); // DESCRIPCION holds 50 characters
    TxtFields[2]->setProperty(ControlesFormulario::propiedadFiltro(), QStringLiteral("FECHA"));
    TxtFields[3]->setProperty(ControlesFormulario::propiedadFiltro(), QStringLiteral("FECHA"));

    auto etiqueta = [](const char* texto) {
        auto* l = new QLabel(QString::fromUtf8(texto));
        l->setWordWrap(true);
        return l;
    };
    grids[0]->addWidget(etiqueta("Ingrese el número inicial de Ejercicios"), 0, 0);
    grids[0]->addWidget(TxtFields[0], 1, 0);
    grids[0]->addWidget(etiqueta("Este número de Ejercicio se solicitará por única vez, las próximas veces este número será correlativo"), 2, 0);
    grids[1]->addWidget(etiqueta("Ingrese un Nombre para el nuevo Ejercicio."), 0, 0);
    grids[1]->addWidget(TxtFields[1], 1, 0);
    grids[2]->addWidget(etiqueta("Ingrese las Fechas Desde - Desde del Nuevo Ejercicio Contable"), 0, 0, 1, 2);
    grids[2]->addWidget(etiqueta("Fecha Desde:"), 1, 0);
    grids[2]->addWidget(TxtFields[2], 1, 1);
    grids[2]->addWidget(etiqueta("Fecha Hasta :"), 2, 0);
    grids[2]->addWidget(TxtFields[3], 2, 1);

    CmdAnterior = new QPushButton(QStringLiteral("<< &Atras"));
    CmdAnterior->setObjectName(QStringLiteral("CmdAnterior"));
    CmdSiguiente = new QPushButton(QStringLiteral("&Siguiente >>"));
    CmdSiguiente->setObjectName(QStringLiteral("CmdSiguiente"));
    CmdCancelar = new QPushButton(QStringLiteral("&Cerrar"));
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    for (QPushButton* b : {CmdAnterior, CmdSiguiente, CmdCancelar}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(CmdAnterior, &QPushButton::clicked, this, [this] { CmdAnterior_Click(); });
    connect(CmdSiguiente, &QPushButton::clicked, this, [this] { CmdSiguiente_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdAnterior);
    botones->addWidget(CmdSiguiente);
    botones->addWidget(CmdCancelar);
    auto* v = new QVBoxLayout(this);
    v->addWidget(SSTab1);
    v->addLayout(botones);
    resize(480, 260);
}

WizEjercicio::~WizEjercicio() = default;

QLineEdit* WizEjercicio::campo(const QString& dataField) const
{
    const int i = ControlesFormulario::IndiceCampo({TxtFields.begin(), TxtFields.end()}, dataField);
    return i >= 0 ? TxtFields[size_t(i)] : nullptr;
}

void WizEjercicio::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!cargado_) {
        cargado_ = true;
        Form_Load();
    }
}

void WizEjercicio::Form_Load()
{
    AplicarEstiloFormulario(this);
    centrar(this);
    if (!texto::recortar(pFecha_Desde).isEmpty()) campo(QStringLiteral("FECHA_DESDE"))->setText(texto::recortar(pFecha_Desde));
    if (!texto::recortar(pFecha_Hasta).isEmpty()) campo(QStringLiteral("FECHA_HASTA"))->setText(texto::recortar(pFecha_Hasta));
    campo(QStringLiteral("FECHA_DESDE"))->setEnabled(!pNoHabilitarFdesde);
    CmdCancelar->setEnabled(!pNoHabilitarCancelar);
    CmdAnterior->setEnabled(false);
    SSTab1->setCurrentIndex(pPedirNroEjercicioInicial ? 0 : 1);
    SSTab1_Click();
}

void WizEjercicio::SSTab1_Click()
{
    HayError = false;
    const int tab = SSTab1->currentIndex();
    QLineEdit* nro = campo(QStringLiteral("NRO_PERIODO"));
    QLineEdit* nombre = campo(QStringLiteral("NOMBRE"));
    QLineEdit* desde = campo(QStringLiteral("FECHA_DESDE"));
    QLineEdit* hasta = campo(QStringLiteral("FECHA_HASTA"));
    CmdSiguiente->setEnabled(true);
    switch (tab) {
    case 0:
        CmdSiguiente->setText(QStringLiteral("&Siguiente >>"));
        CmdAnterior->setEnabled(false);
        setTabOrder(nro, CmdSiguiente);
        nro->setFocus();
        break;
    case 1:
        CmdSiguiente->setText(QStringLiteral("&Siguiente >>"));
        CmdAnterior->setEnabled(pPedirNroEjercicioInicial);
        setTabOrder(nombre, CmdSiguiente);
        nombre->setFocus();
        break;
    case 2:
        CmdAnterior->setEnabled(true);
        CmdSiguiente->setText(QStringLiteral("&Terminar"));
        setTabOrder(desde, hasta);
        setTabOrder(hasta, CmdSiguiente);
        // A disabled start date cannot take the focus: the end date does.
        (pPedirNroEjercicioInicial && desde->isEnabled() ? desde : hasta)->setFocus();
        break;
    default:
        break;
    }
}

void WizEjercicio::CmdSiguiente_Click()
{
    if (guardando_) return;
    const int tab = SSTab1->currentIndex();
    if (SSTab1->tabText(tab) != QLatin1String("2")) {
        if (ValidaTab(tab)) {
            SSTab1->setCurrentIndex(tab + 1);
            SSTab1_Click();
        }
        return;
    }
    const bool nombre = ValidaTab(1);
    const bool fechas = ValidaTab(2);
    if (nombre && fechas && Actualizar_Datos()) hide();
}

void WizEjercicio::CmdAnterior_Click()
{
    if (guardando_) return;
    const int tab = SSTab1->currentIndex();
    if (SSTab1->tabText(tab) == QLatin1String("0")) return;
    SSTab1->setCurrentIndex(tab - 1);
    SSTab1_Click();
}

void WizEjercicio::CmdCancelar_Click()
{
    if (guardando_) return;
    hide();
}

void WizEjercicio::reject()
{
    // Escape and the close box: only while "&Cerrar" may be pressed.
    if (guardando_ || !CmdCancelar->isEnabled()) return;
    QDialog::reject();
}

void WizEjercicio::aviso(const QString& mensaje)
{
    HayError = true;
    dialogos().MsgBox(mensaje, plataforma::vbCritical, kTitulo);
}

bool WizEjercicio::ValidaTab(int QueTab)
{
    HayError = false;
    try {
        switch (QueTab) {
        case 0: {
            const QString m = ejercicios::ValidarNumeroEjercicio(ctx_.con(), textoCampo(campo(QStringLiteral("NRO_PERIODO"))));
            if (!m.isEmpty()) aviso(m);
            break;
        }
        case 1:
            if (texto::recortar(textoCampo(campo(QStringLiteral("NOMBRE")))).isEmpty()) aviso(ejercicios::mensajes::sinNombre());
            break;
        case 2: {
            const QString desde = textoCampo(campo(QStringLiteral("FECHA_DESDE")));
            const QString hasta = textoCampo(campo(QStringLiteral("FECHA_HASTA")));
            const QString m = ejercicios::ValidarFechasEjercicio(desde, hasta);
            if (!m.isEmpty()) aviso(m);
            else if (!Lbc_Asiento(ctx_).ValidaRangoFechaEjercicio(desde, hasta)) aviso(ejercicios::mensajes::interfiere());
            break;
        }
        default:
            break;
        }
    } catch (const std::exception& e) {
        HayError = true;
        Utilidades::ManejaError(e, QStringLiteral("ValidaTab"));
    }
    return !HayError;
}

bool WizEjercicio::Actualizar_Datos()
{
    ejercicios::NuevoEjercicio datos;
    datos.pedirNumero = pPedirNroEjercicioInicial;
    datos.numero = textoCampo(campo(QStringLiteral("NRO_PERIODO")));
    datos.nombre = textoCampo(campo(QStringLiteral("NOMBRE")));
    datos.desde = textoCampo(campo(QStringLiteral("FECHA_DESDE")));
    datos.hasta = textoCampo(campo(QStringLiteral("FECHA_HASTA")));

    // Nothing can be pressed, and the window can't be closed, while the year is saved.
    guardando_ = true;
    const bool anterior = CmdAnterior->isEnabled(), cancelar = CmdCancelar->isEnabled();
    for (QPushButton* b : {CmdAnterior, CmdSiguiente, CmdCancelar}) b->setEnabled(false);
    qint16 numero = 0;
    QString rechazo;
    bool guardado = false;
    {
        ProgresoVentana progreso(this, true, false);
        try {
            numero = ejercicios::CrearEjercicio(ctx_, datos, progreso);
            guardado = true;
        } catch (const ejercicios::ErrorEjercicio& e) {
            rechazo = e.descripcion();
        } catch (const std::exception& e) {
            // Rolled back already: reported without offering to go on.
            progreso.Cerrar();
            Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("Actualizar_Datos"));
        }
    }
    guardando_ = false;
    CmdAnterior->setEnabled(anterior);
    CmdSiguiente->setEnabled(true);
    CmdCancelar->setEnabled(cancelar);
    if (!rechazo.isEmpty()) aviso(rechazo);
    if (!guardado) return false;

    pNuevo_Ejercicio = numero;
    pFecha_Desde = datos.desde;
    pFecha_Hasta = datos.hasta;
    pDescripcion = datos.nombre;
    dialogos().MsgBox(ejercicios::mensajes::creado(), plataforma::vbInformation, kTitulo);
    return true;
}

bool WizEjercicio::eventFilter(QObject* o, QEvent* e)
{
    auto* t = qobject_cast<QLineEdit*>(o);
    if (t && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (ControlesFormulario::EsTeclaEnter(k->key())) {
            ControlesFormulario::SiguienteControl(t, k->key());
            return true;
        }
        if (ControlesFormulario::FiltraTecla(t, *k)) return true;
    }
    return QDialog::eventFilter(o, e);
}

} // namespace vexa
