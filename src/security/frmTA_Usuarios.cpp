#include "frmTA_Usuarios.h"

#include "AjustesPrograma.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "Usuarios.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "lbm_Seguridad.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

namespace {
const char* const kCampos[] = {"Usuario", "PASSWORD", "confirmacion", "confirmacion1", "PASSWORD1", "PASSWORDant"};
const QString kUsuarioExistente = QStringLiteral("El Nombre de Usuario Ingresado ya Existe, escriba otro y Vuelva a Intentarlo");

// Enter moves on to the next control of the tab order.
class EnterSigue : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (ControlesFormulario::EsTeclaEnter(k->key())) {
                ControlesFormulario::SiguienteControl(qobject_cast<QWidget*>(o), k->key());
                return true;
            }
        }
        return false;
    }
};

QPushButton* boton(const char* nombre, const QString& texto, QWidget* padre)
{
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    return b;
}

QLabel* titulo(const QString& t, QWidget* parent)
{
    auto* l = new QLabel(t, parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    l->setFont(f);
    return l;
}
} // namespace

frmTA_Usuarios::frmTA_Usuarios(ContextoEmpresa& ctx, const QWidget* formularioMenu, QWidget* parent)
    : QWidget(parent), ctx_(ctx), menu_(formularioMenu)
{
    setObjectName(QStringLiteral("frmTA_Usuarios"));
    setWindowTitle(QStringLiteral("Asistente para crear nuevos Usuarios"));

    auto* filtro = new EnterSigue(this);
    for (int i = 0; i < 6; ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("TxtFields_%1").arg(i));
        e->setProperty(ControlesFormulario::propiedadCampo(), QString::fromLatin1(kCampos[i]));
        e->setMaxLength(i == 0 ? 50 : 10);
        if (i > 0) e->setEchoMode(QLineEdit::Password);
        e->installEventFilter(filtro);
        TxtFields.push_back(e);
    }

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    // The wizard moves between its steps with its own buttons.
    SSTab1->tabBar()->hide();
    SSTab1->addTab(paginaNombre(), QStringLiteral("0"));
    SSTab1->addTab(paginaContrasena(), QStringLiteral("1"));
    SSTab1->addTab(paginaUsuarios(), QStringLiteral("2"));
    SSTab1->addTab(paginaEstablecer(), QStringLiteral("3"));
    armarMarco();
    conectar();

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    MuestraPasoInicial(false);
}

// Step 0: the new user's name.
QWidget* frmTA_Usuarios::paginaNombre()
{
    auto* p0 = new QWidget;
    auto* g0 = new QGridLayout(p0);
    g0->addWidget(titulo(QStringLiteral("Crear Nuevo Usuario"), p0), 0, 0, 1, 2);
    auto* pista = new QLabel(QStringLiteral("El Nombre de usuario  puede tener un máximo de 50 caracteres"), p0);
    pista->setWordWrap(true);
    g0->addWidget(pista, 1, 0, 1, 2);
    g0->addWidget(new QLabel(QStringLiteral("Nombre de Usuario"), p0), 2, 0);
    g0->addWidget(campo(QStringLiteral("Usuario")), 2, 1);
    g0->setRowStretch(3, 1);
    return p0;
}

// Step 1: its password.
QWidget* frmTA_Usuarios::paginaContrasena()
{
    auto* p1 = new QWidget;
    auto* g1 = new QGridLayout(p1);
    g1->addWidget(titulo(QStringLiteral("Contraseña"), p1), 0, 0, 1, 2);
    lblPass = new QLabel(p1);
    lblPass->setObjectName(QStringLiteral("lblPass"));
    lblPass->setWordWrap(true);
    lblPass->setMinimumHeight(lblPass->fontMetrics().lineSpacing() * 3);
    g1->addWidget(lblPass, 1, 0, 1, 2);
    g1->addWidget(new QLabel(QStringLiteral("Contraseña"), p1), 2, 0);
    g1->addWidget(campo(QStringLiteral("PASSWORD")), 2, 1);
    g1->addWidget(new QLabel(QStringLiteral("Confirmación"), p1), 3, 0);
    g1->addWidget(campo(QStringLiteral("confirmacion")), 3, 1);
    g1->setRowStretch(4, 1);
    return p1;
}

