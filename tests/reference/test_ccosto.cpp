// The cost-centre distribution of an account: the share and sum rules, and the
// window offscreen on the demo company with scripted message boxes and lookup
// list: loading an account, the centre and share checks, saving and deleting.
#include "BaseDePrueba.h"
#include "CNStuffContable.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "Frmta_asigccosto.h"
#include "GrillaEditable.h"
#include "ListaConsulta.h"
#include "RegistroVentanas.h"
#include "ReglasCCosto.h"
#include "UtilTeb.h"
#include "VentanaPrincipalDePrueba.h"
#include "VentanasCCosto.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <atomic>
#include <thread>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

TEST(ReglasCCosto, PorcentajesYSumas)
{
    struct Caso { const char* texto; qint64 esperado; }; // -1: refused
    const Caso casos[] = {
        {"12,5", 125000}, {"12.5", 125000}, {"12.345", 123450}, {"0.0001", 1}, {"100", 1000000}, {"0", 0},
        {"", 0}, {"abc", -1}, {"-1", -1}, {"100.01", -1}, {"12.5x", -1}, {".", -1}, {"1.23456", -1}, {".12345", -1},
    };
    for (const auto& c : casos) {
        const auto v = ccosto::LeerPorcentaje(QString::fromUtf8(c.texto));
        if (c.esperado < 0) EXPECT_FALSE(v.has_value()) << c.texto;
        else EXPECT_EQ(v.value_or(-1), c.esperado) << c.texto;
    }
    struct Suma { std::vector<const char*> partes; bool valida; };
    const Suma sumas[] = {
        {{"100"}, true}, {{"60"}, true}, {{"33.5", "33.5", "33"}, true}, {{"50.4", "50.4"}, false},
        {{"32.5", "32.5", "35"}, true}, {{"99.999", "0.001"}, true}, {{"99.999", "0.002"}, false}, {{"0.0001", "99.99", "0.0099"}, true},
    };
    for (const auto& s : sumas) {
        std::vector<ccosto::RegCentroCosto> filas(1);
        int n = 0;
        for (const char* p : s.partes) filas.push_back({QString::number(++n).rightJustified(4, u'0'), {}, p});
        QString m;
        EXPECT_EQ(ccosto::SumaPorcentajesValida(filas, m), s.valida) << s.partes.size() << s.partes[0];
        if (!s.valida) EXPECT_EQ(m, ccosto::MensajeSumaFueraDeRango());
    }
    EXPECT_EQ(ccosto::TextoPorcentaje(12.5), "12.5");
    EXPECT_EQ(ccosto::TextoPorcentaje(100), "100");
    EXPECT_EQ(ccosto::TextoPorcentaje(0.0001), "0.0001");
    EXPECT_EQ(ccosto::TextoPorcentaje(100.0 / 3), "33.333");
    EXPECT_EQ(ccosto::CodigoCentro(" 1 "), "0001");
    EXPECT_EQ(ccosto::CodigoCentro(""), "");
}

