-- The framework's own tables: operators, rights, operation log, parameters,
-- numbering and keys. Dates and times are ISO text ('yyyy-MM-dd hh:mm:ss').

create table WJ_SYS_CZY (
  CZYNAME      varchar(50) not null primary key,
  CZYPASSWORD  varchar(100) not null default '',
  CZYLEVEL     integer not null default 1,
  CZYNOTE      varchar(200),
  SKINID       varchar(10),
  IMEMODE      integer not null default 0
);

-- Right codes the rights manager offers.
create table WJ_SYS_QX (
  QXCODE   varchar(30) not null primary key,
  QXNAME   varchar(50) not null,
  QXGROUP  varchar(30) not null default '',
  QXORDER  integer not null default 0
);

-- Rights held by an operator (level 0 holds all without rows here).
create table WJ_SYS_CZYQX (
  CZYNAME  varchar(50) not null,
  QXCODE   varchar(30) not null,
  primary key (CZYNAME, QXCODE)
);

create table WJ_SYS_LOG (
  LOG_ID    integer not null primary key,
  CZYNAME   varchar(50) not null,
  LOGTIME   varchar(19) not null,
  LOGTEXT   varchar(200) not null,
  COMPUTER  varchar(50)
);
create index IX_WJ_SYS_LOG_TIME on WJ_SYS_LOG(LOGTIME);

create table WJ_SYS_PARAM (
  PGROUP  varchar(50) not null,
  PNAME   varchar(100) not null,
  PVALUE  varchar(255),
  PNOTE   varchar(200),
  primary key (PGROUP, PNAME)
);

-- Number codes: PREFIX + date part (DATEFMT, restarting daily) + CURNO in SEQLEN digits.
create table WJ_SYS_BH (
  BHCODE   varchar(30) not null primary key,
  BHNAME   varchar(50) not null,
  PREFIX   varchar(10) not null default '',
  DATEFMT  varchar(12) not null default 'yyyyMMdd',
  SEQLEN   integer not null default 4,
  CURDATE  varchar(12) not null default '',
  CURNO    integer not null default 0
);

-- Last key handed out per table and key column.
create table WJ_SYS_TBID (
  TBNAME  varchar(60) not null,
  IDNAME  varchar(60) not null,
  CURID   integer not null default 0,
  primary key (TBNAME, IDNAME)
);
