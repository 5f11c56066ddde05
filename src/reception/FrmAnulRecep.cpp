#include "FrmAnulRecep.h"

#include "AjustesPrograma.h"
#include "AnulacionRecepcion.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QApplication>
#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vexa::recepcion {

using plataforma::dialogos;

namespace {
const QString kTitulo = QStringLiteral("Aviso al operador");
constexpr int kRolId = Qt::UserRole;
constexpr int kRolAnulada = Qt::UserRole + 1;

// Runs an operation; an error goes to the central handler, whose Retry runs it again.
template <class F> void protegido(const QString& procedimiento, F&& orden)
{
    for (;;) {
        try {
            orden();
            return;
        } catch (const std::exception& e) {
            ventanas::CursorEspera(false);
            if (Utilidades::ManejaError(e, procedimiento) != plataforma::vbRetry) return;
        }
    }
}
} // namespace

FrmAnulRecep::FrmAnulRecep(ContextoEmpresa& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmAnulRecep"));
    setWindowTitle(QStringLiteral("Anulación de Recepción de Información de Vexa Gestón Comercial"));

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* n) { nodoElegido(n); });

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    CmdAnular = new QPushButton(QStringLiteral("&Anular"), Frame1);
    CmdAnular->setObjectName(QStringLiteral("CmdAnular"));
    CmdCerrar = new QPushButton(QStringLiteral("&Cerrar"), Frame1);
    CmdCerrar->setObjectName(QStringLiteral("CmdCerrar"));
    connect(CmdAnular, &QPushButton::clicked, this, [this] { CmdAnular_Click(); });
    connect(CmdCerrar, &QPushButton::clicked, this, [this] { close(); });
    auto* botones = new QHBoxLayout(Frame1);
    botones->addWidget(CmdAnular);
    botones->addWidget(CmdCerrar);

    // The tree takes about a fifth of the width; the buttons stay centred below.
    auto* listas = new QHBoxLayout;
    listas->addWidget(TreeView1, 20);
    listas->addWidget(ListView1, 80);
    auto* abajo = new QHBoxLayout;
    abajo->addStretch(1);
    abajo->addWidget(Frame1);
    abajo->addStretch(1);
    auto* v = new QVBoxLayout(this);
    v->addLayout(listas, 1);
    v->addLayout(abajo);
    resize(760, 420);

    // Form_Load
    AplicarEstiloFormulario(this);
    ventanas::PreparaFormulario(this);
    Cargar_Controles();
}

FrmAnulRecep::~FrmAnulRecep() = default;

void FrmAnulRecep::Cargar_Controles()
{
    TreeView1->clear();
    ListView1->clear();
    ListView1->setColumnCount(4);
    ListView1->setHeaderLabels({QStringLiteral("FECHA/HORA"), QStringLiteral("RESPONSABLE"), QStringLiteral("ARCHIVO RECIBIDO"),
                                QStringLiteral("REGISTROS RECIBIDOS")});
    for (int c = 0; c < 4; ++c) ListView1->resizeColumnToContents(c); // the headings whole
    protegido(QStringLiteral("Cargar Controles"), [this] {
        TreeView1->clear();
        const auto filas = ctx_.con().ObtenerRecordset(QStringLiteral("SELECT ID, ANULADA FROM TESTIGO_RECEPCION ORDER BY ID")).todas();
        if (filas.empty()) return;
        auto* raiz = new QTreeWidgetItem(TreeView1, QStringList{QStringLiteral("Nº de Control")});
        raiz->setData(0, kRolId, QVariant());
        const QIcon anulada = style()->standardIcon(QStyle::SP_DialogCancelButton);
        const QIcon viva = style()->standardIcon(QStyle::SP_FileIcon);
        for (const Fila& f : filas) {
            const bool esAnulada = f.entero(QStringLiteral("ANULADA")) != 0;
            const qint64 id = f.entero(QStringLiteral("ID"));
            auto* n = new QTreeWidgetItem(raiz, QStringList{QString::number(id) + (esAnulada ? QStringLiteral("- Anulado") : QString())});
            n->setData(0, kRolId, id);
            n->setData(0, kRolAnulada, esAnulada);
            n->setIcon(0, esAnulada ? anulada : viva);
        }
        raiz->setExpanded(true);
    });
    CmdAnular->setEnabled(false);
}

void FrmAnulRecep::Cargar_Control(qint32 id)
{
    ListView1->clear();
    protegido(QStringLiteral("CargarControl"), [&] {
        ListView1->clear();
        const auto f = ctx_.con().PrimeraFila(
            QStringLiteral("SELECT FECHA_HORA, USUARIO, ARCHIVO, REGISTROS_LEIDOS FROM TESTIGO_RECEPCION WHERE ID = ?"), {id});
        if (!f) return;
        const QDateTime cuando = f->fechaHora(QStringLiteral("FECHA_HORA"));
        new QTreeWidgetItem(ListView1, QStringList{cuando.isValid() ? cuando.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : QString(),
                                                   texto::recortar(f->texto(QStringLiteral("USUARIO"))),
                                                   texto::recortar(f->texto(QStringLiteral("ARCHIVO"))),
                                                   texto::recortar(f->texto(QStringLiteral("REGISTROS_LEIDOS")))});
        for (int c = 0; c < 4; ++c) ListView1->resizeColumnToContents(c);
    });
}

void FrmAnulRecep::nodoElegido(QTreeWidgetItem* nodo)
{
    if (!nodo || !nodo->data(0, kRolId).isValid()) return; // the root
    Cargar_Control(qint32(nodo->data(0, kRolId).toLongLong()));
    CmdAnular->setEnabled(!nodo->data(0, kRolAnulada).toBool());
}

void FrmAnulRecep::CmdAnular_Click()
{
    QTreeWidgetItem* nodo = TreeView1->currentItem();
    if (!nodo || !nodo->data(0, kRolId).isValid()) {
        dialogos().MsgBox(QStringLiteral("Debe seleccionar una planilla para anular!!!"), plataforma::vbCritical, kTitulo);
        return;
    }
    if (nodo->data(0, kRolAnulada).toBool()) {
        dialogos().MsgBox(MensajeYaAnulada(), plataforma::vbInformation, kTitulo);
        return;
    }
    Anular_Control(qint32(nodo->data(0, kRolId).toLongLong()));
    Cargar_Controles();
}

void FrmAnulRecep::Anular_Control(qint32 id)
{
    if (!ventanas::RevisarConexion(ctx_.con())) return;
    protegido(QStringLiteral("AnularControl"), [&] {
        ventanas::CursorEspera(true);
        const ResultadoAnulacion r = AnularRecepcion(ctx_, id);
        ventanas::CursorEspera(false);
        if (!r.mensaje.isEmpty()) dialogos().MsgBox(r.mensaje, plataforma::vbInformation, kTitulo);
    });
}

} // namespace vexa::recepcion
