#include "FrmTareas.h"

#include "AjustesPrograma.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "DefinirConsulta.h"
#include "Dialogos.h"
#include "ProgresoVentana.h"
#include "Usuarios.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "lbm_Seguridad.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

namespace {
// Visible, and so is every menu above it.
bool visibleDeVerdad(QAction* a, const QHash<QMenu*, QAction*>& padres)
{
    for (int n = 0; a && n < 32; ++n) {
        if (!a->isVisible()) return false;
        QAction* padre = nullptr;
        for (QObject* o : a->associatedObjects())
            if (auto* m = qobject_cast<QMenu*>(o)) padre = padres.value(m);
        a = padre;
    }
    return true;
}
} // namespace

FrmTareas::FrmTareas(ContextoEmpresa& ctx, QWidget* formularioMenu, QWidget* parent)
    : QWidget(parent), ctx_(ctx), menu_(formularioMenu)
{
    setObjectName(QStringLiteral("FrmTareas"));
    setWindowTitle(QStringLiteral("Autorización de Tareas "));

    UtilTeb1 = new UtilTeb(this);
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, &FrmTareas::UtilTeb1_ButtonClick);
    TxtFields = new QLineEdit(this);
    TxtFields->setObjectName(QStringLiteral("TxtFields"));
    TxtFields->setMaxLength(50);
    TxtFields->installEventFilter(this);

    FrmDetalle = new QGroupBox(this);
    FrmDetalle->setObjectName(QStringLiteral("FrmDetalle"));
    LstTareas = new QListWidget(FrmDetalle);
    LstTareas->setObjectName(QStringLiteral("LstTareas"));
    QFont fija(QStringLiteral("Courier New"));
    fija.setStyleHint(QFont::TypeWriter);
    fija.setFixedPitch(true);
    LstTareas->setFont(fija);
    CmdMarcarTodos = new QPushButton(QStringLiteral("&Seleccionar Todo"), FrmDetalle);
    CmdMarcarTodos->setObjectName(QStringLiteral("CmdMarcarTodos"));
    CmdDesmarcarTodo = new QPushButton(QStringLiteral("&Deseleccionar Todo"), FrmDetalle);
    CmdDesmarcarTodo->setObjectName(QStringLiteral("CmdDesmarcarTodo"));
    connect(CmdMarcarTodos, &QPushButton::clicked, this, [this] { CmdMarcarTodos_Click(); });
    connect(CmdDesmarcarTodo, &QPushButton::clicked, this, [this] { CmdDesmarcarTodo_Click(); });
    connect(LstTareas, &QListWidget::itemChanged, this, [this](QListWidgetItem* it) { LstTareas_ItemCheck(it); });

    auto* fila = new QHBoxLayout;
    fila->addWidget(new QLabel(QStringLiteral("Usuario:"), this));
    fila->addWidget(TxtFields, 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(CmdMarcarTodos);
    botones->addWidget(CmdDesmarcarTodo);
    botones->addStretch(1);
    auto* vd = new QVBoxLayout(FrmDetalle);
    vd->addWidget(LstTareas, 1);
    vd->addLayout(botones);
    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addLayout(fila);
    v->addWidget(FrmDetalle, 1);
    resize(560, 520);

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    Inicializa();
    if (menu_) {
        const QList<QAction*> items = itemsMenu(*menu_);
        QHash<QMenu*, QAction*> padres;
        for (QAction* a : items)
            if (a->menu()) padres.insert(a->menu(), a);
        marcando_ = true;
        for (QAction* a : items) {
            const QString tag = texto::recortar(tagDe(a));
            if (a->isSeparator() || texto::recortar(a->text()) == QLatin1String("-") || tag.isEmpty()) continue;
            if (!visibleDeVerdad(a, padres)) continue;
            const QString caption = texto::recortar(Utilidades::QuitaCaracteres(a->text(), QStringLiteral("&")));
            auto* it = new QListWidgetItem(QString(std::max<int>(tag.size() - 2, 0), u' ') + caption, LstTareas);
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
            it->setCheckState(texto::igual(caption, QStringLiteral("SALIR")) || tag.size() == 2 ? Qt::Checked : Qt::Unchecked);
            CodigosTareas << tag;
        }
        marcando_ = false;
    }
    if (LstTareas->count() > 0) LstTareas->setCurrentRow(0);
}

void FrmTareas::Inicializa()
{
    TxtFields->clear();
    usuario_.clear();
    HayError = false;
    DetalleOn(false);
}

void FrmTareas::DetalleOn(bool estado)
{
    for (const QString& k : UtilTeb::claves()) UtilTeb1->setHabilitado(k, false);
    UtilTeb1->setHabilitado(QStringLiteral("CONSULTAR"), true);
    UtilTeb1->setHabilitado(QStringLiteral("CERRAR"), true);
    UtilTeb1->setHabilitado(QStringLiteral("GRABAR"), estado);
    UtilTeb1->setHabilitado(QStringLiteral("CANCELAR"), estado);
    FrmDetalle->setEnabled(estado);
}

bool FrmTareas::siempreMarcado(const QListWidgetItem* it) const
{
    const QString t = it->text();
    return t.left(2) != QLatin1String("  ") || texto::igual(texto::recortar(t), QStringLiteral("SALIR")) ||
           texto::contiene(t, QStringLiteral("CERRAR SESIÓN"));
}

void FrmTareas::LstTareas_ItemCheck(QListWidgetItem* it)
{
    if (marcando_ || !it) return;
    if (siempreMarcado(it) && it->checkState() != Qt::Checked) {
        marcando_ = true;
        it->setCheckState(Qt::Checked);
        marcando_ = false;
    }
}

