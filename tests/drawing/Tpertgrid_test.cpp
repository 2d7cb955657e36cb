#include "drawing/Tpertgrid.h"

#include <gtest/gtest.h>

#include <functional>

#include "drawing/Brushrecord.h"
#include "drawing/Recordtest.h"

namespace {

// A frame in which every stored field differs from its default.
Tpertgrid ChangedGrid()
{
    Tpertgrid g;
    g.topYear = true;
    g.topMonth = false;
    g.byProjectCalendar = true;
    g.topWeekday = true;
    g.dayStep = 7.0f;
    for (int i = 0; i < Tpertgrid::kScaleCount; ++i) {
        Tprojectscale& s = g.scales[static_cast<size_t>(i)];
        s.name = "行" + std::to_string(i);
        s.height = 20 + i;
        s.nameWidth = 60 + i;
        s.reserved1 = 7;
        s.reserved2 = 8;
        s.nameFont = {"Arial", 11, 0x112233};
        s.scaleFont = {"黑体", 12, 0x445566};
        s.tickWidth = 2;
        s.minLabelSpacing = 70;
        s.subTickSpacing = 6;
        s.lineColor = 0x010203;
        s.borderWidth = 3;
        s.gridLines = i % 2 == 0;
    }
    Tpertexplain& e = g.explain;
    e.showMode = 2;
    e.blockWidth = 310;
    e.blockHeight = 170;
    e.textLeftGap = 3;
    e.textRightGap = 4;
    e.explanationLines = {"第一段", "", "second"};
    e.explanationFont = {"楷体", 14, 0x00AA00};
    e.explanationScreenColor = 0x0A0B0C;
    e.explanationPrintColor = 0x0C0B0A;
    e.noteLines = {"备注"};
    e.titleBlockFont = {"Arial", 9, 0x101010};
    e.titleBlockScreenColor = 5;
    e.titleBlockPrintColor = 6;
    e.cells[2] = "张三";
    e.cells[9] = "";
    e.cells[18] = "2007-3-10";
    e.autoStart = false;
    e.autoDuration = false;
    e.titleStyle = 1;
    e.rightBar.x = 11;
    e.rightBar.y = 12;
    e.rightBar.values = {"a", "b"};
    e.rightBar.shown = false;
    e.rightBar.height = 33.5;
    e.leftBar.labels = {"x"};
    e.leftBar.labelWidth = 80.25;
    e.legend.x = 3;
    e.legend.y = 4;
    e.legend.width = 150;
    e.legend.hasDummy = true;
    g.leftBlockWidth = 210;
    g.rightMargin = 51;
    g.bottomMargin = 61;
    g.topMargin = 62;
    g.frameColor = 0xABCDEF;
    g.frameWidth = 4;
    g.printColors = {1, 2, 3, 4, 5};
    g.screenColors = {6, 7, 8, 9, 10};
    g.screenRestBrush = {2, 0x202020};
    g.printRestBrush = {6, 0x303030};
    g.bottomYear = true;
    g.bottomDay = false;
    g.bottomWeekday = true;
    return g;
}

TEST(Frame, DefaultsOfANewFrame)
{
    Tpertgrid g;
    EXPECT_TRUE(g.topMonth && g.topDay && g.topProjectDay);
    EXPECT_FALSE(g.topYear || g.topHalfMonth || g.topTenDays || g.topProjectWeek ||
                 g.topProjectMonth || g.topWeekday || g.byProjectCalendar);
    EXPECT_TRUE(g.bottomEnabled && g.bottomMonth && g.bottomDay && g.bottomProjectDay);
    EXPECT_EQ(g.dayStep, 1.0f);
    const char* names[] = {"工程标尺", "年", "月", "工程月", "工程周", "周", "星期", "日"};
    for (int i = 0; i < Tpertgrid::kScaleCount; ++i) {
        const Tprojectscale& s = g.scales[static_cast<size_t>(i)];
        EXPECT_EQ(s.name, names[i]);
        EXPECT_EQ(s.gridLines, i == 7) << i;
        EXPECT_EQ(s.height, 20);
        EXPECT_EQ(s.nameWidth, 50);
        EXPECT_EQ(s.nameFont, TVqFont("宋体", 9, 0));
        EXPECT_EQ(s.scaleFont.size, 8);
        EXPECT_EQ(s.lineColor, 0x808000);
        EXPECT_EQ(s.gridColor, 0x008080);
    }
    EXPECT_EQ(g.frameWidth, 5);
    EXPECT_EQ(g.screenColors[0], 0xB4B400);
    EXPECT_EQ(g.screenColors[4], 0x008080);
    EXPECT_EQ(g.printColors[2], 0);
    EXPECT_EQ(g.screenRestBrush, TVqBrush(5, 0x808080));
    EXPECT_EQ(g.explain.cells[0], "施工单位");
    EXPECT_EQ(g.explain.leftBar.labels.size(), 4u);
    EXPECT_TRUE(g.explain.leftBar.values.empty());
    EXPECT_EQ(g.explain.leftBar.valueWidth, 100);
    EXPECT_EQ(g.explain.rightBar.values, (std::vector<std::string>{"  ", "  ", "  "}));
    EXPECT_EQ(g.explain.rightBar.valueWidth, 200);
}

TEST(Frame, EqualityReachesEveryPart)
{
    const std::function<void(Tpertgrid&)> changes[] = {
        [](Tpertgrid& g) { g.bottomWeekday = true; },
        [](Tpertgrid& g) { g.dayStep = 2.0f; },
        [](Tpertgrid& g) { g.scales[5].gridWidth = 2; },
        [](Tpertgrid& g) { g.scales[3].nameFont.size = 10; },
        [](Tpertgrid& g) { g.scales[0].reserved2 = 1; },
        [](Tpertgrid& g) { g.explain.cells[11] = "文件"; },
        [](Tpertgrid& g) { g.explain.rightBar.y = 1; },
        [](Tpertgrid& g) { g.explain.leftBar.font.name = "Arial"; },
        [](Tpertgrid& g) { g.explain.legend.hasSuspended = true; },
        [](Tpertgrid& g) { g.explain.noteLines.push_back("x"); },
        [](Tpertgrid& g) { g.printRestBrush.color = 1; },
        [](Tpertgrid& g) { g.screenColors[3] = 1; },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        Tpertgrid g;
        changes[i](g);
        EXPECT_FALSE(g == Tpertgrid()) << i;
    }
    // Colours of fonts and the legend's corner are not part of equality.
    Tpertgrid g;
    g.scales[1].nameFont.color = 1;
    g.explain.legend.x = 99;
    EXPECT_TRUE(g == Tpertgrid());
}

TEST(Frame, CopiesAreIndependent)
{
    const Tpertgrid original = ChangedGrid();
    Tpertgrid copy = original;
    EXPECT_TRUE(copy == original);
    copy.scales[2].name = "changed";
    copy.explain.explanationLines[0] = "changed";
    copy.explain.rightBar.labels.clear();
    EXPECT_EQ(original.scales[2].name, "行2");
    EXPECT_EQ(original.explain.explanationLines[0], "第一段");
    EXPECT_EQ(original.explain.rightBar.labels.size(), 4u);
}

TEST(Frame, RecordRoundTrip)
{
    const Tpertgrid g = ChangedGrid();
    const Tpertgrid back = RoundTrip(g);
    EXPECT_TRUE(back == g);
    EXPECT_EQ(back.explain.legend.x, 3);  // stored although not compared
    EXPECT_EQ(back.scales[4].nameFont.color, 0x112233);
    EXPECT_TRUE(RoundTrip(Tpertgrid()) == Tpertgrid());
}

TEST(Frame, RulerOmitsGridColourAndWidth)
{
    Tprojectscale s;
    s.gridColor = 1;
    s.gridWidth = 9;
    const Tprojectscale back = RoundTrip(s);
    EXPECT_EQ(back.gridColor, 0x008080);
    EXPECT_EQ(back.gridWidth, 1);
}

TEST(Frame, RecordOfVersionOneIsSkippedWhole)
{
    TPrtWriter w;
    w.WriteInt32(1);
    w.WriteInt32(12345);  // whatever follows belongs to the next section
    Tpertgrid g;
    TPrtReader r(w.bytes().data(), w.size());
    g.Read(r);
    EXPECT_TRUE(g == Tpertgrid());
    EXPECT_EQ(r.ReadInt32(), 12345);
}

// Old layouts, written here field by field.
void OldTitleBar(TPrtWriter& w, const std::string& label)
{
    w.WriteInt32(1);
    w.WriteInt32(2);
    w.WriteStringList({label});
    w.WriteStringList({});
    w.WriteFontBody({"Arial", 8, 0});
    w.WriteByte(true);
    w.WriteDouble(90);
    w.WriteDouble(110);
    w.WriteDouble(40);
}

void OldExplanation(TPrtWriter& w, double v, int32_t blockWidth)
{
    for (int32_t x : {1, blockWidth, 150, 10, 11}) w.WriteInt32(x);
    w.WriteStringList({"说明"});
    w.WriteFontBody({"宋体", 10, 0x00FFFF});
    w.WriteInt32(1);
    w.WriteInt32(2);
    w.WriteStringList({});
    w.WriteFontBody({"宋体", 11, 0x00FFFF});
    w.WriteInt32(3);
    w.WriteInt32(4);
    for (int i = 0; i < 17; ++i) w.WriteString("c" + std::to_string(i));
    if (v >= 1.2) {
        w.WriteString("c17");
        w.WriteString("c18");
        for (bool b : {false, true, false}) w.WriteByte(b);
    }
    if (v > 1.529) {
        w.WriteInt32(1);
        OldTitleBar(w, "右");
        OldTitleBar(w, "左");
        w.WriteInt32(5);
        w.WriteInt32(6);
        w.WriteDouble(120);
        w.WriteDouble(130);
        for (bool b : {true, false, true}) w.WriteByte(b);
    }
}

void OldRuler(TPrtWriter& w, int i)
{
    w.WriteString("r" + std::to_string(i));
    w.WriteString("Arial");
    w.WriteInt32(11);
    w.WriteByte(false);
    w.WriteInt32(0x0000AA);
    w.WriteInt32(55);
    w.WriteInt32(1);
    w.WriteString("宋体");
    w.WriteInt32(7);
    w.WriteInt32(0x00BB00);
    w.WriteInt32(0);
    for (int32_t x : {2, 61, 4, 0x808000, 1}) w.WriteInt32(x);
    w.WriteByte(i == 0);
    w.WriteInt32(30 + i);
}

std::vector<uint8_t> OldGrid(double v)
{
    TPrtWriter w;
    for (int i = 0; i < 10; ++i) w.WriteByte(i == 0);
    w.WriteFloat(3.0f);
    w.WriteRaw(std::vector<uint8_t>(12, 0).data(), 12);
    for (int32_t x : {201, 52, 63, 64, 0x111111, 3}) w.WriteInt32(x);
    for (int32_t x : {1, 2, 3, 4, 5}) w.WriteInt32(x);
    if (v <= 1.529) OldExplanation(w, v, 101);
    for (int32_t x : {6, 7, 8, 9, 10}) w.WriteInt32(x);
    if (v <= 1.529) OldExplanation(w, v, 102);
    for (int i = 0; i < 8; ++i) OldRuler(w, i);
    OldExplanation(w, v, 103);
    if (v > 1.519) {
        for (int32_t x : {3, 0x010101, 4, 0x020202}) w.WriteInt32(x);
    }
    if (v > 1.529) {
        for (int i = 0; i < 10; ++i) w.WriteByte(i == 9);
    }
    return w.bytes();
}

TEST(Frame, OldLayoutsByFileVersion)
{
    for (double v : {1.1, 1.2, 1.519, 1.52, 1.529, 1.53, 1.54}) {
        SCOPED_TRACE(v);
        Tpertgrid g;
        EXPECT_EQ(ReadInto(OldGrid(v), g, [v](TPrtReader& r, auto& o) { o.ReadOld(r, v); }), 0u);
        EXPECT_TRUE(g.topYear);
        EXPECT_FALSE(g.topMonth);
        EXPECT_EQ(g.dayStep, 3.0f);
        EXPECT_EQ(g.frameColor, 0x111111);
        EXPECT_EQ(g.printColors[4], 5);
        EXPECT_EQ(g.screenColors[0], 6);
        EXPECT_EQ(g.scales[3].name, "r3");
        EXPECT_EQ(g.scales[3].nameFont, TVqFont("Arial", 11, 0));
        EXPECT_EQ(g.scales[3].nameFont.color, 0x0000AA);
        EXPECT_EQ(g.scales[3].scaleFont.color, 0x00BB00);
        EXPECT_EQ(g.scales[3].height, 33);
        EXPECT_EQ(g.scales[3].minLabelSpacing, 61);
        EXPECT_TRUE(g.scales[0].gridLines);
        EXPECT_EQ(g.explain.blockWidth, 103);  // the last block read wins
        EXPECT_EQ(g.explain.cells[16], "c16");
        EXPECT_EQ(g.explain.cells[17], v >= 1.2 ? "c17" : "");
        EXPECT_EQ(g.explain.autoStart, v < 1.2);
        EXPECT_EQ(g.explain.titleStyle, v > 1.529 ? 1 : 0);
        EXPECT_EQ(g.explain.leftBar.labels.size(), v > 1.529 ? 1u : 4u);
        EXPECT_EQ(g.explain.legend.hasDummy, v > 1.529);
        EXPECT_EQ(g.screenRestBrush, v > 1.519 ? TVqBrush(3, 0x010101) : TVqBrush(5, 0x808080));
        EXPECT_EQ(g.bottomWeekday, v > 1.529);
        EXPECT_EQ(g.bottomEnabled, v <= 1.529);
    }
}

TEST(BrushRecord, VersionTwoAndOldLayout)
{
    TPrtWriter w;
    WriteBrushRecord(w, {3, 0x123456});
    ASSERT_EQ(w.size(), 12u);
    TVqBrush b;
    TPrtReader r(w.bytes().data(), w.size());
    ReadBrushRecord(r, b);
    EXPECT_EQ(b, TVqBrush(3, 0x123456));

    TPrtWriter v1;
    v1.WriteInt32(1);
    TVqBrush kept{5, 7};
    TPrtReader r1(v1.bytes().data(), v1.size());
    ReadBrushRecord(r1, kept);
    EXPECT_EQ(kept, TVqBrush(5, 7));
    EXPECT_EQ(r1.remaining(), 0u);
}

}  // namespace
