#include "drawing/Pertdraw.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "drawing/Canvasops.h"
#include "drawing/Displaysettings.h"
#include "drawing/Drawtest.h"
#include "drawing/Fenzu.h"
#include "drawing/Layoutpass.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Tpertgrid.h"
#include "drawing/Workgeometry.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "support/Fakemessages.h"

namespace {

constexpr int32_t kRed = 0x0000FF;     // critical works (both palettes)
constexpr int32_t kWhite = 0xFFFFFF;   // other works on screen
constexpr int32_t kGreen = 0x00FF00;   // free float on screen

// Recalculated, then only the displacement pass and the positions, so the
// rows stay as the test set them. Without the frame day 0 is at x 50 and
// row 0 at y 100; a day is 10 units wide and a row 50 high.
void Lay(TNetBuilder& b, bool frame = false)
{
    b.net->showFrame = frame;
    b.Place();
    b.net->Recalculate();
    ComputeDisplacements(*b.net);
    PlaceNodesAndWorks(*b.net, 1, 1);
}

TRecordingCanvas Drawn(Tpertgra& net, int32_t kind = dkScreen)
{
    TRecordingCanvas c;
    TPertDrawMode mode(&c, kind);
    DrawNetwork(net, mode);
    return c;
}

bool IsLine(const TPrim& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    return p.kind == TPrimKind::Line && p.points.size() == 2 &&
           ((p.points[0] == TCanvasPoint{x1, y1} && p.points[1] == TCanvasPoint{x2, y2}) ||
            (p.points[1] == TCanvasPoint{x1, y1} && p.points[0] == TCanvasPoint{x2, y2}));
}

// Index of the first primitive that matches, -1 when none does.
int64_t Find(const TRecordingCanvas& c, const std::function<bool(const TPrim&)>& f)
{
    for (size_t i = 0; i < c.primitives.size(); ++i)
        if (f(c.primitives[i])) return int64_t(i);
    return -1;
}

int64_t FindLine(const TRecordingCanvas& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    return Find(c, [&](const TPrim& p) { return IsLine(p, x1, y1, x2, y2); });
}

int64_t FindText(const TRecordingCanvas& c, const std::string& text)
{
    return Find(c, [&](const TPrim& p) { return p.kind == TPrimKind::Text && p.text == text; });
}

int64_t FindPolygon(const TRecordingCanvas& c, std::vector<TCanvasPoint> points)
{
    return Find(c, [&](const TPrim& p) { return p.kind == TPrimKind::Polygon && p.points == points; });
}

const TPrim& At(const TRecordingCanvas& c, int64_t i)
{
    static const TPrim none;
    return i >= 0 ? c.primitives[size_t(i)] : none;
}

size_t Count(const TRecordingCanvas& c, TPrimKind kind)
{
    return c.OfKind(kind).size();
}

// A(0) -> C(20) on row 0 is the critical path; A -> B (10 days) and
// B -> C (5 days) run on row 1, with 5 days of free float before C.
TNetBuilder FloatChain()
{
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'C', 20);
    b.Work('A', 'B', 10)->row = 1;
    b.Work('B', 'C', 5)->row = 1;
    b.N('B')->row = 1;
    Lay(b);
    return b;
}

