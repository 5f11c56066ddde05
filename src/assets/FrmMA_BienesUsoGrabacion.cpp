// The register window's accept: the record of what it shows and the
// initial load's save.
#include "FrmMA_BienesUso.h"

#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "GrabacionBienes.h"
#include "Lectores.h"
#include "RegBienUso.h"
#include "ReglasBienes.h"
#include "Utilidades.h"

#include <QGroupBox>
#include <QLineEdit>

namespace vexa {

using namespace plataforma;

namespace {

const QString kAviso = QStringLiteral("Aviso al Operador...");
QString recortar(const QString& s) { return texto::recortar(s); }

} // namespace

void FrmMA_BienesUso::Asignar_Registro(bool ajustar)
{
    auto limpio = [](const QString& s) {
        QString t = s;
        t.remove(QChar(u'\0'));
        return recortar(t);
    };
    auto importe = [&](const QString& s) {
        const QString t = limpio(s);
        return t.isEmpty() ? QStringLiteral("0.00") : bienes::FormatoImporte(t);
    };
    auto poner = [this](const char* campo, const QString& v) { buso(QString::fromLatin1(campo))->setText(v); };
    const RegBienUso& r = BienUso;
    if (ajustar && !EsCargaInicial) {
        // The dialog shows the asset's own frames only; hiding is idempotent,
        // so the window keeps one size however often this runs.
        frmBusoNovedades->hide();
        FrmCalculo->hide();
        resize(width(), sizeHint().height()); // keeps the width: only the hidden frames go
    }
    poner("CODIGO", limpio(r.Codigo.crudo()));
    poner("CUENTA_CONTABLE", limpio(r.CuentaContable.crudo()));
    poner("CUENTA_EJERCICIO", limpio(r.CuentaEjercicio.crudo()));
    poner("CUENTA_ACUMULADA", limpio(r.CuentaAcumulada.crudo()));
    if (ajustar) {
        const auto deps = bienes::CuentasDeDepreciacion(ctx_.con(), buso(QStringLiteral("CUENTA_CONTABLE"))->text());
        poner("CUENTA_EJERCICIO", deps.ejercicio);
        poner("CUENTA_ACUMULADA", deps.acumulada);
    }
    poner("FECHA_COMPRA", limpio(r.FechaCompra.crudo()));
    poner("COSTO", importe(r.Costo.crudo()));
    poner("VALOR_RESIDUAL", importe(r.ValorResidual.crudo()));
    poner("FECHA_REVALUACION", limpio(r.FechaRevaluacion.crudo()));
    poner("IMPORTE", importe(r.Importe.crudo()));
    poner("VIDA_UTIL", limpio(r.VidaUtil.crudo()));
    poner("PORCENTAJE", limpio(r.Porcentaje.crudo()));
    poner("UBICACION", limpio(r.Ubicacion.crudo()));
    poner("AFECTA", limpio(r.Afecta.crudo()));
    poner("DESCRIPCION", limpio(r.Descripcion.crudo()));
    poner("FECHA_BAJA", limpio(r.FechaBaja.crudo()));
    poner("MOTIVO", limpio(r.Motivo));
    poner("VALOR_RECUPERO", importe(r.ValorRecupero.crudo()));
    if (ajustar) {
        for (const char* c : {"NOVEDAD_ID", "NOVEDAD_DETALLE", "NOVEDAD_FECHA", "NOVEDAD_IMPORTE"}) poner(c, QString());
        if (!EsCargaInicial) poner("PERIODO", recortar(ctx_.periodoActivo()));
    } else {
        const QString id = limpio(r.NovedadId.crudo());
        poner("NOVEDAD_ID", lectura::entero(id).o(0) != 0
                                ? id
                                : recortar(ctx_.configuracion().IdMejoraBien(buso(QStringLiteral("CODIGO"))->text())));
        poner("NOVEDAD_DETALLE", limpio(r.NovedadDetalle.crudo()));
        poner("NOVEDAD_FECHA", limpio(r.NovedadFecha.crudo()));
        poner("NOVEDAD_IMPORTE", importe(r.NovedadImporte.crudo()));
    }
    poner("NOVEDAD_VIDA_UTIL", limpio(r.NovedadVidaUtil.crudo()));
    poner("NOVEDAD_PORCENTAJE", limpio(r.NovedadPorcentaje.crudo()));
}

// What the save stores, read from the boxes by the readers of their kinds.
bienes::GrabacionBien FrmMA_BienesUso::leerGrabacion() const
{
    auto texto = [this](const char* c) { return buso(QString::fromLatin1(c))->text(); };
    auto textoCalculo = [this](const char* c) { return calculo(QString::fromLatin1(c))->text(); };
    auto fecha = [](const QString& t) { return lectura::fecha(t).o(QDate()); };
    auto importe = [](const QString& t) { return lectura::importe(t).o(Moneda()); };
    auto decimal = [](const QString& t) { return lectura::decimal(t).o(0.0); };
    auto entero = [](const QString& t) { return lectura::entero(t).o(0); };
    bienes::GrabacionBien g;
    g.periodoActivo = ctx_.periodo();
    g.sinPlanilla = SinPlanilla;
    g.codigo = entero(texto("CODIGO"));
    g.serie = texto("SERIE");
    g.cuentaContable = texto("CUENTA_CONTABLE");
    g.cuentaEjercicio = texto("CUENTA_EJERCICIO");
    g.cuentaAcumulada = texto("CUENTA_ACUMULADA");
    g.fechaCompra = fecha(texto("FECHA_COMPRA"));
    g.costo = importe(texto("COSTO"));
    g.vidaUtil = decimal(texto("VIDA_UTIL"));
    g.porcentaje = decimal(texto("PORCENTAJE"));
    g.ubicacion = texto("UBICACION");
    g.afecta = texto("AFECTA");
    g.descripcion = texto("DESCRIPCION");
    g.periodo = entero(texto("PERIODO"));
    g.valorRecupero = importe(texto("VALOR_RECUPERO"));
    g.idMejora = entero(texto("NOVEDAD_ID"));
    g.fechaMejora = fecha(texto("NOVEDAD_FECHA"));
    g.detalleMejora = texto("NOVEDAD_DETALLE");
    g.vidaUtilMejora = decimal(texto("NOVEDAD_VIDA_UTIL"));
    g.porcentajeMejora = decimal(texto("NOVEDAD_PORCENTAJE"));
    g.fechaBaja = fecha(texto("FECHA_BAJA"));
    g.motivo = texto("MOTIVO");
    g.planilla.fechaCierre = fecha(textoCalculo("FECHA_CIERRE"));
    g.planilla.meses = entero(textoCalculo("PERIODO_CALCULO"));
    g.planilla.costoInicio = importe(textoCalculo("COSTO_INICIO"));
    g.planilla.coeficiente = decimal(textoCalculo("COEFICIENTE"));
    g.planilla.depEjercicio = importe(textoCalculo("DEP_EJERCICIO"));
    g.planilla.depAcumulada = importe(textoCalculo("DEP_ACUMULADA"));
    return g;
}

void FrmMA_BienesUso::Actualizar_Datos()
{
    if (!DatosValidos()) return;
    bienes::GrabacionBien g = leerGrabacion();
    const QString id = buso(QStringLiteral("NOVEDAD_ID"))->text(), baja = buso(QStringLiteral("FECHA_BAJA"))->text();
    if (EsAlta) g.modo = bienes::ModoGrabacion::Alta;
    else if (EsNovedad) g.modo = id.isEmpty() ? g.modo : bienes::ModoGrabacion::Mejora;
    else if (EsBaja && !baja.isEmpty()) g.modo = bienes::ModoGrabacion::Baja;
    if (g.modo == bienes::ModoGrabacion::Mejora) {
        // Stored as 0 an improvement would depreciate nothing.
        const auto costo = lectura::importe(buso(QStringLiteral("NOVEDAD_IMPORTE"))->text());
        if (!costo.valido()) {
            HayError = true;
            dialogos().MsgBox(QStringLiteral("El Costo informado no es válido!!!"), vbCritical, kAviso);
            buso(QStringLiteral("NOVEDAD_IMPORTE"))->setFocus();
            return;
        }
        g.costoMejora = costo.valor;
    }
    grabar(g);
}

// Nothing is stored until the whole save is: an error keeps every field
// as typed; Retry runs the whole save again.
void FrmMA_BienesUso::grabar(const bienes::GrabacionBien& g)
{
    HayError = true;
    for (;;) {
        try {
            const bienes::ResultadoGrabacion r = bienes::GrabarBien(ctx_.con(), g);
            HayError = false;
            if (g.modo == bienes::ModoGrabacion::Alta && r.codigo != g.codigo)
                dialogos().MsgBox(QStringLiteral("El Bien de Uso se grabó con el Nº Control Interno ") + QString::number(r.codigo),
                                  vbInformation, kAviso);
            if (g.modo == bienes::ModoGrabacion::Mejora && r.id != g.idMejora)
                dialogos().MsgBox(QStringLiteral("La Mejora se grabó con el Nº Id. Mejoras ") + QString::number(r.id),
                                  vbInformation, kAviso);
            return;
        } catch (const bienes::BienInexistente& e) {
            dialogos().MsgBox(e.descripcion(), vbExclamation, kAviso);
            return;
        } catch (const std::exception& e) {
            if (Utilidades::ManejaError(e, QStringLiteral("Actualizar_Datos")) != vbRetry) return;
        }
    }
}

void FrmMA_BienesUso::CmdBusoAceptar_Click()
{
    // The record holds the boxes before any check, whatever it answers.
    auto t = [this](const char* c) { return buso(QString::fromLatin1(c))->text(); };
    RegBienUso& r = BienUso;
    r.Codigo = t("CODIGO");
    r.CuentaContable = t("CUENTA_CONTABLE");
    r.CuentaEjercicio = t("CUENTA_EJERCICIO");
    r.Serie = t("SERIE");
    r.CuentaAcumulada = t("CUENTA_ACUMULADA");
    r.FechaCompra = t("FECHA_COMPRA");
    r.Costo = t("COSTO");
    r.ValorResidual = t("VALOR_RESIDUAL");
    r.FechaRevaluacion = t("FECHA_REVALUACION");
    r.Importe = t("IMPORTE");
    r.VidaUtil = t("VIDA_UTIL");
    r.Porcentaje = t("PORCENTAJE");
    r.Ubicacion = t("UBICACION");
    r.Afecta = t("AFECTA");
    r.Descripcion = t("DESCRIPCION");
    r.FechaBaja = t("FECHA_BAJA");
    r.Motivo = t("MOTIVO");
    r.NovedadId = t("NOVEDAD_ID");
    r.NovedadDetalle = t("NOVEDAD_DETALLE");
    r.NovedadFecha = t("NOVEDAD_FECHA");
    r.NovedadImporte = t("NOVEDAD_IMPORTE");
    r.NovedadPorcentaje = t("NOVEDAD_PORCENTAJE");
    r.NovedadVidaUtil = t("NOVEDAD_VIDA_UTIL");
    r.ValorRecupero = t("VALOR_RECUPERO");
    if (EsCargaInicial) {
        Actualizar_Datos();
        if (!HayError) {
            Inicializa();
            Datos_CargaInicial();
        }
        return;
    }
    if (DatosValidos()) {
        int cancel = 0;
        Form_Unload(cancel);
    }
}

} // namespace vexa
