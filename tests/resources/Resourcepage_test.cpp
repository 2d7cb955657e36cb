// The page 资源图设置 and the dialog 资源用量 over their state classes.
#include <gtest/gtest.h>

#include "drawing/Displaysettings.h"
#include "drawing/Drawtest.h"
#include "model/Pertgra.h"
#include "resources/Resourcecatalogue.h"
#include "resources/Resourcepage.h"
#include "resources/Resourceusage.h"
#include "schedule/Perttime_out.h"
#include "support/Fakemessages.h"

namespace {

Trecsource Line(const char* number, const char* name, float daily)
{
    Trecsource r;
    r.number = number;
    r.name = name;
    r.unit = "吨";
    r.dailyAmount = daily;
    r.measureMode = 1;
    return r;
}

// Two works (days 0-3 and 4-5) using W2 and W1, a custom ZB on day 1.
struct TPlan {
    TNetBuilder b = DatedBuilder();
    TPlan()
    {
        b.Work('a', 'b', 4)->data->resources = {Line("W2", "水泥", 2)};
        b.Work('b', 'c', 2)->data->resources = {Line("W1", "钢筋", 3), Line("W2", "水泥", 1)};
        b.Place();
        b.net->Recalculate();
        for (Tedge* w : b.net->AllWorks())
            for (Trecsource& r : w->data->resources) r.totalAmount = r.dailyAmount * w->data->duration;
        b.net->customResourceDays.resize(6);
        auto e = std::make_unique<Trecsource>(Line("ZB", "吊车", 1));
        b.net->customResourceDays[1] = std::move(e);
        b.net->shownResources = {"W2"};
        b.net->modified = false;
    }
    Tpertgra& Net() { return *b.net; }
};

TEST(ResourcePage, ListsAddRemoveAndTheirMessages)
{
    TPlan p;
    TFakeMessages msgs;
    Tresourcepage page;
    page.Load(p.Net());
    ASSERT_EQ(page.work.size(), 2u);
    EXPECT_EQ(page.work[0].number, "W1");   // sorted by number
    ASSERT_EQ(page.custom.size(), 1u);
    EXPECT_EQ(page.custom[0].name, "吊车");
    ASSERT_EQ(page.shown.size(), 1u);
    EXPECT_EQ(page.shown[0].name, "水泥");
    EXPECT_EQ(page.shown[0].mode, "画直线");

    EXPECT_FALSE(page.Add(-1, -1));
    EXPECT_FALSE(page.Add(-1, 1));   // W2 already shown
    EXPECT_TRUE(page.Add(0, 0));     // the custom selection wins
    EXPECT_TRUE(page.Add(-1, 0));
    EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{"请选择要画的资源！", "该资源已加入！"}));
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    ASSERT_EQ(page.shown.size(), 3u);
    EXPECT_EQ(page.shown[1].number, "ZB");
    page.Remove(0);
    EXPECT_EQ(page.shown[0].number, "ZB");
    page.Remove(7);   // nothing selected: nothing happens
    EXPECT_EQ(page.shown.size(), 2u);
}

TEST(ResourcePage, PurgeAsksAndDeletesOnConfirmation)
{
    TPlan p;
    TFakeMessages msgs;
    Tresourcepage page;
    page.Load(p.Net());
    page.Add(0, -1);
    EXPECT_FALSE(page.Purge(-1));
    msgs.answers = {TMsgAnswer::No};
    EXPECT_FALSE(page.Purge(0));
    EXPECT_EQ(page.custom.size(), 1u);
    EXPECT_TRUE(page.Purge(0));
    EXPECT_EQ(msgs.Texts(),
              (std::vector<std::string>{"请先选择要删除的资源！", "真的要删除吗?", "真的要删除吗?"}));
    EXPECT_EQ(msgs.shown[1].icon, TMsgIcon::Question);
    EXPECT_TRUE(page.custom.empty());
    ASSERT_EQ(page.shown.size(), 1u) << "gone from the shown list too";
    // Nothing changes before 确定.
    EXPECT_NE(p.Net().customResourceDays[1], nullptr);
    EXPECT_TRUE(page.Apply(p.Net()));
    EXPECT_EQ(p.Net().customResourceDays[1], nullptr);
    EXPECT_EQ(p.Net().customResourceDays.size(), 6u);
}

