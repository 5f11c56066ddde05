// The daily rate table window offscreen, today fixed, with scripted message
// boxes: the fill on opening, what the grid shows, editing a rate and writing
// its row, the toolbar and closing.
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "DespachoMenu.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "FrmTaCotizacion.h"
#include "GrillaEditable.h"
#include "RegistroVentanas.h"
#include "UtilTeb.h"
#include "VentanasCotizacion.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>

using namespace vexa;
using namespace vexa::prueba;
using plataforma::GuionDialogos;

namespace {

void tecla(QWidget* w, int k, const QString& texto = QString())
{
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &e);
}

void escribir(QWidget* w, const QString& s)
{
    for (QChar c : s) {
        const int k = c.isDigit() ? Qt::Key_0 + c.digitValue() : c == u',' ? Qt::Key_Comma : c == u'.' ? Qt::Key_Period : Qt::Key_A;
        tecla(w, k, QString(c));
    }
}

// Typing into a cell: the first key opens the editor, the rest go to it.
void escribirCelda(GrillaEditable* g, const QString& s)
{
    escribir(g, s.left(1));
    if (s.size() > 1) escribir(g->editor(), s.mid(1));
}

void dobleClic(GrillaEditable* g, int fila, int col)
{
    const QPoint p = g->visualRect(g->model()->index(fila, col)).center();
    QMouseEvent e(QEvent::MouseButtonDblClick, p, g->viewport()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g->viewport(), &e);
}

void activar(QWidget& w)
{
    w.show();
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
}

QStringList mostrados(const GuionDialogos& d)
{
    QStringList r;
    for (const auto& m : d.mostrados) r << QStringLiteral("%1|%2|%3").arg(m.texto).arg(m.estilo).arg(m.titulo);
    return r;
}

void fijar(Conexion& c, const QString& clave, const QVariant& valor)
{
    c.EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE = ?", {clave});
    if (!valor.isNull()) c.Insertar("TA_CONFIGURACION", {{"CLAVE", clave}, {"VALOR", valor}});
}

void dia(Conexion& c, const QDateTime& fh, const QList<QVariant>& tasas)
{
    Valores v{{"FECHA_HORA", fh}};
    for (int i = 0; i < 5; ++i)
        v.push_back({QStringLiteral("Moneda%1").arg(i + 1),
                     i < tasas.size() && !tasas[i].isNull() ? QVariant::fromValue(*Moneda::parsear(tasas[i].toString())) : QVariant()});
    c.Insertar("TA_COTIZACION", v);
}

// A grid row as its cell texts joined by '|'.
QString fila(GrillaEditable* g, int f)
{
    QStringList t;
    for (int c = 1; c < g->columnCount(); ++c) t << g->texto(f, c);
    return t.join('|');
}

// Each row of the table by day: "dd/MM HH:mm=r1/r2/r3/r4/r5" ("-" empty).
QStringList tabla(Conexion& c)
{
    QStringList r;
    for (auto rs = c.ObtenerRecordset("SELECT * FROM TA_COTIZACION ORDER BY FECHA_HORA"); !rs.eof(); rs.siguiente()) {
        QStringList t;
        for (int i = 1; i <= 5; ++i) {
            const QString col = QStringLiteral("Moneda%1").arg(i);
            t << (rs.esNulo(col) ? QStringLiteral("-") : rs.moneda(col).texto(2));
        }
        r << rs.fila().fechaHora("FECHA_HORA").toString("dd/MM HH:mm") + "=" + t.join('/');
    }
    return r;
}

class TablaCotizaciones : public BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        plataforma::fijarAhora(QDateTime(QDate(2027, 3, 10), QTime(9, 0)));
        con().Insertar("MV_EJERCICIOS", {{"PERIODO", 3}, {"DESCRIPCION", "E3"}, {"[FECHA DESDE]", QDate(2027, 3, 1)},
                                         {"[FECHA HASTA]", QDate(2028, 2, 29)}});
        fijar(con(), "PERIODO", "3");
        fijar(con(), "[FECHA DESDE]", "01/03/2027");
        const char* nombres[] = {"Pesos", "Dólares", "Euros", "Reales", "Yenes"};
        for (int i = 0; i < 5; ++i)
            con().Insertar("TA_MONEDAS", {{"CODIGO", QString::number(i + 1)}, {"DESCRIPCION", QString::fromUtf8(nombres[i])}});
        ctx = std::make_unique<ContextoEmpresa>(con());
    }
    void TearDown() override
    {
        ctx.reset();
        plataforma::fijarAhora(QDateTime());
        BaseDePrueba::TearDown();
    }
    std::unique_ptr<ContextoEmpresa> ctx;
};

} // namespace

