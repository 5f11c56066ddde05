#include "FrmMA_BienesUso.h"

#include "AjustesPrograma.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "LBM_Common.h"
#include "ListaConsulta.h"
#include "RegBienUso.h"
#include "GrabacionBienes.h"
#include "ReglasBienes.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

namespace {

const QString kTitulo = QStringLiteral("Actualización de Bienes de Uso");
const QString kAviso = QStringLiteral("Aviso al Operador...");

// The boxes of txtbuso by index: data field, lookup, max, frame, caption, filter, right-aligned.
enum Marco { Cabecera, Compra, Adicional, Mejoras };
using Def = VentanaBien::DefCaja;
const Def kBuso[] = {
    {"CODIGO", "ma_bienes", 0, Cabecera, "Nº Control Interno", "NUMERO", false},
    {"Cuenta_Ejercicio", "ma_cuentas", 15, Cabecera, "Nº Cta. Depreciación Ejercicio", nullptr, false},
    {"Cuenta_Contable", "ma_cuentas", 15, Cabecera, "Nº Cta. Bien de Uso", nullptr, false},
    {"Cuenta_Acumulada", "ma_cuentas", 15, Cabecera, "Nº Cta. Depreciación Acumulada", nullptr, false},
    {"Fecha_Compra", "fecha", 10, Compra, "Fecha de Compra/ Revaluación", "FECHA", false},
    {"Costo", "", 0, Compra, "Costo", "NUMERO", true},
    {"Valor_Residual", "", 0, Compra, "Valor Residual", "NUMERO", true},
    {"Fecha_revaluAcion", "fecha", 10, Compra, nullptr, "FECHA", false},
    {"importe", "", 0, Compra, nullptr, "NUMERO", true},
    {"vida_util", "", 0, Compra, "Vida Util (en Años)", "NUMERO", true},
    {"porcentaje", "", 0, Compra, "% Depreciación", "NUMERO", true},
    {"ubicacion", "", 250, Adicional, "Ubicación ", nullptr, false},
    {"afecta", "", 250, Adicional, "Afectado a", nullptr, false},
    {"descripcion", "", 250, Adicional, "Descripción ", nullptr, false},
    {"fecha_baja", "fecha", 10, Adicional, "Fecha de Baja", "FECHA", false},
    {"motivo", "", 250, Adicional, "Motivo", nullptr, false},
    {"Novedad_iD", "ma_bienes_novedades", 0, Mejoras, "Nº Id. Mejoras", "NUMERO", true},
    {"Novedad_Fecha", "fecha", 10, Mejoras, "Fecha", "FECHA", true},
    {"Novedad_Importe", "", 0, Mejoras, "Importe", "NUMERO", true},
    {"Novedad_Detalle", "", 250, Mejoras, "Descripción", nullptr, false},
    {"Novedad_Vida_Util", "", 0, Mejoras, "Vida Util (en Años)", "NUMERO", true},
    {"Periodo", "", 0, Compra, "Ejercicio de Compra/ Revaluación Nº", "NUMERO", true},
    {"Valor_Recupero", "", 0, Compra, "Valor de Recupero", "NUMERO", true},
    {"serie", "", 20, Cabecera, "Identificación", nullptr, false},
    {"Novedad_porcentaje", "", 0, Mejoras, "% Depreciación", "NUMERO", true},
    {"Periodo_revaluacion", "", 0, Compra, nullptr, "NUMERO", true},
};
const Def kCalculo[] = {
    {"PERIODO_CALCULO", "", 0, 0, "Cantidad de Meses ", "NUMERO", true},
    {"COSTO_INICIO", "", 0, 0, "Costo Incio Ejercicio:", "NUMERO", true},
    {"COEFICIENTE", "", 0, 0, "Coeficiente", "NUMERO", true},
    {"DEP_EJERCICIO", "", 0, 0, "Depreciación Ejercicio:", "NUMERO", true},
    {"dep_acumulada", "", 0, 0, "Depreciación Acumulada:", "NUMERO", true},
    {"FECHA_CIERRE", "FECHA", 10, 0, "Fecha Cierre (Ult.Ejerc)", "FECHA", true},
};
// The order Enter and Tab follow through the boxes (by data field): frame by
// frame (identification and accounts, purchase data, additional data,
// improvement, sheet), each frame's boxes in their reading order.
const char* const kOrdenBuso[] = {"CODIGO", "serie", "Cuenta_Contable", "Cuenta_Ejercicio", "Cuenta_Acumulada",
                                  "Fecha_Compra", "Fecha_revaluAcion", "Costo", "importe", "Valor_Residual",
                                  "Valor_Recupero", "Periodo", "Periodo_revaluacion", "vida_util", "porcentaje",
                                  "ubicacion", "afecta", "descripcion", "fecha_baja", "motivo", "Novedad_iD",
                                  "Novedad_Fecha", "Novedad_Importe", "Novedad_Detalle", "Novedad_Vida_Util",
                                  "Novedad_porcentaje"};
const char* const kOrdenCalculo[] = {"PERIODO_CALCULO", "COEFICIENTE", "COSTO_INICIO", "FECHA_CIERRE", "DEP_EJERCICIO",
                                     "dep_acumulada"};

QString recortar(const QString& s) { return texto::recortar(s); }
bool campoEs(const QString& campo, const char* nombre) { return texto::igual(campo, QString::fromLatin1(nombre)); }
QString formatoImporte(const QString& t) { return Utilidades::TextoAMoneda(t).texto(2); }

} // namespace

FrmMA_BienesUso::FrmMA_BienesUso(ContextoEmpresa& ctx, bool esCargaInicial, QWidget* parent)
    : VentanaBien(ctx, parent), EsCargaInicial(esCargaInicial)
{
    construir();
    Form_Load();
}

FrmMA_BienesUso::~FrmMA_BienesUso() = default;

