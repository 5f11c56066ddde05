// Task tags, grants, password encoding and the access-log exit stamp.
#include "BaseDePrueba.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "Utilidades.h"
#include "ContextoEmpresa.h"
#include "lbm_Seguridad.h"

#include <QFile>
#include <QTemporaryDir>

#include <QAction>
#include <QWidget>

using namespace vexa;

namespace {

// A form with menu items built from design captions, in order.
struct MenuDePrueba {
    QWidget form;
    QList<QAction*> items;
    explicit MenuDePrueba(const QStringList& captions)
    {
        int orden = 0;
        for (const QString& c : captions) {
            auto* a = new QAction(c, &form);
            a->setProperty(PROPIEDAD_ORDEN_MENU, orden++);
            // As the main window marks its own Salir and Cerrar Sesión items.
            if (c.startsWith("&Salir") || c.startsWith("Cerrar Sesión")) a->setProperty(PROPIEDAD_SIEMPRE_HABILITADO, true);
            items.append(a);
        }
        InicializaTareasMenu(form);
    }
    QAction* item(const QString& caption) const
    {
        for (QAction* a : items)
            if (a->text() == caption) return a;
        return nullptr;
    }
};

} // namespace

TEST(TareasMenu, CaptionATag)
{
    struct Caso { const char* diseno; const char* caption; const char* tag; };
    const Caso casos[] = {
        {"&Salir ** 0112", "&Salir", "0112"},
        {"Cerrar Sesión ... **0111", "Cerrar Sesión ...", "0111"},
        {"Rangos de Datos Adicionales** 010102", "Rangos de Datos Adicionales", "010102"},
        {"&Ajustes por Inflación ** 07 ", "&Ajustes por Inflación", "07"},
        {"&Archivo Legal de Información  **0803", "&Archivo Legal de Información", "0803"},
        {"Caption sin nada **", "Caption sin nada", ""},
        {"&Datos Adicionales", "&Datos Adicionales", "diseño"},  // no code: keeps caption and designed tag
        {"-", "-", "diseño"},
    };
    for (const Caso& c : casos) {
        QWidget form;
        auto* a = new QAction(QString::fromUtf8(c.diseno), &form);
        a->setProperty(PROPIEDAD_ORDEN_MENU, 0);
        fijarTag(a, QStringLiteral("diseño"));
        InicializaTareasMenu(form);
        EXPECT_EQ(a->text(), QString::fromUtf8(c.caption)) << c.diseno;
        EXPECT_EQ(tagDe(a), QString::fromUtf8(c.tag)) << c.diseno;
    }
}

TEST(TareasMenu, ItemsEnOrdenDelArbolSinOtrasAcciones)
{
    QWidget form;
    auto* b = new QAction(QStringLiteral("B"), &form);
    b->setProperty(PROPIEDAD_ORDEN_MENU, 2);
    new QAction(QStringLiteral("no es del menú"), &form);
    auto* a = new QAction(QStringLiteral("A"), &form);
    a->setProperty(PROPIEDAD_ORDEN_MENU, 1);
    EXPECT_EQ(itemsMenu(form), (QList<QAction*>{a, b}));
}

// ---- passwords ----

TEST(Claves, CodificaYDecodifica)
{
    EXPECT_EQ(CodificaClave(QStringLiteral("abc")), QStringLiteral("102101100"));
    EXPECT_EQ(CodificaClave(QString()), QString());
    EXPECT_EQ(DecodificaClave(QStringLiteral("102101100")), QStringLiteral("abc"));
    // Windows-1252 codes: ñ 241, € 128 (the stored texts of the suite's other programs).
    EXPECT_EQ(CodificaClave(QStringLiteral("ñ")), QStringLiteral("242"));
    EXPECT_EQ(CodificaClave(QStringLiteral("€")), QStringLiteral("129"));
    EXPECT_EQ(CodificaClave(QStringLiteral("año€")), QStringLiteral("132115245101"));

    const QString base = QStringLiteral("ñ€aZ9 Ü~x!");
    for (int n = 0; n <= 10; ++n) {
        const QString clave = base.left(n);
        const QString cod = CodificaClave(clave);
        EXPECT_EQ(cod.size(), 3 * n) << n;
        EXPECT_EQ(DecodificaClave(cod), clave) << n;
        EXPECT_TRUE(ClaveCoincide(cod, clave)) << n;
    }
}

