-- The layout of the survey database. Names are spelled as the program's
-- statements spell them; SQLite matches them without regard to case.

-- Survey records: one row per reporting trade union. c901, the 12-digit unit
-- code, identifies a record and carries a unique index: imports rely on a
-- second row with the same code being refused. id is carried along with whole
-- rows but is no key, so rows imported from another unit never collide on it.
-- Every indicator is REAL: the summaries divide, and decimal fields share the
-- type with whole-number ones.

CREATE TABLE dt_data (
    id INTEGER,
    c901 REAL,
    c902 VARCHAR(60),
    c903 INTEGER,
    c904 INTEGER,
    c905 VARCHAR(50),
    c906 VARCHAR(50),
    c907 INTEGER,
    RecordState INTEGER,
    -- 表1 工会组织建设及民主参与状况
    z001 REAL, z002 REAL, z003 REAL, z004 REAL, z005 REAL, z006 REAL,
    z007 REAL, z008 REAL, z009 REAL, z010 REAL, z011 REAL,
    -- 表2 工会干部协管及教育培训工作
    x001 REAL, x002 REAL, x003 REAL, x004 REAL, x005 REAL, x006 REAL,
    x007 REAL, x008 REAL, x009 REAL, x010 REAL, x011 REAL, x012 REAL,
    x013 REAL, x014 REAL, x015 REAL, x016 REAL, x017 REAL, x018 REAL,
    -- 表3 工会权益保障及集体合同工作
    b001 REAL, b002 REAL, b003 REAL, b004 REAL, b005 REAL, b006 REAL,
    b007 REAL, b008 REAL, b009 REAL, b010 REAL, b011 REAL, b012 REAL,
    b013 REAL, b014 REAL, b015 REAL, b016 REAL, b017 REAL, b018 REAL,
    b019 REAL, b020 REAL, b021 REAL, b022 REAL, b023 REAL, b024 REAL,
    b025 REAL, b026 REAL, b027 REAL, b028 REAL, b029 REAL, b030 REAL,
    b031 REAL, b032 REAL, b033 REAL, b034 REAL, b035 REAL,
    -- 表4 工会法律工作
    f001 REAL, f002 REAL, f003 REAL, f004 REAL, f005 REAL, f006 REAL,
    f007 REAL, f008 REAL, f009 REAL, f010 REAL, f011 REAL, f012 REAL,
    f013 REAL, f014 REAL, f015 REAL, f016 REAL, f017 REAL, f018 REAL,
    -- 表5 工会劳动保护工作
    l001 REAL, l002 REAL, l003 REAL, l004 REAL, l005 REAL, l006 REAL,
    l007 REAL,
    -- 表6 工会经济技术工作
    j001 REAL, j002 REAL, j003 REAL, j004 REAL, j005 REAL, j006 REAL,
    j007 REAL, j008 REAL, j009 REAL, j010 REAL, j011 REAL, j012 REAL,
    j013 REAL, j014 REAL, j015 REAL, j016 REAL, j017 REAL, j018 REAL,
    j019 REAL,
    -- 表7 工会财务和经费审查工作
    s001 REAL, s002 REAL, s003 REAL, s004 REAL, s005 REAL, s006 REAL,
    s007 REAL, s008 REAL, s009 REAL, s010 REAL, s011 REAL, s012 REAL,
    s013 REAL, s014 REAL, s015 REAL, s016 REAL, s017 REAL, s018 REAL,
    s019 REAL, s020 REAL, s021 REAL,
    -- 表8 工会宣传教育和职工文化体育工作
    w001 REAL, w002 REAL, w003 REAL, w004 REAL, w005 REAL,
    -- 表9 工会社会联络工作
    e001 REAL, e002 REAL, e003 REAL, e004 REAL,
    -- 表10 工会网络工作
    n001 REAL, n002 REAL, n003 REAL,
    -- 表11 工会国际交流工作
    g001 REAL, g002 REAL, g003 REAL, g004 REAL,
    -- 附表1 工会干部队伍情况、附表1续 工会领导班子情况
    d001 REAL, d002 REAL, d003 REAL, d004 REAL, d005 REAL, d006 REAL,
    d007 REAL, d008 REAL, d009 REAL, d010 REAL, d011 REAL, d012 REAL,
    d013 REAL, d014 REAL, d015 REAL, d016 REAL, d017 REAL, d018 REAL,
    d019 REAL, d020 REAL, d021 REAL, d022 REAL, d023 REAL, d024 REAL,
    d025 REAL, d026 REAL, d027 REAL, d028 REAL, d029 REAL, d030 REAL,
    d031 REAL, d032 REAL, d033 REAL, d034 REAL, d035 REAL, d036 REAL,
    d037 REAL, d038 REAL, d039 REAL, d040 REAL, d041 REAL,
    -- 附表2 工会经费审查工作情况
    y001 REAL, y002 REAL, y003 REAL, y004 REAL, y005 REAL, y006 REAL,
    y007 REAL, y008 REAL, y009 REAL, y010 REAL, y011 REAL, y012 REAL
);
CREATE UNIQUE INDEX dt_data_c901 ON dt_data (c901);