// Step 2: the users.
QWidget* frmTA_Usuarios::paginaUsuarios()
{
    auto* p2 = new QWidget;
    auto* g2 = new QGridLayout(p2);
    g2->addWidget(new QLabel(QStringLiteral("Usuarios Habilitados"), p2), 0, 0);
    LstUsuarios = new QListWidget(p2);
    LstUsuarios->setObjectName(QStringLiteral("LstUsuarios"));
    g2->addWidget(LstUsuarios, 1, 0);
    auto* marco = new QGroupBox(p2);
    auto* vm = new QVBoxLayout(marco);
    CmdEstablecer = boton("CmdEstablecer", QStringLiteral("&Establecer Contraseña"), marco);
    CmdEliminar = boton("CmdEliminar", QStringLiteral("&Eliminar"), marco);
    CmdCrearNuevo = boton("CmdCrearNuevo", QStringLiteral("Crear &Nuevo"), marco);
    vm->addWidget(CmdEstablecer);
    vm->addWidget(CmdEliminar);
    vm->addWidget(CmdCrearNuevo);
    vm->addStretch(1);
    g2->addWidget(marco, 1, 1);
    return p2;
}

// Step 3: a user's password change.
QWidget* frmTA_Usuarios::paginaEstablecer()
{
    auto* p3 = new QWidget;
    auto* g3 = new QGridLayout(p3);
    g3->addWidget(titulo(QStringLiteral("Establecer Contraseña"), p3), 0, 0, 1, 2);
    lblEstablecer = new QLabel(p3);
    lblEstablecer->setObjectName(QStringLiteral("lblEstablecer"));
    lblEstablecer->setWordWrap(true);
    lblEstablecer->setMinimumHeight(lblEstablecer->fontMetrics().lineSpacing() * 3);
    g3->addWidget(lblEstablecer, 1, 0, 1, 2);
    g3->addWidget(new QLabel(QStringLiteral("Contraseña Anterior"), p3), 2, 0);
    g3->addWidget(campo(QStringLiteral("PASSWORDant")), 2, 1);
    g3->addWidget(new QLabel(QStringLiteral("Nueva Contraseña"), p3), 3, 0);
    g3->addWidget(campo(QStringLiteral("PASSWORD1")), 3, 1);
    g3->addWidget(new QLabel(QStringLiteral("Confirmación"), p3), 4, 0);
    g3->addWidget(campo(QStringLiteral("confirmacion1")), 4, 1);
    g3->setRowStretch(5, 1);
    return p3;
}

// The picture beside the steps and the wizard's buttons under them.
void frmTA_Usuarios::armarMarco()
{
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(64, 64));
    Picture1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    CmdCancelar = boton("CmdCancelar", QStringLiteral("&Cerrar"), this);
    CmdAnterior = boton("CmdAnterior", QStringLiteral("<< &Atras"), this);
    CmdSiguiente = boton("CmdSiguiente", QStringLiteral("&Siguiente >>"), this);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(Picture1);
    arriba->addWidget(SSTab1, 1);
    auto* abajo = new QHBoxLayout;
    abajo->addStretch(1);
    abajo->addWidget(CmdAnterior);
    abajo->addWidget(CmdSiguiente);
    abajo->addWidget(CmdCancelar);
    auto* v = new QVBoxLayout(this);
    v->addLayout(arriba, 1);
    v->addLayout(abajo);
    resize(560, 330);
}

