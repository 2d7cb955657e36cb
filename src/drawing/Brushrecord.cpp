#include "drawing/Brushrecord.h"

#include "file/Prtstream.h"

void WriteBrushRecord(TPrtWriter& w, const TVqBrush& b)
{
    w.WriteInt32(2);
    w.WriteInt32(b.style);
    w.WriteInt32(b.color);
}

void ReadBrushRecord(TPrtReader& r, TVqBrush& b)
{
    if (r.ReadInt32() < 2) return;
    ReadBrushOld(r, b);
}

void ReadBrushOld(TPrtReader& r, TVqBrush& b)
{
    b.style = r.ReadInt32();
    b.color = r.ReadInt32();
}
