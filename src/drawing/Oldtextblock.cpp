#include "drawing/Oldtextblock.h"

#include "file/Prtstream.h"

namespace {
constexpr size_t kDroppedInts = 7;
constexpr size_t kDroppedPoints = 4;
}

void ReadOldTextBlock(TPrtReader& r, std::string& text, TVqFont& font)
{
    r.ReadString();
    r.Skip(kDroppedInts * 4);
    r.Skip(kDroppedPoints * 2 * 8);
    text = r.ReadString();
    r.ReadFontBody(font);
    r.ReadInt32();
    r.ReadRawByte();
}
