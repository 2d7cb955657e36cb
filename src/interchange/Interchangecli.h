#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// The command line's exports to spreadsheet and interchange files and its
// import. args are the whole command ("export FILE.prt OUT [options]").

// True when an export names the spreadsheet or interchange format, by
// --format or by the output's extension (.csv, .xml).
bool IsInterchangeExport(const std::vector<std::string>& args);
// "export FILE.prt OUT.csv|OUT.xml [--format csv|xml] [--encoding utf8|gbk]".
// Returns 0 done, 1 failed, 2 usage.
int RunInterchangeExport(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);
// "import IN.xml OUT.prt": the import's report to out, the network to OUT.
// Returns 0 done, 1 failed, 2 usage.
int RunInterchangeImport(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);
