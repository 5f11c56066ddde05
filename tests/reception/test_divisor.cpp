// Line splitting, file reading and date layouts: no database.
#include "ArchivoTexto.h"
#include "DefinicionInterfaz.h"
#include "DivisorLineas.h"
#include "FechaInterfaz.h"

#include <gtest/gtest.h>

using namespace vexa::recepcion;

namespace {
QString q(const char* s) { return QString::fromUtf8(s); }
}

TEST(DivisorLineas, TablaDeCasos)
{
    struct Caso {
        const char* nombre;
        const char* tipo;
        const char* separador;
        const char* calificador;
        QList<int> anchos;
        const char* linea;
        QStringList esperado;
    };
    const Caso casos[] = {
        {"fijo exacto", "F", "", "", {2, 3, 1}, "ABCDEF", {"AB", "CDE", "F"}},
        {"fijo mas alla del fin", "F", "", "", {4, 4}, "AB", {"AB", ""}},
        {"fijo ancho cero", "F", "", "", {2, 0, 2}, "ABCD", {"AB", "", "CD"}},
        {"fijo no recorta ni quita calificador", "F", ";", "\"", {3, 3}, " \"A B \"", {" \"A", " B "}},
        {"fijo en minuscula", "f", "", "", {1, 1}, "XY", {"X", "Y"}},
        {"separadores al inicio y fin", "D", ";", "\"", {0, 0}, ";\"A\";\"B\";", {"A", "B"}},
        {"sin separadores extremos", "D", ";", "\"", {0, 0}, "\"A\";\"B\"", {"A", "B"}},
        {"solo uno al inicio y uno al fin", "D", ";", "", {0, 0, 0, 0}, ";;1;2;;", {"", "1", "2", ""}},
        {"menos campos en la linea", "D", ";", "", {0, 0, 0}, "1;2", {"1", "2", ""}},
        {"mas campos en la linea", "D", ";", "", {0, 0}, "1;2;3;4", {"1", "2"}},
        {"blancos alrededor de la linea", "D", ";", "", {0, 0}, "  1;2  ", {"1", "2"}},
        {"blancos dentro del valor", "D", ";", "", {0, 0}, "1; 2", {"1", " 2"}},
        {"campo vacio en medio", "D", ";", "", {0, 0, 0}, "1;;3", {"1", "", "3"}},
        {"tabulador como separador", "D", "\t", "", {0, 0, 0}, "A\tB C\tD", {"A", "B C", "D"}},
        {"tabulador extremo es separador", "D", "\t", "", {0, 0}, "\tA\tB\t", {"A", "B"}},
        {"tabulador es dato con otro separador", "D", ";", "", {0, 0}, "\tA;B\t", {"\tA", "B\t"}},
        {"separador guardado con blancos", "D", " ; ", "", {0, 0}, "1;2", {"1", "2"}},
        {"calificador de dos caracteres", "D", ";", "##", {0, 0}, "##A;B##;C#", {"A;B", "C#"}},
        {"separador calificado no corta", "D", ";", "\"", {0, 0}, "\"A;B\";C", {"A;B", "C"}},
        {"calificador sin cerrar", "D", ";", "\"", {0, 0}, "\"A;B", {"A;B", ""}},
        {"separador de letra sin importar caso", "D", "x", "", {0, 0}, "1X2", {"1", "2"}},
        {"separador de letra con calificador", "D", "x", "\"", {0, 0, 0}, "\"AxB\"X2x3", {"AxB", "2", "3"}},
        {"separador no ascii sin importar caso", "D", "ñ", "\"", {0, 0, 0}, "\"AñB\"Ñ2ñ3", {"AñB", "2", "3"}},
        {"sin separador todo al primero", "D", "", "", {0, 0}, "1;2", {"1;2", ""}},
        {"linea vacia", "D", ";", "", {0, 0}, "", {"", ""}},
        {"tipo desconocido", "X", ";", "", {1, 1}, "1;2", {"", ""}},
    };
    for (const auto& c : casos) {
        DivisorLineas d(q(c.tipo), q(c.separador), q(c.calificador));
        EXPECT_EQ(d.dividir(q(c.linea), c.anchos), c.esperado) << c.nombre;
    }
}

