#include "editing/Networkchecks.h"

#include <algorithm>
#include <climits>
#include <numeric>

#include "drawing/Displace.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Timeaxis.h"
#include "editing/Nodemerge.h"
#include "editing/Relayout.h"
#include "editing/Rowmove.h"
#include "editing/Rowops.h"
#include "model/Pertgra.h"

namespace {

bool IsDummyKind(const Tedge* w)
{
    return w->data->kind == WorkKind::Dummy;
}

// ---- start and end nodes ----

// The node drawn furthest left (or right); the first one found on equal x.
Tvertex* Outermost(const std::vector<Tvertex*>& list, bool right)
{
    Tvertex* best = list.front();
    for (Tvertex* v : list)
        if (right ? v->x > best->x : v->x < best->x) best = v;
    return best;
}

int32_t MergeInto(Tpertgra& net, const std::vector<Tvertex*>& list, bool right)
{
    if (list.size() < 2) return 0;
    Tvertex* target = Outermost(list, right);
    int32_t merged = 0;
    for (Tvertex* v : list) {
        if (v == target) continue;
        if (MergeNodes(net, v, target) == 1) {
            merged = 1;
            net.Recalculate();
        }
    }
    LayoutNetwork(net);
    return merged;
}

// ---- overlapping lines ----

// The time axis of the overlap test: node times are taken as days, so the
// displacement entries stay at their own days too.
TTimeAxis OverlapAxis(const Tpertgra& net)
{
    std::vector<TAxisShift> entries;
    entries.reserve(net.displacements.size());
    for (const auto& d : net.displacements) entries.push_back({d->day, d->shift, d->firstShift});
    return TTimeAxis(X0(net), net.timeScale, std::move(entries));
}

int64_t NodeX(const TTimeAxis& axis, const Tvertex* v)
{
    // truncation toward zero, as every coordinate conversion
    return static_cast<int64_t>(axis.XOfTime(v->time, TShiftCount::Before) + v->xOffset);
}

bool Measurable(const Tpertgra& net, const Tedge* w)
{
    return w->fromNode && w->toNode && net.IndexOfNode(w->toNode) >= 0;
}

// ---- redundant links ----

// The second step for the dummies that are neither the only leaving work of
// their start node nor the only entering work of their end node: another
// work leaving the start node reaches the end node. For every node the set
// of target nodes it reaches is built in reverse topological order as a bit
// row; a dummy is redundant when at least two works leaving its start node
// (the dummy itself always being one) reach its end node. The targets are
// taken in blocks so that the bit rows stay small. False when the network
// has a loop or a work leads out of it; the plain searches answer then.
bool MarkReachedDummies(const Tpertgra& net, const std::vector<Tedge*>& dummies,
                        const std::vector<size_t>& pending, std::vector<char>& redundant)
{
    const size_t n = net.nodes.size();
    std::vector<int32_t> outBegin(n + 1, 0);
    std::vector<int32_t> outTo;
    std::vector<int32_t> inDegree(n, 0);
    for (size_t i = 0; i < n; ++i) {
        for (const Tedge* w = net.nodes[i]->firstWork; w; w = w->nextWork) {
            const int32_t t = net.IndexOfNode(w->toNode);
            if (t < 0) return false;
            outTo.push_back(t);
            ++inDegree[size_t(t)];
        }
        outBegin[i + 1] = int32_t(outTo.size());
    }
    std::vector<int32_t> topo;
    topo.reserve(n);
    for (size_t i = 0; i < n; ++i)
        if (inDegree[i] == 0) topo.push_back(int32_t(i));
    for (size_t k = 0; k < topo.size(); ++k) {
        const int32_t v = topo[k];
        for (int32_t j = outBegin[size_t(v)]; j < outBegin[size_t(v) + 1]; ++j)
            if (--inDegree[size_t(outTo[size_t(j)])] == 0) topo.push_back(outTo[size_t(j)]);
    }
    if (topo.size() != n) return false;

    // Targets numbered in order of first appearance.
    std::vector<int32_t> targetOf(n, -1);
    std::vector<int32_t> targets;
    for (size_t i : pending) {
        const int32_t t = dummies[i]->toNode->slot;
        if (targetOf[size_t(t)] < 0) {
            targetOf[size_t(t)] = int32_t(targets.size());
            targets.push_back(t);
        }
    }
    constexpr size_t kBlock = 4096;
    std::vector<uint64_t> reach, once, twice;
    std::vector<int32_t> twiceOf(n, -1);
    for (size_t first = 0; first < targets.size(); first += kBlock) {
        const size_t count = std::min(kBlock, targets.size() - first);
        const size_t words = (count + 63) / 64;
        reach.assign(n * words, 0);
        for (size_t k = n; k-- > 0;) {
            const int32_t v = topo[k];
            uint64_t* row = reach.data() + size_t(v) * words;
            const int32_t t = targetOf[size_t(v)];
            if (t >= int32_t(first) && size_t(t) < first + count) {
                const size_t bit = size_t(t) - first;
                row[bit / 64] |= uint64_t(1) << (bit % 64);
            }
            for (int32_t j = outBegin[size_t(v)]; j < outBegin[size_t(v) + 1]; ++j) {
                const uint64_t* next = reach.data() + size_t(outTo[size_t(j)]) * words;
                for (size_t b = 0; b < words; ++b) row[b] |= next[b];
            }
        }
        // Bits reached by at least two leaving works, per start node of a
        // pending dummy, built once per node and block.
        twice.clear();
        std::fill(twiceOf.begin(), twiceOf.end(), -1);
        once.assign(words, 0);
        for (size_t i : pending) {
            const size_t t = size_t(targetOf[size_t(dummies[i]->toNode->slot)]);
            if (t < first || t >= first + count) continue;
            const int32_t f = dummies[i]->fromNode->slot;
            if (twiceOf[size_t(f)] < 0) {
                twiceOf[size_t(f)] = int32_t(twice.size() / words);
                twice.resize(twice.size() + words, 0);
                uint64_t* two = twice.data() + size_t(twiceOf[size_t(f)]) * words;
                std::fill(once.begin(), once.end(), 0);
                for (int32_t j = outBegin[size_t(f)]; j < outBegin[size_t(f) + 1]; ++j) {
                    const uint64_t* r = reach.data() + size_t(outTo[size_t(j)]) * words;
                    for (size_t b = 0; b < words; ++b) {
                        two[b] |= once[b] & r[b];
                        once[b] |= r[b];
                    }
                }
            }
            const uint64_t* two = twice.data() + size_t(twiceOf[size_t(f)]) * words;
            const size_t bit = t - first;
            if (two[bit / 64] >> (bit % 64) & 1) redundant[i] = 1;
        }
    }
    return true;
}

}

