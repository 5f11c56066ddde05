#include "Ejercicios.h"

#include "ContextoEmpresa.h"
#include "Lectores.h"
#include "Moneda.h"
#include "Progreso.h"
#include "Utilidades.h"

#include <QHash>

#include <array>
#include <cmath>
#include <optional>

namespace vexa::ejercicios {

namespace {

const QString kBloqueoCotizaciones = QStringLiteral("TA_COTIZACION");
const QString kBloqueoEjercicios = QStringLiteral("MV_EJERCICIOS");
constexpr int kFilasPorLote = 100; // 600 parameters a statement

using Tasas = std::array<Moneda, 5>;

Tasas tasasUno()
{
    Tasas t;
    t.fill(Moneda::entero(1));
    return t;
}

// The calendar day of FECHA_HORA, the expression the unique index is built on.
QString expresionDia(const Conexion& con)
{
    return con.motor() == Motor::SQLite ? QStringLiteral("date(FECHA_HORA)") : QStringLiteral("CAST(FECHA_HORA AS DATE)");
}

// The transaction the work runs in: the caller's, or one of its own.
class TransaccionPropia {
public:
    explicit TransaccionPropia(Conexion& con)
    {
        if (!con.enTransaccion()) t_.emplace(con, true);
    }
    void confirmar()
    {
        if (t_) t_->confirmar();
    }

private:
    std::optional<Transaccion> t_;
};

void insertarLote(Conexion& con, const std::vector<std::pair<QDate, Tasas>>& lote)
{
    if (lote.empty()) return;
    QString sql = QStringLiteral("INSERT INTO TA_COTIZACION (FECHA_HORA, Moneda1, Moneda2, Moneda3, Moneda4, Moneda5) VALUES ");
    Params p;
    p.reserve(qsizetype(lote.size() * 6));
    for (size_t i = 0; i < lote.size(); ++i) {
        if (i) sql += u',';
        sql += QStringLiteral("(?, ?, ?, ?, ?, ?)");
        p << QDateTime(lote[i].first, QTime(0, 0));
        for (const Moneda& m : lote[i].second) p << QVariant::fromValue(m);
    }
    con.EjecutarSQL(sql, p);
}

} // namespace

QString FechaCorta() { return QStringLiteral("dd/mm/yy"); }

QString TextoFechaCorta(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yy")); }

int CompletarDiasCotizacion(Conexion& con, const QDate& primero, const QDate& ultimo, bool arrastrarTasas,
                            Progreso& progreso)
{
    progreso.Iniciar(QStringLiteral("Actualizando Datos"), primero <= ultimo ? primero.daysTo(ultimo) + 1 : 0);
    if (!primero.isValid() || !ultimo.isValid() || ultimo < primero) {
        progreso.Cerrar();
        return 0;
    }
    TransaccionPropia t(con);
    con.bloquearFamilia(kBloqueoCotizaciones);

    // The days of the range that exist, with their rates (one ranged query on the day index).
    const QString dia = expresionDia(con);
    // A rate left empty carries nothing: the day before's stays.
    QHash<QDate, std::array<std::optional<Moneda>, 5>> existentes;
    {
        auto rs = con.ObtenerRecordset(QStringLiteral("SELECT %1 AS DIA, Moneda1, Moneda2, Moneda3, Moneda4, Moneda5 "
                                                      "FROM TA_COTIZACION WHERE %1 BETWEEN ? AND ?")
                                           .arg(dia),
                                       {primero, ultimo});
        for (; !rs.eof(); rs.siguiente()) {
            std::array<std::optional<Moneda>, 5> tasas;
            for (int i = 0; i < 5; ++i) {
                const QString col = QStringLiteral("Moneda%1").arg(i + 1);
                if (!rs.esNulo(col)) tasas[size_t(i)] = rs.moneda(col);
            }
            existentes.insert(rs.fecha(QStringLiteral("DIA")), tasas);
        }
    }

    Tasas arrastradas = tasasUno();
    std::vector<std::pair<QDate, Tasas>> lote;
    lote.reserve(kFilasPorLote);
    int creados = 0;
    qint64 hecho = 0;
    for (QDate d = primero; d <= ultimo; d = d.addDays(1), ++hecho) {
        progreso.Actualizar(hecho, QString(), QStringLiteral("Actualizando Cotizaciones "),
                            QStringLiteral("Fecha ") + TextoFechaCorta(d));
        const auto it = existentes.constFind(d);
        if (it != existentes.constEnd()) {
            if (arrastrarTasas)
                for (size_t i = 0; i < 5; ++i)
                    if (it.value()[i]) arrastradas[i] = *it.value()[i];
            continue;
        }
        lote.emplace_back(d, arrastrarTasas ? arrastradas : tasasUno());
        ++creados;
        if (int(lote.size()) == kFilasPorLote) {
            insertarLote(con, lote);
            lote.clear();
        }
    }
    insertarLote(con, lote);
    t.confirmar();
    progreso.Cerrar();
    return creados;
}

int LlenarHuecos(Conexion& con, const QDate& desde, const QDate& hasta, Progreso& progreso)
{
    return CompletarDiasCotizacion(con, desde.addDays(1), hasta, false, progreso);
}

int CrearDiasCotizacion(Conexion& con, qint64 periodo, Progreso& progreso)
{
    auto f = con.PrimeraFila(QStringLiteral("SELECT [FECHA DESDE], [FECHA HASTA] FROM MV_EJERCICIOS WHERE PERIODO = ?"),
                             {periodo});
    if (!f) return 0;
    return LlenarHuecos(con, f->fecha(QStringLiteral("FECHA DESDE")).addDays(-1), f->fecha(QStringLiteral("FECHA HASTA")),
                        progreso);
}

QString ExpresionDiaCotizacion(const Conexion& con) { return expresionDia(con); }

int LlenarHuecosDesdeUltimoDia(Conexion& con, const QDate& desde, const QDate& hasta, const QDate& hoy,
                               Progreso& progreso)
{
    TransaccionPropia t(con);
    // The lock comes before the newest day is read: a second station waits here
    // and then finds the days the first one wrote.
    con.bloquearFamilia(kBloqueoCotizaciones);
    const QVariant ultimo = con.Escalar(
        QStringLiteral("SELECT MAX(%1) FROM TA_COTIZACION WHERE %1 <= ?").arg(expresionDia(con)), {hoy});
    QDate inicio = desde.addDays(1);
    if (!ultimo.isNull()) {
        inicio = ultimo.typeId() == QMetaType::QDate ? ultimo.toDate() : QDate::fromString(ultimo.toString().left(10), Qt::ISODate);
        if (inicio == hoy) return 0;
    }
    const int n = CompletarDiasCotizacion(con, inicio, hasta, true, progreso);
    t.confirmar();
    return n;
}

QDate PrimerDiaDelPeriodo(ContextoEmpresa& ctx)
{
    const QString periodo = texto::recortar(ctx.configuracion().ObtieneValor(QStringLiteral("Periodo")));
    bool ok = false;
    const qint64 numero = periodo.toLongLong(&ok);
    if (!ok) return QDate();
    auto f = ctx.con().PrimeraFila(QStringLiteral("SELECT [FECHA DESDE] FROM MV_EJERCICIOS WHERE PERIODO = ?"), {numero});
    return f ? f->fecha(QStringLiteral("FECHA DESDE")) : QDate();
}

int LlenarHuecosHastaHoy(ContextoEmpresa& ctx, const QDate& hoy, Progreso& progreso)
{
    const QDate primero = PrimerDiaDelPeriodo(ctx);
    if (!primero.isValid()) return 0;
    return LlenarHuecosDesdeUltimoDia(ctx.con(), primero.addDays(-1), hoy, hoy, progreso);
}

// ---------------------------------------------------------------- the year

QString mensajes::yaExiste(qint64 numero) { return QStringLiteral("El Ejercicio ") + texto::str(numero) + QStringLiteral(" ya existe"); }

QString ValidarNumeroEjercicio(Conexion& con, const QString& textoNumero, qint16* numero)
{
    const QString t = texto::recortar(textoNumero);
    if (!lectura::importe(t).valido()) return mensajes::numerico();
    // Every decimal typed counts in the rounding ("1.49999" is 1), not the amount's four.
    const double r = std::round(lectura::decimal(t).o(0.0));
    if (!(r >= 1 && r <= 32767)) return mensajes::fueraDeRango();
    const qint16 n = qint16(r);
    if (con.ExisteRegistro(QStringLiteral("MV_EJERCICIOS"), qint64(n), QStringLiteral("PERIODO"))) return mensajes::yaExiste(n);
    if (numero) *numero = n;
    return QString();
}

QString ValidarFechasEjercicio(const QString& desde, const QString& hasta)
{
    const QDate d = Utilidades::TextoAFecha(desde), h = Utilidades::TextoAFecha(hasta);
    if (!d.isValid()) return mensajes::desdeInvalida();
    if (!h.isValid()) return mensajes::hastaInvalida();
    if (h < d) return mensajes::desdeMayor();
    return QString();
}

bool InterfiereConOtroEjercicio(Conexion& con, const QDate& desde, const QDate& hasta)
{
    // Any shared day, bounds included: also a range that encloses a whole year.
    return con.PrimeraFila(QStringLiteral("SELECT PERIODO FROM MV_EJERCICIOS WHERE [FECHA DESDE] <= ? AND [FECHA HASTA] >= ? "
                                          "LIMIT 1"),
                           {hasta, desde})
        .has_value();
}

qint16 CrearEjercicio(ContextoEmpresa& ctx, const NuevoEjercicio& datos, Progreso& progreso)
{
    Conexion& con = ctx.con();
    if (texto::recortar(datos.nombre).isEmpty()) throw ErrorEjercicio(1, mensajes::sinNombre());
    const QString fechas = ValidarFechasEjercicio(datos.desde, datos.hasta);
    if (!fechas.isEmpty()) throw ErrorEjercicio(2, fechas);
    const QDate desde = Utilidades::TextoAFecha(datos.desde), hasta = Utilidades::TextoAFecha(datos.hasta);
    const bool conDias = texto::igual(texto::recortar(ctx.configuracion().ObtieneValor(QStringLiteral("UsaMultilesMonedas"))),
                                      QStringLiteral("SI"));

    Transaccion t(con, true);
    // One station at a time numbers a year and checks its range.
    con.bloquearFamilia(kBloqueoEjercicios);
    qint16 numero = 0;
    if (datos.pedirNumero) {
        const QString m = ValidarNumeroEjercicio(con, datos.numero, &numero);
        if (!m.isEmpty()) throw ErrorEjercicio(0, m);
    } else {
        const QVariant maximo = con.Escalar(QStringLiteral("SELECT MAX(PERIODO) FROM MV_EJERCICIOS"));
        const qint64 n = maximo.isNull() ? 1 : maximo.toLongLong() + 1;
        if (n < 1 || n > 32767) throw ErrorEjercicio(0, mensajes::fueraDeRango());
        numero = qint16(n);
    }
    if (InterfiereConOtroEjercicio(con, desde, hasta)) throw ErrorEjercicio(2, mensajes::interfiere());
    try {
        con.Insertar(QStringLiteral("MV_EJERCICIOS"), {{QStringLiteral("PERIODO"), qint64(numero)},
                                                       {QStringLiteral("DESCRIPCION"), datos.nombre},
                                                       {QStringLiteral("[FECHA DESDE]"), desde},
                                                       {QStringLiteral("[FECHA HASTA]"), hasta}});
    } catch (const ErrorBD& e) {
        // The key is the safety net behind the lock: another station's year.
        if (e.esClaveDuplicada()) throw ErrorEjercicio(0, mensajes::yaExiste(numero));
        throw;
    }
    if (conDias) CompletarDiasCotizacion(con, desde, hasta, false, progreso);
    t.confirmar();
    return numero;
}

} // namespace vexa::ejercicios
