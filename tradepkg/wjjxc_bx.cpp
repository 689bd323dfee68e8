#include "wjjxc_bx.h"
#include "wjtext.h"
#include "wjczy.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjjxcfun_bx.h"
#include "wjprompter.h"

#include <QDate>
#include <QSet>
#include <QStringEncoder>

// What tells the document kinds apart: tables, columns, flag values, engine calls and
// the texts shown.
struct TWjJxc_Bx::DocKind
{
    const char *head, *detail, *key, *detailKey, *flag;
    const char *auditedFlag, *openFlag;          // flag values: audited, not audited
    const char *auditorColumn, *auditDateColumn;
    bool (TWjJxcFun_Bx::*post)(const QString &);
    bool (TWjJxcFun_Bx::*unpost)(const QString &);
    bool stockOnlyWhenUpdateKc;  // returns: the engine is called only when UpdateKc_Flag is "0"
    bool flagEvenWithoutLines;   // the audit writes the flag whatever the engine returned
    const char *isAudited, *askAudit, *notAudited, *askUnaudit, *noDelete, *askDelete, *askClear;
};

namespace {
using K = TWjJxcFun_Bx;

// The texts are the system's own messages, byte for byte.
const TWjJxc_Bx::DocKind kIn{
    "Yw_InHead", "Yw_InDetail", "InHead_ID", "InMain_Id", "InFlag", "2", "1", "Shr", "sh_date",
    &K::SetInDataToKc, &K::GetInDataFromKc, false, false,
    "对不起，该进货单已经审核！", "您是否确定审核该进货单资料？", "对不起，该进货单还没有审核！",
    "您是否确定反审核该进货单资料？", "对不起，该进货单已经审核！不能删除！", "您是否确定删除该进货单资料？",
    "您是否确定清空所有查询进货单资料，这将导致数据无法恢复，请考虑清楚？"};
const TWjJxc_Bx::DocKind kSa{
    "Yw_SaHead", "Yw_SaDetail", "SaHead_Id", "SaMain_Id", "SaFlag", "2", "1", "Shr", "sh_date",
    &K::UpKcWithSaData, &K::UnDoUpKcWithSaData, false, false,
    "对不起，该销售单已经审核！", "您是否确定审核该销售单资料？", "对不起，该销售单还没有审核！",
    "您是否确定反审核该销售单资料？", "对不起，该销售单已经审核！不能删除！", "您是否确定删除该销售单资料？",
    "您是否确定清空所有查询销售单资料，这将导致数据无法恢复，请考虑清楚？"};
const TWjJxc_Bx::DocKind kTh{
    "Yw_ThHead", "Yw_ThDetail", "ThHead_ID", "ThMain_Id", "ThFlag", "2", "1", "Shr", "sh_date",
    &K::SetKcDataToTh, &K::GetThDataFromKc, true, true,
    "对不起，该退货单已经审核！", "您是否确定审核该退货单资料？", "对不起，该退货单还没有审核！",
    "您是否确定反审核该退货单资料？", "对不起，该退货单已经审核！不能删除！", "您是否确定删除该退货单资料？", nullptr};
const TWjJxc_Bx::DocKind kSc{
    "Yw_ScHead", "Yw_ScDetail", "ScHead_ID", "ScMain_Id", "ScFlag", "1", "0", "QcJbr", "Qc_date",
    &K::SetScDataToKc, &K::GetScDataFromKc, false, false,
    "对不起，该生产单已经质检确认！", "您是否确定审核该生产单资料？", "对不起，该生产单还没有质检确认！",
    "您是否确定反审核该生产单资料？", "对不起，该生产单已经质检确认！不能删除！", "您是否确定删除该生产单资料？", nullptr};
const TWjJxc_Bx::DocKind kQr{
    "Yw_Shgl", nullptr, "Shgl_ID", nullptr, "ShFlag", "2", "1", "Qrr", "Qr_date",
    nullptr, nullptr, false, true,
    "对不起，该送货单已确认！", "您是否确定确认该送货单资料？", nullptr, nullptr, nullptr, nullptr, nullptr};

QString text(const char *utf8) { return QString::fromUtf8(utf8); }
QString name(const char *ascii) { return QLatin1String(ascii); }

// Lines before their head.
void deleteDocument(TDBAction &d, const TWjJxc_Bx::DocKind &k, const QString &key)
{
    d.ExecuteSQL(QStringLiteral("delete from %1 where %2=%3").arg(name(k.detail), name(k.detailKey), key), true);
    d.ExecuteSQL(QStringLiteral("delete from %1 where %2=%3").arg(name(k.head), name(k.key), key), true);
}
} // namespace

TWjJxc_Bx::TWjJxc_Bx(QObject *parent) : QObject(parent), m_engine(new TWjJxcFun_Bx(this)) {}

void TWjJxc_Bx::Sh_In() { audit(kIn); }
void TWjJxc_Bx::Sh_Sa() { audit(kSa); }
void TWjJxc_Bx::Sh_Th() { audit(kTh); }
void TWjJxc_Bx::Sh_Sc() { audit(kSc); }
void TWjJxc_Bx::Sh_Qr() { audit(kQr); }
void TWjJxc_Bx::UnSh_In() { unaudit(kIn); }
void TWjJxc_Bx::UnSh_Sa() { unaudit(kSa); }
void TWjJxc_Bx::UnSh_Th() { unaudit(kTh); }
void TWjJxc_Bx::UnSh_Sc() { unaudit(kSc); }
void TWjJxc_Bx::Del_In() { remove(kIn); }
void TWjJxc_Bx::Del_Sa() { remove(kSa); }
void TWjJxc_Bx::Del_Th() { remove(kTh); }
void TWjJxc_Bx::Del_Sc() { remove(kSc); }
void TWjJxc_Bx::Del_In_Ser() { clearListed(kIn); }
void TWjJxc_Bx::Del_Sa_Ser() { clearListed(kSa); }

