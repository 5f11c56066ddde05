// The initial load of fixed assets as the operator meets it: the main window
// opens it from "Bienes de Uso → Carga Inicial de Datos" and a whole asset is
// keyed field by field (Enter, Tab, F5 in the account), then accepted. Demo
// company, active year 2 = 2026 with year 1 = 2025 before it; message boxes
// and the account lookup are scripted.
#include "BaseDePrueba.h"
#include "ArchivoIni.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "FrmMA_BienesUso.h"
#include "ListaConsulta.h"
#include "MenuPrincipal.h"
#include "RegBienUso.h"
#include "VentanasBienes.h"
#include "frmMDI.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

class CargaInicialDesdeElMenu : public vexa::prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        instalarListaConsulta(&lista);
        registrarVentanasBienes();
        EstadoInicio inicio;
        inicio.lineaComandos = QStringLiteral("/NoMostrarSlash;ADMIN");
        principal = std::make_unique<frmMDI>(inicio);
        ASSERT_TRUE(principal->MDIForm_Load()) << dlg.ultimo().toStdString();
        principal->show();
        principal->activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        principal.reset();
        instalarListaConsulta(nullptr);
        fijarAhora(QDateTime());
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        BaseDePrueba::TearDown();
    }

    // "Carga Inicial de Datos" chosen in the menu: the register it opened.
    FrmMA_BienesUso* abrirDesdeElMenu()
    {
        ControladorMenu* menu = ControladorMenu::de(*principal);
        EXPECT_TRUE(menu);
        if (!menu) return nullptr;
        QAction* item = menu->item(QStringLiteral("MNU_CargaDatos"));
        EXPECT_TRUE(item && item->isEnabled());
        if (!item) return nullptr;
        item->trigger();
        QApplication::processEvents();
        auto* w = qobject_cast<FrmMA_BienesUso*>(menu->servicios().ventanaAbierta(QStringLiteral("FrmMA_BienesUso")));
        EXPECT_TRUE(w) << dlg.ultimo().toStdString();
        registro = w;
        return w;
    }
    // Where the keyboard is.
    QWidget* foco() const
    {
        if (QWidget* f = QApplication::focusWidget()) return f;
        return registro ? registro->focusWidget() : nullptr;
    }
    // The data field of the box with the focus ("" for any other control).
    QString campoConFoco() const
    {
        auto* t = qobject_cast<QLineEdit*>(foco());
        return t ? ArregloCajas::dataField(t).toUpper() : QString();
    }
    void tecla(int k, const QString& texto = QString(), Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* w = foco();
        ASSERT_TRUE(w);
        QKeyEvent abajo(QEvent::KeyPress, k, m, texto);
        QApplication::sendEvent(w, &abajo);
        if (QWidget* w2 = foco()) {
            QKeyEvent arriba(QEvent::KeyRelease, k, m, texto);
            QApplication::sendEvent(w2, &arriba);
        }
        QApplication::processEvents();
    }
    // Types the text where the focus is (over the selection the box made on entry).
    void escribir(const QString& texto)
    {
        for (QChar c : texto) tecla(c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_A, QString(c));
    }
    // Types into the box with the focus, which must be 'campo', and presses Enter.
    void teclear(const char* campo, const QString& texto)
    {
        ASSERT_EQ(campoConFoco(), QString::fromLatin1(campo).toUpper()) << "al teclear " << texto.toStdString();
        escribir(texto);
        tecla(Qt::Key_Return, QStringLiteral("\r"));
    }
    void clic(QPushButton* b)
    {
        const QPoint centro = b->rect().center();
        QMouseEvent baja(QEvent::MouseButtonPress, centro, b->mapToGlobal(centro), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent sube(QEvent::MouseButtonRelease, centro, b->mapToGlobal(centro), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(b, &baja);
        QApplication::sendEvent(b, &sube);
        QApplication::processEvents();
    }
    QString mensajes() const
    {
        QStringList r;
        for (const auto& m : dlg.mostrados) r << m.texto;
        return r.join(QStringLiteral(" | "));
    }
    // The new asset of 2025 typed up to the last box before its sheet.
    void teclearBienHastaLaPlanilla(const QString& serie)
    {
        teclear("SERIE", serie);
        // The account comes from its lookup; the choice is checked as if typed.
        ASSERT_EQ(campoConFoco(), QStringLiteral("CUENTA_CONTABLE"));
        lista.respuestas.enqueue(QStringLiteral("1201010010001"));
        tecla(Qt::Key_F5);
        teclear("FECHA_COMPRA", QStringLiteral("10/03/2025"));
        // The recovery value stays closed until the asset has a life.
        teclear("COSTO", QStringLiteral("1200"));
        teclear("PERIODO", QStringLiteral("1"));
        teclear("VIDA_UTIL", QStringLiteral("5"));
        teclear("UBICACION", QStringLiteral("Depósito"));
        teclear("AFECTA", QStringLiteral("Reparto"));
        teclear("DESCRIPCION", QStringLiteral("Autoelevador"));
        teclear("FECHA_BAJA", QString());
        teclear("MOTIVO", QString());
    }

    GuionDialogos dlg;
    ListaConsultaGuion lista;
    std::unique_ptr<frmMDI> principal;
    QPointer<FrmMA_BienesUso> registro;
};

} // namespace

