#include "LibrosIva.h"

#include "Conexion.h"
#include "Utilidades.h"

#include <QSet>

namespace vexa::libros {

namespace {
// Codes per UPDATE ... IN (...): within SQLite's limit of bound values.
constexpr int kLote = 10000;

QString clave(const QString& codigo) { return texto::recortarDerecha(codigo).toUpper(); }
} // namespace

QString columnaLibro(bool compras)
{
    return compras ? QStringLiteral("Libro_IVA_Compras") : QStringLiteral("Libro_IVA_Ventas");
}

std::vector<CuentaLibro> CuentasDelLibro(Conexion& con, bool compras)
{
    std::vector<CuentaLibro> r;
    Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT CODIGO, DESCRIPCION, %1 AS EN_LIBRO FROM MA_CUENTAS "
                                                       "WHERE TITULO = 0 ORDER BY CODIGO")
                                            .arg(columnaLibro(compras)));
    for (; !rs.eof(); rs.siguiente()) {
        CuentaLibro c;
        c.codigo = texto::recortarDerecha(rs.texto(QStringLiteral("CODIGO")));
        c.descripcion = texto::recortar(Utilidades::NuloATexto(rs.valor(QStringLiteral("DESCRIPCION"))));
        c.enLibro = !rs.esNulo(QStringLiteral("EN_LIBRO")) && rs.entero(QStringLiteral("EN_LIBRO")) != 0;
        r.push_back(std::move(c));
    }
    return r;
}

ResultadoLibro GrabarLibroIva(Conexion& con, bool compras, const QStringList& codigos)
{
    const QString columna = columnaLibro(compras);
    const QString otra = columnaLibro(!compras);
    Transaccion t(con);
    // Saves of either book one after the other (SQLite: the write lock already).
    con.bloquearFamilia(QStringLiteral("LIBROS_IVA"));
    // Every account, titles too, leaves the book (rows already out are left alone).
    con.EjecutarSQL(QStringLiteral("UPDATE MA_CUENTAS SET %1 = 0 WHERE %1 IS NULL OR %1 <> 0").arg(columna));

    // The other book, read once after the reset.
    QSet<QString> enOtro;
    {
        Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS WHERE %1 <> 0").arg(otra));
        for (; !rs.eof(); rs.siguiente()) enOtro.insert(clave(rs.texto(QStringLiteral("CODIGO"))));
    }
    QStringList unicos;
    QSet<QString> dados;
    for (const QString& c : codigos) {
        if (enOtro.contains(clave(c))) return {ResultadoLibro::Fin::EnOtroLibro, texto::recortar(c)};
        if (!dados.contains(clave(c))) {
            dados.insert(clave(c));
            unicos << c;
        }
    }

    for (qsizetype desde = 0; desde < unicos.size(); desde += kLote) {
        const QStringList lote = unicos.mid(desde, kLote);
        Params p;
        QStringList marcas;
        for (const QString& c : lote) {
            p << c;
            marcas << QStringLiteral("?");
        }
        // The codes as the list read them: compared as plain text, one pass over
        // the table per batch on PostgreSQL instead of a key search per code.
        const QString en = con.comoTexto(QStringLiteral("CODIGO")) + QStringLiteral(" IN (") + marcas.join(u',') + u')';
        const int n = con.EjecutarSQL(
            QStringLiteral("UPDATE MA_CUENTAS SET %1 = 1 WHERE TITULO = 0 AND %2").arg(columna, en), p);
        if (n == lote.size()) continue;
        // Some code was not flagged (deleted, or now a title): name the first.
        QSet<QString> marcados;
        Recordset rs = con.ObtenerRecordset(
            QStringLiteral("SELECT CODIGO FROM MA_CUENTAS WHERE TITULO = 0 AND %1").arg(en), p);
        for (; !rs.eof(); rs.siguiente()) marcados.insert(clave(rs.texto(QStringLiteral("CODIGO"))));
        for (const QString& c : lote)
            if (!marcados.contains(clave(c))) return {ResultadoLibro::Fin::NoImputable, texto::recortar(c)};
        throw ErrorBD(-1, QStringLiteral("Se marcaron %1 de %2 cuentas del libro").arg(n).arg(lote.size()));
    }
    t.confirmar();
    return {};
}

QString MensajeLibro(const ResultadoLibro& r, bool compras)
{
    switch (r.fin) {
    case ResultadoLibro::Fin::Grabado:
        return QString();
    case ResultadoLibro::Fin::EnOtroLibro:
        return QStringLiteral("La Cuenta %1 fue asignada al Libro I.V.A. %2")
            .arg(r.codigo, compras ? QStringLiteral("Ventas") : QStringLiteral("Compras"));
    case ResultadoLibro::Fin::NoImputable:
        return QStringLiteral("La Cuenta %1 no existe o no es una cuenta imputable").arg(r.codigo);
    }
    return QString();
}

QString ConsultaPlanilla(bool compras)
{
    return QStringLiteral("SELECT CODIGO AS \"Código\", DESCRIPCION AS \"Descripción\" FROM MA_CUENTAS "
                          "WHERE TITULO = 0 AND %1 = 1 ORDER BY CODIGO")
        .arg(columnaLibro(compras));
}

QString TituloPlanilla(bool compras)
{
    return compras ? QStringLiteral("Asignación de Cuentas en Libro de I.V.A. Compras")
                   : QStringLiteral("Asignación de Cuentas en Libro de I.V.A. Ventas");
}

} // namespace vexa::libros
