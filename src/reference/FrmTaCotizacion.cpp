#include "FrmTaCotizacion.h"

#include "AjustesPrograma.h"
#include "CNStuffContable.h"
#include "CfgVentanas.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "Ejercicios.h"
#include "Lectores.h"
#include "Entorno.h"
#include "GrillaEditable.h"
#include "ProgresoVentana.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

namespace {

// Widths the grid's column table gives in twips (1/1440 inch).
int pixeles(const QWidget* w, int twips) { return twips * w->logicalDpiX() / 1440; }

bool esColumnaEditable(int col) { return col > FrmTaCotizacion::ColMoneda1 && col < FrmTaCotizacion::ColMoneda1 + cotizacion::kMonedas; }

} // namespace

FrmTaCotizacion::FrmTaCotizacion(ContextoEmpresa& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmTaCotizacion"));
    setWindowTitle(QStringLiteral("Tabla diaria de Cotización"));

    UtilTeb1 = new UtilTeb(this);
    UtilTeb1->setObjectName(QStringLiteral("UtilTeb1"));
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, &FrmTaCotizacion::UtilTeb1_ButtonClick);

    MSFlexGrid1 = new GrillaEditable(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->editor()->setObjectName(QStringLiteral("TxtEdit"));
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    // A key up to 32 (Enter and Escape included) opens the editor with the cell's
    // text; the editor hands all four moving keys to EditKeyCode.
    MSFlexGrid1->enterAbreEditor = true;
    MSFlexGrid1->escapeAbreEditor = true;
    MSFlexGrid1->teclasMovimiento =
        GrillaEditable::TeclaEnter | GrillaEditable::TeclaEscape | GrillaEditable::TeclaArriba | GrillaEditable::TeclaAbajo;
    MSFlexGrid1->Movimiento = [this](int tecla) { EditKeyCode(tecla); };
    // A typed ',' or '.' becomes the decimal mark, once.
    MSFlexGrid1->FiltroTecla = [](int col, QChar& c, const QString& texto) {
        if (col <= 0 || (c != u',' && c != u'.')) return true;
        c = ControlesFormulario::SeparadorDecimal();
        return !texto::recortar(texto).contains(c);
    };
    connect(MSFlexGrid1, &GrillaEditable::editorPerdioFoco, this, &FrmTaCotizacion::GrabarFila);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(UtilTeb1);
    v->addWidget(MSFlexGrid1, 1);
    resize(560, 440);

    // Form_Load
    AplicarEstiloFormulario(this);
    ventanas::PreparaFormulario(this);
    // The connection as the load needs it (opened again if the server dropped
    // it) and the accounting values read again.
    ventanas::RevisarConexion(ctx_.con());
    IniContable(ctx_);
    if (cotizacion::UsaMultiplesMonedas(Cfg(ctx_, QStringLiteral("UsaMultilesMonedas"))))
        CrearDiasCotizacion(lectura::enteroRedondeado(Cfg(ctx_, QStringLiteral("Periodo"))).o(0));
    InicializaGrid();
    AsignarExistentes();
    for (const QString& k : UtilTeb::claves())
        UtilTeb1->setHabilitado(k, k == QLatin1String("GRABAR") || k == QLatin1String("CERRAR") || k == QLatin1String("CANCELAR"));
}

FrmTaCotizacion::~FrmTaCotizacion()
{
    // Nothing is written while the window is taken down.
    disconnect(MSFlexGrid1, nullptr, this, nullptr);
}

void FrmTaCotizacion::CrearDiasCotizacion(qint64 /*Ejercicio*/)
{
    QDate primero;
    EjecutarPasos(QStringLiteral("CrearDiasCotizacion"), {[&] { primero = ejercicios::PrimerDiaDelPeriodo(ctx_); }}, {},
                  &ctx_.con());
    if (primero.isValid()) LlenarHuecos(primero.addDays(-1), plataforma::hoy());
}

void FrmTaCotizacion::LlenarHuecos(const QDate& Desde, const QDate& Hasta)
{
    // One transaction: a failure has rolled the run back before the handler
    // shows it, and "Reintentar" runs it again whole.
    EjecutarPasos(QStringLiteral("Llenar Huecos"),
                  {[&] {
                      ProgresoVentana progreso(QApplication::activeWindow(), true, false);
                      ventanas::CursorEspera(true);
                      try {
                          ejercicios::LlenarHuecosDesdeUltimoDia(ctx_.con(), Desde, Hasta, plataforma::hoy(), progreso);
                      } catch (...) {
                          ventanas::CursorEspera(false);
                          progreso.Cerrar();
                          throw;
                      }
                      ventanas::CursorEspera(false);
                  }},
                  {}, &ctx_.con());
}

