// Validation of interface lines against a small self-contained company, on both backends.
#include "BajaAsientos.h"
#include "BaseDePrueba.h"
#include "Configuracion.h"
#include "RecepcionInterface.h"
#include "Utilidades.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::recepcion;

namespace {

// Sub-journal VTAS registers 00FA (own numbering, letters A and B) and 00FP
// (received documents, letters A, B and C); 00RC is registered nowhere.
// Definition "PRUEBA": FECHA;TIPO;SUC;NUM;LET;CLI;NETO;IVA;TOTAL;VTO;COMB
class Recepcion : public prueba::BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        auto& c = con();
        const char* sql[] = {
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '1')",
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('FECHAOPERDESDE', '01/01/2026')",
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('FECHAOPERHASTA', '31/12/2026')",
            "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [FECHA DESDE], [FECHA HASTA]) VALUES (1, 'E2026', '2026-01-01', '2026-12-31')",
            "INSERT INTO TA_COMPROBANTES (CODIGO, LETRAS, SISTEMA, ModificaNumeracion, SIGNO, A_ULTIMO_NRO) VALUES ('00FA', 'AB', 'CONTABLE', 'FALSO', '+', 10)",
            "INSERT INTO TA_COMPROBANTES (CODIGO, LETRAS, SISTEMA, ModificaNumeracion, SIGNO) VALUES ('00FP', 'ABC', 'CONTABLE', 'SI', '+')",
            "INSERT INTO TA_COMPROBANTES (CODIGO, LETRAS, SISTEMA, ModificaNumeracion, SIGNO) VALUES ('00RC', 'A', 'CONTABLE', 'SI', '+')",
            "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (SUBDIARIO, TC) VALUES ('VTAS', '00FA')",
            "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (SUBDIARIO, TC) VALUES ('VTAS', '00FP')",
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('110201001', 'Clientes', 1)",
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('1102010010001', 'Cliente Uno', 0)",
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('1102010010002', 'Sin datos', 0)",
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('1102010010003', 'Sin IVA', 0)",
            "INSERT INTO MA_CUENTASADIC (CODIGO, NUMERO_DOCUMENTO, IVA) VALUES ('1102010010001', '30-1', '0001')",
            "INSERT INTO MA_CUENTASADIC (CODIGO, NUMERO_DOCUMENTO, IVA) VALUES ('1102010010003', '30-3', '')",
            "INSERT INTO TA_INTERFACES (NOMBRE, SUBDIARIO, TIPO_ARCHIVO, SEPARADOR, CALIFICADOR, FECHA_BASICOS, TC_BASICOS, "
            "SUC_BASICOS, NUM_BASICOS, LET_BASICOS, IMPORTETOTAL_BASICOS, VENCIMIENTO_BASICOS, CUENTA_PRINCIPAL_BASICOS, "
            "LIVA_TIPO, LIVA_NETO, LIVA_DFRI, LIVA_EXENTO) VALUES ('PRUEBA', 'VTAS', 'D', ';', '\"', 'FECHA', 'TIPO', 'SUC', 'NUM', "
            "'LET', 'TOTAL', 'VTO', 'CLI', 'VENTAS', 'NETO', 'IVA', 'NOHAY')",
            "INSERT INTO EQ_TC_INTERFACE (INTERFACE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'FC ', '00FA')",
            "INSERT INTO EQ_TC_INTERFACE (INTERFACE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'fc', '00RC')",
            "INSERT INTO EQ_TC_INTERFACE (INTERFACE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'FP', '00FP')",
            "INSERT INTO EQ_TC_INTERFACE (INTERFACE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('OTRA', 'ZZ', '00FA')",
            "INSERT INTO EQ_CTA_INTERFACE (INTERFACE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'C1', '1102010010001')",
            "INSERT INTO EQ_CTA_INTERFACE (INTERFACE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'C2', '1102010010002')",
            "INSERT INTO EQ_CTA_INTERFACE (INTERFACE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'C3', '1102010010003')",
            "INSERT INTO EQ_CTA_INTERFACE (INTERFACE, CODIGO_ORIGEN, CODIGO_SISTEMA) VALUES ('PRUEBA', 'T', '110201001')",
            "INSERT INTO EQ_COND_INTERFACES (INTERFACE, SECUENCIA, OPERADOR, CAMPO_ORIGEN, VALOR_CAMPO_ORIGEN, ASIGNADO_A_CUENTA, AL_DEBE_O_HABER, VALOR_CAMPO) "
            "VALUES ('PRUEBA', 20, '=', 'TIPO', '00fa ', '2102010010001', 'h', 'IVA')",
            "INSERT INTO EQ_COND_INTERFACES (INTERFACE, SECUENCIA, OPERADOR, CAMPO_ORIGEN, VALOR_CAMPO_ORIGEN, ASIGNADO_A_CUENTA, AL_DEBE_O_HABER, VALOR_CAMPO) "
            "VALUES ('PRUEBA', 10, '=', 'TIPO', '00FA', '4101010010001', 'H', 'NETO')",
            "INSERT INTO EQ_COND_INTERFACES (INTERFACE, SECUENCIA, OPERADOR, CAMPO_ORIGEN, VALOR_CAMPO_ORIGEN, ASIGNADO_A_CUENTA, AL_DEBE_O_HABER, VALOR_CAMPO) "
            "VALUES ('PRUEBA', 30, '<>', 'TIPO', '00FA', '5101010010001', 'd', 'NETO')",
        };
        for (const char* s : sql) c.EjecutarSQL(QString::fromUtf8(s));
        const char* campos[][2] = {{"FECHA", "DD/MM/AAAA"}, {"TIPO", ""}, {"SUC", ""}, {"NUM", ""}, {"LET", ""}, {"CLI", ""},
                                   {"NETO", ""}, {"IVA", ""}, {"TOTAL", ""}, {"VTO", "DD-MM-AAAA"}, {"COMB", ""}};
        int sec = 1;
        for (auto& f : campos)
            c.EjecutarSQL(QStringLiteral("INSERT INTO TA_INTERFACES_DETALLE (INTERFACE, SECUENCIA, NOMBRE_CAMPO, FORMATO, LONGITUD, TIPO_DATO) "
                                         "VALUES ('PRUEBA', ?, ?, ?, '10', 'T')"),
                          {sec++, QString::fromUtf8(f[0]), QString::fromUtf8(f[1])});
    }

    // A line of the fixture definition; fields are replaced by name.
    static QString linea(std::initializer_list<std::pair<const char*, const char*>> cambios = {})
    {
        QStringList orden{"FECHA", "TIPO", "SUC", "NUM", "LET", "CLI", "NETO", "IVA", "TOTAL", "VTO", "COMB"};
        QStringList v{"01032026", "FC", "1", "25", "A", "C1", "100", "21", "121", "31032026", ""};
        for (auto& [k, val] : cambios) v[orden.indexOf(QString::fromUtf8(k))] = QString::fromUtf8(val);
        return v.join(u';');
    }

    ResultadoRegistro procesar(const QString& l)
    {
        RecepcionInterface r(&con());
        EXPECT_TRUE(r.ObtieneDatosInterface("PRUEBA"));
        return r.Procesa_Registro(l);
    }

    void asientoPrevio(const char* tc, const char* cuenta, const char* importe, int periodo = 1, int contabilizado = 0,
                       int numero = 7, int mes = 3)
    {
        for (int sec = 1; sec <= 2; ++sec)
            con().EjecutarSQL(QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, "
                                             "CUENTA, [DEBE-HABER], IMPORTE, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CONTABILIZADO) "
                                             "VALUES (?, ?, ?, ?, 'VTAS', ?, ?, ?, ?, '0001', '00000025', 'A', ?, ?, ?)"),
                              {periodo, mes, numero, sec, QString::fromUtf8(cuenta), sec == 1 ? "H" : "D",
                               QVariant::fromValue(Utilidades::TextoAMoneda(importe)), QString::fromUtf8(tc),
                               QVariant::fromValue(Utilidades::TextoAMoneda(importe)), QString::fromUtf8(cuenta), contabilizado});
    }
    int filasAsiento() { return int(con().Escalar("SELECT COUNT(*) FROM MV_ASIENTOS").toLongLong()); }
};

