#include "ArchivoSQLite.h"

#include "MotorBD.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexa::archivo_sqlite {

namespace {

QString nombre(const QString& archivo) { return QDir::toNativeSeparators(QFileInfo(archivo).absoluteFilePath()); }
QString carpeta(const QString& archivo) { return QDir::toNativeSeparators(QFileInfo(archivo).absolutePath()); }

// Permissions as they apply to this process (effective ids and capabilities).
bool permite(const QString& ruta, int modo)
{
    const QByteArray r = QFile::encodeName(ruta);
    return ::faccessat(AT_FDCWD, r.constData(), modo, AT_EACCESS) == 0;
}

QString mensajeSoloLecturaArchivo(const QString& archivo)
{
    return QStringLiteral("El archivo de la empresa %1 es de solo lectura y el programa necesita escribir en él: "
                          "pida permiso de escritura sobre el archivo (o quítele la marca de solo lectura).")
        .arg(nombre(archivo));
}

QString mensajeSoloLecturaCarpeta(const QString& archivo)
{
    const QString base = QFileInfo(archivo).fileName();
    return QStringLiteral("La carpeta %1 de la empresa %2 es de solo lectura y el programa necesita crear en ella "
                          "los archivos de trabajo de la base de datos (%3-wal y %3-shm): pida permiso de escritura "
                          "sobre la carpeta o copie la empresa a una carpeta donde pueda escribir.")
        .arg(carpeta(archivo), nombre(archivo), base);
}

struct Clave {
    dev_t dispositivo;
    ino_t nodo;
};

bool claveDe(const QString& ruta, Clave* c)
{
    struct stat st;
    const QByteArray r = QFile::encodeName(ruta);
    if (::stat(r.constData(), &st) != 0) return false;
    *c = {st.st_dev, st.st_ino};
    return true;
}

std::mutex g_mutex;
std::map<quint64, Clave>& abiertos()
{
    static std::map<quint64, Clave> m; // registration -> the file it holds open
    return m;
}
quint64 g_ultimo = 0;

} // namespace

QString comprobarAntesDeAbrir(const QString& archivo)
{
    if (!permite(archivo, R_OK))
        return QStringLiteral("No se puede leer el archivo de la empresa %1: permiso denegado.").arg(nombre(archivo));
    if (!permite(archivo, W_OK)) return mensajeSoloLecturaArchivo(archivo);
    if (!permite(QFileInfo(archivo).absolutePath(), W_OK | X_OK)) return mensajeSoloLecturaCarpeta(archivo);
    return QString();
}

QString mensajeDaniado(const QString& archivo)
{
    return QStringLiteral("El archivo de la empresa %1 está dañado y no se puede seguir trabajando con él: restaure la "
                          "última copia de seguridad de la empresa o pida a soporte técnico que repare el archivo antes "
                          "de volver a usarlo.")
        .arg(nombre(archivo));
}

bool esCodigoDeArchivoDaniado(int codigo)
{
    const int primario = codigo & 0xff;
    return primario == SQLITE_CORRUPT || primario == SQLITE_NOTADB;
}

QString mensajeAlAbrir(const QString& archivo, int codigo, const QString& textoMotor)
{
    QString primera;
    switch (codigo & 0xff) {
    case SQLITE_NOTADB:
        primera = QStringLiteral("El archivo %1 no es una base de datos de la empresa o su encabezado está dañado: "
                                 "verifique que es el archivo de la empresa y, si lo es, restaure la última copia de "
                                 "seguridad.")
                      .arg(nombre(archivo));
        break;
    case SQLITE_CORRUPT:
        primera = QStringLiteral("El archivo de la empresa %1 está dañado o incompleto (por ejemplo, cortado por una "
                                 "copia que no terminó): restaure la última copia de seguridad de la empresa o pida a "
                                 "soporte técnico que repare el archivo.")
                      .arg(nombre(archivo));
        break;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        // The permissions may have changed since they were checked: say which one stops it now.
        if (!permite(archivo, W_OK)) primera = mensajeSoloLecturaArchivo(archivo);
        else if (!permite(QFileInfo(archivo).absolutePath(), W_OK | X_OK)) primera = mensajeSoloLecturaCarpeta(archivo);
        else if ((codigo & 0xff) == SQLITE_READONLY)
            primera = QStringLiteral("El archivo de la empresa %1 quedó abierto solo para lectura: el programa necesita "
                                     "escribir en él y en su carpeta.")
                          .arg(nombre(archivo));
        else
            primera = QStringLiteral("No se pudo abrir el archivo de la empresa %1.").arg(nombre(archivo));
        break;
    case SQLITE_IOERR:
        primera = QStringLiteral("Error de lectura o escritura del disco al abrir el archivo de la empresa %1: revise el "
                                 "disco o la unidad de red donde está.")
                      .arg(nombre(archivo));
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        primera = QStringLiteral("Otro programa tiene bloqueado el archivo de la empresa %1 y no lo liberó a tiempo: "
                                 "espere a que termine o ciérrelo, y vuelva a abrir la empresa.")
                      .arg(nombre(archivo));
        break;
    case SQLITE_FULL:
        primera = QStringLiteral("El disco donde está el archivo de la empresa %1 está lleno: libere espacio y vuelva a "
                                 "abrirla.")
                      .arg(nombre(archivo));
        break;
    default:
        primera = QStringLiteral("No se pudo abrir el archivo de la empresa %1.").arg(nombre(archivo));
        break;
    }
    const QString motor = textoMotor.trimmed();
    return motor.isEmpty() ? primera : primera + u'\n' + motor;
}

