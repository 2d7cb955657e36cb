#include "drawing/Tpertgrid.h"

#include "drawing/Brushrecord.h"
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
