#include "drawing/Pertdraw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <set>

#include "drawing/Biaozhudraw.h"
#include "drawing/Canvasops.h"
#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Explaindraw.h"
#include "drawing/Fenzu.h"
#include "drawing/Framepainter.h"
#include "drawing/Groupops.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Timetable.h"
#include "drawing/Tpertgrid.h"
#include "drawing/Workgeometry.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "resources/Resourcediagram.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"

namespace {

constexpr double kSameTime = 1e-8;
// Layout values of a damaged file may lie anywhere in int32; everything the
// drawing adds to them stays far inside int32 when they are held here.
constexpr int32_t kCoordLimit = 1 << 28;
constexpr int32_t kSelectionColor = 0xF0CAA6;
constexpr int32_t kDragLabelColor = 0xFFFF00;

int32_t Coord(double v)
{
    if (!(v == v)) return 0;
    return static_cast<int32_t>(std::clamp(v, double(-kCoordLimit), double(kCoordLimit)));
}

int32_t Coord(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, -kCoordLimit, kCoordLimit));
}

// A size setting of the file, kept to what a drawing can use.
int32_t Bounded(int32_t v, int32_t lo, int32_t hi)
{
    return std::clamp(v, lo, hi);
}

// A length in device units: truncated toward zero like every value that
// reaches the canvas.
int32_t Dev(double v)
{
    return Coord(v);
}

std::string ShortDateText(int64_t stamp)
{
    const TCivilTime t = CivilOfStamp(stamp);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d-%d-%d", t.year, t.month, t.day);
    return buf;
}

// Stamp of a calendar day of the plan, kept inside what the civil
// conversion handles.
int64_t StampOfDay(const Tpertgra& net, double day)
{
    if (!(day == day)) day = 0;
    day = std::clamp(day, -1e7, 1e7);
    return int64_t(net.projectStart) + static_cast<int64_t>(day * double(kSecondsPerDay));
}

bool SameTime(double a, double b)
{
    return std::fabs(a - b) < kSameTime;
}

// A number in the general format with at most 6 significant digits.
std::string FloatText(double v)
{
    if (!std::isfinite(v)) return "0";
    if (std::fabs(v) < 1e-9) v = 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

}

std::array<std::string, 6> TimeLabelTexts(const Tpertgra& net, const Tedge& work)
{
    const Tworkdata& d = *work.data;
    const double es = d.es;
    const double ls = d.ls;
    const double dur = d.duration;
    auto startText = [&](double t) { return ShortDateText(StampOfDay(net, CalendarDay(net, t))); };
    // The last second of the finish, never before the start.
    auto finishText = [&](double s, double t) {
        const int64_t from = StampOfDay(net, CalendarDay(net, s));
        const int64_t last = StampOfDay(net, CalendarDayOfFinish(net, t)) - 1;
        return ShortDateText(std::max(from, last));
    };
    return {startText(es),
            startText(ls),
            finishText(es, es + dur),
            finishText(ls, ls + dur),
            FloatText(double(work.TF())),
            FloatText(double(work.FF()))};
}

TCanvasSize DrawingSize(const Tpertgra& net)
{
    if (ViewKind(net) == 0) return net.liveGantt.DrawingSize(net);
    const TTimeAxis axis(net);
    const TFrameLayout f = TFrameLayout::Of(net, axis, 1.0, 1.0);
    const TDisplaySettings& d = net.displaySettings;
    double right = f.rightEdge;
    double bottom = net.showFrame ? f.bottomEdge + Bounded(net.grid->frameWidth, 0, 1000) : 0;
    // Nodes with their circles, the end flag and the labels under the lowest row.
    const double rx = Bounded(d.nodeRadiusX, 0, 1000);
    const double below = Bounded(d.nodeRadiusY, 0, 1000) + std::max(0.0, RowHeight(net));
    for (const auto& v : net.nodes) {
        right = std::max(right, double(v->x) + rx + 40);
        bottom = std::max(bottom, double(v->y) + below);
    }
    const double margin = std::clamp(net.groups.origin.x, 10.0, 200.0);
    return TCanvasSize{Coord(std::ceil(right + margin)), Coord(std::ceil(bottom + margin))};
}

// ---------------------------------------------------------------------------

struct TPertDraw::TSettings {
    double xf = 1;
    double yf = 1;
    int32_t kind = dkScreen;
    bool print = false;

    int32_t criticalColor = 0;
    int32_t generalColor = 0;
    int32_t floatColor = 0;
    int32_t timeDataColor = 0;
    int32_t milestoneColor = 0;
    int32_t backgroundColor = 0;
    int32_t nodeNumberColor = 0;

    // pen widths in device units
    int32_t criticalPen = 1;
    int32_t generalPen = 1;
    int32_t floatPen = 1;
    int32_t dummyPen = 1;
    int32_t milestonePen = 1;
    int32_t auxiliaryPen = 1;
    int32_t suspendedPen = 1;
    int32_t auxiliaryColor = 0;
    int32_t suspendedColor = 0;
    // the settings themselves, for the gaps of the labels
    int32_t criticalPenSetting = 3;
    int32_t generalPenSetting = 1;

    double rx = 9;          // node radii, device units
    double ry = 9;
    int32_t join = 3;       // joinOffset x xf
    int32_t arrowLength = 10;
    int32_t arrowHalf = 2;
    int32_t hop = 6;
    bool showDurations = true;
    int32_t pixel = 1;      // trunc(xf), at least 1
};

struct TPertDraw::TWorkShape {
    const Tedge* work = nullptr;
    TWorkGeometry g;
    bool dummy = false;
    bool milestone = false;
    bool auxiliary = false;
    bool suspended = false;
    bool critical = false;
    bool vertical = false;      // both nodes at one x
    bool startOnRow = false;
    bool endOnRow = false;
    bool hasStartJoin = false;
    bool hasEndJoin = false;
    int32_t startJoinX = 0;
    int32_t endJoinX = 0;
    int32_t penColor = 0;
    int32_t penWidth = 1;
    bool ownDotted = false;     // own line style "虚线"
    int32_t labelPen = 1;       // criticalPen or generalPen setting
};

