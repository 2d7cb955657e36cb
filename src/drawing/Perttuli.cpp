#include "drawing/Perttuli.h"

#include "file/Prtstream.h"

bool TPertTuli::operator==(const TPertTuli& o) const
{
    return width == o.width && height == o.height && hasSuspended == o.hasSuspended &&
           hasAuxiliary == o.hasAuxiliary && hasDummy == o.hasDummy;
}

void TPertTuli::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    w.WriteInt32(x);
    w.WriteInt32(y);
    w.WriteDouble(width);
    w.WriteDouble(height);
    w.WriteByte(hasSuspended);
    w.WriteByte(hasAuxiliary);
    w.WriteByte(hasDummy);
}

void TPertTuli::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    ReadOld(r, 0);
}

void TPertTuli::ReadOld(TPrtReader& r, double)
{
    x = r.ReadInt32();
    y = r.ReadInt32();
    width = r.ReadDouble();
    height = r.ReadDouble();
    hasSuspended = r.ReadByte();
    hasAuxiliary = r.ReadByte();
    hasDummy = r.ReadByte();
}
