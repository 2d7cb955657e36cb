#include "file/Projectfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "drawing/Biaozhu.h"
#include "drawing/Brushrecord.h"
#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Tpertgrid.h"
#include "file/Networkrecords.h"
#include "file/Oldlayout.h"
#include "file/Projectfixtures.h"
#include "file/Prtstream.h"
#include "gantt/Gantt.h"
#include "resources/Customstore.h"
#include "resources/Shownresources.h"
#include "schedule/Calendar.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kDay = 86400;
constexpr int32_t kMarch1 = 1709222400;            // 2024-03-01 00:00
constexpr int32_t kMarch1At1030 = kMarch1 + 37800;  // 10:30 that day

// Bytes of the layouts before 3, written field by field as old programs wrote them.
class TOldBytes {
public:
    explicit TOldBytes(double v) : v_(v) {}

    TPrtWriter w;

    void I(int32_t x) { w.WriteInt32(x); }
    void F(float x) { w.WriteFloat(x); }
    void D(double x) { w.WriteDouble(x); }
    void B(bool x) { w.WriteByte(x); }
    void S(const std::string& s) { w.WriteString(s); }

    // The old font form: colour, name and the size as marker, nothing after it.
    void Font(const std::string& name, int32_t size, int32_t color)
    {
        I(color);
        S(name);
        I(size);
    }

    void TextBlock(const std::string& text)
    {
        S("ignored");
        for (int i = 0; i < 7; ++i) I(i);
        for (int i = 0; i < 8; ++i) D(i);
        S(text);
        Font("宋体", 10, 0);
        I(0);
        B(false);
    }

    void Explanation(int32_t blockWidth)
    {
        I(1);
        I(blockWidth);
        I(160);
        I(20);
        I(20);
        w.WriteStringList({"旧说明"});
        Font("宋体", 10, 0x00FFFF);
        I(0x00FFFF);
        I(0);
        w.WriteStringList({});
        Font("宋体", 10, 0x00FFFF);
        I(0x00FFFF);
        I(0);
        for (int i = 0; i < 17; ++i) S("c" + std::to_string(i));
        if (v_ >= 1.2) {
            S("c17");
            S("c18");
            B(true);
            B(false);
            B(true);
        }
        if (v_ > 1.529) {
            I(1);
            for (int t = 0; t < 2; ++t) {
                I(0);
                I(0);
                w.WriteStringList({"项目"});
                w.WriteStringList({"值"});
                Font("宋体", 9, 0);
                B(true);
                D(90);
                D(180);
                D(0);
            }
            I(0);
            I(0);
            D(210);
            D(150);
            B(false);
            B(true);
            B(false);
        }
    }

    void Ruler(int k)
    {
        S("尺" + std::to_string(k));
        S("宋体");
        I(9);
        B(false);
        I(0x00FF00);
        I(55);
        I(1);
        S("宋体");
        I(8);
        I(0x00FF00);
        I(0);
        for (int32_t x : {1, 60, 5, 0x808000, 1}) I(x);
        B(k == 7);
        I(22);
    }

    void Grid(float dayStep)
    {
        for (int i = 0; i < 10; ++i) B(i % 2 == 0);
        F(dayStep);
        for (int i = 0; i < 3; ++i) I(0);
        for (int32_t x : {210, 51, 61, 62, 0x808000, 4}) I(x);
        for (int i = 0; i < 5; ++i) I(0x10 + i);  // print colours
        if (v_ <= 1.529) Explanation(301);
        for (int i = 0; i < 5; ++i) I(0x20 + i);  // screen colours
        if (v_ <= 1.529) Explanation(302);
        for (int k = 0; k < 8; ++k) Ruler(k);
        Explanation(303);
        if (v_ > 1.519) {
            I(2);
            I(0x444444);
            I(3);
            I(0x555555);
        }
        if (v_ > 1.529)
            for (int i = 0; i < 10; ++i) B(i == 0);
    }

    void OldScale(double dayWidth)
    {
        D(dayWidth);
        I(1);
        D(1);
        D(2);
        D(5);
    }

