#pragma once
// The data-form toolbar of the data windows (each window's UtilTeb1): eight
// buttons with the keys NUEVO, GRABAR, BORRAR, CONSULTAR, PLANILLA, REPORTE,
// CANCELAR and CERRAR, one enabled state per key, a click signal carrying the
// key and a key method that the window's key-down handler hands its keys to.
// Each button is a QAction named by its key.
#include <QStringList>
#include <QToolBar>

class QAction;

namespace vexa {

class UtilTeb : public QToolBar {
    Q_OBJECT
public:
    explicit UtilTeb(QWidget* parent = nullptr);

    // The eight keys in the toolbar's order.
    static const QStringList& claves();
    QAction* boton(const QString& clave) const;
    void setHabilitado(const QString& clave, bool habilitado);
    bool habilitado(const QString& clave) const;

    // The toolbar's shortcut keys (F2 NUEVO, F3 GRABAR, F4 BORRAR, F6 CONSULTAR,
    // F7 PLANILLA, F8 REPORTE, F9 CANCELAR, F10 CERRAR): an enabled button
    // reports its click. True when the key was one of them and acted.
    bool Tecla(int tecla, Qt::KeyboardModifiers modificadores = Qt::NoModifier);

signals:
    void ButtonClick(const QString& clave);
};

} // namespace vexa
