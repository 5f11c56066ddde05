#pragma once
// "Indices de Ajustes": one calendar year of the index table MA_INDAJUSTE in a
// grid of twelve months, the value of each of the four series and its
// coefficient to the closing month of the active fiscal year (ajuste::).
//
// The window opens idle showing the current calendar year; Enter on an
// accepted year starts editing it (the grid's value cells take digits and one
// decimal mark; each commit recomputes every coefficient; nothing is written
// until GRABAR). GRABAR saves the year as twelve rows in one transaction,
// BORRAR deletes it after a question, CANCELAR and CERRAR drop what was typed
// after asking. Every toolbar command first puts an open edit into its cell.
// Closing the window stamps the visit's exit in the access log.
#include "IndicesAjuste.h"

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;

namespace vexa {

class ContextoEmpresa;
class GrillaEditable;
class UtilTeb;

class frmMA_INDAJUSTE : public QWidget {
    Q_OBJECT
public:
    explicit frmMA_INDAJUSTE(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~frmMA_INDAJUSTE() override;

    // Controls.
    std::array<QLineEdit*, 1> TxtFields{}; // 0: the year ("anio")
    QLabel* lblAnio = nullptr;
    GrillaEditable* FgAsiento = nullptr; // its editor is BrwTxt
    QLineEdit* BrwTxt = nullptr;
    UtilTeb* UtilTeb1 = nullptr;

    // Window state.
    const QString Tabla = QStringLiteral("MA_INDAJUSTE");
    bool Nuevo = false;    // a year without rows
    bool Borrar = false;   // a deletion in progress
    bool Modifica = false; // a stored year loaded
    bool Grabando = false; // GRABAR runs its checks and save
    bool ErrorCampo = false;
    bool DatosModificados = false; // a year accepted for editing and not saved
    int CampoActual = 0;           // focused year field; -2 the grid
    int EditorActual = 0;

    // Grid columns: 0 the month, 2k-1 the value of series k, 2k its coefficient.
    static int columnaValor(int serie) { return 2 * serie - 1; }
    static int columnaCoeficiente(int serie) { return 2 * serie; }

    void LimpiarPantalla();
    void LimpiarControles();
    void HabilitaCampos(bool habilitar);
    void MsFlex_Inicializa();
    // Loads the year of the year field into the grid (by month). False after an error.
    bool CargaFlexGrid();
    // Recomputes every coefficient of the grid; writes nothing.
    void ObtieneCoeficientes();
    // Checks the year field; on Enter an accepted year is loaded and edited.
    void Campo_Valida(int indice);
    bool DatosValidos();
    // Saves (or, with Borrar, deletes) the year; true when done.
    bool ActualizarDatos();
    void ConsultarCampo() {}
    void UtilTeb1_ButtonClick(const QString& clave);

    // The year the grid holds (0: none) and the active year's closing month.
    int anioGrilla() const { return anioGrilla_; }
    const std::optional<ajuste::MesCierre>& mesCierre() const { return cierre_; }
    // The grid as the table's rows (values and coefficients as kept in the cells);
    // nullopt, after the conversion message, when a value cell holds no number.
    std::optional<ajuste::AnioIndices> datosGrilla();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void FgAsiento_celdaConfirmada(int fila, int col);
    double valorCelda(int fila, int col) const;
    void enfocarAnio();

    ContextoEmpresa& ctx_;
    std::optional<ajuste::MesCierre> cierre_;
    int anioGrilla_ = 0;
};

// Registers the inflation-adjustment windows by name (frmMA_INDAJUSTE,
// FrmAjusteInflacion); the program and tests call it once.
void registrarVentanasAjuste();

} // namespace vexa
