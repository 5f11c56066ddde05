#include "GrillaEditable.h"

#include "ControlesFormulario.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QValidator>

namespace vexa {

namespace {

// Every change of the editor's text passes the grid's filter, typed or pasted.
class ValidadorCelda : public QValidator {
public:
    explicit ValidadorCelda(GrillaEditable* g) : QValidator(g), g_(g) {}
    State validate(QString& s, int&) const override
    {
        const std::optional<QString> r = g_->filtrarTexto(g_->columnaEditor(), s);
        if (!r) return Invalid;
        s = *r; // the rules change characters one for one: the caret stays valid
        return Acceptable;
    }

private:
    GrillaEditable* g_;
};

// Runs f with the flag set; the flag is cleared whatever happens.
template <class F> void conBandera(bool& bandera, F&& f)
{
    bandera = true;
    struct Fin {
        bool& b;
        ~Fin() { b = false; }
    } fin{bandera};
    f();
}

ColumnaGrilla& columnaVacia()
{
    static ColumnaGrilla c;
    c = ColumnaGrilla{};
    return c;
}

} // namespace

GrillaEditable::GrillaEditable(QWidget* parent) : QTableWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();

    editor_ = new QLineEdit(viewport());
    editor_->setObjectName(QStringLiteral("BrwTxt"));
    editor_->setFrame(false);
    editor_->hide();
    editor_->setValidator(new ValidadorCelda(this));
    editor_->installEventFilter(this);

    // Leaving the cell puts the edit into it.
    connect(this, &QTableWidget::currentCellChanged, this, [this] {
        if (abierto_) confirmarEdicion();
    });
    // A scroll by the operator moves on as Enter does.
    for (QScrollBar* b : {verticalScrollBar(), horizontalScrollBar()})
        connect(b, &QAbstractSlider::actionTriggered, this, [this] {
            if (abierto_ && !moviendo_) mover(Qt::Key_Return);
        });
    for (QHeaderView* h : {horizontalHeader(), verticalHeader()})
        connect(h, &QHeaderView::sectionResized, this, [this] {
            if (abierto_) colocarEditor();
        });
}

GrillaEditable::~GrillaEditable()
{
    // The table reports cell and scroll changes while Qt takes it down, after
    // this part of the object is gone: nothing of it may answer them.
    abierto_ = false;
    disconnect(this, nullptr, this, nullptr);
    for (QObject* o : {static_cast<QObject*>(verticalScrollBar()), static_cast<QObject*>(horizontalScrollBar()),
                       static_cast<QObject*>(horizontalHeader()), static_cast<QObject*>(verticalHeader())})
        o->disconnect(this);
    editor_->removeEventFilter(this);
}

void GrillaEditable::setColumnas(std::vector<ColumnaGrilla> columnas)
{
    if (abierto_) cancelarEdicion();
    columnas_ = std::move(columnas);
    setColumnCount(int(columnas_.size()));
    QStringList titulos;
    for (const ColumnaGrilla& c : columnas_) titulos << c.Titulo;
    setHorizontalHeaderLabels(titulos);
}

ColumnaGrilla& GrillaEditable::columna(int c)
{
    if (c < 0 || c >= int(columnas_.size())) return columnaVacia();
    return columnas_[size_t(c)];
}

const ColumnaGrilla& GrillaEditable::columna(int c) const
{
    if (c < 0 || c >= int(columnas_.size())) return columnaVacia();
    return columnas_[size_t(c)];
}

void GrillaEditable::setAlineacion(int col, Qt::Alignment alineacion)
{
    if (col < 0) return;
    if (int(alineaciones_.size()) <= col) alineaciones_.resize(size_t(col) + 1, Qt::AlignLeft | Qt::AlignVCenter);
    alineaciones_[size_t(col)] = alineacion;
}

QTableWidgetItem* GrillaEditable::celda(int fila, int col)
{
    if (fila < 0 || col < 0 || fila >= rowCount() || col >= columnCount()) return nullptr;
    QTableWidgetItem* i = item(fila, col);
    if (!i) {
        i = new QTableWidgetItem;
        i->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (col < int(alineaciones_.size())) i->setTextAlignment(alineaciones_[size_t(col)]);
        setItem(fila, col, i);
    }
    return i;
}