TEST(NetworkDrawing, ChainWithCriticalPathAndFreeFloat)
{
    TFakeMessages messages;
    TNetBuilder b = FloatChain();
    ASSERT_EQ(b.N('A')->x, 50);
    ASSERT_EQ(b.N('B')->x, 150);
    ASSERT_EQ(b.N('C')->x, 250);
    ASSERT_TRUE(b.W("AC")->data->critical);
    ASSERT_FALSE(b.W("BC")->data->critical);
    const TRecordingCanvas c = Drawn(*b.net);

    // The critical work: its line between the joins, pen 3, red; the
    // arrowhead stops at the circle of the end node.
    const TPrim& ac = At(c, FindLine(c, 53, 100, 247, 100));
    EXPECT_EQ(ac.pen.color, kRed);
    EXPECT_EQ(ac.pen.width, 3);
    const TPrim& acArrow = At(c, FindPolygon(c, {{241, 100}, {231, 95}, {231, 105}}));
    EXPECT_EQ(acArrow.brush.color, kRed);

    // A -> B leaves A on row 0: a join down to row 1, then its line into B.
    const TPrim& abJoin = At(c, FindLine(c, 53, 100, 53, 150));
    EXPECT_EQ(abJoin.pen.color, kWhite);
    EXPECT_EQ(abJoin.pen.width, 1);
    EXPECT_GE(FindLine(c, 53, 150, 147, 150), 0);
    EXPECT_GE(FindPolygon(c, {{141, 150}, {131, 147}, {131, 153}}), 0);

    // B -> C: its five days, the free float as a wave from 197 to 247 on
    // row 1 in the float colour, the join up to C and the arrowhead below C.
    EXPECT_GE(FindLine(c, 153, 150, 200, 150), 0);
    const TPrim& wave = At(c, Find(c, [](const TPrim& p) {
        return p.kind == TPrimKind::Polyline && p.pen.color == kGreen;
    }));
    EXPECT_EQ(wave.points, WavyLinePoints(197, 150, 247, 150, 1));
    EXPECT_EQ(wave.pen.width, 1);
    EXPECT_GE(FindLine(c, 247, 150, 247, 100), 0);
    EXPECT_GE(FindPolygon(c, {{247, 109}, {244, 119}, {250, 119}}), 0);

    // Critical works are painted after the others, nodes after all works.
    EXPECT_GT(FindLine(c, 53, 100, 247, 100), FindLine(c, 153, 150, 200, 150));
    const auto ellipses = c.OfKind(TPrimKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 3u);
    EXPECT_GT(Find(c, [](const TPrim& p) { return p.kind == TPrimKind::Ellipse; }),
              FindLine(c, 53, 100, 247, 100));
    const int64_t a = Find(c, [](const TPrim& p) {
        return p.kind == TPrimKind::Ellipse && p.rect == TCanvasRect{41, 91, 59, 109};
    });
    EXPECT_EQ(At(c, a).pen.color, kRed);
    EXPECT_EQ(At(c, a).brush, (TCanvasBrush{0x000000, TBrushStyle::Solid}));
    const int64_t bNode = Find(c, [](const TPrim& p) {
        return p.kind == TPrimKind::Ellipse && p.rect == TCanvasRect{141, 141, 159, 159};
    });
    EXPECT_EQ(At(c, bNode).pen.color, kWhite);

    // Names above the lines, durations below, in the work font's screen colour.
    const std::vector<TLabel> labels = Labels(c);
    for (const TLabel& l : std::vector<TLabel>{{"AC", 143, 82},
                                               {"20", 143, 105},
                                               {"AB", 93, 134},
                                               {"10", 90, 153}})
        EXPECT_THAT(labels, ::testing::Contains(l));
    EXPECT_EQ(At(c, FindText(c, "AC")).font.color, 0x00FFFF);
    // Node numbers, in the node-number colour, centred on the node.
    const TPrim& one = At(c, FindText(c, std::to_string(b.N('A')->number)));
    EXPECT_EQ(one.font.color, kGreen);
    EXPECT_EQ(one.font.name, "Arial");

    // The end flag at the last node: staff and a red flag.
    EXPECT_GE(FindLine(c, 259, 100, 263, 100), 0);
    EXPECT_GE(FindLine(c, 263, 100, 271, 92), 0);
    const TPrim& flag = At(c, FindPolygon(c, {{271, 92}, {279, 84}, {293, 84}, {285, 92}}));
    EXPECT_EQ(flag.brush.color, kRed);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST(NetworkDrawing, PrintAndScreenPalettes)
{
    struct Case {
        int32_t kind;
        int32_t general;
        int32_t ground;
        int32_t number;
    };
    const Case cases[] = {
        {dkScreen, kWhite, 0x000000, kGreen},
        {dkPrint, 0x000000, kWhite, 0x000000},
        {dkPreview, 0x000000, kWhite, 0x000000},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.kind);
        TNetBuilder b = FloatChain();
        // A dark screen ground never reaches the paper.
        b.net->printPalette.backgroundColor = 0x123456;
        const TRecordingCanvas c = Drawn(*b.net, k.kind);
        EXPECT_EQ(At(c, FindLine(c, 153, 150, 200, 150)).pen.color, k.general);
        EXPECT_EQ(At(c, FindLine(c, 53, 100, 247, 100)).pen.color, kRed);
        for (const TPrim& e : c.OfKind(TPrimKind::Ellipse)) EXPECT_EQ(e.brush.color, k.ground);
        EXPECT_EQ(At(c, FindText(c, std::to_string(b.N('B')->number))).font.color, k.number);
        EXPECT_EQ(b.net->displaySettings.backgroundColor, k.ground);
    }
}

