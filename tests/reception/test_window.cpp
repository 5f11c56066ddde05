// The reception window driven as the operator would: fields, lookup, file
// dialog, preview, the run with its lists, print buttons and log row.
#include "AyudaRecepcion.h"
#include "CorridaRecepcion.h"
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "Reportes.h"
#include "EstadoGlobal.h"
#include "DespachoMenu.h"
#include "FrmInterface.h"
#include "ListaConsulta.h"
#include "RegistroVentanas.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;
using plataforma::vbInformation;

namespace {

// Boxes answered by script; notes any box shown while the connection is inside
// a transaction (the operator would be looking at it while the run holds the
// database's write lock).
class DialogosVigilados : public plataforma::GuionDialogos {
public:
    int MsgBox(const QString& texto, int estilo, const QString& titulo) override
    {
        if (Conexion::instancia().enTransaccion()) conTransaccion << texto;
        return GuionDialogos::MsgBox(texto, estilo, titulo);
    }
    QStringList conTransaccion;
};

class VentanaRecepcion : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        ctx->seccionEquipo = QStringLiteral("EQUIPO|USUARIO");
        plataforma::instalarReportes(&impresora);
        plataforma::instalarListaConsulta(&lista);
    }
    void TearDown() override
    {
        EXPECT_EQ(dialogos.conTransaccion, QStringList());
        plataforma::instalarReportes(nullptr);
        plataforma::instalarListaConsulta(nullptr);
        BaseDePrueba::TearDown();
    }
    QString archivo(const QString& nombre, const QStringList& lineas)
    {
        const QString ruta = dir.filePath(nombre);
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write((lineas.join(QStringLiteral("\r\n")) + (lineas.isEmpty() ? "" : "\r\n")).toUtf8());
        return ruta;
    }
    // Definition and file typed in, then GRABAR.
    void grabar(FrmInterface& w, const QString& definicion, const QString& ruta)
    {
        w.TxtFields[0]->setText(definicion);
        w.Campo_Valida(0);
        w.TxtFields[1]->setText(ruta);
        w.UtilTeb1_ButtonClick(QStringLiteral("grabar"));
    }
    // The rows a list shows, as the operator reads them.
    static QStringList items(QListView* l)
    {
        QStringList r;
        for (int i = 0; i < l->model()->rowCount(); ++i) r << l->model()->index(i, 0).data().toString();
        return r;
    }
    static int cuenta(QListView* l) { return l->model()->rowCount(); }
    static QString item(QListView* l, int i) { return l->model()->index(i, 0).data().toString(); }
    std::optional<Fila> testigo(qint32 id)
    {
        return con().PrimeraFila(QStringLiteral("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?"), {id});
    }
    static void tecla(QWidget* w, int k)
    {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }

    std::unique_ptr<ContextoEmpresa> ctx;
    QTemporaryDir dir;
    DialogosVigilados dialogos;
    plataforma::ReportesGuion impresora;
    plataforma::ListaConsultaGuion lista;
};

TEST_P(VentanaRecepcion, DiezLineasSieteGrabadasTresRechazadas)
{
    QStringList lineas;
    for (int i = 1; i <= 10; ++i) lineas << lineaVenta(125 + i);
    lineas[1] = lineaVenta(500, "100", "21", "121", "CLI999");
    lineas[4] = lineaVenta(501, "100", "21", "1x1");
    lineas[9] = lineaVenta(502, "100", "21", "150");
    const QString ruta = archivo("ventas.txt", lineas);
    FrmInterface w(*ctx);
    EXPECT_EQ(w.windowTitle(), "Recepción de Subdiario desde Interface");
    EXPECT_FALSE(w.CmdPrintGrabados->isEnabled());
    grabar(w, "ventas", ruta);

    const QStringList grabados = items(w.LstGrabados), errores = items(w.LstErrores);
    ASSERT_EQ(grabados.size(), 7);
    ASSERT_EQ(errores.size(), 3);
    EXPECT_EQ(grabados[0], "Linea:  1  " + lineas[0]);
    EXPECT_EQ(grabados[1], "Linea:  3  " + lineas[2]);
    EXPECT_EQ(errores[0], "Linea:  2  La cuenta principal (CLI999) no existe, o las equivalencias no son correctas ");
    EXPECT_EQ(errores[1], "Linea:  5  El Campo Importe Total debe ser numérico ");
    EXPECT_EQ(errores[2], "Linea:  10  El Subdiario no balancea");
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_EQ(dialogos.mostrados.last().titulo, "Aviso al operador");
    EXPECT_EQ(dialogos.mostrados.last().estilo, vbInformation);
    EXPECT_TRUE(w.CmdPrintGrabados->isEnabled());
    EXPECT_TRUE(w.CmdPrintErrores->isEnabled());

    const auto t = testigo(w.IdRecepcion);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), 7);
    EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), 3);
    EXPECT_EQ(t->entero("TOTAL_LINEAS"), 10);
    EXPECT_EQ(t->texto("ARCHIVO"), ruta);
    EXPECT_EQ(t->texto("USUARIO"), "EQUIPO|USUARIO");
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {w.IdRecepcion}), 21);
    EXPECT_EQ(asientosRotos(con()), 0);

    w.CmdPrintGrabados->click();
    w.CmdPrintErrores->click();
    ASSERT_EQ(impresora.emitidos.size(), 2);
    EXPECT_EQ(impresora.emitidos[0].titulo, QStringLiteral("Listado Testigo de Asiento desde interface (Registros Grabados)").toUpper());
    EXPECT_TRUE(impresora.emitidos[0].lineas.contains(grabados[6]));
    EXPECT_EQ(impresora.emitidos[1].titulo, QStringLiteral("Listado Testigo de Asiento desde interface (Errores detectados)").toUpper());
    EXPECT_TRUE(impresora.emitidos[1].lineas.contains(errores[2]));

    // A second run empties the lists and writes its own row.
    const qint32 primero = w.IdRecepcion;
    grabar(w, "VENTAS", archivo("otra.txt", {lineaVenta(600)}));
    EXPECT_EQ(items(w.LstGrabados), QStringList{"Linea:  1  " + lineaVenta(600)});
    EXPECT_EQ(cuenta(w.LstErrores), 0);
    EXPECT_FALSE(w.CmdPrintErrores->isEnabled());
    EXPECT_EQ(w.IdRecepcion, primero + 1);
    const auto t2 = testigo(w.IdRecepcion);
    ASSERT_TRUE(t2);
    EXPECT_EQ(t2->entero("REGISTROS_LEIDOS"), 1);
    EXPECT_EQ(t2->entero("TOTAL_LINEAS"), 1);
    EXPECT_EQ(testigo(primero)->entero("TOTAL_LINEAS"), 10);
}

