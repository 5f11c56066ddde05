#include "Lbc_Asiento.h"

#include "ContextoEmpresa.h"
#include "Lectores.h"

#include "Configuracion.h"
#include "EstadoGlobal.h"
#include "ReglasAsientos.h"
#include "RegistroAsientos.h"
#include "Utilidades.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vexa {

namespace {

// Whole value written with at least 'ancho' digits, zero-filled ("0000" formats).
QString conCeros(double valor, int ancho)
{
    const double r = std::round(valor);
    // Beyond 64 bits the digits come from the floating value itself.
    QString d = texto::enRangoEntero64(std::fabs(r)) ? QString::number(qint64(std::fabs(r))) : QString::number(std::fabs(r), 'f', 0);
    d = d.rightJustified(ancho, u'0');
    return r < 0 ? u'-' + d : d;
}

// A number written as plain decimal text ("3", "2.5"), no leading blank.
QString textoPlano(double v)
{
    if (v == std::floor(v) && std::fabs(v) < 1e15) return QString::number(qint64(v));
    return QString::number(v, 'g', 15);
}

[[noreturn]] void errorDeTipo(const QString& valor)
{
    throw ErrorVexa(13, QStringLiteral("No coinciden los tipos: \"%1\"").arg(valor));
}

// A text converted to a whole number the strict way (rounded; empty or not a number fails).
qint64 aEntero(const QString& s)
{
    bool ok = false;
    const double d = texto::recortar(s).toDouble(&ok);
    if (!ok) errorDeTipo(s);
    const double r = std::round(d);
    if (!texto::enRangoEntero64(r)) throw ErrorVexa(6, QStringLiteral("Desbordamiento"));
    return qint64(r);
}

QDate aFecha(const QString& s)
{
    const QDate d = Utilidades::TextoAFecha(s);
    if (!d.isValid()) errorDeTipo(s);
    return d;
}

} // namespace

Lbc_Asiento::Lbc_Asiento(Conexion* conexion) : con_(conexion) {}

Lbc_Asiento::Lbc_Asiento(ContextoEmpresa& ctx) : con_(&ctx.con()), ctx_(&ctx) {}

Conexion& Lbc_Asiento::con()
{
    if (!con_) throw ErrorVexa(91, QStringLiteral("Lbc_Asiento sin conexión"));
    return *con_;
}

ReglasAsientos Lbc_Asiento::reglas() { return ReglasAsientos(con(), PeriodoActivo()); }

QString Lbc_Asiento::PeriodoActivo()
{
    // The company's value loaded at connection; read from the configuration when
    // there is no context or nothing has loaded it yet.
    if (ctx_ && !ctx_->periodoActivo().isEmpty()) return ctx_->periodoActivo();
    return texto::recortar(Configuracion(&con()).ObtieneValor(QStringLiteral("PERIODO")));
}

// ---------------------------------------------------------------- entries, dates and years

void Lbc_Asiento::UltimoAjuste(QString& Fecha, QString& Periodo, QVariant& NroAsiento)
{
    Fecha.clear();
    Periodo.clear();
    NroAsiento = 0;
    const auto ultimo = reglas().UltimoAjuste();
    if (!ultimo) return;
    Fecha = Utilidades::FechaATexto(ultimo->fecha);
    Periodo = ultimo->hasta;
    NroAsiento = ultimo->numero;
}

bool Lbc_Asiento::RangoEjercicio(QString& FhDesde, QString& FhHasta, const QVariant& Periodo)
{
    const QString periodo = Periodo.isValid() ? Periodo.toString() : PeriodoActivo();
    FhDesde.clear();
    FhHasta.clear();
    auto f = con().PrimeraFila(QStringLiteral("SELECT [FECHA DESDE], [FECHA HASTA] FROM MV_EJERCICIOS WHERE PERIODO = ?"),
                               {lectura::enteroInicial(periodo).o(0)});
    if (!f) return false;
    FhDesde = Utilidades::FechaATexto(f->fecha(QStringLiteral("FECHA DESDE")));
    FhHasta = Utilidades::FechaATexto(f->fecha(QStringLiteral("FECHA HASTA")));
    return true;
}

