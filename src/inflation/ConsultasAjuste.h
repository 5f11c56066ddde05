#pragma once
// The company's answers to the adjustment header's checks (CamposAjuste.h),
// through the entry rules service, the configuration and the settings file.
#include "CamposAjuste.h"
#include "Lbc_Asiento.h"

namespace vexa {

class ContextoEmpresa;

class ConsultasAjusteEmpresa : public ajuste::ConsultasCabecera {
public:
    explicit ConsultasAjusteEmpresa(ContextoEmpresa& ctx);

    bool existeCuenta(const QString& codigo) override;
    QString descripcionCuenta(const QString& codigo) override;
    QString letras(const QString& tc, bool soloContable) override;
    QString descripcionComprobante(const QString& tc) override;
    bool comprobanteEntrada(const QString& tc) override;
    void datosComprobante(const QString& tc, QString& sucursal, QString& numero, QString& letra) override;
    bool validaComprobante(const QString& tc, const QString& sucursal, QString& numero, const QString& letra,
                           QString& mensaje) override;
    bool fechaValida(const QString& fecha, QString& mensaje) override;
    QString numeroAsiento(const QDate& fecha, QString& numero) override;
    // A date of the configuration ("[FECHA DESDE]", "[FECHA HASTA]"); without a
    // value of its own, the active fiscal year's first or last day.
    QDate ejercicioDesde() override;
    QDate ejercicioHasta() override;
    void recordarComprobante(const QString& tc) override;
    // The voucher type proposed to a new entry (the last one typed).
    QString comprobanteRecordado();

private:
    QDate fechaConfiguracion(const QString& clave);

    ContextoEmpresa& ctx_;
    Lbc_Asiento asiento_;
};

} // namespace vexa
