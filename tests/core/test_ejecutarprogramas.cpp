#include "EjecutarProgramas.h"

#include "Conexion.h"
#include "Dialogos.h"
#include "Entorno.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexa;
using plataforma::GuionDialogos;
using plataforma::LanzadorGuion;

namespace {

class Companeros : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(raiz.isValid());
        usarCarpeta(QStringLiteral("programa"));
        plataforma::instalarLanzador(&lanzador);
        Conexion& c = con_;
        c.setDatos({QStringLiteral("srv:5432"), QStringLiteral("EMPRESA"), QStringLiteral("sa"), QStringLiteral("clave")});
    }
    void TearDown() override
    {
        plataforma::instalarLanzador(nullptr);
        qunsetenv("VEXA_CARPETA_PROGRAMA");
    }
    // The connection whose details the companion programs get (not opened).
    const Conexion& con() const { return con_; }
    void usarCarpeta(const QString& nombre)
    {
        carpeta = raiz.filePath(nombre) + u'/';
        QDir().mkpath(carpeta);
        qputenv("VEXA_CARPETA_PROGRAMA", carpeta.toUtf8());
    }
    void crear(const QString& archivo)
    {
        QFile f(carpeta + archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
    // The whole command as a single text: program, a blank, the argument.
    QString comando(int i = 0) const
    {
        const auto& x = lanzador.iniciados.at(i);
        return x.programa + u' ' + x.argumentos.join(u' ');
    }

    QTemporaryDir raiz;
    QString carpeta;
    LanzadorGuion lanzador;
    Conexion con_;
};

TEST_F(Companeros, ReporteConSuLineaExacta)
{
    crear("RZ731R.EXE");
    GuionDialogos g;
    plataforma::mostrarAviso(EjecutarReporte(con(), "Rp_Mayor"));
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0].programa, carpeta + "RZ731R.EXE");
    EXPECT_EQ(lanzador.iniciados[0].argumentos.size(), 1); // one argument: nothing is split or quoted
    EXPECT_EQ(comando(), carpeta + "RZ731R.EXE @Menu=Rp_Mayor;@Server=srv:5432;@DbName=EMPRESA;@Usuario=sa;@Password=clave;qorn@;");
    EXPECT_TRUE(g.mostrados.isEmpty());

    // Parameters after "|" and a leading blank travel unchanged; an empty password keeps its field.
    con_.setDatos({con_.datos().server, con_.datos().dbName, con_.datos().usuario, QString()});
    plataforma::mostrarAviso(EjecutarReporte(con(), " IndicesDeAjuste|2003"));
    EXPECT_EQ(lanzador.iniciados[1].argumentos[0], "@Menu= IndicesDeAjuste|2003;@Server=srv:5432;@DbName=EMPRESA;@Usuario=sa;@Password=;qorn@;");
}

TEST_F(Companeros, FormularioYNombresEnBlanco)
{
    crear("rz731cf.exe"); // found without regard to letter case
    GuionDialogos g;
    plataforma::mostrarAviso(EjecutarFormulario(con(), "   "));
    plataforma::mostrarAviso(EjecutarReporte(con(), ""));
    EXPECT_TRUE(lanzador.iniciados.isEmpty());
    EXPECT_TRUE(g.mostrados.isEmpty());
    plataforma::mostrarAviso(EjecutarFormulario(con(), "FrmTA_Interface"));
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(comando(), carpeta + "rz731cf.exe @Menu=FrmTA_Interface;@Server=srv:5432;@DbName=EMPRESA;@Usuario=sa;@Password=clave;qorn@;");
}

