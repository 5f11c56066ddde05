#include "ArchivoVexa.h"

#include "FechaInterfaz.h"
#include "Lectores.h"
#include "Utilidades.h"

#include <algorithm>

namespace vexa::recepcion {

namespace {
// Characters 'desde' (from 1) to 'hasta' of the line, fewer when it is
// shorter; 'recortar' drops the blanks (U+0020) at either end.
QStringView tramo(const QString& linea, int desde, int hasta, bool recortar)
{
    if (linea.size() < desde) return {};
    qsizetype i = desde - 1, fin = std::min<qsizetype>(linea.size(), hasta);
    if (recortar) {
        while (i < fin && linea[i] == u' ') ++i;
        while (fin > i && linea[fin - 1] == u' ') --fin;
    }
    return QStringView(linea).sliced(i, fin - i);
}
// That part as a text (null when the line ends before it); with 'repetidos'
// a text met before is shared.
QString corte(const QString& linea, int desde, int hasta, bool recortar, TextosRepetidos* repetidos)
{
    if (linea.size() < desde) return QString();
    const QStringView t = tramo(linea, desde, hasta, recortar);
    if (repetidos && !t.isEmpty()) return repetidos->de(t);
    return linea.mid(t.data() - linea.constData(), t.size());
}
} // namespace

QString TextosRepetidos::de(QStringView texto)
{
    QString& lugar = lugares_[qHash(texto) % lugares_.size()];
    if (lugar != texto) lugar = texto.toString();
    return lugar;
}

LineaRecepcionVexa CortaLineaVexa(const QString& l, TextosRepetidos* repetidos)
{
    // Amounts, numbers and details mostly change from line to line: cut alone.
    TextosRepetidos* const nunca = nullptr;
    LineaRecepcionVexa r;
    r.Subdiario = corte(l, 11, 14, true, repetidos);
    r.Fecha = corte(l, 15, 22, true, repetidos);
    r.Cuenta = corte(l, 23, 37, true, repetidos);
    r.Importe = corte(l, 38, 52, true, nunca);
    r.DebeHaber = corte(l, 53, 53, true, repetidos);
    r.CabCuenta = corte(l, 54, 68, true, repetidos);
    r.CabImporte = corte(l, 69, 83, true, nunca);
    r.TC = corte(l, 84, 87, true, repetidos);
    r.NroComprobante = corte(l, 88, 100, false, nunca);
    r.TipoNeto = corte(l, 101, 101, false, repetidos);
    r.LibroIva = corte(l, 102, 102, false, repetidos);
    r.Detalle = corte(l, 103, 142, true, nunca);
    r.CabNombre = corte(l, 110, 139, false, repetidos);
    r.FechaVto = corte(l, 143, 150, false, repetidos);
    r.CabCUIT = corte(l, 153, 167, false, repetidos);
    r.CabCondIVA = corte(l, 168, 171, false, repetidos);
    return r;
}

QString ClaveVexa(const QString& linea) { return corte(linea, 1, 10, true, nullptr); }

qint64 ValorClaveVexa(const QString& clave) { return lectura::enteroInicial(texto::recortar(clave)).o(0); }

QDate ConvierteFecha(const QString& fecha)
{
    const QString f = texto::recortar(fecha);
    if (f.size() == 8) return FechaDePartes(f.left(2), f.mid(2, 2), f.mid(4, 4));
    if (f.size() == 6) return FechaDePartes(f.left(2), f.mid(2, 2), AplicaSiglo(f.mid(4, 2)));
    return QDate();
}

std::optional<ComprobanteVexa> AgrupadorVexa::ProcesaLinea(const QString& linea, qint64 numero, qint64 posicion,
                                                           qint64 largo, const QString& problema)
{
    // Every line of a voucher repeats its key: the text is kept while it does.
    const QStringView clave = tramo(linea, 1, 10, true);
    if (clave.isEmpty() || clave != claveActual_) claveActual_ = ClaveVexa(linea);
    const qint64 valor = ValorClaveVexa(claveActual_);
    std::optional<ComprobanteVexa> completo;
    if (actual_ && actual_->valorClave != valor) completo = std::exchange(actual_, std::nullopt);
    if (!actual_) {
        actual_.emplace();
        actual_->clave = claveActual_;
        actual_->valorClave = valor;
        actual_->primeraLinea = numero;
        actual_->posicion = posicion;
    }
    actual_->largo = posicion + largo - actual_->posicion;
    actual_->lineas.push_back(CortaLineaVexa(linea, &repetidos_));
    actual_->textos.push_back(linea);
    if (!problema.isEmpty() && actual_->problema.isEmpty()) actual_->problema = problema;
    return completo;
}

std::optional<ComprobanteVexa> AgrupadorVexa::Fin() { return std::exchange(actual_, std::nullopt); }

} // namespace vexa::recepcion
