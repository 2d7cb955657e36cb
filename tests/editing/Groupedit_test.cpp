// The group column's cells, the edge drag, the blank-row actions, the work
// group lists and the exchange of two works.
#include "editing/Groupedit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/Displaysettings.h"
#include "drawing/Fenzu.h"
#include "drawing/Framelayout.h"
#include "drawing/Groupops.h"
#include "drawing/Networkhit.h"
#include "drawing/Timeaxis.h"
#include "editing/Pertdoc.h"
#include "editing/Relayout.h"
#include "support/Netbuilder.h"
#include "support/Scheduleinvariant.h"

namespace {

// One work per listed row, all leaving S (row 0) for nodes of their own;
// a column 80 wide.
struct RowNet {
    explicit RowNet(const std::vector<int32_t>& rows)
    {
        char to = 'a';
        for (int32_t r : rows) {
            Tedge* w = b.Work('S', to, 2);
            w->row = r;
            b.N(to)->row = r;
            ++to;
        }
        b.Place();
        Net().groups.groupColumnWidth = 80;
        Relayout();
    }
    Tpertgra& Net() { return *b.net; }
    void Relayout()
    {
        Net().Recalculate();
        LayoutNetwork(Net());
        y0 = Y0(Net());
        h = RowHeight(Net());
    }
    double Line(double rows) const { return y0 + rows * h; }
    TPosition2D InColumn(double y) const { return {b.net->groups.origin.x + 40, y}; }
    // The rows of the works, in the order they were made.
    std::vector<int32_t> Rows()
    {
        std::vector<int32_t> out;
        for (char c = 'a'; b.nodes.count(c); ++c) out.push_back(b.W(std::string("S") + c)->row);
        return out;
    }
    // Cells whose lower edges lie on the given row lines.
    void EdgesOn(const std::vector<double>& lines)
    {
        double top = Net().groups.origin.y;
        for (const Tfenzu& f : Net().groups.items) top += f.height;
        for (double l : lines) {
            Tfenzu f;
            f.height = Line(l) - top;
            top = Line(l);
            AppendGroup(Net(), f);
        }
    }
    double Edge(int32_t g) { return GroupAt(Net(), g).position.y + GroupAt(Net(), g).height; }
    TNetBuilder b;
    double y0 = 0, h = 0;
};

TEST(GroupCells, AppendInsertReplaceDeleteAndStacking)
{
    RowNet n({0, 1});
    Tpertgra& net = n.Net();
    Tfenzu a;
    a.text = "A";
    a.height = 40;
    AppendGroup(net, a);
    Tfenzu b = a;
    b.text = "B";
    b.height = 60;
    AppendGroup(net, b);
    EXPECT_EQ(GroupAt(net, 1).position.y, net.groups.origin.y + 40);
    EXPECT_EQ(GroupAt(net, 1).width, 80);
    // the dialog's add over a cell puts the new one above it
    const int32_t at = GroupIndexAt(net, n.InColumn(net.groups.origin.y + 50));
    ASSERT_EQ(at, 1);
    Tfenzu c = a;
    c.text = "C";
    InsertGroup(net, at, c);
    LayoutNetwork(net);   // the layout pass stacks the cells
    EXPECT_EQ(GroupAt(net, 1).text, "C");
    EXPECT_EQ(GroupAt(net, 2).position.y, net.groups.origin.y + 80);
    EXPECT_EQ(GroupIndexAt(net, n.InColumn(net.groups.origin.y + 100)), 2);
    // below the last cell: none, so the dialog appends
    EXPECT_EQ(GroupIndexAt(net, n.InColumn(net.groups.origin.y + 150)), -1);

    ReplaceGroup(net, 5, b);   // outside the list: nothing
    ReplaceGroup(net, -1, b);
    DeleteGroup(net, 3);
    ASSERT_EQ(net.groups.items.size(), 3u);
    ReplaceGroup(net, 0, b);
    EXPECT_EQ(GroupAt(net, 0).text, "B");
    DeleteGroup(net, 1);
    EXPECT_EQ(GroupAt(net, 1).text, "B");
    EXPECT_EQ(GroupAt(net, 7), Tfenzu{});
}

TEST(GroupCells, ColumnOnlyInTheTimeScaledView)
{
    RowNet n({0, 1});
    n.EdgesOn({1});
    const TPosition2D p = n.InColumn(n.Line(0.5));
    EXPECT_EQ(GroupIndexAt(n.Net(), p), 0);
    SetViewKind(n.Net(), 2);
    n.Relayout();
    EXPECT_FALSE(InGroupColumn(n.Net(), p));
    EXPECT_EQ(HitTestNetwork(n.Net(), p).group, -1);
}

struct EdgeCase {
    const char* what;
    std::vector<int32_t> rows;   // rows of the works
    double pressLine;            // row line the press is at (with an offset below)
    double pressOffset;
    double releaseLine;          // -1: below the network area
    int32_t result;
    double edgeLine;             // where the first cell's lower edge ends
    std::vector<int32_t> rowsAfter;
};

TEST(MoveGroupEdge, Cases)
{
    const EdgeCase cases[] = {
        {"two and a half rows down", {0, 1, 2, 3, 4, 9}, 2, 1, 4.5, 1, 5, {0, 1, 2, 3, 4, 9}},
        {"a work on the new edge row", {0, 1, 2, 3, 4, 9}, 2, 0, 3.5, 1, 4, {0, 1, 2, 3, 5, 10}},
        {"a blank old edge row goes", {0, 1, 3, 4, 9}, 2, -2, 4.5, 1, 4, {0, 1, 2, 3, 8}},
        {"release below the area", {0, 1, 2, 9}, 2, 0, -1, 0, 2, {0, 1, 2, 9}},
        {"press off the edge", {0, 1, 2, 9}, 2, 4, 4, 0, 2, {0, 1, 2, 9}},
        {"edge up to the cell's top", {0, 1, 2, 9}, 2, 0, 0, 0, 2, {0, 1, 2, 9}},
        {"edge above the cell's top", {0, 1, 2, 9}, 2, 0, -0.5, 0, 2, {0, 1, 2, 9}},
    };
    for (const EdgeCase& k : cases) {
        SCOPED_TRACE(k.what);
        RowNet n(k.rows);
        // the first cell begins on row line 0 and ends on the press line
        Tfenzu top;
        top.height = n.Line(0) - n.Net().groups.origin.y;
        AppendGroup(n.Net(), top);
        n.EdgesOn({k.pressLine});
        const TTimeAxis axis(n.Net());
        const double bottom = TFrameLayout::Of(n.Net(), axis, 1, 1).areaBottom;
        const double q = k.releaseLine < 0 ? bottom + 1 : n.Line(k.releaseLine);
        EXPECT_EQ(MoveGroupEdge(n.Net(), n.InColumn(n.Line(k.pressLine) + k.pressOffset),
                                n.InColumn(q)),
                  k.result);
        n.Relayout();
        EXPECT_DOUBLE_EQ(n.Edge(1), n.Line(k.edgeLine));
        EXPECT_EQ(n.Rows(), k.rowsAfter);
    }
}

TEST(MoveGroupEdge, UnusableRowHeightDoesNothing)
{
    RowNet n({0, 1, 2});
    n.EdgesOn({1});
    n.Net().displaySettings.rowHeight = 0;
    EXPECT_EQ(MoveGroupEdge(n.Net(), n.InColumn(n.Line(1)), n.InColumn(n.Line(1) + 40)), 0);
    EXPECT_EQ(InsertBlankRowAt(n.Net(), n.Line(1.5)), 0);
    EXPECT_EQ(RemoveBlankRowAt(n.Net(), n.Line(1.5)), 0);
    EXPECT_EQ(n.Rows(), (std::vector<int32_t>{0, 1, 2}));
}

struct BlankCase {
    const char* what;
    bool remove;
    std::vector<int32_t> rows;
    double line;   // drawing y as row lines
    int32_t result;
    std::vector<int32_t> rowsAfter;
};

TEST(BlankRows, Cases)
{
    const BlankCase cases[] = {
        {"insert between lines 3 and 4", false, {0, 3, 4, 5}, 3.5, 1, {0, 3, 5, 6}},
        {"insert above the rows", false, {0, 1}, -0.5, 1, {1, 2}},
        {"remove row 4", true, {0, 3, 5}, 3.5, 1, {0, 3, 4}},
        {"remove row 3 when 4 holds a work", true, {0, 4, 5}, 3.5, 1, {0, 3, 4}},
        {"both rows hold works", true, {0, 3, 4, 5}, 3.5, 0, {0, 3, 4, 5}},
        {"the row above the first row", true, {0, 1}, 0.5, 0, {0, 1}},
    };
    for (const BlankCase& k : cases) {
        SCOPED_TRACE(k.what);
        RowNet n(k.rows);
        const double y = n.Line(k.line);
        EXPECT_EQ(k.remove ? RemoveBlankRowAt(n.Net(), y) : InsertBlankRowAt(n.Net(), y), k.result);
        EXPECT_EQ(n.Rows(), k.rowsAfter);
    }
}

TEST(WorkGroups, ListsInOrderOfFirstAppearance)
{
    RowNet n({0, 1, 2, 3});
    const std::vector<Tedge*> all = n.Net().AllWorks();
    const int32_t numbers[] = {3, 1, 3, 2};
    const char* names[] = {"c", "a", "x", "b"};
    for (size_t i = 0; i < all.size(); ++i) {
        all[i]->data->groupNo = numbers[i];
        all[i]->data->groupName = names[i];
    }
    EXPECT_EQ(GroupNumbers(n.Net()), (std::vector<int32_t>{3, 1, 2}));
    EXPECT_EQ(GroupNames(n.Net()), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(WorksByGroup(n.Net()), (std::vector<Tedge*>{all[1], all[3], all[0], all[2]}));
}

TEST(ExchangeWorks, TightPairTradesDataAndPushesTheEndNode)
{
    TNetBuilder b;
    Tedge* a = b.Work('S', 'X', 3);
    Tedge* c = b.Work('X', 'E', 10);
    a->data->name = "A";
    c->data->name = "B";
    c->data->code = "b1";
    c->data->resources.push_back(Trecsource{});
    b.Place();
    b.net->Recalculate();
    const float before = b.N('X')->time;
    EXPECT_EQ(ExchangeWorks(*b.net, a, c), 1);
    EXPECT_FLOAT_EQ(b.N('X')->time, before + 7);
    EXPECT_EQ(a->data->name, "B");
    EXPECT_EQ(a->data->code, "b1");
    EXPECT_EQ(a->data->resources.size(), 1u);
    EXPECT_EQ(c->data->name, "A");
    EXPECT_FLOAT_EQ(a->data->duration, 10);
    EXPECT_FLOAT_EQ(c->data->duration, 3);
    EXPECT_EQ(ScheduleProblems(*b.net), "");
}

TEST(ExchangeWorks, EveryPairEndsConsistent)
{
    struct Case {
        const char* what;
        const char* firstKind;
        const char* secondKind;
        bool traded;
    };
    const Case cases[] = {
        {"far apart, the second shifted into its float", WorkKind::Real, WorkKind::Real, true},
        {"a dummy with a real work", WorkKind::Dummy, WorkKind::Real, true},
        {"a milestone with a real work", WorkKind::Milestone, WorkKind::Real, false},
        {"two milestones", WorkKind::Milestone, WorkKind::Milestone, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        // S-first->A-m->B-second->C beside one long S->C
        TNetBuilder b;
        const bool firstTakesTime = std::string(k.firstKind) == WorkKind::Real;
        const bool secondTakesTime = std::string(k.secondKind) == WorkKind::Real;
        Tedge* first = b.Work('S', 'A', firstTakesTime ? 2 : 0, k.firstKind);
        b.Work('A', 'B', 1);
        Tedge* second = b.Work('B', 'C', secondTakesTime ? 3 : 0, k.secondKind);
        b.Work('S', 'C', 20)->row = 1;
        first->data->name = "first";
        second->data->name = "second";
        b.Place();
        b.net->Recalculate();
        if (secondTakesTime) second->data->start += 5;
        b.net->Recalculate();
        ASSERT_EQ(ScheduleProblems(*b.net), "");
        const Tworkdata a0 = *first->data, b0 = *second->data;
        EXPECT_EQ(ExchangeWorks(*b.net, first, second), k.traded ? 1 : 0);
        EXPECT_EQ(first->data->name, k.traded ? "second" : "first");
        EXPECT_EQ(first->data->kind, k.traded ? b0.kind : a0.kind);
        EXPECT_EQ(second->data->kind, k.traded ? a0.kind : b0.kind);
        EXPECT_EQ(ScheduleProblems(*b.net), "");
    }
}

}  // namespace
