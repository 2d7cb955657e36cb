#include "schedule/Logicpert.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/Pertgra.h"
#include "schedule/Calendar.h"

namespace {

// Truncation toward zero, kept inside int32 so that a far-off value of a
// damaged file cannot overflow.
int32_t Trunc(double v)
{
    if (!(v == v)) return 0;
    constexpr double lo = double(std::numeric_limits<int32_t>::min());
    constexpr double hi = double(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(std::clamp(v, lo, hi));
}

int32_t RowY(double f, double y0, double rowHeight, int32_t row)
{
    return Trunc(f * y0 + rowHeight * double(row) * f);
}

// Puts the nodes' real times back however the layout is left.
class TSavedTimes {
public:
    explicit TSavedTimes(Tpertgra& net) : net_(net)
    {
        times_.reserve(net.nodes.size());
        for (const auto& v : net.nodes) times_.push_back(v->time);
    }
    ~TSavedTimes()
    {
        for (size_t i = 0; i < times_.size() && i < net_.nodes.size(); ++i)
            net_.nodes[i]->time = times_[i];
    }
    TSavedTimes(const TSavedTimes&) = delete;
    TSavedTimes& operator=(const TSavedTimes&) = delete;

private:
    Tpertgra& net_;
    std::vector<float> times_;
};

}

std::vector<int32_t> Tlogicpert::Levels(const Tpertgra& net, const std::vector<Tvertex*>& walk) const
{
    const size_t n = net.nodes.size();
    std::vector<int32_t> level(n, 0);
    if (n == 0) return level;
    auto slot = [&](const Tvertex* v) -> int64_t {
        if (!v) return -1;
        const int32_t s = net.IndexOfNode(v);
        return s >= 0 && size_t(s) < n ? s : -1;
    };
    for (const Tvertex* v : walk) {
        const int64_t from = slot(v);
        if (from < 0) continue;
        const int64_t here = level[size_t(from)];
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            const int64_t to = slot(w->toNode);
            if (to < 0) continue;
            const int64_t reach = w->data && w->data->IsDummy() ? here : here + workLength;
            if (reach > level[size_t(to)])
                level[size_t(to)] = int32_t(std::min<int64_t>(reach, std::numeric_limits<int32_t>::max()));
        }
    }
    return level;
}

void Tlogicpert::Layout(Tpertgra& net, double f)
{
    if (net.nodes.empty()) return;
    // The scheduler's topological order: the time order agrees with it only
    // while the node times agree with the links, which a damaged file breaks.
    const std::vector<int32_t> level = Levels(net, net.order);
    const double y0 = axis_.Y0();
    const double rowHeight = axis_.RowHeight();
    {
        const TSavedTimes saved(net);
        for (size_t s = 0; s < net.nodes.size(); ++s) net.nodes[s]->time = float(level[s]);
        axis_.Displace(net);
        const bool shifted = !net.displacements.empty();
        for (size_t s = 0; s < net.nodes.size(); ++s) {
            Tvertex& v = *net.nodes[s];
            int32_t x = Trunc(f * axis_.XOfDay(CalendarDayOfFinish(net, double(level[s]))));
            if (shifted) x = Trunc(double(x) + f * double(v.xOffset));
            v.x = x;
            v.y = RowY(f, y0, rowHeight, std::max(0, v.row));
        }
    }
    PlaceWorks(net, f);
}

void Tlogicpert::Scale(Tpertgra& net, double xf, double yf)
{
    for (const auto& v : net.nodes) {
        v->x = Trunc(double(v->x) * xf);
        v->y = Trunc(double(v->y) * yf);
    }
    PlaceWorks(net, yf);
}

void Tlogicpert::PlaceWorks(Tpertgra& net, double f) const
{
    const double y0 = axis_.Y0();
    const double rowHeight = axis_.RowHeight();
    for (const auto& node : net.nodes) {
        const Tvertex& from = *node;
        for (Tedge* w = from.firstWork; w; w = w->nextWork) {
            const Tvertex* to = w->toNode ? w->toNode : &from;
            const int32_t lineY = RowY(f, y0, rowHeight, w->row);
            const int32_t startJoinY = from.row == w->row ? from.y : lineY;
            const int32_t endJoinY = to->row == w->row ? to->y : lineY;
            w->lineGeom = {from.x, from.y, from.x, startJoinY, to->x, endJoinY, to->x, to->y};
            w->nameGeom = {from.x, lineY, to->x, lineY};
        }
    }
}

void LayoutLogicNetwork(Tpertgra& net, double f, ILogicAxis& axis)
{
    Tlogicpert(axis).Layout(net, f);
}

void ScaleLogicNetwork(Tpertgra& net, double xf, double yf, ILogicAxis& axis)
{
    Tlogicpert(axis).Scale(net, xf, yf);
}

double LogicEndX(const Tpertgra& net)
{
    if (net.nodes.empty()) return 0;
    int32_t m = net.nodes.front()->x;
    for (const auto& v : net.nodes) m = std::max(m, v->x);
    return double(m);
}