void FrmMA_BienesUso::construir()
{
    setObjectName(QStringLiteral("FrmMA_BienesUso"));
    setWindowTitle(kTitulo);
    auto* raiz = new QVBoxLayout(this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    raiz->addWidget(SSTab1);
    SSTab1->addTab(construirLista(), QStringLiteral("Bienes de Uso"));
    SSTab1->addTab(construirDatos(), QStringLiteral("Datos del Bien de Uso"));
    encadenar();
    conectar();
}

// Tab 0: the list of an account's assets.
QWidget* FrmMA_BienesUso::construirLista()
{
    auto* tab0 = new QWidget;
    auto* l0 = new QGridLayout(tab0);
    LblAclaracion = new QLabel(QStringLiteral("Para modificar uno de los Bienes de Uso Existentes, debe seleccionarlo de la lista."), tab0);
    LblAclaracion->setObjectName(QStringLiteral("LblAclaracion"));
    CmdAlta = new QPushButton(QStringLiteral("Dar de &Alta un Nuevo Bien de Uso"), tab0);
    CmdAlta->setObjectName(QStringLiteral("CmdAlta"));
    FG_Bienes = new QTableWidget(tab0);
    FG_Bienes->setObjectName(QStringLiteral("FG_Bienes"));
    FG_Bienes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FG_Bienes->setSelectionBehavior(QAbstractItemView::SelectRows);
    FG_Bienes->setSelectionMode(QAbstractItemView::SingleSelection);
    FG_Bienes->verticalHeader()->hide();
    CmdModificar = new QPushButton(QStringLiteral("&Modificar  uno existente"), tab0);
    CmdModificar->setObjectName(QStringLiteral("CmdModificar"));
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), tab0);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    l0->addWidget(LblAclaracion, 0, 0, 1, 3);
    l0->addWidget(CmdAlta, 1, 0);
    l0->addWidget(FG_Bienes, 2, 0, 1, 3);
    l0->addWidget(CmdModificar, 3, 1);
    l0->addWidget(CmdCancelar, 3, 2);
    return tab0;
}

// Tab 1: the asset's data.
QWidget* FrmMA_BienesUso::construirDatos()
{
    auto* tab1 = new QWidget;
    auto* l1 = new QVBoxLayout(tab1);
    FrmBienes = new QWidget(tab1);
    FrmBienes->setObjectName(QStringLiteral("FrmBienes"));
    auto* lb = new QGridLayout(FrmBienes);
    lb->setContentsMargins(0, 0, 0, 0);
    const auto lugares = construirMarcos(FrmBienes);
    lb->addWidget(frmBusoCabecera, 0, 0, 1, 2);
    lb->addWidget(FrmBusoDatosCompra, 1, 0);
    lb->addWidget(FrmBusoDatosAdic, 1, 1);
    lb->addWidget(frmBusoNovedades, 2, 0, 1, 2);
    lb->addWidget(FrmCalculo, 3, 0, 1, 2);

    // Two label-and-box pairs per row in the wider frames.
    QGroupBox* const marcos[] = {frmBusoCabecera, FrmBusoDatosCompra, FrmBusoDatosAdic, frmBusoNovedades};
    const int columnas[] = {2, 1, 1, 2};
    const auto etiquetas = ponerCajas(*txtbuso, kBuso, marcos, std::span(lugares).first(4), columnas);
    LBLvALORrESIDUAL = etiquetas[size_t(txtbuso->IndiceCampo(QStringLiteral("Valor_Residual")))];
    LBLvALORrESIDUAL->setObjectName(QStringLiteral("LBLvALORrESIDUAL"));
    buso(QStringLiteral("Novedad_Detalle"))->setMinimumHeight(2 * buso(QStringLiteral("Novedad_Detalle"))->sizeHint().height());
    LblMensajeNovedad = new QLabel(
        QStringLiteral("Este cuadro sólo se habilitará cuando se esté cargando una modificación a un Bien de Uso."), frmBusoNovedades);
    LblMensajeNovedad->setObjectName(QStringLiteral("LblMensajeNovedad"));
    LblMensajeNovedad->setWordWrap(true);
    lugares[3]->addWidget(LblMensajeNovedad, lugares[3]->rowCount(), 0, 1, 4);
    construirPlanilla(lugares[4]);

    CmdBusoAceptar = new QPushButton(QStringLiteral("&Aceptar"), tab1);
    CmdBusoAceptar->setObjectName(QStringLiteral("CmdBusoAceptar"));
    CmdBusoCancelar = new QPushButton(QStringLiteral("&Cancelar"), tab1);
    CmdBusoCancelar->setObjectName(QStringLiteral("CmdBusoCancelar"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdBusoAceptar);
    botones->addWidget(CmdBusoCancelar);
    l1->addWidget(FrmBienes);
    l1->addStretch();
    l1->addLayout(botones);
    return tab1;
}

// The sheet: two label-and-box pairs per row, the months' name beside the months.
void FrmMA_BienesUso::construirPlanilla(QGridLayout* lCal)
{
    for (size_t i = 0; i < std::size(kCalculo); ++i) {
        const Def& d = kCalculo[i];
        QLineEdit* t = txtCalculo->agregar(FrmCalculo, {QString::fromLatin1(d.campo), QString::fromLatin1(d.tag), d.largo, true});
        t->setProperty(ControlesFormulario::propiedadFiltro(), QString::fromLatin1(d.filtro));
        auto* e = new QLabel(QString::fromUtf8(d.caption), FrmCalculo);
        e->setBuddy(t);
        const int fila = int(i) / 2, col = (int(i) % 2) * 3;
        lCal->addWidget(e, fila, col);
        lCal->addWidget(t, fila, col + 1);
        if (i == 0) {
            lblDescPeriodo = new QLabel(QStringLiteral("..."), FrmCalculo);
            lblDescPeriodo->setObjectName(QStringLiteral("lblDescPeriodo"));
            lCal->addWidget(lblDescPeriodo, fila, col + 2);
        }
    }
    LblMensajeDepreciable = new QLabel(
        QStringLiteral("Este cuadro sólo se habilitará cuando el ejercicio de compra sea menor al ejercicio activo, y el Bien "
                       "de Uso sea un bien depreciable, es decir: la vida útil es mayor a cero (0)"),
        FrmCalculo);
    LblMensajeDepreciable->setObjectName(QStringLiteral("LblMensajeDepreciable"));
    LblMensajeDepreciable->setWordWrap(true);
    lCal->addWidget(LblMensajeDepreciable, lCal->rowCount(), 0, 1, 6);
}

// Enter and Tab follow the form's reading order.
void FrmMA_BienesUso::encadenar()
{
    QWidget* previo = nullptr;
    auto sigue = [&](QWidget* w) {
        if (previo) setTabOrder(previo, w);
        previo = w;
    };
    for (const char* c : kOrdenBuso) sigue(buso(QString::fromLatin1(c)));
    for (const char* c : kOrdenCalculo) sigue(calculo(QString::fromLatin1(c)));
    sigue(CmdBusoAceptar);
    sigue(CmdBusoCancelar);
}

// The improvement's description is edited where the operator clicks.
void FrmMA_BienesUso::conectar()
{
    campos_.atender(*txtbuso, {.valida = [this](int i) { Campo_Valida(*txtbuso, i); return !HayError; },
                               .consultar = [this] { ConsultarCampo(); },
                               .alEntrar = [this](int i) { IndiceBuso = i; IndiceCalculo = -2; },
                               .sinSeleccion = {QStringLiteral("Novedad_Detalle")}});
    campos_.atender(*txtCalculo, {.valida = [this](int i) { Campo_Valida(*txtCalculo, i); return !HayError; },
                                  .alEntrar = [this](int i) { IndiceCalculo = i; IndiceBuso = -2; }});
    registrarConsultas(QStringLiteral("SELECT CODIGO, DESCRIPCION, BIENES FROM MA_CUENTAS WHERE BIENES = 1"),
                       QStringLiteral("SELECT CODIGO, DESCRIPCION, SERIE AS IDENTIFICACION FROM MA_BIENES"));
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdAlta, &QPushButton::clicked, this, [this] { CmdAlta_Click(); });
    connect(CmdModificar, &QPushButton::clicked, this, [this] { CmdModificar_Click(); });
    connect(FG_Bienes, &QTableWidget::cellDoubleClicked, this, [this] { FG_Bienes_DblClick(); });
    connect(CmdBusoAceptar, &QPushButton::clicked, this, [this] { CmdBusoAceptar_Click(); });
    connect(CmdBusoCancelar, &QPushButton::clicked, this, [this] { CmdBusoCancelar_Click(); });
}

