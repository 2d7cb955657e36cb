#include "entry/Workdialog.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "drawing/Displaysettings.h"
#include "entry/Budgetitemsource.h"
#include "entry/Worknames.h"
#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "platform/Inifile.h"
#include "platform/Keyboardlayouts.h"
#include "platform/Messagebox.h"
#include "platform/Programfolders.h"
#include "resources/Resourcecatalogue.h"
#include "schedule/Calendar.h"

namespace {

constexpr const char* kNotANumber = "请输入一个数字";
constexpr const char* kAuxiliaryRefused =
    "辅助工作的前后节点间必须还有其它工作，该工作不能设为辅助工作！";
constexpr const char* kMilestoneRefused = "此工作不能作为里程碑！";
constexpr const char* kDaily = "平均用量";
constexpr const char* kTotal = "总量";

std::string_view Trimmed(std::string_view s)
{
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    const size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// Shortest text that reads back as the same double.
std::string ShortestText(double v)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

}  // namespace

const std::vector<std::string>& TWorkdialog::OfferedKinds()
{
    static const std::vector<std::string> kinds = {WorkKind::Real,      WorkKind::Dummy,
                                                   WorkKind::Milestone, WorkKind::Auxiliary,
                                                   WorkKind::Suspended, WorkKind::Other};
    return kinds;
}

const std::vector<std::string>& TWorkdialog::LineStyles()
{
    static const std::vector<std::string> styles = {"实线", "虚线"};
    return styles;
}

std::optional<double> TWorkdialog::BoxValue(std::string_view text)
{
    return ParseNumericText(Trimmed(text));
}

std::optional<double> TWorkdialog::CompletionValue(std::string_view text)
{
    text = Trimmed(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    const std::optional<double> v = ParseNumericText(text);
    if (!v) return std::nullopt;
    return negative ? -*v : *v;
}

std::string TWorkdialog::BoxText(double v)
{
    if (!std::isfinite(v)) return "0";
    if (v == 0) return "0";   // also -0
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (res.ec != std::errc()) return "0";
    return std::string(buf, res.ptr);
}

std::optional<int64_t> TWorkdialog::LayoutValue(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    int64_t v = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') ++first;
    auto res = std::from_chars(first, last, v);
    if (res.ec != std::errc() || res.ptr != last) return std::nullopt;
    return v;
}

void TWorkdialog::Reset()
{
    *this = TWorkdialog();
    kinds = OfferedKinds();
    resourceInput.measure = kDaily;
}

bool TWorkdialog::ForcedZeroKind() const
{
    return kind == WorkKind::Dummy || kind == WorkKind::Milestone;
}

double TWorkdialog::DurationValue() const
{
    return BoxValue(duration).value_or(0);
}

void TWorkdialog::OpenAdd(Tpertgra& net, const TAddAnchors& anchors, IBudgetItemSource* items)
{
    Reset();
    mode = 'a';
    network = &net;
    items_ = items;
    anchors_ = anchors;
    if (anchors_.kind == TAddAnchors::Points) {
        if (!anchors_.startNode)
            anchors_.startNode = net.FindNodeAt(int32_t(anchors_.start.x), int32_t(anchors_.start.y));
        if (!anchors_.endNode)
            anchors_.endNode = net.FindNodeAt(int32_t(anchors_.end.x), int32_t(anchors_.end.y));
    }
    startPoint = anchors_.start;
    entryPoint = anchors_.entry;
    endPoint = anchors_.end;
    startNode = anchors_.startNode;
    endNode = anchors_.endNode;
    if (anchors_.kind == TAddAnchors::Node) anchorNode = anchors_.node;
    if (anchors_.kind == TAddAnchors::Work) {
        work = anchors_.work;
        zone = anchors_.zone;
    }
    if (work) rowShiftNode_ = work->fromNode;
    swatchBackground = net.displaySettings.backgroundColor;

    caption = "工作信息(添加工作)";
    const TAddDefaults defaults = AddModeDefaults(net, anchors_);
    duration = defaults.duration;
    startDate = defaults.startDate;
    UpdateFinishDates();
    endDateMinimum = std::floor(startDate);
    const double projectDate = DateOfDay(net, 0);
    esDate = lsDate = efDate = lfDate = projectDate;
    TakeOverBudgetItem();
}

void TWorkdialog::OpenEdit(Tpertgra& net, Tedge* edited, IBudgetItemSource* items)
{
    Reset();
    mode = 'e';
    network = &net;
    items_ = items;
    work = edited;
    rowShiftNode_ = edited->fromNode;
    swatchBackground = net.displaySettings.backgroundColor;
    caption = "工作信息(修改工作)";

    const Tworkdata& d = *edited->data;
    opened_ = d;
    name = d.name;
    duration = NumberToText(d.duration, 8, 2);
    quantity = NumberToText(d.quantity, 20, 2);
    unit = d.unit;
    kind = d.kind;
    // A kind the dialog does not offer (a total-duration marker) stays the
    // work's kind instead of turning into an empty text.
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
    placeMode = d.placeMode;
    namePlace = d.namePlace;
    useCustom = d.useCustom;
    completion = NumberToText(d.progress * 100, 6, 2);
    font = d.font;
    useCustomWidth = d.useCustomWidth;
    useCustomColor = d.useCustomColor;
    useCustomStyle = d.useCustomStyle;
    widthIndex = d.lineWidth >= 1 && d.lineWidth <= 9 ? d.lineWidth - 1 : 0;
    penColor = d.lineColor;
    swatchFill = d.lineColor;
    swatchHeight = d.lineWidth;
    if (d.lineStyle == LineStyles()[1]) {
        styleIndex = 1;
        swatchDotted = true;
    }
    resources = TWorkResourceLines::FromWork(d);

    startDate = WorkStartDate(net, *edited);
    endDateMinimum = std::floor(startDate);
    esDate = StartDateOfTime(net, d.es);
    lsDate = StartDateOfTime(net, d.ls);

    openedDuration_ = duration;
    openedQuantity_ = quantity;
    openedCompletion_ = completion;
    openedStartDate_ = startDate;
    followingSegments_ = edited->TotalDuration() - d.duration;
    UpdateFinishDates();
    TakeOverBudgetItem();
}

float TWorkdialog::StartTime() const
{
    if (mode == 'e' && startDate == openedStartDate_) return opened_.start;
    const double t = std::max(0.0, DayOfDate(*network, std::floor(startDate)));
    return float(WorkingTime(*network, t));
}

float TWorkdialog::FinishSpan() const
{
    if (mode == 'e' && duration == openedDuration_) return opened_.duration + followingSegments_;
    return float(DurationValue()) + followingSegments_;
}

void TWorkdialog::UpdateFinishDates()
{
    if (!network) return;
    const float d = FinishSpan();
    endDate = FinishDateOfTime(*network, StartTime(), d);
    if (mode != 'e') return;
    efDate = FinishDateOfTime(*network, opened_.es, d);
    lfDate = FinishDateOfTime(*network, opened_.ls, d);
}

void TWorkdialog::TakeOverBudgetItem()
{
    if (!items_) return;
    const std::optional<Tworkdata> item = items_->HighlightedItem();
    if (!item) return;
    name = item->name;
    quantity = BoxText(item->quantity);
    unit = item->unit;
    // Budget entries give their total; a line measured by its total gets the
    // daily amount that the total spreads over the duration.
    const double d = DurationValue();
    resources.lines.clear();
    selectedLine = -1;
    for (const Trecsource& r : item->resources) {
        TResourceLine l;
        l.number = r.number;
        l.name = r.name;
        l.totalValue = r.totalAmount;
        l.dailyValue = d == 0 ? 0.0 : r.totalAmount / d;
        l.priceValue = r.price;
        l.costValue = double(r.price) * r.totalAmount;
        l.daily = ShortestText(l.dailyValue);
        l.total = ShortestText(l.totalValue);
        l.measure = kTotal;
        l.unit = r.unit;
        l.price = ShortestText(l.priceValue);
        l.cost = ShortestText(l.costValue);
        l.kind = r.resourceKind;
        resources.lines.push_back(l);
    }
}

void TWorkdialog::Close()
{
    if (items_) items_->ReleaseHighlight();
    items_ = nullptr;
}

// ---- page 主要信息 ----

void TWorkdialog::DurationEdited(const std::string& text)
{
    if (ForcedZeroKind()) {
        duration = "0";
        return;
    }
    // An empty box is allowed while typing; 确定 asks for a value.
    if (Trimmed(text).empty() || BoxValue(text)) {
        durationUndo_ = duration;
        hasDurationUndo_ = true;
        duration = text;
        UpdateFinishDates();
        return;
    }
    ShowPlain(kNotANumber);
    if (!duration.empty() && !BoxValue(duration)) duration = "10";
}

void TWorkdialog::DurationEscape()
{
    if (ForcedZeroKind()) {
        duration = "0";
        return;
    }
    if (!hasDurationUndo_) return;
    std::swap(duration, durationUndo_);
    UpdateFinishDates();
}

void TWorkdialog::KindChanged(const std::string& k)
{
    kind = k;
    if (!ForcedZeroKind()) return;
    duration = "0";
    UpdateFinishDates();
}

void TWorkdialog::QuantityFocused()
{
    savedText = quantity;
}

void TWorkdialog::QuantityEdited(const std::string& text)
{
    if (ForcedZeroKind()) {
        quantity = "0";
        return;
    }
    if (Trimmed(text).empty() || BoxValue(text)) {
        quantity = text;
        return;
    }
    ShowPlain(kNotANumber);
    quantity = savedText;
}

void TWorkdialog::CompletionFocused()
{
    savedText = completion;
}

void TWorkdialog::CompletionEdited(const std::string& text)
{
    if (ForcedZeroKind()) {
        completion = "0";
        return;
    }
    const std::string_view t = Trimmed(text);
    if (t.empty() || t == "-") {
        completion = text;
        return;
    }
    const std::optional<double> v = CompletionValue(t);
    if (!v) {
        ShowPlain(kNotANumber);
        completion = savedText;
        return;
    }
    if (*v > 100) {
        ShowPlain("完成率不能大于100！");
        completion = savedText;
        return;
    }
    completion = text;
}

void TWorkdialog::CompletionLeft()
{
    const std::string_view t = Trimmed(completion);
    if (t.empty() || t == "-") completion = "-1";
}

void TWorkdialog::StartDateChanged(double date)
{
    startDate = date;
    UpdateFinishDates();
}

void TWorkdialog::EndDateFocused()
{
    endDateMinimum = std::floor(startDate);
}

void TWorkdialog::EndDateChanged(double date)
{
    // The working days from the start day through the picked finish day, so
    // that the work finishes on that day (on the last working day before it
    // when the day is a rest day).
    if (std::floor(date) >= std::floor(startDate)) {
        const double last = DayOfDate(*network, std::floor(date));
        const double through = WorkingTime(*network, last + 1) - StartTime();
        endDate = date;
        DurationEdited(BoxText(std::max(0.0, through - followingSegments_)));
        return;
    }
    ShowPlain("完成时间不能小于开始时间！");
    UpdateFinishDates();
}

void TWorkdialog::NameFocused()
{
    savedText = name;
    TIniFile ini(ProgramFolders().SettingsFile());
    if (!ini.Exists()) return;
    // A value that is not a whole number (a hand-edited file) switches nothing.
    if (const std::optional<int64_t> id = LayoutValue(ini.ReadString("imename", "namecob")))
        KeyboardLayouts().ActivateLayout(*id);
}

void TWorkdialog::NameLeft()
{
    TIniFile ini(ProgramFolders().SettingsFile());
    ProgramFolders().MakeFolders();
    ini.WriteString("imename", "namecob", std::to_string(KeyboardLayouts().ActiveLayout()));
}

void TWorkdialog::NameListOpened()
{
    names = TWorknames::ReadNames();
}

bool TWorkdialog::SaveNameToWorkbook()
{
    return TWorknames::AppendName(name);
}

void TWorkdialog::UpdownClicked(bool down)
{
    if (!work || !rowShiftNode_) return;
    if (down) {
        ++startRowShift;
    } else if (rowShiftNode_->row + startRowShift > 0) {
        --startRowShift;
    }
}

// ---- page 资源 ----

void TWorkdialog::MeasureChanged(int index)
{
    resourceInput.measure = index == 1 ? kTotal : kDaily;
    dailyEnabled = index != 1;
    totalEnabled = index == 1;
}

void TWorkdialog::AmountFocused(const std::string& box)
{
    savedText = box;
}

void TWorkdialog::DailyEdited(const std::string& text)
{
    if (Trimmed(text).empty() || BoxValue(text)) {
        resourceInput.daily = text;
        return;
    }
    ShowPlain(kNotANumber);
    resourceInput.daily = savedText;
}

void TWorkdialog::TotalEdited(const std::string& text)
{
    if (Trimmed(text).empty() || BoxValue(text)) {
        resourceInput.total = text;
        return;
    }
    ShowPlain(kNotANumber);
    resourceInput.total = savedText;
}

void TWorkdialog::TotalLeft()
{
    if (Trimmed(resourceInput.total).empty()) resourceInput.total = "0";
    const double d = DurationValue();
    const double total = BoxValue(resourceInput.total).value_or(0);
    resourceInput.daily = d == 0 ? "0" : BoxText(total / d);
}

void TWorkdialog::ResourceListsOpened()
{
    resourceNumbers.clear();
    resourceNames.clear();
    for (const Trecsource& r : WorkResourceCatalogue(*network)) {
        resourceNumbers.push_back(r.number);
        resourceNames.push_back(r.name);
    }
}

void TWorkdialog::ResourceNumberChanged(const std::string& text)
{
    resourceInput.number = text;
    for (const Trecsource& r : WorkResourceCatalogue(*network)) {
        if (r.number != text) continue;
        resourceInput.name = r.name;
        resourceInput.unit = r.unit;
        resourceInput.price = BoxText(double(r.price));
        resourceInput.kind = r.resourceKind;
        return;
    }
    if (text.empty()) return;
    const char first = text.front();
    const char* unitText = nullptr;
    const char* kindText = nullptr;
    if (first == 'R') {
        unitText = "人";
        kindText = "人力资源";
    } else if (first == 'C') {
        unitText = "千克";
        kindText = "材料资源";
    } else if (first == 'J') {
        unitText = "台";
        kindText = "机具资源";
    } else {
        return;
    }
    resourceInput.unit = unitText;
    resourceInput.kind = kindText;
    resourceInput.name.clear();
    resourceInput.price.clear();
    resourceInput.daily.clear();
    resourceInput.total.clear();
}

void TWorkdialog::SelectLine(int index)
{
    if (index < 0 || size_t(index) >= resources.lines.size()) {
        selectedLine = -1;
        const std::string measure = resourceInput.measure;
        resourceInput = TResourceInput();
        resourceInput.measure = measure;
        return;
    }
    selectedLine = index;
    const TResourceLine& l = resources.lines[size_t(index)];
    resourceInput.number = l.number;
    resourceInput.name = l.name;
    resourceInput.daily = l.daily;
    resourceInput.total = l.total;
    resourceInput.unit = l.unit;
    resourceInput.price = l.price;
    resourceInput.kind = l.kind;
    MeasureChanged(l.measure == kTotal ? 1 : 0);
}

bool TWorkdialog::AddLine()
{
    return resources.Add(*network, resourceInput, kind, duration);
}

bool TWorkdialog::ModifyLine()
{
    return resources.Modify(resourceInput, selectedLine, duration);
}

bool TWorkdialog::DeleteLine()
{
    if (selectedLine < 0 || size_t(selectedLine) >= resources.lines.size()) return false;
    if (AskYesNo("真的要删除吗?", "警告") != TMsgAnswer::Yes) return false;
    resources.Remove(selectedLine);
    SelectLine(-1);
    return true;
}

void TWorkdialog::RecomputeLines()
{
    const double d = DurationValue();
    for (TResourceLine& l : resources.lines) {
        if (l.measure == kTotal) {
            l.dailyValue = d == 0 ? 0.0 : l.totalValue / d;
        } else {
            l.totalValue = l.dailyValue * d;
        }
        l.costValue = l.totalValue * l.priceValue;
        l.daily = GeneralNumberText(l.dailyValue);
        l.total = GeneralNumberText(l.totalValue);
        l.cost = GeneralNumberText(l.costValue);
    }
}

void TWorkdialog::ComputeStatistics()
{
    RecomputeLines();
    statistics = TWorkCostStatistics();
    for (const TResourceLine& l : resources.lines) {
        statistics.total += l.costValue;
        if (l.kind == "人力资源") {
            statistics.labour += l.costValue;
            statistics.people += l.totalValue;
            statistics.labourDays += l.dailyValue;
        } else if (l.kind == "材料资源") {
            statistics.material += l.costValue;
        } else if (l.kind == "机具资源") {
            statistics.machinery += l.costValue;
        } else if (l.kind == "其他资源") {
            statistics.other += l.costValue;
        }
    }
}

// ---- confirming ----

void TWorkdialog::CollectWorkData(Tworkdata& data) const
{
    const bool editing = mode == 'e';
    data.name = name;
    data.duration = editing && duration == openedDuration_ ? opened_.duration
                                                           : float(DurationValue());
    data.start = StartTime();
    data.quantity = editing && quantity == openedQuantity_ ? opened_.quantity
                                                           : BoxValue(quantity).value_or(0);
    data.unit = unit;
    data.kind = kind;
    data.placeMode = placeMode;
    data.namePlace = namePlace;
    if (editing && completion == openedCompletion_) {
        data.progress = opened_.progress;
    } else {
        // Any negative ratio means "not set".
        const double percent = CompletionValue(completion).value_or(-1);
        data.progress = percent < 0 ? -0.01 : percent * 0.01;
    }
    data.useCustom = useCustom;
    data.font = font;

    data.resources.clear();
    for (const TResourceLine& l : resources.lines) {
        Trecsource r;
        r.number = l.number;
        r.name = l.name;
        r.dailyAmount = float(l.dailyValue);
        r.totalAmount = l.totalValue;
        r.measureMode = l.measure == kDaily ? 1 : 0;
        r.unit = l.unit;
        r.price = float(l.priceValue);
        r.resourceKind = l.kind;
        r.startDay = data.start;
        r.endDay = data.start + data.duration;
        data.resources.push_back(r);
    }

    data.useCustomWidth = useCustomWidth;
    data.useCustomColor = useCustomColor;
    data.useCustomStyle = useCustomStyle;
    data.lineWidth = widthIndex + 1;
    data.lineStyle = LineStyles()[styleIndex == 1 ? 1 : 0];
    data.lineColor = penColor;
}

void TWorkdialog::NewWorkEnds(const Tvertex*& from, const Tvertex*& to) const
{
    from = to = nullptr;
    const TAddAnchors& a = anchors_;
    if (a.kind == TAddAnchors::GanttPoint || network->nodes.empty()) return;
    switch (a.kind) {
    case TAddAnchors::Node:
        from = a.node;
        return;
    case TAddAnchors::Work:
        if (a.zone == 'b') to = a.work->toNode;
        else if (a.zone == 'f') from = a.work->fromNode;
        else {
            from = a.work->fromNode;
            to = a.work->toNode;
        }
        return;
    default:
        break;
    }
    if (a.startNode && a.endNode) {
        from = a.startNode;
        to = a.endNode;
        return;
    }
    const bool swapped = a.end.x < a.start.x;
    from = swapped ? a.endNode : a.startNode;
    to = swapped ? a.startNode : a.endNode;
}

// The kinds a work cannot have are refused before anything is changed, so
// that the dialog can stay open with everything the user typed.
bool TWorkdialog::KindRefused() const
{
    if (mode == 'e') {
        if (kind == WorkKind::Milestone && !Tpertgra::CanBeMilestone(work)) {
            ShowWarning(kMilestoneRefused);
            return true;
        }
        if (kind == WorkKind::Auxiliary && !network->IsValidAuxiliary(work)) {
            ShowWarning(kAuxiliaryRefused);
            return true;
        }
        return false;
    }
    const Tvertex* from = nullptr;
    const Tvertex* to = nullptr;
    NewWorkEnds(from, to);
    // A new auxiliary work needs another path between two existing nodes.
    if (kind == WorkKind::Auxiliary && !(from && to && network->Reaches(from, to))) {
        ShowWarning(kAuxiliaryRefused);
        return true;
    }
    // A milestone between two new nodes touches no other work; the refusals
    // of the add operation itself come first (it shows "不能添加里程碑！").
    const bool addRefuses = anchors_.kind != TAddAnchors::GanttPoint &&
                            (network->nodes.empty() || anchors_.kind != TAddAnchors::Points ||
                             (anchors_.startNode && anchors_.endNode));
    if (kind == WorkKind::Milestone && !addRefuses && !from && !to) {
        ShowWarning(kMilestoneRefused);
        return true;
    }
    return false;
}

TWorkConfirm TWorkdialog::Confirm()
{
    focusBox = TWorkBox::None;
    if (Trimmed(duration).empty()) {
        ShowWarning("持续时间不能为空！");
        focusBox = TWorkBox::Duration;
        return TWorkConfirm::StayOpen;
    }
    if (Trimmed(quantity).empty()) quantity = "0";
    if (Trimmed(completion).empty()) completion = "0";
    if (Trimmed(completion) == "-") completion = "-1";
    // The boxes refuse what is not a number while typing; a state set from
    // outside is checked here once more.
    const std::pair<const std::string*, TWorkBox> numbers[] = {
        {&duration, TWorkBox::Duration}, {&quantity, TWorkBox::Quantity}};
    for (const auto& [text, box] : numbers)
        if (!BoxValue(*text)) {
            ShowPlain(kNotANumber);
            focusBox = box;
            return TWorkConfirm::StayOpen;
        }
    const std::optional<double> percent = CompletionValue(completion);
    if (!percent || *percent > 100) {
        ShowPlain(percent ? "完成率不能大于100！" : kNotANumber);
        focusBox = TWorkBox::Completion;
        return TWorkConfirm::StayOpen;
    }
    if (ForcedZeroKind()) duration = "0";
    if (KindRefused()) return TWorkConfirm::StayOpen;

    Tpertgra& net = *network;
    Tedge* target = nullptr;
    if (mode == 'a') {
        Tworkdata rec;
        CollectWorkData(rec);
        target = AddWorkAtAnchors(net, rec, anchors_);
        // Nothing was added; a refused milestone keeps the dialog open so
        // that another kind can be chosen.
        if (!target)
            return kind == WorkKind::Milestone ? TWorkConfirm::StayOpen : TWorkConfirm::Unchanged;
    } else {
        Tworkdata rec = *work->data;
        CollectWorkData(rec);
        net.ApplyWorkData(work, rec);
        target = work;
    }
    for (const TResourceLine& l : resources.lines) RenameResource(net, l.number, l.name);
    if (rowShiftNode_ && startRowShift != 0)
        rowShiftNode_->row = std::max(0, rowShiftNode_->row + startRowShift);
    net.SetProgress(target, target->data->progress);
    net.modified = true;
    confirmed_ = target;
    return TWorkConfirm::Changed;
}
