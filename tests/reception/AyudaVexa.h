#pragma once
// Lines of the commercial system's transfer file for the tests: each field
// padded or cut to its columns.
#include <QString>
#include <QStringList>

namespace vexa::prueba {

struct LineaVexa {
    QString clave = QStringLiteral("1");
    QString subdiario = QStringLiteral("VTAS");
    QString fecha = QStringLiteral("15032026");
    QString cuenta;
    QString importe;
    QString lado = QStringLiteral("D");
    QString cabCuenta = QStringLiteral("1102010010001");
    QString cabImporte = QStringLiteral("121");
    QString tc = QStringLiteral("00FA");
    QString nro = QStringLiteral("000100000126A"); // branch 4, number 8, letter 1
    QString neto = QStringLiteral(" ");
    QString libro = QStringLiteral(" ");
    QString detalle;
    QString vto;
    QString cuit = QStringLiteral("30-71234567-9");
    QString condIva = QStringLiteral("0001");

    QString texto() const
    {
        auto f = [](const QString& s, int n) { return s.leftJustified(n, u' ', true); };
        return f(clave, 10) + f(subdiario, 4) + f(fecha, 8) + f(cuenta, 15) + f(importe, 15) + f(lado, 1) + f(cabCuenta, 15)
               + f(cabImporte, 15) + f(tc, 4) + f(nro, 13) + f(neto, 1) + f(libro, 1) + f(detalle, 40) + f(vto, 8)
               + QStringLiteral("  ") + f(cuit, 15) + f(condIva, 4);
    }
};

// A sale of 100 + 21 VAT to the demo's first customer, in three lines:
// customer (debit, names the sales book), sales (taxed net), VAT.
inline QStringList ventaVexa(const QString& clave, int numero, const QString& neto = QStringLiteral("100"),
                             const QString& iva = QStringLiteral("21"), const QString& total = QStringLiteral("121"))
{
    LineaVexa l;
    l.clave = clave;
    l.nro = QStringLiteral("0001%1A").arg(numero, 8, 10, QLatin1Char('0'));
    l.cabImporte = total;
    LineaVexa a = l, b = l, c = l;
    a.cuenta = QStringLiteral("1102010010001");
    a.importe = total;
    a.lado = QStringLiteral("D");
    a.libro = QStringLiteral("V");
    a.detalle = QStringLiteral("FC A Ferretería El Tornillo S.R.L.");
    a.vto = QStringLiteral("20260415");
    b.cuenta = QStringLiteral("4101010010001");
    b.importe = neto;
    b.lado = QStringLiteral("H");
    b.neto = QStringLiteral("1");
    c.cuenta = QStringLiteral("2102010010001");
    c.importe = iva;
    c.lado = QStringLiteral("H");
    return {a.texto(), b.texto(), c.texto()};
}

} // namespace vexa::prueba
