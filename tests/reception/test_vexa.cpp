// Reception of the commercial system's transfer file: cutting lines, grouping
// vouchers, the checks and rows of each voucher, replacement, the run and its
// log row, and the cancel of a run, on both backends with the demo company.
#include "Esquema.h"
#include "AnulacionRecepcion.h"
#include "ArchivoVexa.h"
#include "AyudaRecepcion.h"
#include "AyudaVexa.h"
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "CorridaVexa.h"
#include "Progreso.h"
#include "RecepcionVexa.h"
#include "TestigoRecepcion.h"
#include "Empresa.h"
#include "Utilidades.h"

#include <QFile>
#include <QTemporaryDir>

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;

namespace {

// ---------------------------------------------------------------- the file, without a database

TEST(ArchivoVexa, UnaLineaCompletaYUnaCorta)
{
    LineaVexa l;
    l.cuenta = "4101010010001";
    l.importe = "100.50";
    l.lado = "h";
    l.neto = "1";
    l.libro = "V";
    l.detalle = "1234567Nombre del cliente que ocupa treinta";
    l.vto = "20260415";
    const LineaRecepcionVexa r = CortaLineaVexa(l.texto());
    EXPECT_EQ(r.Subdiario, "VTAS");
    EXPECT_EQ(r.Fecha, "15032026");
    EXPECT_EQ(r.Cuenta, "4101010010001");
    EXPECT_EQ(r.Importe, "100.50");
    EXPECT_EQ(r.DebeHaber, "h");
    EXPECT_EQ(r.CabCuenta, "1102010010001");
    EXPECT_EQ(r.CabImporte, "121");
    EXPECT_EQ(r.TC, "00FA");
    EXPECT_EQ(r.NroComprobante, "000100000126A");
    EXPECT_EQ(r.TipoNeto, "1");
    EXPECT_EQ(r.LibroIva, "V");
    EXPECT_EQ(r.Detalle, "1234567Nombre del cliente que ocupa trei"); // 40 characters
    EXPECT_EQ(r.CabNombre, "Nombre del cliente que ocupa t");         // detail characters 8 to 37
    EXPECT_EQ(r.FechaVto, "20260415");
    EXPECT_EQ(r.CabCUIT, "30-71234567-9  ");
    EXPECT_EQ(r.CabCondIVA, "0001");

    const LineaRecepcionVexa corta = CortaLineaVexa(l.texto().left(60));
    EXPECT_EQ(corta.Importe, "100.50");
    EXPECT_EQ(corta.CabCuenta, "1102010");
    for (const QString& vacio : {corta.CabImporte, corta.TC, corta.NroComprobante, corta.Detalle, corta.CabNombre,
                                 corta.FechaVto, corta.CabCUIT, corta.CabCondIVA})
        EXPECT_TRUE(vacio.isEmpty());
}

// Fields shared with earlier lines through the table of repeated texts are the
// fields cut alone, whatever the table held before: many accounts and
// customers (more than the table's places), blank and short lines between.
TEST(ArchivoVexa, TextosRepetidosNoCambianLosCampos)
{
    TextosRepetidos repetidos;
    auto campos = [](const LineaRecepcionVexa& r) {
        return QStringList{r.Subdiario, r.Fecha,  r.Cuenta,    r.Importe,  r.DebeHaber, r.CabCuenta,
                           r.CabImporte, r.TC,    r.NroComprobante, r.TipoNeto, r.LibroIva, r.Detalle,
                           r.CabNombre,  r.FechaVto, r.CabCUIT,  r.CabCondIVA};
    };
    for (int i = 0; i < 3000; ++i) {
        LineaVexa l;
        l.cuenta = QString::number(4101010010001LL + i % 1500);
        l.importe = QString::number(i % 7 == 0 ? 0 : 100 + i);
        l.lado = i % 2 ? "H" : "d";
        l.cabCuenta = i % 5 == 0 ? QString() : QString::number(1102010010001LL + i % 700);
        l.detalle = QStringLiteral("%1Cliente %2").arg(i % 900, 7, 10, QLatin1Char('0')).arg(i % 900);
        l.vto = i % 3 ? "20260415" : "";
        QString texto = l.texto();
        if (i % 11 == 0) texto.truncate(30 + i % 120); // short lines leave fields out
        SCOPED_TRACE(texto.toStdString());
        const LineaRecepcionVexa solo = CortaLineaVexa(texto), compartido = CortaLineaVexa(texto, &repetidos);
        const QStringList a = campos(solo), b = campos(compartido);
        ASSERT_EQ(a, b);
        for (qsizetype k = 0; k < a.size(); ++k) EXPECT_EQ(a[k].isNull(), b[k].isNull()) << k;
    }
}

TEST(ArchivoVexa, ClavesPorSuValorNumerico)
{
    struct Caso { const char* clave; qint64 valor; };
    const Caso casos[] = {{"7", 7}, {"007", 7}, {"7.0", 7}, {"0000000007", 7}, {"9999999999", 9999999999LL},
                          {"@@@@@@@@@@", 0}, {"", 0}, {"12AB", 12}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.clave);
        EXPECT_EQ(ValorClaveVexa(QString::fromLatin1(c.clave)), c.valor);
    }
}

TEST(ArchivoVexa, LasLineasDeIgualValorDeClaveSonUnComprobanteYElFinCompletaElUltimo)
{
    AgrupadorVexa g;
    LineaVexa l;
    int completados = 0;
    std::vector<ComprobanteVexa> vistos;
    for (const char* clave : {"7", "007", "7.0", "8", "0", "0"}) {
        l.clave = QString::fromLatin1(clave);
        if (auto c = g.ProcesaLinea(l.texto())) vistos.push_back(*c), ++completados;
    }
    ASSERT_EQ(vistos.size(), 2u);
    EXPECT_EQ(vistos[0].lineas.size(), 3u);
    EXPECT_EQ(vistos[0].clave, "7");
    EXPECT_EQ(vistos[1].valorClave, 8);
    // The end of the file completes the last voucher, even of key value 0.
    auto ultimo = g.Fin();
    ASSERT_TRUE(ultimo.has_value());
    EXPECT_EQ(ultimo->valorClave, 0);
    EXPECT_EQ(ultimo->lineas.size(), 2u);
    EXPECT_FALSE(g.Fin().has_value());
}

