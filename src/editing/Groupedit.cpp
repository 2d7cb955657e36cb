#include "editing/Groupedit.h"

#include <cmath>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "drawing/Displaysettings.h"
#include "drawing/Fenzu.h"
#include "drawing/Framelayout.h"
#include "drawing/Groupops.h"
#include "drawing/Networkhit.h"
#include "drawing/Timeaxis.h"
#include "editing/Relayout.h"
#include "editing/Rowops.h"
#include "model/Pertgra.h"

namespace {

int32_t FirstRow(const Tpertgra& net)
{
    return std::max(0, net.displaySettings.firstRow);
}

// The row opened or closed at y; -1 when the row height is unusable.
int32_t BlankRowAt(const Tpertgra& net, double y)
{
    // Both values are truncated toward zero before the division.
    const int32_t h = static_cast<int32_t>(RowHeight(net));
    if (h < 1) return -1;
    const double y0 = Y0(net);
    if (!(y > y0)) return FirstRow(net);
    const double rel = std::trunc(y - y0);
    if (rel > 2e9) return -1;
    return int32_t(rel) / h + 1;
}

}  // namespace

int32_t MoveGroupEdge(Tpertgra& net, TPosition2D p, TPosition2D q)
{
    const int32_t g = GroupEdgeAt(net, p);
    if (g < 0) return 0;
    const TTimeAxis axis(net);
    if (q.y > TFrameLayout::Of(net, axis, 1.0, 1.0).areaBottom) return 0;
    const double h = RowHeight(net);
    if (!(h >= 1)) return 0;
    const double y0 = Y0(net);
    const double rows = std::ceil((q.y - y0) / h);
    const double old = std::floor((p.y - y0) / h + 0.5);
    if (!(rows < 2e9) || !(old < 2e9)) return 0;
    int32_t c = q.y < y0 ? 0 : static_cast<int32_t>(rows);
    const int32_t d = p.y < y0 ? 0 : static_cast<int32_t>(old);
    const bool dropOld = !RowHasWork(net, d);
    if (dropOld && d < c && c > 0) --c;
    Tfenzu cell = GroupAt(net, g);
    const double height = y0 + c * h - cell.position.y;
    // A cell of no height could no longer be hit and would hide under the next.
    if (!(height > 0)) return 0;
    if (dropOld) RemoveRow(net, d);
    if (RowHasWork(net, c)) InsertBlankRow(net, c);
    cell.height = height;
    ReplaceGroup(net, g, cell);
    return 1;
}

int32_t InsertBlankRowAt(Tpertgra& net, double y)
{
    const int32_t r = BlankRowAt(net, y);
    if (r < 0) return 0;
    InsertBlankRow(net, r);
    LayoutNetwork(net);
    return 1;
}

int32_t RemoveBlankRowAt(Tpertgra& net, double y)
{
    int32_t r = BlankRowAt(net, y);
    if (r < 0) return 0;
    if (RowHasWork(net, r)) {
        --r;
        if (r < FirstRow(net) || RowHasWork(net, r)) return 0;
    }
    RemoveRow(net, r);
    LayoutNetwork(net);
    return 1;
}

std::vector<int32_t> GroupNumbers(const Tpertgra& net)
{
    std::vector<int32_t> out;
    std::unordered_set<int32_t> seen;
    for (const Tedge* w : net.AllWorks())
        if (seen.insert(w->data->groupNo).second) out.push_back(w->data->groupNo);
    return out;
}

std::vector<std::string> GroupNames(const Tpertgra& net)
{
    std::vector<std::string> out;
    std::unordered_set<int32_t> seen;
    for (const Tedge* w : net.AllWorks())
        if (seen.insert(w->data->groupNo).second) out.push_back(w->data->groupName);
    return out;
}

std::vector<Tedge*> WorksByGroup(const Tpertgra& net)
{
    std::map<int32_t, std::vector<Tedge*>> byNumber;
    for (Tedge* w : net.AllWorks()) byNumber[w->data->groupNo].push_back(w);
    std::vector<Tedge*> out;
    for (auto& [no, works] : byNumber) out.insert(out.end(), works.begin(), works.end());
    return out;
}

bool CanExchange(const Tedge* a, const Tedge* b)
{
    if (!a || !b || a == b) return false;
    return a->data->IsMilestone() == b->data->IsMilestone();
}

int32_t ExchangeWorks(Tpertgra& net, Tedge* a, Tedge* b)
{
    if (!CanExchange(a, b) || !a->fromNode || !b->fromNode || !a->toNode || !b->toNode) return 0;
    const Tworkdata kept = *a->data;
    a->data->start = a->fromNode->time;
    net.PlaceWork(a, a->fromNode->time, b->data->duration);
    *a->data = *b->data;
    b->data->start = b->fromNode->time;
    net.PlaceWork(b, b->fromNode->time, kept.duration);
    *b->data = kept;
    // Each work was placed under its old kind and took the other's absolute
    // start: one that does not start at its node or ends after its end node
    // is placed again as what it now is.
    for (Tedge* w : {a, b}) {
        const float s = w->fromNode->time;
        if (w->data->start != s || w->data->start + w->data->duration > w->toNode->time) {
            w->data->start = s;
            net.PlaceWork(w, s, w->data->duration);
        }
    }
    net.InvalidateWorkNumbers();
    net.Recalculate();
    LayoutNetwork(net);
    return 1;
}
