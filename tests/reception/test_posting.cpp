// Posting of validated interface vouchers: rows, balance messages, replacement,
// numbering and the reception log, on both backends with the demo company.
#include "AyudaRecepcion.h"
#include "BaseDePrueba.h"
#include "Configuracion.h"
#include "Contabilizador.h"
#include "RecepcionInterface.h"
#include "ReemplazoPlaneado.h"
#include "TestigoRecepcion.h"
#include "Utilidades.h"

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;

namespace {

class Contabilizacion : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }

    // Receives the lines with one definition under one log row; the result of each line.
    QStringList recibir(const QString& definicion, const QStringList& lineas)
    {
        RecepcionInterface r(&con());
        EXPECT_TRUE(r.ObtieneDatosInterface(definicion));
        if (!testigo) {
            testigo = std::make_unique<TestigoRecepcion>(&con());
            testigo->Reservar(QStringLiteral("/tmp/archivo.txt"), QStringLiteral("EQUIPO|USUARIO"));
        }
        Contabilizador post(&con());
        QStringList res;
        for (const QString& l : lineas) {
            ResultadoRegistro v = r.Procesa_Registro(l);
            QString m = v.valido() ? post.Contabiliza(v.comprobante, *testigo) : v.mensaje;
            m.isEmpty() ? testigo->Grabado() : testigo->Rechazado();
            res << m;
            r.LimpiaValores();
        }
        return res;
    }
    std::vector<Fila> filas(const QString& donde = QStringLiteral("1 = 1"), const Params& p = {})
    {
        return con().ObtenerRecordset(QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE ") + donde
                                          + QStringLiteral(" ORDER BY [NUMERO ASIENTO], SECUENCIA"),
                                      p)
            .todas();
    }
    qint64 ultimoNumeroA(const QString& tc)
    {
        return con().Escalar(QStringLiteral("SELECT A_ULTIMO_NRO FROM TA_COMPROBANTES WHERE CODIGO = ?"), {tc}).toLongLong();
    }
    std::unique_ptr<TestigoRecepcion> testigo;
};

TEST_P(Contabilizacion, VentaDebitaAlClienteYLlevaElLibroIvaEnLaPrimeraFila)
{
    ASSERT_EQ(recibir("VENTAS", {lineaVenta(126)}), QStringList{""});
    const auto f = filas();
    ASSERT_EQ(f.size(), 3u);
    const char* cuentas[] = {"4101010010001", "2102010010001", "1102010010001"};
    const char* lados[] = {"H", "H", "D"};
    const int importes[] = {100, 21, 121};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f[i].entero("SECUENCIA"), i + 1);
        EXPECT_EQ(f[i].texto("CUENTA"), QString::fromLatin1(cuentas[i]));
        EXPECT_EQ(f[i].texto("DEBE-HABER"), QString::fromLatin1(lados[i]));
        EXPECT_EQ(f[i].moneda("IMPORTE"), Moneda::entero(importes[i]));
        EXPECT_EQ(f[i].moneda("CABIMPORTE"), Moneda::entero(121));
        EXPECT_EQ(f[i].texto("TIPO_REG"), "VTAS");
        EXPECT_EQ(f[i].texto("TC"), "00FA");
        EXPECT_EQ(f[i].texto("SUCURSAL"), "0001");
        EXPECT_EQ(f[i].texto("NUMERO"), "00000126");
        EXPECT_EQ(f[i].texto("LETRA"), "A");
        EXPECT_EQ(f[i].texto("CABCUENTA"), "1102010010001");
        EXPECT_EQ(f[i].texto("CABCUIT"), "30-71234567-9");
        EXPECT_EQ(f[i].texto("CABCONDIVA"), "0001");
        EXPECT_EQ(f[i].entero("MES_OPERATIVO"), 3);
        EXPECT_EQ(f[i].entero("PERIODO"), 2);
        EXPECT_EQ(f[i].fecha("FECHA"), QDate(2026, 3, 15));
        EXPECT_EQ(f[i].fecha("VENCIMIENTO"), QDate(2026, 4, 15));
        EXPECT_EQ(f[i].entero("NRO_TRANSMISION"), testigo->IdRecepcion());
        EXPECT_EQ(f[i].texto("DETALLE"), "Subdiario desde Interface Recepción Nº " + QString::number(testigo->IdRecepcion()));
        EXPECT_EQ(f[i].entero("NUMERO ASIENTO"), f[0].entero("NUMERO ASIENTO"));
        EXPECT_EQ(f[i].esNulo("LIVA_TOTAL"), i > 0);
        EXPECT_EQ(f[i].esNulo("LIVA_TIPO"), i > 0);
    }
    EXPECT_EQ(f[0].texto("LIVA_TIPO"), "VENTAS");
    EXPECT_EQ(f[0].moneda("LIVA_TOTAL"), Moneda::entero(121));
    EXPECT_EQ(f[0].moneda("LIVA_IMPNETOGRAV"), Moneda::entero(100));
    EXPECT_EQ(f[0].moneda("LIVA_IMPIVA"), Moneda::entero(21));
    EXPECT_TRUE(f[0].esNulo("LIVA_EXENTO"));
    EXPECT_EQ(f[0].moneda("LIVA_ALICIVA"), Moneda::entero(21));
    EXPECT_EQ(f[0].moneda("LIVA_ALICIVAREC"), *Moneda::parsear("10.5"));
    // Own-numbered type: the last number of letter A is now the voucher's.
    EXPECT_EQ(ultimoNumeroA("00FA"), 126);
    // The log row counts the voucher in the same transaction.
    const auto t = con().PrimeraFila("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?", {testigo->IdRecepcion()});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), 1);
    EXPECT_TRUE(t->esNulo("TOTAL_LINEAS")); // the run has not ended
}

