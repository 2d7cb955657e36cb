#include "shell/Projectinfo.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <system_error>

#include "drawing/Layoutpass.h"
#include "editing/Networkchecks.h"
#include "editing/Relayout.h"
#include "interchange/Interchangecli.h"
#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "resources/Resourcereport.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"

namespace {

std::string Days(double v) { return NumberToText(v, 8, 2); }

// The shortest text that reads back as the same value; not-finite values are null.
template <class T>
std::string JsonNumber(T v)
{
    if (!std::isfinite(v)) return "null";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string JsonBool(bool b) { return b ? "true" : "false"; }

const char* kUsage =
    "usage: arrowplan-cli info FILE.prt [--json]\n"
    "       arrowplan-cli convert IN.prt OUT.prt\n"
    "       arrowplan-cli check FILE.prt\n"
    "       arrowplan-cli export FILE.prt OUT.{png,jpg,bmp,svg,pdf} [--palette print|screen]"
    " [--scale F] [--view gantt|network|resource|logic]\n"
    "       arrowplan-cli export FILE.prt OUT.csv|OUT.xml [--format csv|xml]"
    " [--encoding utf8|gbk]\n"
    "       arrowplan-cli import IN.xml OUT.prt\n"
    "       arrowplan-cli print FILE.prt OUT.pdf [--paper A4|A3|Letter|...]"
    " [--portrait|--landscape] [--ratio X[,Y]] [--view network|gantt|resource|logic]\n"
    "       arrowplan-cli resources FILE.prt [--csv]\n";

int Usage(std::ostream& err)
{
    err << kUsage;
    return 2;
}

std::string FormatText(const TProjectFormat& f)
{
    return "version " + f.versionText + ", layout " + std::to_string(f.layout);
}

// Why a file could not be read, for the check report.
std::string ProblemText(const TProjectFormat& f)
{
    std::string t = f.problem;
    if (f.problemOffset > 0) t += " (at byte " + std::to_string(f.problemOffset) + ")";
    return t;
}

int Info(const std::string& path, bool json, std::ostream& out, std::ostream& err)
{
    Tpertgra net;
    TProjectFormat f;
    if (LoadProject(net, path, &f) != 1) {
        err << path << ": " << ProblemText(f) << "\n";
        return 1;
    }
    const TProjectInfo info = CollectProjectInfo(net, f);
    out << (json ? InfoJson(info) : InfoText(info));
    return 0;
}

int Convert(const std::string& in, const std::string& outPath, std::ostream& out,
            std::ostream& err)
{
    Tpertgra net;
    TProjectFormat f;
    if (LoadProject(net, in, &f) != 1) {
        err << in << ": " << ProblemText(f) << "\n";
        return 1;
    }
    if (!SaveProject(net, outPath)) {
        err << outPath << ": not written\n";
        return 1;
    }
    out << in << " (" << FormatText(f) << ") -> " << outPath << " (version 1.55, layout 3)\n";
    return 0;
}

int Check(const std::string& path, std::ostream& out, std::ostream& err)
{
    Tpertgra net;
    TProjectFormat f;
    if (LoadProject(net, path, &f) != 1) {
        err << path << ": " << ProblemText(f) << "\n";
        return 1;
    }
    out << path << ": ok, " << FormatText(f) << ", " << net.NodeCount() << " nodes, "
        << net.WorkCount() << " works";
    // A loop is the plan's problem, not the file's: it is reported and the file stands.
    if (!net.nodes.empty() && net.order.empty()) out << ", the network has a loop";
    out << "\n";
    const std::vector<std::string> findings = NetworkFindings(net);
    for (const std::string& t : findings) out << path << ": " << t << "\n";
    return findings.empty() ? 0 : 2;
}

// The daily usage of every resource, as the diagrams draw it, after the
// plan is laid out as an opened document is.
int Resources(const std::string& path, bool csv, std::ostream& out, std::ostream& err)
{
    Tpertgra net;
    TProjectFormat f;
    if (LoadProject(net, path, &f) != 1) {
        err << path << ": " << ProblemText(f) << "\n";
        return 1;
    }
    net.Recalculate();
    if (!net.nodes.empty() && net.order.empty()) {
        err << path << ": the network has a loop\n";
        return 1;
    }
    LayoutNetwork(net);
    out << (csv ? ResourceCsv(net) : ResourceSummaryText(net));
    return 0;
}

// Largest scale of a picture: beyond it even a small plan is a huge image.
constexpr double kMaxPictureScale = 20;

int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TPictureWriter& writePicture)
{
    if (IsInterchangeExport(args)) return RunInterchangeExport(args, out, err);
    std::vector<std::string> files;
    bool print = true;
    double scale = 1.0;
    std::string view;   // empty: the view the document was saved in
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--palette" || a == "--scale" || a == "--view") {
            if (i + 1 >= args.size()) return Usage(err);
            const std::string& v = args[++i];
            if (a == "--view") {
                if (v != "gantt" && v != "network" && v != "resource" && v != "logic") {
                    err << "arrowplan-cli: --view takes \"gantt\", \"network\", \"resource\" or \"logic\"\n";
                    return 2;
                }
                view = v;
            } else if (a == "--palette") {
                if (v != "print" && v != "screen") {
                    err << "arrowplan-cli: --palette takes \"print\" or \"screen\"\n";
                    return 2;
                }
                print = v == "print";
            } else {
                double f = 0;
                const auto r = std::from_chars(v.data(), v.data() + v.size(), f);
                if (r.ec != std::errc() || r.ptr != v.data() + v.size() || !(f > 0) ||
                    f > kMaxPictureScale) {
                    err << "arrowplan-cli: --scale takes a number above 0 and at most "
                        << kMaxPictureScale << "\n";
                    return 2;
                }
                scale = f;
            }
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return Usage(err);
    if (!writePicture) {
        err << "arrowplan-cli: this build has no picture writer (built without the Qt library)\n";
        return 1;
    }
    Tpertgra net;
    TProjectFormat f;
    if (LoadProject(net, files[0], &f) != 1) {
        err << files[0] << ": " << ProblemText(f) << "\n";
        return 1;
    }
    if (view == "gantt") {
        net.networkView = false;
        net.resourceOnlyView = false;
    } else if (view == "network") {
        // The network the document shows in its network view (time-scaled or logic).
        net.networkView = true;
        net.resourceOnlyView = false;
    } else if (view == "resource") {
        // The diagrams of the shown resources alone.
        net.networkView = true;
        net.resourceOnlyView = true;
    } else if (view == "logic") {
        net.networkView = true;
        net.resourceOnlyView = false;
        net.networkKind = 1;
    }
    net.Recalculate();
    std::string problem;
    if (!writePicture(net, files[1], print, scale, problem)) {
        err << files[1] << ": " << (problem.empty() ? "not written" : problem) << "\n";
        return 1;
    }
    out << files[0] << " -> " << files[1] << " (" << (print ? "print" : "screen")
        << " palette, scale " << scale << ")\n";
    return 0;
}

// The display numbers of nodes, ascending.
std::string Numbers(const std::vector<Tvertex*>& nodes)
{
    std::vector<int32_t> numbers;
    for (const Tvertex* v : nodes) numbers.push_back(v->number);
    std::sort(numbers.begin(), numbers.end());
    std::string t;
    for (int32_t n : numbers) t += (t.empty() ? "" : ", ") + std::to_string(n);
    return t;
}

std::string WorkText(const Tedge* w)
{
    std::string t = std::to_string(w->fromNode->number) + "-" + std::to_string(w->toNode->number);
    if (!w->data->name.empty()) t += " " + w->data->name;
    return t;
}

}  // namespace

