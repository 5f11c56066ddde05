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

// The row as read, under its lock: a change that sets nothing takes the row's
// write lock until the transaction ends (on PostgreSQL it waits for a station
// saving the same row to finish; SQLite's write transaction already holds the
// whole database), then the row is read again. Another station changed or
// removed it when any column differs now; no other station can change it
// between this check and the write that follows.
void verificarSinCambios(Conexion& con, const Fila& leida, const QString& tabla, const QString& donde, const Params& p)
{
    con.EjecutarSQL(QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET CODIGO = CODIGO WHERE ") + donde, p);
    const auto ahora = con.PrimeraFila(QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" WHERE ") + donde, p);
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
    // Always the asset, then the improvement, then its yearly row: two saves
    // of the same asset take the locks in one order.
    if (carga.bien && !g.bien.empty()) {
        const QString donde = QStringLiteral("CODIGO = ?");
        verificarSinCambios(con, *carga.bien, QStringLiteral("MA_BIENES"), donde, {carga.codigo});
        con.Actualizar(QStringLiteral("MA_BIENES"), g.bien, donde, {carga.codigo});
    }
    if (carga.id > 0 && carga.novedad && !g.novedad.empty()) {
        const QString donde = QStringLiteral("CODIGO = ? AND ID = ?");
        verificarSinCambios(con, *carga.novedad, QStringLiteral("MA_BIENES_NOVEDADES"), donde, {carga.codigo, carga.id});
        con.Actualizar(QStringLiteral("MA_BIENES_NOVEDADES"), g.novedad, donde, {carga.codigo, carga.id});
    }
    if (const Fila* f = carga.calculo(); f && !g.calculo.empty()) {
        const qint64 periodo = f->entero(QStringLiteral("PERIODO"));
        const QString donde = QStringLiteral("CODIGO = ? AND ID = ? AND PERIODO = ?");
        verificarSinCambios(con, *f, QStringLiteral("MV_CALCULO_BIENES"), donde, {carga.codigo, carga.id, periodo});
        con.Actualizar(QStringLiteral("MV_CALCULO_BIENES"), g.calculo, donde, {carga.codigo, carga.id, periodo});
    }
    t.confirmar();
}

} // namespace vexa::bienes
