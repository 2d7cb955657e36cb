#include "shell/Projectinfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "file/Projectfixtures.h"
#include "schedule/Perttime_out.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kDay = 86400;
constexpr int32_t kMarch1 = 1709222400;  // Friday, 2024-03-01 00:00

// The plan of tests/data/restdays.prt: five works from Friday 2024-03-01,
// weekends 2–3 and 9–10 March resting.
//   A 1→2 挖土方 3 days; B 2→3 浇垫层 "C15" 2 days; C 2→4 绑钢筋 4 days;
//   D 3→4 dummy; E 4→5 浇混凝土 2 days.
std::unique_ptr<Tpertgra> RestDaysPlan()
{
    TNetBuilder b;
    b.Work('a', 'b', 3)->data->name = "挖土方";
    b.Work('b', 'c', 2)->data->name = "浇垫层 \"C15\"";
    b.Work('b', 'd', 4)->data->name = "绑钢筋";
    b.Work('c', 'd', 0, WorkKind::Dummy)->data->name = "";
    b.Work('d', 'e', 2)->data->name = "浇混凝土";
    b.Place();
    Tpertgra& n = *b.net;
    n.title = "休息日示例";
    n.projectStart = kMarch1;
    n.progressDate = kMarch1;
    n.showStart = kMarch1;
    n.showEnd = kMarch1;
    n.restIntervals.Assign({{kMarch1 + kDay, kMarch1 + 3 * kDay},
                            {kMarch1 + 8 * kDay, kMarch1 + 10 * kDay}});
    b.nodes.at('a')->firstWork->data->progress = 1.0;
    n.fileName = "restdays.prt";
    n.Recalculate();
    return std::move(b.net);
}

// The plan of tests/data/inconsistent.prt, as the program saved it before
// the relayout pulled late nodes back: S->T 2 days and T->U 3 days, with T
// left at day 5 and U at day 8 by the deletion of a parallel 5-day work,
// and T->U's planned start brought to its latest start, day 2.
std::unique_ptr<Tpertgra> InconsistentPlan()
{
    TNetBuilder b;
    b.Work('s', 't', 2)->data->name = "垫层";
    b.Work('t', 'u', 3)->data->name = "基础";
    b.Place();
    b.N('t')->time = 5;
    b.N('u')->time = 8;
    b.W("tu")->data->start = 5;
    Tpertgra& n = *b.net;
    n.title = "位置不一致示例";
    n.projectStart = kMarch1;
    n.progressDate = kMarch1;
    n.showStart = kMarch1;
    n.showEnd = kMarch1;
    n.fileName = "inconsistent.prt";
    n.Renumber();
    n.ComputeTimes();
    return std::move(b.net);
}

struct TRow {
    int32_t from, to;
    const char* name;
    const char* kind;
    float duration, es, ef, ls, lf, tf, ff;
    bool critical;
    const char* start;
    const char* finish;
};

// Worked by hand: ES/LS from the forward and backward passes; dates skip the
// two weekends (a start on a rest day's start moves past it, a finish
// there stays before it, and the finish date is the last second's day).
const TRow kRows[] = {
    {1, 2, "挖土方", "实工作", 3, 0, 3, 0, 3, 0, 0, true, "2024-03-01", "2024-03-05"},
    {2, 4, "绑钢筋", "实工作", 4, 3, 7, 3, 7, 0, 0, true, "2024-03-06", "2024-03-11"},
    {2, 3, "浇垫层 \"C15\"", "实工作", 2, 3, 5, 5, 7, 2, 0, false, "2024-03-06", "2024-03-07"},
    {3, 4, "", "虚工作", 0, 5, 5, 7, 7, 2, 2, false, "2024-03-08", "2024-03-08"},
    {4, 5, "浇混凝土", "实工作", 2, 7, 9, 7, 9, 0, 0, true, "2024-03-12", "2024-03-13"},
};

