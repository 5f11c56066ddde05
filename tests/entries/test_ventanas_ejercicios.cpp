// The new-year wizard and the purchase-order number dialog, driven offscreen
// with scripted message boxes.
#include "AsientosDePrueba.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "FrmOrdenCompra.h"
#include "RegistroVentanas.h"
#include "Utilidades.h"
#include "VentanasEjercicios.h"
#include "WizEjercicio.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

using namespace vexa;
using namespace vexa::prueba;
using plataforma::GuionDialogos;

namespace {

void tecla(QWidget* w, int k)
{
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void ejercicio(Conexion& c, int periodo, const QDate& desde, const QDate& hasta)
{
    c.Insertar("MV_EJERCICIOS", {{"PERIODO", periodo}, {"DESCRIPCION", QStringLiteral("E%1").arg(periodo)},
                                 {"[FECHA DESDE]", desde}, {"[FECHA HASTA]", hasta}});
}

qint64 cuenta(Conexion& c, const QString& sql) { return c.Escalar(sql).toLongLong(); }

QStringList mostrados(const GuionDialogos& d)
{
    QStringList r;
    for (const auto& m : d.mostrados) r << QStringLiteral("%1|%2|%3").arg(m.texto).arg(m.estilo).arg(m.titulo);
    return r;
}

const QString kAviso = QStringLiteral("|16|Aviso al operador");
const QString kExito = QStringLiteral("El ejercicio se creó con éxito|64|Aviso al operador");

class Asistente : public BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        ejercicio(con(), 1, QDate(2025, 1, 1), QDate(2025, 12, 31));
        ejercicio(con(), 2, QDate(2026, 1, 1), QDate(2026, 12, 31));
    }
    void TearDown() override
    {
        ctx.reset();
        BaseDePrueba::TearDown();
    }
    std::unique_ptr<ContextoEmpresa> ctx;
};

} // namespace

TEST_P(Asistente, PasosBotonesYFoco)
{
    struct Caso { bool pedir; int primerPaso; bool atrasEnNombre; const char* focoFechas; };
    const Caso casos[] = {{false, 1, false, "FECHA_HASTA"}, {true, 0, true, "FECHA_DESDE"}};
    for (const auto& c : casos) {
        GuionDialogos dlg;
        WizEjercicio w(*ctx);
        w.pPedirNroEjercicioInicial = c.pedir;
        w.show();
        EXPECT_EQ(w.windowTitle(), "Asistente para crear nuevo Ejercicio");
        EXPECT_EQ(w.SSTab1->currentIndex(), c.primerPaso);
        EXPECT_FALSE(w.CmdAnterior->isEnabled());
        EXPECT_EQ(w.CmdSiguiente->text(), "&Siguiente >>");
        if (c.pedir) {
            EXPECT_EQ(w.focusWidget(), w.campo("NRO_PERIODO"));
            w.campo("NRO_PERIODO")->setText("7");
            w.CmdSiguiente->click();
        }
        EXPECT_EQ(w.SSTab1->currentIndex(), 1);
        EXPECT_EQ(w.CmdAnterior->isEnabled(), c.atrasEnNombre);
        EXPECT_EQ(w.focusWidget(), w.campo("NOMBRE"));
        w.campo("NOMBRE")->setText("Ejercicio nuevo");
        tecla(w.campo("NOMBRE"), Qt::Key_Return); // Enter moves on, presses nothing
        EXPECT_EQ(w.focusWidget(), w.CmdSiguiente);
        EXPECT_EQ(w.SSTab1->currentIndex(), 1);
        w.CmdSiguiente->click();
        EXPECT_EQ(w.SSTab1->currentIndex(), 2);
        EXPECT_EQ(w.CmdSiguiente->text(), "&Terminar");
        EXPECT_TRUE(w.CmdAnterior->isEnabled());
        EXPECT_EQ(w.focusWidget(), w.campo(c.focoFechas));
        w.CmdAnterior->click();
        EXPECT_EQ(w.SSTab1->currentIndex(), 1);
        w.CmdSiguiente->click();
        w.campo("FECHA_DESDE")->setText("01/01/2027");
        w.campo("FECHA_HASTA")->setText("31/12/2027");
        w.CmdSiguiente->click();
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(mostrados(dlg), QStringList({kExito}));
        EXPECT_EQ(w.pNuevo_Ejercicio, c.pedir ? 7 : 3);
        EXPECT_EQ(w.pDescripcion, "Ejercicio nuevo");
        EXPECT_EQ(w.pFecha_Desde, "01/01/2027");
        auto f = con().PrimeraFila("SELECT [FECHA HASTA] FROM MV_EJERCICIOS WHERE PERIODO = ?", {w.pNuevo_Ejercicio});
        ASSERT_TRUE(f);
        EXPECT_EQ(f->fecha("FECHA HASTA"), QDate(2027, 12, 31));
        con().EjecutarSQL("DELETE FROM MV_EJERCICIOS WHERE PERIODO > 2");
    }
}

