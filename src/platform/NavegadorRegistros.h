#pragma once
// The record navigator of the data windows (each window's Util0011): five
// buttons with the keys PRIMERO, ANTERIOR, SIGUIENTE, ULTIMO and FILTRAR and a
// click signal carrying the key. The window moves over its rows itself.
#include <QStringList>
#include <QToolBar>

class QAction;

namespace vexa {

class NavegadorRegistros : public QToolBar {
    Q_OBJECT
public:
    explicit NavegadorRegistros(QWidget* parent = nullptr);

    // The five keys in the navigator's order.
    static const QStringList& claves();
    QAction* boton(const QString& clave) const;

signals:
    void ButtonClick(const QString& clave);
};

} // namespace vexa
