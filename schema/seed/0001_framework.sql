-- Rows every database holds: the first operator (level 0, no password yet: the first
-- login sets it), the right codes, the shell's parameters and the number codes.
insert into WJ_SYS_CZY(CZYNAME,CZYPASSWORD,CZYLEVEL,CZYNOTE) values('系统管理员','',0,'拥有全部权限');

insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_XXGL','选项管理','系统管理',1);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_CZY','操作员管理','系统管理',2);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_LOG','日志管理','系统管理',3);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_CS','参数设置','系统管理',4);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_BHGL','编号管理','系统管理',5);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_BACKUP','资料备份','系统管理',6);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_RES','资料恢复','系统管理',7);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_DATA','数据管理','系统管理',8);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SYS_CYY','常用语设置','系统管理',9);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('IN_ADD','进货开单','进货管理',20);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('IN_EDIT','修改进货单','进货管理',21);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('IN_DEL','删除进货单','进货管理',22);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('IN_SH','审核进货单','进货管理',23);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('XS_ADD','销售开单','销售管理',30);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('XS_EDIT','修改销售单','销售管理',31);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('XS_DEL','删除销售单','销售管理',32);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('XS_SH','审核销售单','销售管理',33);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('TH_SAADD','销售退货开单','退货管理',40);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('TH_INADD','进货退货开单','退货管理',41);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('TH_EDIT','修改退货单','退货管理',42);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('TH_DEL','删除退货单','退货管理',43);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('TH_SH','审核退货单','退货管理',44);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('KC_ADD','新增库存','库存资料',50);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('KC_EDIT','修改库存','库存资料',51);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('KC_DEL','删除库存','库存资料',52);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('KC_INSA','库存出入记录','库存资料',53);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SH_ADD','新增送货单','送货管理',60);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SH_EDIT','修改送货单','送货管理',61);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SH_DEL','删除送货单','送货管理',62);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('SH_QR','确认送货单','送货管理',63);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('Sc_ADD','生产开单','生产管理',70);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('JB_KHDA','客户档案','基础资料',80);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('JB_GYSDA','供应商档案','基础资料',81);
insert into WJ_SYS_QX(QXCODE,QXNAME,QXGROUP,QXORDER) values('JB_YGDA','员工档案','基础资料',82);

insert into WJ_SYS_PARAM(PGROUP,PNAME,PVALUE,PNOTE) values('参数设置内容','程序自动挂起时间(分钟)','10','无操作多久后自动挂起');
insert into WJ_SYS_PARAM(PGROUP,PNAME,PVALUE,PNOTE) values('选项参数设置','登录时是否提示提醒资料','0','1：登录后显示提醒资料');

insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('IN_BH','进货单号','JH','yyyyMMdd',4,'',0);
insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('SA_LSH','销售流水号','','yyyyMMdd',4,'',0);
insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('POS_BH','前台小票号','XP','yyyyMMdd',4,'',0);
