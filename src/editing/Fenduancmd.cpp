#include "editing/Fenduancmd.h"

#include "editing/Relayout.h"
#include "drawing/Timeaxis.h"
#include "editing/Fenduan.h"
#include "editing/Hitpoint.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"

int32_t TFenduanCmd::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    // The release after a double click only ends that gesture: the work it
    // just split must not open the edit at once.
    const bool plain = EndsPlainGesture(flags);
    const int32_t r = TSelectCmd::MouseUp(net, flags, p, mode);
    if (r != 0 || !plain || net.selection.empty()) return r;
    Tedge* first = net.selection.front();
    for (Tedge* w : net.selection)
        if (w->data->start < first->data->start) first = w;
    if (!first->nextSegment) return 0;
    TFenduan state = TFenduan::ForSegments(&net, first);
    const bool ok = FenduanDialog().Show(state);
    ClearSelection(net);
    if (!ok) return 0;
    LayoutNetwork(net);
    return 1;
}

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
