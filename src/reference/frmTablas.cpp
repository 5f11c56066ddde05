#include "frmTablas.h"

#include "AjustesPrograma.h"
#include "CamposFormulario.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "DefinirConsulta.h"
#include "Dialogos.h"
#include "LBM_Common.h"
#include "NavegadorRegistros.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "VisorConsulta.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace vexa {

using namespace plataforma;
using namespace referencias;

namespace {
const QString kAviso = QStringLiteral("Aviso al operador...");

// Shows a stored value whole, also one longer than the operator may type.
void mostrarEntero(QLineEdit* t, const QString& valor)
{
    if (t->maxLength() < valor.size()) t->setMaxLength(int(valor.size()));
    t->setText(valor);
}
} // namespace

frmTablas::frmTablas(ContextoEmpresa& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), campos_(new CamposFormulario(this, ctx.soloMayusculas))
{
    setObjectName(QStringLiteral("frmTablas"));
    setWindowTitle(QStringLiteral("Tablas de Referencias"));

    UtilTeb1 = new UtilTeb(this);
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, &frmTablas::UtilTeb1_ButtonClick);

    CmbTablas = new QComboBox(this);
    CmbTablas->setObjectName(QStringLiteral("CmbTablas"));
    CmbTablas->setEditable(false); // a drop-down list: typing chooses nothing
    CmbTablas->installEventFilter(this);
    connect(CmbTablas, &QComboBox::activated, this, [this](int) {
        AbrirTabla();
        // A record being edited belongs to the table it was read from: the
        // new table starts waiting for a code.
        Inicializa();
    });

    construirCampos();

    Util0011 = new NavegadorRegistros(this);
    connect(Util0011, &NavegadorRegistros::ButtonClick, this, &frmTablas::Util0011_Click);

    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addWidget(CmbTablas);
    v->addWidget(FrmDatos);
    v->addWidget(Util0011);
    v->addStretch(1);
    resize(660, 260);

    // Form_Load
    EjecutarPasos(QStringLiteral("Load"), {
        [this] {
            AplicarEstiloFormulario(this);
            ventanas::PreparaFormulario(this);
            ventanas::CursorEspera(false);
            MensajeEstado(QStringLiteral("..."), false);
        },
        [this] {
            CatalogoTablas = referencias::CatalogoTablas();
            for (const EntradaCatalogo& e : CatalogoTablas)
                if (!texto::recortar(e.Titulo).isEmpty()) CmbTablas->addItem(e.Titulo);
        },
        [this] {
            CmbTablas->setCurrentIndex(0);
            NombreTabla = CatalogoTablas.front().Tabla;
            AbrirTabla();
            Inicializa();
        },
        [this] { UtilTeb1->setHabilitado(QStringLiteral("REPORTE"), false); },
    });
}

frmTablas::~frmTablas() = default;

// The data frame: the three fields, their labels and the field helper's
// rules for them.
void frmTablas::construirCampos()
{
    FrmDatos = new QGroupBox(this);
    FrmDatos->setObjectName(QStringLiteral("FrmDatos"));
    auto* rejilla = new QGridLayout(FrmDatos);
    // Each field's length follows its column in the table opened (limitarCampos).
    struct Campo { const char* columna; const char* etiqueta; };
    const Campo campos[] = {{"CODIGO", "Código:"}, {"DESCRIPCION", "Descripción"}, {"CantidadDias", "Cantidad de Dias"}};
    cajas_ = new ArregloCajas(QStringLiteral("TxtFields"), this);
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(QString::fromUtf8(campos[i].etiqueta), FrmDatos);
        l->setObjectName(QStringLiteral("lblLabels_%1").arg(i));
        QLineEdit* t = cajas_->agregar(FrmDatos, {QString::fromLatin1(campos[i].columna)});
        t->setContextMenuPolicy(Qt::NoContextMenu); // the right button opens the lookup
        l->setBuddy(t);
        rejilla->addWidget(l, i, 0);
        rejilla->addWidget(t, i, 1);
        lblLabels.push_back(l);
        TxtFields.push_back(t);
    }
    TxtFields[0]->setMaximumWidth(80);
    TxtFields[2]->setProperty(ControlesFormulario::propiedadFiltro(), QStringLiteral("NUMERO"));
    CamposFormulario::Arreglo reglas;
    reglas.valida = [this](int i) {
        CampoValida(i);
        return !HayError;
    };
    reglas.alEntrar = [this](int i) { IndiceActual = i; };
    reglas.seleccionar = false; // the focus only tells which field the lookup serves
    campos_->atender(*cajas_, std::move(reglas));
    // No F5 here: the right button (and the toolbar) looks up the code, for
    // the box pressed whether it has the focus or not.
    cajas_->BotonDerecho = [this](int i) {
        IndiceActual = i;
        BuscarCodigo();
    };
}

