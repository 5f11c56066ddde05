#include "FrmAjusteInflacion.h"

#include "AjustesPrograma.h"
#include "ArchivoIni.h"
#include "CNStuffContable.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "DefinirConsulta.h"
#include "Dialogos.h"
#include "EjecutarProgramas.h"
#include "Entorno.h"
#include "GrillaEditable.h"
#include "LBM_Common.h"
#include "Lbc_Asiento.h"
#include "ProgresoVentana.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "VisorConsulta.h"
#include "lbm_Seguridad.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;
using ventanas::px;
using texto::recortar;

namespace {

const QString kAvisoCampo = QStringLiteral("Aviso al Operador");
const QString kAviso = QStringLiteral("Aviso al operador");
const QString kClaveTC = QStringLiteral("Ajuste(TC)");

// Field indices.
enum : int {
    kNroAsiento = 0, kPeriodoDesde, kPeriodoHasta, kCtaRei, kTC, kSucursal, kNumero, kLetra, kDetalle, kFecha, kCabImporte
};

// "#########.00": no digit before the decimal mark of a value below one.
QString formatoTotal(const Moneda& m)
{
    QString t = m.texto(2);
    if (t.startsWith(QLatin1String("0."))) t.remove(0, 1);
    else if (t.startsWith(QLatin1String("-0."))) t.remove(1, 1);
    return t;
}

// "########0.00", blank for zero.
QString formatoLinea(const Moneda& m) { return m.esCero() ? QString() : m.texto(2); }

// "dd/mm/yyyy" from its fourth character: "MM/yyyy".
QString desdeCuarto(const QString& fecha) { return fecha.mid(3); }

// A date of the configuration ("[FECHA DESDE]", "[FECHA HASTA]"): without a
// value of its own, the active fiscal year's first or last day.
QDate fechaConfiguracion(ContextoEmpresa& ctx, const QString& clave)
{
    const QString valor = recortar(ctx.configuracion().ObtieneValor(clave));
    if (!valor.isEmpty()) return Utilidades::TextoAFecha(valor);
    QDate desde, hasta;
    if (!ctx.configuracion().FechasEjercicio(int(ctx.periodo()), desde, hasta)) return {};
    return clave.contains(QLatin1String("DESDE"), Qt::CaseInsensitive) ? desde : hasta;
}

// The generation's progress box (with its cancel button); each step is also
// told to the window's listeners.
class ProgresoAjuste : public ProgresoVentana {
public:
    explicit ProgresoAjuste(FrmAjusteInflacion& w) : ProgresoVentana(&w, true, true), w_(w) {}
    bool Actualizar(qint64 hecho, const QString& texto) override
    {
        emit w_.pasoGeneracion(texto);
        return ProgresoVentana::Actualizar(hecho, texto);
    }

private:
    FrmAjusteInflacion& w_;
};

} // namespace

FrmAjusteInflacion::FrmAjusteInflacion(ContextoEmpresa& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmAjusteInflacion"));
    setWindowTitle(QStringLiteral("Asiento de Ajuste por Inflación"));

    UtilTeb1 = new UtilTeb(this);
    UtilTeb1->setObjectName(QStringLiteral("UtilTeb1"));
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, &FrmAjusteInflacion::UtilTeb1_Click);

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
    TxtFields->AlEntrar = [this](int i) { TxtFields_GotFocus(i); };
    TxtFields->TeclaAbajo = [this](int i, int& k, Qt::KeyboardModifiers m) { TxtFields_KeyDown(i, k, m); };
    TxtFields->TeclaPresionada = [this](int i, int& c) { TxtFields_KeyPress(i, c); };
    TxtFields->BotonDerecho = [this](int i) {
        CampoActual = i;
        MostrarConsulta();
    };

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

    auto etiqueta = [](const QString& texto, QWidget* padre, QLineEdit* compa) {
        auto* l = new QLabel(texto, padre);
        l->setBuddy(compa);
        return l;
    };
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

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    try {
        LeerDigitosCuentas(ctx_);
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("Form_Load"));
    }
    Inicializa();

    // The totals sit under the amount columns.
    txtTotal[0]->setFixedWidth(FgResumen->columnWidth(3));
    txtTotal[1]->setFixedWidth(FgResumen->columnWidth(4));
    int ancho = 0;
    for (int c = 0; c < FgResumen->columnCount(); ++c) ancho += FgResumen->columnWidth(c);
    tamano_ = QSize(qMax(ancho + 60, QWidget::sizeHint().width()), 600);
    resize(tamano_);
}

