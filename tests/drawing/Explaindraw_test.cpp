#include "drawing/Explaindraw.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "drawing/Canvasops.h"
#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Drawtest.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Tpertgrid.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"

namespace {

// The recording canvas writes 10-point text 13 units high, 24-point 32.
constexpr int32_t kRight = 1000;
constexpr int32_t kTop = 100;
constexpr int32_t kBottom = 600;

TFrameLayout Frame()
{
    TFrameLayout f;
    f.leftEdge = 50;
    f.topEdge = kTop;
    f.rightEdge = kRight;
    f.bottomEdge = kBottom;
    return f;
}

// A ten-day plan from 1 March 2007 with its block in the given place and style.
TNetBuilder Plan(int32_t showMode, int32_t titleStyle)
{
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 10);
    b.Place();
    b.net->Recalculate();
    Tpertexplain& e = b.net->grid->explain;
    e.showMode = showMode;
    e.titleStyle = titleStyle;
    return b;
}

TRecordingCanvas Explained(Tpertgra& net)
{
    TRecordingCanvas c;
    TPertDrawMode mode(&c, dkPrint);
    SelectPen(c, net.grid->frameColor, 5);
    DrawExplanation(*net.grid, net, mode, Frame());
    return c;
}

bool HasLine(const TRecordingCanvas& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    for (const TPrim& p : c.OfKind(TPrimKind::Line))
        if (p.points[0] == TCanvasPoint{x1, y1} && p.points[1] == TCanvasPoint{x2, y2}) return true;
    return false;
}

const TPrim* TextPrim(const TRecordingCanvas& c, const std::string& text)
{
    for (const TPrim& p : c.primitives)
        if (p.text == text) return &p;
    return nullptr;
}

bool Drawn(const TRecordingCanvas& c, const std::string& text)
{
    return TextPrim(c, text) != nullptr;
}

TEST(ProjectTitle, PartsAreCentredLinesTheLastAboveTheGap)
{
    Tpertgra net;
    net.title = "一\\二二\\三";
    TRecordingCanvas c;
    TPertDrawMode mode(&c, dkScreen);
    DrawTitle(net, mode, 1050);
    // Bottom of the last line at origin.y - titleGap = 80; lines 32 high;
    // centred on (1050 + 50) / 2.
    EXPECT_EQ(Labels(c), (std::vector<TLabel>{{"三", 534, 48}, {"二二", 518, 16}, {"一", 534, -16}}));
}

TEST(ExplanationBlock, HiddenDrawsNothing)
{
    TNetBuilder b = Plan(0, 0);
    EXPECT_TRUE(Explained(*b.net).primitives.empty());
}

TEST(ExplanationBlock, StyleOneAtTheBottomEndsAtTheBottomEdge)
{
    struct {
        int32_t blockHeight, row, top;
    } cases[] = {{160, 20, 20}, {100, 12, 16}};
    for (const auto& k : cases) {
        TNetBuilder b = Plan(2, 0);
        b.net->grid->explain.blockHeight = k.blockHeight;
        const TRecordingCanvas c = Explained(*b.net);
        const int32_t yt = kBottom - k.blockHeight;
        const int32_t xb = kRight - 300;
        SCOPED_TRACE(k.blockHeight);
        EXPECT_TRUE(HasLine(c, 50, yt, kRight, yt));                      // the block's top border
        EXPECT_TRUE(HasLine(c, xb, yt + k.top, xb + 300, yt + k.top));    // under cell 0
        EXPECT_TRUE(HasLine(c, xb, yt + k.top + 6 * k.row, xb + 75, yt + k.top + 6 * k.row));
        EXPECT_EQ(yt + k.top + 7 * k.row, kBottom);
    }
}

TEST(ExplanationBlock, AutomaticCellsFollowThePlan)
{
    TNetBuilder b = Plan(2, 0);
    Explained(*b.net);
    const Tpertexplain& e = b.net->grid->explain;
    EXPECT_EQ(e.cells[17], "2007-03-01");
    EXPECT_EQ(e.cells[18], "2007-03-10");
    EXPECT_EQ(e.cells[14], "10");

    TNetBuilder kept = Plan(2, 0);
    Tpertexplain& k = kept.net->grid->explain;
    k.autoStart = k.autoEnd = k.autoDuration = false;
    k.cells[14] = "九十";
    const TRecordingCanvas c = Explained(*kept.net);
    EXPECT_EQ(k.cells[17], "");
    EXPECT_TRUE(Drawn(c, "九十"));
}

