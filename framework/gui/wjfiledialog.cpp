#include "wjfiledialog.h"
#include "wjinifile.h"
#include "wjpath.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace WjFileDialog {

namespace {
const QString Section = QStringLiteral("最近文件夹");

TSaveChooser &chooser()
{
    static TSaveChooser c;
    return c;
}

QString optionsFile() { return WjPath::Prog(QStringLiteral(".\\sys\\WjOptions.ini")); }

// "*.xlsx" and "*.csv" of "Excel 工作簿 (*.xlsx)".
QStringList suffixesOf(const QString &filter)
{
    QStringList out;
    static const QRegularExpression re(QStringLiteral("\\*\\.(\\w+)"));
    for (auto it = re.globalMatch(filter); it.hasNext();)
        out << QLatin1Char('.') + it.next().captured(1);
    return out;
}
} // namespace

TSaveChooser SetSaveChooser(TSaveChooser c)
{
    TSaveChooser old = std::move(chooser());
    chooser() = std::move(c);
    return old;
}

QString LastFolder(const QString &purpose)
{
    const QString dir = TIniFile(optionsFile()).ReadString(Section, purpose);
    if (!dir.isEmpty() && QFileInfo(dir).isDir())
        return dir;
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(docs).isDir() ? docs : QDir::homePath();
}

void RememberFolder(const QString &purpose, const QString &folder)
{
    try {
        TIniFile(optionsFile()).WriteString(Section, purpose, QDir::cleanPath(folder));
    } catch (const std::exception &) {
        // A read-only program folder only costs the remembered folder.
    }
}

QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &purpose, const QString &fileName,
                        const QString &filters)
{
    const QString suggested = QDir(LastFolder(purpose)).filePath(fileName);
    QString filter = filters.section(QStringLiteral(";;"), 0, 0);
    QString path;
    if (chooser())
        path = chooser()(parent, caption, suggested, filters, &filter);
    else
        path = QFileDialog::getSaveFileName(parent, caption, suggested, filters, &filter);
    if (path.isEmpty())
        return {};
    QStringList known;
    for (const QString &f : filters.split(QStringLiteral(";;")))
        known << suffixesOf(f);
    bool hasSuffix = false;
    for (const QString &s : std::as_const(known))
        hasSuffix = hasSuffix || path.endsWith(s, Qt::CaseInsensitive);
    if (!hasSuffix && !suffixesOf(filter).isEmpty())
        path += suffixesOf(filter).first();
    RememberFolder(purpose, QFileInfo(path).absolutePath());
    return path;
}

} // namespace WjFileDialog
