// The register window's screen: its two tabs, the frames and boxes, the
// tab order and the handlers.
#include "FrmMA_BienesUso.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vexa {

namespace {

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

} // namespace

FrmMA_BienesUso::FrmMA_BienesUso(ContextoEmpresa& ctx, bool esCargaInicial, QWidget* parent, const RegBienUso& registro)
    : VentanaBien(ctx, parent), BienUso(registro), EsCargaInicial(esCargaInicial)
{
    construir();
    Form_Load();
}

FrmMA_BienesUso::~FrmMA_BienesUso() = default;

void FrmMA_BienesUso::construir()
{
    setObjectName(QStringLiteral("FrmMA_BienesUso"));
    setWindowTitle(QStringLiteral("Actualización de Bienes de Uso"));
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
    const std::vector<Def> cajas = cajasPlanilla(false);
    for (size_t i = 0; i < cajas.size(); ++i) {
        const Def& d = cajas[i];
        QLineEdit* t = txtCalculo->agregar(FrmCalculo, {QString::fromLatin1(d.campo), QString::fromLatin1(d.tag), d.largo, d.derecha});
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
    atenderCajas(nullptr, {QStringLiteral("Novedad_Detalle")});
    registrarConsultas(QStringLiteral("SELECT CODIGO, DESCRIPCION, BIENES FROM MA_CUENTAS WHERE BIENES = 1"),
                       QStringLiteral("SELECT CODIGO, DESCRIPCION, SERIE AS IDENTIFICACION FROM MA_BIENES"));
    using F = FrmMA_BienesUso;
    const std::pair<QPushButton*, void (F::*)()> botones[] = {{CmdCancelar, &F::CmdCancelar_Click}, {CmdAlta, &F::CmdAlta_Click},
                                                              {CmdModificar, &F::CmdModificar_Click},
                                                              {CmdBusoAceptar, &F::CmdBusoAceptar_Click},
                                                              {CmdBusoCancelar, &F::CmdBusoCancelar_Click}};
    for (const auto& [boton, accion] : botones) connect(boton, &QPushButton::clicked, this, [this, accion] { (this->*accion)(); });
    connect(FG_Bienes, &QTableWidget::cellDoubleClicked, this, [this] { FG_Bienes_DblClick(); });
}

} // namespace vexa
