// The user wizard, the task checklist and the access-log report window, on a
// fixture menu, on both backends.
#include "BaseDePrueba.h"
#include "CNStuffContable.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "FrmTareas.h"
#include "ListaConsulta.h"
#include "RP_Acceso.h"
#include "RegistroVentanas.h"
#include "ReporteAcceso.h"
#include "Reportes.h"
#include "ReportesQt.h"
#include "TBarRep.h"
#include "Usuarios.h"
#include "UtilTeb.h"
#include "Utilidades.h"
#include "VentanasSeguridad.h"
#include "frmTA_Usuarios.h"
#include "lbm_Seguridad.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

using namespace vexa;

namespace {

// A main window's menu in miniature: levels, a hidden parent, a hidden item,
// a separator and an item without a code.
struct MenuFijo {
    QWidget form;
    QList<QAction*> items;
    MenuFijo(QStringList extra = {})
    {
        struct D { int nivel; QString caption; bool visible; };
        QList<D> d{
            {0, "&Archivos ** 01", true},
            {1, "Usuarios ** 0107", true},
            {1, "Autorización de Tareas ** 0108", true},
            {1, "&Tablas ** 0102", true},
            {2, "&Cuentas ** 010201", true},
            {2, "-", true},
            {2, "Sin código", true},
            {1, "Cerrar Sesión ... **0111", false},
            {1, "&Salir ** 0112", true},
            {0, "&Registraciones ** 02", true},
            {1, "&Directas ** 0201", true},
            {0, "Seguridad ** 99", false},
            {1, "Usuarios del sistema ** 9901", true},
        };
        for (const QString& e : extra) d.insert(11, {1, e, true}); // under "&Registraciones"
        std::vector<QMenu*> menus;
        for (int i = 0; i < d.size(); ++i) {
            auto* a = new QAction(d[i].caption, &form);
            a->setProperty(PROPIEDAD_ORDEN_MENU, i);
            if (d[i].caption == "-") a->setSeparator(true);
            a->setVisible(d[i].visible);
            if (d[i].caption.startsWith("&Salir") || d[i].caption.startsWith("Cerrar Sesión"))
                a->setProperty(PROPIEDAD_SIEMPRE_HABILITADO, true);
            menus.resize(d[i].nivel);
            if (d[i].nivel > 0) menus.back()->addAction(a);
            if (i + 1 < d.size() && d[i + 1].nivel > d[i].nivel) {
                auto* m = new QMenu(&form);
                a->setMenu(m);
                menus.push_back(m);
            }
            items << a;
        }
        InicializaTareasMenu(form);
    }
    QAction* item(const QString& caption) const
    {
        for (QAction* a : items)
            if (a->text() == caption) return a;
        return nullptr;
    }
    QStringList tags() const
    {
        QStringList r;
        for (QAction* a : items)
            if (!tagDe(a).isEmpty()) r << tagDe(a);
        return r;
    }
};

class VentanasSeguridad : public prueba::BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        ctx->usuario = QStringLiteral("CONTADOR");
        plataforma::instalarListaConsulta(&lista);
        plataforma::instalarReportes(&reportes);
        Utilidades::ArchivoLog = dir.filePath(QStringLiteral("TbErr.Log"));
    }
    void TearDown() override
    {
        plataforma::instalarListaConsulta(nullptr);
        plataforma::instalarReportes(nullptr);
        Utilidades::ArchivoLog.clear();
        BaseDePrueba::TearDown();
    }
    void usuario(const QString& nombre, const QString& clave, const QString& sistema = QStringLiteral("Rz731p"))
    {
        con().Insertar(QStringLiteral("TA_USUARIOS"), {{"NOMBRE", nombre}, {"PASSWORD", CodificaClave(clave)}, {"SISTEMA", sistema}});
    }
    void tarea(const QString& u, const QString& t, const QString& sistema = QStringLiteral("Rz731p"))
    {
        con().Insertar(QStringLiteral("TA_TAREAS"), {{"USUARIO", u}, {"TAREA", t}, {"SISTEMA", sistema}});
    }
    QStringList tareasDe(const QString& u)
    {
        QStringList r;
        Recordset rs = con().ObtenerRecordset("SELECT TAREA FROM TA_TAREAS WHERE USUARIO = ? AND SISTEMA = ? ORDER BY TAREA", {u, "Rz731p"});
        for (; !rs.eof(); rs.siguiente()) r << rs.texto("TAREA");
        return r;
    }
    int cuenta(const QString& sql, const Params& p = {}) { return con().Escalar("SELECT COUNT(*) FROM " + sql, p).toInt(); }
    static QStringList textos(const QListWidget* l)
    {
        QStringList r;
        for (int i = 0; i < l->count(); ++i) r << l->item(i)->text();
        return r;
    }
    QString registro()
    {
        QFile f(Utilidades::archivoLog());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    std::unique_ptr<ContextoEmpresa> ctx;
    plataforma::GuionDialogos dialogos;
    plataforma::ListaConsultaGuion lista;
    plataforma::ReportesGuion reportes;
    QTemporaryDir dir;
};

