#include "frmMDI.h"

#include "AjustesPrograma.h"
#include "ArchivoIni.h"
#include "CNStuffContable.h"
#include "Conexion.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "EjecutarProgramas.h"
#include "EstadoGlobal.h"
#include "LBM_Common.h"
#include "LineaComandos.h"
#include "MenuPrincipal.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "VentanasEscritorio.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>
#include <QFont>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QTextStream>

namespace vexa {

namespace {
const QString kStatus = QStringLiteral("mnuViewStatusBar");
const QString kLicencia = QStringLiteral("mnuViewLicencia");
const QString kToolbar = QStringLiteral("mnuViewToolbar");
constexpr int kPaneles = 6;
} // namespace

frmMDI::frmMDI(EstadoInicio inicio, QWidget* parent)
    : QMainWindow(parent), inicio_(std::move(inicio)), mdi_(new QMdiArea), sbStatusBar_(new QStatusBar), pctlicencia_(new QWidget), pctMain_(new QWidget)
{
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(QStringLiteral("Sistema Vexa Contable"));
    terminarProceso = [](int codigo) { QCoreApplication::exit(codigo); };

    mdi_->setObjectName(QStringLiteral("MDIArea"));
    // A window taller or wider than the area (on a small screen) is scrolled
    // to, not cut off.
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pctlicencia_->setObjectName(QStringLiteral("pctlicencia"));
    pctlicencia_->setFixedWidth(40);
    {
        // The company-name bar writes in its own font (Arial 8.25 bold italic), light over the dark end of the band.
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(8.25);
        f.setBold(true);
        f.setItalic(true);
        pctlicencia_->setFont(f);
        QPalette pal = pctlicencia_->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        pctlicencia_->setPalette(pal);
    }
    pctMain_->setObjectName(QStringLiteral("PctMain"));

    // The picture-button area across the top; below it the company-name bar and the documents.
    auto* centro = new QWidget;
    auto* columna = new QVBoxLayout(centro);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(0);
    columna->addWidget(pctMain_);
    auto* fila = new QHBoxLayout;
    fila->setSpacing(0);
    fila->addWidget(pctlicencia_);
    fila->addWidget(mdi_, 1);
    columna->addLayout(fila, 1);
    setCentralWidget(centro);

    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 1; i <= kPaneles; ++i) {
        auto* p = new QLabel;
        p->setObjectName(QStringLiteral("Panel%1").arg(i));
        sbStatusBar_->addPermanentWidget(p, i == 1 ? 1 : 0);
        paneles_.push_back(p);
    }
    setStatusBar(sbStatusBar_);
    fijarTextoEstado([this](const QString& t) {
        sbStatusBar_->showMessage(t);
        paneles_[0]->setText(t);
        sbStatusBar_->repaint();
    });
    for (const QString& item : {kStatus, kLicencia, kToolbar}) marcados_[item] = true;

    resize(1024, 720);
    construirMenuPrincipal(*this, *this);
}

frmMDI::~frmMDI() { fijarTextoEstado({}); }

void frmMDI::MostrarAlIniciar()
{
    if (const QScreen* pantalla = screen()) setGeometry(pantalla->availableGeometry());
    showMaximized();
}

QLabel* frmMDI::panel(int numero) const
{
    return numero >= 1 && numero <= kPaneles ? paneles_[size_t(numero - 1)] : nullptr;
}

QAction* frmMDI::accion(const QString& nombre) const { return findChild<QAction*>(nombre); }

bool frmMDI::marcado(const QString& item) const
{
    auto it = marcados_.find(item);
    return it != marcados_.end() && it->second;
}

void frmMDI::marcar(const QString& item, bool valor)
{
    marcados_[item] = valor;
    if (QAction* a = accion(item)) {
        a->setCheckable(true);
        a->setChecked(valor);
    }
}