TEST(NetworkDrawing, DummyWorkIsDashedWithoutTexts)
{
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 20);
    b.Work('A', 'C', 10)->row = 1;
    b.Work('C', 'B', 0, WorkKind::Dummy)->row = 1;
    b.N('C')->row = 1;
    Lay(b);
    ASSERT_EQ(b.N('C')->x, 150);
    ASSERT_EQ(b.N('B')->x, 250);
    b.net->showTimeLabels = 1;
    b.W("AB")->timeLabel.shown.fill(false);
    b.W("AC")->timeLabel.shown.fill(false);
    const TRecordingCanvas c = Drawn(*b.net);
    EXPECT_EQ(Count(c, TPrimKind::FillRect), 0u);
    // The horizontal dash on row 1: dashes of the pen width, gaps of 2.
    const TPrim& dash = At(c, FindLine(c, 153, 150, 247, 150));
    EXPECT_EQ(dash.pen.style, TPenStyle::Custom);
    EXPECT_EQ(dash.pen.dash, 1);
    EXPECT_EQ(dash.pen.gap, 2);
    // The join up to B is dotted (gaps of three pen widths), then the arrowhead.
    const TPrim& join = At(c, FindLine(c, 247, 150, 247, 100));
    EXPECT_EQ(join.pen.style, TPenStyle::Custom);
    EXPECT_EQ(join.pen.gap, 3);
    EXPECT_GE(FindPolygon(c, {{247, 109}, {244, 119}, {250, 119}}), 0);
    // No wave, no duration, no name and no time table for a dummy.
    EXPECT_EQ(Find(c, [](const TPrim& p) { return p.pen.color == kGreen && p.kind == TPrimKind::Polyline; }),
              -1);
    EXPECT_EQ(FindText(c, "CB"), -1);
    EXPECT_EQ(FindText(c, "0"), -1);
}

TEST(NetworkDrawing, MilestoneBoxWithoutArrowOrOuterNode)
{
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 10);
    b.Work('B', 'C', 0, WorkKind::Milestone);
    Lay(b);
    ASSERT_EQ(b.N('B')->x, 150);
    ASSERT_TRUE(b.net->IsMilestoneEnd(b.N('C')));
    const TRecordingCanvas c = Drawn(*b.net);
    // The box right of B around the name "BC" (14 x 13), in the milestone colour.
    const int64_t box = Find(c, [](const TPrim& p) { return p.kind == TPrimKind::Rectangle; });
    EXPECT_EQ(At(c, box).rect, (TCanvasRect{153, 84, 173, 103}));
    EXPECT_EQ(At(c, box).pen.color, 0x008080);
    EXPECT_EQ(At(c, box).brush.style, TBrushStyle::Clear);
    const std::vector<TLabel> labels = Labels(c);
    EXPECT_THAT(labels, ::testing::Contains(TLabel{"BC", 156, 87}));
    // One arrowhead only (into B), two nodes, and no end flag on the
    // milestone's own end node.
    EXPECT_EQ(Count(c, TPrimKind::Polygon), 1u);
    EXPECT_EQ(Count(c, TPrimKind::Ellipse), 2u);
}