void GrillaEditable::setCelda(int fila, int col, const QVariant& valor, const QString& texto)
{
    if (QTableWidgetItem* i = celda(fila, col)) {
        i->setData(Qt::UserRole, valor);
        i->setText(texto);
    }
}

QVariant GrillaEditable::valor(int fila, int col) const
{
    const QTableWidgetItem* i = item(fila, col);
    return i ? i->data(Qt::UserRole) : QVariant();
}

QString GrillaEditable::texto(int fila, int col) const
{
    const QTableWidgetItem* i = item(fila, col);
    return i ? i->text() : QString();
}

void GrillaEditable::setFondo(int fila, int col, const QColor& color)
{
    if (QTableWidgetItem* i = celda(fila, col)) i->setBackground(color);
}

void GrillaEditable::vaciarCeldas()
{
    if (abierto_) cancelarEdicion();
    clearContents();
}

bool GrillaEditable::filtrar(int col, QChar& c, const QString& texto) const
{
    if (FiltroTecla && !FiltroTecla(col, c, texto)) return false;
    if (ReglaMayusculas) c = ReglaMayusculas(c);
    return true;
}

std::optional<QString> GrillaEditable::filtrarTexto(int col, const QString& texto) const
{
    QString r;
    r.reserve(texto.size());
    for (QChar c : texto) {
        if (!filtrar(col, c, r)) return std::nullopt;
        r += c;
    }
    return r;
}

