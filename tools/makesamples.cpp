// Writes the sample plans of the folder "示例" with the program's own model
// and project file writer:
//   makesamples OUTPUT_FOLDER
// The plans are built work by work as a planner would enter them, then
// placed, recalculated and saved.
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "editing/Relayout.h"
#include "file/Projectfile.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "resources/Resourcecatalogue.h"
#include "resources/Resourcediagram.h"
#include "platform/Clock.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"

namespace {

// Builds a plan whose nodes are created in the order of the work flow.
class TPlanBuilder {
public:
    explicit TPlanBuilder(Tpertgra& net) : net_(net) {}

    Tvertex* Node(const std::string& name, int32_t row)
    {
        auto it = nodes_.find(name);
        if (it != nodes_.end()) return it->second;
        auto* v = new Tvertex;
        v->row = row;
        net_.AddNode(v);
        nodes_[name] = v;
        return v;
    }

    Tedge* Work(const std::string& from, const std::string& to, const std::string& name,
                float duration, int32_t row, const char* kind = WorkKind::Real,
                double quantity = 0, const std::string& unit = "")
    {
        auto* w = new Tedge;
        w->data->name = name;
        w->data->duration = duration;
        w->data->kind = kind;
        w->data->quantity = quantity;
        w->data->unit = unit;
        w->row = row;
        Tvertex* f = Node(from, row);
        Tvertex* t = Node(to, row);
        net_.LinkWork(f, t, w);
        return w;
    }

    // Every node at the latest finish of the works into it, in topological
    // order; every work at its start node.
    void Place()
    {
        net_.Renumber();
        for (Tvertex* v : net_.order) {
            if (v->inCount == 0) continue;
            float t = 0;
            for (Tedge* w : net_.WorksInto(v)) t = std::max(t, w->fromNode->time + w->data->duration);
            v->time = t;
        }
        for (const auto& v : net_.nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork) w->data->start = v->time;
    }

