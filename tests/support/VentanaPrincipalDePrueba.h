#pragma once
// The program's main window over the test's open company, for the tests that
// open a window the way the operator does: by its menu command. The test
// program links vexa_mainwindow and registers the windows it opens.
//
//   VentanaPrincipalDePrueba principal;
//   auto* w = principal.abrir<frmTablas>("MnuArchivosTablas", "frmTablas");
//   escribir(w->TxtFields[0], "12"); tecla(w->TxtFields[0], Qt::Key_Return);
#include "Entorno.h"
#include "MenuPrincipal.h"
#include "frmMDI.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace vexa::prueba {

class VentanaPrincipalDePrueba {
public:
    VentanaPrincipalDePrueba()
    {
        // A company without a name would start its configuration program.
        plataforma::instalarLanzador(&lanzador);
        cargada = ventana.MDIForm_Load();
        ventana.show();
    }
    ~VentanaPrincipalDePrueba()
    {
        // The windows go before the main window (and its connection state).
        const auto hijas = ventana.mdiArea()->subWindowList();
        for (QMdiSubWindow* s : hijas) delete s;
        plataforma::instalarLanzador(nullptr);
    }
    VentanaPrincipalDePrueba(const VentanaPrincipalDePrueba&) = delete;
    VentanaPrincipalDePrueba& operator=(const VentanaPrincipalDePrueba&) = delete;

    // Runs the menu item as a click does and answers the window it opened
    // (nullptr when none of that class is open), shown and active.
    template <class T> T* abrir(const QString& item, const QString& nombre)
    {
        ControladorMenu* menu = ControladorMenu::de(ventana);
        if (!menu) return nullptr;
        menu->ejecutarItem(item);
        auto* w = qobject_cast<T*>(menu->servicios().ventanaAbierta(nombre));
        if (w) {
            QApplication::setActiveWindow(&ventana);
            if (auto* marco = qobject_cast<QMdiSubWindow*>(w->parentWidget())) ventana.mdiArea()->setActiveSubWindow(marco);
            QApplication::processEvents();
        }
        return w;
    }

    frmMDI ventana;
    plataforma::LanzadorGuion lanzador;
    bool cargada = false;
};

// A key pressed on a widget (with the text it types, if any).
inline void tecla(QWidget* w, int k, const QString& texto = QString(), Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyPress, k, m, texto);
    QApplication::sendEvent(w, &e);
    QKeyEvent r(QEvent::KeyRelease, k, m, texto);
    QApplication::sendEvent(w, &r);
}

// Text typed on a widget, one key per character.
inline void escribir(QWidget* w, const QString& texto)
{
    for (QChar c : texto) {
        int k = Qt::Key_unknown;
        if (c >= u'0' && c <= u'9') k = Qt::Key_0 + (c.unicode() - u'0');
        else if (c.toUpper() >= u'A' && c.toUpper() <= u'Z') k = Qt::Key_A + (c.toUpper().unicode() - u'A');
        else if (c == u' ') k = Qt::Key_Space;
        else if (c == u'-') k = Qt::Key_Minus;
        tecla(w, k, QString(c));
    }
}

} // namespace vexa::prueba
