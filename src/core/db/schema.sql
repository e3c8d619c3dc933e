-- Account-set database: DDL of every table.
--
-- Neutral dialect mapped to SQLite and PostgreSQL by the schema loader.
-- Statements end with a semicolon at the end of a line, comments are whole
-- lines. Amounts are decimal(18,2) and default to 0, since several writers
-- append rows that fill only some amount columns. An id int IDENTITY line
-- becomes an auto-increment primary key. Month numbers are year * 12 + month.

-- Account-set header: opening period, current period, code level lengths and
-- the set's switches. Exactly one row.
CREATE TABLE ztInfo (
    qykjnf  smallint,
    qykjyf  smallint,
    kjnf    smallint,
    kjyf    smallint,
    kmcd1   int,
    kmcd2   int,
    kmcd3   int,
    kmcd4   int,
    kmcd5   int,
    kmcd6   int,
    bz1     tinyint DEFAULT 0,
    bz2     tinyint DEFAULT 0,
    bz3     tinyint DEFAULT 0
);

-- Chart of accounts, one row per account. The code's length gives the level,
-- its prefix the parent.
CREATE TABLE iteminfo (
    id int IDENTITY,
    itembm     varchar(20) NOT NULL,
    itemmc     varchar(60),
    parent     int,
    zl         tinyint,
    jhd        tinyint,
    bmhs       tinyint DEFAULT 0,
    xmhs       tinyint DEFAULT 0,
    wbhs       tinyint DEFAULT 0,
    wbmc       varchar(10),
    xjyh       tinyint DEFAULT 0,
    xjll       tinyint DEFAULT 0,
    ljzj       tinyint DEFAULT 0,
    kmjc       tinyint,
    erpKmcode  varchar(30)
);
CREATE UNIQUE INDEX ux_iteminfo_itembm ON iteminfo (itembm);

-- Voucher lines. A voucher is the set of lines sharing (kjnf, kjyf, pzbh),
-- ordered by pzfl.
CREATE TABLE account (
    kjnf       smallint NOT NULL,
    kjyf       smallint NOT NULL,
    pzbh       smallint NOT NULL,
    pzfl       smallint NOT NULL,
    rq         datetime,
    pzzy       varchar(100),
    itembm     varchar(20),
    jfje       decimal(18,2) DEFAULT 0,
    dfje       decimal(18,2) DEFAULT 0,
    wbjf       decimal(18,2) DEFAULT 0,
    wbdf       decimal(18,2) DEFAULT 0,
    hl         float DEFAULT 0,
    bmbm       varchar(6),
    xmbm       varchar(6),
    zd         varchar(10),
    fh         varchar(10),
    jz         varchar(10),
    dfkm       varchar(20),
    fjs        smallint DEFAULT 0,
    fhbz       tinyint DEFAULT 0,
    jzbz       tinyint DEFAULT 0,
    pzly       varchar(15),
    xjllcf     tinyint DEFAULT 0,
    total      float DEFAULT 0,
    linecount  smallint DEFAULT 0
);
CREATE UNIQUE INDEX ux_account_voucher_line ON account (kjnf, kjyf, pzbh, pzfl);
CREATE INDEX ix_account_item_period ON account (itembm, kjnf, kjyf);
CREATE INDEX ix_account_pzly ON account (pzly, kjnf, kjyf);