class VentanaCCosto : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        instalarDialogos(&dlg);
        instalarListaConsulta(&lista);
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
    }
    void TearDown() override
    {
        ventana.reset();
        ctx.reset();
        instalarListaConsulta(nullptr);
        instalarDialogos(nullptr);
        BaseDePrueba::TearDown();
    }
    Frmta_asigccosto& abrir()
    {
        ventana = std::make_unique<Frmta_asigccosto>(*ctx, true);
        ventana->show();
        return *ventana;
    }
    static void tecla(QWidget* w, int k)
    {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, k == Qt::Key_Return ? QStringLiteral("\r") : QString());
        QApplication::sendEvent(w, &e);
    }
    // Enter in the account box; the message shown, if any.
    QString cuenta(const QString& codigo)
    {
        (*ventana->txtCuenta)[0]->setText(codigo);
        const auto antes = dlg.mostrados.size();
        tecla((*ventana->txtCuenta)[0], Qt::Key_Return);
        return dlg.mostrados.size() == antes ? QString() : dlg.ultimo();
    }
    // Types into the cell (row 1..n, column) and presses Enter; the message, if any.
    QString celda(int fila, int col, const QString& t)
    {
        GrillaEditable* g = ventana->FGCCosto;
        g->setCurrentCell(fila - 1, col);
        g->abrirEditor(32);
        EXPECT_TRUE(g->editando()) << fila << "," << col;
        ventana->BrwTxt->setText(t);
        const auto antes = dlg.mostrados.size();
        tecla(ventana->BrwTxt, Qt::Key_Return);
        return dlg.mostrados.size() == antes ? QString() : dlg.ultimo();
    }
    // Types into the cell and leaves it with the mouse (no Enter).
    void dejar(int fila, int col, const QString& t)
    {
        GrillaEditable* g = ventana->FGCCosto;
        g->setCurrentCell(fila - 1, col);
        g->abrirEditor(32);
        ventana->BrwTxt->setText(t);
        g->setCurrentCell(fila - 1 + 1, 1);
    }
    void boton(const char* k) { ventana->UtilTeb1_ButtonClick(QString::fromLatin1(k)); }
    bool habilitado(const char* k) { return ventana->UtilTeb1->habilitado(QString::fromLatin1(k)); }
    // The stored rows of the account: "CCOSTO=PORCENTAJE" in centre order.
    QStringList guardadas(const QString& c)
    {
        QStringList r;
        for (const Fila& f : con().ObtenerRecordset("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = ? "
                                                    "ORDER BY CCOSTO", {c}).todas())
            r << f.texto("CCOSTO") + "=" + ccosto::TextoPorcentaje(f.doble("PORCENTAJE"));
        return r;
    }
    QString grilla(int fila, int col) { return ventana->FGCCosto->texto(fila - 1, col); }

    DialogosGuion dlg;
    ListaConsultaGuion lista;
    std::unique_ptr<ContextoEmpresa> ctx;
    std::unique_ptr<Frmta_asigccosto> ventana;
};

const QString kFletes = QStringLiteral("5101010010002");
const QString kCompras = QStringLiteral("5101010010001");

TEST_P(VentanaCCosto, CargaDeLaCuenta)
{
    abrir();
    EXPECT_EQ(ventana->windowTitle(), "Actualización de Centros de Costos");
    EXPECT_TRUE((*ventana->txtCuenta)[0]->text().isEmpty());
    EXPECT_FALSE(habilitado("REPORTE"));
    EXPECT_TRUE(habilitado("PLANILLA"));
    EXPECT_EQ(cuenta(""), ccosto::MensajeDebeIngresarCuenta());
    EXPECT_EQ(dlg.mostrados.last().titulo, "Aviso al Operador");
    EXPECT_EQ(dlg.mostrados.last().estilo, int(vbExclamation));
    EXPECT_EQ(cuenta("999"), ccosto::MensajeCuentaInexistente());
    EXPECT_EQ(cuenta("51"), ccosto::MensajeCuentaNoImputable());
    EXPECT_TRUE(grilla(1, 1).isEmpty());
    EXPECT_FALSE(ventana->EnEdicion);

    EXPECT_EQ(cuenta(kFletes), QString());
    EXPECT_TRUE(ventana->EnEdicion);
    EXPECT_EQ(ventana->lblDescripcion->text(), "Fletes y Acarreos");
    EXPECT_EQ(grilla(1, 1), "0002");
    EXPECT_EQ(grilla(1, 2), "Comercialización");
    EXPECT_EQ(grilla(1, 3), "50");
    EXPECT_EQ(grilla(3, 1), "0004");
    EXPECT_TRUE(ventana->FGCCosto->editando());
    EXPECT_EQ(ventana->FGCCosto->filaEditor(), 0);
    EXPECT_EQ(ventana->FGCCosto->columnaEditor(), 1);
    EXPECT_TRUE(habilitado("BORRAR"));
    EXPECT_TRUE(habilitado("GRABAR"));
    EXPECT_FALSE((*ventana->txtCuenta)[0]->isEnabled());

    // An account without rows: BORRAR stays off.
    dlg.respuestas.enqueue(vbYes);
    boton("CANCELAR");
    EXPECT_EQ(dlg.mostrados.last().estilo, int(vbYesNo + vbExclamation + vbDefaultButton2));
    EXPECT_EQ(dlg.mostrados.last().titulo, "Atención!!!");
    EXPECT_TRUE((*ventana->txtCuenta)[0]->isEnabled());
    EXPECT_EQ(cuenta("1101010010001"), QString());
    EXPECT_TRUE(ventana->Nuevo);
    EXPECT_FALSE(habilitado("BORRAR"));
}