TEST(NetworkDrawing, SegmentedWorkJointAndSpans)
{
    TNetBuilder b = DatedBuilder();
    Tedge* first = b.Work('A', 'J', 10);
    Tedge* second = b.Work('J', 'B', 10);
    first->nextSegment = second;
    second->isContinuation = true;
    second->data->name.clear();
    b.N('J')->joint = true;
    Lay(b);
    ASSERT_EQ(b.N('J')->x, 150);
    const TRecordingCanvas c = Drawn(*b.net);
    // The joint is a small bar, not a numbered circle.
    const int64_t bar = Find(c, [](const TPrim& p) { return p.kind == TPrimKind::Rectangle; });
    EXPECT_EQ(At(c, bar).rect, (TCanvasRect{146, 98, 154, 102}));
    EXPECT_EQ(Count(c, TPrimKind::Ellipse), 2u);
    EXPECT_EQ(FindText(c, std::to_string(b.N('J')->number)), -1);
    // No arrowhead into the joint; the end node gets one; the first segment
    // carries the duration of both, the second none.
    EXPECT_EQ(FindPolygon(c, {{141, 100}, {131, 95}, {131, 105}}), -1);
    EXPECT_GE(FindPolygon(c, {{241, 100}, {231, 95}, {231, 105}}), 0);
    EXPECT_GE(FindText(c, "20"), 0);
    EXPECT_EQ(FindText(c, "10"), -1);
    // The name is centred over both segments.
    const std::vector<TLabel> labels = Labels(c);
    EXPECT_THAT(labels, ::testing::Contains(TLabel{"AJ", 143, 82}));
}

TEST(NetworkDrawing, NameWrapsIntoLinesOfTwoTwoAndOne)
{
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 4)->data->name = "混凝土浇筑";
    Lay(b);
    ASSERT_EQ(b.N('B')->x, 90);
    const TRecordingCanvas c = Drawn(*b.net);
    // The only work is critical (pen 3): span 55..86, where two characters
    // of 13 fit, so five take three lines, stacked upwards from 5 units
    // above the line, the last one lowest.
    const std::vector<TLabel> labels = Labels(c);
    for (const TLabel& l :
         std::vector<TLabel>{{"混凝", 57, 56}, {"土浇", 57, 69}, {"筑", 64, 82}})
        EXPECT_THAT(labels, ::testing::Contains(l));

    // Single-line mode keeps the name in one piece, centred on the span.
    b.W("AB")->data->placeMode = 1;
    const TRecordingCanvas one = Drawn(*b.net);
    EXPECT_THAT(Labels(one), ::testing::Contains(TLabel{"混凝土浇筑", 38, 82}));
}

TEST(NetworkDrawing, NameOverASpanNarrowerThanOneCharacterEnds)
{
    TFakeMessages messages;
    TNetBuilder b = DatedBuilder();
    // A work of no duration: its name span is empty or negative.
    b.Work('A', 'B', 0)->data->name = "五个字名称";
    Lay(b);
    const TRecordingCanvas c = Drawn(*b.net);
    // One character per line.
    const std::vector<std::string> texts = c.Texts();
    for (const char* ch : {"五", "个", "字", "名", "称"})
        EXPECT_THAT(texts, ::testing::Contains(std::string(ch)));
    // And the canvas operation draws nothing into a rectangle of no width.
    TRecordingCanvas empty;
    DrawTextInRect(empty, TCanvasRect{10, 10, 10, 60}, "说明", 1, false);
    EXPECT_TRUE(empty.primitives.empty());
}

