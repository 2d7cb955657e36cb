#include "drawing/Timedatashowmode.h"

#include <gtest/gtest.h>

#include "drawing/Recordtest.h"

namespace {

TEST(TimeLabelMode, DefaultsInStoredOrder)
{
    const bool expected[TTimeDataShowMode::kCount] = {1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 0, 0};
    TTimeDataShowMode m;
    for (int i = 0; i < TTimeDataShowMode::kCount; ++i) EXPECT_EQ(m.Get(i), expected[i]) << i;
    EXPECT_TRUE(m.connectLine);
    EXPECT_FALSE(m.nonCriticalOnly);
}

TEST(TimeLabelMode, EveryFlagCountsAndIsStored)
{
    for (int i = 0; i < TTimeDataShowMode::kCount; ++i) {
        TTimeDataShowMode m;
        m.Set(i, !m.Get(i));
        EXPECT_FALSE(m == TTimeDataShowMode()) << i;
        const std::vector<uint8_t> b = BytesOf(m);
        ASSERT_EQ(b.size(), 4u + 14);
        EXPECT_EQ(b[4 + i], m.Get(i) ? 1 : 0);
        EXPECT_TRUE(RoundTrip(m) == m);
    }
}

TEST(TimeLabelMode, OldRecordHoldsEightFlagsAndLowVersionsKeepTheFlags)
{
    TPrtWriter old;
    for (int i = 0; i < 8; ++i) old.WriteByte(i % 2 == 0);
    TTimeDataShowMode m;
    EXPECT_EQ(ReadInto(old.bytes(), m, [](TPrtReader& r, auto& o) { o.ReadOld(r, 1.53); }), 0u);
    EXPECT_TRUE(m.showES);
    EXPECT_FALSE(m.showEF);
    EXPECT_FALSE(m.nonCriticalOnly);
    EXPECT_TRUE(m.Get(8));  // beyond the old bytes: default

    TPrtWriter v1;
    v1.WriteInt32(1);
    for (int i = 0; i < 14; ++i) v1.WriteByte(false);
    TTimeDataShowMode kept;
    EXPECT_EQ(ReadInto(v1.bytes(), kept, [](TPrtReader& r, auto& o) { o.Read(r); }), 14u);
    EXPECT_TRUE(kept == TTimeDataShowMode());
}

}  // namespace