// ---- frmTA_Usuarios ----

void escribir(frmTA_Usuarios& w, const char* campo, const QString& t) { w.campo(QString::fromLatin1(campo))->setText(t); }

TEST_P(VentanasSeguridad, PrimerUsuarioConTodasLasTareas)
{
    usuario(UsuarioSupervisor(), "x"); // the built-in one does not count
    MenuFijo menu;
    frmTA_Usuarios w(*ctx, &menu.form);
    EXPECT_EQ(w.windowTitle(), "Asistente para crear nuevos Usuarios");
    EXPECT_EQ(w.paso(), 0);
    EXPECT_FALSE(w.CmdAnterior->isEnabled());
    EXPECT_EQ(w.CmdSiguiente->text(), "&Siguiente >>");
    EXPECT_EQ(w.campo("Usuario")->maxLength(), 50);
    EXPECT_EQ(w.campo("PASSWORD")->maxLength(), 10);
    EXPECT_EQ(w.campo("PASSWORD")->echoMode(), QLineEdit::Password);

    escribir(w, "Usuario", " Juan Perez");
    w.CmdSiguiente_Click();
    ASSERT_EQ(w.paso(), 1);
    EXPECT_EQ(w.CmdSiguiente->text(), "Finalizar");
    EXPECT_EQ(w.lblPass->text(), "Escriba una Contraseña para Juan Perez en el primer cuadro, y luego confirmelo en el segundo");
    escribir(w, "PASSWORD", " Clave1");
    escribir(w, "confirmacion", "CLAVE1 "); // other case, blank-edged: accepted
    w.CmdSiguiente_Click();
    EXPECT_EQ(dialogos.mostrados.size(), 0) << dialogos.ultimo().toStdString();
    EXPECT_EQ(w.paso(), 2);
    EXPECT_EQ(textos(w.LstUsuarios), QStringList{" Juan Perez"}); // as typed
    const auto guardada = con().PrimeraFila("SELECT PASSWORD FROM TA_USUARIOS WHERE SISTEMA = ? AND NOMBRE <> ?", {"Rz731p", UsuarioSupervisor()});
    ASSERT_TRUE(guardada);
    EXPECT_EQ(guardada->texto("PASSWORD"), CodificaClave(" Clave1")); // as typed, blanks kept
    QStringList esperadas = menu.tags();
    esperadas.sort();
    EXPECT_EQ(tareasDe("Juan Perez"), esperadas); // every coded item, hidden ones too
    for (QLineEdit* c : w.TxtFields) EXPECT_TRUE(c->text().isEmpty());

    // The same name again, in other case and with blanks: refused.
    w.CmdCrearNuevo_Click();
    ASSERT_EQ(w.paso(), 0);
    escribir(w, "Usuario", "  juan perez ");
    w.CmdSiguiente_Click();
    EXPECT_EQ(w.paso(), 0);
    EXPECT_EQ(dialogos.ultimo(), "El Nombre de Usuario Ingresado ya Existe, escriba otro y Vuelva a Intentarlo");
    EXPECT_EQ(dialogos.mostrados.last().estilo, plataforma::vbCritical);
    EXPECT_EQ(dialogos.mostrados.last().titulo, "Aviso al operador");
}

TEST_P(VentanasSeguridad, ValidacionDeLosPasos)
{
    usuario("OTRO", "x", "Rz731r"); // another program's user: its name is free here
    MenuFijo menu;
    frmTA_Usuarios w(*ctx, &menu.form);
    struct Caso { const char* nombre; const char* clave; const char* confirmacion; int paso; const char* mensaje; };
    const Caso casos[] = {
        {"   ", "", "", 0, "Es necesario que ingrese un nombre de Usuario"},
        {"OTRO", "  ", "", 1, "Debe informar una Contraseña"},
        {"OTRO", "abc", "abd", 1, "La confirmación de la Contraseña no coincide"},
        {"OTRO", "año✓", "año✓", 1, "La Contraseña contiene caracteres no permitidos"},
    };
    for (const Caso& c : casos) {
        dialogos.mostrados.clear();
        w.CmdCrearNuevo_Click();
        escribir(w, "Usuario", QString::fromUtf8(c.nombre));
        w.CmdSiguiente_Click();
        if (w.paso() == 1) {
            escribir(w, "PASSWORD", QString::fromUtf8(c.clave));
            escribir(w, "confirmacion", QString::fromUtf8(c.confirmacion));
            w.CmdSiguiente_Click();
        }
        EXPECT_EQ(w.paso(), c.paso) << c.mensaje;
        EXPECT_EQ(dialogos.textosMostrados(), QStringList{QString::fromUtf8(c.mensaje)});
        EXPECT_TRUE(w.HayError);
    }
    EXPECT_EQ(cuenta("TA_USUARIOS WHERE SISTEMA = ?", {"Rz731p"}), 0);
    EXPECT_EQ(cuenta("TA_TAREAS"), 0);
    // "€" is a Windows-1252 character; an apostrophe is just a character.
    escribir(w, "PASSWORD", "€'x");
    escribir(w, "confirmacion", "€'X");
    w.CmdSiguiente_Click();
    EXPECT_EQ(w.paso(), 2);
    EXPECT_TRUE(ClaveAnteriorCorrecta(*ClaveGuardada(con(), "OTRO"), "€'x"));
}

