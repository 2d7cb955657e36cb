#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/Vqfont.h"

class TPrtWriter;
class TPrtReader;
class TPertDrawMode;

// A two-column table of labels and values in the explanation block.
class TTitleBar {
public:
    int32_t x = 0;  // device units, set by each drawing
    int32_t y = 0;
    std::vector<std::string> labels{"项目名称", "施工单位", "绘图人", "文件名"};
    std::vector<std::string> values{"  ", "  ", "  "};
    TVqFont font;   // replaced by the title block font before every drawing
    bool shown = true;
    double labelWidth = 100;
    double valueWidth = 200;
    double height = 0;  // device units, set by each drawing

    // xf x (labelWidth + valueWidth) when shown, else 0.
    double Width(const TPertDrawMode& mode) const;
    int32_t RowCount() const;
    // Text height of "工" in the font, plus 6 yf.
    double RowHeight(const TPertDrawMode& mode) const;
    double TotalHeight(const TPertDrawMode& mode) const { return RowHeight(mode) * RowCount(); }
    bool IsVisible() const { return shown && RowCount() > 0; }
    // The two columns at (x, y), `height` high, when shown.
    void Draw(const TPertDrawMode& mode) const;

    // The table at the left of the block: dates and duration, no values yet.
    static TTitleBar LeftDefaults();

    // Every field; the font by name and size.
    bool operator==(const TTitleBar& o) const = default;

    // Version 2 with a font record.
    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Without version and with a font body.
    void ReadOld(TPrtReader& r, double version);
};