QVariant Lbc_Asiento::EliminaCarNroAsiento(const QString& QueAsiento, const QVariant& Tipo, const QVariant& CHar)
{
    const QString separador = CHar.isValid() ? CHar.toString() : QStringLiteral("-");
    QString r;
    if (!QueAsiento.isEmpty()) {
        const int p = separador.isEmpty() ? -1 : QueAsiento.indexOf(separador);
        if (p >= 0)
            r = textoPlano(lectura::numeroInicial(QueAsiento.left(p)).o(0)) +
                textoPlano(lectura::numeroInicial(QueAsiento.mid(p + separador.size())).o(0));
        else
            r = QueAsiento;
    }
    if (!Tipo.isValid()) return r;
    switch (Tipo.toInt()) {
    case 3: {
        const qint64 n = aEntero(r);
        if (n < INT32_MIN || n > INT32_MAX) throw ErrorVexa(6, QStringLiteral("Desbordamiento"));
        return qint32(n);
    }
    case 2: {
        const qint64 n = aEntero(r);
        if (n < INT16_MIN || n > INT16_MAX) throw ErrorVexa(6, QStringLiteral("Desbordamiento"));
        return QVariant::fromValue(qint16(n));
    }
    default:
        return r;
    }
}

// A configuration date; "[FECHA DESDE]"/"[FECHA HASTA]" without a row of their
// own are the active fiscal year's first and last day.
static QDate fechaDeConfiguracion(Conexion& con, const QString& clave, const QString& periodoActivo)
{
    Configuracion cfg(&con);
    QString valor = cfg.ObtieneValor(clave);
    if (texto::recortar(valor).isEmpty() && clave.startsWith(u'[')) {
        QDate desde, hasta;
        if (cfg.FechasEjercicio(int(lectura::enteroInicial(periodoActivo).o(0)), desde, hasta))
            return clave.contains(QLatin1String("DESDE"), Qt::CaseInsensitive) ? desde : hasta;
    }
    return aFecha(valor);
}

QVariant Lbc_Asiento::FechaValidada(const QString& Campo, QString& Mensaje, bool& lHayError)
{
    QDate fecha;
    if (texto::recortar(Campo).isEmpty()) {
        lHayError = true;
        Mensaje = QStringLiteral("Debe ingresar una fecha");
    } else {
        fecha = Utilidades::TextoAFecha(Campo);
        if (!fecha.isValid()) {
            lHayError = true;
            Mensaje = QStringLiteral("La fecha ingresada no es correcta!!");
        }
    }
    if (lHayError) return {};
    const QString periodo = PeriodoActivo();
    const QDate operDesde = fechaDeConfiguracion(con(), QStringLiteral("FECHAOPERDESDE"), periodo);
    const QDate operHasta = fechaDeConfiguracion(con(), QStringLiteral("FECHAOPERHASTA"), periodo);
    if (operDesde > fecha || operHasta < fecha) {
        lHayError = true;
        Mensaje = QStringLiteral("La fecha ingresada No es una Fecha Operativa posible!");
    }
    const QDate ejDesde = fechaDeConfiguracion(con(), QStringLiteral("[FECHA DESDE]"), periodo);
    const QDate ejHasta = fechaDeConfiguracion(con(), QStringLiteral("[FECHA HASTA]"), periodo);
    if (ejDesde > fecha || ejHasta < fecha) {
        lHayError = true;
        Mensaje = QStringLiteral("La fecha ingresada no pertenece al rango del Ejercicio");
    }
    return {};
}

QString Lbc_Asiento::TipoRegResumen() { return QString(QChar(0xFF)) + QStringLiteral("RS"); }

QString Lbc_Asiento::FamiliaNumeracion(const QString& tipoReg)
{
    const QString t = texto::recortar(tipoReg);
    // A non-null empty text: a null QString would be bound as NULL.
    if (t.isEmpty() || texto::igual(t, TipoRegResumen())) return QStringLiteral("");
    return t;
}

