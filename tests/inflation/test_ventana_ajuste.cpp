// The adjustment-entry window offscreen on the demo company (active year 2 =
// 2026, its previous year closed), with scripted message boxes: the proposed
// header, each field's checks, the period mask, "&Generar" by focus, the
// voucher-type setting, the two questions, the menu and the exit stamp, the
// refusal of a year already adjusted, and the listing. The clock says June 2026.
#include "BaseDePrueba.h"
#include "ArchivoIni.h"
#include "AsientoAjuste.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "DespachoMenu.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "FrmAjusteInflacion.h"
#include "GrillaEditable.h"
#include "UtilTeb.h"
#include "frmMA_INDAJUSTE.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>

#include <tuple>

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::plataforma;

namespace {

const QString kAvisoCampo = QStringLiteral("Aviso al Operador");

int contar(Conexion& c, const QString& sql) { return int(c.Escalar(sql).toLongLong()); }

void tecla(QWidget* w, int k, const QString& texto = QString(), QEvent::Type tipo = QEvent::KeyPress)
{
    QKeyEvent e(tipo, k, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &e);
}

int teclaDe(QChar c)
{
    if (c.isDigit()) return Qt::Key_0 + c.digitValue();
    if (c == u'-') return Qt::Key_Minus;
    if (c == u'/') return Qt::Key_Slash;
    return Qt::Key_A + (c.toUpper().unicode() - u'A');
}

class VentanaAjuste : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        ctx->usuario = QStringLiteral("OPERADOR");
        ctx->seccionEquipo = QStringLiteral("EQUIPO|PRUEBA");
        ArchivoIni::GrabarIni(ctx->archivoIni, ctx->seccionEquipo, QStringLiteral("Ajuste(TC)"), QString());
    }
    void TearDown() override
    {
        delete ventana.data();
        fijarAhora(QDateTime());
        ctx.reset();
        BaseDePrueba::TearDown();
    }
    FrmAjusteInflacion& abrir()
    {
        delete ventana.data();
        ventana = new FrmAjusteInflacion(*ctx);
        ventana->show();
        return *ventana;
    }
    QLineEdit* campo(const char* n) { return ventana->campo(QString::fromLatin1(n)); }
    // Types the text into the field and presses Enter; the box it showed, if any.
    QString enter(const char* n, const QString& texto)
    {
        QLineEdit* c = campo(n);
        c->setText(texto);
        const int antes = int(dlg.mostrados.size());
        tecla(c, Qt::Key_Return, QStringLiteral("\r"));
        return int(dlg.mostrados.size()) > antes ? dlg.mostrados.last().texto : QString();
    }
    static void foco(QWidget* w)
    {
        QFocusEvent e(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(w, &e);
    }
    // An adjustment entry of the active year already saved up to 'hasta'.
    void ajusteGuardado(const QString& hasta, int numero = 950)
    {
        con().Insertar(QStringLiteral("MV_ASIENTOS"),
                       {{QStringLiteral("PERIODO"), 2},
                        {QStringLiteral("MES_OPERATIVO"), 12},
                        {QStringLiteral("[NUMERO ASIENTO]"), numero},
                        {QStringLiteral("SECUENCIA"), 1},
                        {QStringLiteral("TIPO_REG"), QString()},
                        {QStringLiteral("FECHA"), QDate(2026, 12, 31)},
                        {QStringLiteral("CUENTA"), QStringLiteral("3101010010001")},
                        {QStringLiteral("[DEBE-HABER]"), QStringLiteral("D")},
                        {QStringLiteral("IMPORTE"), QVariant::fromValue(Moneda::entero(10))},
                        {QStringLiteral("DETALLE"), QStringLiteral("Ajuste anterior")},
                        {QStringLiteral("TC"), QStringLiteral("00OP")},
                        {QStringLiteral("SUCURSAL"), QStringLiteral("0001")},
                        {QStringLiteral("NUMERO"), QStringLiteral("00000044")},
                        {QStringLiteral("LETRA"), QStringLiteral("X")},
                        {QStringLiteral("ESAJUSTE"), 1},
                        {QStringLiteral("Ajuste_Hasta"), hasta}});
    }

    std::unique_ptr<ContextoEmpresa> ctx;
    QPointer<FrmAjusteInflacion> ventana;
    GuionDialogos dlg;
};

TEST_P(VentanaAjuste, CabeceraPropuesta)
{
    FrmAjusteInflacion& w = abrir();
    EXPECT_EQ(w.objectName(), "FrmAjusteInflacion");
    EXPECT_EQ(w.windowTitle(), "Asiento de Ajuste por Inflación");
    EXPECT_EQ(campo("PERIODO_DESDE")->text(), "01/2026");
    EXPECT_EQ(campo("PERIODO_HASTA")->text(), "12/2026");
    EXPECT_EQ(campo("FECHA")->text(), "31/12/2026");
    EXPECT_EQ(campo("[NUMERO ASIENTO]")->text().left(3), "06-");
    EXPECT_EQ(campo("[NUMERO ASIENTO]")->text().size(), 10);
    for (const char* n : {"PERIODO_DESDE", "PERIODO_HASTA", "FECHA", "[NUMERO ASIENTO]", "CABIMPORTE"})
        EXPECT_FALSE(campo(n)->isEnabled()) << n;
    for (const char* n : {"CTA_REI", "TC", "SUCURSAL", "NUMERO", "LETRA", "DETALLE"}) EXPECT_TRUE(campo(n)->isEnabled()) << n;
    EXPECT_FALSE(w.CmdGenerar->isEnabled());
    EXPECT_EQ(w.txtTotal[0]->text(), "0");
    EXPECT_EQ(w.txtTotal[1]->text(), "0");
    EXPECT_FALSE(w.txtTotal[0]->isEnabled());
    QStringList titulos;
    for (int c = 0; c < w.FgResumen->columnCount(); ++c) titulos << w.FgResumen->horizontalHeaderItem(c)->text();
    EXPECT_EQ(titulos, (QStringList{"Linea", "Cuenta", "Descripción", "Debe             ", "Haber            "}));
    EXPECT_EQ(w.FgResumen->rowCount(), 19);
    // The idle toolbar.
    for (const char* k : {"NUEVO", "PLANILLA", "REPORTE", "CERRAR", "CANCELAR"}) EXPECT_TRUE(w.UtilTeb1->habilitado(k)) << k;
    for (const char* k : {"GRABAR", "BORRAR"}) EXPECT_FALSE(w.UtilTeb1->habilitado(k)) << k;
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();

    // A saved adjustment up to June proposes July as the first month.
    ajusteGuardado(QStringLiteral("06/2026"));
    abrir();
    EXPECT_EQ(campo("PERIODO_DESDE")->text(), "07/2026");
    EXPECT_EQ(campo("PERIODO_HASTA")->text(), "12/2026");
    // Another year's adjustment does not count.
    con().EjecutarSQL(QStringLiteral("UPDATE MV_ASIENTOS SET PERIODO = 1 WHERE ESAJUSTE = 1"));
    abrir();
    EXPECT_EQ(campo("PERIODO_DESDE")->text(), "01/2026");
}

