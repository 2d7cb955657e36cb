#include "editing/Fenduan.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/Netbuilder.h"

namespace {

// SA (10) followed by AB (2).
struct Pair {
    TNetBuilder b;
    Tedge* sa;
    Tedge* ab;
    Pair()
    {
        sa = b.Work('S', 'A', 10);
        ab = b.Work('A', 'B', 2);
        b.Place();
        b.net->Recalculate();
    }
};

TEST(SplitWork, FourAndSixGiveTwoSegmentsWithAnUnnamedSecondAndAJoint)
{
    Pair p;
    ASSERT_EQ(SplitWork(*p.b.net, p.sa, 4, 6), 1);
    Tedge* second = p.sa->nextSegment;
    ASSERT_NE(second, nullptr);
    EXPECT_FLOAT_EQ(p.sa->data->duration, 4);
    EXPECT_FLOAT_EQ(second->data->duration, 6);
    EXPECT_EQ(second->data->name, "");
    EXPECT_TRUE(second->isContinuation);
    EXPECT_TRUE(p.sa->toNode->joint);
    EXPECT_EQ(second->fromNode, p.sa->toNode);
    EXPECT_EQ(second->toNode, p.b.N('A'));
    EXPECT_EQ(second->row, p.sa->row);
    EXPECT_FLOAT_EQ(p.ab->data->start, 10);   // the successor keeps its planned start
    // The last segment splits again and the chain stays intact.
    ASSERT_EQ(SplitWork(*p.b.net, second, 2, 4), 1);
    EXPECT_EQ(p.sa->nextSegment, second);
    ASSERT_NE(second->nextSegment, nullptr);
    EXPECT_FLOAT_EQ(second->nextSegment->data->duration, 4);
}

TEST(SplitWork, RefusalsChangeNothing)
{
    struct Case {
        const char* what;
        float f, g;
        bool segmented;
        bool auxiliary;
    };
    const Case cases[] = {{"zero first", 0, 10, false, false},  {"zero second", 10, 0, false, false},
                          {"not a number", NAN, 5, false, false}, {"has a next segment", 4, 6, true, false},
                          {"auxiliary", 4, 6, false, true}};
    for (const Case& c : cases) {
        Pair p;
        if (c.segmented) {
            ASSERT_EQ(SplitWork(*p.b.net, p.sa, 5, 5), 1);
        }
        if (c.auxiliary) p.sa->data->kind = WorkKind::Auxiliary;
        const auto before = p.b.net->Clone();
        EXPECT_EQ(SplitWork(*p.b.net, p.sa, c.f, c.g), 0) << c.what;
        EXPECT_TRUE(p.b.net->IsSameAs(*before)) << c.what;
    }
}

}  // namespace
