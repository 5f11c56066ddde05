#include "Frm_LibrosIva.h"

#include "AjustesPrograma.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "LibrosIva.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "VisorConsulta.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

Frm_LibrosIva::Frm_LibrosIva(ContextoEmpresa& ctx, bool escompras, QWidget* parent)
    : QDialog(parent), Escompras(escompras), ctx_(ctx)
{
    setObjectName(QStringLiteral("Frm_LibrosIva"));
    UtilTeb1 = new UtilTeb(this);
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, &Frm_LibrosIva::UtilTeb1_ButtonClick);

    lstCuentas = new QListWidget(this);
    lstCuentas->setObjectName(QStringLiteral("lstCuentas"));
    // A click or Space toggles one item and leaves the others as they are.
    lstCuentas->setSelectionMode(QAbstractItemView::MultiSelection);
    lstCuentas->setUniformItemSizes(true);

    auto boton = [this](const char* nombre, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setAutoDefault(false);
        return b;
    };
    CmdAceptar = boton("CmdAceptar", QStringLiteral("&Aceptar"));
    CmdCancelar = boton("CmdCancelar", QStringLiteral("&Cancelar"));
    CmdseleccionarTodo = boton("CmdseleccionarTodo", QStringLiteral("Seleccionar Todo"));
    CmdDeSeleccionar = boton("CmdDeSeleccionar", QStringLiteral("Deseleccionar Todo"));
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(CmdseleccionarTodo, &QPushButton::clicked, this, [this] { CmdseleccionarTodo_Click(); });
    connect(CmdDeSeleccionar, &QPushButton::clicked, this, [this] { CmdDeSeleccionar_Click(); });

    auto* botones = new QHBoxLayout;
    botones->addWidget(CmdseleccionarTodo);
    botones->addWidget(CmdDeSeleccionar);
    botones->addStretch(1);
    botones->addWidget(CmdAceptar);
    botones->addWidget(CmdCancelar);
    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addWidget(lstCuentas, 1);
    v->addLayout(botones);
    resize(560, 480);

    // Form_Load
    AplicarEstiloFormulario(this);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->geometry();
        move(r.x() + r.width() / 2 - width() / 2, r.y() + r.height() / 2 - height() / 2);
    }
    setWindowTitle(Escompras ? QStringLiteral("Asignación de Cuentas al Libro de I.V.A. Compras")
                             : QStringLiteral("Asignación de Cuentas al Libro de I.V.A. Ventas"));
    Cargar_LibroIVA();
    HabilitarBotones(false);
}

void Frm_LibrosIva::Cargar_LibroIVA()
{
    cargaCompleta_ = false;
    for (;;) {
        try {
            lstCuentas->clear();
            const std::vector<libros::CuentaLibro> cuentas = libros::CuentasDelLibro(ctx_.con(), Escompras);
            QStringList textos;
            textos.reserve(qsizetype(cuentas.size()));
            for (const auto& c : cuentas) textos << texto::recortar(c.codigo) + QStringLiteral("--") + c.descripcion;
            lstCuentas->addItems(textos);
            // The book's accounts selected in one selection change.
            QItemSelection seleccion;
            QAbstractItemModel* m = lstCuentas->model();
            int inicio = -1;
            for (int i = 0; i <= int(cuentas.size()); ++i) {
                const bool en = i < int(cuentas.size()) && cuentas[size_t(i)].enLibro;
                if (i < int(cuentas.size())) lstCuentas->item(i)->setData(Qt::UserRole, cuentas[size_t(i)].codigo);
                if (en && inicio < 0) inicio = i;
                if (!en && inicio >= 0) {
                    seleccion.select(m->index(inicio, 0), m->index(i - 1, 0));
                    inicio = -1;
                }
            }
            if (!seleccion.isEmpty()) lstCuentas->selectionModel()->select(seleccion, QItemSelectionModel::Select);
            if (lstCuentas->count() > 0)
                lstCuentas->selectionModel()->setCurrentIndex(m->index(0, 0), QItemSelectionModel::NoUpdate);
            cargaCompleta_ = true;
            break;
        } catch (const std::exception& e) {
            ventanas::CursorEspera(false);
            if (Utilidades::ManejaError(e, QStringLiteral("Cargar_LibroIVA")) != vbRetry) break;
        }
    }
    // A save from a partial list would take every unlisted account out of the book.
    CmdAceptar->setEnabled(cargaCompleta_);
}

void Frm_LibrosIva::HabilitarBotones(bool estado)
{
    for (const QString& k : UtilTeb::claves())
        if (k != QLatin1String("PLANILLA") && k != QLatin1String("CERRAR")) UtilTeb1->setHabilitado(k, estado);
}

void Frm_LibrosIva::CmdseleccionarTodo_Click() { lstCuentas->selectAll(); }

void Frm_LibrosIva::CmdDeSeleccionar_Click() { lstCuentas->clearSelection(); }

QStringList Frm_LibrosIva::codigosSeleccionados() const
{
    QModelIndexList filas = lstCuentas->selectionModel()->selectedIndexes();
    std::sort(filas.begin(), filas.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList r;
    r.reserve(filas.size());
    for (const QModelIndex& i : filas) r << i.data(Qt::UserRole).toString();
    return r;
}

void Frm_LibrosIva::CmdAceptar_Click()
{
    if (!cargaCompleta_) return;
    libros::ResultadoLibro r;
    try {
        ventanas::CursorEspera(true);
        r = libros::GrabarLibroIva(ctx_.con(), Escompras, codigosSeleccionados());
        ventanas::CursorEspera(false);
    } catch (const std::exception& e) {
        // Rolled back already; the window stays open with the selection.
        ventanas::CursorEspera(false);
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("CmdAceptar_Click"));
        return;
    }
    if (r.fin != libros::ResultadoLibro::Fin::Grabado) {
        dialogos().MsgBox(libros::MensajeLibro(r, Escompras), vbOKOnly, QStringLiteral("Aviso al Operador.."));
        return;
    }
    accept();
}

void Frm_LibrosIva::UtilTeb1_ButtonClick(const QString& clave)
{
    const QString k = clave.toUpper();
    if (k == QLatin1String("PLANILLA"))
        Planilla = VisorConsulta::Mostrar(ctx_.con(), libros::ConsultaPlanilla(Escompras), {}, libros::TituloPlanilla(Escompras));
    else if (k == QLatin1String("CERRAR"))
        reject();
}

void Frm_LibrosIva::keyPressEvent(QKeyEvent* e)
{
    if (UtilTeb1->Tecla(e->key(), e->modifiers())) return;
    QDialog::keyPressEvent(e);
}

} // namespace vexa
