// The account-reception window driven as the operator would.
#include "Reportes.h"
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "FrmImportacion.h"
#include "FrmInterface.h"
#include "ListaConsulta.h"
#include "RegistroVentanas.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeWidget>

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;
using plataforma::vbInformation;

namespace {

class VentanaCuentas : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        plataforma::instalarReportes(&impresora);
        plataforma::instalarListaConsulta(&lista);
    }
    void TearDown() override
    {
        plataforma::instalarReportes(nullptr);
        plataforma::instalarListaConsulta(nullptr);
        BaseDePrueba::TearDown();
    }
    QString archivo(const QString& nombre, const QByteArray& bytes)
    {
        const QString ruta = dir.filePath(nombre);
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return ruta;
    }
    void grabar(FrmImportacion& w, const QString& definicion, const QString& ruta)
    {
        w.TxtFields[0]->setText(definicion);
        w.Campo_Valida(0);
        w.TxtFields[1]->setText(ruta);
        w.UtilTeb1_ButtonClick(QStringLiteral("grabar"));
    }
    static QStringList items(QListView* l)
    {
        QStringList r;
        for (int i = 0; i < l->model()->rowCount(); ++i) r << l->model()->index(i, 0).data().toString();
        return r;
    }
    static void tecla(QWidget* w, int k, const QString& texto = QString())
    {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, texto);
        QCoreApplication::sendEvent(w, &e);
    }

    std::unique_ptr<ContextoEmpresa> ctx;
    QTemporaryDir dir;
    plataforma::GuionDialogos dialogos;
    plataforma::ReportesGuion impresora;
    plataforma::ListaConsultaGuion lista;
};

TEST_P(VentanaCuentas, AlAbrirYMensajesDeLosCampos)
{
    FrmImportacion w(*ctx);
    EXPECT_EQ(w.objectName(), "FrmImportacion");
    EXPECT_EQ(w.windowTitle(), "Recepción de Cuentas desde Interfaz");
    EXPECT_EQ(w.CmdPrintErrores->text(), "Imprimir &Errores Detectados");
    for (const QString& k : UtilTeb::claves())
        EXPECT_EQ(w.UtilTeb1->habilitado(k), k == "GRABAR" || k == "CONSULTAR" || k == "CERRAR") << k.toStdString();
    EXPECT_FALSE(w.TxtFields[1]->isEnabled());
    struct Caso { int campo; const char* texto; const char* mensaje; };
    const Caso casos[] = {
        {0, "", "Debe Informar una Interfaz"},
        {0, "NO EXISTE", "El nombre informado no es correcto"},
        {0, " clientes ", ""},
        {1, "", "Debe Informar un archivo"},
        {1, "/no/existe.txt", "No se ha encontrado el archivo en la ubicación especificada"},
    };
    for (const Caso& c : casos) {
        dialogos.mostrados.clear();
        w.TxtFields[size_t(c.campo)]->setText(c.texto);
        tecla(w.TxtFields[size_t(c.campo)], Qt::Key_Return);
        EXPECT_EQ(dialogos.ultimo(), c.mensaje) << c.texto;
        EXPECT_EQ(w.HayError, *c.mensaje != 0) << c.texto;
        if (*c.mensaje) {
            EXPECT_EQ(dialogos.mostrados.last().titulo, "Aviso al operador...");
        }
        if (c.campo == 0 && *c.mensaje) {
            EXPECT_FALSE(w.TxtFields[1]->isEnabled());
        }
    }
    EXPECT_FALSE(w.SSTab1->isTabEnabled(1));
    // A missing file shows nothing in the preview.
    w.VistaPrevia(dir.filePath("falta.txt"));
    EXPECT_EQ(w.LstV->topLevelItemCount(), 0);
    EXPECT_FALSE(w.SSTab1->isTabEnabled(1));
    // The others keys of the toolbar do nothing.
    for (const char* k : {"NUEVO", "BORRAR", "PLANILLA", "REPORTE", "CANCELAR"}) w.UtilTeb1_ButtonClick(k);
    EXPECT_EQ(w.TxtFields[0]->text(), " clientes ");
}

