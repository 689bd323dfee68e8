-- Business documents: purchase, sales, return and production heads with their lines,
-- and the delivery records of audited sales. Money: decimal_text (exact decimal text,
-- see step 2); the invoice prices of sales lines too, since the reimbursement writes
-- them with two decimals.
--
-- Money arithmetic in the views runs in integer ten-thousandths, v = cast(round(x*10000)
-- as integer), and each result is given back as decimal text without trailing zeros by
--   (select <sign> || v/10000 || <'.' and the four decimals, trailing zeros cut> from (select ... as v))
-- so no binary rounding reaches an amount.
-- Status flags: purchase, sales, return 1 saved, 2 audited; production 0 open,
-- 1 confirmed; delivery 1 recorded, 2 confirmed.

create table Yw_InHead (
  InHead_ID   integer not null primary key,
  In_AutoNum  varchar(30),
  In_Date     date,
  Operation   varchar(50),
  PayType     varchar(30),
  GysId       integer,
  ClientName  varchar(100),
  Lxdh        varchar(50),
  InFlag      integer default 1,
  Bz_InHead   text,
  Shr         varchar(50),
  sh_date     date
);
create index IX_Yw_InHead_Gys on Yw_InHead(GysId);
create index IX_Yw_InHead_No on Yw_InHead(In_AutoNum);

create table Yw_InDetail (
  InDetail_Id  integer not null primary key,
  InMain_Id    integer not null,
  Xh_Indetail  integer default 0,
  GoodsId_In   integer,
  Pc           varchar(20),
  Yx_date      date,
  InNum1       integer default 0,
  InNum2       integer default 0,
  InNum3       integer default 0,
  In_Price1    decimal_text default 0,
  In_Price2    decimal_text default 0,
  In_Price3    decimal_text default 0,
  T_Price      decimal_text default 0,
  Posi         varchar(10),
  ReMark       varchar(100)
);
create index IX_Yw_InDetail_Head on Yw_InDetail(InMain_Id);
create index IX_Yw_InDetail_Goods on Yw_InDetail(GoodsId_In);

create table Yw_SaHead (
  SaHead_Id   integer not null primary key,
  Sa_AutoNum  varchar(30),
  Sa_Lsh      varchar(30),
  Sa_Date     date,
  Operation   varchar(50),
  PayType     varchar(30),
  Fp_Type     varchar(30),
  ClientId    integer,
  ClientName  varchar(100),
  Lxdh        varchar(50),
  Ps_Car      varchar(30),
  SaFlag      integer default 1,
  Bz_SaHead   text,
  Shr         varchar(50),
  sh_date     date
);
create index IX_Yw_SaHead_Client on Yw_SaHead(ClientId);
create index IX_Yw_SaHead_No on Yw_SaHead(Sa_AutoNum);

create table Yw_SaDetail (
  SaDetail_Id   integer not null primary key,
  SaMain_Id     integer not null,
  Xh_SaDetail   integer default 0,
  GoodsId_Sa    integer,
  Pc            varchar(20),
  SaNum1        integer default 0,
  SaNum2        integer default 0,
  SaNum3        integer default 0,
  Sa_Price1     decimal_text default 0,
  Sa_Price2     decimal_text default 0,
  Sa_Price3     decimal_text default 0,
  Sa_Price1_Kd  decimal_text default 0,
  Sa_Price2_Kd  decimal_text default 0,
  Sa_Price3_Kd  decimal_text default 0,
  TIn_Price     decimal_text default 0,
  ReMark        varchar(100)
);
create index IX_Yw_SaDetail_Head on Yw_SaDetail(SaMain_Id);
create index IX_Yw_SaDetail_Goods on Yw_SaDetail(GoodsId_Sa);

create table Yw_ThHead (
  ThHead_ID      integer not null primary key,
  Th_AutoNum     varchar(30),
  Th_Date        date,
  Operation      varchar(50),
  ThType         integer default 0,
  KhId           integer,
  ClientName     varchar(100),
  ThYy           varchar(50),
  UpdateKc_Flag  integer default 0,
  ThFlag         integer default 1,
  Bz_ThHead      text,
  Shr            varchar(50),
  sh_date        date
);
create index IX_Yw_ThHead_Kh on Yw_ThHead(KhId);

