// The commercial-system reception window and the cancel window, driven as the
// operator would, on both backends with the demo company.
#include "AyudaRecepcion.h"
#include "AyudaVexa.h"
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "CorridaVexa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "FrmAnulRecep.h"
#include "FrmDatosVexa.h"
#include "FrmInterface.h"
#include "LBM_Common.h"
#include "Progreso.h"
#include "RegistroVentanas.h"
#include "Reportes.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeWidget>

#include <optional>
#include <stdexcept>

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;

namespace {

// Boxes answered by script; notes any box shown while a transaction is open.
class DialogosVigilados : public plataforma::GuionDialogos {
public:
    int MsgBox(const QString& texto, int estilo, const QString& titulo) override
    {
        if (Conexion::instancia().enTransaccion()) conTransaccion << texto;
        return GuionDialogos::MsgBox(texto, estilo, titulo);
    }
    QStringList conTransaccion;
};

class VentanaVexa : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        ctx->usuario = "PEPE";
        ctx->seccionEquipo = "EQUIPO|PEPE";
    }
    void TearDown() override
    {
        EXPECT_EQ(dialogos.conTransaccion, QStringList());
        BaseDePrueba::TearDown();
    }
    QString archivo(const QString& nombre, const QStringList& lineas)
    {
        const QString ruta = dir.filePath(nombre);
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write((lineas.join("\r\n") + (lineas.isEmpty() ? "" : "\r\n")).toUtf8());
        return ruta;
    }
    void aceptar(frmDatosVexa& w, const QString& ruta)
    {
        w.TxtFields[0]->setText(ruta);
        w.CmdGenerar->click();
    }
    static QStringList items(QListView* l)
    {
        QStringList r;
        const QAbstractItemModel* m = l->model();
        for (int i = 0; i < m->rowCount(); ++i) r << m->index(i, 0).data().toString();
        return r;
    }
    static QTreeWidgetItem* nodo(FrmAnulRecep& w, const QString& texto)
    {
        const auto n = w.TreeView1->findItems(texto, Qt::MatchExactly | Qt::MatchRecursive);
        return n.isEmpty() ? nullptr : n.first();
    }
    std::unique_ptr<ContextoEmpresa> ctx;
    QTemporaryDir dir;
    DialogosVigilados dialogos;
};

TEST_P(VentanaVexa, SeAbrenDesdeElRegistroDeVentanas)
{
    registrarVentanasRecepcion();
    for (const char* nombre : {"frmDatosVexa", "FrmAnulRecep"}) {
        std::unique_ptr<QWidget> w(crearVentana(QString::fromLatin1(nombre), *ctx));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->objectName(), QString::fromLatin1(nombre));
    }
}

TEST_P(VentanaVexa, ElCampoArchivo)
{
    frmDatosVexa w(*ctx);
    EXPECT_EQ(w.windowTitle(), "Obtención de Datos desde Vexa Gestión Comercial");
    const int antes = contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION");
    aceptar(w, "");
    EXPECT_EQ(dialogos.ultimo(), "Debe Informar un archivo");
    aceptar(w, dir.filePath("no_esta.txt"));
    EXPECT_EQ(dialogos.ultimo(), "No se ha encontrado el archivo en la ubicación especificada");
    EXPECT_EQ(dialogos.mostrados.last().titulo, "Aviso al operador...");
    EXPECT_FALSE(w.SSTab1->isTabEnabled(1));
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), antes);

    // A path typed in lower case keeps its case with the upper-case rule on.
    ctx->soloMayusculas = true;
    w.TxtFields[0]->clear();
    w.TxtFields[0]->setFocus();
    QKeyEvent k(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(w.TxtFields[0], &k);
    EXPECT_EQ(w.TxtFields[0]->text(), "a");

    // Cancelling the file dialog empties the field.
    w.TxtFields[0]->setText("/tmp/algo.txt");
    dialogos.archivos.enqueue(QString());
    w.CmdBuscar->click();
    EXPECT_EQ(w.TxtFields[0]->text(), "");
}

