#include "BaseDePrueba.h"

#include "ArchivoIni.h"
#include "CNStuffContable.h"
#include "CfgVentanas.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "EstadoGlobal.h"
#include "ListaConsulta.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace vexa;
using plataforma::GuionDialogos;

namespace {

class ConfiguracionBD : public prueba::BaseDePrueba {
protected:
    void poner(const QString& clave, const QVariant& valor)
    {
        con().Eliminar("TA_CONFIGURACION", "CLAVE = ?", {clave});
        con().Insertar("TA_CONFIGURACION", {{"CLAVE", clave}, {"VALOR", valor}});
    }
    QString linea(const QString& usuario = QStringLiteral("JUAN")) const
    {
        return QStringLiteral("/NoMostrarSlash;@Server=%1;@DbName=%2;@Usuario=%3;@Password=%4;%5")
            .arg(datos().server, datos().dbName, datos().usuario, datos().password, usuario);
    }
    // Connects as the main window does: the notice of a failed connection is shown.
    bool conectar()
    {
        plataforma::AvisoOperador aviso;
        const bool ok = ConectarBaseDatos(inicio, aviso);
        plataforma::mostrarAviso(aviso);
        return ok;
    }
    EstadoInicio inicio; // what main hands the main window
};

TEST_P(ConfiguracionBD, CfgSinFilaConNuloYConBlancos)
{
    ContextoEmpresa ctx(con());
    poner("NOMBRE", "Empresa Uno");
    poner("VACIO", QVariant());
    EXPECT_EQ(Cfg(ctx, "NO_EXISTE"), " ");            // no row: one blank
    EXPECT_EQ(Cfg(ctx, "VACIO"), "");                 // null value
    EXPECT_EQ(Cfg(ctx, "  Nombre  "), "Empresa Uno");  // trimmed key, any case
    EXPECT_EQ(ctx.configuracion().ObtieneValor("nombre"), "Empresa Uno");
    EXPECT_EQ(Cfg(ctx, "O'Brien"), " ");              // a quote in the key is just data
}

TEST_P(ConfiguracionBD, CfgTrasUnErrorObedeceLaRespuesta)
{
    ContextoEmpresa ctx(con());
    con().EjecutarSQL("DROP TABLE TA_CONFIGURACION");
    {
        GuionDialogos g;
        g.respuestas << plataforma::vbAbort;
        EXPECT_EQ(Cfg(ctx, "PERIODO"), "");
        EXPECT_EQ(g.mostrados.size(), 1);
    }
    {
        GuionDialogos g;
        g.respuestas << plataforma::vbRetry << plataforma::vbIgnore;
        EXPECT_EQ(Cfg(ctx, "PERIODO"), " "); // retried once, then went on as with no row
        EXPECT_EQ(g.mostrados.size(), 2);
    }
}

TEST_P(ConfiguracionBD, IniContableLeeBanderaYPeriodo)
{
    const std::pair<const char*, bool> casos[] = {{"SI", true}, {"si", true}, {"S", false}, {"YES", false}, {"NO", false}};
    poner("PERIODO", " 7 ");
    ContextoEmpresa ctx(con());
    for (const auto& [valor, esperado] : casos) {
        poner("ESCRIBE_SOLO_MAYUSCULAS", valor);
        ctx.soloMayusculas = !esperado;
        IniContable(ctx);
        EXPECT_EQ(ctx.soloMayusculas, esperado) << valor;
    }
    EXPECT_EQ(ctx.periodoActivo(), "7");
    EXPECT_EQ(ctx.periodo(), 7);
}

TEST_P(ConfiguracionBD, EstructuraDeCodigoDeCuentas)
{
    const char* niveles[] = {"Capitulo", "SubCapitulo", "Rubro", "SubRubro", "Cuenta", "SubCuenta"};
    const char* valores[] = {"1", "1", "2", "2", "3", "4"};
    for (int i = 0; i < 6; ++i) poner(QStringLiteral("Digitos_") + niveles[i], valores[i]);
    ContextoEmpresa ctx(con());
    const EstructuraCuentas& e = ctx.cuentas;
    LeerDigitosCuentas(ctx);
    EXPECT_EQ(e.digitos, (std::array<qint16, 6>{1, 1, 2, 2, 3, 4}));
    EXPECT_EQ(e.digitosTotal, 13);
    EXPECT_EQ(ctx.configuracion().DigitosNivel, (std::array<int, 7>{1, 1, 2, 2, 3, 4, 13}));
    CalcularPosicionesCuentas(ctx); // read as "DIGITOS_..." : the same rows
    EXPECT_EQ(e.fin, (std::array<qint16, 6>{1, 2, 4, 6, 9, 13}));
    EXPECT_EQ(e.largoCodigo, 13);
    EXPECT_EQ(ctx.configuracion().PosicionNivel, (std::array<int, 7>{1, 2, 4, 6, 9, 13, 13}));

    // An empty level counts 0 digits and ends where the level before ends; "2x" reads 2.
    poner("Digitos_Rubro", "");
    poner("Digitos_Cuenta", "2x");
    CargarValoresContables(ctx);
    EXPECT_EQ(e.digitos[2], 0);
    EXPECT_EQ(e.digitosTotal, 10);
    EXPECT_EQ(e.fin[2], e.fin[1]);
    EXPECT_EQ(e.largoCodigo, 10);

    // Beyond the 16-bit range is an overflow, not a wrapped count.
    poner("Digitos_SubCuenta", "32767");
    try {
        LeerDigitosCuentas(ctx);
        FAIL() << "debió desbordar";
    } catch (const ErrorVexa& e) {
        EXPECT_EQ(e.numero(), 6);
    }
}

TEST_P(ConfiguracionBD, ConectaDesdeLaLineaDeComandosYLaSegundaVezSoloRefresca)
{
    poner("PERIODO", "3");
    poner("ESCRIBE_SOLO_MAYUSCULAS", "si");
    con().Cerrar();
    con().setDatos({});
    inicio.lineaComandos = linea();
    GuionDialogos g;
    ASSERT_TRUE(conectar());
    EXPECT_TRUE(con().Conectado());
    EXPECT_EQ(con().datos().dbName, datos().dbName);
    EXPECT_EQ(con().tiempoEspera(), 360);
    EXPECT_EQ(inicio.cadenaDSN, QStringLiteral("DSN=%1; UID=%2; PWD=%3").arg(datos().dbName, datos().usuario, datos().password));
    ContextoEmpresa ctx(con());
    IniContable(ctx);
    EXPECT_EQ(ctx.periodoActivo(), "3");
    EXPECT_TRUE(ctx.soloMayusculas);
    EXPECT_TRUE(g.mostrados.isEmpty());

    // Connected already: the command line is not read again, what derives from the connection is.
    inicio.lineaComandos = QStringLiteral("x;@DbName=/no/existe.db;@Server=;JUAN");
    poner("PERIODO", "4");
    ASSERT_TRUE(conectar());
    EXPECT_EQ(con().datos().dbName, datos().dbName);
    EXPECT_TRUE(inicio.cadenaDSN.startsWith("DSN=" + datos().dbName + ";"));
}

TEST_P(ConfiguracionBD, SinConexionLoDiceYNoSigue)
{
    con().Cerrar();
    inicio.lineaComandos = motor() == Motor::SQLite
                                ? QStringLiteral("x;@Server=;@DbName=/no/existe/empresa.db;@Usuario=;@Password=;JUAN")
                                : linea().replace("@DbName=" + datos().dbName, "@DbName=vexa_no_existe");
    GuionDialogos g;
    EXPECT_FALSE(conectar());
    EXPECT_FALSE(con().Conectado());
    ASSERT_EQ(g.mostrados.size(), 1);
    EXPECT_EQ(g.mostrados[0].titulo, "Aviso al operador");
    EXPECT_EQ(g.mostrados[0].estilo, plataforma::vbCritical);
    EXPECT_TRUE(g.mostrados[0].texto.startsWith("No se pudo conectar con la base de datos."));
}

// A database that holds no company (an empty file, another database) is one
// message and no connection.
TEST_P(ConfiguracionBD, BaseSinEmpresaLoDiceYNoSigue)
{
    con().Cerrar();
    const QString vacio = QDir::tempPath() + QStringLiteral("/vexa-sin-empresa-%1.db").arg(QCoreApplication::applicationPid());
    if (motor() == Motor::SQLite) {
        QFile f(vacio);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)); // 0 bytes
        inicio.lineaComandos = QStringLiteral("x;@Server=;@DbName=%1;@Usuario=;@Password=;JUAN").arg(vacio);
    } else {
        inicio.lineaComandos = linea().replace("@DbName=" + datos().dbName, "@DbName=postgres");
    }
    GuionDialogos g;
    EXPECT_FALSE(conectar());
    EXPECT_FALSE(con().Conectado());
    ASSERT_EQ(g.mostrados.size(), 1);
    EXPECT_EQ(g.mostrados[0].estilo, plataforma::vbCritical);
    EXPECT_TRUE(g.mostrados[0].texto.contains("no contiene una empresa")) << g.mostrados[0].texto.toStdString();
    QFile::remove(vacio);
}

