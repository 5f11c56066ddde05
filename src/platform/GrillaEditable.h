#pragma once
// The editable grid of the data windows: a table of cells edited through one
// line editor laid over the current cell, driven by the window's column table.
//
//   - A typed character above a blank opens the editor holding that character
//     (caret after it); a blank, a double click (and Enter or Escape when the
//     window says so) open it holding the cell's text (caret at the end). A
//     column that is not editable opens nothing.
//   - Every character that reaches the editor, typed or pasted, passes the
//     window's key filter and then its upper-case rule; a paste holding one
//     refused character is refused whole.
//   - The editor's text goes into its cell when the current cell changes, when
//     the grid takes the focus, when the grid scrolls (which then moves on as
//     Enter does) and whenever the window asks (confirmarEdicion: before any
//     toolbar command). Each commit is reported (celdaConfirmada).
//   - Of Enter, Escape, Up and Down the window picks which the editor hands to
//     its movement routine (Movimiento; by default MSFlex_EditKeyCode); the
//     others act inside the editor. Enter is handed on only when the window's
//     check (ValidarEnter) passes.
//   - The editor reports when it loses the focus (editorPerdioFoco).
//   - Each cell keeps its value apart from its shown text: a figure is read
//     back from valor(), never from its display form.
//
// Rows and columns are numbered from 0; the column headings are the grid's
// heading row, not a row of cells.
#include <QTableWidget>

#include <functional>
#include <optional>
#include <vector>

class QLineEdit;

namespace vexa {

// One column of an editable grid, as the window describes it.
struct ColumnaGrilla {
    QString Titulo;             // heading
    QString Consulta;           // lookup of the column (the editor's tag); blank: none
    QString Campo;              // data field (the editor's data field)
    int Largo = 0;              // most characters the editor takes; 0: no limit
    bool Editable = false;      // the editor opens in this column
    bool EditarSiVacio = false; // Enter on a blank cell opens the editor instead of moving on
};

class GrillaEditable : public QTableWidget {
    Q_OBJECT
public:
    // Keys the editor may hand to the movement routine (teclasMovimiento).
    enum TeclaMovimiento { TeclaEnter = 0x1, TeclaEscape = 0x2, TeclaArriba = 0x4, TeclaAbajo = 0x8 };
    // What moving down from the last row does: stay there, or add an empty row
    // and go to it; either way the current column becomes column 1.
    enum class UltimaFila { Quedarse, AgregarFila };

    explicit GrillaEditable(QWidget* parent = nullptr);
    ~GrillaEditable() override;

    // ---- the column table ----
    // Sets the columns (their count and headings) from the window's table.
    void setColumnas(std::vector<ColumnaGrilla> columnas);
    const std::vector<ColumnaGrilla>& columnas() const { return columnas_; }
    // One entry of the table (a window may change Editable while it works).
    ColumnaGrilla& columna(int c);
    const ColumnaGrilla& columna(int c) const;
    // Alignment of the cells of a column (set before they are filled).
    void setAlineacion(int col, Qt::Alignment alineacion);

    // ---- cells ----
    // Value and shown text of a cell (created when missing).
    void setCelda(int fila, int col, const QVariant& valor, const QString& texto);
    QVariant valor(int fila, int col) const;
    QString texto(int fila, int col) const;
    // Background of a cell (read-only cells can be coloured).
    void setFondo(int fila, int col, const QColor& color);
    // Empties every cell (values, texts and colours), keeping rows and columns.
    void vaciarCeldas();

    // ---- the editor ----
    QLineEdit* editor() const { return editor_; }
    // True while an edit is open (the editor shown over its cell).
    bool editando() const { return abierto_; }
    int filaEditor() const { return filaEd_; }
    int columnaEditor() const { return colEd_; }
    // Opens the editor over the current cell for a typed character code: above
    // 32 it holds that character (when the filter lets it through), otherwise
    // the cell's text. Nothing happens in a column that is not editable.
    void abrirEditor(int codigo);
    // Puts an open edit's text into its cell (value and shown text), closes the
    // editor and reports the commit. False when no edit was open.
    bool confirmarEdicion();
    // Closes the editor without touching its cell.
    void cancelarEdicion();
    // Dresses the editor for a column: data field, tag, maximum length, enabled.
    void Brw_Propiedades(int col);

    // ---- the window's rules ----
    // Keys the editor hands to Movimiento (TeclaMovimiento values or-ed).
    int teclasMovimiento = TeclaEnter;
    // Enter (Escape) pressed on the grid opens the editor with the cell's text;
    // when false, Enter moves on as Movimiento says (unless the column edits
    // when empty and the cell is blank) and Escape does nothing.
    bool enterAbreEditor = false;
    bool escapeAbreEditor = false;
    UltimaFila ultimaFila = UltimaFila::Quedarse;
    // The window's key filter: false refuses the character; it may change it.
    // 'texto' is the text before the character (the editor's whole text is
    // checked character by character after every change, so a paste too).
    std::function<bool(int col, QChar& caracter, const QString& texto)> FiltroTecla;
    // The upper-case rule applied after the filter.
    std::function<QChar(QChar)> ReglaMayusculas;
    // The window's check of an edit on Enter; false keeps the editor open.
    std::function<bool(int fila, int col, const QString& texto)> ValidarEnter;
    // The window's movement routine for the keys the editor hands on (Qt key codes).
    std::function<void(int tecla)> Movimiento;

    // The usual movement routine: Escape closes the editor without committing;
    // Enter moves right to the next editable column, past the last one to
    // column 1 of the next row; Up and Down move one row. The current cell is
    // then kept in view.
    void MSFlex_EditKeyCode(int tecla);
    // Commits an open edit and gives the grid the focus.
    void enfocar();
    void moverArriba();
    void moverAbajo();
    void moverDerecha();

    // The filter and upper-case rule applied to a whole text, character by
    // character as if typed; nullopt when one character is refused.
    std::optional<QString> filtrarTexto(int col, const QString& texto) const;

signals:
    // An edit was put into its cell.
    void celdaConfirmada(int fila, int col);
    // The editor lost the focus (its text: editor()->text()); fila and col of the edit.
    void editorPerdioFoco(int fila, int col);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool filtrar(int col, QChar& c, const QString& texto) const;
    void colocarEditor();
    void cerrarEditor(bool vaciar);
    void mover(int tecla);
    int bajar(int fila);
    QTableWidgetItem* celda(int fila, int col);

    std::vector<ColumnaGrilla> columnas_;
    std::vector<Qt::Alignment> alineaciones_;
    QLineEdit* editor_ = nullptr;
    bool abierto_ = false;
    int filaEd_ = -1, colEd_ = -1;
    bool moviendo_ = false;
};

} // namespace vexa
