-- Daily exchange rates, sub-journals and the fixed-asset tables the year-end
-- pre-checks read. Text columns are declared the way db/schema/003 left them
-- (SQLite: VARCHAR(n) COLLATE NOCASE; PostgreSQL: the case-insensitive key
-- type), each with its width check.

-- One row per calendar day; a stored time part does not make a second row of
-- the same day (the unique index is on the day itself).
CREATE TABLE TA_COTIZACION (
  ID AUTOID,
  FECHA_HORA FECHAHORA NOT NULL,
  Moneda1 MONEDA,
  Moneda2 MONEDA,
  Moneda3 MONEDA,
  Moneda4 MONEDA,
  Moneda5 MONEDA
);
--@sqlite CREATE UNIQUE INDEX UX_TA_COTIZACION_DIA ON TA_COTIZACION (date(FECHA_HORA));
--@pg CREATE UNIQUE INDEX UX_TA_COTIZACION_DIA ON TA_COTIZACION ((CAST(FECHA_HORA AS DATE)));

-- Sub-journals (maintained by a companion program).
CREATE TABLE MA_SUBDIARIOS (
--@sqlite   CODIGO VARCHAR(10) COLLATE NOCASE NOT NULL PRIMARY KEY CONSTRAINT "largo CODIGO 10" CHECK (length(CODIGO) <= 10)
--@pg   CODIGO BPCHAR COLLATE vexa_ci NOT NULL PRIMARY KEY CONSTRAINT "largo CODIGO 10" CHECK (length(CODIGO) <= 10)
);

-- Lines of a sub-journal not yet included in a summary entry, by trimmed,
-- upper-cased code and year: the closing pre-check looks them up.
CREATE INDEX IX_MV_ASIENTOS_PENDIENTES ON MV_ASIENTOS (UPPER(TRIM(TIPO_REG)), PERIODO) WHERE CONTABILIZADO IS NULL OR CONTABILIZADO = 0;

-- Fixed assets, their improvements and their depreciation calculations. An
-- asset's code is a text key (up to 15 characters) like every other CODIGO.
CREATE TABLE MA_BIENES (
--@sqlite   CODIGO VARCHAR(15) COLLATE NOCASE NOT NULL PRIMARY KEY CONSTRAINT "largo CODIGO 15" CHECK (length(CODIGO) <= 15),
--@pg   CODIGO BPCHAR COLLATE vexa_ci NOT NULL PRIMARY KEY CONSTRAINT "largo CODIGO 15" CHECK (length(CODIGO) <= 15),
--@sqlite   Serie VARCHAR(20) COLLATE NOCASE CONSTRAINT "largo Serie 20" CHECK (length(Serie) <= 20),
--@pg   Serie BPCHAR COLLATE vexa_ci CONSTRAINT "largo Serie 20" CHECK (length(Serie) <= 20),
--@sqlite   Cuenta_Contable VARCHAR(15) COLLATE NOCASE CONSTRAINT "largo Cuenta_Contable 15" CHECK (length(Cuenta_Contable) <= 15),
--@pg   Cuenta_Contable BPCHAR COLLATE vexa_ci CONSTRAINT "largo Cuenta_Contable 15" CHECK (length(Cuenta_Contable) <= 15),
--@sqlite   Cuenta_Ejercicio VARCHAR(15) COLLATE NOCASE CONSTRAINT "largo Cuenta_Ejercicio 15" CHECK (length(Cuenta_Ejercicio) <= 15),
--@pg   Cuenta_Ejercicio BPCHAR COLLATE vexa_ci CONSTRAINT "largo Cuenta_Ejercicio 15" CHECK (length(Cuenta_Ejercicio) <= 15),
--@sqlite   Cuenta_Acumulada VARCHAR(15) COLLATE NOCASE CONSTRAINT "largo Cuenta_Acumulada 15" CHECK (length(Cuenta_Acumulada) <= 15),
--@pg   Cuenta_Acumulada BPCHAR COLLATE vexa_ci CONSTRAINT "largo Cuenta_Acumulada 15" CHECK (length(Cuenta_Acumulada) <= 15),
  Fecha_Compra FECHA,
  COSTO MONEDA,
  VALOR_RESIDUAL MONEDA,
  FECHA_REVALUACION FECHA,
  IMPORTE MONEDA,
  PERIODO_REVALUACION ENTERO,
  Vida_Util ENTERO DEFAULT 0,
--@sqlite   Porcentaje VARCHAR(10) COLLATE NOCASE CONSTRAINT "largo Porcentaje 10" CHECK (length(Porcentaje) <= 10),
--@pg   Porcentaje BPCHAR COLLATE vexa_ci CONSTRAINT "largo Porcentaje 10" CHECK (length(Porcentaje) <= 10),
--@sqlite   Ubicacion VARCHAR(255) COLLATE NOCASE CONSTRAINT "largo Ubicacion 255" CHECK (length(Ubicacion) <= 255),
--@pg   Ubicacion BPCHAR COLLATE vexa_ci CONSTRAINT "largo Ubicacion 255" CHECK (length(Ubicacion) <= 255),
--@sqlite   Afecta VARCHAR(255) COLLATE NOCASE CONSTRAINT "largo Afecta 255" CHECK (length(Afecta) <= 255),
--@pg   Afecta BPCHAR COLLATE vexa_ci CONSTRAINT "largo Afecta 255" CHECK (length(Afecta) <= 255),
--@sqlite   Descripcion VARCHAR(255) COLLATE NOCASE CONSTRAINT "largo Descripcion 255" CHECK (length(Descripcion) <= 255),
--@pg   Descripcion BPCHAR COLLATE vexa_ci CONSTRAINT "largo Descripcion 255" CHECK (length(Descripcion) <= 255),
  Periodo ENTERO,
  Valor_Recupero MONEDA,
  PERIODO_TIEMPO ENTERO DEFAULT 0,
  FECHA_BAJA FECHA,
  MOTIVO MEMO,
  Nro_Asiento ENTERO
);
CREATE INDEX IX_MA_BIENES_EN_USO ON MA_BIENES (Periodo) WHERE FECHA_BAJA IS NULL;