TEST_P(VentanaVexa, UnaRecepcionConErroresYSuAnulacion)
{
    frmDatosVexa w(*ctx);
    QStringList lineas = ventaVexa("1", 700) + ventaVexa("2", 701, "100", "22") + ventaVexa("3", 702);
    const QString ruta = archivo("v.txt", lineas);
    w.TxtFields[0]->setText(ruta);
    w.CampoValida(0);
    ASSERT_TRUE(w.SSTab1->isTabEnabled(1));
    w.SSTab1->setCurrentIndex(1);
    EXPECT_EQ(w.LstV->topLevelItemCount(), 9);
    w.SSTab1->setCurrentIndex(0);
    w.CmdGenerar->click();
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_EQ(items(w.LstErrores), QStringList{"Asiento: 2 El asiento  no Balancea!!!"});
    EXPECT_TRUE(w.CmdPrintErrores->isEnabled());
    const qint32 id = w.IdRecepcion;
    ASSERT_GT(id, 0);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {id}), 6);

    FrmAnulRecep a(*ctx);
    EXPECT_EQ(a.windowTitle(), "Anulación de Recepción de Información de Vexa Gestón Comercial");
    EXPECT_FALSE(a.CmdAnular->isEnabled());
    a.CmdAnular_Click(); // the handler refuses it too
    EXPECT_EQ(dialogos.ultimo(), "Debe seleccionar una planilla para anular!!!");
    QTreeWidgetItem* n = nodo(a, QString::number(id));
    ASSERT_TRUE(n);
    a.TreeView1->setCurrentItem(n);
    a.nodoElegido(n);
    ASSERT_EQ(a.ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(a.ListView1->topLevelItem(0)->text(1), "PEPE");
    EXPECT_EQ(a.ListView1->topLevelItem(0)->text(2), ruta);
    EXPECT_EQ(a.ListView1->topLevelItem(0)->text(3), "2");
    EXPECT_TRUE(a.CmdAnular->isEnabled());
    a.CmdAnular->click();
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {id}), 0);
    QTreeWidgetItem* anulado = nodo(a, QString::number(id) + "- Anulado");
    ASSERT_TRUE(anulado);
    a.TreeView1->setCurrentItem(anulado);
    a.nodoElegido(anulado);
    EXPECT_EQ(a.ListView1->topLevelItemCount(), 1);
    EXPECT_FALSE(a.CmdAnular->isEnabled());
    a.CmdAnular_Click();
    EXPECT_EQ(dialogos.ultimo(), "El control de la planilla seleccionado ya fue anulado ");
}

TEST_P(VentanaVexa, ArchivoVacioYElEjercicioDebeAdmitirAsientos)
{
    frmDatosVexa w(*ctx);
    aceptar(w, archivo("vacio.txt", {}));
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    const auto t = con().PrimeraFila("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?", {w.IdRecepcion});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS") + t->entero("REGISTROS_IGNORADOS") + t->entero("TOTAL_LINEAS"), 0);

    const int antes = contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION");
    con().EjecutarSQL("UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = 2");
    aceptar(w, archivo("v.txt", ventaVexa("1", 710)));
    EXPECT_EQ(dialogos.ultimo(), "El Periodo tiene realizado el Cierre de libros contables ");
    EXPECT_EQ(dialogos.mostrados.last().estilo & plataforma::vbCritical, plataforma::vbCritical);
    con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    aceptar(w, archivo("v.txt", ventaVexa("1", 710)));
    EXPECT_TRUE(dialogos.ultimo().startsWith("No se han creado Ejercicios!!!")) << dialogos.ultimo().toStdString();
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), antes);
}