TEST_P(VentanaCCosto, CentrosDeCosto)
{
    con().Insertar("TA_CCOSTO", {{"CODIGO", "00AB"}, {"DESCRIPCION", "Letras"}});
    con().Insertar("MA_CUENTASCCOSTO", {{"CODIGO", kCompras}, {"CCOSTO", "4"}, {"PORCENTAJE", 0.0}}); // stored short
    abrir();
    ASSERT_EQ(cuenta(kCompras), QString());
    EXPECT_EQ(grilla(1, 1), "0002");
    EXPECT_EQ(grilla(3, 1), "0004"); // the short stored code comes back zero-filled
    EXPECT_EQ(grilla(3, 2), "Logística");
    EXPECT_EQ(celda(4, 1, "9"), ccosto::MensajeCodigoInexistente());
    EXPECT_EQ(dlg.mostrados.last().titulo, "Aviso al Operador");
    EXPECT_EQ(celda(4, 1, "2"), ccosto::MensajeCentroRepetido());
    EXPECT_EQ(celda(4, 1, "00AB"), QString());
    EXPECT_EQ(celda(5, 1, "00ab"), ccosto::MensajeCentroRepetido()); // another letter case
    EXPECT_EQ(celda(5, 1, "1"), QString());
    EXPECT_EQ(grilla(5, 1), "0001");
    EXPECT_EQ(grilla(5, 2), "Administración");
    // A row without a code skips the share and goes on to the next row.
    EXPECT_EQ(celda(6, 1, ""), QString());
    EXPECT_EQ(ventana->FGCCosto->currentRow(), 6);
    EXPECT_EQ(ventana->FGCCosto->currentColumn(), 1);
}

TEST_P(VentanaCCosto, PorcentajesSeGuardanComoSeEscribieron)
{
    struct Caso { std::vector<const char*> partes; const char* mensaje; }; // nullptr: saved
    const Caso casos[] = {
        {{"12,5"}, nullptr}, {{"12.345"}, nullptr}, {{"0.0001"}, nullptr}, {{"100"}, nullptr}, {{"60"}, nullptr},
        {{"33.5", "33.5", "33"}, nullptr},
        {{"abc"}, "El porcentaje debe estar en un rango de 0 a 100"},
        {{"-1"}, "El porcentaje debe estar en un rango de 0 a 100"},
        {{"100.01"}, "El porcentaje debe estar en un rango de 0 a 100"},
        {{"50.4", "50.4"}, "La suma de los porcentajes debe estar entre 0 y 100"},
    };
    const QString centros[] = {"0001", "0002", "0003"};
    abrir();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.partes[0]);
        con().EjecutarSQL("DELETE FROM MA_CUENTASCCOSTO WHERE CODIGO = ?", {kFletes});
        ASSERT_EQ(cuenta(kFletes), QString());
        QString ultimo;
        QStringList esperado;
        for (size_t i = 0; i < c.partes.size(); ++i) {
            EXPECT_EQ(celda(int(i) + 1, 1, centros[i]), QString());
            ultimo = celda(int(i) + 1, 3, QString::fromUtf8(c.partes[i]));
            const auto v = ccosto::LeerPorcentaje(QString::fromUtf8(c.partes[i]));
            if (v) esperado << centros[i] + "=" + ccosto::TextoPorcentaje(double(*v) / 10000.0);
        }
        if (c.mensaje) {
            EXPECT_EQ(ultimo, QString::fromUtf8(c.mensaje));
            boton("GRABAR"); // checked again: nothing saved, nothing typed lost
            EXPECT_TRUE(guardadas(kFletes).isEmpty());
            EXPECT_TRUE(ventana->EnEdicion);
            EXPECT_EQ(grilla(int(c.partes.size()), 3).toLower(), QString::fromUtf8(c.partes.back()));
            dlg.respuestas.enqueue(vbYes);
            boton("CANCELAR");
        } else {
            EXPECT_EQ(ultimo, QString());
            boton("GRABAR");
            EXPECT_FALSE(ventana->EnEdicion);
            EXPECT_EQ(guardadas(kFletes), esperado);
        }
    }
    // Reopened, "12,5" shows as stored.
    con().EjecutarSQL("DELETE FROM MA_CUENTASCCOSTO WHERE CODIGO = ?", {kFletes});
    ASSERT_EQ(cuenta(kFletes), QString());
    celda(1, 1, "3");
    celda(1, 3, "12,5");
    boton("GRABAR");
    ASSERT_EQ(cuenta(kFletes), QString());
    EXPECT_EQ(grilla(1, 3), "12.5");
}