void frmTA_Usuarios::conectar()
{
    connect(SSTab1, &QTabWidget::currentChanged, this, [this] { SSTab1_Click(); });
    connect(CmdSiguiente, &QPushButton::clicked, this, [this] { CmdSiguiente_Click(); });
    connect(CmdAnterior, &QPushButton::clicked, this, [this] { CmdAnterior_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { close(); });
    connect(CmdCrearNuevo, &QPushButton::clicked, this, [this] { CmdCrearNuevo_Click(); });
    connect(CmdEstablecer, &QPushButton::clicked, this, [this] { CmdEstablecer_Click(); });
    connect(CmdEliminar, &QPushButton::clicked, this, [this] { CmdEliminar_Click(); });
}

QLineEdit* frmTA_Usuarios::campo(const QString& nombre) const
{
    const int i = ControlesFormulario::IndiceCampo(TxtFields, nombre);
    return i >= 0 ? TxtFields[i] : nullptr;
}

int frmTA_Usuarios::paso() const { return SSTab1->currentIndex(); }

void frmTA_Usuarios::seleccionarPaso(int n)
{
    if (SSTab1->currentIndex() == n) SSTab1_Click();
    else SSTab1->setCurrentIndex(n);
}

void frmTA_Usuarios::aviso(const QString& texto)
{
    dialogos().MsgBox(texto, vbCritical, QStringLiteral("Aviso al operador"));
}

void frmTA_Usuarios::errorDeDatos(const std::exception& e, const QString& procedimiento)
{
    // A database's text may quote the row it refused: no typed password nor its
    // stored form reaches the operator or the error log.
    QString d = descripcionDeError(e);
    for (size_t i = 1; i < TxtFields.size(); ++i)
        for (const QString& clave : {TxtFields[i]->text(), texto::recortar(TxtFields[i]->text())}) {
            // Too short a text would blot out ordinary words of the message.
            if (clave.size() >= 2) d.replace(CodificaClave(clave), QStringLiteral("****"));
            if (clave.size() >= 3) d.replace(clave, QStringLiteral("****"));
        }
    Utilidades::InformaError(numeroDeError(e), d, procedimiento);
}

void frmTA_Usuarios::ocupado(bool si)
{
    ocupado_ = si;
    for (QPushButton* b : {CmdCancelar, CmdAnterior, CmdSiguiente, CmdEstablecer, CmdEliminar, CmdCrearNuevo}) b->setEnabled(!si);
    if (!si) SSTab1_Click(); // the step's own button states
}

void frmTA_Usuarios::closeEvent(QCloseEvent* e)
{
    if (ocupado_) e->ignore();
    else QWidget::closeEvent(e);
}

void frmTA_Usuarios::MuestraPasoInicial(bool forzarCreacion)
{
    bool hay = false;
    try {
        hay = !UsuariosDelSistema(ctx_.con()).isEmpty();
    } catch (const std::exception& e) {
        errorDeDatos(e, QStringLiteral("MuestraPasoInicial"));
    }
    if (!hay || forzarCreacion) {
        seleccionarPaso(0);
    } else {
        seleccionarPaso(2);
        ListaUsuarios();
    }
}

void frmTA_Usuarios::SSTab1_Click()
{
    const int n = paso();
    switch (n) {
    case 0:
        CmdSiguiente->setEnabled(true);
        CmdSiguiente->setText(QStringLiteral("&Siguiente >>"));
        CmdAnterior->setEnabled(false);
        setTabOrder(campo(QStringLiteral("Usuario")), CmdSiguiente);
        campo(QStringLiteral("Usuario"))->setFocus();
        break;
    case 1:
        CmdSiguiente->setEnabled(true);
        CmdSiguiente->setText(QStringLiteral("Finalizar"));
        CmdAnterior->setEnabled(true);
        lblPass->setText(QStringLiteral("Escriba una Contraseña para ") + texto::recortar(campo(QStringLiteral("Usuario"))->text()) +
                         QStringLiteral(" en el primer cuadro, y luego confirmelo en el segundo"));
        setTabOrder(campo(QStringLiteral("PASSWORD")), campo(QStringLiteral("confirmacion")));
        setTabOrder(campo(QStringLiteral("confirmacion")), CmdSiguiente);
        campo(QStringLiteral("PASSWORD"))->setFocus();
        break;
    case 2:
        break;
    case 3:
        lblEstablecer->setText(QStringLiteral("Escriba la Contraseña Anterior de ") + elegido_ +
                               QStringLiteral(" en el primer cuadro, en el segundo escriba la nueva, y luego confirmelo en el tercero"));
        CmdSiguiente->setEnabled(true);
        CmdSiguiente->setText(QStringLiteral("Finalizar"));
        CmdAnterior->setEnabled(true);
        setTabOrder(campo(QStringLiteral("PASSWORDant")), campo(QStringLiteral("PASSWORD1")));
        setTabOrder(campo(QStringLiteral("PASSWORD1")), campo(QStringLiteral("confirmacion1")));
        setTabOrder(campo(QStringLiteral("confirmacion1")), CmdSiguiente);
        campo(QStringLiteral("PASSWORDant"))->setFocus();
        break;
    }
    Picture1->setVisible(n != 2);
    CmdSiguiente->setVisible(n != 2);
    CmdAnterior->setVisible(n <= 1);
}

void frmTA_Usuarios::CmdSiguiente_Click()
{
    if (ocupado_) return;
    const int n = paso();
    if (n == 1) {
        if (ValidaTab(1) && GrabaUsuario()) seleccionarPaso(2);
    } else if (n == 3) {
        if (!ValidaTab(3)) return;
        bool cambiada = false;
        ocupado(true);
        try {
            cambiada = CambiaClave(ctx_.con(), elegido_, campo(QStringLiteral("PASSWORD1"))->text());
        } catch (const std::exception& e) {
            ocupado(false);
            errorDeDatos(e, QStringLiteral("EstablecerContraseña"));
            return;
        }
        ocupado(false);
        if (!cambiada) aviso(QStringLiteral("El Usuario especificado no Existe!!!"));
        for (QLineEdit* c : TxtFields) c->clear();
        ListaUsuarios();
        seleccionarPaso(2);
    } else if (ValidaTab(n)) {
        seleccionarPaso(n + 1);
    }
}

void frmTA_Usuarios::CmdAnterior_Click()
{
    if (paso() > 0) seleccionarPaso(paso() - 1);
}

void frmTA_Usuarios::CmdCrearNuevo_Click() { MuestraPasoInicial(true); }

void frmTA_Usuarios::CmdEstablecer_Click()
{
    QListWidgetItem* it = LstUsuarios->currentItem();
    const QString sel = it ? texto::recortar(it->text()) : QString();
    if (sel.isEmpty()) return;
    elegido_ = sel;
    seleccionarPaso(3);
}

void frmTA_Usuarios::CmdEliminar_Click()
{
    QListWidgetItem* it = LstUsuarios->currentItem();
    const QString sel = it ? texto::recortar(it->text()) : QString();
    if (sel.isEmpty()) {
        aviso(QStringLiteral("Debe Seleccionar Primero  un Usuario!!!"));
        return;
    }
    if (dialogos().MsgBox(QStringLiteral("Realmente Desea eliminar a este usuario"), vbCritical | vbYesNo,
                          QStringLiteral("Aviso al operador")) != vbYes)
        return;
    bool eliminado = false;
    ocupado(true);
    try {
        eliminado = EliminaUsuario(ctx_.con(), sel);
    } catch (const std::exception& e) {
        ocupado(false);
        errorDeDatos(e, QStringLiteral("CmdEliminar_Click"));
        return;
    }
    ocupado(false);
    if (!eliminado) aviso(QStringLiteral("El Usuario especificado no Existe!!!"));
    ListaUsuarios();
}

bool frmTA_Usuarios::ValidaTab(int n)
{
    HayError = false;
    auto falla = [this](const QString& m) {
        aviso(m);
        HayError = true;
        return false;
    };
    auto valor = [this](const char* c) { return texto::recortar(campo(QString::fromLatin1(c))->text()); };
    try {
        switch (n) {
        case 0:
            if (valor("Usuario").isEmpty()) return falla(QStringLiteral("Es necesario que ingrese un nombre de Usuario"));
            if (ExisteUsuario(ctx_.con(), valor("Usuario"))) return falla(kUsuarioExistente);
            break;
        case 1:
            if (valor("PASSWORD").isEmpty()) return falla(QStringLiteral("Debe informar una Contraseña"));
            if (!ClaveRepresentable(campo(QStringLiteral("PASSWORD"))->text()))
                return falla(QStringLiteral("La Contraseña contiene caracteres no permitidos"));
            if (!texto::igual(valor("confirmacion"), valor("PASSWORD")))
                return falla(QStringLiteral("La confirmación de la Contraseña no coincide"));
            break;
        case 3: {
            if (valor("PASSWORD1").isEmpty()) return falla(QStringLiteral("Debe informar una contraseña"));
            if (!ClaveRepresentable(valor("PASSWORD1"))) return falla(QStringLiteral("La Contraseña contiene caracteres no permitidos"));
            const auto guardada = ClaveGuardada(ctx_.con(), elegido_);
            if (!guardada) {
                aviso(QStringLiteral("El Usuario especificado no Existe!!!"));
                HayError = true;
                for (QLineEdit* c : TxtFields) c->clear();
                ListaUsuarios();
                seleccionarPaso(2);
                return false;
            }
            if (!ClaveAnteriorCorrecta(*guardada, valor("PASSWORDant")))
                return falla(QStringLiteral("La Contraseña anterior no es correcta"));
            if (!texto::igual(valor("confirmacion1"), valor("PASSWORD1")))
                return falla(QStringLiteral("La confirmación de la Contraseña no coincide"));
            break;
        }
        default:
            break;
        }
    } catch (const std::exception& e) {
        errorDeDatos(e, QStringLiteral("ValidaTab"));
        HayError = true;
        return false;
    }
    return true;
}

bool frmTA_Usuarios::ListaUsuarios()
{
    QStringList usuarios;
    try {
        usuarios = UsuariosDelSistema(ctx_.con());
    } catch (const std::exception& e) {
        errorDeDatos(e, QStringLiteral("ListaUsuarios"));
        return false;
    }
    LstUsuarios->clear();
    LstUsuarios->addItems(usuarios);
    if (LstUsuarios->count() > 0) LstUsuarios->setCurrentRow(0);
    return true;
}

bool frmTA_Usuarios::GrabaUsuario()
{
    QStringList tareas;
    if (menu_)
        for (QAction* a : itemsMenu(*menu_)) tareas << tagDe(a);
    ocupado(true);
    try {
        CreaUsuario(ctx_.con(), campo(QStringLiteral("Usuario"))->text(), campo(QStringLiteral("PASSWORD"))->text(), tareas);
    } catch (const ErrorBD& e) {
        ocupado(false);
        if (!e.esClaveDuplicada()) {
            errorDeDatos(e, QStringLiteral("GrabaUsuario"));
            return false;
        }
        // Another station created the same name since the name was checked.
        aviso(kUsuarioExistente);
        seleccionarPaso(0);
        return false;
    } catch (const std::exception& e) {
        ocupado(false);
        errorDeDatos(e, QStringLiteral("GrabaUsuario"));
        return false;
    }
    ocupado(false);
    ListaUsuarios();
    for (QLineEdit* c : TxtFields) c->clear();
    return true;
}

} // namespace vexa
