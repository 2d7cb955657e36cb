#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "interchange/Projectxml.h"
#include "interchange/Projectxmlimport.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "support/Plangen.h"

namespace {

// A task of a hand-written file: uid, duration in days, links (uid, type, lag days).
struct TaskSpec {
    int uid;
    double days;
    std::vector<std::tuple<int, int, double>> links;
    bool summary = false;
    int level = 1;
};

std::string Xml(const std::vector<TaskSpec>& tasks, const std::string& calendar = "")
{
    std::string x = "<?xml version=\"1.0\"?>\n<Project xmlns=\"http://schemas.microsoft.com/project\">"
                    "<StartDate>2026-03-02T08:00:00</StartDate><MinutesPerDay>480</MinutesPerDay>"
                    "<CalendarUID>1</CalendarUID>" + calendar + "<Tasks>";
    for (const TaskSpec& t : tasks) {
        x += "<Task><UID>" + std::to_string(t.uid) + "</UID><Name>T" + std::to_string(t.uid) +
             "</Name><OutlineLevel>" + std::to_string(t.level) + "</OutlineLevel><Duration>PT" +
             std::to_string(int(t.days * 8)) + "H0M0S</Duration><Summary>" +
             (t.summary ? "1" : "0") + "</Summary>";
        for (auto [p, type, lag] : t.links)
            x += "<PredecessorLink><PredecessorUID>" + std::to_string(p) +
                 "</PredecessorUID><Type>" + std::to_string(type) + "</Type><LinkLag>" +
                 std::to_string(int(lag * 4800)) + "</LinkLag><LagFormat>7</LagFormat></PredecessorLink>";
        x += "</Task>";
    }
    return x + "</Tasks></Project>";
}

// The independent forward pass over the task graph (summary tasks left out, links of a
// summary task standing for links of every task under it are not used here).
std::map<std::string, double> ForwardPass(const std::vector<TaskSpec>& tasks)
{
    std::map<int, const TaskSpec*> byUid;
    for (const TaskSpec& t : tasks) byUid[t.uid] = &t;
    std::map<int, double> es;
    bool changed = true;
    while (changed) {
        changed = false;
        for (const TaskSpec& t : tasks) {
            if (t.summary) continue;
            double s = 0;
            for (auto [p, type, lag] : t.links) {
                const double ps = es[p], pd = byUid[p]->days;
                double v = 0;
                if (type == 1) v = ps + pd + lag;
                else if (type == 3) v = ps + lag;
                else if (type == 0) v = ps + pd + lag - t.days;
                else v = ps + lag - t.days;
                s = std::max(s, v);
            }
            if (es[t.uid] != s) {
                es[t.uid] = s;
                changed = true;
            }
        }
    }
    std::map<std::string, double> m;
    for (const TaskSpec& t : tasks)
        if (!t.summary) m["T" + std::to_string(t.uid)] = es[t.uid];
    return m;
}

std::map<std::string, const Tedge*> WorksByName(const Tpertgra& net)
{
    std::map<std::string, const Tedge*> m;
    for (const Tedge* w : net.AllWorks())
        if (!w->data->IsDummy()) m[w->data->name] = w;
    return m;
}

int Dummies(const Tpertgra& net)
{
    int n = 0;
    for (const Tedge* w : net.AllWorks()) n += w->data->IsDummy();
    return n;
}

TEST(ProjectXmlImport, EarliestStartsEqualAForwardPass)
{
    const std::string holidays =
        "<Calendars><Calendar><UID>1</UID><Name>c</Name><WeekDays>"
        "<WeekDay><DayType>1</DayType><DayWorking>0</DayWorking></WeekDay>"
        "</WeekDays><Exceptions><Exception><TimePeriod><FromDate>2026-03-04T00:00:00</FromDate>"
        "<ToDate>2026-03-05T23:59:00</ToDate></TimePeriod><DayWorking>0</DayWorking></Exception>"
        "</Exceptions></Calendar></Calendars>";
    const struct {
        const char* name;
        std::vector<TaskSpec> tasks;
        std::string calendar;
        int maxDummies;
    } cases[] = {
        {"chain", {{1, 2, {}}, {2, 3, {{1, 1, 0}}}, {3, 1, {{2, 1, 0}}}}, "", 0},
        {"diamond", {{1, 2, {}}, {2, 3, {{1, 1, 0}}}, {3, 1, {{1, 1, 0}}}, {4, 2, {{2, 1, 0}, {3, 1, 0}}}}, "", 1},
        // C after A and B, D after A only: one dummy.
        {"two predecessors sharing a successor",
         {{1, 2, {}}, {2, 4, {}}, {3, 1, {{1, 1, 0}, {2, 1, 0}}}, {4, 3, {{1, 1, 0}}}}, "", 1},
        {"lag", {{1, 2, {}}, {2, 3, {{1, 1, 2.5}}}}, "", 0},
        {"start to start", {{1, 2, {}}, {2, 5, {{1, 1, 0}}}, {3, 1, {{2, 3, 2}}}}, "", 1},
        {"finish to finish", {{1, 4, {}}, {2, 1, {{1, 0, 0}}}}, "", 1},
        {"summary task",
         {{10, 0, {}, true, 1}, {1, 2, {}, false, 2}, {2, 3, {{1, 1, 0}}, false, 2}, {3, 1, {{2, 1, 0}}}},
         "", 0},
        {"holidays", {{1, 2, {}}, {2, 3, {{1, 1, 0}}}}, holidays, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TXmlImport r = ImportProjectXml(Xml(c.tasks, c.calendar));
        ASSERT_TRUE(r.net) << r.problem;
        EXPECT_FALSE(r.net->modified);
        const auto works = WorksByName(*r.net);
        for (const auto& [name, es] : ForwardPass(c.tasks)) {
            ASSERT_TRUE(works.count(name)) << name;
            EXPECT_NEAR(works.at(name)->data->es, es, 1e-4) << name;
        }
        EXPECT_LE(Dummies(*r.net), c.maxDummies);
    }
}

TEST(ProjectXmlImport, ApproximationsAndSummaryTasksAreReported)
{
    const TXmlImport r = ImportProjectXml(
        Xml({{10, 0, {}, true, 1}, {1, 2, {}, false, 2}, {2, 5, {{1, 3, 0}}, false, 2}}));
    ASSERT_TRUE(r.net) << r.problem;
    const std::string text = ImportReportText(r);
    EXPECT_NE(text.find("摘要任务 UID 10"), std::string::npos) << text;
    EXPECT_NE(text.find("开始-开始链接按完成-开始链接近似"), std::string::npos) << text;
    EXPECT_EQ(WorksByName(*r.net).at("T1")->data->groupName, "T10");
}

TEST(ProjectXmlImport, HolidaysBecomeRestDays)
{
    const std::string cal =
        "<Calendars><Calendar><UID>1</UID><Exceptions><Exception><TimePeriod>"
        "<FromDate>2026-03-04T00:00:00</FromDate><ToDate>2026-03-05T23:59:00</ToDate>"
        "</TimePeriod><DayWorking>0</DayWorking></Exception></Exceptions></Calendar></Calendars>";
    const TXmlImport r = ImportProjectXml(Xml({{1, 5, {}}}, cal));
    ASSERT_TRUE(r.net) << r.problem;
    const std::vector<int32_t> rest = RestDays(*r.net);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(DateText(DateOfDay(*r.net, DayOfStamp(*r.net, rest[0]))), "2026-03-04");
    EXPECT_EQ(DateText(WorkFinishDate(*r.net, *WorksByName(*r.net).at("T1"))), "2026-03-08");
}

TEST(ProjectXmlImport, BadFilesAreRefusedWithWhatIsWrong)
{
    const struct {
        std::string xml;
        const char* says;
    } cases[] = {
        {"<Project><Tasks><Task>", "XML格式错误"},
        {"", "XML格式错误"},
        {"<Other/>", "没有项目"},
        {Xml({{1, 2, {{2, 1, 0}}}, {2, 2, {{1, 1, 0}}}}), "回路"},
        {Xml({{1, 2, {{9, 1, 0}}}}), "UID 9 不存在"},
        {Xml({{1, 2, {}}, {1, 2, {}}}), "两次"},
        {Xml({{1, 2, {{1, 1, 0}}}}), "链接到自己"},
        {"<Project><StartDate>2026-03-02</StartDate><Tasks><Task><UID>4</UID><Duration>3 days"
         "</Duration></Task></Tasks></Project>",
         "UID 4 的工期“3 days”无法识别"},
        {"<Project><StartDate>2026-03-02</StartDate><Tasks/></Project>", "没有可导入的任务"},
    };
    for (const auto& c : cases) {
        const TXmlImport r = ImportProjectXml(c.xml);
        EXPECT_EQ(r.net, nullptr) << c.xml;
        EXPECT_NE(r.problem.find(c.says), std::string::npos) << r.problem;
    }
}

TEST(ProjectXmlImport, AHugeFileIsRefusedBeforeItIsRead)
{
    // A sparse file: its size is what counts, no byte of it is read.
    const std::string path = ::testing::TempDir() + "/huge.xml";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    ASSERT_EQ(truncate(path.c_str(), off_t(kMaxProjectXmlBytes) + 1), 0);
    const TXmlImport r = ImportProjectXmlFile(path);
    EXPECT_EQ(r.net, nullptr);
    EXPECT_NE(r.problem.find("文件太大"), std::string::npos) << r.problem;
    std::remove(path.c_str());
    EXPECT_NE(ImportProjectXmlFile(path).problem.find("打不开"), std::string::npos);
}

TEST(ProjectXmlImport, RoundTripKeepsTheTimesOfGeneratedPlans)
{
    for (uint32_t seed : {1u, 2u, 3u}) {
        TPlanShape shape;
        shape.works = 120;
        shape.seed = seed;
        shape.fractional = seed == 2;
        auto plan = GeneratePlan(shape);
        if (seed == 3) {
            SetRestDays(*plan, {plan->projectStart + 4 * 86400, plan->projectStart + 5 * 86400});
            plan->Recalculate();
        }
        plan->ComputeAndPull();
        const TXmlImport r = ImportProjectXml(ProjectXml(*plan));
        ASSERT_TRUE(r.net) << r.problem;
        // Matched by name; the numbers come back where the plan's are distinct.
        std::map<std::string, const Tedge*> back;
        for (const Tedge* w : r.net->AllWorks())
            if (!w->data->IsDummy()) back[w->data->name] = w;
        std::set<int32_t> numbers;
        bool distinct = true;
        for (const Tedge* w : plan->AllWorks())
            if (!w->data->IsDummy() && !w->data->IsAuxiliary())
                distinct = distinct && w->data->workNo > 0 && numbers.insert(w->data->workNo).second;
        int compared = 0;
        for (const Tedge* w : plan->AllWorks()) {
            if (w->data->IsDummy() || w->data->IsAuxiliary()) continue;
            auto it = back.find(w->data->name);
            ASSERT_NE(it, back.end()) << w->data->name;
            if (distinct) {
                EXPECT_EQ(w->data->workNo, it->second->data->workNo) << w->data->name;
            }
            const Tworkdata& a = *w->data;
            const Tworkdata& b = *it->second->data;
            EXPECT_NEAR(a.duration, b.duration, 1e-3) << a.name;
            EXPECT_NEAR(a.es, b.es, 1e-3) << a.name;
            EXPECT_NEAR(w->EF(), it->second->EF(), 1e-3) << a.name;
            EXPECT_NEAR(a.ls, b.ls, 1e-3) << a.name;
            EXPECT_NEAR(w->LF(), it->second->LF(), 1e-3) << a.name;
            ++compared;
        }
        EXPECT_GT(compared, 80) << seed;
        EXPECT_EQ(RestDays(*r.net).size(), RestDays(*plan).size());
    }
}

}  // namespace