TEST_P(Asistente, MensajesDeCadaPaso)
{
    struct Caso {
        const char* nombre;
        QString numero, nombreEj, desde, hasta;
        QStringList mensajes; // empty: saved
        qint16 creado;
    };
    const QString ok = kExito;
    const Caso casos[] = {
        {"fechas iguales", "5", "A", "01/01/2030", "01/01/2030", {ok}, 5},
        {"número 0", "0", "A", "01/01/2031", "31/12/2031", {"El número de Ejercicio debe estar entre 1 y 32767" + kAviso}, 0},
        {"número 40000", "40000", "A", "01/01/2031", "31/12/2031", {"El número de Ejercicio debe estar entre 1 y 32767" + kAviso}, 0},
        {"no numérico", "x", "A", "01/01/2031", "31/12/2031", {"El campo debe ser numérico!!!" + kAviso}, 0},
        {"número usado", "2", "A", "01/01/2031", "31/12/2031", {"El Ejercicio  2 ya existe" + kAviso}, 0},
        {"2.6 es el 3", "2.6", "A", "01/01/2031", "31/12/2031", {ok}, 3},
        {"sin nombre y fecha mala", "9", " ", "32/01/2032", "31/12/2032",
         {"Es necesario que ingrese un nombre de ejercicio" + kAviso, "La Fecha Desde no es válida" + kAviso}, 0},
        {"hasta mala", "9", "A", "01/01/2032", "", {"La Fecha Hasta no es válida" + kAviso}, 0},
        {"al revés", "9", "A", "31/12/2032", "01/01/2032", {"La Fecha Desde debe ser menor o igual a la Fecha Hasta" + kAviso}, 0},
        {"solapa", "9", "A", "01/06/2026", "31/05/2027", {"El rango de fechas ingresado interfiere con los de otro Ejercicio" + kAviso}, 0},
        {"encierra", "9", "A", "01/01/2020", "31/12/2035", {"El rango de fechas ingresado interfiere con los de otro Ejercicio" + kAviso}, 0},
    };
    for (const auto& c : casos) {
        GuionDialogos dlg;
        WizEjercicio w(*ctx);
        w.pPedirNroEjercicioInicial = true;
        w.show();
        const qint64 antes = cuenta(con(), "SELECT COUNT(*) FROM MV_EJERCICIOS");
        w.campo("NRO_PERIODO")->setText(c.numero);
        w.CmdSiguiente->click();
        if (w.SSTab1->currentIndex() == 1) {
            w.campo("NOMBRE")->setText(c.nombreEj);
            // The blank name is refused at step 1 too; "&Terminar" checks it again.
            if (texto::recortar(c.nombreEj).isEmpty()) {
                w.campo("NOMBRE")->setText("tmp");
                w.CmdSiguiente->click();
                w.campo("NOMBRE")->setText(c.nombreEj);
            } else {
                w.CmdSiguiente->click();
            }
            w.campo("FECHA_DESDE")->setText(c.desde);
            w.campo("FECHA_HASTA")->setText(c.hasta);
            w.CmdSiguiente->click();
        }
        EXPECT_EQ(mostrados(dlg), c.mensajes) << c.nombre;
        EXPECT_EQ(w.isVisible(), c.creado == 0) << c.nombre;
        EXPECT_EQ(w.pNuevo_Ejercicio, c.creado) << c.nombre;
        EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM MV_EJERCICIOS"), antes + (c.creado ? 1 : 0)) << c.nombre;
        if (!c.creado) {
            EXPECT_TRUE(w.pDescripcion.isEmpty()) << c.nombre;
        }
        con().EjecutarSQL("DELETE FROM MV_EJERCICIOS WHERE PERIODO > 2");
    }
}

TEST_P(Asistente, CerrarEscapeYFechaFija)
{
    struct Caso { bool noCancelar; std::function<void(WizEjercicio&)> cerrar; bool cierra; };
    const Caso casos[] = {
        {false, [](WizEjercicio& w) { tecla(&w, Qt::Key_Escape); }, true},
        {true, [](WizEjercicio& w) { tecla(&w, Qt::Key_Escape); }, false},
        {false, [](WizEjercicio& w) { w.close(); }, true},
        {true, [](WizEjercicio& w) { w.close(); }, false},
        {false, [](WizEjercicio& w) { w.CmdCancelar->click(); }, true},
    };
    for (const auto& c : casos) {
        GuionDialogos dlg;
        WizEjercicio w(*ctx);
        w.pNoHabilitarCancelar = c.noCancelar;
        w.pNoHabilitarFdesde = true;
        w.pFecha_Desde = " 01/01/2027 ";
        w.show();
        EXPECT_EQ(w.CmdCancelar->isEnabled(), !c.noCancelar);
        EXPECT_FALSE(w.campo("FECHA_DESDE")->isEnabled());
        EXPECT_EQ(w.campo("FECHA_DESDE")->text(), "01/01/2027");
        c.cerrar(w);
        EXPECT_EQ(w.isVisible(), !c.cierra);
        EXPECT_EQ(w.pNuevo_Ejercicio, 0);
        EXPECT_EQ(w.pFecha_Desde, " 01/01/2027 "); // out-members unchanged
        EXPECT_TRUE(dlg.mostrados.isEmpty());
    }
    EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM MV_EJERCICIOS"), 2);
}

