#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Tpertgra;
class Tedge;

// The working state of the dialog "时差调整" for one work: the work is
// shifted inside its float while the scroll bar moves. Every shift starts
// from the plan as it stood at opening (restore, then place the work), so a
// row of moves ends where one move to the last position would; closing
// without 确定 restores that plan exactly. The dialog window binds its
// fields to the members of the same names.
class TTimedic {
public:
    static constexpr const char* kCaption = "时差调整";

    Tpertgra* network = nullptr;
    Tedge* work = nullptr;
    // Called after every shift, so the drawing behind the dialog follows.
    std::function<void()> refresh;

    std::string diceditgbx;      // group caption: name + "时差调整"
    std::string worknameedit;
    std::string workduredit;     // duration, editable
    std::string leftdicedit;     // float before the work
    std::string rightdicedit;    // float left after it
    int32_t scrollMax = 0;       // diceditscb and leftdicud share range and position
    int32_t scrollPos = 0;
    // Date-time numbers of the six read-only fields.
    double planStart = 0, planFinish = 0, esStart = 0, esFinish = 0, lsStart = 0, lsFinish = 0;
    bool confirmed = false;
    float savedStart = 0;
    float savedDuration = 0;

    TTimedic(Tpertgra* net, Tedge* w);
    ~TTimedic();

    // The scroll bar moved to pos: the up-down control follows, the float
    // after the work is shown, the work is shifted.
    void ScrollTo(int32_t pos);
    // The up-down control was released at pos: the scroll bar follows.
    void UpDownTo(int32_t pos);
    // The duration text was edited.
    void DurationEdited(const std::string& text);
    // 确定.
    void Confirm();
    // Any close without 确定: the plan as it was at opening.
    void Restore();

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
    void Apply();
    void ShowDates();
    void RestoreTimes();
};

// Shows "时差调整" for the time-difference tools, which live below the
// windows: the desktop program binds the real dialog, tests their own. Show
// is modal and answers true for 确定; the state restores itself otherwise.
class ITimedicDialog {
public:
    virtual ~ITimedicDialog() = default;
    virtual bool Show(TTimedic& state) = 0;
    // What redraws the plan behind the dialog after a shift (may be empty).
    virtual std::function<void()> Refresher() { return {}; }
};

ITimedicDialog& TimedicDialog();
// Binds the dialog (not owned); null restores the one that cancels at once.
void SetTimedicDialog(ITimedicDialog* dialog);

// Opens "时差调整" for the work. On 确定 the plan is recalculated and the
// result is 1; 取消 or no work leave the plan as it was and give 0. The
// caller lays the network out.
int32_t OpenTimedicDialog(Tpertgra& net, Tedge* work);

// Adds (dx, dy) to the displacement of the work's time-parameter label.
void OffsetTimeLabel(Tedge* work, int32_t dx, int32_t dy);
