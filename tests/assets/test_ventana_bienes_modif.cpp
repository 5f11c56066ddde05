// The asset change window offscreen on the demo company (active year 2 =
// 2026), with scripted message boxes and lookup lists, over assets of its
// own (codes from 900): which yearly row is shown and when the window is
// read-only, the clearing, the field rules, and the save in one transaction.
#include "BaseDePrueba.h"
#include "CNStuffContable.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "FrmMa_BienesUsoModif.h"
#include "GrabacionBienes.h"
#include "ListaConsulta.h"
#include "Moneda.h"
#include "RegistroVentanas.h"
#include "VentanasBienes.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

#include <atomic>
#include <future>
#include <thread>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

const QString kAviso = QStringLiteral("Aviso al Operador...");

class VentanaBienesModif : public vexa::prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        instalarListaConsulta(&lista);
    }
    void TearDown() override
    {
        instalarListaConsulta(nullptr);
        fijarAhora(QDateTime());
        delete ventana.data();
        ctx.reset();
        BaseDePrueba::TearDown();
    }
    FrmMa_BienesUsoModif& abrir()
    {
        ventana = new FrmMa_BienesUsoModif(*ctx);
        ventana->show();
        return *ventana;
    }
    // An asset on the Rodados account: cost 1200, life 5, years as given.
    void bien(qint64 codigo, const QVariant& nroAsiento = 0, const QVariant& baja = QVariant(), double vida = 5)
    {
        con().EjecutarSQL(QStringLiteral(
            "INSERT INTO MA_BIENES (CODIGO, SERIE, CUENTA_CONTABLE, CUENTA_EJERCICIO, CUENTA_ACUMULADA, FECHA_COMPRA, COSTO, "
            "VIDA_UTIL, PORCENTAJE, UBICACION, AFECTA, DESCRIPCION, PERIODO, VALOR_RECUPERO, FECHA_BAJA, MOTIVO, NRO_ASIENTO) "
            "VALUES (?, 'S-1', '1201010010001', '5201010010001', '1201010010002', ?, ?, ?, '20', 'Depósito', 'Reparto', 'Camión', 0, ?, ?, ?, ?)"),
            {codigo, QDate(2024, 3, 1), QVariant::fromValue(Moneda::entero(1200)), vida, QVariant::fromValue(Moneda::entero(100)),
             baja.isNull() ? QVariant(QMetaType::fromType<QDate>()) : baja, baja.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(QStringLiteral("Venta")),
             nroAsiento});
    }
    void fila(qint64 codigo, qint64 id, qint64 periodo, qint64 control = 0, qint64 asiento = 0, const QVariant& recupero = QVariant())
    {
        con().EjecutarSQL(QStringLiteral(
            "INSERT INTO MV_CALCULO_BIENES (CODIGO, ID, PERIODO, CUENTA, FECHA_CIERRE, PERIODO_DE_CALCULO, CA_VC, COSTO, COEFICIENTE, "
            "PORCENTAJE_DEP, DEP_EJERCICIO, DEP_ACUMULADA, VALOR_RECUPERO, IDCONTROL, AST_NRO_ASIENTO) "
            "VALUES (?, ?, ?, '1201010010001', ?, 12, 1000, ?, 1, 20, ?, ?, ?, ?, ?)"),
            {codigo, id, periodo, QDate(2025, 12, 31), QVariant::fromValue(Moneda::entero(1000)),
             QVariant::fromValue(Moneda::entero(200)), QVariant::fromValue(Moneda::entero(250 + periodo)),
             recupero.isNull() ? QVariant(QMetaType::fromType<Moneda>()) : recupero, control, asiento});
    }
    void mejora(qint64 codigo, qint64 id, qint64 asiento = 0)
    {
        con().EjecutarSQL(QStringLiteral("INSERT INTO MA_BIENES_NOVEDADES (CODIGO, ID, Fecha, COSTO, VALOR_RECUPERO, DESCRIPCION, VIDA_UTIL, "
                                         "PORCENTAJE, PERIODO, NRO_ASIENTO) VALUES (?, ?, ?, ?, ?, 'Caja', 10, 10, 1, ?)"),
                          {codigo, id, QDate(2025, 2, 1), QVariant::fromValue(Moneda::entero(300)), QVariant::fromValue(Moneda::entero(7)), asiento});
    }
    QString enter(ArregloCajas& a, const char* campo, const QString& texto)
    {
        const int i = a.IndiceCampo(QString::fromLatin1(campo));
        EXPECT_GE(i, 0) << campo;
        a[i]->setText(texto);
        const int antes = int(dlg.mostrados.size());
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(a[i], &e);
        if (dlg.mostrados.size() == antes) return QString();
        return dlg.mostrados.last().texto;
    }
    // Keys the code and number and presses Enter on the number.
    QString cargar(qint64 codigo, const QString& numero = QString())
    {
        EXPECT_EQ(enter(*ventana->txtbuso, "CODIGO", QString::number(codigo)), QString());
        return enter(*ventana->txtbuso, "Novedad_iD", numero);
    }
    QLineEdit* buso(const char* c) { return ventana->buso(QString::fromLatin1(c)); }
    QLineEdit* nov(const char* c) { return ventana->nov(QString::fromLatin1(c)); }
    QLineEdit* calc(const char* c) { return ventana->calculo(QString::fromLatin1(c)); }
    static bool abierto(const QWidget* w) { return w->isEnabled(); }
    Fila leer(const QString& sql, const Params& p) { return *con().PrimeraFila(sql, p); }

    std::unique_ptr<ContextoEmpresa> ctx;
    QPointer<FrmMa_BienesUsoModif> ventana;
    GuionDialogos dlg;
    ListaConsultaGuion lista;
};

} // namespace

