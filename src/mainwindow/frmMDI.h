#pragma once
// The main window: a multiple-document parent titled "Sistema Vexa Contable"
// with the company-name bar (pctlicencia), the picture-button area (PctMain)
// and the status bar (sbStatusBar) whose sixth panel shows the active period.
#include "EstadoGlobal.h"
#include "MenuPrincipal.h"
#include "cLogo.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QStatusBar;

namespace vexa {

class ContextoEmpresa;
struct VentanaEscritorio;

class frmMDI : public QMainWindow, public VentanaPrincipal {
    Q_OBJECT
public:
    // Over what the program learnt at start-up (main builds it; the start-up
    // sequence completes it).
    explicit frmMDI(EstadoInicio inicio = {}, QWidget* parent = nullptr);

    ~frmMDI() override;

    QMdiArea* mdiArea() const { return mdi_; }
    const EstadoInicio& inicio() const { return inicio_; }
    // The company the program works on (nullptr until connected).
    ContextoEmpresa* contexto() const { return ctx_.get(); }
    QStatusBar* sbStatusBar() const { return sbStatusBar_; }
    // Status-bar panel 1..6.
    QLabel* panel(int numero) const;
    // Company-name bar (cLogo draws on it) and picture-button area.
    QWidget* pctlicencia() const { return pctlicencia_; }
    QWidget* PctMain() const { return pctMain_; }
    cLogo& logo() { return logo_; }
    // The main window's background picture path ("IMAGEN DE FONDO").
    const QString& imagenFondo() const { return imagenFondo_; }

    // Start-up sequence. False when the company database is not open: the
    // program must end (the reason was already shown).
    bool MDIForm_Load();
    // Shows the window at start-up: maximised, over the whole of the screen's
    // available area (also where no window manager maximises it).
    void MostrarAlIniciar();
    // Configuration values, status-bar panel, view toggles, background picture.
    void IniContable();
    void MostrarPeriodoActivo();
    // The asset register in dialog mode (not the initial load), modeless.
    void MostrarBienesUso();
    // Closes the companion programs' windows ("Cash-Flow" or "Reportes" in the title, not "Diseño").
    void CerrarExes();
    // Checked state of a view toggle (mnuViewStatusBar, mnuViewLicencia, mnuViewToolbar).
    bool marcado(const QString& item) const;

    // Title rule of CerrarExes.
    static bool esVentanaACerrar(const QString& titulo);
    // Windows of the list CerrarExes closes: not this program's own (by id, owner or process) and matching the rule.
    static std::vector<quint64> ventanasACerrar(const std::vector<VentanaEscritorio>& ventanas,
                                                const std::set<quint64>& propias, qint64 pidPropio);

    // The menu's interface to this window.
    void salir() override { MnuArchivosSalir_Click(); }
    void alternarBarraHerramientas() override { mnuViewToolbar_Click(); }
    void alternarBarraStatus() override { mnuViewStatusBar_Click(); }
    void alternarBarraLicencia() override { mnuViewLicencia_Click(); }
    QMdiArea* areaDocumentos() const override { return mdi_; }

    // Ends the process after "Salir" (tests replace it).
    std::function<void(int)> terminarProceso;

public slots:
    // "Salir": asks, then closes everything and ends the process.
    void MnuArchivosSalir_Click();
    // View toggles: show/hide the bar and keep the choice in the settings file.
    void mnuViewStatusBar_Click();
    void mnuViewLicencia_Click();
    void mnuViewToolbar_Click();

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    EstadoInicio inicio_;
    // Closes the child windows, then the companion programs' windows. False
    // (nothing else closed) when a child refuses or a run is going on.
    bool MDIForm_Unload();
    QAction* accion(const QString& nombre) const;
    void marcar(const QString& item, bool valor);
    void alternarVista(const QString& item, QWidget* barra, const QString& clave);

    QMdiArea* mdi_;
    QStatusBar* sbStatusBar_;
    QWidget* pctlicencia_;
    QWidget* pctMain_;
    std::vector<QLabel*> paneles_;
    cLogo logo_;
    QString imagenFondo_;
    std::map<QString, bool> marcados_;
    std::unique_ptr<ContextoEmpresa> ctx_;
};

} // namespace vexa
