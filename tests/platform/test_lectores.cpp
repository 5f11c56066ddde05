// The readers of typed text, without a window: a table of cases per kind of value.
#include "Lectores.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace vexa;
using lectura::Estado;

namespace {
const char* nombre(Estado e)
{
    switch (e) {
    case Estado::Vacio: return "Vacio";
    case Estado::Valido: return "Valido";
    case Estado::NoValido: return "NoValido";
    case Estado::FueraDeRango: return "FueraDeRango";
    }
    return "?";
}
} // namespace

TEST(Lectores, Importe)
{
    struct Caso { const char* t; Estado e; qint64 unidades; };
    const Caso casos[] = {
        {"", Estado::Vacio, 0},
        {"   ", Estado::Vacio, 0},
        {"12", Estado::Valido, 120000},
        {" 12.5 ", Estado::Valido, 125000},
        {"12,5", Estado::Valido, 125000},
        {"-1.234,56", Estado::Valido, -12345600},
        {"1,234.56", Estado::Valido, 12345600},
        {"+3", Estado::Valido, 30000},
        {"7-", Estado::Valido, -70000},
        {"1.234.567", Estado::Valido, 12345670000},
        {"0.00005", Estado::Valido, 1},          // five decimals round half away from zero
        {"-0.00005", Estado::Valido, -1},
        {"999999999.9999", Estado::Valido, Moneda::kMaximoUnidades},
        {"-999999999.9999", Estado::Valido, -Moneda::kMaximoUnidades},
        {"1000000000", Estado::FueraDeRango, 0},
        {"99999999999999999999", Estado::FueraDeRango, 0},
        {"1.8e15", Estado::FueraDeRango, 0},
        {"1e3", Estado::NoValido, 0},
        {"1.2.3", Estado::NoValido, 0},
        {"12a", Estado::NoValido, 0},
        {"abc", Estado::NoValido, 0},
        {"-", Estado::NoValido, 0},
        {".", Estado::NoValido, 0},
        {"1,2,3", Estado::NoValido, 0},
        {"1.234,5", Estado::Valido, 12345000},
        {"1x", Estado::NoValido, 0},
        // Plain forms read in place, beside their neighbours read the general way.
        {"  -12,5  ", Estado::Valido, -125000},
        {".5", Estado::Valido, 5000},
        {"5.", Estado::Valido, 50000},
        {"+,25", Estado::Valido, 2500},
        {"-0", Estado::Valido, 0},
        {"00012.50", Estado::Valido, 125000},
        {"1.23456", Estado::Valido, 12346},
        {"- 5", Estado::Valido, -50000},
        {"\t12", Estado::Valido, 120000},
        {"-,", Estado::NoValido, 0},
        {"--5", Estado::NoValido, 0},
        {"5 5", Estado::NoValido, 0},
        {"1.8e15 ", Estado::FueraDeRango, 0},
    };
    for (const auto& c : casos) {
        const auto l = lectura::importe(QString::fromUtf8(c.t));
        EXPECT_STREQ(nombre(l.estado), nombre(c.e)) << c.t;
        EXPECT_EQ(l.o(Moneda()).unidades(), c.unidades) << c.t;
    }
}

TEST(Lectores, Decimal)
{
    struct Caso { const char* t; Estado e; double v; };
    static const std::string enorme(400, '9');
    const Caso casos[] = {
        {"", Estado::Vacio, 0},
        {"25", Estado::Valido, 25},
        {"33.3333333333333", Estado::Valido, 33.3333333333333}, // every decimal kept
        {"8,5", Estado::Valido, 8.5},
        {"-0.125", Estado::Valido, -0.125},
        {"+1.000,25", Estado::Valido, 1000.25},
        {".5", Estado::Valido, 0.5},
        {"5.", Estado::Valido, 5},
        {"1.234.567", Estado::Valido, 1234567},
        {enorme.c_str(), Estado::FueraDeRango, 0},
        {"1e3", Estado::NoValido, 0},
        {"inf", Estado::NoValido, 0},
        {"1.2.3", Estado::NoValido, 0},
        {"x1", Estado::NoValido, 0},
    };
    for (const auto& c : casos) {
        const auto l = lectura::decimal(QString::fromUtf8(c.t));
        EXPECT_STREQ(nombre(l.estado), nombre(c.e)) << c.t;
        EXPECT_DOUBLE_EQ(l.o(0.0), c.v) << c.t;
    }
}

