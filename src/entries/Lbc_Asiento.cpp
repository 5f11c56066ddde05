#include "Lbc_Asiento.h"

namespace vexa {

Lbc_Asiento::Lbc_Asiento(Conexion* conexion) : con_(conexion) {}
Conexion& Lbc_Asiento::con() { return con_ ? *con_ : Conexion::instancia(); }

void Lbc_Asiento::UltimoAjuste(QString& Fecha, QString& Periodo, QVariant& NroAsiento) { Fecha.clear(); Periodo.clear(); NroAsiento = 0; }
void Lbc_Asiento::EjercicioRango(QString& FhDesde, QString& FhHasta, const QVariant&) { FhDesde.clear(); FhHasta.clear(); }
QVariant Lbc_Asiento::EliminaCarNroAsiento(const QString& QueAsiento, const QVariant&, const QVariant&) { return QueAsiento; }
QVariant Lbc_Asiento::FechaValidada(const QString&, QString&, bool&) { return {}; }
qint32 Lbc_Asiento::UltimoNumeroAsiento(const QVariant&, const QVariant&, const QVariant&) { return 1; }
qint32 Lbc_Asiento::TomarNumeroAsiento(const QVariant&, const QVariant&, const QVariant&) { return 1; }
QString Lbc_Asiento::FamiliaNumeracion(const QString& tipoReg) { return tipoReg; }
QString Lbc_Asiento::ClaveFamilia(const QString& periodo, int mes, const QString& familia) { return periodo + QString::number(mes) + familia; }
QString Lbc_Asiento::TipoRegResumen() { return QString(QChar(0xFF)) + QStringLiteral("RS"); }
QString Lbc_Asiento::FormatDisplayNroAsiento(const QVariant&, const QDate&) { return {}; }
QString Lbc_Asiento::FormatNroAsiento(const QString&) { return {}; }
QString Lbc_Asiento::FMTNroAsiento(const QString& NroAsiento) { return NroAsiento; }
bool Lbc_Asiento::ValidaEstadoPeriodoActual(QString&, QVariant*, QVariant*, QVariant*) { return true; }
QDate Lbc_Asiento::FechaHastaUltimoPeriodo() { return {}; }
bool Lbc_Asiento::ValidaRangoFechaEjercicio(const QString&, const QString&, const QVariant&) { return true; }
bool Lbc_Asiento::EjercicioAnteriorCerrado(QString&) { return true; }
bool Lbc_Asiento::ExistenMovFueraPeriodo(const QString&, const QString&, const QString&) { return false; }
bool Lbc_Asiento::ValidaFechaSubdiario(const QString&, const QString&) { return true; }
bool Lbc_Asiento::ValidaSubdiarioTC(const QString&, const QString&) { return false; }
void Lbc_Asiento::DatosComprobante(const QString&, QString&, QString&, QString&) {}
QString Lbc_Asiento::DeterminaLetra(const QString&) { return QStringLiteral("Z"); }
bool Lbc_Asiento::ValidaComprobante(const QString&, const QString&, QString&, const QString&, QString&, QString&, QString&) { return true; }
bool Lbc_Asiento::ComprobanteEntrada(const QString&) { return true; }
bool Lbc_Asiento::AsientoResumenAnulado(const QString&, const QString&) { return false; }
bool Lbc_Asiento::ValidaTCRegistraciones(const QString&) { return false; }
bool Lbc_Asiento::ExisteEnMVAsientos(const QString&, const QString&, const QString&, const QString&, const QVariant&) { return false; }
QString Lbc_Asiento::FormatoNumeroComprobante(const QString&, const QString&, const QString&) { return {}; }
qint16 Lbc_Asiento::SignoComprobante(const QString&) { return 0; }
QString Lbc_Asiento::PeriodoActivo() { return {}; }

QString FormatoNumeroComprobante(const QString& s, const QString& n, const QString& l) { return Lbc_Asiento::FormatoNumeroComprobante(s, n, l); }
qint16 SignoComprobante(const QString& TC, Conexion* conexion) { return Lbc_Asiento(conexion).SignoComprobante(TC); }

} // namespace vexa