TEST_P(VentanasSeguridad, CambioDeContrasena)
{
    usuario("O'BRIEN", "Secreto");
    usuario("ROTO", "x");
    con().EjecutarSQL("UPDATE TA_USUARIOS SET PASSWORD = ? WHERE NOMBRE = ?", {"12x456", "ROTO"});
    MenuFijo menu;
    frmTA_Usuarios w(*ctx, &menu.form);
    ASSERT_EQ(w.paso(), 2);
    EXPECT_EQ(textos(w.LstUsuarios), (QStringList{"O'BRIEN", "ROTO"}));
    w.LstUsuarios->setCurrentRow(-1);
    w.CmdEstablecer_Click(); // no selection: nothing
    EXPECT_EQ(w.paso(), 2);

    struct Caso { const char* usuario; const char* anterior; const char* nueva; const char* confirmacion; const char* mensaje; };
    const Caso casos[] = {
        {"O'BRIEN", "malo", "nueva", "nueva", "La Contraseña anterior no es correcta"},
        {"O'BRIEN", "secreto", "", "", "Debe informar una contraseña"},
        {"O'BRIEN", "secreto", "nueva", "otra", "La confirmación de la Contraseña no coincide"},
        {"O'BRIEN", "secreto", "ñu✓", "ñu✓", "La Contraseña contiene caracteres no permitidos"},
        {"ROTO", "", "nueva", "nueva", "La Contraseña anterior no es correcta"}, // a stored text that does not decode
        {"O'BRIEN", "  SECRETO ", " Nueva ", "NUEVA", ""},                       // other case, blank-edged
    };
    for (const Caso& c : casos) {
        dialogos.mostrados.clear();
        w.LstUsuarios->setCurrentItem(w.LstUsuarios->findItems(QString::fromUtf8(c.usuario), Qt::MatchExactly).value(0));
        w.CmdEstablecer_Click();
        ASSERT_EQ(w.paso(), 3);
        EXPECT_EQ(w.lblEstablecer->text(), QStringLiteral("Escriba la Contraseña Anterior de ") + QString::fromUtf8(c.usuario) +
                                               " en el primer cuadro, en el segundo escriba la nueva, y luego confirmelo en el tercero");
        escribir(w, "PASSWORDant", QString::fromUtf8(c.anterior));
        escribir(w, "PASSWORD1", QString::fromUtf8(c.nueva));
        escribir(w, "confirmacion1", QString::fromUtf8(c.confirmacion));
        w.CmdSiguiente_Click();
        if (*c.mensaje) {
            EXPECT_EQ(dialogos.textosMostrados(), QStringList{QString::fromUtf8(c.mensaje)});
            EXPECT_EQ(w.paso(), 3);
            w.CmdAnterior_Click();
        } else {
            EXPECT_TRUE(dialogos.mostrados.isEmpty()) << dialogos.ultimo().toStdString();
            EXPECT_EQ(w.paso(), 2);
        }
    }
    EXPECT_EQ(*ClaveGuardada(con(), "o'brien"), CodificaClave("Nueva")); // trimmed first
    EXPECT_EQ(*ClaveGuardada(con(), "ROTO"), "12x456");
}

TEST_P(VentanasSeguridad, EliminarUsuario)
{
    usuario("ANA", "a");
    usuario("BETO", "b");
    tarea("ANA", "0107");
    MenuFijo menu;
    frmTA_Usuarios w(*ctx, &menu.form);
    w.LstUsuarios->setCurrentRow(-1);
    w.CmdEliminar_Click();
    EXPECT_EQ(dialogos.ultimo(), "Debe Seleccionar Primero  un Usuario!!!");

    w.LstUsuarios->setCurrentRow(0);
    dialogos.respuestas.enqueue(plataforma::vbNo);
    w.CmdEliminar_Click();
    EXPECT_EQ(dialogos.ultimo(), "Realmente Desea eliminar a este usuario");
    EXPECT_EQ(cuenta("TA_USUARIOS"), 2);
    dialogos.respuestas.enqueue(plataforma::vbYes);
    w.CmdEliminar_Click();
    EXPECT_EQ(textos(w.LstUsuarios), QStringList{"BETO"});
    EXPECT_EQ(tareasDe("ANA"), QStringList{"0107"}); // its grants stay

    // Deleted meanwhile by someone else: told so, the list read again.
    con().EjecutarSQL("DELETE FROM TA_USUARIOS WHERE NOMBRE = ?", {"BETO"});
    dialogos.mostrados.clear();
    dialogos.respuestas.enqueue(plataforma::vbYes);
    w.CmdEliminar_Click();
    EXPECT_EQ(dialogos.textosMostrados(), (QStringList{"Realmente Desea eliminar a este usuario", "El Usuario especificado no Existe!!!"}));
    EXPECT_EQ(w.LstUsuarios->count(), 0);
}

