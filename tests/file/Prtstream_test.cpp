#include "file/Prtstream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> v)
{
    std::vector<uint8_t> b;
    for (int x : v) b.push_back(static_cast<uint8_t>(x));
    return b;
}

TPrtReader ReaderOf(const std::vector<uint8_t>& b) { return TPrtReader(b.data(), b.size()); }

TEST(PrtStreamNumbers, LittleEndianLayoutAndRoundTrip)
{
    TPrtWriter w;
    w.WriteInt32(0x01020304);
    w.WriteInt32(-2);
    w.WriteFloat(1.5f);
    w.WriteDouble(-0.1);
    w.WriteByte(true);
    w.WriteByte(false);
    w.WriteInt32(std::numeric_limits<int32_t>::min());
    w.WriteFloat(std::numeric_limits<float>::quiet_NaN());

    const std::vector<uint8_t>& b = w.bytes();
    ASSERT_EQ(b.size(), 4u + 4 + 4 + 8 + 1 + 1 + 4 + 4);
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 12),
              Bytes({0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xC0, 0x3F}));
    EXPECT_EQ(b[12], 0x9A);  // low byte of -0.1 (0xBFB999999999999A)
    EXPECT_EQ(b[19], 0xBF);
    EXPECT_EQ(b[20], 1);
    EXPECT_EQ(b[21], 0);

    TPrtReader r = ReaderOf(b);
    EXPECT_EQ(r.ReadInt32(), 0x01020304);
    EXPECT_EQ(r.ReadInt32(), -2);
    EXPECT_EQ(r.ReadFloat(), 1.5f);
    EXPECT_EQ(r.ReadDouble(), -0.1);
    EXPECT_TRUE(r.ReadByte());
    EXPECT_FALSE(r.ReadByte());
    EXPECT_EQ(r.ReadInt32(), std::numeric_limits<int32_t>::min());
    EXPECT_TRUE(std::isnan(r.ReadFloat()));
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(r.position(), b.size());
}

