#include "drawing/Pertexplain.h"

#include "file/Prtstream.h"

namespace {
constexpr int kOldCellCount = 17;
}

void Tpertexplain::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    w.WriteInt32(showMode);
    w.WriteInt32(blockWidth);
    w.WriteInt32(blockHeight);
    w.WriteInt32(textLeftGap);
    w.WriteInt32(textRightGap);
    w.WriteStringList(explanationLines);
    w.WriteFontRecord(explanationFont);
    w.WriteInt32(explanationScreenColor);
    w.WriteInt32(explanationPrintColor);
    w.WriteStringList(noteLines);
    w.WriteFontRecord(titleBlockFont);
    w.WriteInt32(titleBlockScreenColor);
    w.WriteInt32(titleBlockPrintColor);
    for (const std::string& c : cells) w.WriteString(c);
    w.WriteByte(autoStart);
    w.WriteByte(autoEnd);
    w.WriteByte(autoDuration);
    w.WriteInt32(titleStyle);
    rightBar.Write(w);
    leftBar.Write(w);
    legend.Write(w);
}

void Tpertexplain::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    showMode = r.ReadInt32();
    blockWidth = r.ReadInt32();
    blockHeight = r.ReadInt32();
    textLeftGap = r.ReadInt32();
    textRightGap = r.ReadInt32();
    explanationLines = r.ReadStringList();
    r.ReadFontRecord(explanationFont);
    explanationScreenColor = r.ReadInt32();
    explanationPrintColor = r.ReadInt32();
    noteLines = r.ReadStringList();
    r.ReadFontRecord(titleBlockFont);
    titleBlockScreenColor = r.ReadInt32();
    titleBlockPrintColor = r.ReadInt32();
    for (std::string& c : cells) c = r.ReadString();
    autoStart = r.ReadByte();
    autoEnd = r.ReadByte();
    autoDuration = r.ReadByte();
    titleStyle = r.ReadInt32();
    rightBar.Read(r);
    leftBar.Read(r);
    legend.Read(r);
}

void Tpertexplain::ReadOld(TPrtReader& r, double version)
{
    showMode = r.ReadInt32();
    blockWidth = r.ReadInt32();
    blockHeight = r.ReadInt32();
    textLeftGap = r.ReadInt32();
    textRightGap = r.ReadInt32();
    explanationLines = r.ReadStringList();
    r.ReadFontBody(explanationFont);
    explanationScreenColor = r.ReadInt32();
    explanationPrintColor = r.ReadInt32();
    noteLines = r.ReadStringList();
    r.ReadFontBody(titleBlockFont);
    titleBlockScreenColor = r.ReadInt32();
    titleBlockPrintColor = r.ReadInt32();
    for (int i = 0; i < kOldCellCount; ++i) cells[static_cast<size_t>(i)] = r.ReadString();
    if (version >= 1.2) {
        cells[17] = r.ReadString();
        cells[18] = r.ReadString();
        autoStart = r.ReadByte();
        autoEnd = r.ReadByte();
        autoDuration = r.ReadByte();
    }
    if (version > 1.529) {
        titleStyle = r.ReadInt32();
        rightBar.ReadOld(r, version);
        leftBar.ReadOld(r, version);
        legend.ReadOld(r, version);
    }
}