// A grant that cannot be written leaves no user and no task; the entries stay;
// neither the password nor its stored form reaches a message or the error log.
TEST_P(VentanasSeguridad, AltaFallidaNoDejaNada)
{
    MenuFijo menu({"Tarea imposible ** 012345678901234567890"}); // longer than TAREA's 20 characters
    frmTA_Usuarios w(*ctx, &menu.form);
    escribir(w, "Usuario", "NUEVO");
    w.CmdSiguiente_Click();
    escribir(w, "PASSWORD", "Zq9#kw");
    escribir(w, "confirmacion", "Zq9#kw");
    w.CmdSiguiente_Click();
    EXPECT_EQ(w.paso(), 1);
    ASSERT_EQ(dialogos.mostrados.size(), 1);
    EXPECT_EQ(dialogos.mostrados[0].titulo, "Error de datos!");
    EXPECT_EQ(cuenta("TA_USUARIOS"), 0);
    EXPECT_EQ(cuenta("TA_TAREAS"), 0);
    EXPECT_EQ(w.campo("PASSWORD")->text(), "Zq9#kw");
    EXPECT_TRUE(w.CmdSiguiente->isEnabled());
    const QStringList vistos = dialogos.textosMostrados() << registro();
    for (const QString& t : vistos) {
        EXPECT_FALSE(t.contains("Zq9#kw"));
        EXPECT_FALSE(t.contains(CodificaClave("Zq9#kw")));
    }
}

// Another station saves the same name after this one checked it: the save is
// refused with the name's own message, not the engine's, nothing of this one
// is written, and the wizard goes back to the name.
TEST_P(VentanasSeguridad, OtraEstacionCreaElMismoNombreAlMismoTiempo)
{
    MenuFijo menu;
    frmTA_Usuarios w(*ctx, &menu.form);
    escribir(w, "Usuario", "Ana");
    w.CmdSiguiente_Click();
    ASSERT_EQ(w.paso(), 1);
    otraConexion()->Insertar(QStringLiteral("TA_USUARIOS"), {{"NOMBRE", "ANA"}, {"PASSWORD", CodificaClave("otra")}, {"SISTEMA", "Rz731p"}});
    escribir(w, "PASSWORD", "Clave1");
    escribir(w, "confirmacion", "Clave1");
    w.CmdSiguiente_Click();
    ASSERT_EQ(dialogos.mostrados.size(), 1);
    EXPECT_EQ(dialogos.ultimo(), "El Nombre de Usuario Ingresado ya Existe, escriba otro y Vuelva a Intentarlo");
    EXPECT_EQ(dialogos.mostrados.last().titulo, "Aviso al operador");
    EXPECT_EQ(w.paso(), 0);
    EXPECT_EQ(w.campo("Usuario")->text(), "Ana");
    EXPECT_EQ(cuenta("TA_USUARIOS"), 1);
    EXPECT_EQ(cuenta("TA_TAREAS"), 0);
    EXPECT_EQ(con().Escalar("SELECT PASSWORD FROM TA_USUARIOS").toString(), CodificaClave("otra"));
}

// ---- FrmTareas ----

TEST_P(VentanasSeguridad, ListaDeTareasDelMenu)
{
    MenuFijo menu;
    FrmTareas w(*ctx, &menu.form);
    EXPECT_EQ(w.windowTitle(), "Autorización de Tareas ");
    EXPECT_TRUE(w.LstTareas->font().fixedPitch());
    // Hidden items and everything under a hidden menu, separators and items
    // without a code are not listed.
    EXPECT_EQ(textos(w.LstTareas), (QStringList{"Archivos", "  Usuarios", "  Autorización de Tareas", "  Tablas", "    Cuentas",
                                                 "  Salir", "Registraciones", "  Directas"}));
    EXPECT_EQ(w.CodigosTareas, (QStringList{"01", "0107", "0108", "0102", "010201", "0112", "02", "0201"}));
    EXPECT_EQ(w.tareasMarcadas(), (QStringList{"01", "0112", "02"}));
    // Idle: only CONSULTAR and CERRAR; the checklist off.
    EXPECT_FALSE(w.FrmDetalle->isEnabled());
    EXPECT_TRUE(w.UtilTeb1->habilitado("CONSULTAR"));
    EXPECT_TRUE(w.UtilTeb1->habilitado("CERRAR"));
    EXPECT_FALSE(w.UtilTeb1->habilitado("GRABAR"));
    EXPECT_FALSE(w.UtilTeb1->habilitado("CANCELAR"));
    // The always-checked items come back.
    w.LstTareas->item(0)->setCheckState(Qt::Unchecked);
    w.LstTareas->item(5)->setCheckState(Qt::Unchecked);
    w.CmdMarcarTodos_Click();
    EXPECT_EQ(w.tareasMarcadas(), w.CodigosTareas);
    w.CmdDesmarcarTodo_Click();
    EXPECT_EQ(w.tareasMarcadas(), (QStringList{"01", "0112", "02"}));
}

