-- Purchase/sale conditions, customer categories and banks of the commercial
-- system, edited by the reference-table window: kept here as plain tables
-- under the names the commercial system gives its views. Keys are whole numbers.
CREATE TABLE V_TA_CPRA_VTA (
  IDCOND_CPRA_VTA ENTERO NOT NULL PRIMARY KEY,
  DESCRIPCION TEXTO(50),
  CantidadDias ENTERO,
  FECHAHORA_GRABACION FECHAHORA,
  FECHAHORA_MODIFICACION FECHAHORA
);
CREATE TABLE V_TA_CATEGORIA (
  IDCategoria ENTERO NOT NULL PRIMARY KEY,
  DESCRIPCION TEXTO(50),
  FECHAHORA_GRABACION FECHAHORA,
  FECHAHORA_MODIFICACION FECHAHORA
);
CREATE TABLE V_TA_BANCOS (
  IDBanco ENTERO NOT NULL PRIMARY KEY,
  DESCRIPCION TEXTO(50),
  FECHAHORA_GRABACION FECHAHORA,
  FECHAHORA_MODIFICACION FECHAHORA
);

-- Field lists of the additional-data views, read by other programs of the
-- suite: one row per field of a view, in the order of ID; a view saved without
-- fields keeps one row with an empty CAMPO. TIPOVISTA: CL customer, PR supplier,
-- BN bank, NN none.
CREATE TABLE TA_VISTAS (
  ID AUTOID,
  NOMBRE TEXTO(50) NOT NULL,
  CAMPO TEXTO(50),
  TIPOVISTA TEXTO(2)
);
CREATE INDEX IX_TA_VISTAS_NOMBRE ON TA_VISTAS (NOMBRE);
