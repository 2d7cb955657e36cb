#include "drawing/Layoutpass.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>
#include <vector>

#include "drawing/Biaozhudraw.h"
#include "drawing/Displace.h"
#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Framelayout.h"
#include "drawing/Groupops.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "drawing/Tpertgrid.h"
#include "drawing/Workgeometry.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "resources/Resourcecatalogue.h"
#include "resources/Resourcediagram.h"
#include "schedule/Calendar.h"
#include "schedule/Logicpert.h"

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

// Kinds of work the layout tells apart.
enum : uint8_t { kDummy = 1, kMilestone = 2, kAuxiliary = 4, kSuspended = 8 };

uint8_t KindFlags(const std::string& k)
{
    // Every kind text is three or four characters of three bytes; compares
    // of a fixed length are a few word compares.
    const char* c = k.data();
    if (k.size() == 9) {
        if (std::memcmp(c, WorkKind::Dummy, 9) == 0) return kDummy;
        if (std::memcmp(c, WorkKind::Milestone, 9) == 0) return kMilestone;
    } else if (k.size() == 12) {
        if (std::memcmp(c, WorkKind::Auxiliary, 12) == 0) return kAuxiliary;
        if (std::memcmp(c, WorkKind::Suspended, 12) == 0) return kSuspended;
    }
    return 0;
}

// Everything the layout reads of the nodes and works, gathered in one walk
// over the network into flat arrays: a work and its data record are far
// apart in memory, and every further walk over them would cost as much as
// the whole computation on the arrays.
struct TLayoutInput {
    struct TWork {
        Tedge* work;
        int32_t to;        // slot of the end node, -1 when it is not stored
        int32_t row;
        float start;
        float duration;
        uint8_t kind;
    };

    // by node slot (storage order)
    std::vector<Tvertex*> node;
    std::vector<float> time;
    std::vector<int32_t> row;
    std::vector<int32_t> workBegin;   // works of slot s: [workBegin[s], workBegin[s + 1])
    std::vector<uint8_t> milestoneEnd;
    // in storage order of their from-nodes and list order
    std::vector<TWork> works;

    explicit TLayoutInput(const Tpertgra& net)
    {
        const size_t n = net.nodes.size();
        node.resize(n);
        time.resize(n);
        row.resize(n);
        workBegin.assign(n + 1, 0);
        milestoneEnd.assign(n, 0);
        if (n == 0) return;
        // Asking for one slot brings every node's slot up to date.
        net.IndexOfNode(net.nodes.front().get());
        std::vector<int32_t> inCount(n), outCount(n);
        size_t total = 0;
        for (size_t s = 0; s < n; ++s) {
            Tvertex* v = net.nodes[s].get();
            node[s] = v;
            time[s] = v->time;
            row[s] = v->row;
            inCount[s] = v->inCount;
            outCount[s] = v->outCount;
            total += size_t(std::max(0, v->outCount));
        }
        works.reserve(total);
        for (size_t s = 0; s < n; ++s) {
            for (Tedge* w = node[s]->firstWork; w; w = w->nextWork) {
                const Tworkdata& d = *w->data;
                const Tvertex* t = w->toNode;
                const int32_t slot = t && t->slot >= 0 && size_t(t->slot) < n && node[size_t(t->slot)] == t
                                         ? t->slot
                                         : -1;
                works.push_back(TWork{w, slot, w->row, d.start, d.duration, KindFlags(d.kind)});
            }
            workBegin[s + 1] = int32_t(works.size());
        }
        // The outer node of a milestone: a start node whose single work is a
        // milestone, or an end node whose single entering work is one.
        for (size_t s = 0; s < n; ++s) {
            const int32_t b = workBegin[s], e = workBegin[s + 1];
            if (inCount[s] == 0 && outCount[s] == 1 && e - b == 1 &&
                (works[size_t(b)].kind & kMilestone))
                milestoneEnd[s] = 1;
            for (int32_t k = b; k < e; ++k) {
                const int32_t t = works[size_t(k)].to;
                if (t >= 0 && (works[size_t(k)].kind & kMilestone) && inCount[size_t(t)] == 1 &&
                    workBegin[size_t(t)] == workBegin[size_t(t) + 1])
                    milestoneEnd[size_t(t)] = 1;
            }
        }
    }

    // The slot of a node of the network (its slot field is current).
    int32_t SlotOf(const Tvertex* v) const
    {
        return v && v->slot >= 0 && size_t(v->slot) < node.size() && node[size_t(v->slot)] == v
                   ? v->slot
                   : -1;
    }
};

class TDisplacementPass {
public:
    TDisplacementPass(Tpertgra& net, const TLayoutInput& in) : net_(net), in_(in) {}

