// The daily rate table without windows: what the rate grid shows, a row's
// rates written back, and the prompt's rate of one currency on one day.
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "Cotizaciones.h"
#include "Ejercicios.h"
#include "Progreso.h"

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::cotizacion;

namespace {

void fijar(Conexion& c, const QString& clave, const QVariant& valor)
{
    c.EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE = ?", {clave});
    if (!valor.isNull()) c.Insertar("TA_CONFIGURACION", {{"CLAVE", clave}, {"VALOR", valor}});
}

qint64 dia(Conexion& c, const QDateTime& fh, const QList<QVariant>& tasas)
{
    Valores v{{"FECHA_HORA", fh}};
    for (int i = 0; i < 5; ++i)
        v.push_back({QStringLiteral("Moneda%1").arg(i + 1), i < tasas.size() && !tasas[i].isNull()
                                                                ? QVariant::fromValue(*Moneda::parsear(tasas[i].toString()))
                                                                : QVariant()});
    c.Insertar("TA_COTIZACION", v);
    return c.Escalar("SELECT MAX(ID) FROM TA_COTIZACION").toLongLong();
}

QString textoFila(const FilaCotizacion& f)
{
    QStringList t;
    for (const auto& m : f.tasas) t << (m ? TextoTasa(m) : QStringLiteral("-"));
    return TextoDia(f.fechaHora) + "=" + t.join('/');
}

QStringList textos(const std::vector<FilaCotizacion>& v)
{
    QStringList r;
    for (const auto& f : v) r << textoFila(f);
    return r;
}

class Cotizacion : public BaseDePrueba {};

} // namespace

TEST(CotizacionTextos, TextosYLectura)
{
    struct Caso { QString texto; std::optional<qint64> unidades; };
    const Caso casos[] = {
        {"1,5", 15000}, {"1.5", 15000}, {" 7 ", 70000}, {"-2.25", -22500}, {"0.00005", 1},
        {"", std::nullopt}, {"  ", std::nullopt}, {"abc", std::nullopt}, {"1.5x", std::nullopt}, {"1,2,3", std::nullopt},
    };
    for (const auto& c : casos) {
        const auto m = LeerTasa(c.texto);
        EXPECT_EQ(m.has_value(), c.unidades.has_value()) << c.texto.toStdString();
        if (m && c.unidades) EXPECT_EQ(m->unidades(), *c.unidades) << c.texto.toStdString();
    }
    EXPECT_EQ(TextoTasa(Moneda::desdeUnidades(15000)), "1.5");
    EXPECT_EQ(TextoTasa(Moneda::entero(1050)), "1050");
    EXPECT_EQ(TextoTasa(Moneda::desdeUnidades(1)), "0.0001");
    EXPECT_EQ(TextoTasa(Moneda()), "0");
    EXPECT_EQ(TextoTasa(Moneda::desdeUnidades(-22500)), "-2.25");
    EXPECT_EQ(TextoTasa(std::nullopt), "");
    EXPECT_EQ(TextoDia(QDateTime(QDate(2027, 3, 5), QTime(0, 0))), "05/03/2027");
    EXPECT_EQ(TextoDia(QDateTime(QDate(2027, 3, 5), QTime(14, 30))), "05/03/2027 14:30");
    EXPECT_EQ(TextoDia(QDateTime(QDate(2027, 3, 5), QTime(14, 30, 5))), "05/03/2027 14:30:05");

    EXPECT_TRUE(UsaMultiplesMonedas("si"));
    EXPECT_TRUE(UsaMultiplesMonedas(" SI "));
    EXPECT_FALSE(UsaMultiplesMonedas("NO"));
    EXPECT_FALSE(UsaMultiplesMonedas(" "));
}

TEST(CotizacionTextos, AceptacionDelPrompt)
{
    struct Caso { QString texto; QString mensaje; qint64 unidades; };
    const Caso casos[] = {
        {"0", mensajes::cero(), 0},
        {"0.00", mensajes::cero(), 0},
        {"0,0", mensajes::cero(), 0},
        {"", mensajes::noNumerica(), 0},
        {"abc", mensajes::noNumerica(), 0},
        {"-3.5", "", -35000}, // a negative rate is accepted
        {"1050,25", "", 10502500},
    };
    for (const auto& c : casos) {
        Moneda m = Moneda::entero(99);
        EXPECT_EQ(ValidarCotizacion(c.texto, &m), c.mensaje) << c.texto.toStdString();
        if (c.mensaje.isEmpty()) EXPECT_EQ(m.unidades(), c.unidades) << c.texto.toStdString();
    }
}