TEST_P(Recepcion, MensajesEnSuOrden)
{
    struct Caso {
        QString linea;
        const char* mensaje;
    };
    const Caso casos[] = {
        // Voucher type, before anything else.
        {linea({{"TIPO", "ZZ"}, {"CLI", "C9"}, {"FECHA", "x"}}), "El tipo de comprobante (ZZ) no existe, o las equivalencias no son correctas "},
        {linea({{"TIPO", ""}}), "El tipo de comprobante () no existe, o las equivalencias no son correctas "},
        {linea({{"TIPO", "00RC"}}), "El tipo de comprobante (00RC) no es valido para el tipo de Subdiario : VTAS"},
        // Main account.
        {linea({{"CLI", "C9"}, {"TOTAL", "x"}}), "La cuenta principal (C9) no existe, o las equivalencias no son correctas "},
        {linea({{"CLI", "T"}}), "La Cuenta (110201001) no es valido para el tipo de Subdiario : VTAS"},
        {linea({{"CLI", "C2"}}), "Falta (CUIT) de la Cuenta (1102010010002)"},
        {linea({{"CLI", "C3"}}), "Falta (Condicion de IVA) de la Cuenta (1102010010003)"},
        // Total.
        {linea({{"TOTAL", "1O0"}, {"LET", "Z"}}), "El Campo Importe Total debe ser numérico "},
        {linea({{"TOTAL", ""}}), "El Campo Importe Total debe ser numérico "},
        {linea({{"TOTAL", "-10"}}), "El Campo Importe Total debe ser mayor a cero"},
        // Beyond the largest amount: named as such, not as a text that is no number.
        {linea({{"TOTAL", "1000000000"}}), "El Campo Importe Total supera el importe máximo de 999.999.999,9999"},
        {linea({{"TOTAL", "922337203685477.5807"}}), "El Campo Importe Total supera el importe máximo de 999.999.999,9999"},
        {linea({{"TOTAL", "1.8e15"}}), "El Campo Importe Total supera el importe máximo de 999.999.999,9999"},
        {linea({{"TOTAL", "99999999999999999999999"}}), "El Campo Importe Total supera el importe máximo de 999.999.999,9999"},
        // Letter, then number, then branch.
        {linea({{"LET", "Z"}, {"NUM", "x"}}), "La letra informada(Z)debe ser A,B,C,E, o X "},
        {linea({{"LET", "AB"}}), "La letra informada(AB)debe ser A,B,C,E, o X "},
        {linea({{"LET", ""}}), "La letra informada()debe ser A,B,C,E, o X "},
        {linea({{"LET", "C"}, {"NUM", "x"}}), "La letra informada(C) no ha sido habilitada para el comprobante 00FA en config"},
        {linea({{"NUM", "2X"}, {"SUC", "x"}}), "El numero de Comprobante debe ser numérico!!!"},
        {linea({{"NUM", ""}}), "El numero de Comprobante debe ser numérico!!!"},
        {linea({{"NUM", "123456789"}}), "El numero de Comprobante debe ser numérico!!!"},
        {linea({{"NUM", "-5"}}), "El numero de Comprobante debe ser numérico!!!"},
        {linea({{"NUM", "2.5"}}), "El numero de Comprobante debe ser numérico!!!"},
        {linea({{"SUC", "A"}}), "La sucursal debe ser numérica!!!"},
        {linea({{"SUC", "12345"}}), "La sucursal debe ser numérica!!!"},
        // A new voucher with a zero total.
        {linea({{"TOTAL", "0"}, {"FECHA", "x"}}), "El importe debe ser mayor a cero"},
        // Issue date.
        {linea({{"FECHA", "3112003"}}), "La Fecha Ingresada es incorrecta"},
        {linea({{"FECHA", "31022026"}}), "El campo fecha no contiene datos validos"},
        {linea({{"FECHA", "31/12/2025"}}), "El campo fecha no contiene una fecha operativa"},
        {linea({{"FECHA", "01012027"}}), "El campo fecha no contiene una fecha operativa"},
        // Due date.
        {linea({{"VTO", "123"}}), "La Fecha Ingresada es incorrecta"},
        {linea({{"VTO", "99-99-2026"}}), "El campo VTO no contiene datos validos"},
        {linea({{"VTO", "01012027"}}), "El campo VTO no contiene una fecha operativa"},
        {linea({{"VTO", "28022026"}}), "La Fecha de vencimiento no puede ser mayor a la de emision del Subdiario"},
    };
    RecepcionInterface r(&con());
    ASSERT_TRUE(r.ObtieneDatosInterface("PRUEBA"));
    for (const auto& c : casos) {
        ResultadoRegistro res = r.Procesa_Registro(c.linea);
        EXPECT_EQ(res.mensaje, QString::fromUtf8(c.mensaje)) << c.linea.toStdString();
        r.LimpiaValores();
    }
    EXPECT_EQ(filasAsiento(), 0);
}