struct TPertDraw::TLabelBox {
    TTimeTable table;
    TCanvasRect rect;
    std::array<std::string, 6> texts;
    int32_t nameMidX = 0;
    int32_t nameY = 0;
    bool moved = false;
};

// Where vertical joins cross the horizontal lines of other works: one sweep
// over x with the lines active at the sweep position kept ordered by y, so
// that every join finds its crossings by a range search instead of testing
// every work.
class TPertDraw::THops {
public:
    void AddLine(int32_t x1, int32_t x2, int32_t y)
    {
        if (x2 <= x1) return;
        events_.push_back({x1, kInsert, y, 0});
        events_.push_back({x2, kRemove, y, 0});
    }
    size_t AddQuery(int32_t x, int32_t y1, int32_t y2)
    {
        events_.push_back({x, kQuery, std::min(y1, y2), int32_t(ranges_.size())});
        ranges_.push_back({std::max(y1, y2), {}});
        return ranges_.size() - 1;
    }
    void Run()
    {
        // A line is crossed only strictly inside its ends: at one x lines end
        // before the joins are asked and begin after.
        std::sort(events_.begin(), events_.end(), [](const TEvent& a, const TEvent& b) {
            return a.x != b.x ? a.x < b.x : a.type < b.type;
        });
        std::multiset<int32_t> active;
        for (const TEvent& e : events_) {
            if (e.type == kInsert) {
                active.insert(e.y);
            } else if (e.type == kRemove) {
                const auto it = active.find(e.y);
                if (it != active.end()) active.erase(it);
            } else {
                TRange& r = ranges_[size_t(e.query)];
                for (auto it = active.upper_bound(e.y); it != active.end() && *it < r.hi; ++it)
                    if (r.ys.empty() || r.ys.back() != *it) r.ys.push_back(*it);
            }
        }
        events_.clear();
    }
    const std::vector<int32_t>& Of(size_t q) const { return ranges_[q].ys; }

private:
    enum : int32_t { kRemove = 0, kQuery = 1, kInsert = 2 };
    struct TEvent {
        int32_t x;
        int32_t type;
        int32_t y;
        int32_t query;
    };
    struct TRange {
        int32_t hi;
        std::vector<int32_t> ys;   // ascending
    };
    std::vector<TEvent> events_;
    std::vector<TRange> ranges_;
};

// ---------------------------------------------------------------------------

void DrawNetwork(Tpertgra& net, TPertDrawMode& mode)
{
    if (!mode.canvas) return;
    if (ViewKind(net) == 0) {
        LoadPalette(net, mode.DrawKind);
        net.liveGantt.DrawGantt(mode, net);
        return;
    }
    TPertDraw(net, mode).Draw();
}

void DrawNetwork(Tpertgra& net, ICanvas& canvas, TPertDrawMode& mode)
{
    mode.canvas = &canvas;
    DrawNetwork(net, mode);
}

void DrawSelection(const Tpertgra& net, const TPertDrawMode& mode)
{
    // The Gantt view marks its current work's row instead.
    if (ViewKind(net) == 0) {
        net.liveGantt.DrawCurrentMark(net, mode);
        return;
    }
    if (!mode.canvas || net.selection.empty()) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    SelectPen(c, kSelectionColor, 1, TPenStyle::Dot, TPenMode::Xor);
    SelectClearBrush(c);
    const int32_t ry = Dev(mode.yFactor * Bounded(net.displaySettings.nodeRadiusY, 0, 1000));
    for (const Tedge* w : net.selection) {
        if (!w) continue;
        const TWorkGeometry g = TWorkGeometry::Of(*w);
        const int32_t top = std::min({Coord(int64_t(g.fromY)), Coord(int64_t(g.toY)),
                                      Coord(int64_t(g.lineY))});
        const int32_t bottom = std::max({Coord(int64_t(g.fromY)), Coord(int64_t(g.toY)),
                                         Coord(int64_t(g.lineY))});
        const int32_t left = std::min(Coord(int64_t(g.fromX)), Coord(int64_t(g.toX)));
        const int32_t right = std::max(Coord(int64_t(g.fromX)), Coord(int64_t(g.toX)));
        c.Rectangle(TCanvasRect{left, top - ry, right, bottom + ry});
    }
}

// ---------------------------------------------------------------------------

TPertDraw::TPertDraw(Tpertgra& net, TPertDrawMode& mode)
    : net_(net),
      mode_(mode),
      canvas_(mode.canvas),
      axis_(net),
      layout_(TFrameLayout::Of(net, axis_, mode.xFactor, mode.yFactor)),
      set_(std::make_unique<TSettings>())
{
    ReadSettings();
    if (canvas_) {
        visible_ = canvas_->ClipBox();
        // Names, labels and node circles reach beyond the span of a work.
        const int32_t mx = Dev(400 * std::max(1.0, set_->xf));
        const int32_t my = Dev(std::max(200.0, 3 * RowHeight(net)) * std::max(1.0, set_->yf));
        visible_.left = Coord(int64_t(visible_.left) - mx);
        visible_.right = Coord(int64_t(visible_.right) + mx);
        visible_.top = Coord(int64_t(visible_.top) - my);
        visible_.bottom = Coord(int64_t(visible_.bottom) + my);
    }
}