bool frmMDI::MDIForm_Load()
{
    const QString proc = QStringLiteral("MdiFormLoad");
    const bool antes = EjecutarPasos(proc, {
        [this] { AplicarEstiloFormulario(this); },
        [this] { logo_.setDrawingObject(pctlicencia_); },
        [this] { inicio_.seccionEquipo = seccionDeEquipo(); },
        [this] {
            const QString linea = Utilidades::QuitaCaracteres(inicio_.lineaComandos, QStringLiteral("\""));
            if (linea.contains(u';')) inicio_.usuarioActual = usuarioDeLinea(linea);
        },
        [this] { LeerIniInicio(inicio_); },
        [this] { Utilidades::ArchivoLog = inicio_.archivoErrores; },
    }, {3265});
    if (!antes && !Conexion::instancia().Conectado()) {
        QTextStream(stderr) << "El inicio se interrumpió antes de conectar con la base de datos." << Qt::endl;
        return false;
    }
    if (!antes) return true; // left before connecting, but a connection is already open

    plataforma::AvisoOperador sinConexion;
    if (!ConectarBaseDatos(inicio_, sinConexion)) {
        plataforma::mostrarAviso(sinConexion);
        return false;
    }
    fijarBarrasPlanas(this, inicio_.barrasPlanas);
    ctx_ = std::make_unique<ContextoEmpresa>(Conexion::instancia());
    ctx_->usuario = inicio_.usuarioActual;
    ctx_->seccionEquipo = inicio_.seccionEquipo;
    if (auto* menu = ControladorMenu::de(*this)) menu->servicios().contexto = ctx_.get();

    EjecutarPasos(proc, {
        [this] { InicializaBordes(*this); },
        [this] {
            const Conexion& con = ctx_->con();
            const QString s = inicio_.seccionEquipo + QStringLiteral("BaseDeDatos");
            ArchivoIni::GrabarIni(ArchivoIniPrograma, s, QStringLiteral("Driver"), con.Driver());
            ArchivoIni::GrabarIni(ArchivoIniPrograma, s, QStringLiteral("Servidor"), con.datos().server);
            ArchivoIni::GrabarIni(ArchivoIniPrograma, s, QStringLiteral("DbName"), con.datos().dbName);
            ArchivoIni::GrabarIni(ArchivoIniPrograma, s, QStringLiteral("Usuario"), Utilidades::Cifrar(con.datos().usuario));
            ArchivoIni::GrabarIni(ArchivoIniPrograma, s, QStringLiteral("UserPassWord"), Utilidades::Cifrar(con.datos().password));
        },
        [this] { ctx_->configuracion().copiarConexion(ctx_->con()); },
        [this] { IniContable(); },
        [this] { InicializaTareasMenu(*this); },
        [this] { ocultarItemMenu(*this, "MNU_Sesion"); },
        [] { ventanas::CursorEspera(false); },
        [this] {
            Configuracion& cfg = ctx_->configuracion();
            if (!texto::recortar(cfg.ObtieneValor(QStringLiteral("NOMBRE"))).isEmpty())
                logo_.setCaption(cfg.ObtieneValor(QStringLiteral("NOMBRE")));
            else
                logo_.setCaption(QStringLiteral("Debe informar los datos de la empresa en la configuracion"));
            logo_.Draw();
        },
    }, {3265});
    return true;
}

void frmMDI::IniContable()
{
    Configuracion& cfg = ctx_->configuracion();
    auto verBarra = [this](const QString& clave) {
        return aBooleano(ArchivoIni::LeerIni(ArchivoIniPrograma, inicio_.seccionEquipo, clave, textoBooleano(true)));
    };
    auto librosIva = [&] {
        return aBooleano(ArchivoIni::LeerIni(ArchivoIniPrograma, cfg.ObtieneValor(QStringLiteral("Nombre")),
                                     QStringLiteral("Parametros de I.V.A."), textoBooleano(true)));
    };
    auto habilitar = [this](const char* item, bool valor) {
        if (QAction* a = accion(QLatin1String(item))) a->setEnabled(valor);
    };
    EjecutarPasos(QStringLiteral("IniContable"), {
        // The company's values (upper-case rule, active year, code structure) into the context.
        [this] { CargarValoresContables(*ctx_); },
        [&] {
            if (texto::recortar(cfg.ObtieneValor(QStringLiteral("NOMBRE"))).isEmpty()) {
                qint64 tareaId = 0;
                plataforma::mostrarAviso(EjecutarPrograma(ctx_->con(), QStringLiteral("Shell:RZ_Config"), QString(), tareaId));
            }
        },
        [this] { setWindowTitle(NombreProducto); },
        [&] { imagenFondo_ = cfg.ObtieneValor(QStringLiteral("IMAGEN DE FONDO")); },
        [this] { MostrarPeriodoActivo(); },
        [&] { marcar(kStatus, verBarra(QStringLiteral("VER BARRA DE STATUS"))); },
        [&] { marcar(kLicencia, verBarra(QStringLiteral("VER BARRA DE LICENCIA"))); },
        [&] { marcar(kToolbar, verBarra(QStringLiteral("VER BARRA DE HERRAMIENTAS"))); },
        [&] { habilitar("MnuArchivosLibrosCompras", librosIva()); },
        [&] { habilitar("MnuArchivosLibrosVentas", librosIva()); },
        [this] {
            sbStatusBar_->setVisible(marcado(kStatus));
            pctlicencia_->setVisible(marcado(kLicencia));
            pctMain_->setVisible(marcado(kToolbar));
        },
        [this] {
            const QString ruta = texto::recortar(imagenFondo_);
            if (ruta.isEmpty()) return;
            QPixmap imagen;
            if (!imagen.load(ruta)) throw ErrorVexa(76, QStringLiteral("No se encontró la ruta de acceso: ") + ruta);
            mdi_->setBackground(QBrush(imagen));
        },
    }, {76});
}

