// The work dialog without its window: opening in both modes, the rules of
// the boxes with their messages, the resources page, and what 确定 does to
// the network.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "editing/Relayout.h"
#include "drawing/Timeaxis.h"
#include "editing/Desktopfixtures.h"
#include "entry/Budgetitemsource.h"
#include "entry/Workdialog.h"
#include "platform/Inifile.h"
#include "platform/Keyboardlayouts.h"
#include "platform/Programfolders.h"
#include "resources/Resourcecatalogue.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

using Texts = std::vector<std::string>;

int32_t Stamp(int y, int m, int d)
{
    return *StampOfCivil({y, m, d, 0, 0, 0});
}

double DateNumber(int y, int m, int d)
{
    return DateTimeOfStamp(Stamp(y, m, d));
}

// A -3-> B -4-> C on row 0, starting 2024-03-01, laid out.
void Chain(TNetBuilder& b)
{
    b.net->projectStart = Stamp(2024, 3, 1);
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
}

TPosition2D NodePoint(const Tvertex* v)
{
    return {double(v->x), double(v->y)};
}

// A point on empty ground at a working day, a few rows below the chain.
TPosition2D GroundAt(const Tpertgra& net, double day, int32_t row = 3)
{
    const TTimeAxis axis(net);
    return {axis.XOfTime(CalendarDay(net, day)), Y0(net) + row * RowHeight(net) + 2};
}

TAddAnchors Points(TPosition2D start, TPosition2D end)
{
    TAddAnchors a;
    a.start = start;
    a.entry = start;
    a.end = end;
    return a;
}

TAddAnchors AtNode(Tvertex* v)
{
    TAddAnchors a;
    a.kind = TAddAnchors::Node;
    a.node = v;
    return a;
}

TAddAnchors AtWork(Tedge* w, char zone)
{
    TAddAnchors a;
    a.kind = TAddAnchors::Work;
    a.work = w;
    a.zone = zone;
    return a;
}

// A highlighted budget item for the take-over.
class TFakeBudgetItems : public IBudgetItemSource {
public:
    std::optional<Tworkdata> HighlightedItem() const override { return item; }
    void ReleaseHighlight() override
    {
        ++released;
        item.reset();
    }
    std::optional<Tworkdata> item;
    int released = 0;
};

// ---- the boxes while typing ----

struct BoxCase {
    const char* name;
    std::function<void(TWorkdialog&)> act;
    Texts messages;
    std::function<void(const TWorkdialog&)> check;
};

const std::vector<BoxCase> kBoxCases = {
    {"duration: letters are refused and the last edit undone",
     [](TWorkdialog& d) { d.DurationEdited("7"); d.DurationEdited("7a"); },
     {"请输入一个数字"}, [](const TWorkdialog& d) { EXPECT_EQ(d.duration, "7"); }},
    {"duration: a decimal is accepted",
     [](TWorkdialog& d) { d.DurationEdited("2.5"); }, {},
     [](const TWorkdialog& d) { EXPECT_EQ(d.duration, "2.5"); }},
    {"duration: two points in a row are not a number",
     [](TWorkdialog& d) { d.DurationEdited("1..2"); }, {"请输入一个数字"},
     [](const TWorkdialog& d) { EXPECT_EQ(d.duration, "10"); }},
    {"duration: a lone point is not a number",
     [](TWorkdialog& d) { d.DurationEdited("."); }, {"请输入一个数字"},
     [](const TWorkdialog& d) { EXPECT_EQ(d.duration, "10"); }},
    {"duration: an emptied box waits for the next key",
     [](TWorkdialog& d) { d.DurationEdited(""); }, {},
     [](const TWorkdialog& d) { EXPECT_EQ(d.duration, ""); }},
    {"duration: Esc undoes the last accepted edit",
     [](TWorkdialog& d) { d.DurationEdited("12"); d.DurationEscape(); }, {},
     [](const TWorkdialog& d) { EXPECT_EQ(d.duration, "10"); }},
    {"quantity: a wrong entry restores the text it had on entering",
     [](TWorkdialog& d) {
         d.QuantityEdited("12");
         d.QuantityFocused();
         d.QuantityEdited("12x");
     },
     {"请输入一个数字"}, [](const TWorkdialog& d) { EXPECT_EQ(d.quantity, "12"); }},
    {"completion above 100",
     [](TWorkdialog& d) { d.CompletionFocused(); d.CompletionEdited("150"); },
     {"完成率不能大于100！"}, [](const TWorkdialog& d) { EXPECT_EQ(d.completion, "-1"); }},
    {"completion that is not a number",
     [](TWorkdialog& d) { d.CompletionFocused(); d.CompletionEdited("5-"); },
     {"请输入一个数字"}, [](const TWorkdialog& d) { EXPECT_EQ(d.completion, "-1"); }},
    {"completion: a lone minus is left alone and becomes -1 when the box is left",
     [](TWorkdialog& d) {
         d.CompletionFocused();
         d.CompletionEdited("-");
         EXPECT_EQ(d.completion, "-");
         d.CompletionLeft();
     },
     {}, [](const TWorkdialog& d) { EXPECT_EQ(d.completion, "-1"); }},
    {"completion: 100 and negative values are accepted",
     [](TWorkdialog& d) { d.CompletionEdited("100"); d.CompletionEdited("-20"); }, {},
     [](const TWorkdialog& d) { EXPECT_EQ(d.completion, "-20"); }},
    {"daily amount that is not a number",
     [](TWorkdialog& d) {
         d.DailyEdited("3");
         d.AmountFocused(d.resourceInput.daily);
         d.DailyEdited("3..");
     },
     {"请输入一个数字"}, [](const TWorkdialog& d) { EXPECT_EQ(d.resourceInput.daily, "3"); }},
    {"total amount that is not a number",
     [](TWorkdialog& d) {
         d.MeasureChanged(1);
         d.AmountFocused(d.resourceInput.total);
         d.TotalEdited("abc");
     },
     {"请输入一个数字"}, [](const TWorkdialog& d) { EXPECT_EQ(d.resourceInput.total, ""); }},
    {"name: Esc brings back the name it had on entering",
     [](TWorkdialog& d) {
         d.name = "挖土";
         d.NameFocused();
         d.name = "挖土方";
         d.RestoreSaved(d.name);
     },
     {}, [](const TWorkdialog& d) { EXPECT_EQ(d.name, "挖土"); }},
};