TEST(ArchivoVexa, FechasDelArchivo)
{
    struct Caso { const char* texto; QDate fecha; };
    const Caso casos[] = {{"311225", QDate(2025, 12, 31)}, {"01012035", QDate(2035, 1, 1)}, {"15031995", QDate(1995, 3, 15)},
                          {"150395", QDate(1995, 3, 15)}, {"310226", QDate()},  {"1503202", QDate()},
                          {"AB032026", QDate()},          {"", QDate()}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(ConvierteFecha(QString::fromLatin1(c.texto)), c.fecha);
    }
}

TEST(ArchivoVexa, BalanceConTolerancia)
{
    struct Caso { const char* primero; const char* lado; const char* otro; bool balancea; const char* corregido; };
    // First line (with its side) against a second line on the other side.
    const Caso casos[] = {
        {"100.30", "H", "100.00", true, "100"},   // credit first line: 100.30 + (100 - 100.30)
        {"100.00", "H", "100.30", true, "100.3"}, // credit first line grows
        {"100.00", "D", "100.30", true, "100.3"}, // debit first line: 100 - (100 - 100.30)
        {"100.00", "D", "100.50", false, ""},    // 0.50 is refused
        {"0.10", "D", "0.40", true, "0.4"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.primero) + c.lado + c.otro);
        LineaRecepcionVexa a, b;
        a.Cuenta = b.Cuenta = "X";
        a.Importe = QString::fromLatin1(c.primero);
        a.DebeHaber = QString::fromLatin1(c.lado);
        b.Importe = QString::fromLatin1(c.otro);
        b.DebeHaber = texto::igual(a.DebeHaber, "D") ? "H" : "D";
        std::vector<LineaRecepcionVexa> v{a, b};
        EXPECT_EQ(RecepcionVexa::VerificaBalanceo(v), c.balancea);
        if (c.balancea) {
            EXPECT_EQ(v[0].Importe, QString::fromLatin1(c.corregido));
        }
    }
}

// ---------------------------------------------------------------- the run, on both backends

class Vexa : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        ctx->setPeriodoActivo("2");
        ctx->usuario = "PEPE";
        ctx->seccionEquipo = "EQUIPO|PEPE";
    }
    QString archivo(const QString& nombre, const QStringList& lineas)
    {
        const QString ruta = dir.filePath(nombre);
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        if (!lineas.isEmpty()) f.write((lineas.join("\r\n") + "\r\n").toUtf8());
        return ruta;
    }
    ResultadoCorridaVexa recibir(const QStringList& lineas, const AlFallarComprobante& alFallar = {})
    {
        errores.clear();
        ProgresoNulo p;
        ResultadoCorridaVexa r = RecibirVexa(*ctx, archivo("vexa.txt", lineas), p,
                                             [this](const QStringList& e) { errores << e; }, alFallar);
        return r;
    }
    std::vector<Fila> filas(const QString& donde = "1 = 1", const Params& p = {})
    {
        return con().ObtenerRecordset("SELECT * FROM MV_ASIENTOS WHERE " + donde + " ORDER BY [NUMERO ASIENTO], SECUENCIA", p)
            .todas();
    }
    Fila testigo(qint32 id)
    {
        return *con().PrimeraFila("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?", {id});
    }
    std::unique_ptr<ContextoEmpresa> ctx;
    QTemporaryDir dir;
    QStringList errores;
};

TEST_P(Vexa, UnaVentaDeTresLineas)
{
    const int antes = contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS");
    const ResultadoCorridaVexa r = recibir(ventaVexa("0000000007", 126));
    ASSERT_EQ(r.fin, ResultadoCorridaVexa::Fin::Completa) << r.error.toStdString();
    EXPECT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    const auto f = filas("NRO_TRANSMISION = ?", {r.idRecepcion});
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS"), antes + 3);
    const char* cuentas[] = {"1102010010001", "4101010010001", "2102010010001"};
    const char* lados[] = {"D", "H", "H"};
    const int importes[] = {121, 100, 21};
    const QString id = QString::number(r.idRecepcion);
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
        EXPECT_EQ(f[i].texto("MONEDA"), "1");
        EXPECT_EQ(f[i].entero("NRO_TRANSMISION"), r.idRecepcion);
        EXPECT_EQ(f[i].entero("MES_OPERATIVO"), 3);
        EXPECT_EQ(f[i].entero("PERIODO"), 2);
        EXPECT_EQ(f[i].fecha("FECHA"), QDate(2026, 3, 15));
        EXPECT_EQ(f[i].entero("NUMERO ASIENTO"), f[0].entero("NUMERO ASIENTO"));
    }
    EXPECT_EQ(f[0].texto("DETALLE"), "(Recep: " + id + ") FC A Ferretería El Tornillo S.R.L.");
    EXPECT_EQ(f[0].texto("CABNOMBRE"), "rretería El Tornillo S.R.L.");
    EXPECT_EQ(f[1].texto("DETALLE"), "Recepcion de Informacion Nº " + id);
    EXPECT_EQ(f[0].fecha("VENCIMIENTO"), QDate(2026, 4, 15));
    EXPECT_TRUE(f[1].esNulo("VENCIMIENTO"));
    // The VAT book on the first row only.
    EXPECT_EQ(f[0].texto("LIVA_TIPO"), "Ventas");
    EXPECT_EQ(f[0].moneda("LIVA_TOTAL"), Moneda::entero(121));
    EXPECT_EQ(f[0].moneda("LIVA_IMPNETOGRAV"), Moneda::entero(100));
    EXPECT_EQ(f[0].moneda("LIVA_IMPIVA"), Moneda::entero(21));
    EXPECT_EQ(f[0].moneda("LIVA_ALICIVA"), Moneda::entero(21));
    EXPECT_EQ(f[0].moneda("LIVA_ALICIVAREC"), *Moneda::parsear("10.5"));
    EXPECT_TRUE(f[1].esNulo("LIVA_TOTAL"));
    EXPECT_EQ(asientosRotos(con()), 0);

    const Fila t = testigo(r.idRecepcion);
    EXPECT_EQ(t.entero("REGISTROS_LEIDOS"), 1);
    EXPECT_EQ(t.entero("REGISTROS_IGNORADOS"), 0);
    EXPECT_EQ(t.entero("TOTAL_LINEAS"), 1);
    EXPECT_EQ(t.texto("USUARIO"), "PEPE");
}

