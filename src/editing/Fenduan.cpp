#include "editing/Fenduan.h"

#include <cmath>

#include "editing/Workinsert.h"
#include "model/Pertgra.h"

int32_t SplitWork(Tpertgra& net, Tedge* work, float f, float g)
{
    if (!work || !work->fromNode || work->nextSegment || work->data->IsAuxiliary()) return 0;
    if (!(f > 0) || !(g > 0) || !std::isfinite(f) || !std::isfinite(g)) return 0;
    net.MoveWorkStart(work, work->fromNode->time);
    net.ChangeDuration(work, f);
    net.Renumber();
    net.ComputeTimes();
    Tworkdata data = *work->data;
    data.duration = g;
    data.name.clear();
    Tedge* second = InsertWorkAfter(net, data, work);
    if (!second) return 0;
    second->isContinuation = true;
    work->toNode->joint = true;
    work->nextSegment = work->toNode->firstWork;
    return 1;
}
