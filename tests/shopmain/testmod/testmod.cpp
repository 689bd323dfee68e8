// A plug-in module for the tests only: records every call it receives on the host's
// application object (property "testmod.calls"), and what it sees of the host's
// session and connection when it is shown.
#include "wjczy.h"
#include "wjdbaction.h"
#include "wjmodulekit.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

#ifndef WJ_TESTMOD_STEM
#error "WJ_TESTMOD_STEM names the module's function stem"
#endif
#define WJ_STR2(x) #x
#define WJ_STR(x) WJ_STR2(x)
#define WJ_CAT2(a, b) a##b
#define WJ_CAT(a, b) WJ_CAT2(a, b)

namespace {
const char *stem() { return WJ_STR(WJ_TESTMOD_STEM); }

void record(const QString &entry)
{
    QStringList calls = qApp->property("testmod.calls").toStringList();
    calls << entry;
    qApp->setProperty("testmod.calls", calls);
}

class TTestModWindow : public TWjModuleWindow
{
public:
    TTestModWindow()
    {
        auto *lay = new QVBoxLayout(pnMain);
        label = new QLabel(QStringLiteral("测试模块 %1").arg(QLatin1String(stem())), pnMain);
        label->setObjectName(QStringLiteral("lbTestMod"));
        lay->addWidget(label);
        const QString operators = CurDBAction ? CurDBAction->SelectValue(QStringLiteral("select count(*) from WJ_SYS_CZY")).toString()
                                              : QStringLiteral("no connection");
        record(QStringLiteral("SHOW %1 czy=%2 operators=%3").arg(QLatin1String(stem()), CurCzy ? CurCzy->CzyName : QStringLiteral("none"), operators));
    }
    ~TTestModWindow() override { record(QStringLiteral("destroyed %1").arg(QLatin1String(stem()))); }
    QLabel *label;

protected:
    void ItemChanged(const QString &caption) override
    {
        label->setText(caption);
        record(QStringLiteral("item %1 %2").arg(QLatin1String(stem()), caption));
    }
};

TWjModuleWindow *g_window = nullptr;
} // namespace

extern "C" Q_DECL_EXPORT std::intptr_t WJ_CAT(SHOW, WJ_TESTMOD_STEM)(std::intptr_t app, QWidget *panel)
{
    return WjModuleKit::Show(app, panel, [] { return new TTestModWindow; }, g_window);
}

extern "C" Q_DECL_EXPORT std::intptr_t WJ_CAT(FREE, WJ_TESTMOD_STEM)(std::intptr_t ref)
{
    // What the log holds when the host releases the module (the exit entry comes first).
    const QString exits = CurDBAction ? CurDBAction->SelectValue(QStringLiteral("select count(*) from WJ_SYS_LOG where LOGTEXT='退出系统'")).toString()
                                      : QString();
    const std::intptr_t r = WjModuleKit::Free(ref, g_window);
    record(QStringLiteral("FREE %1 -> %2 exitlogs=%3").arg(QLatin1String(stem())).arg(r).arg(exits));
    return r;
}

extern "C" Q_DECL_EXPORT void GetItem(const char *caption)
{
    WjModuleKit::GetItem(caption, g_window);
}
