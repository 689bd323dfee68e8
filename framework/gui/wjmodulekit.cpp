#include "wjmodulekit.h"
#include "wjerror.h"
#include "wjprompter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

TWjModuleWindow::TWjModuleWindow(QWidget *parent) : QWidget(parent)
{
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    pnMain = new QWidget(this);
    pnMain->setObjectName(QStringLiteral("pnMain"));
    lay->addWidget(pnMain);
    edItem = new QLineEdit(this);
    edItem->setObjectName(QStringLiteral("edItem"));
    edItem->hide();
    connect(edItem, &QLineEdit::textChanged, this, [this](const QString &c) { ItemChanged(c); });
}

namespace WjModuleKit {

std::intptr_t Show(std::intptr_t appHandle, QWidget *workPanel, const std::function<TWjModuleWindow *()> &create,
                   TWjModuleWindow *&slot)
{
    try {
        if (appHandle != reinterpret_cast<std::intptr_t>(QCoreApplication::instance()))
            throw EWjError(QStringLiteral("模块与主程序不在同一应用程序中。"));
        if (!workPanel)
            throw EWjError(QStringLiteral("主程序没有提供工作区。"));
        TWjModuleWindow *w = create();
        slot = w;
        if (!workPanel->layout()) {
            auto *lay = new QVBoxLayout(workPanel);
            lay->setContentsMargins(0, 0, 0, 0);
        }
        workPanel->layout()->addWidget(w->pnMain);
        w->pnMain->show();
        w->hide();
        return reinterpret_cast<std::intptr_t>(w);
    } catch (const std::exception &e) {
        ReportError(e);
        return 0;
    }
}

std::intptr_t Free(std::intptr_t windowRef, TWjModuleWindow *&slot)
{
    if (windowRef <= 0)
        return windowRef;
    auto *w = reinterpret_cast<TWjModuleWindow *>(windowRef);
    if (w->pnMain && w->pnMain->parent() != w) {
        w->pnMain->hide();
        w->pnMain->setParent(w);  // the panel goes with its window
    }
    w->deleteLater();
    if (slot == w)
        slot = nullptr;
    return -2;
}

void GetItem(const char *captionUtf8, TWjModuleWindow *slot)
{
    if (!slot)
        return;
    try {
        slot->edItem->setText(QString::fromUtf8(captionUtf8 ? captionUtf8 : ""));
    } catch (const std::exception &e) {
        ReportError(e);
    }
}

} // namespace WjModuleKit
