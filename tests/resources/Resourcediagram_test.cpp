// Daily resource profiles and the resource diagrams on the recording canvas.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "drawing/Displaysettings.h"
#include "drawing/Drawtest.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "drawing/Tpertgrid.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "resources/Resourcediagram.h"
#include "schedule/Perttime_out.h"
#include "support/Plangen.h"

namespace {

Trecsource Line(const char* number, float daily, const char* name = "钢筋", const char* unit = "吨")
{
    Trecsource r;
    r.number = number;
    r.name = name;
    r.unit = unit;
    r.dailyAmount = daily;
    r.measureMode = 1;   // the daily amount is given: layouts keep it
    return r;
}

// A chain a-b-c-... of works with the given durations; resources are added
// to the works by index.
struct TChain {
    TNetBuilder b = DatedBuilder();
    std::vector<Tedge*> works;
    explicit TChain(std::vector<float> durations)
    {
        char from = 'a';
        for (float d : durations) {
            works.push_back(b.Work(from, char(from + 1), d));
            ++from;
        }
        b.Place();
    }
    Tpertgra& Net() { return *b.net; }
};

struct TProfileCase {
    const char* what;
    std::vector<float> durations;
    std::vector<std::pair<size_t, float>> uses;   // work index, daily amount
    std::vector<double> levels;                   // per day; -1 = no entry
};

void ExpectProfile(const TResourceProfile& p, const std::vector<double>& levels, const char* what)
{
    ASSERT_EQ(p.level.size(), levels.size()) << what;
    for (size_t d = 0; d < levels.size(); ++d) {
        if (levels[d] < 0) {
            EXPECT_FALSE(p.present[d]) << what << " day " << d;
        } else {
            EXPECT_TRUE(p.present[d]) << what << " day " << d;
            EXPECT_DOUBLE_EQ(p.level[d], levels[d]) << what << " day " << d;
        }
    }
}

TEST(ResourceProfile, DaysOfTheWorksFromTruncatedStartToTruncatedFinish)
{
    const TProfileCase cases[] = {
        {"from day 2.5 for 2 days: days 2 and 3", {2.5f, 2}, {{1, 2.5f}}, {-1, -1, 2.5, 2.5}},
        {"half a day at day 3: nothing", {3, 0.5f, 1}, {{1, 4}}, {-1, -1, -1, -1}},
        {"3 and 2 overlapping give 5", {2, 3}, {{0, 3}, {1, 2}}, {3, 5, 2, 2, -1}},
    };
    for (const TProfileCase& c : cases) {
        TChain ch(c.durations);
        if (std::string(c.what).find("overlapping") != std::string::npos) {
            // Two parallel works: the second leaves the first node too, from day 1.
            ch.works[1]->data->start = 1;
        }
        for (auto [i, a] : c.uses) ch.works[i]->data->resources.push_back(Line("G1", a));
        TResourceProfile literal;
        BuildWorkProfile(ch.Net(), literal, "G1");
        ExpectProfile(literal, c.levels, c.what);
        const auto fast = BuildWorkProfiles(ch.Net(), {"G1"});
        ExpectProfile(fast[0], c.levels, c.what);
    }
}

TEST(ResourceProfile, WorkingDaysLandOnTheirCalendarDays)
{
    // Days 2 and 3 (2007-03-03 and -04) are rest days: a 4-day work from
    // day 0 runs on calendar days 0, 1, 4, 5.
    TChain ch({4, 1});
    ch.Net().restIntervals.Add({Stamp(2007, 3, 3), Stamp(2007, 3, 5)});
    ch.works[0]->data->resources.push_back(Line("G1", 1));
    ch.works[1]->data->resources.push_back(Line("G1", 7));
    ch.Net().Recalculate();
    ASSERT_EQ(DiagramDays(ch.Net()), 7u);
    const std::vector<double> want{1, 1, -1, -1, 1, 1, 7};
    TResourceProfile literal;
    BuildWorkProfile(ch.Net(), literal, "G1");
    ExpectProfile(literal, want, "literal");
    ExpectProfile(BuildWorkProfiles(ch.Net(), {"G1"})[0], want, "fast");
}

TEST(ResourceProfile, CustomUsagesPastTheEndAndNonFiniteAmounts)
{
    TChain ch({3});
    ch.Net().customResourceDays.resize(5);
    for (size_t d : {1u, 4u}) {
        auto e = std::make_unique<Trecsource>(Line("ZA", 2));
        ch.Net().customResourceDays[d] = std::move(e);
    }
    ch.works[0]->data->resources.push_back(Line("G1", std::nanf("")));
    const auto p = DiagramProfiles(ch.Net(), {"ZA", "G1"});
    ExpectProfile(p[0], {-1, 2, -1}, "custom, day 4 past the end");
    ExpectProfile(p[1], {0, 0, 0}, "not a number counts 0");
    EXPECT_EQ(ch.Net().customResourceDays.size(), 5u) << "usages past the end stay stored";
}

// The fast profile against the day-by-day one on generated plans.
TEST(ResourceProfile, OneWalkMatchesTheDayByDayProfile)
{
    for (uint32_t seed : {1u, 2u, 3u}) {
        TPlanShape shape;
        shape.works = 300;
        shape.seed = seed;
        shape.fractional = seed != 1;
        auto net = GeneratePlan(shape);
        if (seed == 3) net->restIntervals.Add({net->projectStart + 5 * 86400, net->projectStart + 7 * 86400});
        net->Recalculate();
        std::mt19937 rng(seed);
        const bool whole = seed != 3;
        int i = 0;
        for (Tedge* w : net->AllWorks()) {
            const int n = int(rng() % 3);
            for (int k = 0; k < n; ++k) {
                const float a = whole ? float(rng() % 20) / 2.0f : float(rng() % 1000) / 7.0f;
                w->data->resources.push_back(Line(k == 0 ? "R1" : "R2", a));
            }
            if (++i % 5 == 0) w->data->resources.push_back(Line("R3", 1.5f));
        }
        const std::vector<std::string> numbers{"R1", "R2", "R3", "R4"};
        const auto fast = BuildWorkProfiles(*net, numbers);
        for (size_t k = 0; k < numbers.size(); ++k) {
            TResourceProfile literal;
            BuildWorkProfile(*net, literal, numbers[k]);
            ASSERT_EQ(fast[k].level.size(), literal.level.size());
            EXPECT_EQ(fast[k].present, literal.present) << "seed " << seed;
            EXPECT_EQ(fast[k].found, literal.found);
            EXPECT_EQ(fast[k].name, literal.name);
            for (size_t d = 0; d < literal.level.size(); ++d) {
                if (whole) {
                    EXPECT_EQ(fast[k].level[d], literal.level[d]) << d;
                } else {
                    EXPECT_NEAR(fast[k].level[d], literal.level[d], 1e-3 * (1 + literal.level[d])) << d;
                }
            }
        }
    }
}

// ---- drawing ----------------------------------------------------------------

struct TDiagramFixture {
    TChain ch{{2, 3}};   // days 0-1 and 2-4 of a 5-day plan
    TRecordingCanvas canvas;
    TPertDrawMode mode{&canvas, dkScreen};
    TDiagramPlace place;