TEST(WorkDialogBoxes, RulesMessagesAndTheTextLeftInTheBox)
{
    TScratchFolder dir;
    SetProgramFolders(TProgramFolders::InOneFolder(dir.path));
    for (const BoxCase& c : kBoxCases) {
        SCOPED_TRACE(c.name);
        TNetBuilder b;
        Chain(b);
        TFakeMessages msgs;
        TWorkdialog d;
        d.OpenAdd(*b.net, AtNode(b.N('B')));
        c.act(d);
        EXPECT_EQ(msgs.Texts(), c.messages);
        for (const auto& m : msgs.shown) {
            // the typing messages are plain boxes without caption
            EXPECT_EQ(m.caption, "");
            EXPECT_EQ(m.icon, TMsgIcon::None);
        }
        c.check(d);
    }
    SetProgramFolders(TProgramFolders::InOneFolder("."));
}

TEST(WorkDialogBoxes, DummyAndMilestoneKeepEveryNumberAtZero)
{
    TNetBuilder b;
    Chain(b);
    for (const char* kind : {WorkKind::Dummy, WorkKind::Milestone}) {
        SCOPED_TRACE(kind);
        TFakeMessages msgs;
        TWorkdialog d;
        d.OpenAdd(*b.net, AtNode(b.N('B')));
        d.DurationEdited("6");
        d.KindChanged(kind);
        EXPECT_EQ(d.duration, "0");
        d.DurationEdited("5");
        EXPECT_EQ(d.duration, "0");
        d.DurationEdited("abc");
        EXPECT_EQ(d.duration, "0");
        d.QuantityEdited("30");
        EXPECT_EQ(d.quantity, "0");
        d.CompletionEdited("40");
        EXPECT_EQ(d.completion, "0");
        EXPECT_TRUE(msgs.Texts().empty());
        d.KindChanged(WorkKind::Real);
        d.DurationEdited("5");
        EXPECT_EQ(d.duration, "5");
    }
}

TEST(WorkDialogBoxes, FinishDateGivesWorkingDaysAndIsNeverBeforeTheStart)
{
    TNetBuilder b;
    Chain(b);
    // rest on 2024-03-03 and 03-04: the work that finishes on 03-05 lasts 3 days
    SetRestDays(*b.net, {Stamp(2024, 3, 3), Stamp(2024, 3, 4)});
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenAdd(*b.net, AtNode(b.N('A')));
    d.StartDateChanged(DateNumber(2024, 3, 1));
    d.EndDateFocused();
    EXPECT_EQ(d.endDateMinimum, DateNumber(2024, 3, 1));
    d.EndDateChanged(DateNumber(2024, 3, 5));
    EXPECT_EQ(d.duration, "3");
    EXPECT_TRUE(msgs.Texts().empty());
    d.EndDateChanged(DateNumber(2024, 2, 28));
    EXPECT_EQ(msgs.Texts(), Texts{"完成时间不能小于开始时间！"});
    EXPECT_EQ(msgs.shown[0].caption, "");
    EXPECT_EQ(d.duration, "3");
    EXPECT_EQ(std::floor(d.endDate), DateNumber(2024, 3, 5));
    // a dummy work's duration stays 0 whatever the finish date
    d.KindChanged(WorkKind::Dummy);
    d.EndDateChanged(DateNumber(2024, 3, 9));
    EXPECT_EQ(d.duration, "0");
}

// Every date the dialog shows, on a calendar with Sundays off, against
// dates worked out by hand: the plan, earliest and latest start and finish
// of each work, and the finish following a changed duration, start or
// finish at once. A -3-> B -4-> C and A -2-> C from Friday 2024-03-01;
// Sunday 03-03 and 03-10 are rest days.
TEST(WorkDialogDates, FollowTheWorkingCalendar)
{
    TNetBuilder b;
    b.net->projectStart = Stamp(2024, 3, 1);
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);
    b.Work('A', 'C', 2);
    b.Place();
    SetRestDays(*b.net, {Stamp(2024, 3, 3), Stamp(2024, 3, 10)});
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    auto text = [](double d) { return DateText(d); };

    struct Shown {
        const char* work;
        const char *start, *finish, *es, *ef, *ls, *lf;
    };
    const Shown opened[] = {
        // the last day is the Monday after the rest, not the Sunday
        {"AB", "2024-03-01", "2024-03-04", "2024-03-01", "2024-03-04", "2024-03-01", "2024-03-04"},
        {"BC", "2024-03-05", "2024-03-08", "2024-03-05", "2024-03-08", "2024-03-05", "2024-03-08"},
        {"AC", "2024-03-01", "2024-03-02", "2024-03-01", "2024-03-02", "2024-03-07", "2024-03-08"},
    };
    for (const Shown& c : opened) {
        SCOPED_TRACE(c.work);
        Tedge* w = b.W(c.work);
        TWorkdialog d;
        d.OpenEdit(*b.net, w);
        EXPECT_EQ(text(d.startDate), c.start);
        EXPECT_EQ(text(d.endDate), c.finish);
        EXPECT_EQ(text(d.esDate), c.es);
        EXPECT_EQ(text(d.efDate), c.ef);
        EXPECT_EQ(text(d.lsDate), c.ls);
        EXPECT_EQ(text(d.lfDate), c.lf);
        // the plan dates are the ones the report of the file gives
        EXPECT_EQ(text(d.startDate), DateText(WorkStartDate(*b.net, *w)));
        EXPECT_EQ(text(d.endDate), DateText(WorkFinishDate(*b.net, *w)));
    }

    struct Change {
        const char* what;
        std::function<void(TWorkdialog&)> act;
        const char *duration, *finish, *ef, *lf;
    };
    const Change changes[] = {
        {"five days end on Saturday", [](TWorkdialog& d) { d.DurationEdited("5"); }, "5",
         "2024-03-09", "2024-03-09", "2024-03-09"},
        {"six days skip the Sunday", [](TWorkdialog& d) { d.DurationEdited("6"); }, "6",
         "2024-03-11", "2024-03-11", "2024-03-11"},
        {"a later start moves the finish",
         [](TWorkdialog& d) { d.StartDateChanged(DateNumber(2024, 3, 8)); }, "4", "2024-03-12",
         "2024-03-08", "2024-03-08"},
        {"a picked finish gives working days",
         [](TWorkdialog& d) { d.EndDateChanged(DateNumber(2024, 3, 11)); }, "6", "2024-03-11",
         "2024-03-11", "2024-03-11"},
        {"a finish on the Sunday ends on Saturday",
         [](TWorkdialog& d) { d.EndDateChanged(DateNumber(2024, 3, 10)); }, "5", "2024-03-09",
         "2024-03-09", "2024-03-09"},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        TWorkdialog d;
        d.OpenEdit(*b.net, b.W("BC"));
        c.act(d);
        EXPECT_EQ(d.duration, c.duration);
        EXPECT_EQ(text(d.endDate), c.finish);
        EXPECT_EQ(text(d.efDate), c.ef);
        EXPECT_EQ(text(d.lfDate), c.lf);
    }

    // Drawn from B to the end of working day 7: four working days, 03-05 to 03-08.
    TWorkdialog d;
    d.OpenAdd(*b.net, Points(NodePoint(b.N('B')), GroundAt(*b.net, 7)));
    EXPECT_EQ(d.duration, "4");
    EXPECT_EQ(text(d.startDate), "2024-03-05");
    EXPECT_EQ(text(d.endDate), "2024-03-08");
}

