#include "editing/Checkmenu.h"

#include <string>
#include <vector>

#include "drawing/Timeaxis.h"
#include "editing/Networkchecks.h"
#include "editing/Workdelete.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"

namespace {

void CentreOn(ICheckView& view, double x, double y)
{
    view.ScrollTo(x - view.ViewWidth() / 2, y - view.ViewHeight() / 2);
}

double RowY(const Tpertgra& net, int32_t row)
{
    return double(row) * RowHeight(net) + Y0(net);
}

int32_t MergeCheck(Tpertgra& net, ICheckView& view, bool starts)
{
    const std::vector<Tvertex*> list = starts ? StartNodes(net) : EndNodes(net);
    if (list.size() < 2) {
        ShowWarning(starts ? "检查已完成，该网络图为单起点!" : "检查已完成，该网络图为单终点!");
        return 0;
    }
    const Tvertex* shown = starts ? list.back() : list.front();
    CentreOn(view, shown->x, shown->y);
    const std::string text = "该网络图有" + std::to_string(list.size()) +
                             (starts ? "个起点,是否合为单起点？" : "个终点,是否合为单终点？");
    if (AskYesNo(text, "警告") != TMsgAnswer::Yes) return 0;
    const int32_t changed = starts ? MergeStartNodes(net) : MergeEndNodes(net);
    view.ResizeCanvas();
    view.RefreshView();
    return changed;
}

}

int32_t CheckStartNodes(Tpertgra& net, ICheckView& view)
{
    return MergeCheck(net, view, true);
}

int32_t CheckEndNodes(Tpertgra& net, ICheckView& view)
{
    return MergeCheck(net, view, false);
}

int32_t CheckOverlappingWork(Tpertgra& net, ICheckView& view)
{
    int32_t changed = 0;
    for (;;) {
        Tedge* w = FindOverlappingWork(net);
        if (!w) {
            ShowWarning("检查已完成，工作线无重叠!");
            return changed;
        }
        CentreOn(view, (double(w->fromNode->x) + double(w->toNode->x)) / 2, RowY(net, w->row));
        if (AskYesNo("工作线有重叠，是否修复！", "警告") != TMsgAnswer::Yes) return changed;
        // The repair always moves the work clear of the line it overlapped;
        // should it ever change nothing, asking again would never end.
        if (RepairOverlap(net, w) != 1) return changed;
        changed = 1;
        view.ResizeCanvas();
        view.RefreshView();
    }
}

int32_t CheckRedundantLinks(Tpertgra& net, ICheckView& view)
{
    const std::vector<Tedge*> links = RedundantLinks(net);
    if (links.empty()) {
        ShowWarning("检查已完成，无多余逻辑关系!");
        return 0;
    }
    int32_t changed = 0;
    for (Tedge* d : links) {
        // After a deletion the list may be out of date: a dummy parallel to a
        // deleted one may now be the only link left.
        if (changed && !IsRedundantLink(net, d)) continue;
        view.ScrollTo(d->fromNode->x, RowY(net, d->row) - view.ViewHeight() / 2);
        net.selection = {d};
        view.RefreshView();
        const TMsgAnswer a =
            Messages().Show("有多余逻辑关系，是否修复！", "警告", TMsgIcon::Question, TMsgButtons::YesNoCancel);
        net.selection.clear();
        if (a == TMsgAnswer::Cancel) break;
        if (a != TMsgAnswer::Yes) continue;
        DeleteWork(net, d);
        changed = 1;
        view.ResizeCanvas();
        view.RefreshView();
    }
    return changed;
}
