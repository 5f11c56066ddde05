// The editable grid: opening the cell editor, the key filter and upper-case
// rule (typed and pasted), every way an edit reaches its cell, the movement
// keys the window routes, and the focus-out report.
#include "GrillaEditable.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace vexa;

namespace {

void tecla(QWidget* w, int k, const QString& texto = QString(), Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyPress, k, m, texto);
    QApplication::sendEvent(w, &e);
}

void escribir(QWidget* w, const QString& s)
{
    for (QChar c : s) tecla(w, c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_A, QString(c));
}

void dobleClic(GrillaEditable& g, int fila, int col)
{
    const QPoint p = g.visualRect(g.model()->index(fila, col)).center();
    QMouseEvent e(QEvent::MouseButtonDblClick, p, g.viewport()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &e);
}

// Nine columns as the index table has them: month, then value / coefficient
// pairs; the values take digits and one decimal mark.
struct Grilla {
    QWidget ventana;
    GrillaEditable* g = new GrillaEditable(&ventana);
    QList<QPair<int, int>> confirmadas;
    Grilla(int filas = 12)
    {
        auto* l = new QVBoxLayout(&ventana);
        l->addWidget(g);
        std::vector<ColumnaGrilla> c;
        c.push_back({QStringLiteral("Mes"), {}, QStringLiteral("Mes"), 12, false, false});
        for (int k = 1; k <= 4; ++k) {
            c.push_back({QStringLiteral("Serie %1").arg(k), {}, QStringLiteral("IMPORTE%1").arg(k), 0, true, false});
            c.push_back({QStringLiteral("Coef."), {}, QStringLiteral("Indice%1").arg(k), 0, false, false});
        }
        g->setColumnas(c);
        g->setRowCount(filas);
        for (int f = 0; f < filas; ++f) g->setCelda(f, 0, f + 1, QStringLiteral("Mes %1").arg(f + 1));
        g->FiltroTecla = [](int, QChar& c, const QString& t) {
            if (c.isDigit()) return true;
            return (c == u'.' || c == u',') && !t.contains(u'.') && !t.contains(u',');
        };
        QObject::connect(g, &GrillaEditable::celdaConfirmada, [this](int f, int c) { confirmadas << qMakePair(f, c); });
        ventana.resize(700, 420);
        ventana.show();
    }
    QLineEdit* ed() { return g->editor(); }
};

} // namespace

