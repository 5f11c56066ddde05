#pragma once
// Runs the commands of the menu tree (ArbolMenu): the checks before a command,
// then its action through ServiciosMenu. A plain class: tests drive it without
// a screen, the main window wires each menu item's trigger to ejecutar().
#include "ArbolMenu.h"
#include "Conexion.h"
#include "RegistroVentanas.h"

#include <QHash>
#include <QPointer>
#include <QString>

#include <optional>

#include <functional>
#include <memory>

class QMdiArea;
class QWidget;

namespace vexa {

class ContextoEmpresa;
class Lbc_Asiento;

// What the commands need from outside: windows, companion programs, tools and
// the fiscal-year rules. The defaults are the program's own; tests override.
class ServiciosMenu {
public:
    ServiciosMenu();
    virtual ~ServiciosMenu();

    // Shows the one shared instance of a window of this program (modal or not),
    // bringing it forward when it is already open. False when no window of that
    // name exists yet (the operator has been told).
    virtual bool mostrarVentana(const QString& nombre, bool modal, const OpcionesVentana& o, const QString& caption);

    // Companion programs.
    virtual void ejecutarReporte(const QString& reporte);
    virtual void ejecutarFormulario(const QString& formulario);
    virtual void ejecutarPrograma(const QString& programa, const QString& parametroAdicional);
    virtual void mensajeEstado(const QString& texto, bool activo);

    // Tools of the components.
    // The date picker opened on 'desde': the chosen date, nullopt when none.
    virtual std::optional<QString> calendario(const QString& desde);
    virtual void calculadora();
    virtual void jerarquiaCuentas();
    virtual void depurarDatos();
    virtual void acercaDe();
    // Opens a document with its associated program; answers a status number
    // (31: no program associated with the file type).
    virtual int abrirDocumento(const QString& archivo);
    // The grid viewer over the rows of a query.
    virtual void mostrarConsulta(const QString& sql, const Params& p, const QString& titulo);

    // Fiscal-year rules (Lbc_Asiento, created on first use).
    virtual bool validaEstadoPeriodoActual(QString& mensaje, bool* lCierre, bool* lNoCreado);
    virtual bool ejercicioAnteriorCerrado();
    // The year-end pre-checks for the year; their findings (empty when they passed).
    virtual QString validacionesCierre(const QString& periodo);

    // Commands of the main window itself (Salir, view switches, window
    // arrangement), filled by the main window: tool name -> handler.
    std::function<void(const QString& herramienta)> comandoVentanaPrincipal;
    // The company the windows work on (set by the main window once connected).
    ContextoEmpresa* contexto = nullptr;
    // The company; ErrorVexa when none is open yet.
    ContextoEmpresa& empresa();
    // Where modeless windows open (the main window's MDI area; none: top level).
    QPointer<QMdiArea> areaMdi;
    // The open shared instance of a window (nullptr when it is not open).
    QWidget* ventanaAbierta(const QString& nombre) const;

protected:
    Lbc_Asiento& asiento();

private:
    std::unique_ptr<Lbc_Asiento> asiento_;
    QHash<QString, QPointer<QWidget>> abiertas_;
};

class DespachoMenu {
public:
    explicit DespachoMenu(ServiciosMenu& s) : s_(s) {}

    // Runs the command of the item (object name). False when the item has no
    // command or a check refused it.
    bool ejecutar(const QString& nombreItem);
    bool ejecutar(const ItemMenu& item);

    // The registrations query sheet's SQL and parameters for a fiscal year.
    static QString sqlPlanillaRegistraciones();
    static Params parametrosPlanillaRegistraciones(const QString& periodo);
    // The help file's name.
    static QString archivoAyuda();

    // The text shown while a window is not in the program yet.
    static QString textoVentanaNoDisponible(const QString& caption);
    // The visible caption of an item: the design caption without "&" and task code.
    static QString captionVisible(const ItemMenu& item);

private:
    bool chequeoPeriodo(bool conCierre);
    bool chequeoFechasOperativas();
    bool chequeoCierre();
    void herramienta(const ItemMenu& item);
    void planillaRegistraciones();
    void ayuda();

    ServiciosMenu& s_;
    QString fechaCalendario_; // the calendar tool's last picked date
};

// The application's title for message boxes.
QString tituloAplicacion();

} // namespace vexa
