#include "wjreport.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjrowsource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

namespace {

const QString SecReport = QStringLiteral("Report");
const QString SecHead = QStringLiteral("Head");
const QString SecFoot = QStringLiteral("Foot");
const QString SecColumns = QStringLiteral("Columns");

// The comment that starts a layout file written new.
const char *NewFileHeader =
    "; 报表格式（格式说明见 sys/Reports/销售管理.ini 开头）。\n"
    "; Report layout; the format is described at the top of sys/Reports/销售管理.ini.\n";

QString oneLine(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s.trimmed();
}

// A caption or field inside a "|" list cannot hold "|".
QString part(const QString &s) { return oneLine(s).replace(QLatin1Char('|'), QLatin1Char('/')); }

QList<TWjReportField> readFields(const TIniFile &ini, const QString &section)
{
    QList<TWjReportField> out;
    for (const auto &kv : ini.ReadSectionValues(section)) {
        const QStringList p = kv.second.split(QLatin1Char('|'));
        out << TWjReportField{p.value(0).trimmed(), p.value(1).trimmed()};
    }
    return out;
}

bool isLoneSurrogate(const QString &s)
{
    for (int i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate()) {
            if (i + 1 >= s.size() || !s[i + 1].isLowSurrogate())
                return true;
            ++i;
        } else if (s[i].isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

QString sqlValue(const QString &field, const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return QStringLiteral("null");
    const int t = v.typeId();
    if (t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::UInt || t == QMetaType::ULongLong)
        return QString::number(v.toLongLong());
    if (t == QMetaType::Double || t == QMetaType::Float || t == qMetaTypeId<Currency>())
        return WjSql::CheckNumber(WjFieldKind::Format(v, TWjFieldKind::Number), field);
    QString s = v.toString();
    if (t == QMetaType::QDate || t == QMetaType::QDateTime)
        s = WjFieldKind::Format(v, TWjFieldKind::DateTime);
    if (s.contains(QChar(0)) || isLoneSurrogate(s))
        throw EWjError(QStringLiteral("字段 %1 的内容含有无效字符，不能用于查询。").arg(field));
    return TDBAction::QuotedStr(s);
}

} // namespace

// ---- TWjReportLayout ----

QString TWjReportLayout::FileOf(const QString &name)
{
    QString safe;
    for (const QChar ch : name.trimmed())
        safe += (ch.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(ch)) ? QLatin1Char('_') : ch;
    if (safe.isEmpty() || safe == QLatin1String(".") || safe == QLatin1String(".."))
        safe = QStringLiteral("未命名");
    return WjPath::Prog(QStringLiteral(".\\sys\\Reports\\") + safe + QStringLiteral(".ini"));
}

bool TWjReportLayout::Exists(const QString &name) { return QFileInfo(FileOf(name)).isFile(); }

QStringList TWjReportLayout::Names()
{
    const QDir dir(QFileInfo(FileOf(QStringLiteral("x"))).absolutePath());
    QStringList names;
    for (const QFileInfo &f : dir.entryInfoList({QStringLiteral("*.ini"), QStringLiteral("*.INI")}, QDir::Files, QDir::Name))
        names << f.completeBaseName();
    names.removeDuplicates();
    return names;
}

QString TWjReportLayout::AlignCode(TWjAlign a)
{
    switch (a) {
    case TWjAlign::Left: return QStringLiteral("L");
    case TWjAlign::Center: return QStringLiteral("C");
    case TWjAlign::Right: return QStringLiteral("R");
    default: return QString();
    }
}

TWjAlign TWjReportLayout::AlignOf(const QString &code)
{
    const QString c = code.trimmed().toUpper();
    if (c == QLatin1String("L") || c == QStringLiteral("左"))
        return TWjAlign::Left;
    if (c == QLatin1String("C") || c == QStringLiteral("中"))
        return TWjAlign::Center;
    if (c == QLatin1String("R") || c == QStringLiteral("右"))
        return TWjAlign::Right;
    return TWjAlign::Auto;
}

QString TWjReportLayout::KindCode(TWjFieldKind k)
{
    switch (k) {
    case TWjFieldKind::Text: return QStringLiteral("text");
    case TWjFieldKind::Integer: return QStringLiteral("int");
    case TWjFieldKind::Number: return QStringLiteral("number");
    case TWjFieldKind::Money: return QStringLiteral("money");
    case TWjFieldKind::Date: return QStringLiteral("date");
    case TWjFieldKind::DateTime: return QStringLiteral("datetime");
    default: return QString();
    }
}

TWjFieldKind TWjReportLayout::KindOf(const QString &code)
{
    const QString c = code.trimmed().toLower();
    for (TWjFieldKind k : {TWjFieldKind::Text, TWjFieldKind::Integer, TWjFieldKind::Number, TWjFieldKind::Money,
                           TWjFieldKind::Date, TWjFieldKind::DateTime})
        if (c == KindCode(k))
            return k;
    return TWjFieldKind::Auto;
}

TWjReportLayout TWjReportLayout::Load(const QString &name)
{
    const QString file = FileOf(name);
    if (!QFileInfo(file).isFile())
        throw EWjError(QStringLiteral("没有报表“%1”的打印格式（%2）。").arg(name, file));
    return FromFile(file, name);
}

TWjReportLayout TWjReportLayout::FromFile(const QString &fileName, const QString &name)
{
    const TIniFile ini(fileName);
    TWjReportLayout l;
    l.Name = name;
    l.Company = ini.ReadString(SecReport, QStringLiteral("Company"));
    l.Title = ini.ReadString(SecReport, QStringLiteral("Title"), name);
    l.Landscape = ini.ReadString(SecReport, QStringLiteral("Orientation")).trimmed().compare(QLatin1String("Landscape"), Qt::CaseInsensitive) == 0;
    l.FontSize = qBound(6, ini.ReadInteger(SecReport, QStringLiteral("FontSize"), 10), 24);
    l.HeadColumns = qBound(1, ini.ReadInteger(SecReport, QStringLiteral("HeadColumns"), 2), 4);
    l.HeadQuery = ini.ReadString(SecReport, QStringLiteral("HeadQuery"));
    l.Lines = ini.ReadString(SecReport, QStringLiteral("Lines"));
    l.AmountInWords = ini.ReadString(SecReport, QStringLiteral("AmountInWords"));
    if (ini.ValueExists(SecReport, QStringLiteral("PageHeader")))
        l.PageHeader = ini.ReadString(SecReport, QStringLiteral("PageHeader"));
    if (ini.ValueExists(SecReport, QStringLiteral("PageFooter")))
        l.PageFooter = ini.ReadString(SecReport, QStringLiteral("PageFooter"));
    l.Head = readFields(ini, SecHead);
    l.Foot = readFields(ini, SecFoot);
    for (const auto &kv : ini.ReadSectionValues(SecColumns)) {
        const QStringList p = kv.second.split(QLatin1Char('|'));
        TWjReportColumn c;
        c.caption = p.value(0).trimmed();
        c.field = p.value(1).trimmed();
        bool ok = false;
        const int w = p.value(2).trimmed().toInt(&ok);
        c.width = ok && w > 0 ? qMin(w, 200) : 10;
        c.align = AlignOf(p.value(3));
        c.kind = KindOf(p.value(4));
        const QString s = p.value(5).trimmed();
        c.sum = s.compare(QLatin1String("sum"), Qt::CaseInsensitive) == 0 || s == QStringLiteral("合计");
        if (!c.field.isEmpty())
            l.Columns << c;
    }
    if (l.Columns.isEmpty())
        throw EWjError(QStringLiteral("报表“%1”的打印格式没有列（%2 的 [Columns] 一节）。").arg(name, fileName));
    return l;
}

void TWjReportLayout::Save() const { SaveAs(FileOf(Name)); }

void TWjReportLayout::SaveAs(const QString &fileName) const
{
    // The comment lines before the first section stay, and so does the file's encoding.
    QString header = QString::fromUtf8(NewFileHeader);
    TIniFile::Encoding enc = TIniFile::Encoding::Utf8;
    QFile old(fileName);
    if (old.open(QIODevice::ReadOnly)) {
        const QString text = TIniFile::Decode(old.readAll(), &enc);
        header.clear();
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (line.trimmed().startsWith(QLatin1Char('[')))
                break;
            QString l = line;
            if (l.endsWith(QLatin1Char('\r')))
                l.chop(1);
            header += l + QLatin1Char('\n');
        }
    }
    QString t = header;
    if (!t.isEmpty() && !t.endsWith(QLatin1String("\n\n")))
        t += QLatin1Char('\n');
    auto kv = [&t](const QString &k, const QString &v) { t += k + QLatin1Char('=') + oneLine(v) + QLatin1Char('\n'); };
    t += QLatin1Char('[') + SecReport + QStringLiteral("]\n");
    if (!Company.trimmed().isEmpty())
        kv(QStringLiteral("Company"), Company);
    kv(QStringLiteral("Title"), Title);
    kv(QStringLiteral("Orientation"), Landscape ? QStringLiteral("Landscape") : QStringLiteral("Portrait"));
    kv(QStringLiteral("FontSize"), QString::number(FontSize));
    kv(QStringLiteral("HeadColumns"), QString::number(HeadColumns));
    if (!HeadQuery.trimmed().isEmpty())
        kv(QStringLiteral("HeadQuery"), HeadQuery);
    if (!Lines.trimmed().isEmpty())
        kv(QStringLiteral("Lines"), Lines);
    if (!AmountInWords.trimmed().isEmpty())
        kv(QStringLiteral("AmountInWords"), AmountInWords);
    kv(QStringLiteral("PageHeader"), PageHeader);
    kv(QStringLiteral("PageFooter"), PageFooter);
    auto fields = [&](const QString &sec, const QList<TWjReportField> &list) {
        t += QStringLiteral("\n[") + sec + QStringLiteral("]\n");
        for (int i = 0; i < list.size(); ++i)
            kv(QString::number(i + 1), part(list[i].caption) + QLatin1Char('|') + part(list[i].field));
    };
    fields(SecHead, Head);
    t += QStringLiteral("\n[") + SecColumns + QStringLiteral("]\n");
    for (int i = 0; i < Columns.size(); ++i) {
        const TWjReportColumn &c = Columns[i];
        QStringList p{part(c.caption), part(c.field), QString::number(c.width), AlignCode(c.align), KindCode(c.kind),
                      c.sum ? QStringLiteral("sum") : QString()};
        while (p.size() > 3 && p.last().isEmpty())
            p.removeLast();
        kv(QString::number(i + 1), p.join(QLatin1Char('|')));
    }
    fields(SecFoot, Foot);

    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QByteArray bytes;
    if (enc == TIniFile::Encoding::Gb18030) {
        QStringEncoder e("GB18030");
        bytes = e.encode(t);
    } else {
        bytes = (enc == TIniFile::Encoding::Utf8Bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + t.toUtf8();
    }
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw EWjError(QStringLiteral("无法保存打印格式：%1（%2）").arg(fileName, f.errorString()));
}

// ---- printing data ----

namespace WjReport {

QString BindRow(const QString &sql, const std::function<bool(const QString &, QVariant *)> &row)
{
    QString out;
    out.reserve(sql.size() + 32);
    const int n = int(sql.size());
    for (int i = 0; i < n;) {
        const QChar ch = sql[i];
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {  // a literal or a quoted name, as it is
            int j = i + 1;
            while (j < n) {
                if (sql[j] == ch) {
                    if (j + 1 < n && sql[j + 1] == ch) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j + 1 - i);
            i = j + 1;
            continue;
        }
        if (ch == QLatin1Char(':') && i + 1 < n && sql[i + 1] == QLatin1Char(':')) {  // a cast
            out += QLatin1String("::");
            i += 2;
            continue;
        }
        if (ch == QLatin1Char(':') && i + 1 < n && (sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_'))) {
            int j = i + 1;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_')))
                ++j;
            const QString field = sql.mid(i + 1, j - i - 1);
            QVariant v;
            if (!row(field, &v))
                throw EWjError(QStringLiteral("当前资料中没有字段 %1，无法取得打印内容。").arg(field));
            if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
                v = QVariant();
            out += sqlValue(field, v);
            i = j;
            continue;
        }
        out += ch;
        ++i;
    }
    return out;
}

QStringList PageText(const QString &pattern, int page, int pages, const QDateTime &printed, const QString &title)
{
    QString s = pattern;
    s.replace(QLatin1String("{page}"), QString::number(page));
    s.replace(QLatin1String("{pages}"), QString::number(pages));
    s.replace(QLatin1String("{date}"), printed.date().toString(QStringLiteral("yyyy-MM-dd")));
    s.replace(QLatin1String("{time}"), printed.time().toString(QStringLiteral("hh:mm")));
    s.replace(QLatin1String("{title}"), title);
    QStringList p = s.split(QLatin1Char('|'));
    if (p.size() == 1)
        p = QStringList{QString(), p[0], QString()};  // one part: centred
    while (p.size() < 3)
        p << QString();
    return p.mid(0, 3);
}

TWjReportData Collect(const TWjReportLayout &layout, TWjQuery &source)
{
    if (!source.Active() || source.RecNo() < 1)
        throw EWjError(QStringLiteral("没有可打印的资料。"));
    TDBAction &db = *source.Connection();
    auto current = [&source](const QString &field, QVariant *v) {
        const int i = source.FieldIndex(field);
        if (i < 0)
            return false;
        *v = source.CurValue(i);
        return true;
    };

    TWjReportData d;
    d.Title = layout.Title;
    d.Printed = QDateTime::currentDateTime();

    // The head row: the current row, or the first row of the head statement.
    TWjQuery headQuery;
    TWjQuery *head = &source;
    if (!layout.HeadQuery.trimmed().isEmpty()) {
        db.SelectTable(BindRow(layout.HeadQuery, current), headQuery);
        if (headQuery.IsEmpty())
            throw EWjError(QStringLiteral("找不到要打印的资料（报表“%1”）。").arg(layout.Name));
        head = &headQuery;
    }
    auto headText = [&](const QList<TWjReportField> &fields, QList<QPair<QString, QString>> *out) {
        for (const TWjReportField &f : fields) {
            QString text;
            if (!f.field.isEmpty()) {
                const int i = head->FieldIndex(f.field);
                if (i < 0)
                    throw EWjError(QStringLiteral("报表“%1”：资料中没有字段 %2（%3）。").arg(layout.Name, f.field, f.caption));
                const QVariant v = head->CurValue(i);
                text = WjFieldKind::Format(v, WjFieldKind::Guess(f.field, v, head->FieldType(i)));
                if (text.isNull())
                    text = QLatin1String("");  // empty, not a line to sign on
            }
            *out << qMakePair(f.caption, text);
        }
    };
    headText(layout.Head, &d.Head);
    headText(layout.Foot, &d.Foot);

    // The table rows: the lines statement, or every row of the list.
    std::unique_ptr<TWjRowSource> rows;
    if (!layout.Lines.trimmed().isEmpty())
        rows = std::make_unique<TWjSqlRows>(db, BindRow(layout.Lines, current));
    else
        rows = WjRows::Of(source);
    const int nc = int(layout.Columns.size());
    QVector<int> src(nc);
    QVector<TWjFieldKind> kinds(nc);
    QVector<Currency> sums(nc);
    QVector<bool> summed(nc);
    for (int c = 0; c < nc; ++c) {
        summed[c] = layout.Columns[c].sum || (!layout.AmountInWords.isEmpty()
                                              && layout.Columns[c].field.compare(layout.AmountInWords, Qt::CaseInsensitive) == 0);
        src[c] = rows->FieldIndex(layout.Columns[c].field);
        if (src[c] < 0)
            throw EWjError(QStringLiteral("报表“%1”：资料中没有字段 %2（列“%3”）。")
                               .arg(layout.Name, layout.Columns[c].field, layout.Columns[c].caption));
        kinds[c] = layout.Columns[c].kind;
    }
    while (rows->Next()) {
        QStringList cells;
        cells.reserve(nc);
        for (int c = 0; c < nc; ++c) {
            const QVariant v = rows->Value(src[c]);
            if (kinds[c] == TWjFieldKind::Auto)
                kinds[c] = WjFieldKind::Guess(layout.Columns[c].field, v, rows->FieldType(src[c]));
            cells << WjFieldKind::Format(v, kinds[c]);
            Currency m;
            if (summed[c] && WjFieldKind::ToCurrency(v, &m))
                sums[c] += m;
        }
        d.Rows << cells;
    }
    for (int c = 0; c < nc; ++c) {
        const TWjReportColumn &col = layout.Columns[c];
        TWjAlign a = col.align;
        if (a == TWjAlign::Auto)
            a = WjFieldKind::IsNumeric(kinds[c]) ? TWjAlign::Right : TWjAlign::Left;
        d.Aligns << a;
        QString sum;
        if (col.sum)
            sum = kinds[c] == TWjFieldKind::Money || kinds[c] == TWjFieldKind::Auto ? sums[c].ToFixed(2) : sums[c].ToString();
        d.Sums << sum;
        if (!layout.AmountInWords.isEmpty() && col.field.compare(layout.AmountInWords, Qt::CaseInsensitive) == 0)
            d.AmountWords = WjFieldKind::ChineseAmount(sums[c]);
    }
    return d;
}

} // namespace WjReport