void frmMDI::MostrarBienesUso()
{
    if (auto* menu = ControladorMenu::de(*this))
        menu->servicios().mostrarVentana(QStringLiteral("FrmMA_BienesUso"), false, OpcionesVentana{},
                                         QStringLiteral("Actualización de Bienes de Uso"));
}

void frmMDI::MostrarPeriodoActivo()
{
    Configuracion& cfg = ctx_->configuracion();
    QLabel* p = panel(6);
    p->setText(QStringLiteral("Periodo Activo : ") + ctx_->periodoActivo() + QStringLiteral("    "));
    p->setToolTip(cfg.ObtieneValor(QStringLiteral("[FECHA DESDE]")) + QStringLiteral(" - ") +
                  cfg.ObtieneValor(QStringLiteral("[FECHA HASTA]")));
    p->adjustSize();
    sbStatusBar_->update();
}

void frmMDI::alternarVista(const QString& item, QWidget* barra, const QString& clave)
{
    const bool ver = !marcado(item);
    barra->setVisible(ver);
    marcar(item, ver);
    ArchivoIni::GrabarIni(ArchivoIniPrograma, inicio_.seccionEquipo, clave, textoBooleano(ver));
}

void frmMDI::mnuViewStatusBar_Click() { alternarVista(kStatus, sbStatusBar_, QStringLiteral("VER BARRA DE STATUS")); }
void frmMDI::mnuViewLicencia_Click() { alternarVista(kLicencia, pctlicencia_, QStringLiteral("VER BARRA DE LICENCIA")); }
void frmMDI::mnuViewToolbar_Click() { alternarVista(kToolbar, pctMain_, QStringLiteral("VER BARRA DE HERRAMIENTAS")); }

bool frmMDI::esVentanaACerrar(const QString& titulo)
{
    if (titulo.isEmpty() || texto::contiene(titulo, QStringLiteral("Diseño"))) return false;
    return texto::contiene(titulo, QStringLiteral("Cash-Flow")) || texto::contiene(titulo, QStringLiteral("Reportes"));
}

std::vector<quint64> frmMDI::ventanasACerrar(const std::vector<VentanaEscritorio>& ventanas, const std::set<quint64>& propias,
                                             qint64 pidPropio)
{
    std::vector<quint64> r;
    for (const VentanaEscritorio& v : ventanas) {
        if (propias.count(v.id) || (v.duenio && propias.count(v.duenio))) continue;
        if (pidPropio && v.pid == pidPropio) continue;
        if (esVentanaACerrar(v.titulo)) r.push_back(v.id);
    }
    return r;
}

void frmMDI::CerrarExes()
{
    const auto ventanas = ventanasEscritorio();
    if (!ventanas) return;
    std::set<quint64> propias;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->internalWinId()) propias.insert(quint64(w->internalWinId()));
    for (quint64 id : ventanasACerrar(*ventanas, propias, QCoreApplication::applicationPid())) pedirCierreVentana(id);
}

void frmMDI::MnuArchivosSalir_Click()
{
    try {
        const int r = plataforma::dialogos().MsgBox(QStringLiteral("¿Realmente desea salir del sistema ") + NombreProducto + u'?',
                                                    plataforma::vbYesNo + plataforma::vbQuestion, NombreProducto);
        if (r != plataforma::vbYes) return;
        // A child window that refuses to close (a reception still running)
        // keeps the program, and its connection, open.
        if (!close()) return;
        if (ctx_) ctx_->con().Cerrar();
        GrabarIniSalida(inicio_);
        if (terminarProceso) terminarProceso(0);
    } catch (const std::exception& e) {
        plataforma::dialogos().MsgBox(QStringLiteral("Ha ocurrido un error : ") + descripcionDeError(e), plataforma::vbCritical,
                                      QStringLiteral("Aviso al operador"));
    }
}

bool frmMDI::MDIForm_Unload()
{
    if (ctx_ && ctx_->corridaEnCurso()) return false;
    mdi_->closeAllSubWindows();
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (sub->isVisible()) return false; // it refused to close
    CerrarExes();
    return true;
}

bool frmMDI::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) logo_.Draw();
    return QMainWindow::event(e);
}

void frmMDI::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    logo_.Draw();
}

void frmMDI::closeEvent(QCloseEvent* e)
{
    if (!MDIForm_Unload()) {
        e->ignore();
        return;
    }
    e->accept();
}

} // namespace vexa