TEST_P(VentanaCCosto, Grabar)
{
    abrir();
    // Two saves leave exactly the second set; a row whose code was emptied is dropped.
    ASSERT_EQ(cuenta(kFletes), QString());
    EXPECT_EQ(celda(2, 1, ""), QString());
    boton("GRABAR");
    EXPECT_EQ(guardadas(kFletes), QStringList({"0002=50", "0004=20"}));
    ASSERT_EQ(cuenta(kFletes), QString());
    EXPECT_EQ(celda(2, 1, "1"), QString());
    EXPECT_EQ(celda(2, 3, "5"), QString());
    boton("GRABAR");
    EXPECT_EQ(guardadas(kFletes), QStringList({"0001=5", "0002=50"}));

    // A cell left with the mouse holding an unknown centre or an excess share: nothing saved.
    ASSERT_EQ(cuenta(kFletes), QString());
    dejar(3, 1, "9");
    EXPECT_EQ(dlg.mostrados.size(), 0);
    boton("GRABAR");
    EXPECT_EQ(dlg.ultimo(), ccosto::MensajeCodigoInexistente());
    EXPECT_EQ(ventana->FGCCosto->filaEditor(), 2);
    EXPECT_EQ(guardadas(kFletes), QStringList({"0001=5", "0002=50"}));
    dejar(3, 1, "3");
    dejar(3, 3, "150");
    boton("GRABAR");
    EXPECT_EQ(dlg.ultimo(), ccosto::MensajePorcentajeFueraDeRango());
    EXPECT_EQ(ventana->FGCCosto->filaEditor(), 2);
    EXPECT_EQ(ventana->FGCCosto->columnaEditor(), 3);
    dejar(3, 3, "50");
    boton("GRABAR");
    EXPECT_EQ(dlg.ultimo(), ccosto::MensajeSumaAlGrabar());
    EXPECT_EQ(guardadas(kFletes), QStringList({"0001=5", "0002=50"}));
    // "GRABAR" with the editor open saves its text.
    ventana->FGCCosto->setCurrentCell(2, 3);
    ventana->FGCCosto->abrirEditor(32);
    ventana->BrwTxt->setText("45");
    boton("GRABAR");
    EXPECT_FALSE(ventana->EnEdicion);
    EXPECT_EQ(guardadas(kFletes), QStringList({"0001=5", "0002=50", "0003=45"}));
}

TEST_P(VentanaCCosto, UnFalloAlGrabarNoDejaNadaAMedias)
{
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER NO_0004 BEFORE INSERT ON MA_CUENTASCCOSTO WHEN NEW.CCOSTO = '0004' "
                          "BEGIN SELECT RAISE(ABORT, 'centro bloqueado'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION no_0004() RETURNS trigger AS $$ BEGIN IF NEW.CCOSTO = '0004' THEN "
                          "RAISE EXCEPTION 'centro bloqueado'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER no_0004 BEFORE INSERT ON MA_CUENTASCCOSTO FOR EACH ROW EXECUTE FUNCTION no_0004()");
    }
    abrir();
    ASSERT_EQ(cuenta(kFletes), QString());
    EXPECT_EQ(celda(1, 3, "40"), QString());
    boton("GRABAR");
    ASSERT_FALSE(dlg.mostrados.isEmpty());
    EXPECT_TRUE(dlg.ultimo().contains("centro bloqueado")) << dlg.ultimo().toStdString();
    EXPECT_EQ(guardadas(kFletes), QStringList({"0002=50", "0003=30", "0004=20"}));
    EXPECT_TRUE(ventana->EnEdicion);
    EXPECT_EQ(grilla(1, 3), "40");
    EXPECT_EQ(grilla(3, 1), "0004");
    EXPECT_FALSE(con().enTransaccion());
}

