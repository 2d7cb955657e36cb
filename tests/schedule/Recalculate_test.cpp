// Recalculate on small networks whose time parameters were worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

struct W {
    char from, to;
    float duration;
    const char* kind = WorkKind::Real;
    float start = -1;   // planned start to set after placing, -1 = at its node
};
struct Expect {
    const char* work;
    float es, ls, tf, ff;
    bool critical;
};
struct Case {
    const char* name;
    std::vector<W> works;
    std::vector<std::pair<char, float>> startTimes;   // times of start nodes before placing
    std::vector<Expect> expect;
};

const std::vector<Case> kCases = {
    {"chain", {{'A', 'B', 3}, {'B', 'C', 4}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"BC", 3, 3, 0, 0, true}}},
    {"dummy closes a shorter path", {{'A', 'B', 5}, {'A', 'C', 2}, {'C', 'B', 0, WorkKind::Dummy}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"AC", 0, 3, 3, 0, false}, {"CB", 2, 5, 3, 3, false}}},
    {"float below tolerance is critical", {{'A', 'C', 1}, {'A', 'B', 2}, {'C', 'B', 0.99995f}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"AC", 0, 0.00005f, 0.00005f, 0, true}}},
    {"float above tolerance is not", {{'A', 'C', 1}, {'A', 'B', 2}, {'C', 'B', 0.9998f}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"AC", 0, 0.0002f, 0.0002f, 0, false}}},
    {"equal diamond", {{'A', 'B', 2}, {'A', 'C', 4}, {'B', 'D', 3}, {'C', 'D', 1}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"AC", 0, 0, 0, 0, true}, {"BD", 2, 2, 0, 0, true}, {"CD", 4, 4, 0, 0, true}}},
    {"unequal diamond", {{'A', 'B', 2}, {'A', 'C', 4}, {'B', 'D', 3}, {'C', 'D', 2}}, {},
     {{"AB", 0, 1, 1, 0, false}, {"BD", 2, 3, 1, 1, false}, {"AC", 0, 0, 0, 0, true}, {"CD", 4, 4, 0, 0, true}}},
    {"planned start beyond LS is pulled back", {{'A', 'B', 2}, {'A', 'C', 5}, {'B', 'C', 1, WorkKind::Real, 4.5f}}, {},
     {{"AB", 0, 2, 2, 2, false}, {"AC", 0, 0, 0, 0, true}, {"BC", 2, 4, 2, 2, false}}},
    {"milestone at the end", {{'A', 'B', 3}, {'B', 'C', 0, WorkKind::Milestone}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"BC", 3, 3, 0, 0, true}}},
    {"auxiliary spans its nodes", {{'A', 'B', 2}, {'B', 'C', 3}, {'A', 'C', 0, WorkKind::Auxiliary}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"BC", 2, 2, 0, 0, true}, {"AC", 0, 0, 0, 0, true}}},
    {"dummy chain with float",
     {{'A', 'B', 4}, {'A', 'C', 1}, {'C', 'D', 1}, {'D', 'B', 0, WorkKind::Dummy}, {'B', 'E', 2}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"AC", 0, 2, 2, 0, false}, {"CD", 1, 3, 2, 0, false},
      {"DB", 2, 4, 2, 2, false}, {"BE", 4, 4, 0, 0, true}}},
    {"two separate networks each have their own critical path", {{'A', 'B', 3}, {'C', 'D', 5}}, {},
     {{"AB", 0, 0, 0, 0, true}, {"CD", 0, 0, 0, 0, true}}},
    {"joined networks count as one", {{'A', 'B', 3}, {'C', 'D', 5}, {'B', 'D', 0, WorkKind::Dummy}}, {},
     {{"AB", 0, 2, 2, 0, false}, {"CD", 0, 0, 0, 0, true}, {"BD", 3, 5, 2, 2, false}}},
    {"second start node keeps its day", {{'A', 'B', 5}, {'D', 'B', 1}}, {{'A', 3}, {'D', 4}},
     {{"AB", 0, 0, 0, 0, true}, {"DB", 4, 4, 0, 0, true}}},
};

