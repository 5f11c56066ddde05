#include "Contabilizador.h"

#include "Configuracion.h"
#include "TestigoRecepcion.h"
#include "Utilidades.h"

#include <optional>

namespace vexa::recepcion {

namespace {

// Columns of every row, in the order of the insert.
const QStringList& columnas()
{
    static const QStringList c{
        QStringLiteral("CUENTA"), QStringLiteral("SECUENCIA"), QStringLiteral("MES_OPERATIVO"),
        QStringLiteral("[NUMERO ASIENTO]"), QStringLiteral("PERIODO"), QStringLiteral("TIPO_REG"),
        QStringLiteral("FECHA"), QStringLiteral("DETALLE"), QStringLiteral("TC"), QStringLiteral("SUCURSAL"),
        QStringLiteral("NUMERO"), QStringLiteral("LETRA"), QStringLiteral("[DEBE-HABER]"), QStringLiteral("IMPORTE"),
        QStringLiteral("CABIMPORTE"), QStringLiteral("CABCUENTA"), QStringLiteral("CABNOMBRE"), QStringLiteral("CABCUIT"),
        QStringLiteral("CABCONDIVA"), QStringLiteral("VENCIMIENTO"), QStringLiteral("NRO_TRANSMISION"),
        // VAT book: first row only.
        QStringLiteral("LIVA_TIPO"), QStringLiteral("LIVA_IMPIVAREC"), QStringLiteral("LIVA_IMPIVA"),
        QStringLiteral("LIVA_EXENTO"), QStringLiteral("LIVA_IMPNETOGRAV"), QStringLiteral("LIVA_IMPNETONGRAV"),
        QStringLiteral("LIVA_RET_GANANCIAS"), QStringLiteral("LIVA_RET_IBTOS"), QStringLiteral("LIVA_RET_PERC"),
        QStringLiteral("LIVA_TOTAL"), QStringLiteral("LIVA_ALICIVA"), QStringLiteral("LIVA_ALICIVAREC")};
    return c;
}
constexpr int kColumnasLibroIva = 12;

// The insert of an entry of the given number of rows: the VAT-book columns
// take values on the first row only and are NULL on the others. One text per
// row count, kept for the run (the database layer keeps its prepared statement).
const QString& sqlInsercion(int filas)
{
    static std::vector<QString> textos;
    if (int(textos.size()) <= filas) textos.resize(size_t(filas) + 1);
    QString& sql = textos[size_t(filas)];
    if (sql.isEmpty()) {
        const int n = int(columnas().size());
        const QString primera = QStringLiteral("(") + QStringLiteral("?, ").repeated(n - 1) + QStringLiteral("?)");
        const QString otra = QStringLiteral("(") + QStringLiteral("?, ").repeated(n - kColumnasLibroIva)
                             + QStringLiteral("NULL, ").repeated(kColumnasLibroIva - 1) + QStringLiteral("NULL)");
        QStringList filasSql{primera};
        for (int i = 1; i < filas; ++i) filasSql << otra;
        sql = QStringLiteral("INSERT INTO MV_ASIENTOS (") + columnas().join(QStringLiteral(", "))
              + QStringLiteral(") VALUES ") + filasSql.join(QStringLiteral(", "));
    }
    return sql;
}

QVariant monto(const Moneda& m) { return QVariant::fromValue(m); }

// An amount text of a rule line: nullopt when it is not a number.
std::optional<Moneda> importeLinea(const QString& t)
{
    const QString s = texto::recortar(t);
    if (s.isEmpty()) return Moneda();
    if (!Utilidades::EsNumeroValido(s)) return std::nullopt;
    return Utilidades::TextoAMoneda(s);
}

QString numeroSiguiente(const QString& numero)
{
    return QString::number(texto::valEntero(texto::recortar(numero)) + 1);
}

} // namespace

QString MonedaSimple(const Moneda& m)
{
    QString s = m.texto(4);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0'))) s.chop(1);
        if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    }
    return s;
}

Contabilizador::Contabilizador(Conexion* conexion, Configuracion* configuracion)
    : con_(conexion ? *conexion : Conexion::instancia()),
      cfg_(&con_),
      asiento_(&con_)
{
}

QString Contabilizador::Detalle(qint32 idRecepcion)
{
    return QStringLiteral("Subdiario desde Interface Recepción Nº ") + QString::number(idRecepcion);
}

QString Contabilizador::periodo()
{
    if (periodo_.isEmpty()) periodo_ = asiento_.PeriodoActivo();
    return periodo_;
}

Moneda Contabilizador::tasa(const QString& clave, std::optional<Moneda>& cache)
{
    if (!cache) cache = Utilidades::TextoAMoneda(texto::recortar(cfg_.ObtieneValor(clave)));
    return *cache;
}

