-- Goods, their types, barcodes and partner prices, partners, workers, departments,
-- the batch-wise stock and the record of which stock row served which sale line.
-- Quantities: integer triples, unit 1 the largest. Dates: ISO text 'yyyy-MM-dd'.
--
-- Money columns are declared "decimal_text": SQLite gives them text affinity, so every
-- value is kept as the exact decimal text it was written as ('12.5', '0.1234'); a
-- number written unquoted is turned into text by SQLite, exact up to 15 significant
-- digits. Read through TWjQuery they arrive as text and AsCurrency parses them without
-- binary floating point (numeric affinity would store 0.1 as a binary double). Views
-- that add money up do it in integer ten-thousandths and give the sum back as decimal
-- text. Compare or sort money numerically through cast(x as numeric): a plain x>100
-- compares text.

create table Jb_GoodsType (
  MeId      integer not null primary key,
  ParentId  integer not null default 0,
  TypeName  varchar(50),
  NoType    varchar(20),
  CurNo     integer not null default 0
);
create index IX_Jb_GoodsType_Parent on Jb_GoodsType(ParentId);

create table Jb_Goods (
  Goods_Id       integer not null primary key,
  TypeId_Goods   integer default 0,
  GoodsNo        varchar(20),
  GoodsName      varchar(50),
  TxNo           varchar(20),
  PyNo           varchar(20),
  Depart         varchar(50),
  Unit1          varchar(10),
  uNum1_2        integer default 0,
  Unit2          varchar(10),
  uNum2_3        integer default 0,
  Unit3          varchar(10),
  UnitNum        decimal_text,
  LastIn_Price1  decimal_text default 0,
  LastIn_Price2  decimal_text default 0,
  LastIn_Price3  decimal_text default 0,
  LastSa_Price1  decimal_text default 0,
  LastSa_Price2  decimal_text default 0,
  LastSa_Price3  decimal_text default 0,
  LastPf_Price1  decimal_text default 0,
  LastPf_Price2  decimal_text default 0,
  LastPf_Price3  decimal_text default 0,
  LastJg_Price1  decimal_text default 0,
  LastJg_Price2  decimal_text default 0,
  LastJg_Price3  decimal_text default 0,
  Posi           varchar(20),
  Remark_Goods   text,
  Top_Num        integer default 0,
  Bot_Num        integer default 0,
  TipsDay_Num    integer default 0,
  Photo          varchar(20),
  LastIn_Date    date,
  LastSa_Date    date
);
create index IX_Jb_Goods_Type on Jb_Goods(TypeId_Goods);
create index IX_Jb_Goods_Name on Jb_Goods(GoodsName);
create index IX_Jb_Goods_No on Jb_Goods(GoodsNo);

create table Jb_Goods_Tm (
  GoodsTxId  integer not null primary key,
  GoodsId    integer not null,
  Txm        varchar(50),
  Unit_Flag  integer default 1
);
create index IX_Jb_Goods_Tm_Txm on Jb_Goods_Tm(Txm);
create index IX_Jb_Goods_Tm_Goods on Jb_Goods_Tm(GoodsId);

create table Jb_Bmjg (
  MeId      integer not null primary key,
  ParentId  integer not null default 0,
  BmjgName  varchar(50)
);

create table Jb_Goods_Kh (
  Jb_Goods_Kh_Id  integer not null primary key,
  GoodsId_Kh      integer not null,
  ObjType         integer not null default 1,
  ObjId           integer not null,
  dPrice1         decimal_text default 0,
  dPrice2         decimal_text default 0,
  dPrice3         decimal_text default 0,
  dPrice1_Kd      decimal_text default 0,
  dPrice2_Kd      decimal_text default 0,
  dPrice3_Kd      decimal_text default 0
);
create index IX_Jb_Goods_Kh_Obj on Jb_Goods_Kh(ObjType, ObjId, GoodsId_Kh);
create index IX_Jb_Goods_Kh_Goods on Jb_Goods_Kh(GoodsId_Kh);

create table Jb_Client (
  Client_Id  integer not null primary key,
  ClientNo   varchar(20),
  SortName   varchar(50),
  ClientName varchar(100),
  Lxdz       varchar(100),
  Lxdh       varchar(50),
  persion    varchar(30),
  Per_Lxdh   varchar(50),
  Fax_NO     varchar(50),
  SendAddr   varchar(100),
  PostCode   varchar(10),
  bank       varchar(50),
  accNo      varchar(50),
  Email      varchar(50),
  Web        varchar(100),
  Bz_Client  text,
  Area       varchar(50),
  cType      varchar(50),
  Cl_Flag    integer default 0
);
create index IX_Jb_Client_Name on Jb_Client(ClientName);

create table Jb_Gys (
  Client_Id  integer not null primary key,
  ClientNo   varchar(20),
  SortName   varchar(50),
  ClientName varchar(100),
  Lxdz       varchar(100),
  Lxdh       varchar(50),
  persion    varchar(30),
  Per_Lxdh   varchar(50),
  Fax_NO     varchar(50),
  PostCode   varchar(10),
  bank       varchar(50),
  accNo      varchar(50),
  Email      varchar(50),
  Web        varchar(100),
  Bz_Client  text
);
create index IX_Jb_Gys_Name on Jb_Gys(ClientName);