    void Run()
    {
        net_.displacements.clear();
        net_.nodePairs.clear();
        std::vector<Tvertex*> list = net_.TimeOrder();
        const size_t n = list.size();
        pos_.assign(n, TPos{});
        posOf_.assign(in_.node.size(), -1);
        for (size_t i = 0; i < n; ++i) {
            const int32_t s = in_.SlotOf(list[i]);
            pos_[i].slot = s;
            pos_[i].time = s >= 0 ? in_.time[size_t(s)] : list[i]->time;
            if (s >= 0) posOf_[size_t(s)] = int64_t(i);
        }
        if (n > 0) {
            minLength_ = net_.displaySettings.minWorkLength;
            Prepare();
            BuildPairs();
            MinimumLengths();
            Alignments();
            LowerFirstShifts();
            Store();
        }
        for (Tvertex* v : in_.node) v->xOffset = 0;
        for (size_t i = 0; i < n; ++i) list[i]->xOffset = pos_[i].disp;
    }

private:
    // What the pass keeps of the node at one position of the time order.
    struct TPos {
        double base = 0;      // X0 + XOfDay(time)
        uint32_t before = 0;  // number of keys strictly before the time
        uint32_t key = 0;     // the time's key
        int32_t disp = 0;     // displacement
        int32_t slot = -1;
        float time = 0;
    };

    // XOfTime (strict) of the time at position i, on the working-time axis.
    double XOfTimeAt(size_t i) const { return pos_[i].base + double(sums_->Prefix(pos_[i].before)); }
    double X(size_t i) const { return XOfTimeAt(i) + pos_[i].disp; }

    void Prepare()
    {
        const double x0 = X0(net_);
        keys_.resize(pos_.size());
        for (size_t i = 0; i < pos_.size(); ++i) {
            keys_[i] = double(pos_[i].time);
            pos_[i].base = x0 + net_.timeScale.XOfDay(keys_[i]);
        }
        std::sort(keys_.begin(), keys_.end());
        keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
        for (TPos& p : pos_) {
            const double t = double(p.time);
            p.key = uint32_t(std::lower_bound(keys_.begin(), keys_.end(), t) - keys_.begin());
            // Entries strictly before a time: keys at most time - 1e-8.
            p.before = uint32_t(std::upper_bound(keys_.begin(), keys_.end(), t - kSameTime) -
                                keys_.begin());
        }
        sums_ = std::make_unique<TShiftSums>(keys_.size());
        entryOfKey_.assign(keys_.size(), -1);
    }

    // Node spans, and the works the minimum length applies to as pairs of
    // positions in time order, sorted by their start position (stable, so
    // each node's works keep their list order).
    void BuildPairs()
    {
        const size_t n = pos_.size();
        std::vector<TSpans> spans(n);
        for (size_t i = 0; i < n; ++i) {
            TSpans& sp = spans[i];
            const int32_t r = pos_[i].slot >= 0 ? in_.row[size_t(pos_[i].slot)] : 0;
            sp.row = sp.inLo = sp.inHi = sp.outLo = sp.outHi = r;
        }
        std::vector<uint32_t> count(n + 1, 0);
        std::vector<std::pair<uint32_t, uint32_t>> edges;
        edges.reserve(in_.works.size());
        for (size_t s = 0; s < in_.node.size(); ++s) {
            const int64_t fi = posOf_[s];
            if (fi < 0) continue;
            TSpans& from = spans[size_t(fi)];
            for (int32_t k = in_.workBegin[s]; k < in_.workBegin[s + 1]; ++k) {
                const TLayoutInput::TWork& w = in_.works[size_t(k)];
                from.outLo = std::min(from.outLo, w.row);
                from.outHi = std::max(from.outHi, w.row);
                const int64_t ti = w.to >= 0 ? posOf_[size_t(w.to)] : -1;
                if (ti < 0) continue;
                TSpans& into = spans[size_t(ti)];
                into.inLo = std::min(into.inLo, w.row);
                into.inHi = std::max(into.inHi, w.row);
                if (!(w.kind & (kDummy | kMilestone))) {
                    edges.emplace_back(uint32_t(fi), uint32_t(ti));
                    ++count[size_t(fi) + 1];
                }
            }
        }
        for (size_t i = 0; i < n; ++i) count[i + 1] += count[i];
        lengthEdges_.resize(edges.size());
        for (const auto& e : edges) lengthEdges_[count[e.first]++] = e;

        // With nothing displaced yet, x follows the time order, so the nodes
        // closer than the minimum length after a node are the ones up to the
        // first that is not. The partner is nearly always among the first few
        // of them; the tree answers for the rest, so that many nodes of one
        // day on rows that never meet cost n log n and not n squared.
        constexpr size_t kScan = 32;
        partner_.assign(n, -1);
        std::unique_ptr<TMeetTree> tree;
        size_t end = 0;
        for (size_t i = 0; i < n; ++i) {
            end = std::max(end, i + 1);
            while (end < n && pos_[end].base - pos_[i].base < minLength_) ++end;
            int64_t j = -1;
            const size_t scanEnd = std::min(end, i + 1 + kScan);
            for (size_t k = i + 1; k < scanEnd; ++k)
                if (RowsMeet(spans[i], spans[k])) {
                    j = int64_t(k);
                    break;
                }
            if (j < 0 && scanEnd < end) {
                if (!tree) tree = std::make_unique<TMeetTree>(spans);
                j = tree->First(scanEnd, end, spans[i]);
            }
            if (j >= 0) partner_[i] = j;
        }
    }

