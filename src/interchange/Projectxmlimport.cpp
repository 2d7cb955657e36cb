#include "interchange/Projectxmlimport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <unordered_map>

#include <pugixml.hpp>

#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"

namespace {

struct TLink {
    int pred = 0;         // task index
    int type = 1;         // 0 FF, 1 FS, 2 SF, 3 SS
    double lag = 0;       // working days
};

struct TTask {
    long long uid = 0;
    std::string name;
    double duration = 0;  // working days
    bool milestone = false;
    bool summary = false;
    int level = 1;
    int number = 0;
    std::string group;
    std::vector<TLink> links;
    std::vector<long long> predUids;
    std::vector<int> linkTypes;
    std::vector<double> linkLags;
    std::vector<Trecsource> resources;
};

struct TRefused {
    std::string text;
};

// The local name of an element: a prefix of the namespace does not count.
std::string Local(const pugi::xml_node& n)
{
    std::string s = n.name();
    const size_t colon = s.find(':');
    return colon == std::string::npos ? s : s.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& n, const char* name)
{
    for (pugi::xml_node c : n.children())
        if (c.type() == pugi::node_element && Local(c) == name) return c;
    return {};
}

std::string ChildText(const pugi::xml_node& n, const char* name)
{
    return Child(n, name).text().get();
}

bool ParseInt(const std::string& s, long long& v)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty();
}

bool ParseReal(const std::string& s, double& v)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty() && std::isfinite(v);
}

// "PnYnMnDTnHnMnS" (years and months not taken) as minutes; false when it does not parse.
bool ParseDuration(const std::string& s, double& minutes)
{
    if (s.size() < 2 || s[0] != 'P') return false;
    minutes = 0;
    bool time = false, any = false;
    size_t i = 1;
    while (i < s.size()) {
        if (s[i] == 'T') {
            if (time) return false;
            time = true;
            ++i;
            continue;
        }
        size_t j = i;
        while (j < s.size() && ((s[j] >= '0' && s[j] <= '9') || s[j] == '.')) ++j;
        if (j == i || j >= s.size()) return false;
        double v = 0;
        if (!ParseReal(s.substr(i, j - i), v) || v > 1e9) return false;
        const char u = s[j];
        if (!time && u == 'D') minutes += v * 24 * 60;
        else if (time && u == 'H') minutes += v * 60;
        else if (time && u == 'M') minutes += v;
        else if (time && u == 'S') minutes += v / 60;
        else return false;
        any = true;
        i = j + 1;
    }
    return any;
}

int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

