// Adding works: the operation the anchors select, what each one builds, and
// the refusals.
#include <gtest/gtest.h>

#include <functional>

#include "drawing/Timeaxis.h"
#include "editing/Relayout.h"
#include "editing/Rowops.h"
#include "editing/Workinsert.h"
#include "schedule/Calendar.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

Tworkdata Data(float duration, const char* kind = WorkKind::Real, float start = 0)
{
    Tworkdata d;
    d.name = "新工作";
    d.duration = duration;
    d.kind = kind;
    d.start = start;
    return d;
}

// A chain A -3-> B -4-> C on row 0, laid out.
void Chain(TNetBuilder& b)
{
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
}

TPosition2D PointAt(const Tpertgra& net, double day, int32_t row, double below = 2)
{
    const TTimeAxis axis(net);
    return {axis.XOfTime(CalendarDay(net, day)), Y0(net) + row * RowHeight(net) + below};
}

struct Case {
    const char* name;
    std::function<void(TNetBuilder&)> setup;
    std::function<TAddAnchors(TNetBuilder&)> anchors;
    float duration;
    // expected after Recalculate
    size_t nodes, works;
    float fromTime, toTime;
    int32_t row;
    std::function<void(TNetBuilder&, Tedge*)> more;
};

const std::vector<Case> kCases = {
    {"first work of an empty network", [](TNetBuilder&) {},
     [](TNetBuilder&) { return TAddAnchors{}; }, 5, 2, 1, 0, 5, 0, nullptr},
    {"after a node: its works follow the new one", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.kind = TAddAnchors::Node;
         a.node = b.N('B');
         return a;
     },
     2, 4, 3, 3, 5, 0,
     [](TNetBuilder& b, Tedge* w) {
         EXPECT_EQ(w->fromNode, b.N('B'));
         EXPECT_EQ(b.N('B')->outCount, 1);
         EXPECT_EQ(b.W("BC")->fromNode, w->toNode);
         EXPECT_FLOAT_EQ(b.N('C')->time, 9);
     }},
    {"after a work (back third)", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.kind = TAddAnchors::Work;
         a.work = b.W("AB");
         a.zone = 'b';
         return a;
     },
     2, 4, 3, 3, 5, 0,
     [](TNetBuilder& b, Tedge* w) {
         EXPECT_EQ(b.W("AB")->toNode, w->fromNode);
         EXPECT_EQ(w->toNode, b.N('B'));
         EXPECT_FLOAT_EQ(b.N('C')->time, 9);
     }},
    {"before a work (front third)", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.kind = TAddAnchors::Work;
         a.work = b.W("BC");
         a.zone = 'f';
         return a;
     },
     2, 4, 3, 3, 5, 0,
     [](TNetBuilder& b, Tedge* w) {
         EXPECT_EQ(w->fromNode, b.N('B'));
         EXPECT_EQ(b.W("BC")->fromNode, w->toNode);
         EXPECT_EQ(w->toNode->outCount, 1);
         EXPECT_FLOAT_EQ(b.N('C')->time, 9);
     }},
    {"across a work (middle third) on a row of its own", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.kind = TAddAnchors::Work;
         a.work = b.W("AB");
         a.zone = 'm';
         return a;
     },
     1, 3, 3, 0, 3, 0,
     [](TNetBuilder& b, Tedge* w) {
         EXPECT_EQ(w->fromNode, b.N('A'));
         EXPECT_EQ(w->toNode, b.N('B'));
         EXPECT_NE(w->row, b.W("AB")->row);
         EXPECT_FLOAT_EQ(b.N('C')->time, 7);
     }},
    {"out of a node into empty ground", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.startNode = b.N('B');
         a.start = PointAt(*b.net, 3, 0);
         a.end = PointAt(*b.net, 6, 2);
         a.entry = a.end;
         return a;
     },
     3, 4, 3, 3, 6, 2,
     [](TNetBuilder& b, Tedge* w) {
         EXPECT_EQ(w->fromNode, b.N('B'));
         EXPECT_EQ(w->toNode->outCount, 0);
     }},
    {"dragged right to left: the points are swapped", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.endNode = b.N('C');
         a.end = PointAt(*b.net, 7, 0);
         a.start = PointAt(*b.net, 12, 1);
         a.entry = a.start;
         return a;
     },
     2, 4, 3, 7, 9, 1,
     [](TNetBuilder& b, Tedge* w) { EXPECT_EQ(w->fromNode, b.N('C')); }},
    {"from empty ground into a node", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.start = PointAt(*b.net, 1, 1);
         a.endNode = b.N('C');
         a.end = PointAt(*b.net, 7, 0);
         a.entry = a.end;
         return a;
     },
     2, 4, 3, 0, 7, 1,
     [](TNetBuilder& b, Tedge* w) {
         EXPECT_EQ(w->toNode, b.N('C'));
         EXPECT_EQ(w->fromNode->row, w->row);
         EXPECT_EQ(w->fromNode->inCount, 0);
     }},
    {"between two nodes", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.startNode = b.N('A');
         a.endNode = b.N('C');
         a.start = PointAt(*b.net, 0, 0);
         a.end = PointAt(*b.net, 7, 0);
         a.entry = a.end;
         return a;
     },
     5, 3, 3, 0, 7, 0,
     [](TNetBuilder& b, Tedge* w) {
         EXPECT_EQ(w->fromNode, b.N('A'));
         EXPECT_EQ(w->toNode, b.N('C'));
         EXPECT_NE(w->row, b.W("AB")->row);   // row 0 is taken over the span
         EXPECT_NEAR(w->TF(), 2, 1e-6);
     }},
    {"free work on empty ground", Chain,
     [](TNetBuilder& b) {
         TAddAnchors a;
         a.start = PointAt(*b.net, 1, 3);
         a.end = PointAt(*b.net, 4, 3);
         a.entry = a.end;
         return a;
     },
     3, 5, 3, 0, 3, 3, nullptr},
};

