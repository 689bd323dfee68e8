// InsureMod: the insurance plug-in. Its exports are the module contract and nothing
// else: SHOWRUNBX, FREERUNBX and GetItem over the list window TfrmMChild_Bx.
#include "frmmchild_bx.h"

WJ_MODULE_EXPORTS(RUNBX, TfrmMChild_Bx)
