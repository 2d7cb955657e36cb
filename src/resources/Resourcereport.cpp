#include "resources/Resourcereport.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/Pertgra.h"
#include "resources/Resourcecatalogue.h"
#include "resources/Resourcediagram.h"
#include "schedule/Calendar.h"

namespace {

// The shortest text that reads back as the same value.
std::string Number(double v)
{
    if (!std::isfinite(v)) return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// A field quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q(1, '"');
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    q.push_back('"');
    return q;
}

std::string Caption(const TResourceProfile& p)
{
    std::string t = p.number;
    if (!p.name.empty()) t.append(" ").append(p.name);
    if (!p.unit.empty()) t.append("(").append(p.unit).append(")");
    return t;
}

}  // namespace

std::vector<std::string> ResourceNumbers(const Tpertgra& net)
{
    std::vector<std::string> work;
    for (const Trecsource& r : WorkResourceCatalogue(net)) work.push_back(r.number);
    std::sort(work.begin(), work.end());
    std::vector<std::string> custom = CustomNumbers(net);
    std::sort(custom.begin(), custom.end());
    work.insert(work.end(), custom.begin(), custom.end());
    return work;
}

std::string ResourceSummaryText(const Tpertgra& net)
{
    std::string out = "number\tname\tunit\ttotal\tpeak\tpeak_date\n";
    for (const TResourceProfile& p : DiagramProfiles(net, ResourceNumbers(net))) {
        const TResourceSummary s = Summarize(p);
        for (const std::string& field : {s.number, s.name, s.unit, Number(s.total), Number(s.peak)})
            out.append(field).append("\t");
        if (s.peakDay >= 0) out.append(DateText(DateOfDay(net, double(s.peakDay))));
        out.append("\n");
    }
    return out;
}

std::string ResourceCsv(const Tpertgra& net)
{
    const std::vector<TResourceProfile> profiles = DiagramProfiles(net, ResourceNumbers(net));
    std::string out = "date";
    for (const TResourceProfile& p : profiles) out.append(",").append(CsvField(Caption(p)));
    out += "\r\n";
    const size_t days = DiagramDays(net);
    for (size_t d = 0; d < days; ++d) {
        out += DateText(DateOfDay(net, double(d)));
        for (const TResourceProfile& p : profiles) {
            out += ",";
            if (p.present[d]) out += Number(p.level[d]);
        }
        out += "\r\n";
    }
    return out;
}