// The server drops the connection between two runs: the window stays usable,
// GRABAR opens the connection again once (and says so) and the run posts.
TEST_P(VentanaRecepcion, ConexionCortadaPorElServidorYGrabarOtraVez)
{
    const QString aviso = QStringLiteral("Se perdió la conexión con la base de datos; se volvió a conectar.");
    FrmInterface w(*ctx);
    grabar(w, "VENTAS", archivo("uno.txt", {lineaVenta(800)}));
    ASSERT_EQ(cuenta(w.LstGrabados), 1);
    const qint32 primero = w.IdRecepcion;
    if (motor() == Motor::PostgreSQL) {
        const QVariant pid = con().Escalar(QStringLiteral("SELECT pg_backend_pid()"));
        auto otra = otraConexion();
        // Ends the session and waits until the server process is gone.
        ASSERT_TRUE(otra->Escalar(QStringLiteral("SELECT pg_terminate_backend(CAST(? AS INTEGER), 10000)"), {pid}).toBool());
        // The server has closed it; a statement fails as a lost connection, shown, not thrown.
        w.TxtFields[0]->setText(QStringLiteral("VENTAS"));
        w.Campo_Valida(0);
        EXPECT_TRUE(con().conexionPerdida());
    }
    dialogos.mostrados.clear();
    grabar(w, "VENTAS", archivo("dos.txt", {lineaVenta(801)}));
    QStringList vistos;
    for (const auto& m : dialogos.mostrados) vistos << m.texto;
    EXPECT_EQ(vistos.contains(aviso), motor() == Motor::PostgreSQL) << vistos.join(u'|').toStdString();
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_FALSE(con().conexionPerdida());
    EXPECT_EQ(items(w.LstGrabados), QStringList{"Linea:  1  " + lineaVenta(801)});
    EXPECT_EQ(w.IdRecepcion, primero + 1);
    const auto t = testigo(w.IdRecepcion);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), 1);
    EXPECT_EQ(t->entero("TOTAL_LINEAS"), 1);
}

