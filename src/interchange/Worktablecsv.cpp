#include "interchange/Worktablecsv.h"

#include <algorithm>
#include <cstdio>

#include "file/Prtstream.h"
#include "gantt/Gantt.h"
#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "platform/Replacefile.h"
#include "resources/Resourcelines.h"
#include "schedule/Calendar.h"

namespace {

// "name amount unit" of every resource of the work, joined by "; ".
std::string ResourcesText(const Tworkdata& d)
{
    std::string t;
    for (const Trecsource& r : d.resources) {
        if (!t.empty()) t += "; ";
        t += (r.name.empty() ? r.number : r.name) + " " + GeneralNumberText(r.dailyAmount) + r.unit;
    }
    return t;
}

}  // namespace

const std::vector<std::string>& WorkTableCsvCaptions()
{
    static const std::vector<std::string> captions = {
        "编号",         "工作名称",     "持续时间",     "开始时间",     "结束时间",
        "最早开始时间", "最早结束时间", "最迟开始时间", "最迟结束时间", "总时差",
        "自由时差",     "关键工作",     "分组名",       "资源"};
    return captions;
}

std::vector<Tedge*> WorkTableRows(const Tpertgra& net)
{
    std::vector<Tedge*> rows = net.AllWorks();
    rows.erase(std::remove_if(rows.begin(), rows.end(), [](const Tedge* w) { return !Tgantt::HasRow(*w); }),
               rows.end());
    std::stable_sort(rows.begin(), rows.end(), [](const Tedge* a, const Tedge* b) {
        return a->data->workNo < b->data->workNo;
    });
    return rows;
}

std::vector<std::string> WorkTableFields(const Tpertgra& net, const Tedge& work)
{
    const Tworkdata& d = *work.data;
    // A segmented work is one row over the whole chain.
    const float total = work.TotalDuration();
    return {std::to_string(d.workNo),
            d.name,
            NumberToText(total, 8, 2),
            DateText(WorkStartDate(net, work)),
            DateText(WorkFinishDate(net, work)),
            Tgantt::WorkColumnText(work, 8, net),
            Tgantt::WorkColumnText(work, 10, net),
            Tgantt::WorkColumnText(work, 9, net),
            Tgantt::WorkColumnText(work, 11, net),
            NumberToText(work.TF(), 4, 2),
            NumberToText(work.FF(), 4, 2),
            d.critical ? "是" : "否",
            d.groupName,
            ResourcesText(d)};
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string q = "\"";
    for (char c : text) {
        if (c == '"') q += '"';
        q += c;
    }
    q += '"';
    return q;
}

std::string WorkTableCsv(const Tpertgra& net, TCsvEncoding encoding, bool* allEncoded)
{
    std::string text;
    auto line = [&](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) text += ',';
            text += CsvField(fields[i]);
        }
        text += "\r\n";
    };
    line(WorkTableCsvCaptions());
    for (const Tedge* w : WorkTableRows(net)) line(WorkTableFields(net, *w));
    if (allEncoded) *allEncoded = true;
    if (encoding == TCsvEncoding::Gbk) return Utf8ToCp936(text, allEncoded);
    return "\xEF\xBB\xBF" + text;
}

bool ExportWorkTableCsv(const Tpertgra& net, const std::string& path, TCsvEncoding encoding,
                        std::string& problem)
{
    bool all = true;
    const std::string bytes = WorkTableCsv(net, encoding, &all);
    if (!ReplaceFileContents(path, std::vector<uint8_t>(bytes.begin(), bytes.end()), true,
                             problem))
        return false;
    problem = all ? std::string() : "有些文字无法用GBK编码保存，已替换为“?”";
    return true;
}
