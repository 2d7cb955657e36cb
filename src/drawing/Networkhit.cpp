#include "drawing/Networkhit.h"

#include <cmath>
#include <cstdlib>

#include "drawing/Fenzu.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Workgeometry.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"

bool InGroupColumn(const Tpertgra& net, TPosition2D p)
{
    // The column is drawn only in the time-scaled network view.
    if (!net.networkView || !net.showFrame || ViewKind(net) != 1) return false;
    const Tfenzuarray& g = net.groups;
    if (!(p.x > g.origin.x && p.x < g.origin.x + g.groupColumnWidth)) return false;
    if (!(p.y > g.origin.y)) return false;
    // The bottom of the network area needs the layout: asked only for
    // points that are already inside the column's width.
    const TTimeAxis axis(net);
    const double bottom = TFrameLayout::Of(net, axis, 1.0, 1.0).areaBottom;
    const double h = std::trunc(bottom - g.origin.y);
    return p.y < g.origin.y + h;
}

int32_t GroupIndexAt(const Tpertgra& net, TPosition2D p)
{
    if (!InGroupColumn(net, p)) return -1;
    const auto& items = net.groups.items;
    for (size_t i = 0; i < items.size(); ++i) {
        const Tfenzu& f = items[i];
        if (p.x > f.position.x && p.x < f.position.x + f.width && p.y > f.position.y &&
            p.y < f.position.y + f.height)
            return int32_t(i);
    }
    return -1;
}

int32_t GroupEdgeAt(const Tpertgra& net, TPosition2D p)
{
    if (!InGroupColumn(net, p)) return -1;
    const auto& items = net.groups.items;
    for (size_t i = 0; i < items.size(); ++i) {
        const Tfenzu& f = items[i];
        if (std::fabs(f.position.y + f.height - p.y) < 3) return int32_t(i);
    }
    return -1;
}

Tedge* WorkAtPoint(const Tpertgra& net, TPosition2D p, char* third)
{
    // In the Gantt view the work at a point is the work of the row under it.
    if (ViewKind(net) == 0) return net.liveGantt.RowAt(net, p);
    Tedge* best = nullptr;
    double bestDistance = 0;
    double bestShare = 0;
    for (const auto& v : net.nodes) {
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            const TWorkGeometry g = TWorkGeometry::Of(*w);
            double distance, share;
            if (g.fromX == g.toX) {
                // A vertical work: along its x between the two nodes.
                const double lo = std::min(g.fromY, g.toY), hi = std::max(g.fromY, g.toY);
                if (hi <= lo || p.y < lo || p.y > hi) continue;
                distance = std::fabs(p.x - g.fromX);
                share = (p.y - g.fromY) / double(g.toY - g.fromY);
            } else {
                const double lo = std::min(g.fromX, g.toX), hi = std::max(g.fromX, g.toX);
                if (p.x < lo || p.x > hi) continue;
                distance = std::fabs(p.y - g.lineY);
                share = (p.x - g.fromX) / double(g.toX - g.fromX);
            }
            if (distance > kWorkHitDistance) continue;
            const bool better = !best || distance < bestDistance ||
                                (distance == bestDistance && w->data->critical &&
                                 !best->data->critical);
            if (better) {
                best = w;
                bestDistance = distance;
                bestShare = share;
            }
        }
    }
    if (best && third) *third = bestShare < 1.0 / 3 ? 'f' : bestShare > 2.0 / 3 ? 'b' : 'm';
    return best;
}

TNetworkHit HitTestNetwork(const Tpertgra& net, TPosition2D p)
{
    TNetworkHit h;
    if (ViewKind(net) == 0) return h;   // no nodes, works or groups under the pointer
    if (net.groups.groupColumnWidth > 0 && InGroupColumn(net, p)) {
        if ((h.group = GroupEdgeAt(net, p)) >= 0) {
            h.hitClass = "fenzuline";
            return h;
        }
        if ((h.group = GroupIndexAt(net, p)) >= 0) {
            h.hitClass = "fenzu";
            return h;
        }
    }
    if ((h.node = net.FindNodeAt(static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)))) {
        h.hitClass = "node";
        return h;
    }
    char third = 0;
    if ((h.work = WorkAtPoint(net, p, &third))) h.hitClass = std::string(1, third);
    return h;
}

Tedge* TimeLabelAt(const Tpertgra& net, TPosition2D p, const TPertDrawMode& mode)
{
    if (!net.showTimeLabels || !mode.canvas) return nullptr;
    // Drawing units are the device units of a pass at factor 1.
    TPertDrawMode m(mode.canvas, dkScreen);
    TPertDraw draw(const_cast<Tpertgra&>(net), m);
    Tedge* found = nullptr;
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w->data->IsDummy()) continue;
            if (net.timeLabelMode.nonCriticalOnly && w->data->critical) continue;
            const TCanvasRect r = draw.TimeLabelRect(*w);
            if (!r.IsEmpty() && p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom)
                found = w;
        }
    return found;
}