void FrmMA_BienesUso::Form_Load()
{
    resize(sizeHint().expandedTo(QSize(820, 640)));
    if (const QScreen* s = screen()) move(s->geometry().center() - rect().center());
    setWindowTitle(recortar(kTitulo) + (EsCargaInicial ? QStringLiteral(" - Carga Inicial de Datos") : QStringLiteral(" - Kardex -")));
    AplicarEstiloFormulario(this);
    ventanas::PreparaFormulario(this);
    // Cleared first, then arranged: the initial load opens as it stands after
    // each accepted asset (Inicializa, then Datos_CargaInicial through
    // Prepara_Pantalla), with the new number, today's date and the new-asset
    // mode the set-up proposes. Cleared last, it would blank them again.
    Inicializa();
    Prepara_Pantalla(EsCargaInicial);
}

void FrmMA_BienesUso::Form_Unload(int& cancel)
{
    cancel = 0;
    if (!EjecutarPasos(QStringLiteral("Unload"), {[this] { hide(); }, [this] { deleteLater(); }})) return;
}

void FrmMA_BienesUso::habilita(const char* campo, bool activo) { buso(QString::fromLatin1(campo))->setEnabled(activo); }

void FrmMA_BienesUso::proponerCodigo()
{
    codigoPropuesto_ = ctx_.configuracion().NuevoCodigoBien();
    buso(QStringLiteral("CODIGO"))->setText(codigoPropuesto_);
    EsAlta = true;
    EsNovedad = false;
    EsBaja = false;
}

void FrmMA_BienesUso::Datos_CargaInicial()
{
    EjecutarPasos(QStringLiteral("Datos_CargaInicial"),
                  {[this] {
                       for (QLineEdit* t : txtbuso->cajas()) {
                           t->clear();
                           t->setEnabled(false);
                       }
                   },
                   [this] {
                       habilita("CODIGO", true);
                       buso(QStringLiteral("CODIGO"))->setReadOnly(true);
                   },
                   [this] {
                       habilita("CUENTA_CONTABLE", true);
                       habilita("FECHA_COMPRA", true);
                       buso(QStringLiteral("FECHA_COMPRA"))->setText(Utilidades::FechaATexto(plataforma::hoy()));
                   },
                   [this] {
                       for (const char* c : {"COSTO", "VIDA_UTIL", "UBICACION", "AFECTA", "PERIODO", "VALOR_RECUPERO"}) habilita(c, true);
                       buso(QStringLiteral("VALOR_RECUPERO"))->setText(QStringLiteral("0.00"));
                   },
                   [this] {
                       LBLvALORrESIDUAL->hide();
                       buso(QStringLiteral("VALOR_RESIDUAL"))->hide();
                   },
                   [this] { habilita("DESCRIPCION", true); },
                   [this] { proponerCodigo(); },
                   // The proposed number is a new asset: its identification is keyed first.
                   [this] {
                       habilita("SERIE", true);
                       buso(QStringLiteral("SERIE"))->setFocus();
                   },
                   [this] {
                       calculo(QStringLiteral("DEP_EJERCICIO"))->setEnabled(false);
                       calculo(QStringLiteral("DEP_ACUMULADA"))->setEnabled(true);
                   },
                   [this] {
                       if (!EsCargaInicial) return;
                       habilita("FECHA_BAJA", true);
                       habilita("MOTIVO", true);
                       calculo(QStringLiteral("COEFICIENTE"))->setEnabled(false);
                   },
                   [this] {
                       FrmCalculo->show();
                       lblDescPeriodo->setText(QStringLiteral("..."));
                   }},
                  {5}, &ctx_.con());
}