FrmAjusteInflacion::~FrmAjusteInflacion()
{
    TxtFields->AlEntrar = nullptr;
    TxtFields->TeclaAbajo = nullptr;
    TxtFields->TeclaPresionada = nullptr;
    TxtFields->BotonDerecho = nullptr;
}

QLineEdit* FrmAjusteInflacion::campo(const QString& dataField) const { return TxtFields->campo(dataField); }

int FrmAjusteInflacion::indiceCampo(const QString& dataField) const { return TxtFields->IndiceCampo(dataField); }

// ---- defaults and header state ----

void FrmAjusteInflacion::Inicializa()
{
    TxtFields->LimpiaCampos();
    txtTotal[0]->setText(QStringLiteral("0"));
    txtTotal[1]->setText(QStringLiteral("0"));
    HabilitaCabecera(false);
    LblDescCuenta->clear();
    lbldesctc->setText(QStringLiteral("..."));
    Lineas.clear();
    InicializaGrilla();
    txtTotal[0]->setEnabled(false);
    txtTotal[1]->setEnabled(false);
    CmdGenerar->setEnabled(false);

    Lbc_Asiento asiento(ctx_);
    asiento.EjercicioRango(FechaDesde, FechaHasta);
    QLineEdit* desde = campo(QStringLiteral("PERIODO_DESDE"));
    QLineEdit* hasta = campo(QStringLiteral("PERIODO_HASTA"));
    try {
        QString fechaAjuste, hastaAjuste;
        QVariant nro;
        asiento.UltimoAjuste(fechaAjuste, hastaAjuste, nro);
        // The month after the last adjustment's closing month.
        const ajuste::MesAnio ultimo = ajuste::MesAnio::leer(hastaAjuste);
        PeriodoDesde = recortar(hastaAjuste).isEmpty() ? desdeCuarto(FechaDesde)
                                                       : ultimo.valido() ? ultimo.siguiente().texto() : QString();
        PeriodoHasta = desdeCuarto(FechaHasta);
        desde->setText(PeriodoDesde);
        hasta->setText(PeriodoHasta);

        const QDate hoy = plataforma::hoy();
        NroAsiento = QString::number(asiento.UltimoNumeroAsiento(hoy.month()));
        campo(QStringLiteral("[NUMERO ASIENTO]"))->setText(asiento.FormatDisplayNroAsiento(NroAsiento, hoy));
        const QDate cierre = fechaConfiguracion(ctx_, QStringLiteral("[FECHA HASTA]"));
        campo(QStringLiteral("FECHA"))->setText(cierre.isValid() ? Utilidades::FechaATexto(cierre) : QString());
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("Inicializa"));
    }
    desde->setEnabled(false);
    hasta->setEnabled(false);
    // The voucher type's check locks branch and number; a new entry opens them.
    campo(QStringLiteral("SUCURSAL"))->setEnabled(true);
    campo(QStringLiteral("NUMERO"))->setEnabled(true);
    campo(QStringLiteral("FECHA"))->setEnabled(false);
    campo(QStringLiteral("TC"))->setText(ArchivoIni::LeerIni(ctx_.archivoIni, ctx_.seccionEquipo, kClaveTC, QString()));
    CmdGenerar->setEnabled(false);
}

void FrmAjusteInflacion::HabilitaCabecera(bool CabeceraCompleta)
{
    if (CabeceraCompleta) {
        FrmCabecera->setEnabled(false);
        CmdGenerar->setEnabled(true);
        UtilTeb1->setHabilitado(QStringLiteral("NUEVO"), false);
        UtilTeb1->setHabilitado(QStringLiteral("BORRAR"), false);
        return;
    }
    FrmCabecera->setEnabled(true);
    for (const char* k : {"NUEVO", "PLANILLA", "REPORTE", "CERRAR", "CANCELAR"}) UtilTeb1->setHabilitado(QString::fromLatin1(k), true);
    for (const char* k : {"GRABAR", "BORRAR", "CONSULTAR"}) UtilTeb1->setHabilitado(QString::fromLatin1(k), false);
}

// ---- field checks ----

