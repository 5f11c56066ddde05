#include "Frmta_asigccosto.h"

#include "AjustesPrograma.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "DefinirConsulta.h"
#include "Dialogos.h"
#include "EjecutarProgramas.h"
#include "GrillaEditable.h"
#include "LBM_Common.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "VisorConsulta.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

QString Frmta_asigccosto::CuentaActual;

namespace {
const QString kAviso = QStringLiteral("Aviso al Operador");
// Display width of each column, in characters: Linea, C. Costo, Descripción, Porcentaje.
constexpr int kAncho[4] = {5, 4, 52, 10};
} // namespace

Frmta_asigccosto::Frmta_asigccosto(ContextoEmpresa& ctx, bool menu, QWidget* parent)
    : QWidget(parent), Menu(menu), ctx_(ctx)
{
    setObjectName(QStringLiteral("Frmta_asigccosto"));
    UtilTeb1 = new UtilTeb(this);
    UtilTeb1->setObjectName(QStringLiteral("UtilTeb1"));
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, &Frmta_asigccosto::UtilTeb1_ButtonClick);

    auto* etiqueta = new QLabel(QStringLiteral("Cuenta"), this);
    txtCuenta = std::make_unique<ArregloCajas>(QStringLiteral("txtCuenta"));
    QLineEdit* cuenta = txtCuenta->agregar(this, {QStringLiteral("codigo"), QStringLiteral("ma_cuentas"), 15});
    cuenta->setStyleSheet(QStringLiteral("QLineEdit:focus { background-color: #00FFFF; }"));
    cuenta->setFixedWidth(cuenta->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 15 + 24);
    lblDescripcion = new QLabel(this);
    lblDescripcion->setObjectName(QStringLiteral("lblDescripcion"));
    lblDescripcion->setMinimumWidth(320);
    armarGrilla();
    conectarCuenta();

    auto* fila = new QHBoxLayout;
    fila->addWidget(etiqueta);
    fila->addWidget(cuenta);
    fila->addWidget(lblDescripcion, 1);
    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addLayout(fila);
    v->addWidget(FGCCosto, 1);
    resize(640, 460);
    cargarInicial();
}

// The distribution grid: its keys, checks and the lookup on the right button.
void Frmta_asigccosto::armarGrilla()
{
    FGCCosto = new GrillaEditable(this);
    FGCCosto->setObjectName(QStringLiteral("FGCCosto"));
    FGCCosto->verticalHeader()->hide();
    FGCCosto->setSelectionMode(QAbstractItemView::SingleSelection);
    FGCCosto->ultimaFila = GrillaEditable::UltimaFila::AgregarFila;
    FGCCosto->teclasMovimiento = GrillaEditable::TeclaEnter | GrillaEditable::TeclaEscape | GrillaEditable::TeclaArriba
                                 | GrillaEditable::TeclaAbajo;
    FGCCosto->installEventFilter(this);
    BrwTxt = FGCCosto->editor();
    BrwTxt->installEventFilter(this);
    BrwTxt->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(BrwTxt, &QWidget::customContextMenuRequested, this, [this] { BuscarCuenta(); });
    FGCCosto->FiltroTecla = [this](int, QChar& c, const QString&) {
        return ControlesFormulario::FiltraTecla(BrwTxt, int(c.unicode())) != 0;
    };
    FGCCosto->ReglaMayusculas = [this](QChar c) {
        return QChar(char16_t(MayusculaKeyAscii(qint16(c.unicode()), ctx_.soloMayusculas)));
    };
    FGCCosto->ValidarEnter = [this](int fila, int col, const QString& t) {
        CampoValidaCCosto(fila + 1, col, t, true);
        return !HayError;
    };
    // Leaving a cell: the edit is checked without a message and kept for correction.
    connect(FGCCosto, &GrillaEditable::celdaConfirmada, this,
            [this](int fila, int col) { CampoValidaCCosto(fila + 1, col, FGCCosto->texto(fila, col), false); });
    connect(FGCCosto, &QTableWidget::currentCellChanged, this, [this](int f, int c) { alEntrarCelda(f, c); });
    connect(FGCCosto, &QTableWidget::cellClicked, this, [this](int, int c) {
        IndiceEditor = 0;
        IndiceCuenta = -2;
        UtilTeb1->setHabilitado(QStringLiteral("CONSULTAR"),
                                FGCCosto->columna(c).Editable && !FGCCosto->columna(c).Consulta.trimmed().isEmpty());
    });
}

