#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "drawing/Displaysettings.h"
#include "drawing/Explaindraw.h"
#include "drawing/Pertexplain.h"
#include "drawing/Tpertgrid.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "editing/Relayout.h"
#include "gantt/Gantt.h"
#include "gantt/Ganttfixture.h"
#include "model/Pertgra.h"
#include "platform/Recordingcanvas.h"
#include "schedule/Calendar.h"
#include "support/Netbuilder.h"

using namespace ganttfixture;
using TKind = TRecordingCanvas::TKind;

namespace {

TEST(GanttRows, KindsLeftOutAndSegmentsInTheirFirstRow)
{
    TNetBuilder b;
    b.Work('a', 'b', 2);
    b.Work('b', 'c', 0, WorkKind::Dummy);
    b.Work('c', 'd', 0, WorkKind::Milestone);
    b.Work('a', 'e', 3, WorkKind::Other);
    b.Work('a', 'f', 3, WorkKind::TotalDuration);
    b.Work('a', 'g', 3, WorkKind::Auxiliary);
    b.Work('a', 'h', 3, WorkKind::Suspended);
    Tedge* first = b.Work('d', 'i', 2);
    Tedge* second = b.Work('i', 'j', 2);
    first->nextSegment = second;
    second->isContinuation = true;
    b.Place();
    std::vector<std::string> names;
    for (const Tedge* w : b.net->liveGantt.GanttRowList(*b.net)) names.push_back(w->data->name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ab", "ag", "ah", "di"}));
}

TEST(GanttRows, RenumbersByNumberKeepingEqualNumbersInStartOrder)
{
    // Works numbered 5, 2, 9 become 2 -> 1, 5 -> 2, 9 -> 3; equal numbers
    // keep their order by start.
    struct Case {
        std::vector<int> numbers;           // of W1, W2, W3 (starts 0, 2, 4)
        std::vector<std::string> order;
        std::vector<int> after;
    } cases[] = {
        {{5, 2, 9}, {"W2", "W1", "W3"}, {2, 1, 3}},
        {{4, 4, 1}, {"W3", "W1", "W2"}, {2, 3, 1}},
        {{0, 0, 0}, {"W1", "W2", "W3"}, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        auto net = Chain(3);
        for (int i = 0; i < 3; ++i) Named(*net, "W" + std::to_string(i + 1))->data->workNo = c.numbers[i];
        std::vector<std::string> order;
        for (const Tedge* w : net->liveGantt.GanttRowList(*net)) order.push_back(w->data->name);
        EXPECT_EQ(order, c.order);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Named(*net, "W" + std::to_string(i + 1))->data->workNo, c.after[i]);
    }
}

TEST(GanttPaging, PagesOfTheRowListAndTheDisplayWindow)
{
    auto net = Chain(120);
    ShowGantt(*net);
    Tgantt& g = net->liveGantt;
    ASSERT_EQ(g.pageWorks.size(), 60u);
    EXPECT_EQ(g.pageWorks.front()->data->name, "W1");
    EXPECT_FALSE(g.PreviousPage());
    ASSERT_TRUE(g.NextPage(*net));
    LayoutNetwork(*net);
    EXPECT_EQ(g.page, 2);
    EXPECT_EQ(g.pageWorks.front()->data->name, "W61");
    EXPECT_EQ(g.pageWorks.size(), 60u);
    EXPECT_FALSE(g.NextPage(*net));
    EXPECT_EQ(g.page, 2);

    // A page past the end shows the last one; a page size below 1 counts as 1.
    g.page = 9;
    LayoutNetwork(*net);
    EXPECT_EQ(g.page, 2);
    g.rowsPerPage = 0;
    g.page = 5;
    LayoutNetwork(*net);
    EXPECT_EQ(RowNames(g), std::vector<std::string>{"W5"});
    EXPECT_FALSE(g.NextPage(*net));
    g.rowsPerPage = 60;

    // Only the works with time inside the display window are paged:
    // days [10, 20) hold W6..W10.
    net->showStart = net->projectStart + 10 * 86400;
    net->showEnd = net->projectStart + 20 * 86400;
    g.page = 1;
    LayoutNetwork(*net);
    EXPECT_EQ(RowNames(g), (std::vector<std::string>{"W6", "W7", "W8", "W9", "W10"}));
    // All works outside the window: an empty page, page stays 1.
    net->showStart = net->projectStart + 1000 * 86400;
    net->showEnd = net->projectStart + 1001 * 86400;
    LayoutNetwork(*net);
    EXPECT_TRUE(g.pageWorks.empty());
    EXPECT_EQ(g.page, 1);
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    DrawNetwork(*net, mode);
    EXPECT_FALSE(canvas.OfKind(TKind::Line).empty());   // ruler, header and frame
    for (const std::string& t : canvas.Texts()) EXPECT_NE(t, "W1");
}

TEST(GanttCells, WrapTextNeverSplitsACharacter)
{
    TRecordingCanvas canvas;   // size 10 at 96 ppi: ASCII 7 wide, others 13
    canvas.SetFont(TCanvasFont{"宋体", 10});
    struct Case {
        std::string text;
        double width;
        int mode;
        std::vector<std::string> lines;
    } cases[] = {
        {"工作名称", 60, 1, {"工作名称"}},
        {"工作名称", 30, 1, {"工作", "名称"}},
        {"最早开始时间", 30, 1, {"最早", "开始", "时间"}},
        // 78 wide in 25: four lines of two characters, the last empty.
        {"最早开始时间", 25, 1, {"最早", "开始", "时间", ""}},
        {"abcdef", 20, 0, {"ab", "cd", "ef"}},
        {"甲乙丙", 30, 0, {"甲乙", "丙"}},
        {"x", 0, 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Tgantt::WrapText(&canvas, c.text, c.width, c.mode), c.lines)
            << c.text << " " << c.width;
    }
    EXPECT_TRUE(Tgantt::WrapText(nullptr, "abc", 100, 0).empty());
}

TEST(GanttCells, HeaderAndRowCells)
{
    auto net = Chain(2);
    SetViewKind(*net, 0);
    TRecordingCanvas canvas;
    Tgantt& g = net->liveGantt;
    g.columns[3].width = 30;   // "工作名称" in two lines
    LayoutNetwork(*net);
    TPertDrawMode mode(&canvas, dkScreen);
    g.LayoutGantt(*net, mode);
    ASSERT_EQ(g.headerCells.size(), 3u);   // 编号, 工作名称, 持续时间
    const TGanttCell& name = g.headerCells[1];
    EXPECT_EQ(name.lines, (std::vector<std::string>{"工作", "名称"}));
    EXPECT_EQ(name.origin.x, 50 + 30);
    EXPECT_EQ(name.origin.y, 100);
    EXPECT_EQ(name.height, g.RowsTop(*net) - 100);
    EXPECT_EQ(name.lineColor, g.ruler.scales[0].lineColor);
    const Tedge* w2 = g.pageWorks[1];
    ASSERT_EQ(w2->cells.size(), 3u);
    EXPECT_EQ(w2->cells[0].lines, std::vector<std::string>{"2"});
    EXPECT_EQ(w2->cells[2].lines, std::vector<std::string>{"2"});
    EXPECT_EQ(w2->cells[1].origin.y, g.RowsTop(*net) + g.rowHeight);
    EXPECT_EQ(g.ChartLeft(), 50 + 30 + 30 + 60);
}

TEST(GanttCells, ColumnTexts)
{
    auto net = Chain(2);
    Tedge* w = Named(*net, "W2");
    w->data->quantity = 12.5;
    w->data->groupNo = 3;
    w->data->groupName = "基础";
    net->projectStart = 0;   // 1970-01-01 08:00: the calendar day starts at 00:00 of 01-01
    struct Case {
        int id;
        std::string text;
    } cases[] = {
        {0, "3"}, {1, "基础"}, {3, "W2"}, {4, "12.50"}, {5, "2"},
        {6, DateText(WorkStartDate(*net, *w))}, {7, DateText(WorkFinishDate(*net, *w))},
        {12, "0"}, {13, "0"}, {14, ""}, {-1, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Tgantt::WorkColumnText(*w, c.id, *net), c.text) << c.id;
    EXPECT_EQ(Tgantt::WorkColumnText(*w, 8, *net), Tgantt::WorkColumnText(*w, 6, *net));
}

struct TBars {
    std::vector<TRecordingCanvas::TPrimitive> rects;
    size_t hatchLines = 0;
};

TBars DrawBars(Tpertgra& net)
{
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    DrawNetwork(net, mode);
    TBars b;
    for (const auto& p : canvas.OfKind(TKind::Rectangle))
        if (p.brush.style == TBrushStyle::Solid) b.rects.push_back(p);
    const Tgantt& g = net.liveGantt;
    const int32_t rowsTop = int32_t(g.RowsTop(net));
    for (const auto& p : canvas.OfKind(TKind::Line)) {
        const bool diagonal = p.points[0].x != p.points[1].x && p.points[0].y != p.points[1].y;
        if (diagonal && p.points[0].y > rowsTop) ++b.hatchLines;
    }
    return b;
}

TEST(GanttDrawing, CriticalBarsFilledOthersHatchedLineStyleNone)
{
    // S->A (4) critical; S->B (2) and B->A? no: a parallel path S->C (1) -> A
    // is not critical.
    TNetBuilder nb;
    nb.Work('s', 'a', 4);
    nb.Work('s', 'c', 1);
    nb.Work('c', 'a', 0, WorkKind::Dummy);
    nb.Place();
    Tpertgra& net = *nb.net;
    net.liveGantt.criticalBarHeight = 12;
    ShowGantt(net);
    ASSERT_EQ(net.liveGantt.pageWorks.size(), 2u);
    ASSERT_TRUE(nb.W("sa")->data->critical);
    ASSERT_FALSE(nb.W("sc")->data->critical);

    TBars b = DrawBars(net);
    ASSERT_EQ(b.rects.size(), 1u);
    const Tgantt& g = net.liveGantt;
    const TCanvasRect r = b.rects[0].rect;
    EXPECT_EQ(r.Height(), 12);
    EXPECT_EQ(r.left, int32_t(g.TimeToX(0)));
    EXPECT_EQ(r.right, int32_t(g.TimeToX(4)));
    EXPECT_EQ(b.rects[0].brush.color, net.displaySettings.criticalColor);
    EXPECT_GT(b.hatchLines, 0u);

    // The same work not critical is hatched, of the normal height.
    net.liveGantt.barStyle = "线型";
    b = DrawBars(net);
    EXPECT_TRUE(b.rects.empty());
    EXPECT_EQ(b.hatchLines, 0u);
}

TEST(GanttDrawing, HatchedBarOfTheNormalHeight)
{
    auto net = Chain(1);
    ShowGantt(*net);
    Tedge* w = net->liveGantt.pageWorks[0];
    w->data->critical = false;
    net->liveGantt.normalBarHeight = 9;
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    DrawNetwork(*net, mode);
    const Tgantt& g = net->liveGantt;
    const int32_t x1 = int32_t(g.TimeToX(0)), x2 = int32_t(g.TimeToX(2));
    int top = -1, bottom = -1, strokes = 0;
    for (const auto& p : canvas.OfKind(TKind::Line)) {
        if (p.pen.color != net->displaySettings.generalColor) continue;   // not the bar
        const TCanvasPoint a = p.points[0], e = p.points[1];
        if (a.y == e.y && a.x == x1 && e.x == x2 && top < 0) top = a.y;
        if (a.y == e.y && a.x == x2 && e.x == x1) bottom = a.y;
        if (a.x != e.x && a.y != e.y && a.x >= x1 && e.x <= x2) ++strokes;
    }
    EXPECT_EQ(bottom - top, 9 - 1);
    EXPECT_EQ(strokes, (x2 - x1 + 5) / 6);   // spacing trunc(9 x 2 / 3) = 6
    for (const auto& p : canvas.OfKind(TKind::Rectangle)) EXPECT_NE(p.brush.style, TBrushStyle::Solid);
}

TEST(GanttDrawing, LinksWithArrowheadsThroughDummies)
{
    // a->b then two dummies b->c, b->d (and c->d) lead to c->e and d->f:
    // the successors of ab are ce and df, each once.
    TNetBuilder nb;
    nb.Work('a', 'b', 2);
    nb.Work('b', 'c', 0, WorkKind::Dummy);
    nb.Work('b', 'd', 0, WorkKind::Dummy);
    nb.Work('c', 'd', 0, WorkKind::Dummy);
    nb.Work('c', 'e', 2);
    nb.Work('d', 'f', 3);
    nb.Place();
    Tpertgra& net = *nb.net;
    ShowGantt(net);
    net.liveGantt.SetShowLinks(true);
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    DrawNetwork(net, mode);
    const auto links = canvas.OfKind(TKind::Polyline);
    ASSERT_EQ(links.size(), 2u);
    const auto heads = canvas.OfKind(TKind::Polygon);
    ASSERT_EQ(heads.size(), 2u);
    const Tgantt& g = net.liveGantt;
    for (size_t i = 0; i < 2; ++i) {
        const TCanvasPoint start = links[i].points.front();
        const TCanvasPoint end = links[i].points.back();
        EXPECT_EQ(start.x, int32_t(g.TimeToX(2)));
        EXPECT_EQ(heads[i].points[2].x, end.x + 5);
        EXPECT_EQ(heads[i].points[2].y, end.y);
        EXPECT_EQ(heads[i].points[0].y, end.y - 5);
    }
    net.liveGantt.SetShowLinks(false);
    canvas.Clear();
    DrawNetwork(net, mode);
    EXPECT_TRUE(canvas.OfKind(TKind::Polyline).empty());
}

TEST(GanttDrawing, DummyLoopOfADamagedFileEnds)
{
    TNetBuilder nb;
    nb.Work('a', 'b', 2);
    nb.Work('b', 'c', 0, WorkKind::Dummy);
    nb.Work('c', 'b', 0, WorkKind::Dummy);
    nb.Work('c', 'd', 2);
    Tpertgra& net = *nb.net;
    SetViewKind(net, 0);
    net.liveGantt.SetShowLinks(true);
    net.liveGantt.pageWorks = {nb.W("ab"), nb.W("cd")};
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    net.liveGantt.DrawGantt(mode, net);
    EXPECT_EQ(canvas.OfKind(TKind::Polyline).size(), 1u);
}

TEST(GanttDrawing, TitleLinesAndTheCurrentMark)
{
    auto net = Chain(3);
    net->liveGantt.title = "第一行\\第二行";
    ShowGantt(*net);
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    DrawNetwork(*net, mode);
    std::vector<TRecordingCanvas::TPrimitive> title;
    for (const auto& p : canvas.OfKind(TKind::Text))
        if (p.font.size == 24) title.push_back(p);
    ASSERT_EQ(title.size(), 2u);
    EXPECT_EQ(title[0].text, "第二行");   // nearest the chart, drawn first
    EXPECT_EQ(title[1].text, "第一行");
    EXPECT_LT(title[1].points[0].y, title[0].points[0].y);
    EXPECT_EQ(title[0].points[0].y + 32, 100 - 20);   // size 24: 32 high

    Tgantt& g = net->liveGantt;
    canvas.Clear();
    DrawSelection(*net, mode);
    EXPECT_TRUE(canvas.primitives.empty());
    g.SetCurrentWork(g.pageWorks[1]);
    DrawSelection(*net, mode);
    ASSERT_EQ(canvas.OfKind(TKind::Rectangle).size(), 1u);
    const auto mark = canvas.OfKind(TKind::Rectangle)[0];
    EXPECT_EQ(mark.pen.mode, TPenMode::Xor);
    EXPECT_EQ(mark.rect.top, int32_t(g.RowsTop(*net) + g.rowHeight) + 1);
    EXPECT_EQ(mark.rect.bottom, int32_t(g.RowsTop(*net) + 2 * g.rowHeight));
}

TEST(GanttDrawing, TheFrameDrawsTheExplanationBlockWithoutTheLegend)
{
    for (const int32_t mode : {1, 2}) {
        SCOPED_TRACE(mode);
        auto net = Chain(40);   // wide enough for the explanation text beside the title block
        ShowGantt(*net);
        Tgantt& g = net->liveGantt;
        TRecordingCanvas canvas;
        TPertDrawMode pass(&canvas, dkScreen);
        DrawNetwork(*net, pass);
        auto frameBottom = [&] {
            int32_t y = 0;
            for (const auto& p : canvas.OfKind(TKind::Line))
                if (p.pen.width == g.ruler.frameWidth && p.points[0].y == p.points[1].y)
                    y = std::max(y, p.points[0].y);
            return y;
        };
        const int32_t before = frameBottom();
        const int32_t rightBefore = g.ChartRight(*net);

        Tpertexplain& e = g.ruler.explain;
        e.showMode = mode;
        e.cells[0] = "某建设单位";
        e.explanationLines = {"图注说明文字"};
        canvas.Clear();
        DrawNetwork(*net, pass);
        const std::vector<std::string> texts = canvas.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "某建设单位"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "图注说明文字"), texts.end());
        EXPECT_EQ(std::find(texts.begin(), texts.end(), "关键工作"), texts.end());
        EXPECT_EQ(e.cells[18], AutoEndText(*net));
        const int32_t R = g.ChartRight(*net);
        if (mode == 1) {
            // The room at the right: the block's left border stands blockWidth left of the frame's right.
            EXPECT_EQ(R, rightBefore + e.blockWidth);
            bool border = false;
            for (const auto& p : canvas.OfKind(TKind::Line))
                border |= p.points[0].x == R - e.blockWidth && p.points[1].x == R - e.blockWidth;
            EXPECT_TRUE(border);
            EXPECT_EQ(frameBottom(), before);
        } else {
            // The room below: the frame reaches blockHeight lower, the block's top border across.
            EXPECT_EQ(frameBottom(), before + e.blockHeight);
            bool top = false;
            const int32_t y = frameBottom() - g.ruler.frameWidth / 2 - e.blockHeight;
            for (const auto& p : canvas.OfKind(TKind::Line))
                top |= p.points[0].y == y && p.points[1].y == y && p.points[0].x == g.leftMargin &&
                       p.points[1].x == R;
            EXPECT_TRUE(top);
        }
    }
}

TEST(GanttHits, RowAtAndNumberCellAt)
{
    auto net = Chain(3);
    ShowGantt(*net);
    const Tgantt& g = net->liveGantt;
    const double left = g.RowCellsLeft();
    const double top = g.RowsTop(*net);
    const double endX = g.TimeToX(ProjectEndDay(*net));
    struct Case {
        TPosition2D p;
        const char* row;
        const char* number;
    } cases[] = {
        {{left + 10, top + 1}, "W1", "W1"},
        {{left + 40, top + 30}, "W2", nullptr},
        {{left, top + 30}, "W2", nullptr},           // the edge itself is not inside the number cell
        {{left - 1, top + 30}, nullptr, nullptr},
        {{endX + 1, top + 30}, nullptr, nullptr},
        {{left + 10, top - 1}, nullptr, nullptr},
        {{left + 10, top + 3 * 25 + 1}, nullptr, nullptr},
        {{endX, top + 74}, "W3", nullptr},
    };
    for (const Case& c : cases) {
        const Tedge* r = g.RowAt(*net, c.p);
        const Tedge* n = g.NumberCellAt(*net, c.p);
        EXPECT_EQ(r ? r->data->name : "", c.row ? c.row : "") << c.p.x << "," << c.p.y;
        EXPECT_EQ(n ? n->data->name : "", c.number ? c.number : "") << c.p.x << "," << c.p.y;
    }
    double rowTop = 0;
    g.RowAt(*net, {left + 10, top + 60}, &rowTop);
    EXPECT_EQ(rowTop, top + 50);
}

TEST(GanttMoveRow, DropsBelowTheTargetRow)
{
    struct Case {
        const char* moved;
        int target;   // page row, -1 outside the table
        int result;
        std::vector<std::string> order;
    } cases[] = {
        {"W4", 1, 1, {"W1", "W2", "W4", "W3"}},
        {"W1", 2, 1, {"W2", "W3", "W1", "W4"}},
        {"W2", 1, 0, {"W1", "W2", "W3", "W4"}},
        // Outside: the others close up and W1 keeps 1, sorted in before the new 1.
        {"W1", -1, 1, {"W1", "W2", "W3", "W4"}},
        // W3 keeps 3 beside W4's new 3 and comes first by its earlier start.
        {"W3", -1, 1, {"W1", "W2", "W3", "W4"}},
    };
    for (const Case& c : cases) {
        auto net = Chain(4);
        ShowGantt(*net);
        Tgantt& g = net->liveGantt;
        const TPosition2D p = c.target < 0 ? TPosition2D{0, 0} : RowPoint(*net, c.target, 100);
        EXPECT_EQ(g.MoveRow(*net, Named(*net, c.moved), p), c.result) << c.moved;
        LayoutNetwork(*net);
        EXPECT_EQ(RowNames(g), c.order) << c.moved << " onto " << c.target;
        for (size_t i = 0; i < g.pageWorks.size(); ++i) EXPECT_EQ(g.pageWorks[i]->data->workNo, int(i + 1));
    }
}

TEST(GanttState, CurrentWorkForgottenWhenItsWorkGoes)
{
    auto net = Chain(3);
    ShowGantt(*net);
    Tgantt& g = net->liveGantt;
    Tedge* w = g.pageWorks[2];
    g.SetCurrentWork(w);
    LayoutNetwork(*net);
    EXPECT_EQ(g.currentWork, w);
    w->data->kind = WorkKind::Dummy;   // no longer listed
    LayoutNetwork(*net);
    EXPECT_EQ(g.currentWork, nullptr);
}

TEST(GanttState, AlignLinksAndDefaults)
{
    Tgantt g;
    g.SetAllColumnsAlign(2);
    for (const TGanttShowData& c : g.columns) EXPECT_EQ(c.align, 2);
    EXPECT_FALSE(g.ShowLinks());
    g.SetShowLinks(true);
    EXPECT_EQ(g.showLinks, 1);

    g.title = "标题";
    g.rowsPerPage = 30;
    g.rowHeight = 40;
    g.normalBarHeight = 3;
    g.leftMargin = 5;
    g.topMargin = 70;
    g.workFont.size = 30;
    g.ruler.frameWidth = 9;
    g.scaleIntervals.dayWidth = 30;
    g.ResetToDefaults();
    const Tgantt d;
    EXPECT_EQ(g.title, "标题");
    EXPECT_EQ(g.rowsPerPage, 30);
    EXPECT_EQ(g.rowHeight, d.rowHeight);
    EXPECT_EQ(g.normalBarHeight, 8);
    EXPECT_EQ(g.leftMargin, 50);
    EXPECT_EQ(g.topMargin, 100);
    EXPECT_EQ(g.workFont, d.workFont);
    EXPECT_EQ(g.ruler.frameWidth, d.ruler.frameWidth);
    EXPECT_EQ(g.ruler.topMargin, 100);
    EXPECT_EQ(g.scaleIntervals.dayWidth, 10);
}

}  // namespace