// The server ends the session in the middle of a run (when the tenth voucher's
// rows are written): the run stops with the lost connection named once, its
// lists and its log row agree; the next GRABAR of the window, opened from the
// menu, opens the connection again (and says so) and its run posts.
TEST_P(VentanaRecepcion, ConexionCortadaAMitadDeLaCorridaYGrabarOtraVez)
{
    registrarVentanasRecepcion();
    QMdiArea mdi;
    mdi.show();
    ServiciosMenu s;
    s.contexto = ctx.get();
    s.areaMdi = &mdi;
    DespachoMenu d(s);
    ASSERT_TRUE(d.ejecutar(QStringLiteral("MnuAsientosInterfaz")));
    auto* w = qobject_cast<FrmInterface*>(s.ventanaAbierta(QStringLiteral("FrmInterface")));
    ASSERT_TRUE(w);
    const bool pg = motor() == Motor::PostgreSQL;
    if (pg) {
        con().EjecutarSQL("CREATE SEQUENCE sq_corte");
        con().EjecutarSQL("CREATE FUNCTION f_corte() RETURNS trigger AS $$ BEGIN IF NEW.numero_valor = 909 THEN "
                          "IF nextval('sq_corte') = 1 THEN PERFORM pg_terminate_backend(pg_backend_pid()); END IF; END IF; "
                          "RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_corte AFTER INSERT ON MV_ASIENTOS FOR EACH ROW EXECUTE FUNCTION f_corte()");
    }
    QStringList lineas;
    for (int i = 0; i < 40; ++i) lineas << lineaVenta(900 + i);
    grabar(*w, "VENTAS", archivo("cuarenta.txt", lineas));
    const qint32 primero = w->IdRecepcion;
    const int grabados = cuenta(w->LstGrabados);
    EXPECT_EQ(cuenta(w->LstErrores), 0);
    if (pg) {
        const QString fin = dialogos.ultimo();
        EXPECT_TRUE(fin.contains("Se perdió la conexión con la base de datos")) << fin.toStdString();
        EXPECT_EQ(fin.count("Se perdió la conexión"), 1) << fin.toStdString();
        EXPECT_TRUE(fin.contains(MensajeCorridaDetenida(grabados, 0))) << fin.toStdString();
        EXPECT_LE(grabados, 9); // nothing from the tenth voucher's batch on
    } else {
        EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
        EXPECT_EQ(grabados, 40);
    }

    dialogos.mostrados.clear();
    grabar(*w, "VENTAS", archivo("otro.txt", {lineaVenta(990)}));
    QStringList vistos;
    for (const auto& m : dialogos.mostrados) vistos << m.texto;
    EXPECT_EQ(vistos.contains("Se perdió la conexión con la base de datos; se volvió a conectar."), pg) << vistos.join(u'|').toStdString();
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_EQ(items(w->LstGrabados), QStringList{"Linea:  1  " + lineaVenta(990)});
    EXPECT_EQ(w->IdRecepcion, primero + 1);

    const auto t = testigo(primero);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), grabados);
    EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), 0);
    EXPECT_EQ(t->esNulo("TOTAL_LINEAS"), pg);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {primero}), 3 * grabados);
    EXPECT_EQ(asientosRotos(con()), 0);
    w->close();
}

// Doubled line ends leave empty lines: they are passed by (not listed, not
// counted) and the other lines keep their numbers in the file.
TEST_P(VentanaRecepcion, LineasVaciasEntreFinesDoblesSeSaltan)
{
    const QString ruta = dir.filePath("dobles.txt");
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((lineaVenta(720) + "\r\r\n" + lineaVenta(721) + "\n\r" + lineaVenta(722) + "\r\n").toUtf8());
    }
    FrmInterface w(*ctx);
    grabar(w, "VENTAS", ruta);
    EXPECT_EQ(items(w.LstGrabados), (QStringList{"Linea:  1  " + lineaVenta(720), "Linea:  3  " + lineaVenta(721),
                                                 "Linea:  5  " + lineaVenta(722)}));
    EXPECT_EQ(cuenta(w.LstErrores), 0);
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    const auto t = testigo(w.IdRecepcion);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), 3);
    EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), 0);
    EXPECT_EQ(t->entero("TOTAL_LINEAS"), 3);
}

// Lines the reader cannot use (a NUL, longer than the definition holds) are
// listed as rejected with the reader's message and posted nothing; the lists
// keep no line text and show it read again from the file.
TEST_P(VentanaRecepcion, LineasInusablesRechazadasSinGrabarse)
{
    QString conNulo = lineaVenta(701);
    conNulo[3] = QChar(0);
    const QStringList lineas = {lineaVenta(700), conNulo, QString(70000, u'x'), lineaVenta(702)};
    const QString ruta = archivo("ventas.txt", lineas);
    FrmInterface w(*ctx);
    grabar(w, "VENTAS", ruta);

    EXPECT_EQ(items(w.LstGrabados), (QStringList{"Linea:  1  " + lineas[0], "Linea:  4  " + lineas[3]}));
    EXPECT_EQ(items(w.LstErrores), (QStringList{"Linea:  2  La línea contiene un carácter nulo (NUL) en la posición 4",
                                                "Linea:  3  La línea tiene 70000 caracteres, más que el máximo de 65536"}));
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    const auto t = testigo(w.IdRecepcion);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), 2);
    EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), 2);
    EXPECT_EQ(t->entero("TOTAL_LINEAS"), 4);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {w.IdRecepcion}), 6);
    EXPECT_EQ(asientosRotos(con()), 0);

    w.CmdPrintErrores->click();
    ASSERT_EQ(impresora.emitidos.size(), 1);
    EXPECT_TRUE(impresora.emitidos[0].lineas.contains(items(w.LstErrores)[1]));
}

