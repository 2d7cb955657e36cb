#include "drawing/Durinterval_x.h"

#include <gtest/gtest.h>

#include "drawing/Recordtest.h"

namespace {

using Spans = std::vector<Tdurinterval_x>;

struct DayWidthCase {
    const char* what;
    Spans before;
    Tdurinterval_x set;
    Spans after;
};

TEST(TimeScale, SetDayWidthKeepsSpansOrderedWithoutOverlap)
{
    const DayWidthCase cases[] = {
        {"into an empty scale", {}, {5, 10, 0}, {{5, 10, 0}}},
        {"the same span again replaces its width", {{5, 10, 0}}, {5, 10, 3}, {{5, 10, 3}}},
        {"equal within 1e-8 counts as the same span", {{5, 10, 0}}, {5 + 5e-9, 10, 3},
         {{5, 10, 3}}},
        {"before an existing span", {{5, 10, 0}}, {1, 3, 2}, {{1, 3, 2}, {5, 10, 0}}},
        {"ending where the next begins", {{5, 10, 0}}, {1, 5, 2}, {{1, 5, 2}, {5, 10, 0}}},
        {"after every span", {{5, 10, 0}}, {12, 14, 2}, {{5, 10, 0}, {12, 14, 2}}},
        {"over the start of a span", {{5, 10, 0}}, {3, 7, 2}, {{3, 7, 2}, {7, 10, 0}}},
        {"over the end of a span", {{5, 10, 0}}, {8, 12, 2}, {{5, 8, 0}, {8, 12, 2}}},
        {"covering two spans removes both", {{2, 4, 1}, {5, 8, 1}}, {1, 9, 2}, {{1, 9, 2}}},
        {"inside a span replaces it", {{0, 10, 1}}, {3, 4, 2}, {{3, 4, 2}}},
        {"from the end of one into the next", {{0, 4, 1}, {6, 10, 1}}, {2, 8, 5},
         {{0, 2, 1}, {2, 8, 5}, {8, 10, 1}}},
    };
    for (const DayWidthCase& c : cases) {
        SCOPED_TRACE(c.what);
        Tlistdurinterval_x s;
        s.intervals = c.before;
        s.SetDayWidth(c.set.startDay, c.set.endDay, c.set.width);
        EXPECT_EQ(s.intervals, c.after);
        EXPECT_EQ(s.dayWidth, 10.0);
    }
}

TEST(TimeScale, NegativeStartSetsTheDefaultWidth)
{
    Tlistdurinterval_x s;
    s.intervals = {{5, 10, 0}};
    s.SetDayWidth(-1, 0, 12.5);
    EXPECT_EQ(s.dayWidth, 12.5);
    EXPECT_EQ(s.intervals.size(), 1u);
}

TEST(TimeScale, RecordRoundTrip)
{
    Tlistdurinterval_x s;
    s.dayWidth = 7.5;
    s.intervals = {{0, 3, 0}, {3, 8.5, 20}, {12, 13, 1}};
    const std::vector<uint8_t> b = BytesOf(s);
    EXPECT_EQ(b.size(), 4u + 8 + 4 + 3 * 28);
    EXPECT_EQ(RoundTrip(s), s);
}

TEST(TimeScale, ReadingInsertsSpansByTheWidthRule)
{
    TPrtWriter w;
    w.WriteInt32(2);
    w.WriteDouble(9);
    w.WriteInt32(4);
    for (auto [a, b, width] : {std::tuple{5.0, 10.0, 0.0}, {1.0, 3.0, 2.0}, {5.0, 10.0, 4.0},
                               {-1.0, 2.0, 99.0}}) {
        w.WriteInt32(2);
        w.WriteDouble(a);
        w.WriteDouble(b);
        w.WriteDouble(width);
    }
    Tlistdurinterval_x s;
    EXPECT_EQ(ReadInto(w.bytes(), s, [](TPrtReader& r, auto& o) { o.Read(r); }), 0u);
    EXPECT_EQ(s.dayWidth, 9);  // a span with a negative day is no default width
    EXPECT_EQ(s.intervals, (Spans{{1, 3, 2}, {5, 10, 4}}));
}

TEST(TimeScale, OldLayoutAndTooOldRecords)
{
    TPrtWriter old;
    old.WriteDouble(6);
    old.WriteInt32(1);
    old.WriteDouble(2);
    old.WriteDouble(4);
    old.WriteDouble(0);
    Tlistdurinterval_x s;
    EXPECT_EQ(ReadInto(old.bytes(), s, [](TPrtReader& r, auto& o) { o.ReadOld(r, 1.53); }), 0u);
    EXPECT_EQ(s.dayWidth, 6);
    EXPECT_EQ(s.intervals, (Spans{{2, 4, 0}}));

    TPrtWriter v1;
    v1.WriteInt32(1);
    v1.WriteDouble(3);
    Tlistdurinterval_x kept;
    kept.dayWidth = 4;
    EXPECT_EQ(ReadInto(v1.bytes(), kept, [](TPrtReader& r, auto& o) { o.Read(r); }), 8u);
    EXPECT_EQ(kept.dayWidth, 4);
}

TEST(TimeScale, CorruptSpanCountThrows)
{
    TPrtWriter w;
    w.WriteInt32(2);
    w.WriteDouble(10);
    w.WriteInt32(0x7FFFFFFF);
    Tlistdurinterval_x s;
    EXPECT_THROW(ReadInto(w.bytes(), s, [](TPrtReader& r, auto& o) { o.Read(r); }),
                 TPrtFormatError);
}

}  // namespace
