#include "editing/Fenduancmd.h"

#include "editing/Relayout.h"
#include "drawing/Timeaxis.h"
#include "editing/Fenduan.h"
#include "editing/Hitpoint.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"

int32_t TFenduanCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    const TPointHit hit = HitAtPoint(net, lastPoint);
    Tedge* work = hit.work;
    const bool onNode = hit.hitClass == "node";
    const double x = double(int32_t(lastPoint.x));
    presses = 0;
    finished = true;
    if (!work || onNode) return 0;
    // The working time under the press, so a split over rest days lands under the pointer.
    const double t = WorkingTime(net, TTimeAxis(net).DayAtX(x).day);
    TFenduan state(&net, work, t);
    if (!FenduanDialog().Show(state)) return 0;
    net.Recalculate();
    LayoutNetwork(net);
    return 1;
}
