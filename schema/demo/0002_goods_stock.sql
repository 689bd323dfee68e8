-- Demo goods and stock: a small type tree, goods with one, two and three units and
-- their barcodes, clients, suppliers, workers, departments, partner prices and a few
-- stock batches with expiry dates.
insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(1,0,'发动机配件','FD',3);
insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(2,1,'滤清器','FDL',1);
insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(3,0,'油品','YP',2);
insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(4,0,'轮胎','LT',1);
insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(5,0,'电器配件','DQ',1);

insert into Jb_Bmjg(MeId,ParentId,BmjgName) values(1,0,'维修部');
insert into Jb_Bmjg(MeId,ParentId,BmjgName) values(2,0,'配件部');
insert into Jb_Bmjg(MeId,ParentId,BmjgName) values(3,2,'仓库');

-- One unit.
insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,PyNo,Depart,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,
  LastIn_Price1,LastIn_Price2,LastIn_Price3,LastSa_Price1,LastSa_Price2,LastSa_Price3,LastPf_Price1,LastPf_Price2,LastPf_Price3,
  LastJg_Price1,LastJg_Price2,LastJg_Price3,Posi,Top_Num,Bot_Num,TipsDay_Num)
  values(1,2,'FDL0001','机油滤清器','JYLQQ','W712/75','个',0,'',0,'',22.5,0,0,35,0,0,30,0,0,32,0,0,'A-01',200,10,0);
insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,PyNo,Depart,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,
  LastIn_Price1,LastIn_Price2,LastIn_Price3,LastSa_Price1,LastSa_Price2,LastSa_Price3,LastPf_Price1,LastPf_Price2,LastPf_Price3,
  LastJg_Price1,LastJg_Price2,LastJg_Price3,Posi,Top_Num,Bot_Num,TipsDay_Num)
  values(2,4,'LT0001','轮胎','LT','205/55R16','条',0,'',0,'',380,0,0,520,0,0,480,0,0,500,0,0,'C-03',40,4,0);
-- Two units: a box of 12 bottles.
insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,PyNo,Depart,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,
  LastIn_Price1,LastIn_Price2,LastIn_Price3,LastSa_Price1,LastSa_Price2,LastSa_Price3,LastPf_Price1,LastPf_Price2,LastPf_Price3,
  LastJg_Price1,LastJg_Price2,LastJg_Price3,Posi,Top_Num,Bot_Num,TipsDay_Num)
  values(3,3,'YP0001','全合成机油','QHCJY','5W-30 4L','箱',12,'瓶',0,'',1560,135,0,2160,188,0,1980,172,0,2050,180,0,'B-01',50,5,60);
insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,PyNo,Depart,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,
  LastIn_Price1,LastIn_Price2,LastIn_Price3,LastSa_Price1,LastSa_Price2,LastSa_Price3,LastPf_Price1,LastPf_Price2,LastPf_Price3,
  LastJg_Price1,LastJg_Price2,LastJg_Price3,Posi,Top_Num,Bot_Num,TipsDay_Num)
  values(4,3,'YP0002','防冻液','FDY','-35℃ 2kg','箱',6,'桶',0,'',210,36.5,0,300,52,0,270,47,0,285,49.5,0,'B-02',30,3,90);
-- Three units: a box of 10 packs of 4 pieces.
insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,PyNo,Depart,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,
  LastIn_Price1,LastIn_Price2,LastIn_Price3,LastSa_Price1,LastSa_Price2,LastSa_Price3,LastPf_Price1,LastPf_Price2,LastPf_Price3,
  LastJg_Price1,LastJg_Price2,LastJg_Price3,Posi,Top_Num,Bot_Num,TipsDay_Num)
  values(5,1,'FD0001','火花塞','HHS','铱金 ILKAR7B11','箱',10,'盒',4,'只',1800,185,48,2400,248,65,2200,228,60,2300,238,62,'A-05',20,2,0);
insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,PyNo,Depart,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,
  LastIn_Price1,LastIn_Price2,LastIn_Price3,LastSa_Price1,LastSa_Price2,LastSa_Price3,LastPf_Price1,LastPf_Price2,LastPf_Price3,
  LastJg_Price1,LastJg_Price2,LastJg_Price3,Posi,Top_Num,Bot_Num,TipsDay_Num)
  values(6,5,'DQ0001','保险丝','BXS','10A 插片式','箱',20,'包',50,'只',600,31,0.65,900,46,1,800,41,0.9,850,43.5,0.95,'D-01',10,1,0);

insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(1,1,'6901234500011',1);
insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(2,2,'6901234500028',1);
insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(3,3,'6901234500035',1);
insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(4,3,'6901234500042',2);
insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(5,4,'6901234500059',2);
insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(6,5,'6901234500066',1);
insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(7,5,'6901234500073',2);
insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(8,5,'6901234500080',3);
insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(9,6,'6901234500097',2);

