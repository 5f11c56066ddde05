#pragma once
// The toolbars of the windows: the data-form toolbar UtilTeb (each data
// window's UtilTeb1) with the keys NUEVO, GRABAR, BORRAR, CONSULTAR, PLANILLA,
// REPORTE, CANCELAR and CERRAR, and the report toolbar TBarRep (TBarRep.h).
// Each has one enabled state per key, a click signal carrying the key and a key
// method that the window's key-down handler hands its keys to. Each button is a
// QAction named by its key.
#include <QList>
#include <QStringList>
#include <QToolBar>

class QAction;

namespace vexa {

class BarraBotones : public QToolBar {
    Q_OBJECT
public:
    struct Boton {
        const char* clave;
        const char* texto;
        int tecla; // shortcut key
    };

    QAction* boton(const QString& clave) const; // any case
    void setHabilitado(const QString& clave, bool habilitado);
    bool habilitado(const QString& clave) const;

    // The toolbar's shortcut keys: an enabled button reports its click. True
    // when the key was one of them and acted.
    bool Tecla(int tecla, Qt::KeyboardModifiers modificadores = Qt::NoModifier);

signals:
    void ButtonClick(const QString& clave);

protected:
    BarraBotones(const QList<Boton>& botones, const QString& nombre, QWidget* parent);
    static QStringList clavesDe(const QList<Boton>& botones);

private:
    QList<Boton> botones_;
};

class UtilTeb : public BarraBotones {
    Q_OBJECT
public:
    explicit UtilTeb(QWidget* parent = nullptr);
    // The eight keys in the toolbar's order. Shortcuts: F2 NUEVO, F3 GRABAR,
    // F4 BORRAR, F6 CONSULTAR, F7 PLANILLA, F8 REPORTE, F9 CANCELAR, F10 CERRAR.
    static const QStringList& claves();
};

} // namespace vexa