TEST(Lectores, Entero)
{
    struct Caso { const char* t; Estado e; qint64 v; };
    const Caso casos[] = {
        {"", Estado::Vacio, 0},
        {" 12 ", Estado::Valido, 12},
        {"-3", Estado::Valido, -3},
        {"+4", Estado::Valido, 4},
        {"12.00", Estado::Valido, 12},
        {"12,0", Estado::Valido, 12},
        {"1.234.567", Estado::Valido, 1234567},
        {"0007", Estado::Valido, 7},
        {"9223372036854775807", Estado::Valido, std::numeric_limits<qint64>::max()},
        {"-9223372036854775808", Estado::Valido, std::numeric_limits<qint64>::min()},
        {"9223372036854775808", Estado::FueraDeRango, 0},
        {"-9223372036854775809", Estado::FueraDeRango, 0},
        {"12.5", Estado::NoValido, 0},
        {"1,5", Estado::NoValido, 0},
        {"25B", Estado::NoValido, 0},
        {"1e5", Estado::NoValido, 0},
    };
    for (const auto& c : casos) {
        const auto l = lectura::entero(QString::fromUtf8(c.t));
        EXPECT_STREQ(nombre(l.estado), nombre(c.e)) << c.t;
        EXPECT_EQ(l.o(0), c.v) << c.t;
    }
}

TEST(Lectores, Fecha)
{
    struct Caso { const char* t; Estado e; QDate v; };
    const Caso casos[] = {
        {"", Estado::Vacio, {}},
        {"31/01/2026", Estado::Valido, QDate(2026, 1, 31)},
        {" 1/2/26 ", Estado::Valido, QDate(2026, 2, 1)},
        {"1-2-99", Estado::Valido, QDate(1999, 2, 1)},
        {"01.02.2026", Estado::Valido, QDate(2026, 2, 1)},
        {"2026-01-31", Estado::Valido, QDate(2026, 1, 31)},
        {"29/02/2024", Estado::Valido, QDate(2024, 2, 29)},
        {"31/12/9999", Estado::Valido, QDate(9999, 12, 31)},
        {"29/02/2026", Estado::NoValido, {}},
        {"31/02/2026", Estado::NoValido, {}},
        {"00/01/2026", Estado::NoValido, {}},
        {"-1/01/2026", Estado::NoValido, {}},
        {"12/2026", Estado::NoValido, {}},
        {"aa/bb/cccc", Estado::NoValido, {}},
    };
    for (const auto& c : casos) {
        const auto l = lectura::fecha(QString::fromUtf8(c.t));
        EXPECT_STREQ(nombre(l.estado), nombre(c.e)) << c.t;
        EXPECT_EQ(l.o(QDate()), c.v) << c.t;
    }
}

TEST(Lectores, MesAnio)
{
    struct Caso { const char* t; Estado e; int mes, anio; };
    const Caso casos[] = {
        {"", Estado::Vacio, 0, 0},
        {"07/2026", Estado::Valido, 7, 2026},
        {" 7/2026", Estado::Valido, 7, 2026},
        {"12/0001", Estado::Valido, 12, 1},
        {"13/2026", Estado::NoValido, 0, 0},
        {"00/2026", Estado::NoValido, 0, 0},
        {"07/0000", Estado::NoValido, 0, 0},
        {"07/26", Estado::NoValido, 0, 0},
        {"-7/2026", Estado::NoValido, 0, 0},
        {"07-2026", Estado::NoValido, 0, 0},
        {"ab/2026", Estado::NoValido, 0, 0},
    };
    for (const auto& c : casos) {
        const auto l = lectura::mesAnio(QString::fromUtf8(c.t));
        EXPECT_STREQ(nombre(l.estado), nombre(c.e)) << c.t;
        EXPECT_EQ(l.o(MesAnio{}), (MesAnio{c.mes, c.anio})) << c.t;
    }
    EXPECT_EQ((MesAnio{7, 2026}).texto(), QStringLiteral("07/2026"));
    EXPECT_EQ((MesAnio{12, 2026}).siguiente(), (MesAnio{1, 2027}));
}

// Decimals taken and rounded half away from zero, up to what 64 bits hold in
// ten-thousandths.
TEST(Lectores, EnteroRedondeado)
{
    struct Caso { const char* t; Estado e; qint64 v; };
    const Caso casos[] = {
        {"", Estado::Vacio, 0},
        {"  ", Estado::Vacio, 0},
        {"12", Estado::Valido, 12},
        {"12.5", Estado::Valido, 13},
        {"12,49", Estado::Valido, 12},
        {"-2.5", Estado::Valido, -3},
        {"+2.5", Estado::Valido, 3},
        {"7-", Estado::Valido, -7},
        {"1.234,5", Estado::Valido, 1235},
        {"1000000000", Estado::Valido, 1000000000}, // no amount's maximum
        {"922337203685477.5807", Estado::Valido, 922337203685478},
        {"-922337203685477.5807", Estado::Valido, -922337203685478},
        {"922337203685477.5808", Estado::FueraDeRango, 0},
        {"9223372036854774784", Estado::FueraDeRango, 0},
        {"9223372036854775808", Estado::FueraDeRango, 0},
        {"-9223372036854775808", Estado::FueraDeRango, 0},
        {"99999999999999999999", Estado::FueraDeRango, 0},
        {"-99999999999999999999", Estado::FueraDeRango, 0},
        {"9223372036854775807B", Estado::NoValido, 0},
        {"1e5", Estado::NoValido, 0},
        {"1.2.3", Estado::NoValido, 0},
        {"abc", Estado::NoValido, 0},
    };
    for (const auto& c : casos) {
        const auto l = lectura::enteroRedondeado(QString::fromUtf8(c.t));
        EXPECT_STREQ(nombre(l.estado), nombre(c.e)) << c.t;
        EXPECT_EQ(l.o(0), c.v) << c.t;
    }
    EXPECT_EQ(lectura::redondeaAEntero(Moneda::desdeUnidades(4999)), 0);
    EXPECT_EQ(lectura::redondeaAEntero(Moneda::desdeUnidades(-5000)), -1);
    EXPECT_EQ(lectura::redondeaAEntero(Moneda::desdeUnidades(std::numeric_limits<qint64>::max())), 922337203685478);
}

