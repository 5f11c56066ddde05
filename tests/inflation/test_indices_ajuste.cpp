// The index table: the typed year, the coefficients to the closing month, the
// months in their rows, the save as one transaction, the grid's editing in the
// window, the report and the exit stamp. Closing month: December 2026 (the
// demo company's active fiscal year); the clock says June 2026.
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "DespachoMenu.h"
#include "Entorno.h"
#include "GrillaEditable.h"
#include "IndicesAjuste.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "frmMA_INDAJUSTE.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <cmath>
#include <mutex>
#include <thread>

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::plataforma;

namespace {

void tecla(QWidget* w, int k, const QString& texto = QString())
{
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &e);
}

void escribir(QWidget* w, const QString& s)
{
    for (QChar c : s) tecla(w, c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_A, QString(c));
}

class IndicesAjuste : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        if (vaciarIndices()) con().EjecutarSQL(QStringLiteral("DELETE FROM MA_INDAJUSTE"));
    }
    virtual bool vaciarIndices() const { return true; }
    void TearDown() override
    {
        fijarAhora(QDateTime());
        BaseDePrueba::TearDown();
    }
    // One stored month: series 1..4.
    void fila(int anio, int mes, std::array<double, 4> v, std::array<double, 4> ind = {})
    {
        con().EjecutarSQL(QStringLiteral("INSERT INTO MA_INDAJUSTE (Anio, MES, Importe1, Importe2, Importe3, Importe4, "
                                         "Indice1, Indice2, Indice3, Indice4) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                          {anio, mes, v[0], v[1], v[2], v[3], ind[0], ind[1], ind[2], ind[3]});
    }
    // Stored rows of a year: month -> (Importe1, Indice1).
    std::map<int, std::pair<double, double>> guardado(int anio, int serie = 1)
    {
        std::map<int, std::pair<double, double>> r;
        Recordset rs = con().ObtenerRecordset(QStringLiteral("SELECT MES, Importe%1 AS I, Indice%1 AS C FROM MA_INDAJUSTE WHERE Anio = ?").arg(serie), {anio});
        for (; !rs.eof(); rs.siguiente()) r[int(rs.entero("MES"))] = {rs.fila().doble("I"), rs.fila().doble("C")};
        return r;
    }
    qint64 filas(int anio)
    {
        return con().Escalar(QStringLiteral("SELECT COUNT(*) FROM MA_INDAJUSTE WHERE Anio = ?"), {anio}).toLongLong();
    }
    // Accepts a year in the window as the operator does.
    static void anio(frmMA_INDAJUSTE& w, const QString& texto)
    {
        w.TxtFields[0]->setText(texto);
        tecla(w.TxtFields[0], Qt::Key_Return);
    }
    // Types into the grid: the first character opens the editor, the rest go to it.
    static void teclear(frmMA_INDAJUSTE& w, const QString& v)
    {
        escribir(w.FgAsiento, v.left(1));
        escribir(w.BrwTxt, v.mid(1));
    }
    // Types a value into a cell and leaves it with Enter.
    static void valor(frmMA_INDAJUSTE& w, int mes, int serie, const QString& v)
    {
        w.FgAsiento->setCurrentCell(mes - 1, frmMA_INDAJUSTE::columnaValor(serie));
        if (v.isEmpty()) {
            tecla(w.FgAsiento, Qt::Key_Space, QStringLiteral(" "));
            w.BrwTxt->clear();
        } else {
            teclear(w, v);
        }
        tecla(w.BrwTxt, Qt::Key_Return);
    }
    static QString coef(frmMA_INDAJUSTE& w, int mes, int serie) { return w.FgAsiento->texto(mes - 1, frmMA_INDAJUSTE::columnaCoeficiente(serie)); }
    static double coefValor(frmMA_INDAJUSTE& w, int mes, int serie)
    {
        return w.FgAsiento->valor(mes - 1, frmMA_INDAJUSTE::columnaCoeficiente(serie)).toDouble();
    }

    std::unique_ptr<ContextoEmpresa> ctx;
    GuionDialogos dlg;
};

TEST(IndicesAjusteReglas, AnioValoresYFormatos)
{
    struct CasoAnio {
        const char* texto;
        int anio;
        const QString* mensaje;
    };
    const CasoAnio anios[] = {
        {"02", 0, &ajuste::kMensajeFormatoAnio},   {"20021", 0, &ajuste::kMensajeFormatoAnio},
        {"abcd", 0, &ajuste::kMensajeFormatoAnio}, {"", 0, &ajuste::kMensajeFormatoAnio},
        {"2026.5", 0, &ajuste::kMensajeFormatoAnio}, {"1990", 0, &ajuste::kMensajeRangoAnio},
        {"2090", 0, &ajuste::kMensajeRangoAnio},   {"-999", 0, &ajuste::kMensajeRangoAnio},
        {"1991", 1991, nullptr},                   {" 2089 ", 2089, nullptr},
    };
    for (const CasoAnio& c : anios) {
        SCOPED_TRACE(c.texto);
        const ajuste::AnioValidado v = ajuste::ValidarAnio(QString::fromUtf8(c.texto));
        EXPECT_EQ(v.anio, c.anio);
        EXPECT_EQ(v.mensaje, c.mensaje ? *c.mensaje : QString());
    }

    struct CasoValor {
        const char* texto;
        std::optional<double> valor;
    };
    const CasoValor valores[] = {{"", 0.0}, {"  ", 0.0}, {"120", 120.0}, {"1,5", 1.5}, {"1.5", 1.5}, {".5", 0.5},
                                 {"7.", 7.0}, {".", std::nullopt}, {"1.2.3", std::nullopt}, {"-1", std::nullopt},
                                 {"1e3", std::nullopt}, {"abc", std::nullopt}};
    for (const CasoValor& c : valores) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(ajuste::LeerValor(QString::fromUtf8(c.texto)), c.valor);
    }
    EXPECT_EQ(ajuste::LeerValor(QString(400, u'9')), std::nullopt); // beyond a double

    EXPECT_EQ(ajuste::TextoCoeficiente(1.2), " 1.2");
    EXPECT_EQ(ajuste::TextoCoeficiente(1.0), " 1.");
    EXPECT_EQ(ajuste::TextoCoeficiente(1.0 / 3.0), " 0.333");
    EXPECT_EQ(ajuste::TextoCoeficiente(0.0), "");
    EXPECT_EQ(ajuste::TextoValor(105.3), "105.3");
    EXPECT_EQ(ajuste::TextoValor(100.0), "100");
    EXPECT_EQ(ajuste::TextoValor(0.0), "");
    EXPECT_EQ(ajuste::Coeficiente(120, 0), 0.0);
}

