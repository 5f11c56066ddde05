#pragma once
// A few rows in each reference table, and a failure injected into a table's
// deletes or inserts, for the reference-table tests.
#include "Conexion.h"

namespace vexa::prueba {

inline void filasDeReferencia(Conexion& con)
{
    const char* sentencias[] = {
        "INSERT INTO TA_CONDIVA (CODIGO, DESCRIPCION) VALUES ('0001', 'Responsable Inscripto')",
        "INSERT INTO TA_CONDIVA (CODIGO, DESCRIPCION) VALUES ('0002', 'Exento')",
        "INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('0001', 'Administración')",
        "INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('0002', 'Ventas')",
        "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1101010010001', '0001', 60)",
        "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1101010010001', '0002', 40)",
        "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1102010010001', '0001', 100)",
        "INSERT INTO TA_MONEDAS (CODIGO, DESCRIPCION) VALUES ('1', 'Pesos')",
        "INSERT INTO TA_MONEDAS (CODIGO, DESCRIPCION) VALUES ('2', 'Dólares')",
        "INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES ('0001', 'Córdoba')",
        "INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES ('0002', 'Mendoza')",
        "INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES ('0003', 'Salta')",
        "INSERT INTO TA_TIPODOCUMENTO (CODIGO, DESCRIPCION) VALUES ('0001', 'D.N.I.')",
        "INSERT INTO TA_PAISES (CODIGO, DESCRIPCION) VALUES ('0001', 'Uruguay')",
        "INSERT INTO V_TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION, CantidadDias) VALUES (1, 'Contado', 0)",
        "INSERT INTO V_TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION, CantidadDias) VALUES (2, 'A convenir', NULL)",
        "INSERT INTO V_TA_CATEGORIA (IDCategoria, DESCRIPCION) VALUES (1, 'Mayorista')",
        "INSERT INTO V_TA_BANCOS (IDBanco, DESCRIPCION) VALUES (1, 'Banco Regional')",
    };
    for (const char* s : sentencias) con.EjecutarSQL(QString::fromUtf8(s));
}

// Every DELETE (or INSERT) on the table fails from now on.
inline void fallaEn(Conexion& con, const QString& tabla, const QString& operacion = QStringLiteral("DELETE"))
{
    if (con.motor() == Motor::SQLite) {
        con.EjecutarSQL(QStringLiteral("CREATE TRIGGER falla_inyectada BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'falla inyectada'); END")
                            .arg(operacion, tabla));
    } else {
        con.EjecutarSQL(QStringLiteral("CREATE FUNCTION falla_inyectada() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
                                       "'falla inyectada'; END $$ LANGUAGE plpgsql"));
        con.EjecutarSQL(QStringLiteral("CREATE TRIGGER falla_inyectada BEFORE %1 ON %2 FOR EACH ROW EXECUTE FUNCTION falla_inyectada()")
                            .arg(operacion, tabla));
    }
}

inline int contar(Conexion& con, const QString& sql, const Params& p = {}) { return con.Escalar(sql, p).toInt(); }

} // namespace vexa::prueba