TEST_P(VentanaAjuste, MensajesDeCadaCampo)
{
    struct Caso {
        const char* nombre;
        std::vector<std::pair<const char*, const char*>> antes; // fields set first (text only)
        const char* campo;
        const char* texto;
        const char* mensaje; // "" accepted
        const char* titulo;
        const char* queda;   // the field's text afterwards (nullptr: not checked)
    };
    const char* aviso = "Aviso al Operador";
    const Caso casos[] = {
        {"cuenta vacía", {}, "CTA_REI", "", "Debe ingresar un código de Cuenta R.E.I.", aviso, nullptr},
        {"cuenta inexistente", {}, "CTA_REI", "999", "Código inexistente", aviso, "999"},
        {"cuenta existente", {}, "CTA_REI", "3101010010001", "", nullptr, nullptr},
        {"tipo sin letras", {}, "TC", "ZZZZ", "El tipo de comprobante ingresado no es valido o no tiene asignada ninguna letra", aviso, nullptr},
        {"sucursal no numérica", {}, "SUCURSAL", "A1", "El campo debe ser numérico ", aviso, "A1"},
        {"sucursal vacía", {}, "SUCURSAL", "", "", nullptr, "0001"},
        {"sucursal con ceros", {}, "SUCURSAL", "12", "", nullptr, "0012"},
        {"número de un tipo sin letras", {{"TC", "ZZZZ"}}, "NUMERO", "5", "El comprobante no tiene letras asignadas", aviso, nullptr},
        {"número no numérico", {{"TC", "00FA"}}, "NUMERO", "12X", "El campo debe ser numérico", aviso, nullptr},
        {"número no correlativo", {{"TC", "00FA"}}, "NUMERO", "200", "El numero no es correlativo al último informado en configuracion", "", "00000200"},
        {"número correlativo", {{"TC", "00FA"}}, "NUMERO", "7", "", nullptr, "00000007"},
        {"letra no admitida", {{"TC", "00FA"}}, "LETRA", "Z", "Debe ingresar A,B,C,X,E", aviso, nullptr},
        {"letra fuera del tipo", {{"TC", "00FA"}}, "LETRA", "C", "La letra Informada no forma parte de las informadas en la configuracion", aviso, nullptr},
        {"concepto vacío", {}, "DETALLE", "", "Debe ingresar el Concepto", aviso, nullptr},
        {"periodo vacío", {}, "PERIODO_DESDE", "", "Debe Informar el Periodo!", aviso, nullptr},
        {"periodo corto", {}, "PERIODO_DESDE", "01/26", "Debe informar los periodos en formato MM/AAAA", aviso, nullptr},
        {"mes 13", {}, "PERIODO_HASTA", "13/2026", "Los datos ingresados no representan un periodo válido", aviso, nullptr},
        {"desde mayor", {{"PERIODO_HASTA", "03/2026"}}, "PERIODO_DESDE", "05/2026", "Periodo Desde Mayor que Hasta!", aviso, nullptr},
        {"desde fuera del ejercicio", {}, "PERIODO_DESDE", "12/2025", "El Periodo Desde no pertenece al rango del Ejercicio", "", nullptr},
        {"hasta fuera del ejercicio", {}, "PERIODO_HASTA", "01/2027", "El Periodo Hasta no pertenece al rango del Ejercicio", "", nullptr},
        {"periodo aceptado", {}, "PERIODO_DESDE", "03/2026", "", nullptr, nullptr},
        {"fecha vacía", {}, "FECHA", "", "Debe ingresar una fecha", aviso, nullptr},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        FrmAjusteInflacion& w = abrir();
        for (auto [n, t] : c.antes) campo(n)->setText(QString::fromUtf8(t));
        QLineEdit* f = campo(c.campo);
        f->setText(QString::fromUtf8(c.texto));
        const int antes = int(dlg.mostrados.size());
        w.ValidaCampo(f, w.indiceCampo(QString::fromLatin1(c.campo)), true);
        const QString esperado = QString::fromUtf8(c.mensaje);
        const bool soloAviso = QString::fromUtf8(c.nombre) == "número no correlativo"; // accepted after its notice
        EXPECT_EQ(w.HayError, !esperado.isEmpty() && !soloAviso);
        if (esperado.isEmpty()) {
            EXPECT_EQ(dlg.mostrados.size(), antes) << dlg.ultimo().toStdString();
        } else {
            ASSERT_EQ(dlg.mostrados.size(), antes + 1);
            EXPECT_EQ(dlg.ultimo(), esperado);
            EXPECT_EQ(dlg.mostrados.last().titulo, QString::fromUtf8(c.titulo));
        }
        if (c.queda) {
            EXPECT_EQ(f->text(), QString::fromUtf8(c.queda));
        }
    }
    // Without the message: the same refusal, no box.
    FrmAjusteInflacion& w = abrir();
    const int antes = int(dlg.mostrados.size());
    campo("DETALLE")->clear();
    w.ValidaCampo(campo("DETALLE"), w.indiceCampo("DETALLE"), false);
    EXPECT_TRUE(w.HayError);
    EXPECT_EQ(dlg.mostrados.size(), antes);
}

