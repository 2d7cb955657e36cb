#include "drawing/Rulerpainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "drawing/Canvasops.h"
#include "drawing/Drawtest.h"
#include "drawing/Framelayout.h"
#include "drawing/Framepainter.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Scalecommands.h"
#include "drawing/Timeaxis.h"
#include "drawing/Tpertgrid.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "schedule/Perttime_out.h"
#include "support/Fakemessages.h"

namespace {

// Day d starts at x = 100 + width x d, except inside [hiddenFrom, hiddenTo).
class TTestAxis : public IRulerAxis {
public:
    explicit TTestAxis(double w, double hiddenFrom = 0, double hiddenTo = 0)
        : w_(w), from_(hiddenFrom), to_(hiddenTo)
    {
    }
    double XOfDay(double d) const override
    {
        const double hidden = std::clamp(d, from_, to_) - from_;
        return 100 + w_ * (d - hidden);
    }
    double DayWidthAt(double d) const override { return d >= from_ && d < to_ ? 0 : w_; }
    double DefaultDayWidth() const override { return w_; }

private:
    double w_, from_, to_;
};

struct TRowFixture {
    TRecordingCanvas canvas;
    TTestAxis axis;
    TRulerSetup setup;
    Tprojectscale row;

    TRowFixture(double width, double endDay, double hiddenFrom = 0, double hiddenTo = 0)
        : axis(width, hiddenFrom, hiddenTo)
    {
        setup.canvas = &canvas;
        setup.axis = &axis;
        setup.endDay = endDay;
        setup.projectStart = Stamp(2007, 3, 1);
        setup.gridTop = 100;
        setup.gridBottom = 400;
    }

    void Draw(TRulerKind kind, int32_t rowIndex = 0)
    {
        row = Tpertgrid().scales[size_t(rowIndex)];
        TRulerBand band;
        band.top = 0;
        band.left = 50;
        band.right = axis.XOfDay(setup.endDay);
        TRulerPainter(setup).Draw(kind, row, band);
    }

    std::vector<TLabel> DayLabels() const
    {
        // Labels of the row proper, not the name cell's TextRect.
        std::vector<TLabel> out;
        for (const TPrim& p : canvas.primitives)
            if (p.kind == TPrimKind::Text) out.push_back({p.text, p.points[0].x, p.points[0].y});
        return out;
    }
};

TEST(RulerSteps, ProjectDayLabelStep)
{
    struct Case {
        double width;
        int32_t spacing;
        int32_t step;
    };
    const Case cases[] = {
        {70, 60, 1}, {40, 60, 2}, {20, 60, 5}, {10, 60, 10}, {6, 60, 20}, {2, 60, 40},
        {0.5, 60, 130}, {12, 60, 10}, {30, 60, 5},   // 2 x 30 = 60 is not above 60
        {0, 60, 0}, {-1, 60, 0}, {1e-300, 60, 0},    // no width: no step, no endless search
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(TRulerPainter::ProjectDayStep(c.width, c.spacing), c.step);
    }
}

TEST(RulerSteps, NaturalDayAndPeriodSteps)
{
    struct DayCase {
        double width;
        float dayStep;
        int32_t step;
    };
    // need = 13: the width of "30" (12) plus the tick pen.
    const DayCase days[] = {
        {20, 1, 1}, {13, 1, 2}, {5, 1, 3}, {10, 4, 4}, {10, 10, 10}, {10, 15, 15},
        {1.4, 1, 10}, {1.3, 1, 10}, {1.2, 1, 10}, {1.0, 1, 15}, {0.2, 1, 15}, {0, 1, 0},
        {1e-300, 1, 0},
    };
    for (const DayCase& c : days) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(TRulerPainter::NaturalDayStep(c.width, 13, c.dayStep), c.step);
    }
    EXPECT_EQ(TRulerPainter::PeriodStep(7, 10), 7);
    EXPECT_EQ(TRulerPainter::PeriodStep(7, 1), 21);
    EXPECT_EQ(TRulerPainter::PeriodStep(30, 0.5), 60);
    EXPECT_EQ(TRulerPainter::PeriodStep(30, 0), 0);
    EXPECT_EQ(TRulerPainter::NarrowDays(10), 2);
    EXPECT_EQ(TRulerPainter::NarrowDays(1.4), 13);
    EXPECT_GT(TRulerPainter::NarrowDays(0), 25);
}