std::vector<std::string> NetworkFindings(Tpertgra& net)
{
    std::vector<std::string> found;
    if (net.nodes.empty() || net.order.empty()) return found;
    LayoutNetwork(net);
    const std::vector<Tvertex*> starts = StartNodes(net);
    if (starts.size() > 1)
        found.push_back("该网络图有" + std::to_string(starts.size()) + "个起点 (节点 " +
                        Numbers(starts) + ")");
    const std::vector<Tvertex*> ends = EndNodes(net);
    if (ends.size() > 1)
        found.push_back("该网络图有" + std::to_string(ends.size()) + "个终点 (节点 " +
                        Numbers(ends) + ")");
    for (const Tedge* w : OverlappingWorks(net)) found.push_back("工作线有重叠 (" + WorkText(w) + ")");
    for (const Tedge* w : RedundantLinks(net)) found.push_back("有多余逻辑关系 (" + WorkText(w) + ")");
    return found;
}

TProjectInfo CollectProjectInfo(Tpertgra& net, const TProjectFormat& format)
{
    net.Recalculate();
    net.ComputeAndPull();
    TProjectInfo info;
    info.versionText = format.versionText;
    info.layout = format.layout;
    info.title = net.title;
    info.projectStart = DateText(DateTimeOfStamp(net.projectStart));
    info.totalDays = ProjectEndDay(net);
    // The last second of the plan, so that a plan ending with a day shows that day.
    const double start = DateTimeOfStamp(net.projectStart);
    const double end = std::max(start, DateOfDay(net, info.totalDays) - 1.0 / 86400.0);
    info.projectEnd = DateText(end);
    info.nodeCount = net.NodeCount();
    for (const auto& v : net.nodes)
        info.nodes.push_back({v->id, v->number, v->time, v->earliest, v->latest, v->row});
    std::stable_sort(info.nodes.begin(), info.nodes.end(),
                     [](const TNodeInfo& a, const TNodeInfo& b) { return a.id < b.id; });
    const std::vector<Tedge*> works = net.AllWorks();
    info.workCount = int32_t(works.size());
    info.works.reserve(works.size());
    for (const Tedge* e : works) {
        TWorkInfo w;
        w.from = e->fromNode ? e->fromNode->number : 0;
        w.to = e->toNode ? e->toNode->number : 0;
        w.fromId = e->fromNode ? e->fromNode->id : 0;
        w.toId = e->toNode ? e->toNode->id : 0;
        const Tworkdata& d = *e->data;
        w.name = d.name;
        w.kind = d.kind;
        w.duration = d.duration;
        w.start = d.start;
        w.es = d.es;
        w.ef = e->EF();
        w.ls = d.ls;
        w.lf = e->LF();
        w.tf = e->TF();
        w.ff = e->FF();
        w.critical = d.critical;
        w.progress = d.progress;
        w.startDate = DateText(WorkStartDate(net, *e));
        w.finishDate = DateText(WorkFinishDate(net, *e));
        info.works.push_back(std::move(w));
    }
    return info;
}