void ExpectHandWorked(const TProjectInfo& info)
{
    EXPECT_EQ(info.title, "休息日示例");
    EXPECT_EQ(info.projectStart, "2024-03-01");
    EXPECT_EQ(info.projectEnd, "2024-03-13");
    EXPECT_EQ(info.totalDays, 13.0);
    EXPECT_EQ(info.nodeCount, 5);
    EXPECT_EQ(info.workCount, 5);
    ASSERT_EQ(info.works.size(), std::size(kRows));
    for (size_t i = 0; i < std::size(kRows); ++i) {
        const TRow& r = kRows[i];
        const TWorkInfo& w = info.works[i];
        SCOPED_TRACE(r.name);
        EXPECT_EQ(w.from, r.from);
        EXPECT_EQ(w.to, r.to);
        EXPECT_EQ(w.name, r.name);
        EXPECT_EQ(w.kind, r.kind);
        EXPECT_EQ(w.duration, r.duration);
        EXPECT_EQ(w.es, r.es);
        EXPECT_EQ(w.ef, r.ef);
        EXPECT_EQ(w.ls, r.ls);
        EXPECT_EQ(w.lf, r.lf);
        EXPECT_EQ(w.tf, r.tf);
        EXPECT_EQ(w.ff, r.ff);
        EXPECT_EQ(w.start, r.es);
        EXPECT_EQ(w.critical, r.critical);
        EXPECT_EQ(w.startDate, r.start);
        EXPECT_EQ(w.finishDate, r.finish);
    }
    EXPECT_EQ(info.works[0].progress, 1.0);
    EXPECT_EQ(info.works[1].progress, -0.01);
}

TEST(ProjectInfo, RestDaysPlanGivesTheHandWorkedTable)
{
    TFakeMessages msgs;
    auto net = RestDaysPlan();
    TProjectFormat f;
    f.versionText = "1.55";
    f.layout = 3;
    ExpectHandWorked(CollectProjectInfo(*net, f));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(ProjectInfo, CommittedRestDaysFileIsThatPlan)
{
    TFakeMessages msgs;
    Tpertgra net;
    TProjectFormat f;
    const fs::path path = fs::path(ARROWPLAN_TEST_DATA) / "restdays.prt";
    ASSERT_EQ(LoadProject(net, path.string(), &f), 1);
    EXPECT_EQ(f.versionText, "1.55");
    EXPECT_EQ(f.layout, 3);
    ExpectHandWorked(CollectProjectInfo(net, f));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(ProjectInfo, TextReportListsTheWorksTabSeparated)
{
    TFakeMessages msgs;
    auto net = RestDaysPlan();
    TProjectFormat f;
    f.versionText = "1.55";
    f.layout = 3;
    const std::string t = InfoText(CollectProjectInfo(*net, f));
    EXPECT_EQ(t.substr(0, t.find("from\t")),
              "version: 1.55\nlayout: 3\ntitle: 休息日示例\nproject start: 2024-03-01\n"
              "project end: 2024-03-13\ntotal days: 13\nnodes: 5\nworks: 5\n");
    EXPECT_NE(t.find("\n2\t3\t浇垫层 \"C15\"\t实工作\t2\t3\t5\t5\t7\t2\t0\tno\t2024-03-06\t2024-03-07\n"),
              std::string::npos)
        << t;
}

TEST(ProjectInfo, JsonHasStableFieldsAndUnroundedNumbers)
{
    TFakeMessages msgs;
    TNetBuilder b;
    b.Work('A', 'B', 2.5f)->data->name = "甲\t\"乙\"\\";
    b.Place();
    b.net->projectStart = kMarch1;
    b.net->title = "T";
    TProjectFormat f;
    f.versionText = "1.55";
    f.layout = 3;
    const std::string j = InfoJson(CollectProjectInfo(*b.net, f));
    EXPECT_EQ(j,
              "{\n"
              "  \"title\": \"T\",\n"
              "  \"version\": \"1.55\",\n"
              "  \"layout\": 3,\n"
              "  \"project_start\": \"2024-03-01\",\n"
              "  \"project_end\": \"2024-03-03\",\n"
              "  \"total_days\": 2.5,\n"
              "  \"node_count\": 2,\n"
              "  \"work_count\": 1,\n"
              "  \"nodes\": [\n"
              "    {\"id\": 1, \"number\": 1, \"time\": 0, \"earliest\": 0, \"latest\": 2.5, \"row\": 0},\n"
              "    {\"id\": 2, \"number\": 2, \"time\": 2.5, \"earliest\": 2.5, \"latest\": 2.5, \"row\": 0}\n"
              "  ],\n"
              "  \"works\": [\n"
              "    {\"from\": 1, \"to\": 2, \"from_id\": 1, \"to_id\": 2, \"name\": "
              "\"甲\\t\\\"乙\\\"\\\\\", \"kind\": \"实工作\", \"duration\": 2.5, \"start\": 0, "
              "\"es\": 0, \"ef\": 2.5, \"ls\": 0, \"lf\": 2.5, \"tf\": 0, \"ff\": 0, "
              "\"critical\": true, \"progress\": -0.01, \"start_date\": \"2024-03-01\", "
              "\"finish_date\": \"2024-03-03\"}\n"
              "  ]\n"
              "}\n");
}

TEST(ProjectInfo, JsonStringEscapesControlsAndPassesUtf8)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", "\"\""},
        {"工程", "\"工程\""},
        {"a\"b", "\"a\\\"b\""},
        {"a\\b", "\"a\\\\b\""},
        {"\n\r\t\b\f", "\"\\n\\r\\t\\b\\f\""},
        {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
        {"/", "\"/\""},
    };
    for (const auto& c : cases) EXPECT_EQ(JsonString(c.in), c.out) << c.in;
}

