// The reference-table window driven as the operator would: each table opened,
// the code field, the toolbar's states, saves, deletions, the read-only VAT
// conditions, the navigator and the lookup.
#include "AyudaReferencias.h"
#include "BaseDePrueba.h"

#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "ListaConsulta.h"
#include "NavegadorRegistros.h"
#include "RegistroVentanas.h"
#include "UtilTeb.h"
#include "VentanaPrincipalDePrueba.h"
#include "VentanasReferencia.h"
#include "frmTablas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::plataforma;

namespace {

class FrmTablas : public BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        filasDeReferencia(con());
        instalarListaConsulta(&lista);
        ctx = std::make_unique<ContextoEmpresa>(con());
        w = std::make_unique<frmTablas>(*ctx);
    }
    void TearDown() override
    {
        w.reset();
        instalarListaConsulta(nullptr);
        BaseDePrueba::TearDown();
    }
    void elegir(const QString& titulo)
    {
        const int i = w->CmbTablas->findText(titulo);
        ASSERT_GE(i, 0) << titulo.toStdString();
        w->CmbTablas->setCurrentIndex(i);
        emit w->CmbTablas->activated(i);
    }
    void enter(int i, const QString& texto)
    {
        w->TxtFields[size_t(i)]->setText(texto);
        w->TxtFields_KeyDown(i, Qt::Key_Return);
    }
    QString campo(int i) const { return w->TxtFields[size_t(i)]->text(); }
    // Enabled keys of the toolbar, in its order.
    QStringList habilitadas() const
    {
        QStringList r;
        for (const QString& k : UtilTeb::claves())
            if (w->UtilTeb1->habilitado(k)) r << k;
        return r;
    }
    QString descripcion(const QString& tabla, const QString& codigo)
    {
        return con().Escalar(QStringLiteral("SELECT DESCRIPCION FROM %1 WHERE CODIGO = ?").arg(tabla), {codigo}).toString().trimmed();
    }
    GuionDialogos dlg;
    ListaConsultaGuion lista;
    std::unique_ptr<ContextoEmpresa> ctx;
    std::unique_ptr<frmTablas> w;
};

TEST_P(FrmTablas, CadaTablaSeAbreConSuClaveYSusCampos)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Tablas de Referencias"));
    ASSERT_EQ(w->CmbTablas->count(), 9);
    EXPECT_FALSE(w->UtilTeb1->habilitado("REPORTE"));
    EXPECT_EQ(w->lblLabels[0]->text(), QStringLiteral("Código:"));
    EXPECT_EQ(w->TxtFields[0]->maxLength(), 4);
    EXPECT_EQ(w->TxtFields[1]->maxLength(), 50); // the column's width
    struct Caso { int indice; const char* clave; bool dias; };
    const Caso casos[] = {{1, "CODIGO", false}, {2, "CODIGO", false}, {3, "CODIGO", false}, {4, "CODIGO", false},
                          {5, "CODIGO", false}, {6, "IDCOND_CPRA_VTA", true}, {7, "IDCategoria", false},
                          {8, "IDBanco", false}, {0, "CODIGO", false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.indice);
        elegir(w->CmbTablas->itemText(c.indice));
        EXPECT_EQ(w->TxtFields[0]->property("DataField").toString(), QString::fromLatin1(c.clave));
        EXPECT_EQ(!w->TxtFields[2]->isHidden(), c.dias);
        EXPECT_EQ(!w->lblLabels[2]->isHidden(), c.dias);
        ASSERT_NE(w->tabla(), nullptr);
        EXPECT_FALSE(w->filas().empty());
    }
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();
}

