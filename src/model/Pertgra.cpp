#include "model/Pertgra.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <string_view>
#include <unordered_map>

#include "model/Sortbytime.h"
#include "model/Structurecache.h"
#include "platform/Messagebox.h"

void Tpertgra::InvalidateStructure() const
{
    cache_->valid = false;
}

void Tpertgra::InvalidateWorkNumbers() const
{
    maxWorkNoValid_ = false;
}

const Tpertgra::StructureCache& Tpertgra::Cache() const
{
    StructureCache& c = *cache_;
    if (c.valid && c.nodeCount == nodes.size()) return c;
    const size_t n = nodes.size();
    c.nodeCount = n;
    for (size_t i = 0; i < n; ++i) nodes[i]->slot = int32_t(i);
    auto slotOf = [&](const Tvertex* v) -> int32_t {
        if (!v || v->slot < 0 || size_t(v->slot) >= n || nodes[size_t(v->slot)].get() != v) return -1;
        return v->slot;
    };
    c.outBegin.assign(n + 1, 0);
    c.outWork.clear();
    c.outTo.clear();
    c.dangling = false;
    for (size_t i = 0; i < n; ++i) {
        for (Tedge* w = nodes[i]->firstWork; w; w = w->nextWork) {
            const int32_t s = slotOf(w->toNode);
            c.dangling = c.dangling || s < 0;
            c.outWork.push_back(w);
            c.outTo.push_back(s);
        }
        c.outBegin[i + 1] = int32_t(c.outWork.size());
    }
    c.intoBegin.assign(n + 1, 0);
    for (int32_t s : c.outTo)
        if (s >= 0) ++c.intoBegin[size_t(s) + 1];
    for (size_t i = 0; i < n; ++i) c.intoBegin[i + 1] += c.intoBegin[i];
    c.into.assign(size_t(c.intoBegin[n]), nullptr);
    std::vector<int32_t> fill(c.intoBegin.begin(), c.intoBegin.end() - 1);
    for (size_t k = 0; k < c.outTo.size(); ++k)
        if (c.outTo[k] >= 0) c.into[size_t(fill[size_t(c.outTo[k])]++)] = c.outWork[k];
    c.valid = true;
    return c;
}

int32_t Tpertgra::IndexOfNode(const Tvertex* node) const
{
    const StructureCache& c = Cache();
    if (!node || node->slot < 0 || size_t(node->slot) >= c.nodeCount) return -1;
    return nodes[size_t(node->slot)].get() == node ? node->slot : -1;
}

void Tpertgra::BeginLinkEdits()
{
    auto live = std::make_unique<LiveInto>();
    live->into.reserve(nodes.size());
    for (const auto& v : nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) live->into[w->toNode].push_back(w);
    liveInto_ = std::move(live);
}

void Tpertgra::EndLinkEdits()
{
    if (liveInto_ && !liveInto_->removed.empty()) {
        const std::unordered_set<const Tvertex*> gone = std::move(liveInto_->removed);
        auto isGone = [&](const Tvertex* v) { return gone.count(v) != 0; };
        std::erase_if(order, isGone);
        std::erase_if(nodes, [&](const std::unique_ptr<Tvertex>& v) { return isGone(v.get()); });
        InvalidateWorkNumbers();
    }
    liveInto_.reset();
    InvalidateStructure();
}

void Tpertgra::NoteWorkGone(const Tedge* work, const Tvertex* to)
{
    if (!liveInto_) return;
    auto it = liveInto_->into.find(to);
    if (it == liveInto_->into.end()) return;
    std::vector<Tedge*>& list = it->second;
    list.erase(std::remove(list.begin(), list.end(), work), list.end());
}

void Tpertgra::NoteEndsMoved(const Tvertex* from, const Tvertex* into)
{
    if (!liveInto_ || from == into) return;
    auto it = liveInto_->into.find(from);
    if (it == liveInto_->into.end()) return;
    std::vector<Tedge*> moved = std::move(it->second);
    liveInto_->into.erase(it);
    std::vector<Tedge*>& target = liveInto_->into[into];
    target.insert(target.end(), moved.begin(), moved.end());
}

