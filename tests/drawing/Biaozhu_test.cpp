#include "drawing/Biaozhu.h"

#include <gtest/gtest.h>

#include <functional>

#include "drawing/Recordtest.h"

namespace {

TBiaoZhu Changed()
{
    TBiaoZhu a;
    a.anchorDay = 3.5;
    a.anchorXOffset = -2;
    a.anchorRow = 1.25;
    a.width = 120;
    a.height = 40;
    a.marginLeft = 1;
    a.marginTop = 2;
    a.marginRight = 3;
    a.marginBottom = 4;
    a.anchor = {100.5, 200.25};
    a.text = "混凝土养护\n七天";
    a.font = {"黑体", 14, 0x0000FF};
    a.textPrintColor = 0x111111;
    a.textScreenColor = 0x222222;
    a.hasFrame = false;
    a.framePrintColor = 0x333333;
    a.frameScreenColor = 0x444444;
    a.boxLineWidth = 3;
    return a;
}

TEST(Annotation, Defaults)
{
    TBiaoZhu a;
    EXPECT_EQ(a.text, "网络计划标注");
    EXPECT_EQ(a.font, TVqFont("宋体", 12, 0));
    EXPECT_EQ(a.marginTop, 5);
    EXPECT_TRUE(a.hasFrame);
    EXPECT_EQ(a.textScreenColor, 0xC8C896);
    EXPECT_EQ(a.boxLineWidth, 2);
}

TEST(Annotation, EqualityComparesEveryStoredValue)
{
    const std::function<void(TBiaoZhu&)> changes[] = {
        [](TBiaoZhu& a) { a.anchorDay += 1e-12; },
        [](TBiaoZhu& a) { a.anchorRow = 2; },
        [](TBiaoZhu& a) { a.marginBottom = 6; },
        [](TBiaoZhu& a) { a.anchor.y += 1e-9; },
        [](TBiaoZhu& a) { a.text = "x"; },
        [](TBiaoZhu& a) { a.font.size = 13; },
        [](TBiaoZhu& a) { a.textPrintColor = 1; },
        [](TBiaoZhu& a) { a.frameScreenColor = 1; },
        [](TBiaoZhu& a) { a.hasFrame = false; },
        [](TBiaoZhu& a) { a.boxLineWidth = 1; },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        TBiaoZhu a;
        changes[i](a);
        EXPECT_FALSE(a == TBiaoZhu()) << i;
    }
    TBiaoZhu a;
    a.font.color = 1;
    EXPECT_TRUE(a == TBiaoZhu());
}

TEST(Annotation, RecordRoundTrip)
{
    const TBiaoZhu a = Changed();
    EXPECT_TRUE(RoundTrip(a) == a);

    std::vector<std::unique_ptr<TBiaoZhu>> list;
    list.push_back(std::make_unique<TBiaoZhu>(a));
    list.push_back(std::make_unique<TBiaoZhu>());
    TPrtWriter w;
    WriteAnnotations(w, list);
    std::vector<std::unique_ptr<TBiaoZhu>> back;
    back.push_back(std::make_unique<TBiaoZhu>());  // replaced by reading
    TPrtReader r(w.bytes().data(), w.size());
    ReadAnnotations(r, back);
    EXPECT_EQ(r.remaining(), 0u);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_TRUE(*back[0] == a);
    EXPECT_TRUE(*back[1] == TBiaoZhu());
}

TEST(Annotation, RecordBytesInTheirOrderAndWrittenBackAlike)
{
    const TBiaoZhu a = Changed();
    TPrtWriter w;
    a.Write(w);
    const std::vector<uint8_t>& b = w.bytes();
    // version 2, ten doubles from anchorDay, four colours, one bool.
    TPrtReader r(b.data(), b.size());
    EXPECT_EQ(r.ReadInt32(), 2);
    EXPECT_EQ(r.ReadInt32(), 10);
    EXPECT_EQ(r.ReadDouble(), 3.5);
    for (int i = 0; i < 8; ++i) r.ReadDouble();
    EXPECT_EQ(r.ReadDouble(), 3) << "boxLineWidth last";
    EXPECT_EQ(r.ReadInt32(), 4);
    EXPECT_EQ(r.ReadInt32(), 0x111111);
    // The anchor closes the record.
    TPrtReader tail(b.data() + b.size() - 16, 16);
    EXPECT_EQ(tail.ReadDouble(), 100.5);
    EXPECT_EQ(tail.ReadDouble(), 200.25);

    TBiaoZhu back;
    TPrtReader all(b.data(), b.size());
    back.Read(all);
    EXPECT_EQ(all.remaining(), 0u);
    TPrtWriter again;
    back.Write(again);
    EXPECT_EQ(again.bytes(), b);
}

TEST(Annotation, EmptyListIsFourBytes)
{
    TPrtWriter w;
    WriteAnnotations(w, {});
    EXPECT_EQ(w.bytes(), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(Annotation, ShortAndLongListsAssignByPosition)
{
    TPrtWriter w;
    w.WriteInt32(2);
    w.WriteDoubleList({7, 8});                     // only anchorDay and anchorXOffset
    w.WriteInt32List({1, 2, 3, 4, 5, 6});          // two extra colours ignored
    w.WriteBoolList({});                           // hasFrame kept
    w.WriteFontRecord({"Arial", 9, 0});
    w.WriteString("t");
    w.WriteDouble(1);
    w.WriteDouble(2);
    TBiaoZhu a;
    EXPECT_EQ(ReadInto(w.bytes(), a, [](TPrtReader& r, auto& o) { o.Read(r); }), 0u);
    EXPECT_EQ(a.anchorDay, 7);
    EXPECT_EQ(a.anchorXOffset, 8);
    EXPECT_EQ(a.anchorRow, 0);
    EXPECT_EQ(a.boxLineWidth, 2);
    EXPECT_EQ(a.frameScreenColor, 4);
    EXPECT_TRUE(a.hasFrame);
    EXPECT_EQ(a.text, "t");
}

void OldRecord(TPrtWriter& w, double version)
{
    w.WriteDouble(version);
    if (version < 1.0) return;
    w.WriteDoubleList({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    w.WriteInt32List({11, 12, 13, 14});
    w.WriteBoolList({false});
    w.WriteString("ignored");
    for (int i = 0; i < 7; ++i) w.WriteInt32(i);
    for (int i = 0; i < 8; ++i) w.WriteDouble(i);
    w.WriteString("旧标注");
    w.WriteFontBody({"楷体", 15, 0x00FF00});
    w.WriteInt32(0);
    w.WriteByte(true);
}

TEST(Annotation, OldRecordsWithTheirTextBlock)
{
    TPrtWriter w;
    w.WriteInt32(2);
    OldRecord(w, 1.0);
    OldRecord(w, 0.5);  // too old: nothing more of it
    std::vector<std::unique_ptr<TBiaoZhu>> list;
    TPrtReader r(w.bytes().data(), w.size());
    ReadAnnotationsOld(r, list, 1.54);
    EXPECT_EQ(r.remaining(), 0u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->text, "旧标注");
    EXPECT_EQ(list[0]->font, TVqFont("楷体", 15, 0));
    EXPECT_EQ(list[0]->boxLineWidth, 10);
    EXPECT_EQ(list[0]->frameScreenColor, 14);
    EXPECT_FALSE(list[0]->hasFrame);
    EXPECT_EQ(list[0]->anchor.x, 0);
    EXPECT_TRUE(*list[1] == TBiaoZhu());
}

TEST(Annotation, CorruptCountThrows)
{
    TPrtWriter w;
    w.WriteInt32(1000);
    w.WriteInt32(2);
    std::vector<std::unique_ptr<TBiaoZhu>> list;
    TPrtReader r(w.bytes().data(), w.size());
    EXPECT_THROW(ReadAnnotations(r, list), TPrtFormatError);
}

}  // namespace