TEST_P(VentanasSeguridad, UsuarioDesconocidoNoCargaNada)
{
    usuario("OTRO", "x", "Rz731r");
    MenuFijo menu;
    FrmTareas w(*ctx, &menu.form);
    for (const char* nombre : {"NADIE", "OTRO"}) {
        dialogos.mostrados.clear();
        w.TxtFields->setText(nombre);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(w.TxtFields, &enter);
        EXPECT_EQ(dialogos.textosMostrados(), QStringList{"El Usuario especificado no Existe!!!"}) << nombre;
        EXPECT_EQ(dialogos.mostrados.value(0).titulo, "Aviso al operador");
        EXPECT_TRUE(w.usuarioCargado().isEmpty());
        EXPECT_FALSE(w.FrmDetalle->isEnabled());
    }
    w.UtilTeb1_ButtonClick("GRABAR"); // disabled in the idle state and nothing loaded anyway
    EXPECT_EQ(cuenta("TA_TAREAS"), 0);
}

TEST_P(VentanasSeguridad, GrabarTareasDeOtroUsuario)
{
    usuario("CONTADOR", "c");
    usuario("PEDRO", "p");
    usuario("PEDRO", "p", "Rz731r");
    usuario(UsuarioSupervisor(), "s");
    tarea("PEDRO", "0107");
    tarea("PEDRO", "0201");
    tarea("PEDRO", "0108", "Rz731r"); // another program's grant: not shown, not touched
    MenuFijo menu;
    FrmTareas w(*ctx, &menu.form);
    lista.respuestas.enqueue("pedro");
    w.UtilTeb1_ButtonClick("CONSULTAR");
    ASSERT_EQ(w.usuarioCargado(), "pedro");
    // The lookup is the users' table's, by NOMBRE, and its query runs.
    ASSERT_EQ(lista.pedidos.size(), 1);
    EXPECT_EQ(lista.pedidos[0].columnaClave.toUpper(), "NOMBRE");
    QStringList ofrecidos;
    for (Recordset rs = con().ObtenerRecordset(lista.pedidos[0].sql); !rs.eof(); rs.siguiente())
        ofrecidos << texto::recortar(rs.texto(lista.pedidos[0].columnaClave));
    ofrecidos.sort();
    EXPECT_EQ(ofrecidos, (QStringList{"CONTADOR", "PEDRO", "PEDRO", UsuarioSupervisor()}));
    // Closing the list without a choice leaves the window idle.
    w.UtilTeb1_ButtonClick("CANCELAR");
    w.UtilTeb1_ButtonClick("CONSULTAR");
    EXPECT_TRUE(w.usuarioCargado().isEmpty());
    EXPECT_FALSE(w.FrmDetalle->isEnabled());
    lista.respuestas.enqueue("pedro");
    w.UtilTeb1_ButtonClick("CONSULTAR");
    ASSERT_EQ(w.usuarioCargado(), "pedro");
    EXPECT_TRUE(w.FrmDetalle->isEnabled());
    EXPECT_TRUE(w.UtilTeb1->habilitado("GRABAR"));
    EXPECT_EQ(w.tareasMarcadas(), (QStringList{"01", "0107", "0112", "02", "0201"}));
    w.LstTareas->item(4)->setCheckState(Qt::Checked); // 010201
    w.LstTareas->item(1)->setCheckState(Qt::Unchecked); // 0107
    w.TxtFields->setText("CONTADOR"); // edited after loading: the loaded user is saved
    const bool antes = menu.item("Usuarios")->isEnabled();
    w.UtilTeb1_ButtonClick("GRABAR");
    EXPECT_EQ(dialogos.textosMostrados(), QStringList{"Los cambios Realizados se aplicarán la proxima vez que se ingrese al sistema"});
    EXPECT_EQ(tareasDe("PEDRO"), (QStringList{"01", "010201", "0112", "02", "0201"}));
    EXPECT_EQ(tareasDe("CONTADOR"), QStringList{});
    EXPECT_EQ(cuenta("TA_TAREAS WHERE SISTEMA = ?", {"Rz731r"}), 1);
    EXPECT_EQ(menu.item("Usuarios")->isEnabled(), antes); // another user's grants never touch the menu
    EXPECT_TRUE(w.usuarioCargado().isEmpty());            // back to idle
    EXPECT_FALSE(w.FrmDetalle->isEnabled());
}

