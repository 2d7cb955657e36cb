#include "drawing/Biaozhudraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "drawing/Biaozhu.h"
#include "drawing/Displaysettings.h"
#include "drawing/Drawtest.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Layoutpass.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "platform/Recordingcanvas.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

// A plan without the frame: day 0 at x 50, row 0 at y 100, rows 50 apart.
struct AnnotatedPlan {
    TNetBuilder b = DatedBuilder();
    AnnotatedPlan()
    {
        b.Work('A', 'B', 10);
        b.Place();
        b.net->Recalculate();
        b.net->showFrame = false;
        LayoutNetwork(*b.net);
    }
    TBiaoZhu& Add(double day, double row, double w = 40, double h = 20)
    {
        auto a = std::make_unique<TBiaoZhu>();
        a->anchorDay = day;
        a->anchorRow = row;
        a->width = w;
        a->height = h;
        b.net->annotations.push_back(std::move(a));
        return *b.net->annotations.back();
    }
    TAnnotationBox Box(const TBiaoZhu& a) const { return *AnnotationBox(a, *b.net, TTimeAxis(*b.net)); }
    Tpertgra& net() { return *b.net; }
};

TEST(Annotation, FollowsItsDayAndRow)
{
    AnnotatedPlan p;
    TBiaoZhu& a = p.Add(5, 1.5);
    a.anchorXOffset = 2;
    EXPECT_DOUBLE_EQ(p.Box(a).left, 50 + 50 + 2);
    EXPECT_DOUBLE_EQ(p.Box(a).top, 100 + 75);
    EXPECT_DOUBLE_EQ(p.Box(a).right, 142);
    p.net().timeScale.dayWidth = 20;
    p.net().displaySettings.rowHeight = 40;
    EXPECT_DOUBLE_EQ(p.Box(a).left, 50 + 100 + 2);
    EXPECT_DOUBLE_EQ(p.Box(a).top, 100 + 60);
}

TEST(Annotation, HitMarginFirstOfTwoAndViews)
{
    AnnotatedPlan p;
    TBiaoZhu& first = p.Add(5, 1);     // x 100..140, y 150..170
    TBiaoZhu& second = p.Add(6, 1);    // x 110..150
    struct Case {
        TPosition2D at;
        const TBiaoZhu* found;
    };
    const Case cases[] = {
        {{97, 160}, &first},      // 3 outside the left edge
        {{96.5, 160}, nullptr},   // 3.5 outside
        {{120, 146.9}, &first},
        {{120, 146.5}, nullptr},
        {{145, 160}, &second},    // only the second reaches there
        {{153.4, 173.4}, &second},
        {{153.5, 160}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << ", " << c.at.y);
        EXPECT_EQ(AnnotationAt(p.net(), c.at), c.found);
    }
    // None in the Gantt view and in the logic view.
    p.net().networkView = false;
    EXPECT_EQ(AnnotationAt(p.net(), {120, 160}), nullptr);
    p.net().networkView = true;
    p.net().networkKind = 1;
    EXPECT_EQ(AnnotationAt(p.net(), {120, 160}), nullptr);
}

TEST(Annotation, CornerMoveAndResize)
{
    AnnotatedPlan p;
    TBiaoZhu& a = p.Add(5, 1);   // corner at (140, 170)
    EXPECT_TRUE(OnCorner(a, p.net(), {142, 172}));
    EXPECT_FALSE(OnCorner(a, p.net(), {143.5, 170}));

    MoveBy(a, p.net(), {120, 160}, {153, 185});
    EXPECT_NEAR(a.anchorDay, 8.3, 1e-9);
    EXPECT_DOUBLE_EQ(a.anchorXOffset, 0);
    EXPECT_DOUBLE_EQ(a.anchorRow, 1.5);
    EXPECT_EQ(a.anchor, (TPosition2D{133, 175}));
    EXPECT_DOUBLE_EQ(p.Box(a).left, 133);

    ResizeTo(a, p.net(), {133 + 8, 175 + 40});
    EXPECT_EQ(a.width, 10);
    EXPECT_EQ(a.height, 10);
    ResizeTo(a, p.net(), {133 + 60, 175 + 30});
    EXPECT_EQ(a.width, 60);
    EXPECT_EQ(a.height, 30);

    // A row height below 1 would divide by zero: the move leaves the box.
    p.net().displaySettings.rowHeight = 0;
    const TBiaoZhu before = a;
    MoveBy(a, p.net(), {0, 0}, {10, 10});
    EXPECT_TRUE(a == before);
}

