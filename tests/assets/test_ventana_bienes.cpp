// The asset register window offscreen on the demo company (active year 2 =
// 2026, year 1 = 2025 closed), with scripted message boxes, lookup lists and
// clock: its layout per mode, the initial-load set-up, each field's rule and
// message, the mode changes and the lookups and list.
#include "BaseDePrueba.h"
#include "CNStuffContable.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "FrmMA_BienesUso.h"
#include "ListaConsulta.h"
#include "RegBienUso.h"
#include "RegistroVentanas.h"
#include "Utilidades.h"
#include "VentanasBienes.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <functional>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

const QString kAviso = QStringLiteral("Aviso al Operador...");
// The demo's assets are numbered 1 to 7: a new one is proposed the next.
const QString kCodigoNuevo = QStringLiteral("8");

class VentanaBienes : public vexa::prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        instalarListaConsulta(&lista);
        registro = RegBienUso();
    }
    void TearDown() override
    {
        instalarListaConsulta(nullptr);
        fijarAhora(QDateTime());
        ventana.reset();
        ctx.reset();
        BaseDePrueba::TearDown();
    }
    FrmMA_BienesUso& abrir(bool cargaInicial = true)
    {
        ventana = std::make_unique<FrmMA_BienesUso>(*ctx, cargaInicial, nullptr, registro);
        ventana->show();
        return *ventana;
    }
    // Types the text into the box and presses Enter on it; the message shown, if any.
    QString enter(const char* campo, const QString& texto, bool planilla = false)
    {
        ArregloCajas& a = planilla ? *ventana->txtCalculo : *ventana->txtbuso;
        const int i = a.IndiceCampo(QString::fromLatin1(campo));
        EXPECT_GE(i, 0) << campo;
        a[i]->setText(texto);
        const int antes = int(dlg.mostrados.size());
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(a[i], &e);
        if (dlg.mostrados.size() == antes) return QString();
        EXPECT_EQ(dlg.mostrados.last().estilo, int(vbCritical));
        EXPECT_EQ(dlg.mostrados.last().titulo, kAviso);
        return dlg.mostrados.last().texto;
    }
    QLineEdit* buso(const char* c) { return ventana->buso(QString::fromLatin1(c)); }
    QLineEdit* calculo(const char* c) { return ventana->calculo(QString::fromLatin1(c)); }
    static bool abierto(const QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }
    void f5(const char* campo)
    {
        QLineEdit* t = buso(campo);
        QFocusEvent foco(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(t, &foco);
        QKeyEvent e(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
        QApplication::sendEvent(t, &e);
    }
    // A new asset of year 1 on the Rodados account, as typed so far.
    void nuevoBienAnioAnterior()
    {
        abrir();
        ASSERT_EQ(enter("CUENTA_CONTABLE", "1201010010001"), QString());
        ASSERT_EQ(enter("FECHA_COMPRA", "10/03/2025"), QString());
        ASSERT_EQ(enter("VIDA_UTIL", "5"), QString());
        ASSERT_EQ(enter("PERIODO", "1"), QString());
    }

    // The rest of a new asset and its six-month sheet for the closed year.
    void completarBienYPlanilla(const char* serie)
    {
        struct Caja { const char* campo; const char* texto; };
        for (const Caja& c : {Caja{"SERIE", serie}, {"COSTO", "1200"}, {"UBICACION", "Depósito"}, {"AFECTA", "Reparto"},
                              {"DESCRIPCION", "Autoelevador"}})
            buso(c.campo)->setText(QString::fromUtf8(c.texto));
        for (const Caja& c : {Caja{"PERIODO_CALCULO", "6"}, {"COEFICIENTE", "1"}, {"COSTO_INICIO", "1200"}, {"DEP_ACUMULADA", "120"},
                              {"FECHA_CIERRE", "31/12/2025"}})
            calculo(c.campo)->setText(QString::fromUtf8(c.texto));
    }

    std::unique_ptr<ContextoEmpresa> ctx;
    std::unique_ptr<FrmMA_BienesUso> ventana;
    RegBienUso registro; // what the dialog mode opens on
    GuionDialogos dlg;
    ListaConsultaGuion lista;
};

} // namespace

TEST_P(VentanaBienes, TitulosYPreparacionPorModo)
{
    {
        FrmMA_BienesUso& w = abrir(true);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Actualización de Bienes de Uso - Carga Inicial de Datos"));
        EXPECT_TRUE(w.property("EsCargaInicial").toBool());
        EXPECT_EQ(w.SSTab1->currentIndex(), 1);
        EXPECT_FALSE(w.SSTab1->isTabEnabled(0));
        EXPECT_FALSE(w.FrmCalculo->isHidden());
        EXPECT_EQ(w.CmdModificar->text(), QStringLiteral("&Modificar  uno existente"));
        EXPECT_EQ(w.frmBusoNovedades->title(), QStringLiteral("Mejoras sobre el Bien de Uso"));
    }
    struct Caso { const char* cuenta; int tab; int filas; };
    // Dialog mode: the account's list when it has assets, else the data tab.
    for (const Caso& c : {Caso{"1201010010001", 0, 3}, {"1101010010001", 1, 0}, {"", 1, 0}}) {
        registro.CuentaContable = QString::fromLatin1(c.cuenta);
        FrmMA_BienesUso& w = abrir(false);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Actualización de Bienes de Uso - Kardex -"));
        EXPECT_EQ(w.SSTab1->currentIndex(), c.tab) << c.cuenta;
        EXPECT_TRUE(w.SSTab1->isTabEnabled(c.tab));
        EXPECT_FALSE(w.SSTab1->isTabEnabled(1 - c.tab));
        EXPECT_TRUE(w.FrmCalculo->isHidden());
        EXPECT_EQ(w.FG_Bienes->rowCount(), c.filas);
        if (c.tab == 1) {
            EXPECT_TRUE(abierto(buso("SERIE"))) << c.cuenta; // open for entry
        }
    }
}

