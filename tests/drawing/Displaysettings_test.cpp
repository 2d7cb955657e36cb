#include "drawing/Displaysettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "drawing/Recordtest.h"

namespace {

int32_t SlotValue(const TDisplaySettings& s, int i) { return static_cast<int32_t>(s.SlotBits(i)); }

TEST(DisplaySettings, DefaultsOfTheThreeBlocks)
{
    struct Slot {
        int offset;
        int32_t current;
        int32_t print;
    };
    const Slot table[] = {
        {0, 50, 50},          {4, 50, 50},          {8, 100, 100},       {16, 0, 0},
        {20, 0, 0},           {24, 28, 28},         {28, 9, 9},          {32, 9, 9},
        {36, 0x0000FF, 0x0000FF}, {40, 0xFFFFFF, 0}, {44, 0x00FF00, 0},   {48, 0xFFFFFF, 0},
        {52, 0xFFFF00, 0},    {56, 0x008080, 0},    {60, 0x00FF00, 0},   {64, 0, 0xFFFFFF},
        {68, 7, 7},           {72, 3, 3},           {76, 1, 1},          {80, 1, 1},
        {84, 1, 1},           {88, 1, 1},           {92, 1, 1},          {96, 1, 1},
        {100, 120, 120},      {104, 40, 40},        {108, 4, 4},         {112, 9, 9},
        {116, 1, 1},          {120, 100, 100},      {124, 100, 100},     {128, 1, 1},
        {132, 3, 3},          {136, 10, 10},        {140, 2, 2},         {144, 6, 6},
        {148, 1, 1},
    };
    const TDisplaySettings current = TDisplaySettings::Defaults();
    const TDisplaySettings screen = TDisplaySettings::ScreenDefaults();
    const TDisplaySettings print = TDisplaySettings::PrintDefaults();
    for (const Slot& s : table) {
        SCOPED_TRACE(s.offset);
        EXPECT_EQ(SlotValue(current, s.offset / 4), s.current);
        EXPECT_EQ(SlotValue(screen, s.offset / 4), s.current);
        EXPECT_EQ(SlotValue(print, s.offset / 4), s.print);
    }
    EXPECT_EQ(current.legacyDayWidth, 10.0f);
    EXPECT_EQ(current.Palette(0), current.criticalColor);
    EXPECT_EQ(print.Palette(7), 0xFFFFFF);
}

TEST(DisplaySettings, FloatSlotComparedWithinOneBillionth)
{
    TDisplaySettings a, b;
    a.legacyDayWidth = 0.0f;
    b.legacyDayWidth = 5e-10f;
    EXPECT_TRUE(a == b);
    b.legacyDayWidth = 2e-9f;
    EXPECT_FALSE(a == b);
    a.legacyDayWidth = 10.0f;
    b.legacyDayWidth = std::nextafter(10.0f, 11.0f);
    EXPECT_FALSE(a == b);
}

TEST(DisplaySettings, EveryIntegerSlotTakesPartInEquality)
{
    const TDisplaySettings base;
    for (int i = 0; i < TDisplaySettings::kSlotCount; ++i) {
        if (i == 3) continue;
        TDisplaySettings other = base;
        other.SetSlotBits(i, other.SlotBits(i) ^ 0x100u);
        EXPECT_FALSE(base == other) << "slot " << i;
    }
}

TEST(DisplaySettings, BlockIsWrittenAsRawLittleEndianSlots)
{
    TDisplaySettings s;
    s.rowHeight = 0x01020304;
    s.legacyDayWidth = 1.5f;
    s.useScreenPalette = 0;
    const std::vector<uint8_t> b = BytesOf(s);
    ASSERT_EQ(b.size(), TDisplaySettings::kBytes);
    EXPECT_EQ(b[0], 0x04);
    EXPECT_EQ(b[3], 0x01);
    float f = 0;
    std::memcpy(&f, b.data() + 12, 4);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(b[96], 1);  // showDurations: low byte 1, three zero bytes
    EXPECT_EQ(b[97], 0);
    EXPECT_EQ(b[148], 0);

    TDisplaySettings back = RoundTrip(s);
    EXPECT_TRUE(back == s);
    EXPECT_EQ(back.rowHeight, 0x01020304);
}

TEST(DisplaySettings, RecordHoldsCurrentPrintScreenAndSkipsOnZero)
{
    TDisplaySettings cur, print = TDisplaySettings::PrintDefaults(), screen;
    cur.minWorkLength = 40;
    screen.backgroundColor = 0x123456;
    TPrtWriter w;
    WriteDisplayRecord(w, cur, print, screen);
    ASSERT_EQ(w.size(), 4 + 3 * TDisplaySettings::kBytes);

    TDisplaySettings c2, p2, s2;
    TPrtReader r(w.bytes().data(), w.size());
    ReadDisplayRecord(r, c2, p2, s2);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_TRUE(c2 == cur);
    EXPECT_TRUE(p2 == print);
    EXPECT_TRUE(s2 == screen);

    TPrtWriter zero;
    zero.WriteInt32(0);
    TDisplaySettings c3, p3, s3;
    TPrtReader rz(zero.bytes().data(), zero.size());
    ReadDisplayRecord(rz, c3, p3, s3);
    EXPECT_EQ(rz.remaining(), 0u);
    EXPECT_TRUE(c3 == TDisplaySettings());
}

TEST(DisplaySettings, RepairOfTheOldDayWidth)
{
    const struct {
        float in;
        float out;
    } cases[] = {{-0.5f, 10.0f}, {0.0f, 0.0f}, {1000.0f, 1000.0f}, {1000.5f, 10.0f},
                 {7.25f, 7.25f}, {std::numeric_limits<float>::quiet_NaN(), 10.0f}};
    for (const auto& c : cases) {
        TDisplaySettings s;
        s.legacyDayWidth = c.in;
        s.RepairLegacyDayWidth();
        EXPECT_EQ(s.legacyDayWidth, c.out) << c.in;
    }
}

}  // namespace