std::string InfoText(const TProjectInfo& info)
{
    // Built by appending only: a literal put before a temporary string trips
    // a false overlap warning of some compilers at high optimisation.
    std::string t;
    auto line = [&t](const char* name, const std::string& value) {
        t.append(name).append(": ").append(value).append("\n");
    };
    line("version", info.versionText);
    line("layout", std::to_string(info.layout));
    line("title", info.title);
    line("project start", info.projectStart);
    line("project end", info.projectEnd);
    line("total days", Days(info.totalDays));
    line("nodes", std::to_string(info.nodeCount));
    line("works", std::to_string(info.workCount));
    t.append("from\tto\tname\tkind\tduration\tES\tEF\tLS\tLF\tTF\tFF\tcritical\tstart date\tfinish date\n");
    for (const TWorkInfo& w : info.works) {
        t.append(std::to_string(w.from)).append("\t").append(std::to_string(w.to));
        t.append("\t").append(w.name).append("\t").append(w.kind);
        for (float v : {w.duration, w.es, w.ef, w.ls, w.lf, w.tf, w.ff}) t.append("\t").append(Days(v));
        t.append("\t").append(w.critical ? "yes" : "no");
        t.append("\t").append(w.startDate).append("\t").append(w.finishDate).append("\n");
    }
    return t;
}

std::string JsonString(const std::string& text)
{
    std::string j = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': j += "\\\""; break;
        case '\\': j += "\\\\"; break;
        case '\b': j += "\\b"; break;
        case '\f': j += "\\f"; break;
        case '\n': j += "\\n"; break;
        case '\r': j += "\\r"; break;
        case '\t': j += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                j += buf;
            } else {
                j += char(c);  // UTF-8 passes through
            }
        }
    }
    j += '"';
    return j;
}