TEST(NetworkDrawing, LabelsOnAndOff)
{
    struct Case {
        const char* what;
        int32_t showDurations;
        int32_t showTimeLabels;
        bool nonCriticalOnly;
        bool duration;        // "10" of A -> B drawn
        bool name;            // "AB" drawn
        bool criticalTable;   // the table of A -> C drawn
        bool otherTable;      // the table of A -> B drawn
    };
    const Case cases[] = {
        {"defaults", 1, 0, false, true, true, false, false},
        {"durations off, names stay", 0, 0, false, false, true, false, false},
        {"time parameters of every work", 1, 1, false, true, true, true, true},
        {"time parameters of non-critical works only", 1, 1, true, true, true, false, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TNetBuilder b = FloatChain();
        b.net->displaySettings.showDurations = k.showDurations;
        b.net->showTimeLabels = k.showTimeLabels;
        b.net->timeLabelMode.nonCriticalOnly = k.nonCriticalOnly;
        const TRecordingCanvas c = Drawn(*b.net);
        EXPECT_EQ(FindText(c, "10") >= 0, k.duration);
        EXPECT_EQ(FindText(c, "AB") >= 0, k.name);
        // Table texts are in the time-data colour; the table of A -> C stands
        // above row 0, the others above row 1.
        auto table = [&](bool rowZero) {
            return Find(c, [&](const TPrim& p) {
                       return p.kind == TPrimKind::Text && p.font.color == 0xFFFF00 &&
                              (p.points[0].y < 100) == rowZero;
                   }) >= 0;
        };
        EXPECT_EQ(table(true), k.criticalTable);
        EXPECT_EQ(table(false), k.otherTable);
    }
}

TEST(NetworkDrawing, TimeLabelTextsFollowTheCalendar)
{
    TNetBuilder b = DatedBuilder();   // Thursday 2007-03-01
    b.Work('A', 'C', 5);
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 0, WorkKind::Dummy);
    SetRestDays(*b.net, {Stamp(2007, 3, 3), Stamp(2007, 3, 4)});
    Lay(b);
    // A -> B: ES 0 on 3-1; it works 3-1, 3-2, (weekend), 3-5; LS 2 is 3-5,
    // LF 5 the end of 3-7; TF 2, FF 0 (the dummy starts when it ends).
    const std::array<std::string, 6> expected{"2007-3-1", "2007-3-5", "2007-3-5",
                                              "2007-3-7", "2",        "0"};
    EXPECT_EQ(TimeLabelTexts(*b.net, *b.W("AB")), expected);
    // A work of no duration finishes where it starts.
    const auto dummy = TimeLabelTexts(*b.net, *b.W("BC"));
    EXPECT_EQ(dummy[0], "2007-3-6");
    EXPECT_EQ(dummy[2], "2007-3-6");
    EXPECT_EQ(dummy[5], "2");
    // Floats in the general format, six significant digits.
    b.W("AB")->data->ls = float(2 + 1.0 / 3);
    EXPECT_EQ(TimeLabelTexts(*b.net, *b.W("AB"))[4], "2.33333");
}

TEST(NetworkDrawing, TimeLabelTable)
{
    TNetBuilder b = FloatChain();
    b.net->showTimeLabels = 1;
    Tedge& ab = *b.W("AB");
    ab.timeLabel.shown[5] = false;   // FF
    // Only this work's table (the other tables show nothing).
    b.W("AC")->timeLabel.shown.fill(false);
    b.W("BC")->timeLabel.shown.fill(false);
    const auto texts = TimeLabelTexts(*b.net, ab);
    TRecordingCanvas c = Drawn(*b.net);
    auto corner = [&](const std::string& t) {
        const TPrim& p = At(c, Find(c, [&](const TPrim& q) {
            return q.kind == TPrimKind::Text && q.text == t && q.font.color == 0xFFFF00;
        }));
        return p.points.empty() ? TCanvasPoint{-1, -1} : p.points[0];
    };
    // ES over EF, LS over LF, TF alone: the lower-left corner at the name
    // span's start (54), the box's bottom one pen width above the name's top
    // (134), rows as high as the text (13). Columns are as wide as their
    // wider text ("2007-3-10", nine half-width characters of 7), one unit
    // apart and two before the third.
    ASSERT_EQ(texts[0], "2007-3-1");
    ASSERT_EQ(texts[2], "2007-3-10");
    ASSERT_EQ(texts[3], "2007-3-15");
    ASSERT_EQ(texts[4], "5");
    const int32_t dateWidth = 7 * 9;
    EXPECT_EQ(corner(texts[0]), (TCanvasPoint{54, 107}));
    EXPECT_EQ(corner(texts[2]), (TCanvasPoint{54, 120}));
    EXPECT_EQ(corner(texts[1]).x, 54 + dateWidth + 1);
    EXPECT_EQ(corner(texts[4]).x, 54 + 2 * dateWidth + 1 + 2);
    EXPECT_EQ(FindText(c, texts[5]), -1);
    // The ground of the table and the rule between its rows, in the name colour.
    EXPECT_GE(Find(c, [](const TPrim& p) {
                  return p.kind == TPrimKind::FillRect && p.brush.color == 0x000000 &&
                         p.rect.left == 54 && p.rect.bottom == 133;
              }),
              0);
    EXPECT_EQ(At(c, FindLine(c, 54, 120, 54 + 2 * dateWidth + 3 + 7, 120)).pen.color, 0x00FFFF);

    // A label dragged far from its place is tied to its work by a line; the
    // drag feedback is only an exclusive-or outline.
    ab.labelDx = 40;
    c = Drawn(*b.net);
    EXPECT_EQ(corner(texts[0]).x, 94);
    EXPECT_GE(Find(c, [](const TPrim& p) {
                  return p.kind == TPrimKind::Line && p.pen.color == kWhite &&
                         p.points[1] == TCanvasPoint{100, 147};
              }),
              0);
    TRecordingCanvas drag;
    TPertDrawMode mode(&drag, dkDrag);
    TPertDraw(*b.net, mode).DrawTimeLabel(ab, 5, 0);
    ASSERT_EQ(drag.primitives.size(), 1u);
    EXPECT_EQ(drag.primitives[0].kind, TPrimKind::Rectangle);
    EXPECT_EQ(drag.primitives[0].pen.mode, TPenMode::Xor);
    EXPECT_EQ(drag.primitives[0].pen.color, 0xFFFF00);
    EXPECT_EQ(drag.primitives[0].rect.left, 99);
}