std::span<Tedge* const> Tpertgra::WorksInto(const Tvertex* node) const
{
    if (liveInto_) {
        const auto it = liveInto_->into.find(node);
        if (it == liveInto_->into.end()) return {};
        return std::span<Tedge* const>(it->second.data(), it->second.size());
    }
    const int32_t s = IndexOfNode(node);
    if (s < 0) return {};
    const StructureCache& c = *cache_;
    const int32_t b = c.intoBegin[size_t(s)];
    const int32_t e = c.intoBegin[size_t(s) + 1];
    return std::span<Tedge* const>(c.into.data() + b, size_t(e - b));
}

int32_t Tpertgra::WorkCount() const
{
    int32_t n = 0;
    for (const auto& v : nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) ++n;
    return n;
}

int32_t Tpertgra::MaxWorkNo() const
{
    if (!maxWorkNoValid_) {
        int32_t m = 0;
        bool any = false;
        for (const auto& v : nodes)
            for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
                if (!any || w->data->workNo > m) m = w->data->workNo;
                any = true;
            }
        maxWorkNo_ = any ? m : 0;
        maxWorkNoValid_ = true;
    }
    return maxWorkNo_;
}

void Tpertgra::AddNode(Tvertex* node)
{
    nodes.emplace_back(node);
    InvalidateStructure();
}

void Tpertgra::LinkWork(Tvertex* from, Tvertex* to, Tedge* work)
{
    work->nextWork = from->firstWork;
    from->firstWork = work;
    if (work->data->start < from->time) work->data->start = from->time;
    // One more than the largest number of the other works (0 + 1 for the first work).
    const int32_t maxNo = MaxWorkNo();
    work->data->workNo = maxNo + 1;
    maxWorkNo_ = std::max(maxNo, work->data->workNo);
    maxWorkNoValid_ = true;
    work->fromNode = from;
    work->toNode = to;
    ++from->outCount;
    ++to->inCount;
    InvalidateStructure();
}

void Tpertgra::RemoveNode(Tvertex* node)
{
    if (liveInto_) {
        // During link edits nothing walks the storage; the node goes at the end.
        liveInto_->into.erase(node);
        liveInto_->removed.insert(node);
        InvalidateStructure();
        InvalidateWorkNumbers();
        return;
    }
    // The topological order only points into the storage: drop the node there too
    // so it never holds a destroyed node.
    order.erase(std::remove(order.begin(), order.end(), node), order.end());
    for (auto it = nodes.begin(); it != nodes.end(); ++it)
        if (it->get() == node) {
            nodes.erase(it);
            break;
        }
    if (liveInto_) liveInto_->into.erase(node);
    InvalidateStructure();
    InvalidateWorkNumbers();
}

void Tpertgra::RemoveNodes(const std::unordered_set<const Tvertex*>& gone)
{
    if (gone.empty()) return;
    auto isGone = [&](const Tvertex* v) { return gone.count(v) != 0; };
    std::erase_if(order, isGone);
    if (liveInto_)
        for (const Tvertex* v : gone) liveInto_->into.erase(v);
    std::erase_if(nodes, [&](const std::unique_ptr<Tvertex>& v) { return isGone(v.get()); });
    nodePairs.clear();
    InvalidateStructure();
    InvalidateWorkNumbers();
}

Tvertex* Tpertgra::FindNodeAt(int32_t x, int32_t y) const
{
    Tvertex* found = nullptr;
    for (const auto& v : nodes) {
        if (std::abs(v->x - x) < 8 && std::abs(v->y - y) < 8 && !IsMilestoneEnd(v.get()))
            found = v.get();
    }
    return found;
}

bool Tpertgra::IsMilestoneEnd(const Tvertex* node) const
{
    if (!node) return false;
    if (node->inCount == 0 && node->firstWork && !node->firstWork->nextWork &&
        node->firstWork->data->IsMilestone())
        return true;
    if (!node->firstWork && node->inCount == 1) {
        const Tedge* w = LatestWorkInto(node);
        return w && w->data->IsMilestone();
    }
    return false;
}

Tedge* Tpertgra::LatestWorkInto(const Tvertex* node) const
{
    if (!node || node->inCount == 0) return nullptr;
    Tedge* best = nullptr;
    for (Tedge* w : WorksInto(node))
        if (!best || w->PlannedFinish() >= best->PlannedFinish()) best = w;
    return best;
}

