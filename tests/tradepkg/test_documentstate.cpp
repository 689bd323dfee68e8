// Audit, un-audit, confirmation and delete of business documents through TWjJxc_Bx on
// the database under test: refusals and questions, flag statements, the list reread,
// atomicity under a failing statement, and two workstations auditing one document.
#include "../goodspkg/stockfixture.h"
#include "wjerror.h"
#include "wjjxc_bx.h"
#include "wjtestsupport.h"

#include <QtTest>

namespace {
using Op = void (TWjJxc_Bx::*)();
const QMap<QString, Op> &ops()
{
    static const QMap<QString, Op> m{
        {"Sh_In", &TWjJxc_Bx::Sh_In}, {"Sh_Sa", &TWjJxc_Bx::Sh_Sa}, {"Sh_Th", &TWjJxc_Bx::Sh_Th}, {"Sh_Sc", &TWjJxc_Bx::Sh_Sc},
        {"Sh_Qr", &TWjJxc_Bx::Sh_Qr}, {"UnSh_In", &TWjJxc_Bx::UnSh_In}, {"UnSh_Sa", &TWjJxc_Bx::UnSh_Sa},
        {"UnSh_Th", &TWjJxc_Bx::UnSh_Th}, {"UnSh_Sc", &TWjJxc_Bx::UnSh_Sc}, {"Del_In", &TWjJxc_Bx::Del_In},
        {"Del_Sa", &TWjJxc_Bx::Del_Sa}, {"Del_Th", &TWjJxc_Bx::Del_Th}, {"Del_Sc", &TWjJxc_Bx::Del_Sc},
        {"Del_In_Ser", &TWjJxc_Bx::Del_In_Ser}, {"Del_Sa_Ser", &TWjJxc_Bx::Del_Sa_Ser}};
    return m;
}
struct Kind { QString head, key, flag, detail, detailKey; };
Kind kind(const QString &k)
{
    if (k == "In") return {"Yw_InHead", "InHead_ID", "InFlag", "Yw_InDetail", "InMain_Id"};
    if (k == "Sa") return {"Yw_SaHead", "SaHead_Id", "SaFlag", "Yw_SaDetail", "SaMain_Id"};
    if (k == "Th") return {"Yw_ThHead", "ThHead_ID", "ThFlag", "Yw_ThDetail", "ThMain_Id"};
    if (k == "Sc") return {"Yw_ScHead", "ScHead_ID", "ScFlag", "Yw_ScDetail", "ScMain_Id"};
    return {"Yw_Shgl", "Shgl_ID", "ShFlag", QString(), QString()};
}
QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }
QString show(const Qty &q) { return QStringLiteral("(%1, %2, %3)").arg(q[0]).arg(q[1]).arg(q[2]); }
}