    // The end node j of a work from i (or the partner j of i) is pushed
    // right so that it lies minLength_ right of i, and its time entered.
    void Push(size_t i, size_t j)
    {
        const int32_t di = pos_[i].disp;
        const bool sameTime = std::fabs(double(pos_[j].time) - double(pos_[i].time)) < kSameTime;
        const int32_t d = sameTime ? Trunc(double(minLength_) + di)
                                   : Trunc(minLength_ - (XOfTimeAt(j) - XOfTimeAt(i) - di));
        pos_[j].disp = d;
        Enter(j, d);
    }

    void Enter(size_t j, int32_t d)
    {
        const size_t key = pos_[j].key;
        int64_t& e = entryOfKey_[key];
        if (e < 0) {
            e = int64_t(table_.size());
            table_.push_back(TEntry{pos_[j].time, d, d, key});
            sums_->Add(key, d);
        } else if (d > table_[size_t(e)].shift) {
            sums_->Add(key, int64_t(d) - table_[size_t(e)].shift);
            table_[size_t(e)].shift = d;
        }
    }

    void MinimumLengths()
    {
        for (const auto& [i, j] : lengthEdges_)
            if (X(j) - X(i) < minLength_) Push(i, j);
    }

    void Alignments()
    {
        for (size_t k = 0; k + 1 < pos_.size(); ++k) {
            const size_t next = k + 1;
            if (X(next) < X(k)) pos_[next].disp = Trunc(X(k) - XOfTimeAt(next));
            const int64_t p = partner_[k];
            if (p >= 0 && !in_.milestoneEnd[size_t(pos_[size_t(p)].slot)] &&
                X(size_t(p)) - X(k) < minLength_)
                Push(k, size_t(p));
        }
    }

    void LowerFirstShifts()
    {
        std::vector<int32_t> least(keys_.size(), std::numeric_limits<int32_t>::max());
        for (const TPos& p : pos_) least[p.key] = std::min(least[p.key], p.disp);
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
        for (size_t i = 0; i < partner_.size(); ++i)
            if (partner_[i] >= 0)
                net_.nodePairs.emplace_back(in_.node[size_t(pos_[i].slot)],
                                            in_.node[size_t(pos_[size_t(partner_[i])].slot)]);
    }

    struct TEntry {
        float day;
        int32_t shift;
        int32_t firstShift;
        size_t key;
    };

    Tpertgra& net_;
    const TLayoutInput& in_;
    int32_t minLength_ = 28;
    std::vector<TPos> pos_;          // by position in time order
    std::vector<int64_t> posOf_;     // node slot -> position in time order
    std::vector<double> keys_;       // distinct times, ascending
    std::unique_ptr<TShiftSums> sums_;
    std::vector<int64_t> entryOfKey_;
    std::vector<TEntry> table_;      // in the order entered
    std::vector<int64_t> partner_;
    std::vector<std::pair<uint32_t, uint32_t>> lengthEdges_;
};