TEST(NetworkDrawing, HopWhereAJoinCrossesAnotherWork)
{
    TNetBuilder b = DatedBuilder();
    // X -> A puts A at day 10 (x 150) on row 0; A -> B runs on row 4, so its
    // join goes down from y 100 to 300 at x 153. C -> D on row 2 spans that x.
    b.Work('X', 'A', 10);
    b.Work('A', 'B', 10)->row = 4;
    b.N('B')->row = 4;
    b.Work('C', 'D', 30)->row = 2;
    b.N('C')->row = 2;
    b.N('D')->row = 2;
    Lay(b);
    ASSERT_EQ(b.N('A')->x, 150);
    const TRecordingCanvas c = Drawn(*b.net);
    const auto hops = c.OfKind(TPrimKind::Bezier);
    ASSERT_EQ(hops.size(), 1u);
    EXPECT_EQ(hops[0].points,
              (std::vector<TCanvasPoint>{{153, 194}, {159, 197}, {159, 203}, {153, 206}}));
    EXPECT_GE(FindLine(c, 153, 100, 153, 194), 0);
    EXPECT_GE(FindLine(c, 153, 206, 153, 300), 0);

    // A line that ends before the join is not crossed.
    b.W("CD")->data->duration = 5;
    b.Place();
    Lay(b);
    EXPECT_EQ(Count(Drawn(*b.net), TPrimKind::Bezier), 0u);
}

TEST(NetworkDrawing, AuxiliarySuspendedAndOwnPens)
{
    struct Case {
        const char* what;
        std::function<void(Tedge&)> set;
        int32_t kind;
        int32_t color;
        int32_t width;
        TPenStyle style;   // of the main line
    };
    const Case cases[] = {
        {"suspended on screen: dashed in its colour",
         [](Tedge& w) { w.data->kind = WorkKind::Suspended; }, dkScreen, 0x00FFFF, 1,
         TPenStyle::Custom},
        {"suspended in print", [](Tedge& w) { w.data->kind = WorkKind::Suspended; }, dkPrint,
         0xFF0000, 1, TPenStyle::Custom},
        {"own width and colour",
         [](Tedge& w) {
             w.data->useCustomWidth = w.data->useCustomColor = true;
             w.data->lineWidth = 4;
             w.data->lineColor = 0x123456;
         },
         dkScreen, 0x123456, 4, TPenStyle::Solid},
        {"own dashed style",
         [](Tedge& w) {
             w.data->useCustomStyle = true;
             w.data->lineStyle = "虚线";
         },
         dkScreen, kWhite, 1, TPenStyle::Custom},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TNetBuilder b = FloatChain();
        k.set(*b.W("BC"));
        const TRecordingCanvas c = Drawn(*b.net, k.kind);
        const TPrim& line = At(c, FindLine(c, 153, 150, 200, 150));
        EXPECT_EQ(line.pen.color, k.color);
        EXPECT_EQ(line.pen.width, k.width);
        EXPECT_EQ(line.pen.style, k.style);
    }
    // An auxiliary work takes the auxiliary colour and is drawn with the
    // ordinary works even when critical.
    TNetBuilder b = FloatChain();
    b.W("AC")->data->kind = WorkKind::Auxiliary;
    b.W("AC")->data->critical = true;
    const TRecordingCanvas c = Drawn(*b.net);
    const int64_t aux = FindLine(c, 53, 100, 247, 100);
    EXPECT_EQ(At(c, aux).pen.color, 0x808000);
    EXPECT_LT(aux, FindLine(c, 153, 150, 200, 150));
}

