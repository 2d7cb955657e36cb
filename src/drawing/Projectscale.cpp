#include "drawing/Projectscale.h"

#include "file/Prtstream.h"

void Tprojectscale::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    w.WriteString(name);
    w.WriteInt32(height);
    w.WriteInt32(nameWidth);
    w.WriteInt32(reserved1);
    w.WriteFontRecord(nameFont);
    w.WriteFontRecord(scaleFont);
    w.WriteInt32(reserved2);
    w.WriteInt32(tickWidth);
    w.WriteInt32(minLabelSpacing);
    w.WriteInt32(subTickSpacing);
    w.WriteInt32(lineColor);
    w.WriteInt32(borderWidth);
    w.WriteByte(gridLines);
}

void Tprojectscale::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    name = r.ReadString();
    height = r.ReadInt32();
    nameWidth = r.ReadInt32();
    reserved1 = r.ReadInt32();
    r.ReadFontRecord(nameFont);
    r.ReadFontRecord(scaleFont);
    reserved2 = r.ReadInt32();
    tickWidth = r.ReadInt32();
    minLabelSpacing = r.ReadInt32();
    subTickSpacing = r.ReadInt32();
    lineColor = r.ReadInt32();
    borderWidth = r.ReadInt32();
    gridLines = r.ReadByte();
}

void Tprojectscale::ReadOld(TPrtReader& r, double)
{
    name = r.ReadString();
    nameFont.name = r.ReadString();
    nameFont.size = r.ReadInt32();
    r.ReadRawByte();
    nameFont.color = r.ReadInt32();
    nameWidth = r.ReadInt32();
    reserved1 = r.ReadInt32();
    scaleFont.name = r.ReadString();
    scaleFont.size = r.ReadInt32();
    scaleFont.color = r.ReadInt32();
    reserved2 = r.ReadInt32();
    tickWidth = r.ReadInt32();
    minLabelSpacing = r.ReadInt32();
    subTickSpacing = r.ReadInt32();
    lineColor = r.ReadInt32();
    borderWidth = r.ReadInt32();
    gridLines = r.ReadByte();
    height = r.ReadInt32();
}
