#include "LineaComandos.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace vexa;

namespace {

struct CasoClave {
    const char* linea;
    const char* clave;
    const char* valor;
};

TEST(LineaComandos, ValorDeClave)
{
    const CasoClave casos[] = {
        {"x;@Server=srv;@DbName=db;", "@Server", "srv"},
        {"x;@SERVER=srv;@dbname=db;", "@Server", "srv"},          // key in any case
        {"x;@server=srv;@DBNAME=db;", "@DbName", "db"},
        {"x;@Server = srv ;", "@Server", "srv"},                   // blanks and "=" around the value
        {"x;@Password=a=b;", "@Password", "ab"},                   // every "=" goes, inside too
        {"x;@Password=;", "@Password", ""},                        // empty value
        {"x;@Server=uno;@Server=dos;", "@Server", "uno"},          // first occurrence wins
        {"x;@Password=q@Menu=m;@Menu=otro;", "@Menu", "m"},        // a key inside an earlier value is taken from there
        {"x;@Server=srv;@Password=abc", "@Password", ""},          // last key without ";"
        {"x;JUAN", "@Server", ""},                                 // no keys at all
        {"", "@DbName", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(valorClave(QString::fromUtf8(c.linea), QString::fromUtf8(c.clave)), QString::fromUtf8(c.valor))
            << c.linea << " / " << c.clave;
}

TEST(LineaComandos, SieteClavesEnSuOrden)
{
    const ClavesConexion k = cortarClaves(
        QStringLiteral("/NoMostrarSlash;@ParametroAdicional=PA;@Menu=M1;@Server=host:5432;@DbName=EMPRESA;"
                       "@Usuario=sa;@Password=s3cr;@Caja=C1;JUAN"));
    EXPECT_EQ(k.parametroAdicional, "PA");
    EXPECT_EQ(k.menu, "M1");
    EXPECT_EQ(k.server, "host:5432");
    EXPECT_EQ(k.dbName, "EMPRESA");
    EXPECT_EQ(k.usuario, "sa");
    EXPECT_EQ(k.password, "s3cr");
    EXPECT_EQ(k.caja, "C1");
    const ClavesConexion vacias = cortarClaves(QStringLiteral("x;JUAN"));
    EXPECT_TRUE(vacias.server.isEmpty() && vacias.dbName.isEmpty() && vacias.usuario.isEmpty() && vacias.password.isEmpty());
}

TEST(LineaComandos, CodigoDeUsuario)
{
    const std::pair<const char*, const char*> casos[] = {
        {"sin punto y coma", ""},
        {"x;  JUAN  ", "JUAN"},
        {"x;JUAN", "JUAN"},
        {";a;b", "a;b"},                         // everything after the first ";"
        {"x;\tJUAN", "\tJUAN"},                   // only blanks are trimmed
        // The keys never become part of the user code.
        {"/NoMostrarSlash;@Server=h;@DbName=d;@Usuario=u;@Password=secreto;ADMIN", "ADMIN"},
        {"/nomostrarslash;@server=h;@DBNAME=d;@Usuario=u;@PASSWORD=secreto; ADMIN ", "ADMIN"},
        {"x;ADMIN /NOMOSTRARSLASH", "ADMIN"},
        {"x;JUAN;@Password=secreto;", "JUAN;"},
        {"x;@Password=ab@Menu;JUAN", "JUAN"},    // a key inside a value goes with its item
        {"x;JUAN @Password=secreto", "JUAN"},    // last key without ";": removed to the end
        {"x;@ParametroAdicional=p;@Menu=m;@Caja=c;JUAN", "JUAN"},
    };
    for (const auto& [linea, usuario] : casos)
        EXPECT_EQ(usuarioDeLinea(QString::fromUtf8(linea)), QString::fromUtf8(usuario)) << linea;
}

TEST(LineaComandos, ConmutadorDePresentacionYTextoDeArgumentos)
{
    EXPECT_TRUE(sinPresentacion(QStringLiteral("/nomostrarslash;JUAN")));
    EXPECT_TRUE(sinPresentacion(QStringLiteral("x;JUAN/NOMOSTRARSLASH")));
    EXPECT_FALSE(sinPresentacion(QStringLiteral("x;JUAN")));
    EXPECT_EQ(textoLineaComandos({QStringLiteral("/ruta/Rz731p"), QStringLiteral("/NoMostrarSlash;@DbName=a"), QStringLiteral("b;JUAN")}),
              QStringLiteral("/NoMostrarSlash;@DbName=a b;JUAN"));
}

} // namespace
