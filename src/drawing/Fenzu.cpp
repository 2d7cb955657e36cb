#include "drawing/Fenzu.h"

#include "drawing/Oldtextblock.h"
#include "file/Prtstream.h"

namespace {
// A group record can be a lone version too old to carry more.
constexpr size_t kMinGroupBytes = 4;
// Old group: 4 doubles, the text block (string, 7 int32, 8 doubles, string,
// font body of at least 12 bytes, int32, byte), then a byte and an int32.
constexpr size_t kMinOldGroupBytes = 32 + (4 + 28 + 64 + 4 + 12 + 4 + 1) + 1 + 4;
}

void Tfenzu::Write(TPrtWriter& w) const
{
    w.WriteInt32(3);
    w.WriteDouble(position.x);
    w.WriteDouble(position.y);
    w.WriteDouble(height);
    w.WriteDouble(width);
    w.WriteString(text);
    w.WriteFontRecord(font);
    w.WriteInt32(reserved);
    w.WriteInt32(printColor);
    w.WriteByte(separatorLine);
}

void Tfenzu::Read(TPrtReader& r)
{
    int32_t version = r.ReadInt32();
    if (version <= 1) return;
    if (version == 2) {
        ReadOld(r, 0);
        return;
    }
    position.x = r.ReadDouble();
    position.y = r.ReadDouble();
    height = r.ReadDouble();
    width = r.ReadDouble();
    text = r.ReadString();
    r.ReadFontRecord(font);
    reserved = r.ReadInt32();
    printColor = r.ReadInt32();
    separatorLine = r.ReadByte();
}

void Tfenzu::ReadOld(TPrtReader& r, double)
{
    position.x = r.ReadDouble();
    position.y = r.ReadDouble();
    height = r.ReadDouble();
    width = r.ReadDouble();
    ReadOldTextBlock(r, text, font);
    separatorLine = r.ReadByte();
    printColor = r.ReadInt32();
}

void Tfenzuarray::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    w.WriteDouble(origin.x);
    w.WriteDouble(origin.y);
    w.WriteDouble(reserved);
    w.WriteDouble(groupColumnWidth);
    w.WriteInt32(static_cast<int32_t>(items.size()));
    for (const Tfenzu& g : items) g.Write(w);
}

void Tfenzuarray::ReadHead(TPrtReader& r)
{
    origin.x = r.ReadDouble();
    origin.y = r.ReadDouble();
    reserved = r.ReadDouble();
    groupColumnWidth = r.ReadDouble();
}

void Tfenzuarray::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    ReadHead(r);
    int32_t n = r.ReadCount(kMinGroupBytes);
    for (int32_t i = 0; i < n; ++i) {
        Tfenzu g;
        g.Read(r);
        items.push_back(std::move(g));
    }
}

void Tfenzuarray::ReadOld(TPrtReader& r, double version)
{
    ReadHead(r);
    int32_t n = r.ReadCount(kMinOldGroupBytes);
    for (int32_t i = 0; i < n; ++i) {
        Tfenzu g;
        g.ReadOld(r, version);
        items.push_back(std::move(g));
    }
}