TEST_P(IndicesAjuste, ElAnioIngresado)
{
    fila(2024, 3, {50, 0, 0, 0});
    struct Caso {
        const char* texto;
        const QString* mensaje;
        bool edita;
    };
    const Caso casos[] = {
        {"02", &ajuste::kMensajeFormatoAnio, false},
        {"abcd", &ajuste::kMensajeFormatoAnio, false}, {"1990", &ajuste::kMensajeRangoAnio, false},
        {"2090", &ajuste::kMensajeRangoAnio, false},   {"1991", nullptr, true},
        {"2089", nullptr, true},                        {"2024", nullptr, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        dlg.mostrados.clear();
        frmMA_INDAJUSTE w(*ctx);
        EXPECT_EQ(w.TxtFields[0]->text(), "2026"); // the clock's year
        EXPECT_FALSE(w.FgAsiento->isEnabled());
        anio(w, QString::fromUtf8(c.texto));
        if (c.mensaje) {
            ASSERT_EQ(dlg.mostrados.size(), 1);
            EXPECT_EQ(dlg.mostrados[0].texto, *c.mensaje);
            EXPECT_EQ(dlg.mostrados[0].titulo, "Aviso al operador...");
            EXPECT_EQ(dlg.mostrados[0].estilo, vbInformation);
        } else {
            EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();
        }
        EXPECT_EQ(w.ErrorCampo, !c.edita);
        EXPECT_EQ(w.DatosModificados, c.edita);
        EXPECT_EQ(w.FgAsiento->isEnabled(), c.edita);
        EXPECT_EQ(w.TxtFields[0]->isEnabled(), !c.edita);
        for (const char* k : {"GRABAR", "BORRAR", "CANCELAR"}) EXPECT_EQ(w.UtilTeb1->habilitado(k), c.edita) << k;
        EXPECT_EQ(w.UtilTeb1->habilitado("NUEVO"), !c.edita);
        for (const char* k : {"REPORTE", "CERRAR"}) EXPECT_TRUE(w.UtilTeb1->habilitado(k)) << k;
        for (const char* k : {"PLANILLA", "CONSULTAR"}) EXPECT_FALSE(w.UtilTeb1->habilitado(k)) << k;
        if (!c.edita) continue;
        const bool existe = QString(c.texto) == "2024";
        EXPECT_EQ(w.Nuevo, !existe);
        EXPECT_EQ(w.anioGrilla(), QString(c.texto).toInt());
        for (int m = 1; m <= 12; ++m) {
            EXPECT_EQ(w.FgAsiento->texto(m - 1, 0), Utilidades::NombreMes(m));
            EXPECT_EQ(w.FgAsiento->texto(m - 1, 1), existe && m == 3 ? "50" : "");
        }
        EXPECT_EQ(qMakePair(w.FgAsiento->currentRow(), w.FgAsiento->currentColumn()), qMakePair(0, 1));
    }
}

TEST_P(IndicesAjuste, CoeficientesAlMesDeCierre)
{
    // Series 1 closes at 120, series 2 at 100; series 3 has no closing value.
    fila(2026, 1, {100, 300, 50, 0});
    fila(2026, 2, {0, 100, 0, 0});
    fila(2026, 12, {120, 100, 0, 0});
    fila(2025, 6, {60, 200, 0, 0});
    const auto antes2026 = guardado(2026);
    frmMA_INDAJUSTE w(*ctx);
    ASSERT_TRUE(w.mesCierre());
    EXPECT_EQ(w.mesCierre()->mes, 12);
    EXPECT_EQ(w.mesCierre()->anio, 2026);
    struct Caso {
        int mes, serie;
        const char* texto;
        double valor;
    };
    const Caso casos[] = {
        {1, 1, " 1.2", 1.2},   {1, 2, " 0.333", 100.0 / 300.0}, {12, 1, " 1.", 1.0}, {12, 2, " 1.", 1.0},
        {2, 1, "", 0.0},       {3, 1, "", 0.0},                 {1, 3, "", 0.0},     {2, 2, " 1.", 1.0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.mes << "/" << c.serie);
        EXPECT_EQ(coef(w, c.mes, c.serie), c.texto);
        EXPECT_EQ(coefValor(w, c.mes, c.serie), c.valor); // the figure itself, to double precision
    }
    // Another year: coefficients still to December 2026, read from the table.
    anio(w, "2025");
    EXPECT_EQ(coef(w, 6, 1), " 2.");
    EXPECT_EQ(coef(w, 6, 2), " 0.5");
    w.UtilTeb1_ButtonClick("CANCELAR"); // Yes (the default answer)

    // Editing the closing month of the closing year recomputes every row and writes nothing.
    anio(w, "2026");
    valor(w, 12, 1, "240");
    EXPECT_EQ(coef(w, 1, 1), " 2.4");
    EXPECT_EQ(coef(w, 12, 1), " 1.");
    valor(w, 12, 1, "");
    EXPECT_EQ(coef(w, 1, 1), "");
    EXPECT_EQ(guardado(2026), antes2026);
    dlg.respuestas.enqueue(vbNo);
    w.UtilTeb1_ButtonClick("CANCELAR");
    EXPECT_EQ(dlg.ultimo(), "Esta seguro de abandonar la carga de datos?");
    EXPECT_EQ(dlg.mostrados.last().titulo, "Atención!");
    EXPECT_EQ(dlg.mostrados.last().estilo, vbYesNo + vbExclamation + vbDefaultButton2);
    EXPECT_TRUE(w.DatosModificados); // No: still editing
    EXPECT_EQ(w.FgAsiento->texto(11, 1), "");
    dlg.respuestas.enqueue(vbYes);
    w.UtilTeb1_ButtonClick("CANCELAR");
    EXPECT_FALSE(w.DatosModificados);
    EXPECT_TRUE(w.TxtFields[0]->isEnabled());
    EXPECT_EQ(guardado(2026), antes2026);

    // Saved: each coefficient at full precision.
    anio(w, "2026");
    valor(w, 3, 2, "300");
    w.UtilTeb1_ButtonClick("GRABAR");
    const auto s2 = guardado(2026, 2);
    EXPECT_EQ(s2.size(), 12u);
    EXPECT_EQ(s2.at(1).second, 100.0 / 300.0);
    EXPECT_EQ(s2.at(3), std::make_pair(300.0, 100.0 / 300.0));
    EXPECT_EQ(s2.at(5), std::make_pair(0.0, 0.0)); // blank is 0
    EXPECT_EQ(guardado(2026).at(1), std::make_pair(100.0, 1.2));
    // After the save: the current year in the field, an empty grid, idle.
    EXPECT_EQ(w.TxtFields[0]->text(), "2026");
    EXPECT_EQ(w.FgAsiento->texto(0, 1), "");
    EXPECT_FALSE(w.FgAsiento->isEnabled());
}

TEST_P(IndicesAjuste, SinMesDeCierreNoHayCoeficientes)
{
    fila(2026, 1, {100, 100, 100, 100});
    frmMA_INDAJUSTE w(*ctx);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(coef(w, 1, k), "");
    w.close();
    // No fiscal year at all: told once, coefficients blank (saved as 0).
    con().EjecutarSQL(QStringLiteral("DELETE FROM MV_EJERCICIOS"));
    frmMA_INDAJUSTE sin(*ctx);
    EXPECT_EQ(dlg.mostrados.size(), 1);
    EXPECT_TRUE(dlg.ultimo().startsWith("No se han creado Ejercicios"));
    EXPECT_FALSE(sin.mesCierre());
    anio(sin, "2026");
    valor(sin, 12, 1, "120");
    EXPECT_EQ(coef(sin, 1, 1), "");
    sin.UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(guardado(2026).at(1), std::make_pair(100.0, 0.0));
    EXPECT_EQ(dlg.mostrados.size(), 1);
}

TEST_P(IndicesAjuste, CadaMesEnSuFila)
{
    fila(2024, 5, {55, 0, 0, 0});
    fila(2024, 1, {11, 0, 0, 0});
    fila(2024, 2, {22, 0, 0, 0});
    frmMA_INDAJUSTE w(*ctx);
    anio(w, "2024");
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(w.FgAsiento->texto(m - 1, 1), m == 1 ? "11" : m == 2 ? "22" : m == 5 ? "55" : "") << m;
    w.UtilTeb1_ButtonClick("GRABAR");
    const auto g = guardado(2024);
    ASSERT_EQ(g.size(), 12u);
    for (const auto& [mes, v] : g) EXPECT_EQ(v.first, mes == 1 ? 11.0 : mes == 2 ? 22.0 : mes == 5 ? 55.0 : 0.0) << mes;
}

TEST_P(IndicesAjuste, GrabarYBorrar)
{
    fila(2024, 1, {10, 0, 0, 0});
    fila(2024, 7, {70, 0, 0, 0});
    frmMA_INDAJUSTE w(*ctx);
    // A failing insert (month 7 refused) leaves the stored year and the grid as they were.
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER NO_JULIO BEFORE INSERT ON MA_INDAJUSTE WHEN NEW.MES = 7 "
                          "BEGIN SELECT RAISE(ABORT, 'julio vetado'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION no_julio() RETURNS trigger AS $$ BEGIN IF NEW.mes = 7 THEN "
                          "RAISE EXCEPTION 'julio vetado'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER no_julio BEFORE INSERT ON ma_indajuste FOR EACH ROW EXECUTE FUNCTION no_julio()");
    }
    anio(w, "2024");
    valor(w, 1, 1, "15");
    w.UtilTeb1_ButtonClick("GRABAR");
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_TRUE(dlg.ultimo().contains("julio vetado")) << dlg.ultimo().toStdString();
    EXPECT_EQ(dlg.mostrados[0].estilo & 7, vbOKOnly); // no "go on" inside a save
    EXPECT_EQ(guardado(2024), (std::map<int, std::pair<double, double>>{{1, {10, 0}}, {7, {70, 0}}}));
    EXPECT_FALSE(con().enTransaccion());
    EXPECT_TRUE(w.DatosModificados);
    EXPECT_EQ(w.FgAsiento->texto(0, 1), "15");
    EXPECT_EQ(w.FgAsiento->texto(6, 1), "70");
    EXPECT_TRUE(w.FgAsiento->isEnabled());

    con().EjecutarSQL(motor() == Motor::SQLite ? "DROP TRIGGER NO_JULIO" : "DROP TRIGGER no_julio ON ma_indajuste");
    w.UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(filas(2024), 12);
    EXPECT_EQ(guardado(2024).at(1).first, 15.0);

    // BORRAR: No keeps the year; Yes deletes it and shows the current year again.
    fila(2026, 4, {44, 0, 0, 0});
    anio(w, "2024");
    dlg.mostrados.clear();
    dlg.respuestas.enqueue(vbNo);
    w.UtilTeb1_ButtonClick("BORRAR");
    EXPECT_EQ(dlg.ultimo(), "Confirma la baja de este registro?");
    EXPECT_EQ(dlg.mostrados.last().titulo, "Atención!");
    EXPECT_EQ(dlg.mostrados.last().estilo, vbYesNo + vbExclamation + vbDefaultButton2);
    EXPECT_EQ(filas(2024), 12);
    dlg.respuestas.enqueue(vbYes);
    w.UtilTeb1_ButtonClick("BORRAR");
    EXPECT_EQ(filas(2024), 0);
    EXPECT_EQ(w.TxtFields[0]->text(), "2026");
    EXPECT_EQ(w.FgAsiento->texto(3, 1), "44");
    EXPECT_FALSE(w.FgAsiento->isEnabled());
}

