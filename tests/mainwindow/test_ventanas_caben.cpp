// The program on a 1280 x 900 screen (the offscreen platform configured by
// pantalla_1280x900.json): the main window starts maximised, and every window
// opened by its menu command shows its commands and its lists' columns without
// scrolling; lookups and query sheets are as wide as their codes and headings,
// and the registrations sheet shows dates as dd/mm/aaaa and numbers as stored.
#include "Esquema.h"
#include "BaseDePrueba.h"

#include "ArchivoIni.h"
#include "Dialogos.h"
#include "DialogosQt.h"
#include "EstadoGlobal.h"
#include "FrmInterface.h"
#include "LBF_DBPWD.h"
#include "MenuPrincipal.h"
#include "VentanasAsientos.h"
#include "VentanasBienes.h"
#include "VentanasCCosto.h"
#include "VentanasCotizacion.h"
#include "VentanasEjercicios.h"
#include "VentanasReferencia.h"
#include "VentanasSeguridad.h"
#include "frmMA_INDAJUSTE.h"
#include "frmMDI.h"
#include "frmperscampos.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

using namespace vexa;
using plataforma::GuionDialogos;

namespace {

void procesarEventos()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The rectangle of a widget in the coordinates of another (an ancestor).
QRect rectEn(const QWidget* w, const QWidget* ancestro) { return QRect(w->mapTo(ancestro, QPoint(0, 0)), w->size()); }

class VentanasCaben : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        // The program opens the database itself, from its command line.
        con().Cerrar();
        inicio.lineaComandos = QStringLiteral("/NoMostrarSlash;@Server=%1;@DbName=%2;@Usuario=%3;@Password=%4;ADMIN")
                                    .arg(datos().server, datos().dbName, datos().usuario, datos().password);
        // Every subsystem's windows, as the program registers them.
        registrarVentanasVentanaPrincipal();
        recepcion::registrarVentanasRecepcion();
        registrarVentanasEjercicios();
        registrarVentanasAsientos();
        registrarVentanasNucleo();
        registrarVentanasSeguridad();
        registrarVentanasBienes();
        registrarVentanasReferencia();
        registrarVentanasCotizacion();
        registrarVentanasAjuste();
        registrarVentanasCCosto();
        principal = std::make_unique<frmMDI>(inicio);
        ASSERT_TRUE(principal->MDIForm_Load()) << dlg.ultimo().toStdString();
        plataforma::setVentanaPrincipal(principal.get());
        principal->MostrarAlIniciar();
        procesarEventos();
        area = principal->findChild<QMdiArea*>(QStringLiteral("MDIArea"));
        ASSERT_TRUE(area);
    }
    void TearDown() override
    {
        plataforma::setVentanaPrincipal(nullptr);
        principal.reset();
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        BaseDePrueba::TearDown();
    }
    // Runs the menu command as a click does; the window it opened, if any.
    QWidget* abrir(const char* item, const char* ventana)
    {
        ControladorMenu* menu = ControladorMenu::de(*principal);
        menu->ejecutarItem(QString::fromLatin1(item));
        procesarEventos();
        return menu->servicios().ventanaAbierta(QString::fromLatin1(ventana));
    }

    GuionDialogos dlg;
    EstadoInicio inicio; // what main hands the main window
    std::unique_ptr<frmMDI> principal;
    QMdiArea* area = nullptr;
};

TEST_P(VentanasCaben, LaVentanaPrincipalArrancaMaximizada)
{
    const QScreen* pantalla = principal->screen();
    ASSERT_TRUE(pantalla);
    ASSERT_EQ(pantalla->size(), QSize(1280, 900)) << "run with pantalla_1280x900.json";
    EXPECT_TRUE(principal->isMaximized());
    EXPECT_TRUE(pantalla->availableGeometry().contains(principal->geometry()));
    EXPECT_GE(principal->width(), pantalla->availableGeometry().width() - 20);
    EXPECT_GE(principal->height(), pantalla->availableGeometry().height() - 60);
}

