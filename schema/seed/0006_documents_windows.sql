-- Number codes of the partner and worker editors and of the sales number: clients
-- KH0001, suppliers GYS0001, workers YG0001 (no date part, never restarting), sales
-- XS + date + four digits, restarting daily like the purchase numbers.
insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('ClientNo','客户编号','KH','',4,'',0);
insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('GysNo','供应商编号','GYS','',4,'',0);
insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('ZGBH','职工编号','YG','',4,'',0);
insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('SA_BH','销售单号','XS','yyyyMMdd',4,'',0);
