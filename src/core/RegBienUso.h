#pragma once
// The fixed-asset record the asset register window fills on each accept and
// reads back to fill its fields: every field but Motivo is a fixed-width text
// (assigning cuts or blank-pads it to its width; reading trims it again), so
// a record holds what the window showed, as text, within known widths.
// The register window's dialog mode keeps one (FrmMA_BienesUso::BienUso); the
// asset part of an entry line (LineaAsiento) is another, empty one.
#include <QString>

namespace vexa {

template <int N>
class TextoFijo {
public:
    static constexpr int ancho = N;
    TextoFijo() = default;
    TextoFijo& operator=(const QString& s)
    {
        v_ = s.left(N).leftJustified(N, u' ');
        return *this;
    }
    // The text as assigned, without the blanks around it; "" before the first assignment.
    QString texto() const;
    // The stored text: exactly N characters once assigned, empty before.
    const QString& crudo() const { return v_; }
    bool operator==(const TextoFijo& o) const { return v_ == o.v_; }

private:
    QString v_;
};

template <int N>
QString TextoFijo<N>::texto() const
{
    qsizetype i = 0, f = v_.size();
    while (i < f && v_[i] == u' ') ++i;
    while (f > i && v_[f - 1] == u' ') --f;
    return v_.mid(i, f - i);
}

struct RegBienUso {
    TextoFijo<20> Reservado;
    TextoFijo<15> Codigo;
    TextoFijo<15> CuentaContable;
    TextoFijo<15> CuentaEjercicio;
    TextoFijo<15> CuentaAcumulada;
    TextoFijo<10> FechaCompra;
    TextoFijo<15> Costo;
    TextoFijo<15> ValorResidual;
    TextoFijo<10> FechaRevaluacion;
    TextoFijo<15> Importe;
    TextoFijo<3> VidaUtil;
    // 15 wide like NovedadPorcentaje: "08.50" and 100 / 3 written at full
    // precision fit whole.
    TextoFijo<15> Porcentaje;
    TextoFijo<255> Ubicacion;
    TextoFijo<255> Afecta;
    TextoFijo<255> Descripcion;
    TextoFijo<10> FechaBaja;
    QString Motivo; // kept whole
    TextoFijo<15> NovedadId;
    TextoFijo<10> NovedadFecha;
    TextoFijo<15> NovedadImporte;
    TextoFijo<255> NovedadDetalle;
    qint16 Indicador = 0;
    TextoFijo<1> DebeHaber;
    TextoFijo<15> ValorRecupero;
    TextoFijo<20> Serie;
    TextoFijo<3> NovedadVidaUtil;
    TextoFijo<15> NovedadPorcentaje;

    bool operator==(const RegBienUso&) const = default;
};

} // namespace vexa
