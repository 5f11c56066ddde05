#include "FrmInterface.h"

#include "FrmAnulRecep.h"
#include "FrmDatosVexa.h"
#include "FrmImportacion.h"

#include "AjustesPrograma.h"
#include "LectorInterfaz.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CorridaRecepcion.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "LBM_Common.h"
#include "ListaConsulta.h"
#include "ProgresoVentana.h"
#include "RegistroVentanas.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "lbm_Seguridad.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace vexa::recepcion {

using plataforma::dialogos;
using plataforma::vbInformation;

namespace {
const char* const kDataField = "DataField";
const char* const kTag = "Tag";
const QString kTituloAviso = QStringLiteral("Aviso al operador...");

// The reception window's progress: the lists show it; the window keeps
// painting and tells who listens of every line.
class ProgresoFrm : public ProgresoVentana {
public:
    explicit ProgresoFrm(FrmInterface& w) : ProgresoVentana(&w), w_(w) {}
    // Once per line; 'hecho' counts the file's bytes.
    bool Actualizar(qint64 hecho, const QString& texto) override
    {
        w_.LineaActual = texto;
        w_.finEspera();
        const bool seguir = ProgresoVentana::Actualizar(hecho, texto);
        emit w_.lineaProcesada(++lineas_);
        return seguir;
    }

private:
    FrmInterface& w_;
    int lineas_ = 0;
};
} // namespace

template <class F> bool FrmInterface::protegido(const QString& procedimiento, F&& orden)
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

FrmInterface::FrmInterface(ContextoEmpresa& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmInterface"));
    setWindowTitle(QStringLiteral("Recepción de Subdiario desde Interface"));

    UtilTeb1 = new UtilTeb(this);
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

    Frame1 = new ListasRecepcion(ListasRecepcion::Textos{}, tab0);
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
        if (i == 1) VistaPrevia(ArchivoInterfaz);
    });

    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addWidget(SSTab1, 1);
    resize(760, 520);

    corrida_ = new CorridaVentana(*this);
    corrida_->deshabilitar({UtilTeb1, CmdBuscar}, {TxtFields[0], TxtFields[1]}, SSTab1, Frame1);
    connect(corrida_, &CorridaVentana::esperandoBloqueo, this, &FrmInterface::esperandoBloqueo);

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    Inicializa();
}

FrmInterface::~FrmInterface() = default;

void FrmInterface::finEspera() { corrida_->finEspera(); }

QAction* FrmInterface::boton(const QString& clave) const { return UtilTeb1->findChild<QAction*>(clave.toUpper()); }

void FrmInterface::estadoBotones()
{
    for (QAction* a : UtilTeb1->actions()) {
        const QString k = a->data().toString();
        a->setEnabled(k == QLatin1String("GRABAR") || k == QLatin1String("CONSULTAR") || k == QLatin1String("CERRAR"));
    }
}

void FrmInterface::Inicializa()
{
    for (QLineEdit* t : TxtFields) t->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    TxtFields[1]->setEnabled(false);
    LstV->preparar();
    LimpiaResultados();
    estadoBotones();
    TxtFields[0]->setFocus(Qt::OtherFocusReason); // the operator starts with the definition
}

void FrmInterface::LimpiaResultados()
{
    TxtFields[1]->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    TxtFields[1]->setEnabled(false);
    Frame1->limpiar();
}

void FrmInterface::Campo_Valida(int indice)
{
    QLineEdit* t = TxtFields[size_t(indice)];
    const QString valor = texto::recortar(t->text());
    const QString dato = t->property(kDataField).toString();
    ErrorCampo = false;
    QString error;
    Conexion& con = ctx_.con();
    const bool hecho = protegido(QStringLiteral("Campo_Valida"), [&] {
        if (texto::igual(dato, QStringLiteral("INTERFACE"))) {
            if (valor.isEmpty()) {
                error = QStringLiteral("Debe Informar una Interfaz");
            } else if (!con.ExisteRegistro(QStringLiteral("TA_INTERFACES"), valor, QStringLiteral("NOMBRE"))) {
                TxtFields[1]->setEnabled(false);
                error = QStringLiteral("El nombre informado no es correcto");
            } else {
                if (!EnProceso) {
                    LimpiaResultados();
                    TxtFields[1]->setEnabled(true);
                    TxtFields[1]->setText(Utilidades::NuloATexto(con.BuscaValor(QStringLiteral("TA_INTERFACES"), valor,
                                                                                 QStringLiteral("NOMBRE_ARCHIVO"),
                                                                                 QStringLiteral("NOMBRE"))));
                }
                ArchivoInterfaz = TxtFields[1]->text();
            }
        } else if (texto::igual(dato, QStringLiteral("ARCHIVO"))) {
            ArchivoInterfaz = valor;
            error = ErrorArchivo(valor);
            SSTab1->setTabEnabled(1, error.isEmpty());
        }
    });
    if (!hecho) {
        ErrorCampo = true;
        return;
    }
    if (!error.isEmpty()) {
        ErrorCampo = true;
        dialogos().MsgBox(error, vbInformation, kTituloAviso);
        t->setFocus();
    }
}

bool FrmInterface::Datos_Validos()
{
    for (int i = 0; i < int(TxtFields.size()); ++i) {
        Campo_Valida(i);
        if (ErrorCampo) return false;
    }
    return true;
}