TEST_P(VentanaAjuste, CuentaYComprobanteCompletanLaCabecera)
{
    FrmAjusteInflacion& w = abrir();
    EXPECT_EQ(enter("CTA_REI", "3101010010001"), QString());
    EXPECT_EQ(w.LblDescCuenta->text(), "Capital Social");
    EXPECT_TRUE(w.DatosModificados);
    // An own-numbered type proposes its default branch, last number and first letter.
    EXPECT_EQ(enter("TC", "00FA"), QString());
    EXPECT_EQ(campo("SUCURSAL")->text(), "0001");
    EXPECT_EQ(campo("NUMERO")->text(), "00000125");
    EXPECT_EQ(campo("LETRA")->text(), "A");
    EXPECT_EQ(w.lbldesctc->text(), "Factura de Venta");
    EXPECT_FALSE(campo("SUCURSAL")->isEnabled());
    EXPECT_FALSE(campo("NUMERO")->isEnabled());
    // The letter locks the header and hands over to "&Generar".
    EXPECT_EQ(enter("LETRA", "A"), QString());
    EXPECT_FALSE(w.FrmCabecera->isEnabled());
    EXPECT_TRUE(w.CmdGenerar->isEnabled());
    EXPECT_FALSE(w.UtilTeb1->habilitado("NUEVO"));
    EXPECT_TRUE(campo("DETALLE")->isEnabled());
    // A new entry opens the header again, branch and number included.
    w.UtilTeb1_Click("NUEVO");
    EXPECT_TRUE(w.FrmCabecera->isEnabled());
    for (const char* n : {"CTA_REI", "TC", "SUCURSAL", "NUMERO", "LETRA"}) EXPECT_TRUE(campo(n)->isEnabled()) << n;
    EXPECT_EQ(campo("LETRA")->text(), QString());
    EXPECT_FALSE(w.CmdGenerar->isEnabled());

    // A received type: only the letter is proposed.
    abrir();
    EXPECT_EQ(enter("TC", "00FP"), QString());
    EXPECT_EQ(campo("LETRA")->text(), "A");
    EXPECT_EQ(campo("NUMERO")->text(), QString());
    EXPECT_EQ(ventana->lbldesctc->text(), "Factura de Proveedor");
    // An empty letter passes both letter tests.
    EXPECT_EQ(enter("LETRA", ""), QString());
    EXPECT_FALSE(ventana->HayError);
}

TEST_P(VentanaAjuste, MascaraDelPeriodo)
{
    struct CasoFormato {
        const char* texto;
        const char* resultado;
    };
    for (const CasoFormato& c : std::initializer_list<CasoFormato>{
             {"", ""}, {"0", "0"}, {"03", "03/"}, {"03/2", "03/2"}, {"032003", "03/2003"}, {"03-2003", "03/2003"},
             {"03/-", "03/"}, {" 3", " 3"}, {"03//2003", "03/2003"}})
        EXPECT_EQ(FrmAjusteInflacion::FormateaPeriodo(QString::fromLatin1(c.texto)), QString::fromLatin1(c.resultado)) << c.texto;

    abrir();
    QLineEdit* p = campo("PERIODO_DESDE");
    p->setEnabled(true);
    p->clear();
    QStringList vistos;
    for (QChar c : QStringLiteral("032003")) {
        tecla(p, teclaDe(c), QString(c));
        tecla(p, teclaDe(c), QString(c), QEvent::KeyRelease);
        vistos << p->text();
    }
    EXPECT_EQ(vistos, (QStringList{"0", "03/", "03/2", "03/20", "03/200", "03/2003"}));
    EXPECT_EQ(p->cursorPosition(), 7);
    // Deleting and moving leave the text as it is; End applies the mask again.
    for (int k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Control, Qt::Key_Down,
                  Qt::Key_Up, Qt::Key_Shift}) {
        p->setText(QStringLiteral("0320"));
        tecla(p, k, QString(), QEvent::KeyRelease);
        EXPECT_EQ(p->text(), "0320") << k;
    }
    tecla(p, Qt::Key_End, QString(), QEvent::KeyRelease);
    EXPECT_EQ(p->text(), "03/20");
    // A pasted text when V is released; a dash after the month.
    p->setText(QStringLiteral("03-2003"));
    tecla(p, Qt::Key_V, QString(), QEvent::KeyRelease);
    EXPECT_EQ(p->text(), "03/2003");
    p->setText(QStringLiteral("03/-"));
    tecla(p, Qt::Key_Minus, QStringLiteral("-"), QEvent::KeyRelease);
    EXPECT_EQ(p->text(), "03/");
    // Other fields have no mask.
    QLineEdit* d = campo("DETALLE");
    d->setText(QStringLiteral("032003"));
    tecla(d, Qt::Key_3, QStringLiteral("3"), QEvent::KeyRelease);
    EXPECT_EQ(d->text(), "032003");
}

