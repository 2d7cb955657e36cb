#include "drawing/Timedataset.h"

#include "drawing/Timedatashowmode.h"
#include "model/Pertgra.h"

void TTimedataset::Load(const Tpertgra& net)
{
    showTimeLabels = net.showTimeLabels != 0;
    for (int i = 0; i < 6; ++i) show[size_t(i)] = net.timeLabelMode.Get(i);
    nonCriticalOnly = net.timeLabelMode.nonCriticalOnly;
    connectLine = net.timeLabelMode.connectLine;
}

void TTimedataset::Apply(Tpertgra& net) const
{
    net.showTimeLabels = showTimeLabels ? 1 : 0;
    for (int i = 0; i < 6; ++i) net.timeLabelMode.Set(i, show[size_t(i)]);
    net.timeLabelMode.nonCriticalOnly = nonCriticalOnly;
    net.timeLabelMode.connectLine = connectLine;
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) w->timeLabel.shown = show;
}
