#include "support/Plangen.h"

#include <algorithm>
#include <random>
#include <vector>

#include "model/Pertgra.h"

namespace {

struct Builder {
    Tpertgra& net;
    std::mt19937 rng;
    std::vector<Tvertex*> byRank;   // creation order is a topological order
    std::vector<int32_t> rankOf;    // by node slot in byRank
    int32_t works = 0;

    Tvertex* NewNode(int32_t row)
    {
        auto* v = new Tvertex;
        v->row = row;
        net.AddNode(v);
        byRank.push_back(v);
        return v;
    }

    Tedge* Link(Tvertex* from, Tvertex* to, const char* kind, float duration, int32_t row)
    {
        auto* w = new Tedge;
        w->data->kind = kind;
        w->data->duration = duration;
        w->data->name = std::string(kind == WorkKind::Real ? "工作" : "") + std::to_string(works + 1);
        w->row = row;
        net.LinkWork(from, to, w);
        ++works;
        return w;
    }

    float Duration(bool fractional)
    {
        std::uniform_int_distribution<int> d(1, 10);
        float v = float(d(rng));
        if (fractional && rng() % 4 == 0) v += 0.5f;
        return v;
    }
};

}

std::unique_ptr<Tpertgra> GeneratePlan(const TPlanShape& shape)
{
    auto net = std::make_unique<Tpertgra>();
    Builder b{*net, std::mt19937(shape.seed), {}, {}, 0};
    const int32_t total = std::max(shape.works, 0);
    if (total == 0) return net;
    const int32_t starts = std::max(1, std::min(shape.startNodes, total));

    struct Tip {
        Tvertex* node;
        int32_t row;
        std::vector<Tvertex*> chain;
    };
    std::vector<Tip> tips;
    int32_t rows = 0;
    for (int32_t i = 0; i < starts; ++i) {
        Tvertex* s = b.NewNode(rows);
        tips.push_back({s, rows++, {s}});
    }
    std::uniform_real_distribution<double> u(0, 1);
    auto remaining = [&]() { return total - b.works - int32_t(tips.size()); };

    while (remaining() > 0) {
        const double r = u(b.rng);
        Tip& tip = tips[b.rng() % tips.size()];
        if (r < shape.forkShare && remaining() >= 2 && b.byRank.size() > 1) {
            // a new chain leaves some existing node (never the end: it does not exist yet)
            Tvertex* from = b.byRank[b.rng() % b.byRank.size()];
            Tvertex* to = b.NewNode(rows);
            b.Link(from, to, WorkKind::Real, b.Duration(shape.fractional), rows);
            tips.push_back({to, rows, {from, to}});
            ++rows;
        } else if (r < shape.forkShare + shape.dummyShare && b.byRank.size() > 2) {
            // dummy from an earlier node into a later one keeps the plan loop-free
            size_t i = b.rng() % b.byRank.size();
            size_t j = b.rng() % b.byRank.size();
            if (i == j) continue;
            if (i > j) std::swap(i, j);
            if (b.byRank[j]->inCount == 0) continue;  // keep the start nodes starts
            b.Link(b.byRank[i], b.byRank[j], WorkKind::Dummy, 0, b.byRank[i]->row);
        } else if (r < shape.forkShare + shape.dummyShare + shape.auxiliaryShare &&
                   tip.chain.size() >= 3) {
            const size_t k = tip.chain.size();
            b.Link(tip.chain[k - 3], tip.chain[k - 1], WorkKind::Auxiliary, 0, tip.row);
        } else if (r < shape.forkShare + shape.dummyShare + shape.auxiliaryShare +
                           shape.milestoneShare &&
                   tip.chain.size() >= 2 && tip.chain[1]->outCount > 0) {
            // a milestone from its own start node into a chain node that has other works
            Tvertex* s = b.NewNode(tip.row);
            b.Link(s, tip.chain[1], WorkKind::Milestone, 0, tip.row);
        } else {
            Tvertex* to = b.NewNode(tip.row);
            b.Link(tip.node, to, WorkKind::Real, b.Duration(shape.fractional), tip.row);
            tip.node = to;
            tip.chain.push_back(to);
        }
    }
    Tvertex* end = b.NewNode(0);
    for (Tip& t : tips) {
        if (b.works % 3 == 0) b.Link(t.node, end, WorkKind::Dummy, 0, t.row);
        else b.Link(t.node, end, WorkKind::Real, b.Duration(shape.fractional), t.row);
    }

    // Place every node at the latest finish of the works into it, in creation
    // order (a topological order), and every work at its start node.
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