void FrmTareas::Campo_Valida()
{
    const QString nombre = texto::recortar(TxtFields->text());
    if (nombre.isEmpty()) {
        usuario_.clear();
        DetalleOn(false);
        return;
    }
    bool existe = false;
    try {
        existe = ExisteUsuario(ctx_.con(), nombre);
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("Campo_Valida"));
        return;
    }
    if (!existe) {
        dialogos().MsgBox(QStringLiteral("El Usuario especificado no Existe!!!"), vbCritical, QStringLiteral("Aviso al operador"));
        usuario_.clear();
        DetalleOn(false);
        return;
    }
    Asignar_Datos(nombre);
    if (usuario_.isEmpty()) return;
    DetalleOn(true);
}

void FrmTareas::Asignar_Datos(const QString& usuario)
{
    QSet<QString> concedidas;
    try {
        concedidas = TareasConcedidas(ctx_.con(), usuario);
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("Asignar_Datos"));
        return;
    }
    InicializaLST();
    // In list order, so that the result does not depend on the rows' order.
    for (const QString& c : CodigosTareas)
        if (concedidas.contains(c.toUpper())) Marcar_Menu(c);
    if (LstTareas->count() > 0) LstTareas->setCurrentRow(0);
    usuario_ = usuario;
}

void FrmTareas::Marcar_Menu(const QString& codigo)
{
    const QString c = texto::recortar(codigo);
    for (int i = 0; i < CodigosTareas.size(); ++i)
        if (texto::igual(CodigosTareas[i], c)) {
            LstTareas->item(i)->setCheckState(Qt::Checked);
            return;
        }
}

void FrmTareas::InicializaLST()
{
    for (int i = 0; i < LstTareas->count(); ++i) LstTareas->item(i)->setCheckState(Qt::Unchecked); // the always-checked come back
    if (LstTareas->count() > 0) LstTareas->setCurrentRow(0);
}

void FrmTareas::CmdMarcarTodos_Click()
{
    for (int i = 0; i < LstTareas->count(); ++i) LstTareas->item(i)->setCheckState(Qt::Checked);
}

void FrmTareas::CmdDesmarcarTodo_Click() { InicializaLST(); }

QStringList FrmTareas::tareasMarcadas() const
{
    QStringList r;
    for (int i = 0; i < LstTareas->count(); ++i)
        if (LstTareas->item(i)->checkState() == Qt::Checked) r << CodigosTareas.value(i);
    return r;
}

void FrmTareas::UtilTeb1_ButtonClick(const QString& clave)
{
    if (ocupado_) return;
    const QString k = clave.toUpper();
    if (k == QLatin1String("CERRAR")) {
        close();
    } else if (k == QLatin1String("CONSULTAR")) {
        ConsultaUsuario();
    } else if (k == QLatin1String("GRABAR")) {
        Actualizar_Datos();
        if (!HayError) Inicializa();
    } else if (k == QLatin1String("CANCELAR")) {
        Inicializa();
    }
}

void FrmTareas::Actualizar_Datos()
{
    // The user validated and loaded, whatever the field holds by now.
    const QString usuario = usuario_;
    if (usuario.isEmpty()) {
        HayError = true;
        return;
    }
    HayError = false;
    ocupado_ = true;
    setEnabled(false);
    try {
        ProgresoVentana progreso(this, true, false);
        GrabaTareas(ctx_.con(), usuario, tareasMarcadas(), &progreso);
    } catch (const std::exception& e) {
        setEnabled(true);
        ocupado_ = false;
        HayError = true;
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("Actualizar_Datos"));
        return;
    }
    setEnabled(true);
    ocupado_ = false;
    if (texto::igual(usuario, texto::recortar(ctx_.usuario)) &&
        dialogos().MsgBox(QStringLiteral("Desea aplicar los cambios Realizados?"), vbQuestion | vbYesNo) == vbYes) {
        if (menu_) {
            try {
                AplicaPermisos(usuario, *menu_, ctx_.con());
            } catch (const std::exception& e) {
                Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("AplicaPermisos"));
            }
        }
        return;
    }
    dialogos().MsgBox(QStringLiteral("Los cambios Realizados se aplicarán la proxima vez que se ingrese al sistema"), vbInformation,
                      QStringLiteral("Aviso al operador"));
}

void FrmTareas::ConsultaUsuario()
{
    ColumnasConsulta columnas;
    QString elegido;
    try {
        elegido = DefinirConsulta(ctx_.con(), QStringLiteral("TA_USUARIOS"), columnas, true);
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("ConsultaUsuario"));
        return;
    }
    TxtFields->setText(texto::recortar(elegido));
    Campo_Valida();
}

void FrmTareas::keyPressEvent(QKeyEvent* e)
{
    if (UtilTeb1->Tecla(e->key(), e->modifiers())) return;
    QWidget::keyPressEvent(e);
}

bool FrmTareas::eventFilter(QObject* o, QEvent* e)
{
    if (o == TxtFields && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (ControlesFormulario::EsTeclaEnter(k->key())) {
            Campo_Valida();
            return true;
        }
        if (UtilTeb1->Tecla(k->key(), k->modifiers())) return true;
    }
    return QWidget::eventFilter(o, e);
}

void FrmTareas::closeEvent(QCloseEvent* e)
{
    if (ocupado_) e->ignore();
    else QWidget::closeEvent(e);
}

} // namespace vexa
