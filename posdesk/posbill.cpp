#include "posbill.h"
#include "posprinter.h"
#include "wjinifile.h"
#include "wjpath.h"

namespace {
void appendValues(const TIniFile &ini, const QString &section, QStringList &to)
{
    for (const QString &key : ini.ReadSection(section))
        to << ini.ReadString(section, key);
}
} // namespace

QString TBill::LayoutFile()
{
    return WjPath::Prog(QStringLiteral(".\\Sys\\Pos.ini"));
}

void TBill::Build(const TBillTicket &ticket)
{
    Build(TIniFile(LayoutFile()), ticket);
}

void TBill::Build(const TIniFile &layout, const TBillTicket &t)
{
    Head.clear();
    Body.clear();
    Foot.clear();

    appendValues(layout, QStringLiteral("标题"), Head);
    Head << QStringLiteral("收银员:") + t.cashier + QStringLiteral(" 单号:") + t.number;
    Head << layout.ReadString(QStringLiteral("标题_设置"), QStringLiteral("项目符"));
    Head << layout.ReadString(QStringLiteral("标题_设置"), QStringLiteral("分栏符"));

    QString sep = layout.ReadString(QStringLiteral("内容"), QStringLiteral("分隔符"));
    if (sep.isEmpty())
        sep = QStringLiteral(" ");
    const bool withAmount = layout.ReadString(QStringLiteral("内容"), QStringLiteral("是否打印单价"), QStringLiteral("否"))
                            == QStringLiteral("是");
    for (const TBillLine &l : t.lines) {
        QString line = l.goodsName + sep + l.tNum + sep + Money(l.saPrice);
        if (withAmount)
            line += sep + Money(l.tPrice);
        Body << line;
    }

    Foot << layout.ReadString(QStringLiteral("页脚_分栏符"), QStringLiteral("分栏符"));
    Foot << QStringLiteral("                   合计:") + Money(t.due);
    Foot << QStringLiteral(" 现金:") + Money(t.paid) + QStringLiteral("     找零:") + Money(t.change);
    appendValues(layout, QStringLiteral("页脚"), Foot);
}

void TBill::Print(TPosPrinter &printer) const
{
    printer.Open();
    for (const QString &line : Lines())
        printer.WriteLine(line);
    printer.Close();
}
