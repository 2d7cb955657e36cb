#include "editing/Pertdoc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "drawing/Framelayout.h"
#include "drawing/Networkhit.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "editing/Autobackup.h"
#include "editing/Backupfiles.h"
#include "editing/Relayout.h"
#include "editing/Setpertcommand.h"
#include "gantt/Gantt.h"
#include "model/Edge.h"
#include "model/Pertgra.h"
#include "model/Recsource.h"
#include "model/Vertex.h"
#include "model/Workdata.h"
#include "platform/Messagebox.h"
#include "schedule/Calendar.h"

namespace {

// Settings that a dialog can change but the network's equality leaves out:
// the display range, the print margins, the Gantt columns and margins, and
// the draw modes of the resource diagrams. Called after IsSameAs held, so
// both networks have the same works in the same order.
bool SameBeyondEquality(const Tpertgra& a, const Tpertgra& b)
{
    if (a.showStart != b.showStart || a.showEnd != b.showEnd ||
        a.printRightMargin != b.printRightMargin || a.printBottomMargin != b.printBottomMargin)
        return false;
    auto sameChart = [](const Tgantt& x, const Tgantt& y) {
        return x.columns == y.columns && x.margins == y.margins;
    };
    if (!sameChart(a.liveGantt, b.liveGantt) || !sameChart(a.ganttPrintPreset, b.ganttPrintPreset) ||
        !sameChart(a.ganttScreenPreset, b.ganttScreenPreset))
        return false;
    for (size_t i = 0; i < a.nodes.size() && i < b.nodes.size(); ++i)
        for (const Tedge *x = a.nodes[i]->firstWork, *y = b.nodes[i]->firstWork; x && y;
             x = x->nextWork, y = y->nextWork)
            for (size_t j = 0; j < x->data->resources.size() && j < y->data->resources.size(); ++j)
                if (x->data->resources[j].drawMode != y->data->resources[j].drawMode) return false;
    for (size_t i = 0; i < a.customResourceDays.size() && i < b.customResourceDays.size(); ++i)
        for (const Trecsource *x = a.customResourceDays[i].get(), *y = b.customResourceDays[i].get();
             x && y; x = x->next.get(), y = y->next.get())
            if (x->drawMode != y->drawMode) return false;
    return true;
}


constexpr double kAutoScrollBorder = 40;
constexpr double kAutoScrollStep = 16;
constexpr int32_t kGanttWheelStep = 16;

int32_t Trunc(double v)
{
    return static_cast<int32_t>(v);
}

// "12" for a whole number of days (within 0.0001), else two decimals.
std::string DurationText(double d)
{
    const double r = std::round(d);
    char buf[64];
    if (std::fabs(d - r) < 0.0001) std::snprintf(buf, sizeof buf, "%.0f", r);
    else std::snprintf(buf, sizeof buf, "%.2f", d);
    return buf;
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TPertdoc::TPertdoc(std::unique_ptr<Tpertgra> net, std::string cap, std::string path,
                   std::shared_ptr<const THistoryStep> firstSnapshot)
    : network(std::move(net)), filePath(std::move(path)), caption(std::move(cap))
{
    if (firstSnapshot) history.StartWith(std::move(firstSnapshot));
    else if (network) history.Start(*network);
}

TPertdoc::~TPertdoc() = default;

int32_t TPertdoc::ViewMode() const
{
    return network ? ViewKind(*network) : 1;
}

void TPertdoc::Relayout()
{
    if (!network) return;
    network->Recalculate();
    LayoutNetwork(*network);
}

TPaintSize TPertdoc::ComputePaintBox() const
{
    if (!network) return PaintBoxSize(zoom, 0, 0, 0, view.viewWidth, view.viewHeight);
    // The drawing's size already holds its margins.
    const TCanvasSize d = DrawingSize(*network);
    return PaintBoxSize(zoom, d.cx, 0, d.cy, view.viewWidth, view.viewHeight);
}

TPosition2D TPertdoc::ToDrawing(double px, double py) const
{
    return DrawingOfPixel(zoom, view, px, py);
}

CPertCommand* TPertdoc::Receiver(CPertCommand* tool) const
{
    return localCommand ? localCommand.get() : tool;
}

int32_t TPertdoc::Press(int32_t flags, double px, double py, CPertCommand* tool,
                        TPertDrawMode& mode)
{
    if (!network || ViewMode() == 3) return deNothing;
    network->pressX = Trunc(px + view.scrollX);
    network->pressY = Trunc(py + view.scrollY);
    const TPosition2D p = ToDrawing(px, py);
    downX = Trunc(p.x);
    downY = Trunc(p.y);
    if (CPertCommand* c = Receiver(tool)) c->MouseDown(*network, flags, p, mode);
    return deRepaint;
}

int32_t TPertdoc::Move(int32_t flags, double px, double py, CPertCommand* tool,
                       TPertDrawMode& mode, TSetpertCommand& chooser)
{
    if (!network || ViewMode() == 3) return deNothing;
    const TPosition2D p = ToDrawing(px, py);
    moveX = Trunc(p.x);
    moveY = Trunc(p.y);
    hoverNode = network->FindNodeAt(moveX, moveY);
    hoverWork = workAt ? workAt(*network, p) : WorkAtPoint(*network, p);
    network->pointX = moveX;
    network->pointY = moveY;
    chooser.ChooseHoverCommand(*network, localCommand, flags, mode, p);
    if (CPertCommand* c = Receiver(tool)) c->MouseMove(*network, flags, p, mode);
    return deRepaint;
}

int32_t TPertdoc::Release(int32_t flags, double px, double py, CPertCommand* tool,
                          TPertDrawMode& mode)
{
    if (!network || ViewMode() == 3) return deNothing;
    const TPosition2D p = ToDrawing(px, py);
    int32_t r = 0;
    if (CPertCommand* c = Receiver(tool)) r = c->MouseUp(*network, flags, p, mode);
    if (r != 1) return deRepaint;
    RecordChange();
    return deRebuild | deRepaint;
}

int32_t TPertdoc::DoubleClick(CPertCommand* tool, TPertDrawMode& mode)
{
    if (!network || ViewMode() == 3) return deNothing;
    if (localCommand) {
        // A hover command's dialog (the annotation's) is a change like any other.
        if (localCommand->DoubleClick(*network, mode) == 1) RecordChange();
        return deRefresh;
    }
    if (tool) {
        if (tool->DoubleClick(*network, mode) == 1) {
            RecordChange();
            return deRebuild | deRepaint;
        }
        return deNothing;
    }
    if (history.DiffersFromCurrent(*network)) return deRefresh;
    return deNothing;
}

TPosition2D TPertdoc::AutoScrollStep(double px, double py, const TViewport& v)
{
    TPosition2D d;
    if (px < kAutoScrollBorder) d.x = -kAutoScrollStep;
    else if (px > v.viewWidth - kAutoScrollBorder) d.x = kAutoScrollStep;
    if (py < kAutoScrollBorder) d.y = -kAutoScrollStep;
    else if (py > v.viewHeight - kAutoScrollBorder) d.y = kAutoScrollStep;
    return d;
}

bool TPertdoc::ZoomAt(TPosition2D anchor, double factor, bool zoomIn)
{
    const TZoomChange c = ::ZoomAt(zoom, anchor, factor, zoomIn, view, paintBox);
    if (!c.done) return false;
    zoom = c.zoom;
    paintBox = ComputePaintBox();
    view.scrollX = std::clamp(c.scrollX, 0.0, MaxScrollX(paintBox, view));
    view.scrollY = std::clamp(c.scrollY, 0.0, MaxScrollY(paintBox, view));
    return true;
}

TPosition2D TPertdoc::ViewCentre() const
{
    return ToDrawing(view.viewWidth / 2.0, view.viewHeight / 2.0);
}

bool TPertdoc::Wheel(int32_t delta)
{
    if (!network) return false;
    if (ViewMode() == 0) {
        if (delta == 0) return false;
        const double step = delta < 0 ? kGanttWheelStep : -kGanttWheelStep;
        view.scrollY = std::clamp(view.scrollY + step, 0.0, MaxScrollY(paintBox, view));
        return true;
    }
    const int32_t step = wheel.Turn(delta);
    if (step == 0) return false;
    TPosition2D anchor{double(moveX), double(moveY)};
    if (const Tvertex* v = network->FindNodeAt(moveX, moveY)) anchor = {double(v->x), double(v->y)};
    return ZoomAt(anchor, kZoomStep, step > 0);
}

void TPertdoc::PushHistory()
{
    if (network) history.Push(*network);
}

void TPertdoc::RecordChange()
{
    if (!network) return;
    network->modified = true;
    PushHistory();
    if (backup) backup->Request();
}

bool TPertdoc::RecordChangeFrom(const Tpertgra& before)
{
    if (!network) return false;
    Relayout();
    if (network->IsSameAs(before) && SameBeyondEquality(*network, before)) {
        // A dialog confirmed without a change leaves the document as it was.
        network->modified = before.modified;
        return false;
    }
    RecordChange();
    return true;
}

void TPertdoc::ReplaceNetwork(std::unique_ptr<Tpertgra> net)
{
    net->fileName = network->fileName;
    net->hasFile = network->hasFile;
    net->modified = true;
    localCommand.reset();
    hoverNode = nullptr;
    hoverWork = nullptr;
    network = std::move(net);
}

bool TPertdoc::Undo()
{
    if (!network) return false;
    std::unique_ptr<Tpertgra> net = history.Undo();
    if (!net) return false;
    ReplaceNetwork(std::move(net));
    if (backup) backup->Request();
    return true;
}

bool TPertdoc::Redo()
{
    if (!network) return false;
    std::unique_ptr<Tpertgra> net = history.Redo();
    if (!net) return false;
    ReplaceNetwork(std::move(net));
    if (backup) backup->Request();
    return true;
}

std::array<std::string, 5> TPertdoc::PointerStatus(TPosition2D p) const
{
    std::array<std::string, 5> s;
    if (!network) return s;
    const Tpertgra& net = *network;
    const Tedge* work = workAt ? workAt(net, p) : WorkAtPoint(net, p);
    s[0] = std::string("当前工作:") + (work ? work->data->name : "");
    double day = 0;
    if (ViewMode() == 0)   // the chart's own time scale, no nodes
        day = std::max(0.0, net.liveGantt.scaleIntervals.DayOfX(p.x - net.liveGantt.ChartLeft()));
    else if (const Tvertex* v = net.FindNodeAt(Trunc(p.x), Trunc(p.y)))
        day = CalendarDayOfFinish(net, v->time);
    else
        day = TTimeAxis(net).DayAtX(p.x).day;
    s[1] = "当前时间:" + DateText(DateOfDay(net, day));
    const std::array<std::string, 3> project = ProjectStatus();
    std::copy(project.begin(), project.end(), s.begin() + 2);
    return s;
}

std::array<std::string, 3> TPertdoc::ProjectStatus() const
{
    std::array<std::string, 3> s;
    if (!network) return s;
    const Tpertgra& net = *network;
    const double total = ProjectEndDay(net);
    const double start = DateOfDay(net, 0);
    const double end = std::max(start, DateOfDay(net, total) - 1.0 / 86400);
    s[0] = "开工时间:" + DateText(start);
    s[1] = "结束时间:" + DateText(end);
    s[2] = "总工期:" + DurationText(total) + "天";
    return s;
}

bool TPertdoc::ShowsRestoredBackup() const
{
    return restored || TBackupFiles::IsBackupName(FileNamePart(caption));
}

std::string TPertdoc::RecoveredCaption(const std::string& storedFileName)
{
    const std::string name = FileNamePart(storedFileName);
    const bool named = !name.empty() && !TBackupFiles::IsBackupName(name);
    return (named ? name : std::string("未命名网络图")) + "（恢复的副本）";
}

bool TPertdoc::CanClose(const std::function<bool()>& save)
{
    if (busy) return false;
    const bool modified = network && network->modified;
    if (!modified && !ShowsRestoredBackup()) return true;
    switch (Messages().Show("是否保存" + caption + "?", "退出", TMsgIcon::Question,
                            TMsgButtons::YesNoCancel)) {
    case TMsgAnswer::Yes: return save ? save() : false;
    case TMsgAnswer::No: return true;
    default: return false;
    }
}

void SetViewKind(Tpertgra& net, int32_t mode)
{
    switch (mode) {
    case 0:
        net.networkView = false;
        net.resourceOnlyView = false;
        break;
    case 2:
        net.networkView = true;
        net.resourceOnlyView = false;
        net.networkKind = 1;
        break;
    case 3:
        net.networkView = true;
        net.resourceOnlyView = true;
        break;
    default:
        net.networkView = true;
        net.resourceOnlyView = false;
        net.networkKind = 0;
        break;
    }
}