QString Contabilizador::ArmaAsiento(const ComprobanteValidado& c, std::vector<LineaAsiento>& lineas)
{
    lineas = c.Lineas;
    // Rule amounts must be numbers that are not negative: a negative amount would
    // be counted in the balance but never stored, leaving an unbalanced entry.
    for (const LineaAsiento& l : lineas) {
        if (l.enBlanco()) continue;
        for (const QString* t : {&l.Debe, &l.Haber}) {
            const auto m = importeLinea(*t);
            if (!m)
                return QStringLiteral("El importe (") + texto::recortar(*t) + QStringLiteral(") de la cuenta (")
                       + texto::recortar(l.Cuenta) + QStringLiteral(") no es numérico");
            if (m->esNegativo())
                return QStringLiteral("El importe (") + texto::recortar(*t) + QStringLiteral(") de la cuenta (")
                       + texto::recortar(l.Cuenta) + QStringLiteral(") no puede ser negativo");
        }
    }
    auto sumas = [&lineas](Moneda& d, Moneda& h) {
        d = h = Moneda();
        for (const LineaAsiento& l : lineas) {
            if (l.enBlanco()) continue;
            d += Utilidades::TextoAMoneda(texto::recortar(l.Debe));
            h += Utilidades::TextoAMoneda(texto::recortar(l.Haber));
        }
    };
    Moneda d, h;
    sumas(d, h);
    LineaAsiento principal;
    principal.Cuenta = texto::recortar(c.CuentaPrincipal).left(LineaAsiento::kLargoCuenta);
    if (d == c.Total)
        principal.Haber = c.TotalTexto;
    else if (h == c.Total)
        principal.Debe = c.TotalTexto;
    else
        return QStringLiteral("El Subdiario no balancea");
    lineas.push_back(principal);
    sumas(d, h);
    if (d != h)
        return QStringLiteral("El Subdiario no balancea Debe :") + MonedaSimple(d) + QStringLiteral(" Haber : ")
               + MonedaSimple(h) + QStringLiteral(" Importe Total : ") + c.TotalTexto;
    return {};
}

QString Contabilizador::Contabiliza(const ComprobanteValidado& c, TestigoRecepcion& testigo)
{
    std::vector<LineaAsiento> lineas;
    escribio_ = false;
    if (!c.retiro) {
        const QString m = ArmaAsiento(c, lineas);
        if (!m.isEmpty()) return m;
    }
    escribio_ = true;
    try {
        // In a batch the caller's savepoint around the line holds this voucher's writes.
        std::optional<Transaccion> t;
        if (!enLote_) t.emplace(con_);
        if (c.reemplazo.planeado) {
            const int borradas = con_.EjecutarSQL(c.reemplazo.sqlEliminar(), c.reemplazo.parametros());
            asiento_.OlvidarNumerosTomados(); // the deleted entry may have held the highest number
            if (borradas != c.reemplazo.filas)
                return QStringLiteral("El comprobante ") + c.Sucursal + QStringLiteral("-") + c.Numero
                       + QStringLiteral("-") + c.Letra
                       + QStringLiteral(" fue modificado por otro proceso mientras se recibía; vuelva a recibirlo");
        }
        if (!c.retiro) {
            const QString per = periodo();
            const qint32 nro = c.numeroAsientoReutilizar != 0
                                   ? c.numeroAsientoReutilizar
                                   : asiento_.TomarNumeroAsiento(c.MesOperativo, c.Subdiario, per);
            const QVariant vencimiento = c.Vencimiento.isValid() ? QVariant(c.Vencimiento) : QVariant();
            const QString detalle = Detalle(testigo.IdRecepcion());
            const bool exento = texto::val(c.CondicionIva) == 4;
            const bool compras = texto::igual(texto::recortar(c.LivaTipo), QStringLiteral("COMPRAS"));
            const QVariant nulo;
            // Voucher values repeated on every row.
            const QString tc = texto::recortar(c.Tc), sucursal = texto::recortar(c.Sucursal),
                          numero = texto::recortar(c.Numero), letra = texto::recortar(c.Letra),
                          cuentaPrincipal = texto::recortar(c.CuentaPrincipal), nombre = texto::recortar(c.NombreCuenta),
                          cuit = texto::recortar(c.Cuit), condicionIva = texto::recortar(c.CondicionIva);
            const qint32 idRecepcion = testigo.IdRecepcion();
            const int periodoNumero = per.toInt();
            Params p;
            p.reserve(qsizetype(lineas.size()) * columnas().size());
            int secuencia = 0;
            for (const LineaAsiento& l : lineas) {
                if (l.enBlanco()) continue;
                const Moneda debe = Utilidades::TextoAMoneda(texto::recortar(l.Debe));
                const Moneda haber = Utilidades::TextoAMoneda(texto::recortar(l.Haber));
                if (debe <= Moneda() && haber <= Moneda()) continue;
                const bool alDebe = debe > Moneda();
                ++secuencia;
                p << texto::recortar(l.Cuenta) << secuencia << c.MesOperativo << nro << periodoNumero << c.Subdiario
                  << c.FechaEmision << detalle << tc << sucursal << numero << letra
                  << (alDebe ? QStringLiteral("D") : QStringLiteral("H")) << monto(alDebe ? debe : haber)
                  << monto(c.Total) << cuentaPrincipal << nombre << cuit << condicionIva << vencimiento << idRecepcion;
                if (secuencia == 1) {
                    const ImportesLibroIva& iva = c.iva;
                    p << texto::recortar(c.LivaTipo) << monto(iva.ImpIvaRec)
                      << (exento ? nulo : monto(compras ? iva.Cfri + iva.Rm : iva.Dfri + iva.Dfrni + iva.Rm))
                      << (exento ? monto(iva.Exento) : nulo) << monto(iva.Neto) << monto(iva.NetoN)
                      << monto(iva.RetGanancias) << monto(iva.RetIbtos) << monto(iva.RetPerc) << monto(c.Total)
                      << monto(tasa(QStringLiteral("PIVA"), piva_)) << monto(tasa(QStringLiteral("PIVAREC"), pivarec_));
                }
            }
            if (secuencia > 0) con_.EjecutarSQL(sqlInsercion(secuencia), p);
            if (!c.comprobanteEntrada)
                cfg_.ActualizaNumeracion(c.Tc, QStringLiteral("CONTABLE"), c.Sucursal, numeroSiguiente(c.Numero), c.Letra);
        }
        if (!enLote_) {
            testigo.EscribeConteos(1);
            t->confirmar();
        }
    } catch (const ErrorVexa& e) {
        return e.descripcion().isEmpty() ? QStringLiteral("Error ") + QString::number(e.numero()) : e.descripcion();
    } catch (const std::exception& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

} // namespace vexa::recepcion
