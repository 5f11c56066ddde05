-- Company database schema, version 1 (the baseline): the files of this folder are
-- applied in file-name order to SQLite and PostgreSQL, then the later steps
-- (db/schema/002, ...; see db/README.md).
-- Types written here are neutral and translated when applied:
--   TEXTO / TEXTO(n)  text key or name: compared without regard to case and trailing blanks
--   MEMO              long free text
--   MONEDA            amount with four decimals (exact)
--   FECHA, FECHAHORA  date, date and time
--   ENTERO, LARGO     32-bit, 64-bit integer
--   LOGICO            flag 0/1
--   DOBLE             floating point (rates and coefficients only)
--   AUTOID            identity primary key
-- Lines starting with "--@pg " or "--@sqlite " are kept only for that backend.
-- Statements end with ";" at the end of a line.

--@pg CREATE COLLATION IF NOT EXISTS vexa_ci (provider = icu, locale = 'und-u-ks-level2', deterministic = false);

CREATE TABLE TA_CONFIGURACION (
  CLAVE TEXTO(100) NOT NULL PRIMARY KEY,
  VALOR MEMO
);