TEST_P(FrmTablas, CodigoVacioExistenteYNuevo)
{
    elegir(QStringLiteral("Provincias"));
    EXPECT_EQ(habilitadas(), (QStringList{"NUEVO", "CONSULTAR", "PLANILLA", "CERRAR"}));
    enter(0, QString());
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.mostrados[0].texto, QStringLiteral(" Debe informar el Codigo!"));
    EXPECT_EQ(dlg.mostrados[0].titulo, QStringLiteral("Aviso al operador..."));
    EXPECT_EQ(dlg.mostrados[0].estilo, vbInformation);

    // "2" finds "0002": its row for change.
    enter(0, QStringLiteral("2"));
    EXPECT_EQ(campo(0), QStringLiteral("0002"));
    EXPECT_EQ(campo(1), QStringLiteral("Mendoza"));
    EXPECT_TRUE(w->Modificar);
    EXPECT_EQ(habilitadas(), (QStringList{"GRABAR", "BORRAR", "CONSULTAR", "PLANILLA", "CANCELAR"}));
    EXPECT_TRUE(w->Util0011->isHidden());

    // A new "7": empty fields, stored as "0007", BORRAR off.
    enter(0, QStringLiteral("7"));
    EXPECT_EQ(campo(0), QStringLiteral("0007"));
    EXPECT_EQ(campo(1), QString());
    EXPECT_TRUE(w->Nuevo);
    EXPECT_FALSE(w->UtilTeb1->habilitado("BORRAR"));
    w->UtilTeb1_ButtonClick("BORRAR"); // even asked for: nothing to delete, nothing asked
    EXPECT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_ESTADOS")), 3);

    // An empty description stops the save.
    w->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(dlg.ultimo(), QStringLiteral(" Debe informar un Detalle! "));
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_ESTADOS")), 3);
    w->TxtFields[1]->setText(QStringLiteral("Neuquén"));
    w->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(descripcion("TA_ESTADOS", "0007"), QStringLiteral("Neuquén"));
    EXPECT_FALSE(w->Nuevo);
    EXPECT_EQ(habilitadas(), (QStringList{"NUEVO", "CONSULTAR", "PLANILLA", "CERRAR"}));
    EXPECT_FALSE(w->Util0011->isHidden());

    // A change keeps the key.
    enter(0, QStringLiteral("0007"));
    w->TxtFields[1]->setText(QStringLiteral("Neuquén Capital"));
    w->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(descripcion("TA_ESTADOS", "0007"), QStringLiteral("Neuquén Capital"));
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_ESTADOS")), 4);
}

TEST_P(FrmTablas, MonedasSoloCambianLaDescripcion)
{
    elegir(QStringLiteral("Monedas (Modifique la Descripción)"));
    enter(0, QStringLiteral("3"));
    EXPECT_EQ(dlg.ultimo(), QStringLiteral("No puede agregar nuevos registros, sólo puede modificar la descripcion de los mismos"));
    EXPECT_FALSE(w->UtilTeb1->habilitado("GRABAR"));
    enter(0, QStringLiteral("2"));
    EXPECT_EQ(campo(1), QStringLiteral("Dólares"));
    w->TxtFields[1]->setText(QStringLiteral("Dólar estadounidense"));
    w->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(descripcion("TA_MONEDAS", "2"), QStringLiteral("Dólar estadounidense"));
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_MONEDAS")), 2);
}

TEST_P(FrmTablas, BorrarCentroDeCostoPreguntaDosVeces)
{
    const QString cuentas = QStringLiteral("SELECT COUNT(*) FROM MA_CUENTASCCOSTO WHERE CCOSTO = '0001'");
    elegir(QStringLiteral("Centros de Costo"));
    enter(0, QStringLiteral("1"));
    dlg.respuestas.clear();
    dlg.respuestas.enqueue(vbYes); dlg.respuestas.enqueue(vbNo);
    w->UtilTeb1_ButtonClick("BORRAR");
    ASSERT_EQ(dlg.mostrados.size(), 2);
    EXPECT_EQ(dlg.mostrados[0].texto, QStringLiteral("Confirma la baja de este registro?"));
    EXPECT_EQ(dlg.mostrados[0].titulo, QStringLiteral("Atención!"));
    EXPECT_EQ(dlg.mostrados[0].estilo, vbYesNo | vbExclamation | vbDefaultButton2);
    EXPECT_TRUE(dlg.mostrados[1].texto.startsWith(QStringLiteral("Si elimina un Centro de Costos, también Eliminará")));
    EXPECT_EQ(contar(con(), cuentas), 2);
    EXPECT_EQ(descripcion("TA_CCOSTO", "0001"), QStringLiteral("Administración"));
    EXPECT_EQ(campo(0), QStringLiteral("0001")); // the first row shown again

    // Yes to both: the centre and its shares go.
    dlg.mostrados.clear();
    dlg.respuestas.clear();
    dlg.respuestas.enqueue(vbYes); dlg.respuestas.enqueue(vbYes);
    w->UtilTeb1_ButtonClick("BORRAR");
    EXPECT_EQ(dlg.mostrados.size(), 2);
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_CCOSTO WHERE CODIGO = '0001'")), 0);
    EXPECT_EQ(contar(con(), cuentas), 0);
    EXPECT_EQ(campo(0), QStringLiteral("0002"));
}

