#include "support/Plangen.h"

#include <algorithm>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/Pertgra.h"

namespace {

struct Tip {
    Tvertex* node;
    int32_t row;
    int32_t part;
    std::vector<Tvertex*> chain;
};

class Builder {
public:
    Builder(Tpertgra& net, uint32_t seed) : rng(seed), net_(net) {}

    Tvertex* NewNode(int32_t row, int32_t part)
    {
        auto* v = new Tvertex;
        v->row = row;
        net_.AddNode(v);
        index_[v] = int32_t(byRank.size());
        byRank.push_back(v);
        partOf_.push_back(part);
        return v;
    }
    int32_t Rank(const Tvertex* v) const { return index_.at(v); }
    int32_t PartOf(const Tvertex* v) const { return partOf_[size_t(Rank(v))]; }

    void Link(Tvertex* from, Tvertex* to, const char* kind, float duration, int32_t row)
    {
        auto* w = new Tedge;
        w->data->kind = kind;
        w->data->duration = duration;
        w->data->name = std::string(kind == WorkKind::Real ? "工作" : "") + std::to_string(works + 1);
        w->row = row;
        net_.LinkWork(from, to, w);
        ++works;
    }

    float Duration(bool fractional)
    {
        std::uniform_int_distribution<int> d(1, 10);
        float v = float(d(rng));
        if (fractional && rng() % 4 == 0) v += 0.5f;
        return v;
    }

    std::vector<Tvertex*> byRank;   // creation order is a topological order
    std::mt19937 rng;
    int32_t works = 0;

private:
    Tpertgra& net_;
    std::unordered_map<const Tvertex*, int32_t> index_;
    std::vector<int32_t> partOf_;
};

}

std::unique_ptr<Tpertgra> GeneratePlan(const TPlanShape& shape)
{
    auto net = std::make_unique<Tpertgra>();
    const int32_t total = std::max(shape.works, 0);
    if (total == 0) return net;
    Builder b(*net, shape.seed);
    const int32_t parts = std::max(1, shape.parts);
    const int32_t starts = std::max(parts, std::min(shape.startNodes, total / 2 + 1));

    std::vector<Tip> tips;
    int32_t rows = 0;
    for (int32_t i = 0; i < starts; ++i) {
        Tvertex* s = b.NewNode(rows, i % parts);
        tips.push_back({s, rows++, i % parts, {s}});
    }
    // one end node per part comes last; keep room for the works into it
    auto remaining = [&]() { return total - b.works - int32_t(tips.size()); };
    std::uniform_real_distribution<double> u(0, 1);
    const double fork = shape.forkShare;
    const double dummy = fork + shape.dummyShare;
    const double aux = dummy + shape.auxiliaryShare;
    const double mile = aux + shape.milestoneShare;

    while (remaining() > 0) {
        const double r = u(b.rng);
        Tip& tip = tips[b.rng() % tips.size()];
        if (r < fork && remaining() >= 2 && tip.chain.size() > 1) {
            // a new chain leaves a node of this chain
            Tvertex* from = tip.chain[b.rng() % tip.chain.size()];
            Tvertex* to = b.NewNode(rows, tip.part);
            b.Link(from, to, WorkKind::Real, b.Duration(shape.fractional), rows);
            tips.push_back({to, rows, tip.part, {from, to}});
            ++rows;
        } else if (r < dummy && b.byRank.size() > 2) {
            // from an earlier node into a later one of the same part: no loop
            size_t i, j;
            if (shape.dummyReach > 0) {
                j = b.rng() % b.byRank.size();
                i = j - std::min<size_t>(j, 1 + b.rng() % size_t(shape.dummyReach));
            } else {
                i = b.rng() % b.byRank.size();
                j = b.rng() % b.byRank.size();
                if (i > j) std::swap(i, j);
            }
            Tvertex* from = b.byRank[i];
            Tvertex* to = b.byRank[j];
            if (i == j || to->inCount == 0 || b.PartOf(from) != b.PartOf(to)) {
                Tvertex* next = b.NewNode(tip.row, tip.part);
                b.Link(tip.node, next, WorkKind::Real, b.Duration(shape.fractional), tip.row);
                tip.node = next;
                tip.chain.push_back(next);
                continue;
            }
            b.Link(from, to, WorkKind::Dummy, 0, from->row);
        } else if (r < aux && tip.chain.size() >= 3) {
            const size_t k = tip.chain.size();
            b.Link(tip.chain[k - 3], tip.chain[k - 1], WorkKind::Auxiliary, 0, tip.row);
        } else if (r < mile && tip.chain.size() >= 2 && tip.chain[1]->outCount > 0) {
            // a milestone from its own start node into a chain node with other works
            Tvertex* s = b.NewNode(tip.row, tip.part);
            b.Link(s, tip.chain[1], WorkKind::Milestone, 0, tip.row);
        } else {
            Tvertex* next = b.NewNode(tip.row, tip.part);
            b.Link(tip.node, next, WorkKind::Real, b.Duration(shape.fractional), tip.row);
            tip.node = next;
            tip.chain.push_back(next);
        }
    }
    std::vector<Tvertex*> ends;
    for (int32_t p = 0; p < parts; ++p) ends.push_back(b.NewNode(0, p));
    for (Tip& t : tips) {
        if (b.works % 3 == 0) b.Link(t.node, ends[size_t(t.part)], WorkKind::Dummy, 0, t.row);
        else b.Link(t.node, ends[size_t(t.part)], WorkKind::Real, b.Duration(shape.fractional), t.row);
    }

    // Each node at the latest finish of the works into it, in creation order
    // (a topological order); every work starts at its start node.
    for (Tvertex* v : b.byRank) {
        float t = 0;
        for (Tedge* w : net->WorksInto(v))
            if (!w->data->IsAuxiliary()) t = std::max(t, w->fromNode->time + w->data->duration);
        v->time = t;
    }
    for (Tvertex* v : b.byRank)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            w->data->start = v->time;
            if (w->data->IsAuxiliary()) w->data->duration = w->toNode->time - v->time;
        }
    net->Recalculate();
    return net;
}

std::vector<Tedge*> AppendChain(Tpertgra& net, int32_t works, uint32_t seed)
{
    std::mt19937 rng(seed);
    int32_t row = 0;
    for (const auto& v : net.nodes) {
        row = std::max(row, v->row + 1);
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) row = std::max(row, w->row + 1);
    }
    std::vector<Tedge*> chain;
    auto* from = new Tvertex;
    from->row = row;
    net.AddNode(from);
    for (int32_t i = 0; i < works; ++i) {
        auto* to = new Tvertex;
        to->row = row;
        const float d = float(1 + rng() % 5);
        to->time = from->time + d;
        net.AddNode(to);
        auto* w = new Tedge;
        w->data->name = "L" + std::to_string(i + 1);
        w->data->duration = d;
        w->data->start = from->time;
        w->row = row;
        net.LinkWork(from, to, w);
        chain.push_back(w);
        from = to;
    }
    net.Recalculate();
    return chain;
}