TEST_P(Vexa, SinSubdiarioSeNumeraConLosAsientosComunes)
{
    const qint64 ultimo = con().Escalar("SELECT COALESCE(MAX([NUMERO ASIENTO]), 0) FROM MV_ASIENTOS WHERE PERIODO = 2 "
                                        "AND MES_OPERATIVO = 3 AND FAMILIA = ''").toLongLong();
    QStringList lineas = ventaVexa("1", 500);
    for (QString& l : lineas) l.replace(10, 4, "    ");
    const ResultadoCorridaVexa r = recibir(lineas);
    EXPECT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    const auto f = filas("NRO_TRANSMISION = ?", {r.idRecepcion});
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].texto("TIPO_REG"), "");
    EXPECT_EQ(f[0].texto("FAMILIA"), "");
    EXPECT_EQ(f[0].entero("NUMERO ASIENTO"), ultimo + 1);
}

// One voucher per check, in the checks' order; each is listed with its own key.
TEST_P(Vexa, CadaChequeoConSuMensaje)
{
    con().EjecutarSQL("INSERT INTO TA_COMPROBANTES (CODIGO, DESCRIPCION, LETRAS, SISTEMA, SIGNO) VALUES ('00XX', 'Suelto', 'A', 'CONTABLE', '+')");
    struct Caso { const char* mensaje; std::function<void(QStringList&)> cambio; };
    auto campo = [](QStringList& v, int linea, int desde, int largo, const QString& valor) {
        v[linea].replace(desde - 1, largo, valor.leftJustified(largo, u' ', true));
    };
    const std::vector<Caso> casos = {
        {"El tipo de comprobante (00ZZ) no existe", [&](QStringList& v) { campo(v, 0, 84, 4, "00ZZ"); }},
        {"El tipo de comprobante (00XX) no es valido para el tipo de Subdiario : VTAS", [&](QStringList& v) { campo(v, 0, 84, 4, "00XX"); }},
        {"La cuenta principal (999) no existe", [&](QStringList& v) { campo(v, 0, 54, 15, "999"); }},
        {"No ha informado la cuenta principal", [&](QStringList& v) { campo(v, 0, 54, 15, ""); }},
        {"La Cuenta (998) no existe", [&](QStringList& v) { campo(v, 1, 23, 15, "998"); }},
        {"La cuenta principal no afecta ningún libro de IVA", [&](QStringList& v) { campo(v, 0, 54, 15, "1101010010001"); }},
        {"El Campo Importe Total debe ser numérico ", [&](QStringList& v) { campo(v, 0, 69, 15, "12x"); }},
        {"El Campo Importe Total debe ser mayor a cero", [&](QStringList& v) { campo(v, 0, 69, 15, "-121"); }},
        {"El Campo Importe Total supera el importe máximo de 999.999.999,9999", [&](QStringList& v) { campo(v, 0, 69, 15, "1000000000"); }},
        {"El Campo Importe Total supera el importe máximo de 999.999.999,9999", [&](QStringList& v) { campo(v, 0, 69, 15, "1.8e15"); }},
        {"La letra informada(Z)debe ser A,B,C,E, o X ", [&](QStringList& v) { campo(v, 0, 100, 1, "Z"); }},
        {"La letra informada(R) no ha sido habilitada para el comprobante 00FA en config", [&](QStringList& v) { campo(v, 0, 100, 1, "R"); }},
        {"El numero de Comprobante debe ser numérico!!!", [&](QStringList& v) { campo(v, 0, 92, 8, "0000012X"); }},
        {"La sucursal debe ser numérica!!!", [&](QStringList& v) { campo(v, 0, 88, 4, "-001"); }},
        {"El importe debe ser mayor a cero", [&](QStringList& v) { campo(v, 0, 69, 15, ""); }},
        {"NO HA INFORMADO LA FECHA DEL ASIENTO", [&](QStringList& v) { campo(v, 0, 15, 8, ""); }},
        {"El campo fecha no contiene una fecha operativa", [&](QStringList& v) { campo(v, 0, 15, 8, "15032024"); }},
        {"El campo fecha no contiene una fecha operativa", [&](QStringList& v) { campo(v, 0, 15, 8, "31022026"); }},
        {"La fecha de vencimiento no contiene una fecha valida", [&](QStringList& v) { campo(v, 2, 143, 8, "20261345"); }},
        {"El importe (2x1) de la cuenta (2102010010001) no es numérico", [&](QStringList& v) { campo(v, 2, 38, 15, "2x1"); }},
        {"El importe (-21) de la cuenta (2102010010001) no puede ser negativo", [&](QStringList& v) { campo(v, 2, 38, 15, "-21"); }},
        {"El importe (922337203685477) de la cuenta (2102010010001) supera el importe máximo de 999.999.999,9999",
         [&](QStringList& v) { campo(v, 2, 38, 15, "922337203685477"); }},
        {"El asiento  no Balancea!!!", [&](QStringList& v) { campo(v, 2, 38, 15, "22"); }},
        {"El asiento no contiene lineas con importe", [&](QStringList& v) {
             for (int i = 0; i < 3; ++i) campo(v, i, 38, 15, "0");
         }},
    };
    QStringList lineas, esperados;
    int clave = 1;
    for (const Caso& c : casos) {
        QStringList v = ventaVexa(QString::number(clave), 1000 + clave);
        c.cambio(v);
        lineas << v;
        esperados << "Asiento: " + QString::number(clave) + " " + QString::fromUtf8(c.mensaje);
        ++clave;
    }
    lineas << ventaVexa(QString::number(clave), 1000 + clave); // one that passes, last
    const ResultadoCorridaVexa r = recibir(lineas);
    ASSERT_EQ(r.fin, ResultadoCorridaVexa::Fin::Completa);
    EXPECT_EQ(errores, esperados);
    EXPECT_EQ(r.leidos, int(casos.size()) + 1);
    EXPECT_EQ(r.grabados, 1);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {r.idRecepcion}), 3);
    const Fila t = testigo(r.idRecepcion);
    EXPECT_EQ(t.entero("REGISTROS_LEIDOS"), 1);
    EXPECT_EQ(t.entero("REGISTROS_IGNORADOS"), int(casos.size()));
    EXPECT_EQ(t.entero("TOTAL_LINEAS"), int(casos.size()) + 1);
}

