#include "FrmDefVistas.h"

#include "AjustesPrograma.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "VistasDatos.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

FrmDefVistas::FrmDefVistas(ContextoEmpresa& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmDefVistas"));
    setWindowTitle(QStringLiteral("Definición de Atributos Operativos"));
    crearNombre();

    lstTodos = new QListWidget(this);
    lstTodos->setObjectName(QStringLiteral("lstTodos"));
    lstSeleccionado = new QListWidget(this);
    lstSeleccionado->setObjectName(QStringLiteral("lstSeleccionado"));
    connect(lstTodos, &QListWidget::itemDoubleClicked, this, [this] { cmdAgregar_Click(); });
    connect(lstSeleccionado, &QListWidget::itemDoubleClicked, this, [this] { cmdQuitar_Click(); });

    crearBotones();
    crearClase();
    disponer();

    // Form_Load
    AplicarEstiloFormulario(this);
    ventanas::PreparaFormulario(this);
    Inicializa();
}

// The view's name: an editable list of the stored views.
void FrmDefVistas::crearNombre()
{
    CmbDefinicion = new QComboBox(this);
    CmbDefinicion->setObjectName(QStringLiteral("CmbDefinicion"));
    CmbDefinicion->setEditable(true);
    CmbDefinicion->setInsertPolicy(QComboBox::NoInsert);
    CmbDefinicion->lineEdit()->setMaxLength(vistas::AnchoNombre());
    CmbDefinicion->lineEdit()->installEventFilter(this);
    // A view is read back only when the operator chooses it from the list or
    // confirms a typed name with Enter. The editable box would otherwise do
    // it on its own: it completes a typed name with a stored one ("Mayor"
    // became "Mayoristas") and, on leaving the box (to move fields), selects
    // the stored view whose name the text matches, whose fields and class
    // (Cliente) then replaced what the operator had set.
    CmbDefinicion->setCompleter(nullptr);
    disconnect(CmbDefinicion->lineEdit(), &QLineEdit::editingFinished, CmbDefinicion, nullptr);
    connect(CmbDefinicion, &QComboBox::activated, this, [this](int) { CmbDefinicion_Click(); });
}

void FrmDefVistas::crearBotones()
{
    auto boton = [this](const char* nombre, const QString& texto, void (FrmDefVistas::*accion)()) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, accion] { (this->*accion)(); });
        return b;
    };
    cmdAgregar = boton("cmdAgregar", QStringLiteral(">"), &FrmDefVistas::cmdAgregar_Click);
    cmdAgregarTodos = boton("cmdAgregarTodos", QStringLiteral(">>"), &FrmDefVistas::cmdAgregarTodos_Click);
    cmdQuitar = boton("cmdQuitar", QStringLiteral("<"), &FrmDefVistas::cmdQuitar_Click);
    cmdQuitartodos = boton("cmdQuitartodos", QStringLiteral("<<"), &FrmDefVistas::cmdQuitartodos_Click);
    cmdSubir = boton("cmdSubir", QStringLiteral("▲"), &FrmDefVistas::cmdSubir_Click);
    cmdBajar = boton("cmdBajar", QStringLiteral("▼"), &FrmDefVistas::cmdBajar_Click);
    cmdSubir->setToolTip(QStringLiteral("Subir"));
    cmdBajar->setToolTip(QStringLiteral("Bajar"));
    CmdAceptar = boton("CmdAceptar", QStringLiteral("&Actualizar"), &FrmDefVistas::CmdAceptar_Click);
    CmdCancelar = new QPushButton(QStringLiteral("&Cerrar"), this);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    CmdCancelar->setAutoDefault(false);
    connect(CmdCancelar, &QPushButton::clicked, this, &QWidget::close);
}

// The view's class: one option per kind of view.
void FrmDefVistas::crearClase()
{
    FraClase = new QGroupBox(QStringLiteral("Clase"), this);
    FraClase->setObjectName(QStringLiteral("FraClase"));
    auto* clases = new QHBoxLayout(FraClase);
    int i = 0;
    for (const vistas::TipoVista& t : vistas::TiposVista()) {
        auto* o = new QRadioButton(t.Titulo, FraClase);
        o->setObjectName(QStringLiteral("OptTipo_%1").arg(i++));
        o->setProperty("Tag", t.Etiqueta);
        clases->addWidget(o);
        OptTipo.push_back(o);
    }
}

