-- Wrong passwords in a row, per operator, and the time of the last one (seconds since
-- 1970, UTC): the wait before the next try survives a restart.
alter table WJ_SYS_CZY add column CZYFAILS integer not null default 0;
alter table WJ_SYS_CZY add column CZYFAILAT bigint not null default 0;
-- One barcode names one goods: the unique index UX_Jb_Goods_Tm_Txm is created by the
-- schema runner as soon as no barcode is stored twice (a database may already hold
-- duplicates; their owner is told and resolves them first).
