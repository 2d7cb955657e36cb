#include <gtest/gtest.h>

#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Pertsetdata.h"
#include "drawing/Scaleset.h"
#include "drawing/Timedataset.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Timeset.h"
#include "drawing/Tpertgrid.h"
#include "drawing/Vanguardlineset.h"
#include "editing/Desktopfixtures.h"
#include "entry/Createpertinf.h"
#include "gantt/Gantt.h"
#include "schedule/Calendar.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"
#include "support/Fakemessages.h"

namespace {

int32_t Day(int y, int m, int d)
{
    return *StampOfCivil({y, m, d, 0, 0, 0});
}

std::unique_ptr<Tpertgra> PlanFrom(int y, int m, int d)
{
    auto net = SmallPlan();
    net->projectStart = Day(y, m, d);
    net->progressDate = net->projectStart;
    net->showStart = net->showEnd = net->projectStart;
    return net;
}

TEST(RestDayDialog, ListAddRemoveAndApplyAsRuns)
{
    TFakeMessages msgs;
    auto net = PlanFrom(2024, 3, 1);
    TTimeset t;
    t.Load(*net);
    EXPECT_TRUE(t.days.empty());
    // Days before the project start cannot be picked; repeats are kept once.
    t.Add({Day(2024, 3, 2), Day(2024, 2, 28), Day(2024, 3, 3), Day(2024, 3, 2) + 3600,
           Day(2024, 3, 4), Day(2024, 3, 11)});
    EXPECT_EQ(t.Texts(), (std::vector<std::string>{"2024-03-02   星期六", "2024-03-03   星期日",
                                                   "2024-03-04   星期一", "2024-03-11   星期一"}));
    EXPECT_FALSE(t.Remove({}));
    ASSERT_EQ(msgs.Texts(), std::vector<std::string>{"请先选择要删除的时间！"});
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    EXPECT_EQ(msgs.shown[0].icon, TMsgIcon::Warning);
    t.Apply(*net);
    EXPECT_TRUE(net->modified);
    ASSERT_EQ(net->restIntervals.Count(), 2);
    EXPECT_EQ(net->restIntervals[0].start, Day(2024, 3, 2));
    EXPECT_EQ(net->restIntervals[0].end, Day(2024, 3, 5));
    EXPECT_EQ(net->restIntervals[1].start, Day(2024, 3, 11));
    EXPECT_EQ(net->restIntervals[1].end, Day(2024, 3, 12));
    // Reopened, the dialog lists the same days.
    TTimeset again;
    again.Load(*net);
    EXPECT_EQ(again.days, t.days);
    EXPECT_TRUE(again.Remove({0, 3}));
    EXPECT_EQ(again.days, (std::vector<int32_t>{Day(2024, 3, 3), Day(2024, 3, 4)}));
    again.RemoveAll();
    EXPECT_TRUE(again.days.empty());
}

TEST(RestDayDialog, AutomaticWeekdaysAndAWrongYear)
{
    TFakeMessages msgs;
    auto net = PlanFrom(2024, 1, 1);
    TTimeset t;
    t.Load(*net);
    ASSERT_TRUE(t.AutoAdd("2024", 3, 0));   // the Sundays of March 2024
    EXPECT_EQ(t.days, (std::vector<int32_t>{Day(2024, 3, 3), Day(2024, 3, 10), Day(2024, 3, 17),
                                            Day(2024, 3, 24), Day(2024, 3, 31)}));
    ASSERT_TRUE(t.AutoAdd("2024", 0, 6));   // every Saturday of the year
    EXPECT_EQ(t.days.size(), 5u + 52u);
    ASSERT_TRUE(t.AutoRemove("2024", 3, 0));
    EXPECT_EQ(t.days.size(), 52u);
    for (const char* bad : {"", "二〇二四", "20x4", "-1"}) {
        const auto kept = t.days;
        EXPECT_FALSE(t.AutoAdd(bad, 1, 1)) << bad;
        EXPECT_EQ(t.days, kept);
    }
    EXPECT_EQ(msgs.Texts().back(), "输入的时间有误！");
}

TEST(RestDayDialog, FillOfTheBands)
{
    auto net = PlanFrom(2024, 1, 1);
    TTimeset t;
    t.Load(*net);
    t.screenColor = 0x0000FF;
    t.printColor = 0x00FF00;
    t.fillStyle = 6;
    t.Apply(*net);
    EXPECT_EQ(net->grid->screenRestBrush, TVqBrush(6, 0x0000FF));
    EXPECT_EQ(net->grid->printRestBrush, TVqBrush(6, 0x00FF00));
}

TEST(RulerScaleDialog, SpansAreAddedChangedAndKeptOnOk)
{
    TFakeMessages msgs;
    auto net = PlanFrom(2024, 3, 1);
    TScaleset s;
    s.Load(*net);
    EXPECT_FALSE(s.AddSpan(*net, Day(2024, 3, 5), Day(2024, 3, 5)));
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"结束时间要大于开始时间！"});
    ASSERT_TRUE(s.AddSpan(*net, Day(2024, 3, 3), Day(2024, 3, 6)));
    ASSERT_EQ(s.working.intervals.size(), 1u);
    // The start after the project start moves one day on; the end is the picked day.
    EXPECT_EQ(s.working.intervals[0].startDay, 3);
    EXPECT_EQ(s.working.intervals[0].endDay, 5);
    EXPECT_EQ(s.working.intervals[0].width, 10);
    EXPECT_FALSE(s.DeleteSpan(-1));
    EXPECT_EQ(msgs.Texts().back(), "请先选择一组时间！");
    ASSERT_TRUE(s.ChangeSpan(*net, 0, Day(2024, 3, 1), Day(2024, 3, 4)));
    EXPECT_EQ(s.working.intervals[0].startDay, 0);
    EXPECT_EQ(s.working.intervals[0].endDay, 4);
    ASSERT_TRUE(s.StretchSpan(*net, 0));
    EXPECT_GT(s.working.intervals[0].width, 10);
    // The display range was not touched: OK keeps the spans.
    s.Apply(*net);
    EXPECT_TRUE(net->modified);
    EXPECT_EQ(net->timeScale, s.working);
    EXPECT_EQ(net->showStart, net->projectStart);
}

