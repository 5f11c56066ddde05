// The adjustment window's controls and their layout.
#include "FrmAjusteInflacion.h"

#include "CamposFormulario.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "DefinirConsulta.h"
#include "Utilidades.h"
#include "GrillaEditable.h"
#include "UtilTeb.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vexa {

using texto::recortar;

namespace {
QLabel* etiqueta(const QString& texto, QWidget* padre, QLineEdit* compa)
{
    auto* l = new QLabel(texto, padre);
    l->setBuddy(compa);
    return l;
}
} // namespace

// The header's boxes (TxtFields) with their data fields, lookups' tags, widths and handlers.
void FrmAjusteInflacion::construirCampos()
{
    FrmCabecera = new QGroupBox(this);
    FrmCabecera->setObjectName(QStringLiteral("FrmCabecera"));
    TxtFields = new ArregloCajas(QStringLiteral("TxtFields"), this);
    struct Def {
        const char* campo;
        const char* tag;
        int largo;
        bool derecha;
        bool enCabecera;
    };
    const Def defs[] = {
        {"[NUMERO ASIENTO]", "MV_CONTROL_AS_RES", 0, false, true},
        {"PERIODO_DESDE", "", 7, false, true},
        {"PERIODO_HASTA", "", 7, false, true},
        {"CTA_REI", "ma_cuentas", 15, false, true},
        {"TC", "TA_COMPROBANTES", 4, false, true},
        {"SUCURSAL", "", 4, false, true},
        {"NUMERO", "", 8, false, true},
        {"LETRA", "", 1, false, true},
        {"DETALLE", "", 50, false, false},
        {"FECHA", "fecha", 10, false, true},
        {"CABIMPORTE", "", 0, true, false},
    };
    for (const Def& d : defs) {
        QLineEdit* t = TxtFields->agregar(d.enCabecera ? static_cast<QWidget*>(FrmCabecera) : this,
                                          {QString::fromLatin1(d.campo), QString::fromLatin1(d.tag), d.largo, d.derecha});
        t->installEventFilter(this); // key releases and every mouse button
    }
    // The field helper checks on Enter, selects on focus and opens the lookups
    // by tag; the window keeps its own keys (the toolbar's, the two fields
    // always in upper case) and its lock during a generation.
    campos_ = new CamposFormulario(this, ctx_.soloMayusculas);
    campos_->atender(*TxtFields, {.valida = [this](int i) { return validaAlEntrar(i); },
                                  .consultar = [this](int) { MostrarConsulta(); },
                                  .alEntrar = [this](int i) { TxtFields_GotFocus(i); }});
    TxtFields->TeclaAbajo = [this](int i, int& k, Qt::KeyboardModifiers m) { TxtFields_KeyDown(i, k, m); };
    TxtFields->TeclaPresionada = [this](int i, int& c) { TxtFields_KeyPress(i, c); };
    const auto comprobante = [this](QLineEdit*) -> std::optional<QString> {
        ColumnasConsulta columnas;
        const QString codigo = recortar(DefinirConsulta(ctx_.con(), QStringLiteral("TA_COMPROBANTES"), columnas, true));
        return codigo.isEmpty() ? std::nullopt : std::optional<QString>(codigo);
    };
    const auto cuenta = [this](QLineEdit*) -> std::optional<QString> {
        const auto elegida = ctx_.configuracion().SeleccionaCuenta();
        if (!elegida) return std::nullopt;
        return recortar(*elegida);
    };
    campos_->consulta(QStringLiteral("TA_COMPROBANTES"), comprobante);
    campos_->consulta(QStringLiteral("TA_COMPROBANTES_1"), comprobante);
    campos_->consulta(QStringLiteral("ma_cuentas"), cuenta);
    campos_->consulta(QStringLiteral("MV_CONTROL_AS_RES"), cuenta);
    campos_->consulta(QStringLiteral("fecha"), [](QLineEdit* caja) { return Utilidades::Calendario(caja->text()); });

    QLineEdit* const* f = TxtFields->cajas().data();
    const QFontMetrics fm(font());
    const int anchoFecha = fm.horizontalAdvance(QStringLiteral("00/00/00000")) + 12;
    f[kNroAsiento]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("00-00000000")) + 12);
    f[kPeriodoDesde]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("00/00000")) + 12);
    f[kPeriodoHasta]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("00/00000")) + 12);
    f[kCtaRei]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("0000000000000000")) + 12);
    f[kTC]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("WWWWW")) + 12);
    f[kSucursal]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("00000")) + 12);
    f[kNumero]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("000000000")) + 12);
    f[kLetra]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("WW")) + 12);
    f[kFecha]->setFixedWidth(anchoFecha);
    f[kCabImporte]->setFixedWidth(fm.horizontalAdvance(QStringLiteral("0000000000000.00")) + 12);
    f[kNroAsiento]->setEnabled(false);
    f[kCabImporte]->setEnabled(false);
    f[kDetalle]->setPlaceholderText(QStringLiteral("Concepto"));

}