TEST(Annotation, DrawnWithThePassColoursAndFactors)
{
    AnnotatedPlan p;
    TBiaoZhu& a = p.Add(5, 1);   // 100, 150, 40 x 20
    a.text = "浇筑完成";
    a.boxLineWidth = 3;
    a.textPrintColor = 0x000011;
    a.textScreenColor = 0x000022;
    a.framePrintColor = 0x000033;
    a.frameScreenColor = 0x000044;
    struct Case {
        int32_t kind;
        int32_t text, frame;
    };
    const Case cases[] = {{dkPrint, 0x11, 0x33}, {dkPreview, 0x11, 0x33}, {dkScreen, 0x22, 0x44}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TRecordingCanvas canvas;
        const TPertDrawMode mode(&canvas, c.kind, 2, 3);
        DrawAnnotation(a, p.net(), TTimeAxis(p.net()), mode);
        const auto texts = canvas.OfKind(TPrimKind::DrawText);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "浇筑完成");
        EXPECT_EQ(texts[0].font.color, c.text);
        EXPECT_TRUE(texts[0].format.wordWrap);
        EXPECT_FALSE(texts[0].format.clip);
        // x on the horizontal factor, y on the vertical; margins stay device units.
        EXPECT_EQ(texts[0].rect, (TCanvasRect{205, 455, 275, 505}));
        const auto frames = canvas.OfKind(TPrimKind::Rectangle);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].rect, (TCanvasRect{200, 450, 280, 510}));
        EXPECT_EQ(frames[0].pen.color, c.frame);
        EXPECT_EQ(frames[0].pen.width, 6);
    }
    // The drag outline: no text, a dotted XOR frame.
    TRecordingCanvas drag;
    DrawAnnotation(a, p.net(), TTimeAxis(p.net()), TPertDrawMode(&drag, dkDrag));
    EXPECT_TRUE(drag.OfKind(TPrimKind::DrawText).empty());
    ASSERT_EQ(drag.OfKind(TPrimKind::Rectangle).size(), 1u);
    EXPECT_EQ(drag.OfKind(TPrimKind::Rectangle)[0].pen,
              (TCanvasPen{0xFFFFFF, 1, TPenStyle::Dot, TPenMode::Xor}));
}

TEST(Annotation, TheNetworkDrawingShowsThemInTheTimeScaledViewOnly)
{
    AnnotatedPlan p;
    p.Add(5, 1).text = "标注一";
    p.Add(std::numeric_limits<double>::quiet_NaN(), 1).text = "坏的";
    for (bool frame : {false, true}) {
        p.net().showFrame = frame;
        LayoutNetwork(p.net());
        TRecordingCanvas c;
        TPertDrawMode mode(&c, dkScreen);
        DrawNetwork(p.net(), mode);
        const auto texts = c.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "标注一"), 1) << frame;
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "坏的"), 0) << frame;
        EXPECT_EQ(texts.back(), "标注一") << "drawn last";
    }
    p.net().networkKind = 1;
    LayoutNetwork(p.net());
    TRecordingCanvas c;
    TPertDrawMode mode(&c, dkScreen);
    DrawNetwork(p.net(), mode);
    const auto texts = c.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "标注一"), 0);
    EXPECT_EQ(AnnotationAt(p.net(), {97, 160}), nullptr);
}

