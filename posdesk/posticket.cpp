#include "posticket.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjprompter.h"
#include "wjservices.h"
#include "wjtext.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

namespace {
using Q = TDBAction;

const QString kNoGoods = QStringLiteral("对不起，库存中没有该商品资料！");
const QString kTmp = QStringLiteral("Yw_Pos_SaDetailTmp");
// The columns of a line as stored (the calculated ones are not).
const QStringList kLineColumns = {
    QStringLiteral("SaDetail_Id"), QStringLiteral("SaMain_Id"), QStringLiteral("Xh_SaDetail"),
    QStringLiteral("GoodsId_Sa"),  QStringLiteral("GoodsName"), QStringLiteral("GoodsNo"),
    QStringLiteral("Unit"),        QStringLiteral("Unit_Flag"), QStringLiteral("SaNum"),
    QStringLiteral("Sa_Price"),    QStringLiteral("In_Price")};
// Quantities beyond this are typing errors, and would overflow the money arithmetic.
constexpr double kMaxQuantity = 1e8;

QVariant money(const Currency &c) { return QVariant::fromValue(c); }

QString num(double v) { return NumberText(v); }

// The last column of that name: in "a.*,b.*" the barcode's Unit_Flag comes after the
// goods' columns.
int lastIndexOf(const TWjQuery &q, const QString &name)
{
    for (int i = q.FieldCount() - 1; i >= 0; --i)
        if (q.FieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
} // namespace

bool ReadNumber(const QString &text, double *value)
{
    // Plain decimal text, as every number a user types (no exponent, inf or nan).
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool ReadMoney(const QString &text, Currency *value)
{
    double d = 0;
    if (!ReadNumber(text, &d) || std::fabs(d) >= 1e12)
        return false;
    try {
        return Currency::TryParse(WjSql::CheckNumber(text), value);  // at most four decimals
    } catch (const EWjError &) {
        return false;
    }
}

QString NumberText(double v)
{
    if (v == 0)
        return QStringLiteral("0");  // also -0
    return QString::number(v, 'f', QLocale::FloatingPointShortest);  // never an exponent
}

bool ParseScaleLabel(const QString &code, TScaleLabel *out)
{
    if (code.size() < 8)
        return false;
    double weight = 0;
    if (!ReadNumber(code.mid(7, 5), &weight) || weight < 0)
        return false;
    out->goodsCode = code.mid(2, 4).trimmed();
    out->quantity = weight / 500;
    return !out->goodsCode.isEmpty();
}

TPosTicket::TPosTicket(QObject *parent) : QObject(parent)
{
    m_lines = new TWjQuery(this);
}

TPosTicket::~TPosTicket() = default;

TDBAction &TPosTicket::Db() const
{
    TDBAction *d = m_db ? m_db : CurDBAction;
    if (!d)
        throw EWjError(QStringLiteral("数据访问服务尚未创建。"));
    return *d;
}

Currency TPosTicket::LineAmount(double quantity, const Currency &price)
{
    // x10, to a whole number with halves to the even neighbour, /10.
    return price.Mul(Currency::FromDouble(quantity)).RoundBankers(1);
}

QString TPosTicket::TNumText(double quantity, const QString &unit)
{
    return num(quantity) + unit;
}

void TPosTicket::openLines()
{
    m_lines->SetConnection(&Db());
    m_lines->Close();
    // Key 0: the cache starts empty, its lines belong to no stored ticket.
    m_lines->Open(QStringLiteral("select * from Yw_Pos_SaDetailTmp where SaMain_Id=0"));
    m_lines->AddCalcField(QStringLiteral("TNum"));
    m_lines->AddCalcField(QStringLiteral("T_Price"));
}

void TPosTicket::Start(const QString &cashier)
{
    Cashier = cashier;
    SaDate = QDate::currentDate();
    NewTicket();
}

void TPosTicket::NewTicket()
{
    TDBAction &db = Db();
    try {
        TWjBhgl bh;
        bh.SetConnection(&db);
        // Shown and used up in one step: two counters never print the same number.
        const QString number = bh.TakeBH(QStringLiteral("POS_BH"));
        const QString key = db.GetTbId(QStringLiteral("Yw_Pos_SaHead"), QStringLiteral("SaHead_Id"));
        openLines();
        AutoNum = number;
        SaHeadId = key;
    } catch (const EWjError &e) {
        // No ticket is open now; the next scan, search or recall opens one (EnsureTicket).
        m_lines->Close();
        AutoNum.clear();
        SaHeadId = QStringLiteral("0");
        emit TicketOpened();
        emit Changed();
        const auto *dbe = dynamic_cast<const EWjDbError *>(&e);
        throw EWjError(QStringLiteral("新的小票未能打开：数据库暂时无法使用（%1）。\n请稍后再试，下一次扫描或选择商品时会自动重新打开小票。")
                           .arg(dbe ? dbe->DriverText() : e.Message()));
    }
    emit TicketOpened();
    emit Changed();
}

bool TPosTicket::Ready() const
{
    return m_lines->Active();
}

void TPosTicket::EnsureTicket()
{
    if (!Ready())
        NewTicket();
}

int TPosTicket::LineCount() const
{
    return m_lines->Active() ? m_lines->RecordCount() : 0;
}

Currency TPosTicket::Due() const
{
    Currency sum;
    const int col = m_lines->FieldIndex(QStringLiteral("T_Price"));
    for (int r = 0; r < LineCount(); ++r)
        sum += Currency::FromVariant(m_lines->Value(r, col));
    return sum;
}

void TPosTicket::setCalc()
{
    const double qty = m_lines->FieldByName(QStringLiteral("SaNum")).AsFloat();
    const Currency price = m_lines->FieldByName(QStringLiteral("Sa_Price")).AsCurrency();
    m_lines->SetValue(QStringLiteral("TNum"), TNumText(qty, m_lines->FieldByName(QStringLiteral("Unit")).AsString()));
    m_lines->SetValue(QStringLiteral("T_Price"), money(LineAmount(qty, price)));
}

TPosTicket::Lookup TPosTicket::FindBarcode(const QString &code, TPosGoods *g)
{
    TWjQuery q;
    Db().SelectTable(QStringLiteral("select a.*,b.* from Jb_Goods a,Jb_Goods_Tm b where b.Txm=%1 and a.Goods_Id=b.GoodsId "
                                    "order by a.Goods_Id,b.Unit_Flag")
                         .arg(Q::QuotedStr(code)),
                     q);
    if (q.IsEmpty())
        return Lookup::Missing;
    if (q.RecordCount() > 1) {
        // Stored before barcodes were unique: the cashier says which goods it is.
        QStringList items;
        for (q.First(); !q.Eof(); q.Next()) {
            const QString no = q.FieldByName(QStringLiteral("GoodsNo")).AsString();
            const QString unit = q.FieldByName(QStringLiteral("Unit") + TWjField(&q, lastIndexOf(q, QStringLiteral("Unit_Flag"))).AsString()).AsString();
            items << QStringLiteral("%1%2%3").arg(q.FieldByName(QStringLiteral("GoodsName")).AsString(),
                                                  no.isEmpty() ? QString() : QStringLiteral("（%1）").arg(no),
                                                  unit.isEmpty() ? QString() : QStringLiteral(" 按%1").arg(unit));
        }
        const int chosen = Prompter().Choose(QStringLiteral("选择商品"),
                                             QStringLiteral("条码“%1”对应多个商品，请选择要销售的商品：").arg(code), items);
        if (chosen < 0 || chosen >= items.size())
            return Lookup::Cancelled;
        q.SetRecNo(chosen + 1);
    }
    const int flag = TWjField(&q, lastIndexOf(q, QStringLiteral("Unit_Flag"))).AsInteger();
    if (flag < 1 || flag > 3) {
        // Another flag would sell this goods at the unit and price of the previous scan.
        Prompter().Warning(QStringLiteral("条码“%1”没有指定销售单位（单位标志应为 1、2 或 3），请先在商品资料中修改该条码！").arg(code));
        return Lookup::BadUnit;
    }
    const QString n = QString::number(flag);
    g->goodsId = q.FieldByName(QStringLiteral("Goods_Id")).AsString();
    g->goodsName = q.FieldByName(QStringLiteral("GoodsName")).AsString();
    g->goodsNo = q.FieldByName(QStringLiteral("GoodsNo")).AsString();
    g->unitFlag = flag;
    g->unit = q.FieldByName(QStringLiteral("Unit") + n).AsString();
    g->saPrice = q.FieldByName(QStringLiteral("LastSa_Price") + n).AsCurrency();
    g->inPrice = q.FieldByName(QStringLiteral("LastIn_Price") + n).AsCurrency();
    return Lookup::Found;
}

TPosTicket::ScanResult TPosTicket::Scan(const QString &text, QString *quantityText)
{
    const QString code = text.trimmed();
    if (code.isEmpty())
        return ScanResult::Empty;
    EnsureTicket();
    TPosGoods g;
    const Lookup found = FindBarcode(code, &g);
    if (found == Lookup::BadUnit)
        return ScanResult::BadUnit;
    if (found == Lookup::Cancelled)
        return ScanResult::Cancelled;
    if (found == Lookup::Found) {
        double qty = 0;
        if (!ReadNumber(*quantityText, &qty) || std::fabs(qty) >= kMaxQuantity) {
            Prompter().Warning(QStringLiteral("数量必须是数字！"));
            return ScanResult::BadQuantity;
        }
        AddLine(g, qty);
        return ScanResult::Added;
    }
    TScaleLabel label;
    const Lookup weighed = (ParseScaleLabel(code, &label) && label.quantity < kMaxQuantity) ? FindBarcode(label.goodsCode, &g)
                                                                                           : Lookup::Missing;
    if (weighed != Lookup::Found) {
        if (weighed == Lookup::Missing)
            Prompter().Warning(kNoGoods);
        return weighed == Lookup::Missing ? ScanResult::NotFound
               : weighed == Lookup::Cancelled ? ScanResult::Cancelled : ScanResult::BadUnit;
    }
    AddLine(g, label.quantity);
    *quantityText = QStringLiteral("1");
    return ScanResult::Added;
}

void TPosTicket::AddLine(const TPosGoods &g, double quantity)
{
    EnsureTicket();
    // The key first: when it cannot be drawn, nothing was appended.
    const QString id = Db().GetTbId(kTmp, QStringLiteral("SaDetail_Id"));
    const int xh = LineCount() + 1;
    m_lines->Append();
    m_lines->SetValue(QStringLiteral("SaDetail_Id"), id.toLongLong());
    m_lines->SetValue(QStringLiteral("SaMain_Id"), SaHeadId.toLongLong());
    m_lines->SetValue(QStringLiteral("Xh_SaDetail"), xh);
    m_lines->SetValue(QStringLiteral("GoodsId_Sa"), g.goodsId.toLongLong());
    m_lines->SetValue(QStringLiteral("GoodsName"), g.goodsName);
    m_lines->SetValue(QStringLiteral("GoodsNo"), g.goodsNo);
    m_lines->SetValue(QStringLiteral("Unit"), g.unit);
    m_lines->SetValue(QStringLiteral("Unit_Flag"), g.unitFlag);
    m_lines->SetValue(QStringLiteral("SaNum"), quantity);
    m_lines->SetValue(QStringLiteral("Sa_Price"), money(g.saPrice));
    m_lines->SetValue(QStringLiteral("In_Price"), money(g.inPrice));
    setCalc();
    emit Changed();
}

bool TPosTicket::DeleteCurrent()
{
    if (IsEmpty())
        return false;
    m_lines->Delete();
    emit Changed();
    return true;
}

bool TPosTicket::ClearLines()
{
    if (IsEmpty())
        return false;
    if (!Prompter().Question(QStringLiteral("您是否确定清空列表资料？")))
        return false;
    while (!IsEmpty())
        m_lines->Delete();
    emit Changed();
    return true;
}

bool TPosTicket::EditCurrent(const QString &quantityText, const QString &priceText)
{
    if (IsEmpty())
        return false;
    double qty = 0;
    if (!ReadNumber(quantityText, &qty) || std::fabs(qty) >= kMaxQuantity) {
        Prompter().Warning(QStringLiteral("数量必须是数字！"));
        return false;
    }
    Currency price;
    if (!ReadMoney(priceText, &price)) {
        Prompter().Warning(QStringLiteral("单价必须是数字！"));
        return false;
    }
    m_lines->SetValue(QStringLiteral("SaNum"), qty);
    m_lines->SetValue(QStringLiteral("Sa_Price"), money(price));
    setCalc();
    emit Changed();
    return true;
}

void TPosTicket::SavePaid()
{
    if (IsEmpty())
        throw EWjError(QStringLiteral("小票中没有商品，不能付款。"));
    TDBAction &db = Db();
    const QString head = WjSql::CheckInteger(SaHeadId);
    {
        TWjTransaction tr(db);
        db.ExecuteSQL(QStringLiteral("insert into Yw_Pos_SaHead(SaHead_Id,Sa_AutoNum,Sa_Date,PayType,Operation) values(%1,%2,%3,%4,%5)")
                          .arg(head, Q::QuotedStr(AutoNum), db.DateStr(SaDate.isValid() ? SaDate : QDate::currentDate()),
                               Q::QuotedStr(PayType), Q::QuotedStr(Cashier)));
        // The lines as entered go in through a copy of the cache: should anything below
        // fail, the window's cache still holds every line, unsaved, for another try.
        TWjQuery copy;
        db.SelectTable(QStringLiteral("select * from Yw_Pos_SaDetailTmp where 1=0"), copy);
        for (int r = 0; r < LineCount(); ++r) {
            copy.Append();
            for (const QString &c : kLineColumns)
                copy.SetValue(c, m_lines->Value(r, m_lines->FieldIndex(c)));
        }
        copy.ApplyUpdates(kTmp, QStringLiteral("SaDetail_Id"), kLineColumns);

        TWjQuery q;
        db.SelectTable(QStringLiteral("select * from Yw_Pos_SaDetailTmp where SaMain_Id=%1 order by Xh_SaDetail,SaDetail_Id").arg(head), q);
        for (q.First(); !q.Eof(); q.Next()) {
            const int flag = q.FieldByName(QStringLiteral("Unit_Flag")).AsInteger();
            const double qty = q.FieldByName(QStringLiteral("SaNum")).AsFloat();
            const Currency price = q.FieldByName(QStringLiteral("Sa_Price")).AsCurrency();
            const Currency cost = q.FieldByName(QStringLiteral("In_Price")).AsCurrency().Mul(Currency::FromDouble(qty));
            QStringList v;
            v << db.GetTbId(QStringLiteral("Yw_Pos_SaDetail"), QStringLiteral("SaDetail_Id")) << head
              << QString::number(q.FieldByName(QStringLiteral("Xh_SaDetail")).AsInteger())
              << QString::number(q.FieldByName(QStringLiteral("GoodsId_Sa")).AsLargeInt());
            for (int u = 1; u <= 3; ++u) {
                v << (u == flag ? num(qty) : QStringLiteral("0"));
                v << (u == flag ? price.ToString() : QStringLiteral("0"));
            }
            v << cost.ToString() << QString::number(flag);
            db.ExecuteSQL(QStringLiteral("insert into Yw_Pos_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,SaNum1,Sa_Price1,"
                                         "SaNum2,Sa_Price2,SaNum3,Sa_Price3,TIn_Price,Unit_Flag)values(")
                          + v.join(QLatin1Char(',')) + QLatin1Char(')'));
        }
        tr.Commit();
    }
    m_lines->Close();  // stored: these lines are gone from the counter even if the next ticket fails to open
    NewTicket();
}

TBillTicket TPosTicket::BillTicket(const Currency &due, const Currency &paid, const Currency &change) const
{
    TBillTicket t;
    t.cashier = Cashier;
    t.number = AutoNum;
    t.due = due;
    t.paid = paid;
    t.change = change;
    const int name = m_lines->FieldIndex(QStringLiteral("GoodsName"));
    const int tnum = m_lines->FieldIndex(QStringLiteral("TNum"));
    const int price = m_lines->FieldIndex(QStringLiteral("Sa_Price"));
    const int amount = m_lines->FieldIndex(QStringLiteral("T_Price"));
    for (int r = 0; r < LineCount(); ++r)
        t.lines.append({m_lines->Value(r, name).toString(), m_lines->Value(r, tnum).toString(),
                        Currency::FromVariant(m_lines->Value(r, price)), Currency::FromVariant(m_lines->Value(r, amount))});
    return t;
}

bool TPosTicket::Hold()
{
    if (IsEmpty()) {
        Prompter().Warning(QStringLiteral("对不起，系统处于待销售状态，不能挂单！"));
        return false;
    }
    if (!Prompter().Question(QStringLiteral("您是否确定挂单？")))
        return false;
    TDBAction &db = Db();
    QStringList names;
    for (int r = 0; r < LineCount(); ++r)
        names << m_lines->Value(r, m_lines->FieldIndex(QStringLiteral("GoodsName"))).toString();
    {
        TWjTransaction tr(db);
        const QString gd = db.GetTbId(QStringLiteral("Yw_Pos_Gd"), QStringLiteral("Gd_Id"));
        db.ExecuteSQL(QStringLiteral("insert into Yw_Pos_Gd(Gd_Id,SaMainBh,sGoods,SaHead_Id,Operation,Gd_Time) values(%1,%2,%3,%4,%5,%6)")
                          .arg(gd, Q::QuotedStr(AutoNum), Q::QuotedStr(WjText::LeftChars(names.join(QLatin1Char(',')), 255)),
                               WjSql::CheckInteger(SaHeadId), Q::QuotedStr(Cashier), db.DateTimeStr(QDateTime::currentDateTime())));
        TWjQuery copy;
        db.SelectTable(QStringLiteral("select * from Yw_Pos_GdDetail where 1=0"), copy);
        for (int r = 0; r < LineCount(); ++r) {
            copy.Append();
            for (const QString &c : kLineColumns)
                if (c != QLatin1String("SaMain_Id"))
                    copy.SetValue(c, m_lines->Value(r, m_lines->FieldIndex(c)));
            copy.SetValue(QStringLiteral("Gd_Id"), gd.toLongLong());
        }
        copy.ApplyUpdates(QStringLiteral("Yw_Pos_GdDetail"), QStringLiteral("SaDetail_Id"));
        tr.Commit();
    }
    m_lines->Close();
    NewTicket();
    return true;
}

bool TPosTicket::CanRecall() const
{
    if (!IsEmpty()) {
        Prompter().Warning(QStringLiteral("对不起，系统处于销售状态，不能解挂！"));
        return false;
    }
    return true;
}

bool TPosTicket::Recall(const QString &gdId)
{
    if (!IsEmpty())
        return CanRecall();
    EnsureTicket();
    TDBAction &db = Db();
    const QString gd = WjSql::CheckInteger(gdId);
    TWjQuery head, lines;
    bool taken = false;
    {
        TWjTransaction tr(db);
        db.SelectTable(QStringLiteral("select SaMainBh,SaHead_Id from Yw_Pos_Gd where Gd_Id=%1").arg(gd), head);
        db.SelectTable(QStringLiteral("select * from Yw_Pos_GdDetail where Gd_Id=%1 order by Xh_SaDetail,SaDetail_Id").arg(gd), lines);
        // The delete decides: of two counters recalling at once, one gets the ticket.
        taken = !head.IsEmpty() && db.ExecuteCount(QStringLiteral("delete from Yw_Pos_Gd where Gd_Id=%1").arg(gd)) == 1;
        if (taken) {
            db.ExecuteSQL(QStringLiteral("delete from Yw_Pos_GdDetail where Gd_Id=%1").arg(gd));
            tr.Commit();
        }
    }
    if (!taken) {  // rolled back first: the other counters go on while this is read
        Prompter().Warning(QStringLiteral("该挂单已不存在，可能已在其他收银台解挂或被删除！"));
        return false;
    }
    AutoNum = head.FieldByName(QStringLiteral("SaMainBh")).AsString();
    SaHeadId = head.FieldByName(QStringLiteral("SaHead_Id")).AsString();
    for (lines.First(); !lines.Eof(); lines.Next()) {
        auto f = [&](const char *name) { return lines.FieldByName(QLatin1String(name)); };
        m_lines->Append();
        m_lines->SetValue(QStringLiteral("SaDetail_Id"), f("SaDetail_Id").AsLargeInt());
        m_lines->SetValue(QStringLiteral("SaMain_Id"), SaHeadId.toLongLong());
        m_lines->SetValue(QStringLiteral("Xh_SaDetail"), f("Xh_SaDetail").AsInteger());
        m_lines->SetValue(QStringLiteral("GoodsId_Sa"), f("GoodsId_Sa").AsLargeInt());
        m_lines->SetValue(QStringLiteral("GoodsName"), f("GoodsName").AsString());
        m_lines->SetValue(QStringLiteral("GoodsNo"), f("GoodsNo").AsString());
        m_lines->SetValue(QStringLiteral("Unit"), f("Unit").AsString());
        m_lines->SetValue(QStringLiteral("Unit_Flag"), f("Unit_Flag").AsInteger());
        m_lines->SetValue(QStringLiteral("SaNum"), f("SaNum").AsFloat());
        m_lines->SetValue(QStringLiteral("Sa_Price"), money(f("Sa_Price").AsCurrency()));
        m_lines->SetValue(QStringLiteral("In_Price"), money(f("In_Price").AsCurrency()));
        setCalc();
    }
    m_lines->First();
    emit TicketOpened();
    emit Changed();
    return true;
}

bool TPosTicket::DeleteHeld(const QString &gdId)
{
    const QString gd = WjSql::CheckInteger(gdId);
    if (!Prompter().Question(QStringLiteral("您是否确定删除该挂单？")))
        return false;
    TDBAction &db = Db();
    TWjTransaction tr(db);
    db.ExecuteSQL(QStringLiteral("delete from Yw_Pos_GdDetail where Gd_Id=%1").arg(gd));
    const int n = db.ExecuteCount(QStringLiteral("delete from Yw_Pos_Gd where Gd_Id=%1").arg(gd));
    tr.Commit();
    return n == 1;
}