-- Yearly balances, one row per account and year: opening balance, amounts
-- accumulated before the opening month, and the posted debits and credits of
-- each month, in home and foreign currency.
CREATE TABLE account_ye (
    kjnf    smallint NOT NULL,
    itembm  varchar(20) NOT NULL,
    ncye    decimal(18,2) DEFAULT 0,
    ljjf    decimal(18,2) DEFAULT 0,
    ljdf    decimal(18,2) DEFAULT 0,
    jf1     decimal(18,2) DEFAULT 0,
    jf2     decimal(18,2) DEFAULT 0,
    jf3     decimal(18,2) DEFAULT 0,
    jf4     decimal(18,2) DEFAULT 0,
    jf5     decimal(18,2) DEFAULT 0,
    jf6     decimal(18,2) DEFAULT 0,
    jf7     decimal(18,2) DEFAULT 0,
    jf8     decimal(18,2) DEFAULT 0,
    jf9     decimal(18,2) DEFAULT 0,
    jf10    decimal(18,2) DEFAULT 0,
    jf11    decimal(18,2) DEFAULT 0,
    jf12    decimal(18,2) DEFAULT 0,
    df1     decimal(18,2) DEFAULT 0,
    df2     decimal(18,2) DEFAULT 0,
    df3     decimal(18,2) DEFAULT 0,
    df4     decimal(18,2) DEFAULT 0,
    df5     decimal(18,2) DEFAULT 0,
    df6     decimal(18,2) DEFAULT 0,
    df7     decimal(18,2) DEFAULT 0,
    df8     decimal(18,2) DEFAULT 0,
    df9     decimal(18,2) DEFAULT 0,
    df10    decimal(18,2) DEFAULT 0,
    df11    decimal(18,2) DEFAULT 0,
    df12    decimal(18,2) DEFAULT 0,
    wbncye  decimal(18,2) DEFAULT 0,
    wbljjf  decimal(18,2) DEFAULT 0,
    wbljdf  decimal(18,2) DEFAULT 0,
    wbjf1   decimal(18,2) DEFAULT 0,
    wbjf2   decimal(18,2) DEFAULT 0,
    wbjf3   decimal(18,2) DEFAULT 0,
    wbjf4   decimal(18,2) DEFAULT 0,
    wbjf5   decimal(18,2) DEFAULT 0,
    wbjf6   decimal(18,2) DEFAULT 0,
    wbjf7   decimal(18,2) DEFAULT 0,
    wbjf8   decimal(18,2) DEFAULT 0,
    wbjf9   decimal(18,2) DEFAULT 0,
    wbjf10  decimal(18,2) DEFAULT 0,
    wbjf11  decimal(18,2) DEFAULT 0,
    wbjf12  decimal(18,2) DEFAULT 0,
    wbdf1   decimal(18,2) DEFAULT 0,
    wbdf2   decimal(18,2) DEFAULT 0,
    wbdf3   decimal(18,2) DEFAULT 0,
    wbdf4   decimal(18,2) DEFAULT 0,
    wbdf5   decimal(18,2) DEFAULT 0,
    wbdf6   decimal(18,2) DEFAULT 0,
    wbdf7   decimal(18,2) DEFAULT 0,
    wbdf8   decimal(18,2) DEFAULT 0,
    wbdf9   decimal(18,2) DEFAULT 0,
    wbdf10  decimal(18,2) DEFAULT 0,
    wbdf11  decimal(18,2) DEFAULT 0,
    wbdf12  decimal(18,2) DEFAULT 0
);
CREATE UNIQUE INDEX ux_account_ye_year_item ON account_ye (kjnf, itembm);

-- Operators with their scrambled password and rights bz1..bz20. Operator 1
-- is the administrator.
CREATE TABLE op_detail (
    id        int NOT NULL,
    name      varchar(10),
    password  varchar(200),
    bz1       tinyint DEFAULT 0,
    bz2       tinyint DEFAULT 0,
    bz3       tinyint DEFAULT 0,
    bz4       tinyint DEFAULT 0,
    bz5       tinyint DEFAULT 0,
    bz6       tinyint DEFAULT 0,
    bz7       tinyint DEFAULT 0,
    bz8       tinyint DEFAULT 0,
    bz9       tinyint DEFAULT 0,
    bz10      tinyint DEFAULT 0,
    bz11      tinyint DEFAULT 0,
    bz12      tinyint DEFAULT 0,
    bz13      tinyint DEFAULT 0,
    bz14      tinyint DEFAULT 0,
    bz15      tinyint DEFAULT 0,
    bz16      tinyint DEFAULT 0,
    bz17      tinyint DEFAULT 0,
    bz18      tinyint DEFAULT 0,
    bz19      tinyint DEFAULT 0,
    bz20      tinyint DEFAULT 0,
    PRIMARY KEY (id)
);

-- Usage log: who opened which function and when. Ids run from 1 to at most
-- 20000.
CREATE TABLE Oplog (
    id     int,
    czy    varchar(10),
    title  varchar(50),
    rq     datetime
);
CREATE INDEX ix_oplog_id ON Oplog (id);
CREATE INDEX ix_oplog_rq ON Oplog (rq);

-- Stock phrases for voucher summaries: groups (parent -1) and the phrases
-- below them.
CREATE TABLE account_zy (
    id int IDENTITY,
    parent  int,
    info    varchar(80)
);
CREATE INDEX ix_account_zy_parent ON account_zy (parent);

-- Foreign currencies and their exchange rate to the home currency.
CREATE TABLE moneyhl (
    name  varchar(10) NOT NULL,
    hl    float,
    PRIMARY KEY (name)
);

