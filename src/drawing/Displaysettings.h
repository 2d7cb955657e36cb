#pragma once
#include <cstddef>
#include <cstdint>

class TPrtWriter;
class TPrtReader;

// The 152-byte display settings block: 38 consecutive 32-bit slots, all int32
// except `legacyDayWidth` (slot 3, a float). A network keeps three of them:
// the current block and the screen and print palettes. Flag slots are read by
// their low byte only and hold 0 or 1.
class TDisplaySettings {
public:
    static constexpr int kSlotCount = 38;
    static constexpr size_t kBytes = 152;
    static constexpr int kPaletteSlot = 9;   // slot of palette colour 0
    static constexpr int kPaletteSize = 8;

    int32_t rowHeight = 50;           // offset 0
    int32_t reserved4 = 50;
    int32_t reserved8 = 100;
    float legacyDayWidth = 10.0f;     // offset 12
    int32_t reserved16 = 0;
    int32_t firstRow = 0;             // offset 20
    int32_t minWorkLength = 28;
    int32_t nodeRadiusX = 9;
    int32_t nodeRadiusY = 9;
    int32_t criticalColor = 0x0000FF; // offset 36, palette 0
    int32_t generalColor = 0xFFFFFF;
    int32_t floatColor = 0x00FF00;
    int32_t palette3 = 0xFFFFFF;
    int32_t timeDataColor = 0xFFFF00;
    int32_t milestoneColor = 0x008080;
    int32_t nodeNumberColor = 0x00FF00;
    int32_t backgroundColor = 0x000000; // offset 64, palette 7
    int32_t nodeNumberSize = 7;       // offset 68
    int32_t criticalPen = 3;
    int32_t generalPen = 1;
    int32_t floatPen = 1;
    int32_t dummyPen = 1;
    int32_t reserved88 = 1;
    int32_t milestonePen = 1;
    int32_t showDurations = 1;        // offset 96, flag
    int32_t resourceHeight = 120;
    int32_t reserved104 = 40;         // head room of a resource diagram
    int32_t resourceScaleCount = 4;
    int32_t paperSize = 9;            // index of the paper list + 1 (9 = A4)
    int32_t orientation = 1;          // 0 portrait, 1 landscape
    int32_t printRatioX = 100;
    int32_t printRatioY = 100;
    int32_t equalRatios = 1;          // offset 128, flag
    int32_t joinOffset = 3;
    int32_t arrowLength = 10;
    int32_t arrowHalfWidth = 2;
    int32_t hopSize = 6;
    int32_t useScreenPalette = 1;     // offset 148, flag

    // The current block and the screen palette share the built-in defaults.
    static TDisplaySettings Defaults() { return TDisplaySettings(); }
    static TDisplaySettings ScreenDefaults() { return TDisplaySettings(); }
    // Red critical works on a white sheet, everything else black.
    static TDisplaySettings PrintDefaults();

    // The 32 bits of slot i (0..37) as stored; slot 3 gives the float's bits.
    uint32_t SlotBits(int i) const;
    void SetSlotBits(int i, uint32_t bits);
    // Palette colour i (0..7).
    int32_t Palette(int i) const;
    void SetPalette(int i, int32_t color);

    // Slots compared exactly, the float slot within 1e-9.
    bool operator==(const TDisplaySettings& o) const;

    // 152 raw little-endian bytes.
    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Old files kept nonsense in the float slot; anything outside 0..1000 becomes 10.
    void RepairLegacyDayWidth();
};

// Objects-section record: int32 1, then the current, the print and the screen block.
void WriteDisplayRecord(TPrtWriter& w, const TDisplaySettings& current,
                        const TDisplaySettings& print, const TDisplaySettings& screen);
// Reads the three blocks unless the leading int32 is 0.
void ReadDisplayRecord(TPrtReader& r, TDisplaySettings& current, TDisplaySettings& print,
                       TDisplaySettings& screen);