// The header's frame: the entry number, the periods, the result account, the date and the voucher.
void FrmAjusteInflacion::construirCabecera()
{
    QLineEdit* const* f = TxtFields->cajas().data();
    LblDescCuenta = new QLabel(QStringLiteral("..."), FrmCabecera);
    LblDescCuenta->setObjectName(QStringLiteral("LblDescCuenta"));
    lbldesctc = new QLabel(QStringLiteral("..."), FrmCabecera);
    lbldesctc->setObjectName(QStringLiteral("lbldesctc"));
    auto* g = new QGridLayout(FrmCabecera);
    g->addWidget(etiqueta(QStringLiteral("Nº de Asiento:"), FrmCabecera, f[kNroAsiento]), 0, 0);
    g->addWidget(f[kNroAsiento], 0, 1);
    auto* periodos = new QHBoxLayout;
    periodos->addWidget(etiqueta(QStringLiteral("Periodo Inicial "), FrmCabecera, f[kPeriodoDesde]));
    periodos->addWidget(f[kPeriodoDesde]);
    periodos->addSpacing(16);
    periodos->addWidget(etiqueta(QStringLiteral("Periodo Final "), FrmCabecera, f[kPeriodoHasta]));
    periodos->addWidget(f[kPeriodoHasta]);
    periodos->addStretch(1);
    g->addLayout(periodos, 0, 2);
    g->addWidget(etiqueta(QStringLiteral("Cuenta R.E.I."), FrmCabecera, f[kCtaRei]), 1, 0);
    g->addWidget(f[kCtaRei], 1, 1);
    g->addWidget(LblDescCuenta, 1, 2);
    g->addWidget(etiqueta(QStringLiteral("Fecha"), FrmCabecera, f[kFecha]), 2, 0);
    g->addWidget(f[kFecha], 2, 1);
    g->addWidget(etiqueta(QStringLiteral("T. Comprobante"), FrmCabecera, f[kTC]), 3, 0);
    g->addWidget(f[kTC], 3, 1, Qt::AlignLeft);
    g->addWidget(lbldesctc, 3, 2);
    g->addWidget(etiqueta(QStringLiteral("Nº "), FrmCabecera, f[kSucursal]), 4, 0);
    auto* comprobante = new QHBoxLayout;
    comprobante->addWidget(f[kSucursal]);
    comprobante->addWidget(f[kNumero]);
    comprobante->addWidget(f[kLetra]);
    comprobante->addStretch(1);
    g->addLayout(comprobante, 4, 1, 1, 2);
    g->setColumnStretch(2, 1);

}

// The concept and amount row with "&Generar", the lines and their totals; the window's layout and tab order.
void FrmAjusteInflacion::construirLineas()
{
    QLineEdit* const* f = TxtFields->cajas().data();
    CmdGenerar = new QPushButton(QStringLiteral("&Generar"), this);
    CmdGenerar->setObjectName(QStringLiteral("CmdGenerar"));
    connect(CmdGenerar, &QPushButton::clicked, this, [this] { CmdGenerar_Click(); });

    FgResumen = new GrillaEditable(this);
    FgResumen->setObjectName(QStringLiteral("FgResumen"));
    FgResumen->verticalHeader()->setVisible(false);
    FgResumen->setSelectionMode(QAbstractItemView::NoSelection);

    for (int i = 0; i < 2; ++i) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("txtTotal_%1").arg(i));
        t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setEnabled(false);
        txtTotal[size_t(i)] = t;
    }

    auto* filaDetalle = new QHBoxLayout;
    filaDetalle->addWidget(f[kDetalle], 1);
    filaDetalle->addSpacing(16);
    filaDetalle->addWidget(etiqueta(QStringLiteral("Importe"), this, f[kCabImporte]));
    filaDetalle->addWidget(f[kCabImporte]);
    filaDetalle->addSpacing(16);
    filaDetalle->addWidget(CmdGenerar);
    auto* filaTotales = new QHBoxLayout;
    filaTotales->addStretch(1);
    filaTotales->addWidget(txtTotal[0]);
    filaTotales->addWidget(txtTotal[1]);
    filaTotales->addSpacing(FgResumen->verticalScrollBar()->sizeHint().width() + 2); // under the columns, not the scroll bar
    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addWidget(FrmCabecera);
    v->addLayout(filaDetalle);
    v->addWidget(FgResumen, 1);
    v->addLayout(filaTotales);

    // The order Enter and Tab move in.
    const int orden[] = {kPeriodoDesde, kPeriodoHasta, kNroAsiento, kCtaRei, kFecha, kTC,
                         kSucursal,     kNumero,       kLetra,      kDetalle, kCabImporte};
    for (size_t i = 1; i < std::size(orden); ++i) setTabOrder(f[orden[i - 1]], f[orden[i]]);
    setTabOrder(f[kCabImporte], CmdGenerar);

}

} // namespace vexa