// NUL characters in the main account and the VAT book are taken out.
TEST_P(Vexa, CaracteresNulos)
{
    QStringList v = ventaVexa("1", 20);
    for (QString& l : v) l.replace(67, 1, QChar(0)); // last column of the main account (blank)
    v[1].replace(101, 1, QChar(0));                   // VAT book of a line that names none
    const QString ruta = dir.filePath("nul.txt");
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write((v.join("\r\n") + "\r\n").toUtf8());
    f.close();
    ProgresoNulo p;
    const ResultadoCorridaVexa r = RecibirVexa(*ctx, ruta, p, [this](const QStringList& e) { errores << e; });
    EXPECT_EQ(r.grabados, 1) << errores.join("\n").toStdString();
    EXPECT_TRUE(errores.isEmpty());
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO_VALOR = 20"), 3);
}

TEST_P(Vexa, ToleranciaSobreLaPrimeraLinea)
{
    // Customer 121 debit against 100.30 + 21 credit: the first line (debit) becomes 121.30.
    QStringList v = ventaVexa("1", 10, "100.30");
    const ResultadoCorridaVexa r = recibir(v);
    EXPECT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    const auto f = filas("NRO_TRANSMISION = ?", {r.idRecepcion});
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].moneda("IMPORTE"), *Moneda::parsear("121.30"));
    EXPECT_EQ(asientosRotos(con()), 0);
}

TEST_P(Vexa, ImportesDelLibroIva)
{
    // A credit note (sign -1) of a purchase: taxed nets of 80 and 20 are summed, the VAT
    // of the purchases account goes to LIVA_IMPIVA, and all take the type's sign.
    LineaVexa l;
    l.subdiario = "COMP";
    l.tc = "00CP";
    l.cabCuenta = "2101010010001";
    l.cabImporte = "121";
    l.nro = "000200000077A";
    l.libro = "C";
    LineaVexa a = l, b = l, c = l, d = l;
    a.cuenta = "2101010010001", a.importe = "121", a.lado = "D";
    b.cuenta = "5101010010001", b.importe = "80", b.lado = "H", b.neto = "1";
    c.cuenta = "5101010010002", c.importe = "20", c.lado = "H", c.neto = "1";
    d.cuenta = "1103010010001", d.importe = "21", d.lado = "H";
    // A zero first line naming the book: the book goes on the first stored row.
    LineaVexa cero = l;
    cero.clave = "2", cero.nro = "000200000078A", cero.cuenta = "5101010010002", cero.importe = "0", cero.lado = "D";
    LineaVexa e = cero, g = cero, h = cero;
    e.libro = g.libro = h.libro = " ";
    e.cuenta = "2101010010001", e.importe = "121", e.lado = "D";
    g.cuenta = "5101010010001", g.importe = "100", g.lado = "H", g.neto = "2";
    h.cuenta = "1103010010001", h.importe = "21", h.lado = "H";
    const ResultadoCorridaVexa r = recibir({a.texto(), b.texto(), c.texto(), d.texto(), cero.texto(), e.texto(), g.texto(), h.texto()});
    EXPECT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    const auto f1 = filas("NRO_TRANSMISION = ? AND NUMERO_VALOR = 77", {r.idRecepcion});
    ASSERT_EQ(f1.size(), 4u);
    EXPECT_EQ(f1[0].texto("LIVA_TIPO"), "Compras");
    EXPECT_EQ(f1[0].moneda("LIVA_IMPNETOGRAV"), Moneda::entero(-100));
    EXPECT_EQ(f1[0].moneda("LIVA_IMPIVA"), Moneda::entero(-21));
    EXPECT_EQ(f1[0].moneda("LIVA_TOTAL"), Moneda::entero(-121));
    EXPECT_EQ(f1[0].texto("TIPO_REG"), "COMP");
    const auto f2 = filas("NRO_TRANSMISION = ? AND NUMERO_VALOR = 78", {r.idRecepcion});
    ASSERT_EQ(f2.size(), 3u);
    EXPECT_EQ(f2[0].texto("CUENTA"), "2101010010001");
    EXPECT_EQ(f2[0].texto("LIVA_TIPO"), "Compras");
    EXPECT_EQ(f2[0].moneda("LIVA_IMPNETONGRAV"), Moneda::entero(-100));
    EXPECT_EQ(f2[0].moneda("LIVA_IMPIVA"), Moneda::entero(-21));
    EXPECT_TRUE(f2[1].esNulo("LIVA_TIPO"));
}

TEST_P(Vexa, ReemplazoDeUnComprobanteYaRecibido)
{
    const ResultadoCorridaVexa r1 = recibir(ventaVexa("1", 300) + ventaVexa("2", 301) + ventaVexa("3", 302));
    ASSERT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    const qint64 numero300 = filas("NUMERO_VALOR = 300")[0].entero("NUMERO ASIENTO");
    // Same total: refused. Another total: replaced under the old number. Total 0: withdrawn.
    // A failing new version keeps the old one.
    QStringList segunda = ventaVexa("1", 300) + ventaVexa("2", 301, "200", "42", "242") + ventaVexa("3", 302, "0", "0", "0")
                          + ventaVexa("4", 300, "200", "42", "243");
    const ResultadoCorridaVexa r2 = recibir(segunda);
    EXPECT_EQ(errores, (QStringList{"Asiento: 1 El comprobante 0001-00000300-A ya existe!!! ",
                                    "Asiento: 4 El asiento  no Balancea!!!"}));
    EXPECT_EQ(r2.grabados, 1);
    EXPECT_EQ(r2.leidos, 4);
    EXPECT_EQ(filas("NUMERO_VALOR = 300").size(), 3u);
    EXPECT_EQ(filas("NUMERO_VALOR = 300")[0].entero("NRO_TRANSMISION"), r1.idRecepcion);
    const auto f301 = filas("NUMERO_VALOR = 301");
    ASSERT_EQ(f301.size(), 3u);
    EXPECT_EQ(f301[0].moneda("CABIMPORTE"), Moneda::entero(242));
    EXPECT_EQ(f301[0].entero("NRO_TRANSMISION"), r2.idRecepcion);
    EXPECT_EQ(filas("NUMERO_VALOR = 302").size(), 0u);
    EXPECT_EQ(numero300, filas("NUMERO_VALOR = 300")[0].entero("NUMERO ASIENTO"));
    const Fila t = testigo(r2.idRecepcion);
    EXPECT_EQ(t.entero("REGISTROS_LEIDOS"), 1);
    EXPECT_EQ(t.entero("TOTAL_LINEAS"), 4);
    EXPECT_EQ(asientosRotos(con()), 0);
}