TEST_P(VentanaBienesModif, FilaElegidaYSoloLectura)
{
    struct Caso {
        const char* nombre;
        std::vector<std::pair<qint64, qint64>> filas; // period, control
        QVariant baja;
        double vida;
        bool lectura, planilla;
        qint64 periodoMostrado;
    };
    const Caso casos[] = {
        {"años 0 y 1: muestra 1, abierto", {{0, 0}, {1, 0}}, {}, 5, false, true, 1},
        {"fila elegida controlada", {{0, 0}, {1, 5}}, {}, 5, true, true, 1},
        {"fila del ejercicio activo", {{1, 0}, {2, 0}, {3, 0}}, {}, 5, true, true, 2},
        {"sin filas: aviso, abierto", {}, {}, 5, false, false, -1},
        {"vida 0 oculta la planilla", {{1, 0}}, {}, 0, false, false, 1},
        {"dado de baja", {{1, 0}}, QVariant(QDate(2025, 11, 1)), 5, true, true, 1},
        {"dado de baja y controlada", {{0, 0}, {1, 5}}, QVariant(QDate(2025, 11, 1)), 5, true, true, 1},
        {"dado de baja y del ejercicio activo", {{1, 0}, {2, 0}}, QVariant(QDate(2026, 3, 1)), 5, true, true, 2},
    };
    qint64 codigo = 900;
    for (const Caso& c : casos) {
        ++codigo;
        bien(codigo, 0, c.baja, c.vida);
        for (auto [p, k] : c.filas) fila(codigo, 0, p, k);
        abrir();
        const int antes = int(dlg.mostrados.size());
        cargar(codigo);
        EXPECT_EQ(abierto(ventana->FrmBusoDatosCompra), !c.lectura) << c.nombre;
        EXPECT_EQ(ventana->CmdAceptar->isEnabled(), !c.lectura) << c.nombre;
        EXPECT_FALSE(abierto(buso("CODIGO"))) << c.nombre;
        EXPECT_EQ(ventana->calculoVisible(), c.planilla) << c.nombre;
        EXPECT_FALSE(ventana->novedadesVisible()) << c.nombre;
        if (c.periodoMostrado >= 0) {
            EXPECT_EQ(calc("dep_acumulada")->text(), Moneda::entero(250 + c.periodoMostrado).texto(2)) << c.nombre;
        }
        const int avisos = int(dlg.mostrados.size()) - antes;
        EXPECT_EQ(avisos, c.baja.isNull() ? 0 : 1) << c.nombre;
        if (avisos) {
            EXPECT_EQ(dlg.mostrados.last().texto, QStringLiteral("Codigo dado de Baja!"));
        }
        delete ventana.data();
    }
}

