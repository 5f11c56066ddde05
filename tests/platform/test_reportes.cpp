// The report mechanism: the recording double, real PDFs read back with
// pdftotext, and the engine's selections run on both backends.
#include "BaseDePrueba.h"
#include "Dialogos.h"
#include "MotorReportes.h"
#include "Reportes.h"
#include "ReportesQt.h"
#include "TBarRep.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

// The text of a PDF as pdftotext lays it out; "" when the tool is missing.
QString textoPdf(const QString& archivo)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), archivo, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

Reporte reporteDeFilas(int n)
{
    Reporte r;
    r.titulo = QStringLiteral("Listado de Prueba");
    r.encabezado = {QStringLiteral("Empresa: ACME S.A."), QStringLiteral("Desde: 01/01/2026")};
    r.columnas = {{QStringLiteral("Usuario"), 12}, {QStringLiteral("Importe"), 10, true}, {QStringLiteral("Detalle"), 30}};
    r.filas = [n](const SumideroFilas& s) {
        for (int i = 1; i <= n; ++i)
            if (!s({QStringLiteral("USR%1").arg(i, 4, 10, QLatin1Char('0')), QString::number(i * 10), QStringLiteral("renglón %1").arg(i)}))
                return;
    };
    return r;
}

TEST(Reportes, ElDobleRegistraTituloCabecerasYFilas)
{
    ReportesGuion guion;
    instalarReportes(&guion);
    const ResultadoReporte r = reportes().emitir(reporteDeFilas(3), DestinoReporte::Archivo, QStringLiteral("/tmp/x.pdf"));
    instalarReportes(nullptr);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.filas, 3);
    ASSERT_EQ(guion.emitidos.size(), 1);
    const auto& e = guion.emitidos[0];
    EXPECT_EQ(e.titulo, "Listado de Prueba");
    EXPECT_EQ(e.cabeceras, (QStringList{"Usuario", "Importe", "Detalle"}));
    ASSERT_EQ(e.filas.size(), 3);
    EXPECT_EQ(e.filas[2], (QStringList{"USR0003", "30", "renglón 3"}));
    EXPECT_EQ(e.destino, DestinoReporte::Archivo);
    EXPECT_EQ(e.archivo, "/tmp/x.pdf");

    guion.error = QStringLiteral("sin papel");
    instalarReportes(&guion);
    const ResultadoReporte f = reportes().emitir(reporteDeFilas(1), DestinoReporte::Impresora);
    instalarReportes(nullptr);
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.error, "sin papel");
}

// A real PDF: every page carries the title, the header lines, the column heads
// and its number; the rows come out in order, a cell longer than its column
// going on over the next lines within it.
TEST(Reportes, PdfLeidoDeVuelta)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("prueba.pdf"));
    usarReportesQt();
    Reporte r = reporteDeFilas(150);
    r.filas = [base = r.filas](const SumideroFilas& s) {
        base(s);
        s({QStringLiteral("UN NOMBRE MUY LARGO QUE NO CABE"), QStringLiteral("1"), QStringLiteral("x")});
        s({QStringLiteral("CORTO"), QStringLiteral("2"), QString(30, u'D') + QStringLiteral("FIN")}); // one word past 30
    };
    const ResultadoReporte res = reportes().emitir(r, DestinoReporte::Archivo, pdf);
    ASSERT_TRUE(res.ok) << res.error.toStdString();
    EXPECT_EQ(res.filas, 152);
    EXPECT_GE(res.paginas, 2);
    const QString texto = textoPdf(pdf);
    ASSERT_FALSE(texto.isEmpty()) << "pdftotext";
    const QStringList paginas = texto.split(QChar(u'\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(paginas.size(), res.paginas);
    for (int i = 0; i < paginas.size(); ++i) {
        const QString& p = paginas[i];
        EXPECT_TRUE(p.contains("Listado de Prueba")) << i;
        EXPECT_TRUE(p.contains("Empresa: ACME S.A.")) << i;
        EXPECT_TRUE(p.contains(QRegularExpression("Usuario\\s+Importe\\s+Detalle"))) << i;
        EXPECT_TRUE(p.contains(QStringLiteral("Página %1").arg(i + 1))) << i;
    }
    EXPECT_TRUE(texto.contains(QRegularExpression("USR0001\\s+10\\s+renglón 1\\b")));
    EXPECT_TRUE(texto.contains(QRegularExpression("USR0150\\s+1500\\s+renglón 150\\b")));
    EXPECT_LT(texto.indexOf("USR0001"), texto.indexOf("USR0002"));
    EXPECT_LT(texto.indexOf("USR0149"), texto.indexOf("USR0150"));
    // "UN NOMBRE MUY LARGO QUE NO CABE" in 12 characters: broken at blanks, nothing lost.
    EXPECT_TRUE(texto.contains(QRegularExpression("UN NOMBRE\\s+1\\s+x\\s*\\n\\s*MUY LARGO\\s*\\n\\s*QUE NO CABE\\s*\\n")))
        << texto.right(400).toStdString();
    EXPECT_TRUE(texto.contains(QRegularExpression("CORTO\\s+2\\s+D{30}\\s*\\n\\s*FIN\\s*\\n"))) << texto.right(400).toStdString();
}

// Without column heads and with the page header off, the lines follow one
// another: no title, no page number.
TEST(Reportes, LineasSinCabeceraDePagina)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lineas.pdf"));
    usarReportesQt();
    Reporte r;
    r.titulo = QStringLiteral("NO APARECE");
    r.cabeceraEnPaginas = false;
    r.lineas = {{QStringLiteral("Encabezado"), 1, 10, true, true}, {QString(), 1, 8}, {QStringLiteral("uno"), 1, 8}, {QStringLiteral("dos"), 5, 8}};
    const ResultadoReporte res = reportes().emitir(r, DestinoReporte::Archivo, pdf);
    ASSERT_TRUE(res.ok);
    const QString texto = textoPdf(pdf);
    EXPECT_TRUE(texto.contains("Encabezado"));
    EXPECT_TRUE(texto.contains(QRegularExpression("uno\\s*\\n\\s+dos")));
    EXPECT_FALSE(texto.contains("NO APARECE"));
    EXPECT_FALSE(texto.contains("Página"));
}

