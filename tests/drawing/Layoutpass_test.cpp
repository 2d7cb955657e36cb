#include "drawing/Layoutpass.h"
#include "editing/Relayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "drawing/Displace.h"
#include "drawing/Displaysettings.h"
#include "drawing/Drawtest.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Timeaxis.h"
#include "drawing/Tpertgrid.h"
#include "drawing/Workgeometry.h"
#include "model/Edge.h"
#include "model/Pertgra.h"
#include "model/Vertex.h"
#include "model/Workdata.h"
#include "schedule/Perttime_out.h"
#include "support/Fakemessages.h"
#include "support/Plangen.h"

namespace {

struct TEntryValues {
    float day;
    int32_t shift;
    int32_t firstShift;
    bool operator==(const TEntryValues&) const = default;
};

void PrintTo(const TEntryValues& e, std::ostream* os)
{
    *os << "{" << e.day << ", " << e.shift << ", " << e.firstShift << "}";
}

std::vector<TEntryValues> Table(const Tpertgra& net)
{
    std::vector<TEntryValues> t;
    for (const auto& d : net.displacements) t.push_back({d->day, d->shift, d->firstShift});
    return t;
}

// Recalculated, then only the displacement pass and the positions, so the
// rows stay as the test set them.
void Displace(TNetBuilder& b)
{
    b.Place();
    b.net->Recalculate();
    ComputeDisplacements(*b.net);
    PlaceNodesAndWorks(*b.net, 1, 1);
}

TEST(LayoutPass, MinimumWorkLength)
{
    struct Case {
        const char* what;
        const char* kind;
        float duration;
        int32_t dx;   // end node x - start node x
    };
    const Case cases[] = {
        {"an ordinary work of no duration", WorkKind::Real, 0, 28},
        // A dummy's length is never raised, but the two nodes of one day on
        // meeting rows are partners, and partners stand apart.
        {"a dummy of one day: its nodes are partners", WorkKind::Dummy, 0, 28},
        {"a short work", WorkKind::Real, 1, 28},
        {"a suspended work counts like a real one", WorkKind::Suspended, 2, 28},
        {"a long work keeps its length", WorkKind::Real, 5, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNetBuilder b;
        b.Work('A', 'B', c.duration, c.kind);
        Displace(b);
        EXPECT_EQ(b.N('B')->x - b.N('A')->x, c.dx);
        EXPECT_EQ(b.N('A')->x, 100);
    }
}

TEST(LayoutPass, ChainOfShortWorks)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 2);
    b.Work('C', 'D', 5);
    Displace(b);
    EXPECT_EQ(b.N('A')->x, 100);
    EXPECT_EQ(b.N('B')->x, 128);
    EXPECT_EQ(b.N('C')->x, 156);
    EXPECT_EQ(b.N('D')->x, 206);
    EXPECT_EQ(Table(*b.net), (std::vector<TEntryValues>{{2, 8, 8}, {4, 8, 8}}));
    for (const auto& v : b.net->nodes) EXPECT_EQ(v->y, 220);
}

TEST(LayoutPass, NodesOfOneDayOnMeetingRowsStandApart)
{
    // B and C both at day 1; C on row 1. The work into C lies on row 0 in
    // the first case, so C's entering rows meet B's.
    for (int32_t workRow : {0, 1}) {
        SCOPED_TRACE(workRow);
        TNetBuilder b;
        b.Work('A', 'B', 1);
        Tedge* ac = b.Work('A', 'C', 1);
        ac->row = workRow;
        b.N('C')->row = 1;
        Displace(b);
        const int32_t bx = b.N('B')->x;
        const int32_t cx = b.N('C')->x;
        if (workRow == 0) {
            EXPECT_EQ(std::abs(bx - cx), 28);
            EXPECT_EQ(std::min(bx, cx), 128);
            EXPECT_EQ(Table(*b.net), (std::vector<TEntryValues>{{1, 46, 18}}));
        } else {
            EXPECT_EQ(bx, 128);
            EXPECT_EQ(cx, 128);
            EXPECT_EQ(Table(*b.net), (std::vector<TEntryValues>{{1, 18, 18}}));
        }
        EXPECT_EQ(b.net->nodePairs.empty(), false);
    }
}