TEST_P(ConfiguracionBD, BarrasPlanasSegunFlatToolbars)
{
    QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
    inicio.lineaComandos = linea();
    ASSERT_TRUE(conectar());
    EXPECT_TRUE(inicio.barrasPlanas); // no settings file: flat
    EXPECT_EQ(inicio.seccionConexion, seccionDeEquipo());
    const std::pair<const char*, bool> casos[] = {{"0", false}, {"2", true}, {"-1", true}, {"abc", false}, {"1", true}};
    for (const auto& [valor, plana] : casos) {
        ArchivoIni::GrabarIni(ArchivoIniPrograma, inicio.seccionConexion, "FlatToolbars", valor);
        ASSERT_TRUE(conectar());
        EXPECT_EQ(inicio.barrasPlanas, plana) << valor;
    }
    QFile::remove(ArchivoIni::ruta(ArchivoIniPrograma));
}

TEST_P(ConfiguracionBD, SeleccionaCuentaDevuelveLaElegidaONada)
{
    con().Insertar("MA_CUENTAS", {{"CODIGO", "1101"}, {"DESCRIPCION", "Caja"}, {"TITULO", 0}});
    plataforma::ListaConsultaGuion lista;
    plataforma::instalarListaConsulta(&lista);
    Configuracion cfg(&con());
    lista.respuestas.enqueue("1101 ");
    EXPECT_EQ(cfg.SeleccionaCuenta(), std::optional<QString>(QStringLiteral("1101")));
    EXPECT_EQ(cfg.SeleccionaCuenta(), std::nullopt); // closed without a choice
    plataforma::instalarListaConsulta(nullptr);
    ASSERT_EQ(lista.pedidos.size(), 2);
    EXPECT_EQ(lista.pedidos[0].titulo, Configuracion::TituloSeleccionaCuenta());
    EXPECT_EQ(lista.pedidos[0].columnaClave, "CODIGO");
    // The list's query runs on this backend and shows the account.
    auto filas = con().ObtenerRecordset(lista.pedidos[0].sql).todas();
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0].texto("DESCRIPCION"), "Caja");
}

VEXA_AMBOS_MOTORES(ConfiguracionBD);

} // namespace