TEST_F(Companeros, EjecutorQueFaltaORechazado)
{
    GuionDialogos g;
    plataforma::mostrarAviso(EjecutarReporte(con(), "Rp_Mayor"));
    plataforma::mostrarAviso(EjecutarFormulario(con(), "frmAnulPlanilla"));
    EXPECT_TRUE(lanzador.iniciados.isEmpty());
    ASSERT_EQ(g.mostrados.size(), 2);
    EXPECT_EQ(g.mostrados[0].texto, "Error de integridad en los Archivos del sistema (RZ731R), copie este mensaje y comuniquese con su proveedor de software");
    EXPECT_EQ(g.mostrados[1].texto, "Error de integridad en los Archivos del sistema (RZ731CF), copie este mensaje y comuniquese con su proveedor de software");
    EXPECT_EQ(g.mostrados[0].estilo, plataforma::vbCritical);
    EXPECT_EQ(g.mostrados[0].titulo, "Aviso al operador");

    // A refused start is told, not swallowed.
    crear("RZ731R.EXE");
    lanzador.aceptar = false;
    plataforma::mostrarAviso(EjecutarReporte(con(), "Rp_Mayor"));
    ASSERT_EQ(g.mostrados.size(), 3);
    EXPECT_TRUE(g.mostrados[2].texto.startsWith("No se pudo iniciar el programa " + carpeta + "RZ731R.EXE"));
}

TEST_F(Companeros, CarpetaConBlancoVaEntreComillasEnElComando)
{
    EXPECT_EQ(comandoEjecutor("/opt/mi vexa/RZ731R.EXE", "@Menu=x;"), "\"/opt/mi vexa/RZ731R.EXE\" @Menu=x;");
    EXPECT_EQ(comandoEjecutor("/opt/vexa/RZ731R.EXE", "@Menu=x;"), "/opt/vexa/RZ731R.EXE @Menu=x;");
    usarCarpeta("mi vexa");
    crear("RZ731R.EXE");
    plataforma::mostrarAviso(EjecutarReporte(con(), "Rp_Mayor"));
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0].programa, carpeta + "RZ731R.EXE"); // started directly: no quoting needed
}

TEST_F(Companeros, ProgramaDeMantenimiento)
{
    crear("MA_CUENTAS");
    crear("MV_Cancelacion");
    GuionDialogos g;
    qint64 tarea = 0;
    plataforma::mostrarAviso(EjecutarPrograma(con(), "shell:MA_CUENTAS", "MA_CUENTASADIC", tarea));
    EXPECT_NE(tarea, 0);
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(comando(), carpeta + "MA_CUENTAS ; @server=srv:5432; @dbname=EMPRESA; @usuario=sa; @Password=clave; "
                                   "@ParametroAdicional=MA_CUENTASADIC; qorn@ ;");

    plataforma::mostrarAviso(EjecutarPrograma(con(), "shell:ma_cuentas", "", tarea)); // the same program, any case
    plataforma::mostrarAviso(EjecutarPrograma(con(), "SHELL:MV_Cancelacion", "", tarea));
    ASSERT_EQ(lanzador.iniciados.size(), 3);
    EXPECT_EQ(lanzador.iniciados[1].programa, carpeta + "MA_CUENTAS");
    EXPECT_EQ(lanzador.iniciados[1].argumentos[0], "; @server=srv:5432; @dbname=EMPRESA; @usuario=sa; @Password=clave; @ParametroAdicional=; qorn@ ;");
    EXPECT_EQ(lanzador.iniciados[2].programa, carpeta + "MV_Cancelacion");
    EXPECT_TRUE(g.mostrados.isEmpty());
}

TEST_F(Companeros, ProgramaQueNoArrancaSeInforma)
{
    GuionDialogos g;
    qint64 tarea = 99;
    plataforma::mostrarAviso(EjecutarPrograma(con(), "Shell:RZ_CONFIG", "", tarea)); // not installed
    plataforma::mostrarAviso(EjecutarPrograma(con(), "shell", "", tarea));           // shorter than seven characters
    crear("MA_CUENTAS");
    lanzador.aceptar = false;
    plataforma::mostrarAviso(EjecutarPrograma(con(), "shell:MA_CUENTAS", "", tarea));
    EXPECT_EQ(tarea, 0);
    ASSERT_EQ(g.mostrados.size(), 3);
    for (const auto& m : g.mostrados) {
        EXPECT_EQ(m.texto, "Opcion no Implementada!\nComuniquese con su proveedor de sistemas");
        EXPECT_EQ(m.titulo, "Atención");
        EXPECT_EQ(m.estilo, plataforma::vbCritical);
    }
}

} // namespace