void TPertDraw::ReadSettings()
{
    TSettings& s = *set_;
    const Tpertgra& net = net_;
    const TPertDrawMode& mode = mode_;
    const TDisplaySettings& d = net.displaySettings;
    s.xf = mode.xFactor;
    s.yf = mode.yFactor;
    s.kind = mode.DrawKind;
    s.print = IsPrintKind(mode.DrawKind);
    s.criticalColor = d.criticalColor;
    s.generalColor = d.generalColor;
    s.floatColor = d.floatColor;
    s.timeDataColor = d.timeDataColor;
    s.milestoneColor = d.milestoneColor;
    s.backgroundColor = d.backgroundColor;
    s.nodeNumberColor = NodeNumberColor(net, mode.DrawKind);
    // Pen widths and sizes are read as stored; a damaged file may hold
    // anything, and a drawing needs them within what a sheet can show.
    auto pen = [](double f, int32_t v) { return std::max(1, Dev(f * Bounded(v, 0, 100))); };
    s.criticalPen = pen(s.yf, d.criticalPen);
    s.generalPen = pen(s.yf, d.generalPen);
    s.floatPen = pen(s.xf, d.floatPen);
    s.dummyPen = pen(s.xf, d.dummyPen);
    s.milestonePen = pen(s.xf, d.milestonePen);
    s.auxiliaryPen = pen(s.yf, net.auxiliaryPenWidth);
    s.suspendedPen = pen(s.yf, net.suspendedPenWidth);
    const bool screen = mode.DrawKind == dkScreen;
    s.auxiliaryColor = screen ? net.colorPairs[0] : s.print ? net.colorPairs[1] : 0xFF0000;
    s.suspendedColor = screen ? net.colorPairs[2] : s.print ? net.colorPairs[3] : 0xFF0000;
    s.criticalPenSetting = Bounded(d.criticalPen, 0, 100);
    s.generalPenSetting = Bounded(d.generalPen, 0, 100);
    s.rx = s.xf * Bounded(d.nodeRadiusX, 0, 1000);
    s.ry = s.yf * Bounded(d.nodeRadiusY, 0, 1000);
    s.join = Dev(s.xf * Bounded(d.joinOffset, 0, 1000));
    s.arrowLength = Dev(s.xf * Bounded(d.arrowLength, 0, 1000));
    s.arrowHalf = Dev(s.xf * Bounded(d.arrowHalfWidth, 0, 1000));
    s.hop = Dev(s.yf * Bounded(d.hopSize, 0, 1000));
    s.showDurations = (d.showDurations & 0xFF) != 0;
    s.pixel = std::max(1, Dev(s.xf));
}

TPertDraw::~TPertDraw() = default;

void TPertDraw::Draw()
{
    if (!canvas_) return;
    LoadPalette(net_, mode_.DrawKind);
    ReadSettings();
    if (net_.nodes.empty()) return;
    // A frame that reaches beyond what a canvas can address (rows or days
    // of a damaged file far outside the plan) is not drawn; the works and
    // nodes that can be seen still are.
    auto fits = [](double v) { return std::fabs(v) < kCoordLimit; };
    const bool frame = fits(layout_.areaBottom) && fits(layout_.bottomEdge) &&
                       fits(layout_.rightEdge) && fits(layout_.xf * layout_.projectEndX) &&
                       fits(layout_.topEdge) && fits(layout_.leftEdge);
    const int32_t view = layout_.viewKind;
    if (view == 1) {
        if (net_.showFrame && frame) {
            net_.grid->DrawFrame(net_, mode_);
            DrawTitle(net_, mode_, layout_.rightEdge);
            DrawGroups();
        } else if (net_.showTitleAlways && frame) {
            DrawTitle(net_, mode_, layout_.rightEdge);
        }
        DrawWorksAndNodes();
        DrawEndFlag();
        if (net_.showFrame && frame && net_.showProgressLine)
            DrawProgressLine(DayOfStamp(net_, net_.progressDate));
        if (net_.resourceDiagramInNetwork && frame)
            DrawResourceDiagrams(net_, mode_, NetworkDiagramPlace(net_, mode_));
        // Annotations lie over everything else.
        for (const auto& a : net_.annotations) DrawAnnotation(*a, net_, axis_, mode_);
    } else if (view == 2) {
        DrawWorksAndNodes();
        DrawEndFlag();
    } else if (view == 3 && frame) {
        net_.grid->DrawFrame(net_, mode_);
        DrawResourceDiagrams(net_, mode_, NetworkDiagramPlace(net_, mode_));
    }
}

// ---- works -----------------------------------------------------------------

TPertDraw::TWorkShape TPertDraw::ShapeOf(const Tedge& work) const
{
    const TSettings& set = *set_;
    TWorkShape s;
    s.work = &work;
    TWorkGeometry g = TWorkGeometry::Of(work);
    for (int32_t* v : {&g.fromX, &g.fromY, &g.toX, &g.toY, &g.lineY, &g.startJoinY, &g.endJoinY,
                       &g.lineStartX, &g.lineEndX})
        *v = Coord(int64_t(*v));
    s.g = g;
    const Tworkdata& d = *work.data;
    s.dummy = d.IsDummy();
    s.milestone = d.IsMilestone();
    s.auxiliary = d.IsAuxiliary();
    s.suspended = d.IsKind(WorkKind::Suspended);
    s.critical = d.critical;
    s.vertical = g.fromX == g.toX;
    s.startOnRow = g.fromY == g.lineY;
    s.endOnRow = g.toY == g.lineY;

    // Pen: critical or general, the kinds with pens of their own, then the
    // work's own width and colour.
    if (s.critical) {
        s.penColor = set.criticalColor;
        s.penWidth = set.criticalPen;
    } else {
        s.penColor = set.generalColor;
        s.penWidth = set.generalPen;
    }
    if (s.auxiliary) {
        s.penColor = set.auxiliaryColor;
        s.penWidth = set.auxiliaryPen;
    } else if (s.suspended) {
        s.penColor = set.suspendedColor;
        s.penWidth = set.suspendedPen;
    } else if (s.milestone) {
        s.penColor = set.milestoneColor;
        s.penWidth = set.milestonePen;
    }
    if (d.useCustomWidth) s.penWidth = std::max(1, Dev(set.yf * Bounded(d.lineWidth, 0, 100)));
    if (d.useCustomColor) s.penColor = d.lineColor;
    if (d.useCustomStyle) s.ownDotted = d.lineStyle == "虚线";
    s.labelPen = s.critical ? set.criticalPenSetting : set.generalPenSetting;

    // Joins where a node lies off the work's row; a milestone has none on the
    // side of a node that only serves it.
    const bool nodeX = s.vertical && !s.milestone;
    if (!s.startOnRow && !(s.milestone && net_.IsMilestoneEnd(work.fromNode))) {
        s.hasStartJoin = true;
        s.startJoinX = nodeX ? g.fromX : g.fromX + set.join;
    }
    if (!s.endOnRow && !(s.milestone && net_.IsMilestoneEnd(work.toNode))) {
        s.hasEndJoin = true;
        s.endJoinX = nodeX ? g.toX : g.toX - set.join;
    }
    return s;
}