TEST(ExplanationBlock, StyleOneAtTheRightWithTheLegendAboveIt)
{
    TNetBuilder b = Plan(1, 0);
    b.net->grid->explain.explanationLines = {"说明"};
    const TRecordingCanvas c = Explained(*b.net);
    const int32_t x = kRight - 300;
    EXPECT_TRUE(HasLine(c, x, kTop - 3, x, kBottom));  // left border, trunc(100 - 2.5)
    const int32_t yb = kBottom - 8 * (13 + 4);
    EXPECT_TRUE(HasLine(c, x, yb, x + 300, yb));                         // title block top
    const int32_t yl = kBottom - 8 * (13 + 4 * 2) - 160;
    EXPECT_TRUE(HasLine(c, x, yl, x + 300, yl));                         // legend top
    EXPECT_EQ(b.net->grid->explain.legend.y, yl);
    // The explanation text starts at the left gap, 8 units below the top.
    const TPrim* text = TextPrim(c, "说明");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.left, x + 20);
    EXPECT_EQ(text->rect.top, kTop - 3 + 8);
    // Only the kinds the plan holds are listed.
    for (const char* item : {"关键工作", "一般工作", "时差"}) EXPECT_TRUE(Drawn(c, item)) << item;
    for (const char* item : {"虚工作", "辅助工作", "挂起工作", "工作时间参数"})
        EXPECT_FALSE(Drawn(c, item)) << item;

    b.net->grid->explain.legend.height = 1;
    const TRecordingCanvas none = Explained(*b.net);
    EXPECT_FALSE(Drawn(none, "关键工作"));
    EXPECT_FALSE(HasLine(none, x, kBottom - 168 - 1, x + 300, kBottom - 168 - 1));
}

TEST(ExplanationBlock, TheLegendsTimeParameterSampleIsTheWorksTable)
{
    // Legend at the right of style one; the plan shows ES, EF, LS and LF only.
    TNetBuilder b = Plan(1, 0);
    Tpertgra& net = *b.net;
    net.showTimeLabels = 1;
    net.timeLabelMode.showTF = false;
    net.timeLabelMode.showFF = false;
    net.grid->explain.legend.height = 400;
    for (const int32_t kind : {dkPrint, dkScreen}) {
        SCOPED_TRACE(kind);
        TRecordingCanvas c;
        TPertDrawMode mode(&c, kind);
        LoadPalette(net, kind);
        SelectPen(c, net.grid->frameColor, 5);
        DrawExplanation(*net.grid, net, mode, Frame());
        const TPrim* label = TextPrim(c, "工作时间参数");
        ASSERT_NE(label, nullptr);
        const TPrim* es = TextPrim(c, "ES");
        const TPrim* ef = TextPrim(c, "EF");
        const TPrim* ls = TextPrim(c, "LS");
        ASSERT_TRUE(es && ef && ls && TextPrim(c, "LF"));
        EXPECT_EQ(TextPrim(c, "TF"), nullptr);
        EXPECT_EQ(TextPrim(c, "FF"), nullptr);
        // Two rows of the canvas font (10 points: 13 high), in the time-data colour.
        const int32_t h = 13;
        EXPECT_EQ(ef->points[0].y, es->points[0].y + h);
        EXPECT_EQ(es->font.color, net.displaySettings.timeDataColor);
        // Columns as wide as their texts, one unit apart; the table ends 2 units
        // inside the column's right edge, and its label is centred on its height.
        const int32_t w = TRecordingCanvas::Metric(es->font, 96, "ES").cx;
        const int32_t xe = kRight - 2;
        EXPECT_EQ(ls->points[0].x, xe - w);
        EXPECT_EQ(es->points[0].x, xe - 2 * w - 1);
        EXPECT_EQ(label->points[0].y, es->points[0].y + (2 * h - h) / 2);
        // The rule between the rows and the one between the two columns, in the
        // work-name colour; filled only on the screen.
        EXPECT_TRUE(HasLine(c, xe - 2 * w - 1, es->points[0].y + h, xe, es->points[0].y + h));
        EXPECT_TRUE(HasLine(c, xe - w - 1, es->points[0].y, xe - w - 1, es->points[0].y + 2 * h));
        bool filled = false;
        for (const TPrim& p : c.OfKind(TPrimKind::FillRect))
            filled |= p.rect == TCanvasRect{xe - 2 * w - 1, es->points[0].y, xe, es->points[0].y + 2 * h} &&
                      p.brush.color == net.displaySettings.backgroundColor;
        EXPECT_EQ(filled, kind == dkScreen);
    }
}

