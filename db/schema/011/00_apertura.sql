-- Opening-balance lines of a fiscal year are few among its lines: a partial
-- index finds them (the inflation adjustment restates them per account).
CREATE INDEX IX_MV_ASIENTOS_APERTURA ON MV_ASIENTOS (PERIODO, CUENTA) WHERE ES_SALDO_APERTURA = 1;
-- The adjustment sums a year's lines per account, month and side. SQLite reads
-- them from this index alone (the table holds every column of every line);
-- PostgreSQL scans the table faster than it would visit an index.
--@sqlite CREATE INDEX IX_MV_ASIENTOS_FECHA_CUENTA ON MV_ASIENTOS ([FECHA], CUENTA, [DEBE-HABER], ESRESUMEN, ESAJUSTE, ES_SALDO_APERTURA, IMPORTE);
