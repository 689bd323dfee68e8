#include "wjprompter.h"
#include "wjerror.h"

#include <cstdio>

namespace {
class StderrPrompter : public TWjPrompter
{
public:
    bool Show(Kind kind, const QString &caption, const QString &text) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
        return false;
    }
};

StderrPrompter g_default;
TWjPrompter *g_current = &g_default;
} // namespace

bool TWjPrompter::Input(const QString &, const QString &, QString *, bool)
{
    return false;
}

TWjPrompter &Prompter()
{
    return *g_current;
}

TWjPrompter *SetPrompter(TWjPrompter *p)
{
    TWjPrompter *old = g_current;
    g_current = p ? p : &g_default;
    return old == &g_default ? nullptr : old;
}

void ReportError(const std::exception &e)
{
    if (dynamic_cast<const EWjAbort *>(&e))
        return;
    if (auto *we = dynamic_cast<const EWjError *>(&e))
        Prompter().Error(we->Message());
    else
        Prompter().Error(QString::fromLocal8Bit(e.what()));
}
