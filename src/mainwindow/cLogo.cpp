#include "cLogo.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace vexa {

QColor traducirColor(ColorVexa c)
{
    if (c & 0x80000000u) {
        const QPalette p = QApplication::palette();
        switch (c & 0xFFu) {
        case 0x01: return p.color(QPalette::Window);          // desktop
        case 0x05: return p.color(QPalette::Base);            // window background
        case 0x08: return p.color(QPalette::Text);            // window text
        case 0x0C: return p.color(QPalette::Window);          // MDI background
        case 0x0D: return p.color(QPalette::Highlight);
        case 0x0E: return p.color(QPalette::HighlightedText);
        case 0x0F: return p.color(QPalette::Button);          // button face
        case 0x10: return p.color(QPalette::Dark);            // button shadow
        case 0x12: return p.color(QPalette::ButtonText);
        case 0x14: return p.color(QPalette::Light);           // button highlight
        }
        return QColor(0, 0, 0);
    }
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

std::vector<BandaLogo> bandasLogo(int H, const QColor& inicio, const QColor& fin)
{
    std::vector<BandaLogo> r;
    if (H < 0) return r;
    int S = H / 255;
    if (S == 0) S = 1;
    const int r0 = inicio.red(), g0 = inicio.green(), b0 = inicio.blue();
    const int dr = fin.red() - r0, dg = fin.green() - g0, db = fin.blue() - b0;
    // Halves go to the even integer (the default rounding mode of nearbyint).
    auto comp = [H](int base, int delta, int y) {
        return H == 0 ? base : base + int(std::nearbyint(double(H - y) * delta / H));
    };
    QColor actual(r0, g0, b0);
    int B = H;
    r.reserve(H / S + 1);
    for (int Y = H; Y >= 0; Y -= S) {
        const int T = B - S;
        r.push_back({T, B, actual});
        B = T;
        actual = QColor(std::clamp(comp(r0, dr, Y), 0, 255), std::clamp(comp(g0, dg, Y), 0, 255),
                        std::clamp(comp(b0, db, Y), 0, 255));
    }
    return r;
}

int altoFuenteLogo(double puntos, int dpiVertical)
{
    const long long n = std::llround(puntos);
    // Multiplied and divided at once, rounded to the nearest.
    return int(std::llround(double(n) * dpiVertical / 72.0));
}

cLogo::cLogo()
{
    // As on creation: black at the bottom, the button face at the top.
    colorInicio_ = traducirColor(inicio_);
    setEndColor(ColorCaraBoton);
}

cLogo::~cLogo() = default;

void cLogo::setDrawingObject(QWidget* w)
{
    if (objeto_) objeto_->removeEventFilter(this);
    objeto_ = w;
    if (w) w->installEventFilter(this);
}

void cLogo::setStartColor(ColorVexa c)
{
    if (c == inicio_) return;
    inicio_ = c;
    colorInicio_ = traducirColor(c);
    if (objeto_) Draw();
}

void cLogo::setEndColor(ColorVexa c)
{
    if (c == fin_) return;
    fin_ = c;
    colorFin_ = traducirColor(c);
    if (objeto_) Draw();
}

void cLogo::Draw()
{
    if (!objeto_) return;
    const int H = objeto_->height(), W = objeto_->width();
    if (H <= 0 || W <= 0) return;
    QPixmap p(W, H);
    p.fill(Qt::transparent);
    {
        QPainter g(&p);
        for (const BandaLogo& b : bandasLogo(H, colorInicio_, colorFin_)) g.fillRect(QRect(0, b.top, W, b.bottom - b.top), b.color);
        // The surface's font (Arial 8.25 bold italic by design), turned to run upwards.
        QFont f = objeto_->font();
        f.setPixelSize(std::max(1, altoFuenteLogo(f.pointSizeF() > 0 ? f.pointSizeF() : 8.25, objeto_->logicalDpiY())));
        g.setFont(f);
        g.setPen(objeto_->palette().color(objeto_->foregroundRole()));
        g.translate(0, H - 16);
        g.rotate(-90);
        g.drawText(QRect(0, 0, H, W), Qt::AlignLeft | Qt::AlignTop, caption_);
    }
    imagen_ = p;
    ++dibujos_;
    objeto_->update();
}

bool cLogo::eventFilter(QObject* o, QEvent* e)
{
    // The surface settles its size after the window's own resize: paint for the new size.
    if (o == objeto_ && e->type() == QEvent::Resize) Draw();
    if (o == objeto_ && e->type() == QEvent::Paint && !imagen_.isNull()) {
        QPainter g(objeto_);
        g.drawPixmap(0, 0, imagen_);
        return true;
    }
    return QObject::eventFilter(o, e);
}

} // namespace vexa