    void Gantt(int32_t rowHeight)
    {
        for (int32_t x : {2, 30, 2, 160, 2, 60}) I(x);
        Font("宋体", 10, 0x00FFFF);
        I(rowHeight);
        I(0x808000);
        I(1);
        S("条形");
        for (int32_t x : {0xFF, 0xFFFFFF, 8, 8, 50, 100}) I(x);
        Grid(1);
        I(0);  // resource columns
        I(0);
        I(80);
        if (v_ >= 1.2) {
            I(0);
            I(0);
            B(false);
            Font("宋体", 24, 0xFF00FF);
            S("编号");
            I(1);
            I(40);
            S("持续时间");
            S("工作名称");
        }
        // The old columns as a new chart has them: layout 3 no longer stores
        // them, so other values would not survive a later save.
        if (v_ > 1.28) {
            D(10);
            for (const char* caption : {"工程量", "序号", "组名"}) {
                S(caption);
                D(0);
                I(2);
            }
        }
        if (v_ > 1.519) {
            for (const char* caption : {"开始时间", "结束时间"}) {
                S(caption);
                D(0);
                I(2);
            }
            OldScale(10);
        }
    }

    // A work record of an old file without its version: the head of our
    // writer's record, then the old work data, then the label after 1.529.
    void Work(const Tedge& e, int32_t toNodeId, double progress)
    {
        TPrtWriter head;
        WriteWorkRecord(head, e, toNodeId);
        w.WriteRaw(head.bytes().data() + 4, 73);
        const Tworkdata& d = *e.data;
        S(d.name);
        Font(d.font.name, d.font.size, d.font.color);
        for (int i = 0; i < 4; ++i) B(false);
        I(d.lineWidth);
        I(d.lineColor);
        S(d.lineStyle);
        I(d.placeMode);
        I(d.namePlace);
        F(d.duration);
        S(d.kind);
        F(d.es);
        F(d.ls);
        F(d.start);
        B(d.critical);
        if (v_ >= 1.2) {
            S("编码");
            S("组");
            I(4);
            D(12.5);
        }
        if (v_ >= 1.28) S("m2");
        I(1);
        S("R9");
        S("机械");
        S("台班");
        F(300);
        F(2);
        S("机械");
        F(0);
        F(3);
        if (v_ > 1.3) {
            D(6);
            I(0);
        }
        if (v_ >= 1.38) {
            S("类");
            S("留");
            D(1);
            D(2);
            I(7);
        }
        if (v_ >= 1.5) D(progress);
        if (v_ > 1.529) {
            I(5);
            I(6);
            TPrtWriter label;
            WriteTimeLabel(label, e.timeLabel);
            w.WriteRaw(label.bytes().data() + 4, label.size() - 4);
        }
    }

    void Node(const Tvertex& v)
    {
        TPrtWriter rec;
        WriteNodeRecord(rec, v, v.id);
        w.WriteRaw(rec.bytes().data() + 4, 46);
    }

    void OldSettings(int32_t dayStep = 10)
    {
        Font("Courier", 6, 0x00FFFF);  // node numbers
        Font("宋体", 7, 0x00FF00);     // ruler labels
        Font("黑体", 9, 0x00FF00);     // ruler names
        for (int32_t x : {60, 50, 60}) I(x);
        I(77);  // ruler name width
        I(120);
        I(70);
        I(26);  // ruler height
        I(6);   // frame width
        Font("楷体", 22, 0xFF00FF);
        Font("宋体", 11, 0x00FFFF);
        Font("x", 1, 0);
        Font("y", 1, 0);
        for (int32_t x : {1, 2, 3, 4, 5, 111}) I(x);
        I(55);
        I(48);
        for (int32_t x : {1, 2, 66}) I(x);
        for (bool b : {true, true, false, true, false, true, true}) B(b);  // top rulers
        B(false);                                                        // no grid lines
        for (bool b : {false, false, true, false, false, false}) B(b);   // project month
        I(dayStep);
        B(false);
        B(true);
    }