// A new asset keyed from the first box to "&Aceptar": it is stored with its
// sheet row of 2025 and the window is ready for the next one, the keyboard in
// "Identificación".
TEST_P(CargaInicialDesdeElMenu, UnBienNuevoSeTecleaYSeGraba)
{
    FrmMA_BienesUso* w = abrirDesdeElMenu();
    ASSERT_TRUE(w);
    EXPECT_TRUE(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
    EXPECT_TRUE(w->EsCargaInicial);
    const QString codigo = w->buso(QStringLiteral("CODIGO"))->text();
    ASSERT_FALSE(codigo.isEmpty());
    EXPECT_TRUE(w->buso(QStringLiteral("SERIE"))->isEnabled());
    EXPECT_EQ(campoConFoco(), QStringLiteral("SERIE"));

    teclearBienHastaLaPlanilla(QStringLiteral("AUTO-01"));
    EXPECT_EQ(w->buso(QStringLiteral("CUENTA_EJERCICIO"))->text(), QStringLiteral("5201010010001"));
    EXPECT_EQ(w->buso(QStringLiteral("PORCENTAJE"))->text(), QStringLiteral("20"));
    EXPECT_EQ(w->buso(QStringLiteral("VALOR_RECUPERO"))->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(w->buso(QStringLiteral("VALOR_RECUPERO"))->isEnabled());
    ASSERT_FALSE(w->FrmCalculo->isHidden()); // bought before the active year: its opening sheet
    teclear("PERIODO_CALCULO", QStringLiteral("12"));
    teclear("COSTO_INICIO", QStringLiteral("1200"));
    teclear("FECHA_CIERRE", QStringLiteral("31/12/2025"));
    EXPECT_EQ(w->calculo(QStringLiteral("DEP_EJERCICIO"))->text(), QStringLiteral("240.00"));
    teclear("DEP_ACUMULADA", QStringLiteral("240"));
    EXPECT_EQ(foco(), w->CmdBusoAceptar);
    EXPECT_EQ(mensajes(), QString());

    clic(w->CmdBusoAceptar);
    EXPECT_EQ(mensajes(), QString());
    EXPECT_FALSE(w->HayError);
    const auto b = con().PrimeraFila(QStringLiteral("SELECT * FROM MA_BIENES WHERE CODIGO = ?"), {codigo.toLongLong()});
    ASSERT_TRUE(b);
    EXPECT_EQ(b->texto(QStringLiteral("SERIE")), QStringLiteral("AUTO-01"));
    EXPECT_EQ(b->texto(QStringLiteral("DESCRIPCION")), QStringLiteral("AUTOELEVADOR")); // the demo company writes upper case
    EXPECT_EQ(b->texto(QStringLiteral("CUENTA_CONTABLE")).trimmed(), QStringLiteral("1201010010001"));
    EXPECT_EQ(b->fecha(QStringLiteral("FECHA_COMPRA")), QDate(2025, 3, 10));
    EXPECT_EQ(b->moneda(QStringLiteral("COSTO")).texto(2), QStringLiteral("1200.00"));
    EXPECT_EQ(b->entero(QStringLiteral("VIDA_UTIL")), 5);
    const auto filas = con().ObtenerRecordset(QStringLiteral("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = ? ORDER BY PERIODO"),
                                              {codigo.toLongLong()})
                           .todas();
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0].entero(QStringLiteral("PERIODO")), 1);
    EXPECT_EQ(filas[0].moneda(QStringLiteral("DEP_EJERCICIO")).texto(2), QStringLiteral("240.00"));
    EXPECT_EQ(filas[0].moneda(QStringLiteral("DEP_ACUMULADA")).texto(2), QStringLiteral("240.00"));

    // Ready for the next asset: a new number, blank boxes, the keyboard in the identification.
    EXPECT_EQ(w->buso(QStringLiteral("CODIGO"))->text(), QString::number(codigo.toLongLong() + 1));
    EXPECT_TRUE(w->buso(QStringLiteral("SERIE"))->text().isEmpty());
    EXPECT_TRUE(w->buso(QStringLiteral("DESCRIPCION"))->text().isEmpty());
    EXPECT_TRUE(w->buso(QStringLiteral("SERIE"))->isEnabled());
    EXPECT_EQ(campoConFoco(), QStringLiteral("SERIE"));
    // ... and the next one is keyed the same way.
    teclearBienHastaLaPlanilla(QStringLiteral("AUTO-02"));
    EXPECT_EQ(mensajes(), QString());
}

