#include "entry/Createpertinf.h"

#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "schedule/Vqtime.h"

void TCreatepertinf::Load(const Tpertgra& net)
{
    networkTitle = net.title;
    ganttTitle = net.liveGantt.title;
    start = net.projectStart;
}

void TCreatepertinf::Apply(Tpertgra& net) const
{
    net.title = networkTitle;
    net.liveGantt.title = ganttTitle;
    const int32_t day = static_cast<int32_t>(DayStartOfStamp(start));
    // A new network's progress line and display range start with the project.
    if (net.progressDate == net.projectStart) net.progressDate = day;
    if (net.showStart == net.projectStart && net.showEnd == net.projectStart) {
        net.showStart = day;
        net.showEnd = day;
    }
    net.projectStart = day;
}
