-- Survey records: one row per reporting trade union. c901 (the 12-digit unit
-- code) identifies a record; every indicator is a REAL so that sums and
-- averages divide exactly.
CREATE TABLE dt_data (
    id INTEGER,
    c901 REAL NOT NULL,
    c902 VARCHAR(60),
    c903 INTEGER,
    c904 INTEGER,
    c905 VARCHAR(50),
    c906 VARCHAR(50),
    c907 INTEGER,
    RecordState INTEGER
);
CREATE UNIQUE INDEX dt_data_c901 ON dt_data (c901);

-- The database label: the first row names the unit that supplies the data.
CREATE TABLE ct_label (
    db_name VARCHAR(200)
);
