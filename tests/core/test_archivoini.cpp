#include "ArchivoIni.h"
#include "Entorno.h"
#include "Errores.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexa;

namespace {

class ArchivoIniPrueba : public ::testing::Test {
protected:
    QString ruta(const QString& nombre = QStringLiteral("prueba.ini")) const { return dir.filePath(nombre); }
    QString contenido() const
    {
        QFile f(ruta());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    void escribir(const QByteArray& t) const
    {
        QFile f(ruta());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(t);
    }
    QTemporaryDir dir;
    ArchivoIni ini;
};

TEST_F(ArchivoIniPrueba, SinArchivoDaElValorPorDefecto)
{
    EXPECT_EQ(ini.LeerIni(ruta(), "Inicio", "HelpFile", "/opt/vexa/Manual.chm"), "/opt/vexa/Manual.chm");
    EXPECT_FALSE(QFile::exists(ruta())); // reading creates nothing
}

TEST_F(ArchivoIniPrueba, SeccionesYClavesSinDistinguirMayusculasYEscritasComoVienen)
{
    ASSERT_TRUE(ini.GrabarIni(ruta(), "EQUIPO1|JUAN", "VER BARRA DE STATUS", "False"));
    ASSERT_TRUE(ini.GrabarIni(ruta(), "Inicio", "ArchivoErrores", "/var/log/TbErr.Log"));
    ASSERT_TRUE(ini.GrabarIni(ruta(), "INICIO", "EditarConsulta", "True"));
    EXPECT_EQ(contenido(), "[EQUIPO1|JUAN]\nVER BARRA DE STATUS=False\n\n[Inicio]\nArchivoErrores=/var/log/TbErr.Log\nEditarConsulta=True\n");
    EXPECT_EQ(ini.LeerIni(ruta(), "equipo1|juan", "ver barra de status", "True"), "False");
    EXPECT_EQ(ini.LeerIni(ruta(), "inicio", "EDITARCONSULTA"), "True");
    EXPECT_EQ(ini.LeerIni(ruta(), "EQUIPO2|JUAN", "VER BARRA DE STATUS", "True"), "True"); // another machine keeps its own
    // Rewriting a key replaces its value in place and keeps the key's spelling.
    ASSERT_TRUE(ini.GrabarIni(ruta(), "equipo1|juan", "Ver Barra De Status", "True"));
    EXPECT_EQ(contenido(), "[EQUIPO1|JUAN]\nVER BARRA DE STATUS=True\n\n[Inicio]\nArchivoErrores=/var/log/TbErr.Log\nEditarConsulta=True\n");
}

TEST_F(ArchivoIniPrueba, ConservaComentariosYOtrasLineasDeUnArchivoAjeno)
{
    escribir("; hecho a mano\r\n[Iconos]\r\n IconoDelSistema = OTRO \r\n\r\n[Inicio]\r\nHelpFile=a=b.chm\r\n");
    EXPECT_EQ(ini.LeerIni(ruta(), "Iconos", "IconoDelSistema", "ICONTEB"), "OTRO");
    EXPECT_EQ(ini.LeerIni(ruta(), "Inicio", "HelpFile"), "a=b.chm"); // the value runs from the first "="
    EXPECT_EQ(ini.LeerIni(ruta(), "Inicio", "; hecho a mano", "x"), "x");
    ASSERT_TRUE(ini.GrabarIni(ruta(), "Iconos", "Nuevo", "1"));
    EXPECT_EQ(contenido(), "; hecho a mano\n[Iconos]\n IconoDelSistema = OTRO \nNuevo=1\n\n[Inicio]\nHelpFile=a=b.chm\n");
}

TEST_F(ArchivoIniPrueba, NombreSinCarpetaVaALaCarpetaDelUsuario)
{
    EXPECT_EQ(ArchivoIni::ruta("RZ731p.INI"), plataforma::carpetaUsuario() + "RZ731p.INI");
    EXPECT_EQ(ArchivoIni::ruta(ruta()), ruta());
}

TEST(TextoBooleano, Conversiones)
{
    EXPECT_EQ(textoBooleano(true), "True");
    EXPECT_EQ(textoBooleano(false), "False");
    const std::pair<const char*, bool> casos[] = {{"True", true}, {"true", true}, {" FALSE ", false}, {"0", false}, {"-1", true}, {"2", true}};
    for (const auto& [t, b] : casos) EXPECT_EQ(aBooleano(QString::fromUtf8(t)), b) << t;
    try {
        aBooleano("quizas");
        FAIL() << "debió fallar";
    } catch (const ErrorVexa& e) {
        EXPECT_EQ(e.numero(), 13);
    }
}

} // namespace