bool TPertDraw::Visible(const TWorkShape& s) const
{
    const TWorkGeometry& g = s.g;
    const int32_t left = std::min({g.fromX, g.toX, g.lineStartX});
    const int32_t right = std::max({g.fromX, g.toX, g.lineEndX});
    const int32_t top = std::min({g.fromY, g.toY, g.lineY});
    const int32_t bottom = std::max({g.fromY, g.toY, g.lineY});
    return right >= visible_.left && left <= visible_.right && bottom >= visible_.top &&
           top <= visible_.bottom;
}

void TPertDraw::DrawWorksAndNodes()
{
    if (!canvas_) return;
    struct TItem {
        TWorkShape shape;
        int64_t startQuery = -1;
        int64_t endQuery = -1;
    };
    std::vector<TItem> items;
    THops hops;
    const bool hopping = set_->hop > 0;
    for (const auto& v : net_.nodes) {
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            TWorkShape s = ShapeOf(*w);
            if (!Visible(s)) continue;
            // The horizontal extent of a work on its row: main line and floats.
            if (hopping && !s.milestone && !s.vertical)
                hops.AddLine(std::max(s.g.fromX + set_->join, visible_.left),
                             std::min(s.g.toX - set_->join, visible_.right), s.g.lineY);
            TItem it{s};
            if (hopping && s.hasStartJoin)
                it.startQuery = int64_t(hops.AddQuery(s.startJoinX, s.g.fromY, s.g.lineY));
            if (hopping && s.hasEndJoin)
                it.endQuery = int64_t(hops.AddQuery(s.endJoinX, s.g.lineY, s.g.toY));
            items.push_back(std::move(it));
        }
    }
    if (hopping) hops.Run();
    auto draw = [&](const TItem& it) {
        canvas_->SetBrush(TCanvasBrush{canvas_->Brush().color, TBrushStyle::Clear});
        DrawShape(it.shape, it.startQuery >= 0 ? &hops.Of(size_t(it.startQuery)) : nullptr,
                  it.endQuery >= 0 ? &hops.Of(size_t(it.endQuery)) : nullptr);
    };
    // Critical works last, so that they lie on top of the others.
    for (const TItem& it : items)
        if (!it.shape.critical || it.shape.auxiliary) draw(it);
    for (const TItem& it : items)
        if (it.shape.critical && !it.shape.auxiliary) draw(it);
    for (const auto& v : net_.nodes) {
        const double x = v->x;
        if (x + set_->rx < visible_.left || x - set_->rx > visible_.right) continue;
        if (v->y + set_->ry < visible_.top || v->y - set_->ry > visible_.bottom) continue;
        DrawNode(*v);
    }
}

void TPertDraw::DrawWork(const Tedge& work)
{
    if (!canvas_) return;
    const TWorkShape s = ShapeOf(work);
    // A single work asks for its crossings on its own.
    THops hops;
    int64_t qs = -1, qe = -1;
    if (set_->hop > 0 && (s.hasStartJoin || s.hasEndJoin)) {
        for (const auto& v : net_.nodes)
            for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
                if (w == &work) continue;
                const TWorkShape o = ShapeOf(*w);
                if (!o.milestone && !o.vertical)
                    hops.AddLine(o.g.fromX + set_->join, o.g.toX - set_->join, o.g.lineY);
            }
        if (s.hasStartJoin) qs = int64_t(hops.AddQuery(s.startJoinX, s.g.fromY, s.g.lineY));
        if (s.hasEndJoin) qe = int64_t(hops.AddQuery(s.endJoinX, s.g.lineY, s.g.toY));
        hops.Run();
    }
    TCanvasStateSaver keep(*canvas_);
    SelectClearBrush(*canvas_);
    DrawShape(s, qs >= 0 ? &hops.Of(size_t(qs)) : nullptr, qe >= 0 ? &hops.Of(size_t(qe)) : nullptr);
}

void TPertDraw::SelectWorkPen(const TWorkShape& s)
{
    const TPenMode mode = set_->kind == dkDrag ? TPenMode::Xor : TPenMode::Copy;
    SelectPen(*canvas_, s.penColor, s.penWidth, s.ownDotted ? TPenStyle::Dot : TPenStyle::Solid,
              mode);
}

void TPertDraw::SelectWorkFont(const Tedge& work)
{
    SelectFont(*canvas_, work.data->useCustom ? work.data->font : net_.workFont);
    canvas_->SetTextBackground(false, set_->backgroundColor);
}

void TPertDraw::Text(int32_t x, int32_t y, const std::string& text)
{
    // Texts are measured only where they can be seen.
    if (x > visible_.right || y > visible_.bottom || y < visible_.top) return;
    if (int64_t(x) + int64_t(text.size()) * 64 < visible_.left) return;
    canvas_->TextOut(x, y, text);
}

