-- The counter's tickets: the heads of paid tickets, their lines as entered and as
-- saved in the three-unit layout, and the held tickets with their lines. Dates are
-- ISO text. Quantities are real numbers: the counter sells weighed goods (1.5 kg).
-- Money is "decimal_text" as in the goods tables: kept as the exact decimal text.

create table Yw_Pos_SaHead (
  SaHead_Id   integer not null primary key,
  Sa_AutoNum  varchar(30) not null default '',
  Sa_Date     date,
  PayType     varchar(20) not null default '',
  Operation   varchar(50) not null default ''
);
create index IX_Yw_Pos_SaHead_Date on Yw_Pos_SaHead(Sa_Date);

create table Yw_Pos_SaDetailTmp (
  SaDetail_Id  integer not null primary key,
  SaMain_Id    integer not null,
  Xh_SaDetail  integer not null default 0,
  GoodsId_Sa   integer not null,
  GoodsName    varchar(50) not null default '',
  GoodsNo      varchar(20) not null default '',
  Unit         varchar(10) not null default '',
  Unit_Flag    integer not null default 1,
  SaNum        real not null default 0,
  Sa_Price     decimal_text not null default 0,
  In_Price     decimal_text not null default 0
);
create index IX_Yw_Pos_SaDetailTmp_Main on Yw_Pos_SaDetailTmp(SaMain_Id);

create table Yw_Pos_SaDetail (
  SaDetail_Id  integer not null primary key,
  SaMain_Id    integer not null,
  Xh_SaDetail  integer not null default 0,
  GoodsId_Sa   integer not null,
  SaNum1       real not null default 0,
  Sa_Price1    decimal_text not null default 0,
  SaNum2       real not null default 0,
  Sa_Price2    decimal_text not null default 0,
  SaNum3       real not null default 0,
  Sa_Price3    decimal_text not null default 0,
  TIn_Price    decimal_text not null default 0,
  Unit_Flag    integer not null default 1
);
create index IX_Yw_Pos_SaDetail_Main on Yw_Pos_SaDetail(SaMain_Id);
create index IX_Yw_Pos_SaDetail_Goods on Yw_Pos_SaDetail(GoodsId_Sa);

-- Held tickets: number ("单号") and goods names ("商品名称") as the recall list shows
-- them, the key the ticket had, who held it and when.
create table Yw_Pos_Gd (
  Gd_Id      integer not null primary key,
  SaMainBh   varchar(30) not null,
  sGoods     varchar(255) not null default '',
  SaHead_Id  integer not null,
  Operation  varchar(50) not null default '',
  Gd_Time    varchar(19) not null
);

-- The lines of a held ticket, with the keys they had in the ticket.
create table Yw_Pos_GdDetail (
  SaDetail_Id  integer not null primary key,
  Gd_Id        integer not null,
  Xh_SaDetail  integer not null default 0,
  GoodsId_Sa   integer not null,
  GoodsName    varchar(50) not null default '',
  GoodsNo      varchar(20) not null default '',
  Unit         varchar(10) not null default '',
  Unit_Flag    integer not null default 1,
  SaNum        real not null default 0,
  Sa_Price     decimal_text not null default 0,
  In_Price     decimal_text not null default 0
);
create index IX_Yw_Pos_GdDetail_Gd on Yw_Pos_GdDetail(Gd_Id);
