#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/Workinsert.h"
#include "model/Position2d.h"
#include "model/Vqfont.h"
#include "model/Workdata.h"
#include "resources/Resourcelines.h"

class IBudgetItemSource;
class Tpertgra;
class Tvertex;
class Tedge;

// What 确定 comes to.
enum class TWorkConfirm {
    StayOpen,    // a missing entry or a refused kind: the dialog stays open, nothing changed
    Changed,     // the work was added or edited: the dialog closes with result 1
    Unchanged,   // the add operation refused silently: the dialog closes, nothing changed
};

// The box that should take the focus after a refused 确定.
enum class TWorkBox { None, Duration, Quantity, Completion };

// Sums of page "统计" over the resource lines.
struct TWorkCostStatistics {
    double labour = 0;      // 人工费
    double material = 0;    // 材料费
    double machinery = 0;   // 机具费
    double other = 0;       // 其他费
    double total = 0;       // 总费用
    double people = 0;      // 总人数: totals of the labour lines
    double labourDays = 0;  // 人工日: daily amounts of the labour lines
};

// The work dialog without its window: every control as a plain field holding
// what the widget shows, the rules that run when a control changes, and the
// confirm step. The window binds its widgets to one of these; tests drive it
// directly.
class TWorkdialog {
public:
    // ---- the dialog's own state ----
    std::string savedText;
    char mode = 'a';
    Tpertgra* network = nullptr;
    Tedge* work = nullptr;          // edit: the edited work; add at a work: the anchor work
    Tvertex* anchorNode = nullptr;  // add at a node
    Tvertex* startNode = nullptr;   // nodes under the start and end points
    Tvertex* endNode = nullptr;
    TPosition2D startPoint, entryPoint, endPoint;
    char zone = 'm';

    // ---- controls ----
    std::string caption;
    // page 主要信息
    std::string name;                   // namecob
    std::vector<std::string> names;     // namecob's list
    std::string duration = "10";        // duredit
    std::vector<std::string> kinds;     // typecob's items
    std::string kind = WorkKind::Real;  // typecob
    std::string quantity = "0";         // gcledit
    std::string unit;                   // gcldwcob
    std::string completion = "-1";      // edtfinishbili, percent
    // Date pickers as date-time numbers (days since 1899-12-30).
    double startDate = 0;       // WorkstarttimeEdt
    double endDate = 0;         // WorkendtimeEdt
    double endDateMinimum = 0;  // earliest date WorkendtimeEdt offers
    double esDate = 0;          // workesdt
    double lsDate = 0;          // worklsdt
    double efDate = 0;          // workefdt
    double lfDate = 0;          // worklfdt
    // page 工作设置
    int namePlace = 0;          // nameptrgp item
    int placeMode = 0;          // placemodergp item
    bool useCustom = false;     // customckb
    TVqFont font;               // the font of fontsetbtn's dialog
    bool useCustomWidth = false;  // worklinewidthckb
    int widthIndex = 0;           // worklinewidthcob, "1" ... "9"
    bool useCustomColor = false;  // worklineclckb
    int32_t penColor = 0x00FFFF;  // workpensp's pen, the colour of btnLineColor's dialog
    int32_t swatchFill = 0x00FFFF;
    int32_t swatchBackground = 0; // the panel behind the swatch: the network's background
    int32_t swatchHeight = 1;
    bool swatchDotted = false;
    bool useCustomStyle = false;  // worklinestyleckb
    int styleIndex = 0;           // worklinestylecob, "实线" or "虚线"
    // Rows the updown control has moved the dialog's work's start node by;
    // applied to the network on 确定 only, so 取消 leaves the network untouched.
    int startRowShift = 0;
    // page 资源: the edit boxes (number, name, unit, price, kind, measure,
    // daily and total amounts), their enabled states, the drop-down lists,
    // the lines and the selected line (-1 none)
    TResourceInput resourceInput;
    bool dailyEnabled = true;
    bool totalEnabled = false;
    std::vector<std::string> resourceNumbers;
    std::vector<std::string> resourceNames;
    TWorkResourceLines resources;
    int selectedLine = -1;
    // page 统计
    TWorkCostStatistics statistics;

    TWorkBox focusBox = TWorkBox::None;

    // The six kinds the dialog offers, in order; the two line styles.
    static const std::vector<std::string>& OfferedKinds();
    static const std::vector<std::string>& LineStyles();