void TPertDraw::HLine(int32_t x1, int32_t x2, int32_t y)
{
    if (x2 < x1) std::swap(x1, x2);
    x1 = std::max(x1, visible_.left);
    x2 = std::min(x2, visible_.right);
    if (x2 < x1) return;
    canvas_->Line(x1, y, x2, y);
}

void TPertDraw::DashedHLine(int32_t x1, int32_t x2, int32_t y, int32_t dash, int32_t gap)
{
    if (x2 < x1) std::swap(x1, x2);
    // Whole dash periods left of the visible part are passed over, so the
    // dashes that are seen stand where they would stand anyway.
    const int32_t period = std::max(1, dash + gap);
    if (x1 < visible_.left) x1 += (visible_.left - x1) / period * period;
    x2 = std::min(x2, visible_.right);
    if (x2 < x1) return;
    DrawDashedHLine(*canvas_, x1, x2, y, dash, gap);
}

void TPertDraw::Wave(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (x1 >= x2) return;
    // A long float is waved only where it can be seen.
    const int32_t half = 6 * std::max(1, canvas_->Pen().width);
    const std::vector<TCanvasPoint> pts =
        WavyLinePoints(x1, y1, x2, y2, canvas_->Pen().width, visible_.left - 4 * half,
                       visible_.right + 4 * half);
    canvas_->Polyline(pts);
}

void TPertDraw::DrawJoin(int32_t x, int32_t y1, int32_t y2, bool dotted,
                         const std::vector<int32_t>* hops)
{
    ICanvas& c = *canvas_;
    const int32_t top = std::max(std::min(y1, y2), visible_.top);
    const int32_t bottom = std::min(std::max(y1, y2), visible_.bottom);
    if (bottom < top) return;
    const int32_t w = std::max(1, c.Pen().width);
    auto piece = [&](int32_t a, int32_t b) {
        if (b <= a) return;
        if (dotted) DrawDashedVLine(c, x, a, b, w, 3 * w);
        else c.Line(x, a, x, b);
    };
    const int32_t h = set_->hop;
    int32_t at = top;
    if (hops && h > 0) {
        for (int32_t yr : *hops) {
            if (yr <= top || yr >= bottom) continue;
            piece(at, yr - h);
            // The hop is drawn solid even on a dotted join.
            TCanvasStateSaver keep(c);
            TCanvasPen p = c.Pen();
            p.style = TPenStyle::Solid;
            c.SetPen(p);
            c.PolyBezier({{x, yr - h}, {x + h, yr - h / 2}, {x + h, yr + h / 2}, {x, yr + h}});
            at = yr + h;
        }
    }
    piece(at, bottom);
}

void TPertDraw::DrawArrow(const TWorkShape& s)
{
    const TSettings& set = *set_;
    const TWorkGeometry& g = s.g;
    if (g.toX < visible_.left || g.toX > visible_.right || g.toY < visible_.top ||
        g.toY > visible_.bottom)
        return;
    const int32_t L = set.arrowLength;
    const int32_t H = canvas_->Pen().width + set.arrowHalf;
    const int32_t rx = Dev(set.rx);
    const int32_t ry = Dev(set.ry);
    if (s.vertical) {
        // Tip at the node's edge toward the start node, base further away.
        const bool above = g.toY < g.fromY;
        const int32_t tipY = above ? g.toY + ry : g.toY - ry;
        const int32_t baseY = above ? tipY + L : tipY - L;
        FillTriangle(*canvas_, {g.toX, tipY}, {g.toX - H, baseY}, {g.toX + H, baseY});
    } else if (s.endOnRow) {
        const int32_t tipX = g.toX - rx;
        FillTriangle(*canvas_, {tipX, g.toY}, {tipX - L, g.toY - H}, {tipX - L, g.toY + H});
    } else {
        const int32_t tipX = g.toX - set.join;
        const bool below = g.toY > g.lineY;
        const int32_t tipY = below ? g.toY - ry : g.toY + ry;
        const int32_t baseY = below ? tipY - L : tipY + L;
        FillTriangle(*canvas_, {tipX, tipY}, {tipX - H, baseY}, {tipX + H, baseY});
    }
}

void TPertDraw::DrawShape(const TWorkShape& s, const std::vector<int32_t>* startHops,
                          const std::vector<int32_t>* endHops)
{
    if (s.milestone) {
        DrawMilestone(s, startHops, endHops);
        return;
    }
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    const TWorkGeometry& g = s.g;
    const Tedge& work = *s.work;
    const Tworkdata& d = *work.data;
    const int32_t j = set.join;
    const TPenMode penMode = set.kind == dkDrag ? TPenMode::Xor : TPenMode::Copy;

    // Free float as wavy lines (not for dummies nor vertical works).
    if (!s.dummy && !s.vertical) {
        SelectPen(c, set.floatColor, set.floatPen, TPenStyle::Solid, penMode);
        const double nodeTimeFrom = work.fromNode ? work.fromNode->time : d.start;
        if (!SameTime(d.start, nodeTimeFrom))
            Wave(g.fromX + j, g.startJoinY, g.lineStartX + j, g.lineY);
        const double finish = double(d.start) + double(d.duration);
        const double nodeTimeTo = work.toNode ? work.toNode->time : finish;
        if (finish < nodeTimeTo - kSameTime) {
            const int32_t from = std::max(g.lineStartX + j, g.lineEndX - j);
            Wave(from, g.lineY, g.toX - j, g.endJoinY);
        }
    }

    SelectWorkPen(s);
    // Main line.
    if (s.dummy) {
        if (g.fromX + j < g.toX - j)
            DashedHLine(g.fromX + j, g.toX - j, g.startJoinY, c.Pen().width, 2 * set.pixel);
    } else if (!s.vertical && d.duration != 0) {
        const int32_t x1 = g.lineStartX == g.fromX ? g.lineStartX + j : g.lineStartX;
        const int32_t x2 = std::max(g.lineEndX == g.toX ? g.lineEndX - j : g.lineEndX, x1);
        if (x2 > x1) {
            if (s.suspended || s.ownDotted) {
                TCanvasStateSaver keep(c);
                TCanvasPen p = c.Pen();
                p.style = TPenStyle::Solid;
                c.SetPen(p);
                DashedHLine(x1, x2, g.lineY, p.width, 2 * set.pixel);
            } else {
                HLine(x1, x2, g.lineY);
            }
        }
    }

    // Joins, dotted for dummies (drawn as dashes with a solid pen); a
    // vertical dummy has a pen of its own. Then the arrowhead, unless a
    // further segment of the work follows.
    {
        TCanvasStateSaver keep(c);
        TCanvasPen p = c.Pen();
        if (s.dummy && s.vertical) p.width = set.dummyPen * (s.critical ? 2 : 1);
        p.style = TPenStyle::Solid;
        c.SetPen(p);
        const bool dotted = s.dummy || s.ownDotted;
        if (s.hasStartJoin) DrawJoin(s.startJoinX, g.fromY, g.lineY, dotted, startHops);
        if (s.hasEndJoin) DrawJoin(s.endJoinX, g.lineY, g.toY, dotted, endHops);
        if (!work.nextSegment) DrawArrow(s);
    }

    DrawDuration(s);
    const int32_t nameTop = DrawName(s, true);
    // A dummy has no table: it has no duration of its own, and its table
    // would stand exactly on the table of the work leaving its node beside it.
    if (net_.showTimeLabels && !s.dummy && !(net_.timeLabelMode.nonCriticalOnly && s.critical))
        DrawLabelBox(s, LabelBoxOf(s, nameTop, 0, 0));
}