    std::vector<uint8_t> Done()
    {
        w.WriteInt32(int32_t(w.size() + 4));
        return w.bytes();
    }

private:
    double v_;
};

// A two-node plan A→B that old files carry in their network section.
struct TOldPlan {
    TNetBuilder b;
    TOldPlan()
    {
        Tedge* e = b.Work('A', 'B', 3);
        e->data->name = "挖土";
        e->timeLabel.texts = {"1", "2", "3", "4", "5", "6"};
        b.Place();
        b.net->Recalculate();
    }
};

std::vector<uint8_t> OldFile(const std::string& versionText)
{
    const double v = ProjectVersionOf(versionText);
    TOldBytes o(v);
    o.S(versionText);
    o.S("旧工程");
    o.S("旧横道图");
    o.S("C:\\old.prt");
    o.Font("宋体", 12, 0x0000FF);
    o.I(25);
    o.I(15);
    o.B(true);
    o.I(2);
    o.I(1);
    o.I(1);
    o.I(0);
    o.I(kMarch1At1030);
    o.I(0);
    TDisplaySettings ds;
    ds.rowHeight = 40;
    ds.legacyDayWidth = -3;
    ds.Write(o.w);
    TDisplaySettings::PrintDefaults().Write(o.w);
    TDisplaySettings::ScreenDefaults().Write(o.w);
    o.B(false);
    o.B(false);
    o.Font("黑体", 11, 0x00FF00);
    o.Font("宋体", 10, 0x0000AA);
    o.Font("宋体", 10, 0x00AA00);
    if (v >= 1.2) {
        o.B(false);
        o.I(1);
        o.Font("Arial", 8, 0x00FFFF);
    }
    for (int i = 0; i < 5; ++i) o.I(0x30 + i);
    if (v <= 1.529) o.Explanation(304);
    for (int i = 0; i < 5; ++i) o.I(0x40 + i);
    if (v <= 1.529) o.Explanation(305);
    if (v >= 1.2) o.Grid(2);
    // custom store, old form: one day with one entry, one empty day
    o.I(2);
    o.I(1);
    o.S("C1");
    o.S("人工");
    o.S("工日");
    o.F(10);
    o.F(5);
    o.I(0);
    o.I(0);
    o.w.WriteStringList({"C1"});
    if (v >= 1.1)
        for (int32_t h : {31, 32, 33}) o.Gantt(h);
    if (v > 1.28) {
        for (double x : {40.0, 90.0, 0.0, 70.0}) o.D(x);
        o.I(1);
        for (double x : {0.0, 0.0, 120.0, 70.0}) o.D(x);
        o.TextBlock("旧分组");
        o.B(false);
        o.I(0x123);
    }
    if (v > 1.38) o.I(1);
    if (v > 1.5) {
        for (int i = 0; i < 6; ++i) o.I(0x50 + i);
        o.I(2);
        o.I(3);
        o.I(4);
        o.I(kMarch1 + 2 * kDay);
    }
    if (v > 1.519) {
        o.I(2);
        o.I(3);
        o.I(0x111111);
        o.I(4);
        o.I(0x222222);
        o.OldScale(12);
        o.I(1);
        o.I(kMarch1 + kDay);
        o.B(true);
    }
    if (v > 1.529)
        for (int i = 0; i < 8; ++i) o.B(i % 2 == 1);
    if (v > 1.539) {
        o.I(1);
        o.D(1.0);
        o.w.WriteDoubleList({2, 0, 1, 100, 40, 5, 5, 5, 5, 2});
        o.w.WriteInt32List({0, 0xC8C896, 0, 0xC8C896});
        o.w.WriteBoolList({true});
        o.TextBlock("旧标注");
    }
    TOldPlan plan;
    const Tpertgra& src = *plan.b.net;
    for (const auto& n : src.nodes) {
        o.Node(*n);
        for (Tedge* e = n->firstWork; e; e = e->nextWork) o.Work(*e, e->toNode->id, 0.7);
    }
    if (v < 1.2) o.OldSettings();
    return o.Done();
}