TEST(Reportes, ArchivoQueNoSePuedeEscribir)
{
    usarReportesQt();
    const ResultadoReporte res =
        reportes().emitir(reporteDeFilas(1), DestinoReporte::Archivo, QStringLiteral("/no/existe/carpeta/x.pdf"));
    EXPECT_FALSE(res.ok);
    EXPECT_FALSE(res.error.isEmpty());
}

// ---- The engine's selection ----

TEST(MotorReportes, ArmaFormula)
{
    const QString usuario = QStringLiteral("{Control_Acceso.NombreUsuario}");
    const QString ingreso = QStringLiteral("({control_acceso.ingreso})");
    struct Caso {
        QList<CriterioReporte> criterios;
        QString condicion; // expected, "" for none
        Params parametros;
        QString error; // expected start of the error text
    };
    const QDateTime d1(QDate(2026, 3, 1), QTime(0, 0)), d2(QDate(2026, 4, 1), QTime(0, 0));
    const Caso casos[] = {
        {{{"", "", usuario, CRITERIO_TEXTO}, {"", "", ingreso, CRITERIO_FECHA}}, "", {}, ""},
        {{{"A", "M", usuario, CRITERIO_TEXTO}},
         "(CONTROL_ACCESO.NOMBREUSUARIO >= ?) AND CONTROL_ACCESO.NOMBREUSUARIO <= ?", {"A", "M"}, ""},
        {{{"  B ", "", usuario, CRITERIO_TEXTO}}, "CONTROL_ACCESO.NOMBREUSUARIO >= ?", {"B"}, ""},
        {{{"", "31/03/2026", ingreso, CRITERIO_FECHA}}, "CONTROL_ACCESO.INGRESO < ?", {d2}, ""},
        {{{"01/03/2026", "31/03/2026", ingreso, CRITERIO_FECHA}},
         "(CONTROL_ACCESO.INGRESO >= ?) AND CONTROL_ACCESO.INGRESO < ?", {d1, d2}, ""},
        {{{"31/03/2026", "01/03/2026", ingreso, CRITERIO_FECHA}}, "", {}, "La fecha desde es mayor que la fecha Hasta"},
        {{{"32/03/2026", "", ingreso, CRITERIO_FECHA}}, "", {}, "La fecha ingresada no es correcta"},
        {{{"A", "", "{x.y'; DROP TABLE t}", CRITERIO_TEXTO}}, "", {}, "El campo del reporte no es válido"},
        {{{"A", "", "Control_Acceso.NombreUsuario", CRITERIO_TEXTO}}, "", {}, "El campo del reporte no es válido"},
        {{{"1", "", usuario, 3}}, "", {}, "Tipo de criterio no admitido"},
    };
    MotorReportes motor;
    for (const Caso& c : casos) {
        FormulaReporte f;
        QString error;
        const bool ok = motor.ArmaFormula(c.criterios, f, error);
        EXPECT_EQ(ok, c.error.isEmpty()) << c.criterios[0].desde.toStdString();
        EXPECT_TRUE(c.error.isEmpty() ? error.isEmpty() : error.startsWith(c.error)) << error.toStdString();
        EXPECT_EQ(f.condicion, c.condicion);
        EXPECT_EQ(f.parametros, c.parametros);
    }
}

TEST(TBarRep, TeclasYEstado)
{
    TBarRep t;
    EXPECT_EQ(t.objectName(), "TBarRep1");
    EXPECT_EQ(TBarRep::claves(), (QStringList{"PANTALLA", "IMPRESORA", "CERRAR", "CONSULTAR"}));
    QStringList clics;
    QObject::connect(&t, &TBarRep::ButtonClick, [&](const QString& k) { clics << k; });
    t.setEstado1(false);
    EXPECT_FALSE(t.Tecla(Qt::Key_F6));
    EXPECT_TRUE(t.Tecla(Qt::Key_F7));
    EXPECT_TRUE(t.Tecla(Qt::Key_F8));
    t.setEstado1(true);
    EXPECT_TRUE(t.estado1());
    EXPECT_TRUE(t.Tecla(Qt::Key_F6));
    EXPECT_TRUE(t.Tecla(Qt::Key_F10));
    t.boton("impresora")->trigger();
    EXPECT_EQ(clics, (QStringList{"PANTALLA", "IMPRESORA", "CONSULTAR", "CERRAR", "IMPRESORA"}));
}

