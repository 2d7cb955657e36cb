#include "drawing/Tpertgrid.h"

#include "drawing/Brushrecord.h"
#include "drawing/Framepainter.h"
#include "file/Prtstream.h"

namespace {
constexpr size_t kReservedBytes = 12;

void WriteColors(TPrtWriter& w, const std::array<int32_t, Tpertgrid::kColorCount>& c)
{
    for (int32_t v : c) w.WriteInt32(v);
}

void ReadColors(TPrtReader& r, std::array<int32_t, Tpertgrid::kColorCount>& c)
{
    for (int32_t& v : c) v = r.ReadInt32();
}
}

void Tpertgrid::WriteTopFlags(TPrtWriter& w) const
{
    for (bool f : {topYear, topMonth, topHalfMonth, topTenDays, topDay, topProjectWeek,
                   topProjectMonth, topProjectDay, topWeekday, byProjectCalendar})
        w.WriteByte(f);
}

void Tpertgrid::ReadTopFlags(TPrtReader& r)
{
    for (bool* f : {&topYear, &topMonth, &topHalfMonth, &topTenDays, &topDay, &topProjectWeek,
                    &topProjectMonth, &topProjectDay, &topWeekday, &byProjectCalendar})
        *f = r.ReadByte();
}

void Tpertgrid::WriteBottomFlags(TPrtWriter& w) const
{
    for (bool f : {bottomEnabled, bottomYear, bottomMonth, bottomHalfMonth, bottomTenDays,
                   bottomDay, bottomProjectWeek, bottomProjectMonth, bottomProjectDay,
                   bottomWeekday})
        w.WriteByte(f);
}

void Tpertgrid::ReadBottomFlags(TPrtReader& r)
{
    for (bool* f : {&bottomEnabled, &bottomYear, &bottomMonth, &bottomHalfMonth, &bottomTenDays,
                    &bottomDay, &bottomProjectWeek, &bottomProjectMonth, &bottomProjectDay,
                    &bottomWeekday})
        *f = r.ReadByte();
}

void Tpertgrid::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    WriteTopFlags(w);
    w.WriteFloat(dayStep);
    const uint8_t zeros[kReservedBytes] = {};
    w.WriteRaw(zeros, sizeof zeros);
    for (int32_t v : {leftBlockWidth, rightMargin, bottomMargin, topMargin, frameColor, frameWidth})
        w.WriteInt32(v);
    WriteBottomFlags(w);
    WriteColors(w, printColors);
    WriteColors(w, screenColors);
    for (const Tprojectscale& s : scales) s.Write(w);
    explain.Write(w);
    WriteBrushRecord(w, screenRestBrush);
    WriteBrushRecord(w, printRestBrush);
}

void Tpertgrid::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    ReadTopFlags(r);
    dayStep = r.ReadFloat();
    r.Skip(kReservedBytes);
    for (int32_t* v : {&leftBlockWidth, &rightMargin, &bottomMargin, &topMargin, &frameColor,
                       &frameWidth})
        *v = r.ReadInt32();
    ReadBottomFlags(r);
    ReadColors(r, printColors);
    ReadColors(r, screenColors);
    for (Tprojectscale& s : scales) s.Read(r);
    explain.Read(r);
    ReadBrushRecord(r, screenRestBrush);
    ReadBrushRecord(r, printRestBrush);
}

void Tpertgrid::ReadOld(TPrtReader& r, double version)
{
    ReadTopFlags(r);
    dayStep = r.ReadFloat();
    r.Skip(kReservedBytes);
    for (int32_t* v : {&leftBlockWidth, &rightMargin, &bottomMargin, &topMargin, &frameColor,
                       &frameWidth})
        *v = r.ReadInt32();
    // Up to 1.529 each colour set was followed by a copy of the explanation
    // block; the last one read wins.
    ReadColors(r, printColors);
    if (version <= 1.529) explain.ReadOld(r, version);
    ReadColors(r, screenColors);
    if (version <= 1.529) explain.ReadOld(r, version);
    for (Tprojectscale& s : scales) s.ReadOld(r, version);
    explain.ReadOld(r, version);
    if (version > 1.519) {
        ReadBrushOld(r, screenRestBrush);
        ReadBrushOld(r, printRestBrush);
    }
    if (version > 1.529) ReadBottomFlags(r);
}