bool frmTablas::soloLectura() const { return EsSoloLectura(NombreTabla); }

int frmTablas::indiceCampo(const QString& columna) const { return ControlesFormulario::IndiceCampo(TxtFields, columna); }

void frmTablas::AbrirTabla()
{
    EjecutarPasos(QStringLiteral("Abrir Tabla"), {
        [this] {
            const int i = CmbTablas->currentIndex();
            if (i >= 0 && i < int(CatalogoTablas.size())) NombreTabla = CatalogoTablas[size_t(i)].Tabla;
        },
        [this] { AbrirRecordset(NombreTabla); },
        [this] {
            for (QLineEdit* t : TxtFields) t->setEnabled(!soloLectura());
            UtilTeb1->setHabilitado(QStringLiteral("NUEVO"), !soloLectura());
        },
    });
}

void frmTablas::AbrirRecordset(const QString& tabla)
{
    EjecutarPasos(QStringLiteral("Abrir Recordset"), {
        [this, tabla] {
            TxtFields[0]->setProperty(ControlesFormulario::propiedadCampo(), ColumnaClave(tabla));
            // Views keep whole-number keys: the code field takes digits only.
            TxtFields[0]->setProperty(ControlesFormulario::propiedadFiltro(),
                                      tabla.startsWith(QLatin1String("V_TA_"), Qt::CaseInsensitive) ? QStringLiteral("NUMERO")
                                                                                                     : QString());
        },
        [this, tabla] {
            const bool dias = MuestraCantidadDias(tabla);
            const int i = indiceCampo(ColumnaCantidadDias());
            if (i >= 0) TxtFields[size_t(i)]->setVisible(dias);
            lblLabels[2]->setVisible(dias);
        },
        [this, tabla] {
            rs_.reset();
            filas_.clear();
            posicion_ = -1;
            rs_ = std::make_unique<TablaReferencia>(ctx_.con(), tabla);
            limitarCampos();
            filas_ = rs_->Filas();
            posicion_ = filas_.empty() ? -1 : 0;
        },
    });
}

void frmTablas::limitarCampos()
{
    if (!rs_) return;
    const auto limitar = [this](int i, int largo) {
        if (i < 0) return;
        QLineEdit* t = TxtFields[size_t(i)];
        t->setMaxLength(std::max(largo > 0 ? largo : 32767, int(t->text().size())));
    };
    limitar(0, rs_->largoClave());
    limitar(indiceCampo(ColumnaDescripcion()), rs_->largoDescripcion());
    limitar(indiceCampo(ColumnaCantidadDias()), TablaReferencia::largoCantidadDias());
}

bool frmTablas::editado(int indice) const
{
    if (!mostrada_) return true;
    const QLineEdit* t = TxtFields[size_t(indice)];
    const QString campo = t->property(ControlesFormulario::propiedadCampo()).toString();
    if (texto::igual(campo, ColumnaDescripcion())) return t->text() != mostrada_->descripcion;
    if (texto::igual(campo, ColumnaCantidadDias())) return t->text() != mostrada_->cantidadDias;
    return true;
}