    TDiagramFixture()
    {
        place.x0 = 100;
        place.top = 0;
        place.xOfDay = [](double d) { return 100 + 20 * d; };
        place.separator = false;
        ch.works[0]->data->resources.push_back(Line("G1", 10));
        ch.works[1]->data->resources.push_back(Line("G1", 5));
        Net().shownResources = {"G1"};
    }
    Tpertgra& Net() { return ch.Net(); }
    void Draw(int32_t drawMode)
    {
        ch.works[0]->data->resources[0].drawMode = drawMode;
        canvas.Clear();
        DrawResourceDiagrams(Net(), mode, place);
    }
    int32_t LineColor() { return Net().displaySettings.Palette(4); }
    // The level steps: solid horizontal lines left to right in the line colour, above the base.
    std::vector<TPrim> Steps()
    {
        std::vector<TPrim> out;
        for (const TPrim& p : canvas.OfKind(TPrimKind::Line))
            if (p.pen.color == LineColor() && p.pen.style == TPenStyle::Solid &&
                p.points[0].y == p.points[1].y && p.points[1].x > p.points[0].x &&
                p.points[0].y != 120)
                out.push_back(p);
        return out;
    }
};

TEST(ResourceDiagram, StepLineAxesLabelsAndTitle)
{
    TDiagramFixture f;
    f.Draw(0);
    // H 120, G 40: 80 units for a maximum of 10, baseline at 120.
    const auto steps = f.Steps();
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].points, (std::vector<TCanvasPoint>{{100, 40}, {120, 40}}));
    EXPECT_EQ(steps[2].points, (std::vector<TCanvasPoint>{{140, 80}, {160, 80}}));
    std::vector<std::string> labels;
    for (const TLabel& l : Labels(f.canvas)) labels.push_back(l.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"2.5", "5", "7.5", "10", "钢筋(吨)-分布曲线"}));
    // Labels end at the ticks (x0 - 5 L), centred on their line; the title
    // stands in the head room.
    for (const TPrim& p : f.canvas.OfKind(TPrimKind::Text)) {
        const TCanvasSize e = TRecordingCanvas::Metric(p.font, 96, p.text);
        if (p.text == "10") {
            EXPECT_EQ(p.points[0], (TCanvasPoint{95 - e.cx, 40 - e.cy / 2}));
        }
        if (p.text == "钢筋(吨)-分布曲线") {
            EXPECT_EQ(p.points[0], (TCanvasPoint{105, 40 - e.cy - 5}));
        }
    }
    // Right end of the axes at the plan's end (day 5).
    bool endAxis = false;
    for (const TPrim& p : f.canvas.OfKind(TPrimKind::Line))
        if (p.points == std::vector<TCanvasPoint>{{200, 0}, {200, 120}}) endAxis = true;
    EXPECT_TRUE(endAxis);
}