TEST(GrillaEditable, AbrirElEditor)
{
    struct Caso {
        const char* que;
        int fila, col;
        std::function<void(Grilla&)> accion;
        bool abre;
        const char* texto;
        int cursor;
    };
    const Caso casos[] = {
        {"un dígito abre con él", 2, 3, [](Grilla& t) { escribir(t.g, "1"); }, true, "1", 1},
        {"una letra, refusada, no abre", 2, 3, [](Grilla& t) { escribir(t.g, "x"); }, false, "", 0},
        {"espacio abre con el texto", 2, 3, [](Grilla& t) { tecla(t.g, Qt::Key_Space, " "); }, true, "105.5", 5},
        {"doble clic abre con el texto", 2, 3, [](Grilla& t) { dobleClic(*t.g, 2, 3); }, true, "105.5", 5},
        {"columna de coeficiente", 2, 4, [](Grilla& t) { escribir(t.g, "1"); }, false, "", 0},
        {"columna del mes", 2, 0, [](Grilla& t) { dobleClic(*t.g, 2, 0); }, false, "", 0},
        {"Enter mueve sin abrir", 2, 3, [](Grilla& t) { tecla(t.g, Qt::Key_Return); }, false, "", 0},
        {"Enter abre en celda vacía si la columna lo pide", 2, 5,
         [](Grilla& t) {
             t.g->columna(5).EditarSiVacio = true;
             tecla(t.g, Qt::Key_Return);
         },
         true, "", 0},
        {"Enter abre cuando la ventana lo dice", 2, 3,
         [](Grilla& t) {
             t.g->enterAbreEditor = true;
             tecla(t.g, Qt::Key_Return);
         },
         true, "105.5", 5},
        {"Escape no abre", 2, 3, [](Grilla& t) { tecla(t.g, Qt::Key_Escape); }, false, "", 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        Grilla t;
        t.g->setCelda(2, 3, 105.5, QStringLiteral("105.5"));
        t.g->setCurrentCell(c.fila, c.col);
        c.accion(t);
        EXPECT_EQ(t.g->editando(), c.abre);
        EXPECT_EQ(t.ed()->isVisible(), c.abre);
        if (!c.abre) continue;
        EXPECT_EQ(t.ed()->text(), QString::fromUtf8(c.texto));
        EXPECT_EQ(t.ed()->cursorPosition(), c.cursor);
        EXPECT_EQ(t.ed()->geometry(), t.g->visualRect(t.g->model()->index(c.fila, c.col)));
        EXPECT_EQ(t.ed()->property("DataField").toString(), t.g->columna(c.col).Campo);
        EXPECT_EQ(t.g->filaEditor(), c.fila);
        EXPECT_EQ(t.g->columnaEditor(), c.col);
    }
}

TEST(GrillaEditable, FiltroYMayusculasAlEscribirYPegar)
{
    Grilla t;
    t.g->setCurrentCell(0, 1);
    escribir(t.g, "1");
    escribir(t.ed(), "2a,5.7,");
    EXPECT_EQ(t.ed()->text(), "12,57"); // the letter and the second mark dropped

    // A paste is checked whole: one refused character refuses it.
    t.ed()->clear();
    QApplication::clipboard()->setText(QStringLiteral("3.5x"));
    t.ed()->paste();
    EXPECT_EQ(t.ed()->text(), "");
    QApplication::clipboard()->setText(QStringLiteral("3.5"));
    t.ed()->paste();
    EXPECT_EQ(t.ed()->text(), "3.5");

    // The upper-case rule after the filter; a window filter may change a character.
    Grilla u;
    u.g->FiltroTecla = [](int, QChar& c, const QString&) {
        if (c == u'-') c = u'_';
        return c != u'!';
    };
    u.g->ReglaMayusculas = [](QChar c) { return c.toUpper(); };
    u.g->setCurrentCell(0, 1);
    escribir(u.g, "a");
    escribir(u.ed(), "b-!c");
    EXPECT_EQ(u.ed()->text(), "AB_C");
    u.ed()->clear();
    QApplication::clipboard()->setText(QStringLiteral("xy-z"));
    u.ed()->paste();
    EXPECT_EQ(u.ed()->text(), "XY_Z");
}

TEST(GrillaEditable, LaEdicionLlegaASuCelda)
{
    struct Caso {
        const char* que;
        std::function<void(Grilla&)> accion;
        bool confirma;
        QPair<int, int> actual; // current cell afterwards
    };
    const Caso casos[] = {
        {"Enter", [](Grilla& t) { tecla(t.ed(), Qt::Key_Return); }, true, {3, 3}},
        {"Enter del teclado numérico", [](Grilla& t) { tecla(t.ed(), Qt::Key_Enter, {}, Qt::KeypadModifier); }, true, {3, 3}},
        {"otra celda", [](Grilla& t) { t.g->setCurrentCell(7, 5); }, true, {7, 5}},
        {"la ventana lo pide", [](Grilla& t) { EXPECT_TRUE(t.g->confirmarEdicion()); }, true, {3, 1}},
        {"la grilla toma el foco", [](Grilla& t) {
             QFocusEvent e(QEvent::FocusIn, Qt::MouseFocusReason);
             QApplication::sendEvent(t.g, &e);
         }, true, {3, 1}},
        {"desplazamiento: avanza como Enter", [](Grilla& t) {
             t.g->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
         }, true, {3, 3}},
        {"Escape dado a la rutina: sin confirmar", [](Grilla& t) { t.g->MSFlex_EditKeyCode(Qt::Key_Escape); }, false, {3, 1}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        Grilla t;
        t.ventana.resize(700, 160); // rows below the fold: the grid scrolls
        t.g->setCelda(3, 1, 100.0, QStringLiteral("100"));
        t.g->setCurrentCell(3, 1);
        tecla(t.g, Qt::Key_Space, QStringLiteral(" "));
        ASSERT_TRUE(t.g->editando());
        t.ed()->setText(QStringLiteral("120,5"));
        c.accion(t);
        EXPECT_FALSE(t.g->editando());
        EXPECT_FALSE(t.ed()->isVisible());
        EXPECT_EQ(t.g->texto(3, 1), c.confirma ? "120,5" : "100");
        EXPECT_EQ(t.g->valor(3, 1), c.confirma ? QVariant(QStringLiteral("120,5")) : QVariant(100.0));
        const QList<QPair<int, int>> esperadas = c.confirma ? QList<QPair<int, int>>{{3, 1}} : QList<QPair<int, int>>{};
        EXPECT_EQ(t.confirmadas, esperadas);
        EXPECT_EQ(qMakePair(t.g->currentRow(), t.g->currentColumn()), c.actual);
        EXPECT_FALSE(t.g->confirmarEdicion()); // nothing open any more
    }
}

TEST(GrillaEditable, MovimientoYTeclasDeLaVentana)
{
    // Enter walks the editable columns, then column 1 of the next row; the last
    // row keeps its row (or grows the grid when the window asks).
    Grilla t;
    QList<QPair<int, int>> camino;
    t.g->setCurrentCell(4, 1);
    for (int i = 0; i < 5; ++i) {
        escribir(t.g, "9");
        tecla(t.ed(), Qt::Key_Return);
        camino << qMakePair(t.g->currentRow(), t.g->currentColumn());
    }
    EXPECT_EQ(camino, (QList<QPair<int, int>>{{4, 3}, {4, 5}, {4, 7}, {5, 1}, {5, 3}}));
    EXPECT_EQ(t.g->texto(4, 7), "9");
    t.g->setCurrentCell(11, 7);
    tecla(t.g, Qt::Key_Return);
    EXPECT_EQ(qMakePair(t.g->currentRow(), t.g->currentColumn()), qMakePair(11, 1));
    t.g->setCurrentCell(6, 8); // Enter on the last column: next row
    tecla(t.g, Qt::Key_Return);
    EXPECT_EQ(qMakePair(t.g->currentRow(), t.g->currentColumn()), qMakePair(7, 1));

    Grilla crece(3);
    crece.g->ultimaFila = GrillaEditable::UltimaFila::AgregarFila;
    crece.g->setCurrentCell(2, 5);
    crece.g->MSFlex_EditKeyCode(Qt::Key_Down);
    EXPECT_EQ(crece.g->rowCount(), 4);
    EXPECT_EQ(qMakePair(crece.g->currentRow(), crece.g->currentColumn()), qMakePair(3, 1));

    // Only the keys the window routes reach its routine; the others act in the editor.
    Grilla r;
    QList<int> recibidas;
    r.g->Movimiento = [&](int k) {
        recibidas << k;
        r.g->MSFlex_EditKeyCode(k);
    };
    r.g->setCurrentCell(5, 3);
    escribir(r.g, "7");
    for (int k : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Escape}) tecla(r.ed(), k);
    EXPECT_TRUE(r.g->editando());
    EXPECT_TRUE(recibidas.isEmpty());
    r.g->teclasMovimiento = GrillaEditable::TeclaEnter | GrillaEditable::TeclaArriba | GrillaEditable::TeclaAbajo;
    tecla(r.ed(), Qt::Key_Up);
    EXPECT_EQ(recibidas, QList<int>{Qt::Key_Up});
    EXPECT_EQ(qMakePair(r.g->currentRow(), r.g->currentColumn()), qMakePair(4, 3));
    EXPECT_EQ(r.g->texto(5, 3), "7");

    // The window's check on Enter keeps a refused edit open.
    bool acepta = false;
    r.g->ValidarEnter = [&](int f, int c, const QString& s) {
        EXPECT_EQ(qMakePair(f, c), qMakePair(4, 3));
        EXPECT_EQ(s, "8");
        return acepta;
    };
    escribir(r.g, "8");
    tecla(r.ed(), Qt::Key_Return);
    EXPECT_TRUE(r.g->editando());
    acepta = true;
    tecla(r.ed(), Qt::Key_Return);
    EXPECT_FALSE(r.g->editando());
    EXPECT_EQ(r.g->texto(4, 3), "8");
    EXPECT_EQ(qMakePair(r.g->currentRow(), r.g->currentColumn()), qMakePair(4, 5));
}

TEST(GrillaEditable, ElEditorInformaQuePierdeElFoco)
{
    Grilla t;
    QList<QPair<int, int>> salidas;
    QObject::connect(t.g, &GrillaEditable::editorPerdioFoco, [&](int f, int c) { salidas << qMakePair(f, c); });
    t.ventana.activateWindow();
    QApplication::setActiveWindow(&t.ventana);
    QApplication::processEvents();
    t.g->setCurrentCell(2, 5);
    escribir(t.g, "4");
    ASSERT_TRUE(t.ed()->hasFocus());
    t.g->MSFlex_EditKeyCode(Qt::Key_Escape); // also when the edit is dropped
    EXPECT_EQ(salidas, (QList<QPair<int, int>>{{2, 5}}));
    EXPECT_TRUE(t.g->hasFocus());
    EXPECT_EQ(t.ed()->text(), "4"); // the window may still read what was typed
    escribir(t.g, "6");
    tecla(t.ed(), Qt::Key_Return);
    EXPECT_EQ(salidas, (QList<QPair<int, int>>{{2, 5}, {2, 5}}));
    EXPECT_EQ(t.g->texto(2, 5), "6");
}

TEST(GrillaEditable, CeldasConValorYFondo)
{
    Grilla t;
    t.g->setAlineacion(2, Qt::AlignRight | Qt::AlignBottom);
    t.g->setCelda(0, 2, 1.0 / 3.0, QStringLiteral(" 0.333"));
    t.g->setFondo(0, 2, Qt::cyan);
    EXPECT_EQ(t.g->valor(0, 2).toDouble(), 1.0 / 3.0); // the figure, not its display
    EXPECT_EQ(t.g->texto(0, 2), " 0.333");
    EXPECT_EQ(t.g->item(0, 2)->background().color(), QColor(Qt::cyan));
    EXPECT_EQ(Qt::Alignment(t.g->item(0, 2)->textAlignment()), Qt::AlignRight | Qt::AlignBottom);
    EXPECT_FALSE(t.g->item(0, 2)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(t.g->horizontalHeaderItem(3)->text(), "Serie 2");
    t.g->setCurrentCell(0, 1);
    escribir(t.g, "5");
    t.g->vaciarCeldas();
    EXPECT_FALSE(t.g->editando());
    EXPECT_EQ(t.g->texto(0, 2), "");
    EXPECT_FALSE(t.g->valor(0, 2).isValid());
    EXPECT_EQ(t.g->rowCount(), 12);
}