// The date-time number of the day of "yyyy-mm-dd..."; false when it is no date.
bool ParseDay(const std::string& s, double& day)
{
    int y = 0, m = 0, d = 0;
    if (s.size() < 10 || std::sscanf(s.c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3) return false;
    if (y < 1900 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
    day = double(DaysFromCivil(y, unsigned(m), unsigned(d)) - DaysFromCivil(1899, 12, 30));
    return true;
}

std::string UidText(long long uid) { return "UID " + std::to_string(uid); }

// The elements of a task the import takes over or that carry no plan data.
const std::set<std::string>& KnownTaskFields()
{
    static const std::set<std::string> known = {
        "UID", "ID", "Name", "Duration", "DurationFormat", "Milestone", "Summary",
        "OutlineLevel", "OutlineNumber", "WBS", "PredecessorLink", "Start", "Finish",
        "Type", "IsNull", "CreateDate", "Critical", "EarlyStart", "EarlyFinish", "LateStart",
        "LateFinish", "TotalSlack", "FreeSlack", "StartSlack", "FinishSlack", "GUID",
        "ManualStart", "ManualFinish", "ManualDuration", "Priority", "Work", "Cost",
        "ExtendedAttribute", "Baseline", "Notes", "Active", "Manual", "Estimated",
        "PercentComplete", "PercentWorkComplete", "RemainingDuration", "ConstraintType"};
    return known;
}

struct TBuild {
    TXmlImport result;
    std::vector<TTask> tasks;
    std::map<std::string, int> unsupported;   // field, count of tasks

    void Note(const std::string& t) { result.report.push_back(t); }
    [[noreturn]] void Refuse(const std::string& t) { throw TRefused{t}; }
};

void ReadTasks(TBuild& b, const pugi::xml_node& project, double minutesPerDay)
{
    std::unordered_map<long long, int> index;
    std::vector<std::string> groupAt(64);
    for (pugi::xml_node t : Child(project, "Tasks").children()) {
        if (t.type() != pugi::node_element || Local(t) != "Task") continue;
        TTask task;
        const std::string uidText = ChildText(t, "UID");
        if (!ParseInt(uidText, task.uid))
            b.Refuse("任务“" + std::string(ChildText(t, "Name")) + "”的UID“" + uidText +
                     "”不是整数");
        if (ChildText(t, "IsNull") == std::string("1")) {
            b.Note("任务 " + UidText(task.uid) + "：空任务行，未导入");
            continue;
        }
        task.name = ChildText(t, "Name");
        task.summary = ChildText(t, "Summary") == std::string("1");
        task.milestone = ChildText(t, "Milestone") == std::string("1");
        long long level = 1;
        if (ParseInt(ChildText(t, "OutlineLevel"), level)) task.level = int(std::clamp(level, 0LL, 63LL));
        long long number = 0;
        if (ParseInt(ChildText(t, "WBS"), number) && number > 0 && number < (1LL << 30))
            task.number = int(number);
        const std::string d = ChildText(t, "Duration");
        double minutes = 0;
        if (!d.empty() && !ParseDuration(d, minutes))
            b.Refuse("任务 " + UidText(task.uid) + " 的工期“" + d + "”无法识别");
        task.duration = minutes / minutesPerDay;
        if (task.duration > 1e6)
            b.Refuse("任务 " + UidText(task.uid) + " 的工期“" + d + "”太长");
        // The nearest summary task above is the group.
        if (task.level >= 1) {
            for (size_t l = size_t(task.level); l < groupAt.size(); ++l) groupAt[l].clear();
            for (int l = task.level - 1; l >= 1; --l)
                if (!groupAt[size_t(l)].empty()) {
                    task.group = groupAt[size_t(l)];
                    break;
                }
            if (task.summary) groupAt[size_t(task.level)] = task.name;
        }
        const std::string constraint = ChildText(t, "ConstraintType");
        if (!constraint.empty() && constraint != "0")
            b.Note("任务 " + UidText(task.uid) + "：限制类型 " + constraint +
                   " 未导入，按越早越好安排");
        for (pugi::xml_node f : t.children()) {
            if (f.type() != pugi::node_element) continue;
            const std::string name = Local(f);
            if (name == "PredecessorLink") {
                long long p = 0;
                const std::string pt = ChildText(f, "PredecessorUID");
                if (!ParseInt(pt, p))
                    b.Refuse("任务 " + UidText(task.uid) + " 的前置任务UID“" + pt + "”不是整数");
                long long type = 1;
                const std::string tt = ChildText(f, "Type");
                if (!tt.empty() && (!ParseInt(tt, type) || type < 0 || type > 3))
                    b.Refuse("任务 " + UidText(task.uid) + " 的链接类型“" + tt + "”无法识别");
                double lag = 0;
                const std::string lt = ChildText(f, "LinkLag");
                if (!lt.empty() && !ParseReal(lt, lag))
                    b.Refuse("任务 " + UidText(task.uid) + " 的延隔时间“" + lt + "”无法识别");
                long long format = 7;
                ParseInt(ChildText(f, "LagFormat"), format);
                double lagDays = lag / 10.0 / minutesPerDay;   // tenths of minutes
                if (format == 19 || format == 20) {
                    b.Note("任务 " + UidText(task.uid) + "：百分比延隔时间未导入，按 0 处理");
                    lagDays = 0;
                }
                if (std::fabs(lagDays) > 1e6)
                    b.Refuse("任务 " + UidText(task.uid) + " 的延隔时间太长");
                task.predUids.push_back(p);
                task.linkTypes.push_back(int(type));
                task.linkLags.push_back(lagDays);
            } else if (!KnownTaskFields().count(name)) {
                ++b.unsupported[name];
            }
        }
        if (!index.emplace(task.uid, int(b.tasks.size())).second)
            b.Refuse("任务 " + UidText(task.uid) + " 出现了两次");
        b.tasks.push_back(std::move(task));
    }
    for (TTask& task : b.tasks)
        for (size_t i = 0; i < task.predUids.size(); ++i) {
            auto it = index.find(task.predUids[i]);
            if (it == index.end())
                b.Refuse("任务 " + UidText(task.uid) + " 的前置任务 " +
                         UidText(task.predUids[i]) + " 不存在");
            task.links.push_back({it->second, task.linkTypes[i], task.linkLags[i]});
        }
}

// One arrow of the network to build: a task or a lag, after its FS predecessors.
struct TItem {
    int task = -1;            // index of the task, -1 for a lag
    double duration = 0;
    std::vector<int> preds;   // items
};

int WeekdayType(double day)
{
    // Day 0 of date-time numbers is a Saturday; day types count from 1 for Sunday.
    return int((int64_t(day) % 7 + 7 + 6) % 7) + 1;
}

void ReadCalendar(TBuild& b, const pugi::xml_node& project, double startDay, double workingDays,
                  std::vector<int32_t>& restStamps)
{
    const std::string wanted = ChildText(project, "CalendarUID");
    pugi::xml_node calendar;
    for (pugi::xml_node c : Child(project, "Calendars").children())
        if (c.type() == pugi::node_element && Local(c) == "Calendar" &&
            (!calendar || ChildText(c, "UID") == wanted))
            calendar = c;
    if (!calendar) return;
    const std::string base = ChildText(calendar, "BaseCalendarUID");
    if (!base.empty() && base != "-1")
        b.Note("日历“" + ChildText(calendar, "Name") + "”的基准日历未合并");
    bool weekRest[8] = {};
    std::vector<std::pair<double, double>> restPeriods, workPeriods;
    auto period = [&](const pugi::xml_node& holder, bool working) {
        const pugi::xml_node tp = Child(holder, "TimePeriod");
        double from = 0, to = 0;
        if (!ParseDay(ChildText(tp, "FromDate"), from) || !ParseDay(ChildText(tp, "ToDate"), to))
            return;
        if (to < from) return;
        (working ? workPeriods : restPeriods).push_back({from, to});
    };
    for (pugi::xml_node wd : Child(calendar, "WeekDays").children()) {
        if (wd.type() != pugi::node_element) continue;
        long long type = -1;
        ParseInt(ChildText(wd, "DayType"), type);
        const bool working = ChildText(wd, "DayWorking") != std::string("0");
        if (type >= 1 && type <= 7) weekRest[type] = !working;
        else if (type == 0) period(wd, working);
    }
    for (pugi::xml_node e : Child(calendar, "Exceptions").children())
        if (e.type() == pugi::node_element)
            period(e, ChildText(e, "DayWorking") == std::string("1"));
    // Periods merged into ascending disjoint runs, so that a day is looked up
    // in logarithmic time however many exceptions the file lists.
    auto merge = [](std::vector<std::pair<double, double>>& ps) {
        std::sort(ps.begin(), ps.end());
        std::vector<std::pair<double, double>> runs;
        for (const auto& p : ps) {
            if (!runs.empty() && p.first <= runs.back().second + 1) {
                runs.back().second = std::max(runs.back().second, p.second);
            } else {
                runs.push_back(p);
            }
        }
        ps = std::move(runs);
    };
    merge(restPeriods);
    merge(workPeriods);
    auto inAny = [](const std::vector<std::pair<double, double>>& ps, double d) {
        auto it = std::upper_bound(ps.begin(), ps.end(), d,
                                   [](double v, const std::pair<double, double>& p) {
                                       return v < p.first;
                                   });
        return it != ps.begin() && d <= std::prev(it)->second;
    };
    bool allRest = true;
    for (int t = 1; t <= 7; ++t) allRest = allRest && weekRest[t];
    if (allRest) {
        b.Note("日历没有工作日，按每天工作导入");
        for (bool& r : weekRest) r = false;
    }
    // Walk the days until the plan's working days are placed; rest days beyond do not matter.
    double worked = 0;
    constexpr int kMaxDays = 200000;
    for (int i = 0; i < kMaxDays && worked < workingDays + 1; ++i) {
        const double d = startDay + i;
        const bool rest = (weekRest[WeekdayType(d)] && !inAny(workPeriods, d)) ||
                          (inAny(restPeriods, d) && !inAny(workPeriods, d));
        if (!rest) {
            worked += 1;
            continue;
        }
        if (auto s = StampOfDateTime(d)) restStamps.push_back(*s);
    }
}

void ImportBuildNetwork(TBuild& b, const pugi::xml_node& project, double startDay)
{
    std::vector<TTask>& tasks = b.tasks;
    const int n = int(tasks.size());
    // Leaves under each summary task, so that links of summary tasks reach their tasks.
    std::vector<std::vector<int>> leaves(static_cast<size_t>(n));
    {
        std::vector<int> open;
        for (int i = 0; i < n; ++i) {
            while (!open.empty() && tasks[size_t(open.back())].level >= tasks[size_t(i)].level)
                open.pop_back();
            if (tasks[size_t(i)].summary) open.push_back(i);
            else
                for (int s : open) leaves[size_t(s)].push_back(i);
        }
    }
    std::vector<int> leafIndex;
    for (int i = 0; i < n; ++i) {
        TTask& t = tasks[size_t(i)];
        if (t.summary) {
            b.Note((t.level == 0 ? "项目摘要任务 " : "摘要任务 ") + UidText(t.uid) + "“" + t.name +
                   "”：不作为工作导入" + (t.level == 0 ? "" : "，其下的工作以它为分组"));
            if (!t.links.empty())
                for (int l : leaves[size_t(i)])
                    for (const TLink& k : t.links) tasks[size_t(l)].links.push_back(k);
            if (!t.links.empty())
                b.Note("摘要任务 " + UidText(t.uid) + " 的前置链接改为其下各工作的前置链接");
        } else {
            leafIndex.push_back(i);
        }
    }
    if (leafIndex.empty()) b.Refuse("文件中没有可导入的任务");
    // Links from a summary task become links from each of its tasks.
    for (int i : leafIndex) {
        std::vector<TLink> expanded;
        for (const TLink& k : tasks[size_t(i)].links) {
            if (!tasks[size_t(k.pred)].summary) {
                expanded.push_back(k);
                continue;
            }
            b.Note("任务 " + UidText(tasks[size_t(i)].uid) + " 的前置任务 " +
                   UidText(tasks[size_t(k.pred)].uid) + " 是摘要任务，改为链接其下各工作");
            for (int l : leaves[size_t(k.pred)]) expanded.push_back({l, k.type, k.lag});
        }
        tasks[size_t(i)].links = std::move(expanded);
    }
    // Task order along the links; a loop is refused.
    std::vector<int> indeg(static_cast<size_t>(n), 0);
    std::vector<std::vector<int>> succ(static_cast<size_t>(n));
    for (int i : leafIndex)
        for (const TLink& k : tasks[size_t(i)].links) {
            if (k.pred == i) b.Refuse("任务 " + UidText(tasks[size_t(i)].uid) + " 链接到自己");
            succ[size_t(k.pred)].push_back(i);
            ++indeg[size_t(i)];
        }
    std::vector<int> order;
    for (int i : leafIndex)
        if (indeg[size_t(i)] == 0) order.push_back(i);
    for (size_t h = 0; h < order.size(); ++h)
        for (int s : succ[size_t(order[h])])
            if (--indeg[size_t(s)] == 0) order.push_back(s);
    if (order.size() != leafIndex.size()) {
        for (int i : leafIndex)
            if (indeg[size_t(i)] > 0)
                b.Refuse("任务链接有回路（任务 " + UidText(tasks[size_t(i)].uid) + "）");
    }

    // Items: every task, then the lags. A link of another type becomes a
    // finish-to-start link that keeps the successor's start.
    static const char* kTypeName[] = {"完成-完成", "完成-开始", "开始-完成", "开始-开始"};
    std::vector<TItem> items;
    std::vector<int> itemOf(static_cast<size_t>(n), -1);
    for (int i : order) {
        itemOf[size_t(i)] = int(items.size());
        items.push_back({i, tasks[size_t(i)].duration, {}});
    }
    std::map<std::pair<std::vector<int>, double>, int> lagItems;
    auto lagAfter = [&](std::vector<int> preds, double lag) {
        std::sort(preds.begin(), preds.end());
        auto key = std::make_pair(preds, lag);
        auto it = lagItems.find(key);
        if (it != lagItems.end()) return it->second;
        items.push_back({-1, lag, preds});
        lagItems.emplace(key, int(items.size()) - 1);
        return int(items.size()) - 1;
    };
    for (int i : order) {
        TTask& t = tasks[size_t(i)];
        std::vector<int> preds;
        for (const TLink& k : t.links) {
            const int p = itemOf[size_t(k.pred)];
            const TTask& pt = tasks[size_t(k.pred)];
            const std::string what = "任务 " + UidText(t.uid) + " 与前置任务 " + UidText(pt.uid);
            // From the predecessor's finish (fromStart false) or start, after `lag`.
            bool fromStart = false;
            double lag = k.lag;
            if (k.type == 0) lag = k.lag - t.duration;
            else if (k.type == 2) { fromStart = true; lag = k.lag - t.duration; }
            else if (k.type == 3) fromStart = true;
            if (k.type == 0 && lag < 0) {
                // Finish-to-finish with the successor longer: from the predecessor's start.
                fromStart = true;
                lag += pt.duration;
            }
            if (k.type != 1)
                b.Note(what + " 的" + kTypeName[k.type] + "链接按完成-开始链接近似（" +
                       (fromStart ? "从前置任务的开始" : "从前置任务的完成") + "起 " +
                       std::to_string(std::max(0.0, lag)).substr(0, 6) + " 天）");
            if (lag < -1e-9) {
                b.Note(what + " 的负延隔时间不能表示，按 0 处理");
                lag = 0;
            }
            if (!fromStart) {
                preds.push_back(lag > 1e-9 ? lagAfter({p}, lag) : p);
            } else {
                const std::vector<int>& before = items[size_t(p)].preds;
                if (lag > 1e-9) preds.push_back(lagAfter(before, lag));
                else preds.insert(preds.end(), before.begin(), before.end());
            }
        }
        std::sort(preds.begin(), preds.end());
        preds.erase(std::unique(preds.begin(), preds.end()), preds.end());
        items[size_t(itemOf[size_t(i)])].preds = std::move(preds);
    }

    // Earliest times of the items in order (lags come after their predecessors).
    const size_t m = items.size();
    std::vector<std::vector<int>> itemSucc(m);
    std::vector<int> ideg(m, 0);
    for (size_t i = 0; i < m; ++i)
        for (int p : items[i].preds) {
            itemSucc[size_t(p)].push_back(int(i));
            ++ideg[i];
        }
    std::vector<int> itemOrder;
    for (size_t i = 0; i < m; ++i)
        if (ideg[i] == 0) itemOrder.push_back(int(i));
    for (size_t h = 0; h < itemOrder.size(); ++h)
        for (int s : itemSucc[size_t(itemOrder[h])])
            if (--ideg[size_t(s)] == 0) itemOrder.push_back(s);
    std::vector<double> es(m, 0);
    for (int i : itemOrder)
        for (int p : items[size_t(i)].preds)
            es[size_t(i)] = std::max(es[size_t(i)], es[size_t(p)] + items[size_t(p)].duration);

    auto net = std::make_unique<Tpertgra>();
    net->nodes.reserve(m * 2 + 2);
    if (auto s = StampOfDateTime(startDay)) net->projectStart = *s;
    net->title = ChildText(project, "Title");
    if (net->title.empty()) net->title = ChildText(project, "Name");
    if (net->title.empty()) net->title = "工程进度网络计划图";
    auto newNode = [&](double time) {
        auto* v = new Tvertex;
        v->time = float(time);
        v->row = -1;
        net->AddNode(v);
        return v;
    };
    // One start node per distinct predecessor set.
    std::map<std::vector<int>, Tvertex*> startOf;
    std::vector<std::vector<const std::vector<int>*>> groupsOf(m);
    for (int i : itemOrder) {
        auto [it, fresh] = startOf.emplace(items[size_t(i)].preds, nullptr);
        if (fresh)
            for (int p : it->first) groupsOf[size_t(p)].push_back(&it->first);
    }
    auto groupTime = [&](const std::vector<int>& g) {
        double t = 0;
        for (int p : g) t = std::max(t, es[size_t(p)] + items[size_t(p)].duration);
        return t;
    };
    auto startNode = [&](const std::vector<int>& g) {
        Tvertex*& v = startOf[g];
        if (!v) v = newNode(groupTime(g));
        return v;
    };
    Tvertex* endNode = nullptr;
    std::set<std::pair<const Tvertex*, const Tvertex*>> used;
    int dummies = 0, lags = 0;
    auto link = [&](Tvertex* from, Tvertex* to, const char* kind, double duration, const std::string& name) {
        auto* w = new Tedge;
        w->data->kind = kind;
        w->data->duration = float(duration);
        w->data->start = from->time;
        w->data->name = name;
        net->LinkWork(from, to, w);
        return w;
    };
    std::vector<Tedge*> workOf(m, nullptr);
    for (int i : itemOrder) {
        const TItem& item = items[size_t(i)];
        Tvertex* from = startNode(item.preds);
        const double finish = es[size_t(i)] + item.duration;
        const auto& groups = groupsOf[size_t(i)];
        Tvertex* to = nullptr;
        const std::vector<int> self{i};
        bool ownGroup = false;
        for (const auto* g : groups) ownGroup = ownGroup || *g == self;
        if (ownGroup) to = startNode(self);
        else if (groups.size() == 1) to = startNode(*groups.front());
        else if (groups.empty()) {
            if (!endNode) endNode = newNode(0);
            to = endNode;
        } else {
            to = newNode(finish);
        }
        // Two arrows between the same nodes: the second ends at its own node.
        Tvertex* arrowEnd = to;
        if (!used.insert({from, to}).second) {
            arrowEnd = newNode(finish);
            used.insert({from, arrowEnd});
        }
        const char* kind = WorkKind::Real;
        std::string name = "延时";
        if (item.task >= 0) {
            const TTask& t = tasks[size_t(item.task)];
            name = t.name;
            if (t.milestone && t.duration == 0) kind = WorkKind::Milestone;
        } else {
            ++lags;
        }
        Tedge* w = link(from, arrowEnd, kind, item.duration, name);
        workOf[size_t(i)] = w;
        if (arrowEnd != to) {
            link(arrowEnd, to, WorkKind::Dummy, 0, "");
            ++dummies;
        }
        for (const auto* g : groups) {
            Tvertex* target = startNode(*g);
            if (target == to) continue;
            link(to, target, WorkKind::Dummy, 0, "");
            ++dummies;
        }
    }
    if (endNode) {
        double t = 0;
        for (size_t i = 0; i < m; ++i) t = std::max(t, es[i] + items[i].duration);
        endNode->time = float(t);
    }

    // Numbers, groups and resources of the task works.
    std::set<int> numbers;
    bool distinct = true;
    for (int i : order) {
        const int no = tasks[size_t(i)].number;
        distinct = distinct && no > 0 && numbers.insert(no).second;
    }
    std::map<long long, Trecsource> resourceOf;
    for (pugi::xml_node r : Child(project, "Resources").children()) {
        if (r.type() != pugi::node_element || Local(r) != "Resource") continue;
        long long uid = 0;
        if (!ParseInt(ChildText(r, "UID"), uid) || uid == 0) continue;
        Trecsource rs;
        rs.number = ChildText(r, "Code");
        if (rs.number.empty()) rs.number = "R" + std::to_string(uid);
        rs.name = ChildText(r, "Name");
        rs.unit = ChildText(r, "MaterialLabel");
        const std::string type = ChildText(r, "Type");
        rs.resourceKind = type == "0" ? "材料资源" : "人力资源";
        if (type == "2") b.Note("资源 " + UidText(uid) + "“" + rs.name + "”是成本资源，按人力资源导入");
        rs.measureMode = 1;
        resourceOf[uid] = rs;
    }
    std::map<long long, int> taskByUid;
    for (int i : order) taskByUid[tasks[size_t(i)].uid] = i;
    int assigned = 0;
    for (pugi::xml_node a : Child(project, "Assignments").children()) {
        if (a.type() != pugi::node_element || Local(a) != "Assignment") continue;
        long long tu = 0, ru = 0;
        ParseInt(ChildText(a, "TaskUID"), tu);
        ParseInt(ChildText(a, "ResourceUID"), ru);
        auto t = taskByUid.find(tu);
        auto r = resourceOf.find(ru);
        if (t == taskByUid.end() || r == resourceOf.end()) {
            if (ru > 0)
                b.Note("分配 " + UidText(tu) + "/" + UidText(ru) + "：任务或资源不存在，未导入");
            continue;
        }
        double units = 1;
        const std::string u = ChildText(a, "Units");
        if (!u.empty() && !ParseReal(u, units)) {
            b.Note("分配 " + UidText(tu) + "/" + UidText(ru) + " 的数量“" + u + "”无法识别，按 1 导入");
            units = 1;
        }
        Trecsource rs = r->second;
        rs.dailyAmount = float(units);
        Tworkdata& d = *workOf[size_t(itemOf[size_t(t->second)])]->data;
        rs.totalAmount = double(rs.dailyAmount) * d.duration;
        d.resources.push_back(rs);
        ++assigned;
    }
    int next = 0;
    for (int i : itemOrder) {
        Tworkdata& d = *workOf[size_t(i)]->data;
        const int task = items[size_t(i)].task;
        if (task >= 0) {
            d.workNo = distinct ? tasks[size_t(task)].number : ++next;
            d.groupName = tasks[size_t(task)].group;
        }
    }
    int last = distinct ? *numbers.rbegin() : next;
    for (int i : itemOrder)
        if (items[size_t(i)].task < 0) workOf[size_t(i)]->data->workNo = ++last;
    net->InvalidateWorkNumbers();

    // Rows: each work on the row of its start node when that row is free
    // at its start, else on the lowest free row.
    std::vector<int> byStart(itemOrder);
    std::stable_sort(byStart.begin(), byStart.end(),
                     [&](int a, int c) { return es[size_t(a)] < es[size_t(c)]; });
    std::set<int> freeRows;
    std::set<std::pair<double, int>> busy;   // (end, row)
    int rows = 0;
    for (int i : byStart) {
        Tedge* w = workOf[size_t(i)];
        const double s = es[size_t(i)];
        while (!busy.empty() && busy.begin()->first <= s + 1e-9) {
            freeRows.insert(busy.begin()->second);
            busy.erase(busy.begin());
        }
        int row;
        if (w->fromNode->row >= 0 && freeRows.count(w->fromNode->row)) row = w->fromNode->row;
        else if (!freeRows.empty()) row = *freeRows.begin();
        else row = rows++;
        freeRows.erase(row);
        busy.insert({s + std::max(items[size_t(i)].duration, 1e-6), row});
        w->row = row;
        if (w->fromNode->row < 0) w->fromNode->row = row;
        if (w->toNode->row < 0) w->toNode->row = row;
    }
    for (const auto& v : net->nodes) {
        if (v->row < 0) v->row = 0;
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->data->IsDummy()) w->row = v->row;
    }

    double total = 0;
    for (size_t i = 0; i < m; ++i) total = std::max(total, es[i] + items[i].duration);
    std::vector<int32_t> rest;
    ReadCalendar(b, project, startDay, total, rest);
    if (!rest.empty()) SetRestDays(*net, rest);
    for (const auto& [field, count] : b.unsupported)
        b.Note("未导入的字段 " + field + "（" + std::to_string(count) + " 个任务）");
    b.result.report.insert(b.result.report.begin(),
                           "导入任务 " + std::to_string(order.size()) + " 个：工作 " +
                               std::to_string(order.size()) + " 个，虚工作 " +
                               std::to_string(dummies) + " 个，延时工作 " + std::to_string(lags) +
                               " 个，资源分配 " + std::to_string(assigned) + " 个");
    net->Recalculate();
    net->ComputeAndPull();
    net->hasFile = false;
    net->modified = false;
    b.result.net = std::move(net);
}

}  // namespace

