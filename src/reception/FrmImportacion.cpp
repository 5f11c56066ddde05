#include "FrmImportacion.h"

#include "AjustesPrograma.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "ImportacionCuentas.h"
#include "LBM_Common.h"
#include "LectorInterfaz.h"
#include "ListaConsulta.h"
#include "ProgresoVentana.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "lbm_Seguridad.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vexa::recepcion {

using plataforma::dialogos;

namespace {
const char* const kDataField = "DataField";
const char* const kTag = "Tag";
const QString kTituloAviso = QStringLiteral("Aviso al operador...");

// The run's progress box (with "Cancelar"); tells who listens of every line.
class ProgresoImportacion : public ProgresoVentana {
public:
    explicit ProgresoImportacion(FrmImportacion& w) : ProgresoVentana(&w, true, true), w_(w) {}
    bool Actualizar(qint64 hecho, const QString& texto) override
    {
        const bool seguir = ProgresoVentana::Actualizar(hecho, texto);
        emit w_.lineaProcesada(++lineas_);
        return seguir;
    }

private:
    FrmImportacion& w_;
    int lineas_ = 0;
};
} // namespace

template <class F> bool FrmImportacion::protegido(const QString& procedimiento, F&& orden)
{
    try {
        orden();
        return true;
    } catch (const std::exception& e) {
        ventanas::CursorEspera(false);
        Utilidades::ManejaError(e, procedimiento);
        return false;
    }
}

FrmImportacion::FrmImportacion(ContextoEmpresa& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmImportacion"));
    setWindowTitle(QStringLiteral("Recepción de Cuentas desde Interfaz"));

    UtilTeb1 = new UtilTeb(this);
    UtilTeb1->setObjectName(QStringLiteral("UtilTeb1"));
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, [this](const QString& clave) { UtilTeb1_ButtonClick(clave); });

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto* tab0 = new QWidget;
    auto* tab1 = new QWidget;
    SSTab1->addTab(tab0, QStringLiteral("&Selección de Interface"));
    SSTab1->addTab(tab1, QStringLiteral("&Vista Previa"));

    auto* grid = new QGridLayout;
    const char* datos[] = {"Interface", "Archivo"};
    const char* etiquetas[] = {"Interface:", "Archivo de Origen:"};
    for (int i = 0; i < 2; ++i) {
        auto* t = new QLineEdit(tab0);
        t->setObjectName(QStringLiteral("TxtFields_%1").arg(i));
        t->setProperty(kDataField, QString::fromLatin1(datos[i]));
        t->setProperty(kTag, QStringLiteral("MA_INTERFACES"));
        t->installEventFilter(this);
        TxtFields[size_t(i)] = t;
        grid->addWidget(new QLabel(QString::fromLatin1(etiquetas[i]), tab0), i, 0);
        grid->addWidget(t, i, 1);
    }
    CmdBuscar = new QPushButton(QStringLiteral("&Buscar"), tab0);
    CmdBuscar->setObjectName(QStringLiteral("CmdBuscar"));
    grid->addWidget(CmdBuscar, 1, 2);
    connect(CmdBuscar, &QPushButton::clicked, this, [this] { CmdBuscar_Click(); });

    ListasRecepcion::Textos textos;
    textos.botonErrores = QStringLiteral("Imprimir &Errores Detectados");
    Frame1 = new ListasRecepcion(textos, tab0);
    LstGrabados = Frame1->LstGrabados;
    LstErrores = Frame1->LstErrores;
    CmdPrintGrabados = Frame1->CmdPrintGrabados;
    CmdPrintErrores = Frame1->CmdPrintErrores;

    auto* v0 = new QVBoxLayout(tab0);
    v0->addLayout(grid);
    v0->addWidget(Frame1, 1);

    LstV = new VistaPreviaArchivo(tab1);
    LstV->setObjectName(QStringLiteral("LstV"));
    auto* v1 = new QVBoxLayout(tab1);
    v1->addWidget(LstV);
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int i) {
        if (i == 1) VistaPrevia(ArchivoOrigen);
    });

    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addWidget(SSTab1, 1);
    resize(760, 520);

    corrida_ = new CorridaVentana(*this);
    corrida_->deshabilitar({UtilTeb1, CmdBuscar}, {TxtFields[0], TxtFields[1]}, SSTab1, Frame1);

    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    Inicializa();
}

FrmImportacion::~FrmImportacion() = default;

