#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Recordingcanvas.h"
#include "schedule/Vqtime.h"
#include "support/Netbuilder.h"

// Helpers of the drawing tests.

// 00:00 of a civil date in stored form.
inline int32_t Stamp(int32_t y, int32_t m, int32_t d)
{
    return *StampOfCivil(TCivilTime{y, m, d, 0, 0, 0});
}

// A builder whose network starts on Thursday 2007-03-01.
inline TNetBuilder DatedBuilder()
{
    TNetBuilder b;
    b.net->projectStart = Stamp(2007, 3, 1);
    b.net->progressDate = b.net->showStart = b.net->showEnd = b.net->projectStart;
    return b;
}

using TPrim = TRecordingCanvas::TPrimitive;
using TPrimKind = TRecordingCanvas::TKind;

// Texts drawn with TextOut, with their corners.
struct TLabel {
    std::string text;
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const TLabel&) const = default;
};

inline std::vector<TLabel> Labels(const TRecordingCanvas& c)
{
    std::vector<TLabel> out;
    for (const TPrim& p : c.primitives)
        if (p.kind == TPrimKind::Text || p.kind == TPrimKind::TextRect)
            out.push_back({p.text, p.points[0].x, p.points[0].y});
    return out;
}

inline std::vector<std::string> LabelTexts(const TRecordingCanvas& c)
{
    std::vector<std::string> out;
    for (const TLabel& l : Labels(c)) out.push_back(l.text);
    return out;
}

// Lines that are vertical at x.
inline std::vector<TPrim> VerticalLinesAt(const TRecordingCanvas& c, int32_t x)
{
    std::vector<TPrim> out;
    for (const TPrim& p : c.primitives)
        if (p.kind == TPrimKind::Line && p.points[0].x == x && p.points[1].x == x) out.push_back(p);
    return out;
}

inline void PrintTo(const TLabel& l, std::ostream* os)
{
    *os << "{" << l.text << " @" << l.x << "," << l.y << "}";
}