std::vector<TRulerRowRef> Tpertgrid::VisibleTopRows() const
{
    std::vector<TRulerRowRef> rows;
    if (byProjectCalendar) {
        if (topProjectMonth) rows.push_back({TRulerKind::ProjectMonth, 3});
        if (topProjectWeek) rows.push_back({TRulerKind::ProjectWeek, 4});
        if (topProjectDay) rows.push_back({TRulerKind::ProjectDay, 0});
        return rows;
    }
    if (topProjectWeek) rows.push_back({TRulerKind::ProjectWeek, 4});
    if (topProjectDay) rows.push_back({TRulerKind::ProjectDay, 0});
    if (topYear) rows.push_back({TRulerKind::Year, 1});
    if (topMonth) rows.push_back({TRulerKind::Month, 2});
    if (topWeekday) rows.push_back({TRulerKind::Weekday, 6});
    if (topHalfMonth) rows.push_back({TRulerKind::HalfMonth, 7});
    if (topTenDays) rows.push_back({TRulerKind::TenDays, 7});
    if (topDay) rows.push_back({TRulerKind::Day, 7});
    return rows;
}

std::vector<TRulerRowRef> Tpertgrid::VisibleBottomRows() const
{
    std::vector<TRulerRowRef> rows;
    if (byProjectCalendar) {
        if (bottomProjectMonth) rows.push_back({TRulerKind::ProjectMonth, 3});
        if (bottomProjectWeek) rows.push_back({TRulerKind::ProjectWeek, 4});
        if (bottomProjectDay) rows.push_back({TRulerKind::ProjectDay, 0});
        return rows;
    }
    if (bottomProjectWeek) rows.push_back({TRulerKind::ProjectWeek, 4});
    if (bottomProjectDay) rows.push_back({TRulerKind::ProjectDay, 0});
    if (bottomYear) rows.push_back({TRulerKind::Year, 1});
    if (bottomMonth) rows.push_back({TRulerKind::Month, 2});
    if (bottomWeekday) rows.push_back({TRulerKind::Weekday, 6});
    if (bottomHalfMonth) rows.push_back({TRulerKind::HalfMonth, 7});
    if (bottomTenDays) rows.push_back({TRulerKind::TenDays, 7});
    if (bottomDay) rows.push_back({TRulerKind::Day, 7});
    return rows;
}

int32_t Tpertgrid::TopRowsHeight() const
{
    int32_t h = 0;
    for (const TRulerRowRef& r : VisibleTopRows()) h += scales[size_t(r.scale)].height;
    return h;
}

int32_t Tpertgrid::BottomRowsHeight() const
{
    int32_t h = 0;
    for (const TRulerRowRef& r : VisibleBottomRows()) h += scales[size_t(r.scale)].height;
    return h;
}

int32_t Tpertgrid::ExplainWidth() const
{
    return explain.showMode == 1 ? explain.blockWidth : 0;
}

int32_t Tpertgrid::ExplainHeight() const
{
    return explain.showMode == 2 ? explain.blockHeight : 0;
}

void Tpertgrid::ApplyColors(const std::array<int32_t, kColorCount>& set, bool print)
{
    frameColor = set[0];
    for (Tprojectscale& s : scales) {
        s.nameFont.color = set[1];
        s.scaleFont.color = set[2];
        s.lineColor = set[3];
        s.gridColor = set[4];
    }
    explain.explanationFont.color =
        print ? explain.explanationPrintColor : explain.explanationScreenColor;
    explain.titleBlockFont.color =
        print ? explain.titleBlockPrintColor : explain.titleBlockScreenColor;
}

void Tpertgrid::ApplyScreenColors()
{
    ApplyColors(screenColors, false);
}

void Tpertgrid::ApplyPrintColors()
{
    ApplyColors(printColors, true);
}

void Tpertgrid::DrawFrame(const Tpertgra& net, const TPertDrawMode& mode)
{
    TFramePainter(net, *this, mode).Draw();
}
