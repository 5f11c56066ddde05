#include "frmMA_INDAJUSTE.h"

#include "FrmAjusteInflacion.h"

#include "AjustesPrograma.h"
#include "CNStuffContable.h"
#include "CfgVentanas.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "EjecutarProgramas.h"
#include "Entorno.h"
#include "GrillaEditable.h"
#include "LBM_Common.h"
#include "ProgresoVentana.h"
#include "RegistroVentanas.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "lbm_Seguridad.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;
using ventanas::px;

namespace {

const QString kAviso = QStringLiteral("Aviso al operador...");
const QString kAtencion = QStringLiteral("Atención!");
const QString kAbandonar = QStringLiteral("Esta seguro de abandonar la carga de datos?");
const QColor kCian(0, 255, 255);

} // namespace

frmMA_INDAJUSTE::frmMA_INDAJUSTE(ContextoEmpresa& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmMA_INDAJUSTE"));
    setWindowTitle(QStringLiteral("Indices de Ajustes"));

    UtilTeb1 = new UtilTeb(this);
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, &frmMA_INDAJUSTE::UtilTeb1_ButtonClick);

    lblAnio = new QLabel(QStringLiteral("AÑO:"), this);
    lblAnio->setObjectName(QStringLiteral("lblAnio"));
    auto* anio = new QLineEdit(this);
    anio->setObjectName(QStringLiteral("TxtFields_0"));
    anio->setProperty(ControlesFormulario::propiedadCampo(), QStringLiteral("anio"));
    anio->setProperty("Tag", QString());
    anio->setMaxLength(4);
    anio->setFixedWidth(px(900));
    anio->installEventFilter(this);
    TxtFields[0] = anio;
    lblAnio->setBuddy(anio);

    FgAsiento = new GrillaEditable(this);
    FgAsiento->setObjectName(QStringLiteral("FgAsiento"));
    BrwTxt = FgAsiento->editor();
    // The index grid hands Enter only to its movement routine; Enter on the
    // grid moves on.
    FgAsiento->teclasMovimiento = GrillaEditable::TeclaEnter;
    FgAsiento->FiltroTecla = [](int, QChar& c, const QString& previo) { return ajuste::CaracterDeValor(c, previo); };
    FgAsiento->ReglaMayusculas = [this](QChar c) {
        return c.unicode() < 256 ? QChar(char16_t(MayusculaKeyAscii(qint16(c.unicode()), ctx_.soloMayusculas))) : c;
    };
    connect(FgAsiento, &GrillaEditable::celdaConfirmada, this, &frmMA_INDAJUSTE::FgAsiento_celdaConfirmada);
    connect(FgAsiento, &QTableWidget::currentCellChanged, this, [this] { CampoActual = -2; });
    FgAsiento->installEventFilter(this);
    FgAsiento->verticalHeader()->setDefaultSectionSize(FgAsiento->fontMetrics().height() + 8);

    auto* fila = new QHBoxLayout;
    fila->addWidget(lblAnio);
    fila->addWidget(anio);
    fila->addStretch(1);
    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addLayout(fila);
    v->addWidget(FgAsiento, 1);

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    // The closing month is read once per opening (the operator is told once
    // when the fiscal year does not exist; the coefficients then stay blank).
    try {
        bool sinEjercicio = false;
        cierre_ = ajuste::LeerMesCierre(ctx_, &sinEjercicio);
        if (sinEjercicio)
            plataforma::dialogos().MsgBox(kMensajeSinEjercicios, plataforma::vbOKOnly, QCoreApplication::applicationName());
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("Form_Load"));
    }
    LimpiarPantalla();
    CargaFlexGrid();
    int ancho = 0;
    for (int col = 0; col < FgAsiento->columnCount(); ++col) ancho += FgAsiento->columnWidth(col);
    resize(ancho + 40, UtilTeb1->sizeHint().height() + anio->sizeHint().height() +
                           FgAsiento->horizontalHeader()->sizeHint().height() + 12 * FgAsiento->verticalHeader()->defaultSectionSize() + 50);
}