create table Yw_ThDetail (
  ThDetail_Id  integer not null primary key,
  ThMain_Id    integer not null,
  Xh_Thdetail  integer default 0,
  GoodsId_Th   integer,
  Pc           varchar(20),
  ThNum1       integer default 0,
  ThNum2       integer default 0,
  ThNum3       integer default 0,
  ReMark       varchar(100)
);
create index IX_Yw_ThDetail_Head on Yw_ThDetail(ThMain_Id);
create index IX_Yw_ThDetail_Goods on Yw_ThDetail(GoodsId_Th);

create table Yw_ScHead (
  ScHead_ID   integer not null primary key,
  Sc_AutoNum  varchar(30),
  Sc_Date     date,
  ScFzr       varchar(30),
  Scry        varchar(100),
  QcJbr       varchar(50),
  RkPosi      varchar(30),
  Lsx         varchar(30),
  ScFlag      integer default 0,
  Bz_InHead   text,
  Qc_date     date
);

-- ScHead_IDW and T_Price_Kd have no default: rows the system writes leave them empty.
create table Yw_ScDetail (
  ScDetail_Id  integer not null primary key,
  ScMain_Id    integer not null,
  Xh_Scdetail  integer default 0,
  ScHead_IDW   integer,
  GoodsId_Sc   integer,
  Pc           varchar(20),
  Yx_date      date,
  ScNum1       integer default 0,
  ScNum2       integer default 0,
  ScNum3       integer default 0,
  Sc_Price1    decimal_text default 0,
  Sc_Price2    decimal_text default 0,
  Sc_Price3    decimal_text default 0,
  T_Price      decimal_text default 0,
  T_Price_Kd   decimal_text,
  Posi         varchar(10),
  ReMark       varchar(100)
);
create index IX_Yw_ScDetail_Head on Yw_ScDetail(ScMain_Id);
create index IX_Yw_ScDetail_Goods on Yw_ScDetail(GoodsId_Sc);

-- The delivery record keeps the client's name, address and phone as copied from the sale.
create table Yw_Shgl (
  Shgl_ID         integer not null primary key,
  Sh_AutoNum      varchar(30),
  SaMainId_Shgl   integer,
  SaAutoNum_Shgl  varchar(30),
  Sh_Date         date,
  Operation       varchar(50),
  Sh_Jbr          varchar(30),
  ClientName      varchar(100),
  Lxdz            varchar(100),
  Lxdh            varchar(50),
  ReMark          text,
  ShFlag          integer default 1,
  Qrr             varchar(50),
  Qr_date         date
);
create index IX_Yw_Shgl_Sa on Yw_Shgl(SaMainId_Shgl);

create view V_Yw_InHead as
select h.*,
       (select case when v < 0 then '-' else '' end || (abs(v) / 10000) || rtrim(rtrim('.' || substr('0000' || (abs(v) % 10000), -4), '0'), '.')
        from (select coalesce(sum(cast(round(coalesce(d.T_Price, 0) * 10000) as integer)), 0) as v from Yw_InDetail d where d.InMain_Id = h.InHead_ID)) as TPrice
from Yw_InHead h;

-- InNum, SaNum: the quantity as text with unit names; units 2 and 3 when the goods
-- defines them and the quantity is not 0 ("1箱3只").
create view V_Yw_InDetail as
select d.*, h.In_AutoNum, h.In_Date, h.ClientName, g.GoodsNo, g.GoodsName, g.Depart, g.Unit1, g.Unit2, g.Unit3,
       cast(coalesce(d.InNum1, 0) as varchar) || coalesce(g.Unit1, '')
       || case when coalesce(g.Unit2, '') <> '' and coalesce(d.InNum2, 0) <> 0 then cast(d.InNum2 as varchar) || g.Unit2 else '' end
       || case when coalesce(g.Unit3, '') <> '' and coalesce(d.InNum3, 0) <> 0 then cast(d.InNum3 as varchar) || g.Unit3 else '' end
       as InNum
