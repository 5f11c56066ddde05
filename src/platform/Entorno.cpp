#include "Entorno.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>

#include <algorithm>

#include <pwd.h>
#include <unistd.h>

namespace vexa::plataforma {

namespace {
QDateTime g_fijo;
Lanzador* g_lanzador = nullptr;

class LanzadorReal : public Lanzador {
public:
    bool iniciar(const QString& programa, const QStringList& argumentos, const QString& carpeta, QString* error) override
    {
        qint64 pid = 0;
        QProcess p;
        p.setProgram(programa);
        p.setArguments(argumentos);
        p.setWorkingDirectory(carpeta);
        bool ok = p.startDetached(&pid);
        if (!ok && error) *error = p.errorString();
        return ok;
    }
};

} // namespace

QDateTime ahora() { return g_fijo.isValid() ? g_fijo : QDateTime::currentDateTime(); }
QDate hoy() { return ahora().date(); }
void fijarAhora(const QDateTime& t) { g_fijo = t; }

Lanzador& lanzador()
{
    static LanzadorReal real;
    return g_lanzador ? *g_lanzador : real;
}
void instalarLanzador(Lanzador* l) { g_lanzador = l; }

bool LanzadorGuion::iniciar(const QString& programa, const QStringList& argumentos, const QString& carpeta, QString* error)
{
    iniciados.append({programa, argumentos, carpeta});
    if (!aceptar && error) *error = QStringLiteral("rechazado");
    return aceptar;
}

QString InfoSistema::NombreEquipo() { return QSysInfo::machineHostName(); }
QString InfoSistema::IdentidadSesion()
{
    if (const passwd* pw = getpwuid(geteuid())) return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString carpetaPrograma()
{
    QString c = qEnvironmentVariable("VEXA_CARPETA_PROGRAMA");
    if (c.isEmpty()) c = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (!c.endsWith(u'/')) c += u'/';
    return c;
}

QString carpetaUsuario()
{
    QString c = qEnvironmentVariable("VEXA_CONFIG_DIR");
    if (c.isEmpty()) c = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/vexa");
    QDir().mkpath(c);
    if (!c.endsWith(u'/')) c += u'/';
    return c;
}

} // namespace vexa::plataforma
