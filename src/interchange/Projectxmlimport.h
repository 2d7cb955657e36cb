#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class Tpertgra;

// Reading the project interchange XML into a new activity-on-arrow network:
// one work per task that is not a summary task, the finish-to-start links
// as shared nodes where the links allow and dummies where they must, a lag
// as a work of the lag's length, the calendar's non-working days as rest
// days, the resources and assignments.

struct TXmlImport {
    std::unique_ptr<Tpertgra> net;      // null when the file was refused
    std::string problem;                // why it was refused
    std::vector<std::string> report;    // every approximation and everything not taken over
};

// Largest file taken: beyond it a project file of this kind is not real.
inline constexpr size_t kMaxProjectXmlBytes = size_t(256) << 20;

// The network is recalculated, laid out in rows and unmodified.
TXmlImport ImportProjectXml(const std::string& bytes);
TXmlImport ImportProjectXmlFile(const std::string& path);

// The report as the lines of the "导入报告" window.
std::string ImportReportText(const TXmlImport& import);