TEST(Claves, TextosGuardadosRarosNoSonError)
{
    // Length 10: k = 3, the leading character is ignored.
    EXPECT_EQ(DecodificaClave(QStringLiteral("9102101100")), QStringLiteral("abc"));
    for (const char* corrupto : {"999", "0a1102", "-01", "001002", "   "}) {
        // 999-1 > 255; letters; sign; codes below k (001-2 < 0); blanks.
        EXPECT_FALSE(DecodificaClave(QString::fromLatin1(corrupto)).has_value()) << corrupto;
        EXPECT_FALSE(ClaveCoincide(QString::fromLatin1(corrupto), QStringLiteral("x"))) << corrupto;
    }
    EXPECT_FALSE(ClaveCoincide(CodificaClave(QStringLiteral("abc")), QStringLiteral("ABC")));
    // A character outside the code page is stored as "?".
    EXPECT_EQ(DecodificaClave(CodificaClave(QStringLiteral("a\u4e2d"))), QStringLiteral("a?"));
}

// ---- grants and the access log, on both backends ----

class Seguridad : public prueba::BaseDePrueba {
protected:
    int filas(const QString& sql, const Params& p = {})
    {
        return con().Escalar(QStringLiteral("SELECT COUNT(*) FROM ") + sql, p).toInt();
    }
    void tarea(const QString& usuario, const QString& t, const QString& sistema = QStringLiteral("Rz731p"))
    {
        con().Insertar(QStringLiteral("TA_TAREAS"), {{"USUARIO", usuario}, {"TAREA", t}, {"SISTEMA", sistema}});
    }
};

TEST_P(Seguridad, AplicaPermisosComoMatriz)
{
    tarea("ANA", "0107");
    tarea("ANA", "01071");
    tarea("ANA", "010102");
    tarea("ANA", "0201", "OtroPrograma"); // another program's row grants nothing here
    tarea("LUIS", "01071");

    const QStringList captions = {"&Archivos ** 01", "Usuarios ** 0107", "Rangos** 010102", "&Registraciones Directas ** 0201",
                                  "&Salir ** 0112", "Cerrar Sesión ... **0111", "&Datos Adicionales", "-"};
    struct Caso { const char* usuario; QList<bool> habilitados; };
    //                        Archivos Usuarios Rangos Directas Salir Sesion DatosAd sep
    const Caso casos[] = {
        {"ANA",     {false,   true,    true,  false,   false, false, false, false}},
        {" ana ",   {false,   true,    true,  false,   false, false, false, false}},
        {"LUIS",    {false,   false,   false, false,   false, false, false, false}},  // 01071 does not give 0107
        {"NADIE",   {false,   false,   false, false,   false, false, false, false}},
    };
    for (const Caso& c : casos) {
        MenuDePrueba m(captions);
        // Everything starts disabled so that what AplicaPermisos leaves alone stays visibly untouched.
        for (QAction* a : m.items) a->setEnabled(false);
        m.items[1]->setEnabled(true); // a granted item may be disabled later
        AplicaPermisos(QString::fromLatin1(c.usuario), m.items, con());
        QList<bool> hab;
        for (QAction* a : m.items) hab.append(a->isEnabled());
        EXPECT_EQ(hab, c.habilitados) << c.usuario;
    }
    // Top level, Salir and Cerrar Sesión are never disabled.
    MenuDePrueba m(captions);
    AplicaPermisos(QStringLiteral("NADIE"), m.items, con());
    EXPECT_TRUE(m.items[0]->isEnabled());
    EXPECT_TRUE(m.item("&Salir")->isEnabled());
    EXPECT_TRUE(m.item("Cerrar Sesión ...")->isEnabled());
    EXPECT_TRUE(m.item("&Datos Adicionales")->isEnabled());
    EXPECT_FALSE(m.items[1]->isEnabled());
}

