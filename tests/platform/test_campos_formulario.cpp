// The field machinery of the data windows: Enter through the window's rule,
// lookups by tag, the key filter and upper-case rule, selection on focus.
#include "CamposFormulario.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace vexa;

namespace {

struct Formulario {
    std::unique_ptr<QWidget> w = std::make_unique<QWidget>();
    bool mayusculas = true;
    ArregloCajas cajas{QStringLiteral("txtbuso")};
    CamposFormulario campos{nullptr, mayusculas};
    QStringList validados;   // data fields checked, in order
    QStringList refusa;      // data fields the rule refuses
    int consultas = 0;       // F5 and right button
    QList<int> entradas;     // alEntrar
    Formulario()
    {
        cajas.agregar(w.get(), {QStringLiteral("CODIGO"), QStringLiteral("ma_bienes")});
        cajas.agregar(w.get(), {QStringLiteral("Fecha"), QStringLiteral(" fecha "), 10});
        cajas.agregar(w.get(), {QStringLiteral("Costo"), QString()})->setProperty(ControlesFormulario::propiedadFiltro(), QStringLiteral("NUMERO"));
        cajas.agregar(w.get(), {QStringLiteral("Detalle"), QString()});
        campos.atender(
            cajas,
            [this](int i) {
                const QString c = ArregloCajas::dataField(cajas[i]);
                validados << c;
                return !refusa.contains(c);
            },
            [this] { ++consultas; }, [this](int i) { entradas << i; }, {QStringLiteral("detalle")});
        w->show();
    }
    bool tecla(int i, int key, const QString& texto = QString())
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, texto);
        QApplication::sendEvent(cajas[i], &e);
        return e.isAccepted();
    }
    void foco(int i)
    {
        QFocusEvent e(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(cajas[i], &e);
    }
};

} // namespace

