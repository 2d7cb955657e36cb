#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/Durinterval_x.h"
#include "drawing/Tpertgrid.h"
#include "gantt/Ganttset.h"
#include "gantt/Ganttshowdata.h"
#include "model/Ganttcell.h"
#include "model/Position2d.h"
#include "model/Vqfont.h"
#include "platform/Canvas.h"

class Tedge;
class Tpertgra;

// A drawing value as a device coordinate: truncated toward zero and kept
// inside int32 (0 for a value that is not a number).
int32_t TruncToDevice(double v);
// The calendar days a work's bar spans, from its start to its finish.
double BarStartDay(const Tpertgra& net, const Tedge& w);
double BarFinishDay(const Tpertgra& net, const Tedge& w);
class TPertDrawMode;
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
    std::vector<Tedge*> pageWorks;       // transient: the works of the page, in row order
    int32_t page = 1;
    std::vector<TGanttCell> headerCells;  // transient
    std::vector<TGanttCell> groupCells;   // transient
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

    // ---- geometry (drawing units) ----
    double TableWidth() const;
    // x of day 0 of the chart: the left end of the ruler and of every bar.
    double ChartLeft() const;
    // x of a calendar day (rest periods already counted).
    double TimeToX(double day) const;
    double RowsTop(const Tpertgra& net) const;
    double ChartBottom(const Tpertgra& net) const;
    // The room the resource diagrams take between the rows and the bottom
    // ruler rows (showResourceDiagram): one diagram height per shown resource.
    double DiagramRoom(const Tpertgra& net) const;
    // The bottom of the framed chart at factor 1: rows, diagrams, bottom
    // ruler rows and the explanation block when it stands below.
    double FrameBottom(const Tpertgra& net) const;
    // Device x of the chart's right edge for the horizontal factor.
    int32_t ChartRight(const Tpertgra& net, double sx = 1.0) const;
    // x of the left edge of the row cells.
    double RowCellsLeft() const;
    // The whole picture at factor 1, with a margin right and below.
    TCanvasSize DrawingSize(const Tpertgra& net) const;
    // Rows per page as paging uses it: at least 1.
    int32_t RowsPerPage() const { return rowsPerPage < 1 ? 1 : rowsPerPage; }

    // ---- rows and paging ----
    // The works that get rows, in row order; renumbers them 1..n.
    std::vector<Tedge*> GanttRowList(Tpertgra& net) const;
    // Rebuilds the page's works and every cell; the cell texts are wrapped
    // on mode.canvas (none without a canvas: the drawing wraps them on its own).
    void LayoutGantt(Tpertgra& net, const TPertDrawMode& mode);
    bool NextPage(Tpertgra& net);
    bool PreviousPage();

    // ---- drawing ----
    // Ruler, table, rows with bars and links, title and frame onto mode.canvas.
    void DrawGantt(TPertDrawMode& mode, Tpertgra& net);
    // The exclusive-or mark of the current work's row; drawing it twice removes it.
    void DrawCurrentMark(const Tpertgra& net, const TPertDrawMode& mode) const;
    // The exclusive-or marker of a row during a row drag.
    void DrawDropMarker(const Tpertgra& net, const Tedge* work, const TPertDrawMode& mode) const;
    // Copies the palette into the chart before a pass: colours of the print
    // or the screen preset and the text colour.
    void LoadPalette(const Tgantt& preset, bool print, int32_t textColor);

    // ---- settings the menus change ----
    void SetAllColumnsAlign(int32_t a);
    bool ShowLinks() const { return showLinks == 1; }
    void SetShowLinks(bool on) { showLinks = on ? 1 : 0; }
    void SetCurrentWork(Tedge* work) { currentWork = work; }
    // The settings "设置默认值" resets; title, columns, paging and resource
    // columns stay.
    void ResetToDefaults();

    // ---- hit tests and the row move ----
    // The work of the row under the point (and the row's top), or none.
    Tedge* RowAt(const Tpertgra& net, TPosition2D p, double* rowTop = nullptr) const;
    // RowAt, when the point is inside the number column of the row cells.
    Tedge* NumberCellAt(const Tpertgra& net, TPosition2D p) const;
    // Moves the work's row below the row under the point; 1 when the works
    // were renumbered.
    int32_t MoveRow(Tpertgra& net, Tedge* work, TPosition2D p);

    // Whether a work gets a row of its own (segments continue their first).
    static bool HasRow(const Tedge& work);
    static std::string WorkColumnText(const Tedge& work, int32_t columnId, const Tpertgra& net);
    // Lines of the text for the width on the canvas in its current font:
    // mode 1 splits into equal character counts, any other mode fills greedily.
    static std::vector<std::string> WrapText(ICanvas* canvas, const std::string& text,
                                             double maxWidth, int32_t mode);

    // Version 4 with its column records, time scale and ruler frame.
    void Write(TPrtWriter& w) const;
    // Versions 2 and 3 keep the default columns; only 3 carries the title;
    // below 2 nothing is read.
    void Read(TPrtReader& r);
    // Files up to 1.54: no version, font bodies, the old frame and time scale.
    void ReadOld(TPrtReader& r, double version);

private:
    void ApplyPresetCommon();
    std::vector<Tedge*> PagedList(Tpertgra& net) const;
    void BuildCells(Tpertgra& net, const TPertDrawMode& mode);
    int32_t PageRowOf(const Tedge* work) const;
    void ReadVersion2Or3(TPrtReader& r, int32_t version);
    void ReadResourceColumns(TPrtReader& r);
};
