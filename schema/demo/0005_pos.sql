-- Demo counter data: one paid ticket of the demo goods, and one held ticket waiting at
-- the counter to be recalled with Home. The key table knows the keys used here.
insert into Yw_Pos_SaHead(SaHead_Id,Sa_AutoNum,Sa_Date,PayType,Operation) values(1,'XP202601100001','2026-01-10','现金','收银员');
insert into Yw_Pos_SaDetailTmp(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,GoodsName,GoodsNo,Unit,Unit_Flag,SaNum,Sa_Price,In_Price)
  values(1,1,1,3,'全合成机油','YP0001','瓶',2,2,188,135);
insert into Yw_Pos_SaDetailTmp(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,GoodsName,GoodsNo,Unit,Unit_Flag,SaNum,Sa_Price,In_Price)
  values(2,1,2,1,'机油滤清器','FDL0001','个',1,1,35,22.5);
insert into Yw_Pos_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,SaNum1,Sa_Price1,SaNum2,Sa_Price2,SaNum3,Sa_Price3,TIn_Price,Unit_Flag)
  values(1,1,1,3,0,0,2,188,0,0,270,2);
insert into Yw_Pos_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,SaNum1,Sa_Price1,SaNum2,Sa_Price2,SaNum3,Sa_Price3,TIn_Price,Unit_Flag)
  values(2,1,2,1,1,35,0,0,0,0,22.5,1);

insert into Yw_Pos_Gd(Gd_Id,SaMainBh,sGoods,SaHead_Id,Operation,Gd_Time)
  values(1,'XP202601100002','火花塞,防冻液',2,'收银员','2026-01-10 10:20:00');
insert into Yw_Pos_GdDetail(SaDetail_Id,Gd_Id,Xh_SaDetail,GoodsId_Sa,GoodsName,GoodsNo,Unit,Unit_Flag,SaNum,Sa_Price,In_Price)
  values(3,1,1,5,'火花塞','FD0001','只',3,4,65,48);
insert into Yw_Pos_GdDetail(SaDetail_Id,Gd_Id,Xh_SaDetail,GoodsId_Sa,GoodsName,GoodsNo,Unit,Unit_Flag,SaNum,Sa_Price,In_Price)
  values(4,1,2,4,'防冻液','YP0002','桶',2,1,52,36.5);

-- The held ticket's key and its lines' keys are taken: new tickets get others.
insert into WJ_SYS_TBID(TBNAME,IDNAME,CURID) values('YW_POS_SAHEAD','SAHEAD_ID',2);
insert into WJ_SYS_TBID(TBNAME,IDNAME,CURID) values('YW_POS_SADETAILTMP','SADETAIL_ID',4);
