// The time computation and the placement rules of the network container.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>

#include "model/Pertgra.h"
#include "model/Sortbytime.h"
#include "model/Structurecache.h"

namespace {

bool PushesEnd(const Tedge* w) { return !w->data->IsAuxiliary(); }

// SetNodeTime that tells whether any node's time changed.
bool SetNodeTimeChanging(Tpertgra& net, Tvertex* node, float t);

}

void Tpertgra::Recalculate()
{
    InvalidateStructure();
    RecheckAuxiliaries();
    Renumber();
    std::vector<Tvertex*> list = TimeOrder();
    // The time order depends on the node times alone: when placing the
    // first node moved none, the order just made is the one the time
    // computation would sort again.
    const bool moved = !list.empty() && SetNodeTimeChanging(*this, list.front(), 0);
    Cache();
    if (!moved) cache_->timeOrder = &list;
    ComputeTimesImpl(false);
    cache_->timeOrder = nullptr;
}

void Tpertgra::Reschedule()
{
    InvalidateStructure();
    Renumber();
    ComputeTimes();
}

void Tpertgra::ComputeTimes()
{
    ComputeTimesImpl(false);
}

void Tpertgra::ComputeTimesLiteral()
{
    ComputeTimesImpl(true);
}

// The pass over a list of nodes in time order. It runs on the flat arrays
// of the lookup index when every work of the list ends at a node of the
// network; the plain form over the nodes and works is kept for the rest.
// Both perform the same float operations in the same order.
void Tpertgra::TimePass(const std::vector<Tvertex*>& list)
{
    const size_t n = list.size();
    if (n == 0) return;
    const StructureCache& cc = Cache();
    StructureCache& c = *cache_;
    // The arrays hold values for the listed nodes only: the list must be
    // closed under leaving works (the whole order, or a part no work leaves).
    bool indexed = !cc.dangling;
    if (c.mark.size() != c.nodeCount) c.mark.assign(c.nodeCount, 0);
    if (++c.markGeneration == 0) {
        std::fill(c.mark.begin(), c.mark.end(), 0);
        c.markGeneration = 1;
    }
    const uint32_t gen = c.markGeneration;
    bool distinct = true;
    for (size_t i = 0; i < n && indexed; ++i) {
        if (i + 16 < n) __builtin_prefetch(list[i + 16], 0);
        const int32_t s = IndexOfNode(list[i]);
        indexed = s >= 0;
        if (!indexed) break;
        distinct = distinct && c.mark[size_t(s)] != gen;
        c.mark[size_t(s)] = gen;
    }
    for (size_t i = 0; i < n && indexed; ++i) {
        const int32_t s = list[i]->slot;
        for (int32_t k = c.outBegin[size_t(s)]; k < c.outBegin[size_t(s) + 1] && indexed; ++k)
            indexed = c.mark[size_t(c.outTo[size_t(k)])] == gen;
    }
    if (!indexed) {
        TimePassPlain(list);
        return;
    }
    c.earliest.resize(c.nodeCount);
    c.latest.resize(c.nodeCount);
    c.critical.resize(c.nodeCount);
    c.duration.resize(c.outWork.size());
    const int32_t* ob = c.outBegin.data();
    const int32_t* to = c.outTo.data();
    float* e = c.earliest.data();
    float* l = c.latest.data();
    float* dur = c.duration.data();
    // Each work's data lies in a record of its own on the heap; the reads
    // and writes of all works are misses that wait on memory one after the
    // other unless they are asked for ahead. When the list holds every node
    // the works are visited in storage order with the records fetched a few
    // works ahead; the values of one work never depend on another's visit,
    // so any order gives the same results.
    const bool whole = distinct && n == c.nodeCount;
    Tedge* const* ow = c.outWork.data();
    const size_t works = c.outWork.size();
    constexpr size_t kAheadEdge = 16;
    constexpr size_t kAheadData = 8;
    auto fetchAhead = [&](size_t k, bool write) {
        if (k + kAheadEdge < works) __builtin_prefetch(ow[k + kAheadEdge], 0);
        if (k + kAheadData < works) {
            const Tworkdata* d = ow[k + kAheadData]->data.get();
            __builtin_prefetch(&d->duration, 0);
            if (write) __builtin_prefetch(&d->es, 1);
        }
    };
    if (whole) {
        for (size_t s = 0; s < n; ++s) {
            const Tvertex* v = nodes[s].get();
            e[s] = v->inCount == 0 ? v->time : 0.0f;
        }
    } else {
        for (Tvertex* v : list) {
            const int32_t s = v->slot;
            e[s] = v->inCount == 0 ? v->time : 0.0f;
        }
    }
    if (whole) {
        for (size_t k = 0; k < works; ++k) {
            fetchAhead(k, false);
            dur[k] = ow[k]->data->duration;
        }
    } else {
        for (Tvertex* v : list) {
            const int32_t s = v->slot;
            for (int32_t k = ob[s]; k < ob[s + 1]; ++k) dur[k] = ow[k]->data->duration;
        }
    }
    for (Tvertex* v : list) {
        const int32_t s = v->slot;
        for (int32_t k = ob[s]; k < ob[s + 1]; ++k) {
            const float reach = e[s] + dur[k];
            if (e[to[k]] <= reach) e[to[k]] = reach;
        }
    }
    // The latest times start from the largest earliest time of the list.
    // That is the last node's whenever the drawn times agree with the plan;
    // where they do not (two end nodes at the same day in the other order,
    // a node left later than the plan needs) the last node's would give
    // works a latest start before their earliest.
    float last = e[list.back()->slot];
    for (Tvertex* v : list) last = std::max(last, e[v->slot]);
    for (Tvertex* v : list) l[v->slot] = last;
    // Positions n-2 down to 1: neither the first nor the last node is visited.
    for (size_t i = n >= 3 ? n - 2 : 0; n >= 3 && i >= 1; --i) {
        const int32_t s = list[i]->slot;
        for (int32_t k = ob[s]; k < ob[s + 1]; ++k) {
            const float x = l[to[k]] - dur[k];
            if (x < l[s]) l[s] = x;
        }
    }
    for (Tvertex* v : list) c.critical[size_t(v->slot)] = 0;
    auto settle = [&](const Tvertex* v, int32_t s) {
        for (int32_t k = ob[s]; k < ob[s + 1]; ++k) {
            if (whole) fetchAhead(size_t(k), true);
            Tworkdata& d = *ow[k]->data;
            d.es = e[s];
            d.ls = l[to[k]] - dur[k];
            const float esp = d.es < 0.0001f ? 0.0f : d.es;
            const float lsp = d.ls < 0.0001f ? 0.0f : d.ls;
            if (lsp == esp || double(lsp - esp) < 0.0001) {
                d.critical = true;
                c.critical[size_t(s)] = 1;
                c.critical[size_t(to[k])] = 1;
            } else {
                d.critical = false;
            }
            if (d.start > lsp) d.start = lsp;
            if (d.start < esp) d.start = esp;
            if (d.start < v->time - 1e-6f) c.startsBeforeNode = true;
        }
    };
    if (whole) {
        for (size_t s = 0; s < n; ++s) settle(nodes[s].get(), int32_t(s));
    } else {
        for (Tvertex* v : list) settle(v, v->slot);
    }
    auto store = [&](Tvertex* v, size_t s) {
        v->earliest = e[s];
        v->latest = l[s];
        v->critical = c.critical[s] != 0;
    };
    if (whole) {
        for (size_t s = 0; s < n; ++s) store(nodes[s].get(), s);
    } else {
        for (Tvertex* v : list) store(v, size_t(v->slot));
    }
}

