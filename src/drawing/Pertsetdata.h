#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/Pertexplain.h"
#include "gantt/Ganttshowdata.h"
#include "model/Vqfont.h"
#include "resources/Resourcepage.h"

class Tpertgra;

// The working state of the dialog "属性设置" for its pages on the network
// drawing, the time rulers, the project time and the print adjustment. It
// is filled from the network on opening and written back on "确定".
class Tpertsetdata {
public:
    // The colours one palette shows (radio 显示设置 / 打印设置).
    struct TColors {
        int32_t frame = 0;        // 边框线: slot 0 of the frame's colour set
        int32_t critical = 0;     // 关键工作: palette 0
        int32_t general = 0;      // 一般工作: palette 1
        int32_t floatLine = 0;    // 时差线: palette 2
        int32_t tick = 0;         // 刻度线: slot 3 of the frame's colour set
        int32_t grid = 0;         // 网格线: slot 4
        int32_t nodeNumber = 0;   // 节点编号: palette 6
        int32_t auxiliary = 0;    // 辅助工作
        int32_t suspended = 0;    // 挂起工作
        int32_t workName = 0;     // 工作名称颜色
        int32_t timeScale = 0;    // 时间刻度颜色: slots 1 and 2
        bool operator==(const TColors&) const = default;
    };

    // 网络图属性 / 一般属性
    int32_t nodeRadiusX = 9;
    int32_t nodeRadiusY = 9;
    int32_t groupColumnWidth = 0;   // 区域说明宽度
    int32_t leftFrame = 50;         // 图与边框距离: 左边框 (name cells of the rulers)
    int32_t topFrame = 60;          // 上边框, 下边框, 右边框: the frame's margins
    int32_t bottomFrame = 60;
    int32_t rightFrame = 50;
    bool showDurations = true;
    bool showEndMark = true;
    bool showingPrint = false;      // which palette the colour panels show
    TColors screen;
    TColors print;
    int32_t background = 0;         // 背景色, screen palette only
    int32_t frameWidth = 5;
    int32_t criticalPen = 3;
    int32_t generalPen = 1;
    int32_t floatPen = 1;
    int32_t tickWidth = 1;
    int32_t gridWidth = 1;
    int32_t nodeNumberSize = 7;
    int32_t auxiliaryPen = 1;
    int32_t suspendedPen = 1;
    // 网络计划名称属性
    std::string title;
    int32_t titleGap = 20;
    bool showTitleAlways = false;
    TVqFont titleFont;
    // 字体设置
    TVqFont workFont;
    TVqFont nodeFont;
    TVqFont rulerNameFont;
    TVqFont rulerScaleFont;
    // 时间标尺设置 / 工程标尺设置
    int32_t dayStepIndex = 0;       // into kDaySteps
    int32_t rulerHeight = 20;
    bool byProjectCalendar = false; // 按工程历显示 (else 按实际时间显示)
    // 画工程月, 画工程周, 画工程日, 画自然日, 画星期, 画自然月, 画自然年
    std::array<bool, 7> topRows{};
    std::array<bool, 7> bottomRows{};
    // 按自然日画, 按工程刻度画, 按工程周画, 按自然月画, 按工程月画, 按自然年画, 不画网格线
    int32_t gridChoice = 0;
    // 时间设置
    int32_t projectStart = 0;
    // 横道图属性: the live Gantt chart, with its print margins (打印调整).
    struct TGanttPage {
        std::string title;
        int32_t titleGap = 20;          // 名称距图间距：
        TVqFont titleFont;
        TVqFont workFont;               // 工作字体
        int32_t rowsPerPage = 60;       // 每页显示行数：
        int32_t rightDistance = 50;     // 图与右边框距：
        int32_t criticalBarHeight = 8;  // 关键工作高度：
        int32_t normalBarHeight = 8;    // 一般工作高度：
        int32_t topMargin = 100;        // 上边距, 左边距, 下边距, 右边距
        int32_t leftMargin = 50;
        int32_t bottomMargin = 5;
        int32_t rightMargin = 5;
        bool showResourceDiagram = false;   // 横道图里含资源图
        std::vector<TGanttShowData> columns;
        // 资源用量显示: numbers, 显示方式 (0 每天用量, 1 总量), 显示宽度：
        std::vector<std::string> resourceIds;
        std::vector<int32_t> resourceModes;
        int32_t resourceWidth = 80;
        bool operator==(const TGanttPage&) const = default;
    };
    TGanttPage gantt;
    // 打印调整
    int32_t paperSize = 9;          // index of kPaperNames + 1
    int32_t orientation = 1;        // 0 纵向, 1 横向
    int32_t marginTop = 100;        // the drawing's origin
    int32_t marginLeft = 50;
    int32_t marginBottom = 5;       // the network's right and bottom print margins
    int32_t marginRight = 5;
    int32_t printRatioX = 100;
    int32_t printRatioY = 100;
    bool equalRatios = true;

    // 资源图设置; 横道图里含资源图 on it is gantt.showResourceDiagram, the
    // same setting the page 横道图属性 shows.
    Tresourcepage resources;

    // 图注说明: the explanation block of both frames.
    Tpertexplain explain;
    // A column of a title-table grid as stored: each cell trimmed, the empty ones dropped.
    static std::vector<std::string> GridColumn(const std::vector<std::string>& cells);

    static constexpr std::array<int32_t, 9> kDaySteps{1, 2, 3, 4, 5, 6, 7, 10, 15};
    static constexpr int kPaperCount = 27;
    static const char* const kPaperNames[kPaperCount];
    // The ruler row each grid choice draws grid lines on (-1: none).
    static constexpr std::array<int32_t, 7> kGridRows{7, 0, 4, 2, 3, 1, -1};

    void Load(const Tpertgra& net);
    // Writes every page into the network; true (and the network marked
    // modified) when anything the dialog shows changed.
    bool Apply(Tpertgra& net) const;

    // The colour panels show this palette.
    TColors& Shown() { return showingPrint ? print : screen; }

    // The duration and end date the page 时间设置 shows for the start.
    static double TotalDays(const Tpertgra& net);

    // A field accepts whole numbers only ("请输入一个整数" otherwise).
    static bool IsIntegerText(std::string_view text);

    bool operator==(const Tpertsetdata&) const = default;
};
