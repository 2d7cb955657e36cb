#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/Perttuli.h"
#include "drawing/Titlebar.h"
#include "model/Vqfont.h"

class TPrtWriter;
class TPrtReader;

// The explanation block of a frame: free text, the legend and a title block
// of labelled cells (style one) or two title tables (style two).
class Tpertexplain {
public:
    static constexpr int kCellCount = 19;

    int32_t showMode = 0;  // 0 hidden, 1 right of the drawing, 2 below it
    int32_t blockWidth = 300;
    int32_t blockHeight = 160;
    int32_t textLeftGap = 20;
    int32_t textRightGap = 20;
    std::vector<std::string> explanationLines;
    TVqFont explanationFont{"宋体", 10, 0x00FFFF};
    int32_t explanationScreenColor = 0x00FFFF;
    int32_t explanationPrintColor = 0x000000;
    std::vector<std::string> noteLines;
    TVqFont titleBlockFont{"宋体", 10, 0x00FFFF};
    int32_t titleBlockScreenColor = 0x00FFFF;
    int32_t titleBlockPrintColor = 0x000000;
    std::array<std::string, kCellCount> cells{
        "施工单位", "总工程师", "", "绘图人", "", "审核人", "", "校对人", "", "ArrowPlan制作",
        "", "文件名", "", "总工期", "", "起始时间", "结束时间", "", ""};
    bool autoStart = true;     // cell 17 takes the project start date
    bool autoEnd = true;       // cell 18 takes the project end date
    bool autoDuration = true;  // cell 14 takes the total duration
    int32_t titleStyle = 0;    // 0 cell grid, 1 two title tables
    TTitleBar rightBar;
    TTitleBar leftBar = TTitleBar::LeftDefaults();
    TPertTuli legend;

    // Every field; fonts by name and size.
    bool operator==(const Tpertexplain& o) const = default;

    // Version 2, part of the grid record.
    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Files up to 1.54: no version fields and font bodies; cells 17, 18 and
    // the auto flags from 1.2 on, the title tables and the legend after 1.529.
    void ReadOld(TPrtReader& r, double version);
};