void Tpertgra::TimePassPlain(const std::vector<Tvertex*>& list)
{
    const size_t n = list.size();
    if (n == 0) return;
    for (Tvertex* v : list) v->earliest = v->inCount == 0 ? v->time : 0.0f;
    for (Tvertex* v : list)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            Tvertex* e = w->toNode;
            const float reach = v->earliest + w->data->duration;
            if (e->earliest <= reach) e->earliest = reach;
        }
    float last = list.back()->earliest;
    for (Tvertex* v : list) last = std::max(last, v->earliest);
    for (Tvertex* v : list) v->latest = last;
    for (size_t i = n >= 3 ? n - 2 : 0; n >= 3 && i >= 1; --i) {
        Tvertex* v = list[i];
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            const float x = w->toNode->latest - w->data->duration;
            if (x < v->latest) v->latest = x;
        }
    }
    for (Tvertex* v : list) v->critical = false;
    for (Tvertex* v : list)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            Tworkdata& d = *w->data;
            Tvertex* e = w->toNode;
            d.es = v->earliest;
            d.ls = e->latest - d.duration;
            const float esp = d.es < 0.0001f ? 0.0f : d.es;
            const float lsp = d.ls < 0.0001f ? 0.0f : d.ls;
            if (lsp == esp || double(lsp - esp) < 0.0001) {
                d.critical = true;
                v->critical = true;
                e->critical = true;
            } else {
                d.critical = false;
            }
            if (d.start > lsp) d.start = lsp;
            if (d.start < esp) d.start = esp;
        }
}

