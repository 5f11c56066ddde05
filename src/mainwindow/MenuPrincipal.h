#pragma once
// The main window's menu tree, picture-button menu and task tags.
// frmMDI's load sequence calls these in its stated order.
#include "DespachoMenu.h"
#include "MenuImagenes.h"

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QMainWindow;
class QMdiArea;

namespace vexa {

// What the menu asks of the main window: its own commands and its document area.
class VentanaPrincipal {
public:
    virtual ~VentanaPrincipal() = default;
    // "Salir": asks, then closes everything and ends the process.
    virtual void salir() = 0;
    // View toggles: show or hide the bar and keep the choice.
    virtual void alternarBarraHerramientas() = 0;
    virtual void alternarBarraStatus() = 0;
    virtual void alternarBarraLicencia() = 0;
    // Where the program's windows open.
    virtual QMdiArea* areaDocumentos() const = 0;
};

// Builds the whole menu tree (and the picture-button menu) into the main window.
void construirMenuPrincipal(QMainWindow& w, VentanaPrincipal& comandos);
// Resets the borders of the picture-button menu.
void InicializaBordes(QWidget& w);
// Moves each coded menu caption's task code into the item's tag.
void InicializaTareasMenu(QWidget& w);
// Hides one menu item by object name (e.g. "MNU_Sesion"); no-op when it does not exist.
void ocultarItemMenu(QWidget& w, const char* objectName);

// Cascade, tile one above the other, side by side, or line up the minimised
// windows (tool names herramienta::Cascada .. OrganizarIconos).
void organizarVentanas(QMdiArea& mdi, const QString& herramienta);

// What construirMenuPrincipal leaves in the main window (a child object named
// "ControladorMenu"): the services and dispatcher of the menu commands and
// the picture buttons' rules.
class ControladorMenu : public QObject {
    Q_OBJECT
public:
    explicit ControladorMenu(QWidget& ventana, std::unique_ptr<ServiciosMenu> servicios = nullptr);
    ~ControladorMenu() override;

    static ControladorMenu* de(const QWidget& ventana);

    ServiciosMenu& servicios() { return *servicios_; }
    DespachoMenu& despacho() { return despacho_; }
    MenuImagenes& imagenes() { return imagenes_; }
    PctMain* pctMain() const { return pct_; }

    // Builds the menu bar from the tree into a QMainWindow (or only the items
    // and their menus when the window has no menu bar).
    void construirMenu();
    // Builds PctMain (the picture buttons) as a fixed bar at the top.
    void construirBotones();

    QAction* item(const QString& nombre) const;
    // Runs an item's command the way a click does: only when it is enabled and
    // visible in its design; an error that escapes it is shown and the program goes on.
    void ejecutarItem(const QString& nombre);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void refrescarListaVentanas(QMenu* menu);

    QWidget& ventana_;
    std::unique_ptr<ServiciosMenu> servicios_;
    DespachoMenu despacho_;
    MenuImagenes imagenes_;
    PctMain* pct_ = nullptr;
    QList<QAction*> listaVentanas_;
};

} // namespace vexa
