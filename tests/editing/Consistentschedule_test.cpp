// After an edit the schedule is consistent: works start at or after their
// start nodes and end at or before their end nodes, every planned start lies
// in its float and no node lies later than the plan needs.
#include <gtest/gtest.h>

#include "drawing/Layoutpass.h"
#include "editing/Workdelete.h"
#include "model/Pertgra.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Scheduleinvariant.h"

namespace {

void Relayout(Tpertgra& net)
{
    net.Recalculate();
    LayoutNetwork(net);
}

TEST(ConsistentSchedule, DeletingTheLongerOfTwoParallelWorksPullsTheNodesBack)
{
    TFakeMessages msgs;
    TNetBuilder b;
    b.Work('S', 'T', 5)->data->name = "long";
    b.Work('S', 'T', 2)->data->name = "short";
    b.Work('T', 'U', 3);
    b.Place();
    Relayout(*b.net);
    ASSERT_FLOAT_EQ(b.N('T')->time, 5);
    ASSERT_FLOAT_EQ(b.N('U')->time, 8);
    Tedge* longWork = nullptr;
    for (Tedge* w = b.N('S')->firstWork; w; w = w->nextWork)
        if (w->data->name == "long") longWork = w;
    ASSERT_EQ(DeleteWork(*b.net, longWork), 1);
    Relayout(*b.net);
    EXPECT_EQ(ScheduleProblems(*b.net), "");
    EXPECT_FLOAT_EQ(b.N('T')->time, 2);
    EXPECT_FLOAT_EQ(b.N('U')->time, 5);
    const Tworkdata& tu = *b.W("TU")->data;
    EXPECT_FLOAT_EQ(tu.start, 2);
    EXPECT_FLOAT_EQ(tu.es, 2);
    EXPECT_FLOAT_EQ(tu.ls, 2);
}

}  // namespace