TEST_P(Recepcion, ComprobanteValidadoListoParaContabilizar)
{
    RecepcionInterface r(&con());
    ASSERT_TRUE(r.ObtieneDatosInterface("PRUEBA"));
    ResultadoRegistro res = r.Procesa_Registro(linea({{"TIPO", " fc "}, {"LET", "b"}, {"VTO", "31-03-2026"}}));
    ASSERT_TRUE(res.valido()) << res.mensaje.toStdString();
    const ComprobanteValidado& c = res.comprobante;
    EXPECT_EQ(c.Tc, "00FA"); // first equivalence row of the code wins
    EXPECT_FALSE(c.comprobanteEntrada);
    EXPECT_EQ(c.Subdiario, "VTAS");
    EXPECT_EQ(c.LivaTipo, "VENTAS");
    EXPECT_EQ(c.Sucursal, "0001");
    EXPECT_EQ(c.Numero, "00000025");
    EXPECT_EQ(c.Letra, "b");
    EXPECT_EQ(c.CuentaPrincipal, "1102010010001");
    EXPECT_EQ(c.NombreCuenta, "Cliente Uno");
    EXPECT_EQ(c.Cuit, "30-1");
    EXPECT_EQ(texto::recortar(c.CondicionIva), "0001");
    EXPECT_EQ(c.TotalTexto, "121");
    EXPECT_EQ(c.Total, Moneda::entero(121));
    EXPECT_EQ(c.FechaEmisionTexto, "01/03/2026");
    EXPECT_EQ(c.FechaEmision, QDate(2026, 3, 1));
    EXPECT_EQ(c.MesOperativo, 3);
    EXPECT_EQ(c.VencimientoTexto, "31/03/2026");
    EXPECT_EQ(c.Vencimiento, QDate(2026, 3, 31));
    EXPECT_EQ(c.iva.Neto, Moneda::entero(100));
    EXPECT_EQ(c.iva.Dfri, Moneda::entero(21));
    EXPECT_TRUE(c.iva.Exento.esCero()); // the definition names a field it lacks: zero, no message
    EXPECT_FALSE(c.retiro);
    EXPECT_FALSE(c.reemplazo.planeado);
    EXPECT_EQ(c.numeroAsientoReutilizar, 0);
    // Rules 10 and 20 apply (in SECUENCIA order, values compared trimmed and without case); 30 does not.
    ASSERT_EQ(c.Lineas.size(), 2u);
    EXPECT_EQ(c.Lineas[0].Cuenta, "4101010010001");
    EXPECT_EQ(c.Lineas[0].Haber, Moneda::entero(100));
    EXPECT_TRUE(c.Lineas[0].Debe.esCero());
    EXPECT_EQ(c.Lineas[1].Cuenta, "2102010010001");
    EXPECT_EQ(c.Lineas[1].Haber, Moneda::entero(21));

    // The equivalent code was written back into the line's field.
    EXPECT_EQ(r.ValorCampo("TIPO"), "00FA");
    r.LimpiaValores();
    EXPECT_EQ(r.ValorCampo("TIPO"), "");

    // A received document: the "<>" rule applies, on the debit side.
    res = r.Procesa_Registro(linea({{"TIPO", "FP"}, {"LET", "C"}}));
    ASSERT_TRUE(res.valido()) << res.mensaje.toStdString();
    EXPECT_TRUE(res.comprobante.comprobanteEntrada);
    ASSERT_EQ(res.comprobante.Lineas.size(), 1u);
    EXPECT_EQ(res.comprobante.Lineas[0].Cuenta, "5101010010001");
    EXPECT_EQ(res.comprobante.Lineas[0].Debe, Moneda::entero(100));
}

