// The group column's edge drag, the blank-row tool and the exchange tool,
// driven through the document's pointer dispatch, each with its undo.
#include "editing/Groupcmds.h"

#include <gtest/gtest.h>

#include "Commanddoc.h"
#include "drawing/Fenzu.h"
#include "drawing/Groupops.h"
#include "drawing/Networkhit.h"
#include "editing/Popupactions.h"
#include "editing/Workdelete.h"
#include "support/Fakemessages.h"

namespace {

using commanddoc::Doc;

// The diamond with works moved down so that rows 0 to 4 are: S->A, A->E
// on 0; S->B, B->E on 3; a column of two cells ending on row lines 1 and 2.
struct GroupDoc : Doc {
    GroupDoc() : Doc(Make()) {}
    static std::unique_ptr<Tpertgra> Make()
    {
        auto net = commanddoc::Diamond();
        net->groups.groupColumnWidth = 80;
        for (const auto& v : net->nodes) {
            if (v->row == 1) v->row = 3;
            for (Tedge* w = v->firstWork; w; w = w->nextWork)
                if (w->row == 1) w->row = 3;
        }
        return net;
    }
    void AddCells()
    {
        Tfenzu f;
        f.height = Line(1) - Net().groups.origin.y;
        AppendGroup(Net(), f);
        f.height = RowHeight(Net());
        AppendGroup(Net(), f);
        doc.Relayout();
        doc.PushHistory();
    }
    double Line(double rows) { return Y0(Net()) + rows * RowHeight(Net()); }
    TPosition2D InColumn(double y) { return {Net().groups.origin.x + 40, y}; }
    double Edge(int32_t g) { return GroupAt(Net(), g).position.y + GroupAt(Net(), g).height; }
    int32_t RowOf(const char* name) { return WorkNamed(name)->row; }
};

TEST(GroupEdgeDrag, ThroughTheHoverCommandWithUndo)
{
    GroupDoc d;
    d.AddCells();
    TSelectCmd select;
    // the pointer over the column gets the column's own command
    const TPosition2D p = d.Pixel(d.InColumn(d.Line(2)));
    d.doc.Move(0, p.x, p.y, &select, d.mode, d.chooser);
    ASSERT_TRUE(d.doc.localCommand);
    EXPECT_EQ(d.doc.localCommand->Kind(), ckMovefenzu);
    EXPECT_EQ(d.doc.localCommand->pointer, TPointerShape::SplitV);

    EXPECT_EQ(d.Drag(select, d.InColumn(d.Line(2)), d.InColumn(d.Line(3.5))), deRebuild | deRepaint);
    // the old edge row 2 was blank and went: the band ends on line 3, above
    // the works that moved up from row 3
    EXPECT_DOUBLE_EQ(d.Edge(1), d.Line(3));
    EXPECT_EQ(d.RowOf("SB"), 2);
    EXPECT_TRUE(d.Net().modified);
    ASSERT_TRUE(d.doc.Undo());
    d.doc.Relayout();
    EXPECT_DOUBLE_EQ(d.Edge(1), d.Line(2));
    EXPECT_EQ(d.RowOf("SB"), 3);

    // a press inside a cell, off its edge, changes nothing
    EXPECT_EQ(d.Drag(select, d.InColumn(d.Line(1.5)), d.InColumn(d.Line(3.5))), deRepaint);
    EXPECT_DOUBLE_EQ(d.Edge(1), d.Line(2));
}

TEST(GroupEdgeDrag, ColumnHasNoCommandInTheLogicView)
{
    GroupDoc d;
    d.AddCells();
    SetViewKind(d.Net(), 2);
    d.doc.Relayout();
    TSelectCmd select;
    const TPosition2D p = d.Pixel(d.InColumn(d.Line(2)));
    d.doc.Move(0, p.x, p.y, &select, d.mode, d.chooser);
    EXPECT_FALSE(d.doc.localCommand);
}

TEST(BlankRowTool, DoubleClickInsertsShiftRemovesWithUndo)
{
    GroupDoc d;
    Ckonghang tool;
    // between row lines 1 and 2: row 2 opens, the works of row 3 go to 4
    EXPECT_EQ(d.DoubleClick(tool, {300, d.Line(1.5)}), deRebuild | deRepaint);
    EXPECT_EQ(d.RowOf("SB"), 4);
    EXPECT_EQ(d.RowOf("SA"), 0);
    // with Shift: between lines 2 and 3 row 3 is blank now and closes
    EXPECT_EQ(d.DoubleClick(tool, {300, d.Line(2.5)}, mfShift), deRebuild | deRepaint);
    EXPECT_EQ(d.RowOf("SB"), 3);
    ASSERT_TRUE(d.doc.Undo());
    d.doc.Relayout();
    EXPECT_EQ(d.RowOf("SB"), 4);
    // with Shift above the rows: row 0 holds works and nothing lies above it
    EXPECT_EQ(d.DoubleClick(tool, {300, d.Line(-0.5)}, mfShift), deNothing);
    EXPECT_EQ(d.RowOf("SA"), 0);
}

struct ExchangeCase {
    const char* what;
    TMsgAnswer answer;
    bool traded;
};

TEST(ExchangeTool, AskedAndAnswered)
{
    const ExchangeCase cases[] = {
        {"Yes trades", TMsgAnswer::Yes, true},
        {"No keeps", TMsgAnswer::No, false},
    };
    for (const ExchangeCase& k : cases) {
        SCOPED_TRACE(k.what);
        GroupDoc d;
        TFakeMessages messages;
        messages.answers.push_back(k.answer);
        TJiaohuanCmd tool;
        Tedge* a = d.WorkNamed("SA");
        Tedge* b = d.WorkNamed("SB");
        EXPECT_EQ(d.DoubleClick(tool, commanddoc::OnLine(a, 0.5)), deNothing);
        EXPECT_EQ(tool.stage, 1);
        EXPECT_EQ(d.DoubleClick(tool, commanddoc::OnLine(b, 0.5)),
                  k.traded ? deRebuild | deRepaint : deNothing);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "真的要交换“SA”\r与“SB”吗?");
        EXPECT_EQ(messages.shown[0].caption, "警告");
        EXPECT_EQ(a->data->name, k.traded ? "SB" : "SA");
        EXPECT_EQ(b->data->name, k.traded ? "SA" : "SB");
        EXPECT_EQ(tool.stage, 0);
        if (k.traded) {
            EXPECT_FLOAT_EQ(a->data->duration, 3);
            ASSERT_TRUE(d.doc.Undo());
            EXPECT_TRUE(d.WorkNamed("SA"));
            EXPECT_FLOAT_EQ(d.WorkNamed("SA")->data->duration, 2);
        }
    }
}