TEST_P(VentanasSeguridad, GrabarTareasDelUsuarioActual)
{
    usuario("CONTADOR", "c");
    tarea("CONTADOR", "0107");
    for (const int respuesta : {plataforma::vbNo, plataforma::vbYes}) {
        MenuFijo menu;
        FrmTareas w(*ctx, &menu.form);
        dialogos.mostrados.clear();
        w.TxtFields->setText("contador");
        w.Campo_Valida();
        w.LstTareas->item(2)->setCheckState(Qt::Checked); // 0108
        w.LstTareas->item(1)->setCheckState(Qt::Unchecked); // 0107
        dialogos.respuestas.enqueue(respuesta);
        w.UtilTeb1_ButtonClick("grabar");
        ASSERT_GE(dialogos.mostrados.size(), 1);
        EXPECT_EQ(dialogos.mostrados[0].texto, "Desea aplicar los cambios Realizados?");
        EXPECT_EQ(dialogos.mostrados[0].estilo, plataforma::vbQuestion | plataforma::vbYesNo);
        EXPECT_TRUE(dialogos.mostrados[0].titulo.isEmpty());
        if (respuesta == plataforma::vbYes) {
            EXPECT_EQ(dialogos.mostrados.size(), 1);
            EXPECT_FALSE(menu.item("Usuarios")->isEnabled());
            EXPECT_TRUE(menu.item("Autorización de Tareas")->isEnabled());
            EXPECT_TRUE(menu.item("&Salir")->isEnabled());
        } else {
            EXPECT_EQ(dialogos.textosMostrados().value(1), "Los cambios Realizados se aplicarán la proxima vez que se ingrese al sistema");
            EXPECT_TRUE(menu.item("Usuarios")->isEnabled());
        }
    }
}

TEST_P(VentanasSeguridad, GrabarTareasFallidoNoCambiaNada)
{
    usuario("PEDRO", "p");
    tarea("PEDRO", "0107");
    MenuFijo menu({"Tarea imposible ** 012345678901234567890"});
    FrmTareas w(*ctx, &menu.form);
    w.TxtFields->setText("PEDRO");
    w.Campo_Valida();
    w.CmdMarcarTodos_Click();
    w.UtilTeb1_ButtonClick("GRABAR");
    ASSERT_EQ(dialogos.mostrados.size(), 1);
    EXPECT_EQ(dialogos.mostrados[0].titulo, "Error de datos!");
    EXPECT_EQ(tareasDe("PEDRO"), QStringList{"0107"});
    EXPECT_TRUE(w.HayError);
    EXPECT_EQ(w.usuarioCargado(), "PEDRO"); // still loaded, the checks as they were
    EXPECT_EQ(w.tareasMarcadas(), w.CodigosTareas);
    EXPECT_TRUE(w.isEnabled());
}

// ---- RP_Acceso ----

class ReporteAccesoBD : public VentanasSeguridad {
protected:
    void SetUp() override
    {
        VentanasSeguridad::SetUp();
        registrarReportesSeguridad();
        usuario(UsuarioSupervisor(), "s");
        usuario("ana", "a");
        usuario("BETO", "b");
        usuario("BETO", "b", "Rz731r");
        usuario("CARLA", "c", "Rz731r");
        con().EjecutarSQL("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (?, ?)", {"NOMBRE", "Casa O'Neill S.A."});
        const std::vector<std::pair<QString, QDateTime>> visitas{
            {"ANA", QDateTime(QDate(2026, 3, 1), QTime(0, 0))},
            {"BETO", QDateTime(QDate(2026, 3, 15), QTime(23, 59, 59))},
            {UsuarioSupervisor(), QDateTime(QDate(2026, 3, 10), QTime(9, 0))},
            {"CARLA", QDateTime(QDate(2026, 4, 1), QTime(0, 0))},
            {"ANA", QDateTime(QDate(2026, 2, 28), QTime(23, 59))},
        };
        for (const auto& [u, t] : visitas)
            con().Insertar("CONTROL_ACCESO", {{"USUARIO", u}, {"MAQUINA", "PUESTO"}, {"FORMULARIO", "FrmX"}, {"TAREA", "Ventana"},
                                              {"INGRESO", t}, {"EGRESO", t.addSecs(60)}, {"NombreUsuario", u}});
    }
    // The report's (user, entry) rows.
    QStringList filas()
    {
        QStringList r;
        for (const QStringList& f : reportes.emitidos.value(0).filas) r << f.value(0) + " " + f.value(4).left(10);
        return r;
    }
};

TEST_P(ReporteAccesoBD, ListasDeUsuarios)
{
    RP_Acceso w(*ctx);
    EXPECT_EQ(w.windowTitle(), "Reporte Control de Acceso Usuarios");
    EXPECT_FALSE(w.TBarRep1->estado1());
    for (QComboBox* c : w.Cmb_U) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
        EXPECT_EQ(items, (QStringList{"ana", "BETO", "CARLA"})); // every program's, each once, no supervisor
    }
}

