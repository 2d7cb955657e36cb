// The end of a select-tool drag: re-attaching a work's start to another
// node, and moving several selected works to other rows together.
#include "editing/Applydrag.h"

#include <gtest/gtest.h>

#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "editing/Networkshape.h"
#include "editing/Relayout.h"
#include "editing/Selectcmd.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

TPosition2D OnLine(const Tedge* w, double fraction)
{
    const TWorkGeometry g = TWorkGeometry::Of(*w);
    return {g.fromX + (g.toX - g.fromX) * fraction, double(g.lineY)};
}

TPosition2D At(const Tvertex* v)
{
    return {double(v->x), double(v->y)};
}

// S-6->A-6->E on row 0, S-8->B-6->E on row 1, and P-6->E on row 2 with a
// start node of its own. A and B are unrelated.
struct Fan {
    Fan()
    {
        b.Work('S', 'A', 6);
        b.Work('A', 'E', 6);
        b.Work('S', 'B', 8)->row = 1;
        b.Work('B', 'E', 6)->row = 1;
        b.Work('P', 'E', 6)->row = 2;
        b.N('B')->row = 1;
        b.N('P')->row = 2;
        b.Place();
        b.net->Recalculate();
        LayoutNetwork(*b.net);
    }
    TNetBuilder b;
};

TEST(ApplyDragFront, ReattachesTheStartOfAWorkToAnotherNode)
{
    struct Case {
        const char* what;
        const char* work;
        char onto;
        int32_t nodesGone;   // the old start node went with its last work
    };
    const Case cases[] = {
        {"the old start keeps a work into it", "AE", 'B', 0},
        {"the old start keeps other leaving works", "SB", 'A', 0},
        {"the old start is left without works", "PE", 'A', 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeMessages msgs;
        Fan f;
        Tpertgra& net = *f.b.net;
        Tedge* w = f.b.W(c.work);
        Tvertex* onto = f.b.N(c.onto);
        Tvertex* old = w->fromNode;
        const int32_t oldOut = old->outCount, ontoOut = onto->outCount;
        const int32_t nodes = net.NodeCount(), works = net.WorkCount();
        InsertIntoSelection(net, w);
        EXPECT_EQ(ApplyDrag(net, w, OnLine(w, 0.2), At(onto)), 1);
        EXPECT_TRUE(msgs.Texts().empty());
        EXPECT_EQ(w->fromNode, onto);
        EXPECT_EQ(onto->firstWork, w);   // at the head of the new node's list
        EXPECT_EQ(onto->outCount, ontoOut + 1);
        if (c.nodesGone == 0) {
            EXPECT_EQ(old->outCount, oldOut - 1);
        }
        EXPECT_EQ(net.NodeCount(), nodes - c.nodesGone);
        EXPECT_EQ(net.WorkCount(), works);
        EXPECT_EQ(LinkProblems(net), "");
        EXPECT_FLOAT_EQ(w->data->es, onto->time);   // recalculated from the new start
        EXPECT_TRUE(net.selection.empty());
    }
}

TEST(ApplyDragFront, RefusesALoopOrAnEmptyDropAndChangesNothing)
{
    struct Case {
        const char* what;
        const char* work;
        char onto;   // 0: empty ground
        bool loop;
    };
    const Case cases[] = {
        {"onto its own end node", "SA", 'A', true},
        {"onto a node after its end", "SA", 'E', true},
        {"onto its own start", "AE", 'A', false},
        {"onto empty ground", "AE", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeMessages msgs;
        Fan f;
        Tpertgra& net = *f.b.net;
        Tedge* w = f.b.W(c.work);
        const auto before = net.Clone();
        const TPosition2D to = c.onto ? At(f.b.N(c.onto)) : TPosition2D{OnLine(w, 0.5).x, -4000};
        EXPECT_EQ(ApplyDrag(net, w, OnLine(w, 0.2), to), 0);
        EXPECT_EQ(msgs.Texts(), c.loop ? std::vector<std::string>{"网络图不能有回路!"}
                                       : std::vector<std::string>{});
        if (c.loop) {
            EXPECT_EQ(msgs.shown[0].caption, "警告");
            EXPECT_EQ(msgs.shown[0].icon, TMsgIcon::Warning);
        }
        EXPECT_TRUE(net.IsSameAs(*before));
    }
}

// Rows: 0 S-6->X-6->E; 1 S-4->Y, Y->E dummy; 2 S-5->Z, Z->E dummy.
struct Rows {
    Rows()
    {
        b.Work('S', 'X', 6);
        b.Work('X', 'E', 6);
        b.Work('S', 'Y', 4)->row = 1;
        b.Work('Y', 'E', 0, WorkKind::Dummy)->row = 1;
        b.Work('S', 'Z', 5)->row = 2;
        b.Work('Z', 'E', 0, WorkKind::Dummy)->row = 2;
        b.N('Y')->row = 1;
        b.N('Z')->row = 2;
        b.Place();
        b.net->Recalculate();
        LayoutNetwork(*b.net);
        h = RowHeight(*b.net);
    }
    Tpertgra& Net() { return *b.net; }
    TNetBuilder b;
    double h = 0;
};

TEST(ApplyDragMiddle, SelectedWorksOnDifferentRowsMoveByTheSameRowCount)
{
    TFakeMessages msgs;
    Rows r;
    Tedge* sy = r.b.W("SY");
    Tedge* sz = r.b.W("SZ");
    InsertIntoSelection(r.Net(), sy);
    InsertIntoSelection(r.Net(), sz);
    const TPosition2D from = OnLine(sy, 0.5);
    ASSERT_EQ(ApplyDrag(r.Net(), sy, from, {from.x, from.y + 1.5 * r.h}), 1);
    // Both go down two rows (the pointer ends in the lower half of the row
    // one and a half rows down), keeping one row between them.
    EXPECT_EQ(sy->row, 3);
    EXPECT_EQ(sz->row, 4);
    EXPECT_EQ(r.b.W("SX")->row, 0);  // the rest stays
    EXPECT_EQ(r.Net().selection, (std::vector<Tedge*>{sy, sz}));
    EXPECT_EQ(LinkProblems(r.Net()), "");
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST(ApplyDragMiddle, AShortDragOfASelectionMovesNothing)
{
    Rows r;
    Tedge* sy = r.b.W("SY");
    InsertIntoSelection(r.Net(), sy);
    InsertIntoSelection(r.Net(), r.b.W("SZ"));
    const auto before = r.Net().Clone();
    const TPosition2D from = OnLine(sy, 0.5);
    EXPECT_EQ(ApplyDrag(r.Net(), sy, from, {from.x, from.y + 0.4 * r.h}), 0);
    EXPECT_TRUE(r.Net().IsSameAs(*before));
}

}  // namespace