// The account box: Enter checks it, the right button looks it up.
void Frmta_asigccosto::conectarCuenta()
{
    txtCuenta->AlEntrar = [this](int i) {
        IndiceEditor = -2;
        IndiceCuenta = i;
        UtilTeb1->setHabilitado(QStringLiteral("CONSULTAR"), !ArregloCajas::tag((*txtCuenta)[i]).trimmed().isEmpty());
    };
    txtCuenta->TeclaAbajo = [this](int, int& tecla, Qt::KeyboardModifiers) {
        if (ControlesFormulario::EsTeclaEnter(tecla)) {
            tecla = 0;
            CampoValidaCuenta(true);
        }
    };
    txtCuenta->BotonDerecho = [this](int) { BuscarCuenta(); };
}

// Form_Load: the account given by the chart window (none from the menu) and its rows.
void Frmta_asigccosto::cargarInicial()
{
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    Tabla = QStringLiteral("MA_CUENTASCCOSTO");
    setWindowTitle(QStringLiteral("Actualización de Centros de Costos"));
    LimpiarPantalla();
    (*txtCuenta)[0]->setText(Menu ? QString() : CuentaActual);
    Generar();
    try {
        lblDescripcion->setText(texto::recortar(Utilidades::NuloATexto(ctx_.con().BuscaValor(
            QStringLiteral("MA_CUENTAS"), CuentaActual, QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO")))));
    } catch (const std::exception& e) {
        reportar(e, QStringLiteral("Form_Load"));
    }
    UtilTeb1->setHabilitado(QStringLiteral("REPORTE"), false);
    UtilTeb1->setHabilitado(QStringLiteral("PLANILLA"), true);
    UtilTeb1->setHabilitado(QStringLiteral("NUEVO"), false);
    UtilTeb1->setHabilitado(QStringLiteral("BORRAR"), false);
    UtilTeb1->setHabilitado(QStringLiteral("CANCELAR"), false);
}

Frmta_asigccosto::~Frmta_asigccosto() { CuentaActual.clear(); }

void Frmta_asigccosto::closeEvent(QCloseEvent* e)
{
    CuentaActual.clear();
    QWidget::closeEvent(e);
}

void Frmta_asigccosto::aviso(const QString& mensaje)
{
    HayError = true;
    dialogos().MsgBox(mensaje, vbExclamation, kAviso);
}

void Frmta_asigccosto::reportar(const std::exception& e, const QString& procedimiento)
{
    ventanas::CursorEspera(false);
    HayError = true;
    Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), procedimiento);
}

void Frmta_asigccosto::Generar()
{
    if (Grabando) return;
    for (;;) {
        try {
            Filas = ccosto::Generar(ctx_.con(), CuentaActual);
            Nuevo = Filas.size() <= 1;
            Modificar = !Nuevo;
            Borrar = false;
            for (int i = 1; i < int(Filas.size()); ++i) MostrarFila(i);
            return;
        } catch (const std::exception& e) {
            ventanas::CursorEspera(false);
            if (Utilidades::ManejaError(e, QStringLiteral("Generar")) != vbRetry) return;
        }
    }
}

void Frmta_asigccosto::LimpiarPantalla()
{
    Nuevo = Borrar = Modificar = Grabando = false;
    txtCuenta->LimpiaCampos();
    lblDescripcion->clear();
    Filas.assign(1, {});
    MsFlex_Inicializa();
    HabilitarEdicion(false);
    (*txtCuenta)[0]->clear();
    (*txtCuenta)[0]->setFocus(Qt::OtherFocusReason);
}

void Frmta_asigccosto::MsFlex_Inicializa()
{
    FGCCosto->cancelarEdicion();
    BrwTxt->clear();
    IndiceEditor = 0;
    std::vector<ColumnaGrilla> columnas = {
        {QStringLiteral("Linea"), QString(), QString(), 5, false},
        {QStringLiteral("C. Costo"), QStringLiteral("TA_CCOSTO"), QStringLiteral("CCOSTO"), ccosto::AnchoCCosto, false},
        {QStringLiteral("Descripción"), QString(), QStringLiteral("DESCRIPCION"), 52, false},
        // The editor takes no more than the row keeps.
        {QStringLiteral("Porcentaje"), QString(), QStringLiteral("PORCENTAJE"), ccosto::AnchoPorcentaje, false},
    };
    const QSignalBlocker b(FGCCosto);
    FGCCosto->clearContents();
    FGCCosto->setColumnas(std::move(columnas));
    FGCCosto->setRowCount(19);
    const int car = FGCCosto->fontMetrics().averageCharWidth();
    for (int c = 0; c < 4; ++c) {
        const int titulo = FGCCosto->horizontalHeader()->fontMetrics().horizontalAdvance(FGCCosto->columna(c).Titulo) + 20;
        FGCCosto->setColumnWidth(c, qMax((kAncho[c] + 1) * car + 12, titulo));
        FGCCosto->setAlineacion(c, FGCCosto->columna(c).Campo.compare(QLatin1String("porcentaje"), Qt::CaseInsensitive) == 0
                                       ? Qt::AlignRight | Qt::AlignBottom
                                       : Qt::AlignLeft | Qt::AlignVCenter);
    }
    FGCCosto->horizontalHeader()->setStretchLastSection(true);
    for (int n = 1; n <= 19; ++n) FGCCosto->setCelda(n - 1, 0, n, QString::number(n));
    FGCCosto->setCurrentCell(0, 0);
    FilaActual = 1;
}

void Frmta_asigccosto::MostrarFila(int fila)
{
    FGCCosto->columna(1).Editable = true;
    if (fila <= 0 || fila >= int(Filas.size())) {
        FGCCosto->columna(3).Editable = false;
        return;
    }
    const int g = filaGrilla(fila);
    if (FGCCosto->rowCount() < g + 1) FGCCosto->setRowCount(g + 1);
    const ccosto::RegCentroCosto& r = Filas[size_t(fila)];
    const QString cc = texto::recortar(r.CCosto), de = texto::recortar(r.Descripcion), po = texto::recortar(r.Porcentaje);
    FGCCosto->setCelda(g, 0, fila, QString::number(fila));
    FGCCosto->setCelda(g, 1, cc, cc);
    FGCCosto->setCelda(g, 2, de, de);
    FGCCosto->setCelda(g, 3, po, po);
    FGCCosto->columna(3).Editable = !cc.isEmpty();
    FGCCosto->columna(2).Editable = false;
}

void Frmta_asigccosto::alEntrarCelda(int f, int c)
{
    if (f < 0 || c < 0) return;
    IndiceEditor = 0;
    IndiceCuenta = -2;
    UtilTeb1->setHabilitado(QStringLiteral("CONSULTAR"), !FGCCosto->columna(c).Consulta.trimmed().isEmpty());
    if (f + 1 != FilaActual) MostrarFila(FilaActual);
    FilaActual = f + 1;
    MostrarFila(FilaActual);
    FGCCosto->Brw_Propiedades(c);
}

void Frmta_asigccosto::HabilitarEdicion(bool activa)
{
    (*txtCuenta)[0]->setEnabled(!activa);
    UtilTeb1->setHabilitado(QStringLiteral("NUEVO"), !activa);
    UtilTeb1->setHabilitado(QStringLiteral("CANCELAR"), activa);
    UtilTeb1->setHabilitado(QStringLiteral("GRABAR"), activa);
    UtilTeb1->setHabilitado(QStringLiteral("CERRAR"), !activa);
    UtilTeb1->setHabilitado(QStringLiteral("BORRAR"), activa && !Nuevo);
    if (!activa) return;
    FGCCosto->setCurrentCell(0, 1);
    MostrarFila(1);
    FGCCosto->abrirEditor(32);
}

void Frmta_asigccosto::CampoValidaCCosto(int fila, int columna, const QString& textoDado, bool mostrar)
{
    HayError = false;
    if (fila < 1) return;
    const QString t = texto::recortar(textoDado);
    if (int(Filas.size()) <= fila) Filas.resize(size_t(fila) + 1);
    ccosto::RegCentroCosto& r = Filas[size_t(fila)];
    const auto falla = [&](const QString& m) {
        HayError = true;
        if (mostrar) aviso(m);
    };
    try {
        if (columna == 1) {
            r.CCosto = t;
            const QString codigo = ccosto::CodigoCentro(t);
            std::optional<ccosto::Centro> centro;
            if (!codigo.isEmpty()) {
                centro = ccosto::BuscarCentro(ctx_.con(), codigo);
                if (!centro) return falla(ccosto::MensajeCodigoInexistente());
                if (ccosto::CentroRepetido(Filas, fila, codigo)) return falla(ccosto::MensajeCentroRepetido());
                r.Descripcion = centro->descripcion;
            }
            if (centro) {
                r.CCosto = centro->codigo;
            } else {
                r = {};
            }
        } else if (columna == 3) {
            r.Porcentaje = t;
            if (!t.isEmpty() && !ccosto::LeerPorcentaje(t)) return falla(ccosto::MensajePorcentajeFueraDeRango());
            QString mensaje;
            if (!ccosto::SumaPorcentajesValida(Filas, mensaje)) return falla(mensaje);
        } else {
            return;
        }
        if (Grabando) {
            const auto s = ccosto::SumaPorcentajes(Filas);
            if (!s || *s < 0 || *s > ccosto::Cien) return falla(ccosto::MensajeSumaAlGrabar());
        }
        if (fila == FilaActual) MostrarFila(fila);
        else {
            MostrarFila(fila);
            MostrarFila(FilaActual);
        }
    } catch (const std::exception& e) {
        reportar(e, QStringLiteral("CampoValidaCCosto"));
    }
}

void Frmta_asigccosto::CampoValidaCuenta(bool mostrar)
{
    HayError = false;
    const QString t = texto::recortar((*txtCuenta)[0]->text());
    const auto falla = [&](const QString& m) {
        HayError = true;
        if (mostrar) aviso(m);
    };
    if (t.isEmpty()) return falla(ccosto::MensajeDebeIngresarCuenta());
    CuentaActual = t;
    try {
        const ccosto::Cuenta c = ccosto::BuscarCuenta(ctx_.con(), t);
        if (c.estado == ccosto::Cuenta::Estado::Inexistente) return falla(ccosto::MensajeCuentaInexistente());
        if (c.estado == ccosto::Cuenta::Estado::Titulo) return falla(ccosto::MensajeCuentaNoImputable());
        lblDescripcion->setText(c.descripcion);
    } catch (const std::exception& e) {
        reportar(e, QStringLiteral("CampoValidaCCosto"));
        return;
    }
    // While saving the rows on screen are the ones checked: nothing is reloaded.
    if (Grabando) return;
    Filas.assign(1, {});
    Generar();
    HabilitarEdicion(true);
    EnEdicion = true;
}

bool Frmta_asigccosto::DatosValidosCuenta()
{
    HayError = false;
    for (int i = 0; i < txtCuenta->cantidad() && !HayError; ++i) CampoValidaCuenta(true);
    return !HayError;
}

void Frmta_asigccosto::BuscarCuenta()
{
    try {
        if (IndiceEditor >= 0 && !ArregloCajas::tag(BrwTxt).trimmed().isEmpty()) {
            ColumnasConsulta cols;
            const QString codigo = DefinirConsulta(ctx_.con(), ArregloCajas::tag(BrwTxt), cols, true);
            if (codigo.isEmpty()) return;
            if (!FGCCosto->editando()) FGCCosto->abrirEditor(32);
            if (!FGCCosto->editando()) return;
            BrwTxt->setText(texto::recortar(codigo));
            CampoValidaCCosto(FGCCosto->filaEditor() + 1, FGCCosto->columnaEditor(), BrwTxt->text(), true);
            if (!HayError) FGCCosto->MSFlex_EditKeyCode(Qt::Key_Return);
            return;
        }
        if (IndiceCuenta >= 0 && !ArregloCajas::tag((*txtCuenta)[0]).trimmed().isEmpty()) {
            const auto cuenta = ctx_.configuracion().SeleccionaCuenta();
            if (!cuenta) return;
            (*txtCuenta)[0]->setText(*cuenta);
            const QString d = texto::recortar(Utilidades::NuloATexto(ctx_.con().BuscaValor(
                QStringLiteral("MA_CUENTAS"), texto::recortar(*cuenta), QStringLiteral("DESCRIPCION"),
                QStringLiteral("CODIGO"))));
            lblDescripcion->setText(d);
            if (!d.isEmpty()) CampoValidaCuenta(true);
        }
    } catch (const std::exception& e) {
        reportar(e, QStringLiteral("BuscarCuenta"));
    }
}

void Frmta_asigccosto::grabar()
{
    Grabando = true;
    FGCCosto->confirmarEdicion();
    if (!DatosValidosCuenta()) {
        Grabando = false;
        return;
    }
    try {
        if (const auto f = ccosto::RevisarFilas(ctx_.con(), Filas)) {
            aviso(f->mensaje);
            FGCCosto->setCurrentCell(filaGrilla(f->fila), f->columna);
            FGCCosto->abrirEditor(32);
            Grabando = false;
            return;
        }
        ventanas::CursorEspera(true);
        ccosto::Actualizar_Datos(ctx_.con(), CuentaActual, Filas, false);
        ventanas::CursorEspera(false);
    } catch (const ccosto::ErrorConversion&) {
        ventanas::CursorEspera(false);
        HayError = true;
        dialogos().MsgBox(QStringLiteral("Verifique las siguientes opciones: \r\n\r\n"
                                         "1) Ha ingresado letras donde debe ingresar numeros\r\n\r\n"
                                         "2) Debe ingresar una fecha y el formato es incorrecto\r\n\r\n"
                                         "En el campo: ")
                              + ArregloCajas::tag(BrwTxt) + u'/' + ArregloCajas::dataField(BrwTxt),
                          vbCritical, QStringLiteral("Error en conversion de datos"));
        BrwTxt->setFocus();
        Grabando = false;
        return;
    } catch (const std::exception& e) {
        // Rolled back: the grid stays as it was, for correction.
        reportar(e, QStringLiteral("Actualizar_Datos"));
        Grabando = false;
        return;
    }
    EnEdicion = false;
    LimpiarPantalla();
    Grabando = false;
}

void Frmta_asigccosto::borrar()
{
    const QString cuenta = (*txtCuenta)[txtCuenta->IndiceCampo(QStringLiteral("codigo"))]->text();
    bool conMovimientos = false;
    try {
        conMovimientos = ccosto::TieneMov(ctx_.con(), cuenta);
    } catch (const std::exception& e) {
        reportar(e, QStringLiteral("TieneMov")); // nothing is deleted
        return;
    }
    if (conMovimientos) {
        dialogos().MsgBox(ccosto::MensajeTieneMovimientos(cuenta));
        EnEdicion = false;
        LimpiarPantalla();
        return;
    }
    Borrar = true;
    try {
        ccosto::Actualizar_Datos(ctx_.con(), CuentaActual, Filas, true);
    } catch (const std::exception& e) {
        Borrar = false;
        reportar(e, QStringLiteral("Actualizar_Datos"));
        return;
    }
    EnEdicion = false;
    LimpiarPantalla();
}

void Frmta_asigccosto::UtilTeb1_ButtonClick(const QString& clave)
{
    const QString k = clave.toUpper();
    try {
        if (k == QLatin1String("NUEVO")) {
            LimpiarPantalla();
            Nuevo = true;
            Borrar = Modificar = false;
        } else if (k == QLatin1String("BORRAR")) {
            borrar();
        } else if (k == QLatin1String("GRABAR")) {
            grabar();
        } else if (k == QLatin1String("PLANILLA")) {
            VisorConsulta::Mostrar(ctx_.con(), ccosto::ConsultaPlanilla(), {}, ccosto::TituloPlanilla());
        } else if (k == QLatin1String("CONSULTAR")) {
            BuscarCuenta();
        } else if (k == QLatin1String("REPORTE")) {
            plataforma::mostrarAviso(EjecutarReporte(ctx_.con(), QStringLiteral("Rp_PlanCtas")));
        } else if (k == QLatin1String("CERRAR")) {
            close();
        } else if (k == QLatin1String("CANCELAR")) {
            if (!EnEdicion) return;
            if (dialogos().MsgBox(QStringLiteral("¿Está seguro de abandonar la carga de datos?"),
                                  vbYesNo + vbExclamation + vbDefaultButton2, QStringLiteral("Atención!!!")) == vbYes) {
                EnEdicion = false;
                LimpiarPantalla();
            }
        }
    } catch (const std::exception& e) {
        dialogos().MsgBox(descripcionDeError(e), vbCritical, QStringLiteral("Aviso al operador"));
    }
}

void Frmta_asigccosto::keyPressEvent(QKeyEvent* e)
{
    if (UtilTeb1->Tecla(e->key(), e->modifiers())) return;
    QWidget::keyPressEvent(e);
}

bool Frmta_asigccosto::eventFilter(QObject* o, QEvent* e)
{
    if (o == BrwTxt && e->type() == QEvent::FocusIn) {
        IndiceEditor = 0;
        IndiceCuenta = -2;
    }
    // Down on the grid's last row adds a row, as Enter does.
    if (o == FGCCosto && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Down && k->modifiers() == Qt::NoModifier
            && FGCCosto->currentRow() == FGCCosto->rowCount() - 1) {
            FGCCosto->moverAbajo();
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

} // namespace vexa
