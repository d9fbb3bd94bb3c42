-- The blank database shipped beside the program as BLANK.FDB (schema version 1).
-- The build runs this script through the program's own database code, on a database
-- created with DEFAULT CHARACTER SET WIN1250. Start-up upgrades it to the current version
-- and creates the entity tables listed in TABELE, their keys, generators and the
-- ID_/IDF_ columns of "DATE".
--
-- Widths: codes of forms, pages and fields are short identifiers; every text a user types
-- or a profile line carries fits in 1024 characters (a value of 256 characters and more).

CREATE TABLE CONFID_DB (
  VERSIUNE INTEGER NOT NULL
);

INSERT INTO CONFID_DB (VERSIUNE) VALUES (1);

-- One row per profile line. LATIME_SUGERATA, COD_LINIE (version 2) and ORDINE
-- (version 3) are added by the upgrade.
CREATE TABLE PROFIL_DIPLOMA (
  COD_FORMULAR    VARCHAR(64) NOT NULL,
  COD_PAGINA      VARCHAR(64) NOT NULL,
  COD_CAMP        VARCHAR(64) NOT NULL,
  SIMILAR_CU      VARCHAR(200),
  ONOREZ_SIMILAR  VARCHAR(16),
  ETICHETA_EDITOR VARCHAR(1024),
  FORMULA         VARCHAR(1024),
  VIZIBIL         VARCHAR(16),
  TIP_DE_DATE     VARCHAR(64),
  ASOCIAT_CU      VARCHAR(63),
  GRUP            VARCHAR(256),
  CONSTRAINT PK_PROFIL_DIPLOMA PRIMARY KEY (COD_FORMULAR, COD_PAGINA, COD_CAMP)
);

-- One row per entity table.
CREATE TABLE TABELE (
  NUME_TABEL   VARCHAR(63) NOT NULL,
  EXP_DENUMIRE VARCHAR(1024),
  CONSTRAINT PK_TABELE PRIMARY KEY (NUME_TABEL)
);

INSERT INTO TABELE (NUME_TABEL, EXP_DENUMIRE) VALUES ('ELEVI', 'Elevi');
INSERT INTO TABELE (NUME_TABEL, EXP_DENUMIRE) VALUES ('SCOALA', 'Scoala');

CREATE TABLE TIPURI_DE_DATE (
  TIP_DE_DATE VARCHAR(64) NOT NULL,
  CONSTRAINT PK_TIPURI_DE_DATE PRIMARY KEY (TIP_DE_DATE)
);

-- The value table: one row per (field, record). "DATE" is a reserved word, always quoted.
CREATE TABLE "DATE" (
  COD_FORMULAR VARCHAR(64) NOT NULL,
  COD_PAGINA   VARCHAR(64) NOT NULL,
  COD_CAMP     VARCHAR(64) NOT NULL,
  VALOARE_TEXT VARCHAR(1024),
  VALOARE_NUM  DOUBLE PRECISION
);

-- Every value lookup starts from the field; the record columns are narrowed afterwards.
CREATE INDEX IX_DATE_CAMP ON "DATE" (COD_FORMULAR, COD_PAGINA, COD_CAMP);
