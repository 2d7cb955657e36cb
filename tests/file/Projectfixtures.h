#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "drawing/Biaozhu.h"
#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Tpertgrid.h"
#include "file/Projectfile.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "schedule/Perttime_out.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

// Fixtures of the project file tests.

// A small plan in which every member the file stores differs from its
// default: a segmented work, an auxiliary and a dummy work, resources,
// custom resource days with a chain and an empty day, groups, annotations,
// rest periods and changed settings.
inline std::unique_ptr<Tpertgra> RichPlan()
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);  // second segment of A→B
    b.Work('A', 'D', 2);
    b.Work('D', 'C', 0, WorkKind::Dummy);
    b.Work('A', 'C', 0, WorkKind::Auxiliary);
    b.Work('C', 'E', 1.5f, WorkKind::Suspended);
    b.Place();
    Tpertgra& n = *b.net;
    b.W("AB")->nextSegment = b.W("BC");
    b.W("BC")->isContinuation = true;
    b.N('B')->joint = true;

    Tedge* w = b.W("AD");
    Tworkdata& d = *w->data;
    d.code = "A-01";
    d.groupNo = 2;
    d.groupName = "基础";
    d.quantity = 123.25;
    d.unit = "m3";
    d.font = TVqFont("黑体", 11, 0x123456);
    d.useCustom = true;
    d.useCustomColor = true;
    d.lineWidth = 3;
    d.lineColor = 0x00AA00;
    d.lineStyle = "虚线";
    d.placeMode = 1;
    d.namePlace = 4;
    d.category = "分项";
    d.reservedText = "保留";
    d.reservedA = 1.5;
    d.reservedB = -2.25;
    d.progress = 0.5;
    Trecsource res;
    res.number = "R1";
    res.name = "钢筋工";
    res.unit = "工日";
    res.price = 120.5f;
    res.dailyAmount = 8;
    res.resourceKind = "人工";
    res.startDay = 0;
    res.endDay = 2;
    res.totalAmount = 16;
    res.measureMode = 1;
    d.resources.push_back(res);
    res.number = "R2";
    res.measureMode = 0;
    d.resources.push_back(res);
    w->lineGeom = {1, 2, 3, 4, 5, 6, 7, 8};
    w->nameGeom = {9, 10, 11, 12};
    w->row = 3;
    w->labelDx = -4;
    w->labelDy = 7;
    w->timeLabel.anchorX = 10.5;
    w->timeLabel.anchorY = -3.25;
    w->timeLabel.spanX = 40;
    w->timeLabel.reservedGeom = 1;
    w->timeLabel.font = TVqFont("Arial", 8, 0x0000FF);
    w->timeLabel.frameColor = 0x101010;
    w->timeLabel.fillColor = 0x202020;
    w->timeLabel.texts = {"a", "b", "c", "d", "e", "f"};
    w->timeLabel.shown = {true, false, true, true, false, true};
    b.N('D')->row = 2;
    b.N('D')->x = 150;
    b.N('D')->y = 90;
    b.N('D')->xOffset = 12;

    n.title = "某工程进度计划";
    n.titleFont = TVqFont("楷体", 20, 0x0000FF);
    n.reservedColorA = 0x111111;
    n.reservedColorB = 0x222222;
    n.titleGap = 33;
    n.showTitleAlways = true;
    n.projectStart = 1709222400;  // 2024-03-01 00:00
    n.displaySettings.rowHeight = 44;
    n.displaySettings.legacyDayWidth = 12.5f;
    n.printPalette.SetPalette(3, 0x445566);
    n.screenPalette.nodeRadiusX = 11;
    n.grid->dayStep = 2;
    n.grid->topYear = true;
    n.grid->bottomDay = false;
    n.grid->scales[2].name = "月份";
    n.grid->explain.explanationLines = {"说明一", "说明二"};
    n.grid->screenRestBrush = TVqBrush(3, 0x333333);
    n.showFrame = false;
    n.liveGantt.title = "横道图甲";
    n.liveGantt.rowHeight = 30;
    n.liveGantt.columns[3].width = 222;
    n.ganttPrintPreset.rowsPerPage = 45;
    n.ganttScreenPreset.titleGap = 7;
    n.networkView = false;
    n.workFont = TVqFont("宋体", 12, 0x00FF00);
    n.printTextColor = 0x010203;
    n.screenTextColor = 0x040506;
    n.nodeFont = TVqFont("Arial", 9, 0x00FFFF);
    n.customResourceDays.push_back(std::make_unique<Trecsource>(res));
    n.customResourceDays.push_back(nullptr);
    n.customResourceDays.push_back(std::make_unique<Trecsource>(res));
    n.customResourceDays.back()->next = std::make_unique<Trecsource>(res);
    n.customResourceDays.back()->next->name = "木工";
    n.shownResources = {"R1", "R2"};
    n.showEndMark = false;
    n.networkKind = 1;
    n.groups.origin = {60, 110};
    n.groups.groupColumnWidth = 80;
    Tfenzu g;
    g.text = "第一段";
    g.height = 150;
    n.groups.items.push_back(g);
    g.text = "第二段";
    g.position = {0, 150};
    n.groups.items.push_back(g);
    n.showTimeLabels = 1;
    for (int i = 0; i < 6; ++i) n.colorPairs[i] = 0x100000 * (i + 1) + i;
    n.auxiliaryPenWidth = 2;
    n.suspendedPenWidth = 3;
    n.reservedInt = 9;
    n.progressDate = n.projectStart + 5 * 86400;
    n.resourceDrawMode = 2;
    n.resourceScreenBrush = TVqBrush(1, 0x00FF00);
    n.resourcePrintBrush = TVqBrush(6, 0x000080);
    n.timeScale.dayWidth = 14;
    n.timeScale.SetDayWidth(2, 4, 20);
    n.timeScale.SetDayWidth(6, 7, 0);
    n.showProgressLine = true;
    n.timeLabelMode.showLF = false;
    n.timeLabelMode.nonCriticalOnly = true;
    auto a = std::make_unique<TBiaoZhu>();
    a->text = "注：雨季施工";
    a->anchorDay = 3.5;
    a->anchor = {100, 200};
    n.annotations.push_back(std::move(a));
    n.annotations.push_back(std::make_unique<TBiaoZhu>());
    n.restIntervals.Assign({{n.projectStart + 86400, n.projectStart + 3 * 86400},
                            {n.projectStart + 8 * 86400, n.projectStart + 10 * 86400}});
    n.showStart = n.projectStart + 86400;
    n.showEnd = n.projectStart + 20 * 86400;
    n.fileName = "/tmp/rich.prt";
    n.Recalculate();
    return std::move(b.net);
}

// Reads bytes into a new network; the messages shown go to msgs.
inline int ReadInto(Tpertgra& net, const std::vector<uint8_t>& bytes,
                    const std::string& path = "/tmp/read.prt", TProjectFormat* format = nullptr)
{
    return ReadProjectBytes(net, bytes.data(), bytes.size(), path, format);
}

inline std::vector<uint8_t> FileBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& p, const std::vector<uint8_t>& b)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

// A fresh folder under the system's temporary folder, removed at the end.
class TTempFolder {
public:
    TTempFolder()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "prtfile-XXXXXX").string();
        char* made = mkdtemp(tmpl.data());
        if (made) path = made;
    }
    ~TTempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path, ec);
    }
    std::filesystem::path path;
};

// The little-endian int32 at offset.
inline int32_t Int32At(const std::vector<uint8_t>& b, size_t at)
{
    return int32_t(uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
                   uint32_t(b[at + 3]) << 24);
}

inline void PutInt32At(std::vector<uint8_t>& b, size_t at, int32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(uint32_t(v) >> (8 * i));
}

// Sets the trailer to the bytes' length again.
inline void FixTrailer(std::vector<uint8_t>& b) { PutInt32At(b, b.size() - 4, int32_t(b.size())); }