struct TOldCase {
    const char* text;
    double version;
    bool gantt, groups, second, restDays, labelMode, annotations;
    double progress;
};

class ProjectFileOldVersions : public ::testing::TestWithParam<TOldCase> {};

TEST_P(ProjectFileOldVersions, FieldsOfTheirVersion)
{
    const TOldCase& c = GetParam();
    TFakeMessages msgs;
    Tpertgra net;
    TProjectFormat f;
    ASSERT_EQ(ReadInto(net, OldFile(c.text), "/x/opened.prt", &f), 1) << f.problem << " at " << f.problemOffset;
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(f.version, c.version);
    EXPECT_EQ(f.layout, 1);

    EXPECT_EQ(net.title, "旧工程");
    EXPECT_EQ(net.liveGantt.title, "旧横道图");
    EXPECT_EQ(net.fileName, "C:\\old.prt");
    // marker 12: the size, and the next field follows at once
    EXPECT_EQ(net.titleFont.size, 12);
    EXPECT_EQ(net.reservedColorA, 0x0000FF);
    EXPECT_EQ(net.reservedColorB, 0x0000FF);
    EXPECT_EQ(net.titleGap, 25);
    EXPECT_EQ(net.liveGantt.titleGap, 15);
    EXPECT_TRUE(net.showTitleAlways);
    EXPECT_EQ(net.projectStart, kMarch1);  // 10:30 moved to 00:00
    EXPECT_EQ(net.showStart, kMarch1);
    EXPECT_EQ(net.displaySettings.rowHeight, 40);
    EXPECT_EQ(net.displaySettings.legacyDayWidth, 10.0f);
    EXPECT_FALSE(net.showFrame);
    EXPECT_FALSE(net.networkView);
    EXPECT_EQ(net.workFont.name, "黑体");
    EXPECT_EQ(net.printTextColor, 0x0000AA);
    EXPECT_EQ(net.screenTextColor, 0x00AA00);
    ASSERT_EQ(net.customResourceDays.size(), 2u);
    ASSERT_NE(net.customResourceDays[0], nullptr);
    EXPECT_EQ(net.customResourceDays[0]->name, "人工");
    EXPECT_EQ(net.customResourceDays[1], nullptr);
    EXPECT_EQ(net.shownResources, std::vector<std::string>{"C1"});

    // the network
    ASSERT_EQ(net.nodes.size(), 2u);
    const Tedge* e = net.nodes[0]->firstWork;
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->toNode, net.nodes[1].get());
    EXPECT_EQ(e->data->name, "挖土");
    EXPECT_EQ(e->data->duration, 3.0f);
    ASSERT_EQ(e->data->resources.size(), 1u);
    EXPECT_EQ(e->data->resources[0].name, "机械");
    EXPECT_EQ(e->data->resources[0].measureMode, c.version > 1.3 ? 0 : 1);
    EXPECT_EQ(e->data->code, c.version >= 1.2 ? "编码" : "");
    EXPECT_EQ(e->data->workNo, c.version >= 1.38 ? 7 : 0);
    EXPECT_EQ(e->data->progress, c.progress);
    EXPECT_EQ(e->labelDx, c.labelMode ? 5 : 0);
    EXPECT_EQ(e->timeLabel.texts[0], c.labelMode ? "1" : "ES");

    if (c.second) {
        EXPECT_FALSE(net.showEndMark);
        EXPECT_EQ(net.networkKind, 1);
        EXPECT_EQ(net.nodeFont.name, "Arial");
        EXPECT_EQ(net.grid->dayStep, 2.0f);
        EXPECT_EQ(net.grid->explain.blockWidth, 303);  // the grid record's own block is read last
        EXPECT_EQ(net.grid->printColors[0], 0x10);
    } else {
        // the old settings after the network: node font, rulers, Gantt margins
        EXPECT_EQ(net.nodeFont.name, "Courier");
        EXPECT_EQ(net.grid->explain.blockWidth, 305);
        EXPECT_EQ(net.grid->printColors[0], 0x40);
        EXPECT_EQ(net.grid->screenColors[0], 0x30);
        EXPECT_EQ(net.grid->scales[4].nameWidth, 77);
        EXPECT_EQ(net.grid->scales[4].height, 26);
        EXPECT_EQ(net.grid->scales[4].nameFont.name, "黑体");
        EXPECT_EQ(net.grid->frameWidth, 6);
        EXPECT_EQ(net.groups.origin.y, 120);
        EXPECT_EQ(net.groups.origin.x, 70);
        EXPECT_EQ(net.liveGantt.titleFont.name, "楷体");
        EXPECT_EQ(net.liveGantt.topMargin, 111);
        EXPECT_EQ(net.liveGantt.leftMargin, 55);
        EXPECT_EQ(net.liveGantt.rowsPerPage, 48);
        EXPECT_EQ(net.liveGantt.ruler.rightMargin, 66);
        EXPECT_TRUE(net.grid->byProjectCalendar);
        EXPECT_FALSE(net.grid->topProjectWeek);
        EXPECT_TRUE(net.grid->scales[3].gridLines);  // project month
        EXPECT_FALSE(net.grid->scales[7].gridLines);
        EXPECT_EQ(net.grid->dayStep, 10.0f);
        EXPECT_FALSE(net.resourceDiagramInNetwork);
        EXPECT_TRUE(net.liveGantt.showResourceDiagram);
    }
    EXPECT_EQ(net.liveGantt.rowHeight, c.gantt ? 31 : 25);
    EXPECT_EQ(net.ganttScreenPreset.rowHeight, c.gantt ? 33 : Tgantt().rowHeight);
    EXPECT_EQ(net.groups.items.size(), c.groups ? 1u : 0u);
    if (c.groups) {
        EXPECT_EQ(net.groups.items[0].text, "旧分组");
    }
    EXPECT_EQ(net.showTimeLabels, c.version > 1.38 ? 1 : 0);
    EXPECT_EQ(net.auxiliaryPenWidth, c.version > 1.5 ? 2 : 1);
    EXPECT_EQ(net.progressDate, c.version > 1.5 ? kMarch1 + 2 * kDay : kMarch1);
    EXPECT_EQ(net.colorPairs[3], c.version > 1.5 ? 0x51 : Tpertgra().colorPairs[3]);

    EXPECT_EQ(net.resourceDrawMode, c.restDays ? 2 : 0);
    EXPECT_EQ(net.resourceScreenBrush.color, c.restDays ? 0x111111 : 0xFF0000);
    EXPECT_EQ(net.timeScale.dayWidth, c.restDays ? 12.0 : 10.0);
    EXPECT_EQ(net.showProgressLine, c.restDays);
    if (c.restDays) {
        ASSERT_EQ(net.restIntervals.Count(), 1);
        EXPECT_EQ(net.restIntervals[0].start, kMarch1 + kDay);
        EXPECT_EQ(net.restIntervals[0].end, kMarch1 + 2 * kDay);
    } else {
        EXPECT_EQ(net.restIntervals.Count(), 0);
    }
    // 8 old bytes 0 1 0 1 0 1 0 1 against the defaults (all shown, connected)
    EXPECT_EQ(net.timeLabelMode.showES, !c.labelMode);
    EXPECT_TRUE(net.timeLabelMode.showEF);
    EXPECT_EQ(net.timeLabelMode.showLS, !c.labelMode);
    EXPECT_EQ(net.timeLabelMode.connectLine, !c.labelMode);
    EXPECT_EQ(net.timeLabelMode.nonCriticalOnly, c.labelMode);
    EXPECT_TRUE(net.timeLabelMode.reserved[0]);
    ASSERT_EQ(net.annotations.size(), c.annotations ? 1u : 0u);
    if (c.annotations) {
        EXPECT_EQ(net.annotations[0]->text, "旧标注");
    }

    // what was read is written back in layout 3 and read again unchanged
    // (the resource diagram switch of the oldest files is not stored there)
    Tpertgra again;
    ASSERT_EQ(ReadInto(again, WriteProjectBytes(net)), 1);
    again.resourceDiagramInNetwork = net.resourceDiagramInNetwork;
    EXPECT_TRUE(again.IsSameAs(net));
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ProjectFileOldVersions,
    ::testing::Values(
        //        text   version gantt groups 1.2   rest   label  notes  progress
        TOldCase{"1.54", 1.54, true, true, true, true, true, true, 0.7},
        TOldCase{"1.53", 1.53, true, true, true, true, true, false, 0.7},
        TOldCase{"1.52", 1.52, true, true, true, true, false, false, 0.7},
        TOldCase{"1.505", 1.505, true, true, true, false, false, false, -0.01},
        TOldCase{"1.1", 1.1, true, false, false, false, false, false, -0.01},
        TOldCase{"abc", 1.0, false, false, false, false, false, false, -0.01}),
    [](const auto& info) {
        // Built by appending: GCC 12 reports a false -Wrestrict on
        // "v" + n in optimised builds.
        std::string n = "v";
        n += info.param.text;
        for (char& ch : n)
            if (ch == '.') ch = '_';
        return n;
    });

