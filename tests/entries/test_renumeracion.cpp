// Copy-book title renumbering driven through its window: range load, bulk
// shift with collisions, the single recode and the field checks.
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "FrmRenumTitCopiadores.h"
#include "TitulosCopiadores.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::plataforma;

namespace {

class Renumeracion : public BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
    }
    void titulos(const QStringList& codigos)
    {
        con().EjecutarSQL(QStringLiteral("DELETE FROM TA_TITCOPIADORES"));
        for (const QString& c : codigos)
            con().EjecutarSQL(QStringLiteral("INSERT INTO TA_TITCOPIADORES (CODIGO, DESCRIPCION) VALUES (?, ?)"),
                              {c, QStringLiteral("Título ") + c});
    }
    QStringList guardados()
    {
        QStringList r;
        Recordset rs = con().ObtenerRecordset(QStringLiteral("SELECT CODIGO FROM TA_TITCOPIADORES ORDER BY CODIGO"));
        for (; !rs.eof(); rs.siguiente()) r << rs.texto("CODIGO").trimmed();
        return r;
    }
    static QStringList lista(FrmRenumTitCopiadores& w)
    {
        QStringList r;
        for (int i = 0; i < w.ListView1->topLevelItemCount(); ++i) r << w.ListView1->topLevelItem(i)->text(0);
        return r;
    }
    static QTreeWidgetItem* item(FrmRenumTitCopiadores& w, const QString& codigo)
    {
        for (int i = 0; i < w.ListView1->topLevelItemCount(); ++i)
            if (w.ListView1->topLevelItem(i)->text(0) == codigo) return w.ListView1->topLevelItem(i);
        return nullptr;
    }
    static void rango(FrmRenumTitCopiadores& w, const QString& desde, const QString& hasta, const QString& incremento = QString())
    {
        w.campo("TitDesde")->setText(desde);
        w.campo("TitHasta")->setText(hasta);
        w.campo("Incremento")->setText(incremento);
    }
    static void enter(QWidget* w)
    {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    std::unique_ptr<ContextoEmpresa> ctx;
    GuionDialogos dialogos;
};

QString colision(const char* viejo, int nuevo)
{
    return QStringLiteral("\r El codigo (%1) no puede reemplazarce por (%2) puesto que %2 ya existe como codigo de Titulos Copiadores")
        .arg(QString::fromLatin1(viejo))
        .arg(nuevo);
}
QString fueraDeRango(const char* viejo, int nuevo)
{
    return QStringLiteral("\r El codigo (%1) no puede reemplazarce por (%2) puesto que %2 no es un codigo de cuatro digitos")
        .arg(QString::fromLatin1(viejo))
        .arg(nuevo);
}

TEST_P(Renumeracion, VentanaYCarga)
{
    titulos({"0001", "0002", "0010", "AB12", "0100"});
    FrmRenumTitCopiadores w(*ctx);
    EXPECT_EQ(w.windowTitle(), "Renumeración de Títulos copiadores");
    EXPECT_EQ(w.CmdCargar->text(), "&Cargar");
    EXPECT_EQ(w.CmdAceptar->text(), "Aceptar");
    EXPECT_EQ(w.CmdCerrar->text(), "&Cerrar");
    EXPECT_EQ(w.MNU_Cambiar->text(), "Cambiar el Numero");
    EXPECT_TRUE(w.MNU_Separador->isSeparator());
    EXPECT_EQ(w.MNU_Cancelar->text(), "&Cancelar");
    rango(w, "2", "99");
    w.CmdCargar_Click(); // a stored code that is not a number is left out
    EXPECT_EQ(lista(w), (QStringList{"0002", "0010"}));
    EXPECT_EQ(w.ListView1->headerItem()->text(0), "Codigo");
    EXPECT_EQ(w.ListView1->headerItem()->text(1), "Descripcion");
    EXPECT_EQ(w.ListView1->columnWidth(0), w.ListView1->fontMetrics().horizontalAdvance(QString(10, 'X')));
    EXPECT_EQ(w.ListView1->columnWidth(1), w.ListView1->fontMetrics().horizontalAdvance(QString(40, 'X')));
    QTreeWidgetItem* i = item(w, "0002");
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->checkState(0), Qt::Checked);
    EXPECT_EQ(i->text(1), "Título 0002");
    EXPECT_EQ(i->data(0, Qt::UserRole).toString(), "d0002");
    EXPECT_FALSE(i->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(dialogos.mostrados.isEmpty());
}

