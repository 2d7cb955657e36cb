#include <gtest/gtest.h>

#include "editing/Workdelete.h"
#include "model/Pertgra.h"
#include "support/Netbuilder.h"

namespace {

TEST(DeleteLoneMilestones, TheyGoWithTheirNodes)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 2);
    Tedge* joined = b.Work('S', 'B', 0, WorkKind::Milestone);   // into a node with other works
    Tedge* lone = b.Work('X', 'Y', 0, WorkKind::Milestone);     // touches nothing else
    b.net->selection = {lone, joined};
    b.net->Recalculate();
    EXPECT_EQ(DeleteLoneMilestones(*b.net), 1);
    EXPECT_EQ(b.net->NodeCount(), 4);   // A, B, C, S
    EXPECT_EQ(b.net->WorkCount(), 3);
    for (const auto& v : b.net->nodes) EXPECT_TRUE(v.get() != b.N('X') && v.get() != b.N('Y'));
    EXPECT_EQ(b.net->selection, (std::vector<Tedge*>{joined}));
    EXPECT_EQ(b.net->order.size(), 4u);
    EXPECT_EQ(b.net->WorksInto(b.N('B')).size(), 2u);   // the lookup index follows
    EXPECT_EQ(DeleteLoneMilestones(*b.net), 0);   // nothing left to delete
}

}
