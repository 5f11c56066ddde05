#pragma once
// The picture-button menu: eleven buttons for the most used commands. A click
// plays the click sound and runs the menu command named by the button's
// tooltip when that menu item is enabled; hovering frames the button's back
// and plays the hover sound once per button entered.
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QFrame;

namespace vexa {

// Module flags nothing in the program sets: the two buttons that need them
// always refuse.
inline bool HabilitaPublicacion = false;
inline bool HabilitaCashFlow = false;

struct BotonImagen {
    int indice;          // ImgMenu index
    const char* tooltip; // the command
};

// The buttons from left to right.
const std::array<BotonImagen, 11>& botonesImagen();

// The rules of the buttons, without a screen.
class MenuImagenes {
public:
    static constexpr int Cantidad = 11;

    // What the buttons reach in the main window.
    std::function<bool(const QString& item)> itemHabilitado;      // the menu item is enabled
    std::function<void(const QString& item)> ejecutarItem;        // runs the menu item's command
    std::function<void(const QString& menu)> desplegarMenu;       // pops a menu up at the mouse
    std::function<void(const QString& archivo)> reproducir;       // plays a wave file
    QString carpetaSonidos;                                       // the install folder

    void Click(int indice);
    void MouseMove(int indice);
    void MouseDown(int indice) { bordeImagen[indice] = true; }
    void MouseUp(int indice) { bordeImagen[indice] = false; }
    void InicializaBordes();

    QString tooltip(int indice) const;

    int IndiceResaltado = -1;
    std::array<bool, Cantidad> bordeBack{};   // ImgBack border (the hover frame)
    std::array<bool, Cantidad> bordeImagen{}; // ImgMenu border (pressed)

private:
    void sonar(const QString& archivo);
};

// The button area PctMain: the backs and pictures over the rules above.
class PctMain : public QWidget {
    Q_OBJECT
public:
    explicit PctMain(MenuImagenes& reglas, QWidget* parent = nullptr);
    QLabel* ImgMenu(int indice) const { return img_[indice]; }
    QFrame* ImgBack(int indice) const { return back_[indice]; }
    // Redraws the borders from the rules' state.
    void refrescarBordes();

    // Geometry of the backs, in pixels (855 x 735 twips, 840 apart).
    static QRect rectBack(int orden);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    MenuImagenes& reglas_;
    std::array<QLabel*, MenuImagenes::Cantidad> img_{};
    std::array<QFrame*, MenuImagenes::Cantidad> back_{};
};

} // namespace vexa
