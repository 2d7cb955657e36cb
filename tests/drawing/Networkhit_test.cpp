#include "drawing/Networkhit.h"

#include <gtest/gtest.h>

#include "drawing/Drawtest.h"
#include "drawing/Fenzu.h"
#include "drawing/Layoutpass.h"
#include "model/Pertgra.h"
#include "support/Fakemessages.h"

namespace {

// With the frame: day 0 at x 140 (origin 50, a group column of 40, the
// name cells of 50), row 0 at y 220, days 10 and rows 50 apart.
// A(0) -> C(20) on row 0; A -> B (10 days) on row 1; B -> D, a vertical
// dummy from row 1 down to row 3; D -> C on row 3.
struct THitFixture {
    THitFixture()
    {
        b.Work('A', 'C', 20);
        b.Work('A', 'B', 10)->row = 1;
        b.N('B')->row = 1;
        b.Work('B', 'D', 0, WorkKind::Dummy)->row = 1;
        b.N('D')->row = 3;
        b.Work('D', 'C', 10)->row = 3;
        b.net->groups.groupColumnWidth = 40;
        Tfenzu g;
        g.position = TPosition2D{50, 100};
        g.width = 40;
        g.height = 100;
        b.net->groups.items = {g, g};
        b.net->groups.items[1].position.y = 200;
        b.Place();
        b.net->Recalculate();
        // No displacements: B and D stay at one x, so the dummy is vertical.
        PlaceNodesAndWorks(*b.net, 1, 1);
    }
    TFakeMessages messages;
    TNetBuilder b = DatedBuilder();
};

TEST(NetworkHit, ClassesAtChosenPoints)
{
    THitFixture f;
    Tpertgra& net = *f.b.net;
    ASSERT_EQ(f.b.N('A')->x, 140);
    ASSERT_EQ(f.b.N('A')->y, 220);
    ASSERT_EQ(f.b.N('C')->x, 340);
    ASSERT_EQ(f.b.N('B')->x, 240);
    ASSERT_EQ(f.b.N('D')->x, 240);
    struct Case {
        const char* what;
        TPosition2D p;
        const char* hitClass;
        const char* work;    // name of the work hit, "" for none
        int32_t group;
    };
    const Case cases[] = {
        {"on a node", {141, 222}, "node", "", -1},
        {"7 units beside a node", {147, 220}, "node", "", -1},
        {"front third of A -> C", {200, 221}, "f", "AC", -1},
        {"middle third of A -> C", {240, 218}, "m", "AC", -1},
        {"back third of A -> C", {300, 225}, "b", "AC", -1},
        {"too far from the line", {240, 226}, "", "", -1},
        {"middle of A -> B on row 1", {190, 270}, "m", "AB", -1},
        {"the vertical dummy, front third", {242, 285}, "f", "BD", -1},
        {"the vertical dummy, back third", {238, 355}, "b", "BD", -1},
        {"empty ground", {200, 300}, "", "", -1},
        {"inside the first group", {70, 150}, "fenzu", "", 0},
        {"inside the second group", {70, 260}, "fenzu", "", 1},
        {"near the first group's lower edge", {70, 198}, "fenzuline", "", 0},
        {"above the column", {70, 99}, "", "", -1},
        {"on the column's left edge", {50, 150}, "", "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TNetworkHit h = HitTestNetwork(net, c.p);
        EXPECT_EQ(h.hitClass, c.hitClass);
        EXPECT_EQ(h.work ? h.work->data->name : std::string(), c.work);
        EXPECT_EQ(h.group, c.group);
        EXPECT_EQ(h.node != nullptr, std::string(c.hitClass) == "node");
    }
}

TEST(NetworkHit, GroupsOnlyWithTheFrameInTheNetworkView)
{
    THitFixture f;
    Tpertgra& net = *f.b.net;
    EXPECT_TRUE(InGroupColumn(net, {70, 150}));
    net.showFrame = false;
    EXPECT_FALSE(InGroupColumn(net, {70, 150}));
    EXPECT_EQ(GroupIndexAt(net, {70, 150}), -1);
    net.showFrame = true;
    net.networkView = false;
    EXPECT_EQ(GroupEdgeAt(net, {70, 200}), -1);
    net.networkView = true;
    // Below the network area the column ends.
    EXPECT_FALSE(InGroupColumn(net, {70, 2000}));
}

TEST(NetworkHit, CriticalWorkWinsOverOneAtTheSamePlace)
{
    TFakeMessages messages;
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 10);
    b.Work('A', 'C', 10);
    b.Work('C', 'D', 10);
    b.Work('B', 'D', 5);
    b.Place();
    b.net->Recalculate();
    ComputeDisplacements(*b.net);
    PlaceNodesAndWorks(*b.net, 1, 1);
    // A -> B and A -> C lie on one row over the same span; both are critical
    // or not alike, so make only the second critical.
    b.W("AB")->data->critical = false;
    b.W("AC")->data->critical = true;
    char third = 0;
    const Tedge* w = WorkAtPoint(*b.net, {b.N('A')->x + 50.0, double(b.N('A')->y)}, &third);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->data->name, "AC");
    EXPECT_EQ(third, 'm');
}

}