void Tpertgra::ComputeTimesImpl(bool literal)
{
    if (nodes.empty()) return;
    Cache();
    cache_->startsBeforeNode = false;
    std::vector<Tvertex*> starts;
    for (Tvertex* v : order)
        if (v->inCount == 0) starts.push_back(v);
    std::vector<Tvertex*> own;
    std::vector<Tvertex*>* timeOrder = cache_->timeOrder;
    cache_->timeOrder = nullptr;
    if (!timeOrder) {
        own = TimeOrder();
        timeOrder = &own;
    }
    std::vector<Tvertex*>& list = *timeOrder;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i + 16 < list.size()) __builtin_prefetch(list[i + 16], 1);
        list[i]->number = int32_t(i + 1);
    }
    if (literal) TimePassPlain(list);
    else TimePass(list);
    if (starts.size() == 1 || starts.empty()) return;

    const StructureCache& c = Cache();
    const size_t n = nodes.size();
    auto inDegree = [&](int32_t s) { return c.intoBegin[size_t(s) + 1] - c.intoBegin[size_t(s)]; };
    auto numberPart = [&](std::vector<Tvertex*>& topo) {
        SortByTime(topo, cache_->sort);
        if (literal) TimePassPlain(topo);
        else TimePass(topo);
        for (size_t i = 0; i < topo.size(); ++i) topo[i]->number = int32_t(i + 1);
    };
    std::vector<int32_t>& count = cache_->count;
    count.assign(n, 0);
    std::vector<Tvertex*> topo;

    if (literal) {
        // One reachability search per start node, then the loop-check pass
        // over what it reached.
        std::vector<char> seen(n, 0);
        for (Tvertex* start : starts) {
            std::vector<Tvertex*> reach;
            std::fill(seen.begin(), seen.end(), 0);
            std::vector<Tvertex*> stack{start};
            seen[size_t(start->slot)] = 1;
            while (!stack.empty()) {
                Tvertex* v = stack.back();
                stack.pop_back();
                reach.push_back(v);
                for (Tedge* w = v->firstWork; w; w = w->nextWork) {
                    const int32_t k = IndexOfNode(w->toNode);
                    if (k >= 0 && !seen[size_t(k)]) {
                        seen[size_t(k)] = 1;
                        stack.push_back(w->toNode);
                    }
                }
            }
            if (reach.size() < 2) continue;
            for (Tvertex* v : reach) count[size_t(v->slot)] = inDegree(v->slot);
            std::vector<Tvertex*> st;
            for (Tvertex* v : reach)
                if (count[size_t(v->slot)] == 0) st.push_back(v);
            topo.clear();
            while (!st.empty()) {
                Tvertex* v = st.back();
                st.pop_back();
                topo.push_back(v);
                for (Tedge* w = v->firstWork; w; w = w->nextWork) {
                    const int32_t k = IndexOfNode(w->toNode);
                    if (k >= 0 && --count[size_t(k)] == 0) st.push_back(w->toNode);
                }
            }
            if (topo.size() == reach.size()) numberPart(topo);
        }
        return;
    }

    // The nodes reachable from a start node S form a part that no outside
    // work enters exactly when S is the only node without entering works in
    // its connected part (taking works in both directions). So the connected
    // parts are found once, and only the parts with a single start are
    // numbered, in the order of their start nodes.
    std::vector<int32_t>& parent = cache_->parent;
    parent.resize(n);
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&](int32_t a) {
        while (parent[size_t(a)] != a) {
            parent[size_t(a)] = parent[size_t(parent[size_t(a)])];
            a = parent[size_t(a)];
        }
        return a;
    };
    for (size_t i = 0; i < n; ++i)
        for (int32_t k = c.outBegin[i]; k < c.outBegin[i + 1]; ++k) {
            const int32_t t = c.outTo[size_t(k)];
            if (t < 0) continue;
            const int32_t a = find(int32_t(i));
            const int32_t b = find(t);
            if (a != b) parent[size_t(a)] = b;
        }
    std::vector<int32_t>& startsInPart = cache_->startsInPart;
    std::vector<int32_t>& sizeOfPart = cache_->sizeOfPart;
    startsInPart.assign(n, 0);
    sizeOfPart.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const int32_t r = find(int32_t(i));
        ++sizeOfPart[size_t(r)];
        if (inDegree(int32_t(i)) == 0) ++startsInPart[size_t(r)];
    }
    for (Tvertex* start : starts) {
        const int32_t s0 = start->slot;
        const int32_t r = find(s0);
        if (startsInPart[size_t(r)] != 1 || sizeOfPart[size_t(r)] < 2 || inDegree(s0) != 0) continue;
        // The loop-check pass seeded with the start alone: every other node
        // of the part has an entering work, all of them inside the part.
        topo.clear();
        std::vector<int32_t> stack{s0};
        while (!stack.empty()) {
            const int32_t v = stack.back();
            stack.pop_back();
            topo.push_back(nodes[size_t(v)].get());
            for (int32_t k = c.outBegin[size_t(v)]; k < c.outBegin[size_t(v) + 1]; ++k) {
                const int32_t t = c.outTo[size_t(k)];
                if (t < 0) continue;
                if (count[size_t(t)] == 0) count[size_t(t)] = inDegree(t);
                if (--count[size_t(t)] == 0) stack.push_back(t);
            }
        }
        numberPart(topo);
    }
}