TEST(ProjectFileOldVersions, Version154IsOldAndAboveItHasALayoutNumber)
{
    // 1.54 exactly is the old body; 1.541 would begin with a layout number.
    std::vector<uint8_t> b = OldFile("1.54");
    TFakeMessages msgs;
    Tpertgra net;
    TProjectFormat f;
    ASSERT_EQ(ReadInto(net, b, "/x.prt", &f), 1);
    EXPECT_EQ(f.layout, 1);
    // The same bytes under the version text "1.55" take the length of the
    // title for a layout number (6, read as layout 3), and that fails.
    std::vector<uint8_t> c = b;
    c[4 + 3] = '5';  // "1.54" -> "1.55": same length
    Tpertgra other;
    EXPECT_EQ(ReadInto(other, c, "/x.prt", &f), 0);
    EXPECT_EQ(f.version, 1.55);
}

TEST(ProjectFileOldVersions, OldSettingsTakeOnlyADayStepOfTheList)
{
    const struct {
        int32_t stored;
        float expected;
    } cases[] = {{10, 10.0f}, {15, 15.0f}, {1, 1.0f}, {8, 2.5f}, {0, 2.5f}, {-7, 2.5f}};
    for (const auto& c : cases) {
        TOldBytes o(1.1);
        o.OldSettings(c.stored);
        Tpertgra net;
        net.grid->dayStep = 2.5f;
        TPrtReader r(o.w.bytes().data(), o.w.size());
        ReadOldDisplaySettings(r, net);
        EXPECT_EQ(r.remaining(), 0u);
        EXPECT_EQ(net.grid->dayStep, c.expected) << c.stored;
    }
}

