#include "wjservices.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjpath.h"

#include <QFileInfo>

namespace {
using Q = TDBAction;
TDBAction &dbOf(TDBAction *d)
{
    if (!d) d = CurDBAction;
    if (!d)
        throw EWjError(QStringLiteral("数据访问服务尚未创建。"));
    return *d;
}
} // namespace

// ---- TWjPuFlag ----

TDBAction &TWjPuFlag::db() const { return dbOf(m_db); }

QString TWjPuFlag::ReadValue(const QString &group, const QString &name, const QString &def)
{
    const QVariant v = db().SelectValue(QStringLiteral("select PVALUE from WJ_SYS_PARAM where PGROUP=%1 and PNAME=%2")
                                            .arg(Q::QuotedStr(group), Q::QuotedStr(name)));
    return v.isValid() ? v.toString() : def;
}

void TWjPuFlag::WriteValue(const QString &group, const QString &name, const QString &value)
{
    TDBAction &d = db();
    TWjTransaction tr(d);
    d.ExecuteSQL(QStringLiteral("delete from WJ_SYS_PARAM where PGROUP=%1 and PNAME=%2").arg(Q::QuotedStr(group), Q::QuotedStr(name)));
    d.ExecuteSQL(QStringLiteral("insert into WJ_SYS_PARAM(PGROUP,PNAME,PVALUE) values(%1,%2,%3)")
                     .arg(Q::QuotedStr(group), Q::QuotedStr(name), Q::QuotedStr(value)));
    tr.Commit();
}

// ---- TOptions ----

TOptions::TOptions(QObject *parent, const QString &fileName) : QObject(parent), FileName(fileName) {}

void TOptions::DownloadOption()
{
    m_ini = std::make_unique<TIniFile>(WjPath::Prog(FileName));
}

QString TOptions::ReadOption(const QString &section, const QString &key, const QString &def) const
{
    if (!m_ini)
        return TIniFile(WjPath::Prog(FileName)).ReadString(section, key, def);
    return m_ini->ReadString(section, key, def);
}

void TOptions::WriteOption(const QString &section, const QString &key, const QString &value)
{
    if (!m_ini)
        DownloadOption();
    m_ini->WriteString(section, key, value);
}

// ---- TWjBhgl ----

TDBAction &TWjBhgl::db() const { return dbOf(m_db); }

TWjBhgl::Rule TWjBhgl::rule(const QString &code)
{
    TDBAction &d = db();
    TWjQuery q;
    d.SelectTable(QStringLiteral("select PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO from WJ_SYS_BH where BHCODE=%1").arg(Q::QuotedStr(code)), q);
    if (q.IsEmpty()) {
        // A code nobody set up yet: date and four digits.
        d.ExecuteSQL(QStringLiteral("insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) "
                                    "values(%1,%1,'','yyyyMMdd',4,'',0) on conflict do nothing").arg(Q::QuotedStr(code)));
        d.SelectTable(q.SQL, q);
    }
    Rule r;
    r.prefix = q.FieldByName(QStringLiteral("PREFIX")).AsString();
    r.dateFmt = q.FieldByName(QStringLiteral("DATEFMT")).AsString();
    r.seqLen = qBound(1, q.FieldByName(QStringLiteral("SEQLEN")).AsInteger(), 12);
    r.curDate = q.FieldByName(QStringLiteral("CURDATE")).AsString();
    r.curNo = q.FieldByName(QStringLiteral("CURNO")).AsLargeInt();
    return r;
}

QString TWjBhgl::datePart(const Rule &r) const
{
    if (r.dateFmt.isEmpty())
        return {};
    return (Today.isValid() ? Today : QDate::currentDate()).toString(r.dateFmt);
}

QString TWjBhgl::format(const Rule &r, const QString &dp, qint64 no) const
{
    return r.prefix + dp + QString::number(no).rightJustified(r.seqLen, QLatin1Char('0'));
}

QString TWjBhgl::GetBH(const QString &code)
{
    const Rule r = rule(code);
    const QString dp = datePart(r);
    return format(r, dp, r.curDate == dp ? r.curNo + 1 : 1);
}

void TWjBhgl::UPdateBH(const QString &code)
{
    TakeBH(code);
}

QString TWjBhgl::TakeBH(const QString &code)
{
    const Rule r = rule(code);
    const QString dp = datePart(r);
    const QVariant no = db().SelectValue(
        QStringLiteral("update WJ_SYS_BH set CURNO=case when CURDATE=%1 then CURNO+1 else 1 end, CURDATE=%1 "
                       "where BHCODE=%2 returning CURNO").arg(Q::QuotedStr(dp), Q::QuotedStr(code)));
    return format(r, dp, no.toLongLong());
}

// ---- TWjSoft ----

bool TWjSoft::DowmLoadOutLookParameter(const QString &navIniPath)
{
    return QFileInfo::exists(navIniPath);
}

QString GetCurWeek(const QDate &date)
{
    static const char *const names[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    const int d = date.dayOfWeek();
    return d >= 1 && d <= 7 ? QString::fromUtf8(names[d - 1]) : QString();
}
