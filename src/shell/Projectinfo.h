#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "file/Projectfile.h"

class Tpertgra;

// What the headless program reports about a project file: its format, the
// project's dates and every work's time parameters and dates, as a document
// shows them after opening the file.

struct TWorkInfo {
    int32_t from = 0;    // display numbers of the nodes
    int32_t to = 0;
    int32_t fromId = 0;  // node ids
    int32_t toId = 0;
    std::string name;
    std::string kind;
    float duration = 0;
    float start = 0;     // planned start, working days
    float es = 0;
    float ef = 0;
    float ls = 0;
    float lf = 0;
    float tf = 0;
    float ff = 0;
    bool critical = false;
    double progress = 0;
    std::string startDate;   // "yyyy-mm-dd"
    std::string finishDate;
};

// One node of the schedule, so that scripts can check it from outside.
struct TNodeInfo {
    int32_t id = 0;       // position in the time order
    int32_t number = 0;   // display number
    float time = 0;       // drawn time, working days
    float earliest = 0;
    float latest = 0;
    int32_t row = 0;
};

struct TProjectInfo {
    std::string versionText;
    int32_t layout = 0;
    std::string title;
    std::string projectStart;  // "yyyy-mm-dd"
    std::string projectEnd;
    double totalDays = 0;      // calendar days
    int32_t nodeCount = 0;
    int32_t workCount = 0;
    std::vector<TNodeInfo> nodes;  // in the time order (by id)
    std::vector<TWorkInfo> works;  // in the order of AllWorks
};

// Recalculates the network as an opened document does (Recalculate, then
// ComputeAndPull) and collects what the report shows.
TProjectInfo CollectProjectInfo(Tpertgra& net, const TProjectFormat& format);

// The report as text: a few "name: value" lines, then a tab-separated table
// of the works with a header line. Durations and times as NumberToText (8, 2).
std::string InfoText(const TProjectInfo& info);
// The report as one JSON object; numbers unrounded, texts UTF-8.
std::string InfoJson(const TProjectInfo& info);
// A JSON string literal of a UTF-8 text, quotes included.
std::string JsonString(const std::string& text);

// Writes the drawing of a recalculated network to a picture file (path,
// print palette or screen palette, scale); false with the reason in
// `problem`. The picture writer needs Qt, so the program hands it in.
using TPictureWriter = std::function<bool(Tpertgra& net, const std::string& path,
                                          bool printPalette, double scale, std::string& problem)>;

// The findings of the network checks in the words of the 检查 menu: several
// start nodes, several end nodes (each with the node numbers), every work
// whose line overlaps another on its row, every redundant link (each with
// its node numbers and name). Takes a recalculated network, as loading
// leaves it, and lays it out as an opened document is; a network with a
// loop gives none (it has no order to lay out by).
std::vector<std::string> NetworkFindings(Tpertgra& net);

// The headless program: "info FILE [--json]", "convert IN OUT", "check FILE"
// "export FILE OUT [--palette print|screen] [--scale F] [--view gantt|network|resource]",
// only with a picture writer, and "resources FILE [--csv]". Reports go to out, problems to err (the model's own
// messages go through the message service). Returns the exit status: 0 done,
// 1 failed, 2 usage; "check" also 2 when the network checks found something.
int RunProjectCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const TPictureWriter& writePicture = nullptr);