TEST_P(Vexa, ElReemplazoReusaElNumeroDelAsientoReemplazado)
{
    const ResultadoCorridaVexa r1 = recibir(ventaVexa("1", 300) + ventaVexa("2", 301));
    ASSERT_TRUE(errores.isEmpty());
    const qint64 n300 = filas("NUMERO_VALOR = 300")[0].entero("NUMERO ASIENTO");
    recibir(ventaVexa("1", 300, "200", "42", "242"));
    ASSERT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    EXPECT_EQ(filas("NUMERO_VALOR = 300")[0].entero("NUMERO ASIENTO"), n300);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO_VALOR = 300"), 3);
}

TEST_P(Vexa, UnComprobanteRecibidoYaResumidoOConProveedorNoSeReemplaza)
{
    recibir(ventaVexa("1", 300));
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET CONTABILIZADO = 1 WHERE NUMERO_VALOR = 300 AND SECUENCIA = 2");
    recibir(ventaVexa("1", 300, "200", "42", "242"));
    EXPECT_EQ(errores, QStringList{"Asiento: 1 El comprobante 0001-00000300-A ya existe!!! "});
    // A received type (the supplier's invoice) names the supplier.
    LineaVexa l;
    l.subdiario = "COMP", l.tc = "00FP", l.cabCuenta = "2101010010001", l.nro = "000300000009A", l.libro = "C";
    LineaVexa a = l, b = l;
    a.cuenta = "5101010010001", a.importe = "121", a.lado = "D";
    b.cuenta = "2101010010001", b.importe = "121", b.lado = "H";
    recibir({a.texto(), b.texto()});
    ASSERT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    recibir({a.texto(), b.texto()});
    EXPECT_EQ(errores, QStringList{"Asiento: 1 El comprobante 0003-00000009-A con el proveedor (2101010010001) ya existe!!! "});
}

// A failure on the second row leaves nothing of the voucher; with Retry the
// operator may post it again once the cause is gone.
TEST_P(Vexa, UnFalloEnLaSegundaFilaNoDejaNada)
{
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER TR_VETO AFTER INSERT ON MV_ASIENTOS WHEN NEW.SECUENCIA = 2 AND NEW.NUMERO_VALOR = 41 "
                          "BEGIN SELECT RAISE(ABORT, 'fila vetada'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION f_veto() RETURNS trigger AS $$ BEGIN IF NEW.secuencia = 2 AND NEW.numero_valor = 41 THEN "
                          "RAISE EXCEPTION 'fila vetada'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_veto AFTER INSERT ON mv_asientos FOR EACH ROW EXECUTE FUNCTION f_veto()");
    }
    int preguntas = 0;
    bool transaccionAbierta = true;
    const ResultadoCorridaVexa r = recibir(ventaVexa("1", 40) + ventaVexa("2", 41) + ventaVexa("3", 42), [&](int, const QString& e) {
        ++preguntas;
        transaccionAbierta = con().enTransaccion();
        EXPECT_TRUE(e.contains("fila vetada")) << e.toStdString();
        return false;
    });
    EXPECT_EQ(preguntas, 1);
    EXPECT_FALSE(transaccionAbierta);
    ASSERT_EQ(errores.size(), 1);
    EXPECT_TRUE(errores[0].startsWith("Asiento: 2 ")) << errores[0].toStdString();
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO_VALOR = 41"), 0);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {r.idRecepcion}), 6);
    EXPECT_EQ(asientosRotos(con()), 0);

    // Retry after the cause is gone posts the voucher.
    recibir(ventaVexa("1", 43) + ventaVexa("2", 41), [&](int, const QString&) {
        con().EjecutarSQL(motor() == Motor::SQLite ? "DROP TRIGGER TR_VETO" : "DROP TRIGGER tr_veto ON mv_asientos");
        return true;
    });
    EXPECT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO_VALOR = 41"), 3);
}

// An engine's error of several lines (its message and its detail) is one line
// of the error list; its whole text goes to the error log.
TEST_P(Vexa, UnErrorDeVariasLineasSeListaEnUnaSola)
{
    Utilidades::ArchivoLog = dir.filePath("TbErr.Log");
    const bool pg = motor() == Motor::PostgreSQL;
    // A key another row holds (an index of this test's own), and an error with a detail.
    con().EjecutarSQL("CREATE UNIQUE INDEX UX_PRUEBA_VALOR ON MV_ASIENTOS (NUMERO_VALOR, SECUENCIA) WHERE NUMERO_VALOR >= 429");
    con().Insertar("MV_ASIENTOS", {{"PERIODO", 1}, {"MES_OPERATIVO", 3}, {"[NUMERO ASIENTO]", 9001}, {"SECUENCIA", 1},
                                   {"TIPO_REG", ""}, {"CUENTA", "1101010010001"}, {"[DEBE-HABER]", "D"}, {"TC", "00XX"},
                                   {"NUMERO", "00000430"}});
    if (pg) {
        con().EjecutarSQL("CREATE FUNCTION f_veto() RETURNS trigger AS $$ BEGIN IF NEW.numero_valor = 431 THEN "
                          "RAISE EXCEPTION 'fila vetada' USING DETAIL = 'la clave 431 no se admite', HINT = 'revise el archivo'; "
                          "END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_veto AFTER INSERT ON mv_asientos FOR EACH ROW EXECUTE FUNCTION f_veto()");
    } else {
        con().EjecutarSQL("CREATE TRIGGER TR_VETO AFTER INSERT ON MV_ASIENTOS WHEN NEW.NUMERO_VALOR = 431 "
                          "BEGIN SELECT RAISE(ABORT, 'fila vetada\nla clave 431 no se admite'); END");
    }
    QStringList completos;
    const ResultadoCorridaVexa r =
        recibir(ventaVexa("1", 429) + ventaVexa("2", 430) + ventaVexa("3", 431) + ventaVexa("4", 432), [&](int, const QString& e) {
            completos << e; // the box shows the whole text
            return false;
        });
    ASSERT_EQ(r.fin, ResultadoCorridaVexa::Fin::Completa) << r.error.toStdString();
    EXPECT_EQ(r.grabados, 2);
    ASSERT_EQ(errores.size(), 2);
    EXPECT_EQ(errores[0], "Asiento: 2 Ya existe un registro con la misma clave (otro usuario pudo grabarlo al mismo tiempo): no se grabó.");
    EXPECT_TRUE(errores[1].startsWith("Asiento: 3 ")) << errores[1].toStdString();
    EXPECT_TRUE(errores[1].contains("fila vetada")) << errores[1].toStdString();
    for (const QString& e : errores) {
        EXPECT_FALSE(e.contains(u'\n') || e.contains(u'\r')) << e.toStdString();
        EXPECT_FALSE(e.contains("431 no se admite")) << e.toStdString();
    }
    ASSERT_EQ(completos.size(), 2);
    EXPECT_TRUE(completos[1].contains("la clave 431 no se admite")) << completos[1].toStdString();
    QFile log(Utilidades::archivoLog());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString registro = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(registro.contains("la clave 431 no se admite")) << registro.toStdString();
    EXPECT_TRUE(registro.contains(pg ? "duplicate key" : "UNIQUE constraint failed")) << registro.toStdString();
    Utilidades::ArchivoLog.clear();
}

