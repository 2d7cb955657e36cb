#include "drawing/Framelayout.h"

#include <algorithm>

#include "drawing/Displaysettings.h"
#include "drawing/Fenzu.h"
#include "drawing/Timeaxis.h"
#include "drawing/Tpertgrid.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "schedule/Logicpert.h"

int32_t ViewKind(const Tpertgra& net)
{
    if (!net.networkView) return 0;
    if (net.resourceOnlyView) return 3;
    if (net.networkKind == 1) return 2;
    return 1;
}

int32_t MaxRow(const Tpertgra& net)
{
    int32_t m = 0;
    for (const auto& v : net.nodes) {
        m = std::max(m, v->row);
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) m = std::max(m, w->row);
    }
    return m;
}

double ResourceReserve(const Tpertgra& net)
{
    const int32_t view = ViewKind(net);
    const bool inside = view == 3 || (view == 1 && net.resourceDiagramInNetwork);
    if (!inside) return 0;
    return double(net.shownResources.size()) * net.displaySettings.resourceHeight;
}

TFrameLayout TFrameLayout::Of(const Tpertgra& net, const TTimeAxis& axis, double xf, double yf)
{
    const Tpertgrid& g = *net.grid;
    TFrameLayout f;
    f.xf = xf;
    f.yf = yf;
    f.viewKind = ViewKind(net);
    f.x0 = axis.X0();
    f.y0 = Y0(net);
    f.rowHeight = RowHeight(net);
    f.maxRow = MaxRow(net);
    f.networkBottom = f.y0 + f.maxRow * f.rowHeight;
    f.networkAreaHeight = f.networkBottom + g.bottomMargin + ResourceReserve(net);
    f.projectEndDay = ProjectEndDay(net);
    f.projectEndX = f.viewKind == 2 ? LogicEndX(net) : axis.ProjectEndX();
    if (net.showFrame) {
        f.topRowsHeight = g.TopRowsHeight();
        f.bottomRowsHeight = g.BottomRowsHeight();
        f.explainWidth = g.ExplainWidth();
        f.explainHeight = g.ExplainHeight();
    }
    const double ox = net.groups.origin.x;
    const double oy = net.groups.origin.y;
    f.leftEdge = static_cast<int32_t>(xf * ox);
    f.topEdge = static_cast<int32_t>(yf * oy);
    f.rightEdge = static_cast<int32_t>(xf * f.projectEndX + xf * g.rightMargin +
                                       xf * f.explainWidth);
    // The block below is a vertical length like the rows above it.
    f.bottomEdge = yf * f.networkAreaHeight + yf * f.bottomRowsHeight + yf * f.explainHeight;
    f.areaTop = f.topEdge + yf * f.topRowsHeight;
    f.areaBottom = yf * f.networkAreaHeight;
    f.rowLeft = f.leftEdge + xf * net.groups.groupColumnWidth;
    return f;
}
