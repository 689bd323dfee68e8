-- The goods editor's default for "过期前提示天数" of a new goods.
insert into WJ_SYS_PARAM(PGROUP,PNAME,PVALUE,PNOTE) values('参数设置内容','默认提前提醒天数','10','新增商品时的过期前提示天数');