TEST(ResourcePage, ApplySetsModesOfEveryEntryAndMarksAModeChange)
{
    TPlan p;
    Tresourcepage page;
    page.Load(p.Net());
    EXPECT_FALSE(page.Apply(p.Net())) << "an unchanged page changes nothing";
    EXPECT_FALSE(p.Net().modified);
    page.SetMode(0, "画直方图");
    page.SetMode(0, "画圆");   // not a mode: kept
    EXPECT_EQ(page.shown[0].mode, "画直方图");
    EXPECT_TRUE(page.Apply(p.Net()));
    EXPECT_TRUE(p.Net().modified);
    for (Trecsource* e : EntriesForNumber(p.Net(), "W2")) EXPECT_EQ(e->drawMode, 1);
    EXPECT_EQ(EntriesForNumber(p.Net(), "W1")[0]->drawMode, 0);

    page.Load(p.Net());
    page.height = 0;
    page.divisions = 0;
    page.fillStyle = 2;
    page.inNetwork = false;
    EXPECT_TRUE(page.Apply(p.Net()));
    EXPECT_EQ(p.Net().displaySettings.resourceHeight, 0) << "stored as given";
    EXPECT_EQ(p.Net().displaySettings.resourceScaleCount, 0);
    EXPECT_EQ(p.Net().resourceScreenBrush.style, 2);
    EXPECT_FALSE(p.Net().resourceDiagramInNetwork);
}

TEST(ResourceUsage, TotalsPeriodsAndRatio)
{
    TPlan p;
    TFakeMessages msgs;
    Tresourceusage u;
    u.Load(p.Net());
    ASSERT_EQ(u.rows.size(), 2u);
    EXPECT_EQ(u.rows[0].number, "W1");
    EXPECT_EQ(u.startDate, p.Net().projectStart);
    EXPECT_FALSE(u.Compute(p.Net(), -1));
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"选择要显示的资源！"});
    u.Select(p.Net(), 1);
    EXPECT_EQ(u.totalText, "10");   // 2 x 4 + 1 x 2
    struct Row {
        int fromDay, toDay;
        const char* period;
        const char* ratio;
    } rows[] = {
        {0, 0, "2", "0.2"},     // one day: the end date's day counts
        {3, 4, "3", "0.3"},     // day 3 of the first work, day 4 of the second
        {0, 5, "10", "1"},
    };
    for (const Row& r : rows) {
        u.startDate = p.Net().projectStart + r.fromDay * 86400;
        u.endDate = p.Net().projectStart + r.toDay * 86400;
        ASSERT_TRUE(u.Compute(p.Net(), 1));
        EXPECT_EQ(u.periodText, r.period) << r.fromDay;
        EXPECT_EQ(u.ratioText, r.ratio) << r.fromDay;
    }
    // A resource whose total is 0 gives a ratio of 0.
    for (Tedge* w : p.Net().AllWorks())
        for (Trecsource& l : w->data->resources) l.totalAmount = 0;
    ASSERT_TRUE(u.Compute(p.Net(), 1));
    EXPECT_EQ(u.ratioText, "0");
}

TEST(ResourceUsage, RestDaysAreLeftOutOfTheDatedPeriod)
{
    // 2007-03-02 is a rest day: the second working day falls on 03-03.
    TPlan p;
    p.Net().restIntervals.Add({Stamp(2007, 3, 2), Stamp(2007, 3, 3)});
    p.Net().Recalculate();
    Tresourceusage u;
    u.Load(p.Net());
    u.startDate = Stamp(2007, 3, 2);
    u.endDate = Stamp(2007, 3, 2);
    ASSERT_TRUE(u.Compute(p.Net(), 1));
    EXPECT_EQ(u.periodText, "0") << "nothing is used on a rest day";
    u.startDate = u.endDate = Stamp(2007, 3, 3);
    ASSERT_TRUE(u.Compute(p.Net(), 1));
    EXPECT_EQ(u.periodText, "2");
}

}  // namespace
