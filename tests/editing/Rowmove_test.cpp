// Moving a work to another row by a vertical drag, and the node-row rules.
#include "editing/Rowmove.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "drawing/Timeaxis.h"
#include "editing/Networkshape.h"
#include "editing/Relayout.h"
#include "editing/Selectcmd.h"
#include "support/Netbuilder.h"

namespace {

// Rows: 0 A-4->B-4->C; 1 A-2->D, D->C dummy; 2 A-8->E, E->C dummy.
struct Rows {
    Rows()
    {
        b.Work('A', 'B', 4);
        b.Work('B', 'C', 4);
        b.Work('A', 'D', 2)->row = 1;
        b.Work('D', 'C', 0, WorkKind::Dummy)->row = 1;
        b.Work('A', 'E', 8)->row = 2;
        b.Work('E', 'C', 0, WorkKind::Dummy)->row = 2;
        b.N('D')->row = 1;
        b.N('E')->row = 2;
        b.Place();
        b.net->Recalculate();
        LayoutNetwork(*b.net);
        y0 = Y0(*b.net);
        h = RowHeight(*b.net);
    }
    double LineY(int32_t row) const { return y0 + row * h; }
    TNetBuilder b;
    double y0 = 0, h = 0;
};

TEST(MoveWorkToRow, TargetRows)
{
    struct Case {
        const char* what;
        const char* work;
        int32_t toRow;        // drag ends on this row's line ...
        double below;         // ... plus this many units
        int32_t result;
        int32_t row;          // where the work ends up
    };
    const Case cases[] = {
        {"down onto a free row", "AD", 4, 2, 1, 4},
        {"onto a row taken over the work's span: the row below", "AD", 2, 2, 1, 3},
        {"into the lower half of a free row: the row below", "AD", 4, 30, 1, 5},
        {"less than half a row: nothing", "AD", 1, 24, 0, 1},
        {"up to the row it came from: nothing", "AD", 1, 0, 0, 1},
        {"above the top row: the first row", "AD", -1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rows r;
        Tedge* w = r.b.W(c.work);
        const double from = r.LineY(w->row);
        const double to = r.LineY(c.toRow) + c.below;
        EXPECT_EQ(MoveWorkToRow(*r.b.net, w, 0, from, to), c.result);
        EXPECT_EQ(w->row, c.row);
    }
}

TEST(MoveWorkToRow, TheNodesFollowAndAnEmptiedRowCloses)
{
    Rows r;
    Tedge* ae = r.b.W("AE");
    Tedge* ec = r.b.W("EC");
    // E->C first goes to row 5: row 2 still holds A->E
    ASSERT_EQ(MoveWorkToRow(*r.b.net, ec, 0, r.LineY(2), r.LineY(5)), 1);
    EXPECT_EQ(ec->row, 5);
    EXPECT_EQ(r.b.N('E')->row, 2);   // dummies move no node
    // A->E follows to row 5; row 2 is left empty and closes
    ASSERT_EQ(MoveWorkToRow(*r.b.net, ae, 0, r.LineY(2), r.LineY(5)), 1);
    EXPECT_EQ(ae->row, 4);
    EXPECT_EQ(ec->row, 4);
    EXPECT_EQ(r.b.N('E')->row, 4);
    EXPECT_EQ(r.b.W("AD")->row, 1);
}

TEST(MoveWorkToRow, AMilestoneAboveTheGridOpensANewTopRow)
{
    Rows r;
    Tedge* m = r.b.Work('S', 'A', 0, WorkKind::Milestone);
    r.b.net->Recalculate();
    LayoutNetwork(*r.b.net);
    ASSERT_EQ(m->row, 0);
    EXPECT_EQ(MoveWorkToRow(*r.b.net, m, 0, r.LineY(0), r.y0 - 20), 1);
    EXPECT_EQ(m->row, 0);
    EXPECT_EQ(r.b.W("AB")->row, 1);   // everything else moved down
    EXPECT_EQ(r.b.W("AD")->row, 2);
    EXPECT_EQ(r.b.W("AE")->row, 3);
}

// Pairs of works that lie over each other on one row, as text.
std::string Overlaps(const Tpertgra& net)
{
    std::string out;
    const std::vector<Tedge*> all = net.AllWorks();
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j) {
            const Tedge* a = all[i];
            const Tedge* b = all[j];
            if (a->row == b->row && a->fromNode->time < b->toNode->time &&
                b->fromNode->time < a->toNode->time)
                out += a->data->name + "/" + b->data->name + " on row " + std::to_string(a->row) + "; ";
        }
    return out;
}

TEST(MoveSelectionRows, TheSelectionMovesTogetherAndOtherWorksMakeRoom)
{
    struct Case {
        const char* what;
        std::vector<std::string> selected;
        double rows;   // the drag from the first selected work's line, in rows
        std::map<std::string, int32_t> want;
    };
    const Case cases[] = {
        {"down over other works: blank rows open for the selection",
         {"AB", "AD"}, 1.5, {{"AB", 2}, {"AD", 3}, {"AE", 4}, {"EC", 4}, {"BC", 0}, {"DC", 1}}},
        {"a row left without works closes",
         {"AE", "EC"}, 1.5, {{"AE", 3}, {"EC", 3}, {"AB", 0}, {"BC", 0}, {"AD", 1}, {"DC", 1}}},
        {"up beyond the top row: the first work goes to row 0",
         {"AD", "AE"}, -3, {{"AD", 0}, {"AE", 1}, {"AB", 2}, {"BC", 2}, {"DC", 3}, {"EC", 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rows r;
        Tpertgra& net = *r.b.net;
        for (const std::string& name : c.selected) InsertIntoSelection(net, r.b.W(name));
        const Tedge* first = net.selection.front();
        const TPosition2D from{0, r.LineY(first->row)};
        const TPosition2D to{0, from.y + c.rows * r.h};
        EXPECT_EQ(MoveSelectionRows(net, net.selection, from, to), 1);
        for (const auto& [name, row] : c.want) EXPECT_EQ(r.b.W(name)->row, row) << name;
        EXPECT_EQ(Overlaps(net), "");
        EXPECT_EQ(LinkProblems(net), "");
        EXPECT_EQ(net.selection.size(), c.selected.size());
    }
}

TEST(MoveSelectionRows, ANodeMovedByABlankRowFollowsItsWorks)
{
    Rows r;
    Tpertgra& net = *r.b.net;
    InsertIntoSelection(net, r.b.W("AB"));
    InsertIntoSelection(net, r.b.W("AD"));
    ASSERT_EQ(MoveSelectionRows(net, net.selection, {0, r.LineY(0)}, {0, r.LineY(0) + 1.5 * r.h}), 1);
    EXPECT_EQ(r.b.N('E')->row, 4);   // pushed down with A->E
    EXPECT_EQ(r.b.N('B')->row, 2);   // the end of a moved work takes its row
    EXPECT_EQ(r.b.N('C')->row, 0);   // above the blank rows
}

TEST(RealignNodeRows, Rules)
{
    struct Case {
        const char* what;
        const char* kind;      // of the moved work A->B
        bool secondLeaving;    // A has a second leaving work A->C finishing first
        const char* secondKind;
        int32_t wantA, wantB;
    };
    const Case cases[] = {
        {"a single work takes both its nodes", WorkKind::Real, false, WorkKind::Real, 3, 3},
        {"the start node follows its earliest-finishing work", WorkKind::Real, true, WorkKind::Real, 1, 3},
        {"a dummy beside it keeps the start node", WorkKind::Real, true, WorkKind::Dummy, 0, 3},
        {"a dummy moves no node", WorkKind::Dummy, false, WorkKind::Real, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNetBuilder b;
        Tedge* ab = b.Work('A', 'B', 5, c.kind);
        if (c.secondLeaving) b.Work('A', 'C', 1, c.secondKind)->row = 1;
        b.Place();
        ab->row = 3;
        RealignNodeRows(*b.net, ab);
        EXPECT_EQ(b.N('A')->row, c.wantA);
        EXPECT_EQ(b.N('B')->row, c.wantB);
    }
}

}