void TPertDraw::DrawMilestone(const TWorkShape& s, const std::vector<int32_t>* startHops,
                              const std::vector<int32_t>* endHops)
{
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    const TWorkGeometry& g = s.g;
    const Tedge& work = *s.work;
    const int32_t j = set.join;
    SelectWorkFont(work);
    const std::string& name = work.data->name;
    const TCanvasSize ext = c.TextExtent(name);
    const int32_t W = ext.cx;
    const int32_t T = name.empty() ? c.TextExtent("0").cy : ext.cy;
    const Tvertex* to = work.toNode;
    int32_t left, right;
    if (to && to->inCount == 1 && to->outCount == 0) {
        left = g.fromX + j;
        right = g.fromX + W + 3 * j;
    } else {
        left = g.toX - W - 3 * j;
        right = g.toX - j;
    }
    const int32_t top = g.endJoinY - T - j;
    const int32_t bottom = g.startJoinY + j;
    SelectPen(c, s.penColor, s.penWidth, TPenStyle::Solid,
              set.kind == dkDrag ? TPenMode::Xor : TPenMode::Copy);
    SelectClearBrush(c);
    c.Rectangle(TCanvasRect{left, std::min(top, bottom), right, std::max(top, bottom)});
    if (!name.empty()) Text(left + j, std::min(top, bottom) + j, name);
    if (s.hasStartJoin) DrawJoin(s.startJoinX, g.fromY, g.lineY, false, startHops);
    if (s.hasEndJoin) DrawJoin(s.endJoinX, g.lineY, g.toY, false, endHops);
}

void TPertDraw::LabelSpan(const TWorkShape& s, int32_t align, int32_t inset, int32_t& p,
                          int32_t& q) const
{
    const TWorkGeometry& g = s.g;
    const int32_t four = Dev(4 * set_->xf);
    if (align <= 2) {
        p = g.lineStartX == g.fromX ? g.lineStartX + four + s.penWidth / 2 : g.lineStartX;
        q = g.lineEndX - four;
    } else {
        p = g.fromX + four;
        q = g.toX - four;
    }
    if (s.startOnRow && p < g.fromX + inset) p = g.fromX + inset;
    if (s.endOnRow && q > g.toX - inset) q = g.toX - inset;
}

void TPertDraw::DrawDuration(const TWorkShape& s)
{
    const Tedge& work = *s.work;
    if (s.dummy || !set_->showDurations || work.isContinuation) return;
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    const TWorkGeometry& g = s.g;
    const int32_t align = Bounded(work.data->namePlace, 0, 5);
    int32_t p, q;
    LabelSpan(s, align, Dev(set.rx), p, q);
    SelectWorkFont(work);
    const std::string text = FloatText(double(work.TotalDuration()));
    const int32_t w = c.TextExtent(text).cx;
    int32_t x;
    if (align == 0 || align == 3) x = p + (q - p - w) / 2;
    else if (align == 1 || align == 4) x = p;
    else x = q - w;
    x = std::max(x, p);
    const int32_t y = g.lineY + Dev((s.labelPen + 2) * set.xf);
    Text(x, y, text);
}

