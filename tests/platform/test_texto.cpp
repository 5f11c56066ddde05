#include "Utilidades.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vexa;

TEST(Texto, LecturaDelNumeroInicial)
{
    struct Caso { const char* t; double v; };
    const Caso casos[] = {{"25B", 25}, {"B25", 0}, {"", 0}, {"  -3.5x", -3.5}, {"1 2", 12}, {"+7", 7},
                          {"0004", 4}, {"12.5.6", 12.5}, {"-", 0}, {"\t9", 9}};
    for (const auto& c : casos) EXPECT_DOUBLE_EQ(texto::val(QString::fromUtf8(c.t)), c.v) << c.t;
    EXPECT_EQ(texto::valEntero("25B"), 25);
}

// Whole parts beyond 64 bits read as no number (never an undefined conversion).
TEST(Texto, EnterosFueraDeRango)
{
    struct Caso { const char* t; qint64 valEntero; };
    const Caso casos[] = {
        {"99999999999999999999", 0},
        {"-99999999999999999999", 0},
        {"9223372036854775808", 0},
        {"9223372036854775807B", 0},          // rounds to 2^63 as a double: out of range
        {"9223372036854774784", 9223372036854774784LL}, // the largest double below 2^63
        {"-9223372036854775808", INT64_MIN},
        {"922337203685477.5807", 922337203685477},
        {"922337203685477.5808", 922337203685477},
        {"-922337203685477.5807", -922337203685477},
        {"1e5", 1},
        {"12", 12},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(texto::valEntero(QString::fromUtf8(c.t)), c.valEntero) << c.t;
    }
    EXPECT_EQ(texto::valEntero(QString(400, u'9')), 0);
    EXPECT_TRUE(texto::enRangoEntero64(-9223372036854775808.0));
    EXPECT_FALSE(texto::enRangoEntero64(9223372036854775808.0));
    EXPECT_FALSE(texto::enRangoEntero64(std::nan("")));
}

TEST(Texto, NumerosConBlancoInicial)
{
    EXPECT_EQ(texto::str(qint64(3)), " 3");
    EXPECT_EQ(texto::str(qint64(0)), " 0");
    EXPECT_EQ(texto::str(qint64(-3)), "-3");
    EXPECT_EQ(texto::str(2.5), " 2.5");
}

TEST(Texto, RecortaSoloBlancos)
{
    EXPECT_EQ(texto::recortar("  a b  "), "a b");
    EXPECT_EQ(texto::recortar("\ta\t"), "\ta\t");
    EXPECT_EQ(texto::recortarDerecha(" a "), " a");
    EXPECT_TRUE(Utilidades::EsVacio("   "));
    EXPECT_FALSE(Utilidades::EsVacio("\t"));
}

TEST(Texto, ConversionesDeUtilidades)
{
    EXPECT_EQ(Utilidades::QuitaCaracteres("a=b=c;", "=", ";"), "abc");
    EXPECT_EQ(Utilidades::CompletaCeros("25", 8), "00000025");
    EXPECT_EQ(Utilidades::CompletaCeros("123456789", 8), "123456789");
    EXPECT_EQ(Utilidades::AgregaBarra("/opt/vexa"), "/opt/vexa/");
    EXPECT_EQ(Utilidades::AgregaBarra("/opt/vexa/"), "/opt/vexa/");
    EXPECT_EQ(Utilidades::AjustaLargo("abc", 5), "abc  ");
    EXPECT_EQ(Utilidades::AjustaLargo("abcdef", 3), "abc");
    EXPECT_EQ(Utilidades::NuloATexto(QVariant()), "");
    EXPECT_EQ(Utilidades::Descifrar(Utilidades::Cifrar("clave Ñ;")), "clave Ñ;");
    EXPECT_NE(Utilidades::Cifrar("secreto"), "secreto");
    EXPECT_EQ(Utilidades::TextoAFecha("31/01/2026"), QDate(2026, 1, 31));
    EXPECT_EQ(Utilidades::TextoAFecha("2026-01-31"), QDate(2026, 1, 31));
    EXPECT_FALSE(Utilidades::TextoAFecha("31/02/2026").isValid());
    EXPECT_EQ(Utilidades::NumeroMes(Utilidades::NombreMes(9)), 9);
    QString c, a, n, e;
    Utilidades::SeparaRuta("/datos/ventas.txt", c, a, n, e);
    EXPECT_EQ(c, "/datos/");
    EXPECT_EQ(a, "ventas.txt");
    EXPECT_EQ(n, "ventas");
    EXPECT_EQ(e, "txt");
}