// A voucher that fails after it reached the database (here a trigger refuses its
// rows) is undone alone: the other vouchers of its batch are posted, numbered
// without a gap, and the log counts them.
TEST_P(VentanaRecepcion, UnComprobanteQueFallaAlGrabarNoArrastraASuLote)
{
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER TR_VETO AFTER INSERT ON MV_ASIENTOS WHEN NEW.NUMERO_VALOR = 3 "
                          "BEGIN SELECT RAISE(ABORT, 'comprobante vetado'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION f_veto() RETURNS trigger AS $$ BEGIN IF NEW.numero_valor = 3 THEN "
                          "RAISE EXCEPTION 'comprobante vetado'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_veto AFTER INSERT ON mv_asientos FOR EACH ROW EXECUTE FUNCTION f_veto()");
    }
    QStringList lineas;
    for (int i = 1; i <= 6; ++i) lineas << lineaVenta(i);
    FrmInterface w(*ctx);
    grabar(w, "VENTAS", archivo("veto.txt", lineas));

    EXPECT_EQ(cuenta(w.LstGrabados), 5);
    ASSERT_EQ(cuenta(w.LstErrores), 1);
    EXPECT_TRUE(item(w.LstErrores, 0).startsWith("Linea:  3  "));
    EXPECT_TRUE(item(w.LstErrores, 0).contains("comprobante vetado"));
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {w.IdRecepcion}), 15);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO_VALOR = 3"), 0);
    EXPECT_EQ(asientosRotos(con()), 0);
    EXPECT_EQ(contar(con(), "SELECT COUNT(DISTINCT [NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {w.IdRecepcion}), 5);
    EXPECT_EQ(contar(con(), "SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {w.IdRecepcion}), 5);
    const auto t = testigo(w.IdRecepcion);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), 5);
    EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), 1);
    EXPECT_EQ(t->entero("TOTAL_LINEAS"), 6);
}

// The entries of a batch are written together at its end, numbered month by
// month. A voucher that fails there (vetoed by the database), and a voucher
// met again in the same batch (replaced, then the same once more), must not
// cost any other line: every other voucher posted once, each month numbered
// 1..n without a gap or a repeat, the failing line listed with its error.
TEST_P(VentanaRecepcion, LotesDeVariosMesesConUnaLineaQueFallaOUnComprobanteRepetido)
{
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER TR_VETO AFTER INSERT ON MV_ASIENTOS WHEN NEW.NUMERO_VALOR = 777 "
                          "BEGIN SELECT RAISE(ABORT, 'comprobante vetado'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION f_veto() RETURNS trigger AS $$ BEGIN IF NEW.numero_valor = 777 THEN "
                          "RAISE EXCEPTION 'comprobante vetado'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_veto AFTER INSERT ON mv_asientos FOR EACH ROW EXECUTE FUNCTION f_veto()");
    }
    auto linea = [](int numero, int mes, const QString& total = "121") {
        const QString neto = total == "121" ? "100" : "200", iva = total == "121" ? "21" : "42";
        return QStringList{QStringLiteral("10/%1/2026").arg(mes, 2, 10, QLatin1Char('0')), "FC",
                           QStringLiteral("0001-%1-A").arg(numero, 8, 10, QLatin1Char('0')), "CLI001", neto, iva, total,
                           "28/12/2026", "Venta"}
            .join(u';');
    };
    struct Caso {
        const char* nombre;
        QStringList lineas;
        int grabados;       // lines recorded
        QString error;      // what the one rejected line says ("" none)
        int errorEn;        // its line number
        int comprobantes;   // vouchers in the journal
    };
    QStringList veto, repetido;
    for (int i = 0; i < 36; ++i) veto << linea(i == 17 ? 777 : 1000 + i, 1 + (i * 5) % 12);
    for (int i = 0; i < 24; ++i) repetido << linea(2000 + i, 1 + (i * 7) % 12);
    repetido.insert(10, linea(2003, 1 + (3 * 7) % 12, "242")); // replaced in the same batch
    repetido.insert(15, linea(2003, 1 + (3 * 7) % 12, "242")); // and the same again: already there
    const Caso casos[] = {
        {"un comprobante vetado a mitad del lote", veto, 35, "comprobante vetado", 18, 35},
        {"un comprobante repetido en el lote", repetido, 25, "El comprobante 0001-00002003-A ya existe!!! ", 16, 24},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
        FrmInterface w(*ctx);
        grabar(w, "VENTAS", archivo(QStringLiteral("lote%1.txt").arg(&c - casos), c.lineas));
        EXPECT_EQ(cuenta(w.LstGrabados), c.grabados);
        ASSERT_EQ(cuenta(w.LstErrores), 1);
        EXPECT_TRUE(item(w.LstErrores, 0).startsWith(QStringLiteral("Linea:  %1  ").arg(c.errorEn))) << item(w.LstErrores, 0).toStdString();
        EXPECT_TRUE(item(w.LstErrores, 0).contains(c.error)) << item(w.LstErrores, 0).toStdString();
        EXPECT_EQ(contar(con(), "SELECT COUNT(DISTINCT NUMERO) FROM MV_ASIENTOS"), c.comprobantes);
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS"), 3 * c.comprobantes);
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO_VALOR = 777"), 0);
        EXPECT_EQ(asientosRotos(con()), 0);
        // Each month's entries numbered 1..n, one voucher each.
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM (SELECT MES_OPERATIVO FROM MV_ASIENTOS GROUP BY PERIODO, MES_OPERATIVO, FAMILIA "
                                "HAVING MIN([NUMERO ASIENTO]) <> 1 OR MAX([NUMERO ASIENTO]) <> COUNT(DISTINCT [NUMERO ASIENTO]) "
                                "OR COUNT(DISTINCT NUMERO) <> COUNT(DISTINCT [NUMERO ASIENTO])) X"),
                  0);
        const auto t = testigo(w.IdRecepcion);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), c.grabados);
        EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), 1);
        EXPECT_EQ(t->entero("TOTAL_LINEAS"), c.lineas.size());
    }
    // The voucher replaced in the batch holds its last total.
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO_VALOR = 2003 AND CABIMPORTE = ?", Params{QVariant::fromValue(Moneda::entero(242))}), 3);
}

