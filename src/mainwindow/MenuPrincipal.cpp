#include "MenuPrincipal.h"

#include "Dialogos.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "Errores.h"
#include "lbm_Seguridad.h"
#include "Sonido.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QHBoxLayout>
#include <QToolBar>

#include <vector>

namespace vexa {

using namespace plataforma;

ControladorMenu::ControladorMenu(QWidget& ventana, std::unique_ptr<ServiciosMenu> servicios)
    : QObject(&ventana), ventana_(ventana), servicios_(servicios ? std::move(servicios) : std::make_unique<ServiciosMenu>()),
      despacho_(*servicios_)
{
    setObjectName(QStringLiteral("ControladorMenu"));
    imagenes_.itemHabilitado = [this](const QString& n) {
        QAction* a = item(n);
        return a && a->isEnabled();
    };
    imagenes_.ejecutarItem = [this](const QString& n) { ejecutarItem(n); };
    imagenes_.desplegarMenu = [this](const QString& n) {
        if (QAction* a = item(n); a && a->menu()) a->menu()->popup(QCursor::pos());
    };
    imagenes_.reproducir = [](const QString& archivo) { sonido().Reproducir(archivo); };
    imagenes_.carpetaSonidos = carpetaPrograma();
}

ControladorMenu::~ControladorMenu() = default;

ControladorMenu* ControladorMenu::de(const QWidget& v) { return v.findChild<ControladorMenu*>(QStringLiteral("ControladorMenu")); }

QAction* ControladorMenu::item(const QString& nombre) const
{
    for (QAction* a : ventana_.findChildren<QAction*>(nombre))
        if (a->property(PROPIEDAD_ORDEN_MENU).isValid()) return a;
    return nullptr;
}

void ControladorMenu::ejecutarItem(const QString& nombre)
{
    QAction* a = item(nombre);
    if (a && !a->isEnabled()) return;
    try {
        despacho_.ejecutar(nombre);
    } catch (const std::exception& e) {
        dialogos().MsgBox(QStringLiteral("Ha ocurrido un error : ") + descripcionDeError(e), vbCritical, QStringLiteral("Aviso al operador"));
    } catch (...) {
        dialogos().MsgBox(QStringLiteral("Ha ocurrido un error : error desconocido"), vbCritical, QStringLiteral("Aviso al operador"));
    }
}

void ControladorMenu::construirMenu()
{
    auto* principal = qobject_cast<QMainWindow*>(&ventana_);
    const auto arbol = arbolMenu();
    std::vector<QMenu*> menus; // the open menu of each level
    for (int n = 0; n < (int)arbol.size(); ++n) {
        const ItemMenu& it = arbol[n];
        auto* a = new QAction(&ventana_);
        a->setProperty(PROPIEDAD_ORDEN_MENU, n);
        if (it.esSeparador()) {
            // A separator's caption is "-"; Qt draws separators from the flag alone.
            a->setSeparator(true);
        } else {
            a->setObjectName(QString::fromLatin1(it.nombre));
            // Leaving the program and closing the session stay available whatever the grants.
            if (qstrcmp(it.nombre, "MnuArchivosSalir") == 0 || qstrcmp(it.nombre, "MNU_Sesion") == 0)
                a->setProperty(PROPIEDAD_SIEMPRE_HABILITADO, true);
            a->setText(QString::fromUtf8(it.caption));
            fijarTag(a, QString());
            a->setVisible(!(it.estado & Oculto));
            a->setEnabled(!(it.estado & Deshabilitado));
            if (it.estado & Marcado) {
                a->setCheckable(true);
                a->setChecked(true);
            }
        }
        menus.resize(it.nivel);
        if (it.nivel == 0) {
            if (principal) principal->menuBar()->addAction(a);
        } else if (!menus.empty() && menus.back()) {
            menus.back()->addAction(a);
        }
        const bool tieneHijos = n + 1 < (int)arbol.size() && arbol[n + 1].nivel > it.nivel;
        if (tieneHijos) {
            auto* m = new QMenu(&ventana_);
            a->setMenu(m);
            menus.push_back(m);
            if (QLatin1String(it.nombre) == QLatin1String("mnuWindow"))
                connect(m, &QMenu::aboutToShow, this, [this, m] { refrescarListaVentanas(m); });
        } else if (!it.esSeparador()) {
            const QString nombre = a->objectName();
            connect(a, &QAction::triggered, this, [this, nombre] { ejecutarItem(nombre); });
        }
    }
}

void ControladorMenu::refrescarListaVentanas(QMenu* menu)
{
    for (QAction* a : listaVentanas_) {
        menu->removeAction(a);
        a->deleteLater();
    }
    listaVentanas_.clear();
    QMdiArea* mdi = servicios_->areaMdi;
    if (!mdi || mdi->subWindowList().isEmpty()) return;
    listaVentanas_ << menu->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : mdi->subWindowList()) {
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == mdi->activeSubWindow());
        connect(a, &QAction::triggered, mdi, [mdi, sub] { mdi->setActiveSubWindow(sub); });
        listaVentanas_ << a;
    }
}