TEST_P(Renumeracion, RenumeracionEnBloque)
{
    struct Caso {
        const char* nombre;
        QStringList antes;
        const char *desde, *hasta, *incremento;
        QStringList sinMarcar;
        QStringList despues;
        QString informe; // collision report after the heading ("" = no box)
    };
    const Caso casos[] = {
        {"+1 sobre 0001 a 0003", {"0001", "0002", "0003"}, "1", "3", "1", {}, {"0002", "0003", "0004"}, ""},
        {"0004 fuera del rango", {"0001", "0002", "0003", "0004"}, "1", "3", "1", {}, {"0001", "0002", "0003", "0004"},
         colision("0003", 4) + colision("0002", 3) + colision("0001", 2)},
        {"-1 sobre 0002 a 0004", {"0002", "0003", "0004"}, "2", "4", "-1", {}, {"0001", "0002", "0003"}, ""},
        {"uno sin marcar bloquea al vecino", {"0001", "0002", "0003"}, "1", "3", "1", {"0003"}, {"0001", "0002", "0003"},
         colision("0002", 3) + colision("0001", 2)},
        {"sin marcar el primero", {"0001", "0002", "0005"}, "1", "5", "+1", {"0001"}, {"0001", "0003", "0006"}, ""},
        {"resultado por encima de 9999", {"9998", "9999"}, "9998", "9999", "1", {}, {"9998", "9999"},
         fueraDeRango("9999", 10000) + colision("9998", 9999)},
        {"resultado negativo", {"0001", "0003"}, "1", "3", "-2", {}, {"0001"}, ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        titulos(c.antes);
        dialogos.mostrados.clear();
        dialogos.respuestas.clear(); dialogos.respuestas.enqueue(vbYes);
        FrmRenumTitCopiadores w(*ctx);
        rango(w, c.desde, c.hasta, c.incremento);
        w.CmdCargar_Click();
        for (const QString& s : c.sinMarcar) item(w, s)->setCheckState(0, Qt::Unchecked);
        w.CmdAceptar_Click();
        if (QString(c.nombre) == "resultado negativo") {
            // 0001 - 2 is refused; 0003 - 2 moves to 0001 only when free: it is not.
            EXPECT_EQ(guardados(), (QStringList{"0001", "0003"}));
            ASSERT_EQ(dialogos.mostrados.size(), 2);
            EXPECT_EQ(dialogos.mostrados[1].texto, "Los Siguientes Codigos no pudieron ser recodificados: \r\r" +
                                                       fueraDeRango("0001", -1) + colision("0003", 1));
            continue;
        }
        EXPECT_EQ(guardados(), c.despues);
        ASSERT_GE(dialogos.mostrados.size(), 1);
        EXPECT_EQ(dialogos.mostrados[0].texto,
                  "Este proceso Recodificará los codigos de titulos copiadores, ¿Realmente desea Recodificar los mismos");
        EXPECT_EQ(dialogos.mostrados[0].estilo, vbYesNo + vbQuestion);
        EXPECT_EQ(dialogos.mostrados[0].titulo, "Aviso al operador!!!");
        if (c.informe.isEmpty()) {
            EXPECT_EQ(dialogos.mostrados.size(), 1);
        } else {
            ASSERT_EQ(dialogos.mostrados.size(), 2);
            EXPECT_EQ(dialogos.mostrados[1].texto, "Los Siguientes Codigos no pudieron ser recodificados: \r\r" + c.informe);
            EXPECT_EQ(dialogos.mostrados[1].estilo, vbCritical);
            EXPECT_EQ(dialogos.mostrados[1].titulo, "Aviso al operador!!!");
        }
        QStringList recargada = c.despues; // reloaded with the range in the fields
        const qint64 d = QString(c.desde).toLongLong(), h = QString(c.hasta).toLongLong();
        recargada.removeIf([&](const QString& s) { return s.toLongLong() < d || s.toLongLong() > h; });
        EXPECT_EQ(lista(w), recargada);
    }
}

TEST_P(Renumeracion, NoYIncrementoCeroNoCambianNada)
{
    titulos({"0001", "0002"});
    FrmRenumTitCopiadores w(*ctx);
    rango(w, "1", "2", "1");
    w.CmdCargar_Click();
    dialogos.respuestas.clear(); dialogos.respuestas.enqueue(vbNo);
    w.CmdAceptar_Click();
    EXPECT_EQ(dialogos.mostrados.size(), 1);
    rango(w, "1", "2", "0");
    dialogos.respuestas.clear(); dialogos.respuestas.enqueue(vbYes);
    w.CmdAceptar_Click();
    ASSERT_EQ(dialogos.mostrados.size(), 3);
    EXPECT_EQ(dialogos.mostrados[2].texto, "El incremento debe ser distinto a Cero");
    EXPECT_EQ(dialogos.mostrados[2].estilo, vbCritical);
    EXPECT_EQ(dialogos.mostrados[2].titulo, "Aviso al Operador!!!");
    EXPECT_EQ(guardados(), (QStringList{"0001", "0002"}));
}

TEST_P(Renumeracion, EnterEnLosCampos)
{
    titulos({"0001", "0002", "0003"});
    FrmRenumTitCopiadores w(*ctx);
    w.show();
    // Inverted range: the message, no load, the focus stays.
    rango(w, "3", "1");
    w.campo("TitHasta")->setFocus();
    enter(w.campo("TitHasta"));
    EXPECT_TRUE(w.HayError);
    ASSERT_EQ(dialogos.mostrados.size(), 1);
    EXPECT_EQ(dialogos.ultimo(), "El Titulo desde no puede mayor al titulo Hasta");
    EXPECT_EQ(dialogos.mostrados[0].estilo, vbYesNo + vbCritical);
    EXPECT_EQ(dialogos.mostrados[0].titulo, "Aviso al operador!!!");
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 0);
    w.CmdCargar_Click(); // the button loads what the range gives: nothing
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 0);
    // A sound range loads at once.
    rango(w, "1", "2");
    enter(w.campo("TitHasta"));
    EXPECT_FALSE(w.HayError);
    EXPECT_EQ(lista(w), (QStringList{"0001", "0002"}));
    w.campo("Incremento")->setText("0");
    enter(w.campo("Incremento"));
    EXPECT_TRUE(w.HayError);
    EXPECT_EQ(dialogos.ultimo(), "El Incremento desde ser distinto de cero ");
    w.campo("Incremento")->setText("-1");
    enter(w.campo("Incremento"));
    EXPECT_FALSE(w.HayError);
    EXPECT_EQ(dialogos.mostrados.size(), 2);
}

