// The rate windows offscreen with scripted message boxes: the currency-and-rate
// prompt FrmCotiz.
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "FrmCotiz.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace vexa;
using namespace vexa::prueba;
using plataforma::GuionDialogos;

namespace {

void tecla(QWidget* w, int k)
{
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

QStringList mostrados(const GuionDialogos& d)
{
    QStringList r;
    for (const auto& m : d.mostrados) r << QStringLiteral("%1|%2|%3").arg(m.texto).arg(m.estilo).arg(m.titulo);
    return r;
}

void dia(Conexion& c, const QDateTime& fh, const QList<QVariant>& tasas)
{
    Valores v{{"FECHA_HORA", fh}};
    for (int i = 0; i < 5; ++i)
        v.push_back({QStringLiteral("Moneda%1").arg(i + 1),
                     i < tasas.size() && !tasas[i].isNull() ? QVariant::fromValue(*Moneda::parsear(tasas[i].toString())) : QVariant()});
    c.Insertar("TA_COTIZACION", v);
}

class Prompt : public BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        for (const char* c : {"1", "2", "3", "4", "5", "6"})
            con().Insertar("TA_MONEDAS", {{"CODIGO", c}, {"DESCRIPCION", QStringLiteral("Moneda %1").arg(c)}});
        dia(con(), QDateTime(QDate(2027, 3, 5), QTime(10, 0)), {"1", "2", "1050.25", QVariant(), "5"});
        dia(con(), QDateTime(QDate(2027, 3, 6), QTime(0, 0)), {"7", "7", "7", "7", "7"});
    }
    void TearDown() override
    {
        ctx.reset();
        BaseDePrueba::TearDown();
    }
    std::unique_ptr<ContextoEmpresa> ctx;
};

} // namespace

TEST_P(Prompt, CargaYAceptacion)
{
    GuionDialogos dlg;
    FrmCotiz w(*ctx, QDate(2027, 3, 5));
    w.show();
    EXPECT_EQ(w.windowTitle(), "Ingrese Moneda y Cotización");
    EXPECT_TRUE(w.isModal());
    EXPECT_FALSE(w.Cancelar);
    // Currencies "1" to "5" only; the first proposed with its rate of the day.
    ASSERT_EQ(w.CmbMoneda->count(), 5);
    EXPECT_EQ(w.CmbMoneda->itemText(4), "Moneda 5");
    EXPECT_EQ(w.CmbMoneda->currentIndex(), 0);
    EXPECT_EQ(w.TxtCotiz->text(), "1");

    // The third currency: the row stored at 10:00 counts for its day.
    w.CmbMoneda->setCurrentIndex(2);
    emit w.CmbMoneda->activated(2);
    EXPECT_EQ(w.TxtCotiz->text(), "1050.25");
    // An empty rate empties the box, silently.
    w.CmbMoneda->setCurrentIndex(3);
    emit w.CmbMoneda->activated(3);
    EXPECT_EQ(w.TxtCotiz->text(), "");

    struct Caso { QString texto; QString mensaje; };
    const Caso refusados[] = {
        {"0", "La cotización no puede ser un Cero (0)|16|Aviso al operador"},
        {"0,00", "La cotización no puede ser un Cero (0)|16|Aviso al operador"},
        {"", "El campo cotización debe ser numérico|16|Aviso al operador"},
        {"uno", "El campo cotización debe ser numérico|16|Aviso al operador"},
    };
    for (const auto& c : refusados) {
        dlg.mostrados.clear();
        w.TxtCotiz->setText(c.texto);
        w.cmdOK->click();
        EXPECT_EQ(mostrados(dlg), QStringList({c.mensaje})) << c.texto.toStdString();
        EXPECT_TRUE(w.isVisible()) << c.texto.toStdString();
    }
    dlg.mostrados.clear();
    w.TxtCotiz->setText("-3,5"); // a negative rate is accepted
    w.cmdOK->click();
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.Moneda, "4");
    EXPECT_EQ(w.Cotizacion, *Moneda::parsear("-3.5"));
    EXPECT_FALSE(w.Cancelar);

    // Cancel keeps the earlier answer; an accept after a cancel is an accept.
    w.show();
    w.CmdCancelar->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.Cancelar);
    EXPECT_EQ(w.Moneda, "4");
    EXPECT_EQ(w.Cotizacion, *Moneda::parsear("-3.5"));
    w.show();
    w.CmbMoneda->setCurrentIndex(1);
    emit w.CmbMoneda->activated(1);
    EXPECT_EQ(w.TxtCotiz->text(), "2");
    w.cmdOK->click();
    EXPECT_FALSE(w.Cancelar);
    EXPECT_EQ(w.Moneda, "2");
    EXPECT_EQ(w.Cotizacion, Moneda::entero(2));
    // Escape cancels as the button does.
    w.show();
    w.reject();
    EXPECT_TRUE(w.Cancelar);
}

TEST_P(Prompt, TeclasYDiaSinCotizacion)
{
    GuionDialogos dlg;
    FrmCotiz w(*ctx, QDate(2027, 3, 8)); // no row that day
    w.show();
    EXPECT_EQ(w.TxtCotiz->text(), "");
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    // Arrow keys and letters do not change the currency; Enter moves on.
    w.CmbMoneda->setFocus();
    for (int k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_M}) tecla(w.CmbMoneda, k);
    EXPECT_EQ(w.CmbMoneda->currentIndex(), 0);
    tecla(w.CmbMoneda, Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.TxtCotiz);
    tecla(w.TxtCotiz, Qt::Key_Enter);
    EXPECT_EQ(w.focusWidget(), w.cmdOK);
    EXPECT_TRUE(w.isVisible()); // Enter pressed no button
    // A date set later is used when a currency is chosen.
    w.FechaAsiento = QDate(2027, 3, 6);
    emit w.CmbMoneda->activated(0);
    EXPECT_EQ(w.TxtCotiz->text(), "7");
}

TEST_P(Prompt, SinMonedas)
{
    con().EjecutarSQL("DELETE FROM TA_MONEDAS");
    GuionDialogos dlg;
    FrmCotiz w(*ctx, QDate(2027, 3, 5));
    EXPECT_EQ(w.CmbMoneda->count(), 0);
    EXPECT_EQ(w.TxtCotiz->text(), "");
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    EXPECT_FALSE(w.Cancelar);
}

VEXA_AMBOS_MOTORES(Prompt);