bool FrmAjusteInflacion::validaPeriodo(QLineEdit* Campo, QString& Mensaje)
{
    const QString t = recortar(Campo->text());
    if (t.isEmpty()) {
        Mensaje = QStringLiteral("Debe Informar el Periodo!");
        return false;
    }
    if (Utilidades::QuitaCaracteres(t, QStringLiteral("/"), QStringLiteral("-")).size() < 6) {
        Mensaje = QStringLiteral("Debe informar los periodos en formato MM/AAAA");
        return false;
    }
    const int mes = int(texto::valEntero(t.left(2)));
    if (!Utilidades::TextoAFecha(QStringLiteral("01/") + t).isValid() || mes < 1 || mes > 12) {
        Mensaje = QStringLiteral("Los datos ingresados no representan un periodo válido");
        return false;
    }
    FechaDesde = QStringLiteral("01/") + recortar(campo(QStringLiteral("PERIODO_DESDE"))->text());
    FechaHasta = QStringLiteral("01/") + recortar(campo(QStringLiteral("PERIODO_HASTA"))->text());
    const QDate desde = Utilidades::TextoAFecha(FechaDesde), hasta = Utilidades::TextoAFecha(FechaHasta);
    if (!desde.isValid() || !hasta.isValid() || hasta < desde) {
        Mensaje = QStringLiteral("Periodo Desde Mayor que Hasta!");
        return false;
    }
    const QDate ejDesde = fechaConfiguracion(ctx_, QStringLiteral("[FECHA DESDE]"));
    const QDate ejHasta = fechaConfiguracion(ctx_, QStringLiteral("[FECHA HASTA]"));
    const auto fuera = [&](const QDate& d) { return !ejDesde.isValid() || !ejHasta.isValid() || d < ejDesde || d > ejHasta; };
    // These two are shown at once, without a title.
    if (fuera(desde)) {
        dialogos().MsgBox(QStringLiteral("El Periodo Desde no pertenece al rango del Ejercicio"), vbOKOnly, QString());
        return false;
    }
    if (fuera(hasta)) {
        dialogos().MsgBox(QStringLiteral("El Periodo Hasta no pertenece al rango del Ejercicio"), vbOKOnly, QString());
        return false;
    }
    return true;
}

