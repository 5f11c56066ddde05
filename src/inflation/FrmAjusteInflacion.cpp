#include "FrmAjusteInflacion.h"

#include "AjustesPrograma.h"
#include "CamposFormulario.h"
#include "ConsultasAjuste.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "EjecutarProgramas.h"
#include "Entorno.h"
#include "GrillaEditable.h"
#include "Lbc_Asiento.h"
#include "ProgresoVentana.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "VisorConsulta.h"
#include "lbm_Seguridad.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace vexa {

using namespace plataforma;
using ventanas::px;
using texto::recortar;

namespace {

const QString kAvisoCampo = QStringLiteral("Aviso al Operador");
const QString kAviso = QStringLiteral("Aviso al operador");

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

FrmAjusteInflacion::FrmAjusteInflacion(ContextoEmpresa& ctx, QWidget* parent) : VentanaCorrida(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmAjusteInflacion"));
    setWindowTitle(QStringLiteral("Asiento de Ajuste por Inflación"));

    UtilTeb1 = new UtilTeb(this);
    UtilTeb1->setObjectName(QStringLiteral("UtilTeb1"));
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, &FrmAjusteInflacion::UtilTeb1_Click);

    construirCampos();
    construirCabecera();
    construirLineas();

    // A generation locks the commands, the concept and the header.
    bloquearEnCorrida({CmdGenerar, UtilTeb1}, {(*TxtFields)[kDetalle]}, nullptr, this);
    alCerrar([this] { RegistraEgreso(ctx_, *this); });

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
        const ajuste::MesAnio ultimo = lectura::mesAnio(hastaAjuste).o(MesAnio{});
        PeriodoDesde = recortar(hastaAjuste).isEmpty() ? desdeCuarto(FechaDesde)
                                                       : ultimo.valido() ? ultimo.siguiente().texto() : QString();
        PeriodoHasta = desdeCuarto(FechaHasta);
        desde->setText(PeriodoDesde);
        hasta->setText(PeriodoHasta);

        const QDate hoy = plataforma::hoy();
        NroAsiento = QString::number(asiento.UltimoNumeroAsiento(hoy.month()));
        campo(QStringLiteral("[NUMERO ASIENTO]"))->setText(asiento.FormatDisplayNroAsiento(NroAsiento, hoy));
        const QDate cierre = ConsultasAjusteEmpresa(ctx_).ejercicioHasta();
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
    campo(QStringLiteral("TC"))->setText(ConsultasAjusteEmpresa(ctx_).comprobanteRecordado());
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

void FrmAjusteInflacion::ValidaCampo(QLineEdit* Campo, int Indice, bool MostrarMensaje)
{
    Q_UNUSED(Indice);
    HayError = false;
    ajuste::ResultadoCampo r;
    try {
        ajuste::EstadoCabecera estado;
        for (QLineEdit* caja : TxtFields->cajas()) estado.insert(ArregloCajas::dataField(caja), recortar(caja->text()));
        ConsultasAjusteEmpresa consultas(ctx_);
        r = ajuste::ValidarCampo(ArregloCajas::dataField(Campo), Campo->text(), estado, consultas);
    } catch (const std::exception& e) {
        HayError = true;
        Utilidades::ManejaError(e, QStringLiteral("ValidaCampo"));
        return;
    }
    aplicarCampo(r);
    HayError = r.error();
    if (!HayError) DatosValidosAsiento();
    if (recortar(r.mensaje).isEmpty()) return;
    if (r.caja == ajuste::ResultadoCampo::Caja::Inmediata) dialogos().MsgBox(r.mensaje, vbOKOnly, QString());
    else if (MostrarMensaje) dialogos().MsgBox(r.mensaje, vbExclamation, kAvisoCampo);
}

void FrmAjusteInflacion::aplicarCampo(const ajuste::ResultadoCampo& r)
{
    for (auto it = r.textos.cbegin(); it != r.textos.cend(); ++it) campo(it.key())->setText(it.value());
    if (r.descripcionCuenta) LblDescCuenta->setText(*r.descripcionCuenta);
    if (r.descripcionComprobante) lbldesctc->setText(*r.descripcionComprobante);
    if (r.cuentaIngresada) DatosModificados = true;
    if (r.comprobanteBloqueado) {
        campo(QStringLiteral("SUCURSAL"))->setEnabled(false);
        campo(QStringLiteral("NUMERO"))->setEnabled(false);
    }
    if (r.fechaDesde) FechaDesde = *r.fechaDesde;
    if (r.fechaHasta) FechaHasta = *r.fechaHasta;
    if (r.nroAsiento) NroAsiento = *r.nroAsiento;
    if (!r.aviso.isEmpty()) dialogos().MsgBox(r.aviso, vbInformation, QString());
    if (r.cabeceraCompleta) {
        HabilitaCabecera(true);
        if (CmdGenerar->isEnabled()) {
            CmdGenerar->setFocus(Qt::OtherFocusReason);
            focoEnGenerar_ = true;
        }
    }
}

void FrmAjusteInflacion::DatosValidosAsiento() { ActualizaTotales(); }

// ---- lookups ----

void FrmAjusteInflacion::MostrarConsulta()
{
    if (CampoActual < 0 || CampoActual >= TxtFields->cantidad()) return;
    QLineEdit* caja = (*TxtFields)[CampoActual];
    if (!caja || !caja->isEnabled()) return;
    try {
        campos_->Consultar(*TxtFields, CampoActual);
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("MostrarConsulta"));
    }
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
    CmdGenerar->setEnabled(!corriendo() && !recortar(campo(QStringLiteral("CTA_REI"))->text()).isEmpty());
    ControlesFormulario::SeleccionaTexto((*TxtFields)[Index], true);
}