std::vector<Tedge*> Tpertgra::AllWorksLiteral() const
{
    std::vector<Tedge*> list;
    for (const auto& v : nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            list.push_back(w);
            for (size_t n = list.size() - 1; n >= 1; --n) {
                const double a = list[n]->data->start;
                const double b = list[n - 1]->data->start;
                if (b - a > 1e-8 || (std::fabs(a - b) <= 1e-8 && list[n]->data->critical))
                    std::swap(list[n], list[n - 1]);
            }
        }
    return list;
}

// The collection with its insertion passes, without running them.
// Each pass sweeps the whole list: a new work moves down to the end of its
// group of equal starts (or, when critical, to the front of the group), and
// every group below the one it joins has its critical front part rotated by
// one (its last critical work moves to the group's front). The group that a
// non-critical work joins is rotated too. Groups are kept as lists with a
// lazy rotation count, so the whole collection costs O(n log n).
std::vector<Tedge*> Tpertgra::AllWorks() const
{
    std::vector<Tedge*> works;
    for (const auto& v : nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) works.push_back(w);
    if (works.size() < 2) return works;

    // Group the starts. Starts closer than 1e-8 count as equal; when such
    // closeness chains across more than 1e-8 the passes are not a plain group
    // sort, and the literal passes are run instead.
    std::vector<double> starts;
    starts.reserve(works.size());
    for (Tedge* w : works) starts.push_back(w->data->start);
    std::vector<double> keys = starts;
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    std::vector<int32_t> clusterOfKey(keys.size());
    int32_t clusters = 0;
    double clusterMin = keys[0];
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && keys[i] - keys[i - 1] > 1e-8) {
            ++clusters;
            clusterMin = keys[i];
        } else if (keys[i] - clusterMin > 1e-8) {
            return AllWorksLiteral();
        }
        clusterOfKey[i] = clusters;
    }
    const int32_t groupCount = clusters + 1;

    // Rotation events: a work joining group g rotates every group below g,
    // and g itself when the work is not critical. Range add, point query.
    std::vector<int64_t> fenwick(size_t(groupCount) + 1, 0);
    auto addPrefix = [&](int32_t upto /* exclusive */) {
        // adds 1 to groups [0, upto)
        for (int32_t i = upto; i > 0; i -= i & -i) fenwick[size_t(i)] += 1;
    };
    auto rotationsOf = [&](int32_t g) {
        // number of events covering g = events with upto > g
        int64_t total = 0;
        for (int32_t i = g + 1; i <= groupCount; i += i & -i) total += fenwick[size_t(i)];
        return total;
    };

    struct Group {
        std::vector<Tedge*> critical;   // logical order after `offset` rotations
        std::vector<Tedge*> others;
        int64_t synced = 0;              // rotation events already applied
    };
    std::vector<Group> groups(static_cast<size_t>(groupCount));

    auto sync = [&](Group& grp, int32_t g) {
        const int64_t r = rotationsOf(g);
        const int64_t pending = r - grp.synced;
        grp.synced = r;
        const size_t m = grp.critical.size();
        if (m > 1 && pending > 0) {
            const size_t k = size_t(pending % int64_t(m));
            // rotating right by one k times: the last k move to the front
            std::rotate(grp.critical.begin(), grp.critical.end() - ptrdiff_t(k), grp.critical.end());
        }
    };

    for (size_t i = 0; i < works.size(); ++i) {
        const size_t key = size_t(std::lower_bound(keys.begin(), keys.end(), starts[i]) - keys.begin());
        const int32_t g = clusterOfKey[key];
        Group& grp = groups[size_t(g)];
        sync(grp, g);
        if (i == 0) {
            (works[0]->data->critical ? grp.critical : grp.others).push_back(works[0]);
            continue;
        }
        if (works[i]->data->critical) {
            grp.critical.insert(grp.critical.begin(), works[i]);
            addPrefix(g);
            grp.synced = rotationsOf(g);
        } else {
            grp.others.push_back(works[i]);
            addPrefix(g + 1);
        }
    }

    std::vector<Tedge*> result;
    result.reserve(works.size());
    for (int32_t g = 0; g < groupCount; ++g) {
        Group& grp = groups[size_t(g)];
        sync(grp, g);
        result.insert(result.end(), grp.critical.begin(), grp.critical.end());
        result.insert(result.end(), grp.others.begin(), grp.others.end());
    }
    return result;
}