TEST_P(Recepcion, CampoCombinadoEnSusSeisDisposiciones)
{
    con().EjecutarSQL("UPDATE TA_INTERFACES SET SUCNUMLET_BASICOS = 'COMB'");
    struct Caso { const char* formato; const char* valor; const char* suc; const char* num; const char* let; };
    const Caso casos[] = {
        {"SSSS-NNNNNNNN-L", "0001-00000025/A", "0001", "00000025", "A"},
        {"ssssLnnnnnnnn", "0002B00000026", "0002", "00000026", "B"},
        {"NNNNNNNNSSSSL", "000000270003A", "0003", "00000027", "A"},
        {"NNNNNNNNLSSSS", "00000028B0004", "0004", "00000028", "B"},
        {"LSSSSNNNNNNNN", "A000500000029", "0005", "00000029", "A"},
        {"LNNNNNNNNSSSS", "B000000300006", "0006", "00000030", "B"},
    };
    for (const auto& c : casos) {
        con().EjecutarSQL("UPDATE TA_INTERFACES SET FORMATO_SUC_NUM_LET = ?", {QString::fromUtf8(c.formato)});
        ResultadoRegistro res = procesar(linea({{"COMB", c.valor}, {"SUC", "9"}, {"NUM", "9"}, {"LET", "Z"}}));
        ASSERT_TRUE(res.valido()) << c.formato << ": " << res.mensaje.toStdString();
        EXPECT_EQ(res.comprobante.Sucursal, c.suc) << c.formato;
        EXPECT_EQ(res.comprobante.Numero, c.num) << c.formato;
        EXPECT_EQ(res.comprobante.Letra, c.let) << c.formato;
    }
    // A value of another length, or a layout of none of the six, leaves the three blank.
    con().EjecutarSQL("UPDATE TA_INTERFACES SET FORMATO_SUC_NUM_LET = 'SSSSNNNNNNNNL'");
    EXPECT_EQ(procesar(linea({{"COMB", "1-25-A"}})).mensaje, "La letra informada()debe ser A,B,C,E, o X ");
    con().EjecutarSQL("UPDATE TA_INTERFACES SET FORMATO_SUC_NUM_LET = 'SSSSNNNNNNNNX'");
    EXPECT_EQ(procesar(linea({{"COMB", "000100000025A"}})).mensaje, "La letra informada()debe ser A,B,C,E, o X ");
}