// A report defined in code, run on both backends with a selection of bound values.
class MotorReportesBD : public prueba::BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        instalarReportes(&guion);
        registrarReporte(QStringLiteral("rp_prueba"),
                         {{QStringLiteral("CONTROL_ACCESO.NOMBREUSUARIO"), QStringLiteral("CONTROL_ACCESO.INGRESO")},
                          [](const PedidoReporte& p) {
                              Reporte r;
                              r.titulo = QStringLiteral("Prueba");
                              r.encabezado = {p.formulas.value(QStringLiteral("EMPRESA"))};
                              r.columnas = {{QStringLiteral("Usuario"), 20}};
                              r.filas = [p](const SumideroFilas& s) {
                                  QString sql = QStringLiteral("SELECT NombreUsuario FROM CONTROL_ACCESO");
                                  if (!p.seleccion.vacia()) sql += QStringLiteral(" WHERE ") + p.seleccion.condicion;
                                  Recordset rs = p.con->ObtenerRecordset(sql + QStringLiteral(" ORDER BY ID"), p.seleccion.parametros);
                                  for (; !rs.eof(); rs.siguiente())
                                      if (!s({rs.texto(QStringLiteral("NombreUsuario"))})) return;
                              };
                              return r;
                          }});
        for (const auto& [nombre, ingreso] : std::vector<std::pair<QString, QDateTime>>{
                 {"ANA", QDateTime(QDate(2026, 3, 1), QTime(0, 0))},
                 {"BETO", QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59))},
                 {"CARLA", QDateTime(QDate(2026, 4, 1), QTime(0, 0))},
                 {"O'HARA", QDateTime(QDate(2026, 2, 28), QTime(12, 0))}})
            con().Insertar(QStringLiteral("CONTROL_ACCESO"), {{"NombreUsuario", nombre}, {"INGRESO", ingreso}});
    }
    void TearDown() override
    {
        instalarReportes(nullptr);
        BaseDePrueba::TearDown();
    }
    QStringList usuarios(const QList<CriterioReporte>& c)
    {
        MotorReportes motor;
        FormulaReporte f;
        QString error;
        EXPECT_TRUE(motor.ArmaFormula(c, f, error)) << error.toStdString();
        guion.emitidos.clear();
        motor.GeneraReporte(con(), QStringLiteral("RP_PRUEBA"), {}, f, {{"empresa", "La 'Empresa'"}});
        QStringList r;
        for (const QStringList& fila : guion.emitidos.value(0).filas) r << fila.value(0);
        return r;
    }
    ReportesGuion guion;
};

TEST_P(MotorReportesBD, SeleccionPorRangos)
{
    const QString u = QStringLiteral("{Control_Acceso.NombreUsuario}"), i = QStringLiteral("({control_acceso.ingreso})");
    struct Caso { QString ud, uh, fd, fh; QStringList esperado; };
    const Caso casos[] = {
        {"", "", "", "", {"ANA", "BETO", "CARLA", "O'HARA"}},
        {"", "", "01/03/2026", "31/03/2026", {"ANA", "BETO"}}, // whole days, both ends
        {"", "", "01/04/2026", "", {"CARLA"}},                  // open end
        {"", "", "", "28/02/2026", {"O'HARA"}},
        {"B", "CARLA", "", "", {"BETO", "CARLA"}},
        {"o'hara", "o'hara", "", "", {"O'HARA"}}, // a quote is a value, any case
    };
    for (const Caso& c : casos)
        EXPECT_EQ(usuarios({{c.ud, c.uh, u, CRITERIO_TEXTO}, {c.fd, c.fh, i, CRITERIO_FECHA}}), c.esperado)
            << c.ud.toStdString() << " " << c.fd.toStdString();
    EXPECT_EQ(guion.emitidos.value(0).encabezado, QStringList{"La 'Empresa'"});
}

TEST_P(MotorReportesBD, CampoOReporteDesconocidoNoEjecutaNada)
{
    MotorReportes motor;
    FormulaReporte f;
    QString error;
    ASSERT_TRUE(motor.ArmaFormula({{"A", "", "{Control_Acceso.Maquina}", CRITERIO_TEXTO}}, f, error));
    EXPECT_THROW(motor.GeneraReporte(con(), QStringLiteral("rp_prueba"), {}, f), ErrorVexa);
    EXPECT_THROW(motor.GeneraReporte(con(), QStringLiteral("rp_no_existe"), {}, FormulaReporte()), ErrorVexa);
    EXPECT_TRUE(guion.emitidos.isEmpty());
}

VEXA_AMBOS_MOTORES(MotorReportesBD);

} // namespace
