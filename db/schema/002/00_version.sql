-- The schema version of the company: one row, written when the schema is created
-- or brought up to date. Programs compare it with the version they know.
CREATE TABLE TA_VERSION_ESQUEMA (
  VERSION ENTERO NOT NULL,
  ACTUALIZADA FECHAHORA
);