QString Lbc_Asiento::ClaveFamilia(const QString& periodo, int mes, const QString& familia)
{
    QString c;
    c.reserve(40 + familia.size());
    c.append(QLatin1StringView("MV_ASIENTOS|"));
    texto::agregarEntero(c, lectura::enteroInicial(periodo).o(0));
    c.append(u'|');
    texto::agregarEntero(c, mes);
    c.append(u'|').append(FamiliaNumeracion(familia).toUpper());
    return c;
}

qint32 Lbc_Asiento::UltimoNumeroAsiento(const QVariant& MES, const QVariant& Tipo_Reg, const QVariant& Periodo)
{
    const qint64 mes = lectura::enteroInicial(MES.toString()).o(0);
    const qint64 periodo = lectura::enteroInicial(Periodo.isValid() ? Periodo.toString() : PeriodoActivo()).o(0);
    const QString familia = FamiliaNumeracion(Tipo_Reg.isValid() ? Tipo_Reg.toString() : QString());
    // Errors reach the caller: a number read after a failure would be a duplicate.
    // The highest number as the first row of the key's index read backwards: a plan
    // that holds however large the journal is, with or without statistics.
    const QVariant max = con().Escalar(
        QStringLiteral("SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE PERIODO = ? AND MES_OPERATIVO = ? AND FAMILIA = ? "
                       "ORDER BY [NUMERO ASIENTO] DESC LIMIT 1"),
        {periodo, mes, familia});
    if (max.isNull() || max.toString().isEmpty()) return 1;
    return qint32(max.toLongLong() + 1);
}

qint32 Lbc_Asiento::TomarNumeroAsiento(const QVariant& MES, const QVariant& Tipo_Reg, const QVariant& Periodo)
{
    if (!con().enTransaccion())
        throw ErrorVexa(3246, QStringLiteral("El número de asiento se toma dentro de la transacción que graba el asiento"));
    const QString periodo = Periodo.isValid() ? Periodo.toString() : PeriodoActivo();
    return RegistroAsientos(con()).tomarNumero(periodo, int(lectura::enteroInicial(MES.toString()).o(0)),
                                               Tipo_Reg.isValid() ? Tipo_Reg.toString() : QString());
}

void Lbc_Asiento::OlvidarNumerosTomados() { RegistroAsientos(con()).olvidarNumeros(); }

QString Lbc_Asiento::FormatDisplayNroAsiento(const QVariant& NroAsiento, const QDate& Fecha)
{
    if (!Fecha.isValid()) errorDeTipo(QString());
    const qint64 n = aEntero(NroAsiento.toString());
    if (n < INT32_MIN || n > INT32_MAX) throw ErrorVexa(6, QStringLiteral("Desbordamiento"));
    return conCeros(Fecha.month(), 2) + u'-' + conCeros(double(n), 7);
}

QString Lbc_Asiento::FormatNroAsiento(const QString& Nro_Con_Formato)
{
    const int p = Nro_Con_Formato.indexOf(u'-');
    return texto::recortar(textoPlano(lectura::numeroInicial(p >= 0 ? Nro_Con_Formato.mid(p + 1) : Nro_Con_Formato).o(0)));
}

QString Lbc_Asiento::FMTNroAsiento(const QString& NroAsiento)
{
    const QString t = texto::recortar(Utilidades::QuitaCaracteres(NroAsiento, QStringLiteral("-")));
    if (t.size() < 3) return NroAsiento;
    return texto::recortar(t.left(2)) + u'-' + conCeros(lectura::numeroInicial(texto::recortar(t.mid(2))).o(0), 7);
}

