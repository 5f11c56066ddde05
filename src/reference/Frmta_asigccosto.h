#pragma once
// "Actualización de Centros de Costos": the standing distribution of one
// account over cost centres by percentage. The account is entered in
// txtCuenta; its rows are edited in the grid FGCCosto through the cell editor
// BrwTxt; the toolbar saves (GRABAR), deletes (BORRAR, refused while the
// account has cost-centre movements), clears (NUEVO, CANCELAR), shows the whole
// distribution (PLANILLA) and looks up (CONSULTAR, F5-less: right button too).
#include "ReglasCCosto.h"

#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;

namespace vexa {

class ArregloCajas;
class ContextoEmpresa;
class GrillaEditable;
class UtilTeb;

class Frmta_asigccosto : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Menu MEMBER Menu)
public:
    Frmta_asigccosto(ContextoEmpresa& ctx, bool menu, QWidget* parent = nullptr);
    ~Frmta_asigccosto() override;

    // The account being edited; only this window uses it, emptied when it closes.
    static QString CuentaActual;

    bool Menu = false;
    QString Tabla;
    std::vector<ccosto::RegCentroCosto> Filas;
    bool Nuevo = false, Modificar = false, Borrar = false, Grabando = false;
    bool HayError = false, EnEdicion = false;
    int FilaActual = 0;                    // row 1..n whose data the editor writes
    int IndiceEditor = -2, IndiceCuenta = -2;

    std::unique_ptr<ArregloCajas> txtCuenta;
    QLabel* lblDescripcion = nullptr;
    GrillaEditable* FGCCosto = nullptr;
    QLineEdit* BrwTxt = nullptr;
    UtilTeb* UtilTeb1 = nullptr;

    void Generar();
    void LimpiarPantalla();
    void BuscarCuenta();
    void MsFlex_Inicializa();
    void MostrarFila(int fila);
    void HabilitarEdicion(bool activa);
    // Checks the cell (row 1..n, grid column 1 or 3) holding 'texto'; HayError tells.
    void CampoValidaCCosto(int fila, int columna, const QString& texto, bool mostrar);
    // Checks the account box; on a postable account loads it and starts editing.
    void CampoValidaCuenta(bool mostrar);
    bool DatosValidosCuenta();
    void UtilTeb1_ButtonClick(const QString& clave);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // The constructor's parts.
    void armarGrilla();
    void conectarCuenta();
    void cargarInicial();

    void aviso(const QString& mensaje);
    void reportar(const std::exception& e, const QString& procedimiento);
    void grabar();
    void borrar();
    void alEntrarCelda(int fila, int col);
    int filaGrilla(int fila) const { return fila - 1; } // row n of Filas is grid row n-1
    ContextoEmpresa& ctx_;
};

} // namespace vexa