frmMA_INDAJUSTE::~frmMA_INDAJUSTE()
{
    // The grid reports its last cell changes while Qt takes it down, after this
    // window's part of the object is gone.
    FgAsiento->disconnect(this);
    FgAsiento->FiltroTecla = nullptr;
    FgAsiento->ReglaMayusculas = nullptr;
}

void frmMA_INDAJUSTE::enfocarAnio()
{
    QLineEdit* a = TxtFields[0];
    a->setCursorPosition(int(a->text().trimmed().size()));
    a->setFocus(Qt::OtherFocusReason);
    CampoActual = 0;
}

void frmMA_INDAJUSTE::LimpiarPantalla()
{
    Nuevo = Borrar = Modifica = false;
    TxtFields[0]->clear();
    TxtFields[0]->setMaxLength(4);
    TxtFields[0]->setText(QString::number(plataforma::hoy().year()));
    LimpiarControles();
    MsFlex_Inicializa();
    HabilitaCampos(false);
    DatosModificados = false;
}

void frmMA_INDAJUSTE::LimpiarControles()
{
    // The window's only field besides the year is the grid.
    anioGrilla_ = 0;
}

void frmMA_INDAJUSTE::HabilitaCampos(bool habilitar)
{
    TxtFields[0]->setEnabled(!habilitar);
    for (const char* k : {"GRABAR", "BORRAR", "CANCELAR"}) UtilTeb1->setHabilitado(QString::fromLatin1(k), habilitar);
    UtilTeb1->setHabilitado(QStringLiteral("NUEVO"), !habilitar);
    UtilTeb1->setHabilitado(QStringLiteral("REPORTE"), true);
    UtilTeb1->setHabilitado(QStringLiteral("CERRAR"), true);
    UtilTeb1->setHabilitado(QStringLiteral("PLANILLA"), false);
    UtilTeb1->setHabilitado(QStringLiteral("CONSULTAR"), false);
    FgAsiento->setEnabled(habilitar);
}

void frmMA_INDAJUSTE::MsFlex_Inicializa()
{
    EditorActual = 0;
    FgAsiento->cancelarEdicion();
    std::vector<ColumnaGrilla> c;
    c.push_back({QStringLiteral("Mes"), QString(), QStringLiteral("Mes"), 12, false, false});
    for (int k = 1; k <= ajuste::kSeries; ++k) {
        const QString digito = QString::number(k).trimmed();
        c.push_back({Cfg(ctx_, QStringLiteral("NOMBRE_INDICE") + digito), QString(), QStringLiteral("IMPORTE") + digito, 0, true, false});
        c.push_back({QStringLiteral("Coef."), QString(), QStringLiteral("Indice") + digito, 0, false, false});
    }
    FgAsiento->clearContents();
    FgAsiento->setColumnas(std::move(c));
    FgAsiento->setRowCount(12);
    FgAsiento->horizontalHeaderItem(0)->setText(QString()); // the month column's heading stays empty
    // The layout's widths, widened to the font in use: a coefficient, a heading.
    const QFontMetrics fm(FgAsiento->font());
    FgAsiento->setColumnWidth(0, qMax(px(1400), fm.horizontalAdvance(QStringLiteral("Septiembre")) + 12));
    for (int col = 1; col < FgAsiento->columnCount(); ++col) {
        const bool coef = FgAsiento->columna(col).Campo.startsWith(QLatin1String("Ind"), Qt::CaseInsensitive);
        const int minimo = coef ? fm.horizontalAdvance(QStringLiteral(" 00.000")) : fm.horizontalAdvance(FgAsiento->columna(col).Titulo);
        FgAsiento->setColumnWidth(col, qMax(px(coef ? 640 : 960), minimo + 14));
        FgAsiento->setAlineacion(col, Qt::AlignRight | Qt::AlignBottom);
    }
    for (int f = 0; f < 12; ++f) {
        FgAsiento->setCelda(f, 0, f + 1, Utilidades::NombreMes(f + 1));
        for (int k = 1; k <= ajuste::kSeries; ++k) {
            FgAsiento->setCelda(f, columnaValor(k), 0.0, QString());
            FgAsiento->setCelda(f, columnaCoeficiente(k), 0.0, QString());
            FgAsiento->setFondo(f, columnaCoeficiente(k), kCian);
        }
    }
    FgAsiento->setCurrentCell(0, 0);
}

