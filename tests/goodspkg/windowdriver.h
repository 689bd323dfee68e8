// Drives modal windows in tests as a user would: When<W>(script) waits for the next
// window of type W to show (it is opened modally by what the test calls next), runs
// the script on it and closes it (reject) when the script left it open. A window that
// does not show within the timeout is recorded in Missed and every open dialog is
// closed, so a broken path fails the test instead of hanging it.
#pragma once
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <typeinfo>

class WindowDriver : public QObject
{
public:
    QStringList Missed;

    template <class W>
    void When(std::function<void(W *)> script, int timeoutMs = 15000)
    {
        auto *timer = new QTimer(this);
        timer->setInterval(5);
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        QObject::connect(timer, &QTimer::timeout, this, [this, timer, script, started, timeoutMs] {
            W *found = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *c = dynamic_cast<W *>(w); c && w->isVisible())
                    found = c;
            if (!found) {
                if (started->elapsed() > timeoutMs) {
                    timer->deleteLater();
                    timer->stop();
                    Missed << QString::fromLatin1(typeid(W).name());
                    closeAll();
                }
                return;
            }
            timer->stop();
            timer->deleteLater();
            QPointer<QWidget> keep(found);
            script(found);
            if (keep && keep->isVisible())
                if (auto *d = qobject_cast<QDialog *>(keep.data()))
                    d->reject();
        });
        timer->start();
    }

    // Scripts that have not run yet.
    int Pending() const
    {
        int n = 0;
        for (QTimer *t : findChildren<QTimer *>())
            n += t->isActive() ? 1 : 0;
        return n;
    }

    static void closeAll()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
                d->reject();
    }
};