// The operator cancels in the progress box and confirms: the voucher being
// read is not posted; the question is asked with no transaction open.
TEST_P(VentanaVexa, CancelarLaRecepcion)
{
    frmDatosVexa w(*ctx);
    QObject::connect(&w, &frmDatosVexa::lineaLeida, &w, [&w](int n) {
        if (n != 5) return;
        if (auto* p = w.findChild<QProgressDialog*>()) p->cancel();
        QThread::msleep(60); // the box is looked at every 40 ms
    });
    dialogos.respuestas.enqueue(plataforma::vbYes);
    aceptar(w, archivo("c.txt", ventaVexa("1", 720) + ventaVexa("2", 721) + ventaVexa("3", 722)));
    ASSERT_GE(dialogos.mostrados.size(), 2);
    EXPECT_EQ(dialogos.mostrados[dialogos.mostrados.size() - 2].texto, "¿Realmente desea cancelar este proceso?");
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {w.IdRecepcion}), 3);
}

TEST_P(VentanaVexa, VentanaDeAnulacion)
{
    con().EjecutarSQL("DELETE FROM TESTIGO_RECEPCION");
    {
        FrmAnulRecep a(*ctx);
        EXPECT_EQ(a.TreeView1->topLevelItemCount(), 0);
        EXPECT_FALSE(a.CmdAnular->isEnabled());
    }
    ProgresoNulo p;
    const qint32 id1 = RecibirVexa(*ctx, archivo("a.txt", ventaVexa("1", 730)), p).idRecepcion;
    const qint32 id2 = RecibirVexa(*ctx, archivo("b.txt", ventaVexa("1", 731)), p).idRecepcion;
    con().EjecutarSQL("UPDATE TESTIGO_RECEPCION SET ANULADA = NULL WHERE ID = ?", {id1});
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET CONTABILIZADO = 1 WHERE NRO_TRANSMISION = ?", {id2});
    FrmAnulRecep a(*ctx);
    ASSERT_EQ(a.TreeView1->topLevelItemCount(), 1);
    EXPECT_EQ(a.TreeView1->topLevelItem(0)->text(0), "Nº de Control");
    EXPECT_EQ(a.TreeView1->topLevelItem(0)->childCount(), 2);
    // NULL reads as live; everything summarised: nothing to cancel.
    QTreeWidgetItem* n2 = nodo(a, QString::number(id2));
    ASSERT_TRUE(nodo(a, QString::number(id1)));
    ASSERT_TRUE(n2);
    a.TreeView1->setCurrentItem(n2);
    a.nodoElegido(n2);
    a.CmdAnular->click();
    EXPECT_TRUE(dialogos.ultimo().startsWith("No se ha podido actualizar ningún registro")) << dialogos.ultimo().toStdString();
    EXPECT_TRUE(nodo(a, QString::number(id2)));

    // During another run at this station the cancel is refused.
    ContextoEmpresa::Corrida otra(*ctx);
    QTreeWidgetItem* n1 = nodo(a, QString::number(id1));
    a.TreeView1->setCurrentItem(n1);
    a.nodoElegido(n1);
    a.CmdAnular->click();
    EXPECT_EQ(dialogos.ultimo(), MensajeOtraRecepcion());
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {id1}), 3);
    // And so is a reception.
    frmDatosVexa w(*ctx);
    aceptar(w, archivo("c.txt", ventaVexa("1", 732)));
    EXPECT_EQ(dialogos.ultimo(), MensajeOtraRecepcion());
}

// A run of the interface reception (task 0303) is cancelled by the same service.
TEST_P(VentanaVexa, AnulaUnaRecepcionDeSubdiarios)
{
    FrmInterface f(*ctx);
    f.TxtFields[0]->setText("VENTAS");
    f.Campo_Valida(0);
    f.TxtFields[1]->setText(archivo("i.txt", {lineaVenta(740), lineaVenta(741)}));
    f.UtilTeb1_ButtonClick("GRABAR");
    ASSERT_GT(f.IdRecepcion, 0);
    ASSERT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {f.IdRecepcion}), 6);
    FrmAnulRecep a(*ctx);
    QTreeWidgetItem* n = nodo(a, QString::number(f.IdRecepcion));
    ASSERT_TRUE(n);
    a.TreeView1->setCurrentItem(n);
    a.nodoElegido(n);
    a.CmdAnular->click();
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {f.IdRecepcion}), 0);
    EXPECT_TRUE(nodo(a, QString::number(f.IdRecepcion) + "- Anulado"));
}

