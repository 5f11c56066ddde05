#include "ReglasCCosto.h"

#include "Entorno.h"
#include "Lectores.h"
#include "Utilidades.h"

#include <QRegularExpression>

namespace vexa::ccosto {

QString MensajeCodigoInexistente() { return QStringLiteral("Codigo_Inexistente"); }
QString MensajeCentroRepetido() { return QStringLiteral("El centro de Costo ingresado ya fue informado anteriormente"); }
QString MensajePorcentajeFueraDeRango() { return QStringLiteral("El porcentaje debe estar en un rango de 0 a 100"); }
QString MensajeSumaFueraDeRango() { return QStringLiteral("La suma de los porcentajes debe estar entre 0 y 100"); }
QString MensajeSumaAlGrabar() { return QStringLiteral("La suma de los porcentajes debe estar en un rango de 0 a 100"); }
QString MensajeDebeIngresarCuenta() { return QStringLiteral("Debe Ingresar una Cuenta"); }
QString MensajeCuentaInexistente() { return QStringLiteral("La cuenta es inexistente"); }
QString MensajeCuentaNoImputable() { return QStringLiteral("La Cuenta debe ser imputable"); }
QString MensajeTieneMovimientos(const QString& cuenta)
{
    return QStringLiteral("La cuenta ") + cuenta + QStringLiteral(" tiene movimientos");
}

QString CodigoCentro(const QString& texto)
{
    const QString t = texto::recortar(texto);
    return t.isEmpty() ? t : Utilidades::CompletaCeros(t, AnchoCCosto);
}

std::optional<qint64> LeerPorcentaje(const QString& textoDado)
{
    const QString t = texto::recortar(textoDado);
    if (t.isEmpty()) return 0;
    if (t.size() > AnchoPorcentaje) return std::nullopt;
    static const QRegularExpression forma(QStringLiteral("^([0-9]*)(?:[.,]([0-9]{0,4}))?$"));
    const QRegularExpressionMatch m = forma.match(t);
    if (!m.hasMatch()) return std::nullopt;
    // Digits and at most one mark followed by four decimals at most: read as an
    // amount, whose units are ten-thousandths. "." alone is no number.
    const auto importe = lectura::importe(t);
    if (!importe.valido()) return std::nullopt;
    const qint64 v = importe.valor.unidades();
    if (v > Cien) return std::nullopt;
    return v;
}

QString TextoPorcentaje(double porcentaje)
{
    for (int d = 4; d >= 0; --d) {
        QString s = QString::number(porcentaje, 'f', d);
        if (s.contains(u'.')) {
            while (s.endsWith(u'0')) s.chop(1);
            if (s.endsWith(u'.')) s.chop(1);
        }
        if (s == QLatin1String("-0")) s = QStringLiteral("0");
        if (s.size() <= AnchoPorcentaje) return s;
    }
    return QString::number(qRound64(porcentaje));
}

std::optional<qint64> SumaPorcentajes(const std::vector<RegCentroCosto>& filas)
{
    qint64 suma = 0;
    for (size_t i = 1; i < filas.size(); ++i) {
        if (texto::recortar(filas[i].CCosto).isEmpty()) continue;
        const auto p = LeerPorcentaje(filas[i].Porcentaje);
        if (!p) return std::nullopt;
        suma += *p;
    }
    return suma;
}

bool SumaPorcentajesValida(const std::vector<RegCentroCosto>& filas, QString& mensaje)
{
    const auto s = SumaPorcentajes(filas);
    if (s && *s >= 0 && *s <= Cien) return true;
    mensaje = MensajeSumaFueraDeRango();
    return false;
}

std::optional<Centro> BuscarCentro(Conexion& con, const QString& codigo)
{
    const QString c = CodigoCentro(codigo);
    if (c.isEmpty()) return std::nullopt;
    auto f = con.PrimeraFila(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO WHERE CODIGO = ?"), {c});
    if (!f) return std::nullopt;
    return Centro{texto::recortar(f->texto(QStringLiteral("CODIGO"))), texto::recortar(f->texto(QStringLiteral("DESCRIPCION")))};
}

bool CentroRepetido(const std::vector<RegCentroCosto>& filas, int fila, const QString& codigo)
{
    const QString c = CodigoCentro(codigo);
    if (c.isEmpty()) return false;
    for (size_t i = 1; i < filas.size(); ++i)
        if (int(i) != fila && texto::igual(CodigoCentro(filas[i].CCosto), c)) return true;
    return false;
}

std::optional<FalloFila> RevisarFilas(Conexion& con, const std::vector<RegCentroCosto>& filas)
{
    for (size_t i = 1; i < filas.size(); ++i) {
        const QString codigo = texto::recortar(filas[i].CCosto);
        if (codigo.isEmpty()) continue;
        if (!BuscarCentro(con, codigo)) return FalloFila{int(i), 1, MensajeCodigoInexistente()};
        if (CentroRepetido(filas, int(i), codigo)) return FalloFila{int(i), 1, MensajeCentroRepetido()};
        if (!LeerPorcentaje(filas[i].Porcentaje)) return FalloFila{int(i), 3, MensajePorcentajeFueraDeRango()};
    }
    const auto s = SumaPorcentajes(filas);
    if (!s || *s < 0 || *s > Cien) {
        // The editor goes to the last share that counts.
        int ultima = 0;
        for (size_t i = 1; i < filas.size(); ++i)
            if (!texto::recortar(filas[i].CCosto).isEmpty()) ultima = int(i);
        return FalloFila{ultima, 3, MensajeSumaAlGrabar()};
    }
    return std::nullopt;
}

Cuenta BuscarCuenta(Conexion& con, const QString& codigo)
{
    Cuenta r;
    const QString c = texto::recortar(codigo);
    if (c.isEmpty()) return r;
    auto f = con.PrimeraFila(QStringLiteral("SELECT DESCRIPCION, TITULO FROM MA_CUENTAS WHERE CODIGO = ?"), {c});
    if (!f) {
        r.estado = Cuenta::Estado::Inexistente;
        return r;
    }
    r.descripcion = texto::recortar(f->texto(QStringLiteral("DESCRIPCION")));
    r.estado = f->logico(QStringLiteral("TITULO")) ? Cuenta::Estado::Titulo : Cuenta::Estado::Imputable;
    return r;
}

std::vector<RegCentroCosto> Generar(Conexion& con, const QString& cuenta)
{
    std::vector<RegCentroCosto> filas(1);
    {
        Recordset rs = con.ObtenerRecordset(
            QStringLiteral("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = ? ORDER BY CCOSTO"),
            {texto::recortar(cuenta)});
        for (; !rs.eof(); rs.siguiente()) {
            RegCentroCosto r;
            r.CCosto = CodigoCentro(rs.texto(QStringLiteral("CCOSTO")));
            r.Porcentaje = rs.esNulo(QStringLiteral("PORCENTAJE"))
                               ? QString()
                               : TextoPorcentaje(rs.fila().doble(QStringLiteral("PORCENTAJE")));
            filas.push_back(r);
        }
    }
    // A code stored short finds its centre zero-filled, as the operator's does.
    for (size_t i = 1; i < filas.size(); ++i)
        if (const auto c = BuscarCentro(con, filas[i].CCosto)) filas[i].Descripcion = c->descripcion;
    return filas;
}

void Actualizar_Datos(Conexion& con, const QString& cuenta, const std::vector<RegCentroCosto>& filas, bool borrar)
{
    const QString c = texto::recortar(cuenta);
    Transaccion t(con);
    con.bloquearFamilia(QStringLiteral("MA_CUENTASCCOSTO|") + c.toUpper());
    con.EjecutarSQL(QStringLiteral("DELETE FROM MA_CUENTASCCOSTO WHERE CODIGO = ?"), {c});
    if (!borrar) {
        const QDateTime ahora = plataforma::ahora();
        for (size_t i = 1; i < filas.size(); ++i) {
            const QString codigo = CodigoCentro(filas[i].CCosto);
            if (codigo.isEmpty() || Utilidades::EsVacio(codigo)) continue;
            const auto p = LeerPorcentaje(filas[i].Porcentaje);
            if (!p)
                throw ErrorConversion(3421, QStringLiteral("El porcentaje \"%1\" no es un número").arg(filas[i].Porcentaje));
            con.Insertar(QStringLiteral("MA_CUENTASCCOSTO"), {{QStringLiteral("CCOSTO"), codigo},
                                                             {QStringLiteral("CODIGO"), c},
                                                             {QStringLiteral("PORCENTAJE"), double(*p) / 10000.0},
                                                             {QStringLiteral("FECHAHORA_MODIFICACION"), ahora}});
        }
    }
    t.confirmar();
}

bool TieneMov(Conexion& con, const QString& cuenta)
{
    // Companion programs write these rows; an account stored with blanks
    // around it is the same account.
    return con
        .PrimeraFila(QStringLiteral("SELECT 1 AS HAY FROM MV_ASIENTOSCCOSTO WHERE UPPER(TRIM(CUENTA)) = UPPER(?) "
                                    "AND IMPORTE IS NOT NULL LIMIT 1"),
                     {texto::recortar(cuenta)})
        .has_value();
}

QString ConsultaPlanilla()
{
    return QStringLiteral(
        "SELECT MA_CUENTASCCOSTO.CODIGO, MA_CUENTAS.DESCRIPCION, MA_CUENTASCCOSTO.CCOSTO AS [C COSTOS], "
        "TA_CCOSTO.DESCRIPCION, MA_CUENTASCCOSTO.PORCENTAJE FROM MA_CUENTAS, MA_CUENTASCCOSTO, TA_CCOSTO "
        "WHERE MA_CUENTASCCOSTO.CODIGO = MA_CUENTAS.CODIGO AND TA_CCOSTO.CODIGO = MA_CUENTASCCOSTO.CCOSTO "
        "ORDER BY MA_CUENTASCCOSTO.CODIGO, MA_CUENTASCCOSTO.CCOSTO");
}

QString TituloPlanilla() { return QStringLiteral("Plan General de Cuentas, Centros de Costos"); }

} // namespace vexa::ccosto
