#pragma once
#include <cstdint>

class Tpertgra;

// The settings of the dialog "前锋线设置": the check date of the progress
// line and whether it is drawn.
class TVanguardlineset {
public:
    int32_t checkDate = 0;        // "检查时间：", stored time form
    bool showProgressLine = false;// "是否显示前锋线"

    // The check date is shown not earlier than the project start.
    void Load(const Tpertgra& net);
    void Apply(Tpertgra& net) const;
};