void frmTablas::mostrarFila(const RegistroTabla& r)
{
    Modificar = true; // a row shown is a row that exists
    claveMostrada_ = r.clave;
    mostrada_ = r;
    for (size_t i = 0; i < TxtFields.size(); ++i) {
        QLineEdit* t = TxtFields[i];
        if (t->isHidden()) continue;
        const QString campo = t->property(ControlesFormulario::propiedadCampo()).toString();
        if (i == 0) mostrarEntero(t, r.clave);
        else if (texto::igual(campo, ColumnaDescripcion())) mostrarEntero(t, r.descripcion);
        else if (texto::igual(campo, ColumnaCantidadDias())) mostrarEntero(t, r.cantidadDias);
    }
}

void frmTablas::AsignarDatos()
{
    // Outside the rows (before the first, after the last, none at all) the
    // fields keep what they showed.
    if (posicion_ < 0 || posicion_ >= int(filas_.size())) return;
    mostrarFila(filas_[size_t(posicion_)]);
}

void frmTablas::Util0011_Click(const QString& clave)
{
    const QString k = clave.toUpper();
    const int n = int(filas_.size());
    if (k == QLatin1String("PRIMERO")) posicion_ = n > 0 ? 0 : -1;
    else if (k == QLatin1String("ANTERIOR")) posicion_ = std::max(posicion_ - 1, -1);
    else if (k == QLatin1String("SIGUIENTE")) posicion_ = std::min(posicion_ + 1, n);
    else if (k == QLatin1String("ULTIMO")) posicion_ = n - 1;
    AsignarDatos();
}

void frmTablas::Inicializa()
{
    Nuevo = Borrar = Modificar = false;
    claveMostrada_.clear();
    mostrada_.reset();
    for (QLineEdit* t : TxtFields) t->clear();
    AbrirRecordset(NombreTabla);
    InicializaDetalle();
    DetalleOn(false);
}

void frmTablas::InicializaDetalle()
{
    for (size_t i = 1; i < TxtFields.size(); ++i) TxtFields[i]->clear();
    limitarCampos();
}

void frmTablas::DetalleOn(bool activo)
{
    // VAT conditions are only shown: every field and every writing key stays off.
    const bool escribe = !soloLectura();
    for (QLineEdit* t : TxtFields) t->setEnabled(activo && escribe);
    TxtFields[0]->setEnabled(escribe);
    Util0011->setEnabled(!activo);
    Util0011->setVisible(!activo);
    UtilTeb1->setHabilitado(QStringLiteral("NUEVO"), !activo && escribe);
    UtilTeb1->setHabilitado(QStringLiteral("GRABAR"), activo && escribe);
    UtilTeb1->setHabilitado(QStringLiteral("CANCELAR"), activo);
    // Only an existing row can be deleted.
    UtilTeb1->setHabilitado(QStringLiteral("BORRAR"), activo && escribe && Modificar && !claveMostrada_.isEmpty());
    UtilTeb1->setHabilitado(QStringLiteral("CERRAR"), !activo);
}