bool FrmMA_BienesUso::CargaFlexGrid()
{
    const QString cuenta = BienUso.CuentaContable.texto();
    const auto filas = bienes::BienesDeCuenta(ctx_.con(), cuenta);
    const int w = fontMetrics().horizontalAdvance(QLatin1Char('Z'));
    FG_Bienes->setColumnCount(5);
    FG_Bienes->setHorizontalHeaderLabels({QStringLiteral("Línea"), QStringLiteral("Código"), QStringLiteral("Cuenta"),
                                          QStringLiteral("Descripción"), QStringLiteral("Fecha")});
    const int anchos[] = {6, 8, 15, 50, 12};
    for (int c = 0; c < 5; ++c) FG_Bienes->setColumnWidth(c, anchos[c] * w);
    if (filas.empty()) return false;
    FG_Bienes->setUpdatesEnabled(false);
    FG_Bienes->setRowCount(int(filas.size()));
    int n = 0;
    for (const bienes::BienListado& b : filas) {
        const QString valores[] = {QString::number(n + 1), QString::number(b.codigo), b.cuenta, b.descripcionCuenta,
                                   Utilidades::FechaATexto(b.fechaCompra)};
        for (int c = 0; c < 5; ++c) FG_Bienes->setItem(n, c, new QTableWidgetItem(valores[c]));
        ++n;
    }
    FG_Bienes->setUpdatesEnabled(true);
    return true;
}

void FrmMA_BienesUso::Prepara_Pantalla(bool cargaInicial)
{
    if (cargaInicial) {
        FrmCalculo->show();
        SSTab1->setTabEnabled(1, true);
        SSTab1->setCurrentIndex(1);
        SSTab1->setTabEnabled(0, false);
        Datos_CargaInicial();
        frmBusoNovedades->setEnabled(true);
        return;
    }
    if (CargaFlexGrid()) {
        SSTab1->setTabEnabled(0, true);
        SSTab1->setCurrentIndex(0);
        SSTab1->setTabEnabled(1, false);
    } else {
        SSTab1->setTabEnabled(1, true);
        SSTab1->setCurrentIndex(1);
        SSTab1->setTabEnabled(0, false);
        Habilita_BienDeUso(true);
        Asignar_Registro(true);
    }
    FrmCalculo->hide();
}

void FrmMA_BienesUso::Habilita_BienDeUso(bool nuevo)
{
    const bool carga = EsCargaInicial;
    habilita("CODIGO", carga);
    for (const char* c : {"CUENTA_CONTABLE", "CUENTA_EJERCICIO", "CUENTA_ACUMULADA", "PORCENTAJE", "NOVEDAD_PORCENTAJE", "NOVEDAD_ID"})
        habilita(c, false);
    for (const char* c : {"COSTO", "VALOR_RESIDUAL", "PERIODO"}) habilita(c, carga && nuevo);
    habilita("FECHA_REVALUACION", false);
    habilita("IMPORTE", false);
    if (!carga) {
        habilita("PERIODO_REVALUACION", false);
        LblMensajeDepreciable->hide();
    }
    for (const char* c : {"VIDA_UTIL", "UBICACION", "DESCRIPCION", "AFECTA"}) habilita(c, nuevo);
    habilita("FECHA_BAJA", !nuevo);
    habilita("MOTIVO", !nuevo);
    habilita("NOVEDAD_FECHA", carga);
    habilita("NOVEDAD_IMPORTE", carga);
    habilita("NOVEDAD_DETALLE", carga || !nuevo);
    if (carga) habilita("NOVEDAD_VIDA_UTIL", true);
    habilita("FECHA_COMPRA", carga && nuevo);
    if (carga) buso(QStringLiteral("FECHA_COMPRA"))->clear();
    habilita("VALOR_RECUPERO", nuevo);
    habilita("SERIE", nuevo);
    if (carga) {
        FrmBusoDatosCompra->setEnabled(EsNovedad || nuevo);
        frmBusoNovedades->setVisible(EsNovedad || !EsAlta);
    } else {
        frmBusoNovedades->hide();
        LblMensajeNovedad->hide();
        FrmCalculo->hide();
    }
}

// ---- field checks ----

bool FrmMA_BienesUso::rechaza(const QString& mensaje)
{
    HayError = true;
    mensaje_ = mensaje;
    return false;
}

void FrmMA_BienesUso::Campo_Valida(ArregloCajas& arreglo, int indice)
{
    QLineEdit* caja = arreglo[indice];
    if (!caja) return;
    const QString valor = recortar(caja->text());
    const QString campo = recortar(ArregloCajas::dataField(caja));
    if (!ValidandoTodo) SinPlanilla = false;
    HayError = false;
    mensaje_.clear();
    try {
        if (texto::igual(arreglo.nombre(), QStringLiteral("txtbuso"))) {
            if (ActualizaPlanilla()) aplicaRegla(*txtbuso, valor, campo);
        } else if (!FrmCalculo->isHidden()) {
            aplicaRegla(*txtCalculo, valor, campo);
        }
    } catch (const ErrorVexa& e) {
        // A rule that could not be checked refuses the field.
        Utilidades::escribirLog(e.numero(), e.descripcion(), QStringLiteral("Campo_Valida"));
        rechaza(e.descripcion());
    } catch (const std::exception& e) {
        Utilidades::escribirLog(-1, QString::fromLocal8Bit(e.what()), QStringLiteral("Campo_Valida"));
        rechaza(QString::fromLocal8Bit(e.what()));
    }
    if (HayError) {
        dialogos().MsgBox(mensaje_, vbCritical, kAviso);
        // The refused box takes the focus; the depreciation accounts are not
        // typed but filled from the asset account, which takes it for them.
        QLineEdit* corregir = arreglo[indice];
        if (corregir && !corregir->isEnabled() && &arreglo == txtbuso &&
            (campoEs(campo, "CUENTA_EJERCICIO") || campoEs(campo, "CUENTA_ACUMULADA")))
            corregir = buso(QStringLiteral("CUENTA_CONTABLE"));
        if (corregir) corregir->setFocus();
    }
}