TEST_P(VentanaBienesModif, ResidualBloqueosDeAsientoYMejora)
{
    // Open: cost 1200 - accumulated 250 = 950; read-only: sheet 1000 - 250 = 750.
    bien(901);
    fila(901, 0, 0);
    abrir();
    cargar(901);
    // the rows' accumulated depreciation is 250 + period
    EXPECT_EQ(buso("Valor_Residual")->text(), QStringLiteral("950.00"));
    delete ventana.data();
    bien(902);
    fila(902, 0, 0, 5);
    abrir();
    cargar(902);
    EXPECT_EQ(buso("Valor_Residual")->text(), QStringLiteral("750.00"));
    delete ventana.data();

    // A posted asset: cost and purchase date locked, the rest open.
    bien(903, 7);
    fila(903, 0, 1);
    abrir();
    cargar(903);
    EXPECT_FALSE(abierto(buso("Costo")));
    EXPECT_FALSE(abierto(buso("Fecha_Compra")));
    EXPECT_TRUE(abierto(buso("vida_util")));
    EXPECT_TRUE(ventana->CmdAceptar->isEnabled());
    // Clearing after a posted load opens everything again but the derived boxes.
    ventana->Inicializa();
    EXPECT_TRUE(abierto(buso("Costo")));
    EXPECT_TRUE(abierto(buso("CODIGO")));
    EXPECT_TRUE(abierto(buso("serie")));
    EXPECT_FALSE(abierto(buso("Periodo")));
    EXPECT_FALSE(ventana->CmdAceptar->isEnabled());
    int ceros = 0;
    for (ArregloCajas* a : {ventana->txtbuso, ventana->txtNov, ventana->txtCalculo})
        for (QLineEdit* t : a->cajas()) ceros += t->text() == QStringLiteral("0.00");
    EXPECT_EQ(ceros, 7);
    delete ventana.data();

    // An improvement with a posted sheet row: five sheet boxes locked.
    bien(904);
    mejora(904, 2);
    fila(904, 2, 1, 0, 9);
    abrir();
    cargar(904, QStringLiteral("2"));
    EXPECT_TRUE(ventana->novedadesVisible());
    EXPECT_EQ(nov("Descripcion")->text(), QStringLiteral("Caja"));
    for (const char* c : {"COSTO", "FECHA_CIERRE", "COEFICIENTE", "DEP_EJERCICIO", "dep_acumulada"}) EXPECT_FALSE(abierto(calc(c))) << c;
    EXPECT_FALSE(abierto(ventana->FrmBusoDatosCompra));
    delete ventana.data();
}

TEST_P(VentanaBienesModif, ClavesInvalidasNoCargan)
{
    bien(905);
    abrir();
    EXPECT_EQ(enter(*ventana->txtbuso, "CODIGO", QStringLiteral("1 OR 1=1")), QStringLiteral("Debe informar un Código Válido"));
    EXPECT_EQ(enter(*ventana->txtbuso, "CODIGO", QStringLiteral("99999")), QStringLiteral("Código Inexistente"));
    EXPECT_EQ(enter(*ventana->txtbuso, "CODIGO", QStringLiteral("905")), QString());
    for (const char* n : {"1 OR 1=1", "2", "x"})
        EXPECT_EQ(enter(*ventana->txtbuso, "Novedad_iD", QString::fromLatin1(n)), QStringLiteral("El codigo informado no existe")) << n;
    EXPECT_TRUE(buso("serie")->text().isEmpty());
    for (const char* n : {"0", ""}) {
        ventana->Inicializa();
        EXPECT_EQ(cargar(905, QString::fromLatin1(n)), QString()) << n;
        EXPECT_EQ(buso("serie")->text(), QStringLiteral("S-1")) << n;
    }
}

