-- Reception log: one row per reception run (interface files and the commercial
-- system alike). The run writes its row when it starts, which reserves ID (the
-- key refuses a second run with the same number), and keeps the counts up to
-- date: REGISTROS_LEIDOS lines recorded, REGISTROS_IGNORADOS lines rejected,
-- TOTAL_LINEAS their sum, written when the run ends (NULL while it runs, and
-- for good when the run was killed). MV_ASIENTOS.NRO_Transmision of every posted line holds
-- the run's ID. ANULADA is set when the run is cancelled.
CREATE TABLE TESTIGO_RECEPCION (
  ID ENTERO NOT NULL PRIMARY KEY,
  FECHA_HORA FECHAHORA,
  USUARIO TEXTO(100),
  ARCHIVO MEMO,
  REGISTROS_LEIDOS ENTERO DEFAULT 0,
  REGISTROS_IGNORADOS ENTERO DEFAULT 0,
  TOTAL_LINEAS ENTERO DEFAULT 0,
  ANULADA LOGICO DEFAULT 0
);
