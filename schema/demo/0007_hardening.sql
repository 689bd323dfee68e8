-- The demo goods take the numbers new goods get: the type's prefix and three digits
-- (FD001, then FD004 for the next of a type whose counter stands at 3). Rows already
-- renumbered by their owner keep their numbers.
update Jb_Goods set GoodsNo='FDL001' where Goods_Id=1 and GoodsNo='FDL0001';
update Jb_Goods set GoodsNo='LT001' where Goods_Id=2 and GoodsNo='LT0001';
update Jb_Goods set GoodsNo='YP001' where Goods_Id=3 and GoodsNo='YP0001';
update Jb_Goods set GoodsNo='YP002' where Goods_Id=4 and GoodsNo='YP0002';
update Jb_Goods set GoodsNo='FD001' where Goods_Id=5 and GoodsNo='FD0001';
update Jb_Goods set GoodsNo='DQ001' where Goods_Id=6 and GoodsNo='DQ0001';
update Yw_Pos_SaDetailTmp set GoodsNo='YP001' where GoodsId_Sa=3 and GoodsNo='YP0001';
update Yw_Pos_SaDetailTmp set GoodsNo='FDL001' where GoodsId_Sa=1 and GoodsNo='FDL0001';
update Yw_Pos_GdDetail set GoodsNo='FD001' where GoodsId_Sa=5 and GoodsNo='FD0001';
update Yw_Pos_GdDetail set GoodsNo='YP002' where GoodsId_Sa=4 and GoodsNo='YP0002';