int32_t TPertDraw::DrawName(const TWorkShape& s, bool draw)
{
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    const TWorkGeometry& g = s.g;
    const Tedge& work = *s.work;
    const int32_t gap = Dev((s.labelPen + 2) * set.xf);
    const int32_t base = g.lineY - gap;
    const std::string& name = work.data->name;
    if (s.dummy || name.empty()) return base;

    const int32_t align = Bounded(work.data->namePlace, 0, 5);
    int32_t p, q;
    LabelSpan(s, align, Dev(0.25 * set.rx), p, q);
    // The name spans the segments that follow it.
    const int64_t extra = FollowingSpan(work);
    q = Coord(int64_t(q) + extra);

    SelectWorkFont(work);
    const TCanvasSize ext = c.TextExtent(name);
    const int32_t span = q - p;
    const bool centred = align == 0 || align == 3;
    auto xOf = [&](int32_t w) {
        if (centred) return p + (span - w) / 2;
        if (align == 1 || align == 4) return p;
        return std::max(q - w, p);
    };
    if (work.data->placeMode == 0 && ext.cx > span) {
        // Wrapped: the fewest lines whose characters fit the span, each
        // character counted as wide as "工"; a span narrower than one
        // character takes one character per line.
        const std::vector<std::string> chars = Utf8Characters(name);
        const int64_t n = int64_t(chars.size());
        const int32_t cw = std::max(1, c.TextExtent("工").cx);
        const int64_t fit = std::max<int64_t>(1, span / cw);
        const int64_t least = (n + fit - 1) / fit;
        const int64_t perLine = (n + least - 1) / least;
        const int64_t lines = (n + perLine - 1) / perLine;
        const int32_t T = ext.cy;
        const int32_t top = Coord(int64_t(base) - lines * T);
        if (draw) {
            for (int64_t k = 0; k < lines; ++k) {
                std::string line;
                for (int64_t i = k * perLine; i < std::min(n, (k + 1) * perLine); ++i)
                    line += chars[size_t(i)];
                const int32_t y = Coord(int64_t(base) - (lines - k) * T);
                if (y + T < visible_.top || y > visible_.bottom) continue;
                Text(xOf(c.TextExtent(line).cx), y, line);
            }
        }
        return top;
    }
    const int32_t y = base - ext.cy;
    if (draw) Text(xOf(ext.cx), y, name);
    return y;
}

int64_t TPertDraw::FollowingSpan(const Tedge& work)
{
    // Each chain is walked once per pass; a chain of a damaged file that
    // meets itself is cut where it does.
    constexpr int64_t kOpen = std::numeric_limits<int64_t>::min();
    auto span = [](const Tedge& w) {
        return int64_t(Coord(int64_t(w.lineGeom[6]))) - Coord(int64_t(w.lineGeom[0]));
    };
    std::vector<const Tedge*> path;
    int64_t tail = 0;   // the extent of what follows the last work of the path
    for (const Tedge* w = &work; w; w = w->nextSegment) {
        const auto [it, fresh] = following_.try_emplace(w, kOpen);
        if (!fresh) {
            if (it->second != kOpen && !path.empty()) tail = span(*w) + it->second;
            break;
        }
        path.push_back(w);
    }
    for (size_t i = path.size(); i-- > 0;) {
        following_[path[i]] = tail;
        tail += span(*path[i]);
    }
    const int64_t v = following_[&work];
    return v == kOpen ? 0 : v;
}

// ---- time-parameter tables --------------------------------------------------

TPertDraw::TLabelBox TPertDraw::LabelBoxOf(const TWorkShape& s, int32_t nameTop, int32_t dx,
                                           int32_t dy)
{
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    const Tedge& work = *s.work;
    const TWorkGeometry& g = s.g;
    TLabelBox b;
    b.texts = TimeLabelTexts(net_, work);
    SelectWorkFont(work);

    const int32_t align = Bounded(work.data->namePlace, 0, 5);
    const int32_t four = Dev(4 * set.xf);
    int32_t p, q;
    if (align <= 2) {
        p = g.lineStartX == g.fromX ? g.lineStartX + four + s.penWidth / 2 : g.lineStartX;
        q = g.lineEndX - four;
    } else {
        p = g.fromX + four;
        q = g.toX - four;
    }
    const int64_t offX = int64_t(work.labelDx) + dx;
    const int64_t offY = int64_t(work.labelDy) + dy;
    const int32_t left = Coord(double(p) + set.xf * double(offX));
    const int32_t bottom = Coord(double(nameTop) + set.xf * double(offY) - s.penWidth);
    b.table = LayOutTimeTable(c, b.texts, work.timeLabel.shown, left, bottom, set.pixel);
    b.rect = b.table.rect;
    b.nameMidX = p + (q - p) / 2;
    b.nameY = g.lineY - Dev((s.labelPen + 2) * set.xf);
    b.moved = std::fabs(set.xf * double(offX)) > 10 * set.xf ||
              std::fabs(set.xf * double(offY)) > 10 * set.xf;
    return b;
}

void TPertDraw::DrawLabelBox(const TWorkShape& s, const TLabelBox& b)
{
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    if (b.rect.IsEmpty()) return;
    TCanvasStateSaver keep(c);
    if (set.kind == dkDrag) {
        SelectPen(c, kDragLabelColor, 1, TPenStyle::Dot, TPenMode::Xor);
        SelectClearBrush(c);
        c.Rectangle(b.rect);
        return;
    }
    if (net_.timeLabelMode.connectLine && b.moved) {
        SelectPen(c, set.generalColor, set.pixel);
        c.Line((b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom) / 2, b.nameMidX,
               b.nameY);
    }
    const Tedge& work = *s.work;
    const int32_t border = work.data->useCustom ? work.data->font.color : net_.workFont.color;
    TVqFont f = work.data->useCustom ? work.data->font : net_.workFont;
    f.color = set.timeDataColor;
    SelectFont(c, f);
    c.SetTextBackground(false, set.backgroundColor);
    DrawTimeTable(c, b.table, b.texts, work.timeLabel.shown, set.kind == dkScreen,
                  set.backgroundColor, border,
                  std::max(1, Dev(set.yf)), set.pixel,
                  [this](int32_t x, int32_t y, const std::string& t) { Text(x, y, t); });
}

void TPertDraw::DrawTimeLabel(const Tedge& work, int32_t dx, int32_t dy)
{
    if (!canvas_) return;
    const TWorkShape s = ShapeOf(work);
    if (s.milestone || s.dummy) return;
    TCanvasStateSaver keep(*canvas_);
    const int32_t top = DrawName(s, false);
    DrawLabelBox(s, LabelBoxOf(s, top, dx, dy));
}

TCanvasRect TPertDraw::TimeLabelRect(const Tedge& work, int32_t dx, int32_t dy)
{
    if (!canvas_) return {};
    const TWorkShape s = ShapeOf(work);
    if (s.milestone || s.dummy) return {};
    TCanvasStateSaver keep(*canvas_);
    return LabelBoxOf(s, DrawName(s, false), dx, dy).rect;
}

