#include "FrmInterface.h"

#include "FrmAnulRecep.h"
#include "FrmDatosVexa.h"

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
#include <QFileInfo>
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
    setWindowTitle(tituloVentana_);

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

    Frame1 = new QGroupBox(tab0);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* marco = new QGridLayout(Frame1);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    LstGrabados = new QListView(Frame1);
    LstGrabados->setObjectName(QStringLiteral("LstGrabados"));
    LstGrabados->setModel(resultados_.modeloGrabados());
    LstErrores = new QListView(Frame1);
    LstErrores->setObjectName(QStringLiteral("LstErrores"));
    LstErrores->setModel(resultados_.modeloRechazados());
    for (QListView* l : {LstGrabados, LstErrores}) {
        l->setFont(courier);
        l->setUniformItemSizes(true);
        l->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    CmdPrintGrabados = new QPushButton(QStringLiteral("&Imprimir Registros Grabados"), Frame1);
    CmdPrintGrabados->setObjectName(QStringLiteral("CmdPrintGrabados"));
    CmdPrintErrores = new QPushButton(QStringLiteral("Imprimir &Errores"), Frame1);
    CmdPrintErrores->setObjectName(QStringLiteral("CmdPrintErrores"));
    connect(CmdPrintGrabados, &QPushButton::clicked, this, [this] { CmdPrintGrabados_Click(); });
    connect(CmdPrintErrores, &QPushButton::clicked, this, [this] { CmdPrintErrores_Click(); });
    marco->addWidget(new QLabel(QStringLiteral("Registros Grabados"), Frame1), 0, 0);
    marco->addWidget(LstGrabados, 1, 0);
    marco->addWidget(CmdPrintGrabados, 2, 0);
    marco->addWidget(new QLabel(QStringLiteral("Errores detectados"), Frame1), 0, 1);
    marco->addWidget(LstErrores, 1, 1);
    marco->addWidget(CmdPrintErrores, 2, 1);

    auto* v0 = new QVBoxLayout(tab0);
    v0->addLayout(grid);
    v0->addWidget(Frame1, 1);

    LstV = new QTreeWidget(tab1);
    LstV->setObjectName(QStringLiteral("LstV"));
    LstV->setRootIsDecorated(false);
    LstV->setUniformRowHeights(true);
    LstV->setFont(courier);
    auto* v1 = new QVBoxLayout(tab1);
    v1->addWidget(LstV);
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int i) {
        if (i == 1) VistaPrevia(ArchivoInterfaz);
    });

    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addWidget(SSTab1, 1);
    resize(760, 520);

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    Inicializa();
}

FrmInterface::~FrmInterface() = default;

void FrmInterface::finEspera()
{
    if (!esperando_) return;
    esperando_ = false;
    setWindowTitle(tituloVentana_);
}

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
    LstV->clear();
    LstV->setColumnCount(2);
    LstV->setHeaderLabels({QStringLiteral("Linea"), QStringLiteral("Contenido")});
    LstV->setColumnWidth(0, 60);
    LimpiaResultados();
    estadoBotones();
    TxtFields[0]->setFocus(Qt::OtherFocusReason); // the operator starts with the definition
}

void FrmInterface::LimpiaResultados()
{
    CmdPrintGrabados->setEnabled(false);
    CmdPrintErrores->setEnabled(false);
    TxtFields[1]->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    TxtFields[1]->setEnabled(false);
    resultados_.limpiar();
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
            const bool existe = !valor.isEmpty() && QFileInfo(valor).isFile();
            SSTab1->setTabEnabled(1, existe);
            if (valor.isEmpty())
                error = QStringLiteral("Debe Informar un archivo");
            else if (!existe)
                error = QStringLiteral("No se ha encontrado el archivo en la ubicación especificada");
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
    const QString carpeta = plataforma::carpetaInicialArchivo(TxtFields[1]->text(), CarpetaElegida,
                                                              plataforma::carpetaDatosEmpresa(ctx_.con().datos()));
    const QString nombre = dialogos().ArchivoAbrir(titulo, carpeta, QString());
    if (!nombre.isEmpty()) CarpetaElegida = QFileInfo(nombre).absolutePath();
    ArchivoInterfaz = nombre;
    TxtFields[1]->setText(texto::recortar(nombre));
}

void FrmInterface::VistaPrevia(const QString& archivo)
{
    LstV->clear();
    const bool existe = QFileInfo(archivo).isFile();
    if (existe) {
        // Line by line; a line the reader cannot show is shown by its problem.
        LectorInterfaz lector(archivo);
        QList<QTreeWidgetItem*> items;
        if (lector.abrir()) {
            LineaLeida l;
            while (lector.siguiente(l))
                items << new QTreeWidgetItem(QStringList{texto::str(l.numero), l.texto.isEmpty() && !l.problema.isEmpty() ? l.problema : l.texto});
        }
        LstV->addTopLevelItems(items);
    }
    SSTab1->setTabEnabled(1, existe);
}