TEST_P(VentanaBienesModif, ReglasDeCampos)
{
    bien(906);
    fila(906, 0, 1);
    abrir();
    cargar(906);
    struct Caso { const char* arreglo; const char* campo; const char* valor; const char* mensaje; };
    const Caso casos[] = {
        {"b", "serie", " ", "Debe informar el Campo!!!"},
        {"b", "Costo", "0", "Debe informar el campo  Costo"},
        {"b", "Costo", "abc", "El Costo informado no es válido!!!"},
        {"b", "Costo", "1200", ""},
        {"b", "Valor_Recupero", "1200.01", "El Valor de Recupero no puede ser mayor que el costo"},
        {"b", "Valor_Recupero", "1200", ""},
        {"b", "Periodo", "3", "El Periodo informado es Mayor al último creado"},
        {"b", "Fecha_Compra", "16/06/2026", "La fecha de compra no puede ser mayor a la fecha actual"},
        {"b", "descripcion", "", "Debe Ingresar una Descripción"},
        {"b", "ubicacion", "", "Debe informar el campo "},
        {"c", "PERIODO_DE_CALCULO", "13", "El campo debe ser mayor o igual a 1 y menor o igual a 12"},
        {"c", "PERIODO_DE_CALCULO", "0", "El campo debe ser mayor o igual a 1 y menor o igual a 12"},
        {"c", "PERIODO_DE_CALCULO", "3", ""},
        {"c", "COSTO", "-5", "El costo no puede ser 0"},
        {"c", "dep_acumulada", "1000.01", "La depreciación acumulada debe ser menor o igual al Costo al inicio del Ejercicio"},
        {"c", "dep_acumulada", "100", "La depreciación acumulada no puede ser menor a la depreciación del ejercicio"},
        {"c", "FECHA_CIERRE", "01/01/2026", "La fecha de cierre debe ser menor a la de inicio del ejercicio actual!!!"},
        {"c", "FECHA_CIERRE", "", "Debe informar la fecha Cierre del último Ejercicio"},
    };
    for (const Caso& c : casos) {
        ArregloCajas& a = *c.arreglo == 'b' ? *ventana->txtbuso : *ventana->txtCalculo;
        EXPECT_EQ(enter(a, c.campo, QString::fromUtf8(c.valor)), QString::fromUtf8(c.mensaje)) << c.campo << " " << c.valor;
    }
    EXPECT_EQ(buso("Valor_Recupero")->text(), QStringLiteral("1200.00"));
    EXPECT_EQ(ventana->lblDescPeriodo->text(), QStringLiteral("Trimestral"));
}

TEST_P(VentanaBienesModif, GuardaEnUnaTransaccion)
{
    bien(907);
    fila(907, 0, 0);
    fila(907, 0, 1);
    abrir();
    cargar(907);
    buso("porcentaje")->setText(QStringLiteral("8.5"));
    buso("vida_util")->setText(QStringLiteral("5"));
    calc("COEFICIENTE")->setText(QStringLiteral("1.5"));
    calc("PERIODO_DE_CALCULO")->setText(QStringLiteral("6"));
    calc("FECHA_CIERRE")->clear();
    // vida_util 5 rewrites the percentage to 20: 20 / 12 * 6 = 10
    ventana->CmdAceptar_Click();
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << (dlg.mostrados.isEmpty() ? QString() : dlg.mostrados.last().texto).toStdString();
    const Fila b = leer(QStringLiteral("SELECT * FROM MA_BIENES WHERE CODIGO = ?"), {907});
    EXPECT_EQ(b.texto(QStringLiteral("PORCENTAJE")), QStringLiteral("20.00"));
    const Fila k = leer(QStringLiteral("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = ? AND PERIODO = 1"), {907});
    EXPECT_DOUBLE_EQ(k.doble(QStringLiteral("CA_VC")), 1500);
    EXPECT_DOUBLE_EQ(k.doble(QStringLiteral("PORCENTAJE_DEP")), 10);
    EXPECT_EQ(k.fecha(QStringLiteral("FECHA_CIERRE")), QDate(2025, 12, 31));
    const Fila k0 = leer(QStringLiteral("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = ? AND PERIODO = 0"), {907});
    EXPECT_DOUBLE_EQ(k0.doble(QStringLiteral("CA_VC")), 1000);
    EXPECT_TRUE(buso("serie")->text().isEmpty()); // cleared after the commit
    EXPECT_EQ(bienes::PorcentajeTexto(8.5), QStringLiteral("08.50"));

    // Another station changes the row after the load: nothing is written, the window keeps its boxes.
    cargar(907);
    buso("descripcion")->setText(QStringLiteral("Otra"));
    con().EjecutarSQL(QStringLiteral("UPDATE MV_CALCULO_BIENES SET COEFICIENTE = 2 WHERE CODIGO = 907 AND PERIODO = 1"));
    dlg.respuestaPorDefecto = vbOK;
    ventana->CmdAceptar_Click();
    EXPECT_FALSE(dlg.mostrados.isEmpty());
    EXPECT_EQ(leer(QStringLiteral("SELECT DESCRIPCION FROM MA_BIENES WHERE CODIGO = ?"), {907}).texto(QStringLiteral("DESCRIPCION")),
              QStringLiteral("Camión"));
    EXPECT_EQ(buso("descripcion")->text(), QStringLiteral("Otra"));
    EXPECT_FALSE(ventana->ValidandoTodo);
}

