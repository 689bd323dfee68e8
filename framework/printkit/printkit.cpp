// PrintKit: the print-format tool module, started by name through the session's
// RunDll(window, "PrintKit", "RUNEPTTOOL"). It opens the layout editor over the
// program folder's sys/Reports.
#include "frmreporteditor.h"
#include "wjapplication.h"

#include <QWidget>

extern "C" Q_DECL_EXPORT int RUNEPTTOOL(qintptr window)
{
    QWidget *parent = qobject_cast<QWidget *>(reinterpret_cast<QObject *>(window));
    return WjRunAction([&] {
        TfrmReportEditor editor(parent);
        editor.exec();
    }) ? 1 : 0;
}