void ControladorMenu::construirBotones()
{
    pct_ = new PctMain(imagenes_);
    pct_->setObjectName(QStringLiteral("PctMainBotones"));
    // The main window's button area, when it has one; else a fixed bar at the top.
    if (auto* area = ventana_.findChild<QWidget*>(QStringLiteral("PctMain"))) {
        auto* l = new QHBoxLayout(area);
        l->setContentsMargins(2, 2, 2, 2);
        l->addWidget(pct_);
        l->addStretch(1);
        area->setMouseTracking(true);
        area->installEventFilter(this);
    } else if (auto* principal = qobject_cast<QMainWindow*>(&ventana_)) {
        auto* barra = new QToolBar(principal);
        barra->setObjectName(QStringLiteral("PctMain"));
        barra->setMovable(false);
        barra->setFloatable(false);
        barra->addWidget(pct_);
        principal->addToolBar(Qt::TopToolBarArea, barra);
    } else {
        pct_->setParent(&ventana_);
    }
}

bool ControladorMenu::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseMove) {
        // The main window's background or the button area outside the pictures.
        imagenes_.InicializaBordes();
        if (pct_) pct_->refrescarBordes();
    }
    return QObject::eventFilter(o, e);
}

namespace {

// The main window's own commands: window arrangement here, the rest through
// the main window's interface.
void comandoDeVentana(VentanaPrincipal& v, const QString& h)
{
    namespace H = herramienta;
    if (h == QLatin1String(H::Salir)) v.salir();
    else if (h == QLatin1String(H::VerBarraHerramientas)) v.alternarBarraHerramientas();
    else if (h == QLatin1String(H::VerBarraStatus)) v.alternarBarraStatus();
    else if (h == QLatin1String(H::VerBarraLicencia)) v.alternarBarraLicencia();
    else if (QMdiArea* mdi = v.areaDocumentos()) organizarVentanas(*mdi, h);
}

} // namespace

void organizarVentanas(QMdiArea& mdi, const QString& h)
{
    namespace H = herramienta;
    QList<QMdiSubWindow*> abiertas;
    for (QMdiSubWindow* s : mdi.subWindowList())
        if (s->isVisible() && !s->isMinimized()) abiertas << s;
    const QRect area = mdi.viewport()->rect();
    if (h == QLatin1String(H::Cascada)) {
        mdi.cascadeSubWindows();
    } else if (h == QLatin1String(H::MosaicoHorizontal) || h == QLatin1String(H::MosaicoVertical)) {
        // Horizontal: one above the other, full width; vertical: side by side, full height.
        const bool horizontal = h == QLatin1String(H::MosaicoHorizontal);
        const int n = int(abiertas.size());
        for (int i = 0; i < n; ++i) {
            QMdiSubWindow* s = abiertas[i];
            if (s->isMaximized()) s->showNormal();
            if (horizontal)
                s->setGeometry(0, area.height() * i / n, area.width(), area.height() * (i + 1) / n - area.height() * i / n);
            else
                s->setGeometry(area.width() * i / n, 0, area.width() * (i + 1) / n - area.width() * i / n, area.height());
        }
    } else if (h == QLatin1String(H::OrganizarIconos)) {
        // Minimised windows in a row along the bottom edge.
        int x = 0;
        for (QMdiSubWindow* s : mdi.subWindowList()) {
            if (!s->isMinimized()) continue;
            s->move(x, area.height() - s->height());
            x += s->width();
        }
    }
}

// ---------------------------------------------------------------- hooks

void construirMenuPrincipal(QMainWindow& w, VentanaPrincipal& v)
{
    auto* c = ControladorMenu::de(w);
    if (!c) c = new ControladorMenu(w);
    c->servicios().areaMdi = v.areaDocumentos();
    c->servicios().comandoVentanaPrincipal = [&v](const QString& h) { comandoDeVentana(v, h); };
    c->construirMenu();
    c->construirBotones();
    if (QMdiArea* mdi = v.areaDocumentos()) {
        mdi->viewport()->setMouseTracking(true);
        mdi->viewport()->installEventFilter(c);
    }
}

void InicializaBordes(QWidget& w)
{
    if (auto* c = ControladorMenu::de(w)) {
        c->imagenes().InicializaBordes();
        if (c->pctMain()) c->pctMain()->refrescarBordes();
    }
}

void InicializaTareasMenu(QWidget& w) { InicializaTareasMenu(itemsMenu(w)); }

void ocultarItemMenu(QWidget& w, const char* objectName)
{
    if (auto* c = ControladorMenu::de(w))
        if (QAction* a = c->item(QString::fromLatin1(objectName))) a->setVisible(false);
}

} // namespace vexa