TEST(ProjectInfo, EmptyPlanReportsNoWorks)
{
    TFakeMessages msgs;
    Tpertgra net;
    net.projectStart = kMarch1;
    TProjectFormat f;
    const TProjectInfo info = CollectProjectInfo(net, f);
    EXPECT_EQ(info.projectEnd, "2024-03-01");
    EXPECT_EQ(info.totalDays, 0.0);
    EXPECT_NE(InfoJson(info).find("\"works\": []\n}"), std::string::npos);
}

// ---- the command line ----------------------------------------------------------------

struct TRun {
    int status;
    std::string out, err;
};

TRun RunCli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunProjectCli(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(ProjectCli, CommandsAndTheirExitStatus)
{
    TFakeMessages msgs;
    const std::string data = ARROWPLAN_TEST_DATA;
    TTempFolder dir;
    const std::string converted = (dir.path / "out.prt").string();
    const struct {
        std::vector<std::string> args;
        int status;
        const char* outPart;
        const char* errPart;
    } cases[] = {
        {{}, 2, "", "usage:"},
        {{"frobnicate"}, 2, "", "unknown command"},
        {{"info"}, 2, "", "usage:"},
        {{"info", data + "/restdays.prt"}, 0, "total days: 13\n", ""},
        {{"info", "--json", data + "/restdays.prt"}, 0, "\"total_days\": 13,", ""},
        {{"info", data + "/nothing.prt"}, 1, "", "file does not exist"},
        // the file reads; the network checks find the lines drawn on one row
        {{"check", data + "/restdays.prt"}, 2, ": ok, version 1.55, layout 3, 5 nodes, 5 works\n", ""},
        {{"check", data + "/corrupt/dangling_node_id.prt"}, 1, "", "does not exist (at byte"},
        {{"convert", data + "/old152.prt", converted}, 0, "(version 1.52, layout 1) -> ", ""},
        {{"check", converted}, 0, ": ok, version 1.55, layout 3, 2 nodes, 1 works\n", ""},
        {{"convert", data + "/restdays.prt", (dir.path / "no" / "x.prt").string()}, 1, "", "not written"},
    };
    for (const auto& c : cases) {
        const TRun r = RunCli(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(r.status, c.status) << what << "\n" << r.out << r.err;
        EXPECT_NE(r.out.find(c.outPart), std::string::npos) << what << ": " << r.out;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << what << ": " << r.err;
    }
}

TEST(ProjectCli, CheckReportsALoopWithoutFailing)
{
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1);
    b.Place();
    b.net->Recalculate();
    b.net->LinkWork(b.N('C'), b.N('A'), new Tedge);
    TTempFolder dir;
    const std::string path = (dir.path / "loop.prt").string();
    TFakeMessages msgs;
    ASSERT_TRUE(SaveProject(*b.net, path));
    const TRun r = RunCli({"check", path});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("the network has a loop"), std::string::npos) << r.out;
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"网络图不能有回路"});
    // info reports the plan all the same; the loop is only a message
    msgs.shown.clear();
    const TRun info = RunCli({"info", "--json", path});
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("\"work_count\": 3,"), std::string::npos) << info.out;
    ASSERT_FALSE(msgs.Texts().empty());
    EXPECT_EQ(msgs.Texts()[0], "网络图不能有回路");
}