TEST_P(FrmTablas, BorraLaFilaMostradaPorSuClave)
{
    elegir(QStringLiteral("Provincias"));
    enter(0, QStringLiteral("1"));
    // The code typed over afterwards is not what BORRAR deletes.
    w->TxtFields[0]->setText(QStringLiteral("0003"));
    dlg.respuestas.clear();
    dlg.respuestas.enqueue(vbYes);
    w->UtilTeb1_ButtonClick("BORRAR");
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_ESTADOS WHERE CODIGO = '0001'")), 0);
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_ESTADOS")), 2);
}

TEST_P(FrmTablas, CondicionDeIvaSoloSeMuestraPorCualquierCamino)
{
    const auto soloMuestra = [&](const char* donde) {
        SCOPED_TRACE(donde);
        for (QLineEdit* t : w->TxtFields) EXPECT_FALSE(t->isEnabled());
        for (const char* k : {"NUEVO", "GRABAR", "BORRAR"}) EXPECT_FALSE(w->UtilTeb1->habilitado(k)) << k;
        EXPECT_TRUE(w->UtilTeb1->habilitado("PLANILLA"));
        EXPECT_TRUE(w->UtilTeb1->habilitado("CONSULTAR"));
    };
    soloMuestra("al abrir");
    w->Util0011_Click("SIGUIENTE");
    EXPECT_EQ(campo(1), QStringLiteral("Exento"));
    soloMuestra("navegando");
    lista.respuestas.enqueue(QStringLiteral("0001"));
    w->UtilTeb1_ButtonClick("CONSULTAR");
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_EQ(campo(1), QStringLiteral("Responsable Inscripto"));
    soloMuestra("tras la consulta");
    w->UtilTeb1_ButtonClick("CANCELAR");
    soloMuestra("tras cancelar");
    w->UtilTeb1_ButtonClick("GRABAR");
    w->UtilTeb1_ButtonClick("BORRAR");
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_CONDIVA")), 2);
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();
}

TEST_P(FrmTablas, CantidadDeDiasQueNoEsEntera)
{
    elegir(QStringLiteral("Condiciones de Compra/Venta"));
    enter(0, QStringLiteral("9"));
    EXPECT_TRUE(w->Nuevo);
    w->TxtFields[1]->setText(QStringLiteral("Plazo"));
    w->TxtFields[2]->setText(QStringLiteral("3.5"));
    w->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_TRUE(dlg.ultimo().contains(QStringLiteral("Cantidad de Dias"))) << dlg.ultimo().toStdString();
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM V_TA_CPRA_VTA")), 2);
    w->TxtFields[2]->setText(QStringLiteral("15"));
    w->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(con().Escalar(QStringLiteral("SELECT CantidadDias FROM V_TA_CPRA_VTA WHERE IDCOND_CPRA_VTA = 9")).toInt(), 15);
    // The lookup belongs to CODIGO keys only.
    w->IndiceActual = 0;
    w->UtilTeb1_ButtonClick("CONSULTAR");
    EXPECT_TRUE(lista.pedidos.isEmpty());
}

TEST_P(FrmTablas, NavegadorSinDarLaVuelta)
{
    elegir(QStringLiteral("Provincias"));
    w->Util0011_Click("PRIMERO");
    EXPECT_EQ(campo(1), QStringLiteral("Córdoba"));
    w->Util0011_Click("ANTERIOR"); // before the first: the fields keep the row
    EXPECT_EQ(campo(1), QStringLiteral("Córdoba"));
    w->Util0011_Click("SIGUIENTE");
    EXPECT_EQ(campo(1), QStringLiteral("Córdoba")); // back on the first row
    w->Util0011_Click("ULTIMO");
    EXPECT_EQ(campo(1), QStringLiteral("Salta"));
    for (int i = 0; i < 3; ++i) w->Util0011_Click("SIGUIENTE");
    EXPECT_EQ(campo(1), QStringLiteral("Salta"));
    w->Util0011_Click("ANTERIOR");
    EXPECT_EQ(campo(1), QStringLiteral("Salta"));
    w->Util0011_Click("ANTERIOR");
    EXPECT_EQ(campo(1), QStringLiteral("Mendoza"));
    // A NULL shows as an empty field.
    elegir(QStringLiteral("Condiciones de Compra/Venta"));
    w->Util0011_Click("ULTIMO");
    EXPECT_EQ(campo(1), QStringLiteral("A convenir"));
    EXPECT_EQ(campo(2), QString());
}

