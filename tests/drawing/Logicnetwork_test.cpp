#include <gtest/gtest.h>

#include "drawing/Drawtest.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Framelayout.h"
#include "drawing/Timeaxis.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "schedule/Logicpert.h"
#include "support/Netbuilder.h"

namespace {

void Chain(TNetBuilder& b)
{
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 7);
    b.Work('C', 'D', 1);
    b.Place();
    b.net->Recalculate();
}

std::vector<int32_t> Xs(const Tpertgra& net)
{
    std::vector<int32_t> x;
    for (const auto& v : net.nodes) x.push_back(v->x);
    return x;
}

void ShowLogic(Tpertgra& net)
{
    net.networkView = true;
    net.resourceOnlyView = false;
    net.networkKind = 1;
}

TEST(LogicNetworkView, RelayoutPlacesLevelsFromTheOrigin)
{
    // With the frame shown the time-scaled view starts right of the group
    // column and the ruler names; the logic view starts at the origin.
    TNetBuilder b = DatedBuilder();
    Chain(b);
    b.net->showFrame = true;
    ShowLogic(*b.net);
    LayoutNetwork(*b.net);
    EXPECT_EQ(Xs(*b.net), (std::vector<int32_t>{50, 150, 250, 350}));
    EXPECT_EQ(b.net->nodes[0]->y, int32_t(Y0(*b.net)));
    const TTimeAxis axis(*b.net);
    EXPECT_EQ(TFrameLayout::Of(*b.net, axis, 1, 1).projectEndX, 350);
    // The real times stay: 0, 3, 10, 11.
    EXPECT_EQ(b.net->nodes[3]->time, 11);
}

TEST(LogicNetworkView, RestPeriodsAreInsertedLikeForTimes)
{
    TNetBuilder b = DatedBuilder();
    Chain(b);
    ShowLogic(*b.net);
    LayoutNetwork(*b.net);
    const std::vector<int32_t> plain = Xs(*b.net);
    SetRestDays(*b.net, {b.net->projectStart + 5 * 86400, b.net->projectStart + 6 * 86400});
    LayoutNetwork(*b.net);
    const std::vector<int32_t> rested = Xs(*b.net);
    EXPECT_EQ(rested[0], plain[0]);
    EXPECT_EQ(rested[1] - plain[1], 20);
    EXPECT_EQ(rested[2] - plain[2], 20);
}

TEST(LogicNetworkView, OtherFactorsScaleTheLayoutAndScreenComesBack)
{
    TNetBuilder b = DatedBuilder();
    Chain(b);
    b.N('C')->row = 1;
    b.W("BC")->row = 1;
    ShowLogic(*b.net);
    LayoutNetwork(*b.net);
    std::vector<std::pair<int32_t, int32_t>> screen;
    for (const auto& v : b.net->nodes) screen.emplace_back(v->x, v->y);
    const auto bc = b.W("BC")->lineGeom;
    LayoutNetwork(*b.net, 2, 3);
    for (size_t i = 0; i < screen.size(); ++i) {
        EXPECT_EQ(b.net->nodes[i]->x, 2 * screen[i].first);
        EXPECT_EQ(b.net->nodes[i]->y, 3 * screen[i].second);
    }
    LayoutNetwork(*b.net);
    for (size_t i = 0; i < screen.size(); ++i)
        EXPECT_EQ(std::make_pair(b.net->nodes[i]->x, b.net->nodes[i]->y), screen[i]);
    EXPECT_EQ(b.W("BC")->lineGeom, bc);
}

TEST(LogicNetworkView, MinimumLengthDisplacesShortLevels)
{
    // A day width of 2 makes a level step 20 units, under the minimum work
    // length 28: the displacement pass pushes every end node out.
    TNetBuilder b = DatedBuilder();
    Chain(b);
    ShowLogic(*b.net);
    b.net->timeScale.dayWidth = 2;
    LayoutNetwork(*b.net);
    const auto x = Xs(*b.net);
    for (size_t i = 1; i < x.size(); ++i) EXPECT_GE(x[i] - x[i - 1], 28) << i;
    const float times[] = {0, 3, 10, 11};
    for (size_t i = 0; i < x.size(); ++i) EXPECT_EQ(b.net->nodes[i]->time, times[i]);
}

}
