// The asset register's figures without a window, the shared asset record and
// the configuration's asset numbers.
#include "BaseDePrueba.h"
#include "Configuracion.h"
#include "LineaAsiento.h"
#include "RegBienUso.h"
#include "ReglasBienes.h"

using namespace vexa;

TEST(ReglasBienes, PorcentajeDepreciacionYPeriodo)
{
    struct Caso { double vida; const char* porcentaje; };
    for (const Caso& c : {Caso{4, "25"}, {3, "33.3333333333333"}, {0, "0.00"}, {-2, "0.00"}, {0.5, "200"}})
        EXPECT_EQ(bienes::PorcentajeDeVida(c.vida), QString::fromLatin1(c.porcentaje)) << c.vida;
    struct Meses { qint64 meses; const char* nombre; };
    for (const Meses& m : {Meses{3, "Trimestral"}, {12, "Anual"}, {6, "Mensual"}, {1, "Mensual"}})
        EXPECT_EQ(bienes::DescripcionPeriodo(m.meses), QString::fromLatin1(m.nombre)) << m.meses;
    // Calendar years, not elapsed ones.
    EXPECT_EQ(bienes::AniosCalendario(QDate(2024, 12, 31), QDate(2025, 1, 1)), 1);
    EXPECT_EQ(bienes::AniosCalendario(QDate(2025, 1, 1), QDate(2025, 12, 31)), 0);
}

TEST(ReglasBienes, DepreciacionDelEjercicio)
{
    struct Caso { const char* base; double coef, porcentaje; qint64 meses; const char* dep; };
    const Caso casos[] = {
        {"1200", 1, 20, 6, "120.00"},
        {"1200", 1.5, 20, 12, "360.00"},      // the coefficient adjusts the base first
        {"1000", 1, 100.0 / 3, 12, "333.33"}, // a percentage at full precision
        {"1000", 1, 0, 12, "0.00"},
        {"-1200", 1, 20, 6, "-120.00"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(bienes::CalculaDepEjercicio(*Moneda::parsear(c.base), c.coef, c.porcentaje, c.meses).texto(2),
                  QString::fromLatin1(c.dep))
            << c.base << " " << c.coef << " " << c.meses;
}

TEST(RegBienUso, AnchosYLecturaRecortada)
{
    RegBienUso r;
    EXPECT_TRUE(r.Descripcion.crudo().isEmpty()); // nothing until the first accept
    EXPECT_TRUE(r.Codigo.texto().isEmpty());
    EXPECT_EQ(r.Indicador, 0);

    r.Descripcion = QString(300, u'x');
    EXPECT_EQ(r.Descripcion.texto(), QString(255, u'x'));
    r.Codigo = QStringLiteral("  12 ");
    EXPECT_EQ(r.Codigo.crudo().size(), 15);
    EXPECT_EQ(r.Codigo.texto(), QStringLiteral("12"));
    r.Codigo = QString(); // an empty box becomes all blanks
    EXPECT_EQ(r.Codigo.crudo(), QString(15, u' '));
    EXPECT_TRUE(r.Codigo.texto().isEmpty());
    // Percentages fit whole: "00.00" of any life and 100 / 3 written at full precision.
    r.Porcentaje = QStringLiteral("08.50");
    EXPECT_EQ(r.Porcentaje.texto(), QStringLiteral("08.50"));
    r.Porcentaje = QStringLiteral("33.3333333333333");
    EXPECT_EQ(r.Porcentaje.texto(), QStringLiteral("33.3333333333333").left(15));
    r.NovedadPorcentaje = QStringLiteral("33.3333333333333");
    EXPECT_EQ(r.NovedadPorcentaje.texto(), r.Porcentaje.texto());
    r.VidaUtil = QStringLiteral("1000");
    EXPECT_EQ(r.VidaUtil.texto(), QStringLiteral("100"));
    r.Motivo = QString(400, u'm'); // kept whole
    EXPECT_EQ(r.Motivo.size(), 400);

    // A copy carries every field; an entry line's asset starts empty.
    const RegBienUso copia = r;
    EXPECT_EQ(copia, r);
    LineaAsiento l;
    EXPECT_EQ(l.BienUso, RegBienUso());
    l.BienUso = r;
    EXPECT_EQ(l.BienUso.Descripcion.texto(), QString(255, u'x'));
}

class ConfiguracionBienes : public vexa::prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};

TEST_P(ConfiguracionBienes, NumerosYCuentasDeBienes)
{
    Configuracion cfg(&con());
    EXPECT_EQ(cfg.NuevoCodigoBien(), QStringLiteral("8")); // the demo's assets are 1 to 7
    struct Caso { const char* codigo; const char* id; };
    for (const Caso& c : {Caso{"3", "2"}, {" 3 ", "2"}, {"1", "1"}, {"99", "1"}, {"x", "1"}, {"", "1"}})
        EXPECT_EQ(cfg.IdMejoraBien(QString::fromLatin1(c.codigo)), QString::fromLatin1(c.id)) << c.codigo;

    struct Cuenta { const char* codigo; bool existe, bienes; };
    for (const Cuenta& c : {Cuenta{"1201010010001", true, true}, {" 1201020010001 ", true, true},
                            {"1101010010001", true, false}, {"9999", false, false}, {"", false, false}}) {
        bool esBien = true;
        EXPECT_EQ(cfg.ExisteCuenta(QString::fromLatin1(c.codigo), esBien), c.existe) << c.codigo;
        EXPECT_EQ(esBien, c.bienes) << c.codigo;
    }
    // Codes are numbers: the next one follows the highest, not the last in text order.
    con().Insertar("MA_BIENES", {{"CODIGO", 10}});
    con().Insertar("MA_BIENES", {{"CODIGO", 9}});
    EXPECT_EQ(cfg.NuevoCodigoBien(), QStringLiteral("11"));
    con().EjecutarSQL("DELETE FROM MV_CALCULO_BIENES");
    con().EjecutarSQL("DELETE FROM MA_BIENES_NOVEDADES");
    con().EjecutarSQL("DELETE FROM MA_BIENES");
    EXPECT_EQ(cfg.NuevoCodigoBien(), QStringLiteral("1"));
}

TEST_P(ConfiguracionBienes, EjercicioDeCompra)
{
    // Year 1 is 2025, year 2 is 2026 in the demo company.
    struct Caso { QDate fecha; qint64 periodo; bool novedad; const char* mensaje; };
    const Caso casos[] = {
        {QDate(2025, 3, 1), 1, false, ""},
        {QDate(2025, 3, 1), 2, false, "La fecha ingresada no pertenece al periodo informado"},
        {QDate(2025, 3, 1), 2, true, ""}, // an improvement may fall in another year
        {QDate(2026, 12, 31), 2, false, ""},
        {QDate(2020, 5, 5), 1, false, ""}, // outside every year: the typed year must exist
        {QDate(2020, 5, 5), 7, false, "La fecha de compra no pertenece al ejercicio informado"},
        {QDate(), 1, false, "La fecha ingresada no es válida"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(bienes::ValidaEjercicioCompra(con(), c.fecha, c.periodo, c.novedad), QString::fromUtf8(c.mensaje))
            << c.fecha.toString().toStdString() << " " << c.periodo;
    EXPECT_EQ(bienes::UltimoEjercicio(con()), 2);
}

VEXA_AMBOS_MOTORES(ConfiguracionBienes);