TEST_P(Contabilizacion, CompraAcreditaAlProveedorEnLaUltimaFila)
{
    ASSERT_EQ(recibir("COMPRAS", {lineaCompra(4567)}), QStringList{""});
    const auto f = filas();
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].texto("DEBE-HABER"), "D");
    EXPECT_EQ(f[1].texto("DEBE-HABER"), "D");
    EXPECT_EQ(f[2].texto("CUENTA"), "2101010010001");
    EXPECT_EQ(f[2].texto("DEBE-HABER"), "H");
    EXPECT_EQ(f[2].moneda("IMPORTE"), Moneda::entero(121));
    EXPECT_EQ(f[0].texto("LIVA_TIPO"), "COMPRAS");
    EXPECT_EQ(f[0].moneda("LIVA_IMPIVA"), Moneda::entero(21)); // purchases: CFRI + RM
    EXPECT_EQ(f[0].texto("TIPO_REG"), "COMP");
    // A received document does not move any numbering.
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TA_COMPROBANTES WHERE CODIGO = '00FP' AND "
                            "(A_ULTIMO_NRO <> 0 OR B_ULTIMO_NRO <> 0 OR C_ULTIMO_NRO <> 0)"),
              0);
}

// A voucher built by hand, to reach the balance rules directly (amounts as
// the validation reads them; blank is zero).
ComprobanteValidado comprobante(std::vector<std::pair<QString, QString>> debeHaber, const QString& total = "121")
{
    ComprobanteValidado c;
    c.Subdiario = "COMP";
    c.LivaTipo = "COMPRAS";
    c.Tc = "00FP";
    c.comprobanteEntrada = true;
    c.Sucursal = "0001";
    c.Numero = "00000777";
    c.Letra = "A";
    c.CuentaPrincipal = "2101010010002";
    c.NombreCuenta = "Proveedor";
    c.Cuit = "20-22334455-6";
    c.CondicionIva = "0004";
    c.TotalTexto = total;
    c.Total = Utilidades::TextoAMoneda(total);
    c.FechaEmision = QDate(2026, 5, 2);
    c.FechaEmisionTexto = "02/05/2026";
    c.MesOperativo = 5;
    c.iva.Exento = Moneda::entero(121);
    c.iva.Cfri = Moneda::entero(21);
    int i = 0;
    for (auto& [d, h] : debeHaber) {
        LineaAsiento l;
        l.Cuenta = (i++ % 2) ? "1103010010001" : "5101010010001";
        l.Debe = d.isEmpty() ? Moneda() : *Moneda::parsear(d);
        l.Haber = h.isEmpty() ? Moneda() : *Moneda::parsear(h);
        c.Lineas.push_back(l);
    }
    return c;
}

TEST_P(Contabilizacion, MensajesDeBalanceYDeImportes)
{
    struct Caso {
        std::vector<std::pair<QString, QString>> lineas;
        QString total, mensaje;
    };
    const Caso casos[] = {
        {{{"121", ""}, {"", "10"}}, "121", "El Subdiario no balancea Debe :121 Haber : 131 Importe Total : 121"},
        {{{"100.5", ""}, {"", "0.25"}}, "100.5", "El Subdiario no balancea Debe :100.5 Haber : 100.75 Importe Total : 100.5"},
        {{}, "121", "El Subdiario no balancea"},
        {{{"50", ""}}, "121", "El Subdiario no balancea"},
        {{{"-21", ""}, {"142", ""}}, "121", "El importe (-21) de la cuenta (5101010010001) no puede ser negativo"},
    };
    TestigoRecepcion t(&con());
    t.Reservar("f", "e");
    Contabilizador post(&con());
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensaje.toStdString());
        EXPECT_EQ(post.Contabiliza(comprobante(c.lineas, c.total), t), c.mensaje);
    }
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS"), 0);
}