TEST_P(VentanaCCosto, Borrar)
{
    abrir();
    // With a movement: refused and cleared.
    ASSERT_EQ(cuenta(kCompras), QString());
    boton("BORRAR");
    EXPECT_EQ(dlg.ultimo(), "La cuenta 5101010010001 tiene movimientos");
    EXPECT_EQ(guardadas(kCompras).size(), 2);
    EXPECT_FALSE(ventana->EnEdicion);
    EXPECT_TRUE(grilla(1, 1).isEmpty());
    // Only a movement without amount: deleted.
    con().Insertar("MV_ASIENTOSCCOSTO", {{"CUENTA", kFletes}, {"IMPORTE", QVariant()}});
    ASSERT_EQ(cuenta(kFletes), QString());
    boton("BORRAR");
    EXPECT_TRUE(guardadas(kFletes).isEmpty());
    EXPECT_TRUE(grilla(1, 1).isEmpty());
    // The movement test fails: nothing deleted, the window keeps its state.
    con().Insertar("MA_CUENTASCCOSTO", {{"CODIGO", kFletes}, {"CCOSTO", "0001"}, {"PORCENTAJE", 10.0}});
    ASSERT_EQ(cuenta(kFletes), QString());
    con().EjecutarSQL("ALTER TABLE MV_ASIENTOSCCOSTO RENAME TO MV_ASIENTOSCCOSTO_X");
    const auto antes = dlg.mostrados.size();
    boton("BORRAR");
    EXPECT_GT(dlg.mostrados.size(), antes);
    EXPECT_EQ(guardadas(kFletes), QStringList({"0001=10"}));
    EXPECT_TRUE(ventana->EnEdicion);
    EXPECT_EQ(grilla(1, 1), "0001");
    con().EjecutarSQL("ALTER TABLE MV_ASIENTOSCCOSTO_X RENAME TO MV_ASIENTOSCCOSTO");
}

// Opened by its menu command: BORRAR (F4) is refused while the account has a
// cost-centre movement, however the companion program wrote the account
// (blanks around it); once the movement is gone the rows are deleted.
TEST_P(VentanaCCosto, BorrarSeNiegaConMovimientosAunconBlancosEnLaCuenta)
{
    registrarVentanasCCosto();
    prueba::VentanaPrincipalDePrueba principal;
    ASSERT_TRUE(principal.cargada);
    auto* w = principal.abrir<Frmta_asigccosto>("MnuArchivosCentrosCostos", "Frmta_asigccosto");
    ASSERT_TRUE(w);
    const QStringList filas = guardadas(kFletes);
    ASSERT_FALSE(filas.isEmpty());
    QLineEdit* caja = (*w->txtCuenta)[0];
    // Enter on the account, then F4 where the focus lands; the message shown, if any.
    auto borrar = [&] {
        caja->setFocus();
        prueba::escribir(caja, kFletes);
        prueba::tecla(caja, Qt::Key_Return);
        EXPECT_TRUE(w->EnEdicion);
        const auto antes = dlg.mostrados.size();
        prueba::tecla(QApplication::focusWidget(), Qt::Key_F4);
        return dlg.mostrados.size() == antes ? QString() : dlg.ultimo();
    };
    for (const QString& guardada : {kFletes + " ", " " + kFletes, " " + kFletes + " ", kFletes}) {
        SCOPED_TRACE(("'" + guardada + "'").toStdString());
        con().EjecutarSQL("DELETE FROM MV_ASIENTOSCCOSTO WHERE CUENTA <> ?", {kCompras});
        con().Insertar("MV_ASIENTOSCCOSTO", {{"CUENTA", guardada}, {"IMPORTE", QVariant::fromValue(*Moneda::parsear("125"))}});
        EXPECT_EQ(borrar(), "La cuenta 5101010010002 tiene movimientos");
        EXPECT_EQ(guardadas(kFletes), filas);
        EXPECT_FALSE(w->EnEdicion);
    }
    con().EjecutarSQL("DELETE FROM MV_ASIENTOSCCOSTO WHERE CUENTA <> ?", {kCompras});
    EXPECT_EQ(borrar(), QString());
    EXPECT_TRUE(guardadas(kFletes).isEmpty());
}