TEST(ExplanationBlock, StyleTwoAtTheRightStacksTheTables)
{
    TNetBuilder b = Plan(1, 1);
    Tpertexplain& e = b.net->grid->explain;
    const TRecordingCanvas c = Explained(*b.net);
    const int32_t x = kRight - 300;
    // Rows of 13 + 6; four rows each.
    EXPECT_EQ(e.rightBar.y, kBottom - 76);
    EXPECT_EQ(e.leftBar.y, kBottom - 152);
    EXPECT_DOUBLE_EQ(e.rightBar.valueWidth, 200);
    EXPECT_DOUBLE_EQ(e.leftBar.valueWidth, 200);
    EXPECT_TRUE(HasLine(c, x, kBottom - 76, x + 300, kBottom - 76));
    EXPECT_TRUE(HasLine(c, x, kBottom - 152, x + 300, kBottom - 152));
    EXPECT_EQ(e.legend.y, kBottom - 152 - 160);
    EXPECT_TRUE(Drawn(c, "项目名称"));
    EXPECT_TRUE(Drawn(c, "开工时间"));
}

TEST(ExplanationBlock, StyleTwoAtTheBottomLegendColumnsThenText)
{
    struct {
        int32_t blockHeight, columns;
    } cases[] = {{160, 1}, {40, 2}};
    for (const auto& k : cases) {
        TNetBuilder b = Plan(2, 1);
        Tpertexplain& e = b.net->grid->explain;
        e.blockHeight = k.blockHeight;
        e.explanationLines = {"说明"};
        e.textLeftGap = e.textRightGap = 0;
        const TRecordingCanvas c = Explained(*b.net);
        SCOPED_TRACE(k.blockHeight);
        const int32_t y = kBottom - k.blockHeight;
        EXPECT_TRUE(HasLine(c, kRight - 300, y, kRight - 300, kBottom));   // right table
        EXPECT_EQ(e.leftBar.x, 50);
        const int32_t xl = 50 + 200;
        EXPECT_TRUE(HasLine(c, xl, y, xl, kBottom));                        // after the left table
        EXPECT_EQ(e.legend.x, xl);
        const TPrim* text = TextPrim(c, "说明");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->rect.left, xl + 200 * k.columns);
        // Items 13 high, 1 apart, from 2 below the top: the third passes 40.
        const TPrim* flt = TextPrim(c, "时差");
        ASSERT_NE(flt, nullptr);
        EXPECT_EQ(flt->points[0].x, xl + 200 * (k.columns - 1) + 2);
    }
}

TEST(ExplanationBlock, TitleTableWithMissingValuesWritesBlanks)
{
    TTitleBar t;
    t.labels = {"甲", "乙", "丙"};
    t.values = {"一"};
    t.height = 60;
    TRecordingCanvas c;
    TPertDrawMode mode(&c, dkPrint);
    EXPECT_EQ(t.RowCount(), 3);
    t.Draw(mode);
    std::vector<std::string> texts;
    for (const TPrim& p : c.OfKind(TPrimKind::DrawText)) texts.push_back(p.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"甲", "乙", "丙", "一", " ", " "}));
    t.shown = false;
    EXPECT_EQ(t.Width(mode), 0);
    EXPECT_FALSE(t.IsVisible());
}

TEST(ExplanationBlock, DrawnByEveryPassOfTheFramedNetwork)
{
    for (int32_t kind : {dkScreen, dkPrint}) {
        TNetBuilder b = Plan(2, 0);
        b.net->showFrame = true;
        b.net->title = "工程甲";
        LayoutNetwork(*b.net, 1, 1);
        TRecordingCanvas c;
        TPertDrawMode mode(&c, kind);
        DrawNetwork(*b.net, mode);
        EXPECT_TRUE(Drawn(c, "工程甲")) << kind;
        EXPECT_TRUE(Drawn(c, "施工单位")) << kind;
        EXPECT_TRUE(Drawn(c, "关键工作")) << kind;
    }
}

}