// The preview numbers the lines as listed (" 1") and shows each line whole.
TEST_P(VentanaVexa, VistaPreviaDelArchivo)
{
    frmDatosVexa w(*ctx);
    const QStringList lineas = ventaVexa("1", 750) + ventaVexa("2", 751);
    w.TxtFields[0]->setText(archivo("p.txt", lineas));
    w.CampoValida(0);
    ASSERT_TRUE(w.SSTab1->isTabEnabled(1));
    w.SSTab1->setCurrentIndex(1);
    ASSERT_EQ(w.LstV->topLevelItemCount(), lineas.size());
    EXPECT_EQ(w.LstV->headerItem()->text(0), "Linea");
    EXPECT_EQ(w.LstV->headerItem()->text(1), "Contenido");
    for (int i = 0; i < lineas.size(); ++i) {
        EXPECT_EQ(w.LstV->topLevelItem(i)->text(0), " " + QString::number(i + 1));
        EXPECT_EQ(w.LstV->topLevelItem(i)->text(1), lineas[i]);
    }
    // Entering the tab again reads the file afresh.
    w.SSTab1->setCurrentIndex(0);
    QFile::remove(w.ArchivoSeleccionado);
    archivo("p.txt", ventaVexa("1", 752));
    w.SSTab1->setCurrentIndex(1);
    EXPECT_EQ(w.LstV->topLevelItemCount(), 3);
    // Esc in the field clears it all.
    w.SSTab1->setCurrentIndex(0);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(w.TxtFields[0], &esc);
    EXPECT_EQ(w.LstV->topLevelItemCount(), 0);
    EXPECT_FALSE(w.SSTab1->isTabEnabled(1));
}

// Rejected vouchers are listed by their own key as a plain number, ten digits
// too, and printed as listed under the list's title.
TEST_P(VentanaVexa, ListaEImprimeLosErroresPorClave)
{
    const struct {
        const char* clave;
        const char* listado;
    } casos[] = {
        {"0000000007", "Asiento: 7 El asiento  no Balancea!!!"},
        {"9999999999", "Asiento: 9999999999 El asiento  no Balancea!!!"},
        {"4294967297", "Asiento: 4294967297 El asiento  no Balancea!!!"},
    };
    QStringList lineas, esperados;
    int numero = 760;
    for (const auto& c : casos) {
        lineas += ventaVexa(QString::fromLatin1(c.clave), numero++, "100", "22");
        esperados << QString::fromLatin1(c.listado);
    }
    frmDatosVexa w(*ctx);
    aceptar(w, archivo("e.txt", lineas));
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_EQ(items(w.LstErrores), esperados);
    EXPECT_EQ(w.resultados().textos(ResultadosRecepcion::Lista::Rechazados), esperados);
    ASSERT_TRUE(w.CmdPrintErrores->isEnabled());
    plataforma::ReportesGuion impresora;
    plataforma::instalarReportes(&impresora);
    w.CmdPrintErrores->click();
    plataforma::instalarReportes(nullptr);
    ASSERT_EQ(impresora.emitidos.size(), 1);
    EXPECT_EQ(impresora.emitidos[0].titulo, "LISTADO TESTIGO DE ASIENTO DESDE INTERFACE (ERRORES DETECTADOS)");
    for (const QString& e : esperados) EXPECT_TRUE(impresora.emitidos[0].lineas.contains(e)) << e.toStdString();

    // A run without rejections empties the list and disables printing.
    aceptar(w, archivo("b.txt", ventaVexa("1", 770)));
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_EQ(items(w.LstErrores), QStringList());
    EXPECT_FALSE(w.CmdPrintErrores->isEnabled());
}