    // A milestone into a node that is already placed: its own start node at that time.
    void Milestone(const std::string& into, const std::string& name)
    {
        Tvertex* target = nodes_.at(into);
        auto* s = new Tvertex;
        s->row = target->row;
        s->time = target->time;
        net_.AddNode(s);
        auto* w = new Tedge;
        w->data->name = name;
        w->data->kind = WorkKind::Milestone;
        w->data->duration = 0;
        w->data->start = target->time;
        w->row = target->row;
        net_.LinkWork(s, target, w);
    }

private:
    Tpertgra& net_;
    std::map<std::string, Tvertex*> nodes_;
};

int32_t Day(int y, int m, int d)
{
    return *StampOfCivil({y, m, d, 0, 0, 0});
}

// Every Sunday from the start for the given number of weeks, plus extra days.
std::vector<int32_t> Sundays(int32_t start, int weeks)
{
    std::vector<int32_t> days;
    int64_t d = DayStartOfStamp(start);
    while (WeekdayOfStamp(d) != 0) d += kSecondsPerDay;
    for (int i = 0; i < weeks; ++i) days.push_back(static_cast<int32_t>(d + i * 7 * kSecondsPerDay));
    return days;
}

// A resource line of the named work: labour and machinery by the day,
// materials by their total.
void Uses(Tpertgra& net, const std::string& work, const char* number, const char* name,
          const char* unit, const char* kind, double amount, float price)
{
    for (Tedge* w : net.AllWorks()) {
        if (w->data->name != work) continue;
        Trecsource r;
        r.number = number;
        r.name = name;
        r.unit = unit;
        r.resourceKind = kind;
        r.price = price;
        r.measureMode = r.resourceKind == "材料资源" ? 0 : 1;
        if (r.measureMode == 0) r.totalAmount = amount;
        else r.dailyAmount = float(amount);
        r.startDay = w->data->start;
        r.endDay = w->data->start + w->data->duration;
        w->data->resources.push_back(r);
        RecomputeAmounts(*w->data);
        return;
    }
}

// Labour, reinforcement steel and the tower crane hired for the structure,
// with their diagrams under the network.
void AddHouseResources(Tpertgra& net)
{
    const struct {
        const char* work;
        double workers;
    } labour[] = {{"施工准备", 8},       {"土方开挖", 12},       {"基础垫层", 10},
                  {"基础钢筋混凝土", 25}, {"基础回填", 10},       {"一层主体结构", 30},
                  {"二层主体结构", 30},   {"屋面结构", 22},       {"屋面防水保温", 12},
                  {"竣工清理", 6},       {"钢筋加工", 8},        {"一层水电预埋", 6},
                  {"填充墙砌筑", 15},    {"门窗安装", 6},        {"外墙脚手架及装饰", 18}};
    for (const auto& l : labour) Uses(net, l.work, "R01", "劳动力", "工日", "人力资源", l.workers, 180);
    Uses(net, "钢筋加工", "M01", "钢筋", "吨", "材料资源", 20, 4200);
    Uses(net, "基础钢筋混凝土", "M01", "钢筋", "吨", "材料资源", 36, 4200);
    Uses(net, "一层主体结构", "M01", "钢筋", "吨", "材料资源", 48, 4200);
    Uses(net, "二层主体结构", "M01", "钢筋", "吨", "材料资源", 48, 4200);
    Uses(net, "屋面结构", "M01", "钢筋", "吨", "材料资源", 24, 4200);
    ResizeCustomDays(net, DiagramDays(net));
    TCustomResourceEntry crane;
    crane.number = "ZJ1";
    crane.name = "塔式起重机";
    crane.unit = "台班";
    crane.dailyAmount = 1;
    crane.startDate = net.projectStart + 23 * 86400;
    crane.endDate = net.projectStart + 54 * 86400;
    StoreCustomResource(net, crane);
    net.shownResources = {"R01", "M01", "ZJ1"};
    for (Trecsource* e : EntriesForNumber(net, "R01")) e->drawMode = 1;
}

// A single house from the site preparation to the roof.
std::unique_ptr<Tpertgra> HousePlan()
{
    auto net = std::make_unique<Tpertgra>();
    net->projectStart = Day(2025, 3, 3);
    net->progressDate = net->showStart = net->showEnd = net->projectStart;
    net->title = "住宅楼工程网络计划（基础至封顶）";
    net->liveGantt.title = "住宅楼工程横道图";
    TPlanBuilder b(*net);
    b.Work("1", "2", "施工准备", 3, 0);
    b.Work("2", "3", "土方开挖", 6, 0, WorkKind::Real, 1860, "m3");
    b.Work("3", "4", "基础垫层", 2, 0, WorkKind::Real, 96, "m3");
    b.Work("4", "5", "基础钢筋混凝土", 9, 0, WorkKind::Real, 420, "m3");
    b.Work("5", "6", "基础回填", 3, 0);
    b.Work("6", "7", "一层主体结构", 12, 0);
    b.Work("7", "8", "二层主体结构", 12, 0);
    b.Work("8", "9", "屋面结构", 8, 0);
    b.Work("9", "10", "屋面防水保温", 5, 0);
    b.Work("10", "11", "竣工清理", 3, 0);
    b.Work("1", "2a", "测量放线", 2, 1);
    b.Work("2a", "2", "", 0, 1, WorkKind::Dummy);
    b.Work("2", "4a", "钢筋加工", 5, 1);
    b.Work("4a", "4", "", 0, 1, WorkKind::Dummy);
    b.Work("6", "7a", "一层水电预埋", 7, 1);
    b.Work("7a", "7", "", 0, 1, WorkKind::Dummy);
    b.Work("7", "9a", "填充墙砌筑", 14, 2);
    b.Work("9a", "10a", "门窗安装", 6, 2);
    b.Work("10a", "11", "", 0, 2, WorkKind::Dummy);
    b.Work("8", "10b", "外墙脚手架及装饰", 12, 1);
    b.Work("10b", "11", "", 0, 1, WorkKind::Dummy);
    b.Place();
    b.Milestone("9", "主体封顶");
    net->Recalculate();
    AddHouseResources(*net);
    // Wide enough days for the names of the short works.
    net->timeScale.dayWidth = 16;
    return net;
}

// Three buildings of a housing estate started one after another, with a
// shared site preparation, outdoor works at the end, Sundays and the May
// holidays off, and the buildings as groups in the column left of the drawing.
std::unique_ptr<Tpertgra> EstatePlan()
{
    auto net = std::make_unique<Tpertgra>();
    net->projectStart = Day(2025, 3, 3);
    net->progressDate = Day(2025, 4, 14);
    net->showStart = net->showEnd = net->projectStart;
    net->title = "幸福家园小区一期工程网络计划";
    net->liveGantt.title = "幸福家园小区一期工程横道图";
    TPlanBuilder b(*net);
    // Shared preparation.
    b.Work("S", "P1", "场地平整", 4, 0, WorkKind::Real, 12500, "m2");
    b.Work("P1", "P2", "临时设施", 5, 0);
    b.Work("S", "P1a", "施工测量", 2, 1);
    b.Work("P1a", "P1", "", 0, 1, WorkKind::Dummy);
    const struct {
        const char* id;
        const char* name;
        int row;
    } buildings[] = {{"A", "1号楼", 2}, {"B", "2号楼", 6}, {"C", "3号楼", 10}};
    std::string previousFoundation = "P2";
    std::string previousStructure;
    for (const auto& bl : buildings) {
        const std::string id = bl.id;
        const std::string n = bl.name;
        const int r = bl.row;
        // Each building starts when the previous one's foundation is done.
        b.Work(previousFoundation, id + "1", n + "土方开挖", 5, r, WorkKind::Real, 2100, "m3");
        b.Work(id + "1", id + "2", n + "基础施工", 10, r);
        b.Work(id + "2", id + "3", n + "主体结构", 28, r);
        b.Work(id + "3", id + "4", n + "屋面工程", 7, r);
        b.Work(id + "4", id + "5", n + "装饰装修", 20, r);
        b.Work(id + "2", id + "3a", n + "水电预埋", 18, r + 1);
        b.Work(id + "3a", id + "3", "", 0, r + 1, WorkKind::Dummy);
        b.Work(id + "3", id + "4a", n + "砌体工程", 15, r + 2);
        b.Work(id + "4a", id + "5a", n + "门窗安装", 8, r + 2);
        b.Work(id + "5a", id + "5", "", 0, r + 2, WorkKind::Dummy);
        b.Work(id + "4", id + "5b", n + "水电安装", 12, r + 3);
        b.Work(id + "5b", id + "5", "", 0, r + 3, WorkKind::Dummy);
        if (!previousStructure.empty()) {
            // The tower crane moves on: a building's structure waits for the one before.
            b.Work(previousStructure, id + "2", "", 0, r, WorkKind::Dummy);
        }
        previousFoundation = id + "2";
        previousStructure = id + "3";
    }
    // Outdoor works after all three buildings.
    b.Work("A5", "E1", "", 0, 2, WorkKind::Dummy);
    b.Work("B5", "E1", "", 0, 6, WorkKind::Dummy);
    b.Work("C5", "E1", "室外管网", 10, 10);
    b.Work("E1", "E2", "道路及绿化", 12, 10);
    b.Work("E2", "E3", "竣工验收", 4, 10);
    b.Place();
    b.Milestone("C3", "主体全部封顶");
    net->Recalculate();

    // Rest days: every Sunday of the plan and the May holidays.
    std::vector<int32_t> rest = Sundays(net->projectStart, 40);
    for (int d = 1; d <= 5; ++d) rest.push_back(Day(2025, 5, d));
    SetRestDays(*net, rest);
    net->Recalculate();

    // The groups of the column left of the drawing, one per part of the estate.
    LayoutNetwork(*net);
    net->groups.groupColumnWidth = 70;
    const double top = net->groups.origin.y;
    const double rowHeight = net->displaySettings.rowHeight;
    const double y0 = net->nodes.front()->y;   // row 0 of the laid-out drawing
    const struct {
        const char* text;
        int lastRow;
    } groups[] = {{"准备工程", 1}, {"1号楼", 5}, {"2号楼", 9}, {"3号楼及室外", 13}};
    double y = top;
    for (const auto& g : groups) {
        Tfenzu cell;
        cell.text = g.text;
        cell.position = {net->groups.origin.x, y};
        cell.width = net->groups.groupColumnWidth;
        const double bottom = y0 + (g.lastRow + 0.5) * rowHeight;
        cell.height = bottom - y;
        net->groups.items.push_back(cell);
        y = bottom;
    }
    net->modified = false;
    return net;
}

bool Write(Tpertgra& net, const std::string& path)
{
    if (!SaveProject(net, path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s: %d works, %d nodes\n", path.c_str(), net.WorkCount(), net.NodeCount());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesamples OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    // The samples are the same whatever day they are made.
    TFixedClock clock({2025, 3, 3, 8, 0, 0});
    SetClock(&clock);
    auto house = HousePlan();
    auto estate = EstatePlan();
    const bool ok = Write(*house, folder + "/01住宅楼工程.prt") &&
                    Write(*estate, folder + "/02幸福家园小区一期工程.prt");
    SetClock(nullptr);
    return ok ? 0 : 1;
}