-- The import's working table: the same columns, no unique code, so that rows
-- whose codes clash with existing records can stay here for the report.
CREATE TABLE dt_data_dt_data AS SELECT * FROM dt_data WHERE 0;

-- The field catalogue: one row per dt_data column that the program shows,
-- enters, checks, exports or prints.
CREATE TABLE dt_fieldlist (
    ID INTEGER PRIMARY KEY,
    FieldName VARCHAR(20) NOT NULL UNIQUE,
    ShowName VARCHAR(40),
    Hint VARCHAR(255),
    FieldWidth INTEGER,
    FieldType VARCHAR(20),
    Visible INTEGER NOT NULL DEFAULT 0,
    QueryShow INTEGER NOT NULL DEFAULT 0,
    QueryType INTEGER NOT NULL DEFAULT 0,
    PageID INTEGER,
    sequence INTEGER,
    printPageID INTEGER,
    printplace VARCHAR(10),
    Rule VARCHAR(255)
);
CREATE INDEX sequence ON dt_fieldlist (sequence);

-- Union levels (c904) and reporting states (c907).
CREATE TABLE CT_LevelCode (
    ID INTEGER PRIMARY KEY,
    Name VARCHAR(50),
    Sequence INTEGER
);
CREATE TABLE ct_state (
    ID INTEGER PRIMARY KEY,
    Name VARCHAR(50),
    Sequence INTEGER
);

-- Administrative regions (c903): Code1 = ID div 10000, Code2 = ID mod 10000
-- div 100, Code3 = ID mod 100.
CREATE TABLE CT_CityName (
    ID INTEGER PRIMARY KEY,
    Code1 INTEGER,
    Code2 INTEGER,
    Code3 INTEGER,
    Name VARCHAR(50),
    CombName VARCHAR(100)
);
CREATE INDEX Code1 ON CT_CityName (Code1, Code2, Code3);

-- The titles of the entry pages.
CREATE TABLE ct_sheetName (
    CodeID INTEGER PRIMARY KEY,
    CodeName VARCHAR(255)
);

-- Page logic rules: expression is true when a record breaks the rule.
CREATE TABLE dt_logic (
    page_id INTEGER,
    expression TEXT,
    rule TEXT,
    explain TEXT,
    focus VARCHAR(20)
);
CREATE INDEX dt_logic_page ON dt_logic (page_id);

-- User-defined groupings of unit-code ranges and their items.
CREATE TABLE ct_group (
    ID INTEGER PRIMARY KEY,
    Name VARCHAR(100),
    orderstr VARCHAR(50) DEFAULT 'id ASC',
    GroupList TEXT,
    AutoHighest INTEGER DEFAULT 0,
    AutoLowest INTEGER DEFAULT 0
);
CREATE TABLE DT_GroupItem (
    id INTEGER PRIMARY KEY,
    GroupID INTEGER,
    Title VARCHAR(100),
    LowBoundary REAL,
    HighBoundary REAL,
    LowSymbol VARCHAR(2),
    HighSymbol VARCHAR(2)
);
CREATE INDEX DT_GroupItem_group ON DT_GroupItem (GroupID);

-- The database label: the first row names the unit that supplies the data.
CREATE TABLE ct_label (
    db_name VARCHAR(200)
);