create table Jb_Worker (
  WORK_ID    integer not null primary key,
  ZGBH       varchar(20),
  ZGNAME     varchar(30),
  SFZHM      varchar(20),
  CS_DATE    date,
  XB         varchar(4),
  LXDH       varchar(50),
  YZBM       varchar(10),
  LXDZ       varchar(100),
  WORK_DATE  date,
  SSBM       varchar(50),
  ZW         varchar(30),
  JBGZ       decimal_text default 0,
  ZG_BZ      text,
  Extension  varchar(100)
);

-- One row per goods and batch; quantities may be negative after a shortage.
create table Yw_KcData (
  KcData_Id    integer not null primary key,
  GoodsId_Kc   integer not null,
  Pc           varchar(20),
  Yx_Date      date,
  KcNum_Unit1  integer default 0,
  KcNum_Unit2  integer default 0,
  KcNum_Unit3  integer default 0
);
create index IX_Yw_KcData_Goods_Pc on Yw_KcData(GoodsId_Kc, Pc);

-- Which stock row served how much of which sale line, from audit to un-audit.
create table Yw_SaDetail_Kc (
  SaDel_Kc_Id  integer not null primary key,
  SaDel_Id     integer not null,
  Kc_Id        integer not null,
  SaNum1       integer default 0,
  SaNum2       integer default 0,
  SaNum3       integer default 0
);
create index IX_Yw_SaDetail_Kc_Line on Yw_SaDetail_Kc(SaDel_Id);
create index IX_Yw_SaDetail_Kc_Kc on Yw_SaDetail_Kc(Kc_Id);

-- TuNum: the quantity counted in the goods' smallest defined unit (an undefined factor
-- counts as 1), in 64-bit integers.
create view V_Jb_Goods as
select g.*,
       coalesce(g.GoodsName, '') || case when coalesce(g.GoodsNo, '') <> '' then '(' || g.GoodsNo || ')' else '' end as Name_No,
       t.TypeName
from Jb_Goods g left join Jb_GoodsType t on t.MeId = g.TypeId_Goods;

create view V_Yw_KcData_Pc as
select k.KcData_Id, k.GoodsId_Kc, k.Pc, k.Yx_Date, k.KcNum_Unit1, k.KcNum_Unit2, k.KcNum_Unit3,
       coalesce(k.KcNum_Unit1, 0)
         * (case when g.uNum1_2 > 0 then g.uNum1_2 else 1 end) * (case when g.uNum2_3 > 0 then g.uNum2_3 else 1 end)
       + coalesce(k.KcNum_Unit2, 0) * (case when g.uNum2_3 > 0 then g.uNum2_3 else 1 end)
       + coalesce(k.KcNum_Unit3, 0) as TuNum,
       t.TypeName, g.TypeId_Goods, g.GoodsNo, g.GoodsName, g.Depart, g.Unit1, g.Unit2, g.Unit3,
       g.uNum1_2, g.uNum2_3, g.Posi
from Yw_KcData k
     left join Jb_Goods g on g.Goods_Id = k.GoodsId_Kc
     left join Jb_GoodsType t on t.MeId = g.TypeId_Goods;

-- One row per goods with its stock summed over all batches.
create view V_Yw_KcData as
select g.*, t.TypeName,
       coalesce(g.GoodsName, '') || case when coalesce(g.GoodsNo, '') <> '' then '(' || g.GoodsNo || ')' else '' end as Name_No,
       coalesce(s.KcNum_Unit1, 0) as KcNum_Unit1, coalesce(s.KcNum_Unit2, 0) as KcNum_Unit2,
       coalesce(s.KcNum_Unit3, 0) as KcNum_Unit3,
       coalesce(s.KcNum_Unit1, 0)
         * (case when g.uNum1_2 > 0 then g.uNum1_2 else 1 end) * (case when g.uNum2_3 > 0 then g.uNum2_3 else 1 end)
       + coalesce(s.KcNum_Unit2, 0) * (case when g.uNum2_3 > 0 then g.uNum2_3 else 1 end)
       + coalesce(s.KcNum_Unit3, 0) as TuNum
from Jb_Goods g
     left join Jb_GoodsType t on t.MeId = g.TypeId_Goods
     left join (select GoodsId_Kc, sum(KcNum_Unit1) as KcNum_Unit1, sum(KcNum_Unit2) as KcNum_Unit2,
                       sum(KcNum_Unit3) as KcNum_Unit3
                from Yw_KcData group by GoodsId_Kc) s on s.GoodsId_Kc = g.Goods_Id;

create view V_Jb_Goods_Kh as
select h.*, g.GoodsNo, g.GoodsName, g.Depart, g.Unit1, g.Unit2, g.Unit3, h.dPrice1 as Mr_Price
from Jb_Goods_Kh h left join Jb_Goods g on g.Goods_Id = h.GoodsId_Kh;