bool Tpertgra::Renumber()
{
    const StructureCache& c = Cache();
    const size_t n = nodes.size();
    std::vector<int32_t>& count = cache_->count;
    std::vector<int32_t>& stack = cache_->stack;
    count.resize(n);
    stack.clear();
    for (size_t i = 0; i < n; ++i) count[i] = c.intoBegin[i + 1] - c.intoBegin[i];
    for (size_t i = 0; i < n; ++i)
        if (count[i] == 0) stack.push_back(int32_t(i));
    order.clear();
    order.reserve(n);
    for (size_t k = 0; k < n; ++k) {
        if (stack.empty()) {
            ShowPlain("网络图不能有回路");
            order.clear();
            return false;
        }
        const int32_t v = stack.back();
        stack.pop_back();
        order.push_back(nodes[size_t(v)].get());
        for (int32_t j = c.outBegin[size_t(v)]; j < c.outBegin[size_t(v) + 1]; ++j) {
            const int32_t t = c.outTo[size_t(j)];
            if (t >= 0 && --count[size_t(t)] == 0) stack.push_back(t);
        }
    }
    return true;
}

std::vector<Tvertex*> Tpertgra::TimeOrder()
{
    std::vector<Tvertex*> list = order;
    Cache();
    SortByTime(list, cache_->sort);
    for (size_t i = 0; i < list.size(); ++i) {
        if (i + 16 < list.size()) __builtin_prefetch(list[i + 16], 1);
        list[i]->id = int32_t(i + 1);
    }
    return list;
}

bool Tpertgra::Reaches(const Tvertex* from, const Tvertex* to) const
{
    if (!from || !to) return false;
    if (from == to) return true;
    const size_t n = Cache().nodeCount;
    std::vector<char> seen(n, 0);
    std::vector<const Tvertex*> stack{from};
    if (IndexOfNode(from) >= 0) seen[size_t(IndexOfNode(from))] = 1;
    while (!stack.empty()) {
        const Tvertex* v = stack.back();
        stack.pop_back();
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w->toNode == to) return true;
            const int32_t s = IndexOfNode(w->toNode);
            if (s >= 0 && !seen[size_t(s)]) {
                seen[size_t(s)] = 1;
                stack.push_back(w->toNode);
            }
        }
    }
    return false;
}

void Tpertgra::SetProgress(Tedge* work, double p)
{
    work->data->progress = p;
    if (!(p >= 0 && p < 1)) return;
    const StructureCache& c = Cache();
    const size_t n = c.nodeCount;
    // Nodes from which the work's start can be reached, and nodes reachable
    // from its end: one search each instead of one per work.
    std::vector<char> before(n, 0), after(n, 0);
    std::vector<const Tvertex*> stack;
    if (IndexOfNode(work->fromNode) >= 0) {
        before[size_t(work->fromNode->slot)] = 1;
        stack.push_back(work->fromNode);
        while (!stack.empty()) {
            const Tvertex* v = stack.back();
            stack.pop_back();
            for (const Tedge* w : WorksInto(v)) {
                const int32_t s = IndexOfNode(w->fromNode);
                if (s >= 0 && !before[size_t(s)]) {
                    before[size_t(s)] = 1;
                    stack.push_back(w->fromNode);
                }
            }
        }
    }
    if (IndexOfNode(work->toNode) >= 0) {
        after[size_t(work->toNode->slot)] = 1;
        stack.push_back(work->toNode);
        while (!stack.empty()) {
            const Tvertex* v = stack.back();
            stack.pop_back();
            for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
                const int32_t s = IndexOfNode(w->toNode);
                if (s >= 0 && !after[size_t(s)]) {
                    after[size_t(s)] = 1;
                    stack.push_back(w->toNode);
                }
            }
        }
    }
    for (const auto& v : nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w == work) continue;
            const int32_t to = IndexOfNode(w->toNode);
            const int32_t from = IndexOfNode(w->fromNode);
            if (to >= 0 && before[size_t(to)]) w->data->progress = 1.0;
            if (from >= 0 && after[size_t(from)]) w->data->progress = -0.01;
        }
}