bool FrmMA_BienesUso::ActualizaPlanilla()
{
    QDate desde, hasta;
    ctx_.configuracion().FechasEjercicio(int(ctx_.periodo()), desde, hasta);
    bool ok = true;
    if (EsAlta) {
        const double periodo = texto::val(buso(QStringLiteral("PERIODO"))->text());
        const bool activo = periodo == double(ctx_.periodo());
        if (activo) FrmCalculo->hide();
        const bool noDepreciable = texto::val(buso(QStringLiteral("VIDA_UTIL"))->text()) == 0;
        if (EsCargaInicial) FrmCalculo->setVisible(!activo && !noDepreciable);
        habilita("VALOR_RECUPERO", !noDepreciable);
        if (noDepreciable) buso(QStringLiteral("VALOR_RECUPERO"))->setText(QStringLiteral("0.00"));
        const QDate compra = Utilidades::TextoAFecha(recortar(buso(QStringLiteral("FECHA_COMPRA"))->text()));
        if (compra.isValid() && hasta.isValid() && compra > hasta)
            ok = rechaza(QStringLiteral("La fecha ingresada es mayor al ejercicio activo! "));
    } else if (EsNovedad) {
        const QDate f = Utilidades::TextoAFecha(recortar(buso(QStringLiteral("NOVEDAD_FECHA"))->text()));
        if (f.isValid() && desde.isValid() && hasta.isValid()) {
            if (f < desde) {
                FrmCalculo->show();
            } else {
                FrmCalculo->hide();
                if (f > hasta) ok = rechaza(QStringLiteral("La fecha ingresada es mayor al ejercicio activo! "));
            }
        }
        if (ok) {
            const double vida = texto::val(buso(QStringLiteral("NOVEDAD_VIDA_UTIL"))->text());
            buso(QStringLiteral("NOVEDAD_PORCENTAJE"))->setText(bienes::PorcentajeDeVida(vida));
            if (vida <= 0) FrmCalculo->hide();
        }
    }
    SinPlanilla = FrmCalculo->isHidden();
    return ok;
}

void FrmMA_BienesUso::modoPorCodigo()
{
    const auto codigo = bienes::CodigoBien(buso(QStringLiteral("CODIGO"))->text());
    const bool existe = codigo && recortar(buso(QStringLiteral("CODIGO"))->text()) != codigoPropuesto_ &&
                        bienes::ExisteBien(ctx_.con(), *codigo);
    EsBaja = false;
    EsNovedad = existe;
    EsAlta = !existe;
    FrmCalculo->setEnabled(true);
    frmBusoNovedades->setEnabled(true);
}

bienes::EstadoFormulario FrmMA_BienesUso::estado()
{
    bienes::EstadoFormulario e = estadoBase([this](bienes::Arreglo a) { return a == bienes::Arreglo::Planilla ? txtCalculo : txtbuso; });
    e.alta = EsAlta;
    e.novedad = EsNovedad;
    e.baja = EsBaja;
    e.cargaInicial = EsCargaInicial;
    e.validandoTodo = ValidandoTodo;
    e.mejorasOcultas = frmBusoNovedades->isHidden();
    e.codigoPropuesto = codigoPropuesto_;
    return e;
}

void FrmMA_BienesUso::ponerModo(bienes::Modo m)
{
    switch (m) {
    case bienes::Modo::Ninguno: return;
    case bienes::Modo::PorCodigo: modoPorCodigo(); return;
    case bienes::Modo::Alta:
    case bienes::Modo::Existente:
    case bienes::Modo::Baja: break;
    }
    EsAlta = m == bienes::Modo::Alta;
    EsNovedad = m == bienes::Modo::Existente;
    EsBaja = m == bienes::Modo::Baja;
    if (!EsBaja) return;
    FrmCalculo->setEnabled(false);
    frmBusoNovedades->setEnabled(false);
}

bool FrmMA_BienesUso::aplicaRegla(ArregloCajas& arreglo, const QString& valor, const QString& campo)
{
    const auto a = &arreglo == txtbuso ? bienes::Arreglo::Bien : bienes::Arreglo::Planilla;
    const auto r = reglaDe(bienes::TablaBien(), a, arreglo, valor, campo, estado());
    if (!r) return true;
    if (r->proponerCodigo) proponerCodigo();
    if (!r->pasa()) return rechaza(r->mensaje);
    ponerModo(r->modo);
    if (r->codigo) CodigoValidado = true;
    if (r->cargar) {
        Habilita_BienDeUso(r->modo == bienes::Modo::Alta);
        if (r->modo == bienes::Modo::Existente) AsignarDatosBien();
    }
    if (r->descripcionPeriodo) lblDescPeriodo->setText(*r->descripcionPeriodo);
    if (r->depEjercicio) CalculaDepEjercicio();
    return r->planilla ? ActualizaPlanilla() : true;
}

void FrmMA_BienesUso::CalculaDepEjercicio()
{
    const qint64 meses = texto::valEntero(calculo(QStringLiteral("PERIODO_CALCULO"))->text());
    const Moneda base = EsAlta ? Utilidades::TextoAMoneda(buso(QStringLiteral("COSTO"))->text()) -
                                     Utilidades::TextoAMoneda(buso(QStringLiteral("VALOR_RECUPERO"))->text())
                               : Utilidades::TextoAMoneda(buso(QStringLiteral("NOVEDAD_IMPORTE"))->text());
    const double coef = Utilidades::TextoADoble(calculo(QStringLiteral("COEFICIENTE"))->text());
    const double p = EsAlta      ? Utilidades::TextoADoble(buso(QStringLiteral("PORCENTAJE"))->text())
                     : EsNovedad ? Utilidades::TextoADoble(buso(QStringLiteral("NOVEDAD_PORCENTAJE"))->text())
                                 : 0.0;
    calculo(QStringLiteral("DEP_EJERCICIO"))->setText(bienes::CalculaDepEjercicio(base, coef, p, meses).texto(2));
}

// ---- loading and lookups ----