// On a plan drawn wider than the default, a span added in the dialog keeps
// the width its days have, so 伸长 widens it from there: every press adds
// 50 / T to the width, the first one included.
TEST(RulerScaleDialog, StretchWidensASpanFromTheWidthItIsDrawnAt)
{
    TFakeMessages msgs;
    for (double dayWidth : {16.0, 10.0, 4.0}) {
        SCOPED_TRACE(dayWidth);
        auto net = PlanFrom(2024, 3, 1);
        net->timeScale.dayWidth = dayWidth;
        const double step = 50 / ProjectEndDay(*net);
        TScaleset s;
        s.Load(*net);
        ASSERT_TRUE(s.AddSpan(*net, Day(2024, 3, 2), Day(2024, 3, 4)));
        EXPECT_EQ(s.working.intervals[0].width, dayWidth);
        double before = dayWidth;
        for (int press = 1; press <= 3; ++press) {
            ASSERT_TRUE(s.StretchSpan(*net, 0));
            ASSERT_EQ(net->timeScale.intervals.size(), 1u);
            EXPECT_DOUBLE_EQ(net->timeScale.intervals[0].width, before + step) << "press " << press;
            before = net->timeScale.intervals[0].width;
        }
        // 修改 moves the stretched span and keeps its width
        ASSERT_TRUE(s.ChangeSpan(*net, 0, Day(2024, 3, 3), Day(2024, 3, 4)));
        EXPECT_DOUBLE_EQ(s.working.intervals[0].width, before);
    }
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST(RulerScaleDialog, CancelRestoresTheScaleAStretchChanged)
{
    auto net = PlanFrom(2024, 3, 1);
    net->timeScale.SetDayWidth(0, 2, 10);
    const Tlistdurinterval_x opened = net->timeScale;
    TScaleset s;
    s.Load(*net);
    ASSERT_TRUE(s.ShrinkSpan(*net, 0));
    EXPECT_FALSE(net->timeScale == opened);
    s.Cancel(*net);
    EXPECT_EQ(net->timeScale, opened);
}

TEST(RulerScaleDialog, DisplayRangeFromThePickersAndShowAll)
{
    auto net = PlanFrom(2024, 3, 1);
    TScaleset s;
    s.Load(*net);
    // Everything shown: the pickers stand at the start and the day before it.
    EXPECT_EQ(s.rangeStart, Day(2024, 3, 1));
    EXPECT_EQ(s.rangeEnd, Day(2024, 2, 29));
    s.rangeStart = Day(2024, 3, 3);
    s.rangeEnd = Day(2024, 3, 5);
    s.Apply(*net);
    EXPECT_EQ(net->showStart, Day(2024, 3, 3));
    EXPECT_EQ(net->showEnd, Day(2024, 3, 6));
    // Reopened, the pickers show the same two days.
    TScaleset again;
    again.Load(*net);
    EXPECT_EQ(again.rangeStart, Day(2024, 3, 3));
    EXPECT_EQ(again.rangeEnd, Day(2024, 3, 5));
    again.ShowAll(*net);
    again.Apply(*net);
    EXPECT_EQ(net->showStart, net->projectStart);
    EXPECT_EQ(net->showEnd, net->projectStart);
    EXPECT_TRUE(net->timeScale.intervals.empty());
    EXPECT_EQ(net->timeScale.dayWidth, 10);
}

TEST(TimeDataDialog, FlagsReachTheNetworkAndEveryWork)
{
    auto net = SmallPlan();
    TTimedataset t;
    t.Load(*net);
    EXPECT_FALSE(t.showTimeLabels);
    t.showTimeLabels = true;
    t.show = {true, false, true, false, true, false};
    t.nonCriticalOnly = true;
    t.connectLine = false;
    t.Apply(*net);
    EXPECT_EQ(net->showTimeLabels, 1);
    EXPECT_FALSE(net->timeLabelMode.showEF);
    EXPECT_TRUE(net->timeLabelMode.nonCriticalOnly);
    EXPECT_FALSE(net->timeLabelMode.connectLine);
    for (Tedge* w : net->AllWorks())
        EXPECT_EQ(w->timeLabel.shown, (std::array<bool, 6>{true, false, true, false, true, false}));
    TTimedataset back;
    back.Load(*net);
    EXPECT_EQ(back.show, t.show);
}

TEST(ProgressLineDialog, CheckDateNotBeforeTheStart)
{
    auto net = PlanFrom(2024, 3, 1);
    net->progressDate = Day(2024, 1, 1);
    TVanguardlineset v;
    v.Load(*net);
    EXPECT_EQ(v.checkDate, Day(2024, 3, 1));
    v.checkDate = Day(2024, 3, 9);
    v.showProgressLine = true;
    v.Apply(*net);
    EXPECT_EQ(net->progressDate, Day(2024, 3, 9));
    EXPECT_TRUE(net->showProgressLine);
}

TEST(ProjectInformationDialog, TitlesAndStartAtTheBeginningOfTheDay)
{
    auto net = PlanFrom(2024, 3, 1);
    TCreatepertinf p;
    p.Load(*net);
    EXPECT_EQ(p.networkTitle, "工程进度网络计划图");
    EXPECT_EQ(p.ganttTitle, "工程进度横道图");
    p.networkTitle = "住宅楼工程网络计划";
    p.ganttTitle = "住宅楼工程横道图";
    p.start = Day(2024, 4, 8) + 13 * 3600;
    p.Apply(*net);
    EXPECT_EQ(net->title, "住宅楼工程网络计划");
    EXPECT_EQ(net->liveGantt.title, "住宅楼工程横道图");
    EXPECT_EQ(net->projectStart, Day(2024, 4, 8));
    EXPECT_EQ(net->progressDate, Day(2024, 4, 8));
    EXPECT_EQ(net->showStart, Day(2024, 4, 8));
}

TEST(DisplaySettingsDialog, UntouchedDialogChangesNothing)
{
    auto net = SmallPlan();
    net->modified = false;
    Tpertsetdata d;
    d.Load(*net);
    EXPECT_FALSE(d.Apply(*net));
    EXPECT_FALSE(net->modified);
}

TEST(DisplaySettingsDialog, TheGanttPageReachesTheLiveChart)
{
    auto net = SmallPlan();
    net->modified = false;
    Tpertsetdata d;
    d.Load(*net);
    EXPECT_EQ(d.gantt.title, "工程进度横道图");
    EXPECT_EQ(d.gantt.columns.size(), 14u);
    d.gantt.title = "横道图\\二";
    d.gantt.rowsPerPage = 0;   // the paging divides by it: at least 1
    d.gantt.rightDistance = 70;
    d.gantt.bottomMargin = 12;
    d.gantt.columns[4].visible = true;
    d.gantt.resourceIds = {"R1", "R2"};
    d.gantt.resourceModes = {1};
    d.gantt.workFont.color = 0x123456;
    EXPECT_TRUE(d.Apply(*net));
    EXPECT_TRUE(net->modified);
    const Tgantt& g = net->liveGantt;
    EXPECT_EQ(g.title, "横道图\\二");
    EXPECT_EQ(g.rowsPerPage, 1);
    EXPECT_EQ(g.ruler.rightMargin, 70);
    EXPECT_EQ(g.margins.bottomMargin, 12);
    EXPECT_TRUE(g.columns[4].visible);
    EXPECT_EQ(g.resourceColumnModes, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(g.workFont.color, 0x123456);
}

TEST(DisplaySettingsDialog, PalettesAreEditedSeparately)
{
    auto net = SmallPlan();
    Tpertsetdata d;
    d.Load(*net);
    d.Shown().critical = 0x112233;
    d.showingPrint = true;
    d.Shown().critical = 0x445566;
    d.Shown().frame = 0x010203;
    d.showingPrint = false;
    EXPECT_EQ(d.Shown().critical, 0x112233);   // switching back keeps the edit
    ASSERT_TRUE(d.Apply(*net));
    EXPECT_EQ(net->screenPalette.criticalColor, 0x112233);
    EXPECT_EQ(net->printPalette.criticalColor, 0x445566);
    EXPECT_EQ(net->grid->printColors[0], 0x010203);
    EXPECT_TRUE(net->modified);
}

TEST(DisplaySettingsDialog, RulerRowsGridChoiceAndRatios)
{
    auto net = SmallPlan();
    Tpertsetdata d;
    d.Load(*net);
    EXPECT_EQ(d.gridChoice, 0);   // a new network draws grid lines at the day row
    d.gridChoice = 6;             // 不画网格线
    d.rulerHeight = 24;
    d.leftFrame = 70;
    d.topRows[6] = true;          // 画自然年
    d.dayStepIndex = 7;           // 10
    d.equalRatios = true;
    d.printRatioX = 80;
    d.printRatioY = 55;
    ASSERT_TRUE(d.Apply(*net));
    for (const Tprojectscale& s : net->grid->scales) {
        EXPECT_FALSE(s.gridLines);
        EXPECT_EQ(s.height, 24);
        EXPECT_EQ(s.nameWidth, 70);
    }
    EXPECT_TRUE(net->grid->topYear);
    EXPECT_EQ(net->grid->dayStep, 10.0f);
    EXPECT_EQ(net->displaySettings.printRatioY, 80);   // equal ratios take 横向
    d.Load(*net);
    EXPECT_EQ(d.gridChoice, 6);
    d.gridChoice = 2;   // 按工程周画
    d.Apply(*net);
    EXPECT_TRUE(net->grid->scales[4].gridLines);
}

TEST(DisplaySettingsDialog, AFontColourAloneCountsAsAChange)
{
    auto net = SmallPlan();
    net->modified = false;
    Tpertsetdata d;
    d.Load(*net);
    d.titleFont.color = 0x00FF00;
    EXPECT_TRUE(d.Apply(*net));
    EXPECT_TRUE(net->modified);
    EXPECT_EQ(net->titleFont.color, 0x00FF00);
}

TEST(DisplaySettingsDialog, IntegerFields)
{
    for (auto [text, ok] : {std::pair{"12", true}, {"-3", true}, {"0", true}, {"", false},
                            {"1.5", false}, {"-", false}, {"12a", false}, {"99999999999", false}})
        EXPECT_EQ(Tpertsetdata::IsIntegerText(text), ok) << text;
}

}  // namespace