// The checks of the 检查 menu as findings of "check", with their texts;
// the status is 2 when there is one.
TEST(ProjectCli, CheckReportsTheNetworkChecks)
{
    struct Case {
        const char* what;
        std::function<void(TNetBuilder&)> build;
        std::vector<std::string> findings;
    };
    const Case cases[] = {
        {"a clean chain",
         [](TNetBuilder& b) {
             b.Work('a', 'b', 3);
             b.Work('b', 'c', 2);
         },
         {}},
        {"two starts and two ends",
         [](TNetBuilder& b) {
             b.Work('a', 'c', 3);
             b.Work('b', 'c', 2)->row = 1;
             b.Work('c', 'd', 2);
             b.Work('c', 'e', 4)->row = 1;
         },
         {"该网络图有2个起点 (节点 1, 2)", "该网络图有2个终点 (节点 4, 5)"}},
        {"lines over each other on one row",
         [](TNetBuilder& b) {
             b.Work('a', 'b', 3);
             b.Work('a', 'c', 4);
             b.Work('b', 'd', 2);
             b.Work('c', 'd', 1);
         },
         {"工作线有重叠 (1-3 ac)", "工作线有重叠 (1-2 ab)", "工作线有重叠 (2-4 bd)",
          "工作线有重叠 (3-4 cd)"}},
        {"a link implied by a path",
         [](TNetBuilder& b) {
             b.Work('a', 'b', 2);
             b.Work('b', 'c', 2);
             b.Work('a', 'c', 0, WorkKind::Dummy)->row = 1;
         },
         {"有多余逻辑关系 (1-3 ac)"}},
    };
    TTempFolder dir;
    TFakeMessages msgs;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNetBuilder b;
        c.build(b);
        b.Place();
        b.net->Recalculate();
        const std::string path = (dir.path / "checks.prt").string();
        ASSERT_TRUE(SaveProject(*b.net, path));
        const TRun r = RunCli({"check", path});
        std::string expected = path + ": ok, version 1.55, layout 3, " +
                               std::to_string(b.net->NodeCount()) + " nodes, " +
                               std::to_string(b.net->WorkCount()) + " works\n";
        for (const std::string& f : c.findings) expected += path + ": " + f + "\n";
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.status, c.findings.empty() ? 0 : 2);
        EXPECT_EQ(r.err, "");
    }
}