TEST_P(Renumeracion, RecodificacionDeUnTitulo)
{
    struct Caso {
        const char* respuesta; // nullptr: the prompt's Cancel
        QStringList despues;
        QString mensaje;
    };
    const QString numerico = QStringLiteral("El Nuevo Titulo debe ser numérico");
    const Caso casos[] = {
        {"7", {"0002", "0003", "0007"}, ""},
        {" 8 ", {"0002", "0003", "0008"}, ""},
        {"12345", {"0001", "0002", "0003"}, "La cantidad de Digitos para el Nuevo Titulo debe ser 4 (Cuatro)"},
        {"2", {"0001", "0002", "0003"}, "El nuevo titulo ya existe"},
        {"0003", {"0001", "0002", "0003"}, "El nuevo titulo ya existe"},
        {"1'", {"0001", "0002", "0003"}, numerico},
        {"A1", {"0001", "0002", "0003"}, numerico},
        {"-1", {"0001", "0002", "0003"}, numerico},
        {"   ", {"0001", "0002", "0003"}, "Debe Informar el Nuevo Titulo"},
        {nullptr, {"0001", "0002", "0003"}, "Debe Informar el Nuevo Titulo"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.respuesta ? c.respuesta : "(cancelar)");
        titulos({"0001", "0002", "0003"});
        dialogos.mostrados.clear();
        dialogos.textos.clear();
        if (c.respuesta) dialogos.textos.enqueue(QString::fromLatin1(c.respuesta));
        FrmRenumTitCopiadores w(*ctx);
        rango(w, "0", "9999");
        w.CmdCargar_Click();
        w.mostrarMenu = [&w](QMenu* m) {
            EXPECT_EQ(m, w.MNU_Invisible);
            return w.MNU_Cambiar;
        };
        w.ListView1->setCurrentItem(item(w, "0001"));
        w.ListView1_MouseDown(Qt::RightButton);
        EXPECT_EQ(guardados(), c.despues);
        if (c.mensaje.isEmpty()) {
            EXPECT_TRUE(dialogos.mostrados.isEmpty());
            EXPECT_EQ(lista(w), c.despues); // reloaded
        } else {
            ASSERT_EQ(dialogos.mostrados.size(), 1);
            EXPECT_EQ(dialogos.ultimo(), c.mensaje);
            EXPECT_EQ(dialogos.mostrados[0].estilo, vbCritical);
            EXPECT_EQ(dialogos.mostrados[0].titulo, "Aviso al operador!!!");
        }
    }
}

