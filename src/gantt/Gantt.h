#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/Durinterval_x.h"
#include "drawing/Tpertgrid.h"
#include "gantt/Ganttset.h"
#include "gantt/Ganttshowdata.h"
#include "model/Vqfont.h"

class Tedge;
class TPrtWriter;
class TPrtReader;

// The settings of one Gantt chart: paging, title, table columns, fonts, bar
// sizes, resource columns, its own time scale and its own ruler frame.
// A network holds three: the live chart and a print and a screen preset.
class Tgantt {
public:
    // Column descriptors of the older column model, still read for a few
    // widths and alignments. Three carry an integer width, five a real one.
    struct TOldColumn {
        std::string caption;
        int32_t align = 2;
        int32_t width = 0;
        bool operator==(const TOldColumn& o) const = default;
    };
    struct TOldRealColumn {
        std::string caption;
        double width = 0.0;
        int32_t align = 2;
    };

    TGanttSet margins;
    Tedge* currentWork = nullptr;  // not owned; never copied, compared or stored
    int32_t page = 1;
    TOldColumn oldNumberColumn{"编号", 2, 30};
    TOldColumn oldNameColumn{"工作名称", 2, 160};
    TOldColumn oldDurationColumn{"持续时间", 2, 60};
    TOldRealColumn oldIndexColumn{"序号", 0.0, 2};
    TOldRealColumn oldGroupColumn{"组名", 0.0, 2};
    TOldRealColumn oldStartColumn{"开始时间", 0.0, 2};
    TOldRealColumn oldFinishColumn{"结束时间", 0.0, 2};
    TOldRealColumn oldQuantityColumn{"工程量", 0.0, 2};
    double spareReal = 10.0;
    int32_t showLinks = 0;
    std::string title = "工程进度横道图";
    TVqFont titleFont{"宋体", 24, 0xFF00FF};
    int32_t titleGap = 20;
    int32_t rowsPerPage = 60;
    std::vector<TGanttShowData> columns = DefaultColumns();
    TVqFont workFont{"宋体", 10, 0x00FFFF};
    int32_t rowHeight = 25;
    int32_t spareColor1 = 0x808000;
    int32_t lineWidth = 1;
    std::string barStyle = "条形";
    int32_t spareColor2 = 0x0000FF;
    int32_t spareColor3 = 0xFFFFFF;
    int32_t criticalBarHeight = 8;
    int32_t normalBarHeight = 8;
    int32_t leftMargin = 50;
    int32_t topMargin = 100;
    bool showResourceDiagram = false;
    std::vector<std::string> resourceColumnIds;
    std::vector<int32_t> resourceColumnModes;  // 0 daily amount, 1 total amount
    int32_t resourceColumnWidth = 80;
    int32_t spareInt = 0;
    Tlistdurinterval_x scaleIntervals;
    Tpertgrid ruler;

    Tgantt() = default;
    // A copy carries every setting, the columns and the margins, but no
    // current work: that points into the network of the original.
    Tgantt(const Tgantt& o);
    Tgantt& operator=(const Tgantt& o);

    // The fourteen table columns of a new chart.
    static std::vector<TGanttShowData> DefaultColumns();
    // The presets as a new network sets them up.
    static Tgantt PrintPreset();
    static Tgantt ScreenPreset();
    void ApplyPrintPreset();
    void ApplyScreenPreset();

    // Every setting except the columns, the margins and the current work.
    void Assign(const Tgantt& o);
    // The same set; fonts by name and size, a few old widths within a tolerance.
    bool Equals(const Tgantt& o) const;
    bool operator==(const Tgantt& o) const { return Equals(o); }

    // Version 4 with its column records, time scale and ruler frame.
    void Write(TPrtWriter& w) const;
    // Versions 2 and 3 keep the default columns; only 3 carries the title;
    // below 2 nothing is read.
    void Read(TPrtReader& r);
    // Files up to 1.54: no version, font bodies, the old frame and time scale.
    void ReadOld(TPrtReader& r, double version);

private:
    void ApplyPresetCommon();
    void ReadVersion2Or3(TPrtReader& r, int32_t version);
    void ReadResourceColumns(TPrtReader& r);
};