insert into Jb_Client(Client_Id,ClientNo,SortName,ClientName,Lxdz,Lxdh,persion,Per_Lxdh,SendAddr,PostCode,Area,cType,Cl_Flag)
  values(1,'KH0001','顺达','顺达出租汽车公司','城东路18号','0571-86001234','王经理','13900001111','城东路18号车队','310000','单位客户','城东',0);
insert into Jb_Client(Client_Id,ClientNo,SortName,ClientName,Lxdz,Lxdh,persion,Per_Lxdh,SendAddr,PostCode,Area,cType,Cl_Flag)
  values(2,'KH0002','李先生','李建国','西湖区文一路66号','0571-88112233','李建国','13800002222','','310012','个人客户','城西',0);
insert into Jb_Client(Client_Id,ClientNo,SortName,ClientName,Lxdz,Lxdh,persion,Per_Lxdh,SendAddr,PostCode,Area,cType,Cl_Flag)
  values(3,'KH0003','宏运','宏运物流有限公司','下沙经济开发区9号','0571-86779900','陈主管','13700003333','下沙仓库','310018','单位客户','下沙',0);

insert into Jb_Gys(Client_Id,ClientNo,SortName,ClientName,Lxdz,Lxdh,persion,Per_Lxdh,PostCode,bank,accNo)
  values(1,'GYS0001','博世','博世汽车配件杭州经销部','莫干山路200号','0571-85550001','赵经理','13600004444','310005','工商银行','1202020309000012345');
insert into Jb_Gys(Client_Id,ClientNo,SortName,ClientName,Lxdz,Lxdh,persion,Per_Lxdh,PostCode,bank,accNo)
  values(2,'GYS0002','美孚','美孚润滑油华东代理','滨江区江南大道88号','0571-87770002','孙小姐','13500005555','310051','建设银行','33001617835059000123');
insert into Jb_Gys(Client_Id,ClientNo,SortName,ClientName,Lxdz,Lxdh,persion,Per_Lxdh,PostCode,bank,accNo)
  values(3,'GYS0003','朝阳','朝阳轮胎批发中心','余杭区临平大道3号','0571-86220003','周老板','13400006666','311100','农业银行','19030101040012345');

insert into Jb_Worker(WORK_ID,ZGBH,ZGNAME,SFZHM,CS_DATE,XB,LXDH,LXDZ,WORK_DATE,SSBM,ZW,JBGZ)
  values(1,'YG0001','张师傅','330102197805120011','1978-05-12','男','13300007777','城北小区3幢','2008-03-01','维修部','技师',6500);
insert into Jb_Worker(WORK_ID,ZGBH,ZGNAME,SFZHM,CS_DATE,XB,LXDH,LXDZ,WORK_DATE,SSBM,ZW,JBGZ)
  values(2,'YG0002','刘小明','330104199109230032','1991-09-23','男','13200008888','三墩镇东街12号','2015-07-15','维修部','学徒',3800);
insert into Jb_Worker(WORK_ID,ZGBH,ZGNAME,SFZHM,CS_DATE,XB,LXDH,LXDZ,WORK_DATE,SSBM,ZW,JBGZ)
  values(3,'YG0003','陈丽','330106198702140045','1987-02-14','女','13100009999','文三路77号','2012-11-05','配件部','仓管员',4500);
insert into Jb_Worker(WORK_ID,ZGBH,ZGNAME,SFZHM,CS_DATE,XB,LXDH,LXDZ,WORK_DATE,SSBM,ZW,JBGZ)
  values(4,'YG0004','王芳','330108199512300028','1995-12-30','女','13000001010','古荡新村5幢','2019-04-01','财务部','出纳',4200);

insert into Jb_Goods_Kh(Jb_Goods_Kh_Id,GoodsId_Kh,ObjType,ObjId,dPrice1,dPrice2,dPrice3,dPrice1_Kd,dPrice2_Kd,dPrice3_Kd)
  values(1,3,1,1,2050,178,0,2160,188,0);
insert into Jb_Goods_Kh(Jb_Goods_Kh_Id,GoodsId_Kh,ObjType,ObjId,dPrice1,dPrice2,dPrice3,dPrice1_Kd,dPrice2_Kd,dPrice3_Kd)
  values(2,1,0,1,21.8,0,0,21.8,0,0);

-- Stock: the engine oil in two batches (the earlier expiry is sold first), the other
-- goods in one batch each; the tyres have none yet.
insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3) values(1,1,'L2401','2028-12-31',46,0,0);
insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3) values(2,3,'M2311','2026-11-30',3,5,0);
insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3) values(3,3,'M2405','2027-05-31',8,0,0);
insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3) values(4,4,'F2402','2027-02-28',4,3,0);
insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3) values(5,5,'H2403','2030-03-31',2,7,3);
insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3) values(6,6,'B2401','2031-01-31',1,12,30);
