#pragma once
// What the two asset windows (the register FrmMA_BienesUso and the change
// window FrmMa_BienesUsoModif) share: the company, the asset and sheet box
// arrays found by data field, the five frames, the field machinery
// (CamposFormulario) with the lookups by tag, the field rules' state and the
// application of a rule's recomputed boxes.
#include "CamposFormulario.h"
#include "ReglasBienesCampos.h"

#include <QWidget>

#include <span>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vexa {

class ContextoEmpresa;

class VentanaBien : public QWidget {
    Q_OBJECT
public:
    // One box of an array: data field, lookup tag, maximum length, frame
    // (index into the frames given), caption (nullptr: a hidden box) and filter.
    struct DefCaja {
        const char* campo;
        const char* tag;
        int largo;
        int marco;
        const char* caption;
        const char* filtro;
        bool derecha;
    };
    // The box of that data field in each array.
    QLineEdit* buso(const QString& campo) const { return txtbuso->campo(campo); }
    QLineEdit* calculo(const QString& campo) const { return txtCalculo->campo(campo); }
    // Opens the lookup of the txtbuso box that last had the focus.
    void ConsultarCampo();

    int IndiceBuso = -2;    // the txtbuso box that last had the focus; -2: none
    int IndiceCalculo = -2; // the txtCalculo box that last had the focus; -2: none

    ArregloCajas *txtbuso = nullptr, *txtCalculo = nullptr;
    QGroupBox *frmBusoCabecera = nullptr, *FrmBusoDatosCompra = nullptr, *FrmBusoDatosAdic = nullptr, *frmBusoNovedades = nullptr,
              *FrmCalculo = nullptr;
    QLabel* lblDescPeriodo = nullptr;

protected:
    VentanaBien(ContextoEmpresa& ctx, QWidget* parent);
    ~VentanaBien() override;

    // The five frames, children of 'padre', with their grid layouts in the
    // order cabecera, compra, adicional, novedades, calculo.
    std::array<QGridLayout*, 5> construirMarcos(QWidget* padre);
    // Adds the boxes with their captions, 'columnas' label-and-box pairs per row
    // of each frame (by frame index); the labels made, by box index.
    std::vector<QLabel*> ponerCajas(ArregloCajas& a, std::span<const DefCaja> defs, std::span<QGroupBox* const> marcos,
                                    std::span<QGridLayout* const> lugares, std::span<const int> columnas);
    // The asset-account and asset lookups (by the given SQL) and the date picker.
    void registrarConsultas(const QString& sqlCuentas, const QString& selectBienes);
    // The state every rule reads; the window adds its mode.
    bienes::EstadoFormulario estadoBase(std::function<ArregloCajas*(bienes::Arreglo)> arreglo);
    // The rule of the box by its data field; its recomputed boxes and frames
    // applied; nullopt when the field has no rule.
    std::optional<bienes::Resultado> reglaDe(std::span<const bienes::ReglaCampo> tabla, bienes::Arreglo a, ArregloCajas& arreglo,
                                             const QString& valor, const QString& campo, const bienes::EstadoFormulario& e);

    // The asset and sheet arrays handed to the field helper: Enter checks the
    // box through validaCaja, F5 and the right button open the asset box's
    // lookup, the focus keeps IndiceBuso and IndiceCalculo ('alEntrarBien'
    // runs after it in an asset box).
    void atenderCajas(std::function<void(int)> alEntrarBien, QStringList sinSeleccionBien);
    std::function<bool(int)> valida(ArregloCajas& a);
    // Checks one box (shows why it failed); true when it passed.
    virtual bool validaCaja(ArregloCajas& a, int indice) = 0;
    // A box refused with this message (kept in mensaje_): the window marks its error.
    bool rechaza(const QString& mensaje);
    virtual void marcarError() = 0;
    // The sheet's six boxes in the window's order: the register's (its own
    // data fields, every box right-aligned) or the change window's.
    static std::vector<DefCaja> cajasPlanilla(bool cambio);

    ContextoEmpresa& ctx_;
    bienes::ConsultasEmpresa consultas_;
    CamposFormulario campos_;
    QString mensaje_;
};

} // namespace vexa
