// Merging one node into another and the merges that are refused.
#include "editing/Nodemerge.h"

#include <gtest/gtest.h>

#include <functional>

#include "editing/Networkshape.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

// A -3-> B -2-> C, A -1-> D, D -4-> E, plus the works a case adds.
std::unique_ptr<TNetBuilder> Base(const std::function<void(TNetBuilder&)>& more = nullptr)
{
    auto b = std::make_unique<TNetBuilder>();
    b->Work('A', 'B', 3);
    b->Work('B', 'C', 2);
    b->Work('A', 'D', 1);
    b->Work('D', 'E', 4);
    if (more) more(*b);
    b->Place();
    b->net->Recalculate();
    return b;
}

TEST(MergeNodes, Refusals)
{
    struct Case {
        const char* what;
        std::function<void(TNetBuilder&)> more;
        char from, into;
    };
    const Case cases[] = {
        {"the same node", nullptr, 'B', 'B'},
        {"from the hidden start of a milestone",
         [](TNetBuilder& b) { b.Work('M', 'D', 0, WorkKind::Milestone); }, 'M', 'B'},
        {"into the hidden end of a milestone",
         [](TNetBuilder& b) { b.Work('C', 'M', 0, WorkKind::Milestone); }, 'E', 'M'},
        {"from a segment joint",
         [](TNetBuilder& b) {
             b.W("AB")->nextSegment = b.W("BC");
             b.W("BC")->isContinuation = true;
             b.N('B')->joint = true;
         },
         'B', 'D'},
        {"into a node reachable from it (a loop)", nullptr, 'A', 'C'},
        {"into a node it is reachable from (a loop)", nullptr, 'E', 'D'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeMessages messages;
        auto b = Base(c.more);
        auto before = b->net->Clone();
        EXPECT_EQ(MergeNodes(*b->net, b->N(c.from), b->N(c.into)), 0);
        EXPECT_TRUE(b->net->IsSameAs(*before));
        EXPECT_TRUE(messages.shown.empty());   // refused silently
    }
    TNetBuilder b;
    b.Work('A', 'B', 1);
    EXPECT_EQ(MergeNodes(*b.net, nullptr, b.N('B')), 0);
    EXPECT_EQ(MergeNodesUnchecked(*b.net, b.N('A'), b.N('A')), 0);
}

TEST(MergeNodes, TheMergedNodesWorksLeaveFromAndEnterTheTarget)
{
    // Node C merged into the unrelated node E.
    auto b = Base([](TNetBuilder& n) {
        n.Work('C', 'F', 2);
        n.Work('C', 'G', 1);
    });
    Tvertex* E = b->N('E');
    const float eTime = E->time;
    ASSERT_EQ(MergeNodes(*b->net, b->N('C'), E), 1);
    EXPECT_EQ(b->net->NodeCount(), 6);
    EXPECT_EQ(b->W("BC")->toNode, E);
    EXPECT_EQ(b->W("CF")->fromNode, E);
    EXPECT_EQ(b->W("CG")->fromNode, E);
    EXPECT_EQ(E->inCount, 2);
    EXPECT_EQ(E->outCount, 2);
    // the moved works keep their list order, after the target's own works
    ASSERT_NE(E->firstWork, nullptr);
    EXPECT_EQ(E->firstWork->nextWork->nextWork, nullptr);
    EXPECT_EQ(LinkProblems(*b->net), "");
    // E was the later node; the merged node's works start at its time
    EXPECT_FLOAT_EQ(E->time, eTime);
    EXPECT_FLOAT_EQ(b->W("CF")->data->start, eTime);
    EXPECT_EQ(b->net->WorksInto(E).size(), 2u);
}

TEST(MergeNodes, TheTargetSettlesAtItsEarliestTime)
{
    // Merging the late node E into the early node B: B now ends D->E at 5,
    // later than A->B's finish 3, so B moves to 5 and B->C follows.
    auto b = Base();
    Tvertex* B = b->N('B');
    ASSERT_EQ(MergeNodes(*b->net, b->N('E'), B), 1);
    EXPECT_FLOAT_EQ(B->time, 5);
    EXPECT_FLOAT_EQ(b->W("BC")->data->start, 5);
    EXPECT_FLOAT_EQ(b->N('C')->time, 7);
}

TEST(MergeNodes, TheUncheckedMergeCarriesAJointMark)
{
    auto b = Base();
    b->N('D')->joint = true;
    ASSERT_EQ(MergeNodesUnchecked(*b->net, b->N('D'), b->N('B')), 1);
    EXPECT_TRUE(b->N('B')->joint);
}

}