// The amounts of the rule lines are read where the lines are built: one that
// is not a number, or is negative, refuses the voucher with the text as the
// file gives it, before any balance, and nothing is posted.
TEST_P(Contabilizacion, ImportesDeLasReglasNoNumericosONegativos)
{
    struct Caso {
        QString neto, iva, mensaje;
    };
    const Caso casos[] = {
        {"1OO", "21", "El importe (1OO) de la cuenta (4101010010001) no es numérico"},
        {" 1OO ", "21", "El importe (1OO) de la cuenta (4101010010001) no es numérico"},
        {"-21.00", "142", "El importe (-21.00) de la cuenta (4101010010001) no puede ser negativo"},
        // The first line's amount is a number: the second one's is named.
        {"100", "2l", "El importe (2l) de la cuenta (2102010010001) no es numérico"},
        {"100", "-21", "El importe (-21) de la cuenta (2102010010001) no puede ser negativo"},
        // Beyond the largest amount a file may carry: the amounts of the VAT
        // book are read first, and named by the definition's field.
        {"1000000000", "21", "El importe (1000000000) del campo NETO supera el importe máximo de 999.999.999,9999"},
        {"100", "1.8e15", "El importe (1.8e15) del campo IVA supera el importe máximo de 999.999.999,9999"},
        // Both wrong: the first rule's is named.
        {"x", "-1", "El importe (x) de la cuenta (4101010010001) no es numérico"},
    };
    int numero = 300;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensaje.toStdString());
        EXPECT_EQ(recibir("VENTAS", {lineaVenta(numero++, c.neto, c.iva)}), QStringList{c.mensaje});
    }
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS"), 0);
    // A blank amount is zero: the line balances without it when the total says so.
    EXPECT_EQ(recibir("VENTAS", {lineaVenta(numero, "", "21", "21")}), QStringList{""});
    EXPECT_EQ(asientosRotos(con()), 0);
}

TEST_P(Contabilizacion, LineasEnCeroNoSeGrabanYElExentoVaSinIva)
{
    TestigoRecepcion t(&con());
    t.Reservar("f", "e");
    Contabilizador post(&con());
    // The zero line counts in the sums but takes no row and no sequence number.
    ASSERT_EQ(post.Contabiliza(comprobante({{"100", ""}, {"0", ""}, {"21", ""}}), t), "");
    const auto f = filas();
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].texto("CUENTA"), "5101010010001");
    EXPECT_EQ(f[1].entero("SECUENCIA"), 2);
    EXPECT_EQ(f[1].moneda("IMPORTE"), Moneda::entero(21));
    EXPECT_EQ(f[2].texto("CUENTA"), "2101010010002");
    EXPECT_EQ(f[2].texto("DEBE-HABER"), "H");
    // VAT condition "0004" is the exempt condition 4.
    EXPECT_EQ(f[0].moneda("LIVA_EXENTO"), Moneda::entero(121));
    EXPECT_TRUE(f[0].esNulo("LIVA_IMPIVA"));
    EXPECT_TRUE(f[0].esNulo("VENCIMIENTO"));
    EXPECT_EQ(asientosRotos(con()), 0);
}

TEST_P(Contabilizacion, ComprobanteReemplazadoRetiradoORechazado)
{
    ASSERT_EQ(recibir("VENTAS", {lineaVenta(130)}), QStringList{""});
    const qint64 nro = filas()[0].entero("NUMERO ASIENTO");
    ASSERT_EQ(recibir("VENTAS", {lineaVenta(131)}), QStringList{""}); // another entry after it
    // Same total: refused, nothing changes.
    EXPECT_EQ(recibir("VENTAS", {lineaVenta(130)}), QStringList{"El comprobante 0001-00000130-A ya existe!!! "});
    // Other total: the old rows are replaced under the same entry number.
    EXPECT_EQ(recibir("VENTAS", {lineaVenta(130, "200", "42", "242")}), QStringList{""});
    auto f = filas("NUMERO = ?", {"00000130"});
    ASSERT_EQ(f.size(), 3u);
    for (const Fila& x : f) {
        EXPECT_EQ(x.entero("NUMERO ASIENTO"), nro);
        EXPECT_EQ(x.moneda("CABIMPORTE"), Moneda::entero(242));
    }
    // Total 0: withdrawn.
    EXPECT_EQ(recibir("VENTAS", {lineaVenta(130, "0", "0", "0")}), QStringList{""});
    EXPECT_TRUE(filas("NUMERO = ?", {"00000130"}).empty());
    EXPECT_EQ(filas("NUMERO = ?", {"00000131"}).size(), 3u);
    EXPECT_EQ(asientosRotos(con()), 0);
}