bool frmMA_INDAJUSTE::CargaFlexGrid()
{
    Modifica = true;
    MsFlex_Inicializa();
    const ajuste::AnioValidado a = ajuste::ValidarAnio(TxtFields[0]->text());
    bool ok = true;
    if (a.mensaje.isEmpty()) {
        try {
            const ajuste::AnioIndices datos = ajuste::CargarAnio(ctx_.con(), a.anio);
            // Each row in its month's place.
            for (int f = 0; f < 12; ++f)
                for (int k = 1; k <= ajuste::kSeries; ++k) {
                    const double v = datos[size_t(f)].importe[size_t(k - 1)];
                    FgAsiento->setCelda(f, columnaValor(k), v, ajuste::TextoValor(v));
                }
            anioGrilla_ = a.anio;
        } catch (const std::exception& e) {
            // A year that could not be read is not offered for editing: saving
            // the empty grid would replace its rows.
            MsFlex_Inicializa();
            Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("CargaFlexGrid"));
            ok = false;
        }
    }
    ObtieneCoeficientes();
    FgAsiento->setCurrentCell(0, 1);
    return ok;
}

double frmMA_INDAJUSTE::valorCelda(int fila, int col) const
{
    const QVariant v = FgAsiento->valor(fila, col);
    return v.isValid() ? v.toDouble() : 0.0;
}

void frmMA_INDAJUSTE::ObtieneCoeficientes()
{
    ajuste::Serie cierre{};
    if (cierre_) {
        if (anioGrilla_ == cierre_->anio) {
            // The closing year is on screen: its closing month as typed, unsaved or not.
            for (int k = 1; k <= ajuste::kSeries; ++k) cierre[size_t(k - 1)] = valorCelda(cierre_->mes - 1, columnaValor(k));
        } else {
            try {
                if (auto s = ajuste::ValoresMes(ctx_.con(), cierre_->anio, cierre_->mes)) cierre = *s;
            } catch (const std::exception& e) {
                Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("ObtieneCoeficientes"));
            }
        }
    }
    for (int f = 0; f < 12; ++f)
        for (int k = 1; k <= ajuste::kSeries; ++k) {
            const double c = ajuste::Coeficiente(cierre[size_t(k - 1)], valorCelda(f, columnaValor(k)));
            FgAsiento->setCelda(f, columnaCoeficiente(k), c, ajuste::TextoCoeficiente(c));
        }
}

void frmMA_INDAJUSTE::FgAsiento_celdaConfirmada(int fila, int col)
{
    // The cell keeps the typed text and its number; a text that is no number
    // keeps no value and stops the save.
    const QString t = FgAsiento->texto(fila, col);
    const std::optional<double> v = ajuste::LeerValor(t);
    FgAsiento->setCelda(fila, col, v ? QVariant(*v) : QVariant(), t);
    ObtieneCoeficientes();
}