TEST(NetworkDrawing, SelectionIsAnExclusiveOrRectangle)
{
    TNetBuilder b = FloatChain();
    b.net->selection = {b.W("BC")};
    TRecordingCanvas c;
    TPertDrawMode mode(&c, dkScreen);
    DrawSelection(*b.net, mode);
    ASSERT_EQ(c.primitives.size(), 1u);
    const TPrim& r = c.primitives[0];
    EXPECT_EQ(r.kind, TPrimKind::Rectangle);
    EXPECT_EQ(r.rect, (TCanvasRect{150, 91, 250, 159}));
    EXPECT_EQ(r.pen.mode, TPenMode::Xor);
    EXPECT_EQ(r.pen.color, 0xF0CAA6);
    EXPECT_EQ(r.brush.style, TBrushStyle::Clear);
    // The picture itself has no selection in it.
    const TRecordingCanvas picture = Drawn(*b.net);
    EXPECT_EQ(Find(picture, [](const TPrim& p) { return p.pen.mode == TPenMode::Xor; }), -1);
}

TEST(NetworkDrawing, ProgressLineThroughWorksInProgress)
{
    TNetBuilder b = FloatChain();
    Lay(b, true);
    b.net->showProgressLine = true;
    b.net->progressDate = b.net->projectStart + 8 * 86400;
    b.W("AB")->data->progress = 0.5;   // at day 5 on row 1
    b.W("AC")->data->progress = 0.25;  // at day 5 on row 0
    const TRecordingCanvas c = Drawn(*b.net);
    const int64_t i = Find(c, [](const TPrim& p) {
        return p.kind == TPrimKind::Polyline && p.pen.color == kRed;
    });
    ASSERT_GE(i, 0);
    const TPrim& line = At(c, i);
    const int32_t x0 = b.N('A')->x;
    const int32_t check = x0 + 80;
    ASSERT_EQ(line.points.size(), 4u);
    EXPECT_EQ(line.points[1], (TCanvasPoint{x0 + 50, b.N('A')->y}));   // row 0 first
    EXPECT_EQ(line.points[2], (TCanvasPoint{x0 + 50, b.N('B')->y}));
    EXPECT_EQ(line.points[0].x, check);
    EXPECT_EQ(line.points[3].x, check);
    EXPECT_LT(line.points[0].y, b.N('A')->y);
    EXPECT_GT(line.points[3].y, b.N('B')->y);
    // The check line with its end marks.
    EXPECT_GE(Find(c, [&](const TPrim& p) {
                  return p.kind == TPrimKind::Line && p.points[0].x == check &&
                         p.points[1].x == check && p.pen.color == kRed;
              }),
              0);
}

TEST(NetworkDrawing, GroupColumn)
{
    TNetBuilder b = FloatChain();
    b.net->groups.groupColumnWidth = 40;
    Tfenzu g;
    g.text = "基础";
    b.net->groups.items = {g, g};
    b.net->groups.items[1].text = "主体";
    b.net->groups.items[1].separatorLine = false;
    Lay(b, true);
    const TRecordingCanvas c = Drawn(*b.net);
    // Cells stack from the origin down, as wide as the column.
    EXPECT_EQ(b.net->groups.items[1].position.y, 200);
    EXPECT_EQ(b.net->groups.items[1].width, 40);
    const TPrim& first = At(c, Find(c, [](const TPrim& p) {
        return p.kind == TPrimKind::DrawText && p.text == "基础";
    }));
    // The cell, its text block centred vertically.
    EXPECT_EQ(first.rect.left, 50);
    EXPECT_EQ(first.rect.right, 90);
    EXPECT_EQ(first.rect.bottom, 200);
    EXPECT_GT(first.rect.top, 100);
    EXPECT_EQ(first.format.hAlign, TTextFormat::Center);
    EXPECT_TRUE(first.format.wordWrap);
    EXPECT_GE(Find(c, [](const TPrim& p) { return p.kind == TPrimKind::DrawText && p.text == "主体"; }),
              0);
    // The column's edge and the separator under the first group only.
    EXPECT_GE(Find(c, [](const TPrim& p) {
                  return p.kind == TPrimKind::Line && p.points[0] == TCanvasPoint{90, 100} &&
                         p.points[1].x == 90 && p.points[1].y > 300;
              }),
              0);
    const int64_t sep = Find(c, [](const TPrim& p) {
        return p.kind == TPrimKind::Line && p.points[0].y == 200 && p.points[1].y == 200 &&
               p.points[0].x == 50;
    });
    EXPECT_GE(sep, 0);
    EXPECT_EQ(Find(c, [](const TPrim& p) {
                  return p.kind == TPrimKind::Line && p.points[0].y == 300 &&
                         p.points[1].y == 300 && p.points[0].x == 50;
              }),
              -1);
}