// A statement that fails while a line is validated is not read as an answer
// about the voucher ("the sub-journal does not register the type"): the line is
// undone and rejected with the database's error, no box waits for the operator
// while the batch is open, and the log counts every line.
TEST_P(VentanaRecepcion, UnaSentenciaFallidaAlValidarRechazaLaLineaConElError)
{
    con().EjecutarSQL("ALTER TABLE MA_SUBDIARIOSCOMPROBANTES RENAME TO SUBDIARIOS_FUERA");
    FrmInterface w(*ctx);
    grabar(w, "VENTAS", archivo("v.txt", {lineaVenta(1), lineaVenta(2), lineaVenta(3)}));
    EXPECT_EQ(cuenta(w.LstGrabados), 0);
    ASSERT_EQ(cuenta(w.LstErrores), 3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(item(w.LstErrores, i).contains("MA_SUBDIARIOSCOMPROBANTES", Qt::CaseInsensitive))
        << item(w.LstErrores, i).toStdString();
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    con().EjecutarSQL("ALTER TABLE SUBDIARIOS_FUERA RENAME TO MA_SUBDIARIOSCOMPROBANTES");
    const auto t = testigo(w.IdRecepcion);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), 0);
    EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), 3);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS"), 0);
}

// With "ESCRIBE_SOLO_MAYUSCULAS" on, letters typed into the definition are
// upper-cased, but the file's path keeps its letter case (paths are case-sensitive).
TEST_P(VentanaRecepcion, LaRutaDelArchivoConservaMayusculasYMinusculas)
{
    ctx->soloMayusculas = true;
    FrmInterface w(*ctx);
    auto escribir = [](QLineEdit* campo, const QString& texto) {
        for (QChar c : texto) {
            QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(campo, &e);
        }
    };
    escribir(w.TxtFields[0], "ventas");
    EXPECT_EQ(w.TxtFields[0]->text(), "VENTAS");
    w.Campo_Valida(0);
    ASSERT_TRUE(w.TxtFields[1]->isEnabled());
    const QString ruta = archivo("Ventas_Marzo.txt", {lineaVenta(1)});
    escribir(w.TxtFields[1], ruta);
    EXPECT_EQ(w.TxtFields[1]->text(), ruta);
    w.UtilTeb1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_EQ(cuenta(w.LstGrabados), 1);
}

TEST_P(VentanaRecepcion, ArchivoVacio)
{
    FrmInterface w(*ctx);
    grabar(w, "VENTAS", archivo("vacio.txt", {}));
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    const auto t = testigo(w.IdRecepcion);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), 0);
    EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), 0);
    EXPECT_EQ(t->entero("TOTAL_LINEAS"), 0);
    EXPECT_FALSE(w.CmdPrintGrabados->isEnabled());
    EXPECT_FALSE(w.CmdPrintErrores->isEnabled());
}

TEST_P(VentanaRecepcion, GrabarConCamposInvalidosNoCorre)
{
    struct Caso {
        QString definicion, archivo, mensaje;
    };
    const QString existe = archivo("ok.txt", {lineaVenta(126)});
    const Caso casos[] = {
        {"", existe, "Debe Informar una Interfaz"},
        {"NO EXISTE", existe, "El nombre informado no es correcto"},
        {"VENTAS", "", "Debe Informar un archivo"},
        {"VENTAS", dir.filePath("falta.txt"), "No se ha encontrado el archivo en la ubicación especificada"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensaje.toStdString());
        FrmInterface w(*ctx);
        w.TxtFields[0]->setText(c.definicion);
        w.TxtFields[1]->setText(c.archivo);
        dialogos.mostrados.clear();
        w.UtilTeb1_ButtonClick("GRABAR");
        ASSERT_EQ(dialogos.textosMostrados(), QStringList{c.mensaje});
        EXPECT_EQ(dialogos.mostrados[0].titulo, "Aviso al operador...");
        EXPECT_TRUE(w.ErrorCampo);
        if (c.definicion == "NO EXISTE") {
            EXPECT_FALSE(w.TxtFields[1]->isEnabled());
        }
    }
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), 0);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS"), 0);
}