TEST_P(VentanaBienesModif, MejoraConservaValoresDeRecupero)
{
    bien(908);
    mejora(908, 1);
    fila(908, 1, 1, 0, 0, QVariant::fromValue(Moneda::entero(40)));
    abrir();
    cargar(908, QStringLiteral("1"));
    EXPECT_EQ(buso("Valor_Recupero")->text(), QStringLiteral("40.00"));
    // Accept derives the improvement's percentage from its life: 100 / 8.
    nov("Vida_Util")->setText(QStringLiteral("8"));
    ventana->CmdAceptar_Click();
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << (dlg.mostrados.isEmpty() ? QString() : dlg.mostrados.last().texto).toStdString();
    EXPECT_EQ(leer(QStringLiteral("SELECT VALOR_RECUPERO FROM MA_BIENES WHERE CODIGO = ?"), {908}).moneda(QStringLiteral("VALOR_RECUPERO")),
              Moneda::entero(100));
    EXPECT_EQ(leer(QStringLiteral("SELECT VALOR_RECUPERO FROM MV_CALCULO_BIENES WHERE CODIGO = ? AND ID = 1"), {908})
                  .moneda(QStringLiteral("VALOR_RECUPERO")),
              Moneda::entero(40));
    EXPECT_DOUBLE_EQ(leer(QStringLiteral("SELECT PORCENTAJE FROM MA_BIENES_NOVEDADES WHERE CODIGO = ? AND ID = 1"), {908})
                         .doble(QStringLiteral("PORCENTAJE")),
                     12.5);
}