TEST_P(ReporteAccesoBD, CriteriosDelReporte)
{
    RP_Acceso w(*ctx);
    struct Caso { const char* ud; const char* uh; const char* fd; const char* fh; QStringList esperado; };
    const Caso casos[] = {
        {"", "", "", "", {"ANA 28/02/2026", "ANA 01/03/2026", "BETO 15/03/2026", "CARLA 01/04/2026"}}, // supervisor out
        {"", "", "01/03/2026", "15/03/2026", {"ANA 01/03/2026", "BETO 15/03/2026"}},                  // whole days
        {"", "", "01/03/2026", "", {"ANA 01/03/2026", "BETO 15/03/2026", "CARLA 01/04/2026"}},         // open end
        {"beto", "", "", "", {"BETO 15/03/2026", "CARLA 01/04/2026"}},                                 // upper-cased
        {"a", "BETO", "", "31/03/2026", {"ANA 28/02/2026", "ANA 01/03/2026", "BETO 15/03/2026"}},
        {"SUPERVISOR", "SUPERVISOR TEBRINO KD", "", "", {}},
    };
    for (const Caso& c : casos) {
        reportes.emitidos.clear();
        w.Cmb_U[0]->setEditText(c.ud);
        w.Cmb_U[1]->setEditText(c.uh);
        w.TxtFields[0]->setText(c.fd);
        w.TxtFields[1]->setText(c.fh);
        w.TBarRep1_Event9("PANTALLA");
        ASSERT_EQ(reportes.emitidos.size(), 1) << dialogos.ultimo().toStdString();
        EXPECT_EQ(filas(), c.esperado) << c.ud << " " << c.fd;
        EXPECT_EQ(reportes.emitidos[0].destino, plataforma::DestinoReporte::Pantalla);
    }
    const auto& e = reportes.emitidos[0];
    EXPECT_EQ(e.titulo, "Reporte Control de Acceso Usuarios");
    EXPECT_EQ(e.encabezado.value(0), "Casa O'Neill S.A.");
    EXPECT_EQ(e.cabeceras, (QStringList{"Usuario", "Máquina", "Formulario", "Tarea", "Ingreso", "Egreso"}));
    reportes.emitidos.clear();
    w.TBarRep1_Event9("impresora");
    ASSERT_EQ(reportes.emitidos.size(), 1);
    EXPECT_EQ(reportes.emitidos[0].destino, plataforma::DestinoReporte::Impresora);
}

TEST_P(ReporteAccesoBD, MensajesDeLosCamposYDelMotor)
{
    RP_Acceso w(*ctx);
    struct Caso { const char* desde; const char* hasta; const char* mensaje; };
    const Caso casos[] = {
        {"31/02/2026", "", "La fecha ingresada no es correcta!!"},
        {"", "hoy", "La fecha ingresada no es correcta!!"},
        {"10/03/2026", "09/03/2026", "La fecha desde es mayor que la fecha Hasta"},
        {"10/03/2026", "10/03/2026", nullptr},
    };
    for (const Caso& c : casos) {
        // Enter in the box, and the run itself: both refuse.
        dialogos.mostrados.clear();
        reportes.emitidos.clear();
        w.TxtFields[0]->setText(c.desde);
        w.TxtFields[1]->setText(c.hasta);
        QLineEdit* caja = *c.hasta ? w.TxtFields[1] : w.TxtFields[0];
        EXPECT_EQ(w.CampoValida(caja), c.mensaje == nullptr);
        w.TBarRep1_Event9("PANTALLA");
        if (c.mensaje) {
            EXPECT_EQ(dialogos.textosMostrados(), (QStringList{c.mensaje, c.mensaje}));
            EXPECT_EQ(dialogos.mostrados.value(0).estilo, plataforma::vbInformation);
            EXPECT_EQ(dialogos.mostrados.value(0).titulo, "Aviso al operador...");
            EXPECT_TRUE(reportes.emitidos.isEmpty());
        } else {
            EXPECT_TRUE(dialogos.mostrados.isEmpty());
            EXPECT_EQ(reportes.emitidos.size(), 1);
        }
    }
    // The engine's failure: its text, critical icon; the window goes on.
    dialogos.mostrados.clear();
    reportes.error = QStringLiteral("No hay un sistema de impresión disponible.");
    w.TBarRep1_Event9("IMPRESORA");
    EXPECT_EQ(dialogos.textosMostrados(), QStringList{"No hay un sistema de impresión disponible."});
    EXPECT_EQ(dialogos.mostrados.value(0).estilo, plataforma::vbCritical);
    EXPECT_EQ(dialogos.mostrados.value(0).titulo, "Aviso al operador");
    EXPECT_TRUE(w.TBarRep1->isEnabled());
}

TEST_P(ReporteAccesoBD, ConsultarSoloEnLasFechas)
{
    RP_Acceso w(*ctx);
    w.campoConFoco(-1); // a user box
    EXPECT_FALSE(w.TBarRep1->estado1());
    w.ConsultaCampo();
    dialogos.fechas.enqueue(QDate(2026, 3, 5));
    w.campoConFoco(1);
    EXPECT_TRUE(w.TBarRep1->estado1());
    w.TBarRep1_Event9("CONSULTAR");
    EXPECT_EQ(w.TxtFields[1]->text(), "05/03/2026");
    EXPECT_TRUE(w.TxtFields[0]->text().isEmpty());
}

