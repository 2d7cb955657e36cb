#include "drawing/Layoutpass.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"

namespace {

constexpr double kSameTime = 1e-8;
constexpr double kSameEntry = 1e-9;

// Truncation toward zero of a drawing value, kept inside int32 so that a
// far-off time of a damaged file cannot overflow.
int32_t Trunc(double v)
{
    if (!(v == v)) return 0;
    constexpr double lo = double(std::numeric_limits<int32_t>::min());
    constexpr double hi = double(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(std::clamp(v, lo, hi));
}

// Sums of the displacement entries over the distinct node times: the pass
// enters displacements while it reads positions, so the strict XOfTime of
// every node is a prefix sum that changes under it.
class TShiftSums {
public:
    explicit TShiftSums(size_t n) : tree_(n + 1, 0) {}
    void Add(size_t key, int64_t delta)
    {
        for (size_t i = key + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
    }
    // Sum over the keys [0, count).
    int64_t Prefix(size_t count) const
    {
        int64_t s = 0;
        for (size_t i = count; i > 0; i -= i & (~i + 1)) s += tree_[i];
        return s;
    }

private:
    std::vector<int64_t> tree_;
};

// The rows a node meets, as four intervals per node (see RowsMeet).
struct TSpans {
    int32_t row = 0;
    int32_t inLo = 0, inHi = 0;     // own row and the rows of entering works
    int32_t outLo = 0, outHi = 0;   // own row and the rows of leaving works
    int32_t lo() const { return std::min(inLo, outLo); }
    int32_t hi() const { return std::max(inHi, outHi); }
};

// M's rows meet N's when N's row lies within M's rows, M's row within N's,
// or their entering rows or their leaving rows overlap.
bool RowsMeet(const TSpans& n, const TSpans& m)
{
    return (m.lo() <= n.row && n.row <= m.hi()) || (n.lo() <= m.row && m.row <= n.hi()) ||
           (m.inLo <= n.inHi && n.inLo <= m.inHi) || (m.outLo <= n.outHi && n.outLo <= m.outHi);
}

// Finds the first node of an index range whose rows meet a given node's.
// Each tree node keeps, per test, the lowest start and highest end of the
// intervals below it, so whole ranges that cannot meet are passed over.
class TMeetTree {
public:
    explicit TMeetTree(const std::vector<TSpans>& s) : spans_(s)
    {
        size_ = 1;
        while (size_ < s.size()) size_ *= 2;
        box_.assign(2 * size_, TBox{});
        for (size_t i = 0; i < s.size(); ++i) {
            TBox& b = box_[size_ + i];
            b.lo = {s[i].lo(), s[i].row, s[i].inLo, s[i].outLo};
            b.hi = {s[i].hi(), s[i].row, s[i].inHi, s[i].outHi};
        }
        for (size_t i = size_ - 1; i >= 1; --i) {
            for (int k = 0; k < 4; ++k) {
                box_[i].lo[k] = std::min(box_[2 * i].lo[k], box_[2 * i + 1].lo[k]);
                box_[i].hi[k] = std::max(box_[2 * i].hi[k], box_[2 * i + 1].hi[k]);
            }
        }
    }

    // First j in [from, to) with RowsMeet(n, spans[j]), or -1.
    int64_t First(size_t from, size_t to, const TSpans& n) const
    {
        if (from >= to) return -1;
        const int32_t qlo[4] = {n.row, n.lo(), n.inLo, n.outLo};
        const int32_t qhi[4] = {n.row, n.hi(), n.inHi, n.outHi};
        auto mayMeet = [&](const TBox& b) {
            for (int k = 0; k < 4; ++k)
                if (b.lo[k] <= qhi[k] && qlo[k] <= b.hi[k]) return true;
            return false;
        };
        // Depth-first, left before right, on an explicit stack.
        struct TItem {
            size_t node, lo, hi;
        };
        TItem stack[2 * 64];
        size_t top = 0;
        stack[top++] = {1, 0, size_};
        while (top > 0) {
            const TItem it = stack[--top];
            if (it.hi <= from || it.lo >= to || !mayMeet(box_[it.node])) continue;
            if (it.hi - it.lo == 1) {
                if (it.lo < spans_.size() && RowsMeet(n, spans_[it.lo])) return int64_t(it.lo);
                continue;
            }
            const size_t mid = (it.lo + it.hi) / 2;
            stack[top++] = {2 * it.node + 1, mid, it.hi};
            stack[top++] = {2 * it.node, it.lo, mid};
        }
        return -1;
    }

private:
    struct TBox {
        std::array<int32_t, 4> lo{std::numeric_limits<int32_t>::max(),
                                  std::numeric_limits<int32_t>::max(),
                                  std::numeric_limits<int32_t>::max(),
                                  std::numeric_limits<int32_t>::max()};
        std::array<int32_t, 4> hi{std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::min()};
    };
    const std::vector<TSpans>& spans_;
    size_t size_ = 1;
    std::vector<TBox> box_;
};

class TDisplacementPass {
public:
    explicit TDisplacementPass(Tpertgra& net) : net_(net) {}

    void Run()
    {
        net_.displacements.clear();
        net_.nodePairs.clear();
        for (const auto& v : net_.nodes) v->xOffset = 0;
        list_ = net_.TimeOrder();
        const size_t n = list_.size();
        if (n == 0) return;
        minLength_ = net_.displaySettings.minWorkLength;
        Prepare();
        BuildPairs();
        MinimumLengths();
        Alignments();
        LowerFirstShifts();
        Store();
    }

private:
    Tvertex* Node(size_t i) const { return list_[i]; }
    // XOfTime (strict) of node i's time, on the working-time axis.
    double XOfTimeAt(size_t i) const
    {
        return base_[i] + double(sums_->Prefix(before_[i]));
    }
    double X(size_t i) const { return XOfTimeAt(i) + list_[i]->xOffset; }

    void Prepare()
    {
        const size_t n = list_.size();
        const double x0 = X0(net_);
        posOf_.assign(net_.nodes.size(), -1);
        base_.resize(n);
        std::vector<double> times(n);
        for (size_t i = 0; i < n; ++i) {
            times[i] = double(list_[i]->time);
            base_[i] = x0 + net_.timeScale.XOfDay(times[i]);
            const int32_t s = net_.IndexOfNode(list_[i]);
            if (s >= 0) posOf_[size_t(s)] = int64_t(i);
        }
        keys_ = times;
        std::sort(keys_.begin(), keys_.end());
        keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
        keyOf_.resize(n);
        before_.resize(n);
        for (size_t i = 0; i < n; ++i) {
            keyOf_[i] = size_t(std::lower_bound(keys_.begin(), keys_.end(), times[i]) - keys_.begin());
            // Entries strictly before a time: keys at most time - 1e-8.
            before_[i] = size_t(std::upper_bound(keys_.begin(), keys_.end(), times[i] - kSameTime) -
                                keys_.begin());
        }
        sums_ = std::make_unique<TShiftSums>(keys_.size());
        entryOfKey_.assign(keys_.size(), -1);
    }

    int64_t Pos(const Tvertex* v) const
    {
        const int32_t s = net_.IndexOfNode(v);
        return s >= 0 ? posOf_[size_t(s)] : -1;
    }

    void BuildPairs()
    {
        const size_t n = list_.size();
        std::vector<TSpans> spans(n);
        for (size_t i = 0; i < n; ++i) {
            const Tvertex* v = list_[i];
            TSpans& s = spans[i];
            s.row = s.inLo = s.inHi = s.outLo = s.outHi = v->row;
            for (const Tedge* w : net_.WorksInto(v)) {
                s.inLo = std::min(s.inLo, w->row);
                s.inHi = std::max(s.inHi, w->row);
            }
            for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
                s.outLo = std::min(s.outLo, w->row);
                s.outHi = std::max(s.outHi, w->row);
            }
        }
        // With nothing displaced yet, x follows the time order, so the nodes
        // closer than the minimum length after a node are the ones up to the
        // first that is not.
        partner_.assign(n, -1);
        const TMeetTree tree(spans);
        size_t end = 0;
        for (size_t i = 0; i < n; ++i) {
            end = std::max(end, i + 1);
            while (end < n && base_[end] - base_[i] < minLength_) ++end;
            const int64_t j = tree.First(i + 1, end, spans[i]);
            if (j >= 0) {
                partner_[i] = j;
                net_.nodePairs.emplace_back(list_[i], list_[size_t(j)]);
            }
        }
    }

    // The end node j of a work from i (or the partner j of i) is pushed
    // right so that it lies minLength_ right of i, and its time entered.
    void Push(size_t i, size_t j)
    {
        const int32_t di = list_[i]->xOffset;
        const bool sameTime = std::fabs(double(list_[j]->time) - double(list_[i]->time)) < kSameTime;
        const int32_t d = sameTime ? Trunc(double(minLength_) + di)
                                   : Trunc(minLength_ - (XOfTimeAt(j) - XOfTimeAt(i) - di));
        list_[j]->xOffset = d;
        Enter(j, d);
    }

    void Enter(size_t j, int32_t d)
    {
        const size_t key = keyOf_[j];
        int64_t& e = entryOfKey_[key];
        if (e < 0) {
            e = int64_t(table_.size());
            table_.push_back(TEntry{list_[j]->time, d, d, key});
            sums_->Add(key, d);
        } else if (d > table_[size_t(e)].shift) {
            sums_->Add(key, int64_t(d) - table_[size_t(e)].shift);
            table_[size_t(e)].shift = d;
        }
    }

    void MinimumLengths()
    {
        for (size_t i = 0; i < list_.size(); ++i) {
            for (const Tedge* w = list_[i]->firstWork; w; w = w->nextWork) {
                if (w->data->IsDummy() || w->data->IsMilestone()) continue;
                const int64_t j = Pos(w->toNode);
                if (j < 0) continue;
                if (X(size_t(j)) - X(i) < minLength_) Push(i, size_t(j));
            }
        }
    }

    void Alignments()
    {
        for (size_t k = 0; k + 1 < list_.size(); ++k) {
            const size_t next = k + 1;
            if (X(next) < X(k)) list_[next]->xOffset = Trunc(X(k) - XOfTimeAt(next));
            const int64_t p = partner_[k];
            if (p >= 0 && !net_.IsMilestoneEnd(list_[size_t(p)]) &&
                X(size_t(p)) - X(k) < minLength_)
                Push(k, size_t(p));
        }
    }

    void LowerFirstShifts()
    {
        std::vector<int32_t> least(keys_.size(), std::numeric_limits<int32_t>::max());
        for (size_t i = 0; i < list_.size(); ++i)
            least[keyOf_[i]] = std::min(least[keyOf_[i]], list_[i]->xOffset);
        for (TEntry& e : table_) {
            const double day = double(e.day);
            for (size_t k = e.key + 1; k-- > 0 && std::fabs(keys_[k] - day) < kSameEntry;)
                e.firstShift = std::min(e.firstShift, least[k]);
            for (size_t k = e.key + 1; k < keys_.size() && std::fabs(keys_[k] - day) < kSameEntry; ++k)
                e.firstShift = std::min(e.firstShift, least[k]);
        }
    }

    void Store()
    {
        net_.displacements.reserve(table_.size());
        for (const TEntry& e : table_)
            net_.displacements.push_back(std::make_unique<Tdisplace>(e.day, e.shift, e.firstShift));
    }

    struct TEntry {
        float day;
        int32_t shift;
        int32_t firstShift;
        size_t key;
    };

    Tpertgra& net_;
    std::vector<Tvertex*> list_;
    int32_t minLength_ = 28;
    std::vector<int64_t> posOf_;     // storage index -> position in list_
    std::vector<double> base_;       // X0 + XOfDay(time)
    std::vector<double> keys_;       // distinct times, ascending
    std::vector<size_t> keyOf_;
    std::vector<size_t> before_;     // keys strictly before the node's time
    std::unique_ptr<TShiftSums> sums_;
    std::vector<int64_t> entryOfKey_;
    std::vector<TEntry> table_;      // in the order entered
    std::vector<int64_t> partner_;
};

}

void ComputeDisplacements(Tpertgra& net)
{
    TDisplacementPass(net).Run();
}

void PlaceNodesAndWorks(Tpertgra& net, double xf, double yf)
{
    const TTimeAxis axis(net);
    const bool shifted = axis.HasShifts();
    const double y0 = Y0(net);
    const double rowHeight = RowHeight(net);
    for (const auto& v : net.nodes) {
        const double x = axis.XOfTime(CalendarDayOfFinish(net, v->time), TShiftCount::Before) +
                         (shifted ? v->xOffset : 0);
        v->x = Trunc(xf * x);
        v->y = Trunc(yf * (y0 + v->row * rowHeight));
    }
    bool dummy = false, auxiliary = false, suspended = false;
    for (const auto& v : net.nodes) {
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            const Tworkdata& d = *w->data;
            dummy = dummy || d.IsDummy();
            auxiliary = auxiliary || d.IsAuxiliary();
            suspended = suspended || d.IsKind(WorkKind::Suspended);
            if (w->row < 0) w->row = 0;
            const Tvertex* from = w->fromNode ? w->fromNode : v.get();
            const Tvertex* to = w->toNode;
            TWorkGeometry g;
            g.fromX = from->x;
            g.fromY = from->y;
            g.toX = to ? to->x : from->x;
            g.toY = to ? to->y : from->y;
            g.lineY = Trunc(yf * (y0 + w->row * rowHeight));
            g.startJoinY = from->row == w->row ? g.fromY : g.lineY;
            g.endJoinY = to && to->row == w->row ? g.toY : g.lineY;
            const double finish = double(d.start) + double(d.duration);
            g.lineStartX = Trunc(xf * axis.XOfTime(CalendarDay(net, d.start), TShiftCount::AtOrBefore));
            g.lineEndX = Trunc(xf * axis.XOfTime(CalendarDayOfFinish(net, finish),
                                                 TShiftCount::AtOrBefore));
            if (shifted) {
                if (std::fabs(double(d.start) - double(from->time)) < kSameTime)
                    g.lineStartX = g.fromX;
                if (to && std::fabs(finish - double(to->time)) < kSameTime) g.lineEndX = g.toX;
            }
            if (d.duration == 0) g.lineStartX = g.lineEndX = g.fromX;
            g.lineStartX = std::max(g.lineStartX, g.fromX);
            g.StoreInto(*w);
        }
    }
    TPertTuli& legend = net.grid->explain.legend;
    legend.hasDummy = dummy;
    legend.hasAuxiliary = auxiliary;
    legend.hasSuspended = suspended;
}

void LayoutNetwork(Tpertgra& net, double xf, double yf)
{
    net.ComputeAndPull();
    // Rows are raised before the tidying step hands work rows to nodes, so
    // no node takes a negative row from its work.
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->row < 0) w->row = 0;
    net.TidyNetwork();
    ComputeDisplacements(net);
    PlaceNodesAndWorks(net, xf, yf);
}
