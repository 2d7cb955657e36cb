#include "file/Prtstream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

constexpr int32_t kSentinel = 0x5A5A1234;
constexpr int32_t kWindowText = static_cast<int32_t>(0xFF000008u);

// Builds component streams by hand, byte by byte.
struct TStreamBuilder {
    std::vector<uint8_t> b;

    TStreamBuilder& Byte(int v)
    {
        b.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    TStreamBuilder& Int(int64_t v, int n)
    {
        for (int i = 0; i < n; ++i) Byte(static_cast<int>((v >> (8 * i)) & 0xFF));
        return *this;
    }
    TStreamBuilder& Short(const std::string& s)
    {
        Byte(static_cast<int>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    TStreamBuilder& Long(const std::string& s)
    {
        Int(static_cast<int64_t>(s.size()), 4);
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    TStreamBuilder& Prop(const std::string& name, int type) { return Short(name).Byte(type); }
    TStreamBuilder& Append(const TStreamBuilder& o)
    {
        b.insert(b.end(), o.b.begin(), o.b.end());
        return *this;
    }
    static TStreamBuilder Header()
    {
        TStreamBuilder s;
        s.b = {'T', 'P', 'F', '0'};
        return s.Short("TEdit").Short("Edit1");
    }
};

// A font body with the given stream and a sentinel int32 after it.
std::vector<uint8_t> BodyWithStream(int32_t color, const std::string& name,
                                    const std::vector<uint8_t>& stream)
{
    TPrtWriter w;
    w.WriteInt32(color);
    w.WriteString(name);
    w.WriteInt32(-1);
    w.WriteInt32(static_cast<int32_t>(stream.size()));
    w.WriteRaw(stream.data(), stream.size());
    w.WriteInt32(kSentinel);
    return w.bytes();
}

TVqFont ReadBodyAndSentinel(const std::vector<uint8_t>& bytes, TVqFont f = TVqFont{})
{
    TPrtReader r(bytes.data(), bytes.size());
    r.ReadFontBody(f);
    EXPECT_EQ(r.ReadInt32(), kSentinel);
    EXPECT_EQ(r.remaining(), 0u);
    return f;
}

void ExpectSameFont(const TVqFont& a, const TVqFont& b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.size, b.size);
    EXPECT_EQ(a.color, b.color);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.charset, b.charset);
}

// The value-type byte and value that follow a property name in the stream.
std::vector<uint8_t> PropertyValue(const std::vector<uint8_t>& bytes, const std::string& name,
                                   size_t n)
{
    std::vector<uint8_t> key{static_cast<uint8_t>(name.size())};
    key.insert(key.end(), name.begin(), name.end());
    auto it = std::search(bytes.begin(), bytes.end(), key.begin(), key.end());
    if (it == bytes.end() || bytes.end() - it < static_cast<ptrdiff_t>(key.size() + n)) return {};
    it += static_cast<ptrdiff_t>(key.size());
    return std::vector<uint8_t>(it, it + static_cast<ptrdiff_t>(n));
}

TEST(PrtStreamFont, SizeAndHeightConvertAtNinetySixPixelsPerInch)
{
    struct Case {
        int32_t size, height;
    };
    const Case cases[] = {{10, -13}, {7, -9}, {9, -12}, {24, -32}, {8, -11},
                          {12, -16}, {5, -7}, {72, -96}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(FontHeightFromSize(c.size), c.height);
        EXPECT_EQ(FontSizeFromHeight(c.height), c.size);
        EXPECT_EQ(FontSizeFromHeight(-c.height), c.size);  // cell height taken as pixels
    }
    for (int32_t s = 1; s <= 400; ++s) EXPECT_EQ(FontSizeFromHeight(FontHeightFromSize(s)), s);
}

TEST(PrtStreamFont, BodyRoundTripKeepsAllFiveValues)
{
    const TVqFont all = [] {
        TVqFont f("楷体_GB2312", 10, kWindowText);
        f.style = TVqFont::Bold | TVqFont::Italic | TVqFont::Underline | TVqFont::StrikeOut;
        f.charset = 255;
        return f;
    }();
    TVqFont bold("黑体", 24, 0x0000FF);
    bold.style = TVqFont::Bold | TVqFont::Italic;
    bold.charset = 134;
    TVqFont plain("Arial", 7, 0x123456);
    plain.style = TVqFont::Underline | TVqFont::StrikeOut;
    plain.charset = 0;
    TVqFont longName(std::string(300, 'n'), 72, 0xFFFFFF);

    for (const TVqFont& f : {TVqFont{}, bold, plain, all, longName}) {
        SCOPED_TRACE(f.name.substr(0, 20));
        TPrtWriter w;
        w.WriteFontBody(f);
        w.WriteInt32(kSentinel);
        TVqFont other("x", 99, 0x0F0F0F);
        other.style = TVqFont::Italic;
        other.charset = 77;
        ExpectSameFont(ReadBodyAndSentinel(w.bytes(), other), f);
    }
}

TEST(PrtStreamFont, BodyLayoutCarriesColourNameMarkerAndEditStream)
{
    TVqFont f("宋体", 10, 0x00FF00);
    f.style = TVqFont::Bold;
    TPrtWriter w;
    w.WriteFontBody(f);
    const std::vector<uint8_t>& b = w.bytes();

    TPrtReader r(b.data(), b.size());
    EXPECT_EQ(r.ReadInt32(), 0x00FF00);
    EXPECT_EQ(r.ReadString(), "宋体");
    EXPECT_EQ(r.ReadInt32(), -1);
    int32_t n = r.ReadInt32();
    EXPECT_EQ(static_cast<size_t>(n), r.remaining());
    std::vector<uint8_t> s(b.end() - n, b.end());
    std::vector<uint8_t> head = TStreamBuilder::Header().b;
    ASSERT_GE(s.size(), head.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), s.begin()));
    EXPECT_EQ(s[s.size() - 2], 0);  // end of properties
    EXPECT_EQ(s[s.size() - 1], 0);  // no children