TEST_P(Contabilizacion, UnFalloDentroDeLaTransaccionNoDejaNadaAMedias)
{
    ASSERT_EQ(recibir("VENTAS", {lineaVenta(140)}), QStringList{""});
    RecepcionInterface r(&con());
    ASSERT_TRUE(r.ObtieneDatosInterface("VENTAS"));
    ResultadoRegistro v = r.Procesa_Registro(lineaVenta(140, "300", "63", "363"));
    ASSERT_TRUE(v.valido()) << v.mensaje.toStdString();
    ASSERT_TRUE(v.comprobante.reemplazo.planeado);
    // The voucher changed after it was validated: the delete finds another count.
    v.comprobante.reemplazo.filas += 1;
    Contabilizador post(&con());
    const QString m = post.Contabiliza(v.comprobante, *testigo);
    EXPECT_FALSE(m.isEmpty());
    auto f = filas("NUMERO = ?", {"00000140"});
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].moneda("CABIMPORTE"), Moneda::entero(121));
    // A failing insert (an entry number already used) rolls back the delete too.
    v.comprobante.reemplazo.filas -= 1;
    ASSERT_EQ(recibir("VENTAS", {lineaVenta(141)}), QStringList{""});
    v.comprobante.numeroAsientoReutilizar = qint32(filas("NUMERO = ?", {"00000141"})[0].entero("NUMERO ASIENTO"));
    EXPECT_FALSE(post.Contabiliza(v.comprobante, *testigo).isEmpty());
    f = filas("NUMERO = ?", {"00000140"});
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].moneda("CABIMPORTE"), Moneda::entero(121));
    EXPECT_EQ(asientosRotos(con()), 0);
}

TEST_P(Contabilizacion, NumeracionPropiaNoBaja)
{
    EXPECT_EQ(ultimoNumeroA("00FA"), 125);
    ASSERT_EQ(recibir("VENTAS", {lineaVenta(200), lineaVenta(150)}), (QStringList{"", ""}));
    EXPECT_EQ(ultimoNumeroA("00FA"), 200);
    Configuracion(&con()).ActualizaNumeracion("00FA", "CONTABLE", "0001", "26", "A");
    EXPECT_EQ(ultimoNumeroA("00FA"), 200);
    Configuracion(&con()).ActualizaNumeracion("00FA", "CONTABLE", "0001", "300", "a");
    EXPECT_EQ(ultimoNumeroA("00FA"), 299);
    Configuracion(&con()).ActualizaNumeracion("00FA", "CONTABLE", "0001", "900", "Z");
    EXPECT_EQ(ultimoNumeroA("00FA"), 299);
}

TEST_P(Contabilizacion, ElTestigoReservaNumerosDistintos)
{
    TestigoRecepcion a(&con()), b(&con());
    const qint32 ia = a.Reservar("uno", "E");
    const qint32 ib = b.Reservar("dos", "E");
    EXPECT_EQ(ib, ia + 1);
    a.Graba_Datos("uno", 7, 3);
    const auto f = con().PrimeraFila("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?", {ia});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->entero("REGISTROS_LEIDOS"), 7);
    EXPECT_EQ(f->entero("REGISTROS_IGNORADOS"), 3);
    EXPECT_EQ(f->entero("TOTAL_LINEAS"), 10);
    EXPECT_EQ(f->texto("USUARIO"), "E");
    EXPECT_FALSE(f->logico("ANULADA"));
    // A run that has not ended (or never will) has no total.
    const auto g = con().PrimeraFila("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?", {ib});
    ASSERT_TRUE(g);
    EXPECT_TRUE(g->esNulo("TOTAL_LINEAS"));
    EXPECT_EQ(g->entero("REGISTROS_LEIDOS"), 0);
}