CREATE TABLE MA_BIENES_NOVEDADES (
--@sqlite   CODIGO VARCHAR(15) COLLATE NOCASE NOT NULL CONSTRAINT "largo CODIGO 15" CHECK (length(CODIGO) <= 15),
--@pg   CODIGO BPCHAR COLLATE vexa_ci NOT NULL CONSTRAINT "largo CODIGO 15" CHECK (length(CODIGO) <= 15),
  ID ENTERO NOT NULL,
  Fecha FECHA,
  COSTO MONEDA,
  Valor_Recupero MONEDA,
--@sqlite   Descripcion VARCHAR(255) COLLATE NOCASE CONSTRAINT "largo Descripcion 255" CHECK (length(Descripcion) <= 255),
--@pg   Descripcion BPCHAR COLLATE vexa_ci CONSTRAINT "largo Descripcion 255" CHECK (length(Descripcion) <= 255),
  Vida_Util ENTERO DEFAULT 0,
  Porcentaje DOBLE,
  Periodo ENTERO,
  Mes_Operativo ENTERO DEFAULT 0,
--@sqlite   Tipo_Reg VARCHAR(10) COLLATE NOCASE DEFAULT '' CONSTRAINT "largo Tipo_Reg 10" CHECK (length(Tipo_Reg) <= 10),
--@pg   Tipo_Reg BPCHAR COLLATE vexa_ci DEFAULT '' CONSTRAINT "largo Tipo_Reg 10" CHECK (length(Tipo_Reg) <= 10),
  Nro_Asiento ENTERO DEFAULT 0,
  PRIMARY KEY (CODIGO, ID)
);

-- ID 0: the asset itself; n: its improvement n. One row per year.
CREATE TABLE MV_CALCULO_BIENES (
--@sqlite   CODIGO VARCHAR(15) COLLATE NOCASE NOT NULL CONSTRAINT "largo CODIGO 15" CHECK (length(CODIGO) <= 15),
--@pg   CODIGO BPCHAR COLLATE vexa_ci NOT NULL CONSTRAINT "largo CODIGO 15" CHECK (length(CODIGO) <= 15),
  ID ENTERO NOT NULL,
  Periodo ENTERO NOT NULL,
--@sqlite   Cuenta VARCHAR(15) COLLATE NOCASE CONSTRAINT "largo Cuenta 15" CHECK (length(Cuenta) <= 15),
--@pg   Cuenta BPCHAR COLLATE vexa_ci CONSTRAINT "largo Cuenta 15" CHECK (length(Cuenta) <= 15),
--@sqlite   FECHA_CIERRE VARCHAR(10) COLLATE NOCASE CONSTRAINT "largo FECHA_CIERRE 10" CHECK (length(FECHA_CIERRE) <= 10),
--@pg   FECHA_CIERRE BPCHAR COLLATE vexa_ci CONSTRAINT "largo FECHA_CIERRE 10" CHECK (length(FECHA_CIERRE) <= 10),
  PERIODO_DE_CALCULO ENTERO DEFAULT 0,
  CA_VC MONEDA,
  COSTO MONEDA,
  COEFICIENTE DOBLE,
  PORCENTAJE_DEP DOBLE,
  DEP_EJERCICIO MONEDA,
  DEP_ACUMULADA MONEDA,
  VALOR_RECUPERO MONEDA,
  PRIMARY KEY (CODIGO, ID, Periodo)
);