TEST_P(VentanaRecepcion, ListaDeInterfacesDialogoDeArchivoYVistaPrevia)
{
    FrmInterface w(*ctx);
    // F5 in the definition field opens the list; the choice is validated.
    lista.respuestas.enqueue("COMPRAS");
    tecla(w.TxtFields[0], Qt::Key_F5);
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_EQ(lista.pedidos[0].columnaClave, "NOMBRE");
    EXPECT_EQ(lista.pedidos[0].sql, "SELECT NOMBRE FROM TA_INTERFACES GROUP BY NOMBRE ORDER BY NOMBRE");
    EXPECT_EQ(w.TxtFields[0]->text(), "COMPRAS");
    EXPECT_TRUE(w.TxtFields[1]->isEnabled());
    EXPECT_FALSE(w.ErrorCampo);
    // F5 in the file field does nothing; the right button in the definition field opens the list.
    tecla(w.TxtFields[1], Qt::Key_F5);
    EXPECT_EQ(lista.pedidos.size(), 1);
    QMouseEvent clic(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.TxtFields[0], &clic);
    EXPECT_EQ(lista.pedidos.size(), 2);
    // Closed without a choice: the field is emptied and the check rejects it.
    EXPECT_EQ(w.TxtFields[0]->text(), "");
    EXPECT_EQ(dialogos.ultimo(), "Debe Informar una Interfaz");

    // File dialog: a choice fills the field, a cancel empties it.
    const QString ruta = archivo("compras.txt", {lineaCompra(1), lineaCompra(2), lineaCompra(3)});
    w.TxtFields[0]->setText("COMPRAS");
    w.Campo_Valida(0);
    dialogos.archivos.enqueue(ruta);
    w.CmdBuscar->click();
    EXPECT_EQ(w.TxtFields[1]->text(), ruta);
    w.Campo_Valida(1);
    EXPECT_TRUE(w.SSTab1->isTabEnabled(1));
    w.SSTab1->setCurrentIndex(1);
    ASSERT_EQ(w.LstV->topLevelItemCount(), 3);
    EXPECT_EQ(w.LstV->topLevelItem(0)->text(0), " 1");
    EXPECT_EQ(w.LstV->topLevelItem(2)->text(1), lineaCompra(3));
    w.SSTab1->setCurrentIndex(0);
    w.CmdBuscar->click();
    EXPECT_EQ(w.TxtFields[1]->text(), "");
    // Escape goes back to the opened state.
    w.TxtFields[1]->setText(ruta);
    tecla(w.TxtFields[0], Qt::Key_Escape);
    EXPECT_EQ(w.TxtFields[0]->text(), "");
    EXPECT_FALSE(w.TxtFields[1]->isEnabled());
    EXPECT_FALSE(w.SSTab1->isTabEnabled(1));
    registrarVentanasRecepcion();
    EXPECT_TRUE(existeVentana("FrmInterface"));
}

TEST_P(VentanaRecepcion, DuranteLaCorridaLosComandosYElCierreEstanDeshabilitados)
{
    FrmInterface w(*ctx);
    w.show();
    int vistas = 0;
    bool algunoHabilitado = false, cerro = false;
    QObject::connect(&w, &FrmInterface::lineaProcesada, [&](int) {
        ++vistas;
        algunoHabilitado |= w.UtilTeb1->isEnabled() || w.CmdBuscar->isEnabled() || w.CmdPrintGrabados->isEnabled();
        cerro |= w.close();
        w.UtilTeb1_ButtonClick("GRABAR"); // ignored while running
    });
    grabar(w, "VENTAS", archivo("v.txt", {lineaVenta(126), lineaVenta(127), lineaVenta(128)}));
    EXPECT_EQ(vistas, 3);
    EXPECT_FALSE(algunoHabilitado);
    EXPECT_FALSE(cerro);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), 1);
    EXPECT_TRUE(w.UtilTeb1->isEnabled());
    EXPECT_TRUE(w.CmdBuscar->isEnabled());
    EXPECT_TRUE(w.close());
}

