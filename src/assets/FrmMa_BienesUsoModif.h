#pragma once
// "Consulta/Modificación de Bienes de Uso": one asset, or one improvement of
// it, with the depreciation row of its active (else latest) year, open for
// change unless the year is closed for it (a control number, a row of the
// active year, a retirement). Its boxes are three arrays found by data field:
// txtbuso (the asset), txtNov (the improvement), txtCalculo (the sheet).
#include "ReglasBienesModif.h"
#include "VentanaBien.h"

#include <QWidget>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace vexa {

class ContextoEmpresa;

class FrmMa_BienesUsoModif : public VentanaBien {
    Q_OBJECT
public:
    explicit FrmMa_BienesUsoModif(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~FrmMa_BienesUsoModif() override;

    // The empty state: boxes cleared, everything open but the derived boxes.
    void Inicializa();
    // Shows the improvement frame or its notice; the sheet or its notice when told.
    void Habilita_Marcos(bool esNovedad, std::optional<bool> sinPlanilla = std::nullopt);
    // Loads the asset or improvement whose code and number the boxes hold.
    void Asignar_Datos();
    // Checks one box (sets ErrorCampo, shows the message).
    void CampoValida(ArregloCajas& arreglo, int indice);
    // Checks every box of the open frames; true when all pass.
    bool DatosValidos();
    // Writes the loaded rows back in one transaction; false when it was refused.
    bool ActualizarDatos();
    void Form_Unload(int& cancel);

    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdTerminar_Click();

    QLineEdit* nov(const QString& c) const { return txtNov->campo(c); }
    bool calculoVisible() const;
    bool novedadesVisible() const;

    bool EsNovedad = false;
    bool CodigoValido = false;
    bool ErrorCampo = false;
    bool ValidandoTodo = false;
    bool ModoModificacion = false;
    bool SinCalculo = false;
    bool Cargado = false; // a load open for change

    ArregloCajas* txtNov = nullptr;
    QStackedWidget *pilaNov = nullptr, *pilaCalculo = nullptr;
    QLabel *lblNov = nullptr, *lblCalculo = nullptr;
    QPushButton *CmdConsulta = nullptr, *CmdAceptar = nullptr, *CmdCancelar = nullptr, *CmdTerminar = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void construir();
    void construirPilas(QGridLayout* raiz);
    void construirBotones(QGridLayout* raiz);
    void conectar();
    void mostrarCalculo(bool visible);
    void marcarError() override { ErrorCampo = true; }
    bool validaCaja(ArregloCajas& a, int indice) override
    {
        CampoValida(a, indice);
        return !ErrorCampo;
    }
    // The state the field rules read, and one box's rule applied.
    bienes::EstadoFormulario estado();
    bool aplicaRegla(ArregloCajas& arreglo, const QString& valor, const QString& campo);
    bool reglaPlanilla();
    void residual();
    void llenar(ArregloCajas& a, int desde, int hasta, const Fila& f, const QString& tabla);
    void bloquear();
    bool preguntaAbandonar();

    bienes::CargaModificacion carga_;
    bool egresoRegistrado_ = false;
};

} // namespace vexa