void FrmMA_BienesUso::AsignarDatosBien()
{
    Conexion& con = ctx_.con();
    std::optional<Fila> f;
    auto caja = [this](const char* c) { return buso(QString::fromLatin1(c)); };
    EjecutarPasos(
        QStringLiteral("AsignarDatosBien"),
        {[&] {
             const auto codigo = bienes::CodigoBien(caja("CODIGO")->text());
             if (codigo) f = bienes::LeerBien(con, *codigo);
         },
         [&] {
             if (!f) {
                 // Not stored: the depreciation accounts of the typed asset account.
                 const auto deps = bienes::CuentasDeDepreciacion(con, caja("CUENTA_CONTABLE")->text());
                 caja("CUENTA_EJERCICIO")->setText(deps.ejercicio);
                 caja("CUENTA_ACUMULADA")->setText(deps.acumulada);
                 return;
             }
             auto textoDe = [&](const char* c) { return recortar(f->texto(QString::fromLatin1(c))); };
             auto fecha = [&](const char* c) { return Utilidades::FechaATexto(f->fecha(QString::fromLatin1(c))); };
             auto importe = [&](const char* c) {
                 return f->esNulo(QString::fromLatin1(c)) ? QString() : f->moneda(QString::fromLatin1(c)).texto(2);
             };
             auto numero = [&](const char* c) {
                 return f->esNulo(QString::fromLatin1(c)) ? QString() : QString::number(f->doble(QString::fromLatin1(c)), 'g', 15);
             };
             caja("CUENTA_CONTABLE")->setText(textoDe("CUENTA_CONTABLE"));
             caja("CUENTA_EJERCICIO")->setText(textoDe("CUENTA_EJERCICIO"));
             caja("CUENTA_ACUMULADA")->setText(textoDe("CUENTA_ACUMULADA"));
             caja("FECHA_COMPRA")->setText(fecha("FECHA_COMPRA"));
             caja("COSTO")->setText(importe("COSTO"));
             caja("VALOR_RESIDUAL")->setText(importe("VALOR_RESIDUAL"));
             caja("FECHA_REVALUACION")->setText(fecha("FECHA_REVALUACION"));
             caja("IMPORTE")->setText(importe("IMPORTE"));
             caja("VIDA_UTIL")->setText(numero("VIDA_UTIL"));
             caja("PORCENTAJE")->setText(textoDe("PORCENTAJE"));
             caja("UBICACION")->setText(textoDe("UBICACION"));
             caja("AFECTA")->setText(textoDe("AFECTA"));
             caja("DESCRIPCION")->setText(textoDe("DESCRIPCION"));
             caja("VALOR_RECUPERO")->setText(importe("VALOR_RECUPERO"));
             caja("SERIE")->setText(textoDe("SERIE"));
             caja("PERIODO")->setText(numero("PERIODO"));
         },
         [&] {
             if (f && EsCargaInicial)
                 caja("NOVEDAD_ID")->setText(recortar(ctx_.configuracion().IdMejoraBien(recortar(caja("CODIGO")->text()))));
         },
         [&] {
             if (f) CmdBusoAceptar->setEnabled(true);
         }},
        {}, &con);
}

// ---- reset, commands and acceptance ----

void FrmMA_BienesUso::Inicializa()
{
    EsAlta = false;
    EsNovedad = false;
    EsBaja = false;
    ValidandoTodo = false;
    QLineEdit* codigo = buso(QStringLiteral("CODIGO"));
    codigo->setEnabled(EsCargaInicial);
    codigo->setReadOnly(true);
    if (!EsCargaInicial) return;
    txtCalculo->LimpiaCampos();
    txtbuso->LimpiaCampos();
    buso(QStringLiteral("VALOR_RECUPERO"))->setText(QStringLiteral("0.00"));
    buso(QStringLiteral("COSTO"))->setText(QStringLiteral("0.00"));
    habilita("COSTO", true);
    buso(QStringLiteral("IMPORTE"))->setText(QStringLiteral("0.00"));
    for (const char* c : {"COSTO_INICIO", "DEP_EJERCICIO", "DEP_ACUMULADA"}) calculo(QString::fromLatin1(c))->setText(QStringLiteral("0.00"));
    calculo(QStringLiteral("COEFICIENTE"))->setText(QStringLiteral("1"));
    FrmCalculo->hide();
}

void FrmMA_BienesUso::Asignar_Registro(bool ajustar)
{
    auto limpio = [](const QString& s) {
        QString t = s;
        t.remove(QChar(u'\0'));
        return recortar(t);
    };
    auto importe = [&](const QString& s) {
        const QString t = limpio(s);
        return t.isEmpty() ? QStringLiteral("0.00") : formatoImporte(t);
    };
    auto poner = [this](const char* campo, const QString& v) { buso(QString::fromLatin1(campo))->setText(v); };
    const RegBienUso& r = BienUso;
    if (ajustar && !EsCargaInicial) {
        // The dialog shows the asset's own frames only; hiding is idempotent,
        // so the window keeps one size however often this runs.
        frmBusoNovedades->hide();
        FrmCalculo->hide();
        resize(width(), sizeHint().height()); // keeps the width: only the hidden frames go
    }
    poner("CODIGO", limpio(r.Codigo.crudo()));
    poner("CUENTA_CONTABLE", limpio(r.CuentaContable.crudo()));
    poner("CUENTA_EJERCICIO", limpio(r.CuentaEjercicio.crudo()));
    poner("CUENTA_ACUMULADA", limpio(r.CuentaAcumulada.crudo()));
    if (ajustar) {
        const auto deps = bienes::CuentasDeDepreciacion(ctx_.con(), buso(QStringLiteral("CUENTA_CONTABLE"))->text());
        poner("CUENTA_EJERCICIO", deps.ejercicio);
        poner("CUENTA_ACUMULADA", deps.acumulada);
    }
    poner("FECHA_COMPRA", limpio(r.FechaCompra.crudo()));
    poner("COSTO", importe(r.Costo.crudo()));
    poner("VALOR_RESIDUAL", importe(r.ValorResidual.crudo()));
    poner("FECHA_REVALUACION", limpio(r.FechaRevaluacion.crudo()));
    poner("IMPORTE", importe(r.Importe.crudo()));
    poner("VIDA_UTIL", limpio(r.VidaUtil.crudo()));
    poner("PORCENTAJE", limpio(r.Porcentaje.crudo()));
    poner("UBICACION", limpio(r.Ubicacion.crudo()));
    poner("AFECTA", limpio(r.Afecta.crudo()));
    poner("DESCRIPCION", limpio(r.Descripcion.crudo()));
    poner("FECHA_BAJA", limpio(r.FechaBaja.crudo()));
    poner("MOTIVO", limpio(r.Motivo));
    poner("VALOR_RECUPERO", importe(r.ValorRecupero.crudo()));
    if (ajustar) {
        for (const char* c : {"NOVEDAD_ID", "NOVEDAD_DETALLE", "NOVEDAD_FECHA", "NOVEDAD_IMPORTE"}) poner(c, QString());
        if (!EsCargaInicial) poner("PERIODO", recortar(ctx_.periodoActivo()));
    } else {
        const QString id = limpio(r.NovedadId.crudo());
        poner("NOVEDAD_ID", texto::val(id) != 0
                                ? id
                                : recortar(ctx_.configuracion().IdMejoraBien(buso(QStringLiteral("CODIGO"))->text())));
        poner("NOVEDAD_DETALLE", limpio(r.NovedadDetalle.crudo()));
        poner("NOVEDAD_FECHA", limpio(r.NovedadFecha.crudo()));
        poner("NOVEDAD_IMPORTE", importe(r.NovedadImporte.crudo()));
    }
    poner("NOVEDAD_VIDA_UTIL", limpio(r.NovedadVidaUtil.crudo()));
    poner("NOVEDAD_PORCENTAJE", limpio(r.NovedadPorcentaje.crudo()));
}