    EXPECT_EQ(PropertyValue(s, "Font.Height", 2), (std::vector<uint8_t>{2, 0xF3}));  // int8 -13
    EXPECT_EQ(PropertyValue(s, "Font.Charset", 2), (std::vector<uint8_t>{2, 1}));
    EXPECT_EQ(PropertyValue(s, "Font.Color", 5), (std::vector<uint8_t>{4, 0, 0xFF, 0, 0}));
    EXPECT_EQ(PropertyValue(s, "Font.Name", 6),
              (std::vector<uint8_t>{6, 4, 0xCB, 0xCE, 0xCC, 0xE5}));
    std::vector<uint8_t> style = PropertyValue(s, "Font.Style", 9);
    EXPECT_EQ(std::string(style.begin(), style.end()), std::string("\x0B\x06" "fsBold\x00", 9));
}

TEST(PrtStreamFont, FontRecordIsVersionTwoAndOlderVersionsCarryNoBody)
{
    TVqFont f("仿宋", 12, 0x808080);
    TPrtWriter w;
    w.WriteFontRecord(f);
    w.WriteInt32(kSentinel);
    TPrtReader r(w.bytes().data(), w.size());
    TVqFont got;
    r.ReadFontRecord(got);
    ExpectSameFont(got, f);
    EXPECT_EQ(r.ReadInt32(), kSentinel);
    EXPECT_EQ(w.bytes()[0], 2);

    for (int32_t version : {1, 0, -3}) {
        TPrtWriter old;
        old.WriteInt32(version);
        old.WriteInt32(kSentinel);
        TPrtReader o(old.bytes().data(), old.size());
        TVqFont kept("黑体", 15, 0x111111);
        o.ReadFontRecord(kept);
        ExpectSameFont(kept, TVqFont("黑体", 15, 0x111111));
        EXPECT_EQ(o.ReadInt32(), kSentinel);
    }
}

TEST(PrtStreamFont, NonNegativeMarkerIsSizeAndOtherNegativesCarryNothing)
{
    struct Case {
        int32_t marker, size;
    };
    const Case cases[] = {{12, 12}, {0, 0}, {9, 9}, {-2, 33}, {-100, 33}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marker);
        TPrtWriter w;
        w.WriteInt32(0x0000FF);
        w.WriteString("宋体");
        w.WriteInt32(c.marker);
        w.WriteInt32(kSentinel);
        TVqFont f = ReadBodyAndSentinel(w.bytes(), TVqFont("x", 33, 0));
        EXPECT_EQ(f.size, c.size);
        EXPECT_EQ(f.name, "宋体");
        EXPECT_EQ(f.color, 0x0000FF);
    }
}

