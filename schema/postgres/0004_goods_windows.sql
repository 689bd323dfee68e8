-- The goods windows: goods are looked up by their pinyin initials too.
create index IX_Jb_Goods_PyNo on Jb_Goods(PyNo);