std::vector<Tvertex*> StartNodes(const Tpertgra& net)
{
    std::vector<Tvertex*> list;
    for (const auto& v : net.nodes) {
        Tvertex* n = v.get();
        if (n->inCount != 0 && n->inCount != 1) continue;
        if (net.IsMilestoneEnd(n)) continue;
        if (n->inCount == 0) {
            list.push_back(n);
            continue;
        }
        const Tedge* in = net.LatestWorkInto(n);
        if (in && in->data->IsMilestone()) list.push_back(n);
    }
    return list;
}

std::vector<Tvertex*> EndNodes(const Tpertgra& net)
{
    std::vector<Tvertex*> list;
    for (const auto& v : net.nodes) {
        Tvertex* n = v.get();
        if (n->outCount != 0 && n->outCount != 1) continue;
        if (net.IsMilestoneEnd(n)) continue;
        if (n->outCount == 0 || (n->firstWork && n->firstWork->data->IsMilestone())) list.push_back(n);
    }
    return list;
}

int32_t MergeStartNodes(Tpertgra& net)
{
    return MergeInto(net, StartNodes(net), false);
}

int32_t MergeEndNodes(Tpertgra& net)
{
    return MergeInto(net, EndNodes(net), true);
}

Tedge* FindOverlappingWorkLiteral(const Tpertgra& net)
{
    const TTimeAxis axis = OverlapAxis(net);
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (!Measurable(net, w)) continue;
            for (const auto& u : net.nodes)
                for (const Tedge* o = u->firstWork; o; o = o->nextWork) {
                    if (o == w || !Measurable(net, o) || o->row != w->row) continue;
                    if (NodeX(axis, o->fromNode) < NodeX(axis, w->toNode) &&
                        NodeX(axis, w->fromNode) < NodeX(axis, o->toNode))
                        return w;
                }
        }
    return nullptr;
}

Tedge* FindOverlappingWork(const Tpertgra& net)
{
    const std::vector<Tedge*> all = OverlappingWorks(net);
    return all.empty() ? nullptr : all.front();
}