TEST(CamposFormulario, EnterValidaYAvanzaSoloSiPasa)
{
    Formulario f;
    f.foco(0);
    f.tecla(0, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(f.validados, QStringList{QStringLiteral("CODIGO")});
    EXPECT_EQ(f.w->focusWidget(), f.cajas[1]);
    f.refusa << QStringLiteral("Fecha");
    f.tecla(1, Qt::Key_Enter, QStringLiteral("\r"));
    EXPECT_EQ(f.validados.last(), QStringLiteral("Fecha"));
    EXPECT_EQ(f.w->focusWidget(), f.cajas[1]); // refused: the focus stays
    EXPECT_TRUE(f.cajas[1]->text().isEmpty());          // and Enter types nothing
}

TEST(CamposFormulario, F5YBotonDerechoAbrenLaConsulta)
{
    Formulario f;
    f.tecla(0, Qt::Key_F5);
    QMouseEvent derecho(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(f.cajas[2], &derecho);
    EXPECT_EQ(f.consultas, 2);
    // An array without lookups: F5 is an ordinary key.
    ArregloCajas otra(QStringLiteral("txtCalculo"));
    otra.agregar(f.w.get(), {QStringLiteral("MESES"), QString()});
    int validados = 0;
    f.campos.atender(otra, [&](int) { return ++validados > 0; });
    QKeyEvent e(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(otra[0], &e);
    EXPECT_EQ(f.consultas, 2);
    EXPECT_FALSE(bool(otra.BotonDerecho));
}

TEST(CamposFormulario, ConsultaPorTagLlenaYValida)
{
    Formulario f;
    std::optional<QString> respuesta = QStringLiteral("01/07/2026");
    QStringList pedidos;
    f.campos.consulta(QStringLiteral("FECHA"), [&](QLineEdit* caja) {
        pedidos << ArregloCajas::dataField(caja);
        return respuesta;
    });
    struct Caso { int indice; std::optional<QString> respuesta; bool elegido; const char* texto; int validados; };
    const Caso casos[] = {
        {1, QStringLiteral("01/07/2026"), true, "01/07/2026", 1}, // the tag matches without case or blanks
        {1, std::nullopt, false, "01/07/2026", 0},                // nothing chosen: the box stays
        {1, QStringLiteral(" "), false, " ", 0},                  // a blank answer fills the box, unchecked
        {0, QStringLiteral("9"), false, "", 0},                   // a tag without a lookup
        {2, QStringLiteral("9"), false, "", 0},                   // a box without a tag
        {7, QStringLiteral("9"), false, "", 0},                   // no such box
    };
    for (const Caso& c : casos) {
        respuesta = c.respuesta;
        f.validados.clear();
        if (c.indice < f.cajas.cantidad() && c.indice != 1) f.cajas[c.indice]->clear();
        EXPECT_EQ(f.campos.Consultar(f.cajas, c.indice), c.elegido) << c.indice;
        if (c.indice < f.cajas.cantidad()) {
            EXPECT_EQ(f.cajas[c.indice]->text(), QString::fromLatin1(c.texto)) << c.indice;
        }
        EXPECT_EQ(f.validados.size(), c.validados) << c.indice;
    }
    EXPECT_EQ(pedidos.size(), 3);
}

TEST(CamposFormulario, FiltroYMayusculas)
{
    Formulario f;
    struct Caso { int indice; bool mayusculas; int codigo; int resultado; };
    const Caso casos[] = {
        {3, true, 'a', 'A'},  {3, true, 0xF1, 0xD1}, {3, false, 'a', 'a'}, {3, true, '#', '#'},
        {2, true, 'a', 0},    {2, true, '5', '5'},   {2, true, ',', ','},
    };
    for (const Caso& c : casos) {
        f.mayusculas = c.mayusculas;
        EXPECT_EQ(f.campos.Tecla(f.cajas[c.indice], c.codigo), c.resultado) << c.indice << " " << c.codigo;
    }
    f.mayusculas = true;
    f.cajas[3]->setFocus();
    f.tecla(3, Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(f.cajas[3]->text(), QStringLiteral("A"));
    f.tecla(2, Qt::Key_A, QStringLiteral("a"));
    EXPECT_TRUE(f.cajas[2]->text().isEmpty());
}

TEST(CamposFormulario, SeleccionAlEntrar)
{
    Formulario f;
    f.cajas[0]->setText(QStringLiteral("123"));
    f.cajas[3]->setText(QStringLiteral("texto"));
    f.foco(0);
    EXPECT_EQ(f.cajas[0]->selectedText(), QStringLiteral("123"));
    f.foco(3);
    EXPECT_EQ(f.entradas, (QList<int>{0, 3}));
    QApplication::processEvents();
    EXPECT_TRUE(f.cajas[3]->selectedText().isEmpty());
}

// An array that tells its lookup the box, leaves the selection to the line
// edit and keeps one field out of the upper-case rule.
TEST(CamposFormulario, ConsultaPorCajaSinSeleccionNiMayusculas)
{
    auto w = std::make_unique<QWidget>();
    bool mayusculas = true;
    ArregloCajas cajas(QStringLiteral("TxtFields"));
    cajas.agregar(w.get(), {QStringLiteral("Interface"), QStringLiteral("MA_INTERFACES")});
    cajas.agregar(w.get(), {QStringLiteral("Archivo"), QStringLiteral("MA_INTERFACES")});
    CamposFormulario campos(nullptr, mayusculas);
    QList<int> consultadas, entradas;
    CamposFormulario::Arreglo reglas;
    reglas.valida = [](int) { return true; };
    reglas.consultar = [&](int i) { consultadas << i; };
    reglas.alEntrar = [&](int i) { entradas << i; };
    reglas.seleccionar = false;
    reglas.sinMayusculas = {QStringLiteral("archivo")};
    campos.atender(cajas, std::move(reglas));
    w->show();

    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(cajas[1], &f5);
    QMouseEvent derecho(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(cajas[0], &derecho);
    EXPECT_EQ(consultadas, (QList<int>{1, 0}));

    cajas[0]->setText(QStringLiteral("ventas"));
    QFocusEvent foco(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(cajas[0], &foco);
    QApplication::processEvents();
    ASSERT_FALSE(entradas.isEmpty());
    EXPECT_EQ(entradas.last(), 0);
    EXPECT_TRUE(cajas[0]->selectedText().isEmpty());

    // Characters sent alone (no key code), as a test or an input method sends them.
    struct Caso { int indice; const char* tipeado; const char* texto; };
    const Caso casos[] = {{0, "ab", "AB"}, {1, "Ab/c", "Ab/c"}};
    for (const Caso& c : casos) {
        cajas[c.indice]->clear();
        for (QChar ch : QString::fromLatin1(c.tipeado)) {
            QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(cajas[c.indice], &e);
        }
        EXPECT_EQ(cajas[c.indice]->text(), QString::fromLatin1(c.texto)) << c.indice;
    }
}
