#include "drawing/Titlebar.h"

#include "file/Prtstream.h"

TTitleBar TTitleBar::LeftDefaults()
{
    TTitleBar t;
    t.labels = {"开工时间", "结束时间", "总工期", "时间单位"};
    t.values.clear();
    t.valueWidth = 100;
    return t;
}

void TTitleBar::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    w.WriteInt32(x);
    w.WriteInt32(y);
    w.WriteStringList(labels);
    w.WriteStringList(values);
    w.WriteFontRecord(font);
    w.WriteByte(shown);
    w.WriteDouble(labelWidth);
    w.WriteDouble(valueWidth);
    w.WriteDouble(height);
}

void TTitleBar::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    x = r.ReadInt32();
    y = r.ReadInt32();
    labels = r.ReadStringList();
    values = r.ReadStringList();
    r.ReadFontRecord(font);
    shown = r.ReadByte();
    labelWidth = r.ReadDouble();
    valueWidth = r.ReadDouble();
    height = r.ReadDouble();
}

void TTitleBar::ReadOld(TPrtReader& r, double)
{
    x = r.ReadInt32();
    y = r.ReadInt32();
    labels = r.ReadStringList();
    values = r.ReadStringList();
    r.ReadFontBody(font);
    shown = r.ReadByte();
    labelWidth = r.ReadDouble();
    valueWidth = r.ReadDouble();
    height = r.ReadDouble();
}
