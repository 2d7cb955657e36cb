#pragma once

// What every benchmark needs around the code it measures.

#include <algorithm>
#include <cstdint>
#include <string>

#include "model/Pertgra.h"
#include "model/Vertex.h"
#include "platform/Messagebox.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"

// Answers every message box with OK, so a refusal never waits for a user.
inline void SilenceMessages()
{
    class TQuietMessages : public IMessageService {
    public:
        TMsgAnswer Show(const std::string&, const std::string&, TMsgIcon, TMsgButtons) override
        {
            return TMsgAnswer::Ok;
        }
    };
    static TQuietMessages quiet;
    SetMessageService(&quiet);
}

// Starts the plan on Monday 2024-01-01 and gives it a rest day every
// Saturday and Sunday over its whole length, as a site calendar has.
// Returns that length: the latest node time in working days.
inline float StartOnMondayRestingWeekends(Tpertgra& p)
{
    p.projectStart = *StampOfCivil(TCivilTime{2024, 1, 1, 0, 0, 0});
    float end = 0;
    for (const auto& v : p.nodes) end = std::max(end, v->time);
    for (int64_t week = 0; week * 5 < int64_t(end) + 5; ++week) {
        const int64_t sat = p.projectStart + (week * 7 + 5) * kSecondsPerDay;
        p.restIntervals.Add({int32_t(sat), int32_t(sat + 2 * kSecondsPerDay)});
    }
    return end;
}

#ifdef ARROWPLAN_BENCH_UI
#include <QGuiApplication>

#include "platform/qt/Qtcanvas.h"

// One offscreen application for the benchmarks that paint through Qt.
inline void EnsureBenchGui()
{
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "arrowplan-bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);   // lives as long as the program
    InstallFontSubstitutions();
}
#endif