// One run at a time per station: asked from another window during a run, or
// while another part of the program holds the station's run, it is refused with
// the message and leaves no log row.
TEST_P(VentanaRecepcion, UnaSegundaCorridaEnLaEstacionSeRechaza)
{
    const QString ruta = archivo("v.txt", {lineaVenta(126), lineaVenta(127)});
    {
        ContextoEmpresa::Corrida ocupada(*ctx);
        FrmInterface w(*ctx);
        grabar(w, "VENTAS", ruta);
        EXPECT_EQ(dialogos.ultimo(), MensajeCorridaEnCurso());
        EXPECT_EQ(dialogos.mostrados.last().estilo, vbInformation);
        EXPECT_EQ(cuenta(w.LstGrabados), 0);
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), 0);
    }
    dialogos.mostrados.clear();
    FrmInterface w(*ctx), otra(*ctx);
    bool intentada = false;
    QObject::connect(&w, &FrmInterface::lineaProcesada, [&](int) {
        if (intentada) return;
        intentada = true;
        otra.TxtFields[0]->setText("VENTAS");
        otra.Campo_Valida(0);
        otra.TxtFields[1]->setText(ruta);
        otra.UtilTeb1_ButtonClick("GRABAR");
    });
    grabar(w, "VENTAS", ruta);
    ASSERT_TRUE(intentada);
    EXPECT_EQ(cuenta(w.LstGrabados), 2);
    EXPECT_EQ(cuenta(otra.LstGrabados), 0);
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_TRUE(dialogos.textosMostrados().join("|").contains(MensajeCorridaEnCurso()));
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), 1);
    // The operator's own clicks wait for the end of a run; only a call made from
    // inside the run, as here, sees the refusal while the batch is open.
    dialogos.conTransaccion.removeIf([](const QString& t) { return t.contains(MensajeCorridaEnCurso()); });
    // Free again once the run ended.
    grabar(otra, "VENTAS", archivo("w.txt", {lineaVenta(128)}));
    EXPECT_EQ(cuenta(otra.LstGrabados), 1);
}

// Another station holds SQLite's write lock for about a second when the run
// begins: the window is told in short steps while it waits (and keeps its events
// going: the timer that lets the lock go runs inside the wait), shows that it
// waits, and the run completes. PostgreSQL waits inside the server: no steps.
TEST_P(VentanaRecepcion, EsperaElBloqueoDeOtraEstacionSinDejarDePintar)
{
    const QString ruta = archivo("v.txt", {lineaVenta(900), lineaVenta(901)});
    FrmInterface w(*ctx);
    w.TxtFields[0]->setText("VENTAS");
    w.Campo_Valida(0);
    w.TxtFields[1]->setText(ruta);
    auto otra = otraConexion();
    std::unique_ptr<Transaccion> bloqueo;
    if (motor() == Motor::SQLite) {
        bloqueo = std::make_unique<Transaccion>(*otra);
        otra->EjecutarSQL("UPDATE TA_INTERFACES SET NOMBRE_ARCHIVO = NOMBRE_ARCHIVO");
    }
    QElapsedTimer reloj;
    reloj.start();
    QObject guardia; // the timer goes with the test
    QTimer::singleShot(1000, &guardia, [&] { bloqueo.reset(); });
    int pasos = 0, ultimoMs = -1;
    QString titulo;
    QObject::connect(&w, &FrmInterface::esperandoBloqueo, [&](int ms) {
        ++pasos;
        EXPECT_GE(ms, ultimoMs);
        ultimoMs = ms;
        titulo = w.windowTitle();
    });
    w.UtilTeb1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
    EXPECT_EQ(cuenta(w.LstGrabados), 2);
    EXPECT_EQ(w.windowTitle(), "Recepción de Subdiario desde Interface");
    if (motor() == Motor::SQLite) {
        EXPECT_GE(reloj.elapsed(), 900);
        EXPECT_GT(pasos, 5);
        EXPECT_GE(ultimoMs, 500);
        EXPECT_TRUE(titulo.contains("Esperando a otra estación")) << titulo.toStdString();
    } else {
        EXPECT_EQ(pasos, 0);
    }
}

// A command whose statement fails shows the error through the central handler
// and the window goes on working.
TEST_P(VentanaRecepcion, UnaOrdenCuyaSentenciaFallaNoRompeLaVentana)
{
    const QString ruta = archivo("v.txt", {lineaVenta(126)});
    FrmInterface w(*ctx);
    con().EjecutarSQL("ALTER TABLE TA_INTERFACES RENAME TO TA_INTERFACES_FUERA");
    dialogos.respuestaPorDefecto = plataforma::vbAbort;
    w.TxtFields[0]->setText("VENTAS");
    EXPECT_NO_THROW(w.Campo_Valida(0));
    EXPECT_TRUE(w.ErrorCampo);
    ASSERT_EQ(dialogos.mostrados.size(), 1);
    EXPECT_EQ(dialogos.mostrados[0].titulo, "Error de datos!");
    EXPECT_NO_THROW(tecla(w.TxtFields[0], Qt::Key_Return));
    w.TxtFields[1]->setText(ruta);
    EXPECT_NO_THROW(w.UtilTeb1_ButtonClick("GRABAR"));
    EXPECT_EQ(dialogos.mostrados.last().titulo, "Error de datos!");
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), 0);
    EXPECT_TRUE(w.UtilTeb1->isEnabled());

    con().EjecutarSQL("ALTER TABLE TA_INTERFACES_FUERA RENAME TO TA_INTERFACES");
    dialogos.respuestaPorDefecto = plataforma::vbOK;
    grabar(w, "VENTAS", ruta);
    EXPECT_EQ(cuenta(w.LstGrabados), 1);
    EXPECT_EQ(dialogos.ultimo(), "Proceso Finalizado");
}