TEST(RulerRows, DayRowRenamesItself)
{
    struct Case {
        double width;
        float dayStep;
        const char* name;
    };
    const Case cases[] = {
        {10, 1, "日"},   {10, 10, "旬"},  {10, 15, "半月"}, {1.4, 1, "旬"},
        {1.3, 1, "半月"}, {1, 1, "半月"}, {0.5, 1, "  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRowFixture f(c.width, 60);
        f.setup.dayStep = c.dayStep;
        f.Draw(TRulerKind::Day, 7);
        EXPECT_EQ(f.row.name, c.name);
        // The name cell shows the new name.
        std::vector<TPrim> cells = f.canvas.OfKind(TPrimKind::TextRect);
        ASSERT_EQ(cells.size(), 1u);
        EXPECT_EQ(cells[0].text, c.name);
    }
}

TEST(RulerRows, ProjectDays)
{
    TRowFixture f(10, 25);
    f.Draw(TRulerKind::ProjectDay, 0);
    // "0" one unit right of day 0; later labels left of their day by the
    // width of "0" (6 in the recording metric of an 8-point font).
    EXPECT_EQ(f.DayLabels(), (std::vector<TLabel>{{"0", 101, 4}, {"10", 194, 4}, {"20", 294, 4}}));
    // A step of 10 has half-step ticks (at day 5 and 15) of a third of the
    // band; each day ticks (a third) and its halves (a sixth).
    const std::vector<TPrim> at5 = VerticalLinesAt(f.canvas, 150);
    ASSERT_FALSE(at5.empty());
    EXPECT_EQ(at5[0].points[0].y, 0);
    EXPECT_EQ(at5[0].points[1].y, 6);
    EXPECT_EQ(at5[0].pen.color, 0x808000);
    const std::vector<TPrim> at45 = VerticalLinesAt(f.canvas, 145);
    ASSERT_EQ(at45.size(), 2u);   // the half of day 5: two short lines of length 3
    EXPECT_EQ(at45[0].points[1].y - at45[0].points[0].y, 3);
    EXPECT_EQ(at45[1].points[0].y, 19);   // from the lower edge less the pen
    EXPECT_EQ(at45[1].points[1].y, 16);
}

TEST(RulerRows, ProjectShorterThanOneStepStillShowsZeroAndDayTicks)
{
    TRowFixture f(10, 3);
    f.Draw(TRulerKind::ProjectDay, 0);
    EXPECT_EQ(LabelTexts(f.canvas), (std::vector<std::string>{"工程标尺", "0"}));
    for (int32_t d = 1; d <= 3; ++d) EXPECT_FALSE(VerticalLinesAt(f.canvas, 100 + 10 * d).empty());
}

TEST(RulerRows, NaturalDaysWithGridLines)
{
    TRowFixture f(20, 5);
    f.Draw(TRulerKind::Day, 7);
    // Day of the month of the day before each tick, centred in the day.
    const std::vector<TLabel> labels = f.DayLabels();
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels[0], (TLabel{"1", 100 + 10 - 3, 4}));
    EXPECT_EQ(labels[4].text, "5");
    // Grid lines: dashed one unit wide, dashes 1 and gaps 3, in the grid colour.
    const std::vector<TPrim> at = VerticalLinesAt(f.canvas, 140);
    const auto grid = std::find_if(at.begin(), at.end(),
                                   [](const TPrim& p) { return p.pen.style == TPenStyle::Custom; });
    ASSERT_NE(grid, at.end());
    EXPECT_EQ(grid->pen.color, 0x008080);
    EXPECT_EQ(grid->pen.dash, 1);
    EXPECT_EQ(grid->pen.gap, 3);
    EXPECT_EQ(grid->points[0].y, 100);
    EXPECT_EQ(grid->points[1].y, 400);
}