RevisionIntegridad::RevisionIntegridad(const QString& archivo) : archivo_(archivo)
{
    hilo_ = std::thread([this] { correr(); });
}

RevisionIntegridad::~RevisionIntegridad()
{
    {
        std::lock_guard<std::mutex> g(m_);
        detener_ = true;
        if (bd_) sqlite3_interrupt(bd_);
    }
    if (hilo_.joinable()) hilo_.join();
}

QString RevisionIntegridad::resultado()
{
    std::unique_lock<std::mutex> g(m_);
    fin_.wait(g, [this] { return terminada_; });
    return resultado_;
}

void RevisionIntegridad::correr()
{
    QStringList hallado;
    int problemas = 0;
    QString errorMotor;
    sqlite3* bd = nullptr;
    const QByteArray ruta = QFile::encodeName(archivo_);
    if (sqlite3_open_v2(ruta.constData(), &bd, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        motor_sqlite::registrarColacion(bd);
        sqlite3_busy_timeout(bd, 60000);
        bool seguir;
        {
            std::lock_guard<std::mutex> g(m_);
            bd_ = bd;
            seguir = !detener_;
        }
        sqlite3_stmt* st = nullptr;
        if (seguir && sqlite3_prepare_v2(bd, "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK) {
            int r;
            while ((r = sqlite3_step(st)) == SQLITE_ROW) {
                const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
                const QString linea = QString::fromUtf8(t ? t : "").trimmed();
                if (linea.compare(QLatin1String("ok"), Qt::CaseInsensitive) == 0) continue;
                if (++problemas <= 5) hallado << linea;
            }
            if (r != SQLITE_DONE && esCodigoDeArchivoDaniado(sqlite3_extended_errcode(bd)))
                errorMotor = QString::fromUtf8(sqlite3_errmsg(bd));
        } else if (esCodigoDeArchivoDaniado(sqlite3_extended_errcode(bd))) {
            errorMotor = QString::fromUtf8(sqlite3_errmsg(bd));
        }
        sqlite3_finalize(st);
        std::lock_guard<std::mutex> g(m_);
        bd_ = nullptr;
    }
    sqlite3_close(bd);
    QString mensaje;
    if (!errorMotor.isEmpty()) {
        mensaje = mensajeDaniado(archivo_) + u'\n' + errorMotor;
    } else if (problemas > 0) {
        if (problemas > hallado.size()) hallado << QStringLiteral("(y %1 problemas más)").arg(problemas - hallado.size());
        mensaje = mensajeDaniado(archivo_) + u'\n' + hallado.join(u'\n');
    }
    std::lock_guard<std::mutex> g(m_);
    resultado_ = mensaje;
    terminada_ = true;
    fin_.notify_all();
}

quint64 registrarAbierto(const QString& archivo)
{
    Clave c;
    if (!claveDe(archivo, &c)) return 0;
    std::lock_guard<std::mutex> g(g_mutex);
    abiertos()[++g_ultimo] = c;
    return g_ultimo;
}

void olvidarAbierto(quint64 registro)
{
    std::lock_guard<std::mutex> g(g_mutex);
    abiertos().erase(registro);
}

bool esArchivoDeBaseAbierta(const QString& ruta)
{
    const QString r = ruta.trimmed();
    if (r.isEmpty()) return false;
    QStringList candidatos{r};
    for (const QString& sufijo : {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        if (r.endsWith(sufijo)) candidatos << r.left(r.size() - sufijo.size());
    std::lock_guard<std::mutex> g(g_mutex);
    if (abiertos().empty()) return false;
    for (const QString& c : candidatos) {
        Clave k;
        if (!claveDe(c, &k)) continue;
        for (const auto& [registro, abierto] : abiertos())
            if (abierto.dispositivo == k.dispositivo && abierto.nodo == k.nodo) return true;
    }
    return false;
}

} // namespace vexa::archivo_sqlite