// The registered windows open by name; closing the report ends only it.
TEST_P(ReporteAccesoBD, VentanasRegistradas)
{
    registrarVentanasSeguridad();
    for (const char* n : {"frmTA_Usuarios", "FrmTareas", "RP_Acceso"}) {
        std::unique_ptr<QWidget> w(crearVentana(QString::fromLatin1(n), *ctx));
        ASSERT_TRUE(w) << n;
        EXPECT_EQ(w->objectName(), n);
    }
    bool salio = false;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { salio = true; });
    auto* w = crearVentana("RP_Acceso", *ctx);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    w->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(salio);
}

// The real report read back from its PDF: company, title, heads, rows by user
// and entry, no supervisor.
TEST_P(ReporteAccesoBD, PdfDelReporte)
{
    plataforma::instalarReportes(nullptr);
    plataforma::usarReportesQt();
    const QString pdf = dir.filePath("acceso.pdf");
    MotorReportes motor;
    motor.Destino = MotorReportes::DestinoArchivo;
    motor.ArchivoDestino = pdf;
    plataforma::ResultadoReporte r;
    EXPECT_EQ(EmitirReporteAcceso(*ctx, motor, {"", "", "01/03/2026", ""}, &r), QString());
    EXPECT_EQ(r.filas, 3);
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString t = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(t.contains("Casa O'Neill S.A.")) << t.toStdString();
    EXPECT_TRUE(t.contains("Reporte Control de Acceso Usuarios"));
    EXPECT_TRUE(t.contains(QRegularExpression("Usuario\\s+Máquina\\s+Formulario\\s+Tarea\\s+Ingreso\\s+Egreso")));
    EXPECT_TRUE(t.contains(QRegularExpression("ANA\\s+PUESTO\\s+FrmX\\s+Ventana\\s+01/03/2026 00:00\\s+01/03/2026 00:01")));
    EXPECT_LT(t.indexOf("ANA "), t.indexOf("BETO "));
    EXPECT_LT(t.indexOf("BETO "), t.indexOf("CARLA "));
    EXPECT_FALSE(t.contains("SUPERVISOR"));
    EXPECT_FALSE(t.contains("28/02/2026"));
}

// The report is printed landscape: the longest task and window names fit
// whole on their line; a longer text goes on below, within its column.
TEST_P(ReporteAccesoBD, PdfConTareasLargas)
{
    const QDateTime t(QDate(2026, 3, 20), QTime(9, 0));
    const QString larga = QStringLiteral("Asignación de Cuentas al Libro de I.V.A. Compras");
    const QString masLarga = larga + QStringLiteral(" y Ventas del ejercicio en curso");
    con().Insertar("CONTROL_ACCESO", {{"USUARIO", "BETO"}, {"MAQUINA", "PUESTO"}, {"FORMULARIO", "FrmMa_BienesUsoModif"},
                                      {"TAREA", larga}, {"INGRESO", t}, {"EGRESO", t.addSecs(60)}, {"NombreUsuario", "BETO"}});
    con().Insertar("CONTROL_ACCESO", {{"USUARIO", "BETO"}, {"MAQUINA", "PUESTO"}, {"FORMULARIO", "Frm_LibrosIva"},
                                      {"TAREA", masLarga}, {"INGRESO", t.addSecs(120)}, {"EGRESO", t.addSecs(180)},
                                      {"NombreUsuario", "BETO"}});
    plataforma::instalarReportes(nullptr);
    plataforma::usarReportesQt();
    const QString pdf = dir.filePath("acceso.pdf");
    MotorReportes motor;
    motor.Destino = MotorReportes::DestinoArchivo;
    motor.ArchivoDestino = pdf;
    plataforma::ResultadoReporte r;
    EXPECT_EQ(EmitirReporteAcceso(*ctx, motor, {"", "", "20/03/2026", "20/03/2026"}, &r), QString());
    EXPECT_EQ(r.filas, 2);
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString texto = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(texto.contains(QRegularExpression("BETO\\s+PUESTO\\s+FrmMa_BienesUsoModif\\s+" + QRegularExpression::escape(larga) +
                                                  "\\s+20/03/2026 09:00\\s+20/03/2026 09:01\\s*\\n")))
        << texto.toStdString();
    EXPECT_TRUE(texto.contains(QRegularExpression("Frm_LibrosIva\\s+Asignación de Cuentas al Libro de I\\.V\\.A\\. Compras y Ventas\\s+"
                                                  "20/03/2026 09:02\\s+20/03/2026 09:03\\s*\\n\\s+del ejercicio en curso\\s*\\n")))
        << texto.toStdString();
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(60000));
    const QRegularExpressionMatch m =
        QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+)").match(QString::fromUtf8(info.readAllStandardOutput()));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_GT(m.captured(1).toDouble(), m.captured(2).toDouble()) << "landscape";
}

VEXA_AMBOS_MOTORES(VentanasSeguridad);
VEXA_AMBOS_MOTORES(ReporteAccesoBD);

} // namespace
