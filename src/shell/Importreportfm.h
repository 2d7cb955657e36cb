#pragma once
#include <string>

class QWidget;

// The window "导入报告": the import's report, one finding a line, to read and copy.
void ShowImportReportWindow(QWidget* parent, const std::string& text);