TEST_P(IndicesAjuste, DosEstacionesGrabanUnAnio)
{
    for (int vuelta = 0; vuelta < 5; ++vuelta) {
        std::mutex m;
        std::vector<std::string> errores(2);
        auto estacion = [&](int k) {
            std::unique_ptr<Conexion> c;
            {
                std::lock_guard<std::mutex> l(m);
                c = otraConexion();
            }
            ajuste::AnioIndices d{};
            for (int mes = 0; mes < 12; ++mes) d[size_t(mes)].importe[0] = 100 * (k + 1) + mes;
            try {
                ProgresoNulo p;
                ajuste::GrabarAnio(*c, 2027, d, p);
            } catch (const std::exception& e) {
                errores[size_t(k)] = e.what();
            }
            std::lock_guard<std::mutex> l(m);
            c.reset();
        };
        std::thread a(estacion, 0), b(estacion, 1);
        a.join();
        b.join();
        EXPECT_EQ(errores[0] + errores[1], "") << "vuelta " << vuelta;
        ASSERT_EQ(filas(2027), 12) << "vuelta " << vuelta;
        // One station's whole set.
        const auto g = guardado(2027);
        const double base = g.at(1).first;
        for (const auto& [mes, v] : g) EXPECT_EQ(v.first, base + mes - 1);
    }
}