TEST_P(Cotizacion, FilasDelRangoPorDiaCalendario)
{
    const QDate hoy(2027, 3, 10);
    dia(con(), QDateTime(QDate(2027, 2, 28), QTime(23, 59)), {"9"}); // before "[FECHA DESDE]"
    dia(con(), QDateTime(QDate(2027, 3, 1), QTime(0, 0)), {"1", "2.5", QVariant(), "4", "5"});
    dia(con(), QDateTime(QDate(2027, 3, 9), QTime(0, 0)), {"1", "2"});
    dia(con(), QDateTime(QDate(2027, 3, 10), QTime(14, 30)), {"1", "3"}); // today, after midnight: shown
    dia(con(), QDateTime(QDate(2027, 3, 11), QTime(0, 0)), {"1", "4"});   // after today
    const QStringList esperado{"10/03/2027 14:30=1/3/-/-/-", "09/03/2027=1/2/-/-/-", "01/03/2027=1/2.5/-/4/5"};
    EXPECT_EQ(textos(LeerCotizaciones(con(), QDate(2027, 3, 1), hoy)), esperado);
    // No lower bound.
    EXPECT_EQ(textos(LeerCotizaciones(con(), QDate(), hoy)).size(), 4);

    // "[FECHA DESDE]" read day first; blank or missing: the active year's first day.
    con().Insertar("MV_EJERCICIOS", {{"PERIODO", 4}, {"DESCRIPCION", "E4"}, {"[FECHA DESDE]", QDate(2027, 2, 1)},
                                     {"[FECHA HASTA]", QDate(2028, 1, 31)}});
    struct Caso { QVariant valor; QDate primero; };
    const Caso casos[] = {
        {"01/03/2027", QDate(2027, 3, 1)}, {"05/02/2027", QDate(2027, 2, 5)}, {" ", QDate(2027, 2, 1)},
        {QVariant(), QDate(2027, 2, 1)},
    };
    for (const auto& c : casos) {
        fijar(con(), "[FECHA DESDE]", c.valor);
        ContextoEmpresa ctx(con());
        ctx.setPeriodoActivo("4");
        EXPECT_EQ(PrimerDiaMostrado(ctx), c.primero) << c.valor.toString().toStdString();
    }
}

TEST_P(Cotizacion, GrabarTasasPorIdSinTocarElDia)
{
    const qint64 id = dia(con(), QDateTime(QDate(2027, 3, 5), QTime(14, 30)), {"1", "2", QVariant(), "4", "5"});
    const qint64 otro = dia(con(), QDateTime(QDate(2027, 5, 3), QTime(0, 0)), {"1", "1", "1", "1", "1"});
    Tasas t;
    t[0] = Moneda::entero(1);
    t[1] = *Moneda::parsear("1.5");
    t[3] = Moneda::entero(4);
    t[4] = Moneda::entero(5);
    EXPECT_EQ(GrabarTasas(con(), id, t), 1);
    auto f = con().PrimeraFila("SELECT * FROM TA_COTIZACION WHERE ID = ?", {id});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fechaHora("FECHA_HORA"), QDateTime(QDate(2027, 3, 5), QTime(14, 30)));
    EXPECT_EQ(f->moneda("Moneda2"), *Moneda::parsear("1.5"));
    EXPECT_TRUE(f->esNulo("Moneda3")); // an empty rate stays empty
    EXPECT_EQ(con().PrimeraFila("SELECT Moneda2 FROM TA_COTIZACION WHERE ID = ?", {otro})->moneda("Moneda2"), Moneda::entero(1));
    EXPECT_EQ(GrabarTasas(con(), 999999, t), 0);
}

TEST_P(Cotizacion, TasaDeUnDiaYMonedasDelPrompt)
{
    dia(con(), QDateTime(QDate(2027, 3, 5), QTime(10, 0)), {"1", "2", "3.25", QVariant(), "5"});
    struct Caso { QDate dia; int moneda; QString tasa; };
    const Caso casos[] = {
        {QDate(2027, 3, 5), 3, "3.25"}, // stored at 10:00, found by its day
        {QDate(2027, 3, 5), 4, ""},     // an empty rate
        {QDate(2027, 3, 6), 3, ""},     // no row that day
        {QDate(), 3, ""},
        {QDate(2027, 3, 5), 6, ""},
    };
    for (const auto& c : casos) EXPECT_EQ(TextoTasa(TasaDelDia(con(), c.dia, c.moneda)), c.tasa) << c.dia.toString().toStdString() << c.moneda;

    for (const char* c : {"3", "1", "0001", "7", "2"})
        con().Insertar("TA_MONEDAS", {{"CODIGO", c}, {"DESCRIPCION", QStringLiteral(" Moneda %1 ").arg(c)}});
    QStringList m;
    for (const auto& x : MonedasConCotizacion(con())) m << x.codigo + "=" + x.descripcion;
    EXPECT_EQ(m, QStringList({"1=Moneda 1", "2=Moneda 2", "3=Moneda 3"}));
    EXPECT_EQ(DescripcionesMonedas(con()), QStringList({"MONEDA 1", "MONEDA 2", "MONEDA 3", "", ""}));
}

VEXA_AMBOS_MOTORES(Cotizacion);

namespace {
class CotizacionDemo : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};
} // namespace

// The demo company works with several currencies and has the rates of its
// year's first days: the fill brings them up to any later day.
TEST_P(CotizacionDemo, MonedasYPrimerosDias)
{
    ContextoEmpresa ctx(con());
    EXPECT_TRUE(UsaMultiplesMonedas(ctx.configuracion().ObtieneValor("UsaMultilesMonedas")));
    EXPECT_EQ(DescripcionesMonedas(con()).size(), 5);
    EXPECT_FALSE(DescripcionesMonedas(con()).contains(QString()));
    const auto filas = LeerCotizaciones(con(), QDate(2026, 1, 1), QDate(2026, 12, 31));
    ASSERT_FALSE(filas.empty());
    EXPECT_EQ(filas.back().fechaHora, QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    const FilaCotizacion ultima = filas.front();
    ProgresoNulo p;
    const QDate hoy(2026, 12, 10);
    EXPECT_EQ(ejercicios::LlenarHuecosHastaHoy(ctx, hoy, p), ultima.fechaHora.date().daysTo(hoy));
    const auto despues = LeerCotizaciones(con(), QDate(2026, 1, 1), hoy);
    EXPECT_EQ(despues.size(), size_t(QDate(2026, 1, 1).daysTo(hoy) + 1));
    EXPECT_EQ(despues.front().tasas, ultima.tasas); // today carries the newest demo day's rates
}

VEXA_AMBOS_MOTORES(CotizacionDemo);
