#include "drawing/Biaozhu.h"

#include "drawing/Fixedlist.h"
#include "drawing/Oldtextblock.h"
#include "file/Prtstream.h"

namespace {
// The shortest annotation records: a lone version too old to carry more.
constexpr size_t kMinRecordBytes = 4;
constexpr size_t kMinOldRecordBytes = 8;
}

bool TBiaoZhu::operator==(const TBiaoZhu& o) const
{
    return anchorDay == o.anchorDay && anchorXOffset == o.anchorXOffset &&
           anchorRow == o.anchorRow && width == o.width && height == o.height &&
           marginLeft == o.marginLeft && marginTop == o.marginTop &&
           marginRight == o.marginRight && marginBottom == o.marginBottom &&
           anchor.x == o.anchor.x && anchor.y == o.anchor.y && text == o.text &&
           font == o.font && textPrintColor == o.textPrintColor &&
           textScreenColor == o.textScreenColor && hasFrame == o.hasFrame &&
           framePrintColor == o.framePrintColor && frameScreenColor == o.frameScreenColor &&
           boxLineWidth == o.boxLineWidth;
}

void TBiaoZhu::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    w.WriteDoubleList({anchorDay, anchorXOffset, anchorRow, width, height, marginLeft, marginTop,
                       marginRight, marginBottom, boxLineWidth});
    w.WriteInt32List({textPrintColor, textScreenColor, framePrintColor, frameScreenColor});
    w.WriteBoolList({hasFrame});
    w.WriteFontRecord(font);
    w.WriteString(text);
    w.WriteDouble(anchor.x);
    w.WriteDouble(anchor.y);
}

void TBiaoZhu::ReadLists(TPrtReader& r)
{
    AssignByPosition(r.ReadDoubleList(),
                     {&anchorDay, &anchorXOffset, &anchorRow, &width, &height, &marginLeft,
                      &marginTop, &marginRight, &marginBottom, &boxLineWidth});
    AssignByPosition(r.ReadInt32List(),
                     {&textPrintColor, &textScreenColor, &framePrintColor, &frameScreenColor});
    AssignByPosition(r.ReadBoolList(), {&hasFrame});
}

void TBiaoZhu::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    ReadLists(r);
    r.ReadFontRecord(font);
    text = r.ReadString();
    anchor.x = r.ReadDouble();
    anchor.y = r.ReadDouble();
}

void TBiaoZhu::ReadOld(TPrtReader& r, double)
{
    if (r.ReadDouble() < 1.0) return;
    ReadLists(r);
    ReadOldTextBlock(r, text, font);
}

void WriteAnnotations(TPrtWriter& w, const std::vector<std::unique_ptr<TBiaoZhu>>& list)
{
    w.WriteInt32(static_cast<int32_t>(list.size()));
    for (const auto& a : list) a->Write(w);
}

void ReadAnnotations(TPrtReader& r, std::vector<std::unique_ptr<TBiaoZhu>>& list)
{
    list.clear();
    int32_t n = r.ReadCount(kMinRecordBytes);
    for (int32_t i = 0; i < n; ++i) {
        auto a = std::make_unique<TBiaoZhu>();
        a->Read(r);
        list.push_back(std::move(a));
    }
}

void ReadAnnotationsOld(TPrtReader& r, std::vector<std::unique_ptr<TBiaoZhu>>& list,
                        double version)
{
    list.clear();
    int32_t n = r.ReadCount(kMinOldRecordBytes);
    for (int32_t i = 0; i < n; ++i) {
        auto a = std::make_unique<TBiaoZhu>();
        a->ReadOld(r, version);
        list.push_back(std::move(a));
    }
}
