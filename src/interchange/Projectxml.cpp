#include "interchange/Projectxml.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include <pugixml.hpp>

#include "model/Pertgra.h"
#include "platform/Replacefile.h"
#include "resources/Resourcecatalogue.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"

namespace {

constexpr int kMinutesPerDay = 480;

bool IsTask(const Tedge& w)
{
    const Tworkdata& d = *w.data;
    return !w.isContinuation && !d.IsDummy() && !d.IsAuxiliary();
}

const Tedge* LastSegment(const Tedge* w)
{
    while (w->nextSegment) w = w->nextSegment;
    return w;
}

// "yyyy-mm-ddThh:mm:ss" of a date-time number whose fraction is a share of
// the working day: 0 is 08:00, 0.5 is 12:00 (then the lunch hour), 1 is 17:00.
std::string WorkingDateTime(double d, bool finish)
{
    double day = std::floor(d);
    double share = d - day;
    if (finish && share < 1e-9 && d > 0) {
        // The end of a working span that ends with a day: 17:00 of that day.
        day -= 1;
        share = 1;
    }
    int minutes = int(std::lround(share * kMinutesPerDay));
    if (minutes > kMinutesPerDay) minutes = kMinutesPerDay;
    int clock = 8 * 60 + minutes + (minutes > 240 || (minutes == 240 && finish) ? 60 : 0);
    if (minutes == 240 && !finish) clock = 13 * 60;
    char buf[32];
    std::snprintf(buf, sizeof buf, "T%02d:%02d:00", clock / 60, clock % 60);
    return DateText(day) + buf;
}

std::string Num(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

void Text(pugi::xml_node parent, const char* name, const std::string& value)
{
    parent.append_child(name).text().set(value.c_str());
}

}  // namespace

std::string XmlDuration(double days)
{
    const long long m = std::llround(std::max(0.0, days) * kMinutesPerDay);
    return "PT" + std::to_string(m / 60) + "H" + std::to_string(m % 60) + "M0S";
}

std::string ProjectXml(const Tpertgra& net)
{
    // Tasks in the order of AllWorks, grouped when the plan has groups.
    std::vector<const Tedge*> tasks;
    for (const Tedge* w : net.AllWorks())
        if (IsTask(*w)) tasks.push_back(w);
    std::stable_sort(tasks.begin(), tasks.end(), [](const Tedge* a, const Tedge* b) {
        return a->data->workNo < b->data->workNo;
    });
    bool grouped = false;
    for (const Tedge* w : tasks) grouped = grouped || !w->data->groupName.empty();
    std::vector<std::string> groupOrder;
    if (grouped) {
        std::map<std::string, int> first;
        for (const Tedge* w : tasks)
            if (first.emplace(w->data->groupName, int(first.size())).second)
                groupOrder.push_back(w->data->groupName);
        // Works without a group first, then each group in the order it first appears.
        auto rank = [&](const Tedge* w) {
            return w->data->groupName.empty() ? -1 : first[w->data->groupName];
        };
        std::stable_sort(tasks.begin(), tasks.end(),
                         [&](const Tedge* a, const Tedge* b) { return rank(a) < rank(b); });
    }

    // Every segment stands for the task of its chain's first segment.
    std::unordered_map<const Tedge*, int> uidOf;
    int uid = 0;
    for (const Tedge* w : tasks) {
        ++uid;
        for (const Tedge* s = w; s; s = s->nextSegment) uidOf[s] = uid;
    }

    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    decl.append_attribute("standalone") = "yes";
    pugi::xml_node project = doc.append_child("Project");
    project.append_attribute("xmlns") = "http://schemas.microsoft.com/project";
    Text(project, "SaveVersion", "14");
    Text(project, "Name", net.fileName);
    Text(project, "Title", net.title);
    const double startDate = DateTimeOfStamp(net.projectStart);
    Text(project, "ScheduleFromStart", "1");
    Text(project, "StartDate", WorkingDateTime(std::floor(startDate), false));
    Text(project, "FinishDate", WorkingDateTime(DateOfDay(net, ProjectEndDay(net)), true));
    Text(project, "CalendarUID", "1");
    Text(project, "DefaultStartTime", "08:00:00");
    Text(project, "DefaultFinishTime", "17:00:00");
    Text(project, "MinutesPerDay", std::to_string(kMinutesPerDay));
    Text(project, "MinutesPerWeek", std::to_string(kMinutesPerDay * 7));
    Text(project, "DaysPerMonth", "30");
    Text(project, "DurationFormat", "7");
    Text(project, "WorkFormat", "2");

    pugi::xml_node calendar = project.append_child("Calendars").append_child("Calendar");
    Text(calendar, "UID", "1");
    Text(calendar, "Name", "标准");
    Text(calendar, "IsBaseCalendar", "1");
    Text(calendar, "BaseCalendarUID", "-1");
    pugi::xml_node weekDays = calendar.append_child("WeekDays");
    for (int day = 1; day <= 7; ++day) {
        pugi::xml_node wd = weekDays.append_child("WeekDay");
        Text(wd, "DayType", std::to_string(day));
        Text(wd, "DayWorking", "1");
        pugi::xml_node times = wd.append_child("WorkingTimes");
        for (auto [from, to] : {std::pair{"08:00:00", "12:00:00"}, {"13:00:00", "17:00:00"}}) {
            pugi::xml_node t = times.append_child("WorkingTime");
            Text(t, "FromTime", from);
            Text(t, "ToTime", to);
        }
    }
    // Runs of rest days, each one exception.
    const std::vector<int32_t> rest = RestDays(net);
    pugi::xml_node exceptions;
    for (size_t i = 0; i < rest.size();) {
        size_t j = i;
        while (j + 1 < rest.size() && rest[j + 1] - rest[j] == 86400) ++j;
        if (!exceptions) exceptions = calendar.append_child("Exceptions");
        pugi::xml_node e = exceptions.append_child("Exception");
        pugi::xml_node period = e.append_child("TimePeriod");
        Text(period, "FromDate", DateText(std::floor(DateTimeOfStamp(rest[i]))) + "T00:00:00");
        Text(period, "ToDate", DateText(std::floor(DateTimeOfStamp(rest[j]))) + "T23:59:00");
        Text(e, "Occurrences", "1");
        Text(e, "Name", "休息日");
        Text(e, "Type", "1");
        Text(e, "DayWorking", "0");
        i = j + 1;
    }

    pugi::xml_node taskList = project.append_child("Tasks");
    int id = 0;
    int summaryUid = int(tasks.size());
    auto addTask = [&](int taskUid, const std::string& name, int level) {
        pugi::xml_node t = taskList.append_child("Task");
        Text(t, "UID", std::to_string(taskUid));
        Text(t, "ID", std::to_string(++id));
        Text(t, "Name", name);
        Text(t, "OutlineLevel", std::to_string(level));
        return t;
    };
    size_t at = 0;
    auto writeWork = [&](const Tedge* w, int level) {
        const Tworkdata& d = *w->data;
        pugi::xml_node t = addTask(uidOf[w], d.name, level);
        Text(t, "WBS", std::to_string(d.workNo));
        const double total = w->TotalDuration();
        Text(t, "Start", WorkingDateTime(DateOfDay(net, CalendarDay(net, d.start)), false));
        const Tedge* last = LastSegment(w);
        const double finish = double(last->data->start) + last->data->duration;
        Text(t, "Finish",
             WorkingDateTime(std::max(DateOfDay(net, CalendarDay(net, d.start)),
                                      DateOfDay(net, CalendarDayOfFinish(net, finish))),
                             total > 0));
        Text(t, "Duration", XmlDuration(total));
        Text(t, "DurationFormat", "7");
        Text(t, "Milestone", d.IsMilestone() ? "1" : "0");
        Text(t, "Summary", "0");
        Text(t, "Critical", d.critical ? "1" : "0");
        if (d.progress >= 0) Text(t, "PercentComplete", std::to_string(int(d.progress * 100)));
        // Predecessors: the tasks ending at the start node, through dummies.
        std::vector<int> preds;
        std::unordered_set<const Tvertex*> seen{w->fromNode};
        std::vector<const Tvertex*> stack{w->fromNode};
        while (!stack.empty()) {
            const Tvertex* v = stack.back();
            stack.pop_back();
            for (const Tedge* in : net.WorksInto(v)) {
                if (in->data->IsDummy()) {
                    if (seen.insert(in->fromNode).second) stack.push_back(in->fromNode);
                } else if (auto it = uidOf.find(in); it != uidOf.end() && it->second != uidOf[w]) {
                    preds.push_back(it->second);
                }
            }
        }
        std::sort(preds.begin(), preds.end());
        preds.erase(std::unique(preds.begin(), preds.end()), preds.end());
        for (int p : preds) {
            pugi::xml_node link = t.append_child("PredecessorLink");
            Text(link, "PredecessorUID", std::to_string(p));
            Text(link, "Type", "1");
            Text(link, "CrossProject", "0");
            Text(link, "LinkLag", "0");
            Text(link, "LagFormat", "7");
        }
    };
    if (grouped) {
        while (at < tasks.size() && tasks[at]->data->groupName.empty()) writeWork(tasks[at++], 1);
        for (const std::string& g : groupOrder) {
            if (g.empty()) continue;
            size_t end = at;
            double s = 1e300, f = -1e300;
            while (end < tasks.size() && tasks[end]->data->groupName == g) {
                const Tedge* w = tasks[end++];
                s = std::min(s, double(w->data->start));
                const Tedge* last = LastSegment(w);
                f = std::max(f, double(last->data->start) + last->data->duration);
            }
            pugi::xml_node t = addTask(++summaryUid, g, 1);
            Text(t, "Start", WorkingDateTime(DateOfDay(net, CalendarDay(net, s)), false));
            Text(t, "Finish", WorkingDateTime(DateOfDay(net, CalendarDayOfFinish(net, f)), true));
            Text(t, "Summary", "1");
            Text(t, "Milestone", "0");
            while (at < end) writeWork(tasks[at++], 2);
        }
    } else {
        for (const Tedge* w : tasks) writeWork(w, 1);
    }

    pugi::xml_node resources = project.append_child("Resources");
    std::map<std::string, int> resourceUid;
    for (const Trecsource& r : WorkResourceCatalogue(net)) {
        const int ruid = int(resourceUid.size()) + 1;
        resourceUid[r.number] = ruid;
        pugi::xml_node x = resources.append_child("Resource");
        Text(x, "UID", std::to_string(ruid));
        Text(x, "ID", std::to_string(ruid));
        Text(x, "Name", r.name.empty() ? r.number : r.name);
        Text(x, "Code", r.number);
        Text(x, "Type", r.resourceKind.find("材料") != std::string::npos ? "0" : "1");
        if (!r.unit.empty()) Text(x, "MaterialLabel", r.unit);
    }
    pugi::xml_node assignments = project.append_child("Assignments");
    int auid = 0;
    for (const Tedge* w : tasks)
        for (const Trecsource& r : w->data->resources) {
            auto it = resourceUid.find(r.number);
            if (it == resourceUid.end()) continue;
            pugi::xml_node a = assignments.append_child("Assignment");
            Text(a, "UID", std::to_string(++auid));
            Text(a, "TaskUID", std::to_string(uidOf[w]));
            Text(a, "ResourceUID", std::to_string(it->second));
            Text(a, "Units", Num(r.dailyAmount));
            Text(a, "Work", XmlDuration(double(r.dailyAmount) * w->TotalDuration()));
        }

    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

bool ExportProjectXml(const Tpertgra& net, const std::string& path, std::string& problem)
{
    const std::string text = ProjectXml(net);
    return ReplaceFileContents(path, std::vector<uint8_t>(text.begin(), text.end()), true, problem);
}