TEST(NetworkDrawing, OnlyWhatIsVisibleIsDrawn)
{
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 10);
    b.Work('B', 'C', 200);   // C far right
    b.Work('C', 'D', 10);
    Lay(b);
    TRecordingCanvas small(300, 300);
    TPertDrawMode mode(&small, dkScreen);
    DrawNetwork(*b.net, mode);
    // A, B drawn; C (x 2150) and D are far outside; the long line of B -> C
    // is cut at the edge of what can be seen.
    EXPECT_EQ(Count(small, TPrimKind::Ellipse), 2u);
    EXPECT_EQ(FindText(small, "CD"), -1);
    for (const TPrim& p : small.primitives)
        for (const TCanvasPoint& q : p.points) EXPECT_LT(q.x, 2000);
}

// Values a damaged file can carry and the file reader does not bound; the
// pass must end and stay small.
TEST(NetworkDrawing, UnboundedSettingsOfAFile)
{
    struct Case {
        const char* what;
        std::function<void(Tpertgra&, TNetBuilder&)> set;
    };
    const Case cases[] = {
        {"rest brushes of unknown styles",
         [](Tpertgra& n, TNetBuilder&) {
             n.grid->screenRestBrush.style = 99;
             n.grid->printRestBrush.style = -5;
             SetRestDays(n, {n.projectStart + 2 * 86400});
         }},
        {"no tick or label spacing",
         [](Tpertgra& n, TNetBuilder&) {
             for (auto& s : n.grid->scales) s.subTickSpacing = s.minLabelSpacing = 0;
         }},
        {"rows far down and above",
         [](Tpertgra&, TNetBuilder& b) {
             b.N('B')->row = 2000000000;
             b.W("BC")->row = -7;
         }},
        {"pens and sizes out of range",
         [](Tpertgra& n, TNetBuilder& b) {
             auto& d = n.displaySettings;
             d.criticalPen = d.generalPen = d.floatPen = 1 << 30;
             d.hopSize = -3;
             d.joinOffset = 1 << 30;
             d.nodeRadiusX = -4;
             d.arrowLength = 1 << 30;
             b.W("AB")->data->useCustomWidth = true;
             b.W("AB")->data->lineWidth = 1 << 30;
             n.grid->frameWidth = 1 << 30;
         }},
        {"a node time of a far-off day",
         [](Tpertgra& n, TNetBuilder& b) {
             n.showFrame = false;
             b.N('C')->time = 3e8f;
         }},
        {"a segment chain that loops",
         [](Tpertgra&, TNetBuilder& b) {
             b.W("AB")->nextSegment = b.W("BC");
             b.W("BC")->nextSegment = b.W("AB");
         }},
        {"a row height of 0", [](Tpertgra& n, TNetBuilder&) { n.displaySettings.rowHeight = 0; }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TFakeMessages messages;
        TNetBuilder b = DatedBuilder();
        b.Work('A', 'B', 3);
        b.Work('B', 'C', 4);
        b.Place();
        b.net->Recalculate();
        k.set(*b.net, b);
        PlaceNodesAndWorks(*b.net, 1, 1);
        TRecordingCanvas c(2000, 2000);
        for (int32_t kind : {dkScreen, dkPrint}) {
            TPertDrawMode mode(&c, kind);
            DrawNetwork(*b.net, mode);
        }
        EXPECT_LT(c.primitives.size(), 20000u);
        size_t points = 0;
        for (const TPrim& p : c.primitives) points += p.points.size();
        EXPECT_LT(points, 200000u);
    }
}

}