TEST(LayoutPass, WorkGeometryWithFreeFloat)
{
    TNetBuilder b;
    b.Work('A', 'B', 5);
    b.Work('A', 'C', 2);
    Tedge* cb = b.Work('C', 'B', 1);
    cb->row = 1;
    Displace(b);
    EXPECT_EQ(b.N('C')->x, 128);
    EXPECT_EQ(b.N('B')->x, 158);
    const TWorkGeometry g = TWorkGeometry::Of(*cb);
    TWorkGeometry want;
    want.fromX = 128;
    want.fromY = 220;
    want.toX = 158;
    want.toY = 220;
    want.lineY = 270;
    want.startJoinY = 270;   // C stands on row 0, the work on row 1
    want.endJoinY = 270;
    want.lineStartX = 128;   // starts at its node's time: the node's x
    want.lineEndX = 138;     // finishes at day 3 with day 2's room counted
    EXPECT_EQ(g, want);
    const TWorkGeometry ab = TWorkGeometry::Of(*b.W("AB"));
    EXPECT_EQ(ab.lineStartX, 100);
    EXPECT_EQ(ab.lineEndX, 158);   // finishes at B's time: B's x
    EXPECT_EQ(ab.startJoinY, 220);
    // The stored form: line geometry and name geometry.
    EXPECT_EQ(cb->lineGeom, (std::array<int32_t, 8>{128, 220, 128, 270, 138, 270, 158, 220}));
    EXPECT_EQ(cb->nameGeom, (std::array<int32_t, 4>{128, 270, 138, 270}));
}

TEST(LayoutPass, RestDaysFactorsRowsAndLegend)
{
    TFakeMessages quiet;
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 5);
    Tedge* dummy = b.Work('B', 'C', 0, WorkKind::Dummy);
    dummy->row = -2;
    // Saturday and Sunday, calendar days 2 and 3.
    b.net->restIntervals.Add({Stamp(2007, 3, 3), Stamp(2007, 3, 5)});
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net, 2, 3);
    EXPECT_EQ(b.N('A')->x, 200);
    EXPECT_EQ(b.N('B')->x, 2 * (100 + 70));   // five working days end on calendar day 7
    EXPECT_EQ(b.N('A')->y, 3 * 220);
    EXPECT_EQ(dummy->row, 0);
    EXPECT_EQ(b.N('C')->row, 0);   // raised before the node took the work's row
    EXPECT_TRUE(b.net->grid->explain.legend.hasDummy);
    EXPECT_FALSE(b.net->grid->explain.legend.hasAuxiliary);
    EXPECT_FALSE(b.net->grid->explain.legend.hasSuspended);
}

TEST(LayoutPass, EmptyNetwork)
{
    Tpertgra net;
    LayoutNetwork(net);
    EXPECT_TRUE(net.displacements.empty());
    EXPECT_TRUE(net.nodePairs.empty());
}

// ---- the pass written out literally, to prove the indexed one ----

struct TLiteralResult {
    std::vector<int32_t> offsets;   // by storage order
    std::vector<TEntryValues> table;
    std::vector<std::pair<Tvertex*, Tvertex*>> pairs;
};

TLiteralResult LiteralPass(Tpertgra& net)
{
    std::vector<Tvertex*> l = net.TimeOrder();
    std::map<const Tvertex*, int32_t> disp;
    std::vector<TEntryValues> table;
    const double x0 = X0(net);
    const int32_t minLength = net.displaySettings.minWorkLength;
    auto xOfTime = [&](double t) {
        double x = x0 + net.timeScale.XOfDay(t);
        for (const TEntryValues& e : table)
            if (double(e.day) < t && !(std::fabs(double(e.day) - t) < 1e-8)) x += e.shift;
        return x;
    };
    auto x = [&](const Tvertex* v) { return xOfTime(v->time) + disp[v]; };
    auto spans = [&](const Tvertex* v, bool in) {
        int32_t lo = v->row, hi = v->row;
        if (in) {
            for (const Tedge* w : net.WorksInto(v)) lo = std::min(lo, w->row), hi = std::max(hi, w->row);
        } else {
            for (const Tedge* w = v->firstWork; w; w = w->nextWork)
                lo = std::min(lo, w->row), hi = std::max(hi, w->row);
        }
        return std::pair{lo, hi};
    };
    auto meet = [&](const Tvertex* n, const Tvertex* m) {
        auto [nil, nih] = spans(n, true);
        auto [nol, noh] = spans(n, false);
        auto [mil, mih] = spans(m, true);
        auto [mol, moh] = spans(m, false);
        const int32_t mlo = std::min(mil, mol), mhi = std::max(mih, moh);
        const int32_t nlo = std::min(nil, nol), nhi = std::max(nih, noh);
        return (mlo <= n->row && n->row <= mhi) || (nlo <= m->row && m->row <= nhi) ||
               (mil <= nih && nil <= mih) || (mol <= noh && nol <= moh);
    };
    TLiteralResult r;
    std::map<const Tvertex*, Tvertex*> partner;
    for (size_t i = 0; i < l.size(); ++i)
        for (size_t j = i + 1; j < l.size(); ++j)
            if (x(l[j]) - x(l[i]) < minLength && meet(l[i], l[j])) {
                partner[l[i]] = l[j];
                r.pairs.emplace_back(l[i], l[j]);
                break;
            }
    auto push = [&](const Tvertex* s, Tvertex* e) {
        const int32_t d = std::fabs(e->time - s->time) < 1e-8
                              ? int32_t(minLength + disp[s])
                              : int32_t(minLength - (xOfTime(e->time) - xOfTime(s->time) - disp[s]));
        disp[e] = d;
        for (TEntryValues& t : table)
            if (t.day == e->time) {
                t.shift = std::max(t.shift, d);
                return;
            }
        table.push_back({e->time, d, d});
    };
    for (Tvertex* v : l)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (!w->data->IsDummy() && !w->data->IsMilestone() && x(w->toNode) - x(v) < minLength)
                push(v, w->toNode);
    for (size_t k = 0; k + 1 < l.size(); ++k) {
        if (x(l[k + 1]) < x(l[k])) disp[l[k + 1]] = int32_t(x(l[k]) - xOfTime(l[k + 1]->time));
        auto p = partner.find(l[k]);
        if (p != partner.end() && !net.IsMilestoneEnd(p->second) && x(p->second) - x(l[k]) < minLength)
            push(l[k], p->second);
    }
    for (TEntryValues& t : table)
        for (Tvertex* v : l)
            if (std::fabs(double(v->time) - double(t.day)) < 1e-9) t.firstShift = std::min(t.firstShift, disp[v]);
    for (const auto& v : net.nodes) r.offsets.push_back(disp[v.get()]);
    r.table = table;
    return r;
}

