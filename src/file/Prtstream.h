#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/Vqfont.h"

// The encodings shared by every record of a project file: little-endian
// numbers, code page 936 strings, lists, placeholders and fonts.

// A project file that cannot be what it claims: thrown by the reader, caught
// by the loader, which reports "文件格式不对或已被破坏！".
class TPrtFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TPrtWriter {
public:
    void WriteInt32(int32_t v);
    void WriteFloat(float v);
    void WriteDouble(double v);
    void WriteByte(bool v);
    void WriteRaw(const void* data, size_t n);
    // UTF-8 in memory, code page 936 on disk. A character that code page 936
    // cannot hold is written as '?' and the text is remembered in unconvertible().
    void WriteString(const std::string& utf8);
    void WriteInt32List(const std::vector<int32_t>& v);
    void WriteDoubleList(const std::vector<double>& v);
    void WriteBoolList(const std::vector<bool>& v);
    void WriteStringList(const std::vector<std::string>& v);
    void WritePlaceholder(bool present);
    // Colour, name, marker -1 and a "TPF0" component stream of a "TEdit".
    void WriteFontBody(const TVqFont& f);
    // int32 2, then the font body.
    void WriteFontRecord(const TVqFont& f);

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t>& bytes() { return bytes_; }
    size_t size() const { return bytes_.size(); }
    // Every text (UTF-8, once each, in the order met) that lost a character.
    const std::vector<std::string>& unconvertible() const { return unconvertible_; }

private:
    void NoteUnconvertible(const std::string& utf8);

    std::vector<uint8_t> bytes_;
    std::vector<std::string> unconvertible_;
    std::unordered_set<std::string> unconvertibleSeen_;
};

// Reads from a byte range it does not own. Every read checks the bytes that
// are left; a read past the end, a negative count or a count that cannot fit
// in the rest of the data throws TPrtFormatError.
class TPrtReader {
public:
    TPrtReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    int32_t ReadInt32();
    float ReadFloat();
    double ReadDouble();
    bool ReadByte();          // any non-zero byte is true
    uint8_t ReadRawByte();
    void ReadRaw(void* out, size_t n);
    void Skip(size_t n);
    std::string ReadString();  // code page 936 → UTF-8
    std::vector<int32_t> ReadInt32List();
    std::vector<double> ReadDoubleList();
    std::vector<bool> ReadBoolList();
    std::vector<std::string> ReadStringList();
    bool ReadPlaceholder();
    // A count that must be followed by at least count × minItemBytes bytes.
    int32_t ReadCount(size_t minItemBytes);
    // Reads a font body into f (keeping what the body does not carry).
    void ReadFontBody(TVqFont& f);
    // Reads int32 version; a version below 2 reads no body.
    void ReadFontRecord(TVqFont& f);

    size_t position() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }
    // Limits reading to the first `size` bytes (the trailer is not body).
    void Truncate(size_t size) { if (size < size_) size_ = size; }

private:
    void Need(size_t n) const;

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Conversions used by the stream and by anything else that meets code page 936.
std::string Cp936ToUtf8(const std::string& bytes);
// ok is set false when some character could not be converted ('?' stands for it).
std::string Utf8ToCp936(const std::string& utf8, bool* ok = nullptr);

// Font size in points and the character height of the component stream
// (negative: pixels of the character without leading), at a fixed 96 pixels
// per inch, rounded to nearest. A positive height (cell height) is taken as
// pixels too; either sign gives a size of at least 0.
int32_t FontHeightFromSize(int32_t points);
int32_t FontSizeFromHeight(int32_t height);
