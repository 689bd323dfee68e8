// TWjJxc_Bx's entry points to the document windows (kept apart from the state
// operations, which include no window).
#include "ujxc_in_main_bx.h"
#include "ujxc_xs_main_bx.h"
#include "wjdataentity.h"
#include "wjjxc_bx.h"

int TWjJxc_Bx::GoodsInGl(int action)
{
    // Deleting goes through Del_In: its flag check, lines before head, one transaction.
    if (action == TWj_DataEntity_Jb::faDelete) {
        Del_In();
        return 0;
    }
    return TWj_DataEntity_Jb::CreateYWDataEntity(m_query, [] { return new TfrmJxcIn_Main_Bx; }, action,
                                                 QStringLiteral("进货管理"), m_query, QStringLiteral("0"));
}

int TWjJxc_Bx::GoodsSaGl(int action)
{
    if (action == TWj_DataEntity_Jb::faDelete) {
        Del_Sa();
        return 0;
    }
    return TWj_DataEntity_Jb::CreateYWDataEntity(m_query, [] { return new TfrmJxcXs_Main_Bx; }, action,
                                                 QStringLiteral("销售管理"), m_query, QStringLiteral("0"));
}