TEST_P(VentanaAjuste, TecladoYGenerarPorFoco)
{
    FrmAjusteInflacion& w = abrir();
    // "&Generar" follows the result account whenever a field gets the focus.
    foco(campo("CTA_REI"));
    EXPECT_FALSE(w.CmdGenerar->isEnabled());
    EXPECT_TRUE(w.UtilTeb1->habilitado("CONSULTAR")); // the account field has a lookup
    campo("CTA_REI")->setText(QStringLiteral("3101010010001"));
    foco(campo("TC"));
    EXPECT_TRUE(w.CmdGenerar->isEnabled());
    EXPECT_EQ(w.CampoActual, w.indiceCampo("TC"));
    foco(campo("SUCURSAL"));
    EXPECT_FALSE(w.UtilTeb1->habilitado("CONSULTAR"));
    campo("CTA_REI")->clear();
    foco(campo("DETALLE"));
    EXPECT_FALSE(w.CmdGenerar->isEnabled());

    // The account and the voucher number are always upper-cased; the concept
    // only under the upper-case rule.
    struct Caso {
        const char* campo;
        bool soloMayusculas;
        const char* resultado;
    };
    for (const Caso& c : {Caso{"CTA_REI", false, "AB"}, Caso{"NUMERO", false, "AB"}, Caso{"DETALLE", false, "ab"},
                          Caso{"DETALLE", true, "AB"}}) {
        ctx->soloMayusculas = c.soloMayusculas;
        QLineEdit* f = campo(c.campo);
        f->clear();
        for (QChar ch : QStringLiteral("ab")) tecla(f, teclaDe(ch), QString(ch));
        EXPECT_EQ(f->text(), c.resultado) << c.campo << c.soloMayusculas;
    }
    ctx->soloMayusculas = false;

    // Enter on a refused field keeps it; the toolbar's keys act from a field.
    const int antes = int(dlg.mostrados.size());
    EXPECT_EQ(enter("CTA_REI", "999"), "Código inexistente");
    EXPECT_TRUE(w.HayError);
    EXPECT_EQ(dlg.mostrados.size(), antes + 1);
    w.DatosModificados = true;
    dlg.respuestas.enqueue(vbNo);
    tecla(campo("CTA_REI"), Qt::Key_F9); // CANCELAR
    EXPECT_EQ(dlg.ultimo(), "¿Está seguro de abandonar la carga de datos?");
    EXPECT_EQ(campo("CTA_REI")->text(), "999");
}

TEST_P(VentanaAjuste, ClaveDeTipoDeComprobante)
{
    abrir();
    EXPECT_EQ(campo("TC")->text(), QString());
    // Stored as typed, also when refused.
    EXPECT_EQ(enter("TC", "ZZZZ"), "El tipo de comprobante ingresado no es valido o no tiene asignada ninguna letra");
    EXPECT_EQ(ArchivoIni::LeerIni(ctx->archivoIni, "EQUIPO|PRUEBA", "Ajuste(TC)"), "ZZZZ");
    QFile f(ArchivoIni::ruta(ctx->archivoIni));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString contenido = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(contenido.contains("[EQUIPO|PRUEBA]")) << contenido.toStdString();
    EXPECT_TRUE(contenido.contains("Ajuste(TC)=ZZZZ")) << contenido.toStdString();
    EXPECT_EQ(enter("TC", "00FA"), QString());
    // The next entry proposes it.
    abrir();
    EXPECT_EQ(campo("TC")->text(), "00FA");
    campo("TC")->setText(QStringLiteral("X"));
    ventana->UtilTeb1_Click("NUEVO");
    EXPECT_EQ(campo("TC")->text(), "00FA");
}

TEST_P(VentanaAjuste, LasDosPreguntas)
{
    const QString pregunta = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
    FrmAjusteInflacion& w = abrir();
    // Nothing typed: CANCELAR clears at once.
    campo("DETALLE")->setText(QStringLiteral("algo"));
    w.UtilTeb1_Click("CANCELAR");
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    EXPECT_EQ(campo("DETALLE")->text(), QString());

    EXPECT_EQ(enter("CTA_REI", "3101010010001"), QString());
    ASSERT_TRUE(w.DatosModificados);
    dlg.respuestas.enqueue(vbNo);
    w.UtilTeb1_Click("CANCELAR");
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.mostrados[0].texto, pregunta);
    EXPECT_EQ(dlg.mostrados[0].titulo, "ATENCIÓN!!!");
    EXPECT_EQ(dlg.mostrados[0].estilo, vbYesNo + vbExclamation + vbDefaultButton2);
    EXPECT_EQ(campo("CTA_REI")->text(), "3101010010001");
    dlg.respuestas.enqueue(vbYes);
    w.UtilTeb1_Click("CANCELAR");
    EXPECT_EQ(campo("CTA_REI")->text(), QString());
    EXPECT_FALSE(w.DatosModificados);

    EXPECT_EQ(enter("CTA_REI", "3101010010001"), QString());
    dlg.respuestas.enqueue(vbNo);
    w.UtilTeb1_Click("CERRAR");
    EXPECT_EQ(dlg.ultimo(), pregunta);
    EXPECT_TRUE(w.isVisible());
    dlg.respuestas.enqueue(vbYes);
    w.UtilTeb1_Click("CERRAR");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(dlg.mostrados.size(), 4);
    // BORRAR does nothing.
    abrir().UtilTeb1_Click("BORRAR");
    EXPECT_EQ(dlg.mostrados.size(), 4);
}

TEST_P(VentanaAjuste, MenuReporteYMarcaDeSalida)
{
    LanzadorGuion lanzador;
    instalarLanzador(&lanzador);
    const QString maquina = ingresoEnAccesos("OPERADOR", "FrmAjusteInflacion", "Asiento de Ajuste por Inflación",
                                             QDateTime(QDate(2026, 6, 15), QTime(9, 0)));
    {
        CarpetaProgramas carpeta({"RZ731R.EXE"});
        ASSERT_TRUE(carpeta.creada());
        registrarVentanasAjuste();
        QMdiArea mdi;
        mdi.show();
        ServiciosMenu s;
        s.contexto = ctx.get();
        s.areaMdi = &mdi;
        DespachoMenu d(s);
        ASSERT_TRUE(d.ejecutar(QStringLiteral("Mnu_Ajuste_Generar")));
        auto* w = qobject_cast<FrmAjusteInflacion*>(s.ventanaAbierta(QStringLiteral("FrmAjusteInflacion")));
        ASSERT_TRUE(w);
        EXPECT_FALSE(w->isModal());
        EXPECT_TRUE(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
        // Again: the same window, brought forward.
        ASSERT_TRUE(d.ejecutar(QStringLiteral("Mnu_Ajuste_Generar")));
        EXPECT_EQ(s.ventanaAbierta(QStringLiteral("FrmAjusteInflacion")), w);
        EXPECT_EQ(mdi.subWindowList().size(), 1);
        w->UtilTeb1_Click("REPORTE");
        ASSERT_EQ(lanzador.iniciados.size(), 1);
        EXPECT_TRUE(lanzador.iniciados[0].argumentos.join(' ').startsWith("@Menu=RP_ASIENTOS;"))
            << lanzador.iniciados[0].argumentos.join(' ').toStdString();
        fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(9, 30)));
        w->UtilTeb1_Click("CERRAR");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(s.ventanaAbierta(QStringLiteral("FrmAjusteInflacion")));
    }
    instalarLanzador(nullptr);
    const auto f = con().PrimeraFila("SELECT EGRESO FROM CONTROL_ACCESO WHERE USUARIO = ? AND FORMULARIO = ? AND MAQUINA = ?",
                                     {"OPERADOR", "FrmAjusteInflacion", maquina});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fechaHora("EGRESO").toString("yyyy-MM-dd HH:mm"), "2026-06-15 09:30");
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();
}

