#include "editing/Editcmd.h"

#include "drawing/Layoutpass.h"
#include "editing/Applydrag.h"
#include "editing/Hitpoint.h"
#include "entry/Workdialogs.h"
#include "model/Pertgra.h"

int32_t OpenEditDialog(Tpertgra& net, Tedge* work)
{
    if (!work) return 0;
    const TWorkDialogOutcome out = WorkDialogs().EditWork(net, work);
    if (out.result != 1 || !out.changed) return 0;
    LayoutNetwork(net);
    return 1;
}

int32_t TEditCmd::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    const bool linkMode = gestureMode == 'e' || gestureMode == 'm';
    const bool left = flags & mfLeft;
    const bool ctrlGesture = pressFlags & mfCtrl;
    const bool plainDrag = presses == 1 && !(flags & mfShift) && !ctrlGesture;
    const bool secondClick = presses == 2 && ctrlGesture;
    if (dblClickDone || !linkMode || !left || !(plainDrag || secondClick))
        return TSelectCmd::MouseUp(net, flags, p, mode);
    lastPoint = p;
    const TPosition2D from = startPoint;
    Tedge* work = pressWork;
    ResetGesture();
    bandShown = false;
    if (from == p) {
        // A click on a work line selects that work alone.
        if (work) {
            ClearSelection(net);
            InsertIntoSelection(net, work);
        }
        return 0;
    }
    return ApplyDrag(net, work, from, p) == 1 ? 1 : 0;
}

int32_t TEditCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    return OpenEditDialog(net, HitAtPoint(net, lastPoint).work);
}
