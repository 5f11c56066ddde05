#include "Esquema.h"
#include "BaseDePrueba.h"

#include "Entorno.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>

namespace vexa::prueba {

namespace {

// The folder of this test program's SQLite files, removed when the program ends.
std::unique_ptr<QTemporaryDir>& carpeta()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}
QString carpetaTemporal()
{
    if (!carpeta()) carpeta() = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vexa-prueba-XXXXXX"));
    return carpeta()->path();
}

DatosConexion servidorPg()
{
    DatosConexion d;
    d.server = qEnvironmentVariable("VEXA_PG");
    d.usuario = qEnvironmentVariable("VEXA_PG_USUARIO", QStringLiteral("vexa"));
    d.password = qEnvironmentVariable("VEXA_PG_PASSWORD", QStringLiteral("vexa"));
    return d;
}

// Under CI or scripts/test.sh (VEXA_EXIGIR_PG) a PostgreSQL case never skips.
bool pgObligatorio()
{
    return !qEnvironmentVariable("CI").isEmpty() || !qEnvironmentVariable("VEXA_EXIGIR_PG").isEmpty();
}

int g_contador = 0;

// Templates built once per process: key = (backend, demo).
std::map<std::pair<int, bool>, DatosConexion>& plantillas()
{
    static std::map<std::pair<int, bool>, DatosConexion> p;
    return p;
}

// Drops the templates when the test program ends, while Qt is still up.
struct LimpiezaPlantillas : ::testing::Environment {
    void TearDown() override
    {
        Conexion::instancia().Cerrar();
        for (auto& [k, d] : plantillas()) {
            QString e;
            eliminarEmpresa(d, &e);
        }
        plantillas().clear();
        carpeta().reset();
    }
};
[[maybe_unused]] ::testing::Environment* const g_limpieza = ::testing::AddGlobalTestEnvironment(new LimpiezaPlantillas);

bool plantilla(Motor m, bool demo, DatosConexion* out, QString* error)
{
    auto clave = std::make_pair(int(m), demo);
    auto it = plantillas().find(clave);
    if (it != plantillas().end()) {
        *out = it->second;
        return true;
    }
    DatosConexion d;
    if (m == Motor::SQLite) {
        d.dbName = carpetaTemporal() + QStringLiteral("/plantilla_%1.db").arg(demo ? "demo" : "vacia");
    } else {
        d = servidorPg();
        d.dbName = QStringLiteral("vexa_tpl_%1_%2").arg(QCoreApplication::applicationPid()).arg(demo ? "demo" : "vacia");
    }
    if (!crearEmpresa(d, demo, true, error)) return false;
    plantillas()[clave] = d;
    *out = d;
    return true;
}

} // namespace

bool crearBaseTemporal(Motor m, bool demo, DatosConexion* datos, QString* error)
{
    DatosConexion tpl;
    if (m == Motor::PostgreSQL && qEnvironmentVariable("VEXA_PG").isEmpty()) {
        *error = QStringLiteral("VEXA_PG no está definido");
        return false;
    }
    if (!plantilla(m, demo, &tpl, error)) return false;
    DatosConexion d = tpl;
    ++g_contador;
    if (m == Motor::SQLite) {
        d.dbName = carpetaTemporal() + QStringLiteral("/prueba_%1.db").arg(g_contador);
        QFile::remove(d.dbName);
        if (!QFile::copy(tpl.dbName, d.dbName)) {
            *error = QStringLiteral("No se pudo copiar la plantilla");
            return false;
        }
    } else {
        d.dbName = QStringLiteral("vexa_t_%1_%2").arg(QCoreApplication::applicationPid()).arg(g_contador);
        eliminarEmpresa(d, error);
        Conexion admin;
        admin.setDatos({d.server, QStringLiteral("postgres"), d.usuario, d.password});
        if (!admin.Abrir()) {
            *error = admin.ultimoError();
            return false;
        }
        try {
            admin.EjecutarSQL(QStringLiteral("CREATE DATABASE \"%1\" TEMPLATE \"%2\"").arg(d.dbName, tpl.dbName));
        } catch (const ErrorBD& e) {
            *error = e.descripcion();
            return false;
        }
    }
    *datos = d;
    return true;
}