TEST_P(FrmTablas, UnErrorAlGrabarConservaLaVentana)
{
    elegir(QStringLiteral("Paises"));
    enter(0, QStringLiteral("5"));
    w->TxtFields[1]->setText(QStringLiteral("Perú"));
    fallaEn(con(), QStringLiteral("TA_PAISES"), QStringLiteral("INSERT"));
    w->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_TRUE(w->HayError);
    ASSERT_FALSE(dlg.mostrados.isEmpty());
    EXPECT_TRUE(dlg.ultimo().contains(QStringLiteral("falla inyectada"))) << dlg.ultimo().toStdString();
    EXPECT_EQ(campo(0), QStringLiteral("0005"));
    EXPECT_EQ(campo(1), QStringLiteral("Perú"));
    EXPECT_TRUE(w->UtilTeb1->habilitado("GRABAR"));
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_PAISES")), 1);
}

// Another station saves the same new code between the check of GRABAR and the
// row's insert (a trigger plays that station, just before the insert): the
// program's own message, and the edit stays for another code.
TEST_P(FrmTablas, OtraEstacionGraboElMismoCodigo)
{
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL(QStringLiteral("CREATE TRIGGER TR_OTRA BEFORE INSERT ON TA_ESTADOS WHEN NEW.DESCRIPCION = 'Neuquén' "
                                         "BEGIN INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES (NEW.CODIGO, 'Río Negro'); END"));
    } else {
        con().EjecutarSQL(QStringLiteral("CREATE FUNCTION f_otra() RETURNS trigger AS $$ BEGIN IF NEW.descripcion = 'Neuquén' THEN "
                                         "INSERT INTO ta_estados (codigo, descripcion) VALUES (NEW.codigo, 'Río Negro'); END IF; "
                                         "RETURN NEW; END $$ LANGUAGE plpgsql"));
        con().EjecutarSQL(QStringLiteral("CREATE TRIGGER tr_otra BEFORE INSERT ON ta_estados FOR EACH ROW EXECUTE FUNCTION f_otra()"));
    }
    elegir(QStringLiteral("Provincias"));
    enter(0, QStringLiteral("7"));
    ASSERT_TRUE(w->Nuevo);
    w->TxtFields[1]->setText(QStringLiteral("Neuquén"));
    w->UtilTeb1_ButtonClick("GRABAR");
    EXPECT_TRUE(w->HayError);
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.ultimo(), QStringLiteral("Ya existe un registro de «Provincias» con el código 0007."));
    EXPECT_EQ(dlg.mostrados.last().titulo, QStringLiteral("Aviso al operador..."));
    EXPECT_EQ(dlg.mostrados.last().estilo, vbInformation);
    EXPECT_EQ(campo(0), QStringLiteral("0007"));
    EXPECT_EQ(campo(1), QStringLiteral("Neuquén"));
    EXPECT_TRUE(w->UtilTeb1->habilitado("GRABAR"));
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_ESTADOS WHERE DESCRIPCION = 'Neuquén'")), 0);
}

TEST_P(FrmTablas, RegistradaPorNombre)
{
    registrarVentanasReferencia();
    std::unique_ptr<QWidget> v(crearVentana(QStringLiteral("frmTablas"), *ctx));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->objectName(), QStringLiteral("frmTablas"));
    std::unique_ptr<QWidget> d(crearVentana(QStringLiteral("FrmDefVistas"), *ctx));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Definición de Atributos Operativos"));
}

VEXA_AMBOS_MOTORES(FrmTablas);