-- Departments: up to three levels of two-character code segments.
CREATE TABLE bmbm (
    bmbm    varchar(12) NOT NULL,
    bmmc    varchar(40),
    parent  int,
    PRIMARY KEY (bmbm)
);

-- Projects: a flat list.
CREATE TABLE xmbm (
    xmbm  varchar(6) NOT NULL,
    xmmc  varchar(30),
    PRIMARY KEY (xmbm)
);

-- Department opening balances, one row per year, department and account.
-- Written by the year-end closing.
CREATE TABLE bmqc (
    kjnf    smallint NOT NULL,
    bmbm    varchar(6) NOT NULL,
    itembm  varchar(20) NOT NULL,
    qcye    decimal(18,2) DEFAULT 0
);
CREATE UNIQUE INDEX ux_bmqc_year_dept_item ON bmqc (kjnf, bmbm, itembm);
CREATE INDEX ix_bmqc_itembm ON bmqc (itembm);
CREATE INDEX ix_bmqc_bmbm ON bmqc (bmbm);

-- Project opening balances, one row per year, project and account. Written
-- by the year-end closing.
CREATE TABLE xmqc (
    kjnf    smallint NOT NULL,
    xmbm    varchar(6) NOT NULL,
    itembm  varchar(20) NOT NULL,
    qcye    decimal(18,2) DEFAULT 0
);
CREATE UNIQUE INDEX ux_xmqc_year_proj_item ON xmqc (kjnf, xmbm, itembm);
CREATE INDEX ix_xmqc_itembm ON xmqc (itembm);
CREATE INDEX ix_xmqc_xmbm ON xmqc (xmbm);

-- Cash-flow items: two-character code segments, at most four levels, each an
-- inflow or an outflow.
CREATE TABLE xjll_code (
    id int IDENTITY,
    parent  int,
    bm      varchar(12) NOT NULL,
    mc      varchar(40),
    fx      varchar(20)
);
CREATE UNIQUE INDEX ux_xjll_code_bm ON xjll_code (bm);

-- Cash-flow splits: inflow and outflow per voucher and leaf cash-flow item.
-- Opening values use voucher number 0 in month 1 of the opening year.
CREATE TABLE xjll_workSheet (
    kjnf  int NOT NULL,
    kjyf  int NOT NULL,
    pzbh  int NOT NULL,
    bm    varchar(12) NOT NULL,
    lrje  decimal(18,2) DEFAULT 0,
    lcje  decimal(18,2) DEFAULT 0
);
CREATE INDEX ix_xjll_worksheet_voucher ON xjll_workSheet (kjnf, kjyf, pzbh);
CREATE INDEX ix_xjll_worksheet_bm ON xjll_workSheet (bm);

-- Multi-column ledger definitions, one row per analysis column. All rows of
-- a definition share its name and account.
CREATE TABLE dlz_info (
    name      varchar(30) NOT NULL,
    itembm    varchar(20),
    columnbm  varchar(20),
    columnmc  varchar(60),
    fx        varchar(4)
);
CREATE INDEX ix_dlz_info_name ON dlz_info (name, columnbm);

-- Print templates, grouped in families (rpt01 .. rpt68) and ordered by
-- typeid. The template body is the report engine's serialised text, NULL
-- when empty.
CREATE TABLE report (
    rptname  varchar(50) NOT NULL,
    comment  varchar(50),
    typeid   int,
    report   text
);
CREATE INDEX ix_report_rptname ON report (rptname, typeid);

