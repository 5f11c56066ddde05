// The posting service: whole entries inside the caller's transaction, the
// balance check, the number memory that follows savepoints, and the numbering
// of own-numbered voucher types.
#include "AsientosDePrueba.h"

#include "Configuracion.h"
#include "RegistroAsientos.h"

using namespace vexa;
using namespace vexa::prueba;

namespace {

class Registro : public BaseAsientos {
protected:
    bool conDemo() const override { return true; }

    static AsientoNuevo venta(const QString& numero, qint64 neto, qint64 iva, qint64 total)
    {
        AsientoNuevo a;
        a.periodo = "2";
        a.mes = 3;
        a.tipoReg = "VTAS";
        a.fecha = QDate(2026, 3, 15);
        a.detalle = "Detalle";
        a.tc = "00FA";
        a.sucursal = "0001";
        a.numero = numero;
        a.letra = "A";
        a.cabImporte = Moneda::entero(total);
        a.cabCuenta = "1102010010001";
        a.lineas = {{"4101010010001", false, Moneda::entero(neto), {}, {}},
                    {"2102010010001", false, Moneda::entero(iva), {}, {}},
                    {"9999", true, Moneda(), {}, {}}, // zero: not posted
                    {"1102010010001", true, Moneda::entero(total), {}, {}}};
        LibroIvaNuevo libro;
        libro.tipo = "VENTAS";
        libro.impIva = Moneda::entero(iva);
        libro.total = Moneda::entero(total);
        a.libroIva = libro;
        return a;
    }
    int filas(const QString& numero)
    {
        return int(con().Escalar("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = ? AND NUMERO = ?", {"00FA", numero}).toLongLong());
    }
};

TEST_P(Registro, AsientoBalanceadoSeGrabaEnterosYElDesbalanceadoSeRechaza)
{
    struct Caso {
        const char* numero;
        qint64 neto, iva, total;
        QString error; // empty: posted
    };
    const Caso casos[] = {
        {"00000001", 100, 21, 121, {}},
        {"00000002", 100, 21, 150, "El Subdiario no balancea Debe :150 Haber : 121 Importe Total : 150"},
        {"00000003", 100, 0, 100, {}},
    };
    Transaccion t(con());
    RegistroAsientos r(con());
    qint32 esperado = 1;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.numero);
        if (c.error.isEmpty()) {
            EXPECT_EQ(r.registrar(venta(c.numero, c.neto, c.iva, c.total)), esperado++);
        } else {
            try {
                r.registrar(venta(c.numero, c.neto, c.iva, c.total));
                ADD_FAILURE() << "se grabó un asiento que no balancea";
            } catch (const ErrorVexa& e) {
                EXPECT_EQ(e.descripcion(), c.error);
            }
            EXPECT_EQ(filas(c.numero), 0);
        }
    }
    t.confirmar();
    EXPECT_EQ(filas("00000001"), 3);
    EXPECT_EQ(filas("00000003"), 2);
    // Sequences 1..n; the VAT book on the first row only.
    auto rs = con().ObtenerRecordset("SELECT SECUENCIA, LIVA_TIPO, FAMILIA FROM MV_ASIENTOS WHERE NUMERO = ? ORDER BY SECUENCIA", {"00000001"});
    int sec = 0;
    for (; !rs.eof(); rs.siguiente()) {
        ++sec;
        EXPECT_EQ(rs.entero("SECUENCIA"), sec);
        EXPECT_EQ(rs.esNulo("LIVA_TIPO"), sec > 1);
        EXPECT_EQ(rs.texto("FAMILIA").trimmed(), "VTAS");
    }
}

TEST_P(Registro, FueraDeUnaTransaccionNoGraba)
{
    RegistroAsientos r(con());
    EXPECT_THROW(r.registrar(venta("00000001", 100, 21, 121)), ErrorVexa);
    EXPECT_EQ(filas("00000001"), 0);
}

// A number handed out stays taken for the rest of the transaction, even when the
// savepoint that took it is rolled back (a gap, never a repeated number); the
// caller that undid the entry frees it explicitly (olvidarNumeros), as the batch
// posting does when it rolls a line back.
TEST_P(Registro, LaMemoriaDeNumerosSobreviveAlPuntoDeshechoSalvoQueSeOlvide)
{
    Transaccion t(con());
    RegistroAsientos r(con());
    EXPECT_EQ(r.registrar(venta("00000001", 100, 21, 121)), 1);
    {
        Transaccion punto(con());
        EXPECT_EQ(r.registrar(venta("00000002", 100, 21, 121)), 2);
        punto.deshacer();
    }
    EXPECT_EQ(r.registrar(venta("00000003", 100, 21, 121)), 3); // 2 is not handed out again
    {
        Transaccion punto(con());
        EXPECT_EQ(r.registrar(venta("00000004", 100, 21, 121)), 4);
        punto.deshacer();
    }
    r.olvidarNumeros(); // the entry was undone: its number is free again
    EXPECT_EQ(r.registrar(venta("00000005", 100, 21, 121)), 4);
    EXPECT_EQ(r.tomarNumero("2", 4, "VTAS"), 1);
    t.confirmar();
    EXPECT_EQ(int(con().Escalar("SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE FAMILIA = ?", {"VTAS"}).toLongLong()), 4);
}

TEST_P(Registro, ElTipoQueNumeraAvanzaSuNumeracion)
{
    con().Insertar("TA_COMPROBANTES", {{"CODIGO", "00ZZ"}, {"DESCRIPCION", "Prueba"}, {"LETRAS", "A"},
                                       {"SISTEMA", "CONTABLE"}, {"A_ULTIMO_NRO", 40}});
    const auto ultimo = [this] {
        return con().Escalar("SELECT A_ULTIMO_NRO FROM TA_COMPROBANTES WHERE CODIGO = ?", {"00ZZ"}).toLongLong();
    };
    Transaccion t(con());
    RegistroAsientos r(con());
    AsientoNuevo a = venta("00000045", 100, 21, 121);
    a.tc = "00ZZ";
    r.registrar(a);
    EXPECT_EQ(ultimo(), 40); // a received document: its numbering stays
    a.numero = "00000047";
    a.numeraComprobante = true;
    r.registrar(a);
    a.numero = "00000046";
    r.registrar(a);
    {
        Transaccion punto(con()); // a note of a rolled-back savepoint is forgotten
        a.numero = "00000090";
        r.registrar(a);
    }
    EXPECT_EQ(ultimo(), 40); // written once, before the commit
    r.aplicarNumeraciones();
    t.confirmar();
    EXPECT_EQ(ultimo(), 47);
}

VEXA_AMBOS_MOTORES(Registro);

} // namespace