// After structural edits (a deletion, a merge, a re-attachment) nodes keep
// their drawn times, which can lie later than the plan now needs; the pass
// then brings a work's planned start back to its latest start, before the
// node it is drawn from, and the project looks longer than its longest path.
// A node later than its latest time is exactly a node with a leaving work
// that has no room in its float at or after the node (or, without leaving
// works, a node after the project's end), so the pull moves only those, and
// only back to their latest time, the least move that gives every work room
// again. Nodes within their float stay where the planner put them, start
// nodes too. The walk is in topological order, so a node is settled after
// every work into it; it is also raised to the largest planned finish of
// those works, which mends a node left before a work that ends at it. The
// works of a moved node keep their distance from it within their float, and
// auxiliary works follow their nodes as the next re-check would make them.
// Each round is linear. When a node moved the time parameters are computed
// again, because the time order, the numbers and the auxiliary durations
// follow the new times; a second round is rarely needed, the bound only
// guards against a plan that keeps shifting. A plan whose works all start at
// or after their nodes, within their floats, and whose end is its longest
// path moves nothing, so its recalculation is what it always was.
void Tpertgra::ComputeAndPull()
{
    constexpr float kLate = 1e-6f;
    constexpr int kRounds = 3;
    std::vector<float> planned;
    std::vector<float> finish;
    auto savePlanned = [&] {
        const StructureCache& c = Cache();
        planned.resize(c.outWork.size());
        for (size_t k = 0; k < planned.size(); ++k) planned[k] = c.outWork[k]->data->start;
    };
    // The walk touches every work; most recalculations find every node in
    // its float and every work at or after its node (the pass notes the
    // works that are not) and need none.
    auto needed = [&] {
        const StructureCache& c = Cache();
        if (c.startsBeforeNode || c.dangling) return true;
        for (const Tvertex* v : order)
            if (v->inCount > 0 && (v->time > v->latest + kLate || v->time < v->earliest - kLate)) return true;
        return false;
    };
    auto pull = [&] {
        if (!needed()) return false;
        const StructureCache& c = Cache();
        finish.assign(c.nodeCount, 0.0f);
        bool moved = false;
        for (Tvertex* v : order) {
            const int32_t s = v->slot;
            const float old = v->time;
            float t = old;
            if (v->inCount > 0) {
                if (t > v->latest + kLate) t = v->latest;
                if (finish[size_t(s)] > t + kLate) t = finish[size_t(s)];
                if (t < 0) t = 0;
            }
            const float delta = t - old;
            if (delta != 0) {
                v->time = t;
                moved = true;
            }
            for (int32_t k = c.outBegin[size_t(s)]; k < c.outBegin[size_t(s) + 1]; ++k) {
                Tedge* w = c.outWork[size_t(k)];
                Tworkdata& d = *w->data;
                if (delta < 0) {
                    float st = planned[size_t(k)] + delta;
                    const float esp = d.es < 0.0001f ? 0.0f : d.es;
                    const float lsp = d.ls < 0.0001f ? 0.0f : d.ls;
                    if (st > lsp) st = lsp;
                    if (st < esp) st = esp;
                    d.start = std::max(st, t);
                } else if (d.start < t - (delta > 0 ? 0.0f : kLate)) {
                    d.start = t;
                }
                const int32_t to = c.outTo[size_t(k)];
                if (to >= 0 && PushesEnd(w))
                    finish[size_t(to)] = std::max(finish[size_t(to)], d.start + d.duration);
            }
        }
        // An auxiliary work follows its nodes, as the next recalculation's
        // re-check would make it.
        if (moved)
            for (Tedge* w : c.outWork)
                if (w->data->IsAuxiliary() && w->toNode) {
                    w->data->start = w->fromNode->time;
                    w->data->duration = w->toNode->time - w->fromNode->time;
                }
        return moved;
    };
    if (!nodes.empty()) savePlanned();
    ComputeTimes();
    // With a loop nothing was computed: the latest starts are stale.
    if (order.empty() && !nodes.empty()) return;
    for (int round = 0; round < kRounds && !nodes.empty() && pull(); ++round) {
        savePlanned();
        ComputeTimes();
    }
    for (const auto& v : nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->data->start > w->data->ls) PlaceWork(w, w->data->ls, w->data->duration);
}

