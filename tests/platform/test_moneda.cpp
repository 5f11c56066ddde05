#include "Lectores.h"
#include "Moneda.h"
#include "Utilidades.h"

#include <gtest/gtest.h>

using vexa::Moneda;

TEST(Moneda, ParseoDeTextos)
{
    struct Caso { const char* texto; bool valido; int64_t unidades; };
    const Caso casos[] = {
        {"121", true, 1210000},        {"121.5", true, 1215000},     {"121,5", true, 1215000},
        {"-0.0001", true, -1},         {" 12 ", true, 120000},       {"+3", true, 30000},
        {"1.234,56", true, 12345600},  {"1,234.56", true, 12345600}, {"1.234.567", true, 12345670000},
        {"0.00005", true, 1},          {"0.00004", true, 0},         {"-0.00005", true, -1},
        {"12-", true, -120000},        {"", false, 0},               {"abc", false, 0},
        {"1.2.3,4,5", false, 0},       {"12a", false, 0},            {".", false, 0},
        {"922337203685477.5807", true, INT64_MAX},
        {"922337203685478", false, 0},
        // Several marks of one kind are thousands marks only when they group three digits.
        {"1.2.3", false, 0},           {"1,2,3", false, 0},          {"12.34.567", false, 0},
        {"1,234,567", true, 12345670000}, {"1.2,5", false, 0},       {"1.234,5", true, 12345000},
        // Just past the 64-bit range of units: refused, not wrapped.
        {"922337203685477.5808", false, 0}, {"-922337203685477.5808", false, 0},
        {"922337203685477.58075", false, 0},
        {"-922337203685477.9999", false, 0},
        {"99999999999999999999", false, 0},
    };
    for (const auto& c : casos) {
        auto m = Moneda::parsear(QString::fromUtf8(c.texto));
        EXPECT_EQ(m.has_value(), c.valido) << c.texto;
        if (m && c.valido) {
            EXPECT_EQ(m->unidades(), c.unidades) << c.texto;
        }
    }
}

TEST(Moneda, TextoYRedondeo)
{
    EXPECT_EQ(Moneda::desdeUnidades(1210000).texto(), "121.0000");
    EXPECT_EQ(Moneda::desdeUnidades(-1).texto(), "-0.0001");
    EXPECT_EQ(Moneda::desdeUnidades(1215050).texto(2), "121.51");
    EXPECT_EQ(Moneda::desdeUnidades(-1215050).texto(2), "-121.51");
    EXPECT_EQ(Moneda::desdeUnidades(-49).texto(2), "0.00");
    EXPECT_EQ(Moneda::desdeUnidades(123456789).textoLocal(2), "12.345,68");
    EXPECT_EQ(Moneda::entero(100).porFactor("1.21").texto(), "121.0000");
    EXPECT_EQ(Moneda::desdeUnidades(3).porFactor("0.5").unidades(), 2); // half away from zero
}

TEST(Moneda, SumasExactas)
{
    Moneda s;
    for (int i = 0; i < 10000; ++i) s += *Moneda::parsear("0.1");
    EXPECT_EQ(s.texto(), "1000.0000");
    EXPECT_EQ(vexa::Utilidades::TextoAMoneda("no es"), Moneda());
    EXPECT_EQ(vexa::lectura::enteroRedondeado("2.5").o(0), 3);
    EXPECT_EQ(vexa::lectura::enteroRedondeado("-2.5").o(0), -3);
}

// What an operator or a file may enter: within the documented maximum, and the
// helpers that validate and convert texts agree with it.
TEST(Moneda, TextoEstrictoYMaximo)
{
    using L = Moneda::Lectura;
    struct Caso { const char* texto; L lectura; };
    const Caso casos[] = {
        {"999999999.9999", L::Valido},          {"-999999999.9999", L::Valido},
        {"999.999.999,9999", L::Valido},        {"12,50", L::Valido},
        {"1000000000", L::ExcedeMaximo},        {"-1000000000", L::ExcedeMaximo},
        {"999999999.99995", L::ExcedeMaximo},   {"1.000.000.000", L::ExcedeMaximo},
        {"922337203685477.5807", L::ExcedeMaximo}, {"922337203685477.5808", L::ExcedeMaximo},
        {"99999999999999999999999", L::ExcedeMaximo}, {"-99999999999999999999999,5", L::ExcedeMaximo},
        {"1.8e15", L::ExcedeMaximo},            {"-2E+10", L::ExcedeMaximo},
        // Exponents are no amount otherwise; nor is a text that merely begins with digits.
        {"1.8e5", L::NoNumerico},               {"1e400x", L::NoNumerico},
        {"99999999999999999999x", L::NoNumerico}, {"1.2.3", L::NoNumerico},
        {"", L::NoNumerico},                    {"abc", L::NoNumerico},
    };
    for (const auto& c : casos) {
        const QString t = QString::fromUtf8(c.texto);
        const bool valido = c.lectura == L::Valido;
        Moneda leido;
        EXPECT_EQ(Moneda::leer(t, &leido), c.lectura) << c.texto;
        if (valido) {
            EXPECT_EQ(leido, *Moneda::desdeTextoEstricto(t)) << c.texto;
        }
        EXPECT_EQ(Moneda::desdeTextoEstricto(t).has_value(), valido) << c.texto;
        EXPECT_EQ(vexa::lectura::importe(t).valido(), valido) << c.texto;
        if (!valido) {
            EXPECT_EQ(vexa::Utilidades::TextoAMoneda(t), Moneda()) << c.texto;
        }
    }
    EXPECT_EQ(Moneda::maximo().texto(), "999999999.9999");
    EXPECT_EQ(Moneda::textoMaximo(), "999.999.999,9999");
    EXPECT_EQ(vexa::Utilidades::TextoAMoneda("12,50").texto(), "12.5000");
}

// Arithmetic that leaves the 64-bit range of units throws instead of wrapping.
TEST(Moneda, AritmeticaNoDesbordaEnSilencio)
{
    const Moneda tope = Moneda::desdeUnidades(INT64_MAX);
    const Moneda piso = Moneda::desdeUnidades(INT64_MIN);
    const Moneda uno = Moneda::desdeUnidades(1);
    EXPECT_THROW(tope + uno, vexa::ErrorVexa);
    EXPECT_THROW(piso - uno, vexa::ErrorVexa);
    EXPECT_THROW(-piso, vexa::ErrorVexa);
    Moneda m = tope;
    EXPECT_THROW(m += uno, vexa::ErrorVexa);
    EXPECT_EQ(m, tope); // unchanged after the refused sum
    EXPECT_THROW(m -= -uno, vexa::ErrorVexa);
    EXPECT_THROW(Moneda::entero(INT64_MAX / 1000), vexa::ErrorVexa);
    EXPECT_THROW(tope.porFactor("2"), vexa::ErrorVexa);
    EXPECT_EQ((tope - uno + uno), tope);
    try {
        (void)(tope + uno);
    } catch (const vexa::ErrorVexa& e) {
        EXPECT_EQ(e.numero(), 6);
    }
}
