// The data-form toolbar: its eight keys, one enabled state per key, the click
// signal carrying the key and the key method.
#include "UtilTeb.h"

#include <QAction>

#include <gtest/gtest.h>

using namespace vexa;

TEST(UtilTeb, TeclasEstadosYClic)
{
    UtilTeb t;
    EXPECT_EQ(t.objectName(), QStringLiteral("UtilTeb1"));
    EXPECT_EQ(UtilTeb::claves(), (QStringList{"NUEVO", "GRABAR", "BORRAR", "CONSULTAR", "PLANILLA", "REPORTE", "CANCELAR", "CERRAR"}));
    QStringList clics;
    QObject::connect(&t, &UtilTeb::ButtonClick, [&](const QString& k) { clics << k; });
    for (const QString& k : UtilTeb::claves()) {
        ASSERT_TRUE(t.boton(k.toLower())) << k.toStdString();
        EXPECT_EQ(t.boton(k)->objectName(), k);
        t.boton(k)->trigger();
    }
    EXPECT_EQ(clics, UtilTeb::claves());

    struct Caso {
        int tecla;
        Qt::KeyboardModifiers mod;
        bool habilitado;
        const char* clic; // nullptr: the key does nothing
    };
    const Caso casos[] = {
        {Qt::Key_F3, Qt::NoModifier, true, "GRABAR"},
        {Qt::Key_F3, Qt::NoModifier, false, nullptr}, // a disabled button does not act
        {Qt::Key_F7, Qt::NoModifier, true, "PLANILLA"},
        {Qt::Key_F10, Qt::NoModifier, true, "CERRAR"},
        {Qt::Key_F10, Qt::ControlModifier, true, nullptr},
        {Qt::Key_A, Qt::NoModifier, true, nullptr},
    };
    for (const Caso& c : casos) {
        clics.clear();
        for (const QString& k : UtilTeb::claves()) t.setHabilitado(k, c.habilitado);
        EXPECT_EQ(t.Tecla(c.tecla, c.mod), c.clic != nullptr);
        EXPECT_EQ(clics, c.clic ? QStringList{QString::fromLatin1(c.clic)} : QStringList{});
    }
    t.setHabilitado("planilla", false);
    EXPECT_FALSE(t.habilitado("PLANILLA"));
    EXPECT_TRUE(t.habilitado("CERRAR"));
    t.setEnabled(false); // the whole toolbar off: no key acts
    EXPECT_FALSE(t.Tecla(Qt::Key_F10));
}