// Vouchers looked up together (their identities locked and their rows read at
// once) get the same answers as one search each: matched by value, letter
// and supplier as the database compares them, replaceable or blocked alike.
TEST_P(Contabilizacion, BusquedaAnticipadaRespondeComoLaDeCadaComprobante)
{
    auto fila = [&](int periodo, int mes, int nro, int sec, const char* tc, const char* suc, const char* num, const char* letra,
                    const char* cuenta, int contabilizado = 0) {
        Valores v{{"TC", tc}, {"SUCURSAL", suc}, {"NUMERO", num}, {"LETRA", letra}, {"CABCUENTA", cuenta},
                  {"CABIMPORTE", QVariant::fromValue(Moneda::entero(100 + nro))}, {"CONTABILIZADO", contabilizado}};
        v.insert(v.begin(), {{"PERIODO", periodo}, {"MES_OPERATIVO", mes}, {"[NUMERO ASIENTO]", nro}, {"SECUENCIA", sec},
                             {"TIPO_REG", "VTAS"}});
        con().Insertar("MV_ASIENTOS", v);
    };
    fila(1, 3, 901, 1, "TZ", "0001", "00000010", "A", "C1");
    fila(1, 3, 901, 2, "TZ", "0001", "00000010", "A", "C1");
    fila(1, 3, 902, 1, "TZ", "0001", "00000010", "B", "C1");
    fila(1, 3, 903, 1, "TZ", "0002", "00000010", "A", "C2");
    fila(1, 4, 904, 1, "TZ", "0001", "00000011", "A", "C1"); // one voucher in two entries
    fila(1, 5, 905, 1, "TZ", "0001", "00000011", "A", "C1");
    fila(1, 3, 906, 1, "TZ", "0001", "00000012", "A", "C1", 1); // summarised
    fila(2, 3, 907, 1, "TZ", "0001", "00000013", "A", "C1");    // another period
    fila(1, 3, 908, 1, "TY", "0001", "00000010", "A", "C9");
    const std::vector<ClaveComprobante> claves = {
        {"TZ", "1", "10", "a", ""},  {"tz", "0001", "00000010", "B", ""}, {"TZ", "2", "10", "A", ""},
        {"TZ", "1", "11", "A", ""},  {"TZ", "1", "12", "A", ""},          {"TZ", "1", "13", "A", ""},
        {"TZ", "1", "99", "A", ""},  {"TY", "1", "10", "A", "C9"},        {"TY", "1", "10", "A", "OTRA"},
        {"TZ", "1", "10", "A", "c1 "}, {"TZ", "1", "10", "C", ""},
    };
    struct Respuesta {
        std::optional<ReemplazoPlaneado> plan;
        bool bloqueado = false;
    };
    auto buscar = [&](bool anticipar) {
        std::vector<Respuesta> r;
        Transaccion t(con());
        if (anticipar) AnticipaComprobantesRecibidos(con(), claves);
        for (const ClaveComprobante& k : claves) {
            Respuesta x;
            x.plan = BuscaComprobanteRecibido(con(), "1", k.Tc, k.Sucursal, k.Numero, k.Letra, k.Proveedor, x.bloqueado);
            r.push_back(std::move(x));
        }
        return r;
    };
    const std::vector<Respuesta> solo = buscar(false), juntos = buscar(true);
    ASSERT_EQ(solo.size(), juntos.size());
    for (size_t i = 0; i < solo.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(solo[i].plan.has_value(), juntos[i].plan.has_value());
        EXPECT_EQ(solo[i].bloqueado, juntos[i].bloqueado);
        if (!solo[i].plan) continue;
        const ReemplazoPlaneado &a = *solo[i].plan, &b = *juntos[i].plan;
        EXPECT_EQ(a.filas, b.filas);
        EXPECT_EQ(a.importeAnterior, b.importeAnterior);
        EXPECT_EQ(a.numeroAsiento, b.numeroAsiento);
        EXPECT_EQ(a.mesOperativo, b.mesOperativo);
        EXPECT_EQ(a.familia, b.familia);
        EXPECT_EQ(a.comprobante().condicion(), b.comprobante().condicion());
        EXPECT_EQ(a.comprobante().parametros(), b.comprobante().parametros());
        EXPECT_EQ(a.Periodo, b.Periodo);
    }
    // What they answer: found by value, the other letters and branches apart.
    const std::vector<int> filas = {2, 1, 1, 2, 1, 1, -1, 1, -1, 2, -1};
    const std::vector<bool> bloqueados = {false, false, false, false, true, true, false, false, false, false, false};
    for (size_t i = 0; i < claves.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(juntos[i].plan ? juntos[i].plan->filas : -1, filas[i]);
        EXPECT_EQ(juntos[i].bloqueado, bloqueados[i]);
    }
    EXPECT_EQ(juntos[0].plan->numeroAsiento, 901);
    EXPECT_EQ(juntos[3].plan->numeroAsiento, 0); // rows of two entries
}

VEXA_AMBOS_MOTORES(Contabilizacion);

} // namespace