-- Financial statements: report code (also the workbook's base file name) and
-- display name.
CREATE TABLE bb_excel (
    bm    text NOT NULL,
    name  text
);
CREATE UNIQUE INDEX ux_bb_excel_bm ON bb_excel (bm);

-- Figures one statement stores for others, one row per year and period key.
-- Only LR01 (net profit) is written.
CREATE TABLE rpt_data (
    kjnf  int NOT NULL,
    kjyf  int NOT NULL,
    LR01  decimal(18,2) DEFAULT 0,
    PRIMARY KEY (kjnf, kjyf)
);

-- Wage items. id gives the display and calculation order (not unique while
-- two rows swap), field_id names the gz_list column jeN that holds the item.
CREATE TABLE gz_xm (
    id        int,
    xmmc      varchar(20),
    field_id  smallint,
    sybz      smallint DEFAULT 0,
    exp       varchar(600),
    zjbz      varchar(4)
);
CREATE INDEX ix_gz_xm_id ON gz_xm (id);
CREATE INDEX ix_gz_xm_field_id ON gz_xm (field_id);

-- Monthly payroll, one row per employee and month. je1 gross pay, je2 total
-- deductions, je3 net pay, the rest as gz_xm assigns them.
CREATE TABLE gz_list (
    nian  smallint NOT NULL,
    yue   smallint NOT NULL,
    ygbh  varchar(10) NOT NULL,
    bmbm  varchar(6),
    je1   decimal(18,2) DEFAULT 0,
    je2   decimal(18,2) DEFAULT 0,
    je3   decimal(18,2) DEFAULT 0,
    je4   decimal(18,2) DEFAULT 0,
    je5   decimal(18,2) DEFAULT 0,
    je6   decimal(18,2) DEFAULT 0,
    je7   decimal(18,2) DEFAULT 0,
    je8   decimal(18,2) DEFAULT 0,
    je9   decimal(18,2) DEFAULT 0,
    je10  decimal(18,2) DEFAULT 0,
    je11  decimal(18,2) DEFAULT 0,
    je12  decimal(18,2) DEFAULT 0,
    je13  decimal(18,2) DEFAULT 0,
    je14  decimal(18,2) DEFAULT 0,
    je15  decimal(18,2) DEFAULT 0,
    je16  decimal(18,2) DEFAULT 0,
    je17  decimal(18,2) DEFAULT 0,
    je18  decimal(18,2) DEFAULT 0,
    je19  decimal(18,2) DEFAULT 0,
    je20  decimal(18,2) DEFAULT 0,
    je21  decimal(18,2) DEFAULT 0,
    je22  decimal(18,2) DEFAULT 0,
    je23  decimal(18,2) DEFAULT 0,
    je24  decimal(18,2) DEFAULT 0,
    je25  decimal(18,2) DEFAULT 0,
    je26  decimal(18,2) DEFAULT 0,
    je27  decimal(18,2) DEFAULT 0,
    je28  decimal(18,2) DEFAULT 0,
    je29  decimal(18,2) DEFAULT 0,
    je30  decimal(18,2) DEFAULT 0,
    je31  decimal(18,2) DEFAULT 0,
    je32  decimal(18,2) DEFAULT 0,
    je33  decimal(18,2) DEFAULT 0,
    je34  decimal(18,2) DEFAULT 0,
    je35  decimal(18,2) DEFAULT 0,
    je36  decimal(18,2) DEFAULT 0,
    je37  decimal(18,2) DEFAULT 0,
    je38  decimal(18,2) DEFAULT 0,
    je39  decimal(18,2) DEFAULT 0,
    je40  decimal(18,2) DEFAULT 0,
    je41  decimal(18,2) DEFAULT 0,
    je42  decimal(18,2) DEFAULT 0,
    je43  decimal(18,2) DEFAULT 0,
    je44  decimal(18,2) DEFAULT 0,
    je45  decimal(18,2) DEFAULT 0,
    je46  decimal(18,2) DEFAULT 0,
    je47  decimal(18,2) DEFAULT 0,
    je48  decimal(18,2) DEFAULT 0,
    je49  decimal(18,2) DEFAULT 0,
    je50  decimal(18,2) DEFAULT 0
);
CREATE UNIQUE INDEX ux_gz_list_month_emp ON gz_list (nian, yue, ygbh);
CREATE INDEX ix_gz_list_ygbh ON gz_list (ygbh);

-- Employees.
CREATE TABLE gz_YGInfo (
    ygbh    varchar(10) NOT NULL,
    name    varchar(10),
    sex     varchar(2),
    bmbm    varchar(6),
    zw      varchar(16),
    sl      varchar(8),
    ph2     varchar(20),
    zz      smallint DEFAULT 0,
    rzdate  datetime,
    email   varchar(40),
    sfzh    varchar(20),
    csdate  datetime,
    jg      varchar(20),
    zip     varchar(8),
    ph1     varchar(20),
    addr    varchar(60),
    bz      varchar(60),
    PRIMARY KEY (ygbh)
);
CREATE INDEX ix_gz_yginfo_bmbm ON gz_YGInfo (bmbm);

-- Payroll distribution rules for the payroll voucher, processed in id order.
CREATE TABLE gz_PZitem (
    id    int,
    bmbm  varchar(6),
    exp   varchar(600),
    jfkm  varchar(20),
    dfkm  varchar(20),
    je    decimal(18,2) DEFAULT 0
);
CREATE INDEX ix_gz_pzitem_id ON gz_PZitem (id);

-- Fixed-asset cards. Months are month numbers (year * 12 + month), zxyf is 0
-- while the asset is in use.
CREATE TABLE gdzc_kp (
    gzbh   varchar(10) NOT NULL,
    gzmc   varchar(30),
    lbbm   varchar(6),
    ggxh   varchar(30),
    bmbm   varchar(6),
    zjbm   varchar(6),
    zkbm   varchar(6),
    gzyz   decimal(18,2) DEFAULT 0,
    ljzj   decimal(18,2) DEFAULT 0,
    cfwz   varchar(30),
    rq     datetime,
    rzyf   int,
    zjff   varchar(30),
    yjczl  decimal(18,6) DEFAULT 0,
    yjyf   int DEFAULT 0,
    ytyf   int DEFAULT 0,
    yzjl   decimal(18,6) DEFAULT 0,
    yzje   decimal(18,2) DEFAULT 0,
    dykm   varchar(20),
    zxyf   smallint DEFAULT 0,
    yjgzl  int,
    ytgzl  int,
    PRIMARY KEY (gzbh)
);
CREATE INDEX ix_gdzc_kp_lbbm ON gdzc_kp (lbbm);
CREATE INDEX ix_gdzc_kp_bmbm ON gdzc_kp (bmbm);

-- Asset categories. Codes are decimal integers without leading zeros.
CREATE TABLE gdzc_zcType (
    lbbm  varchar(6) NOT NULL,
    lbmc  varchar(30),
    PRIMARY KEY (lbbm)
);

-- Methods of increase and decrease of assets.
CREATE TABLE gdzc_zjfs (
    zjbm  varchar(6) NOT NULL,
    zjmc  varchar(30),
    fs    varchar(4),
    PRIMARY KEY (zjbm)
);

-- Usage states of assets, each marked as depreciated or not.
CREATE TABLE gdzc_useInfo (
    zkbm  varchar(6) NOT NULL,
    zkmc  varchar(30),
    zjbz  varchar(10),
    PRIMARY KEY (zkbm)
);

-- Depreciation rows, one per card and depreciated month, with the card
-- values before the run for the reversal.
CREATE TABLE gdzc_zjlist (
    gzbh    varchar(10) NOT NULL,
    yue     int NOT NULL,
    kjnf    smallint,
    kjyf    smallint,
    bmbm    varchar(6),
    lbbm    varchar(6),
    dykm    varchar(20),
    yzjl    decimal(18,6) DEFAULT 0,
    yzje    decimal(18,2) DEFAULT 0,
    ljzj    decimal(18,2) DEFAULT 0,
    ytyf    int DEFAULT 0,
    y_ljzj  decimal(18,2) DEFAULT 0,
    y_ytyf  int DEFAULT 0,
    y_yzjl  decimal(18,6) DEFAULT 0,
    y_yzje  decimal(18,2) DEFAULT 0
);
CREATE UNIQUE INDEX ux_gdzc_zjlist_card_month ON gdzc_zjlist (gzbh, yue);
CREATE INDEX ix_gdzc_zjlist_yue ON gdzc_zjlist (yue);

-- Asset reductions (disposals), at most one per asset.
CREATE TABLE gdzc_jiansao (
    gzbh  varchar(10) NOT NULL,
    rq    datetime,
    zjbm  varchar(6),
    qlsr  decimal(18,2) DEFAULT 0,
    qlfy  decimal(18,2) DEFAULT 0,
    bz    varchar(60),
    PRIMARY KEY (gzbh)
);

-- Monthly workload of assets depreciated by units of workload.
CREATE TABLE gdzc_gzl (
    gzbh   varchar(10) NOT NULL,
    yue    int NOT NULL,
    gzl    int DEFAULT 0,
    qcgzl  int DEFAULT 0
);
CREATE UNIQUE INDEX ux_gdzc_gzl_card_month ON gdzc_gzl (gzbh, yue);
CREATE INDEX ix_gdzc_gzl_yue ON gdzc_gzl (yue);

-- Which template an account set was made from: a fingerprint of this file and of the starting
-- data, so that a stale template is rebuilt and later versions can upgrade older sets.
CREATE TABLE schema_version (
    version    varchar(64) NOT NULL
);

-- One row per month into which vouchers were saved. A save takes the month's row (upsert) in
-- its transaction before it settles the voucher number, so that saves from several
-- workstations into one month number their vouchers one after the other.
CREATE TABLE pz_numbering (
    kjnf   smallint NOT NULL,
    kjyf   smallint NOT NULL,
    saves  int DEFAULT 0,
    PRIMARY KEY (kjnf, kjyf)
);