TEST_P(VentanaBienesModif, ConsultasPorTagYEgreso)
{
    bien(909);
    abrir();
    lista.respuestas.enqueue(QStringLiteral("909"));
    QLineEdit* t = buso("CODIGO");
    QFocusEvent foco(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(t, &foco);
    EXPECT_FALSE(ventana->CmdConsulta->isHidden());
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(t, &f5);
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_TRUE(lista.pedidos[0].sql.contains(QStringLiteral("FECHA_BAJA IS NULL")));
    EXPECT_EQ(t->text(), QStringLiteral("909"));
    EXPECT_TRUE(ventana->CodigoValido);
    // A sheet box had the focus last: nothing opens.
    QApplication::sendEvent(calc("COSTO"), &foco);
    ventana->ConsultarCampo();
    EXPECT_EQ(lista.pedidos.size(), 1);
    // Closing (asked first: a code was found) stamps the exit of the visit.
    ctx->usuario = QStringLiteral("OPERADOR");
    ingresoEnAccesos(ctx->usuario, QStringLiteral("FrmMa_BienesUsoModif"), QStringLiteral("Consulta/Modificación de Bienes de Uso"),
                     QDateTime(QDate(2026, 6, 15), QTime(9, 0)));
    dlg.respuestas.enqueue(vbYes);
    ventana->CmdTerminar_Click();
    EXPECT_EQ(dlg.mostrados.last().texto, QStringLiteral("¿Está seguro de abandonar la carga de datos?"));
    EXPECT_TRUE(ventana->isHidden());
    EXPECT_EQ(con().Escalar(QStringLiteral("SELECT COUNT(*) FROM CONTROL_ACCESO WHERE FORMULARIO = 'FrmMa_BienesUsoModif' AND EGRESO IS NOT NULL")).toLongLong(), 1);
}

TEST_P(VentanaBienesModif, AceptarFallidoNoSaltaLosBloqueos)
{
    // A failed Accept leaves no check-all state behind: after Cancel the
    // controlled asset still loads read-only.
    bien(910);
    fila(910, 0, 1);
    bien(911);
    fila(911, 0, 1, 5);
    abrir();
    cargar(910);
    buso("serie")->setText(QStringLiteral(" "));
    ventana->CmdAceptar_Click();
    EXPECT_EQ(dlg.mostrados.last().texto, QStringLiteral("Debe informar el Campo!!!"));
    EXPECT_FALSE(ventana->ValidandoTodo);
    dlg.respuestas.enqueue(vbYes);
    ventana->CmdCancelar_Click();
    cargar(911);
    EXPECT_FALSE(ventana->FrmBusoDatosCompra->isEnabled());
    EXPECT_FALSE(ventana->CmdAceptar->isEnabled());
    // Accept on a read-only load writes nothing.
    ventana->CmdAceptar_Click();
    EXPECT_EQ(leer(QStringLiteral("SELECT SERIE FROM MA_BIENES WHERE CODIGO = ?"), {911}).texto(QStringLiteral("SERIE")), QStringLiteral("S-1"));
}

// Two stations read the same asset and save it at the same instant: the
// second one's save reaches the row while the first holds it, uncommitted.
// Exactly one wins: the first one's change stays, the second is told that
// the row changed after it read it and writes nothing.
TEST_P(VentanaBienesModif, DosEstacionesGrabanElMismoBienALaVez)
{
    bien(912);
    fila(912, 0, 1);
    const qint64 activo = ctx->periodo();
    // Each window writes back all it shows: A a new description, B a new
    // location, both the yearly row as it was read.
    auto cambio = [](char quien) {
        bienes::GrabacionModificacion g;
        g.bien = {{QStringLiteral("DESCRIPCION"), quien == 'A' ? QStringLiteral("Grúa") : QStringLiteral("Camión")},
                  {QStringLiteral("UBICACION"), quien == 'A' ? QStringLiteral("Depósito") : QStringLiteral("Planta 2")}};
        g.calculo = {{QStringLiteral("COEFICIENTE"), 1.0}, {QStringLiteral("PERIODO_DE_CALCULO"), 12}};
        return g;
    };
    const bienes::CargaModificacion cargaA = bienes::CargarModificacion(con(), 912, 0, activo);

    // Station B, on its own connection and thread: reads, then saves when told.
    std::promise<qlonglong> leido;     // B's server process (PostgreSQL), once B has read
    std::promise<void> adelante;       // A holds its save open: B may save now
    std::promise<void> esperando;      // B waits for A's lock (SQLite tells it)
    std::atomic<bool> terminado{false}, aviso{false};
    QString errorB;
    bool grabadoB = false;
    std::thread b([&] {
        auto conB = otraConexion();
        const qlonglong pid = motor() == Motor::PostgreSQL ? conB->Escalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong() : 0;
        const bienes::CargaModificacion cargaB = bienes::CargarModificacion(*conB, 912, 0, activo);
        conB->setAlEsperar([&](int) {
            if (!aviso.exchange(true)) esperando.set_value();
        });
        leido.set_value(pid);
        adelante.get_future().wait();
        try {
            bienes::GrabarModificacion(*conB, cargaB, cambio('B'));
            grabadoB = true;
        } catch (const ErrorVexa& e) {
            errorB = e.descripcion();
        } catch (const std::exception& e) {
            errorB = QString::fromLocal8Bit(e.what());
        }
        terminado = true;
    });
    const qlonglong pidB = leido.get_future().get();

    {
        // Station A saves inside a transaction it keeps open until B waits for it.
        Transaccion abierta(con());
        bienes::GrabarModificacion(con(), cargaA, cambio('A'));
        adelante.set_value();
        if (motor() == Motor::SQLite) {
            esperando.get_future().wait();
        } else {
            // The server keeps B waiting: it shows so in its activity view.
            auto mira = otraConexion();
            bool espera = false;
            for (int i = 0; i < 30000 && !espera && !terminado; ++i) {
                espera = mira->Escalar(QStringLiteral("SELECT wait_event_type FROM pg_stat_activity WHERE pid = ?"), {pidB})
                             .toString() == QStringLiteral("Lock");
                if (!espera) QThread::msleep(2);
            }
            EXPECT_TRUE(espera) << "B no llegó a esperar por la fila";
        }
        abierta.confirmar();
    }
    b.join();

    EXPECT_FALSE(grabadoB);
    EXPECT_EQ(errorB, QStringLiteral("Otro usuario modificó o eliminó el registro después de leerlo; vuelva a consultarlo antes de grabar."));
    const Fila f = leer(QStringLiteral("SELECT DESCRIPCION, UBICACION FROM MA_BIENES WHERE CODIGO = ?"), {912});
    EXPECT_EQ(f.texto(QStringLiteral("DESCRIPCION")), QStringLiteral("Grúa"));
    EXPECT_EQ(f.texto(QStringLiteral("UBICACION")), QStringLiteral("Depósito"));
}

// The demo company's own assets as the window opens them: each with the row
// of its closed year unless it has one of the active year; the controlled,
// calculated and retired ones read-only; the posted one with its cost and
// purchase date locked.
TEST_P(VentanaBienesModif, BienesDeLaDemo)
{
    struct Caso {
        const char* nombre;
        qint64 codigo;
        const char* numero;
        bool lectura, costoAbierto;
        const char* acumulada;
        int avisos;
    };
    const Caso casos[] = {
        {"rodado", 1, "", false, true, "100000.00", 0},
        {"mejora del escritorio", 3, "1", false, false, "2666.67", 0},
        {"dado de baja", 4, "", true, false, "165000.00", 1},
        {"compra contabilizada", 5, "", false, false, "160000.00", 0},
        {"fila con control", 6, "", true, false, "15000.00", 0},
        {"calculado en el ejercicio activo", 7, "", true, false, "120000.00", 0},
    };
    for (const Caso& c : casos) {
        abrir();
        const int antes = int(dlg.mostrados.size());
        cargar(c.codigo, QString::fromLatin1(c.numero));
        EXPECT_EQ(int(dlg.mostrados.size()) - antes, c.avisos) << c.nombre;
        EXPECT_EQ(ventana->CmdAceptar->isEnabled(), !c.lectura) << c.nombre;
        EXPECT_FALSE(abierto(buso("CODIGO")) || abierto(buso("Novedad_iD"))) << c.nombre; // the key stays
        EXPECT_EQ(abierto(buso("Costo")) && abierto(ventana->FrmBusoDatosCompra), c.costoAbierto) << c.nombre;
        EXPECT_EQ(abierto(buso("Fecha_Compra")) && abierto(ventana->FrmBusoDatosCompra), c.costoAbierto) << c.nombre;
        EXPECT_TRUE(ventana->calculoVisible()) << c.nombre;
        EXPECT_EQ(calc("dep_acumulada")->text(), QString::fromLatin1(c.acumulada)) << c.nombre;
        delete ventana.data();
    }
    // The posted asset: everything else open (a life, a description).
    abrir();
    cargar(5);
    EXPECT_TRUE(abierto(buso("vida_util")));
    EXPECT_TRUE(abierto(buso("descripcion")));
    EXPECT_TRUE(abierto(calc("PERIODO_DE_CALCULO")));

    // A corrected life and sheet are found on reopening.
    dlg.mostrados.clear();
    buso("vida_util")->setText(QStringLiteral("8"));
    calc("PERIODO_DE_CALCULO")->setText(QStringLiteral("9"));
    ventana->CmdAceptar_Click();
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << (dlg.mostrados.isEmpty() ? QString() : dlg.mostrados.last().texto).toStdString();
    cargar(5);
    EXPECT_EQ(buso("vida_util")->text(), QStringLiteral("8"));
    EXPECT_EQ(buso("porcentaje")->text(), QStringLiteral("12.50"));
    EXPECT_EQ(calc("PERIODO_DE_CALCULO")->text(), QStringLiteral("9"));
    EXPECT_EQ(buso("Costo")->text(), QStringLiteral("2400000.00"));
    EXPECT_FALSE(abierto(buso("Costo")));
}

TEST_P(VentanaBienesModif, SeAbrePorSuNombre)
{
    registrarVentanasBienes();
    QWidget* w = crearVentana(QStringLiteral("FrmMa_BienesUsoModif"), *ctx, OpcionesVentana());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Consulta/Modificación de Bienes de Uso"));
    EXPECT_EQ(w->objectName(), QStringLiteral("FrmMa_BienesUsoModif"));
    delete w;
}

VEXA_AMBOS_MOTORES(VentanaBienesModif);
