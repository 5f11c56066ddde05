#pragma once
// Form-control component: the data windows find their fields by data field
// (the "DataField" property each field carries), move the focus on with
// Enter and filter the keys typed into a field.
//
// A window that keeps its fields as a control array builds them with
// ArregloCajas: the boxes in index order, each with its data field, tag
// (the lookup it serves), maximum length and alignment, and one handler per
// event for the whole array, called with the box's index:
//
//   ArregloCajas txtbuso(QStringLiteral("txtbuso"));
//   txtbuso.agregar(marco, {QStringLiteral("CODIGO"), QStringLiteral("ma_bienes")});
//   txtbuso.TeclaAbajo = [&](int i, int& tecla, Qt::KeyboardModifiers) { ... };
//   QLineEdit* costo = txtbuso.campo(QStringLiteral("Costo"));
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace vexa {

class ControlesFormulario {
public:
    // The property naming a field's data field ("NOMBRE", "FECHA_DESDE", ...).
    static const char* propiedadCampo() { return "DataField"; }
    // The property naming the lookup a field serves ("ma_cuentas", "fecha", ...).
    static const char* propiedadTag() { return "Tag"; }
    // What a field takes: "NUMERO" (digits, sign and decimal point) or "FECHA"
    // (digits and separators); without it every key is taken.
    static const char* propiedadFiltro() { return "Filtro"; }

    // Index of the field whose data field is 'campo' (case-insensitive); -1 when none.
    static int IndiceCampo(const std::vector<QLineEdit*>& campos, const QString& campo);
    // Enter or the keypad's Enter.
    static bool EsTeclaEnter(int tecla);
    // Moves the focus from 'actual' to the next control of its window's tab order.
    static void SiguienteControl(QWidget* actual, int tecla);
    // True when the typed character is refused by the field's filter.
    static bool FiltraTecla(const QLineEdit* campo, const QKeyEvent& e);
    // Same rule on a character code (key-press handlers): the code, or 0 when refused.
    static int FiltraTecla(const QLineEdit* campo, int codigo);
    // Selects the field's whole text (also when the focus came with a mouse click).
    static void SeleccionaTexto(QLineEdit* campo, bool todo = true);
    // The decimal mark typed figures take, whatever the system's settings.
    static QChar SeparadorDecimal() { return QLatin1Char('.'); }
};

// A control array of line edits (see the top of this file).
class ArregloCajas : public QObject {
public:
    struct Definicion {
        QString campo;         // data field
        QString tag;           // lookup kind; empty: none
        int largoMaximo = 0;   // 0: no limit
        bool derecha = false;  // right-aligned text
    };

    explicit ArregloCajas(const QString& nombre, QObject* padre = nullptr);
    ~ArregloCajas() override;

    // Adds the next box (index = cantidad() before the call) as a child of
    // 'padre', named "<nombre>_<index>".
    QLineEdit* agregar(QWidget* padre, const Definicion& d);

    const QString& nombre() const { return nombre_; }
    int cantidad() const { return int(cajas_.size()); }
    QLineEdit* operator[](int i) const { return cajas_.at(size_t(i)); }
    const std::vector<QLineEdit*>& cajas() const { return cajas_; }
    // Index of the box whose data field is 'campo' (case-insensitive); -1 when none.
    int IndiceCampo(const QString& campo) const { return ControlesFormulario::IndiceCampo(cajas_, campo); }
    // The box of that data field; ErrorVexa when the array has none.
    QLineEdit* campo(const QString& campo) const;
    // Index of a box of this array; -1 for any other object.
    int indiceDe(const QObject* o) const;
    static QString dataField(const QLineEdit* caja);
    static QString tag(const QLineEdit* caja);

    // Empties every box.
    void LimpiaCampos();

    // Event handlers of the array (each optional):
    // the box got the focus;
    std::function<void(int indice)> AlEntrar;
    // a key went down (before its character is typed): setting tecla to 0 swallows it;
    std::function<void(int indice, int& tecla, Qt::KeyboardModifiers mod)> TeclaAbajo;
    // a character is typed: 'codigo' may be replaced by another character, 0 swallows it;
    std::function<void(int indice, int& codigo)> TeclaPresionada;
    // the right mouse button went down on the box (its context menu is not shown).
    std::function<void(int indice)> BotonDerecho;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QString nombre_;
    std::vector<QLineEdit*> cajas_;
    bool reenviando_ = false;
};

} // namespace vexa