// Once the year is adjusted to its closing month the proposed first month lies
// past it: "&Generar" refuses and restates nothing.
TEST_P(VentanaAjuste, AnioYaAjustadoNoSeGeneraDeNuevo)
{
    ajusteGuardado(QStringLiteral("12/2026"));
    FrmAjusteInflacion& w = abrir();
    EXPECT_EQ(campo("PERIODO_DESDE")->text(), "01/2027");
    EXPECT_EQ(campo("PERIODO_HASTA")->text(), "12/2026");
    int pasos = 0;
    QObject::connect(&w, &FrmAjusteInflacion::pasoGeneracion, &w, [&pasos] { ++pasos; });
    campo("CTA_REI")->setText(QStringLiteral("3101010010001"));
    w.CmdGenerar_Click();
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.ultimo(), "Periodo Desde Mayor que Hasta!");
    EXPECT_EQ(dlg.mostrados.last().titulo, kAvisoCampo);
    EXPECT_EQ(pasos, 0);
    EXPECT_TRUE(w.Lineas.empty());
    EXPECT_FALSE(w.UtilTeb1->habilitado("GRABAR"));
    EXPECT_EQ(w.FgResumen->texto(0, 1), QString());
}

// The worked case through the window: series 1 at 100 (12/2025), 105 and 110
// (January and February 2026), 120 (December 2026); an account with an opening
// debit of 1,000, January 500 debit and 200 credit, February 100 credit.
class GeneracionAjuste : public VentanaAjuste {
protected:
    void SetUp() override
    {
        VentanaAjuste::SetUp();
        con().EjecutarSQL(QStringLiteral("UPDATE MA_CUENTAS SET AJUSTE = 0"));
        con().EjecutarSQL(QStringLiteral("DELETE FROM MA_INDAJUSTE"));
        // A second adjustable account without movements gets no line.
        for (auto [codigo, descripcion, ajusta] : {std::tuple{"1101010010099", "Caja de Prueba", 1},
                                                   std::tuple{"1101010010098", "Caja sin Movimientos", 1},
                                                   std::tuple{"5901010010099", "R.E.I. de Prueba", 0}})
            con().Insertar(QStringLiteral("MA_CUENTAS"), {{QStringLiteral("CODIGO"), codigo},
                                                          {QStringLiteral("DV"), 0},
                                                          {QStringLiteral("DESCRIPCION"), descripcion},
                                                          {QStringLiteral("TITULO"), 0},
                                                          {QStringLiteral("AJUSTE"), ajusta},
                                                          {QStringLiteral("INDICE"), 1}});
        indice(2025, 12, 100);
        for (int mes = 1; mes <= 12; ++mes) indice(2026, mes, mes == 1 ? 105 : mes == 2 ? 110 : mes == 12 ? 120 : 110 + mes);
        movimiento(901, 1, QDate(2026, 1, 1), "D", 1000, true);
        movimiento(902, 1, QDate(2026, 1, 10), "D", 500);
        movimiento(902, 2, QDate(2026, 1, 20), "H", 200);
        movimiento(903, 1, QDate(2026, 2, 15), "H", 100);
        // An own-numbered voucher type for the entry (letter X, last number 7).
        con().EjecutarSQL(QStringLiteral("INSERT INTO TA_COMPROBANTES (CODIGO, DESCRIPCION, LETRAS, SISTEMA, ModificaNumeracion, SIGNO, "
                                         "X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA) "
                                         "VALUES ('99AJ', 'Ajuste de Prueba', 'X', 'CONTABLE', 'FALSO', '+', 1, 7, 1, 99999999)"));
    }
    void indice(int anio, int mes, double valor)
    {
        con().EjecutarSQL(QStringLiteral("INSERT INTO MA_INDAJUSTE (Anio, MES, Importe1, Importe2, Importe3, Importe4, "
                                         "Indice1, Indice2, Indice3, Indice4) VALUES (?, ?, ?, 1, 1, 1, 0, 0, 0, 0)"),
                          {anio, mes, valor});
    }
    void movimiento(int numero, int secuencia, const QDate& fecha, const char* lado, qint64 importe, bool apertura = false)
    {
        con().Insertar(QStringLiteral("MV_ASIENTOS"), {{QStringLiteral("PERIODO"), 2},
                                                       {QStringLiteral("MES_OPERATIVO"), fecha.month()},
                                                       {QStringLiteral("[NUMERO ASIENTO]"), numero},
                                                       {QStringLiteral("SECUENCIA"), secuencia},
                                                       {QStringLiteral("TIPO_REG"), QString()},
                                                       {QStringLiteral("FECHA"), fecha},
                                                       {QStringLiteral("CUENTA"), QStringLiteral("1101010010099")},
                                                       {QStringLiteral("[DEBE-HABER]"), QString::fromLatin1(lado)},
                                                       {QStringLiteral("IMPORTE"), QVariant::fromValue(Moneda::entero(importe))},
                                                       {QStringLiteral("ES_SALDO_APERTURA"), apertura ? 1 : 0}});
    }
    // Result account, voucher type and letter as the operator types them.
    void cabecera()
    {
        ASSERT_EQ(enter("CTA_REI", "5901010010099"), QString());
        ASSERT_EQ(enter("TC", "99AJ"), QString());
        ASSERT_EQ(enter("LETRA", "X"), QString());
        ASSERT_TRUE(ventana->CmdGenerar->isEnabled());
    }
    QString celda(int fila, int col) { return ventana->FgResumen->texto(fila, col); }
    // As the operator meets it: the menu command of the main window, in its
    // area, the main window active and its events processed.
    FrmAjusteInflacion& abrirPorMenu()
    {
        registrarVentanasAjuste();
        mdi = std::make_unique<QMdiArea>();
        mdi->show();
        servicios = std::make_unique<ServiciosMenu>();
        servicios->contexto = ctx.get();
        servicios->areaMdi = mdi.get();
        despacho = std::make_unique<DespachoMenu>(*servicios);
        EXPECT_TRUE(despacho->ejecutar(QStringLiteral("Mnu_Ajuste_Generar")));
        ventana = qobject_cast<FrmAjusteInflacion*>(servicios->ventanaAbierta(QStringLiteral("FrmAjusteInflacion")));
        activar();
        return *ventana;
    }
    void activar()
    {
        mdi->activateWindow();
        QApplication::setActiveWindow(mdi.get());
        QApplication::processEvents();
    }
    // A key pressed and released on the widget that has the focus.
    static void pulsar(int k, const QString& texto = QString())
    {
        QWidget* w = QApplication::focusWidget();
        ASSERT_TRUE(w);
        tecla(w, k, texto);
        tecla(w, k, texto, QEvent::KeyRelease);
    }
    void TearDown() override
    {
        despacho.reset();
        servicios.reset();
        mdi.reset(); // with the window it holds
        VentanaAjuste::TearDown();
    }
    std::unique_ptr<QMdiArea> mdi;
    std::unique_ptr<ServiciosMenu> servicios;
    std::unique_ptr<DespachoMenu> despacho;
};