// Writes tests/data/checks.prt, a plan with two start and two end nodes, for
// the shell test of "check". Run by hand after a change of the plan:
//   arrowplan_file_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*DISABLED_WriteChecksSample'
TEST(ProjectInfo, DISABLED_WriteChecksSample)
{
    TNetBuilder b;
    b.Work('a', 'c', 3)->data->name = "基础";
    Tedge* second = b.Work('b', 'c', 2);
    second->data->name = "备料";
    second->row = 1;
    b.N('b')->row = 1;
    b.Work('c', 'd', 2)->data->name = "主体";
    Tedge* last = b.Work('c', 'e', 4);
    last->data->name = "装修";
    last->row = 1;
    b.N('e')->row = 1;
    b.Place();
    b.net->title = "检查示例";
    b.net->projectStart = kMarch1;
    b.net->progressDate = kMarch1;
    b.net->showStart = kMarch1;
    b.net->showEnd = kMarch1;
    b.net->fileName = "checks.prt";
    b.net->Recalculate();
    WriteFileBytes(fs::path(ARROWPLAN_TEST_DATA) / "checks.prt", WriteProjectBytes(*b.net));
}

// Writes tests/data/restdays.prt. Run by hand after a change of the plan:
//   arrowplan_file_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*DISABLED_WriteRestDaysSample'
// Both the plan read back from its bytes and the committed file: the
// recalculation puts T back at day 2 and U at day 5, T->U starts at T.
TEST(ProjectInfo, LatePositionsOfAFileComeBackToTheSchedule)
{
    TFakeMessages msgs;
    auto plan = InconsistentPlan();
    ASSERT_FLOAT_EQ(plan->nodes[1]->time, 5);
    ASSERT_FLOAT_EQ(plan->nodes[0]->firstWork->data->start, 0);
    ASSERT_FLOAT_EQ(plan->nodes[1]->firstWork->data->start, 2);
    const std::vector<uint8_t> bytes[] = {
        WriteProjectBytes(*plan), FileBytes(fs::path(ARROWPLAN_TEST_DATA) / "inconsistent.prt")};
    for (const std::vector<uint8_t>& b : bytes) {
        Tpertgra net;
        TProjectFormat f;
        ASSERT_EQ(ReadInto(net, b, "inconsistent.prt", &f), 1);
        const TProjectInfo info = CollectProjectInfo(net, f);
        EXPECT_EQ(info.totalDays, 5.0);
        EXPECT_EQ(info.projectEnd, "2024-03-05");
        ASSERT_EQ(info.nodes.size(), 3u);
        const float times[] = {0, 2, 5};
        // the first node is not visited by the backward pass: its latest is the end
        const float latest[] = {5, 2, 5};
        for (size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(info.nodes[i].id, int32_t(i + 1));
            EXPECT_EQ(info.nodes[i].number, int32_t(i + 1));
            EXPECT_FLOAT_EQ(info.nodes[i].time, times[i]);
            EXPECT_FLOAT_EQ(info.nodes[i].earliest, times[i]);
            EXPECT_FLOAT_EQ(info.nodes[i].latest, latest[i]);
        }
        ASSERT_EQ(info.works.size(), 2u);
        EXPECT_FLOAT_EQ(info.works[1].start, 2);
        EXPECT_FLOAT_EQ(info.works[1].es, 2);
        EXPECT_FLOAT_EQ(info.works[1].ls, 2);
        EXPECT_EQ(info.works[1].startDate, "2024-03-03");
    }
}

// Writes tests/data/inconsistent.prt (see tests/data/README.md).
TEST(ProjectInfo, DISABLED_WriteInconsistentSample)
{
    auto net = InconsistentPlan();
    WriteFileBytes(fs::path(ARROWPLAN_TEST_DATA) / "inconsistent.prt", WriteProjectBytes(*net));
}

TEST(ProjectInfo, DISABLED_WriteRestDaysSample)
{
    auto net = RestDaysPlan();
    WriteFileBytes(fs::path(ARROWPLAN_TEST_DATA) / "restdays.prt", WriteProjectBytes(*net));
}

}  // namespace