TEST_P(Recepcion, ReemplazoPlaneadoSinBorrarNada)
{
    asientoPrevio("00FA", "1102010010001", "121");
    RecepcionInterface r(&con());
    ASSERT_TRUE(r.ObtieneDatosInterface("PRUEBA"));
    auto procesa = [&](const QString& l) {
        ResultadoRegistro res = r.Procesa_Registro(l);
        r.LimpiaValores();
        return res;
    };

    // Same total: already posted. Branch and number match as numbers.
    EXPECT_EQ(procesa(linea({{"SUC", "0001"}, {"NUM", "025"}})).mensaje, "El comprobante 0001-00000025-A ya existe!!! ");

    // Another total: the replacement is planned, the earlier rows stay until the posting.
    ResultadoRegistro res = procesa(linea({{"TOTAL", "150"}, {"NETO", "124"}, {"IVA", "26"}}));
    ASSERT_TRUE(res.valido()) << res.mensaje.toStdString();
    const ReemplazoPlaneado& p = res.comprobante.reemplazo;
    EXPECT_TRUE(p.planeado);
    EXPECT_EQ(p.filas, 2);
    EXPECT_EQ(p.importeAnterior, Moneda::entero(121));
    EXPECT_EQ(p.numeroAsiento, 7);
    EXPECT_EQ(res.comprobante.numeroAsientoReutilizar, 7);
    EXPECT_FALSE(res.comprobante.retiro);
    EXPECT_EQ(filasAsiento(), 2);
    // The planned delete removes exactly those rows.
    {
        Transaccion t(con());
        EXPECT_EQ(BajaAsientos(con()).borrarComprobante(p.comprobante(), p.Periodo), 2);
        t.deshacer();
    }
    EXPECT_EQ(filasAsiento(), 2);

    // In another operating month the entry number is not reused.
    res = procesa(linea({{"TOTAL", "150"}, {"FECHA", "01042026"}, {"VTO", "30042026"}}));
    ASSERT_TRUE(res.valido()) << res.mensaje.toStdString();
    EXPECT_TRUE(res.comprobante.reemplazo.planeado);
    EXPECT_EQ(res.comprobante.numeroAsientoReutilizar, 0);

    // A zero total withdraws the voucher: valid, nothing to post.
    res = procesa(linea({{"TOTAL", "0"}, {"FECHA", "x"}}));
    ASSERT_TRUE(res.valido()) << res.mensaje.toStdString();
    EXPECT_TRUE(res.comprobante.retiro);
    EXPECT_EQ(res.comprobante.reemplazo.filas, 2);

    // A later check that fails leaves the earlier voucher in place.
    EXPECT_EQ(procesa(linea({{"TOTAL", "150"}, {"FECHA", "31022026"}})).mensaje, "El campo fecha no contiene datos validos");
    EXPECT_EQ(filasAsiento(), 2);

    // A row summarised after the validation is not deleted by the planned statement.
    {
        Transaccion t(con());
        con().EjecutarSQL("UPDATE MV_ASIENTOS SET CONTABILIZADO = 1 WHERE SECUENCIA = 2");
        EXPECT_EQ(BajaAsientos(con()).borrarComprobante(p.comprobante(), p.Periodo), 1);
        t.deshacer();
    }

    // Rows written by another system without zero-filling are the same voucher.
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET SUCURSAL = '1', NUMERO = '025'");
    res = procesa(linea({{"TOTAL", "150"}}));
    ASSERT_TRUE(res.valido()) << res.mensaje.toStdString();
    EXPECT_EQ(res.comprobante.reemplazo.filas, 2);
    {
        Transaccion t(con());
        const ReemplazoPlaneado& r = res.comprobante.reemplazo;
        EXPECT_EQ(BajaAsientos(con()).borrarComprobante(r.comprobante(), r.Periodo), 2);
    }
}

