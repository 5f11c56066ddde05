#pragma once
// Form-control component: the data windows find their fields by data field
// (the "DataField" property each field carries), move the focus on with
// Enter and filter the keys typed into a field.
#include <QString>

#include <vector>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace vexa {

class ControlesFormulario {
public:
    // The property naming a field's data field ("NOMBRE", "FECHA_DESDE", ...).
    static const char* propiedadCampo() { return "DataField"; }
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
    // The decimal mark typed figures take, whatever the system's settings.
    static QChar SeparadorDecimal() { return QLatin1Char('.'); }
};

} // namespace vexa