TEST_P(Asistente, DiasDeCotizacionYFallaAlGuardar)
{
    struct Caso { QVariant multiples; bool rechazoUnDia; qint64 dias; bool creado; };
    const Caso casos[] = {{"si", false, 366, true}, {"NO", false, 0, true}, {"SI", true, 0, false}};
    for (const auto& c : casos) {
        fijarValor(con(), "UsaMultilesMonedas", c.multiples);
        if (c.rechazoUnDia) {
            if (motor() == Motor::SQLite) {
                con().EjecutarSQL("CREATE TRIGGER NO_DIA BEFORE INSERT ON TA_COTIZACION WHEN date(NEW.FECHA_HORA) = '2028-07-09' "
                                  "BEGIN SELECT RAISE(ABORT, 'dia rechazado'); END");
            } else {
                con().EjecutarSQL("CREATE FUNCTION no_dia() RETURNS trigger AS $$ BEGIN IF CAST(NEW.FECHA_HORA AS DATE) = "
                                  "DATE '2028-07-09' THEN RAISE EXCEPTION 'dia rechazado'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
                con().EjecutarSQL("CREATE TRIGGER NO_DIA BEFORE INSERT ON TA_COTIZACION FOR EACH ROW EXECUTE FUNCTION no_dia()");
            }
        }
        GuionDialogos dlg;
        WizEjercicio w(*ctx);
        w.show();
        w.campo("NOMBRE")->setText("Año 2028");
        w.CmdSiguiente->click();
        w.campo("FECHA_DESDE")->setText("01/01/2028");
        w.campo("FECHA_HASTA")->setText("31/12/2028");
        w.CmdSiguiente->click();
        EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM TA_COTIZACION"), c.dias);
        EXPECT_EQ(cuenta(con(), "SELECT COUNT(*) FROM MV_EJERCICIOS"), c.creado ? 3 : 2);
        EXPECT_EQ(w.isVisible(), !c.creado);
        EXPECT_EQ(w.pNuevo_Ejercicio, c.creado ? 3 : 0);
        ASSERT_EQ(dlg.mostrados.size(), 1);
        if (c.creado) {
            EXPECT_EQ(mostrados(dlg).first(), kExito);
        } else {
            EXPECT_TRUE(dlg.mostrados.first().texto.contains("dia rechazado")) << dlg.mostrados.first().texto.toStdString();
            EXPECT_TRUE(w.CmdSiguiente->isEnabled()); // the window stays usable
            EXPECT_FALSE(con().enTransaccion());
        }
        con().EjecutarSQL("DELETE FROM MV_EJERCICIOS WHERE PERIODO > 2");
        con().EjecutarSQL("DELETE FROM TA_COTIZACION");
    }
}

// ---------------------------------------------------------------- purchase order

TEST(OrdenDeCompra, DevuelveElNumeroOVacio)
{
    struct Caso {
        const char* nombre;
        QString entrada, tipeado; // tipeado: null = leave the field as shown
        std::function<void(FrmOrdenCompra&)> accion;
        QString salida;
        bool oculta;
    };
    const auto aceptar = [](FrmOrdenCompra& w) { w.CmdAceptar->click(); };
    const Caso casos[] = {
        {"sin cambios, sin blancos", "  0001-123  ", QString(), aceptar, "0001-123", true},
        {"tipeado", "", " 45 ", aceptar, "45", true},
        {"cancelar", "77", "88", [](FrmOrdenCompra& w) { w.CmdCancelar->click(); }, "", true},
        {"escape", "77", QString(), [](FrmOrdenCompra& w) { tecla(&w, Qt::Key_Escape); }, "", true},
        {"cuadro de cierre", "77", QString(), [](FrmOrdenCompra& w) { w.close(); }, "", true},
        {"enter mueve el foco", "77", "99", [](FrmOrdenCompra& w) { tecla(w.TxtFields[0], Qt::Key_Return); }, "77", false},
    };
    for (const auto& c : casos) {
        FrmOrdenCompra w;
        w.pOrdenCompra = c.entrada;
        w.show();
        EXPECT_EQ(w.windowTitle(), "Orden de Compra");
        EXPECT_EQ(w.TxtFields[0]->text(), texto::recortar(c.entrada)) << c.nombre;
        EXPECT_EQ(w.TxtFields[0]->maxLength(), 50);
        w.TxtFields[0]->setFocus();
        if (!c.tipeado.isNull()) w.TxtFields[0]->setText(c.tipeado);
        c.accion(w);
        EXPECT_EQ(w.pOrdenCompra, c.salida) << c.nombre;
        EXPECT_EQ(!w.isVisible(), c.oculta) << c.nombre;
        if (!c.oculta) {
            EXPECT_EQ(w.focusWidget(), w.CmdAceptar) << c.nombre;
        }
    }
    registrarVentanasEjercicios();
    EXPECT_TRUE(existeVentana("FrmOrdenCompra"));
    EXPECT_TRUE(existeVentana("WizEjercicio"));
}

VEXA_AMBOS_MOTORES(Asistente);