TDBAction &TWjJxc_Bx::db() const
{
    TDBAction *d = m_query ? m_query->Connection() : CurDBAction;
    if (!d)
        throw EWjError(QStringLiteral("数据访问服务尚未创建。"));
    return *d;
}

bool TWjJxc_Bx::hasCurrent() const
{
    return m_query && m_query->Active() && !m_query->IsEmpty();
}

QString TWjJxc_Bx::current(const char *column) const
{
    return m_query->FieldByName(name(column)).AsString();
}

template <typename Change>
TWjJxc_Bx::Outcome TWjJxc_Bx::changeState(const DocKind &k, const QString &key, const char *blockedFlag, Change &&change)
{
    TDBAction &d = db();
    m_engine->SetConnection(&d);
    TWjTransaction tr(d);
    TWjQuery head;
    d.SelectTable(QStringLiteral("select * from %1 where %2=%3").arg(name(k.head), name(k.key), key) + d.Dialect().ForUpdate(), head);
    Outcome r = Outcome::Done;
    if (head.IsEmpty())
        r = Outcome::Gone;  // deleted meanwhile: the reread list shows it
    else if (head.FieldByName(name(k.flag)).AsString() == QLatin1String(blockedFlag))
        r = Outcome::Refused;
    else
        change(d, head);
    tr.Commit();
    return r;
}

void TWjJxc_Bx::audit(const DocKind &k)
{
    if (!hasCurrent())
        return;
    if (current(k.flag) == QLatin1String(k.auditedFlag)) {
        Prompter().Warning(text(k.isAudited));
        return;
    }
    if (!Prompter().Question(text(k.askAudit)))
        return;
    const QString key = WjSql::CheckInteger(current(k.key));
    const Outcome r = changeState(k, key, k.auditedFlag, [&](TDBAction &d, const TWjQuery &head) {
        bool posted = true;
        if (k.post && (!k.stockOnlyWhenUpdateKc || head.FieldByName(QStringLiteral("UpdateKc_Flag")).AsString() == QLatin1String("0")))
            posted = (m_engine->*k.post)(key);
        if (posted || k.flagEvenWithoutLines)
            d.ExecuteSQL(QStringLiteral("update %1 set %2=%3,%4=%5,%6=%7 where %8=%9")
                             .arg(name(k.head), name(k.flag), name(k.auditedFlag), name(k.auditorColumn),
                                  TDBAction::QuotedStr(OperatorName()), name(k.auditDateColumn),
                                  d.DateStr(QDate::currentDate()), name(k.key), key),
                         true);
    });
    if (r == Outcome::Refused)
        Prompter().Warning(text(k.isAudited));
    m_query->Requery(true, name(k.key));
}

void TWjJxc_Bx::unaudit(const DocKind &k)
{
    if (!hasCurrent())
        return;
    if (current(k.flag) == QLatin1String(k.openFlag)) {
        Prompter().Warning(text(k.notAudited));
        return;
    }
    if (!Prompter().Question(text(k.askUnaudit)))
        return;
    const QString key = WjSql::CheckInteger(current(k.key));
    const Outcome r = changeState(k, key, k.openFlag, [&](TDBAction &d, const TWjQuery &head) {
        bool taken = true;
        if (!k.stockOnlyWhenUpdateKc || head.FieldByName(QStringLiteral("UpdateKc_Flag")).AsString() == QLatin1String("0"))
            taken = (m_engine->*k.unpost)(key);
        if (taken)
            d.ExecuteSQL(QStringLiteral("update %1 set %2=%3 where %4=%5")
                             .arg(name(k.head), name(k.flag), name(k.openFlag), name(k.key), key),
                         true);
    });
    if (r == Outcome::Refused)
        Prompter().Warning(text(k.notAudited));
    m_query->Requery(true, name(k.key));
}

void TWjJxc_Bx::remove(const DocKind &k)
{
    if (!hasCurrent())
        return;
    if (current(k.flag) == QLatin1String(k.auditedFlag)) {
        Prompter().Warning(text(k.noDelete));
        return;
    }
    if (!Prompter().Question(text(k.askDelete)))
        return;
    const QString key = WjSql::CheckInteger(current(k.key));
    const Outcome r = changeState(k, key, k.auditedFlag, [&](TDBAction &d, const TWjQuery &) { deleteDocument(d, k, key); });
    if (r == Outcome::Refused)
        Prompter().Warning(text(k.noDelete));
    m_query->Requery(false);
}

void TWjJxc_Bx::clearListed(const DocKind &k)
{
    if (!hasCurrent())
        return;
    if (!Prompter().Question(text(k.askClear)))
        return;
    TDBAction &d = db();
    QSet<QString> deleted;
    m_query->First();
    while (!m_query->Eof()) {
        const QString key = WjSql::CheckInteger(current(k.key));
        if (deleted.contains(key))
            break;  // the list still shows a document already deleted: stop rather than loop
        TWjTransaction tr(d);
        deleteDocument(d, k, key);
        tr.Commit();
        deleted.insert(key);
        m_query->Requery(false);
    }
}

QString TWjJxc_Bx::OperatorName()
{
    return LegacyLeft(CurCzy ? CurCzy->CzyName : QString(), 50);
}

QString TWjJxc_Bx::LegacyLeft(const QString &text, int maxBytes)
{
    return WjText::LeftBytesGb18030(text, maxBytes);
}
