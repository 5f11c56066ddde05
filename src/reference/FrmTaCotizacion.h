#pragma once
// "Tabla diaria de Cotización": the daily exchange rates from "[FECHA DESDE]"
// to today, newest day first, with the rates of currencies "2" to "5" edited
// in place. When the company works with several currencies the missing days
// up to today are filled first, each new day carrying the rates of the day
// before it. Every change is written to its row (by ID) when the cell editor
// loses the focus; the toolbar's GRABAR and CERRAR close the window, CANCELAR
// shows the table again.
#include "Cotizaciones.h"

#include <QDate>
#include <QWidget>

#include <vector>

namespace vexa {

class ContextoEmpresa;
class GrillaEditable;
class UtilTeb;

class FrmTaCotizacion : public QWidget {
    Q_OBJECT
public:
    explicit FrmTaCotizacion(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~FrmTaCotizacion() override;

    GrillaEditable* MSFlexGrid1 = nullptr;
    UtilTeb* UtilTeb1 = nullptr;

    // Grid columns: Id, Fecha-Hora, then the rates of currencies 1 to 5.
    enum Columna { ColId = 0, ColFecha = 1, ColMoneda1 = 2 };

    // The missing days from the newest row on or before today (or from the day
    // after Desde when there is none) up to Hasta.
    void LlenarHuecos(const QDate& Desde, const QDate& Hasta);
    // The missing days of the year in use ("Periodo") up to today; Ejercicio
    // is not used.
    void CrearDiasCotizacion(qint64 Ejercicio);
    // The rows from "[FECHA DESDE]" to today, newest first, and an empty row.
    void AsignarExistentes();
    // Empties the grid and writes its headings.
    void InicializaGrid();
    // The movement routine of the cell editor's Enter, Escape, Up and Down.
    void EditKeyCode(int KeyCode);
    // Opens the cell editor for a typed character (32: the cell's text).
    void MsflexGridEdt(int KeyAscii);
    // Nothing to do: each change is written when it is made.
    void ActualizarDatos();
    void UtilTeb1_ButtonClick(const QString& clave);

    // A row that can be written: its Id and day cells are filled.
    bool FilaCorrecta(int Fila) const;
    // Writes the row of the edit that left cell (Fila, Col); the box about a
    // refused rate is shown after the editor is hidden.
    void GrabarFila(int Fila, int Col);

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void confirmarEdicionAbierta();

    ContextoEmpresa& ctx_;
    // The stored rates of each grid row (the last row, empty, has none).
    std::vector<cotizacion::FilaCotizacion> filas_;
    bool grabando_ = false;
};

} // namespace vexa