TEST_P(TablaCotizaciones, RangoEncabezadosYFilaVacia)
{
    dia(con(), QDateTime(QDate(2027, 2, 28), QTime(23, 0)), {"9", "9"}); // before "[FECHA DESDE]"
    dia(con(), QDateTime(QDate(2027, 3, 1), QTime(0, 0)), {"1", "1050.5", QVariant(), "2", "3"});
    dia(con(), QDateTime(QDate(2027, 3, 10), QTime(14, 30)), {"1", "1060"}); // today at 14:30: shown
    dia(con(), QDateTime(QDate(2027, 3, 11), QTime(0, 0)), {"1", "1070"}); // after today
    GuionDialogos dlg;
    for (const char* usa : {"NO", "si"}) {
        SCOPED_TRACE(usa);
        fijar(con(), "UsaMultilesMonedas", usa);
        FrmTaCotizacion w(*ctx);
        GrillaEditable* g = w.MSFlexGrid1;
        EXPECT_EQ(w.windowTitle(), "Tabla diaria de Cotización");
        QStringList titulos;
        for (int c = 0; c < g->columnCount(); ++c) titulos << g->horizontalHeaderItem(c)->text();
        EXPECT_EQ(titulos, QStringList({"Id", "Fecha-Hora", "PESOS", "DÓLARES", "EUROS", "REALES", "YENES"}));
        EXPECT_TRUE(g->isColumnHidden(2));
        if (QString(usa) == "NO") {
            // Only the days from "[FECHA DESDE]" to today (a row today at 14:30
            // included), newest first, then one empty row.
            ASSERT_EQ(g->rowCount(), 3);
            EXPECT_EQ(fila(g, 0), "10/03/2027 14:30|1|1060|||");
            EXPECT_EQ(fila(g, 1), "01/03/2027|1|1050.5||2|3");
            EXPECT_EQ(fila(g, 2), "|||||");
            EXPECT_EQ(g->texto(2, 0), "");
        } else {
            // The newest row is today: nothing to fill.
            EXPECT_EQ(g->rowCount(), 3);
        }
        for (const QString& k : UtilTeb::claves())
            EXPECT_EQ(w.UtilTeb1->habilitado(k), k == "GRABAR" || k == "CERRAR" || k == "CANCELAR") << k.toStdString();
    }
    EXPECT_TRUE(dlg.mostrados.isEmpty());
}

TEST_P(TablaCotizaciones, AlAbrirLlenaLosDiasHastaHoy)
{
    fijar(con(), "UsaMultilesMonedas", " SI ");
    dia(con(), QDateTime(QDate(2027, 3, 6), QTime(0, 0)), {"1", "1050", QVariant(), "2", "3"});
    dia(con(), QDateTime(QDate(2027, 3, 12), QTime(0, 0)), {"1", "9"}); // after today: untouched
    GuionDialogos dlg;
    FrmTaCotizacion w(*ctx);
    GrillaEditable* g = w.MSFlexGrid1;
    ASSERT_EQ(g->rowCount(), 6);
    EXPECT_EQ(fila(g, 0), "10/03/2027|1|1050|1|2|3"); // an empty rate carries the run's 1
    EXPECT_EQ(fila(g, 4), "06/03/2027|1|1050||2|3");
    EXPECT_EQ(tabla(con()).size(), 6);
    EXPECT_EQ(tabla(con()).last(), "12/03 00:00=1.00/9.00/-/-/-");
    // A table empty from the year's first day.
    con().EjecutarSQL("DELETE FROM TA_COTIZACION");
    FrmTaCotizacion v(*ctx);
    EXPECT_EQ(v.MSFlexGrid1->rowCount(), 11);
    EXPECT_EQ(fila(v.MSFlexGrid1, 9), "01/03/2027|1|1|1|1|1");
    EXPECT_TRUE(dlg.mostrados.isEmpty());
}