TEST(Annotation, TheLayoutPlacesThemForTheHitTest)
{
    AnnotatedPlan p;
    TBiaoZhu& a = p.Add(5, 1);
    LayoutNetwork(p.net());
    ASSERT_TRUE(a.placed);
    EXPECT_EQ(a.placedAt, (TPosition2D{100, 150}));
    // Stretched and with taller rows the box is found where it is drawn.
    p.net().timeScale.dayWidth = 20;
    p.net().displaySettings.rowHeight = 40;
    LayoutNetwork(p.net());
    EXPECT_EQ(a.placedAt, (TPosition2D{p.Box(a).left, p.Box(a).top}));
    EXPECT_EQ(AnnotationAt(p.net(), {p.Box(a).left + 1, p.Box(a).top + 1}), &a);
    EXPECT_EQ(AnnotationAt(p.net(), {100 + 1, 150 + 1}), nullptr);
    // A move places it at once, before any layout.
    MoveBy(a, p.net(), {0, 0}, {30, 0});
    EXPECT_EQ(AnnotationAt(p.net(), {p.Box(a).left + 1, p.Box(a).top + 1}), &a);
    p.net().networkKind = 1;
    LayoutNetwork(p.net());
    EXPECT_FALSE(a.placed);
}

TEST(Annotation, NewFromADragAndOnlyOnTheTimeScale)
{
    AnnotatedPlan p;
    const auto a = NewAnnotation(p.net(), {102, 175}, {152, 205});
    ASSERT_TRUE(a);
    EXPECT_DOUBLE_EQ(a->anchorDay + a->anchorXOffset / 10, 5.2);
    EXPECT_DOUBLE_EQ(a->anchorRow, 1.5);
    EXPECT_EQ(a->width, 50);
    EXPECT_EQ(a->height, 30);
    EXPECT_EQ(a->anchor, (TPosition2D{102, 175}));
    EXPECT_EQ(a->text, "网络计划标注");
    EXPECT_DOUBLE_EQ(p.Box(*a).left, 102);
    EXPECT_DOUBLE_EQ(p.Box(*a).top, 175);

    p.net().displaySettings.rowHeight = 0.5;
    EXPECT_FALSE(NewAnnotation(p.net(), {102, 175}, {152, 205}));
    p.net().displaySettings.rowHeight = 50;
    p.net().networkKind = 1;
    EXPECT_FALSE(NewAnnotation(p.net(), {102, 175}, {152, 205}));
}

TEST(Annotation, DeletedAfterTheQuestionFirstOfTwoFirst)
{
    AnnotatedPlan p;
    TFakeMessages msgs;
    TBiaoZhu& first = p.Add(5, 1);
    p.Add(6, 1).text = "第二";
    msgs.answers = {TMsgAnswer::No};
    EXPECT_FALSE(DeleteAnnotationAt(p.net(), {120, 160}));
    EXPECT_EQ(p.net().annotations.size(), 2u);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "真的要删除该标注吗?");
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    EXPECT_EQ(msgs.shown[0].icon, TMsgIcon::Question);
    EXPECT_EQ(msgs.shown[0].buttons, TMsgButtons::YesNo);
    EXPECT_EQ(p.net().annotations[0].get(), &first);

    EXPECT_TRUE(DeleteAnnotationAt(p.net(), {120, 160}));
    ASSERT_EQ(p.net().annotations.size(), 1u);
    EXPECT_EQ(p.net().annotations[0]->text, "第二");
    EXPECT_FALSE(DeleteAnnotationAt(p.net(), {10, 10}));
    EXPECT_EQ(msgs.shown.size(), 2u) << "no question without an annotation";
}

TEST(Annotation, DamagedSizesNeitherDrawnNorFound)
{
    AnnotatedPlan p;
    TBiaoZhu& huge = p.Add(5, 1, 1e300, 20);
    TBiaoZhu& wide = p.Add(5, 1);
    wide.boxLineWidth = 1e30;
    wide.marginLeft = std::numeric_limits<double>::infinity();
    LayoutNetwork(p.net());
    EXPECT_FALSE(huge.placed);
    EXPECT_EQ(AnnotationAt(p.net(), {120, 160}), &wide);
    TRecordingCanvas c;
    TPertDrawMode mode(&c, dkScreen);
    DrawAnnotation(huge, p.net(), TTimeAxis(p.net()), mode);
    EXPECT_TRUE(c.OfKind(TPrimKind::Rectangle).empty());
    DrawAnnotation(wide, p.net(), TTimeAxis(p.net()), mode);
    ASSERT_EQ(c.OfKind(TPrimKind::Rectangle).size(), 1u);
    EXPECT_EQ(c.OfKind(TPrimKind::Rectangle)[0].pen.width, 1000);
}

}
