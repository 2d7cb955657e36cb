#include "drawing/Timedatashowmode.h"

#include "file/Prtstream.h"

namespace {
constexpr int kOldCount = 8;
}

bool TTimeDataShowMode::Get(int i) const
{
    switch (i) {
    case 0: return showES;
    case 1: return showEF;
    case 2: return showLS;
    case 3: return showLF;
    case 4: return showTF;
    case 5: return showFF;
    case 6: return connectLine;
    case 7: return nonCriticalOnly;
    default: return i >= 8 && i < kCount && reserved[i - 8];
    }
}

void TTimeDataShowMode::Set(int i, bool v)
{
    switch (i) {
    case 0: showES = v; break;
    case 1: showEF = v; break;
    case 2: showLS = v; break;
    case 3: showLF = v; break;
    case 4: showTF = v; break;
    case 5: showFF = v; break;
    case 6: connectLine = v; break;
    case 7: nonCriticalOnly = v; break;
    default:
        if (i >= 8 && i < kCount) reserved[i - 8] = v;
    }
}

bool TTimeDataShowMode::operator==(const TTimeDataShowMode& o) const
{
    for (int i = 0; i < kCount; ++i)
        if (Get(i) != o.Get(i)) return false;
    return true;
}

void TTimeDataShowMode::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    for (int i = 0; i < kCount; ++i) w.WriteByte(Get(i));
}

void TTimeDataShowMode::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    for (int i = 0; i < kCount; ++i) Set(i, r.ReadByte());
}

void TTimeDataShowMode::ReadOld(TPrtReader& r, double)
{
    for (int i = 0; i < kOldCount; ++i) Set(i, r.ReadByte());
}