// ---- layout 2 -----------------------------------------------------------------------

// The layout-2 body of a network, from its own records.
std::vector<uint8_t> Layout2File(Tpertgra& n, int32_t projectStartAsStored)
{
    TPrtWriter w;
    w.WriteString("1.55");
    w.WriteInt32(2);
    w.WriteString(n.title);
    w.WriteString(n.liveGantt.title);
    w.WriteString(n.fileName);
    w.WriteFontRecord(n.titleFont);
    w.WriteInt32(n.reservedColorA);
    w.WriteInt32(n.reservedColorB);
    w.WriteInt32(n.titleGap);
    w.WriteInt32(n.liveGantt.titleGap);
    w.WriteByte(n.showTitleAlways);
    w.WriteInt32(12345);
    w.WriteInt32(projectStartAsStored);
    n.displaySettings.Write(w);
    n.printPalette.Write(w);
    n.screenPalette.Write(w);
    w.WriteByte(n.showFrame);
    w.WriteByte(n.networkView);
    w.WriteFontRecord(n.workFont);
    w.WriteInt32(n.printTextColor);
    w.WriteInt32(n.screenTextColor);
    w.WriteByte(n.showEndMark);
    w.WriteInt32(n.networkKind);
    w.WriteFontRecord(n.nodeFont);
    n.grid->Write(w);
    WriteCustomStore(w, n.customResourceDays);
    WriteShownResources(w, n.shownResources);
    n.liveGantt.Write(w);
    n.ganttPrintPreset.Write(w);
    n.ganttScreenPreset.Write(w);
    n.groups.Write(w);
    w.WriteInt32(n.showTimeLabels);
    for (int i = 0; i < 3; ++i) {
        w.WriteInt32(n.colorPairs[i]);
        w.WriteInt32(n.colorPairs[i + 3]);
    }
    for (int32_t x : {n.auxiliaryPenWidth, n.suspendedPenWidth, n.reservedInt, n.progressDate,
                      n.resourceDrawMode})
        w.WriteInt32(x);
    WriteBrushRecord(w, n.resourceScreenBrush);
    WriteBrushRecord(w, n.resourcePrintBrush);
    n.timeScale.Write(w);
    w.WriteInt32List(RestDays(n));
    w.WriteByte(n.showProgressLine);
    n.timeLabelMode.Write(w);
    WriteAnnotations(w, n.annotations);
    WriteNetworkSection(w, n, false);
    w.WriteInt32(int32_t(w.size() + 4));
    return w.bytes();
}