std::vector<Tedge*> OverlappingWorks(const Tpertgra& net)
{
    const TTimeAxis axis = OverlapAxis(net);
    const size_t n = net.nodes.size();
    std::vector<int64_t> nodeX(n);
    for (size_t i = 0; i < n; ++i) nodeX[i] = NodeX(axis, net.nodes[i].get());

    struct Line {
        int32_t row;
        int64_t a, b;   // x of the start and end node
        Tedge* work;
    };
    std::vector<Line> lines;   // in scan order
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (Measurable(net, w))
                lines.push_back({w->row, nodeX[size_t(v->slot)], nodeX[size_t(w->toNode->slot)], w});
    std::vector<Tedge*> found;
    if (lines.size() < 2) return found;

    std::vector<size_t> byRow(lines.size());
    std::iota(byRow.begin(), byRow.end(), size_t(0));
    std::sort(byRow.begin(), byRow.end(), [&](size_t p, size_t q) {
        if (lines[p].row != lines[q].row) return lines[p].row < lines[q].row;
        return lines[p].a < lines[q].a;
    });
    // Per row, sorted by start x: the largest and second largest end x of
    // every prefix, with the line that holds the largest. A line W overlaps
    // another when some other line starting left of W's end ends right of
    // W's start.
    std::vector<char> overlaps(lines.size(), 0);
    std::vector<int64_t> starts;
    struct Best {
        int64_t first, second;
        size_t holder;
    };
    std::vector<Best> prefix;
    for (size_t g = 0; g < byRow.size();) {
        size_t e = g;
        while (e < byRow.size() && lines[byRow[e]].row == lines[byRow[g]].row) ++e;
        starts.clear();
        prefix.clear();
        Best best{INT64_MIN, INT64_MIN, SIZE_MAX};
        for (size_t k = g; k < e; ++k) {
            const Line& l = lines[byRow[k]];
            starts.push_back(l.a);
            if (l.b > best.first) best = {l.b, best.first, byRow[k]};
            else if (l.b > best.second) best.second = l.b;
            prefix.push_back(best);
        }
        for (size_t k = g; k < e; ++k) {
            const Line& l = lines[byRow[k]];
            const size_t p = size_t(std::lower_bound(starts.begin(), starts.end(), l.b) - starts.begin());
            if (p == 0) continue;
            const Best& b = prefix[p - 1];
            const int64_t other = b.holder == byRow[k] ? b.second : b.first;
            if (other != INT64_MIN && other > l.a) overlaps[byRow[k]] = 1;
        }
        g = e;
    }
    for (size_t i = 0; i < lines.size(); ++i)
        if (overlaps[i]) found.push_back(lines[i].work);
    return found;
}

bool OverlapsOnItsRow(const Tpertgra& net, const Tedge* work)
{
    if (!work || !Measurable(net, work)) return false;
    const TTimeAxis axis = OverlapAxis(net);
    const int64_t a = NodeX(axis, work->fromNode);
    const int64_t b = NodeX(axis, work->toNode);
    for (const auto& u : net.nodes)
        for (const Tedge* o = u->firstWork; o; o = o->nextWork) {
            if (o == work || o->row != work->row || !Measurable(net, o)) continue;
            if (NodeX(axis, o->fromNode) < b && a < NodeX(axis, o->toNode)) return true;
        }
    return false;
}

int32_t RepairOverlap(Tpertgra& net, Tedge* work)
{
    if (!work || !work->fromNode || !work->toNode) return 0;
    const int32_t lineY = WorkLineY(net, work);
    const double h = RowHeight(net);
    int32_t changed = MoveWorkToRow(net, work, work->fromNode->x, lineY, lineY - h);
    if (OverlapsOnItsRow(net, work)) {
        // No free row above: a blank row at the work's row takes it alone.
        const int32_t r = std::max(0, work->row);
        InsertBlankRow(net, r);
        work->row = r;
        RealignNodeRows(net, work);
        changed = 1;
    }
    return changed;
}

bool IsRedundantLink(const Tpertgra& net, const Tedge* d)
{
    if (!d || !IsDummyKind(d) || !d->fromNode || !d->toNode) return false;
    if (d->fromNode->outCount == 1 || d->toNode->inCount == 1) return true;
    for (const Tedge* w = d->fromNode->firstWork; w; w = w->nextWork) {
        if (w == d) continue;
        if (w->toNode == d->toNode || net.Reaches(w->toNode, d->toNode)) return true;
    }
    return false;
}

std::vector<Tedge*> RedundantLinksLiteral(const Tpertgra& net)
{
    std::vector<Tedge*> list;
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (IsDummyKind(w) && IsRedundantLink(net, w)) list.push_back(w);
    return list;
}

std::vector<Tedge*> RedundantLinks(const Tpertgra& net)
{
    std::vector<Tedge*> dummies;
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (IsDummyKind(w) && w->fromNode && w->toNode) dummies.push_back(w);
    std::vector<char> redundant(dummies.size(), 0);
    std::vector<size_t> pending;
    for (size_t i = 0; i < dummies.size(); ++i) {
        const Tedge* d = dummies[i];
        if (d->fromNode->outCount == 1 || d->toNode->inCount == 1) redundant[i] = 1;
        else pending.push_back(i);
    }
    if (!pending.empty() && !MarkReachedDummies(net, dummies, pending, redundant))
        for (size_t i : pending) redundant[i] = IsRedundantLink(net, dummies[i]) ? 1 : 0;
    std::vector<Tedge*> list;
    for (size_t i = 0; i < dummies.size(); ++i)
        if (redundant[i]) list.push_back(dummies[i]);
    return list;
}