void FrmDefVistas::disponer()
{
    auto* nombre = new QHBoxLayout;
    auto* lblNombre = new QLabel(QStringLiteral("Nombre "), this);
    lblNombre->setBuddy(CmbDefinicion);
    nombre->addWidget(lblNombre);
    nombre->addWidget(CmbDefinicion, 1);

    auto* medio = new QVBoxLayout;
    medio->addStretch(1);
    for (QPushButton* b : {cmdAgregar, cmdAgregarTodos, cmdQuitar, cmdQuitartodos}) medio->addWidget(b);
    medio->addStretch(1);
    auto* orden = new QVBoxLayout;
    orden->addStretch(1);
    orden->addWidget(cmdSubir);
    orden->addWidget(cmdBajar);
    orden->addStretch(1);

    auto* listas = new QGridLayout;
    listas->addWidget(new QLabel(QStringLiteral("Todos los campos"), this), 0, 0);
    listas->addWidget(new QLabel(QStringLiteral("Campos Seleccionados"), this), 0, 2);
    listas->addWidget(lstTodos, 1, 0);
    listas->addLayout(medio, 1, 1);
    listas->addWidget(lstSeleccionado, 1, 2);
    listas->addLayout(orden, 1, 3);

    auto* abajo = new QHBoxLayout;
    abajo->addStretch(1);
    abajo->addWidget(CmdAceptar);
    abajo->addWidget(CmdCancelar);

    auto* v = new QVBoxLayout(this);
    v->addLayout(nombre);
    v->addLayout(listas, 1);
    v->addWidget(FraClase);
    v->addLayout(abajo);
    resize(560, 360);
}

bool FrmDefVistas::hayNombre() const { return !texto::recortar(CmbDefinicion->currentText()).isEmpty(); }

QString FrmDefVistas::tipoElegido() const
{
    for (QRadioButton* o : OptTipo)
        if (o->isChecked()) return o->property("Tag").toString();
    return QString();
}

QStringList FrmDefVistas::camposSeleccionados() const
{
    QStringList r;
    for (int i = 0; i < lstSeleccionado->count(); ++i) r << lstSeleccionado->item(i)->text();
    return r;
}

void FrmDefVistas::Inicializa()
{
    OptTipo.back()->setChecked(true);
    Asignar_Campos();
    Cargar_ListaDefiniciones();
}

void FrmDefVistas::Asignar_Campos(const QStringList* seleccionados)
{
    EjecutarPasos(QStringLiteral("Asignar_Campos"), {[&] {
                      lstTodos->clear();
                      if (!seleccionados) {
                          lstSeleccionado->clear();
                          lstTodos->addItems(vistas::CamposOfrecidos());
                      } else {
                          lstTodos->addItems(vistas::CamposDisponibles(*seleccionados));
                      }
                  }});
}

void FrmDefVistas::Cargar_ListaDefiniciones()
{
    EjecutarPasos(QStringLiteral("Cargar_ListaDefiniciones"), {[&] {
                      const QStringList nombres = vistas::NombresVistas(ctx_.con());
                      CmbDefinicion->clear();
                      CmbDefinicion->addItems(nombres);
                      CmbDefinicion->setCurrentIndex(-1);
                      CmbDefinicion->setEditText(QString());
                  }});
}

void FrmDefVistas::Obtener_Campos(const QString& nombre)
{
    EjecutarPasos(QStringLiteral("Obtener Campos"), {[&] {
                      const vistas::DefinicionVista d = vistas::LeerVista(ctx_.con(), nombre);
                      lstTodos->clear();
                      lstSeleccionado->clear();
                      lstSeleccionado->addItems(d.campos);
                      // A view without rows keeps the class chosen.
                      for (QRadioButton* o : OptTipo)
                          if (!d.tipo.isEmpty() && texto::igual(o->property("Tag").toString(), d.tipo)) o->setChecked(true);
                      Asignar_Campos(&d.campos);
                  }});
}

