#include "gantt/Gantt.h"

#include <gtest/gtest.h>

#include <functional>

#include "drawing/Durinterval_x.h"
#include "drawing/Recordtest.h"
#include "drawing/Tpertgrid.h"

namespace {

Tgantt Changed()
{
    Tgantt g;
    g.titleGap = 21;
    g.rowsPerPage = 30;
    g.rowHeight = 26;
    g.lineWidth = 2;
    g.criticalBarHeight = 9;
    g.normalBarHeight = 7;
    g.leftMargin = 40;
    g.topMargin = 90;
    g.resourceColumnWidth = 70;
    g.spareInt = 5;
    g.spareColor1 = 1;
    g.spareColor2 = 2;
    g.spareColor3 = 3;
    g.showResourceDiagram = true;
    g.title = "横道图\\第二行";
    g.barStyle = "线型";
    g.titleFont = {"黑体", 20, 0x123456};
    g.workFont = {"Arial", 9, 0x654321};
    g.resourceColumnIds = {"R1", "Z2"};
    g.resourceColumnModes = {0, 1};
    g.columns[3].width = 200;
    g.columns[4].visible = true;
    g.columns.push_back(TGanttShowData(20, "额外", 15.5, 2, false));
    g.scaleIntervals.dayWidth = 12;
    g.scaleIntervals.intervals = {{1, 2, 30}};
    g.ruler.topMargin = 99;
    g.ruler.scales[0].name = "工程日";
    return g;
}

TEST(GanttSettings, DefaultsAndPresets)
{
    Tgantt g;
    EXPECT_EQ(g.title, "工程进度横道图");
    EXPECT_EQ(g.page, 1);
    EXPECT_EQ(g.rowsPerPage, 60);
    EXPECT_EQ(g.spareReal, 10.0);
    EXPECT_EQ(g.oldNumberColumn.width, 30);
    EXPECT_EQ(g.oldNameColumn.width, 160);
    EXPECT_EQ(g.oldQuantityColumn.caption, "工程量");
    EXPECT_EQ(g.margins.rightMargin, 5.0);
    ASSERT_EQ(g.columns.size(), 14u);
    EXPECT_EQ(g.columns[3].caption, "工作名称");
    EXPECT_EQ(g.columns[3].width, 160);
    EXPECT_TRUE(g.columns[2].visible && g.columns[3].visible && g.columns[5].visible);
    EXPECT_FALSE(g.columns[0].visible || g.columns[13].visible);
    for (size_t i = 0; i < g.columns.size(); ++i) {
        EXPECT_EQ(g.columns[i].columnId, static_cast<int32_t>(i));
        EXPECT_EQ(g.columns[i].align, 1);
    }
    const TGanttShowData fresh(7);
    EXPECT_EQ(fresh.width, 0.0);
    EXPECT_EQ(fresh.align, 0);
    EXPECT_TRUE(fresh.visible);

    const Tgantt print = Tgantt::PrintPreset();
    const Tgantt screen = Tgantt::ScreenPreset();
    EXPECT_EQ(print.spareColor3, 0x000000);
    EXPECT_EQ(print.workFont.color, 0xFF0000);
    EXPECT_EQ(screen.spareColor3, 0xFFFFFF);
    EXPECT_EQ(screen.workFont.color, 0x00FFFF);
    for (const Tgantt* p : {&print, &screen}) {
        EXPECT_EQ(p->criticalBarHeight, 10);
        EXPECT_EQ(p->normalBarHeight, 10);
        EXPECT_EQ(p->rowHeight, 25);
        EXPECT_EQ(p->leftMargin, 50);
    }
    EXPECT_EQ(g.criticalBarHeight, 8);
}

// Each entry changes one setting of the compared set.
const std::function<void(Tgantt&)> kSettingChanges[] = {
    [](Tgantt& g) { g.page = 2; },
    [](Tgantt& g) { g.oldNumberColumn.width = 31; },
    [](Tgantt& g) { g.oldNameColumn.align = 0; },
    [](Tgantt& g) { g.oldDurationColumn.caption = "工期"; },
    [](Tgantt& g) { g.oldIndexColumn.align = 1; },
    [](Tgantt& g) { g.oldGroupColumn.caption = "组"; },
    [](Tgantt& g) { g.oldStartColumn.width = 1; },
    [](Tgantt& g) { g.oldFinishColumn.align = 0; },
    [](Tgantt& g) { g.oldQuantityColumn.width = 1e-12; },
    [](Tgantt& g) { g.spareReal = 10.000000001; },
    [](Tgantt& g) { g.showLinks = 1; },
    [](Tgantt& g) { g.title = "t"; },
    [](Tgantt& g) { g.titleFont.size = 20; },
    [](Tgantt& g) { g.titleGap = 1; },
    [](Tgantt& g) { g.rowsPerPage = 1; },
    [](Tgantt& g) { g.workFont.name = "Arial"; },
    [](Tgantt& g) { g.rowHeight = 1; },
    [](Tgantt& g) { g.spareColor1 = 1; },
    [](Tgantt& g) { g.lineWidth = 3; },
    [](Tgantt& g) { g.barStyle = "线型"; },
    [](Tgantt& g) { g.spareColor2 = 1; },
    [](Tgantt& g) { g.spareColor3 = 1; },
    [](Tgantt& g) { g.criticalBarHeight = 1; },
    [](Tgantt& g) { g.normalBarHeight = 1; },
    [](Tgantt& g) { g.leftMargin = 1; },
    [](Tgantt& g) { g.topMargin = 1; },
    [](Tgantt& g) { g.showResourceDiagram = true; },
    [](Tgantt& g) { g.resourceColumnIds = {"R"}; },
    [](Tgantt& g) { g.resourceColumnModes = {1}; },
    [](Tgantt& g) { g.resourceColumnWidth = 1; },
    [](Tgantt& g) { g.spareInt = 1; },
    [](Tgantt& g) { g.scaleIntervals.dayWidth = 11; },
    [](Tgantt& g) { g.ruler.frameWidth = 1; },
};

TEST(GanttSettings, AssignAndEqualsCoverEverySetting)
{
    for (size_t i = 0; i < std::size(kSettingChanges); ++i) {
        SCOPED_TRACE(i);
        Tgantt changed;
        kSettingChanges[i](changed);
        Tgantt target;
        EXPECT_FALSE(target.Equals(changed));
        target.Assign(changed);
        EXPECT_TRUE(target.Equals(changed));
        EXPECT_TRUE(Tgantt(changed) == changed);
    }
}

TEST(GanttSettings, ColumnsMarginsAndCurrentWorkStayOutOfAssignAndEquals)
{
    Tgantt source;
    source.columns.clear();
    source.margins.bottomMargin = 20;
    source.currentWork = reinterpret_cast<Tedge*>(&source);  // never dereferenced
    Tgantt target;
    EXPECT_TRUE(target.Equals(source));
    target.Assign(source);
    EXPECT_EQ(target.columns.size(), 14u);
    EXPECT_EQ(target.margins.bottomMargin, 5.0);
    EXPECT_EQ(target.currentWork, nullptr);
}

TEST(GanttSettings, OldWidthsComparedWithTheirTolerances)
{
    const struct {
        const char* what;
        std::function<void(Tgantt&)> change;
        bool same;
    } cases[] = {
        {"index width within 1e-8", [](Tgantt& g) { g.oldIndexColumn.width = 5e-9; }, true},
        {"index width beyond 1e-8", [](Tgantt& g) { g.oldIndexColumn.width = 2e-8; }, false},
        {"group width within 1e-8", [](Tgantt& g) { g.oldGroupColumn.width = -5e-9; }, true},
        {"start width within 1e-10", [](Tgantt& g) { g.oldStartColumn.width = 5e-11; }, true},
        {"start width beyond 1e-10", [](Tgantt& g) { g.oldStartColumn.width = 5e-10; }, false},
        {"finish width within 1e-10", [](Tgantt& g) { g.oldFinishColumn.width = 5e-11; }, true},
        {"quantity width exactly", [](Tgantt& g) { g.oldQuantityColumn.width = 1e-15; }, false},
        {"spare real exactly", [](Tgantt& g) { g.spareReal += 1e-14; }, false},
        {"font colour ignored", [](Tgantt& g) { g.workFont.color = 1; }, true},
    };
    for (const auto& c : cases) {
        Tgantt g;
        c.change(g);
        EXPECT_EQ(g == Tgantt(), c.same) << c.what;
    }
}

TEST(GanttSettings, CopiesAreDeepAndCarryNoCurrentWork)
{
    Tgantt original = Changed();
    original.currentWork = reinterpret_cast<Tedge*>(&original);  // never dereferenced
    Tgantt copy = original;
    EXPECT_EQ(copy.currentWork, nullptr);
    EXPECT_EQ(copy.columns, original.columns);
    copy.columns[0].caption = "x";
    copy.ruler.scales[0].name = "x";
    copy.scaleIntervals.intervals.clear();
    copy.resourceColumnIds.clear();
    EXPECT_EQ(original.columns[0].caption, "序号");
    EXPECT_EQ(original.ruler.scales[0].name, "工程日");
    EXPECT_EQ(original.scaleIntervals.intervals.size(), 1u);
    EXPECT_EQ(original.resourceColumnIds.size(), 2u);

    Tgantt assigned;
    assigned = original;
    EXPECT_TRUE(assigned == original);
    EXPECT_EQ(assigned.columns.size(), 15u);
}

TEST(GanttRecord, VersionFourRoundTrip)
{
    const Tgantt g = Changed();
    const Tgantt back = RoundTrip(g);
    EXPECT_TRUE(back == g);
    EXPECT_EQ(back.columns, g.columns);
    EXPECT_EQ(back.page, 1);  // not stored
}

TEST(GanttRecord, BadColumnVersionLeavesADefaultColumn)
{
    // A record without columns, split where its column count stands.
    Tgantt g;
    g.columns.clear();
    const std::vector<uint8_t> whole = BytesOf(g);
    const size_t tail = BytesOf(g.scaleIntervals).size() + BytesOf(g.ruler).size();
    const size_t countAt = whole.size() - tail - 4;

    const TGanttShowData second(5, "工期", 50, 0, false);
    TPrtWriter w;
    w.WriteRaw(whole.data(), countAt);
    w.WriteInt32(2);
    w.WriteInt32(1);  // a column of version 1 is its version alone
    second.Write(w);
    w.WriteRaw(whole.data() + countAt + 4, tail);

    Tgantt back;
    EXPECT_EQ(ReadInto(w.bytes(), back, [](TPrtReader& r, auto& o) { o.Read(r); }), 0u);
    ASSERT_EQ(back.columns.size(), 2u);
    EXPECT_EQ(back.columns[0], TGanttShowData());
    EXPECT_EQ(back.columns[1], second);
}

// Versions 2 and 3, written here field by field.
std::vector<uint8_t> OlderRecord(int32_t version)
{
    TPrtWriter w;
    w.WriteInt32(version);
    for (int32_t x : {1, 31, 0, 161, 2, 61}) w.WriteInt32(x);
    w.WriteFontRecord({"Arial", 11, 0x0000FF});
    for (int32_t x : {27, 0x111111, 2}) w.WriteInt32(x);
    w.WriteString("线型");
    for (int32_t x : {0x222222, 0x333333, 12, 11, 45, 95}) w.WriteInt32(x);
    Tpertgrid ruler;
    ruler.frameWidth = 8;
    ruler.Write(w);
    w.WriteInt32(2);
    w.WriteString("R1");
    w.WriteString("R2");
    w.WriteInt32(2);
    w.WriteInt32(1);
    w.WriteInt32(0);
    for (int32_t x : {90, 6, 1}) w.WriteInt32(x);
    w.WriteByte(true);
    w.WriteFontRecord({"黑体", 22, 0});
    w.WriteString("号");
    w.WriteInt32(3);   // page
    w.WriteInt32(40);  // rows per page
    w.WriteString("时间");
    w.WriteString("名称");
    w.WriteDouble(2.5);
    for (const char* c : {"量", "序", "组", "始", "终"}) {
        w.WriteString(c);
        w.WriteDouble(7.5);
        w.WriteInt32(0);
    }
    Tlistdurinterval_x scale;
    scale.dayWidth = 14;
    scale.Write(w);
    if (version == 3) w.WriteString("旧标题");
    return w.bytes();
}

TEST(GanttRecord, VersionsTwoAndThree)
{
    for (int32_t version : {2, 3}) {
        SCOPED_TRACE(version);
        Tgantt g;
        EXPECT_EQ(ReadInto(OlderRecord(version), g, [](TPrtReader& r, auto& o) { o.Read(r); }),
                  0u);
        EXPECT_EQ(g.title, version == 3 ? "旧标题" : "工程进度横道图");
        EXPECT_EQ(g.oldNumberColumn.align, 1);
        EXPECT_EQ(g.oldNumberColumn.width, 31);
        EXPECT_EQ(g.oldNumberColumn.caption, "号");
        EXPECT_EQ(g.oldNameColumn.caption, "名称");
        EXPECT_EQ(g.workFont, TVqFont("Arial", 11, 0));
        EXPECT_EQ(g.rowHeight, 27);
        EXPECT_EQ(g.barStyle, "线型");
        EXPECT_EQ(g.topMargin, 95);
        EXPECT_EQ(g.ruler.frameWidth, 8);
        EXPECT_EQ(g.resourceColumnIds, (std::vector<std::string>{"R1", "R2"}));
        EXPECT_EQ(g.resourceColumnModes, (std::vector<int32_t>{1, 0}));
        EXPECT_EQ(g.resourceColumnWidth, 90);
        EXPECT_EQ(g.showLinks, 1);
        EXPECT_TRUE(g.showResourceDiagram);
        EXPECT_EQ(g.titleFont.size, 22);
        EXPECT_EQ(g.page, 3);
        EXPECT_EQ(g.rowsPerPage, 40);
        EXPECT_EQ(g.spareReal, 2.5);
        EXPECT_EQ(g.oldFinishColumn.caption, "终");
        EXPECT_EQ(g.oldGroupColumn.width, 7.5);
        EXPECT_EQ(g.scaleIntervals.dayWidth, 14);
        EXPECT_EQ(g.columns, Tgantt::DefaultColumns());
    }
}

TEST(GanttRecord, VersionOneContributesNothing)
{
    TPrtWriter w;
    w.WriteInt32(1);
    Tgantt g;
    EXPECT_EQ(ReadInto(w.bytes(), g, [](TPrtReader& r, auto& o) { o.Read(r); }), 0u);
    EXPECT_TRUE(g == Tgantt());
}

// Files up to 1.54, by file version.
std::vector<uint8_t> OldRecord(double v)
{
    TPrtWriter w;
    for (int32_t x : {0, 32, 0, 162, 0, 62}) w.WriteInt32(x);
    w.WriteFontBody({"Arial", 11, 0});
    for (int32_t x : {27, 0x111111, 2}) w.WriteInt32(x);
    w.WriteString("条形");
    for (int32_t x : {0x222222, 0x333333, 12, 11, 45, 95}) w.WriteInt32(x);
    // The old frame of a 1.1 file: no bottom flags, brushes or title tables.
    for (int i = 0; i < 10; ++i) w.WriteByte(false);
    w.WriteFloat(1);
    w.WriteRaw(std::vector<uint8_t>(12, 0).data(), 12);
    for (int32_t x : {200, 50, 60, 60, 0x808000, 9}) w.WriteInt32(x);
    auto explanation = [&w, v] {
        for (int32_t x : {0, 300, 160, 20, 20}) w.WriteInt32(x);
        w.WriteStringList({});
        w.WriteFontBody({"宋体", 10, 0});
        w.WriteInt32(0);
        w.WriteInt32(0);
        w.WriteStringList({});
        w.WriteFontBody({"宋体", 10, 0});
        w.WriteInt32(0);
        w.WriteInt32(0);
        for (int i = 0; i < (v >= 1.2 ? 19 : 17); ++i) w.WriteString("");
        if (v >= 1.2)
            for (int i = 0; i < 3; ++i) w.WriteByte(true);
        if (v > 1.529) ADD_FAILURE() << "old frame of this test only up to 1.529";
    };
    for (int i = 0; i < 5; ++i) w.WriteInt32(0);
    explanation();
    for (int i = 0; i < 5; ++i) w.WriteInt32(0);
    explanation();
    for (int i = 0; i < 8; ++i) {
        w.WriteString("r");
        w.WriteString("宋体");
        w.WriteInt32(9);
        w.WriteByte(false);
        w.WriteInt32(0);
        for (int32_t x : {50, 1}) w.WriteInt32(x);
        w.WriteString("宋体");
        for (int32_t x : {8, 0, 0, 1, 60, 5, 0x808000, 1}) w.WriteInt32(x);
        w.WriteByte(false);
        w.WriteInt32(20);
    }
    explanation();
    if (v > 1.519)
        for (int i = 0; i < 4; ++i) w.WriteInt32(5);
    w.WriteInt32(1);
    w.WriteString("R9");
    w.WriteInt32(1);
    w.WriteInt32(1);
    w.WriteInt32(75);  // resource column width
    if (v >= 1.2) {
        w.WriteInt32(4);
        w.WriteInt32(1);
        w.WriteByte(true);
        w.WriteFontBody({"黑体", 18, 0});
        w.WriteString("号");
        w.WriteInt32(0);  // a page below 1 opens page 1
        w.WriteInt32(33);
        w.WriteString("时间");
        w.WriteString("名称");
    }
    if (v > 1.28) {
        w.WriteDouble(3.5);
        for (const char* c : {"量", "序", "组"}) {
            w.WriteString(c);
            w.WriteDouble(4);
            w.WriteInt32(1);
        }
    }
    if (v > 1.519) {
        for (const char* c : {"始", "终"}) {
            w.WriteString(c);
            w.WriteDouble(6);
            w.WriteInt32(0);
        }
        w.WriteDouble(15);
        w.WriteInt32(0);
    }
    return w.bytes();
}

TEST(GanttRecord, OldLayoutsByFileVersion)
{
    for (double v : {1.1, 1.2, 1.28, 1.29, 1.519, 1.52}) {
        SCOPED_TRACE(v);
        Tgantt g;
        EXPECT_EQ(ReadInto(OldRecord(v), g, [v](TPrtReader& r, auto& o) { o.ReadOld(r, v); }),
                  0u);
        EXPECT_EQ(g.oldNameColumn.width, 162);
        EXPECT_EQ(g.ruler.frameWidth, 9);
        EXPECT_EQ(g.resourceColumnIds, (std::vector<std::string>{"R9"}));
        EXPECT_EQ(g.resourceColumnWidth, 75);
        EXPECT_EQ(g.title, "工程进度横道图");
        EXPECT_EQ(g.rowsPerPage, v >= 1.2 ? 33 : 60);
        EXPECT_EQ(g.page, 1);
        EXPECT_EQ(g.showLinks, v >= 1.2 ? 1 : 0);
        EXPECT_EQ(g.spareReal, v > 1.28 ? 3.5 : 10.0);
        EXPECT_EQ(g.oldGroupColumn.width, v > 1.28 ? 4 : 0);
        EXPECT_EQ(g.oldStartColumn.caption, v > 1.519 ? "始" : "开始时间");
        EXPECT_EQ(g.scaleIntervals.dayWidth, v > 1.519 ? 15 : 10);
        EXPECT_EQ(g.ruler.screenRestBrush.color, v > 1.519 ? 5 : 0x808080);
    }
}

}  // namespace