TEST(ProjectFileLayout2, ReadsEveryItemAndMovesTheStartToMidnight)
{
    auto src = RichPlan();
    const std::vector<uint8_t> bytes = Layout2File(*src, src->projectStart + 37800);
    TFakeMessages msgs;
    Tpertgra net;
    TProjectFormat f;
    ASSERT_EQ(ReadInto(net, bytes, "/x/opened.prt", &f), 1) << f.problem;
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(f.layout, 2);
    EXPECT_EQ(net.projectStart, src->projectStart);
    EXPECT_EQ(net.reservedColorA, src->reservedColorA);
    EXPECT_EQ(net.showStart, src->projectStart);
    EXPECT_EQ(net.showEnd, src->projectStart);
    // The day list gives one period per rest day.
    std::vector<Ttimeintval> days;
    for (int32_t d : RestDays(*src)) days.push_back({d, d + 86400});
    EXPECT_EQ(net.restIntervals.Items(), days);
    src->restIntervals.Assign(days);
    EXPECT_TRUE(net.IsSameAs(*src));
}

TEST(ProjectFileLayout3, KeepsAStartOffMidnightAsStored)
{
    auto src = RichPlan();
    src->projectStart = kMarch1At1030;
    TFakeMessages msgs;
    Tpertgra net;
    ASSERT_EQ(ReadInto(net, WriteProjectBytes(*src)), 1);
    EXPECT_EQ(net.projectStart, kMarch1At1030);
}

TEST(ProjectFileLayout3, ShortListsKeepDefaultsAndLongListsAreCut)
{
    // A settings block whose lists are shorter or longer than the members
    // they fill, and sections switched off by their flag.
    Tpertgra defaults;
    TPrtWriter w;
    w.WriteString("1.6");
    w.WriteInt32(4);  // any layout above 2 reads as layout 3
    w.WriteInt32(1);
    w.WriteInt32(1);
    w.WriteInt32List({44, 1});                  // titleGap, networkKind only
    w.WriteInt32(1);
    w.WriteDoubleList({1.5, 2.5});              // read and ignored
    w.WriteInt32(1);
    w.WriteBoolList({true, false, false, false, true, true, true});  // two too many
    w.WriteInt32(0);                            // dates: skipped
    w.WriteInt32(1);
    w.WriteInt32List({1, 2, 3});
    w.WriteInt32(1);
    w.WriteStringList({"短表"});
    w.WriteInt32(0);                            // objects: skipped
    w.WriteInt32(1);
    w.WriteInt32(0);                            // no nodes
    w.WriteInt32(int32_t(w.size() + 4));
    TFakeMessages msgs;
    Tpertgra net;
    TProjectFormat f;
    ASSERT_EQ(ReadInto(net, w.bytes(), "/opened.prt", &f), 1) << f.problem;
    EXPECT_EQ(f.layout, 4);
    EXPECT_EQ(net.titleGap, 44);
    EXPECT_EQ(net.networkKind, 1);
    EXPECT_EQ(net.showTimeLabels, defaults.showTimeLabels);
    EXPECT_TRUE(net.showTitleAlways);
    EXPECT_FALSE(net.showFrame);
    EXPECT_TRUE(net.showProgressLine);
    EXPECT_EQ(net.projectStart, defaults.projectStart);
    EXPECT_EQ(net.reservedColorA, 1);
    EXPECT_EQ(net.printTextColor, 3);
    EXPECT_EQ(net.screenTextColor, defaults.screenTextColor);
    EXPECT_EQ(net.title, "短表");
    EXPECT_EQ(net.fileName, "/opened.prt");
    EXPECT_TRUE(net.liveGantt == defaults.liveGantt);
}

