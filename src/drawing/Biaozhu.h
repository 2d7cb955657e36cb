#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Position2d.h"
#include "model/Vqfont.h"

class TPrtWriter;
class TPrtReader;

// The widest annotation frame pen, in drawing units: a wider one (a damaged
// file, a figure typed in the dialog) is drawn and stored at this width.
constexpr int32_t kWidestFrame = 1000;

// A free text box on the drawing, anchored to a calendar day and a row so
// that it follows the time scale and the row height.
class TBiaoZhu {
public:
    double anchorDay = 0;
    double anchorXOffset = 0;
    double anchorRow = 0;
    double width = 0;
    double height = 0;
    double marginLeft = 5;   // device units
    double marginTop = 5;
    double marginRight = 5;
    double marginBottom = 5;
    TPosition2D anchor;      // top-left corner as last computed, drawing units
    std::string text = "网络计划标注";
    TVqFont font{"宋体", 12, 0x00FF00};
    int32_t textPrintColor = 0x000000;
    int32_t textScreenColor = 0xC8C896;
    bool hasFrame = true;
    int32_t framePrintColor = 0x000000;
    int32_t frameScreenColor = 0xC8C896;
    double boxLineWidth = 2;

    // The box's top-left corner on the drawing as the last layout (or the
    // last move) placed it, so that the hit test under a moving pointer needs
    // no time axis. Neither stored nor compared.
    bool placed = false;
    TPosition2D placedAt;

    // Every double exactly, texts, fonts by name and size, colours, hasFrame.
    bool operator==(const TBiaoZhu& o) const;

    // Version 2.
    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Files above 1.539 up to 1.54: a float64 version, the three lists and an
    // old text block; no anchor.
    void ReadOld(TPrtReader& r, double version);

private:
    void ReadLists(TPrtReader& r);
};

// The annotations of a network: int32 n, then n records. Reading replaces the list.
void WriteAnnotations(TPrtWriter& w, const std::vector<std::unique_ptr<TBiaoZhu>>& list);
void ReadAnnotations(TPrtReader& r, std::vector<std::unique_ptr<TBiaoZhu>>& list);
void ReadAnnotationsOld(TPrtReader& r, std::vector<std::unique_ptr<TBiaoZhu>>& list,
                        double version);
