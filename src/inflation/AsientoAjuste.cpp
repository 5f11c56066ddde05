#include "AsientoAjuste.h"

#include "ContextoEmpresa.h"
#include "Progreso.h"

#include <cmath>

namespace vexa::ajuste {

QString MesAnio::texto() const
{
    return QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio, 4, 10, QLatin1Char('0'));
}

MesAnio MesAnio::leer(const QString& texto)
{
    const QString t = texto.trimmed();
    const qsizetype barra = t.indexOf(u'/');
    if (barra <= 0) return {};
    bool okMes = false, okAnio = false;
    const int mes = t.left(barra).toInt(&okMes);
    const int anio = t.mid(barra + 1).toInt(&okAnio);
    MesAnio m{mes, anio};
    return okMes && okAnio && m.valido() ? m : MesAnio{};
}

Totales SumarTotales(const std::vector<LineaAjuste>& lineas)
{
    Totales t;
    for (const LineaAjuste& l : lineas) {
        t.debe += l.debe;
        t.haber += l.haber;
    }
    return t;
}

void AgregarLinea(std::vector<LineaAjuste>&, const QString&, const Moneda&, bool, const QString&) {}

Moneda Reexpresar(const Moneda& importe, double) { return importe; }

QString MensajeSinIndice(const QString& cuenta, const MesAnio& mes)
{
    return QStringLiteral("No Existe el Indice para la Cuenta ") + cuenta + QStringLiteral(" Periodo: ")
           + QString::number(mes.mes) + u'/' + QString::number(mes.anio);
}

QString EstadoEjercicio(ContextoEmpresa&) { return {}; }

ResultadoAjuste GenerarAjuste(ContextoEmpresa&, const PedidoAjuste&, Progreso& progreso, const ConfirmaCancelar&)
{
    progreso.Iniciar(kTituloProgreso, 0);
    progreso.Cerrar();
    ResultadoAjuste r;
    r.fin = ResultadoAjuste::Fin::SinMovimientos;
    r.mensaje = kMensajeSinMovimientos;
    return r;
}

ErrorConversionAjuste::ErrorConversionAjuste(QString campo)
    : ErrorVexa(3421, QStringLiteral("Error en conversion de datos: ") + campo), campo_(std::move(campo))
{
}

qint32 GrabarAjuste(ContextoEmpresa&, const CabeceraAjuste&, const std::vector<LineaAjuste>& lineas)
{
    if (lineas.empty()) throw ErrorVexa(0, kMensajeSinMovimientos);
    return 0;
}

ConsultaPlanilla PlanillaAjustes() { return {}; }

} // namespace vexa::ajuste