// Every window of this program opened from its menu item: its frame inside the
// area, its buttons visible, its lists showing every column.
TEST_P(VentanasCaben, CadaVentanaMuestraSusComandosYColumnas)
{
    struct Caso {
        const char* item;
        const char* ventana;
    };
    const Caso casos[] = {
        {"MnuArchivosCentrosCostos", "Frmta_asigccosto"},     // "Porcentaje"
        {"MNU_IndiceDeAjustes", "frmMA_INDAJUSTE"},          // the fourth series
        {"MNU_CargaDatos", "FrmMA_BienesUso"},               // "&Aceptar" / "&Cancelar"
        {"MNU_ConsultaModificacionKardex", "FrmMa_BienesUsoModif"},
        {"Mnu_Ajuste_Generar", "FrmAjusteInflacion"},
        {"MnuArchivosTablas", "frmTablas"},
        {"MNU_TA_COTIZACIONES", "FrmTaCotizacion"},
        {"MNU_RenumeracionCopiadores", "FrmRenumTitCopiadores"},
        {"MNU_VistasDatosAdicionales", "FrmDefVistas"},
        {"MNU_CamposPersonalizados", "frmperscampos"},
        {"MNU_Usuarios", "frmTA_Usuarios"},
        {"MNU_Tareas", "FrmTareas"},
        {"Mnu_ArchivosRpAcceso", "RP_Acceso"},
        {"MnuAsientosInterfaz", "FrmInterface"},
        {"MNU_Impota", "FrmImportacion"},
        {"mnu_RecpVexa", "frmDatosVexa"},
        {"MNU_FrmAnulRecep", "FrmAnulRecep"},
    };
    const QRect visible = area->viewport()->rect();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.item);
        QWidget* w = abrir(c.item, c.ventana);
        ASSERT_TRUE(w) << dlg.ultimo().toStdString();
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        ASSERT_TRUE(sub);
        EXPECT_TRUE(visible.contains(sub->geometry())) << sub->geometry().x() << "," << sub->geometry().y() << " "
                                                       << sub->width() << "x" << sub->height();
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            if (!b->isVisible() || b->text().isEmpty()) continue;
            EXPECT_TRUE(visible.contains(rectEn(b, area->viewport()))) << b->text().toStdString();
        }
        for (QTableView* t : w->findChildren<QTableView*>()) {
            if (!t->isVisible()) continue;
            EXPECT_LE(t->horizontalHeader()->length(), t->viewport()->width()) << t->objectName().toStdString();
            EXPECT_EQ(t->horizontalScrollBar()->maximum(), 0) << t->objectName().toStdString();
        }
        for (QTreeView* t : w->findChildren<QTreeView*>()) {
            if (!t->isVisible() || t->header()->isHidden()) continue;
            // Each heading whole.
            const QFontMetrics fm(t->header()->font());
            for (int col = 0; col < t->header()->count(); ++col) {
                const QString titulo = t->model()->headerData(col, Qt::Horizontal).toString();
                EXPECT_GE(t->header()->sectionSize(col), fm.horizontalAdvance(titulo)) << titulo.toStdString();
            }
        }
        sub->close();
        procesarEventos();
    }
}

// Before "Cargar" the renumbering list already has its two headings.
TEST_P(VentanasCaben, LaListaDeRenumeracionTieneSusTitulosDesdeElComienzo)
{
    QWidget* w = abrir("MNU_RenumeracionCopiadores", "FrmRenumTitCopiadores");
    ASSERT_TRUE(w);
    auto* lista = w->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    ASSERT_TRUE(lista);
    ASSERT_EQ(lista->columnCount(), 2);
    EXPECT_EQ(lista->headerItem()->text(0), "Codigo");
    EXPECT_EQ(lista->headerItem()->text(1), "Descripcion");
    const QFontMetrics fm(lista->font());
    EXPECT_EQ(lista->columnWidth(0), fm.horizontalAdvance(QString(10, u'X')));
}

// The account lookup of the cost-centre window (right button on the account):
// the codes whole, every column in view.
TEST_P(VentanasCaben, LaConsultaDeCuentasMuestraLosCodigosEnteros)
{
    QWidget* w = abrir("MnuArchivosCentrosCostos", "Frmta_asigccosto");
    ASSERT_TRUE(w);
    QLineEdit* cuenta = nullptr;
    for (QLineEdit* l : w->findChildren<QLineEdit*>())
        if (l->isVisible() && l->isEnabled() && !cuenta) cuenta = l;
    ASSERT_TRUE(cuenta);
    int anchoCodigos = -1, anchoNecesario = 0, largo = 0, vista = 0;
    QString codigoMasLargo;
    // Runs inside the lookup's own event loop, once it is shown.
    QTimer::singleShot(0, [&] {
        QDialog* d = nullptr;
        for (QWidget* x : QApplication::topLevelWidgets())
            if (x->isVisible() && x->objectName() == QLatin1String("ListaConsulta")) d = qobject_cast<QDialog*>(x);
        if (!d) return;
        auto* t = d->findChild<QTableWidget*>();
        for (int c = 0; t && c < t->columnCount(); ++c) {
            if (t->horizontalHeaderItem(c)->text().compare(QLatin1String("CODIGO"), Qt::CaseInsensitive) != 0) continue;
            const QFontMetrics fm(t->font());
            for (int f = 0; f < t->rowCount(); ++f) {
                const QString codigo = t->item(f, c)->text();
                if (fm.horizontalAdvance(codigo) > anchoNecesario) {
                    anchoNecesario = fm.horizontalAdvance(codigo);
                    codigoMasLargo = codigo;
                }
            }
            anchoCodigos = t->columnWidth(c);
        }
        if (t) {
            largo = t->horizontalHeader()->length();
            vista = t->viewport()->width();
        }
        d->reject();
    });
    QMouseEvent derecho(QEvent::MouseButtonPress, QPointF(2, 2), cuenta->mapToGlobal(QPointF(2, 2)), Qt::RightButton, Qt::RightButton,
                        Qt::NoModifier);
    QApplication::sendEvent(cuenta, &derecho);
    ASSERT_GE(anchoCodigos, 0) << "no lookup";
    EXPECT_EQ(codigoMasLargo.size(), 13) << codigoMasLargo.toStdString();
    EXPECT_GE(anchoCodigos, anchoNecesario);
    EXPECT_LE(largo, vista);
}

