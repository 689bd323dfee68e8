#include "wjmodule.h"
#include "wjerror.h"
#include "wjpath.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

namespace WjModule {

QString LibraryPath(const QString &moduleName)
{
    QString stem = QFileInfo(QString(moduleName).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
    for (const char *ext : {".dll", ".so", ".bpl"})
        if (stem.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            stem.chop(int(qstrlen(ext)));
    if (stem.isEmpty())
        return {};
    const QDir dir(WjPath::ProgramDir());
    const QStringList files = dir.entryList(QDir::Files);
    for (const QString &want : {QStringLiteral("lib") + stem + QStringLiteral(".so"), stem + QStringLiteral(".so")})
        for (const QString &f : files)
            if (f.compare(want, Qt::CaseInsensitive) == 0)
                return dir.absoluteFilePath(f);
    return {};
}

void *Function(const QString &moduleName, const QString &function)
{
    static QHash<QString, QLibrary *> loaded;
    const QString path = LibraryPath(moduleName);
    if (path.isEmpty())
        throw EWjError(QStringLiteral("找不到模块“%1”：程序目录中没有该模块文件，可能尚未安装。").arg(moduleName));
    QLibrary *lib = loaded.value(path);
    if (!lib) {
        lib = new QLibrary(path);  // kept loaded for the life of the process
        if (!lib->load()) {
            const QString err = lib->errorString();
            delete lib;
            throw EWjError(QStringLiteral("无法加载模块“%1”：%2").arg(moduleName, err));
        }
        loaded.insert(path, lib);
    }
    void *f = reinterpret_cast<void *>(lib->resolve(function.toLatin1().constData()));
    if (!f)
        throw EWjError(QStringLiteral("模块“%1”中没有函数“%2”。").arg(moduleName, function));
    return f;
}

} // namespace WjModule