// While a run goes on nothing of the window can be used and it does not close;
// everything comes back however the run ends, the status text too.
TEST_P(VentanaVexa, LaVentanaVuelveAUsarseAlTerminarLaCorrida)
{
    enum class Fin { Completa, Cancelada, Error, OtraEnCurso };
    const struct {
        Fin fin;
        const char* mensaje; // last box (start of its text)
        const char* titulo;
    } casos[] = {
        {Fin::Completa, "Proceso Finalizado", "Aviso al operador"},
        {Fin::Cancelada, "Proceso Finalizado", "Aviso al operador"},
        {Fin::Error, "Error: ", "Error de datos!"},
        {Fin::OtraEnCurso, "Hay otra recepción en proceso; espere a que finalice", "Aviso al operador"},
    };
    QStringList estado;
    fijarTextoEstado([&estado](const QString& t) { estado << t; });
    int numero = 780;
    for (const auto& c : casos) {
        SCOPED_TRACE(int(c.fin));
        frmDatosVexa w(*ctx);
        w.show();
        int vistas = 0;
        QObject::connect(&w, &frmDatosVexa::lineaLeida, &w, [&](int n) {
            if (n != 2) return;
            ++vistas;
            EXPECT_TRUE(w.corriendo());
            for (QWidget* b : {static_cast<QWidget*>(w.CmdGenerar), static_cast<QWidget*>(w.CmdCancelar),
                               static_cast<QWidget*>(w.CmdBuscar), static_cast<QWidget*>(w.CmdPrintErrores)})
                EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
            EXPECT_TRUE(w.TxtFields[0]->isReadOnly());
            EXPECT_FALSE(w.SSTab1->tabBar()->isEnabled());
            EXPECT_FALSE(w.close());
            if (c.fin == Fin::Cancelada) {
                if (auto* p = w.findChild<QProgressDialog*>()) p->cancel();
                QThread::msleep(60); // the box is looked at every 40 ms
                dialogos.respuestas.enqueue(plataforma::vbYes);
            }
            if (c.fin == Fin::Error) throw std::runtime_error("falla a mitad de la corrida");
        });
        std::optional<ContextoEmpresa::Corrida> otra;
        if (c.fin == Fin::OtraEnCurso) otra.emplace(*ctx);
        const int logAntes = contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION");
        estado.clear();
        aceptar(w, archivo("l.txt", ventaVexa("1", numero) + ventaVexa("2", numero + 1, "100", "22")));
        numero += 2;
        EXPECT_TRUE(dialogos.ultimo().startsWith(QString::fromUtf8(c.mensaje))) << dialogos.ultimo().toStdString();
        EXPECT_EQ(dialogos.mostrados.last().titulo, QString::fromUtf8(c.titulo));
        EXPECT_EQ(vistas, c.fin == Fin::OtraEnCurso ? 0 : 1);
        if (c.fin == Fin::OtraEnCurso) {
            EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), logAntes);
        } else {
            ASSERT_FALSE(estado.isEmpty());
            EXPECT_EQ(estado.last(), QString());
        }
        EXPECT_FALSE(w.corriendo());
        for (QWidget* b : {static_cast<QWidget*>(w.CmdGenerar), static_cast<QWidget*>(w.CmdCancelar),
                           static_cast<QWidget*>(w.CmdBuscar)})
            EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_FALSE(w.TxtFields[0]->isReadOnly());
        EXPECT_TRUE(w.SSTab1->tabBar()->isEnabled());
        EXPECT_EQ(w.CmdPrintErrores->isEnabled(), w.LstErrores->model()->rowCount() > 0);
        otra.reset();
        EXPECT_TRUE(w.close());
    }
    fijarTextoEstado({});
}

VEXA_AMBOS_MOTORES(VentanaVexa);

} // namespace