bool Tpertgra::IsValidAuxiliary(const Tedge* work) const
{
    return HasParallelPath(work, false);
}

// Depth-first search from the work's start node along leaving works other
// than the work itself, each node entered once, until it meets the end node.
// With timesRise (every work ends at a node no earlier than its start node),
// nodes later than the end node cannot lead back to it and are not entered:
// the answer is the same, found without walking the rest of the plan.
bool Tpertgra::HasParallelPath(const Tedge* work, bool timesRise) const
{
    if (!work || !work->fromNode || !work->toNode) return false;
    const StructureCache& c = Cache();
    std::vector<uint32_t>& mark = cache_->mark;
    if (mark.size() != c.nodeCount) mark.assign(c.nodeCount, 0);
    if (++cache_->markGeneration == 0) {
        std::fill(mark.begin(), mark.end(), 0);
        cache_->markGeneration = 1;
    }
    const uint32_t gen = cache_->markGeneration;
    const float limit = work->toNode->time;
    std::vector<const Tvertex*>& stack = cache_->searchStack;
    stack.clear();
    stack.push_back(work->fromNode);
    if (IndexOfNode(work->fromNode) >= 0) mark[size_t(work->fromNode->slot)] = gen;
    while (!stack.empty()) {
        const Tvertex* v = stack.back();
        stack.pop_back();
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w == work) continue;
            if (w->toNode == work->toNode) return true;
            const int32_t s = IndexOfNode(w->toNode);
            if (s < 0 || mark[size_t(s)] == gen) continue;
            mark[size_t(s)] = gen;
            if (timesRise && w->toNode->time > limit) continue;
            stack.push_back(w->toNode);
        }
    }
    return false;
}

bool Tpertgra::TimesRise() const
{
    const StructureCache& c = Cache();
    std::vector<float> times(c.nodeCount);
    for (size_t i = 0; i < c.nodeCount; ++i) times[i] = nodes[i]->time;
    for (size_t i = 0; i < c.nodeCount; ++i)
        for (int32_t k = c.outBegin[i]; k < c.outBegin[i + 1]; ++k) {
            const int32_t t = c.outTo[size_t(k)];
            if (t < 0 || times[size_t(t)] < times[i]) return false;
        }
    return true;
}

void Tpertgra::RecheckAuxiliaries()
{
    // The leaving works of the lookup index stand in the order of the nodes
    // and of each node's list; their kinds are read a few works ahead, and
    // compared as views, which looks at the length before any byte.
    std::vector<Tedge*> auxiliary;
    const StructureCache& c = Cache();
    const std::string_view auxiliaryKind(WorkKind::Auxiliary);
    Tedge* const* ow = c.outWork.data();
    const size_t count = c.outWork.size();
    for (size_t k = 0; k < count; ++k) {
        if (k + 16 < count) __builtin_prefetch(ow[k + 16], 0);
        if (k + 8 < count) __builtin_prefetch(&ow[k + 8]->data->kind, 0);
        if (std::string_view(ow[k]->data->kind) == auxiliaryKind) auxiliary.push_back(ow[k]);
    }
    if (auxiliary.empty()) return;
    // Each check depends on the links only, never on another check's result,
    // so the order of the work list matters only for the order of the
    // messages: it is built only when some work has lost its parallel path.
    const bool rise = TimesRise();
    bool allValid = true;
    for (Tedge* w : auxiliary) allValid = allValid && HasParallelPath(w, rise);
    if (allValid) {
        for (Tedge* w : auxiliary) {
            w->data->start = w->fromNode->time;
            w->data->duration = w->toNode->time - w->fromNode->time;
        }
        return;
    }
    for (Tedge* w : AllWorks())
        if (w->data->IsAuxiliary()) RecheckAuxiliary(w);
}