    // ---- opening ----
    // Add mode on the anchors of a gesture. The nodes under the start and
    // end points are looked up here when the anchors do not name them.
    void OpenAdd(Tpertgra& net, const TAddAnchors& anchors, IBudgetItemSource* items = nullptr);
    // Edit mode for one work of the network.
    void OpenEdit(Tpertgra& net, Tedge* work, IBudgetItemSource* items = nullptr);
    // Closing in any way gives the budget item's highlight up.
    void Close();
    const TAddAnchors& Anchors() const { return anchors_; }

    // ---- page 主要信息 ----
    void DurationEdited(const std::string& text);
    void DurationEscape();
    void KindChanged(const std::string& kind);
    void QuantityFocused();
    void QuantityEdited(const std::string& text);
    void CompletionFocused();
    void CompletionEdited(const std::string& text);
    void CompletionLeft();
    // Esc in the name, quantity or completion box puts savedText back into it.
    void RestoreSaved(std::string& box) const { box = savedText; }
    void StartDateChanged(double date);
    void EndDateFocused();
    void EndDateChanged(double date);
    void NameFocused();
    void NameLeft();
    void NameListOpened();
    // Shift-click of btnworkname: appends the name to the common names;
    // true when the file was written.
    bool SaveNameToWorkbook();
    // The updown arrows; only a dialog with a work moves its start node.
    void UpdownClicked(bool down);

    // ---- page 资源 ----
    void MeasureChanged(int index);   // 0 "平均用量", 1 "总量"
    void AmountFocused(const std::string& box);
    void DailyEdited(const std::string& text);
    void TotalEdited(const std::string& text);
    void TotalLeft();
    void ResourceListsOpened();
    void ResourceNumberChanged(const std::string& text);
    void SelectLine(int index);
    bool AddLine();
    bool ModifyLine();
    // Asks "真的要删除吗?" when a line is selected.
    bool DeleteLine();
    // Switching to "资源" or "统计": amounts follow the duration box.
    void RecomputeLines();
    // Switching to "统计": the lines recomputed and summed.
    void ComputeStatistics();

    // ---- confirming ----
    // The work record from the controls. `data` is a fresh record in add
    // mode and a copy of the work's record in edit mode. The resources are
    // rebuilt from the lines; their names reach the other works only when
    // the confirmation goes through (Confirm).
    void CollectWorkData(Tworkdata& data) const;
    // 确定: the checks, then the add operation or the edit of the work, the
    // start node's row, the completion ratio and the modified flag.
    TWorkConfirm Confirm();
    // The work the confirmation added or edited (null before).
    Tedge* ConfirmedWork() const { return confirmed_; }

    // Parses a box as a duration, quantity or amount: the strict number
    // text; nothing for anything else.
    static std::optional<double> BoxValue(std::string_view text);
    // The completion box: an optional minus sign before a strict number.
    static std::optional<double> CompletionValue(std::string_view text);
    // A number written into an editable box: exact and never in exponent
    // form, so that the box parses back to the same value.
    static std::string BoxText(double v);
    // A stored keyboard-layout value: a decimal integer, blanks around it
    // allowed; nothing for anything else.
    static std::optional<int64_t> LayoutValue(std::string_view text);

private:
    void Reset();
    void TakeOverBudgetItem();
    // Which existing nodes the new work of an add will join (null: a new node).
    void NewWorkEnds(const Tvertex*& from, const Tvertex*& to) const;
    bool KindRefused() const;
    double DurationValue() const;
    bool ForcedZeroKind() const;
    // The working time the work starts at: the picked start date, or in edit
    // mode the work's own start while that date is left alone.
    float StartTime() const;
    // The duration the finish dates count: the box's, the segments that
    // follow the work included.
    float FinishSpan() const;
    // The plan finish (and in edit mode the earliest and latest finish) for
    // the start and the duration as they stand now.
    void UpdateFinishDates();

    TAddAnchors anchors_;
    IBudgetItemSource* items_ = nullptr;
    Tvertex* rowShiftNode_ = nullptr;
    Tedge* confirmed_ = nullptr;
    std::string durationUndo_;
    bool hasDurationUndo_ = false;
    // Edit mode: what the boxes showed when the dialog opened and the exact
    // values behind them; a box left as it was keeps its exact value.
    std::string openedDuration_, openedQuantity_, openedCompletion_;
    double openedStartDate_ = 0;
    Tworkdata opened_;
    // The durations of the segments that follow the edited work.
    float followingSegments_ = 0;
};
