#include "gantt/Ganttshowdata.h"

#include "drawing/Fixedlist.h"
#include "file/Prtstream.h"

void TGanttShowData::Write(TPrtWriter& w) const
{
    w.WriteInt32(0);
    w.WriteInt32List({columnId, align});
    w.WriteBoolList({visible});
    w.WriteDoubleList({width});
    w.WriteStringList({caption});
}

bool TGanttShowData::Read(TPrtReader& r)
{
    if (r.ReadInt32() != 0) return false;
    AssignByPosition(r.ReadInt32List(), {&columnId, &align});
    AssignByPosition(r.ReadBoolList(), {&visible});
    AssignByPosition(r.ReadDoubleList(), {&width});
    AssignByPosition(r.ReadStringList(), {&caption});
    return true;
}