bool FrmMA_BienesUso::DatosValidos()
{
    ValidandoTodo = true;
    HayError = false;
    auto recorre = [this](ArregloCajas& a, bool soloVisibles) {
        for (int i = 0; i < a.cantidad(); ++i) {
            if (soloVisibles && !a[i]->isVisibleTo(this)) continue;
            Campo_Valida(a, i);
            if (HayError) return false;
        }
        return true;
    };
    if (EsAlta) {
        // The sheet, when shown, is stored too: it is checked after the asset.
        if (recorre(*txtbuso, false) && FrmCalculo->isVisibleTo(this)) recorre(*txtCalculo, true);
    } else if (!buso(QStringLiteral("FECHA_BAJA"))->text().isEmpty()) {
        // A retirement needs its reason as well as its date.
        Campo_Valida(*txtbuso, txtbuso->IndiceCampo(QStringLiteral("FECHA_BAJA")));
        if (!HayError) Campo_Valida(*txtbuso, txtbuso->IndiceCampo(QStringLiteral("MOTIVO")));
    } else {
        if (recorre(*txtCalculo, false)) recorre(*txtbuso, true);
    }
    return !HayError;
}

void FrmMA_BienesUso::Actualizar_Datos()
{
    if (!DatosValidos()) return;
    auto texto = [this](const char* c) { return buso(QString::fromLatin1(c))->text(); };
    auto textoCalculo = [this](const char* c) { return calculo(QString::fromLatin1(c))->text(); };
    auto fecha = [](const QString& t) { return Utilidades::TextoAFecha(recortar(t)); };
    bienes::GrabacionBien g;
    if (EsAlta) {
        g.modo = bienes::ModoGrabacion::Alta;
    } else if (EsNovedad) {
        if (!texto("NOVEDAD_ID").isEmpty()) g.modo = bienes::ModoGrabacion::Mejora;
    } else if (EsBaja) {
        if (!texto("FECHA_BAJA").isEmpty()) g.modo = bienes::ModoGrabacion::Baja;
    }
    if (g.modo == bienes::ModoGrabacion::Mejora) {
        // Stored as 0 an improvement would depreciate nothing.
        const auto costo = Moneda::desdeTextoEstricto(recortar(texto("NOVEDAD_IMPORTE")));
        if (!costo) {
            HayError = true;
            dialogos().MsgBox(QStringLiteral("El Costo informado no es válido!!!"), vbCritical, kAviso);
            buso(QStringLiteral("NOVEDAD_IMPORTE"))->setFocus();
            return;
        }
        g.costoMejora = *costo;
    }
    g.periodoActivo = ctx_.periodo();
    g.sinPlanilla = SinPlanilla;
    g.codigo = qRound64(Utilidades::TextoADoble(texto("CODIGO")));
    g.serie = texto("SERIE");
    g.cuentaContable = texto("CUENTA_CONTABLE");
    g.cuentaEjercicio = texto("CUENTA_EJERCICIO");
    g.cuentaAcumulada = texto("CUENTA_ACUMULADA");
    g.fechaCompra = fecha(texto("FECHA_COMPRA"));
    g.costo = Utilidades::TextoAMoneda(texto("COSTO"));
    g.vidaUtil = texto::val(texto("VIDA_UTIL"));
    g.porcentaje = Utilidades::TextoADoble(texto("PORCENTAJE"));
    g.ubicacion = texto("UBICACION");
    g.afecta = texto("AFECTA");
    g.descripcion = texto("DESCRIPCION");
    g.periodo = qint64(texto::val(texto("PERIODO")));
    g.valorRecupero = Utilidades::TextoAMoneda(texto("VALOR_RECUPERO"));
    g.idMejora = qRound64(Utilidades::TextoADoble(texto("NOVEDAD_ID")));
    g.fechaMejora = fecha(texto("NOVEDAD_FECHA"));
    g.detalleMejora = texto("NOVEDAD_DETALLE");
    g.vidaUtilMejora = texto::val(texto("NOVEDAD_VIDA_UTIL"));
    g.porcentajeMejora = Utilidades::TextoADoble(texto("NOVEDAD_PORCENTAJE"));
    g.fechaBaja = fecha(texto("FECHA_BAJA"));
    g.motivo = texto("MOTIVO");
    g.planilla.fechaCierre = fecha(textoCalculo("FECHA_CIERRE"));
    g.planilla.meses = Utilidades::TextoAEntero(textoCalculo("PERIODO_CALCULO"));
    g.planilla.costoInicio = Utilidades::TextoAMoneda(textoCalculo("COSTO_INICIO"));
    g.planilla.coeficiente = texto::val(textoCalculo("COEFICIENTE"));
    g.planilla.depEjercicio = Utilidades::TextoAMoneda(textoCalculo("DEP_EJERCICIO"));
    g.planilla.depAcumulada = Utilidades::TextoAMoneda(textoCalculo("DEP_ACUMULADA"));

    // Nothing is stored until the whole save is: an error keeps every field
    // as typed; Retry runs the whole save again.
    HayError = true;
    for (;;) {
        try {
            const bienes::ResultadoGrabacion r = bienes::GrabarBien(ctx_.con(), g);
            HayError = false;
            if (g.modo == bienes::ModoGrabacion::Alta && r.codigo != g.codigo)
                dialogos().MsgBox(QStringLiteral("El Bien de Uso se grabó con el Nº Control Interno ") + QString::number(r.codigo),
                                  vbInformation, kAviso);
            if (g.modo == bienes::ModoGrabacion::Mejora && r.id != g.idMejora)
                dialogos().MsgBox(QStringLiteral("La Mejora se grabó con el Nº Id. Mejoras ") + QString::number(r.id),
                                  vbInformation, kAviso);
            return;
        } catch (const bienes::BienInexistente& e) {
            dialogos().MsgBox(e.descripcion(), vbExclamation, kAviso);
            return;
        } catch (const std::exception& e) {
            if (Utilidades::ManejaError(e, QStringLiteral("Actualizar_Datos")) != vbRetry) return;
        }
    }
}

