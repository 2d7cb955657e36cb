#include "schedule/Logicpert.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "drawing/Displace.h"
#include "model/Pertgra.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"

namespace {

// Day width 10 from x 50, rows 40 apart from y 100, no displacements.
class TPlainAxis : public ILogicAxis {
public:
    double Y0() const override { return 100; }
    double RowHeight() const override { return 40; }
    void Displace(Tpertgra& net) override
    {
        for (const auto& v : net.nodes) {
            v->xOffset = 0;
            seenTimes.push_back(v->time);
        }
        net.displacements.clear();
    }
    double XOfDay(double day) override { return 50 + 10 * day; }
    std::vector<float> seenTimes;
};

std::vector<int32_t> Xs(const TNetBuilder& b)
{
    std::vector<int32_t> x;
    for (const auto& v : b.net->nodes) x.push_back(v->x);
    return x;
}

TEST(LogicLayout, NodesStandAtTheirLevels)
{
    struct Case {
        const char* what;
        void (*build)(TNetBuilder&);
        std::vector<int32_t> x;   // by node, in order of appearance
    };
    const Case cases[] = {
        {"a chain of three works, durations play no part",
         [](TNetBuilder& b) {
             b.Work('A', 'B', 3);
             b.Work('B', 'C', 7);
             b.Work('C', 'D', 1);
         },
         {50, 150, 250, 350}},
        {"one work against three: the longest chain counts",
         [](TNetBuilder& b) {
             b.Work('A', 'D', 20);
             b.Work('A', 'B', 1);
             b.Work('B', 'C', 1);
             b.Work('C', 'D', 1);
         },
         {50, 350, 150, 250}},
        {"a dummy adds no length",
         [](TNetBuilder& b) {
             b.Work('A', 'B', 2);
             b.Work('B', 'C', 0, WorkKind::Dummy);
         },
         {50, 150, 150}},
        {"a milestone counts a full work",
         [](TNetBuilder& b) {
             b.Work('A', 'B', 0, WorkKind::Milestone);
             b.Work('B', 'C', 4);
         },
         {50, 150, 250}},
        {"an auxiliary work counts a full work",
         [](TNetBuilder& b) {
             b.Work('A', 'B', 2);
             b.Work('B', 'C', 2);
             b.Work('A', 'C', 4, WorkKind::Auxiliary);
             b.Work('C', 'D', 2, WorkKind::Suspended);
         },
         {50, 150, 250, 350}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNetBuilder b;
        c.build(b);
        b.Place();
        b.net->Recalculate();
        std::vector<float> times;
        for (const auto& v : b.net->nodes) times.push_back(v->time);
        TPlainAxis axis;
        LayoutLogicNetwork(*b.net, 1, axis);
        EXPECT_EQ(Xs(b), c.x);
        for (size_t i = 0; i < times.size(); ++i) EXPECT_EQ(b.net->nodes[i]->time, times[i]);
        EXPECT_EQ(LogicEndX(*b.net), *std::max_element(c.x.begin(), c.x.end()));
    }
}

TEST(LogicLayout, WorksRunFromNodeToNode)
{
    TNetBuilder b;
    b.Work('A', 'D', 20);
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1);
    b.Work('C', 'D', 1);
    b.N('B')->row = 1;
    b.N('C')->row = 1;
    b.W("AB")->row = 1;
    b.W("BC")->row = 1;
    b.Place();
    b.net->Recalculate();
    TPlainAxis axis;
    LayoutLogicNetwork(*b.net, 1, axis);
    // The single work spans the three levels of the other chain.
    const Tedge& ad = *b.W("AD");
    EXPECT_EQ(ad.lineGeom, (std::array<int32_t, 8>{50, 100, 50, 100, 350, 100, 350, 100}));
    EXPECT_EQ(ad.nameGeom, (std::array<int32_t, 4>{50, 100, 350, 100}));
    // A work leaving its start node's row joins it at its own row's y.
    const Tedge& ab = *b.W("AB");
    EXPECT_EQ(ab.lineGeom, (std::array<int32_t, 8>{50, 100, 50, 140, 150, 140, 150, 140}));
    const Tedge& cd = *b.W("CD");
    EXPECT_EQ(cd.lineGeom, (std::array<int32_t, 8>{250, 140, 250, 100, 350, 100, 350, 100}));
}

TEST(LogicLayout, LevelsFollowTheLinksNotDamagedTimes)
{
    // Node times against the links, as a damaged file may hold them: the
    // time order would put D first and give it level 0.
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1);
    b.Work('C', 'D', 1);
    b.net->Renumber();
    const float damaged[] = {9, 6, 3, 0};
    for (size_t i = 0; i < 4; ++i) b.net->nodes[i]->time = damaged[i];
    TPlainAxis axis;
    LayoutLogicNetwork(*b.net, 1, axis);
    EXPECT_EQ(Xs(b), (std::vector<int32_t>{50, 150, 250, 350}));
    // The displacement pass saw the levels; the damaged times are back.
    EXPECT_EQ(axis.seenTimes, (std::vector<float>{0, 10, 20, 30}));
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(b.net->nodes[i]->time, damaged[i]);
}

TEST(LogicLayout, TopologicalLevelsEqualTimeOrderLevelsOnSoundPlans)
{
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        auto net = GeneratePlan(TPlanShape{.works = 400, .seed = seed, .parts = int32_t(seed % 3 + 1)});
        TPlainAxis axis;
        const Tlogicpert logic(axis);
        const auto topological = logic.Levels(*net, net->order);
        const auto timeOrdered = logic.Levels(*net, net->TimeOrder());
        EXPECT_EQ(topological, timeOrdered);
    }
}

TEST(LogicLayout, EmptyNetworkAndScaling)
{
    Tpertgra empty;
    TPlainAxis axis;
    LayoutLogicNetwork(empty, 1, axis);
    EXPECT_EQ(LogicEndX(empty), 0);

    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1, WorkKind::Dummy);
    b.N('C')->row = 2;
    b.Place();
    b.net->Recalculate();
    LayoutLogicNetwork(*b.net, 1, axis);
    std::vector<std::pair<int32_t, int32_t>> before;
    for (const auto& v : b.net->nodes) before.emplace_back(v->x, v->y);
    ScaleLogicNetwork(*b.net, 2, 3, axis);
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(b.net->nodes[i]->x, 2 * before[i].first);
        EXPECT_EQ(b.net->nodes[i]->y, 3 * before[i].second);
    }
    // The work's own row is on the vertical factor too.
    EXPECT_EQ(b.W("BC")->nameGeom[1], 3 * 100);
    LayoutLogicNetwork(*b.net, 1, axis);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(std::make_pair(b.net->nodes[i]->x, b.net->nodes[i]->y), before[i]);
}

}
