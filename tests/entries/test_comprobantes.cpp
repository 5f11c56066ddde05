// Voucher rules of the entry service and the voucher-number formats.
#include "AsientosDePrueba.h"

#include "Dialogos.h"

using namespace vexa;
using namespace vexa::prueba;
using plataforma::GuionDialogos;

namespace {

class Comprobantes : public BaseAsientos {
protected:
    bool conDemo() const override { return true; }

    // One line of a posted voucher (period 2).
    void voucher(int mes, int nro, const QString& tc, const QString& suc, const QString& numero, const QString& letra,
                 const QString& cabCuenta = QString(), const QString& tipoReg = "VTAS")
    {
        lineaAsiento(con(), 2, mes, nro, 1, tipoReg,
                     {{"TC", tc}, {"SUCURSAL", suc}, {"NUMERO", numero}, {"LETRA", letra}, {"CABCUENTA", cabCuenta}});
    }
};

TEST(FormatoComprobante, Tabla)
{
    struct Caso { QString suc, nro, letra, esperado; };
    const Caso casos[] = {
        {"1", "25", "A", "0001-00000025A"},
        {"", "", "", "0000-00000000 "},
        {"12345", "7", "B", "12345-00000007B"}, // a minimum width, not a maximum
        {"1", "25B", "C", "0001-00000025C"},
        {"1", "B25", "C", "0001-00000000C"},
        {" 3", "2.6", "AB", "0003-00000003A"},  // decimals rounded; the letter fitted to one character
        {"1", "99999999999999999999", "A", "0001-100000000000000000000A"}, // beyond 64 bits: the digits as read
        {"-1", "9223372036854775808", "A", "-0001-9223372036854775808A"},
    };
    for (const auto& c : casos) {
        QString suc = c.suc, nro = c.nro, letra = c.letra;
        EXPECT_EQ(FormatoNumeroComprobante(suc, nro, letra), c.esperado);
        EXPECT_EQ(suc, c.suc); // the caller's texts are unchanged
    }
}

TEST_P(Comprobantes, SignoDelTipo)
{
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00S1"}, {"SIGNO", QVariant(QMetaType::fromType<QString>())}});
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00S2"}, {"SIGNO", ""}});
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00S3"}, {"SIGNO", "*"}});
    struct Caso { QString tc; qint16 signo; };
    const Caso casos[] = {{"FA", 1}, {" fa ", 1}, {"00NC", -1}, {"NC", -1}, {"ZZ", 0}, {"S1", 1}, {"S2", 0}, {"S3", 0}};
    for (const auto& c : casos) EXPECT_EQ(SignoComprobante(c.tc, con()), c.signo) << c.tc.toStdString();
}

TEST_P(Comprobantes, SubdiariosYTipos)
{
    Lbc_Asiento a(&con());
    EXPECT_TRUE(a.ValidaSubdiarioTC("VTAS", "00FA"));
    EXPECT_TRUE(a.ValidaSubdiarioTC(" vtas ", "00fa "));
    EXPECT_FALSE(a.ValidaSubdiarioTC("VTAS", "00FP"));
    EXPECT_FALSE(a.ValidaSubdiarioTC("NADA", "00FA"));
    EXPECT_TRUE(a.ValidaTCRegistraciones("00FP"));
    EXPECT_TRUE(a.ValidaTCRegistraciones(" 00fp "));
    EXPECT_FALSE(a.ValidaTCRegistraciones("00ZZ"));
}

TEST_P(Comprobantes, FechasCerradasPorAsientosResumen)
{
    auto resumen = [&](int id, const QString& sub, int per, QDate d, QDate h, QVariant anulado) {
        con().Insertar("MV_CONTROL_AS_RES", {{"ID", id}, {"SUBDIARIO", sub}, {"PERIODO", per}, {"FECHA_DESDE", d},
                                             {"FECHA_HASTA", h}, {"ANULADO", anulado}});
    };
    resumen(1, "VTAS", 2, QDate(2026, 3, 1), QDate(2026, 3, 31), 0);
    resumen(2, "VTAS", 2, QDate(2026, 4, 1), QDate(2026, 4, 30), 1);
    resumen(3, "VTAS", 2, QDate(2026, 5, 1), QDate(2026, 5, 31), QVariant(QMetaType::fromType<int>()));
    resumen(4, "VTAS", 1, QDate(2026, 6, 1), QDate(2026, 6, 30), 0);
    resumen(5, "COMP", 2, QDate(2026, 7, 1), QDate(2026, 7, 31), 0);
    Lbc_Asiento a(&con());
    struct Caso { QString fecha, sub; bool esperado; };
    const Caso casos[] = {
        {"01/03/2026", "VTAS", false}, {"31/03/2026", "VTAS", false}, {"15/03/2026", " vtas ", false},
        {"01/04/2026", "VTAS", true},  // reversed
        {"15/05/2026", "VTAS", true},  // no value: passed over
        {"15/06/2026", "VTAS", true},  // another year
        {"15/07/2026", "VTAS", true},  {"15/07/2026", "COMP", false}, {"15/03/2026", "NADA", true},
    };
    for (const auto& c : casos)
        EXPECT_EQ(a.ValidaFechaSubdiario(c.fecha, c.sub), c.esperado) << c.fecha.toStdString() << " " << c.sub.toStdString();
    EXPECT_THROW(a.ValidaFechaSubdiario("no es fecha", "VTAS"), ErrorVexa);

    // Reversed summary entries: "MM-ID", the month is FECHA_DESDE's.
    GuionDialogos guion;
    EXPECT_TRUE(a.AsientoResumenAnulado("VTAS", "04-0000002"));
    ASSERT_EQ(guion.mostrados.size(), 1);
    EXPECT_EQ(guion.ultimo(), "Este Asiento Resumen ya fue Contrasentado!!!");
    EXPECT_EQ(guion.mostrados.last().estilo, plataforma::vbOKOnly | plataforma::vbCritical);
    EXPECT_FALSE(a.AsientoResumenAnulado("VTAS", "03-1"));  // not reversed
    EXPECT_FALSE(a.AsientoResumenAnulado("VTAS", "05-2"));  // another month
    EXPECT_FALSE(a.AsientoResumenAnulado("COMP", "04-2"));
    EXPECT_EQ(guion.mostrados.size(), 1);
    guion.respuestaPorDefecto = plataforma::vbAbort;
    EXPECT_FALSE(a.AsientoResumenAnulado("VTAS", "0000002")); // no month: reported to the error handler
    EXPECT_EQ(guion.mostrados.size(), 2);
}

TEST_P(Comprobantes, DatosDelComprobantePorLetra)
{
    struct Caso { QString tc, suc, nro, letra, sucE, nroE, letraE; };
    const Caso casos[] = {
        {"FA", "x", "y", "A", "0001", "00000125", "A"},
        {"00FA", "x", "y", " b ", "0001", "00000048", "b"},
        {"FA", "x", "y", "C", "0000", "00000000", "C"},   // a letter without numbering
        {"FA", "x", "y", "Z", "x", "y", "Z"},             // not one of the six: unchanged
        {"FA", "x", "y", "", "x", "y", ""},               // no letter: nothing to name a column with
        {"FA", "x", "y", "AB", "x", "y", "AB"},
        {"QQ", "x", "y", "A", "", "", ""},                // no such type
    };
    Lbc_Asiento a(&con());
    GuionDialogos guion;
    for (const auto& c : casos) {
        QString suc = c.suc, nro = c.nro, letra = c.letra;
        a.DatosComprobante(c.tc, suc, nro, letra);
        EXPECT_EQ(suc, c.sucE) << c.tc.toStdString() << "/" << c.letra.toStdString();
        EXPECT_EQ(nro, c.nroE) << c.tc.toStdString() << "/" << c.letra.toStdString();
        EXPECT_EQ(letra, c.letraE);
    }
    EXPECT_TRUE(guion.mostrados.isEmpty());
}

TEST_P(Comprobantes, LetraSegunCondicionDeIVA)
{
    struct Caso { QVariant condiva; QString cliente, letra; };
    const Caso casos[] = {
        {"1", "1", "A"}, {"1", "2", "A"}, {"1", "3", "B"}, {" 1", "4", "B"},
        {"2", "1", "C"}, {"", "1", "Z"}, {QVariant(), "1", "Z"},
    };
    Lbc_Asiento a(&con());
    for (const auto& c : casos) {
        fijarValor(con(), "CONDIVA", c.condiva);
        EXPECT_EQ(a.DeterminaLetra(c.cliente), c.letra) << c.condiva.toString().toStdString() << "/" << c.cliente.toStdString();
    }
}

TEST_P(Comprobantes, ComprobanteDeEntradaONumeracionPropia)
{
    const QVariant nulo = QVariant(QMetaType::fromType<int>());
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00T1"}, {"LETRAS", "AB"}, {"B_NRO_DESDE", 1}});
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00T2"}, {"LETRAS", "A"}, {"A_ULTIMO_NRO", nulo}, {"A_NRO_DESDE", nulo}, {"A_NRO_HASTA", nulo}});
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00T3"}, {"LETRAS", "A"}, {"B_ULTIMO_NRO", 9}}); // only allowed letters count
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00T4"}, {"LETRAS", ""}, {"A_ULTIMO_NRO", 9}});
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00T5"}, {"LETRAS", "a"}, {"A_NRO_HASTA", 50}});
    struct Caso { QString tc; bool entrada; };
    const Caso casos[] = {{"FA", false}, {"FP", true}, {"00CP", true}, {"ZZ", true}, {"T1", false},
                          {"T2", true}, {"T3", true}, {"T4", true}, {"T5", false}, {"RC", false}};
    Lbc_Asiento a(&con());
    GuionDialogos guion;
    for (const auto& c : casos) EXPECT_EQ(a.ComprobanteEntrada(c.tc), c.entrada) << c.tc.toStdString();
    EXPECT_TRUE(guion.mostrados.isEmpty()) << guion.ultimo().toStdString();
}

TEST_P(Comprobantes, ExisteEnMVAsientosComparaComoNumeros)
{
    voucher(3, 1, "00FP", "0001", "00000025", "A", "2110010001");
    voucher(3, 2, "00FP", "0002", "ABC", "A"); // a stored number that is not a number
    voucher(3, 3, "FP", "3", "7", "B");        // stored unpadded
    Lbc_Asiento a(&con());
    struct Caso { QString tc, suc, nro, l; QVariant prov; bool esperado; };
    const Caso casos[] = {
        {"00FP", "1", "25", "A", {}, true},
        {"00fp ", "0001", "00000025", " a", {}, true},
        {"00FP", "1", "25", "B", {}, false},
        {"00FP", "2", "25", "A", {}, false},
        {"00FP", "1", "26", "A", {}, false},
        {"FP", "1", "25", "A", {}, false},         // the type is not zero-filled here
        {"FP", "0003", "00000007", "B", {}, true},
        {"00FP", "2", "0", "A", {}, false},        // "ABC" is not 0 ... and does not fail
        {"00FP", "1", "25", "A", " 2110010001 ", true},
        {"00FP", "1", "25", "A", "2110010002", false},
        {"00FP", "1", "25.5", "A", {}, false},
        {"00FP", "1", "99999999999999999999", "A", {}, false}, // beyond 64 bits: not found
        {"00FP", "99999999999999999999", "25", "A", {}, false},
        {"00FP", "1", "9223372036854775808", "A", {}, false},
    };
    GuionDialogos guion;
    for (const auto& c : casos)
        EXPECT_EQ(a.ExisteEnMVAsientos(c.tc, c.suc, c.nro, c.l, c.prov), c.esperado)
            << c.tc.toStdString() << " " << c.suc.toStdString() << "-" << c.nro.toStdString() << c.l.toStdString();
    EXPECT_TRUE(guion.mostrados.isEmpty()) << guion.ultimo().toStdString();
}

TEST_P(Comprobantes, ValidaComprobanteNumeracionTipeada)
{
    voucher(3, 17, "00FP", "0001", "00000025", "A");
    Lbc_Asiento a(&con());
    GuionDialogos guion;
    QString numero = "00000025", mensaje, mes = "x", asiento = "y";
    EXPECT_FALSE(a.ValidaComprobante("FP", "0001", numero, "A", mensaje, mes, asiento));
    EXPECT_EQ(mensaje, "Comprobante registrado en el Asiento 3-17");
    EXPECT_EQ(mes, "3");
    EXPECT_EQ(asiento, "17");
    EXPECT_EQ(numero, "00000025");
    // Typed unpadded, it is still found in its stored form.
    numero = "25";
    EXPECT_FALSE(a.ValidaComprobante("FP", "1", numero, "a", mensaje, mes, asiento));
    // A free voucher: True, the number given back zero-filled, the outputs untouched.
    numero = "26";
    mensaje = mes = asiento = "previo";
    EXPECT_TRUE(a.ValidaComprobante("FP", "0001", numero, "A", mensaje, mes, asiento));
    EXPECT_EQ(numero, "00000026");
    EXPECT_EQ(mensaje, "previo");
    EXPECT_TRUE(guion.mostrados.isEmpty());
}

TEST_P(Comprobantes, ValidaComprobanteNumeracionAutomatica)
{
    voucher(3, 1, "00FA", "0001", "00000125", "A");
    voucher(3, 2, "00FA", "0001", "00000126", "A");
    voucher(3, 3, "00FA", "0001", "00000128", "A");
    struct Caso { const char* nombre; QList<int> respuestas; bool esperado; QString numero, mensaje; QStringList preguntas; };
    const QString p = "El Comprobante Duplicado, el nuevo numero es: ";
    const Caso casos[] = {
        {"si, si", {plataforma::vbYes, plataforma::vbYes}, true, "00000127", "", {p + "0001-00000126A", p + "0001-00000127A"}},
        {"no", {plataforma::vbNo}, false, "00000125", "Comprobante duplicado", {p + "0001-00000126A"}},
        {"si, no", {plataforma::vbYes, plataforma::vbNo}, false, "00000125", "Comprobante duplicado", {p + "0001-00000126A", p + "0001-00000127A"}},
    };
    Lbc_Asiento a(&con());
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        GuionDialogos guion;
        for (int r : c.respuestas) guion.respuestas.enqueue(r);
        QString numero = "00000125", mensaje, mes, asiento;
        EXPECT_EQ(a.ValidaComprobante("FA", "0001", numero, "A", mensaje, mes, asiento), c.esperado);
        EXPECT_EQ(numero, c.numero);
        EXPECT_EQ(mensaje, c.mensaje);
        EXPECT_EQ(guion.textosMostrados(), c.preguntas);
        for (const auto& m : guion.mostrados) {
            EXPECT_EQ(m.estilo, plataforma::vbYesNo | plataforma::vbExclamation);
            EXPECT_EQ(m.titulo, "Atencion");
        }
        EXPECT_TRUE(mes.isEmpty());
    }
    // Moving on past 127 (free) stops at the first free number: 129 after 128.
    GuionDialogos guion;
    guion.respuestaPorDefecto = plataforma::vbYes;
    QString numero = "128", mensaje, mes, asiento;
    EXPECT_TRUE(a.ValidaComprobante("FA", "1", numero, "A", mensaje, mes, asiento));
    EXPECT_EQ(numero, "00000129");
}

TEST_P(Comprobantes, ValidaComprobanteInformaUnErrorYDevuelveFalso)
{
    con().EjecutarSQL("DROP TABLE MV_ASIENTOS");
    GuionDialogos guion;
    QString numero = "1", mensaje, mes, asiento;
    EXPECT_FALSE(Lbc_Asiento(&con()).ValidaComprobante("FA", "1", numero, "A", mensaje, mes, asiento));
    ASSERT_EQ(guion.mostrados.size(), 1);
    EXPECT_EQ(guion.mostrados.last().estilo, plataforma::vbOKOnly);
}

} // namespace

VEXA_AMBOS_MOTORES(Comprobantes);