// The header typed and "&Generar" pressed from the keyboard in the window the
// menu opened. After the run the concept takes the focus, and with it the
// focus rule: "&Generar" is enabled again (the result account is filled), the
// same whenever the platform delivers the focus.
TEST_P(GeneracionAjuste, GenerarGrabarYListar)
{
    FrmAjusteInflacion& w = abrirPorMenu();
    ASSERT_TRUE(w.isActiveWindow());
    cabecera();
    ASSERT_EQ(QApplication::focusWidget(), w.CmdGenerar); // the accepted letter hands over to it
    pulsar(Qt::Key_Space, QStringLiteral(" "));
    activar();
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();
    ASSERT_EQ(w.Lineas.size(), 2u);
    EXPECT_EQ(celda(0, 0), "1");
    EXPECT_EQ(celda(0, 1), "1101010010099");
    EXPECT_EQ(celda(0, 2), "Caja de Prueba");
    EXPECT_EQ(celda(0, 3), "233.77");
    EXPECT_EQ(celda(0, 4), QString());
    EXPECT_EQ(celda(1, 1), "5901010010099");
    EXPECT_EQ(celda(1, 3), QString());
    EXPECT_EQ(celda(1, 4), "233.77");
    EXPECT_EQ(w.Lineas[0].debe, Moneda::desdeUnidades(2337662));
    EXPECT_EQ(w.Lineas[1].haber, Moneda::desdeUnidades(2337662));
    EXPECT_EQ(w.txtTotal[0]->text(), "233.77");
    EXPECT_EQ(w.txtTotal[1]->text(), "233.77");
    EXPECT_EQ(campo("CABIMPORTE")->text(), "233.77");
    EXPECT_EQ(QApplication::focusWidget(), campo("DETALLE"));
    EXPECT_EQ(w.CampoActual, w.indiceCampo("DETALLE"));
    EXPECT_TRUE(w.CmdGenerar->isEnabled());
    EXPECT_FALSE(w.FrmCabecera->isEnabled());
    EXPECT_TRUE(w.UtilTeb1->habilitado("GRABAR"));

    // The concept is asked for by GRABAR.
    w.UtilTeb1_Click("GRABAR");
    EXPECT_EQ(dlg.ultimo(), "Debe ingresar el Concepto");
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE ESAJUSTE = 1")), 0);
    campo("DETALLE")->setText(QStringLiteral("Ajuste por inflación 2026"));
    w.UtilTeb1_Click("GRABAR");
    EXPECT_EQ(dlg.ultimo(), "Proceso Completo!");
    EXPECT_EQ(dlg.mostrados.last().titulo, "Proceso Completo");
    EXPECT_FALSE(w.isVisible());

    Recordset rs = con().ObtenerRecordset(QStringLiteral(
        "SELECT CUENTA, [DEBE-HABER], IMPORTE, CABIMPORTE, SECUENCIA, Ajuste_Hasta, TC, SUCURSAL, NUMERO, LETRA, DETALLE, "
        "[NUMERO ASIENTO], MES_OPERATIVO FROM MV_ASIENTOS WHERE ESAJUSTE = 1 ORDER BY SECUENCIA"));
    QStringList filas;
    for (; !rs.eof(); rs.siguiente()) {
        const Fila& f = rs.fila();
        filas << QStringList{f.texto("CUENTA"), f.texto("DEBE-HABER"), f.moneda("IMPORTE").texto(), f.moneda("CABIMPORTE").texto(),
                             f.texto("SECUENCIA"), f.texto("Ajuste_Hasta"), f.texto("TC"), f.texto("SUCURSAL"), f.texto("NUMERO"),
                             f.texto("LETRA"), f.texto("DETALLE"), f.texto("MES_OPERATIVO")}
                     .join('|');
    }
    EXPECT_EQ(filas, (QStringList{
                         "1101010010099|D|233.7662|233.7662|1|12/2026|99AJ|0001|00000007|X|Ajuste por inflación 2026|12",
                         "5901010010099|H|233.7662|233.7662|2|12/2026|99AJ|0001|00000007|X|Ajuste por inflación 2026|12"}));

    // The listing.
    FrmAjusteInflacion& otra = abrir();
    otra.UtilTeb1_Click("PLANILLA");
    QTableWidget* tabla = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(t); d && d->isVisible() && d->windowTitle() == "Asientos de Ajuste")
            tabla = d->findChild<QTableWidget*>();
    ASSERT_TRUE(tabla);
    QStringList cabeceras;
    for (int c = 0; c < tabla->columnCount(); ++c) cabeceras << tabla->horizontalHeaderItem(c)->text();
    EXPECT_EQ(cabeceras, (QStringList{"CUENTA", "Nº Asiento", "FECHA", "TC", "Nº de Comprobante", "DEBE-HABER", "IMPORTE", "LINEA",
                                      "EJERCICIO", "CONCEPTO"}));
    ASSERT_EQ(tabla->rowCount(), 2);
    EXPECT_EQ(tabla->item(0, 0)->text(), "1101010010099");
    EXPECT_TRUE(tabla->item(0, 1)->text().startsWith("12-0000000")) << tabla->item(0, 1)->text().toStdString();
    EXPECT_EQ(tabla->item(0, 4)->text(), "0001-00000007-X");
    delete tabla->window();

    // The year is adjusted to its closing month: nothing more to generate.
    EXPECT_EQ(campo("PERIODO_DESDE")->text(), "01/2027");
    campo("CTA_REI")->setText(QStringLiteral("5901010010099"));
    otra.CmdGenerar_Click();
    EXPECT_EQ(dlg.ultimo(), "Periodo Desde Mayor que Hasta!");
    EXPECT_TRUE(otra.Lineas.empty());
}

