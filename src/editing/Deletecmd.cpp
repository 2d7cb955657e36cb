#include "editing/Deletecmd.h"

#include "editing/Deletechoice.h"
#include "editing/Deletedialog.h"
#include "editing/Hitpoint.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"

int32_t TDeleteCmd::BandReleased(Tpertgra& net, TPosition2D from, TPosition2D to, bool)
{
    // Even a plain click runs the band: a rectangle of no size catches nothing.
    SelectInRect(net, from, to);
    int32_t changed = 0;
    if (net.selection.size() == 1) {
        changed = OpenDeleteDialog(net, net.selection.front());
        if (!changed) ClearSelection(net);
    } else if (net.selection.size() > 1) {
        changed = DeleteSelectedWorks(net);
    }
    if (changed == 1) LayoutNetwork(net);
    return changed == 1 ? 1 : 0;
}

int32_t TDeleteCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    Tedge* work = HitAtPoint(net, lastPoint).work;
    if (!work) return 0;
    if (OpenDeleteDialog(net, work) != 1) return 0;
    LayoutNetwork(net);
    return 1;
}