void FrmMA_BienesUso::CmdBusoAceptar_Click()
{
    // The record holds the boxes before any check, whatever it answers.
    auto t = [this](const char* c) { return buso(QString::fromLatin1(c))->text(); };
    RegBienUso& r = BienUso;
    r.Codigo = t("CODIGO");
    r.CuentaContable = t("CUENTA_CONTABLE");
    r.CuentaEjercicio = t("CUENTA_EJERCICIO");
    r.Serie = t("SERIE");
    r.CuentaAcumulada = t("CUENTA_ACUMULADA");
    r.FechaCompra = t("FECHA_COMPRA");
    r.Costo = t("COSTO");
    r.ValorResidual = t("VALOR_RESIDUAL");
    r.FechaRevaluacion = t("FECHA_REVALUACION");
    r.Importe = t("IMPORTE");
    r.VidaUtil = t("VIDA_UTIL");
    r.Porcentaje = t("PORCENTAJE");
    r.Ubicacion = t("UBICACION");
    r.Afecta = t("AFECTA");
    r.Descripcion = t("DESCRIPCION");
    r.FechaBaja = t("FECHA_BAJA");
    r.Motivo = t("MOTIVO");
    r.NovedadId = t("NOVEDAD_ID");
    r.NovedadDetalle = t("NOVEDAD_DETALLE");
    r.NovedadFecha = t("NOVEDAD_FECHA");
    r.NovedadImporte = t("NOVEDAD_IMPORTE");
    r.NovedadPorcentaje = t("NOVEDAD_PORCENTAJE");
    r.NovedadVidaUtil = t("NOVEDAD_VIDA_UTIL");
    r.ValorRecupero = t("VALOR_RECUPERO");
    if (EsCargaInicial) {
        Actualizar_Datos();
        if (!HayError) {
            Inicializa();
            Datos_CargaInicial();
        }
        return;
    }
    if (DatosValidos()) {
        int cancel = 0;
        Form_Unload(cancel);
    }
}

bool FrmMA_BienesUso::PermiteCalcularDep(int anios, qint64 codigoBien)
{
    // Without a closed year both stay 0.
    qint64 ultimoCerrado = 0, periodoCompra = 0;
    try {
        const auto f = ctx_.con().PrimeraFila(
            QStringLiteral("SELECT (SELECT PERIODO FROM MV_EJERCICIOS WHERE CERRADO = 1 "
                           "ORDER BY [FECHA HASTA] DESC, PERIODO DESC LIMIT 1) AS CERRADO, "
                           "(SELECT PERIODO FROM MA_BIENES WHERE CODIGO = ?) AS COMPRA"),
            {codigoBien});
        if (f && !f->esNulo(QStringLiteral("CERRADO"))) {
            ultimoCerrado = f->entero(QStringLiteral("CERRADO"));
            periodoCompra = f->esNulo(QStringLiteral("COMPRA")) ? qint64(texto::val(buso(QStringLiteral("PERIODO"))->text()))
                                                                : f->entero(QStringLiteral("COMPRA"));
        }
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("PermiteCalcularDep"));
        return false;
    }
    return ultimoCerrado - periodoCompra - 1 <= anios;
}

void FrmMA_BienesUso::muestraDatos()
{
    SSTab1->setTabEnabled(1, true);
    SSTab1->setCurrentIndex(1);
    SSTab1->setTabEnabled(0, false);
}

void FrmMA_BienesUso::muestraLista()
{
    SSTab1->setTabEnabled(0, true);
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
}

void FrmMA_BienesUso::CmdAlta_Click()
{
    BienUso.Codigo = ctx_.configuracion().NuevoCodigoBien();
    codigoPropuesto_ = BienUso.Codigo.texto();
    muestraDatos();
    EsAlta = true;
    EsNovedad = false;
    Habilita_BienDeUso(true);
    Asignar_Registro(true);
    buso(QStringLiteral("SERIE"))->setFocus();
}

void FrmMA_BienesUso::CmdModificar_Click()
{
    const int fila = FG_Bienes->currentRow();
    const QTableWidgetItem* item = fila >= 0 ? FG_Bienes->item(fila, 1) : nullptr;
    const double valor = item ? texto::val(item->text()) : 0;
    if (valor == 0) {
        dialogos().MsgBox(QStringLiteral("Debe seleccionar el Bien de Uso a Modificar"), vbExclamation, QStringLiteral("Error de Carga!"));
        return;
    }
    EsNovedad = true;
    EsAlta = false;
    muestraDatos();
    Habilita_BienDeUso(false);
    const QString codigo = recortar(QString::number(valor, 'g', 15));
    buso(QStringLiteral("CODIGO"))->setText(codigo);
    BienUso.Codigo = codigo;
    Asignar_Registro(false);
    buso(QStringLiteral("CODIGO"))->setText(codigo);
    AsignarDatosBien();
    FrmCalculo->hide();
    resize(width(), sizeHint().height()); // keeps the width: only the hidden frames go
}

void FrmMA_BienesUso::CmdBusoCancelar_Click()
{
    if (!EsCargaInicial) {
        muestraLista();
        FG_Bienes->setFocus();
        resize(width(), sizeHint().height()); // keeps the width: only the hidden frames go
        return;
    }
    if (CodigoValidado && dialogos().MsgBox(QStringLiteral("¿Está seguro de abandonar la carga de datos?"),
                                            vbYesNo | vbExclamation | vbDefaultButton2, QStringLiteral("Atención!!!")) != vbYes)
        return;
    int cancel = 0;
    Form_Unload(cancel);
}

void FrmMA_BienesUso::CmdCancelar_Click()
{
    int cancel = 0;
    Form_Unload(cancel);
}

} // namespace vexa