class AddAtAnchors : public ::testing::TestWithParam<Case> {};

TEST_P(AddAtAnchors, BuildsTheExpectedNetwork)
{
    TFakeMessages messages;
    const Case& c = GetParam();
    TNetBuilder b;
    c.setup(b);
    const TAddAnchors anchors = c.anchors(b);
    Tedge* w = AddWorkAtAnchors(*b.net, Data(c.duration), anchors);
    ASSERT_NE(w, nullptr);
    b.net->Recalculate();
    EXPECT_EQ(b.net->nodes.size(), c.nodes);
    EXPECT_EQ(size_t(b.net->WorkCount()), c.works);
    EXPECT_FLOAT_EQ(w->fromNode->time, c.fromTime);
    EXPECT_FLOAT_EQ(w->toNode->time, c.toTime);
    EXPECT_FLOAT_EQ(w->data->duration, c.duration);
    EXPECT_EQ(w->row, c.row);
    EXPECT_EQ(w->data->name, "新工作");
    // counts agree with the links
    for (const auto& v : b.net->nodes) {
        int32_t out = 0;
        for (Tedge* x = v->firstWork; x; x = x->nextWork) {
            ++out;
            EXPECT_EQ(x->fromNode, v.get());
        }
        EXPECT_EQ(v->outCount, out);
        EXPECT_EQ(v->inCount, int32_t(b.net->WorksInto(v.get()).size()));
    }
    if (c.more) c.more(b, w);
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Anchors, AddAtAnchors, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string n;
    for (char ch : std::string(info.param.name)) n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return n;
});

TEST(AddWork, NewWorkNumbersFollowTheLargest)
{
    TFakeMessages quiet;
    TNetBuilder b;
    Chain(b);
    b.W("BC")->data->workNo = 40;
    b.net->InvalidateWorkNumbers();
    Tworkdata d = Data(2);
    d.workNo = 7;   // whatever the dialog's record held
    TAddAnchors a;
    a.kind = TAddAnchors::Node;
    a.node = b.N('C');
    Tedge* w = AddWorkAtAnchors(*b.net, d, a);
    EXPECT_EQ(w->data->workNo, 41);
}

