// Work resources, the custom store and the resource page rules.
#include <gtest/gtest.h>

#include "resources/Resourcecatalogue.h"
#include "resources/Resourcelines.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

Trecsource Res(const char* number, const char* kind, float daily, double total, int mode)
{
    Trecsource r;
    r.number = number;
    r.name = std::string("资源") + number;
    r.resourceKind = kind;
    r.dailyAmount = daily;
    r.totalAmount = total;
    r.measureMode = mode;
    return r;
}

std::unique_ptr<Trecsource> Custom(const char* number, float daily, std::unique_ptr<Trecsource> next = nullptr)
{
    auto e = std::make_unique<Trecsource>();
    e->number = number;
    e->dailyAmount = daily;
    e->next = std::move(next);
    return e;
}

TEST(RecomputeAmounts, FollowTheDurationPerMeasureMode)
{
    struct Row {
        float duration;
        int mode;
        float daily;
        double total;
        float wantDaily;
        double wantTotal;
    } rows[] = {
        {4, 0, 0, 10, 2.5f, 10},   // total given
        {4, 1, 3, 0, 3, 12},       // daily given
        {0, 0, 7, 10, 0, 10},      // zero duration, total given: daily 0
        {0, 1, 3, 9, 3, 0},        // zero duration, daily given: total 0
    };
    for (const Row& r : rows) {
        Tworkdata d;
        d.duration = r.duration;
        d.resources.push_back(Res("R1", "材料资源", r.daily, r.total, r.mode));
        RecomputeAmounts(d);
        EXPECT_FLOAT_EQ(d.resources[0].dailyAmount, r.wantDaily);
        EXPECT_DOUBLE_EQ(d.resources[0].totalAmount, r.wantTotal);
    }
}

TEST(WorkResourceAmount, LabourIsRoundedUp)
{
    Tworkdata d;
    d.duration = 3;
    d.resources.push_back(Res("L1", "人力资源", 1.2f, 0, 1));
    d.resources.push_back(Res("M1", "材料资源", 1.2f, 0, 1));
    EXPECT_DOUBLE_EQ(WorkResourceAmount(d, "L1", 1), 4);
    EXPECT_NEAR(WorkResourceAmount(d, "M1", 1), 3.6, 1e-6);
    EXPECT_DOUBLE_EQ(WorkResourceAmount(d, "L1", 0), 2);
    EXPECT_DOUBLE_EQ(WorkResourceAmount(d, "X", 1), 0);
}

TEST(Catalogue, FirstEntryPerNumberAndUsage)
{
    TNetBuilder b;
    Tedge* a = b.Work('A', 'B', 2);
    Tedge* c = b.Work('B', 'C', 4);
    a->data->resources.push_back(Res("R1", "材料资源", 2, 4, 1));
    c->data->resources.push_back(Res("R1", "材料资源", 1, 4, 1));
    c->data->resources.push_back(Res("R2", "人力资源", 3, 12, 1));
    c->data->start = 2;
    auto cat = WorkResourceCatalogue(*b.net);
    ASSERT_EQ(cat.size(), 2u);
    EXPECT_EQ(cat[0].number, "R1");
    EXPECT_FLOAT_EQ(cat[0].dailyAmount, 2);
    EXPECT_DOUBLE_EQ(TotalUsage(*b.net, "R1"), 8);
    // days 1..3 overlap A->B on [1,2] (1 day x 2) and B->C on [2,3] (1 day x 1)
    EXPECT_DOUBLE_EQ(PeriodUsage(*b.net, "R1", 1, 3), 3);
    RenameResource(*b.net, "R1", "钢筋");
    EXPECT_EQ(a->data->resources[0].name, "钢筋");
    EXPECT_EQ(c->data->resources[0].name, "钢筋");
    EXPECT_EQ(AllWorkResourceEntries(*b.net).size(), 3u);
}

