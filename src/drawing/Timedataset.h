#pragma once
#include <array>

#include "drawing/Timedatashowmode.h"

class Tpertgra;

// The settings of the dialog "时间参数设置": whether the works' time
// parameters are shown and which of them, and how.
class TTimedataset {
public:
    bool showTimeLabels = false;   // "显示工作时间参数"; enables the rest
    // ES, EF, LS, LF, TF, FF in this order.
    std::array<bool, 6> show{true, true, true, true, true, true};
    bool nonCriticalOnly = false;  // "只显示非关键线路时间参数"
    bool connectLine = true;       // "显示工作与参数的连线"

    void Load(const Tpertgra& net);
    // Writes the settings and gives every work's time table the six show flags.
    void Apply(Tpertgra& net) const;
};
