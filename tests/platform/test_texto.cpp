#include "Utilidades.h"

#include <gtest/gtest.h>

#include <limits>

#include <cmath>

using namespace vexa;

// Whole doubles at the edges of the 64-bit range; NaN is in no range.
TEST(Texto, RangoEntero64)
{
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

TEST(Texto, AgregaEnteroComoQStringNumber)
{
    for (qint64 n : {qint64(0), qint64(7), qint64(-5), qint64(2026), std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()}) {
        QString s = QStringLiteral("a|");
        texto::agregarEntero(s, n);
        EXPECT_EQ(s, QStringLiteral("a|") + QString::number(n)) << n;
    }
}

TEST(Texto, RecortaSoloBlancos)
{
    EXPECT_EQ(texto::recortar("  a b  "), "a b");
    EXPECT_EQ(texto::recortar(" a"), "a");
    EXPECT_EQ(texto::recortar("   "), "");
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