void GrillaEditable::Brw_Propiedades(int col)
{
    const ColumnaGrilla& c = columna(col);
    editor_->setProperty(ControlesFormulario::propiedadCampo(), c.Campo);
    editor_->setProperty("Tag", c.Consulta);
    editor_->setMaxLength(c.Largo > 0 ? c.Largo : 32767);
    editor_->setEnabled(c.Editable);
    // The text stays where the cell shows it.
    const Qt::Alignment a = col >= 0 && col < int(alineaciones_.size()) ? alineaciones_[size_t(col)] : Qt::AlignLeft;
    editor_->setAlignment((a & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void GrillaEditable::colocarEditor()
{
    editor_->setGeometry(visualRect(model()->index(filaEd_, colEd_)));
}

void GrillaEditable::abrirEditor(int codigo)
{
    const int f = currentRow(), c = currentColumn();
    if (f < 0 || c < 0 || !columna(c).Editable) return;
    if (abierto_) confirmarEdicion();
    QString t;
    if (codigo > 32) {
        QChar ch{char16_t(codigo)};
        if (!filtrar(c, ch, QString())) return;
        t = ch;
    } else {
        t = texto(f, c);
    }
    scrollTo(currentIndex());
    filaEd_ = f;
    colEd_ = c;
    Brw_Propiedades(c);
    editor_->setText(t);
    editor_->setCursorPosition(codigo > 32 ? 1 : int(editor_->text().size()));
    colocarEditor();
    abierto_ = true;
    editor_->show();
    editor_->raise();
    if (editor_->isEnabled()) editor_->setFocus(Qt::OtherFocusReason);
}

void GrillaEditable::cerrarEditor(bool vaciar)
{
    // The focus stays in the grid rather than wandering to the next control.
    if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
    editor_->hide();
    if (vaciar) editor_->clear();
}

bool GrillaEditable::confirmarEdicion()
{
    if (!abierto_) return false;
    abierto_ = false;
    const int f = filaEd_, c = colEd_;
    const QString t = editor_->text();
    setCelda(f, c, t, t);
    cerrarEditor(true);
    emit celdaConfirmada(f, c);
    return true;
}

void GrillaEditable::cancelarEdicion()
{
    if (!abierto_) return;
    abierto_ = false;
    cerrarEditor(false);
}

void GrillaEditable::enfocar()
{
    confirmarEdicion();
    setFocus(Qt::OtherFocusReason);
}

int GrillaEditable::bajar(int fila)
{
    if (fila < rowCount() - 1) return fila + 1;
    if (ultimaFila == UltimaFila::AgregarFila) {
        insertRow(rowCount());
        return rowCount() - 1;
    }
    return fila;
}

void GrillaEditable::moverArriba()
{
    enfocar();
    if (currentRow() > 0) setCurrentCell(currentRow() - 1, currentColumn());
}

void GrillaEditable::moverAbajo()
{
    enfocar();
    const int f = currentRow();
    if (f < 0) return;
    if (f < rowCount() - 1)
        setCurrentCell(f + 1, currentColumn());
    else
        setCurrentCell(bajar(f), qMin(1, columnCount() - 1));
}

void GrillaEditable::moverDerecha()
{
    enfocar();
    const int n = columnCount();
    int f = currentRow(), c = qMax(0, currentColumn());
    if (n == 0 || f < 0) return;
    if (c == n - 1) {
        f = bajar(f);
        c = 0;
    }
    int i = c;
    while (i < n - 1) {
        ++i;
        if (columna(i).Editable) break;
    }
    if (i == n - 1 && !columna(i).Editable) {
        f = bajar(f);
        i = qMin(1, n - 1);
    }
    setCurrentCell(f, i);
}

void GrillaEditable::MSFlex_EditKeyCode(int tecla)
{
    switch (tecla) {
    case Qt::Key_Escape:
        cancelarEdicion();
        setFocus(Qt::OtherFocusReason);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moverDerecha();
        break;
    case Qt::Key_Up:
        moverArriba();
        break;
    case Qt::Key_Down:
        moverAbajo();
        break;
    default:
        break;
    }
    if (currentIndex().isValid()) scrollTo(currentIndex());
}

void GrillaEditable::mover(int tecla)
{
    if (moviendo_) return;
    conBandera(moviendo_, [&] {
        if (Movimiento)
            Movimiento(tecla);
        else
            MSFlex_EditKeyCode(tecla);
    });
}

void GrillaEditable::keyPressEvent(QKeyEvent* e)
{
    if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const int k = e->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            const int f = currentRow(), c = currentColumn();
            const ColumnaGrilla& col = columna(c);
            if (enterAbreEditor || (col.Editable && col.EditarSiVacio && f >= 0 && texto(f, c).trimmed().isEmpty()))
                abrirEditor(13);
            else
                mover(Qt::Key_Return);
            e->accept();
            return;
        }
        if (k == Qt::Key_Escape) {
            if (!escapeAbreEditor) {
                e->ignore();
                return;
            }
            abrirEditor(27);
            e->accept();
            return;
        }
        const QString t = e->text();
        if (t.size() == 1 && t[0].unicode() >= 32 && t[0].unicode() != 127) {
            abrirEditor(t[0].unicode());
            e->accept();
            return;
        }
    }
    QTableWidget::keyPressEvent(e);
}

void GrillaEditable::mouseDoubleClickEvent(QMouseEvent* e)
{
    const QModelIndex i = indexAt(e->position().toPoint());
    QTableWidget::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton || !i.isValid()) return;
    if (i != currentIndex()) setCurrentIndex(i);
    abrirEditor(32);
}

void GrillaEditable::focusInEvent(QFocusEvent* e)
{
    QTableWidget::focusInEvent(e);
    if (abierto_) confirmarEdicion();
}

bool GrillaEditable::eventFilter(QObject* o, QEvent* e)
{
    if (o == editor_) {
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            int tecla = k->key(), marca = 0;
            switch (tecla) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                tecla = Qt::Key_Return;
                marca = TeclaEnter;
                break;
            case Qt::Key_Escape: marca = TeclaEscape; break;
            case Qt::Key_Up: marca = TeclaArriba; break;
            case Qt::Key_Down: marca = TeclaAbajo; break;
            default: return false;
            }
            // The keys the window does not take act inside the editor only.
            if (!(teclasMovimiento & marca)) return true;
            if (marca == TeclaEnter && ValidarEnter && !ValidarEnter(filaEd_, colEd_, editor_->text())) return true;
            mover(tecla);
            return true;
        }
        if (e->type() == QEvent::FocusOut) {
            const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
            // Another window taking over leaves the edit as it is.
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) emit editorPerdioFoco(filaEd_, colEd_);
        }
    }
    return QTableWidget::eventFilter(o, e);
}

} // namespace vexa
