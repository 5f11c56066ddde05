#pragma once
// "Tablas de Referencias": the reference tables of the catalogue edited one
// record at a time. The operator picks a table, types a code and presses
// Enter: an existing code shows its row for change, a new one offers empty
// fields; the toolbar saves, deletes, cancels, shows the table's rows and the
// code lookup; the navigator moves over the table's rows in key order while
// no record is being edited.
#include "TablasReferencia.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vexa {

class ArregloCajas;
class CamposFormulario;
class ContextoEmpresa;
class NavegadorRegistros;
class UtilTeb;

class frmTablas : public QWidget {
    Q_OBJECT
public:
    explicit frmTablas(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~frmTablas() override;

    QComboBox* CmbTablas = nullptr;
    QGroupBox* FrmDatos = nullptr;
    std::vector<QLineEdit*> TxtFields;
    std::vector<QLabel*> lblLabels;
    UtilTeb* UtilTeb1 = nullptr;
    NavegadorRegistros* Util0011 = nullptr;
    // The grid viewer PLANILLA opened last (while it is open).
    QPointer<QWidget> Planilla;

    std::vector<referencias::EntradaCatalogo> CatalogoTablas;
    QString NombreTabla;
    int IndiceActual = 0;
    bool Nuevo = false, Borrar = false, Modificar = false, Grabando = false, HayError = false;

    void AbrirTabla();
    void AbrirRecordset(const QString& tabla);
    void AsignarDatos();
    void Util0011_Click(const QString& clave);
    void Inicializa();
    void InicializaDetalle();
    void DetalleOn(bool activo);
    void CampoValida(int indice);
    bool DatosValidos();
    void ActualizarDatos();
    void BuscarCodigo();
    void UtilTeb1_ButtonClick(const QString& clave);
    void TxtFields_KeyDown(int indice, int tecla, Qt::KeyboardModifiers shift = Qt::NoModifier);

    // The open table (nullptr when it could not be opened).
    referencias::TablaReferencia* tabla() const { return rs_.get(); }
    // Rows of the open table as read when it was opened, and the navigator's
    // place among them (-1 before the first, the count after the last).
    const std::vector<referencias::RegistroTabla>& filas() const { return filas_; }
    int posicion() const { return posicion_; }
    // The key of the existing row shown, the one "BORRAR" deletes ("" when none).
    const QString& claveMostrada() const { return claveMostrada_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool soloLectura() const;
    int indiceCampo(const QString& columna) const;
    void mostrarFila(const referencias::RegistroTabla& r);
    // Each field takes as many characters as its column holds (never fewer
    // than it shows).
    void limitarCampos();
    void construirCampos();
    // The field's text differs from what was shown of the row being changed.
    bool editado(int indice) const;
    ContextoEmpresa& ctx_;
    // Enter, the lookup keys and the upper-case rule of TxtFields.
    CamposFormulario* campos_;
    ArregloCajas* cajas_ = nullptr;
    std::unique_ptr<referencias::TablaReferencia> rs_;
    std::vector<referencias::RegistroTabla> filas_;
    int posicion_ = -1;
    QString claveMostrada_;
    // The row being changed as its fields showed it (none for a new row or
    // when the fields hold another row's values).
    std::optional<referencias::RegistroTabla> mostrada_;
};

} // namespace vexa