TEST_P(TablaCotizaciones, AbrirElEditor)
{
    fijar(con(), "UsaMultilesMonedas", "NO");
    dia(con(), QDateTime(QDate(2027, 3, 9), QTime(0, 0)), {"1", "2", "3", "4", "5"});
    dia(con(), QDateTime(QDate(2027, 3, 8), QTime(0, 0)), {"1", "2", "3", "4", "5"});
    GuionDialogos dlg;
    FrmTaCotizacion w(*ctx);
    activar(w);
    GrillaEditable* g = w.MSFlexGrid1;
    QLineEdit* ed = g->editor();
    // Id, day and the hidden first currency never open.
    for (int c : {0, 1, 2}) {
        g->setCurrentCell(0, c);
        escribir(g, "7");
        tecla(g, Qt::Key_Return);
        dobleClic(g, 0, c);
        w.MsflexGridEdt(32);
        EXPECT_FALSE(g->editando()) << c;
    }
    // A typed "7" opens holding "7", caret after it; a second mark is dropped.
    g->setCurrentCell(0, 3);
    escribir(g, "7");
    ASSERT_TRUE(g->editando());
    EXPECT_EQ(ed->text(), "7");
    EXPECT_EQ(ed->cursorPosition(), 1);
    escribir(ed, ",.5,");
    EXPECT_EQ(ed->text(), "7.5");
    w.EditKeyCode(Qt::Key_Escape);
    EXPECT_FALSE(g->editando());
    EXPECT_EQ(g->texto(0, 3), "7.5"); // Escape does not undo
    // A double click or Enter opens holding the cell's text, caret at the end.
    dobleClic(g, 0, 4);
    ASSERT_TRUE(g->editando());
    EXPECT_EQ(ed->text(), "3");
    EXPECT_EQ(ed->cursorPosition(), 1);
    w.EditKeyCode(Qt::Key_Escape);
    g->setCurrentCell(1, 5);
    tecla(g, Qt::Key_Return);
    ASSERT_TRUE(g->editando());
    EXPECT_EQ(ed->text(), "4");
    EXPECT_TRUE(dlg.mostrados.isEmpty());
}

TEST_P(TablaCotizaciones, TeclasDelEditor)
{
    fijar(con(), "UsaMultilesMonedas", "NO");
    for (int d : {9, 8})
        dia(con(), QDateTime(QDate(2027, 3, d), QTime(0, 0)), {"1", "2", "3", "4", "5"});
    GuionDialogos dlg;
    FrmTaCotizacion w(*ctx);
    activar(w);
    GrillaEditable* g = w.MSFlexGrid1;
    auto donde = [g] { return QStringLiteral("%1,%2").arg(g->currentRow()).arg(g->currentColumn()); };
    struct Caso { int fila, col; QString texto; int tecla; QString despues; };
    const Caso casos[] = {
        {0, 3, "11", Qt::Key_Return, "0,4"}, // Enter: one column right
        {0, 6, "12", Qt::Key_Return, "1,1"}, // last column: next row, column 1
        {1, 4, "13", Qt::Key_Up, "0,4"},
        {0, 4, "14", Qt::Key_Up, "0,4"}, // first row: stays
        {0, 5, "15", Qt::Key_Down, "1,5"},
        {1, 5, "16", Qt::Key_Escape, "1,5"},
        {2, 6, "17", Qt::Key_Return, "2,6"}, // last column of the last row: stays
        {1, 6, "18", Qt::Key_Down, "2,6"},
    };
    for (const auto& c : casos) {
        g->setCurrentCell(c.fila, c.col);
        escribirCelda(g, c.texto);
        ASSERT_TRUE(g->editando()) << c.texto.toStdString();
        tecla(g->editor(), c.tecla);
        EXPECT_FALSE(g->editando()) << c.texto.toStdString();
        EXPECT_EQ(donde(), c.despues) << c.texto.toStdString();
        // Rows with an Id keep the text; the empty last row empties.
        EXPECT_EQ(g->texto(c.fila, c.col), c.fila < 2 ? c.texto : QString()) << c.texto.toStdString();
    }
    EXPECT_EQ(tabla(con()), QStringList({"08/03 00:00=1.00/2.00/13.00/16.00/18.00", "09/03 00:00=1.00/11.00/14.00/15.00/12.00"}));
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM TA_COTIZACION").toInt(), 2); // the empty row wrote nothing
    EXPECT_TRUE(dlg.mostrados.isEmpty());
}