TEST(CustomStore, NumbersEntriesAndDeletion)
{
    Tpertgra net;
    net.customResourceDays.push_back(Custom("Z1", 1, Custom("Z2", 2)));
    net.customResourceDays.push_back(nullptr);
    net.customResourceDays.push_back(Custom("Z2", 5, Custom("Z1", 3)));
    EXPECT_EQ(CustomNumbers(net), (std::vector<std::string>{"Z1", "Z2"}));
    auto z1 = EntriesForNumber(net, "Z1");
    ASSERT_EQ(z1.size(), 2u);
    EXPECT_FLOAT_EQ(z1[0]->dailyAmount, 1);
    EXPECT_FLOAT_EQ(z1[1]->dailyAmount, 3);
    EXPECT_FLOAT_EQ(FindInDays(net.customResourceDays, "Z2")->dailyAmount, 2);
    DeleteCustomResource(net, "Z1");
    EXPECT_EQ(FindInDays(net.customResourceDays, "Z1"), nullptr);
    EXPECT_EQ(net.customResourceDays[0]->number, "Z2");
    EXPECT_EQ(net.customResourceDays[2]->next, nullptr);
}

TEST(CustomStore, ResizingOnlyGrowsSoShorteningKeepsUsages)
{
    Tpertgra net;
    ResizeCustomDays(net, 10);
    net.customResourceDays[8] = Custom("Z1", 4);
    ResizeCustomDays(net, 5);   // the plan got shorter
    ResizeCustomDays(net, 10);  // and longer again
    ASSERT_EQ(net.customResourceDays.size(), 10u);
    ASSERT_NE(net.customResourceDays[8], nullptr);
    EXPECT_FLOAT_EQ(net.customResourceDays[8]->dailyAmount, 4);
}

TEST(CustomStore, StoringOverAPeriod)
{
    Tpertgra net;
    ResizeCustomDays(net, 4);
    TCustomResourceEntry e;
    e.number = "Z1";
    e.name = "混凝土";
    e.unit = "m3";
    e.dailyAmount = 6;
    e.startDate = net.projectStart + 3 * 86400;
    e.endDate = net.projectStart + 5 * 86400 + 3600;
    StoreCustomResource(net, e);
    // days 3..5 on a 4-day store: only day 3
    for (int d : {0, 1, 2}) EXPECT_EQ(net.customResourceDays[size_t(d)], nullptr);
    ASSERT_NE(net.customResourceDays[3], nullptr);
    EXPECT_FLOAT_EQ(net.customResourceDays[3]->dailyAmount, 6);
    EXPECT_EQ(net.shownResources, std::vector<std::string>{"Z1"});

    // an overlapping period overwrites the amount there and renames everywhere
    e.name = "砂浆";
    e.dailyAmount = 2;
    e.startDate = net.projectStart + 2 * 86400;
    e.endDate = net.projectStart + 2 * 86400;
    StoreCustomResource(net, e);
    EXPECT_FLOAT_EQ(net.customResourceDays[2]->dailyAmount, 2);
    EXPECT_FLOAT_EQ(net.customResourceDays[3]->dailyAmount, 6);
    EXPECT_EQ(net.customResourceDays[3]->name, "砂浆");
    EXPECT_EQ(net.shownResources.size(), 1u);
}

TEST(CustomStore, NumberRulesOfTheDialog)
{
    EXPECT_EQ(NormalizeCustomNumber("A1"), "ZA1");
    EXPECT_EQ(NormalizeCustomNumber("za1"), "ZA1");
    EXPECT_EQ(NormalizeCustomNumber(""), "");
    TFakeMessages messages;
    TNetBuilder b;
    b.Work('A', 'B', 2)->data->resources.push_back(Res("Z9", "材料资源", 1, 2, 1));
    EXPECT_FALSE(CheckCustomNumber(*b.net, ""));
    EXPECT_FALSE(CheckCustomNumber(*b.net, "Z9"));
    EXPECT_TRUE(CheckCustomNumber(*b.net, "Z1"));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"资源编号不能为空!", "该资源编号已被工作资源使用!"}));
    EXPECT_EQ(messages.shown[1].caption, "警告");
}

