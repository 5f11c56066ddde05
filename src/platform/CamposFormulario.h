#pragma once
// The field machinery every data window shares over its control arrays
// (ArregloCajas), so that a window writes only its rules and its lookups:
//
// - Enter checks the box through the window's rule ('valida', which shows its
//   own message) and, when it passed, moves the focus to the next control;
// - F5 and the right mouse button run the window's lookup ('consultar'),
//   which most windows hand to Consultar(): the lookup registered for the
//   box's tag fills the box and checks it as Enter would;
// - a typed key passes the box's filter (ControlesFormulario::FiltraTecla)
//   and then the company's upper-case rule, but in the data fields the array
//   names in 'sinMayusculas';
// - a box selects its whole text when it gets the focus, but for the data
//   fields the array names in 'sinSeleccion', which keep the caret where it is put,
//   and for arrays whose 'seleccionar' is off, left as the line edit leaves them.
//
//   CamposFormulario campos(this, ctx_.soloMayusculas);
//   campos.atender(*txtbuso, [this](int i) { return valida(*txtbuso, i); },   // Enter
//                  [this] { ConsultarCampo(); },                             // F5, right button
//                  [this](int i) { IndiceBuso = i; });                       // after the focus came
//   campos.consulta(QStringLiteral("FECHA"), [](QLineEdit* caja) { return elegirFecha(caja->text()); });
//   campos.Consultar(*txtbuso, IndiceBuso);
#include "ControlesFormulario.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QLineEdit;

namespace vexa {

class CamposFormulario : public QObject {
public:
    // 'soloMayusculas' is read at every key: the company's upper-case rule.
    CamposFormulario(QObject* padre, const bool& soloMayusculas);

    struct Arreglo {
        // Checks the box at the index and shows why when it fails; true when it passed.
        std::function<bool(int indice)> valida;
        // F5 and the right button, with the index of the box they came to;
        // none: the array has no lookups.
        std::function<void(int indice)> consultar;
        // After the box got the focus (and selected its text).
        std::function<void(int indice)> alEntrar;
        // Data fields whose boxes keep the caret where it is put on focus.
        QStringList sinSeleccion;
        // Off: the focus leaves every box of the array as the line edit does
        // (whole text on Tab, the caret where a click puts it).
        bool seleccionar = true;
        // Data fields the upper-case rule leaves as typed (the filter still applies).
        QStringList sinMayusculas;
    };
    // Takes over the array's key, focus and mouse handlers.
    void atender(ArregloCajas& a, Arreglo reglas);
    // The same, field by field.
    void atender(ArregloCajas& a, std::function<bool(int indice)> valida, std::function<void()> consultar = nullptr,
                 std::function<void(int indice)> alEntrar = nullptr, QStringList sinSeleccion = {})
    {
        Arreglo r;
        r.valida = std::move(valida);
        if (consultar) r.consultar = [c = std::move(consultar)](int) { c(); };
        r.alEntrar = std::move(alEntrar);
        r.sinSeleccion = std::move(sinSeleccion);
        atender(a, std::move(r));
    }

    // The lookup of the boxes whose tag is 'tag' (case and blanks ignored): the
    // text the box takes, nullopt to leave it as it is.
    using Consulta = std::function<std::optional<QString>(QLineEdit* caja)>;
    void consulta(const QString& tag, Consulta c);
    // The lookup of the box by its tag: the box takes what it answers and, when
    // that is not blank, is checked and left as with Enter. False when the box
    // has no lookup or it answered nothing.
    bool Consultar(ArregloCajas& a, int indice);

    // What Enter does on the box: its check, then the next control when it passed.
    bool Enter(ArregloCajas& a, int indice);
    // The filter and the upper-case rule on a typed character: the character
    // to type, 0 to swallow it.
    int Tecla(const QLineEdit* caja, int codigo) const;

private:
    struct Atendido {
        ArregloCajas* arreglo;
        Arreglo reglas;
    };
    const Arreglo* reglasDe(const ArregloCajas& a) const;
    void alEntrar(ArregloCajas& a, int indice);

    const bool& soloMayusculas_;
    std::vector<Atendido> arreglos_;
    std::vector<std::pair<QString, Consulta>> consultas_;
};

} // namespace vexa
