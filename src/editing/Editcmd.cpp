#include "editing/Editcmd.h"

#include "editing/Hitpoint.h"
#include "editing/Relayout.h"
#include "entry/Workdialogs.h"
#include "model/Pertgra.h"

int32_t OpenEditDialog(Tpertgra& net, Tedge* work)
{
    if (!work) return 0;
    const TWorkDialogOutcome out = WorkDialogs().EditWork(net, work);
    if (out.result != 1 || !out.changed) return 0;
    // Like every other edit the dialog's ends in the recalculation, so that
    // what is shown and recorded is what undo, redo and reopening give back.
    net.Recalculate();
    LayoutNetwork(net);
    return 1;
}

int32_t TEditCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    return OpenEditDialog(net, HitAtPoint(net, lastPoint).work);
}