// F5 lists the definitions (on the definition field only); a choice is checked
// as if typed; a cancelled file dialog empties the file field.
TEST_P(VentanaCuentas, ListaDeDefinicionesYDialogoDeArchivo)
{
    FrmImportacion w(*ctx);
    w.show();
    lista.respuestas.enqueue("PROVEEDORES");
    w.TxtFields[0]->setFocus();
    tecla(w.TxtFields[0], Qt::Key_F5);
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_EQ(lista.pedidos[0].sql, "SELECT NOMBRE FROM TA_IMPORTACUENTAS GROUP BY NOMBRE ORDER BY NOMBRE");
    EXPECT_EQ(w.TxtFields[0]->text(), "PROVEEDORES");
    EXPECT_TRUE(w.TxtFields[1]->isEnabled());
    w.IndiceActual = 1;
    tecla(w.TxtFields[1], Qt::Key_F5);
    EXPECT_EQ(lista.pedidos.size(), 1);
    const QString ruta = archivo("p.txt", "1\r\n2\r\n3\r\n");
    dialogos.archivos.enqueue(ruta);
    w.CmdBuscar_Click();
    EXPECT_EQ(w.TxtFields[1]->text(), ruta);
    w.CmdBuscar_Click(); // cancelled
    EXPECT_EQ(w.TxtFields[1]->text(), "");
    EXPECT_EQ(w.ArchivoOrigen, "");
}

// With the upper-case rule on, the definition's name is upper-cased as typed,
// a path keeps its case and is found.
TEST_P(VentanaCuentas, LaRutaConservaSusMinusculas)
{
    ctx->soloMayusculas = true;
    const QString ruta = archivo("clientes.txt", "C1;Uno;;RI\r\n");
    FrmImportacion w(*ctx);
    for (QChar c : QStringLiteral("clientes")) tecla(w.TxtFields[0], 0, c);
    EXPECT_EQ(w.TxtFields[0]->text(), "CLIENTES");
    w.Campo_Valida(0);
    for (QChar c : ruta) tecla(w.TxtFields[1], 0, c);
    EXPECT_EQ(w.TxtFields[1]->text(), ruta);
    w.UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(items(w.LstGrabados), QStringList{"Linea:  1  C1;Uno;;RI"});
    EXPECT_EQ(dialogos.ultimo(), "Ha finalizado el proceso con éxito");
}

// The demo's definition over a file with a good line, a warning and an error;
// both lists printable; an empty file ends the same way with nothing listed.
TEST_P(VentanaCuentas, CorridaListasEImpresion)
{
    FrmImportacion w(*ctx);
    grabar(w, "CLIENTES", archivo("c.txt", "C1;\"Uno S.A.\";30-1;RI\r\nC2;Dos;;ZZ\r\n;;\r\n"));
    EXPECT_EQ(items(w.LstGrabados), QStringList{"Linea:  1  C1;\"Uno S.A.\";30-1;RI"});
    EXPECT_EQ(items(w.LstErrores),
              (QStringList{"Linea:  2  <AVISO>La condicion de IVA de C2  Dos no es valida o las equivalencias no son correctas",
                           "Linea:  3  El Código de de origen no contiene un valor"}));
    EXPECT_EQ(dialogos.mostrados.last().titulo, "Aviso al operador");
    EXPECT_EQ(dialogos.mostrados.last().estilo, vbInformation);
    EXPECT_TRUE(w.CmdPrintGrabados->isEnabled());
    EXPECT_TRUE(w.CmdPrintErrores->isEnabled());
    w.CmdPrintGrabados->click();
    ASSERT_EQ(impresora.emitidos.size(), 1);
    EXPECT_TRUE(impresora.emitidos[0].lineas.join("|").contains(
        "LISTADO TESTIGO DE ASIENTO DESDE INTERFACE (REGISTROS GRABADOS)"));
    EXPECT_EQ(con().Escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1102010010004'").toString().trimmed(),
              "Uno S.A.");

    grabar(w, "CLIENTES", archivo("vacio.txt", ""));
    EXPECT_TRUE(items(w.LstGrabados).isEmpty());
    EXPECT_TRUE(items(w.LstErrores).isEmpty());
    EXPECT_FALSE(w.CmdPrintGrabados->isEnabled());
    EXPECT_FALSE(w.CmdPrintErrores->isEnabled());
    EXPECT_EQ(dialogos.ultimo(), "Ha finalizado el proceso con éxito");
}