class TestDocumentState : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<StockFixture> f;
    std::unique_ptr<ScriptedPrompter> prompter;
    int goods = 0, batch = 0;

    // A document of `k` with flag `flag` and one line of (0, 5, 0) from batch "B".
    int document(const QString &k, int flag, bool withLine = true, int updateKc = 0)
    {
        if (k == "Qr") {
            const int id = t->db().GetTbId("Yw_Shgl", "Shgl_ID").toInt();
            t->db().ExecuteSQL(QString("insert into Yw_Shgl(Shgl_ID,Sh_AutoNum,ShFlag) values(%1,'SH%1',%2)").arg(id).arg(flag));
            return id;
        }
        const int head = f->Head(k, flag, updateKc);
        if (withLine)
            f->Line(k, head, goods, {0, 5, 0}, "B", "2027-01-31");
        return head;
    }
    // The list window's query over the documents of `k`, on `db`, at document `current`.
    std::unique_ptr<TWjQuery> list(const QString &k, int current = 0, TDBAction *db = nullptr)
    {
        auto q = std::make_unique<TWjQuery>();
        const Kind d = kind(k);
        (db ? *db : t->db()).SelectTable(QString("select * from %1 order by %2").arg(d.head, d.key), *q);
        if (current)
            q->Locate(d.key, current);
        return q;
    }
    void run(const QString &op, TWjQuery &l)
    {
        TWjJxc_Bx c;
        c.SetWjQuery(&l);
        (c.*ops().value(op))();
    }
    QString flagOf(const QString &k, int id)
    {
        const Kind d = kind(k);
        return f->Value(QString("select %1 from %2 where %3=%4").arg(d.flag, d.head, d.key).arg(id));
    }
    // Everything an operation may change, as text.
    QString state()
    {
        QStringList r;
        for (const QString &sql : {"select KcData_Id,GoodsId_Kc,Pc,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3 from Yw_KcData order by KcData_Id",
                                   "select SaDel_Id,Kc_Id,SaNum1,SaNum2,SaNum3 from Yw_SaDetail_Kc order by SaDel_Kc_Id",
                                   "select Goods_Id,LastIn_Date,LastSa_Date from Jb_Goods order by Goods_Id",
                                   "select InHead_ID,InFlag,Shr,sh_date from Yw_InHead order by InHead_ID",
                                   "select SaHead_Id,SaFlag,Shr,sh_date from Yw_SaHead order by SaHead_Id",
                                   "select ThHead_ID,ThFlag,Shr,sh_date from Yw_ThHead order by ThHead_ID",
                                   "select ScHead_ID,ScFlag,QcJbr,Qc_date from Yw_ScHead order by ScHead_ID",
                                   "select Shgl_ID,ShFlag,Qrr,Qr_date from Yw_Shgl order by Shgl_ID",
                                   "select InDetail_Id from Yw_InDetail order by 1", "select SaDetail_Id from Yw_SaDetail order by 1",
                                   "select ThDetail_Id from Yw_ThDetail order by 1", "select ScDetail_Id from Yw_ScDetail order by 1"}) {
            TWjQuery q;
            t->db().SelectTable(sql, q);
            for (q.First(); !q.Eof(); q.Next()) {
                QStringList row;
                for (int i = 0; i < q.FieldCount(); ++i)
                    row << q.Fields(i).AsString();
                r << row.join('|');
            }
            r << "--";
        }
        return r.join('\n');
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        t->czy().CzyName = QStringLiteral("系统管理员");
        f = std::make_unique<StockFixture>(t->db());
        prompter = std::make_unique<ScriptedPrompter>();
        prompter->defaultAnswer = true;
        goods = f->Goods(10, 12);
        batch = f->Stock(goods, "B", "2027-01-31", {2, 0, 0});
    }
    void cleanup()
    {
        prompter.reset();
        f.reset();
        t.reset();
    }

    void refusesOrStopsAtNo_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("question");  // answered No; otherwise a refusal
        QTest::addColumn<QString>("text");
        auto row = [](const char *name, const char *op, const char *k, int flag, bool q, const char *text) {
            QTest::newRow(name) << QString(op) << QString(k) << flag << q << QString::fromUtf8(text);
        };
        row("Sh_In audited", "Sh_In", "In", 2, false, "对不起，该进货单已经审核！");
        row("Sh_In No", "Sh_In", "In", 1, true, "您是否确定审核该进货单资料？");
        row("UnSh_In open", "UnSh_In", "In", 1, false, "对不起，该进货单还没有审核！");
        row("UnSh_In No", "UnSh_In", "In", 2, true, "您是否确定反审核该进货单资料？");
        row("Del_In audited", "Del_In", "In", 2, false, "对不起，该进货单已经审核！不能删除！");
        row("Del_In No", "Del_In", "In", 1, true, "您是否确定删除该进货单资料？");
        row("Del_In_Ser No", "Del_In_Ser", "In", 2, true, "您是否确定清空所有查询进货单资料，这将导致数据无法恢复，请考虑清楚？");
        row("Sh_Sa audited", "Sh_Sa", "Sa", 2, false, "对不起，该销售单已经审核！");
        row("Sh_Sa No", "Sh_Sa", "Sa", 1, true, "您是否确定审核该销售单资料？");
        row("UnSh_Sa open", "UnSh_Sa", "Sa", 1, false, "对不起，该销售单还没有审核！");
        row("UnSh_Sa No", "UnSh_Sa", "Sa", 2, true, "您是否确定反审核该销售单资料？");
        row("Del_Sa audited", "Del_Sa", "Sa", 2, false, "对不起，该销售单已经审核！不能删除！");
        row("Del_Sa No", "Del_Sa", "Sa", 1, true, "您是否确定删除该销售单资料？");
        row("Del_Sa_Ser No", "Del_Sa_Ser", "Sa", 2, true, "您是否确定清空所有查询销售单资料，这将导致数据无法恢复，请考虑清楚？");
        row("Sh_Th audited", "Sh_Th", "Th", 2, false, "对不起，该退货单已经审核！");
        row("Sh_Th No", "Sh_Th", "Th", 1, true, "您是否确定审核该退货单资料？");
        row("UnSh_Th open", "UnSh_Th", "Th", 1, false, "对不起，该退货单还没有审核！");
        row("UnSh_Th No", "UnSh_Th", "Th", 2, true, "您是否确定反审核该退货单资料？");
        row("Del_Th audited", "Del_Th", "Th", 2, false, "对不起，该退货单已经审核！不能删除！");
        row("Del_Th No", "Del_Th", "Th", 1, true, "您是否确定删除该退货单资料？");
        row("Sh_Sc confirmed", "Sh_Sc", "Sc", 1, false, "对不起，该生产单已经质检确认！");
        row("Sh_Sc No", "Sh_Sc", "Sc", 0, true, "您是否确定审核该生产单资料？");
        row("UnSh_Sc open", "UnSh_Sc", "Sc", 0, false, "对不起，该生产单还没有质检确认！");
        row("UnSh_Sc No", "UnSh_Sc", "Sc", 1, true, "您是否确定反审核该生产单资料？");
        row("Del_Sc confirmed", "Del_Sc", "Sc", 1, false, "对不起，该生产单已经质检确认！不能删除！");
        row("Del_Sc No", "Del_Sc", "Sc", 0, true, "您是否确定删除该生产单资料？");
        row("Sh_Qr confirmed", "Sh_Qr", "Qr", 2, false, "对不起，该送货单已确认！");
        row("Sh_Qr No", "Sh_Qr", "Qr", 1, true, "您是否确定确认该送货单资料？");
    }

    void refusesOrStopsAtNo()
    {
        QFETCH(QString, op);
        QFETCH(QString, kind);
        QFETCH(int, flag);
        QFETCH(bool, question);
        QFETCH(QString, text);
        const int id = document(kind, flag);
        // An audited sale has its allocation, so un-auditing it would change stock.
        if (kind == "Sa" && flag == 2)
            t->db().ExecuteSQL(QString("insert into Yw_SaDetail_Kc(SaDel_Kc_Id,SaDel_Id,Kc_Id,SaNum1,SaNum2,SaNum3) "
                                       "select 1,SaDetail_Id,%1,0,5,0 from Yw_SaDetail").arg(batch));
        const QString before = state();
        prompter->defaultAnswer = false;
        auto l = list(kind, id);
        run(op, *l);
        QCOMPARE(prompter->Texts(), QStringList{text});
        QCOMPARE(prompter->shown.front().caption, QString("提示"));
        QCOMPARE(prompter->shown.front().kind, question ? TWjPrompter::Kind::Question : TWjPrompter::Kind::Warning);
        QCOMPARE(state(), before);
    }

    void auditThenUnaudit_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("open");
        QTest::addColumn<int>("audited");
        QTest::addColumn<QString>("auditor");  // columns written by the audit
        QTest::addColumn<QString>("dateColumn");
        QTest::addColumn<Qty>("stockAfter");
        QTest::newRow("purchase") << "In" << 1 << 2 << "Shr" << "sh_date" << Qty{2, 5, 0};
        QTest::newRow("sale") << "Sa" << 1 << 2 << "Shr" << "sh_date" << Qty{1, 5, 0};
        QTest::newRow("return") << "Th" << 1 << 2 << "Shr" << "sh_date" << Qty{1, 5, 0};
        QTest::newRow("production") << "Sc" << 0 << 1 << "QcJbr" << "Qc_date" << Qty{2, 5, 0};
    }

    void auditThenUnaudit()
    {
        QFETCH(QString, kind);
        QFETCH(int, open);
        QFETCH(int, audited);
        QFETCH(QString, auditor);
        QFETCH(QString, dateColumn);
        QFETCH(Qty, stockAfter);
        const Kind d = ::kind(kind);
        document(kind, open);
        const int id = document(kind, open);
        document(kind, open);
        auto l = list(kind, id);
        run("Sh_" + kind, *l);
        QCOMPARE(prompter->shown.size(), size_t(1));
        QCOMPARE(flagOf(kind, id), QString::number(audited));
        QCOMPARE(f->Value(QString("select %1 from %2 where %3=%4").arg(auditor, d.head, d.key).arg(id)), QString("系统管理员"));
        QCOMPARE(f->Value(QString("select %1 from %2 where %3=%4").arg(dateColumn, d.head, d.key).arg(id)).left(10), today());
        QCOMPARE(show(f->StockOf(batch)), show(stockAfter));
        // The list was read again and is back on the audited document.
        QCOMPARE(l->FieldByName(d.key).AsInteger(), id);
        QCOMPARE(l->FieldByName(d.flag).AsInteger(), audited);
        QCOMPARE(flagOf(kind, id - 1), QString::number(open));

        run("UnSh_" + kind, *l);
        QCOMPARE(flagOf(kind, id), QString::number(open));
        QCOMPARE(f->Smallest(goods, f->StockOf(batch)), 240);
        QCOMPARE(f->Value(QString("select %1 from %2 where %3=%4").arg(auditor, d.head, d.key).arg(id)), QString("系统管理员"));
        QCOMPARE(l->FieldByName(d.key).AsInteger(), id);
        QCOMPARE(f->Count("Yw_SaDetail_Kc"), 0);
    }

    // Without lines the engine reports nothing done: the flag stays, silently, except
    // for a return, whose audit always writes its flag.
    void auditWithoutLines_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("open");
        QTest::addColumn<int>("after");
        QTest::newRow("purchase") << "In" << 1 << 1;
        QTest::newRow("sale") << "Sa" << 1 << 1;
        QTest::newRow("production") << "Sc" << 0 << 0;
        QTest::newRow("return") << "Th" << 1 << 2;
    }

    void auditWithoutLines()
    {
        QFETCH(QString, kind);
        QFETCH(int, open);
        QFETCH(int, after);
        const int id = document(kind, open, false);
        auto l = list(kind, id);
        run("Sh_" + kind, *l);
        QCOMPARE(prompter->shown.size(), size_t(1));  // the question only
        QCOMPARE(flagOf(kind, id), QString::number(after));
        QCOMPARE(show(f->StockOf(batch)), show({2, 0, 0}));
    }

    void returnThatKeepsStockIsStillAudited()
    {
        const int id = document("Th", 1, true, 1);
        auto l = list("Th", id);
        run("Sh_Th", *l);
        QCOMPARE(flagOf("Th", id), QString("2"));
        QCOMPARE(show(f->StockOf(batch)), show({2, 0, 0}));
        run("UnSh_Th", *l);
        QCOMPARE(flagOf("Th", id), QString("1"));
        QCOMPARE(show(f->StockOf(batch)), show({2, 0, 0}));
        // Un-auditing a return without lines that moves stock leaves it audited.
        const int empty = document("Th", 2, false, 0);
        auto l2 = list("Th", empty);
        run("UnSh_Th", *l2);
        QCOMPARE(flagOf("Th", empty), QString("2"));
    }

    void deliveryConfirmation()
    {
        const int id = document("Qr", 1);
        auto l = list("Qr", id);
        run("Sh_Qr", *l);
        QCOMPARE(flagOf("Qr", id), QString("2"));
        QCOMPARE(f->Value(QString("select Qrr from Yw_Shgl where Shgl_ID=%1").arg(id)), QString("系统管理员"));
        QCOMPARE(f->Value(QString("select Qr_date from Yw_Shgl where Shgl_ID=%1").arg(id)).left(10), today());
        QCOMPARE(l->FieldByName("ShFlag").AsString(), QString("2"));
    }

    void deleteTakesLinesAndHead()
    {
        const int keep = document("In", 1);
        const int id = document("In", 1);
        auto l = list("In", id);
        run("Del_In", *l);
        QCOMPARE(f->Count(QString("Yw_InHead where InHead_ID=%1").arg(id)), 0);
        QCOMPARE(f->Count(QString("Yw_InDetail where InMain_Id=%1").arg(id)), 0);
        QCOMPARE(f->Count(QString("Yw_InDetail where InMain_Id=%1").arg(keep)), 1);
        QCOMPARE(l->RecordCount(), 1);
        QCOMPARE(l->FieldByName("InHead_ID").AsInteger(), keep);
    }

    void clearingTheListDeletesAuditedDocumentsToo()
    {
        const int audited = document("Sa", 1);
        auto one = list("Sa", audited);
        run("Sh_Sa", *one);
        QCOMPARE(show(f->StockOf(batch)), show({1, 5, 0}));
        const int open = document("Sa", 1);
        const int unlisted = document("Sa", 1);
        TWjQuery l;
        t->db().SelectTable(QString("select * from Yw_SaHead where SaHead_Id in (%1,%2) order by SaHead_Id").arg(audited).arg(open), l);
        l.Last();
        prompter->Clear();
        run("Del_Sa_Ser", l);
        QCOMPARE(prompter->shown.size(), size_t(1));  // asked once
        QCOMPARE(f->Count("Yw_SaHead"), 1);
        QCOMPARE(f->Value("select SaHead_Id from Yw_SaHead").toInt(), unlisted);
        QCOMPARE(f->Count("Yw_SaDetail"), 1);
        QVERIFY(l.IsEmpty());
        QCOMPARE(show(f->StockOf(batch)), show({1, 5, 0}));  // the audited sale's stock movement stays

        // Purchases alike; a list that keeps showing what was deleted does not loop.
        document("In", 2);
        TWjQuery stuck;
        t->db().SelectTable("select InHead_ID,InFlag from Yw_InHead union all select 999,1 from Jb_Goods", stuck);
        run("Del_In_Ser", stuck);
        QCOMPARE(f->Count("Yw_InHead"), 0);
        QCOMPARE(f->Count("Yw_InDetail"), 0);
    }

    void auditorNameIsCutTo50LegacyBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        const QString zhang(25, QChar(0x5F20));  // 张: two bytes each
        QTest::newRow("latin") << QString(60, 'A') << QString(50, 'A');
        QTest::newRow("chinese") << zhang + zhang << zhang;
        QTest::newRow("no split") << "a" + zhang << "a" + zhang.left(24);
        QTest::newRow("four-byte character") << zhang.left(24) + QString::fromUcs4(U"\U00020000") + "b" << zhang.left(24);
        QTest::newRow("quote") << "O'Brien 王" << "O'Brien 王";
        QTest::newRow("short") << "李四" << "李四";
    }

    void auditorNameIsCutTo50LegacyBytes()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        t->czy().CzyName = name;
        const int id = document("In", 1);
        auto l = list("In", id);
        run("Sh_In", *l);
        QCOMPARE(f->Value(QString("select Shr from Yw_InHead where InHead_ID=%1").arg(id)), stored);
        QVERIFY(TWjJxc_Bx::LegacyLeft(stored, 50) == stored);
    }

    // A statement failing in the middle leaves nothing of the operation; the error goes
    // on to the caller (the general error report).
    void failingStatementLeavesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("failing");  // statement start
        QTest::addColumn<int>("skip");         // matching statements that still pass
        QTest::newRow("sale audit: second stock row") << "Sa" << 1 << "Sh_Sa" << "update Yw_KcData" << 1;
        QTest::newRow("sale audit: allocations") << "Sa" << 1 << "Sh_Sa" << "insert into Yw_SaDetail_Kc" << 0;
        QTest::newRow("sale audit: flag") << "Sa" << 1 << "Sh_Sa" << "update Yw_SaHead" << 0;
        QTest::newRow("purchase audit: goods date") << "In" << 1 << "Sh_In" << "update Jb_Goods" << 0;
        QTest::newRow("purchase audit: new batch") << "In" << 1 << "Sh_In" << "insert into Yw_KcData" << 0;
        QTest::newRow("sale un-audit: allocations") << "Sa" << 2 << "UnSh_Sa" << "delete from Yw_SaDetail_Kc" << 0;
        QTest::newRow("production un-audit: flag") << "Sc" << 1 << "UnSh_Sc" << "update Yw_ScHead" << 0;
        QTest::newRow("return audit: flag") << "Th" << 1 << "Sh_Th" << "update Yw_ThHead" << 0;
        QTest::newRow("delete: head") << "In" << 1 << "Del_In" << "delete from Yw_InHead" << 0;
    }

    void failingStatementLeavesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(int, flag);
        QFETCH(QString, op);
        QFETCH(QString, failing);
        QFETCH(int, skip);
        // Two batches so a sale touches two stock rows; a purchase line of a new batch.
        f->Stock(goods, "A", "2026-12-31", {0, 3, 0});
        const int id = document(kind, flag);
        if (kind == "In")
            f->Line("In", id, goods, {1, 0, 0}, "NEW", "2028-01-01");
        if (kind == "Sa" && flag == 2) {
            t->db().ExecuteSQL(QString("update Yw_SaHead set SaFlag=1 where SaHead_Id=%1").arg(id));
            auto l = list(kind, id);
            run("Sh_Sa", *l);
            QCOMPARE(flagOf("Sa", id), QString("2"));
        }
        const QString before = state();
        int seen = 0;
        t->db().SetStatementFilter([&](const QString &sql) { return !(sql.startsWith(failing) && seen++ >= skip); });
        auto l = list(kind, id);
        bool raised = false;
        try {
            run(op, *l);
        } catch (const EWjDbError &) {
            raised = true;
        }
        t->db().SetStatementFilter({});
        QVERIFY(raised);
        QVERIFY(seen > skip);
        QVERIFY(!t->db().InTransaction());
        QCOMPARE(state(), before);
    }

    // Two workstations with lists read before either acted: the second is refused with
    // the message a fresh list would give, and stock moves once.
    void secondWorkstationIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<Qty>("stock");
        QTest::newRow("purchase audit") << "In" << "Sh_In" << 1 << QString("对不起，该进货单已经审核！") << Qty{2, 5, 0};
        QTest::newRow("sale audit") << "Sa" << "Sh_Sa" << 1 << QString("对不起，该销售单已经审核！") << Qty{1, 5, 0};
        QTest::newRow("production audit") << "Sc" << "Sh_Sc" << 0 << QString("对不起，该生产单已经质检确认！") << Qty{2, 5, 0};
        QTest::newRow("purchase un-audit") << "In" << "UnSh_In" << 2 << QString("对不起，该进货单还没有审核！") << Qty{1, 5, 0};
        QTest::newRow("sale delete after audit") << "Sa" << "Sh_Sa|Del_Sa" << 1 << QString("对不起，该销售单已经审核！不能删除！") << Qty{1, 5, 0};
    }

    void secondWorkstationIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, op);
        QFETCH(int, flag);
        QFETCH(QString, refusal);
        QFETCH(Qty, stock);
        const Kind d = ::kind(kind);
        const int id = document(kind, flag);
        auto second = t->OpenSecond();
        auto mine = list(kind, id);
        auto theirs = list(kind, id, second.get());
        const QString first = op.section('|', 0, 0), then = op.section('|', -1);
        run(first, *mine);
        QVERIFY(prompter->shown.size() == 1 && prompter->shown.back().kind == TWjPrompter::Kind::Question);
        prompter->Clear();
        run(then, *theirs);
        QCOMPARE(prompter->Texts().last(), refusal);
        QCOMPARE(prompter->shown.back().kind, TWjPrompter::Kind::Warning);
        QCOMPARE(show(f->StockOf(batch)), show(stock));
        QCOMPARE(f->Count(QString("%1 where %2=%3").arg(d.head, d.key).arg(id)), 1);
        // The refused workstation's list now shows the document's state.
        QCOMPARE(theirs->FieldByName(d.flag).AsString(), flagOf(kind, id));
        QVERIFY(!second->InTransaction());
    }

    void emptyListDoesNothing()
    {
        TWjQuery empty;
        t->db().SelectTable("select * from Yw_InHead", empty);
        const QString before = state();
        for (const QString &op : ops().keys()) {
            run(op, empty);
            TWjJxc_Bx unbound;
            (unbound.*ops().value(op))();
        }
        QVERIFY(prompter->shown.empty());
        QCOMPARE(state(), before);
    }
};

QTEST_GUILESS_MAIN(TestDocumentState)
#include "test_documentstate.moc"
