// The goods windows as an operator uses them: the type tree and goods numbers, the goods
// editor (unit check, number preview and commit, barcodes, warning days, one
// transaction), and the goods search window appending purchase, production, sale and
// return lines into a document's cached line set.
#include "frm_goods_bx.h"
#include "frmbxser_mui_tv.h"
#include "wjbx_bmjg.h"
#include "wjbx_goods.h"
#include "wjbx_goodtype.h"
#include "wjcached.h"
#include "wjdataset.h"
#include "wjdbgrid.h"
#include "wjerror.h"
#include "wjinputs.h"
#include "wjservices.h"
#include "wjtestsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

namespace {

// Runs `script` on the modal window of type T that the next call shows; a window still
// open afterwards is cancelled.
template <typename T> void whenShown(std::function<void(T *)> script)
{
    QTimer::singleShot(0, qApp, [script] {
        auto *w = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!w) {
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            QFAIL("the expected window did not show");
        }
        QVERIFY(QTest::qWaitForWindowExposed(w));
        script(w);
        if (w->isVisible())
            w->reject();
    });
}

// Text as typed on the keyboard (Chinese included).
void typeText(QWidget *w, const QString &text)
{
    if (auto *cb = qobject_cast<QComboBox *>(w); cb && cb->lineEdit())
        w = cb->lineEdit();
    w->setFocus();
    // One key per character: a 4-byte character comes as a whole, as from an input method.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString c = text.mid(i, n);
        i += n;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, c);
        QApplication::sendEvent(w, &release);
    }
}

void retype(QWidget *w, const QString &text)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->clear();
    if (auto *cb = qobject_cast<QComboBox *>(w))
        cb->setCurrentText(QString());
    typeText(w, text);
}

void click(QAbstractButton *b)
{
    QTest::mouseClick(b, Qt::LeftButton);
}

// Enter: the input is left, the focus moves on.
void enter(QWidget *w)
{
    if (auto *cb = qobject_cast<QComboBox *>(w); cb && cb->lineEdit())
        w = cb->lineEdit();
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Return);
}

QTreeWidgetItem *node(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void clickNode(QTreeWidget *tree, const QString &text)
{
    QTreeWidgetItem *it = node(tree, text);
    QVERIFY2(it, qPrintable(text));
    tree->scrollToItem(it);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(it).center());
}

// The goods editor's type box: open the drop-down, click the type.
void pickType(TfrmGoods_Bx *f, const QString &type)
{
    f->cbType->showPopup();
    QVERIFY(QTest::qWaitForWindowExposed(f->cbType->Tree()));
    clickNode(f->cbType->Tree(), type);
}

int rowOf(TWjQuery *ds, const QString &field, const QString &value)
{
    for (int r = 0; r < ds->FetchedCount(); ++r)
        if (ds->Value(r, ds->FieldIndex(field)).toString() == value)
            return r;
    return -1;
}

void doubleClickRow(TWjDBGrid *g, int row)
{
    QTableView *v = g->View();
    const QModelIndex idx = v->model()->index(row, 0);
    v->scrollTo(idx);
    // A widget's double-click arrives after the press and release of the first click.
    const QPoint at = v->visualRect(idx).center();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, at);
}

void pickGoods(TfrmBxSer_Mui_Tv *w, const QString &name)
{
    const int r = rowOf(w->Goods(), "GoodsName", name);
    QVERIFY2(r >= 0, qPrintable(name));
    doubleClickRow(w->dbgGoods, r);
    QCOMPARE(w->lbName[w->pages->currentIndex()]->text(), name);
}

QStringList column(TWjQuery *ds, const QString &field)
{
    QStringList r;
    for (int i = 0; i < ds->RecordCount(); ++i)
        r << ds->Value(i, ds->FieldIndex(field)).toString();
    return r;
}

struct GoodsRow
{
    int id, type;
    QString name, u1, u2, u3;
    int f12, f23;
    QString in[3], sa[3], pf[3], jg[3];
    QString posi;
};

} // namespace

class TestGoodsWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;

    TDBAction &db() { return t->db(); }
    void addType(int id, int parent, const QString &name, const QString &prefix, int curNo)
    {
        db().ExecuteSQL(QString("insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(%1,%2,'%3','%4',%5)")
                            .arg(id).arg(parent).arg(name, prefix).arg(curNo));
    }
    void addGoods(const GoodsRow &g)
    {
        QString sql = QString("insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,Posi");
        QString vals = QString(" values(%1,%2,'G%1','%3','%4',%5,'%6',%7,'%8','%9'").arg(g.id).arg(g.type).arg(g.name, g.u1).arg(g.f12)
                           .arg(g.u2).arg(g.f23).arg(g.u3, g.posi);
        const char *prefixes[4] = {"LastIn_Price", "LastSa_Price", "LastPf_Price", "LastJg_Price"};
        const QString *prices[4] = {g.in, g.sa, g.pf, g.jg};
        for (int k = 0; k < 4; ++k)
            for (int u = 0; u < 3; ++u) {
                sql += QString(",%1%2").arg(prefixes[k]).arg(u + 1);
                vals += "," + (prices[k][u].isEmpty() ? QString("0") : prices[k][u]);
            }
        db().ExecuteSQL(sql + ")" + vals + ")");
    }
    int goodsCount(const QString &where = QString())
    {
        return db().SelectValue("select count(*) from Jb_Goods" + (where.isEmpty() ? QString() : " where " + where)).toInt();
    }
    QStringList barcodes(const QString &goodsId)
    {
        TWjQuery q;
        db().SelectTable("select Unit_Flag,Txm from Jb_Goods_Tm where GoodsId=" + goodsId + " order by Unit_Flag", q);
        QStringList r;
        for (q.First(); !q.Eof(); q.Next())
            r << q.Fields(0).AsString() + ":" + q.Fields(1).AsString();
        return r;
    }
    // Types: 刹车系统 (A) > 刹车片 (SCP); 油品 (YP, CurNo 999). Goods of three, two and one units.
    void shopData()
    {
        addType(1, 0, "刹车系统", "A", 0);
        addType(2, 1, "刹车片", "SCP", 0);
        addType(3, 0, "油品", "YP", 999);
        addGoods({10, 2, "陶瓷刹车片", "箱", "盒", "片", 10, 4, {"100", "11", "3"}, {"150", "16", "4.5"}, {"140", "15", "4"},
                  {"145", "15.5", "4.2"}, "A-01"});
        addGoods({11, 1, "刹车盘", "个", "", "", 0, 0, {"80"}, {"120"}, {"110"}, {"115"}, "A-05"});
        addGoods({12, 3, "全合成机油", "箱", "桶", "", 4, 0, {"600", "155.5"}, {"800", "210"}, {"760", "200"}, {"780", "205"}, "B-01"});
        db().ExecuteSQL("insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1) values(1,10,'P2601','2027-06-30',5)");
        db().ExecuteSQL("insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1) values(2,10,'P2602','2027-12-31',3)");
        db().ExecuteSQL("insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1) values(3,10,null,null,1)");
        db().ExecuteSQL("insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1) values(4,11,'P2501','2026-01-31',2)");
    }

    // A document's line set as the document windows open it, with the goods name as its
    // display column.
    std::unique_ptr<TADOCachedControl> lineSet(const QString &table, const QString &key, const QString &master,
                                               const QString &serial, const QString &goodsField, const QString &head)
    {
        auto lines = std::make_unique<TADOCachedControl>();
        lines->LineTable = table;
        lines->KeyField = key;
        lines->MasterField = master;
        lines->SerialField = serial;
        lines->MasterValue = head;
        lines->CalcFields = {"GoodsName"};
        lines->OnCalcFields = [this, goodsField](TWjQuery &q) {
            q.SetValue("GoodsName", db().SelectValue("select GoodsName from Jb_Goods where Goods_Id=" + q.FieldByName(goodsField).AsString()));
        };
        lines->Open();
        return lines;
    }

    bool runSearch(TWjQuery *detail, const QString &head, const QString &caption, const QString &listName,
                   const QString &sql, const QString &priceMode, std::function<void(TfrmBxSer_Mui_Tv *)> script)
    {
        whenShown<TfrmBxSer_Mui_Tv>(std::move(script));
        TWjBx_Goods goods;
        return goods.ExectSerGen_Mui_Bx(detail, "", "", head, caption, listName, sql, false, priceMode);
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        p = std::make_unique<ScriptedPrompter>();
        t->LoginAdmin();
    }
    void cleanup()
    {
        p.reset();
        t.reset();
    }

    void typeTreeAndGoodsNumbers()
    {
        QTreeWidget tree;
        TWjBx_GoodType types;
        types.WjTvTmp = &tree;
        types.GetTreeData();
        QCOMPARE(tree.topLevelItemCount(), 0);
        QCOMPARE(types.GetTvId(), QString("0"));

        shopData();
        addType(4, 2, "前刹车片", "QSCP", 0);
        addType(5, 0, "空类型", "K", 0);
        types.GetTreeData();
        QCOMPARE(tree.topLevelItemCount(), 3);
        QTreeWidgetItem *front = node(&tree, "前刹车片");
        QVERIFY(front);
        QCOMPARE(front->parent()->text(0), QString("刹车片"));
        QCOMPARE(front->parent()->parent()->text(0), QString("刹车系统"));
        tree.setCurrentItem(front);
        QCOMPARE(types.GetTvId(), QString("4"));

        // Preview, then commit: A001, then A002; 999 gives four digits; no such type: 001.
        QCOMPARE(types.DoOfGoodsNo("0", "1"), QString("A001"));
        QCOMPARE(types.DoOfGoodsNo("0", "1"), QString("A001"));  // a preview uses nothing up
        QCOMPARE(types.DoOfGoodsNo("1", "1"), QString("1"));
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=1").toInt(), 1);
        QCOMPARE(types.DoOfGoodsNo("0", "1"), QString("A002"));
        QCOMPARE(types.DoOfGoodsNo("0", "3"), QString("YP1000"));
        QCOMPARE(types.DoOfGoodsNo("0", "99"), QString("001"));
        QCOMPARE(types.DoOfGoodsNo("1", "99"), QString("1"));
        QCOMPARE(TWjBx_GoodType::GetZeroNumber(3, 7), QString("007"));
        QCOMPARE(TWjBx_GoodType::GetZeroNumber(3, 1234), QString("1234"));
        QVERIFY_THROWS_EXCEPTION(EWjError, types.DoOfGoodsNo("0", "1 or 1=1"));

        // Renumbering: the type's goods in row order, CurNo their count; no goods: 0.
        addGoods({13, 2, "树脂刹车片", "片", "", "", 0, 0, {}, {}, {}, {}, ""});
        addGoods({14, 2, "半金属刹车片", "片", "", "", 0, 0, {}, {}, {}, {}, ""});
        TWjQuery order;
        db().SelectTable("select * from Jb_Goods where TypeId_Goods=2", order);
        const QStringList ids = column(&order, "Goods_Id");
        types.UpdateGoodsNo("2");
        db().SelectTable("select * from Jb_Goods where TypeId_Goods=2", order);
        QCOMPARE(column(&order, "Goods_Id"), ids);
        QCOMPARE(column(&order, "GoodsNo"), QStringList({"SCP001", "SCP002", "SCP003"}));
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=2").toInt(), 3);
        types.UpdateGoodsNo("5");
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=5").toInt(), 0);

        // Departments: the same tree over Jb_Bmjg.
        db().ExecuteSQL("insert into Jb_Bmjg(MeId,ParentId,BmjgName) values(1,0,'配件部')");
        db().ExecuteSQL("insert into Jb_Bmjg(MeId,ParentId,BmjgName) values(2,1,'仓库')");
        TWjBx_Bmjg departs;
        QTreeWidget dtree;
        departs.WjTvTmp = &dtree;
        departs.GetTreeData();
        QCOMPARE(departs.GetTvId(), QString("0"));
        dtree.setCurrentItem(node(&dtree, "仓库"));
        QCOMPARE(departs.GetTvId(), QString("2"));
        QCOMPARE(dtree.currentItem()->parent()->text(0), QString("配件部"));
    }

    void editorUnitCheck_data()
    {
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<int>("f12");
        QTest::addColumn<int>("f23");
        QTest::addColumn<QString>("message");  // empty: saved
        QTest::newRow("two units") << QStringList{"箱", "包", ""} << 10 << 0 << "";
        QTest::newRow("three units") << QStringList{"箱", "盒", "片"} << 10 << 4 << "";
        QTest::newRow("one unit, factors kept") << QStringList{"个", "", ""} << 5 << 3 << "";
        QTest::newRow("unit 2 missing") << QStringList{"箱", "", "只"} << 10 << 4 << "单位名称2不能为空！";
        QTest::newRow("unit 3 as unit 1") << QStringList{"只", "包", "只"} << 10 << 4 << "单位名称不能相同！";
        QTest::newRow("unit 3 as unit 2") << QStringList{"箱", "包", " 包"} << 10 << 4 << "单位名称不能相同！";
        QTest::newRow("unit 2 as unit 1") << QStringList{"箱", "箱 ", ""} << 10 << 0 << "单位1与单位2名称不能相同！";
        QTest::newRow("factor 1-2 zero") << QStringList{"箱", "包", ""} << 0 << 0 << "请正确设置<等于单位2数量>的值！";
        QTest::newRow("factor 2-3 zero") << QStringList{"箱", "包", "只"} << 10 << 0 << "请正确设置<等于单位3数量>的值！";
    }
    void editorUnitCheck()
    {
        QFETCH(QStringList, units);
        QFETCH(int, f12);
        QFETCH(int, f23);
        QFETCH(QString, message);
        shopData();
        QString number;
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            typeText(f->edGoodsName, "刹车油");
            pickType(f, "油品");
            number = f->edGoodsNo->text();
            for (int u = 0; u < 3; ++u)
                typeText(f->cbUnit[u], units[u]);
            f->spNum1_2->setValue(f12);
            f->spNum2_3->setValue(f23);
            for (int u = 0; u < 3; ++u)
                typeText(f->edTxm[u], QString("69010%1").arg(u + 1));
            click(f->btnSave);
        });
        TWjBx_Goods goods;
        const QString key = goods.BxGoodsGl(0);
        QCOMPARE(number, QString("YP1000"));
        QCOMPARE(p->Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(key.isEmpty(), !message.isEmpty());
        QCOMPARE(goodsCount("GoodsName='刹车油'"), message.isEmpty() ? 1 : 0);
        if (message.isEmpty()) {
            // Factors typed for unnamed units are kept; barcodes only for named units.
            QCOMPARE(db().SelectValue("select uNum1_2 from Jb_Goods where Goods_Id=" + key).toInt(), f12);
            QCOMPARE(db().SelectValue("select uNum2_3 from Jb_Goods where Goods_Id=" + key).toInt(), f23);
            QStringList expected;
            for (int u = 0; u < 3; ++u)
                if (!units[u].isEmpty())
                    expected << QString("%1:69010%1").arg(u + 1);
            QCOMPARE(barcodes(key), expected);
        }
    }

    void editorAddsGoodsWithNumberPricesAndBarcodes()
    {
        shopData();
        TWjQuery list;
        TWjBx_Goods goods;
        goods.SetWjQuery(&list);
        db().SelectTable("select * from V_Jb_Goods", list);
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            QCOMPARE(f->windowTitle(), QString("商品属性管理"));
            QCOMPARE(f->spTipsDay->value(), 10);
            QCOMPARE(f->edSaPrice[2]->text(), QString("0"));
            // The number comes from the type: a missing type is what is said first, then
            // the framework's checks. The number box looks and is read-only.
            QVERIFY(f->edGoodsNo->isReadOnly());
            QVERIFY(!(f->edGoodsNo->focusPolicy() & Qt::TabFocus));  // skipped by Tab and Enter
            QCOMPARE(f->edGoodsNo->palette().color(QPalette::Base), f->palette().color(QPalette::Window));
            click(f->btnSave);
            pickType(f, "刹车片");
            QCOMPARE(f->edTypeId->text(), QString("2"));
            QCOMPARE(f->edGoodsNo->text(), QString("SCP001"));
            click(f->btnSave);
            typeText(f->edGoodsName, " 刹车片 ");
            typeText(f->cbUnit[0], "箱");
            typeText(f->cbUnit[1], "盒");
            typeText(f->cbUnit[2], "片");
            f->spNum1_2->setValue(10);
            f->spNum2_3->setValue(4);
            retype(f->edInPrice[0], "100.5");
            retype(f->edSaPrice[0], "150");
            f->edPfPrice[1]->clear();  // blank is saved as 0
            typeText(f->cbPosi, "A-01");
            typeText(f->cbDepart, "原厂件");
            for (int u = 0; u < 3; ++u)
                typeText(f->edTxm[u], QString("690000000%1").arg(u + 1));
            click(f->btnSave);
            QVERIFY(!f->isVisible());
        });
        const QString key = goods.BxGoodsGl(0);
        QCOMPARE(p->Texts(), QStringList({"请选择商品类型", "商品名称不能为空！"}));
        QVERIFY(!key.isEmpty());
        QCOMPARE(list.FieldByName("Goods_Id").AsString(), key);  // the list stands on the new goods
        TWjQuery row;
        db().SelectTable("select * from Jb_Goods where Goods_Id=" + key, row);
        QCOMPARE(row.FieldByName("GoodsNo").AsString(), QString("SCP001"));
        QCOMPARE(row.FieldByName("TypeId_Goods").AsInteger(), 2);
        QCOMPARE(row.FieldByName("PyNo").AsString(), QString("SCP"));
        QCOMPARE(row.FieldByName("LastIn_Price1").AsCurrency().ToString(), QString("100.5"));
        QCOMPARE(row.FieldByName("LastPf_Price2").AsCurrency().ToString(), QString("0"));
        QCOMPARE(row.FieldByName("Posi").AsString(), QString("A-01"));
        QCOMPARE(row.FieldByName("TipsDay_Num").AsInteger(), 10);
        QCOMPARE(barcodes(key), QStringList({"1:6900000001", "2:6900000002", "3:6900000003"}));
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=2").toInt(), 1);

        // The next goods of the type previews the next number; cancel uses nothing up.
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            pickType(f, "刹车片");
            QCOMPARE(f->edGoodsNo->text(), QString("SCP002"));
            click(f->btnCancel);
        });
        QVERIFY(goods.BxGoodsGl(0).isEmpty());
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=2").toInt(), 1);
    }

    void editorEditKeepsOrRenumbersAndRewritesBarcodes()
    {
        shopData();
        db().ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(1,10,'111',1)");
        db().ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(2,10,'333',3)");
        TWjQuery list;
        TWjBx_Goods goods;
        goods.SetWjQuery(&list);
        // A goods that has a number but lost its type must be given one.
        db().ExecuteSQL("update Jb_Goods set TypeId_Goods=0 where Goods_Id=12");
        db().SelectTable("select * from V_Jb_Goods where Goods_Id=12", list);
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) { click(f->btnSave); });
        QVERIFY(goods.BxGoodsGl(1).isEmpty());
        QCOMPARE(p->Texts(), QStringList({"请选择商品类型"}));
        p->Clear();
        db().SelectTable("select * from V_Jb_Goods where Goods_Id=10", list);

        // Same type: the number stays, CurNo does not move; unit 3 dropped takes its barcode along.
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            QCOMPARE(f->cbType->currentText(), QString("刹车片"));
            QCOMPARE(f->edGoodsNo->text(), QString("G10"));
            QCOMPARE(f->edTxm[0]->text(), QString("111"));
            QCOMPARE(f->edTxm[1]->text(), QString());
            QCOMPARE(f->edTxm[2]->text(), QString("333"));
            QCOMPARE(f->edSaPrice[2]->text(), QString("4.5"));
            typeText(f->edTxm[1], "222");
            f->cbUnit[2]->setCurrentText("");
            click(f->btnSave);
        });
        QCOMPARE(goods.BxGoodsGl(1), QString("10"));
        QCOMPARE(p->Texts(), QStringList());
        QCOMPARE(db().SelectValue("select GoodsNo from Jb_Goods where Goods_Id=10").toString(), QString("G10"));
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=2").toInt(), 0);
        QCOMPARE(barcodes("10"), QStringList({"1:111", "2:222"}));

        // Another type: that type's next number, its CurNo one up; no barcodes left.
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            pickType(f, "油品");
            QCOMPARE(f->edGoodsNo->text(), QString("YP1000"));
            pickType(f, "刹车片");  // back to its own type: its own number again
            QCOMPARE(f->edGoodsNo->text(), QString("G10"));
            pickType(f, "油品");
            for (QLineEdit *e : f->edTxm)
                e->clear();
            click(f->btnSave);
        });
        QCOMPARE(goods.BxGoodsGl(1), QString("10"));
        QCOMPARE(db().SelectValue("select GoodsNo from Jb_Goods where Goods_Id=10").toString(), QString("YP1000"));
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=3").toInt(), 1000);
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=2").toInt(), 0);
        QCOMPARE(barcodes("10"), QStringList());
        QCOMPARE(db().SelectValue("select count(*) from Jb_Goods_Tm").toInt(), 0);
    }

    // A scanned code must name one goods and one unit: the editor refuses it before
    // anything is written.
    void editorRefusesBarcodeInUse()
    {
        shopData();
        db().ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(1,11,'6901',1)");
        auto attempt = [&](const QString &code1, const QString &code2) {
            p->Clear();
            whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
                typeText(f->edGoodsName, "刹车钳");
                pickType(f, "刹车系统");
                typeText(f->cbUnit[0], "个");
                typeText(f->cbUnit[1], "只");
                f->spNum1_2->setValue(2);
                typeText(f->edTxm[0], code1);
                typeText(f->edTxm[1], code2);
                click(f->btnSave);
            });
            return TWjBx_Goods().BxGoodsGl(0);
        };
        QVERIFY(attempt("6901", "").isEmpty());
        QCOMPARE(p->Texts(), QStringList({"单位1条码“6901”已被商品“刹车盘”（G11）使用，一个条码只能对应一个商品！"}));
        QVERIFY(attempt("7001", "7001").isEmpty());
        QCOMPARE(p->Texts(), QStringList({"单位1条码与单位2条码相同，一个条码只能对应一个单位！"}));
        QCOMPARE(goodsCount("GoodsName='刹车钳'"), 0);
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=1").toInt(), 0);
        QCOMPARE(db().SelectValue("select count(*) from Jb_Goods_Tm").toInt(), 1);
        // The goods keeps its own code when it is saved again.
        TWjQuery list;
        TWjBx_Goods goods;
        goods.SetWjQuery(&list);
        db().SelectTable("select * from V_Jb_Goods where Goods_Id=11", list);
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) { click(f->btnSave); });
        QCOMPARE(goods.BxGoodsGl(1), QString("11"));
        QCOMPARE(barcodes("11"), QStringList({"1:6901"}));
    }

    // The row, the number and the barcodes stand or fall together; the editor stays open.
    void editorSaveIsOneTransaction()
    {
        shopData();
        db().SetStatementFilter([](const QString &sql) { return !sql.startsWith("insert into Jb_Goods_Tm"); });
        bool stillOpen = false;
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            typeText(f->edGoodsName, "刹车钳");
            pickType(f, "刹车系统");
            typeText(f->cbUnit[0], "个");
            typeText(f->edTxm[0], "8001");
            click(f->btnSave);
            stillOpen = f->isVisible();
        });
        QVERIFY(TWjBx_Goods().BxGoodsGl(0).isEmpty());
        db().SetStatementFilter({});
        QVERIFY(stillOpen);
        QCOMPARE(p->shown.size(), size_t(1));
        QCOMPARE(p->shown[0].kind, TWjPrompter::Kind::Error);  // the general error report
        QCOMPARE(goodsCount("GoodsName='刹车钳'"), 0);
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=1").toInt(), 0);
    }

    // Two workstations save the same barcode: the one that comes second, whose save
    // began after the first committed, is refused with the editor's message once its
    // transaction is rolled back; meanwhile the other workstation writes freely.
    void editorBarcodeRaceWithASecondWorkstation()
    {
        shopData();
        auto other = t->OpenSecond(500);
        bool raced = false;
        db().SetStatementFilter([&](const QString &sql) {
            if (!raced && sql.startsWith("BEGIN")) {
                raced = true;  // the other workstation saves its goods first
                TWjTransaction tr(*other);
                other->ExecuteSQL("insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,Unit1) values(50,1,'A050','对手商品','个')");
                other->ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(50,50,'7777',1)");
                tr.Commit();
            }
            return true;
        });
        int otherWrote = 0;
        p->onShow = [&](const ScriptedPrompter::Shown &) {
            other->ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(51,11,'8888',1)");
            ++otherWrote;
        };
        bool stillOpen = false;
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            typeText(f->edGoodsName, "刹车钳");
            pickType(f, "刹车系统");
            typeText(f->cbUnit[0], "个");
            typeText(f->edTxm[0], "7777");
            click(f->btnSave);
            stillOpen = f->isVisible();
            QCOMPARE(f->edGoodsNo->text(), QString("A001"));
        });
        QVERIFY(TWjBx_Goods().BxGoodsGl(0).isEmpty());
        db().SetStatementFilter({});
        QVERIFY(raced);
        QVERIFY(stillOpen);
        QCOMPARE(p->Texts(), QStringList({"单位1条码“7777”已被商品“对手商品”（A050）使用，一个条码只能对应一个商品！"}));
        QCOMPARE(otherWrote, 1);
        QCOMPARE(goodsCount("GoodsName='刹车钳'"), 0);
        QCOMPARE(db().SelectValue("select count(*) from Jb_Goods_Tm where Txm='7777'").toInt(), 1);
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=1").toInt(), 0);
    }

    // Should the barcode arrive between the check and the write after all (another
    // program), the unique index refuses it: the editor says so after the rollback and
    // stores nothing.
    void editorBarcodeRefusedByTheIndexStoresNothing()
    {
        shopData();
        bool injected = false;
        db().SetStatementFilter([&](const QString &sql) {
            if (!injected && sql.startsWith("insert into Jb_Goods_Tm")) {
                injected = true;
                db().ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(60,11,'7778',2)");
            }
            return true;
        });
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            typeText(f->edGoodsName, "刹车钳");
            pickType(f, "刹车系统");
            typeText(f->cbUnit[0], "个");
            typeText(f->edTxm[0], "7778");
            click(f->btnSave);
            QVERIFY(f->isVisible());
            QVERIFY(f->edTxm[0]->hasFocus());
        });
        QVERIFY(TWjBx_Goods().BxGoodsGl(0).isEmpty());
        db().SetStatementFilter({});
        QVERIFY(injected);
        QCOMPARE(p->Texts(), QStringList({"单位1条码“7778”已被其他商品使用，一个条码只能对应一个商品！"}));
        QCOMPARE(goodsCount("GoodsName='刹车钳'"), 0);
        QCOMPARE(db().SelectValue("select count(*) from Jb_Goods_Tm").toInt(), 0);
        QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=1").toInt(), 0);
    }

    // Hostile input through the editor, typed as a user types: each row is stored exactly
    // as it ends up in the inputs, or refused with a message and nothing stored.
    void editorHostileInput_data()
    {
        const QString wide = QString::fromUcs4(U"\U00020000");
        QTest::addColumn<QString>("name");      // typed into 商品名称
        QTest::addColumn<QString>("remark");    // put into the memo
        QTest::addColumn<QString>("price");     // put into 单位1进价
        QTest::addColumn<QString>("stored");    // the name stored; "" when refused
        QTest::addColumn<QString>("message");   // the refusal
        QTest::newRow("quotes and markers") << "O'Neil \\ 50% a_b -- /* x */ ;" << "'); drop table Jb_Goods; --" << "12.5"
                                            << "O'Neil \\ 50% a_b -- /* x */ ;" << "";
        QTest::newRow("wide char at the limit") << QString(49, 'n') + wide << "" << "0" << QString(49, 'n') + wide << "";
        QTest::newRow("wide char past the limit") << QString(50, 'n') + wide << "" << "0" << QString(50, 'n') << "";
        QTest::newRow("NUL and half a char typed") << QString("刹") + QChar(0) + "车" + QChar(0xD800) + "钳" << "" << "0"
                                                   << "刹车钳" << "";
        QTest::newRow("10 kB remark") << "长备注" << QString(10240, 'r') + wide << "0" << "长备注" << "";
        QTest::newRow("NUL in the remark") << "空字符" << QString("a") + QChar(0) + "b" << "0" << ""
                                           << "输入的文字中含有无效字符（空字符或残缺的字符），操作已取消，没有保存任何内容。请检查输入后重试。";
        QTest::newRow("exponent price") << "指数" << "" << "1e999" << "" << "单位1进价必须是数字！";
        QTest::newRow("huge price") << "巨额" << "" << "99999999999999999999" << ""
                                    << "单位1进价超出允许的范围（最多14位整数、4位小数）！";
        QTest::newRow("largest price") << "最大" << "" << "99999999999999.9999" << "最大" << "";
    }
    void editorHostileInput()
    {
        QFETCH(QString, name);
        QFETCH(QString, remark);
        QFETCH(QString, price);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        shopData();
        const int before = goodsCount();
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
            pickType(f, "刹车系统");
            typeText(f->edGoodsName, name);
            typeText(f->cbUnit[0], "个");
            f->mmRemark->setPlainText(remark);
            f->edInPrice[0]->setText(price);  // what a paste past the input's own check would leave
            click(f->btnSave);
        });
        const QString key = TWjBx_Goods().BxGoodsGl(0);
        if (stored.isEmpty()) {
            QVERIFY(key.isEmpty());
            QCOMPARE(p->Texts(), QStringList({message}));
            QCOMPARE(goodsCount(), before);
            QCOMPARE(db().SelectValue("select CurNo from Jb_GoodsType where MeId=1").toInt(), 0);
            return;
        }
        QVERIFY2(!key.isEmpty(), qPrintable(p->Texts().join(" | ")));
        QVERIFY(p->shown.empty());
        QCOMPARE(goodsCount(), before + 1);
        TWjQuery row;
        db().SelectTable("select * from Jb_Goods where Goods_Id=" + key, row);
        QCOMPARE(row.FieldByName("GoodsName").AsString(), stored);
        QCOMPARE(row.FieldByName("Remark_Goods").AsString(), remark);
        QCOMPARE(row.FieldByName("LastIn_Price1").AsCurrency().ToString(), Currency::FromVariant(WjSql::CheckNumber(price)).ToString());
    }

    // The demo goods carry the numbers new goods get: prefix and three digits, so the
    // next goods of a type follows them in the same width.
    void demoGoodsNumbersHaveTheWidthOfNewOnes()
    {
        TestDatabase demo(true, true);
        TWjQuery q;
        demo.db().SelectTable("select GoodsNo, t.NoType from Jb_Goods g join Jb_GoodsType t on t.MeId=g.TypeId_Goods order by Goods_Id", q);
        QVERIFY(q.RecordCount() >= 6);
        for (q.First(); !q.Eof(); q.Next()) {
            const QString no = q.Fields(0).AsString(), prefix = q.Fields(1).AsString();
            QVERIFY2(no.startsWith(prefix) && no.size() == prefix.size() + 3, qPrintable(no));
        }
        TWjBx_GoodType types;
        const QString next = types.DoOfGoodsNo("0", "1");  // 发动机配件, its counter at 3
        QCOMPARE(next, QString("FD004"));
        QCOMPARE(next.size(), demo.db().SelectValue("select GoodsNo from Jb_Goods where Goods_Id=5").toString().size());
        QCOMPARE(demo.db().SelectValue("select GoodsNo from Yw_Pos_GdDetail where GoodsId_Sa=5").toString(), QString("FD001"));
    }

    void editorWarningDays_data()
    {
        QTest::addColumn<QString>("param");  // "-": no such parameter
        QTest::addColumn<int>("days");
        QTest::newRow("missing") << "-" << 10;
        QTest::newRow("set") << "30" << 30;
        QTest::newRow("not a number") << "三十" << 10;
    }
    void editorWarningDays()
    {
        QFETCH(QString, param);
        QFETCH(int, days);
        db().ExecuteSQL("delete from WJ_SYS_PARAM where PNAME='默认提前提醒天数'");
        if (param != "-")
            TWjPuFlag().WriteValue("参数设置内容", "默认提前提醒天数", param);
        int shown = -1;
        whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) { shown = f->spTipsDay->value(); });
        TWjBx_Goods().BxGoodsGl(0);
        QCOMPARE(shown, days);
    }

    void searchWindowAppendsPurchaseLines()
    {
        shopData();
        auto lines = lineSet("Yw_InDetail", "InDetail_Id", "InMain_Id", "Xh_Indetail", "GoodsId_In", "5");
        TWjQuery *ds = lines->DataSet();
        const bool ok = runSearch(ds, "5", "商品属性", "进货商品资料", "select * from V_Jb_Goods", "1", [&](TfrmBxSer_Mui_Tv *w) {
            QCOMPARE(w->pages->currentWidget()->objectName(), QString("商品属性"));
            QCOMPARE(w->lbUnit[0][0]->text() + w->lbUnit[0][1]->text() + w->lbUnit[0][2]->text(), QString("箱包只"));
            QCOMPARE(w->Goods()->RecordCount(), 3);
            QCOMPARE(w->cbSource->currentText(), QString("商品属性"));
            QVERIFY(!w->pnlInPrice->isVisibleTo(w));  // level 0

            // A type click: that type and the types below it.
            clickNode(w->tvType, "刹车系统");
            QCOMPARE(w->TypeKeys(), QString("1,2"));
            QCOMPARE(w->ParentTypeId(), QString("0"));
            QCOMPARE(column(w->Goods(), "GoodsName").size(), 2);
            clickNode(w->tvType, "刹车片");
            QCOMPARE(w->ParentTypeId(), QString("1"));
            QCOMPARE(column(w->Goods(), "GoodsName"), QStringList({"陶瓷刹车片"}));
            // A search on each keystroke.
            clickNode(w->tvType, "油品");
            typeText(w->edValue, "刹车");
            QCOMPARE(w->Goods()->RecordCount(), 2);

            click(w->btnAdd);  // nothing picked yet
            QCOMPARE(ds->RecordCount(), 0);
            pickGoods(w, "陶瓷刹车片");
            QCOMPARE(w->lbUnit[0][2]->text(), QString("片"));
            QCOMPARE(w->edPrice[1]->text(), QString("11"));
            QCOMPARE(w->cbPosi->currentText(), QString("A-01"));
            QVERIFY(w->edNum[2]->isEnabled());
            QCOMPARE(w->cbPc->currentText(), QString());
            QStringList batches;
            for (int i = 0; i < w->cbPc->count(); ++i)
                batches << w->cbPc->itemText(i);
            QCOMPARE(batches, QStringList({"P2601", "P2602"}));
            QCOMPARE(w->edTotal->text(), QString("100"));
            // A known batch brings its expiry date; the total follows the inputs.
            typeText(w->cbPc, "P2602");
            enter(w->cbPc);
            QCOMPARE(w->dtYx->date(), QDate(2027, 12, 31));
            retype(w->edNum[1], "2");
            enter(w->edNum[1]);
            QCOMPARE(w->edTotal->text(), QString("122"));
            click(w->btnAdd);
            QCOMPARE(ds->RecordCount(), 1);
            QCOMPARE(w->lbName[0]->text(), QString());
            click(w->btnAdd);  // the same pick does not append twice
            QCOMPARE(ds->RecordCount(), 1);

            // Bad numbers are refused and append nothing.
            pickGoods(w, "刹车盘");
            QVERIFY(!w->edNum[1]->isEnabled());
            QVERIFY(!w->edPrice[2]->isEnabled());
            QCOMPARE(w->edNum[1]->text(), QString("0"));
            w->edNum[0]->setText("1.5");
            click(w->btnAdd);
            w->edNum[0]->setText("3");
            w->edPrice[0]->setText("8O");
            click(w->btnAdd);
            QCOMPARE(ds->RecordCount(), 1);
            pickGoods(w, "陶瓷刹车片");
            click(w->btnAdd);
            pickGoods(w, "刹车盘");
            w->edNum[0]->setText("3");
            w->edPrice[0]->setText("79.5");
            click(w->btnAdd);
            QCOMPARE(column(ds, "Xh_Indetail"), QStringList({"1", "2", "3"}));
            // Delete the middle line and append again: record count + 1.
            ds->SetRecNo(2);
            click(w->btnDel);
            pickGoods(w, "陶瓷刹车片");
            click(w->btnAdd);
            QCOMPARE(column(ds, "Xh_Indetail"), QStringList({"1", "3", "3"}));
            click(w->btnOk);
        });
        QVERIFY(ok);
        QCOMPARE(p->Texts(), QStringList({"请选择商品资料！", "请选择商品资料！", "数量(个)必须是整数！", "单价(个)必须是数字！"}));
        ds->First();
        QVERIFY(ds->FieldByName("InDetail_Id").AsInteger() > 0);
        QCOMPARE(ds->FieldByName("InMain_Id").AsInteger(), 5);
        QCOMPARE(ds->FieldByName("GoodsId_In").AsInteger(), 10);
        QCOMPARE(ds->FieldByName("GoodsName").AsString(), QString("陶瓷刹车片"));  // the line set's display column
        QCOMPARE(ds->FieldByName("Pc").AsString(), QString("P2602"));
        QCOMPARE(ds->FieldByName("Yx_date").AsDate(), QDate(2027, 12, 31));
        QCOMPARE(ds->FieldByName("InNum2").AsInteger(), 2);
        QCOMPARE(ds->FieldByName("In_Price3").AsCurrency().ToString(), QString("3"));
        QCOMPARE(ds->FieldByName("T_Price").AsCurrency().ToString(), QString("122"));
        QCOMPARE(ds->FieldByName("Posi").AsString(), QString("A-01"));

        // Saved with the document: the lines reach the table in one batch.
        {
            TWjTransaction tr(db());
            lines->UpdateBatch();
            tr.Commit();
        }
        TWjQuery stored;
        db().SelectTable("select * from Yw_InDetail where InMain_Id=5 order by Xh_Indetail", stored);
        QCOMPARE(column(&stored, "Xh_Indetail"), QStringList({"1", "2", "3"}));
        QCOMPARE(column(&stored, "GoodsId_In"), QStringList({"10", "11", "10"}));
        stored.Next();
        QCOMPARE(stored.FieldByName("In_Price1").AsCurrency().ToString(), QString("79.5"));
        QCOMPARE(stored.FieldByName("T_Price").AsCurrency().ToString(), QString("238.5"));

        // Cancelling keeps the lines appended before it; the document's cancel drops them.
        const bool cancelled = runSearch(ds, "5", "商品属性", "进货商品资料", "select * from V_Jb_Goods", "1", [&](TfrmBxSer_Mui_Tv *w) {
            pickGoods(w, "全合成机油");
            click(w->btnAdd);
            click(w->btnCancel);
        });
        QVERIFY(!cancelled);
        QCOMPARE(ds->RecordCount(), 4);
        lines->CancelBatch();
        QCOMPARE(ds->RecordCount(), 3);
        QCOMPARE(db().SelectValue("select count(*) from Yw_InDetail").toInt(), 3);
    }

    void searchWindowSalePrices_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("prices");
        QTest::newRow("normal") << "1" << QStringList{"150", "16", "4.5"};
        QTest::newRow("wholesale") << "2" << QStringList{"140", "15", "4"};
        QTest::newRow("discount") << "3" << QStringList{"145", "15.5", "4.2"};
    }
    void searchWindowSalePrices()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, prices);
        shopData();
        t->czy().CzyLevel = 1;
        auto lines = lineSet("Yw_SaDetail", "SaDetail_Id", "SaMain_Id", "Xh_SaDetail", "GoodsId_Sa", "7");
        TWjQuery *ds = lines->DataSet();
        runSearch(ds, "7", "库存资料", "销售商品资料", "select * from V_Yw_KcData", mode, [&](TfrmBxSer_Mui_Tv *w) {
            QCOMPARE(w->pages->currentWidget()->objectName(), QString("库存资料"));
            QVERIFY(w->pnlInPrice->isVisibleTo(w));
            pickGoods(w, "陶瓷刹车片");
            for (int u = 0; u < 3; ++u) {
                QCOMPARE(w->edSaPrice[u]->text(), prices[u]);
                QCOMPARE(w->edKdPrice[u]->text(), prices[u]);
            }
            QCOMPARE(w->edInPrice[1]->text(), QString("11"));
            // A sale price typed is the invoice price too; the cost follows the quantities.
            retype(w->edSaPrice[0], "148");
            enter(w->edSaPrice[0]);
            QCOMPARE(w->edKdPrice[0]->text(), QString("148"));
            retype(w->edSaNum[2], "3");
            w->edSaNum[1]->clear();
            click(w->btnCost);
            QCOMPARE(w->edSaNum[1]->text(), QString("0"));
            QCOMPARE(w->edCost->text(), QString("109"));
            w->chkPc->setChecked(true);
            QVERIFY(w->cbSaPc->isEnabled());
            w->edKcId->setText("2");
            click(w->btnAdd);
            QCOMPARE(w->edKcId->text(), QString("0"));
            // One unit: units 2 and 3 stay closed at 0.
            pickGoods(w, "刹车盘");
            for (QWidget *e : {static_cast<QWidget *>(w->edSaNum[1]), static_cast<QWidget *>(w->edSaPrice[2]),
                               static_cast<QWidget *>(w->edKdPrice[1])})
                QVERIFY(!e->isEnabled());
            QCOMPARE(w->edSaNum[2]->text(), QString("0"));
            click(w->btnAdd);
            click(w->btnOk);
        });
        QCOMPARE(p->Texts(), QStringList());
        QCOMPARE(ds->RecordCount(), 2);
        ds->First();
        QCOMPARE(ds->FieldByName("SaMain_Id").AsInteger(), 7);
        QCOMPARE(ds->FieldByName("Xh_SaDetail").AsInteger(), 1);
        QCOMPARE(ds->FieldByName("GoodsId_Sa").AsInteger(), 10);
        QCOMPARE(ds->FieldByName("SaNum3").AsInteger(), 3);
        QCOMPARE(ds->FieldByName("Sa_Price1").AsCurrency().ToString(), QString("148"));
        QCOMPARE(ds->FieldByName("Sa_Price2_Kd").AsCurrency().ToString(), prices[1]);
        QCOMPARE(ds->FieldByName("TIn_Price").AsCurrency().ToString(), QString("109"));
        QVERIFY(ds->FieldByName("Pc").IsNull());  // sale lines carry no batch
        ds->Next();
        QCOMPARE(ds->FieldByName("Xh_SaDetail").AsInteger(), 2);
        QCOMPARE(ds->FieldByName("TIn_Price").AsCurrency().ToString(), QString("80"));
    }

    void searchWindowReturnAndProductionLines()
    {
        shopData();
        auto returns = lineSet("Yw_ThDetail", "ThDetail_Id", "ThMain_Id", "Xh_Thdetail", "GoodsId_Th", "3");
        TWjQuery *ds = returns->DataSet();
        const bool ok = runSearch(ds, "3", "退货资料", "退货商品资料", "select * from V_Jb_Goods", "1", [&](TfrmBxSer_Mui_Tv *w) {
            QCOMPARE(w->pages->currentWidget()->objectName(), QString("退货资料"));
            pickGoods(w, "陶瓷刹车片");
            click(w->btnAdd);
            typeText(w->cbThPc, "P9999");
            click(w->btnAdd);
            retype(w->cbThPc, "P2601");
            retype(w->edThNum[0], "0");
            retype(w->edThNum[2], "6");
            typeText(w->edThRemark, "破损");
            click(w->btnAdd);
            click(w->btnCancel);
        });
        QVERIFY(!ok);
        QCOMPARE(p->Texts(), QStringList({"请选择批次资料！", "不存在该批次资料！"}));
        QCOMPARE(ds->RecordCount(), 1);
        QCOMPARE(ds->FieldByName("Pc").AsString(), QString("P2601"));
        QCOMPARE(ds->FieldByName("ThNum3").AsInteger(), 6);
        QCOMPARE(ds->FieldByName("ThMain_Id").AsInteger(), 3);
        QCOMPARE(ds->FieldByName("GoodsId_Th").AsInteger(), 10);
        QCOMPARE(ds->FieldByName("ReMark").AsString(), QString("破损"));

        // Production: the "商品属性" page writes production lines, the total as typed.
        auto production = lineSet("Yw_ScDetail", "ScDetail_Id", "ScMain_Id", "Xh_Scdetail", "GoodsId_Sc", "4");
        TWjQuery *sc = production->DataSet();
        runSearch(sc, "4", "商品属性", "生产资料", "select * from V_Jb_Goods", "1", [&](TfrmBxSer_Mui_Tv *w) {
            QCOMPARE(w->Kind(), TfrmBxSer_Mui_Tv::Production);
            pickGoods(w, "全合成机油");
            w->edNum[0]->setText("2");
            w->edTotal->setText("999");
            typeText(w->cbPc, "SC01");
            click(w->btnAdd);
            click(w->btnOk);
        });
        QCOMPARE(sc->RecordCount(), 1);
        QCOMPARE(sc->FieldByName("ScMain_Id").AsInteger(), 4);
        QCOMPARE(sc->FieldByName("Xh_Scdetail").AsInteger(), 1);
        QCOMPARE(sc->FieldByName("ScNum1").AsInteger(), 2);
        QCOMPARE(sc->FieldByName("Sc_Price2").AsCurrency().ToString(), QString("155.5"));
        QCOMPARE(sc->FieldByName("T_Price").AsCurrency().ToString(), QString("999"));
        QCOMPARE(sc->FieldByName("Pc").AsString(), QString("SC01"));
        QCOMPARE(sc->FieldByName("Posi").AsString(), QString("B-01"));
    }

    // "添加新商品" adds a goods without reloading the list; an empty list confirms nothing;
    // the goods list's layout is kept per caption across openings.
    void searchWindowNewGoodsEmptyListAndLayout()
    {
        shopData();
        auto lines = lineSet("Yw_InDetail", "InDetail_Id", "InMain_Id", "Xh_Indetail", "GoodsId_In", "5");
        const bool ok = runSearch(lines->DataSet(), "5", "商品属性", "进货商品资料", "select * from V_Jb_Goods where 1=0", "1",
                                  [&](TfrmBxSer_Mui_Tv *w) {
                                      QCOMPARE(w->Goods()->RecordCount(), 0);
                                      whenShown<TfrmGoods_Bx>([&](TfrmGoods_Bx *f) {
                                          typeText(f->edGoodsName, "刹车钳");
                                          pickType(f, "刹车系统");
                                          typeText(f->cbUnit[0], "个");
                                          click(f->btnSave);
                                      });
                                      click(w->btnNewGoods);
                                      QCOMPARE(goodsCount("GoodsName='刹车钳'"), 1);
                                      QCOMPARE(w->Goods()->RecordCount(), 0);
                                      auto cols = w->dbgGoods->Columns();
                                      cols[1].caption = "品名";
                                      w->dbgGoods->SetColumns(cols);
                                      w->dbgGoods->SaveFmt(w->GoodsFmt());
                                      click(w->btnOk);
                                  });
        QVERIFY(!ok);
        runSearch(lines->DataSet(), "5", "商品属性", "进货商品资料", "select * from V_Jb_Goods", "1", [&](TfrmBxSer_Mui_Tv *w) {
            QCOMPARE(w->dbgGoods->Columns().value(1).caption, QString("品名"));
        });
    }
};

QTEST_MAIN(TestGoodsWindows)
#include "test_goodswindows.moc"
