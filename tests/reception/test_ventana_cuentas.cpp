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
#include "VentanaPrincipalDePrueba.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTimer>
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
    grabar(w, "CLIENTES", archivo("c.txt", "K1;Uno;;RI\r\nK2;Dos;;RI\r\nK3;Tres;;RI\r\nK4;Cuatro;;RI\r\n"));
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

// The window as the operator meets it: opened by its menu command, the
// definition's name typed and left with Tab, the file typed, GRABAR.
class CuentasDesdeElMenu : public VentanaCuentas {
protected:
    void SetUp() override
    {
        VentanaCuentas::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        registrarVentanasRecepcion();
        principal = std::make_unique<prueba::VentanaPrincipalDePrueba>();
        ASSERT_TRUE(principal->cargada);
        w = principal->abrir<FrmImportacion>(QStringLiteral("MNU_Impota"), QStringLiteral("FrmImportacion"));
        ASSERT_TRUE(w);
    }
    void TearDown() override
    {
        principal.reset();
        VentanaCuentas::TearDown();
    }
    // Name, Tab, path, Enter, GRABAR.
    void recibir(const QString& definicion, const QString& ruta)
    {
        QLineEdit* nombre = w->TxtFields[0];
        nombre->setFocus();
        prueba::escribir(nombre, definicion);
        prueba::tecla(nombre, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), w->TxtFields[1]) << dialogos.ultimo().toStdString();
        prueba::escribir(QApplication::focusWidget(), ruta);
        prueba::tecla(w->TxtFields[1], Qt::Key_Return);
        ASSERT_EQ(w->TxtFields[1]->text(), ruta);
        w->UtilTeb1->boton("GRABAR")->trigger();
    }
    QString iva(const QString& origen)
    {
        return con().Escalar("SELECT A.IVA FROM MA_CUENTASADIC A JOIN TESTIGO_EXPORTACION T ON T.CODIGO_SISTEMA = A.CODIGO "
                             "WHERE T.CODIGO_ORIGEN = ?", {origen}).toString().trimmed();
    }
    // Every insert into MA_CUENTASADIC of that tax number fails from now on.
    void fallaConCuit(const QString& cuit)
    {
        if (motor() == Motor::SQLite) {
            con().EjecutarSQL(QStringLiteral("CREATE TRIGGER falla_cuit BEFORE INSERT ON MA_CUENTASADIC WHEN NEW.NUMERO_DOCUMENTO = '%1' "
                                             "BEGIN SELECT RAISE(ABORT, 'falla inyectada'); END").arg(cuit));
        } else {
            con().EjecutarSQL(QStringLiteral("CREATE FUNCTION falla_cuit() RETURNS trigger AS $$ BEGIN IF NEW.NUMERO_DOCUMENTO = '%1' "
                                             "THEN RAISE EXCEPTION 'falla inyectada'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql").arg(cuit));
            con().EjecutarSQL(QStringLiteral("CREATE TRIGGER falla_cuit BEFORE INSERT ON MA_CUENTASADIC FOR EACH ROW "
                                             "EXECUTE FUNCTION falla_cuit()"));
        }
    }
    std::unique_ptr<prueba::VentanaPrincipalDePrueba> principal;
    FrmImportacion* w = nullptr;
};

// A definition written by hand with a trailing blank is found (its fields and
// equivalences too) on both backends; Tab after the name keeps what is typed
// next; a line without a VAT condition is listed with the warning and an
// unknown one is stored zero-filled.
TEST_P(CuentasDesdeElMenu, NombreConBlancoTabYCondicionesDeIva)
{
    for (const char* t : {"TA_IMPORTACUENTAS", "TA_IMPORTACUENTASDETALLE", "EQ_CONDIVA_IMPORTACION"})
        con().EjecutarSQL(QStringLiteral("UPDATE %1 SET NOMBRE = 'CLIENTES ' WHERE NOMBRE = 'CLIENTES'").arg(QLatin1String(t)));
    recibir(QStringLiteral("clientes"), archivo("c.txt", "C1;Uno;30-1;RI\r\nC2;Dos;30-2;\r\nC3;Tres;30-3;ZZ\r\n"));
    EXPECT_EQ(items(w->LstGrabados), QStringList{"Linea:  1  C1;Uno;30-1;RI"});
    EXPECT_EQ(items(w->LstErrores),
              (QStringList{"Linea:  2  <AVISO>La condicion de IVA de C2  Dos no es valida o las equivalencias no son correctas",
                           "Linea:  3  <AVISO>La condicion de IVA de C3  Tres no es valida o las equivalencias no son correctas"}));
    EXPECT_EQ(dialogos.textosMostrados(), QStringList{"Ha finalizado el proceso con éxito"});
    EXPECT_EQ(iva("C1"), "0001");
    EXPECT_EQ(iva("C2"), "0000");
    EXPECT_EQ(iva("C3"), "00ZZ");
}

