#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "model/Vqfont.h"

// The small table of six time parameters drawn beside a work.
// texts are in the order ES, LS, EF, LF, TF, FF; shown flags in the order
// ES, EF, LS, LF, TF, FF (the two orders differ on purpose: they are the
// orders in which the label's owners fill them).
class TWorkTimeData {
public:
    double anchorX = 0;
    double anchorY = 0;
    double spanX = 0;
    double reservedGeom = 0;
    TVqFont font;
    int32_t frameColor = 0xFFFFFF;
    int32_t fillColor = 0;
    std::array<std::string, 6> texts{"ES", "LS", "EF", "LF", "TF", "FF"};
    std::array<bool, 6> shown{true, true, true, true, true, true};

    bool operator==(const TWorkTimeData& o) const
    {
        return anchorX == o.anchorX && anchorY == o.anchorY && spanX == o.spanX &&
               reservedGeom == o.reservedGeom && font.name == o.font.name &&
               font.size == o.font.size && font.color == o.font.color &&
               frameColor == o.frameColor && fillColor == o.fillColor && texts == o.texts &&
               shown == o.shown;
    }
};