// The number at the start of a stored text, read as such texts always were:
// what follows the number is no concern of it.
TEST(Lectores, NumeroInicial)
{
    struct Caso { std::string t; Estado e; double v; };
    const double infinito = std::numeric_limits<double>::infinity();
    const Caso casos[] = {
        {"", Estado::Vacio, 0},
        {"   ", Estado::Vacio, 0},
        {"25B", Estado::Valido, 25},
        {"B25", Estado::Vacio, 0},
        {"  -3.5x", Estado::Valido, -3.5},
        {"1 2", Estado::Valido, 12},          // blanks inside are skipped
        {"+7", Estado::Valido, 7},
        {"- 3", Estado::Valido, -3},
        {"3-", Estado::Valido, 3},            // no trailing sign
        {"0004", Estado::Valido, 4},
        {"0", Estado::Valido, 0},
        {"12.5.6", Estado::Valido, 12.5},
        {".5", Estado::Valido, 0.5},
        {"-.5", Estado::Valido, -0.5},
        {"5.", Estado::Valido, 5},
        {"1,5", Estado::Valido, 1},           // ',' is no decimal mark here
        {"1.234,5", Estado::Valido, 1.234},
        {",5", Estado::Vacio, 0},
        {"1e5", Estado::Valido, 1},
        {"-", Estado::Vacio, 0},
        {".", Estado::Vacio, 0},
        {"\t9", Estado::Valido, 9},
        {"9\t9", Estado::Valido, 9},
        {"\xd9\xa3", Estado::Vacio, 0},        // a digit of another script
        {"5\xd9\xa3", Estado::Valido, 5},
        // short whole numbers (read directly) and just past them
        {"7a", Estado::Valido, 7},
        {"-12|", Estado::Valido, -12},
        {"+", Estado::Vacio, 0},
        {"123 4", Estado::Valido, 1234},
        {"0001.5", Estado::Valido, 1.5},
        {"123456789012345X", Estado::Valido, 123456789012345.0},
        {"1234567890123456", Estado::Valido, 1234567890123456.0},
        {"12345678901234567", Estado::Valido, 12345678901234567.0},
        {std::string(400, '9'), Estado::Valido, infinito},
        {'-' + std::string(400, '9'), Estado::Valido, -infinito},
    };
    for (const auto& c : casos) {
        const auto l = lectura::numeroInicial(QString::fromStdString(c.t));
        EXPECT_STREQ(nombre(l.estado), nombre(c.e)) << c.t;
        EXPECT_DOUBLE_EQ(l.o(0), c.v) << c.t;
    }
}

// Its whole part; beyond 64 bits there is none.
TEST(Lectores, EnteroInicial)
{
    struct Caso { std::string t; Estado e; qint64 v; };
    const Caso casos[] = {
        {"", Estado::Vacio, 0},
        {"B25", Estado::Vacio, 0},
        {"25B", Estado::Valido, 25},
        {"12", Estado::Valido, 12},
        {"-3.9", Estado::Valido, -3},
        {"07-0000123", Estado::Valido, 7},
        {"1e5", Estado::Valido, 1},
        {"922337203685477.5807", Estado::Valido, 922337203685477},
        {"922337203685477.5808", Estado::Valido, 922337203685477},
        {"-922337203685477.5807", Estado::Valido, -922337203685477},
        {"9223372036854774784", Estado::Valido, 9223372036854774784LL}, // the largest double below 2^63
        {"-9223372036854775808", Estado::Valido, std::numeric_limits<qint64>::min()},
        {"9223372036854775807B", Estado::FueraDeRango, 0}, // rounds to 2^63 as a double
        {"9223372036854775808", Estado::FueraDeRango, 0},
        {"99999999999999999999", Estado::FueraDeRango, 0},
        {"-99999999999999999999", Estado::FueraDeRango, 0},
        {std::string(400, '9'), Estado::FueraDeRango, 0},
    };
    for (const auto& c : casos) {
        const auto l = lectura::enteroInicial(QString::fromStdString(c.t));
        EXPECT_STREQ(nombre(l.estado), nombre(c.e)) << c.t;
        EXPECT_EQ(l.o(0), c.v) << c.t;
    }
}