void FrmInterface::MostrarListaInterfaces()
{
    QLineEdit* t = TxtFields[size_t(CampoActual)];
    if (texto::recortar(t->property(kTag).toString()).isEmpty()) return;
    if (!texto::igual(t->property(kDataField).toString(), QStringLiteral("INTERFACE"))) return;
    QString elegido;
    if (!protegido(QStringLiteral("MostrarListaInterfaces"), [&] {
            elegido = plataforma::listaConsulta().Elegir(
                ctx_.con(), QStringLiteral("Interfaces"), QStringLiteral("NOMBRE"),
                QStringLiteral("SELECT NOMBRE FROM TA_INTERFACES GROUP BY NOMBRE ORDER BY NOMBRE"));
        }))
        return;
    t->setText(texto::recortar(elegido));
    Campo_Valida(CampoActual);
    if (!ErrorCampo) focusNextChild();
}

void FrmInterface::CmdBuscar_Click()
{
    const QString titulo = QStringLiteral("Selección del Archivo de la interface de : ") + TxtFields[0]->text();
    ArchivoInterfaz = ElegirArchivo(TxtFields[1], titulo, CarpetaElegida, ctx_.con());
}

void FrmInterface::VistaPrevia(const QString& archivo) { SSTab1->setTabEnabled(1, LstV->cargar(archivo)); }

void FrmInterface::UtilTeb1_ButtonClick(const QString& clave)
{
    if (corriendo()) return;
    const QString k = clave.toUpper();
    if (k == QLatin1String("GRABAR")) {
        // A connection the server dropped is opened again before the run.
        if (!ventanas::RevisarConexion(ctx_.con())) return;
        Frame1->limpiar();
        EnProceso = true;
        protegido(QStringLiteral("Grabar"), [&] {
            if (Datos_Validos()) Procesa_Archivo(ArchivoInterfaz);
        });
        EnProceso = false;
        Frame1->habilitar();
    } else if (k == QLatin1String("CONSULTAR")) {
        MostrarListaInterfaces();
    } else if (k == QLatin1String("CERRAR")) {
        close();
    }
}

void FrmInterface::Procesa_Archivo(const QString& archivo)
{
    // A line is listed once its batch has committed.
    auto listar = [this](const std::vector<LoteRecepcion::Resultado>& resultados) {
        std::vector<ResultadosRecepcion::Fila> filas;
        filas.reserve(resultados.size());
        for (const auto& r : resultados) filas.push_back({r.numero, r.posicion, r.largo, r.mensaje});
        Frame1->agregar(filas);
    };
    // The lists read a line's text from the file through the run's reader.
    auto alLeer = [this](std::shared_ptr<const LectorInterfaz> lector) {
        Frame1->resultados().fijarTextoLinea(
            [lector](qint64 posicion, qint64 largo) { return lector->lineaEn(posicion, largo); });
    };
    ResultadoCorrida r;
    corrida_->correr(ctx_.con(), [&] {
        ProgresoFrm progreso(*this);
        r = RecibirInterface(ctx_, TxtFields[0]->text(), archivo, progreso, listar, alLeer);
    });
    if (r.idRecepcion != 0) IdRecepcion = r.idRecepcion;
    // The run has ended its transactions: a box may wait for the operator now.
    if (r.fin == ResultadoCorrida::Fin::Error)
        Utilidades::ManejaError(r.errorNumero, r.error, QStringLiteral("Procesa_Archivo"));
    else if (r.fin == ResultadoCorrida::Fin::Rechazada)
        dialogos().MsgBox(r.error, vbInformation, kTituloAviso);
    else
        dialogos().MsgBox(QStringLiteral("Proceso Finalizado"), vbInformation, QStringLiteral("Aviso al operador"));
}

void FrmInterface::CmdPrintGrabados_Click()
{
    Frame1->imprimir(ResultadosRecepcion::Lista::Grabados);
}

void FrmInterface::CmdPrintErrores_Click()
{
    Frame1->imprimir(ResultadosRecepcion::Lista::Rechazados);
}

bool FrmInterface::eventFilter(QObject* o, QEvent* e)
{
    int indice = -1;
    for (int i = 0; i < int(TxtFields.size()); ++i)
        if (o == TxtFields[size_t(i)]) indice = i;
    if (indice < 0) return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::FocusIn:
        CampoActual = indice;
        break;
    case QEvent::MouseButtonPress:
        CampoActual = indice;
        if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
            if (!corriendo()) MostrarListaInterfaces();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        if (corriendo()) return true;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Campo_Valida(indice);
            if (!ErrorCampo) focusNextChild();
            return true;
        }
        if (k->key() == Qt::Key_F5) {
            CampoActual = indice;
            if (!texto::recortar(TxtFields[size_t(indice)]->property(kTag).toString()).isEmpty()) MostrarListaInterfaces();
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            Inicializa();
            return true;
        }
        const QString t = k->text();
        // The file field holds a path, whose letter case matters on this system:
        // the upper-case rule applies to codes and names only.
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

void FrmInterface::closeEvent(QCloseEvent* e)
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

void registrarVentanasRecepcion()
{
    registrarVentana(QStringLiteral("FrmInterface"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new FrmInterface(ctx); });
    registrarVentana(QStringLiteral("frmDatosVexa"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new frmDatosVexa(ctx); });
    registrarVentana(QStringLiteral("FrmAnulRecep"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new FrmAnulRecep(ctx); });
    registrarVentana(QStringLiteral("FrmImportacion"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new FrmImportacion(ctx); });
}

} // namespace vexa::recepcion
