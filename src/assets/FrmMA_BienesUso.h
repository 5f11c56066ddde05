#pragma once
// "Actualización de Bienes de Uso": the fixed-asset register window. Opened
// by "Carga Inicial de Datos" (initial load: each asset is entered with its
// opening depreciation sheet) or as a dialog over an account's asset list.
// Its fields are two box arrays, txtbuso (the asset, its accounts, purchase
// and additional data, improvement) and txtCalculo (the sheet), always found
// by data field; Campo_Valida checks one box and sets the window's mode.
#include "GrabacionBienes.h"
#include "RegBienUso.h"
#include "VentanaBien.h"

#include <QString>
#include <QWidget>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace vexa {

class ContextoEmpresa;

class FrmMA_BienesUso : public VentanaBien {
    Q_OBJECT
    Q_PROPERTY(bool EsCargaInicial READ esCargaInicial WRITE setEsCargaInicial)

public:
    // 'registro': what the dialog mode opens on (the account whose assets it lists).
    FrmMA_BienesUso(ContextoEmpresa& ctx, bool esCargaInicial, QWidget* parent = nullptr, const RegBienUso& registro = {});
    ~FrmMA_BienesUso() override;

    bool esCargaInicial() const { return EsCargaInicial; }
    // Set by the opener before the window is shown; the window never changes it.
    void setEsCargaInicial(bool v) { EsCargaInicial = v; }

    // Blanks and opens the fields for the next asset of an initial load.
    void Datos_CargaInicial();
    // Lists the assets in use of the account held in BienUso; true when any.
    bool CargaFlexGrid();
    // Tabs, frames and fields for the window's mode (once, at load).
    void Prepara_Pantalla(bool cargaInicial);
    // Availability of the fields for a new asset (true) or an existing one.
    void Habilita_BienDeUso(bool nuevo);
    // The dialog's hook when a stored code is typed: nothing to do.
    void Asignar_Datos() {}
    // Checks one box by its data field (sets HayError, shows the message).
    void Campo_Valida(ArregloCajas& arreglo, int indice);
    // Loads the asset whose number the CODIGO box holds.
    void AsignarDatosBien();
    // Hides and releases the window.
    void Form_Unload(int& cancel);

    // Clears the mode flags; in the initial load also blanks and defaults the
    // boxes and hides the sheet. The code box is never typed into.
    void Inicializa();
    // Shows the shared record BienUso in the boxes; with ajustar, also the
    // depreciation accounts of its account and an empty improvement (and, in
    // dialog mode, the window fitted to the asset's frames).
    void Asignar_Registro(bool ajustar);
    // Checks every box the mode asks for (sets HayError); true when all pass.
    bool DatosValidos();
    // Whether an asset may still be depreciated for 'anios' years: the last
    // closed fiscal year less the asset's purchase year (the PERIODO box when
    // the asset is not stored) less one must not exceed it.
    bool PermiteCalcularDep(int anios, qint64 codigoBien);

    // Commands.
    void CmdAlta_Click();
    void CmdModificar_Click();
    void FG_Bienes_DblClick() { CmdModificar_Click(); }
    void CmdBusoAceptar_Click();
    void CmdBusoCancelar_Click();
    void CmdCancelar_Click();

    // The record the dialog mode shows and fills on each accept (read by its opener).
    RegBienUso BienUso;

    // Window state.
    bool EsCargaInicial = false;
    bool EsAlta = false;       // a new asset
    bool EsNovedad = false;    // an existing asset: an improvement may be keyed
    bool EsBaja = false;       // retirement of an existing asset
    bool ValidandoTodo = false;
    bool HayError = false;     // the last checked box was refused
    bool SinPlanilla = false;  // the opening sheet is hidden: no opening rows
    bool CodigoValidado = false;

    QTabWidget* SSTab1 = nullptr;
    QTableWidget* FG_Bienes = nullptr;
    QWidget* FrmBienes = nullptr;
    QLabel *LblAclaracion = nullptr, *LblMensajeNovedad = nullptr, *LblMensajeDepreciable = nullptr, *LBLvALORrESIDUAL = nullptr;
    QPushButton *CmdAlta = nullptr, *CmdModificar = nullptr, *CmdCancelar = nullptr, *CmdBusoAceptar = nullptr,
                *CmdBusoCancelar = nullptr;

private:
    void construir();
    void Form_Load();
    // The initial load's save of what was accepted; HayError stays set when
    // nothing was stored.
    void Actualizar_Datos();
    bienes::GrabacionBien leerGrabacion() const;
    void grabar(const bienes::GrabacionBien& g);
    // The data tab alone, or the list alone.
    void muestraDatos();
    void muestraLista();
    // The sheet and mode refresh run before every txtbuso rule; false when it refused.
    bool ActualizaPlanilla();
    // The state the field rules read, the mode they set, and one box's rule
    // applied: its recomputed boxes, its refusal or its next steps.
    bienes::EstadoFormulario estado();
    void ponerModo(bienes::Modo m);
    bool aplicaRegla(ArregloCajas& arreglo, const QString& valor, const QString& campo);
    // The pieces of construir: the list tab, the data tab, the tab order and the handlers.
    QWidget* construirLista();
    QWidget* construirDatos();
    void construirPlanilla(QGridLayout* lugar);
    void encadenar();
    void conectar();
    void CalculaDepEjercicio();
    void marcarError() override { HayError = true; }
    bool validaCaja(ArregloCajas& a, int indice) override
    {
        Campo_Valida(a, indice);
        return !HayError;
    }
    // A new asset number proposed by the window (taken again by the save).
    void proponerCodigo();
    // The mode the code gives when the retirement date is emptied.
    void modoPorCodigo();
    void habilita(const char* campo, bool activo);

    QString codigoPropuesto_;
};

} // namespace vexa
