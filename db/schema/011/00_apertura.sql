-- Opening-balance lines of a fiscal year are few among its lines: a partial
-- index finds them (the inflation adjustment restates them per account).
CREATE INDEX IX_MV_ASIENTOS_APERTURA ON MV_ASIENTOS (PERIODO, CUENTA) WHERE ES_SALDO_APERTURA = 1;
-- The adjustment sums a year's lines per account, month and side. SQLite reads
-- them from this narrow index alone (the table holds every column of every
-- line). It begins with the numbering columns so that posting appends to it
-- as it does to the numbering index, instead of inserting all over it.
-- PostgreSQL scans the table faster than it would visit an index.
--@sqlite CREATE INDEX IX_MV_ASIENTOS_SUMAS ON MV_ASIENTOS (PERIODO, MES_OPERATIVO, FAMILIA, [NUMERO ASIENTO], SECUENCIA, [FECHA], CUENTA, [DEBE-HABER], ESRESUMEN, ESAJUSTE, ES_SALDO_APERTURA, IMPORTE);