TEST(PrtStreamNumbers, AnyNonZeroByteAndPlaceholderIsTrue)
{
    std::vector<uint8_t> b = Bytes({0x00, 0x02, 0xFF, 0, 0, 0, 0, 0xEF, 0xBE, 0xAD, 0xDE});
    TPrtReader r = ReaderOf(b);
    EXPECT_FALSE(r.ReadByte());
    EXPECT_TRUE(r.ReadByte());
    EXPECT_TRUE(r.ReadByte());
    EXPECT_FALSE(r.ReadPlaceholder());
    EXPECT_TRUE(r.ReadPlaceholder());

    TPrtWriter w;
    w.WritePlaceholder(true);
    w.WritePlaceholder(false);
    EXPECT_EQ(w.bytes(), Bytes({1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(PrtStreamLists, RoundTripWithCountsInFront)
{
    const std::vector<int32_t> ints{7, -1, 0x7FFFFFFF};
    const std::vector<double> doubles{0.5, -1e300};
    const std::vector<bool> flags{true, false, true, true, false};
    const std::vector<std::string> texts{"", "abc", "宋体"};

    TPrtWriter w;
    w.WriteInt32List(ints);
    w.WriteDoubleList(doubles);
    w.WriteBoolList(flags);
    w.WriteStringList(texts);
    w.WriteInt32List({});
    w.WriteStringList({});
    EXPECT_EQ(w.size(), (4 + 12) + (4 + 16) + (4 + 5) + (4 + 4 + 7 + 8) + 4 + 4u);
    EXPECT_EQ(w.bytes()[0], 3);

    TPrtReader r = ReaderOf(w.bytes());
    EXPECT_EQ(r.ReadInt32List(), ints);
    EXPECT_EQ(r.ReadDoubleList(), doubles);
    EXPECT_EQ(r.ReadBoolList(), flags);
    EXPECT_EQ(r.ReadStringList(), texts);
    EXPECT_TRUE(r.ReadInt32List().empty());
    EXPECT_TRUE(r.ReadStringList().empty());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(PrtStreamStrings, Cp936OnDiskUtf8InMemory)
{
    struct Case {
        std::string utf8;
        std::vector<uint8_t> disk;
    };
    const Case cases[] = {
        {"", {}},
        {"abc", Bytes({'a', 'b', 'c'})},
        {"宋体", Bytes({0xCB, 0xCE, 0xCC, 0xE5})},
        {"工程进度网络计划图", Bytes({0xB9, 0xA4, 0xB3, 0xCC, 0xBD, 0xF8, 0xB6, 0xC8, 0xCD,
                                      0xF8, 0xC2, 0xE7, 0xBC, 0xC6, 0xBB, 0xAE, 0xCD, 0xBC})},
        {"A宋b", Bytes({'A', 0xCB, 0xCE, 'b'})},
        {"€", Bytes({0x80})},
        {"1.55", Bytes({'1', '.', '5', '5'})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        TPrtWriter w;
        w.WriteString(c.utf8);
        EXPECT_TRUE(w.unconvertible().empty());
        ASSERT_EQ(w.size(), 4 + c.disk.size());
        TPrtReader len = ReaderOf(w.bytes());
        EXPECT_EQ(static_cast<size_t>(len.ReadInt32()), c.disk.size());
        EXPECT_EQ(std::vector<uint8_t>(w.bytes().begin() + 4, w.bytes().end()), c.disk);

        TPrtReader r = ReaderOf(w.bytes());
        EXPECT_EQ(r.ReadString(), c.utf8);
        EXPECT_EQ(r.remaining(), 0u);
    }
}

TEST(PrtStreamStrings, UnconvertibleCharacterBecomesQuestionMarkAndIsReportedOnce)
{
    const std::string emoji = "任务\xF0\x9F\x98\x80完成";   // 任务😀完成
    const std::string badUtf8 = std::string("x\xFF") + "y";  // not UTF-8 at all
    TPrtWriter w;
    w.WriteString("宋体");
    w.WriteString(emoji);
    w.WriteStringList({emoji, badUtf8});

    EXPECT_EQ(w.unconvertible(), (std::vector<std::string>{emoji, badUtf8}));
    TPrtReader r = ReaderOf(w.bytes());
    EXPECT_EQ(r.ReadString(), "宋体");
    EXPECT_EQ(r.ReadString(), "任务?完成");
    EXPECT_EQ(r.ReadStringList(), (std::vector<std::string>{"任务?完成", "x?y"}));

    bool ok = true;
    EXPECT_EQ(Utf8ToCp936("\xF0\x9F\x98\x80\xF0\x9F\x98\x80", &ok), "??");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Utf8ToCp936("宋", &ok), "\xCB\xCE");
    EXPECT_TRUE(ok);
}

TEST(PrtStreamStrings, InvalidCp936BytesBecomeReplacementCharacter)
{
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case {
        std::string disk;
        std::string utf8;
    };
    const Case cases[] = {
        {"A\xFF" "B", "A" + fffd + "B"},
        {"\xCB", fffd},                      // lead byte cut off at the end
        {"\xCB \xCB\xCE", fffd + " 宋"},      // lead byte followed by a space
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Cp936ToUtf8(c.disk), c.utf8);
        TPrtWriter w;
        w.WriteInt32(static_cast<int32_t>(c.disk.size()));
        w.WriteRaw(c.disk.data(), c.disk.size());
        w.WriteInt32(77);
        TPrtReader r = ReaderOf(w.bytes());
        EXPECT_EQ(r.ReadString(), c.utf8);
        EXPECT_EQ(r.ReadInt32(), 77);
    }
}

TEST(PrtStreamStrings, LongMixedTextSurvives)
{
    std::string text;
    for (int i = 0; i < 2000; ++i) text += i % 3 ? "网络" : "ab";
    TPrtWriter w;
    w.WriteString(text);
    TPrtReader r = ReaderOf(w.bytes());
    EXPECT_EQ(r.ReadString(), text);
}

TEST(PrtStreamReader, BrokenDataThrowsFormatError)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        std::function<void(TPrtReader&)> read;
    };
    const Case cases[] = {
        {"int32 cut off", Bytes({1, 2, 3}), [](TPrtReader& r) { r.ReadInt32(); }},
        {"float cut off", Bytes({1, 2}), [](TPrtReader& r) { r.ReadFloat(); }},
        {"double cut off", Bytes({1, 2, 3, 4, 5, 6, 7}), [](TPrtReader& r) { r.ReadDouble(); }},
        {"byte at end", {}, [](TPrtReader& r) { r.ReadByte(); }},
        {"raw byte at end", {}, [](TPrtReader& r) { r.ReadRawByte(); }},
        {"raw past end", Bytes({1, 2}), [](TPrtReader& r) { char b[3]; r.ReadRaw(b, 3); }},
        {"skip past end", Bytes({1, 2}), [](TPrtReader& r) { r.Skip(3); }},
        {"placeholder cut off", Bytes({1}), [](TPrtReader& r) { r.ReadPlaceholder(); }},
        {"string length negative", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'a'}),
         [](TPrtReader& r) { r.ReadString(); }},
        {"string length huge", Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'a'}),
         [](TPrtReader& r) { r.ReadString(); }},
        {"string cut off", Bytes({5, 0, 0, 0, 'a', 'b', 'c'}),
         [](TPrtReader& r) { r.ReadString(); }},
        {"int list negative", Bytes({0xFE, 0xFF, 0xFF, 0xFF}),
         [](TPrtReader& r) { r.ReadInt32List(); }},
        {"int list huge", Bytes({0, 0, 0, 0x40, 1, 2, 3, 4}),
         [](TPrtReader& r) { r.ReadInt32List(); }},
        {"double list one short", Bytes({2, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
         [](TPrtReader& r) { r.ReadDoubleList(); }},
        {"bool list one short", Bytes({3, 0, 0, 0, 1, 0}), [](TPrtReader& r) { r.ReadBoolList(); }},
        {"string list huge", Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}),
         [](TPrtReader& r) { r.ReadStringList(); }},
        {"string list item cut off", Bytes({2, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0}),
         [](TPrtReader& r) { r.ReadStringList(); }},
        {"count too large for items", Bytes({3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}),
         [](TPrtReader& r) { r.ReadCount(5); }},
        {"count negative", Bytes({0, 0, 0, 0x80}), [](TPrtReader& r) { r.ReadCount(0); }},
        {"read beyond truncation", Bytes({1, 0, 0, 0, 2, 0, 0, 0}),
         [](TPrtReader& r) { r.Truncate(4); r.ReadInt32(); r.ReadInt32(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPrtReader r = ReaderOf(c.data);
        EXPECT_THROW(c.read(r), TPrtFormatError);
    }
}

TEST(PrtStreamReader, CountAcceptsExactFitAndLeavesPositionAfterIt)
{
    std::vector<uint8_t> b = Bytes({2, 0, 0, 0, 1, 2, 3, 4, 5, 6});
    TPrtReader r = ReaderOf(b);
    EXPECT_EQ(r.ReadCount(3), 2);
    EXPECT_EQ(r.position(), 4u);
    EXPECT_EQ(r.remaining(), 6u);

    TPrtReader zero = ReaderOf(b);
    zero.Truncate(4);
    EXPECT_EQ(zero.ReadCount(0), 2);  // no item size: only the sign is checked
}

}  // namespace