void frmMA_INDAJUSTE::Campo_Valida(int indice)
{
    ErrorCampo = false;
    QLineEdit* campo = TxtFields[size_t(indice)];
    const ajuste::AnioValidado a = ajuste::ValidarAnio(campo->text());
    if (!a.mensaje.isEmpty()) {
        ErrorCampo = true;
        dialogos().MsgBox(a.mensaje, vbInformation, kAviso);
        campo->setEnabled(true);
        campo->setFocus(Qt::OtherFocusReason);
        return;
    }
    bool existe = false;
    for (;;) {
        try {
            existe = ajuste::ExisteAnio(ctx_.con(), a.anio);
            break;
        } catch (const std::exception& e) {
            if (Utilidades::ManejaError(e, QStringLiteral("Campo_Valida")) == vbRetry) continue;
            ErrorCampo = true;
            return;
        }
    }
    campo->setText(QString::number(a.anio));
    if (existe) {
        Nuevo = false;
        Modifica = true;
        if (!Grabando && !CargaFlexGrid()) {
            ErrorCampo = true;
            return;
        }
    } else {
        if (!Grabando) {
            LimpiarControles();
            MsFlex_Inicializa();
            anioGrilla_ = a.anio;
            ObtieneCoeficientes();
            Nuevo = true;
        }
        FgAsiento->setCurrentCell(0, 1);
    }
    HabilitaCampos(true);
    DatosModificados = true;
}

bool frmMA_INDAJUSTE::DatosValidos()
{
    ErrorCampo = false;
    for (int i = 0; i < int(TxtFields.size()) && !ErrorCampo; ++i) Campo_Valida(i);
    return !ErrorCampo;
}

std::optional<ajuste::AnioIndices> frmMA_INDAJUSTE::datosGrilla()
{
    ajuste::AnioIndices d{};
    for (int f = 0; f < 12; ++f)
        for (int k = 1; k <= ajuste::kSeries; ++k) {
            const int col = columnaValor(k);
            const QVariant v = FgAsiento->valor(f, col);
            if (!v.isValid() && !Utilidades::EsVacio(FgAsiento->texto(f, col))) {
                dialogos().MsgBox(QStringLiteral("Verifique las siguientes opciones: \r\n\r\n"
                                                 "1) Ha ingresado letras donde debe ingresar numeros\r\n\r\n"
                                                 "2) Debe ingresar una fecha y el formato es incorrecto\r\n\r\n"
                                                 "En el campo: ") +
                                      Utilidades::NombreMes(f + 1) + QLatin1Char('/') + FgAsiento->columna(col).Campo,
                                  vbCritical, QStringLiteral("Error en conversion de datos"));
                FgAsiento->setCurrentCell(f, col);
                FgAsiento->setFocus(Qt::OtherFocusReason);
                return std::nullopt;
            }
            d[size_t(f)].importe[size_t(k - 1)] = v.isValid() ? v.toDouble() : 0.0;
            d[size_t(f)].indice[size_t(k - 1)] = valorCelda(f, columnaCoeficiente(k));
        }
    return d;
}

bool frmMA_INDAJUSTE::ActualizarDatos()
{
    const ajuste::AnioValidado a = ajuste::ValidarAnio(TxtFields[0]->text());
    if (!a.mensaje.isEmpty()) {
        ErrorCampo = true;
        return false;
    }
    std::optional<ajuste::AnioIndices> datos;
    if (!Borrar) {
        datos = datosGrilla();
        if (!datos) {
            ErrorCampo = true;
            return false;
        }
    }
    try {
        ventanas::CursorEspera(true);
        if (Borrar) {
            ajuste::BorrarAnio(ctx_.con(), a.anio);
        } else {
            ProgresoVentana progreso(this);
            ajuste::GrabarAnio(ctx_.con(), a.anio, *datos, progreso);
        }
        ventanas::CursorEspera(false);
    } catch (const std::exception& e) {
        // Rolled back: the stored year and the grid stay as they were.
        ventanas::CursorEspera(false);
        ErrorCampo = true;
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("ActualizarDatos"));
        return false;
    }
    LimpiarPantalla();
    HabilitaCampos(false);
    return true;
}