TEST_P(Seguridad, AsignaTodasLasTareasReescribeSoloEstePrograma)
{
    tarea("ANA", "9999");
    tarea("ANA", "0201", "OtroPrograma");
    MenuDePrueba m({"&Archivos ** 01", "Usuarios ** 0107", "&Salir ** 0112", "Cerrar Sesión ... **0111", "Sin código",
                    "Vacío **", "-", "Repetido ** 0107"});
    ASSERT_TRUE(AsignaTodasLasTareas(QStringLiteral(" ANA "), m.items, con()));
    QStringList tareas;
    for (Recordset rs = con().ObtenerRecordset("SELECT TAREA FROM TA_TAREAS WHERE USUARIO = ? AND SISTEMA = ? ORDER BY TAREA",
                                               {"ANA", "Rz731p"});
         !rs.eof(); rs.siguiente())
        tareas << rs.texto("TAREA").trimmed();
    EXPECT_EQ(tareas, (QStringList{"01", "0107", "0111", "0112"}));
    EXPECT_EQ(filas("TA_TAREAS WHERE SISTEMA = ?", {"OtroPrograma"}), 1);
}

TEST_P(Seguridad, AsignaTodasLasTareasFallidaNoDejaNadaAMedias)
{
    // A table that refuses one task, so that the insert after the delete fails.
    con().EjecutarSQL("DROP TABLE TA_TAREAS");
    con().EjecutarSQL("CREATE TABLE TA_TAREAS (USUARIO VARCHAR(50) NOT NULL, TAREA VARCHAR(20) NOT NULL "
                      "CHECK (TAREA <> '0112'), SISTEMA VARCHAR(50) NOT NULL)");
    tarea("ANA", "VIEJA");
    plataforma::GuionDialogos dlg;
    MenuDePrueba m({"Usuarios ** 0107", "&Salir ** 0112"});
    EXPECT_FALSE(AsignaTodasLasTareas(QStringLiteral("ANA"), m.items, con()));
    EXPECT_EQ(filas("TA_TAREAS WHERE USUARIO = ?", {"ANA"}), 1);
    EXPECT_EQ(filas("TA_TAREAS WHERE TAREA = ?", {"VIEJA"}), 1);
    EXPECT_EQ(dlg.mostrados.size(), 1); // reported to the operator
}

TEST_P(Seguridad, RegistraEgresoSellaLaUltimaVisitaAbierta)
{
    const QString maquina = plataforma::InfoSistema::NombreEquipo().trimmed().toUpper();
    auto visita = [&](const char* usuario, const QString& maq, const char* form, const char* caption, const char* ingreso,
                      const QVariant& egreso) {
        return con().Insertar("CONTROL_ACCESO",
                              {{"USUARIO", usuario}, {"MAQUINA", maq}, {"FORMULARIO", form}, {"TAREA", QString::fromUtf8(caption)},
                               {"INGRESO", QDateTime::fromString(ingreso, Qt::ISODate)}, {"EGRESO", egreso}},
                              "ID");
    };
    const QDateTime yaSellado = QDateTime::fromString("2026-03-01T10:00:00", Qt::ISODate);
    const qint64 vieja = visita("ANA", maquina, "FrmInterface", "Recepción", "2026-03-01T09:00:00", QVariant());
    const qint64 abierta = visita("ANA", maquina, "FrmInterface", "Recepción", "2026-03-02T09:00:00", QVariant());
    const qint64 cerrada = visita("ANA", maquina, "FrmInterface", "Recepción", "2026-03-03T09:00:00", yaSellado);
    const qint64 otraMaquina = visita("ANA", "OTRA", "FrmInterface", "Recepción", "2026-03-04T09:00:00", QVariant());
    const qint64 otroUsuario = visita("LUIS", maquina, "FrmInterface", "Recepción", "2026-03-04T09:00:00", QVariant());
    const qint64 otraVentana = visita("ANA", maquina, "frmTablas", "Recepción", "2026-03-04T09:00:00", QVariant());

    const QDateTime t = QDateTime::fromString("2026-03-05T18:30:00", Qt::ISODate);
    plataforma::fijarAhora(t);
    ContextoEmpresa ctx(con());
    ctx.usuario = QStringLiteral(" ana ");
    QWidget ventana;
    ventana.setObjectName("FrmInterface");
    ventana.setWindowTitle(QStringLiteral(" Recepción "));
    RegistraEgreso(ctx, ventana);
    plataforma::fijarAhora(QDateTime());

    auto egreso = [&](qint64 id) {
        return con().PrimeraFila("SELECT EGRESO FROM CONTROL_ACCESO WHERE ID = ?", {id})->fechaHora("EGRESO");
    };
    EXPECT_EQ(egreso(abierta), t);          // the latest visit still open
    EXPECT_FALSE(egreso(vieja).isValid());
    EXPECT_EQ(egreso(cerrada), yaSellado);  // a recorded exit is never overwritten
    EXPECT_FALSE(egreso(otraMaquina).isValid());
    EXPECT_FALSE(egreso(otroUsuario).isValid());
    EXPECT_FALSE(egreso(otraVentana).isValid());

    // Caption changed since the visit, or no table at all: nothing happens, no error escapes.
    ventana.setWindowTitle("Otra cosa");
    plataforma::GuionDialogos dlg;
    RegistraEgreso(ctx, ventana);
    EXPECT_FALSE(egreso(vieja).isValid());
    con().EjecutarSQL("DROP TABLE CONTROL_ACCESO");
    RegistraEgreso(ctx, ventana);
    EXPECT_TRUE(dlg.mostrados.isEmpty());
}