bool Tpertgra::CanBeMilestone(const Tedge* work)
{
    const Tvertex* f = work->fromNode;
    const Tvertex* t = work->toNode;
    if (!f || !t) return false;
    if (f->inCount == 0 && f->outCount == 1 && t->inCount + t->outCount > 1) return true;
    if (t->outCount == 0 && t->inCount == 1 && f->inCount + f->outCount > 1) return true;
    return false;
}

bool Tpertgra::MakeAuxiliary(Tedge* work)
{
    if (!IsValidAuxiliary(work)) {
        ShowWarning("辅助工作的前后节点间必须还有其它工作，该工作不能设为辅助工作！");
        return false;
    }
    work->data->kind = WorkKind::Auxiliary;
    work->data->start = work->fromNode->time;
    work->data->duration = work->toNode->time - work->fromNode->time;
    return true;
}

void Tpertgra::RecheckAuxiliary(Tedge* work)
{
    if (IsValidAuxiliary(work)) {
        work->data->start = work->fromNode->time;
        work->data->duration = work->toNode->time - work->fromNode->time;
    } else {
        work->data->kind = WorkKind::Real;
        ShowWarning("辅助工作的前后节点间必须还有其它工作，自动转为实工作！");
    }
}

void Tpertgra::ApplyWorkData(Tedge* work, const Tworkdata& edited)
{
    Tworkdata rec = edited;
    if (rec.workNo != work->data->workNo) InvalidateWorkNumbers();
    if (rec.kind == WorkKind::Auxiliary) {
        // A refused auxiliary kind leaves the work exactly as it was; copying the
        // record first would leave a work that claims a kind it cannot have.
        if (!IsValidAuxiliary(work)) {
            MakeAuxiliary(work);
            return;
        }
        *work->data = rec;
        if (MakeAuxiliary(work)) Reschedule();
        return;
    }
    std::string kind = rec.kind;
    std::string name = rec.name;
    if (rec.kind == WorkKind::Milestone) {
        if (CanBeMilestone(work)) {
            rec.duration = 0;
            if (name.empty()) name = WorkKind::Milestone;
        } else {
            ShowWarning("此工作不能作为里程碑！");
            kind = work->data->kind;
        }
    }
    if (ChangeDuration(work, rec.duration)) Reschedule();
    const float s = std::max(rec.start, 0.0f);
    if (work->data->critical && work->fromNode && work->fromNode->inCount == 0)
        MoveStartNode(work->fromNode, s);
    else
        MoveWorkStart(work, s);
    const float keepStart = work->data->start;
    const float keepDuration = work->data->duration;
    *work->data = rec;
    work->data->start = keepStart;
    work->data->duration = keepDuration;
    work->data->kind = kind;
    work->data->name = name;
    ComputeTimes();
}

namespace {

// Re-points every set nextSegment at the continuation leaving the work's
// end node (the last one in list order); none found leaves it unset.
void RelinkSegments(const std::vector<std::unique_ptr<Tvertex>>& nodes)
{
    for (const auto& v : nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (!w->nextSegment) continue;
            Tedge* cont = nullptr;
            if (w->toNode)
                for (Tedge* x = w->toNode->firstWork; x; x = x->nextWork)
                    if (x->isContinuation) cont = x;
            w->nextSegment = cont;
        }
}

}

std::unique_ptr<Tpertgra> Tpertgra::Clone() const
{
    auto net = std::make_unique<Tpertgra>();
    // Works find their end node by its storage position: ids are only unique
    // after a successful time order, and a network with a loop has none.
    Cache();
    net->nodes.reserve(nodes.size());
    for (const auto& v : nodes) net->nodes.emplace_back(v->CopyNode());
    for (size_t i = 0; i < nodes.size(); ++i) {
        Tvertex* src = nodes[i].get();
        Tvertex* dst = net->nodes[i].get();
        if (!src->firstWork) continue;
        dst->firstWork = Tedge::CopyWorkChain(*src->firstWork);
        for (Tedge *a = src->firstWork, *b = dst->firstWork; a && b; a = a->nextWork, b = b->nextWork) {
            b->fromNode = dst;
            const int32_t k = IndexOfNode(a->toNode);
            b->toNode = k >= 0 ? net->nodes[size_t(k)].get() : nullptr;
        }
    }
    // A copied resource entry starts with draw mode 0; the copies of the
    // history keep the modes the diagrams are drawn with.
    for (size_t i = 0; i < nodes.size(); ++i)
        for (Tedge *a = nodes[i]->firstWork, *b = net->nodes[i]->firstWork; a && b;
             a = a->nextWork, b = b->nextWork)
            for (size_t j = 0; j < a->data->resources.size() && j < b->data->resources.size(); ++j)
                b->data->resources[j].drawMode = a->data->resources[j].drawMode;
    CopySettingsInto(*net);
    net->FinishCopy();
    return net;
}