// The vouchers of a run are kept and written together when their batch ends:
// a voucher met twice in one file must still find its first posting (the batch
// is written before the second one is checked), and a replacement inside the
// batch keeps its old entry number while the others follow without a gap.
TEST_P(Vexa, UnComprobanteRepetidoEnElMismoArchivo)
{
    struct Caso {
        const char* nombre;
        QStringList segunda; // the second version of voucher 300 (key 2)
        QStringList errores;
        int grabados;
        int filas300;
        qint64 total300;
    };
    const Caso casos[] = {
        {"mismo total", ventaVexa("2", 300), {"Asiento: 2 El comprobante 0001-00000300-A ya existe!!! "}, 2, 3, 121},
        {"otro total", ventaVexa("2", 300, "200", "42", "242"), {}, 3, 3, 242},
        {"total cero", ventaVexa("2", 300, "0", "0", "0"), {}, 2, 0, 0},
        {"otro total que no balancea", ventaVexa("2", 300, "200", "42", "243"), {"Asiento: 2 El asiento  no Balancea!!!"}, 2, 3, 121},
    };
    int base = 1000;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        // Other numbers for each case, so that the cases do not meet.
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
        QStringList archivoLineas = ventaVexa("1", 300) + c.segunda + ventaVexa("3", base + 1);
        const ResultadoCorridaVexa r = recibir(archivoLineas);
        EXPECT_EQ(r.fin, ResultadoCorridaVexa::Fin::Completa) << r.error.toStdString();
        EXPECT_EQ(errores, c.errores);
        EXPECT_EQ(r.grabados, c.grabados);
        EXPECT_EQ(r.leidos, 3);
        const auto f300 = filas("NUMERO_VALOR = 300");
        ASSERT_EQ(int(f300.size()), c.filas300);
        if (!f300.empty()) {
            EXPECT_EQ(f300[0].moneda("CABIMPORTE"), Moneda::entero(c.total300));
            EXPECT_EQ(f300[0].entero("NUMERO ASIENTO"), 1);
        }
        EXPECT_EQ(filas("NUMERO_VALOR = ?", {base + 1}).size(), 3u);
        const Fila t = testigo(r.idRecepcion);
        EXPECT_EQ(t.entero("REGISTROS_LEIDOS"), c.grabados);
        EXPECT_EQ(t.entero("TOTAL_LINEAS"), 3);
        EXPECT_EQ(asientosRotos(con()), 0);
        base += 10;
    }
}

TEST_P(Vexa, ReemplazosYNuevosEnUnMismoLoteSinHuecos)
{
    recibir(ventaVexa("1", 300) + ventaVexa("2", 301) + ventaVexa("3", 302));
    ASSERT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    const qint64 n301 = filas("NUMERO_VALOR = 301")[0].entero("NUMERO ASIENTO");
    // New, replaced, new, replaced, withdrawn: all in one batch.
    const ResultadoCorridaVexa r = recibir(ventaVexa("1", 303) + ventaVexa("2", 301, "200", "42", "242") + ventaVexa("3", 304)
                                           + ventaVexa("4", 300, "300", "63", "363") + ventaVexa("5", 302, "0", "0", "0"));
    EXPECT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    EXPECT_EQ(r.grabados, 4);
    EXPECT_EQ(filas("NUMERO_VALOR = 301")[0].entero("NUMERO ASIENTO"), n301);
    EXPECT_EQ(filas("NUMERO_VALOR = 301")[0].moneda("CABIMPORTE"), Moneda::entero(242));
    EXPECT_EQ(filas("NUMERO_VALOR = 300")[0].moneda("CABIMPORTE"), Moneda::entero(363));
    EXPECT_EQ(filas("NUMERO_VALOR = 302").size(), 0u);
    // Four entries of three rows, each under a number of its own.
    EXPECT_EQ(contar(con(), "SELECT COUNT(DISTINCT [NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE TIPO_REG = 'VTAS'"), 4);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE TIPO_REG = 'VTAS'"), 12);
    EXPECT_EQ(asientosRotos(con()), 0);
}

