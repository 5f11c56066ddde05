#include "IndicesAjuste.h"

#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "Entorno.h"
#include "Lbc_Asiento.h"
#include "Lectores.h"
#include "Utilidades.h"

#include <QLocale>

#include <cmath>

namespace vexa::ajuste {

namespace {

const QString kTabla = QStringLiteral("MA_INDAJUSTE");

QString columna(const char* base, int k) { return QString::fromLatin1(base) + QString::number(k); }

// The writer lock of one year.
void bloquearAnio(Conexion& con, int anio) { con.bloquearFamilia(kTabla + QLatin1Char('|') + QString::number(anio)); }

// Closes the progress report however the save ends.
struct CierreProgreso {
    Progreso& p;
    ~CierreProgreso() { p.Cerrar(); }
};

} // namespace

AnioValidado ValidarAnio(const QString& texto)
{
    const double v = lectura::numeroInicial(texto::recortar(texto)).o(0);
    // The number written back as text: a whole number without decimals.
    const bool entero = std::isfinite(v) && std::fabs(v) < 1e15 && v == std::floor(v);
    const QString s = entero ? QString::number(qint64(v)) : QString::number(v, 'g', 15);
    if (s.size() != 4) return {0, kMensajeFormatoAnio};
    if (!(v > kAnioMinimo - 1 && v < kAnioMaximo + 1)) return {0, kMensajeRangoAnio};
    return {int(v), QString()};
}

bool CaracterDeValor(QChar c, const QString& previo)
{
    if (c >= u'0' && c <= u'9') return true;
    return (c == u'.' || c == u',') && !previo.contains(u'.') && !previo.contains(u',');
}

std::optional<double> LeerValor(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.isEmpty()) return 0.0;
    int digitos = 0, marcas = 0;
    for (QChar c : t) {
        if (c >= u'0' && c <= u'9') ++digitos;
        else if (c == u'.' || c == u',') ++marcas;
        else return std::nullopt;
    }
    if (digitos == 0 || marcas > 1) return std::nullopt;
    // Digits and at most one mark: the decimal reader's own reading of them.
    const auto d = lectura::decimal(t);
    if (!d.valido()) return std::nullopt;
    return d.valor;
}

QString TextoValor(double valor)
{
    if (valor == 0) return QString();
    return QString::number(valor, 'f', QLocale::FloatingPointShortest);
}

double Coeficiente(double cierre, double valor) { return valor > 0 ? cierre / valor : 0.0; }

QString TextoCoeficiente(double coeficiente)
{
    if (coeficiente == 0 || !std::isfinite(coeficiente)) return QString();
    QString s = QString::number(coeficiente, 'f', 3);
    while (s.endsWith(u'0')) s.chop(1);
    return u' ' + s;
}

void CalcularCoeficientes(AnioIndices& anio, const Serie& cierre)
{
    for (MesIndices& m : anio)
        for (int k = 0; k < kSeries; ++k) m.indice[size_t(k)] = Coeficiente(cierre[size_t(k)], m.importe[size_t(k)]);
}

std::optional<MesCierre> LeerMesCierre(ContextoEmpresa& ctx, bool* sinEjercicio)
{
    Lbc_Asiento asiento(ctx);
    QString desde, hasta;
    const bool existe = asiento.RangoEjercicio(desde, hasta);
    if (sinEjercicio) *sinEjercicio = !existe;
    const QDate d = Utilidades::TextoAFecha(hasta);
    if (!d.isValid()) return std::nullopt;
    return MesCierre{d.year(), d.month()};
}

bool ExisteAnio(Conexion& con, int anio)
{
    return con.Escalar(QStringLiteral("SELECT 1 FROM MA_INDAJUSTE WHERE Anio = ? LIMIT 1"), {anio}).isValid();
}

namespace {
const QString kSelect = QStringLiteral("SELECT MES, Importe1, Importe2, Importe3, Importe4, Indice1, Indice2, Indice3, Indice4 "
                                       "FROM MA_INDAJUSTE WHERE Anio = ?");

Serie leerSerie(const Fila& f, const char* base)
{
    Serie s{};
    for (int k = 1; k <= kSeries; ++k) s[size_t(k - 1)] = f.doble(columna(base, k));
    return s;
}
} // namespace

AnioIndices CargarAnio(Conexion& con, int anio, std::array<bool, 12>* presentes)
{
    AnioIndices r{};
    if (presentes) presentes->fill(false);
    Recordset rs = con.ObtenerRecordset(kSelect + QStringLiteral(" ORDER BY MES"), {anio});
    for (; !rs.eof(); rs.siguiente()) {
        const qint64 mes = rs.entero(QStringLiteral("MES"));
        if (mes < 1 || mes > 12) continue;
        MesIndices& m = r[size_t(mes - 1)];
        m.importe = leerSerie(rs.fila(), "Importe");
        m.indice = leerSerie(rs.fila(), "Indice");
        if (presentes) (*presentes)[size_t(mes - 1)] = true;
    }
    return r;
}

std::optional<Serie> ValoresMes(Conexion& con, int anio, int mes)
{
    const std::optional<Fila> f = con.PrimeraFila(kSelect + QStringLiteral(" AND MES = ?"), {anio, mes});
    if (!f) return std::nullopt;
    return leerSerie(*f, "Importe");
}

void GrabarAnio(Conexion& con, int anio, const AnioIndices& datos, Progreso& progreso)
{
    const QString texto = QStringLiteral("Actualizando datos");
    CierreProgreso cierre{progreso};
    progreso.Iniciar(texto, 12);
    Transaccion t(con);
    bloquearAnio(con, anio);
    con.EjecutarSQL(QStringLiteral("DELETE FROM MA_INDAJUSTE WHERE Anio = ?"), {anio});
    const QDateTime ahora = plataforma::ahora();
    for (int mes = 1; mes <= 12; ++mes) {
        progreso.Actualizar(mes, texto);
        const MesIndices& m = datos[size_t(mes - 1)];
        Valores v{{QStringLiteral("fechahora_grabacion"), ahora}, {QStringLiteral("Anio"), anio}, {QStringLiteral("MES"), mes}};
        for (int k = 1; k <= kSeries; ++k) v.emplace_back(columna("Indice", k), m.indice[size_t(k - 1)]);
        for (int k = 1; k <= kSeries; ++k) v.emplace_back(columna("Importe", k), m.importe[size_t(k - 1)]);
        con.Insertar(kTabla, v);
    }
    t.confirmar();
}

void BorrarAnio(Conexion& con, int anio)
{
    Transaccion t(con);
    bloquearAnio(con, anio);
    con.EjecutarSQL(QStringLiteral("DELETE FROM MA_INDAJUSTE WHERE Anio = ?"), {anio});
    t.confirmar();
}

} // namespace vexa::ajuste
