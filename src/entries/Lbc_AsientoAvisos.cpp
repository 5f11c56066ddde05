#include "Lbc_Asiento.h"

#include "Dialogos.h"
#include "ReglasAsientos.h"
#include "Utilidades.h"

#include <QCoreApplication>

// The facade's questions that run under the central error handler or tell the
// operator something: they need the dialog seam, so they build with it, apart
// from the rules (Lbc_Asiento.cpp) that the posting and the reception use.

namespace vexa {

using plataforma::dialogos;

namespace {

const QString kLetras = QStringLiteral("ABCXER");

QString tituloAplicacion() { return QCoreApplication::applicationName(); }

} // namespace

void Lbc_Asiento::EjercicioRango(QString& FhDesde, QString& FhHasta, const QVariant& Periodo)
{
    if (!RangoEjercicio(FhDesde, FhHasta, Periodo))
        dialogos().MsgBox(kMensajeSinEjercicios, plataforma::vbOKOnly, tituloAplicacion());
}

bool Lbc_Asiento::ValidaEstadoPeriodoActual(QString& Mensaje, QVariant* lCierre, QVariant* lCancelacion, QVariant* lNoCreado)
{
    bool resultado = false;
    EjecutarPasos(QStringLiteral("ValidaTCRegistraciones"), {[&] {
        resultado = reglas().EstadoPeriodoActual(Mensaje, lCierre, lCancelacion, lNoCreado);
    }}, {}, &con());
    return resultado;
}

QDate Lbc_Asiento::FechaHastaUltimoPeriodo()
{
    QDate r;
    EjecutarPasos(QStringLiteral("FechaHastaUltimoPeriodo"), {[&] { r = reglas().FechaHastaUltimoPeriodo(); }}, {}, &con());
    return r;
}

bool Lbc_Asiento::ExistenMovFueraPeriodo(const QString& Periodo, const QString& NFecha_Desde, const QString& NFecha_Hasta)
{
    bool r = false;
    EjecutarPasos(QStringLiteral("ExistenMovFueraPeriodo"),
                  {[&] { r = reglas().ExistenMovFueraPeriodo(Periodo, NFecha_Desde, NFecha_Hasta); }}, {}, &con());
    return r;
}

bool Lbc_Asiento::ValidaSubdiarioTC(const QString& Subdiario, const QString& TC)
{
    bool r = false;
    EjecutarPasos(QStringLiteral("ValidaSubdiarioTC"), {[&] { r = reglas().ValidaSubdiarioTC(Subdiario, TC); }}, {}, &con());
    return r;
}

void Lbc_Asiento::DatosComprobante(const QString& TC, QString& Suc, QString& Nro, QString& L)
{
    // Exactly one of the six letters: the column names are formed from it.
    const QString letra = texto::recortar(L).toUpper();
    if (letra.size() != 1 || !kLetras.contains(letra)) return;
    EjecutarPasos(QStringLiteral("DatosComprobante"), {[&] {
        if (!reglas().DatosComprobante(TC, letra, Suc, Nro)) {
            Suc.clear();
            Nro.clear();
            L.clear();
            return;
        }
        L = texto::recortar(L);
    }}, {}, &con());
}

bool Lbc_Asiento::ValidaComprobante(const QString& TC, const QString& Sucursal, QString& Numero, const QString& Letra,
                                    QString& Mensaje, QString& MesOp, QString& NroAsiento)
{
    // The operator answers whether to move on to the next free number.
    auto pregunta = [](const QString& numeroOfrecido) {
        return dialogos().MsgBox(QStringLiteral("El Comprobante Duplicado, el nuevo numero es: ") + numeroOfrecido,
                                 plataforma::vbYesNo | plataforma::vbExclamation, QStringLiteral("Atencion")) == plataforma::vbYes;
    };
    try {
        return reglas().ValidaComprobante(TC, Sucursal, Numero, Letra, Mensaje, MesOp, NroAsiento, pregunta);
    } catch (const std::exception& e) {
        dialogos().MsgBox(descripcionDeError(e), plataforma::vbOKOnly, tituloAplicacion());
    }
    return false;
}

bool Lbc_Asiento::ComprobanteEntrada(const QString& TC)
{
    bool r = false;
    EjecutarPasos(QStringLiteral("ComprobanteEntrada"), {[&] { r = reglas().ComprobanteEntrada(TC); }}, {}, &con());
    return r;
}

bool Lbc_Asiento::AsientoResumenAnulado(const QString& Subdiario, const QString& NroAsiento_ConFomato)
{
    bool r = false;
    EjecutarPasos(QStringLiteral("AsientoResumenAnulado"), {[&] {
        r = reglas().AsientoResumenAnulado(Subdiario, NroAsiento_ConFomato);
        if (r)
            dialogos().MsgBox(QStringLiteral("Este Asiento Resumen ya fue Contrasentado!!!"),
                              plataforma::vbOKOnly | plataforma::vbCritical, tituloAplicacion());
    }}, {}, &con());
    return r;
}

bool Lbc_Asiento::ValidaTCRegistraciones(const QString& TC)
{
    bool r = false;
    EjecutarPasos(QStringLiteral("ValidaTCRegistraciones"), {[&] { r = reglas().ValidaTCRegistraciones(TC); }}, {}, &con());
    return r;
}

bool Lbc_Asiento::ExisteEnMVAsientos(const QString& TC, const QString& Suc, const QString& Nro, const QString& L,
                                     const QVariant& Proveedor)
{
    bool r = false;
    EjecutarPasos(QStringLiteral("ValidaTCRegistraciones"),
                  {[&] { r = reglas().ExisteEnMVAsientos(TC, Suc, Nro, L, Proveedor); }}, {}, &con());
    return r;
}

qint16 Lbc_Asiento::SignoComprobante(const QString& TC)
{
    qint16 r = 0;
    EjecutarPasos(QStringLiteral("SignoComprobante"), {[&] { r = reglas().SignoComprobante(TC); }}, {}, &con());
    return r;
}

qint16 SignoComprobante(const QString& TC, Conexion& conexion) { return Lbc_Asiento(&conexion).SignoComprobante(TC); }

} // namespace vexa