// Doubled line ends ("\r\r\n", "\n\r") leave empty lines inside a voucher: they
// are passed by, so the voucher is not cut in two.
TEST_P(Vexa, LineasVaciasEntreFinesDoblesSeSaltan)
{
    const QStringList v = ventaVexa("1", 310) + ventaVexa("2", 311);
    const QString ruta = dir.filePath("dobles.txt");
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((v[0] + "\r\r\n" + v[1] + "\n\r" + v[2] + "\r\r\n" + v[3] + "\r\n" + v[4] + "\n\r" + v[5] + "\r\n").toUtf8());
    }
    errores.clear();
    ProgresoNulo p;
    const ResultadoCorridaVexa r = RecibirVexa(*ctx, ruta, p, [this](const QStringList& e) { errores << e; });
    ASSERT_EQ(r.fin, ResultadoCorridaVexa::Fin::Completa) << r.error.toStdString();
    EXPECT_TRUE(errores.isEmpty()) << errores.join("\n").toStdString();
    EXPECT_EQ(r.grabados, 2);
    EXPECT_EQ(r.leidos, 2);
    EXPECT_EQ(filas("NRO_TRANSMISION = ?", {r.idRecepcion}).size(), 6u);
    EXPECT_EQ(testigo(r.idRecepcion).entero("TOTAL_LINEAS"), 2);
}

TEST_P(Vexa, ArchivoVacioYUsuarioDelTestigo)
{
    struct Caso { const char* valor; const char* usuario; };
    const Caso casos[] = {{"si", "EQUIPO|PEPE"}, {"NO", "PEPE"}, {nullptr, "PEPE"}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.valor ? c.valor : "(sin clave)");
        con().EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'USA_CONTRASEÑA'");
        if (c.valor) con().EjecutarSQL("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('USA_CONTRASEÑA', ?)", {QString::fromLatin1(c.valor)});
        const ResultadoCorridaVexa r = recibir({});
        ASSERT_EQ(r.fin, ResultadoCorridaVexa::Fin::Completa);
        const Fila t = testigo(r.idRecepcion);
        EXPECT_EQ(t.entero("REGISTROS_LEIDOS"), 0);
        EXPECT_EQ(t.entero("REGISTROS_IGNORADOS"), 0);
        EXPECT_EQ(t.entero("TOTAL_LINEAS"), 0);
        EXPECT_EQ(t.texto("USUARIO"), QString::fromUtf8(c.usuario));
    }
}

TEST_P(Vexa, UnArchivoQueNoExisteNoDejaTestigo)
{
    const int antes = contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION");
    ProgresoNulo p;
    const ResultadoCorridaVexa r = RecibirVexa(*ctx, dir.filePath("no_existe.txt"), p);
    EXPECT_EQ(r.fin, ResultadoCorridaVexa::Fin::Error);
    EXPECT_EQ(r.idRecepcion, 0);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), antes);
}

// The operator cancels at the fourth line: the voucher being read is not posted,
// the earlier ones stay and the row keeps their counts.
TEST_P(Vexa, CanceladaPorElOperador)
{
    class Cancela : public Progreso {
    public:
        void Iniciar(const QString&, qint64) override {}
        bool Actualizar(qint64, const QString& t) override
        {
            textos << t;
            return textos.size() < 5;
        }
        void Cerrar() override { cerrado = true; }
        QStringList textos;
        bool cerrado = false;
    } p;
    const ResultadoCorridaVexa r = RecibirVexa(*ctx, archivo("c.txt", ventaVexa("1", 50) + ventaVexa("2", 51)), p);
    EXPECT_EQ(r.fin, ResultadoCorridaVexa::Fin::Cancelada);
    EXPECT_TRUE(p.cerrado);
    EXPECT_EQ(p.textos.first(), "Leyendo Asiento Nº 1");
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {r.idRecepcion}), 3);
    const Fila t = testigo(r.idRecepcion);
    EXPECT_EQ(t.entero("REGISTROS_LEIDOS"), 1);
    EXPECT_EQ(t.entero("TOTAL_LINEAS"), 1);
}

TEST_P(Vexa, UnaSolaRecepcionPorEstacion)
{
    ContextoEmpresa::Corrida otra(*ctx);
    const ResultadoCorridaVexa r = recibir(ventaVexa("1", 60));
    EXPECT_EQ(r.fin, ResultadoCorridaVexa::Fin::Rechazada);
    EXPECT_EQ(r.error, MensajeOtraRecepcion());
    EXPECT_EQ(AnularRecepcion(*ctx, 1).fin, ResultadoAnulacion::Fin::Rechazada);
}

// ---------------------------------------------------------------- cancelling a run

TEST_P(Vexa, AnularUnaRecepcion)
{
    const ResultadoCorridaVexa r = recibir(ventaVexa("1", 70) + ventaVexa("2", 71) + ventaVexa("3", 72));
    const int otras = contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION IS NULL OR NRO_TRANSMISION <> ?", {r.idRecepcion});
    // Entry 71 has a summarised line: all its lines stay.
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET CONTABILIZADO = 1 WHERE NUMERO_VALOR = 71 AND SECUENCIA = 3");
    const ResultadoAnulacion a = AnularRecepcion(*ctx, r.idRecepcion);
    EXPECT_EQ(a.fin, ResultadoAnulacion::Fin::Anulada);
    EXPECT_EQ(a.filasBorradas, 6);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO_VALOR = 71"), 3);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION IS NULL OR NRO_TRANSMISION <> ?", {r.idRecepcion}), otras);
    EXPECT_EQ(testigo(r.idRecepcion).entero("ANULADA"), 1);
    EXPECT_EQ(AnularRecepcion(*ctx, r.idRecepcion).mensaje, MensajeYaAnulada());
    EXPECT_EQ(AnularRecepcion(*ctx, 99999).fin, ResultadoAnulacion::Fin::NoExiste);
}

TEST_P(Vexa, AnularSinNadaQueBorrarOConEjercicioCerrado)
{
    const ResultadoCorridaVexa r = recibir(ventaVexa("1", 80));
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET CONTABILIZADO = 1 WHERE NRO_TRANSMISION = ?", {r.idRecepcion});
    ResultadoAnulacion a = AnularRecepcion(*ctx, r.idRecepcion);
    EXPECT_EQ(a.fin, ResultadoAnulacion::Fin::SinRegistros);
    EXPECT_EQ(a.mensaje, MensajeSinRegistrosAnulacion());
    EXPECT_EQ(testigo(r.idRecepcion).entero("ANULADA"), 0);

    const ResultadoCorridaVexa r2 = recibir(ventaVexa("1", 81));
    con().EjecutarSQL("UPDATE TESTIGO_RECEPCION SET ANULADA = NULL WHERE ID = ?", {r2.idRecepcion});
    con().EjecutarSQL("UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = 2");
    a = AnularRecepcion(*ctx, r2.idRecepcion);
    EXPECT_EQ(a.fin, ResultadoAnulacion::Fin::EjercicioCerrado);
    EXPECT_EQ(a.mensaje, MensajeEjercicioCerradoAnulacion());
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {r2.idRecepcion}), 3);
    EXPECT_TRUE(testigo(r2.idRecepcion).esNulo("ANULADA"));
}

