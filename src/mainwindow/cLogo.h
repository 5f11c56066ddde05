#pragma once
// Company-name bar: a gradient band with the company name written rotated.
#include <QString>

class QWidget;

namespace vexa {

class cLogo {
public:
    void setDrawingObject(QWidget* w) { objeto_ = w; }
    QWidget* drawingObject() const { return objeto_; }
    void setCaption(const QString& c) { caption_ = c; }
    const QString& Caption() const { return caption_; }
    void Draw();

private:
    QWidget* objeto_ = nullptr;
    QString caption_;
};

} // namespace vexa