void frmMA_INDAJUSTE::UtilTeb1_ButtonClick(const QString& clave)
{
    // An open edit goes into its cell before any command.
    FgAsiento->confirmarEdicion();
    const QString k = clave.toUpper();
    if (k == QLatin1String("NUEVO")) {
        LimpiarPantalla();
        Nuevo = true;
        Borrar = Modifica = false;
        enfocarAnio();
    } else if (k == QLatin1String("BORRAR")) {
        if (dialogos().MsgBox(QStringLiteral("Confirma la baja de este registro?"), vbYesNo + vbExclamation + vbDefaultButton2, kAtencion) != vbYes)
            return;
        Nuevo = false;
        Borrar = true;
        Modifica = false;
        const bool hecho = ActualizarDatos();
        Borrar = false;
        if (hecho) CargaFlexGrid();
    } else if (k == QLatin1String("GRABAR")) {
        Grabando = true;
        if (DatosValidos()) {
            ObtieneCoeficientes();
            if (ActualizarDatos()) {
                DatosModificados = false;
                enfocarAnio();
            }
        }
        Grabando = false;
    } else if (k == QLatin1String("REPORTE")) {
        plataforma::mostrarAviso(EjecutarReporte(ctx_.con(), QStringLiteral("IndicesDeAjuste|") + TxtFields[0]->text().trimmed()));
    } else if (k == QLatin1String("CERRAR")) {
        if (DatosModificados) {
            if (dialogos().MsgBox(kAbandonar, vbYesNo + vbExclamation + vbDefaultButton2, kAtencion) != vbYes) return;
            DatosModificados = false;
        }
        close();
    } else if (k == QLatin1String("CANCELAR")) {
        if (DatosModificados) {
            if (dialogos().MsgBox(kAbandonar, vbYesNo + vbExclamation + vbDefaultButton2, kAtencion) != vbYes) return;
            DatosModificados = false;
        }
        LimpiarPantalla();
        enfocarAnio();
    }
    // PLANILLA and CONSULTAR do nothing here.
}

void frmMA_INDAJUSTE::keyPressEvent(QKeyEvent* e)
{
    // Form_KeyDown: the keys go to the toolbar.
    if (UtilTeb1->Tecla(e->key(), e->modifiers())) return;
    QWidget::keyPressEvent(e);
}

bool frmMA_INDAJUSTE::eventFilter(QObject* o, QEvent* e)
{
    if (o == TxtFields[0]) {
        if (e->type() == QEvent::FocusIn) CampoActual = 0;
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (ControlesFormulario::EsTeclaEnter(k->key())) {
                Campo_Valida(0);
                if (!ErrorCampo) FgAsiento->setFocus(Qt::TabFocusReason);
                return true;
            }
            const QString t = k->text();
            if (t.size() == 1 && t[0].unicode() < 256 && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                const qint16 c = MayusculaKeyAscii(qint16(t[0].unicode()), ctx_.soloMayusculas);
                if (c != t[0].unicode()) {
                    TxtFields[0]->insert(QString(QChar(char16_t(c))));
                    return true;
                }
            }
        }
    } else if (o == FgAsiento && e->type() == QEvent::FocusIn) {
        CampoActual = -2;
        EditorActual = 0;
    }
    return QWidget::eventFilter(o, e);
}

void frmMA_INDAJUSTE::closeEvent(QCloseEvent* e)
{
    try {
        RegistraEgreso(ctx_, *this);
    } catch (const std::exception& ex) {
        dialogos().MsgBox(descripcionDeError(ex), vbOKOnly, windowTitle());
    }
    e->accept();
}

void registrarVentanasAjuste()
{
    registrarVentana(QStringLiteral("frmMA_INDAJUSTE"),
                     [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new frmMA_INDAJUSTE(ctx); });
    registrarVentana(QStringLiteral("FrmAjusteInflacion"),
                     [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new FrmAjusteInflacion(ctx); });
}

} // namespace vexa