// The operator cancels the run and confirms: no line, the header stays and
// "&Generar" may run again; a month without an index stops it the same way.
TEST_P(GeneracionAjuste, CorridaDetenidaNoDejaLineas)
{
    FrmAjusteInflacion& w = abrir();
    cabecera();
    bool cancelado = false;
    QObject::connect(&w, &FrmAjusteInflacion::pasoGeneracion, &w, [&] {
        EXPECT_FALSE(w.CmdGenerar->isEnabled());
        EXPECT_FALSE(w.UtilTeb1->isEnabled());
        if (cancelado) return;
        if (auto* p = w.findChild<QProgressDialog*>()) {
            p->cancel();
            cancelado = true;
        }
        QThread::msleep(60); // the box is looked at every 40 ms
    });
    dlg.respuestas.enqueue(vbYes);
    w.CmdGenerar->click();
    ASSERT_TRUE(cancelado);
    ASSERT_GE(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.mostrados[0].texto, "¿Realmente desea Cancelar el Proceso?");
    EXPECT_EQ(dlg.mostrados[0].estilo, vbYesNo | vbQuestion);
    EXPECT_EQ(dlg.mostrados.size(), 1) << dlg.ultimo().toStdString();
    EXPECT_TRUE(w.Lineas.empty());
    EXPECT_EQ(celda(0, 1), QString());
    EXPECT_FALSE(w.FrmCabecera->isEnabled());
    EXPECT_TRUE(w.CmdGenerar->isEnabled());
    EXPECT_TRUE(w.UtilTeb1->isEnabled());
    EXPECT_FALSE(w.UtilTeb1->habilitado("GRABAR"));

    // March without an index.
    w.disconnect(&w, &FrmAjusteInflacion::pasoGeneracion, nullptr, nullptr);
    con().EjecutarSQL(QStringLiteral("DELETE FROM MA_INDAJUSTE WHERE Anio = 2026 AND MES = 3"));
    w.CmdGenerar->click();
    EXPECT_EQ(dlg.ultimo(), "No Existe el Indice para la Cuenta 1101010010099 Periodo: 3/2026");
    EXPECT_EQ(dlg.mostrados.last().titulo, QString());
    EXPECT_TRUE(w.Lineas.empty());
    EXPECT_TRUE(w.CmdGenerar->isEnabled());
    // GRABAR now: nothing to save, nothing written.
    campo("DETALLE")->setText(QStringLiteral("Concepto"));
    w.UtilTeb1_Click("GRABAR");
    EXPECT_EQ(dlg.ultimo(), "No hay movimientos para generar el Asiento de Ajuste , con los datos proporcionados");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE ESAJUSTE = 1")), 0);
    EXPECT_EQ(con().Escalar(QStringLiteral("SELECT X_ULTIMO_NRO FROM TA_COMPROBANTES WHERE CODIGO = '99AJ'")).toInt(), 7);
}

// The operator turns to another window while the generation runs: the window
// ends in the same state as when it stays in front ("&Generar" follows the
// result account as the concept takes the focus), and keeps it once it is
// brought forward again.
TEST_P(GeneracionAjuste, OtraVentanaAlFrenteDuranteLaGeneracion)
{
    FrmAjusteInflacion& w = abrirPorMenu();
    cabecera();
    QWidget otra;
    otra.setWindowTitle(QStringLiteral("Otra aplicación"));
    bool cambiada = false;
    QObject::connect(&w, &FrmAjusteInflacion::pasoGeneracion, &w, [&] {
        if (cambiada) return;
        cambiada = true;
        otra.show();
        otra.activateWindow();
        QApplication::setActiveWindow(&otra);
    });
    pulsar(Qt::Key_Space, QStringLiteral(" "));
    ASSERT_TRUE(cambiada);
    QApplication::processEvents();
    ASSERT_FALSE(w.isActiveWindow());
    ASSERT_EQ(w.Lineas.size(), 2u);
    EXPECT_TRUE(w.CmdGenerar->isEnabled());
    EXPECT_EQ(w.CampoActual, w.indiceCampo("DETALLE"));
    EXPECT_FALSE(w.UtilTeb1->habilitado("CONSULTAR")); // the concept has no lookup
    activar();
    ASSERT_TRUE(w.isActiveWindow());
    EXPECT_EQ(QApplication::focusWidget(), campo("DETALLE"));
    EXPECT_TRUE(w.CmdGenerar->isEnabled());
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();
}