std::string InfoJson(const TProjectInfo& info)
{
    std::string j = "{\n";
    auto member = [&j](const char* name, const std::string& value) {
        j.append("  \"").append(name).append("\": ").append(value).append(",\n");
    };
    member("title", JsonString(info.title));
    member("version", JsonString(info.versionText));
    member("layout", std::to_string(info.layout));
    member("project_start", JsonString(info.projectStart));
    member("project_end", JsonString(info.projectEnd));
    member("total_days", JsonNumber(info.totalDays));
    member("node_count", std::to_string(info.nodeCount));
    member("work_count", std::to_string(info.workCount));
    j.append("  \"nodes\": [");
    for (size_t i = 0; i < info.nodes.size(); ++i) {
        const TNodeInfo& v = info.nodes[i];
        j.append(i == 0 ? "\n    " : ",\n    ");
        j.append("{\"id\": ").append(std::to_string(v.id));
        j.append(", \"number\": ").append(std::to_string(v.number));
        j.append(", \"time\": ").append(JsonNumber(v.time));
        j.append(", \"earliest\": ").append(JsonNumber(v.earliest));
        j.append(", \"latest\": ").append(JsonNumber(v.latest));
        j.append(", \"row\": ").append(std::to_string(v.row)).append("}");
    }
    j.append(info.nodes.empty() ? "],\n" : "\n  ],\n");
    j.append("  \"works\": [");
    for (size_t i = 0; i < info.works.size(); ++i) {
        const TWorkInfo& w = info.works[i];
        bool first = true;
        auto field = [&](const char* name, const std::string& value) {
            j.append(first ? "{\"" : ", \"").append(name).append("\": ").append(value);
            first = false;
        };
        j.append(i == 0 ? "\n    " : ",\n    ");
        field("from", std::to_string(w.from));
        field("to", std::to_string(w.to));
        field("from_id", std::to_string(w.fromId));
        field("to_id", std::to_string(w.toId));
        field("name", JsonString(w.name));
        field("kind", JsonString(w.kind));
        field("duration", JsonNumber(w.duration));
        field("start", JsonNumber(w.start));
        field("es", JsonNumber(w.es));
        field("ef", JsonNumber(w.ef));
        field("ls", JsonNumber(w.ls));
        field("lf", JsonNumber(w.lf));
        field("tf", JsonNumber(w.tf));
        field("ff", JsonNumber(w.ff));
        field("critical", JsonBool(w.critical));
        field("progress", JsonNumber(w.progress));
        field("start_date", JsonString(w.startDate));
        field("finish_date", JsonString(w.finishDate));
        j.append("}");
    }
    j.append(info.works.empty() ? "]\n" : "\n  ]\n");
    j.append("}\n");
    return j;
}

int RunProjectCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const TPictureWriter& writePicture)
{
    if (args.empty()) return Usage(err);
    const std::string& cmd = args[0];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        out << kUsage;
        return 0;
    }
    if (cmd == "info") {
        std::vector<std::string> files;
        bool json = false;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--json") json = true;
            else files.push_back(args[i]);
        }
        if (files.size() != 1) return Usage(err);
        return Info(files[0], json, out, err);
    }
    if (cmd == "convert") {
        if (args.size() != 3) return Usage(err);
        return Convert(args[1], args[2], out, err);
    }
    if (cmd == "check") {
        if (args.size() != 2) return Usage(err);
        return Check(args[1], out, err);
    }
    if (cmd == "export") return Export(args, out, err, writePicture);
    if (cmd == "import") return RunInterchangeImport(args, out, err);
    if (cmd == "resources") {
        std::vector<std::string> files;
        bool csv = false;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--csv") csv = true;
            else files.push_back(args[i]);
        }
        if (files.size() != 1) return Usage(err);
        return Resources(files[0], csv, out, err);
    }
    err << "arrowplan-cli: unknown command \"" << cmd << "\"\n";
    return Usage(err);
}