void frmTablas::CampoValida(int indice)
{
    HayError = false;
    QLineEdit* campo = TxtFields[size_t(indice)];
    const QString columnaClave = texto::recortar(TxtFields[0]->property(ControlesFormulario::propiedadCampo()).toString());
    const QString valor = texto::recortar(campo->text());
    const QString columna = campo->property(ControlesFormulario::propiedadCampo()).toString();
    const QString etiqueta = lblLabels[size_t(indice)]->text();
    QString mensaje;
    if (texto::igual(columna, columnaClave)) {
        if (!rs_) return; // the table could not be opened (reported already)
        if (valor.isEmpty()) mensaje = MensajeSinCodigo();
        if (mensaje.isEmpty()) {
            // A stored code is found as it is written; only a new one must
            // follow the rules of new codes.
            std::optional<RegistroTabla> fila;
            const bool leido = EjecutarPasos(QStringLiteral("CampoValida"), {[&] { fila = rs_->Buscar(valor); }});
            if (!leido) {
                HayError = true;
                campo->setFocus();
                return;
            }
            if (fila) {
                Nuevo = false;
                Modificar = true;
                if (!Grabando) {
                    for (size_t i = 0; i < filas_.size(); ++i)
                        if (filas_[i].clave == fila->clave) posicion_ = int(i);
                    mostrarFila(*fila);
                } else if (!mostrada_ || mostrada_->clave != fila->clave) {
                    // The fields hold what was shown of another row: all of it is saved.
                    mostrada_.reset();
                }
                claveMostrada_ = fila->clave;
            } else if (!AdmiteAltas(NombreTabla)) {
                mensaje = MensajeMonedaNueva();
            } else if (!soloLectura()) {
                mensaje = rs_->revisarClave(valor, etiqueta);
                if (mensaje.isEmpty()) {
                    if (!Grabando) InicializaDetalle();
                    campo->setText(rs_->formaClave(valor));
                    Nuevo = true;
                    Modificar = false;
                    claveMostrada_.clear();
                    mostrada_.reset();
                }
            }
            if (mensaje.isEmpty() && !soloLectura()) DetalleOn(true);
        }
    } else if (texto::igual(columna, ColumnaDescripcion())) {
        // A description left as it was shown is kept as stored, whatever its length.
        if (rs_ && editado(indice)) mensaje = rs_->revisarDescripcion(campo->text(), etiqueta);
        else if (valor.isEmpty()) mensaje = MensajeSinDetalle();
    } else if (texto::igual(columna, ColumnaCantidadDias()) && !campo->isHidden() && rs_ && editado(indice)) {
        mensaje = rs_->revisarCantidadDias(campo->text(), etiqueta);
    }
    if (!mensaje.isEmpty()) {
        HayError = true;
        dialogos().MsgBox(mensaje, vbInformation, kAviso);
        campo->setFocus();
    }
}

bool frmTablas::DatosValidos()
{
    HayError = false;
    for (size_t i = 0; i < TxtFields.size() && !HayError; ++i) CampoValida(int(i));
    return !HayError;
}

void frmTablas::ActualizarDatos()
{
    if (!rs_) {
        HayError = true;
        return;
    }
    for (;;) {
        try {
            if (Nuevo || Modificar) {
                RegistroTabla r{TxtFields[0]->text(), TxtFields[1]->text(), QString()};
                const int dias = indiceCampo(ColumnaCantidadDias());
                if (dias >= 0 && !TxtFields[size_t(dias)]->isHidden()) r.cantidadDias = TxtFields[size_t(dias)]->text();
                if (Nuevo) rs_->Agregar(r);
                else rs_->Modificar(r, mostrada_ && mostrada_->clave == claveMostrada_ ? &*mostrada_ : nullptr);
            } else if (Borrar) {
                // The row shown, by its key; a code typed but not looked up deletes nothing.
                if (claveMostrada_.isEmpty()) return;
                if (EsCentroDeCosto(NombreTabla) &&
                    dialogos().MsgBox(MensajeBajaCentroCosto(), vbYesNo | vbExclamation, QStringLiteral("Aviso al operador")) != vbYes)
                    return;
                rs_->Eliminar(claveMostrada_);
                Inicializa();
            }
            // With neither a new nor a changed row nothing is written.
            return;
        } catch (const std::exception& e) {
            HayError = true;
            ventanas::CursorEspera(false);
            if (const auto* bd = dynamic_cast<const ErrorBD*>(&e); bd && bd->esClaveDuplicada()) {
                // Another station saved the code first: the edit stays for another code.
                dialogos().MsgBox(bd->descripcion(), vbInformation, QStringLiteral("Aviso al operador..."));
                return;
            }
            if (Utilidades::ManejaError(e, QStringLiteral("Actualizar Datos")) != vbRetry) return;
            HayError = false;
        }
    }
}

