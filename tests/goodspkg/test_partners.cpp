// Partners and workers through TWjBx_JbData, driven as a user would: the client,
// supplier and worker editors (every field saved, numbering, required name, bad
// input), the partner goods price list with its goods pick and duplicate refusal,
// and the partner history per partner kind.
#include "frmbxpartner.h"
#include "frmbxworker.h"
#include "frmgoods_kh.h"
#include "frmgoods_kh_add.h"
#include "frmkh_hisyw.h"
#include "windowdriver.h"
#include "wjbx_jbdata.h"
#include "wjdbgrid.h"
#include "wjinputs.h"
#include "wjsearch.h"
#include "wjsqlcontrol.h"
#include "wjtestsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// Some text of at most `length` characters that names the column.
QString sample(const QString &column, int length)
{
    QString v = QStringLiteral("测") + column;
    return length > 0 ? v.left(length) : v;
}
} // namespace

class TestPartners : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;
    std::unique_ptr<WindowDriver> d;

    QString value(const QString &sql) { return t->db().SelectValue(sql).toString(); }
    QString money(const QString &sql) { return Currency::FromVariant(t->db().SelectValue(sql)).ToString(); }
    int count(const QString &from) { return t->db().SelectValue("select count(*) from " + from).toInt(); }

    // Goods: 1 has three units, 2 only unit 1.
    void goods()
    {
        t->db().ExecuteSQL("insert into Jb_Goods(Goods_Id,GoodsNo,GoodsName,PyNo,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,"
                           "LastSa_Price1,LastSa_Price2,LastSa_Price3) values(1,'FD0001','火花塞','HHS','箱',10,'盒',4,'只',2400,248,65.5)");
        t->db().ExecuteSQL("insert into Jb_Goods(Goods_Id,GoodsNo,GoodsName,PyNo,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,"
                           "LastSa_Price1,LastSa_Price2,LastSa_Price3) values(2,'LT0001','轮胎','LT','条',0,'',0,'',520,7,0)");
        t->db().ExecuteSQL("insert into Jb_Client(Client_Id,ClientNo,ClientName) values(1,'KH0001','顺达出租')");
        t->db().ExecuteSQL("insert into Jb_Client(Client_Id,ClientNo,ClientName) values(2,'KH0002','李建国')");
        t->db().ExecuteSQL("insert into Jb_Gys(Client_Id,ClientNo,ClientName) values(1,'GYS0001','博世经销部')");
    }

    // Runs the price list of `table` row `key` (kind "1" client, "0" supplier) with `script`.
    void priceList(const QString &table, int key, const QString &kind, std::function<void(TfrmGoods_Kh *)> script)
    {
        TWjQuery partners;
        t->db().SelectTable(QString("select * from %1 order by Client_Id").arg(table), partners);
        QVERIFY(partners.Locate("Client_Id", key));
        TWjBx_JbData jb;
        jb.SetWjQuery(&partners);
        d->When<TfrmGoods_Kh>(script);
        jb.SetKh_Goods(kind);
        QCOMPARE(d->Pending(), 0);
    }
    // "添加" / "修改" in the price list: the editor, "查询" picking the goods whose
    // number is `goodsNo` (none: no pick), then `edit` and "保存[&S]".
    void editRow(TfrmGoods_Kh *w, int action, const QString &goodsNo,
                 std::function<void(TfrmGoods_Kh_Add *)> edit = {})
    {
        d->When<TfrmGoods_Kh_Add>([this, goodsNo, edit](TfrmGoods_Kh_Add *f) {
            if (!goodsNo.isEmpty()) {
                d->When<TWjSerGen>([goodsNo](TWjSerGen *s) {
                    s->SearchBox()->setText(goodsNo);
                    s->Search();
                    s->Pick();
                });
                f->QueryButton()->click();
            }
            if (edit)
                edit(f);
            f->SaveButton()->click();
        });
        w->findChild<QPushButton *>(QString("btnAct%1").arg(action))->click();
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        p = std::make_unique<ScriptedPrompter>();
        d = std::make_unique<WindowDriver>();
    }
    void cleanup()
    {
        d.reset();
        p.reset();
        t.reset();
    }

    void editorsSaveEveryField_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("numberColumn");
        QTest::addColumn<QString>("nameColumn");
        QTest::addColumn<QString>("firstNumber");
        QTest::addColumn<QString>("caption");
        QTest::newRow("client") << "Jb_Client" << "Client_Id" << "ClientNo" << "ClientName" << "KH0001" << "客户资料";
        QTest::newRow("supplier") << "Jb_Gys" << "Client_Id" << "ClientNo" << "ClientName" << "GYS0001" << "供应商资料";
        QTest::newRow("worker") << "Jb_Worker" << "WORK_ID" << "ZGBH" << "ZGNAME" << "YG0001" << "职工管理";
    }
    // Adding: the next number is shown and taken; the name is required; every input
    // reaches its column. Editing: the stored row fills the inputs, a changed name is
    // stored, the number kept; cancel stores nothing.
    void editorsSaveEveryField()
    {
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, numberColumn);
        QFETCH(QString, nameColumn);
        QFETCH(QString, firstNumber);
        QFETCH(QString, caption);
        TWjQuery list;
        t->db().SelectTable("select * from " + table + " order by " + key, list);
        TWjBx_JbData jb;
        jb.SetWjQuery(&list);
        auto run = [&](int action) {
            if (table == "Jb_Client") return jb.ClientGl(action);
            if (table == "Jb_Gys") return jb.GysGl(action);
            return jb.WorkerGl(action);
        };

        QHash<QString, QString> typed;  // column -> what was typed
        d->When<TWjForm_Jb>([&](TWjForm_Jb *f) {
            QCOMPARE(f->windowTitle(), caption);
            QCOMPARE(f->Value(numberColumn), firstNumber);
            QVERIFY(qobject_cast<QLineEdit *>(f->Input(numberColumn))->isReadOnly());
            // ...and looks so: the window's colour, skipped by Tab and Enter.
            QCOMPARE(f->Input(numberColumn)->palette().color(QPalette::Base), f->palette().color(QPalette::Window));
            QVERIFY(!(f->Input(numberColumn)->focusPolicy() & Qt::TabFocus));
            f->findChild<QPushButton *>("btnSave")->click();
            QCOMPARE(p->Texts(), QStringList({nameColumn == "ZGNAME" ? "姓名不能为空！" : "名称不能为空！"}));
            QVERIFY(f->isVisible());
            const auto inputs = f->BoundInputs();
            for (auto it = inputs.begin(); it != inputs.end(); ++it) {
                const QString c = it.key();
                if (c == key || c == numberColumn || c == "Cl_Flag")
                    continue;
                QString v = sample(c, qobject_cast<QLineEdit *>(it.value()) ? qobject_cast<QLineEdit *>(it.value())->maxLength() : 4);
                if (c == "JBGZ") v = "6500.5";
                if (c.endsWith("_DATE")) v = c == "CS_DATE" ? "1980-02-29" : "2008-03-01";
                f->SetValue(c, v);
                typed.insert(c, v);
            }
            f->findChild<QPushButton *>("btnSave")->click();
        });
        const int newKey = run(0);
        QVERIFY(newKey > 0);
        QCOMPARE(list.FieldByName(key).AsInteger(), newKey);
        TWjQuery row;
        t->db().SelectTable(QString("select * from %1 where %2=%3").arg(table, key).arg(newKey), row);
        QCOMPARE(row.RecordCount(), 1);
        QCOMPARE(row.FieldByName(numberColumn).AsString(), firstNumber);
        for (auto it = typed.begin(); it != typed.end(); ++it) {
            QString stored = row.FieldByName(it.key()).AsString();
            if (it.key() == "JBGZ") stored = row.FieldByName(it.key()).AsCurrency().ToString();
            if (it.key().endsWith("_DATE")) stored = row.FieldByName(it.key()).AsDate().toString("yyyy-MM-dd");
            QCOMPARE(stored, it.value());
        }
        QVERIFY(typed.size() >= (table == "Jb_Worker" ? 13 : table == "Jb_Client" ? 16 : 13));
        if (table == "Jb_Client")
            QCOMPARE(row.FieldByName("Cl_Flag").AsString(), QString("0"));

        // Edit the row the list stands on.
        p->Clear();
        d->When<TWjForm_Jb>([&](TWjForm_Jb *f) {
            QCOMPARE(f->Value(nameColumn), typed.value(nameColumn));
            QVERIFY(!f->IsAdd());
            f->SetValue(nameColumn, "  新名字  ");
            f->findChild<QPushButton *>("btnSave")->click();
            QCOMPARE(f->Entity()->DisplayName, QString("新名字"));
        });
        QCOMPARE(run(1), newKey);
        QCOMPARE(value(QString("select %1 from %2").arg(nameColumn, table)), QString("  新名字  "));
        QCOMPARE(value(QString("select %1 from %2").arg(numberColumn, table)), firstNumber);
        d->When<TWjForm_Jb>([&](TWjForm_Jb *f) {
            f->SetValue(nameColumn, "不存");
            f->findChild<QPushButton *>(table == "Jb_Worker" ? "btnExit" : "btnCancel")->click();
        });
        QCOMPARE(run(1), 0);
        QCOMPARE(value(QString("select %1 from %2").arg(nameColumn, table)), QString("  新名字  "));
        QCOMPARE(d->Pending(), 0);
        QCOMPARE(d->Missed, QStringList());

        // The next partner gets the next number.
        d->When<TWjForm_Jb>([&](TWjForm_Jb *f) { QCOMPARE(f->Value(numberColumn), firstNumber.chopped(1) + "2"); });
        QCOMPARE(run(0), 0);
    }

    // Value lists come from the options file; the supplier editor has no client-only
    // fields; bad worker input is refused and stores nothing.
    void listsFieldsAndBadInput()
    {
        TfrmBxClient client;
        for (const char *c : {"bankW", "AreaW", "cTypeW"}) {
            auto *cb = client.findChild<QComboBox *>(c);
            QVERIFY2(cb && cb->count() > 1 && cb->isEditable(), c);
        }
        QCOMPARE(client.findChild<QComboBox *>("AreaW")->itemText(0), QString("单位客户"));
        QStringList captions;
        for (QLabel *l : client.findChildren<QLabel *>()) captions << l->text();
        for (const char *c : {"客户编号：", "客户简称：", "客户名称：", "送货地址：", "客户类型：", "所属区域：", "备   注："})
            QVERIFY2(captions.contains(QString::fromUtf8(c)), c);
        TfrmBxGys gys;
        for (const char *c : {"SendAddrW", "AreaW", "cTypeW", "Cl_FlagW"})
            QVERIFY2(!gys.findChild<QWidget *>(c), c);
        QVERIFY(gys.findChild<QWidget *>("PostCodeW"));

        TWjQuery list;
        t->db().SelectTable("select * from Jb_Worker", list);
        TWjBx_JbData jb;
        jb.SetWjQuery(&list);
        d->When<TfrmBxWorker>([&](TfrmBxWorker *f) {
            QVERIFY(f->findChild<QComboBox *>("XBW")->count() == 2);
            f->SetValue("ZGNAME", "张师傅");
            f->SetValue("CS_DATE", "1978-13-40");
            f->SaveButton()->click();
            f->SetValue("CS_DATE", "");
            f->SetValue("JBGZ", "6千");
            f->SaveButton()->click();
            QVERIFY(f->isVisible());
            f->SetValue("JBGZ", "");
            f->SaveButton()->click();
        });
        QVERIFY(jb.WorkerGl(0) > 0);
        QCOMPARE(p->Texts(), QStringList({"出生日期不是有效的日期！", "基本工资必须是数字！"}));
        QCOMPARE(count("Jb_Worker where CS_DATE is null and WORK_DATE is null and cast(JBGZ as numeric)=0"), 1);
    }

    // The price list: the goods pick copies the sale prices into the invoice prices;
    // a goods twice for one client is refused, for another client or a supplier with
    // the same key accepted; editing without changing the goods skips the check.
    void partnerGoodsPrices()
    {
        goods();
        priceList("Jb_Client", 1, "1", [&](TfrmGoods_Kh *w) {
            QCOMPARE(w->windowTitle(), QString("商品定义"));
            QCOMPARE(w->findChild<QLabel *>("lbClientNo")->text(), QString("KH0001"));
            // Saving without a goods.
            editRow(w, 0, QString(), [&](TfrmGoods_Kh_Add *f) { QCOMPARE(f->windowTitle(), QString("客户商品定义")); });
            QCOMPARE(p->Texts(), QStringList({"请选择商品资料！"}));
            p->Clear();
            editRow(w, 0, "FD0001", [&](TfrmGoods_Kh_Add *f) {
                QCOMPARE(f->NameBox()->text(), QString("火花塞(FD0001)"));
                QCOMPARE(f->UnitLabel(2)->text(), QString("盒"));
                QCOMPARE(f->InvoicePrice(3)->text(), QString("65.5"));
                f->Price(1)->setText("2300");
                emit f->Price(1)->editingFinished();  // leaving the input copies it
                QCOMPARE(f->InvoicePrice(1)->text(), QString("2300"));
                f->InvoicePrice(1)->setText("2350");
            });
            QCOMPARE(w->List()->RecordCount(), 1);
            QCOMPARE(w->List()->FieldByName("GoodsName").AsString(), QString("火花塞"));
            QCOMPARE(w->List()->FieldByName("Mr_Price").AsCurrency().ToString(), QString("2300"));
            // The same goods again.
            editRow(w, 0, "FD0001");
            QCOMPARE(p->Texts(), QStringList({"该客户已经定义了该商品资料！"}));
            // Only unit 1: prices 2 and 3 disabled and 0.
            editRow(w, 0, "LT0001", [&](TfrmGoods_Kh_Add *f) {
                QVERIFY(f->Price(1)->isEnabled());
                QVERIFY(!f->Price(2)->isEnabled() && !f->Price(3)->isEnabled());
                QCOMPARE(f->Price(2)->text(), QString("0"));
                QCOMPARE(f->InvoicePrice(2)->text(), QString("0"));
            });
            QCOMPARE(w->List()->RecordCount(), 2);
            // Edit the tyre row keeping its goods: no duplicate refusal.
            p->Clear();
            QVERIFY(w->List()->Locate("GoodsId_Kh", 2));
            editRow(w, 1, QString(), [&](TfrmGoods_Kh_Add *f) {
                QCOMPARE(f->NameBox()->text(), QString("轮胎(LT0001)"));
                QVERIFY(!f->Price(2)->isEnabled());
                f->Price(1)->setText("500");
            });
            QCOMPARE(p->Texts(), QStringList());
            QCOMPARE(money("select dPrice1 from Jb_Goods_Kh where GoodsId_Kh=2"), QString("500"));
            // ... but changing it to a goods the client already has is refused.
            editRow(w, 1, "FD0001");
            QCOMPARE(p->Texts(), QStringList({"该客户已经定义了该商品资料！"}));
            QCOMPARE(count("Jb_Goods_Kh where GoodsId_Kh=2"), 1);
        });
        const QString first = value("select Jb_Goods_Kh_Id from Jb_Goods_Kh where GoodsId_Kh=1");
        QCOMPARE(money("select dPrice1_Kd from Jb_Goods_Kh where GoodsId_Kh=1"), QString("2350"));
        QCOMPARE(value("select ObjType from Jb_Goods_Kh where GoodsId_Kh=1"), QString("1"));

        // The same goods for another client and for the supplier with key 1.
        p->Clear();
        priceList("Jb_Client", 2, "1", [&](TfrmGoods_Kh *w) {
            QCOMPARE(w->List()->RecordCount(), 0);
            editRow(w, 0, "FD0001");
        });
        priceList("Jb_Gys", 1, "0", [&](TfrmGoods_Kh *w) {
            QCOMPARE(w->List()->RecordCount(), 0);
            editRow(w, 0, "FD0001", [](TfrmGoods_Kh_Add *f) { QCOMPARE(f->windowTitle(), QString("供应商商品定义")); });
            QCOMPARE(w->List()->RecordCount(), 1);
        });
        QCOMPARE(p->Texts(), QStringList());
        QCOMPARE(count("Jb_Goods_Kh where GoodsId_Kh=1 and ObjType=1 and ObjId=2"), 1);
        QCOMPARE(count("Jb_Goods_Kh where GoodsId_Kh=1 and ObjType=0 and ObjId=1"), 1);
        QCOMPARE(value("select Jb_Goods_Kh_Id from Jb_Goods_Kh where GoodsId_Kh=1 and ObjType=1 and ObjId=1"), first);
        QCOMPARE(d->Missed, QStringList());
    }

    // A supplier's history lists its purchases, a client's its sales, newest first,
    // with the amounts summed; on an empty list nothing opens.
    void historyPerPartnerKind()
    {
        goods();
        auto &db = t->db();
        db.ExecuteSQL("insert into Yw_InHead(InHead_ID,In_AutoNum,In_Date,PayType,GysId,InFlag) values(5,'JH01','2026-01-05','现金',1,2)");
        db.ExecuteSQL("insert into Yw_InHead(InHead_ID,In_AutoNum,In_Date,PayType,GysId,InFlag) values(9,'JH02','2026-01-09','月结',1,1)");
        db.ExecuteSQL("insert into Yw_InHead(InHead_ID,In_AutoNum,GysId,InFlag) values(7,'JH-other',2,1)");
        db.ExecuteSQL("insert into Yw_InDetail(InDetail_Id,InMain_Id,GoodsId_In,InNum1,T_Price) values(1,5,1,1,100.25)");
        db.ExecuteSQL("insert into Yw_InDetail(InDetail_Id,InMain_Id,GoodsId_In,InNum1,T_Price) values(2,9,1,2,0.75)");
        db.ExecuteSQL("insert into Yw_InDetail(InDetail_Id,InMain_Id,GoodsId_In,InNum1,T_Price) values(3,9,2,1,10)");
        db.ExecuteSQL("insert into Yw_SaHead(SaHead_Id,Sa_AutoNum,ClientId,SaFlag) values(3,'XS01',1,1)");
        db.ExecuteSQL("insert into Yw_SaDetail(SaDetail_Id,SaMain_Id,GoodsId_Sa,SaNum1,Sa_Price1) values(1,3,2,2,520)");

        struct Case { QString table, kind; QStringList numbers; QString sum; };
        const QList<Case> cases{{"Jb_Gys", "0", {"JH02", "JH01"}, "111"}, {"Jb_Client", "1", {"XS01"}, "1040"}};
        for (const Case &c : cases) {
            TWjQuery partners;
            db.SelectTable("select * from " + c.table + " where Client_Id=1", partners);
            TWjBx_JbData jb;
            jb.SetWjQuery(&partners);
            d->When<TfrmKh_HisYw>([&](TfrmKh_HisYw *w) {
                QStringList numbers;
                for (w->List()->First(); !w->List()->Eof(); w->List()->Next())
                    numbers << w->List()->FieldByName("Bh").AsString();
                QCOMPARE(numbers, c.numbers);
                QCOMPARE(w->Grid()->FooterValue("TPrice"), c.sum);
                QCOMPARE(w->findChild<QLabel *>("lbClientName")->text(), partners.FieldByName("ClientName").AsString());
            });
            jb.ShowHisYw(c.kind);
            QCOMPARE(d->Pending(), 0);
        }
        TWjQuery none;
        db.SelectTable("select * from Jb_Gys where Client_Id=99", none);
        TWjBx_JbData jb;
        jb.SetWjQuery(&none);
        d->When<TfrmKh_HisYw>([](TfrmKh_HisYw *) { QFAIL("no history window on an empty list"); }, 200);
        jb.ShowHisYw("0");
        QTest::qWait(300);
        QCOMPARE(d->Missed.size(), 1);
    }
};

QTEST_MAIN(TestPartners)
#include "test_partners.moc"