TEST(RulerRows, MonthsYearsAndPeriodsOfTheMonth)
{
    {
        TRowFixture f(2, 61);   // March and April 2007
        f.Draw(TRulerKind::Month, 2);
        EXPECT_EQ(LabelTexts(f.canvas), (std::vector<std::string>{"月", "2007.3", "2007.4"}));
        EXPECT_FALSE(VerticalLinesAt(f.canvas, 100 + 2 * 31).empty());
        f.canvas.Clear();
        f.setup.yearShown = true;
        f.Draw(TRulerKind::Month, 2);
        EXPECT_EQ(LabelTexts(f.canvas), (std::vector<std::string>{"月", "3", "4"}));
    }
    {
        TRowFixture f(1, 400);   // 2007-03-01 to 2008-04-04
        f.Draw(TRulerKind::Year, 1);
        EXPECT_EQ(LabelTexts(f.canvas), (std::vector<std::string>{"年", "2007", "2008"}));
        EXPECT_FALSE(VerticalLinesAt(f.canvas, 100 + 306).empty());   // 2008-01-01
    }
    {
        TRowFixture f(10, 31);
        f.Draw(TRulerKind::TenDays, 7);
        EXPECT_EQ(LabelTexts(f.canvas), (std::vector<std::string>{"旬", "上", "中", "下"}));
        for (int32_t d : {10, 20, 31}) EXPECT_FALSE(VerticalLinesAt(f.canvas, 100 + 10 * d).empty());
        f.canvas.Clear();
        f.Draw(TRulerKind::HalfMonth, 7);
        EXPECT_EQ(LabelTexts(f.canvas), (std::vector<std::string>{"半月", "上", "下"}));
    }
}

// Month and year texts are drawn whole, each inside the clip it is drawn
// with and inside the row: a band at the start of the row too narrow for its
// text shows it from the row's start into the next band; where no room is
// left the text is left out, never cut to a part that reads as another
// number ("2027.1" as "027.").
TEST(RulerRows, MonthAndYearTextsAreDrawnWhole)
{
    struct Case {
        const char* what;
        TRulerKind kind;
        int32_t row;
        int32_t start[3];
        double width, days;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"three days of January", TRulerKind::Month, 2, {2027, 1, 29}, 10, 40,
         {"2027.1", "2027.2", "2027.3"}},
        {"two days of a year", TRulerKind::Year, 1, {2026, 12, 30}, 5, 60, {"2026", "2027"}},
        {"the last two days of the plan", TRulerKind::Month, 2, {2027, 2, 1}, 10, 30,
         {"2027.2", "2027.3"}},
        {"no room for either", TRulerKind::Month, 2, {2027, 1, 29}, 1, 5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TRowFixture f(c.width, c.days);
        f.setup.projectStart = Stamp(c.start[0], c.start[1], c.start[2]);
        f.Draw(c.kind, c.row);
        SelectFont(f.canvas, f.row.scaleFont);
        std::vector<std::string> texts;
        for (const TPrim& p : f.canvas.OfKind(TPrimKind::TextRect)) {
            if (p.text == f.row.name) continue;
            texts.push_back(p.text);
            const int32_t x = p.points[0].x;
            EXPECT_GE(x, p.rect.left) << p.text;
            EXPECT_LE(x + f.canvas.TextExtent(p.text).cx, p.rect.right) << p.text;
            EXPECT_GE(p.rect.left, 100) << p.text;   // the row's days start at x 100
            EXPECT_LE(p.rect.right, f.axis.XOfDay(c.days)) << p.text;
        }
        EXPECT_EQ(texts, c.texts);
    }
}

TEST(RulerRows, ProjectWeeksLabelTheLastPartialPeriod)
{
    TRowFixture f(10, 30);
    f.Draw(TRulerKind::ProjectWeek, 4);
    EXPECT_EQ(LabelTexts(f.canvas),
              (std::vector<std::string>{"工程周", "1", "2", "3", "4", "5"}));
    const std::vector<TLabel> l = f.DayLabels();
    EXPECT_EQ(l.back().x, (380 + 400) / 2 - 3);   // between day 28 and the end
}

TEST(RulerRows, ZeroWidthDaysEndAndAreNotLabelled)
{
    // Days 0 to 49 hidden, as a display range makes them: every row ends,
    // and no label stands in the hidden part (all of it lies at x = 100).
    for (TRulerKind kind : {TRulerKind::ProjectDay, TRulerKind::Day, TRulerKind::ProjectWeek,
                            TRulerKind::ProjectMonth, TRulerKind::Month, TRulerKind::TenDays,
                            TRulerKind::Year, TRulerKind::Weekday}) {
        SCOPED_TRACE(int(kind));
        TRowFixture f(10, 80, 0, 50);
        f.Draw(kind, kind == TRulerKind::ProjectDay ? 0 : 7);
        std::set<int32_t> xs;
        for (const TLabel& l : f.DayLabels()) {
            EXPECT_GT(l.x, 100 - 40) << l.text;
            EXPECT_TRUE(xs.insert(l.x).second) << l.text;   // no two labels on one place
        }
    }
    // The same with everything hidden: nothing but the name cell and borders.
    TRowFixture f(0, 30);
    f.Draw(TRulerKind::ProjectDay, 0);
    EXPECT_TRUE(f.DayLabels().empty());
}