TXmlImport ImportProjectXml(const std::string& bytes)
{
    TBuild b;
    try {
        if (bytes.size() > kMaxProjectXmlBytes)
            b.Refuse("文件太大（超过 " + std::to_string(kMaxProjectXmlBytes >> 20) + " MB）");
        pugi::xml_document doc;
        const pugi::xml_parse_result parsed = doc.load_buffer(bytes.data(), bytes.size());
        if (!parsed)
            b.Refuse(std::string("XML格式错误：") + parsed.description() + "（第 " +
                     std::to_string(parsed.offset) + " 字节）");
        const pugi::xml_node project = doc.document_element();
        if (!project || Local(project) != "Project") b.Refuse("文件中没有项目（Project）");
        double minutesPerDay = 480;
        const std::string mpd = ChildText(project, "MinutesPerDay");
        if (!mpd.empty() && (!ParseReal(mpd, minutesPerDay) || minutesPerDay < 1 ||
                             minutesPerDay > 1440))
            b.Refuse("每天的工作分钟数“" + mpd + "”无法识别");
        double startDay = 0;
        const std::string sd = ChildText(project, "StartDate");
        if (!ParseDay(sd, startDay)) b.Refuse("项目开始时间“" + sd + "”无法识别");
        ReadTasks(b, project, minutesPerDay);
        ImportBuildNetwork(b, project, startDay);
    } catch (const TRefused& r) {
        b.result.net.reset();
        b.result.problem = r.text;
    }
    return std::move(b.result);
}

TXmlImport ImportProjectXmlFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {nullptr, "文件打不开：" + path, {}};
    const std::streamoff size = in.tellg();
    if (size < 0) return {nullptr, "文件读不出：" + path, {}};
    if (uint64_t(size) > kMaxProjectXmlBytes)
        return {nullptr,
                "文件太大（超过 " + std::to_string(kMaxProjectXmlBytes >> 20) + " MB）：" + path,
                {}};
    std::string bytes(size_t(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size)) return {nullptr, "文件读不出：" + path, {}};
    return ImportProjectXml(bytes);
}

std::string ImportReportText(const TXmlImport& import)
{
    std::string t;
    for (const std::string& line : import.report) t += line + "\n";
    return t;
}