void FrmAjusteInflacion::ValidaCampo(QLineEdit* Campo, int Indice, bool MostrarMensaje)
{
    Q_UNUSED(Indice);
    HayError = false;
    QString mensaje;
    const QString dataField = recortar(ArregloCajas::dataField(Campo));
    const QString t = recortar(Campo->text());
    const auto es = [&](const char* n) { return texto::igual(dataField, QString::fromLatin1(n)); };
    Conexion& con = ctx_.con();
    Lbc_Asiento asiento(ctx_);
    const QString tc = recortar(campo(QStringLiteral("TC"))->text());
    const auto letrasDe = [&](const QString& condicion) {
        return recortar(Utilidades::NuloATexto(con.BuscaValor(QStringLiteral("TA_COMPROBANTES"), tc, QStringLiteral("LETRAS"),
                                                              QStringLiteral("CODIGO"), condicion)));
    };
    bool mostrado = false;
    try {
        if (es("CTA_REI")) {
            if (t.isEmpty()) {
                mensaje = QStringLiteral("Debe ingresar un código de Cuenta R.E.I.");
            } else if (!ctx_.configuracion().ExisteCuenta(t)) {
                mensaje = QStringLiteral("Código inexistente");
            } else {
                LblDescCuenta->setText(Utilidades::NuloATexto(con.BuscaValor(QStringLiteral("MA_CUENTAS"), t,
                                                                             QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"))));
                DatosModificados = true;
            }
        } else if (es("TC")) {
            ArchivoIni::GrabarIni(ctx_.archivoIni, ctx_.seccionEquipo, kClaveTC, t);
            if (!recortar(ArregloCajas::tag(Campo)).isEmpty()) {
                const QString letras = letrasDe(QStringLiteral("SISTEMA = 'CONTABLE'"));
                if (letras.isEmpty()) {
                    mensaje = QStringLiteral("El tipo de comprobante ingresado no es valido o no tiene asignada ninguna letra");
                } else {
                    QString letra = letras.left(1);
                    QLineEdit* suc = campo(QStringLiteral("SUCURSAL"));
                    QLineEdit* num = campo(QStringLiteral("NUMERO"));
                    suc->setEnabled(false);
                    num->setEnabled(false);
                    if (asiento.ComprobanteEntrada(t)) {
                        campo(QStringLiteral("LETRA"))->setText(letra);
                    } else {
                        QString sucursal, numero;
                        asiento.DatosComprobante(t, sucursal, numero, letra);
                        suc->setText(sucursal);
                        num->setText(numero);
                        campo(QStringLiteral("LETRA"))->setText(letra);
                    }
                    lbldesctc->setText(Utilidades::NuloATexto(con.BuscaValor(QStringLiteral("TA_COMPROBANTES"), t,
                                                                             QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"))));
                }
            }
        } else if (es("SUCURSAL")) {
            if (!t.isEmpty() && !Utilidades::EsNumeroValido(t)) mensaje = QStringLiteral("El campo debe ser numérico ");
            else Campo->setText(t.isEmpty() ? QStringLiteral("0001") : Utilidades::CompletaCeros(QString::number(Utilidades::TextoAEntero(t)), 4));
        } else if (es("NUMERO")) {
            const QString letras = letrasDe(QString());
            if (letras.isEmpty()) {
                mensaje = QStringLiteral("El comprobante no tiene letras asignadas");
            } else {
                QString letra = recortar(campo(QStringLiteral("LETRA"))->text());
                if (letra.isEmpty()) letra = letras.left(1);
                QString sucursal, ultimo;
                asiento.DatosComprobante(tc, sucursal, ultimo, letra);
                if (!Utilidades::EsNumeroValido(t)) {
                    mensaje = QStringLiteral("El campo debe ser numérico");
                } else {
                    const qint64 n = Utilidades::TextoAEntero(t);
                    Campo->setText(Utilidades::CompletaCeros(QString::number(n), 8));
                    if (Utilidades::TextoAEntero(ultimo) < n && !asiento.ComprobanteEntrada(tc))
                        dialogos().MsgBox(QStringLiteral("El numero no es correlativo al último informado en configuracion"),
                                          vbInformation, QString());
                }
            }
        } else if (es("LETRA")) {
            if (!QStringLiteral("ABCXE ").contains(t, Qt::CaseInsensitive)) {
                mensaje = QStringLiteral("Debe ingresar A,B,C,X,E");
            } else if (!letrasDe(QString()).contains(t, Qt::CaseSensitive)) {
                mensaje = QStringLiteral("La letra Informada no forma parte de las informadas en la configuracion");
            } else {
                bool valido = true;
                if (!asiento.ComprobanteEntrada(tc)) {
                    QString letra = t, sucursal, numero, msj, mesOp, nro;
                    asiento.DatosComprobante(tc, sucursal, numero, letra);
                    campo(QStringLiteral("SUCURSAL"))->setText(sucursal);
                    campo(QStringLiteral("NUMERO"))->setText(numero);
                    valido = asiento.ValidaComprobante(tc, sucursal, numero, t, msj, mesOp, nro);
                    campo(QStringLiteral("NUMERO"))->setText(numero);
                    if (!valido) mensaje = msj.isEmpty() ? QStringLiteral(" ") : msj;
                }
                if (valido) {
                    HabilitaCabecera(true);
                    if (CmdGenerar->isEnabled()) {
                        CmdGenerar->setFocus(Qt::OtherFocusReason);
                        focoEnGenerar_ = true;
                    }
                }
            }
        } else if (es("DETALLE")) {
            if (t.isEmpty()) mensaje = QStringLiteral("Debe ingresar el Concepto");
        } else if (es("FECHA")) {
            bool error = false;
            asiento.FechaValidada(t, mensaje, error);
            if (!error) {
                mensaje.clear();
                const QDate fecha = Utilidades::TextoAFecha(t);
                NroAsiento = QString::number(asiento.UltimoNumeroAsiento(fecha.month()));
                campo(QStringLiteral("[NUMERO ASIENTO]"))->setText(asiento.FormatDisplayNroAsiento(NroAsiento, fecha));
            } else if (mensaje.isEmpty()) {
                mensaje = QStringLiteral(" ");
            }
        } else if (es("PERIODO_DESDE") || es("PERIODO_HASTA")) {
            if (!validaPeriodo(Campo, mensaje)) {
                HayError = true;
                mostrado = mensaje.isEmpty();
            }
        }
    } catch (const std::exception& e) {
        HayError = true;
        Utilidades::ManejaError(e, QStringLiteral("ValidaCampo"));
        return;
    }
    if (!mensaje.isEmpty()) HayError = true;
    if (!HayError) DatosValidosAsiento();
    if (!mostrado && !recortar(mensaje).isEmpty() && MostrarMensaje)
        dialogos().MsgBox(mensaje, vbExclamation, kAvisoCampo);
}

void FrmAjusteInflacion::DatosValidosAsiento() { ActualizaTotales(); }

// ---- lookups ----

void FrmAjusteInflacion::MostrarConsulta()
{
    if (CampoActual < 0 || CampoActual >= TxtFields->cantidad()) return;
    QLineEdit* caja = (*TxtFields)[CampoActual];
    if (!caja || !caja->isEnabled()) return;
    QString tag = recortar(ArregloCajas::tag(caja));
    if (tag.isEmpty()) return;
    if (texto::igual(tag, QStringLiteral("TA_COMPROBANTES_1"))) tag = QStringLiteral("TA_COMPROBANTES");
    try {
        if (texto::igual(tag, QStringLiteral("TA_COMPROBANTES"))) {
            ColumnasConsulta columnas;
            const QString codigo = DefinirConsulta(ctx_.con(), tag, columnas, true);
            if (recortar(codigo).isEmpty()) return;
            caja->setText(recortar(codigo));
        } else if (texto::igual(tag, QStringLiteral("fecha"))) {
            const auto fecha = Utilidades::Calendario(caja->text());
            if (!fecha) return;
            caja->setText(*fecha);
        } else {
            const auto cuenta = ctx_.configuracion().SeleccionaCuenta();
            if (!cuenta) return;
            caja->setText(recortar(*cuenta));
        }
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("MostrarConsulta"));
        return;
    }
    int enter = Qt::Key_Return;
    TxtFields_KeyDown(CampoActual, enter, Qt::NoModifier);
}

// ---- field events ----

void FrmAjusteInflacion::consultarHabilitado(int Index)
{
    QLineEdit* caja = (*TxtFields)[Index];
    UtilTeb1->setHabilitado(QStringLiteral("CONSULTAR"), caja && !recortar(ArregloCajas::tag(caja)).isEmpty());
}

void FrmAjusteInflacion::TxtFields_GotFocus(int Index)
{
    CampoActual = Index;
    consultarHabilitado(Index);
    // While a generation runs the button stays off, whichever field the
    // platform hands the focus to meanwhile.
    CmdGenerar->setEnabled(!generando_ && !recortar(campo(QStringLiteral("CTA_REI"))->text()).isEmpty());
    ControlesFormulario::SeleccionaTexto((*TxtFields)[Index], true);
}

void FrmAjusteInflacion::TxtFields_KeyDown(int Index, int& KeyCode, Qt::KeyboardModifiers Shift)
{
    if (generando_) {
        KeyCode = 0;
        return;
    }
    QPointer<QLineEdit> caja((*TxtFields)[Index]);
    const int tecla = KeyCode;
    if (ControlesFormulario::EsTeclaEnter(tecla)) {
        focoEnGenerar_ = false;
        ValidaCampo(caja, Index, true);
        if (!HayError && caja && !focoEnGenerar_) ControlesFormulario::SiguienteControl(caja, tecla);
        KeyCode = 0;
    }
    if (caja) consultarHabilitado(Index);
    if (UtilTeb1->Tecla(tecla, Shift)) KeyCode = 0;
    CampoActual = Index;
}

void FrmAjusteInflacion::TxtFields_KeyPress(int Index, int& KeyAscii)
{
    KeyAscii = ControlesFormulario::FiltraTecla((*TxtFields)[Index], KeyAscii);
    if (KeyAscii == 0) return;
    if (Index == kCtaRei || Index == kNumero) {
        const QChar c{char16_t(KeyAscii)};
        KeyAscii = int(c.toUpper().unicode());
    } else if (KeyAscii < 256) {
        KeyAscii = MayusculaKeyAscii(qint16(KeyAscii), ctx_.soloMayusculas);
    }
}

void FrmAjusteInflacion::TxtFields_KeyUp(int Index, int KeyCode)
{
    QLineEdit* caja = (*TxtFields)[Index];
    if (!caja || !texto::contiene(ArregloCajas::dataField(caja), QStringLiteral("Periodo"))) return;
    switch (KeyCode) {
    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Home:
    case Qt::Key_Control:
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Shift:
        return;
    default:
        break;
    }
    caja->setText(FormateaPeriodo(caja->text()));
    caja->setCursorPosition(int(recortar(caja->text()).size()));
}

QString FrmAjusteInflacion::FormateaPeriodo(const QString& Texto)
{
    const QString s = recortar(Utilidades::QuitaCaracteres(Texto, QStringLiteral("-"), QStringLiteral("/")));
    if (s.size() < 2) return Texto;
    return recortar(s.left(2)) + QLatin1Char('/') + recortar(s.mid(2));
}

bool FrmAjusteInflacion::eventFilter(QObject* o, QEvent* e)
{
    const int i = TxtFields ? TxtFields->indiceDe(o) : -1;
    if (i >= 0) {
        if (e->type() == QEvent::KeyRelease) TxtFields_KeyUp(i, static_cast<QKeyEvent*>(e)->key());
        else if (e->type() == QEvent::MouseButtonPress) CampoActual = i;
    }
    return QWidget::eventFilter(o, e);
}

void FrmAjusteInflacion::keyPressEvent(QKeyEvent* e)
{
    if (!generando_ && UtilTeb1->Tecla(e->key(), e->modifiers())) return;
    QWidget::keyPressEvent(e);
}

// ---- the lines ----

void FrmAjusteInflacion::InicializaGrilla()
{
    std::vector<ColumnaGrilla> c;
    c.push_back({QStringLiteral("Linea"), QString(), QString(), 5, false, false});
    c.push_back({QStringLiteral("Cuenta"), QStringLiteral("MA_CUENTAS"), QStringLiteral("CUENTA"), 15, false, false});
    c.push_back({QStringLiteral("Descripción"), QString(), QString(), 46, false, false});
    c.push_back({QStringLiteral("Debe             "), QString(), QStringLiteral("DEBE"), 13, false, false});
    c.push_back({QStringLiteral("Haber            "), QString(), QStringLiteral("HABER"), 13, false, false});
    FgResumen->clearContents();
    FgResumen->setColumnas(std::move(c));
    FgResumen->setRowCount(19);
    const QFontMetrics fm(FgResumen->font());
    const int ancho = fm.horizontalAdvance(QLatin1Char('0'));
    for (int col = 0; col < FgResumen->columnCount(); ++col) {
        const ColumnaGrilla& def = FgResumen->columna(col);
        const bool importe = def.Campo == QLatin1String("DEBE") || def.Campo == QLatin1String("HABER");
        FgResumen->setColumnWidth(col, qMax(px((def.Largo + 1) * 80), (def.Largo + 1) * ancho + 8));
        FgResumen->setAlineacion(col, importe ? (Qt::AlignRight | Qt::AlignBottom) : (Qt::AlignLeft | Qt::AlignVCenter));
    }
    for (int f = 0; f < FgResumen->rowCount(); ++f) FgResumen->setCelda(f, 0, f + 1, QString::number(f + 1));
}

void FrmAjusteInflacion::MostrarLineas()
{
    InicializaGrilla();
    const int n = int(Lineas.size());
    if (n > FgResumen->rowCount()) FgResumen->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        ajuste::LineaAjuste& l = Lineas[size_t(i)];
        l.cuenta = recortar(l.cuenta);
        if (l.cuenta.isEmpty()) continue;
        FgResumen->setCelda(i, 0, i + 1, QString::number(i + 1));
        FgResumen->setCelda(i, 1, l.cuenta, l.cuenta);
        FgResumen->setCelda(i, 2, QVariant(), recortar(l.descripcion.left(50)));
        FgResumen->setCelda(i, 3, QVariant::fromValue(l.debe), formatoLinea(l.debe));
        FgResumen->setCelda(i, 4, QVariant::fromValue(l.haber), formatoLinea(l.haber));
    }
}

void FrmAjusteInflacion::Totales(Moneda& Debe, Moneda& Haber) const
{
    const ajuste::Totales t = ajuste::SumarTotales(Lineas);
    Debe = t.debe;
    Haber = t.haber;
}

void FrmAjusteInflacion::ActualizaTotales()
{
    Moneda d, h;
    Totales(d, h);
    txtTotal[0]->setText(formatoTotal(d));
    txtTotal[1]->setText(formatoTotal(h));
}

void FrmAjusteInflacion::ValidaTotales(bool& Correcto)
{
    HayError = false;
    Correcto = false;
    for (int i = 0; i < TxtFields->cantidad(); ++i) {
        QLineEdit* caja = (*TxtFields)[i];
        // Each field's own state: the locked header's fields still count.
        if (!caja || caja->testAttribute(Qt::WA_ForceDisabled)) continue;
        ValidaCampo(caja, i, true);
        if (HayError) return;
    }
    Moneda d, h;
    Totales(d, h);
    if (d != h) {
        dialogos().MsgBox(ajuste::kMensajeTotales, vbOKOnly, kAviso);
        HayError = true;
        return;
    }
    Correcto = true;
}

// ---- generation and save ----

void FrmAjusteInflacion::habilitaComandos(bool si)
{
    CmdGenerar->setEnabled(si);
    UtilTeb1->setEnabled(si);
    FrmCabecera->setAttribute(Qt::WA_TransparentForMouseEvents, !si);
    TxtFields->campo(QStringLiteral("DETALLE"))->setReadOnly(!si);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        Qt::WindowFlags f = sub->windowFlags();
        f.setFlag(Qt::WindowCloseButtonHint, si);
        sub->setWindowFlags(f);
        sub->show();
    }
}

void FrmAjusteInflacion::CmdGenerar_Click()
{
    if (generando_) return;
    // The months as proposed: a year already adjusted to its closing month
    // leaves the first month past the last one and is refused here.
    for (const char* n : {"PERIODO_DESDE", "PERIODO_HASTA"}) {
        const int i = indiceCampo(QString::fromLatin1(n));
        ValidaCampo((*TxtFields)[i], i, true);
        if (HayError) return;
    }
    PeriodoDesde = recortar(campo(QStringLiteral("PERIODO_DESDE"))->text());
    PeriodoHasta = recortar(campo(QStringLiteral("PERIODO_HASTA"))->text());
    const ajuste::PedidoAjuste pedido{ajuste::MesAnio::leer(PeriodoDesde), ajuste::MesAnio::leer(PeriodoHasta),
                                      recortar(campo(QStringLiteral("CTA_REI"))->text())};
    Lineas.clear();
    MostrarLineas();
    ActualizaTotales();

    generando_ = true;
    habilitaComandos(false);
    ventanas::CursorEspera(true);
    ajuste::ResultadoAjuste r;
    {
        ProgresoAjuste progreso(*this);
        auto confirmar = [&progreso] {
            ventanas::CursorEspera(false);
            progreso.MostrarVentana(false);
            const bool si = dialogos().MsgBox(ajuste::kPreguntaCancelar, vbYesNo | vbQuestion, QString()) == vbYes;
            if (!si) {
                progreso.Reanudar();
                progreso.MostrarVentana(true);
            }
            ventanas::CursorEspera(true);
            return si;
        };
        r = ajuste::GenerarAjuste(ctx_, pedido, progreso, confirmar);
    }
    ventanas::CursorEspera(false);
    generando_ = false;
    habilitaComandos(true);

    using Fin = ajuste::ResultadoAjuste::Fin;
    switch (r.fin) {
    case Fin::Completa:
        break;
    case Fin::SinMovimientos:
        dialogos().MsgBox(r.mensaje.isEmpty() ? ajuste::kMensajeSinMovimientos : r.mensaje, vbInformation, kAviso);
        DatosModificados = false;
        Inicializa();
        return;
    case Fin::Cancelada:
        // A stopped run keeps no line: the header stays and may generate again.
        return;
    case Fin::FaltaIndice:
    case Fin::Error:
        dialogos().MsgBox(r.mensaje, vbOKOnly, QString());
        return;
    case Fin::Rechazada:
        dialogos().MsgBox(r.mensaje, vbExclamation, kAviso);
        return;
    }

    Lineas = std::move(r.lineas);
    MostrarLineas();
    ActualizaTotales();
    UtilTeb1->setHabilitado(QStringLiteral("GRABAR"), !Lineas.empty());
    Moneda debe, haber;
    Totales(debe, haber);
    if (debe == haber) campo(QStringLiteral("CABIMPORTE"))->setText(txtTotal[0]->text());
    if (!debe.esCero()) {
        CmdGenerar->setEnabled(false);
        QLineEdit* detalle = campo(QStringLiteral("DETALLE"));
        detalle->setEnabled(true);
        detalle->setFocus(Qt::OtherFocusReason);
        // The concept takes the focus, and with it its focus rule ("&Generar"
        // follows the result account). The platform delivers the focus-in only
        // to an active window, and not at all when the concept had the focus
        // already: the rule runs here, so the window ends in the same state
        // every time (a later focus-in finds it so already).
        TxtFields_GotFocus(indiceCampo(QStringLiteral("DETALLE")));
    } else {
        dialogos().MsgBox(ajuste::kMensajeSinMovimientos, vbInformation, kAviso);
        DatosModificados = false;
        Inicializa();
    }
}

void FrmAjusteInflacion::GrabarAsiento()
{
    HayError = false;
    const auto texto = [this](const char* n) { return campo(QString::fromLatin1(n))->text(); };
    ajuste::CabeceraAjuste c;
    c.fecha = texto("FECHA");
    c.tc = recortar(texto("TC"));
    c.sucursal = texto("SUCURSAL");
    c.numero = texto("NUMERO");
    c.letra = texto("LETRA");
    c.detalle = recortar(texto("DETALLE"));
    c.periodoHasta = recortar(texto("PERIODO_HASTA"));
    ventanas::CursorEspera(true);
    try {
        ajuste::GrabarAjuste(ctx_, c, Lineas);
        ventanas::CursorEspera(false);
        return;
    } catch (const ajuste::ErrorConversionAjuste& e) {
        ventanas::CursorEspera(false);
        HayError = true;
        const int i = indiceCampo(e.campo());
        const QString nombre = i >= 0 ? ArregloCajas::tag((*TxtFields)[i]) + QLatin1Char('/') + ArregloCajas::dataField((*TxtFields)[i])
                                      : QLatin1Char('/') + e.campo();
        dialogos().MsgBox(QStringLiteral("Verifique las siguientes opciones: \r\n\r\n"
                                         "1) Ha ingresado letras donde debe ingresar numeros\r\n"
                                         "2) Debe ingresar una fecha y el formato es incorrecto\r\n\r\n"
                                         "En el campo: ") + nombre,
                          vbCritical, QStringLiteral("Error en conversion de datos"));
    } catch (const ErrorBD& e) {
        ventanas::CursorEspera(false);
        HayError = true;
        dialogos().MsgBox(e.descripcion() + QStringLiteral(" Grabación abortada! "), vbOKOnly, QString());
    } catch (const ErrorVexa& e) {
        // A refusal: nothing was written.
        ventanas::CursorEspera(false);
        HayError = true;
        dialogos().MsgBox(e.descripcion(), vbInformation, kAviso);
    } catch (const std::exception& e) {
        ventanas::CursorEspera(false);
        HayError = true;
        dialogos().MsgBox(descripcionDeError(e) + QStringLiteral(" Grabación abortada! "), vbOKOnly, QString());
    }
}

bool FrmAjusteInflacion::grabarDesdeLaBarra()
{
    bool correcto = false;
    ValidaTotales(correcto);
    if (!correcto) return false;
    GrabarAsiento();
    if (HayError) return false;
    DatosModificados = false;
    Inicializa();
    HabilitaCabecera(false);
    dialogos().MsgBox(QStringLiteral("Proceso Completo!"), vbInformation, QStringLiteral("Proceso Completo"));
    close();
    return true;
}

// ---- toolbar and closing ----

void FrmAjusteInflacion::UtilTeb1_Click(const QString& Clave)
{
    if (generando_) return;
    const QString k = Clave.toUpper();
    const QString pregunta = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
    const QString titulo = QStringLiteral("ATENCIÓN!!!");
    if (k == QLatin1String("NUEVO")) {
        Inicializa();
    } else if (k == QLatin1String("GRABAR")) {
        grabarDesdeLaBarra();
    } else if (k == QLatin1String("PLANILLA")) {
        const ajuste::ConsultaPlanilla q = ajuste::PlanillaAjustes();
        VisorConsulta::Mostrar(ctx_.con(), q.sql, q.params, ajuste::kTituloPlanilla);
    } else if (k == QLatin1String("CONSULTAR")) {
        MostrarConsulta();
    } else if (k == QLatin1String("REPORTE")) {
        EjecutarReporte(ctx_.con(), QStringLiteral("RP_ASIENTOS"));
    } else if (k == QLatin1String("CERRAR")) {
        if (DatosModificados && dialogos().MsgBox(pregunta, vbYesNo + vbExclamation + vbDefaultButton2, titulo) != vbYes) return;
        DatosModificados = false;
        close();
    } else if (k == QLatin1String("CANCELAR")) {
        if (DatosModificados) {
            if (dialogos().MsgBox(pregunta, vbYesNo + vbExclamation + vbDefaultButton2, titulo) != vbYes) return;
            DatosModificados = false;
        }
        Inicializa();
    }
    // BORRAR does nothing here.
}

void FrmAjusteInflacion::closeEvent(QCloseEvent* e)
{
    if (generando_) {
        e->ignore();
        return;
    }
    try {
        RegistraEgreso(ctx_, *this);
    } catch (const std::exception& ex) {
        dialogos().MsgBox(descripcionDeError(ex), vbOKOnly, windowTitle());
    }
    Lineas.clear();
    e->accept();
}

} // namespace vexa