void FrmInterface::UtilTeb1_ButtonClick(const QString& clave)
{
    if (corriendo_) return;
    const QString k = clave.toUpper();
    if (k == QLatin1String("GRABAR")) {
        // A connection the server dropped is opened again before the run.
        if (!ventanas::RevisarConexion(ctx_.con())) return;
        resultados_.limpiar();
        EnProceso = true;
        protegido(QStringLiteral("Grabar"), [&] {
            if (Datos_Validos()) Procesa_Archivo(ArchivoInterfaz);
        });
        EnProceso = false;
        CmdPrintGrabados->setEnabled(resultados_.cantidad(ResultadosRecepcion::Lista::Grabados) > 0);
        CmdPrintErrores->setEnabled(resultados_.cantidad(ResultadosRecepcion::Lista::Rechazados) > 0);
    } else if (k == QLatin1String("CONSULTAR")) {
        MostrarListaInterfaces();
    } else if (k == QLatin1String("CERRAR")) {
        close();
    }
}

void FrmInterface::habilitaComandos(bool si)
{
    UtilTeb1->setEnabled(si);
    CmdBuscar->setEnabled(si);
    for (QLineEdit* t : TxtFields) t->setReadOnly(!si);
    SSTab1->tabBar()->setEnabled(si);
    CmdPrintGrabados->setEnabled(si && resultados_.cantidad(ResultadosRecepcion::Lista::Grabados) > 0);
    CmdPrintErrores->setEnabled(si && resultados_.cantidad(ResultadosRecepcion::Lista::Rechazados) > 0);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        Qt::WindowFlags f = sub->windowFlags();
        f.setFlag(Qt::WindowCloseButtonHint, si);
        sub->setWindowFlags(f);
    }
}

void FrmInterface::Procesa_Archivo(const QString& archivo)
{
    corriendo_ = true;
    habilitaComandos(false);
    ventanas::CursorEspera(true);
    // A line is listed once its batch has committed.
    auto listar = [this](const std::vector<LoteRecepcion::Resultado>& resultados) {
        std::vector<ResultadosRecepcion::Fila> filas;
        filas.reserve(resultados.size());
        for (const auto& r : resultados) filas.push_back({r.numero, r.posicion, r.largo, r.mensaje});
        resultados_.agregar(filas);
    };
    // The lists read a line's text from the file through the run's reader.
    auto alLeer = [this](std::shared_ptr<const LectorInterfaz> lector) {
        resultados_.fijarTextoLinea([lector](qint64 posicion, qint64 largo) { return lector->lineaEn(posicion, largo); });
    };
    // While SQLite waits for another station's lock the window keeps painting
    // and says that it waits (user input stays out, as during the whole run).
    Conexion& con = ctx_.con();
    con.setAlEsperar([this](int ms) {
        if (!esperando_) {
            esperando_ = true;
            setWindowTitle(tituloVentana_ + QStringLiteral(" - Esperando a otra estación…"));
        }
        emit esperandoBloqueo(ms);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    struct SinEspera {
        Conexion& con;
        FrmInterface& w;
        ~SinEspera()
        {
            con.setAlEsperar({});
            w.finEspera();
        }
    } sinEspera{con, *this};
    ResultadoCorrida r;
    {
        ProgresoFrm progreso(*this);
        r = RecibirInterface(ctx_, TxtFields[0]->text(), archivo, progreso, listar, alLeer);
    }
    if (r.idRecepcion != 0) IdRecepcion = r.idRecepcion;
    ventanas::CursorEspera(false);
    LstGrabados->scrollToBottom();
    LstErrores->scrollToBottom();
    corriendo_ = false;
    habilitaComandos(true);
    // The run has ended its transactions: a box may wait for the operator now.
    if (r.fin == ResultadoCorrida::Fin::Error)
        Utilidades::ManejaError(r.errorNumero, r.error, QStringLiteral("Procesa_Archivo"));
    else if (r.fin == ResultadoCorrida::Fin::Rechazada)
        dialogos().MsgBox(r.error, vbInformation, kTituloAviso);
    else
        dialogos().MsgBox(QStringLiteral("Proceso Finalizado"), vbInformation, QStringLiteral("Aviso al operador"));
}

void FrmInterface::imprimir(ResultadosRecepcion::Lista lista, const QString& titulo)
{
    try {
        ImprimirLista(resultados_.textos(lista), titulo);
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("ImprimirLista"));
    }
}

void FrmInterface::CmdPrintGrabados_Click()
{
    imprimir(ResultadosRecepcion::Lista::Grabados, QStringLiteral("Listado Testigo de Asiento desde interface (Registros Grabados)"));
}

void FrmInterface::CmdPrintErrores_Click()
{
    imprimir(ResultadosRecepcion::Lista::Rechazados, QStringLiteral("Listado Testigo de Asiento desde interface (Errores detectados)"));
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
            if (!corriendo_) MostrarListaInterfaces();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        if (corriendo_) return true;
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
    if (corriendo_) {
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
}

} // namespace vexa::recepcion