from Yw_InDetail d
     left join Yw_InHead h on h.InHead_ID = d.InMain_Id
     left join Jb_Goods g on g.Goods_Id = d.GoodsId_In;

create view V_Yw_SaHead as
select h.*,
       (select case when v < 0 then '-' else '' end || (abs(v) / 10000) || rtrim(rtrim('.' || substr('0000' || (abs(v) % 10000), -4), '0'), '.')
        from (select coalesce(sum(coalesce(d.SaNum1, 0) * cast(round(coalesce(d.Sa_Price1, 0) * 10000) as integer)
                      + coalesce(d.SaNum2, 0) * cast(round(coalesce(d.Sa_Price2, 0) * 10000) as integer)
                      + coalesce(d.SaNum3, 0) * cast(round(coalesce(d.Sa_Price3, 0) * 10000) as integer)), 0) as v
              from Yw_SaDetail d where d.SaMain_Id = h.SaHead_Id)) as TPrice
from Yw_SaHead h;

-- One row per sales line whose goods exists (the stock engine reads its lines here).
-- TuNum counts the line in the goods' smallest defined unit, as V_Yw_KcData_Pc does.
create view V_Yw_SaDetail as
select d.*,
       (select case when v < 0 then '-' else '' end || (abs(v) / 10000) || rtrim(rtrim('.' || substr('0000' || (abs(v) % 10000), -4), '0'), '.')
        from (select coalesce(d.SaNum1, 0) * cast(round(coalesce(d.Sa_Price1, 0) * 10000) as integer)
                      + coalesce(d.SaNum2, 0) * cast(round(coalesce(d.Sa_Price2, 0) * 10000) as integer)
                      + coalesce(d.SaNum3, 0) * cast(round(coalesce(d.Sa_Price3, 0) * 10000) as integer) as v)) as T_Price,
       (select case when v < 0 then '-' else '' end || (abs(v) / 10000) || rtrim(rtrim('.' || substr('0000' || (abs(v) % 10000), -4), '0'), '.')
        from (select coalesce(d.SaNum1, 0) * cast(round(coalesce(d.Sa_Price1_Kd, 0) * 10000) as integer)
                      + coalesce(d.SaNum2, 0) * cast(round(coalesce(d.Sa_Price2_Kd, 0) * 10000) as integer)
                      + coalesce(d.SaNum3, 0) * cast(round(coalesce(d.Sa_Price3_Kd, 0) * 10000) as integer) as v)) as T_Price_Kd,
       cast(coalesce(d.SaNum1, 0) as varchar) || coalesce(g.Unit1, '')
       || case when coalesce(g.Unit2, '') <> '' and coalesce(d.SaNum2, 0) <> 0 then cast(d.SaNum2 as varchar) || g.Unit2 else '' end
       || case when coalesce(g.Unit3, '') <> '' and coalesce(d.SaNum3, 0) <> 0 then cast(d.SaNum3 as varchar) || g.Unit3 else '' end
       as SaNum,
       g.GoodsNo, g.GoodsName, g.Depart, g.Unit1, g.Unit2, g.Unit3, g.uNum1_2, g.uNum2_3,
       h.Sa_AutoNum, h.Sa_Date, h.ClientName,
       coalesce(d.SaNum1, 0)
         * (case when g.uNum1_2 > 0 then g.uNum1_2 else 1 end) * (case when g.uNum2_3 > 0 then g.uNum2_3 else 1 end)
       + coalesce(d.SaNum2, 0) * (case when g.uNum2_3 > 0 then g.uNum2_3 else 1 end)
       + coalesce(d.SaNum3, 0) as TuNum
from Yw_SaDetail d
     join Jb_Goods g on g.Goods_Id = d.GoodsId_Sa
     left join Yw_SaHead h on h.SaHead_Id = d.SaMain_Id;

create view V_Yw_Shgl as
select s.*, h.SaHead_Id, h.Sa_AutoNum
from Yw_Shgl s left join Yw_SaHead h on h.SaHead_Id = s.SaMainId_Shgl;