TEST(ResourceDiagram, HistogramLeavesAGapAndUsesTheBrushOfTheOutput)
{
    TDiagramFixture f;
    f.Net().displaySettings.reserved88 = 2;
    f.Net().resourceScreenBrush = {4, 0x112233};
    f.Net().resourcePrintBrush = {0, 0x445566};
    for (int32_t kind : {int32_t(dkScreen), int32_t(dkPrint)}) {
        f.mode.DrawKind = kind;
        f.Draw(1);
        const auto fills = f.canvas.OfKind(TPrimKind::FillRect);
        ASSERT_EQ(fills.size(), 5u);
        EXPECT_EQ(fills[0].rect, (TCanvasRect{100, 40, 120 - 4, 120}));
        EXPECT_EQ(fills[0].brush.color, kind == dkPrint ? 0x445566 : 0x112233);
        EXPECT_EQ(fills[0].brush.style, TBrushStyle::ForwardDiagonal) << "the screen brush's style";
    }
}

TEST(ResourceDiagram, CurvePointsArePaddedToWholePieces)
{
    TDiagramFixture f;
    f.Draw(2);
    auto curves = f.canvas.OfKind(TPrimKind::Bezier);
    ASSERT_EQ(curves.size(), 1u);
    // The start, a pair per change of level (day 0 up, day 2 down) and the
    // last day's end: 6 points, padded with the last one to 7.
    EXPECT_EQ(curves[0].points,
              (std::vector<TCanvasPoint>{{100, 120}, {100, 120}, {100, 40}, {140, 40}, {140, 80},
                                         {200, 80}, {200, 80}}));
    EXPECT_TRUE(f.canvas.OfKind(TPrimKind::FillRect).empty());

    // One level over the whole plan: 4 points are one piece as they are.
    TDiagramFixture g;
    g.ch.works[1]->data->resources[0].dailyAmount = 10;
    g.Draw(2);
    curves = g.canvas.OfKind(TPrimKind::Bezier);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0].points,
              (std::vector<TCanvasPoint>{{100, 120}, {100, 120}, {100, 40}, {200, 40}}));
}