void Place(Tpertgra& net, const TLayoutInput& in, double xf, double yf)
{
    const TTimeAxis axis(net);
    const bool shifted = axis.HasShifts();
    const double y0 = Y0(net);
    const double rowHeight = RowHeight(net);
    const size_t n = in.node.size();
    std::vector<int32_t> x(n), y(n);
    for (size_t s = 0; s < n; ++s) {
        Tvertex* v = in.node[s];
        const double nx = axis.XOfTime(CalendarDayOfFinish(net, in.time[s]), TShiftCount::Before) +
                          (shifted ? v->xOffset : 0);
        x[s] = v->x = Trunc(xf * nx);
        y[s] = v->y = Trunc(yf * (y0 + in.row[s] * rowHeight));
    }
    uint8_t kinds = 0;
    for (size_t s = 0; s < n; ++s) {
        for (int32_t k = in.workBegin[s]; k < in.workBegin[s + 1]; ++k) {
            const TLayoutInput::TWork& w = in.works[size_t(k)];
            kinds |= w.kind;
            const int32_t r = std::max(0, w.row);
            const int32_t t = w.to;
            const double start = w.start;
            const double finish = start + double(w.duration);
            TWorkGeometry g;
            g.fromX = x[s];
            g.fromY = y[s];
            g.toX = t >= 0 ? x[size_t(t)] : g.fromX;
            g.toY = t >= 0 ? y[size_t(t)] : g.fromY;
            g.lineY = Trunc(yf * (y0 + r * rowHeight));
            g.startJoinY = in.row[s] == r ? g.fromY : g.lineY;
            g.endJoinY = t >= 0 && in.row[size_t(t)] == r ? g.toY : g.lineY;
            if (w.duration == 0) {
                g.lineStartX = g.lineEndX = g.fromX;
            } else {
                // With displacements a work at its node's time takes the
                // node's x; only the others need the calendar and the axis.
                if (shifted && std::fabs(start - double(in.time[s])) < kSameTime)
                    g.lineStartX = g.fromX;
                else
                    g.lineStartX = Trunc(xf * axis.XOfTime(CalendarDay(net, start),
                                                           TShiftCount::AtOrBefore));
                if (shifted && t >= 0 && std::fabs(finish - double(in.time[size_t(t)])) < kSameTime)
                    g.lineEndX = g.toX;
                else
                    g.lineEndX = Trunc(xf * axis.XOfTime(CalendarDayOfFinish(net, finish),
                                                         TShiftCount::AtOrBefore));
            }
            g.lineStartX = std::max(g.lineStartX, g.fromX);
            Tedge& e = *w.work;
            e.row = r;
            g.StoreInto(e);
        }
    }
    TPertTuli& legend = net.grid->explain.legend;
    legend.hasDummy = (kinds & kDummy) != 0;
    legend.hasAuxiliary = (kinds & kAuxiliary) != 0;
    legend.hasSuspended = (kinds & kSuspended) != 0;
}

// The drawing's geometry for the logic layout; the time axis is built once
// the displacement pass has filled the table.
class TLogicAxis : public ILogicAxis {
public:
    explicit TLogicAxis(Tpertgra& net) : net_(net), y0_(::Y0(net)), rowHeight_(::RowHeight(net)) {}
    double Y0() const override { return y0_; }
    double RowHeight() const override { return rowHeight_; }
    void Displace(Tpertgra& net) override
    {
        const TLayoutInput in(net);
        TDisplacementPass(net, in).Run();
        axis_.reset();
    }
    double XOfDay(double day) override
    {
        if (!axis_) axis_ = std::make_unique<TTimeAxis>(net_);
        return axis_->XOfTime(day, TShiftCount::Before);
    }

private:
    Tpertgra& net_;
    double y0_;
    double rowHeight_;
    std::unique_ptr<TTimeAxis> axis_;
};

void SetLegendKinds(Tpertgra& net)
{
    uint8_t kinds = 0;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->data) kinds |= KindFlags(w->data->kind);
    TPertTuli& legend = net.grid->explain.legend;
    legend.hasDummy = (kinds & kDummy) != 0;
    legend.hasAuxiliary = (kinds & kAuxiliary) != 0;
    legend.hasSuspended = (kinds & kSuspended) != 0;
}

}

void ComputeDisplacements(Tpertgra& net)
{
    const TLayoutInput in(net);
    TDisplacementPass(net, in).Run();
}

void PlaceNodesAndWorks(Tpertgra& net, double xf, double yf)
{
    const TLayoutInput in(net);
    Place(net, in, xf, yf);
}

void LayoutTidiedNetwork(Tpertgra& net, double xf, double yf)
{
    // Derived resource amounts follow the durations; the custom store has a
    // day for every whole day of the plan, so the resource tool can store into it.
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) RecomputeAmounts(*w->data);
    ResizeCustomDays(net, DiagramDays(net));
    if (ViewKind(net) == 2) {
        TLogicAxis axis(net);
        LayoutLogicNetwork(net, 1.0, axis);
        if (xf != 1.0 || yf != 1.0) ScaleLogicNetwork(net, xf, yf, axis);
        SetLegendKinds(net);
        PlaceAnnotations(net);
        return;
    }
    const TLayoutInput in(net);
    TDisplacementPass(net, in).Run();
    Place(net, in, xf, yf);
    StackGroups(net);
    PlaceAnnotations(net);
    if (ViewKind(net) == 0) net.liveGantt.LayoutGantt(net, TPertDrawMode(nullptr, dkScreen, xf, yf));
}
