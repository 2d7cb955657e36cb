#pragma once
#include <cstdint>
#include <string>

class Tpertgra;
class Tedge;

// Splits the work into two consecutive segments of f and g days: the work
// keeps the first f days, a new unnamed segment of g days follows it on its
// row, and the node between them becomes a joint. A work that already has a
// following segment, an auxiliary work (its span is not its own) and parts
// that are not both above zero are refused: nothing changes and the result
// is 0. 1 when split.
int32_t SplitWork(Tpertgra& net, Tedge* work, float f, float g);

// The working state of the dialog "工作分段" splitting one work at the day
// under a press. The two duration fields always add up to the work's
// duration; the dialog window binds its fields to the members of the same
// names.
class TFenduan {
public:
    static constexpr const char* kCaption = "工作分段";

    Tpertgra* network = nullptr;
    Tedge* work = nullptr;
    std::string worknameedit;
    std::string firstedgeduredit;
    std::string secondedgeduredit;
    int32_t scrollMax = 0;       // fenduanscb
    int32_t scrollPos = 0;
    double workstarttimedt = 0;  // date-time numbers of the three pickers
    double dtpfenduantime = 0;
    double workendtimedt = 0;
    std::string workduredit;

    // pressTime: the working time under the press point.
    TFenduan(Tpertgra* net, Tedge* w, double pressTime);

    void ScrollTo(int32_t pos);
    // A duration field was edited (first or second); refused texts show
    // "请输入数字" or "此值不能大于持续时间" and bring back the split at the press.
    void FirstEdited(const std::string& text);
    void SecondEdited(const std::string& text);
    // 确定: false with the warning when a part is "0" (the dialog stays);
    // otherwise splits the work and answers true.
    bool Confirm();

private:
    float s_ = 0;
    float total_ = 0;
    float f0_ = 0;
    void Edited(const std::string& text, bool first);
    void ShowSplit(float first);
};

// Shows "工作分段" for the segmentation tool: the desktop program binds the
// real dialog, tests their own. Show is modal and answers true when the
// split was made.
class IFenduanDialog {
public:
    virtual ~IFenduanDialog() = default;
    virtual bool Show(TFenduan& state) = 0;
};

IFenduanDialog& FenduanDialog();
// Binds the dialog (not owned); null restores the one that cancels at once.
void SetFenduanDialog(IFenduanDialog* dialog);