bool FrmDefVistas::Guardar_Campos(const QString& nombre)
{
    if (texto::recortar(nombre).isEmpty()) return false;
    return EjecutarPasos(QStringLiteral("Guardar Campos"), {[&] {
                             vistas::GuardarVista(ctx_.con(), nombre, camposSeleccionados(), tipoElegido());
                         }},
                         {}, &ctx_.con());
}

void FrmDefVistas::CmbDefinicion_Click() { Obtener_Campos(texto::recortar(CmbDefinicion->currentText())); }

void FrmDefVistas::CmbDefinicion_KeyDown(int tecla)
{
    if (!ControlesFormulario::EsTeclaEnter(tecla)) return;
    const QString nombre = texto::recortar(CmbDefinicion->currentText());
    if (nombre.isEmpty()) return;
    int indice = -1;
    for (int i = 0; i < CmbDefinicion->count(); ++i)
        if (texto::igual(texto::recortar(CmbDefinicion->itemText(i)), nombre)) indice = i; // names are one without regard to case
    if (indice < 0) {
        if (dialogos().MsgBox(vistas::MensajeVistaNueva(), vbYesNo | vbQuestion, QStringLiteral("Aviso al operador")) != vbYes)
            return;
        CmbDefinicion->addItem(nombre);
        CmbDefinicion->setCurrentIndex(CmbDefinicion->count() - 1);
        Obtener_Campos(nombre);
        return;
    }
    CmbDefinicion->setCurrentIndex(indice);
    Obtener_Campos(texto::recortar(CmbDefinicion->itemText(indice)));
}

void FrmDefVistas::CmdAceptar_Click()
{
    const QString nombre = texto::recortar(CmbDefinicion->currentText());
    if (nombre.isEmpty()) return;
    if (vistas::EsVistaPredefinida(nombre)) {
        dialogos().MsgBox(vistas::MensajeVistaPredefinida(), vbCritical, QStringLiteral("Aviso al operador"));
        return;
    }
    // The lists are cleared only once the view is stored.
    if (Guardar_Campos(nombre)) Inicializa();
}

void FrmDefVistas::pasar(QListWidget* desde, QListWidget* hacia)
{
    const int fila = desde->currentRow();
    if (fila < 0) return;
    QListWidgetItem* item = desde->takeItem(fila);
    hacia->addItem(item);
    hacia->setCurrentItem(item);
    if (desde->count() > 0) desde->setCurrentRow(std::min(fila, desde->count() - 1));
}

void FrmDefVistas::cmdAgregar_Click()
{
    if (hayNombre()) pasar(lstTodos, lstSeleccionado);
}

void FrmDefVistas::cmdAgregarTodos_Click()
{
    if (!hayNombre()) return;
    while (lstTodos->count() > 0) lstSeleccionado->addItem(lstTodos->takeItem(0));
}

void FrmDefVistas::cmdQuitar_Click() { pasar(lstSeleccionado, lstTodos); }

void FrmDefVistas::cmdQuitartodos_Click()
{
    while (lstSeleccionado->count() > 0) lstTodos->addItem(lstSeleccionado->takeItem(0));
}

void FrmDefVistas::cmdSubir_Click()
{
    const int fila = lstSeleccionado->currentRow();
    if (fila <= 0) return;
    lstSeleccionado->insertItem(fila - 1, lstSeleccionado->takeItem(fila));
    lstSeleccionado->setCurrentRow(fila - 1);
}

void FrmDefVistas::cmdBajar_Click()
{
    const int fila = lstSeleccionado->currentRow();
    if (fila < 0 || fila >= lstSeleccionado->count() - 1) return;
    lstSeleccionado->insertItem(fila + 1, lstSeleccionado->takeItem(fila));
    lstSeleccionado->setCurrentRow(fila + 1);
}

bool FrmDefVistas::eventFilter(QObject* o, QEvent* e)
{
    if (o == CmbDefinicion->lineEdit() && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (ControlesFormulario::EsTeclaEnter(k->key())) {
            CmbDefinicion_KeyDown(k->key());
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

} // namespace vexa
