// The SQLite company file as the program meets it when it starts from its
// command line: files it cannot use are refused with a message that names the
// file and the cause and are left as they were found; a damaged file receives
// nothing.
#include "BaseDePrueba.h"

#include "ArchivoIni.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "FrmInterface.h"
#include "MenuPrincipal.h"
#include "frmMDI.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace vexa;
using plataforma::GuionDialogos;

namespace {

// While it lives, this thread loses the capabilities that let root read and
// write any file, so that a file or folder without write permission refuses
// root as it refuses any user. Nothing changes for another user.
class SinPermisosDeAdministrador {
public:
    SinPermisosDeAdministrador()
    {
        if (::geteuid() != 0) return;
        if (::syscall(SYS_capget, &cabecera_, previos_) != 0) return;
        __user_cap_data_struct nuevos[2] = {previos_[0], previos_[1]};
        nuevos[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        activo_ = ::syscall(SYS_capset, &cabecera_, nuevos) == 0;
    }
    ~SinPermisosDeAdministrador()
    {
        if (activo_) ::syscall(SYS_capset, &cabecera_, previos_);
    }

private:
    __user_cap_header_struct cabecera_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct previos_[2]{};
    bool activo_ = false;
};

QByteArray bytesDe(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList archivosDe(const QString& carpeta)
{
    return QDir(carpeta).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

class ArchivoAlArrancar : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        plataforma::instalarLanzador(&lanzador);
        recepcion::registrarVentanasRecepcion();
        con().Cerrar(); // the program opens the database itself, from its command line
    }
    void TearDown() override
    {
        plataforma::instalarLanzador(nullptr);
        QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
        BaseDePrueba::TearDown();
    }
    void linea(const QString& archivo)
    {
        inicio.lineaComandos = QStringLiteral("/NoMostrarSlash;@Server=;@DbName=%1;@Usuario=;@Password=;ADMIN").arg(archivo);
    }
    plataforma::LanzadorGuion lanzador;
    EstadoInicio inicio; // what main hands the main window
};

// A file the program cannot work on is refused at start-up: the message names
// the file and the cause (the engine's text, when it has one, on the next
// line), and the file and its folder are left exactly as they were.
TEST_P(ArchivoAlArrancar, ArchivoQueNoSePuedeUsarSeRechazaYQuedaComoEstaba)
{
    enum class Danio { Cortado, Encabezado, SoloLectura, CarpetaSoloLectura, Vacio };
    struct Caso {
        const char* nombre;
        Danio danio;
        QString primeraLinea; // %1: the file, %2: its folder
        const char* motor;    // the engine's text on the line after ("" when none)
    };
    const Caso casos[] = {
        {"cortado", Danio::Cortado, "El archivo de la empresa %1 está dañado o incompleto", "database disk image is malformed"},
        {"encabezado", Danio::Encabezado,
         "El archivo %1 no es una base de datos de la empresa o su encabezado está dañado", "file is not a database"},
        {"solo lectura", Danio::SoloLectura, "El archivo de la empresa %1 es de solo lectura", ""},
        {"carpeta de solo lectura", Danio::CarpetaSoloLectura, "La carpeta %2 de la empresa %1 es de solo lectura", ""},
        {"vacío", Danio::Vacio, "La base de datos %1 no contiene una empresa", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        QTemporaryDir dir;
        const QString carpeta = dir.filePath("empresa");
        ASSERT_TRUE(QDir().mkpath(carpeta));
        const QString archivo = carpeta + "/empresa.db";
        ASSERT_TRUE(QFile::copy(datos().dbName, archivo)); // no connection has it open
        {
            QFile f(archivo);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            if (c.danio == Danio::Cortado) f.resize(f.size() / 2 + 100);
            if (c.danio == Danio::Encabezado) f.write(QByteArray(16, 'X'));
            if (c.danio == Danio::Vacio) f.resize(0);
        }
        if (c.danio == Danio::SoloLectura) QFile::setPermissions(archivo, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        if (c.danio == Danio::CarpetaSoloLectura)
            QFile::setPermissions(carpeta, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        const QByteArray antes = bytesDe(archivo);
        const QStringList archivosAntes = archivosDe(carpeta);

        linea(archivo);
        GuionDialogos g;
        bool arrancado;
        {
            SinPermisosDeAdministrador sinPermisos;
            frmMDI w(inicio);
            arrancado = w.MDIForm_Load();
        }
        EXPECT_FALSE(arrancado);
        EXPECT_FALSE(con().Conectado());
        ASSERT_EQ(g.mostrados.size(), 1);
        const QStringList lineas = g.mostrados[0].texto.split('\n');
        ASSERT_GE(lineas.size(), 2);
        EXPECT_EQ(lineas[0], "No se pudo conectar con la base de datos.");
        const QString esperada = QString(c.primeraLinea)
                                     .replace("%1", QDir::toNativeSeparators(archivo))
                                     .replace("%2", QDir::toNativeSeparators(carpeta));
        EXPECT_TRUE(lineas[1].startsWith(esperada)) << lineas[1].toStdString();
        if (*c.motor) {
            ASSERT_GE(lineas.size(), 3);
            EXPECT_EQ(lineas[2], QString::fromUtf8(c.motor));
        }
        EXPECT_TRUE(bytesDe(archivo) == antes);
        EXPECT_EQ(archivosDe(carpeta), archivosAntes); // no -wal, -shm or -journal left behind
        QFile::setPermissions(carpeta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// A file damaged deep inside (its first page sound) opens, and the program
// starts; the file's check runs meanwhile, and the reception the operator
// starts is refused with the message that names the file and says what to do:
// not one voucher is written.
TEST_P(ArchivoAlArrancar, ArchivoDaniadoNoRecibeComprobantes)
{
    {
        // A table that neither the start-up nor the reception reads.
        Conexion c;
        ASSERT_TRUE(c.Abrir(datos()));
        const qint64 pagina = c.Escalar("SELECT rootpage FROM sqlite_master WHERE name = 'TA_PAISES'").toLongLong();
        const qint64 tamanio = c.Escalar("PRAGMA page_size").toLongLong();
        c.Cerrar();
        QFile f(datos().dbName);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek((pagina - 1) * tamanio));
        f.write(QByteArray(16, '\xff'));
    }
    const QByteArray antes = bytesDe(datos().dbName);
    linea(datos().dbName);
    GuionDialogos g;
    g.respuestaPorDefecto = plataforma::vbOK;
    {
        frmMDI w(inicio);
        ASSERT_TRUE(w.MDIForm_Load());
        w.show();
        auto* menu = ControladorMenu::de(w);
        ASSERT_TRUE(menu);
        menu->item("MnuAsientosInterfaz")->trigger();
        auto* rec = qobject_cast<recepcion::FrmInterface*>(menu->servicios().ventanaAbierta("FrmInterface"));
        if (rec) {
            rec->TxtFields[0]->setText("VENTAS");
            rec->Campo_Valida(0);
            rec->TxtFields[1]->setText(QStringLiteral(VEXA_CARPETA_EJEMPLOS "/recepcion/ventas.txt"));
            rec->UtilTeb1_ButtonClick("GRABAR");
        }
        const QString primera = QStringLiteral("El archivo de la empresa %1 está dañado y no se puede seguir trabajando con él: "
                                               "restaure la última copia de seguridad")
                                    .arg(QDir::toNativeSeparators(datos().dbName));
        bool avisado = false;
        for (const auto& m : g.mostrados) avisado = avisado || m.texto.contains(primera);
        EXPECT_TRUE(avisado) << g.textosMostrados().join("\n---\n").toStdString();
        EXPECT_TRUE(con().archivoDaniado());
        con().Cerrar();
    }
    EXPECT_TRUE(bytesDe(datos().dbName) == antes);
}

INSTANTIATE_TEST_SUITE_P(Motores, ArchivoAlArrancar, ::testing::Values(Motor::SQLite), prueba::nombreMotor);

} // namespace
