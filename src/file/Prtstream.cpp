#include "file/Prtstream.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

#include <iconv.h>

namespace {

// ---- code page 936 <-> UTF-8 ----------------------------------------------

const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

// One pair of descriptors per thread, opened on first use: a project file
// converts every one of its strings, so opening per string would dominate.
class TIconvPair {
public:
    ~TIconvPair()
    {
        if (toCp936_ != kNoIconv) iconv_close(toCp936_);
        if (toUtf8_ != kNoIconv) iconv_close(toUtf8_);
    }
    iconv_t ToCp936() { return Open(toCp936_, triedCp936_, "CP936", "UTF-8"); }
    iconv_t ToUtf8() { return Open(toUtf8_, triedUtf8_, "UTF-8", "CP936"); }

private:
    static iconv_t Open(iconv_t& cd, bool& tried, const char* to, const char* from)
    {
        if (!tried) {
            tried = true;
            cd = iconv_open(to, from);
        }
        if (cd != kNoIconv) iconv(cd, nullptr, nullptr, nullptr, nullptr);
        return cd;
    }

    iconv_t toCp936_ = kNoIconv;
    iconv_t toUtf8_ = kNoIconv;
    bool triedCp936_ = false;
    bool triedUtf8_ = false;
};

TIconvPair& Iconv()
{
    thread_local TIconvPair pair;
    return pair;
}

bool IsAscii(const std::string& s)
{
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// Length of the UTF-8 character at p, or of its broken start (at least 1),
// so that one unconvertible character becomes exactly one '?'.
size_t Utf8CharLength(const unsigned char* p, size_t left)
{
    unsigned char c = p[0];
    size_t n = 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) n = 3;
    else if (c >= 0xF0 && c <= 0xF4) n = 4;
    size_t i = 1;
    while (i < n && i < left && (p[i] & 0xC0) == 0x80) ++i;
    return i;
}

// Runs iconv over all of in, growing out as needed; at a byte sequence the
// descriptor refuses, onBad appends a replacement and returns how many input
// bytes to step over.
template <class OnBad>
std::string Convert(iconv_t cd, const std::string& in, size_t initialOut, OnBad onBad)
{
    std::string out(initialOut, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t used = 0;
    while (srcLeft > 0) {
        if (out.size() - used < 8) out.resize(out.size() * 2 + 16);
        char* dst = out.data() + used;
        size_t dstLeft = out.size() - used;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        int err = errno;
        used = static_cast<size_t>(dst - out.data());
        if (r != static_cast<size_t>(-1)) break;
        if (err == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        // EILSEQ or EINVAL (a character cut off at the end): replace it.
        size_t skip = onBad(reinterpret_cast<const unsigned char*>(src), srcLeft, out, used);
        skip = std::min(std::max<size_t>(skip, 1), srcLeft);
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

void PutAt(std::string& out, size_t& used, const char* bytes, size_t n)
{
    if (out.size() - used < n) out.resize(out.size() * 2 + n + 16);
    std::memcpy(out.data() + used, bytes, n);
    used += n;
}

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// ---- little-endian bytes ----------------------------------------------------

void PutLE(std::vector<uint8_t>& b, uint64_t v, int n)
{
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint64_t GetLE(const uint8_t* p, int n)
{
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return v;
}

// ---- component stream --------------------------------------------------------

enum TValueType : uint8_t {
    vtNull = 0, vtList = 1, vtInt8 = 2, vtInt16 = 3, vtInt32 = 4, vtExtended = 5,
    vtString = 6, vtIdent = 7, vtFalse = 8, vtTrue = 9, vtBinary = 10, vtSet = 11,
    vtLString = 12, vtNil = 13, vtCollection = 14, vtSingle = 15, vtCurrency = 16,
    vtDate = 17, vtWString = 18, vtInt64 = 19, vtUtf8String = 20, vtDouble = 21,
};

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr size_t kMaxNesting = 32;

struct TNamedValue {
    const char* name;
    int32_t value;
};

constexpr TNamedValue kCharsets[] = {
    {"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77}, {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130}, {"GB2312_CHARSET", 134}, {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161}, {"TURKISH_CHARSET", 162}, {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177}, {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222}, {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

// Colour names a stream may carry instead of a number; the system colours
// are 0xFF000000 plus the platform's colour index.
constexpr int32_t kSystemColor = static_cast<int32_t>(0xFF000000u);
constexpr TNamedValue kColors[] = {
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000}, {"clPurple", 0x800080},
    {"clTeal", 0x808000}, {"clGray", 0x808080}, {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clWindow", kSystemColor | 5}, {"clMenuText", kSystemColor | 7},
    {"clWindowText", kSystemColor | 8}, {"clCaptionText", kSystemColor | 9},
    {"clHighlight", kSystemColor | 13}, {"clHighlightText", kSystemColor | 14},
    {"clBtnFace", kSystemColor | 15}, {"clGrayText", kSystemColor | 17},
    {"clBtnText", kSystemColor | 18}, {"clInfoText", kSystemColor | 23},
    {"clInfoBk", kSystemColor | 24},
};

constexpr TNamedValue kStyles[] = {
    {"fsBold", TVqFont::Bold}, {"fsItalic", TVqFont::Italic},
    {"fsUnderline", TVqFont::Underline}, {"fsStrikeOut", TVqFont::StrikeOut},
};

bool SameText(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

template <size_t N>
bool Lookup(const TNamedValue (&table)[N], const std::string& name, int32_t& value)
{
    for (const TNamedValue& e : table)
        if (SameText(name, e.name)) {
            value = e.value;
            return true;
        }
    return false;
}

// The stream is read through a TPrtReader over its own bytes: any read past
// its end throws, and so does a value type that cannot be stepped over; the
// font reader catches both and keeps what it had.
[[noreturn]] void StreamFault(const char* what) { throw TPrtFormatError(what); }

std::string ReadShortString(TPrtReader& r)
{
    uint8_t n = r.ReadRawByte();
    std::string s(n, '\0');
    r.ReadRaw(s.data(), n);
    return s;
}

std::string ReadBytes(TPrtReader& r, int32_t n)
{
    if (n < 0 || static_cast<size_t>(n) > r.remaining()) StreamFault("stream string too long");
    std::string s(static_cast<size_t>(n), '\0');
    r.ReadRaw(s.data(), s.size());
    return s;
}

bool IsIntType(uint8_t t) { return t == vtInt8 || t == vtInt16 || t == vtInt32; }

int32_t ReadIntOfType(TPrtReader& r, uint8_t t)
{
    if (t == vtInt8) return static_cast<int8_t>(r.ReadRawByte());
    if (t == vtInt16) {
        uint8_t b[2];
        r.ReadRaw(b, 2);
        return static_cast<int16_t>(GetLE(b, 2));
    }
    return r.ReadInt32();
}

void SkipSet(TPrtReader& r)
{
    for (;;) {
        uint8_t n = r.ReadRawByte();
        if (n == 0) return;
        r.Skip(n);
    }
}

// Steps over one value of type t. Lists and collections are walked with an
// explicit stack so that a hostile stream cannot drive the depth of the call
// stack; their nesting is limited all the same.
void SkipValue(TPrtReader& r, uint8_t t)
{
    enum TFrame : uint8_t { InList, InCollection, InItem };
    std::vector<TFrame> stack;
    for (;;) {
        switch (t) {
        case vtNull: case vtFalse: case vtTrue: case vtNil: break;
        case vtInt8: r.Skip(1); break;
        case vtInt16: r.Skip(2); break;
        case vtInt32: case vtSingle: r.Skip(4); break;
        case vtExtended: r.Skip(10); break;
        case vtCurrency: case vtDate: case vtInt64: case vtDouble: r.Skip(8); break;
        case vtString: case vtIdent: r.Skip(r.ReadRawByte()); break;
        case vtBinary: case vtLString: case vtUtf8String: r.Skip(static_cast<size_t>(r.ReadCount(1))); break;
        case vtWString: r.Skip(static_cast<size_t>(r.ReadCount(2)) * 2); break;
        case vtSet: SkipSet(r); break;
        case vtList: case vtCollection:
            if (stack.size() >= kMaxNesting) StreamFault("stream nested too deeply");
            stack.push_back(t == vtList ? InList : InCollection);
            break;
        default: StreamFault("unknown stream value type");
        }
        // Find the next value to step over, closing finished lists on the way.
        for (;;) {
            if (stack.empty()) return;
            TFrame f = stack.back();
            if (f == InList) {
                t = r.ReadRawByte();
                if (t == vtNull) {
                    stack.pop_back();
                    continue;
                }
                break;
            }
            if (f == InCollection) {
                uint8_t b = r.ReadRawByte();
                if (b == vtNull) {
                    stack.pop_back();
                    continue;
                }
                if (IsIntType(b)) {  // the item's order value
                    ReadIntOfType(r, b);
                    b = r.ReadRawByte();
                }
                if (b != vtList) StreamFault("bad collection item");
                if (stack.size() >= kMaxNesting) StreamFault("stream nested too deeply");
                stack.push_back(InItem);
                continue;
            }
            // InItem: properties, each a name and a value, until an empty name.
            uint8_t n = r.ReadRawByte();
            if (n == 0) {
                stack.pop_back();
                continue;
            }
            r.Skip(n);
            t = r.ReadRawByte();
            break;
        }
    }
}

std::string Utf16LeToUtf8(const std::string& b)
{
    std::string out;
    auto put = [&out](uint32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    };
    const auto* p = reinterpret_cast<const uint8_t*>(b.data());
    size_t n = b.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        uint32_t c = static_cast<uint32_t>(GetLE(p + 2 * i, 2));
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
            uint32_t d = static_cast<uint32_t>(GetLE(p + 2 * i + 2, 2));
            if (d >= 0xDC00 && d <= 0xDFFF) {
                put(0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00));
                ++i;
                continue;
            }
        }
        put(c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    return out;
}

// Reads one property value into f when it is one of the five font entries in
// a form that entry can take; anything else is stepped over.
void ReadProperty(TPrtReader& r, const std::string& name, uint8_t t, TVqFont& f)
{
    if (SameText(name, "Font.Height") && IsIntType(t)) {
        f.size = FontSizeFromHeight(ReadIntOfType(r, t));
    } else if (SameText(name, "Font.Color") && (IsIntType(t) || t == vtIdent)) {
        if (IsIntType(t)) f.color = ReadIntOfType(r, t);
        else Lookup(kColors, ReadShortString(r), f.color);
    } else if (SameText(name, "Font.Charset") && (IsIntType(t) || t == vtIdent)) {
        if (IsIntType(t)) f.charset = ReadIntOfType(r, t);
        else Lookup(kCharsets, ReadShortString(r), f.charset);
    } else if (SameText(name, "Font.Name") &&
               (t == vtString || t == vtLString || t == vtUtf8String || t == vtWString)) {
        // Names of the Unicode forms pass through code page 936 as well, so
        // that the font in memory is always one the writer can store.
        if (t == vtString) f.name = Cp936ToUtf8(ReadShortString(r));
        else if (t == vtLString) f.name = Cp936ToUtf8(ReadBytes(r, r.ReadInt32()));
        else if (t == vtUtf8String) f.name = Cp936ToUtf8(Utf8ToCp936(ReadBytes(r, r.ReadInt32())));
        else f.name = Utf16LeToUtf8(ReadBytes(r, r.ReadCount(2) * 2));
    } else if (SameText(name, "Font.Style") && t == vtSet) {
        int32_t style = 0;
        for (;;) {
            std::string id = ReadShortString(r);
            if (id.empty()) break;
            int32_t bit = 0;
            if (Lookup(kStyles, id, bit)) style |= bit;
        }
        f.style = style;
    } else {
        SkipValue(r, t);
    }
}

// Takes the font out of a component stream. Never throws: a stream that
// breaks off or holds a value it cannot step over leaves f with what was read.
void ReadFontStream(TPrtReader r, TVqFont& f)
{
    try {
        char sig[4];
        r.ReadRaw(sig, 4);
        if (std::memcmp(sig, kSignature, 4) != 0) return;
        uint8_t b = r.ReadRawByte();
        if ((b & 0xF0) == 0xF0) {  // flags prefix; flag 2 carries a child position
            if (b & 0x02) {
                uint8_t t = r.ReadRawByte();
                if (!IsIntType(t)) return;
                ReadIntOfType(r, t);
            }
            b = r.ReadRawByte();
        }
        r.Skip(b);           // class name
        ReadShortString(r);  // object name
        for (;;) {
            std::string name = ReadShortString(r);
            if (name.empty()) break;
            ReadProperty(r, name, r.ReadRawByte(), f);
        }
    } catch (const TPrtFormatError&) {
    }
}

void PutShortString(std::vector<uint8_t>& s, const std::string& text)
{
    size_t n = std::min<size_t>(text.size(), 255);
    s.push_back(static_cast<uint8_t>(n));
    s.insert(s.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
}

// Integers go in the smallest of the three integer forms that holds them.
void PutInt(std::vector<uint8_t>& s, const char* name, int32_t v)
{
    PutShortString(s, name);
    if (v >= -128 && v <= 127) {
        s.push_back(vtInt8);
        PutLE(s, static_cast<uint32_t>(v), 1);
    } else if (v >= -32768 && v <= 32767) {
        s.push_back(vtInt16);
        PutLE(s, static_cast<uint32_t>(v), 2);
    } else {
        s.push_back(vtInt32);
        PutLE(s, static_cast<uint32_t>(v), 4);
    }
}

void PutText(std::vector<uint8_t>& s, const char* name, const std::string& cp936)
{
    PutShortString(s, name);
    if (cp936.size() <= 255) {
        s.push_back(vtString);
        PutShortString(s, cp936);
    } else {
        s.push_back(vtLString);
        PutLE(s, static_cast<uint32_t>(cp936.size()), 4);
        s.insert(s.end(), cp936.begin(), cp936.end());
    }
}

std::vector<uint8_t> FontStream(const TVqFont& f)
{
    std::vector<uint8_t> s(kSignature, kSignature + 4);
    PutShortString(s, "TEdit");
    PutShortString(s, "Edit1");
    PutInt(s, "Left", 0);
    PutInt(s, "Top", 0);
    PutInt(s, "Width", 121);
    PutInt(s, "Height", 21);
    PutInt(s, "Font.Charset", f.charset);
    PutInt(s, "Font.Color", f.color);
    PutInt(s, "Font.Height", FontHeightFromSize(f.size));
    PutText(s, "Font.Name", Utf8ToCp936(f.name));
    PutShortString(s, "Font.Style");
    s.push_back(vtSet);
    for (const TNamedValue& e : kStyles)
        if (f.style & e.value) PutShortString(s, e.name);
    s.push_back(0);
    PutShortString(s, "ParentFont");
    s.push_back(vtFalse);
    PutInt(s, "TabOrder", 0);
    s.push_back(0);  // end of properties
    s.push_back(0);  // no children
    return s;
}

int32_t ClampInt32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

// ---- conversions --------------------------------------------------------------

std::string Cp936ToUtf8(const std::string& bytes)
{
    if (IsAscii(bytes)) return bytes;
    iconv_t cd = Iconv().ToUtf8();
    if (cd == kNoIconv) {
        std::string out;
        for (unsigned char c : bytes) {
            if (c < 0x80) out += static_cast<char>(c);
            else out += kReplacement;
        }
        return out;
    }
    return Convert(cd, bytes, bytes.size() * 2 + 16,
                   [](const unsigned char*, size_t, std::string& out, size_t& used) -> size_t {
                       PutAt(out, used, kReplacement, 3);
                       return 1;
                   });
}

std::string Utf8ToCp936(const std::string& utf8, bool* ok)
{
    if (ok) *ok = true;
    if (IsAscii(utf8)) return utf8;
    bool good = true;
    std::string out;
    iconv_t cd = Iconv().ToCp936();
    if (cd == kNoIconv) {
        const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
        for (size_t i = 0; i < utf8.size();) {
            if (p[i] < 0x80) {
                out += static_cast<char>(p[i++]);
                continue;
            }
            out += '?';
            good = false;
            i += Utf8CharLength(p + i, utf8.size() - i);
        }
    } else {
        out = Convert(cd, utf8, utf8.size() + 16,
                      [&good](const unsigned char* p, size_t left, std::string& o, size_t& used) {
                          good = false;
                          PutAt(o, used, "?", 1);
                          return Utf8CharLength(p, left);
                      });
    }
    if (ok) *ok = good;
    return out;
}

int32_t FontHeightFromSize(int32_t points)
{
    int64_t p = points < 0 ? -static_cast<int64_t>(points) : points;
    return ClampInt32(-((p * 8 + 3) / 6));  // -round(p * 96 / 72)
}

int32_t FontSizeFromHeight(int32_t height)
{
    int64_t h = height < 0 ? -static_cast<int64_t>(height) : height;
    return ClampInt32((h * 3 + 2) / 4);  // round(h * 72 / 96)
}

// ---- writer -------------------------------------------------------------------

void TPrtWriter::WriteInt32(int32_t v) { PutLE(bytes_, static_cast<uint32_t>(v), 4); }

void TPrtWriter::WriteFloat(float v) { PutLE(bytes_, std::bit_cast<uint32_t>(v), 4); }

void TPrtWriter::WriteDouble(double v) { PutLE(bytes_, std::bit_cast<uint64_t>(v), 8); }

void TPrtWriter::WriteByte(bool v) { bytes_.push_back(v ? 1 : 0); }

void TPrtWriter::WriteRaw(const void* data, size_t n)
{
    if (n == 0) return;
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
}

void TPrtWriter::NoteUnconvertible(const std::string& utf8)
{
    if (unconvertibleSeen_.insert(utf8).second) unconvertible_.push_back(utf8);
}

void TPrtWriter::WriteString(const std::string& utf8)
{
    bool ok = true;
    std::string b = Utf8ToCp936(utf8, &ok);
    if (!ok) NoteUnconvertible(utf8);
    if (b.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw std::length_error("text too long for a project file");
    WriteInt32(static_cast<int32_t>(b.size()));
    WriteRaw(b.data(), b.size());
}

void TPrtWriter::WriteInt32List(const std::vector<int32_t>& v)
{
    WriteInt32(static_cast<int32_t>(v.size()));
    for (int32_t x : v) WriteInt32(x);
}

void TPrtWriter::WriteDoubleList(const std::vector<double>& v)
{
    WriteInt32(static_cast<int32_t>(v.size()));
    for (double x : v) WriteDouble(x);
}

void TPrtWriter::WriteBoolList(const std::vector<bool>& v)
{
    WriteInt32(static_cast<int32_t>(v.size()));
    for (bool x : v) WriteByte(x);
}

void TPrtWriter::WriteStringList(const std::vector<std::string>& v)
{
    WriteInt32(static_cast<int32_t>(v.size()));
    for (const std::string& x : v) WriteString(x);
}

void TPrtWriter::WritePlaceholder(bool present) { WriteInt32(present ? 1 : 0); }

void TPrtWriter::WriteFontBody(const TVqFont& f)
{
    WriteInt32(f.color);
    WriteString(f.name);
    WriteInt32(-1);
    // Most fonts of a file are alike: the stream of the last one is kept.
    thread_local TVqFont last;
    thread_local std::vector<uint8_t> s;
    if (s.empty() || last.name != f.name || last.size != f.size || last.color != f.color ||
        last.style != f.style || last.charset != f.charset) {
        s = FontStream(f);
        last = f;
    }
    WriteInt32(static_cast<int32_t>(s.size()));
    WriteRaw(s.data(), s.size());
}

void TPrtWriter::WriteFontRecord(const TVqFont& f)
{
    WriteInt32(2);
    WriteFontBody(f);
}

// ---- reader -------------------------------------------------------------------

void TPrtReader::Need(size_t n) const
{
    if (n > size_ - pos_) throw TPrtFormatError("project file ends inside a record");
}

int32_t TPrtReader::ReadInt32()
{
    Need(4);
    auto v = static_cast<uint32_t>(GetLE(data_ + pos_, 4));
    pos_ += 4;
    return static_cast<int32_t>(v);
}

float TPrtReader::ReadFloat() { return std::bit_cast<float>(static_cast<uint32_t>(ReadInt32())); }

double TPrtReader::ReadDouble()
{
    Need(8);
    uint64_t v = GetLE(data_ + pos_, 8);
    pos_ += 8;
    return std::bit_cast<double>(v);
}

bool TPrtReader::ReadByte() { return ReadRawByte() != 0; }

uint8_t TPrtReader::ReadRawByte()
{
    Need(1);
    return data_[pos_++];
}

void TPrtReader::ReadRaw(void* out, size_t n)
{
    Need(n);
    if (n > 0) std::memcpy(out, data_ + pos_, n);
    pos_ += n;
}

void TPrtReader::Skip(size_t n)
{
    Need(n);
    pos_ += n;
}

int32_t TPrtReader::ReadCount(size_t minItemBytes)
{
    int32_t n = ReadInt32();
    if (n < 0) throw TPrtFormatError("negative count in project file");
    if (minItemBytes > 0 && static_cast<size_t>(n) > remaining() / minItemBytes)
        throw TPrtFormatError("count larger than the rest of the project file");
    return n;
}

std::string TPrtReader::ReadString()
{
    std::string b(static_cast<size_t>(ReadCount(1)), '\0');
    ReadRaw(b.data(), b.size());
    return Cp936ToUtf8(b);
}

std::vector<int32_t> TPrtReader::ReadInt32List()
{
    int32_t n = ReadCount(4);
    std::vector<int32_t> v;
    v.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) v.push_back(ReadInt32());
    return v;
}

std::vector<double> TPrtReader::ReadDoubleList()
{
    int32_t n = ReadCount(8);
    std::vector<double> v;
    v.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) v.push_back(ReadDouble());
    return v;
}

std::vector<bool> TPrtReader::ReadBoolList()
{
    int32_t n = ReadCount(1);
    std::vector<bool> v;
    v.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) v.push_back(ReadByte());
    return v;
}

std::vector<std::string> TPrtReader::ReadStringList()
{
    int32_t n = ReadCount(4);
    std::vector<std::string> v;
    v.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) v.push_back(ReadString());
    return v;
}

bool TPrtReader::ReadPlaceholder() { return ReadInt32() != 0; }

void TPrtReader::ReadFontBody(TVqFont& f)
{
    f.color = ReadInt32();
    f.name = ReadString();
    int32_t marker = ReadInt32();
    if (marker >= 0) {
        f.size = marker;
        return;
    }
    if (marker != -1) return;
    // The declared length is checked against the file; whatever the stream
    // holds, reading goes on right after it.
    auto n = static_cast<size_t>(ReadCount(1));
    ReadFontStream(TPrtReader(data_ + pos_, n), f);
    pos_ += n;
}

void TPrtReader::ReadFontRecord(TVqFont& f)
{
    if (ReadInt32() < 2) return;
    ReadFontBody(f);
}