void FrmImportacion::Inicializa()
{
    for (QLineEdit* t : TxtFields) t->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    TxtFields[1]->setEnabled(false);
    LstV->preparar();
    LimpiaResultados();
    for (const QString& k : UtilTeb::claves())
        UtilTeb1->setHabilitado(k, k == QLatin1String("GRABAR") || k == QLatin1String("CONSULTAR") ||
                                       k == QLatin1String("CERRAR"));
    TxtFields[0]->setFocus(Qt::OtherFocusReason);
}

void FrmImportacion::LimpiaResultados()
{
    TxtFields[1]->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    TxtFields[1]->setEnabled(false);
    Frame1->limpiar();
}

void FrmImportacion::Campo_Valida(int indice)
{
    QLineEdit* t = TxtFields[size_t(indice)];
    const QString valor = texto::recortar(t->text());
    const QString dato = t->property(kDataField).toString();
    HayError = false;
    QString error;
    Conexion& con = ctx_.con();
    const bool hecho = protegido(QStringLiteral("Campo_Valida"), [&] {
        if (texto::igual(dato, QStringLiteral("INTERFACE"))) {
            if (valor.isEmpty()) {
                error = QStringLiteral("Debe Informar una Interfaz");
            } else if (!ExisteDefinicion(con, valor)) {
                TxtFields[1]->setEnabled(false);
                error = QStringLiteral("El nombre informado no es correcto");
            } else {
                if (!EnProceso) {
                    LimpiaResultados();
                    TxtFields[1]->setEnabled(true);
                }
                ArchivoOrigen = TxtFields[1]->text();
            }
        } else if (texto::igual(dato, QStringLiteral("ARCHIVO"))) {
            ArchivoOrigen = valor;
            error = ErrorArchivo(valor);
            SSTab1->setTabEnabled(1, error.isEmpty());
        }
    });
    if (!hecho) {
        HayError = true;
        return;
    }
    if (!error.isEmpty()) {
        HayError = true;
        dialogos().MsgBox(error, plataforma::vbInformation, kTituloAviso);
        t->setFocus();
    }
}

bool FrmImportacion::Datos_Validos()
{
    for (int i = 0; i < int(TxtFields.size()); ++i) {
        Campo_Valida(i);
        if (HayError) return false;
    }
    return true;
}

void FrmImportacion::ListaInterfaces()
{
    QLineEdit* t = TxtFields[size_t(IndiceActual)];
    if (texto::recortar(t->property(kTag).toString()).isEmpty()) return;
    if (!texto::igual(t->property(kDataField).toString(), QStringLiteral("INTERFACE"))) return;
    QString elegido;
    if (!protegido(QStringLiteral("ListaInterfaces"), [&] {
            elegido = plataforma::listaConsulta().Elegir(
                ctx_.con(), QStringLiteral("Interfaces"), QStringLiteral("NOMBRE"),
                QStringLiteral("SELECT NOMBRE FROM TA_IMPORTACUENTAS GROUP BY NOMBRE ORDER BY NOMBRE"));
        }))
        return;
    t->setText(texto::recortar(elegido));
    Campo_Valida(IndiceActual);
    if (!HayError) focusNextChild();
}

void FrmImportacion::CmdBuscar_Click()
{
    const QString titulo = QStringLiteral("Selección del Archivo de la interface de : ") + TxtFields[0]->text();
    ArchivoOrigen = ElegirArchivo(TxtFields[1], titulo, CarpetaElegida, ctx_.con());
}

void FrmImportacion::VistaPrevia(const QString& archivo) { SSTab1->setTabEnabled(1, LstV->cargar(archivo)); }

void FrmImportacion::UtilTeb1_ButtonClick(const QString& clave)
{
    if (corriendo()) return;
    const QString k = clave.toUpper();
    if (k == QLatin1String("GRABAR")) {
        if (!ventanas::RevisarConexion(ctx_.con())) return;
        Frame1->limpiar();
        EnProceso = true;
        protegido(QStringLiteral("Grabar"), [&] {
            if (Datos_Validos()) Procesa_ArchivoCuentas(ArchivoOrigen);
        });
        EnProceso = false;
        Frame1->habilitar();
    } else if (k == QLatin1String("CONSULTAR")) {
        ListaInterfaces();
    } else if (k == QLatin1String("CERRAR")) {
        close();
    }
}