// A failed stamp shows nothing but leaves its trace in the error log.
TEST_P(Seguridad, RegistraEgresoAnotaElErrorEnElRegistro)
{
    QTemporaryDir dir;
    struct { QString& ArchivoLog = Utilidades::ArchivoLog; } u;
    const QString anterior = u.ArchivoLog;
    u.ArchivoLog = dir.filePath("TbErr.Log");
    ContextoEmpresa ctx(con());
    ctx.usuario = QStringLiteral("ANA");
    QWidget ventana;
    ventana.setObjectName("FrmInterface");
    ventana.setWindowTitle(QStringLiteral("Recepción"));
    plataforma::GuionDialogos dlg;

    RegistraEgreso(ctx, ventana); // a table without the visit: no error, no line
    EXPECT_FALSE(QFile::exists(u.ArchivoLog));

    con().EjecutarSQL("DROP TABLE CONTROL_ACCESO");
    RegistraEgreso(ctx, ventana);
    EXPECT_TRUE(dlg.mostrados.isEmpty());
    QFile f(u.ArchivoLog);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lineas = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 1);
    EXPECT_TRUE(lineas[0].contains(" | RegistraEgreso | ")) << lineas[0].toStdString();
    EXPECT_TRUE(lineas[0].contains("CONTROL_ACCESO", Qt::CaseInsensitive)) << lineas[0].toStdString();

    u.ArchivoLog = anterior;
}

class SeguridadDemo : public Seguridad {
protected:
    bool conDemo() const override { return true; }
};

TEST_P(SeguridadDemo, UsuariosDeDemostracion)
{
    auto clave = [&](const char* u) {
        return con().PrimeraFila("SELECT PASSWORD FROM TA_USUARIOS WHERE NOMBRE = ? AND SISTEMA = ?", {u, "Rz731p"})->texto("PASSWORD");
    };
    EXPECT_TRUE(ClaveCoincide(clave("ADMIN"), "admin"));
    EXPECT_TRUE(ClaveCoincide(clave("contador"), "conta2026"));
    EXPECT_TRUE(ClaveCoincide(clave("OPERADOR"), "operador"));
    MenuDePrueba m({"Cuentas ** 0505", "&Registraciones Directas ** 0201"});
    AplicaPermisos("OPERADOR", m.items, con());
    EXPECT_TRUE(m.items[0]->isEnabled());
    EXPECT_FALSE(m.items[1]->isEnabled());
}

VEXA_AMBOS_MOTORES(Seguridad);
VEXA_AMBOS_MOTORES(SeguridadDemo);
