-- Demo insurance data: the usual covered risks with their default sums and premiums,
-- four vehicles of the shop's clients, and one policy sold on the first of them with
-- three covered risks and a discount of 10 per cent.
insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(1,'机动车交通事故责任强制保险',122000,950);
insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(2,'机动车损失保险',150000,2380.5);
insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(3,'第三者责任保险',1000000,1120);
insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(4,'车上人员责任保险(司机)',10000,42);
insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(5,'车上人员责任保险(乘客)',40000,108);
insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(6,'全车盗抢保险',150000,620);
insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(7,'玻璃单独破碎险',0,210);

insert into Jb_CarData(Wx_CarData_Id,RegiCode,Factry,Car_Model,BoxNo,ChaFactNo,MasterName)
  values(1,'浙A-D1234','大众帕萨特','小型轿车','EA888-0312457','LSVCC6A49KN012345','顺达出租汽车公司');
insert into Jb_CarData(Wx_CarData_Id,RegiCode,Factry,Car_Model,BoxNo,ChaFactNo,MasterName)
  values(2,'浙A-F5678','丰田卡罗拉','小型轿车','8ZR-5520931','LFMAPE2C6J0456789','宏运物流有限公司');
insert into Jb_CarData(Wx_CarData_Id,RegiCode,Factry,Car_Model,BoxNo,ChaFactNo,MasterName)
  values(3,'浙A-88K66','江铃全顺','轻型客车','JX4D24-7781204','LJXCMCBH5KT123456','王建国');
insert into Jb_CarData(Wx_CarData_Id,RegiCode,Factry,Car_Model,BoxNo,ChaFactNo,MasterName)
  values(4,'浙B-12345','解放J6P','重型货车','CA6DM2-0098811','LFWSRXSJ8J1A00321','宁波港运输公司');

insert into tBxMain(BxMain_Id,BxdBh,RegiCode,BbxR,XszCz,CpColor,CarColor,Car_Model,Factry,BoxNo,ChaFactNo,Hdzk,Hdzzl,Pl_Gl,Scg,
                    CarPrice,fDj_YM,Syxz,Sxqy,Bxqx_B,Bxqx_E,Fjsm,Jzbf,PjYhl,YhJe,BxfHj)
  values(1,'PDAA202633010000000451','浙A-D1234','顺达出租汽车公司','顺达出租汽车公司','蓝色','白色','小型轿车','大众帕萨特',
         'EA888-0312457','LSVCC6A49KN012345','5','','1.8L','中国',189800,'2019-05','营业出租租赁','省内',
         '2026-01-15','2027-01-14','续保客户，赠送一次免费保养。',4450.5,10,445.05,4005.45);
insert into tBxMain_Detail(BxMain_DetailId,BxMain_Id,Xh_BxDetail,BxType,BxJe,Bxf) values(1,1,1,'机动车交通事故责任强制保险',122000,950);
insert into tBxMain_Detail(BxMain_DetailId,BxMain_Id,Xh_BxDetail,BxType,BxJe,Bxf) values(2,1,2,'机动车损失保险',150000,2380.5);
insert into tBxMain_Detail(BxMain_DetailId,BxMain_Id,Xh_BxDetail,BxType,BxJe,Bxf) values(3,1,3,'第三者责任保险',1000000,1120);
