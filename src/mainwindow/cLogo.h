#pragma once
// Company-name bar: a gradient band from StartColor at the bottom to nearly
// EndColor at the top, with the company name written from bottom to top.
// Setting a colour redraws at once (when a surface is set); setting the
// caption does not: the caller calls Draw.
#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <vector>

class QWidget;

namespace vexa {

// A colour as callers give it: 0xBBGGRR, or a system colour code (high bit
// set, element number in the low byte; 0x8000000F is the button face).
using ColorVexa = quint32;
inline constexpr ColorVexa ColorCaraBoton = 0x8000000Fu;

// Plain red, green and blue of a colour value (a system colour becomes the
// current colour of that element; an unknown one counts as black).
QColor traducirColor(ColorVexa c);

struct BandaLogo {
    int top, bottom; // fill from top to bottom (bottom exclusive)
    QColor color;
};
// The bands of a bar H pixels high: S = H / 255 (at least 1), from the bottom
// up while Y >= 0; each band's colour is start + (H - Y) * delta / H of the
// band below it, rounded half to even.
std::vector<BandaLogo> bandasLogo(int alto, const QColor& inicio, const QColor& fin);
// The text's pixel height: the point size rounded, times the vertical dots per inch / 72.
int altoFuenteLogo(double puntos, int dpiVertical);

class cLogo : public QObject {
public:
    cLogo();
    ~cLogo() override;

    void setDrawingObject(QWidget* w);
    QWidget* drawingObject() const { return objeto_; }
    void setCaption(const QString& c) { caption_ = c; }
    const QString& Caption() const { return caption_; }

    ColorVexa StartColor() const { return inicio_; }
    void setStartColor(ColorVexa oColor);
    ColorVexa EndColor() const { return fin_; }
    void setEndColor(ColorVexa oColor);

    // Paints the bar on the surface and refreshes it.
    void Draw();
    // How many times Draw painted (tests follow the redraw rules with it).
    int dibujos() const { return dibujos_; }
    // What the surface shows.
    const QPixmap& imagen() const { return imagen_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QPointer<QWidget> objeto_;
    QString caption_;
    ColorVexa inicio_ = 0, fin_ = 0;
    QColor colorInicio_, colorFin_;
    QPixmap imagen_;
    int dibujos_ = 0;
};

} // namespace vexa
