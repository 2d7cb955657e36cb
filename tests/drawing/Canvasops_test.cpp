#include "drawing/Canvasops.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "drawing/Drawtest.h"

namespace {

TEST(CanvasOps, WavyLine)
{
    using P = std::vector<TCanvasPoint>;
    struct Case {
        const char* what;
        int32_t x1, x2, w;
        P points;
    };
    const Case cases[] = {
        {"nothing when it would run backwards", 40, 40, 1, {}},
        {"too short for a wave", 0, 8, 1, {{0, 10}, {3, 10}, {8, 10}}},
        {"waves of height 2w every 6w while more than 6w + 1 remain", 0, 40, 1,
         {{0, 10}, {3, 10}, {6, 8}, {9, 10}, {12, 12}, {15, 10}, {18, 8}, {21, 10}, {24, 12},
          {27, 10}, {30, 8}, {33, 10}, {40, 10}}},
        {"a wider pen, wider waves", 0, 30, 2,
         {{0, 10}, {3, 10}, {9, 6}, {15, 10}, {21, 14}, {27, 10}, {30, 10}}},
        {"a pen of no width still ends", 0, 20, 0,
         {{0, 10}, {3, 10}, {6, 8}, {9, 10}, {12, 12}, {15, 10}, {20, 10}}},
        {"the first piece never passes the end", 0, 2, 1, {{0, 10}, {2, 10}, {2, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(WavyLinePoints(c.x1, 10, c.x2, 10, c.w), c.points);
    }
    // A long wave waved only over [500, 560]: straight more than a period
    // (12) before and after, and in the range the very points of the whole wave.
    const P whole = WavyLinePoints(0, 10, 100000, 10, 1);
    const P part = WavyLinePoints(0, 10, 100000, 10, 1, 500, 560);
    EXPECT_LT(part.size(), 40u);
    EXPECT_EQ(part.front(), whole.front());
    EXPECT_EQ(part.back(), whole.back());
    int waved = 0;
    for (const TCanvasPoint& q : part) {
        if (q.y != 10) ++waved;
        if (q.x >= 500 && q.x <= 560) {
            EXPECT_NE(std::find(whole.begin(), whole.end(), q), whole.end()) << q.x;
        } else if (q.x < 500 - 12 || q.x > 560 + 12) {
            EXPECT_EQ(q.y, 10) << q.x;
        }
    }
    EXPECT_GE(waved, 8);

    TRecordingCanvas canvas;
    SelectPen(canvas, 0x00FF00, 1);
    DrawWavyLine(canvas, 0, 10, 40, 30);
    ASSERT_EQ(canvas.primitives.size(), 1u);
    EXPECT_EQ(canvas.primitives[0].kind, TPrimKind::Polyline);
    EXPECT_EQ(canvas.primitives[0].points.back(), (TCanvasPoint{40, 30}));
    EXPECT_EQ(canvas.primitives[0].pen.color, 0x00FF00);
}

TEST(CanvasOps, TriangleAndDashes)
{
    TRecordingCanvas c;
    SelectPen(c, 0x0000FF, 3);
    FillTriangle(c, {0, 0}, {10, 5}, {0, 10});
    const TPrim& t = c.primitives.at(0);
    EXPECT_EQ(t.kind, TPrimKind::Polygon);
    EXPECT_EQ(t.brush, (TCanvasBrush{0x0000FF, TBrushStyle::Solid}));
    EXPECT_EQ(t.pen.width, 1);
    EXPECT_EQ(c.Pen().width, 3);   // the state comes back

    DrawDashedHLine(c, 50, 10, 7, 2, 4);
    const TPrim& h = c.primitives.at(1);
    EXPECT_EQ(h.points, (std::vector<TCanvasPoint>{{10, 7}, {50, 7}}));
    EXPECT_EQ(h.pen.style, TPenStyle::Custom);
    EXPECT_EQ(h.pen.dash, 2);
    EXPECT_EQ(h.pen.gap, 4);
    EXPECT_EQ(h.pen.width, 3);
    EXPECT_EQ(c.Pen().style, TPenStyle::Solid);

    DrawDashedVLine(c, 5, 0, 9, 0, 3);   // no dash length: solid
    EXPECT_EQ(c.primitives.at(2).pen.style, TPenStyle::Solid);

    c.Clear();
    DrawDashedRect(c, TCanvasRect{0, 0, 20, 10}, 1, 1);
    EXPECT_EQ(c.OfKind(TPrimKind::Line).size(), 4u);
}

TEST(CanvasOps, TextInRect)
{
    TRecordingCanvas c;
    SelectFont(c, TVqFont{"宋体", 9, 0x00FFFF});   // 12 units a Chinese character
    DrawTextInRect(c, TCanvasRect{0, 0, 0, 50}, "工程", 1, false);     // no width
    DrawTextInRect(c, TCanvasRect{0, 0, 30, 0}, "工程", 1, false);     // no height
    DrawTextInRect(c, TCanvasRect{10, 10, 20, 70}, "", 1, false);
    EXPECT_TRUE(c.primitives.empty());

    // 24 units into 10: three lines estimated, 36 high, centred in 60.
    DrawTextInRect(c, TCanvasRect{10, 10, 20, 70}, "工程", 1, false);
    ASSERT_EQ(c.primitives.size(), 1u);
    const TPrim& p = c.primitives[0];
    EXPECT_EQ(p.rect, (TCanvasRect{10, 22, 20, 70}));
    EXPECT_TRUE(p.format.wordWrap);
    EXPECT_EQ(p.format.hAlign, TTextFormat::Center);
    EXPECT_EQ(p.font.color, 0x00FFFF);

    DrawTextInRect(c, TCanvasRect{10, 10, 200, 70}, "工程", 2, true);
    EXPECT_EQ(c.primitives[1].rect, (TCanvasRect{10, 10, 200, 70}));
    EXPECT_TRUE(c.primitives[1].format.singleLine);
    EXPECT_EQ(c.primitives[1].format.vAlign, TTextFormat::Middle);
    EXPECT_EQ(c.primitives[1].format.hAlign, TTextFormat::Right);
}

TEST(CanvasOps, BrushesAndCharacters)
{
    TRecordingCanvas c;
    SelectBrush(c, TVqBrush{5, 0x808080});
    EXPECT_EQ(c.Brush(), (TCanvasBrush{0x808080, TBrushStyle::BackwardDiagonal}));
    EXPECT_EQ(c.Pen().color, 0x808080);
    SelectBrush(c, TVqBrush{42, 0x1});   // unknown styles are solid
    EXPECT_EQ(c.Brush().style, TBrushStyle::Solid);

    EXPECT_EQ(Utf8Characters("工a程"), (std::vector<std::string>{"工", "a", "程"}));
    EXPECT_EQ(Utf8Length("\xE5\xB7"), 2u);   // a cut-off character counts byte by byte
    EXPECT_EQ(Utf8Length(""), 0u);
}

TEST(Canvas, ColoursAndMapping)
{
    EXPECT_EQ(RgbOfColor(0x0000FF), (TRgb{255, 0, 0}));
    EXPECT_EQ(RgbOfColor(0xB4B400), (TRgb{0, 180, 180}));
    EXPECT_EQ(RgbOfColor(int32_t(0xFF000005)), (TRgb{255, 255, 255}));   // window
    EXPECT_EQ(RgbOfColor(int32_t(0xFF000008)), (TRgb{0, 0, 0}));         // window text
    EXPECT_EQ(RgbOfColor(int32_t(0xFF0000FE)), (TRgb{0, 0, 0}));         // unknown index
    const TCanvasMapping m = TCanvasMapping::FromExtents(100, 100, 50, 50, -30, -40);
    EXPECT_EQ(m, (TCanvasMapping{0.5, 0.5, -30, -40}));

    // The recording canvas answers the visible part in logical units.
    TRecordingCanvas c(400, 300);
    c.SetMapping(m);
    EXPECT_EQ(c.ClipBox(), (TCanvasRect{60, 80, 860, 680}));
    c.Save();
    c.SetClipRect(TCanvasRect{100, 100, 200, 200});
    EXPECT_EQ(c.ClipBox(), (TCanvasRect{100, 100, 200, 200}));
    c.Restore();
    EXPECT_EQ(c.ClipBox(), (TCanvasRect{60, 80, 860, 680}));
}

}