float Tpertgra::EarliestNodeTime(const Tvertex* node) const
{
    float t;
    if (node->inCount > 0) {
        t = 0;
        for (const Tedge* w : WorksInto(node))
            if (PushesEnd(w)) t = std::max(t, w->PlannedFinish());
    } else {
        t = node->time;
    }
    return t < 0 ? 0 : t;
}

// SetNodeTime, PlaceWork and RefreshEndNode call each other as deep as the
// longest path of the plan. They run here on an explicit stack of frames
// that resume exactly where the nested call returns, so the visiting order
// (and every float result) is that of the plain nested calls.
namespace {

struct Frame {
    enum Kind { SetTime, Place } kind;
    int phase = 0;
    Tvertex* node = nullptr;   // SetTime
    Tedge* work = nullptr;     // Place; for SetTime the work being placed
    float t = 0, old = 0;      // SetTime
    float s = 0, d = 0;        // Place
};

}

namespace {

class PlacementRun {
public:
    explicit PlacementRun(Tpertgra& net) : net_(net) {}

    bool timesChanged = false;

    void SetNodeTime(Tvertex* node, float t)
    {
        PushSetTime(node, t);
        Run();
    }
    void PlaceWork(Tedge* w, float s, float d)
    {
        PushPlace(w, s, d);
        Run();
    }

private:
    // A node whose own placement is still open further down the stack can
    // only be met again through a loop; in a loop-free plan this never
    // happens, and with a loop the nested call would never end.
    void PushSetTime(Tvertex* node, float t)
    {
        if (!open_.insert(node).second) return;
        Frame f{Frame::SetTime};
        f.node = node;
        f.t = t;
        stack_.push_back(f);
    }
    void PushPlace(Tedge* w, float s, float d)
    {
        Frame f{Frame::Place};
        f.work = w;
        f.s = s;
        f.d = d;
        stack_.push_back(f);
    }
    void PushRefresh(Tedge* w) { PushSetTime(w->toNode, net_.EarliestNodeTime(w->toNode)); }