TEST(ExchangeTool, FirstPickDeletedMeanwhileIsRefused)
{
    GroupDoc d;
    TFakeMessages messages;
    TJiaohuanCmd tool;
    Tedge* a = d.WorkNamed("AE");
    d.DoubleClick(tool, commanddoc::OnLine(a, 0.5));
    ASSERT_EQ(tool.stage, 1);
    ASSERT_EQ(DeleteWork(d.Net(), a), 1);
    d.doc.Relayout();
    EXPECT_EQ(d.DoubleClick(tool, commanddoc::OnLine(d.WorkNamed("SB"), 0.5)), deNothing);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(tool.stage, 0);
}

}  // namespace

namespace {

TEST(GroupPopup, DeleteACellAfterAskingAndOpenABlankRow)
{
    struct Case {
        const char* what;
        TMsgAnswer answer;
        size_t cellsLeft;
    };
    const Case cases[] = {{"Yes deletes", TMsgAnswer::Yes, 1}, {"No keeps", TMsgAnswer::No, 2}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        GroupDoc d;
        d.AddCells();
        TFakeMessages messages;
        messages.answers.push_back(k.answer);
        const int32_t works = d.Net().WorkCount();
        PopupDelete(d.doc, d.InColumn(d.Line(1.5)));
        ASSERT_EQ(messages.Texts(), (std::vector<std::string>{"真的要删除吗?"}));
        EXPECT_EQ(d.Net().groups.items.size(), k.cellsLeft);
        EXPECT_EQ(d.Net().WorkCount(), works);   // never a work
        EXPECT_EQ(d.Net().modified, k.answer == TMsgAnswer::Yes);
        if (k.answer == TMsgAnswer::Yes) {
            ASSERT_TRUE(d.doc.Undo());
            EXPECT_EQ(d.Net().groups.items.size(), 2u);
        }
    }
    GroupDoc d;
    EXPECT_EQ(PopupBlankRow(d.doc, {300, d.Line(0.5)}).effects, deRebuild);
    EXPECT_EQ(d.RowOf("SB"), 4);
    EXPECT_TRUE(d.Net().modified);
    ASSERT_TRUE(d.doc.Undo());
    d.doc.Relayout();
    EXPECT_EQ(d.RowOf("SB"), 3);
}

}  // namespace
