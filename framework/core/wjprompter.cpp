#include "wjprompter.h"
#include "wjdbaction.h"
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

// The program's own connection: its transaction is the one that would hold every
// other workstation.
TDBAction *openTransaction()
{
    return CurDBAction && CurDBAction->InTransaction() ? CurDBAction : nullptr;
}

[[noreturn]] void refuseQuestion(const QString &what)
{
    throw EWjError(QStringLiteral("程序错误：数据库事务进行中不能等待用户回答（%1），操作已撤销。").arg(what));
}

class Gate : public TWjPrompter
{
public:
    bool Show(Kind kind, const QString &caption, const QString &text) override
    {
        if (TDBAction *db = openTransaction()) {
            if (kind == Kind::Question)
                refuseQuestion(text);
            db->AfterTransaction([kind, caption, text] { g_current->Show(kind, caption, text); });
            return true;
        }
        return g_current->Show(kind, caption, text);
    }
    bool Input(const QString &caption, const QString &label, QString *value, bool password) override
    {
        if (openTransaction())
            refuseQuestion(label);
        return g_current->Input(caption, label, value, password);
    }
    int Choose(const QString &caption, const QString &label, const QStringList &items) override
    {
        if (openTransaction())
            refuseQuestion(label);
        return g_current->Choose(caption, label, items);
    }
};

Gate g_gate;
} // namespace

bool TWjPrompter::Input(const QString &, const QString &, QString *, bool)
{
    return false;
}

int TWjPrompter::Choose(const QString &, const QString &, const QStringList &)
{
    return -1;
}

TWjPrompter &Prompter()
{
    return g_gate;
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