// During the run nothing can be used and the window does not close; the
// operator cancels from the progress box and confirms with Yes.
TEST_P(VentanaCuentas, DuranteLaCorridaYCancelacion)
{
    FrmImportacion w(*ctx);
    w.show();
    bool algunoHabilitado = false, cerro = false;
    QObject::connect(&w, &FrmImportacion::lineaProcesada, [&](int n) {
        algunoHabilitado |= w.UtilTeb1->isEnabled() || w.CmdBuscar->isEnabled();
        cerro |= w.close();
        w.UtilTeb1_ButtonClick("GRABAR"); // ignored while running
        if (n == 2) {
            auto* cuadro = w.findChild<QProgressDialog*>();
            ASSERT_NE(cuadro, nullptr);
            cuadro->cancel();
            QThread::msleep(60);
        }
    });
    dialogos.respuestas.enqueue(plataforma::vbYes);
    grabar(w, "CLIENTES", archivo("c.txt", "K1;Uno\r\nK2;Dos\r\nK3;Tres\r\nK4;Cuatro\r\n"));
    EXPECT_FALSE(algunoHabilitado);
    EXPECT_FALSE(cerro);
    const QStringList t = dialogos.textosMostrados();
    ASSERT_GE(t.size(), 2);
    EXPECT_EQ(t[t.size() - 2], "Desea cancelar el proceso?");
    EXPECT_EQ(dialogos.mostrados[t.size() - 2].titulo, "CANCELADO POR EL USUARIO");
    EXPECT_EQ(t.last(), "Ha finalizado el proceso con éxito");
    EXPECT_EQ(items(w.LstGrabados).size(), 2);
    EXPECT_LT(items(w.LstGrabados).size(), 4);
    EXPECT_TRUE(w.UtilTeb1->isEnabled());
    EXPECT_TRUE(w.close());
}

// Another reception holds the station: GRABAR is refused with its message.
TEST_P(VentanaCuentas, GrabarRechazadoDuranteOtraRecepcion)
{
    FrmImportacion w(*ctx);
    {
        ContextoEmpresa::Corrida ocupada(*ctx);
        grabar(w, "CLIENTES", archivo("c.txt", "K1;Uno\r\n"));
    }
    EXPECT_EQ(dialogos.ultimo(), "Hay otra recepción en proceso; espere a que finalice");
    EXPECT_EQ(dialogos.mostrados.last().estilo, vbInformation);
    EXPECT_EQ(dialogos.mostrados.last().titulo, "Aviso al operador...");
    EXPECT_TRUE(items(w.LstGrabados).isEmpty());
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM TESTIGO_EXPORTACION").toInt(), 0);
}

TEST_P(VentanaCuentas, AlCerrarSellaLaSalidaYQuedaRegistrada)
{
    ctx->usuario = QStringLiteral("OPERADOR");
    const QString maquina = ingresoEnAccesos("OPERADOR", "FrmImportacion", "Recepción de Cuentas desde Interfaz",
                                             QDateTime(QDate(2026, 3, 1), QTime(9, 0)));
    plataforma::fijarAhora(QDateTime(QDate(2026, 3, 1), QTime(9, 30)));
    {
        FrmImportacion w(*ctx);
        w.show();
        w.UtilTeb1_ButtonClick("CERRAR");
        EXPECT_FALSE(w.isVisible());
    }
    plataforma::fijarAhora(QDateTime());
    const auto f = con().PrimeraFila("SELECT EGRESO FROM CONTROL_ACCESO WHERE FORMULARIO = ? AND MAQUINA = ?",
                                     {"FrmImportacion", maquina});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fechaHora("EGRESO").toString("yyyy-MM-dd HH:mm"), "2026-03-01 09:30");
    registrarVentanasRecepcion();
    EXPECT_TRUE(existeVentana("FrmImportacion"));
}

VEXA_AMBOS_MOTORES(VentanaCuentas);

} // namespace
