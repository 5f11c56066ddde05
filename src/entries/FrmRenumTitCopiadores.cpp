#include "FrmRenumTitCopiadores.h"

#include "AjustesPrograma.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Lectores.h"
#include "TitulosCopiadores.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QCursor>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

namespace {
const char* const kDataField = "DataField";
const QString kAviso = QStringLiteral("Aviso al operador!!!");

// The list's two columns, "Codigo" as wide as ten letters X and "Descripcion"
// as wide as forty, from the moment the window opens.
void columnasLista(QTreeWidget* lista)
{
    lista->setColumnCount(2);
    lista->setHeaderLabels({QStringLiteral("Codigo"), QStringLiteral("Descripcion")});
    const QFontMetrics fm(lista->font());
    lista->setColumnWidth(0, fm.horizontalAdvance(QString(10, u'X')));
    lista->setColumnWidth(1, fm.horizontalAdvance(QString(40, u'X')));
}
} // namespace

FrmRenumTitCopiadores::FrmRenumTitCopiadores(ContextoEmpresa& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmRenumTitCopiadores"));
    setWindowTitle(QStringLiteral("Renumeración de Títulos copiadores"));

    auto* grid = new QGridLayout;
    const char* datos[] = {"TitDesde", "TitHasta", "Incremento"};
    const char* etiquetas[] = {"Título desde:", "Título hasta:", "Incremento:"};
    for (int i = 0; i < 3; ++i) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("TxtFields_%1").arg(i));
        t->setProperty(kDataField, QString::fromLatin1(datos[i]));
        t->installEventFilter(this);
        TxtFields[size_t(i)] = t;
        grid->addWidget(new QLabel(QString::fromUtf8(etiquetas[i]), this), i, 0);
        grid->addWidget(t, i, 1);
    }

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers); // labels are not edited
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->viewport()->installEventFilter(this);
    columnasLista(ListView1);

    CmdCargar = new QPushButton(QStringLiteral("&Cargar"), this);
    CmdCargar->setObjectName(QStringLiteral("CmdCargar"));
    CmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdCerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    CmdCerrar->setObjectName(QStringLiteral("CmdCerrar"));
    connect(CmdCargar, &QPushButton::clicked, this, [this] { CmdCargar_Click(); });
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCerrar, &QPushButton::clicked, this, [this] { close(); });

    MNU_Invisible = new QMenu(this);
    MNU_Invisible->setObjectName(QStringLiteral("MNU_Invisible"));
    MNU_Cambiar = MNU_Invisible->addAction(QStringLiteral("Cambiar el Numero"));
    MNU_Cambiar->setObjectName(QStringLiteral("MNU_Cambiar"));
    MNU_Separador = MNU_Invisible->addSeparator();
    MNU_Separador->setObjectName(QStringLiteral("MNU_Separador"));
    MNU_Cancelar = MNU_Invisible->addAction(QStringLiteral("&Cancelar"));
    MNU_Cancelar->setObjectName(QStringLiteral("MNU_Cancelar"));
    mostrarMenu = [](QMenu* m) { return m->exec(QCursor::pos()); };

    auto* botones = new QHBoxLayout;
    botones->addWidget(CmdCargar);
    botones->addStretch(1);
    botones->addWidget(CmdAceptar);
    botones->addWidget(CmdCerrar);
    auto* v = new QVBoxLayout(this);
    v->addLayout(grid);
    v->addWidget(ListView1, 1);
    v->addLayout(botones);
    resize(560, 460);

    // Form_Load
    AplicarEstiloFormulario(this);
    ventanas::PreparaFormulario(this);
}

QLineEdit* FrmRenumTitCopiadores::campo(const QString& dataField) const
{
    for (QLineEdit* t : TxtFields)
        if (texto::igual(t->property(kDataField).toString(), dataField)) return t;
    return nullptr;
}

