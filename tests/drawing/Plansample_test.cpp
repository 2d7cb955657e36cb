#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "drawing/Drawtest.h"
#include "drawing/Durinterval_x.h"
#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"
#include "support/Fakemessages.h"
#include "support/Plangen.h"

namespace {

// The 60-work sample of the picture export (tests/data/plan60.prt): a
// generated plan with the names of building works, starting on Friday
// 2024-03-01, every weekend and the two holidays of spring as rest days.
std::unique_ptr<Tpertgra> Plan60()
{
    TPlanShape shape;
    shape.works = 60;
    shape.seed = 6;
    shape.startNodes = 3;
    shape.milestoneShare = 0.04;
    shape.auxiliaryShare = 0.04;
    auto net = GeneratePlan(shape);
    net->title = "综合楼土建工程进度网络计划图";
    net->projectStart = Stamp(2024, 3, 1);
    net->progressDate = net->showStart = net->showEnd = net->projectStart;
    const std::vector<std::string> names{
        "施工准备", "场地平整", "测量放线", "基坑开挖", "基底验槽", "垫层浇筑", "基础钢筋",
        "基础模板", "基础混凝土", "地下防水", "基坑回填", "一层柱钢筋", "一层柱模板",
        "一层柱混凝土", "一层梁板模板", "一层梁板钢筋", "一层梁板混凝土", "二层柱钢筋",
        "二层柱模板", "二层柱混凝土", "二层梁板模板", "二层梁板钢筋", "二层梁板混凝土",
        "三层柱钢筋", "三层柱模板", "三层柱混凝土", "三层梁板模板", "三层梁板钢筋",
        "三层梁板混凝土", "屋面结构", "一层砌体", "二层砌体", "三层砌体", "屋面保温",
        "屋面防水", "水电预埋", "给排水安装", "电气配管", "外墙脚手架", "外墙抹灰",
        "外墙涂料", "门窗安装", "内墙抹灰", "楼地面", "吊顶", "内墙涂料", "卫生间防水",
        "设备安装", "消防管道", "弱电布线", "散水台阶", "室外管网", "道路硬化", "绿化",
        "灯具安装", "卫浴安装", "系统调试", "清理场地", "竣工验收", "资料整理"};
    const std::vector<std::string> milestones{"基础验收", "主体封顶", "竣工"};
    const std::vector<std::string> auxiliaries{"材料进场", "机械进场"};
    size_t k = 0, m = 0, a = 0;
    for (const auto& v : net->nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w->data->kind == WorkKind::Real) w->data->name = names[k++ % names.size()];
            else if (w->data->IsMilestone()) w->data->name = milestones[m++ % milestones.size()];
            else if (w->data->IsAuxiliary()) w->data->name = auxiliaries[a++ % auxiliaries.size()];
            else w->data->name.clear();
        }
    // Works of at least three days, so that a name has room over its line
    // at 20 units a day; node times and starts follow in creation order,
    // which is a topological order.
    for (const auto& v : net->nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->data->kind == WorkKind::Real && w->data->duration < 3) w->data->duration += 2;
    for (const auto& v : net->nodes) {
        if (v->inCount == 0) continue;
        float t = 0;
        for (Tedge* w : net->WorksInto(v.get()))
            if (!w->data->IsAuxiliary()) t = std::max(t, w->fromNode->time + w->data->duration);
        v->time = t;
    }
    // Auxiliary works and milestones (with their own start nodes) on rows of
    // their own under the plan.
    int32_t row = 0;
    for (const auto& v : net->nodes) {
        row = std::max(row, v->row);
        for (Tedge* w = v->firstWork; w; w = w->nextWork) row = std::max(row, w->row);
    }
    for (const auto& v : net->nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            w->data->start = v->time;
            if (w->data->IsAuxiliary()) {
                w->data->duration = w->toNode->time - v->time;
                w->row = ++row;
            } else if (w->data->IsMilestone()) {
                w->row = v->row = ++row;
            }
        }
    net->timeScale.dayWidth = 20;
    // Weekends from March to August, and 4-6 April and 1-5 May.
    std::vector<int32_t> rest;
    for (int64_t s = net->projectStart; s < Stamp(2024, 9, 1); s += kSecondsPerDay) {
        const int32_t wd = WeekdayOfStamp(s);
        if (wd == 0 || wd == 6) rest.push_back(int32_t(s));
    }
    for (int d : {4, 5, 6}) rest.push_back(Stamp(2024, 4, d));
    for (int d : {1, 2, 3, 4, 5}) rest.push_back(Stamp(2024, 5, d));
    SetRestDays(*net, rest);
    net->Recalculate();
    return net;
}

TEST(PlanSample, SixtyWorksWithRestDays)
{
    TFakeMessages messages;
    auto net = Plan60();
    EXPECT_EQ(net->WorkCount(), 60);
    int32_t milestones = 0, auxiliaries = 0;
    for (const Tedge* w : net->AllWorks()) {
        milestones += w->data->IsMilestone();
        auxiliaries += w->data->IsAuxiliary();
    }
    EXPECT_GT(milestones, 0);
    EXPECT_GT(auxiliaries, 0);
    EXPECT_FALSE(RestDays(*net).empty());
    EXPECT_FALSE(net->order.empty());
    EXPECT_TRUE(messages.Texts().empty());
}

// Writes tests/data/plan60.prt: run arrowplan_drawing_tests with
// --gtest_also_run_disabled_tests --gtest_filter='*DISABLED_WritePlan60Sample'.
TEST(PlanSample, DISABLED_WritePlan60Sample)
{
    TFakeMessages messages;
    auto net = Plan60();
    ASSERT_TRUE(SaveProject(*net, (std::filesystem::path(ARROWPLAN_TEST_DATA) / "plan60.prt").string()));
}

}
