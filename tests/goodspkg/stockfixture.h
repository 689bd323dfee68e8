// Test fixture for stock work: goods with their unit factors, stock rows and the four
// document kinds, written straight into the database under test.
#pragma once
#include "calcunitnum.h"
#include "wjdbaction.h"

#include <QMap>
#include <QString>
#include <array>

using Qty = std::array<qint64, 3>;

class StockFixture
{
public:
    explicit StockFixture(TDBAction &db) : m_db(db) {}

    int Goods(int f12 = 0, int f23 = 0)
    {
        const int id = key("Jb_Goods", "Goods_Id");
        m_db.ExecuteSQL(QStringLiteral("insert into Jb_Goods(Goods_Id,GoodsName,Unit1,uNum1_2,Unit2,uNum2_3,Unit3) values(%1,%2,'箱',%3,%4,%5,%6)")
                            .arg(id).arg(TDBAction::QuotedStr(QStringLiteral("商品%1").arg(id)))
                            .arg(f12).arg(TDBAction::QuotedStr(f12 > 0 ? QStringLiteral("包") : QString()))
                            .arg(f23).arg(TDBAction::QuotedStr(f23 > 0 ? QStringLiteral("只") : QString())));
        m_factors[id] = {f12, f23};
        return id;
    }

    // A stock row; an empty batch code or date is stored as null.
    int Stock(int goods, const QString &pc, const QString &date, Qty q)
    {
        const int id = key("Yw_KcData", "KcData_Id");
        m_db.ExecuteSQL(QStringLiteral("insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3) values(%1,%2,%3,%4,%5,%6,%7)")
                            .arg(id).arg(goods).arg(text(pc), date.isEmpty() ? QStringLiteral("null") : TDBAction::QuotedStr(date))
                            .arg(q[0]).arg(q[1]).arg(q[2]));
        return id;
    }

    // A head with flag `flag`; returns its key. `kind`: "In", "Sa", "Th", "Sc".
    int Head(const QString &kind, int flag, int updateKc = 0)
    {
        const Doc d = doc(kind);
        const int id = key(d.head, d.key);
        if (kind == QLatin1String("Th"))
            m_db.ExecuteSQL(QStringLiteral("insert into Yw_ThHead(ThHead_ID,Th_AutoNum,ThFlag,UpdateKc_Flag) values(%1,'TH%1',%2,%3)")
                                .arg(id).arg(flag).arg(updateKc));
        else
            m_db.ExecuteSQL(QStringLiteral("insert into %1(%2,%3,%4) values(%5,%6,%7)")
                                .arg(d.head, d.key, d.flag, d.autoNum)
                                .arg(id).arg(flag).arg(TDBAction::QuotedStr(kind + QString::number(id))));
        return id;
    }

    // A line of document `head`; `pc` and `date` are ignored where the kind has none.
    int Line(const QString &kind, int head, int goods, Qty q, const QString &pc = QString(), const QString &date = QString())
    {
        const Doc d = doc(kind);
        const int id = key(d.detail, d.detailKey);
        QString cols = QStringLiteral("%1,%2,%3,%4,%5,%6,%7").arg(d.detailKey, d.mainKey, d.xh, d.goods, d.num + '1', d.num + '2', d.num + '3');
        QString vals = QStringLiteral("%1,%2,%1,%3,%4,%5,%6").arg(id).arg(head).arg(goods).arg(q[0]).arg(q[1]).arg(q[2]);
        if (kind != QLatin1String("Sc")) {
            cols += QStringLiteral(",Pc");
            vals += QLatin1Char(',') + text(pc);
        }
        if (kind == QLatin1String("In")) {
            cols += QStringLiteral(",Yx_date");
            vals += QLatin1Char(',') + (date.isEmpty() ? QStringLiteral("null") : TDBAction::QuotedStr(date));
        }
        m_db.ExecuteSQL(QStringLiteral("insert into %1(%2) values(%3)").arg(d.detail, cols, vals));
        return id;
    }

    Qty StockOf(int kcId)
    {
        TWjQuery q;
        m_db.SelectTable(QStringLiteral("select * from Yw_KcData where KcData_Id=%1").arg(kcId), q);
        if (q.IsEmpty())
            return {-999999, -999999, -999999};
        return {q.FieldByName("KcNum_Unit1").AsLargeInt(), q.FieldByName("KcNum_Unit2").AsLargeInt(), q.FieldByName("KcNum_Unit3").AsLargeInt()};
    }

    // Every stock row: key -> quantity in the goods' smallest unit.
    QMap<qint64, qint64> Snapshot()
    {
        QMap<qint64, qint64> r;
        TWjQuery q;
        m_db.SelectTable(QStringLiteral("select k.*,g.uNum1_2,g.uNum2_3 from Yw_KcData k left join Jb_Goods g on g.Goods_Id=k.GoodsId_Kc"), q);
        for (q.First(); !q.Eof(); q.Next())
            r[q.FieldByName("KcData_Id").AsLargeInt()] = qint64(TCalcUnitNum::SmallestUnits(
                q.FieldByName("uNum1_2").AsLargeInt(), q.FieldByName("uNum2_3").AsLargeInt(), q.FieldByName("KcNum_Unit1").AsLargeInt(),
                q.FieldByName("KcNum_Unit2").AsLargeInt(), q.FieldByName("KcNum_Unit3").AsLargeInt()));
        return r;
    }

    qint64 Smallest(int goods, Qty q) const
    {
        const auto f = m_factors.value(goods);
        return qint64(TCalcUnitNum::SmallestUnits(f.first, f.second, q[0], q[1], q[2]));
    }

    int Count(const QString &sql) { return m_db.SelectValue(QStringLiteral("select count(*) from ") + sql).toInt(); }
    QString Value(const QString &sql) { return m_db.SelectValue(sql).toString(); }

private:
    struct Doc { QString head, key, flag, autoNum, detail, detailKey, mainKey, xh, goods, num; };
    static Doc doc(const QString &kind)
    {
        if (kind == QLatin1String("In"))
            return {"Yw_InHead", "InHead_ID", "InFlag", "In_AutoNum", "Yw_InDetail", "InDetail_Id", "InMain_Id", "Xh_Indetail", "GoodsId_In", "InNum"};
        if (kind == QLatin1String("Sa"))
            return {"Yw_SaHead", "SaHead_Id", "SaFlag", "Sa_AutoNum", "Yw_SaDetail", "SaDetail_Id", "SaMain_Id", "Xh_SaDetail", "GoodsId_Sa", "SaNum"};
        if (kind == QLatin1String("Th"))
            return {"Yw_ThHead", "ThHead_ID", "ThFlag", "Th_AutoNum", "Yw_ThDetail", "ThDetail_Id", "ThMain_Id", "Xh_Thdetail", "GoodsId_Th", "ThNum"};
        return {"Yw_ScHead", "ScHead_ID", "ScFlag", "Sc_AutoNum", "Yw_ScDetail", "ScDetail_Id", "ScMain_Id", "Xh_Scdetail", "GoodsId_Sc", "ScNum"};
    }
    static QString text(const QString &s) { return s.isEmpty() ? QStringLiteral("null") : TDBAction::QuotedStr(s); }
    int key(const QString &table, const QString &column) { return m_db.GetTbId(table, column).toInt(); }

    TDBAction &m_db;
    QMap<int, QPair<int, int>> m_factors;
};