// A save that fails leaves the window, its lines and the tables as they were;
// the completion box and the closing follow a committed save only.
TEST_P(GeneracionAjuste, GrabacionFallidaConservaLaVentana)
{
    FrmAjusteInflacion& w = abrir();
    cabecera();
    w.CmdGenerar->click();
    ASSERT_EQ(w.Lineas.size(), 2u);
    campo("DETALLE")->setText(QStringLiteral("Ajuste"));
    const auto ajustes = [&] { return contar(con(), QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE ESAJUSTE = 1")); };

    // A date that does not convert names its field.
    campo("FECHA")->setText(QStringLiteral("99/99/2026"));
    w.UtilTeb1_Click("GRABAR");
    EXPECT_EQ(dlg.mostrados.last().titulo, "Error en conversion de datos");
    EXPECT_EQ(dlg.mostrados.last().estilo, vbCritical);
    EXPECT_TRUE(dlg.ultimo().startsWith("Verifique las siguientes opciones: \r\n\r\n1) Ha ingresado letras donde debe ingresar numeros\r\n"
                                        "2) Debe ingresar una fecha y el formato es incorrecto\r\n\r\nEn el campo: "))
        << dlg.ultimo().toStdString();
    EXPECT_TRUE(dlg.ultimo().endsWith("En el campo: fecha/FECHA")) << dlg.ultimo().toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Lineas.size(), 2u);
    EXPECT_EQ(celda(1, 4), "233.77");
    EXPECT_EQ(ajustes(), 0);

    // A closed year refuses the save.
    campo("FECHA")->setText(QStringLiteral("31/12/2026"));
    con().EjecutarSQL(QStringLiteral("UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = 2"));
    const int antes = int(dlg.mostrados.size());
    w.UtilTeb1_Click("GRABAR");
    ASSERT_EQ(dlg.mostrados.size(), antes + 1);
    EXPECT_NE(dlg.ultimo(), "Proceso Completo!");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ajustes(), 0);

    // Open again: saved, and only now the completion box.
    con().EjecutarSQL(QStringLiteral("UPDATE MV_EJERCICIOS SET CERRADO = 0 WHERE PERIODO = 2"));
    w.UtilTeb1_Click("GRABAR");
    EXPECT_EQ(dlg.ultimo(), "Proceso Completo!");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ajustes(), 2);
}

// Nothing adjustable: the run's message and a clean window.
TEST_P(GeneracionAjuste, SinMovimientosLimpiaLaVentana)
{
    con().EjecutarSQL(QStringLiteral("UPDATE MA_CUENTAS SET AJUSTE = 0"));
    FrmAjusteInflacion& w = abrir();
    cabecera();
    w.CmdGenerar->click();
    EXPECT_EQ(dlg.ultimo(), "No hay movimientos para generar el Asiento de Ajuste , con los datos proporcionados");
    EXPECT_EQ(dlg.mostrados.last().titulo, "Aviso al operador");
    EXPECT_FALSE(w.DatosModificados);
    EXPECT_EQ(campo("CTA_REI")->text(), QString());
    EXPECT_TRUE(w.FrmCabecera->isEnabled());
    EXPECT_FALSE(w.CmdGenerar->isEnabled());
}

// A closed active year: "&Generar" refuses with the year's message.
TEST_P(GeneracionAjuste, EjercicioCerradoNoSeGenera)
{
    FrmAjusteInflacion& w = abrir();
    cabecera();
    con().EjecutarSQL(QStringLiteral("UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = 2"));
    w.CmdGenerar->click();
    ASSERT_FALSE(dlg.mostrados.isEmpty());
    EXPECT_FALSE(dlg.ultimo().isEmpty());
    EXPECT_TRUE(w.Lineas.empty());
    EXPECT_TRUE(w.CmdGenerar->isEnabled());
}

// A year adjusted in two parts: the first, to January, restated the opening
// balance; the window proposes February and restates February's movement only,
// so the two entries add up to the year's one adjustment (233.7662).
TEST_P(GeneracionAjuste, SegundoAjusteDelAnioNoReexpresaLaApertura)
{
    ProgresoNulo progreso;
    const ajuste::ResultadoAjuste primero =
        ajuste::GenerarAjuste(*ctx, ajuste::PedidoAjuste{{1, 2026}, {1, 2026}, QStringLiteral("5901010010099")}, progreso);
    ASSERT_EQ(primero.fin, ajuste::ResultadoAjuste::Fin::Completa) << primero.mensaje.toStdString();
    EXPECT_EQ(primero.lineas[0].debe, Moneda::desdeUnidades(2428571)); // 200 + 42.8571
    ajuste::GrabarAjuste(*ctx, {"31/12/2026", "00AJ", "0001", "00000001", "X", "Ajuste de enero", "01/2026"}, primero.lineas);

    FrmAjusteInflacion& w = abrir();
    EXPECT_EQ(campo("PERIODO_DESDE")->text(), "02/2026");
    cabecera();
    w.CmdGenerar->click();
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();
    ASSERT_EQ(w.Lineas.size(), 2u);
    EXPECT_EQ(w.Lineas[0].cuenta, "1101010010099");
    EXPECT_EQ(w.Lineas[0].debe, Moneda());
    EXPECT_EQ(w.Lineas[0].haber, Moneda::desdeUnidades(90909)); // -100 x 120/110 + 100
    EXPECT_EQ(celda(0, 4), "9.09");
    campo("DETALLE")->setText(QStringLiteral("Ajuste de febrero a diciembre"));
    w.UtilTeb1_Click("GRABAR");
    EXPECT_EQ(dlg.ultimo(), "Proceso Completo!");

    // Debit minus credit of the account over both entries.
    auto neto = [&](const char* cuenta) {
        Moneda n;
        Recordset rs = con().ObtenerRecordset(QStringLiteral("SELECT [DEBE-HABER] AS LADO, SUM(IMPORTE) AS IMPORTE FROM MV_ASIENTOS "
                                                             "WHERE ESAJUSTE = 1 AND CUENTA = ? GROUP BY [DEBE-HABER]"),
                                              {QString::fromLatin1(cuenta)});
        for (; !rs.eof(); rs.siguiente()) n += rs.texto("LADO") == "D" ? rs.moneda("IMPORTE") : Moneda() - rs.moneda("IMPORTE");
        return n;
    };
    EXPECT_EQ(neto("1101010010099"), Moneda::desdeUnidades(2337662));
    EXPECT_EQ(neto("5901010010099"), Moneda::desdeUnidades(-2337662));
}

} // namespace

VEXA_AMBOS_MOTORES(VentanaAjuste);
VEXA_AMBOS_MOTORES(GeneracionAjuste);