void FrmTaCotizacion::InicializaGrid()
{
    MSFlexGrid1->cancelarEdicion();
    QStringList monedas;
    EjecutarPasos(QStringLiteral("InicializaGrid"), {[&] { monedas = cotizacion::DescripcionesMonedas(ctx_.con()); }}, {},
                  &ctx_.con());
    while (monedas.size() < cotizacion::kMonedas) monedas << QString();
    std::vector<ColumnaGrilla> columnas;
    columnas.push_back({QStringLiteral("Id"), QString(), QStringLiteral("ID"), 0, false, false});
    columnas.push_back({QStringLiteral("Fecha-Hora"), QString(), QStringLiteral("FECHA_HORA"), 0, false, false});
    for (int n = 1; n <= cotizacion::kMonedas; ++n)
        columnas.push_back({monedas[n - 1], QString(), QStringLiteral("Moneda%1").arg(n), 0,
                            esColumnaEditable(ColMoneda1 + n - 1), false});
    MSFlexGrid1->clearContents();
    MSFlexGrid1->setRowCount(1);
    MSFlexGrid1->setColumnas(std::move(columnas));
    MSFlexGrid1->setAlineacion(ColId, Qt::AlignRight | Qt::AlignVCenter);
    for (int c = ColMoneda1; c < ColMoneda1 + cotizacion::kMonedas; ++c)
        MSFlexGrid1->setAlineacion(c, Qt::AlignRight | Qt::AlignVCenter);
    MSFlexGrid1->setColumnWidth(ColId, pixeles(this, 500));
    MSFlexGrid1->setColumnWidth(ColFecha, QFontMetrics(font()).horizontalAdvance(QString(12, u'A')));
    MSFlexGrid1->setColumnHidden(ColMoneda1, true);
    // A rate column is at least as wide as its heading.
    const QFontMetrics titulos(MSFlexGrid1->horizontalHeader()->font());
    for (int c = ColMoneda1 + 1; c < ColMoneda1 + cotizacion::kMonedas; ++c)
        MSFlexGrid1->setColumnWidth(c, qMax(pixeles(this, 800), titulos.horizontalAdvance(monedas[c - ColMoneda1]) + 16));
    filas_.clear();
}

void FrmTaCotizacion::AsignarExistentes()
{
    InicializaGrid();
    ProgresoVentana ventanaProgreso(QApplication::activeWindow(), true, false);
    Progreso& progreso = ventanaProgreso;
    progreso.Iniciar(QStringLiteral("Actualización de Cotizaciones Diarias"), 0);
    std::vector<cotizacion::FilaCotizacion> filas;
    EjecutarPasos(QStringLiteral("Asignar Existentes"),
                  {[&] { filas = cotizacion::LeerCotizaciones(ctx_.con(), cotizacion::PrimerDiaMostrado(ctx_), plataforma::hoy()); }},
                  {}, &ctx_.con());
    MSFlexGrid1->setUpdatesEnabled(false);
    MSFlexGrid1->setRowCount(int(filas.size()) + 1); // the last row stays empty
    for (int i = 0; i < int(filas.size()); ++i) {
        const auto& f = filas[size_t(i)];
        progreso.Actualizar(i, QStringLiteral("Cargando Datos"), i ? MSFlexGrid1->texto(i - 1, ColId) : QString(), QString());
        MSFlexGrid1->setCelda(i, ColId, f.id, QString::number(f.id));
        MSFlexGrid1->setCelda(i, ColFecha, f.fechaHora, cotizacion::TextoDia(f.fechaHora));
        for (int n = 0; n < cotizacion::kMonedas; ++n) {
            const auto& t = f.tasas[size_t(n)];
            MSFlexGrid1->setCelda(i, ColMoneda1 + n, t ? QVariant::fromValue(*t) : QVariant(), cotizacion::TextoTasa(t));
        }
    }
    MSFlexGrid1->setUpdatesEnabled(true);
    filas_ = std::move(filas);
    progreso.Cerrar();
    if (MSFlexGrid1->rowCount() > 0 && MSFlexGrid1->currentRow() < 0) MSFlexGrid1->setCurrentCell(0, ColMoneda1 + 1);
}

void FrmTaCotizacion::MsflexGridEdt(int KeyAscii)
{
    if (MSFlexGrid1->currentColumn() <= ColMoneda1) return;
    MSFlexGrid1->abrirEditor(KeyAscii);
}

