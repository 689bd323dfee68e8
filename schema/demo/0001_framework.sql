-- Demo data of the framework: a second operator with a few rights, so a new shop
-- sees how rights work. Its password is set at its first login.
insert into WJ_SYS_CZY(CZYNAME,CZYPASSWORD,CZYLEVEL,CZYNOTE) values('收银员','',3,'前台收银');
insert into WJ_SYS_CZYQX(CZYNAME,QXCODE) values('收银员','XS_ADD');
insert into WJ_SYS_CZYQX(CZYNAME,QXCODE) values('收银员','XS_EDIT');
