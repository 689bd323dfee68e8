#include "wjpath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace WjPath {

namespace {
QString g_programDir;

QString withSlash(QString dir)
{
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}
} // namespace

QString Resolve(const QString &base, const QString &name)
{
    QString n = name;
    n.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString cur;
    if (n.startsWith(QLatin1Char('/')))
        cur = QStringLiteral("/");
    else
        cur = withSlash(base.isEmpty() ? QDir::currentPath() : base);

    const QStringList parts = n.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            cur = withSlash(QFileInfo(cur + QLatin1String("..")).absoluteFilePath());
            continue;
        }
        QString chosen = part;
        QDir dir(cur);
        if (!QFileInfo::exists(cur + part) && dir.exists()) {
            const QStringList entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            QString fileMatch;
            for (const QString &e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) != 0)
                    continue;
                // Prefer a folder when more components follow, a file otherwise.
                const bool isDir = QFileInfo(cur + e).isDir();
                const bool last = (i == parts.size() - 1);
                if (isDir != last) {
                    chosen = e;
                    fileMatch.clear();
                    break;
                }
                if (fileMatch.isEmpty())
                    fileMatch = e;
            }
            if (chosen == part && !fileMatch.isEmpty())
                chosen = fileMatch;
        }
        cur += chosen;
        if (i < parts.size() - 1)
            cur += QLatin1Char('/');
    }
    return QDir::cleanPath(cur);
}

QString ProgramDir()
{
    if (g_programDir.isEmpty()) {
        const QString env = qEnvironmentVariable("WJ_PROGRAM_DIR");
        if (!env.isEmpty())
            g_programDir = withSlash(QDir(env).absolutePath());
        else if (QCoreApplication::instance())
            g_programDir = withSlash(QCoreApplication::applicationDirPath());
        else
            g_programDir = withSlash(QDir::currentPath());
    }
    return g_programDir;
}

void SetProgramDir(const QString &dir)
{
    g_programDir = dir.isEmpty() ? QString() : withSlash(QDir(dir).absolutePath());
}

QString Prog(const QString &name)
{
    return Resolve(ProgramDir(), name);
}

} // namespace WjPath
