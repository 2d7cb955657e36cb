#pragma once
#include <string>

class Tpertgra;

// The project interchange XML that scheduling tools read and write
// (element names of its public schema, namespace
// http://schemas.microsoft.com/project). Working time is mapped onto days
// of 8 hours, 08:00-12:00 and 13:00-17:00; every weekday works and each
// rest day of the plan is a non-working exception of the one calendar.

// The file's text for a recalculated network: one task per work that is
// not auxiliary, dummy or a continuation segment (a segmented work is one
// task over the whole chain), finish-to-start links through chains of
// dummies, the resources and assignments, and a summary task per group
// where the plan has groups. The network is not changed.
std::string ProjectXml(const Tpertgra& net);

// Writes the file; false with the reason in `problem`.
bool ExportProjectXml(const Tpertgra& net, const std::string& path, std::string& problem);

// "PT#H#M#S" of a number of working days (8 hours a day), to the minute.
std::string XmlDuration(double days);