TEST_P(VentanaCCosto, TeclasYConsultas)
{
    abrir();
    ASSERT_EQ(cuenta(kFletes), QString());
    GrillaEditable* g = ventana->FGCCosto;
    // Enter on the last grid row appends one; Enter on the grid moves on.
    g->cancelarEdicion();
    const int filas = g->rowCount();
    g->setCurrentCell(filas - 1, 1);
    g->setFocus();
    tecla(g, Qt::Key_Return);
    EXPECT_EQ(g->rowCount(), filas + 1);
    EXPECT_EQ(g->currentRow(), filas);
    EXPECT_FALSE(g->editando());
    tecla(g, Qt::Key_Down); // Down on the last row adds one too
    EXPECT_EQ(g->rowCount(), filas + 2);
    EXPECT_EQ(g->currentRow(), filas + 1);
    // The centre lookup fills the cell and moves on.
    g->setCurrentCell(3, 1);
    g->abrirEditor(32);
    lista.respuestas.enqueue("0001");
    boton("CONSULTAR");
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_EQ(lista.pedidos[0].columnaClave.toUpper(), "CODIGO");
    EXPECT_EQ(grilla(4, 1), "0001");
    EXPECT_EQ(g->currentColumn(), 3);
    // CANCELAR on No keeps everything.
    dlg.respuestas.enqueue(vbNo);
    boton("CANCELAR");
    EXPECT_TRUE(ventana->EnEdicion);
    EXPECT_EQ(grilla(1, 1), "0002");
    dlg.respuestas.enqueue(vbYes);
    boton("CANCELAR");
    // The account picker from the account box.
    (*ventana->txtCuenta)[0]->setFocus();
    ventana->IndiceCuenta = 0;
    ventana->IndiceEditor = -2;
    lista.respuestas.enqueue(kCompras);
    boton("CONSULTAR");
    EXPECT_EQ(lista.pedidos.last().titulo, Configuracion::TituloSeleccionaCuenta());
    EXPECT_EQ(ventana->lblDescripcion->text(), "Compras de Mercaderías");
    EXPECT_TRUE(ventana->EnEdicion);
    EXPECT_EQ(Frmta_asigccosto::CuentaActual, kCompras);
    ventana->close();
    EXPECT_TRUE(Frmta_asigccosto::CuentaActual.isEmpty());
}

TEST_P(VentanaCCosto, PlanillaYMenu)
{
    auto filas = con().ObtenerRecordset(ccosto::ConsultaPlanilla()).todas();
    EXPECT_EQ(filas.size(), 5u);
    registrarVentanasCCosto();
    OpcionesVentana o;
    o.Menu = true;
    std::unique_ptr<QWidget> w(crearVentana("Frmta_asigccosto", *ctx, o));
    ASSERT_TRUE(w);
    auto* f = qobject_cast<Frmta_asigccosto*>(w.get());
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->Menu);
    EXPECT_TRUE(f->property("Menu").toBool());
    EXPECT_TRUE((*f->txtCuenta)[0]->text().isEmpty());
}

// Two connections saving the same account at once leave one whole set.
TEST_P(VentanaCCosto, DosGrabacionesALaVez)
{
    if (motor() != Motor::PostgreSQL) GTEST_SKIP() << "one writer at a time on SQLite";
    std::vector<ccosto::RegCentroCosto> a(1), b(1);
    a.push_back({"0001", {}, "10"});
    a.push_back({"0002", {}, "20"});
    b.push_back({"0003", {}, "30"});
    b.push_back({"0004", {}, "40"});
    for (int vuelta = 0; vuelta < 10; ++vuelta) {
        std::atomic<bool> fallo{false}, listo{false}, ya{false};
        std::thread t([&] {
            try {
                auto otra = otraConexion(); // a connection belongs to the thread that opens it
                listo = true;
                while (!ya) std::this_thread::yield();
                ccosto::Actualizar_Datos(*otra, kFletes, b, false);
            } catch (...) {
                listo = true;
                fallo = true;
            }
        });
        while (!listo) std::this_thread::yield();
        ya = true;
        ccosto::Actualizar_Datos(con(), kFletes, a, false);
        t.join();
        EXPECT_FALSE(fallo);
        const QStringList g = guardadas(kFletes);
        EXPECT_TRUE(g == QStringList({"0001=10", "0002=20"}) || g == QStringList({"0003=30", "0004=40"})) << g.join(',').toStdString();
    }
}

VEXA_AMBOS_MOTORES(VentanaCCosto);

} // namespace
