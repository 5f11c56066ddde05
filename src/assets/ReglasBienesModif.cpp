#include "ReglasBienesModif.h"

#include "Utilidades.h"

namespace vexa::bienes {

int FilaDelEjercicio(const std::vector<Fila>& filas, qint64 periodoActivo)
{
    for (size_t i = 0; i < filas.size(); ++i)
        if (filas[i].entero(QStringLiteral("PERIODO")) == periodoActivo) return int(i);
    return filas.empty() ? -1 : int(filas.size()) - 1;
}

CargaModificacion CargarModificacion(Conexion& con, qint64 codigo, qint64 id, qint64 periodoActivo)
{
    CargaModificacion c;
    c.codigo = codigo;
    c.id = id;
    c.bien = con.PrimeraFila(QStringLiteral("SELECT * FROM MA_BIENES WHERE CODIGO = ?"), {codigo});
    if (id > 0)
        c.novedad = con.PrimeraFila(QStringLiteral("SELECT * FROM MA_BIENES_NOVEDADES WHERE CODIGO = ? AND ID = ?"), {codigo, id});
    c.calculos = con.ObtenerRecordset(QStringLiteral("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = ? AND ID = ? ORDER BY PERIODO"),
                                      {codigo, id})
                     .todas();
    c.elegida = FilaDelEjercicio(c.calculos, periodoActivo);
    if (c.bien) c.retirado = !c.bien->esNulo(QStringLiteral("FECHA_BAJA")) && !texto::recortar(c.bien->texto(QStringLiteral("FECHA_BAJA"))).isEmpty();
    if (const Fila* f = c.calculo()) c.controlada = f->entero(QStringLiteral("IDCONTROL")) > 0;
    for (const Fila& f : c.calculos)
        if (f.entero(QStringLiteral("PERIODO")) == periodoActivo) c.delEjercicio = true;
    return c;
}

namespace {

// The row as read: another station changed it when any column differs now.
void verificarSinCambios(Conexion& con, const Fila& leida, const QString& sql, const Params& p)
{
    const auto ahora = con.PrimeraFila(sql, p);
    bool igual = ahora && ahora->cantidad() == leida.cantidad();
    for (int i = 0; igual && i < leida.cantidad(); ++i) {
        const QVariant a = leida.valor(i), b = ahora->valor(i);
        if (a.isNull() != b.isNull() || (!a.isNull() && a.toString() != b.toString())) igual = false;
    }
    if (!igual)
        throw ErrorVexa(3197, QStringLiteral("Otro usuario modificó o eliminó el registro después de leerlo; "
                                             "vuelva a consultarlo antes de grabar."));
}

} // namespace

void GrabarModificacion(Conexion& con, const CargaModificacion& carga, const GrabacionModificacion& g)
{
    Transaccion t(con);
    if (carga.bien && !g.bien.empty()) {
        verificarSinCambios(con, *carga.bien, QStringLiteral("SELECT * FROM MA_BIENES WHERE CODIGO = ?"), {carga.codigo});
        con.Actualizar(QStringLiteral("MA_BIENES"), g.bien, QStringLiteral("CODIGO = ?"), {carga.codigo});
    }
    if (carga.id > 0 && carga.novedad && !g.novedad.empty()) {
        verificarSinCambios(con, *carga.novedad, QStringLiteral("SELECT * FROM MA_BIENES_NOVEDADES WHERE CODIGO = ? AND ID = ?"),
                            {carga.codigo, carga.id});
        con.Actualizar(QStringLiteral("MA_BIENES_NOVEDADES"), g.novedad, QStringLiteral("CODIGO = ? AND ID = ?"),
                       {carga.codigo, carga.id});
    }
    if (const Fila* f = carga.calculo(); f && !g.calculo.empty()) {
        const qint64 periodo = f->entero(QStringLiteral("PERIODO"));
        verificarSinCambios(con, *f, QStringLiteral("SELECT * FROM MV_CALCULO_BIENES WHERE CODIGO = ? AND ID = ? AND PERIODO = ?"),
                            {carga.codigo, carga.id, periodo});
        con.Actualizar(QStringLiteral("MV_CALCULO_BIENES"), g.calculo, QStringLiteral("CODIGO = ? AND ID = ? AND PERIODO = ?"),
                       {carga.codigo, carga.id, periodo});
    }
    t.confirmar();
}

} // namespace vexa::bienes
