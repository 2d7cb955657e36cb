#pragma once
#include <QDialog>
#include <array>
#include <vector>

#include "drawing/Pertsetdata.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTabWidget;
class TColorButton;
class TFontButton;
class Tpertgra;

// "属性设置": the display settings of the network drawing, its time rulers,
// the project time and the print adjustment.
class Tpertsetfm : public QDialog {
    Q_OBJECT
public:
    Tpertsetfm(Tpertgra& net, QWidget* parent = nullptr);

    // Opens on the print adjustment page.
    void ShowPrintPage();
    // Whether "确定" changed the network.
    bool Changed() const { return changed_; }

    QTabWidget* pages = nullptr;
    QRadioButton* screenRadio = nullptr;
    QRadioButton* printRadio = nullptr;
    // The colour panels in the order of Tpertsetdata::TColors.
    TColorButton* frameColor = nullptr;
    TColorButton* criticalColor = nullptr;
    TColorButton* generalColor = nullptr;
    TColorButton* floatColor = nullptr;
    TColorButton* tickColor = nullptr;
    TColorButton* gridColor = nullptr;
    TColorButton* nodeNumberColor = nullptr;
    TColorButton* auxiliaryColor = nullptr;
    TColorButton* suspendedColor = nullptr;
    TColorButton* workNameColor = nullptr;
    TColorButton* timeScaleColor = nullptr;
    TColorButton* backgroundColor = nullptr;
    // Every numeric field, checked in this order on "确定".
    std::vector<QLineEdit*> numberFields;
    QLineEdit* nodeRadiusX = nullptr;
    QLineEdit* printRatioX = nullptr;
    // 打印调整: the network's bottom and right print margins.
    QLineEdit* printBottomMargin = nullptr;
    QLineEdit* printRightMargin = nullptr;
    // 横道图打印边距设置: 上, 左, 下, 右, the fields of the Gantt page, each following the other.
    std::array<QLineEdit*, 4> ganttPrintMargins{};
    QLineEdit* printRatioY = nullptr;
    QCheckBox* equalRatios = nullptr;
    QLineEdit* titleEdit = nullptr;
    // 横道图属性
    QLineEdit* ganttTitle = nullptr;
    QLineEdit* ganttRowsPerPage = nullptr;
    QTableWidget* ganttColumns = nullptr;   // 显示, 名称, 宽度, 对齐 per column
    QLineEdit* ganttResources = nullptr;    // resource numbers, separated by commas

    // 图注说明
    std::array<QRadioButton*, 3> explainMode{};   // 不显示, 右边显示, 底部显示
    QLineEdit* explainWidth = nullptr;
    QLineEdit* explainHeight = nullptr;
    QLineEdit* legendWidth = nullptr;
    QLineEdit* legendHeight = nullptr;
    QLineEdit* textLeftGap = nullptr;
    QLineEdit* textRightGap = nullptr;
    QPushButton* explanationFontButton = nullptr;
    QPushButton* titleBlockFontButton = nullptr;
    QPlainTextEdit* explanationMemo = nullptr;
    QCheckBox* autoStart = nullptr;
    QCheckBox* autoEnd = nullptr;
    QCheckBox* autoDuration = nullptr;
    QTabWidget* titleStylePages = nullptr;        // 题栏样式一, 题栏样式二
    std::array<QLineEdit*, Tpertexplain::kCellCount> cellEdits{};
    QPlainTextEdit* noteMemo = nullptr;
    QTableWidget* rightBarGrid = nullptr;         // upper grid: labels, values
    QTableWidget* leftBarGrid = nullptr;
    QCheckBox* leftBarShown = nullptr;