TEST_P(IndicesAjuste, EdicionDeLaGrilla)
{
    fila(2026, 3, {80, 0, 0, 0});
    fila(2026, 12, {120, 0, 0, 0});
    frmMA_INDAJUSTE w(*ctx);
    w.show();
    anio(w, "2026");
    GrillaEditable* g = w.FgAsiento;

    g->setCurrentCell(0, 1);
    escribir(g, "1");
    EXPECT_TRUE(g->editando());
    EXPECT_EQ(w.BrwTxt->text(), "1");
    EXPECT_EQ(w.BrwTxt->cursorPosition(), 1);
    escribir(w.BrwTxt, "x0,5,"); // the letter and the second mark refused
    EXPECT_EQ(w.BrwTxt->text(), "10,5");
    w.FgAsiento->MSFlex_EditKeyCode(Qt::Key_Escape);
    EXPECT_EQ(g->texto(0, 1), ""); // Escape keeps the old text

    for (int col : {0, 2}) { // the month and a coefficient open nothing
        g->setCurrentCell(1, col);
        escribir(g, "5");
        EXPECT_FALSE(g->editando()) << col;
    }
    g->setCurrentCell(0, 1);
    escribir(g, "A");
    EXPECT_FALSE(g->editando());

    // Enter walks the value columns, then column 1 of the next row.
    g->setCurrentCell(2, 1);
    tecla(g, Qt::Key_Space, " ");
    EXPECT_EQ(w.BrwTxt->text(), "80");
    QList<int> columnas;
    for (int i = 0; i < 4; ++i) {
        tecla(g->editor()->isVisible() ? static_cast<QWidget*>(w.BrwTxt) : g, Qt::Key_Return);
        columnas << g->currentColumn() + 10 * g->currentRow();
    }
    EXPECT_EQ(columnas, (QList<int>{23, 25, 27, 31}));

    // A click elsewhere commits (and recomputes).
    g->setCurrentCell(0, 1);
    teclear(w, "60");
    g->setCurrentCell(5, 5);
    EXPECT_EQ(g->texto(0, 1), "60");
    EXPECT_EQ(coef(w, 1, 1), " 2.");

    // A value typed and saved with GRABAR (F3) without leaving its cell is stored.
    g->setCurrentCell(1, 3);
    teclear(w, "2,5");
    ASSERT_TRUE(g->editando());
    tecla(w.BrwTxt, Qt::Key_F3);
    EXPECT_FALSE(w.DatosModificados);
    EXPECT_EQ(guardado(2026, 2).at(2).first, 2.5);
    EXPECT_EQ(guardado(2026).at(1), std::make_pair(60.0, 2.0));

    // The window goes away with an edit open: nothing answers for the part already gone.
    anio(w, "2026");
    g->setCurrentCell(6, 3);
    teclear(w, "13");
    QApplication::processEvents();
    ASSERT_TRUE(g->editando());
}

