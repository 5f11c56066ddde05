#include "AjustesPrograma.h"
#include "ArchivoIni.h"
#include "DialogosQt.h"
#include "Entorno.h"
#include "EstadoGlobal.h"

#include <QFile>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vexa;

namespace {

class Ajustes : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma)); }
    void TearDown() override { QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma)); }
    void grabar(const QString& s, const QString& k, const QString& v) { ArchivoIni::GrabarIni(ArchivoIniPrograma, s, k, v); }
    QString leer(const QString& s, const QString& k) { return ArchivoIni::LeerIni(ArchivoIniPrograma, s, k, "<nada>"); }
};

TEST_F(Ajustes, InicioYSalidaSinArchivoYConArchivo)
{
    EstadoInicio inicio;
    inicio.editarConsulta = false;
    LeerIniInicio(inicio);
    EXPECT_EQ(inicio.archivoErrores, plataforma::carpetaUsuario() + "TbErr.Log");
    EXPECT_TRUE(inicio.editarConsulta);
    EXPECT_FALSE(QFile::exists(ArchivoIni::ruta(ArchivoIniPrograma))); // reading writes nothing

    grabar("INICIO", "ArchivoErrores", "/var/tmp/errores.log");
    grabar("Inicio", "EditarConsulta", "False");
    LeerIniInicio(inicio);
    EXPECT_EQ(inicio.archivoErrores, "/var/tmp/errores.log");
    EXPECT_FALSE(inicio.editarConsulta);
    GrabarIniSalida(inicio);
    EXPECT_EQ(leer("Inicio", "ArchivoErrores"), "/var/tmp/errores.log");
    EXPECT_EQ(leer("INICIO", "EditarConsulta"), "False");

    // A value that is not a Boolean leaves that step undone; the others still run.
    grabar("Inicio", "EditarConsulta", "tal vez");
    grabar("Inicio", "ArchivoErrores", "/var/tmp/otro.log");
    inicio.editarConsulta = true;
    LeerIniInicio(inicio);
    EXPECT_TRUE(inicio.editarConsulta);
    EXPECT_EQ(inicio.archivoErrores, "/var/tmp/otro.log");
}

TEST_F(Ajustes, EstiloDeFormulario)
{
    // The style travels on the main window.
    QWidget principal;
    plataforma::setVentanaPrincipal(&principal);
    QWidget w;
    auto* barra = new QToolBar(&w);
    barra->setObjectName("UtilTeb1");
    auto* boton = new QToolButton(barra);
    fijarBarrasPlanas(&principal, false);
    AplicarEstiloFormulario(&w);
    EXPECT_FALSE(w.windowIcon().isNull()); // the program's own icon
    EXPECT_FALSE(boton->autoRaise());
    EXPECT_EQ(barra->property("StyleBar").toBool(), false);
    fijarBarrasPlanas(&principal, true);
    AplicarEstiloFormulario(&w);
    EXPECT_TRUE(boton->autoRaise());
    plataforma::setVentanaPrincipal(nullptr);

    // An icon name with no resource leaves the window's own icon.
    grabar("Iconos", "IconoDelSistema", "NO_EXISTE");
    QWidget otra;
    AplicarEstiloFormulario(&otra);
    EXPECT_EQ(otra.windowIcon().cacheKey(), QWidget().windowIcon().cacheKey());
    AplicarEstiloFormulario(nullptr);
}

} // namespace
