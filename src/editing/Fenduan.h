#pragma once
#include <cstdint>
#include <string>

class Tpertgra;
class Tedge;

// Splits the work into two consecutive segments of f and g days: the work
// starts at its start node's time as far as its float allows and keeps the
// first f days, a new unnamed segment of g days follows it on its row, and
// the node between them becomes a joint. The rest of the plan keeps its
// times; only what the second segment now pushes later moves. A work that
// already has a following segment, an auxiliary work (its span is not its
// own), a dummy or milestone and parts that are not both above zero are
// refused: nothing changes and the result is 0. 1 when split.
int32_t SplitWork(Tpertgra& net, Tedge* work, float f, float g);

// What 确定 does with a work and its next segment (the radio group of the
// edit mode, in its order).
enum class TSegmentEdit { Divide = 0, Merge = 1, Separate = 2 };

// Re-divides the pair into f and g days (Divide), makes it one work of
// their summed duration (Merge) or two ordinary works (Separate). Segments
// before and after the pair stay linked to it; the rest of the plan keeps
// its times, only what the pair now pushes later moves. The plan is
// recalculated. 0 for a work without a next segment (nothing changes), or
// for Divide with parts that are not both above zero; 1 otherwise.
int32_t EditSegments(Tpertgra& net, Tedge* work, TSegmentEdit edit, float f, float g);

// The working state of the dialog "工作分段": mode 'a' splits one work at
// the day under a press, mode 'e' re-divides, merges or separates a work and
// its next segment. The two duration fields always add up to the total (the
// work's duration, or the pair's); the dialog window binds its fields to the
// members of the same names.
class TFenduan {
public:
    static constexpr const char* kCaption = "工作分段";

    Tpertgra* network = nullptr;
    Tedge* work = nullptr;
    char mode = 'a';
    TSegmentEdit editselectbox = TSegmentEdit::Divide;   // shown in mode 'e' only
    std::string worknameedit;
    std::string firstedgeduredit;
    std::string secondedgeduredit;
    int32_t scrollMax = 0;       // fenduanscb
    int32_t scrollPos = 0;
    double workstarttimedt = 0;  // date-time numbers of the three pickers
    double dtpfenduantime = 0;
    double workendtimedt = 0;
    std::string workduredit;

    // Mode 'a'; pressTime: the working time under the press point.
    TFenduan(Tpertgra* net, Tedge* w, double pressTime);
    // Mode 'e' for the work and its next segment.
    static TFenduan ForSegments(Tpertgra* net, Tedge* w);

    void ScrollTo(int32_t pos);
    // A duration field was edited (first or second); refused texts show
    // "请输入数字" or "此值不能大于持续时间" and bring back the split at the press.
    void FirstEdited(const std::string& text);
    void SecondEdited(const std::string& text);
    // 确定: false with the warning when a part is "0" (the dialog stays);
    // otherwise splits the work (mode 'a') or edits the pair (mode 'e') and
    // answers true.
    bool Confirm();

private:
    TFenduan() = default;
    float s_ = 0;
    float total_ = 0;
    float f0_ = 0;
    void Edited(const std::string& text, bool first);
    void ShowSplit(float first);
};

// Shows "工作分段" for the segmentation tool: the desktop program binds the
// real dialog, tests their own. Show is modal and answers true when the
// split or the edit was made.
class IFenduanDialog {
public:
    virtual ~IFenduanDialog() = default;
    virtual bool Show(TFenduan& state) = 0;
};

IFenduanDialog& FenduanDialog();
// Binds the dialog (not owned); null restores the one that cancels at once.
void SetFenduanDialog(IFenduanDialog* dialog);