void FrmTaCotizacion::EditKeyCode(int KeyCode)
{
    GrillaEditable* g = MSFlexGrid1;
    try {
        switch (KeyCode) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            g->enfocar();
            QCoreApplication::processEvents();
            const int fila = g->currentRow(), col = g->currentColumn();
            if (col == g->columnCount() - 1) {
                if (fila < g->rowCount() - 1) g->setCurrentCell(fila + 1, ColFecha);
            } else {
                g->setCurrentCell(fila, col + 1);
            }
            break;
        }
        case Qt::Key_Escape:
            // Escape does not undo: the text stays in the cell and its row is written.
            g->enfocar();
            break;
        case Qt::Key_Up:
            g->enfocar();
            QCoreApplication::processEvents();
            if (g->currentRow() > 0) g->setCurrentCell(g->currentRow() - 1, g->currentColumn());
            break;
        case Qt::Key_Down:
            g->enfocar();
            QCoreApplication::processEvents();
            if (g->currentRow() < g->rowCount() - 1) g->setCurrentCell(g->currentRow() + 1, g->currentColumn());
            break;
        default:
            break;
        }
        if (g->currentItem()) g->scrollToItem(g->currentItem());
    } catch (const std::exception& e) {
        if (numeroDeError(e) == 5) return;
        Utilidades::ManejaError(e, QStringLiteral("EditKeyCode"));
    }
}

void FrmTaCotizacion::ActualizarDatos() {}

bool FrmTaCotizacion::FilaCorrecta(int Fila) const
{
    if (Fila < 0 || Fila >= MSFlexGrid1->rowCount()) return false;
    return !texto::recortar(MSFlexGrid1->texto(Fila, ColId)).isEmpty() &&
           !texto::recortar(MSFlexGrid1->texto(Fila, ColFecha)).isEmpty();
}

void FrmTaCotizacion::GrabarFila(int Fila, int Col)
{
    if (grabando_) return;
    QScopedValueRollback<bool> enCurso(grabando_, true);
    GrillaEditable* g = MSFlexGrid1;
    // The cell takes the editor's text; the editor is hidden before any box.
    if (g->editando()) g->confirmarEdicion();
    g->editor()->hide();
    if (!esColumnaEditable(Col) || Fila < 0 || Fila >= g->rowCount()) return;
    // A row without its Id and day (the empty last row) is not written.
    if (!FilaCorrecta(Fila) || Fila >= int(filas_.size())) {
        g->setCelda(Fila, Col, QVariant(), QString());
        return;
    }
    auto& fila = filas_[size_t(Fila)];
    const size_t n = size_t(Col - ColMoneda1);
    const std::optional<Moneda> guardada = fila.tasas[n];
    const auto volver = [&] { g->setCelda(Fila, Col, guardada ? QVariant::fromValue(*guardada) : QVariant(), cotizacion::TextoTasa(guardada)); };
    const std::optional<Moneda> tasa = cotizacion::LeerTasa(g->texto(Fila, Col));
    if (!tasa) {
        volver();
        dialogos().MsgBox(cotizacion::mensajes::noNumerica(), vbCritical, cotizacion::mensajes::titulo());
        return;
    }
    g->setCelda(Fila, Col, QVariant::fromValue(*tasa), cotizacion::TextoTasa(tasa));
    if (guardada == tasa) return; // unchanged: nothing to write
    cotizacion::Tasas nuevas = fila.tasas;
    nuevas[n] = tasa;
    const bool grabada = EjecutarPasos(QStringLiteral("TxtEdit_LostFocus"),
                                       {[&] { cotizacion::GrabarTasas(ctx_.con(), fila.id, nuevas); }}, {}, &ctx_.con());
    if (grabada) fila.tasas = nuevas;
    else volver();
}

void FrmTaCotizacion::confirmarEdicionAbierta()
{
    GrillaEditable* g = MSFlexGrid1;
    if (!g->editando()) return;
    const int f = g->filaEditor(), c = g->columnaEditor();
    // With the focus in the editor, giving it to the grid writes the row (focus-out);
    // otherwise the row is written here.
    const bool conFoco = g->editor()->hasFocus();
    g->enfocar();
    if (!conFoco) GrabarFila(f, c);
}

void FrmTaCotizacion::UtilTeb1_ButtonClick(const QString& clave)
{
    const QString k = clave.toUpper();
    try {
        // A command first puts an open edit into its cell and writes its row.
        confirmarEdicionAbierta();
        if (k == QLatin1String("GRABAR")) {
            ActualizarDatos();
            close();
        } else if (k == QLatin1String("CERRAR")) {
            close();
        } else if (k == QLatin1String("CANCELAR")) {
            InicializaGrid();
            AsignarExistentes();
        }
    } catch (const std::exception& e) {
        if (numeroDeError(e) == 5) return;
        dialogos().MsgBox(descripcionDeError(e), vbCritical, QStringLiteral("Aviso al operador"));
    }
}

void FrmTaCotizacion::closeEvent(QCloseEvent* e)
{
    // The close button too keeps an open edit; then only this window closes.
    confirmarEdicionAbierta();
    disconnect(MSFlexGrid1, nullptr, this, nullptr);
    e->accept();
}

void FrmTaCotizacion::keyPressEvent(QKeyEvent* e)
{
    if (UtilTeb1->Tecla(e->key(), e->modifiers())) return;
    QWidget::keyPressEvent(e);
}

} // namespace vexa