TEST(ProjectFileRecords, OldRecordVersionsKeepDefaultsAndReadingGoesOn)
{
    // Node, work, work-data and label records of a version below 2: the
    // record stops after its version and the object keeps its values.
    TPrtWriter w;
    w.WriteInt32(1);  // work-data record, version 1
    w.WriteInt32(1);  // time-label record, version 1
    w.WriteInt32(77);
    TPrtReader r(w.bytes().data(), w.size());
    Tworkdata d;
    d.name = "keep";
    ReadWorkData(r, d);
    TWorkTimeData t;
    ReadTimeLabel(r, t);
    EXPECT_EQ(d.name, "keep");
    EXPECT_EQ(t.texts[0], "ES");
    EXPECT_EQ(r.ReadInt32(), 77);
}

TEST(ProjectFileRecords, RestIntervalRecordReplacesTheListAndFillsByPosition)
{
    TPrtWriter w;
    w.WriteInt32(1);
    w.WriteInt32(3);
    w.WriteInt32(1);
    w.WriteInt32List({100, 200});
    w.WriteInt32(1);
    w.WriteInt32List({300});            // end missing: keeps 0
    w.WriteInt32(7);                    // leading value is not checked
    w.WriteInt32List({400, 500, 600});  // extra item ignored
    TPertTime_out rest;
    rest.Assign({{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    TPrtReader r(w.bytes().data(), w.size());
    ReadRestIntervals(r, rest);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(rest.Items(), (std::vector<Ttimeintval>{{100, 200}, {300, 0}, {400, 500}}));
    TPrtWriter again;
    WriteRestIntervals(again, rest);
    EXPECT_EQ(again.size(), 8u + 3 * 16);
}

TEST(ProjectFileRecords, NodeRecordIsFiftyBytesAndTheOldOneFortySix)
{
    Tvertex v;
    v.id = 4;
    v.time = 2.5f;
    v.joint = true;
    TPrtWriter w;
    WriteNodeRecord(w, v, 9);
    ASSERT_EQ(w.size(), 50u);
    EXPECT_EQ(Int32At(w.bytes(), 4), 9);
    Tvertex back;
    TPrtReader r(w.bytes().data(), w.size());
    EXPECT_FALSE(ReadNodeRecord(r, back));
    EXPECT_EQ(back.id, 9);
    EXPECT_EQ(back.time, 2.5f);
    EXPECT_TRUE(back.joint);
    Tvertex old;
    TPrtReader ro(w.bytes().data() + 4, 46);
    ReadNodeRecordOld(ro, old);
    EXPECT_EQ(ro.remaining(), 0u);
    EXPECT_EQ(old.id, 9);
}

// Writes tests/data/old152.prt, a file of version 1.52 for the command-line
// tests and the fuzzing corpus. Run by hand after a change of OldFile:
//   arrowplan_file_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*DISABLED_WriteOldSample'
TEST(ProjectFileOldVersions, DISABLED_WriteOldSample)
{
    WriteFileBytes(fs::path(ARROWPLAN_TEST_DATA) / "old152.prt", OldFile("1.52"));
}

}  // namespace