TEST(AddWork, Refusals)
{
    TFakeMessages messages;
    TNetBuilder b;
    Chain(b);
    // a split work: A->B continues as B->C
    b.W("AB")->nextSegment = b.W("BC");
    b.W("BC")->isContinuation = true;
    b.N('B')->joint = true;
    const size_t works = size_t(b.net->WorkCount());

    TAddAnchors before;
    before.kind = TAddAnchors::Work;
    before.work = b.W("BC");
    before.zone = 'f';
    EXPECT_EQ(AddWorkAtAnchors(*b.net, Data(2), before), nullptr);
    TAddAnchors after = before;
    after.work = b.W("AB");
    after.zone = 'b';
    EXPECT_EQ(AddWorkAtAnchors(*b.net, Data(2), after), nullptr);
    TAddAnchors atJoint;
    atJoint.kind = TAddAnchors::Node;
    atJoint.node = b.N('B');
    EXPECT_EQ(AddWorkAtAnchors(*b.net, Data(2), atJoint), nullptr);
    EXPECT_TRUE(messages.shown.empty());   // silent

    TAddAnchors between;
    between.startNode = b.N('A');
    between.endNode = b.N('C');
    EXPECT_EQ(AddWorkAtAnchors(*b.net, Data(0, WorkKind::Milestone), between), nullptr);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"不能添加里程碑！"});
    EXPECT_EQ(messages.shown[0].caption, "警告");
    EXPECT_EQ(size_t(b.net->WorkCount()), works);
    EXPECT_EQ(b.net->nodes.size(), 3u);

    Tpertgra empty;
    EXPECT_EQ(AddWorkAtAnchors(empty, Data(0, WorkKind::Milestone), {}), nullptr);
    EXPECT_TRUE(empty.nodes.empty());
}

TEST(AddWork, DialogDefaultsFromTheAnchors)
{
    TNetBuilder b;
    Chain(b);
    TAddAnchors a;
    a.startNode = b.N('B');
    a.start = PointAt(*b.net, 3, 0);
    a.end = PointAt(*b.net, 5.5, 1);
    EXPECT_EQ(AddModeDefaults(*b.net, a).duration, "3");   // ceil(5.5 - 3)
    EXPECT_DOUBLE_EQ(AddModeDefaults(*b.net, a).startDate, DateOfDay(*b.net, 3));
    a.end = a.start;
    a.end.y += 40;
    EXPECT_EQ(AddModeDefaults(*b.net, a).duration, "10");   // no distance
    a.endNode = b.N('C');
    EXPECT_EQ(AddModeDefaults(*b.net, a).duration, "10");   // a node at the end
    TAddAnchors n;
    n.kind = TAddAnchors::Node;
    n.node = b.N('A');
    EXPECT_EQ(AddModeDefaults(*b.net, n).duration, "10");
}

TEST(Rows, BlankRowInsertionAndRemoval)
{
    TNetBuilder b;
    Chain(b);
    b.W("BC")->row = 2;
    b.N('C')->row = 2;
    InsertBlankRow(*b.net, 1);
    EXPECT_EQ(b.W("AB")->row, 0);
    EXPECT_EQ(b.W("BC")->row, 3);
    EXPECT_EQ(b.N('C')->row, 3);
    EXPECT_FALSE(RowHasWork(*b.net, 2));
    EXPECT_TRUE(RowHasWork(*b.net, 3));
    RemoveRow(*b.net, 2);
    EXPECT_EQ(b.W("BC")->row, 2);
    EXPECT_EQ(b.N('A')->row, 0);
}

TEST(Rows, OccupancyIsStrictOverlap)
{
    TNetBuilder b;
    Chain(b);
    TRowOccupancy occ(*b.net);
    EXPECT_TRUE(occ.Occupied(0, 1, 2));
    EXPECT_FALSE(occ.Occupied(0, 7, 9));    // touches C only
    EXPECT_FALSE(occ.Occupied(1, 0, 7));
    EXPECT_FALSE(occ.Occupied(0, 0, 3, b.W("AB")) && !occ.Occupied(0, 0, 3));
}

TEST(BreakSegmentLinks, ClearsBothDirections)
{
    TNetBuilder b;
    Tedge* s1 = b.Work('A', 'B', 1);
    Tedge* s2 = b.Work('B', 'C', 1);
    Tedge* s3 = b.Work('C', 'D', 1);
    s1->nextSegment = s2;
    s2->isContinuation = true;
    s2->nextSegment = s3;
    s3->isContinuation = true;
    b.N('B')->joint = b.N('C')->joint = true;
    BreakSegmentLinks(*b.net, s2);
    EXPECT_EQ(s1->nextSegment, nullptr);
    EXPECT_FALSE(s2->isContinuation);
    EXPECT_EQ(s2->nextSegment, nullptr);
    EXPECT_FALSE(s3->isContinuation);
    EXPECT_FALSE(b.N('B')->joint);
    EXPECT_FALSE(b.N('C')->joint);
}

}
