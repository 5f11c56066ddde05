#include "ReglasBienes.h"

#include "Lectores.h"
#include "Utilidades.h"

namespace vexa::bienes {

QString PorcentajeDeVida(double vidaUtil)
{
    if (vidaUtil <= 0) return QStringLiteral("0.00");
    return QString::number(100.0 / vidaUtil, 'g', 15);
}

Moneda CalculaDepEjercicio(Moneda base, double coeficiente, double porcentajeAnual, qint64 meses)
{
    const Moneda ajustada = base.porFactor(QString::number(coeficiente, 'f', 8));
    return ajustada.porFactor(QString::number(porcentajeAnual / 12.0 * double(meses) / 100.0, 'f', 8));
}

int AniosCalendario(const QDate& desde, const QDate& hasta) { return hasta.year() - desde.year(); }

QString DescripcionPeriodo(qint64 meses)
{
    if (meses == 3) return QStringLiteral("Trimestral");
    if (meses == 12) return QStringLiteral("Anual");
    return QStringLiteral("Mensual");
}

QString ValidaEjercicioCompra(Conexion& con, const QDate& fechaCompra, qint64 periodo, bool esNovedad)
{
    if (!fechaCompra.isValid()) return QStringLiteral("La fecha ingresada no es válida");
    auto f = con.PrimeraFila(QStringLiteral("SELECT PERIODO FROM MV_EJERCICIOS WHERE [FECHA DESDE] <= ? AND ? <= [FECHA HASTA] "
                                            "ORDER BY PERIODO LIMIT 1"),
                             {fechaCompra, fechaCompra});
    if (f) {
        if (!esNovedad && f->entero(QStringLiteral("PERIODO")) != periodo)
            return QStringLiteral("La fecha ingresada no pertenece al periodo informado");
        return QString();
    }
    if (!con.ExisteRegistro(QStringLiteral("MV_EJERCICIOS"), periodo, QStringLiteral("PERIODO")))
        return QStringLiteral("La fecha de compra no pertenece al ejercicio informado");
    return QString();
}

bool ExisteBien(Conexion& con, qint64 codigo)
{
    return con.ExisteRegistro(QStringLiteral("MA_BIENES"), codigo, QStringLiteral("CODIGO"));
}

bool ExisteSerie(Conexion& con, const QString& serie)
{
    return con.ExisteRegistro(QStringLiteral("MA_BIENES"), texto::recortar(serie), QStringLiteral("SERIE"));
}

std::optional<Fila> LeerBien(Conexion& con, qint64 codigo)
{
    return con.PrimeraFila(QStringLiteral("SELECT * FROM MA_BIENES WHERE CODIGO = ?"), {codigo});
}

CuentasDepreciacion CuentasDeDepreciacion(Conexion& con, const QString& cuenta)
{
    CuentasDepreciacion r;
    const QString c = texto::recortar(cuenta);
    if (c.isEmpty()) return r;
    if (auto f = con.PrimeraFila(QStringLiteral("SELECT CODIGO_DEPREC_EJERCICIO, CODIGO_DEPREC_ACUMULADA FROM MA_CUENTAS "
                                                "WHERE CODIGO = ?"),
                                 {c})) {
        r.ejercicio = texto::recortar(f->texto(QStringLiteral("CODIGO_DEPREC_EJERCICIO")));
        r.acumulada = texto::recortar(f->texto(QStringLiteral("CODIGO_DEPREC_ACUMULADA")));
    }
    return r;
}

qint64 UltimoEjercicio(Conexion& con)
{
    return con.ObtieneMaximo(QStringLiteral("MV_EJERCICIOS"), QStringLiteral("PERIODO")).toLongLong();
}

std::vector<BienListado> BienesDeCuenta(Conexion& con, const QString& cuenta)
{
    std::vector<BienListado> r;
    const QString c = texto::recortar(cuenta);
    if (c.isEmpty()) return r;
    Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT CODIGO, CUENTA_CONTABLE, FECHA_COMPRA FROM MA_BIENES "
                                                       "WHERE CUENTA_CONTABLE = ? AND FECHA_BAJA IS NULL ORDER BY CODIGO"),
                                        {c});
    if (rs.vacio()) return r;
    const QString descripcion =
        Utilidades::NuloATexto(con.BuscaValor(QStringLiteral("MA_CUENTAS"), c, QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO")));
    for (; !rs.eof(); rs.siguiente())
        r.push_back({rs.entero(QStringLiteral("CODIGO")), rs.texto(QStringLiteral("CUENTA_CONTABLE")), descripcion,
                     rs.fecha(QStringLiteral("FECHA_COMPRA"))});
    return r;
}

std::optional<qint64> CodigoBien(const QString& texto)
{
    const auto v = lectura::entero(texto);
    if (!v.valido()) return std::nullopt;
    return v.valor;
}

} // namespace vexa::bienes