TEST(ResourceLines, AddRefusalsAndAmounts)
{
    TFakeMessages messages;
    Tpertgra net;
    net.customResourceDays.push_back(Custom("Z1", 1));
    TWorkResourceLines page;
    TResourceInput in;
    in.number = "R1";
    in.measure = "总量";
    in.total = "12";
    in.price = "";
    EXPECT_FALSE(page.Add(net, in, WorkKind::Dummy, "4"));
    EXPECT_TRUE(page.Add(net, in, WorkKind::Real, "4"));
    EXPECT_FALSE(page.Add(net, in, WorkKind::Real, "4"));
    TResourceInput custom = in;
    custom.number = "Z1";
    EXPECT_FALSE(page.Add(net, custom, WorkKind::Real, "4"));
    TResourceInput empty = in;
    empty.number = "";
    EXPECT_FALSE(page.Add(net, empty, WorkKind::Real, "4"));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"该工作不能添加工作!", "此资源已存在",
                                                          "该资源编号为自定义资源使用!", "资源编号不能为空!"}));
    EXPECT_EQ(messages.shown[1].caption, "");   // the plain one
    ASSERT_EQ(page.lines.size(), 1u);
    EXPECT_EQ(page.lines[0].daily, "3");
    EXPECT_EQ(page.lines[0].price, "0");

    TResourceInput perDay;
    perDay.number = "R2";
    perDay.measure = "平均用量";
    perDay.daily = "2.5";
    perDay.price = "10";
    EXPECT_TRUE(page.Add(net, perDay, WorkKind::Real, "4"));
    EXPECT_EQ(page.lines[1].total, "10");
    EXPECT_EQ(page.lines[1].cost, "100");
    EXPECT_DOUBLE_EQ(page.TotalCost(), 100);
}

TEST(ResourceLines, ZeroDurationGuardUsesTheParsedValue)
{
    TFakeMessages quiet;
    Tpertgra net;
    TWorkResourceLines page;
    TResourceInput in;
    in.number = "R1";
    in.total = "12";
    EXPECT_TRUE(page.Add(net, in, WorkKind::Real, "0.0"));
    EXPECT_EQ(page.lines[0].daily, "0");
}

TEST(ResourceLines, ModifyChecks)
{
    TFakeMessages messages;
    Tpertgra net;
    TWorkResourceLines page;
    TResourceInput in;
    in.number = "R1";
    in.total = "4";
    EXPECT_FALSE(page.Modify(in, -1, "2"));   // no lines: nothing happens
    EXPECT_TRUE(messages.shown.empty());
    page.Add(net, in, WorkKind::Real, "2");
    in.number = "R2";
    page.Add(net, in, WorkKind::Real, "2");
    EXPECT_FALSE(page.Modify(in, -1, "2"));
    in.number = "R1";
    EXPECT_FALSE(page.Modify(in, 1, "2"));
    in.number = "";
    EXPECT_FALSE(page.Modify(in, 1, "2"));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"请先选择要修改的资源!", "此资源已存在!", "资源编号不能为空!"}));
    in.number = "R3";
    in.total = "8";
    EXPECT_TRUE(page.Modify(in, 1, "2"));
    EXPECT_EQ(page.lines[1].number, "R3");
    EXPECT_EQ(page.lines[1].daily, "4");
    EXPECT_TRUE(page.Remove(0));
    EXPECT_EQ(page.lines.size(), 1u);
}

TEST(ResourceLines, ConfirmRebuildsExactValuesAndRenames)
{
    TNetBuilder b;
    Tedge* a = b.Work('A', 'B', 3);
    Tedge* c = b.Work('B', 'C', 2);
    c->data->resources.push_back(Res("R1", "材料资源", 1, 2, 1));
    a->data->start = 1;
    a->data->resources.push_back(Res("R1", "材料资源", 1234567.0f, 3703701, 1));
    TWorkResourceLines page = TWorkResourceLines::FromWork(*a->data);
    EXPECT_EQ(page.lines[0].daily, "1.23457e+06");   // shown with six digits
    page.lines[0].name = "钢管";
    page.ApplyTo(*b.net, *a->data);
    ASSERT_EQ(a->data->resources.size(), 1u);
    const Trecsource& r = a->data->resources[0];
    EXPECT_FLOAT_EQ(r.dailyAmount, 1234567.0f);   // kept exactly
    EXPECT_DOUBLE_EQ(r.totalAmount, 3703701);
    EXPECT_EQ(r.measureMode, 1);
    EXPECT_FLOAT_EQ(r.startDay, 1);
    EXPECT_FLOAT_EQ(r.endDay, 4);
    EXPECT_EQ(c->data->resources[0].name, "钢管");
}

}