// Tab walks the boxes frame by frame, the purchase year included, and skips
// what is closed or hidden; Shift+Tab walks back.
TEST_P(CargaInicialDesdeElMenu, TabSigueElOrdenDeLosMarcos)
{
    FrmMA_BienesUso* w = abrirDesdeElMenu();
    ASSERT_TRUE(w);
    ASSERT_EQ(campoConFoco(), QStringLiteral("SERIE"));
    const QStringList orden{"SERIE",           "CUENTA_CONTABLE", "FECHA_COMPRA", "COSTO",          "VALOR_RECUPERO",
                            "PERIODO",         "VIDA_UTIL",       "UBICACION",    "AFECTA",         "DESCRIPCION",
                            "FECHA_BAJA",      "MOTIVO",          "PERIODO_CALCULO", "COSTO_INICIO", "FECHA_CIERRE",
                            "DEP_ACUMULADA"};
    QStringList visto{campoConFoco()};
    for (int i = 1; i < orden.size(); ++i) {
        tecla(Qt::Key_Tab, QStringLiteral("\t"));
        visto << campoConFoco();
    }
    EXPECT_EQ(visto, orden);
    tecla(Qt::Key_Tab, QStringLiteral("\t"));
    EXPECT_EQ(foco(), w->CmdBusoAceptar);
    // Back from the purchase year: the recovery value, then the cost.
    for (int i = 0; i < orden.size() && campoConFoco() != QStringLiteral("PERIODO"); ++i) tecla(Qt::Key_Backtab, QString(), Qt::ShiftModifier);
    ASSERT_EQ(campoConFoco(), QStringLiteral("PERIODO"));
    tecla(Qt::Key_Backtab, QString(), Qt::ShiftModifier);
    EXPECT_EQ(campoConFoco(), QStringLiteral("VALOR_RECUPERO"));
    tecla(Qt::Key_Backtab, QString(), Qt::ShiftModifier);
    EXPECT_EQ(campoConFoco(), QStringLiteral("COSTO"));
}

// "&Aceptar" with a box missing: the message is the field's, and the keyboard
// is left in that box (the derived depreciation accounts send it to the asset
// account they come from).
TEST_P(CargaInicialDesdeElMenu, ElCampoRechazadoTomaElFoco)
{
    FrmMA_BienesUso* w = abrirDesdeElMenu();
    ASSERT_TRUE(w);
    teclearBienHastaLaPlanilla(QStringLiteral("AUTO-03"));
    // The identification emptied again, then Accept.
    w->buso(QStringLiteral("SERIE"))->clear();
    dlg.mostrados.clear();
    clic(w->CmdBusoAceptar);
    EXPECT_EQ(mensajes(), QStringLiteral("Debe informar el Campo!!!"));
    EXPECT_TRUE(w->HayError);
    EXPECT_EQ(campoConFoco(), QStringLiteral("SERIE"));
    teclear("SERIE", QStringLiteral("AUTO-03"));
    EXPECT_EQ(campoConFoco(), QStringLiteral("CUENTA_CONTABLE"));

    // An account never chosen leaves its depreciation accounts empty.
    for (const char* c : {"CUENTA_CONTABLE", "CUENTA_EJERCICIO", "CUENTA_ACUMULADA"}) w->buso(QString::fromLatin1(c))->clear();
    dlg.mostrados.clear();
    clic(w->CmdBusoAceptar);
    EXPECT_EQ(mensajes(), QStringLiteral("La cuenta informada no tiene una cuenta de depreciacion de ejercicio"));
    EXPECT_EQ(campoConFoco(), QStringLiteral("CUENTA_CONTABLE"));
    EXPECT_EQ(con().Escalar(QStringLiteral("SELECT COUNT(*) FROM MA_BIENES WHERE SERIE = 'AUTO-03'")).toLongLong(), 0);
}

VEXA_AMBOS_MOTORES(CargaInicialDesdeElMenu);