bool Lbc_Asiento::ValidaRangoFechaEjercicio(const QString& Fecha_Desde, const QString& Fecha_Hasta, const QVariant& lPeriodo)
{
    auto rs = con().ObtenerRecordset(QStringLiteral("SELECT PERIODO, [FECHA DESDE], [FECHA HASTA] FROM MV_EJERCICIOS ORDER BY PERIODO"));
    if (rs.eof()) return true;
    QDate desde = aFecha(Fecha_Desde), hasta = aFecha(Fecha_Hasta);
    if (hasta < desde) std::swap(desde, hasta);
    for (; !rs.eof(); rs.siguiente()) {
        if (lPeriodo.isValid() &&
            lectura::numeroInicial(rs.texto(QStringLiteral("PERIODO"))).o(0) == lectura::numeroInicial(lPeriodo.toString()).o(0))
            continue;
        const QDate d = rs.fecha(QStringLiteral("FECHA DESDE")), h = rs.fecha(QStringLiteral("FECHA HASTA"));
        if (!d.isValid() || !h.isValid()) continue;
        // Any overlap, bounds included: also a new range that encloses a whole year.
        if (desde <= h && hasta >= d) return false;
    }
    return true;
}

bool Lbc_Asiento::EjercicioAnteriorCerrado(QString& QueEjercicio)
{
    double leido = lectura::numeroInicial(QueEjercicio).o(0);
    if (leido == -1) {
        QueEjercicio = PeriodoActivo();
        leido = lectura::numeroInicial(QueEjercicio).o(0);
    }
    const double periodo = std::ceil(leido);
    if (!texto::enRangoEntero64(periodo)) throw ErrorVexa(6, QStringLiteral("Desbordamiento"));
    auto f = con().PrimeraFila(
        QStringLiteral("SELECT CERRADO, CIERRE FROM MV_EJERCICIOS WHERE PERIODO < ? ORDER BY PERIODO DESC LIMIT 1"),
        {qint64(periodo)});
    if (!f) return true;
    // A flag without a value reads as not set.
    return f->logico(QStringLiteral("CERRADO")) || f->logico(QStringLiteral("CIERRE"));
}

// ---------------------------------------------------------------- vouchers

bool Lbc_Asiento::ValidaFechaSubdiario(const QString& Fecha, const QString& Subdiario)
{
    auto rs = con().ObtenerRecordset(
        QStringLiteral("SELECT FECHA_DESDE, FECHA_HASTA, ANULADO FROM MV_CONTROL_AS_RES WHERE SUBDIARIO = ? AND PERIODO = ?"),
        {texto::recortar(Subdiario), lectura::enteroInicial(PeriodoActivo()).o(0)});
    if (rs.eof()) return true;
    const QDate fecha = aFecha(Fecha);
    for (; !rs.eof(); rs.siguiente()) {
        if (rs.esNulo(QStringLiteral("ANULADO")) || rs.entero(QStringLiteral("ANULADO")) != 0) continue;
        if (fecha >= rs.fecha(QStringLiteral("FECHA_DESDE")) && fecha <= rs.fecha(QStringLiteral("FECHA_HASTA"))) return false;
    }
    return true;
}

QString Lbc_Asiento::DeterminaLetra(const QString& COND_IVA_CLIEN)
{
    const QString cond = Configuracion(&con()).ObtieneValor(QStringLiteral("CONDIVA"));
    if (lectura::numeroInicial(cond).o(0) == 1)
        return lectura::numeroInicial(COND_IVA_CLIEN).o(0) > 2 ? QStringLiteral("B") : QStringLiteral("A");
    return texto::recortar(cond).isEmpty() ? QStringLiteral("Z") : QStringLiteral("C");
}

// ---------------------------------------------------------------- voucher-number formats

QString Lbc_Asiento::FormatoNumeroComprobante(const QString& Sucursal, const QString& Numero, const QString& Letra)
{
    return conCeros(lectura::numeroInicial(Sucursal).o(0), 4) + u'-' + conCeros(lectura::numeroInicial(Numero).o(0), 8) +
           Utilidades::AjustaLargo(Letra, 1);
}

QString FormatoNumeroComprobante(const QString& Sucursal, const QString& Numero, const QString& Letra)
{
    return Lbc_Asiento::FormatoNumeroComprobante(Sucursal, Numero, Letra);
}

} // namespace vexa