TEST(LayoutPass, IndexedPassEqualsTheLiteralOne)
{
    TFakeMessages quiet;
    struct Shape {
        int32_t works;
        uint32_t seed;
        bool fractional;
        int32_t minLength;
        double dayWidth;
    };
    const Shape shapes[] = {
        {60, 1, false, 28, 10}, {200, 2, true, 28, 10}, {300, 3, false, 40, 3},
        {300, 4, true, 28, 1.5}, {150, 5, false, 0, 10}, {250, 6, false, 90, 7},
    };
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.seed);
        TPlanShape shape;
        shape.works = s.works;
        shape.seed = s.seed;
        shape.fractional = s.fractional;
        shape.startNodes = 5;
        auto net = GeneratePlan(shape);
        net->displaySettings.minWorkLength = s.minLength;
        net->timeScale.dayWidth = s.dayWidth;
        // Rows spread out, so that meeting rows are a real question.
        int32_t k = 0;
        for (const auto& v : net->nodes) {
            v->row = (k * 7) % 11;
            for (Tedge* w = v->firstWork; w; w = w->nextWork) w->row = (k++ * 5) % 13;
        }
        const TLiteralResult want = LiteralPass(*net);
        ComputeDisplacements(*net);
        std::vector<int32_t> offsets;
        for (const auto& v : net->nodes) offsets.push_back(v->xOffset);
        EXPECT_EQ(offsets, want.offsets);
        EXPECT_EQ(Table(*net), want.table);
        EXPECT_EQ(net->nodePairs, want.pairs);
        if (s.minLength > 0) {
            EXPECT_FALSE(want.table.empty());
        }
    }
}

TEST(LayoutPass, IndexedPassEqualsTheLiteralOneOnAWideFan)
{
    // Many end nodes of one day: the partner of a node lies far beyond the
    // first few positions after it, so the search tree answers.
    TFakeMessages quiet;
    for (int32_t rows : {7, 45, 90}) {
        SCOPED_TRACE(rows);
        Tpertgra net;
        auto* from = new Tvertex;
        net.AddNode(from);
        for (int32_t k = 0; k < 300; ++k) {
            auto* to = new Tvertex;
            net.AddNode(to);
            auto* w = new Tedge;
            w->data->duration = float(1 + k % 2);
            w->row = (k * 7) % rows;
            to->row = w->row;
            net.LinkWork(from, to, w);
        }
        net.Recalculate();
        const TLiteralResult want = LiteralPass(net);
        ComputeDisplacements(net);
        std::vector<int32_t> offsets;
        for (const auto& v : net.nodes) offsets.push_back(v->xOffset);
        EXPECT_EQ(offsets, want.offsets);
        EXPECT_EQ(Table(net), want.table);
        EXPECT_EQ(net.nodePairs, want.pairs);
    }
}

}