void FrmAjusteInflacion::TxtFields_KeyDown(int Index, int& KeyCode, Qt::KeyboardModifiers Shift)
{
    if (corriendo()) {
        KeyCode = 0;
        return;
    }
    QPointer<QLineEdit> caja((*TxtFields)[Index]);
    const int tecla = KeyCode;
    if (ControlesFormulario::EsTeclaEnter(tecla)) {
        campos_->Enter(*TxtFields, Index);
        KeyCode = 0;
    }
    if (caja) consultarHabilitado(Index);
    if (UtilTeb1->Tecla(tecla, Shift)) KeyCode = 0;
    CampoActual = Index;
}

// The result account and the voucher number are always typed in upper case.
void FrmAjusteInflacion::TxtFields_KeyPress(int Index, int& KeyAscii)
{
    QLineEdit* caja = (*TxtFields)[Index];
    if (Index != kCtaRei && Index != kNumero) {
        KeyAscii = campos_->Tecla(caja, KeyAscii);
        return;
    }
    KeyAscii = ControlesFormulario::FiltraTecla(caja, KeyAscii);
    if (KeyAscii) KeyAscii = int(QChar(char16_t(KeyAscii)).toUpper().unicode());
}

// Enter on a field: its check; the focus moves on only when it passed and the
// check did not send it to "&Generar".
bool FrmAjusteInflacion::validaAlEntrar(int Index)
{
    if (corriendo()) return false;
    focoEnGenerar_ = false;
    ValidaCampo((*TxtFields)[Index], Index, true);
    return !HayError && !focoEnGenerar_;
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
    if (!corriendo() && UtilTeb1->Tecla(e->key(), e->modifiers())) return;
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

void FrmAjusteInflacion::bloquear(bool bloqueada)
{
    FrmCabecera->setAttribute(Qt::WA_TransparentForMouseEvents, bloqueada);
}

void FrmAjusteInflacion::CmdGenerar_Click()
{
    if (corriendo()) return;
    // The months as proposed: a year already adjusted to its closing month
    // leaves the first month past the last one and is refused here.
    for (const char* n : {"PERIODO_DESDE", "PERIODO_HASTA"}) {
        const int i = indiceCampo(QString::fromLatin1(n));
        ValidaCampo((*TxtFields)[i], i, true);
        if (HayError) return;
    }
    PeriodoDesde = recortar(campo(QStringLiteral("PERIODO_DESDE"))->text());
    PeriodoHasta = recortar(campo(QStringLiteral("PERIODO_HASTA"))->text());
    const ajuste::PedidoAjuste pedido{lectura::mesAnio(PeriodoDesde).o(MesAnio{}), lectura::mesAnio(PeriodoHasta).o(MesAnio{}),
                                      recortar(campo(QStringLiteral("CTA_REI"))->text())};
    Lineas.clear();
    MostrarLineas();
    ActualizaTotales();

    ajuste::ResultadoAjuste r;
    correr([&] {
        ProgresoAjuste progreso(*this);
        auto confirmar = [&progreso] {
            return ventanas::ConfirmarCancelar(progreso, ajuste::kPreguntaCancelar, vbYesNo | vbQuestion, QString());
        };
        r = ajuste::GenerarAjuste(ctx_, pedido, progreso, confirmar);
    });

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
    // Only a committed save leaves HayError false.
    HayError = true;
    try {
        ventanas::ConCursorEspera cursor;
        ajuste::GrabarAjuste(ctx_, c, Lineas);
        HayError = false;
    } catch (const ajuste::ErrorConversionAjuste& e) {
        const int i = indiceCampo(e.campo());
        const QString nombre = i >= 0 ? ArregloCajas::tag((*TxtFields)[i]) + QLatin1Char('/') + ArregloCajas::dataField((*TxtFields)[i])
                                      : QLatin1Char('/') + e.campo();
        dialogos().MsgBox(QStringLiteral("Verifique las siguientes opciones: \r\n\r\n"
                                         "1) Ha ingresado letras donde debe ingresar numeros\r\n"
                                         "2) Debe ingresar una fecha y el formato es incorrecto\r\n\r\n"
                                         "En el campo: ") + nombre,
                          vbCritical, QStringLiteral("Error en conversion de datos"));
    } catch (const ErrorBD& e) {
        dialogos().MsgBox(e.descripcion() + QStringLiteral(" Grabación abortada! "), vbOKOnly, QString());
    } catch (const ErrorVexa& e) {
        // A refusal: nothing was written.
        dialogos().MsgBox(e.descripcion(), vbInformation, kAviso);
    } catch (const std::exception& e) {
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
    if (corriendo()) return;
    const QString k = Clave.toUpper();
    // Closing and cancelling ask first when the entry has data.
    const auto abandona = [this] {
        if (DatosModificados && dialogos().MsgBox(QStringLiteral("¿Está seguro de abandonar la carga de datos?"),
                                                  vbYesNo + vbExclamation + vbDefaultButton2,
                                                  QStringLiteral("ATENCIÓN!!!")) != vbYes)
            return false;
        DatosModificados = false;
        return true;
    };
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
        plataforma::mostrarAviso(EjecutarReporte(ctx_.con(), QStringLiteral("RP_ASIENTOS")));
    } else if (k == QLatin1String("CERRAR")) {
        if (abandona()) close();
    } else if (k == QLatin1String("CANCELAR")) {
        if (abandona()) Inicializa();
    }
    // BORRAR does nothing here.
}

} // namespace vexa