TEST_P(Recepcion, NoSeReemplazaLoResumidoNiOtroPeriodo)
{
    asientoPrevio("00FA", "1102010010001", "121", 1, 1);
    EXPECT_EQ(procesar(linea({{"TOTAL", "150"}})).mensaje, "El comprobante 0001-00000025-A ya existe!!! ");
    con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
    asientoPrevio("00FA", "1102010010001", "121", 2, 0);
    EXPECT_EQ(procesar(linea({{"TOTAL", "150"}})).mensaje, "El comprobante 0001-00000025-A ya existe!!! ");
}

TEST_P(Recepcion, ProveedorEsParteDelComprobanteRecibido)
{
    asientoPrevio("00FP", "1102010010001", "121");
    EXPECT_EQ(procesar(linea({{"TIPO", "FP"}})).mensaje,
              "El comprobante 0001-00000025-A con el proveedor (1102010010001) ya existe!!! ");
    con().EjecutarSQL("UPDATE MV_ASIENTOS SET CABCUENTA = '2101010010009'");
    EXPECT_TRUE(procesar(linea({{"TIPO", "FP"}})).valido());
}

TEST_P(Recepcion, ReglasYCamposMalDefinidosRechazanLaLinea)
{
    // A header column naming no field.
    con().EjecutarSQL("UPDATE TA_INTERFACES SET TC_BASICOS = 'TIPOX'");
    EXPECT_EQ(procesar(linea()).mensaje, QString::fromUtf8("El campo (TIPOX) no existe en la definición de la interface"));
    con().EjecutarSQL("UPDATE TA_INTERFACES SET TC_BASICOS = 'TIPO'");

    // A rule naming no field, even when it would not apply.
    con().EjecutarSQL("UPDATE EQ_COND_INTERFACES SET VALOR_CAMPO = 'NETOX' WHERE SECUENCIA = 30");
    EXPECT_EQ(procesar(linea()).mensaje,
              QString::fromUtf8("El campo (NETOX) de la condición 30 no existe en la definición de la interface"));
    con().EjecutarSQL("UPDATE EQ_COND_INTERFACES SET VALOR_CAMPO = 'NETO', CAMPO_ORIGEN = 'TIPOX' WHERE SECUENCIA = 30");
    EXPECT_EQ(procesar(linea()).mensaje,
              QString::fromUtf8("El campo (TIPOX) de la condición 30 no existe en la definición de la interface"));
    con().EjecutarSQL("UPDATE EQ_COND_INTERFACES SET CAMPO_ORIGEN = 'TIPO' WHERE SECUENCIA = 30");

    // An account longer than 15 characters is refused, not cut.
    con().EjecutarSQL("UPDATE EQ_COND_INTERFACES SET ASIGNADO_A_CUENTA = '4101010010001XYZ' WHERE SECUENCIA = 10");
    EXPECT_EQ(procesar(linea()).mensaje,
              QString::fromUtf8("La cuenta (4101010010001XYZ) de la condición 10 tiene más de 15 caracteres"));

    // Without rules the line has no entry lines (the balance check will refuse it).
    con().EjecutarSQL("DELETE FROM EQ_COND_INTERFACES");
    ResultadoRegistro res = procesar(linea());
    ASSERT_TRUE(res.valido());
    EXPECT_TRUE(res.comprobante.Lineas.empty());
}