TEST_P(Renumeracion, MenuSinSeleccionOCancelado)
{
    titulos({"0001"});
    FrmRenumTitCopiadores w(*ctx);
    rango(w, "0", "9999");
    w.CmdCargar_Click();
    int menus = 0;
    w.mostrarMenu = [&](QMenu*) {
        ++menus;
        return w.MNU_Cancelar;
    };
    w.ListView1_MouseDown(Qt::RightButton);
    ASSERT_EQ(dialogos.mostrados.size(), 1);
    EXPECT_EQ(dialogos.ultimo(), "Debe Seleccionar un Título para recodifical!!!");
    EXPECT_EQ(dialogos.mostrados[0].estilo, vbCritical);
    EXPECT_EQ(dialogos.mostrados[0].titulo, "ListView1_MouseDown");
    EXPECT_EQ(menus, 0);
    w.ListView1->setCurrentItem(item(w, "0001"));
    w.ListView1_MouseDown(Qt::LeftButton); // only the right button
    EXPECT_EQ(menus, 0);
    w.ListView1_MouseDown(Qt::RightButton);
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(dialogos.mostrados.size(), 1);
    EXPECT_EQ(guardados(), QStringList{"0001"});
}

TEST_P(Renumeracion, ErrorEnUnCodigoSeIgnoraOSeDetiene)
{
    // 0009 is no longer stored: changing it fails after 0003 moved.
    titulos({"0001", "0003"});
    int llamadas = 0;
    const QString informe = titulos::RenumerarTitulos(con(), {"0001", "0009", "0003"}, 1, [&](const std::exception&) {
        ++llamadas;
        EXPECT_FALSE(con().enTransaccion()); // the code's transaction was rolled back first
        return int(vbIgnore);
    });
    EXPECT_EQ(llamadas, 1);
    EXPECT_TRUE(informe.startsWith("\r El codigo (0009) no pudo recodificarse: ")) << informe.toStdString();
    EXPECT_EQ(guardados(), (QStringList{"0002", "0004"})); // Ignore went on
    // Retry repeats the code's check and UPDATE: here the title is back by then.
    titulos({"0001", "0003"});
    int reintentos = 0;
    const QString sinInforme = titulos::RenumerarTitulos(con(), {"0001", "0009", "0003"}, 1, [&](const std::exception&) {
        if (reintentos++ == 0) con().EjecutarSQL(QStringLiteral("INSERT INTO TA_TITCOPIADORES (CODIGO, DESCRIPCION) VALUES ('0009', 'de vuelta')"));
        return int(vbRetry);
    });
    EXPECT_EQ(reintentos, 1);
    EXPECT_EQ(sinInforme, QString());
    EXPECT_EQ(guardados(), (QStringList{"0002", "0004", "0010"}));
    // Abort stops the run; the codes changed so far stay.
    titulos({"0001", "0003"});
    titulos::RenumerarTitulos(con(), {"0001", "0009", "0003"}, 1, [](const std::exception&) { return int(vbAbort); });
    EXPECT_EQ(guardados(), (QStringList{"0001", "0004"}));
}

} // namespace

VEXA_AMBOS_MOTORES(Renumeracion);