// ---- the frame of a network ----

struct TFrameFixture {
    TFakeMessages quiet;
    TNetBuilder b = DatedBuilder();
    TRecordingCanvas canvas;

    // A-B 5 days, B-C 5 days on row 2; Saturday and Sunday after day 1 rest.
    TFrameFixture()
    {
        b.Work('A', 'B', 5);
        b.Work('B', 'C', 5)->row = 2;
        b.net->restIntervals.Add({Stamp(2007, 3, 3), Stamp(2007, 3, 5)});
        b.Place();
        b.net->Recalculate();
        LayoutNetwork(*b.net);
    }

    TFrameLayout Layout(double xf = 1, double yf = 1) const
    {
        return TFrameLayout::Of(*b.net, TTimeAxis(*b.net), xf, yf);
    }

    void Draw(int32_t kind = dkScreen)
    {
        TPertDrawMode mode(&canvas, kind);
        b.net->grid->DrawFrame(*b.net, mode);
    }
};

TEST(Frame, LayoutOfTheFramedDrawing)
{
    TFrameFixture f;
    const TFrameLayout l = f.Layout();
    EXPECT_DOUBLE_EQ(l.x0, 100);
    EXPECT_DOUBLE_EQ(l.y0, 220);
    EXPECT_EQ(l.maxRow, 2);
    EXPECT_DOUBLE_EQ(l.networkBottom, 320);
    EXPECT_DOUBLE_EQ(l.networkAreaHeight, 380);
    EXPECT_DOUBLE_EQ(l.projectEndDay, 12);   // ten working days and one weekend
    EXPECT_DOUBLE_EQ(l.projectEndX, 220);
    EXPECT_EQ(l.leftEdge, 50);
    EXPECT_EQ(l.topEdge, 100);
    EXPECT_EQ(l.rightEdge, 270);
    EXPECT_DOUBLE_EQ(l.bottomEdge, 440);
    EXPECT_DOUBLE_EQ(l.areaTop, 160);
    EXPECT_DOUBLE_EQ(l.areaBottom, 380);
    const TFrameLayout p = f.Layout(2, 3);
    EXPECT_EQ(p.rightEdge, 540);
    EXPECT_DOUBLE_EQ(p.bottomEdge, 1320);
    EXPECT_DOUBLE_EQ(p.areaTop, 480);
    f.b.net->grid->explain.showMode = 2;
    EXPECT_DOUBLE_EQ(f.Layout().bottomEdge, 440 + 160);
    f.b.net->grid->explain.showMode = 1;
    EXPECT_EQ(f.Layout().rightEdge, 270 + 300);
}

TEST(Frame, VisibleRowsFollowTheFlags)
{
    Tpertgrid g;
    using K = TRulerKind;
    EXPECT_EQ(g.VisibleTopRows(),
              (std::vector<TRulerRowRef>{{K::ProjectDay, 0}, {K::Month, 2}, {K::Day, 7}}));
    g.topYear = g.topTenDays = g.topProjectWeek = g.topWeekday = g.topHalfMonth = true;
    EXPECT_EQ(g.VisibleTopRows(),
              (std::vector<TRulerRowRef>{{K::ProjectWeek, 4}, {K::ProjectDay, 0}, {K::Year, 1},
                                         {K::Month, 2}, {K::Weekday, 6}, {K::HalfMonth, 7},
                                         {K::TenDays, 7}, {K::Day, 7}}));
    g.byProjectCalendar = true;   // years, months and days are ignored
    g.topProjectMonth = true;
    g.bottomProjectWeek = true;
    EXPECT_EQ(g.VisibleTopRows(), (std::vector<TRulerRowRef>{{K::ProjectMonth, 3},
                                                             {K::ProjectWeek, 4},
                                                             {K::ProjectDay, 0}}));
    EXPECT_EQ(g.VisibleBottomRows(),
              (std::vector<TRulerRowRef>{{K::ProjectWeek, 4}, {K::ProjectDay, 0}}));
    EXPECT_EQ(g.TopRowsHeight(), 60);
    EXPECT_EQ(g.BottomRowsHeight(), 40);
}

