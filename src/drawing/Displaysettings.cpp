#include "drawing/Displaysettings.h"

#include <cmath>
#include <cstring>
#include <type_traits>

#include "file/Prtstream.h"

// The slots are read and written through the object's bytes, so the class
// must stay exactly the 38 packed 32-bit fields.
static_assert(std::is_standard_layout_v<TDisplaySettings>);
static_assert(std::is_trivially_copyable_v<TDisplaySettings>);
static_assert(sizeof(TDisplaySettings) == TDisplaySettings::kBytes);
static_assert(offsetof(TDisplaySettings, legacyDayWidth) == 12);
static_assert(offsetof(TDisplaySettings, firstRow) == 20);
static_assert(offsetof(TDisplaySettings, criticalColor) == 36);
static_assert(offsetof(TDisplaySettings, backgroundColor) == 64);
static_assert(offsetof(TDisplaySettings, nodeNumberSize) == 68);
static_assert(offsetof(TDisplaySettings, showDurations) == 96);
static_assert(offsetof(TDisplaySettings, paperSize) == 112);
static_assert(offsetof(TDisplaySettings, equalRatios) == 128);
static_assert(offsetof(TDisplaySettings, useScreenPalette) == 148);

namespace {
constexpr int kFloatSlot = 3;
}

TDisplaySettings TDisplaySettings::PrintDefaults()
{
    TDisplaySettings s;
    for (int i = 1; i < kPaletteSize - 1; ++i) s.SetPalette(i, 0x000000);
    s.backgroundColor = 0xFFFFFF;
    return s;
}

uint32_t TDisplaySettings::SlotBits(int i) const
{
    uint32_t v = 0;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(this) + 4 * i, 4);
    return v;
}

void TDisplaySettings::SetSlotBits(int i, uint32_t bits)
{
    std::memcpy(reinterpret_cast<unsigned char*>(this) + 4 * i, &bits, 4);
}

int32_t TDisplaySettings::Palette(int i) const
{
    return static_cast<int32_t>(SlotBits(kPaletteSlot + i));
}

void TDisplaySettings::SetPalette(int i, int32_t color)
{
    SetSlotBits(kPaletteSlot + i, static_cast<uint32_t>(color));
}

bool TDisplaySettings::operator==(const TDisplaySettings& o) const
{
    for (int i = 0; i < kSlotCount; ++i) {
        if (i == kFloatSlot) continue;
        if (SlotBits(i) != o.SlotBits(i)) return false;
    }
    return std::fabs(double(legacyDayWidth) - double(o.legacyDayWidth)) <= 1e-9;
}

void TDisplaySettings::Write(TPrtWriter& w) const
{
    for (int i = 0; i < kSlotCount; ++i) w.WriteInt32(static_cast<int32_t>(SlotBits(i)));
}

void TDisplaySettings::Read(TPrtReader& r)
{
    for (int i = 0; i < kSlotCount; ++i) SetSlotBits(i, static_cast<uint32_t>(r.ReadInt32()));
}

void TDisplaySettings::RepairLegacyDayWidth()
{
    // NaN fails both tests of "inside", so it is repaired too.
    if (!(legacyDayWidth >= 0.0f && legacyDayWidth <= 1000.0f)) legacyDayWidth = 10.0f;
}

void WriteDisplayRecord(TPrtWriter& w, const TDisplaySettings& current,
                        const TDisplaySettings& print, const TDisplaySettings& screen)
{
    w.WriteInt32(1);
    current.Write(w);
    print.Write(w);
    screen.Write(w);
}

void ReadDisplayRecord(TPrtReader& r, TDisplaySettings& current, TDisplaySettings& print,
                       TDisplaySettings& screen)
{
    if (r.ReadInt32() == 0) return;
    current.Read(r);
    print.Read(r);
    screen.Read(r);
}