// The window as the operator meets it: opened by its menu command over the
// demo company, a table chosen with the arrow keys, codes typed and Enter,
// GRABAR with its key (F3).
class TablasDesdeElMenu : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        registrarVentanasReferencia();
        principal = std::make_unique<VentanaPrincipalDePrueba>();
        ASSERT_TRUE(principal->cargada);
        w = principal->abrir<frmTablas>(QStringLiteral("MnuArchivosTablas"), QStringLiteral("frmTablas"));
        ASSERT_TRUE(w);
    }
    void TearDown() override
    {
        principal.reset();
        BaseDePrueba::TearDown();
    }
    void elegir(const QString& titulo)
    {
        const int destino = w->CmbTablas->findText(titulo);
        ASSERT_GE(destino, 0) << titulo.toStdString();
        w->CmbTablas->setFocus();
        for (int i = 0; i < 9 && w->CmbTablas->currentIndex() < destino; ++i) tecla(w->CmbTablas, Qt::Key_Down);
        for (int i = 0; i < 9 && w->CmbTablas->currentIndex() > destino; ++i) tecla(w->CmbTablas, Qt::Key_Up);
        ASSERT_EQ(w->CmbTablas->currentIndex(), destino);
        ASSERT_EQ(w->NombreTabla.toUpper(), w->CatalogoTablas[size_t(destino)].Tabla.toUpper());
    }
    // Replaces a field's text by typing (what the field lets in stays).
    void teclear(int i, const QString& texto)
    {
        QLineEdit* t = w->TxtFields[size_t(i)];
        t->setFocus();
        tecla(t, Qt::Key_A, QString(), Qt::ControlModifier); // select all
        tecla(t, Qt::Key_Backspace);
        escribir(t, texto);
    }
    // Types a code and presses Enter; the message shown, if any.
    QString codigo(const QString& c)
    {
        teclear(0, c);
        const auto antes = dlg.mostrados.size();
        tecla(w->TxtFields[0], Qt::Key_Return);
        return dlg.mostrados.size() == antes ? QString() : dlg.ultimo();
    }
    void grabar() { tecla(w->TxtFields[0], Qt::Key_F3); }
    QString campo(int i) const { return w->TxtFields[size_t(i)]->text(); }

    GuionDialogos dlg;
    ListaConsultaGuion lista;
    std::unique_ptr<VentanaPrincipalDePrueba> principal;
    frmTablas* w = nullptr;
};

// Opening a row and saving it changes nothing of what is stored: every value
// is shown whole (50 characters of description, a bank numbered 12345) and
// what the operator left alone is written back as it is stored (blanks
// included); the stamp shows the save happened.
TEST_P(TablasDesdeElMenu, AbrirYGrabarNoCambiaLoGuardado)
{
    const QString cincuenta = QStringLiteral("Provincia con un nombre de cincuenta caracteres ok");
    ASSERT_EQ(cincuenta.size(), 50);
    const QString banco = QStringLiteral("Banco de la Provincia y de los Municipios Unidos S");
    ASSERT_EQ(banco.size(), 50);
    con().EjecutarSQL(QStringLiteral("INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES ('0099', ?)"), {cincuenta});
    con().EjecutarSQL(QStringLiteral("INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES ('0098', '  Tierra del Fuego')"));
    con().EjecutarSQL(QStringLiteral("INSERT INTO V_TA_BANCOS (IDBanco, DESCRIPCION) VALUES (12345, ?)"), {banco});
    struct Caso { const char* tabla; const char* tecleado; const char* clave; const char* sql; QString guardada; QString vista; };
    const Caso casos[] = {
        {"Provincias", "99", "0099", "SELECT DESCRIPCION, FECHAHORA_MODIFICACION FROM TA_ESTADOS WHERE CODIGO = '0099'", cincuenta, cincuenta},
        {"Provincias", "98", "0098", "SELECT DESCRIPCION, FECHAHORA_MODIFICACION FROM TA_ESTADOS WHERE CODIGO = '0098'",
         QStringLiteral("  Tierra del Fuego"), QStringLiteral("Tierra del Fuego")},
        {"Bancos", "12345", "12345", "SELECT DESCRIPCION, FECHAHORA_MODIFICACION FROM V_TA_BANCOS WHERE IDBanco = 12345", banco, banco},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.clave);
        elegir(QString::fromUtf8(c.tabla));
        EXPECT_EQ(codigo(QString::fromLatin1(c.tecleado)), QString());
        EXPECT_EQ(campo(0), QString::fromLatin1(c.clave));
        EXPECT_EQ(campo(1), c.vista);
        // The description takes no more than its column holds.
        w->TxtFields[1]->setFocus();
        w->TxtFields[1]->end(false);
        escribir(w->TxtFields[1], QStringLiteral("XX"));
        if (c.vista.size() == 50) {
            EXPECT_EQ(campo(1), c.vista);
        } else {
            EXPECT_EQ(campo(1), c.vista + QStringLiteral("XX"));
            tecla(w->TxtFields[1], Qt::Key_Backspace);
            tecla(w->TxtFields[1], Qt::Key_Backspace);
        }
        grabar();
        EXPECT_FALSE(w->UtilTeb1->habilitado("GRABAR")); // saved: waiting for a code again
        const auto f = con().PrimeraFila(QString::fromLatin1(c.sql));
        ASSERT_TRUE(f);
        EXPECT_EQ(f->texto(0), c.guardada);
        EXPECT_FALSE(f->esNulo(QStringLiteral("FECHAHORA_MODIFICACION")));
    }
    EXPECT_TRUE(dlg.mostrados.isEmpty()) << dlg.ultimo().toStdString();

    // What the operator types is limited to the column's width: 4 for a
    // province's code, the digits of a whole number for a bank's, 50 for a
    // description; an edited description is saved as typed.
    elegir(QStringLiteral("Provincias"));
    teclear(0, QStringLiteral("123456"));
    EXPECT_EQ(campo(0), QStringLiteral("1234"));
    elegir(QStringLiteral("Bancos"));
    teclear(0, QStringLiteral("123456789012"));
    EXPECT_EQ(campo(0), QStringLiteral("1234567890"));
    EXPECT_EQ(codigo(QStringLiteral("12345")), QString());
    teclear(1, banco + QStringLiteral(" y mucho más"));
    EXPECT_EQ(campo(1), banco.toUpper()); // the demo company writes in capitals
    teclear(1, QStringLiteral("Banco Municipal"));
    grabar();
    EXPECT_EQ(con().Escalar(QStringLiteral("SELECT DESCRIPCION FROM V_TA_BANCOS WHERE IDBanco = 12345")).toString(),
              QStringLiteral("BANCO MUNICIPAL"));
}

