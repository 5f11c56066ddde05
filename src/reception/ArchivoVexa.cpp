#include "ArchivoVexa.h"

#include "FechaInterfaz.h"
#include "Lectores.h"
#include "Utilidades.h"

#include <algorithm>

namespace vexa::recepcion {

namespace {
// Characters 'desde' (from 1) to 'hasta' of the line; fewer when it is shorter.
QString columnas(const QString& linea, int desde, int hasta)
{
    if (linea.size() < desde) return QString();
    return linea.mid(desde - 1, hasta - desde + 1);
}
// The same, without the blanks (U+0020) at either end: cut once, already trimmed.
QString recortadas(const QString& linea, int desde, int hasta)
{
    if (linea.size() < desde) return QString();
    qsizetype i = desde - 1, fin = std::min<qsizetype>(linea.size(), hasta);
    while (i < fin && linea[i] == u' ') ++i;
    while (fin > i && linea[fin - 1] == u' ') --fin;
    return linea.mid(i, fin - i);
}
} // namespace

LineaRecepcionVexa CortaLineaVexa(const QString& l)
{
    LineaRecepcionVexa r;
    r.Subdiario = recortadas(l, 11, 14);
    r.Fecha = recortadas(l, 15, 22);
    r.Cuenta = recortadas(l, 23, 37);
    r.Importe = recortadas(l, 38, 52);
    r.DebeHaber = recortadas(l, 53, 53);
    r.CabCuenta = recortadas(l, 54, 68);
    r.CabImporte = recortadas(l, 69, 83);
    r.TC = recortadas(l, 84, 87);
    r.NroComprobante = columnas(l, 88, 100);
    r.TipoNeto = columnas(l, 101, 101);
    r.LibroIva = columnas(l, 102, 102);
    r.Detalle = recortadas(l, 103, 142);
    r.CabNombre = columnas(l, 110, 139);
    r.FechaVto = columnas(l, 143, 150);
    r.CabCUIT = columnas(l, 153, 167);
    r.CabCondIVA = columnas(l, 168, 171);
    return r;
}

QString ClaveVexa(const QString& linea) { return recortadas(linea, 1, 10); }

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
    claveActual_ = ClaveVexa(linea);
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
    actual_->lineas.push_back(CortaLineaVexa(linea));
    actual_->textos.push_back(linea);
    if (!problema.isEmpty() && actual_->problema.isEmpty()) actual_->problema = problema;
    return completo;
}

std::optional<ComprobanteVexa> AgrupadorVexa::Fin() { return std::exchange(actual_, std::nullopt); }

} // namespace vexa::recepcion
