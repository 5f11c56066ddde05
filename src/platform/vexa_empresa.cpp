// vexa-empresa: creates a company database with the schema and, optionally, the demo data.
//   vexa-empresa --archivo demo.db [--demo] [--reemplazar]
//   vexa-empresa --server host:port --dbname NOMBRE --usuario U --password P [--demo] [--reemplazar]
#include "Esquema.h"
#include "Conexion.h"
#include "Empresa.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Crea la base de datos de una empresa"));
    p.addHelpOption();
    p.addOption({QStringLiteral("archivo"), QStringLiteral("Archivo SQLite"), QStringLiteral("archivo")});
    p.addOption({QStringLiteral("server"), QStringLiteral("Servidor PostgreSQL host[:puerto]"), QStringLiteral("server")});
    p.addOption({QStringLiteral("dbname"), QStringLiteral("Base de datos PostgreSQL"), QStringLiteral("dbname")});
    p.addOption({QStringLiteral("usuario"), QStringLiteral("Usuario"), QStringLiteral("usuario")});
    p.addOption({QStringLiteral("password"), QStringLiteral("Contraseña"), QStringLiteral("password")});
    p.addOption({QStringLiteral("demo"), QStringLiteral("Carga la empresa de demostración")});
    p.addOption({QStringLiteral("reemplazar"), QStringLiteral("Reemplaza una base existente")});
    p.process(app);
    vexa::DatosConexion d;
    d.server = p.value(QStringLiteral("server"));
    d.dbName = d.server.isEmpty() ? p.value(QStringLiteral("archivo")) : p.value(QStringLiteral("dbname"));
    d.usuario = p.value(QStringLiteral("usuario"));
    d.password = p.value(QStringLiteral("password"));
    QTextStream err(stderr);
    if (d.dbName.isEmpty()) {
        err << "Falta --archivo o --dbname\n";
        return 2;
    }
    QString error;
    const bool demo = p.isSet(QStringLiteral("demo"));
    if (!vexa::crearEmpresa(d, demo, p.isSet(QStringLiteral("reemplazar")), &error, demo)) {
        err << "No se pudo crear la empresa: " << error << "\n";
        return 1;
    }
    QTextStream(stdout) << "Empresa creada: " << d.dbName << " (versión " << vexa::EsquemaEmpresa::versionEsquemaPrograma()
                        << " de la base de datos)\n";
    return 0;
}
