#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Tpertgra;
class TPertDrawMode;

// The daily usage of one resource on calendar days 0 .. D-1 (D the whole
// days of the plan). Work lines are counted on working days and each
// working day lands on its calendar day, so rest days stay empty and the
// diagram lies under the works that use it.
struct TResourceProfile {
    std::string number;
    std::vector<double> level;     // summed daily amount of the day
    std::vector<uint8_t> present;  // 1: some entry of the number covers the day
    // Of the first entry of the number (day by day): title and draw mode.
    bool found = false;
    std::string name;
    std::string unit;
    int32_t drawMode = 0;

    void Reset(const std::string& n, size_t days);
};

// Whole calendar days the diagrams span: trunc(project end day), bounded so
// that a damaged file's far-off end does not allocate without limit.
size_t DiagramDays(const Tpertgra& net);

// The usage of the works' resource lines with the number: a line of a work
// from working day trunc(start) to trunc(start + duration) - 1 adds its
// daily amount to those days (the finish day itself is not counted).
void BuildWorkProfile(const Tpertgra& net, TResourceProfile& profile, const std::string& number);
// The same for several numbers in one walk over the lines (difference
// arrays and a prefix sum), as the drawing uses it.
std::vector<TResourceProfile> BuildWorkProfiles(const Tpertgra& net,
                                                const std::vector<std::string>& numbers);
// The custom store's entries of the number, day by day.
void BuildCustomProfile(const Tpertgra& net, TResourceProfile& profile, const std::string& number);

// Where the diagrams of one view stand, in device units of the pass, and
// the view's x of a calendar day in drawing units.
struct TDiagramPlace {
    double x0 = 0;             // x of day 0
    double top = 0;            // top of the first diagram
    std::function<double(double)> xOfDay;
    bool separator = true;     // a line above the first diagram (not in the resource view)
    double separatorLeft = 0;  // from the drawing origin's x
    int32_t frameWidth = 0;    // of the view's ruler; the separator is half as wide
    int32_t frameColor = 0;
};

// The placement in the time-scaled network views: under the network area
// in view 1, from row 0 in view 3.
TDiagramPlace NetworkDiagramPlace(const Tpertgra& net, const TPertDrawMode& mode);

// Every diagram of the shown resources, top to bottom, each one diagram
// height below the last.
void DrawResourceDiagrams(Tpertgra& net, TPertDrawMode& mode, const TDiagramPlace& place);
// One diagram of a profile whose top is at y0 (nothing when it has no usage).
void DrawDiagram(const Tpertgra& net, TPertDrawMode& mode, const TDiagramPlace& place,
                 const TResourceProfile& profile, double y0);
// Value axis with its N divisions, grid lines, labels and title.
void DrawDiagramAxes(const Tpertgra& net, TPertDrawMode& mode, const TDiagramPlace& place,
                     double y0, double maximum, const std::string& title);

// The drawing values of the display settings, bounded so that a stored
// nonsense value draws something sensible: height H at least 1, head room
// G in 0 .. H-1, divisions N in 1 .. 100, pen width L in 0 .. 100.
struct TDiagramMetrics {
    int32_t height = 120;
    int32_t headRoom = 40;
    int32_t divisions = 4;
    int32_t penWidth = 1;
    static TDiagramMetrics Of(const Tpertgra& net);
};

// Per resource of the shown list: its total over the drawn days, the peak
// level and the first day it is reached (-1 without usage).
struct TResourceSummary {
    std::string number;
    std::string name;
    std::string unit;
    double total = 0;
    double peak = 0;
    int64_t peakDay = -1;
};
// The profiles the diagrams draw for the numbers (work usage, else custom).
std::vector<TResourceProfile> DiagramProfiles(const Tpertgra& net,
                                              const std::vector<std::string>& numbers);
TResourceSummary Summarize(const TResourceProfile& p);
