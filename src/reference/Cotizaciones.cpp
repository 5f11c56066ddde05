#include "Cotizaciones.h"

#include "ContextoEmpresa.h"
#include "Ejercicios.h"
#include "Lectores.h"
#include "Utilidades.h"

namespace vexa::cotizacion {

namespace {

QString columna(int moneda) { return QStringLiteral("Moneda%1").arg(moneda); }

Tasas leerTasas(const Fila& f)
{
    Tasas t;
    for (int i = 0; i < kMonedas; ++i)
        if (!f.esNulo(columna(i + 1))) t[size_t(i)] = f.moneda(columna(i + 1));
    return t;
}

} // namespace

bool UsaMultiplesMonedas(const QString& valorConfiguracion)
{
    return texto::igual(texto::recortar(valorConfiguracion), QStringLiteral("SI"));
}

QStringList DescripcionesMonedas(Conexion& con)
{
    QStringList r;
    for (int n = 1; n <= kMonedas; ++n)
        r << texto::recortar(Utilidades::NuloATexto(con.BuscaValor(QStringLiteral("TA_MONEDAS"), QString::number(n),
                                                                   QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"))))
                 .toUpper();
    return r;
}

QDate PrimerDiaMostrado(ContextoEmpresa& ctx)
{
    const QString valor = texto::recortar(ctx.configuracion().ObtieneValor(QStringLiteral("[FECHA DESDE]")));
    if (!valor.isEmpty()) {
        const QDate d = Utilidades::TextoAFecha(valor);
        if (d.isValid()) return d;
    }
    QDate desde, hasta;
    if (ctx.configuracion().FechasEjercicio(int(lectura::enteroInicial(ctx.periodoActivo()).o(0)), desde, hasta)) return desde;
    return QDate();
}

std::vector<FilaCotizacion> LeerCotizaciones(Conexion& con, const QDate& desde, const QDate& hoy)
{
    const QString dia = ejercicios::ExpresionDiaCotizacion(con);
    QString sql = QStringLiteral("SELECT ID, FECHA_HORA, Moneda1, Moneda2, Moneda3, Moneda4, Moneda5 FROM TA_COTIZACION "
                                 "WHERE %1 <= ?")
                      .arg(dia);
    Params p{hoy};
    if (desde.isValid()) {
        sql += QStringLiteral(" AND %1 >= ?").arg(dia);
        p << desde;
    }
    sql += QStringLiteral(" ORDER BY FECHA_HORA DESC");
    std::vector<FilaCotizacion> r;
    for (auto rs = con.ObtenerRecordset(sql, p); !rs.eof(); rs.siguiente())
        r.push_back({rs.entero(QStringLiteral("ID")), rs.fila().fechaHora(QStringLiteral("FECHA_HORA")), leerTasas(rs.fila())});
    return r;
}

int GrabarTasas(Conexion& con, qint64 id, const Tasas& tasas)
{
    Params p;
    for (const auto& t : tasas) p << (t ? QVariant::fromValue(*t) : QVariant());
    p << id;
    return con.EjecutarSQL(QStringLiteral("UPDATE TA_COTIZACION SET Moneda1 = ?, Moneda2 = ?, Moneda3 = ?, Moneda4 = ?, "
                                          "Moneda5 = ? WHERE ID = ?"),
                           p);
}

std::optional<Moneda> TasaDelDia(Conexion& con, const QDate& dia, int moneda)
{
    if (!dia.isValid() || moneda < 1 || moneda > kMonedas) return std::nullopt;
    auto f = con.PrimeraFila(QStringLiteral("SELECT %1 FROM TA_COTIZACION WHERE %2 = ?")
                                 .arg(columna(moneda), ejercicios::ExpresionDiaCotizacion(con)),
                             {dia});
    if (!f || f->esNulo(columna(moneda))) return std::nullopt;
    return f->moneda(columna(moneda));
}

std::vector<MonedaDisponible> MonedasConCotizacion(Conexion& con)
{
    std::vector<MonedaDisponible> r;
    for (auto rs = con.ObtenerRecordset(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_MONEDAS "
                                                       "WHERE CODIGO IN ('1', '2', '3', '4', '5') ORDER BY CODIGO"));
         !rs.eof(); rs.siguiente())
        r.push_back({texto::recortar(rs.texto(QStringLiteral("CODIGO"))), texto::recortar(rs.texto(QStringLiteral("DESCRIPCION")))});
    return r;
}

std::optional<Moneda> LeerTasa(const QString& t)
{
    const auto tasa = lectura::importe(t);
    if (!tasa.valido()) return std::nullopt;
    return tasa.valor;
}

QString ValidarCotizacion(const QString& t, Moneda* valor)
{
    const auto m = LeerTasa(t);
    if (!m) return mensajes::noNumerica();
    if (m->esCero()) return mensajes::cero();
    if (valor) *valor = *m;
    return QString();
}

QString TextoTasa(const std::optional<Moneda>& tasa)
{
    if (!tasa) return QString();
    QString s = tasa->texto(4);
    while (s.endsWith(u'0')) s.chop(1);
    if (s.endsWith(u'.')) s.chop(1);
    return s;
}

QString TextoDia(const QDateTime& fechaHora)
{
    if (!fechaHora.isValid()) return QString();
    const QTime h = fechaHora.time();
    if (h == QTime(0, 0)) return fechaHora.toString(QStringLiteral("dd/MM/yyyy"));
    return fechaHora.toString(h.second() ? QStringLiteral("dd/MM/yyyy HH:mm:ss") : QStringLiteral("dd/MM/yyyy HH:mm"));
}

} // namespace vexa::cotizacion