// A stored year that cannot be read is not offered for editing (saving the
// empty grid would replace its rows): the error is shown and the window stays idle.
TEST_P(IndicesAjuste, AnioQueNoSePuedeLeerNoSeEdita)
{
    fila(2024, 1, {10, 0, 0, 0});
    frmMA_INDAJUSTE w(*ctx);
    con().EjecutarSQL(QStringLiteral("ALTER TABLE MA_INDAJUSTE RENAME COLUMN Importe2 TO Otro2"));
    anio(w, "2024");
    con().EjecutarSQL(QStringLiteral("ALTER TABLE MA_INDAJUSTE RENAME COLUMN Otro2 TO Importe2"));
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_TRUE(dlg.ultimo().contains("CargaFlexGrid")) << dlg.ultimo().toStdString();
    EXPECT_TRUE(w.ErrorCampo);
    EXPECT_FALSE(w.DatosModificados);
    EXPECT_FALSE(w.FgAsiento->isEnabled());
    EXPECT_FALSE(w.UtilTeb1->habilitado("GRABAR"));
    EXPECT_EQ(filas(2024), 1);
}

TEST_P(IndicesAjuste, ValorQueNoEsNumeroNoSeGraba)
{
    frmMA_INDAJUSTE w(*ctx);
    anio(w, "2024");
    valor(w, 4, 3, QString(400, u'9'));
    valor(w, 2, 1, ".");
    dlg.mostrados.clear();
    w.UtilTeb1_ButtonClick("GRABAR");
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.mostrados[0].titulo, "Error en conversion de datos");
    EXPECT_EQ(dlg.mostrados[0].estilo, vbCritical);
    EXPECT_TRUE(dlg.ultimo().startsWith("Verifique las siguientes opciones: \r\n\r\n1) Ha ingresado letras"));
    EXPECT_TRUE(dlg.ultimo().endsWith("En el campo: Febrero/IMPORTE1")) << dlg.ultimo().toStdString();
    EXPECT_EQ(filas(2024), 0);
    EXPECT_TRUE(w.DatosModificados);
    EXPECT_EQ(qMakePair(w.FgAsiento->currentRow(), w.FgAsiento->currentColumn()), qMakePair(1, 1));
}