TEST_P(Recepcion, AsignaCuentasMensajes)
{
    RecepcionInterface r(&con());
    ASSERT_TRUE(r.ObtieneDatosInterface("PRUEBA"));
    QString m = "intacto", importe;
    auto l = r.AsignaCuentas(r.definicion().DivideLinea("x;00FA"), m, importe);
    EXPECT_EQ(l.size(), 2u);
    EXPECT_EQ(m, "intacto");
    // No rule applies when the tested field is 00FA for "<>" and something else for "=".
    con().EjecutarSQL("DELETE FROM EQ_COND_INTERFACES WHERE SECUENCIA <> 10");
    ASSERT_TRUE(r.ObtieneDatosInterface("PRUEBA"));
    EXPECT_TRUE(r.AsignaCuentas(r.definicion().DivideLinea("x;00NC"), m, importe).empty());
    EXPECT_EQ(m, "Ninguna de las  cuentas Asignadas cumplio con las condiciones");
    con().EjecutarSQL("DELETE FROM EQ_COND_INTERFACES");
    ASSERT_TRUE(r.ObtieneDatosInterface("PRUEBA"));
    EXPECT_TRUE(r.AsignaCuentas(ValoresLinea(), m, importe).empty());
    EXPECT_EQ(m, "No se han Asignado Cuentas en este Registro");
}

