-- Demo documents: a tyre purchase from 朝阳轮胎 and a sale of tyres and oil filters to
-- 顺达出租, both audited, with the stock moves and allocation rows their audits made;
-- and, not yet audited, a purchase from 博世 and a sale to 宏运物流. The demo partners
-- and workers keep their numbers: the number codes continue after them.
update WJ_SYS_BH set CURNO=3 where BHCODE='ClientNo';
update WJ_SYS_BH set CURNO=3 where BHCODE='GysNo';
update WJ_SYS_BH set CURNO=4 where BHCODE='ZGBH';

-- Audited purchase: 8 tyres in the new batch T2601.
insert into Yw_InHead(InHead_ID,In_AutoNum,In_Date,Operation,PayType,GysId,ClientName,Lxdh,InFlag,Bz_InHead,Shr,sh_date)
  values(1,'JH202601080001','2026-01-08','系统管理员','转帐',3,'朝阳轮胎批发中心','0571-86220003',2,'冬季备货','系统管理员','2026-01-08');
insert into Yw_InDetail(InDetail_Id,InMain_Id,Xh_Indetail,GoodsId_In,Pc,Yx_date,InNum1,InNum2,InNum3,In_Price1,In_Price2,In_Price3,T_Price,Posi,ReMark)
  values(1,1,1,2,'T2601','2031-12-31',8,0,0,380,0,0,3040,'C-03','');
insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3)
  select coalesce(max(KcData_Id),0)+1,2,'T2601','2031-12-31',8,0,0 from Yw_KcData;
update Jb_Goods set LastIn_Date='2026-01-08' where Goods_Id=2;

-- Audited sale: 4 tyres from T2601 and 2 oil filters from L2401.
insert into Yw_SaHead(SaHead_Id,Sa_AutoNum,Sa_Lsh,Sa_Date,Operation,PayType,Fp_Type,ClientId,ClientName,Lxdh,Ps_Car,SaFlag,Bz_SaHead,Shr,sh_date)
  values(1,'XS202601100001','202601100001','2026-01-10','系统管理员','月结','普通发票',1,'顺达出租汽车公司','0571-86001234','浙A-D1234',2,'','系统管理员','2026-01-10');
insert into Yw_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,Pc,SaNum1,SaNum2,SaNum3,Sa_Price1,Sa_Price2,Sa_Price3,Sa_Price1_Kd,Sa_Price2_Kd,Sa_Price3_Kd,TIn_Price,ReMark)
  values(1,1,1,2,'',4,0,0,520,0,0,520,0,0,1520,'');
insert into Yw_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,Pc,SaNum1,SaNum2,SaNum3,Sa_Price1,Sa_Price2,Sa_Price3,Sa_Price1_Kd,Sa_Price2_Kd,Sa_Price3_Kd,TIn_Price,ReMark)
  values(2,1,2,1,'',2,0,0,35,0,0,35,0,0,45,'');
insert into Yw_SaDetail_Kc(SaDel_Kc_Id,SaDel_Id,Kc_Id,SaNum1,SaNum2,SaNum3)
  select 1,1,KcData_Id,4,0,0 from Yw_KcData where GoodsId_Kc=2 and Pc='T2601';
insert into Yw_SaDetail_Kc(SaDel_Kc_Id,SaDel_Id,Kc_Id,SaNum1,SaNum2,SaNum3)
  select 2,2,KcData_Id,2,0,0 from Yw_KcData where GoodsId_Kc=1 and Pc='L2401';
update Yw_KcData set KcNum_Unit1=KcNum_Unit1-4 where GoodsId_Kc=2 and Pc='T2601';
update Yw_KcData set KcNum_Unit1=KcNum_Unit1-2 where GoodsId_Kc=1 and Pc='L2401';
update Jb_Goods set LastSa_Date='2026-01-10' where Goods_Id in (1,2);

-- Saved, not audited: oil filters and spark plugs from 博世.
insert into Yw_InHead(InHead_ID,In_AutoNum,In_Date,Operation,PayType,GysId,ClientName,Lxdh,InFlag,Bz_InHead)
  values(2,'JH202601120001','2026-01-12','系统管理员','月结',1,'博世汽车配件杭州经销部','0571-85550001',1,'');
insert into Yw_InDetail(InDetail_Id,InMain_Id,Xh_Indetail,GoodsId_In,Pc,Yx_date,InNum1,InNum2,InNum3,In_Price1,In_Price2,In_Price3,T_Price,Posi,ReMark)
  values(2,2,1,1,'L2601','2029-06-30',20,0,0,21.8,0,0,436,'A-01','');
insert into Yw_InDetail(InDetail_Id,InMain_Id,Xh_Indetail,GoodsId_In,Pc,Yx_date,InNum1,InNum2,InNum3,In_Price1,In_Price2,In_Price3,T_Price,Posi,ReMark)
  values(3,2,2,5,'H2601','2031-06-30',1,5,0,1800,185,48,2725,'A-05','');

-- Saved, not audited: engine oil and antifreeze for 宏运物流.
insert into Yw_SaHead(SaHead_Id,Sa_AutoNum,Sa_Lsh,Sa_Date,Operation,PayType,Fp_Type,ClientId,ClientName,Lxdh,Ps_Car,SaFlag,Bz_SaHead)
  values(2,'XS202601150001','202601150001','2026-01-15','系统管理员','现金','不开票',3,'宏运物流有限公司','0571-86779900','',1,'');
insert into Yw_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,Pc,SaNum1,SaNum2,SaNum3,Sa_Price1,Sa_Price2,Sa_Price3,Sa_Price1_Kd,Sa_Price2_Kd,Sa_Price3_Kd,TIn_Price,ReMark)
  values(3,2,1,3,'',1,0,0,2050,178,0,2160,188,0,1560,'');
insert into Yw_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,Pc,SaNum1,SaNum2,SaNum3,Sa_Price1,Sa_Price2,Sa_Price3,Sa_Price1_Kd,Sa_Price2_Kd,Sa_Price3_Kd,TIn_Price,ReMark)
  values(4,2,2,4,'',0,3,0,300,52,0,300,52,0,109.5,'');
