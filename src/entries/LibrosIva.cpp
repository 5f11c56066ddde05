#include "LibrosIva.h"

#include "Conexion.h"
#include "InsercionMasiva.h"
#include "Utilidades.h"

#include <QSet>

namespace vexa::libros {

namespace {
// The session's table of the codes chosen by a save (emptied at its start).
const QString kElegidas = QStringLiteral("TMP_LIBRO_IVA_ELEGIDAS");

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

    // The other book, read once under the lock (a save of it waits for this one).
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

    // The chosen codes go to a table of the session in bulk, so that the book
    // is then written by one statement for all of them.
    con.EjecutarSQL(QStringLiteral("CREATE TEMPORARY TABLE IF NOT EXISTS %1 (CODIGO TEXT)").arg(kElegidas));
    con.EjecutarSQL(QStringLiteral("DELETE FROM %1").arg(kElegidas));
    {
        // COPY on a server, many rows to a statement on SQLite (keys kept as
        // the database layer keeps them).
        InsercionMasiva ins(con, kElegidas, {QStringLiteral("CODIGO")});
        for (const QString& c : unicos) {
            ins.texto(c);
            ins.finFila();
        }
        ins.escribir();
    }
    // The codes as the list read them, compared as plain text.
    const QString codigo = con.textoExacto(QStringLiteral("c.CODIGO"));
    {
        // A chosen code that is no detail account (deleted, or now a title):
        // the first in the given order stops the save.
        QSet<QString> faltan;
        Recordset rs = con.ObtenerRecordset(
            QStringLiteral("SELECT e.CODIGO FROM %1 e WHERE NOT EXISTS (SELECT 1 FROM MA_CUENTAS c WHERE c.TITULO = 0 AND %2 = e.CODIGO)")
                .arg(kElegidas, codigo));
        for (; !rs.eof(); rs.siguiente()) faltan.insert(rs.texto(QStringLiteral("CODIGO")));
        if (!faltan.isEmpty())
            for (const QString& c : unicos)
                if (faltan.contains(c)) return {ResultadoLibro::Fin::NoImputable, texto::recortar(c)};
    }
    // Every account, titles too, leaves the book but the chosen detail
    // accounts, which enter it, in one pass; only the rows whose flag changes
    // are written. A row let through with 1 or 0 takes the other value
    // without its code looked up again (a server builds the lookup's hash
    // table once, for the condition); NULL or another value is worked out.
    const QString marca =
        QStringLiteral("CASE WHEN c.TITULO = 0 AND %1 IN (SELECT CODIGO FROM %2) THEN 1 ELSE 0 END").arg(codigo, kElegidas);
    con.EjecutarSQL(QStringLiteral("UPDATE MA_CUENTAS AS c SET %1 = CASE c.%1 WHEN 1 THEN 0 WHEN 0 THEN 1 ELSE %2 END "
                                   "WHERE c.%1 IS NULL OR c.%1 <> %2")
                        .arg(columna, marca));
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
