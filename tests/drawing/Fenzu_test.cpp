#include "drawing/Fenzu.h"

#include <gtest/gtest.h>

#include <functional>

#include "drawing/Recordtest.h"

namespace {

Tfenzu ChangedGroup()
{
    Tfenzu g;
    g.position = {50, 180};
    g.height = 75.5;
    g.width = 120;
    g.text = "基础工程";
    g.font = {"黑体", 12, 0x0000FF};
    g.reserved = 9;
    g.printColor = 0x112233;
    g.separatorLine = false;
    return g;
}

TEST(Groups, Defaults)
{
    Tfenzu g;
    EXPECT_EQ(g.height, 100.0);
    EXPECT_EQ(g.width, 0.0);
    EXPECT_EQ(g.text, "说明");
    EXPECT_EQ(g.font, TVqFont("宋体", 10, 0));
    EXPECT_TRUE(g.separatorLine);
    Tfenzuarray a;
    EXPECT_EQ(a.origin.x, 50);
    EXPECT_EQ(a.origin.y, 100);
    EXPECT_EQ(a.groupColumnWidth, 0);
    EXPECT_TRUE(a.items.empty());
}

TEST(Groups, EqualityOfGroupsAndColumn)
{
    const std::function<void(Tfenzu&)> groupChanges[] = {
        [](Tfenzu& g) { g.position.y = 1; },   [](Tfenzu& g) { g.height = 1; },
        [](Tfenzu& g) { g.width = 1; },        [](Tfenzu& g) { g.text = "x"; },
        [](Tfenzu& g) { g.font.size = 11; },   [](Tfenzu& g) { g.reserved = 1; },
        [](Tfenzu& g) { g.printColor = 1; },   [](Tfenzu& g) { g.separatorLine = false; },
    };
    for (size_t i = 0; i < std::size(groupChanges); ++i) {
        Tfenzu g;
        groupChanges[i](g);
        EXPECT_FALSE(g == Tfenzu()) << i;
    }
    Tfenzu colourOnly;
    colourOnly.font.color = 1;
    EXPECT_TRUE(colourOnly == Tfenzu());

    const std::function<void(Tfenzuarray&)> columnChanges[] = {
        [](Tfenzuarray& a) { a.origin.x = 60; },
        [](Tfenzuarray& a) { a.groupColumnWidth = 80; },
        [](Tfenzuarray& a) { a.reserved = 1; },
        [](Tfenzuarray& a) { a.items.emplace_back(); },
    };
    for (size_t i = 0; i < std::size(columnChanges); ++i) {
        Tfenzuarray a;
        columnChanges[i](a);
        EXPECT_FALSE(a == Tfenzuarray()) << i;
    }
}

TEST(Groups, CopiesAreIndependent)
{
    Tfenzuarray a;
    a.items = {ChangedGroup(), Tfenzu()};
    Tfenzuarray copy = a;
    copy.items[0].text = "changed";
    copy.items.pop_back();
    EXPECT_EQ(a.items.size(), 2u);
    EXPECT_EQ(a.items[0].text, "基础工程");
}

TEST(Groups, RecordRoundTrip)
{
    Tfenzuarray a;
    a.origin = {40, 90};
    a.groupColumnWidth = 85;
    a.reserved = 2.5;
    a.items = {ChangedGroup(), Tfenzu()};
    EXPECT_TRUE(RoundTrip(a) == a);
}

void OldTextBlock(TPrtWriter& w, const std::string& text)
{
    w.WriteString("ignored");
    for (int i = 0; i < 7; ++i) w.WriteInt32(i);
    for (int i = 0; i < 8; ++i) w.WriteDouble(i);
    w.WriteString(text);
    w.WriteFontBody({"楷体", 13, 0});
    w.WriteInt32(0);
    w.WriteByte(false);
}

void GroupBody(TPrtWriter& w, const std::string& text)
{
    w.WriteDouble(50);
    w.WriteDouble(130);
    w.WriteDouble(30);
    w.WriteDouble(85);
    OldTextBlock(w, text);
    w.WriteByte(false);      // separator line
    w.WriteInt32(0x445566);  // print colour
}

TEST(Groups, GroupRecordVersions)
{
    TPrtWriter w;
    w.WriteInt32(2);
    for (double d : {45.0, 95.0, 1.5, 85.0}) w.WriteDouble(d);
    w.WriteInt32(3);
    w.WriteInt32(1);  // too old: appended with its defaults
    w.WriteInt32(2);
    GroupBody(w, "第二版");
    ChangedGroup().Write(w);

    Tfenzuarray a;
    EXPECT_EQ(ReadInto(w.bytes(), a, [](TPrtReader& r, auto& o) { o.Read(r); }), 0u);
    EXPECT_EQ(a.origin.y, 95);
    EXPECT_EQ(a.reserved, 1.5);
    EXPECT_EQ(a.groupColumnWidth, 85);
    ASSERT_EQ(a.items.size(), 3u);
    EXPECT_TRUE(a.items[0] == Tfenzu());
    EXPECT_EQ(a.items[1].text, "第二版");
    EXPECT_EQ(a.items[1].font, TVqFont("楷体", 13, 0));
    EXPECT_EQ(a.items[1].height, 30);
    EXPECT_FALSE(a.items[1].separatorLine);
    EXPECT_EQ(a.items[1].printColor, 0x445566);
    EXPECT_EQ(a.items[1].reserved, 0);
    EXPECT_TRUE(a.items[2] == ChangedGroup());
}

TEST(Groups, OldRecordAndTooOldColumn)
{
    TPrtWriter w;
    for (double d : {55.0, 105.0, 0.0, 70.0}) w.WriteDouble(d);
    w.WriteInt32(2);
    GroupBody(w, "甲");
    GroupBody(w, "乙");
    Tfenzuarray a;
    EXPECT_EQ(ReadInto(w.bytes(), a, [](TPrtReader& r, auto& o) { o.ReadOld(r, 1.5); }), 0u);
    EXPECT_EQ(a.groupColumnWidth, 70);
    ASSERT_EQ(a.items.size(), 2u);
    EXPECT_EQ(a.items[1].text, "乙");

    TPrtWriter v1;
    v1.WriteInt32(1);
    Tfenzuarray kept;
    kept.groupColumnWidth = 33;
    EXPECT_EQ(ReadInto(v1.bytes(), kept, [](TPrtReader& r, auto& o) { o.Read(r); }), 0u);
    EXPECT_EQ(kept.groupColumnWidth, 33);
}

TEST(Groups, CorruptCountThrows)
{
    TPrtWriter w;
    for (double d : {55.0, 105.0, 0.0, 70.0}) w.WriteDouble(d);
    w.WriteInt32(3);  // three old groups cannot fit in what follows
    GroupBody(w, "甲");
    Tfenzuarray a;
    EXPECT_THROW(ReadInto(w.bytes(), a, [](TPrtReader& r, auto& o) { o.ReadOld(r, 1.5); }),
                 TPrtFormatError);
}

}  // namespace