void FrmRenumTitCopiadores::CmdCargar_Click()
{
    const qint64 desde = lectura::enteroRedondeado(campo(QStringLiteral("TitDesde"))->text()).o(0);
    const qint64 hasta = lectura::enteroRedondeado(campo(QStringLiteral("TitHasta"))->text()).o(0);
    ListView1->clear();
    columnasLista(ListView1);
    for (;;) {
        try {
            const auto titulos = titulos::CargarTitulos(ctx_.con(), desde, hasta);
            QList<QTreeWidgetItem*> items;
            items.reserve(qsizetype(titulos.size()));
            for (const auto& t : titulos) {
                auto* i = new QTreeWidgetItem(QStringList{t.codigo, t.descripcion});
                i->setData(0, Qt::UserRole, QStringLiteral("d") + t.codigo);
                i->setFlags((i->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
                i->setCheckState(0, Qt::Checked);
                items << i;
            }
            ListView1->addTopLevelItems(items);
            return;
        } catch (const std::exception& e) {
            ventanas::CursorEspera(false);
            if (Utilidades::ManejaError(e, QString()) != vbRetry) return;
        }
    }
}

void FrmRenumTitCopiadores::CampoValida(QLineEdit* t)
{
    HayError = false;
    try {
        QString error;
        const QString dato = t->property(kDataField).toString();
        if (texto::igual(dato, QStringLiteral("TitHasta"))) {
            if (lectura::enteroRedondeado(campo(QStringLiteral("TitDesde"))->text()).o(0) > lectura::enteroRedondeado(t->text()).o(0))
                error = QStringLiteral("El Titulo desde no puede mayor al titulo Hasta");
            else
                CmdCargar_Click();
        } else if (texto::igual(dato, QStringLiteral("Incremento"))) {
            if (lectura::enteroRedondeado(t->text()).o(0) == 0) error = QStringLiteral("El Incremento desde ser distinto de cero ");
        }
        if (!error.isEmpty()) {
            HayError = true;
            dialogos().MsgBox(error, vbYesNo + vbCritical, kAviso); // the answer is not used
        }
    } catch (const std::exception& e) {
        HayError = true;
        Utilidades::ManejaError(e, QStringLiteral("CampoValida"));
    }
}

void FrmRenumTitCopiadores::CmdAceptar_Click()
{
    if (dialogos().MsgBox(QStringLiteral("Este proceso Recodificará los codigos de titulos copiadores, ¿Realmente desea "
                                         "Recodificar los mismos"),
                          vbYesNo + vbQuestion, kAviso) != vbYes)
        return;
    const qint64 incremento = lectura::enteroRedondeado(campo(QStringLiteral("Incremento"))->text()).o(0);
    if (incremento == 0) {
        dialogos().MsgBox(QStringLiteral("El incremento debe ser distinto a Cero"), vbCritical, QStringLiteral("Aviso al Operador!!!"));
        return;
    }
    QStringList codigos;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* it = ListView1->topLevelItem(i);
        if (it->checkState(0) == Qt::Checked) codigos << it->data(0, Qt::UserRole).toString().mid(1);
    }
    ventanas::CursorEspera(true);
    const QString colisiones = titulos::RenumerarTitulos(ctx_.con(), codigos, incremento, [](const std::exception& e) {
        ventanas::CursorEspera(false);
        const int r = Utilidades::ManejaError(e, QStringLiteral("CmdAceptar_Click"));
        ventanas::CursorEspera(true);
        return r;
    });
    ventanas::CursorEspera(false);
    if (!texto::recortar(colisiones).isEmpty())
        dialogos().MsgBox(QStringLiteral("Los Siguientes Codigos no pudieron ser recodificados: \r\r") + colisiones, vbCritical, kAviso);
    CmdCargar_Click();
}

void FrmRenumTitCopiadores::ListView1_MouseDown(Qt::MouseButton boton)
{
    if (boton != Qt::RightButton) return;
    if (!ListView1->currentItem() || !ListView1->currentItem()->isSelected()) {
        dialogos().MsgBox(QStringLiteral("Debe Seleccionar un Título para recodifical!!!"), vbCritical,
                          QStringLiteral("ListView1_MouseDown"));
        return;
    }
    // The choice applies to this click only.
    QAction* eleccion = mostrarMenu ? mostrarMenu(MNU_Invisible) : nullptr;
    if (eleccion == MNU_Cambiar) recodificarSeleccionado();
}

void FrmRenumTitCopiadores::recodificarSeleccionado()
{
    const QString viejo = texto::recortar(ListView1->currentItem()->text(0));
    bool ok = false;
    const QString respuesta = dialogos().PedirTexto(QStringLiteral("Renumeración de Títulos Copiadores"),
                                                    QStringLiteral("Ingrese el Nuevo código del título copiador (Hasta Cuatro Dígitos)"),
                                                    QString(), &ok);
    for (;;) {
        try {
            const auto r = titulos::Recodificar(ctx_.con(), viejo, ok ? std::optional<QString>(respuesta) : std::nullopt);
            if (r != titulos::Recodificacion::Hecho) {
                dialogos().MsgBox(titulos::MensajeRecodificacion(r), vbCritical, kAviso);
                return;
            }
            CmdCargar_Click();
            return;
        } catch (const std::exception& e) {
            if (Utilidades::ManejaError(e, QStringLiteral("ListView1_MouseDown")) != vbRetry) return;
        }
    }
}

bool FrmRenumTitCopiadores::eventFilter(QObject* o, QEvent* e)
{
    if (o == ListView1->viewport() && e->type() == QEvent::MouseButtonPress) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::RightButton) {
            if (QTreeWidgetItem* i = ListView1->itemAt(m->position().toPoint())) ListView1->setCurrentItem(i);
            ListView1_MouseDown(Qt::RightButton);
            return true;
        }
        return QWidget::eventFilter(o, e);
    }
    for (QLineEdit* t : TxtFields) {
        if (o != t || e->type() != QEvent::KeyPress) continue;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            CampoValida(t);
            if (!HayError) focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

} // namespace vexa