void frmTablas::BuscarCodigo()
{
    if (IndiceActual < 0 || IndiceActual >= int(TxtFields.size())) return;
    const QString campo = texto::recortar(TxtFields[size_t(IndiceActual)]->property(ControlesFormulario::propiedadCampo()).toString());
    if (!texto::igual(campo, QStringLiteral("Codigo"))) return;
    QString codigo;
    EjecutarPasos(QStringLiteral("BuscarCodigo"), {[&] {
                      ColumnasConsulta c;
                      codigo = DefinirConsulta(ctx_.con(), texto::recortar(NombreTabla), c, true);
                  }});
    if (texto::recortar(codigo).isEmpty()) return;
    const int i = indiceCampo(campo);
    if (i >= 0) TxtFields[size_t(i)]->setText(texto::recortar(codigo));
    TxtFields_KeyDown(IndiceActual, Qt::Key_Return);
}

void frmTablas::TxtFields_KeyDown(int indice, int tecla, Qt::KeyboardModifiers)
{
    if (ControlesFormulario::EsTeclaEnter(tecla)) campos_->Enter(*cajas_, indice);
}

void frmTablas::UtilTeb1_ButtonClick(const QString& clave)
{
    const QString k = clave.toUpper();
    // VAT conditions take no new row and no save, whatever asks for them.
    if (soloLectura() && (k == QLatin1String("NUEVO") || k == QLatin1String("GRABAR") || k == QLatin1String("BORRAR"))) return;
    if (k == QLatin1String("NUEVO")) {
        Inicializa();
        Nuevo = true;
        Borrar = Modificar = false;
        TxtFields[0]->setFocus();
    } else if (k == QLatin1String("BORRAR")) {
        if (!Modificar || claveMostrada_.isEmpty() || soloLectura()) return;
        if (dialogos().MsgBox(MensajeConfirmaBaja(), vbYesNo | vbExclamation | vbDefaultButton2, QStringLiteral("Atención!")) != vbYes)
            return;
        Nuevo = false;
        Borrar = true;
        Modificar = false;
        ActualizarDatos();
        AbrirRecordset(NombreTabla);
        AsignarDatos();
    } else if (k == QLatin1String("GRABAR")) {
        Grabando = true;
        if (DatosValidos()) {
            ActualizarDatos();
            if (!HayError) {
                Inicializa();
                DetalleOn(false);
                TxtFields[0]->setFocus();
                TxtFields[0]->setText(texto::recortar(TxtFields[0]->text()));
                TxtFields[0]->selectAll();
            }
        }
        Grabando = false;
    } else if (k == QLatin1String("PLANILLA")) {
        if (!rs_) return;
        QString titulo;
        const int i = CmbTablas->currentIndex();
        if (i >= 0 && i < int(CatalogoTablas.size())) titulo = CatalogoTablas[size_t(i)].Titulo;
        Planilla = VisorConsulta::Mostrar(ctx_.con(), rs_->ConsultaPlanilla(), {}, titulo);
    } else if (k == QLatin1String("CONSULTAR")) {
        BuscarCodigo();
    } else if (k == QLatin1String("CERRAR")) {
        close();
    } else if (k == QLatin1String("CANCELAR")) {
        Inicializa();
        AbrirRecordset(NombreTabla);
        AsignarDatos();
    }
}

bool frmTablas::eventFilter(QObject* o, QEvent* e)
{
    if (o == CmbTablas && e->type() == QEvent::KeyPress) {
        // Typing into the list is suppressed; the toolbar's keys still work.
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->text().isEmpty() && k->text()[0].isPrint()) return true;
        return false;
    }
    return QWidget::eventFilter(o, e);
}

void frmTablas::keyPressEvent(QKeyEvent* e)
{
    if (UtilTeb1->Tecla(e->key(), e->modifiers())) return;
    QWidget::keyPressEvent(e);
}

void frmTablas::closeEvent(QCloseEvent* e)
{
    ventanas::CursorEspera(false);
    QWidget::closeEvent(e);
}

} // namespace vexa
