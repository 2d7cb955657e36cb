#pragma once
#include <cstdint>

class Tpertgra;

// The state of the sort dialog "排序": which sort runs on 确定.
class TPaixuChoice {
public:
    static constexpr const char* kCaption = "排序";
    static constexpr const char* kModeGroup = "排序方式";
    static constexpr const char* kByStart = "按实际开始时间排序";
    static constexpr const char* kByGroup = "按分组排序";

    Tpertgra* network = nullptr;
    int32_t paixumode = 0;       // 0 by start (selected when opened), 1 by group
    int32_t modalResult = 0;     // 1 after 确定, 2 after 取消

    explicit TPaixuChoice(Tpertgra* net) : network(net) {}

    // 确定: runs the chosen sort.
    void Confirm();
    void Cancel() { modalResult = 2; }
};
