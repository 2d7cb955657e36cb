#include "interchange/Interchangecli.h"

#include <ostream>

#include "file/Projectfile.h"
#include "interchange/Projectxml.h"
#include "interchange/Projectxmlimport.h"
#include "interchange/Worktablecsv.h"
#include "model/Pertgra.h"

namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

std::string Extension(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return Lower(path.substr(dot + 1));
}

// The --format value, or "" when there is none.
std::string FormatOption(const std::vector<std::string>& args)
{
    for (size_t i = 1; i + 1 < args.size(); ++i)
        if (args[i] == "--format") return args[i + 1];
    return {};
}

bool IsInterchangeFormat(const std::string& f) { return f == "csv" || f == "xml"; }

std::string ProblemText(const TProjectFormat& f)
{
    std::string t = f.problem;
    if (f.problemOffset > 0) t += " (at byte " + std::to_string(f.problemOffset) + ")";
    return t;
}

}  // namespace

bool IsInterchangeExport(const std::vector<std::string>& args)
{
    if (IsInterchangeFormat(FormatOption(args))) return true;
    if (args.size() >= 3 && args[2].rfind("--", 0) != 0)
        return IsInterchangeFormat(Extension(args[2]));
    return false;
}

int RunInterchangeExport(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err)
{
    std::vector<std::string> files;
    std::string format;
    TCsvEncoding encoding = TCsvEncoding::Utf8Bom;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--format" || a == "--encoding") {
            if (i + 1 >= args.size()) {
                err << "arrowplan-cli: " << a << " needs a value\n";
                return 2;
            }
            const std::string& v = args[++i];
            if (a == "--format") {
                if (!IsInterchangeFormat(v)) {
                    err << "arrowplan-cli: --format takes \"csv\" or \"xml\"\n";
                    return 2;
                }
                format = v;
            } else if (v == "utf8" || v == "utf-8") {
                encoding = TCsvEncoding::Utf8Bom;
            } else if (v == "gbk") {
                encoding = TCsvEncoding::Gbk;
            } else {
                err << "arrowplan-cli: --encoding takes \"utf8\" or \"gbk\"\n";
                return 2;
            }
        } else if (a.rfind("--", 0) == 0) {
            err << "arrowplan-cli: unknown option \"" << a << "\" for a table or XML export\n";
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        err << "usage: arrowplan-cli export FILE.prt OUT.csv|OUT.xml [--format csv|xml]"
               " [--encoding utf8|gbk]\n";
        return 2;
    }
    if (format.empty()) format = Extension(files[1]);
    Tpertgra net;
    TProjectFormat f;
    if (LoadProject(net, files[0], &f) != 1) {
        err << files[0] << ": " << ProblemText(f) << "\n";
        return 1;
    }
    // The times an opened document shows.
    net.Recalculate();
    net.ComputeAndPull();
    std::string problem;
    bool ok = false;
    if (format == "csv") ok = ExportWorkTableCsv(net, files[1], encoding, problem);
    else ok = ExportProjectXml(net, files[1], problem);
    if (!ok) {
        err << files[1] << ": " << (problem.empty() ? "not written" : problem) << "\n";
        return 1;
    }
    if (!problem.empty()) err << files[1] << ": " << problem << "\n";
    out << files[0] << " -> " << files[1] << " (" << format << ")\n";
    return 0;
}

int RunInterchangeImport(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err)
{
    if (args.size() != 3 || args[1].rfind("--", 0) == 0 || args[2].rfind("--", 0) == 0) {
        err << "usage: arrowplan-cli import IN.xml OUT.prt\n";
        return 2;
    }
    if (args[1] == args[2]) {
        err << "arrowplan-cli: the imported plan is never written over the XML file\n";
        return 2;
    }
    const TXmlImport r = ImportProjectXmlFile(args[1]);
    if (!r.net) {
        err << args[1] << ": " << r.problem << "\n";
        return 1;
    }
    if (!SaveProject(*r.net, args[2])) {
        err << args[2] << ": not written\n";
        return 1;
    }
    out << "导入报告\n" << ImportReportText(r);
    out << args[1] << " -> " << args[2] << " (" << r.net->WorkCount() << " works)\n";
    return 0;
}