class RecalculateTable : public ::testing::TestWithParam<Case> {};

TEST_P(RecalculateTable, TimeParameters)
{
    TFakeMessages messages;
    const Case& c = GetParam();
    TNetBuilder b;
    for (const W& w : c.works) b.Work(w.from, w.to, w.duration, w.kind);
    for (auto [n, t] : c.startTimes) b.N(n)->time = t;
    b.Place();
    for (const W& w : c.works)
        if (w.start >= 0) b.W(std::string(1, w.from) + w.to)->data->start = w.start;
    b.net->Recalculate();
    for (const Expect& e : c.expect) {
        SCOPED_TRACE(e.work);
        const Tedge* w = b.W(e.work);
        EXPECT_NEAR(w->data->es, e.es, 1e-6);
        EXPECT_NEAR(w->data->ls, e.ls, 1e-6);
        EXPECT_NEAR(w->TF(), e.tf, 1e-6);
        EXPECT_NEAR(w->FF(), e.ff, 1e-6);
        EXPECT_EQ(w->data->critical, e.critical);
    }
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(HandWorked, RecalculateTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string n;
                             for (char ch : std::string(info.param.name))
                                 n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return n;
                         });

TEST(Recalculate, ChainNumbersNodesInTimeOrder)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);
    b.Place();
    b.net->Recalculate();
    EXPECT_EQ(b.N('A')->number, 1);
    EXPECT_EQ(b.N('B')->number, 2);
    EXPECT_EQ(b.N('C')->number, 3);
    EXPECT_EQ(b.N('C')->id, 3);
}

TEST(Recalculate, SeparatePartsAreNumberedFromOneIdsStayGlobal)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('C', 'D', 5);
    b.Place();
    b.net->Recalculate();
    EXPECT_EQ(b.N('A')->number, 1);
    EXPECT_EQ(b.N('B')->number, 2);
    EXPECT_EQ(b.N('C')->number, 1);
    EXPECT_EQ(b.N('D')->number, 2);
    // ids come from the whole time order: C was taken first by the loop check
    std::vector<int32_t> ids;
    for (char n : {'C', 'A', 'B', 'D'}) ids.push_back(b.N(n)->id);
    EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 3, 4}));
}

TEST(Recalculate, ShiftsTheEarliestNodeToDayZero)
{
    TNetBuilder b;
    b.Work('A', 'B', 5);
    b.Work('D', 'B', 1);
    b.N('A')->time = 3;
    b.N('D')->time = 4;
    b.Place();
    ASSERT_FLOAT_EQ(b.N('B')->time, 8);
    b.net->Recalculate();
    EXPECT_FLOAT_EQ(b.N('A')->time, 0);
    EXPECT_FLOAT_EQ(b.N('B')->time, 5);
    EXPECT_FLOAT_EQ(b.W("AB")->data->start, 0);
    EXPECT_FLOAT_EQ(b.N('D')->time, 4);
    EXPECT_FLOAT_EQ(b.N('D')->earliest, 4);
}

TEST(Recalculate, LoopIsRefusedAndLeavesPreviousResults)
{
    TFakeMessages messages;
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);
    b.Place();
    b.net->Recalculate();
    // close a loop C -> A by hand
    auto* back = new Tedge;
    back->data->duration = 1;
    b.net->LinkWork(b.N('C'), b.N('A'), back);
    b.net->Recalculate();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "网络图不能有回路");
    EXPECT_EQ(messages.shown[0].caption, "");
    EXPECT_EQ(messages.shown[0].icon, TMsgIcon::None);
    EXPECT_TRUE(b.net->order.empty());
    EXPECT_FLOAT_EQ(b.W("BC")->data->es, 3);
    EXPECT_EQ(b.N('C')->id, 3);
    EXPECT_EQ(b.N('C')->number, 3);
    EXPECT_FLOAT_EQ(back->data->es, 0);
}

TEST(Recalculate, EmptyNetworkComputesNothing)
{
    Tpertgra net;
    net.Recalculate();
    EXPECT_TRUE(net.order.empty());
}

}
