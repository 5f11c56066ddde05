#pragma once
// Shared helpers for the journal tests: entry lines and fiscal years written directly.
#include "BaseDePrueba.h"
#include "EstadoGlobal.h"
#include "Lbc_Asiento.h"

#include <QDate>

namespace vexa::prueba {

// Writes one line of an entry (the other columns keep their defaults).
inline void lineaAsiento(Conexion& c, int periodo, int mes, int nro, int sec, const QString& tipoReg = QString(),
                         Valores extra = {})
{
    Valores v{{"PERIODO", periodo}, {"MES_OPERATIVO", mes}, {"[NUMERO ASIENTO]", nro}, {"SECUENCIA", sec}, {"TIPO_REG", tipoReg}};
    for (auto& e : extra) v.push_back(e);
    c.Insertar("MV_ASIENTOS", v);
}

// Journal tests start with the active period not loaded (read from "PERIODO").
class BaseAsientos : public BaseDePrueba {
protected:
    void SetUp() override
    {
        BaseDePrueba::SetUp();
    }
};

// The active period as the connection sets it.
inline void fijarPeriodoActivo(Conexion& c, const QString& periodo)
{
    c.EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE = ?", {"PERIODO"});
    c.Insertar("TA_CONFIGURACION", {{"CLAVE", "PERIODO"}, {"VALOR", periodo}});
}

inline void fijarValor(Conexion& c, const QString& clave, const QVariant& valor)
{
    c.EjecutarSQL("DELETE FROM TA_CONFIGURACION WHERE CLAVE = ?", {clave});
    if (valor.isValid()) c.Insertar("TA_CONFIGURACION", {{"CLAVE", clave}, {"VALOR", valor}});
}

} // namespace vexa::prueba
