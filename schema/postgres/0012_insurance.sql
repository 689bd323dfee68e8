-- Vehicle insurance: sold policies (tBxMain) with their covered risks, one line each
-- (tBxMain_Detail), the predefined insurance items the lines are picked from
-- (tBxSetup), and the shop's vehicle records (Jb_CarData) the policy window looks up
-- by plate. Money: numeric(18,4).
--
-- tBxMain.CarColor holds the policy window's 车辆颜色 box (the vehicle's body colour,
-- beside CpColor, the colour of the plate).
--
-- Plates (Jb_CarData.RegiCode) are unique and stored trimmed, Latin letters in upper
-- case, so the lookup by plate prefix finds the same vehicles on either database.
-- Item names (tBxSetup.BxType) are unique and stored trimmed.

create table tBxMain (
  BxMain_Id  integer not null primary key,
  BxdBh      varchar(30) not null,
  RegiCode   varchar(20) not null,
  BbxR       varchar(50) not null,
  XszCz      varchar(50),
  CpColor    varchar(20),
  CarColor   varchar(20),
  Car_Model  varchar(50),
  Factry     varchar(50),
  BoxNo      varchar(50),
  ChaFactNo  varchar(50),
  Hdzk       varchar(20),
  Hdzzl      varchar(20),
  Pl_Gl      varchar(20),
  Scg        varchar(30),
  CarPrice   numeric(18,4) default 0,
  fDj_YM     varchar(20),
  Syxz       varchar(30),
  Sxqy       varchar(30),
  Bxqx_B     date,
  Bxqx_E     date,
  Fjsm       text,
  Jzbf       numeric(18,4) default 0,
  PjYhl      numeric(18,4) default 0,
  YhJe       numeric(18,4) default 0,
  BxfHj      numeric(18,4) default 0
);
create index IX_tBxMain_BxdBh on tBxMain(BxdBh);
create index IX_tBxMain_RegiCode on tBxMain(RegiCode);
create index IX_tBxMain_BbxR on tBxMain(BbxR);

create table tBxMain_Detail (
  BxMain_DetailId  integer not null primary key,
  BxMain_Id        integer not null,
  Xh_BxDetail      integer default 0,
  BxType           varchar(50) not null,
  BxJe             numeric(18,4) default 0,
  Bxf              numeric(18,4) default 0
);
create index IX_tBxMain_Detail_Main on tBxMain_Detail(BxMain_Id);

create table tBxSetup (
  BxSetupId  integer not null primary key,
  BxType     varchar(50) not null,
  BxJe       numeric(18,4) default 0,
  Bxf        numeric(18,4) default 0
);
create unique index UX_tBxSetup_BxType on tBxSetup(BxType);

create table Jb_CarData (
  Wx_CarData_Id  integer not null primary key,
  RegiCode       varchar(20) not null,
  Factry         varchar(50),
  Car_Model      varchar(50),
  BoxNo          varchar(50),
  ChaFactNo      varchar(50),
  MasterName     varchar(50)
);
create unique index UX_Jb_CarData_RegiCode on Jb_CarData(RegiCode);
-- The lookup by plate prefix (like 'X%') uses this index whatever the collation.
create index IX_Jb_CarData_RegiCode_Prefix on Jb_CarData(RegiCode varchar_pattern_ops);
create index IX_Jb_CarData_MasterName on Jb_CarData(MasterName);
