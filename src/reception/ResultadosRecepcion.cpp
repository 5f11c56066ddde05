#include "ResultadosRecepcion.h"

#include "Utilidades.h"

#include <algorithm>
#include <limits>

namespace vexa::recepcion {

namespace {
quint32 a32(qint64 v) { return quint32(std::clamp<qint64>(v, 0, std::numeric_limits<quint32>::max())); }

template <class T> qint64 capacidad(const std::vector<T>& v) { return qint64(v.capacity() * sizeof(T)); }
} // namespace

int ModeloResultados::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return int(r_.cantidad(grabados_ ? ResultadosRecepcion::Lista::Grabados : ResultadosRecepcion::Lista::Rechazados));
}

QVariant ModeloResultados::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return QVariant();
    return r_.texto(grabados_ ? ResultadosRecepcion::Lista::Grabados : ResultadosRecepcion::Lista::Rechazados, index.row());
}

ResultadosRecepcion::ResultadosRecepcion()
    : grabados_(new ModeloResultados(*this, true)), rechazados_(new ModeloResultados(*this, false))
{
}

ResultadosRecepcion::~ResultadosRecepcion() = default;

void ResultadosRecepcion::fijarTextoLinea(TextoLinea f) { textoLinea_ = std::move(f); }

quint32 ResultadosRecepcion::interno(const QString& mensaje)
{
    const auto it = idMensaje_.constFind(mensaje);
    if (it != idMensaje_.constEnd()) return it.value();
    const auto id = quint32(mensajes_.size());
    mensajes_.push_back(mensaje);
    idMensaje_.insert(mensaje, id);
    bytesMensajes_ += qint64(mensaje.capacity() + 1) * qint64(sizeof(QChar)) + 32; // text and its header
    return id;
}

void ResultadosRecepcion::agregar(const std::vector<Fila>& lote)
{
    const auto nuevos = std::count_if(lote.begin(), lote.end(), [](const Fila& f) { return f.mensaje.isEmpty(); });
    const auto nuevosRechazados = qsizetype(lote.size()) - qsizetype(nuevos);
    if (nuevos > 0) {
        const int desde = int(gNumero_.size());
        grabados_->beginInsertRows(QModelIndex(), desde, desde + int(nuevos) - 1);
        for (const Fila& f : lote) {
            if (!f.mensaje.isEmpty()) continue;
            gNumero_.push_back(a32(f.numero));
            gPosicion_.push_back(f.posicion);
            gLargo_.push_back(a32(f.largo));
        }
        grabados_->endInsertRows();
    }
    if (nuevosRechazados > 0) {
        const int desde = int(rNumero_.size());
        rechazados_->beginInsertRows(QModelIndex(), desde, desde + int(nuevosRechazados) - 1);
        for (const Fila& f : lote) {
            if (f.mensaje.isEmpty()) continue;
            rNumero_.push_back(a32(f.numero));
            rPosicion_.push_back(f.posicion);
            rLargo_.push_back(a32(f.largo));
            rMensaje_.push_back(interno(f.mensaje));
        }
        rechazados_->endInsertRows();
    }
}

void ResultadosRecepcion::limpiar()
{
    grabados_->beginResetModel();
    rechazados_->beginResetModel();
    gNumero_ = {};
    gLargo_ = {};
    gPosicion_ = {};
    rNumero_ = {};
    rLargo_ = {};
    rMensaje_ = {};
    rPosicion_ = {};
    mensajes_ = {};
    idMensaje_ = {};
    bytesMensajes_ = 0;
    textoLinea_ = {};
    grabados_->endResetModel();
    rechazados_->endResetModel();
}

qsizetype ResultadosRecepcion::cantidad(Lista l) const
{
    return qsizetype(l == Lista::Grabados ? gNumero_.size() : rNumero_.size());
}

ResultadosRecepcion::Fila ResultadosRecepcion::fila(Lista l, qsizetype i) const
{
    const auto k = size_t(i);
    if (l == Lista::Grabados) return {gNumero_.at(k), gPosicion_.at(k), gLargo_.at(k), QString()};
    return {rNumero_.at(k), rPosicion_.at(k), rLargo_.at(k), mensajes_.at(rMensaje_.at(k))};
}

QString ResultadosRecepcion::texto(Lista l, qsizetype i) const
{
    const auto k = size_t(i);
    if (l == Lista::Rechazados && rNumero_.at(k) == 0) return mensajes_.at(rMensaje_.at(k));
    QString s = QStringLiteral("Linea: ");
    if (l == Lista::Grabados) {
        s += texto::str(qint64(gNumero_.at(k))) + QStringLiteral("  ");
        if (textoLinea_) s += textoLinea_(gPosicion_.at(k), gLargo_.at(k));
    } else {
        s += texto::str(qint64(rNumero_.at(k))) + QStringLiteral("  ") + mensajes_.at(rMensaje_.at(k));
    }
    return s;
}

QStringList ResultadosRecepcion::textos(Lista l) const
{
    QStringList r;
    const qsizetype n = cantidad(l);
    r.reserve(n);
    for (qsizetype i = 0; i < n; ++i) r << texto(l, i);
    return r;
}

qint64 ResultadosRecepcion::bytesOcupados() const
{
    return capacidad(gNumero_) + capacidad(gLargo_) + capacidad(gPosicion_) + capacidad(rNumero_) + capacidad(rLargo_)
           + capacidad(rMensaje_) + capacidad(rPosicion_) + capacidad(mensajes_)
           + qint64(idMensaje_.capacity()) * qint64(sizeof(QString) + sizeof(quint32) + 8) + bytesMensajes_;
}

} // namespace vexa::recepcion