TEST_P(Recepcion, CargaDeDefinicionesYEquivalencias)
{
    RecepcionInterface r(&con());
    EXPECT_FALSE(r.ObtieneDatosInterface("NO EXISTE"));
    ASSERT_TRUE(r.ObtieneDatosInterface(" prueba "));
    const auto& d = r.definicion();
    EXPECT_EQ(d.cabecera.Nombre, "PRUEBA");
    EXPECT_EQ(d.cabecera.Calificador, "\"");
    ASSERT_EQ(d.campos.size(), 11u);
    EXPECT_EQ(d.campos[9].Nombre, "VTO");
    EXPECT_EQ(d.campos[9].Formato, "DD-MM-AAAA");
    EXPECT_EQ(d.campos[9].Longitud, 10);
    EXPECT_EQ(r.BuscaEquivalenciaTc(" fc"), "00FA");
    EXPECT_EQ(r.BuscaEquivalenciaTc("ZZ"), "ZZ"); // a row of another definition does not count
    EXPECT_EQ(r.BuscaEquivalenciaCta("c1 "), "1102010010001");
    EXPECT_EQ(r.BuscaEquivalenciaCta("C7"), "C7");
    ASSERT_EQ(d.reglas.size(), 3u);
    EXPECT_EQ(d.reglas[0].Secuencia, 10);

    // A definition without detail rows has one empty field.
    con().EjecutarSQL("DELETE FROM TA_INTERFACES_DETALLE");
    ASSERT_TRUE(r.ObtieneDatosInterface("PRUEBA"));
    EXPECT_EQ(r.definicion().campos.size(), 1u);
    EXPECT_EQ(r.ValorCampo("FECHA"), "");
}

TEST_P(Recepcion, CuentasYFechasOperativas)
{
    Configuracion cfg(&con());
    EXPECT_TRUE(cfg.ExisteCuenta(" 1102010010001 "));
    EXPECT_TRUE(cfg.ExisteCuenta("110201001"));
    EXPECT_FALSE(cfg.ExisteCuenta("9"));
    EXPECT_FALSE(cfg.ExisteCuenta(""));
    QString m;
    EXPECT_TRUE(cfg.ValidaCuenta("VTAS", "1102010010001", m));
    EXPECT_FALSE(cfg.ValidaCuenta("VTAS", "110201001", m));
    EXPECT_EQ(m, QString::fromUtf8("La cuenta (110201001) es un título y no admite imputaciones"));
    EXPECT_FALSE(cfg.ValidaCuenta("VTAS", "9", m));
    EXPECT_EQ(m, "La cuenta (9) no existe");
    EXPECT_TRUE(cfg.EsFechaOperativa(QDate(2026, 1, 1)));
    EXPECT_TRUE(cfg.EsFechaOperativa(QDate(2026, 12, 31)));
    EXPECT_FALSE(cfg.EsFechaOperativa(QDate(2025, 12, 31)));
    EXPECT_FALSE(cfg.EsFechaOperativa(QDate(2027, 1, 1)));
    EXPECT_FALSE(cfg.EsFechaOperativa(QDate()));
    con().EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'FECHAOPERHASTA'");
    EXPECT_FALSE(cfg.EsFechaOperativa(QDate(2026, 6, 1)));
}

VEXA_AMBOS_MOTORES(Recepcion);

} // namespace