TEST(DefinicionInterfaz, BuscaCamposPorNombreYLimpia)
{
    const DefinicionInterfaz vacia;
    // Without detail rows: one field without a name.
    EXPECT_EQ(vacia.campos.size(), 1u);
    EXPECT_EQ(vacia.PosicionCampo("FECHA"), 0);
    EXPECT_EQ(vacia.PosicionCampo(""), 1);

    CabeceraInterfaz cab;
    cab.TipoArchivo = "D";
    cab.Separador = ";";
    const DefinicionInterfaz def(cab, {{"Fecha", {}, {}, 0}, {"IMPORTE", {}, {}, 0}, {"fecha", {}, {}, 0}});
    ValoresLinea v = def.DivideLinea("01012026; 121 ;x");
    EXPECT_EQ(def.PosicionCampo("  FECHA "), 1); // first of two equal names
    EXPECT_EQ(def.ValorCampo(v, "importe"), " 121 "); // as cut, not trimmed
    EXPECT_EQ(def.ValorCampo(v, "NO ESTA"), "");
    v.LimpiaValores();
    for (int i = 1; i <= int(def.campos.size()); ++i) EXPECT_TRUE(v.valor(i).isEmpty());
    // A shorter line leaves nothing of the previous one.
    v = def.DivideLinea("1;2;3");
    v = def.DivideLinea("9");
    EXPECT_EQ(def.ValorCampo(v, "IMPORTE"), "");
    // Cutting a line leaves the definition as it was.
    EXPECT_EQ(def.campos.size(), 3u);
    EXPECT_EQ(def.ValorCampo(def.DivideLinea("a;b;c"), "fecha"), "a");
    EXPECT_EQ(def.ValorCampo(v, "FECHA"), "9");
}