void BaseDePrueba::SetUp()
{
    if (motor() == Motor::PostgreSQL && qEnvironmentVariable("VEXA_PG").isEmpty()) {
        if (pgObligatorio()) FAIL() << "VEXA_PG no está definido: PostgreSQL es obligatorio en esta corrida (CI / VEXA_EXIGIR_PG)";
        GTEST_SKIP() << "VEXA_PG no está definido";
    }
    QString error;
    ASSERT_TRUE(crearBaseTemporal(motor(), conDemo(), &datos_, &error)) << error.toStdString();
    creada_ = true;
    Conexion& c = Conexion::instancia();
    c.Cerrar();
    c.setDatos({datos_.server, datos_.dbName, datos_.usuario, datos_.password});
    ASSERT_TRUE(c.Abrir()) << c.ultimoError().toStdString();
}

void BaseDePrueba::TearDown()
{
    Conexion::instancia().Cerrar();
    if (creada_) {
        QString e;
        eliminarEmpresa(datos_, &e);
    }
}

std::unique_ptr<Conexion> BaseDePrueba::otraConexion() const
{
    auto c = std::make_unique<Conexion>();
    c->setDatos({datos_.server, datos_.dbName, datos_.usuario, datos_.password});
    if (!c->Abrir()) ADD_FAILURE() << c->ultimoError().toStdString();
    return c;
}

bool BaseDePrueba::empresaAnterior(Conexion& vieja, int version, bool conDemo, DatosConexion* d, QString* error)
{
    *d = datos_;
    d->dbName = motor() == Motor::SQLite ? datos_.dbName + QStringLiteral("-v%1.db").arg(version)
                                         : datos_.dbName + QStringLiteral("_v%1").arg(version);
    eliminarEmpresa(*d, error);
    vieja.setDatos({d->server, d->dbName, d->usuario, d->password});
    if (motor() == Motor::SQLite) {
        if (!vieja.crearBaseSQLite(d->dbName)) {
            *error = vieja.ultimoError();
            return false;
        }
    } else {
        try {
            // The test database's name was checked when it was made; the suffix is digits.
            Conexion::instancia().EjecutarSQL(QStringLiteral("CREATE DATABASE \"%1\"").arg(d->dbName));
        } catch (const ErrorBD& e) {
            *error = e.descripcion();
            return false;
        }
        if (!vieja.Abrir()) {
            *error = vieja.ultimoError();
            return false;
        }
    }
    try {
        EsquemaEmpresa(vieja).aplicarEsquema(conDemo, version);
    } catch (const ErrorBD& e) {
        *error = e.descripcion();
        return false;
    }
    return true;
}

std::string nombreMotor(const ::testing::TestParamInfo<Motor>& info)
{
    return info.param == Motor::SQLite ? "SQLite" : "PostgreSQL";
}

QString BaseDePrueba::ingresoEnAccesos(const QString& usuario, const QString& formulario, const QString& tarea,
                                      const QDateTime& ingreso)
{
    const QString maquina = plataforma::InfoSistema::NombreEquipo().trimmed().toUpper();
    con().EjecutarSQL(QStringLiteral("INSERT INTO CONTROL_ACCESO (USUARIO, MAQUINA, FORMULARIO, TAREA, INGRESO) VALUES (?, ?, ?, ?, ?)"),
                      {usuario, maquina, formulario, tarea, ingreso});
    return maquina;
}

CarpetaProgramas::CarpetaProgramas(std::initializer_list<const char*> programas)
{
    creada_ = dir_.isValid();
    for (const char* p : programas) {
        QFile a(dir_.filePath(QString::fromLatin1(p)));
        creada_ = a.open(QIODevice::WriteOnly) && creada_;
    }
    qputenv("VEXA_CARPETA_PROGRAMA", dir_.path().toUtf8());
}

CarpetaProgramas::~CarpetaProgramas() { qunsetenv("VEXA_CARPETA_PROGRAMA"); }

} // namespace vexa::prueba
