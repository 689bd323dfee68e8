#include "wjapplication.h"
#include "wjczy.h"
#include "wjerror.h"
#include "wjprint.h"

#include <QFont>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

bool TWjMessagePrompter::Show(Kind kind, const QString &caption, const QString &text)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (kind) {
    case Kind::Information: box.setIcon(QMessageBox::Information); break;
    case Kind::Warning: box.setIcon(QMessageBox::Warning); break;
    case Kind::Error: box.setIcon(QMessageBox::Critical); break;
    case Kind::Question: box.setIcon(QMessageBox::Question); break;
    }
    if (kind == Kind::Question) {
        QPushButton *yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
    return true;
}

bool TWjMessagePrompter::Input(const QString &caption, const QString &label, QString *value, bool password)
{
    bool ok = false;
    const QString v = QInputDialog::getText(QApplication::activeWindow(), caption, label,
                                            password ? QLineEdit::Password : QLineEdit::Normal, *value, &ok);
    if (ok)
        *value = v;
    return ok;
}

int TWjMessagePrompter::Choose(const QString &caption, const QString &label, const QStringList &items)
{
    if (items.isEmpty())
        return -1;
    bool ok = false;
    const QString v = QInputDialog::getItem(QApplication::activeWindow(), caption, label, items, 0, false, &ok);
    return ok ? int(items.indexOf(v)) : -1;
}

WjApplication::WjApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    SetPrompter(&m_prompter);
    WjPrint::InstallPrintService();
    InstallChineseTranslations();
}

bool WjApplication::InstallChineseTranslations()
{
    static QPointer<QTranslator> installed;  // owned by the application object
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    if (installed)
        return true;
    auto *t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    installed = t;
    return true;
}

WjApplication::~WjApplication()
{
    SetPrompter(nullptr);
    SetPrintService(nullptr);
}

bool WjApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ReportError(e);
    } catch (...) {
        Prompter().Error(QStringLiteral("发生未知错误，操作已终止。"));
    }
    return false;
}

bool WjApplication::CheckDisplay(const char *program)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "xcb" && platform != "wayland")
        return true;  // offscreen, minimal, vnc...
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "%s: 没有可用的图形显示（DISPLAY 未设置），无法打开窗口。No display available (DISPLAY is not set).\n", program);
        return false;
    }
    return true;
}

void WjApplication::ApplyDefaultLook()
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPointSize(9);
    f.setStyleHint(QFont::SansSerif);
    setFont(f);
}

WjStartResult WjStartLogin(TWjCzy &czy, const std::function<bool()> &connectAndLogin)
{
    try {
        if (connectAndLogin())
            return WjStartResult::LoggedIn;
        czy.FreeFlashForm();
        return WjStartResult::Cancelled;
    } catch (const std::exception &e) {
        czy.FreeFlashForm();
        ReportError(e);
        return WjStartResult::Failed;
    }
}