// ---- opening ----

TEST(WorkDialogOpening, AddModeTakesItsDefaultsFromTheAnchors)
{
    TNetBuilder b;
    Chain(b);
    Tpertgra& net = *b.net;
    const double projectDate = DateNumber(2024, 3, 1);
    struct Case {
        const char* name;
        TAddAnchors anchors;
        std::string duration;
        double start;  // date-time number of the start picker, whole days
    };
    const std::vector<Case> cases = {
        {"from a node into empty ground: whole days between the points",
         Points(NodePoint(b.N('B')), GroundAt(net, 8.4, 0)), "6", projectDate + 3},
        {"no distance at all: ten days", Points(GroundAt(net, 2.5), GroundAt(net, 2.5)), "10",
         projectDate + 2},
        {"a node under the end point: ten days",
         Points(GroundAt(net, 1.5, 2), NodePoint(b.N('C'))), "10", projectDate + 1},
        {"at a node", AtNode(b.N('B')), "10", std::nan("")},
        {"at a work", AtWork(b.W("AB"), 'm'), "10", std::nan("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TWorkdialog d;
        d.OpenAdd(net, c.anchors);
        EXPECT_EQ(d.caption, "工作信息(添加工作)");
        EXPECT_EQ(d.mode, 'a');
        EXPECT_EQ(d.duration, c.duration);
        EXPECT_EQ(d.kind, WorkKind::Real);
        EXPECT_EQ(d.quantity, "0");
        EXPECT_EQ(d.completion, "-1");
        EXPECT_EQ(d.kinds, TWorkdialog::OfferedKinds());
        if (!std::isnan(c.start)) {
            EXPECT_EQ(std::floor(d.startDate), c.start);
        }
        EXPECT_EQ(std::floor(d.endDate), std::floor(d.startDate) + std::stod(c.duration) - 1);
        for (double shown : {d.esDate, d.lsDate, d.efDate, d.lfDate})
            EXPECT_EQ(shown, projectDate);
    }
    TWorkdialog d;
    d.OpenAdd(net, Points(NodePoint(b.N('B')), GroundAt(net, 8.4, 0)));
    EXPECT_EQ(d.startNode, b.N('B'));
    EXPECT_EQ(d.endNode, nullptr);
    d.OpenAdd(net, AtWork(b.W("BC"), 'b'));
    EXPECT_EQ(d.work, b.W("BC"));
    EXPECT_EQ(d.zone, 'b');
}

TEST(WorkDialogOpening, EditModeShowsTheWork)
{
    TNetBuilder b;
    Chain(b);
    Tedge* w = b.W("BC");
    Tworkdata& data = *w->data;
    data.name = "砌体工程";
    data.duration = 2.5f;
    data.quantity = 120.456;
    data.unit = "m3";
    data.progress = 0.5;
    data.namePlace = 4;
    data.placeMode = 1;
    data.lineWidth = 3;
    data.lineStyle = "虚线";
    data.lineColor = 0x0000FF;
    data.useCustomColor = true;
    Trecsource r;
    r.number = "R01";
    r.name = "瓦工";
    r.dailyAmount = 4;
    r.totalAmount = 10;
    r.price = 150;
    r.resourceKind = "人力资源";
    data.resources.push_back(r);
    TWorkdialog d;
    d.OpenEdit(*b.net, w);
    EXPECT_EQ(d.caption, "工作信息(修改工作)");
    EXPECT_EQ(d.name, "砌体工程");
    EXPECT_EQ(d.duration, "2.50");
    EXPECT_EQ(d.quantity, "120.46");
    EXPECT_EQ(d.unit, "m3");
    EXPECT_EQ(d.completion, "50");
    EXPECT_EQ(d.namePlace, 4);
    EXPECT_EQ(d.placeMode, 1);
    EXPECT_EQ(d.widthIndex, 2);
    EXPECT_EQ(d.swatchHeight, 3);
    EXPECT_EQ(d.styleIndex, 1);
    EXPECT_TRUE(d.swatchDotted);
    EXPECT_EQ(d.penColor, 0x0000FF);
    EXPECT_TRUE(d.useCustomColor);
    ASSERT_EQ(d.resources.lines.size(), 1u);
    EXPECT_EQ(d.resources.lines[0].number, "R01");
    EXPECT_EQ(d.startDate, WorkStartDate(*b.net, *w));
    EXPECT_EQ(d.endDate, WorkFinishDate(*b.net, *w));
    EXPECT_EQ(std::floor(d.esDate), DateNumber(2024, 3, 4));

    // a width out of range selects the first item; an unoffered kind stays
    data.lineWidth = 0;
    data.kind = WorkKind::TotalDuration;
    d.OpenEdit(*b.net, w);
    EXPECT_EQ(d.widthIndex, 0);
    EXPECT_EQ(d.kind, WorkKind::TotalDuration);
    EXPECT_EQ(d.kinds.back(), WorkKind::TotalDuration);
    EXPECT_EQ(d.kinds.size(), 7u);
}

TEST(WorkDialogOpening, AHighlightedBudgetItemIsTakenOverAndReleasedOnClose)
{
    TNetBuilder b;
    Chain(b);
    TFakeBudgetItems items;
    Tworkdata item;
    item.name = "现浇混凝土柱";
    item.quantity = 1234567.5;
    item.unit = "m3";
    item.category = "0";
    Trecsource labour;
    labour.number = "R001";
    labour.name = "综合工日";
    labour.unit = "工日";
    labour.price = 80;
    labour.totalAmount = 25;
    labour.resourceKind = "人力资源";
    item.resources.push_back(labour);
    items.item = item;

    TWorkdialog d;
    d.OpenEdit(*b.net, b.W("AB"), &items);   // duration 3 in the box
    EXPECT_EQ(d.name, "现浇混凝土柱");
    EXPECT_EQ(d.quantity, "1234567.5");
    EXPECT_EQ(d.unit, "m3");
    ASSERT_EQ(d.resources.lines.size(), 1u);
    const TResourceLine& l = d.resources.lines[0];
    EXPECT_EQ(l.measure, "总量");
    EXPECT_EQ(l.total, "25");
    EXPECT_DOUBLE_EQ(l.dailyValue, 25.0 / 3);
    EXPECT_EQ(l.cost, "2000");
    EXPECT_EQ(l.unit, "工日");
    EXPECT_EQ(items.released, 0);
    d.Close();
    EXPECT_EQ(items.released, 1);

    // confirmed, the work has the item's data but not its category
    items.item = item;
    d.OpenEdit(*b.net, b.W("AB"), &items);
    TFakeMessages msgs;
    EXPECT_EQ(d.Confirm(), TWorkConfirm::Changed);
    EXPECT_EQ(b.W("AB")->data->name, "现浇混凝土柱");
    EXPECT_DOUBLE_EQ(b.W("AB")->data->quantity, 1234567.5);
    EXPECT_EQ(b.W("AB")->data->category, "");
    ASSERT_EQ(b.W("AB")->data->resources.size(), 1u);
    EXPECT_DOUBLE_EQ(b.W("AB")->data->resources[0].totalAmount, 25);

    // no item highlighted: nothing is taken over
    TFakeBudgetItems none;
    d.OpenEdit(*b.net, b.W("BC"), &none);
    EXPECT_EQ(d.name, "BC");
}

// ---- 确定 ----

TEST(WorkDialogConfirm, AnEmptyDurationKeepsTheDialogOpenAndChangesNothing)
{
    TNetBuilder b;
    Chain(b);
    const auto before = b.net->Clone();
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenEdit(*b.net, b.W("AB"));
    d.DurationEdited("");
    EXPECT_EQ(d.Confirm(), TWorkConfirm::StayOpen);
    ASSERT_EQ(msgs.Texts(), Texts{"持续时间不能为空！"});
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    EXPECT_EQ(msgs.shown[0].icon, TMsgIcon::Warning);
    EXPECT_EQ(d.focusBox, TWorkBox::Duration);
    EXPECT_TRUE(b.net->IsSameAs(*before));
    EXPECT_FALSE(b.net->modified);
}

TEST(WorkDialogConfirm, EmptyQuantityAndCompletionBecomeZero)
{
    TNetBuilder b;
    Chain(b);
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenEdit(*b.net, b.W("BC"));
    d.quantity = " ";
    d.completion = "";
    EXPECT_EQ(d.Confirm(), TWorkConfirm::Changed);
    EXPECT_EQ(d.quantity, "0");
    EXPECT_EQ(b.W("BC")->data->quantity, 0);
    EXPECT_DOUBLE_EQ(b.W("BC")->data->progress, 0);
    EXPECT_TRUE(b.net->modified);
}

TEST(WorkDialogConfirm, AddOutOfANodeCarriesEveryField)
{
    TNetBuilder b;
    Chain(b);
    Trecsource r;
    r.number = "C01";
    r.name = "水泥";
    b.W("AB")->data->resources.push_back(r);
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenAdd(*b.net, Points(NodePoint(b.N('C')), GroundAt(*b.net, 12, 0)));
    EXPECT_EQ(d.duration, "5");
    d.name = "屋面防水";
    d.DurationEdited("4");
    d.KindChanged(WorkKind::Suspended);
    d.QuantityEdited("850.5");
    d.unit = "m2";
    d.namePlace = 2;
    d.useCustomStyle = true;
    d.styleIndex = 1;
    d.widthIndex = 4;
    d.resourceInput.number = "C01";
    d.resourceInput.name = "普通水泥";
    d.MeasureChanged(1);
    d.resourceInput.total = "8";
    ASSERT_TRUE(d.AddLine());
    ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
    Tedge* w = d.ConfirmedWork();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->fromNode, b.N('C'));
    EXPECT_EQ(b.net->WorkCount(), 3);
    const Tworkdata& data = *w->data;
    EXPECT_EQ(data.name, "屋面防水");
    EXPECT_FLOAT_EQ(data.duration, 4);
    EXPECT_FLOAT_EQ(data.start, 7);
    EXPECT_EQ(data.kind, WorkKind::Suspended);
    EXPECT_DOUBLE_EQ(data.quantity, 850.5);
    EXPECT_EQ(data.unit, "m2");
    EXPECT_EQ(data.namePlace, 2);
    EXPECT_EQ(data.lineStyle, "虚线");
    EXPECT_EQ(data.lineWidth, 5);
    ASSERT_EQ(data.resources.size(), 1u);
    EXPECT_FLOAT_EQ(data.resources[0].dailyAmount, 2);
    EXPECT_EQ(data.resources[0].measureMode, 0);
    EXPECT_FLOAT_EQ(data.resources[0].endDay, 11);
    // one number, one name across the network
    EXPECT_EQ(b.W("AB")->data->resources[0].name, "普通水泥");
    EXPECT_DOUBLE_EQ(data.progress, -0.01);
    EXPECT_TRUE(b.net->modified);
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST(WorkDialogConfirm, ARefusedMilestoneKeepsTheDialogOpenWithWhatWasTyped)
{
    struct Case {
        const char* name;
        std::function<void(TNetBuilder&)> setup;
        std::function<TAddAnchors(TNetBuilder&)> anchors;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"empty network", [](TNetBuilder&) {},
         [](TNetBuilder&) { return Points({10, 10}, {200, 10}); }, "不能添加里程碑！"},
        {"between two nodes", Chain,
         [](TNetBuilder& b) { return Points(NodePoint(b.N('A')), NodePoint(b.N('C'))); },
         "不能添加里程碑！"},
        {"at a node", Chain, [](TNetBuilder& b) { return AtNode(b.N('B')); }, "不能添加里程碑！"},
        {"at a work", Chain, [](TNetBuilder& b) { return AtWork(b.W("AB"), 'm'); },
         "不能添加里程碑！"},
        {"on empty ground, touching no work", Chain,
         [](TNetBuilder& b) { return Points(GroundAt(*b.net, 1), GroundAt(*b.net, 4)); },
         "此工作不能作为里程碑！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TNetBuilder b;
        b.net->projectStart = Stamp(2024, 3, 1);
        c.setup(b);
        const auto before = b.net->Clone();
        TFakeMessages msgs;
        TWorkdialog d;
        d.OpenAdd(*b.net, c.anchors(b));
        d.name = "主体验收";
        d.QuantityEdited("3");
        d.KindChanged(WorkKind::Milestone);
        EXPECT_EQ(d.Confirm(), TWorkConfirm::StayOpen);
        EXPECT_EQ(msgs.Texts(), Texts{c.message});
        EXPECT_EQ(msgs.shown[0].caption, "警告");
        EXPECT_TRUE(b.net->IsSameAs(*before));
        EXPECT_FALSE(b.net->modified);
        EXPECT_EQ(d.ConfirmedWork(), nullptr);
        EXPECT_EQ(d.name, "主体验收");
        EXPECT_EQ(d.quantity, "3");
        EXPECT_EQ(d.kind, WorkKind::Milestone);
        // another kind, and the same dialog adds the work
        d.KindChanged(WorkKind::Real);
        d.DurationEdited("2");
        EXPECT_EQ(d.Confirm(), TWorkConfirm::Changed);
        ASSERT_NE(d.ConfirmedWork(), nullptr);
        EXPECT_EQ(d.ConfirmedWork()->data->name, "主体验收");
    }
}

TEST(WorkDialogConfirm, AMilestoneAtTheEndOfTheNetworkIsAdded)
{
    TNetBuilder b;
    Chain(b);
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenAdd(*b.net, Points(NodePoint(b.N('C')), GroundAt(*b.net, 9, 0)));
    d.KindChanged(WorkKind::Milestone);
    ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
    EXPECT_TRUE(msgs.Texts().empty());
    EXPECT_EQ(d.ConfirmedWork()->data->kind, WorkKind::Milestone);
    EXPECT_EQ(d.ConfirmedWork()->data->name, "里程碑");
    EXPECT_FLOAT_EQ(d.ConfirmedWork()->data->duration, 0);
}

TEST(WorkDialogConfirm, ANewAuxiliaryWorkNeedsAnotherPathBetweenItsNodes)
{
    const char* kRefused = "辅助工作的前后节点间必须还有其它工作，该工作不能设为辅助工作！";
    TNetBuilder b;
    Chain(b);
    {
        const auto before = b.net->Clone();
        TFakeMessages msgs;
        TWorkdialog d;
        d.OpenAdd(*b.net, Points(NodePoint(b.N('C')), GroundAt(*b.net, 12, 0)));
        d.name = "养护";
        d.KindChanged(WorkKind::Auxiliary);
        EXPECT_EQ(d.Confirm(), TWorkConfirm::StayOpen);
        EXPECT_EQ(msgs.Texts(), Texts{kRefused});
        EXPECT_TRUE(b.net->IsSameAs(*before));
    }
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenAdd(*b.net, Points(NodePoint(b.N('A')), NodePoint(b.N('C'))));
    d.name = "养护";
    d.KindChanged(WorkKind::Auxiliary);
    ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
    EXPECT_TRUE(msgs.Texts().empty());
    const Tworkdata& data = *d.ConfirmedWork()->data;
    EXPECT_EQ(data.kind, WorkKind::Auxiliary);
    EXPECT_EQ(data.name, "养护");
    EXPECT_FLOAT_EQ(data.duration, 7);
}

TEST(WorkDialogConfirm, EditAppliesDurationAndAStartDateThroughTheWorkingTime)
{
    TNetBuilder b;
    b.net->projectStart = Stamp(2024, 3, 1);
    b.Work('A', 'B', 3);
    b.Work('B', 'D', 4);
    b.Work('A', 'C', 2);
    b.Work('C', 'D', 1);
    b.Place();
    b.net->Recalculate();
    // rest on 03-04 and 03-05 (calendar days 3 and 4)
    SetRestDays(*b.net, {Stamp(2024, 3, 4), Stamp(2024, 3, 5)});
    b.net->Recalculate();
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenEdit(*b.net, b.W("CD"));
    d.DurationEdited("2");
    // 2024-03-06 is calendar day 5, working day 3
    d.StartDateChanged(DateNumber(2024, 3, 6));
    ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
    EXPECT_FLOAT_EQ(b.W("CD")->data->duration, 2);
    EXPECT_FLOAT_EQ(b.W("CD")->data->start, 3);
    EXPECT_FLOAT_EQ(b.N('D')->time, 7);

    // a start date before the project start gives start 0 (clamped to the float)
    TNetBuilder c;
    c.net->projectStart = Stamp(2024, 3, 1);
    c.Work('A', 'B', 3);
    c.Work('A', 'C', 5);
    c.Work('B', 'C', 1);
    c.Place();
    c.net->Recalculate();
    c.net->MoveWorkStart(c.W("AB"), 1);
    d.OpenEdit(*c.net, c.W("AB"));
    d.StartDateChanged(DateNumber(2024, 2, 20));
    ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
    EXPECT_FLOAT_EQ(c.W("AB")->data->start, 0);
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST(WorkDialogConfirm, BoxesLeftAsTheyWereKeepTheirExactValues)
{
    TNetBuilder b;
    Chain(b);
    Tworkdata& data = *b.W("BC")->data;
    data.quantity = 1.23456;
    data.progress = 0.33333;
    b.net->ChangeDuration(b.W("BC"), 4.3333f);
    b.net->Recalculate();
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenEdit(*b.net, b.W("BC"));
    EXPECT_EQ(d.duration, "4.33");
    d.name = "新名称";
    ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
    EXPECT_FLOAT_EQ(data.duration, 4.3333f);
    EXPECT_DOUBLE_EQ(data.quantity, 1.23456);
    EXPECT_DOUBLE_EQ(data.progress, 0.33333);
    EXPECT_EQ(data.name, "新名称");
}

TEST(WorkDialogConfirm, CompletionIsPropagatedFromTheWorkItBelongsTo)
{
    // A -> B -> C -> D -> E
    auto chain = [](TNetBuilder& b) {
        b.Work('A', 'B', 2);
        b.Work('B', 'C', 2);
        b.Work('C', 'D', 2);
        b.Work('D', 'E', 2);
        b.Place();
        b.net->Recalculate();
        LayoutNetwork(*b.net);
        for (Tedge* w : b.net->AllWorks()) w->data->progress = 0.2;
    };
    TFakeMessages msgs;
    {
        SCOPED_TRACE("edit: the edited work");
        TNetBuilder b;
        chain(b);
        TWorkdialog d;
        d.OpenEdit(*b.net, b.W("BC"));
        d.CompletionEdited("50");
        ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
        EXPECT_DOUBLE_EQ(b.W("BC")->data->progress, 0.5);
        EXPECT_DOUBLE_EQ(b.W("AB")->data->progress, 1.0);
        EXPECT_DOUBLE_EQ(b.W("CD")->data->progress, -0.01);
        EXPECT_DOUBLE_EQ(b.W("DE")->data->progress, -0.01);
    }
    {
        SCOPED_TRACE("add after a work: the new work, not the anchor");
        TNetBuilder b;
        chain(b);
        TWorkdialog d;
        d.OpenAdd(*b.net, AtWork(b.W("BC"), 'b'));
        d.DurationEdited("1");
        d.CompletionEdited("50");
        ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
        Tedge* w = d.ConfirmedWork();
        EXPECT_DOUBLE_EQ(w->data->progress, 0.5);
        EXPECT_DOUBLE_EQ(b.W("BC")->data->progress, 1.0);
        EXPECT_DOUBLE_EQ(b.W("AB")->data->progress, 1.0);
        EXPECT_DOUBLE_EQ(b.W("CD")->data->progress, -0.01);
    }
    {
        SCOPED_TRACE("a negative ratio is not set and propagates nothing");
        TNetBuilder b;
        chain(b);
        TWorkdialog d;
        d.OpenEdit(*b.net, b.W("BC"));
        d.CompletionEdited("-30");
        ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
        EXPECT_DOUBLE_EQ(b.W("BC")->data->progress, -0.01);
        EXPECT_DOUBLE_EQ(b.W("AB")->data->progress, 0.2);
        EXPECT_DOUBLE_EQ(b.W("CD")->data->progress, 0.2);
    }
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST(WorkDialogConfirm, EditKindChanges)
{
    const char* kAux = "辅助工作的前后节点间必须还有其它工作，该工作不能设为辅助工作！";
    struct Case {
        const char* name;
        const char* work;
        const char* kind;
        TWorkConfirm result;
        Texts messages;
        std::function<void(TNetBuilder&)> check;
    };
    // S -1-> A -3-> B -4-> C, A -2-> C: SA may start the network as a milestone.
    const std::vector<Case> cases = {
        {"milestone where one can stand", "SA", WorkKind::Milestone, TWorkConfirm::Changed, {},
         [](TNetBuilder& b) {
             EXPECT_EQ(b.W("SA")->data->kind, WorkKind::Milestone);
             EXPECT_EQ(b.W("SA")->data->name, "里程碑");
             EXPECT_FLOAT_EQ(b.W("SA")->data->duration, 0);
         }},
        {"milestone where none can stand", "AC", WorkKind::Milestone, TWorkConfirm::StayOpen,
         {"此工作不能作为里程碑！"}, nullptr},
        {"auxiliary with a parallel path", "AC", WorkKind::Auxiliary, TWorkConfirm::Changed, {},
         [](TNetBuilder& b) {
             EXPECT_EQ(b.W("AC")->data->kind, WorkKind::Auxiliary);
             EXPECT_FLOAT_EQ(b.W("AC")->data->duration, 7);
         }},
        {"auxiliary without one", "BC", WorkKind::Auxiliary, TWorkConfirm::StayOpen, {kAux},
         nullptr},
        {"dummy", "AC", WorkKind::Dummy, TWorkConfirm::Changed, {},
         [](TNetBuilder& b) {
             EXPECT_EQ(b.W("AC")->data->kind, WorkKind::Dummy);
             EXPECT_FLOAT_EQ(b.W("AC")->data->duration, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TNetBuilder b;
        b.Work('S', 'A', 1);
        b.Work('A', 'B', 3);
        b.Work('B', 'C', 4);
        b.Work('A', 'C', 2);
        b.Place();
        b.net->Recalculate();
        const auto before = b.net->Clone();
        TFakeMessages msgs;
        TWorkdialog d;
        d.OpenEdit(*b.net, b.W(c.work));
        d.name = "";
        d.DurationEdited("5");
        d.KindChanged(c.kind);
        EXPECT_EQ(d.Confirm(), c.result);
        EXPECT_EQ(msgs.Texts(), c.messages);
        if (c.result == TWorkConfirm::StayOpen) {
            EXPECT_TRUE(b.net->IsSameAs(*before));
            EXPECT_FALSE(b.net->modified);
            EXPECT_EQ(d.kind, c.kind);
            // the kind change itself forced a milestone's duration to 0
            EXPECT_EQ(d.duration, c.kind == std::string(WorkKind::Milestone) ? "0" : "5");
        }
        if (c.check) c.check(b);
    }
}

TEST(WorkDialogConfirm, TheStartNodeMovesRowsOnlyOnConfirmation)
{
    TNetBuilder b;
    Chain(b);
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenEdit(*b.net, b.W("BC"));
    d.UpdownClicked(false);   // already on row 0
    EXPECT_EQ(d.startRowShift, 0);
    d.UpdownClicked(true);
    d.UpdownClicked(true);
    d.UpdownClicked(false);
    EXPECT_EQ(d.startRowShift, 1);
    EXPECT_EQ(b.N('B')->row, 0);   // cancelling here leaves the network alone
    ASSERT_EQ(d.Confirm(), TWorkConfirm::Changed);
    EXPECT_EQ(b.N('B')->row, 1);

    // a dialog without a work has no start node to move
    d.OpenAdd(*b.net, Points(GroundAt(*b.net, 1), GroundAt(*b.net, 3)));
    d.UpdownClicked(true);
    EXPECT_EQ(d.startRowShift, 0);
}

// ---- page 资源 and 统计 ----

TEST(WorkDialogResources, NumberRulesFillTheBoxes)
{
    TNetBuilder b;
    Chain(b);
    Trecsource r;
    r.number = "R07";
    r.name = "钢筋工";
    r.unit = "工日";
    r.price = 95.5f;
    r.resourceKind = "人力资源";
    b.W("AB")->data->resources.push_back(r);
    TWorkdialog d;
    d.OpenAdd(*b.net, AtNode(b.N('B')));
    d.ResourceListsOpened();
    EXPECT_EQ(d.resourceNumbers, Texts{"R07"});
    EXPECT_EQ(d.resourceNames, Texts{"钢筋工"});

    d.ResourceNumberChanged("R07");
    EXPECT_EQ(d.resourceInput.name, "钢筋工");
    EXPECT_EQ(d.resourceInput.unit, "工日");
    EXPECT_EQ(d.resourceInput.price, "95.5");
    EXPECT_EQ(d.resourceInput.kind, "人力资源");

    struct Case {
        const char* number;
        const char* unit;
        const char* kind;
    };
    for (const Case& c : {Case{"R99", "人", "人力资源"}, Case{"C1", "千克", "材料资源"},
                          Case{"J2", "台", "机具资源"}}) {
        SCOPED_TRACE(c.number);
        d.resourceInput.daily = "3";
        d.resourceInput.total = "4";
        d.resourceInput.name = "x";
        d.resourceInput.price = "5";
        d.ResourceNumberChanged(c.number);
        EXPECT_EQ(d.resourceInput.unit, c.unit);
        EXPECT_EQ(d.resourceInput.kind, c.kind);
        EXPECT_EQ(d.resourceInput.name, "");
        EXPECT_EQ(d.resourceInput.price, "");
        EXPECT_EQ(d.resourceInput.daily, "");
        EXPECT_EQ(d.resourceInput.total, "");
    }
    d.resourceInput.name = "x";
    d.ResourceNumberChanged("r99");   // case-sensitive: nothing changes
    EXPECT_EQ(d.resourceInput.name, "x");
    EXPECT_EQ(d.resourceInput.number, "r99");
}

TEST(WorkDialogResources, LinesFollowTheDurationAndTheStatisticsSumByKind)
{
    TNetBuilder b;
    Chain(b);
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenAdd(*b.net, AtNode(b.N('B')));
    d.DurationEdited("4");
    auto add = [&](const char* number, const char* kind, int measure, const char* amount,
                   const char* price) {
        d.resourceInput = TResourceInput();
        d.resourceInput.number = number;
        d.resourceInput.kind = kind;
        d.MeasureChanged(measure);
        (measure == 1 ? d.resourceInput.total : d.resourceInput.daily) = amount;
        d.resourceInput.price = price;
        ASSERT_TRUE(d.AddLine());
    };
    add("R1", "人力资源", 1, "4", "100");    // daily 1
    add("R2", "人力资源", 1, "8", "50");     // daily 2
    add("C1", "材料资源", 0, "5", "5");      // total 20, cost 100
    add("J1", "机具资源", 0, "0.5", "200");  // total 2, cost 400
    add("Q1", "其他资源", 1, "10", "1");     // cost 10
    d.ComputeStatistics();
    const TWorkCostStatistics& s = d.statistics;
    EXPECT_DOUBLE_EQ(s.people, 12);
    EXPECT_DOUBLE_EQ(s.labourDays, 3);
    EXPECT_DOUBLE_EQ(s.labour, 800);
    EXPECT_DOUBLE_EQ(s.material, 100);
    EXPECT_DOUBLE_EQ(s.machinery, 400);
    EXPECT_DOUBLE_EQ(s.other, 10);
    EXPECT_DOUBLE_EQ(s.total, 1310);

    // a new duration: totals stay for "总量" lines, dailies for "平均用量" lines
    d.DurationEdited("8");
    d.RecomputeLines();
    const auto& lines = d.resources.lines;
    EXPECT_EQ(lines[0].daily, "0.5");
    EXPECT_EQ(lines[0].total, "4");
    EXPECT_EQ(lines[2].daily, "5");
    EXPECT_EQ(lines[2].total, "40");
    EXPECT_EQ(lines[2].cost, "200");

    // a zero duration written as "0.0" divides nothing
    d.DurationEdited("0.0");
    d.ComputeStatistics();
    EXPECT_EQ(lines[0].daily, "0");
    EXPECT_EQ(lines[0].total, "4");
    EXPECT_EQ(lines[2].total, "0");
    EXPECT_DOUBLE_EQ(d.statistics.labourDays, 0);
    EXPECT_TRUE(std::isfinite(d.statistics.total));
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST(WorkDialogResources, LeavingTheTotalBoxDerivesTheDailyAmount)
{
    TNetBuilder b;
    Chain(b);
    TWorkdialog d;
    d.OpenAdd(*b.net, AtNode(b.N('B')));
    d.MeasureChanged(1);
    EXPECT_TRUE(d.totalEnabled);
    EXPECT_FALSE(d.dailyEnabled);
    d.DurationEdited("4");
    d.TotalEdited("");
    d.TotalLeft();
    EXPECT_EQ(d.resourceInput.total, "0");
    EXPECT_EQ(d.resourceInput.daily, "0");
    d.TotalEdited("10");
    d.TotalLeft();
    EXPECT_EQ(d.resourceInput.daily, "2.5");
    for (const char* zero : {"0", "0.0", "00", "0."}) {
        SCOPED_TRACE(zero);
        d.DurationEdited(zero);
        d.TotalLeft();
        EXPECT_EQ(d.resourceInput.daily, "0");
    }
    d.MeasureChanged(0);
    EXPECT_TRUE(d.dailyEnabled);
    EXPECT_FALSE(d.totalEnabled);
}

TEST(WorkDialogResources, PageRefusalsSelectionAndDeletion)
{
    TNetBuilder b;
    Chain(b);
    // The layout has already grown the store to the plan's days, empty.
    auto& days = b.net->customResourceDays;
    if (days.empty()) days.resize(1);
    days[0] = std::make_unique<Trecsource>();
    days[0]->number = "Z1";
    TFakeMessages msgs;
    TWorkdialog d;
    d.OpenAdd(*b.net, AtNode(b.N('B')));
    d.resourceInput.number = "";
    EXPECT_FALSE(d.AddLine());
    d.resourceInput.number = "Z1";
    EXPECT_FALSE(d.AddLine());
    d.resourceInput.number = "R1";
    d.resourceInput.daily = "2";
    EXPECT_TRUE(d.AddLine());
    EXPECT_FALSE(d.AddLine());
    d.resourceInput.number = "R2";
    d.MeasureChanged(1);
    d.resourceInput.total = "6";
    EXPECT_TRUE(d.AddLine());
    EXPECT_FALSE(d.ModifyLine());   // nothing selected
    d.KindChanged(WorkKind::Dummy);
    d.resourceInput.number = "R3";
    EXPECT_FALSE(d.AddLine());
    EXPECT_EQ(msgs.Texts(), (Texts{"资源编号不能为空!", "该资源编号为自定义资源使用!", "此资源已存在",
                                  "请先选择要修改的资源!", "该工作不能添加工作!"}));

    d.SelectLine(1);
    EXPECT_EQ(d.resourceInput.number, "R2");
    EXPECT_EQ(d.resourceInput.measure, "总量");
    EXPECT_TRUE(d.totalEnabled);
    d.SelectLine(0);
    EXPECT_EQ(d.resourceInput.measure, "平均用量");
    EXPECT_TRUE(d.dailyEnabled);
    EXPECT_EQ(d.resourceInput.daily, "2");

    msgs.shown.clear();
    msgs.answers = {TMsgAnswer::No};
    EXPECT_FALSE(d.DeleteLine());
    EXPECT_EQ(d.resources.lines.size(), 2u);
    ASSERT_EQ(msgs.Texts(), Texts{"真的要删除吗?"});
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    EXPECT_EQ(msgs.shown[0].buttons, TMsgButtons::YesNo);
    EXPECT_TRUE(d.DeleteLine());
    ASSERT_EQ(d.resources.lines.size(), 1u);
    EXPECT_EQ(d.resources.lines[0].number, "R2");
    EXPECT_EQ(d.selectedLine, -1);
    EXPECT_EQ(d.resourceInput.number, "");
    EXPECT_EQ(d.resourceInput.kind, "");
    msgs.shown.clear();
    EXPECT_FALSE(d.DeleteLine());   // nothing selected: no question
    EXPECT_TRUE(msgs.Texts().empty());
}

// ---- name box, common names and keyboard layout ----

class WorkDialogFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folders = TProgramFolders::InOneFolder(program.path);
        folders.settingsDir = settings.path;
        SetProgramFolders(folders);
        SetKeyboardLayouts(&layouts);
    }
    void TearDown() override
    {
        SetKeyboardLayouts(nullptr);
        SetProgramFolders(TProgramFolders::InOneFolder("."));
    }
    TScratchFolder program, settings;
    TProgramFolders folders;
    TRememberedKeyboardLayout layouts;
};

TEST_F(WorkDialogFiles, TheNameListComesFromTheShippedListUntilTheUserSavesOne)
{
    WriteText(program.File("workbook.txt"), "土方开挖\r\n\r\n基础垫层\r\n");
    TNetBuilder b;
    Chain(b);
    TWorkdialog d;
    d.OpenAdd(*b.net, AtNode(b.N('B')));
    d.NameListOpened();
    EXPECT_EQ(d.names, (Texts{"土方开挖", "基础垫层"}));
    d.name = "基础垫层";
    EXPECT_FALSE(d.SaveNameToWorkbook());   // already listed: nothing written
    EXPECT_FALSE(FileExists(settings.File("workbook.txt")));
    d.name = "砌体工程";
    EXPECT_TRUE(d.SaveNameToWorkbook());
    EXPECT_EQ(FileText(settings.File("workbook.txt")), "土方开挖\n\n基础垫层\n砌体工程\n");
    d.NameListOpened();
    EXPECT_EQ(d.names, (Texts{"土方开挖", "基础垫层", "砌体工程"}));
    d.name = "  ";
    EXPECT_FALSE(d.SaveNameToWorkbook());
}

TEST_F(WorkDialogFiles, TheNameBoxRemembersTheKeyboardLayout)
{
    TNetBuilder b;
    Chain(b);
    TWorkdialog d;
    d.OpenAdd(*b.net, AtNode(b.N('B')));
    // no settings file yet: nothing is switched
    layouts.id = 7;
    d.NameFocused();
    EXPECT_EQ(layouts.id, 7);
    d.NameLeft();
    TIniFile ini(folders.SettingsFile());
    EXPECT_EQ(ini.ReadString("imename", "namecob"), "7");
    struct Case {
        const char* stored;
        int64_t active;
    };
    for (const Case& c : {Case{"134481924", 134481924}, Case{"-536575996", -536575996},
                          Case{" 42 ", 42}, Case{"0x0804", 3}, Case{"中文", 3}, Case{"", 3},
                          Case{"99999999999999999999", 3}}) {
        SCOPED_TRACE(c.stored);
        ini.WriteString("imename", "namecob", c.stored);
        layouts.id = 3;
        d.NameFocused();
        EXPECT_EQ(layouts.id, c.active);
    }
    ini.WriteString("menuname", "file1", "/工程/a.prt");
    layouts.id = 11;
    d.NameLeft();
    EXPECT_EQ(ini.ReadString("imename", "namecob"), "11");
    EXPECT_EQ(ini.ReadString("menuname", "file1"), "/工程/a.prt");
}

// ---- helpers ----

TEST(WorkDialogNumbers, BoxValuesAndTexts)
{
    struct Case {
        const char* text;
        std::optional<double> box;
        std::optional<double> completion;
    };
    const Case cases[] = {
        {"5", 5, 5},       {"2.5", 2.5, 2.5},  {"0.0", 0, 0},          {"00", 0, 0},
        {"5.", 5, 5},      {".5", 0.5, 0.5},   {".", {}, {}},          {"1..2", {}, {}},
        {"1.2.3", {}, {}}, {"", {}, {}},       {"-5", {}, -5},         {"-", {}, {}},
        {"1e3", {}, {}},   {"abc", {}, {}},    {" 7 ", 7, 7},          {"--1", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TWorkdialog::BoxValue(c.text), c.box);
        EXPECT_EQ(TWorkdialog::CompletionValue(c.text), c.completion);
    }
    for (double v : {0.0, 1.0, 2.5, 1234567.25, 0.1, 1e-7, 1e20, 10.0 / 3}) {
        SCOPED_TRACE(v);
        const std::string t = TWorkdialog::BoxText(v);
        EXPECT_EQ(t.find('e'), std::string::npos);
        EXPECT_EQ(TWorkdialog::BoxValue(t), v);
    }
}

}  // namespace