TEST_P(VentanaRecepcion, AlCerrarSellaLaSalidaEnElRegistroDeAccesos)
{
    ctx->usuario = QStringLiteral("OPERADOR");
    ingresoEnAccesos("OPERADOR", "FrmInterface", "Recepción de Subdiario desde Interface", QDateTime(QDate(2026, 3, 1), QTime(9, 0)));
    plataforma::fijarAhora(QDateTime(QDate(2026, 3, 1), QTime(9, 30)));
    {
        FrmInterface w(*ctx);
        w.show();
        w.UtilTeb1_ButtonClick("CERRAR");
        EXPECT_FALSE(w.isVisible());
    }
    plataforma::fijarAhora(QDateTime());
    const auto f = con().PrimeraFila("SELECT EGRESO FROM CONTROL_ACCESO WHERE USUARIO = ? AND FORMULARIO = ?", {"OPERADOR", "FrmInterface"});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fechaHora("EGRESO").toString("yyyy-MM-dd HH:mm"), "2026-03-01 09:30");
}

// Buscar with Qt's own file chooser (the seam's real implementation): notes the
// folder it opens in and its texts, then chooses the file given or cancels.
struct ChooserVisto {
    QString carpeta;
    QStringList textos; // labels and buttons
};
ChooserVisto buscarConSelectorQt(FrmInterface& w, const QString& elegir)
{
    ChooserVisto v;
    plataforma::Dialogos* previo = plataforma::dialogosInstalados();
    plataforma::instalarDialogos(nullptr);
    QTimer t;
    t.setInterval(5);
    QObject::connect(&t, &QTimer::timeout, [&] {
        for (QWidget* x : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<QFileDialog*>(x);
            if (!d || !d->isVisible()) continue;
            t.stop();
            v.carpeta = d->directory().absolutePath();
            for (QLabel* l : d->findChildren<QLabel*>()) v.textos << l->text();
            for (QAbstractButton* b : d->findChildren<QDialogButtonBox*>().value(0)->buttons()) v.textos << b->text();
            if (elegir.isEmpty()) {
                d->reject();
            } else {
                d->selectFile(elegir);
                static_cast<QDialog*>(d)->accept(); // QFileDialog::accept, which checks the choice
            }
            return;
        }
    });
    t.start();
    w.CmdBuscar->click();
    plataforma::instalarDialogos(previo);
    return v;
}

TEST_P(VentanaRecepcion, ElSelectorDeArchivosHablaEspanolYAbreEnLaCarpetaQueCorresponde)
{
    // The company's data folder: the SQLite file's folder; a server company has none (the home folder).
    const QString datos = GetParam() == Motor::SQLite ? QFileInfo(con().datos().dbName).absolutePath() : QDir::homePath();
    const QString ejemplos = QStringLiteral(VEXA_CARPETA_EJEMPLOS "/recepcion");
    const QString otra = dir.filePath(QStringLiteral("otra"));
    ASSERT_TRUE(QDir().mkpath(otra));
    const QString elegido = archivo(QStringLiteral("otra/compras.txt"), {lineaCompra(1)});
    struct Caso { QString campo; QString elegir; QString carpeta; };
    // In order, on one window: what the operator chose before counts.
    const Caso casos[] = {
        {QString(), QString(), datos},                                      // nothing yet
        {QStringLiteral("compras.txt"), QString(), datos},                  // relative: not the working folder
        {ejemplos + QStringLiteral("/ventas.txt"), elegido, ejemplos},      // an example's path
        {QString(), QString(), otra},                                       // the last folder chosen
        {dir.filePath(QStringLiteral("no/hay.txt")), QString(), otra},
        {ejemplos + QStringLiteral("/nuevo.txt"), QString(), ejemplos},
        {otra, QString(), otra},
    };
    FrmInterface w(*ctx);
    w.TxtFields[0]->setText("COMPRAS");
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.campo.toStdString());
        w.TxtFields[1]->setText(c.campo);
        const ChooserVisto v = buscarConSelectorQt(w, c.elegir);
        EXPECT_EQ(v.carpeta, c.carpeta);
        EXPECT_EQ(w.TxtFields[1]->text(), c.elegir);
        for (const char* t : {"Ver en:", "&Nombre de fichero:", "Ficheros de tipo:", "&Abrir", "Cancelar"})
            EXPECT_TRUE(v.textos.contains(QString::fromUtf8(t))) << t << " en " << v.textos.join(" | ").toStdString();
    }
}

VEXA_AMBOS_MOTORES(VentanaRecepcion);

} // namespace