TEST_P(VentanaBienes, CargaInicialDejaUnBienNuevoPropuesto)
{
    FrmMA_BienesUso& w = abrir();
    const QSet<QString> abiertos{"CODIGO", "SERIE", "CUENTA_CONTABLE", "FECHA_COMPRA", "COSTO", "VIDA_UTIL", "UBICACION",
                                 "AFECTA", "PERIODO", "VALOR_RECUPERO", "DESCRIPCION", "FECHA_BAJA", "MOTIVO"};
    for (QLineEdit* t : w.txtbuso->cajas()) {
        const QString campo = ArregloCajas::dataField(t).toUpper();
        EXPECT_EQ(abierto(t), abiertos.contains(campo)) << campo.toStdString();
    }
    EXPECT_EQ(buso("CODIGO")->text(), kCodigoNuevo);
    EXPECT_TRUE(buso("CODIGO")->isReadOnly());
    EXPECT_EQ(buso("FECHA_COMPRA")->text(), QStringLiteral("15/06/2026"));
    EXPECT_EQ(buso("VALOR_RECUPERO")->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(buso("VALOR_RESIDUAL")->isHidden());
    EXPECT_TRUE(w.LBLvALORrESIDUAL->isHidden());
    EXPECT_EQ(w.focusWidget(), buso("SERIE")); // the new asset's identification first
    EXPECT_FALSE(abierto(calculo("DEP_EJERCICIO")));
    EXPECT_TRUE(abierto(calculo("DEP_ACUMULADA")));
    EXPECT_FALSE(abierto(calculo("COEFICIENTE")));
    EXPECT_EQ(w.lblDescPeriodo->text(), QStringLiteral("..."));
    // The proposed number makes the entry a new asset at once.
    EXPECT_TRUE(w.EsAlta);
    EXPECT_FALSE(w.EsNovedad || w.EsBaja);
    for (QLineEdit* t : w.txtbuso->cajas())
        if (!texto::igual(ArregloCajas::dataField(t), "CODIGO") && !texto::igual(ArregloCajas::dataField(t), "FECHA_COMPRA") &&
            !texto::igual(ArregloCajas::dataField(t), "VALOR_RECUPERO")) {
            EXPECT_TRUE(t->text().isEmpty()) << ArregloCajas::dataField(t).toStdString();
        }
}

TEST_P(VentanaBienes, HabilitaSegunModoYNuevo)
{
    // Rows: field, then its state for (load, new), (load, existing), (dialog, new), (dialog, existing).
    struct Caso { const char* campo; bool cn, ce, dn, de; };
    const Caso casos[] = {
        {"CODIGO", true, true, false, false},           {"CUENTA_CONTABLE", false, false, false, false},
        {"PORCENTAJE", false, false, false, false},     {"NOVEDAD_ID", false, false, false, false},
        {"FECHA_COMPRA", true, false, false, false},    {"COSTO", true, false, false, false},
        {"PERIODO", true, false, false, false},         {"FECHA_REVALUACION", false, false, false, false},
        {"VIDA_UTIL", true, false, true, false},        {"SERIE", true, false, true, false},
        {"VALOR_RECUPERO", true, false, true, false},   {"FECHA_BAJA", false, true, false, true},
        {"MOTIVO", false, true, false, true},           {"NOVEDAD_FECHA", true, true, false, false},
        {"NOVEDAD_DETALLE", true, true, false, true},   {"PERIODO_REVALUACION", false, false, false, false},
    };
    for (bool carga : {true, false})
        for (bool nuevo : {true, false}) {
            FrmMA_BienesUso& w = abrir(carga);
            w.EsAlta = nuevo;
            w.EsNovedad = !nuevo;
            buso("FECHA_COMPRA")->setText("01/01/2025");
            w.Habilita_BienDeUso(nuevo);
            for (const Caso& c : casos) {
                const bool esperado = carga ? (nuevo ? c.cn : c.ce) : (nuevo ? c.dn : c.de);
                EXPECT_EQ(abierto(buso(c.campo)), esperado) << c.campo << " carga=" << carga << " nuevo=" << nuevo;
            }
            if (carga) {
                EXPECT_TRUE(buso("FECHA_COMPRA")->text().isEmpty());
                EXPECT_EQ(w.frmBusoNovedades->isHidden(), nuevo); // closed while a new asset is entered
                EXPECT_TRUE(abierto(w.FrmBusoDatosCompra));
            } else {
                EXPECT_EQ(buso("FECHA_COMPRA")->text(), QStringLiteral("01/01/2025"));
                EXPECT_TRUE(w.frmBusoNovedades->isHidden());
                EXPECT_TRUE(w.FrmCalculo->isHidden());
            }
        }
}

TEST_P(VentanaBienes, ReglasDeLosCamposDelBien)
{
    struct Caso {
        const char* nombre;
        std::function<void()> antes; // what is typed first
        const char* campo;
        QString texto;
        QString mensaje; // "" passes
        std::function<void()> despues = {};
    };
    auto en = [this](const char* c, const char* t) { buso(c)->setText(QString::fromLatin1(t)); };
    const Caso casos[] = {
        {"identificación vacía", {}, "SERIE", "", "Debe informar el Campo!!!"},
        {"identificación repetida", {}, "SERIE", "ab123cd", "Ya existe un Bien de Uso con esta identificación"},
        {"identificación libre", {}, "SERIE", "NUEVA-1", ""},
        {"descripción vacía", {}, "DESCRIPCION", " ", "Debe Ingresar una Descripción"},
        {"vida vacía", {}, "VIDA_UTIL", "", "Debe informar la vida útil del Bien de Uso"},
        {"vida no numérica", {}, "VIDA_UTIL", "x", "El campo Ingresado no es válido"},
        {"vida 4", {}, "VIDA_UTIL", "4", "", [&] { EXPECT_EQ(buso("PORCENTAJE")->text(), "25"); }},
        {"vida 3", {}, "VIDA_UTIL", "3", "", [&] { EXPECT_EQ(buso("PORCENTAJE")->text(), "33.3333333333333"); }},
        {"vida 0", {}, "VIDA_UTIL", "0", "",
         [&] {
             EXPECT_EQ(buso("PORCENTAJE")->text(), "0.00");
             EXPECT_EQ(buso("VALOR_RECUPERO")->text(), "0.00");
             EXPECT_FALSE(abierto(buso("VALOR_RECUPERO")));
         }},
        {"ubicación vacía", {}, "UBICACION", "", "Debe informar el campo "},
        {"afectado vacío", {}, "AFECTA", "", "Debe informar el campo "},
        {"compra hoy", {}, "FECHA_COMPRA", "15/06/2026", ""},
        {"compra mañana", {}, "FECHA_COMPRA", "16/06/2026", "La fecha de compra no puede ser mayor a la fecha actual"},
        {"compra no es fecha", {}, "FECHA_COMPRA", "31/02/2026", "La fecha ingresada no es válida"},
        {"baja vacía", {}, "FECHA_BAJA", "", ""},
        {"baja no es fecha", {}, "FECHA_BAJA", "xx", "Debe Ingresar una Fecha válida"},
        {"baja el día de compra", [&] { en("FECHA_COMPRA", "10/03/2025"); }, "FECHA_BAJA", "10/03/2025", ""},
        {"baja antes de la compra", [&] { en("FECHA_COMPRA", "10/03/2025"); }, "FECHA_BAJA", "09/03/2025",
         "La Fecha de baja debe ser Mayor o igual a la fecha de compra"},
        {"motivo sin baja", {}, "MOTIVO", "", ""},
        {"motivo con baja", [&] { en("FECHA_BAJA", "01/05/2026"); }, "MOTIVO", "", "Debe informar un motivo!!!"},
        {"costo vacío", {}, "COSTO", "", "El Costo informado no es válido!!!"},
        {"costo cero", {}, "COSTO", "0", "Debe informar el campo  Costo"},
        {"costo negativo", {}, "COSTO", "-5", "", [&] { EXPECT_EQ(buso("COSTO")->text(), "-5.00"); }},
        {"costo", {}, "COSTO", "1234.5", "", [&] { EXPECT_EQ(buso("COSTO")->text(), "1234.50"); }},
        {"año vacío", {}, "PERIODO", "", "Debe informar el Ejercicio de compra"},
        {"año el último", {}, "PERIODO", "2", ""},
        {"año uno más", {}, "PERIODO", "3", "El Periodo informado es Mayor al último creado"},
        {"año de otra fecha", [&] { en("FECHA_COMPRA", "10/03/2025"); }, "PERIODO", "2",
         "La fecha ingresada no pertenece al periodo informado"},
        {"año sin fecha", [&] { en("FECHA_COMPRA", ""); }, "PERIODO", "1", "La fecha ingresada no es válida"},
        {"recupero igual al costo", [&] { en("COSTO", "100.00"); en("VIDA_UTIL", "5"); }, "VALOR_RECUPERO", "100", "",
         [&] { EXPECT_EQ(buso("VALOR_RECUPERO")->text(), "100.00"); }},
        {"recupero un centavo más", [&] { en("COSTO", "100.00"); en("VIDA_UTIL", "5"); }, "VALOR_RECUPERO", "100.01",
         "El Valor de Recupero no puede ser mayor que el costo"},
        {"recupero vacío", [&] { en("COSTO", "100.00"); en("VIDA_UTIL", "5"); }, "VALOR_RECUPERO", "", "",
         [&] { EXPECT_TRUE(buso("VALOR_RECUPERO")->text().isEmpty()); }},
        {"compra después del ejercicio", [&] { en("FECHA_COMPRA", "02/01/2027"); }, "DESCRIPCION", "algo",
         "La fecha ingresada es mayor al ejercicio activo! "},
    };
    for (const Caso& c : casos) {
        abrir();
        if (c.antes) c.antes();
        EXPECT_EQ(enter(c.campo, c.texto), c.mensaje) << c.nombre;
        EXPECT_EQ(ventana->HayError, !c.mensaje.isEmpty()) << c.nombre;
        // A refused Enter keeps the focus (a closed box cannot take it).
        if (!c.mensaje.isEmpty() && abierto(buso(c.campo))) {
            EXPECT_EQ(ventana->focusWidget(), buso(c.campo)) << c.nombre;
        }
        if (c.despues) c.despues();
    }
}

TEST_P(VentanaBienes, ReglasDeLasCuentas)
{
    struct Caso { const char* campo; const char* texto; const char* mensaje; };
    const Caso casos[] = {
        {"CUENTA_CONTABLE", "", "La cuenta informada no tiene una Cuenta de Depreciacion del Ejercicio"},
        {"CUENTA_CONTABLE", "1101010010001", "La cuenta informada no tiene una Cuenta de Depreciacion del Ejercicio"},
        {"CUENTA_CONTABLE", " 1201020010001 ", ""},
        {"CUENTA_EJERCICIO", "", "La cuenta informada no tiene una cuenta de depreciacion de ejercicio"},
        {"CUENTA_ACUMULADA", "", "La cuenta informada no tiene una cuenta de depreciacion acumulada"},
        {"CUENTA_EJERCICIO", "999999999999999", "La cuenta informada no existe!!!"},
        {"CUENTA_EJERCICIO", "1201010010001", "Esta Cuenta no puede ser la cuenta contable"},
        {"CUENTA_ACUMULADA", "1201010010002", ""},
    };
    for (const Caso& c : casos) {
        abrir();
        buso("CUENTA_CONTABLE")->setText("1201010010001");
        EXPECT_EQ(enter(c.campo, QString::fromLatin1(c.texto)), QString::fromUtf8(c.mensaje)) << c.campo << " " << c.texto;
    }
    // An asset account fills its depreciation accounts and a fresh number.
    abrir();
    buso("CODIGO")->clear();
    EXPECT_EQ(enter("CUENTA_CONTABLE", "1201020010001"), QString());
    EXPECT_EQ(buso("CUENTA_EJERCICIO")->text(), QStringLiteral("5201010010002"));
    EXPECT_EQ(buso("CUENTA_ACUMULADA")->text(), QStringLiteral("1201020010002"));
    EXPECT_EQ(buso("CODIGO")->text(), kCodigoNuevo);
    EXPECT_TRUE(ventana->EsAlta);
    EXPECT_EQ(buso("FECHA_COMPRA")->text(), QStringLiteral("15/06/2026")); // kept: the code was only proposed
    EXPECT_TRUE(abierto(buso("CUENTA_CONTABLE")));
    // An account with depreciation accounts that is not an asset account.
    con().EjecutarSQL("UPDATE MA_CUENTAS SET CODIGO_DEPREC_EJERCICIO = '5201010010001', CODIGO_DEPREC_ACUMULADA = '1201010010002' "
                      "WHERE CODIGO = '1101010010001'");
    EXPECT_EQ(enter("CUENTA_CONTABLE", "1101010010001"), QStringLiteral("La cuenta debe estar asociada a bienes de uso!!!"));
}

TEST_P(VentanaBienes, PlanillaSigueAnioYVida)
{
    nuevoBienAnioAnterior();
    EXPECT_FALSE(ventana->FrmCalculo->isHidden());
    EXPECT_FALSE(ventana->SinPlanilla);
    // Bought in the active year: no sheet.
    EXPECT_EQ(enter("FECHA_COMPRA", "10/03/2026"), QString());
    EXPECT_EQ(enter("PERIODO", "2"), QString());
    EXPECT_TRUE(ventana->FrmCalculo->isHidden());
    EXPECT_TRUE(ventana->SinPlanilla);
    // Back to year 1, then life 0 with the recovery value forced to "0.00".
    EXPECT_EQ(enter("FECHA_COMPRA", "10/03/2025"), QString());
    EXPECT_EQ(enter("PERIODO", "1"), QString());
    EXPECT_FALSE(ventana->FrmCalculo->isHidden());
    EXPECT_EQ(enter("VIDA_UTIL", "0"), QString());
    EXPECT_TRUE(ventana->FrmCalculo->isHidden());
    EXPECT_EQ(buso("VALOR_RECUPERO")->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(ventana->SinPlanilla);
    // The sheet's rules do not run while it is hidden.
    EXPECT_EQ(enter("PERIODO_CALCULO", "13", true), QString());
}

TEST_P(VentanaBienes, ReglasDeLaPlanilla)
{
    struct Caso {
        const char* campo;
        const char* texto;
        const char* mensaje;
        std::function<void()> despues = {};
    };
    const Caso casos[] = {
        {"PERIODO_CALCULO", "", "Debe informar la cantidad de meses"},
        {"PERIODO_CALCULO", "3", "", [&] { EXPECT_EQ(ventana->lblDescPeriodo->text(), "Trimestral"); }},
        {"PERIODO_CALCULO", "12", "", [&] { EXPECT_EQ(ventana->lblDescPeriodo->text(), "Anual"); }},
        {"PERIODO_CALCULO", "6", "", [&] { EXPECT_EQ(ventana->lblDescPeriodo->text(), "Mensual"); }},
        {"PERIODO_CALCULO", "0", "El campo debe ser mayor o igual a 1 y menor o igual a 12"},
        {"PERIODO_CALCULO", "13", "El campo debe ser mayor o igual a 1 y menor o igual a 12"},
        {"COEFICIENTE", "", "Debe informar el Coeficiente"},
        {"COEFICIENTE", "0", "El Campo Mayor a cero"},
        {"COSTO_INICIO", "", "Debe informar el Costo"},
        {"COSTO_INICIO", "0", "El costo no puede ser 0"},
        {"COSTO_INICIO", "1200", "", [&] {
             EXPECT_EQ(calculo("COSTO_INICIO")->text(), "1200.00");
             EXPECT_EQ(calculo("DEP_EJERCICIO")->text(), "120.00"); // 1200 at 20 % for 6 months
         }},
        {"DEP_EJERCICIO", "-1", "Debe informar el campo"},
        {"DEP_ACUMULADA", "", "Debe informar el campo"},
        {"DEP_ACUMULADA", "119.99", "La depreciación acumulada no puede ser menor a la depreciación del ejercicio"},
        {"DEP_ACUMULADA", "120", "", [&] { EXPECT_EQ(calculo("DEP_ACUMULADA")->text(), "120.00"); }},
        {"DEP_ACUMULADA", "1200", ""},
        {"DEP_ACUMULADA", "1200.01", "La depreciación acumulada debe ser menor o igual al Costo al inicio del Ejercicio"},
        {"FECHA_CIERRE", "", "Debe informar la fecha Cierre del último Ejercicio"},
        {"FECHA_CIERRE", "01/01/2026", "La fecha de cierre debe ser menor a la de inicio del ejercicio actual!!!"},
        {"FECHA_CIERRE", "31/12/2025", "", [&] { EXPECT_EQ(calculo("DEP_EJERCICIO")->text(), "120.00"); }},
    };
    for (const Caso& c : casos) {
        nuevoBienAnioAnterior();
        buso("COSTO")->setText("1200.00");
        calculo("PERIODO_CALCULO")->setText("6");
        calculo("COEFICIENTE")->setText("1");
        calculo("COSTO_INICIO")->setText("1200.00");
        calculo("DEP_EJERCICIO")->setText("120.00");
        EXPECT_EQ(enter(c.campo, QString::fromLatin1(c.texto), true), QString::fromUtf8(c.mensaje)) << c.campo << " " << c.texto;
        if (*c.mensaje && abierto(calculo(c.campo))) {
            EXPECT_EQ(ventana->focusWidget(), calculo(c.campo)) << c.campo; // a refused Enter keeps the focus
        }
        if (c.despues) c.despues();
    }
    // A life shorter than the years from purchase to closing: no depreciation.
    struct Vida { const char* vida; const char* compra; const char* dep; };
    for (const Vida& v : {Vida{"4", "10/03/2020", "0.00"}, {"4", "10/03/2021", "100.00"}}) {
        nuevoBienAnioAnterior();
        buso("COSTO")->setText("1200.00");
        buso("FECHA_COMPRA")->setText(QString::fromLatin1(v.compra));
        EXPECT_EQ(enter("VIDA_UTIL", QString::fromLatin1(v.vida)), QString());
        calculo("PERIODO_CALCULO")->setText("4");
        calculo("COEFICIENTE")->setText("1");
        EXPECT_EQ(enter("FECHA_CIERRE", "31/12/2025", true), QString());
        EXPECT_EQ(calculo("DEP_EJERCICIO")->text(), QString::fromLatin1(v.dep)) << v.compra;
    }
}

TEST_P(VentanaBienes, CodigoExistenteCargaElBienYOfreceMejora)
{
    abrir();
    lista.respuestas.enqueue(" 3 ");
    f5("CODIGO");
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_EQ(lista.pedidos[0].sql, QStringLiteral("SELECT CODIGO, DESCRIPCION, SERIE AS IDENTIFICACION FROM MA_BIENES WHERE "
                                                   "FECHA_BAJA IS NULL ORDER BY CODIGO"));
    EXPECT_TRUE(ventana->EsNovedad);
    EXPECT_FALSE(ventana->EsAlta || ventana->EsBaja);
    EXPECT_TRUE(ventana->CodigoValidado);
    struct Caja { const char* campo; const char* texto; };
    for (const Caja& c : {Caja{"CODIGO", "3"}, {"CUENTA_CONTABLE", "1201020010001"}, {"CUENTA_EJERCICIO", "5201010010002"},
                          {"FECHA_COMPRA", "10/02/2025"}, {"COSTO", "450000.00"}, {"VALOR_RECUPERO", "0.00"}, {"VIDA_UTIL", "10"},
                          {"PORCENTAJE", "10.00"}, {"SERIE", "ESC-0001"}, {"PERIODO", "1"}, {"DESCRIPCION", "Escritorio de gerencia"},
                          {"NOVEDAD_ID", "2"}})
        EXPECT_EQ(buso(c.campo)->text(), QString::fromUtf8(c.texto)) << c.campo;
    EXPECT_FALSE(ventana->frmBusoNovedades->isHidden());
    EXPECT_TRUE(abierto(buso("FECHA_BAJA")));
    EXPECT_FALSE(abierto(buso("COSTO")));
    EXPECT_EQ(ventana->focusWidget(), buso("FECHA_BAJA")); // the choice is checked and the focus moves on

    // An improvement before, inside and after the active year.
    struct Mejora { const char* fecha; const char* mensaje; bool planilla; };
    for (const Mejora& m : {Mejora{"01/09/2025", "", true}, {"01/03/2026", "", false},
                            {"02/01/2027", "La fecha ingresada es mayor al ejercicio activo! ", false},
                            {"09/02/2025", "La fecha de compra de una novedad no puede ser menor a la de compra del bien", true}}) {
        buso("NOVEDAD_VIDA_UTIL")->setText("4");
        ventana->FrmCalculo->hide();
        EXPECT_EQ(enter("NOVEDAD_FECHA", QString::fromLatin1(m.fecha)), QString::fromUtf8(m.mensaje)) << m.fecha;
        EXPECT_EQ(ventana->FrmCalculo->isHidden(), !m.planilla) << m.fecha;
        if (!*m.mensaje) {
            EXPECT_EQ(buso("NOVEDAD_PORCENTAJE")->text(), QStringLiteral("25"));
        }
    }
    // The improvement's sheet uses its own amount and percentage.
    buso("NOVEDAD_IMPORTE")->setText("800");
    EXPECT_EQ(enter("NOVEDAD_FECHA", "01/09/2025"), QString());
    calculo("PERIODO_CALCULO")->setText("12");
    calculo("COEFICIENTE")->setText("1");
    EXPECT_EQ(enter("COSTO_INICIO", "800", true), QString());
    EXPECT_EQ(calculo("DEP_EJERCICIO")->text(), QStringLiteral("200.00"));

    // The importe loads with two decimals.
    con().EjecutarSQL("UPDATE MA_BIENES SET IMPORTE = ? WHERE CODIGO = 3", {QVariant::fromValue(*Moneda::parsear("1234.5"))});
    ventana->AsignarDatosBien();
    EXPECT_EQ(buso("IMPORTE")->text(), QStringLiteral("1234.50"));
}

TEST_P(VentanaBienes, FechaDeBajaEntraYSaleDeLaBaja)
{
    abrir();
    lista.respuestas.enqueue("1");
    f5("CODIGO");
    ASSERT_TRUE(ventana->EsNovedad);
    EXPECT_EQ(enter("FECHA_BAJA", "01/05/2026"), QString());
    EXPECT_TRUE(ventana->EsBaja);
    EXPECT_FALSE(ventana->EsNovedad || ventana->EsAlta);
    EXPECT_FALSE(abierto(ventana->FrmCalculo));
    EXPECT_FALSE(abierto(ventana->frmBusoNovedades));
    // Emptied: no retirement any more, back to the stored asset.
    EXPECT_EQ(enter("FECHA_BAJA", ""), QString());
    EXPECT_FALSE(ventana->EsBaja);
    EXPECT_TRUE(ventana->EsNovedad);
    EXPECT_TRUE(abierto(ventana->FrmCalculo));
    EXPECT_TRUE(abierto(ventana->frmBusoNovedades));
    // A new asset goes back to new.
    abrir();
    EXPECT_EQ(enter("FECHA_BAJA", "20/06/2026"), QString());
    EXPECT_TRUE(ventana->EsBaja);
    EXPECT_EQ(enter("FECHA_BAJA", " "), QString());
    EXPECT_TRUE(ventana->EsAlta);
    EXPECT_FALSE(ventana->EsBaja);
}

TEST_P(VentanaBienes, CodigoPropuestoSigueNuevoAunqueOtroLoGrabe)
{
    abrir();
    EXPECT_EQ(enter("CUENTA_CONTABLE", "1201010010001"), QString());
    ASSERT_EQ(buso("CODIGO")->text(), kCodigoNuevo);
    auto otra = otraConexion();
    otra->Insertar("MA_BIENES", {{"CODIGO", kCodigoNuevo.toInt()}, {"CUENTA_CONTABLE", "1201010010001"}, {"DESCRIPCION", "de otro puesto"}});
    // Checking the number, typed or as part of the whole form, keeps it new.
    EXPECT_EQ(enter("CODIGO", kCodigoNuevo), QString());
    EXPECT_TRUE(ventana->EsAlta);
    EXPECT_FALSE(ventana->EsNovedad);
    EXPECT_TRUE(abierto(buso("SERIE")));
    ventana->ValidandoTodo = true;
    EXPECT_EQ(enter("CODIGO", kCodigoNuevo), QString());
    EXPECT_TRUE(ventana->EsAlta);
    EXPECT_TRUE(buso("DESCRIPCION")->text().isEmpty());
    // A number not proposed by the window and stored is an existing asset.
    ventana->ValidandoTodo = false;
    EXPECT_EQ(enter("CODIGO", "4"), QString());
    EXPECT_TRUE(ventana->EsNovedad);
}

TEST_P(VentanaBienes, ConsultasDeCuentasBienesYFechas)
{
    abrir();
    // Accounts: asset accounts only; the choice is checked and fills what follows.
    lista.respuestas.enqueue("1201020010001");
    f5("CUENTA_CONTABLE");
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_EQ(lista.pedidos[0].sql, QStringLiteral("SELECT CODIGO, DESCRIPCION, BIENES FROM MA_CUENTAS WHERE BIENES = 1"));
    EXPECT_EQ(lista.pedidos[0].columnaClave, QStringLiteral("CODIGO"));
    EXPECT_EQ(buso("CUENTA_EJERCICIO")->text(), QStringLiteral("5201010010002"));
    // Assets of the typed account, blanks around it ignored; the retired one never offered.
    buso("CUENTA_CONTABLE")->setText("  1201010010001 ");
    f5("CODIGO");
    ASSERT_EQ(lista.pedidos.size(), 2);
    EXPECT_EQ(lista.pedidos[1].sql, QStringLiteral("SELECT CODIGO, DESCRIPCION, SERIE AS IDENTIFICACION FROM MA_BIENES WHERE "
                                                   "CUENTA_CONTABLE = ? AND FECHA_BAJA IS NULL ORDER BY CODIGO"));
    auto rs = con().ObtenerRecordset(lista.pedidos[1].sql, {QStringLiteral("1201010010001")});
    QStringList codigos;
    for (; !rs.eof(); rs.siguiente()) codigos << rs.texto("CODIGO");
    EXPECT_EQ(codigos, (QStringList{"1", "2", "5"}));
    // Nothing chosen changes nothing.
    EXPECT_EQ(buso("CODIGO")->text(), kCodigoNuevo);
    // Dates: the picker's date goes into the box and is checked.
    dlg.fechas.enqueue(QDate(2026, 7, 1));
    f5("FECHA_COMPRA");
    EXPECT_EQ(buso("FECHA_COMPRA")->text(), QStringLiteral("01/07/2026"));
    EXPECT_EQ(dlg.ultimo(), QStringLiteral("La fecha de compra no puede ser mayor a la fecha actual"));
    // Closed without a date, the picker leaves the box as it was, unchecked.
    const int mensajes = dlg.mostrados.size();
    f5("FECHA_COMPRA");
    EXPECT_EQ(buso("FECHA_COMPRA")->text(), QStringLiteral("01/07/2026"));
    EXPECT_EQ(dlg.mostrados.size(), mensajes);
    // No lookup from a box without one, nor from the sheet.
    const int pedidos = lista.pedidos.size(), cajas = dlg.mostrados.size();
    f5("COSTO");
    QFocusEvent foco(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(calculo("FECHA_CIERRE"), &foco);
    QKeyEvent e(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(calculo("FECHA_CIERRE"), &e);
    ventana->ConsultarCampo();
    EXPECT_EQ(lista.pedidos.size(), pedidos);
    EXPECT_EQ(dlg.mostrados.size(), cajas);
    EXPECT_EQ(ventana->IndiceBuso, -2);
}

TEST_P(VentanaBienes, ConsultaQueFallaRechazaElCampo)
{
    abrir();
    con().EjecutarSQL("ALTER TABLE MV_EJERCICIOS RENAME TO MV_EJERCICIOS_X");
    EXPECT_FALSE(enter("PERIODO", "1").isEmpty());
    EXPECT_TRUE(ventana->HayError);
    EXPECT_EQ(ventana->focusWidget(), buso("PERIODO"));
}

TEST_P(VentanaBienes, ListaDeUnaCuenta)
{
    FrmMA_BienesUso& w = abrir(false);
    struct Caso { const char* cuenta; QStringList codigos; bool hay; };
    // Each case starts from the previous list: an empty or unknown account keeps it.
    const Caso casos[] = {
        {"1201010010001", {"1", "2", "5"}, true},
        {"", {"1", "2", "5"}, false},
        {"120102001000199", {"1", "2", "5"}, false},
        {" 1201020010001 ", {"3", "6", "7"}, true},
    };
    for (const Caso& c : casos) {
        w.BienUso.CuentaContable = QString::fromLatin1(c.cuenta);
        EXPECT_EQ(w.CargaFlexGrid(), c.hay) << c.cuenta;
        QStringList codigos;
        for (int r = 0; r < w.FG_Bienes->rowCount(); ++r) codigos << w.FG_Bienes->item(r, 1)->text();
        EXPECT_EQ(codigos, c.codigos) << c.cuenta;
    }
    ASSERT_EQ(w.FG_Bienes->columnCount(), 5);
    EXPECT_EQ(w.FG_Bienes->horizontalHeaderItem(3)->text(), QStringLiteral("Descripción"));
    EXPECT_EQ(w.FG_Bienes->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(w.FG_Bienes->item(0, 3)->text(), QStringLiteral("Muebles y Útiles - Valor de Origen"));
    EXPECT_EQ(w.FG_Bienes->item(0, 4)->text(), QStringLiteral("10/02/2025"));
    const int z = w.fontMetrics().horizontalAdvance(QLatin1Char('Z'));
    EXPECT_EQ(w.FG_Bienes->columnWidth(3), 50 * z);
}

TEST_P(VentanaBienes, MenuAbreLaCargaInicial)
{
    registrarVentanasBienes();
    OpcionesVentana o;
    o.EsCargaInicial = true;
    std::unique_ptr<QWidget> w(crearVentana(QStringLiteral("FrmMA_BienesUso"), *ctx, o));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->objectName(), QStringLiteral("FrmMA_BienesUso"));
    EXPECT_TRUE(w->property("EsCargaInicial").toBool());
    EXPECT_TRUE(w->windowTitle().endsWith(" - Carga Inicial de Datos"));
}

TEST_P(VentanaBienes, TeclasYSeleccionDeLasCajas)
{
    ctx->soloMayusculas = true;
    abrir();
    auto escribir = [](QLineEdit* t, const QString& texto) {
        for (QChar c : texto) {
            QKeyEvent e(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
            QApplication::sendEvent(t, &e);
        }
    };
    // Letters upper-cased where the company asks for it; amounts and dates take no letters.
    escribir(buso("DESCRIPCION"), QStringLiteral("silla ñ"));
    EXPECT_EQ(buso("DESCRIPCION")->text(), QStringLiteral("SILLA Ñ"));
    escribir(buso("COSTO"), QStringLiteral("12a.5"));
    EXPECT_EQ(buso("COSTO")->text(), QStringLiteral("12.5"));
    escribir(calculo("PERIODO_CALCULO"), QStringLiteral("x6"));
    EXPECT_EQ(calculo("PERIODO_CALCULO")->text(), QStringLiteral("6"));
    ctx->soloMayusculas = false;
    escribir(buso("UBICACION"), QStringLiteral("depósito"));
    EXPECT_EQ(buso("UBICACION")->text(), QStringLiteral("depósito"));
    // Entering a box selects its text, except the improvement's description.
    struct Caso { const char* campo; bool selecciona; };
    for (const Caso& c : {Caso{"DESCRIPCION", true}, {"NOVEDAD_DETALLE", false}}) {
        buso(c.campo)->setText(QStringLiteral("texto"));
        buso(c.campo)->deselect();
        QFocusEvent foco(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(buso(c.campo), &foco);
        EXPECT_EQ(ventana->IndiceBuso, ventana->txtbuso->IndiceCampo(QString::fromLatin1(c.campo)));
        EXPECT_EQ(ventana->IndiceCalculo, -2);
        QApplication::processEvents();
        EXPECT_EQ(buso(c.campo)->hasSelectedText(), c.selecciona) << c.campo;
    }
}

VEXA_AMBOS_MOTORES(VentanaBienes);

namespace {

QString mensajes(const GuionDialogos& d)
{
    QStringList r;
    for (const auto& m : d.mostrados) r << m.texto;
    return r.join(QStringLiteral(" | "));
}

} // namespace

// A new asset of year 1 accepted in the initial load: stored with its sheet
// row for the closed year, then the window is blank for the next one.
TEST_P(VentanaBienes, AceptarGrabaElBienYDejaLaVentanaParaElSiguiente)
{
    nuevoBienAnioAnterior();
    completarBienYPlanilla("NUEVA-1");
    ventana->CmdBusoAceptar->click();
    EXPECT_EQ(mensajes(dlg), QString());
    EXPECT_FALSE(ventana->HayError);
    auto b = con().PrimeraFila("SELECT * FROM MA_BIENES WHERE CODIGO = ?", {kCodigoNuevo});
    ASSERT_TRUE(b);
    EXPECT_EQ(b->texto("SERIE"), "NUEVA-1");
    EXPECT_EQ(b->texto("PORCENTAJE"), "20.00");
    EXPECT_EQ(b->texto("CUENTA_EJERCICIO"), "5201010010001");
    auto h = con().PrimeraFila("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = ?", {kCodigoNuevo});
    ASSERT_TRUE(h);
    EXPECT_EQ(h->entero("PERIODO"), 1);
    EXPECT_EQ(h->entero("ID"), 0);
    EXPECT_DOUBLE_EQ(h->doble("PORCENTAJE_DEP"), 10);
    EXPECT_EQ(h->moneda("DEP_EJERCICIO").texto(2), "120.00");
    EXPECT_EQ(ventana->BienUso.Serie.texto(), QStringLiteral("NUEVA-1"));
    // Ready for the next asset.
    EXPECT_EQ(buso("CODIGO")->text(), QStringLiteral("9"));
    EXPECT_TRUE(buso("SERIE")->text().isEmpty());
    EXPECT_TRUE(buso("DESCRIPCION")->text().isEmpty());
    EXPECT_TRUE(ventana->EsAlta);
}

// Another station stores the number this window proposed while the operator
// types: Accept stores the asset under the next number and says which.
TEST_P(VentanaBienes, NumeroTomadoPorOtroPuestoSeAvisaAlAceptar)
{
    nuevoBienAnioAnterior();
    ASSERT_EQ(buso("CODIGO")->text(), kCodigoNuevo);
    completarBienYPlanilla("NUEVA-3");
    auto otra = otraConexion();
    otra->Insertar("MA_BIENES", {{"CODIGO", kCodigoNuevo.toInt()}, {"CUENTA_CONTABLE", "1201010010001"}, {"DESCRIPCION", "de otro puesto"}});
    ventana->CmdBusoAceptar->click();
    EXPECT_FALSE(ventana->HayError) << mensajes(dlg).toStdString();
    const int grabado = kCodigoNuevo.toInt() + 1;
    ASSERT_EQ(dlg.mostrados.size(), 1) << mensajes(dlg).toStdString();
    EXPECT_EQ(dlg.mostrados[0].texto, QStringLiteral("El Bien de Uso se grabó con el Nº Control Interno %1").arg(grabado));
    EXPECT_EQ(dlg.mostrados[0].titulo, kAviso);
    EXPECT_EQ(dlg.mostrados[0].estilo, int(vbInformation));
    // Stored under the number told, with its sheet row; the other station's asset untouched.
    EXPECT_EQ(con().Escalar("SELECT SERIE FROM MA_BIENES WHERE CODIGO = ?", {grabado}).toString(), QStringLiteral("NUEVA-3"));
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MV_CALCULO_BIENES WHERE CODIGO = ? AND PERIODO = 1", {grabado}).toInt(), 1);
    EXPECT_EQ(con().Escalar("SELECT DESCRIPCION FROM MA_BIENES WHERE CODIGO = ?", {kCodigoNuevo.toInt()}).toString(),
              QStringLiteral("de otro puesto"));
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MV_CALCULO_BIENES WHERE CODIGO = ?", {kCodigoNuevo.toInt()}).toInt(), 0);
    // Ready for the next one, after both.
    EXPECT_EQ(buso("CODIGO")->text(), QString::number(grabado + 1));
    EXPECT_TRUE(buso("SERIE")->text().isEmpty());
}

// A save the database refuses keeps every field and stores nothing; Retry
// once the refusal is gone stores the asset once.
TEST_P(VentanaBienes, GrabacionRechazadaConservaLosCampos)
{
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER TR_VETO BEFORE INSERT ON MV_CALCULO_BIENES BEGIN SELECT RAISE(ABORT, 'vetada'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION f_veto() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'vetada'; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_veto BEFORE INSERT ON mv_calculo_bienes FOR EACH ROW EXECUTE FUNCTION f_veto()");
    }
    nuevoBienAnioAnterior();
    for (auto [c, t] : {std::pair{"SERIE", "NUEVA-2"}, {"COSTO", "1200"}, {"UBICACION", "U"}, {"AFECTA", "A"}, {"DESCRIPCION", "D"}})
        buso(c)->setText(QString::fromLatin1(t));
    for (auto [c, t] : {std::pair{"PERIODO_CALCULO", "6"}, {"COSTO_INICIO", "1200"}, {"DEP_ACUMULADA", "120"}, {"FECHA_CIERRE", "31/12/2025"}})
        calculo(c)->setText(QString::fromLatin1(t));
    const qint64 antes = con().Escalar("SELECT COUNT(*) FROM MA_BIENES").toLongLong();
    dlg.respuestas.enqueue(vbAbort);
    ventana->CmdBusoAceptar->click();
    EXPECT_TRUE(ventana->HayError);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MA_BIENES").toLongLong(), antes);
    EXPECT_EQ(buso("SERIE")->text(), QStringLiteral("NUEVA-2"));
    EXPECT_EQ(calculo("PERIODO_CALCULO")->text(), QStringLiteral("6"));
    EXPECT_EQ(buso("CODIGO")->text(), kCodigoNuevo);

    // Retry after the refusal is dropped: stored once, then cleared.
    con().EjecutarSQL(motor() == Motor::SQLite ? "DROP TRIGGER TR_VETO" : "DROP TRIGGER tr_veto ON mv_calculo_bienes");
    dlg.mostrados.clear();
    ventana->CmdBusoAceptar->click();
    EXPECT_FALSE(ventana->HayError) << mensajes(dlg).toStdString();
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MA_BIENES WHERE SERIE = 'NUEVA-2'").toLongLong(), 1);
    EXPECT_TRUE(buso("SERIE")->text().isEmpty());
}

// An improvement and a retirement of stored assets through the window, and
// a retirement of a code that is not stored.
TEST_P(VentanaBienes, MejoraYBajaDesdeLaVentana)
{
    abrir();
    lista.respuestas.enqueue("3");
    f5("CODIGO");
    ASSERT_TRUE(ventana->EsNovedad);
    EXPECT_EQ(buso("NOVEDAD_ID")->text(), QStringLiteral("2"));
    buso("NOVEDAD_VIDA_UTIL")->setText("4");
    buso("NOVEDAD_IMPORTE")->setText("800");
    buso("NOVEDAD_DETALLE")->setText("Cajonera");
    ASSERT_EQ(enter("NOVEDAD_FECHA", "01/03/2026"), QString()); // in the active year: no sheet
    // Someone else stores improvement 2 meanwhile: this one is told its number.
    con().Insertar("MA_BIENES_NOVEDADES", {{"CODIGO", 3}, {"ID", 2}});
    ventana->CmdBusoAceptar->click();
    EXPECT_FALSE(ventana->HayError) << mensajes(dlg).toStdString();
    ASSERT_FALSE(dlg.mostrados.isEmpty());
    EXPECT_EQ(dlg.mostrados.last().texto, QStringLiteral("La Mejora se grabó con el Nº Id. Mejoras 3"));
    EXPECT_EQ(dlg.mostrados.last().titulo, kAviso);
    auto n = con().PrimeraFila("SELECT * FROM MA_BIENES_NOVEDADES WHERE CODIGO = 3 AND ID = 3");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->texto("DESCRIPCION"), "Cajonera");
    EXPECT_EQ(n->moneda("COSTO").texto(2), "800.00");
    EXPECT_DOUBLE_EQ(n->doble("PORCENTAJE"), 25);
    EXPECT_EQ(buso("CODIGO")->text(), kCodigoNuevo); // cleared for the next one

    // Retirement of asset 1, the reason without its NUL.
    lista.respuestas.enqueue("1");
    f5("CODIGO");
    ASSERT_TRUE(ventana->EsNovedad);
    ASSERT_EQ(enter("FECHA_BAJA", "30/04/2026"), QString());
    ASSERT_TRUE(ventana->EsBaja);
    // Without a reason nothing is written.
    dlg.mostrados.clear();
    ventana->CmdBusoAceptar->click();
    EXPECT_TRUE(ventana->HayError);
    EXPECT_EQ(mensajes(dlg), QStringLiteral("Debe informar un motivo!!!"));
    EXPECT_TRUE(con().PrimeraFila("SELECT FECHA_BAJA FROM MA_BIENES WHERE CODIGO = 1")->esNulo("FECHA_BAJA"));
    buso("MOTIVO")->setText(QStringLiteral(" Robo") + QChar(u'\0') + QStringLiteral(" "));
    ventana->CmdBusoAceptar->click();
    EXPECT_FALSE(ventana->HayError);
    auto b = con().PrimeraFila("SELECT FECHA_BAJA, MOTIVO FROM MA_BIENES WHERE CODIGO = 1");
    EXPECT_EQ(b->fecha("FECHA_BAJA"), QDate(2026, 4, 30));
    EXPECT_EQ(b->texto("MOTIVO"), "Robo");

    // A retirement date on a code that is not stored: refused, fields kept.
    lista.respuestas.enqueue("2");
    f5("CODIGO");
    ASSERT_TRUE(ventana->EsNovedad);
    buso("MOTIVO")->setText("Rotura");
    ASSERT_EQ(enter("FECHA_BAJA", "30/04/2026"), QString());
    con().EjecutarSQL("DELETE FROM MV_CALCULO_BIENES WHERE CODIGO = 2");
    con().EjecutarSQL("DELETE FROM MA_BIENES WHERE CODIGO = 2");
    dlg.mostrados.clear();
    ventana->CmdBusoAceptar->click();
    EXPECT_TRUE(ventana->HayError);
    ASSERT_FALSE(dlg.mostrados.isEmpty());
    EXPECT_EQ(dlg.mostrados.last().texto, QStringLiteral("Código Inexistente"));
    EXPECT_EQ(dlg.mostrados.last().titulo, kAviso);
    EXPECT_EQ(buso("MOTIVO")->text(), QStringLiteral("Rotura"));
    EXPECT_EQ(buso("CODIGO")->text(), QStringLiteral("2"));
}

TEST_P(VentanaBienes, ComandosDeLaListaYCancelar)
{
    registro.CuentaContable = QStringLiteral("1201010010001");
    FrmMA_BienesUso& w = abrir(false);
    EXPECT_EQ(w.CmdAlta->text(), QStringLiteral("Dar de &Alta un Nuevo Bien de Uso"));
    // Modify without a selection.
    w.FG_Bienes->setCurrentCell(-1, -1);
    w.CmdModificar->click();
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.mostrados[0].texto, QStringLiteral("Debe seleccionar el Bien de Uso a Modificar"));
    EXPECT_EQ(dlg.mostrados[0].titulo, QStringLiteral("Error de Carga!"));
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    // Double click on the second row: asset 2 loaded, improvement number offered.
    w.FG_Bienes->setCurrentCell(1, 1);
    emit w.FG_Bienes->cellDoubleClicked(1, 1);
    EXPECT_EQ(w.SSTab1->currentIndex(), 1);
    EXPECT_FALSE(w.SSTab1->isTabEnabled(0));
    EXPECT_TRUE(w.EsNovedad);
    EXPECT_EQ(buso("CODIGO")->text(), QStringLiteral("2"));
    EXPECT_EQ(buso("DESCRIPCION")->text(), QStringLiteral("Equipos de computación"));
    EXPECT_EQ(buso("NOVEDAD_ID")->text(), QStringLiteral("1"));
    EXPECT_TRUE(w.FrmCalculo->isHidden());
    // Cancel in dialog mode goes back to the list.
    w.CmdBusoCancelar->click();
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_TRUE(w.isVisible());
    // New asset: the next number, the accounts of the list's account, focus on the identification.
    w.CmdAlta->click();
    EXPECT_TRUE(w.EsAlta);
    EXPECT_EQ(buso("CODIGO")->text(), kCodigoNuevo);
    EXPECT_EQ(buso("CUENTA_EJERCICIO")->text(), QStringLiteral("5201010010001"));
    EXPECT_EQ(buso("PERIODO")->text(), ctx->periodoActivo().trimmed());
    EXPECT_EQ(QApplication::focusWidget() == buso("SERIE") || w.focusWidget() == buso("SERIE"), true);
    const QSize una = w.size();
    w.CmdBusoCancelar->click();
    w.CmdAlta->click();
    EXPECT_EQ(w.size(), una); // one size however often
    EXPECT_TRUE(w.frmBusoNovedades->isHidden());

    // Dialog accept: the record is filled even when the check fails, the window stays.
    buso("SERIE")->clear();
    buso("DESCRIPCION")->setText(" Torno ");
    dlg.mostrados.clear();
    w.CmdBusoAceptar->click();
    EXPECT_FALSE(dlg.mostrados.isEmpty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.BienUso.Descripcion.texto(), QStringLiteral("Torno"));
    EXPECT_EQ(w.BienUso.Codigo.texto(), kCodigoNuevo);
    // The record back into the fields gives the same texts.
    w.Asignar_Registro(false);
    EXPECT_EQ(buso("DESCRIPCION")->text(), QStringLiteral("Torno"));
    EXPECT_EQ(buso("CODIGO")->text(), kCodigoNuevo);
    EXPECT_EQ(buso("NOVEDAD_ID")->text(), QStringLiteral("1")); // none in the record: the next of the new asset
}

TEST_P(VentanaBienes, CancelarEnLaCargaInicial)
{
    struct Caso { bool validado; int respuesta; bool cierra; int preguntas; };
    for (const Caso& c : {Caso{false, 0, true, 0}, {true, vbNo, false, 1}, {true, vbYes, true, 1}}) {
        FrmMA_BienesUso& w = abrir();
        w.CodigoValidado = c.validado;
        dlg.mostrados.clear();
        if (c.respuesta) dlg.respuestas.enqueue(c.respuesta);
        buso("SERIE")->setText("X");
        w.CmdBusoCancelar->click();
        ASSERT_EQ(dlg.mostrados.size(), c.preguntas);
        if (c.preguntas) {
            EXPECT_EQ(dlg.mostrados[0].texto, QStringLiteral("¿Está seguro de abandonar la carga de datos?"));
            EXPECT_EQ(dlg.mostrados[0].titulo, QStringLiteral("Atención!!!"));
            EXPECT_EQ(dlg.mostrados[0].estilo, int(vbYesNo | vbExclamation | vbDefaultButton2));
        }
        EXPECT_EQ(w.isHidden(), c.cierra);
        EXPECT_EQ(buso("SERIE")->text(), QStringLiteral("X"));
    }
}

TEST_P(VentanaBienes, PermiteCalcularDep)
{
    FrmMA_BienesUso& w = abrir();
    con().EjecutarSQL("UPDATE MV_EJERCICIOS SET CERRADO = 0");
    EXPECT_TRUE(w.PermiteCalcularDep(0, 1)); // no closed year: 0 - 0 - 1
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    con().EjecutarSQL("DELETE FROM MV_EJERCICIOS");
    con().Insertar("MV_EJERCICIOS", {{"PERIODO", 2002}, {"[FECHA DESDE]", QDate(2002, 1, 1)}, {"[FECHA HASTA]", QDate(2002, 12, 31)}, {"CERRADO", 1}});
    con().Insertar("MV_EJERCICIOS", {{"PERIODO", 2003}, {"[FECHA DESDE]", QDate(2003, 1, 1)}, {"[FECHA HASTA]", QDate(2003, 12, 31)}, {"CERRADO", 0}});
    con().EjecutarSQL("UPDATE MA_BIENES SET PERIODO = 1998 WHERE CODIGO = 1");
    EXPECT_TRUE(w.PermiteCalcularDep(3, 1));
    EXPECT_FALSE(w.PermiteCalcularDep(2, 1));
    // Not stored: the purchase year typed.
    buso("PERIODO")->setText("2000");
    EXPECT_TRUE(w.PermiteCalcularDep(1, 99));
    EXPECT_FALSE(w.PermiteCalcularDep(0, 99));
}