// Registrations → Planilla de Datos: the sheet of the active year's entries,
// dates dd/mm/aaaa, numbers as the database gives them (no thousands mark, a
// point before the decimals), every heading whole and every column in view.
TEST_P(VentanasCaben, LaPlanillaDeRegistracionesMuestraFechasYNumerosComoSeGuardan)
{
    EsquemaEmpresa(con()).cargarAsientosDemo();
    con().Insertar("MV_ASIENTOS", {{"PERIODO", 2}, {"MES_OPERATIVO", 5}, {"[NUMERO ASIENTO]", 1234}, {"SECUENCIA", 1}, {"TIPO_REG", ""},
                                   {"FECHA", QDate(2026, 5, 7)}, {"CUENTA", "1101010010001"}, {"[DEBE-HABER]", "D"},
                                   {"IMPORTE", QVariant::fromValue(*Moneda::parsear("1234.5"))}, {"DETALLE", "Cobranza"}});
    abrir("mnu_planillaReg", "");
    QTableWidget* t = nullptr;
    for (QWidget* x : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(x); d && d->isVisible() && d->windowTitle() == "Registraciones") t = d->findChild<QTableWidget*>();
    ASSERT_TRUE(t) << dlg.ultimo().toStdString();
    procesarEventos();
    QHash<QString, int> col;
    for (int c = 0; c < t->columnCount(); ++c) col.insert(t->horizontalHeaderItem(c)->text().toUpper(), c);
    ASSERT_TRUE(col.contains("FECHA") && col.contains("NUMERO ASIENTO") && col.contains("IMPORTE") && col.contains("CUENTA"));
    int fila = -1;
    for (int f = 0; f < t->rowCount(); ++f)
        if (t->item(f, col["NUMERO ASIENTO"])->text() == "1234") fila = f;
    ASSERT_GE(fila, 0) << "the number is written without a thousands mark";
    EXPECT_EQ(t->item(fila, col["FECHA"])->text(), "07/05/2026");
    EXPECT_TRUE(t->item(fila, col["IMPORTE"])->text().startsWith("1234.5")) << t->item(fila, col["IMPORTE"])->text().toStdString();
    for (int f = 0; f < t->rowCount(); ++f)
        EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d{4}$").match(t->item(f, col["FECHA"])->text()).hasMatch())
            << t->item(f, col["FECHA"])->text().toStdString();
    // Sorting by the date column sorts by date, not by the text.
    t->sortItems(col["FECHA"], Qt::DescendingOrder);
    EXPECT_EQ(t->item(0, col["FECHA"])->text(), "07/05/2026");
    // Headings whole, codes whole, nothing out of view.
    const QFontMetrics fmCabecera(t->horizontalHeader()->font()), fm(t->font());
    for (int c = 0; c < t->columnCount(); ++c) {
        const QString titulo = t->horizontalHeaderItem(c)->text();
        EXPECT_GE(t->columnWidth(c), fmCabecera.horizontalAdvance(titulo)) << titulo.toStdString();
    }
    EXPECT_GE(t->columnWidth(col["CUENTA"]), fm.horizontalAdvance("1101010010001"));
    EXPECT_LE(t->horizontalHeader()->length(), t->viewport()->width());
    EXPECT_TRUE(principal->screen()->availableGeometry().contains(t->window()->frameGeometry()));
    delete t->window();
}

} // namespace

VEXA_AMBOS_MOTORES(VentanasCaben);