TEST(Frame, RestBandsStartEndLinesAndBorder)
{
    TFrameFixture f;
    f.Draw();
    // The weekend, calendar days 2 and 3, hatched over the network area.
    const std::vector<TPrim> rects = f.canvas.OfKind(TPrimKind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].rect, (TCanvasRect{120, 160, 140, 380}));
    EXPECT_EQ(rects[0].brush.style, TBrushStyle::BackwardDiagonal);
    EXPECT_EQ(rects[0].brush.color, 0x808080);
    EXPECT_EQ(rects[0].pen.color, 0x808080);
    // The border: 5 wide in the frame colour, around (47.5, 97.5)-(270, 442.5).
    EXPECT_EQ(rects[1].rect, (TCanvasRect{47, 97, 270, 442}));
    EXPECT_EQ(rects[1].pen.width, 5);
    EXPECT_EQ(rects[1].pen.color, 0x808000);
    EXPECT_EQ(rects[1].brush.style, TBrushStyle::Clear);
    // Start and end lines from the top edge to the bottom of the network
    // area, in the critical colour, with outline marks at both ends.
    for (int32_t x : {100, 220}) {
        SCOPED_TRACE(x);
        const auto lines = VerticalLinesAt(f.canvas, x);
        const auto line = std::find_if(lines.begin(), lines.end(), [](const TPrim& p) {
            return p.points[0].y == 100 && p.points[1].y == 380;
        });
        ASSERT_NE(line, lines.end());
        EXPECT_EQ(line->pen.color, 0x0000FF);
    }
    const std::vector<TPrim> marks = f.canvas.OfKind(TPrimKind::Polygon);
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_EQ(marks[0].points, (std::vector<TCanvasPoint>{{100, 100}, {95, 110}, {105, 110}}));
    EXPECT_EQ(marks[1].points, (std::vector<TCanvasPoint>{{100, 380}, {95, 370}, {105, 370}}));
    EXPECT_EQ(marks[0].brush.style, TBrushStyle::Clear);
}

TEST(Frame, PrintPassUsesThePrintBrush)
{
    TFrameFixture f;
    f.b.net->grid->printRestBrush = TVqBrush{6, 0x112233};
    f.Draw(dkPrint);
    EXPECT_EQ(f.canvas.OfKind(TPrimKind::Rectangle)[0].brush.style, TBrushStyle::Cross);
    EXPECT_EQ(f.canvas.OfKind(TPrimKind::Rectangle)[0].brush.color, 0x112233);
}

TEST(Frame, RowsAboveAndBelow)
{
    TFrameFixture f;
    f.Draw();
    // Name cells of the three rows above (from the top) and the three below
    // (from the bottom edge upwards).
    std::vector<std::string> names;
    for (const TPrim& p : f.canvas.OfKind(TPrimKind::TextRect))
        if (p.rect.right <= 100) names.push_back(p.text);
    EXPECT_EQ(names, (std::vector<std::string>{"工程标尺", "月", "日", "工程标尺", "月", "日"}));
    // Months of a plan of 12 days: only March.
    const std::vector<std::string> texts = f.canvas.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "2007.3"), 2);
}

TEST(Frame, PartialDisplayRangeHidesDaysAndRulersStillEnd)
{
    TFrameFixture f;
    // Show only days 4 to 7.
    SetShowRange(*f.b.net, f.b.net->projectStart + 4 * 86400, f.b.net->projectStart + 8 * 86400);
    LayoutNetwork(*f.b.net);
    f.Draw();
    // The days before day 4 take no room.
    const TTimeAxis axis(*f.b.net);
    EXPECT_NEAR(axis.XOfTime(3.5), axis.XOfTime(0), 1e-3);
    EXPECT_NEAR(axis.XOfTime(5) - axis.XOfTime(4), 10, 1e-3);
    // Every label of the day row lies in the shown part.
    for (const TLabel& lab : Labels(f.canvas))
        if (lab.text.size() == 1 && lab.text[0] >= '1' && lab.text[0] <= '9') {
            EXPECT_GE(lab.x, 90);
        }
}

}
