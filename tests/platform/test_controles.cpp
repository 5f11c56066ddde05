// Box arrays of the form-control component: boxes found by data field, and
// the array's handlers called with the index of the box an event reached.
#include "ControlesFormulario.h"
#include "Errores.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace vexa;

namespace {

struct Ventana {
    std::unique_ptr<QWidget> w = std::make_unique<QWidget>();
    ArregloCajas cajas{QStringLiteral("txtbuso")};
    Ventana()
    {
        cajas.agregar(w.get(), {QStringLiteral("CODIGO"), QStringLiteral("ma_bienes")});
        cajas.agregar(w.get(), {QStringLiteral("Fecha_Compra"), QStringLiteral("fecha"), 10});
        cajas.agregar(w.get(), {QStringLiteral("Costo"), QString(), 0, true});
    }
    void tecla(int i, int key, const QString& texto = QString())
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, texto);
        QApplication::sendEvent(cajas[i], &e);
    }
};

} // namespace

TEST(ArregloCajas, CajasPorCampo)
{
    Ventana v;
    ASSERT_EQ(v.cajas.cantidad(), 3);
    EXPECT_EQ(v.cajas[1]->objectName(), QStringLiteral("txtbuso_1"));
    EXPECT_EQ(v.cajas[1]->parentWidget(), v.w.get());
    struct Caso { const char* campo; int indice; };
    for (const Caso& c : {Caso{"codigo", 0}, {"FECHA_COMPRA", 1}, {"costo", 2}, {"Costo ", -1}, {"", -1}})
        EXPECT_EQ(v.cajas.IndiceCampo(QString::fromLatin1(c.campo)), c.indice) << c.campo;
    EXPECT_EQ(v.cajas.campo(QStringLiteral("fecha_compra")), v.cajas[1]);
    EXPECT_THROW(v.cajas.campo(QStringLiteral("SERIE")), ErrorVexa);
    EXPECT_EQ(ArregloCajas::tag(v.cajas[0]), QStringLiteral("ma_bienes"));
    EXPECT_EQ(ArregloCajas::dataField(v.cajas[2]), QStringLiteral("Costo"));
    // The array answers the shared lookup as any field list does.
    EXPECT_EQ(ControlesFormulario::IndiceCampo(v.cajas.cajas(), QStringLiteral("COSTO")), 2);
    EXPECT_EQ(v.cajas[1]->maxLength(), 10);
    EXPECT_EQ(v.cajas[0]->maxLength(), 32767);
    EXPECT_TRUE(v.cajas[2]->alignment() & Qt::AlignRight);
    EXPECT_FALSE(v.cajas[0]->alignment() & Qt::AlignRight);
    EXPECT_EQ(v.cajas.indiceDe(v.cajas[2]), 2);
    EXPECT_EQ(v.cajas.indiceDe(v.w.get()), -1);

    v.cajas[0]->setText("1");
    v.cajas[2]->setText("2");
    v.cajas.LimpiaCampos();
    EXPECT_TRUE(v.cajas[0]->text().isEmpty() && v.cajas[2]->text().isEmpty());

    // A box destroyed with its window leaves an empty place.
    delete v.cajas[1];
    EXPECT_EQ(v.cajas[1], nullptr);
    EXPECT_EQ(v.cajas.IndiceCampo(QStringLiteral("COSTO")), 2);
    v.cajas.LimpiaCampos();
}

TEST(ArregloCajas, TeclasFocoYBotonDerecho)
{
    Ventana v;
    QStringList hechos;
    v.cajas.AlEntrar = [&](int i) { hechos << QStringLiteral("foco %1").arg(i); };
    v.cajas.TeclaAbajo = [&](int i, int& tecla, Qt::KeyboardModifiers) {
        hechos << QStringLiteral("abajo %1 %2").arg(i).arg(tecla);
        if (tecla == Qt::Key_F5) tecla = 0; // handled here: the box never sees it
    };
    v.cajas.TeclaPresionada = [&](int i, int& codigo) {
        hechos << QStringLiteral("tecla %1 %2").arg(i).arg(codigo);
        if (codigo == 'x') codigo = 0;
        else if (QChar(codigo).isLower()) codigo = QChar(codigo).toUpper().unicode();
    };
    v.cajas.BotonDerecho = [&](int i) { hechos << QStringLiteral("derecho %1").arg(i); };

    QFocusEvent foco(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(v.cajas[2], &foco);
    // Down, then the character: replaced, swallowed or typed as it came.
    v.tecla(2, Qt::Key_A, "a");
    v.tecla(2, Qt::Key_X, "x");
    v.tecla(2, Qt::Key_1, "1");
    v.tecla(2, Qt::Key_F5);
    EXPECT_EQ(v.cajas[2]->text(), QStringLiteral("A1"));
    // The right button opens nothing of the box's own.
    QMouseEvent clic(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(v.cajas[0], &clic);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
    EXPECT_TRUE(!QApplication::sendEvent(v.cajas[0], &menu) || menu.isAccepted());
    EXPECT_EQ(hechos, (QStringList{"foco 2", QStringLiteral("abajo 2 %1").arg(Qt::Key_A), "tecla 2 97",
                                   QStringLiteral("abajo 2 %1").arg(Qt::Key_X), "tecla 2 120",
                                   QStringLiteral("abajo 2 %1").arg(Qt::Key_1), "tecla 2 49",
                                   QStringLiteral("abajo 2 %1").arg(Qt::Key_F5), "derecho 0"}));

    // A replaced character still obeys the box's length.
    v.cajas[1]->setText("0123456789");
    v.cajas[1]->setCursorPosition(10);
    v.tecla(1, Qt::Key_A, "a");
    EXPECT_EQ(v.cajas[1]->text(), QStringLiteral("0123456789"));
}

TEST(ArregloCajas, FiltroDeCaracteres)
{
    QLineEdit numero, fecha, libre;
    numero.setProperty(ControlesFormulario::propiedadFiltro(), QStringLiteral("NUMERO"));
    fecha.setProperty(ControlesFormulario::propiedadFiltro(), QStringLiteral("FECHA"));
    struct Caso { QLineEdit* caja; int codigo; int queda; };
    const Caso casos[] = {
        {&numero, '5', '5'}, {&numero, '-', '-'}, {&numero, 'a', 0}, {&numero, '/', 0}, {&numero, 8, 8},
        {&fecha, '/', '/'}, {&fecha, '+', 0}, {&libre, 'a', 'a'}, {&libre, 0x00D1, 0x00D1},
    };
    for (const Caso& c : casos) EXPECT_EQ(ControlesFormulario::FiltraTecla(c.caja, c.codigo), c.queda) << c.codigo;
}