// The error question of a line comes while the progress box is up: the box
// shows the line reached (lines done), and the question is asked after it.
TEST_P(CuentasDesdeElMenu, LaPreguntaDeErrorMuestraElProgresoAlcanzado)
{
    struct Visto { bool visible = false; QString etiqueta; int valor = -1; int maximo = -1; };
    class Registro : public plataforma::GuionDialogos {
    public:
        explicit Registro(FrmImportacion* w) : w_(w) {}
        int MsgBox(const QString& texto, int estilo, const QString& titulo) override
        {
            if (titulo == QStringLiteral("Error de datos!")) {
                auto* cuadro = w_->findChild<QProgressDialog*>();
                if (cuadro) vistos.push_back({cuadro->isVisible(), cuadro->labelText(), cuadro->value(), cuadro->maximum()});
                else vistos.push_back({});
            }
            return GuionDialogos::MsgBox(texto, estilo, titulo);
        }
        std::vector<Visto> vistos;

    private:
        FrmImportacion* w_;
    };
    fallaConCuit("99-9");
    Registro preguntas(w);
    preguntas.respuestas.enqueue(plataforma::vbIgnore);
    const QByteArray datos = "E1;Uno;1;RI\r\nE2;Dos;99-9;RI\r\nE3;Tres;3;RI\r\n";
    recibir(QStringLiteral("CLIENTES"), archivo("e.txt", datos));
    ASSERT_EQ(preguntas.vistos.size(), 1u) << preguntas.ultimo().toStdString();
    const Visto& v = preguntas.vistos[0];
    EXPECT_TRUE(v.visible);
    EXPECT_EQ(v.etiqueta, "Registro:  2E2;Dos;99-9;RI");
    EXPECT_EQ(v.valor, int(13 * v.maximo / datos.size())); // the first line's bytes are done
    EXPECT_EQ(items(w->LstGrabados), (QStringList{"Linea:  1  E1;Uno;1;RI", "Linea:  3  E3;Tres;3;RI"}));
    ASSERT_EQ(items(w->LstErrores).size(), 1);
    EXPECT_TRUE(items(w->LstErrores)[0].contains("falla inyectada"));
    EXPECT_EQ(preguntas.ultimo(), "Ha finalizado el proceso con éxito");
    EXPECT_EQ(plataforma::dialogosInstalados(), &preguntas); // the run gave the dialogs back
}

// With the real message boxes: while the question is asked it is the active
// window, in front of the progress box, and has the keyboard: Enter answers it
// (Abort, its default), and the run goes on to its end.
TEST_P(CuentasDesdeElMenu, LaPreguntaTieneElTecladoDelanteDelProgreso)
{
    struct Visto { QString titulo; bool activa = false, teclado = false, progresoVisible = false; };
    std::vector<Visto> vistos;
    // Looks at each question once it has been made the active window, then
    // answers it with Enter on whatever has the keyboard.
    class Responder : public QObject {
    public:
        explicit Responder(std::vector<Visto>& v) : v_(v) {}
        bool eventFilter(QObject* o, QEvent* e) override
        {
            auto* caja = qobject_cast<QMessageBox*>(o);
            if (!caja) return false;
            QPointer<QMessageBox> c(caja);
            if (e->type() == QEvent::Show) {
                // Only against a hang: a question never activated is closed unanswered.
                QTimer::singleShot(30000, caja, [c] {
                    if (c && c->isVisible()) c->done(QMessageBox::Ok);
                });
            } else if (e->type() == QEvent::WindowActivate) {
                QTimer::singleShot(0, caja, [this, c] {
                    if (!c || !c->isVisible()) return;
                    Visto v;
                    v.titulo = c->windowTitle();
                    v.activa = QApplication::activeModalWidget() == c && QApplication::activeWindow() == c;
                    QWidget* foco = QApplication::focusWidget();
                    v.teclado = foco && c->isAncestorOf(foco);
                    for (QWidget* t : QApplication::topLevelWidgets())
                        if (qobject_cast<QProgressDialog*>(t) && t->isVisible()) v.progresoVisible = true;
                    v_.push_back(v);
                    if (foco) prueba::tecla(foco, Qt::Key_Return, QStringLiteral("\r"));
                });
            }
            return false;
        }

    private:
        std::vector<Visto>& v_;
    };
    fallaConCuit("99-9");
    Responder responder(vistos);
    qApp->installEventFilter(&responder);
    plataforma::Dialogos* antes = plataforma::dialogosInstalados();
    plataforma::instalarDialogos(nullptr); // the Qt message boxes
    recibir(QStringLiteral("CLIENTES"), archivo("e.txt", "E1;Uno;1;RI\r\nE2;Dos;99-9;RI\r\nE3;Tres;3;RI\r\n"));
    plataforma::instalarDialogos(antes);
    qApp->removeEventFilter(&responder);
    ASSERT_EQ(vistos.size(), 2u);
    EXPECT_EQ(vistos[0].titulo, "Error de datos!");
    EXPECT_TRUE(vistos[0].activa);
    EXPECT_TRUE(vistos[0].teclado);
    EXPECT_TRUE(vistos[0].progresoVisible);
    EXPECT_EQ(vistos[1].titulo, "Aviso al operador"); // "Ha finalizado el proceso con éxito"
    EXPECT_TRUE(vistos[1].teclado);
    EXPECT_EQ(items(w->LstGrabados).size(), 2);
    EXPECT_EQ(items(w->LstErrores).size(), 1);
}

VEXA_AMBOS_MOTORES(VentanaCuentas);
VEXA_AMBOS_MOTORES(CuentasDesdeElMenu);

} // namespace