    void Run()
    {
        while (!stack_.empty()) {
            const size_t top = stack_.size() - 1;
            if (stack_[top].kind == Frame::SetTime) StepSetTime(top);
            else StepPlace(top);
        }
    }

    // phase 0: enter; 1: looking at `work`; 2: `work` placed, move on.
    void StepSetTime(size_t i)
    {
        Frame& f = stack_[i];
        if (f.phase == 0) {
            if (f.t < 0) f.t = 0;
            f.old = f.node->time;
            f.node->time = f.t;
            timesChanged = timesChanged || f.t != f.old;
            f.work = f.node->firstWork;
            f.phase = 1;
        } else if (f.phase == 2) {
            f.work = f.work->nextWork;
            f.phase = 1;
        }
        while (f.work) {
            Tedge* w = f.work;
            if (f.t >= f.old) {
                if (!(w->data->start > f.t)) {
                    f.phase = 2;
                    const float t = f.t;
                    PushPlace(w, t, w->data->duration);
                    return;
                }
            } else {
                f.phase = 2;
                const float s = w->data->start - (f.old - f.t);
                PushPlace(w, s, w->data->duration);
                return;
            }
            f.work = w->nextWork;
        }
        open_.erase(f.node);
        stack_.pop_back();
    }

    // phase 0: enter; 1: start settled, look at the duration; 2: end node
    // pushed, set the start; 3: done after the last refresh.
    void StepPlace(size_t i)
    {
        Frame& f = stack_[i];
        Tedge* w = f.work;
        Tworkdata& d = *w->data;
        switch (f.phase) {
        case 0:
            if (f.s < 0) f.s = 0;
            if (f.d < 0) f.d = 0;
            if (d.start > f.s) {
                d.start = std::max(f.s, w->fromNode->time);
                f.phase = 1;
                if (PushesEnd(w)) {
                    PushRefresh(w);
                    return;
                }
            } else if (f.s + d.duration > w->toNode->time && PushesEnd(w)) {
                f.phase = 2;
                const float t = f.s + d.duration;
                PushSetTime(w->toNode, t);
                return;
            } else {
                d.start = f.s;
                f.phase = 1;
            }
            [[fallthrough]];
        case 1:
            if (f.d != d.duration) {
                d.duration = (d.IsDummy() || d.IsMilestone()) ? 0.0f : f.d;
                f.phase = 3;
                PushRefresh(w);
                return;
            }
            stack_.pop_back();
            return;
        case 2:
            d.start = f.s;
            f.phase = 1;
            return;
        default:
            stack_.pop_back();
            return;
        }
    }

    Tpertgra& net_;
    std::vector<Frame> stack_;
    std::unordered_set<const Tvertex*> open_;   // nodes with a SetNodeTime frame on the stack
};

// MoveNode's propagation, also on an explicit stack.
struct MoveFrame {
    Tvertex* node;
    float t;
    float delta;
    Tedge* work;
    bool started;
};

}

namespace {

bool SetNodeTimeChanging(Tpertgra& net, Tvertex* node, float t)
{
    PlacementRun run(net);
    run.SetNodeTime(node, t);
    return run.timesChanged;
}

}

void Tpertgra::SetNodeTime(Tvertex* node, float t)
{
    if (nodes.empty()) return;
    PlacementRun(*this).SetNodeTime(node, t);
}

void Tpertgra::PlaceWork(Tedge* work, float s, float d)
{
    PlacementRun(*this).PlaceWork(work, s, d);
}

