#include "EstadoTransaccion.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

// A library's own layer: the texts each level added, in order.
struct CapaTextos : CapaExtension {
    QStringList textos;
    void fundirEn(CapaExtension& padre) override { dynamic_cast<CapaTextos&>(padre).textos += textos; }
};

QStringList textos(const EstadoTransaccion& e)
{
    QStringList t;
    e.paraCadaExtension<CapaTextos>([&](const CapaTextos& c) {
        t = c.textos + t;
        return false;
    });
    return t;
}

NumeracionPendiente numeracion(qint64 v) { return {"FC", "1", QString::number(v), "A", v}; }

} // namespace

// A pending numbering forgotten in a savepoint is forgotten only while the
// savepoint stands: rolling it back brings the enclosing level's value back.
TEST(EstadoTransaccion, LoOlvidadoEnUnNivelDeshechoVuelve)
{
    for (const bool confirmar : {false, true}) {
        EstadoTransaccion e;
        e.abrirNivel();
        e.fijarNumeracionPendiente("k", numeracion(4));
        e.fijarClavesNumeracion({"k"});
        e.abrirNivel();
        e.olvidarNumeracion("k");
        e.fijarClavesNumeracion({});
        EXPECT_FALSE(e.numeracionPendiente("k"));
        if (confirmar)
            e.confirmarNivel();
        else
            e.deshacerNivel();
        EXPECT_EQ(e.numeracionPendiente("k").has_value(), !confirmar) << confirmar;
        EXPECT_EQ(e.clavesNumeracion(), confirmar ? QStringList() : QStringList{"k"}) << confirmar;
    }
}

// Marks and the highest lock follow the savepoints; numbers taken last until
// the transaction ends.
TEST(EstadoTransaccion, CadaDatoDuraLoQueDebe)
{
    EstadoTransaccion e;
    e.abrirNivel();
    e.fijarMayorBloqueo({0, 5});
    e.abrirNivel();
    e.marcarBloqueoTomado(9);
    e.marcarComprobanteVisto("V");
    e.marcarFamiliaBloqueada("F");
    e.fijarMayorBloqueo({1, 2});
    e.fijarNumeroTomado("F", 12);
    e.deshacerNivel();
    EXPECT_FALSE(e.bloqueoTomado(9));
    EXPECT_FALSE(e.comprobanteVisto("V"));
    EXPECT_FALSE(e.familiaBloqueada("F"));
    EXPECT_EQ(e.mayorBloqueo(), (OrdenBloqueo{0, 5}));
    EXPECT_EQ(e.numeroTomado("F"), 12);
    e.abrirNivel();
    e.marcarBloqueoTomado(9);
    e.fijarMayorBloqueo({1, 2});
    e.confirmarNivel();
    EXPECT_TRUE(e.bloqueoTomado(9));
    EXPECT_EQ(e.mayorBloqueo(), (OrdenBloqueo{1, 2}));
    e.terminar();
    EXPECT_FALSE(e.numeroTomado("F"));
    EXPECT_FALSE(e.mayorBloqueo());
}

// A library's layer is merged by the library on release and dropped on rollback.
TEST(EstadoTransaccion, LaCapaDeUnaBibliotecaSigueASusNiveles)
{
    EstadoTransaccion e;
    EXPECT_EQ(e.capaExtension<CapaTextos>(), nullptr); // outside a transaction
    e.abrirNivel();
    e.capaExtension<CapaTextos>()->textos << "a";
    e.abrirNivel();
    e.capaExtension<CapaTextos>()->textos << "b";
    EXPECT_EQ(textos(e), (QStringList{"a", "b"}));
    e.deshacerNivel();
    EXPECT_EQ(textos(e), QStringList{"a"});
    e.abrirNivel();
    e.abrirNivel();
    e.capaExtension<CapaTextos>()->textos << "c";
    e.confirmarNivel(); // the enclosing level had no layer: it takes this one
    e.confirmarNivel(); // merged into the outermost one
    EXPECT_EQ(textos(e), (QStringList{"a", "c"}));
}