TEST_P(IndicesAjuste, ReporteCerrarYMenu)
{
    LanzadorGuion lanzador;
    instalarLanzador(&lanzador);
    ctx->usuario = QStringLiteral("OPERADOR");
    const QString maquina =
        ingresoEnAccesos("OPERADOR", "frmMA_INDAJUSTE", "Indices de Ajustes", QDateTime(QDate(2026, 6, 15), QTime(9, 0)));
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
        ASSERT_TRUE(d.ejecutar(QStringLiteral("MNU_IndiceDeAjustes")));
        auto* w = qobject_cast<frmMA_INDAJUSTE*>(s.ventanaAbierta(QStringLiteral("frmMA_INDAJUSTE")));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), "Indices de Ajustes");
        EXPECT_FALSE(w->isModal());
        EXPECT_TRUE(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
        w->UtilTeb1_ButtonClick("REPORTE");
        ASSERT_EQ(lanzador.iniciados.size(), 1);
        EXPECT_TRUE(lanzador.iniciados[0].argumentos.join(' ').startsWith("@Menu=IndicesDeAjuste|2026;"))
            << lanzador.iniciados[0].argumentos.join(' ').toStdString();
        fijarAhora(QDateTime(QDate(2026, 6, 15), QTime(9, 30)));
        anio(*w, "2026");
        dlg.respuestas.enqueue(vbNo);
        w->UtilTeb1_ButtonClick("CERRAR"); // unsaved data: asked, No keeps it open
        EXPECT_EQ(dlg.ultimo(), "Esta seguro de abandonar la carga de datos?");
        EXPECT_TRUE(w->isVisible());
        dlg.respuestas.enqueue(vbYes);
        w->UtilTeb1_ButtonClick("CERRAR");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(s.ventanaAbierta(QStringLiteral("frmMA_INDAJUSTE")));
    }
    instalarLanzador(nullptr);
    const auto f = con().PrimeraFila("SELECT EGRESO FROM CONTROL_ACCESO WHERE USUARIO = ? AND FORMULARIO = ? AND MAQUINA = ?",
                                     {"OPERADOR", "frmMA_INDAJUSTE", maquina});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fechaHora("EGRESO").toString("yyyy-MM-dd HH:mm"), "2026-06-15 09:30");
}