    const Tpertsetdata& State() const { return state_; }
    void Confirm();

private:
    QWidget* GeneralPage();
    QWidget* TitlePage();
    QWidget* FontPage();
    QWidget* RulerPage();
    QWidget* TimePage();
    QWidget* PrintPage();
    QWidget* GanttPage();
    QWidget* ExplainPage();
    QWidget* ResourcePage();
    void FillResourceLists();
    void CollectResources();
    void PickExplainFont(bool titleBlock);
    void CollectExplain();
    void CollectGantt();
    QLineEdit* Number(int32_t value);
    void StorePanels(Tpertsetdata::TColors& c) const;
    void LoadPanels(const Tpertsetdata::TColors& c);
    void SwitchPalette(bool print);
    void Collect();

    Tpertgra& net_;
    Tpertsetdata state_;
    bool changed_ = false;
    QWidget* printPage_ = nullptr;
    bool barsEdited_ = false;

    QLineEdit* nodeRadiusY_ = nullptr;
    QLineEdit* groupWidth_ = nullptr;
    QLineEdit* leftFrame_ = nullptr;
    QLineEdit* topFrame_ = nullptr;
    QLineEdit* bottomFrame_ = nullptr;
    QLineEdit* rightFrame_ = nullptr;
    QCheckBox* showDurations_ = nullptr;
    QCheckBox* showEndMark_ = nullptr;
    QLineEdit* frameWidth_ = nullptr;
    QLineEdit* criticalPen_ = nullptr;
    QLineEdit* generalPen_ = nullptr;
    QLineEdit* floatPen_ = nullptr;
    QLineEdit* tickWidth_ = nullptr;
    QLineEdit* gridWidth_ = nullptr;
    QLineEdit* nodeNumberSize_ = nullptr;
    QLineEdit* auxiliaryPen_ = nullptr;
    QLineEdit* suspendedPen_ = nullptr;
    QLineEdit* titleGap_ = nullptr;
    QCheckBox* showTitleAlways_ = nullptr;
    TFontButton* titleFont_ = nullptr;
    TFontButton* workFont_ = nullptr;
    TFontButton* nodeFont_ = nullptr;
    TFontButton* rulerNameFont_ = nullptr;
    TFontButton* rulerScaleFont_ = nullptr;
    QComboBox* dayStep_ = nullptr;
    QLineEdit* rulerHeight_ = nullptr;
    QRadioButton* byProjectCalendar_ = nullptr;
    QRadioButton* byRealTime_ = nullptr;
    std::array<QCheckBox*, 7> topRows_{};
    std::array<QCheckBox*, 7> bottomRows_{};
    std::array<QRadioButton*, 7> gridChoice_{};
    QDateEdit* projectStart_ = nullptr;
    QLabel* totalDays_ = nullptr;
    QLabel* endDate_ = nullptr;
    QComboBox* paperSize_ = nullptr;
    QComboBox* orientation_ = nullptr;
    QLineEdit* marginTop_ = nullptr;
    QLineEdit* marginLeft_ = nullptr;
    QLineEdit* ganttTitleGap_ = nullptr;
    TFontButton* ganttTitleFont_ = nullptr;
    TFontButton* ganttWorkFont_ = nullptr;
    QLineEdit* ganttRightDistance_ = nullptr;
    QLineEdit* ganttCriticalHeight_ = nullptr;
    QLineEdit* ganttNormalHeight_ = nullptr;
    std::array<QLineEdit*, 4> ganttMargins_{};   // 上, 左, 下, 右
    QCheckBox* ganttResourceDiagram_ = nullptr;
    // 资源图设置
    QTableWidget* customResources_ = nullptr;
    QTableWidget* workResources_ = nullptr;
    QTableWidget* shownResources_ = nullptr;
    QComboBox* resourceMode_ = nullptr;
    TColorButton* screenFill_ = nullptr;
    TColorButton* printFill_ = nullptr;
    QComboBox* fillStyle_ = nullptr;
    QLineEdit* resourceHeight_ = nullptr;
    QLineEdit* resourceDivisions_ = nullptr;
    QCheckBox* resourceInNetwork_ = nullptr;
    QCheckBox* resourceInGantt_ = nullptr;
    QComboBox* ganttResourceMode_ = nullptr;
    QLineEdit* ganttResourceWidth_ = nullptr;
};