// The five font entries in the forms another writer may use: identifiers for
// charset and colour, a set with an unknown member, a 16-bit height.
TStreamBuilder ForeignFontEntries()
{
    TStreamBuilder s;
    s.Prop("Font.Charset", 7).Short("GB2312_CHARSET");
    s.Prop("Font.Color", 7).Short("clRed");
    s.Prop("Font.Height", 3).Int(-16, 2);
    s.Prop("Font.Name", 6).Short(Utf8ToCp936("仿宋"));
    s.Prop("Font.Style", 11).Short("fsBold").Short("fsShadow").Short("fsUnderline").Short("");
    return s;
}

void ExpectForeignFont(const TVqFont& f)
{
    EXPECT_EQ(f.charset, 134);
    EXPECT_EQ(f.color, 0x0000FF);
    EXPECT_EQ(f.size, 12);
    EXPECT_EQ(f.name, "仿宋");
    EXPECT_EQ(f.style, TVqFont::Bold | TVqFont::Underline);
}

TEST(PrtStreamFont, OtherPropertiesOfEveryValueTypeAreSteppedOver)
{
    struct Case {
        const char* what;
        std::function<void(TStreamBuilder&)> add;
    };
    const Case cases[] = {
        {"integers", [](TStreamBuilder& s) {
             s.Prop("Left", 2).Int(8, 1).Prop("Top", 3).Int(300, 2).Prop("Tag", 4).Int(-70000, 4);
         }},
        {"no-data values", [](TStreamBuilder& s) {
             s.Prop("Ctl3D", 9).Prop("ParentFont", 8).Prop("PopupMenu", 13).Prop("Empty", 0);
         }},
        {"extended", [](TStreamBuilder& s) { s.Prop("Scale", 5).Int(0x3FFF8000000000LL, 8).Int(0, 2); }},
        {"single, currency, date, int64, double", [](TStreamBuilder& s) {
             s.Prop("A", 15).Int(1, 4).Prop("B", 16).Int(2, 8).Prop("C", 17).Int(3, 8);
             s.Prop("D", 19).Int(-1, 8).Prop("E", 21).Int(5, 8);
         }},
        {"strings", [](TStreamBuilder& s) {
             s.Prop("Text", 6).Short("Font.Name").Prop("Hint", 12).Long(std::string(300, 'h'));
             s.Prop("Caption", 20).Long("\xE5\xAE\x8B").Prop("W", 18).Int(2, 4).Int(0x5B8B, 2).Int(0x4F53, 2);
         }},
        {"identifier and set", [](TStreamBuilder& s) {
             s.Prop("Cursor", 7).Short("crHandPoint");
             s.Prop("Anchors", 11).Short("akLeft").Short("akTop").Short("");
         }},
        {"binary", [](TStreamBuilder& s) { s.Prop("Glyph.Data", 10).Int(5, 4).Int(0, 4).Byte(4); }},
        {"nested list", [](TStreamBuilder& s) {
             s.Prop("Lines.Strings", 1).Byte(2).Byte(1).Byte(6).Short("a");
             s.Byte(1).Byte(11).Short("x").Short("").Byte(0).Byte(0);
         }},
        {"collection", [](TStreamBuilder& s) {
             s.Prop("Columns", 14);
             s.Byte(1).Prop("Width", 2).Int(64, 1).Prop("Title.Caption", 6).Short("c").Byte(0);
             s.Byte(3).Int(7, 2).Byte(1).Prop("Items", 1).Byte(0).Byte(0);
             s.Byte(1).Byte(0);
             s.Byte(0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (bool before : {true, false}) {
            TStreamBuilder extra;
            c.add(extra);
            TStreamBuilder s = TStreamBuilder::Header();
            if (before) s.Append(extra).Append(ForeignFontEntries());
            else s.Append(ForeignFontEntries()).Append(extra);
            s.Prop("TabOrder", 2).Int(0, 1).Byte(0).Byte(0);
            ExpectForeignFont(ReadBodyAndSentinel(BodyWithStream(0, "宋体", s.b)));
        }
    }
}

TEST(PrtStreamFont, FlagsPrefixAndUnicodeNamesAreRead)
{
    TStreamBuilder s;
    s.b = {'T', 'P', 'F', '0', 0xF2, 2, 5};  // inherited-and-position flags, position 5
    s.Short("TEdit").Short("Edit1").Append(ForeignFontEntries());
    s.Prop("Font.Name", 18).Int(2, 4).Int(0x9ED1, 2).Int(0x4F53, 2).Byte(0).Byte(0);
    TVqFont f = ReadBodyAndSentinel(BodyWithStream(0, "宋体", s.b));
    EXPECT_EQ(f.name, "黑体");
    EXPECT_EQ(f.size, 12);

    TStreamBuilder u = TStreamBuilder::Header();
    u.Prop("Font.Name", 20).Long("楷体").Byte(0).Byte(0);
    EXPECT_EQ(ReadBodyAndSentinel(BodyWithStream(0, "宋体", u.b)).name, "楷体");

    TStreamBuilder l = TStreamBuilder::Header();
    l.Prop("font.name", 12).Long(Utf8ToCp936("隶书")).Byte(0).Byte(0);  // names ignore case
    EXPECT_EQ(ReadBodyAndSentinel(BodyWithStream(0, "宋体", l.b)).name, "隶书");
}

TEST(PrtStreamFont, IdentifierValuesMapToNumbers)
{
    struct Case {
        const char* property;
        const char* ident;
        int32_t TVqFont::*field;
        int32_t expected;
    };
    const Case cases[] = {
        {"Font.Charset", "DEFAULT_CHARSET", &TVqFont::charset, 1},
        {"Font.Charset", "ANSI_CHARSET", &TVqFont::charset, 0},
        {"Font.Charset", "gb2312_charset", &TVqFont::charset, 134},
        {"Font.Charset", "CHINESEBIG5_CHARSET", &TVqFont::charset, 136},
        {"Font.Charset", "OEM_CHARSET", &TVqFont::charset, 255},
        {"Font.Charset", "NO_SUCH_CHARSET", &TVqFont::charset, 50},
        {"Font.Color", "clWindowText", &TVqFont::color, kWindowText},
        {"Font.Color", "clBlue", &TVqFont::color, 0xFF0000},
        {"Font.Color", "clBlack", &TVqFont::color, 0},
        {"Font.Color", "clNoSuchColour", &TVqFont::color, 0x0A0B0C},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ident);
        TStreamBuilder s = TStreamBuilder::Header();
        s.Prop(c.property, 7).Short(c.ident).Byte(0).Byte(0);
        TVqFont start;
        start.charset = 50;
        TVqFont f = ReadBodyAndSentinel(BodyWithStream(0x0A0B0C, "宋体", s.b), start);
        EXPECT_EQ(f.*c.field, c.expected);
    }
}

TEST(PrtStreamFont, BrokenStreamKeepsWhatWasReadAndReadingGoesOnAfterIt)
{
    TStreamBuilder good = TStreamBuilder::Header();
    good.Prop("Font.Name", 6).Short(Utf8ToCp936("黑体")).Prop("Font.Height", 2).Int(-32, 1);
    TStreamBuilder colour;
    colour.Prop("Font.Color", 4).Int(0x0000FF, 4).Byte(0).Byte(0);

    struct Case {
        const char* what;
        std::function<void(TStreamBuilder&)> add;
    };
    const Case cases[] = {
        {"unknown type 99", [](TStreamBuilder& s) { s.Prop("Weird", 99).Int(-1, 4); }},
        {"unknown type 22", [](TStreamBuilder& s) { s.Prop("Weird", 22); }},
        {"unknown type in list", [](TStreamBuilder& s) { s.Prop("L", 1).Byte(2).Byte(1).Byte(40); }},
        {"collection item without list", [](TStreamBuilder& s) { s.Prop("C", 14).Byte(6).Short("x"); }},
        {"nesting too deep", [](TStreamBuilder& s) {
             s.Prop("L", 1);
             for (int i = 0; i < 5000; ++i) s.Byte(1);
             for (int i = 0; i < 5001; ++i) s.Byte(0);
         }},
        {"binary longer than stream", [](TStreamBuilder& s) { s.Prop("B", 10).Int(1000, 4); }},
        {"binary negative", [](TStreamBuilder& s) { s.Prop("B", 10).Int(-4, 4); }},
        {"wide string huge", [](TStreamBuilder& s) { s.Prop("W", 18).Int(0x7FFFFFFF, 4); }},
        {"long name huge", [](TStreamBuilder& s) { s.Prop("Font.Name", 12).Int(0x7FFFFFF0, 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TStreamBuilder s = good;
        c.add(s);
        s.Append(colour);
        TVqFont f = ReadBodyAndSentinel(BodyWithStream(0x00FF00, "宋体", s.b));
        EXPECT_EQ(f.name, "黑体");
        EXPECT_EQ(f.size, 24);
        EXPECT_EQ(f.color, 0x00FF00);  // the body's colour: the stream's was not reached
    }

    // The stream ends inside a property: the declared length bounds the reading.
    TStreamBuilder cut = good;
    cut.Prop("Font.Style", 11).Short("fsBold");
    TVqFont f = ReadBodyAndSentinel(BodyWithStream(0, "宋体", cut.b));
    EXPECT_EQ(f.size, 24);
    EXPECT_EQ(f.style, 0);

    // Not a component stream at all: the body's own values stay.
    TVqFont other = ReadBodyAndSentinel(BodyWithStream(0x0000FF, "宋体", {'X', 'Y', 'Z', '0', 0}));
    EXPECT_EQ(other.name, "宋体");
    EXPECT_EQ(other.color, 0x0000FF);
    EXPECT_EQ(other.size, 9);
}

TEST(PrtStreamFont, BrokenBodyThrowsFormatError)
{
    TPrtWriter good;
    good.WriteFontBody(TVqFont{});
    const std::vector<uint8_t>& b = good.bytes();

    auto body = [](int32_t marker, int32_t length, size_t extra) {
        TPrtWriter w;
        w.WriteInt32(0);
        w.WriteString("宋体");
        w.WriteInt32(marker);
        w.WriteInt32(length);
        for (size_t i = 0; i < extra; ++i) w.WriteRaw("T", 1);
        return w.bytes();
    };
    const std::vector<uint8_t> cases[] = {
        body(-1, -1, 10),
        body(-1, 11, 10),
        body(-1, 0x7FFFFFFF, 10),
        std::vector<uint8_t>(b.begin(), b.begin() + 3),
        std::vector<uint8_t>(b.begin(), b.begin() + 10),  // inside the name
        std::vector<uint8_t>(b.begin(), b.begin() + 14),  // inside the marker
        std::vector<uint8_t>(b.begin(), b.begin() + 18),  // inside the stream length
        std::vector<uint8_t>(b.begin(), b.end() - 1),
    };
    for (const std::vector<uint8_t>& c : cases) {
        SCOPED_TRACE(c.size());
        TPrtReader r(c.data(), c.size());
        TVqFont f;
        EXPECT_THROW(r.ReadFontBody(f), TPrtFormatError);
    }
    TPrtReader r(b.data(), b.size());
    TVqFont f;
    r.ReadFontBody(f);
    EXPECT_EQ(r.remaining(), 0u);
}

// Every prefix of a written font record fails cleanly, and no single damaged
// byte makes the reader do anything but read or throw the format error.
TEST(PrtStreamFont, DamagedRecordsFailCleanly)
{
    TVqFont f("工程进度网络计划图", 10, 0x123456);
    f.style = TVqFont::Bold;
    TPrtWriter w;
    w.WriteFontRecord(f);
    w.WriteStringList({"宋体", "abc"});
    const std::vector<uint8_t> good = w.bytes();
    auto readAll = [](const std::vector<uint8_t>& b) {
        TPrtReader r(b.data(), b.size());
        TVqFont got;
        r.ReadFontRecord(got);
        r.ReadStringList();
    };
    for (size_t n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_THROW(readAll(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<ptrdiff_t>(n))),
                     TPrtFormatError);
    }
    for (size_t i = 0; i < good.size(); ++i) {
        for (uint8_t v : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            SCOPED_TRACE(i);
            std::vector<uint8_t> bad = good;
            bad[i] = v;
            try {
                readAll(bad);
            } catch (const TPrtFormatError&) {
            }
        }
    }
}

}  // namespace
