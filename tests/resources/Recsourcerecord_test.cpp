#include "model/Recsource.h"

#include <gtest/gtest.h>

#include "drawing/Recordtest.h"
#include "resources/Customstore.h"
#include "resources/Shownresources.h"

namespace {

Trecsource Entry(const std::string& number, float daily)
{
    Trecsource e;
    e.startDay = 2.5f;
    e.endDay = 9;
    e.number = number;
    e.name = "钢筋 Φ12";
    e.unit = "千克";
    e.price = 4.25f;
    e.dailyAmount = daily;
    e.resourceKind = "材料资源";
    e.totalAmount = 123.456;
    e.measureMode = 1;
    e.drawMode = 2;
    return e;
}

// A chain of n entries numbered Z0, Z1, ...
std::unique_ptr<Trecsource> Chain(int n)
{
    std::unique_ptr<Trecsource> head;
    std::unique_ptr<Trecsource>* link = &head;
    for (int i = 0; i < n; ++i) {
        *link = std::make_unique<Trecsource>(Entry("Z" + std::to_string(i), float(i)));
        link = &(*link)->next;
    }
    return head;
}

size_t ChainLength(const Trecsource* p)
{
    size_t n = 0;
    for (; p; p = p->next.get()) ++n;
    return n;
}

TEST(ResourceRecord, EntryRoundTripKeepsTheDrawMode)
{
    const Trecsource e = Entry("R1", 3.5f);
    const std::vector<uint8_t> b = BytesOf(e);
    Trecsource back = RoundTrip(e);
    EXPECT_TRUE(back == e);
    EXPECT_EQ(back.drawMode, 2);
    EXPECT_EQ(back.next, nullptr);
    // Version, four strings, five float64, two int32 and the next placeholder.
    EXPECT_EQ(BytesOf(Trecsource()).size(), 4u + 16 + 40 + 8 + 4);
    EXPECT_EQ(b.size(), 72u + 2 + 9 + 4 + 8);  // code page 936 text bytes
}

TEST(ResourceRecord, LongChainIsWrittenAndReadWithoutRecursion)
{
    const int n = 100000;
    const std::unique_ptr<Trecsource> chain = Chain(n);
    TPrtWriter w;
    chain->Write(w);
    Trecsource back;
    TPrtReader r(w.bytes().data(), w.size());
    back.Read(r);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(ChainLength(&back), size_t(n));
    EXPECT_TRUE(SameChain(&back, chain.get()));
    TPrtWriter again;
    back.Write(again);
    EXPECT_EQ(again.bytes(), w.bytes());
}

TEST(ResourceRecord, TooOldEntryKeepsItsValues)
{
    TPrtWriter w;
    w.WriteInt32(1);
    Trecsource e = Entry("R7", 1);
    e.next = std::make_unique<Trecsource>();
    EXPECT_EQ(ReadInto(w.bytes(), e, [](TPrtReader& r, auto& o) { o.Read(r); }), 0u);
    EXPECT_EQ(e.number, "R7");
    EXPECT_NE(e.next, nullptr);
}

TEST(ResourceRecord, OldLayoutByFileVersion)
{
    for (double v : {1.3, 1.31}) {
        SCOPED_TRACE(v);
        TPrtWriter w;
        w.WriteString("R2");
        w.WriteString("水泥");
        w.WriteString("吨");
        w.WriteFloat(300);
        w.WriteFloat(1.5f);
        w.WriteString("材料资源");
        w.WriteFloat(3);
        w.WriteFloat(8);
        if (v > 1.3) {
            w.WriteDouble(7.5);
            w.WriteInt32(0);
        }
        Trecsource e;
        e.drawMode = 1;
        EXPECT_EQ(ReadInto(w.bytes(), e, [v](TPrtReader& r, auto& o) { o.ReadOld(r, v); }), 0u);
        EXPECT_EQ(e.name, "水泥");
        EXPECT_EQ(e.price, 300);
        EXPECT_EQ(e.dailyAmount, 1.5f);
        EXPECT_EQ(e.resourceKind, "材料资源");
        EXPECT_EQ(e.endDay, 8);
        EXPECT_EQ(e.totalAmount, v > 1.3 ? 7.5 : 0);
        EXPECT_EQ(e.measureMode, v > 1.3 ? 0 : 1);
        EXPECT_EQ(e.drawMode, 1);
    }
}

TEST(CustomStore, ThirtyEmptyDays)
{
    TCustomDays days(30);
    TPrtWriter w;
    WriteCustomStore(w, days);
    std::vector<uint8_t> expected(4 + 30 * 4, 0);
    expected[0] = 30;
    EXPECT_EQ(w.bytes(), expected);

    TCustomDays back;
    back.push_back(Chain(2));  // replaced by reading
    TPrtReader r(w.bytes().data(), w.size());
    ReadCustomStore(r, back);
    EXPECT_EQ(r.remaining(), 0u);
    ASSERT_EQ(back.size(), 30u);
    for (const auto& d : back) EXPECT_EQ(d, nullptr);
}

TEST(CustomStore, DaysWithChainsRoundTrip)
{
    TCustomDays days;
    days.push_back(nullptr);
    days.push_back(Chain(3));
    days.push_back(nullptr);
    days.push_back(Chain(1));
    TPrtWriter w;
    WriteCustomStore(w, days);
    TCustomDays back;
    TPrtReader r(w.bytes().data(), w.size());
    ReadCustomStore(r, back);
    EXPECT_EQ(r.remaining(), 0u);
    ASSERT_EQ(back.size(), days.size());
    for (size_t i = 0; i < days.size(); ++i) EXPECT_TRUE(SameChain(back[i].get(), days[i].get()));
    TPrtWriter again;
    WriteCustomStore(again, back);
    EXPECT_EQ(again.bytes(), w.bytes());
}

TEST(CustomStore, OldLayoutWithALongDay)
{
    const int longDay = 50000;
    TPrtWriter w;
    w.WriteInt32(3);
    w.WritePlaceholder(false);
    w.WritePlaceholder(true);
    for (int i = 0; i < longDay; ++i) {
        w.WriteString("Z" + std::to_string(i));
        w.WriteString("人工");
        w.WriteString("工日");
        w.WriteFloat(80);
        w.WriteFloat(float(i));
        w.WritePlaceholder(i + 1 < longDay);
    }
    w.WritePlaceholder(false);
    TCustomDays days;
    TPrtReader r(w.bytes().data(), w.size());
    ReadCustomStoreOld(r, days);
    EXPECT_EQ(r.remaining(), 0u);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0], nullptr);
    EXPECT_EQ(days[2], nullptr);
    ASSERT_EQ(ChainLength(days[1].get()), size_t(longDay));
    EXPECT_EQ(days[1]->number, "Z0");
    EXPECT_EQ(days[1]->next->dailyAmount, 1.0f);
    EXPECT_EQ(days[1]->unit, "工日");
}

TEST(CustomStore, CorruptDayCountThrows)
{
    TPrtWriter w;
    w.WriteInt32(0x40000000);
    w.WritePlaceholder(false);
    TCustomDays days;
    TPrtReader r(w.bytes().data(), w.size());
    EXPECT_THROW(ReadCustomStore(r, days), TPrtFormatError);
    TPrtReader r2(w.bytes().data(), w.size());
    EXPECT_THROW(ReadCustomStoreOld(r2, days), TPrtFormatError);
}

TEST(ShownResources, ReadingReplacesTheList)
{
    TPrtWriter w;
    WriteShownResources(w, {"R1", "Z3"});
    std::vector<std::string> shown{"old"};
    TPrtReader r(w.bytes().data(), w.size());
    ReadShownResources(r, shown);
    EXPECT_EQ(shown, (std::vector<std::string>{"R1", "Z3"}));
    EXPECT_EQ(r.remaining(), 0u);
}

}  // namespace
