#pragma once
#include <string>
#include <vector>

class Tpertgra;
class Tedge;

// The work table as a spreadsheet file: one line of captions, then one line
// per listed work (the works the Gantt table lists, in its order), fields
// quoted as RFC 4180 asks, lines ended by CR LF.

enum class TCsvEncoding { Utf8Bom, Gbk };

// The captions of the columns, in order.
const std::vector<std::string>& WorkTableCsvCaptions();
// The works of the table: no dummies, milestones, continuation segments,
// "其它工作" or "总工期" entries; ordered by work number, ties in the order
// of AllWorks. The network is not changed.
std::vector<Tedge*> WorkTableRows(const Tpertgra& net);
// The fields of one row, as texts (UTF-8).
std::vector<std::string> WorkTableFields(const Tpertgra& net, const Tedge& work);
// One field as a CSV field: quoted when it holds a comma, a quote, CR or LF
// (quotes doubled); leading and trailing spaces are kept.
std::string CsvField(const std::string& text);

// The whole file's bytes. With Gbk, characters that code page 936 lacks
// become '?' and `allEncoded` (when given) turns false.
std::string WorkTableCsv(const Tpertgra& net, TCsvEncoding encoding, bool* allEncoded = nullptr);

// Writes the file; false with the reason in `problem`. A text that GBK
// cannot hold is no failure: `problem` then names it and true is returned.
bool ExportWorkTableCsv(const Tpertgra& net, const std::string& path, TCsvEncoding encoding,
                        std::string& problem);