TEST_P(Vexa, UnFalloAMitadDeLaAnulacionNoCambiaNada)
{
    const ResultadoCorridaVexa r = recibir(ventaVexa("1", 90) + ventaVexa("2", 91));
    if (motor() == Motor::SQLite) {
        con().EjecutarSQL("CREATE TRIGGER TR_NO_BORRA BEFORE DELETE ON MV_ASIENTOS WHEN OLD.NUMERO_VALOR = 91 "
                          "BEGIN SELECT RAISE(ABORT, 'no se borra'); END");
    } else {
        con().EjecutarSQL("CREATE FUNCTION f_no_borra() RETURNS trigger AS $$ BEGIN IF OLD.numero_valor = 91 THEN "
                          "RAISE EXCEPTION 'no se borra'; END IF; RETURN OLD; END $$ LANGUAGE plpgsql");
        con().EjecutarSQL("CREATE TRIGGER tr_no_borra BEFORE DELETE ON mv_asientos FOR EACH ROW EXECUTE FUNCTION f_no_borra()");
    }
    EXPECT_ANY_THROW(AnularRecepcion(*ctx, r.idRecepcion));
    EXPECT_FALSE(con().enTransaccion());
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {r.idRecepcion}), 6);
    EXPECT_EQ(testigo(r.idRecepcion).entero("ANULADA"), 0);
}

// A run cancelled while it posts stops at its next batch, which is rolled back.
TEST_P(Vexa, UnaRecepcionAnuladaMientrasSeProcesaSeDetiene)
{
    class AnulaAlLeer : public Progreso {
    public:
        AnulaAlLeer(Conexion& c) : c_(c) {}
        void Iniciar(const QString&, qint64) override {}
        bool Actualizar(qint64, const QString&) override
        {
            // Another station cancels the run as soon as its first voucher is read.
            if (++n_ == 4 && !c_.enTransaccion())
                c_.EjecutarSQL("UPDATE TESTIGO_RECEPCION SET ANULADA = 1 WHERE ID = (SELECT MAX(ID) FROM TESTIGO_RECEPCION)");
            return true;
        }
        void Cerrar() override {}

    private:
        Conexion& c_;
        int n_ = 0;
    };
    auto otra = otraConexion();
    AnulaAlLeer p(*otra);
    QStringList listados;
    const ResultadoCorridaVexa r = RecibirVexa(*ctx, archivo("a.txt", ventaVexa("1", 95) + ventaVexa("2", 96)), p,
                                               [&](const QStringList& e) { listados << e; });
    EXPECT_EQ(r.fin, ResultadoCorridaVexa::Fin::Anulada);
    EXPECT_EQ(r.error, RecepcionAnulada::Mensaje());
    EXPECT_TRUE(listados.contains(RecepcionAnulada::Mensaje()));
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {r.idRecepcion}), 0);
}

// A company of version 6 gets the VAT-concept accounts table when opened; its
// reception then finds no VAT accounts and books only nets and totals.
TEST_P(Vexa, UnaEmpresaVersion6RecibeLaTablaDeCuentasDeIva)
{
    Conexion vieja;
    DatosConexion d;
    QString error;
    ASSERT_TRUE(empresaAnterior(vieja, 6, true, &d, &error)) << error.toStdString();
    EXPECT_THROW(vieja.Escalar("SELECT COUNT(*) FROM TA_CUENTASIVA"), ErrorBD);
    const QString copia = EsquemaEmpresa(vieja).actualizarEsquema();
    EXPECT_EQ(EsquemaEmpresa(vieja).comprobarEsquema(), EstadoEsquema::Actual);
    EXPECT_EQ(vieja.Escalar("SELECT COUNT(*) FROM TA_CUENTASIVA").toInt(), 0); // demo rows only for new companies
    RecepcionVexa r(vieja, "2");
    EXPECT_EQ(r.ConceptoIva("2102010010001"), "");
    vieja.Insertar("TA_CUENTASIVA", {{"ID", 1}, {"DFI_IVARI", "2102010010001 "}, {"DFI_IVACF", "2102010010001"}});
    RecepcionVexa r2(vieja, "2");
    EXPECT_EQ(r2.ConceptoIva(" 2102010010001"), "DFI_IVARI"); // the first column that names it
    vieja.Cerrar();
    if (!copia.isEmpty()) QFile::remove(copia);
    eliminarEmpresa(d, &error);
}

// The example files a new user tries, as LEAME.md describes them.
TEST_P(Vexa, ArchivosDeEjemplo)
{
    struct Caso { const char* archivo; int grabados; QStringList errores; };
    const Caso casos[] = {
        {"vexa_ventas.txt", 4, {}},
        {"vexa_compras.txt", 2, {}},
        {"vexa_sin_subdiario.txt", 1, {}},
        {"vexa_con_errores.txt", 2,
         {"Asiento: 2 El tipo de comprobante (00ZZ) no existe", "Asiento: 3 El campo fecha no contiene una fecha operativa",
          "Asiento: 4 El asiento  no Balancea!!!", "Asiento: 5 El comprobante 0001-00000601-A ya existe!!! "}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.archivo);
        errores.clear();
        ProgresoNulo p;
        const ResultadoCorridaVexa r = RecibirVexa(*ctx, QStringLiteral(VEXA_CARPETA_EJEMPLOS "/recepcion/") + c.archivo, p,
                                                   [this](const QStringList& e) { errores << e; });
        EXPECT_EQ(r.fin, ResultadoCorridaVexa::Fin::Completa) << r.error.toStdString();
        EXPECT_EQ(r.grabados, c.grabados);
        EXPECT_EQ(errores, c.errores);
    }
    EXPECT_EQ(asientosRotos(con()), 0);
}

VEXA_AMBOS_MOTORES(Vexa);

} // namespace
