#pragma once
// The voucher and fiscal-year questions of the journal, as rules that throw:
// a database error always reaches the caller (ErrorBD) and is never read as an
// answer ("not posted", "does not number its own vouchers", ...). No box is
// ever shown here. Lbc_Asiento is the facade the windows use: it runs these
// under the central error handler and keeps the answers its operations give
// after an error.
#include "Conexion.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace vexa {

// Said when the company has no fiscal year (or none for the active period).
inline const QString kMensajeSinEjercicios =
    QStringLiteral("No se han creado Ejercicios!!!\rPara crear un Ejercicio debe hacerlo desde la configuración del sistema");

class ReglasAsientos {
public:
    // 'periodoActivo': the fiscal year in use (ContextoEmpresa::periodoActivo);
    // empty: the configuration value "PERIODO".
    explicit ReglasAsientos(Conexion& con, QString periodoActivo = QString());

    QString periodoActivo();

    // The last inflation-adjustment entry of the active year: the latest
    // closing month (Ajuste_Hasta, "MM/AAAA"; a text that is no month counts
    // as the earliest), then the highest entry number. nullopt when the year
    // holds no adjustment row.
    struct Ajuste {
        QDate fecha;
        QString hasta;    // Ajuste_Hasta as stored
        qint32 numero = 0; // NUMERO ASIENTO
    };
    std::optional<Ajuste> UltimoAjuste();

    // Lbc_Asiento::ComprobanteEntrada: true when the type does not number its own
    // vouchers (also when the type does not exist).
    bool ComprobanteEntrada(const QString& TC);
    // Lbc_Asiento::ExisteEnMVAsientos.
    bool ExisteEnMVAsientos(const QString& TC, const QString& Suc, const QString& Nro, const QString& L,
                            const QVariant& Proveedor = QVariant());
    bool ValidaSubdiarioTC(const QString& Subdiario, const QString& TC);
    bool ValidaTCRegistraciones(const QString& TC);
    // 1, -1, or 0 when the type does not exist.
    qint16 SignoComprobante(const QString& TC);
    QDate FechaHastaUltimoPeriodo();
    bool ExistenMovFueraPeriodo(const QString& Periodo, const QString& NFecha_Desde, const QString& NFecha_Hasta);
    // Default branch and last number of letter 'letra' of the type; false when the type does not exist.
    bool DatosComprobante(const QString& TC, const QString& letra, QString& Suc, QString& Nro);
    // Whether the summary entry "MM-ID" of the sub-journal has been reversed.
    bool AsientoResumenAnulado(const QString& Subdiario, const QString& NroAsiento_ConFomato);

    // Lbc_Asiento::ValidaEstadoPeriodoActual: whether the active year may take
    // entries (no year at all, the active year closed or cancelled, or the year
    // before it still open refuse, with Mensaje). An active year without a row
    // passes. Optional outputs as there (nullptr: left out).
    bool EstadoPeriodoActual(QString& Mensaje, QVariant* lCierre = nullptr, QVariant* lCancelacion = nullptr,
                             QVariant* lNoCreado = nullptr);

    // Lbc_Asiento::ValidaComprobante without the question: under automatic
    // numbering a duplicate asks 'aceptaSiguiente' whether to move on to the
    // number offered (the text "0001-00000126A").
    bool ValidaComprobante(const QString& TC, const QString& Sucursal, QString& Numero, const QString& Letra,
                           QString& Mensaje, QString& MesOp, QString& NroAsiento,
                           const std::function<bool(const QString& numeroOfrecido)>& aceptaSiguiente);

private:
    Conexion& con_;
    QString periodo_;
};

} // namespace vexa
