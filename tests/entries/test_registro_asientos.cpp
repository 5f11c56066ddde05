// The posting service: whole entries inside the caller's transaction, the
// balance check, the number memory that follows savepoints, and the numbering
// of own-numbered voucher types.
#include "AsientosDePrueba.h"

#include "BajaAsientos.h"
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

// Deleting a reception run's entries frees the highest number they held: the
// next entry of the family takes it again in the same transaction.
TEST_P(Registro, LaBajaDeUnaRecepcionLiberaSuNumeroMasAlto)
{
    Transaccion t(con());
    RegistroAsientos r(con());
    const struct {
        const char* numero;
        qint32 recepcion;
    } asientos[] = {{"00000001", 7}, {"00000002", 8}, {"00000003", 7}};
    qint32 esperado = 1;
    for (const auto& a : asientos) {
        AsientoNuevo v = venta(a.numero, 100, 21, 121);
        v.idRecepcion = a.recepcion;
        EXPECT_EQ(r.registrar(v), esperado++);
    }
    BajaAsientos baja(con());
    EXPECT_EQ(baja.contarDeRecepcionEnEjercicioCerrado(7), 0);
    EXPECT_EQ(baja.borrarDeRecepcion(7), 6);
    EXPECT_EQ(filas("00000001") + filas("00000003"), 0);
    EXPECT_EQ(filas("00000002"), 3);
    EXPECT_EQ(r.registrar(venta("00000004", 100, 21, 121)), 3);
    t.confirmar();
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

// Entries kept for the end of a batch (guardar) are numbered family by family
// when they are written, after the highest number stored and after an entry
// that keeps the number it replaces; every row arrives whole. A batch rolled
// back leaves nothing, and two writes in one transaction neither repeat nor
// lose an entry (PostgreSQL stages the rows in a table of the session first).
TEST_P(Registro, AsientosGuardadosSeNumeranPorFamiliaAlEscribirlos)
{
    const auto maximo = [this](int mes, const QString& familia) {
        return con().Escalar("SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE PERIODO = 2 AND MES_OPERATIVO = ? AND FAMILIA = ?",
                             {mes, familia}).toInt();
    };
    const int ordinario3 = maximo(3, "");
    struct Caso {
        const char* numero;
        int mes;
        QString tipoReg;
        qint32 reutilizar; // 0: a new number
        int esperado;      // entry number; relative to the family's highest before for ordinary entries
    };
    const Caso casos[] = {
        {"00000011", 3, "VTAS", 0, 1},   {"00000012", 4, "VTAS", 0, 51}, {"00000013", 3, "", 0, 1},
        {"00000014", 3, "VTAS", 0, 2},   {"00000015", 4, "VTAS", 50, 50}, {"00000016", 3, Lbc_Asiento::TipoRegResumen(), 0, 2},
        {"00000017", 4, "VTAS", 0, 52},  {"00000018", 3, "VTAS", 0, 3},
    };
    const auto guardar = [&](RegistroAsientos& r, const Caso& c) {
        AsientoNuevo a = venta(c.numero, 100, 21, 121);
        a.mes = c.mes;
        a.tipoReg = c.tipoReg;
        a.numeroReutilizar = c.reutilizar;
        r.guardar(a);
    };
    {
        Transaccion t(con());
        RegistroAsientos r(con());
        for (const Caso& c : casos) guardar(r, c);
        r.escribirPendientes();
        EXPECT_EQ(filas("00000011"), 3);
    } // rolled back
    EXPECT_EQ(filas("00000011"), 0);
    {
        Transaccion t(con());
        RegistroAsientos r(con());
        for (const Caso& c : casos) guardar(r, c);
        EXPECT_TRUE(r.hayPendientes());
        r.escribirPendientes();
        EXPECT_FALSE(r.hayPendientes());
        t.confirmar();
    }
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.numero);
        const int esperado = c.tipoReg == "VTAS" ? c.esperado : ordinario3 + c.esperado;
        Recordset rs = con().ObtenerRecordset(
            "SELECT * FROM MV_ASIENTOS WHERE TC = '00FA' AND NUMERO = ? ORDER BY SECUENCIA", {QString::fromLatin1(c.numero)});
        int sec = 0;
        for (; !rs.eof(); rs.siguiente()) {
            ++sec;
            EXPECT_EQ(rs.entero("NUMERO ASIENTO"), esperado);
            EXPECT_EQ(rs.entero("MES_OPERATIVO"), c.mes);
            EXPECT_EQ(rs.entero("SECUENCIA"), sec);
            EXPECT_EQ(rs.texto("TIPO_REG"), c.tipoReg);
            EXPECT_EQ(rs.esNulo("LIVA_TIPO"), sec > 1);
            if (sec == 1) {
                EXPECT_EQ(rs.moneda("LIVA_TOTAL"), Moneda::entero(121));
            }
            EXPECT_EQ(rs.moneda("IMPORTE"), Moneda::entero(sec == 1 ? 100 : sec == 2 ? 21 : 121));
            EXPECT_EQ(rs.texto("DEBE-HABER"), sec == 3 ? "D" : "H");
        }
        EXPECT_EQ(sec, 3);
    }
    // Two writes in one transaction, the second after more entries were kept.
    {
        Transaccion t(con());
        RegistroAsientos r(con());
        guardar(r, {"00000021", 3, "VTAS", 0, 0});
        guardar(r, {"00000022", 4, "VTAS", 0, 0});
        r.escribirPendientes();
        guardar(r, {"00000023", 3, "VTAS", 0, 0});
        r.escribirPendientes();
        t.confirmar();
    }
    EXPECT_EQ(maximo(3, "VTAS"), 5);
    EXPECT_EQ(maximo(4, "VTAS"), 53);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = '00FA'").toInt(), 11 * 3);
    EXPECT_EQ(con().Escalar("SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO = '00000023' AND [NUMERO ASIENTO] = 5").toInt(), 3);
}

VEXA_AMBOS_MOTORES(Registro);

} // namespace