// ---- nodes and the rest ----------------------------------------------------

void TPertDraw::DrawNode(const Tvertex& node)
{
    if (!canvas_ || net_.IsMilestoneEnd(&node)) return;
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    TCanvasStateSaver keep(c);
    const int32_t x = Coord(int64_t(node.x));
    const int32_t y = Coord(int64_t(node.y));
    c.SetBrush(TCanvasBrush{set.backgroundColor, TBrushStyle::Solid});
    SelectPen(c, node.critical ? set.criticalColor : set.generalColor, set.pixel);
    if (node.joint) {
        const int32_t hx = Dev(set.rx / 2);
        const int32_t hy = Dev(set.ry / 4);
        c.Rectangle(TCanvasRect{x - hx, y - hy, x + hx, y + hy});
        return;
    }
    const int32_t rx = Dev(set.rx);
    const int32_t ry = Dev(set.ry);
    c.Ellipse(TCanvasRect{x - rx, y - ry, x + rx, y + ry});
    TVqFont f = net_.nodeFont;
    f.color = set.nodeNumberColor;
    SelectFont(c, f);
    c.SetTextBackground(false, set.backgroundColor);
    const std::string text = std::to_string(node.number);
    const TCanvasSize ext = c.TextExtent(text);
    Text(x - ext.cx / 2, y - ext.cy / 2, text);
}

void TPertDraw::DrawEndFlag()
{
    if (!canvas_ || !net_.showEndMark || net_.nodes.empty()) return;
    const Tvertex* last = nullptr;
    for (const auto& v : net_.nodes)
        if (!last || v->number >= last->number) last = v.get();
    if (!last || net_.IsMilestoneEnd(last)) return;
    if (last->x > visible_.right || last->x < visible_.left || last->y > visible_.bottom ||
        last->y < visible_.top)
        return;
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    TCanvasStateSaver keep(c);
    const int32_t w = set.pixel;
    const int32_t x0 = Coord(int64_t(last->x) + Dev(set.rx));
    const int32_t y = Coord(int64_t(last->y));
    SelectPen(c, set.generalColor, w);
    c.Line(x0, y, x0 + 4 * w, y);
    c.Line(x0 + 4 * w, y, x0 + 12 * w, y - 8 * w);
    c.SetBrush(TCanvasBrush{set.criticalColor, TBrushStyle::Solid});
    c.Polygon({{x0 + 12 * w, y - 8 * w},
               {x0 + 20 * w, y - 16 * w},
               {x0 + 34 * w, y - 16 * w},
               {x0 + 26 * w, y - 8 * w}});
}

void TPertDraw::DrawGroups()
{
    if (!canvas_) return;
    Tfenzuarray& groups = net_.groups;
    if (!(groups.groupColumnWidth > 0)) return;
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    TCanvasStateSaver keep(c);
    StackGroups(net_);
    const int32_t width =
        std::max(set.pixel, Dev(set.xf * Bounded(net_.grid->frameWidth, 0, 1000) / 2.0));
    SelectPen(c, net_.grid->frameColor, width);
    SelectClearBrush(c);
    const int32_t x = Dev(set.xf * (groups.origin.x + groups.groupColumnWidth));
    c.Line(x, Dev(set.yf * groups.origin.y), x, Dev(layout_.areaBottom));
    if (layout_.viewKind == 3) return;
    for (const Tfenzu& g : groups.items) {
        const TCanvasRect cell{Dev(set.xf * g.position.x), Dev(set.yf * g.position.y),
                               Dev(set.xf * (g.position.x + g.width)),
                               Dev(set.yf * (g.position.y + g.height))};
        if (cell.top > visible_.bottom) break;
        TVqFont f = g.font;
        if (set.print) f.color = g.printColor;
        SelectFont(c, f);
        c.SetTextBackground(false, set.backgroundColor);
        DrawTextInRect(c, cell, g.text, 1, false);
        if (g.separatorLine) {
            SelectPen(c, net_.grid->frameColor, width);
            c.Line(layout_.leftEdge, cell.bottom, layout_.rightEdge, cell.bottom);
        }
    }
}

void TPertDraw::DrawProgressLine(double checkDay)
{
    if (!canvas_) return;
    const TSettings& set = *set_;
    ICanvas& c = *canvas_;
    const int32_t x = Dev(set.xf * axis_.XOfTime(checkDay, TShiftCount::Before));
    const int32_t width = std::max(1, Dev(set.xf * Bounded(net_.grid->scales[0].tickWidth, 0, 100)));
    const int32_t top = Dev(layout_.areaTop);
    const int32_t bottom = Dev(layout_.areaBottom);
    TFramePainter::DrawMarkedLine(c, x, layout_.topEdge, bottom, set.criticalColor, width,
                                  set.arrowLength);
    struct TPoint {
        int32_t row;
        TCanvasPoint p;
    };
    std::vector<TPoint> points;
    for (const auto& v : net_.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            const double r = w->data->progress;
            if (!(r >= 0 && r < 1)) continue;
            const double t = double(w->data->start) + r * double(w->data->duration);
            points.push_back({w->row, {Dev(set.xf * axis_.XOfWorkTime(t, TShiftCount::Before)),
                                       TWorkGeometry::Of(*w).lineY}});
        }
    std::stable_sort(points.begin(), points.end(),
                     [](const TPoint& a, const TPoint& b) { return a.row < b.row; });
    std::vector<TCanvasPoint> line;
    line.reserve(points.size() + 2);
    line.push_back({x, top});
    for (const TPoint& p : points) line.push_back(p.p);
    line.push_back({x, bottom});
    TCanvasStateSaver keep(c);
    SelectPen(c, set.criticalColor, std::max(1, Dev(set.yf * Bounded(net_.grid->scales[0].tickWidth, 0, 100))));
    c.Polyline(line);
}
