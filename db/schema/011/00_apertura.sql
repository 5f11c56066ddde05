-- Opening-balance lines of a fiscal year are few among its lines: a partial
-- index finds them (the inflation adjustment restates them per account).
CREATE INDEX IX_MV_ASIENTOS_APERTURA ON MV_ASIENTOS (PERIODO, CUENTA) WHERE ES_SALDO_APERTURA = 1;