// A new code of a numbered table is digits only: "-1" or "7a" is refused with
// the field's message, never zero-filled into "00-1"; a code stored in another
// form is still found, and currencies keep their own rule.
TEST_P(TablasDesdeElMenu, UnCodigoQueNoEsNumeroSeRechaza)
{
    con().EjecutarSQL(QStringLiteral("INSERT INTO TA_PAISES (CODIGO, DESCRIPCION) VALUES ('AR', 'Argentina')"));
    const QString soloDigitos = QStringLiteral("El campo «Código» admite sólo dígitos.");
    struct Caso { const char* tabla; const char* tecleado; QString mensaje; const char* cuenta; };
    const Caso casos[] = {
        {"Provincias", "-1", soloDigitos, "SELECT COUNT(*) FROM TA_ESTADOS"},
        {"Provincias", "7a", soloDigitos, "SELECT COUNT(*) FROM TA_ESTADOS"},
        {"Centros de Costo", "1-", soloDigitos, "SELECT COUNT(*) FROM TA_CCOSTO"},
        {"Bancos", "-1", soloDigitos, "SELECT COUNT(*) FROM V_TA_BANCOS"},
        {"Bancos", "1.5", soloDigitos, "SELECT COUNT(*) FROM V_TA_BANCOS"},
        {"Monedas (Modifique la Descripción)", "ZZ",
         QStringLiteral("No puede agregar nuevos registros, sólo puede modificar la descripcion de los mismos"),
         "SELECT COUNT(*) FROM TA_MONEDAS"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.tabla) + " " + c.tecleado);
        elegir(QString::fromUtf8(c.tabla));
        const int filas = contar(con(), QString::fromLatin1(c.cuenta));
        EXPECT_EQ(codigo(QString::fromLatin1(c.tecleado)), c.mensaje);
        EXPECT_EQ(dlg.mostrados.last().titulo, QStringLiteral("Aviso al operador..."));
        EXPECT_EQ(campo(0).toUpper(), QString::fromLatin1(c.tecleado).toUpper()); // not zero-filled
        EXPECT_FALSE(w->Nuevo);
        EXPECT_FALSE(w->UtilTeb1->habilitado("GRABAR"));
        grabar();
        EXPECT_EQ(contar(con(), QString::fromLatin1(c.cuenta)), filas);
    }
    // A code of another form that is stored is shown for change.
    elegir(QStringLiteral("Paises"));
    const auto antes = dlg.mostrados.size();
    EXPECT_EQ(codigo(QStringLiteral("ar")), QString());
    EXPECT_EQ(dlg.mostrados.size(), antes);
    EXPECT_EQ(campo(0), QStringLiteral("AR"));
    EXPECT_EQ(campo(1), QStringLiteral("Argentina"));
    EXPECT_TRUE(w->UtilTeb1->habilitado("GRABAR"));
}

VEXA_AMBOS_MOTORES(TablasDesdeElMenu);

} // namespace