void FrmImportacion::Procesa_ArchivoCuentas(const QString& archivo)
{
    OpcionesCuentas op;
    op.alConfirmar = [this](const std::vector<LoteRecepcion::Resultado>& rs) {
        std::vector<ResultadosRecepcion::Fila> filas;
        filas.reserve(rs.size());
        for (const auto& x : rs) filas.push_back({x.numero, x.posicion, x.largo, x.mensaje});
        Frame1->agregar(filas);
    };
    op.alLeer = [this](std::shared_ptr<const LectorInterfaz> lector) {
        Frame1->resultados().fijarTextoLinea(
            [lector](qint64 posicion, qint64 largo) { return lector->lineaEn(posicion, largo); });
    };
    ProgresoImportacion* progreso = nullptr;
    op.confirmarCancelar = [&progreso] {
        const bool si = dialogos().MsgBox(QStringLiteral("Desea cancelar el proceso?"),
                                          plataforma::vbYesNo | plataforma::vbExclamation,
                                          QStringLiteral("CANCELADO POR EL USUARIO")) == plataforma::vbYes;
        if (!si && progreso) progreso->Reanudar();
        return si;
    };
    op.alFallar = [](int numero, const QString& descripcion) {
        return dialogos().MsgBox(QStringLiteral("Error: ") + texto::str(qint64(numero)) + QLatin1Char(' ') + descripcion,
                                 plataforma::vbAbortRetryIgnore | plataforma::vbCritical, QStringLiteral("Error de datos!"));
    };
    ResultadoCorrida r;
    corrida_->correr(ctx_.con(), [&] {
        ProgresoImportacion p(*this);
        progreso = &p;
        r = RecibirCuentas(ctx_, TxtFields[0]->text(), archivo, p, op);
        progreso = nullptr;
    });
    if (r.fin == ResultadoCorrida::Fin::Error)
        dialogos().MsgBox(r.error, plataforma::vbOKOnly, windowTitle());
    else if (r.fin == ResultadoCorrida::Fin::Rechazada)
        dialogos().MsgBox(r.error, plataforma::vbInformation, kTituloAviso);
    else
        dialogos().MsgBox(QStringLiteral("Ha finalizado el proceso con éxito"), plataforma::vbInformation,
                          QStringLiteral("Aviso al operador"));
}

bool FrmImportacion::eventFilter(QObject* o, QEvent* e)
{
    int indice = -1;
    for (int i = 0; i < int(TxtFields.size()); ++i)
        if (o == TxtFields[size_t(i)]) indice = i;
    if (indice < 0) return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::FocusIn:
        IndiceActual = indice;
        break;
    case QEvent::MouseButtonPress:
        IndiceActual = indice;
        if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
            if (!corriendo()) ListaInterfaces();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        if (corriendo()) return true;
        auto* k = static_cast<QKeyEvent*>(e);
        // Tab leaves the definition's name as Enter does: the name is checked
        // and the focus goes on to the file field it enables, so what is typed
        // next lands there (the file field is still disabled while the name is
        // unchecked, and Tab alone would pass it by).
        const bool tab = k->key() == Qt::Key_Tab && indice == 0 &&
                         !(k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || tab) {
            Campo_Valida(indice);
            if (!HayError) focusNextChild();
            return true;
        }
        if (k->key() == Qt::Key_F5) {
            IndiceActual = indice;
            if (!texto::recortar(TxtFields[size_t(indice)]->property(kTag).toString()).isEmpty()) ListaInterfaces();
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            Inicializa();
            return true;
        }
        const QString t = k->text();
        // The file field holds a path, whose letter case matters on this system:
        // the upper-case rule applies to the definition's name only.
        const bool esRuta = indice == 1;
        if (!esRuta && t.size() == 1 && t[0].unicode() < 256 && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const qint16 c = MayusculaKeyAscii(qint16(t[0].unicode()), ctx_.soloMayusculas);
            if (c != t[0].unicode()) {
                TxtFields[size_t(indice)]->insert(QString(QChar(c)));
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(o, e);
}

void FrmImportacion::closeEvent(QCloseEvent* e)
{
    if (corriendo()) {
        e->ignore();
        return;
    }
    try {
        RegistraEgreso(ctx_, *this);
    } catch (const std::exception& ex) {
        dialogos().MsgBox(QString::fromStdString(ex.what()), plataforma::vbOKOnly, windowTitle());
    }
    e->accept();
}

} // namespace vexa::recepcion