void Tpertgra::CopySettingsInto(Tpertgra& net) const
{
    net.CopySettingsFrom(*this);
    for (size_t i = 0; i < customResourceDays.size() && i < net.customResourceDays.size(); ++i)
        for (Trecsource *a = customResourceDays[i].get(), *b = net.customResourceDays[i].get();
             a && b; a = a->next.get(), b = b->next.get())
            b->drawMode = a->drawMode;
    // The display range goes with the copy, so that undo and redo give back
    // the range the planner set and a later save writes it.
    net.showStart = showStart;
    net.showEnd = showEnd;
    net.maxWorkNo_ = maxWorkNo_;
    net.maxWorkNoValid_ = maxWorkNoValid_;
}

void Tpertgra::FinishCopy()
{
    RelinkSegments(nodes);
    InvalidateStructure();
    Reschedule();
}

std::unique_ptr<Tpertgra> Tpertgra::BuildFromWorks(const std::vector<Tedge*>& works) const
{
    auto net = std::make_unique<Tpertgra>();
    Cache();
    std::vector<int32_t> copyOf(nodes.size(), -1);
    auto copyNode = [&](Tvertex* v) {
        const int32_t k = IndexOfNode(v);
        if (k < 0) return;
        if (copyOf[size_t(k)] >= 0) return;
        Tvertex* c = v->CopyNode();
        c->inCount = 0;
        c->outCount = 0;
        copyOf[size_t(k)] = int32_t(net->nodes.size());
        net->nodes.emplace_back(c);
    };
    // A start node is listed once, also when it was copied before as the
    // end node of an earlier work (a chain copied from its first work on).
    std::vector<Tvertex*> fromNodes;
    std::vector<char> listed(nodes.size(), 0);
    std::vector<const Tedge*> chosen(works.begin(), works.end());
    std::sort(chosen.begin(), chosen.end());
    for (Tedge* w : works) {
        if (!w->fromNode || !w->toNode) continue;
        const int32_t k = IndexOfNode(w->fromNode);
        copyNode(w->fromNode);
        if (k >= 0 && !listed[size_t(k)]) {
            listed[size_t(k)] = 1;
            fromNodes.push_back(w->fromNode);
        }
        copyNode(w->toNode);
    }
    auto isGiven = [&](const Tedge* w) { return std::binary_search(chosen.begin(), chosen.end(), w); };
    for (Tvertex* src : fromNodes) {
        Tvertex* dst = net->nodes[size_t(copyOf[size_t(src->slot)])].get();
        Tedge* tail = nullptr;
        for (Tedge* w = src->firstWork; w; w = w->nextWork) {
            if (!isGiven(w) || !w->toNode) continue;
            const int32_t k = IndexOfNode(w->toNode);
            if (k < 0) continue;
            auto* c = new Tedge;
            c->CopyWork(*w);
            c->fromNode = dst;
            c->toNode = net->nodes[size_t(copyOf[size_t(k)])].get();
            if (tail) tail->nextWork = c;
            else dst->firstWork = c;
            tail = c;
            ++dst->outCount;
            ++c->toNode->inCount;
        }
    }
    for (const auto& v : net->nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w->fromNode->inCount == 0 && w->isContinuation) {
                w->isContinuation = false;
                w->fromNode->joint = false;
            }
            if (w->toNode->outCount == 0 && w->nextSegment) {
                w->nextSegment = nullptr;
                w->toNode->joint = false;
            }
        }
    RelinkSegments(net->nodes);
    net->InvalidateStructure();
    net->Renumber();
    net->TimeOrder();
    net->ComputeTimes();
    return net;
}