void Tpertgra::RefreshEndNode(Tedge* work)
{
    SetNodeTime(work->toNode, EarliestNodeTime(work->toNode));
}

namespace {

// Moves the works of each frame's node after its time changed by delta; a
// moved end node becomes a frame of its own, handled before the next work.
void Propagate(Tpertgra& net, Tvertex* node, float t, float delta)
{
    // As in the placement run: a node still being moved further down the
    // stack is only met again through a loop, and is not moved again.
    std::unordered_set<const Tvertex*> open;
    auto mark = [&](const Tvertex* v, bool on) {
        if (on) open.insert(v);
        else open.erase(v);
    };
    auto isOpen = [&](const Tvertex* v) { return open.count(v) != 0; };
    std::vector<MoveFrame> stack{{node, t, delta, node->firstWork, true}};
    mark(node, true);
    while (!stack.empty()) {
        MoveFrame& f = stack.back();
        if (!f.work) {
            mark(f.node, false);
            stack.pop_back();
            continue;
        }
        Tedge* w = f.work;
        f.work = w->nextWork;
        Tworkdata& d = *w->data;
        Tvertex* e = w->toNode;
        float target;
        if (f.delta > 0) {
            // The end check applies to every work, not only to the works whose
            // start moved: after MoveStartNode's reschedule the starts already
            // follow the node, and their end nodes must still be pushed.
            if (d.start < f.t) d.start = f.t;
            if (!(f.t + d.duration > e->time)) continue;
            target = f.t + d.duration;
        } else {
            d.start = std::max(d.start + f.delta, f.t);
            target = d.critical ? e->earliest : net.EarliestNodeTime(e);
        }
        // The nested move of the end node.
        if (target < 0) target = 0;
        if (std::fabs(double(target) - double(e->time)) < 1e-8) continue;
        if (isOpen(e)) continue;
        const float old = e->time;
        e->time = target;
        mark(e, true);
        stack.push_back({e, target, target - old, e->firstWork, true});
    }
}

}

bool Tpertgra::MoveNode(Tvertex* node, float t)
{
    if (t < 0) t = 0;
    if (std::fabs(double(t) - double(node->time)) < 1e-8) return false;
    const float old = node->time;
    node->time = t;
    Propagate(*this, node, t, t - old);
    return true;
}

bool Tpertgra::MoveStartNode(Tvertex* node, float t)
{
    if (node->inCount != 0 || std::fabs(double(t) - double(node->time)) < 1e-9) return false;
    const float old = node->time;
    node->time = t;
    Reschedule();
    Propagate(*this, node, t, t - old);
    return true;
}

bool Tpertgra::MoveWorkStart(Tedge* work, float t)
{
    Tworkdata& d = *work->data;
    if (t < 0) t = 0;
    if (t > d.ls) t = d.ls;
    if (t < d.es) t = d.es;
    if (std::fabs(double(t) - double(d.start)) <= 1e-9) return false;
    if (t + d.duration > work->toNode->time) MoveNode(work->toNode, t + d.duration);
    d.start = t;
    return true;
}

bool Tpertgra::ChangeDuration(Tedge* work, float dNew)
{
    Tworkdata& d = *work->data;
    if (d.IsAuxiliary() || std::fabs(double(d.duration) - double(dNew)) < 1e-9) return false;
    const float s = d.start;
    Tvertex* end = work->toNode;
    const float T = end->time;
    const float D = d.duration;
    d.duration = dNew;
    if (s + dNew >= T) {
        const float LF = d.ls + D;
        if (d.es + dNew > LF) {
            MoveNode(end, d.es + dNew);
            d.start = d.es;
        } else if (LF < s + dNew) {
            MoveNode(end, LF);
            d.start = LF - dNew;
        } else {
            MoveNode(end, s + dNew);
        }
    } else if (d.critical) {
        TimePass(TimeOrder());
        MoveNode(end, end->earliest);
    } else if (std::fabs(double(s + D) - double(T)) < 1e-8) {
        MoveNode(end, EarliestNodeTime(end));
    }
    return true;
}
