// The checks of the adjustment header's fields without a window, a
// QApplication or a database: the company answers from a small table.
#include "AsientoAjuste.h"
#include "CamposAjuste.h"

#include <gtest/gtest.h>

#include <QMap>

using namespace vexa::ajuste;

namespace {

// Voucher types: "AJUS" numbers its own vouchers (letters "AB", last 0001-00000041),
// "RECI" is received (letters "X"), "VENT" has letters but not for accounting.
class ConsultasTabla : public ConsultasCabecera {
public:
    bool existeCuenta(const QString& codigo) override { return codigo == QLatin1String("5101"); }
    QString descripcionCuenta(const QString& codigo) override { return "Cuenta " + codigo; }
    QString letras(const QString& tc, bool soloContable) override
    {
        if (tc == QLatin1String("AJUS")) return QStringLiteral("AB ");
        if (tc == QLatin1String("RECI")) return QStringLiteral("X");
        if (tc == QLatin1String("VENT")) return soloContable ? QString() : QStringLiteral("A");
        return {};
    }
    QString descripcionComprobante(const QString& tc) override { return "Tipo " + tc; }
    bool comprobanteEntrada(const QString& tc) override { return tc == QLatin1String("RECI"); }
    void datosComprobante(const QString& tc, QString& sucursal, QString& numero, QString& letra) override
    {
        if (tc != QLatin1String("AJUS")) return;
        sucursal = QStringLiteral("0001");
        numero = QStringLiteral("00000041");
        if (letra.isEmpty()) letra = QStringLiteral("A");
    }
    bool validaComprobante(const QString&, const QString&, QString& numero, const QString& letra, QString& mensaje) override
    {
        numero = QStringLiteral("00000042");
        if (letra == QLatin1String("B")) mensaje = QStringLiteral("Comprobante existente");
        return letra != QLatin1String("B");
    }
    bool fechaValida(const QString& fecha, QString& mensaje) override
    {
        if (fecha == QLatin1String("31/12/2026")) return true;
        if (fecha == QLatin1String("01/01/2020")) mensaje = QStringLiteral("Fecha fuera del ejercicio");
        return false;
    }
    QString numeroAsiento(const QDate& fecha, QString& numero) override
    {
        numero = QStringLiteral("7");
        return QStringLiteral("%1-0000007").arg(fecha.month(), 2, 10, QLatin1Char('0'));
    }
    QDate ejercicioDesde() override { return QDate(2026, 1, 1); }
    QDate ejercicioHasta() override { return QDate(2026, 12, 31); }
    void recordarComprobante(const QString& tc) override { recordados << tc; }
    QStringList recordados;
};

struct Caso {
    const char* campo;
    const char* texto;
    EstadoCabecera estado;
    QString mensaje;                 // "" the field is right
    QMap<QString, QString> textos;   // what it recomputes
    ResultadoCampo::Caja caja = ResultadoCampo::Caja::Campo;
    QString aviso;
};

TEST(CamposAjuste, CadaCampoSeCompruebaComoSuTabla)
{
    using C = ResultadoCampo::Caja;
    const EstadoCabecera ajus{{"TC", "AJUS"}, {"LETRA", ""}};
    const EstadoCabecera reci{{"TC", "RECI"}};
    const EstadoCabecera periodos{{"PERIODO_DESDE", "03/2026"}, {"PERIODO_HASTA", "06/2026"}};
    const std::vector<Caso> casos = {
        {"CTA_REI", "  ", {}, kMensajeSinCuentaRei, {}},
        {"CTA_REI", "9999", {}, kMensajeCodigoInexistente, {}},
        {"CTA_REI", " 5101 ", {}, "", {}},
        {"TC", "ZZZZ", {}, kMensajeTCSinLetras, {}},
        {"TC", "VENT", {}, kMensajeTCSinLetras, {}},
        {"TC", "AJUS", {}, "", {{"SUCURSAL", "0001"}, {"NUMERO", "00000041"}, {"LETRA", "A"}}},
        {"TC", "RECI", {}, "", {{"LETRA", "X"}}},
        {"SUCURSAL", "", {}, "", {{"SUCURSAL", "0001"}}},
        {"SUCURSAL", " 7 ", {}, "", {{"SUCURSAL", "0007"}}},
        {"SUCURSAL", "1A", {}, kMensajeSucursalNumerica, {}},
        {"NUMERO", "5", ajus, "", {{"NUMERO", "00000005"}}},
        {"NUMERO", "50", ajus, "", {{"NUMERO", "00000050"}}, C::Campo, kAvisoNoCorrelativo},
        {"NUMERO", "50", reci, "", {{"NUMERO", "00000050"}}},
        {"NUMERO", "X1", ajus, kMensajeNumerico, {}},
        {"NUMERO", "5", {{"TC", "ZZZZ"}}, kMensajeSinLetras, {}},
        {"LETRA", "Z", ajus, kMensajeLetras, {}},
        {"LETRA", "C", ajus, kMensajeLetraAjena, {}},
        {"LETRA", "a", ajus, kMensajeLetraAjena, {}},
        {"LETRA", "A", ajus, "", {{"SUCURSAL", "0001"}, {"NUMERO", "00000042"}}},
        {"LETRA", "B", ajus, "Comprobante existente", {{"SUCURSAL", "0001"}, {"NUMERO", "00000042"}}},
        {"LETRA", "X", reci, "", {}},
        {"DETALLE", " ", {}, kMensajeSinConcepto, {}},
        {"DETALLE", "Ajuste", {}, "", {}},
        {"FECHA", "31/12/2026", {}, "", {{"[NUMERO ASIENTO]", "12-0000007"}}},
        {"FECHA", "01/01/2020", {}, "Fecha fuera del ejercicio", {}},
        {"FECHA", "xx", {}, " ", {}},
        {"PERIODO_DESDE", "", periodos, kMensajeSinPeriodo, {}},
        {"PERIODO_DESDE", "03/26", periodos, kMensajeFormatoPeriodo, {}},
        {"PERIODO_DESDE", "13/2026", periodos, kMensajePeriodoInvalido, {}},
        {"PERIODO_DESDE", "03/2026", periodos, "", {}},
        {"PERIODO_DESDE", "07/2026", {{"PERIODO_DESDE", "07/2026"}, {"PERIODO_HASTA", "06/2026"}}, kMensajeDesdeMayor, {}},
        {"PERIODO_HASTA", "06/2027", {{"PERIODO_DESDE", "12/2026"}, {"PERIODO_HASTA", "06/2027"}}, kMensajeHastaFuera, {}, C::Inmediata},
        {"PERIODO_DESDE", "12/2025", {{"PERIODO_DESDE", "12/2025"}, {"PERIODO_HASTA", "06/2026"}}, kMensajeDesdeFuera, {}, C::Inmediata},
        {"NUMERO ASIENTO", "x", {}, "", {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " '" + c.texto + "'");
        ConsultasTabla consultas;
        const ResultadoCampo r = ValidarCampo(QString::fromLatin1(c.campo), QString::fromLatin1(c.texto), c.estado, consultas);
        EXPECT_EQ(r.mensaje, c.mensaje);
        EXPECT_EQ(r.error(), !c.mensaje.isEmpty());
        if (!c.mensaje.trimmed().isEmpty()) EXPECT_EQ(r.caja, c.caja);
        EXPECT_EQ(r.aviso, c.aviso);
        QMap<QString, QString> textos;
        for (auto it = r.textos.cbegin(); it != r.textos.cend(); ++it) textos.insert(it.key(), it.value());
        EXPECT_EQ(textos, c.textos);
    }
}

// What a right field tells the window besides its texts.
TEST(CamposAjuste, LoQueRecalculaCadaCampoCorrecto)
{
    ConsultasTabla c;
    ResultadoCampo r = ValidarCampo("cta_rei", "5101", {}, c);
    EXPECT_EQ(r.descripcionCuenta, QString("Cuenta 5101"));
    EXPECT_TRUE(r.cuentaIngresada);

    r = ValidarCampo("TC", "AJUS", {}, c);
    EXPECT_EQ(r.descripcionComprobante, QString("Tipo AJUS"));
    EXPECT_TRUE(r.comprobanteBloqueado);
    r = ValidarCampo("TC", "", {}, c); // kept for the next time even when refused
    EXPECT_FALSE(r.comprobanteBloqueado);
    EXPECT_EQ(c.recordados, (QStringList{"AJUS", ""}));

    EXPECT_TRUE(ValidarCampo("LETRA", "A", {{"TC", "AJUS"}}, c).cabeceraCompleta);
    EXPECT_FALSE(ValidarCampo("LETRA", "B", {{"TC", "AJUS"}}, c).cabeceraCompleta);

    EXPECT_EQ(ValidarCampo("FECHA", "31/12/2026", {}, c).nroAsiento, QString("7"));

    r = ValidarCampo("PERIODO_HASTA", "06/2026", {{"PERIODO_DESDE", "03/2026"}, {"PERIODO_HASTA", "06/2026"}}, c);
    EXPECT_EQ(r.fechaDesde, QString("01/03/2026"));
    EXPECT_EQ(r.fechaHasta, QString("01/06/2026"));
}

// One entry per checked field, each naming what it recomputes.
TEST(CamposAjuste, UnaEntradaPorCampo)
{
    QStringList campos;
    for (const ReglaCampo& r : ReglasCabecera()) {
        EXPECT_NE(r.comprobar, nullptr) << r.campo.toStdString();
        EXPECT_FALSE(campos.contains(r.campo)) << r.campo.toStdString();
        campos << r.campo;
    }
    EXPECT_EQ(campos, (QStringList{"CTA_REI", "TC", "SUCURSAL", "NUMERO", "LETRA", "DETALLE", "FECHA", "PERIODO_DESDE",
                                   "PERIODO_HASTA"}));
    EXPECT_EQ(ReglaDe(" letra ")->recalcula, (QStringList{"SUCURSAL", "NUMERO"}));
    EXPECT_EQ(ReglaDe("CABIMPORTE"), nullptr);
}

} // namespace
