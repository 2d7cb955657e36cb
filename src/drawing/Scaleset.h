#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/Durinterval_x.h"

class Tpertgra;

// The working state of the dialog "标尺比例设置": a working copy of the
// network's time scale with its stretched spans, a copy to restore on
// "取消", and the partial display range.
class TScaleset {
public:
    Tlistdurinterval_x working;
    Tlistdurinterval_x saved;
    int32_t rangeStart = 0;   // "设置局部显示的时间范围：", stored time form (00:00)
    int32_t rangeEnd = 0;

    // Copies the scale twice; the range pickers show the display range.
    void Load(const Tpertgra& net);
    // One line per span: start and end as "yyyy-mm-dd".
    std::vector<std::pair<std::string, std::string>> Lines(const Tpertgra& net) const;

    // "添加": the span between two picked days (stored time, any time of the
    // day) with the width its days are drawn at. "结束时间要大于开始时间！"
    // when the end is not after the start.
    bool AddSpan(const Tpertgra& net, int32_t startDate, int32_t endDate);
    // "修改": the selected span is replaced by the picked one, its end one day
    // on, with the width it had. "请先选择一组时间！" without a selection
    // (index < 0).
    bool ChangeSpan(const Tpertgra& net, int32_t index, int32_t startDate, int32_t endDate);
    // "删除".
    bool DeleteSpan(int32_t index);
    // "伸长" / "压缩": the working copy goes into the network, the span's
    // width is stretched or shrunk by 50 there and the working copy reloaded.
    // The caller lays out and redraws.
    bool StretchSpan(Tpertgra& net, int32_t index);
    bool ShrinkSpan(Tpertgra& net, int32_t index);
    // "全部显示": the pickers go to the project start and the day before it.
    void ShowAll(const Tpertgra& net);

    // "确定": the working copy becomes the network's scale, then, when the
    // pickers were changed, the display range from them (to the end of the
    // end day), which starts a fresh scale; marks modified.
    void Apply(Tpertgra& net) const;
    // "取消": the scale as it was on opening.
    void Cancel(Tpertgra& net) const;

private:
    int32_t openedStart_ = 0;
    int32_t openedEnd_ = 0;
    bool NeedSelection(int32_t index) const;
};