TEST(ResourceDiagram, NothingWithoutUsageAndBoundedSettings)
{
    {
        TDiagramFixture f;
        for (Tedge* w : f.ch.works) w->data->resources[0].dailyAmount = 0;
        f.Draw(0);
        EXPECT_TRUE(f.canvas.primitives.empty()) << "M = 0 draws nothing, not even the axes";
    }
    {
        TDiagramFixture f;
        f.Net().shownResources = {"NONE"};
        f.Draw(0);
        EXPECT_TRUE(f.canvas.primitives.empty());
    }
    {
        TDiagramFixture f;
        f.Net().displaySettings.resourceScaleCount = 0;
        f.Net().displaySettings.reserved104 = 500;   // head room above the height
        f.Draw(0);
        std::vector<std::string> labels = f.canvas.Texts();
        EXPECT_EQ(labels, (std::vector<std::string>{"10", "钢筋(吨)-分布曲线"}));
        for (const TPrim& p : f.canvas.primitives)
            for (const TCanvasPoint& q : p.points) EXPECT_LE(q.y, 120) << "inside its own diagram";
    }
}

TEST(ResourceDiagram, StackedOneHeightApartWithTheSeparator)
{
    TDiagramFixture f;
    f.ch.works[1]->data->resources.push_back(Line("G2", 4, "水泥", ""));
    f.Net().shownResources = {"G2", "G1"};
    f.place.top = 10;
    f.place.separator = true;
    f.place.frameWidth = 6;
    f.place.frameColor = 0x123456;
    f.Draw(0);
    const auto lines = f.canvas.OfKind(TPrimKind::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].points, (std::vector<TCanvasPoint>{{0, 10}, {200, 10}}));
    EXPECT_EQ(lines[0].pen.width, 3);
    EXPECT_EQ(lines[0].pen.color, 0x123456);
    const auto texts = f.canvas.Texts();
    EXPECT_EQ(texts[4], "水泥-分布曲线");
    EXPECT_EQ(texts.back(), "钢筋(吨)-分布曲线");
    // The second diagram's base line lies two heights below the top.
    bool base2 = false;
    for (const TPrim& p : lines)
        if (p.points == std::vector<TCanvasPoint>{{100, 250}, {200, 250}}) base2 = true;
    EXPECT_TRUE(base2);
}

// ---- placement in the views ---------------------------------------------------

TEST(ResourceDiagram, PlacedUnderTheNetworkAndFromRowZeroInTheResourceView)
{
    struct Row {
        bool only;
        bool inNetwork;
        bool drawn;
    } rows[] = {{false, true, true}, {false, false, false}, {true, false, true}};
    for (const Row& r : rows) {
        TChain ch({2, 3});
        ch.works[1]->data->resources.push_back(Line("G1", 4));
        Tpertgra& net = ch.Net();
        net.shownResources = {"G1"};
        net.resourceOnlyView = r.only;
        net.resourceDiagramInNetwork = r.inNetwork;
        net.Recalculate();
        LayoutNetwork(net, 1.0, 1.0);
        TRecordingCanvas c;
        TPertDrawMode mode(&c, dkScreen);
        DrawNetwork(net, mode);
        const auto texts = c.Texts();
        const bool drawn = std::find(texts.begin(), texts.end(), "钢筋(吨)-分布曲线") != texts.end();
        EXPECT_EQ(drawn, r.drawn) << r.only << r.inNetwork;
        if (!drawn) continue;
        const TTimeAxis axis(net);
        const TFrameLayout fl = TFrameLayout::Of(net, axis, 1, 1);
        const double top = r.only ? fl.y0 : fl.networkBottom + net.grid->bottomMargin;
        const int32_t yb = int32_t(top + net.displaySettings.resourceHeight);
        const int32_t xa = int32_t(axis.XOfTime(2, TShiftCount::AtOrBefore));
        bool step = false;
        for (const TPrim& p : c.OfKind(TPrimKind::Line))
            if (p.points[0] == TCanvasPoint{xa, yb} && p.points[1].x == xa && p.points[1].y < yb)
                step = true;
        EXPECT_TRUE(step) << "the rise at the work's first day, from the base line";
    }
}

}  // namespace