TEST(ArchivoTexto, LineasYCodificacion)
{
    struct Caso {
        const char* nombre;
        QByteArray bytes;
        QStringList esperado;
    };
    const Caso casos[] = {
        {"vacio", "", {}},
        {"sin fin de linea al final", "a\nb", {"a", "b"}},
        {"fin de linea al final sin linea fantasma", "a\nb\n", {"a", "b"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"linea vacia en medio", "a\n\nb\n", {"a", "", "b"}},
        {"solo un fin de linea", "\n", {""}},
        {"CR final sin LF", "a\r\nb\r", {"a", "b"}},
        {"tabulador y blancos se conservan", " a\t \r\n", {" a\t "}},
        {"UTF-8 con marca de orden", "\xEF\xBB\xBF" "Peña\n", {"Peña"}},
        {"UTF-8", "Recepción\n", {"Recepción"}},
        {"Windows-1252", "Pe\xF1" "a \x80 \x93x\x94\r\n", {QString::fromUtf8("Peña € “x”")}},
    };
    for (const auto& c : casos) EXPECT_EQ(ArchivoTexto::lineas(c.bytes), c.esperado) << c.nombre;
}

TEST(ArchivoTexto, ArchivoInexistente)
{
    QStringList l{"x"};
    QString error;
    EXPECT_FALSE(ArchivoTexto::leer("/no/existe/archivo.txt", l, &error));
    EXPECT_TRUE(l.isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST(FechaInterfaz, DoceDisposiciones)
{
    struct Caso { const char* formato; const char* fecha; const char* dia; const char* mes; const char* anio; };
    const Caso casos[] = {
        {"DDMMAA", "311203", "31", "12", "03"},     {"DDMMAAAA", "31122003", "31", "12", "2003"},
        {"DDAAMM", "310312", "31", "12", "03"},     {"DDAAAAMM", "31200312", "31", "12", "2003"},
        {"MMDDAA", "123103", "31", "12", "03"},     {"MMDDAAAA", "12312003", "31", "12", "2003"},
        {"MMAADD", "120331", "31", "12", "03"},     {"MMAAAADD", "12200331", "31", "12", "2003"},
        {"AAMMDD", "031231", "31", "12", "03"},     {"AAAAMMDD", "20031231", "31", "12", "2003"},
        {"AADDMM", "033112", "31", "12", "03"},     {"AAAADDMM", "20033112", "31", "12", "2003"},
        {" aaaammdd ", "20031231", "31", "12", "2003"},
    };
    for (const auto& c : casos) {
        QString d = "x", m = "x", a = "x";
        EXPECT_TRUE(DesarmaFecha(c.fecha, c.formato, d, m, a)) << c.formato;
        EXPECT_EQ(d, c.dia) << c.formato;
        EXPECT_EQ(m, c.mes) << c.formato;
        EXPECT_EQ(a, c.anio) << c.formato;
    }
    QString d = "31", m = "12", a = "2003";
    EXPECT_FALSE(DesarmaFecha("311203", "DD/MM/AA", d, m, a)); // layouts come cleaned
    EXPECT_TRUE(d.isEmpty() && m.isEmpty() && a.isEmpty());
}

TEST(FechaInterfaz, SigloYLectura)
{
    EXPECT_EQ(AplicaSiglo("05"), "2005");
    EXPECT_EQ(AplicaSiglo("5"), "2005");
    EXPECT_EQ(AplicaSiglo("79"), "2079");
    EXPECT_EQ(AplicaSiglo("80"), "80");
    EXPECT_EQ(AplicaSiglo("95"), "95");
    EXPECT_EQ(AplicaSiglo("2003"), "2003");
    EXPECT_EQ(AplicaSiglo("0a"), "0a");
    EXPECT_EQ(AplicaSiglo(""), "");

    using E = FechaLeida::Estado;
    struct Caso { const char* valor; QString formato; E estado; const char* texto; QDate fecha; };
    const Caso casos[] = {
        {"31/12/03", "DD/MM/AA", E::Valida, "31/12/2003", QDate(2003, 12, 31)},
        {"2003-12-31", "AAAA-MM-DD", E::Valida, "31/12/2003", QDate(2003, 12, 31)},
        {"311205", "DDMMAA", E::Valida, "31/12/2005", QDate(2005, 12, 31)},
        {"311285", "DDMMAA", E::Valida, "31/12/85", QDate(1985, 12, 31)},
        {" 311205 ", "DDMMAA", E::Valida, "31/12/2005", QDate(2005, 12, 31)},
        {"/ 31/12/05          ", "DDMMAA", E::Valida, "31/12/2005", QDate(2005, 12, 31)},
        {"31 12 03", "DDMMAA", E::NoEsFecha, "31/ 1/2003", QDate()},
        {"31/12/2003 y algo", "DDMMAAAA", E::LargoIncorrecto, "", QDate()},
        {"01010079", "DDMMAAAA", E::Valida, "01/01/2079", QDate(2079, 1, 1)},
        {"3112003", "DDMMAA", E::LargoIncorrecto, "", QDate()},
        {"", "DDMMAA", E::LargoIncorrecto, "", QDate()},
        {"310203", "DDMMAA", E::NoEsFecha, "31/02/2003", QDate()},
        {"3112ab", "DDMMAA", E::NoEsFecha, "31/12/ab", QDate()},
        {"311203", "XXYYZZ", E::NoEsFecha, "//", QDate()},
        {"311203", "", E::NoEsFecha, "//", QDate()},
        // The layout is read without "/", "-" and NUL, trimmed, in any case.
        {"31-12-2003", " dd-mm-aaaa ", E::Valida, "31/12/2003", QDate(2003, 12, 31)},
        {"311203", "/DD/MM/AA/ ", E::Valida, "31/12/2003", QDate(2003, 12, 31)},
        {"311203", QStringLiteral("DDMMAA") + QChar(0), E::Valida, "31/12/2003", QDate(2003, 12, 31)},
        {"311203", "DD MM AA", E::NoEsFecha, "//", QDate()},
        {"311203", "DDMMAAA", E::NoEsFecha, "//", QDate()},
        {"31122003", "DDMMAAAAD", E::NoEsFecha, "//", QDate()},
        {"311203", "DDMMAÁ", E::NoEsFecha, "//", QDate()},
    };
    for (const auto& c : casos) {
        FechaLeida f = LeeFecha(c.valor, c.formato);
        EXPECT_EQ(f.estado, c.estado) << c.valor << " " << c.formato.toStdString();
        if (f.estado != E::LargoIncorrecto) {
            EXPECT_EQ(f.texto, c.texto) << c.valor;
        }
        EXPECT_EQ(f.fecha, c.fecha) << c.valor;
    }
}
