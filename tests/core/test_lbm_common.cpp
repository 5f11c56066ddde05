#include "EstadoGlobal.h"
#include "LBM_Common.h"

#include "Entorno.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace vexa;

namespace {

TEST(FormularioComun, MayusculaKeyAscii)
{
    struct Caso { int tecla; int conBandera; };
    const Caso casos[] = {
        {'a', 'A'}, {'z', 'Z'}, {0xF1 /* ñ */, 0xD1 /* Ñ */}, {'A', 'A'}, {'5', '5'}, {'.', '.'},
        {0xE1 /* á */, 0xE1}, {0xFC /* ü */, 0xFC}, {8 /* Backspace */, 8}, {13 /* Enter */, 13}, {'-', '-'},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(MayusculaKeyAscii(qint16(c.tecla), true), c.conBandera) << c.tecla;
        EXPECT_EQ(MayusculaKeyAscii(qint16(c.tecla), false), c.tecla) << c.tecla;
    }
}

class Impresion : public ::testing::Test {
protected:
    void SetUp() override
    {
        plataforma::instalarImpresora(&impresora);
        plataforma::fijarAhora(QDateTime(QDate(2003, 5, 14), QTime(9, 30)));
    }
    void TearDown() override
    {
        plataforma::instalarImpresora(nullptr);
        plataforma::fijarAhora(QDateTime());
    }
    plataforma::ImpresoraGuion impresora;
};

TEST_F(Impresion, CabeceraYElementosEnOrden)
{
    ImprimirLista({"uno", "dos", "tres"});
    ASSERT_EQ(impresora.trabajos.size(), 1);
    const auto& t = impresora.trabajos[0];
    EXPECT_EQ(t.titulo, "Listado Testigo");
    const QString sangria(59, u' ');
    const QLocale l = QLocale::system();
    EXPECT_EQ(t.lineas, (QStringList{"", sangria + "Fecha: " + l.toString(QDate(2003, 5, 14), QLocale::LongFormat),
                                     sangria + "Hora: " + l.toString(QTime(9, 30), QLocale::ShortFormat), "", "", "uno", "dos", "tres"}));

    ImprimirLista({"x"}, QStringLiteral("errores de la recepción"));
    EXPECT_EQ(impresora.trabajos[1].titulo, "ERRORES DE LA RECEPCIÓN");
}

TEST_F(Impresion, ListaVaciaNoImprimeNada)
{
    ImprimirLista({}, QStringLiteral("titulo"));
    EXPECT_TRUE(impresora.trabajos.isEmpty());
}

} // namespace
