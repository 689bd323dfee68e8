#include "wjprofun.h"
#include "wjerror.h"
#include "wjmodule.h"

#include <QApplication>

TWjPro_Fun *WjProFun = nullptr;

std::intptr_t TWjPro_Fun::AppHandle()
{
    return reinterpret_cast<std::intptr_t>(QCoreApplication::instance());
}

std::intptr_t TWjPro_Fun::RunDllTool(QWidget *parent, const QString &module, const QString &function,
                                     const QString &action, std::intptr_t current)
{
    void *f = WjModule::Function(module, function);
    if (action.compare(QLatin1String("SHOW"), Qt::CaseInsensitive) == 0)
        return reinterpret_cast<TWjShowFn>(f)(AppHandle(), parent);
    if (action.compare(QLatin1String("FREE"), Qt::CaseInsensitive) == 0)
        return reinterpret_cast<TWjFreeFn>(f)(current);
    throw EWjError(QStringLiteral("未知的模块操作“%1”。").arg(action));
}

void TWjPro_Fun::RunFunToDll(const QString &module, const QString &function, const QString &text)
{
    void *f = WjModule::Function(module, function);
    const QByteArray utf8 = text.toUtf8();
    reinterpret_cast<TWjTextFn>(f)(utf8.constData());
}