// The demo company as a new user finds it: 2026 with its series' names, values
// and coefficients to December 2026, as stored.
class IndicesDemo : public IndicesAjuste {
protected:
    bool vaciarIndices() const override { return false; }
};

TEST_P(IndicesDemo, DosMilVeintiseis)
{
    frmMA_INDAJUSTE w(*ctx);
    EXPECT_EQ(w.windowTitle(), "Indices de Ajustes");
    EXPECT_EQ(w.lblAnio->text(), "AÑO:");
    QStringList titulos;
    for (int c = 1; c <= 8; ++c) titulos << w.FgAsiento->horizontalHeaderItem(c)->text();
    EXPECT_EQ(titulos, (QStringList{"Mayoristas", "Coef.", "Consumidor", "Coef.", "Construcción", "Coef.", "Salarios", "Coef."}));
    EXPECT_EQ(filas(2025), 12);
    EXPECT_EQ(filas(2026), 12);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(coef(w, 12, k), " 1.");
        const auto g = guardado(2026, k);
        for (int m = 1; m <= 12; ++m) {
            EXPECT_EQ(w.FgAsiento->valor(m - 1, frmMA_INDAJUSTE::columnaValor(k)).toDouble(), g.at(m).first);
            EXPECT_DOUBLE_EQ(coefValor(w, m, k), g.at(m).second);
            EXPECT_GT(m > 1 ? g.at(m).first : 1e9, m > 1 ? g.at(m - 1).first : 0.0); // rising
        }
    }
}

} // namespace

VEXA_AMBOS_MOTORES(IndicesAjuste);
VEXA_AMBOS_MOTORES(IndicesDemo);