#include "file/Projectfile.h"

namespace {

TEST(GanttState, AFileSavedInTheGanttViewOpensShowingTheChart)
{
    auto net = Chain(3);
    SetViewKind(*net, 0);
    const std::vector<uint8_t> bytes = WriteProjectBytes(*net);
    Tpertgra back;
    ASSERT_EQ(ReadProjectBytes(back, bytes.data(), bytes.size(), "g.prt"), 1);
    back.Recalculate();
    LayoutNetwork(back);
    EXPECT_EQ(RowNames(back.liveGantt), (std::vector<std::string>{"W1", "W2", "W3"}));
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    DrawNetwork(back, mode);
    const std::vector<std::string> texts = canvas.Texts();
    for (const char* t : {"工程进度横道图", "工作名称", "W2"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
}

}  // namespace

namespace {

TEST(GanttCells, ResourceColumnsWithTheirHeaderAndEmptyZeroCells)
{
    auto net = Chain(2);
    Trecsource r;
    r.number = "R1";
    r.name = "钢筋";
    r.unit = "t";
    r.dailyAmount = 1.5f;
    r.measureMode = 1;   // the daily amount is given: the layout keeps it
    Named(*net, "W1")->data->resources.push_back(r);
    r.dailyAmount = 0;
    Named(*net, "W2")->data->resources.push_back(r);
    Tgantt& g = net->liveGantt;
    g.resourceColumnIds = {"R1", "R9"};
    g.resourceColumnModes = {1, 0};
    ShowGantt(*net);
    TRecordingCanvas canvas;
    g.LayoutGantt(*net, TPertDrawMode(&canvas, dkScreen));
    ASSERT_EQ(g.headerCells.size(), 5u);
    EXPECT_EQ(g.headerCells[3].lines, (std::vector<std::string>{"钢筋", "总量", "(t)"}));
    EXPECT_EQ(g.headerCells[4].lines, (std::vector<std::string>{"R9", "每天用量", "()"}));
    EXPECT_EQ(g.TableWidth(), 30 + 160 + 60 + 2 * 80);
    const std::vector<TGanttCell>& w1 = g.pageWorks[0]->cells;
    const std::vector<TGanttCell>& w2 = g.pageWorks[1]->cells;
    ASSERT_EQ(w1.size(), 5u);
    EXPECT_EQ(w1[3].lines, std::vector<std::string>{"3"});   // 1.5 a day over 2 days
    EXPECT_EQ(w1[3].origin.x, 50 + 250);
    EXPECT_EQ(w1[4].text, "");                                 // not used: no text
    EXPECT_EQ(w2[3].text, "");                                 // 0, not "0"

    // The diagrams' room lies between the rows and the bottom ruler rows.
    const TCanvasSize without = g.DrawingSize(*net);
    net->shownResources = {"R1"};
    g.showResourceDiagram = true;
    EXPECT_EQ(g.DrawingSize(*net).cy, without.cy + net->displaySettings.resourceHeight);
}

}  // namespace

namespace {

TEST(GanttDrawing, HatchStrokesOnlyWhereTheCanvasShows)
{
    auto net = Chain(1);
    Named(*net, "W1")->data->duration = 300;
    ShowGantt(*net);
    net->liveGantt.pageWorks[0]->data->critical = false;
    auto strokes = [&](int32_t right) {
        TRecordingCanvas canvas;
        canvas.SetClipRect({0, 0, right, 2000});
        TPertDrawMode mode(&canvas, dkScreen);
        DrawNetwork(*net, mode);
        int n = 0;
        for (const auto& p : canvas.OfKind(TKind::Line))
            if (p.points[0].x != p.points[1].x && p.points[0].y != p.points[1].y) ++n;
        return n;
    };
    const int all = strokes(100000);
    EXPECT_GE(all, 3000 / 6);
    EXPECT_LT(strokes(400), 60);   // from x 170 to 400: 39 strokes and the edges' neighbours
}

}  // namespace

#include <cmath>
#include <random>

#include "support/Plangen.h"

namespace {

TEST(GanttRows, TheRowListMatchesTheLiteralProcedure)
{
    // The literal rows: AllWorks without the kinds that get no row, moved
    // up by insertion past every earlier work with a greater number.
    auto literal = [](const Tpertgra& net) {
        std::vector<Tedge*> out;
        for (Tedge* w : net.AllWorks()) {
            const Tworkdata& d = *w->data;
            if (w->isContinuation || d.IsKind(WorkKind::Other) || d.IsDummy() ||
                d.IsKind(WorkKind::TotalDuration) || d.IsMilestone())
                continue;
            size_t j = out.size();
            out.push_back(w);
            while (j > 0 && out[j - 1]->data->workNo > d.workNo) {
                out[j] = out[j - 1];
                --j;
            }
            out[j] = w;
        }
        return out;
    };
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        TPlanShape shape;
        shape.works = 400;
        shape.seed = seed;
        auto net = GeneratePlan(shape);
        std::mt19937 rng(seed);
        const std::vector<Tedge*> works = net->AllWorks();
        // Distinct numbers, shared numbers, and one far-off number.
        for (size_t i = 0; i < works.size(); ++i)
            works[i]->data->workNo = seed % 3 == 0 ? int32_t(works.size() - i)
                                                   : int32_t(rng() % (seed % 3 == 1 ? 40 : 4000));
        if (seed == 8) works[5]->data->workNo = 2000000000;
        const std::vector<Tedge*> expected = literal(*net);
        EXPECT_EQ(net->liveGantt.GanttRowList(*net), expected) << "seed " << seed;
        // Built again on its own numbers: the same rows.
        EXPECT_EQ(net->liveGantt.GanttRowList(*net), expected) << "seed " << seed;
    }
}

}  // namespace

namespace {

TEST(GanttDrawing, SettingsOfADamagedFileDrawWithoutOverflow)
{
    struct Case {
        int32_t rowHeight;
        int32_t barHeight;
        double width;
        int32_t rowsPerPage;
    } cases[] = {
        {2000000000, 2000000000, 1e300, 1},
        {-50, -8, -1e9, -3},
        {0, 0, std::nan(""), 0},
    };
    for (const Case& c : cases) {
        auto net = Chain(3);
        Tgantt& g = net->liveGantt;
        g.rowHeight = c.rowHeight;
        g.criticalBarHeight = g.normalBarHeight = c.barHeight;
        g.columns[3].width = c.width;
        g.rowsPerPage = c.rowsPerPage;
        g.SetShowLinks(true);
        ShowGantt(*net);
        TRecordingCanvas canvas;
        TPertDrawMode mode(&canvas, dkScreen);
        DrawNetwork(*net, mode);
        EXPECT_FALSE(canvas.primitives.empty());
        EXPECT_GE(g.page, 1);
        (void)g.RowAt(*net, {100, 200});
        (void)g.DrawingSize(*net);
    }
}

}  // namespace

TEST(GanttDrawing, ResourceDiagramUnderTheRowsSharesTheBarsAxis)
{
    auto net = Chain(3);
    Tedge* w2 = Named(*net, "W2");
    Trecsource r;
    r.number = "R1";
    r.name = "钢筋";
    r.dailyAmount = 3;
    r.measureMode = 1;
    w2->data->resources.push_back(r);
    net->shownResources = {"R1"};
    Tgantt& g = net->liveGantt;
    g.showResourceDiagram = true;
    ShowGantt(*net);
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    DrawNetwork(*net, mode);
    const auto texts = canvas.Texts();
    ASSERT_NE(std::find(texts.begin(), texts.end(), "钢筋-分布曲线"), texts.end());
    // The rise of the step at W2's first day stands where W2's bar begins.
    const int32_t barX = int32_t(g.TimeToX(CalendarDay(*net, w2->data->start)));
    const int32_t yb = int32_t(g.ChartBottom(*net) + net->displaySettings.resourceHeight);
    bool bar = false, step = false;
    for (const auto& p : canvas.OfKind(TKind::Rectangle)) bar = bar || p.rect.left == barX;
    for (const auto& p : canvas.OfKind(TKind::Line))
        step = step || (p.points[0] == TCanvasPoint{barX, yb} && p.points[1].x == barX &&
                        p.points[1].y < yb);
    EXPECT_TRUE(bar);
    EXPECT_TRUE(step);

    g.showResourceDiagram = false;
    canvas.Clear();
    DrawNetwork(*net, mode);
    const auto none = canvas.Texts();
    EXPECT_EQ(std::find(none.begin(), none.end(), "钢筋-分布曲线"), none.end());
}