TEST_P(TablaCotizaciones, GrabarUnaFila)
{
    fijar(con(), "UsaMultilesMonedas", "NO");
    dia(con(), QDateTime(QDate(2027, 3, 5), QTime(14, 30)), {"1", "2", QVariant(), "4", "5"});
    GuionDialogos dlg;
    FrmTaCotizacion w(*ctx);
    activar(w);
    GrillaEditable* g = w.MSFlexGrid1;
    // "1,5" stored as 1.5, the day and its time untouched, the empty rate kept empty.
    g->setCurrentCell(0, 3);
    escribirCelda(g, "1,5");
    g->setCurrentCell(0, 5); // leaving the cell
    EXPECT_FALSE(g->editando());
    EXPECT_EQ(g->texto(0, 3), "1.5");
    EXPECT_EQ(tabla(con()), QStringList({"05/03 14:30=1.00/1.50/-/4.00/5.00"}));
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    // Not a number, or emptied: refused once, after the editor hides; the cell
    // shows the stored rate again.
    for (const QString& t : {QStringLiteral("x"), QString()}) {
        dlg.mostrados.clear();
        g->setCurrentCell(0, 5);
        tecla(g, Qt::Key_Return);
        ASSERT_TRUE(g->editando());
        g->editor()->setText(t);
        tecla(g->editor(), Qt::Key_Return);
        EXPECT_EQ(mostrados(dlg), QStringList({"El campo cotización debe ser numérico|16|Aviso al operador"}));
        EXPECT_FALSE(g->editor()->isVisible());
        EXPECT_EQ(g->texto(0, 5), "4");
        EXPECT_EQ(tabla(con()), QStringList({"05/03 14:30=1.00/1.50/-/4.00/5.00"}));
    }
    // An edit on the empty last row writes nothing and empties.
    dlg.mostrados.clear();
    g->setCurrentCell(1, 4);
    escribir(g, "9");
    g->setCurrentCell(0, 4);
    EXPECT_EQ(g->texto(1, 4), "");
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM TA_COTIZACION").toInt(), 1);
    EXPECT_TRUE(dlg.mostrados.isEmpty());
}

TEST_P(TablaCotizaciones, BarraYCierre)
{
    fijar(con(), "UsaMultilesMonedas", "NO");
    dia(con(), QDateTime(QDate(2027, 3, 5), QTime(0, 0)), {"1", "2", "3", "4", "5"});
    GuionDialogos dlg;
    registrarVentanasCotizacion();
    QMainWindow principal;
    auto* mdi = new QMdiArea(&principal);
    principal.setCentralWidget(mdi);
    principal.resize(900, 600);
    activar(principal);
    ServiciosMenu s;
    s.contexto = ctx.get();
    s.areaMdi = mdi;
    DespachoMenu d(s);
    // From the menu, modeless in the main window.
    ASSERT_TRUE(d.ejecutar("MNU_TA_COTIZACIONES"));
    auto* w = qobject_cast<FrmTaCotizacion*>(s.ventanaAbierta("FrmTaCotizacion"));
    ASSERT_TRUE(w);
    EXPECT_EQ(mdi->subWindowList().size(), 1);
    QApplication::processEvents();
    GrillaEditable* g = w->MSFlexGrid1;
    // CANCELAR with an open edit: the edit is written, then the table shown again.
    g->setCurrentCell(0, 4);
    g->setFocus();
    escribir(g, "8");
    w->UtilTeb1_ButtonClick("CANCELAR");
    EXPECT_FALSE(g->editando());
    EXPECT_EQ(fila(g, 0), "05/03/2027|1|2|8|4|5");
    // GRABAR with the editor open writes its text and closes the window only.
    g->setCurrentCell(0, 6);
    escribirCelda(g, "6,25");
    ASSERT_TRUE(g->editando());
    w->UtilTeb1->boton("GRABAR")->trigger();
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    EXPECT_EQ(tabla(con()), QStringList({"05/03 00:00=1.00/2.00/8.00/4.00/6.25"}));
    EXPECT_FALSE(s.ventanaAbierta("FrmTaCotizacion"));
    EXPECT_TRUE(mdi->subWindowList().isEmpty());
    EXPECT_TRUE(principal.isVisible());
    // Reopened: the changes are there; CERRAR closes it too.
    ASSERT_TRUE(d.ejecutar("MNU_TA_COTIZACIONES"));
    w = qobject_cast<FrmTaCotizacion*>(s.ventanaAbierta("FrmTaCotizacion"));
    ASSERT_TRUE(w);
    EXPECT_EQ(fila(w->MSFlexGrid1, 0), "05/03/2027|1|2|8|4|6.25");
    w->UtilTeb1_ButtonClick("CERRAR");
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    EXPECT_FALSE(s.ventanaAbierta("FrmTaCotizacion"));
    EXPECT_TRUE(principal.isVisible());
    EXPECT_TRUE(dlg.mostrados.isEmpty());
}

VEXA_AMBOS_MOTORES(TablaCotizaciones);
